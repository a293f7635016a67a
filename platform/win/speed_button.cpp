// The speed button: windowless, painted on its parent, with the down state and groups of its own.
#include "platform/win/speed_button.h"

#include <algorithm>

#include "platform/win/gdi.h"

namespace {

// The checked look of a button held down: button face and highlight pixels in turn.
void FillDownFace(HDC dc, const RECT& r) {
    static const WORD kChecks[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    Owned<HBITMAP> pattern{CreateBitmap(8, 8, 1, 1, kChecks)};
    Owned<HBRUSH> brush{CreatePatternBrush(pattern.get())};
    SavedDC saved{dc};
    SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &r, brush.get());
}

}  // namespace

const PropTable TSpeedButton::Props{
    &TControl::Props,
    {
        Prop::Str("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption),
        Prop::Enum("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, kBooleanNames),
        Prop::Enum("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, kBooleanNames),
        Prop::Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
        Prop::Enum("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, kBooleanNames),
        Prop::Obj("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph),
        Prop::Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs),
        Prop::Enum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout,
                   PropNames{kButtonLayoutNamesArray}),
        Prop::Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin),
        Prop::Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing),
    }};
const TClassInfo TSpeedButton::ClassInfo_{"TSpeedButton", &TGraphicControl::ClassInfo_, &TSpeedButton::Props};

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    SetBoundsQuiet(0, 0, 23, 22);
    captureMouse_ = true;
    SetParentColor(true);
    glyph_.OnChange = [this] { Invalidate(); };
}

TSpeedButton::~TSpeedButton() { glyph_.OnChange = nullptr; }

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = value;
    state_ = value ? bsExclusive : bsUp;
    Invalidate();
    if (value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    groupIndex_ = value;
    if (value == 0 && down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
    }
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (value == allowAllUp_) return;
    allowAllUp_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value) {
    value = std::max(value, -1);
    if (value == margin_) return;
    margin_ = value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
    value = std::max(value, -1);
    if (value == spacing_) return;
    spacing_ = value;
    Invalidate();
}

void TSpeedButton::UpdateExclusive() {
    if (groupIndex_ == 0 || !Parent() || HasState(csLoading)) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
        if (down_ && other->down_) {
            other->down_ = false;
            other->state_ = bsUp;
            other->Invalidate();
        }
        other->allowAllUp_ = allowAllUp_;
    }
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (down_) UpdateExclusive();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (!down_) {
        state_ = bsDown;
        Repaint();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    // Pressed in while the mouse is over it, back to its resting look while it is dragged off.
    TButtonState now = down_ ? bsExclusive : bsUp;
    if (Inside(x, y) && !down_) now = bsDown;
    if (now != state_) {
        state_ = now;
        Repaint();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !dragging_) return;
    dragging_ = false;
    const bool click = Inside(x, y);
    if (groupIndex_ == 0) {
        state_ = bsUp;
        Repaint();
    } else if (click) {
        SetDown(!down_);
        state_ = down_ ? bsExclusive : bsUp;
        Repaint();
    } else {
        state_ = down_ ? bsExclusive : bsUp;
        Repaint();
    }
    if (click) Click();
}

void TSpeedButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        mouseIn_ = m.Msg == CM_MOUSEENTER && Enabled();
        if (flat_) Repaint();
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) mouseIn_ = false;
        state_ = !Enabled() ? bsDisabled : down_ ? bsExclusive : bsUp;
        Invalidate();
        return;
    case WM_CAPTURECHANGED:
        // The press was taken away (a menu, another window): no click follows.
        if (dragging_) {
            dragging_ = false;
            state_ = down_ ? bsExclusive : bsUp;
            Invalidate();
        }
        return;
    default: TGraphicControl::WndProc(m);
    }
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    const HDC dc = canvas.Handle();
    RECT r{0, 0, Width(), Height()};
    const TButtonState look = !Enabled() ? bsDisabled : state_;
    const bool in = look == bsDown || look == bsExclusive;
    Owned<HBRUSH> face{CreateSolidBrush(ColorToRGB(Color()))};
    if (flat_) {
        FillRect(dc, &r, face.get());
        if (look == bsExclusive) FillDownFace(dc, r);
        if (in)
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        else if (mouseIn_)
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (in ? DFCS_PUSHED : 0));
        if (look == bsExclusive) {
            RECT inner = r;
            InflateRect(&inner, -2, -2);
            FillDownFace(dc, inner);
        }
    }
    ButtonFaceContent content;
    content.glyph = &glyph_;
    content.caption = Caption();
    content.layout = layout_;
    content.margin = margin_;
    content.spacing = spacing_;
    content.state = look;
    content.font = Font()->Handle();
    content.textColor = ColorToRGB(Font()->Color());
    DrawButtonContent(dc, r, content, in ? POINT{1, 1} : POINT{0, 0});
}
