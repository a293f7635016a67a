// The skinners of buttons that carry a picture, on the push button's image, mouse and keyboard handling:
// TSkinBitButton (a glyph strip or an image-list entry beside the caption, placed by "Layout"),
// TSkinMenuButton (glyph, caption and a drop-down arrow in a row) and TSkinSpeedButton (windowless speed
// buttons with their down and flat looks, painted through their parent).
#pragma once

#include <memory>
#include <string>

#include "skin/controls/win/skin_button.h"

class TGraphicBitmap;
class TDataSkinObject;
// The skin's button frames at the button's size and the glyph's cells, as last composed: a repaint draws
// from here until the size, the skin or the glyph changes.
struct PictureButtonCache;

class TSkinBitButton : public TSkinButton {
public:
    explicit TSkinBitButton(TComponent* AOwner);
    ~TSkinBitButton() override;

    Route BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;
    void SkinChange() override;

    // A published property holding the glyph as a picture of its own; empty: "Glyph" and "Images".
    std::string PicField;

protected:
    // Cell `cell` of a strip of numGlyphs cells at p, the colour of its bottom-left pixel transparent; a
    // strip of one cell shows the disabled cell (2) embossed.
    void DrawGlyph(HDC dc, TPoint p, int numGlyphs, int cell, const TBitmap& glyph);
    // The button's background (the parent's for a transparent button, else the button face) and, with
    // drawFrame, frame `frame` of the skin's button image over all of rc (9-sliced, key colour see-through).
    void DrawFace(HDC dc, const TRect& rc, const TDataSkinObject& image, int frame, bool drawFrame);
    // The picture of PicField at p, with its own transparency (none unless it says so).
    void DrawPicture(HDC dc, TPoint p, const TBitmap& picture);
    // The caption in the text colour of a frame: the font's, then the skin's colour of that frame; the
    // shadow colour when disabled.
    void SetTextColorFor(HDC dc, TFont* font, int frame, bool disabled);

    std::unique_ptr<PictureButtonCache> cache_;
};

class TSkinMenuButton : public TSkinButton {
public:
    explicit TSkinMenuButton(TComponent* AOwner);
    ~TSkinMenuButton() override;

    Route BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;
    void SkinChange() override;

private:
    // The whole glyph as one cell at p, the colour of its bottom-left pixel transparent.
    void DrawGlyph(HDC dc, TPoint p, const TBitmap& glyph);

    std::unique_ptr<PictureButtonCache> cache_;
};

class TSkinSpeedButton : public TSkinBitButton {
public:
    explicit TSkinSpeedButton(TComponent* AOwner);
    ~TSkinSpeedButton() override;

    // Attaches to the owner, a windowless control, through its WindowProc; no window is involved.
    void InitGraphicControl(TComponent* sf, TSkinData* sd, TCanvas* acanvas);
    Route BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    // Paints now: on adc, on the control's canvas while it has a dc (inside its parent's paint), or else
    // on the parent's window clipped to the control.
    void PaintControl(HDC adc) override;

    bool FReentr = false;  // a paint is running: a nested one is dropped

protected:
    // WM_PAINT from the parent's painting, with the dc in wParam (moved and clipped to the control); the
    // dc is given back as it came.
    void WMPaintSpeed(TMessage& Message);
    void DrawSpeedbtn(TCanvas& acanvas, const TRect& rc);

private:
    void GiveBackWindowProc();
    void Draw(TCanvas& canvas);
};
