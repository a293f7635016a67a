// The drop-down list's scroll bar under Wine: painted from the skin in the list's frame, a press on the
// thumb dragged by the skinner's own loop (the list follows; releasing without moving keeps its place),
// presses elsewhere left to the platform, and a thumb held still costing next to no processor time.
#include "skin/controls/win/combox_scroll_bar.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "skin/controls/scroll_bar_layout.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

double ProcessSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](const FILETIME& f) {
        return double((std::uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

class ComboListBarTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.SArrow);
        host = MakeHostForm(300, 300);
        host->Show();
        combo =
            CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 10,
                            10, 150, 200, host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(combo);
        for (int i = 1; i <= 60; ++i)
            SendMessageW(combo, CB_ADDSTRING, 0, LPARAM((L"第 " + std::to_wstring(i) + L" 圈").c_str()));
        COMBOBOXINFO ci{};
        ci.cbSize = sizeof ci;
        ASSERT_TRUE(SkinGetComboBoxInfo(combo, &ci));
        list = ci.hwndList;
        skinner = new TComboxScrollBar(&form);
        skinner->Inithwnd(list, &skin, nullptr, &form);
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        Pump(50);
        ASSERT_TRUE(IsWindowVisible(list));
    }
    void TearDown() override {
        if (combo) DestroyWindow(combo);
        host.reset();
        Pump(20);
        FreeSkinManager();
    }
    SCROLLBARINFO Bar() {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        SkinGetScrollBarInfo(list, OBJID_VSCROLL, &info);
        return info;
    }
    int Top() { return int(SendMessageW(list, LB_GETTOPINDEX, 0, 0)); }
    // The screen point of the thumb's middle, and a posted mouse move dy pixels below it.
    POINT ThumbMiddle() {
        const SCROLLBARINFO b = Bar();
        return {b.rcScrollBar.left + 4, b.rcScrollBar.top + (b.xyThumbTop + b.xyThumbBottom) / 2};
    }
    void PostMove(POINT screen, int dy) {
        POINT p{screen.x, screen.y + dy};
        ScreenToClient(list, &p);
        PostMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }
    void PressBar(POINT screen) {
        SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(screen.x, screen.y));
        Pump(20);
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
    HWND combo = nullptr, list = nullptr;
    TComboxScrollBar* skinner = nullptr;
};

TEST_F(ComboListBarTest, TheBarIsPaintedFromTheSkinInTheListsFrame) {
    const SCROLLBARINFO b = Bar();
    ASSERT_FALSE(b.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
    RECT w;
    GetWindowRect(list, &w);
    const TDataSkinObject& a = *skin.SArrow;
    const int cw = skinner->cw, across = std::abs(a.Map.Height() - cw) > 2 ? cw : a.Map.Height();
    // The up arrow: cell 9 of the strip, never hot (the bar has no hover tracking).
    TBitmap cell(across, cw, pf24bit);
    const int cellWidth = a.Map.Width() / kArrowStripCells;
    StretchCopy(cell, Rect(0, 0, across, cw), a.Map, Rect(8 * cellWidth, 0, 9 * cellWidth, a.Map.Height()));
    HDC dc = GetWindowDC(list);
    const int x0 = b.rcScrollBar.left - w.left, y0 = b.rcScrollBar.top - w.top;
    int compared = 0;
    for (int y = 2; y < cw - 2; ++y)
        for (int x = 2; x < across - 2; ++x) {
            const TColor want = cell.Pixel(x, y);
            if (want == SkinKeyColor) continue;
            EXPECT_EQ(TColor(GetPixel(dc, x0 + x, y0 + y)), want) << x << "," << y;
            ++compared;
        }
    ReleaseDC(list, dc);
    EXPECT_GT(compared, 20);
    EXPECT_EQ(skinner->thumbtop, b.xyThumbTop);  // the drawn thumb is the platform's
    // A mouse over the bar is not hot-tracked by the platform: the message stops at the skinner.
    EXPECT_EQ(SendMessageW(list, WM_NCMOUSEMOVE, HTVSCROLL, MAKELPARAM(x0, y0)), 0);
}

TEST_F(ComboListBarTest, TheThumbIsDraggedByTheSkinnersOwnLoop) {
    const SCROLLBARINFO b = Bar();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &si);
    const int cw = skinner->cw;
    const int track = b.rcScrollBar.bottom - b.rcScrollBar.top - 2 * cw;
    const int thumbLen = b.xyThumbBottom - b.xyThumbTop;
    const POINT press = ThumbMiddle();

    // Released without moving: the list keeps its place.
    PostMessageW(list, WM_LBUTTONUP, 0, 0);
    PressBar(press);
    EXPECT_EQ(Top(), 0);

    // Dragged 30 pixels down: the list shows the position the thumb stands for, already while it is held.
    const TWndMethod old = host->WindowProc;
    int held = -1;
    host->WindowProc = [&, old](TMessage& m) {
        if (m.Msg != WM_APP) return old(m);
        held = Top();
    };
    PostMove(press, 30);
    PostMessageW(host->Handle(), WM_APP, 0, 0);
    PostMessageW(list, WM_LBUTTONUP, 0, 0);
    PressBar(press);
    host->WindowProc = old;
    const int want = ListThumbPosition(b.xyThumbTop - cw + 30, track, thumbLen, si.nMin, si.nMax, si.nPage);
    EXPECT_GT(want, 0);
    EXPECT_EQ(held, want);
    EXPECT_EQ(Top(), want);
    EXPECT_EQ(skinner->thumbtop, Bar().xyThumbTop);  // and the skin's thumb was drawn where it went
    EXPECT_NE(GetCapture(), list);

    // Far past the end: the last page, not beyond.
    const POINT again = ThumbMiddle();
    PostMove(again, 2000);
    PostMessageW(list, WM_LBUTTONUP, 0, 0);
    PressBar(again);
    EXPECT_EQ(Top(), si.nMax - int(si.nPage) + 1);
}

TEST_F(ComboListBarTest, PressesOffTheThumbAreThePlatforms) {
    const SCROLLBARINFO b = Bar();
    // The down arrow: the platform's own tracking scrolls a line.
    PostMessageW(list, WM_LBUTTONUP, 0, 0);
    PressBar({b.rcScrollBar.left + 4, b.rcScrollBar.bottom - 3});
    EXPECT_EQ(Top(), 1);
}

// The combo box is destroyed in the middle of a drag (by a message the drag loop dispatches): the loop ends
// there rather than waiting for a release that can no longer come.
TEST_F(ComboListBarTest, TheDragEndsWhenTheListGoesAway) {
    const TWndMethod old = host->WindowProc;
    host->WindowProc = [&, old](TMessage& m) {
        if (m.Msg != WM_APP) return old(m);
        DestroyWindow(combo);
        combo = nullptr;
    };
    const POINT press = ThumbMiddle();
    PostMessageW(host->Handle(), WM_APP, 0, 0);
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(GetCapture(), nullptr);
    host->WindowProc = old;
}

// Something else takes the mouse in the middle of a drag: the drag is over, and the list keeps the place
// the thumb had reached.
TEST_F(ComboListBarTest, TheDragEndsWhenTheMouseIsTakenAway) {
    const TWndMethod old = host->WindowProc;
    host->WindowProc = [&, old](TMessage& m) {
        if (m.Msg != WM_APP) return old(m);
        SetCapture(host->Handle());
    };
    const POINT press = ThumbMiddle();
    PostMove(press, 30);
    PostMessageW(host->Handle(), WM_APP, 0, 0);
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    EXPECT_GT(Top(), 0);
    EXPECT_EQ(GetCapture(), host->Handle());
    ReleaseCapture();
    host->WindowProc = old;
}

TEST_F(ComboListBarTest, AThumbHeldStillCostsNoProcessorTime) {
    const POINT press = ThumbMiddle();
    POINT moved{press.x, press.y + 20};
    ScreenToClient(list, &moved);
    const HWND target = list;
    // Another thread moves the mouse once, holds it for a second and lets go.
    std::thread hand([&] {
        Sleep(50);
        PostMessageW(target, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(moved.x, moved.y));
        Sleep(1000);
        PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(moved.x, moved.y));
    });
    const double cpuBefore = ProcessSeconds();
    const DWORD wallBefore = GetTickCount();
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    const double cpu = ProcessSeconds() - cpuBefore;
    const DWORD wall = GetTickCount() - wallBefore;
    hand.join();
    EXPECT_GE(wall, 1000u);
    EXPECT_LT(cpu, 0.25) << "processor seconds over " << wall << " ms of a held thumb";
    EXPECT_GT(Top(), 0);
}

}  // namespace
