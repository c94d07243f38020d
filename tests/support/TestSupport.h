#pragma once
// What every Qt test shares: the reader's faces, pictures written only where ORVANE_SHOT_DIR
// says, and input delivered as a display delivers it, to the widget that has the focus (a key
// sent to an inner widget can pass a test while a person's key never reaches it).

#include "Faces.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <QtTest>

namespace orvane::test {

inline void PrepareFonts() {
    SubstituteFaces();
}

// Writes the picture as NAME.png into $ORVANE_SHOT_DIR; without it, writes nothing.
inline void SaveShot(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("ORVANE_SHOT_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
inline void SaveShot(QWidget* widget, const QString& name) {
    if (qEnvironmentVariableIsSet("ORVANE_SHOT_DIR")) SaveShot(widget->grab().toImage(), name);
}

// The widget keys go to now; the window's own focus when the application has none yet (an
// offscreen window may not have been activated).
inline QWidget* FocusTarget(QWidget* window) {
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    if (window && window->focusWidget()) return window->focusWidget();
    return window;
}

inline void KeyToFocus(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(FocusTarget(window), key, modifiers);
}
inline void TypeToFocus(QWidget* window, const QString& text) {
    QTest::keyClicks(FocusTarget(window), text);
}

// For input meant for an inner widget: fails unless `widget` is where keys go now, then
// delivers the input there as above.
inline QString FocusMismatch(QWidget* widget) {
    const QWidget* target = FocusTarget(widget->window());
    if (target == widget) return {};
    return QStringLiteral("the focus is on a %1, not on the %2")
        .arg(QString::fromLatin1(target ? target->metaObject()->className() : "nothing"),
             QString::fromLatin1(widget->metaObject()->className()));
}
inline void KeyToFocused(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    const QString wrong = FocusMismatch(widget);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QTest::keyClick(widget, key, modifiers);
}
inline void TypeToFocused(QWidget* widget, const QString& text) {
    const QString wrong = FocusMismatch(widget);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QTest::keyClicks(widget, text);
}

} // namespace orvane::test
