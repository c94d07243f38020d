#pragma once
// The writing editor ("简易编辑框"): a small stay-on-top tool window beside the reading window
// that shows the text of the current verse. From it the user copies the text or a part of it,
// searches the selected words in the scripture, or looks them up with a web search engine.
//
// There is one editor for the program. The reading window creates it on first use (Create),
// owns it and feeds it the current verse while it is shown (FollowVerse); the main window asks
// Showing() for "EDITOR VISIBLE" when it closes. Esc hides the editor; it is never freed before
// its owner.

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QToolBar;
class QToolButton;
class QUrl;

namespace orvane {

class TfmEditor : public QWidget {
    Q_OBJECT
public:
    // The web search: Bing answers Chinese queries well and takes them as /search?q=<text>.
    static constexpr const char* kSearchEngine = "https://cn.bing.com/search?q=";
    static constexpr const char* kSearchEngineName = "必应";
    // The longest address handed to the system.
    static constexpr int kMaxAddressLength = 255;

    explicit TfmEditor(QWidget* owner = nullptr);
    ~TfmEditor() override;

    // The program's editor: the one made last and not yet destroyed, or null.
    static TfmEditor* Instance();
    // The program's editor, made hidden with `owner` as its parent when there is none yet.
    static TfmEditor* Create(QWidget* owner);
    // Whether the editor exists and is on screen.
    static bool Showing();
    // The text box reads in the reader's reading size (points, 9 the default), now and in every
    // editor made later.
    static void SetTextPoints(int points);

    // Shows the text of a verse (markers already stripped) and its byte count.
    void FollowVerse(int verseLine, const QString& text);
    int VerseLine() const { return verseLine_; }
    // Shows the editor near the top right of `readingWindow`: 30 px in from its right edge and
    // 60 px down, kept on the screen.
    void ShowBeside(QWidget* readingWindow);

    // The selection of the text box, line breaks as "\n"; empty when nothing is selected.
    QString SelectedText() const;

    // kSearchEngine followed by `text` percent-encoded as UTF-8. Characters that would take the
    // address beyond kMaxAddressLength bytes are left off, whole characters at a time, so the
    // address never ends inside a character or an escape.
    static QByteArray SearchAddress(const QString& text);

    // Opens an address with the system's handler. An address containing "@" is a mail address
    // and gets "mailto:" in front (unless it already has it). Returns the handler's answer.
    static bool ShellOpen(const QString& address);
    // Replaces the handler ShellOpen uses (QDesktopServices::openUrl); an empty one restores it.
    using UrlOpener = std::function<bool(const QUrl&)>;
    static void SetUrlOpener(UrlOpener opener);

    void tbtnCopyClick();
    void tbtnSearchClick();
    void ToolButton1Click();

    // Searches the scripture for the selected words: connected to the reading window's search.
    std::function<void(const QString&)> OnScriptureSearch;

    QToolBar* ToolBar2 = nullptr;
    QToolButton* tbtnSearch = nullptr;
    QToolButton* ToolButton1 = nullptr; // web search
    QToolButton* tbtnCopy = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;

signals:
    // On every show and hide, so the owner can keep its check mark in line.
    void VisibilityChanged(bool visible);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QToolButton* AddButton(const QIcon& icon, const QString& hint);
    // The selection as one line of search words; empty when nothing but blanks is selected.
    QString SearchWords() const;

    int verseLine_ = -1;
};

} // namespace orvane
