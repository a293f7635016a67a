#include "platform/graphic_bitmap.h"

#include "platform/filer.h"

const TClassInfo TGraphicBitmap::ClassInfo_{"TGraphicBitmap", &TPersistent::ClassInfo_, &TObject::Props};

void TGraphicBitmap::SetBitmap(const TBitmap& source) {
    bitmap_.Assign(source);
    Changed();
}

void TGraphicBitmap::SetBitmap(TBitmap&& source) {
    bitmap_ = std::move(source);
    Changed();
}

void TGraphicBitmap::Clear() {
    if (bitmap_.Empty()) return;
    bitmap_.Clear();
    Changed();
}

void TGraphicBitmap::Assign(const TPersistent& source) {
    if (auto* other = dynamic_cast<const TGraphicBitmap*>(&source)) {
        if (other != this) SetBitmap(other->bitmap_);
        return;
    }
    TPersistent::Assign(source);
}

void TGraphicBitmap::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            TBitmap read;
            if (!read.LoadFromStream(s)) read.Clear();
            SetBitmap(std::move(read));
        },
        [this](TStream& s) { bitmap_.SaveToStream(s); }, !bitmap_.Empty());
}

void TGraphicBitmap::Changed() {
    if (OnChange) OnChange();
}
