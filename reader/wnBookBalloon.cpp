#include "wnBook.h"

#include "BibGlobe.h"
#include "BookTables.h"
#include "GbkBridge.h"
#include "unHintballWin.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

namespace orvane {
namespace {

// The pointer's doings over the book tree, and the balloon they opened. It watches the tree's
// viewport, so the tree needs no handlers of its own.
class TBalloonHover : public QObject {
public:
    explicit TBalloonHover(QObject* owner) : QObject(owner) {}

    std::function<void(QPoint)> onMove; // viewport coordinates
    std::function<void()> onLeave;
    QPointer<THintBalloonWin> balloon;
    // The book whose name the pointer last rested on (node data outlive the tree's refills,
    // tree items do not).
    TBooksNodeData* node = nullptr;
    // A circle was just picked, with the pointer here. The click closes the balloon and leaves
    // the pointer over whatever lay beneath it, often another book's name: resting there must
    // not pop up a new balloon. Once the pointer has moved on, a rest counts again.
    bool justPicked = false;
    QPoint pickedAt;
    bool onLabel = false; // the buffer timer's tag

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove)
            onMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::Leave)
            onLeave();
        return QObject::eventFilter(watched, event);
    }
};

TBooksNodeData* DataOf(const QTreeWidgetItem* item) {
    if (!item) return nullptr;
    auto* nodeData = static_cast<TBooksNodeData*>(item->data(0, Qt::UserRole).value<void*>());
    return nodeData && nodeData->BookIndex >= 0 && nodeData->BookIndex < kBookCount ? nodeData
                                                                                    : nullptr;
}

QTreeWidgetItem* ItemOf(const QTreeWidget* tree, const TBooksNodeData* nodeData) {
    if (!nodeData) return nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (DataOf(tree->topLevelItem(i)) == nodeData) return tree->topLevelItem(i);
    return nullptr;
}

// The first verse of a chapter as the status line shows it: no chain-reference markers.
QString FirstVerse(int chapterIndex) {
    if (chapterIndex < 0 || chapterIndex >= kChapterCount) return {};
    const std::string& text = TBibGlobe::VerseText(ChapterTable[size_t(chapterIndex)].FirstLine);
    return FromGbk(TBibGlobe::StripMarkers(text)).trimmed();
}

} // namespace

void TfmBook::CreateBalloon() {
    auto* hover = new TBalloonHover(this);
    hover->onMove = [this](QPoint pos) { trvBookMouseMove(pos); };
    hover->onLeave = [this] { trvBookMouseLeave(); };
    balloonHover_ = hover;
    trvBook->setMouseTracking(true);
    trvBook->viewport()->installEventFilter(hover);
    tmrHintBallBuffer->setInterval(200);
    tmrHintBallBuffer->setSingleShot(true);
    connect(tmrHintBallBuffer, &QTimer::timeout, this, &TfmBook::tmrHintBallBufferTimer);
}

THintBalloonWin* TfmBook::Balloon() const {
    const auto* hover = static_cast<const TBalloonHover*>(balloonHover_);
    return hover && hover->balloon && !hover->balloon->Released() ? hover->balloon.data() : nullptr;
}

void TfmBook::ReleaseBalloon() {
    if (THintBalloonWin* balloon = Balloon()) balloon->Release();
}

QRect TfmBook::BookLabelRect(const QTreeWidgetItem* item) const {
    if (!item) return {};
    const QRect row = trvBook->visualItemRect(item);
    if (row.isEmpty()) return {};
    QStyleOptionViewItem option;
    option.initFrom(trvBook);
    option.rect = row;
    option.text = item->text(0);
    option.icon = item->icon(0);
    option.decorationSize = trvBook->iconSize();
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.widget = trvBook;
    const QStyle* style = trvBook->style();
    const QRect icon = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, trvBook);
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &option, trvBook);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, trvBook) + 1;
    const int textRight =
        text.left() + 2 * margin + trvBook->fontMetrics().horizontalAdvance(option.text);
    const int left = option.icon.isNull() ? text.left() : icon.left();
    return QRect(QPoint(left, row.top()), QPoint(std::min(textRight, row.right()), row.bottom()));
}

void TfmBook::trvBookMouseMove(const QPoint& pos) {
    auto* hover = static_cast<TBalloonHover*>(balloonHover_);
    QTreeWidgetItem* item = trvBook->itemAt(pos);
    hover->onLabel = item && DataOf(item) && BookLabelRect(item).contains(pos);
    if (hover->onLabel) {
        hover->node = DataOf(item);
        // Back on the balloon's own book: keep it open at once, before the close check can
        // find the pointer outside it.
        if (THintBalloonWin* balloon = Balloon(); balloon && balloon->Caption() == item->text(0))
            balloon->SetLocked(true);
    }
    tmrHintBallBuffer->start(); // restarts: the balloon logic runs once the pointer rests
}

void TfmBook::trvBookMouseLeave() {
    // Leaving the tree (into the balloon or anywhere else) is resting on no label. Without this
    // a pointer that leaves the tree straight from the book's name would leave the balloon
    // locked open.
    auto* hover = static_cast<TBalloonHover*>(balloonHover_);
    hover->onLabel = false;
    tmrHintBallBuffer->start();
}

void TfmBook::tmrHintBallBufferTimer() {
    tmrHintBallBuffer->stop();
    auto* hover = static_cast<TBalloonHover*>(balloonHover_);
    THintBalloonWin* balloon = Balloon();
    if (!hover->onLabel) {
        hover->node = nullptr;
        if (balloon) {
            balloon->SetLocked(false);
            if (!balloon->BalloonRegion().contains(balloon->mapFromGlobal(QCursor::pos())))
                balloon->Release();
        }
        return;
    }
    QTreeWidgetItem* item = ItemOf(trvBook, hover->node);
    if (!item) return;
    if (balloon) {
        if (balloon->Caption() == item->text(0)) {
            balloon->SetLocked(true);
            return;
        }
        balloon->SetLocked(false);
        // The pointer rests on another book: that book's chapters are wanted now, not after
        // the pointer has moved once more.
        if (balloon->BalloonRegion().contains(balloon->mapFromGlobal(QCursor::pos()))) return;
        balloon->Release();
    }
    if (hover->justPicked) {
        if ((QCursor::pos() - hover->pickedAt).manhattanLength() <= 4) return;
        hover->justPicked = false;
    }
    OpenBalloon(item);
}

void TfmBook::OpenBalloon(QTreeWidgetItem* item) {
    auto* hover = static_cast<TBalloonHover*>(balloonHover_);
    TBooksNodeData* nodeData = DataOf(item);
    if (!nodeData) return;
    const TBookInfo& book = BookTable[size_t(nodeData->BookIndex)];
    const int first = book.FirstChapter;
    const int count = book.LastChapter - book.FirstChapter + 1;

    const QRect label = BookLabelRect(item);
    const QPoint tip =
        trvBook->viewport()->mapToGlobal(QPoint(label.left() + label.width() - 4, label.top() + 8));
    QScreen* screen = QGuiApplication::screenAt(tip);
    if (!screen) screen = trvBook->screen();

    auto* balloon = new THintBalloonWin(this);
    balloon->SetCaption(item->text(0));
    balloon->CaptionNote = QStringLiteral("共%1章").arg(count);
    balloon->HoverText = [first](int index) { return FirstVerse(first + index); };
    balloon->SetHot(-1);
    connect(balloon, &THintBalloonWin::BalloonPick, this,
            [this, hover, nodeData, first, count](int index, Qt::MouseButton) {
                if (index < 0 || index >= count) return;
                nodeData->ChapterIndex = first + index;
                if (QTreeWidgetItem* node = ItemOf(trvBook, nodeData)) {
                    // Selecting the node that is already selected changes nothing, and the
                    // chapter would not load: deselect it first.
                    if (node->isSelected()) trvBook->clearSelection();
                    trvBook->setCurrentItem(node);
                    node->setSelected(true);
                }
                sgrdMain->viewport()->update();
                hover->justPicked = true;
                hover->pickedAt = QCursor::pos();
                if (Balloon()) Balloon()->SetCurrent(index);
            });
    const int side =
        balloon->LayoutOnScreen(tip, count, screen ? screen->availableGeometry() : QRect());
    balloon->SetCurrent(nodeData->ChapterIndex - first);
    // The pointer rests on this book's name: stay open until it moves elsewhere.
    balloon->SetLocked(true);
    hover->balloon = balloon;
    balloon->ShowBalloon(200, side);
}

} // namespace orvane
