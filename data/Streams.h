#pragma once
// A small stream family: the container code reads and writes through these, so the BZip2
// streams can be chained onto a memory stream or onto each other.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

enum class SeekOrigin { Begin, Current, End };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to n bytes; returns how many were read (0 at the end).
    virtual size_t Read(void* buffer, size_t n) = 0;
    virtual size_t Write(const void* buffer, size_t n) = 0;
    virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, SeekOrigin::Current); }
    // Exactly n bytes or EStreamError("Stream read error").
    void ReadBuffer(void* buffer, size_t n);
    // All n bytes or EStreamError("Stream write error").
    void WriteBuffer(const void* buffer, size_t n);
};

// A stream over a growable byte buffer.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t n) override;
    size_t Write(const void* buffer, size_t n) override;
    int64_t Seek(int64_t offset, SeekOrigin origin) override;

    void Clear() {
        data_.clear();
        pos_ = 0;
    }
    size_t Size() const { return data_.size(); }
    const std::string& Bytes() const { return data_; }
    std::string& Bytes() { return data_; }
    // Replaces the whole content and rewinds.
    void Assign(std::string bytes) {
        data_ = std::move(bytes);
        pos_ = 0;
    }

private:
    std::string data_;
    size_t pos_ = 0;
};

} // namespace orvane
