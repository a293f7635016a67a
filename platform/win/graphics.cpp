// Fonts, brushes, pens and the canvas.
#include "platform/win/graphics.h"

#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/bitmap.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/sys_utils.h"

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
    return COLORREF(color & 0x00FFFFFF);
}

int DrawPlatformText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
    if (PlatformInfo().IsNT()) return DrawTextW(dc, text.c_str(), int(text.size()), &rect, format);
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), ansi.data(), size, nullptr, nullptr);
    return DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

const TClassInfo TGraphicsObject::ClassInfo_{"TGraphicsObject", &TPersistent::ClassInfo_, &TObject::Props};

// ---- TFont

namespace {
constexpr std::array<std::string_view, 4> kFontStyleNames{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

int ScreenPixelsPerInch() {
    static const int ppi = [] {
        HDC dc = GetDC(nullptr);
        const int v = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return v > 0 ? v : 96;
    }();
    return ppi;
}
}  // namespace

const PropTable TFont::Props{
    &TObject::Props,
    {
        Prop::Int("Charset", &TFont::Charset, &TFont::SetCharset),
        Prop::Int("Color", &TFont::Color, &TFont::SetColor),
        Prop::Int("Height", &TFont::Height, &TFont::SetHeight),
        Prop::Str("Name", &TFont::Name, &TFont::SetName),
        Prop::Int("Size", &TFont::Size, &TFont::SetSize),
        Prop::Set("Style", &TFont::Style, &TFont::SetStyle, PropNames{kFontStyleNames}),
    }};
const TClassInfo TFont::ClassInfo_{"TFont", &TGraphicsObject::ClassInfo_, &TFont::Props};

TFont::TFont() : name_(L"Tahoma") {}

void TFont::Assign(const TPersistent& source) {
    auto* f = dynamic_cast<const TFont*>(&source);
    if (!f) return TGraphicsObject::Assign(source);
    if (*f == *this) return;
    name_ = f->name_;
    height_ = f->height_;
    style_ = f->style_;
    color_ = f->color_;
    charset_ = f->charset_;
    Changing();
}

bool TFont::operator==(const TFont& o) const {
    return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
           charset_ == o.charset_;
}

void TFont::Changing() {
    auto old = std::move(handle_);  // deleted after users have selected the new one
    Changed();
}

void TFont::SetName(const std::wstring& name) {
    if (name.empty() || name == name_) return;
    name_ = name;
    Changing();
}
void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changing();
}
int TFont::Size() const { return -MulDiv(height_, 72, ScreenPixelsPerInch()); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }
void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changing();
}
void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();  // the handle does not depend on the colour
}
void TFont::SetCharset(int charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changing();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic);
        lf.lfUnderline = style_.Contains(fsUnderline);
        lf.lfStrikeOut = style_.Contains(fsStrikeOut);
        lf.lfCharSet = BYTE(charset_);
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        wcsncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.reset(CreateFontIndirectW(&lf));
    }
    return handle_.get();
}

void TFont::SetHandle(HFONT font) {
    if (font && font == handle_.get()) return;
    auto old = std::move(handle_);
    handle_.reset(font);
    if (font) {
        LOGFONTW lf{};
        if (GetObjectW(font, sizeof lf, &lf)) {
            name_ = lf.lfFaceName;
            height_ = lf.lfHeight;
            charset_ = lf.lfCharSet;
            TFontStyles s;
            if (lf.lfWeight >= FW_BOLD) s.Include(fsBold);
            if (lf.lfItalic) s.Include(fsItalic);
            if (lf.lfUnderline) s.Include(fsUnderline);
            if (lf.lfStrikeOut) s.Include(fsStrikeOut);
            style_ = s;
        }
    }
    Changed();
}

// ---- TBrush, TPen

const TClassInfo TBrush::ClassInfo_{"TBrush", &TGraphicsObject::ClassInfo_, &TObject::Props};
const TClassInfo TPen::ClassInfo_{"TPen", &TGraphicsObject::ClassInfo_, &TObject::Props};

void TBrush::Assign(const TPersistent& source) {
    auto* b = dynamic_cast<const TBrush*>(&source);
    if (!b) return TGraphicsObject::Assign(source);
    color_ = b->color_;
    style_ = b->style_;
    pattern_ = b->pattern_;
    Changing();
}
void TBrush::SetColor(TColor color) {
    if (color == color_ && style_ == bsSolid && !pattern_) return;
    color_ = color;
    style_ = bsSolid;
    pattern_ = nullptr;
    Changing();
}
void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    Changing();
}
void TBrush::SetBitmap(HBITMAP pattern) {
    pattern_ = pattern;
    Changing();
}
void TBrush::Changing() {
    auto old = std::move(handle_);  // deleted after users have selected the new one
    Changed();
}
HBRUSH TBrush::Handle() const {
    if (!handle_) {
        if (style_ == bsClear) {
            LOGBRUSH lb{BS_NULL, 0, 0};
            handle_.reset(CreateBrushIndirect(&lb));
        } else if (pattern_) {
            handle_.reset(CreatePatternBrush(pattern_));
        } else {
            handle_.reset(CreateSolidBrush(ColorToRGB(color_)));
        }
    }
    return handle_.get();
}

void TPen::Assign(const TPersistent& source) {
    auto* p = dynamic_cast<const TPen*>(&source);
    if (!p) return TGraphicsObject::Assign(source);
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    Changing();
}
void TPen::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changing();
}
void TPen::SetWidth(int width) {
    if (width == width_ || width < 0) return;
    width_ = width;
    Changing();
}
void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    style_ = style;
    Changing();
}
void TPen::Changing() {
    auto old = std::move(handle_);  // deleted after users have selected the new one
    Changed();
}
HPEN TPen::Handle() const {
    if (!handle_) {
        static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
        handle_.reset(CreatePen(kStyles[style_], width_, ColorToRGB(color_)));
    }
    return handle_.get();
}

// ---- TCanvas

const TClassInfo TCanvas::ClassInfo_{"TCanvas", &TPersistent::ClassInfo_, &TObject::Props};

TCanvas::TCanvas() {
    // A change of an object while it is selected: select the new handle before the old one goes.
    font_.OnChange = [this] {
        fontValid_ = false;
        if (dc_) Require(true, false, false);
    };
    pen_.OnChange = [this] {
        penValid_ = false;
        if (dc_) Require(false, true, false);
    };
    brush_.OnChange = [this] {
        brushValid_ = false;
        if (dc_) Require(false, false, true);
    };
}

TCanvas::~TCanvas() { Deselect(); }

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    Deselect();
    dc_ = dc;
}

void TCanvas::Deselect() {
    if (!dc_) return;
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (oldPen_) SelectObject(dc_, oldPen_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    oldFont_ = oldPen_ = oldBrush_ = nullptr;
    fontValid_ = penValid_ = brushValid_ = false;
}

void TCanvas::Require(bool font, bool pen, bool brush) {
    HDC dc = Handle();
    if (!dc) return;
    if (font && !fontValid_) {
        HGDIOBJ old = SelectObject(dc, font_.Handle());
        if (!oldFont_) oldFont_ = old;
        SetTextColor(dc, ColorToRGB(font_.Color()));
        fontValid_ = true;
    }
    if (pen && !penValid_) {
        HGDIOBJ old = SelectObject(dc, pen_.Handle());
        if (!oldPen_) oldPen_ = old;
        penValid_ = true;
    }
    if (brush && !brushValid_) {
        HGDIOBJ old = SelectObject(dc, brush_.Handle());
        if (!oldBrush_) oldBrush_ = old;
        SetBkColor(dc, ColorToRGB(brush_.Color()));
        SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
        brushValid_ = true;
    }
}

void TCanvas::FillRect(const TRect& r) {
    Require(false, false, true);
    if (!dc_) return;
    RECT rc = ToRECT(r);
    ::FillRect(dc_, &rc, brush_.Handle());
}
void TCanvas::FrameRect(const TRect& r) {
    Require(false, false, true);
    if (!dc_) return;
    RECT rc = ToRECT(r);
    ::FrameRect(dc_, &rc, brush_.Handle());
}
void TCanvas::Rectangle(const TRect& r) {
    Require(false, true, true);
    if (dc_) ::Rectangle(dc_, r.Left, r.Top, r.Right, r.Bottom);
}
void TCanvas::RoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
    Require(false, true, true);
    if (dc_) ::RoundRect(dc_, r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight);
}
void TCanvas::Ellipse(const TRect& r) {
    Require(false, true, true);
    if (dc_) ::Ellipse(dc_, r.Left, r.Top, r.Right, r.Bottom);
}
void TCanvas::Polygon(const TPoint* points, int count) {
    Require(false, true, true);
    if (!dc_ || !points || count < 2) return;
    std::vector<POINT> pts(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) pts[std::size_t(i)] = {points[i].X, points[i].Y};
    ::Polygon(dc_, pts.data(), count);
}
void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    HDC from = source.Handle();
    if (!Handle() || !from) return;
    if (dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height()) {
        BitBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), from, sourceRect.Left, sourceRect.Top,
               SRCCOPY);
        return;
    }
    SavedDC saved{dc_};
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), from, sourceRect.Left, sourceRect.Top,
               sourceRect.Width(), sourceRect.Height(), SRCCOPY);
}
void TCanvas::MoveTo(int x, int y) {
    if (Handle()) MoveToEx(dc_, x, y, nullptr);
}
void TCanvas::LineTo(int x, int y) {
    Require(false, true, true);
    if (dc_) ::LineTo(dc_, x, y);
}
void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    Require(true, false, true);
    if (dc_) ::TextOutW(dc_, x, y, text.c_str(), int(text.size()));
}
void TCanvas::TextRect(const TRect& r, int x, int y, const std::wstring& text) {
    Require(true, false, true);
    if (!dc_) return;
    RECT rc = ToRECT(r);
    const UINT opts = ETO_CLIPPED | (brush_.Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutW(dc_, x, y, opts, &rc, text.c_str(), UINT(text.size()), nullptr);
}
TSize TCanvas::TextExtent(const std::wstring& text) {
    Require(true, false, false);
    SIZE s{0, 0};
    if (dc_) GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &s);
    return {int(s.cx), int(s.cy)};
}
void TCanvas::DrawFocusRect(const TRect& r) {
    if (!Handle()) return;
    RECT rc = ToRECT(r);
    ::DrawFocusRect(dc_, &rc);
}
TColor TCanvas::Pixel(int x, int y) {
    if (!Handle()) return clBlack;
    const COLORREF c = GetPixel(dc_, x, y);
    return c == CLR_INVALID ? clBlack : TColor(c);
}
void TCanvas::SetPixel(int x, int y, TColor color) {
    if (Handle()) ::SetPixel(dc_, x, y, ColorToRGB(color));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
    if (!Handle() || bitmap.Empty()) return;
    auto& source = const_cast<TBitmap&>(bitmap);  // the DC view is made on first use
    HDC from = BitmapDC(source);
    if (!from) return;
    if (bitmap.Transparent()) {
        TransparentBlt(dc_, r.Left, r.Top, r.Width(), r.Height(), from, 0, 0, bitmap.Width(), bitmap.Height(),
                       ColorToRGB(bitmap.TransparentColor()));
    } else if (r.Width() == bitmap.Width() && r.Height() == bitmap.Height()) {
        BitBlt(dc_, r.Left, r.Top, r.Width(), r.Height(), from, 0, 0, SRCCOPY);
    } else {
        SavedDC saved{dc_};
        SetStretchBltMode(dc_, COLORONCOLOR);
        StretchBlt(dc_, r.Left, r.Top, r.Width(), r.Height(), from, 0, 0, bitmap.Width(), bitmap.Height(),
                   SRCCOPY);
    }
}
