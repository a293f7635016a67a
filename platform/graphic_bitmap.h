// TGraphicBitmap: a bitmap as the value of a published property (a button's Glyph). It owns its pixels,
// tells its user of every change, and is stored in form descriptions as the binary property "Data": the
// bytes of a BMP file.
#pragma once

#include <functional>

#include "platform/bitmap.h"
#include "platform/object.h"

class TGraphicBitmap : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    const TBitmap& Bitmap() const { return bitmap_; }
    bool Empty() const { return bitmap_.Empty(); }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    // A copy of source's pixels and transparency (an empty source empties the picture).
    void SetBitmap(const TBitmap& source);
    void SetBitmap(TBitmap&& source);
    void Clear();
    // From another TGraphicBitmap; anything else raises EConvertError.
    void Assign(const TPersistent& source) override;
    // "Data": BMP bytes. A value the BMP reader refuses leaves the picture empty.
    void DefineProperties(TFiler& filer) override;

    std::function<void()> OnChange;

private:
    void Changed();

    TBitmap bitmap_;
};
