// The glyph button: an owner-drawn standard button that draws its glyph and caption itself.
#include "platform/win/bit_btn.h"

#include <algorithm>
#include <array>

#include "platform/win/bitmap_win.h"
#include "platform/win/forms.h"
#include "platform/win/gdi.h"

namespace {

constexpr std::array<std::string_view, 11> kKindNames{"bkCustom", "bkOK",     "bkCancel", "bkHelp",
                                                      "bkYes",    "bkNo",     "bkClose",  "bkAbort",
                                                      "bkRetry",  "bkIgnore", "bkAll"};

constexpr int kStockCell = 18;
constexpr COLORREF kStockKey = RGB(0, 128, 128);  // the bottom-left pixel: transparent

// One stock picture drawn into the cell at x in colour (the disabled cell draws the same in grey).
void DrawStockShape(HDC dc, TBitBtnKind kind, int x, COLORREF colour) {
    Owned<HPEN> pen{CreatePen(PS_SOLID, 3, colour)};
    Owned<HPEN> thin{CreatePen(PS_SOLID, 2, colour)};
    Owned<HBRUSH> fill{CreateSolidBrush(colour)};
    Selected usePen{dc, pen.get()};
    Selected useBrush{dc, GetStockObject(NULL_BRUSH)};
    auto line = [&](std::initializer_list<POINT> points) {
        std::vector<POINT> p(points);
        for (POINT& q : p) q.x += x;
        Polyline(dc, p.data(), int(p.size()));
    };
    switch (kind) {
    case bkOK:
    case bkYes: line({{3, 9}, {7, 13}, {14, 4}}); break;
    case bkAll:
        line({{1, 8}, {4, 11}, {9, 4}});
        line({{7, 10}, {10, 13}, {16, 5}});
        break;
    case bkCancel:
        line({{4, 4}, {13, 13}});
        line({{13, 4}, {4, 13}});
        break;
    case bkAbort: {
        Selected useThin{dc, thin.get()};
        Ellipse(dc, x + 2, 2, x + 16, 16);
        line({{6, 6}, {11, 11}});
        line({{11, 6}, {6, 11}});
        break;
    }
    case bkNo: {
        Selected useThin{dc, thin.get()};
        Ellipse(dc, x + 2, 2, x + 16, 16);
        line({{5, 12}, {12, 5}});
        break;
    }
    case bkHelp: {
        Selected useThin{dc, thin.get()};
        Arc(dc, x + 5, 2, x + 13, 9, x + 5, 5, x + 11, 8);
        line({{10, 8}, {9, 9}, {9, 11}});
        Selected useFill{dc, fill.get()};
        Rectangle(dc, x + 8, 13, x + 11, 16);
        break;
    }
    case bkClose: {
        Selected useThin{dc, thin.get()};
        Rectangle(dc, x + 5, 2, x + 14, 16);
        Selected useFill{dc, fill.get()};
        Rectangle(dc, x + 10, 8, x + 12, 10);
        break;
    }
    case bkRetry: {
        Selected useThin{dc, thin.get()};
        Arc(dc, x + 3, 3, x + 15, 15, x + 15, 9, x + 9, 3);
        Selected useFill{dc, fill.get()};
        const POINT head[] = {{x + 12, 10}, {x + 17, 10}, {x + 14, 14}};
        Polygon(dc, head, 3);
        break;
    }
    case bkIgnore: {
        line({{2, 9}, {12, 9}});
        Selected useFill{dc, fill.get()};
        const POINT head[] = {{x + 11, 5}, {x + 16, 9}, {x + 11, 13}};
        Polygon(dc, head, 3);
        break;
    }
    case bkCustom: break;
    }
}

COLORREF StockColour(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
    case bkYes:
    case bkAll:
    case bkRetry: return RGB(0, 128, 0);
    case bkCancel:
    case bkAbort:
    case bkNo: return RGB(192, 0, 0);
    case bkHelp:
    case bkIgnore: return RGB(0, 0, 160);
    default: return RGB(96, 48, 0);
    }
}

bool IsStockCaption(const std::wstring& caption) {
    for (int k = bkOK; k <= bkAll; ++k)
        if (caption == BitBtnKindCaption(TBitBtnKind(k))) return true;
    return false;
}

}  // namespace

const PropTable TBitBtn::Props{
    &TButton::Props,
    {
        Prop::Obj("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph),
        Prop::Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
        Prop::Enum("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout, PropNames{kButtonLayoutNamesArray}),
        Prop::Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
        Prop::Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing),
        Prop::Enum("Kind", &TBitBtn::Kind, &TBitBtn::SetKind, PropNames{kKindNames}),
    }};
const TClassInfo TBitBtn::ClassInfo_{"TBitBtn", &TButton::ClassInfo_, &TBitBtn::Props};

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
    glyph_.OnChange = [this] { Invalidate(); };
}

TBitBtn::~TBitBtn() { glyph_.OnChange = nullptr; }

void TBitBtn::SetLayout(TButtonLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TBitBtn::SetMargin(int value) {
    value = std::max(value, -1);
    if (value == margin_) return;
    margin_ = value;
    Invalidate();
}

void TBitBtn::SetSpacing(int value) {
    value = std::max(value, -1);
    if (value == spacing_) return;
    spacing_ = value;
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind value) {
    if (value == kind_) return;
    const std::wstring caption = Caption();
    kind_ = value;
    if (value == bkCustom) return;
    glyph_.Glyph()->SetBitmap(BitBtnKindGlyph(value));
    glyph_.SetNumGlyphs(2);
    if (caption.empty() || IsStockCaption(caption)) SetCaption(BitBtnKindCaption(value));
    if (value == bkOK) SetDefault(true);
    if (value == bkCancel) Cancel = true;
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        if (auto* form = dynamic_cast<TCustomForm*>(ParentForm())) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.Style = (p.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_DRAWITEM:
        if (m.LParam) DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case BM_SETSTYLE:
        // The default look is drawn here: the button stays owner-drawn.
        m.WParam = (m.WParam & ~WPARAM(BS_TYPEMASK)) | BS_OWNERDRAW;
        TButton::WndProc(m);
        Invalidate();
        return;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button reports a quick second click as a double click, not a click.
        m.Msg = WM_LBUTTONDOWN;
        TButton::WndProc(m);
        return;
    default: TButton::WndProc(m);
    }
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    BufferDC buffer{item.hDC, item.rcItem};
    DrawFace(buffer, item.rcItem, (item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0);
}

void TBitBtn::DrawFace(HDC dc, const RECT& client, bool pressed, bool focused) {
    RECT r = client;
    if (Default() || focused) {
        FrameRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    ButtonFaceContent content;
    content.glyph = &glyph_;
    content.caption = Caption();
    content.layout = layout_;
    content.margin = margin_;
    content.spacing = spacing_;
    content.state = !Enabled() ? bsDisabled : pressed ? bsDown : bsUp;
    content.font = Font()->Handle();
    content.textColor = ColorToRGB(Font()->Color());
    DrawButtonContent(dc, ContentRect(client), content, pressed ? POINT{1, 1} : POINT{0, 0});
    if (focused) {
        RECT f = client;
        InflateRect(&f, -4, -4);
        DrawFocusRect(dc, &f);
    }
}

std::wstring BitBtnKindCaption(TBitBtnKind kind) {
    switch (kind) {
    case bkOK: return L"确定";
    case bkCancel: return L"取消";
    case bkHelp: return L"帮助(&H)";
    case bkYes: return L"是(&Y)";
    case bkNo: return L"否(&N)";
    case bkClose: return L"关闭(&C)";
    case bkAbort: return L"中止";
    case bkRetry: return L"重试(&R)";
    case bkIgnore: return L"忽略(&I)";
    case bkAll: return L"全部(&A)";
    case bkCustom: break;
    }
    return {};
}

TBitmap BitBtnKindGlyph(TBitBtnKind kind) {
    if (kind == bkCustom) return {};
    TBitmap strip(2 * kStockCell, kStockCell, pf24bit);
    HDC dc = BitmapDC(strip);
    if (!dc) return {};
    {
        SavedDC saved{dc};
        Owned<HBRUSH> key{CreateSolidBrush(kStockKey)};
        const RECT all{0, 0, 2 * kStockCell, kStockCell};
        FillRect(dc, &all, key.get());
        DrawStockShape(dc, kind, 0, StockColour(kind));
        DrawStockShape(dc, kind, kStockCell, RGB(128, 128, 128));
    }
    GdiFlush();
    return strip;
}
