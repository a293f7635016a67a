// Fuzzes the INI store: loading any text, then reading and editing every section and key it finds.
#include <cstdint>
#include <cstdlib>

#include "platform/stream.h"
#include "skin/storage/quick_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TQuickIni ini;
    TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    ini.LoadFromStream(&stream);
    TStringList sections, keys;
    ini.ReadSections(&sections);
    for (const auto& s : sections) {
        ini.ReadSection(s.text, &keys);
        for (const auto& k : keys) {
            (void)ini.ReadString(s.text, k.text, "");
            (void)ini.ReadInteger(s.text, k.text, 0);
        }
    }
    if (sections.Count() > 0) {
        const std::string first = sections[0];
        ini.WriteString(first, "fuzzkey", "v");
        ini.DeleteKey(first, "fuzzkey");
        ini.EraseSection(first);
    }
    TQuickIni rebuilt;
    rebuilt.SetIniFile(ini.IniFile());
    if (!(rebuilt.Sections() == ini.Sections())) std::abort();
    std::int32_t v;
    (void)IniTextToInt(std::string(reinterpret_cast<const char*>(data), size), v);
    return 0;
}
