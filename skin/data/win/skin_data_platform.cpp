// The skin component's platform services on Windows, the optional user32 entry points and the text
// helpers of the unit.
#include "skin/data/win/skin_data_platform.h"

#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/hint_window.h"
#include "platform/win/window_class.h"
#include "skin/imaging/win/img_gdi.h"

#include <memory>
#include <vector>

namespace {

// ---- user32 entry points -----------------------------------------------------------------------------

struct User32Library {
    HMODULE module = nullptr;
    User32EntryPoints entries;

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

// ---- the services of one component -------------------------------------------------------------------

class Win32SkinDataNative : public SkinDataNative {
public:
    int SystemMetric(Metric m) const override {
        switch (m) {
        case cxMaximized: return GetSystemMetrics(SM_CXMAXIMIZED);
        case cyMaximized: return GetSystemMetrics(SM_CYMAXIMIZED);
        case cxHScroll: return GetSystemMetrics(SM_CXHSCROLL);
        case cxSmallIcon: return GetSystemMetrics(SM_CXSMICON);
        case cySmallIcon: return GetSystemMetrics(SM_CYSMICON);
        }
        return 0;
    }

    bool HasScrollBarInfo() const override { return User32Entries().GetScrollBarInfo != nullptr; }

    void GetCaptionFont() override {
        font_.reset();
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;  // 504 bytes with the padded border width
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            font_.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
    }

    HFONT CaptionFont() const override {
        return font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
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

    void MakeBGBrush(TColor color) override { brush_.reset(CreateSolidBrush(ResolveColor(color))); }
    HBRUSH BGBrush() const override { return brush_.get(); }

    void ShowHint(const TRect& rect, const std::wstring& text) override {
        if (!hint_) hint_ = std::make_unique<THintWindow>(nullptr);
        const TRect r = hint_->CalcHintRect(500, text);
        hint_->ActivateHint(Bounds(rect.Left, rect.Top, r.Width(), r.Height()), text);
    }
    void HideHint() override {
        if (hint_) hint_->SetVisible(false);
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

    Owned<HFONT> font_;
    Owned<HBRUSH> brush_;
    // The framework's hint popup: it never takes the activation, so the manager's activation hook does not
    // see it as a window to skin.
    std::unique_ptr<THintWindow> hint_;
};

std::unique_ptr<SkinDataNative> Win32Native(TSkinData&) { return std::make_unique<Win32SkinDataNative>(); }

}  // namespace

void InstallSkinDataPlatform() {
    Library();
    UseSystemColors();
    SetSkinDataNativeFactory(&Win32Native);
}

const User32EntryPoints& User32Entries() { return Library().entries; }

bool SkinGetScrollBarInfo(HWND window, LONG objectId, PSCROLLBARINFO info) {
    auto f = User32Entries().GetScrollBarInfo;
    return f && f(window, objectId, info);
}

bool SkinGetComboBoxInfo(HWND window, PCOMBOBOXINFO info) {
    auto f = User32Entries().GetComboBoxInfo;
    return f && f(window, info);
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

TObject* ControlOfWindow(HWND window) { return static_cast<TObject*>(FrameworkObjectOfWindow(window)); }
