#include "TApplication.h"

#include "MsgBox.h"
#include "wnAncestor.h"

#include <QStringList>
#include <QWidget>

#include <exception>

namespace orvane {

namespace {

TApplication::Reporter& ReporterSlot() {
    static TApplication::Reporter reporter;
    return reporter;
}

QStringList& Pending() {
    static QStringList messages;
    return messages;
}

bool& Showing() {
    static bool showing = false;
    return showing;
}

void ShowBox(const QString& message) {
    if (const TApplication::Reporter& reporter = ReporterSlot()) {
        reporter(message);
        return;
    }
    QWidget* owner = QApplication::activeWindow();
    if (!owner) owner = TfmAncestor::MainForm();
    TMsgBox::Error(owner, message);
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        // Our exception texts are ASCII or UTF-8; GBK text is converted before it goes into one.
        ReportError(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportError(QStringLiteral("未知错误"));
    }
    return true;
}

void TApplication::SetReporter(Reporter reporter) {
    ReporterSlot() = std::move(reporter);
}

void TApplication::ReportError(const QString& message) {
    Pending() << message;
    ShowPending();
}

void TApplication::ShowPending() {
    // The box runs its own event loop; an error raised inside it waits for this one to close
    // rather than stacking boxes on top of each other.
    if (Showing()) return;
    Showing() = true;
    while (!Pending().isEmpty()) {
        const QString message = Pending().takeFirst();
        try {
            ShowBox(message);
        } catch (...) {
            // Nothing sensible is left to report to.
        }
    }
    Showing() = false;
}

} // namespace orvane
