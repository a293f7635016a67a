// lzh-pack and lzh-unpack: the packed-stream framing on its own (4-byte size, then the bit stream).
#include "skin/storage/lzh.h"
#include "tools/skinpack/command.h"

namespace {

int LzhPack(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int LzhUnpack(std::span<const std::string> args, std::ostream& out, std::ostream& err);

const skinpack::Command kLzhPack{"lzh-pack", "lzh-pack IN OUT", "pack any file into the packed-stream format",
                                 LzhPack};
const skinpack::Command kLzhUnpack{"lzh-unpack", "lzh-unpack IN OUT", "unpack a packed stream", LzhUnpack};
const skinpack::Registration regPack{kLzhPack};
const skinpack::Registration regUnpack{kLzhUnpack};

int Convert(std::span<const std::string> args, std::ostream& out, std::ostream& err, bool pack) {
    if (args.size() != 2) return skinpack::UsageError(err, pack ? kLzhPack : kLzhUnpack);
    std::vector<std::uint8_t> in;
    try {
        in = skinpack::ReadInputFile(args[0]);
    } catch (const std::exception& e) {
        return skinpack::Fail(err, args[0], e.what());
    }
    std::vector<std::uint8_t> result;
    try {
        result = pack ? LzhPackBytes(in) : LzhUnpackBytes(in);
    } catch (const ElzhException& e) {
        return skinpack::Fail(err, args[0], e.what());
    }
    try {
        skinpack::WriteFileAtomically(args[1], result);
    } catch (const std::exception& e) {
        return skinpack::Fail(err, args[1], e.what());
    }
    out << (pack ? "packed " : "unpacked ") << in.size() << " bytes into " << result.size() << "\n";
    return skinpack::kExitOk;
}

int LzhPack(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return Convert(args, out, err, true);
}

int LzhUnpack(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return Convert(args, out, err, false);
}

}  // namespace
