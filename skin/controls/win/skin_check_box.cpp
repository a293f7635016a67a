#include "skin/controls/win/skin_check_box.h"

#include <windowsx.h>

#include "platform/bitmap.h"
#include "platform/props.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "platform/win/sys_utils.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

constexpr int kTransparentTag = 5555;

DWORD StyleOf(HWND hwnd) { return DWORD(GetWindowLongW(hwnd, GWL_STYLE)); }

bool HasProp(const TObject* o, const char* name) { return o && FindProp(o, name); }

// The mouse is over the control: a captured mouse reports points outside it, left or above as negative.
bool Inside(HWND hwnd, LPARAM lp) {
    RECT r;
    GetClientRect(hwnd, &r);
    return PtInRect(&r, MousePoint(lp)) != FALSE;
}

}  // namespace

// ---- What both share

ChoiceSkinner::ChoiceSkinner(TComponent* AOwner)
    : TSkinControl(AOwner), buffer_(std::make_unique<TBitmap>()), patch_(std::make_unique<TBitmap>()) {}

ChoiceSkinner::~ChoiceSkinner() = default;

void ChoiceSkinner::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool) {
    // The control keeps its colour: kind 1 paints the skin's face itself, kind 0 leaves the control's own.
    TSkinControl::Init(sf, sd, acanvas, false);
    kind = 0;
    if (!control) return;
    const TBitmap* image = Image();
    kind = image && !image->Empty() ? 1 : 0;
    trans = control->Tag() == kTransparentTag || (fsd && fsd->Options().Contains(xoTransparent));
}

void ChoiceSkinner::SkinChange() {
    cell_.reset();
    if (control) {
        const TBitmap* image = Image();
        kind = image && !image->Empty() ? 1 : 0;
    }
    TSkinControl::SkinChange();
}

Route ChoiceSkinner::BeforeProc(TMessage& Message) {
    const Route base = TSkinControl::BeforeProc(Message);
    switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
        if (kind != 1) break;
        PaintFromMessage(Message);
        return Route::Swallow;
    case WM_ERASEBKGND:
        if (!trans) break;
        EraseBackground(Message);
        return Route::Swallow;
    default: break;
    }
    return base;
}

void ChoiceSkinner::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case BM_SETCHECK:
    // The control paints its pressed look and its focus itself when they change, outside WM_PAINT.
    case BM_SETSTATE:
    case WM_UPDATEUISTATE: RepaintNow(); break;
    case WM_MOUSEMOVE: {
        const bool over = enabled && Inside(hwnd, Message.LParam);
        if (over != Hot()) {
            TSkinControl::state =
                std::uint8_t(over ? TSkinControl::state | kHot : TSkinControl::state & ~kHot);
            if (HasMouseLooks()) RepaintNow();
        }
        if (over) TrackMouseLeave(hwnd);
        break;
    }
    case WM_MOUSELEAVE:
        if (Hot()) {
            TSkinControl::state &= std::uint8_t(~kHot);
            if (HasMouseLooks()) RepaintNow();
        }
        break;
    default: TSkinControl::AfterProc(Message); break;
    }
}

const TBitmap& ChoiceSkinner::CellOf(const TBitmap& image, int frames, int cell) {
    const int size = image.Width() * 65536 + image.Height();
    if (!cell_ || cellImage_ != &image || cellSize_ != size || cellFrames_ != frames || cellIndex_ != cell) {
        const int w = image.Width() / frames;
        cell_ = std::make_unique<TBitmap>(w, image.Height(), pf24bit);
        StretchCopy(*cell_, {0, 0, w, image.Height()}, image, {(cell - 1) * w, 0, cell * w, image.Height()});
        cellImage_ = &image, cellSize_ = size, cellFrames_ = frames, cellIndex_ = cell;
    }
    return *cell_;
}

// The cell is drawn with its key colour transparent, composed in memory: over the buffer's background for
// a control drawn whole, over the skin's face for a raw one (which the skinned window gives the control's
// background too), so nothing is read back from the screen.
void ChoiceSkinner::DrawChoice(HDC dc, const TRect& rc) {
    const TBitmap* image = Image();
    if (!image || image->Empty()) {
        kind = 0;  // the skin has no such image: the control paints itself
        return;
    }
    const int frames = CellCount(Frames());
    const int cellWidth = image->Width() / frames, cellHeight = image->Height();
    if (cellWidth < 1 || rc.IsEmpty()) return;
    const DWORD style = StyleOf(hwnd);
    enabled = !(style & WS_DISABLED);
    focused = GetFocus() == hwnd;
    const TBitmap& cell = CellOf(*image, frames, ChooseCell());
    const CheckLayout layout =
        Place(rc, cellWidth, cellHeight, (style & BS_LEFTTEXT) != 0, CheckBiDi(0) != 0);
    if (kind != 1) {
        // Over the control's own painting: its box goes under the image, its caption stays.
        patch_->SetSize(cellWidth, cellHeight);
        FillColorRect(*patch_, {0, 0, cellWidth, cellHeight}, ButtonFace());
        DrawKeyedBitmap(*patch_, {0, 0, cellWidth, cellHeight}, cell, SkinKeyColor);
        BlitOpaque(dc, layout.image.Left, layout.image.Top, *patch_);
        return;
    }
    buffer_->SetSize(rc.Width(), rc.Height());
    const HDC bdc = BitmapDC(*buffer_);
    if (!bdc) return;
    if (trans && control) {
        PaintParentBackground(control, bdc);
        GdiFlush();  // the parent's painting is in the pixels before they are read
    } else {
        FillColorRect(*buffer_, rc, ButtonFace());
    }
    DrawKeyedBitmap(*buffer_, layout.image, cell, SkinKeyColor);
    DrawCaptionText(bdc, layout);
    BlitOpaque(dc, rc.Left, rc.Top, *buffer_);
}

void ChoiceSkinner::DrawCaptionText(HDC dc, const CheckLayout& layout) {
    caption = control ? GetStrPropByName(control, "Caption") : GetWindowCaption(hwnd);
    SavedDC saved(dc);  // font, colours and mode go back as they were
    TColor color = fsd ? fsd->Colors[scheme::kButtonText] : clBtnText;
    if (TFont* font = control ? GetObjectPropByName<TFont>(control, "Font") : nullptr) {
        SelectObject(dc, font->Handle());
        // A colour of the program's own choosing is kept; the platform's text colour, which a dark skin
        // would not show, gives way to the skin's button text.
        if (!IsSystemColor(font->Color())) color = font->Color();
    } else if (HFONT own = HFONT(SendMessageW(hwnd, WM_GETFONT, 0, 0))) {
        SelectObject(dc, own);
    }
    if (!enabled) color = clBtnShadow;
    SetTextColor(dc, ColorToRGB(ResolveColor(color)));
    SetBkColor(dc, ColorToRGB(ResolveColor(ButtonFace())));
    SetBkMode(dc, TRANSPARENT);
    // As the platform draws it: on one line unless the control is multi-line (a wrapped caption in a
    // one-line control would be cut in half).
    const unsigned lines = (StyleOf(hwnd) & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    const unsigned flags = layout.flags | DT_EXPANDTABS | lines;
    RECT measured = ToRECT(layout.text);
    DrawTextW(dc, caption.c_str(), int(caption.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    const TRect text = CentreCaption(layout.text, int(measured.bottom - measured.top));
    if (ShowsCaptionFocus(focused, caption.empty(), PlatformInfo().Win32MajorVersion))
        DrawCaptionFocus(dc, flags, text);
    RECT r = ToRECT(text);
    DrawTextW(dc, caption.c_str(), int(caption.size()), &r, flags);
}

// ---- Check boxes

void TSkinCheckBox::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    state = 0;
    ChoiceSkinner::Init(sf, sd, acanvas, acolor);
}

void TSkinCheckBox::AfterProc(TMessage& Message) {
    if (Message.Msg == BM_SETCHECK) state = int(Message.WParam) + 1;
    ChoiceSkinner::AfterProc(Message);
}

const TBitmap* TSkinCheckBox::Image() const { return fsd && fsd->Button ? &fsd->Button->CheckMap : nullptr; }

int TSkinCheckBox::Frames() const { return fsd && fsd->Button ? fsd->Button->checkframe : 1; }

int TSkinCheckBox::ChooseCell() {
    const LRESULT button = SendMessageW(hwnd, BM_GETSTATE, 0, 0);
    CheckLook look;
    look.checked = (button & BST_CHECKED) != 0;
    look.indeterminate = (button & BST_INDETERMINATE) != 0;
    look.pressed = (button & BST_PUSHED) != 0;
    look.hot = Hot();
    look.disabled = !enabled;
    if (control) {
        look.hasState = HasProp(control, "State");
        if (look.hasState) look.stateName = GetEnumPropByName(control, "State");
        look.hasChecked = HasProp(control, "Checked");
        if (look.hasChecked) look.checkedName = GetEnumPropByName(control, "Checked");
        look.hasDataField = HasProp(control, "DataField");
        look.dataState = state;
        look.hasDataBinding = HasProp(control, "DataBinding");
    }
    return CheckCell(look, Frames());
}

CheckLayout TSkinCheckBox::Place(const TRect& rc, int cellWidth, int cellHeight, bool leftText,
                                 bool rightToLeft) const {
    return LayoutCheckBox(rc, cellWidth, cellHeight, leftText, rightToLeft);
}

void TSkinCheckBox::DrawControl(HDC dc, const TRect& rc) { DrawChoice(dc, rc); }

// ---- Radio buttons

const TBitmap* TSkinRadioButton::Image() const {
    return fsd && fsd->Button ? &fsd->Button->RadioMap : nullptr;
}

int TSkinRadioButton::Frames() const { return fsd && fsd->Button ? fsd->Button->radioframe : 1; }

int TSkinRadioButton::ChooseCell() {
    const LRESULT button = SendMessageW(hwnd, BM_GETSTATE, 0, 0);
    RadioLook look;
    look.checked = (SendMessageW(hwnd, BM_GETCHECK, 0, 0) & BST_CHECKED) != 0;
    look.pressed = (button & BST_PUSHED) != 0;
    look.hot = Hot();
    look.disabled = !enabled;
    if (control) {
        look.hasChecked = HasProp(control, "Checked");
        if (look.hasChecked) look.checkedName = GetEnumPropByName(control, "Checked");
    }
    return RadioCell(look, Frames());
}

CheckLayout TSkinRadioButton::Place(const TRect& rc, int cellWidth, int cellHeight, bool leftText,
                                    bool rightToLeft) const {
    return LayoutRadioButton(rc, cellWidth, cellHeight, leftText, rightToLeft);
}

void TSkinRadioButton::DrawControl(HDC dc, const TRect& rc) { DrawChoice(dc, rc); }
