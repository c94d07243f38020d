#pragma once
// Every section and key of the settings file, in one place: a reader and a writer of the same
// value can never drift apart by a letter. Names match without regard to case in the file, but
// are written as here.

namespace orvane::settings {

// [MAIN]
inline constexpr const char* kMain = "MAIN";
inline constexpr const char* kChapterInfo = "BIB CHAPT INFO"; // saved reading position
inline constexpr const char* kSkinIndex = "SKIN INDEX";       // 0 system look, 1..3 the skins
inline constexpr const char* kEditorVisible = "EDITOR VISIBLE";
inline constexpr const char* kBookMarks = "BOOK MARKS"; // ten verse lines, comma-separated
inline constexpr const char* kNoteWidth = "NOTE WIDTH";
inline constexpr const char* kNoteHeight = "NOTE HEIGHT";
inline constexpr const char* kSplashPicture = "SPLASH PICTURE";
// Where the main window stood at its last close: "left,top,width,height" (the outer corner and
// the window's own size), whether it was maximised, the book tree's width and the bottom pane's
// height in pixels. Absent or unreadable values give the first placement.
inline constexpr const char* kWindowRect = "WINDOW RECT";
inline constexpr const char* kWindowMaximized = "WINDOW MAXIMIZED";
inline constexpr const char* kSplitLeft = "SPLIT LEFT";
inline constexpr const char* kSplitBottom = "SPLIT BOTTOM";
// Points, 9..24; a value that is no number reads as 9, one outside the range as its nearer end.
inline constexpr const char* kReadingFontSize = "READING FONT SIZE";
inline constexpr const char* kShowEnglish = "SHOW ENGLISH"; // 1: English under each verse

// [TABS]: one "caption=1" line per testament tab shown.
inline constexpr const char* kTabs = "TABS";

// [SEARCH KEYS]: "0=", "1=" ... the remembered search keys, newest first.
inline constexpr const char* kSearchKeys = "SEARCH KEYS";

} // namespace orvane::settings
