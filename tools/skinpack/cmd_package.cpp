// pack, unpack and list: skin packages to and from a folder of files.
#include <algorithm>
#include <fstream>
#include <iomanip>
#include <set>
#include <stdexcept>
#include <system_error>

#include "platform/string_list.h"
#include "skin/storage/skin_package_writer.h"
#include "skin/storage/skin_read.h"
#include "tools/skinpack/command.h"

namespace {

namespace fs = std::filesystem;
using skinpack::Fail;

bool IsIni(const std::string& name) {
    const std::string lower = AsciiLower(name);
    return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".ini") == 0;
}

// The files of a folder in package order: the first skin description (*.ini) first, then the rest by name.
std::vector<std::string> FolderOrder(const fs::path& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(dir))
        if (e.is_regular_file()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = AsciiLower(a), lb = AsciiLower(b);
        return la != lb ? la < lb : a < b;
    });
    const auto ini = std::find_if(names.begin(), names.end(), IsIni);
    if (ini != names.end()) std::rotate(names.begin(), ini, ini + 1);
    return names;
}

// Names from a list file, one a line; blank lines and lines starting with '#' are skipped.
std::vector<std::string> ListOrder(const std::vector<std::uint8_t>& bytes) {
    TStringList lines;
    lines.SetText(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> names;
    for (const auto& l : lines) {
        std::string name = l.text;
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
        const std::size_t start = name.find_first_not_of(" \t");
        if (start == std::string::npos || name[start] == '#') continue;
        names.push_back(name.substr(start));
    }
    return names;
}

int Pack(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int Unpack(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int List(std::span<const std::string> args, std::ostream& out, std::ostream& err);

const skinpack::Command kPack{
    "pack", "pack DIR OUT [LISTFILE]",
    "build a version 70000 skin package from the files of DIR (the *.ini first, then "
    "by name, or in the order LISTFILE names them)",
    Pack};
const skinpack::Command kUnpack{"unpack", "unpack PACKAGE DIR", "write every file of a skin package into DIR",
                                Unpack};
const skinpack::Command kList{
    "list", "list PACKAGE",
    "print the version, directory and every file of a skin package with its size and "
    "offset",
    List};
const skinpack::Registration regPack{kPack};
const skinpack::Registration regUnpack{kUnpack};
const skinpack::Registration regList{kList};

int Pack(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2 || args.size() > 3) return skinpack::UsageError(err, kPack);
    const fs::path dir = args[0], target = args[1];
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return Fail(err, dir, "not a folder");

    std::vector<std::string> names;
    if (args.size() == 3) {
        try {
            names = ListOrder(skinpack::ReadInputFile(args[2]));
        } catch (const std::exception& e) {
            return Fail(err, args[2], e.what());
        }
        if (names.empty()) return Fail(err, args[2], "names no files");
    } else {
        try {
            names = FolderOrder(dir);
        } catch (const fs::filesystem_error& e) {
            return Fail(err, dir, e.code().message());
        }
        if (names.empty()) return Fail(err, dir, "holds no files");
    }

    std::vector<SkinPackageEntry> entries;
    for (const std::string& name : names) {
        const fs::path file = dir / name;
        try {
            entries.push_back({name, skinpack::ReadInputFile(file)});
        } catch (const std::exception& e) {
            return Fail(err, file, e.what());
        }
    }
    if (!IsIni(entries.front().name) && std::none_of(entries.begin(), entries.end(), [](const auto& e) {
            return AsciiLower(e.name).find(".ini") != std::string::npos;
        }))
        err << "skinpack: " << dir.string() << ": warning: no skin description (*.ini) in the package\n";

    std::vector<std::uint8_t> packed;
    try {
        packed = BuildSkinPackage(entries);
    } catch (const std::invalid_argument& e) {
        return Fail(err, dir, e.what());
    }
    try {
        skinpack::WriteFileAtomically(target, packed);
    } catch (const std::exception& e) {
        return Fail(err, target, e.what());
    }
    out << "packed " << entries.size() << " files into " << target.string() << " (" << packed.size()
        << " bytes)\n";
    return skinpack::kExitOk;
}

// Loads a package for unpack and list; prints the error line and returns false when it cannot.
bool LoadPackage(const fs::path& file, TSkinReader& reader, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = skinpack::ReadInputFile(file);
    } catch (const std::exception& e) {
        Fail(err, file, e.what());
        return false;
    }
    std::string message;
    TSkinMessageHook previous = SetSkinMessageHook([&](const std::string& text) { message = text; });
    TMemoryStream stream(std::move(bytes));
    const bool loaded = reader.Loadfromstream(stream);
    SetSkinMessageHook(std::move(previous));
    if (!loaded) {
        std::string problem = "not a usable skin package: " + reader.LastError;
        if (!message.empty()) problem += " (" + message + ")";
        Fail(err, file, problem);
    }
    return loaded;
}

// A directory entry is written as a file only when it names a plain file inside the target folder.
bool SafeEntryName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.find_first_of("/\\:") != std::string::npos) return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

int Unpack(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) return skinpack::UsageError(err, kUnpack);
    const fs::path file = args[0], dir = args[1];
    TSkinReader reader;
    if (!LoadPackage(file, reader, err)) return skinpack::kExitFailure;
    for (int i = 0; i < reader.Num; ++i)
        if (!reader.Dir[i].empty() && !SafeEntryName(reader.Dir[i]))
            return Fail(err, file,
                        "entry " + std::to_string(i) + " has an unsafe name '" + reader.Dir[i] + "'");

    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) return Fail(err, dir, "cannot create the folder");
    std::set<std::string> written;
    int count = 0;
    for (int i = 0; i < reader.Num; ++i) {
        const std::string& name = reader.Dir[i];
        if (name.empty()) {
            out << "skipped entry " << i << ": no name\n";
            continue;
        }
        if (!written.insert(name).second) {
            out << "skipped entry " << i << ": '" << name << "' occurs earlier\n";
            continue;
        }
        const std::uint8_t* data = reader.ms.Memory() + reader.EntryOffset(i);
        try {
            skinpack::WriteFileAtomically(dir / name,
                                          std::span(data, std::size_t(reader.sizes[std::size_t(i)])));
        } catch (const std::exception& e) {
            return Fail(err, dir / name, e.what());
        }
        ++count;
    }
    out << "unpacked " << count << " files into " << dir.string() << "\n";
    return skinpack::kExitOk;
}

int List(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return skinpack::UsageError(err, kList);
    TSkinReader reader;
    if (!LoadPackage(args[0], reader, err)) return skinpack::kExitFailure;
    out << "version: " << reader.header.Version << "\n";
    out << "directory length: " << reader.header.DirLen << "\n";
    out << "entries: " << reader.Num << "\n";
    out << std::setw(5) << "#" << std::setw(10) << "size" << std::setw(10) << "offset"
        << "  name\n";
    for (int i = 0; i < reader.Num; ++i)
        out << std::setw(5) << i << std::setw(10) << reader.sizes[std::size_t(i)] << std::setw(10)
            << reader.EntryOffset(i) << "  " << reader.Dir[i] << "\n";
    const std::int64_t total = reader.EntryOffset(reader.Num);
    out << "data area: " << reader.ms.Size() << "\n";
    if (total == reader.ms.Size())
        out << "sizes add up: yes\n";
    else
        out << "sizes add up: no (" << reader.ms.Size() - total << " bytes after the last file)\n";
    return skinpack::kExitOk;
}

}  // namespace
