#include "NotesMarkdown.h"

#include "Addressing.h"
#include "BookTables.h"
#include "Gbk.h"
#include "Markers.h"
#include "NotesStore.h"

#include <algorithm>

namespace orvane {
namespace {

// The document's own words.
struct TTexts {
    std::string Title = Utf8ToGbk("批注");
    std::string NoNotes = Utf8ToGbk("没有批注。");
    std::string Bookmarks = Utf8ToGbk("书签");
    std::string SlotSeparator = Utf8ToGbk("：");
};

const TTexts& Texts() {
    static const TTexts texts;
    return texts;
}

bool InText(int verseLine) {
    return verseLine >= 0 && verseLine <= kLastVerseLine;
}

// Inline markup anywhere in a line: emphasis, code, links, raw HTML and entities, tables,
// strike-through, and the backslash itself.
bool IsInlineMarkup(char c) {
    return std::string_view("\\`*_[]<>|~&").find(c) != std::string_view::npos;
}

// What opens a block only at a line's start: headings, lists, setext underlines, rules.
bool IsBlockOpener(char c) {
    return c == '#' || c == '+' || c == '-' || c == '=';
}

// The lines of a stored note: split at its TABs, each trimmed of blanks; empty lines at either
// end dropped and runs of them kept as one, which is all a paragraph break can say.
std::vector<std::string_view> NoteLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t begin = 0;
    for (;;) {
        const size_t tab = text.find('\t', begin);
        const std::string_view line =
            TrimBlanks(text.substr(begin, tab == std::string_view::npos ? tab : tab - begin));
        if (!line.empty() || (!lines.empty() && !lines.back().empty())) lines.push_back(line);
        if (tab == std::string_view::npos) break;
        begin = tab + 1;
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

void AppendBlock(std::string& out, std::string_view block) {
    out.append(block).append("\n\n");
}

void AppendQuote(std::string& out, const VerseTextSource& verseText, int verseLine) {
    const std::string text(TrimBlanks(StripMarkers(verseText ? verseText(verseLine) : "")));
    // The verses the translation merges into the one before are empty: no quote at all.
    if (!text.empty()) AppendBlock(out, "> " + EscapeMarkdown(text, true));
}

void AppendNote(std::string& out, const std::vector<std::string_view>& lines) {
    std::string block;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            block += '\n'; // the line before ended the paragraph without a hard break
            continue;
        }
        block += EscapeMarkdown(lines[i], true);
        // A backslash at a line's end is a hard line break; none before a paragraph break.
        if (i + 1 < lines.size() && !lines[i + 1].empty()) block += '\\';
        if (i + 1 < lines.size()) block += '\n';
    }
    AppendBlock(out, block);
}

} // namespace

std::vector<TNoteEntry> CollectNotes(TNotesStore& store) {
    std::vector<TNoteEntry> notes;
    for (int line = 0; line <= kLastVerseLine; ++line) {
        std::string text = store.GetNote(line);
        if (!text.empty()) notes.push_back({line, std::move(text)});
    }
    return notes;
}

std::string FullBookReference(int verseLine) {
    if (!InText(verseLine)) return {};
    int book = 0;
    const int chapter = ChapterOfLine(verseLine, &book);
    return std::string(BookTable[size_t(book)].FullName) + ' ' +
           std::to_string(ChapterNumber(chapter)) + ':' + std::to_string(VerseNumber(verseLine));
}

std::string EscapeMarkdown(std::string_view text, bool lineStart) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    // An ordered list opens with digits and "." or ")"; escaping that mark keeps the number.
    size_t digits = 0;
    if (lineStart)
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
    for (size_t i = 0; i < text.size();) {
        const size_t length = CharLength(text, i);
        if (length == 1) {
            const char c = text[i];
            const bool opener =
                lineStart && ((i == 0 && IsBlockOpener(c)) ||
                              (digits > 0 && i == digits && (c == '.' || c == ')')));
            if (opener || IsInlineMarkup(c)) out += '\\';
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string NotesMarkdown(std::vector<TNoteEntry> notes, std::span<const int> bookmarks,
                          const VerseTextSource& verseText) {
    const TTexts& texts = Texts();
    std::stable_sort(notes.begin(), notes.end(), [](const TNoteEntry& a, const TNoteEntry& b) {
        return a.VerseLine < b.VerseLine;
    });
    notes.erase(std::unique(notes.begin(), notes.end(),
                            [](const TNoteEntry& a, const TNoteEntry& b) {
                                return a.VerseLine == b.VerseLine;
                            }),
                notes.end());

    std::string out;
    AppendBlock(out, "# " + texts.Title);
    int shownBook = -1;
    bool any = false;
    for (const TNoteEntry& note : notes) {
        if (!InText(note.VerseLine)) continue;
        const std::vector<std::string_view> lines = NoteLines(note.Text);
        if (lines.empty()) continue;
        any = true;
        const int book = BookOfLine(note.VerseLine);
        if (book != shownBook) {
            AppendBlock(out, "## " + EscapeMarkdown(BookTable[size_t(book)].FullName, false));
            shownBook = book;
        }
        AppendBlock(out, "### " + EscapeMarkdown(FullBookReference(note.VerseLine), false));
        AppendQuote(out, verseText, note.VerseLine);
        AppendNote(out, lines);
    }
    if (!any) AppendBlock(out, texts.NoNotes);

    bool heading = false;
    for (size_t slot = 0; slot < bookmarks.size(); ++slot) {
        const int line = bookmarks[slot];
        if (!InText(line)) continue;
        if (!heading) AppendBlock(out, "## " + texts.Bookmarks);
        heading = true;
        AppendBlock(out, "### " + texts.Bookmarks + ' ' + std::to_string(slot) +
                             texts.SlotSeparator + EscapeMarkdown(FullBookReference(line), false));
        AppendQuote(out, verseText, line);
    }
    out.pop_back(); // one line end after the last block, not two
    return out;
}

} // namespace orvane
