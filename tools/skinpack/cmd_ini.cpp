// ini-get: one value of an INI file, plain or packed, as the skin loader reads it.
#include "platform/stream.h"
#include "skin/storage/lzh.h"
#include "skin/storage/quick_ini.h"
#include "tools/skinpack/command.h"

namespace {

int IniGet(std::span<const std::string> args, std::ostream& out, std::ostream& err);

const skinpack::Command kIniGet{"ini-get", "ini-get [-z] FILE SECTION KEY",
                                "print one value of an INI file (-z: the file is packed)", IniGet};
const skinpack::Registration reg{kIniGet};

int IniGet(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    bool packed = false;
    std::vector<std::string> rest;
    for (const std::string& a : args) {
        if (a == "-z")
            packed = true;
        else
            rest.push_back(a);
    }
    if (rest.size() != 3) return skinpack::UsageError(err, kIniGet);
    TQuickIni ini;
    try {
        if (packed)
            ini.LoadFromZip(rest[0]);
        else
            ini.LoadFromFile(rest[0]);
    } catch (const ElzhException& e) {
        return skinpack::Fail(err, rest[0], std::string("not a packed file: ") + e.what());
    } catch (const std::exception& e) {
        return skinpack::Fail(err, rest[0], std::string("cannot read: ") + e.what());
    }
    const std::string value = ini.ReadString(rest[1], rest[2], "");
    if (value.empty())
        return skinpack::Fail(err, rest[0], "no value for " + rest[2] + " in [" + rest[1] + "]");
    out << value << "\n";
    return skinpack::kExitOk;
}

}  // namespace
