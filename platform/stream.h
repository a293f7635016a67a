// Streams: the abstract byte stream, an in-memory stream and a file stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Read and Write move at most count bytes and return how many they moved.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t newSize) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
    std::int64_t Remaining() { return Size() - Position(); }

    // All or nothing: a short read raises EReadError, a short write EWriteError.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);

    // Copies count bytes from source's position (count 0: all of source, from its start).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    std::int32_t ReadInt32();
    void WriteInt32(std::int32_t value);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return std::int64_t(data_.size()); }
    void SetSize(std::int64_t newSize) override;

    void Clear();
    std::uint8_t* Memory() { return data_.data(); }
    const std::uint8_t* Memory() const { return data_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return data_; }
    std::vector<std::uint8_t> TakeBytes();

    // Replace the whole content; the position goes back to 0.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::filesystem::path& fileName);
    void SaveToStream(TStream& dest);
    void SaveToFile(const std::filesystem::path& fileName);

private:
    std::vector<std::uint8_t> data_;
    std::int64_t pos_ = 0;
};

enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareDenyWrite = 0x0020,
    fmCreate = 0xFF00,
};

class TFileStream : public TStream {
public:
    // fmCreate makes a new file (or empties an existing one); otherwise the file must exist.
    // A failed open raises EFOpenError, a failed create EFCreateError.
    TFileStream(const std::filesystem::path& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t newSize) override;

private:
    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
};

// Whole-file helpers; both raise the stream errors above.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& fileName);
void WriteFileBytes(const std::filesystem::path& fileName, const void* data, std::size_t size);
