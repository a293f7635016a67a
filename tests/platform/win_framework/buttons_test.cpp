// The framework's picture buttons under Wine: speed buttons driven by mouse messages through their parent
// (a group keeps one down, all up, a press dragged off or held outside the window), the mouse enter and
// leave notices from control to control, glyph buttons by name and their stock kinds, and the menu
// button's drop-down.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/form_reader.h"
#include "platform/props.h"
#include "platform/win/bit_btn.h"
#include "platform/win/framework_classes.h"
#include "platform/win/menu_button.h"
#include "platform/win/menus.h"
#include "platform/win/speed_button.h"
#include "win_fixtures.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

struct SpeedGroup {
    std::unique_ptr<TForm> form = MakeHostForm(300, 100);
    std::vector<TSpeedButton*> buttons;
    std::vector<std::wstring> clicks;

    SpeedGroup() {
        for (int i = 0; i < 4; ++i) {
            auto* b = new TSpeedButton(form.get());
            b->SetParent(form.get());
            b->SetBounds(10 + 40 * i, 10, 32, 24);
            b->SetCaption(std::to_wstring(i));
            b->SetGroupIndex(i < 3 ? 1 : 0);
            b->OnClick = [this, b](TObject*) { clicks.push_back(b->Caption()); };
            buttons.push_back(b);
        }
        form->Show();
        Pump(50);
    }
    HWND Window() { return form->Handle(); }
    // A press and release on the parent's window at the middle of button i.
    void Click(int i) {
        const int x = 10 + 40 * i + 16;
        SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, 20));
        SendMessageW(Window(), WM_LBUTTONUP, 0, At(x, 20));
    }
    std::vector<bool> Downs() const {
        std::vector<bool> d;
        for (TSpeedButton* b : buttons) d.push_back(b->Down());
        return d;
    }
};

TEST(SpeedButton, AGroupKeepsOneDownAndAllowAllUpLetsItComeUp) {
    SpeedGroup g;
    g.Click(0);
    EXPECT_EQ(g.Downs(), (std::vector<bool>{true, false, false, false}));
    g.Click(1);
    EXPECT_EQ(g.Downs(), (std::vector<bool>{false, true, false, false}));
    g.Click(1);  // a down button stays down unless its group allows all up
    EXPECT_EQ(g.Downs(), (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(g.clicks, (std::vector<std::wstring>{L"0", L"1", L"1"}));

    g.buttons[2]->SetAllowAllUp(true);  // the whole group's
    EXPECT_TRUE(g.buttons[0]->AllowAllUp());
    g.Click(1);
    EXPECT_EQ(g.Downs(), (std::vector<bool>{false, false, false, false}));

    // Outside a group a button clicks and never stays down.
    g.Click(3);
    g.buttons[3]->SetDown(true);
    EXPECT_FALSE(g.buttons[3]->Down());
    EXPECT_EQ(g.clicks.back(), L"3");
    EXPECT_EQ(g.buttons[3]->State(), bsUp);
}

TEST(SpeedButton, APressDraggedOffOrReleasedOutsideTheWindowMakesNoClick) {
    SpeedGroup g;
    const HWND w = g.Window();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(26, 20));
    // The parent holds the mouse for the windowless button until the release.
    EXPECT_EQ(GetCapture(), w);
    EXPECT_TRUE(g.buttons[0]->MouseCapture());
    EXPECT_EQ(g.buttons[0]->State(), bsDown);
    // Left of and above the window: the captured mouse reports negative points.
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(-20, -5));
    EXPECT_EQ(g.buttons[0]->State(), bsUp);
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(20, 12));
    EXPECT_EQ(g.buttons[0]->State(), bsDown);
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(-20, -5));
    SendMessageW(w, WM_LBUTTONUP, 0, At(-20, -5));
    EXPECT_TRUE(g.clicks.empty());
    EXPECT_FALSE(g.buttons[0]->Down());
    EXPECT_NE(GetCapture(), w);

    // A press whose capture is taken away ends without a click too.
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(26, 20));
    ReleaseCapture();
    EXPECT_EQ(g.buttons[0]->State(), bsUp);
    SendMessageW(w, WM_LBUTTONUP, 0, At(26, 20));
    EXPECT_TRUE(g.clicks.empty());
}

TEST(MouseNotices, EnterAndLeaveFollowTheMouseFromControlToControl) {
    SpeedGroup g;
    auto* push = new TButton(g.form.get());
    push->SetParent(g.form.get());
    push->SetBounds(200, 50, 80, 30);
    Pump(30);
    std::vector<std::string> log;
    auto record = [&](TControl* c, const std::string& name) {
        TWndMethod old = c->WindowProc;
        c->WindowProc = [&log, old, name](TMessage& m) {
            if (m.Msg == CM_MOUSEENTER) log.push_back("enter " + name);
            if (m.Msg == CM_MOUSELEAVE) log.push_back("leave " + name);
            old(m);
        };
    };
    record(g.form.get(), "form");
    record(g.buttons[0], "b0");
    record(g.buttons[1], "b1");
    record(push, "push");

    const HWND w = g.Window();
    SendMessageW(w, WM_MOUSEMOVE, 0, At(5, 80));
    SendMessageW(w, WM_MOUSEMOVE, 0, At(20, 15));
    SendMessageW(w, WM_MOUSEMOVE, 0, At(22, 16));  // still over b0: nothing new
    SendMessageW(w, WM_MOUSEMOVE, 0, At(60, 15));
    SendMessageW(push->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    // The parent's notice that the mouse left it comes late, when the child already has the mouse.
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(TControl::MouseControl(), push);
    SendMessageW(push->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"enter form", "leave form", "enter b0", "leave b0", "enter b1",
                                             "leave b1", "enter push", "leave push"}));
    EXPECT_EQ(TControl::MouseControl(), nullptr);

    // A disabled button is passed over; a control that goes is forgotten.
    g.buttons[2]->SetEnabled(false);
    SendMessageW(w, WM_MOUSEMOVE, 0, At(100, 15));
    EXPECT_EQ(TControl::MouseControl(), g.form.get());
    SendMessageW(w, WM_MOUSEMOVE, 0, At(140, 15));
    EXPECT_EQ(TControl::MouseControl(), g.buttons[3]);
    delete g.buttons[3];
    g.buttons.pop_back();
    EXPECT_EQ(TControl::MouseControl(), nullptr);
}

TEST(BitBtn, PropertiesByNameStockKindsAndItsOwnDrawing) {
    auto form = MakeHostForm(300, 100);
    auto* b = new TBitBtn(form.get());
    b->SetParent(form.get());
    b->SetBounds(10, 10, 120, 40);
    form->Show();
    Pump(30);

    EXPECT_TRUE(SetPropByName(b, "Layout", std::string_view("blGlyphTop")));
    EXPECT_EQ(b->Layout(), blGlyphTop);
    EXPECT_EQ(GetEnumPropByName(b, "Layout"), "blGlyphTop");
    EXPECT_EQ(GetObjectPropByName<TGraphicBitmap>(b, "Glyph"), b->Glyph());
    EXPECT_EQ(GetOrdPropByName(b, "Margin"), -1);
    b->SetNumGlyphs(0);  // this control never holds a strip of no cells
    EXPECT_EQ(GetOrdPropByName(b, "NumGlyphs"), 1);

    // A stock kind brings its caption and two-cell glyph, unless the caption is the program's own.
    b->SetKind(bkOK);
    EXPECT_EQ(b->Caption(), L"确定");
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->Glyph()->Width(), 36);
    EXPECT_TRUE(b->Default());
    b->SetCaption(L"就这样");
    b->SetKind(bkCancel);
    EXPECT_EQ(b->Caption(), L"就这样");
    EXPECT_TRUE(b->Cancel);
    // It stays owner-drawn when it becomes the default button.
    EXPECT_EQ(GetWindowLongW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    // A close button closes its form (without its OnClick).
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->SetKind(bkClose);
    b->Click();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(clicks, 0);
}

TEST(BitBtn, AGlyphStoredInAFormDescriptionIsReadBack) {
    // A 2 x 1 BMP, 24 bits per pixel: red, then blue.
    const std::string bmp =
        "424D3E0000000000000036000000280000000200000001000000010018000000000008000000000000000000000000"
        "000000000000000000FFFF00000000";
    const std::string text = "object Form1: TForm\n  object B: TBitBtn\n    Glyph.Data = {" + bmp +
                             "}\n    NumGlyphs = 2\n  end\nend\n";
    RegisterFrameworkComponents();
    TForm form(nullptr);
    ReadComponentRes(text, form);
    auto* b = dynamic_cast<TBitBtn*>(form.FindComponent("B"));
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->Glyph()->Width(), 2);
    EXPECT_EQ(b->Glyph()->Bitmap().Pixel(0, 0), RGBColor(255, 0, 0));
    EXPECT_EQ(b->Glyph()->Bitmap().Pixel(1, 0), RGBColor(0, 0, 255));
    EXPECT_EQ(b->NumGlyphs(), 2);
}

// Runs action on the menu window once it is up (then the menu must close by itself), or closes it.
struct DropDownWatch {
    static inline HWND found = nullptr;
    static inline RECT rect{};
    static inline std::function<void(HWND)> action;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        KillTimer(nullptr, id);
        found = menu;
        GetWindowRect(menu, &rect);
        if (action)
            action(menu);
        else
            EndMenu();
    }
};

TEST(MenuButton, AClickDropsItsMenuDownBelowItAndTheChoiceRuns) {
    auto form = MakeHostForm(300, 150);
    auto* b = new TMenuButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(20, 20, 100, 30);
    b->SetCaption(L"操作");
    auto* menu = new TPopupMenu(form.get());
    auto* first = new TMenuItem(form.get());
    first->SetCaption(L"复制");
    menu->Items()->Add(first);
    auto* second = new TMenuItem(form.get());
    second->SetCaption(L"粘贴");
    menu->Items()->Add(second);
    b->SetDropDownMenu(menu);
    form->Show();
    Pump(50);
    int drops = 0, chosen = 0;
    bool droppedMeanwhile = false;
    b->OnDropDown = [&](TObject*) { ++drops; };
    second->OnClick = [&](TObject*) { ++chosen, droppedMeanwhile = b->DroppedDown(); };

    DropDownWatch::found = nullptr;
    DropDownWatch::action = [](HWND m) {
        for (WPARAM key : {WPARAM(VK_DOWN), WPARAM(VK_DOWN), WPARAM(VK_RETURN)}) {
            PostMessageW(m, WM_KEYDOWN, key, 0);
            PostMessageW(m, WM_KEYUP, key, 0);
        }
    };
    SetTimer(nullptr, 0, 20, &DropDownWatch::Tick);
    SendMessageW(b->Handle(), BM_CLICK, 0, 0);
    ASSERT_NE(DropDownWatch::found, nullptr);
    POINT below{0, 30};
    ClientToScreen(b->Handle(), &below);
    EXPECT_EQ(DropDownWatch::rect.left, below.x);
    EXPECT_EQ(DropDownWatch::rect.top, below.y);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(chosen, 1);
    EXPECT_TRUE(droppedMeanwhile);
    EXPECT_FALSE(b->DroppedDown());

    // Alt+Down from the keyboard; without a menu nothing opens.
    DropDownWatch::found = nullptr;
    DropDownWatch::action = nullptr;
    SetTimer(nullptr, 0, 20, &DropDownWatch::Tick);
    SendMessageW(b->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0);
    EXPECT_NE(DropDownWatch::found, nullptr);
    delete menu;
    EXPECT_EQ(b->DropDownMenu(), nullptr);
    b->DropDown();
    EXPECT_EQ(drops, 2);
}

}  // namespace
