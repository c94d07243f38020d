#pragma once
// The chain-reference page of the reading window's bottom pages: every reference of a chapter,
// group by group, one verse a row. Its cells are painted and its texts broken by the window,
// which does the same for the chapter grid (drawCellWanted, layoutWanted).

#include "StringGrid.h"

#include <QWidget>

#include <vector>

namespace orvane {

class TChainPane : public QWidget {
    Q_OBJECT
public:
    explicit TChainPane(QWidget* parent = nullptr);

    // The list itself: the window's pointer handling, look and copy commands work on it.
    TStringGrid* Grid() const { return sgrdSeriP; }

    // The verses a marker of chapter `chapter` names, in the order the data lists them.
    static std::vector<int> MarkerVerses(int chapter, int marker);

    // The chapter the chapter grid shows; -1 while it shows none. A resize of the page lists
    // that chapter afresh.
    void SetShownChapter(int chapter) { shownChapter_ = chapter; }
    // Lists every reference of chapter `chapterIndex` in the pane, group by group.
    void LoadChainPane(int chapterIndex);
    // The same for the chapter on show.
    void FillChainPane();
    // Lists the chapter it lists again, keeping the current row (after a change of size).
    void ReloadChainPane();
    // Makes current the first row of the group of the verse's first marker; nothing for -1.
    void SelectChainPaneRow(int verseLine);
    // The chapter the pane lists; -1 before the first fill.
    int ListedChapter() const { return chainPaneChapter_; }

signals:
    // Paint one cell of the list the way the chapter grid's cells are painted.
    void drawCellWanted(TStringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                        TGridDrawState state);
    // Break the texts of column 1 for its width and size the rows to them.
    void layoutWanted(TStringGrid* grid);
    // The reader made data row `row` current (0 = the first reference).
    void chainRowSelected(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void tshtSeriPResize();
    void sgrdSeriPTopLeftChanged();
    void sgrdSeriPSelectCell(int col, int row, bool& canSelect);

    TStringGrid* sgrdSeriP = nullptr;
    int chainPaneChapter_ = -1;
    int shownChapter_ = -1;
};

} // namespace orvane
