// The control skinner base on real windows under Wine: attaching to a raw window and to a framework
// control, the message flow (SM_ISSKINNED, SM_SETSKINNED, painting over the control), the colour swap,
// the window's last message and detaching.
#include "skin/controls/win/skin_control.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/win/skinner_fixtures.h"

#include <stdexcept>

#include "platform/win/std_controls.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "tests/platform/win_framework/win_fixtures.h"

namespace {

constexpr TColor kPainted = 0x3366CC;  // what the test skinner paints
constexpr TColor kFace = 0x123456;     // the test skin's button face

// Paints the whole control in one colour, or fails while painting.
class FlatSkinner : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void DrawControl(HDC dc, const TRect& rc) override {
        ++draws;
        if (fail) throw std::runtime_error("no skin image");
        HBRUSH b = CreateSolidBrush(kPainted);
        RECT r{rc.Left, rc.Top, rc.Right, rc.Bottom};
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    int draws = 0;
    bool fail = false;
};

// Stands in for the form skinner that keeps the control skinners.
TColor PixelOf(HWND hwnd, int x, int y) {
    HDC dc = GetWindowDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return TColor(c);
}

class SkinControlTest : public testing::Test {
protected:
    void SetUp() override {
        skin.Colors[3] = kFace;
        host = MakeHostForm(300, 200);
        host->Show();
        raw = CreateWindowExW(0, L"BUTTON", L"原始", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 30,
                              host->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(raw, nullptr);
        originalProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(raw, GWLP_WNDPROC));
        Pump(50);
    }
    void TearDown() override {
        if (IsWindow(raw)) DestroyWindow(raw);
        host.reset();
    }

    TSkinData skin{nullptr};
    FormSkinnerStub form;
    std::unique_ptr<TForm> host;
    HWND raw = nullptr;
    WNDPROC originalProc = nullptr;
};

TEST_F(SkinControlTest, RawWindowAnswersIsSkinnedAndIsPaintedOverUntilSwitchedOff) {
    EXPECT_EQ(SendMessageW(raw, SM_ISSKINNED, 0, 0), 0);  // how the engine tells an unskinned window
    FlatSkinner s(&form);
    s.Inithwnd(raw, &skin, nullptr, &form);
    EXPECT_EQ(s.skinstate, 1);
    EXPECT_EQ(s.caption, L"原始");
    EXPECT_TRUE(form.Contains(&s));
    EXPECT_EQ(s.FPrevWndProc, originalProc);
    EXPECT_EQ(SendMessageW(raw, SM_ISSKINNED, 0, 0), 1);

    // The control paints itself, then the skinner paints over it.
    RedrawWindow(raw, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(50);
    EXPECT_GT(s.draws, 0);
    EXPECT_EQ(PixelOf(raw, 45, 15), kPainted);

    // Switched off: every message reaches the control, which paints as it always does.
    EXPECT_EQ(SendMessageW(raw, SM_SETSKINNED, 0, 0), 0);
    EXPECT_EQ(SendMessageW(raw, SM_ISSKINNED, 0, 0), 0);
    RedrawWindow(raw, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(50);
    EXPECT_NE(PixelOf(raw, 45, 15), kPainted);

    // Switched on again: repainted skinned before the message returns.
    s.draws = 0;
    SendMessageW(raw, SM_SETSKINNED, 1, 0);
    EXPECT_GT(s.draws, 0);
    EXPECT_EQ(PixelOf(raw, 45, 15), kPainted);
    EXPECT_EQ(SendMessageW(raw, SM_ISSKINNED, 0, 0), 1);
}

TEST_F(SkinControlTest, DetachingGivesTheWindowItsProcedureAndLeavesTheList) {
    {
        FlatSkinner s(&form);
        s.Inithwnd(raw, &skin, nullptr, &form);
        EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(raw, GWLP_WNDPROC)), originalProc);
    }
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(raw, GWLP_WNDPROC)), originalProc);
    EXPECT_TRUE(form.Controllist.empty());
    EXPECT_EQ(SendMessageW(raw, SM_ISSKINNED, 0, 0), 0);
}

TEST_F(SkinControlTest, TheWindowsLastMessageReachesTheControlAndEndsSkinning) {
    FlatSkinner s(&form);
    s.Inithwnd(raw, &skin, nullptr, &form);
    DestroyWindow(raw);
    EXPECT_EQ(s.skinstate, 6);
    EXPECT_FALSE(s.skinned);
    // The skinner outlives its window until its owner frees it; that is harmless.
}

TEST_F(SkinControlTest, FailedDrawingStaysInsideTheSkinner) {
    FlatSkinner s(&form);
    s.Inithwnd(raw, &skin, nullptr, &form);
    s.fail = true;
    s.PaintControl(nullptr);
    RedrawWindow(raw, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(50);
    EXPECT_GT(s.draws, 0);
    EXPECT_EQ(SendMessageW(raw, SM_ISSKINNED, 0, 0), 1);  // still working
}

TEST_F(SkinControlTest, FrameworkControlTakesTheButtonFaceWhileSkinned) {
    auto* button = new TButton(host.get());
    button->SetParent(host.get());
    button->SetBounds(10, 60, 90, 30);
    button->SetColor(0x00FF00);
    auto* s = new FlatSkinner(button);
    s->Init(&form, &skin, nullptr, true);
    EXPECT_EQ(s->control, button);
    EXPECT_EQ(s->hwnd, button->Handle());
    EXPECT_EQ(button->Color(), kFace);
    EXPECT_EQ(s->oldcolor, 0x00FF00);
    EXPECT_EQ(button->Perform(SM_ISSKINNED), 1);
    EXPECT_EQ(SendMessageW(button->Handle(), SM_ISSKINNED, 0, 0), 1);

    // A second Init changes nothing.
    skin.Colors[3] = 0x654321;
    s->Init(&form, &skin, nullptr, true);
    EXPECT_EQ(button->Color(), kFace);
    EXPECT_EQ(form.Controllist.size(), 1u);

    // A skin change recolours; switching off gives the control its own colour back.
    s->SkinChange();
    EXPECT_EQ(button->Color(), 0x654321);
    s->Unsubclass();
    EXPECT_EQ(button->Color(), 0x00FF00);
    EXPECT_FALSE(s->skinned);
    EXPECT_EQ(button->Perform(SM_ISSKINNED), 0);

    // Freed on its own, the skinner hands the control its WindowProc back: text still reaches the window.
    delete s;
    EXPECT_TRUE(form.Controllist.empty());
    button->SetCaption(L"再见");
    wchar_t text[16] = {};
    GetWindowTextW(button->Handle(), text, 16);
    EXPECT_STREQ(text, L"再见");
}

TEST_F(SkinControlTest, SkinnerOwnedByAControlGoesWithIt) {
    auto* button = new TButton(host.get());
    button->SetParent(host.get());
    button->SetBounds(10, 100, 90, 30);
    auto* s = new FlatSkinner(button);
    s->Init(&form, &skin, nullptr, false);
    EXPECT_EQ(button->Color(), clBtnFace);  // no recolouring asked for
    delete button;                          // the window goes first, then the skinner
    EXPECT_TRUE(form.Controllist.empty());
}

}  // namespace
