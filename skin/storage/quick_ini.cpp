// TQuickIni: the in-memory INI store.
#include "skin/storage/quick_ini.h"

#include <limits>

#include "platform/stream.h"
#include "skin/storage/lzh.h"

namespace {

constexpr const char* kUnassignedStrings = "The parameter Strings is unassigned!";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trim(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a])) ++a;
    while (b > a && IsBlank(s[b - 1])) --b;
    return std::string(s.substr(a, b - a));
}

bool IsHeaderText(std::string_view s) { return !s.empty() && s.front() == '[' && s.back() == ']'; }

bool IsHeaderLine(const std::string& line) { return IsHeaderText(Trim(line)); }

// The key of a line (text before its first "=", trimmed and lower-cased); false for a line without "=".
bool LineKey(const std::string& line, std::string& key) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = AsciiLower(Trim(std::string_view(line).substr(0, eq)));
    return true;
}

std::string LineValue(const std::string& line) {
    const std::size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : Trim(std::string_view(line).substr(eq + 1));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

EIniAssertionFailed::EIniAssertionFailed(const std::string& message, int line)
    : EAssertionFailed("Winskinini", line),
      text_(message + " (Winskinini, line " + std::to_string(line) + ")") {}

bool IniTextToInt(const std::string& text, std::int32_t& value) {
    std::string s = text;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;
    std::uint64_t v = 0;
    for (; i < s.size(); ++i) {
        if (hex) {
            const int d = HexDigit(s[i]);
            if (d < 0) return false;
            v = v * 16 + unsigned(d);
            if (v > 0xFFFFFFFFull) return false;
        } else {
            if (s[i] < '0' || s[i] > '9') return false;
            v = v * 10 + unsigned(s[i] - '0');
            if (v > 0x80000000ull) return false;
        }
    }
    if (hex) {
        // Hexadecimal covers all 32 bits: $FFFFFFFF is -1, as colour values need.
        const auto bits = std::uint32_t(v);
        value = negative ? std::int32_t(0u - bits) : std::int32_t(bits);
        return true;
    }
    if (!negative && v > 0x7FFFFFFFull) return false;
    value = negative ? std::int32_t(-std::int64_t(v)) : std::int32_t(v);
    return true;
}

// ---- Loading and saving

void TQuickIni::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    std::string text(std::size_t(std::max<std::int64_t>(Stream->Remaining(), 0)), '\0');
    text.resize(std::size_t(Stream->Read(text.data(), std::int64_t(text.size()))));
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);

    FIniFile.Clear();
    FSections.Clear();
    std::size_t i = 0;
    while (i <= text.size()) {
        std::size_t j = text.find_first_of("\r\n", i);
        if (j == std::string::npos) j = text.size();
        std::string line = Trim(std::string_view(text).substr(i, j - i));
        if (!line.empty() && line[0] != ';') {
            const bool header = IsHeaderText(line);
            const int at = FIniFile.Add(line);
            if (header) FSections.AddObject(line, at);
        }
        if (j < text.size() && text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ++j;
        i = j + 1;
    }
}

void TQuickIni::LoadFromFile(const std::filesystem::path& aname) {
    TFileStream file(aname, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TQuickIni::LoadFromZip(const std::filesystem::path& aname) {
    TMemoryStream text(LzhUnpackBytes(ReadFileBytes(aname)));
    LoadFromStream(&text);
}

void TQuickIni::SaveToStream(TStream* Stream) const {
    if (!Stream) return;
    const std::string text = FIniFile.Text();
    Stream->WriteBuffer(text.data(), std::int64_t(text.size()));
}

void TQuickIni::SaveToFile(const std::filesystem::path& aname) const {
    TFileStream file(aname, fmCreate);
    SaveToStream(&file);
}

void TQuickIni::SavetoZip(const std::filesystem::path& aname) const {
    const std::string text = FIniFile.Text();
    const std::vector<std::uint8_t> packed =
        LzhPackBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    WriteFileBytes(aname, packed.data(), packed.size());
}

// ---- Lookups

int TQuickIni::FindSection(const std::string& Section) const {
    const int k = FSections.IndexOf("[" + Section + "]");
    return k < 0 ? -1 : int(FSections.Objects(k));
}

int TQuickIni::SectionEnd(int header) const {
    int i = header + 1;
    while (i < FIniFile.Count() && !IsHeaderLine(FIniFile[i])) ++i;
    return i;
}

int TQuickIni::FindKey(int header, const std::string& Ident) const {
    const std::string wanted = AsciiLower(Ident);
    const int end = SectionEnd(header);
    std::string key;
    for (int i = header + 1; i < end; ++i)
        if (LineKey(FIniFile[i], key) && key == wanted) return i;
    return -1;
}

void TQuickIni::ReadSections(TStringList* Strings) const {
    if (!Strings) throw EIniAssertionFailed(kUnassignedStrings, __LINE__);
    Strings->Clear();
    for (const auto& entry : FSections) {
        const std::string t = Trim(entry.text);
        Strings->Add(Trim(t.size() >= 2 ? std::string_view(t).substr(1, t.size() - 2) : std::string_view()));
    }
}

void TQuickIni::ReadSection(const std::string& Section, TStringList* Strings) const {
    if (!Strings) throw EIniAssertionFailed(kUnassignedStrings, __LINE__);
    Strings->Clear();
    const int header = FindSection(Section);
    if (header < 0) return;
    const int end = SectionEnd(header);
    std::string key;
    for (int i = header + 1; i < end; ++i)
        if (LineKey(FIniFile[i], key) && !key.empty()) Strings->Add(key);
}

void TQuickIni::ReadSectionValues(const std::string& Section, TStringList* Strings) const {
    if (!Strings) throw EIniAssertionFailed(kUnassignedStrings, __LINE__);
    Strings->Clear();
    const int header = FindSection(Section);
    if (header < 0) return;
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (!FIniFile[i].empty()) Strings->Add(FIniFile[i]);
}

std::string TQuickIni::ReadString(const std::string& Section, const std::string& Ident,
                                  const std::string& Default) const {
    if (FIniFile.Count() == 0) return Default;
    const int header = FindSection(Section);
    if (header < 0) return Default;
    const int line = FindKey(header, Ident);
    if (line < 0) return Default;
    std::string value = LineValue(FIniFile[line]);
    return value.empty() ? Default : value;
}

std::int32_t TQuickIni::ReadInteger(const std::string& Section, const std::string& Ident,
                                    std::int32_t Default) const {
    std::int32_t value;
    return IniTextToInt(ReadString(Section, Ident, ""), value) ? value : Default;
}

bool TQuickIni::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

// ---- Editing

void TQuickIni::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
    const std::string line = Ident + "=" + Value;
    const int header = FindSection(Section);
    if (header < 0) {
        FIniFile.Add("[" + Section + "]");
        if (!Ident.empty()) FIniFile.Add(line);
        RebuildSections();
        return;
    }
    if (Ident.empty()) return;
    const int found = FindKey(header, Ident);
    if (found >= 0) {
        FIniFile.SetString(found, line);
        RebuildSections();
        return;
    }
    const int end = SectionEnd(header);
    if (end >= FIniFile.Count())
        FIniFile.Add(line);
    else
        FIniFile.Insert(end, line);
    RebuildSections();
}

void TQuickIni::WriteInteger(const std::string& Section, const std::string& Ident, std::int32_t Value) {
    WriteString(Section, Ident, std::to_string(Value));
}

void TQuickIni::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

void TQuickIni::DeleteKey(const std::string& Section, const std::string& Ident) {
    const int header = FindSection(Section);
    if (header < 0) return;
    const int line = FindKey(header, Ident);
    if (line < 0) return;
    FIniFile.Delete(line);
    RebuildSections();
}

void TQuickIni::EraseSection(const std::string& Section) {
    const int header = FindSection(Section);
    if (header < 0) return;
    const int end = SectionEnd(header);
    for (int i = end - 1; i >= header; --i) FIniFile.Delete(i);
    if (header > 0) FIniFile.Insert(header, "");
    RebuildSections();
}

void TQuickIni::RebuildSections() {
    FSections.Clear();
    for (int i = 0; i < FIniFile.Count(); ++i)
        if (IsHeaderText(FIniFile[i])) FSections.AddObject(Trim(FIniFile[i]), i);
}

void TQuickIni::Clear() {
    FIniFile.Clear();
    FSections.Clear();
}

void TQuickIni::SetIniFile(const TStringList& lines) {
    FIniFile.Clear();
    for (const auto& l : lines) FIniFile.Add(l.text);
    RebuildSections();
}
