#pragma once
// The find panel beside the reading window's tool bar (key box, run button, the four scopes)
// and the "搜索结果" page it fills. The window places the panel and adds the page to its
// bottom pages; the panel asks the window for the current book and jumps through it.

#include "StringGrid.h"

#include <QStringList>
#include <QWidget>

#include <string>

class QComboBox;
class QMouseEvent;
class QRadioButton;
class QToolButton;

namespace orvane {

class TfmBook;

class TSearchPanel : public QWidget {
    Q_OBJECT
public:
    TSearchPanel(TfmBook& book, QWidget* parent);

    // The result page (tshtSearchResult) with its list, for the window's bottom pages.
    QWidget* ResultPage() const { return tshtSearchResult; }
    TStringGrid* Grid() const { return sgrdSearchResult; }

    // The remembered search keys, newest first.
    QStringList SearchKeys() const;
    // Reads the remembered keys from the settings; the newest one shows in the key box.
    void SearchKeysLoad();
    // Puts `keys` into the key box and runs the search, as the run button does.
    void RunSearch(const QString& keys);
    // Gives the key box the focus.
    void FocusKeyBox();
    // True when the result list holds no result: one row whose text is blank.
    bool SearchResultEmpty() const;
    // The key text of the last search (GBK, full-width spaces folded, untrimmed); the result
    // list highlights its keys. Empty until the first search that had a key text.
    const std::string& SearchedText() const { return searchedText_; }
    // The result list follows the page's width and the reading size; only while it shows.
    void tshtSearchResultResize();

signals:
    // Break the texts of column 1 for its width and size the rows to them.
    void layoutWanted(TStringGrid* grid);

private:
    friend class TfmBookProbe;

    void sbtnExeSearchClick();
    void sgrdSearchResultDrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                                  TGridDrawState state);
    void sgrdSearchResultDblClick(QMouseEvent* event);

    TfmBook& book_;
    QComboBox* cbxKeyText = nullptr;
    QToolButton* sbtnExeSearch = nullptr;
    QRadioButton* RadioButton1 = nullptr; // "本段"
    QRadioButton* RadioButton2 = nullptr; // "本章"
    QRadioButton* RadioButton3 = nullptr; // "本篇"
    QRadioButton* RadioButton4 = nullptr; // "全部"
    QWidget* tshtSearchResult = nullptr;
    TStringGrid* sgrdSearchResult = nullptr;
    std::string searchedText_;
};

} // namespace orvane
