// The main window's keyboard shortcuts. They are looked at before the focused control sees the
// key (an application-wide filter), so they work wherever the focus is in the reader, the
// writing editor beside it included, while an edit box and the editor keep their own Ctrl+C.
#include "wnMain.h"

#include "wnBook.h"
#include "wnEditor.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace orvane {
namespace {

// The digit a key stands for on the main keys or the keypad, with or without Shift; -1 else.
int DigitOf(const QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
    // Shift+digit on the main keys arrives as the symbol printed above it (US layout).
    static const int shifted[10] = {Qt::Key_ParenRight,  Qt::Key_Exclam,    Qt::Key_At,
                                    Qt::Key_NumberSign,  Qt::Key_Dollar,    Qt::Key_Percent,
                                    Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                    Qt::Key_ParenLeft};
    for (int d = 0; d < 10; ++d)
        if (key == shifted[d]) return d;
    // Shift on the keypad turns the digits into their navigation meanings.
    if (event->modifiers() & Qt::KeypadModifier) {
        static const int keypad[10] = {
            Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Left,
            Qt::Key_Clear,  Qt::Key_Right, Qt::Key_Home, Qt::Key_Up,       Qt::Key_PageUp};
        for (int d = 0; d < 10; ++d)
            if (key == keypad[d]) return d;
    }
    return -1;
}

bool IsEditBox(const QWidget* w) {
    return w && (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
                 (w->parentWidget() && qobject_cast<const QComboBox*>(w->parentWidget())));
}

} // namespace

bool TfmMain::FormShortCut(QKeyEvent* event) {
    if (!fmBook || !loaded_) return false;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const int key = event->key();
    if (!ctrl) {
        switch (key) {
        case Qt::Key_F1:
        case Qt::Key_F11:
            return true;
        case Qt::Key_F4:
            return !(mods & Qt::AltModifier); // Alt+F4 still closes the window
        case Qt::Key_F3:
            fmBook->ToggleFindPanel();
            return true;
        case Qt::Key_F5:
            fmBook->RemarkCurrentVerse();
            return true;
        case Qt::Key_Escape:
            fmBook->ReleaseBalloon();
            return false;
        default:
            return false;
        }
    }
    if (ReadingSizeKey(event)) return true;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (mods & Qt::KeypadModifier && shift) break; // a shifted keypad digit, below
        fmBook->PrevChapter();
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (mods & Qt::KeypadModifier && shift) break;
        fmBook->NextChapter();
        return true;
    case Qt::Key_C: {
        QWidget* focus = QApplication::focusWidget();
        if (IsEditBox(focus) || EditorIsActive()) return false; // the control copies itself
        fmBook->CopySelection();
        return true;
    }
    default:
        break;
    }
    const int digit = DigitOf(event);
    if (digit < 0) return false;
    if (shift)
        fmBook->ToggleBookmark(digit);
    else
        fmBook->FollowBookmark(digit);
    return true;
}

bool TfmMain::ShortcutFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return false;
    // The writing editor is a window of its own; what is typed there while it is the active
    // window is the reader's key all the same. Other windows (dialogs, boxes) keep their keys.
    const QWidget* window = w->window();
    const bool ours =
        window == this ? isActiveWindow() : window == TfmEditor::Instance() && EditorIsActive();
    return ours && FormShortCut(static_cast<QKeyEvent*>(event));
}

} // namespace orvane
