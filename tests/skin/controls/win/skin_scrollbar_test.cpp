// A memo's skinned vertical scroll bar under Wine: the panel laid exactly over the platform's bar and
// painted from the skin's arrow strip, scrolling followed by the drawn thumb, a press on the skinned down
// arrow scrolling the memo through the platform's own handling, and no panel for a bar that is not shown.
#include "skin/controls/win/skin_scrollbar.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/stream.h"
#include "skin/controls/scroll_bar_layout.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

class SkinScrollbarTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.SArrow);
        host = MakeHostForm(300, 220);
        memo = new TMemo(host.get());
        memo->SetParent(host.get());
        memo->SetBounds(10, 10, 200, 150);
        memo->SetScrollBars(ssVertical);
        for (int i = 1; i <= 40; ++i) memo->Lines().Add(L"第 " + std::to_wstring(i) + L" 圈");
        host->Show();
        SendMessageW(memo->Handle(), EM_SETSEL, 0, 0);
        SendMessageW(memo->Handle(), EM_SCROLLCARET, 0, 0);
        skinner = new TSkinScrollbar(memo);
        skinner->InitScrollbar(memo, &skin, nullptr, &form);
        Pump(50);
    }
    void TearDown() override {
        host.reset();
        FreeSkinManager();
    }
    int FirstLine() { return int(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
    SCROLLBARINFO Bar() {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        User32Entries().GetScrollBarInfo(memo->Handle(), OBJID_VSCROLL, &info);
        return info;
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
    TMemo* memo = nullptr;
    TSkinScrollbar* skinner = nullptr;
};

TEST_F(SkinScrollbarTest, PanelCoversTheBarAndShowsTheSkin) {
    ASSERT_TRUE(skinner->vb && skinner->hb);
    EXPECT_TRUE(skinner->vb->sbVisible);
    EXPECT_FALSE(skinner->hb->sbVisible);  // the memo has no horizontal bar
    RECT panel;
    GetWindowRect(skinner->vb->Handle(), &panel);
    const SCROLLBARINFO bar = Bar();
    EXPECT_EQ(panel.left, bar.rcScrollBar.left);
    EXPECT_EQ(panel.top, bar.rcScrollBar.top);
    EXPECT_EQ(panel.right, bar.rcScrollBar.right);
    EXPECT_EQ(panel.bottom, bar.rcScrollBar.bottom);
    EXPECT_TRUE(IsWindowVisible(skinner->vb->Handle()));

    // The up arrow is cell 9 of the arrow strip, stretched into the first arrow-length of the bar.
    RedrawWindow(skinner->vb->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    const TDataSkinObject& a = *skin.SArrow;
    const int cw = skinner->vb->CW, across = std::abs(a.Map.Height() - cw) > 2 ? cw : a.Map.Height();
    TBitmap cell(across, cw, pf24bit);
    const int cellWidth = a.Map.Width() / kArrowStripCells;
    StretchCopy(cell, Rect(0, 0, across, cw), a.Map, Rect(8 * cellWidth, 0, 9 * cellWidth, a.Map.Height()));
    HDC dc = GetDC(skinner->vb->Handle());
    int compared = 0;
    for (int y = 2; y < cw - 2; ++y)
        for (int x = 2; x < across - 2; ++x) {
            const TColor want = cell.Pixel(x, y);
            if (want == SkinKeyColor) continue;
            EXPECT_EQ(TColor(GetPixel(dc, x, y)), want) << x << "," << y;
            ++compared;
        }
    ReleaseDC(skinner->vb->Handle(), dc);
    EXPECT_GT(compared, 20);
}

TEST_F(SkinScrollbarTest, ScrollingIsFollowedAndPressesReachThePlatform) {
    EXPECT_EQ(FirstLine(), 0);
    const int before = skinner->vb->thumbTop;
    SendMessageW(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    RedrawWindow(skinner->vb->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    EXPECT_GT(FirstLine(), 0);
    EXPECT_EQ(skinner->vb->thumbTop, Bar().xyThumbTop);  // the drawn thumb is the platform's
    EXPECT_GT(skinner->vb->thumbTop, before);

    // A press on the skinned down arrow is the platform's: its tracking scrolls the memo a line.
    const int first = FirstLine();
    RECT panel;
    GetWindowRect(skinner->vb->Handle(), &panel);
    const int x = (panel.right - panel.left) / 2, y = panel.bottom - panel.top - 5;
    PostMessageW(memo->Handle(), WM_LBUTTONUP, 0, 0);  // ends the platform's tracking loop at once
    SendMessageW(skinner->vb->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Pump(30);
    EXPECT_EQ(FirstLine(), first + 1);
    EXPECT_FALSE(skinner->vb->fdown);
}

TEST_F(SkinScrollbarTest, HidingTheControlHidesThePanels) {
    memo->Hide();
    Pump(30);
    EXPECT_FALSE(skinner->vb->sbVisible);
    memo->Show();
    Pump(30);
    EXPECT_TRUE(skinner->vb->sbVisible);
}

}  // namespace
