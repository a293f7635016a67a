#include "skin/manager/win/skin_pop_menu.h"

#include "platform/bitmap.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/subclass.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"
#include "skin/manager/win/skin_manage.h"

namespace {

using PopupRole = Subclass<TWinSkinPopMenu, &TWinSkinPopMenu::PopMenuWndProc>;

constexpr int kSkinBorder = 3;  // the skin border a popup keeps around its items

}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu() : MenuBg(std::make_unique<TBitmap>()) {}

TWinSkinPopMenu::~TWinSkinPopMenu() { UnSubClass(); }

void TWinSkinPopMenu::InitSkin(HWND ahwnd, TSkinData* afsd, HMENU amenu) {
    hwnd = ahwnd;
    fsd = afsd;
    hmenu = amenu;
    FPrevWndProc = PopupRole::Attach(hwnd, this);
    if (FPrevWndProc) FObjectInst = PopupRole::Proc();
    ownerdraw = false;
}

void TWinSkinPopMenu::UnSubClass() {
    if (!FObjectInst) return;
    clientRgn.reset();
    crop = false;
    PopupRole::Detach(hwnd);
    FObjectInst = nullptr;
    MenuBg = std::make_unique<TBitmap>();
}

void TWinSkinPopMenu::CallPrev(TMessage& m) { m.Result = PopupRole::CallPrevious(hwnd, m); }

bool TWinSkinPopMenu::OlderPlatformFamily() const {
    return manager && (manager->PlatformVersion & 0x80000000u) != 0;
}

bool TWinSkinPopMenu::SkinReady() const {
    return fsd && !fsd->Empty && fsd->MenuitemBG && !fsd->MenuitemBG->Map.Empty();
}

void TWinSkinPopMenu::PopMenuWndProc(TMessage& m) {
    if (m.Msg == SM_ISSKINNED) {
        m.Result = 1;
        return;
    }
    if (!manager || !manager->active) {
        CallPrev(m);
        return;
    }
    done = false;
    switch (m.Msg) {
    case WM_DESTROY: {
        // Let go first, then the window's own procedure sees its destruction: the procedure the skinner
        // replaced, which letting go has just taken out of the role's table.
        const WNDPROC prev = FPrevWndProc;
        UnSubClass();
        m.Result = prev ? CallWindowProcW(prev, hwnd, m.Msg, m.WParam, m.LParam)
                        : DefWindowProcW(hwnd, m.Msg, m.WParam, m.LParam);
        break;
    }
    case WM_ERASEBKGND:
        if (!OlderPlatformFamily() && !(fsd && fsd->Options().Contains(xoMenuBG))) CallPrev(m);
        m.Result = 1;
        break;
    case WM_NCPAINT: OnNcPaint(m); break;
    case WM_PRINT: OnPrint(m); break;
    case WM_PAINT: OnPaint(m); break;
    default: CallPrev(m); break;
    }
}

void TWinSkinPopMenu::MakeMenuBg() {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const TDataSkinObject& bg = *fsd->MenuitemBG;
    MenuBg = MakeSkinBitmap(TRect{0, 0, r.right - r.left, r.bottom - r.top}, bg.Map, bg.r, 1, 1, bg.Tile, 0);
}

void TWinSkinPopMenu::OnNcPaint(TMessage& m) {
    // Only a paint of the whole window is ours; a partial one goes to the platform.
    if (!SkinReady() || m.WParam != 1) {
        CallPrev(m);
        return;
    }
    // wParam 1 means the whole window: its own window dc, never GetDCEx with 1 taken for a region.
    WindowDC dc(hwnd);
    MakeMenuBg();
    BlitOpaque(dc, 0, 0, *MenuBg);
    m.Result = 0;  // the platform's menu border is never drawn
}

bool TWinSkinPopMenu::BorderInsideClient() const {
    RECT window{}, client{};
    POINT origin{0, 0};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    ClientToScreen(hwnd, &origin);
    return origin.x == window.left && origin.y == window.top && client.right == window.right - window.left &&
           client.bottom == window.bottom - window.top;
}

void TWinSkinPopMenu::OnPaint(TMessage& m) {
    CallPrev(m);
    // Where the platform draws a popup's border with its items, in a window without a frame of its own,
    // the border drawn just now is replaced by the skin's.
    if (!SkinReady() || !BorderInsideClient()) return;
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (MenuBg->Width() != w || MenuBg->Height() != h) MakeMenuBg();
    WindowDC dc(hwnd);
    ExcludeClipRect(dc, kSkinBorder, kSkinBorder, w - kSkinBorder, h - kSkinBorder);
    BlitOpaque(dc, 0, 0, *MenuBg);
}

void TWinSkinPopMenu::OnPrint(TMessage& m) {
    RECT r{};
    if (!SkinReady() || !GetWindowRect(hwnd, &r)) {
        CallPrev(m);
        return;
    }
    const HDC dc = PassedDc(m);
    const int w = r.right - r.left, h = r.bottom - r.top;
    Owned<HRGN> inner(CreateRectRgn(kSkinBorder, kSkinBorder, w - kSkinBorder, h - kSkinBorder));
    MakeMenuBg();
    BlitOpaque(dc, 0, 0, *MenuBg);
    // The menu prints its items inside the skin border, on the background just drawn.
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SelectClipRgn(dc, inner.get());
    CallPrev(m);
    SelectClipRgn(dc, nullptr);
    SetBkMode(dc, oldMode);
}
