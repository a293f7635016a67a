// Media players skinned under Wine: the panel laid over the player (bounds, place above it, left alone by
// discovery), each button's face read back against the skin's button cells composed by the imaging
// routines, presses and releases passed on to the player only over the button they began on, the bar
// following the player's own changes, and the panel's life beside the player's.
#include "skin/controls/win/skin_media_player.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include "platform/win/bitmap_win.h"
#include "platform/win/media_player.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

// What a window's client area shows: painted again first, or (redraw false) as it is.
TBitmap ReadClient(HWND h, bool redraw = true) {
    if (redraw) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(20);
    RECT r;
    GetClientRect(h, &r);
    TBitmap shot(r.right, r.bottom, pf24bit);
    HDC dc = GetDC(h);
    BitBlt(BitmapDC(shot), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(h, dc);
    GdiFlush();
    return shot;
}

class SkinMediaPlayerTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadDefaultSkin(skin, false)) GTEST_SKIP() << "needs the built default skin";
        ASSERT_TRUE(skin.Button);
        host = MakeHostForm(420, 200);
        host->Show();
        player = new TMediaPlayer(host.get());
        player->SetParent(host.get());
        player->SetBounds(20, 30, 301, 30);  // 100 pixels a button and one left over
        player->SetVisibleButtons({btPlay, btPause, btStop});
        player->SetEnabledButtons({btPlay, btStop});
        player->OnButtonClick = [this](TMediaPlayer*, TMPBtnType b) { clicks.push_back(b); };
        skinner = new TSkinMP(player);
        skinner->Init(&form, &skin, nullptr, false);
        Pump(30);
    }
    void TearDown() override {
        host.reset();
        Pump(20);
        FreeSkinManager();
    }
    // Pixels of a button of the panel that differ from face cell f, outside the glyph in its middle.
    int FaceMismatches(const TBitmap& shot, int button, int f) {
        const TDataSkinButton& b = *skin.Button;
        const TRect R = Rect(100 * button, 0, 100 * button + 100, 30);
        TBitmap want(100, 30, pf24bit);
        FillColorRect(want, Rect(0, 0, 100, 30), skin.Colors[3]);
        DrawSkinRect(want, Rect(0, 0, 100, 30), b.Map, b.r, f, b.frame, b.trans, b.Tile, 0);
        int bad = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x) {
                if (x >= 40 && x < 60 && y >= 6 && y < 24) continue;  // the glyph
                bad += shot.Pixel(R.Left + x, y) != want.Pixel(x, y);
            }
        return bad;
    }
    HWND Panel() const { return skinner->mp ? skinner->mp->Handle() : nullptr; }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
    TMediaPlayer* player = nullptr;
    TSkinMP* skinner = nullptr;
    std::vector<TMPBtnType> clicks;
};

TEST_F(SkinMediaPlayerTest, ThePanelCoversThePlayerAndDrawsEachButtonFromTheSkin) {
    ASSERT_TRUE(Panel());
    EXPECT_EQ(skinner->mp->BoundsRect(), player->BoundsRect());
    EXPECT_EQ(GetParent(Panel()), host->Handle());
    EXPECT_EQ(GetWindow(player->Handle(), GW_HWNDPREV), Panel());  // right above it
    EXPECT_EQ(skinner->mp->Tag(), skin.DisableTag());
    EXPECT_EQ(SendMessageW(player->Handle(), SM_ISSKINNED, 0, 0), 1);
    TBitmap shot = ReadClient(Panel());
    EXPECT_EQ(skinner->mp->count, 3);
    EXPECT_EQ(skinner->mp->BtnWidth, 100);
    EXPECT_EQ(FaceMismatches(shot, 0, 1), 0);
    EXPECT_EQ(FaceMismatches(shot, 1, 3), 0);  // pause is disabled
    EXPECT_EQ(FaceMismatches(shot, 2, 1), 0);
    EXPECT_EQ(shot.Pixel(300, 15), ResolveColor(skin.Colors[3]));  // the pixel left over
    // Each glyph shows in the middle of its button: something other than the face there.
    for (int b = 0; b < 3; ++b) {
        int inked = 0;
        for (int y = 8; y < 22; ++y)
            for (int x = 100 * b + 42; x < 100 * b + 58; ++x)
                inked += shot.Pixel(x, y) != shot.Pixel(100 * b + 42, 8);
        EXPECT_GT(inked, 10) << b;
    }
    // Moved and hidden with the player.
    player->SetBounds(30, 40, 301, 30);
    Pump(20);
    EXPECT_EQ(skinner->mp->BoundsRect(), player->BoundsRect());
    player->Hide();
    Pump(20);
    EXPECT_FALSE(IsWindowVisible(Panel()));
}

TEST_F(SkinMediaPlayerTest, PressesAndReleasesReachThePlayerOnlyOverTheButtonTheyBeganOn) {
    const HWND panel = Panel();
    ASSERT_TRUE(panel);
    ReadClient(panel);
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
    EXPECT_EQ(skinner->mp->BtnClick, btPlay);
    EXPECT_EQ(FaceMismatches(ReadClient(panel), 0, 2), 0);  // pressed
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(60, 15));
    Pump(20);
    EXPECT_EQ(clicks, std::vector<TMPBtnType>{btPlay});
    EXPECT_EQ(FaceMismatches(ReadClient(panel), 0, 1), 0);
    // Pressed on play, released over stop: no click; on the disabled pause: none either.
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(250, 15));
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 15));
    EXPECT_EQ(FaceMismatches(ReadClient(panel), 1, 3), 0);  // a disabled button shows no press
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(150, 15));
    // A release left of the panel is over no button.
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 15));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(-30, 15));
    EXPECT_EQ(skinner->mp->BtnFocuse, kMPNoButton);
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 15));
    SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(250, 15));
    Pump(20);
    EXPECT_EQ(clicks, (std::vector<TMPBtnType>{btPlay, btStop}));
}

TEST_F(SkinMediaPlayerTest, TheBarFollowsThePlayersOwnChanges) {
    const HWND panel = Panel();
    ASSERT_TRUE(panel);
    ReadClient(panel);
    // The panel paints again by itself: the player's change reached it.
    player->SetEnabledButtons({btPause});
    Pump(50);
    const TBitmap shot = ReadClient(panel, false);
    EXPECT_EQ(FaceMismatches(shot, 0, 3), 0);
    EXPECT_EQ(FaceMismatches(shot, 1, 1), 0);
    // No buttons: a plain face.
    player->SetVisibleButtons({});
    Pump(50);
    const TBitmap empty = ReadClient(panel);
    EXPECT_EQ(skinner->mp->count, 0);
    for (int x = 0; x < empty.Width(); x += 7)
        EXPECT_EQ(empty.Pixel(x, 15), ResolveColor(skin.Colors[3])) << x;
}

TEST_F(SkinMediaPlayerTest, ThePanelGoesWhenSkinningEndsAndHidesWhenThePlayersWindowGoes) {
    ASSERT_TRUE(Panel());
    skinner->Unsubclass();
    EXPECT_EQ(skinner->mp, nullptr);
    // Skinned again, then the player's window destroyed: the panel covers nothing and shows nothing.
    auto* again = new TSkinMP(player);
    again->Init(&form, &skin, nullptr, false);
    ASSERT_TRUE(again->mp);
    TWMediaPlayer* panel = again->mp;
    player->DestroyHandle();
    Pump(20);
    EXPECT_EQ(again->skinstate, 6);
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(panel->obj, nullptr);
    RedrawWindow(host->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The form skinner owns the panel: freeing it first leaves the skinner without one.
    delete panel;
    EXPECT_EQ(again->mp, nullptr);

    // The player freed while its panel stands: the panel goes with the player's skinner, and nothing is
    // left that reads the player.
    player->HandleNeeded();
    auto* third = new TSkinMP(player);
    third->Init(&form, &skin, nullptr, false);
    ASSERT_TRUE(third->mp);
    ASSERT_EQ(form.ComponentCount(), 1);
    delete player;
    EXPECT_EQ(form.ComponentCount(), 0);
    RedrawWindow(host->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(20);
}

}  // namespace
