#pragma once
// BZip2 compression and decompression streams chained onto another stream. Data moves to and
// from the underlying stream in pieces of 64 KiB. Library failures raise EBZip2Error("error
// <code>"); operations a stream does not offer raise EStreamError("Invalid stream operation").

#include "Streams.h"

#include <bzlib.h>
#include <vector>

namespace orvane {

inline constexpr size_t kBz2PieceSize = 64 * 1024;

// Compresses what is written to it into `dest`. Call Finish() to end the BZip2 stream; the
// destructor finishes too, but swallows errors.
class TBZCompressionStream : public TStream {
public:
    explicit TBZCompressionStream(TStream& dest, int blockSize100k = 9);
    ~TBZCompressionStream() override;
    TBZCompressionStream(const TBZCompressionStream&) = delete;
    TBZCompressionStream& operator=(const TBZCompressionStream&) = delete;

    size_t Read(void* buffer, size_t n) override;
    size_t Write(const void* buffer, size_t n) override;
    // Only the current position (bytes taken in) can be asked for.
    int64_t Seek(int64_t offset, SeekOrigin origin) override;
    void Finish();

private:
    void Pump(int action);

    TStream& dest_;
    bz_stream bz_{};
    std::vector<char> piece_;
    uint64_t taken_ = 0;
    bool finished_ = false;
};

// Decompresses from `source`, starting at the source's position when the stream is created.
class TBZDecompressionStream : public TStream {
public:
    explicit TBZDecompressionStream(TStream& source);
    ~TBZDecompressionStream() override;
    TBZDecompressionStream(const TBZDecompressionStream&) = delete;
    TBZDecompressionStream& operator=(const TBZDecompressionStream&) = delete;

    // Returns fewer bytes than asked only at the end of the BZip2 stream; a source that ends
    // before the stream does raises EBZip2Error(BZ_UNEXPECTED_EOF).
    size_t Read(void* buffer, size_t n) override;
    size_t Write(const void* buffer, size_t n) override;
    // To the start (decompression begins again) or forward (bytes are skipped).
    int64_t Seek(int64_t offset, SeekOrigin origin) override;

private:
    void Start();

    TStream& source_;
    int64_t sourceStart_;
    bz_stream bz_{};
    std::vector<char> piece_;
    uint64_t produced_ = 0;
    bool ended_ = false;
};

} // namespace orvane
