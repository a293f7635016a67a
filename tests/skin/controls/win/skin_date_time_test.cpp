// Date pickers skinned under Wine: the arrow button over the picker's own, its cells read back against the
// skin's arrow cells, the mouse making it hot, a click on it dropping the calendar down, its place for a
// right-to-left picker, the two-ring border, a skin whose arrow strip has no cells, and unskinning.
#include "skin/controls/win/skin_date_time.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/win/date_time_picker.h"
#include "skin/controls/combo_box_layout.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

class SkinDateTimeTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.comboxarrow);
        host = MakeHostForm(400, 300);
        host->Show();
    }
    void TearDown() override {
        host.reset();
        Pump(20);
        FreeSkinManager();
    }
    TDateTimePicker* Picker(bool leftScrollBar = false) {
        auto* p = new TDateTimePicker(host.get());
        p->SetParent(host.get());
        p->SetBounds(20, 20, 140, 24);
        p->SetDate({2013, 1, 19});
        const HWND h = p->Handle();
        if (leftScrollBar)
            SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
        return p;
    }
    TSkinDateTime* Skin(TDateTimePicker* p) {
        auto* s = new TSkinDateTime(p);
        s->Init(&form, &skin, nullptr, false);
        Pump(30);
        return s;
    }
    // Pixels of the arrow button that differ from arrow cell `index` stretched over it.
    int ArrowMismatches(HWND arrow, int index) {
        RedrawWindow(arrow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(20);
        RECT r;
        GetClientRect(arrow, &r);
        const TDataSkinObject& a = *skin.comboxarrow;
        const TRect cell = StripCell(a.Map.Width(), a.Map.Height(), a.frame, index);
        TBitmap want(r.right, r.bottom, pf24bit);
        StretchCopy(want, Rect(0, 0, r.right, r.bottom), a.Map, cell);
        HDC dc = GetDC(arrow);
        int bad = 0;
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x) bad += TColor(GetPixel(dc, x, y)) != want.Pixel(x, y);
        ReleaseDC(arrow, dc);
        return bad;
    }
    HWND ArrowOf(TSkinDateTime* s) { return s->arrow ? s->arrow->Handle() : nullptr; }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
};

TEST_F(SkinDateTimeTest, TheArrowButtonCoversThePickersButtonAndShowsTheSkinsCells) {
    TDateTimePicker* p = Picker();
    TSkinDateTime* s = Skin(p);
    const HWND h = p->Handle();
    EXPECT_EQ(SendMessageW(h, SM_ISSKINNED, 0, 0), 1);
    const HWND arrow = ArrowOf(s);
    ASSERT_TRUE(arrow);
    EXPECT_EQ(GetParent(arrow), h);
    EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_EQ(s->arrow->BoundsRect(), ArrowButtonBounds(140, 24, GetSystemMetrics(SM_CXHSCROLL), false));
    EXPECT_EQ(ArrowMismatches(arrow, ccNormal), 0);

    // The mouse over it: the hot cell; gone: the normal one again.
    SendMessageW(arrow, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(ArrowMismatches(arrow, ccHot), 0);
    SendMessageW(arrow, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ArrowMismatches(arrow, ccNormal), 0);

    // The two rings: the skin's button shadow outside, white within.
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump(20);
    EXPECT_EQ(WindowPixel(h, 0, 10), ResolveColor(skin.Colors[7]));
    EXPECT_EQ(WindowPixel(h, 1, 10), clWhite);
}

TEST_F(SkinDateTimeTest, AClickOnTheArrowDropsTheCalendarDown) {
    TDateTimePicker* p = Picker();
    int drops = 0;
    p->OnDropDown = [&](TObject*) { ++drops; };
    TSkinDateTime* s = Skin(p);
    const HWND arrow = ArrowOf(s);
    ASSERT_TRUE(arrow);
    // The press drops the calendar down before the release comes (a click's messages are handled in turns).
    SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(PumpUntil([&] { return p->DroppedDown(); }, 3000));
    SendMessageW(arrow, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump(50);
    EXPECT_EQ(drops, 1);
    // The release leaves the calendar above its form: the form is not brought back over it.
    const HWND calendar = HWND(SendMessageW(p->Handle(), DTM_GETMONTHCAL, 0, 0));
    ASSERT_TRUE(calendar);
    EXPECT_TRUE(IsWindowVisible(calendar));
    bool above = false;
    for (HWND w = GetWindow(calendar, GW_HWNDNEXT); w && !above; w = GetWindow(w, GW_HWNDNEXT))
        above = w == host->Handle();
    EXPECT_TRUE(above);
    SendMessageW(p->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Pump(20);
}

TEST_F(SkinDateTimeTest, ARightToLeftPickerHasItsArrowOnTheLeft) {
    TDateTimePicker* p = Picker(true);
    TSkinDateTime* s = Skin(p);
    ASSERT_TRUE(s->arrow);
    EXPECT_EQ(s->arrow->Left(), 2);
    p->SetWidth(180);  // and keeps it there when the picker grows
    Pump(20);
    EXPECT_EQ(s->arrow->Left(), 2);
}

TEST_F(SkinDateTimeTest, AnArrowStripWithoutCellsLeavesAPlainFace) {
    skin.comboxarrow->frame = 0;
    TDateTimePicker* p = Picker();
    TSkinDateTime* s = Skin(p);
    const HWND arrow = ArrowOf(s);
    ASSERT_TRUE(arrow);
    RedrawWindow(arrow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
    HDC dc = GetDC(arrow);
    EXPECT_EQ(TColor(GetPixel(dc, 8, 8)), ResolveColor(skin.Colors[3]));
    ReleaseDC(arrow, dc);
}

TEST_F(SkinDateTimeTest, UnskinnedThePickerShowsItsOwnButtonAgain) {
    TDateTimePicker* p = Picker();
    TSkinDateTime* s = Skin(p);
    ASSERT_TRUE(s->arrow);
    s->Unsubclass();
    EXPECT_EQ(s->arrow, nullptr);
    EXPECT_EQ(GetWindow(p->Handle(), GW_CHILD), nullptr);
    delete s;
    EXPECT_TRUE(form.Controllist.empty());
}

}  // namespace
