// Framework windows: class names over standard behaviour, the object property, the message path and
// teardown with a subclass on top.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win/hint_window.h"
#include "platform/win/status_bar.h"
#include "platform/win/window_class.h"
#include "win_fixtures.h"

#include <commctrl.h>

namespace {

class TTestForm1 : public TForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TForm::TForm;
};
const TClassInfo TTestForm1::ClassInfo_{"TTestForm1", &TForm::ClassInfo_, &TCustomForm::Props};

template <class T>
T* Child(TWinControl& parent, int left, int top, int width, int height) {
    auto* c = new T(&parent);
    c->SetParent(&parent);
    c->SetBounds(left, top, width, height);
    return c;
}

TEST(FrameworkWindows, ClassNamesAreFrameworkNamesWhileControlsKeepStandardBehaviour) {
    Application->Initialize();
    TTestForm1 form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    auto* button = Child<TButton>(form, 10, 10, 80, 25);
    auto* edit = Child<TEdit>(form, 10, 40, 120, 21);
    auto* memo = Child<TMemo>(form, 10, 70, 200, 60);
    auto* group = Child<TGroupBox>(form, 220, 10, 70, 60);
    auto* bar = Child<TStatusBar>(form, 0, 0, 0, 19);
    bar->Panels()->Add()->SetWidth(50);
    bar->Panels()->Add()->SetText(L"第二");
    form.HandleNeeded();

    EXPECT_EQ(WindowClassName(form.Handle()), L"TTestForm1");
    EXPECT_EQ(WindowClassName(button->Handle()), L"TButton");
    EXPECT_EQ(WindowClassName(edit->Handle()), L"TEdit");
    EXPECT_EQ(WindowClassName(memo->Handle()), L"TMemo");
    EXPECT_EQ(WindowClassName(group->Handle()), L"TGroupBox");
    EXPECT_EQ(WindowClassName(bar->Handle()), L"TStatusBar");

    // Windows made through the wide API.
    EXPECT_TRUE(IsWindowUnicode(button->Handle()));
    // Children sit on the form; the form is owned by the application window.
    EXPECT_EQ(GetParent(button->Handle()), form.Handle());
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), Application->Handle());
    EXPECT_EQ(WindowClassName(Application->Handle()), L"TApplication");

    // The button still is a BUTTON control.
    SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);
    EXPECT_NE(SendMessageW(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    SendMessageW(button->Handle(), BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(SendMessageW(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);

    // The edit answers EM_ messages.
    edit->SetText(L"abcdef");
    SendMessageW(edit->Handle(), EM_SETSEL, 2, 4);
    DWORD from = 0, to = 0;
    SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 2u);
    EXPECT_EQ(to, 4u);

    // The status bar is the common control: it knows its parts and their rectangles.
    EXPECT_EQ(SendMessageW(bar->Handle(), SB_GETPARTS, 0, 0), 2);
    RECT part{};
    EXPECT_TRUE(SendMessageW(bar->Handle(), 0x40A /* SB_GETRECT */, 0, reinterpret_cast<LPARAM>(&part)));
    EXPECT_GT(part.right - part.left, 0);
    wchar_t text[32] = {};
    SendMessageW(bar->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"第二");
    // A fixed-size form's status bar has no size grip.
    EXPECT_EQ(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP, 0);
}

TEST(FrameworkWindows, OwnerDrawnStatusPanelsReachOnDrawPanel) {
    auto form = MakeHostForm(300, 100);
    auto* bar = new TStatusBar(form.get());
    bar->SetParent(form.get());
    bar->Panels()->Add()->SetWidth(80);
    TStatusPanel* drawn = bar->Panels()->Add();
    drawn->SetStyle(psOwnerDraw);
    std::vector<std::pair<TStatusPanel*, TRect>> calls;
    bar->OnDrawPanel = [&calls, bar](TCustomStatusBar* sender, TStatusPanel* panel, const TRect& rect) {
        EXPECT_EQ(sender, bar);
        EXPECT_TRUE(bar->Canvas().HandleAllocated());  // drawing goes to the canvas, bound to the item's dc
        calls.emplace_back(panel, rect);
    };
    form->Show();
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().first, drawn);
    EXPECT_GE(calls.back().second.Left, 80);
    EXPECT_GT(calls.back().second.Width(), 0);
    EXPECT_FALSE(bar->Canvas().HandleAllocated());
}

TEST(FrameworkWindows, SingleBorderFormStyles) {
    Application->Initialize();
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetBorderIcons(TBorderIcons{biSystemMenu, biMinimize});
    const LONG_PTR style = GetWindowLongPtrW(form.Handle(), GWL_STYLE);
    const LONG_PTR ex = GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD));
    EXPECT_FALSE(ex & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);

    // The icon goes to the window and is answered back.
    HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    form.SetIcon(icon, icon, false);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form.Handle(), WM_GETICON, ICON_SMALL, 0)), icon);

    // A skinner's private message that shares its number with the reflected notify (lParam is the
    // skinner's signature, not a notification header) is not read as a notification on a form.
    EXPECT_EQ(SendMessageW(form.Handle(), CN_NOTIFY, 0, 16802), 0);
}

TEST(FrameworkWindows, HintWindowShowsWithoutTakingTheActivation) {
    auto form = MakeHostForm();
    form->Show();
    SetActiveWindow(form->Handle());
    THintWindow hint(nullptr);
    const TRect r = hint.CalcHintRect(500, L"最小化");
    EXPECT_GT(r.Width(), 6);
    EXPECT_GT(r.Height(), 2);
    hint.ActivateHint(r.Offset(100, 100), L"最小化");
    EXPECT_TRUE(IsWindowVisible(hint.Handle()));
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_EQ(WindowClassName(hint.Handle()), L"THintWindow");
    EXPECT_TRUE(GetWindowLongPtrW(hint.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ShowWindow(hint.Handle(), SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(hint.Handle()));
}

TEST(FrameworkWindows, PropertyKeyLeadsFromTheWindowToItsObject) {
    auto form = MakeHostForm();
    auto* button = Child<TButton>(*form, 10, 10, 80, 25);
    HWND h = button->Handle();

    wchar_t expected[40];
    std::swprintf(expected, 40, L"ControlOfs%08X%08X",
                  unsigned(reinterpret_cast<ULONG_PTR>(GetModuleHandleW(nullptr))),
                  unsigned(GetCurrentThreadId()));
    EXPECT_EQ(ControlPropertyName(), expected);
    EXPECT_EQ(ControlPropertyName().size(), 26u);
    EXPECT_EQ(GetPropW(h, expected), static_cast<HANDLE>(static_cast<TWinControl*>(button)));
    wchar_t atomName[64] = {};
    GlobalGetAtomNameW(ControlAtom(), atomName, 64);
    EXPECT_STREQ(atomName, expected);

    EXPECT_EQ(FindControl(h), button);
    EXPECT_EQ(FindControl(form->Handle()), form.get());
    EXPECT_EQ(FindControl(nullptr), nullptr);
    // A window the framework did not make has no object.
    HWND raw = CreateWindowExW(0, L"BUTTON", L"raw", WS_CHILD, 0, 0, 10, 10, form->Handle(), nullptr, nullptr,
                               nullptr);
    EXPECT_EQ(FindControl(raw), nullptr);
    DestroyWindow(raw);
}

// A subclass installed the way skinners do it: SetWindowLongPtrW, forwarding with CallWindowProcW.
struct Subclass {
    static inline std::vector<std::pair<HWND, UINT>> log;
    static inline WNDPROC previous = nullptr;
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_SETTEXT || msg == WM_NCDESTROY || msg == WM_USER + 7) log.emplace_back(h, msg);
        if (msg == WM_NCDESTROY) {
            // The framework object must still be whole while its window gets its last message.
            TWinControl* c = FindControl(h);
            log.emplace_back(h, c && c->ClassName() == "TButton" ? 1u : 0u);
        }
        return CallWindowProcW(previous, h, msg, w, l);
    }
    static void Attach(HWND h) {
        previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::Proc)));
    }
};

TEST(MessagePath, CaptionPassesASubclassThenTheReplacedWindowProc) {
    auto form = MakeHostForm();
    auto* button = Child<TButton>(*form, 10, 10, 80, 25);
    HWND h = button->Handle();

    std::vector<std::wstring> seen;
    TWndMethod old = button->WindowProc;
    button->WindowProc = [&seen, old](TMessage& m) {
        if (m.Msg == WM_SETTEXT) seen.push_back(reinterpret_cast<const wchar_t*>(m.LParam));
        old(m);
    };
    button->SetCaption(L"开始");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], L"开始");

    Subclass::log.clear();
    Subclass::Attach(h);
    button->SetCaption(L"暂停");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], L"暂停");
    ASSERT_EQ(Subclass::log.size(), 1u);  // the subclass on top saw it first, then passed it on
    EXPECT_EQ(Subclass::log[0].second, UINT(WM_SETTEXT));
    // The control itself stored the text.
    wchar_t text[16] = {};
    GetWindowTextW(h, text, 16);
    EXPECT_STREQ(text, L"暂停");
    EXPECT_EQ(button->Caption(), L"暂停");

    // Perform goes through WindowProc but not through the window.
    int performed = 0;
    TWndMethod old2 = button->WindowProc;
    button->WindowProc = [&performed, old2](TMessage& m) {
        if (m.Msg == WM_USER + 7) {
            ++performed;
            m.Result = 42;
            return;
        }
        old2(m);
    };
    EXPECT_EQ(button->Perform(WM_USER + 7, 1, 2), 42);
    EXPECT_EQ(performed, 1);
    EXPECT_EQ(Subclass::log.size(), 1u);
    // A message sent to the window passes both.
    EXPECT_EQ(SendMessageW(h, WM_USER + 7, 0, 0), 42);
    EXPECT_EQ(performed, 2);
    EXPECT_EQ(Subclass::log.size(), 2u);
    button->WindowProc = old;
}

TEST(MessagePath, WindowlessCaptionGoesThroughWindowProc) {
    auto form = MakeHostForm();
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    int sets = 0;
    TWndMethod old = label->WindowProc;
    label->WindowProc = [&sets, old](TMessage& m) {
        if (m.Msg == WM_SETTEXT) ++sets;
        old(m);
    };
    label->SetCaption(L"00时00分00秒000毫秒");
    EXPECT_EQ(sets, 1);
    EXPECT_EQ(label->Caption(), L"00时00分00秒000毫秒");
    label->SetCaption(L"00时00分00秒000毫秒");  // unchanged text: nothing sent
    EXPECT_EQ(sets, 1);
}

TEST(MessagePath, ButtonClicksAreReflectedThroughContainersOnce) {
    auto form = MakeHostForm();
    auto* group = Child<TGroupBox>(*form, 10, 10, 200, 100);
    auto* button = Child<TButton>(*group, 10, 20, 60, 25);
    int clicks = 0;
    button->OnClick = [&clicks, button](TObject* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    form->Show();
    // A keyboard-style click: BN_CLICKED reaches the group box, which hands it to the button object.
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    // A notice that is not BN_CLICKED does nothing.
    SendMessageW(group->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(button->Handle()));
    EXPECT_EQ(clicks, 1);

    // The status bar clicks on a press and release inside it.
    auto* bar = Child<TStatusBar>(*form, 0, 0, 0, 19);
    int barClicks = 0;
    bar->OnClick = [&barClicks](TObject*) { ++barClicks; };
    SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(barClicks, 1);
    // Released outside: no click. A release without a press: no click.
    SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 500));
    SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(barClicks, 1);
    ReleaseCapture();
}

TEST(Teardown, WindowsGoFirstWhileObjectsAreWholeEvenWithASubclass) {
    Application->Initialize();
    auto* form = new TForm(nullptr);
    auto* group = new TGroupBox(form);
    group->SetParent(form);
    auto* button = new TButton(form);
    button->SetParent(group);
    HWND buttonWindow = button->Handle();
    HWND formWindow = form->Handle();
    Subclass::log.clear();
    Subclass::Attach(buttonWindow);
    const int formsBefore = Screen->FormCount();

    delete form;
    ASSERT_EQ(Subclass::log.size(), 2u);
    EXPECT_EQ(Subclass::log[0], std::make_pair(buttonWindow, UINT(WM_NCDESTROY)));
    EXPECT_EQ(Subclass::log[1].second, 1u);  // the object was still a TButton
    EXPECT_FALSE(IsWindow(buttonWindow));
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_EQ(Screen->FormCount(), formsBefore - 1);
}

// Attaches to a control the way control skinners do, and hands its WindowProc back when freed.
class TAttached : public TComponent {
public:
    explicit TAttached(TWinControl* control, std::vector<std::string>& log)
        : TComponent(control), control_(control), log_(log), saved_(control->WindowProc) {
        control->WindowProc = [this](TMessage& m) {
            if (m.Msg == WM_NCDESTROY) log_.push_back("WM_NCDESTROY");
            saved_(m);
        };
    }
    ~TAttached() override {
        log_.push_back(control_->HandleAllocated() ? "freed with a window" : "freed");
        control_->WindowProc = saved_;
        control_->Perform(WM_USER, 0, 0);  // the control still answers
    }

private:
    TWinControl* control_;
    std::vector<std::string>& log_;
    TWndMethod saved_;
};

TEST(Teardown, ComponentsOwnedByAControlGoAfterItsWindowAndBeforeItsParts) {
    auto form = MakeHostForm();
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->HandleNeeded();
    std::vector<std::string> log;
    new TAttached(button, log);
    delete button;
    EXPECT_EQ(log, (std::vector<std::string>{"WM_NCDESTROY", "freed"}));
}

TEST(Teardown, PanelOnARawParentWindowDiesWithThatWindowOnce) {
    auto form = MakeHostForm();
    auto* group = new TGroupBox(form.get());
    group->SetParent(form.get());
    group->SetBounds(10, 10, 200, 150);
    // A panel over a control, parented by window handle only (as scroll-bar panels are).
    auto* panel = new TPanel(nullptr);
    panel->SetParentWindow(group->Handle());
    panel->SetBounds(5, 20, 16, 100);
    HWND h = panel->Handle();
    EXPECT_EQ(GetParent(h), group->Handle());
    EXPECT_EQ(WindowClassName(h), L"TPanel");
    EXPECT_EQ(panel->Parent(), nullptr);

    delete group;  // its window takes the panel's window with it
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(panel->HandleAllocated());
    delete panel;  // nothing left to destroy
}

TEST(Teardown, AControlFreedOnItsOwnLeavesParentAndWindow) {
    auto form = MakeHostForm();
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    HWND h = button->Handle();
    const int count = form->ControlCount();
    const int owned = form->ComponentCount();
    delete button;
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(form->ControlCount(), count - 1);
    EXPECT_EQ(form->ComponentCount(), owned - 1);
    EXPECT_TRUE(form->TabList().empty());

    // A window destroyed behind the object's back: the object forgets its handle and makes a new one.
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    HWND first = edit->Handle();
    DestroyWindow(first);
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_TRUE(IsWindow(edit->Handle()));
}

}  // namespace
