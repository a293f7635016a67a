// Menu items, main and popup menus, shortcuts, and the routing of menu messages to items.
#include "platform/win/menus.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <map>
#include <stdexcept>
#include <unordered_set>

#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/image_list.h"

namespace {

// Command identifiers of live items. They start above the dialog buttons' identifiers (IDOK, IDCANCEL
// ..., which the dialog manager sends to a form for Enter and Esc) and stay below the system commands
// (0xF000) and the MDI window list (from 0xFF00); WM_COMMAND carries 16 bits.
constexpr UINT kFirstCommand = 0x100;
constexpr UINT kLastCommand = 0xEFFF;

// Never freed, as the next one: items of forms that the application frees at exit go after every static
// object of this file.
std::map<UINT, TMenuItem*>& Commands() {
    static auto* commands = new std::map<UINT, TMenuItem*>;
    return *commands;
}

// Every item alive now, so that a pointer that came back through a platform structure is checked before
// it is used.
std::unordered_set<const TMenuItem*>& LiveItems() {
    static auto* items = new std::unordered_set<const TMenuItem*>;
    return *items;
}

UINT AllocateCommand(TMenuItem* item) {
    static UINT next = kFirstCommand;
    auto& commands = Commands();
    if (commands.size() >= kLastCommand - kFirstCommand + 1)
        throw std::runtime_error("no menu command is free");
    while (commands.count(next)) next = next >= kLastCommand ? kFirstCommand : next + 1;
    const UINT id = next;
    commands[id] = item;
    next = next >= kLastCommand ? kFirstCommand : next + 1;
    return id;
}

struct KeyName {
    WORD key;
    const wchar_t* name;
};
constexpr std::array<KeyName, 16> kKeyNames{{
    {VK_BACK, L"BkSp"},
    {VK_TAB, L"Tab"},
    {VK_RETURN, L"Enter"},
    {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"},
    {VK_PRIOR, L"PgUp"},
    {VK_NEXT, L"PgDn"},
    {VK_END, L"End"},
    {VK_HOME, L"Home"},
    {VK_LEFT, L"Left"},
    {VK_UP, L"Up"},
    {VK_RIGHT, L"Right"},
    {VK_DOWN, L"Down"},
    {VK_INSERT, L"Ins"},
    {VK_DELETE, L"Del"},
    {VK_F1, L"F1"},
}};

struct Modifier {
    TShortCut bit;
    const wchar_t* prefix;
};
constexpr std::array<Modifier, 3> kModifiers{{{scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}}};

std::wstring KeyText(WORD key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, wchar_t(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    return {};
}

bool SameTextWide(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

}  // namespace

// ======================================================================= shortcuts

TShortCut ShortCut(WORD key, TShiftState shift) {
    if (key > 0xFF) return 0;
    TShortCut s = TShortCut(key);
    if (shift.Has(ssShift)) s |= scShift;
    if (shift.Has(ssCtrl)) s |= scCtrl;
    if (shift.Has(ssAlt)) s |= scAlt;
    return s;
}

std::wstring ShortCutToText(TShortCut shortCut) {
    const std::wstring key = KeyText(WORD(shortCut & 0xFF));
    if (key.empty()) return {};
    std::wstring text;
    for (const Modifier& m : kModifiers)
        if (shortCut & m.bit) text += m.prefix;
    return text + key;
}

TShortCut TextToShortCut(std::wstring_view text) {
    TShortCut mods = 0;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& m : kModifiers) {
            const std::wstring_view prefix = m.prefix;
            if (text.size() > prefix.size() && SameTextWide(text.substr(0, prefix.size()), prefix)) {
                mods |= m.bit;
                text.remove_prefix(prefix.size());
                found = true;
            }
        }
    }
    for (WORD key = 1; key <= 0xFF; ++key) {
        const std::wstring name = KeyText(key);
        if (!name.empty() && SameTextWide(name, text)) return TShortCut(mods | key);
    }
    return 0;
}

bool IsAccel(wchar_t key, std::wstring_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;  // a literal ampersand
            continue;
        }
        return std::towupper(caption[i + 1]) == std::towupper(key);
    }
    return false;
}

std::wstring StripHotkey(std::wstring_view caption) {
    std::wstring s;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != L'&') {
            s += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == L'&') {
            s += L'&';
            ++i;
        }
    }
    return s;
}

// ======================================================================= TMenuItem

const PropTable TMenuItem::Props{
    &TComponent::Props,
    {
        Prop::Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
        Prop::Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut),
        Prop::Enum("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, kBooleanNames),
        Prop::Enum("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, kBooleanNames),
        Prop::Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex),
        Prop::Enum("AutoCheck", &TMenuItem::AutoCheck, nullptr, kBooleanNames),
        Prop::Enum("Default", &TMenuItem::Default, &TMenuItem::SetDefault, kBooleanNames),
        Prop::Enum("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, kBooleanNames),
        Prop::Enum("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, kBooleanNames),
        Prop::Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex),
        Prop::Str("Hint", &TMenuItem::Hint),
        Prop::Event("OnClick", &TMenuItem::OnClick),
        Prop::Event("OnDrawItem", &TMenuItem::OnDrawItem),
        Prop::Event("OnMeasureItem", &TMenuItem::OnMeasureItem),
    }};
const TClassInfo TMenuItem::ClassInfo_{"TMenuItem", &TComponent::ClassInfo_, &TMenuItem::Props};

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {
    command_ = AllocateCommand(this);
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    Destroying();
    if (parent_) parent_->Remove(this);
    while (!items_.empty()) delete items_.back();  // each leaves this item (and its owner) as it goes
    DestroyMenuHandle();
    if (command_) Commands().erase(command_);
    LiveItems().erase(this);
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
    const auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

bool TMenuItem::IsLive(const TMenuItem* item) { return item && LiveItems().count(item) != 0; }

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->parent_) i = i->parent_;
    return i->menu_;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) throw std::invalid_argument("a menu item cannot hold itself");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw std::invalid_argument("a menu item cannot hold its own parent");
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    const bool first = items_.size() == 1;
    RebuildEntries();
    if (first) UpdateEntry();  // the entry becomes a submenu
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    const int i = IndexOf(item);
    if (i < 0) return;
    items_.erase(items_.begin() + i);
    item->parent_ = nullptr;
    if (HasState(csDestroying)) return;  // the whole menu goes anyway
    RebuildEntries();
    if (items_.empty()) {
        UpdateEntry();  // no longer a submenu
        DestroyMenuHandle();
    }
    MenuChanged(true);
}

void TMenuItem::Clear() {
    while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Find(UINT_PTR value, TFindItemKind kind) {
    for (TMenuItem* item : items_) {
        switch (kind) {
        case fkCommand:
            if (item->command_ == value) return item;
            break;
        case fkHandle:
            if (item->handle_ && reinterpret_cast<UINT_PTR>(item->handle_) == value) return item;
            break;
        case fkShortCut:
            if (item->shortCut_ && item->shortCut_ == value) return item;
            break;
        }
        if (TMenuItem* deeper = item->Find(value, kind)) return deeper;
    }
    return nullptr;
}

void TMenuItem::SetCaption(const std::wstring& caption) {
    if (caption == caption_) return;
    const bool wasLine = IsLine();
    caption_ = caption;
    UpdateEntry();
    MenuChanged(wasLine != IsLine());
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value == shortCut_) return;
    shortCut_ = value;
    UpdateEntry();
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    if (value && radioItem_) TurnSiblingsOff();
    UpdateEntry();
    MenuChanged(false);
}

void TMenuItem::TurnSiblingsOff() {
    if (!parent_) return;
    for (TMenuItem* s : parent_->items_) {
        if (s == this || !s->radioItem_ || !s->checked_ || s->groupIndex_ != groupIndex_) continue;
        s->checked_ = false;
        s->UpdateEntry();
    }
}

void TMenuItem::SetRadioItem(bool value) {
    if (value == radioItem_) return;
    radioItem_ = value;
    if (value && checked_) TurnSiblingsOff();
    UpdateEntry();
    MenuChanged(false);
}

void TMenuItem::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    groupIndex_ = value;
    if (radioItem_ && checked_) TurnSiblingsOff();
}

void TMenuItem::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    if (value) ClearDefaultOfSiblings();
    UpdateEntry();
    MenuChanged(false);
}

void TMenuItem::ClearDefaultOfSiblings() {
    if (!parent_) return;
    for (TMenuItem* s : parent_->items_) {
        if (s == this || !s->default_) continue;
        s->default_ = false;
        s->UpdateEntry();
    }
}

void TMenuItem::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateEntry();
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    if (parent_) parent_->RebuildEntries();
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    UpdateEntry();
    MenuChanged(false);
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

std::wstring TMenuItem::EntryText() const {
    std::wstring text = caption_;
    if (shortCut_) {
        const std::wstring s = ShortCutToText(shortCut_);
        if (!s.empty()) text += L"\t" + s;
    }
    return text;
}

bool TMenuItem::IsOwnerDrawn() const {
    const TMenu* menu = GetParentMenu();
    if (!menu || !parent_) return false;
    // The bar's own entries stay text: a skinned bar draws them itself.
    if (parent_ == menu->Items() && dynamic_cast<const TMainMenu*>(menu)) return false;
    return menu->OwnerDraw() || menu->Images() != nullptr;
}

void TMenuItem::FillEntry(MENUITEMINFOW& info, std::wstring& text) {
    info = MENUITEMINFOW{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    if (IsLine()) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_STRING;
        text = EntryText();
        info.dwTypeData = text.data();
        info.cch = UINT(text.size());
    }
    if (radioItem_) info.fType |= MFT_RADIOCHECK;
    if (IsOwnerDrawn()) info.fType |= MFT_OWNERDRAW;
    if (const TMenu* menu = GetParentMenu(); menu && menu->IsRightToLeft()) info.fType |= MFT_RIGHTORDER;
    if (checked_) info.fState |= MFS_CHECKED;
    if (!enabled_) info.fState |= MFS_GRAYED;
    if (default_) info.fState |= MFS_DEFAULT;
    info.wID = command_;
    info.hSubMenu = items_.empty() ? nullptr : Handle();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
}

void TMenuItem::UpdateEntry() {
    if (!parent_ || !parent_->handle_ || !visible_ || parent_->rebuilding_) return;
    // The entry is found by its data: entries of others (an MDI window list, a maximised child's
    // buttons) may sit among ours.
    HMENU menu = parent_->handle_;
    const int n = GetMenuItemCount(menu);
    for (int pos = 0; pos < n; ++pos) {
        MENUITEMINFOW probe{};
        probe.cbSize = sizeof probe;
        probe.fMask = MIIM_DATA;
        if (!GetMenuItemInfoW(menu, UINT(pos), TRUE, &probe) || probe.dwItemData != ULONG_PTR(this)) continue;
        MENUITEMINFOW info;
        std::wstring text;
        FillEntry(info, text);
        SetMenuItemInfoW(menu, UINT(pos), TRUE, &info);
        return;
    }
}

HMENU TMenuItem::Handle() {
    if (!handle_) {
        handle_ = menu_ ? menu_->CreateMenuHandle() : CreatePopupMenu();
        entries_ = 0;
        RebuildEntries();
    }
    return handle_;
}

void TMenuItem::RebuildEntries() {
    if (!handle_ || rebuilding_ || HasState(csDestroying)) return;
    rebuilding_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{rebuilding_};
    // Take out the entries laid last time (submenus are kept: RemoveMenu does not destroy them); remember
    // how many foreign entries led (a maximised MDI child's system menu sits first in a menu bar).
    int lead = -1;
    for (int pos = 0; pos < GetMenuItemCount(handle_);) {
        MENUITEMINFOW probe{};
        probe.cbSize = sizeof probe;
        probe.fMask = MIIM_DATA;
        GetMenuItemInfoW(handle_, UINT(pos), TRUE, &probe);
        const auto* item = reinterpret_cast<const TMenuItem*>(probe.dwItemData);
        if (probe.dwItemData && std::find(laid_.begin(), laid_.end(), item) != laid_.end()) {
            if (lead < 0) lead = pos;
            RemoveMenu(handle_, UINT(pos), MF_BYPOSITION);
        } else {
            ++pos;
        }
    }
    if (lead < 0) lead = (menu_ && GetMenuItemCount(handle_) > 0 && dynamic_cast<TMainMenu*>(menu_)) ? 1 : 0;
    lead = std::min(lead, GetMenuItemCount(handle_));
    laid_.clear();
    entries_ = 0;
    for (TMenuItem* item : items_) {
        if (!item->visible_) continue;
        MENUITEMINFOW info;
        std::wstring text;
        item->FillEntry(info, text);
        if (!InsertMenuItemW(handle_, UINT(lead + entries_), TRUE, &info)) continue;
        ++entries_;
        laid_.push_back(item);
    }
}

void TMenuItem::DestroyMenuHandle() {
    if (!handle_) return;
    // Detach every entry first: DestroyMenu would destroy the submenus, which their items own.
    while (GetMenuItemCount(handle_) > 0)
        if (!RemoveMenu(handle_, 0, MF_BYPOSITION)) break;
    DestroyMenu(handle_);
    handle_ = nullptr;
    entries_ = 0;
    laid_.clear();
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (HasState(csDestroying)) return;
    if (TMenu* menu = GetParentMenu(); menu && !menu->HasState(csDestroying))
        menu->MenuChanged(this, rebuild);
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (AutoCheck) SetChecked(radioItem_ ? true : !checked_);
    if (OnClick) OnClick(this);
}

void TMenuItem::InitiateAction() {
    // Entries follow every property change at once; a submenu only needs its entries laid again when
    // it has none yet.
    if (handle_ && entries_ == 0 && !items_.empty()) RebuildEntries();
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    const TMenu* menu = GetParentMenu();
    const TCustomImageList* images = menu ? menu->Images() : nullptr;
    if (IsLine()) {
        width = 10;
        height = 9;
    } else {
        if (default_) {
            TFontStyles s = canvas.Font().Style();
            s.Include(TFontStyle::fsBold);
            canvas.Font().SetStyle(s);
        }
        const TSize text = canvas.TextExtent(StripHotkey(caption_.empty() ? L" " : caption_));
        int w = text.cx;
        if (shortCut_) w += canvas.TextWidth(ShortCutToText(shortCut_)) + 20;
        const int glyph = images ? images->Width() : 16;
        width = glyph + 10 + w + 8;
        height = std::max(text.cy + 6, (images ? images->Height() : 16) + 4);
    }
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, bool selected) {
    if (OnDrawItem)
        OnDrawItem(this, canvas, rect, selected);
    else
        DefaultDrawItem(canvas, rect, selected);
}

void TMenuItem::DefaultDrawItem(TCanvas& canvas, const TRect& rect, bool selected) {
    HDC dc = canvas.Handle();
    if (!dc) return;
    SavedDC saved{dc};
    RECT r = ToRECT(rect);
    Owned<HBRUSH> back{CreateSolidBrush(ColorToRGB(selected && !IsLine() ? clHighlight : clMenu))};
    FillRect(dc, &r, back.get());
    if (IsLine()) {
        RECT line{r.left + 2, (r.top + r.bottom) / 2 - 1, r.right - 2, r.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const TMenu* menu = GetParentMenu();
    TCustomImageList* images = menu ? menu->Images() : nullptr;
    const int glyph = images ? images->Width() : 16;
    const int gx = r.left + 2, gy = r.top + (r.bottom - r.top - (images ? images->Height() : 16)) / 2;
    const COLORREF textColor =
        !enabled_ ? ColorToRGB(clGrayText) : ColorToRGB(selected ? clHighlightText : clMenuText);
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        if (checked_) {
            RECT box{gx - 1, gy - 1, gx + images->Width() + 1, gy + images->Height() + 1};
            DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
        }
        images->Draw(dc, gx, gy, imageIndex_, enabled_);
    } else if (checked_) {
        // The mark in the text colour: a bullet for radio items, a tick otherwise.
        Owned<HPEN> pen{CreatePen(PS_SOLID, 1, textColor)};
        Owned<HBRUSH> fill{CreateSolidBrush(textColor)};
        Selected usePen{dc, pen.get()};
        Selected useBrush{dc, fill.get()};
        const int cx = r.left + 2 + glyph / 2, cy = (r.top + r.bottom) / 2;
        if (radioItem_) {
            Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
        } else {
            for (int d = 0; d < 3; ++d) {
                MoveToEx(dc, cx - 4, cy - 1 + d, nullptr);
                LineTo(dc, cx - 2, cy + 1 + d);
                LineTo(dc, cx + 3, cy - 4 + d);
            }
        }
    }
    LOGFONTW lf{};
    GetObjectW(canvas.Font().Handle(), sizeof lf, &lf);
    if (default_) lf.lfWeight = FW_BOLD;
    Owned<HFONT> font{CreateFontIndirectW(&lf)};
    Selected useFont{dc, font.get()};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    RECT text{r.left + glyph + 10, r.top, r.right - 10, r.bottom};
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    DrawTextW(dc, caption_.c_str(), -1, &text, flags);
    if (shortCut_) {
        const std::wstring s = ShortCutToText(shortCut_);
        DrawTextW(dc, s.c_str(), -1, &text, flags | DT_RIGHT);
    }
}

// ======================================================================= TMenu

const PropTable TMenu::Props{
    &TComponent::Props,
    {
        Prop::Enum("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw, kBooleanNames),
        Prop::Obj("Images", &TMenu::Images, &TMenu::SetImages),
    }};
const TClassInfo TMenu::ClassInfo_{"TMenu", &TComponent::ClassInfo_, &TMenu::Props};

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
    // The root is no entry of its own: it needs no command.
    Commands().erase(items_->command_);
    items_->command_ = 0;
}

TMenu::~TMenu() {
    Destroying();
    items_->Destroying();
    items_.reset();
}

void TMenu::SetOwnerDraw(bool value) {
    if (value == ownerDraw_) return;
    ownerDraw_ = value;
    // Every entry changes its type: lay them all again.
    std::vector<TMenuItem*> stack{items_.get()};
    while (!stack.empty()) {
        TMenuItem* item = stack.back();
        stack.pop_back();
        item->RebuildEntries();
        for (int i = 0; i < item->Count(); ++i) stack.push_back(item->Items(i));
    }
    MenuChanged(items_.get(), true);
}

void TMenu::SetImages(TCustomImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    if (HasState(csLoading)) return;
    const bool owner = ownerDraw_;
    ownerDraw_ = !owner;  // forces the relayout below
    SetOwnerDraw(owner);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        if (!HasState(csDestroying)) {
            const bool owner = ownerDraw_;
            ownerDraw_ = !owner;
            SetOwnerDraw(owner);
        }
    }
}

bool TMenu::IsShortCut(TShortCut shortCut) {
    if (!shortCut) return false;
    TMenuItem* item = items_->Find(shortCut, fkShortCut);
    if (!item) return false;
    for (const TMenuItem* p = item; p && p != items_.get(); p = p->Parent())
        if (!p->Enabled() || !p->Visible()) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = command ? items_->Find(command, fkCommand) : nullptr;
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU submenu) {
    TMenuItem* item = items_->Find(reinterpret_cast<UINT_PTR>(submenu), fkHandle);
    if (!item) return false;
    item->InitiateAction();
    item->Click();
    return true;
}

// ======================================================================= TMainMenu

const TClassInfo TMainMenu::ClassInfo_{"TMainMenu", &TMenu::ClassInfo_, &TMenu::Props};

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() {
    if (form_) form_->MenuGone(this);
}

HMENU TMainMenu::CreateMenuHandle() { return CreateMenu(); }

void TMainMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    // The form went first (the two asked to be told of each other's end).
    if (operation == TOperation::opRemove && component == form_) form_ = nullptr;
}

void TMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    if (!form_ || !form_->HandleAllocated()) return;
    HWND h = form_->Handle();
    if (GetMenu(h) == Items()->Handle()) DrawMenuBar(h);
    form_->Perform(CM_MENUCHANGED, 0, reinterpret_cast<LPARAM>(source));
}

// ======================================================================= TPopupMenu

namespace {
constexpr std::array<std::string_view, 3> kPopupAlignmentNames{"paLeft", "paRight", "paCenter"};

LRESULT CALLBACK PopupListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        LRESULT result = 0;
        if (DispatchMenuMessage(msg, wParam, lParam, result)) return result;
    } catch (...) {
        // Nothing unwinds into the menu loop.
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
}  // namespace

const PropTable TPopupMenu::Props{&TMenu::Props,
                                  {
                                      Prop::Enum("AutoPopup", &TPopupMenu::AutoPopup, nullptr, kBooleanNames),
                                      Prop::Enum("Alignment", &TPopupMenu::Alignment,
                                                 &TPopupMenu::SetAlignment, PropNames{kPopupAlignmentNames}),
                                      Prop::Event("OnPopup", &TPopupMenu::OnPopup),
                                  }};
const TClassInfo TPopupMenu::ClassInfo_{"TPopupMenu", &TMenu::ClassInfo_, &TPopupMenu::Props};

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { Screen->AddPopupMenu(this); }
TPopupMenu::~TPopupMenu() { Screen->RemovePopupMenu(this); }

HMENU TPopupMenu::CreateMenuHandle() { return CreatePopupMenu(); }

HWND TPopupMenu::ListWindow() {
    thread_local HWND window = nullptr;
    if (window && IsWindow(window)) return window;
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &PopupListProc;
        wc.hInstance = HInstance();
        wc.lpszClassName = L"TPUtilWindow";
        return RegisterClassExW(&wc);
    }();
    if (!atom) return nullptr;
    // Hidden and never shown: it only owns the menu loops.
    window = CreateWindowExW(WS_EX_TOOLWINDOW, L"TPUtilWindow", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             HInstance(), nullptr);
    return window;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    HMENU menu = Handle();
    UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
    if (alignment_ == paRight)
        flags |= TPM_RIGHTALIGN;
    else if (alignment_ == paCenter)
        flags |= TPM_CENTERALIGN;
    HWND owner = ListWindow();
    const UINT command = UINT(TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr));
    // The command comes back rather than as a posted WM_COMMAND, so OnClick runs before Popup returns.
    if (command) DispatchCommand(command);
}

// ======================================================================= message routing

bool DispatchMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND: {
        if (HIWORD(wParam) != 0 || lParam) return false;  // not from a menu
        TMenuItem* item = TMenuItem::FromCommand(LOWORD(wParam));
        if (!item) return false;
        item->Click();
        result = 0;
        return true;
    }
    case WM_INITMENUPOPUP: {
        HMENU submenu = reinterpret_cast<HMENU>(wParam);
        for (const auto& [id, item] : Commands()) {
            if (item->HandleAllocated() && item->Handle() == submenu) {
                item->InitiateAction();
                item->Click();
                result = 0;
                return true;
            }
        }
        return false;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!mis || mis->CtlType != ODT_MENU) return false;
        auto* item = reinterpret_cast<TMenuItem*>(mis->itemData);
        if (!TMenuItem::IsLive(item) || item->Command() != mis->itemID)
            item = TMenuItem::FromCommand(mis->itemID);
        if (!item) return false;
        ClientDC dc{nullptr};
        TCanvas canvas;
        CanvasBinding bind{canvas, dc};
        canvas.Font().Assign(Screen->MenuFont());
        int w = int(mis->itemWidth), h = int(mis->itemHeight);
        item->MeasureItem(canvas, w, h);
        mis->itemWidth = UINT(std::max(w, 0));
        mis->itemHeight = UINT(std::max(h, 0));
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (!dis || dis->CtlType != ODT_MENU) return false;
        auto* item = reinterpret_cast<TMenuItem*>(dis->itemData);
        if (!TMenuItem::IsLive(item) || item->Command() != dis->itemID)
            item = TMenuItem::FromCommand(dis->itemID);
        if (!item) return false;
        COLORREF text = 0, back = 0;
        {
            SavedDC saved{dis->hDC};
            TCanvas canvas;
            CanvasBinding bind{canvas, dis->hDC};
            canvas.Font().Assign(Screen->MenuFont());
            item->DrawItem(canvas, ToTRect(dis->rcItem), (dis->itemState & ODS_SELECTED) != 0);
            text = GetTextColor(dis->hDC);
            back = GetBkColor(dis->hDC);
        }
        // The platform draws a submenu's arrow after the item, in these: the colours the item left.
        SetTextColor(dis->hDC, text);
        SetBkColor(dis->hDC, back);
        result = TRUE;
        return true;
    }
    default: return false;
    }
}
