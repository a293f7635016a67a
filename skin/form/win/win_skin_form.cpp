#include "skin/form/win/win_skin_form.h"

#include "skin/form/win/menu_bar.h"
#include "skin/form/win/menu_item_painter.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "platform/bitmap.h"
#include "platform/props.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/forms.h"
#include "platform/win/graphics.h"
#include "platform/win/image_list.h"
#include "platform/win/menus.h"
#include "platform/win/subclass.h"
#include "platform/win/timer.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/form/caption_buttons.h"
#include "skin/form/form_manager_link.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

using FormRole = Subclass<TWinSkinForm, &TWinSkinForm::SkinWndProc>;
using MdiClientRole = Subclass<TWinSkinForm, &TWinSkinForm::MDIClientWndProc>;

constexpr UINT kThemedCaptionRequest = 0xAE;  // the themed non-client painter asks to draw the caption
constexpr int kNonClientMetricsSize = 504;    // the structure without the padded border width

// The form skinners of this thread, by window.
std::unordered_map<HWND, TWinSkinForm*>& Registry() {
    thread_local auto* forms =
        new std::unordered_map<HWND, TWinSkinForm*>;  // never freed, as the subclass tables
    return *forms;
}

bool IsSystemCommand(unsigned id) {
    switch (id) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE: return true;
    default: return false;
    }
}

bool OlderPlatformFamily() { return (GetVersion() & 0x80000000u) != 0; }

}  // namespace

TWinSkinForm* FindFormSkinner(HWND hwnd) {
    const auto it = Registry().find(hwnd);
    return it == Registry().end() ? nullptr : it->second;
}

// ---- Life

TWinSkinForm::TWinSkinForm(TComponent* AOwner)
    : TComponent(AOwner),
      fCanvas(std::make_unique<TCanvas>()),
      fcanvas2(std::make_unique<TCanvas>()),
      IconBmp(std::make_unique<TBitmap>()),
      CaptionBuf(std::make_unique<TBitmap>()),
      painter(std::make_unique<TMenuItemPainter>(*this)) {
    DoubleTime = int(GetDoubleClickTime());
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        CaptionFont.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
}

TWinSkinForm::~TWinSkinForm() {
    FreeControls();
    DeleteSysbtn();
    if (FObjectInst) UnSubclass3();
    GiveMDIClientBack();
    if (Hwnd && FindFormSkinner(Hwnd) == this) Registry().erase(Hwnd);
    if (host) host->DeleteForm2(this);
    ForgetMenuTracking(this);
}

void TWinSkinForm::Free(TWinSkinForm* skinner) {
    if (!skinner) return;
    if (skinner->depth_ > 0)
        skinner->freeWhenIdle_ = true;
    else
        delete skinner;
}

// ---- Set-up

void TWinSkinForm::InitTform(TSkinData* afsd, TForm* aform) {
    FForm = aform;
    if (afsd->OnBeforeSkinForm) afsd->OnBeforeSkinForm(aform, Hwnd, formclass);
    if (afsd->SkinControls().Contains(xcMenuItem))
        SetPropByName(aform, "AutoScroll", std::string_view("False"));
    InitWindow(afsd);
    if (afsd->SkinControls().Contains(xcMenuItem)) {
        InitMainMenu(aform, true);
        mainMenuHandlers_ = true;
    }
    if (sMainMenu) {
        OldWndProc = aform->WindowProc;
        aform->WindowProc = [this](TMessage& m) { FormWndProc(m); };
    }
    formcolor = aform->Color();
    aform->SetColor(fsd->Colors[scheme::kButtonFace]);
    textColors.Apply(aform, *fsd);
}

void TWinSkinForm::InitDlg(TSkinData* afsd) { InitWindow(afsd); }

void TWinSkinForm::InitWindow(TSkinData* skin) {
    if (FObjectInst) return;
    if (FormManagerLink* m = Manager()) m->state = SkinManagerLink::kRunning;
    fsd = skin;
    timer = std::make_unique<TTimer>(nullptr);
    timer->SetInterval(250);
    timer->SetEnabled(false);
    timer->OnTimer = [this](TObject*) { HoverTick(); };
    sMainMenu = fsd->SkinControls().Contains(xcMainMenu);

    const DWORD style = DWORD(GetWindowLongW(Hwnd, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongW(Hwnd, GWL_EXSTYLE));
    dwstyle = style;
    bidileft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    ischildform = (style & WS_CHILD) != 0;
    classname = WindowClassName(Hwnd);
    parenthwnd = GetWindow(Hwnd, GW_OWNER);

    FormIcons = {};
    if ((style & WS_SYSMENU) || hsysmenu) FormIcons.Include(sbisystem);
    if (style & WS_MINIMIZEBOX) FormIcons.Include(sbiMin);
    if (style & WS_MAXIMIZEBOX) FormIcons.Include(sbiMax);
    if (exStyle & WS_EX_CONTEXTHELP) FormIcons.Include(sbiHelp);
    ReadWindowState();
    FindMDIClient();
    if (exStyle & WS_EX_MDICHILD) {
        FormStyle = sfsMDIChild;
        if (fsd->Options().Contains(xoMDIChildBorder)) sMainMenu = false;
    }

    FormBorder = sbsSingle;
    if ((style & WS_CAPTION) != WS_CAPTION) {
        FormBorder = sbsNone;
    } else if (style & WS_THICKFRAME) {
        FormBorder = sbsSizeable;
    } else if (style & DS_MODALFRAME) {
        FormBorder = sbsDialog;
    }
    if (exStyle & WS_EX_DLGMODALFRAME) FormBorder = sbsDialog;

    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    const bool appWindow = (exStyle & WS_EX_APPWINDOW) != 0;
    const bool unowned = !parenthwnd && !MdiChild();
    if (version.dwMajorVersion >= 5 && version.dwMinorVersion == 0 &&
        ((!OlderPlatformFamily() && appWindow) || unowned))
        FormIcons.Include(sbicaption);

    isunicode = IsWindowUnicode(Hwnd) != FALSE;
    ismessagebox = classname == L"#32770" || classname == L"TMessageForm";
    if (ismessagebox) FormBorder = sbsDialog;
    HideWhileSkinning();
    if (OlderPlatformFamily()) {
        TSkinControlTypes controls = fsd->SkinControls();
        controls.Exclude(xcSystemMenu);
        fsd->SetSkinControls(controls);
    }
    if (FormStyle == sfsMDIform) {
        menuauto = fsd->MenuUpdate();
        FMDIWndProc = MdiClientRole::Attach(ClientHwnd, this);
        if (FMDIWndProc) FMDIObjectInst = MdiClientRole::Proc();
    }

    FPrevWndProc = FormRole::Attach(Hwnd, this);
    if (FPrevWndProc) FObjectInst = FormRole::Proc();
    Registry()[Hwnd] = this;

    if (sMainMenu) {
        hmenu = GetMenu(Hwnd);
        if (hmenu && !MdiChild()) {
            // The menu bar moves into a band of the skinned frame.
            menu = std::make_unique<TWinSkinMenu>(nullptr);
            menu->FSD = fsd;
            menu->SF = this;
            MenuHeight = GetSystemMetrics(SM_CYMENU);
            if (FForm) menu->menu = FForm->Menu();
            menu->UpdataBtn();
        }
        InitSkinData();
    } else {
        Skinstate = kActive;  // no frame to prepare
    }
    if (MdiChild()) {
        const int least = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (bw.Top < least) MenuHeight = least - bw.Top;
        if (Windowstate == swsMax && Manager() && !Manager()->MDIMax) Manager()->SetMDIMax(true);
    }
}

void TWinSkinForm::InitSkinData() {
    if (!fsd || fsd->Empty) return;
    for (auto& piece : composed_)
        for (auto& cell : piece) cell = {};  // a new skin: compose the pieces again
    if (FormBorder == sbsNone) {
        bw = {};
        MenuHeight = 0;
        return;
    }
    auto width = [](const TDataSkinBorder* b) { return b ? b->Map.Width() / std::max(b->frame, 1) : 0; };
    auto height = [](const TDataSkinBorder* b) { return b ? b->Map.Height() / std::max(b->frame, 1) : 0; };
    bw = {width(Border(kLeftPiece)), height(Border(kTopPiece)), width(Border(kRightPiece)),
          height(Border(kBottomPiece))};
    DeleteSysbtn();
    BtnCount = int(fsd->SysBtn.size());
    for (const auto& entry : fsd->SysBtn)
        SysBtn.push_back(std::make_unique<TWinSysButton>(this, entry.get()));
    for (auto& b : SysBtn) {
        if (!IsIconButton(b->data->Action)) continue;
        // The icon buttons take the window's icon as their image, so that they have a size.
        LoadFormIcon();
        if (b->data->Map.Empty()) b->data->Map.Assign(*IconBmp);
        if (fsd->SysIcon.Empty()) fsd->SysIcon.Assign(*IconBmp);
        b->data->frame = 1;
    }
}

void TWinSkinForm::DeleteSysbtn() { SysBtn.clear(); }

const TDataSkinBorder* TWinSkinForm::Border(int piece) const {
    // The component keeps them in the pieces' order: left, right, top, bottom.
    return fsd && piece >= kLeftPiece && piece <= kBottomPiece
               ? fsd->border[std::size_t(piece - kLeftPiece)].get()
               : nullptr;
}

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    GetWindowPlacement(Hwnd, &p);
    switch (p.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: Windowstate = swsMin; break;
    case SW_SHOWMAXIMIZED: Windowstate = swsMax; break;
    default: Windowstate = swsNormal; break;
    }
}

void TWinSkinForm::FindMDIClient() {
    FormStyle = sfsNormal;
    for (HWND child = GetTopWindow(Hwnd); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowClassName(child) != L"MDIClient") continue;
        FormStyle = sfsMDIform;
        ClientHwnd = child;
        if (FormManagerLink* m = Manager()) {
            m->clienthwnd = child;
            m->MDIForm = FForm;
        }
        return;
    }
}

void TWinSkinForm::HideWhileSkinning() {
    FormManagerLink* m = Manager();
    if (!m || !m->WMSetDraw || ischildform || !sMainMenu || FormBorder == sbsNone) return;
    SetWindowLongW(Hwnd, GWL_STYLE, LONG(DWORD(GetWindowLongW(Hwnd, GWL_STYLE)) & ~DWORD(WS_VISIBLE)));
}

void TWinSkinForm::ShowAfterSkinning() {
    FormManagerLink* m = Manager();
    if (!m || !m->WMSetDraw) return;
    m->WMSetDraw = false;
    const DWORD style = DWORD(GetWindowLongW(Hwnd, GWL_STYLE));
    if (!(style & WS_VISIBLE)) SetWindowLongW(Hwnd, GWL_STYLE, LONG(style | WS_VISIBLE));
}

void TWinSkinForm::MeasureClient() {
    RECT client, window;
    GetClientRect(Hwnd, &client);
    GetWindowRect(Hwnd, &window);
    fClientRect = ToTRect(client);
    oldsize = {0, 0, (window.right - window.left) - client.right,
               (window.bottom - window.top) - client.bottom};
}

void TWinSkinForm::LoadFormIcon() {
    Iconx = GetSystemMetrics(SM_CXSMICON);
    const int iy = GetSystemMetrics(SM_CYSMICON);
    IconBmp->SetSize(Iconx, iy);
    IconBmp->Fill(SkinKeyColor);
    DefIcon = reinterpret_cast<HICON>(SendMessageW(Hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!DefIcon) DefIcon = reinterpret_cast<HICON>(SendMessageW(Hwnd, WM_GETICON, ICON_BIG, 0));
    if (!DefIcon) return;
    HICON small = HICON(CopyImage(DefIcon, IMAGE_ICON, Iconx, iy, LR_COPYFROMRESOURCE));
    if (!small) return;
    DrawIconEx(BitmapDC(*IconBmp), 0, 0, small, Iconx, iy, 0, nullptr, DI_NORMAL);
    DestroyIcon(small);
}

// ---- Activation (SM_INITSKIN)

void TWinSkinForm::Activate() {
    FActive = true;
    hsysmenu = GetSystemMenu(Hwnd, FALSE);
    LoadFormIcon();
    MeasureClient();
    ShowAfterSkinning();
    if (FForm) {
        InitControls(FForm);
        AttachMenuHandlers(true);
    } else {
        InitHwndControls(Hwnd);
    }
    if (Skinstate == kCreated) {
        if (MdiChild()) {
            if (Windowstate == swsMax) {
                if (FormManagerLink* m = Manager())
                    PostMessageW(m->clienthwnd, SM_MDIREDRAW, WPARAM(Hwnd), 0);
            } else if (Windowstate == swsNormal) {
                Skinstate = kFitting;
                FitFrame(false);
                Skinstate = kActive;
                Cropwindow();
            }
        } else if (!ischildform && FormBorder != sbsNone && Windowstate != swsMin) {
            Skinstate = kFitting;
            FitFrame(false);
            Skinstate = kActive;
            if (Windowstate == swsNormal) Cropwindow();
            if (Windowstate == swsMax) Refresh();
        }
    }
    NotifyAfterSkin();
    Skinstate = kActive;
    timer->SetEnabled(true);
}

void TWinSkinForm::NotifyAfterSkin() {
    SendMessageW(Hwnd, SM_AFTERSKIN, 0, SkinSignature);
    if (fsd && fsd->OnAfterSkinForm) fsd->OnAfterSkinForm(FForm, Hwnd, formclass);
}

// ---- The window procedure

void TWinSkinForm::CallPrevProc(TMessage& m) {
    m.Result = FPrevWndProc ? CallWindowProcW(FPrevWndProc, Hwnd, m.Msg, m.WParam, m.LParam)
                            : DefWindowProcW(Hwnd, m.Msg, m.WParam, m.LParam);
}

void TWinSkinForm::SkinWndProc(TMessage& m) {
    Busy busy(*this);
    HandleMessage(m);
}

void TWinSkinForm::FormWndProc(TMessage& m) {
    Busy busy(*this);
    HandleFormMessage(m);
}

void TWinSkinForm::MDIClientWndProc(TMessage& m) {
    Busy busy(*this);
    HandleMDIClientMessage(m);
}

void TWinSkinForm::HandleMessage(TMessage& m) {
    if (Skinstate == kCreated && m.Msg == WM_NCPAINT) {
        m.Result = 0;
        return;
    }
    const Step s1 = Stage1(m);
    if (s1 == Step::Done) return;
    const Step s2 = Stage2(m);
    if (s2 == Step::Done) return;
    Stage3(m, s2 == Step::PassOn);
}

TWinSkinForm::Step TWinSkinForm::Stage1(TMessage& m) {
    const bool plain = FForm == nullptr;
    switch (m.Msg) {
    case WM_ERASEBKGND:
        CallPrevProc(m);
        if (plain && fsd && fsd->BGBrush()) {
            RECT r;
            GetClientRect(Hwnd, &r);
            FillRect(PassedDc(m), &r, fsd->BGBrush());
            m.Result = 1;
        }
        return Step::Done;
    case WM_NCDESTROY:
        Skinstate = kReleasing;
        UnSubclass3();
        CallPrevProc(m);
        Skinstate = kDead;
        return Step::Done;
    case WM_NCACTIVATE:
        if (Skinstate == kCreated && !MdiChild()) {
            m.Result = 0;
            return Step::Done;
        }
        break;
    case kThemedCaptionRequest: m.Result = 0; return Step::Done;
    case WM_INITMENUPOPUP:
        if (FormManagerLink* mg = Manager()) mg->menutype = HMENU(m.WParam) == hsysmenu ? 2 : 1;
        CallPrevProc(m);
        return Step::Done;
    case WM_CTLCOLORBTN:
        CallPrevProc(m);
        if (plain) SetBkMode(PassedDc(m), TRANSPARENT);
        return Step::Done;
    case WM_CTLCOLORSTATIC:
        CallPrevProc(m);
        if (plain) {
            SetBkMode(PassedDc(m), TRANSPARENT);
            if (fsd && fsd->BGBrush()) m.Result = TSkinTextColors::PlainStaticColors(PassedDc(m), *fsd);
        }
        return Step::Done;
    case SM_INITSKIN: Activate(); return Step::Done;
    case SM_RESETSCROLLBAR: ResetScrollbar(HWND(m.WParam)); return Step::Done;
    case SM_ISSKINNED:
        m.Result = 1;
        PostMessageW(Hwnd, SM_AFTERSKIN, 0, SkinSignature);
        return Step::Done;
    default: break;
    }
    if (!sMainMenu) {
        CallPrevProc(m);
        return Step::Done;
    }
    return Step::PassOn;
}

TWinSkinForm::Step TWinSkinForm::Stage2(TMessage& m) {
    if (ischildform && !MdiChild()) {
        CallPrevProc(m);
        return Step::Done;
    }
    switch (m.Msg) {
    case WM_SIZE: OnSize(m); return Step::Keep;
    case WM_ACTIVATE: FWindowActive = LOBYTE(LOWORD(m.WParam)) != 0; return Step::PassOn;
    case WM_GETMINMAXINFO:
        CallPrevProc(m);
        ReadWindowState();
        return Step::Keep;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        CallPrevProc(m);
        return Step::Keep;
    case WM_SETICON:
        CallPrevProc(m);
        LoadFormIcon();
        return Step::Keep;
    case WM_NCACTIVATE: FWindowActive = LOBYTE(LOWORD(m.WParam)) != 0; return Step::PassOn;
    case WM_COMMAND:
        if (IsSystemCommand(LOWORD(m.WParam))) {
            PostMessageW(Hwnd, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
        } else {
            CallPrevProc(m);
        }
        return Step::Keep;
    case WM_SYSCOMMAND: OnSysCommand(m); return Step::Keep;
    case CM_MENUCHANGED: OnMenuChanged(m); return Step::Keep;
    default: return Step::PassOn;
    }
}

void TWinSkinForm::Stage3(TMessage& m, bool passOn) {
    const bool maximisedChild = MdiChild() && Windowstate == swsMax;
    if (maximisedChild || Skinstate == kCreated) {
        if (passOn) CallPrevProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_SIZE: OnSize(m); break;  // a second time: the window's own procedure sees WM_SIZE twice
    case WM_WINDOWPOSCHANGING: CallPrevProc(m); break;
    case WM_NCCALCSIZE: OnNcCalcSize(m); break;
    case WM_NCPAINT: OnNcPaint(m); break;
    case WM_NCACTIVATE:
        OnNcActivate(m);
        if (!maximisedChild) PaintFrame(nullptr);
        break;
    case SM_REPAINTFRAME: PaintFrame(nullptr); break;
    case WM_NCHITTEST: OnNcHitTest(m); break;
    case WM_NCMOUSEMOVE: OnNcMouseMove(m); break;
    case WM_NCLBUTTONDOWN: OnNcLButtonDown(m); break;
    case WM_NCLBUTTONUP: OnNcLButtonUp(m); break;
    case WM_NCLBUTTONDBLCLK: OnNcLButtonDblClk(m); break;
    case WM_NCRBUTTONDOWN: OnNcRButtonDown(m); break;
    case SM_OPENMENU: OpenMenuAt(m); break;
    case WM_MEASUREITEM:
        if (passOn && !painter->OnMeasureItem(m)) CallPrevProc(m);
        break;
    case WM_DRAWITEM:
        if (passOn && !painter->OnDrawItem(m)) CallPrevProc(m);
        break;
    default:
        if (passOn) CallPrevProc(m);
        break;
    }
}

void TWinSkinForm::OnSize(TMessage& m) {
    CallPrevProc(m);
    switch (m.WParam) {
    case SIZE_RESTORED: Windowstate = swsNormal; break;
    case SIZE_MINIMIZED: Windowstate = swsMin; break;
    case SIZE_MAXIMIZED: Windowstate = swsMax; break;
    default: break;
    }
    if (Windowstate == swsMin) return;
    if (MdiChild() && ((Manager() && Manager()->MDIMax) || Windowstate == swsMax)) return;
    if (Skinstate == kActive || Skinstate == kChanging) Cropwindow();
}

void TWinSkinForm::OnSysCommand(TMessage& m) {
    if (OnMenuKey(m)) return;  // the system key opened an item of the skinned menu bar
    // Alt+Space: the skinned system menu below the caption, unless a menu of the menu bar is open.
    if ((m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam == L' ' && !fInMenu) {
        POINT origin{0, 0};
        ClientToScreen(Hwnd, &origin);
        PopupSysMenu({origin.x, origin.y});
    }
    switch (m.WParam & 0xFFF0) {
    case SC_MINIMIZE: Windowstate = swsMin; break;
    case SC_MAXIMIZE: Windowstate = swsMax; break;
    case SC_RESTORE:
        Windowstate = swsNormal;
        if (MdiChild() && Manager() && Manager()->MDIMax) Manager()->SetMDIMax(false);
        break;
    default: break;
    }
    CallPrevProc(m);
}

void TWinSkinForm::OnMenuChanged(TMessage& m, bool fromFramework) {
    // A framework form hears of its menu's changes in its own WindowProc, past the window procedure: there
    // the skinner's hook takes them, and a copy sent to the window goes on to that hook.
    if (!fromFramework && OldWndProc) {
        CallPrevProc(m);
        return;
    }
    const bool menuMsg = fsd->MenuMsg;
    fsd->MenuMsg = false;
    if (fromFramework)
        OldWndProc(m);
    else
        CallPrevProc(m);
    fsd->MenuMsg = menuMsg;
    if (menu && fsd->MenuUpdate())
        UpdateMainMenu();
    else if (GetMenu(Hwnd))
        SetMenu(Hwnd, nullptr);
}

void TWinSkinForm::OnNcCalcSize(TMessage& m) {
    CallPrevProc(m);
    if (LOBYTE(LOWORD(m.WParam)) == 0) {
        m.Result = 0;
        return;
    }
    auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    const bool keep = (MdiChild() && Windowstate != swsNormal) || FormBorder == sbsNone;
    if (!keep && p->lppos) {
        const WINDOWPOS& w = *p->lppos;
        p->rgrc[0] = {w.x + bw.Left, w.y + bw.Top + MenuHeight, w.x + w.cx - bw.Right,
                      w.y + w.cy - bw.Bottom};
    }
    p->rgrc[1] = p->rgrc[0];
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNcActivate(TMessage& m) {
    FWindowActive = LOBYTE(LOWORD(m.WParam)) != 0;
    timer->SetEnabled(FWindowActive);
    if (!FWindowActive && Activeskincontrol) {
        Activeskincontrol->MouseLeave();
        Activeskincontrol = nullptr;
    }
    if (FormStyle == sfsMDIform) SendMessageW(ClientHwnd, WM_NCACTIVATE, m.WParam, 0);
    if (MdiChild()) CallPrevProc(m);
    m.Result = 1;
}

void TWinSkinForm::HandleFormMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT:
        OldWndProc(m);
        if (IsWindowVisible(Hwnd)) {
            if (Windowstate == swsMax && Manager())
                PostMessageW(Manager()->clienthwnd, SM_MDIREDRAW, WPARAM(Hwnd), 0);
            Refresh();
        }
        return;
    case SM_SKINCHANGE: SkinChange(); return;
    case SM_PAINTTODC:
        if (m.LParam != SkinSignature) return;
        if (m.WParam) PaintFrame(PassedDc(m));
        m.Result = SkinSignature;
        return;
    case SM_QUERYFORM: m.Result = m.LParam == SkinSignature ? SkinSignature : 1; return;
    case CM_DIALOGCHAR: OnDialogChar(m); return;
    case CM_MENUCHANGED: OnMenuChanged(m, true); return;
    default: OldWndProc(m); return;
    }
}

void TWinSkinForm::HandleMDIClientMessage(TMessage& m) {
    auto pass = [&] { m.Result = CallWindowProcW(FMDIWndProc, ClientHwnd, m.Msg, m.WParam, m.LParam); };
    switch (m.Msg) {
    case WM_NCDESTROY:
        pass();
        GiveMDIClientBack();
        return;
    case WM_NCCALCSIZE:
        if (sMainMenu && !fsd->Options().Contains(xoMDIScrollbar)) {
            const DWORD style = DWORD(GetWindowLongW(ClientHwnd, GWL_STYLE));
            SetWindowLongW(ClientHwnd, GWL_STYLE, LONG(style & ~DWORD(WS_HSCROLL | WS_VSCROLL)));
        }
        pass();
        return;
    case WM_MDICREATE:
        fsd->SetMenuUpdate(false);
        pass();
        return;
    case WM_MDIDESTROY:
        pass();
        if (sMainMenu && Manager()) {
            // A maximised child that goes takes its buttons out of the band, and the children left get their
            // shapes back.
            Manager()->SetMDIMax(MDIChildMax());
            if (menu && !SendMessageW(ClientHwnd, WM_MDIGETACTIVE, 0, 0)) {
                // The last child has gone: the menu bar follows menu changes again.
                fsd->SetMenuUpdate(menuauto);
                menu->UpdataBtn();
            }
            if (menu) RedrawWindow(Hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
        return;
    case WM_PARENTNOTIFY:
        pass();
        // A child destroyed without WM_MDIDESTROY: once it has gone, the frame is painted again, and its band
        // (the maximised child's buttons, the children's shapes) follows what is left.
        if (LOWORD(m.WParam) == WM_DESTROY && sMainMenu) PostMessageW(ClientHwnd, SM_MDIREDRAW, 0, 0);
        return;
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (sMainMenu && Manager() && Manager()->MDIMax) Manager()->SetMDIMax(false);
        pass();
        return;
    case WM_MDISETMENU:
        pass();
        if (menu)
            menu->UpdataBtn2();
        else if (sMainMenu)
            SetMenu(Hwnd, nullptr);
        return;
    case SM_MDIREDRAW:
        RedrawWindow(Hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
    default: pass(); return;
    }
}

bool TWinSkinForm::MDIChildMax() {
    if (FormStyle != sfsMDIform || !ClientHwnd) return false;
    BOOL maximised = FALSE;
    const HWND active = HWND(SendMessageW(ClientHwnd, WM_MDIGETACTIVE, 0, LPARAM(&maximised)));
    return active && maximised;
}

// ---- Fitting and shaping the window

void TWinSkinForm::Refresh() {
    SetWindowPos(Hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::RePaint(HWND ahwnd) {
    InvalidateRect(ahwnd, nullptr, TRUE);
    UpdateWindow(ahwnd);
}

void TWinSkinForm::FitFrame(bool fresh) {
    if (Windowstate == swsMax) {
        Refresh();
        return;
    }
    RECT window;
    GetWindowRect(Hwnd, &window);
    if (ismessagebox || Skinstate == kChanging) {
        RECT client;
        GetClientRect(Hwnd, &client);
        fClientRect = ToTRect(client);
    }
    int width = fClientRect.Right + bw.Left + bw.Right;
    if (fresh) {
        RECT client;
        GetClientRect(Hwnd, &client);
        fClientRect = ToTRect(client);
    } else if (FForm) {
        width = FForm->ClientWidth() + bw.Left + bw.Right;
        fClientRect.Bottom = MdiChild() ? FForm->ClientHeight() : FForm->ClientHeight() - MenuHeight;
    }
    const int height = fClientRect.Bottom + bw.Top + bw.Bottom + MenuHeight;
    if (ismessagebox && !fresh && fsd && fsd->Title) {
        // A message box grows until its caption fits between the title's margins; its contents move along.
        caption = WindowText(Hwnd);
        {
            ClientDC dc(Hwnd);
            Selected font(dc, CaptionFont.get());
            SIZE size{};
            GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &size);
            charwidth = size.cx;
        }
        const int needed = fsd->Title->r.Left + charwidth + fsd->Title->r.Right;
        if (width < needed) {
            const int shift = (needed - width) / 2;
            // The children are listed before any moves: moving one must not change the order of the walk.
            std::vector<HWND> children;
            for (HWND child = GetTopWindow(Hwnd); child; child = GetWindow(child, GW_HWNDNEXT))
                children.push_back(child);
            for (HWND child : children) {
                RECT r;
                GetWindowRect(child, &r);
                POINT p{r.left, r.top};
                ScreenToClient(Hwnd, &p);
                SetWindowPos(child, nullptr, p.x + shift, p.y, r.right - r.left, r.bottom - r.top,
                             SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
            }
            width = needed;
        }
    }
    SetWindowPos(Hwnd, nullptr, window.left, window.top, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

Owned<HRGN> TWinSkinForm::EdgeRegion(int piece, int w, int h) {
    const TDataSkinBorder* b = Border(piece);
    const TRect place = piece == kLeftPiece    ? Rect(0, 0, bw.Left, h)
                        : piece == kRightPiece ? Rect(w - bw.Right, 0, w, h)
                        : piece == kTopPiece   ? Rect(bw.Left, 0, w - bw.Right, bw.Top)
                                               : Rect(bw.Left, h - bw.Bottom, w - bw.Right, h);
    const bool shaped = b && b->trans == 1 && !place.IsEmpty() &&
                        (piece == kLeftPiece || piece == kRightPiece ? h > 1
                         : piece == kTopPiece                        ? bw.Top > 1
                                                                     : bw.Bottom > 1);
    if (!shaped) return Owned<HRGN>(CreateRectRgn(place.Left, place.Top, place.Right, place.Bottom));
    // The piece exactly as the painter draws it, active look; its key-coloured pixels become holes.
    auto bmp = MakeSkinBitmap(Rect(0, 0, place.Width(), place.Height()), b->Map, b->r, 1, b->frame,
                              b->Tile != 1, piece >= kTopPiece);
    return Owned<HRGN>(BuildColorKeyRegion(*bmp, place.Left, place.Top, SkinKeyColor, 1, 1, 1));
}

void TWinSkinForm::Cropwindow() {
    if (Skinstate == kDead || !sMainMenu) return;
    RECT window;
    if (!GetWindowRect(Hwnd, &window)) return;
    const int w = window.right - window.left, h = window.bottom - window.top;
    if (w * h == 0) return;
    if (MdiChild() && Windowstate != swsNormal) return;
    if (w == crwidth && h == crheight && !MdiChild() && Skinstate != kChanging) return;
    crop = false;

    const bool anyShaped =
        std::any_of(fsd->border.begin(), fsd->border.end(), [](const auto& b) { return b && b->trans != 0; });
    Owned<HRGN> region;
    if (!anyShaped) {
        region.reset(CreateRectRgn(0, 0, w, h));
    } else {
        crwidth = w;
        crheight = h;
        region.reset(CreateRectRgn(bw.Left, bw.Top, w - bw.Right, h - bw.Bottom));
        if (FormBorder != sbsNone) {
            for (int piece = kLeftPiece; piece <= kBottomPiece; ++piece) {
                Owned<HRGN> edge = EdgeRegion(piece, w, h);
                if (edge) CombineRgn(region.get(), region.get(), edge.get(), RGN_OR);
            }
        }
    }
    if (SetWindowRgn(Hwnd, region.get(), TRUE)) region.release();  // the window owns it now
    crop = true;
}

void TWinSkinForm::Uncropwindow() {
    if (!crop) return;
    SetWindowRgn(Hwnd, nullptr, MdiChild());
    crop = false;
}

void TWinSkinForm::SkinChange() {
    if (FForm) {
        FForm->SetColor(fsd->Colors[scheme::kButtonFace]);
        textColors.Apply(FForm, *fsd);
        for (TComponent* c : FForm->ComponentList())
            if (auto* f = dynamic_cast<TForm*>(c)) f->SetColor(fsd->Colors[scheme::kButtonFace]);
    }
    for (TSkinControl* c : std::vector<TSkinControl*>(Controllist)) c->SkinChange();
    painter->SkinChanged();
    Skinstate = kChanging;
    if (sMainMenu && FForm) {
        AttachMenuHandlers(true);
        FitFrame(true);
        FForm->SetHeight(FForm->Height() + 1);
        FForm->SetHeight(FForm->Height() - 1);
    }
    NotifyAfterSkin();
    Skinstate = kActive;
}

// ---- Giving the window back

void TWinSkinForm::SetSysMenuStyle(bool remove) {
    if (FormIcons.Contains(sbicaption)) return;
    dwstyle = DWORD(GetWindowLongW(Hwnd, GWL_STYLE));
    if (remove) {
        dwstyle &= ~DWORD(WS_SYSMENU);
    } else if (hsysmenu) {
        dwstyle |= WS_SYSMENU;
    }
    SetWindowLongW(Hwnd, GWL_STYLE, LONG(dwstyle));
}

void TWinSkinForm::InitPopMenu(TWinControl* wForm, bool Enable, bool) { painter->InitPopMenu(wForm, Enable); }

void TWinSkinForm::InitMainMenu(TWinControl* wForm, bool Enable, bool) {
    painter->InitMainMenu(wForm, Enable);
}

void TWinSkinForm::DrawMenuItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected) {
    painter->DrawMenuItem(Sender, ACanvas, ARect, Selected);
}

void TWinSkinForm::MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height) {
    painter->MeasureItem(Sender, ACanvas, Width, Height);
}

void TWinSkinForm::MeasurePopupItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height) {
    painter->MeasurePopupItem(Sender, ACanvas, Width, Height);
}

void TWinSkinForm::SetOwnerDrawItems(HMENU menu) { TMenuItemPainter::SetOwnerDrawItems(menu); }

void TWinSkinForm::AttachMenuHandlers(bool on) {
    if (!FForm) return;
    InitPopMenu(FForm, on);
    // The main menu's items keep handlers of their own unless this skinner drew them.
    if (mainMenuHandlers_ && !on) {
        InitMainMenu(FForm, false);
        mainMenuHandlers_ = false;
    }
}

void TWinSkinForm::FreeControls() {
    while (!Controllist.empty()) {
        TSkinControl* c = Controllist.front();
        if (Skinstate != kReleasing && c->skinstate != TSkinControl::kWindowGone) c->Unsubclass();
        Remove(c);
        TSkinControl::Free(c);
    }
}

void TWinSkinForm::GiveMDIClientBack() {
    if (!FMDIObjectInst) return;
    MdiClientRole::Detach(ClientHwnd);
    FMDIObjectInst = nullptr;
}

bool TWinSkinForm::LetGo() {
    ActiveBtn = nullptr;  // nothing of the frame is hot or pressed any more
    Retire(sysmenu, retiredSysmenu_);
    if (timer) timer->SetEnabled(false);
    if (!FObjectInst) return false;
    if (FForm && OldWndProc) {
        FForm->WindowProc = OldWndProc;
        OldWndProc = nullptr;
    }
    AttachMenuHandlers(false);
    FormRole::Detach(Hwnd);
    FObjectInst = nullptr;
    if (FindFormSkinner(Hwnd) == this) Registry().erase(Hwnd);
    FreeControls();
    return true;
}

void TWinSkinForm::UnSubclass() {
    if (!sMainMenu) {
        UnSubclass2();
        return;
    }
    if (!LetGo()) return;
    if (FForm && Skinstate != kReleasing) FForm->SetColor(formcolor);
    if (Skinstate != kReleasing) textColors.Release();
    SetSysMenuStyle(false);
    if (menu) SetMenu(Hwnd, menu->hmenu);  // the window's own menu bar comes back
    Retire(menu, retiredMenu_);
    MenuHeight = 0;
    EnableSysbtn(true);
    GiveMDIClientBack();
    if (Skinstate != kReleasing && (MdiChild() || !ischildform)) {
        // The client keeps its size under the standard frame.
        RECT r;
        GetWindowRect(Hwnd, &r);
        POINT at{r.left, r.top};
        if (MdiChild()) ScreenToClient(GetParent(Hwnd), &at);
        const int w = (r.right - r.left) - (bw.Left + bw.Right - oldsize.Right);
        const int h = (r.bottom - r.top) - (bw.Top + bw.Bottom - oldsize.Bottom);
        SetWindowPos(Hwnd, nullptr, at.x, at.y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    SetWindowRgn(Hwnd, nullptr, TRUE);
    crop = false;
}

void TWinSkinForm::UnSubclass3() {
    textColors.Forget();
    // The menu bar in the band is still the window's own (a framework form's main menu owns its menu
    // itself): a window being destroyed takes it along, as the platform destroys a window's menu bar with
    // it, and a window that stays gets it back.
    if (menu && menu->hmenu && IsMenu(menu->hmenu) && GetMenu(Hwnd) != menu->hmenu) {
        if (Skinstate != kReleasing)
            SetMenu(Hwnd, menu->hmenu);
        else if (!FForm)
            DestroyMenu(menu->hmenu);
    }
    Retire(menu, retiredMenu_);
    if (!sMainMenu) {
        UnSubclass2();
        return;
    }
    LetGo();
}

void TWinSkinForm::UnSubclass2() {
    ActiveBtn = nullptr;
    if (timer) timer->SetEnabled(false);
    FreeControls();
    AttachMenuHandlers(false);
    if (FForm && Skinstate != kReleasing) FForm->SetColor(formcolor);
    if (Skinstate != kReleasing) textColors.Release();
    if (FObjectInst) {
        FormRole::Detach(Hwnd);
        FObjectInst = nullptr;
        if (FindFormSkinner(Hwnd) == this) Registry().erase(Hwnd);
    }
    GiveMDIClientBack();
    if (FForm && Skinstate != kReleasing)
        for (TComponent* c : FForm->ComponentList())
            if (auto* control = dynamic_cast<TControl*>(c)) control->Invalidate();
}
