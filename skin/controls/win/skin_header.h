// Column headers skinned: TSkinHeader takes over the painting of a header control (a list view's own
// header, a header control of the framework or of a dialog box). Each item is drawn from the skin's header
// image, the item under the mouse in its second cell, the area right of the last item in the first, with
// the item's picture and text on it; the header's own handling of the mouse (clicks, dragging dividers) is
// left to the control.
#pragma once

#include <vector>

#include "skin/controls/win/skin_control.h"

class TSkinHeader : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) override;
    Route BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;

    // Each item's rectangle at the last paint, 3 pixels off at each end (what the hover test uses).
    std::vector<TRect> Items;
    int indexitem = -1;  // the item under the mouse, -1 for none

private:
    bool HasImage() const;
    void TrackHot(LPARAM lParam);
    void DrawItem(TBitmap& buffer, HDC dc, HIMAGELIST IL, int i, const TRect& R);
    void DrawItemText(HDC dc, const TRect& R, int format, const std::wstring& text, int image, HIMAGELIST IL);
};
