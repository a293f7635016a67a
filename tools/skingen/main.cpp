// skingen OUTDIR: draws both skins and writes, for each, the packed skin file <stem>.skn, its skin
// description <stem>.ini (for reading) and the contact sheet <stem>-contact.png.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/stream.h"
#include "tools/skingen/contact.h"
#include "tools/skingen/png.h"
#include "tools/skingen/skin.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        for (const skingen::Skin& skin : {skingen::BuildDefaultSkin(), skingen::BuildFullSkin()}) {
            const auto unpacked = skingen::PackageUnpacked(skin);
            const auto packed = skingen::PackagePacked(skin);
            WriteFileBytes(out / (skin.stem + ".skn"), packed.data(), packed.size());
            const std::string ini = skin.IniText();
            WriteFileBytes(out / (skin.stem + ".ini"), ini.data(), ini.size());
            const auto png =
                skingen::EncodePng(skingen::DrawContactSheet(skin, unpacked.size(), packed.size()));
            WriteFileBytes(out / (skin.stem + "-contact.png"), png.data(), png.size());
            std::printf("%s: %zu entries, %zu bytes unpacked, %zu packed\n", skin.stem.c_str(),
                        skin.images.size() + 1, unpacked.size(), packed.size());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
