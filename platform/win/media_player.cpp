// The media player's button bar.
#include "platform/win/media_player.h"

#include "platform/win/bitmap_win.h"

const PropTable TMediaPlayer::Props{&TWinControl::Props,
                                    {
                                        Prop::Set("VisibleButtons", &TMediaPlayer::VisibleButtons,
                                                  &TMediaPlayer::SetVisibleButtons, kMPBtnNames),
                                        Prop::Set("EnabledButtons", &TMediaPlayer::EnabledButtons,
                                                  &TMediaPlayer::SetEnabledButtons, kMPBtnNames),
                                        Prop::Set("ColoredButtons", &TMediaPlayer::ColoredButtons,
                                                  &TMediaPlayer::SetColoredButtons, kMPBtnNames),
                                        Prop::Event("OnButtonClick", &TMediaPlayer::OnButtonClick),
                                    }};
const TClassInfo TMediaPlayer::ClassInfo_{"TMediaPlayer", &TCustomControl::ClassInfo_, &TMediaPlayer::Props};

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner) {
    SetBoundsQuiet(0, 0, 253, 30);
    SetTabStop(true);
}

void TMediaPlayer::Changed() {
    if (pressed_ != kMPNoButton && !Usable(pressed_)) down_ = false;
    Invalidate();
}

void TMediaPlayer::SetVisibleButtons(TButtonSet value) {
    if (value == visible_) return;
    visible_ = value;
    Changed();
}
void TMediaPlayer::SetEnabledButtons(TButtonSet value) {
    if (value == enabled_) return;
    enabled_ = value;
    Changed();
}
void TMediaPlayer::SetColoredButtons(TButtonSet value) {
    if (value == colored_) return;
    colored_ = value;
    Changed();
}

int TMediaPlayer::ButtonWidth() const {
    const int n = MediaButtonCount(visible_);
    return n > 0 ? Width() / n : 0;
}

int TMediaPlayer::ButtonAt(int x) const {
    if (x < 0 || x >= Width()) return kMPNoButton;
    return MediaButtonAt(visible_, ButtonWidth(), x);
}

bool TMediaPlayer::Usable(int button) const {
    return button >= 0 && button < kMPButtonCount && visible_.Contains(TMPBtnType(button)) &&
           enabled_.Contains(TMPBtnType(button)) && Enabled();
}

void TMediaPlayer::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TCustomControl::WndProc(m);
        const int b = ButtonAt(MousePoint(m.LParam).x);
        pressed_ = b;
        down_ = over_ = Usable(b);
        // The press is followed without the mouse held: a window laid over the bar may take the mouse
        // and pass the release on.
        Invalidate();
        return;
    }
    case WM_MOUSEMOVE:
        TCustomControl::WndProc(m);
        if (down_) {
            if (!(m.WParam & MK_LBUTTON)) {
                down_ = false;  // released elsewhere
                Invalidate();
            } else if (const bool over = ButtonAt(MousePoint(m.LParam).x) == pressed_; over != over_) {
                over_ = over;
                Invalidate();
            }
        }
        return;
    case WM_LBUTTONUP: {
        TCustomControl::WndProc(m);
        const bool click = down_ && ButtonAt(MousePoint(m.LParam).x) == pressed_;
        down_ = false;
        Invalidate();
        if (click && Usable(pressed_) && OnButtonClick) OnButtonClick(this, TMPBtnType(pressed_));
        return;
    }
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(m);
        Invalidate();
        return;
    default: TCustomControl::WndProc(m);
    }
}

void TMediaPlayer::Paint() {
    const TRect r = ClientRect();
    if (r.IsEmpty()) return;
    const TColor face = ColorToRGB(Color());
    TBitmap bar(r.Width(), r.Height(), pf24bit);
    bar.Fill(face);
    const HDC dc = BitmapDC(bar);
    const int w = ButtonWidth();
    int x = 0;
    for (int b = 0; b < kMPButtonCount && w > 0; ++b) {
        const TMPBtnType button = TMPBtnType(b);
        if (!visible_.Contains(button)) continue;
        const bool pressed = PressedButton() == b;
        RECT cell{x, 0, x + w, r.Height()};
        DrawFrameControl(dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        GdiFlush();
        const TMPGlyphState look = !Usable(b)                  ? TMPGlyphState::Disabled
                                   : colored_.Contains(button) ? TMPGlyphState::Coloured
                                                               : TMPGlyphState::Enabled;
        const TBitmap glyph = MediaButtonGlyph(button, look, face);
        const int gx = x + (w - glyph.Width()) / 2 + (pressed ? 1 : 0);
        const int gy = (r.Height() - glyph.Height()) / 2 + (pressed ? 1 : 0);
        for (int y = 0; y < glyph.Height(); ++y)
            for (int i = 0; i < glyph.Width(); ++i)
                if (const TColor c = glyph.Pixel(i, y); c != kMPGlyphBackground)
                    bar.SetPixel(gx + i, gy + y, c);
        x += w;
    }
    BitBlt(Canvas().Handle(), 0, 0, bar.Width(), bar.Height(), BitmapDC(bar), 0, 0, SRCCOPY);
}
