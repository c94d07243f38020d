#pragma once
// A grid of rows and columns drawn entirely by its owner: the reading window's chapter grid,
// chain-reference pane and search results. Rows have their own heights, the first FixedRows
// rows stay at the top, scrolling is by whole rows with a vertical scroll bar only, and
// selection is always of whole rows (a current row plus a range). Besides the plain grid it
// carries the layout state the reading window keeps per grid (line breaks, marker spots).

#include <QAbstractScrollArea>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvane {

struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// Draw state flags of a cell.
enum TGridDrawStateFlag { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = int;

// A marker ball painted in a row: its top-left corner in grid client coordinates and number.
struct TMarkerSpot {
    int32_t X = 0, Y = 0, Number = 0;
};

class TStringGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);

    int RowCount() const { return int(rowHeights_.size()); }
    void SetRowCount(int rows);
    int ColCount() const { return int(colWidths_.size()); }
    void SetColCount(int cols);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int rows);

    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int height);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    // The current row. Setting it asks the select-cell callback, selects that row alone and
    // scrolls it into view.
    int Row() const { return row_; }
    int Col() const { return std::min(col_, ColCount() - 1); }
    void SetRow(int row);
    const TGridRect& Selection() const { return selection_; }
    void SetSelection(const TGridRect& selection);
    bool IsRowSelected(int row) const;

    // First scrolled (non-fixed) row shown.
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    int VisibleRowCount() const;
    // True when the rows do not all fit, so the scroll bar is shown.
    bool ScrollBarShowing() const;

    // The cell's rectangle in viewport coordinates; empty when the cell is not shown.
    QRect CellRect(int col, int row) const;
    // Column and row at a viewport point; -1 each when outside the cells.
    void MouseToCell(const QPoint& point, int& col, int& row) const;

    const std::string& Cells(int col, int row) const;
    void SetCells(int col, int row, std::string text);
    intptr_t Objects(int col, int row) const;
    void SetObjects(int col, int row, intptr_t value);
    // Empties every cell and object.
    void ClearCells();

    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);

    // Owner callbacks.
    std::function<void(QPainter&, int col, int row, const QRect& rect, TGridDrawState state)>
        OnDrawCell;
    std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void()> OnTopLeftChanged;

    // Layout state of the reading window, kept per grid.
    int32_t WrapWidth = 0;
    bool ReloadPending = false;
    std::vector<std::vector<uint16_t>> LineBreaks;
    std::vector<std::vector<TMarkerSpot>> MarkerSpots;
    int32_t SavedRow = -1;

signals:
    // After the grid's own handling of the event (selection), as the owner's handlers expect.
    void MouseDown(QMouseEvent* event);
    void MouseMoved(QMouseEvent* event);
    void MouseDoubleClicked(QMouseEvent* event);
    void MouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int FixedHeight() const;
    int MaxTopRow() const;
    void UpdateScrollBar();
    // Moves the current row (and the range anchor unless extending); false when vetoed.
    bool MoveCurrent(int row, bool extend);
    void ScrollIntoView(int row);
    int CellIndex(int col, int row) const { return row * ColCount() + col; }

    std::vector<int> rowHeights_;
    std::vector<int> colWidths_;
    std::vector<std::string> cells_;
    std::vector<intptr_t> objects_;
    int fixedRows_ = 0;
    int defaultRowHeight_ = 24;
    int row_ = 0;
    int col_ = 1; // the column last clicked; the text column until then
    int anchor_ = 0;
    int topRow_ = 0;
    TGridRect selection_;
    bool dragging_ = false;
    bool updatingScrollBar_ = false;
    int wheelRemainder_ = 0;
};

} // namespace orvane
