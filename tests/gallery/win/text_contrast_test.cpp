// Every text of the Gallery readable in every skin. The main form, the MDI page, the dialog box and every
// page of the page table are shown skinned; each text is read back from the screen once as it
// is and once blanked, and the ink it adds must stand out from the background it sits on by at least 4.5:1
// (relative luminance; disabled text less).
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gallery/win/controls_dialog.h"
#include "gallery/win/gallery_form.h"
#include "gallery/win/gallery_page.h"
#include "gallery/win/mdi_form.h"
#include "platform/win/bit_btn.h"
#include "platform/win/forms.h"
#include "platform/win/speed_button.h"
#include "platform/win/status_bar.h"
#include "platform/win/std_controls.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/manager/win/skin_manage.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

constexpr double kLeastContrast = 4.5;
// Disabled text is meant to recede; it still has to be as plain as the platform's own (grey on grey, about
// 2.2:1).
constexpr double kLeastDisabledContrast = 2.0;
constexpr int kSkinWaitMs = 20000;  // deferred skin actions, on a loaded machine

double Luminance(std::uint32_t rgb) {
    auto channel = [](std::uint32_t v) {
        const double c = double(v & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(rgb >> 16) + 0.7152 * channel(rgb >> 8) + 0.0722 * channel(rgb);
}

double Contrast(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A window as it shows, children included, in its own window coordinates (0x00RRGGBB pixels).
struct Shot {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

Shot Grab(HWND top) {
    RedrawWindow(top, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return true; }, 0);
    RECT r;
    GetWindowRect(top, &r);
    Shot s;
    s.width = r.right - r.left;
    s.height = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = s.width;
    bi.bmiHeader.biHeight = -s.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HDC window = GetWindowDC(top);
    BitBlt(memory, 0, 0, s.width, s.height, window, 0, 0, SRCCOPY);
    ReleaseDC(top, window);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    s.pixels.assign(p, p + std::size_t(s.width) * std::size_t(s.height));
    for (auto& v : s.pixels) v &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return s;
}

// A rectangle of owner's client coordinates in top's window coordinates.
RECT InTopWindow(HWND owner, RECT r, HWND top) {
    MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&r), 2);
    RECT t;
    GetWindowRect(top, &t);
    OffsetRect(&r, -t.left, -t.top);
    return r;
}

// Where the text of a control can show: a window's client area (borders and scroll bars left out), a
// windowless control's bounds on its parent.
RECT TextArea(TControl* c, HWND top) {
    RECT r{};
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
        GetClientRect(w->Handle(), &r);
        return InTopWindow(w->Handle(), r, top);
    }
    r = {c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    return c->Parent() ? InTopWindow(c->Parent()->Handle(), r, top) : r;
}

// The ink of a text against its background: where the two shots differ, the background is the colour
// most of those pixels have without the text, and the ink is the pixel that stands out from it the most.
// 0 when the text left no trace.
double InkContrast(const Shot& with, const Shot& without, RECT area) {
    const RECT shot{0, 0, with.width, with.height};
    IntersectRect(&area, &area, &shot);
    std::map<std::uint32_t, int> background;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (with.At(x, y) != without.At(x, y)) ++background[without.At(x, y)];
    if (background.empty()) return 0;
    std::uint32_t bg = background.begin()->first;
    for (const auto& [colour, count] : background)
        if (count > background[bg]) bg = colour;
    double best = 1;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (without.At(x, y) == bg && with.At(x, y) != bg)
                best = std::max(best, Contrast(with.At(x, y), bg));
    return best;
}

BOOL CALLBACK CollapseSelection(HWND h, LPARAM) {
    if (WindowClassName(h) == L"Edit") SendMessageW(h, EM_SETSEL, 0, 0);
    return TRUE;
}

// A window's font drawn without smoothing while it lives: it is the text's colour that is measured, and Wine
// smooths the Latin letters of these fonts so thinly that none of their pixels reaches that colour.
class CrispFont {
public:
    explicit CrispFont(HWND h) : hwnd_(h), old_(HFONT(SendMessageW(h, WM_GETFONT, 0, 0))) {
        LOGFONTW lf{};
        if (!old_ || !GetObjectW(old_, sizeof lf, &lf)) return;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        crisp_ = CreateFontIndirectW(&lf);
        SendMessageW(h, WM_SETFONT, WPARAM(crisp_), FALSE);
    }
    ~CrispFont() {
        if (!crisp_) return;
        SendMessageW(hwnd_, WM_SETFONT, WPARAM(old_), FALSE);
        DeleteObject(crisp_);
    }
    CrispFont(const CrispFont&) = delete;
    CrispFont& operator=(const CrispFont&) = delete;

private:
    HWND hwnd_;
    HFONT old_;
    HFONT crisp_ = nullptr;
};

// The same for a framework control's font (its ParentFont setting survives).
class CrispControlFont {
public:
    explicit CrispControlFont(TControl* c) : control_(c), parentFont_(c->ParentFont()) {
        LOGFONTW lf{};
        if (!GetObjectW(c->Font()->Handle(), sizeof lf, &lf)) return;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        c->Font()->SetHandle(CreateFontIndirectW(&lf));  // the font owns it
        crisp_ = true;
    }
    ~CrispControlFont() {
        if (!crisp_) return;
        control_->Font()->SetHandle(nullptr);
        control_->SetParentFont(parentFont_);
    }
    CrispControlFont(const CrispControlFont&) = delete;
    CrispControlFont& operator=(const CrispControlFont&) = delete;

private:
    TControl* control_;
    bool parentFont_;
    bool crisp_ = false;
};

// A button's glyph taken away while its text is measured: a glyph laid out beside the text moves when the
// text is blanked, and its own pixels would be taken for the text's.
class NoGlyph {
public:
    explicit NoGlyph(TControl* c) {
        if (auto* b = dynamic_cast<TBitBtn*>(c)) {
            kind_ = b->Kind();
            glyph_ = b->Glyph();
            button_ = b;
            b->SetKind(bkCustom);
            b->SetCaption(caption_ = c->Caption());  // the kind's caption stays
        } else if (auto* s = dynamic_cast<TSpeedButton*>(c)) {
            glyph_ = s->Glyph();
        }
        if (glyph_) {
            saved_.Assign(glyph_->Bitmap());
            glyph_->Clear();
        }
    }
    ~NoGlyph() {
        if (glyph_) glyph_->SetBitmap(saved_);
        if (button_ && kind_ != bkCustom) button_->SetKind(kind_);
    }
    NoGlyph(const NoGlyph&) = delete;
    NoGlyph& operator=(const NoGlyph&) = delete;

private:
    TBitBtn* button_ = nullptr;
    TBitBtnKind kind_ = bkCustom;
    TGraphicBitmap* glyph_ = nullptr;
    TBitmap saved_;
    std::wstring caption_;
};

bool SkinnedNow(HWND h) {
    const TWinSkinForm* f = FindFormSkinner(h);
    return f && f->Skinstate == TWinSkinForm::kActive;
}

class GalleryTextContrast : public testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        InstallSkinDataPlatform();
        UseSkinManager();
        Application->Initialize();
    }
    static void TearDownTestSuite() { FreeSkinManager(); }

    void SetUp() override {
        main = new TGalleryForm(Application);
        main->DoCreate();
        main->UseSkin(GetParam());
        ASSERT_TRUE(main->SkinData1);
        ShowSkinned(main);
    }
    void TearDown() override { delete main; }

    TColor Face() const { return main->SkinData1->Colors[3]; }

    // Shows a form in front and waits until the skin has taken it over with the skin's face.
    void ShowSkinned(TForm* form) {
        form->Show();
        SetForegroundWindow(form->Handle());
        const bool skinned =
            PumpUntil([&] { return SkinnedNow(form->Handle()) && form->Color() == Face(); }, kSkinWaitMs);
        ASSERT_TRUE(skinned) << form->Name();
    }

    // Measures one text: shown, blanked by clear(), shown again by restore().
    void Measure(HWND top, const std::string& where, bool enabled, RECT area,
                 const std::function<bool()>& clear, const std::function<void()>& restore) {
        const Shot with = Grab(top);
        if (!clear()) return;  // the control keeps its text (a drop-down list, say): nothing to compare
        const Shot without = Grab(top);
        restore();
        const double contrast = InkContrast(with, without, area);
        EXPECT_GE(contrast, enabled ? kLeastContrast : kLeastDisabledContrast)
            << where << (enabled ? "" : " (disabled)") << " in the skin " << GetParam();
        ++measured;
    }

    // Every text on a form: captions and texts of its controls, and the status bars' panels.
    void MeasureForm(TWinControl* parent, HWND top) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            if (!c->Showing()) continue;
            const std::string where = (c->Name().empty() ? c->ClassName() : c->Name()) + " on " +
                                      (parent->Name().empty() ? parent->ClassName() : parent->Name());
            if (auto* bar = dynamic_cast<TCustomStatusBar*>(c)) {
                for (int p = 0; p < bar->Panels()->Count(); ++p) {
                    TStatusPanel* panel = bar->Panels()->Items(p);
                    const std::wstring text = panel->Text();
                    RECT pr{};
                    if (text.empty() || !SendMessageW(bar->Handle(), SB_GETRECT, WPARAM(p), LPARAM(&pr)))
                        continue;
                    Measure(
                        top, where + " panel " + std::to_string(p), c->Enabled(),
                        InTopWindow(bar->Handle(), pr, top),
                        [&] {
                            panel->SetText(L"");
                            return true;
                        },
                        [&] { panel->SetText(text); });
                }
                continue;
            }
            const std::wstring text = c->Caption();
            if (!text.empty()) {
                auto* label = dynamic_cast<TLabel*>(c);
                const bool autoSize = label && label->AutoSize();
                if (label) label->SetAutoSize(false);  // the blank label keeps its place
                const CrispControlFont crisp(c);
                const NoGlyph noGlyph(c);
                Measure(
                    top, where, c->Enabled(), TextArea(c, top),
                    [&] {
                        c->SetText(L"");
                        return c->Caption().empty();
                    },
                    [&] { c->SetText(text); });
                if (label) label->SetAutoSize(autoSize);
            }
            if (auto* w = dynamic_cast<TWinControl*>(c)) MeasureForm(w, top);
        }
    }

    // Every text of a window made without the framework (a dialog box, a message box): its children's.
    void MeasureWindows(HWND top) {
        for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            const std::wstring text = WindowText(child);
            // A button showing a picture has no text on screen.
            const bool picture = WindowClassName(child) == L"Button" &&
                                 (GetWindowLongW(child, GWL_STYLE) & (BS_BITMAP | BS_ICON));
            if (text.empty() || picture) continue;
            RECT area;
            GetClientRect(child, &area);
            const CrispFont crisp(child);
            Measure(
                top, WideToUtf8(WindowClassName(child)) + " \"" + WideToUtf8(text) + "\"",
                IsWindowEnabled(child), InTopWindow(child, area, top),
                [&] {
                    SetWindowTextW(child, L"");
                    return GetWindowTextLengthW(child) == 0;
                },
                [&] { SetWindowTextW(child, text.c_str()); });
        }
    }

    void MeasureTopLevel(TForm* form) {
        Settle(form->Handle());
        MeasureForm(form, form->Handle());
    }

    // No focus rectangle or selection follows a text around.
    static void Settle(HWND top) {
        SetFocus(top);
        EnumChildWindows(top, &CollapseSelection, 0);
    }

    TGalleryForm* main = nullptr;
    int measured = 0;
};

TEST_P(GalleryTextContrast, EveryTextOfEveryPageStandsOutFromItsBackground) {
    MeasureTopLevel(main);

    auto* mdi = new TMdiForm(Application);
    mdi->ShowTiled();
    ShowSkinned(mdi);
    MeasureTopLevel(mdi);
    for (int i = 0; i < mdi->MDIChildCount(); ++i)
        if (auto* child = dynamic_cast<TForm*>(mdi->MDIChildren(i))) MeasureForm(child, child->Handle());
    delete mdi;

    // The dialog box of raw standard controls (a message box's statics are answered the same way).
    const HWND dialog = ShowControlsDialog(main->Handle());
    ASSERT_TRUE(dialog);
    SetForegroundWindow(dialog);
    ASSERT_TRUE(PumpUntil([&] { return SkinnedNow(dialog); }, kSkinWaitMs));
    Settle(dialog);
    MeasureWindows(dialog);
    DestroyWindow(dialog);

    // Pages this test does not know by name are measured the same way.
    for (const GalleryPageEntry& entry : GalleryPageTable()) {
        SCOPED_TRACE(entry.name);
        TGalleryPage* page = MakeGalleryPage(entry, Application);
        page->DoCreate();
        ShowSkinned(page);
        MeasureTopLevel(page);
        delete page;
    }
    EXPECT_GT(measured, 2 + int(GalleryPageTable().size()));
}

INSTANTIATE_TEST_SUITE_P(Skins, GalleryTextContrast, testing::Values("tocvane", "full"));

}  // namespace
