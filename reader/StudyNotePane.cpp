// The "灵修版注释" page: the study note of the current verse, its first paragraph (normally the
// reflection question) standing out.
#include "StudyNotePane.h"

#include "BibGlobe.h"
#include "GbkBridge.h"
#include "ReadingFont.h"
#include "SkinState.h"

#include <QTextBlock>
#include <QTextCursor>

namespace orvane {

TStudyNotePane::TStudyNotePane(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("redtLingXiu"));
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(ReadingFont());
}

void TStudyNotePane::ShowNote(int verseLine) {
    const StringList& notes = TBibGlobe::StudyNotes();
    const std::string note = verseLine >= 0 && size_t(verseLine) < notes.size()
                                 ? notes[size_t(verseLine)]
                                 : std::string();
    // Every field of the note is a paragraph of its own.
    QString text = FromGbk(note);
    text.replace(u'\t', u'\n');
    setPlainText(text);
    if (text.trimmed().isEmpty()) {
        clear();
        return;
    }

    QTextCursor cursor(document());
    QTextCharFormat plain;
    plain.setFontWeight(QFont::Normal);
    plain.setForeground(QColor(Qt::black));
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(plain);
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    cursor.mergeBlockFormat(left);

    // The first paragraph, normally the reflection question, stands out.
    QTextCharFormat emphasis;
    emphasis.setFontWeight(QFont::Bold);
    emphasis.setForeground(SkinIndex != kSkinSystem ? SkinAccentColor() : QColor(Qt::black));
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.setCharFormat(emphasis);

    // One empty line between it and the rest.
    cursor.clearSelection();
    cursor.insertBlock(QTextBlockFormat(), plain);
    cursor.setBlockFormat(left);

    moveCursor(QTextCursor::Start);
    ensureCursorVisible();
}

} // namespace orvane
