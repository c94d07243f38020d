#include "StringGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace orvane {

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    SetColCount(1);
    SetRowCount(1);
}

void TStringGrid::SetRowCount(int rows) {
    rows = std::max(rows, 1);
    const int cols = ColCount();
    rowHeights_.resize(size_t(rows), defaultRowHeight_);
    cells_.resize(size_t(rows) * size_t(cols));
    objects_.resize(size_t(rows) * size_t(cols));
    if (fixedRows_ >= rows) fixedRows_ = rows - 1;
    row_ = std::clamp(row_, fixedRows_, rows - 1);
    anchor_ = std::clamp(anchor_, fixedRows_, rows - 1);
    selection_ = {0, std::min(row_, anchor_), std::max(0, cols - 1), std::max(row_, anchor_)};
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    UpdateScrollBar();
    viewport()->update();
}

void TStringGrid::SetColCount(int cols) {
    cols = std::max(cols, 1);
    const int old = ColCount();
    if (cols == old) return;
    // Cells are stored row by row: re-lay them for the new column count.
    std::vector<std::string> cells(size_t(RowCount()) * size_t(cols));
    std::vector<intptr_t> objects(cells.size());
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < std::min(cols, old); ++c) {
            cells[size_t(r * cols + c)] = std::move(cells_[size_t(r * old + c)]);
            objects[size_t(r * cols + c)] = objects_[size_t(r * old + c)];
        }
    cells_ = std::move(cells);
    objects_ = std::move(objects);
    colWidths_.resize(size_t(cols), 64);
    selection_.Right = cols - 1;
    viewport()->update();
}

void TStringGrid::SetFixedRows(int rows) {
    fixedRows_ = std::clamp(rows, 0, RowCount() - 1);
    row_ = std::max(row_, fixedRows_);
    anchor_ = std::max(anchor_, fixedRows_);
    topRow_ = std::max(topRow_, fixedRows_);
    selection_ = {0, std::min(row_, anchor_), ColCount() - 1, std::max(row_, anchor_)};
    UpdateScrollBar();
    viewport()->update();
}

void TStringGrid::SetDefaultRowHeight(int height) {
    defaultRowHeight_ = std::max(height, 1);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
    UpdateScrollBar();
    viewport()->update();
}

int TStringGrid::RowHeight(int row) const {
    return row >= 0 && row < RowCount() ? rowHeights_[size_t(row)] : defaultRowHeight_;
}

void TStringGrid::SetRowHeight(int row, int height) {
    if (row < 0 || row >= RowCount()) return;
    rowHeights_[size_t(row)] = std::max(height, 0);
    UpdateScrollBar();
    viewport()->update();
}

int TStringGrid::ColWidth(int col) const {
    return col >= 0 && col < ColCount() ? colWidths_[size_t(col)] : 0;
}

void TStringGrid::SetColWidth(int col, int width) {
    if (col < 0 || col >= ColCount()) return;
    colWidths_[size_t(col)] = std::max(width, 0);
    viewport()->update();
}

bool TStringGrid::MoveCurrent(int row, bool extend) {
    row = std::clamp(row, fixedRows_, RowCount() - 1);
    if (row < fixedRows_) return false; // a grid of fixed rows only
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(std::min(col_, ColCount() - 1), row, canSelect);
    if (!canSelect) return false;
    const TGridRect before = selection_;
    const int old = row_;
    row_ = row;
    if (!extend) anchor_ = row;
    selection_ = {0, std::min(row_, anchor_), ColCount() - 1, std::max(row_, anchor_)};
    ScrollIntoView(row);
    if (selection_ != before || old != row_) viewport()->update();
    return true;
}

void TStringGrid::SetRow(int row) {
    MoveCurrent(row, false);
}

void TStringGrid::SetSelection(const TGridRect& selection) {
    selection_ = selection;
    selection_.Top = std::clamp(selection_.Top, fixedRows_, RowCount() - 1);
    selection_.Bottom = std::clamp(selection_.Bottom, selection_.Top, RowCount() - 1);
    selection_.Left = 0;
    selection_.Right = ColCount() - 1;
    anchor_ = selection_.Top;
    row_ = selection_.Bottom;
    viewport()->update();
}

bool TStringGrid::IsRowSelected(int row) const {
    return row >= fixedRows_ && row >= selection_.Top && row <= selection_.Bottom;
}

int TStringGrid::FixedHeight() const {
    int h = 0;
    for (int r = 0; r < fixedRows_; ++r)
        h += rowHeights_[size_t(r)];
    return h;
}

int TStringGrid::MaxTopRow() const {
    // The highest top row that still fills the view down to the last row.
    const int room = viewport()->height() - FixedHeight();
    int used = 0;
    int top = RowCount();
    while (top > fixedRows_ && used + rowHeights_[size_t(top - 1)] <= room) {
        used += rowHeights_[size_t(top - 1)];
        --top;
    }
    return std::max(fixedRows_, std::min(top, RowCount() - 1));
}

bool TStringGrid::ScrollBarShowing() const {
    return MaxTopRow() > fixedRows_;
}

void TStringGrid::SetTopRow(int row) {
    row = std::clamp(row, fixedRows_, MaxTopRow());
    if (row == topRow_) return;
    topRow_ = row;
    UpdateScrollBar();
    viewport()->update();
    if (OnTopLeftChanged) OnTopLeftChanged();
}

int TStringGrid::VisibleRowCount() const {
    const int room = viewport()->height() - FixedHeight();
    int used = 0, count = 0;
    for (int r = topRow_; r < RowCount() && used + rowHeights_[size_t(r)] <= room; ++r) {
        used += rowHeights_[size_t(r)];
        ++count;
    }
    return count;
}

void TStringGrid::ScrollIntoView(int row) {
    if (row < fixedRows_) return;
    if (row < topRow_) {
        SetTopRow(row);
        return;
    }
    // Scroll down just far enough for the row to be shown whole (or at the top if taller).
    const int room = viewport()->height() - FixedHeight();
    int top = topRow_;
    auto bottomOf = [&](int t) {
        int y = 0;
        for (int r = t; r <= row; ++r)
            y += rowHeights_[size_t(r)];
        return y;
    };
    while (top < row && bottomOf(top) > room)
        ++top;
    SetTopRow(top);
}

void TStringGrid::UpdateScrollBar() {
    updatingScrollBar_ = true;
    QScrollBar* bar = verticalScrollBar();
    const int max = MaxTopRow() - fixedRows_;
    bar->setRange(0, max);
    bar->setPageStep(std::max(1, VisibleRowCount()));
    bar->setSingleStep(1);
    bar->setValue(topRow_ - fixedRows_);
    updatingScrollBar_ = false;
}

void TStringGrid::scrollContentsBy(int, int) {
    if (updatingScrollBar_) return;
    SetTopRow(verticalScrollBar()->value() + fixedRows_);
}

QRect TStringGrid::CellRect(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
    int x = 0;
    for (int c = 0; c < col; ++c)
        x += colWidths_[size_t(c)];
    int y = 0;
    if (row < fixedRows_) {
        for (int r = 0; r < row; ++r)
            y += rowHeights_[size_t(r)];
    } else {
        if (row < topRow_) return {};
        y = FixedHeight();
        for (int r = topRow_; r < row; ++r) {
            y += rowHeights_[size_t(r)];
            if (y >= viewport()->height()) return {};
        }
    }
    return QRect(x, y, colWidths_[size_t(col)], rowHeights_[size_t(row)]);
}

void TStringGrid::MouseToCell(const QPoint& p, int& col, int& row) const {
    col = row = -1;
    int x = 0;
    for (int c = 0; c < ColCount(); ++c) {
        if (p.x() >= x && p.x() < x + colWidths_[size_t(c)]) {
            col = c;
            break;
        }
        x += colWidths_[size_t(c)];
    }
    int y = 0;
    auto hit = [&](int r) {
        if (p.y() >= y && p.y() < y + rowHeights_[size_t(r)]) row = r;
        y += rowHeights_[size_t(r)];
    };
    for (int r = 0; r < fixedRows_ && row < 0; ++r)
        hit(r);
    for (int r = topRow_; r < RowCount() && row < 0 && y < viewport()->height(); ++r)
        hit(r);
    if (col < 0 || row < 0) col = row = -1;
}

const std::string& TStringGrid::Cells(int col, int row) const {
    static const std::string empty;
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return empty;
    return cells_[size_t(CellIndex(col, row))];
}

void TStringGrid::SetCells(int col, int row, std::string text) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return;
    cells_[size_t(CellIndex(col, row))] = std::move(text);
    InvalidateCell(col, row);
}

intptr_t TStringGrid::Objects(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return 0;
    return objects_[size_t(CellIndex(col, row))];
}

void TStringGrid::SetObjects(int col, int row, intptr_t value) {
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return;
    objects_[size_t(CellIndex(col, row))] = value;
}

void TStringGrid::ClearCells() {
    for (auto& c : cells_)
        c.clear();
    std::fill(objects_.begin(), objects_.end(), 0);
    viewport()->update();
}

void TStringGrid::InvalidateCell(int col, int row) {
    const QRect r = CellRect(col, row);
    if (!r.isEmpty()) viewport()->update(r);
}

void TStringGrid::InvalidateRow(int row) {
    for (int c = 0; c < ColCount(); ++c)
        InvalidateCell(c, row);
}

void TStringGrid::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    // Only the cells the update touches are drawn: a marching frame repaints one cell four
    // times a second and must not lay out every visible row's text each time.
    const QRegion dirty = event->region();
    p.setFont(font());
    const QRect area = viewport()->rect();
    p.fillRect(area, palette().color(QPalette::Base));
    auto paintRow = [&](int r, int y) {
        int x = 0;
        for (int c = 0; c < ColCount(); ++c) {
            const QRect rect(x, y, colWidths_[size_t(c)], rowHeights_[size_t(r)]);
            x += colWidths_[size_t(c)];
            if (rect.isEmpty() || !dirty.intersects(rect)) continue;
            TGridDrawState state = 0;
            if (r < fixedRows_) state |= gdFixed;
            if (IsRowSelected(r)) state |= gdSelected;
            if (r == row_ && hasFocus()) state |= gdFocused;
            if (OnDrawCell) {
                p.save();
                p.setClipRect(rect);
                OnDrawCell(p, c, r, rect, state);
                p.restore();
            }
        }
    };
    int y = 0;
    for (int r = 0; r < fixedRows_; ++r) {
        paintRow(r, y);
        y += rowHeights_[size_t(r)];
    }
    for (int r = topRow_; r < RowCount() && y < area.height(); ++r) {
        paintRow(r, y);
        y += rowHeights_[size_t(r)];
    }
}

void TStringGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    UpdateScrollBar();
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        int col, row;
        MouseToCell(event->position().toPoint(), col, row);
        if (col >= 0) col_ = col;
        if (row >= fixedRows_) {
            const bool extend = event->modifiers() & Qt::ShiftModifier;
            if (MoveCurrent(row, extend)) dragging_ = true;
        }
    }
    emit MouseDown(event);
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        int col, row;
        MouseToCell(event->position().toPoint(), col, row);
        if (row >= fixedRows_ && row != row_) MoveCurrent(row, true);
    }
    emit MouseMoved(event);
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    emit MouseDoubleClicked(event);
}

void TStringGrid::leaveEvent(QEvent* event) {
    QAbstractScrollArea::leaveEvent(event);
    emit MouseLeft();
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int page = std::max(1, VisibleRowCount());
    switch (event->key()) {
    case Qt::Key_Up:
        MoveCurrent(row_ - 1, extend);
        break;
    case Qt::Key_Down:
        MoveCurrent(row_ + 1, extend);
        break;
    case Qt::Key_PageUp:
        MoveCurrent(row_ - page, extend);
        break;
    case Qt::Key_PageDown:
        MoveCurrent(row_ + page, extend);
        break;
    case Qt::Key_Home:
        MoveCurrent(fixedRows_, extend);
        break;
    case Qt::Key_End:
        MoveCurrent(RowCount() - 1, extend);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TStringGrid::wheelEvent(QWheelEvent* event) {
    // One notch moves the view by one row; high-resolution wheels add up to notches.
    wheelRemainder_ += event->angleDelta().y();
    const int rows = wheelRemainder_ / 120;
    wheelRemainder_ -= rows * 120;
    if (rows) SetTopRow(topRow_ - rows);
    event->accept();
}

} // namespace orvane
