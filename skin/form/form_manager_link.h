// The skin manager as the form skinners see it: the state the skinners of a program share (the kind of
// menu about to open, the maximised MDI child, the MDI client) and the calls a skinner makes of the manager
// that made it. The manager's module provides it; a form skinner made without a manager (a test that
// skins one window by hand) has none and skips these calls.
#pragma once

#include <cstdint>

#include "platform/handles.h"
#include "skin/data/skin_manager_link.h"

class TBitmap;
class TForm;
class TWinSkinForm;

class FormManagerLink : public SkinManagerLink {
public:
    // An MDI child was maximised (true) or restored (false).
    virtual void SetMDIMax(bool maximised) = 0;
    // A form skinner is going: the manager forgets it without freeing it.
    virtual void DeleteForm2(const TWinSkinForm* skinner) = 0;
    // Popup menus being drawn: every popup skinner is owner-drawn; a menu is bound to its popup window; the
    // composed background of the popup that shows a menu (nullptr when none shows it).
    virtual void SetPopMenu() = 0;
    virtual void SetHMenu(HMENU menu) = 0;
    virtual TBitmap* GetMenuBg(HMENU menu) = 0;

    std::int32_t menutype = 0;  // the menu about to open: 0 context menu, 1 menu-bar drop-down, 2 system menu
    bool menuactive = false;    // a menu of the menu bar is open
    bool MDIMax = false;        // an MDI child is maximised
    bool WMSetDraw = false;
    HWND clienthwnd = nullptr;  // the MDI client window of the MDI main form
    TForm* MDIForm = nullptr;   // the MDI main form
    std::intptr_t mode = 0;     // 0 for the program's own manager; a library's instance handle otherwise
};
