// Throughput of the LZH codec, the skin package reader and the INI store.
#include <benchmark/benchmark.h>

#include "skin/storage/lzh.h"
#include "skin/storage/quick_ini.h"
#include "skin/storage/skin_package_writer.h"
#include "skin/storage/skin_read.h"
#include "tests/skin/storage/lzh_reference.h"
#include "tests/skin/storage/sample_data.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes& Text() {
    static const Bytes text = sample::EnglishText(1 << 20);
    return text;
}

// A skin package of about 270 KB: a skin description and uncompressed BMPs.
const Bytes& SkinPackage() {
    static const Bytes package = [] {
        std::vector<SkinPackageEntry> entries;
        for (auto& f : sample::SkinLikeFiles()) entries.push_back({f.name, f.data});
        return BuildSkinPackageUnpacked(entries);
    }();
    return package;
}

void Pack(benchmark::State& state, const Bytes& data) {
    std::size_t packed = 0;
    for (auto _ : state) {
        const Bytes out = LzhPackBytes(data);
        packed = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * data.size()));
    state.counters["ratio"] = double(packed) / double(data.size());
}

void Unpack(benchmark::State& state, const Bytes& data) {
    const Bytes packed = LzhPackBytes(data);
    for (auto _ : state) {
        const Bytes out = LzhUnpackBytes(packed);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * data.size()));
}

void BM_PackText(benchmark::State& state) { Pack(state, Text()); }

// The plain byte-at-a-time packer the tests compare against: the yardstick for the tuned one, same bits.
void BM_PackTextPlain(benchmark::State& state) {
    for (auto _ : state) {
        const Bytes out = lzh_reference::Pack(Text());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * Text().size()));
}
void BM_UnpackText(benchmark::State& state) { Unpack(state, Text()); }
void BM_PackSkin(benchmark::State& state) { Pack(state, SkinPackage()); }
void BM_UnpackSkin(benchmark::State& state) { Unpack(state, SkinPackage()); }

// What loading a skin costs before parsing: unpack the stored package and take its directory and data.
void BM_LoadSkinPackage(benchmark::State& state) {
    const Bytes packed = LzhPackBytes(SkinPackage());
    for (auto _ : state) {
        TMemoryStream stream(packed);
        TSkinReader reader;
        if (!reader.Loadfromstream(stream)) state.SkipWithError("package rejected");
        benchmark::DoNotOptimize(reader.Num);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * SkinPackage().size()));
}

// Loading a skin description and 1,000 lookups spread over its sections.
void BM_IniLoadAndLookups(benchmark::State& state) {
    const auto files = sample::SkinLikeFiles();
    const Bytes& text = files.front().data;
    TQuickIni probe;
    {
        TMemoryStream s(text);
        probe.LoadFromStream(&s);
    }
    TStringList sections;
    probe.ReadSections(&sections);
    const char* const keys[] = {"Image", "Frame", "LeftWidth", "TopHeight", "Trans", "Missing"};
    for (auto _ : state) {
        TQuickIni ini;
        TMemoryStream s(text);
        ini.LoadFromStream(&s);
        std::int64_t sum = 0;
        for (int i = 0; i < 1000; ++i) {
            const std::string& section = sections[i % sections.Count()];
            sum += ini.ReadInteger(section, keys[i % 6], 1);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["ini_bytes"] = double(text.size());
    state.counters["sections"] = double(sections.Count());
}

BENCHMARK(BM_PackText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackTextPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpackText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackSkin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpackSkin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSkinPackage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IniLoadAndLookups)->Unit(benchmark::kMicrosecond);

}  // namespace
