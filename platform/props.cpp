// Published property tables and by-name access.
#include "platform/props.h"

// The end of every chain of property tables.
const PropTable TObject::Props{nullptr, {}};

std::wstring prop_detail::ToWide(const std::string& s) { return Utf8ToWide(s); }
std::string prop_detail::ToNarrow(const std::wstring& s) { return WideToUtf8(s); }

bool Prop::Writable() const {
    switch (Kind) {
    case PropKind::Integer:
    case PropKind::Enumeration:
    case PropKind::Set: return bool(SetOrd);
    case PropKind::String: return bool(SetStr);
    case PropKind::Object: return bool(SetObj);
    case PropKind::Strings: return bool(SetStrings);
    case PropKind::Event: return bool(SetEvent);
    }
    return false;
}

const Prop* PropTable::Find(std::string_view name) const {
    for (const PropTable* t = this; t; t = t->parent_)
        for (const Prop& p : t->props_)
            if (SameTextAscii(p.Name, name)) return &p;
    return nullptr;
}

std::vector<const Prop*> PropTable::All() const {
    std::vector<const PropTable*> chain;
    for (const PropTable* t = this; t; t = t->parent_) chain.push_back(t);
    std::vector<const Prop*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const Prop& p : (*it)->props_) {
            bool replaced = false;
            for (const Prop*& q : out)
                if (SameTextAscii(q->Name, p.Name)) q = &p, replaced = true;
            if (!replaced) out.push_back(&p);
        }
    return out;
}

const Prop* FindProp(const TObject* instance, std::string_view name) {
    if (!instance) return nullptr;
    const PropTable* table = instance->ClassType().Props;
    return table ? table->Find(name) : nullptr;
}

int IndexOfName(PropNames names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameTextAscii(names[i], name)) return int(i);
    return -1;
}

bool ParseInteger(std::string_view text, std::int64_t& value) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    std::uint64_t magnitude = 0;
    // The magnitude may reach 2^63 only for the most negative value.
    const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
    for (char ch : text) {
        int digit;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (base == 16 && ch >= 'a' && ch <= 'f')
            digit = ch - 'a' + 10;
        else if (base == 16 && ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        else
            return false;
        if (magnitude > (limit - std::uint64_t(digit)) / std::uint64_t(base)) return false;
        magnitude = magnitude * std::uint64_t(base) + std::uint64_t(digit);
    }
    value = negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
    return true;
}

namespace {
std::string SetText(const Prop& p, std::uint64_t bits) {
    std::string out;
    for (std::size_t i = 0; i < p.Names.size() && i < 64; ++i)
        if ((bits >> i) & 1u) {
            if (!out.empty()) out += ',';
            out += p.Names[i];
        }
    return out;
}

std::string EnumText(const Prop& p, std::int64_t ordinal) {
    if (ordinal < 0 || std::uint64_t(ordinal) >= p.Names.size()) return std::to_string(ordinal);
    return std::string(p.Names[std::size_t(ordinal)]);
}
}  // namespace

std::wstring GetPropText(const TObject* instance, std::string_view name) {
    const Prop* p = FindProp(instance, name);
    if (!p) return {};
    switch (p->Kind) {
    case PropKind::Integer: return Utf8ToWide(std::to_string(p->GetOrd(*instance)));
    case PropKind::Enumeration: return Utf8ToWide(EnumText(*p, p->GetOrd(*instance)));
    case PropKind::Set: return Utf8ToWide(SetText(*p, std::uint64_t(p->GetOrd(*instance))));
    case PropKind::String: return p->GetStr(*instance);
    case PropKind::Object: {
        const TObject* o = p->GetObj(*instance);
        return o ? Utf8ToWide(o->ClassName()) : std::wstring();
    }
    case PropKind::Strings: return Utf8ToWide(p->GetStrings(*instance).Text());
    case PropKind::Event: return p->EventAssigned(*instance) ? L"assigned" : L"";
    }
    return {};
}

std::int64_t GetOrdPropByName(const TObject* instance, std::string_view name) {
    const Prop* p = FindProp(instance, name);
    if (!p || p->Kind != PropKind::Integer) return -1;
    return p->GetOrd(*instance);
}

std::string GetEnumPropByName(const TObject* instance, std::string_view name) {
    const Prop* p = FindProp(instance, name);
    if (!p || p->Kind != PropKind::Enumeration) return {};
    return EnumText(*p, p->GetOrd(*instance));
}

std::string GetSetPropByName(const TObject* instance, std::string_view name) {
    const Prop* p = FindProp(instance, name);
    if (!p || p->Kind != PropKind::Set) return {};
    return SetText(*p, std::uint64_t(p->GetOrd(*instance)));
}

std::wstring GetStrPropByName(const TObject* instance, std::string_view name) {
    const Prop* p = FindProp(instance, name);
    if (!p || p->Kind != PropKind::String) return {};
    return p->GetStr(*instance);
}

TObject* GetObjectPropByName(const TObject* instance, std::string_view name, const TClassInfo& cls) {
    const Prop* p = FindProp(instance, name);
    if (!p || p->Kind != PropKind::Object) return nullptr;
    TObject* o = p->GetObj(*instance);
    return o && o->InheritsFrom(cls) ? o : nullptr;
}

bool SetPropByName(TObject* instance, std::string_view name, std::wstring_view text) {
    const Prop* p = FindProp(instance, name);
    if (!p || !p->Writable()) return false;
    switch (p->Kind) {
    case PropKind::Integer: {
        std::int64_t v;
        return ParseInteger(WideToUtf8(text), v) && p->SetOrd(*instance, v);
    }
    case PropKind::Enumeration: {
        const int i = IndexOfName(p->Names, WideToUtf8(text));
        return i >= 0 && p->SetOrd(*instance, i);
    }
    case PropKind::String: return p->SetStr(*instance, std::wstring(text));
    default: return false;
    }
}

bool SetPropByName(TObject* instance, std::string_view name, std::string_view utf8Text) {
    return SetPropByName(instance, name, std::wstring_view(Utf8ToWide(utf8Text)));
}
