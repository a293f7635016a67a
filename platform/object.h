// The object root: class information (name, ancestry, published properties), TObject and TPersistent.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

class PropTable;
class TFiler;

// One per framework class, as a static member `ClassInfo_`. Plain pointers only, so every instance is
// constant-initialised and may be used from any other static initialiser.
struct TClassInfo {
    const char* Name;
    const TClassInfo* Parent;  // nullptr for TObject
    const PropTable* Props;    // the class's published properties (chained to the parent's table)

    // True when this class is cls or derives from it.
    bool InheritsFrom(const TClassInfo& cls) const;
    // The same test by class name, ASCII case-insensitive ("TCustomForm", "tcustomform").
    bool InheritsFrom(std::string_view className) const;
};

// Every framework class declares, in its public section:
//     static const TClassInfo ClassInfo_;
//     static const PropTable Props;                     // only if it publishes properties of its own
//     const TClassInfo& ClassType() const override { return ClassInfo_; }
// and defines in its .cpp (Props first: ClassInfo_ points at it):
//     const PropTable TButton::Props{&TWinControl::Props, { Prop::Str("Caption", ...), ... }};
//     const TClassInfo TButton::ClassInfo_{"TButton", &TWinControl::ClassInfo_, &TButton::Props};
// A class without properties of its own passes its parent's table: {..., &TWinControl::Props}.
// (Name another class's table only by address, never by reading its ClassInfo_: static
// initialisation order across files is unspecified.)
class TObject {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;  // empty: the end of every chain

    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    virtual const TClassInfo& ClassType() const { return ClassInfo_; }
    std::string ClassName() const { return ClassType().Name; }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
    bool InheritsFrom(std::string_view className) const { return ClassType().InheritsFrom(className); }
};

// Assign between unrelated classes, or a failed conversion.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An object with published properties that can be copied from another (Assign) and that may stream
// binary properties of its own (DefineProperties).
class TPersistent : public TObject {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    // Copies source into this object. The default asks source.AssignTo(*this), whose default raises
    // EConvertError ("Cannot assign a TX to a TY").
    virtual void Assign(const TPersistent& source);

    // Declares the binary properties this object streams besides its published ones
    // (filer.DefineBinaryProperty(...), see platform/filer.h). The default declares none.
    virtual void DefineProperties(TFiler& filer);

    // The object that owns this one, for naming paths (a collection's owner, a component's owner).
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent& dest) const;
};

// UTF-8 <-> wide text. On Windows wide text is UTF-16 (surrogate pairs); on the host it is UTF-32.
// Malformed input becomes U+FFFD; Utf8Valid tells whether a byte string is well-formed UTF-8.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Appends one code point (at most U+10FFFF, not a surrogate) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
bool Utf8Valid(std::string_view utf8);
