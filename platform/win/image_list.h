// Image lists: equal-sized small images kept side by side, each with a mask, drawn by index.
#pragma once

#include "platform/bitmap.h"
#include "platform/component.h"
#include "platform/props.h"

#include <windows.h>

#include <commctrl.h>

#include "platform/win/graphics.h"

// A comctl32 image list handle with its owner, counted with the live GDI handles.
class ImageListHandle {
public:
    ImageListHandle() = default;
    ~ImageListHandle() { reset(); }
    ImageListHandle(const ImageListHandle&) = delete;
    ImageListHandle& operator=(const ImageListHandle&) = delete;
    HIMAGELIST get() const { return h_; }
    void reset(HIMAGELIST h = nullptr);

private:
    HIMAGELIST h_ = nullptr;
};

// Images of Width x Height pixels. Pixels of the mask colour given when an image is added are
// transparent. The images are kept in two strips of our own (the image with its transparent pixels black,
// and a black-on-white mask); Handle makes a platform image list from them for controls that want one.
class TCustomImageList : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size drops every image.
    void SetWidth(int value);
    void SetHeight(int value);
    int Count() const { return count_; }

    // Adds every whole cell of image (side by side, Width wide), with maskColor transparent; returns the
    // index of the first one added, -1 when the image holds no whole cell.
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Clear();

    // Draws image index with its top-left corner at (x, y); a disabled image is drawn embossed in the
    // platform's highlight and shadow colours. Out-of-range indexes draw nothing.
    void Draw(HDC dc, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

    // The platform image list of the same images (made on first use, remade after a change).
    HIMAGELIST Handle();
    TNotifyEvent OnChange;

private:
    void Changed();

    int width_ = 16, height_ = 16;
    int count_ = 0;
    TBitmap image_;  // count_ cells side by side; transparent pixels black
    TBitmap mask_;   // white where transparent, black where the image shows
    ImageListHandle handle_;
};

class TImageList : public TCustomImageList {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomImageList::TCustomImageList;
};
