#include "Streams.h"

#include "Errors.h"

#include <algorithm>
#include <cstring>

namespace orvane {

void TStream::ReadBuffer(void* buffer, size_t n) {
    if (n != 0 && Read(buffer, n) != n) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t n) {
    if (n != 0 && Write(buffer, n) != n) throw EStreamError("Stream write error");
}

size_t TMemoryStream::Read(void* buffer, size_t n) {
    const size_t count = pos_ < data_.size() ? std::min(n, data_.size() - pos_) : 0;
    if (count) std::memcpy(buffer, data_.data() + pos_, count);
    pos_ += count;
    return count;
}

size_t TMemoryStream::Write(const void* buffer, size_t n) {
    if (pos_ + n > data_.size()) data_.resize(pos_ + n);
    if (n) std::memcpy(data_.data() + pos_, buffer, n);
    pos_ += n;
    return n;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
    int64_t base = origin == SeekOrigin::Begin     ? 0
                   : origin == SeekOrigin::Current ? static_cast<int64_t>(pos_)
                                                   : static_cast<int64_t>(data_.size());
    pos_ = static_cast<size_t>(std::max<int64_t>(0, base + offset));
    return static_cast<int64_t>(pos_);
}

} // namespace orvane
