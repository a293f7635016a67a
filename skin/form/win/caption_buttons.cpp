// Caption buttons on a skinned window: shown, placed and drawn from the skin's button list at every caption
// paint, one button repainted at a time as the mouse moves over it, and their clicks.
#include <windowsx.h>

#include "platform/win/bitmap_win.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/timer.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/form/caption_buttons.h"
#include "skin/form/form_manager_link.h"
#include "skin/form/win/menu_bar.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

TWinSysButton::TWinSysButton(TWinSkinForm* form, TDataSkinSysButton* entry)
    : TNCObject(form), data(entry), form_(form) {}

void TWinSysButton::Draw() { form_->DrawButton(*this, state); }

bool TWinSkinForm::IsButtonVisible(TWinSysButton& button) {
    ButtonContext c;
    c.maximised = Windowstate == swsMax;
    c.active = FWindowActive;
    c.hasMin = FormIcons.Contains(sbiMin);
    c.hasMax = FormIcons.Contains(sbiMax);
    c.hasHelp = FormIcons.Contains(sbiHelp);
    c.hasSystem = FormIcons.Contains(sbisystem);
    c.messageBox = ismessagebox;
    c.dialogBorder = FormBorder == sbsDialog;
    // The buttons of a maximised MDI child live in the frame's skinned menu band.
    c.mdiChildMaxInMenuBar = FormStyle == sfsMDIform && menu && MDIChildMax();
    const TDataSkinSysButton& d = *button.data;
    const bool says = AsksApplication(d.Visibility) &&
                      SendMessageW(Hwnd, SM_BUTTONVISIBLE, WPARAM(d.Visibility), LPARAM(d.Action)) > 0;
    const ButtonVisibility v = EvaluateButton(d, c, says);
    button.visible = v.visible;
    button.enabled = v.enabled;
    return v.visible;
}

void TWinSkinForm::PlaceButtons() {
    ButtonPlaceInput in;
    in.fwidth = fwidth;
    in.ctr = ctr;
    in.bw = bw;
    in.MenuHeight = MenuHeight;
    in.menubarLeft = fsd->Menubar ? fsd->Menubar->r.Left : 0;
    for (auto& b : SysBtn) {
        if (!IsButtonVisible(*b) || b->data->Map.Empty()) continue;
        b->bounds = PlaceButton(*b->data, CellWidth(b->data->Map, b->data->frame), b->data->Map.Height(), in);
    }
}

void TWinSkinForm::DrawButtons(HDC dc) {
    for (auto& b : SysBtn) {
        const TDataSkinSysButton& d = *b->data;
        if (!b->visible || d.Map.Empty() || d.Visibility == 100) continue;
        if (IsIconButton(d.Action)) {
            DrawFormIcon(dc, b->bounds);
        } else {
            DrawSkinCell(dc, b->bounds, d.Map, RestingCell(d.frame, FWindowActive, b->enabled), d.frame, 1);
        }
    }
}

void TWinSkinForm::DrawButton(TWinSysButton& button, int cell) {
    const TDataSkinSysButton& d = *button.data;
    if (d.Map.Empty()) return;
    WindowDC dc(Hwnd);
    if (IsIconButton(d.Action)) {
        DrawFormIcon(dc, button.bounds);
        return;
    }
    DrawSkinCell(dc, button.bounds, d.Map, StateCell(cell, d.frame, button.enabled, d.Visibility == 100),
                 d.frame, 1);
}

void TWinSkinForm::DrawFormIcon(HDC dc, const TRect& rect) {
    // The application's icon when it has one, else the window's own on the key colour.
    // Only asked on its own thread: a window of another thread must not wait on the program's main thread
    // while it paints (that thread may be waiting for it).
    HWND app = Application && Application->HandleAllocated() ? Application->Handle() : nullptr;
    if (app && GetWindowThreadProcessId(app, nullptr) != GetCurrentThreadId()) app = nullptr;
    HICON icon = app ? HICON(SendMessageW(app, WM_GETICON, ICON_SMALL, 0)) : nullptr;
    if (app && !icon) icon = HICON(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
    if (icon) {
        DefIcon = icon;
        HICON small = HICON(CopyImage(icon, IMAGE_ICON, Iconx, Iconx, LR_COPYFROMRESOURCE));
        if (small) {
            const int y = FTitleRect.Top + FTitleRect.Height() / 2 - Iconx / 2;
            DrawIconEx(dc, 8, y, small, Iconx, Iconx, 0, nullptr, DI_NORMAL);
            DestroyIcon(small);
            return;
        }
    }
    DrawKeyedBitmap(dc, rect, *IconBmp, SkinKeyColor);
}

TWinSysButton* TWinSkinForm::FindSysBtn(TPoint p) {
    for (auto& b : SysBtn)
        if (b->visible && b->data->Action >= 0 && b->bounds.Contains(p)) return b.get();
    return nullptr;
}

// ---- The mouse

TNCObject* TWinSkinForm::FindObject(TPoint p) {
    if (TWinSysButton* b = FindSysBtn(p)) return b;
    return menu ? menu->FindBtn(p) : nullptr;
}

void TWinSkinForm::OnNcMouseMove(TMessage& m) {
    if (!FWindowActive) return;  // not even passed on
    if (TNCObject* b = FindObject(ScreenToFrame(m.LParam))) {
        b->MouseEnter();
        m.Result = 0;
        return;
    }
    // A hot object goes back to normal. A pressed one stays the active one until the hover timer finds the
    // cursor off it and drops its look (forgotten here, it would keep that look for good).
    if (ActiveBtn && ActiveBtn->state == TNCObject::kHot) ActiveBtn->MouseLeave();
    CallPrevProc(m);
}

void TWinSkinForm::OnNcLButtonDown(TMessage& m) {
    HideHint();
    if (TNCObject* b = FindObject(ScreenToFrame(m.LParam))) {
        if (!FWindowActive) SetForegroundWindow(Hwnd);
        b->MouseDown();
        if (auto* item = dynamic_cast<TMenuBtn*>(b)) {
            const unsigned builds = menu->Builds();
            CheckMenu(item);
            // The pressed item stays the active one, for the hover timer to drop its look, unless the menu's
            // loop freed it (the items were rebuilt, or the bar went with a release) or another item took
            // over.
            if (menu && menu->Builds() == builds && (!ActiveBtn || ActiveBtn == item)) ActiveBtn = item;
        }
        m.Result = 0;
        return;
    }
    // A maximised window cannot be dragged by its caption.
    if (Windowstate == swsMax && m.WParam == HTCAPTION && FWindowActive) m.WParam = HTMENU;
    CallPrevProc(m);
}

void TWinSkinForm::OnNcLButtonUp(TMessage& m) {
    HideHint();
    if (TNCObject* b = FindObject(ScreenToFrame(m.LParam))) {
        if (ActiveBtn == b && dynamic_cast<TWinSysButton*>(b)) {
            b->MouseUp();
            ButtonAction({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        }
        m.Result = 0;
        return;
    }
    CallPrevProc(m);
}

void TWinSkinForm::OnNcLButtonDblClk(TMessage& m) {
    if (TWinSysButton* b = FindSysBtn(ScreenToFrame(m.LParam))) {
        if (IsIconButton(b->data->Action)) {
            timer->SetEnabled(false);
            PostMessageW(Hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        m.Result = 0;
        return;
    }
    if (Windowstate != swsNormal) {
        Restore();
    } else if (FormIcons.Contains(sbiMax)) {
        Maximize();
    } else {
        CallPrevProc(m);
    }
}

void TWinSkinForm::ButtonAction(TPoint screen) {
    auto* b = dynamic_cast<TWinSysButton*>(ActiveBtn);
    if (!b) return;
    const int action = b->data->Action;
    switch (ClickOf(action)) {
    case ButtonClick::Close:
        if (!CloseAllowed()) return;
        timer->SetEnabled(false);
        PostMessageW(Hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case ButtonClick::Maximize:
        if (b->enabled) Maximize();
        return;
    case ButtonClick::Minimize:
        if (b->enabled) Minimize();
        return;
    case ButtonClick::SystemMenu: PopupSysMenu({screen.X + 1, screen.Y + 1}); return;
    case ButtonClick::Help: PostMessageW(Hwnd, WM_SYSCOMMAND, SC_CONTEXTHELP, 0); return;
    case ButtonClick::MdiMinimize: SendToActiveMDIChild(SC_MINIMIZE); return;
    case ButtonClick::MdiRestore: SendToActiveMDIChild(SC_RESTORE); return;
    case ButtonClick::MdiClose: SendToActiveMDIChild(SC_CLOSE); return;
    case ButtonClick::Application: PostMessageW(Hwnd, SM_BUTTONACTION, WPARAM(action), 0); return;
    case ButtonClick::None: return;
    }
}

bool TWinSkinForm::CloseAllowed() {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    return hsysmenu && GetMenuItemInfoW(hsysmenu, SC_CLOSE, FALSE, &info);
}

void TWinSkinForm::SendToActiveMDIChild(WPARAM command) {
    if (FormStyle != sfsMDIform || !ClientHwnd) return;
    if (HWND child = HWND(SendMessageW(ClientHwnd, WM_MDIGETACTIVE, 0, 0)))
        SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

// ---- Hover and hints, every 250 ms while the window is active

void TWinSkinForm::HoverTick() {
    if (fInMenu) return;
    POINT cursor;
    GetCursorPos(&cursor);
    if (ActiveBtn) {
        const TPoint p = ScreenToFrame(MAKELPARAM(cursor.x, cursor.y));
        if (!ActiveBtn->bounds.Contains(p)) {
            ActiveBtn->MouseLeave();
            ActiveBtn = nullptr;
            HideHint();
        } else if (auto* b = dynamic_cast<TWinSysButton*>(ActiveBtn)) {
            fsd->hintcount += 250;
            const int pause = Application ? Application->HintPause : 500;
            const int hide = Application ? Application->HintHidePause : 2500;
            if (fsd->hintcount >= 2 * pause && fsd->hintcount < 2 * pause + hide) {
                RECT w;
                GetWindowRect(Hwnd, &w);
                wTr = ToTRect(w);
                const std::wstring hint = ButtonHint(b->data->Action);
                if (!hint.empty())
                    fsd->ActivateHint(Bounds(b->bounds.Left + wTr.Left, cursor.y + 24, 0, 0), hint);
            } else if (fsd->hintcount >= 2 * pause + hide) {
                fsd->HideHint();
            }
        }
    }
    if (!FForm && Activeskincontrol) {
        const TRect& r = Activeskincontrol->boundsrect;
        if (!r.Contains({cursor.x, cursor.y})) {
            Activeskincontrol->MouseLeave();
            Activeskincontrol = nullptr;
        }
    }
}
