// Painting of the skinned frame: the four border pieces straight to the window, the caption bar composed
// off screen and copied in one piece.
#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "platform/bitmap.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/form/caption_text.h"
#include "skin/form/win/menu_bar.h"
#include "skin/form/win/win_skin_form.h"

#include "skin/form/win/menu_bar.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {}  // namespace

void TWinSkinForm::OnNcPaint(TMessage& m) {
    SetSysMenuStyle(true);  // the system must never draw its own caption buttons
    m.Result = 0;
    if (!fsd || !fsd->MenuMsg) return;
    if ((MdiChild() && Windowstate == swsMax) || FormBorder == sbsNone) {
        CallPrevProc(m);
        return;
    }
    PaintFrame(nullptr);
}

void TWinSkinForm::PaintFrame(HDC dc) {
    if ((Skinstate != kActive && Skinstate != kChanging) || FormBorder == sbsNone) return;
    if (MdiChild() && Windowstate == swsMax) return;
    std::optional<WindowDC> own;
    if (!dc) {
        own.emplace(Hwnd);
        dc = own->get();
    }
    RECT r;
    if (!dc || !GetWindowRect(Hwnd, &r)) return;
    wTr = ToTRect(r);
    const int W = r.right - r.left, H = r.bottom - r.top;
    fwidth = W;
    fheight = H;
    try {
        if (Windowstate == swsMin) {
            PaintCaption(dc);
        } else {
            DrawBorderPiece(kLeftPiece, Rect(0, 0, bw.Left, H), dc);
            DrawBorderPiece(kRightPiece, Rect(W - bw.Right, 0, W, H), dc);
            DrawBorderPiece(kBottomPiece, Rect(bw.Left, H - bw.Bottom, W - bw.Right, H), dc);
            PaintCaption(dc);
            if (menu) {
                menu->DrawMenu(dc, {bw.Left, bw.Top, W - bw.Right, bw.Top + MenuHeight});
            } else if (MenuHeight > 0 && fsd->BGBrush()) {
                const RECT band{bw.Left, bw.Top, W - bw.Right, bw.Top + MenuHeight};
                FillRect(dc, &band, fsd->BGBrush());
            }
        }
    } catch (...) {
        // A frame that fails to paint keeps what it showed.
    }
    ActiveBtn = nullptr;  // every button shows its resting look now
}

void TWinSkinForm::DrawBorderPiece(int piece, const TRect& rect, HDC dc) {
    const TDataSkinBorder* b = Border(piece);
    const int w = rect.Width(), h = rect.Height();
    if (!b || w < 0 || h < 0 || w * h == 0) return;
    const int cell = FWindowActive || b->frame == 1 ? 1 : 2;
    ComposedPiece& c = composed_[piece - 1][cell - 1];
    if (!c.bitmap || c.w != w || c.h != h) {
        c.bitmap =
            MakeSkinBitmap(Rect(0, 0, w, h), b->Map, b->r, cell, b->frame, b->Tile != 1, piece >= kTopPiece);
        c.w = w, c.h = h;
    }
    BlitOpaque(dc, rect.Left, rect.Top, *c.bitmap);
}

void TWinSkinForm::PaintCaption(HDC dc) {
    TRect area;
    if (Windowstate == swsMin) {
        CaptionBuf->SetSize(fwidth, fheight);
        CaptionBuf->Fill(ResolveColor(fsd->Colors[scheme::kButtonFace]));
        area = Rect(0, 0, fwidth, bw.Top);
    } else {
        CaptionBuf->SetSize(fwidth, bw.Top);
        if (CaptionBuf->Empty()) return;
        // The upper ends of the side pieces, just drawn, come in from the window.
        BitBlt(BitmapDC(*CaptionBuf), 0, 0, fwidth, bw.Top, dc, 0, 0, SRCCOPY);
        area = Rect(bw.Left, 0, fwidth - bw.Right, bw.Top);
    }
    if (CaptionBuf->Empty()) return;
    DrawBorderPiece(kTopPiece, area, BitmapDC(*CaptionBuf));
    DrawCaptionText(BitmapDC(*CaptionBuf), area);
    PlaceButtons();
    DrawButtons(BitmapDC(*CaptionBuf));
    BlitOpaque(dc, 0, 0, *CaptionBuf);
    SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::DrawCaptionText(HDC dc, const TRect& R) {
    const TDataSkinTitle* title = fsd->Title.get();
    std::wstring text = WindowText(Hwnd);
    astr = L" ";
    text = bstr + text + astr;

    SavedDC saved(dc);
    SetBkMode(dc, TRANSPARENT);
    if (CaptionFont) SelectObject(dc, CaptionFont.get());
    SetTextColor(dc,
                 ColorToRGB(ResolveColor(
                     fsd->Colors[FWindowActive ? scheme::kTitleTextActive : scheme::kTitleTextNoActive])));
    RECT measured = ToRECT(R);
    DrawTextW(dc, text.c_str(), int(text.size()), &measured, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);

    CaptionTextInput in;
    in.area = R;
    in.textWidth = measured.right - measured.left;
    in.textHeight = measured.bottom - measured.top;
    if (title) {
        in.backleft = title->backleft;
        in.backright = title->backright;
        in.shifts = title->r;
        in.alignment = title->Aligment;
    }
    RightBtn = 0;
    for (auto& b : SysBtn)
        if (b->data->Align == 1 && !b->data->Map.Empty() && IsButtonVisible(*b))
            RightBtn = std::max(RightBtn, b->data->XCoord);
    in.rightButtons = RightBtn;
    in.bidileft = bidileft;
    in.popup = (DWORD(GetWindowLongW(Hwnd, GWL_STYLE)) & WS_POPUP) != 0;
    in.dialog = FormBorder == sbsDialog;
    const CaptionTextBoxes boxes = LayoutCaptionText(in);
    ctr = boxes.text;
    if (title && !title->Map.Empty())
        DrawSkinBar(dc, boxes.background, title->Map, Rect(title->backleft, 0, title->backright, 0),
                    FWindowActive ? 1 : 2, 2, 1, 1);
    RECT r = ToRECT(boxes.drawn);
    UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (bidileft) flags |= DT_RIGHT | DT_RTLREADING;
    DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
    FTitleRect = boxes.drawn;
}
