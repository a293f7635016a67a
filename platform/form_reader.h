// The form reader: builds a component tree from a form description.
//
// The text (UTF-8, Chinese as is) is a tree of blocks:
//
//     object Form1: TForm1
//       Caption = 'Tocvane'                      string: '...' with '' for a quote, #nnnn for a code
//       ClientWidth = 394                          point, pieces joined without or with '+' at line ends
//       Color = clBtnFace                          identifier: enum value, integer constant, handler
//       Font.Name = '宋体'                         dotted name: a property of a sub-object
//       Font.Style = [fsBold]                      set
//       Visible = False                            Boolean
//       OnCreate = FormCreate                      event: a handler the root registered
//       object B2: TButton                         nested object: owned by the root, Parent = enclosing
//         OnClick = B2Click
//       end
//       object SkinData1: TSkinData
//         Skin3rd.Strings = ( 'a=b' 'c=d' )        string list
//         SkinStream = { 0A0B0C }                  binary property (DefineProperties), hex bytes
//       end
//       object StatusBar1: TStatusBar
//         Panels = < item Width = 50 end >         collection items
//       end
//     end
//
// How a class takes part:
// - it publishes its properties in its PropTable (platform/props.h) and names itself in ClassInfo_;
// - classes made by the reader are registered once before reading:
//       RegisterComponentClasses<TButton, TGroupBox, TSkinData>();      (platform/class_registry.h)
// - binary values go to the component's DefineProperties(TFiler&) readers (platform/filer.h);
// - a nested object gets SetParentComponent(enclosing) before its properties are read;
// - an object property given an identifier refers to a component of the root by name (resolved
//   after the whole tree is read).
//
// The root is an existing object whose class is the description's top class or derives from it:
//       TForm1 form(nullptr);                 // registers its handlers in its constructor:
//       form.RegisterHandler("B2Click", [&form](TObject* sender) { form.B2Click(sender); });
//       ReadComponentRes(text, form);
// The root's name comes from the header. Every object made is owned by the root.
//
// Order: each component is made (csLoading and csReading set), named, given its parent, then its
// properties are set in the order written (published ones through the table, binary ones through its
// reader), then its nested objects follow; csReading is cleared when its block ends. After the whole
// tree, object references are resolved and Loaded is called on every component in reading order and
// last on the root; csLoading is cleared just before each one's Loaded.
//
// Errors: an unknown class, property, value name or handler, a value of the wrong kind, a malformed
// value, unbalanced blocks or truncated text raise EFormReadError naming the line. The components
// made by a failed read are freed again; properties already set on the root stay set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/stream.h"

class TComponent;

class EFormReadError : public EReadError {
public:
    EFormReadError(int line, const std::string& message);
    int Line() const { return line_; }
    const std::string& Message() const { return message_; }  // what() is "line N: message"

private:
    int line_;
    std::string message_;
};

// Reads the form description text into root (see above).
void ReadComponentRes(std::string_view text, TComponent& root);

// Integer constants written as identifiers (colour names such as clBtnFace, charsets such as
// ANSI_CHARSET are built in). Registering a name again replaces its value.
void RegisterIntegerIdent(std::string_view name, std::int64_t value);
bool IdentToInteger(std::string_view name, std::int64_t& value);

// A byte string as a hex block for a description, wrapped at lineWidth hex digits and indented.
std::string FormatBinaryValue(const void* data, std::size_t size, int indent = 2, int lineWidth = 64);
