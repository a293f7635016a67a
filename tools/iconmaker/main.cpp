// iconmaker OUT.ico: writes the program icon (13 images of the stopwatch) to OUT.ico.
#include <cstdio>
#include <fstream>

#include "tools/iconmaker/icon_art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: iconmaker OUT.ico\n");
        return 2;
    }
    const auto bytes = iconart::BuildIcon(iconart::ProgramIconImages());
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "iconmaker: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
