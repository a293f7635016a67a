// The mouse on the skinned caption: hit testing, double clicks, and the skinned system menu.
#include <windowsx.h>

#include "platform/win/image_list.h"
#include "platform/win/menus.h"
#include "platform/win/timer.h"
#include "skin/data/skin_data.h"
#include "skin/form/form_manager_link.h"
#include "skin/form/win/win_skin_form.h"

namespace {

constexpr int kSysMenuGlyph = 16;  // the component's menu glyphs are 16 x 16

constexpr UINT kGrayed = MFS_GRAYED;  // exactly this state disables an item

}  // namespace

TPoint TWinSkinForm::ScreenToFrame(LPARAM lParam) const {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // signed: monitors left of or above the primary
    ScreenToClient(Hwnd, &p);
    if (!(MdiChild() && Windowstate == swsMin)) {
        p.x += bw.Left;
        p.y += bw.Top + MenuHeight;
    }
    return {p.x, p.y};
}

void TWinSkinForm::OnNcHitTest(TMessage& m) {
    // The window's own procedure hit-tests the standard frame around the skinned client, so borders and
    // corners keep their codes; the caption band below its top three pixels is the caption.
    CallPrevProc(m);
    if (m.Result != HTNOWHERE && m.Result != HTCAPTION) return;
    const TPoint p = ScreenToFrame(m.LParam);
    if (p.Y > 3) m.Result = HTCAPTION;
    if (p.Y > 3 && p.Y > bw.Top && MenuHeight > 0) m.Result = HTMENU;
}

void TWinSkinForm::OnNcRButtonDown(TMessage& m) {
    HideHint();
    if (m.WParam == HTCAPTION && !MdiChild()) {
        PopupSysMenu({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        m.Result = 0;
        return;
    }
    CallPrevProc(m);
}

void TWinSkinForm::Maximize() {
    if (Windowstate == swsMax) {
        Restore();
        return;
    }
    if (MdiChild() && Manager()) Manager()->SetMDIMax(true);  // no child keeps its shaped region now
    Windowstate = swsMax;
    PostMessageW(Hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ActiveBtn = nullptr;
}

void TWinSkinForm::Restore() {
    Windowstate = swsNormal;
    PostMessageW(Hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::Minimize() {
    if (Windowstate == swsMin) {
        Restore();
        return;
    }
    Windowstate = swsMin;
    SetSysMenuStyle(false);  // a minimised window keeps its system menu
    PostMessageW(Hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::HideHint() {
    if (!fsd) return;
    fsd->hintcount = 0;
    fsd->HideHint();
}

void TWinSkinForm::PopupSysMenu(TPoint p) {
    if (Manager() && Manager()->mode != 0) return;  // a library's copy of the engine leaves it to the program
    if (GetTickCount() - poptime > DWORD(DoubleTime)) {
        if (Manager()) Manager()->menutype = 2;
        poptime = GetTickCount();
        BuildSysMenu();
        if (sysmenu) sysmenu->Popup(p.X, p.Y);  // the chosen item's command is posted before it returns
    } else if (ActiveBtn) {
        timer->SetEnabled(false);
        PostMessageW(Hwnd, WM_CLOSE, 0, 0);
    }
}

// The window's system menu, item by item, with the enabling that matches the window's state, as a framework
// popup menu whose items the menu item painter draws.
void TWinSkinForm::BuildSysMenu() {
    sysmenu.reset();
    if (!hsysmenu) return;
    if (!sysimages && fsd && !fsd->bmpmenu.Empty()) {
        sysimages = std::make_unique<TCustomImageList>(nullptr);
        sysimages->SetWidth(kSysMenuGlyph);
        sysimages->SetHeight(kSysMenuGlyph);
        sysimages->AddMasked(fsd->bmpmenu, clWhite);
    }
    sysmenu = std::make_unique<TPopupMenu>(nullptr);
    sysmenu->SetOwnerDraw(true);
    sysmenu->SetImages(sysimages.get());
    const int count = GetMenuItemCount(hsysmenu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[80] = {};  // menu texts keep at most 79 characters
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 79;
        if (!GetMenuItemInfoW(hsysmenu, UINT(i), TRUE, &info)) continue;
        auto* item = new TMenuItem(sysmenu.get());
        const bool line = (info.fType & MFT_SEPARATOR) || text[0] == 0;
        item->SetCaption(line ? std::wstring(L"-") : std::wstring(text));
        item->SetTag(std::intptr_t(info.wID));
        bool enabled = info.fState != kGrayed;
        int image = -1;
        switch (info.wID & 0xFFF0) {
        case SC_SIZE:
        case SC_MOVE: enabled = Windowstate != swsMax; break;
        case SC_MINIMIZE:
            enabled = Windowstate != swsMin && FormIcons.Contains(sbiMin);
            image = 2;
            break;
        case SC_MAXIMIZE:
            enabled = Windowstate != swsMax && FormIcons.Contains(sbiMax);
            image = 1;
            break;
        case SC_RESTORE:
            enabled = Windowstate != swsNormal;
            image = 0;
            break;
        case SC_CLOSE: image = 3; break;
        default: break;
        }
        item->SetEnabled(enabled);
        item->SetChecked((info.fState & MFS_CHECKED) != 0);
        item->SetImageIndex(image);
        const UINT command = info.wID;
        item->OnClick = [this, command](TObject*) { PostMessageW(Hwnd, WM_SYSCOMMAND, command, 0); };
        item->OnDrawItem = [this](TObject* s, TCanvas& c, const TRect& r, bool sel) {
            DrawMenuItem(s, c, r, sel);
        };
        item->OnMeasureItem = [this](TObject* s, TCanvas& c, int& w, int& h) {
            MeasurePopupItem(s, c, w, h);
        };
        sysmenu->Items()->Add(item);
    }
}
