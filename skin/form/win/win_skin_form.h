// TWinSkinForm: the skinner of one top-level window, dialog box or MDI child. It replaces the window's
// procedure, tells the system how large the skinned frame is, fits the window to it, cuts the window to the
// shape of the border images and gives everything back when skinning ends or the window goes. Frame
// painting, caption buttons and the menu bar build on it.
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
    // Skinstate values.
    static constexpr int kCreated = 0;
    static constexpr int kActive = 1;
    static constexpr int kChanging = 3;
    static constexpr int kReleasing = 4;
    static constexpr int kFitting = 5;
    static constexpr int kDead = 6;

    explicit TWinSkinForm(TComponent* AOwner);
    ~TWinSkinForm() override;

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

    // Menu items drawn from the skin: the item events of the framework's popup menus and main-menu
    // drop-downs, and the menu-handle path for menus without framework items.
    void InitPopMenu(TWinControl* wForm, bool Enable, bool Update = false);
    void InitMainMenu(TWinControl* wForm, bool Enable, bool Update = false);
    void DrawMenuItem(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected);
    void MeasureItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height);
    // Marks every item of a menu and its submenus owner-drawn.
    static void SetOwnerDrawItems(HMENU menu);
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
    void OnMenuChanged(TMessage& m);
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
    void OnMeasureItem(TMessage& m);
    void OnDrawItem(TMessage& m);
    void MeasurePopupItem(TObject* Sender, TCanvas& ACanvas, int& Width, int& Height);
    void MeasureByText(MEASUREITEMSTRUCT& item);
    // The framework main menu whose items this window's menu messages concern.
    TMainMenu* FrameworkMenu() const;
    void DrawPlainItem(TMenuItem& item, TCanvas& canvas, bool selected, const TRect& r);
    void DrawSeparatorItem(TCanvas& canvas, const TRect& r);
    void DrawItemContent(TMenuItem& item, TCanvas& canvas, bool selected, const TRect& r);
    TColor ItemTextColour(const TMenuItem& item, bool selected) const;
    void DrawItemText(TMenuItem& item, TCanvas& canvas, UINT flags, bool selected, TRect& t,
                      std::wstring text);
    void DrawHandleItem(HMENU menu, UINT id, bool selected, const TRect& rc, HDC dc);
    // The item's background in a bitmap of r's size: the popup's skin background, or the menu colour.
    void ItemBackground(TBitmap& bitmap, HMENU menu, const TRect& r);
    // Composes one skinned item (background, item cell, content) and draws it at r's top-left; a framework
    // separator is drawn from the item image's separator cell, a menu-handle one on the normal cell.
    void DrawSkinnedItem(TMenuItem& item, HMENU parent, TCanvas& target, const TRect& r, bool selected,
                         bool sliceSeparator);
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
    // The region of one border piece (1 left, 2 right, 3 top, 4 bottom) of a w x h window.
    Owned<HRGN> EdgeRegion(int piece, int w, int h);
    const TDataSkinBorder* Border(int piece) const;
    // The border pieces as last composed, by piece and cell: a repaint at the same size reuses them.
    struct ComposedPiece {
        int w = -1, h = -1;
        std::unique_ptr<TBitmap> bitmap;
    };
    ComposedPiece composed_[4][2];
    // What the menu item painter keeps for the last few item sizes (making bitmaps is most of an item's
    // cost): the bitmap items of that size are composed on, and the item image's cells composed at that
    // size. Emptied when the skin changes. Shared only so that the type can stay the painter's own.
    struct MenuScratch;
    std::vector<std::shared_ptr<MenuScratch>> menuScratch_;
    MenuScratch& ItemScratch(int w, int h);
    bool MdiChild() const { return FormStyle == sfsMDIChild; }
};

// The skinner of a window, or nullptr: the registry of live form skinners of this thread.
TWinSkinForm* FindFormSkinner(HWND hwnd);
// Whether a form skinner of any thread still exists (its destructor has not run).
bool IsLiveFormSkinner(const TWinSkinForm* skinner);
