// The hint popup.
#include "platform/win/hint_window.h"

const TClassInfo THintWindow::ClassInfo_{"THintWindow", &TCustomControl::ClassInfo_, &TWinControl::Props};

namespace {
constexpr UINT kHintFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    p.WndParent = ParentWindow();
    p.ClassStyle = CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::wstring& text) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, Font()->Handle());
    RECT r{0, 0, maxWidth, 0};
    DrawTextW(screen, text.c_str(), int(text.size()), &r, kHintFlags | DT_CALCRECT);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    // Room for the border and a little margin.
    return {0, 0, int(r.right) + 6, int(r.bottom) + 2};
}

void THintWindow::ActivateHint(const TRect& rect, const std::wstring& text) {
    SetText(text);
    HWND h = Handle();
    SetWindowTextW(h, text.c_str());
    SetWindowPos(h, HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateBounds();
    TControl::SetVisible(true);
    InvalidateRect(h, nullptr, TRUE);
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

void THintWindow::Paint() {
    TCanvas& c = Canvas();
    const TRect r = ClientRect();
    c.Brush().SetColor(Color());
    c.FillRect(r);
    HDC dc = c.Handle();
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    RECT rc{r.Left + 2, r.Top, r.Right - 2, r.Bottom};
    const std::wstring text = Caption();
    DrawTextW(dc, text.c_str(), int(text.size()), &rc, kHintFlags);
}

void THintWindow::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;  // a click on the hint must not activate it
        return;
    case WM_NCHITTEST: m.Result = HTTRANSPARENT; return;
    default: TCustomControl::WndProc(m);
    }
}
