#pragma once
// The personal notes and the bookmarks as one Markdown document, to be read, printed or kept
// outside the reader. The reader's export command and the command-line tool both build it here,
// so the two give the same text byte for byte.
//
// The document, in GBK like every text of the core (the callers turn it into UTF-8):
//
//   # 批注
//   ## <full book name>                      one per book that has notes, in Bible order
//   ### <full book name> <chapter>:<verse>   one per note, in verse order
//   > <verse text, markers removed>
//   <the note, one line per line of the note>
//   ## 书签                                  only when a bookmark is set
//   ### 书签 <slot>：<full reference>        per set slot, 0 to 9
//   > <verse text>
//
// Blocks are separated by an empty line and the document ends with one line end. Characters
// that would turn the user's words into markup (emphasis, links, headings, lists ...) are
// escaped with a backslash, so every note reads back exactly as typed.

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

class TNotesStore;

struct TNoteEntry {
    int VerseLine = 0;
    std::string Text; // as stored: GBK, each line break a TAB
};

// The raw text of a verse line (markers included), "" when there is none.
using VerseTextSource = std::function<std::string(int verseLine)>;

// Every note the store shows the reader, in verse-line order: for each verse, the journal's
// line before the notes file's, a cleared note left out. Throws std::runtime_error, as the
// store does, when a file exists but cannot be read.
std::vector<TNoteEntry> CollectNotes(TNotesStore& store);

// "创世记 1:1": full book name, a blank, chapter, ":", verse. Empty for a line outside the text.
std::string FullBookReference(int verseLine);

// The document of the notes (any order; sorted here, a verse named twice keeps its first
// entry) and of the ten bookmark slots (a verse line each, or -1). Notes and bookmarks outside
// the text, and notes holding nothing but blanks and line breaks, are left out.
std::string NotesMarkdown(std::vector<TNoteEntry> notes, std::span<const int> bookmarks,
                          const VerseTextSource& verseText);

// Text as Markdown shows it literally: ASCII punctuation that Markdown reads as markup gets a
// backslash, walking GBK characters so that a trail byte in the ASCII range is never touched.
// With `lineStart`, also what only opens a block there (#, +, -, =, "1." ...).
std::string EscapeMarkdown(std::string_view text, bool lineStart);

} // namespace orvane
