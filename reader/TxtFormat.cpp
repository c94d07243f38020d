#include "TxtFormat.h"

#include "Gbk.h"

#include <algorithm>
#include <array>
#include <span>

namespace orvane {
namespace {

// Marks that read badly at the start of a display line (GBK): ， ； 。 ） 」 、 ！ ： ？ 』 ”
constexpr std::array<std::string_view, 11> kClosingMarks = {
    "\xA3\xAC", "\xA3\xBB", "\xA1\xA3", "\xA3\xA9", "\xA1\xB9", "\xA1\xA2",
    "\xA3\xA1", "\xA3\xBA", "\xA3\xBF", "\xA1\xBB", "\xA1\xB1",
};
// Marks that read badly at the end of one: （ 「 『 “ ‘
constexpr std::array<std::string_view, 5> kOpeningMarks = {
    "\xA3\xA8", "\xA1\xB8", "\xA1\xBA", "\xA1\xB0", "\xA1\xAE",
};

enum class EKind : uint8_t { Single, Lead, Trail };

// One breaking pass over one text. Positions are 0-based byte indexes held in int: the text is
// capped at 65535 bytes, and signed arithmetic keeps "the byte before the line" expressible.
class TBreaker {
public:
    TBreaker(std::string_view text, IByteWidths& widths)
        : text_(text), len_(static_cast<int>(text.size())), kind_(text.size()) {
        widths.ByteWidths(text, widths_);
        widths_.resize(text.size(), 0); // a provider that miscounts must not make us read past
        for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
            if (CharLength(text, i) == 2) {
                kind_[i] = EKind::Lead;
                kind_[i + 1] = EKind::Trail;
            }
        }
    }

    std::vector<uint16_t> Run(int width) {
        std::vector<uint16_t> ends;
        while (start_ < len_) {
            if (ends.size() + 1 == TTxtFormat::kMaxLines) {
                ends.push_back(static_cast<uint16_t>(len_));
                break;
            }
            // Measure up to the byte where the line is full, ends, or is cut by a line feed.
            long long sum = 0;
            int b = start_;
            for (;; ++b) {
                sum += widths_[b];
                if (b == len_ - 1 || sum >= width || IsLineFeed(b)) break;
            }
            // The last byte ends the text only if it fits: a closing narrow character that
            // overflows would otherwise stick out of the column and be clipped.
            const bool fits = sum <= width || IsSpace(b) || IsLineFeed(b);
            int end, next;
            if (b == len_ - 1 && fits) {
                end = b;
                next = len_;
            } else if (IsSpace(b)) {
                // The line ends with the space it filled up on, unless a closing mark stands
                // right behind it: then the word before the space goes down with the mark.
                end = b;
                if (!digitStop_ && ClosingMarkStartsLineAfter(b)) end = KeepEdgesClean(b);
                next = end + 1;
            } else if (IsLineFeed(b)) {
                // CR LF is one line end; the next line starts behind it, not on its LF.
                end = (text_[b] == '\r' && IsSingle(b + 1) && text_[b + 1] == '\n') ? b + 1 : b;
                next = end + 1;
            } else {
                end = sum > width ? Overflow(b) : ExactFit(b);
                if (end < start_) end = CharEnd(start_); // a line always takes a character
                end = KeepEdgesClean(end);
                next = end + 1;
                // A space right after the break is painted at the head of the next line but
                // does not count towards its width.
                if (next < len_ && IsSpace(next)) ++next;
            }
            ends.push_back(static_cast<uint16_t>(end + 1));
            start_ = next;
        }
        // Only a skipped space that is the text's last byte can be left over; keeping it on the
        // last line makes the lines cover the whole text.
        if (!ends.empty()) ends.back() = static_cast<uint16_t>(len_);
        return ends;
    }

private:
    bool IsSingle(int i) const { return kind_[i] == EKind::Single; }
    bool IsSpace(int i) const { return IsSingle(i) && text_[i] == ' '; }
    bool IsLineFeed(int i) const { return IsSingle(i) && (text_[i] == '\r' || text_[i] == '\n'); }
    bool IsDigit(int i) const { return IsSingle(i) && text_[i] >= '0' && text_[i] <= '9'; }
    bool IsLetter(int i) const {
        const char c = text_[i];
        return IsSingle(i) && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    }
    bool IsPlainSingle(int i) const { return IsSingle(i) && text_[i] != ' '; }

    int CharEnd(int i) const { return kind_[i] == EKind::Lead ? i + 1 : i; }

    // Where the run ending at x starts, looking no further back than the line's start: a run
    // that reaches it is cut in place all the same (MoveRunDown), and walking on into earlier
    // lines made a long unbroken run cost time in proportion to its length on every line.
    int SingleRunStart(int x) const {
        while (x > start_ && IsSingle(x - 1))
            --x;
        return x;
    }
    int LetterRunStart(int x) const {
        while (x > start_ && IsLetter(x - 1))
            --x;
        return x;
    }

    // A run that must not be split moves to the next line, unless it already starts the line
    // (or began on an earlier one): then it is too long for any line and is cut at keepEnd.
    int MoveRunDown(int runStart, int keepEnd) const {
        return runStart > start_ ? runStart - 1 : keepEnd;
    }

    // The character at b no longer fits; p = b - 1 is the last byte that did.
    int Overflow(int b) {
        const int p = b - 1;
        if (p < start_) return p; // not even the first character fits
        if (kind_[p] == EKind::Lead) return p - 1;
        if (IsLetter(p) && !IsSpace(b)) return MoveRunDown(LetterRunStart(p), p);
        if (IsDigit(p)) {
            if (IsPlainSingle(b)) {
                digitStop_ = false;
                return MoveRunDown(SingleRunStart(p), p);
            }
            if (const int marker = MarkerStartBefore(p, b); marker > start_) return marker - 1;
            digitStop_ = true;
            return p;
        }
        if (IsPlainSingle(p) && IsPlainSingle(b)) return MoveRunDown(SingleRunStart(p), p);
        return p;
    }

    // A chain marker ("`" and its digits) ending at x stands before the word it links, which
    // starts at the double-byte character `next`: the ball must not stay behind at the end of a
    // line while its word begins the next one. Where the marker starts, or -1 when x ends no
    // marker or no double-byte character follows it. Such a break is no number at a line's end,
    // so it leaves digit stop alone.
    int MarkerStartBefore(int x, int next) const {
        if (next >= len_ || kind_[next] != EKind::Lead) return -1;
        int d = x;
        while (d > start_ && IsDigit(d - 1))
            --d;
        const int tick = d - 1;
        return tick >= start_ && IsSingle(tick) && text_[tick] == '`' ? tick : -1;
    }

    // The character at b fills the line exactly; b is not the text's last byte.
    int ExactFit(int b) {
        if (kind_[b] == EKind::Lead) return b + 1;
        if (IsLetter(b) && !IsSpace(b + 1)) return MoveRunDown(LetterRunStart(b), b);
        if (IsDigit(b)) {
            if (IsPlainSingle(b + 1)) {
                digitStop_ = false;
                return MoveRunDown(SingleRunStart(b), b);
            }
            if (const int marker = MarkerStartBefore(b, b + 1); marker > start_) return marker - 1;
            digitStop_ = true;
            return b;
        }
        if (IsPlainSingle(b) && IsPlainSingle(b + 1)) return MoveRunDown(SingleRunStart(b), b);
        return b;
    }

    bool IsMark(int i, std::span<const std::string_view> marks) const {
        if (i < 0 || i + 1 >= len_ || kind_[i] != EKind::Lead) return false;
        return std::find(marks.begin(), marks.end(), text_.substr(i, 2)) != marks.end();
    }
    bool IsClosingMark(int i) const { return IsMark(i, kClosingMarks); }
    bool IsOpeningMark(int i) const { return IsMark(i, kOpeningMarks); }

    // Moves a break that would leave a closing mark at the head of the next line or an opening
    // mark at the tail of this one. A line that would be left empty keeps its end: every line
    // takes at least one character, and then the mark has to stand where it is.
    int KeepEdgesClean(int end) const {
        if (!digitStop_ && ClosingMarkStartsLineAfter(end)) end = PullBackBeforeClosing(end);
        return PullBackBeforeOpening(end);
    }

    // A blank right after the break is painted at the head of the next line and would not hide
    // a closing mark behind it.
    bool ClosingMarkStartsLineAfter(int end) const {
        int i = end + 1;
        while (i < len_ && IsSpace(i))
            ++i;
        return IsClosingMark(i);
    }

    // A run of closing marks goes down together with the character before it: the marks (and
    // blanks among them) that end this line join the one that starts the next, and the
    // character, word, number or marker before them goes down with the run. Stepping back a fixed
    // two bytes there would cut a double-byte character in half or tear a marker from its digits.
    int PullBackBeforeClosing(int end) const {
        int q = end;
        while (q >= start_ && (IsSpace(q) || (kind_[q] == EKind::Trail && IsClosingMark(q - 1))))
            q -= IsSpace(q) ? 1 : 2;
        if (q < start_) return end;
        int unitStart = q;
        if (kind_[q] == EKind::Trail) {
            unitStart = q - 1;
        } else if (IsSingle(q)) {
            while (unitStart > start_ && IsPlainSingle(unitStart - 1))
                --unitStart;
        }
        return unitStart > start_ ? unitStart - 1 : end;
    }

    // Opening marks that end a line go down to the character they open.
    int PullBackBeforeOpening(int end) const {
        int q = end;
        while (q - 1 >= start_ && kind_[q] == EKind::Trail && IsOpeningMark(q - 1))
            q -= 2;
        return q >= start_ && q != end ? q : end;
    }

    std::string_view text_;
    int len_;
    std::vector<int> widths_;
    std::vector<EKind> kind_;
    int start_ = 0; // first byte measured for the current line
    bool digitStop_ = false;
};

} // namespace

std::vector<uint16_t> TTxtFormat::BreakLines(std::string_view text, int width,
                                             IByteWidths& widths) {
    if (text.size() > kMaxTextBytes) {
        size_t cut = 0;
        while (cut < text.size() && cut + CharLength(text, cut) <= kMaxTextBytes)
            cut += CharLength(text, cut);
        text = text.substr(0, cut);
    }
    if (text.empty()) return {};
    return TBreaker(text, widths).Run(width);
}

bool TTxtFormat::IsClosingMark(std::string_view text, size_t i) {
    return CharLength(text, i) == 2 && std::find(kClosingMarks.begin(), kClosingMarks.end(),
                                                 text.substr(i, 2)) != kClosingMarks.end();
}

bool TTxtFormat::IsOpeningMark(std::string_view text, size_t i) {
    return CharLength(text, i) == 2 && std::find(kOpeningMarks.begin(), kOpeningMarks.end(),
                                                 text.substr(i, 2)) != kOpeningMarks.end();
}

std::vector<TTxtFormat::TPiece> TTxtFormat::SplitAtLines(const std::vector<uint16_t>& ends,
                                                         size_t begin, size_t length) {
    std::vector<TPiece> pieces;
    const size_t end = begin + length;
    size_t lineBegin = 0;
    for (size_t k = 0; k < ends.size() && lineBegin < end; ++k) {
        const size_t from = std::max(begin, lineBegin);
        const size_t to = std::min<size_t>(end, ends[k]);
        if (from < to) pieces.push_back({k, from, to});
        lineBegin = ends[k];
    }
    return pieces;
}

} // namespace orvane
