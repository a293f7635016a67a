// TWinSkinForm: the skinner of one top-level window, dialog box or MDI child. It replaces the window's
// procedure, tells the system how large the skinned frame is, fits the window to it, cuts the window to the
// shape of the border images and gives everything back when skinning ends or the window goes.
//
// Its parts, by file: win_skin_form.cpp (set-up, the window procedures, fitting and shaping, skin changes,
// release), frame_paint.cpp (frame and caption painting), caption_buttons.cpp and caption_mouse.cpp (the
// caption buttons, hit testing, the non-client mouse and the skinned system menu), menu_bar.cpp (the skinned
// menu bar, TWinSkinMenu), control_discovery_win.cpp (control skinners for the window's controls) and
// menu_item_painter.cpp (TMenuItemPainter, the owner-drawn menu items).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/component.h"
#include "platform/types.h"
#include "platform/win/controls.h"
#include "platform/win/gdi.h"
#include "platform/win/messages.h"
#include "skin/controls/win/skin_control.h"
#include "skin/form/nc_object.h"
#include "skin/form/win/skin_text_colors.h"

class TBitmap;
class TCanvas;
class TDataSkinBorder;
class TForm;
class TCustomImageList;
class TMainMenu;
class TPopupMenu;
class TMenuItem;
class TSkinData;
struct SkinChoice;
struct FrameworkControl;
enum class SkinnerKind;
class FormManagerLink;
class TTimer;

enum TSkinFormStyle { sfsNormal, sfsMDIform, sfsMDIChild, sfsChild };
enum TSkinFormBorder { sbsSizeable, sbsSingle, sbsNone, sbsDialog };
enum TSkinFormIcon { sbiMax, sbiMin, sbiHelp, sbisystem, sbicaption };
using TSkinFormIcons = SetOf<TSkinFormIcon>;
enum TSkinWindowState { swsNormal, swsMax, swsMin };

class TWinSkinForm;
class TDataSkinSysButton;
class TMenuBtn;
class TWinSkinMenu;
class TMenuItemPainter;

// A caption button: one entry of the skin's button list on one window.
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* form, TDataSkinSysButton* entry);
    void Draw() override;
    TDataSkinSysButton* data;

private:
    TWinSkinForm* form_;
};

class TWinSkinForm : public TComponent, public SkinControlList, public NcObjectHost {
public:
    // The border pieces, as the skin component keeps its border images.
    static constexpr int kLeftPiece = 1;
    static constexpr int kRightPiece = 2;
    static constexpr int kTopPiece = 3;
    static constexpr int kBottomPiece = 4;

    // Skinstate values.
    static constexpr int kCreated = 0;
    static constexpr int kActive = 1;
    static constexpr int kChanging = 3;
    static constexpr int kReleasing = 4;
    static constexpr int kFitting = 5;
    static constexpr int kDead = 6;

    explicit TWinSkinForm(TComponent* AOwner);
    ~TWinSkinForm() override;

    // Frees a skinner that nothing lists any more: at once, or when the message of its window that is being
    // handled returns (a modal loop inside one may have asked for it).
    static void Free(TWinSkinForm* skinner);

    // Set-up for a framework form and for a plain window (a dialog box, a message box).
    void InitTform(TSkinData* afsd, TForm* aform);
    void InitDlg(TSkinData* afsd);
    // Frame metrics from the skin's border images.
    void InitSkinData();
    void SkinChange();
    // Makes the system recompute and repaint the frame.
    void Refresh();
    static void RePaint(HWND ahwnd);
    void Cropwindow();
    void Uncropwindow();
    void UnSubclass();  // skinning ends: the window gets its own frame, menu bar, colour and client size back
    void UnSubclass2();  // the same for a window whose frame was never skinned
    void UnSubclass3();  // the window is being destroyed: only let go
    bool MDIChildMax();
    void EnableSysbtn(bool) {}
    void Maximize();
    void Restore();
    void Minimize();
    // The skinned system menu at a screen point; a second call within the double-click time (on a hot
    // caption button) closes the window instead.
    void PopupSysMenu(TPoint p);
    void HideHint() override;
    // Frees the caption buttons (skin changes); a hot one is forgotten with them.
    void DeleteSysbtn();
    // Draws one caption button straight to the window in the cell of a state (1 normal, 2 pressed, 3 hot).
    void DrawButton(TWinSysButton& button, int cell);

    // The manager that made the skinner, or nullptr.
    FormManagerLink* Manager() const { return host; }

    // Fields (the names the other parts of the engine use).
    WNDPROC FPrevWndProc = nullptr;
    WNDPROC FObjectInst = nullptr;
    WNDPROC FMDIWndProc = nullptr;
    WNDPROC FMDIObjectInst = nullptr;
    TWndMethod OldWndProc;
    Owned<HFONT> CaptionFont;
    bool FActive = false;
    std::unique_ptr<TTimer> timer;
    std::unique_ptr<TPopupMenu> sysmenu;          // the skinned system menu, built when first needed
    std::unique_ptr<TCustomImageList> sysimages;  // its glyphs: restore, maximise, minimise, close
    DWORD poptime = 0;
    std::wstring bstr = L"  ";
    std::wstring astr = L" ";
    std::wstring classname;
    bool menuauto = false;
    bool sMainMenu = false;
    TRect fClientRect;
    int DoubleTime = 0;
    int charwidth = 0;
    HWND parenthwnd = nullptr;
    HICON DefIcon = nullptr;
    TRect FTitleRect;
    int RightBtn = 0;
    int Iconx = 0;
    std::wstring caption;
    TRect bw;
    TRect wTr;
    TRect ctr;
    TRect oldsize;
    int MenuHeight = 0;
    int BtnCount = 0;
    std::vector<std::unique_ptr<TWinSysButton>> SysBtn;
    bool fInMenu = false;
    bool bidileft = false;
    bool isunicode = false;
    bool ismessagebox = false;
    bool ischildform = false;
    HWND ClientHwnd = nullptr;
    HMENU hmenu = nullptr;
    HMENU hsysmenu = nullptr;
    TColor formcolor = 0;
    TSkinTextColors textColors;  // the skin's text colours on its face, lent to the form's controls
    DWORD dwstyle = 0;
    bool crop = false;
    TForm* FForm = nullptr;
    HWND Hwnd = nullptr;
    std::unique_ptr<TCanvas> fCanvas, fcanvas2;
    TSkinData* fsd = nullptr;
    std::unique_ptr<TBitmap> IconBmp;
    std::unique_ptr<TBitmap> CaptionBuf;
    int fwidth = 0, fheight = 0;
    int crwidth = 0, crheight = 0;
    bool FWindowActive = true;
    TSkinFormStyle FormStyle = sfsNormal;
    TSkinFormBorder FormBorder = sbsSingle;
    TSkinFormIcons FormIcons;
    TSkinWindowState Windowstate = swsNormal;
    int Skinstate = kCreated;
    TSkinControl* Activeskincontrol = nullptr;
    std::intptr_t mode = 0;
    std::string formclass;
    FormManagerLink* host = nullptr;

    // Control discovery: a control skinner for every control whose kind the skin handles.
    void InitControls(TWinControl* wForm);
    void InitNestform(TWinControl* wForm);
    void AddComp(TControl* Comp, TWinControl* wForm);
    void InitHwndControls(HWND ahwnd);
    void AddControlh(HWND ahwnd);
    // True when acontrol was already listed; otherwise lists it.
    bool AddControlList(TSkinControl* acontrol);
    void DeleteControl(TSkinControl* c);
    // A control whose window was made again gets a new scroll bar skinner in place of the old one.
    void ResetScrollbar(HWND ahwnd);

    // Menu items drawn from the skin (the painter, menu_item_painter.*): the item events of the framework's
    // popup menus and main-menu drop-downs are attached on activation and skin changes, and given back at
    // every release.
    void InitPopMenu(TWinControl* wForm, bool Enable, bool Update = false);
    void InitMainMenu(TWinControl* wForm, bool Enable, bool Update = false);
    void DrawMenuItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected);
    void MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height);
    void MeasurePopupItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height);
    // Marks every item of a menu and its submenus owner-drawn.
    static void SetOwnerDrawItems(HMENU menu);
    std::unique_ptr<TMenuItemPainter> painter;
    HMENU activemenu = nullptr;  // the drop-down opened from the menu bar

    // The skinned menu bar: opens an item's drop-down (true when one was tracked); clicks an item from code;
    // rebuilds the items and repaints the band.
    bool CheckMenu(TMenuBtn* button);
    void ClickButton(TMenuBtn& button);
    void UpdateMainMenu();
    std::unique_ptr<TWinSkinMenu> menu;  // nullptr for a window without a menu bar

    // Painting of the frame: the whole non-client area on dc, or (nullptr) on the window's own dc.
    void PaintFrame(HDC dc);

    // The replacement window procedures.
    void SkinWndProc(TMessage& m);
    void FormWndProc(TMessage& m);
    void MDIClientWndProc(TMessage& m);

private:
    enum class Step { Done, PassOn, Keep };

    // Counts the skinner's handlers on the stack; the last one to return frees a skinner asked to go.
    class Busy {
    public:
        explicit Busy(TWinSkinForm& f) : f_(f) { ++f_.depth_; }
        ~Busy() {
            if (--f_.depth_ == 0 && f_.freeWhenIdle_) delete &f_;
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        TWinSkinForm& f_;
    };
    int depth_ = 0;
    bool freeWhenIdle_ = false;
    bool mainMenuHandlers_ = false;  // the main menu's drop-down items have this skinner's handlers
    // A menu loop of the system menu or of the menu bar may run inside a message being handled when the
    // window is released: those menus then go with the skinner, not under the loop's feet.
    template <class T>
    void Retire(std::unique_ptr<T>& menuObject, std::unique_ptr<T>& retired) {
        if (depth_ > 0 && menuObject)
            retired = std::move(menuObject);
        else
            menuObject.reset();
    }
    std::unique_ptr<TPopupMenu> retiredSysmenu_;
    std::unique_ptr<TWinSkinMenu> retiredMenu_;

    void HandleMessage(TMessage& m);
    void HandleFormMessage(TMessage& m);
    void HandleMDIClientMessage(TMessage& m);
    // The menu items' draw and measure handlers, on (activation, skin changes) or off (every release).
    void AttachMenuHandlers(bool on);

    void InitWindow(TSkinData* skin);
    void Activate();
    void CallPrevProc(TMessage& m);
    Step Stage1(TMessage& m);
    Step Stage2(TMessage& m);
    void Stage3(TMessage& m, bool passOn);
    void OnSize(TMessage& m);
    void OnSysCommand(TMessage& m);
    void OnNcCalcSize(TMessage& m);
    void OnNcActivate(TMessage& m);
    void OnMenuChanged(TMessage& m, bool fromFramework = false);
    void OnNcPaint(TMessage& m);
    void OnNcHitTest(TMessage& m);
    void OnNcRButtonDown(TMessage& m);
    // The menu bar's keyboard: the system key (true when it opened an item) and SM_OPENMENU.
    bool OnMenuKey(TMessage& m);
    // Alt+letter from a control of a framework form.
    void OnDialogChar(TMessage& m);
    void OpenMenuAt(TMessage& m);
    TMenuBtn* FindAccel(wchar_t key);
    void StartMenuFilter();
    void StopMenuFilter();
    TMenuBtn* NextMenuButton(bool forward);
    static LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    // The caption button, else the menu-bar item, at a point in window coordinates.
    TNCObject* FindObject(TPoint p);
    void OnNcLButtonDblClk(TMessage& m);
    void OnNcMouseMove(TMessage& m);
    void OnNcLButtonDown(TMessage& m);
    void OnNcLButtonUp(TMessage& m);
    void HoverTick();
    bool IsButtonVisible(TWinSysButton& button);
    void PlaceButtons();
    void DrawButtons(HDC dc);
    void DrawFormIcon(HDC dc, const TRect& rect);
    TWinSysButton* FindSysBtn(TPoint p);
    void ButtonAction(TPoint screen);
    bool CloseAllowed();
    void SendToActiveMDIChild(WPARAM command);
    void BuildSysMenu();
    // A mouse message's screen point in window coordinates of the skinned geometry.
    TPoint ScreenToFrame(LPARAM lParam) const;
    void DrawBorderPiece(int piece, const TRect& rect, HDC dc);
    void PaintCaption(HDC dc);
    void DrawCaptionText(HDC dc, const TRect& R);
    void MeasureClient();
    void FitFrame(bool fresh);
    void ReadWindowState();
    void FindMDIClient();
    void SetSysMenuStyle(bool remove);
    void LoadFormIcon();
    void FreeControls();
    void NotifyAfterSkin();
    void HideWhileSkinning();
    void ShowAfterSkinning();
    void GiveMDIClientBack();
    // Hands the window its procedures back and frees the control skinners; false when it had none of ours.
    bool LetGo();
    void SkinOwnedComponents(TWinControl* wForm);
    void SkinChildControls(TWinControl* control);
    bool SkipControl(TWinControl* control) const;
    bool IsControlSkinned(TControl* control) const;
    void DisableGroupChildren(TControl* control);
    void PurgeDeadControls();
    TSkinControl* FindControlSkinner(HWND ahwnd) const;
    // Makes and attaches the skinner a choice names; false when it names none this engine has.
    bool Attach(TControl* control, int skinnerKind, bool recolour, int kind);
    // The same for a whole choice: its picture property, the control's window (useHwnd), or a windowless
    // control.
    bool Attach(TControl* control, const SkinChoice& choice);
    // The region of one border piece (1 left, 2 right, 3 top, 4 bottom) of a w x h window.
    Owned<HRGN> EdgeRegion(int piece, int w, int h);
    const TDataSkinBorder* Border(int piece) const;
    // The border pieces as last composed, by piece and cell: a repaint at the same size reuses them.
    struct ComposedPiece {
        int w = -1, h = -1;
        std::unique_ptr<TBitmap> bitmap;
    };
    ComposedPiece composed_[4][2];
    bool MdiChild() const { return FormStyle == sfsMDIChild; }
};

// The skinner of a window, or nullptr: the registry of live form skinners of this thread.
TWinSkinForm* FindFormSkinner(HWND hwnd);
