// A list of 8-bit strings, each with an optional object beside it.
#include "platform/string_list.h"

#include "platform/stream.h"

TStringList::TStringList(std::initializer_list<std::string> lines) {
    for (const auto& l : lines) Add(l);
}

int TStringList::AddObject(std::string s, std::intptr_t object) {
    items_.push_back({std::move(s), object});
    return Count() - 1;
}

void TStringList::Insert(int index, std::string s, std::intptr_t object) {
    if (index < 0 || index > Count()) index = Count();
    items_.insert(items_.begin() + index, Item{std::move(s), object});
}

void TStringList::Delete(int index) {
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}

int TStringList::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& t = items_[std::size_t(i)].text;
        if (CaseSensitive ? t == s : SameTextAscii(t, s)) return i;
    }
    return -1;
}

std::string TStringList::Text() const {
    std::string out;
    for (const auto& item : items_) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    items_.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = i;
        while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
        items_.push_back({std::string(text.substr(i, j - i)), 0});
        if (j < text.size() && text[j] == '\r') {
            ++j;
            if (j < text.size() && text[j] == '\n') ++j;
        } else if (j < text.size()) {
            ++j;  // a lone LF
        }
        i = j;
    }
}

std::string TStringList::CommaText() const {
    std::string out;
    for (std::size_t k = 0; k < items_.size(); ++k) {
        if (k) out += ',';
        out += items_[k].text;
    }
    return out;
}

void TStringList::LoadFromStream(TStream& stream) {
    std::string text(std::size_t(stream.Remaining()), '\0');
    stream.ReadBuffer(text.data(), std::int64_t(text.size()));
    SetText(text);
}

void TStringList::SaveToStream(TStream& stream) const {
    const std::string text = Text();
    stream.WriteBuffer(text.data(), std::int64_t(text.size()));
}

bool operator==(const TStringList& a, const TStringList& b) { return a.items_ == b.items_; }

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}
