// The form reader: the text is tokenised and parsed into a tree first, so a syntax error builds
// nothing; then the tree is built into components.
#include "platform/form_reader.h"

#include <map>
#include <memory>
#include <vector>

#include "platform/class_registry.h"
#include "platform/collection.h"
#include "platform/component.h"
#include "platform/filer.h"
#include "platform/props.h"
#include "platform/string_list.h"
#include "platform/types.h"

EFormReadError::EFormReadError(int line, const std::string& message)
    : EReadError("line " + std::to_string(line) + ": " + message), line_(line), message_(message) {}

namespace {

// Objects and collections nest at most this deep; deeper text is refused rather than risking the stack.
constexpr int kMaxDepth = 64;

// ---- Tokens ----

enum class Tok { End, Ident, Integer, Float, String, Binary, Symbol };

struct Token {
    Tok kind = Tok::End;
    int line = 1;
    std::string text;  // identifier, string (UTF-8), symbol character, number text
    std::int64_t integer = 0;
    std::vector<std::uint8_t> bytes;
};

std::string Quoted(std::string_view s) {
    std::string out = "'";
    for (char ch : s.substr(0, 60)) out += (static_cast<unsigned char>(ch) < 0x20) ? '?' : ch;
    if (s.size() > 60) out += "...";
    return out + "'";
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : s_(text) {
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    }

    int Line() const { return line_; }

    Token Next() {
        SkipSpace();
        Token t;
        t.line = line_;
        if (pos_ >= s_.size()) return t;
        const char ch = s_[pos_];
        if (IsLetter(ch)) {
            t.kind = Tok::Ident;
            const std::size_t start = pos_;
            while (pos_ < s_.size() && (IsLetter(s_[pos_]) || IsDigit(s_[pos_]) || s_[pos_] == '.')) ++pos_;
            t.text = std::string(s_.substr(start, pos_ - start));
            if (t.text.back() == '.' || t.text.find("..") != std::string::npos)
                throw EFormReadError(t.line, "malformed name " + Quoted(t.text));
            return t;
        }
        if (IsDigit(ch) || ch == '$' ||
            ((ch == '-' || ch == '+') && pos_ + 1 < s_.size() &&
             (IsDigit(s_[pos_ + 1]) || s_[pos_ + 1] == '$')))
            return Number(t);
        if (ch == '\'' || ch == '#') return String(t);
        if (ch == '{') return Binary(t);
        ++pos_;
        if (std::string_view("=:[](),<>+").find(ch) == std::string_view::npos)
            throw EFormReadError(t.line, "unexpected character " + Quoted(std::string(1, ch)));
        t.kind = Tok::Symbol;
        t.text = std::string(1, ch);
        return t;
    }

private:
    static bool IsLetter(char ch) {
        return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_';
    }
    static bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
    static bool IsHex(char ch) { return IsDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'); }
    static int HexValue(char ch) { return IsDigit(ch) ? ch - '0' : (ch | 0x20) - 'a' + 10; }

    void SkipSpace() {
        while (pos_ < s_.size()) {
            const char ch = s_[pos_];
            if (ch == '\n') ++line_;
            if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n')
                ++pos_;
            else
                break;
        }
    }

    Token Number(Token& t) {
        const std::size_t start = pos_;
        if (s_[pos_] == '-' || s_[pos_] == '+') ++pos_;
        bool hex = false;
        if (pos_ < s_.size() && s_[pos_] == '$') hex = true, ++pos_;
        while (pos_ < s_.size() && (hex ? IsHex(s_[pos_]) : IsDigit(s_[pos_]))) ++pos_;
        bool isFloat = false;
        if (!hex && pos_ + 1 < s_.size() && s_[pos_] == '.' && IsDigit(s_[pos_ + 1])) {
            isFloat = true;
            ++pos_;
            while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
        }
        if (!hex && pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            isFloat = true;
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '-' || s_[pos_] == '+')) ++pos_;
            while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
        }
        t.text = std::string(s_.substr(start, pos_ - start));
        if (pos_ < s_.size() && (IsLetter(s_[pos_]) || IsDigit(s_[pos_])))
            throw EFormReadError(t.line, "malformed number " + Quoted(t.text + s_[pos_]));
        if (isFloat) {
            t.kind = Tok::Float;
            return t;
        }
        t.kind = Tok::Integer;
        if (!ParseInteger(t.text, t.integer))
            throw EFormReadError(t.line, "malformed number " + Quoted(t.text));
        return t;
    }

    // 'text' with '' for a quote, #nnn (or #$hh) for one character, pieces written side by side.
    Token String(Token& t) {
        t.kind = Tok::String;
        while (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '#')) {
            if (s_[pos_] == '\'') {
                ++pos_;
                for (;;) {
                    if (pos_ >= s_.size() || s_[pos_] == '\n' || s_[pos_] == '\r')
                        throw EFormReadError(t.line, "unterminated string");
                    if (s_[pos_] == '\'') {
                        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
                            t.text += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    t.text += s_[pos_++];
                }
            } else {
                ++pos_;
                const std::size_t start = pos_;
                bool hex = pos_ < s_.size() && s_[pos_] == '$';
                if (hex) ++pos_;
                const std::size_t digits = pos_;
                while (pos_ < s_.size() && (hex ? IsHex(s_[pos_]) : IsDigit(s_[pos_])) && pos_ - digits < 8)
                    ++pos_;
                std::int64_t code = 0;
                if (pos_ == digits || !ParseInteger(s_.substr(start, pos_ - start), code) ||
                    code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                    throw EFormReadError(t.line, "malformed character code in string");
                AppendUtf8(t.text, char32_t(code));
            }
        }
        if (!Utf8Valid(t.text)) throw EFormReadError(t.line, "string is not valid UTF-8");
        return t;
    }

    Token Binary(Token& t) {
        t.kind = Tok::Binary;
        ++pos_;
        int high = -1;
        for (;;) {
            if (pos_ >= s_.size()) throw EFormReadError(line_, "unterminated binary value (missing '}')");
            const char ch = s_[pos_++];
            if (ch == '}') break;
            if (ch == '\n') ++line_;
            if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') continue;
            if (!IsHex(ch))
                throw EFormReadError(line_,
                                     "bad hex digit " + Quoted(std::string(1, ch)) + " in binary value");
            if (high < 0) {
                high = HexValue(ch);
            } else {
                t.bytes.push_back(std::uint8_t(high << 4 | HexValue(ch)));
                high = -1;
            }
        }
        if (high >= 0) throw EFormReadError(line_, "binary value has an odd number of hex digits");
        return t;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// ---- Syntax tree ----

struct PropAssign;

struct Value {
    enum Kind { Integer, Float, String, Ident, Set, List, Collection, Binary } kind = Integer;
    int line = 1;
    std::int64_t integer = 0;
    std::string text;                              // string (UTF-8) or identifier
    std::vector<std::string> items;                // set members, list strings
    std::vector<std::vector<PropAssign>> members;  // collection items
    std::vector<std::uint8_t> bytes;
};

struct PropAssign {
    std::string name;
    Value value;
    int line = 1;
};

struct ObjectNode {
    std::string name;
    std::string cls;
    int line = 1;
    std::vector<PropAssign> props;
    std::vector<ObjectNode> children;
};

class Parser {
public:
    explicit Parser(std::string_view text) : lex_(text) { Advance(); }

    ObjectNode ParseRoot() {
        if (!IsKeyword("object") && !IsKeyword("inherited") && !IsKeyword("inline"))
            Fail("expected 'object' at the start of the form description");
        ObjectNode root = ParseObject(1);
        if (tok_.kind != Tok::End) Fail("unexpected text after the last 'end'");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& message) { throw EFormReadError(tok_.line, message); }

    void Advance() { tok_ = lex_.Next(); }
    bool IsKeyword(std::string_view word) const {
        return tok_.kind == Tok::Ident && SameTextAscii(tok_.text, word);
    }
    bool IsSymbol(char ch) const { return tok_.kind == Tok::Symbol && tok_.text[0] == ch; }
    void ExpectSymbol(char ch) {
        if (!IsSymbol(ch)) Fail(std::string("expected '") + ch + "' but found " + Describe());
        Advance();
    }
    std::string Describe() const {
        switch (tok_.kind) {
        case Tok::End: return "the end of the text";
        case Tok::Ident: return Quoted(tok_.text);
        case Tok::Integer:
        case Tok::Float: return "the number " + tok_.text;
        case Tok::String: return "a string";
        case Tok::Binary: return "a binary value";
        case Tok::Symbol: return "'" + tok_.text + "'";
        }
        return {};
    }
    std::string ExpectIdent(const char* what) {
        if (tok_.kind != Tok::Ident) Fail(std::string("expected ") + what + " but found " + Describe());
        std::string s = tok_.text;
        Advance();
        return s;
    }

    // At "object": object Name: Class ... end (or object Class ... end).
    ObjectNode ParseObject(int depth) {
        if (depth > kMaxDepth) Fail("objects nested too deeply");
        ObjectNode node;
        node.line = tok_.line;
        Advance();
        std::string first = ExpectIdent("an object name");
        if (IsSymbol(':')) {
            Advance();
            node.name = std::move(first);
            node.cls = ExpectIdent("a class name");
        } else {
            node.cls = std::move(first);
        }
        if (node.name.find('.') != std::string::npos || node.cls.find('.') != std::string::npos)
            throw EFormReadError(node.line, "malformed object header");
        for (;;) {
            if (tok_.kind == Tok::End)
                Fail("unexpected end of text: 'end' missing for object " + Quoted(node.name));
            if (IsKeyword("end")) {
                Advance();
                return node;
            }
            if (IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline")) {
                node.children.push_back(ParseObject(depth + 1));
                continue;
            }
            if (!node.children.empty()) Fail("property " + Describe() + " after nested objects");
            node.props.push_back(ParseAssign(depth));
        }
    }

    PropAssign ParseAssign(int depth) {
        PropAssign a;
        a.line = tok_.line;
        a.name = ExpectIdent("a property name");
        ExpectSymbol('=');
        a.value = ParseValue(depth);
        return a;
    }

    std::string ParseStringPieces() {
        std::string s = tok_.text;
        Advance();
        while (IsSymbol('+')) {
            Advance();
            if (tok_.kind != Tok::String) Fail("expected a string after '+'");
            s += tok_.text;
            Advance();
        }
        return s;
    }

    Value ParseValue(int depth) {
        Value v;
        v.line = tok_.line;
        switch (tok_.kind) {
        case Tok::Integer:
            v.kind = Value::Integer;
            v.integer = tok_.integer;
            Advance();
            return v;
        case Tok::Float:
            v.kind = Value::Float;
            v.text = tok_.text;
            Advance();
            return v;
        case Tok::String:
            v.kind = Value::String;
            v.text = ParseStringPieces();
            return v;
        case Tok::Ident:
            v.kind = Value::Ident;
            v.text = tok_.text;
            Advance();
            return v;
        case Tok::Binary:
            v.kind = Value::Binary;
            v.bytes = std::move(tok_.bytes);
            Advance();
            return v;
        case Tok::Symbol:
            if (IsSymbol('[')) return ParseSet(v);
            if (IsSymbol('(')) return ParseList(v);
            if (IsSymbol('<')) return ParseCollection(v, depth);
            break;
        case Tok::End: Fail("unexpected end of text: a value is missing");
        }
        Fail("expected a value but found " + Describe());
    }

    Value ParseSet(Value& v) {
        v.kind = Value::Set;
        Advance();
        if (IsSymbol(']')) {
            Advance();
            return v;
        }
        for (;;) {
            v.items.push_back(ExpectIdent("a set member"));
            if (IsSymbol(']')) {
                Advance();
                return v;
            }
            ExpectSymbol(',');
        }
    }

    Value ParseList(Value& v) {
        v.kind = Value::List;
        Advance();
        while (!IsSymbol(')')) {
            if (tok_.kind != Tok::String) Fail("expected a string or ')' in a list but found " + Describe());
            v.items.push_back(ParseStringPieces());
        }
        Advance();
        return v;
    }

    Value ParseCollection(Value& v, int depth) {
        if (depth + 1 > kMaxDepth) Fail("collections nested too deeply");
        v.kind = Value::Collection;
        Advance();
        while (!IsSymbol('>')) {
            if (!IsKeyword("item")) Fail("expected 'item' or '>' in a collection but found " + Describe());
            Advance();
            std::vector<PropAssign> item;
            while (!IsKeyword("end")) {
                if (tok_.kind == Tok::End)
                    Fail("unexpected end of text: 'end' missing for a collection item");
                item.push_back(ParseAssign(depth + 1));
            }
            Advance();
            v.members.push_back(std::move(item));
        }
        Advance();
        return v;
    }

    Lexer lex_;
    Token tok_;
};

// ---- Building ----

std::map<std::string, std::int64_t, std::less<>>& IntegerIdents() {
    static std::map<std::string, std::int64_t, std::less<>> idents = [] {
        std::map<std::string, std::int64_t, std::less<>> m;
        const std::pair<const char*, std::int64_t> builtIn[] = {
            {"clBlack", 0x000000},
            {"clMaroon", 0x000080},
            {"clGreen", 0x008000},
            {"clOlive", 0x008080},
            {"clNavy", 0x800000},
            {"clPurple", 0x800080},
            {"clTeal", 0x808000},
            {"clGray", 0x808080},
            {"clSilver", 0xC0C0C0},
            {"clRed", 0x0000FF},
            {"clLime", 0x00FF00},
            {"clYellow", 0x00FFFF},
            {"clBlue", 0xFF0000},
            {"clFuchsia", 0xFF00FF},
            {"clAqua", 0xFFFF00},
            {"clWhite", 0xFFFFFF},
            {"clLtGray", 0xC0C0C0},
            {"clDkGray", 0x808080},
            {"clMoneyGreen", 0xC0DCC0},
            {"clSkyBlue", 0xF0CAA6},
            {"clCream", 0xF0FBFF},
            {"clMedGray", 0xA4A0A0},
            {"clNone", clNone},
            {"clDefault", clDefault},
            {"clScrollBar", clScrollBar},
            {"clBackground", clBackground},
            {"clActiveCaption", clActiveCaption},
            {"clInactiveCaption", clInactiveCaption},
            {"clMenu", clMenu},
            {"clWindow", clWindow},
            {"clWindowFrame", clWindowFrame},
            {"clMenuText", clMenuText},
            {"clWindowText", clWindowText},
            {"clCaptionText", clCaptionText},
            {"clActiveBorder", clActiveBorder},
            {"clInactiveBorder", clInactiveBorder},
            {"clAppWorkSpace", clAppWorkSpace},
            {"clHighlight", clHighlight},
            {"clHighlightText", clHighlightText},
            {"clBtnFace", clBtnFace},
            {"clBtnShadow", clBtnShadow},
            {"clGrayText", clGrayText},
            {"clBtnText", clBtnText},
            {"clInactiveCaptionText", clInactiveCaptionText},
            {"clBtnHighlight", clBtnHighlight},
            {"cl3DDkShadow", cl3DDkShadow},
            {"cl3DLight", cl3DLight},
            {"clInfoText", clInfoText},
            {"clInfoBk", clInfoBk},
            {"clHotLight", SystemColor(26)},
            {"clGradientActiveCaption", clGradientActiveCaption},
            {"clGradientInactiveCaption", clGradientInactiveCaption},
            {"clMenuHighlight", clMenuHighlight},
            {"clMenuBar", clMenuBar},
            {"ANSI_CHARSET", 0},
            {"DEFAULT_CHARSET", 1},
            {"SYMBOL_CHARSET", 2},
            {"SHIFTJIS_CHARSET", 128},
            {"HANGEUL_CHARSET", 129},
            {"GB2312_CHARSET", 134},
            {"CHINESEBIG5_CHARSET", 136},
            {"OEM_CHARSET", 255},
            {"EASTEUROPE_CHARSET", 238},
            {"RUSSIAN_CHARSET", 204},
        };
        for (const auto& [name, value] : builtIn) m[AsciiLower(name)] = value;
        return m;
    }();
    return idents;
}

struct Fixup {
    TObject* target;
    const Prop* prop;
    std::string name;
    int line;
};

std::string ClassOf(const TObject& o) { return o.ClassName(); }

class Builder {
public:
    explicit Builder(TComponent& root) : root_(root) {}

    void Build(const ObjectNode& top) {
        if (!root_.InheritsFrom(std::string_view(top.cls)))
            throw EFormReadError(top.line,
                                 "the form is a " + top.cls + " but is read into a " + root_.ClassName());
        const TComponentState rootState = root_.ComponentState();
        root_.SetComponentState(csLoading | csReading, true);
        try {
            Guard(top.line, [&] {
                if (!top.name.empty()) root_.SetName(top.name);
            });
            ApplyProps(root_, top.props);
            for (const ObjectNode& child : top.children) BuildChild(child, &root_);
            root_.SetComponentState(csReading, false);
            ResolveFixups();
            for (const auto& [c, line] : loadOrder_)
                Guard(line, [&, c = c] {
                    c->SetComponentState(csLoading, false);
                    c->Loaded();
                });
            Guard(top.line, [&] {
                root_.SetComponentState(csLoading, false);
                root_.Loaded();
            });
        } catch (...) {
            // Free what this read made, newest first; the root goes back to its earlier state.
            for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
                const auto& owned = root_.ComponentList();
                if (std::find(owned.begin(), owned.end(), *it) != owned.end()) delete *it;
            }
            root_.SetComponentState(csLoading | csReading, false);
            root_.SetComponentState(rootState & (csLoading | csReading), true);
            throw;
        }
    }

private:
    // Runs f, turning any other error into a read error on the given line.
    template <class F>
    static void Guard(int line, F&& f) {
        try {
            f();
        } catch (const EFormReadError&) {
            throw;
        } catch (const std::exception& e) {
            throw EFormReadError(line, e.what());
        }
    }

    void BuildChild(const ObjectNode& node, TComponent* parent) {
        const TComponentFactory factory = FindClassFactory(node.cls);
        if (!factory) throw EFormReadError(node.line, "unknown class " + Quoted(node.cls));
        if (!node.name.empty() && (root_.FindComponent(node.name) || SameTextAscii(root_.Name(), node.name)))
            throw EFormReadError(node.line, "a component named " + node.name + " already exists");
        TComponent* c = nullptr;
        Guard(node.line, [&] { c = factory(&root_); });
        if (!c) throw EFormReadError(node.line, "class " + node.cls + " made no component");
        made_.push_back(c);
        Guard(node.line, [&] {
            if (c->Owner() != &root_) root_.InsertComponent(c);
            c->SetComponentState(csLoading | csReading, true);
            c->SetName(node.name);
            c->SetParentComponent(parent);
        });
        loadOrder_.push_back({c, node.line});
        ApplyProps(*c, node.props);
        for (const ObjectNode& child : node.children) BuildChild(child, c);
        c->SetComponentState(csReading, false);
    }

    void ApplyProps(TObject& target, const std::vector<PropAssign>& props) {
        for (const PropAssign& a : props) Guard(a.line, [&] { Apply(target, a); });
    }

    void Apply(TObject& target, const PropAssign& a) {
        const int line = a.line;
        TObject* o = &target;
        std::string_view rest = a.name;
        // Walk the dotted path through object properties; "List.Strings" names a string list itself.
        for (std::size_t dot; (dot = rest.find('.')) != std::string_view::npos;) {
            const std::string_view seg = rest.substr(0, dot);
            const Prop* p = FindProp(o, seg);
            if (!p) throw EFormReadError(line, "unknown property " + Quoted(seg) + " of " + ClassOf(*o));
            rest = rest.substr(dot + 1);
            if (p->Kind == PropKind::Strings && SameTextAscii(rest, "Strings")) {
                SetValue(*o, *p, a.value, line);
                return;
            }
            if (p->Kind != PropKind::Object)
                throw EFormReadError(line,
                                     Quoted(seg) + " of " + ClassOf(*o) + " has no properties of its own");
            TObject* sub = p->GetObj(*o);
            if (!sub) throw EFormReadError(line, Quoted(seg) + " of " + ClassOf(*o) + " is not set");
            o = sub;
        }
        const Prop* p = FindProp(o, rest);
        if (!p) {
            auto* persistent = dynamic_cast<TPersistent*>(o);
            if (a.value.kind == Value::Binary && persistent) {
                TBinaryProperties binary(*persistent);
                if (binary.Read(rest, a.value.bytes)) return;
            }
            throw EFormReadError(line, "unknown property " + Quoted(rest) + " of " + ClassOf(*o));
        }
        SetValue(*o, *p, a.value, line);
    }

    [[noreturn]] static void WrongKind(const Prop& p, const Value& v, int line) {
        static const char* const kinds[] = {
            "a number",     "a floating-point number", "a string", "an identifier", "a set", "a list",
            "a collection", "a binary value"};
        throw EFormReadError(
            line, std::string(kinds[v.kind]) + " cannot be assigned to property " + Quoted(p.Name));
    }

    void SetValue(TObject& o, const Prop& p, const Value& v, int line) {
        if (p.Kind != PropKind::Object && !p.Writable())
            throw EFormReadError(line, "property " + Quoted(p.Name) + " is read-only");
        switch (p.Kind) {
        case PropKind::Integer: {
            std::int64_t n;
            if (v.kind == Value::Integer)
                n = v.integer;
            else if (v.kind == Value::Ident) {
                if (!IdentToInteger(v.text, n))
                    throw EFormReadError(line, "unknown identifier " + Quoted(v.text));
            } else
                WrongKind(p, v, line);
            if (!p.SetOrd(o, n))
                throw EFormReadError(line, "value out of range for property " + Quoted(p.Name));
            return;
        }
        case PropKind::Enumeration: {
            if (v.kind != Value::Ident) WrongKind(p, v, line);
            const int i = IndexOfName(p.Names, v.text);
            if (i < 0 || !p.SetOrd(o, i))
                throw EFormReadError(line, Quoted(v.text) + " is not a value of property " + Quoted(p.Name));
            return;
        }
        case PropKind::Set: {
            if (v.kind != Value::Set) WrongKind(p, v, line);
            std::uint64_t bits = 0;
            for (const std::string& m : v.items) {
                const int i = IndexOfName(p.Names, m);
                if (i < 0 || i >= 64)
                    throw EFormReadError(line, Quoted(m) + " is not a member of property " + Quoted(p.Name));
                bits |= std::uint64_t(1) << i;
            }
            if (!p.SetOrd(o, std::int64_t(bits)))
                throw EFormReadError(line, "cannot set property " + Quoted(p.Name));
            return;
        }
        case PropKind::String:
            if (v.kind != Value::String) WrongKind(p, v, line);
            p.SetStr(o, Utf8ToWide(v.text));
            return;
        case PropKind::Strings: {
            if (v.kind != Value::List) WrongKind(p, v, line);
            TStringList list;
            for (const std::string& s : v.items) list.Add(s);
            if (!p.SetStrings(o, list)) throw EFormReadError(line, "cannot set property " + Quoted(p.Name));
            return;
        }
        case PropKind::Object:
            if (v.kind == Value::Collection) return FillCollection(o, p, v, line);
            if (v.kind != Value::Ident) WrongKind(p, v, line);
            if (!p.SetObj) throw EFormReadError(line, "property " + Quoted(p.Name) + " is read-only");
            if (SameTextAscii(v.text, "nil")) {
                if (!p.SetObj(o, nullptr))
                    throw EFormReadError(line, "property " + Quoted(p.Name) + " cannot be nil");
                return;
            }
            fixups_.push_back({&o, &p, v.text, line});
            return;
        case PropKind::Event: {
            if (v.kind != Value::Ident) WrongKind(p, v, line);
            if (SameTextAscii(v.text, "nil")) {
                p.SetEvent(o, std::any());
                return;
            }
            const std::any* handler = root_.FindHandler(v.text);
            if (!handler) throw EFormReadError(line, "unknown event handler " + Quoted(v.text));
            if (!p.SetEvent(o, *handler))
                throw EFormReadError(line,
                                     "handler " + Quoted(v.text) + " does not fit event " + Quoted(p.Name));
            return;
        }
        }
    }

    void FillCollection(TObject& o, const Prop& p, const Value& v, int line) {
        auto* collection = dynamic_cast<TCollection*>(p.GetObj(o));
        if (!collection) throw EFormReadError(line, "property " + Quoted(p.Name) + " is not a collection");
        // References waiting in items about to be freed would dangle: drop them with the items.
        std::erase_if(fixups_, [&](const Fixup& f) {
            auto* p = dynamic_cast<TPersistent*>(f.target);
            for (int hops = 0; p && hops < kMaxDepth * 2; p = p->GetOwner(), ++hops)
                if (p == collection) return true;
            return false;
        });
        collection->BeginUpdate();
        try {
            collection->Clear();
            for (const auto& item : v.members) {
                TCollectionItem* added = collection->Add();
                if (!added) throw EFormReadError(line, "collection " + Quoted(p.Name) + " made no item");
                ApplyProps(*added, item);
            }
        } catch (...) {
            collection->EndUpdate();
            throw;
        }
        collection->EndUpdate();
    }

    void ResolveFixups() {
        for (const Fixup& f : fixups_) {
            TComponent* c = SameTextAscii(root_.Name(), f.name) ? &root_ : root_.FindComponent(f.name);
            if (!c) throw EFormReadError(f.line, "unknown component " + Quoted(f.name));
            bool done = false;
            Guard(f.line, [&] { done = f.prop->SetObj(*f.target, c); });
            if (!done)
                throw EFormReadError(f.line, f.name + " (" + c->ClassName() + ") does not fit property " +
                                                 Quoted(f.prop->Name));
        }
    }

    TComponent& root_;
    std::vector<TComponent*> made_;
    std::vector<std::pair<TComponent*, int>> loadOrder_;
    std::vector<Fixup> fixups_;
};

}  // namespace

void ReadComponentRes(std::string_view text, TComponent& root) {
    Parser parser(text);
    const ObjectNode top = parser.ParseRoot();
    Builder(root).Build(top);
}

void RegisterIntegerIdent(std::string_view name, std::int64_t value) {
    IntegerIdents()[AsciiLower(name)] = value;
}

bool IdentToInteger(std::string_view name, std::int64_t& value) {
    const auto& m = IntegerIdents();
    auto it = m.find(AsciiLower(name));
    if (it == m.end()) return false;
    value = it->second;
    return true;
}

std::string FormatBinaryValue(const void* data, std::size_t size, int indent, int lineWidth) {
    static const char digits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const std::size_t perLine = std::size_t(lineWidth < 2 ? 1 : lineWidth / 2);
    const std::string pad(std::size_t(indent < 0 ? 0 : indent), ' ');
    std::string out = "{";
    for (std::size_t i = 0; i < size; ++i) {
        if (i % perLine == 0) out += "\n" + pad;
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    out += "}";
    return out;
}
