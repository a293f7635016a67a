// Check box and radio button skinners on real controls under Wine: the pixels of each look against the cell
// of the skin's image, cut by the imaging routines; raw controls keeping their own caption, framework ones
// drawn whole (caption side, colours, the parent behind a transparent one); every cell of the full skin's
// 12- and 8-cell images under the mouse; broken cell counts; lent device contexts given back unchanged.
#include "skin/controls/win/skin_check_box.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include <set>
#include <vector>

#include "platform/stream.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/check_boxes.h"
#include "platform/win/sys_utils.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

// The window's pixels as they are on screen now.
TBitmap Capture(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    TBitmap shot(r.right - r.left, r.bottom - r.top, pf24bit);
    HDC dc = GetWindowDC(h);
    BitBlt(BitmapDC(shot), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(h, dc);
    return shot;
}

void Redraw(HWND h) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(20);
}

// Cell `cell` of a strip of `frames` cells side by side, cut out unscaled.
TBitmap Cell(const TBitmap& strip, int frames, int cell) {
    const int w = strip.Width() / frames;
    TBitmap out(w, strip.Height(), pf24bit);
    StretchCopy(out, {0, 0, w, strip.Height()}, strip, {(cell - 1) * w, 0, cell * w, strip.Height()});
    return out;
}

// Whether the window shows cell `cell` at (x, y): every pixel of the cell that is not the key colour.
::testing::AssertionResult ShowsCell(HWND h, const TBitmap& strip, int frames, int cell, int x, int y) {
    const TBitmap want = Cell(strip, frames, cell);
    const TBitmap shot = Capture(h);
    for (int j = 0; j < want.Height(); ++j)
        for (int i = 0; i < want.Width(); ++i) {
            const TColor c = want.Pixel(i, j);
            if (c == SkinKeyColor || shot.Pixel(x + i, y + j) == c) continue;
            return ::testing::AssertionFailure()
                   << "cell " << cell << " differs at " << i << "," << j << ": " << std::hex
                   << shot.Pixel(x + i, y + j) << " shown, " << c << " in the cell";
        }
    return ::testing::AssertionSuccess();
}

// The colours of a rectangle of the window.
std::set<TColor> Colours(HWND h, const TRect& r) {
    const TBitmap shot = Capture(h);
    std::set<TColor> out;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) out.insert(shot.Pixel(x, y));
    return out;
}

bool SamePixels(HWND a, HWND b, const TRect& r) {
    const TBitmap sa = Capture(a), sb = Capture(b);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (sa.Pixel(x, y) != sb.Pixel(x, y)) return false;
    return true;
}

class SkinCheckBoxTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterTestClass(L"TvCheckParent"); }
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        const std::vector<std::uint8_t> full = testskin::BuiltPackage("full.skn");
        ASSERT_FALSE(full.empty());
        fullSkin.SetSkinFormtype(sfDialog);
        TMemoryStream s(full);
        fullSkin.LoadFromStream(s);
        ASSERT_FALSE(fullSkin.Empty);
        parent = CreateWindowExW(0, L"TvCheckParent", L"", WS_POPUP | WS_VISIBLE, 40, 40, 360, 200, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        host = MakeHostForm(360, 200);
        host->SetLeft(420);
        host->Show();
        Pump(30);
    }
    void TearDown() override {
        host.reset();
        if (parent) DestroyWindow(parent);
        FreeSkinManager();
    }
    HWND Raw(const wchar_t* text, DWORD style, int x, int y) {
        return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, 120, 20, parent,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    template <class C>
    C* Framework(const wchar_t* text, int x, int y, int w = 120, int h = 20) {
        auto* c = new C(host.get());
        c->SetParent(host.get());
        c->SetBounds(x, y, w, h);
        c->SetCaption(text);
        return c;
    }
    const TDataSkinButton& Buttons(const TSkinData& s) const { return *s.Button; }

    TSkinData skin{nullptr}, fullSkin{nullptr};
    FormSkinnerStub form;
    HWND parent = nullptr;
    std::unique_ptr<TForm> host;
};

// The image of a 20-pixel-tall control sits at its left edge, vertically centred: 13-pixel cells at y 3.
constexpr int kImageTop = (20 - 13) / 2;

TEST_F(SkinCheckBoxTest, RawCheckBoxShowsEachStateOverItsOwnBoxAndKeepsItsCaption) {
    const HWND box = Raw(L"记住 Remember", BS_AUTO3STATE, 10, 10);
    const HWND plain = Raw(L"记住 Remember", BS_AUTO3STATE, 10, 40);
    TSkinCheckBox s(&form);
    s.Inithwnd(box, &skin, nullptr, &form);
    EXPECT_EQ(SendMessageW(box, SM_ISSKINNED, 0, 0), 1);
    const TBitmap& map = Buttons(skin).CheckMap;
    const int n = Buttons(skin).checkframe;
    ASSERT_EQ(n, 5);
    struct Look {
        WPARAM check;
        bool disabled;
        int cell;
    };
    for (const Look& l :
         {Look{BST_UNCHECKED, false, 1}, Look{BST_CHECKED, false, 2}, Look{BST_INDETERMINATE, false, 4},
          Look{BST_UNCHECKED, true, 3}, Look{BST_CHECKED, true, 4}, Look{BST_INDETERMINATE, true, 4}}) {
        SCOPED_TRACE(l.cell);
        EnableWindow(box, !l.disabled);
        EnableWindow(plain, !l.disabled);
        SendMessageW(box, BM_SETCHECK, l.check, 0);
        SendMessageW(plain, BM_SETCHECK, l.check, 0);
        Redraw(box);
        Redraw(plain);
        EXPECT_EQ(s.kind, 0);
        EXPECT_TRUE(ShowsCell(box, map, n, l.cell, 0, kImageTop));
        // The caption is the control's own: right of the image, pixel for pixel the unskinned control's.
        EXPECT_TRUE(SamePixels(box, plain, {16, 0, 120, 20}));
    }
    EXPECT_EQ(s.state, int(BST_INDETERMINATE) + 1);  // the last BM_SETCHECK, for data-aware boxes
}

TEST_F(SkinCheckBoxTest, PickingARawRadioButtonClearsTheOthersOnScreen) {
    const HWND a = Raw(L"甲", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10),
               b = Raw(L"乙", BS_AUTORADIOBUTTON, 10, 40), c = Raw(L"丙", BS_AUTORADIOBUTTON, 10, 70);
    std::vector<std::unique_ptr<TSkinRadioButton>> skinners;
    for (HWND h : {a, b, c}) {
        skinners.push_back(std::make_unique<TSkinRadioButton>(&form));
        skinners.back()->Inithwnd(h, &skin, nullptr, &form);
    }
    SendMessageW(a, BM_SETCHECK, BST_CHECKED, 0);
    for (HWND h : {a, b, c}) Redraw(h);
    const TBitmap& map = Buttons(skin).RadioMap;
    const int n = Buttons(skin).radioframe;
    EXPECT_TRUE(ShowsCell(a, map, n, 2, 0, kImageTop));
    EXPECT_TRUE(ShowsCell(b, map, n, 1, 0, kImageTop));
    // A click on the second: the control checks it and clears the others, each repainted from the skin.
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump(30);
    EXPECT_EQ(SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(ShowsCell(a, map, n, 1, 0, kImageTop));
    EXPECT_TRUE(ShowsCell(b, map, n, 2, 0, kImageTop));
    EXPECT_TRUE(ShowsCell(c, map, n, 1, 0, kImageTop));
    EnableWindow(b, FALSE);
    Redraw(b);
    EXPECT_TRUE(ShowsCell(b, map, n, 4, 0, kImageTop));
}

// Every cell of a 12-cell check image: normal, hot, pressed and disabled of the three states, the mouse
// driving the control as the platform sends it.
TEST_F(SkinCheckBoxTest, FrameworkCheckBoxShowsEveryCellOfATwelveCellImage) {
    auto* box = Framework<TCheckBox>(L"三态 Three states", 10, 10);
    box->SetAllowGrayed(true);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    auto* s = new TSkinCheckBox(box);
    s->Init(&form, &fullSkin, nullptr, true);
    EXPECT_EQ(s->kind, 1);
    const HWND h = box->Handle();
    const TBitmap& map = Buttons(fullSkin).CheckMap;
    ASSERT_EQ(Buttons(fullSkin).checkframe, 12);
    auto shows = [&](int cell) {
        Pump(20);
        return ShowsCell(h, map, 12, cell, 0, kImageTop);
    };
    // A click moves unchecked to grayed (allowed here), grayed to checked, checked to unchecked.
    struct Step {
        TCheckBoxState state;
        int base;
    };
    for (const Step& st : {Step{cbUnchecked, 1}, Step{cbGrayed, 9}, Step{cbChecked, 5}}) {
        SCOPED_TRACE(st.base);
        ASSERT_EQ(box->State(), st.state);
        Redraw(h);
        EXPECT_TRUE(shows(st.base));
        SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(shows(st.base + 1));
        box->SetEnabled(false);  // the mouse changes nothing then
        Pump(20);
        EXPECT_TRUE(shows(st.base + 3));
        box->SetEnabled(true);
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_TRUE(shows(st.base + 2));
        // Dragged off to the left while captured (a negative x): neither pressed nor hot.
        SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-4, 5));
        EXPECT_TRUE(shows(st.base));
        SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_TRUE(shows(st.base + 2));
        const int before = clicks;
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // a click: the next state
        EXPECT_EQ(clicks, before + 1);
        SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    }
    EXPECT_EQ(box->State(), cbUnchecked);
    Redraw(h);
    EXPECT_TRUE(shows(1));
}

TEST_F(SkinCheckBoxTest, FrameworkRadioButtonsShowTheEightCellsAndOneIsChecked) {
    auto* first = Framework<TRadioButton>(L"甲 First", 10, 10);
    auto* second = Framework<TRadioButton>(L"乙 Second", 10, 40);
    first->SetChecked(true);
    for (TRadioButton* r : {first, second}) (new TSkinRadioButton(r))->Init(&form, &fullSkin, nullptr, false);
    const TBitmap& map = Buttons(fullSkin).RadioMap;
    ASSERT_EQ(Buttons(fullSkin).radioframe, 8);
    auto shows = [&](TRadioButton* r, int cell) {
        Redraw(r->Handle());
        return ShowsCell(r->Handle(), map, 8, cell, 0, kImageTop);
    };
    EXPECT_TRUE(shows(first, 5));
    EXPECT_TRUE(shows(second, 1));
    const HWND h = second->Handle();
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(shows(second, 2));
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(shows(second, 3));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());
    EXPECT_TRUE(shows(first, 1));
    EXPECT_TRUE(shows(second, 5));
    second->SetEnabled(false);
    first->SetEnabled(false);
    EXPECT_TRUE(shows(second, 8));
    EXPECT_TRUE(shows(first, 4));
}

TEST_F(SkinCheckBoxTest, FrameworkCaptionSitsBesideTheImageInItsColours) {
    // The dark skin: its button text is light on a dark face, where the platform's text colour is black.
    const TColor face = ResolveColor(fullSkin.Colors[3]);
    const TBitmap& map = Buttons(fullSkin).CheckMap;
    auto* plain = Framework<TCheckBox>(L"选中 Checked", 10, 10, 100, 20);
    auto* left = Framework<TCheckBox>(L"左 Left", 10, 40, 100, 20);
    left->SetAlignment(taLeftJustify);
    auto* red = Framework<TCheckBox>(L"红 Red", 10, 70, 100, 20);
    red->Font()->SetColor(clRed);
    auto* off = Framework<TCheckBox>(L"禁用 Off", 10, 100, 100, 20);
    off->SetEnabled(false);
    for (TCheckBox* c : {plain, left, red, off})
        (new TSkinCheckBox(c))->Init(&form, &fullSkin, nullptr, false);
    for (TCheckBox* c : {plain, left, red, off}) Redraw(c->Handle());
    // Text pixels (smoothed into the face): lighter or darker than the face, or red.
    auto any = [](const std::set<TColor>& colours, auto pred) {
        for (TColor c : colours)
            if (pred(c)) return true;
        return false;
    };
    auto light = [&](TColor c) { return GetGValue(c) > GetGValue(face) + 80; };
    auto dark = [&](TColor c) { return GetGValue(c) + 20 < GetGValue(face); };
    auto reddish = [](TColor c) { return GetRValue(c) > GetGValue(c) + 80; };

    // The image at the left, the text from 15 on in the skin's light button text; nothing left of it.
    EXPECT_TRUE(ShowsCell(plain->Handle(), map, 12, 1, 0, kImageTop));
    const std::set<TColor> text = Colours(plain->Handle(), {15, 0, 100, 20});
    EXPECT_TRUE(any(text, light));
    EXPECT_FALSE(any(text, dark));
    EXPECT_EQ(Colours(plain->Handle(), {13, 0, 15, 20}), std::set<TColor>{face});
    // The text on the left (BS_LEFTTEXT): the image at 87..100, the text ending at 85.
    EXPECT_TRUE(ShowsCell(left->Handle(), map, 12, 1, 87, kImageTop));
    EXPECT_TRUE(any(Colours(left->Handle(), {0, 0, 85, 20}), light));
    EXPECT_EQ(Colours(left->Handle(), {85, 0, 87, 20}), std::set<TColor>{face});
    // A colour the program chose is kept; a disabled caption is in the button shadow colour.
    EXPECT_TRUE(any(Colours(red->Handle(), {15, 0, 100, 20}), reddish));
    const std::set<TColor> disabled = Colours(off->Handle(), {15, 0, 100, 20});
    EXPECT_TRUE(disabled.count(ResolveColor(clBtnShadow)));
    EXPECT_FALSE(any(disabled, [](TColor c) { return GetGValue(c) > 140; }));  // nothing of the button text
    // Focused: a dotted frame round the caption, except on systems of major version 6 (Wine's here).
    const TBitmap before = Capture(plain->Handle());
    plain->SetFocus();
    ASSERT_EQ(GetFocus(), plain->Handle());
    Redraw(plain->Handle());
    const TBitmap after = Capture(plain->Handle());
    int changed = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 15; x < 100; ++x) changed += before.Pixel(x, y) != after.Pixel(x, y);
    if (PlatformInfo().Win32MajorVersion == 6)
        EXPECT_EQ(changed, 0);
    else
        EXPECT_GT(changed, 20);
}

TEST_F(SkinCheckBoxTest, TransparentBoxShowsItsParentBehind) {
    auto* panel = new TPanel(host.get());
    panel->SetParent(host.get());
    panel->SetBounds(10, 10, 200, 80);
    panel->SetBevelOuter(bvNone);
    const TColor green = RGBColor(0, 160, 40);
    panel->SetColor(green);
    auto make = [&](int tag, int y) {
        auto* c = new TCheckBox(host.get());
        c->SetParent(panel);
        c->SetBounds(10, y, 150, 20);
        c->SetCaption(L"透明");
        c->SetTag(tag);
        auto* s = new TSkinCheckBox(c);
        s->Init(&form, &skin, nullptr, false);
        Redraw(c->Handle());
        return std::make_pair(c, s);
    };
    const auto [clear, clearSkinner] = make(5555, 10);
    const auto [solid, solidSkinner] = make(0, 40);
    EXPECT_TRUE(clearSkinner->trans);
    EXPECT_FALSE(solidSkinner->trans);
    // Far right of the short caption: the panel's green behind the transparent one, the skin's face
    // behind the other.
    EXPECT_EQ(Colours(clear->Handle(), {120, 0, 150, 20}), std::set<TColor>{green});
    EXPECT_EQ(Colours(solid->Handle(), {120, 0, 150, 20}), std::set<TColor>{ResolveColor(skin.Colors[3])});
    // Around the image's rounded corners too (the key colour shows what is behind).
    EXPECT_EQ(Capture(clear->Handle()).Pixel(0, kImageTop), green);
}

TEST_F(SkinCheckBoxTest, BrokenCellCountsAndMissingImages) {
    // A count of 0 or less is one cell: the whole strip, no division by zero.
    for (int frames : {0, -2}) {
        skin.Button->checkframe = frames;
        skin.Button->radioframe = frames;
        auto* box = Framework<TCheckBox>(L"零", 10, 10, 120, 20);
        auto* radio = Framework<TRadioButton>(L"零", 10, 40, 120, 20);
        (new TSkinCheckBox(box))->Init(&form, &skin, nullptr, false);
        (new TSkinRadioButton(radio))->Init(&form, &skin, nullptr, false);
        box->SetChecked(true);
        Redraw(box->Handle());
        Redraw(radio->Handle());
        EXPECT_TRUE(ShowsCell(box->Handle(), skin.Button->CheckMap, 1, 1, 0, kImageTop));
        EXPECT_TRUE(ShowsCell(radio->Handle(), skin.Button->RadioMap, 1, 1, 0, kImageTop));
        delete box;
        delete radio;
    }
    // No check image: the skinner steps back and the control paints itself, as an unskinned one does.
    skin.Button->CheckMap.Clear();
    auto* box = Framework<TCheckBox>(L"无图 No image", 10, 10, 120, 20);
    auto* twin = Framework<TCheckBox>(L"无图 No image", 10, 40, 120, 20);
    auto* s = new TSkinCheckBox(box);
    s->Init(&form, &skin, nullptr, false);
    EXPECT_EQ(s->kind, 0);
    Redraw(box->Handle());
    Redraw(twin->Handle());
    EXPECT_TRUE(SamePixels(box->Handle(), twin->Handle(), {0, 0, 120, 20}));
    EXPECT_EQ(SendMessageW(box->Handle(), SM_ISSKINNED, 0, 0), 1);
}

// The skin changes under a skinned control (the same component loads another package): the new image shows,
// and a control that had no image to draw is drawn whole once the new skin has one.
TEST_F(SkinCheckBoxTest, ASkinChangeShowsTheNewSkinsImage) {
    auto* box = Framework<TCheckBox>(L"换肤 Skin change", 10, 10);
    box->SetChecked(true);
    skin.Button->CheckMap.Clear();
    auto* s = new TSkinCheckBox(box);
    s->Init(&form, &skin, nullptr, false);
    EXPECT_EQ(s->kind, 0);
    TMemoryStream full(testskin::BuiltPackage("full.skn"));
    skin.LoadFromStream(full);
    ASSERT_EQ(skin.Button->checkframe, 12);
    s->SkinChange();
    EXPECT_EQ(s->kind, 1);
    Pump(20);
    EXPECT_TRUE(ShowsCell(box->Handle(), skin.Button->CheckMap, 12, 5, 0, kImageTop));
    // Back to the default skin, whose cells have the same size: its own cell, not the one kept from before.
    ASSERT_TRUE(LoadDefaultSkin(skin, false));
    s->SkinChange();
    Pump(20);
    EXPECT_TRUE(ShowsCell(box->Handle(), skin.Button->CheckMap, 5, 2, 0, kImageTop));
}

// A device context lent with a message (WM_PRINT, WM_PAINT, WM_ERASEBKGND) comes back with the state it had;
// after a raw control's own painting, with the state the control left it in.
TEST_F(SkinCheckBoxTest, ALentDeviceContextComesBackAsItWas) {
    auto* box = Framework<TCheckBox>(L"借用 Lent", 10, 10);
    box->SetTag(5555);
    auto* s = new TSkinCheckBox(box);
    s->Init(&form, &skin, nullptr, false);
    const HWND raw = Raw(L"借用 Lent", BS_AUTOCHECKBOX, 10, 10),
               plain = Raw(L"借用 Lent", BS_AUTOCHECKBOX, 10, 40);
    TSkinCheckBox r(&form);
    r.Inithwnd(raw, &skin, nullptr, &form);

    TBitmap target(200, 40, pf24bit);
    const HDC dc = BitmapDC(target);
    const HFONT font = HFONT(GetStockObject(ANSI_FIXED_FONT));
    struct State {
        HGDIOBJ font;
        COLORREF text, back;
        int mode;
        RECT clip;
        bool operator==(const State& o) const {
            return font == o.font && text == o.text && back == o.back && mode == o.mode &&
                   EqualRect(&clip, &o.clip);
        }
    };
    auto lend = [&](HWND h, UINT msg, LPARAM lp) {
        SelectObject(dc, font);
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        SetBkMode(dc, OPAQUE);
        SelectClipRgn(dc, nullptr);
        IntersectClipRect(dc, 0, 0, 150, 30);
        SendMessageW(h, msg, WPARAM(dc), lp);
        State st{GetCurrentObject(dc, OBJ_FONT), GetTextColor(dc), GetBkColor(dc), GetBkMode(dc), {}};
        GetClipBox(dc, &st.clip);
        return st;
    };
    const State lent{font, RGB(1, 2, 3), RGB(4, 5, 6), OPAQUE, {0, 0, 150, 30}};
    EXPECT_TRUE(lend(box->Handle(), WM_PRINT, PRF_CLIENT) == lent);
    EXPECT_TRUE(lend(box->Handle(), WM_PAINT, 0) == lent);
    EXPECT_TRUE(lend(box->Handle(), WM_ERASEBKGND, 0) == lent);
    EXPECT_TRUE(lend(raw, WM_PAINT, 0) == lend(plain, WM_PAINT, 0));
}

}  // namespace
