// Fonts, brushes, pens and the canvas that draws with them on a device context.
#pragma once

// Our headers first: <windows.h> defines GetRValue and friends as macros, which types.h also declares.
#include "platform/object.h"
#include "platform/props.h"
#include "platform/types.h"

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win/gdi.h"

class TBitmap;

// A system colour resolved to RGB ($00BBGGRR); plain colours pass unchanged.
COLORREF ColorToRGB(TColor color);

// DrawText of wide text: as it is on NT-family systems, converted to the ANSI code page on the older family.
int DrawPlatformText(HDC dc, const std::wstring& text, RECT& rect, UINT format);

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = SetOf<TFontStyle>;
constexpr TFontStyle fsBold = TFontStyle::fsBold;
constexpr TFontStyle fsItalic = TFontStyle::fsItalic;
constexpr TFontStyle fsUnderline = TFontStyle::fsUnderline;
constexpr TFontStyle fsStrikeOut = TFontStyle::fsStrikeOut;

// Something whose look changes with a setting: fonts, brushes and pens tell their user.
class TGraphicsObject : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    std::function<void()> OnChange;

protected:
    void Changed() {
        if (OnChange) OnChange();
    }
};

// A logical font. The handle is made on first use and remade after a change; a handle given with
// SetHandle is taken over and its description read back.
class TFont : public TGraphicsObject {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    TFont();
    void Assign(const TPersistent& source) override;

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points at the screen's resolution.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Charset() const { return charset_; }
    void SetCharset(int charset);

    HFONT Handle() const;
    // Takes over font (nullptr: back to the described font).
    void SetHandle(HFONT font);

    bool operator==(const TFont& other) const;

private:
    void Changing();

    std::wstring name_;
    int height_ = -11;
    TFontStyles style_;
    TColor color_ = clWindowText;
    int charset_ = DEFAULT_CHARSET;
    mutable Owned<HFONT> handle_;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    void Assign(const TPersistent& source) override;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // A pattern bitmap brush (the bitmap stays the caller's); nullptr goes back to solid.
    void SetBitmap(HBITMAP pattern);
    HBRUSH Handle() const;

private:
    void Changing();

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    HBITMAP pattern_ = nullptr;
    mutable Owned<HBRUSH> handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

class TPen : public TGraphicsObject {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    void Assign(const TPersistent& source) override;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    HPEN Handle() const;

private:
    void Changing();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    mutable Owned<HPEN> handle_;
};

// Draws on a device context it is lent (SetHandle) with its font, brush and pen. The objects it selects
// are put back when the handle changes or goes.
class TCanvas : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    TCanvas();
    ~TCanvas() override;

    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(const TRect& r);
    void RoundRect(const TRect& r, int cornerWidth, int cornerHeight);
    void Ellipse(const TRect& r);
    void Polygon(const TPoint* points, int count);
    // Copies (stretching when the sizes differ) source's area into dest.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::wstring& text);
    void TextRect(const TRect& r, int x, int y, const std::wstring& text);
    TSize TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    void DrawFocusRect(const TRect& r);
    // Copies a bitmap's pixels at (x, y), or stretched into r.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Nested drawing from several places: counted, for callers that guard a shared canvas.
    void Lock() { ++lockCount_; }
    void Unlock() { --lockCount_; }
    int LockCount() const { return lockCount_; }

protected:
    // Called when a handle is asked for and none is set (control canvases get a DC here).
    virtual void CreateHandle() {}
    void Deselect();

private:
    void Require(bool font, bool pen, bool brush);

    HDC dc_ = nullptr;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
    bool fontValid_ = false, penValid_ = false, brushValid_ = false;
    int lockCount_ = 0;
};

// Lends a canvas a DC for one scope and takes it back on every path.
class CanvasBinding {
public:
    CanvasBinding(TCanvas& canvas, HDC dc)
        : canvas_(canvas), old_(canvas.HandleAllocated() ? canvas.Handle() : nullptr) {
        canvas_.SetHandle(dc);
    }
    ~CanvasBinding() { canvas_.SetHandle(old_); }
    CanvasBinding(const CanvasBinding&) = delete;
    CanvasBinding& operator=(const CanvasBinding&) = delete;

private:
    TCanvas& canvas_;
    HDC old_;
};

// TRect <-> RECT.
inline RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect ToTRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
