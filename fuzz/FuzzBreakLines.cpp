// The line breaker under any text, any column width and any character widths, including widths
// a careless provider could hand out (negative, on trail bytes, too few or too many): whole
// characters per line, every line advancing, and clean line edges (no closing mark at a line's
// head, no opening mark at its end, where the text leaves a choice).

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

// Whether a line is one character or word and then nothing but closing marks and blanks: it has
// nothing left to send down with a closing mark that would start the next line.
bool NothingToSendDown(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && line[i] == ' ') // a blank skipped after the break before
        ++i;
    if (i < line.size() && CharLength(line, i) == 2)
        i += 2;
    else
        while (i < line.size() && line[i] != ' ' && CharLength(line, i) == 1)
            ++i;
    for (; i < line.size(); i += CharLength(line, i))
        if (line[i] != ' ' && !TTxtFormat::IsClosingMark(line, i)) return false;
    return true;
}

// Blanks at its head aside: a blank skipped after a break is painted on the next line.
bool AllOpeningMarks(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && line[i] == ' ')
        ++i;
    for (; i < line.size(); i += CharLength(line, i))
        if (!TTxtFormat::IsOpeningMark(line, i)) return false;
    return true;
}

// A number that ends a line before a double-byte character switches the closing-mark rule off
// for the rest of the text; without digits it is always on.
bool HasDigit(std::string_view text) {
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        if (text[i] >= '0' && text[i] <= '9') return true;
    return false;
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

    // Line edges: a closing mark (blanks before it aside) starts a line only after a line feed or
    // when the line before had nothing to send down with it; an opening mark ends a line, the
    // last aside, only when the line holds nothing else.
    const bool closingRuleOn = !HasDigit(laidOut);
    size_t begin = 0;
    for (size_t k = 0; k < ends.size(); ++k) {
        const std::string_view line = laidOut.substr(begin, ends[k] - begin);
        if (k > 0 && closingRuleOn) {
            size_t head = 0;
            while (head < line.size() && line[head] == ' ')
                ++head;
            const std::string_view previous =
                laidOut.substr(0, begin).substr(k > 1 ? ends[k - 2] : 0);
            const char before = previous.back();
            if (head < line.size() && TTxtFormat::IsClosingMark(line, head))
                FUZZ_CHECK(before == '\n' || before == '\r' || NothingToSendDown(previous));
        }
        size_t last = 0;
        for (size_t i = 0; i < line.size(); i += CharLength(line, i))
            last = i;
        if (k + 1 < ends.size() && TTxtFormat::IsOpeningMark(line, last))
            FUZZ_CHECK(AllOpeningMarks(line));
        begin = ends[k];
    }

    // A highlighted stretch cut at the lines covers exactly its bytes, line by line.
    const size_t from = length ? data[0] % length : 0;
    const size_t span = size ? data[size - 1] % 64 : 0;
    const auto pieces = TTxtFormat::SplitAtLines(ends, from, span);
    size_t covered = from;
    for (const auto& piece : pieces) {
        FUZZ_CHECK(piece.Begin == covered);
        FUZZ_CHECK(piece.Begin < piece.End);
        FUZZ_CHECK(piece.Line < ends.size() && piece.End <= ends[piece.Line]);
        FUZZ_CHECK(piece.Line == 0 || piece.Begin >= ends[piece.Line - 1]);
        covered = piece.End;
    }
    FUZZ_CHECK(covered == std::min(from + span, length));
    return 0;
}
