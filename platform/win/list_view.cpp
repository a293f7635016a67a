// The list view, its columns and its items.
#include "platform/win/list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace {
constexpr std::array<std::string_view, 3> kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::array<std::string_view, 4> kViewStyleNames{"vsIcon", "vsSmallIcon", "vsList", "vsReport"};
constexpr std::array<std::string_view, 6> kBorderStyleNames{"bsNone",   "bsSingle",     "bsSizeable",
                                                            "bsDialog", "bsToolWindow", "bsSizeToolWin"};

DWORD ViewBits(TViewStyle style) {
    switch (style) {
    case vsSmallIcon: return LVS_SMALLICON;
    case vsList: return LVS_LIST;
    case vsReport: return LVS_REPORT;
    default: return LVS_ICON;
    }
}

int ColumnFormat(TAlignment a) {
    return a == taRightJustify ? LVCFMT_RIGHT : a == taCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
}
}  // namespace

// ======================================================================= TListColumn

const PropTable TListColumn::Props{&TObject::Props,
                                   {
                                       Prop::Str("Caption", &TListColumn::Caption, &TListColumn::SetCaption),
                                       Prop::Int("Width", &TListColumn::Width, &TListColumn::SetWidth),
                                       Prop::Enum("Alignment", &TListColumn::Alignment,
                                                  &TListColumn::SetAlignment, PropNames{kAlignmentNames}),
                                   }};
const TClassInfo TListColumn::ClassInfo_{"TListColumn", &TCollectionItem::ClassInfo_, &TListColumn::Props};

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

void TListColumn::Assign(const TPersistent& source) {
    auto* c = dynamic_cast<const TListColumn*>(&source);
    if (!c) return TCollectionItem::Assign(source);
    caption_ = c->caption_;
    width_ = c->width_;
    alignment_ = c->alignment_;
    Changed(false);
}

std::string TListColumn::DisplayName() const {
    return caption_.empty() ? TCollectionItem::DisplayName() : WideToUtf8(caption_);
}

void TListColumn::SetCaption(const std::wstring& value) {
    if (value == caption_) return;
    caption_ = value;
    Changed(false);
}
void TListColumn::SetWidth(int value) {
    value = std::max(0, value);
    if (value == width_) return;
    width_ = value;
    Changed(false);
}
void TListColumn::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Changed(false);
}

const TClassInfo TListColumns::ClassInfo_{"TListColumns", &TCollection::ClassInfo_, &TObject::Props};

TListColumns::TListColumns(TListView* view)
    : TCollection(TListColumn::ClassInfo_, TCollection::FactoryOf<TListColumn>(), view), view_(view) {}

TListColumn* TListColumns::AddColumn(const std::wstring& caption, int width, TAlignment alignment) {
    BeginUpdate();
    TListColumn* c = Add();
    c->SetCaption(caption);
    c->SetWidth(width);
    c->SetAlignment(alignment);
    EndUpdate();
    return c;
}

void TListColumns::Update(TCollectionItem*) {
    if (view_) view_->UpdateColumns();
}

// ======================================================================= TListItem

const PropTable TListItem::Props{
    &TObject::Props,
    {
        Prop::Str("Caption", &TListItem::Caption, &TListItem::SetCaption),
        Prop::Strings("SubItems", &TListItem::SubItemsList, &TListItem::SetSubItemsList),
        Prop::Int("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex),
    }};
const TClassInfo TListItem::ClassInfo_{"TListItem", &TCollectionItem::ClassInfo_, &TListItem::Props};

TListItem::TListItem(TCollection* collection) : TCollectionItem(collection) {}

void TListItem::Assign(const TPersistent& source) {
    auto* i = dynamic_cast<const TListItem*>(&source);
    if (!i) return TCollectionItem::Assign(source);
    caption_ = i->caption_;
    subItems_ = i->subItems_;
    imageIndex_ = i->imageIndex_;
    Changed(false);
}

std::string TListItem::DisplayName() const {
    return caption_.empty() ? TCollectionItem::DisplayName() : WideToUtf8(caption_);
}

void TListItem::SetCaption(const std::wstring& value) {
    if (value == caption_) return;
    caption_ = value;
    Changed(false);
}
void TListItem::SetSubItems(std::vector<std::wstring> value) {
    subItems_ = std::move(value);
    Changed(false);
}
void TListItem::SetImageIndex(int value) {
    imageIndex_ = std::max(-1, value);
    Changed(false);
}

TStringList TListItem::SubItemsList() const {
    TStringList list;
    for (const std::wstring& s : subItems_) list.Add(WideToUtf8(s));
    return list;
}

void TListItem::SetSubItemsList(const TStringList& lines) {
    std::vector<std::wstring> wide;
    for (int i = 0; i < lines.Count(); ++i) wide.push_back(Utf8ToWide(lines[i]));
    SetSubItems(std::move(wide));
}

const TClassInfo TListItems::ClassInfo_{"TListItems", &TCollection::ClassInfo_, &TObject::Props};

TListItems::TListItems(TListView* view)
    : TCollection(TListItem::ClassInfo_, TCollection::FactoryOf<TListItem>(), view), view_(view) {}

TListItem* TListItems::AddItem(const std::wstring& caption, std::vector<std::wstring> subItems) {
    BeginUpdate();
    TListItem* item = Add();
    item->SetCaption(caption);
    item->SetSubItems(std::move(subItems));
    EndUpdate();
    return item;
}

void TListItems::Update(TCollectionItem* item) {
    if (view_) view_->UpdateItems(static_cast<TListItem*>(item));
}

// ======================================================================= TListView

const PropTable TListView::Props{
    &TWinControl::Props,
    {
        Prop::Obj("Columns", &TListView::Columns),
        Prop::Obj("Items", &TListView::Items),
        Prop::Obj("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages),
        Prop::Enum("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle, PropNames{kViewStyleNames}),
        Prop::Enum("BorderStyle", &TListView::BorderStyle, &TListView::SetBorderStyle,
                   PropNames{kBorderStyleNames}),
        Prop::Enum("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect, kBooleanNames),
        Prop::Enum("GridLines", &TListView::GridLines, &TListView::SetGridLines, kBooleanNames),
        Prop::Enum("HotTrack", &TListView::HotTrack, &TListView::SetHotTrack, kBooleanNames),
        Prop::Enum("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders,
                   kBooleanNames),
        Prop::Int("ItemIndex", &TListView::ItemIndex, &TListView::SetItemIndex),
        Prop::Event("OnColumnClick", &TListView::OnColumnClick),
        Prop::Event("OnChange", &TListView::OnChange),
    }};
const TClassInfo TListView::ClassInfo_{"TListView", &TWinControl::ClassInfo_, &TListView::Props};

TListView::TListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TListColumns>(this)),
      items_(std::make_unique<TListItems>(this)) {
    SetBoundsQuiet(0, 0, 250, 150);
    SetTabStop(true);
    color_ = clWindow;
}

TListView::~TListView() {
    // The window goes before the items and the image list it draws with.
    Destroying();
    DestroyHandle();
}

void TListView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = WC_LISTVIEWW;
    p.Style |= ViewBits(viewStyle_) | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
               (showColumnHeaders_ ? 0 : LVS_NOCOLUMNHEADER);
    if (borderStyle_ != bsNone) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
    TWinControl::CreateWnd();
    const HWND h = Handle();
    SendMessageW(h, LVM_SETEXTENDEDLISTVIEWSTYLE, ~WPARAM(0), LPARAM(extended_));
    UpdateColumns();
    UpdateItems(nullptr);
    ApplyImages();
    if (itemIndex_ >= 0) SetItemIndex(itemIndex_);
}

void TListView::SetViewStyle(TViewStyle value) {
    if (value == viewStyle_) return;
    viewStyle_ = value;
    if (!HandleAllocated()) return;
    const HWND h = Handle();
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    SetWindowLongPtrW(h, GWL_STYLE, (style & ~LONG_PTR(LVS_TYPEMASK)) | LONG_PTR(ViewBits(value)));
    InvalidateRect(h, nullptr, TRUE);
}

void TListView::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    if (!HandleAllocated()) return;
    const HWND h = Handle();
    LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
    ex = value != bsNone ? (ex | WS_EX_CLIENTEDGE) : (ex & ~LONG_PTR(WS_EX_CLIENTEDGE));
    SetWindowLongPtrW(h, GWL_EXSTYLE, ex);
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TListView::SetShowColumnHeaders(bool value) {
    if (value == showColumnHeaders_) return;
    showColumnHeaders_ = value;
    if (!HandleAllocated()) return;
    const HWND h = Handle();
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    SetWindowLongPtrW(h, GWL_STYLE,
                      value ? (style & ~LONG_PTR(LVS_NOCOLUMNHEADER)) : (style | LVS_NOCOLUMNHEADER));
    InvalidateRect(h, nullptr, TRUE);
}

void TListView::SetExtended(DWORD bit, bool on) {
    extended_ = on ? (extended_ | bit) : (extended_ & ~bit);
    if (HandleAllocated()) SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, bit, on ? LPARAM(bit) : 0);
}

void TListView::SetSmallImages(TCustomImageList* images) {
    if (images == smallImages_) return;
    if (smallImages_) smallImages_->RemoveFreeNotification(this);
    smallImages_ = images;
    if (smallImages_) smallImages_->FreeNotification(this);
    ApplyImages();
}

void TListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == smallImages_) {
        smallImages_ = nullptr;
        if (!HasState(csDestroying)) ApplyImages();
    }
}

void TListView::ApplyImages() {
    if (!HandleAllocated()) return;
    const HIMAGELIST list = smallImages_ ? smallImages_->Handle() : nullptr;
    const HIMAGELIST copy = list ? ImageList_Duplicate(list) : nullptr;
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(copy));
    shownImages_.reset(copy);
}

int TListView::ItemIndex() const {
    if (!HandleAllocated()) return itemIndex_;
    const HWND h = const_cast<TListView*>(this)->Handle();
    return int(SendMessageW(h, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int value) {
    if (value < -1 || value >= items_->Count()) value = -1;
    if (!HandleAllocated()) {
        itemIndex_ = value;
        return;
    }
    const HWND h = Handle();
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageW(h, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
    if (value < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(h, LVM_SETITEMSTATE, WPARAM(value), reinterpret_cast<LPARAM>(&state));
    SendMessageW(h, LVM_ENSUREVISIBLE, WPARAM(value), FALSE);
}

HWND TListView::HeaderWindow() { return reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0)); }

void TListView::UpdateColumns() {
    if (!HandleAllocated() || HasState(csDestroying)) return;
    const HWND h = Handle();
    while (SendMessageW(h, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int i = 0; i < columns_->Count(); ++i) {
        const TListColumn* c = columns_->Items(i);
        std::wstring text = c->Caption();
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        col.fmt = ColumnFormat(c->Alignment());
        col.cx = c->Width();
        col.pszText = text.data();
        col.iSubItem = i;
        SendMessageW(h, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&col));
    }
}

void TListView::ItemToWindow(int index, bool insert) {
    const HWND h = Handle();
    const TListItem* item = items_->Items(index);
    std::wstring caption = item->Caption();
    LVITEMW lv{};
    lv.mask = LVIF_TEXT | LVIF_IMAGE;
    lv.iItem = index;
    lv.pszText = caption.data();
    lv.iImage = item->ImageIndex();
    SendMessageW(h, insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lv));
    const std::vector<std::wstring>& subs = item->SubItems();
    for (std::size_t s = 0; s < subs.size(); ++s) {
        std::wstring text = subs[s];
        LVITEMW sub{};
        sub.iSubItem = int(s) + 1;
        sub.pszText = text.data();
        SendMessageW(h, LVM_SETITEMTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(&sub));
    }
}

void TListView::UpdateItems(TListItem* item) {
    if (!HandleAllocated() || HasState(csDestroying)) return;
    const HWND h = Handle();
    if (item && item->Index() >= 0 && item->Index() < int(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0))) {
        ItemToWindow(item->Index(), false);
        return;
    }
    const int chosen = ItemIndex();
    SendMessageW(h, WM_SETREDRAW, FALSE, 0);
    SendMessageW(h, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < items_->Count(); ++i) ItemToWindow(i, true);
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
    if (chosen >= 0 && chosen < items_->Count()) SetItemIndex(chosen);
}

void TListView::Notify(const NMHDR& hdr) {
    switch (hdr.code) {
    case LVN_COLUMNCLICK: {
        const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
        if (nm.iSubItem >= 0 && nm.iSubItem < columns_->Count() && OnColumnClick)
            OnColumnClick(this, columns_->Items(nm.iSubItem));
        break;
    }
    case LVN_ITEMCHANGED: {
        const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
        if ((nm.uChanged & LVIF_STATE) && ((nm.uOldState ^ nm.uNewState) & LVIS_SELECTED) &&
            (nm.uNewState & LVIS_SELECTED) && OnChange)
            OnChange(this);
        break;
    }
    default: break;
    }
}

void TListView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY:
        m.Result = 0;
        if (const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam)) Notify(*hdr);
        return;
    case WM_DESTROY:
        if (!HasState(csDestroying)) itemIndex_ = ItemIndex();  // kept for a window made again
        return TWinControl::WndProc(m);
    default: TWinControl::WndProc(m);
    }
}
