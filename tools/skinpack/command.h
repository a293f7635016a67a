// skinpack: a command-line tool for skin authors. Each command lives in its own cmd_*.cpp and registers
// itself with a static Registration object; main.cpp only dispatches. Adding a command means adding a file:
//
//     namespace {
//     int Run(std::span<const std::string> args, std::ostream& out, std::ostream& err) { ... }
//     const skinpack::Registration reg{{"slice", "slice BMP CELLS OUTDIR", "cut a skin image into cells",
//     Run}};
//     }
//
// A command gets the arguments after its own name, prints results to out and one-line errors to err, and
// returns an exit status (0 success, 1 failure, 2 wrong usage).
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skinpack {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct Command {
    const char* name;     // the word after "skinpack"
    const char* usage;    // the command's synopsis, for example "pack DIR OUT [LISTFILE]"
    const char* summary;  // one line for the help text
    int (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err);
};

// False (and nothing registered) when a command of that name exists already.
bool RegisterCommand(const Command& command);
const Command* FindCommand(std::string_view name);
std::vector<Command> Commands();  // sorted by name

struct Registration {
    explicit Registration(const Command& command) { RegisterCommand(command); }
};

// Runs one command line (without the program name): "skinpack help" and no arguments print the list.
int RunCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// "skinpack: FILE: problem", the one line every error prints.
std::string ErrorLine(const std::string& file, const std::string& problem);
// Prints ErrorLine to err and returns kExitFailure.
int Fail(std::ostream& err, const std::filesystem::path& file, const std::string& problem);
// Prints "usage: skinpack <usage>" to err and returns kExitUsage.
int UsageError(std::ostream& err, const Command& command);

// Reads a whole file; raises std::runtime_error with a short problem text ("cannot open", ...).
std::vector<std::uint8_t> ReadInputFile(const std::filesystem::path& path);
// Writes a whole file through a temporary file in the same folder, renamed over the target only when
// everything was written: a failure never leaves a half-written output. Raises std::runtime_error.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
void WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

}  // namespace skinpack
