// Forms, the application object with its message loop, and the screen.
#pragma once

#include "platform/win/controls.h"
#include "platform/win/menus.h"
#include "platform/win/std_controls.h"

#include <memory>
#include <vector>

enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = SetOf<TBorderIcon>;
constexpr TBorderIcon biSystemMenu = TBorderIcon::biSystemMenu;
constexpr TBorderIcon biMinimize = TBorderIcon::biMinimize;
constexpr TBorderIcon biMaximize = TBorderIcon::biMaximize;
constexpr TBorderIcon biHelp = TBorderIcon::biHelp;

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TTileMode { tbHorizontal, tbVertical };

// A top-level window of its own framework class (a form class TForm1 makes windows of class "TForm1").
// It is owned by the application window; the main form also gets a taskbar button.
class TCustomForm : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }

    // ---- menu bar
    TMainMenu* Menu() const { return menu_; }
    // The main menu shown as the form's menu bar (nullptr: none).
    void SetMenu(TMainMenu* menu);
    // Clicks the item of the form's menus that has the key of msg (a WM_KEYDOWN or WM_SYSKEYDOWN) and the
    // keyboard's modifiers as its shortcut; false when none has.
    bool IsShortCut(const MSG& msg);

    // ---- multiple document interface
    // fsMDIForm: the client area holds an MDI client window (ClientHandle) whose children are the
    // fsMDIChild forms. Set before the window is made.
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    // The MDI client window of an fsMDIForm (nullptr otherwise, or before the window exists).
    HWND ClientHandle() const { return clientHandle_; }
    // The item whose submenu lists the MDI children (the platform appends them).
    TMenuItem* WindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* item);
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    TTileMode TileMode = tbHorizontal;
    void Tile();
    void Cascade();
    void ArrangeIcons();
    void Next();
    void Previous();
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    // Frees the form once the messages now waiting have run (never inside its own message handling).
    void Release();

    TRect ClientRect() const override;
    void SetClientWidth(int v) override;
    void SetClientHeight(int v) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;

    // Big and small icons sent with WM_SETICON (and answered to WM_GETICON). owned: destroyed with the form.
    void SetIcon(HICON big, HICON small, bool owned);
    HICON Icon() const { return iconBig_; }
    // Loads the named icon resource of the program at both sizes.
    bool LoadIconResource(const wchar_t* name);

    // Hides the form; closing the main form ends the application's message loop. The objects stay.
    void Close();
    // OnCreate, once: the application object calls it after the form is made (and its description
    // read); code that builds a form itself calls it when ready.
    void DoCreate();
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Focuses the first control that takes the focus, in tab order.
    bool SelectFirst();
    // Focuses the active control, or else the first one.
    void FocusControl();
    // Some descriptions carry these; they change nothing here.
    bool AutoScroll = false;
    int PixelsPerInch = 96;
    int TextHeight = 13;
    bool OldCreateOrder = false;

    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    HWND CreateWindowHandle(const TCreateParams& params) override;
    void AlignControls(TRect& rect) override;
    void HandleDestroyed() override;
    // Window style and extended style for the border settings.
    void FrameStyles(DWORD& style, DWORD& exStyle) const;
    // The focus moved to control: the controls it left hear CM_EXIT, every control CM_FOCUSCHANGED.
    void ChildFocused(TWinControl* control) override;
    void ChildRemoved(TControl* control) override;
    TSize FrameSize() const;

private:
    friend class TWinControl;
    friend class TApplication;
    friend class TMainMenu;
    void ApplyPosition();
    void UpdateFrameStyle();
    void MenuGone(TMainMenu* menu);
    void ShowMenu();
    void CreateClient();
    TCustomForm* MDIForm() const;

    TBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    int clientWidth_ = -1, clientHeight_ = -1;  // asked for before the window exists
    bool positioned_ = false;
    bool created_ = false;
    bool isMain_ = false;
    HICON iconBig_ = nullptr, iconSmall_ = nullptr;
    bool iconOwned_ = false;
    TWinControl* activeControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TFormStyle formStyle_ = fsNormal;
    HWND clientHandle_ = nullptr;
    TMenuItem* windowMenu_ = nullptr;
};

class TForm : public TCustomForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomForm::TCustomForm;
};

// The forms of the program, and system-wide display settings.
class TScreen {
public:
    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(std::size_t(index)); }
    TCustomForm* ActiveForm() const;
    // The menu font of the system's non-client metrics.
    TFont& MenuFont();
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    // Framework popup menus, in creation order.
    const std::vector<TComponent*>& PopupMenus() const { return popupMenus_; }

private:
    friend class TCustomForm;
    friend class TPopupMenu;
    void AddPopupMenu(TComponent* menu) { popupMenus_.push_back(menu); }
    void RemovePopupMenu(TComponent* menu);
    void AddForm(TCustomForm* form) { forms_.push_back(form); }
    void RemoveForm(TCustomForm* form);

    std::vector<TCustomForm*> forms_;
    std::vector<TComponent*> popupMenus_;
    std::unique_ptr<TFont> menuFont_;
};

// The program: its hidden window (class "TApplication", the owner of the forms), its main form and its
// message loop. Forms it makes are owned by it.
class TApplication : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Common controls, the framework's classes for form descriptions. Safe to call again.
    void Initialize();

    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title);
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    HINSTANCE Instance() const { return HInstance(); }
    TCustomForm* MainForm() const { return mainForm_; }
    bool ShowMainForm = true;
    int HintPause = 500;
    int HintHidePause = 2500;

    // Makes a form owned by the application and calls its OnCreate; the first one made is the main form.
    template <class T>
    T* CreateForm(T*& ref) {
        Initialize();
        const bool first = mainForm_ == nullptr;
        creatingMain_ = first;
        T* form = nullptr;
        try {
            form = new T(this);
        } catch (...) {
            creatingMain_ = false;
            throw;
        }
        creatingMain_ = false;
        ref = form;
        if (first) {
            mainForm_ = form;
            form->isMain_ = true;
        }
        form->DoCreate();
        return form;
    }

    // Shows the main form and runs the message loop until the main form closes or Terminate is called;
    // then frees the forms and everything else the application owns.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles the messages waiting now, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();

private:
    friend class TCustomForm;
    bool ProcessMessage(MSG& msg);
    // Shortcuts and dialog navigation first, then the window's own procedure.
    void Deliver(MSG& msg);
    void FormDestroyed(TCustomForm* form);

    std::wstring title_;
    HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    bool creatingMain_ = false;
    bool terminated_ = false;
    bool initialized_ = false;
};

extern TApplication* Application;
extern TScreen* Screen;
