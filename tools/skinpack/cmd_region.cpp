// region: the rectangles of a window region cut from a skin image's key colour, as a skinned form gets it.
#include <charconv>

#include "platform/bitmap.h"
#include "platform/stream.h"
#include "skin/imaging/img_util.h"
#include "tools/skinpack/command.h"

namespace {

int Region(std::span<const std::string> args, std::ostream& out, std::ostream& err);

const skinpack::Command kRegion{
    "region", "region IMAGE.bmp [XOFF YOFF]",
    "print the rectangles of the non-key pixels (left top right bottom), then their count", Region};
const skinpack::Registration reg{kRegion};

bool ParseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end;
}

int Region(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 && args.size() != 3) return skinpack::UsageError(err, kRegion);
    int xOffset = 0, yOffset = 0;
    if (args.size() == 3 && (!ParseInt(args[1], xOffset) || !ParseInt(args[2], yOffset)))
        return skinpack::UsageError(err, kRegion);
    TBitmap image;
    try {
        TMemoryStream in(skinpack::ReadInputFile(args[0]));
        if (!image.LoadFromStream(in))
            return skinpack::Fail(err, args[0], "not a BMP image this engine reads");
    } catch (const std::exception& e) {
        return skinpack::Fail(err, args[0], e.what());
    }
    // The key and tolerance every skinned window uses.
    const std::vector<TRect> rects = ColorKeyRects(image, xOffset, yOffset, SkinKeyColor, 1, 1, 1);
    for (const TRect& r : rects) out << r.Left << ' ' << r.Top << ' ' << r.Right << ' ' << r.Bottom << '\n';
    out << rects.size() << '\n';
    return skinpack::kExitOk;
}

}  // namespace
