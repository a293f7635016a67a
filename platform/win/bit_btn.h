// TBitBtn: a push button with a glyph beside its caption (an owner-drawn standard BUTTON), and the stock
// kinds (OK, Cancel, Help ...) that come with their own caption and glyph.
#pragma once

#include "platform/win/button_glyph.h"
#include "platform/win/std_controls.h"

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

class TBitBtn : public TButton {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    // The glyph strip: cell 1 up, 2 disabled, 3 pressed (a fourth, down, is for speed buttons).
    TGraphicBitmap* Glyph() { return glyph_.Glyph(); }
    void SetGlyph(const TGraphicBitmap& value) { glyph_.Glyph()->Assign(value); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value) { glyph_.SetNumGlyphs(value); }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    // Pixels from the edge to the glyph; -1 centres glyph and caption together.
    int Margin() const { return margin_; }
    void SetMargin(int value);
    // Pixels between glyph and caption; -1 shares the room out evenly.
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    // A stock kind brings its caption (when the caption is empty or another kind's) and its glyph; bkOK
    // makes the button the default one, bkCancel the cancel one, and a bkClose button closes its form.
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind value);

    void Click() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // The owner-drawn face: the frame, then glyph and caption (pressed ones one pixel down and right).
    virtual void DrawFace(HDC dc, const RECT& client, bool pressed, bool focused);
    // The glyph and caption's share of the face (a menu button keeps room for its arrow).
    virtual RECT ContentRect(const RECT& client) const { return client; }
    TButtonGlyph& ButtonGlyph() { return glyph_; }

private:
    void DrawItem(const DRAWITEMSTRUCT& item);

    TButtonGlyph glyph_;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TBitBtnKind kind_ = bkCustom;
};

// The stock caption of a kind ("确定", "取消" ...; empty for bkCustom).
std::wstring BitBtnKindCaption(TBitBtnKind kind);
// The stock glyph of a kind: two 18 x 18 cells, up and disabled (empty for bkCustom).
TBitmap BitBtnKindGlyph(TBitBtnKind kind);
