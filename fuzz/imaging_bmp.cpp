// Fuzzes the BMP loader, then runs the skin-image routines over whatever it accepted.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "skin/imaging/img_util.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    TBitmap bmp;
    if (!bmp.LoadFromStream(stream)) {
        if (!bmp.Empty()) __builtin_trap();  // a rejected file must leave nothing behind
        return 0;
    }
    // Every pixel of an accepted image must be readable. A few bytes of RLE may declare millions of pixels:
    // there, every row's ends and an even sample between them keep each run within the time limit.
    const std::int64_t pixels = bmp.Width() * std::int64_t(bmp.Height());
    const int step = pixels > (1 << 20) ? int(pixels >> 20) + 1 : 1;
    std::uint32_t sum = 0;
    for (int y = 0; y < bmp.Height(); ++y) {
        for (int x = 0; x < bmp.Width(); x += step) sum += bmp.Pixel(x, y);
        sum += bmp.Pixel(bmp.Width() - 1, y);
    }
    if (pixels > (1 << 20)) return int(sum & 0);
    // Compose from it as a skin strip would be used, small enough to stay fast.
    const int frames = 1 + int(size % 3);
    auto composed = MakeSkinBitmap(Rect(0, 0, 37, 23), bmp, Rect(3, 2, 4, 5), 1 + int(size % 4), frames,
                                   int(size & 1), 0);
    TBitmap copy;
    copy.Assign(bmp);
    MirrorBitmap(copy);
    RotateBitmapLeft(copy);
    ColorKeyRects(copy, 0, 0, SkinKeyColor, 1, 1, 1);
    TMemoryStream out;
    bmp.SaveToStream(out, 32);
    return 0;
}
