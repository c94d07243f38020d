#pragma once
// The study-note pane of the reading window's bottom pages.

#include <QTextEdit>

namespace orvane {

class TStudyNotePane : public QTextEdit {
public:
    explicit TStudyNotePane(QWidget* parent = nullptr);

    // The study note of a verse line, scrolled to its start; empty for a verse without one
    // or a line outside the text.
    void ShowNote(int verseLine);
};

} // namespace orvane
