// Loads arbitrary input through the skin component: as a skin description packed with a handful of images
// (first byte even), or as a whole packed package (first byte odd). Whatever the input, the load must end
// with either no skin or a complete one, and the objects must agree with their images.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/stream.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/storage/skin_package_writer.h"
#include "skin/storage/skin_read.h"

namespace {

std::vector<std::uint8_t> Bmp(int w, int h, TColor c) {
    TBitmap b(w, h, pf24bit);
    b.Fill(c);
    b.SetPixel(0, 0, 0xFF00FF);
    TMemoryStream s;
    b.SaveToStream(s);
    return s.TakeBytes();
}

const std::vector<SkinPackageEntry>& Images() {
    static const std::vector<SkinPackageEntry> images{
        // small, so that packing each input stays quick; the sizes still leave remainders for the cell counts
        {"a.bmp", Bmp(8, 6, 0x102030)},   {"b.bmp", Bmp(22, 5, 0x405060)}, {"c.bmp", Bmp(19, 3, 0x708090)},
        {"d.bmp", Bmp(13, 13, 0xA0B0C0)}, {"e.bmp", Bmp(25, 2, 0x112233)}, {"f.bmp", Bmp(1, 1, 0x445566)},
        {"g.bmp", Bmp(39, 2, 0x778899)},  {"h.bmp", {'B', 'M', 0, 0}},
    };
    return images;
}

void Check(const TSkinData& d) {
    if (d.Empty) return;
    if (!d.Button || !d.Title || !d.Toolbar || !d.comboxarrow || d.SysBtn.size() < 3) std::abort();
    for (const auto& b : d.border)
        if (!b || b->frame < 1) std::abort();
    for (const TDataSkinObject* o :
         {static_cast<TDataSkinObject*>(d.SArrow.get()), d.HSlider.get(), d.VSlider.get(), d.Header.get(),
          d.TrackBar.get(), d.TrackBarVert.get(), d.progresschunk.get(), d.comboxarrow.get()})
        if (o && o->frame < 1) std::abort();
    (void)d.GetCaptionColor();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (SetSkinMessageHook([](const std::string&) {}), true);
    (void)quiet;
    if (size == 0) return 0;
    std::vector<std::uint8_t> package;
    if (data[0] % 2 == 0) {
        std::vector<SkinPackageEntry> entries{{"skin.ini", std::vector<std::uint8_t>(data + 1, data + size)}};
        entries.insert(entries.end(), Images().begin(), Images().end());
        package = BuildSkinPackage(entries);
    } else {
        package.assign(data + 1, data + size);
    }
    TSkinData d(nullptr);
    d.SetSkinFormtype(sfDLL);
    TMemoryStream s(package);
    d.LoadFromStream(s);
    Check(d);
    // a second load over the first
    TMemoryStream again(package);
    d.LoadFromStream(again);
    Check(d);
    return 0;
}
