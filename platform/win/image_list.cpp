// Image lists: two strips of our own, drawn with a mask, and a platform image list made from them.
#include "platform/win/image_list.h"

#include <algorithm>

#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"

void ImageListHandle::reset(HIMAGELIST h) {
    if (h == h_) return;
    if (h_) {
        ImageList_Destroy(h_);
        gdi::CountHandle(-1);
    }
    h_ = h;
    if (h_) gdi::CountHandle(1);
}

const PropTable TCustomImageList::Props{
    &TComponent::Props,
    {
        Prop::Int("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth),
        Prop::Int("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight),
        Prop::Event("OnChange", &TCustomImageList::OnChange),
    }};
const TClassInfo TCustomImageList::ClassInfo_{"TCustomImageList", &TComponent::ClassInfo_,
                                              &TCustomImageList::Props};
const TClassInfo TImageList::ClassInfo_{"TImageList", &TCustomImageList::ClassInfo_,
                                        &TCustomImageList::Props};

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}
TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::SetWidth(int value) {
    value = std::max(1, value);
    if (value == width_) return;
    width_ = value;
    Clear();
}

void TCustomImageList::SetHeight(int value) {
    value = std::max(1, value);
    if (value == height_) return;
    height_ = value;
    Clear();
}

void TCustomImageList::Clear() {
    count_ = 0;
    image_.SetSize(0, 0);
    mask_.SetSize(0, 0);
    Changed();
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    const int cells = image.Height() >= height_ ? image.Width() / width_ : 0;
    if (cells <= 0) return -1;
    const TColor key = TColor(ColorToRGB(maskColor));
    const int first = count_;
    const int total = count_ + cells;
    image_.SetSize(total * width_, height_);
    mask_.SetSize(total * width_, height_);
    for (int c = 0; c < cells; ++c) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const TColor p = image.Pixel(c * width_ + x, y);
                const int dx = (first + c) * width_ + x;
                const bool clear = p == key;
                image_.SetPixel(dx, y, clear ? clBlack : p);
                mask_.SetPixel(dx, y, clear ? clWhite : clBlack);
            }
        }
    }
    count_ = total;
    Changed();
    return first;
}

void TCustomImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
    if (!dc || index < 0 || index >= count_) return;
    HDC imageDc = BitmapDC(image_);
    HDC maskDc = BitmapDC(mask_);
    if (!imageDc || !maskDc) return;
    const int sx = index * width_;
    if (enabled) {
        // The mask clears the image's pixels to black, then the image (black elsewhere) is added.
        BitBlt(dc, x, y, width_, height_, maskDc, sx, 0, SRCAND);
        BitBlt(dc, x, y, width_, height_, imageDc, sx, 0, SRCPAINT);
        return;
    }
    // Embossed: the shape in the highlight colour one pixel down and right, then in the shadow colour.
    // Where the mask is white the destination stays; elsewhere the brush goes (PSDPxax).
    constexpr DWORD kBrushThroughMask = 0x00B8074A;
    SavedDC saved{dc};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    Owned<HBRUSH> light{CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT))};
    Owned<HBRUSH> shadow{CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW))};
    {
        Selected use{dc, light.get()};
        BitBlt(dc, x + 1, y + 1, width_, height_, maskDc, sx, 0, kBrushThroughMask);
    }
    Selected use{dc, shadow.get()};
    BitBlt(dc, x, y, width_, height_, maskDc, sx, 0, kBrushThroughMask);
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    Draw(canvas.Handle(), x, y, index, enabled);
}

HIMAGELIST TCustomImageList::Handle() {
    if (handle_.get() || count_ == 0) return handle_.get();
    handle_.reset(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, count_, 4));
    if (!handle_.get()) return nullptr;
    // The platform list copies bitmaps that are selected nowhere: copy the strips out first.
    const int w = count_ * width_;
    ClientDC screen{nullptr};
    Owned<HBITMAP> colour{CreateCompatibleBitmap(screen, w, height_)};
    Owned<HBITMAP> mono{CreateBitmap(w, height_, 1, 1, nullptr)};
    {
        MemoryDC to{screen};
        Selected select{to, colour.get()};
        BitBlt(to, 0, 0, w, height_, BitmapDC(image_), 0, 0, SRCCOPY);
    }
    {
        MemoryDC to{screen};
        Selected select{to, mono.get()};
        HDC from = BitmapDC(mask_);
        SetBkColor(from, RGB(255, 255, 255));  // white becomes 1 in the monochrome mask
        BitBlt(to, 0, 0, w, height_, from, 0, 0, SRCCOPY);
    }
    ImageList_Add(handle_.get(), colour.get(), mono.get());
    return handle_.get();
}

void TCustomImageList::Changed() {
    handle_.reset();
    if (OnChange) OnChange(this);
}
