// Loading the program's skin: unpack the package, parse the description, read every image and build the
// derived ones. The package is the one the build draws (skins/tocvane.skn next to this program's folder,
// or the file named by TV_SKIN_PACKAGE).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "platform/stream.h"
#include "skin/data/skin_data.h"

namespace {

std::filesystem::path PackagePath() {
    if (const char* p = std::getenv("TV_SKIN_PACKAGE")) return p;
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return self.parent_path().parent_path() / "skins" / "tocvane.skn";
}

void LoadDefaultSkin(benchmark::State& state) {
    std::vector<std::uint8_t> packed;
    try {
        packed = ReadFileBytes(PackagePath());
    } catch (const std::exception& e) {
        state.SkipWithError(("no skin package: " + PackagePath().string()).c_str());
        return;
    }
    TSkinData skin(nullptr);
    skin.SetSkinFormtype(sfDLL);
    for (auto _ : state) {
        TMemoryStream s(packed);
        skin.LoadFromStream(s);
        if (skin.Empty) {
            state.SkipWithError("the skin did not load");
            return;
        }
        benchmark::DoNotOptimize(skin.Toolbar.get());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(packed.size()));
}
BENCHMARK(LoadDefaultSkin)->Unit(benchmark::kMillisecond);

}  // namespace
