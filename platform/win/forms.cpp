// Forms, the application object and the screen.
#include "platform/win/forms.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/win/framework_classes.h"
#include "platform/win/window_class.h"

namespace {
constexpr std::array<std::string_view, 6> kBorderStyleNames{"bsNone",   "bsSingle",     "bsSizeable",
                                                            "bsDialog", "bsToolWindow", "bsSizeToolWin"};
constexpr std::array<std::string_view, 4> kBorderIconNames{"biSystemMenu", "biMinimize", "biMaximize",
                                                           "biHelp"};
constexpr std::array<std::string_view, 4> kFormStyleNames{"fsNormal", "fsMDIChild", "fsMDIForm",
                                                          "fsStayOnTop"};
constexpr std::array<std::string_view, 8> kPositionNames{
    "poDesigned",     "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};

// The window-list entries of the MDI client start here, above the menu items' command identifiers.
constexpr UINT kFirstMDIChild = 0xFF00;

// Screen first: forms leave its list when the application frees them at exit.
TScreen gScreen;
TApplication gApplication(nullptr);
}  // namespace

TApplication* Application = &gApplication;
TScreen* Screen = &gScreen;

// ======================================================================= TCustomForm

const PropTable TCustomForm::Props{
    &TWinControl::Props,
    {
        Prop::Str("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption),
        Prop::Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
                   PropNames{kBorderStyleNames}),
        Prop::Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
                  PropNames{kBorderIconNames}),
        Prop::Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, PropNames{kPositionNames}),
        Prop::Int("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth),
        Prop::Int("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight),
        Prop::Enum("AutoScroll", &TCustomForm::AutoScroll, nullptr, kBooleanNames),
        Prop::Int("PixelsPerInch", &TCustomForm::PixelsPerInch),
        Prop::Int("TextHeight", &TCustomForm::TextHeight),
        Prop::Enum("OldCreateOrder", &TCustomForm::OldCreateOrder, nullptr, kBooleanNames),
        Prop::Obj("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu),
        Prop::Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle,
                   PropNames{kFormStyleNames}),
        Prop::Obj("WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu),
        Prop::Event("OnCreate", &TCustomForm::OnCreate),
        Prop::Event("OnDestroy", &TCustomForm::OnDestroy),
    }};
const TClassInfo TCustomForm::ClassInfo_{"TCustomForm", &TWinControl::ClassInfo_, &TCustomForm::Props};
const TClassInfo TForm::ClassInfo_{"TForm", &TCustomForm::ClassInfo_, &TCustomForm::Props};

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetBoundsQuiet(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (created_ && OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
        }
    }
    // The window goes first, while every control is whole (skinners get their last messages), then the
    // components; only then the rest of the form.
    Destroying();
    // An MDI child goes through its client, which hands the activation to the next child and updates the
    // window list and a maximised child's menu bar; destroyed directly, it would leave no child active.
    if (formStyle_ == fsMDIChild && HandleAllocated() && IsWindow(Handle())) {
        const HWND client = GetParent(Handle());
        if (client) SendMessageW(client, WM_MDIDESTROY, WPARAM(Handle()), 0);
    }
    DestroyHandle();
    DestroyComponents();
    Screen->RemoveForm(this);
    if (Application) Application->FormDestroyed(this);
    if (iconOwned_) {
        if (iconBig_) DestroyIcon(iconBig_);
        if (iconSmall_ && iconSmall_ != iconBig_) DestroyIcon(iconSmall_);
    }
}

void TCustomForm::FrameStyles(DWORD& style, DWORD& ex) const {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    ex = WS_EX_CONTROLPARENT;
    switch (borderStyle_) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: style |= WS_CAPTION; break;
    case bsSizeable:
    case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
        }
    }
    if (isMain_ || (Application && Application->creatingMain_)) ex |= WS_EX_APPWINDOW;
}

TSize TCustomForm::FrameSize() const {
    DWORD style, ex;
    FrameStyles(style, ex);
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    return {int(r.right - r.left), int(r.bottom - r.top)};
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    FrameStyles(p.Style, p.ExStyle);
    if (!Enabled()) p.Style |= WS_DISABLED;
    const TSize frame = FrameSize();
    if (clientWidth_ >= 0) p.Width = clientWidth_ + frame.cx;
    if (clientHeight_ >= 0) p.Height = clientHeight_ + frame.cy;
    p.WndParent = ParentWindow() ? ParentWindow() : (Application ? Application->Handle() : nullptr);
    if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    if (formStyle_ == fsMDIChild) {
        TCustomForm* frame = MDIForm();
        if (!frame) throw std::runtime_error("an MDI child form needs an MDI form");
        frame->HandleNeeded();
        p.WndParent = frame->ClientHandle();
        p.Style = (p.Style & ~DWORD(WS_POPUP)) | WS_CHILD | WS_VISIBLE;
        p.ExStyle |= WS_EX_MDICHILD;
        p.ExStyle &= ~DWORD(WS_EX_APPWINDOW);
        if (!positioned_) p.X = p.Y = CW_USEDEFAULT;
    }
}

HWND TCustomForm::CreateWindowHandle(const TCreateParams& p) {
    if (formStyle_ != fsMDIChild) return TWinControl::CreateWindowHandle(p);
    // The client window makes its children, so that it knows them (window list, maximised child).
    MDICREATESTRUCTW mcs{};
    mcs.szClass = p.WinClassName.c_str();
    mcs.szTitle = p.Caption.c_str();
    mcs.hOwner = HInstance();
    mcs.x = p.X;
    mcs.y = p.Y;
    mcs.cx = p.Width;
    mcs.cy = p.Height;
    mcs.style = p.Style & ~DWORD(WS_CHILD);
    mcs.lParam = reinterpret_cast<LPARAM>(this);
    return reinterpret_cast<HWND>(SendMessageW(p.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

TCustomForm* TCustomForm::MDIForm() const {
    if (Application && Application->MainForm() && Application->MainForm()->formStyle_ == fsMDIForm)
        return Application->MainForm();
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->formStyle_ == fsMDIForm) return Screen->Forms(i);
    return nullptr;
}

void TCustomForm::CreateClient() {
    if (formStyle_ != fsMDIForm || clientHandle_ || !HandleAllocated()) return;
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = windowMenu_ ? windowMenu_->Handle() : nullptr;
    ccs.idFirstChild = kFirstMDIChild;
    RECT r;
    GetClientRect(Handle(), &r);
    clientHandle_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                        0, 0, r.right, r.bottom, Handle(), nullptr, HInstance(), &ccs);
    if (!clientHandle_) throw std::runtime_error("the MDI client window could not be made");
}

void TCustomForm::AlignControls(TRect& rect) {
    TWinControl::AlignControls(rect);
    // The MDI client takes what the aligned controls leave.
    if (clientHandle_)
        SetWindowPos(clientHandle_, HWND_BOTTOM, rect.Left, rect.Top, rect.Width(), rect.Height(),
                     SWP_NOACTIVATE);
}

void TCustomForm::HandleDestroyed() {
    clientHandle_ = nullptr;
    TWinControl::HandleDestroyed();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (value == formStyle_) return;
    if (HandleAllocated() &&
        (value == fsMDIChild || value == fsMDIForm || formStyle_ == fsMDIChild || formStyle_ == fsMDIForm))
        throw std::logic_error("an MDI style is set before the form's window is made");
    formStyle_ = value;
    if (value == fsStayOnTop && HandleAllocated())
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu && menu->form_ && menu->form_ != this) menu->form_->SetMenu(nullptr);
    if (menu_) {
        menu_->form_ = nullptr;
        RemoveFreeNotification(menu_);
    }
    menu_ = menu;
    if (menu_) {
        menu_->form_ = this;
        FreeNotification(menu_);
    }
    if (!HasState(csLoading)) ShowMenu();
}

void TCustomForm::MenuGone(TMainMenu* menu) {
    if (menu != menu_) return;
    // The bar goes before the menu destroys its handle.
    if (HandleAllocated() && GetMenu(Handle()) == menu->Handle()) ::SetMenu(Handle(), nullptr);
    menu_ = nullptr;
}

void TCustomForm::ShowMenu() {
    if (!HandleAllocated() || formStyle_ == fsMDIChild) return;
    HMENU bar = menu_ ? menu_->Handle() : nullptr;
    if (clientHandle_) {
        // The client keeps the window list in the Window menu and the maximised child's buttons in the bar.
        SendMessageW(clientHandle_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar),
                     reinterpret_cast<LPARAM>(windowMenu_ ? windowMenu_->Handle() : nullptr));
    }
    ::SetMenu(Handle(), bar);
    DrawMenuBar(Handle());
    Perform(CM_MENUCHANGED, 0, 0);
}

void TCustomForm::SetWindowMenu(TMenuItem* item) {
    if (item == windowMenu_) return;
    if (windowMenu_) RemoveFreeNotification(windowMenu_);
    windowMenu_ = item;
    if (item) FreeNotification(item);
    if (!HasState(csLoading) && clientHandle_) ShowMenu();
}

bool TCustomForm::IsShortCut(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const TShortCut key = ShortCut(WORD(msg.wParam), KeyboardStateToShiftState());
    if (!key) return false;
    if (menu_ && menu_->IsShortCut(key)) return true;
    // The form's own popup menus answer their shortcuts too.
    for (TComponent* c : std::vector<TComponent*>(ComponentList()))
        if (auto* popup = dynamic_cast<TPopupMenu*>(c); popup && popup->IsShortCut(key)) return true;
    if (formStyle_ == fsMDIChild)
        if (TCustomForm* frame = MDIForm(); frame && frame != this) return frame->IsShortCut(msg);
    return false;
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    HWND active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(active));
}

int TCustomForm::MDIChildCount() const {
    int n = 0;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (clientHandle_ && f->formStyle_ == fsMDIChild && f->HandleAllocated() &&
            GetParent(f->Handle()) == clientHandle_)
            ++n;
    }
    return n;
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        if (clientHandle_ && f->formStyle_ == fsMDIChild && f->HandleAllocated() &&
            GetParent(f->Handle()) == clientHandle_ && index-- == 0)
            return f;
    }
    return nullptr;
}

void TCustomForm::Tile() {
    if (clientHandle_)
        SendMessageW(clientHandle_, WM_MDITILE,
                     TileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::Cascade() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::ArrangeIcons() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
    if (clientHandle_) SendMessageW(clientHandle_, WM_MDINEXT, 0, 1);
}

TWindowState TCustomForm::WindowState() const {
    if (!HandleAllocated()) return wsNormal;
    HWND h = const_cast<TCustomForm*>(this)->Handle();
    if (IsZoomed(h)) return wsMaximized;
    if (IsIconic(h)) return wsMinimized;
    return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState state) {
    HWND h = Handle();
    if (formStyle_ == fsMDIChild) {
        HWND client = GetParent(h);
        switch (state) {
        case wsMaximized: SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(h), 0); break;
        case wsNormal: SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(h), 0); break;
        case wsMinimized: ShowWindow(h, SW_MINIMIZE); break;
        }
        return;
    }
    ShowWindow(h, state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TCustomForm::Release() {
    if (Application) PostMessageW(Application->Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(this));
}

void TCustomForm::DefaultHandler(TMessage& m) {
    if (!HandleAllocated()) return TWinControl::DefaultHandler(m);
    HWND h = Handle();
    if (formStyle_ == fsMDIForm && clientHandle_) {
        // The client is sized by the form's alignment, not by the frame's default WM_SIZE.
        m.Result = m.Msg == WM_SIZE ? DefWindowProcW(h, m.Msg, m.WParam, m.LParam)
                                    : DefFrameProcW(h, clientHandle_, m.Msg, m.WParam, m.LParam);
        return;
    }
    if (formStyle_ == fsMDIChild && (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        m.Result = DefMDIChildProcW(h, m.Msg, m.WParam, m.LParam);
        return;
    }
    TWinControl::DefaultHandler(m);
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (HandleAllocated()) ShowMenu();
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    HWND h = Handle();
    CreateClient();
    if (menu_) ShowMenu();
    clientWidth_ = clientHeight_ = -1;
    UpdateBounds();
    if (iconBig_) SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconBig_));
    if (iconSmall_ || iconBig_)
        SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_ ? iconSmall_ : iconBig_));
    Realign();
}

void TCustomForm::UpdateFrameStyle() {
    if (!HandleAllocated()) {
        if (clientWidth_ >= 0 || clientHeight_ >= 0) {
            const TSize frame = FrameSize();
            SetBoundsQuiet(Left(), Top(), clientWidth_ >= 0 ? clientWidth_ + frame.cx : Width(),
                           clientHeight_ >= 0 ? clientHeight_ + frame.cy : Height());
        }
        return;
    }
    DWORD style, ex;
    FrameStyles(style, ex);
    HWND h = Handle();
    const LONG_PTR old = GetWindowLongPtrW(h, GWL_STYLE);
    const LONG_PTR keep = old & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrW(h, GWL_STYLE, LONG_PTR(style) | keep);
    SetWindowLongPtrW(h, GWL_EXSTYLE, LONG_PTR(ex));
    SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomForm::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    UpdateFrameStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (value == borderIcons_) return;
    borderIcons_ = value;
    UpdateFrameStyle();
}

TRect TCustomForm::ClientRect() const {
    if (HandleAllocated()) return TWinControl::ClientRect();
    const TSize frame = FrameSize();
    const int w = clientWidth_ >= 0 ? clientWidth_ : std::max(0, Width() - frame.cx);
    const int h = clientHeight_ >= 0 ? clientHeight_ : std::max(0, Height() - frame.cy);
    return {0, 0, w, h};
}

void TCustomForm::SetClientWidth(int v) {
    if (HandleAllocated()) return TWinControl::SetClientWidth(v);
    clientWidth_ = std::max(0, v);
    SetBoundsQuiet(Left(), Top(), clientWidth_ + FrameSize().cx, Height());
    Realign();
}

void TCustomForm::SetClientHeight(int v) {
    if (HandleAllocated()) return TWinControl::SetClientHeight(v);
    clientHeight_ = std::max(0, v);
    SetBoundsQuiet(Left(), Top(), Width(), clientHeight_ + FrameSize().cy);
    Realign();
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    if (!HandleAllocated()) {
        if (width != Width()) clientWidth_ = -1;
        if (height != Height()) clientHeight_ = -1;
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::ApplyPosition() {
    if (positioned_) return;
    positioned_ = true;
    int x = Left(), y = Top();
    if (position_ == poScreenCenter || position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
        x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
    } else if (position_ == poDesktopCenter) {
        x = GetSystemMetrics(SM_XVIRTUALSCREEN) + (GetSystemMetrics(SM_CXVIRTUALSCREEN) - Width()) / 2;
        y = GetSystemMetrics(SM_YVIRTUALSCREEN) + (GetSystemMetrics(SM_CYVIRTUALSCREEN) - Height()) / 2;
    } else {
        return;
    }
    SetBounds(x, y, Width(), Height());
}

void TCustomForm::SetVisible(bool visible) {
    const bool shown = HandleAllocated() && IsWindowVisible(Handle());
    if (visible == Visible() && visible == shown) return;
    TControl::SetVisible(visible);
    if (HasState(csLoading)) return;  // shown once the description is read
    if (visible && formStyle_ == fsMDIChild) {
        HandleNeeded();
        ShowWindow(Handle(), SW_SHOW);
        return;
    }
    if (visible) {
        HandleNeeded();
        ApplyPosition();
        ShowWindow(Handle(), SW_SHOWNORMAL);
        // Wine activates a hidden window moved with SetWindowPos; showing it then sends no WM_ACTIVATE,
        // so the focus would stay on the form itself.
        if (GetActiveWindow() == Handle() && (!GetFocus() || GetFocus() == Handle())) FocusControl();
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::SetIcon(HICON big, HICON small, bool owned) {
    HICON oldBig = iconBig_, oldSmall = iconSmall_;
    const bool oldOwned = iconOwned_;
    iconBig_ = big;
    iconSmall_ = small;
    iconOwned_ = owned;
    if (HandleAllocated()) {
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : big));
    }
    if (oldOwned) {
        if (oldBig && oldBig != big && oldBig != small) DestroyIcon(oldBig);
        if (oldSmall && oldSmall != oldBig && oldSmall != big && oldSmall != small) DestroyIcon(oldSmall);
    }
}

bool TCustomForm::LoadIconResource(const wchar_t* name) {
    auto load = [name](int cx, int cy) {
        return static_cast<HICON>(LoadImageW(HInstance(), name, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    };
    HICON big = load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    HICON small = load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    if (!big && !small) return false;
    SetIcon(big ? big : small, small ? small : big, true);
    return true;
}

void TCustomForm::Close() {
    if (formStyle_ == fsMDIChild) {
        // A closed MDI child goes: hidden, it would stay in the window list.
        Release();
        return;
    }
    Hide();
    if (Application && Application->MainForm() == this) Application->Terminate();
}

void TCustomForm::DoCreate() {
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate(this);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    activeControl_ = control;
    if (control && HandleAllocated() && GetActiveWindow() == Handle() && control->CanFocus())
        control->SetFocus();
}

namespace {
// Whether inner is outer or lies inside it.
bool Within(const TControl* inner, const TControl* outer) {
    for (const TControl* c = inner; c; c = c->Parent())
        if (c == outer) return true;
    return false;
}
}  // namespace

void TCustomForm::ChildFocused(TWinControl* control) {
    TWinControl* old = activeControl_;
    activeControl_ = control;
    if (old == control) return;
    // From the control that had the focus up to the container that holds the new one as well.
    for (TWinControl* c = old; c && c != this && !Within(control, c); c = c->Parent()) c->Perform(CM_EXIT);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::ChildRemoved(TControl* control) {
    if (activeControl_ && Within(activeControl_, control)) activeControl_ = nullptr;
}

void TCustomForm::FocusControl() {
    // Back to the control that had the focus, or to the first one in tab order.
    if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus())
        activeControl_->SetFocus();
    else
        SelectFirst();
}

bool TCustomForm::SelectFirst() {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    for (TWinControl* c : list) {
        if (c->TabStop() && c->CanFocus() && c->HandleAllocated()) {
            c->SetFocus();
            activeControl_ = c;
            return true;
        }
    }
    return false;
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == activeControl_) activeControl_ = nullptr;
    if (component == windowMenu_) windowMenu_ = nullptr;
    if (component == menu_) MenuGone(menu_);
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        m.Result = 0;
        return;
    case WM_ACTIVATE:
        DefaultHandler(m);
        if (LOWORD(m.WParam) != WA_INACTIVE && !HIWORD(m.WParam)) {
            FocusControl();
        }
        return;
    case WM_SETFOCUS:
        // The form itself got the focus (a click on its caption, the system): pass it on to a control.
        TWinControl::WndProc(m);
        FocusControl();
        return;
    case WM_GETICON:
        DefaultHandler(m);
        if (!m.Result)
            m.Result = reinterpret_cast<LRESULT>(m.WParam == ICON_BIG ? iconBig_
                                                                      : (iconSmall_ ? iconSmall_ : iconBig_));
        return;
    case WM_DESTROY:
        // The menu bar belongs to the main menu, not to the window: the window must not destroy it.
        if (menu_ && GetMenu(Handle()) == menu_->Handle()) ::SetMenu(Handle(), nullptr);
        DefaultHandler(m);
        if (Application && Application->MainForm() == this && !HasState(csDestroying))
            Application->Terminate();
        return;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (DispatchMenuMessage(m.Msg, m.WParam, m.LParam, m.Result)) return;
        // Not an item of ours: DefFrameProc activates a child from the window list, and so on.
        return TWinControl::WndProc(m);
    default: TWinControl::WndProc(m);
    }
}

// ======================================================================= TScreen

TCustomForm* TScreen::ActiveForm() const {
    HWND active = GetActiveWindow();
    for (TCustomForm* f : forms_)
        if (f->HandleAllocated() && f->Handle() == active) return f;
    return nullptr;
}

TFont& TScreen::MenuFont() {
    if (!menuFont_) {
        menuFont_ = std::make_unique<TFont>();
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof ncm;
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
            // Systems before Vista know the structure without its last field.
            ncm.cbSize = sizeof ncm - sizeof ncm.iPaddedBorderWidth;
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
        }
        if (ncm.lfMenuFont.lfFaceName[0]) menuFont_->SetHandle(CreateFontIndirectW(&ncm.lfMenuFont));
        menuFont_->SetColor(clMenuText);
    }
    return *menuFont_;
}

void TScreen::RemovePopupMenu(TComponent* menu) {
    popupMenus_.erase(std::remove(popupMenus_.begin(), popupMenus_.end(), menu), popupMenus_.end());
}

void TScreen::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

// ======================================================================= TApplication

const TClassInfo TApplication::ClassInfo_{"TApplication", &TComponent::ClassInfo_, &TComponent::Props};

namespace {
LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
    case WM_CLOSE:
        if (Application && Application->MainForm()) Application->MainForm()->Close();
        return 0;
    case CM_RELEASE: {
        // A form asked to be freed; it is freed only if it still exists.
        auto* form = reinterpret_cast<TCustomForm*>(lParam);
        for (int i = 0; i < Screen->FormCount(); ++i) {
            if (Screen->Forms(i) != form) continue;
            try {
                delete form;
            } catch (...) {
            }
            break;
        }
        return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
    DestroyComponents();
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    if (initialized_) return;
    initialized_ = true;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterFrameworkComponents();
}

HWND TApplication::Handle() {
    if (!handle_) {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &ApplicationWindowProc;
            wc.hInstance = HInstance();
            wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
            wc.lpszClassName = L"TApplication";
            return RegisterClassExW(&wc);
        }();
        if (!atom) return nullptr;
        // Hidden and never activated: it only owns the forms and carries the title.
        handle_ = CreateWindowExW(0, L"TApplication", title_.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                                  nullptr, nullptr, HInstance(), nullptr);
    }
    return handle_;
}

void TApplication::SetTitle(const std::wstring& title) {
    title_ = title;
    if (handle_) SetWindowTextW(handle_, title.c_str());
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    Deliver(msg);
    return true;
}

void TApplication::Deliver(MSG& msg) {
    bool handled = false;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        TCustomForm* f = Screen->ActiveForm();
        // Menu shortcuts first, then the MDI system keys (Ctrl+F4, Ctrl+F6), then tab and arrow
        // navigation between the controls of the active form.
        if (f) handled = f->IsShortCut(msg);
        if (!handled && f && f->ClientHandle())
            handled = TranslateMDISysAccel(f->ClientHandle(), &msg) != FALSE;
        if (!handled && f && !f->ClientHandle()) handled = IsDialogMessageW(f->Handle(), &msg) != FALSE;
        // A modeless dialog box of the program navigates its controls the same way.
        if (!handled && !f) {
            HWND active = GetActiveWindow();
            wchar_t cls[8] = {};
            if (active && GetClassNameW(active, cls, 8) && std::wstring_view(cls) == L"#32770")
                handled = IsDialogMessageW(active, &msg) != FALSE;
        }
    }
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    // GetMessageW waits in the same call that finds the queue empty; a peek and WaitMessage would ask the
    // system twice at every wake-up.
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        terminated_ = true;  // WM_QUIT
    } else if (got > 0) {
        Deliver(msg);
    }
}

void TApplication::Run() {
    Initialize();
    if (mainForm_ && ShowMainForm) mainForm_->Show();
    while (!terminated_) HandleMessage();
    // The forms go now, before anything the program tears down at exit.
    DestroyComponents();
    mainForm_ = nullptr;
}

void TApplication::FormDestroyed(TCustomForm* form) {
    if (form == mainForm_) mainForm_ = nullptr;
}
