// The object root and UTF-8 text conversion.
#include "platform/object.h"

#include "platform/props.h"
#include "platform/string_list.h"

const TClassInfo TObject::ClassInfo_{"TObject", nullptr, &TObject::Props};
const TClassInfo TPersistent::ClassInfo_{"TPersistent", &TObject::ClassInfo_, &TObject::Props};

bool TClassInfo::InheritsFrom(const TClassInfo& cls) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &cls) return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (SameTextAscii(c->Name, className)) return true;
    return false;
}

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::AssignTo(TPersistent& dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at s[i]; advances i. Overlong forms, surrogates and values past U+10FFFF
// are malformed.
bool DecodeUtf8(std::string_view s, std::size_t& i, char32_t& cp) {
    const unsigned char b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    }
    int len;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0)
        len = 2, cp = b0 & 0x1F, min = 0x80;
    else if ((b0 & 0xF0) == 0xE0)
        len = 3, cp = b0 & 0x0F, min = 0x800;
    else if ((b0 & 0xF8) == 0xF0)
        len = 4, cp = b0 & 0x07, min = 0x10000;
    else {
        ++i;
        return false;
    }
    for (int k = 1; k < len; ++k) {
        if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
            i += k;
            return false;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    i += len;
    return cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}
}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp;
        if (!DecodeUtf8(utf8, i, cp)) cp = kReplacement;
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0x10000) {
                cp -= 0x10000;
                out += wchar_t(0xD800 + (cp >> 10));
                out += wchar_t(0xDC00 + (cp & 0x3FF));
                continue;
            }
        }
        out += wchar_t(cp);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string WideToUtf8(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = char32_t(std::make_unsigned_t<wchar_t>(wide[i]));
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size()) {
            const char32_t lo = char32_t(std::make_unsigned_t<wchar_t>(wide[i + 1]));
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = kReplacement;
        AppendUtf8(out, cp);
    }
    return out;
}

bool Utf8Valid(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp;
        if (!DecodeUtf8(utf8, i, cp)) return false;
    }
    return true;
}
