// TSkinCheckBox and TSkinRadioButton: the box of a check box or radio button replaced by a cell of the skin's
// check or radio image. A framework control is drawn whole, caption included (kind 1); a raw window keeps
// its own painting and only gets the image over its box (kind 0), as does any control while the skin has
// no such image.
#pragma once

#include <memory>

#include "skin/controls/check_box.h"
#include "skin/controls/win/skin_control.h"

class TBitmap;

// What the two skinners share: the messages that change the look, the mouse over the control, and the
// drawing of the image and caption.
class ChoiceSkinner : public TSkinControl {
public:
    explicit ChoiceSkinner(TComponent* AOwner);
    ~ChoiceSkinner() override;

    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    Route BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    // A new skin: its image decides again whether the control is drawn whole; then the repaint.
    void SkinChange() override;

    bool trans = false;  // the parent's background shows behind the control

protected:
    // The skin's image for this kind of control (nullptr when the skin has none) and its cell count.
    virtual const TBitmap* Image() const = 0;
    virtual int Frames() const = 0;
    // Whether the image has hot and pressed looks, so that the mouse changes what is shown.
    virtual bool HasMouseLooks() const = 0;
    // Reads the window (and control) and answers the cell and the image's place in rc.
    virtual int ChooseCell() = 0;
    virtual CheckLayout Place(const TRect& rc, int cellWidth, int cellHeight, bool leftText,
                              bool rightToLeft) const = 0;
    // Draws the control into dc: the background and caption for kind 1, the image for both kinds.
    void DrawChoice(HDC dc, const TRect& rc);
    bool Hot() const { return (TSkinControl::state & kHot) != 0; }

private:
    void DrawCaptionText(HDC dc, const CheckLayout& layout);
    // Cell `cell` of `frames` of image, cut out once and kept while the same cell of the same image shows.
    const TBitmap& CellOf(const TBitmap& image, int frames, int cell);
    std::unique_ptr<TBitmap> buffer_;  // kind 1 composes here and copies once
    std::unique_ptr<TBitmap> patch_;   // kind 0: the cell on the skin's face
    std::unique_ptr<TBitmap> cell_;
    const TBitmap* cellImage_ = nullptr;
    int cellSize_ = 0, cellFrames_ = 0, cellIndex_ = 0;
};

class TSkinCheckBox : public ChoiceSkinner {
public:
    explicit TSkinCheckBox(TComponent* AOwner) : ChoiceSkinner(AOwner) {}
    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;

    // 0 until the control receives BM_SETCHECK, then that message's wParam + 1 (data-aware check boxes).
    // It hides the base's mouse flags, which stay in TSkinControl::state.
    int state = 0;

protected:
    const TBitmap* Image() const override;
    int Frames() const override;
    bool HasMouseLooks() const override { return CellCount(Frames()) == 12; }
    int ChooseCell() override;
    CheckLayout Place(const TRect& rc, int cellWidth, int cellHeight, bool leftText,
                      bool rightToLeft) const override;
};

class TSkinRadioButton : public ChoiceSkinner {
public:
    explicit TSkinRadioButton(TComponent* AOwner) : ChoiceSkinner(AOwner) {}
    void DrawControl(HDC dc, const TRect& rc) override;

protected:
    const TBitmap* Image() const override;
    int Frames() const override;
    bool HasMouseLooks() const override { return CellCount(Frames()) == 8; }
    int ChooseCell() override;
    CheckLayout Place(const TRect& rc, int cellWidth, int cellHeight, bool leftText,
                      bool rightToLeft) const override;
};
