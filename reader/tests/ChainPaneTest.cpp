// Chain references under the pointer, driven through a real reading window: the tool-tip of a
// marker ball, following a ball, Ctrl+click marks, the right click, the note icon, and the
// chain-reference pane with its own balls.

#include "ReadingWindowHarness.h"
#include "TestSupport.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainPane.h"
#include "ChainRefs.h"
#include "GbkBridge.h"
#include "HistoryList.h"
#include "Markers.h"
#include "NotesStore.h"
#include "wnBook.h"

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>

#include <optional>

using namespace orvane;

namespace {

constexpr int kGenesis1 = 0;

int BookOfChapter(int chapter) {
    int book = 0;
    ChapterOfLine(ChapterTable[size_t(chapter)].FirstLine, &book);
    return book;
}

// What the command-line tool prints for a marker: one "[ref]text" line per verse, the text
// without markers; "99" taken as the chapter the group belongs to.
std::vector<int> ToolVerses(int chapter, int marker) {
    const std::string group =
        ChainGroupText(TBibGlobe::CorpusFile(kChainFile)[size_t(chapter)], marker);
    return ParseChainGroup(group, BookOfChapter(chapter), ChapterNumber(chapter));
}

QString ToolLines(const std::vector<int>& verses) {
    QStringList lines;
    for (int v : verses)
        lines << QStringLiteral("[%1]%2").arg(
            FromGbk(ShortReference(v)), FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(v))));
    return lines.join(QLatin1Char('\n'));
}

// A pane row's text: the reference in brackets, then the verse with its markers.
std::string PaneText(int v) {
    std::string text(1, '[');
    text.append(ShortReference(v)).append(1, ']').append(TBibGlobe::VerseText(v));
    return text;
}

QWidget* ToolTipLabel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible()) return w;
    return nullptr;
}

} // namespace

class ChainPaneTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    QList<int> noteClicks_;

    TStringGrid* Main() { return P().sgrdMain(); }
    TStringGrid* Pane() { return P().sgrdSeriP(); }

    void OpenChapter(int chapter) {
        const int book = BookOfChapter(chapter);
        nodes[size_t(book)].ChapterIndex = chapter;
        nodes[size_t(book)].VerseRow = 0;
        SyncToBook(&nodes[size_t(book)]);
        QTRY_VERIFY(!P().tmrTreeChanged()->isActive());
        QTRY_COMPARE(P().GridFirstLine(), ChapterTable[size_t(chapter)].FirstLine);
        Paint();
    }

    // Paints both grids now, so their balls have spots.
    void Paint() {
        Main()->viewport()->repaint();
        Pane()->viewport()->repaint();
    }

    // A point of the text cell that is on no ball and off the note icon.
    QPoint FreePoint(TStringGrid* grid, int row) {
        const QRect cell = grid->CellRect(1, row);
        const auto& spots = grid->MarkerSpots[size_t(row - grid->FixedRows())];
        for (int x = cell.left() + 4; x < cell.right() - 20; x += 4) {
            const QPoint p(x, cell.top() + 8);
            bool onBall = false;
            for (const TMarkerSpot& s : spots)
                onBall |= QRect(s.X, s.Y, 16, 16).contains(p);
            if (!onBall) return p;
        }
        return {};
    }

    QPoint BallCentre(const TMarkerSpot& s) { return {s.X + 8, s.Y + 8}; }

    void Hover(TStringGrid* grid, QPoint at) { QTest::mouseMove(grid->viewport(), at); }

    bool Hand(TStringGrid* grid) {
        return grid->viewport()->cursor().shape() == Qt::PointingHandCursor;
    }

    void Click(TStringGrid* grid, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers keys = {}) {
        Hover(grid, at);
        QTest::mouseClick(grid->viewport(), button, keys, at);
    }

    // The first pane row (and the spot on it) of a listed verse from another chapter whose
    // ball names a group opening with a "99" reference.
    struct ForeignBall {
        int row, chapter;
        TMarkerSpot spot;
    };
    std::optional<ForeignBall> FindForeignBall() {
        const int shown = ChapterOfLine(P().GridFirstLine());
        for (int r = 0; r < Pane()->RowCount(); ++r) {
            const int chapter = int(Pane()->Objects(0, r) & 0xFFFF);
            if (chapter == shown) continue;
            const std::string& line = TBibGlobe::CorpusFile(kChainFile)[size_t(chapter)];
            const std::string& text = Pane()->Cells(1, r);
            for (size_t i = text.find(kMarkerChar); i != std::string::npos;
                 i = text.find(kMarkerChar, i + 1)) {
                const int marker = std::atoi(text.c_str() + i + 1);
                if (ChainGroupText(line, marker).rfind("[99", 0) != 0) continue;
                Pane()->SetTopRow(r);
                Paint();
                for (const TMarkerSpot& s : Pane()->MarkerSpots[size_t(r)])
                    if (s.Number == marker) return ForeignBall{r, chapter, s};
            }
        }
        return std::nullopt;
    }

private slots:
    void initTestCase() { PrepareRun(); }

    void init() {
        MakeWindow({900, 640});
        noteClicks_.clear();
        connect(fm.get(), &TfmBook::noteIconClicked, this, [this](int row) { noteClicks_ << row; });
        P().splH()->setSizes({300, 300}); // room for several pane rows
        ShowWindow();
        OpenChapter(kGenesis1);
    }

    void cleanup() {
        QToolTip::hideText();
        fm.reset();
    }

    void hoveringABallListsItsVersesOnce() {
        const TMarkerSpot ball = Main()->MarkerSpots[0].at(0); // 创1:1, marker 1
        QCOMPARE(ball.Number, 1);
        const QString expected = ToolLines(ToolVerses(kGenesis1, 1));
        QVERIFY(expected.startsWith(QStringLiteral("[约1:1]")));

        Hover(Main(), BallCentre(ball));
        QVERIFY(Hand(Main()));
        QCOMPARE(Main()->viewport()->toolTip(), expected);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), expected);
        if (QWidget* tip = ToolTipLabel()) orvane::test::SaveShot(tip, QStringLiteral("chain-tip"));

        // Moving on within the ball keeps the tip as it is: nothing is rebuilt.
        Main()->viewport()->setToolTip(QStringLiteral("unchanged"));
        Hover(Main(), BallCentre(ball) + QPoint(4, 4));
        QCOMPARE(Main()->viewport()->toolTip(), QStringLiteral("unchanged"));

        // Off the ball everything returns to plain.
        Hover(Main(), FreePoint(Main(), 1));
        QVERIFY(!Hand(Main()));
        QVERIFY(Main()->viewport()->toolTip().isEmpty());
        QTRY_VERIFY(!QToolTip::isVisible());

        // Another ball of the verse gets its own list.
        const auto& spots = Main()->MarkerSpots[0];
        for (const TMarkerSpot& s : spots) {
            if (s.Number == 1) continue;
            Hover(Main(), BallCentre(s));
            QCOMPARE(Main()->viewport()->toolTip(), ToolLines(ToolVerses(kGenesis1, s.Number)));
            Hover(Main(), FreePoint(Main(), 1));
            break;
        }
    }

    void clickingABallRecordsTheVerseAndJumps() {
        Main()->SetRow(3); // 创1:3
        const int firstOfGroup = [&] {
            for (int r = 0; r < Pane()->RowCount(); ++r)
                if (Pane()->Cells(0, r) == "1") return int(Pane()->Objects(0, r) >> 16);
            return -1;
        }();
        QCOMPARE(firstOfGroup, ToolVerses(kGenesis1, 1).front());
        const TMarkerSpot ball = Main()->MarkerSpots[0].at(0); // 创1:1, marker 1

        Click(Main(), BallCentre(ball));
        QVERIFY(!Hand(Main()));
        QVERIFY(P().History());
        // The verse clicked in is recorded before the jump, the target after it.
        QVERIFY(P().History()->IndexOfName(THistoryList::NameOf(0)) >= 0);
        QCOMPARE(P().History()->VerseLine(P().History()->Position()), firstOfGroup);
        QTRY_COMPARE(P().GridFirstLine(),
                     ChapterTable[size_t(ChapterOfLine(firstOfGroup))].FirstLine);
        QTRY_VERIFY(!P().tmrTreeChanged()->isActive());
        QCOMPARE(fm->RowToVerseLine(Main()->Row()), firstOfGroup);
        QCOMPARE(fm->SelectedBookData()->BookIndex, BookOfLine(firstOfGroup));

        // Back in the history is the verse the reference was followed from.
        const int back = P().History()->Position() - 1;
        QVERIFY(back >= 0);
        QCOMPARE(P().History()->VerseLine(back), 0);
    }

    void ctrlClickMarksAndPlainClickClears() {
        Click(Main(), FreePoint(Main(), 2), Qt::LeftButton, Qt::ControlModifier);
        Click(Main(), FreePoint(Main(), 3), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(P().MarkedRows(), QStringList({"2", "3"}));
        Click(Main(), FreePoint(Main(), 2), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(P().MarkedRows(), QStringList({"3"}));

        // The header is no verse, and the pane's rows are no rows of the chapter.
        const QRect header = Main()->CellRect(1, 0);
        Click(Main(), header.center(), Qt::LeftButton, Qt::ControlModifier);
        Click(Pane(), FreePoint(Pane(), 1), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(P().MarkedRows(), QStringList({"3"}));
        orvane::test::SaveShot(Main()->viewport(), QStringLiteral("chain-marks"));

        Click(Main(), FreePoint(Main(), 4));
        QVERIFY(P().MarkedRows().isEmpty());

        // Marks name rows of the chapter they were made in; another chapter drops them.
        Click(Main(), FreePoint(Main(), 2), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(P().MarkedRows(), QStringList({"2"}));
        P().tbtnNexChapterClick();
        QTRY_COMPARE(P().GridFirstLine(), ChapterTable[1].FirstLine);
        QVERIFY(P().MarkedRows().isEmpty());
    }

    void rightClickAndHeaderClick() {
        QCOMPARE(Main()->Row(), 1);
        Click(Main(), FreePoint(Main(), 4), Qt::RightButton);
        QCOMPARE(Main()->Row(), 4);
        QCOMPARE(nodes[0].VerseRow, 3);
        P().PopupMenu1()->close();

        // The header's number cell selects every verse of the chapter.
        Click(Main(), Main()->CellRect(0, 0).center());
        QCOMPARE(Main()->Selection().Top, 1);
        QCOMPARE(Main()->Selection().Bottom, Main()->RowCount() - 1);
    }

    void noteIconShowsTheNoteAndClickOpensIt() {
        QVERIFY(Notes().SetNote(1, Utf8ToGbk("第一行\t第二行")));
        Paint();
        const QRect cell = Main()->CellRect(1, 2);
        const QPoint icon(cell.right() - 6, cell.bottom() - 6);
        Hover(Main(), icon);
        QVERIFY(Hand(Main()));
        QCOMPARE(Main()->viewport()->toolTip(), QStringLiteral("第一行\n第二行"));
        QTest::mouseClick(Main()->viewport(), Qt::LeftButton, {}, icon);
        QCOMPARE(noteClicks_, QList<int>({2}));
        QVERIFY(!Hand(Main()));
        // A verse without a note has no icon to point at.
        Hover(Main(),
              QPoint(Main()->CellRect(1, 3).right() - 6, Main()->CellRect(1, 3).bottom() - 6));
        QVERIFY(!Hand(Main()));
        QVERIFY(Notes().SetNote(1, ""));
    }

    // Resting on a ball, then straight into the number column (where movement changes
    // nothing) and a click there: the hand is still up, but no note icon is under the pointer.
    void handLeftByABallOpensNoNoteEditor() {
        const TMarkerSpot ball = Main()->MarkerSpots[0].at(0); // 创1:1, which has no note
        const QPoint number = Main()->CellRect(0, 1).center();
        Hover(Main(), BallCentre(ball));
        QVERIFY(Hand(Main()));
        Hover(Main(), number);
        QVERIFY(Hand(Main()));
        QTest::mouseClick(Main()->viewport(), Qt::LeftButton, {}, number);
        QVERIFY(noteClicks_.isEmpty());
        QVERIFY(!Hand(Main()));

        // A verse that has a note, clicked off its icon with the hand left over, and right
        // clicked: neither opens the editor.
        QVERIFY(Notes().SetNote(1, Utf8ToGbk("批注")));
        Paint();
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            Hover(Main(), BallCentre(Main()->MarkerSpots[1].at(0)));
            QVERIFY(Hand(Main()));
            const QPoint off = Main()->CellRect(0, 2).center();
            Hover(Main(), off);
            QTest::mouseClick(Main()->viewport(), button, {}, off);
            P().PopupMenu1()->close();
        }
        QVERIFY(noteClicks_.isEmpty());
        QVERIFY(Notes().SetNote(1, ""));
    }

    // Hints stay while the pointer rests, well past the ten seconds Qt gives a short tip; the
    // tip the widget raises itself once the pointer has rested is the same and lasts as long.
    void hintsStayWhileThePointerRests() {
        fm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fm.get()));
        QVERIFY(Notes().SetNote(1, Utf8ToGbk("短注")));
        Paint();
        const QRect cell = Main()->CellRect(1, 2);
        // The ball with the shortest list of the first verses, so Qt's default would be short.
        TMarkerSpot ball = Main()->MarkerSpots[0].at(0);
        for (size_t r = 0; r < 3; ++r)
            for (const TMarkerSpot& s : Main()->MarkerSpots[r])
                if (ToolLines(ToolVerses(kGenesis1, s.Number)).size() <
                    ToolLines(ToolVerses(kGenesis1, ball.Number)).size())
                    ball = s;
        const struct {
            QPoint at;
            QString text;
        } hints[] = {{BallCentre(ball), ToolLines(ToolVerses(kGenesis1, ball.Number))},
                     {QPoint(cell.right() - 6, cell.bottom() - 6), QStringLiteral("短注")}};
        for (const auto& hint : hints) {
            Hover(Main(), FreePoint(Main(), 3));
            QTRY_VERIFY(!QToolTip::isVisible());
            Hover(Main(), hint.at);
            QTRY_VERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), hint.text);
            // What Qt would allow this text, and some more.
            const int qtDefault = 10000 + 40 * std::max(0, int(hint.text.size()) - 100);
            QTest::qWait(qtDefault + 1500);
            QVERIFY2(QToolTip::isVisible(), qPrintable(hint.text));
            QCOMPARE(QToolTip::text(), hint.text);
        }
        QVERIFY(Notes().SetNote(1, ""));
    }

    void paneListsEveryReferenceGroupByGroup() {
        QCOMPARE(P().PageControl1()->currentWidget(), P().tshtSeriP());
        const std::string& line = TBibGlobe::CorpusFile(kChainFile)[kGenesis1];
        const int groups = int(std::count(line.begin(), line.end(), '~'));
        int r = 0;
        for (int g = 1; g <= groups; ++g) {
            for (int v : ToolVerses(kGenesis1, g)) {
                QCOMPARE(Pane()->Cells(0, r), std::to_string(g));
                QCOMPARE(Pane()->Cells(1, r), PaneText(v));
                QCOMPARE(Pane()->Objects(0, r), intptr_t(v) << 16 | ChapterOfLine(v));
                ++r;
            }
        }
        QCOMPARE(Pane()->RowCount(), r);
        QVERIFY(FromGbk(Pane()->Cells(1, 0)).startsWith(QStringLiteral("[约1:1]")));

        // The group's number stands on its first row only.
        Pane()->SetTopRow(0);
        Paint();
        const QImage shot =
            Pane()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        orvane::test::SaveShot(shot, QStringLiteral("chain-pane"));
        QCOMPARE(Pane()->Cells(0, 1), Pane()->Cells(0, 0));
        const QPoint number0 = Pane()->CellRect(0, 0).topLeft() + QPoint(4, 4);
        const QPoint number1 = Pane()->CellRect(0, 1).topLeft() + QPoint(4, 4);
        QVERIFY(BallCoverage(shot, number0) > 0.6);
        QVERIFY(BallCoverage(shot, number1) < 0.2);
        // The text column was broken for these very texts.
        for (int i = 0; i < Pane()->RowCount(); ++i)
            QCOMPARE(int(Pane()->LineBreaks[size_t(i)].back()), int(Pane()->Cells(1, i).size()));
    }

    void paneFollowsTheVerseAndRecordsItsRow() {
        // 创1:3 opens with a marker: the pane shows the first row of that group.
        const std::string& text = TBibGlobe::VerseText(2);
        QCOMPARE(text.front(), kMarkerChar);
        const std::string number = std::to_string(std::atoi(text.c_str() + 1));
        Main()->SetRow(3);
        QCOMPARE(Pane()->Cells(0, Pane()->Row()), number);
        QVERIFY(Pane()->Row() == 0 || Pane()->Cells(0, Pane()->Row() - 1) != number);
        QCOMPARE(nodes[0].ChainRow, Pane()->Row());

        Pane()->SetTopRow(0);
        Paint();
        Click(Pane(), FreePoint(Pane(), 2));
        QCOMPARE(Pane()->Row(), 2);
        QCOMPARE(nodes[0].ChainRow, 2);
    }

    void paneBallResolvesItsOwnChaptersNinetyNine() {
        const std::optional<ForeignBall> found = FindForeignBall();
        QVERIFY2(found, "no listed verse of another chapter with a \"99\" group in Genesis 1");
        const ForeignBall& ball = *found;
        const std::vector<int> own = ToolVerses(ball.chapter, ball.spot.Number);
        const QString ownPrefix =
            QStringLiteral("[%1%2:")
                .arg(FromGbk(BookTable[size_t(BookOfChapter(ball.chapter))].ShortName))
                .arg(ChapterNumber(ball.chapter));

        Hover(Pane(), BallCentre(ball.spot));
        QVERIFY(Hand(Pane()));
        const QString tip = Pane()->viewport()->toolTip();
        QCOMPARE(tip, ToolLines(own));
        QVERIFY2(tip.startsWith(ownPrefix), qPrintable(tip.left(20) + " / " + ownPrefix));
        // Read against the shown chapter the same group would name other verses.
        const std::string group = ChainGroupText(
            TBibGlobe::CorpusFile(kChainFile)[size_t(ball.chapter)], ball.spot.Number);
        QVERIFY(ToolLines(ParseChainGroup(group, 0, 1)) != tip);

        // Following it goes where the tip pointed.
        QTest::mouseClick(Pane()->viewport(), Qt::LeftButton, {}, BallCentre(ball.spot));
        QTRY_COMPARE(P().GridFirstLine(),
                     ChapterTable[size_t(ChapterOfLine(own.front()))].FirstLine);
        QTRY_VERIFY(!P().tmrTreeChanged()->isActive());
        QCOMPARE(fm->RowToVerseLine(Main()->Row()), own.front());
    }

    // The pane on its own, as its owner sees it: a fill asks once for its list to be laid out
    // and reports no row as chosen (the window would store it as the book's place); a row the
    // reader clicks is reported as a data row; a verse selects its first marker's group.
    void thePaneAloneReportsOnlyWhatTheReaderChose() {
        TChainPane pane;
        pane.resize(500, 300);
        QSignalSpy layouts(&pane, &TChainPane::layoutWanted);
        QSignalSpy chosen(&pane, &TChainPane::chainRowSelected);
        pane.SetShownChapter(kGenesis1);
        pane.FillChainPane();
        QCOMPARE(pane.ListedChapter(), kGenesis1);
        QCOMPARE(layouts.count(), 1);
        QCOMPARE(layouts.front().front().value<TStringGrid*>(), pane.Grid());
        QVERIFY(chosen.isEmpty());
        QCOMPARE(pane.Grid()->Cells(1, 0), PaneText(ToolVerses(kGenesis1, 1).front()));

        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        QTest::mouseClick(pane.Grid()->viewport(), Qt::LeftButton, {},
                          pane.Grid()->CellRect(1, 2).center());
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.front().front().toInt(), 2);

        // The first verse whose first marker is past group 1, and the row its group starts on
        // counted from the groups before it.
        int verse = -1, marker = -1;
        for (int v = ChapterTable[kGenesis1].FirstLine; v <= ChapterTable[kGenesis1].LastLine;
             ++v) {
            const TMarker m = FindMarker(TBibGlobe::VerseText(v));
            if (m.Begin != std::string_view::npos && m.Number > 1) {
                verse = v;
                marker = m.Number;
                break;
            }
        }
        QVERIFY(verse >= 0);
        int row = 0;
        for (int g = 1; g < marker; ++g)
            row += int(ToolVerses(kGenesis1, g).size());
        pane.SelectChainPaneRow(-1);
        QCOMPARE(pane.Grid()->Row(), 2);
        pane.SelectChainPaneRow(verse);
        QCOMPARE(pane.Grid()->Row(), row);
        QCOMPARE(pane.Grid()->Cells(0, row), std::to_string(marker));
    }

    void hiddenPaneWaitsAndCatchesUp() {
        P().PageControl1()->setCurrentWidget(P().tshtLingXiu());
        const std::string before = Pane()->Cells(1, 0);
        P().tbtnNexChapterClick();
        QTRY_COMPARE(P().GridFirstLine(), ChapterTable[1].FirstLine);
        fm->resize(980, 700);
        QCoreApplication::processEvents();
        QCOMPARE(Pane()->Cells(1, 0), before); // still Genesis 1's list
        QCOMPARE(P().ChainPaneChapter(), kGenesis1);

        P().PageControl1()->setCurrentWidget(P().tshtSeriP());
        QCoreApplication::processEvents();
        QCOMPARE(P().ChainPaneChapter(), 1);
        const std::vector<int> first = ToolVerses(1, 1);
        QCOMPARE(Pane()->Cells(1, 0), PaneText(first.front()));
        for (int i = 0; i < Pane()->RowCount(); ++i)
            QCOMPARE(int(Pane()->LineBreaks[size_t(i)].back()), int(Pane()->Cells(1, i).size()));
        // The text column fills the page beside the number column.
        QCOMPARE(
            Pane()->ColWidth(0) + Pane()->ColWidth(1) + 2 +
                (Pane()->ScrollBarShowing() ? Pane()->verticalScrollBar()->sizeHint().width() : 0),
            Pane()->contentsRect().width());
    }
};

QTEST_MAIN(ChainPaneTest)
#include "ChainPaneTest.moc"
