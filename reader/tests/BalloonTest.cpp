#include "ReadingWindowHarness.h"
#include "TestSupport.h"

#include "BookTables.h"
#include "unHintballWin.h"
#include "wnBook.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace orvane;

namespace {

constexpr int kGenesis = 0; // 50 chapters
constexpr int kPsalms = 18; // 150
constexpr int kJude = 64;   // 1
constexpr int kExodus = 1;

int Chapters(int book) {
    return BookTable[size_t(book)].LastChapter - BookTable[size_t(book)].FirstChapter + 1;
}

// Sends a pointer move straight to a widget, as the window system does for the window under the
// pointer, and puts the cursor there for whoever asks where it is.
void PointAt(QWidget* widget, QPoint pos) {
    QCursor::setPos(widget->mapToGlobal(pos));
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Points at a circle and clicks it, as a hand on the mouse does.
void ClickCircle(THintBalloonWin* b, int index, Qt::MouseButton button = Qt::LeftButton) {
    PointAt(b, b->CellRect(index).center());
    QTest::mouseClick(b, button, {}, b->CellRect(index).center());
}

void Leave(QWidget* widget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

} // namespace

class BalloonTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    QWidget* Viewport() const { return P().trvBook()->viewport(); }

    QPoint LabelPoint(int book) const {
        QTreeWidgetItem* item = Node(book);
        P().trvBook()->scrollToItem(item);
        return fm->BookLabelRect(item).center();
    }

    // A point on the book's row, but right of its name.
    QPoint BesideLabel(int book) const {
        const QRect label = fm->BookLabelRect(Node(book));
        return {label.right() + 24, label.center().y()};
    }

    // A point on the chapter grid that no balloon covers.
    QPoint AwayFromAll() const {
        const QRect grid(P().sgrdMain()->viewport()->mapToGlobal(QPoint(0, 0)),
                         P().sgrdMain()->viewport()->size());
        return {grid.right() - 5, grid.bottom() - 5};
    }

    // Rests the pointer on a book's name and waits for its balloon.
    THintBalloonWin* RestOn(int book) {
        if (P().trvBook()->topLevelItemCount() == 0 || !Node(book))
            fm->FillBookTree(book >= kFirstNewTestamentBook);
        PointAt(Viewport(), LabelPoint(book));
        (void)QTest::qWaitFor([this] { return fm->Balloon() != nullptr; }, 2000);
        return fm->Balloon();
    }

    // Moves off the book names so that the next rest counts as a new one.
    void MoveOff(int book) {
        PointAt(Viewport(), BesideLabel(book));
        QTest::qWait(300);
    }

    void WaitForChapter(int number) {
        QTRY_COMPARE(P().edtChapterNum()->text(), QString::number(number));
        QTRY_VERIFY(!P().tmrTreeChanged()->isActive());
        QCOMPARE(fm->ChapterNumber(), number);
    }

private slots:
    void initTestCase() { PrepareRun(); }

    void init() {
        MakeWindow({760, 540});
        fm->move(10, 40);
        ShowWindow();
        fm->FillBookTree(false);
    }

    void cleanup() { fm.reset(); }

    // --- the balloon's own geometry ---------------------------------------------------------

    void tailTipLandsOnThePointForEverySide() {
        THintBalloonWin b;
        const QPoint tip(400, 300);
        for (int side = 0; side < 4; ++side) {
            b.Layout(tip, 5, side);
            QCOMPARE(b.pos() + b.TipOffset(), tip);
            QCOMPARE(b.TailSide(), side);
            // The tail reaches its tip: a point just inside the triangle belongs to the shape.
            const QPoint inTail = side < 2 ? b.TipOffset() + QPoint(side == 0 ? -2 : 2, -4)
                                           : b.TipOffset() + QPoint(side == 2 ? -2 : 2, 4);
            QVERIFY2(b.BalloonRegion().contains(inTail), qPrintable(QString::number(side)));
            // Every circle lies wholly on the body, clear of the tail.
            for (int i = 0; i < b.Count(); ++i)
                QVERIFY((QRegion(b.CellRect(i)) - b.BalloonRegion()).isEmpty());
        }
        // Below the point the grid moves down past the tail.
        b.Layout(tip, 5, THintBalloonWin::kTailTopLeft);
        QVERIFY(b.CellRect(0).top() > THintBalloonWin::kTailHeight + 2);
    }

    void gridHasTenToARowAndGrowsByRows() {
        THintBalloonWin b;
        b.Layout({300, 300}, 3, 1);
        const QSize few = b.size();
        b.Layout({300, 300}, 10, 1);
        QCOMPARE(b.size(), few); // a row is ten wide even when not full
        b.Layout({300, 300}, 11, 1);
        QCOMPARE(b.width(), few.width());
        QCOMPARE(b.height(), few.height() + THintBalloonWin::kCellHeight);

        b.Layout({300, 700}, 150, 1);
        QCOMPARE(b.Count(), 150);
        QCOMPARE(b.GridRect().height(), 15 * THintBalloonWin::kCellHeight);
        // Chapter 73 is row 8, column 3; the last is at the end of row 15.
        QCOMPARE(b.CellRect(72).topLeft() - b.CellRect(0).topLeft(),
                 QPoint(2 * THintBalloonWin::kCellWidth, 7 * THintBalloonWin::kCellHeight));
        QCOMPARE(b.CellRect(149).right(), b.GridRect().right());
        QCOMPARE(b.CellRect(149).bottom(), b.GridRect().bottom());
        QCOMPARE(b.CellAt(b.CellRect(123).center()), 123);
        QCOMPARE(b.CellAt(b.CellRect(123).bottomRight()), 123);
        QCOMPARE(b.CellAt(QPoint(b.GridRect().left() + 3, b.GridRect().top() - 8)), -1);
        QCOMPARE(b.CellAt(b.CellRect(150 - 1).bottomRight() + QPoint(1, 1)), -1);
        QCOMPARE(b.CellRect(150), QRect());
    }

    void balloonKeepsToTheScreen() {
        THintBalloonWin b;
        const QRect screen(0, 0, 1280, 800);
        auto fits = [&] { return screen.contains(b.geometry()); };
        // Preferred: above and to the right of the point.
        QCOMPARE(b.LayoutOnScreen({200, 400}, 50, screen), int(THintBalloonWin::kTailBottomLeft));
        QVERIFY(fits());
        // Near the top of the screen it opens below.
        QCOMPARE(b.LayoutOnScreen({200, 30}, 50, screen), int(THintBalloonWin::kTailTopLeft));
        QVERIFY(fits());
        QCOMPARE(b.pos() + b.TipOffset(), QPoint(200, 30));
        // Near the right edge it opens to the left.
        QCOMPARE(b.LayoutOnScreen({1250, 400}, 50, screen), int(THintBalloonWin::kTailBottomRight));
        QVERIFY(fits());
        // 150 circles on a short screen: twenty to a row rather than off the screen.
        const QRect low(0, 0, 1280, 500);
        b.LayoutOnScreen({200, 420}, 150, low);
        QCOMPARE(b.Columns(), int(THintBalloonWin::kWideColumns));
        QVERIFY(low.contains(b.geometry()));
        QCOMPARE(b.pos() + b.TipOffset(), QPoint(200, 420));
        QCOMPARE(b.CellRect(20).top(), b.CellRect(0).top() + THintBalloonWin::kCellHeight);
        // With room, ten to a row.
        b.LayoutOnScreen({200, 700}, 150, screen);
        QCOMPARE(b.Columns(), int(THintBalloonWin::kColumns));
        QVERIFY(fits());
    }

    // --- the balloon over the book tree -----------------------------------------------------

    void restingOnABookOpensItsChapterBalloon() {
        const QPoint at = LabelPoint(kGenesis);
        PointAt(Viewport(), at);
        QVERIFY(!fm->Balloon());
        QVERIFY(P().tmrHintBallBuffer()->isActive());
        QTRY_VERIFY(fm->Balloon());
        THintBalloonWin* b = fm->Balloon();
        QCOMPARE(b->Count(), Chapters(kGenesis));
        QCOMPARE(b->Caption(), QStringLiteral("创世记"));
        QVERIFY(b->isVisible());
        QVERIFY(!b->isActiveWindow());
        const QRect label = fm->BookLabelRect(Node(kGenesis));
        QCOMPARE(
            b->pos() + b->TipOffset(),
            Viewport()->mapToGlobal(QPoint(label.left() + label.width() - 4, label.top() + 8)));
        QCOMPARE(b->HotIndex(), -1);
        QCOMPARE(b->Current(), 0);

        // While the pointer stays on the name the balloon stays, outside it or not.
        QTest::qWait(700);
        QCOMPARE(fm->Balloon(), b);

        // Resting on another book brings that book's balloon.
        QPointer<THintBalloonWin> first(b);
        PointAt(Viewport(), LabelPoint(kExodus));
        QTRY_VERIFY(fm->Balloon() && fm->Balloon()->Caption() == QStringLiteral("出埃及记"));
        QCOMPARE(fm->Balloon()->Count(), Chapters(kExodus));
        QTRY_VERIFY(!first);
    }

    void restingBesideANameOpensNothing() {
        PointAt(Viewport(), BesideLabel(kGenesis));
        QTest::qWait(500);
        QVERIFY(!fm->Balloon());
        // A pass over a name that does not rest there opens nothing either.
        PointAt(Viewport(), LabelPoint(kExodus));
        QTest::qWait(100);
        PointAt(Viewport(), BesideLabel(kExodus));
        QTest::qWait(400);
        QVERIFY(!fm->Balloon());
    }

    void pointingAtACircleShowsThatChaptersFirstVerse() {
        THintBalloonWin* b = RestOn(kGenesis);
        QVERIFY(b);
        QSignalSpy hover(b, &THintBalloonWin::BalloonHover);
        PointAt(b, b->CellRect(2).center());
        QCOMPARE(b->HotIndex(), 2);
        // Genesis 3:1, without its chain-reference markers.
        QVERIFY2(b->StatusText().startsWith(QStringLiteral("耶和华")), qPrintable(b->StatusText()));
        QVERIFY(b->StatusText().contains(QStringLiteral("蛇")));
        QVERIFY(!b->StatusText().contains(QLatin1Char('`')));
        // Off the circles (the caption strip) the last one stays lit.
        PointAt(b, QPoint(b->GridRect().left() + 4, b->GridRect().top() - 8));
        QCOMPARE(b->HotIndex(), 2);
        PointAt(b, b->CellRect(49).center());
        QVERIFY2(b->StatusText().startsWith(QStringLiteral("约瑟")), qPrintable(b->StatusText()));
        QCOMPARE(hover.count(), 2);
        QCOMPARE(hover.at(1).at(0).toInt(), 49);

        // Out of the tree into the balloon: it stays while the pointer is inside it.
        Leave(Viewport());
        QTest::qWait(700);
        QCOMPARE(fm->Balloon(), b);
    }

    void clickingACircleOpensThatChapter() {
        THintBalloonWin* b = RestOn(kGenesis);
        QVERIFY(b);
        QPointer<THintBalloonWin> guard(b);
        ClickCircle(b, 4);
        QVERIFY(!fm->Balloon());
        QTRY_VERIFY(!guard);
        QCOMPARE(P().trvBook()->currentItem(), Node(kGenesis));
        WaitForChapter(5);
        QCOMPARE(P().sgrdMain()->RowCount(), VerseCount(kGenesis, 5) + 1);

        // The click leaves the pointer over whatever lay under the balloon; a book's name there
        // does not pop up a new balloon while the pointer stays put...
        const QPoint exodus = LabelPoint(kExodus);
        QMouseEvent under(QEvent::MouseMove, exodus, Viewport()->mapToGlobal(exodus), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &under);
        QTest::qWait(500);
        QVERIFY(!fm->Balloon());
        // ...but a rest after moving there does.
        QVERIFY(RestOn(kExodus));
        fm->ReleaseBalloon();

        // The book already selected: the picked chapter still loads.
        MoveOff(kGenesis);
        b = RestOn(kGenesis);
        QVERIFY(b);
        QCOMPARE(b->Current(), 4);
        ClickCircle(b, 11);
        WaitForChapter(12);
        QCOMPARE(P().sgrdMain()->RowCount(), VerseCount(kGenesis, 12) + 1);

        // Another button picks too, but leaves the balloon open for another choice.
        MoveOff(kGenesis);
        b = RestOn(kGenesis);
        QVERIFY(b);
        ClickCircle(b, 6, Qt::RightButton);
        WaitForChapter(7);
        QCOMPARE(fm->Balloon(), b);
        QCOMPARE(b->Current(), 6);

        // A click beside the circles picks nothing, whatever was lit last, and closes.
        PointAt(b, b->CellRect(2).center());
        QTest::mouseClick(b, Qt::LeftButton, {},
                          QPoint(b->GridRect().left() + 4, b->GridRect().top() - 8));
        QVERIFY(!fm->Balloon());
        QTest::qWait(400);
        QCOMPARE(fm->ChapterNumber(), 7);
        QVERIFY(!P().tmrTreeChanged()->isActive());
    }

    void pickingFromAnotherBookSelectsThatBook() {
        P().trvBook()->setCurrentItem(Node(kGenesis));
        WaitForChapter(1);
        MoveOff(kGenesis);
        fm->FillBookTree(true);
        THintBalloonWin* b = RestOn(kJude);
        QVERIFY(b);
        QCOMPARE(b->Count(), 1);
        ClickCircle(b, 0);
        QTRY_COMPARE(P().trvBook()->currentItem(), Node(kJude));
        WaitForChapter(1);
        QCOMPARE(fm->SelectedBookData(), &nodes[kJude]);
        QCOMPARE(P().sgrdMain()->RowCount(), VerseCount(kJude, 1) + 1);
    }

    void escapeClosesTheBalloon() {
        P().trvBook()->setCurrentItem(Node(kGenesis));
        WaitForChapter(1);
        nodes[kGenesis].ChapterIndex = BookTable[kGenesis].FirstChapter + 2;
        P().tbtnNexChapter()->trigger(); // chapter 4
        WaitForChapter(4);

        THintBalloonWin* b = RestOn(kGenesis);
        QVERIFY(b);
        // Esc in the chapter box closes the balloon and still does its own work there.
        P().edtChapterNum()->setFocus();
        QTest::keyClick(P().edtChapterNum(), Qt::Key_Escape);
        QVERIFY(!fm->Balloon());
        WaitForChapter(1);

        MoveOff(kGenesis);
        QVERIFY(RestOn(kGenesis));
        fm->ReleaseBalloon();
        QVERIFY(!fm->Balloon());
        fm->ReleaseBalloon(); // nothing left to release
    }

    void leavingTreeAndBalloonClosesIt() {
        THintBalloonWin* b = RestOn(kGenesis);
        QVERIFY(b);
        QPointer<THintBalloonWin> guard(b);
        // Into the balloon: it stays.
        Leave(Viewport());
        PointAt(b, b->CellRect(0).center());
        QTest::qWait(700);
        QCOMPARE(fm->Balloon(), b);
        // Out of it onto the chapter grid: it goes at the next close check.
        QVERIFY(!b->geometry().contains(AwayFromAll()));
        QCursor::setPos(AwayFromAll());
        Leave(b);
        QTRY_VERIFY_WITH_TIMEOUT(!guard, 1000);

        // Straight from the name off the tree, never through the balloon.
        b = RestOn(kExodus);
        QVERIFY(b);
        guard = b;
        QCursor::setPos(AwayFromAll());
        Leave(Viewport());
        QTRY_VERIFY_WITH_TIMEOUT(!guard, 1000);
    }

    void balloonPictures() {
        struct Shot {
            int book;
            int hot;
            const char* file;
        };
        for (const Shot& shot :
             {Shot{kGenesis, 2, "genesis"}, Shot{kPsalms, 118, "psalms"}, Shot{kJude, 0, "jude"}}) {
            MoveOff(kGenesis);
            THintBalloonWin* b = RestOn(shot.book);
            QVERIFY2(b, shot.file);
            QCOMPARE(b->Count(), Chapters(shot.book));
            QVERIFY(b->screen()->availableGeometry().contains(b->geometry()));
            PointAt(b, b->CellRect(shot.hot).center());
            QVERIFY(!b->StatusText().isEmpty());
            orvane::test::SaveShot(b, QStringLiteral("balloon-%1").arg(QLatin1String(shot.file)));
            fm->ReleaseBalloon();
        }
        // Psalms where the screen has room for ten to a row, and a balloon nothing is lit in.
        THintBalloonWin tall;
        tall.SetCaption(QStringLiteral("诗篇"));
        tall.CaptionNote = QStringLiteral("共150章");
        tall.Layout({20, 700}, 150, THintBalloonWin::kTailBottomLeft);
        tall.SetCurrent(22);
        orvane::test::SaveShot(&tall, QStringLiteral("balloon-psalms-tall"));
        THintBalloonWin below;
        below.SetCaption(QStringLiteral("以斯帖记"));
        below.Layout({20, 20}, 10, THintBalloonWin::kTailTopLeft);
        orvane::test::SaveShot(&below, QStringLiteral("balloon-below"));
    }
};

QTEST_MAIN(BalloonTest)
#include "BalloonTest.moc"
