// Window style bits the portable skinning decisions read, with the platform's values, for code that does
// not include <windows.h>.
#pragma once

#include <cstdint>

namespace WinStyle {
constexpr std::uint32_t Child = 0x40000000;
constexpr std::uint32_t Popup = 0x80000000;
constexpr std::uint32_t Caption = 0x00C00000;
constexpr std::uint32_t SysMenu = 0x00080000;
constexpr std::uint32_t ThickFrame = 0x00040000;
constexpr std::uint32_t MinimizeBox = 0x00020000;
constexpr std::uint32_t MaximizeBox = 0x00010000;
constexpr std::uint32_t ModalFrame = 0x80;      // DS_MODALFRAME
constexpr std::uint32_t SetForeground = 0x200;  // DS_SETFOREGROUND
constexpr std::uint32_t SizeGrip = 0x10;        // SBS_SIZEGRIP
constexpr std::uint32_t ExDlgModalFrame = 0x1;
constexpr std::uint32_t ExMdiChild = 0x40;
constexpr std::uint32_t ExContextHelp = 0x400;
constexpr std::uint32_t ExLeftScrollBar = 0x4000;
}  // namespace WinStyle
