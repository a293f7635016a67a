// The standard controls: push button, label, edit and memo, group box and panel.
#pragma once

#include "platform/string_list.h"
#include "platform/win/controls.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// A push button: the standard BUTTON control. Its clicks (mouse or keyboard) arrive as BN_CLICKED and
// become Click.
class TButton : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TButton(TComponent* owner);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel = false;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool default_ = false;
};

// Text on its parent's surface, windowless. Sizes itself to its text unless AutoSize is off; paints its
// background in its colour (the parent's, by default) unless Transparent.
class TLabel : public TGraphicControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TLabel(TComponent* owner);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

protected:
    void Paint() override;
    void AdjustSize() override;
    bool Opaque() const override { return !transparent_; }

private:
    UINT DrawFlags() const;

    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    bool wordWrap_ = false;
};

// A single-line edit: the standard EDIT control.
class TCustomEdit : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomEdit(TComponent* owner);

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    // A bevel drawn in the non-client area, outside the control's own border and scroll bars.
    TBevelKind BevelKind() const { return bevelKind_; }
    void SetBevelKind(TBevelKind value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    // Pixels the bevel takes on each side.
    int BevelSize() const;

    TNotifyEvent OnChange;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void RecreateFrame();

private:
    TBorderStyle borderStyle_ = bsSingle;
    bool readOnly_ = false;
    int maxLength_ = 0;
    TBevelKind bevelKind_ = bkNone;
    TBevelCut bevelInner_ = bvRaised;
    TBevelCut bevelOuter_ = bvLowered;
};

class TEdit : public TCustomEdit {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomEdit::TCustomEdit;
};

class TCustomMemo;

// The lines of a memo, read from and written to its text (CR LF between lines, and after the last one
// once lines have been added). Lines are wide strings.
class TMemoLines {
public:
    explicit TMemoLines(TCustomMemo& memo) : memo_(memo) {}
    int Count() const;
    std::wstring Strings(int index) const;
    std::wstring operator[](int index) const { return Strings(index); }
    // Appends a line at the end, scrolling it into view.
    void Add(const std::wstring& line);
    void Delete(int index);
    void Clear();
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    // The lines as UTF-8 strings, for form descriptions.
    TStringList AsStringList() const;
    void Assign(const TStringList& lines);

private:
    TCustomMemo& memo_;
};

class TCustomMemo : public TCustomEdit {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomMemo(TComponent* owner);
    TMemoLines& Lines() { return lines_; }
    const TMemoLines& Lines() const { return lines_; }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool WantReturns = true;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TStringList LinesList() const { return lines_.AsStringList(); }
    void SetLinesList(const TStringList& lines) { lines_.Assign(lines); }

    TMemoLines lines_{*this};
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomMemo::TCustomMemo;
};

// A framed group of controls with a caption in its top edge. Custom-painted; the caption is also its
// window text.
class TCustomGroupBox : public TCustomControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void AlignControls(TRect& rect) override;
    void TextChanged() override { Invalidate(); }
};

class TGroupBox : public TCustomGroupBox {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomGroupBox::TCustomGroupBox;
};

// A raised (or lowered) area with a centred caption.
class TCustomPanel : public TCustomControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomPanel(TComponent* owner);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // Skinners switch this on for panels they draw over their parent.
    bool Transparent = false;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void AlignControls(TRect& rect) override;
    void TextChanged() override { Invalidate(); }

private:
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomPanel::TCustomPanel;
};
