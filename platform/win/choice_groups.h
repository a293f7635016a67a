// Radio groups and check groups: a group box whose items (a list of texts) become radio buttons or check
// boxes inside it, in columns. A radio group has one chosen item (ItemIndex); a check group a state per item.
#pragma once

#include <functional>
#include <vector>

#include "platform/string_list.h"
#include "platform/win/check_boxes.h"

// What the two groups share: the items, their columns and their controls, laid out again when the group's
// size, font or items change; enabling the group enables its items.
class TCustomItemGroup : public TCustomGroupBox {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomItemGroup(TComponent* owner);
    // The items as UTF-8 lines (form descriptions carry them so).
    const TStringList& Items() const { return items_; }
    void SetItems(const TStringList& items);
    // The number of items and the text of one.
    int Count() const { return items_.Count(); }
    std::wstring Item(int index) const;
    int Columns() const { return columns_; }
    void SetColumns(int value);
    // The control of item index (nullptr when there is none).
    TButtonControl* ItemControl(int index) const;

    void WndProc(TMessage& m) override;
    void Loaded() override;

protected:
    // A new control for one item; it is this group's child, owned by it.
    virtual TButtonControl* MakeItem() = 0;
    // The items' controls have been made again: show the state the group keeps.
    virtual void ItemsChanged() {}
    void FontChanged() override;
    // Makes or drops item controls to match the items, and lays them out.
    void UpdateItems();
    void ArrangeItems();
    std::vector<TButtonControl*> controls_;
    bool updating_ = false;  // UpdateItems is at work: item clicks are not the user's

private:
    TStringList items_;
    int columns_ = 1;
};

// A radio button of a radio group.
class TGroupButton : public TRadioButton {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TRadioButton::TRadioButton;
    void Click() override;
};

// A group of radio buttons, one item chosen: ItemIndex (-1: none). Choosing an item, by a click or by the
// program, runs OnClick.
class TCustomRadioGroup : public TCustomItemGroup {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomRadioGroup(TComponent* owner);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);

protected:
    TButtonControl* MakeItem() override;
    void ItemsChanged() override;

private:
    friend class TGroupButton;
    void ButtonClick(TGroupButton* button);
    int itemIndex_ = -1;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomRadioGroup::TCustomRadioGroup;
};

// A check box of a check group.
class TGroupCheckBox : public TCustomCheckBox {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomCheckBox::TCustomCheckBox;
    void Click() override;
};

// Sender, the item whose state changed.
using TGroupItemEvent = std::function<void(TObject* sender, int index)>;

// A group of check boxes, each item checked or not on its own (or grayed, with AllowGrayed). The items
// checked at the start come from a form description as CheckedItems (their indices, one a line). A change of
// an item's state runs OnItemClick with its index.
class TCheckGroup : public TCustomItemGroup {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCheckGroup(TComponent* owner);
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState value);
    bool Checked(int index) const { return State(index) == cbChecked; }
    void SetChecked(int index, bool value) { SetState(index, value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value);
    TGroupItemEvent OnItemClick;

protected:
    TButtonControl* MakeItem() override;
    void ItemsChanged() override;

private:
    friend class TGroupCheckBox;
    void BoxClick(TGroupCheckBox* box);
    TStringList CheckedItems() const;
    void SetCheckedItems(const TStringList& indices);
    std::vector<TCheckBoxState> states_;  // one per item, kept while the items have no controls yet
    bool allowGrayed_ = false;
};
