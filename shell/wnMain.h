#pragma once
// The main window. For now it loads the scripture and shows the saved chapter as plain text;
// the reading window with its grid, tree and tabs takes its place.

#include <QMainWindow>

class QLabel;
class QPlainTextEdit;

namespace orvane {

class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(QWidget* parent = nullptr);
    // False when the embedded scripture could not be opened (the user has been told).
    bool ScriptureLoaded() const { return loaded_; }

private:
    void ShowChapterOf(int verseLine);

    QPlainTextEdit* text_ = nullptr;
    QLabel* dailyVerse_ = nullptr;
    bool loaded_ = false;
};

} // namespace orvane
