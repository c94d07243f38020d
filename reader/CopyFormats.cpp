#include "CopyFormats.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "Markers.h"

namespace orvane {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kOpenQuote = "\xA1\xB0";                            // “
constexpr std::string_view kCloseQuote = "\xA1\xB1(";                          // ”(
constexpr std::string_view kOldTestament = "\xA1\xB6\xBE\xC9\xD4\xBC\xA1\xB7"; // 《旧约》
constexpr std::string_view kNewTestament = "\xA1\xB6\xD0\xC2\xD4\xBC\xA1\xB7"; // 《新约》
constexpr std::string_view kRule = "------------------------------------------";

// Where the text's last character starts. GBK trail bytes overlap the lead and ASCII ranges,
// so the boundary can only be found by walking from the front.
size_t LastCharacterStart(std::string_view text) {
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        last = i;
    return last;
}

// The verse number at the end of a reference: its trailing run of digits.
std::string_view TrailingDigits(std::string_view reference) {
    size_t start = reference.size();
    while (start > 0 && reference[start - 1] >= '0' && reference[start - 1] <= '9')
        --start;
    return reference.substr(start);
}

void AppendQuoted(std::string& out, const TCopyVerse& verse) {
    const std::string_view text = verse.Text;
    const size_t last = LastCharacterStart(text);
    out += kOpenQuote;
    out += text.substr(0, last);
    out += kCloseQuote;
    out += verse.Reference;
    out += ')';
    out += text.substr(last);
}

// The first reference with the last verse's number: "创 1:1-3".
std::string RangeReference(std::span<const TCopyVerse> verses) {
    std::string range = verses.front().Reference;
    range += '-';
    range += TrailingDigits(verses.back().Reference);
    return range;
}

std::string JoinedTexts(std::span<const TCopyVerse> verses) {
    std::string joined;
    for (const TCopyVerse& verse : verses)
        joined += verse.Text;
    return joined;
}

} // namespace

std::string FullReference(int verseLine) {
    int book = -1;
    const int chapter = ChapterOfLine(verseLine, &book);
    if (book < 0) return {};
    return std::string(BookTable[size_t(book)].ShortName) + ' ' +
           std::to_string(ChapterNumber(chapter)) + ':' + std::to_string(VerseNumber(verseLine));
}

TCopyVerse CopyVerseOf(int verseLine) {
    return {FullReference(verseLine), StripMarkers(TBibGlobe::VerseText(verseLine))};
}

std::vector<int> MarkerNumbers(std::string_view text) {
    std::vector<int> numbers;
    for (const TMarker& marker : FindMarkers(text))
        numbers.push_back(marker.Number);
    return numbers;
}

std::string TextOnlyFormat(std::span<const TCopyVerse> verses) {
    std::string out;
    for (const TCopyVerse& verse : verses) {
        out += verse.Text;
        out += kCrLf;
    }
    return out;
}

std::string WritingFormat(std::span<const TCopyVerse> verses) {
    std::string out;
    for (const TCopyVerse& verse : verses) {
        AppendQuoted(out, verse);
        out += kCrLf;
    }
    return out;
}

std::string MoreWritingFormat(std::span<const TCopyVerse> verses) {
    if (verses.empty()) return {};
    std::string out;
    if (verses.size() == 1) {
        AppendQuoted(out, verses.front());
        return out;
    }
    out += kOpenQuote;
    out += JoinedTexts(verses);
    out += kCloseQuote;
    out += RangeReference(verses);
    out += ')';
    out += kCrLf;
    return out;
}

std::string MoreTitleFormat(std::span<const TCopyVerse> verses) {
    if (verses.empty()) return {};
    if (verses.size() == 1) return verses.front().Reference + '\t' + verses.front().Text;
    std::string out = RangeReference(verses);
    out += '\t';
    out += JoinedTexts(verses);
    out += kCrLf;
    return out;
}

std::string CompleteFormat(bool newTestament, std::string_view bookFullName,
                           std::span<const TCopyVerse> verses) {
    std::string out(newTestament ? kNewTestament : kOldTestament);
    out += bookFullName;
    out += ':';
    out += kCrLf;
    for (const TCopyVerse& verse : verses) {
        out += verse.Reference;
        out += '\t';
        out += verse.Text;
        out += kCrLf;
    }
    return out;
}

std::string ChainContentFormat(const TCopyVerse& verse, std::span<const int> markers,
                               std::span<const TChainPaneRow> pane) {
    std::string out = "[" + verse.Reference + "]" + verse.Text;
    out += kCrLf;
    out += kRule;
    out += kCrLf;
    for (const int marker : markers) {
        const std::string number = std::to_string(marker);
        for (const TChainPaneRow& row : pane) {
            if (row.Number != number) continue;
            out += row.Text;
            out += kCrLf;
        }
        out += kCrLf;
    }
    // The last group's empty line would only trail the text.
    if (!markers.empty()) out.resize(out.size() - kCrLf.size());
    return StripMarkers(out);
}

} // namespace orvane
