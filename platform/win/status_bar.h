// The status bar: the common status bar control ("msctls_statusbar32") with a collection of panels.
#pragma once

#include "platform/collection.h"
#include "platform/win/std_controls.h"

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TCustomStatusBar;

class TStatusPanel : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TStatusPanel(TCollection* collection);
    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override;

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);

private:
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

class TStatusPanels : public TCollection {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TStatusPanels(TCustomStatusBar* bar);
    TStatusPanel* Items(int index) const { return ItemAs<TStatusPanel>(index); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomStatusBar* bar_;
};

using TDrawPanelEvent = std::function<void(TCustomStatusBar* bar, TStatusPanel* panel, const TRect& rect)>;

class TCustomStatusBar : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;

    TStatusPanels* Panels() const { return panels_.get(); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::wstring& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::wstring& text);
    // The grip is shown only when the form can be resized.
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value) { sizeGrip_ = value; }
    TCanvas& Canvas() { return canvas_; }
    TDrawPanelEvent OnDrawPanel;

    // Sends the panels' layout and texts to the control.
    void UpdatePanels();
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void DrawPanel(TStatusPanel* panel, const TRect& rect);

private:
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::wstring simpleText_;
    bool sizeGrip_ = true;
    TCanvas canvas_;
};

class TStatusBar : public TCustomStatusBar {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomStatusBar::TCustomStatusBar;
};
