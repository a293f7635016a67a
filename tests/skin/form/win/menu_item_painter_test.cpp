// The menu item painter on real menus under Wine: which items get the painter's events, how much it widens
// them, and the pixels of a normal, a selected and a plainly drawn item, of text in its three colours and of
// the check mark in both directions.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/bitmap.h"
#include "platform/stream.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/forms.h"
#include "platform/win/graphics.h"
#include "platform/win/menus.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_object.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

class MenuItemPainterTest : public testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        // The dark skin fills every image, the menu item's too.
        const std::vector<std::uint8_t> full = testskin::BuiltPackage("full.skn");
        if (full.empty()) GTEST_SKIP() << "the built skins are missing";
        TMemoryStream s(full);
        skin.LoadFromStream(s);
        ASSERT_FALSE(skin.Empty);
        ASSERT_TRUE(skin.MenuItem);
        form = std::make_unique<TForm>(nullptr);
        popup = new TPopupMenu(form.get());
        for (const wchar_t* caption : {L"打开(&O)", L"-", L"关闭"}) {
            auto* item = new TMenuItem(popup);
            item->SetCaption(caption);
            popup->Items()->Add(item);
        }
        skinner = std::make_unique<TWinSkinForm>(nullptr);
        skinner->fsd = &skin;
    }
    void TearDown() override {
        skinner.reset();
        form.reset();
        FreeSkinManager();
    }
    TMenuItem* Item(int i) { return popup->Items()->Items(i); }

    TSkinData skin{nullptr};
    std::unique_ptr<TForm> form;
    TPopupMenu* popup = nullptr;
    std::unique_ptr<TWinSkinForm> skinner;
};

TEST_F(MenuItemPainterTest, PopupMenusOfTheFormGetThePaintersEventsUnlessTaggedOrSwitchedOff) {
    skinner->InitPopMenu(form.get(), true);
    EXPECT_TRUE(popup->OwnerDraw());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Item(i)->OnDrawItem);
        EXPECT_TRUE(Item(i)->OnMeasureItem);
    }
    skinner->InitPopMenu(form.get(), false);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_FALSE(Item(0)->OnDrawItem);

    // The component's disable tag keeps a popup menu's own drawing.
    popup->SetTag(skin.DisableTag());
    skinner->InitPopMenu(form.get(), true);
    EXPECT_FALSE(Item(0)->OnDrawItem);
}

TEST_F(MenuItemPainterTest, PopupItemsAreWidenedForTheGlyphColumnAndTheIndent) {
    skinner->InitPopMenu(form.get(), true);
    TCanvas canvas;
    ClientDC dc(nullptr);
    CanvasBinding bind(canvas, dc);
    canvas.Font().Assign(Screen->MenuFont());
    int plainWidth = 0, plainHeight = 0;
    TMenuItem bare(nullptr);
    bare.SetCaption(Item(0)->Caption());
    bare.MeasureItem(canvas, plainWidth, plainHeight);
    int width = 0, height = 0;
    Item(0)->MeasureItem(canvas, width, height);
    EXPECT_EQ(width, plainWidth + skin.MenuItem->r.Left + 35);
    EXPECT_EQ(height, plainHeight);
}

// The pixel of an item drawn by the painter at (x, y), and the same pixel of the item image's cell composed
// by the imaging routines.
struct Drawn {
    TColor painted, expected;
};
Drawn DrawAndCompare(TWinSkinForm& skinner, TSkinData& skin, TMenuItem& item, bool selected, int x, int y) {
    const TRect r{0, 0, 160, 22};
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(r.Width(), r.Height());
    TCanvas canvas;
    CanvasBinding bind(canvas, BitmapDC(target));
    skinner.DrawMenuItem(&item, canvas, r, selected);
    TBitmap reference;
    reference.SetPixelFormat(pf24bit);
    reference.SetSize(r.Width(), r.Height());
    // Without a popup window the item lies on the menu colour; key-coloured pixels of the cell let it show.
    HBRUSH menu = CreateSolidBrush(ColorToRGB(skin.Colors[16]));
    RECT whole{0, 0, r.Width(), r.Height()};
    FillRect(BitmapDC(reference), &whole, menu);
    DeleteObject(menu);
    const TDataSkinObject& obj = *skin.MenuItem;
    DrawSkinRect(reference, r, obj.Map, obj.r, selected ? 4 : 1, 5, obj.trans, obj.Tile, 0);
    return {target.Pixel(x, y), reference.Pixel(x, y)};
}

TEST_F(MenuItemPainterTest, ItemsShowTheNormalOrTheSelectedCellOfTheItemImage) {
    // A point right of the caption and left of where a shortcut would be: only the item cell shows there.
    const Drawn normal = DrawAndCompare(*skinner, skin, *Item(2), false, 130, 11);
    EXPECT_EQ(normal.painted, normal.expected);
    const Drawn selected = DrawAndCompare(*skinner, skin, *Item(2), true, 130, 11);
    EXPECT_EQ(selected.painted, selected.expected);
    EXPECT_NE(normal.painted, selected.painted);
}

TEST_F(MenuItemPainterTest, WithoutAnItemImageItemsAreFilledWithTheMenuColours) {
    skin.MenuItem.reset();
    const TRect r{0, 0, 160, 22};
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(r.Width(), r.Height());
    TCanvas canvas;
    CanvasBinding bind(canvas, BitmapDC(target));
    skinner->DrawMenuItem(Item(2), canvas, r, false);
    EXPECT_EQ(target.Pixel(150, 2), ColorToRGB(skin.Colors[16]));
    skinner->DrawMenuItem(Item(2), canvas, r, true);
    EXPECT_EQ(target.Pixel(150, 2), ColorToRGB(skin.Colors[12]));
}

}  // namespace

// How many pixels of the item drawn into a bitmap have exactly the given colour.
int CountColour(TWinSkinForm& skinner, TMenuItem& item, bool selected, TColor colour) {
    TBitmap target(160, 22);
    TCanvas canvas;
    CanvasBinding bind(canvas, BitmapDC(target));
    canvas.Font().Assign(Screen->MenuFont());
    skinner.DrawMenuItem(&item, canvas, TRect{0, 0, 160, 22}, selected);
    int n = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 160; ++x) n += target.Pixel(x, y) == ColorToRGB(colour);
    return n;
}

TEST_F(MenuItemPainterTest, TextIsWrittenInTheMenuTextHilightTextOrDisabledColour) {
    const TColor text = skin.Colors[15], selectedText = skin.Colors[11], shadow = skin.Colors[7];
    ASSERT_NE(text, shadow);
    TMenuItem& item = *Item(0);  // 打开(&O): its underline is drawn in the text colour whatever the font
    EXPECT_GT(CountColour(*skinner, item, false, text), 0);
    EXPECT_EQ(CountColour(*skinner, item, false, shadow), 0);
    EXPECT_GT(CountColour(*skinner, item, true, selectedText), 0);
    item.SetEnabled(false);
    EXPECT_GT(CountColour(*skinner, item, false, shadow), 0);
    EXPECT_EQ(CountColour(*skinner, item, false, text), 0);
    EXPECT_GT(CountColour(*skinner, item, true, shadow), 0);  // selected or not
    // A skin whose shadow is its menu text would hide the difference: the platform's shadow is used then.
    skin.Colors[7] = text;
    const TColor platformShadow = TColor(GetSysColor(COLOR_BTNSHADOW));
    ASSERT_NE(ColorToRGB(platformShadow), ColorToRGB(text));
    EXPECT_GT(CountColour(*skinner, item, false, platformShadow), 0);
}

// The set pixels of the platform's check mark, relative to its top-left corner.
std::vector<POINT> CheckMarkInk(SIZE& size) {
    HBITMAP mark = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32760));
    BITMAP info{};
    GetObjectW(mark, sizeof info, &info);
    size = {info.bmWidth, info.bmHeight};
    TBitmap copy(info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, mark);
    BitBlt(BitmapDC(copy), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(mark);
    std::vector<POINT> ink;
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x)
            if (copy.Pixel(x, y) == 0) ink.push_back({x, y});
    return ink;
}

TEST_F(MenuItemPainterTest, TheCheckMarkIsCentredInTheGlyphColumnPastTheIndent) {
    SIZE mark{};
    const std::vector<POINT> ink = CheckMarkInk(mark);
    ASSERT_FALSE(ink.empty());
    TMenuItem& item = *Item(2);
    item.SetChecked(true);
    const TRect r{0, 0, 160, 22};
    TBitmap target(r.Width(), r.Height());
    TCanvas canvas;
    CanvasBinding bind(canvas, BitmapDC(target));
    skinner->DrawMenuItem(&item, canvas, r, false);
    // A 16-pixel glyph column that starts one pixel in, past the item image's left margin.
    const int left = 1 + skin.MenuItem->r.Left + (16 - mark.cx) / 2 + 1;
    const int top = (r.Height() - mark.cy) / 2 + 1;
    const COLORREF markColour = GetSysColor(COLOR_BTNTEXT);
    int misses = 0;
    for (const POINT& p : ink) misses += target.Pixel(left + p.x, top + p.y) != markColour;
    EXPECT_EQ(misses, 0);
    // Nothing of the mark's colour outside where the mark belongs, in the glyph column.
    int strays = 0;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < left + mark.cx + 4; ++x) {
            const bool inMark = x >= left && x < left + mark.cx && y >= top && y < top + mark.cy;
            if (!inMark && target.Pixel(x, y) == markColour) ++strays;
        }
    EXPECT_EQ(strays, 0);
    item.SetChecked(false);
    misses = 0;
    skinner->DrawMenuItem(&item, canvas, r, false);
    for (const POINT& p : ink) misses += target.Pixel(left + p.x, top + p.y) != markColour;
    EXPECT_EQ(misses, int(ink.size()));

    // A right-to-left menu mirrors the column: it ends one pixel in from the right, less the margin, and
    // the mark is centred in its 16-pixel square.
    popup->SetBiDiMode(bdRightToLeft);
    item.SetChecked(true);
    skinner->DrawMenuItem(&item, canvas, r, false);
    const int right = r.Right - 1 - skin.MenuItem->r.Left;
    const int mirroredLeft = right - 16 + (16 - mark.cx) / 2 + 1, mirroredTop = 1 + (16 - mark.cy) / 2 + 1;
    misses = 0;
    for (const POINT& p : ink) misses += target.Pixel(mirroredLeft + p.x, mirroredTop + p.y) != markColour;
    EXPECT_EQ(misses, 0);
}
