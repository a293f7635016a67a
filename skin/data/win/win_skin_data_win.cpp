// The skin component's platform services on Windows, the optional user32 entry points and the text
// helpers of the unit.
#include "skin/data/win/win_skin_data_win.h"

#include "platform/win/bitmap_win.h"
#include "skin/imaging/win/img_gdi.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// ---- user32 entry points -----------------------------------------------------------------------------

struct User32Library {
    HMODULE module = nullptr;
    TUser32Entries entries;

    User32Library() {
        module = LoadLibraryW(L"user32.dll");
        if (!module) return;
        auto find = [this](auto& slot, const char* name) {
            slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
                reinterpret_cast<void*>(GetProcAddress(module, name)));
        };
        find(entries.GetScrollBarInfo, "GetScrollBarInfo");
        find(entries.TrackMouseEvent, "TrackMouseEvent");
        find(entries.GetComboBoxInfo, "GetComboBoxInfo");
        find(entries.DisableProcessWindowsGhosting, "DisableProcessWindowsGhosting");
    }
    ~User32Library() {
        if (module) FreeLibrary(module);
    }
};

User32Library& Library() {
    static User32Library library;  // released at shutdown
    return library;
}

// ---- the hint window ---------------------------------------------------------------------------------

// A plain tooltip-coloured popup that never takes the activation: the manager's activation hook must not
// see it as a window to skin.
class THintWindow {
public:
    THintWindow() {
        static const ATOM atom = Register();
        hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, MAKEINTATOM(atom), L"",
                                WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                                this);
    }
    ~THintWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    HWND Handle() const { return hwnd_; }

    // The rectangle the text needs at most maxWidth pixels wide, with the border and a margin.
    RECT CalcHintRect(int maxWidth, const std::wstring& text) const {
        RECT r{0, 0, maxWidth, 0};
        HDC dc = GetDC(hwnd_);
        HGDIOBJ old = SelectObject(dc, Font());
        DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
        r.right += 6;
        r.bottom += 2;
        return r;
    }

    void ActivateHint(const RECT& r, const std::wstring& text) {
        text_ = text;
        SetWindowPos(hwnd_, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }

private:
    static HFONT Font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

    static ATOM Register() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
        wc.lpszClassName = L"TSkinHintWindow";
        return RegisterClassExW(&wc);
    }

    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(l);
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        } else if (msg == WM_MOUSEACTIVATE) {
            return MA_NOACTIVATE;
        } else if (msg == WM_PAINT) {
            auto* self = reinterpret_cast<THintWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT r;
            GetClientRect(h, &r);
            r.left += 2;
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            HGDIOBJ old = SelectObject(dc, Font());
            if (self)
                DrawTextW(dc, self->text_.c_str(), int(self->text_.size()), &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
            SelectObject(dc, old);
            EndPaint(h, &ps);
            return 0;
        }
        return DefWindowProcW(h, msg, w, l);
    }

    HWND hwnd_ = nullptr;
    std::wstring text_;
};

// ---- the services of one component -------------------------------------------------------------------

class TWin32SkinDataNative : public TSkinDataNative {
public:
    ~TWin32SkinDataNative() override {
        if (font_) DeleteObject(font_);
        if (brush_) DeleteObject(brush_);
    }

    int SystemMetric(Metric m) const override {
        switch (m) {
        case cxMaximized: return GetSystemMetrics(SM_CXMAXIMIZED);
        case cyMaximized: return GetSystemMetrics(SM_CYMAXIMIZED);
        case cxHScroll:   return GetSystemMetrics(SM_CXHSCROLL);
        case cxSmallIcon: return GetSystemMetrics(SM_CXSMICON);
        case cySmallIcon: return GetSystemMetrics(SM_CYSMICON);
        }
        return 0;
    }

    bool HasScrollBarInfo() const override { return User32Entries().GetScrollBarInfo != nullptr; }

    void GetCaptionFont() override {
        if (font_) DeleteObject(font_);
        font_ = nullptr;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;  // 504 bytes with the padded border width
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            font_ = CreateFontIndirectW(&metrics.lfCaptionFont);
    }

    HFONT CaptionFont() const override {
        return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }

    bool GetAppIcon(TBitmap& bitmap) override {
        HWND app = ApplicationWindow();
        if (!app) return false;
        auto icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
        if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
        if (!icon) return false;
        const int w = bitmap.Width(), h = bitmap.Height();
        auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE));
        DrawIconEx(BitmapDC(bitmap), 0, 0, copy ? copy : icon, w, h, 0, nullptr, DI_NORMAL);
        if (copy) DestroyIcon(copy);
        return true;
    }

    void MakeBGBrush(TColor color) override {
        if (brush_) DeleteObject(brush_);
        brush_ = CreateSolidBrush(ResolveColor(color));
    }
    HBRUSH BGBrush() const override { return brush_; }

    void ShowHint(const TRect& rect, const std::wstring& text) override {
        if (!hint_) hint_ = std::make_unique<THintWindow>();
        RECT r = hint_->CalcHintRect(500, text);
        OffsetRect(&r, rect.Left, rect.Top);
        hint_->ActivateHint(r, text);
    }
    void HideHint() override {
        if (hint_) ShowWindow(hint_->Handle(), SW_HIDE);
    }

    HWND FormWindow(TComponent* owner) const override {
        if (!owner || !owner->InheritsFrom("TCustomForm")) return nullptr;
        // A form's window is the top-level window of this thread that carries the form as its object.
        FormSearch search{owner, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), &MatchForm, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

private:
    // The application's window: the owner of this thread's top-level framework windows, or the first
    // framework window itself when it has no owner.
    static HWND ApplicationWindow() {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &MatchFrameworkWindow, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    struct FormSearch {
        TComponent* form;
        HWND found;
    };
    static BOOL CALLBACK MatchForm(HWND h, LPARAM l) {
        auto* s = reinterpret_cast<FormSearch*>(l);
        if (ControlOfWindow(h) != s->form) return TRUE;
        s->found = h;
        return FALSE;
    }
    static BOOL CALLBACK MatchFrameworkWindow(HWND h, LPARAM l) {
        if (!ControlOfWindow(h)) return TRUE;
        HWND owner = GetWindow(h, GW_OWNER);
        *reinterpret_cast<HWND*>(l) = owner ? owner : h;
        return FALSE;
    }

    HFONT font_ = nullptr;
    HBRUSH brush_ = nullptr;
    std::unique_ptr<THintWindow> hint_;
};

std::unique_ptr<TSkinDataNative> Win32Native(TSkinData&) { return std::make_unique<TWin32SkinDataNative>(); }

}  // namespace

void InstallSkinDataPlatform() {
    Library();
    UseSystemColors();
    SetSkinDataNativeFactory(&Win32Native);
}

const TUser32Entries& User32Entries() { return Library().entries; }

bool SkinGetScrollBarInfo(HWND window, LONG objectId, PSCROLLBARINFO info) {
    auto f = User32Entries().GetScrollBarInfo;
    return f && f(window, objectId, info);
}

bool SkinGetComboBoxInfo(HWND window, PCOMBOBOXINFO info) {
    auto f = User32Entries().GetComboBoxInfo;
    return f && f(window, info);
}

bool SkinIsNT() { return (GetVersion() & 0x80000000u) == 0; }

int SkinDrawText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
    if (SkinIsNT()) return DrawTextW(dc, text.c_str(), int(text.size()), &rect, format);
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), ansi.data(), size, nullptr, nullptr);
    return DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), size);
    return wide;
}

std::wstring WideLeft(const std::wstring& text, int count) {
    if (count < 0 || std::size_t(count) >= text.size()) return text;
    return text.substr(0, std::size_t(count));
}

void TrackMouseLeave(HWND window) {
    auto f = User32Entries().TrackMouseEvent;
    if (!f) return;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;  // 16 bytes on 32-bit Windows
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = window;
    f(&tme);
}

TObject* ControlOfWindow(HWND window) {
    if (!window) return nullptr;
    wchar_t key[32];
    std::swprintf(key, 32, L"ControlOfs%.8X%.8X", unsigned(reinterpret_cast<UINT_PTR>(GetModuleHandleW(nullptr))),
                  unsigned(GetCurrentThreadId()));
    return static_cast<TObject*>(GetPropW(window, key));
}
