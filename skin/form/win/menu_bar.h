// TWinSkinMenu: the skinned menu bar of a form skinner. The platform's menu bar is taken off the window; its
// top-level items are laid out in a band of the skinned frame below the caption, drawn from the skin, follow
// the mouse as non-client objects and open their drop-downs as platform popup menus whose items the menu
// item painter draws.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/component.h"
#include "skin/form/nc_object.h"

class TMainMenu;
class TMenuItem;
class TSkinData;
class TWinSkinForm;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* form, TSkinData* skin);
    // The hot or pressed look of this item, straight on the window.
    void Draw() override;

    TMenuItem* menuitem = nullptr;
    TSkinData* FSD;
    int index = 0;
    std::wstring caption;  // with its '&' accelerator marks
    HMENU hsubmenu = nullptr;
    UINT mid = 0;

private:
    TWinSkinForm* form_;
};

class TWinSkinMenu : public TComponent {
public:
    explicit TWinSkinMenu(TComponent* AOwner);
    ~TWinSkinMenu() override;

    // Rebuilds the items from the window's menu bar (and the framework main menu's items where they match)
    // and takes the platform's menu bar off the window.
    void UpdataBtn();
    // The same after the MDI frame's menu changed; the items can be hit at once.
    void UpdataBtn2();
    // Paints the band (window coordinates B) on dc and lays the items out.
    void DrawMenu(HDC dc, const TRect& B);
    // Lays the items out without painting.
    void SetMenuRect();
    // The item at a point (window coordinates) with a caption, or nullptr.
    TMenuBtn* FindBtn(TPoint p);
    // How many times the items have been freed: an item held across a menu loop is still there only while
    // this stays the same.
    unsigned Builds() const { return builds_; }

    std::vector<std::unique_ptr<TMenuBtn>> Buttons;
    TMainMenu* menu = nullptr;  // the framework form's main menu
    TRect Bar;                  // the band as last painted
    TSkinData* FSD = nullptr;
    TWinSkinForm* SF = nullptr;
    TBitmap bkmap;  // the band's background as last painted, before any caption
    int count = 0;
    HMENU hmenu = nullptr;  // the window's menu bar, kept here while the window has none

private:
    unsigned builds_ = 0;
    void Rebuild(bool onlyEmptyFromFramework);
    void FreeButtons();
    void Layout(HDC measureDc, const TRect& B, bool painting);
    bool RightToLeft() const;
};

// A form skinner that goes is no longer the one whose drop-down the menu filter follows.
void ForgetMenuTracking(const TWinSkinForm* form);
