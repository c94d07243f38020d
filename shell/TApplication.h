#pragma once
// The reader's application object. It is the barrier for errors nobody expected: an exception
// that leaves an event handler (a refused settings write, a corrupt resource) is shown in the
// standard error box "错误" with its message, and the program goes on with the next event
// instead of ending.

#include <QApplication>

#include <functional>

namespace orvane {

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // How the message reaches the user (TMsgBox::Error on the active window by default); a test
    // can look at it instead. An empty reporter restores the default.
    using Reporter = std::function<void(const QString& message)>;
    static void SetReporter(Reporter reporter);

    // Shows `message` as the error box would; errors that arrive while a box is up are shown
    // one after another once it is closed, none is dropped.
    static void ReportError(const QString& message);

private:
    static void ShowPending();
};

} // namespace orvane
