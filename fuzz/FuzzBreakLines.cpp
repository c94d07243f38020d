// The line breaker under any text, any column width and any character widths, including widths
// a careless provider could hand out (negative, on trail bytes, too few or too many).

#include "FuzzCheck.h"
#include "Gbk.h"
#include "TxtFormat.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>

using namespace orvane;

namespace {

class TRandomWidths final : public IByteWidths {
public:
    TRandomWidths(std::vector<int> table, bool keepContract, int sizeSkew)
        : table_(std::move(table)), keepContract_(keepContract), sizeSkew_(sizeSkew) {}

    void ByteWidths(std::string_view gbk, std::vector<int>& out) override {
        out.assign(gbk.size(), 0);
        for (size_t i = 0; i < gbk.size(); ++i)
            out[i] = table_.empty()
                         ? 0
                         : table_[(static_cast<unsigned char>(gbk[i]) + i) % table_.size()];
        if (keepContract_) {
            for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i)) {
                out[i] = std::max(out[i], 0);
                if (CharLength(gbk, i) == 2) out[i + 1] = 0;
            }
        } else if (sizeSkew_ != 0) {
            out.resize(static_cast<size_t>(
                           std::max<long long>(0, static_cast<long long>(out.size()) + sizeSkew_)),
                       7);
        }
    }

private:
    std::vector<int> table_;
    bool keepContract_;
    int sizeSkew_;
};

// Length of the text the breaker lays out: whole characters up to kMaxTextBytes.
size_t LaidOutLength(std::string_view text) {
    size_t cut = 0;
    while (cut < text.size() && cut + CharLength(text, cut) <= TTxtFormat::kMaxTextBytes)
        cut += CharLength(text, cut);
    return cut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int width =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(-20, 2000) : in.ConsumeIntegral<int>();
    const int mode = in.ConsumeIntegralInRange(0, 2);
    const bool huge = in.ConsumeIntegralInRange(0, 15) == 0; // repeat the text past the 16-bit cap
    std::unique_ptr<IByteWidths> widths;
    if (mode == 0) {
        const int wide = in.ConsumeIntegralInRange(0, 40);
        const int narrow = in.ConsumeIntegralInRange(0, 40);
        widths = std::make_unique<TFixedWidths>(wide, narrow);
    } else {
        std::vector<int> table(in.ConsumeIntegralInRange<size_t>(1, 16));
        for (int& w : table)
            w = in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 30) : in.ConsumeIntegral<int>() / 4;
        const int skew = in.ConsumeIntegralInRange(-3, 3);
        widths = std::make_unique<TRandomWidths>(std::move(table), mode == 1, skew);
    }
    std::string text = in.ConsumeRemainingBytesAsString();
    if (huge && !text.empty())
        while (text.size() <= TTxtFormat::kMaxTextBytes + 1)
            text += text;

    const std::vector<uint16_t> ends = TTxtFormat::BreakLines(text, width, *widths);
    const size_t length = LaidOutLength(text);
    FUZZ_CHECK(ends.empty() == (length == 0));
    if (ends.empty()) return 0;
    FUZZ_CHECK(ends.size() <= TTxtFormat::kMaxLines);
    FUZZ_CHECK(ends.front() >= 1);
    for (size_t k = 1; k < ends.size(); ++k)
        FUZZ_CHECK(ends[k] > ends[k - 1]);
    FUZZ_CHECK(ends.back() == length);
    // Every line holds whole characters: no end falls between a lead byte and its trail byte.
    const std::string_view laidOut(text.data(), length);
    std::vector<bool> boundary(length + 1, false);
    for (size_t i = 0; i < length; i += CharLength(laidOut, i))
        boundary[i] = true;
    boundary[length] = true;
    for (uint16_t end : ends)
        FUZZ_CHECK(boundary[end]);

    // A highlighted stretch cut at the lines covers exactly its bytes, line by line.
    const size_t begin = length ? data[0] % length : 0;
    const size_t span = size ? data[size - 1] % 64 : 0;
    const auto pieces = TTxtFormat::SplitAtLines(ends, begin, span);
    size_t covered = begin;
    for (const auto& piece : pieces) {
        FUZZ_CHECK(piece.Begin == covered);
        FUZZ_CHECK(piece.Begin < piece.End);
        FUZZ_CHECK(piece.Line < ends.size() && piece.End <= ends[piece.Line]);
        FUZZ_CHECK(piece.Line == 0 || piece.Begin >= ends[piece.Line - 1]);
        covered = piece.End;
    }
    FUZZ_CHECK(covered == std::min(begin + span, length));
    return 0;
}
