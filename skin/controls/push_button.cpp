#include "skin/controls/push_button.h"

std::wstring TwoLineCaption(const std::wstring& caption) {
    std::wstring out = caption;
    const std::size_t at = out.find(L"||");
    if (at != std::wstring::npos) out.replace(at, 2, L"\r\n");
    return out;
}
