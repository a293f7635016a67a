#include "skin/controls/push_button.h"

#include "skin/data/skin_object.h"

TColor ButtonCaptionColour(const TDataSkinButton& skin, TColor base, int frame, bool enabled) {
    TColor color = base;
    if (skin.newnormal) color = skin.Normalcolor2;
    if (frame == kButtonHotCell && skin.newover) color = skin.Overcolor2;
    if (frame == kButtonPressedCell && skin.newdown) color = skin.Downcolor2;
    return enabled ? color : clBtnShadow;
}

std::wstring TwoLineCaption(const std::wstring& caption) {
    std::wstring out = caption;
    const std::size_t at = out.find(L"||");
    if (at != std::wstring::npos) out.replace(at, 2, L"\r\n");
    return out;
}
