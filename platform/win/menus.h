// Menus: menu items (a tree of platform menu entries), main menus shown in a form's menu bar, and popup
// menus opened at a point or by a control's right click; shortcuts and their texts.
#pragma once

#include "platform/component.h"
#include "platform/props.h"
#include "platform/types.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/controls.h"
#include "platform/win/graphics.h"
#include "platform/win/sys_utils.h"

class TMenu;
class TCustomImageList;

// A key with its modifiers: the virtual key in the low byte, scShift, scCtrl and scAlt above it.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+Shift+O", "Alt+F4", "Del"; empty for 0 and for keys without a name.
std::wstring ShortCutToText(TShortCut shortCut);
// The reverse, without regard to case ("ALT+F4"); 0 when the text names no key.
TShortCut TextToShortCut(std::wstring_view text);
// Whether key is the accelerator of caption: the character after a single '&', compared without regard to
// case ("&&" is a literal ampersand).
bool IsAccel(wchar_t key, std::wstring_view caption);
// The caption without its '&' marks ("&&" becomes '&').
std::wstring StripHotkey(std::wstring_view caption);

using TMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;

enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };
constexpr TFindItemKind fkCommand = TFindItemKind::fkCommand;
constexpr TFindItemKind fkHandle = TFindItemKind::fkHandle;
constexpr TFindItemKind fkShortCut = TFindItemKind::fkShortCut;

// One entry of a menu, and the menu of its sub-items. An item with sub-items has a popup menu handle
// (Handle) that holds them; every item has a command identifier of its own, unique in the process, which
// WM_COMMAND carries back. Caption "-" makes a separator. Sub-items are freed with their parent item.
class TMenuItem : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the other radio items of its group (same parent, same GroupIndex).
    void SetChecked(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // A click toggles Checked (a radio item is checked) before OnClick.
    bool AutoCheck = false;
    bool Default() const { return default_; }
    // Only one item of a menu is the default: setting one clears the others.
    void SetDefault(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    std::wstring Hint;

    TNotifyEvent OnClick;
    // Owner-drawn items only (see TMenu::OwnerDraw).
    TMenuDrawItemEvent OnDrawItem;
    // Called after the default measurement, with its result.
    TMenuMeasureItemEvent OnMeasureItem;

    // ---- the tree
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(std::size_t(index)); }
    TMenuItem* Parent() const { return parent_; }
    // The menu the tree belongs to; nullptr for an item outside any menu.
    TMenu* GetParentMenu() const;
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out of this one without freeing it.
    void Remove(TMenuItem* item);
    void Delete(int index) { Remove(Items(index)); }
    // Frees every sub-item.
    void Clear();
    bool IsLine() const { return caption_ == L"-"; }
    // This item or one below it, by command identifier, submenu handle or shortcut; nullptr when none.
    TMenuItem* Find(UINT_PTR value, TFindItemKind kind);

    // ---- the platform side
    // The identifier WM_COMMAND and WM_MENUSELECT carry for this item.
    UINT Command() const { return command_; }
    // The popup menu of the sub-items (made on first use); for the root item of a menu, the menu's own.
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The item whose command identifier is given, in any live menu of the process; nullptr when none.
    static TMenuItem* FromCommand(UINT command);
    // Whether item is a live menu item (for data that came back through a platform structure).
    static bool IsLive(const TMenuItem* item);

    // Runs AutoCheck and OnClick (only for an enabled item).
    virtual void Click();
    // Called when the item's submenu is about to open: brings its entries up to date.
    void InitiateAction();
    // The default measurement of an owner-drawn item in the canvas's font, then OnMeasureItem.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    // OnDrawItem, or the default drawing.
    void DrawItem(TCanvas& canvas, const TRect& rect, bool selected);
    // The default drawing: background, check mark or image, caption, shortcut, separator line.
    void DefaultDrawItem(TCanvas& canvas, const TRect& rect, bool selected);
    // Whether the platform entry is owner-drawn (the menu's OwnerDraw or image list, below the top level).
    bool IsOwnerDrawn() const;

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

private:
    friend class TMenu;
    // The entry's text: the caption, and the shortcut's text after a tab.
    std::wstring EntryText() const;
    void FillEntry(MENUITEMINFOW& info, std::wstring& text);
    // Puts this item's new state into its entry of the parent's menu.
    void UpdateEntry();
    // Lays the sub-items' entries into Handle again (only the entries this item made).
    void RebuildEntries();
    void DestroyMenuHandle();
    void MenuChanged(bool rebuild);
    void TurnSiblingsOff();
    void ClearDefaultOfSiblings();

    std::wstring caption_;
    TShortCut shortCut_ = 0;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool default_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int imageIndex_ = -1;
    UINT command_ = 0;

    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item only
    std::vector<TMenuItem*> items_;
    HMENU handle_ = nullptr;
    int entries_ = 0;  // entries this item put into handle_ (others, such as an MDI window list, follow)
    std::vector<const TMenuItem*> laid_;  // the items of those entries, as laid
    bool rebuilding_ = false;
};

// A menu: a root item whose sub-items are the menu's entries, an optional image list and the owner-draw
// switch the skinning engine turns on.
class TMenu : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_.get(); }
    HMENU Handle() { return items_->Handle(); }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value) { biDiMode_ = value; }
    bool IsRightToLeft() const { return biDiMode_ != bdLeftToRight; }
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) { return items_->Find(value, kind); }
    // Clicks the enabled, visible item with this shortcut (every parent enabled too); false when none.
    bool IsShortCut(TShortCut shortCut);
    // Forwards a WM_COMMAND identifier to its item; false when no item of this menu has it.
    bool DispatchCommand(UINT command);
    // A submenu of this menu is about to open (WM_INITMENUPOPUP with its handle).
    bool DispatchPopup(HMENU submenu);

    void Notification(TComponent* component, TOperation operation) override;

protected:
    friend class TMenuItem;
    virtual HMENU CreateMenuHandle() = 0;
    // Something in the tree changed (rebuild: entries were added, removed, shown or hidden).
    virtual void MenuChanged(TMenuItem* source, bool rebuild) {}

private:
    std::unique_ptr<TMenuItem> items_;
    bool ownerDraw_ = false;
    TCustomImageList* images_ = nullptr;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

class TCustomForm;

// The menu bar of a form (the form's Menu). Top-level items are the bar's entries and are never
// owner-drawn; the entries of their drop-downs are.
class TMainMenu : public TMenu {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    // The form whose menu bar this is, or nullptr.
    TCustomForm* Form() const { return form_; }
    void Notification(TComponent* component, TOperation operation) override;

protected:
    HMENU CreateMenuHandle() override;
    void MenuChanged(TMenuItem* source, bool rebuild) override;

private:
    friend class TCustomForm;
    TCustomForm* form_ = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

// A context menu. Popup runs the platform's menu loop at a screen point; the menu's messages (commands,
// item measuring and drawing) go to a hidden window of the framework, which hands them to the items.
class TPopupMenu : public TMenu {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Shows the menu with its top-left corner (or as Alignment says) at the screen point and returns when
    // it closes. The chosen item's OnClick runs before Popup returns.
    virtual void Popup(int x, int y);
    // The control whose right click opened the menu last (nullptr when opened from code).
    TControl* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TControl* control) { popupComponent_ = control; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }
    // Shown on right clicks of the controls that name it as PopupMenu.
    bool AutoPopup = true;
    TNotifyEvent OnPopup;
    // The framework's hidden window that owns every popup menu's loop.
    static HWND ListWindow();

protected:
    HMENU CreateMenuHandle() override;

private:
    TControl* popupComponent_ = nullptr;
    TPopupAlignment alignment_ = paLeft;
};

// Routes the menu messages a window received (WM_COMMAND from a menu, WM_INITMENUPOPUP, WM_MENUSELECT,
// owner-draw WM_MEASUREITEM and WM_DRAWITEM) to the framework items they concern. Returns true and sets
// result when an item took the message.
bool DispatchMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
