#include "Bz2Streams.h"

#include "Errors.h"

#include <algorithm>

namespace orvane {
namespace {
int Check(int result) {
    if (result < 0) throw EBZip2Error(result);
    return result;
}
} // namespace

// --- compression -------------------------------------------------------------------------

TBZCompressionStream::TBZCompressionStream(TStream& dest, int blockSize100k)
    : dest_(dest), piece_(kBz2PieceSize) {
    Check(BZ2_bzCompressInit(&bz_, blockSize100k, 0, 0));
}

TBZCompressionStream::~TBZCompressionStream() {
    try {
        Finish();
    } catch (...) {
        // The owner that cares about errors calls Finish() itself.
    }
    BZ2_bzCompressEnd(&bz_);
}

size_t TBZCompressionStream::Read(void*, size_t) {
    throw EStreamError("Invalid stream operation");
}

void TBZCompressionStream::Pump(int action) {
    while (true) {
        bz_.next_out = piece_.data();
        bz_.avail_out = static_cast<unsigned>(piece_.size());
        const int r = Check(BZ2_bzCompress(&bz_, action));
        const size_t produced = piece_.size() - bz_.avail_out;
        dest_.WriteBuffer(piece_.data(), produced);
        if (action == BZ_RUN ? bz_.avail_in == 0 : r == BZ_STREAM_END) return;
    }
}

size_t TBZCompressionStream::Write(const void* buffer, size_t n) {
    if (finished_) throw EStreamError("Invalid stream operation");
    const char* p = static_cast<const char*>(buffer);
    size_t left = n;
    while (left > 0) {
        const size_t chunk = std::min(left, kBz2PieceSize);
        bz_.next_in = const_cast<char*>(p);
        bz_.avail_in = static_cast<unsigned>(chunk);
        Pump(BZ_RUN);
        p += chunk;
        left -= chunk;
    }
    taken_ += n;
    return n;
}

int64_t TBZCompressionStream::Seek(int64_t offset, SeekOrigin origin) {
    if (offset == 0 && origin == SeekOrigin::Current) return static_cast<int64_t>(taken_);
    throw EStreamError("Invalid stream operation");
}

void TBZCompressionStream::Finish() {
    if (finished_) return;
    finished_ = true;
    bz_.next_in = nullptr;
    bz_.avail_in = 0;
    Pump(BZ_FINISH);
}

// --- decompression -----------------------------------------------------------------------

TBZDecompressionStream::TBZDecompressionStream(TStream& source)
    : source_(source), sourceStart_(source.Position()), piece_(kBz2PieceSize) {
    Start();
}

TBZDecompressionStream::~TBZDecompressionStream() {
    BZ2_bzDecompressEnd(&bz_);
}

void TBZDecompressionStream::Start() {
    bz_ = bz_stream{};
    Check(BZ2_bzDecompressInit(&bz_, 0, 0));
    produced_ = 0;
    ended_ = false;
}

size_t TBZDecompressionStream::Read(void* buffer, size_t n) {
    if (ended_ || n == 0) return 0;
    bz_.next_out = static_cast<char*>(buffer);
    // bz_stream counts in unsigned int: hand out at most 1 GiB per call.
    const size_t asked = std::min<size_t>(n, size_t(1) << 30);
    bz_.avail_out = static_cast<unsigned>(asked);
    while (bz_.avail_out > 0) {
        if (bz_.avail_in == 0) {
            const size_t got = source_.Read(piece_.data(), piece_.size());
            if (got == 0) throw EBZip2Error(BZ_UNEXPECTED_EOF);
            bz_.next_in = piece_.data();
            bz_.avail_in = static_cast<unsigned>(got);
        }
        if (Check(BZ2_bzDecompress(&bz_)) == BZ_STREAM_END) {
            ended_ = true;
            break;
        }
    }
    const size_t done = asked - bz_.avail_out;
    produced_ += done;
    return done;
}

size_t TBZDecompressionStream::Write(const void*, size_t) {
    throw EStreamError("Invalid stream operation");
}

int64_t TBZDecompressionStream::Seek(int64_t offset, SeekOrigin origin) {
    int64_t target = origin == SeekOrigin::Begin     ? offset
                     : origin == SeekOrigin::Current ? static_cast<int64_t>(produced_) + offset
                                                     : -1;
    if (target == 0 && produced_ != 0) {
        BZ2_bzDecompressEnd(&bz_);
        source_.Seek(sourceStart_, SeekOrigin::Begin);
        Start();
        return 0;
    }
    if (target < static_cast<int64_t>(produced_)) throw EStreamError("Invalid stream operation");
    char sink[4096];
    while (static_cast<int64_t>(produced_) < target) {
        const size_t step = static_cast<size_t>(
            std::min<int64_t>(sizeof sink, target - static_cast<int64_t>(produced_)));
        if (Read(sink, step) != step) throw EStreamError("Stream read error");
    }
    return static_cast<int64_t>(produced_);
}

} // namespace orvane
