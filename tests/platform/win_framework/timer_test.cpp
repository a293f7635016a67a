// Timers fire from the message loop; the application loop ends with its main form.
#include <gtest/gtest.h>

#include "platform/win/timer.h"
#include "win_fixtures.h"

namespace {

int loopTicks = 0;

TEST(Timer, FiresThroughTheMessageLoopOnlyWhileEnabled) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&ticks, &timer](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    };
    timer.SetEnabled(false);
    timer.SetInterval(10);
    Pump(100);
    EXPECT_EQ(ticks, 0);

    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 5; }, 3000));

    // Nothing fires outside the message loop.
    const int atStop = ticks;
    Sleep(60);
    EXPECT_EQ(ticks, atStop);

    timer.SetEnabled(false);
    Pump(100);
    EXPECT_EQ(ticks, atStop);

    // An interval of 0 keeps it still even when enabled.
    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Running());
}

TEST(Timer, AHandlerMayFreeAnotherTimerAndItself) {
    auto* a = new TTimer(nullptr);
    auto* b = new TTimer(nullptr);
    a->SetInterval(10);
    b->SetInterval(10);
    int aTicks = 0, bTicks = 0;
    b->OnTimer = [&bTicks](TObject*) { ++bTicks; };
    a->OnTimer = [&](TObject*) {
        ++aTicks;
        TTimer* self = a;
        a = nullptr;
        delete b;
        b = nullptr;
        delete self;  // last: the handler itself goes with it
    };
    Pump(200);
    EXPECT_EQ(aTicks, 1);
    EXPECT_LE(bTicks, 1);
    EXPECT_EQ(a, nullptr);
}

class TLoopForm : public TForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TLoopForm(TComponent* owner) : TForm(owner), timer(new TTimer(this)) {
        timer->SetInterval(10);
        timer->OnTimer = [this](TObject*) {
            if (++loopTicks == 3) Close();
        };
        OnCreate = [this](TObject*) { created = true; };
    }
    TTimer* timer;
    bool created = false;
};
const TClassInfo TLoopForm::ClassInfo_{"TLoopForm", &TForm::ClassInfo_, &TCustomForm::Props};

void CALLBACK EndLoop(HWND, UINT, UINT_PTR, DWORD) { Application->Terminate(); }

TEST(ApplicationLoop, RunsUntilTheMainFormClosesThenFreesTheForms) {
    Application->Initialize();
    Application->SetTitle(L"Tocvane");
    const int formsBefore = Screen->FormCount();
    TLoopForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->created);
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_EQ(Screen->FormCount(), formsBefore + 1);
    // The main form has a taskbar button although the application window owns it.
    EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    wchar_t title[32] = {};
    GetWindowTextW(Application->Handle(), title, 32);
    EXPECT_STREQ(title, L"Tocvane");

    // Guard: a loop that never ends fails the test instead of hanging it.
    loopTicks = 0;
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, &EndLoop);
    Application->Run();
    KillTimer(nullptr, guard);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(loopTicks, 3);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Screen->FormCount(), formsBefore);
    // Leave no WM_QUIT behind for the other tests.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TEST(ApplicationLoop, FormsLeftToTheApplicationGoCleanlyAtExit) {
    // Freed by the application object during static destruction, after thread-local objects are gone;
    // a fault there shows as the test program's exit code.
    auto* form = new TForm(Application);
    auto* timer = new TTimer(form);
    timer->SetInterval(1000);
    auto* button = new TButton(form);
    button->SetParent(form);
    form->HandleNeeded();
    EXPECT_TRUE(timer->Running());
    EXPECT_TRUE(button->HandleAllocated());
}

}  // namespace
