// The control base, windowed controls and their window procedure, graphic and custom controls.
#include "platform/win/controls.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "platform/win/menus.h"
#include "platform/win/window_class.h"

LRESULT CALLBACK FrameworkWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

namespace {
constexpr std::array<std::string_view, 6> kAlignNames{"alNone", "alTop",   "alBottom",
                                                      "alLeft", "alRight", "alClient"};
constexpr std::array<std::string_view, 4> kBiDiNames{"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                                     "bdRightToLeftReadingOnly"};

std::wstring WideClassName(const TObject& o) {
    const std::string n = o.ClassName();
    return std::wstring(n.begin(), n.end());  // class names are ASCII
}

// The control the mouse is over; every window of a thread is driven by that thread's messages.
thread_local TControl* g_mouseControl = nullptr;

// Moves the mouse to control: the old one hears CM_MOUSELEAVE, the new one CM_MOUSEENTER.
void SetMouseControl(TControl* control) {
    if (control == g_mouseControl) return;
    TControl* old = g_mouseControl;
    g_mouseControl = control;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (control && control == g_mouseControl) control->Perform(CM_MOUSEENTER);
}

TMouseButton ButtonOf(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return mbLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return mbRight;
    default: return mbMiddle;
    }
}
}  // namespace

// ======================================================================= TControl

const PropTable TControl::Props{
    &TComponent::Props,
    {
        Prop::Int("Left", &TControl::Left, &TControl::SetLeft),
        Prop::Int("Top", &TControl::Top, &TControl::SetTop),
        Prop::Int("Width", &TControl::Width, &TControl::SetWidth),
        Prop::Int("Height", &TControl::Height, &TControl::SetHeight),
        Prop::Enum("Align", &TControl::Align, &TControl::SetAlign, PropNames{kAlignNames}),
        Prop::Enum("Visible", &TControl::Visible, &TControl::SetVisible, kBooleanNames),
        Prop::Enum("Enabled", &TControl::Enabled, &TControl::SetEnabled, kBooleanNames),
        Prop::Int("Color", &TControl::Color, &TControl::SetColor),
        Prop::Enum("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, kBooleanNames),
        Prop::Obj("Font", &TControl::Font),
        Prop::Enum("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, kBooleanNames),
        Prop::Enum("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode, PropNames{kBiDiNames}),
        Prop::Str("Hint", &TControl::Hint),
        Prop::Enum("ShowHint", &TControl::ShowHint, nullptr, kBooleanNames),
        Prop::Obj("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu),
        Prop::Event("OnClick", &TControl::OnClick),
        Prop::Event("OnMouseDown", &TControl::OnMouseDown),
    }};
const TClassInfo TControl::ClassInfo_{"TControl", &TComponent::ClassInfo_, &TControl::Props};

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_->OnChange = [this] {
        if (!inheriting_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    ForgetMouse();
    // Components owned by a control (skinners attached to it) go while the control is still whole:
    // they may hand back its WindowProc.
    Destroying();
    DestroyComponents();
    if (parent_) parent_->RemoveControl(this);
    font_->OnChange = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw std::invalid_argument("a control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    if (popupMenu_) RemoveFreeNotification(popupMenu_);
    popupMenu_ = menu;
    if (menu) FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    InvalidateControl(true);
    left_ = left, top_ = top, width_ = width, height_ = height;
    InvalidateControl(true);
    RequestAlign();
}

void TControl::SetClientWidth(int v) { SetWidth(width_ - ClientWidth() + v); }
void TControl::SetClientHeight(int v) { SetHeight(height_ - ClientHeight() + v); }

TPoint TControl::ClientToScreen(TPoint p) const {
    if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleAllocated()) {
        POINT pt{p.X, p.Y};
        ::ClientToScreen(const_cast<TWinControl*>(w)->Handle(), &pt);
        return {pt.x, pt.y};
    }
    if (!parent_) return p;
    return parent_->ClientToScreen({p.X + left_, p.Y + top_});
}

TPoint TControl::ScreenToClient(TPoint p) const {
    const TPoint origin = ClientToScreen({0, 0});
    return {p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    RequestAlign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (!visible) InvalidateControl(true);
    visible_ = visible;
    if (visible) InvalidateControl(true);
    Perform(CM_VISIBLECHANGED, visible, 0);
    RequestAlign();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
    InvalidateControl(false);
}

void TControl::SetText(const std::wstring& s) {
    auto* w = dynamic_cast<TWinControl*>(this);
    if (w && w->HandleAllocated()) {
        if (s == GetText()) return;
        SetWindowTextW(w->Handle(), s.c_str());  // through the window's whole procedure chain
    } else {
        if (s == text_) return;
        Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str()));
    }
}

void TControl::SetParentFont(bool value) {
    if (value == parentFont_) return;
    parentFont_ = value;
    if (value) ApplyParentFont();
}

void TControl::ApplyParentFont() {
    if (!parentFont_ || !parent_) return;
    inheriting_ = true;
    font_->Assign(*parent_->Font());
    inheriting_ = false;
}

void TControl::SetColor(TColor color) {
    if (!inheriting_) parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    if (value == parentColor_) return;
    parentColor_ = value;
    if (value) ApplyParentColor();
}

void TControl::ApplyParentColor() {
    if (!parentColor_ || !parent_) return;
    inheriting_ = true;
    SetColor(parent_->Color());
    inheriting_ = false;
}

TColor TControl::TextColorOn(TColor background) const {
    const TWinControl* w = dynamic_cast<const TWinControl*>(this);
    for (w = w ? w : parent_; w; w = w->parent_)
        if (w->faceText_) return FaceTextColor(font_->Color(), background, &*w->faceText_);
    return font_->Color();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::Invalidate() { InvalidateControl(true); }

void TControl::Repaint() {
    InvalidateControl(true);
    if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TControl::InvalidateControl(bool erase) {
    if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
    RECT r{left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->Handle(), &r, erase);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState, int, int) {}

void TControl::MouseUp(TMouseButton, TShiftState, int, int) {}

bool TControl::MouseCapture() const {
    if (auto* w = dynamic_cast<const TWinControl*>(this)) return w->handle_ && GetCapture() == w->handle_;
    return parent_ && parent_->captureControl_ == this && parent_->handle_ &&
           GetCapture() == parent_->handle_;
}

void TControl::SetMouseCapture(bool value) {
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
        if (value && w->handle_)
            SetCapture(w->handle_);
        else if (!value && w->handle_ && GetCapture() == w->handle_)
            ReleaseCapture();
        return;
    }
    if (!parent_ || !parent_->handle_) return;
    if (value) {
        parent_->captureControl_ = this;
        SetCapture(parent_->handle_);
    } else if (parent_->captureControl_ == this) {
        parent_->captureControl_ = nullptr;  // first: the release tells the parent WM_CAPTURECHANGED
        if (GetCapture() == parent_->handle_) ReleaseCapture();
    }
}

TControl* TControl::MouseControl() { return g_mouseControl; }

void TControl::ForgetMouse() {
    if (g_mouseControl == this) g_mouseControl = nullptr;
}

TWinControl* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    auto* w = dynamic_cast<const TWinControl*>(c);
    return w && w->InheritsFrom("TCustomForm") ? const_cast<TWinControl*>(w) : nullptr;
}

void TControl::RequestAlign() {
    if (parent_ && align_ != alNone) parent_->Realign(this);
}

void TControl::FontChanged() {
    AdjustSize();
    Invalidate();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::Loaded() {
    TComponent::Loaded();
    if (parentFont_) ApplyParentFont();
    if (parentColor_) ApplyParentColor();
    AdjustSize();
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        const TMouseButton b = ButtonOf(m.Msg);
        TShiftState shift = KeysToShiftState(m.WParam);
        if (m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK)
            shift |= ssDouble;
        if (b == mbLeft && clickEvents_) clicking_ = true;
        if (b == mbLeft && captureMouse_) SetMouseCapture(true);
        const POINT p = MousePoint(m.LParam);
        DefaultHandler(m);
        MouseDown(b, shift, p.x, p.y);
        return;
    }
    case WM_MOUSEMOVE: {
        DefaultHandler(m);
        const POINT p = MousePoint(m.LParam);
        MouseMove(KeysToShiftState(m.WParam), p.x, p.y);
        return;
    }
    case WM_LBUTTONUP: {
        const bool wasClicking = clicking_;
        clicking_ = false;
        if (captureMouse_) SetMouseCapture(false);
        DefaultHandler(m);
        const POINT p = MousePoint(m.LParam);
        MouseUp(mbLeft, KeysToShiftState(m.WParam), p.x, p.y);
        if (wasClicking && ClientRect().Contains({p.x, p.y})) Click();
        return;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        DefaultHandler(m);
        const POINT p = MousePoint(m.LParam);
        MouseUp(ButtonOf(m.Msg), KeysToShiftState(m.WParam), p.x, p.y);
        return;
    }
    case WM_SETTEXT: {
        text_ = m.LParam ? reinterpret_cast<const wchar_t*>(m.LParam) : L"";
        m.Result = TRUE;
        TextChanged();
        const TRect before = BoundsRect();
        AdjustSize();
        // In its old place an opaque control paints its new text over the old one at once; the parent
        // repaints only what a moved or resized control uncovered (SetBounds invalidated that).
        if (BoundsRect() != before || !PaintInPlace()) Invalidate();
        return;
    }
    case WM_GETTEXTLENGTH: m.Result = LRESULT(text_.size()); return;
    case WM_GETTEXT: {
        if (m.WParam == 0 || !m.LParam) return;
        const std::size_t n = std::min<std::size_t>(text_.size(), std::size_t(m.WParam) - 1);
        auto* out = reinterpret_cast<wchar_t*>(m.LParam);
        std::copy_n(text_.c_str(), n, out);
        out[n] = 0;
        m.Result = LRESULT(n);
        return;
    }
    case CM_PARENTFONTCHANGED: ApplyParentFont(); return;
    case CM_PARENTCOLORCHANGED: ApplyParentColor(); return;
    default: DefaultHandler(m);
    }
}

void TControl::DefaultHandler(TMessage& m) {}

// ======================================================================= TWinControl

const PropTable TWinControl::Props{
    &TControl::Props,
    {
        Prop::Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
        Prop::Enum("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, kBooleanNames),
        Prop::Enum("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered,
                   kBooleanNames),
    }};
const TClassInfo TWinControl::ClassInfo_{"TWinControl", &TControl::ClassInfo_, &TWinControl::Props};

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // The window goes first, so the children and then this control get their last messages while
    // every object is still whole; then this control leaves its parent (while it is still a windowed
    // control, so it leaves the tab list too) and the children leave it.
    ForgetMouse();
    Destroying();
    DestroyHandle();
    DestroyComponents();
    if (Parent()) Parent()->RemoveControl(this);
    while (!controls_.empty()) controls_.back()->SetParent(nullptr);
}

HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    return handle_;
}

void TWinControl::CreateHandle() {
    if (handle_ || creating_ || HasState(csDestroying)) return;  // no new window for a dying control
    if (parent_) parent_->HandleNeeded();
    if (handle_) return;  // made with the parent's
    creating_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{creating_};
    CreateWnd();
    if (!handle_) throw std::runtime_error("the window could not be made");
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    CreateChildHandles();
}

void TWinControl::CreateChildHandles() {
    // In tab order, so that the z-order follows it.
    for (TWinControl* c : std::vector<TWinControl*>(tabList_))
        if (!c->HandleAllocated()) c->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = text_;
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    p.WinClassName = WideClassName(*this);
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) p.Style |= WS_VISIBLE;
    if (!enabled_) p.Style |= WS_DISABLED;
    if (tabStop_) p.Style |= WS_TABSTOP;
    if (parent_) {
        p.WndParent = parent_->Handle();
    } else {
        p.WndParent = parentWindow_;
    }
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if ((p.Style & WS_CHILD) && !p.WndParent)
        throw std::runtime_error("a child control has no parent window");
    const TWindowClassRecord& rec =
        RegisterFrameworkClass(p.WinClassName, p.BaseClass, &FrameworkWindowProc, p.ClassStyle);
    baseProc_ = rec.baseProc;
    standardControl_ = p.BaseClass != nullptr;
    HWND h = CreateWindowHandle(p);
    if (!h) throw std::runtime_error("CreateWindowExW failed");
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& p) {
    // The object is bound to the window at WM_NCCREATE, from lpCreateParams.
    return CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                           p.Height, p.WndParent, reinterpret_cast<HMENU>(p.ID), HInstance(), this);
}

bool TWinControl::DoContextPopup(POINT screen) {
    TPopupMenu* menu = PopupMenu();
    if (!menu || !menu->AutoPopup || !handle_) return false;
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: the middle of the control.
        RECT r;
        GetClientRect(handle_, &r);
        screen = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(handle_, &screen);
    }
    menu->SetPopupComponent(this);
    menu->Popup(screen.x, screen.y);
    return true;
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    // Keep the text: the window held it.
    text_ = GetText();
    DestroyWindow(handle_);
    // WM_NCDESTROY has cleared handle_ (and the children's); a window that was not ours to destroy
    // (another thread) leaves it set, so forget it here.
    if (handle_) WindowGone();
}

void TWinControl::WindowGone() {
    if (!handle_) return;
    HWND h = handle_;
    if (const TWindowClassRecord* rec = FrameworkClassOf(h); rec && IsWindow(h))
        SetWindowLongPtrW(h, rec->slot, 0);
    if (IsWindow(h)) RemoveFrameworkObjectProperty(h);
    handle_ = nullptr;
    HandleDestroyed();
}

void TWinControl::SetParentWindow(HWND parent) {
    if (parent == parentWindow_) return;
    parentWindow_ = parent;
    if (handle_ && !parent_) ::SetParent(handle_, parent);
}

void TWinControl::InsertControl(TControl* control) {
    control->parent_ = this;
    controls_.push_back(control);
    if (auto* w = dynamic_cast<TWinControl*>(control)) tabList_.push_back(w);
    control->ApplyParentFont();
    control->ApplyParentColor();
    if (auto* w = dynamic_cast<TWinControl*>(control); w && handle_) {
        if (w->handle_)
            ::SetParent(w->handle_, handle_);
        else if (!HasState(csLoading))
            w->CreateHandle();
    }
    if (control->align_ != alNone) Realign(control);
    control->InvalidateControl(true);
}

void TWinControl::RemoveControl(TControl* control) {
    control->InvalidateControl(true);
    TWinControl* top = this;
    while (top->Parent()) top = top->Parent();
    top->ChildRemoved(control);
    if (captureControl_ == control) control->SetMouseCapture(false);
    if (g_mouseControl == control) g_mouseControl = nullptr;
    auto* w = dynamic_cast<TWinControl*>(control);
    if (w && w->handle_ && !HasState(csDestroying)) {
        // The window cannot stay a child of a window it no longer belongs to.
        w->DestroyHandle();
    }
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (w) tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    control->parent_ = nullptr;
    if (control->align_ != alNone) Realign();
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (HasState(csLoading)) {
        tabOrder_ = order;  // the siblings may not all exist yet
        return;
    }
    if (!Parent()) return;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (order < 0) order = 0;
    if (order > int(list.size())) order = int(list.size());
    list.insert(list.begin() + order, this);
    if (handle_) {
        // Keep the z-order in tab order, which dialog navigation follows.
        HWND after = order == 0 ? HWND_TOP : list[std::size_t(order) - 1]->handle_;
        if (after) SetWindowPos(handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TWinControl::SetTabStop(bool value) {
    if (value == tabStop_) return;
    tabStop_ = value;
    if (handle_) {
        LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP));
        SetWindowLongPtrW(handle_, GWL_STYLE, style);
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindChildControl(HWND hwnd) const {
    for (TWinControl* c : tabList_) {
        if (c->handle_ == hwnd) return c;
        if (TWinControl* deeper = c->FindChildControl(hwnd)) return deeper;
    }
    return nullptr;
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (Handle()) ::SetFocus(handle_);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

TRect TWinControl::ClientRect() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return ToTRect(r);
    }
    return TControl::ClientRect();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (handle_) {
        // WM_SIZE lays the children out and reads the bounds back.
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBounds();
    } else {
        Realign();
    }
    RequestAlign();
}

void TWinControl::UpdateBounds() {
    if (!handle_) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(handle_);
        if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    left_ = r.left, top_ = r.top, width_ = r.right - r.left, height_ = r.bottom - r.top;
}

void TWinControl::SetVisible(bool visible) {
    if (visible == Visible()) return;
    TControl::SetVisible(visible);
    if (handle_) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

void TWinControl::SetEnabled(bool enabled) {
    if (enabled == Enabled()) return;
    TControl::SetEnabled(enabled);
    if (handle_) EnableWindow(handle_, enabled);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Repaint() {
    if (!handle_) return;
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::wstring TWinControl::GetText() const { return handle_ ? WindowText(handle_) : text_; }

void TWinControl::FontChanged() {
    if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTFONTCHANGED, 0, 0);
    TControl::FontChanged();
}

void TWinControl::ColorChanged() {
    brush_.reset();
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    TControl::ColorChanged();
}

HBRUSH TWinControl::BackgroundBrush() {
    if (!brush_ || brushColor_ != color_) {
        brush_.reset(CreateSolidBrush(ColorToRGB(color_)));
        brushColor_ = color_;
    }
    return brush_.get();
}

void TWinControl::SetFaceText(const std::optional<TFaceText>& scheme) {
    if (scheme == faceText_) return;
    faceText_ = scheme;
    if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinControl::Realign(TControl* moved) {
    if (alignLevel_ > 0 || HasState(csLoading) || HasState(csDestroying)) {
        alignPending_ = true;
        return;
    }
    alignPending_ = false;
    TRect r = ClientRect();
    ++alignLevel_;
    alignMoved_ = moved;
    try {
        AlignControls(r);
    } catch (...) {
        alignMoved_ = nullptr;
        --alignLevel_;
        throw;
    }
    alignMoved_ = nullptr;
    --alignLevel_;
}

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0 && --alignLevel_ == 0 && alignPending_) Realign();
}

void TWinControl::AlignControls(TRect& rect) {
    auto place = [&](TAlign align) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->align_ == align && c->Visible()) list.push_back(c);
        // Top: from the top down; bottom: the lowest first; likewise left and right. At the same place,
        // the control just moved goes first.
        auto key = [align](const TControl* c) {
            switch (align) {
            case alTop: return c->top_;
            case alBottom: return -(c->top_ + c->height_);
            case alLeft: return c->left_;
            case alRight: return -(c->left_ + c->width_);
            default: return 0;
            }
        };
        TControl* moved = alignMoved_;
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
            const int ka = key(a), kb = key(b);
            if (ka != kb) return ka < kb;
            return a == moved && b != moved;
        });
        for (TControl* c : list) {
            const int w = c->width_, h = c->height_;
            switch (align) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), h);
                rect.Top += h;
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
                rect.Bottom -= h;
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, w, rect.Height());
                rect.Left += w;
                break;
            case alRight:
                c->SetBounds(rect.Right - w, rect.Top, w, rect.Height());
                rect.Right -= w;
                break;
            case alClient: c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); break;
            default: break;
            }
            if (rect.Bottom < rect.Top) rect.Bottom = rect.Top;
            if (rect.Right < rect.Left) rect.Right = rect.Left;
        }
    };
    place(alTop);
    place(alBottom);
    place(alLeft);
    place(alRight);
    place(alClient);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (tabOrder_ >= 0) {
        const int order = tabOrder_;
        tabOrder_ = -1;
        SetTabOrder(order);
    }
    Realign();
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
    if (it == controls_.end()) it = controls_.begin();
    const std::vector<TControl*> list(it, controls_.end());
    RECT clip;
    const bool haveClip = GetClipBox(dc, &clip) != ERROR;
    for (TControl* c : list) {
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end())
            continue;  // removed meanwhile
        RECT r{c->left_, c->top_, c->left_ + c->width_, c->top_ + c->height_}, overlap;
        if (haveClip && !IntersectRect(&overlap, &r, &clip)) continue;
        SavedDC saved{dc};
        POINT org;
        GetViewportOrgEx(dc, &org);
        SetViewportOrgEx(dc, org.x + c->left_, org.y + c->top_, nullptr);
        IntersectClipRect(dc, 0, 0, c->width_, c->height_);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::PaintWindow(HDC dc) {
    if (!standardControl_) return;  // plain windows have nothing of their own to paint
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintHandler(HDC dc) {
    PaintWindow(dc);
    PaintControls(dc, nullptr);
}

void TWinControl::WMPaint(TMessage& m) {
    HDC given = PassedDc(m);
    if (given) {
        if (standardControl_ && controls_.empty())
            DefaultHandler(m);
        else
            PaintHandler(given);
        return;
    }
    if (!doubleBuffered_) {
        if (standardControl_ && controls_.empty()) return DefaultHandler(m);
        inBeginPaint_ = true;
        PaintDC paint{handle_};
        inBeginPaint_ = false;
        PaintHandler(paint);
        return;
    }
    inBeginPaint_ = true;
    PaintDC paint{handle_};
    inBeginPaint_ = false;
    RECT client;
    GetClientRect(handle_, &client);
    BufferDC buffer{paint, client};
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.get()), reinterpret_cast<LPARAM>(buffer.get()));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(buffer.get()), 0);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
    // A double-buffered control erases into its buffer; the erase that BeginPaint asks for would flicker.
    if (doubleBuffered_ && inBeginPaint_) {
        m.Result = 1;
        return;
    }
    if (standardControl_) return DefaultHandler(m);
    HDC dc = PassedDc(m);
    RECT r;
    GetClientRect(handle_, &r);
    FillRect(dc, &r, BackgroundBrush());
    m.Result = 1;
}

void TWinControl::TrackMouseControl(POINT p) {
    RECT client;
    GetClientRect(handle_, &client);
    TControl* over = nullptr;
    if (PtInRect(&client, p)) {
        over = this;
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
            TControl* c = *it;
            if (dynamic_cast<TWinControl*>(c) || !c->Visible() || !c->Enabled()) continue;
            if (c->BoundsRect().Contains({p.x, p.y})) {
                over = c;
                break;
            }
        }
        // The platform says when the mouse leaves the window (for a child window too).
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        TrackMouseEvent(&track);
    }
    SetMouseControl(over);
}

void TWinControl::MouseLeft() {
    TControl* c = g_mouseControl;
    // The notice comes late on some platforms: the mouse may already be over another window's control.
    if (c && (c == this || (c->parent_ == this && !dynamic_cast<TWinControl*>(c)))) SetMouseControl(nullptr);
}

bool TWinControl::RelayMouse(TMessage& m) {
    const POINT p = MousePoint(m.LParam);
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible() || !c->Enabled()) continue;
        if (!c->BoundsRect().Contains({p.x, p.y})) continue;
        m.Result = c->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - c->left_, p.y - c->top_));
        return true;
    }
    return false;
}

void TWinControl::Reflect(TMessage& m, HWND child, UINT notice) {
    TWinControl* c = FindControl(child);
    if (c && c != this) {
        m.Result = c->Perform(notice, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT: return WMPaint(m);
    case WM_ERASEBKGND: return WMEraseBkgnd(m);
    case WM_SETTEXT:
        DefaultHandler(m);
        if (!handle_) {
            text_ = m.LParam ? reinterpret_cast<const wchar_t*>(m.LParam) : L"";
            m.Result = TRUE;
        }
        TextChanged();
        return;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        if (handle_) return DefaultHandler(m);
        return TControl::WndProc(m);
    case WM_COMMAND:
        // Notices from child controls go to the child object by a direct call.
        if (m.LParam) return Reflect(m, reinterpret_cast<HWND>(m.LParam), CN_BASE + WM_COMMAND);
        return DefaultHandler(m);
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr && hdr->hwndFrom && hdr->hwndFrom != handle_) return Reflect(m, hdr->hwndFrom, CN_NOTIFY);
        return DefaultHandler(m);
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        if (dis && dis->CtlType != ODT_MENU && dis->hwndItem) return Reflect(m, dis->hwndItem, CN_DRAWITEM);
        return DefaultHandler(m);
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (m.LParam) return Reflect(m, reinterpret_cast<HWND>(m.LParam), CN_BASE + m.Msg);
        return DefaultHandler(m);
    case WM_SYSCHAR:
        // Alt+letter on a control: the form it sits on has the first word (its menu's accelerators).
        if ((HIWORD(m.LParam) & KF_ALTDOWN) && parent_) {
            TWinControl* top = this;
            while (top->Parent()) top = top->Parent();
            if (top->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) {
                m.Result = 0;
                return;
            }
        }
        return DefaultHandler(m);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        Reflect(m, reinterpret_cast<HWND>(m.LParam), CN_BASE + m.Msg);
        if (!m.Result) DefaultHandler(m);  // the child has no colours of its own
        return;
    case CN_BASE + WM_CTLCOLOREDIT:
    case CN_BASE + WM_CTLCOLORLISTBOX:
    case CN_BASE + WM_CTLCOLORBTN:
    case CN_BASE + WM_CTLCOLORSTATIC: {
        HDC dc = PassedDc(m);
        SetTextColor(dc, ColorToRGB(TextColor()));
        SetBkColor(dc, ColorToRGB(color_));
        m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
        return;
    }
    case WM_SIZE:
        DefaultHandler(m);
        UpdateBounds();
        Realign();
        return;
    case WM_MOVE:
        DefaultHandler(m);
        UpdateBounds();
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (m.Msg == WM_MOUSEMOVE) TrackMouseControl(MousePoint(m.LParam));
        if (captureControl_ && GetCapture() == handle_) {
            // A windowless child holds the mouse: everything goes to it, in its own coordinates
            // (negative ones too, left of or above it).
            TControl* c = captureControl_;
            const POINT p = MousePoint(m.LParam);
            m.Result = c->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - c->left_, p.y - c->top_));
            return;
        }
        if (GetCapture() != handle_ && RelayMouse(m)) return;
        return TControl::WndProc(m);
    case WM_MOUSELEAVE:
        DefaultHandler(m);
        MouseLeft();
        return;
    case WM_CAPTURECHANGED:
        if (TControl* c = captureControl_) {
            captureControl_ = nullptr;
            c->Perform(m.Msg, m.WParam, m.LParam);
        }
        return DefaultHandler(m);
    case WM_SETFOCUS:
        DefaultHandler(m);
        if (TWinControl* form = ParentForm(); form && form != this) form->ChildFocused(this);
        return;
    case CM_FOCUSCHANGED:
        // Every control of the form hears where the focus went (lParam: the control that has it).
        for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(m.Msg, m.WParam, m.LParam);
        return;
    case WM_CLOSE:
        // A child control is never closed by a message: its object owns the window. (A multi-line edit
        // under dialog navigation posts WM_CLOSE to its parent on Esc.)
        if (handle_ && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD)) {
            m.Result = 0;
            return;
        }
        return DefaultHandler(m);
    case WM_CONTEXTMENU:
        // Our own menu first; otherwise the platform passes the request on to the parent window.
        if (reinterpret_cast<HWND>(m.WParam) == handle_ && DoContextPopup(MousePoint(m.LParam))) {
            m.Result = 0;
            return;
        }
        return DefaultHandler(m);
    case WM_NCDESTROY:
        DefaultHandler(m);
        return;  // the window procedure unbinds after the whole chain has seen it
    default: return TControl::WndProc(m);
    }
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!handle_) {
        TControl::DefaultHandler(m);
        return;
    }
    m.Result = CallWindowProcW(baseProc_ ? baseProc_ : DefWindowProcW, handle_, m.Msg, m.WParam, m.LParam);
}

namespace {
// The object a framework window is made for, from its creation record.
TWinControl* CreationObject(const CREATESTRUCTW& cs) {
    if (!cs.lpCreateParams) return nullptr;
    // An MDI child gets its creation parameter inside the MDI creation record.
    if (cs.dwExStyle & WS_EX_MDICHILD)
        return reinterpret_cast<TWinControl*>(
            reinterpret_cast<const MDICREATESTRUCTW*>(cs.lpCreateParams)->lParam);
    return static_cast<TWinControl*>(cs.lpCreateParams);
}
}  // namespace

TWinControl* FrameworkObjectOfCreation(HWND hwnd, const CREATESTRUCTW& cs) {
    return FrameworkClassOf(hwnd) ? CreationObject(cs) : nullptr;
}

// The procedure of every framework window class. Finds the object in the window's extra bytes (bound at
// WM_NCCREATE from lpCreateParams) and hands the message to its WindowProc. Nothing is thrown out of it.
LRESULT CALLBACK FrameworkWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    const TWindowClassRecord* rec = FrameworkClassOf(hwnd);
    if (!rec) return DefWindowProcW(hwnd, msg, wParam, lParam);
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, rec->slot));
    if (!self) {
        // Messages before WM_NCCREATE (WM_GETMINMAXINFO) go to the class's own procedure.
        if (msg != WM_NCCREATE || !lParam) return CallWindowProcW(rec->baseProc, hwnd, msg, wParam, lParam);
        self = CreationObject(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
        if (!self) return CallWindowProcW(rec->baseProc, hwnd, msg, wParam, lParam);
        SetWindowLongPtrW(hwnd, rec->slot, reinterpret_cast<LONG_PTR>(self));
        SetFrameworkObjectProperty(hwnd, self);
        self->handle_ = hwnd;
        self->baseProc_ = rec->baseProc;
    }
    TMessage m{msg, wParam, lParam, 0};
    try {
        if (self->WindowProc)
            self->WindowProc(m);
        else
            self->WndProc(m);
    } catch (...) {
        // Never unwind into the window manager.
    }
    if (msg == WM_NCDESTROY) self->WindowGone();
    return m.Result;
}

TWinControl* FindControl(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (const TWindowClassRecord* rec = FrameworkClassOf(hwnd))
        if (auto* c = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, rec->slot))) return c;
    return static_cast<TWinControl*>(FrameworkObjectOfWindow(hwnd));
}

// ======================================================================= TGraphicControl

const TClassInfo TGraphicControl::ClassInfo_{"TGraphicControl", &TControl::ClassInfo_, &TControl::Props};

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}
TGraphicControl::~TGraphicControl() = default;

namespace {

// Runs paint with canvas bound to dc and locked; the canvas is unlocked and unbound, and the dc's state
// restored, on every way out.
template <class Paint>
void PaintOnCanvas(TCanvas& canvas, HDC dc, Paint paint) {
    SavedDC saved{dc};
    CanvasBinding bind{canvas, dc};
    canvas.Lock();
    struct Unlock {
        TCanvas& c;
        ~Unlock() { c.Unlock(); }
    } unlock{canvas};
    paint();
}

}  // namespace

bool TGraphicControl::PaintInPlace() {
    TWinControl* parent = Parent();
    if (!Opaque() || !Visible() || Width() <= 0 || Height() <= 0 || !parent || !parent->HandleAllocated())
        return false;
    const HWND h = parent->Handle();
    if (!IsWindowVisible(h)) return false;
    ClientDC dc(h);
    if (!dc) return false;
    const RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    if (parent->DoubleBuffered()) {
        BufferDC buffer(dc, r);
        parent->PaintControls(buffer, this);
    } else {
        parent->PaintControls(dc, this);
    }
    return true;
}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        HDC dc = PassedDc(m);
        if (!dc) return;
        PaintOnCanvas(canvas_, dc, [this] { Paint(); });
        return;
    }
    TControl::WndProc(m);
}

// ======================================================================= TCustomControl

const TClassInfo TCustomControl::ClassInfo_{"TCustomControl", &TWinControl::ClassInfo_, &TWinControl::Props};

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}
TCustomControl::~TCustomControl() { canvas_.SetHandle(nullptr); }

void TCustomControl::PaintWindow(HDC dc) {
    PaintOnCanvas(canvas_, dc, [this] { Paint(); });
}

void TCustomControl::Paint() {
    canvas_.Brush().SetColor(Color());
    canvas_.FillRect(ClientRect());
}
