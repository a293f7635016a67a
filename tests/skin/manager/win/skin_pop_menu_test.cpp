// Real popup menus under Wine, opened from a framework form the manager has skinned: the popup window shows
// the skin's menu background, its items are drawn on their own part of that background, and the selected
// item shows the item image's selected cell over it; a submenu's arrow takes the item's colours. A skinned
// popup window's own procedure still sees the window's destruction.
#include "skin/manager/win/skin_pop_menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/bitmap.h"
#include "platform/stream.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/menus.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "skin/manager/win/skin_manage.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

// What the popup window shows, read back from its own device context.
std::unique_ptr<TBitmap> Capture(HWND popup) {
    RECT r{};
    GetWindowRect(popup, &r);
    auto shot = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    WindowDC dc(popup);
    BitBlt(BitmapDC(*shot), 0, 0, shot->Width(), shot->Height(), dc, 0, 0, SRCCOPY);
    return shot;
}

HWND VisiblePopup() {
    HWND h = FindWindowW(L"#32768", nullptr);
    return h && IsWindowVisible(h) ? h : nullptr;
}

// Runs `step` from a timer inside the menu's own loop until it answers true (then the menu is closed), or
// gives up and closes the menu after about five seconds.
class InsideMenuLoop {
public:
    explicit InsideMenuLoop(std::function<bool(HWND popup)> step) : step_(std::move(step)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &InsideMenuLoop::Tick);
    }
    ~InsideMenuLoop() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool finished = false;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        InsideMenuLoop* self = current_;
        if (!self || self->finished) return;
        HWND popup = VisiblePopup();
        if (popup && ++self->ticks_ > 2) self->finished = self->step_(popup);  // after its first paint
        if (self->finished || ++self->waited_ > 100) {
            self->finished = true;
            EndMenu();
        }
    }
    static inline InsideMenuLoop* current_ = nullptr;
    std::function<bool(HWND)> step_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    int waited_ = 0;
};

class PopupMenuSkinTest : public testing::Test {
protected:
    void SetUp() override {
        UseSkinManager();
        // The dark skin: its menu background and item cells differ plainly from the platform's menus.
        const std::vector<std::uint8_t> full = testskin::BuiltPackage("full.skn");
        if (full.empty()) GTEST_SKIP() << "the built skins are missing";
        TMemoryStream s(full);
        skin = std::make_unique<TSkinData>(nullptr);
        skin->LoadFromStream(s);
        ASSERT_FALSE(skin->Empty);
        ASSERT_TRUE(skin->MenuItem);
        ASSERT_TRUE(skin->MenuitemBG);
        skin->SetActive(true);
        ASSERT_NE(PrimarySkinManager(), nullptr);

        form = MakeHostForm(300, 200);
        popup = new TPopupMenu(form.get());
        for (const wchar_t* caption : {L"打开(&O)", L"保存(&S)", L"-", L"关闭"}) {
            auto* item = new TMenuItem(popup);
            item->SetCaption(caption);
            popup->Items()->Add(item);
        }
        more = new TMenuItem(popup);
        more->SetCaption(L"更多(&M)");
        popup->Items()->Add(more);
        auto* inner = new TMenuItem(popup);
        inner->SetCaption(L"里面");
        more->Add(inner);
        form->Show();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(PumpUntil([&] { return SendMessageW(form->Handle(), SM_ISSKINNED, 0, 0) == 1; }, 3000));
        ASSERT_TRUE(PumpUntil([&] { return popup->Items()->Items(0)->OnDrawItem != nullptr; }, 3000));
    }
    void TearDown() override {
        form.reset();
        FreeSkinManager();
        skin.reset();
        SetSkinManagerFactory(nullptr);
    }
    // The skin's menu background composed independently for a popup of the given size.
    std::unique_ptr<TBitmap> ExpectedBackground(int width, int height) const {
        const TDataSkinObject& bg = *skin->MenuitemBG;
        return MakeSkinBitmap(TRect{0, 0, width, height}, bg.Map, bg.r, 1, 1, bg.Tile, 0);
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TForm> form;
    TPopupMenu* popup = nullptr;
    TMenuItem* more = nullptr;  // the last item, with a submenu
};

// Where an item lies inside its popup window, from the platform.
RECT ItemInPopup(HWND popup, HMENU menu, int index) {
    RECT item{}, window{};
    GetMenuItemRect(nullptr, menu, index, &item);
    GetWindowRect(popup, &window);
    OffsetRect(&item, -window.left, -window.top);
    return item;
}

TEST_F(PopupMenuSkinTest, ThePopupShowsTheSkinsMenuBackgroundWithItemsDrawnOnIt) {
    std::unique_ptr<TBitmap> shot;
    RECT second{}, last{};
    bool skinned = false;
    InsideMenuLoop loop([&](HWND h) {
        skinned = SendMessageW(h, SM_ISSKINNED, 0, 0) == 1;
        shot = Capture(h);
        second = ItemInPopup(h, popup->Handle(), 1);
        last = ItemInPopup(h, popup->Handle(), 4);
        return true;
    });
    popup->Popup(120, 120);
    ASSERT_TRUE(loop.finished);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(skinned);
    const auto expected = ExpectedBackground(shot->Width(), shot->Height());
    // The 3-pixel frame, all the way round, is the skin's.
    int frameMismatches = 0;
    for (int x = 0; x < shot->Width(); ++x)
        for (int y = 0; y < shot->Height(); ++y) {
            const bool frame = x < 3 || y < 3 || x >= shot->Width() - 3 || y >= shot->Height() - 3;
            if (frame && shot->Pixel(x, y) != expected->Pixel(x, y)) ++frameMismatches;
        }
    EXPECT_EQ(frameMismatches, 0);
    // An unselected item shows the background through its transparent cell: right of the caption, where
    // neither text nor shortcut is drawn, the item's pixels are the background's at the same place.
    ASSERT_GT(second.right - second.left, 20);
    const int x = second.right - 6, y = (second.top + second.bottom) / 2;
    EXPECT_EQ(shot->Pixel(x, y), expected->Pixel(x, y));

    // The platform adds the submenu's arrow to the item: in the item's text colour on its background, not
    // in a box of its own colours.
    const COLORREF text = ColorToRGB(skin->Colors[15]), white = RGB(255, 255, 255);
    ASSERT_NE(text, white);
    int inText = 0, inWhite = 0;
    for (int ay = last.top; ay < last.bottom; ++ay)
        for (int ax = last.right - 16; ax < last.right; ++ax) {
            inText += shot->Pixel(ax, ay) == text;
            inWhite += shot->Pixel(ax, ay) == white;
        }
    EXPECT_GT(inText, 4);
    EXPECT_EQ(inWhite, 0);
}

TEST_F(PopupMenuSkinTest, TheSelectedItemShowsTheSelectedCellOverTheBackground) {
    std::unique_ptr<TBitmap> shot;
    RECT first{};
    int step = 0;
    InsideMenuLoop loop([&](HWND h) {
        if (step++ == 0) {
            PostMessageW(h, WM_KEYDOWN, VK_DOWN, 0);  // selects the first item
            return false;
        }
        shot = Capture(h);
        first = ItemInPopup(h, popup->Handle(), 0);
        return true;
    });
    popup->Popup(120, 120);
    ASSERT_TRUE(shot);
    const TRect item{first.left, first.top, first.right, first.bottom};
    ASSERT_GT(item.Width(), 20);
    // The item composed by hand: the background at the item's place, the selected cell over it.
    const auto background = ExpectedBackground(shot->Width(), shot->Height());
    TBitmap expected(item.Width(), item.Height());
    BitBlt(BitmapDC(expected), 0, 0, item.Width(), item.Height(), BitmapDC(*background), item.Left, item.Top,
           SRCCOPY);
    const TDataSkinObject& cell = *skin->MenuItem;
    DrawSkinRect(expected, TRect{0, 0, item.Width(), item.Height()}, cell.Map, cell.r, 4, 5, cell.trans,
                 cell.Tile, 0);
    const int x = item.Width() - 6;
    for (int y : {1, item.Height() / 2, item.Height() - 2})
        EXPECT_EQ(shot->Pixel(item.Left + x, item.Top + y), expected.Pixel(x, y)) << "row " << y;
    EXPECT_NE(shot->Pixel(item.Left + x, item.Top + item.Height() / 2),
              background->Pixel(item.Left + x, item.Top + item.Height() / 2));
}

// The window procedure of the popup windows below: counts the WM_DESTROY it sees.
int destroysSeen = 0;
LRESULT CALLBACK CountingPopupProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_DESTROY) ++destroysSeen;
    return DefWindowProcW(h, msg, w, l);
}

TEST(PopupMenuSkinner, TheWindowsOwnProcedureSeesItsDestructionAfterTheSkinnerLetGo) {
    RegisterTestClass(L"TvCountingPopup", &CountingPopupProc);
    TSkinManage manager(1);  // a manager of its own, not the program's
    manager.active = true;
    HWND h = CreateWindowExW(0, L"TvCountingPopup", L"", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(h, nullptr);
    TWinSkinPopMenu skinner;
    skinner.manager = &manager;
    skinner.InitSkin(h, nullptr, nullptr);
    ASSERT_EQ(SendMessageW(h, SM_ISSKINNED, 0, 0), 1);
    destroysSeen = 0;
    DestroyWindow(h);
    EXPECT_EQ(destroysSeen, 1);
    EXPECT_EQ(skinner.FObjectInst, nullptr);  // let go before the window went
}

}  // namespace
