// The command registry and the helpers every command shares.
#include "tools/skinpack/command.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <map>
#include <stdexcept>
#include <system_error>

namespace skinpack {

namespace {

std::map<std::string, Command, std::less<>>& Registry() {
    static std::map<std::string, Command, std::less<>> commands;
    return commands;
}

void PrintHelp(std::ostream& out) {
    out << "usage: skinpack COMMAND ARGS...\n\ncommands:\n";
    for (const Command& c : Commands()) out << "  " << c.usage << "\n      " << c.summary << "\n";
}

std::string PathText(const std::filesystem::path& p) { return p.string(); }

}  // namespace

bool RegisterCommand(const Command& command) { return Registry().emplace(command.name, command).second; }

const Command* FindCommand(std::string_view name) {
    const auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : &it->second;
}

std::vector<Command> Commands() {
    std::vector<Command> out;
    for (const auto& [name, c] : Registry()) out.push_back(c);
    return out;
}

int RunCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintHelp(err);
        return kExitUsage;
    }
    if (args[0] == "help" || args[0] == "-h" || args[0] == "--help") {
        PrintHelp(out);
        return kExitOk;
    }
    const Command* command = FindCommand(args[0]);
    if (!command) {
        err << "skinpack: unknown command '" << args[0] << "' (try skinpack help)\n";
        return kExitUsage;
    }
    try {
        return command->run(args.subspan(1), out, err);
    } catch (const std::exception& e) {
        err << "skinpack: " << command->name << ": " << e.what() << "\n";
        return kExitFailure;
    }
}

std::string ErrorLine(const std::string& file, const std::string& problem) {
    std::string line = "skinpack: " + file + ": " + problem;
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

int Fail(std::ostream& err, const std::filesystem::path& file, const std::string& problem) {
    err << ErrorLine(PathText(file), problem) << "\n";
    return kExitFailure;
}

int UsageError(std::ostream& err, const Command& command) {
    err << "usage: skinpack " << command.usage << "\n";
    return kExitUsage;
}

std::vector<std::uint8_t> ReadInputFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw std::runtime_error("is a folder, not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open for reading");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("read error");
    return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp = path;
    temp += ".skinpack-" + std::to_string(counter++) + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot create a temporary file beside it");
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw std::runtime_error("write error (disk full?)");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        // Some platforms refuse to rename over an existing file: replace it in two steps.
        std::error_code removed;
        std::filesystem::remove(path, removed);
        ec.clear();
        std::filesystem::rename(temp, path, ec);
    }
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw std::runtime_error("cannot replace the file: " + ec.message());
    }
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
    WriteFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace skinpack
