// The header control: the common "SysHeader32" control, a row of sections (column captions) that can be
// clicked and resized by dragging the dividers between them.
#pragma once

#include <functional>

#include "platform/collection.h"
#include "platform/win/image_list.h"
#include "platform/win/std_controls.h"

class THeaderControl;

class THeaderSection : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit THeaderSection(TCollection* collection);
    void Assign(const TPersistent& source) override;
    std::string DisplayName() const override;

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // An index into the control's Images, -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // A click on the section is told to OnSectionClick.
    bool AllowClick = true;

private:
    friend class THeaderControl;
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    int imageIndex_ = -1;
};

class THeaderSections : public TCollection {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit THeaderSections(THeaderControl* header);
    THeaderSection* Items(int index) const { return ItemAs<THeaderSection>(index); }
    THeaderSection* Add() { return static_cast<THeaderSection*>(TCollection::Add()); }
    THeaderSection* AddSection(const std::wstring& text, int width);

protected:
    void Update(TCollectionItem* item) override;

private:
    THeaderControl* header_;
};

using TSectionNotifyEvent = std::function<void(THeaderControl* header, THeaderSection* section)>;

class THeaderControl : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;

    THeaderSections* Sections() const { return sections_.get(); }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    // The section under the mouse is drawn lit.
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);

    TSectionNotifyEvent OnSectionClick;
    // A divider was dragged: the section has its new width.
    TSectionNotifyEvent OnSectionResize;

    // Sends the sections to the control.
    void UpdateSections();
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void ApplyImages();
    void Notify(const NMHDR& hdr);

    std::unique_ptr<THeaderSections> sections_;
    TCustomImageList* images_ = nullptr;
    ImageListHandle shownImages_;
    bool hotTrack_ = false;
};

// The format bits of a section as the control takes them (HDF_xxx).
int HeaderFormat(TAlignment alignment, bool hasText, bool hasImage);
