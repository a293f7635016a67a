// The lap timer window built from its real form description, driven through its controls.
#include "app/win/unit1.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

struct FakeClock : Clock {
    std::uint32_t tick = 1000;
    std::uint32_t TickCount() override { return tick; }
    std::wstring ShortDate() override { return L"2013-1-19"; }
    std::wstring LongTime() override { return L"20:13:01"; }
};

struct Recorder : Effects {
    std::vector<std::wstring> sounds, urls;
    void PlayWave(const std::wstring& name) override { sounds.push_back(name); }
    void OpenUrl(const std::wstring& url) override { urls.push_back(url); }
};

std::string Description() {
    std::ifstream in(TV_SOURCE_DIR "/app/program/unit1.form", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Form1Test : public testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(nullptr, Description(), clock, fx);
        form->DoCreate();
        form->Show();
    }
    void Tick(std::uint32_t ms) {
        clock.tick += ms;
        if (form->Timer1->Enabled()) form->Timer1Timer(form->Timer1);
        if (form->Timer2->Enabled()) form->Timer2Timer(form->Timer2);
    }
    std::vector<std::wstring> Log() {
        std::vector<std::wstring> lines;
        for (int i = 0; i < form->Memo_Log->Lines().Count(); ++i) lines.push_back(form->Memo_Log->Lines()[i]);
        return lines;
    }

    FakeClock clock;
    Recorder fx;
    std::unique_ptr<TForm1> form;
};

TEST_F(Form1Test, LayoutFollowsTheDescription) {
    EXPECT_EQ(form->ClientWidth(), 394);
    EXPECT_EQ(form->ClientHeight(), 244);
    struct Row {
        TControl* control;
        TWinControl* parent;
        int left, top, width, height;
        const wchar_t* text;
    };
    const Row rows[] = {
        {form->GroupBox1, form.get(), 0, 0, 394, 57, L"计时"},
        {form->EditVer, form->GroupBox1, 232, 24, 121, 20, L"v1.2.20130119"},
        {form->B2, form.get(), 23, 63, 69, 25, L"开始"},
        {form->Button2, form.get(), 94, 63, 69, 25, L"计次"},
        {form->ButtonClear, form.get(), 165, 63, 69, 25, L"结束"},
        {form->ButtonWebUrl, form.get(), 236, 63, 69, 25, L"升级"},
        {form->Button3, form.get(), 306, 63, 69, 25, L"退出"},
        {form->GroupBox2, form.get(), 0, 90, 394, 135, L"记录"},
        {form->Memo_Log, form->GroupBox2, 2, 14, 342, 119, L""},
        {form->Button1, form->GroupBox2, 350, 12, 41, 25, L"清空"},
        {form->Edit_Num, form->GroupBox2, 361, 43, 33, 20, L"1"},
        {form->StatusBar1, form.get(), 0, 225, 394, 19, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.control->Name());
        EXPECT_EQ(r.control->Parent(), r.parent);
        EXPECT_EQ(r.control->BoundsRect(), Bounds(r.left, r.top, r.width, r.height));
        if (r.text) {
            EXPECT_EQ(r.control->Caption(), r.text);
        }
    }
    EXPECT_EQ(form->L1->Parent(), form->GroupBox1);
    EXPECT_EQ(form->L1->Left(), 8);
    EXPECT_EQ(form->L1->Top(), 16);
    EXPECT_EQ(form->L1->Font()->Height(), -29);
    EXPECT_TRUE(form->L1->Font()->Style().Contains(fsBold));
    EXPECT_EQ(form->Font()->Name(), L"宋体");
    EXPECT_EQ(form->Font()->Height(), -12);
    EXPECT_FALSE(form->EditVer->Visible());
    EXPECT_FALSE(form->Edit_Num->Visible());
    EXPECT_TRUE(form->Memo_Log->Visible());
    ASSERT_EQ(form->StatusBar1->Panels()->Count(), 1);
    EXPECT_FALSE(form->StatusBar1->Panels()->Items(0)->Text().empty());
    for (TTimer* t : {form->Timer1, form->Timer2}) {
        EXPECT_FALSE(t->Enabled());
        EXPECT_EQ(t->Interval(), 10u);
    }
    // Fixed single border with system menu and minimise box only.
    const LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_NE(GetWindowLongW(form->Memo_Log->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(GetWindowLongW(form->Memo_Log->Handle(), GWL_STYLE) & WS_HSCROLL, 0);
}

TEST_F(Form1Test, CreationMakesTheWindowTopMostAndTitlesItWithTheVersion) {
    EXPECT_EQ(WindowText(form->Handle()), L"Tocvanev1.2.20130119");
    EXPECT_NE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(form->DoubleBuffered());
}

TEST_F(Form1Test, ARunThroughTheButtonsLogsIntoTheMemo) {
    form->B2->Click();
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(WindowText(form->B2->Handle()), L"暂停");
    EXPECT_EQ(form->L1->Font()->Color(), RGBColor(0, 0, 255));
    Tick(65120);
    EXPECT_EQ(form->L1->Caption(), L"00时01分05秒120毫秒");
    form->Button2->Click();
    EXPECT_EQ(form->Edit_Num->Text(), L"2");
    form->B2->Click();  // pause
    EXPECT_EQ(WindowText(form->Handle()), L"Tocvane -- 暂停");
    EXPECT_TRUE(form->Timer2->Enabled());
    EXPECT_FALSE(form->Timer1->Enabled());
    Tick(10);
    EXPECT_EQ(form->L1->Caption(), L"");  // blinking
    form->B2->Click();                    // continue
    Tick(1000);
    form->ButtonClear->Click();
    const std::vector<std::wstring> expected = {
        L"1.计次 00时01分05秒120毫秒 时间2013-1-19 20:13:01",
        L"暂停 00时01分05秒120毫秒 时间2013-1-19 20:13:01",
        L"2.结束 00时01分06秒120毫秒 时间2013-1-19 20:13:01",
        std::wstring(53, L'-'),
    };
    EXPECT_EQ(Log(), expected);
    // The lines are in the edit control itself, one per line.
    EXPECT_EQ(SendMessageW(form->Memo_Log->Handle(), EM_GETLINECOUNT, 0, 0), 5);  // and an empty last line
    EXPECT_EQ(WindowText(form->Handle()), L"Tocvane");
    EXPECT_EQ(form->L1->Caption(), L"00时00分00秒000毫秒");
    EXPECT_EQ(form->Edit_Num->Text(), L"1");
    EXPECT_FALSE(form->Timer1->Enabled());

    form->Button1->Click();
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(WindowText(form->Memo_Log->Handle()), L"");
}

TEST_F(Form1Test, TheButtonCaptionIsTheState) {
    // Whoever changes the caption through the window changes what the next click does.
    SetWindowTextW(form->B2->Handle(), L"暂停");
    form->L1->SetCaption(L"00时00分03秒000毫秒");
    form->B2->Click();
    EXPECT_EQ(form->B2->Caption(), L"继续");
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].rfind(L"暂停 00时00分03秒000毫秒 时间", 0), 0u);
}

TEST_F(Form1Test, LinksGoToTheTwoSitesWithTheVersion) {
    form->ButtonWebUrl->Click();
    form->StatusBar1->Click();
    ASSERT_EQ(fx.urls.size(), 2u);
    EXPECT_EQ(fx.urls[0], std::wstring(kUpgradeHost) + L"/?qq=Tocvanev1.2.20130119");
    EXPECT_EQ(fx.urls[1], std::wstring(kHomeHost) + L"/?qq=Tocvanev1.2.20130119");
}

TEST(Form1FromResources, TheProgramsWindowHasItsDescriptionAndIcon) {
    // The constructor the program uses: description and icon from the resources, the real clock.
    TForm1 form(nullptr);
    form.DoCreate();
    EXPECT_EQ(WindowText(form.Handle()), L"Tocvanev1.2.20130119");
    EXPECT_EQ(form.B2->Caption(), L"开始");
    ASSERT_NE(form.Icon(), nullptr);
    EXPECT_NE(SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0), 0);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(form.Icon(), &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // The stored skin was unpacked and parsed while the window was read, and skinning stays switched on.
    ASSERT_NE(form.SkinData1, nullptr);
    EXPECT_FALSE(form.SkinData1->Empty);
    EXPECT_TRUE(form.SkinData1->Active());
    EXPECT_NE(form.SkinData1->Title, nullptr);
    EXPECT_EQ(form.SkinData1->DisableTag(), 99);
}

TEST_F(Form1Test, ExitClosesTheWindow) {
    form->Button3->Click();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

}  // namespace
