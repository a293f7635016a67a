// Column headers skinned under Wine: a list view's header and a header control read back against the skin's
// header cells composed by the imaging routines (each item, the item under the mouse, the area right of the
// last item), hot tracking with signed mouse points, a press that stays the header's own, and the items'
// text readable on their cells in both skins.
#include "skin/controls/win/skin_header.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cmath>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/win/bitmap_win.h"
#include "platform/win/header_control.h"
#include "platform/win/list_view.h"
#include "skin/controls/win/skin_scrollbar.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

// What a window shows now, in window coordinates.
TBitmap ReadWindow(HWND h) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
    RECT r;
    GetWindowRect(h, &r);
    TBitmap shot(r.right - r.left, r.bottom - r.top, pf24bit);
    HDC dc = GetWindowDC(h);
    BitBlt(BitmapDC(shot), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(h, dc);
    GdiFlush();
    return shot;
}

RECT ItemRect(HWND header, int i) {
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

double Luminance(TColor c) {
    auto channel = [](int v) {
        const double x = v / 255.0;
        return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
}

class SkinHeaderTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.Header);
        host = MakeHostForm(420, 260);
        host->Show();
    }
    void TearDown() override {
        host.reset();
        Pump(20);
        FreeSkinManager();
    }
    // A list view in report mode whose columns have the given captions and widths, skinned.
    TSkinHeader* SkinnedList(std::vector<std::pair<std::wstring, int>> columns, TSkinData& with) {
        list = new TListView(host.get());
        list->SetParent(host.get());
        list->SetBounds(10, 10, 380, 200);
        list->SetViewStyle(vsReport);
        for (auto& [caption, width] : columns) list->Columns()->AddColumn(caption, width);
        list->Items()->AddItem(L"第 1 圈", {L"1:01.7"});
        auto* s = new TSkinListView(list);
        s->InitScrollbar(list, &with, nullptr, &form);
        Pump(30);
        return dynamic_cast<TSkinHeader*>(s->header);
    }
    // Pixels of the shot in r (window coordinates) that differ from cell I of the header image of r's size.
    int CellMismatches(const TBitmap& shot, const RECT& r, int I) {
        const TDataSkinObject& h = *skin.Header;
        auto cell =
            MakeSkinBitmap(Rect(0, 0, r.right - r.left, r.bottom - r.top), h.Map, h.r, I, h.frame, h.Tile, 0);
        int bad = 0;
        for (int y = 0; y < cell->Height(); ++y)
            for (int x = 0; x < cell->Width(); ++x)
                bad += shot.Pixel(r.left + x, r.top + y) != cell->Pixel(x, y);
        return bad;
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
    TListView* list = nullptr;
};

TEST_F(SkinHeaderTest, EachItemShowsItsCellAndTheMouseLightsTheItemUnderIt) {
    // Items without text show their cell alone.
    TSkinHeader* s = SkinnedList({{L"", 100}, {L"", 120}}, skin);
    ASSERT_TRUE(s);
    const HWND header = list->HeaderWindow();
    EXPECT_EQ(SendMessageW(header, SM_ISSKINNED, 0, 0), 1);
    TBitmap shot = ReadWindow(header);
    RECT client;
    GetClientRect(header, &client);
    EXPECT_EQ(CellMismatches(shot, ItemRect(header, 0), 1), 0);
    EXPECT_EQ(CellMismatches(shot, ItemRect(header, 1), 1), 0);
    EXPECT_EQ(CellMismatches(shot, {220, 0, client.right, client.bottom}, 1), 0);  // right of the last item
    ASSERT_EQ(s->Items.size(), 2u);
    EXPECT_EQ(s->Items[1], (TRect{103, 0, 217, client.bottom}));

    // Over the second item: its hot cell; over the divider, or right of the last item: it stays lit.
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(150, 5));
    EXPECT_EQ(s->indexitem, 1);
    shot = ReadWindow(header);
    EXPECT_EQ(CellMismatches(shot, ItemRect(header, 1), 2), 0);
    EXPECT_EQ(CellMismatches(shot, ItemRect(header, 0), 1), 0);
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(99, 5));
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(300, 5));
    EXPECT_EQ(s->indexitem, 1);
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(s->indexitem, 0);
    // The mouse gone: nothing lit.
    SendMessageW(header, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(s->indexitem, -1);
    EXPECT_EQ(CellMismatches(ReadWindow(header), ItemRect(header, 0), 1), 0);
}

TEST_F(SkinHeaderTest, APointLeftOfTheHeaderLightsNoItem) {
    // An item wide enough that a point 5 pixels left of the header, read unsigned (65531), would fall on
    // the second one.
    TSkinHeader* s = SkinnedList({{L"", 40000}, {L"", 40000}}, skin);
    ASSERT_TRUE(s);
    const HWND header = list->HeaderWindow();
    ReadWindow(header);  // a paint gives the items their hover rectangles
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 5));
    EXPECT_EQ(s->indexitem, -1);
}

TEST_F(SkinHeaderTest, APressIsTheHeadersOwnAndClicksTheColumn) {
    TSkinHeader* s = SkinnedList({{L"圈 Lap", 100}, {L"时间 Time", 120}}, skin);
    ASSERT_TRUE(s);
    std::wstring clicked;
    list->OnColumnClick = [&](TListView*, TListColumn* c) { clicked = c->Caption(); };
    const HWND header = list->HeaderWindow();
    ReadWindow(header);
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(150, 5));
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 5));
    EXPECT_EQ(s->indexitem, 1);  // pressed, the item keeps its lit cell
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
    Pump(20);
    EXPECT_EQ(clicked, L"时间 Time");
    EXPECT_EQ(SendMessageW(header, SM_ISSKINNED, 0, 0), 1);
}

TEST_F(SkinHeaderTest, ItemTextStandsOutFromItsCellInBothSkins) {
    const std::vector<std::uint8_t> bytes = testskin::BuiltPackage("full.skn");
    ASSERT_FALSE(bytes.empty());
    TSkinData full(nullptr);
    full.SetSkinFormtype(sfDialog);
    TMemoryStream stream(bytes);
    full.LoadFromStream(stream);
    for (TSkinData* with : {&skin, &full}) {
        TSkinHeader* s = SkinnedList({{L"时间 Time ■■■", 150}}, *with);
        ASSERT_TRUE(s);
        const HWND header = list->HeaderWindow();
        const TBitmap shot = ReadWindow(header);
        const RECT item = ItemRect(header, 0);
        const TDataSkinObject& h = *with->Header;
        auto cell = MakeSkinBitmap(Rect(0, 0, item.right, item.bottom), h.Map, h.r, 1, h.frame, h.Tile, 0);
        // The ink: the pixel that differs most from the cell beneath it.
        double best = 1;
        for (int y = 0; y < cell->Height(); ++y)
            for (int x = 0; x < cell->Width(); ++x) {
                const double a = Luminance(shot.Pixel(x, y)), b = Luminance(cell->Pixel(x, y));
                best = std::max(best, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
            }
        EXPECT_GE(best, 4.5) << (with == &skin ? "tocvane" : "full");
        delete list;
        list = nullptr;
    }
}

TEST_F(SkinHeaderTest, AHeaderControlWithAPictureButNoTextShowsNeither) {
    auto* header = new THeaderControl(host.get());
    header->SetParent(host.get());
    header->SetAlign(alNone);
    header->SetBounds(10, 10, 300, 22);
    auto* images = new TImageList(host.get());
    TBitmap red(16, 16, pf24bit);
    red.Fill(clRed);
    images->AddMasked(red, clWhite);
    header->SetImages(images);
    header->Sections()->AddSection(L"", 120)->SetImageIndex(0);
    auto* s = new TSkinHeader(header);
    s->Init(&form, &skin, nullptr, false);
    const HWND h = header->Handle();
    EXPECT_EQ(CellMismatches(ReadWindow(h), ItemRect(h, 0), 1), 0);
    // With a text, the picture shows too.
    header->Sections()->Items(0)->SetText(L"名称");
    const TBitmap shot = ReadWindow(h);
    int red_ = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < 120; ++x) red_ += shot.Pixel(x, y) == clRed;
    EXPECT_GT(red_, 100);
}

}  // namespace
