// The tool bar: the common "ToolbarWindow32" control, a row of buttons with an image and a caption each;
// check buttons stay down until clicked again, separators keep a gap between groups.
#pragma once

#include <functional>

#include "platform/collection.h"
#include "platform/win/image_list.h"
#include "platform/win/std_controls.h"

enum TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };

class TToolBar;

class TToolBarButton : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TToolBarButton(TCollection* collection);
    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override;

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& value);
    // An index into the bar's Images, -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle value);
    // A check button that is down.
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

private:
    friend class TToolBar;
    std::wstring caption_;
    int imageIndex_ = -1;
    TToolButtonStyle style_ = tbsButton;
    bool down_ = false;
    bool enabled_ = true;
};

class TToolBarButtons : public TCollection {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TToolBarButtons(TToolBar* bar);
    TToolBarButton* Items(int index) const { return ItemAs<TToolBarButton>(index); }
    TToolBarButton* Add() { return static_cast<TToolBarButton*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TToolBar* bar_;
};

using TToolButtonEvent = std::function<void(TToolBar* sender, TToolBarButton* button)>;

class TToolBar : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    TToolBarButtons* Buttons() const { return buttons_.get(); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    // Buttons without a raised edge until the mouse comes over them.
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // The captions beside the images.
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);

    // A click on a button (a check button has its new Down already).
    TToolButtonEvent OnButtonClick;

    // Sends the buttons to the control.
    void UpdateButtons();
    // The button's rectangle in the bar, empty when it has none.
    TRect ButtonRect(int index);
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void ApplyImages();
    LRESULT CustomDraw(NMTBCUSTOMDRAW& cd);
    void Restyle();

    std::unique_ptr<TToolBarButtons> buttons_;
    TCustomImageList* images_ = nullptr;
    ImageListHandle shownImages_;
    bool flat_ = true;
    bool showCaptions_ = true;
};
