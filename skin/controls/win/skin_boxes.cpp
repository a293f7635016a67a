#include "skin/controls/win/skin_boxes.h"

#include <commctrl.h>

#include "platform/bitmap.h"
#include "platform/face_text.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "platform/win/status_bar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

// The font a control draws with: its framework font, else the window's own.
HFONT FontOf(TWinControl* control, HWND hwnd) {
    if (control && control->Font()) return control->Font()->Handle();
    return HFONT(SendMessageW(hwnd, WM_GETFONT, 0, 0));
}

// The colour of a text of font colour font drawn on the skin's face: a default colour becomes the skin's
// ButtonText (a raw window's text has the default).
TColor TextOnFace(const TSkinData& skin, TColor font) {
    const TFaceText face{skin.Colors[scheme::kButtonFace], skin.Colors[scheme::kButtonText]};
    return ResolveColor(FaceTextColor(font, face.face, &face));
}

}  // namespace

// ---- Group boxes

void TSkinGroupBox::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    TSkinControl::Init(sf, sd, acanvas, acolor);
    if (control) kind = 1;  // the skinner paints it entirely
}

Route TSkinGroupBox::BeforeProc(TMessage& Message) {
    const Route route = TSkinControl::BeforeProc(Message);
    if (kind == 1 && Message.Msg == WM_PAINT) {
        PaintFromMessage(Message);
        return Route::Swallow;
    }
    return route;  // a raw group box paints itself; the frame goes over it afterwards
}

void TSkinGroupBox::DrawControl(HDC dc, const TRect& rc) {
    caption = GetWindowCaption(hwnd);
    if (caption.empty() && control) caption = control->Caption();
    if (control) FillFace(dc, rc);
    SavedDC saved(dc);
    if (HFONT font = FontOf(control, hwnd)) SelectObject(dc, font);
    const TColor fontColor = control && control->Font() ? control->Font()->Color() : clWindowText;
    SetTextColor(dc, ColorToRGB(TextOnFace(*fsd, fontColor)));
    const int top = TextHeight(dc, L"0") / 2 - 1;
    if (kind == 0 && fsd && fsd->BGBrush()) {
        // Over the control's own 3D frame.
        RECT outer{0, top, rc.Right, rc.Bottom};
        FrameRect(dc, &outer, fsd->BGBrush());
        RECT inner{1, top + 1, rc.Right - 1, rc.Bottom - 1};
        FrameRect(dc, &inner, fsd->BGBrush());
    }
    {
        Owned<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(ResolveColor(fsd->Colors[scheme::kButtonShadow]))));
        Selected usePen(dc, pen.get());
        Selected noBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 1, top, rc.Right - 1, rc.Bottom - 1, 5, 5);
    }
    SetBkColor(dc, ColorToRGB(ResolveColor(ButtonFace())));  // the caption's background hides the line
    const bool right = (DWORD(GetWindowLongW(hwnd, GWL_EXSTYLE)) & WS_EX_RIGHT) != 0;
    RECT r = right ? RECT{rc.Left, rc.Top, rc.Right - 8, rc.Bottom}
                   : RECT{rc.Left + 8, rc.Top, rc.Right, rc.Bottom};
    DrawTextW(dc, caption.c_str(), int(caption.size()), &r,
              right ? CheckBiDi(DT_RIGHT | DT_EXPANDTABS) : DT_EXPANDTABS);
    if (control && kind == 1) control->PaintControls(dc, nullptr);  // labels inside the box
}

// ---- Panels

void TSkinBox::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    BindOwner(sf, sd, acanvas, acolor);  // no window procedure of its own
}

void TSkinBox::Unsubclass() {
    if (newColor && control) control->SetColor(oldcolor);
    skinstate = kDetached;
}

// ---- Status bars

Route TSkinStatusBar::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: PaintFromMessage(Message); return Route::Swallow;
    case WM_ERASEBKGND: Message.Result = 1; return Route::Swallow;
    default: return TSkinControl::BeforeProc(Message);
    }
}

void TSkinStatusBar::DrawPanelFrame(HDC dc, const TRect& rect, int frame) {
    if (rect.IsEmpty()) return;
    const TDataSkinObject& s = *fsd->StatusBar;
    auto bmp = MakeSkinBitmap(Rect(0, 0, rect.Width(), rect.Height()), s.Map, s.r, frame, 3, s.Tile, 0);
    BlitOpaque(dc, rect.Left, rect.Top, *bmp);
}

void TSkinStatusBar::DrawPanelBevel(HDC dc, const TRect& rect, int frame) {
    if (frame != 1 && frame != 2) return;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF topLeft = frame == 1 ? shadow : light, bottomRight = frame == 1 ? light : shadow;
    auto line = [&](COLORREF c, int x1, int y1, int x2, int y2) {
        Owned<HPEN> pen(CreatePen(PS_SOLID, 1, c));
        Selected use(dc, pen.get());
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    };
    line(topLeft, rect.Left, rect.Bottom - 1, rect.Left, rect.Top);
    line(topLeft, rect.Left, rect.Top, rect.Right - 1, rect.Top);
    line(bottomRight, rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom - 1);
    line(bottomRight, rect.Right - 1, rect.Bottom - 1, rect.Left - 1, rect.Bottom - 1);
}

void TSkinStatusBar::DrawControl(HDC dc, const TRect& rc) {
    auto* bar = dynamic_cast<TCustomStatusBar*>(control);
    if (!bar || rc.IsEmpty()) return;
    TBitmap buffer(rc.Width(), rc.Height(), pf24bit);
    const HDC b = BitmapDC(buffer);
    if (!b) return;
    FillFace(b, rc);
    SavedDC saved(b);
    TFont font;
    font.Assign(*bar->Font());
    font.SetStyle({});
    Selected useFont(b, font.Handle());  // declared after the font: let go of before the font is freed
    const TDataSkinObject* skin = fsd->StatusBar.get();
    const TColor textColor = skin ? skin->Normalcolor2 : TextOnFace(*fsd, font.Color());
    SetTextColor(b, ColorToRGB(ResolveColor(textColor)));
    const bool image = skin && !skin->Map.Empty();
    TCanvas canvas;
    canvas.SetHandle(b);
    canvas.Font().Assign(font);
    canvas.Font().SetColor(textColor);

    TStatusPanels* panels = bar->Panels();
    if (bar->SimplePanel() || panels->Count() == 0) {
        const bool rtl = bar->BiDiMode() != bdLeftToRight;
        if (image)
            DrawPanelFrame(b, rc, 1);
        else
            DrawPanelBevel(b, rc, 1);
        DrawCaption(canvas, {rc.Left + 2, rc.Top, rc.Right - 2, rc.Bottom}, bar->SimpleText(), true, false,
                    rtl ? DT_RIGHT : DT_LEFT);
    } else {
        for (int i = 0; i < panels->Count(); ++i) {
            TStatusPanel* p = panels->Items(i);
            TAlignment align = p->Alignment();
            if (p->BiDiMode() != bdLeftToRight && align != taCenter)
                align = align == taLeftJustify ? taRightJustify : taLeftJustify;
            const int frame = p->Bevel() == pbRaised ? 2 : p->Bevel() == pbLowered ? 1 : 3;
            RECT pr;
            if (!SendMessageW(hwnd, SB_GETRECT, WPARAM(i), LPARAM(&pr))) continue;
            TRect r{pr.left, pr.top, pr.right + 2, pr.bottom};
            if (i == panels->Count() - 1) r.Right = rc.Right;  // the last panel reaches the right edge
            if (image)
                DrawPanelFrame(b, r, frame);
            else
                DrawPanelBevel(b, r, frame);
            if (p->Style() == psText) {
                const unsigned flags = align == taRightJustify ? DT_RIGHT
                                       : align == taCenter     ? DT_CENTER
                                                               : DT_LEFT;
                DrawCaption(canvas, {r.Left + 2, r.Top, r.Right - 2, r.Bottom}, p->Text(), true, false,
                            flags);
            }
        }
    }
    const TDataSkinObject* extra = fsd->ExtraImages.get();
    if ((DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & SBARS_SIZEGRIP) && extra && !extra->Map.Empty() &&
        extra->frame >= 5) {
        const int cw = CellWidth(extra->Map, extra->frame), ch = extra->Map.Height();
        DrawSkinMap1(b, {rc.Width() - 1 - cw, rc.Height() - 1 - ch, rc.Width() - 1, rc.Height() - 1},
                     extra->Map, 5, extra->frame);
    }
    canvas.SetHandle(nullptr);
    BlitOpaque(dc, rc.Left, rc.Top, buffer);
    bar->PaintControls(dc, nullptr);
    if (bar->OnDrawPanel) {
        for (int i = 0; i < panels->Count(); ++i) {
            RECT pr;
            if (!SendMessageW(hwnd, SB_GETRECT, WPARAM(i), LPARAM(&pr))) continue;
            bar->OnDrawPanel(bar, panels->Items(i), {pr.left + 2, pr.top + 2, pr.right - 2, pr.bottom - 2});
        }
    }
}
