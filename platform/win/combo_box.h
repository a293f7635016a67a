// Combo boxes: the standard COMBOBOX control in its three styles (TComboBox) and the common extended combo
// box with an image beside each item (TComboBoxEx).
#pragma once

#include <string>
#include <vector>

#include "platform/collection.h"
#include "platform/string_list.h"
#include "platform/win/controls.h"
#include "platform/win/image_list.h"

// csSimple: the list always shows below the edit; csDropDown: an edit with a list that drops down;
// csDropDownList: a list that drops down under a field that shows the chosen item.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// What combo boxes have in common: the style, the chosen item, the text, how many items the dropped list
// shows, and the events of the list. Items live in the window once it exists and in the object before.
class TCustomComboBox : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomComboBox(TComponent* owner);

    TComboBoxStyle Style() const { return style_; }
    // A new style makes a new window (the platform fixes the style when the window is made).
    void SetStyle(TComboBoxStyle value);
    // The chosen item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // Items the dropped list shows before it scrolls (at least 1).
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    // The text of the edit; in a drop-down list, the chosen item's (setting it chooses the item of that
    // text, or none).
    std::wstring ComboText() const { return Text(); }
    void SetComboText(const std::wstring& text);

    virtual int ItemCount() const = 0;
    virtual std::wstring ItemText(int index) const = 0;

    // The user typed in the edit or chose another item.
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    std::wstring GetText() const override;
    // Fills the new window with the items kept meanwhile.
    virtual void ItemsToWindow() = 0;
    // Keeps the window's items before it goes.
    virtual void ItemsFromWindow() = 0;
    // The combo box that holds the list (the window itself, or the child of an extended combo box).
    virtual HWND ComboWindow() { return Handle(); }
    // Makes the window again with the same items, choice and text.
    void RecreateWindow();
    void ApplyDropDownCount();

    int itemIndex_ = -1;  // while there is no window

private:
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
};

// The items of a TComboBox: read from and written to its window once there is one.
class TComboItems {
public:
    explicit TComboItems(class TComboBox& box) : box_(box) {}
    int Count() const;
    std::wstring Strings(int index) const;
    std::wstring operator[](int index) const { return Strings(index); }
    int Add(const std::wstring& s);
    void Insert(int index, const std::wstring& s);
    void Delete(int index);
    void Clear();
    // Exact comparison; -1 when absent.
    int IndexOf(const std::wstring& s) const;
    // As UTF-8 strings, for form descriptions.
    TStringList AsStringList() const;
    void Assign(const TStringList& lines);

private:
    friend class TComboBox;
    TComboBox& box_;
    std::vector<std::wstring> kept_;  // while there is no window
};

class TComboBox : public TCustomComboBox {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TComboBox(TComponent* owner);
    TComboItems& Items() { return items_; }
    const TComboItems& Items() const { return items_; }
    // Kept in alphabetical order (the platform sorts them).
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);

    int ItemCount() const override { return items_.Count(); }
    std::wstring ItemText(int index) const override { return items_.Strings(index); }

protected:
    void CreateParams(TCreateParams& params) override;
    void ItemsToWindow() override;
    void ItemsFromWindow() override;

private:
    TStringList ItemsList() const { return items_.AsStringList(); }
    void SetItemsList(const TStringList& lines) { items_.Assign(lines); }

    TComboItems items_{*this};
    bool sorted_ = false;
};

// One item of an extended combo box: its text, the image beside it (an index into the box's Images, -1
// for none), the image while it is chosen (-1: the same) and its indent (in steps of 10 pixels).
class TComboExItem : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TComboExItem(TCollection* collection);
    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int SelectedImageIndex() const { return selectedImageIndex_; }
    void SetSelectedImageIndex(int value);
    int Indent() const { return indent_; }
    void SetIndent(int value);

private:
    std::wstring caption_;
    int imageIndex_ = -1;
    int selectedImageIndex_ = -1;
    int indent_ = 0;
};

class TComboBoxEx;

class TComboExItems : public TCollection {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TComboExItems(TComboBoxEx* box);
    TComboExItem* Items(int index) const { return ItemAs<TComboExItem>(index); }
    TComboExItem* Add() { return static_cast<TComboExItem*>(TCollection::Add()); }
    TComboExItem* AddItem(const std::wstring& caption, int imageIndex);

protected:
    void Update(TCollectionItem* item) override;

private:
    TComboBoxEx* box_;
};

// The extended combo box (drop-down list or drop-down): its items come from ItemsEx, their images from
// Images. The platform keeps its own combo box as the only child of the extended one's window.
class TComboBoxEx : public TCustomComboBox {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TComboBoxEx(TComponent* owner);
    ~TComboBoxEx() override;

    TComboExItems* ItemsEx() const { return itemsEx_.get(); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);

    int ItemCount() const override { return itemsEx_->Count(); }
    std::wstring ItemText(int index) const override;

    // The collection changed: the window shows the items again.
    void UpdateItems();
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void ItemsToWindow() override;
    void ItemsFromWindow() override {}
    HWND ComboWindow() override;

private:
    void ApplyImages();

    std::unique_ptr<TComboExItems> itemsEx_;
    TCustomImageList* images_ = nullptr;
    ImageListHandle shownImages_;  // what the window draws with
};
