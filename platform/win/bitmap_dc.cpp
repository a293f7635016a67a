// DIB-section pixel stores, so that GDI and the pixel view of a TBitmap share one block of memory.
#include <cstring>
#include <memory>

#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"

namespace {

class DibStore final : public TBitmapStore {
public:
    // The section and its dc are counted with the other live GDI objects (gdi::LiveHandles).
    DibStore(HBITMAP bitmap, void* bits) : bitmap_(bitmap), bits_(static_cast<std::uint8_t*>(bits)) {
        gdi::CountHandle(1);
    }
    ~DibStore() override {
        if (dc_) {
            SelectObject(dc_, old_);  // deselect before the bitmap is deleted
            DeleteDC(dc_);
            gdi::CountHandle(-1);
        }
        DeleteObject(bitmap_);
        gdi::CountHandle(-1);
    }
    DibStore(const DibStore&) = delete;
    DibStore& operator=(const DibStore&) = delete;

    std::uint8_t* Bits() override { return bits_; }
    // GDI may still hold queued drawing for this bitmap; the pixels must be current before we read them.
    void Sync() override { GdiFlush(); }
    void PaletteChanged(const std::vector<TColor>& palette) override {
        RGBQUAD table[256];
        const UINT n = UINT(std::min<std::size_t>(palette.size(), 256));
        for (UINT i = 0; i < n; ++i)
            table[i] = {BYTE(GetBValue(palette[i])), BYTE(GetGValue(palette[i])), BYTE(GetRValue(palette[i])),
                        0};
        SetDIBColorTable(DC(), 0, n, table);
    }

    HBITMAP Handle() const { return bitmap_; }
    HDC DC() {
        if (!dc_) {
            dc_ = CreateCompatibleDC(nullptr);
            if (dc_) gdi::CountHandle(1);
            old_ = SelectObject(dc_, bitmap_);
        }
        return dc_;
    }

private:
    HBITMAP bitmap_;
    std::uint8_t* bits_;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

struct DibInfo {
    BITMAPINFOHEADER header;
    union {
        RGBQUAD colors[256];
        DWORD masks[3];
    };
};

std::unique_ptr<TBitmapStore> MakeDibStore(int width, int height, TPixelFormat format, int rowBytes,
                                           const std::vector<TColor>& palette) {
    auto info = std::make_unique<DibInfo>();
    std::memset(info.get(), 0, sizeof(DibInfo));
    info->header.biSize = sizeof(BITMAPINFOHEADER);
    info->header.biWidth = width;
    info->header.biHeight = -height;  // top-down, as TBitmap keeps its rows
    info->header.biPlanes = 1;
    info->header.biBitCount = WORD(BitsPerPixel(format));
    info->header.biCompression = BI_RGB;
    if (format == pf16bit) {
        info->header.biCompression = BI_BITFIELDS;
        info->masks[0] = 0xF800;
        info->masks[1] = 0x07E0;
        info->masks[2] = 0x001F;
    } else if (!palette.empty()) {
        const std::size_t n = std::min<std::size_t>(palette.size(), 256);
        info->header.biClrUsed = DWORD(n);
        for (std::size_t i = 0; i < n; ++i)
            info->colors[i] = {BYTE(GetBValue(palette[i])), BYTE(GetGValue(palette[i])),
                               BYTE(GetRValue(palette[i])), 0};
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.get()), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    return std::make_unique<DibStore>(bitmap, bits);
}

const bool g_installed = (SetBitmapStoreFactory(&MakeDibStore), true);

DibStore* DibOf(TBitmap& bitmap) {
    if (bitmap.Empty()) return nullptr;
    auto* dib = dynamic_cast<DibStore*>(bitmap.Store());
    if (!dib) {
        bitmap.Rehome(&MakeDibStore);
        dib = dynamic_cast<DibStore*>(bitmap.Store());
    }
    return dib;
}

}  // namespace

void UseDibSections() { SetBitmapStoreFactory(&MakeDibStore); }

HDC BitmapDC(TBitmap& bitmap) {
    bitmap.Touch();  // whoever holds the dc may draw into the pixels
    DibStore* dib = DibOf(bitmap);
    return dib ? dib->DC() : nullptr;
}

HBITMAP BitmapHandle(TBitmap& bitmap) {
    bitmap.Touch();
    DibStore* dib = DibOf(bitmap);
    return dib ? dib->Handle() : nullptr;
}
