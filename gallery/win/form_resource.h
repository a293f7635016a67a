// Raw data stored in the program's resources (RCDATA): form descriptions and skin packages.
#pragma once

#include <string_view>

// The bytes of the RCDATA resource name; empty when the program has none.
std::string_view ProgramResourceText(const wchar_t* name);
