// TQuickIni: an INI text held in memory as a list of lines with an index of its section headers. Sections
// and keys are found ignoring the case of ASCII letters, values are trimmed and the first match wins.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/assertion.h"
#include "platform/string_list.h"

class TStream;

// A failed argument check of the INI store: what() is the check's own message followed by
// " (Winskinini, line N)".
class EIniAssertionFailed : public EAssertionFailed {
public:
    EIniAssertionFailed(const std::string& message, int line);
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

class TQuickIni {
public:
    TQuickIni() = default;

    // Replaces the text with the bytes from the stream's position to its end: lines end at CR, LF or CR LF,
    // a NUL ends the text, each line is trimmed, and blank lines and comments (";") are dropped. Nothing
    // happens for a missing stream.
    void LoadFromStream(TStream* Stream);
    void LoadFromStream(TStream& Stream) { LoadFromStream(&Stream); }
    // A missing file raises EFOpenError and leaves the text as it was.
    void LoadFromFile(const std::filesystem::path& aname);
    // The file holds the text packed (4-byte size, LZH bit stream). A damaged file raises ElzhException and
    // leaves the text as it was.
    void LoadFromZip(const std::filesystem::path& aname);

    // Every line followed by CR LF. Nothing happens for a missing stream.
    void SaveToStream(TStream* Stream) const;
    void SaveToStream(TStream& Stream) const { SaveToStream(&Stream); }
    void SaveToFile(const std::filesystem::path& aname) const;
    void SavetoZip(const std::filesystem::path& aname) const;

    // These three raise EIniAssertionFailed for a missing list.
    void ReadSections(TStringList* Strings) const;
    void ReadSection(const std::string& Section, TStringList* Strings) const;
    void ReadSectionValues(const std::string& Section, TStringList* Strings) const;

    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const;
    // Decimal, or hexadecimal after "$", "x" or "0x"; anything else (an empty value too) gives Default.
    std::int32_t ReadInteger(const std::string& Section, const std::string& Ident,
                             std::int32_t Default) const;
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;

    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
    void WriteInteger(const std::string& Section, const std::string& Ident, std::int32_t Value);
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
    void DeleteKey(const std::string& Section, const std::string& Ident);
    void EraseSection(const std::string& Section);

    void RebuildSections();
    void Clear();

    const TStringList& IniFile() const { return FIniFile; }
    void SetIniFile(const TStringList& lines);
    const TStringList& Sections() const { return FSections; }

    const std::string& FileName() const { return FFileName; }
    void SetFileName(std::string name) { FFileName = std::move(name); }
    bool AutoSaveLoad() const { return FAuto; }
    void SetAutoSaveLoad(bool value) { FAuto = value; }

private:
    // Line index of the section's header, or -1.
    int FindSection(const std::string& Section) const;
    // One past the section's last line (the next header or the end of the text).
    int SectionEnd(int header) const;
    // The line of the section whose key is the lower-cased ident, or -1.
    int FindKey(int header, const std::string& Ident) const;

    bool FAuto = false;
    std::string FFileName;
    TStringList FIniFile;
    TStringList FSections;
};

// Text to 32-bit integer as ReadInteger converts it; false when the text is not a number.
bool IniTextToInt(const std::string& text, std::int32_t& value);
