// Check boxes, radio buttons and their groups on real BUTTON controls: the states a click moves through, one
// radio button checked per parent, groups read from a description with their items laid out and chosen, and
// the notices a focus change sends (CM_EXIT, CM_FOCUSCHANGED).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/form_reader.h"
#include "platform/group_layout.h"
#include "platform/win/check_boxes.h"
#include "platform/win/choice_groups.h"
#include "platform/win/framework_classes.h"
#include "win_fixtures.h"

namespace {

void Click(TWinControl* c) {
    SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

LRESULT Check(TWinControl* c) { return SendMessageW(c->Handle(), BM_GETCHECK, 0, 0); }

template <class C>
C* Make(TWinControl* parent, int y) {
    auto* c = new C(parent);
    c->SetParent(parent);
    c->SetBounds(10, y, 120, 20);
    return c;
}

TEST(CheckControls, ACheckBoxClicksThroughItsStates) {
    auto host = MakeHostForm();
    auto* box = Make<TCheckBox>(host.get(), 10);
    std::vector<TCheckBoxState> seen;
    box->OnClick = [&](TObject*) { seen.push_back(box->State()); };
    Click(box);
    Click(box);
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
    // With the third state: unchecked, grayed, checked, unchecked; the window shows each.
    box->SetAllowGrayed(true);
    seen.clear();
    for (LRESULT want : {BST_INDETERMINATE, BST_CHECKED, BST_UNCHECKED}) {
        Click(box);
        EXPECT_EQ(Check(box), want);
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    // The space bar clicks too; a change by the program runs OnClick as well; no change, no click.
    SendMessageW(box->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(box->Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(box->State(), cbGrayed);
    seen.clear();
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(seen, std::vector<TCheckBoxState>{cbChecked});
    // Taking the third state away from a grayed box unchecks it.
    box->SetState(cbGrayed);
    box->SetAllowGrayed(false);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(Check(box), BST_UNCHECKED);
    // The caption's side: BS_LEFTTEXT, mirrored by a right-to-left control.
    box->SetAlignment(taLeftJustify);
    EXPECT_TRUE(GetWindowLongW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    auto* rtl = new TCheckBox(host.get());
    rtl->SetBiDiMode(bdRightToLeft);
    rtl->SetParent(host.get());
    EXPECT_TRUE(GetWindowLongW(rtl->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_TRUE(GetWindowLongW(rtl->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
}

TEST(CheckControls, OneRadioButtonIsCheckedPerParent) {
    auto host = MakeHostForm();
    auto* panel = new TPanel(host.get());
    panel->SetParent(host.get());
    panel->SetBounds(200, 10, 150, 100);
    auto* a = Make<TRadioButton>(host.get(), 10);
    auto* b = Make<TRadioButton>(host.get(), 40);
    auto* elsewhere = Make<TRadioButton>(panel, 10);
    elsewhere->SetChecked(true);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    a->SetChecked(true);
    Click(b);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(Check(a), BST_UNCHECKED);
    EXPECT_EQ(Check(b), BST_CHECKED);
    EXPECT_TRUE(elsewhere->Checked());  // another parent's
    EXPECT_EQ(clicks, 1);
    Click(b);  // checked already: no second click
    EXPECT_EQ(clicks, 1);
    // Only the checked one of a parent is a tab stop.
    EXPECT_TRUE(b->TabStop());
    EXPECT_FALSE(a->TabStop());
}

class TChoiceForm : public TForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TChoiceForm(std::string_view description) : TForm(nullptr) {
        RegisterFrameworkComponents();
        RegisterHandler("GroupClick", [this](TObject*) {
            events.push_back("group " + std::to_string(Radio()->ItemIndex()));
        });
        RegisterHandler<TGroupItemEvent>(
            "ItemClick", [this](TObject*, int i) { events.push_back("item " + std::to_string(i)); });
        ReadComponentRes(description, *this);
    }
    TRadioGroup* Radio() { return dynamic_cast<TRadioGroup*>(FindComponent("Colours")); }
    TCheckGroup* Checks() { return dynamic_cast<TCheckGroup*>(FindComponent("Styles")); }
    std::vector<std::string> events;
};
const TClassInfo TChoiceForm::ClassInfo_{"TChoiceForm", &TForm::ClassInfo_, &TCustomForm::Props};

constexpr const char* kGroups = R"(object ChoiceForm: TChoiceForm
  Left = 40
  Top = 40
  ClientHeight = 260
  ClientWidth = 420
  object Colours: TRadioGroup
    Left = 8
    Top = 8
    Width = 210
    Height = 100
    Caption = '颜色'
    Columns = 2
    ItemIndex = 1
    Items.Strings = (
      '红'
      '绿'
      '蓝'
      '黄'
      '紫')
    OnClick = GroupClick
  end
  object Styles: TCheckGroup
    Left = 8
    Top = 120
    Width = 210
    Height = 100
    Caption = '样式'
    Items.Strings = (
      '粗体'
      '斜体'
      '下划线')
    CheckedItems.Strings = (
      '0'
      '2')
    OnItemClick = ItemClick
  end
end
)";

TEST(CheckControls, GroupsReadTheirItemsLayThemOutAndChoose) {
    TChoiceForm form(kGroups);
    form.Show();
    TRadioGroup* radio = form.Radio();
    ASSERT_TRUE(radio);
    ASSERT_EQ(radio->ControlCount(), 5);
    EXPECT_TRUE(form.events.empty());  // nothing clicked while the description was read
    EXPECT_EQ(radio->ItemIndex(), 1);
    EXPECT_EQ(Check(static_cast<TWinControl*>(radio->ItemControl(1))), BST_CHECKED);
    EXPECT_EQ(radio->ItemControl(3)->Caption(), L"黄");
    // Laid out in two columns below the caption line.
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, radio->Font()->Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    const std::vector<TRect> places = ArrangeGroupItems(5, 2, 210, 100, int(tm.tmHeight), false);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(radio->ItemControl(i)->BoundsRect(), places[std::size_t(i)]) << i;

    Click(radio->ItemControl(3));
    EXPECT_EQ(radio->ItemIndex(), 3);
    EXPECT_EQ(Check(radio->ItemControl(1)), BST_UNCHECKED);
    radio->SetItemIndex(-1);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Check(radio->ItemControl(i)), BST_UNCHECKED);
    EXPECT_EQ(form.events, (std::vector<std::string>{"group 3"}));
    // Fewer items: the controls go with them, the choice is kept inside the list.
    radio->SetItemIndex(4);
    radio->SetItems(TStringList{"一", "二"});
    EXPECT_EQ(radio->ControlCount(), 2);
    EXPECT_EQ(radio->ItemIndex(), 1);
    radio->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(radio->ItemControl(0)->Handle()));

    TCheckGroup* checks = form.Checks();
    ASSERT_TRUE(checks);
    EXPECT_TRUE(checks->Checked(0));
    EXPECT_FALSE(checks->Checked(1));
    EXPECT_TRUE(checks->Checked(2));
    form.events.clear();
    Click(checks->ItemControl(1));
    checks->SetChecked(0, false);
    EXPECT_TRUE(checks->Checked(1));
    EXPECT_EQ(Check(checks->ItemControl(0)), BST_UNCHECKED);
    EXPECT_EQ(form.events, (std::vector<std::string>{"item 1", "item 0"}));
}

// Records the framework notices a control hears.
template <class C>
struct Listening : C {
    explicit Listening(TComponent* owner, std::vector<std::string>& log, std::string name)
        : C(owner), log_(log), name_(std::move(name)) {}
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_EXIT) log_.push_back(name_ + " exit");
        if (m.Msg == CM_FOCUSCHANGED && reinterpret_cast<TControl*>(m.LParam) != this)
            log_.push_back(name_ + " hears");
        C::WndProc(m);
    }
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(CheckControls, AFocusChangeTellsTheControlsItLeftAndEveryControl) {
    auto host = MakeHostForm();
    std::vector<std::string> log;
    auto* group = new Listening<TGroupBox>(host.get(), log, "group");
    group->SetParent(host.get());
    group->SetBounds(10, 10, 200, 120);
    auto* inside = new Listening<TCheckBox>(host.get(), log, "inside");
    inside->SetParent(group);
    inside->SetBounds(10, 20, 100, 20);
    auto* twin = new Listening<TCheckBox>(host.get(), log, "twin");
    twin->SetParent(group);
    twin->SetBounds(10, 50, 100, 20);
    auto* outside = new Listening<TCheckBox>(host.get(), log, "outside");
    outside->SetParent(host.get());
    outside->SetBounds(220, 20, 100, 20);
    SetForegroundWindow(host->Handle());
    inside->SetFocus();
    Pump(20);
    log.clear();
    // Within the group: only the control left hears CM_EXIT; all hear CM_FOCUSCHANGED.
    twin->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"inside exit", "group hears", "inside hears", "outside hears"}));
    log.clear();
    // Out of the group: the group is left as well.
    outside->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"twin exit", "group exit", "group hears", "inside hears",
                                             "twin hears"}));
    // A focused control that goes is forgotten: the next focus change sends nothing to it.
    delete outside;
    log.clear();
    inside->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"group hears", "twin hears"}));
}

}  // namespace
