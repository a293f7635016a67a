#include "skin/form/win/menu_bar.h"

#include <windowsx.h>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/props.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "platform/win/menus.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/form/form_manager_link.h"
#include "skin/form/menu_bar_layout.h"
#include "skin/form/win/win_skin_form.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

constexpr int kMenuTextLength = 80;
constexpr int kCentred = 2;

// Menu tracking: one drop-down of one window at a time, in the whole process.
TWinSkinForm* TrackForm = nullptr;
int TrackIndex = -1;
TMenuItem* TrackItem = nullptr;
HHOOK FilterHook = nullptr;
bool DownSent = false;
int PendingIndex = -1;  // the bar item to open once the open drop-down has closed

// Where the keyboard is in the open menus of this thread's menu loop: the innermost open menu and its
// selected item (-1 for none), with that item's submenu (nullptr for none).
struct MenuSelection {
    HMENU menu = nullptr;
    int index = -1;
    HMENU submenu = nullptr;
    bool opens = false;  // the submenu can be opened: the item is not disabled
};

BOOL CALLBACK CollectOpenMenu(HWND h, LPARAM list) {
    wchar_t name[8] = {};
    if (IsWindowVisible(h) && GetClassNameW(h, name, 8) && std::wstring_view(name) == L"#32768")
        if (auto shown = HMENU(SendMessageW(h, MN_GETHMENU, 0, 0)))
            reinterpret_cast<std::vector<HMENU>*>(list)->push_back(shown);
    return TRUE;
}

MenuSelection SelectionInOpenMenus(HMENU dropDown) {
    std::vector<HMENU> open;
    EnumThreadWindows(GetCurrentThreadId(), &CollectOpenMenu, LPARAM(&open));
    MenuSelection s;
    s.menu = dropDown;
    for (int depth = 0; depth < 32 && s.menu; ++depth) {
        s.index = -1;
        s.submenu = nullptr;
        const int n = GetMenuItemCount(s.menu);
        for (int i = 0; i < n && s.index < 0; ++i)
            if (GetMenuState(s.menu, UINT(i), MF_BYPOSITION) & MF_HILITE) s.index = i;
        if (s.index < 0) break;
        s.submenu = GetSubMenu(s.menu, s.index);
        s.opens =
            s.submenu && !(GetMenuState(s.menu, UINT(s.index), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
        // A submenu that shows is where the keys act.
        if (!s.submenu || std::find(open.begin(), open.end(), s.submenu) == open.end()) break;
        s.menu = s.submenu;
    }
    return s;
}

TColor TextColour(const TSkinData& skin, bool enabled) {
    return skin.Colors[enabled ? scheme::kMenuBarText : scheme::kButtonShadow];
}

// Draws a caption centred in r in the menu font and the given colour.
void DrawCaption(HDC dc, const TRect& r, const std::wstring& caption, bool enabled, TColor colour) {
    Selected font(dc, Screen->MenuFont().Handle());
    const COLORREF old = SetTextColor(dc, ColorToRGB(colour));
    const int mode = SetBkMode(dc, TRANSPARENT);
    DrawTextCentered(dc, r, caption, enabled ? 1 : 0, 0, kCentred);
    SetBkMode(dc, mode);
    SetTextColor(dc, old);
}

}  // namespace

// ---- One item

TMenuBtn::TMenuBtn(TWinSkinForm* form, TSkinData* skin) : TNCObject(form), FSD(skin), form_(form) {}

void TMenuBtn::Draw() {
    TWinSkinMenu* bar = form_->menu.get();
    if (!bar || bounds.IsEmpty()) return;
    WindowDC dc(form_->Hwnd);
    // The band under the item as last painted, then the frame of a hot or pressed item, then the caption.
    BitBlt(dc, bounds.Left, bar->Bar.Top, bounds.Width(), bar->Bar.Height(), BitmapDC(bar->bkmap),
           bounds.Left - bar->Bar.Left, 0, SRCCOPY);
    if (state == kPressed || state == kHot) {
        Owned<HBRUSH> frame(CreateSolidBrush(ColorToRGB(FSD->Colors[scheme::kButtonHilight])));
        RECT r = ToRECT(bounds);
        FrameRect(dc, &r, frame.get());
    }
    DrawCaption(dc, bounds, caption, enabled, TextColour(*FSD, enabled));
}

// ---- The bar

TWinSkinMenu::TWinSkinMenu(TComponent* AOwner) : TComponent(AOwner) { bkmap.SetPixelFormat(pf24bit); }

TWinSkinMenu::~TWinSkinMenu() { FreeButtons(); }

void TWinSkinMenu::FreeButtons() {
    // The window forgets a hot item that goes with them.
    if (SF)
        for (auto& b : Buttons)
            if (SF->ActiveBtn == b.get()) SF->ActiveBtn = nullptr;
    if (!Buttons.empty()) ++builds_;
    Buttons.clear();
}

bool TWinSkinMenu::RightToLeft() const { return menu && menu->IsRightToLeft(); }

void TWinSkinMenu::Rebuild(bool onlyEmptyFromFramework) {
    if (HMENU current = GetMenu(SF->Hwnd)) hmenu = current;
    if (!hmenu) return;
    if (SF->FForm) {
        if (!SF->FForm->Menu()) return;
        menu = SF->FForm->Menu();
    }
    FreeButtons();
    count = GetMenuItemCount(hmenu);
    if (count <= 0) return;
    for (int i = 0; i < count; ++i) {
        wchar_t text[kMenuTextLength] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = kMenuTextLength;
        GetMenuItemInfoW(hmenu, UINT(i), TRUE, &info);
        auto b = std::make_unique<TMenuBtn>(SF, FSD);
        b->index = i;
        b->hsubmenu = info.hSubMenu;
        b->enabled = (info.fState & 3) == 0;
        b->visible = true;
        b->mid = info.wID;
        b->caption = text;
        TMenuItem* item = menu ? menu->FindItem(info.wID, TFindItemKind::fkCommand) : nullptr;
        if (!item && menu && info.hSubMenu)
            item = menu->FindItem(UINT_PTR(info.hSubMenu), TFindItemKind::fkHandle);
        if (item && (!onlyEmptyFromFramework || b->caption.empty())) {
            b->caption = GetStrPropByName(item, "Caption");
            b->enabled = item->Enabled();
            if (!onlyEmptyFromFramework) b->menuitem = item;
            b->hsubmenu = item->Count() > 0 ? item->Handle() : nullptr;
        }
        Buttons.push_back(std::move(b));
    }
    SetMenu(SF->Hwnd, nullptr);
}

void TWinSkinMenu::UpdataBtn() { Rebuild(false); }

void TWinSkinMenu::UpdataBtn2() {
    Rebuild(true);
    SetMenuRect();
}

void TWinSkinMenu::Layout(HDC measureDc, const TRect& B, bool painting) {
    const int W = B.Width(), H = B.Height();
    const TDataSkinObject* image = FSD->Menubar.get();
    const bool rtl = RightToLeft();
    const int start =
        MenuBarStart(image != nullptr, image ? image->r.Left : 0, image ? image->r.Right : 0, rtl, W);
    int rightEdge = W;
    if (painting && rtl && SF->FormStyle == sfsMDIform && SF->MDIChildMax())
        for (auto& b : SF->SysBtn)
            if (b->data->Visibility == 100 && !b->data->Map.Empty())
                rightEdge = std::min(rightEdge, b->bounds.Left - 5);
    std::vector<MenuBarEntry> entries;
    entries.reserve(Buttons.size());
    Selected font(measureDc, Screen->MenuFont().Handle());
    for (auto& b : Buttons) {
        RECT r{0, 0, 0, 0};
        DrawPlatformText(measureDc, b->caption, r, DT_CALCRECT | DT_NOCLIP);
        entries.push_back({r.right - r.left, b->visible});
    }
    const std::vector<TRect> places = LayoutMenuBar(entries, H, start, rtl, rightEdge);
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        const TRect& p = places[i];
        Buttons[i]->bounds = Buttons[i]->visible
                                 ? TRect{B.Left + p.Left, B.Top, B.Left + p.Right, B.Bottom - 1}
                                 : TRect{0, 0, 0, 0};
    }
}

void TWinSkinMenu::SetMenuRect() {
    const TRect B{SF->bw.Left, SF->bw.Top, SF->fwidth - SF->bw.Right, SF->bw.Top + SF->MenuHeight};
    if (B.IsEmpty()) return;
    WindowDC dc(SF->Hwnd);
    Layout(dc, B, false);
}

void TWinSkinMenu::DrawMenu(HDC dc, const TRect& B) {
    const int W = B.Width(), H = B.Height();
    if (W <= 0 || H <= 0) return;
    TBitmap band;
    band.SetPixelFormat(pf24bit);
    band.SetSize(W, H);
    const HDC bdc = BitmapDC(band);
    if (const TDataSkinObject* image = FSD->Menubar.get()) {
        const int cell = SF->FWindowActive ? 1 : 2;
        if (image->Tile == 1)
            DrawSkinRect(bdc, {0, 0, W, H}, image->Map, image->r, cell, 2, 0, 0, 1);
        else
            DrawSkinBar(bdc, {0, 0, W, H}, image->Map, image->r, cell, 2, 0, 1);
    } else {
        FillColorRect(bdc, {0, 0, W, H}, FSD->Colors[scheme::kMenubar]);
    }
    Bar = B;
    bkmap.SetSize(W, H);
    BitBlt(BitmapDC(bkmap), 0, 0, W, H, bdc, 0, 0, SRCCOPY);

    Layout(bdc, B, true);
    for (auto& b : Buttons) {
        if (!b->visible || b->bounds.IsEmpty()) continue;
        const TRect r{b->bounds.Left - B.Left, 0, b->bounds.Right - B.Left, H - 1};
        DrawCaption(bdc, r, b->caption, b->enabled, TextColour(*FSD, b->enabled));
    }
    // A maximised MDI child's buttons sit at the band's end.
    if (SF->FormStyle == sfsMDIform) {
        FormManagerLink* m = SF->Manager();
        if (SF->MDIChildMax()) {
            for (auto& sb : SF->SysBtn) {
                if (sb->data->Visibility != 100 || sb->data->Map.Empty()) continue;
                DrawSkinCell(bdc, sb->bounds.Offset(-SF->bw.Left, -SF->bw.Top), sb->data->Map, 1,
                             sb->data->frame, 1);
            }
            if (m && !m->MDIMax) m->SetMDIMax(true);
        } else if (m && m->MDIMax) {
            // The maximised child was minimised or closed (or restored past the skinner): the children take
            // their shapes back, or their key-coloured corners would show.
            m->SetMDIMax(false);
        }
    }
    BitBlt(dc, B.Left, B.Top, W, H, bdc, 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::FindBtn(TPoint p) {
    for (auto& b : Buttons)
        if (!b->caption.empty() && b->bounds.Contains(p)) return b.get();
    return nullptr;
}

// ---- The form skinner's side

TMenuBtn* TWinSkinForm::FindAccel(wchar_t key) {
    if (!menu) return nullptr;
    for (auto& b : menu->Buttons)
        if (b->enabled && b->visible && IsAccel(key, b->caption)) return b.get();
    return nullptr;
}

void TWinSkinForm::ClickButton(TMenuBtn& button) {
    RECT r;
    GetWindowRect(Hwnd, &r);
    wTr = ToTRect(r);
    PostMessageW(Hwnd, WM_NCLBUTTONDOWN, HTMENU,
                 MAKELPARAM(button.bounds.Left + 1 + wTr.Left, button.bounds.Top + 1 + wTr.Top));
}

void ForgetMenuTracking(const TWinSkinForm* form) {
    if (TrackForm == form) TrackForm = nullptr;
}

bool TWinSkinForm::CheckMenu(TMenuBtn* button) {
    if (!button) return false;
    PostMessageW(Hwnd, WM_COMMAND, button->mid, 0);
    if (!button->hsubmenu) return false;
    TrackIndex = button->index;
    TrackForm = this;
    RECT r;
    GetWindowRect(Hwnd, &r);
    wTr = ToTRect(r);
    SetOwnerDrawItems(button->hsubmenu);
    fInMenu = true;
    const int x = (bidileft ? button->bounds.Right : button->bounds.Left) + wTr.Left;
    const int y = button->bounds.Bottom + wTr.Top;
    const UINT flags = TPM_RIGHTBUTTON | TPM_NONOTIFY | (bidileft ? TPM_RIGHTALIGN : 0);
    if (FormManagerLink* m = Manager()) {
        m->menutype = 1;
        m->menuactive = true;
    }
    activemenu = button->hsubmenu;
    // What the previous drop-down covered is painted before the next one opens over it.
    RedrawWindow(Hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    StartMenuFilter();
    if (button->enabled) TrackPopupMenu(button->hsubmenu, flags, x, y, 0, Hwnd, nullptr);
    StopMenuFilter();
    TrackForm = nullptr;
    fInMenu = false;
    // A move along the bar closed this drop-down; the next opens from the window's own queue, not nested in
    // this menu's loop. An item that opens nothing only lights up: its command runs on a click alone.
    const int next = std::exchange(PendingIndex, -1);
    if (menu && next >= 0 && next < int(menu->Buttons.size())) {
        TMenuBtn& target = *menu->Buttons[std::size_t(next)];
        if (target.hsubmenu && target.enabled)
            ClickButton(target);
        else
            target.MouseEnter();
    }
    return true;
}

void TWinSkinForm::UpdateMainMenu() {
    if (!menu) return;
    WindowDC dc(Hwnd);
    RECT r;
    GetWindowRect(Hwnd, &r);
    wTr = ToTRect(r);
    fwidth = r.right - r.left;
    fheight = r.bottom - r.top;
    menu->UpdataBtn();
    menu->DrawMenu(dc, {bw.Left, bw.Top, fwidth - bw.Right, bw.Top + MenuHeight});
}

bool TWinSkinForm::OnMenuKey(TMessage& m) {
    if (fInMenu || (m.WParam & 0xFFF0) != SC_KEYMENU || GetCapture()) return false;
    const wchar_t key = wchar_t(m.LParam);
    if (key == L' ' || key == L'-') return false;
    TMenuBtn* target = nullptr;
    if (key == 0) {
        if (menu && !menu->Buttons.empty()) target = menu->Buttons.front().get();
    } else {
        target = FindAccel(key);
    }
    if (key != 0 && !target) return false;
    CheckMenu(target);
    m.Result = 1;
    return true;
}

void TWinSkinForm::OnDialogChar(TMessage& m) {
    OldWndProc(m);
    if (m.Result != 0) return;
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    auto down = [&](int key) { return (keys[key] & 0x80) != 0; };
    const bool onlyAlt = down(VK_MENU) && !down(VK_SHIFT) && !down(VK_CONTROL) && !down(VK_LBUTTON) &&
                         !down(VK_RBUTTON) && !down(VK_MBUTTON);
    if (TMenuBtn* b = FindAccel(wchar_t(m.WParam)); b && onlyAlt) {
        ClickButton(*b);
        m.Result = 1;
        return;
    }
    // Not ours: an MDI child asks its frame, another form the main form (when there is one to ask).
    TCustomForm* next = nullptr;
    if (MdiChild()) {
        if (FormManagerLink* mg = Manager()) next = mg->MDIForm;
    } else if (Application && Application->MainForm() != FForm) {
        next = Application->MainForm();
    }
    if (next && next != FForm) next->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
    m.Result = 0;
}

void TWinSkinForm::OpenMenuAt(TMessage& m) {
    const TPoint p = ScreenToFrame(m.LParam);
    m.Result = 0;
    if (FindSysBtn(p) || !menu) return;
    if (TMenuBtn* b = menu->FindBtn(p)) CheckMenu(b);
}

// ---- Following the open drop-down

void TWinSkinForm::StartMenuFilter() {
    DownSent = false;
    if (!FilterHook)
        FilterHook = SetWindowsHookExW(WH_MSGFILTER, &MenuFilterProc, nullptr, GetCurrentThreadId());
}

void TWinSkinForm::StopMenuFilter() {
    if (FilterHook) UnhookWindowsHookEx(FilterHook);
    FilterHook = nullptr;
    TrackItem = nullptr;
    TrackIndex = -1;
    DownSent = false;
}

TMenuBtn* TWinSkinForm::NextMenuButton(bool forward) {
    if (!menu) return nullptr;
    const int i = NextMenuBarIndex(TrackIndex, int(menu->Buttons.size()), forward);
    return i < 0 ? nullptr : menu->Buttons[std::size_t(i)].get();
}

LRESULT CALLBACK TWinSkinForm::MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    TWinSkinForm* f = TrackForm;
    // The platform tells the owner window what is selected (WM_MENUSELECT), never a message filter: the
    // selection is read from the open menus as each key arrives, before the menu acts on it.
    MenuSelection where;
    const bool arrow =
        msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT);
    if (arrow && code == MSGF_MENU && f) {
        try {
            where = SelectionInOpenMenus(f->activemenu);
            TMainMenu* framework = f->menu ? f->menu->menu : nullptr;
            TrackItem = nullptr;
            if (framework && where.index >= 0)
                TrackItem = where.submenu
                                ? framework->FindItem(UINT_PTR(where.submenu), TFindItemKind::fkHandle)
                                : framework->FindItem(GetMenuItemID(where.menu, where.index),
                                                      TFindItemKind::fkCommand);
        } catch (...) {
            TrackItem = nullptr;
        }
    }
    // A right-to-left menu: the arrows swap before anything else sees the key.
    if (arrow && TrackItem && TMenuItem::IsLive(TrackItem) && TrackItem->Parent()) {
        const TMenu* parentMenu = TrackItem->GetParentMenu();
        if (parentMenu && parentMenu->IsRightToLeft())
            msg->wParam = msg->wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
    }
    const LRESULT result = CallNextHookEx(FilterHook, code, wParam, lParam);
    if (result != 0 || code != MSGF_MENU || !msg || !f) return result;
    try {
        if (!DownSent) {
            DownSent = true;
            PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
        }
        TMenuBtn* target = nullptr;
        switch (msg->message) {
        case WM_KEYDOWN:
            if (!arrow) break;
            switch (ArrowInDropDown(msg->wParam == VK_RIGHT, where.menu == f->activemenu, where.opens)) {
            case BarArrow::Next: target = f->NextMenuButton(true); break;
            case BarArrow::Previous: target = f->NextMenuButton(false); break;
            case BarArrow::Platform: break;
            }
            break;
        case WM_SYSKEYDOWN:
            if (msg->wParam == VK_MENU) f->fInMenu = false;
            return result;
        case WM_MOUSEMOVE:
            if (f->menu) {
                POINT pt = msg->pt;
                target = f->menu->FindBtn(f->ScreenToFrame(MAKELPARAM(pt.x, pt.y)));
            }
            break;
        default: break;
        }
        if (target && target->index != TrackIndex) {
            // The open drop-down closes; CheckMenu opens the target's (or lights it) once the loop has ended.
            PendingIndex = target->index;
            EndMenu();
        }
    } catch (...) {
        // Nothing may unwind into the menu loop.
    }
    return result;
}
