// TMenuItemPainter: the form skinner's menu item painter. It owner-draws the items of the framework's popup
// menus and main-menu drop-downs (through the items' draw and measure events, which it attaches and gives
// back), of the skinned system menu, and of the skinned menu bar's drop-downs (WM_MEASUREITEM and
// WM_DRAWITEM of the skinned window, for framework items and plain menu-handle items alike). Each item is
// composed off screen on its part of the popup's skin background and drawn in one blit.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/types.h"
#include "platform/win/menus.h"
#include "platform/win/messages.h"

class FormManagerLink;
class TBitmap;
class TCanvas;
class TForm;
class TMainMenu;
class TSkinData;
class TWinControl;
class TWinSkinForm;

class TMenuItemPainter {
public:
    // Paints for the skinner of a window, whose skin, form and menus it reads.
    explicit TMenuItemPainter(TWinSkinForm& form);
    ~TMenuItemPainter();
    TMenuItemPainter(const TMenuItemPainter&) = delete;
    TMenuItemPainter& operator=(const TMenuItemPainter&) = delete;

    // Attaches (Enable) the item events of the popup menus owned by wForm and by the forms it owns, or gives
    // every item the painter took its own events back.
    void InitPopMenu(TWinControl* wForm, bool Enable);
    // The same for the drop-down items of wForm's main menus.
    void InitMainMenu(TWinControl* wForm, bool Enable);
    // The item events.
    void DrawMenuItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected);
    void MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height);
    void MeasurePopupItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height);
    // WM_MEASUREITEM and WM_DRAWITEM of the skinned window; false when the message is the window's own.
    bool OnMeasureItem(TMessage& m);
    bool OnDrawItem(TMessage& m);
    // Marks every item of a menu and its submenus owner-drawn.
    static void SetOwnerDrawItems(HMENU menu);
    // A new skin: what was composed of the old one goes.
    void SkinChanged();

private:
    struct Scratch;
    // What an item had before the painter took it.
    struct Saved {
        UINT command = 0;
        TMenuDrawItemEvent draw;
        TMenuMeasureItemEvent measure;
    };

    FormManagerLink* Manager() const;
    TMainMenu* FrameworkMenu() const;
    void Attach(TMenuItem& item, bool popupItem);
    void Detach(TMenuItem& item);
    void SetMenuOwnerDraw(TMenu& menu, bool on);
    void MeasureByText(MEASUREITEMSTRUCT& item);
    void DrawPlainItem(TMenuItem& item, TCanvas& canvas, bool selected, const TRect& r);
    void DrawSeparatorItem(TCanvas& canvas, const TRect& r);
    void DrawItemContent(TMenuItem& item, TCanvas& canvas, bool selected, const TRect& r);
    TColor ItemTextColour(const TMenuItem& item, bool selected) const;
    void DrawItemText(TMenuItem& item, TCanvas& canvas, UINT flags, bool selected, TRect& t,
                      std::wstring text);
    void DrawHandleItem(HMENU menu, UINT id, bool selected, const TRect& rc, HDC dc);
    // The item's background in a bitmap of r's size: the popup's skin background, or the menu colour.
    void ItemBackground(TBitmap& bitmap, HMENU menu, const TRect& r);
    // Composes one skinned item (background, item cell, content) and draws it at r's top-left; a framework
    // separator is drawn from the item image's separator cell, a menu-handle one on the normal cell.
    void DrawSkinnedItem(TMenuItem& item, HMENU parent, TCanvas& target, const TRect& r, bool selected,
                         bool sliceSeparator);
    // What is kept for the last few item sizes (making bitmaps is most of an item's cost): the bitmap items
    // of that size are composed on, and the item image's cells composed at that size.
    Scratch& ItemScratch(int w, int h);

    TWinSkinForm& sf_;
    // The skinner's fields the painter reads.
    TSkinData*& fsd;
    TForm*& FForm;
    HWND& Hwnd;
    HMENU& hmenu;
    HMENU& activemenu;
    std::vector<std::unique_ptr<Scratch>> scratch_;
    std::map<TMenuItem*, Saved> attached_;
    std::map<const TMenu*, bool> ownerDraw_;  // the menus made owner-drawn, with what they were
};
