// Radio groups and check groups: group boxes that make and lay out one control per item.
#include "platform/win/choice_groups.h"

#include <algorithm>
#include <cstdlib>

#include "platform/group_layout.h"

namespace {

// The height of a line of the font: the caption line the items stay below.
int LineHeight(const TFont& font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return int(tm.tmHeight);
}

}  // namespace

// ======================================================================= TCustomItemGroup

const PropTable TCustomItemGroup::Props{
    &TCustomGroupBox::Props,
    {
        Prop::Strings("Items", &TCustomItemGroup::Items, &TCustomItemGroup::SetItems),
        Prop::Int("Columns", &TCustomItemGroup::Columns, &TCustomItemGroup::SetColumns),
    }};
const TClassInfo TCustomItemGroup::ClassInfo_{"TCustomItemGroup", &TCustomGroupBox::ClassInfo_,
                                              &TCustomItemGroup::Props};

TCustomItemGroup::TCustomItemGroup(TComponent* owner) : TCustomGroupBox(owner) {}

std::wstring TCustomItemGroup::Item(int index) const {
    return index >= 0 && index < items_.Count() ? Utf8ToWide(items_[index]) : std::wstring();
}

TButtonControl* TCustomItemGroup::ItemControl(int index) const {
    return index >= 0 && index < int(controls_.size()) ? controls_[std::size_t(index)] : nullptr;
}

void TCustomItemGroup::SetItems(const TStringList& items) {
    items_.Assign(items);
    if (!HasState(csLoading)) UpdateItems();
}

void TCustomItemGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == columns_) return;
    columns_ = value;
    ArrangeItems();
}

void TCustomItemGroup::Loaded() {
    TCustomGroupBox::Loaded();
    UpdateItems();
}

void TCustomItemGroup::UpdateItems() {
    updating_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{updating_};
    while (int(controls_.size()) > items_.Count()) {
        delete controls_.back();
        controls_.pop_back();
    }
    while (int(controls_.size()) < items_.Count()) {
        TButtonControl* item = MakeItem();
        item->SetEnabled(Enabled());
        item->SetParent(this);
        controls_.push_back(item);
    }
    for (int i = 0; i < items_.Count(); ++i) controls_[std::size_t(i)]->SetCaption(Utf8ToWide(items_[i]));
    ArrangeItems();
    ItemsChanged();
}

void TCustomItemGroup::ArrangeItems() {
    if (controls_.empty()) return;
    const TRect client = ClientRect();
    const std::vector<TRect> places =
        ArrangeGroupItems(int(controls_.size()), columns_, client.Width(), client.Height(),
                          LineHeight(*Font()), UseRightToLeftAlignment());
    for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->SetBoundsRect(places[i]);
}

void TCustomItemGroup::FontChanged() {
    TCustomGroupBox::FontChanged();
    ArrangeItems();
}

void TCustomItemGroup::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE:
        TCustomGroupBox::WndProc(m);
        ArrangeItems();
        return;
    case CM_ENABLEDCHANGED:
        for (TButtonControl* c : controls_) c->SetEnabled(Enabled());
        TCustomGroupBox::WndProc(m);
        return;
    default: TCustomGroupBox::WndProc(m);
    }
}

// ======================================================================= TCustomRadioGroup

const TClassInfo TGroupButton::ClassInfo_{"TGroupButton", &TRadioButton::ClassInfo_, &TRadioButton::Props};

void TGroupButton::Click() {
    TRadioButton::Click();
    if (auto* group = dynamic_cast<TCustomRadioGroup*>(Parent()); group && Checked())
        group->ButtonClick(this);
}

const PropTable TCustomRadioGroup::Props{
    &TCustomItemGroup::Props,
    {
        Prop::Int("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex),
    }};
const TClassInfo TCustomRadioGroup::ClassInfo_{"TCustomRadioGroup", &TCustomItemGroup::ClassInfo_,
                                               &TCustomRadioGroup::Props};
const TClassInfo TRadioGroup::ClassInfo_{"TRadioGroup", &TCustomRadioGroup::ClassInfo_,
                                         &TCustomRadioGroup::Props};

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomItemGroup(owner) {}

TButtonControl* TCustomRadioGroup::MakeItem() { return new TGroupButton(this); }

void TCustomRadioGroup::SetItemIndex(int value) {
    if (HasState(csLoading)) {
        itemIndex_ = value;  // the items may not be there yet
        return;
    }
    value = std::clamp(value, -1, Count() - 1);
    if (value == itemIndex_) return;
    if (auto* old = dynamic_cast<TRadioButton*>(ItemControl(itemIndex_))) old->SetChecked(false);
    itemIndex_ = value;
    // Checking the button clicks it, and the click reaches this group (ButtonClick).
    if (auto* now = dynamic_cast<TRadioButton*>(ItemControl(value))) now->SetChecked(true);
}

void TCustomRadioGroup::ItemsChanged() {
    itemIndex_ = std::clamp(itemIndex_, -1, Count() - 1);
    for (int i = 0; i < int(controls_.size()); ++i)
        static_cast<TRadioButton*>(controls_[std::size_t(i)])->SetChecked(i == itemIndex_);
}

void TCustomRadioGroup::ButtonClick(TGroupButton* button) {
    if (updating_) return;
    const auto it = std::find(controls_.begin(), controls_.end(), button);
    if (it == controls_.end()) return;
    itemIndex_ = int(it - controls_.begin());
    Click();
}

// ======================================================================= TCheckGroup

const TClassInfo TGroupCheckBox::ClassInfo_{"TGroupCheckBox", &TCustomCheckBox::ClassInfo_,
                                            &TCustomCheckBox::Props};

void TGroupCheckBox::Click() {
    TCustomCheckBox::Click();
    if (auto* group = dynamic_cast<TCheckGroup*>(Parent())) group->BoxClick(this);
}

const PropTable TCheckGroup::Props{
    &TCustomItemGroup::Props,
    {
        Prop::Enum("AllowGrayed", &TCheckGroup::AllowGrayed, &TCheckGroup::SetAllowGrayed, kBooleanNames),
        Prop::Strings("CheckedItems", &TCheckGroup::CheckedItems, &TCheckGroup::SetCheckedItems),
        Prop::Event("OnItemClick", &TCheckGroup::OnItemClick),
    }};
const TClassInfo TCheckGroup::ClassInfo_{"TCheckGroup", &TCustomItemGroup::ClassInfo_, &TCheckGroup::Props};

TCheckGroup::TCheckGroup(TComponent* owner) : TCustomItemGroup(owner) {}

TButtonControl* TCheckGroup::MakeItem() {
    auto* box = new TGroupCheckBox(this);
    box->SetAllowGrayed(allowGrayed_);
    return box;
}

TCheckBoxState TCheckGroup::State(int index) const {
    if (auto* box = dynamic_cast<TCustomCheckBox*>(ItemControl(index))) return box->State();
    return index >= 0 && index < int(states_.size()) ? states_[std::size_t(index)] : cbUnchecked;
}

void TCheckGroup::SetState(int index, TCheckBoxState value) {
    if (index < 0) return;
    if (index >= int(states_.size())) states_.resize(std::size_t(index) + 1, cbUnchecked);
    states_[std::size_t(index)] = value;
    if (auto* box = dynamic_cast<TCustomCheckBox*>(ItemControl(index))) box->SetState(value);
}

void TCheckGroup::SetAllowGrayed(bool value) {
    allowGrayed_ = value;
    for (TButtonControl* c : controls_) static_cast<TCustomCheckBox*>(c)->SetAllowGrayed(value);
}

void TCheckGroup::ItemsChanged() {
    states_.resize(std::size_t(Count()), cbUnchecked);
    for (std::size_t i = 0; i < controls_.size(); ++i)
        static_cast<TCustomCheckBox*>(controls_[i])->SetState(states_[i]);
}

void TCheckGroup::BoxClick(TGroupCheckBox* box) {
    const auto it = std::find(controls_.begin(), controls_.end(), box);
    if (it == controls_.end()) return;
    const auto index = std::size_t(it - controls_.begin());
    if (index < states_.size()) states_[index] = box->State();
    if (!updating_ && OnItemClick) OnItemClick(this, int(index));
}

TStringList TCheckGroup::CheckedItems() const {
    TStringList list;
    for (int i = 0; i < std::max(Count(), int(states_.size())); ++i)
        if (State(i) == cbChecked) list.Add(std::to_string(i));
    return list;
}

void TCheckGroup::SetCheckedItems(const TStringList& indices) {
    for (int i = 0; i < int(states_.size()); ++i) SetState(i, cbUnchecked);
    for (const auto& line : indices) {
        char* end = nullptr;
        const long index = std::strtol(line.text.c_str(), &end, 10);
        if (end != line.text.c_str() && index >= 0 && index < 1024) SetState(int(index), cbChecked);
    }
}
