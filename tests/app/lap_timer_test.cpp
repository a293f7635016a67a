// The lap timer driven through fake controls and a fake clock: runs of hours take milliseconds.
#include "app/lap_timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FakeControls : LapTimerView {
    std::wstring b2 = L"开始", l1, editNum = L"1", editVer = L"v1.2.20130119", caption = L"Tocvane";
    TColor l1Color = clWindowText;
    std::vector<std::wstring> log;
    bool timer1 = false, timer2 = false;

    std::wstring B2Caption() override { return b2; }
    void SetB2Caption(const std::wstring& t) override { b2 = t; }
    std::wstring L1Caption() override { return l1; }
    void SetL1Caption(const std::wstring& t) override { l1 = t; }
    void SetL1Color(TColor c) override { l1Color = c; }
    std::wstring EditNumText() override { return editNum; }
    void SetEditNumText(const std::wstring& t) override { editNum = t; }
    std::wstring EditVerText() override { return editVer; }
    std::wstring WindowCaption() override { return caption; }
    void SetWindowCaption(const std::wstring& t) override { caption = t; }
    void AppendLogLine(const std::wstring& line) override { log.push_back(line); }
    void ClearLog() override { log.clear(); }
    void SetTimer1Enabled(bool on) override { timer1 = on; }
    void SetTimer2Enabled(bool on) override { timer2 = on; }
};

struct FakeClock : Clock {
    std::uint32_t tick = 5000;
    int reads = 0;
    std::uint32_t TickCount() override { return tick; }
    std::wstring ShortDate() override {
        ++reads;
        return L"2013/1/19";
    }
    std::wstring LongTime() override {
        ++reads;
        return L"8:05:09";
    }
};

struct Recorder : Effects {
    std::vector<std::wstring> sounds, urls;
    void PlayWave(const std::wstring& name) override { sounds.push_back(name); }
    void OpenUrl(const std::wstring& url) override { urls.push_back(url); }
};

class LapTimerTest : public testing::Test {
protected:
    FakeControls view;
    FakeClock clock;
    Recorder fx;
    LapTimer timer{view, clock, fx};

    // Lets ms pass, ticking Timer1 every 10 ms while it is enabled and Timer2 while it is.
    void Run(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += 10) {
            clock.tick += 10;
            if (view.timer1) timer.Timer1Timer();
            if (view.timer2) timer.Timer2Timer();
        }
    }
    // Jumps ahead without ticking, then shows the time the next tick would show.
    void JumpTo(std::uint32_t elapsedMs) {
        clock.tick = timer.StartTick + elapsedMs;
        timer.Timer1Timer();
    }
};

std::wstring Shown(std::int32_t ms) { return FormatElapsed(ms).Text(); }

TEST(FormatElapsed, PadsEveryFieldToItsWidth) {
    EXPECT_EQ(Shown(0), L"00时00分00秒000毫秒");
    EXPECT_EQ(Shown(5), L"00时00分00秒005毫秒");
    EXPECT_EQ(Shown(45), L"00时00分00秒045毫秒");
    EXPECT_EQ(Shown(100), L"00时00分00秒100毫秒");
    EXPECT_EQ(Shown(7000), L"00时00分07秒000毫秒");
    EXPECT_EQ(Shown(65120), L"00时01分05秒120毫秒");
    EXPECT_EQ(Shown(130031), L"00时02分10秒031毫秒");
    EXPECT_EQ(Shown(((9 * 60 + 59) * 60 + 59) * 1000 + 999), L"09时59分59秒999毫秒");
}

TEST(FormatElapsed, HoursWrapAfterSixtyNotTwentyFour) {
    EXPECT_EQ(Shown(24 * 3600 * 1000), L"24时00分00秒000毫秒");
    EXPECT_EQ(Shown(59 * 3600 * 1000 + 3599999), L"59时59分59秒999毫秒");
    EXPECT_EQ(Shown(60 * 3600 * 1000), L"00时00分00秒000毫秒");
    EXPECT_EQ(Shown(61 * 3600 * 1000 + 1), L"01时00分00秒001毫秒");
    // The longest run the data model holds, just below 2^31 ms (596 h 31 min 23.647 s).
    EXPECT_EQ(Shown(INT32_MAX), L"56时31分23秒647毫秒");
}

TEST(SoundCues, OnlyInTheFirstTenthOfAWholeMinuteAndNeverOnTheHour) {
    auto cue = [](int h, int m, int s, int ms) {
        return CueFor(FormatElapsed(((h * 60 + m) * 60 + s) * 1000 + ms));
    };
    EXPECT_EQ(cue(0, 0, 0, 0), L"");  // start of the run
    EXPECT_EQ(cue(0, 1, 0, 0), L"ding.wav");
    EXPECT_EQ(cue(0, 20, 0, 0), L"20.wav");
    EXPECT_EQ(cue(0, 30, 0, 50), L"30.wav");
    EXPECT_EQ(cue(0, 21, 0, 100), L"ding.wav");
    EXPECT_EQ(cue(0, 21, 0, 101), L"");
    EXPECT_EQ(cue(0, 21, 1, 0), L"");
    EXPECT_EQ(cue(1, 0, 0, 0), L"");
    EXPECT_EQ(cue(1, 5, 0, 0), L"ding.wav");
    EXPECT_EQ(cue(1, 20, 0, 0), L"20.wav");
    EXPECT_EQ(cue(0, 59, 59, 999), L"");
}

TEST(MakerUrl, CarriesProgramAndVersionAsOneEncodedValue) {
    EXPECT_EQ(MakerUrl(L"https://h.example", L"v1.2.20130119"),
              L"https://h.example/?qq=Tocvanev1.2.20130119");
    // A changed version text stays inside the one query value.
    EXPECT_EQ(MakerUrl(L"https://h.example", L"v1 &x=y#z"),
              L"https://h.example/?qq=Tocvanev1%20%26x%3Dy%23z");
    EXPECT_EQ(MakerUrl(L"https://h.example", L"版"), L"https://h.example/?qq=Tocvane%E7%89%88");
}

TEST_F(LapTimerTest, CreationAppendsTheVersionToTheTitle) {
    timer.FormCreate();
    EXPECT_EQ(view.caption, L"Tocvanev1.2.20130119");
}

TEST_F(LapTimerTest, StartShowsTheRunningTimeAndStaysSilentAtTheStart) {
    timer.FormCreate();
    timer.B2Click();
    EXPECT_EQ(view.b2, L"暂停");
    EXPECT_TRUE(view.timer1);
    EXPECT_FALSE(view.timer2);
    EXPECT_EQ(view.l1Color, RGBColor(0, 0, 255));
    EXPECT_EQ(view.caption, L"Tocvane");
    EXPECT_EQ(view.l1, L"");  // nothing until the first tick
    Run(1000);
    EXPECT_EQ(view.l1, L"00时00分01秒000毫秒");
    EXPECT_TRUE(fx.sounds.empty());
    EXPECT_TRUE(view.log.empty());
}

TEST_F(LapTimerTest, CuesOverARunOfMoreThanAnHour) {
    timer.B2Click();
    Run((65 * 60 + 30) * 1000);
    // Ticks fall on 0, 10 … 100 ms after each whole minute: 11 requests per cue, none at 0:00 or 1:00.
    std::vector<std::wstring> expected;
    for (int minute = 1; minute <= 65; ++minute) {
        const int m = minute % 60;
        if (m == 0) continue;
        for (int i = 0; i < 11; ++i)
            expected.push_back(m == 20 ? L"20.wav" : m == 30 ? L"30.wav" : L"ding.wav");
    }
    EXPECT_EQ(fx.sounds.size(), expected.size());
    EXPECT_TRUE(fx.sounds == expected);
    EXPECT_EQ(view.l1, L"01时05分30秒000毫秒");
}

TEST_F(LapTimerTest, TickCounterWrapDoesNotDisturbTheRun) {
    clock.tick = 0xFFFFFFFFu - 1500;  // 1.5 s before the counter wraps
    timer.B2Click();
    Run(3000);
    EXPECT_EQ(view.l1, L"00时00分03秒000毫秒");
    timer.B2Click();  // pause across the wrap, then continue
    Run(700);
    timer.B2Click();
    Run(10);
    EXPECT_EQ(view.l1, L"00时00分03秒010毫秒");
}

TEST_F(LapTimerTest, PauseAndContinueLeaveThePauseOut) {
    timer.B2Click();
    Run(65120);
    timer.B2Click();
    EXPECT_EQ(view.b2, L"继续");
    EXPECT_FALSE(view.timer1);
    EXPECT_TRUE(view.timer2);
    EXPECT_EQ(view.caption, L"Tocvane -- 暂停");
    EXPECT_EQ(timer.PausedText, L"00时01分05秒120毫秒");
    ASSERT_EQ(view.log.size(), 1u);
    EXPECT_EQ(view.log[0], L"暂停 00时01分05秒120毫秒 时间2013/1/19 8:05:09");
    EXPECT_EQ(clock.reads, 2);  // the clock is read once for the date, once for the time

    clock.tick += 3600 * 1000;  // an hour of pause
    timer.B2Click();
    EXPECT_EQ(view.b2, L"暂停");
    EXPECT_FALSE(view.timer2);
    EXPECT_EQ(view.caption, L"Tocvane");
    Run(880);
    EXPECT_EQ(view.l1, L"00时01分06秒000毫秒");

    // A second pause and continue adds up with the first.
    timer.B2Click();
    clock.tick += 12345;
    timer.B2Click();
    Run(1000);
    EXPECT_EQ(view.l1, L"00时01分07秒000毫秒");
}

TEST_F(LapTimerTest, BlinkAlternatesOnEveryTickAcrossTheCounterWrap) {
    timer.B2Click();
    Run(2000);
    timer.B2Click();
    const std::wstring paused = view.l1;
    std::wstring last = view.l1;
    for (int i = 0; i < 600; ++i) {
        timer.Timer2Timer();
        ASSERT_GE(timer.BlinkCount, 0);
        ASSERT_LE(timer.BlinkCount, 255);
        ASSERT_NE(view.l1, last) << "tick " << i;  // strictly alternating, also from 255 to 0
        ASSERT_TRUE(view.l1.empty() || view.l1 == paused);
        last = view.l1;
    }
}

TEST(LapTimerBlink, FirstTickAfterStartShowsNothing) {
    FakeControls view;
    FakeClock clock;
    Recorder fx;
    LapTimer timer{view, clock, fx};
    view.l1 = L"x";
    timer.PausedText = L"x";
    timer.Timer2Timer();
    EXPECT_EQ(view.l1, L"");
    timer.BlinkCount = 255;
    timer.Timer2Timer();
    EXPECT_EQ(timer.BlinkCount, 0);
    EXPECT_EQ(view.l1, L"x");
}

TEST_F(LapTimerTest, LapsAreNumberedAndTheEndCarriesTheNextNumber) {
    timer.B2Click();
    Run(60000);
    timer.Button2Click();
    Run(70030);
    timer.Button2Click();
    ASSERT_EQ(view.log.size(), 2u);
    EXPECT_EQ(view.log[0], L"1.计次 00时01分00秒000毫秒 时间2013/1/19 8:05:09");
    EXPECT_EQ(view.log[1], L"2.计次 00时02分10秒030毫秒 时间2013/1/19 8:05:09");
    EXPECT_EQ(view.editNum, L"3");

    timer.ButtonClearClick();
    ASSERT_EQ(view.log.size(), 4u);
    EXPECT_EQ(view.log[2], L"3.结束 00时02分10秒030毫秒 时间2013/1/19 8:05:09");
    EXPECT_EQ(view.log[3], std::wstring(53, L'-'));
    EXPECT_EQ(view.editNum, L"1");
    EXPECT_EQ(view.b2, L"开始");
    EXPECT_EQ(view.l1, L"00时00分00秒000毫秒");
    EXPECT_EQ(view.l1Color, RGBColor(0, 0, 255));
    EXPECT_FALSE(view.timer1);
    EXPECT_FALSE(view.timer2);
    EXPECT_EQ(timer.StartTick, 0u);
    EXPECT_EQ(timer.PauseTick, 0u);

    // The next run starts at 0 and numbers its laps from 1 again.
    timer.B2Click();
    Run(1000);
    timer.Button2Click();
    EXPECT_EQ(view.log.back(), L"1.计次 00时00分01秒000毫秒 时间2013/1/19 8:05:09");
}

TEST_F(LapTimerTest, LapAndEndLogNothingBeforeAStartWhilePausedOrAfterAnEnd) {
    timer.Button2Click();  // label still empty
    timer.ButtonClearClick();
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(view.l1, L"00时00分00秒000毫秒");
    timer.Button2Click();  // label shows the zero text
    timer.ButtonClearClick();
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(view.editNum, L"1");

    timer.B2Click();
    timer.Button2Click();  // running, but before the first tick: the label still shows zero
    EXPECT_TRUE(view.log.empty());
    Run(500);
    timer.Button2Click();
    timer.B2Click();  // pause
    view.log.clear();
    timer.Button2Click();
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(view.editNum, L"2");
    timer.ButtonClearClick();  // ends silently, still resets everything
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(view.editNum, L"1");
    EXPECT_EQ(view.b2, L"开始");
    EXPECT_FALSE(view.timer2);
    EXPECT_EQ(view.caption, L"Tocvane");
}

TEST_F(LapTimerTest, StateIsReadFromTheControls) {
    // Whatever set the button's caption decides what a click does.
    view.b2 = L"暂停";
    timer.B2Click();
    EXPECT_EQ(view.b2, L"继续");
    view.editNum = L"41";
    view.b2 = L"暂停";
    view.l1 = L"00时00分09秒000毫秒";
    timer.Button2Click();
    EXPECT_EQ(view.log.back().substr(0, 6), L"41.计次 ");
    EXPECT_EQ(view.editNum, L"42");
}

TEST_F(LapTimerTest, AForeignLapNumberIsKeptRatherThanCrashing) {
    timer.B2Click();
    Run(100);
    view.editNum = L"abc";
    timer.Button2Click();
    EXPECT_EQ(view.log.back().substr(0, 7), L"abc.计次 ");
    EXPECT_EQ(view.editNum, L"abc");
    view.editNum = L"2147483647";
    timer.Button2Click();
    EXPECT_EQ(view.editNum, L"-2147483648");  // wraps like the 32-bit counter it is
}

TEST_F(LapTimerTest, ClearAndLinks) {
    timer.B2Click();
    Run(100);
    timer.B2Click();
    timer.Button1Click();
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(view.b2, L"继续");  // clearing the log leaves the run alone
    timer.ButtonWebUrlClick();
    timer.StatusBar1Click();
    ASSERT_EQ(fx.urls.size(), 2u);
    EXPECT_EQ(fx.urls[0], std::wstring(kUpgradeHost) + L"/?qq=Tocvanev1.2.20130119");
    EXPECT_EQ(fx.urls[1], std::wstring(kHomeHost) + L"/?qq=Tocvanev1.2.20130119");
    EXPECT_NE(fx.urls[0], fx.urls[1]);
}

}  // namespace
