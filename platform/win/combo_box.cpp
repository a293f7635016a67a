// Combo boxes and extended combo boxes.
#include "platform/win/combo_box.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "platform/win/image_list.h"

namespace {

constexpr std::array<std::string_view, 3> kStyleNames{"csDropDown", "csSimple", "csDropDownList"};

// CB_SETMINVISIBLE: the common controls' combo box shows that many items before its list scrolls.
constexpr UINT kSetMinVisible = 0x1701;

DWORD StyleBits(TComboBoxStyle style) {
    switch (style) {
    case csSimple: return CBS_SIMPLE | CBS_NOINTEGRALHEIGHT;  // the list fills the control's height
    case csDropDownList: return CBS_DROPDOWNLIST;
    default: return CBS_DROPDOWN | CBS_AUTOHSCROLL;
    }
}

int LineHeight(const TFont& font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font.Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return int(tm.tmHeight);
}

std::wstring ListText(HWND combo, int index) {
    const LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (n == CB_ERR || n <= 0) return {};
    std::wstring s(std::size_t(n) + 1, L'\0');
    const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(got == CB_ERR ? 0 : std::size_t(got));
    return s;
}

}  // namespace

// ======================================================================= TCustomComboBox

const PropTable TCustomComboBox::Props{
    &TWinControl::Props,
    {
        Prop::Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle, PropNames{kStyleNames}),
        Prop::Int("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex),
        Prop::Int("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount),
        Prop::Str("Text", &TCustomComboBox::ComboText, &TCustomComboBox::SetComboText),
        Prop::Event("OnChange", &TCustomComboBox::OnChange),
        Prop::Event("OnDropDown", &TCustomComboBox::OnDropDown),
        Prop::Event("OnCloseUp", &TCustomComboBox::OnCloseUp),
    }};
const TClassInfo TCustomComboBox::ClassInfo_{"TCustomComboBox", &TWinControl::ClassInfo_,
                                             &TCustomComboBox::Props};

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
    SetBoundsQuiet(0, 0, 145, 21);
    SetTabStop(true);
    color_ = clWindow;
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWindow();
}

int TCustomComboBox::ItemIndex() const {
    auto* self = const_cast<TCustomComboBox*>(this);
    if (!HandleAllocated()) return itemIndex_;
    const LRESULT i = SendMessageW(self->Handle(), CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? -1 : int(i);
}

void TCustomComboBox::SetItemIndex(int value) {
    if (value < -1) value = -1;
    if (!HandleAllocated()) {
        itemIndex_ = value;
        return;
    }
    SendMessageW(Handle(), CB_SETCURSEL, WPARAM(value), 0);
}

void TCustomComboBox::SetDropDownCount(int value) {
    dropDownCount_ = std::max(1, value);
    ApplyDropDownCount();
}

bool TCustomComboBox::DroppedDown() const {
    return HandleAllocated() &&
           SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (HandleAllocated()) SendMessageW(Handle(), CB_SHOWDROPDOWN, value, 0);
}

void TCustomComboBox::SetComboText(const std::wstring& text) {
    int found = -1;
    for (int i = 0, n = ItemCount(); i < n && found < 0; ++i)
        if (ItemText(i) == text) found = i;
    // The choice follows the text: the item of that text, or none.
    SetItemIndex(found);
    if (style_ != csDropDownList) SetText(text);
}

std::wstring TCustomComboBox::GetText() const {
    if (style_ == csDropDownList) {
        const int i = ItemIndex();
        return i >= 0 && i < ItemCount() ? ItemText(i) : std::wstring();
    }
    return TWinControl::GetText();
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    ApplyDropDownCount();
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style |= WS_VSCROLL | StyleBits(style_);
    // The window's height below the field is the dropped list's; ApplyDropDownCount measures it again
    // once the window knows its font.
    if (style_ != csSimple) p.Height += dropDownCount_ * (LineHeight(*Font()) + 2) + 2;
}

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    ItemsToWindow();
    ApplyDropDownCount();
}

void TCustomComboBox::ApplyDropDownCount() {
    if (!HandleAllocated() || style_ == csSimple) return;
    const HWND h = Handle();
    const HWND combo = ComboWindow();
    SendMessageW(combo, kSetMinVisible, WPARAM(dropDownCount_), 0);
    const LRESULT item = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
    if (item == CB_ERR || item <= 0) return;
    RECT r;
    GetWindowRect(h, &r);
    // The platform keeps the field's own height and takes the rest as the dropped list's.
    SetWindowPos(h, nullptr, 0, 0, r.right - r.left, (r.bottom - r.top) + dropDownCount_ * int(item) + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
}

void TCustomComboBox::RecreateWindow() {
    if (!HandleAllocated()) return;
    const bool hadParent = Parent() && Parent()->HandleAllocated();
    DestroyHandle();  // the items and the choice are kept at WM_DESTROY
    if (hadParent) HandleNeeded();
}

void TCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
        case CBN_EDITCHANGE:
            if (OnChange) OnChange(this);
            break;
        case CBN_DROPDOWN:
            if (OnDropDown) OnDropDown(this);
            break;
        case CBN_CLOSEUP:
            if (OnCloseUp) OnCloseUp(this);
            break;
        default: break;
        }
        m.Result = 0;
        return;
    case WM_SETFONT:
        DefaultHandler(m);
        ApplyDropDownCount();  // the items' height follows the font
        return;
    case WM_DESTROY:
        if (!HasState(csDestroying)) {
            itemIndex_ = ItemIndex();
            ItemsFromWindow();
        }
        return TWinControl::WndProc(m);
    default: TWinControl::WndProc(m);
    }
}

// ======================================================================= TComboItems

int TComboItems::Count() const {
    if (!box_.HandleAllocated()) return int(kept_.size());
    const LRESULT n = SendMessageW(box_.Handle(), CB_GETCOUNT, 0, 0);
    return n == CB_ERR ? 0 : int(n);
}

std::wstring TComboItems::Strings(int index) const {
    if (!box_.HandleAllocated())
        return index >= 0 && index < int(kept_.size()) ? kept_[std::size_t(index)] : L"";
    return ListText(box_.Handle(), index);
}

int TComboItems::Add(const std::wstring& s) {
    if (box_.HandleAllocated()) {
        const LRESULT i = SendMessageW(box_.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
        return i < 0 ? -1 : int(i);
    }
    auto at = kept_.end();
    if (box_.Sorted())
        at =
            std::upper_bound(kept_.begin(), kept_.end(), s, [](const std::wstring& a, const std::wstring& b) {
                return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
                       CSTR_LESS_THAN;
            });
    return int(kept_.insert(at, s) - kept_.begin());
}

void TComboItems::Insert(int index, const std::wstring& s) {
    if (box_.HandleAllocated()) {
        SendMessageW(box_.Handle(), CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(s.c_str()));
        return;
    }
    index = std::clamp(index, 0, int(kept_.size()));
    kept_.insert(kept_.begin() + index, s);
}

void TComboItems::Delete(int index) {
    if (box_.HandleAllocated()) {
        SendMessageW(box_.Handle(), CB_DELETESTRING, WPARAM(index), 0);
        return;
    }
    if (index >= 0 && index < int(kept_.size())) kept_.erase(kept_.begin() + index);
}

void TComboItems::Clear() {
    if (box_.HandleAllocated()) {
        SendMessageW(box_.Handle(), CB_RESETCONTENT, 0, 0);
        return;
    }
    kept_.clear();
}

int TComboItems::IndexOf(const std::wstring& s) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (Strings(i) == s) return i;
    return -1;
}

TStringList TComboItems::AsStringList() const {
    TStringList lines;
    for (int i = 0, n = Count(); i < n; ++i) lines.Add(WideToUtf8(Strings(i)));
    return lines;
}

void TComboItems::Assign(const TStringList& lines) {
    Clear();
    for (int i = 0; i < lines.Count(); ++i) Add(Utf8ToWide(lines[i]));
}

// ======================================================================= TComboBox

const PropTable TComboBox::Props{
    &TCustomComboBox::Props,
    {
        Prop::Strings("Items", &TComboBox::ItemsList, &TComboBox::SetItemsList),
        Prop::Enum("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted, kBooleanNames),
    }};
const TClassInfo TComboBox::ClassInfo_{"TComboBox", &TCustomComboBox::ClassInfo_, &TComboBox::Props};

TComboBox::TComboBox(TComponent* owner) : TCustomComboBox(owner) {}

void TComboBox::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    if (!HandleAllocated()) {
        std::vector<std::wstring> items;
        items.swap(items_.kept_);
        for (const std::wstring& s : items) items_.Add(s);
        return;
    }
    RecreateWindow();
}

void TComboBox::CreateParams(TCreateParams& p) {
    TCustomComboBox::CreateParams(p);
    p.BaseClass = L"COMBOBOX";
    if (sorted_) p.Style |= CBS_SORT;
}

void TComboBox::ItemsToWindow() {
    std::vector<std::wstring> items;
    items.swap(items_.kept_);
    const HWND h = Handle();
    for (const std::wstring& s : items) SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (itemIndex_ >= 0) {
        SendMessageW(h, CB_SETCURSEL, WPARAM(itemIndex_), 0);
    } else if (Style() != csDropDownList && !text_.empty()) {
        SetWindowTextW(h, text_.c_str());
    }
}

void TComboBox::ItemsFromWindow() {
    const HWND h = Handle();
    std::vector<std::wstring> items;
    const LRESULT n = SendMessageW(h, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < int(n); ++i) items.push_back(ListText(h, i));
    items_.kept_ = std::move(items);
}

// ======================================================================= TComboExItem

const PropTable TComboExItem::Props{
    &TObject::Props,
    {
        Prop::Str("Caption", &TComboExItem::Caption, &TComboExItem::SetCaption),
        Prop::Int("ImageIndex", &TComboExItem::ImageIndex, &TComboExItem::SetImageIndex),
        Prop::Int("SelectedImageIndex", &TComboExItem::SelectedImageIndex,
                  &TComboExItem::SetSelectedImageIndex),
        Prop::Int("Indent", &TComboExItem::Indent, &TComboExItem::SetIndent),
    }};
const TClassInfo TComboExItem::ClassInfo_{"TComboExItem", &TCollectionItem::ClassInfo_, &TComboExItem::Props};

TComboExItem::TComboExItem(TCollection* collection) : TCollectionItem(collection) {}

void TComboExItem::Assign(const TPersistent& source) {
    auto* s = dynamic_cast<const TComboExItem*>(&source);
    if (!s) return TCollectionItem::Assign(source);
    caption_ = s->caption_;
    imageIndex_ = s->imageIndex_;
    selectedImageIndex_ = s->selectedImageIndex_;
    indent_ = s->indent_;
    Changed(false);
}

std::string TComboExItem::DisplayName() const {
    return caption_.empty() ? TCollectionItem::DisplayName() : WideToUtf8(caption_);
}

void TComboExItem::SetCaption(const std::wstring& value) {
    caption_ = value;
    Changed(false);
}
void TComboExItem::SetImageIndex(int value) {
    imageIndex_ = value;
    Changed(false);
}
void TComboExItem::SetSelectedImageIndex(int value) {
    selectedImageIndex_ = value;
    Changed(false);
}
void TComboExItem::SetIndent(int value) {
    indent_ = std::max(0, value);
    Changed(false);
}

// ======================================================================= TComboExItems

const TClassInfo TComboExItems::ClassInfo_{"TComboExItems", &TCollection::ClassInfo_, &TObject::Props};

TComboExItems::TComboExItems(TComboBoxEx* box)
    : TCollection(TComboExItem::ClassInfo_, TCollection::FactoryOf<TComboExItem>(), box), box_(box) {}

TComboExItem* TComboExItems::AddItem(const std::wstring& caption, int imageIndex) {
    TComboExItem* item = Add();
    item->SetCaption(caption);
    item->SetImageIndex(imageIndex);
    return item;
}

void TComboExItems::Update(TCollectionItem*) {
    if (box_) box_->UpdateItems();
}

// ======================================================================= TComboBoxEx

const PropTable TComboBoxEx::Props{&TCustomComboBox::Props,
                                   {
                                       Prop::Obj("ItemsEx", &TComboBoxEx::ItemsEx),
                                       Prop::Obj("Images", &TComboBoxEx::Images, &TComboBoxEx::SetImages),
                                   }};
const TClassInfo TComboBoxEx::ClassInfo_{"TComboBoxEx", &TCustomComboBox::ClassInfo_, &TComboBoxEx::Props};

TComboBoxEx::TComboBoxEx(TComponent* owner)
    : TCustomComboBox(owner), itemsEx_(std::make_unique<TComboExItems>(this)) {
    SetStyle(csDropDownList);
}

TComboBoxEx::~TComboBoxEx() {
    // The window goes before the image list it draws with.
    Destroying();
    DestroyHandle();
}

std::wstring TComboBoxEx::ItemText(int index) const {
    return index >= 0 && index < itemsEx_->Count() ? itemsEx_->Items(index)->Caption() : L"";
}

void TComboBoxEx::SetImages(TCustomImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    ApplyImages();
}

void TComboBoxEx::Notification(TComponent* component, TOperation operation) {
    TCustomComboBox::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        if (!HasState(csDestroying)) ApplyImages();
    }
}

void TComboBoxEx::CreateParams(TCreateParams& p) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    TCustomComboBox::CreateParams(p);
    p.BaseClass = WC_COMBOBOXEXW;
}

HWND TComboBoxEx::ComboWindow() {
    const HWND combo = reinterpret_cast<HWND>(SendMessageW(Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
    return combo ? combo : Handle();
}

void TComboBoxEx::ApplyImages() {
    if (!HandleAllocated()) return;
    // A copy of the images as they are now: the image list remakes its own platform list when it changes.
    const HIMAGELIST list = images_ ? images_->Handle() : nullptr;
    const HIMAGELIST copy = list ? ImageList_Duplicate(list) : nullptr;
    SendMessageW(Handle(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(copy));
    shownImages_.reset(copy);  // the previous copy goes once the window has let go of it
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TComboBoxEx::ItemsToWindow() {
    const HWND h = Handle();
    for (int i = 0; i < itemsEx_->Count(); ++i) {
        const TComboExItem* item = itemsEx_->Items(i);
        std::wstring text = item->Caption();
        COMBOBOXEXITEMW e{};
        e.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
        e.iItem = i;
        e.pszText = text.data();
        e.iImage = item->ImageIndex();
        e.iSelectedImage = item->SelectedImageIndex() >= 0 ? item->SelectedImageIndex() : item->ImageIndex();
        e.iIndent = item->Indent();
        SendMessageW(h, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&e));
    }
    if (itemIndex_ >= 0) SendMessageW(h, CB_SETCURSEL, WPARAM(itemIndex_), 0);
    ApplyImages();
}

void TComboBoxEx::UpdateItems() {
    if (!HandleAllocated()) return;
    itemIndex_ = ItemIndex();
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    ItemsToWindow();
}
