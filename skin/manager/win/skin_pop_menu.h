// TWinSkinPopMenu: the skinner of one popup menu window ("#32768"). It
// paints the popup's frame and background from the skin's menu background and keeps that background as a
// bitmap of the window's size, so that the menu item painter can draw every item on its own part of it. The
// items themselves are not drawn here.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win/gdi.h"
#include "platform/win/messages.h"

class TBitmap;
class TSkinData;
class TSkinManage;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu();
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Takes over the popup window's procedure; amenu is the menu it shows when already known (else 0).
    void InitSkin(HWND ahwnd, TSkinData* afsd, HMENU amenu);
    // Gives the window its own procedure back (once; later calls do nothing).
    void UnSubClass();

    void PopMenuWndProc(TMessage& m);

    WNDPROC FPrevWndProc = nullptr;
    WNDPROC FObjectInst = nullptr;
    bool done = false;
    HWND hwnd = nullptr;
    TSkinData* fsd = nullptr;
    int SelIndex = -1;
    std::unique_ptr<TBitmap> MenuBg;  // the composed background, the window's size
    HMENU hmenu = nullptr;
    bool crop = false;
    Owned<HRGN> clientRgn;  // nothing cuts a popup to a region yet
    bool ownerdraw = false;
    TSkinManage* manager = nullptr;  // whose `active` switches the skinning on and off

private:
    void CallPrev(TMessage& m);
    // Whether the skin gives a usable menu background.
    bool SkinReady() const;
    void MakeMenuBg();
    void OnNcPaint(TMessage& m);
    void OnPrint(TMessage& m);
    void OnPaint(TMessage& m);
    // Whether the window has no frame of its own, so that the platform draws the border inside its client.
    bool BorderInsideClient() const;
    bool OlderPlatformFamily() const;
};
