// The form reader: tokenizer, parser and object building.
#include "platform/form_reader.h"

#include "platform/component.h"

EFormReadError::EFormReadError(int line, const std::string& message)
    : EReadError("line " + std::to_string(line) + ": " + message), line_(line), message_(message) {}

void ReadComponentRes(std::string_view, TComponent&) { throw EFormReadError(1, "not yet implemented"); }
void RegisterIntegerIdent(std::string_view, std::int64_t) {}
bool IdentToInteger(std::string_view, std::int64_t&) { return false; }
std::string FormatBinaryValue(const void*, std::size_t, int, int) { return {}; }
