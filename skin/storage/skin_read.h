// The skin package reader: unpacks a skin package, keeps its directory and data area and hands out single
// files by name.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/stream.h"
#include "platform/string_list.h"

struct TSkinHeader {
    std::int32_t Version = 0;
    std::int32_t DirLen = 0;
    std::int32_t U1 = 0;
    std::int32_t U2 = 0;
};

inline constexpr int kSkinMaxEntries = 1001;

// Size of the opaque block that follows the header for a known package version, or -1 for any other.
int SkinOpaqueSize(std::int32_t version);

// The message for a package of a version this reader does not know.
inline constexpr const char* kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

// Where that message goes. By default it is written to the standard error stream. The Windows program
// installs a message box instead by calling InstallSkinMessageBox() (skin/storage/win/skin_message_box.h)
// once at start; tests install a recorder. An empty hook restores the default. Returns the previous hook.
using TSkinMessageHook = std::function<void(const std::string& text)>;
TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook);
void ShowSkinMessage(const std::string& text);

class TSkinReader {
public:
    TSkinReader() = default;

    // Unpacks a packed package and takes its directory, sizes and data area; true when its version was one
    // of the six known ones. A package of another version shows kOlderSkinMessage. A damaged package (a size
    // prefix beyond reason, a header, opaque block, directory or size table that runs past its end, more than
    // 1,001 entries, a negative size, sizes that overrun the data area) is rejected whole with the reason in
    // LastError. Whenever the result is false, Dir, Num, sizes and ms keep what they held.
    bool Loadfromstream(TStream& stream);
    // False for a missing or unreadable file; otherwise as Loadfromstream on the file's bytes.
    bool loadfromfile(const std::filesystem::path& fileName);
    // Unpacks a packed stream: both positions to 0, the 4-byte size, the bit stream.
    void Decompress(TStream& source, TStream& dest);

    // Copies the file of that name (ASCII letters in any case) into dest and rewinds dest; dest stays empty
    // when there is none. A name that occurs twice gives its first occurrence.
    void readfile(const std::string& name, TMemoryStream& dest);
    // Copies the first file whose (lower-cased) name contains namePart and sets foundName to that name;
    // with no such file dest stays empty and foundName unchanged.
    void readIni(const std::string& namePart, TMemoryStream& dest, std::string& foundName);

    // Offset of entry i in ms: the sum of the sizes before it.
    std::int64_t EntryOffset(int i) const;

    TStringList Dir;  // directory entries, lower-cased
    std::int32_t dirlen = 0;
    std::int32_t Num = 0;  // number of entries
    std::array<std::int32_t, kSkinMaxEntries> sizes{};
    TMemoryStream ms;    // the data area
    TSkinHeader header;  // header of the last package read
    TSkinHeader header2;
    std::string LastError;  // why the last load failed; empty after a success

private:
    bool Load(const std::vector<std::uint8_t>& package);
    bool Reject(std::string reason);
};
