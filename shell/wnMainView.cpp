// The reading size and the English rows in the "视图" menu and on the keyboard. The reading
// window does the work and keeps the settings; the main window offers the commands and passes
// the size on to the writing editor.
#include "wnMain.h"

#include "ReadingSize.h"
#include "wnBook.h"
#include "wnEditor.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace orvane {

void TfmMain::CreateReadingView() {
    auto item = [this](const char* name, const QString& caption, const QKeySequence& keys) {
        QAction* a = miView->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(keys);
        // Shown in the menu only: the keys themselves go through FormShortCut, which also
        // serves them while the writing editor is the active window.
        a->setShortcutContext(Qt::WidgetShortcut);
        return a;
    };
    miView->addSeparator();
    miZoomIn = item("miZoomIn", QStringLiteral("放大"), QKeySequence(Qt::CTRL | Qt::Key_Equal));
    miZoomOut = item("miZoomOut", QStringLiteral("缩小"), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    miZoomDefault =
        item("miZoomDefault", QStringLiteral("默认大小"), QKeySequence(Qt::CTRL | Qt::Key_0));
    miView->addSeparator();
    miEnglish = item("miEnglish", QStringLiteral("中英对照"), QKeySequence());
    miEnglish->setCheckable(true);

    auto resize = [this](int points) {
        if (fmBook->SetReadingSize(points)) ReadingSizeChanged();
    };
    connect(miZoomIn, &QAction::triggered, this,
            [this, resize] { resize(fmBook->ReadingSize() + 1); });
    connect(miZoomOut, &QAction::triggered, this,
            [this, resize] { resize(fmBook->ReadingSize() - 1); });
    connect(miZoomDefault, &QAction::triggered, this, [resize] { resize(kDefaultReadingSize); });
    connect(miEnglish, &QAction::triggered, this, [this](bool on) { fmBook->SetShowEnglish(on); });
    connect(fmBook, &TfmBook::readingSizeChanged, this, &TfmMain::ReadingSizeChanged);

    fmBook->ReadingSettingsLoad();
    miEnglish->setChecked(fmBook->ShowEnglish());
    ReadingSizeChanged();
}

void TfmMain::ReadingSizeChanged() {
    const int points = fmBook->ReadingSize();
    miZoomIn->setEnabled(points < kMaxReadingSize);
    miZoomOut->setEnabled(points > kMinReadingSize);
    miZoomDefault->setEnabled(points != kDefaultReadingSize);
    TfmEditor::SetTextPoints(points);
}

bool TfmMain::ReadingSizeKey(QKeyEvent* event) {
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int points = fmBook->ReadingSize();
    int wanted = points;
    if (key == Qt::Key_Equal || key == Qt::Key_Plus) {
        wanted = points + 1;
    } else if (key == Qt::Key_Minus && !shift) {
        wanted = points - 1;
    } else if (key == Qt::Key_0 && !shift) {
        // Ctrl+0 also follows bookmark 0: at the default size there is nothing to reset, and
        // the key keeps that older meaning, so a reader who never changes the size loses
        // nothing.
        if (points == kDefaultReadingSize) return false;
        wanted = kDefaultReadingSize;
    } else {
        return false;
    }
    // At either end of the range the key is spent all the same.
    if (fmBook->SetReadingSize(wanted)) ReadingSizeChanged();
    return true;
}

} // namespace orvane
