// Controls: the control base, windowed controls (real windows of framework classes), windowless graphic
// controls painted by their parent, and custom-painted controls.
#pragma once

#include "platform/component.h"
#include "platform/face_text.h"
#include "platform/props.h"
#include "platform/types.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/graphics.h"
#include "platform/win/messages.h"
#include "platform/win/sys_utils.h"

class TWinControl;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// The method every message of a control passes through (WindowProc). Replaceable per object: a skinner
// saves the current one, installs its own and calls the saved one for what it passes on.
using TWndMethod = std::function<void(TMessage&)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

class TControl : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- parent and geometry (client coordinates of the parent; screen coordinates for top-level forms)
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int v);
    virtual void SetClientHeight(int v);
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    // ---- state
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent up to a top-level window.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // ---- text, font, colour (text is UTF-16 throughout)
    std::wstring Caption() const { return GetText(); }
    void SetCaption(const std::wstring& s) { SetText(s); }
    std::wstring Text() const { return GetText(); }
    // Sends WM_SETTEXT (through the window when there is one), so everything on the message path sees it.
    void SetText(const std::wstring& s);

    TFont* Font() const { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode) { biDiMode_ = mode; }
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
    // The colour the control draws its text in on a background of colour background: its font's colour,
    // or the face text colour of a window it sits on (TWinControl::SetFaceText).
    TColor TextColorOn(TColor background) const;
    TColor TextColor() const { return TextColorOn(color_); }

    std::wstring Hint;
    bool ShowHint = false;
    // The menu a right click (WM_CONTEXTMENU) on the control opens.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    // ---- events and messages
    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TWndMethod WindowProc;

    // Sends a message to this control through WindowProc, window or not.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void Click();
    virtual void Invalidate();
    // Repaints at once.
    virtual void Repaint();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // While set, the control gets every mouse message, wherever the mouse goes (a windowless control
    // through its parent, which holds the platform's capture for it). Released with the button.
    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    // The control under the mouse on this thread (nullptr: none of ours). The framework follows the mouse
    // from control to control, windowless ones included, and tells each control CM_MOUSEENTER when the
    // mouse comes over it and CM_MOUSELEAVE when it goes.
    static TControl* MouseControl();
    // The form this control sits on (nullptr when none).
    TWinControl* ParentForm() const;

    // The default WindowProc: the control's own message handling.
    virtual void WndProc(TMessage& m);
    // What a message gets when the control does nothing with it.
    virtual void DefaultHandler(TMessage& m);

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    virtual std::wstring GetText() const { return text_; }
    // Asks the parent to lay out its aligned children again.
    void RequestAlign();
    // Redraw of this control's area on its parent (graphic controls).
    void InvalidateControl(bool erase);
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged() {}
    // The control paints every pixel of its rectangle itself (nothing of its parent shows through).
    virtual bool Opaque() const { return false; }
    // Paints the control at once where it stands, without its parent; false when it cannot (then it
    // must be invalidated).
    virtual bool PaintInPlace() { return false; }
    // Size to content (labels); called after text or font changes.
    virtual void AdjustSize() {}
    void SetBoundsQuiet(int left, int top, int width, int height) {
        left_ = left, top_ = top, width_ = width, height_ = height;
    }

    // Mouse presses make a Click on release inside the control.
    bool clickEvents_ = false;
    // A left press captures the mouse until its release.
    bool captureMouse_ = false;
    // The mouse is no longer over this control (it is going away).
    void ForgetMouse();
    std::wstring text_;
    TColor color_ = clBtnFace;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

private:
    friend class TWinControl;
    void ApplyParentFont();
    void ApplyParentColor();

    TWinControl* parent_ = nullptr;
    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool parentColor_ = false;
    bool inheriting_ = false;  // copying the parent's font or colour: keep the Parent* flags
    bool clicking_ = false;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TPopupMenu* popupMenu_ = nullptr;
};

// What CreateParams fills in before a window is made.
struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    UINT_PTR ID = 0;
    // The framework class name (ClassName() by default), and the standard control it copies (nullptr:
    // a plain window).
    std::wstring WinClassName;
    const wchar_t* BaseClass = nullptr;
    UINT ClassStyle = 0;
};

class TWinControl : public TControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, made on first use (with the parent's, and the windowed children's).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // A raw window as the parent, for controls without a framework parent.
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND parent);

    // Children in z-order (creation order).
    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(std::size_t(index)); }
    // Windowed children in tab order.
    const std::vector<TWinControl*>& TabList() const { return tabList_; }
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    // Every windowed control below this one in tab order, each container followed by its own.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The child whose window is hwnd (or a deeper one); nullptr when none.
    TWinControl* FindChildControl(HWND hwnd) const;

    virtual bool CanFocus() const;
    void SetFocus();
    bool Focused() const;

    // Paints the windowless children onto dc (the control's client coordinates), starting at first
    // (nullptr: all), each through its WindowProc as WM_PAINT with the dc in wParam.
    void PaintControls(HDC dc, TControl* first);
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

    TRect ClientRect() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    void Repaint() override;

    // Lays out the aligned children again (held while loading or DisableAlign is in force). moved: the
    // child whose bounds were just set; it keeps its place ahead of siblings at the same position.
    void Realign(TControl* moved = nullptr);
    void DisableAlign() { ++alignLevel_; }
    void EnableAlign();

    // The brush of the control's colour (for WM_CTLCOLORxxx answers and background fills).
    HBRUSH BackgroundBrush();

    // How default-coloured text is drawn on a face colour of a skin, for every control below this one
    // (nullopt: as the platform draws it). A change repaints the window with its children.
    const std::optional<TFaceText>& FaceText() const { return faceText_; }
    void SetFaceText(const std::optional<TFaceText>& scheme);

    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    void Loaded() override;

protected:
    virtual void CreateParams(TCreateParams& params);
    // Makes the window; descendants that need more after creation override and call the inherited one.
    virtual void CreateWnd();
    // The platform call that makes the window of CreateWnd (CreateWindowExW with this object as the
    // creation parameter); MDI children are made through their client window instead.
    virtual HWND CreateWindowHandle(const TCreateParams& params);
    // A right click asked for the context menu at a screen point (-1, -1: from the keyboard); true when
    // a popup menu was shown.
    virtual bool DoContextPopup(POINT screen);
    // The WM_PAINT content: the standard control's own painting (on dc), or Paint for custom controls.
    virtual void PaintWindow(HDC dc);
    virtual void AlignControls(TRect& rect);
    std::wstring GetText() const override;
    void FontChanged() override;
    void ColorChanged() override;
    // Called after the window is gone (WM_NCDESTROY), or at the end of DestroyHandle.
    virtual void HandleDestroyed() {}
    // Reads the bounds back from the window after it moved.
    void UpdateBounds();
    // A control below this one took the focus (forms remember it).
    virtual void ChildFocused(TWinControl* control) {}
    // A control below this one (with all below it) left its parent (forms forget it).
    virtual void ChildRemoved(TControl* control) {}

private:
    friend class TControl;
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void CreateHandle();
    void CreateChildHandles();
    void PaintHandler(HDC dc);
    void WMPaint(TMessage& m);
    void WMEraseBkgnd(TMessage& m);
    bool RelayMouse(TMessage& m);
    // The control under p (this window's client coordinates) becomes the mouse control.
    void TrackMouseControl(POINT p);
    // The mouse left this window: neither it nor a windowless child of it is under the mouse any more.
    void MouseLeft();
    void Reflect(TMessage& m, HWND child, UINT notice);
    void WindowGone();

    HWND handle_ = nullptr;
    HWND parentWindow_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    bool standardControl_ = false;
    bool creating_ = false;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int tabOrder_ = -1;  // read from a description; applied in Loaded
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    bool inBeginPaint_ = false;
    int alignLevel_ = 0;
    bool alignPending_ = false;
    TControl* alignMoved_ = nullptr;
    TControl* captureControl_ = nullptr;  // the windowless child this window holds the mouse for
    Owned<HBRUSH> brush_;
    TColor brushColor_ = clNone;
    std::optional<TFaceText> faceText_;
};

// The framework object of a window made by this framework on the current thread (its window property);
// nullptr for other windows and for 0.
TWinControl* FindControl(HWND hwnd);
// The framework object a window of a framework class is being made for, from its creation record (before
// the window is bound to it, as a creation hook sees it); nullptr for windows of other classes.
TWinControl* FrameworkObjectOfCreation(HWND hwnd, const CREATESTRUCTW& cs);

// A windowless control: it lives on its parent's surface and is painted by the parent's PaintControls.
class TGraphicControl : public TControl {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas& Canvas() { return canvas_; }
    void WndProc(TMessage& m) override;

protected:
    virtual void Paint() {}
    // An opaque control is painted on a dc of its parent's window, with the windowless controls above it.
    bool PaintInPlace() override;

private:
    TCanvas canvas_;
};

// A windowed control that paints itself with its canvas (Paint) on a plain window.
class TCustomControl : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas& Canvas() { return canvas_; }

protected:
    void PaintWindow(HDC dc) override;
    virtual void Paint();

private:
    TCanvas canvas_;
};
