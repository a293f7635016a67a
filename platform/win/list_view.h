// The list view: the common "SysListView32" control. In report mode it shows its items as rows under a
// header of columns, each row the item's caption and its sub-items, one per further column.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/collection.h"
#include "platform/win/image_list.h"
#include "platform/win/std_controls.h"

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListView;

class TListColumn : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TListColumn(TCollection* collection);
    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

private:
    std::wstring caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class TListColumns : public TCollection {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TListColumns(TListView* view);
    TListColumn* Items(int index) const { return ItemAs<TListColumn>(index); }
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* AddColumn(const std::wstring& caption, int width, TAlignment alignment = taLeftJustify);

protected:
    void Update(TCollectionItem* item) override;

private:
    TListView* view_;
};

// One row: its caption (the first column) and the texts of the further columns.
class TListItem : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TListItem(TCollection* collection);
    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& value);
    const std::vector<std::wstring>& SubItems() const { return subItems_; }
    void SetSubItems(std::vector<std::wstring> value);
    // An index into the view's SmallImages, -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

private:
    TStringList SubItemsList() const;
    void SetSubItemsList(const TStringList& lines);

    std::wstring caption_;
    std::vector<std::wstring> subItems_;
    int imageIndex_ = -1;
};

class TListItems : public TCollection {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TListItems(TListView* view);
    TListItem* Items(int index) const { return ItemAs<TListItem>(index); }
    TListItem* Add() { return static_cast<TListItem*>(TCollection::Add()); }
    TListItem* AddItem(const std::wstring& caption, std::vector<std::wstring> subItems = {});

protected:
    void Update(TCollectionItem* item) override;

private:
    TListView* view_;
};

using TLVColumnClickEvent = std::function<void(TListView* sender, TListColumn* column)>;

class TListView : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns* Columns() const { return columns_.get(); }
    TListItems* Items() const { return items_.get(); }
    TCustomImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TCustomImageList* images);

    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // A click selects the whole row, not only its caption.
    bool RowSelect() const { return HasExtended(LVS_EX_FULLROWSELECT); }
    void SetRowSelect(bool value) { SetExtended(LVS_EX_FULLROWSELECT, value); }
    bool GridLines() const { return HasExtended(LVS_EX_GRIDLINES); }
    void SetGridLines(bool value) { SetExtended(LVS_EX_GRIDLINES, value); }
    // The item under the mouse is lit (and chosen when the mouse rests on it).
    bool HotTrack() const { return HasExtended(LVS_EX_TRACKSELECT); }
    void SetHotTrack(bool value) { SetExtended(LVS_EX_TRACKSELECT, value); }
    bool ShowColumnHeaders() const { return showColumnHeaders_; }
    void SetShowColumnHeaders(bool value);
    // The chosen row, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // The window of the column header (report mode), nullptr when there is none.
    HWND HeaderWindow();

    TLVColumnClickEvent OnColumnClick;
    // The chosen row changed.
    TNotifyEvent OnChange;

    // Sends the columns, or the items (one item, or all for nullptr), to the control.
    void UpdateColumns();
    void UpdateItems(TListItem* item);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    bool HasExtended(DWORD bit) const { return (extended_ & bit) != 0; }
    void SetExtended(DWORD bit, bool on);
    void ApplyImages();
    void ItemToWindow(int index, bool insert);
    void Notify(const NMHDR& hdr);

    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<TListItems> items_;
    TCustomImageList* smallImages_ = nullptr;
    ImageListHandle shownImages_;
    TViewStyle viewStyle_ = vsIcon;
    TBorderStyle borderStyle_ = bsSingle;
    bool showColumnHeaders_ = true;
    DWORD extended_ = 0;
    int itemIndex_ = -1;  // while there is no window
};
