// TSkinComBox: combo boxes keep their own field and list; the skinner paints their frame and drop-down
// button from the skin after the control has painted itself, follows the mouse over the button for the hot
// and pressed looks, and gives a framework combo box's list the skinned scroll bar (TComboxScrollBar for
// the dropped list, TSkinScrollbarH for the always-shown list of a simple one).
#pragma once

#include <array>

#include "skin/controls/win/skin_control.h"
#include "skin/imaging/win/img_gdi.h"

class TComboxScrollBar;
class TSkinScrollbarH;

class TSkinComBox : public TSkinControl {
public:
    explicit TSkinComBox(TComponent* AOwner);
    ~TSkinComBox() override;

    // A framework combo box. An extended one (a window holding a combo box of its own) is skinned
    // through that combo box, which is what it shows.
    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) override;
    void Unsubclass() override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;
    void SkinChange() override;
    void Notification(TComponent* component, TOperation operation) override;

    // The messages of the first child window (HookButton): it runs first, then the box is painted over it
    // or takes the press.
    void ButtonProc(TMessage& Message);
    // The messages of an extended box's own window, whose combo box child has the skinner: it answers for
    // the skinner and hands everything else on.
    void OuterProc(TMessage& Message);

    DWORD dwStyle = 0;  // refreshed at every paint; for a simple box, its list's style after Init
    DWORD ExStyle = 0;  // WS_EX_LEFTSCROLLBAR puts the button on the left
    HWND hlist = nullptr;
    HWND hbtn = nullptr;  // the first child window, followed for its clicks and paints
    bool isDrop = false;  // the list is dropped down
    WNDPROC FBtnObjectInst = nullptr;
    WNDPROC FBtnPrevWndProc = nullptr;
    TSkinScrollbarH* vb = nullptr;   // a simple box's list; owned by this skinner
    TComboxScrollBar* db = nullptr;  // the dropped list; owned by this skinner
    COMBOBOXINFO info{};
    TRect rBtn;              // where the mouse makes the button hot (the box's coordinates)
    bool HasButton = false;  // the box has a separate button window (set by the form skinner)

private:
    // What a framework box gets besides the base's attach: its list's scroll bar skinner and the button hook.
    void AttachFramework(TSkinData* sd, TComponent* sf);
    void HookButton();
    void UnhookButton();
    void AddDropList();
    void FreeLists();
    void ComboCommand(const TMessage& Message);
    void TrackHot(const TMessage& Message);
    void DrawFrame(HDC dc, const TRect& rc);
    void DrawBtnArrow(HDC dc, int I);
    void DrawFlat(HDC dc, const TRect& rc);
    int CellIndex(bool flat);
    // Cell I of a whole-face image over R, key-coloured.
    void DrawFace(HDC dc, const TRect& R, const TDataSkinObject& image, int I);

    // The faces as last composed, by cell: a repaint at the same size only copies one.
    struct Face {
        const TDataSkinObject* image = nullptr;
        int w = 0, h = 0;
        KeyedBitmap keyed;
    };
    std::array<Face, 4> faces_;
    TWndMethod outerProc_;  // the extended box's own WindowProc, replaced by OuterProc
};
