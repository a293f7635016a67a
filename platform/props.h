// Published properties: one table per class, chained to the parent class's table, and access to a
// property of any object by its name.
#pragma once

#include <any>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "platform/object.h"
#include "platform/string_list.h"

// The common event: a click, a timer tick, a change. Other events are std::function types of their own.
using TNotifyEvent = std::function<void(TObject* sender)>;

enum class PropKind { Integer, Enumeration, Set, String, Object, Strings, Event };

// Value names of an enumeration (ordinal = index) or member names of a set (bit i = member i).
using PropNames = std::span<const std::string_view>;
inline constexpr std::array<std::string_view, 2> kBooleanNamesArray{"False", "True"};
inline constexpr PropNames kBooleanNames{kBooleanNamesArray};

// A set of enumeration members (at most 64), the value type of set properties.
template <class E>
class SetOf {
public:
    constexpr SetOf() = default;
    constexpr SetOf(std::initializer_list<E> members) {
        for (E e : members) Include(e);
    }
    static constexpr SetOf FromBits(std::uint64_t bits) {
        SetOf s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return bits_; }
    constexpr bool Contains(E e) const { return (bits_ >> unsigned(e)) & 1u; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr SetOf& Include(E e) {
        bits_ |= std::uint64_t(1) << unsigned(e);
        return *this;
    }
    constexpr SetOf& Exclude(E e) {
        bits_ &= ~(std::uint64_t(1) << unsigned(e));
        return *this;
    }
    friend constexpr SetOf operator|(SetOf a, SetOf b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr SetOf operator&(SetOf a, SetOf b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr SetOf operator-(SetOf a, SetOf b) { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr bool operator==(SetOf, SetOf) = default;

private:
    std::uint64_t bits_ = 0;
};

namespace prop_detail {
template <class M>
struct MemberOf;
template <class T, class C>
struct MemberOf<T C::*> {
    using Class = C;
};

// The class a property belongs to: the getter's, or the setter's when that one is more derived
// (a getter inherited from a base class with a setter of the class itself).
template <class G, class S>
struct Target {
    using type = typename MemberOf<G>::Class;
};
template <class G, class S>
requires std::is_member_pointer_v<S>
struct Target<G, S> {
    using GC = typename MemberOf<G>::Class;
    using SC = typename MemberOf<S>::Class;
    using type = std::conditional_t<std::is_base_of_v<GC, SC>, SC, GC>;
};
template <class G, class S>
using ClassOf = typename Target<G, S>::type;

// Reads through a getter (const or not) or a data member.
template <class C, class G>
decltype(auto) Read(const C& c, G get) {
    return std::invoke(get, const_cast<C&>(c));
}
template <class C, class G>
using ValueOf = std::remove_cvref_t<
    std::remove_pointer_t<std::remove_cvref_t<decltype(Read(std::declval<const C&>(), std::declval<G>()))>>>;

// Writes through a setter, or through the data member when there is no setter.
template <class C, class G, class S, class V>
void Write(C& c, G get, S set, V&& v) {
    if constexpr (std::is_null_pointer_v<S>)
        c.*get = std::forward<V>(v);
    else if constexpr (std::is_member_object_pointer_v<S>)
        c.*set = std::forward<V>(v);
    else
        std::invoke(set, c, std::forward<V>(v));
}
// Writable: a setter was given, or the getter is a data member.
template <class G, class S>
constexpr bool kWritable = !std::is_null_pointer_v<S> || std::is_member_object_pointer_v<G>;

template <class T, bool = std::is_enum_v<T>>
struct Underlying {
    using type = T;
};
template <class T>
struct Underlying<T, true> {
    using type = std::underlying_type_t<T>;
};

// Whether v fits an ordinal of type T (as signed or as unsigned: colours are stored both ways).
template <class T>
bool Fits(std::int64_t v) {
    using U = typename Underlying<T>::type;
    if constexpr (std::is_same_v<U, bool>)
        return v == 0 || v == 1;
    else if constexpr (sizeof(U) >= 8)
        return true;
    else
        return v >= std::int64_t(std::numeric_limits<std::make_signed_t<U>>::min()) &&
               v <= std::int64_t(std::numeric_limits<std::make_unsigned_t<U>>::max());
}
template <class T>
std::uint64_t SetBits(const T& v) {
    if constexpr (requires { v.Bits(); })
        return v.Bits();
    else
        return std::uint64_t(v);
}
template <class T>
T FromSetBits(std::uint64_t bits) {
    if constexpr (requires { T::FromBits(bits); })
        return T::FromBits(bits);
    else
        return T(bits);
}
std::wstring ToWide(const std::string& s);
std::string ToNarrow(const std::wstring& s);
}  // namespace prop_detail

// One published property. Build it with the factories below; each takes the property's name, a getter
// (member function, const or not, or a data member) and a setter (member function, or nullptr: then a
// data-member getter is written directly and a function getter makes the property read-only).
// The accessors take the object the table belongs to; a wrong class reads as empty and writes nothing.
class Prop {
public:
    PropKind Kind{};
    std::string_view Name;
    PropNames Names;                            // enumeration and set
    const TClassInfo* ObjectClass = nullptr;    // object: the declared class
    const std::type_info* EventType = nullptr;  // event: the std::function type

    std::function<std::int64_t(const TObject&)> GetOrd;  // integer, enumeration ordinal, set bits
    std::function<bool(TObject&, std::int64_t)> SetOrd;  // false: out of range or read-only
    std::function<std::wstring(const TObject&)> GetStr;
    std::function<bool(TObject&, const std::wstring&)> SetStr;
    std::function<TObject*(const TObject&)> GetObj;
    std::function<bool(TObject&, TObject*)> SetObj;  // false: wrong class, nil for a reference setter
    std::function<TStringList(const TObject&)> GetStrings;
    std::function<bool(TObject&, const TStringList&)> SetStrings;
    std::function<bool(const TObject&)> EventAssigned;
    std::function<bool(TObject&, const std::any&)> SetEvent;  // false: the handler has another type

    // Integer (colours included): any integral or enum value.
    template <class G, class S = std::nullptr_t>
    static Prop Int(std::string_view name, G get, S set = nullptr) {
        using C = prop_detail::ClassOf<G, S>;
        using V = prop_detail::ValueOf<C, G>;
        Prop p(PropKind::Integer, name);
        p.OrdAccess<C, V>(get, set);
        return p;
    }
    // Enumeration (bool with kBooleanNames): the value is the index into names.
    template <class G, class S = std::nullptr_t>
    static Prop Enum(std::string_view name, G get, S set, PropNames names) {
        using C = prop_detail::ClassOf<G, S>;
        using V = prop_detail::ValueOf<C, G>;
        Prop p(PropKind::Enumeration, name);
        p.Names = names;
        p.OrdAccess<C, V>(get, set);
        const auto setOrd = std::move(p.SetOrd);
        if (setOrd)
            p.SetOrd = [setOrd, count = names.size()](TObject& o, std::int64_t v) {
                return v >= 0 && std::uint64_t(v) < count && setOrd(o, v);
            };
        return p;
    }
    // Set: the value is a SetOf<E> (or an integral bit mask); bit i is names[i].
    template <class G, class S = std::nullptr_t>
    static Prop Set(std::string_view name, G get, S set, PropNames names) {
        using C = prop_detail::ClassOf<G, S>;
        using V = prop_detail::ValueOf<C, G>;
        Prop p(PropKind::Set, name);
        p.Names = names;
        p.GetOrd = [get](const TObject& o) -> std::int64_t {
            auto* c = dynamic_cast<const C*>(&o);
            return c ? std::int64_t(prop_detail::SetBits(prop_detail::Read(*c, get))) : 0;
        };
        if constexpr (prop_detail::kWritable<G, S>)
            p.SetOrd = [get, set, count = names.size()](TObject& o, std::int64_t v) {
                auto* c = dynamic_cast<C*>(&o);
                if (!c || (count < 64 && (std::uint64_t(v) >> count) != 0)) return false;
                prop_detail::Write(*c, get, set, prop_detail::FromSetBits<V>(std::uint64_t(v)));
                return true;
            };
        return p;
    }
    // String: std::wstring, or std::string holding UTF-8.
    template <class G, class S = std::nullptr_t>
    static Prop Str(std::string_view name, G get, S set = nullptr) {
        using C = prop_detail::ClassOf<G, S>;
        using V = prop_detail::ValueOf<C, G>;
        static_assert(std::is_same_v<V, std::wstring> || std::is_same_v<V, std::string>);
        Prop p(PropKind::String, name);
        p.GetStr = [get](const TObject& o) -> std::wstring {
            auto* c = dynamic_cast<const C*>(&o);
            if (!c) return {};
            if constexpr (std::is_same_v<V, std::wstring>)
                return std::wstring(prop_detail::Read(*c, get));
            else
                return prop_detail::ToWide(std::string(prop_detail::Read(*c, get)));
        };
        if constexpr (prop_detail::kWritable<G, S>)
            p.SetStr = [get, set](TObject& o, const std::wstring& v) {
                auto* c = dynamic_cast<C*>(&o);
                if (!c) return false;
                if constexpr (std::is_same_v<V, std::wstring>)
                    prop_detail::Write(*c, get, set, v);
                else
                    prop_detail::Write(*c, get, set, prop_detail::ToNarrow(v));
                return true;
            };
        return p;
    }
    // Object: the getter returns T* or T& (T a TObject). The setter takes T* (nil allowed) or const T&;
    // without one, a T* data member is written directly. Sub-objects such as a font are usually
    // read-only here and set through their own properties.
    template <class G, class S = std::nullptr_t>
    static Prop Obj(std::string_view name, G get, S set = nullptr) {
        using C = prop_detail::ClassOf<G, S>;
        using T = prop_detail::ValueOf<C, G>;
        static_assert(std::is_base_of_v<TObject, T>);
        Prop p(PropKind::Object, name);
        p.ObjectClass = &T::ClassInfo_;
        p.GetObj = [get](const TObject& o) -> TObject* {
            auto* c = dynamic_cast<const C*>(&o);
            if (!c) return nullptr;
            decltype(auto) v = prop_detail::Read(*c, get);
            if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(v)>>)
                return const_cast<T*>(v);
            else
                return const_cast<T*>(&v);
        };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetObj = [set](TObject& o, TObject* value) {
                auto* c = dynamic_cast<C*>(&o);
                T* v = dynamic_cast<T*>(value);
                if (!c || (value && !v)) return false;
                if constexpr (std::is_invocable_v<S, C&, T*>)
                    std::invoke(set, *c, v);
                else {
                    if (!v) return false;
                    std::invoke(set, *c, *v);
                }
                return true;
            };
        else if constexpr (std::is_member_object_pointer_v<G>) {
            if constexpr (std::is_pointer_v<std::remove_reference_t<decltype(std::declval<C&>().*get)>>)
                p.SetObj = [get](TObject& o, TObject* value) {
                    auto* c = dynamic_cast<C*>(&o);
                    T* v = dynamic_cast<T*>(value);
                    if (!c || (value && !v)) return false;
                    c->*get = v;
                    return true;
                };
        }
        return p;
    }
    // String list: the getter returns a TStringList (value, reference or pointer); the setter takes
    // const TStringList&. Without a setter a list reached by reference or pointer is assigned in place.
    template <class G, class S = std::nullptr_t>
    static Prop Strings(std::string_view name, G get, S set = nullptr) {
        using C = prop_detail::ClassOf<G, S>;
        Prop p(PropKind::Strings, name);
        p.GetStrings = [get](const TObject& o) -> TStringList {
            auto* c = dynamic_cast<const C*>(&o);
            if (!c) return {};
            decltype(auto) v = prop_detail::Read(*c, get);
            if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(v)>>)
                return v ? TStringList(*v) : TStringList{};
            else
                return TStringList(v);
        };
        p.SetStrings = [get, set](TObject& o, const TStringList& v) {
            (void)get;  // one of the two is unused, by the kind of setter
            (void)set;
            auto* c = dynamic_cast<C*>(&o);
            if (!c) return false;
            if constexpr (!std::is_null_pointer_v<S>) {
                std::invoke(set, *c, v);
                return true;
            } else {
                decltype(auto) target = std::invoke(get, *c);
                using R = decltype(target);
                if constexpr (std::is_pointer_v<std::remove_cvref_t<R>>) {
                    if (!target) return false;
                    target->Assign(v);
                    return true;
                } else if constexpr (std::is_lvalue_reference_v<R> &&
                                     !std::is_const_v<std::remove_reference_t<R>>) {
                    target.Assign(v);
                    return true;
                } else {
                    return false;
                }
            }
        };
        return p;
    }
    // Event: the value is a std::function type E (TNotifyEvent or another); a handler binds only when
    // its stored type is exactly E.
    template <class G, class S = std::nullptr_t>
    static Prop Event(std::string_view name, G get, S set = nullptr) {
        using C = prop_detail::ClassOf<G, S>;
        using E = prop_detail::ValueOf<C, G>;
        Prop p(PropKind::Event, name);
        p.EventType = &typeid(E);
        p.EventAssigned = [get](const TObject& o) {
            auto* c = dynamic_cast<const C*>(&o);
            return c && bool(prop_detail::Read(*c, get));
        };
        if constexpr (prop_detail::kWritable<G, S>)
            p.SetEvent = [get, set](TObject& o, const std::any& handler) {
                auto* c = dynamic_cast<C*>(&o);
                const E* f = std::any_cast<E>(&handler);
                if (!c || (handler.has_value() && !f)) return false;
                prop_detail::Write(*c, get, set, f ? *f : E{});
                return true;
            };
        return p;
    }

    bool Writable() const;

private:
    Prop(PropKind kind, std::string_view name) : Kind(kind), Name(name) {}

    template <class C, class V, class G, class S>
    void OrdAccess(G get, S set) {
        GetOrd = [get](const TObject& o) -> std::int64_t {
            auto* c = dynamic_cast<const C*>(&o);
            return c ? std::int64_t(prop_detail::Read(*c, get)) : 0;
        };
        if constexpr (prop_detail::kWritable<G, S>)
            SetOrd = [get, set](TObject& o, std::int64_t v) {
                auto* c = dynamic_cast<C*>(&o);
                if (!c || !prop_detail::Fits<V>(v)) return false;
                prop_detail::Write(*c, get, set, static_cast<V>(v));
                return true;
            };
    }
};

// The published properties of one class, chained to its parent class's table.
class PropTable {
public:
    PropTable(const PropTable* parent, std::initializer_list<Prop> props) : parent_(parent), props_(props) {}

    const PropTable* Parent() const { return parent_; }
    const std::vector<Prop>& Own() const { return props_; }
    // The class's own entry first, then the ancestors'; names compare ASCII case-insensitively.
    const Prop* Find(std::string_view name) const;
    // Every property, ancestors' first, a redeclared name only once (where it is declared last).
    std::vector<const Prop*> All() const;

private:
    const PropTable* parent_;
    std::vector<Prop> props_;
};

// Lookup on an object's class chain; nullptr when the object or the property is missing.
const Prop* FindProp(const TObject* instance, std::string_view name);

// The value of any property as text: integer in decimal, enumeration value name, set as "a,b",
// string as is, object as its class name (empty for nil), string list as its Text, event as
// "assigned" or empty. Empty when missing.
std::wstring GetPropText(const TObject* instance, std::string_view name);

// By-name access. None of these fails on a missing instance or property:
// integer kind only; -1 when missing or of another kind.
std::int64_t GetOrdPropByName(const TObject* instance, std::string_view name);
// the value name of an enumeration ("True"/"False" for Boolean); empty when missing or of another kind.
std::string GetEnumPropByName(const TObject* instance, std::string_view name);
// a set's members as "a,b" (declaration order); empty when missing or of another kind.
std::string GetSetPropByName(const TObject* instance, std::string_view name);
// a string property (all are wide); empty when missing or of another kind.
std::wstring GetStrPropByName(const TObject* instance, std::string_view name);
// the object held by an object property when it is of class cls (or derived); nullptr otherwise.
TObject* GetObjectPropByName(const TObject* instance, std::string_view name, const TClassInfo& cls);
template <class T>
T* GetObjectPropByName(const TObject* instance, std::string_view name) {
    return dynamic_cast<T*>(GetObjectPropByName(instance, name, T::ClassInfo_));
}
// Sets from text by kind: integer <- a decimal (or $hex) number; enumeration <- a value name
// (ASCII case-insensitive); string <- the text. Other kinds, a bad number, an unknown value name, a
// read-only or missing property: nothing is set and the answer is false.
bool SetPropByName(TObject* instance, std::string_view name, std::wstring_view text);
bool SetPropByName(TObject* instance, std::string_view name, std::string_view utf8Text);

// Helpers shared with the form reader.
// Parses a decimal or $hex / 0x hex integer with an optional sign; false on anything else or overflow.
bool ParseInteger(std::string_view text, std::int64_t& value);
// The index of name in names (ASCII case-insensitive), or -1.
int IndexOfName(PropNames names, std::string_view name);
