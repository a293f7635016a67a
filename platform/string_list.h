// A list of 8-bit strings, each with an optional object (an integer tag or pointer) beside it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStream;

class TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> lines);

    int Count() const { return int(items_.size()); }
    const std::string& operator[](int i) const { return items_.at(std::size_t(i)).text; }
    const std::string& Strings(int i) const { return (*this)[i]; }
    void SetString(int i, std::string s) { items_.at(std::size_t(i)).text = std::move(s); }
    std::intptr_t Objects(int i) const { return items_.at(std::size_t(i)).object; }
    void SetObject(int i, std::intptr_t o) { items_.at(std::size_t(i)).object = o; }

    int Add(std::string s) { return AddObject(std::move(s), 0); }
    int AddObject(std::string s, std::intptr_t object);
    void Insert(int index, std::string s, std::intptr_t object = 0);
    void Delete(int index);
    void Clear() { items_.clear(); }
    void Assign(const TStringList& other) { items_ = other.items_; }

    // Case-insensitive for ASCII letters unless CaseSensitive is set; -1 when absent.
    int IndexOf(std::string_view s) const;
    bool CaseSensitive = false;

    // Text: every line followed by CR LF. Setting splits at CR LF, CR or LF; a break at the very end
    // starts no further line.
    std::string Text() const;
    void SetText(std::string_view text);
    std::string CommaText() const;

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    friend bool operator==(const TStringList& a, const TStringList& b);

private:
    struct Item {
        std::string text;
        std::intptr_t object = 0;
        friend bool operator==(const Item&, const Item&) = default;
    };
    std::vector<Item> items_;

public:
    using value_type = Item;
};

// Lower-cases ASCII letters only, as skin lookups do; other bytes are left alone.
std::string AsciiLower(std::string_view s);
bool SameTextAscii(std::string_view a, std::string_view b);
