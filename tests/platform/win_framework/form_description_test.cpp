// A form built from a form description: components, properties, events, then Loaded, then OnCreate.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/form_reader.h"
#include "platform/win/status_bar.h"
#include "platform/win/timer.h"
#include "win_fixtures.h"

#include <commctrl.h>

namespace {

constexpr const char* kDescription = R"(object Form1: TDescForm
  Left = 100
  Top = 100
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Tocvane'
  ClientHeight = 244
  ClientWidth = 394
  Color = clBtnFace
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  Position = poDesktopCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 12
  object GroupBox1: TGroupBox
    Left = 0
    Top = 0
    Width = 394
    Height = 57
    Align = alTop
    Caption = '计时'
    TabOrder = 1
    object L1: TLabel
      Left = 8
      Top = 16
      Width = 16
      Height = 29
      Font.Charset = ANSI_CHARSET
      Font.Color = clWindowText
      Font.Height = -29
      Font.Name = '宋体'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object EditVer: TEdit
      Left = 232
      Top = 24
      Width = 121
      Height = 20
      TabOrder = 0
      Text = 'v1.2.20130119'
      Visible = False
    end
  end
  object B2: TButton
    Left = 23
    Top = 63
    Width = 69
    Height = 25
    Caption = '开始'
    TabOrder = 0
    OnClick = B2Click
  end
  object Button2: TButton
    Left = 94
    Top = 63
    Width = 69
    Height = 25
    Caption = '计次'
    TabOrder = 5
  end
  object ButtonClear: TButton
    Left = 165
    Top = 63
    Width = 69
    Height = 25
    Caption = '结束'
    TabOrder = 2
  end
  object GroupBox2: TGroupBox
    Left = 0
    Top = 90
    Width = 394
    Height = 135
    Align = alBottom
    Caption = '记录'
    TabOrder = 3
    object Memo_Log: TMemo
      Left = 2
      Top = 14
      Width = 342
      Height = 119
      BevelKind = bkTile
      BorderStyle = bsNone
      Lines.Strings = (
        '第一行'
        'second')
      ScrollBars = ssVertical
      TabOrder = 0
    end
    object Button1: TButton
      Left = 350
      Top = 12
      Width = 41
      Height = 25
      Caption = '清空'
      TabOrder = 1
      OnClick = Button1Click
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 225
    Width = 394
    Height = 19
    Panels = <
      item
        Text = '面板'
        Width = 50
      end>
    OnClick = StatusBar1Click
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 10
    OnTimer = Timer1Timer
  end
end
)";

class TDescForm : public TForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TDescForm(TComponent* owner) : TForm(owner) {
        RegisterHandler("FormCreate", [this](TObject*) { FormCreate(); });
        RegisterHandler("B2Click", [this](TObject* s) { events.push_back("B2Click"); });
        RegisterHandler("Button1Click", [this](TObject* s) { events.push_back("Button1Click"); });
        RegisterHandler("StatusBar1Click", [this](TObject* s) { events.push_back("StatusBar1Click"); });
        RegisterHandler("Timer1Timer", [this](TObject* s) { events.push_back("Timer1Timer"); });
        ReadComponentRes(kDescription, *this);
    }

    void Loaded() override {
        TForm::Loaded();
        auto* label = dynamic_cast<TLabel*>(FindComponent("L1"));
        // Every property of every component is set by now.
        events.push_back(label && label->Font()->Style().Contains(fsBold) ? "Loaded" : "Loaded early");
    }

    void FormCreate() {
        events.push_back("FormCreate");
        SetDoubleBuffered(true);
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetCaption(Caption() + static_cast<TEdit*>(FindComponent("EditVer"))->Text());
    }

    template <class T>
    T* Get(const char* name) {
        return dynamic_cast<T*>(FindComponent(name));
    }

    std::vector<std::string> events;
};
const TClassInfo TDescForm::ClassInfo_{"TDescForm", &TForm::ClassInfo_, &TCustomForm::Props};

TEST(FormDescription, BuildsTheWindowThenLoadedThenOnCreate) {
    TDescForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);
    std::unique_ptr<TDescForm> owner(form);  // freed here rather than by the application

    ASSERT_GE(form->events.size(), 2u);
    EXPECT_EQ(form->events[0], "Loaded");
    EXPECT_EQ(form->events[1], "FormCreate");

    EXPECT_EQ(WindowClassName(form->Handle()), L"TDescForm");
    wchar_t caption[64] = {};
    GetWindowTextW(form->Handle(), caption, 64);
    EXPECT_STREQ(caption, L"Tocvanev1.2.20130119");
    EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(form->Handle(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 394);
    EXPECT_EQ(client.bottom, 244);
    EXPECT_EQ(form->Font()->Name(), L"宋体");
    EXPECT_EQ(form->Font()->Height(), -12);

    // Controls, parents and properties.
    auto* b2 = form->Get<TButton>("B2");
    auto* l1 = form->Get<TLabel>("L1");
    auto* editVer = form->Get<TEdit>("EditVer");
    auto* memo = form->Get<TMemo>("Memo_Log");
    auto* group2 = form->Get<TGroupBox>("GroupBox2");
    auto* bar = form->Get<TStatusBar>("StatusBar1");
    auto* timer = form->Get<TTimer>("Timer1");
    ASSERT_TRUE(b2 && l1 && editVer && memo && group2 && bar && timer);
    EXPECT_EQ(b2->Parent(), form);
    EXPECT_EQ(l1->Parent(), form->Get<TGroupBox>("GroupBox1"));
    EXPECT_EQ(memo->Parent(), group2);
    EXPECT_EQ(b2->Caption(), L"开始");
    EXPECT_EQ(l1->Font()->Height(), -29);
    EXPECT_EQ(l1->Font()->Name(), L"宋体");
    EXPECT_FALSE(l1->ParentFont());
    EXPECT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->Lines()[0], L"第一行");
    EXPECT_FALSE(editVer->Visible());
    EXPECT_FALSE(IsWindowVisible(editVer->Handle()));
    EXPECT_EQ(timer->Interval(), 10u);
    EXPECT_FALSE(timer->Running());
    ASSERT_EQ(bar->Panels()->Count(), 1);
    EXPECT_EQ(bar->Panels()->Items(0)->Width(), 50);
    wchar_t panelText[16] = {};
    SendMessageW(bar->Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(panelText));
    EXPECT_STREQ(panelText, L"面板");
    EXPECT_EQ(group2->Top(), 90);  // above the status bar, both at the bottom

    // What the skinning engine reads by name.
    EXPECT_EQ(GetStrPropByName(b2, "Caption"), L"开始");
    EXPECT_EQ(GetEnumPropByName(b2, "Default"), "False");
    EXPECT_EQ(GetObjectPropByName<TFont>(b2, "Font"), b2->Font());
    EXPECT_EQ(GetOrdPropByName(group2, "Color"), std::int64_t(clBtnFace));
    EXPECT_EQ(GetEnumPropByName(memo, "BorderStyle"), "bsNone");
    EXPECT_EQ(GetStrPropByName(bar->Panels()->Items(0), "Text"), L"面板");
    EXPECT_EQ(GetOrdPropByName(memo, "FixedColor"), -1);

    // Class tests the engine makes.
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        EXPECT_FALSE(c->InheritsFrom("TCustomPanel")) << c->Name();
        EXPECT_FALSE(c->InheritsFrom("TCustomForm")) << c->Name();
        EXPECT_EQ(c->InheritsFrom("TCustomMemo"), c == memo) << c->Name();
    }
    EXPECT_TRUE(memo->InheritsFrom("TCustomEdit"));
    EXPECT_TRUE(l1->InheritsFrom("TGraphicControl"));

    // Tab order as the description gives it, containers followed by their own controls.
    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    std::vector<std::string> names;
    for (TWinControl* c : order) names.push_back(c->Name());
    const std::vector<std::string> expected{"B2",       "GroupBox1", "EditVer",    "ButtonClear", "GroupBox2",
                                            "Memo_Log", "Button1",   "StatusBar1", "Button2"};
    EXPECT_EQ(names, expected);

    // Shown: centred on the desktop, and the first tab stop has the focus.
    form->Show();
    Pump(100);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    RECT w;
    GetWindowRect(form->Handle(), &w);
    const int cx = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) / 2;
    EXPECT_LE(std::abs((w.left + w.right) / 2 - cx), 1);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == b2->Handle(); }, 2000))
        << "active " << GetActiveWindow() << " form " << form->Handle() << " focus " << GetFocus();

    // Clicks reach the handlers named in the description.
    form->events.clear();
    SendMessageW(b2->Handle(), BM_CLICK, 0, 0);
    SendMessageW(form->Get<TButton>("Button1")->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->events, (std::vector<std::string>{"B2Click", "Button1Click"}));
    timer->SetEnabled(true);
    EXPECT_TRUE(
        PumpUntil([&] { return !form->events.empty() && form->events.back() == "Timer1Timer"; }, 3000));
    timer->SetEnabled(false);
}

}  // namespace
