// TSkinControl: the base of every control skinner. A control skinner sits in front of one control's window
// procedure (a framework control through its WindowProc, a raw window by handle), lets the control's own
// procedure run where that is useful and paints the control again from the skin. Descendants override
// BeforeProc, AfterProc and DrawControl; the drawing helpers here are what they paint with.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/component.h"
#include "platform/types.h"
#include "platform/win/controls.h"
#include "platform/win/messages.h"
#include "skin/imaging/skin_cell_cache.h"

class TBitmap;
class TCanvas;
class TDataSkinObject;
class TSkinData;
class TSkinControl;

// What a message handler does with a message: keep it, or hand it on to the control's own procedure.
enum class Route : bool { Swallow = false, PassOn = true };

// The control skinners of one skinned window, kept by its form skinner: each skinner enters the list when
// it attaches and leaves it when it goes. The form skinner frees those still in it.
class SkinControlList {
public:
    void Add(TSkinControl* control);  // no duplicates
    void Remove(TSkinControl* control);
    bool Contains(const TSkinControl* control) const;
    std::vector<TSkinControl*> Controllist;

protected:
    ~SkinControlList() = default;
};

class TSkinControl : public TComponent {
public:
    // The values of `skinstate`.
    static constexpr int kCreated = 0;
    static constexpr int kAttached = 1;
    static constexpr int kDetached = 2;
    static constexpr int kWindowGone = 6;  // the window is being destroyed
    // The mouse state flags of `state`.
    static constexpr std::uint8_t kHot = 1;
    static constexpr std::uint8_t kPressed = 2;

    // AOwner: the skinned control when there is one (the skinner goes with it), else the form skinner.
    explicit TSkinControl(TComponent* AOwner);
    ~TSkinControl() override;

    // Attaches to the owner control through its WindowProc; acolor: the control takes the skin's button
    // face while skinned. Runs once.
    virtual void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor);
    // Attaches to a raw window by replacing its window procedure.
    virtual void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf);
    // Switches skinning off; the replaced procedure stays in place (forwarding only) until the skinner goes.
    virtual void Unsubclass();
    // The skin changed: the control's colour again, and a repaint.
    virtual void SkinChange();

    // Frees a skinner that nothing lists any more: at once, or when the message of its control that is
    // being handled returns (a modal loop inside one, a dialog opened by a click, may have asked for it).
    static void Free(TSkinControl* skinner);

    // The replacement window procedure.
    void NewWndProc(TMessage& Message);
    virtual Route BeforeProc(TMessage& Message);
    virtual void AfterProc(TMessage& Message);
    // Paints the whole window now, on adc or (0) the window's own dc. Drawing failures are dropped.
    virtual void PaintControl(HDC adc);
    // Draws the control into dc; rc is the window rectangle moved to (0, 0). Nothing in the base.
    virtual void DrawControl(HDC dc, const TRect& rc);
    virtual int GetState() { return 1; }

    // The form skinner calls this when the mouse leaves the control for another one.
    void MouseLeave();
    virtual void SetColor() {}
    virtual void RestoreColor() {}
    // The parent control's published "Color", or acolor.
    TColor GetParentColor(TColor acolor) const;
    // dw plus DT_RTLREADING for a control that reads right to left.
    unsigned CheckBiDi(unsigned dw) const;
    int TextHeight(HDC dc, const std::wstring& s) const;

    // The shared drawing of the descendants.
    void DrawCaption(TCanvas& acanvas, const TRect& rc, const std::wstring& text, bool enabled,
                     bool defaulted, unsigned Alignment);
    void DrawImgCaption(TCanvas& acanvas, const TRect& rc, HIMAGELIST ImgList, int imgIndex,
                        const std::wstring& text, int talign);
    void DrawSkinMap(HDC dc, const TRect& rc, const TDataSkinObject* aObject, int I, int N);
    void DrawSkinMap1(HDC dc, const TRect& rc, const TBitmap& bmp, int I, int N);
    void DrawSkinMap2(HDC dc, const TRect& rc, const TBitmap& bmp, int I, int N);
    void DrawSkinMap3(TCanvas& acanvas, const TRect& rc, const TBitmap& bmp, int I, int N);
    void DrawSkin(const TRect& rc, const TDataSkinObject* aObject, int I, int N, int trans);
    void DrawBMPSkin(TBitmap& abmp, const TRect& rc, const TDataSkinObject* aObject, int I, int N, int trans);
    void DrawBuf(HDC dc, const TRect& rc);

    // Fields (the names other skinners and the form skinner use).
    std::uint8_t state = 0;      // kHot, kPressed
    TCanvas* fCanvas = nullptr;  // lent by the form skinner
    bool done = false;           // cleared at the start of every message
    bool enabled = true;
    bool focused = false;
    std::wstring caption;
    WNDPROC FObjectInst = nullptr;   // the procedure standing in GWL_WNDPROC (raw windows)
    WNDPROC FPrevWndProc = nullptr;  // the procedure it replaced
    bool skinned = true;
    bool isunicode = false;
    TSkinData* fsd = nullptr;
    HWND hwnd = nullptr;
    TWndMethod OldWndProc;  // the control's WindowProc it replaced (framework controls)
    TWinControl* control = nullptr;
    TRect boundsrect;
    TGraphicControl* GControl = nullptr;
    bool newColor = false;
    TColor oldcolor = 0;
    bool Inited = false;
    int skinstate = kCreated;
    TComponent* skinform = nullptr;
    int kind = 0;
    bool sizing = false;

protected:
    // Puts NewWndProc in front of a framework control's WindowProc (kept in OldWndProc), and takes it out
    // again. Taken out while another procedure came in front since, it stays in the chain and only forwards.
    void HookWindowProc(TControl& target);
    void UnhookWindowProc(TControl& target);
    // Hands the message to the replaced procedure (or WindowProc).
    void CallDefault(TMessage& Message);
    // Repaints before returning.
    void RepaintNow();
    // WM_PAINT without the control's own painting: BeginPaint unless wParam brings a dc.
    void PaintFromMessage(TMessage& Message);
    void FillFace(HDC dc, const TRect& rc);
    void FillParentColor(HDC dc, const TRect& rc);
    // WM_ERASEBKGND of controls that show their parent through: the parent's pixels, result 1.
    void EraseBackground(TMessage& Message);
    // The focus frame round `caption` as drawn in rect with flags (check boxes, radio buttons).
    void DrawCaptionFocus(HDC dc, unsigned flags, const TRect& rect);
    TColor ButtonFace() const;
    // The skin cells this skinner drew, composed at their sizes, for its next paints (emptied when the skin
    // changes).
    TBitmap& SkinCell(const TDataSkinObject& aObject, int I, int N, int w, int h);
    // Whether the window has the keyboard focus, as GetFocus would answer, followed from the focus messages
    // it receives (asking the system costs a request to the Wine server at every paint).
    bool HasFocus() const { return hasFocus_; }

    // Enters the form skinner's control list (and leaves it again when this skinner goes).
    void EnterList(TComponent* sf);
    // Binds this skinner to its owner control: the skin, the lent canvas, the list and the colour swap.
    // False when the owner is no windowed control.
    bool BindOwner(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor);

private:
    // Reads the window rectangle into boundsrect; false when the window is gone.
    bool ReadBounds(TRect& rc);
    SkinControlList* list_ = nullptr;
    // The link the installed WindowProc reaches this skinner through; emptied when the skinner goes.
    std::shared_ptr<TSkinControl*> link_;
    int depth_ = 0;  // NewWndProc calls on the stack
    bool freeWhenIdle_ = false;
    friend class SkinControlList;
    SkinCellCache cells_;
    bool hasFocus_ = false;
};

// The parent's background behind control, painted into dc in the control's coordinates: the parent gets
// WM_ERASEBKGND and WM_PAINT with dc, moved and clipped to the control.
void PaintParentBackground(TControl* control, HDC dc);
// A window's text (wide).
std::wstring GetWindowCaption(HWND hwnd);
