// Alignment, label sizing and memo lines.
#include <gtest/gtest.h>

#include "platform/win/status_bar.h"
#include "win_fixtures.h"

namespace {

TRect WindowBounds(TWinControl& c) {
    RECT r;
    GetWindowRect(c.Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(c.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return ToTRect(r);
}

TEST(Align, TopAndBottomStackInsideTheClientArea) {
    auto form = MakeHostForm(394, 244);
    auto* top = new TGroupBox(form.get());
    top->SetParent(form.get());
    top->SetBounds(0, 0, 394, 57);
    top->SetAlign(alTop);
    auto* bottom = new TGroupBox(form.get());
    bottom->SetParent(form.get());
    bottom->SetBounds(0, 90, 394, 135);
    bottom->SetAlign(alBottom);
    auto* bar = new TStatusBar(form.get());  // aligned to the bottom by default
    bar->SetParent(form.get());
    bar->SetBounds(0, 225, 394, 19);

    // Before any window exists, from the client size alone.
    EXPECT_EQ(form->ClientHeight(), 244);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 394, 57));
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 225, 394, 19));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 90, 394, 135));

    // With windows, and the real windows agree.
    form->HandleNeeded();
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 394);
    EXPECT_EQ(client.bottom, 244);
    EXPECT_EQ(WindowBounds(*bar), Bounds(0, 225, 394, 19));
    EXPECT_EQ(WindowBounds(*bottom), Bounds(0, 90, 394, 135));

    // A taller form: the bottom pair moves down, the top one stays, all keep their heights.
    form->SetClientHeight(300);
    EXPECT_EQ(WindowBounds(*top), Bounds(0, 0, 394, 57));
    EXPECT_EQ(WindowBounds(*bar), Bounds(0, 281, 394, 19));
    EXPECT_EQ(WindowBounds(*bottom), Bounds(0, 146, 394, 135));
    EXPECT_EQ(bottom->Top(), 146);
    // The same size once more changes nothing (a skinner may pass WM_SIZE on twice).
    RECT c2;
    GetClientRect(form->Handle(), &c2);
    SendMessageW(form->Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(c2.right, c2.bottom));
    SendMessageW(form->Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(c2.right, c2.bottom));
    EXPECT_EQ(WindowBounds(*bottom), Bounds(0, 146, 394, 135));
    EXPECT_EQ(WindowBounds(*top), Bounds(0, 0, 394, 57));

    // A hidden aligned control gives its room away.
    bar->Hide();
    EXPECT_EQ(WindowBounds(*bottom), Bounds(0, 165, 394, 135));
    // Moving an aligned control by hand does not stick.
    top->SetTop(20);
    EXPECT_EQ(top->Top(), 0);
}

TEST(Label, SizesItselfToTextAndFont) {
    auto form = MakeHostForm();
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetBounds(8, 16, 100, 100);
    label->SetCaption(L"x");
    label->SetCaption(L"");
    const int emptyHeight = label->Height();
    EXPECT_GT(emptyHeight, 0);  // an empty caption still takes a line
    EXPECT_LT(label->Width(), 20);

    label->SetCaption(L"00时00分00秒000毫秒");
    const int textWidth = label->Width();
    EXPECT_GT(textWidth, 60);
    EXPECT_EQ(label->Height(), emptyHeight);

    label->Font()->SetHeight(-29);
    label->Font()->SetStyle(TFontStyles{fsBold});
    EXPECT_FALSE(label->ParentFont());
    EXPECT_GE(label->Height(), 29);
    EXPECT_GT(label->Width(), textWidth);
    EXPECT_EQ(label->Left(), 8);

    // Its own font no longer follows the form's.
    form->Font()->SetHeight(-40);
    EXPECT_EQ(label->Font()->Height(), -29);

    label->SetAutoSize(false);
    const int fixed = label->Width();
    label->SetCaption(L"00时00分00秒000毫秒 and more text");
    EXPECT_EQ(label->Width(), fixed);
}

TEST(Memo, LinesAppendAndClearWithChineseText) {
    auto form = MakeHostForm();
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(2, 14, 342, 119);
    memo->SetScrollBars(ssVertical);
    memo->SetBorderStyle(bsNone);
    memo->SetBevelKind(bkTile);

    // Before the window exists.
    memo->Lines().Add(L"暂停 00时00分05秒120毫秒 时间2013/1/19 10:00:00");
    EXPECT_EQ(memo->Lines().Count(), 1);

    HWND h = memo->Handle();
    EXPECT_EQ(memo->Lines().Count(), 1);
    memo->Lines().Add(L"1.计次 00时02分10秒031毫秒");
    memo->Lines().Add(L"-----------------------------------------------------");
    ASSERT_EQ(memo->Lines().Count(), 3);
    EXPECT_EQ(memo->Lines()[0], L"暂停 00时00分05秒120毫秒 时间2013/1/19 10:00:00");
    EXPECT_EQ(memo->Lines()[1], L"1.计次 00时02分10秒031毫秒");
    EXPECT_EQ(memo->Text(),
              L"暂停 00时00分05秒120毫秒 时间2013/1/19 10:00:00\r\n1.计次 00时02分10秒031毫秒\r\n"
              L"-----------------------------------------------------\r\n");

    // Text typed without a final line break: the next line still starts on a line of its own.
    memo->SetText(L"abc");
    memo->Lines().Add(L"def");
    EXPECT_EQ(memo->Text(), L"abc\r\ndef\r\n");

    memo->Lines().Clear();
    EXPECT_EQ(memo->Lines().Count(), 0);
    EXPECT_EQ(GetWindowTextLengthW(h), 0);

    // A real vertical scroll bar, no border, and the bevel taken from the client area.
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_FALSE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.bottom, 119 - 4);
    EXPECT_EQ(client.right, 342 - 4 - GetSystemMetrics(SM_CXVSCROLL));
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    EXPECT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &sbi));
    EXPECT_TRUE(memo->InheritsFrom(TCustomEdit::ClassInfo_));
}

TEST(Memo, LinesAsDescriptionStringsRoundTripUtf8) {
    auto form = MakeHostForm();
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    ASSERT_TRUE(SetPropByName(memo, "Text", std::wstring_view(L"")));
    const Prop* lines = FindProp(memo, "Lines");
    ASSERT_NE(lines, nullptr);
    ASSERT_TRUE(lines->SetStrings(*memo, TStringList{"第一行", "second"}));
    EXPECT_EQ(memo->Lines()[0], L"第一行");
    EXPECT_EQ(lines->GetStrings(*memo), (TStringList{"第一行", "second"}));
}

}  // namespace
