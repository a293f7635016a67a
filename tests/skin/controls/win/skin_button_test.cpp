// Push-button skinners on real buttons under Wine: the cell each look shows on screen, the press kept from
// the control, the click on release over the button (and none after leaving it), raw dialog buttons posting
// their command, framework buttons clicking.
#include "skin/controls/win/skin_button.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include <vector>

#include "platform/stream.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/std_controls.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"
#include "tests/platform/win_framework/win_fixtures.h"
#include "tests/skin/data/test_skins.h"

namespace {

std::vector<WPARAM> g_commands;  // WM_COMMAND wParams the raw parent received

LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND) g_commands.push_back(w);
    return DefWindowProcW(h, m, w, l);
}

class SkinButtonTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"TvButtonParent";
        RegisterClassW(&wc);
    }
    void SetUp() override {
        ASSERT_TRUE(LoadDefaultSkin(skin, true));
        ASSERT_TRUE(skin.Button);
        parent = CreateWindowExW(0, L"TvButtonParent", L"", WS_POPUP | WS_VISIBLE, 50, 50, 300, 150, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        button = CreateWindowExW(0, L"BUTTON", L"开始", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                 20, 20, 100, 30, parent, HMENU(1234), GetModuleHandleW(nullptr), nullptr);
        other = CreateWindowExW(0, L"BUTTON", L"其他", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                150, 20, 100, 30, parent, HMENU(99), GetModuleHandleW(nullptr), nullptr);
        SetFocus(other);
        g_commands.clear();
        Pump(30);
    }
    void TearDown() override {
        DestroyWindow(parent);
        FreeSkinManager();
    }

    // Does the button on screen show cell `cell` of the skin's button image (at a point where it is opaque
    // and differs from the other cells)?
    bool Shows(int cell) {
        const TDataSkinButton& b = *skin.Button;
        const TRect rc{0, 0, 100, 30};
        auto composed = [&](int c) { return MakeSkinBitmap(rc, b.Map, b.r, c, b.frame, b.Tile, 0); };
        auto mine = composed(cell);
        for (int y = 1; y < 29; ++y)
            for (int x = 1; x < 99; ++x) {
                const TColor want = mine->Pixel(x, y);
                if (want == SkinKeyColor) continue;
                bool unique = true;
                for (int c = 1; c <= b.frame && unique; ++c)
                    if (c != cell && composed(c)->Pixel(x, y) == want) unique = false;
                if (!unique) continue;
                HDC dc = GetWindowDC(button);
                const TColor shown = TColor(GetPixel(dc, x, y));
                ReleaseDC(button, dc);
                return shown == want;
            }
        ADD_FAILURE() << "no telling pixel for cell " << cell;
        return false;
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    HWND parent = nullptr, button = nullptr, other = nullptr;
};

TEST_F(SkinButtonTest, EachLookShowsItsCell) {
    TSkinButton s(&form);
    s.Inithwnd(button, &skin, nullptr, &form);
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(Shows(1));
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(Shows(4));
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(Shows(2));
    EXPECT_EQ(GetFocus(), button);  // the press gives the focus
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(Shows(5));  // focused, neither hot nor pressed
    EnableWindow(button, FALSE);
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(Shows(3));
}

// The whole window, pixel for pixel, against the face filled and the keyed cell copied by the dc routines,
// in every look and again after a change of size (a button without caption or focus frame: nothing else
// is drawn).
TEST_F(SkinButtonTest, EveryPixelIsTheFaceUnderTheKeyedCell) {
    SetWindowTextW(button, L"");
    TSkinOptions options = skin.Options();
    options.Include(xoNoFocusRect);
    skin.SetOptions(options);
    TSkinButton s(&form);
    s.Inithwnd(button, &skin, nullptr, &form);
    const TDataSkinButton& b = *skin.Button;
    auto expectCell = [&](int cell, int w, int h) {
        SCOPED_TRACE(::testing::Message() << "cell " << cell << " at " << w << " x " << h);
        TBitmap want(w, h, pf24bit);
        FillColorRect(BitmapDC(want), Rect(0, 0, w, h), skin.Colors[3]);
        DrawSkinRect(BitmapDC(want), Rect(0, 0, w, h), b.Map, b.r, cell, b.frame, b.trans, b.Tile, 0);
        GdiFlush();
        TBitmap shown(w, h, pf24bit);
        HDC dc = GetWindowDC(button);
        BitBlt(BitmapDC(shown), 0, 0, w, h, dc, 0, 0, SRCCOPY);
        ReleaseDC(button, dc);
        GdiFlush();
        int bad = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (shown.Pixel(x, y) != want.Pixel(x, y) && ++bad <= 3)
                    ADD_FAILURE() << "pixel " << x << "," << y << std::hex << ": " << shown.Pixel(x, y)
                                  << " want " << want.Pixel(x, y);
        EXPECT_EQ(bad, 0);
    };
    for (int round = 0; round < 2; ++round) {  // the second round paints from the kept cells
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        expectCell(1, 100, 30);
        SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        expectCell(4, 100, 30);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        expectCell(2, 100, 30);
        SendMessageW(button, WM_MOUSELEAVE, 0, 0);
        SetFocus(other);
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    EnableWindow(button, FALSE);
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    expectCell(3, 100, 30);
    SetWindowPos(button, nullptr, 0, 0, 69, 25, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    expectCell(3, 69, 25);
}

TEST_F(SkinButtonTest, TheSkinnerOwnsThePressAndClicksOnRelease) {
    TSkinButton s(&form);
    s.Inithwnd(button, &skin, nullptr, &form);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    // The control never saw the press: no capture, not pushed.
    EXPECT_NE(GetCapture(), button);
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(30);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(LOWORD(g_commands[0]), 1234);
    EXPECT_EQ(HIWORD(g_commands[0]), BN_CLICKED);

    // Pressed, then the mouse leaves before the release: no click.
    g_commands.clear();
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(button, WM_MOUSELEAVE, 0, 0);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 10));
    Pump(30);
    EXPECT_TRUE(g_commands.empty());

    // Space presses and releases; the control itself clicks.
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_NE(s.state & TSkinControl::kPressed, 0);
    SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(s.state & TSkinControl::kPressed, 0);
    Pump(30);
    EXPECT_EQ(g_commands.size(), 1u);
}

TEST_F(SkinButtonTest, FrameworkButtonsClickAndBreakTheirCaption) {
    auto host = MakeHostForm(300, 100);
    host->Show();
    auto* b = new TButton(host.get());
    b->SetParent(host.get());
    b->SetBounds(10, 10, 100, 30);
    b->SetCaption(L"暂停||继续");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    auto* s = new TSkinButton(b);
    s->Init(&form, &skin, nullptr, true);
    EXPECT_EQ(s->kind, 0);
    EXPECT_FALSE(s->trans);

    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    // The caption's first "||" made two lines when it was drawn.
    EXPECT_EQ(s->caption, L"暂停\r\n继续");
}

}  // namespace
