// Streams: the abstract byte stream, an in-memory stream and a file stream.
#include "platform/stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

std::int64_t TStream::Size() {
    const std::int64_t pos = Seek(0, TSeekOrigin::soCurrent);
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count < 0 || Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count < 0 || Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0) throw EReadError("Stream read error");
    std::vector<std::uint8_t> buffer(std::size_t(std::min<std::int64_t>(count, 1 << 16)));
    std::int64_t left = count;
    while (left > 0) {
        const std::int64_t n = std::min<std::int64_t>(left, std::int64_t(buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

std::int32_t TStream::ReadInt32() {
    std::uint8_t b[4];
    ReadBuffer(b, 4);
    return std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                        std::uint32_t(b[3]) << 24);
}

void TStream::WriteInt32(std::int32_t value) {
    const auto v = std::uint32_t(value);
    const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                               std::uint8_t(v >> 24)};
    WriteBuffer(b, 4);
}

// ---- TMemoryStream

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    const std::int64_t size = Size();
    if (count <= 0 || pos_ >= size) return 0;
    const std::int64_t n = std::min(count, size - pos_);
    std::memcpy(buffer, data_.data() + pos_, std::size_t(n));
    pos_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    if (pos_ + count > Size()) data_.resize(std::size_t(pos_ + count));
    std::memcpy(data_.data() + pos_, buffer, std::size_t(count));
    pos_ += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = pos_;
    if (origin == TSeekOrigin::soEnd) base = Size();
    pos_ = std::max<std::int64_t>(0, base + offset);
    return pos_;
}

void TMemoryStream::SetSize(std::int64_t newSize) {
    data_.resize(std::size_t(std::max<std::int64_t>(0, newSize)));
    pos_ = std::min(pos_, Size());
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    pos_ = 0;
}

std::vector<std::uint8_t> TMemoryStream::TakeBytes() {
    pos_ = 0;
    return std::exchange(data_, {});
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    std::vector<std::uint8_t> bytes(std::size_t(source.Size()));
    source.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    data_ = std::move(bytes);
    pos_ = 0;
}

void TMemoryStream::LoadFromFile(const std::filesystem::path& fileName) {
    data_ = ReadFileBytes(fileName);
    pos_ = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) { dest.WriteBuffer(data_.data(), Size()); }

void TMemoryStream::SaveToFile(const std::filesystem::path& fileName) {
    WriteFileBytes(fileName, data_.data(), data_.size());
}

// ---- TFileStream

namespace {
std::FILE* OpenFile(const std::filesystem::path& p, const char* mode) {
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::strlen(mode));
    return _wfopen(p.c_str(), wmode.c_str());
#else
    return std::fopen(p.c_str(), mode);
#endif
}
}  // namespace

TFileStream::TFileStream(const std::filesystem::path& fileName, unsigned mode) : path_(fileName) {
    if (mode == fmCreate) {
        file_ = OpenFile(fileName, "w+b");
        if (!file_) throw EFCreateError("Cannot create file \"" + fileName.string() + "\"");
        return;
    }
    const unsigned access = mode & 3;
    file_ = OpenFile(fileName, access == fmOpenRead ? "rb" : "r+b");
    if (!file_) throw EFOpenError("Cannot open file \"" + fileName.string() + "\"");
}

TFileStream::~TFileStream() {
    if (file_) std::fclose(file_);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    return std::int64_t(std::fread(buffer, 1, std::size_t(count), file_));
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    return std::int64_t(std::fwrite(buffer, 1, std::size_t(count), file_));
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
#ifdef _WIN32
    _fseeki64(file_, offset, whence);
    return _ftelli64(file_);
#else
    fseeko(file_, offset, whence);
    return ftello(file_);
#endif
}

void TFileStream::SetSize(std::int64_t newSize) {
    std::fflush(file_);
    std::error_code ec;
    std::filesystem::resize_file(path_, std::uintmax_t(std::max<std::int64_t>(0, newSize)), ec);
    if (ec) throw EWriteError("Cannot resize file \"" + path_.string() + "\"");
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& fileName) {
    TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
    std::vector<std::uint8_t> bytes(std::size_t(f.Size()));
    f.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    return bytes;
}

void WriteFileBytes(const std::filesystem::path& fileName, const void* data, std::size_t size) {
    TFileStream f(fileName, fmCreate);
    f.WriteBuffer(data, std::int64_t(size));
}
