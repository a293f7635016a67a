// Glyph, menu and speed button skinners on real controls under Wine: for every look, the pixels on screen
// against the cells of the skin's button image composed by the imaging routines and the cells of the
// glyph strip; a strip with fewer cells or none counted; the menu button's arrow where its margin puts it
// and its drop-down; speed buttons painted through their parent in a group; a lent dc given back as it came.
#include "skin/controls/win/skin_glyph_buttons.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/graphic_bitmap.h"
#include "platform/win/bit_btn.h"
#include "platform/win/menu_button.h"
#include "platform/win/menus.h"
#include "platform/win/speed_button.h"
#include "skin/controls/glyph_button.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/controls/win/skinner_fixtures.h"

namespace {

// A button of another library whose "NumGlyphs" can read 0 (ours never does).
class TLooseGlyphButton : public TButton {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TButton::TButton;
    TGraphicBitmap* Glyph() { return &glyph; }
    TGraphicBitmap glyph;
    int numGlyphs = 0;
};
const PropTable TLooseGlyphButton::Props{
    &TButton::Props,
    {Prop::Obj("Glyph", &TLooseGlyphButton::Glyph), Prop::Int("NumGlyphs", &TLooseGlyphButton::numGlyphs)}};
const TClassInfo TLooseGlyphButton::ClassInfo_{"TLooseGlyphButton", &TButton::ClassInfo_,
                                               &TLooseGlyphButton::Props};

constexpr TColor kCellColour[4] = {0x0000E0, 0x00C000, 0xE00000, 0x00E0E0};  // red, green, blue, yellow

// A strip of 16 x 16 cells: a square of the cell's colour ringed in black on the key colour.
TBitmap TestStrip(int cells) {
    TBitmap b(16 * cells, 16);
    b.Fill(SkinKeyColor);
    for (int c = 0; c < cells; ++c)
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 14; ++x)
                b.SetPixel(16 * c + x, y, x == 2 || y == 2 || x == 13 || y == 13 ? clBlack : kCellColour[c]);
    return b;
}

using PixelAt = std::function<TColor(int x, int y)>;

class GlyphButtonTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LoadDefaultSkin(skin, true));
        ASSERT_TRUE(skin.Button);
        host = MakeHostForm(400, 200);
        host->Show();
        Pump(30);
    }
    void TearDown() override {
        host.reset();
        FreeSkinManager();
    }

    // Does a w x h button show frame `frame` of the skin's button image at a point outside the columns
    // x0..x1 (where its glyph or arrow is) where that frame differs from every other one?
    bool ShowsFrame(const PixelAt& at, int w, int h, int frame, int x0, int x1) {
        const TDataSkinButton& b = *skin.Button;
        const TRect rc{0, 0, w, h};
        std::vector<std::unique_ptr<TBitmap>> frames;
        for (int f = 1; f <= b.frame; ++f)
            frames.push_back(MakeSkinBitmap(rc, b.Map, b.r, f, b.frame, b.Tile, 0));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x >= x0 && x < x1) continue;
                const TColor want = frames[std::size_t(frame - 1)]->Pixel(x, y);
                if (want == SkinKeyColor) continue;
                bool unique = true;
                for (int f = 1; f <= b.frame && unique; ++f)
                    if (f != frame && frames[std::size_t(f - 1)]->Pixel(x, y) == want) unique = false;
                if (unique) return at(x, y) == want;
            }
        ADD_FAILURE() << "no telling pixel for frame " << frame;
        return false;
    }
    static PixelAt OnWindow(HWND h) {
        return [h](int x, int y) { return WindowPixel(h, x, y); };
    }
    PixelAt OnParent(TControl* c) {
        return [this, c](int x, int y) {
            HDC dc = GetDC(host->Handle());
            const TColor p = TColor(GetPixel(dc, c->Left() + x, c->Top() + y));
            ReleaseDC(host->Handle(), dc);
            return p;
        };
    }
    TColor ButtonFace() const { return ResolveColor(skin.Colors[3]); }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
};

TBitBtn* NewBitBtn(TForm& host, int numGlyphs, int w, int h) {
    auto* b = new TBitBtn(&host);
    b->SetParent(&host);
    b->SetBounds(10, 10, w, h);
    b->Glyph()->SetBitmap(TestStrip(numGlyphs));
    b->SetNumGlyphs(numGlyphs);
    b->SetMargin(4);
    return b;
}

TEST_F(GlyphButtonTest, EachLookShowsItsFrameAndItsGlyphCell) {
    TBitBtn* b = NewBitBtn(*host, 4, 100, 30);
    auto* s = new TSkinBitButton(b);
    s->Init(&form, &skin, nullptr, true);
    const HWND h = b->Handle();
    EXPECT_EQ(SendMessageW(h, SM_ISSKINNED, 0, 0), 1);
    // No caption and a margin of 4: the glyph at (4, 7), its middle at (12, 15).
    auto glyph = [&] { return WindowPixel(h, 12, 15); };
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 1, 2, 22));
    EXPECT_EQ(glyph(), kCellColour[0]);
    EXPECT_NE(WindowPixel(h, 5, 8), SkinKeyColor);  // the strip's key colour is not drawn
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 4, 2, 22));
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 2, 2, 22));
    EXPECT_EQ(glyph(), kCellColour[2]);
    // Focused by the press; the focus reaches the control's own procedure, whose owner-drawing stays away.
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    Pump(30);
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 5, 2, 22));
    EXPECT_EQ(glyph(), kCellColour[0]);
    b->SetEnabled(false);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 3, 2, 22));
    EXPECT_EQ(glyph(), kCellColour[1]);
}

TEST_F(GlyphButtonTest, StripsWithoutTheCellAskedForAndWithoutACellCount) {
    // Two cells, pressed: cell 3 is missing, cell 1 shows.
    TBitBtn* two = NewBitBtn(*host, 2, 100, 30);
    (new TSkinBitButton(two))->Init(&form, &skin, nullptr, true);
    SendMessageW(two->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(WindowPixel(two->Handle(), 12, 15), kCellColour[0]);
    SendMessageW(two->Handle(), WM_MOUSELEAVE, 0, 0);

    // One cell, disabled: embossed, the black ring in the shadow colour and the fill left out.
    TBitBtn* one = NewBitBtn(*host, 1, 100, 30);
    one->SetTop(50);
    one->SetEnabled(false);
    (new TSkinBitButton(one))->Init(&form, &skin, nullptr, true);
    RedrawWindow(one->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(one->Handle(), 4 + 2, 7 + 5), ResolveColor(clBtnShadow));
    EXPECT_NE(WindowPixel(one->Handle(), 12, 15), kCellColour[0]);

    // A count of 0: the whole strip is one cell (it was cut into cells of no width).
    auto* loose = new TLooseGlyphButton(host.get());
    loose->SetParent(host.get());
    loose->SetBounds(10, 90, 100, 30);
    loose->glyph.SetBitmap(TestStrip(1));
    (new TSkinBitButton(loose))->Init(&form, &skin, nullptr, true);
    RedrawWindow(loose->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const int gx = (100 - 16) / 2;  // no caption, no margin: centred
    EXPECT_EQ(WindowPixel(loose->Handle(), gx + 8, 15), kCellColour[0]);
}

TEST_F(GlyphButtonTest, TheGlyphGoesWhereEachLayoutPutsIt) {
    static const char* const kLayouts[] = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
    for (int l = 0; l < 4; ++l) {
        TBitBtn* b = NewBitBtn(*host, 1, 90, 60);
        b->SetLayout(TButtonLayout(l));
        b->SetMargin(-1);
        b->SetSpacing(-1);
        b->SetCaption(L"开始 Go");
        (new TSkinBitButton(b))->Init(&form, &skin, nullptr, true);
        RedrawWindow(b->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        // The caption measured as the skinner measures it, in the button's font.
        const GlyphLayout layout = GlyphLayoutOf(kLayouts[l]);
        const TRect box = GlyphTextBounds(90, 60, 16, 16, layout);
        RECT r{box.Left, box.Top, box.Right, box.Bottom};
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, b->Font()->Handle());
        DrawTextW(screen, L"开始 Go", -1, &r, DT_CALCRECT | DT_WORDBREAK);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        const GlyphPlacement at =
            PlaceBitButton({90, 60, 16, 16, r.right - r.left, r.bottom - r.top, -1, -1, layout}, false);
        EXPECT_EQ(WindowPixel(b->Handle(), at.glyph.X + 8, at.glyph.Y + 8), kCellColour[0]) << kLayouts[l];
        delete b;
    }
}

// Closes the popup menu window once it is up.
struct MenuCloser {
    static inline HWND found = nullptr;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        HWND m = FindWindowW(L"#32768", nullptr);
        if (!m || !IsWindowVisible(m)) return;
        KillTimer(nullptr, id);
        found = m;
        EndMenu();
    }
};

TEST_F(GlyphButtonTest, MenuButtonsDrawTheirArrowWhereTheMarginPutsItAndDropTheirMenuDown) {
    auto* b = new TMenuButton(host.get());
    b->SetParent(host.get());
    b->SetBounds(10, 10, 100, 30);
    b->SetDefault(true);  // no default look: frame 5 never shows
    b->SetSpacing(-1);
    auto* other = new TButton(host.get());
    other->SetParent(host.get());
    other->SetBounds(200, 10, 60, 30);
    other->SetFocus();
    (new TSkinMenuButton(b))->Init(&form, &skin, nullptr, true);
    const HWND h = b->Handle();
    const TDataSkinButton& look = *skin.Button;
    const TColor ink = ResolveColor(look.newnormal ? look.Normalcolor2 : clWindowText);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 1, 48, 98));
    // Margin and spacing worked out: a quarter each of what is left, the arrow's centre at (92, 13).
    EXPECT_EQ(WindowPixel(h, 92, 13 + 1), ink);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 4, 48, 98));
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);

    // A margin with the spacing worked out keeps the arrow inside: at 4 + 3 x 29 = 91 of 100.
    b->SetMargin(4);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(h, 91, 13 + 1), ink);
    EXPECT_EQ(WindowPixel(h, 91, 13 - 1), ink);

    // A click drops the menu down; the skinner let the control click.
    auto* menu = new TPopupMenu(host.get());
    auto* item = new TMenuItem(host.get());
    item->SetCaption(L"复制");
    menu->Items()->Add(item);
    b->SetDropDownMenu(menu);
    MenuCloser::found = nullptr;
    SetTimer(nullptr, 0, 20, &MenuCloser::Tick);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 2, 48, 98));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_NE(MenuCloser::found, nullptr);
    b->SetEnabled(false);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(ShowsFrame(OnWindow(h), 100, 30, 3, 48, 98));
}

struct SpeedSetup {
    TSpeedButton* button;
    TSkinSpeedButton* skinner;
};

SpeedSetup NewSpeed(TForm& host, FormSkinnerStub& form, TSkinData& skin, int x, int group) {
    auto* b = new TSpeedButton(&host);
    b->SetParent(&host);
    b->SetBounds(x, 10, 60, 30);
    b->SetGroupIndex(group);
    b->Glyph()->SetBitmap(TestStrip(4));
    b->SetNumGlyphs(4);
    b->SetMargin(4);
    auto* s = new TSkinSpeedButton(b);
    s->InitGraphicControl(&form, &skin, nullptr);
    return {b, s};
}

TEST_F(GlyphButtonTest, SpeedButtonsPaintThroughTheirParentAndKeepOneOfTheirGroupDown) {
    const SpeedSetup a = NewSpeed(*host, form, skin, 10, 1);
    const SpeedSetup b = NewSpeed(*host, form, skin, 80, 1);
    const SpeedSetup flat = NewSpeed(*host, form, skin, 150, 0);
    flat.button->SetFlat(true);
    b.button->SetDown(true);
    for (const SpeedSetup& s : {a, b, flat}) EXPECT_EQ(s.button->Perform(SM_ISSKINNED), 1);
    EXPECT_EQ(a.skinner->hwnd, nullptr);
    auto redraw = [&] {
        RedrawWindow(host->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump(20);
    };
    auto glyph = [&](const SpeedSetup& s) { return OnParent(s.button)(12, 15); };
    redraw();
    EXPECT_TRUE(ShowsFrame(OnParent(a.button), 60, 30, 1, 2, 22));
    EXPECT_EQ(glyph(a), kCellColour[0]);
    EXPECT_TRUE(ShowsFrame(OnParent(b.button), 60, 30, 2, 2, 22));  // down: pressed frame, cell 4
    EXPECT_EQ(glyph(b), kCellColour[3]);
    // Flat and idle: the background alone around the glyph.
    EXPECT_EQ(OnParent(flat.button)(40, 4), ButtonFace());
    EXPECT_EQ(OnParent(flat.button)(2, 15), ButtonFace());

    // The mouse over the flat button: the framework tells it, and it shows the hot frame at once.
    SendMessageW(host->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(170, 20));
    EXPECT_TRUE(ShowsFrame(OnParent(flat.button), 60, 30, 4, 2, 22));
    SendMessageW(host->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 100));
    EXPECT_EQ(OnParent(flat.button)(40, 4), ButtonFace());

    // A press on the first button shows at once; the release puts it down and the second one up.
    SendMessageW(host->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
    EXPECT_TRUE(ShowsFrame(OnParent(a.button), 60, 30, 2, 2, 22));
    EXPECT_EQ(glyph(a), kCellColour[2]);
    SendMessageW(host->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
    EXPECT_TRUE(a.button->Down());
    EXPECT_FALSE(b.button->Down());
    redraw();
    EXPECT_EQ(glyph(a), kCellColour[3]);
    EXPECT_TRUE(ShowsFrame(OnParent(b.button), 60, 30, 1, 2, 22));
    EXPECT_EQ(glyph(b), kCellColour[0]);

    // Unskinned again: the control's own painting.
    delete a.skinner;
    EXPECT_NE(a.button->Perform(SM_ISSKINNED), 1);
}

TEST_F(GlyphButtonTest, ADcLentInWParamComesBackAsItCame) {
    TBitBtn* bit = NewBitBtn(*host, 4, 100, 30);
    (new TSkinBitButton(bit))->Init(&form, &skin, nullptr, true);
    auto* menu = new TMenuButton(host.get());
    menu->SetParent(host.get());
    menu->SetBounds(10, 50, 100, 30);
    (new TSkinMenuButton(menu))->Init(&form, &skin, nullptr, true);
    const SpeedSetup speed = NewSpeed(*host, form, skin, 150, 0);

    ClientDC screen(nullptr);
    MemoryDC dc(screen);
    Owned<HBITMAP> surface{CreateCompatibleBitmap(screen, 200, 100)};
    Selected useSurface{dc, surface.get()};
    Owned<HFONT> font{CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial")};
    Selected useFont{dc, font.get()};
    SetTextColor(dc, RGB(200, 10, 10));
    SetBkMode(dc, OPAQUE);
    SetViewportOrgEx(dc, 3, 4, nullptr);
    IntersectClipRect(dc, 5, 5, 90, 25);
    struct State {
        RECT clip;
        COLORREF text;
        int mode;
        HGDIOBJ font;
        POINT origin;
        bool operator==(const State& o) const {
            return EqualRect(&clip, &o.clip) && text == o.text && mode == o.mode && font == o.font &&
                   origin.x == o.origin.x && origin.y == o.origin.y;
        }
    };
    auto read = [&] {
        State s{};
        GetClipBox(dc, &s.clip);
        s.text = GetTextColor(dc);
        s.mode = GetBkMode(dc);
        s.font = GetCurrentObject(dc, OBJ_FONT);
        GetViewportOrgEx(dc, &s.origin);
        return s;
    };
    const State before = read();
    SendMessageW(bit->Handle(), WM_PAINT, WPARAM(dc.get()), 0);
    EXPECT_TRUE(read() == before) << "glyph button";
    SendMessageW(menu->Handle(), WM_PAINT, WPARAM(dc.get()), 0);
    EXPECT_TRUE(read() == before) << "menu button";
    speed.button->Perform(WM_PAINT, WPARAM(dc.get()), 0);
    EXPECT_TRUE(read() == before) << "speed button";
}

}  // namespace
