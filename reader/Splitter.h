#pragma once
// The reading window's splitters: 4 px wide, their grips drawn from the skin (or as a dotted
// line in the system look).

#include <QSplitter>

namespace orvane {

class TSplitter : public QSplitter {
    Q_OBJECT
public:
    explicit TSplitter(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    QSplitterHandle* createHandle() override;
};

// Paints one splitter's grip into `rect` (the handle's client area).
void PaintSplitter(QPainter& painter, const QRect& rect, Qt::Orientation orientation,
                   const QPalette& palette);

} // namespace orvane
