#include "unHintballWin.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QTimer>

#include <algorithm>

namespace orvane {
namespace {

const QColor kOutline(153, 153, 153);
const QColor kRule(200, 40, 40);
const QColor kHotFill(222, 38, 38);
const QColor kInk(40, 40, 40);
const QColor kQuiet(128, 128, 128); // the count beside the caption, the idle hint

QFont BalloonFont(int pointSize, bool bold = false) {
    // Latin digits in Arial, Chinese in the reading face.
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("宋体")});
    font.setPointSize(pointSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool TailAtTop(int side) {
    return side == THintBalloonWin::kTailTopRight || side == THintBalloonWin::kTailTopLeft;
}

bool TailAtLeft(int side) {
    return side == THintBalloonWin::kTailBottomLeft || side == THintBalloonWin::kTailTopLeft;
}

int GridTop(int side) {
    using W = THintBalloonWin;
    return TailAtTop(side) ? W::kMarginTop + W::kTailHeight + 2 : W::kMarginTop;
}

int RowsFor(int count, int columns) {
    return std::max(1, (count + columns - 1) / columns);
}

QSize BalloonSize(int count, int side, int columns) {
    using W = THintBalloonWin;
    const int gridBottom = GridTop(side) + RowsFor(count, columns) * W::kCellHeight;
    const int width = std::max(W::kMarginLeft + W::kMarginRight + columns * W::kCellWidth + 1,
                               W::kTailInset + W::kTailWidth + 1);
    const int height = TailAtTop(side) ? gridBottom + W::kMarginBottom + 1
                                       : gridBottom + W::kTailHeight + W::kMarginBottom - 1;
    return {width, std::max(height, W::kTailHeight + 2)};
}

// The window's top-left corner when the tail's tip is to be at `tip`.
QPoint BalloonOrigin(QPoint tip, QSize size, int side) {
    using W = THintBalloonWin;
    const int left =
        TailAtLeft(side) ? tip.x() - W::kTailInset : tip.x() + W::kTailInset - size.width();
    const int top = TailAtTop(side) ? tip.y() - 2 : tip.y() - size.height();
    return {left, top};
}

} // namespace

THintBalloonWin::THintBalloonWin(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("THintBalloonWin"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Where the platform cannot shape windows the corners outside the outline stay see-through.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setFont(BalloonFont(9));
    IdleText = QStringLiteral("指向章号可看首节，单击打开该章");
    // Esc anywhere in the program closes the balloon; it never has the keyboard itself.
    qApp->installEventFilter(this);
}

THintBalloonWin::~THintBalloonWin() = default;

void THintBalloonWin::SetCaption(const QString& text) {
    caption_ = text;
    update();
}

void THintBalloonWin::Layout(QPoint tip, int count, int side, int columns) {
    side_ = std::clamp(side, 0, 3);
    columns_ = std::max(1, columns);
    count = std::max(0, count);
    const int top = GridTop(side_);
    cells_.clear();
    cells_.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        cells_.emplace_back(kMarginLeft + (i % columns_) * kCellWidth,
                            top + (i / columns_) * kCellHeight, kCellWidth, kCellHeight);
    grid_ = QRect(kMarginLeft, top, columns_ * kCellWidth, RowsFor(count, columns_) * kCellHeight);
    if (hot_ >= count) hot_ = -1;
    if (current_ >= count) current_ = -1;
    const QSize size = BalloonSize(count, side_, columns_);
    resize(size);
    move(BalloonOrigin(tip, size, side_));
    BuildShape();
}

int THintBalloonWin::LayoutOnScreen(QPoint tip, int count, const QRect& screen) {
    if (screen.isEmpty()) {
        Layout(tip, count, kTailBottomLeft);
        return side_;
    }
    struct Choice {
        int side = kTailBottomLeft;
        int columns = kColumns;
        int overflow = 0; // pixels that would lie off the screen
    };
    auto judge = [&](int side, int columns) {
        const QSize size = BalloonSize(count, side, columns);
        const QRect r(BalloonOrigin(tip, size, side), size);
        const int over =
            std::max(0, screen.top() - r.top()) + std::max(0, r.bottom() - screen.bottom()) +
            std::max(0, screen.left() - r.left()) + std::max(0, r.right() - screen.right());
        return Choice{side, columns, over};
    };
    // Preference order: right of the point before left of it, above before below; ten to a
    // row before twenty.
    static constexpr int kSides[] = {kTailBottomLeft, kTailBottomRight, kTailTopLeft,
                                     kTailTopRight};
    Choice best;
    bool found = false;
    for (int columns : {kColumns, kWideColumns}) {
        if (columns == kWideColumns && count <= kColumns) break;
        for (int side : kSides) {
            const Choice c = judge(side, columns);
            if (!found || c.overflow < best.overflow) {
                best = c;
                found = true;
            }
            if (c.overflow == 0) break;
        }
        if (best.overflow == 0) break;
    }
    Layout(tip, count, best.side, best.columns);
    return side_;
}

void THintBalloonWin::BuildShape() {
    const int w = width();
    const int h = height();
    QPainterPath body;
    if (TailAtTop(side_))
        body.addRoundedRect(QRectF(0, kTailHeight + 2, w, h - kTailHeight - 2), 6, 6);
    else
        body.addRoundedRect(QRectF(0, 0, w, h - kTailHeight + 2), 6, 6);
    QPolygon tail;
    switch (side_) {
    case kTailBottomRight:
        tail << QPoint(w - 40, h - 20) << QPoint(w - 20, h) << QPoint(w - 20, h - 20);
        break;
    case kTailBottomLeft:
        tail << QPoint(20, h - 20) << QPoint(20, h) << QPoint(40, h - 20);
        break;
    case kTailTopRight:
        tail << QPoint(w - 20, 2) << QPoint(w - 20, 22) << QPoint(w - 40, 22);
        break;
    default:
        tail << QPoint(20, 2) << QPoint(20, 22) << QPoint(40, 22);
        break;
    }
    QPainterPath tailPath;
    tailPath.addPolygon(QPolygonF(tail));
    tailPath.closeSubpath();
    shape_ = body.united(tailPath).simplified();
    region_ = QRegion(shape_.toFillPolygon().toPolygon(), Qt::WindingFill);
}

QPoint THintBalloonWin::TipOffset() const {
    switch (side_) {
    case kTailBottomRight:
        return {width() - kTailInset, height()};
    case kTailBottomLeft:
        return {kTailInset, height()};
    case kTailTopRight:
        return {width() - kTailInset, 2};
    default:
        return {kTailInset, 2};
    }
}

void THintBalloonWin::ShowBalloon(int closeCheckMs, int side) {
    if (side != side_ || region_.isEmpty()) {
        // Shown without a layout for this side: keep the tip where it was.
        const QPoint tip = pos() + TipOffset();
        Layout(tip, Count(), side, columns_);
    }
    hide();
    // Platforms without shaped windows (offscreen) get the shape from the painting alone.
    const bool shaped = !QGuiApplication::platformName().startsWith(QLatin1String("offscreen")) &&
                        QGuiApplication::platformName() != QLatin1String("minimal");
    if (shaped) setMask(region_);
    show();
    if (shaped) raise();
    update();
    if (closeCheckMs > 0) {
        if (!closeCheck_) {
            closeCheck_ = new QTimer(this);
            connect(closeCheck_, &QTimer::timeout, this, &THintBalloonWin::CloseCheck);
        }
        closeCheck_->start(closeCheckMs);
    }
}

void THintBalloonWin::CloseCheck() {
    if (locked_ || released_) return;
    if (!region_.contains(mapFromGlobal(QCursor::pos()))) Release();
}

void THintBalloonWin::Release() {
    if (released_) return;
    released_ = true;
    locked_ = false;
    status_.clear();
    if (closeCheck_) closeCheck_->stop();
    hide();
    deleteLater();
}

QRect THintBalloonWin::CellRect(int index) const {
    return index >= 0 && index < Count() ? cells_[size_t(index)] : QRect();
}

int THintBalloonWin::CellAt(QPoint pos) const {
    for (int i = 0; i < Count(); ++i)
        if (cells_[size_t(i)].contains(pos)) return i;
    return -1;
}

QRect THintBalloonWin::StatusRect() const {
    const int h = QFontMetrics(font()).height();
    return QRect(QPoint(grid_.left(), grid_.bottom() + 1 + 5),
                 QPoint(grid_.right(), grid_.bottom() + 1 + h + 8));
}

void THintBalloonWin::SetHot(int index) {
    if (index == hot_) return;
    if (index < -1 || index >= Count()) index = -1;
    if (index == hot_) return;
    update(CellRect(hot_));
    update(CellRect(index));
    hot_ = index;
    status_ = (index >= 0 && HoverText) ? HoverText(index) : QString();
    emit BalloonHover(index);
    update(StatusRect());
}

void THintBalloonWin::SetCurrent(int index) {
    if (index < -1 || index >= Count()) index = -1;
    if (index == current_) return;
    update(CellRect(current_));
    update(CellRect(index));
    current_ = index;
}

void THintBalloonWin::mouseMoveEvent(QMouseEvent* event) {
    // A pointer between circles keeps the last one lit, so the status line does not flicker.
    const int cell = CellAt(event->position().toPoint());
    if (cell >= 0) SetHot(cell);
}

void THintBalloonWin::mousePressEvent(QMouseEvent* event) {
    // Only the circle actually under the pointer is picked: a press on the caption or on the
    // margin must not open whichever chapter happened to be lit last.
    const int cell = CellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = true;
    if (cell < 0) return;
    SetHot(cell);
    emit BalloonPick(cell, event->button());
}

void THintBalloonWin::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        Release();
    }
}

void THintBalloonWin::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            wasActive_ = true;
        else if (wasActive_)
            Release();
    }
    QWidget::changeEvent(event);
}

bool THintBalloonWin::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !released_ && isVisible() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        Release(); // the key still goes on to whoever has the focus
    return QWidget::eventFilter(watched, event);
}

void THintBalloonWin::leaveEvent(QEvent* event) {
    // With a close check running, that check decides: it honours the lock, so moving back onto
    // the book the balloon belongs to does not close and reopen it. Without one, leaving is the
    // only way the pointer can close the balloon.
    if (!closeCheck_ && !locked_) Release();
    QWidget::leaveEvent(event);
}

void THintBalloonWin::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor face = palette().color(QPalette::Window).lighter(104);

    // Body and outline, inset half a pixel so the 1 px frame lies inside the window's shape.
    p.setPen(QPen(kOutline, 1));
    p.setBrush(face);
    QTransform shrink;
    shrink.translate(0.5, 0.5);
    shrink.scale((width() - 1.0) / width(), (height() - 1.0) / height());
    p.drawPath(shrink.map(shape_));

    // Caption, with the number of circles at the right.
    QFont bold = font();
    bold.setFamilies({QStringLiteral("Arial"), QStringLiteral("幼圆"), QStringLiteral("宋体")});
    bold.setBold(true);
    const QFontMetrics bm(bold);
    const int captionTop = grid_.top() - bm.height() - 4;
    p.setFont(bold);
    p.setPen(Qt::black);
    p.drawText(QRect(grid_.left(), captionTop, grid_.width(), bm.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
    if (!CaptionNote.isEmpty()) {
        p.setFont(font());
        p.setPen(kQuiet);
        p.drawText(QRect(grid_.left(), captionTop, grid_.width(), bm.height()),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, CaptionNote);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kRule);
    p.drawLine(grid_.left(), grid_.top() - 1, grid_.right(), grid_.top() - 1);
    p.setRenderHint(QPainter::Antialiasing);

    // Status line: the lit circle's text, or how to use the balloon.
    const QRect status = StatusRect();
    p.setFont(font());
    const QFontMetrics fm(font());
    if (!status_.isEmpty() && hot_ >= 0) {
        p.setPen(Qt::black);
        const QString line = QStringLiteral("%1:1 %2").arg(hot_ + 1).arg(status_);
        p.drawText(status, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fm.elidedText(line, Qt::ElideRight, status.width()));
    } else if (!IdleText.isEmpty()) {
        p.setPen(kQuiet);
        p.drawText(status, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fm.elidedText(IdleText, Qt::ElideRight, status.width()));
    }

    for (int i = 0; i < Count(); ++i)
        PaintCircle(p, i);
}

void THintBalloonWin::PaintCircle(QPainter& p, int index) const {
    const QRect cell = CellRect(index);
    const QRectF circle(cell.left() + (kCellWidth - kCircle) / 2.0 + 0.5,
                        cell.top() + (kCellHeight - kCircle) / 2.0 + 0.5, kCircle - 1, kCircle - 1);
    const bool hot = index == hot_;
    // A soft rim below each circle makes it read as a button.
    p.setPen(QPen(palette().color(QPalette::Dark), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle.translated(0, 1));
    QColor fill = Qt::white;
    if (hot)
        fill = kHotFill;
    else if (index == current_)
        fill = QColor(255, 224, 178);
    p.setPen(QPen(hot ? kHotFill.darker(130) : kInk, 1));
    p.setBrush(fill);
    p.drawEllipse(circle);

    // Three-digit numbers in the smaller size so they stay inside their circle.
    QFont digits = font();
    digits.setFamilies({QStringLiteral("Arial")});
    digits.setPointSize(index < 99 ? 9 : 8);
    digits.setBold(hot || index == current_);
    if (index >= 99) digits.setLetterSpacing(QFont::PercentageSpacing, 94);
    p.setFont(digits);
    p.setPen(hot ? Qt::white : Qt::black);
    p.drawText(circle, Qt::AlignCenter | Qt::TextSingleLine, QString::number(index + 1));
}

} // namespace orvane
