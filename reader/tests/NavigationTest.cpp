#include "ReadingWindowHarness.h"
#include "TestSupport.h"

#include "BookTables.h"
#include "GbkBridge.h"
#include "Markers.h"
#include "SkinState.h"
#include "wnBook.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace orvane;

namespace {

int BookNamed(const QString& name) {
    for (int b = 0; b < kBookCount; ++b)
        if (FromGbk(BookTable[size_t(b)].FullName) == name) return b;
    return -1;
}

} // namespace

class NavigationTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    // The rows the window reported its pages caught up with.
    QList<int> editorRows;

    // Leaves a mark in the chain pane and the study-note pane that any refill of theirs wipes.
    void MarkPanes() {
        TStringGrid* pane = P().sgrdSeriP();
        pane->SetCells(1, pane->RowCount() - 1, kMark);
        P().redtLingXiu()->setPlainText(QString::fromLatin1(kMark));
    }
    bool PaneFilled() const {
        TStringGrid* pane = P().sgrdSeriP();
        return pane->Cells(1, pane->RowCount() - 1) != kMark;
    }
    bool NoteShown() const {
        return P().redtLingXiu()->toPlainText() != QString::fromLatin1(kMark);
    }
    // The pane's first row of the group of the grid row's first marker; -1 without a marker.
    int PaneRowFor(int gridRow) const {
        const TMarker marker = FindMarker(TBibGlobe::VerseText(fm->RowToVerseLine(gridRow)));
        if (marker.Begin == std::string_view::npos) return -1;
        TStringGrid* pane = P().sgrdSeriP();
        for (int r = 0; r < pane->RowCount(); ++r)
            if (pane->Cells(0, r) == std::to_string(marker.Number)) return r;
        return -1;
    }
    static constexpr const char* kMark = "mark";

    // Selects a book as the reader does and lets the load delay pass.
    void Open(const QString& name) {
        const int book = BookNamed(name);
        QVERIFY2(book >= 0, qPrintable(name));
        fm->FillBookTree(book >= kFirstNewTestamentBook);
        QTreeWidgetItem* item = Node(book);
        QVERIFY(item);
        P().trvBook()->setCurrentItem(item);
        WaitForLoad();
    }

    void TypeIntoChapterBox(const QString& keys, Qt::Key finish) {
        P().edtChapterNum()->setFocus();
        P().edtChapterNum()->selectAll();
        orvane::test::KeyToFocus(fm.get(), Qt::Key_Backspace);
        orvane::test::TypeToFocus(fm.get(), keys);
        orvane::test::KeyToFocus(fm.get(), finish);
    }

private slots:
    void initTestCase() { PrepareRun(); }

    void init() {
        MakeWindow();
        editorRows.clear();
        connect(fm.get(), &TfmBook::rowDetailsChanged, this,
                [this](int row) { editorRows << row; });
        MarkPanes();
        ShowWindow();
    }

    void cleanup() {
        fm.reset();
        SkinIndex = kSkinSystem;
    }

    void bookTreeListsOneTestamentWithoutSelecting() {
        P().trvBook()->setCurrentItem(nullptr);
        fm->FillBookTree(false);
        QCOMPARE(P().trvBook()->topLevelItemCount(), 39);
        QCOMPARE(P().trvBook()->topLevelItem(0)->text(0), QStringLiteral("创世记"));
        QCOMPARE(P().trvBook()->topLevelItem(38)->text(0), QStringLiteral("玛拉基书"));
        P().trvBook()->setCurrentItem(P().trvBook()->topLevelItem(3));
        fm->FillBookTree(true);
        QCOMPARE(P().trvBook()->topLevelItemCount(), 27);
        QCOMPARE(P().trvBook()->topLevelItem(0)->text(0), QStringLiteral("马太福音"));
        QCOMPARE(P().trvBook()->topLevelItem(0)->data(0, Qt::UserRole).value<void*>(),
                 static_cast<void*>(&nodes[39]));
        QCOMPARE(P().trvBook()->currentItem(), nullptr);
        QVERIFY(fm->SelectedBookData() == nullptr);
        QCOMPARE(fm->ChapterNumber(), 0);
        QCOMPARE(P().Notebook1()->currentIndex(), 0);
    }

    void quickRunOfSelectionsLoadsOnlyTheLast() {
        fm->FillBookTree(false);
        const int leviticus = BookNamed(QStringLiteral("利未记"));
        P().trvBook()->setCurrentItem(Node(0));
        QTest::qWait(50);
        P().trvBook()->setCurrentItem(Node(1));
        QTest::qWait(50);
        P().trvBook()->setCurrentItem(Node(leviticus));
        QVERIFY(!PaneFilled()); // nothing loaded while the reader keeps moving
        WaitForLoad();
        QVERIFY(PaneFilled());
        QCOMPARE(P().ChainPaneChapter(), BookTable[size_t(leviticus)].FirstChapter);
        QCOMPARE(fm->SelectedBookData(), &nodes[size_t(leviticus)]);
        QCOMPARE(P().sgrdMain()->RowCount(), VerseCount(leviticus, 1) + 1);
        QCOMPARE(P().sgrdMain()->Row(), 1);
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("1"));
        QCOMPARE(fm->RowToVerseLine(1), BookTable[size_t(leviticus)].FirstLine);
        QVERIFY(P().tmrDrawSelectFrame()->isActive());
        QCOMPARE(P().sgrdMain()->ColWidth(0), 52);
        orvane::test::SaveShot(fm.get(), QStringLiteral("nav-window"));
    }

    void aChapterOutsideItsBookFallsBackToTheFirst() {
        nodes[1].ChapterIndex = BookTable[0].FirstChapter + 3; // Genesis 4, stored under Exodus
        fm->FillBookTree(false);
        P().trvBook()->setCurrentItem(Node(1));
        WaitForLoad();
        QCOMPARE(nodes[1].ChapterIndex, BookTable[1].FirstChapter);
        QCOMPARE(P().sgrdMain()->RowCount(), VerseCount(1, 1) + 1);
    }

    void chapterButtonsStayInsideTheBook() {
        Open(QStringLiteral("创世记"));
        P().tbtnPrevChapter()->trigger(); // already the first chapter
        QVERIFY(!P().tmrTreeChanged()->isActive());
        P().tbtnLastChapter()->trigger();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 50);
        for (int i = 0; i < 4; ++i)
            P().ToolButton11()->trigger();
        QCOMPARE(P().sgrdMain()->Row(), 5);
        QCOMPARE(nodes[0].VerseRow, 4);
        P().tbtnNexChapter()->trigger();
        QVERIFY(!P().tmrTreeChanged()->isActive());
        QCOMPARE(fm->ChapterNumber(), 50);
        QCOMPARE(P().sgrdMain()->Row(), 1);
        QCOMPARE(nodes[0].VerseRow, 0);
        QCOMPARE(P().trvBook()->currentItem(), Node(0));
        P().ToolButton8()->trigger(); // no row above the first
        QCOMPARE(P().sgrdMain()->Row(), 1);
        P().tbtnFirstChapter()->trigger();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);
        P().tbtnNexChapter()->trigger();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 2);
        P().tbtnPrevChapter()->trigger();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);

        // A jump into the book shown stores the place, then deselects and reselects the node.
        nodes[0].ChapterIndex = BookTable[0].FirstChapter + 4;
        P().trvBook()->clearSelection();
        P().trvBook()->setCurrentItem(Node(0));
        WaitForLoad();
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("5"));
        QCOMPARE(P().sgrdMain()->RowCount(), VerseCount(0, 5) + 1);
    }

    void verseRowFollowsTheReaderAcrossChaptersAndBooks() {
        Open(QStringLiteral("创世记"));
        // Verse 2 by mouse, then away to Exodus and back.
        QTRY_VERIFY(!P().sgrdMain()->CellRect(1, 2).isEmpty());
        QTest::mouseClick(P().sgrdMain()->viewport(), Qt::LeftButton, {},
                          P().sgrdMain()->CellRect(1, 2).center());
        QCOMPARE(nodes[0].VerseRow, 1);
        P().trvBook()->setCurrentItem(Node(1));
        WaitForLoad();
        QCOMPARE(P().sgrdMain()->Row(), 1);
        P().trvBook()->setCurrentItem(Node(0));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);
        QCOMPARE(P().sgrdMain()->Row(), 2);
        // A click on the verse number selects the verse too.
        QTest::mouseClick(P().sgrdMain()->viewport(), Qt::LeftButton, {},
                          P().sgrdMain()->CellRect(0, 3).center());
        QCOMPARE(nodes[0].VerseRow, 2);

        // Verse 30 of Genesis 1; Genesis 2 has 25 verses.
        QCOMPARE(VerseCount(0, 2), 25);
        P().sgrdMain()->SetRow(30);
        QCOMPARE(nodes[0].VerseRow, 29);
        P().tbtnNexChapter()->trigger();
        WaitForLoad();
        QCOMPARE(P().sgrdMain()->Row(), 1);
        QCOMPARE(nodes[0].VerseRow, 29); // kept until the reader picks a row
        P().tbtnPrevChapter()->trigger();
        WaitForLoad();
        QCOMPARE(P().sgrdMain()->Row(), 30);
        QVERIFY(!P().sgrdMain()->CellRect(1, 30).isEmpty());
    }

    void chapterBoxTakesDigitsAndKeepsInsideTheBook() {
        Open(QStringLiteral("诗篇"));
        const int psalms = BookNamed(QStringLiteral("诗篇"));
        TypeIntoChapterBox(QStringLiteral("200"), Qt::Key_Return);
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("150"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 150);
        QCOMPARE(P().sgrdMain()->RowCount(), VerseCount(psalms, 150) + 1);

        TypeIntoChapterBox(QStringLiteral("a2b3c"), Qt::Key_Enter);
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("23"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 23);

        TypeIntoChapterBox(QStringLiteral("0"), Qt::Key_Return);
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("1"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);

        // The box holds three digits; Enter on the chapter shown reloads nothing.
        TypeIntoChapterBox(QStringLiteral("1"), Qt::Key_Return);
        QVERIFY(!P().tmrTreeChanged()->isActive());
        P().edtChapterNum()->clear();
        P().edtChapterNum()->setFocus();
        orvane::test::TypeToFocus(fm.get(), QStringLiteral("1234"));
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("123"));

        Open(QStringLiteral("希伯来书"));
        TypeIntoChapterBox(QStringLiteral("13"), Qt::Key_Return);
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 13);
        P().edtChapterNum()->setFocus();
        orvane::test::KeyToFocus(fm.get(), Qt::Key_Escape);
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("1"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);
    }

    void chapterListFollowsTheChapterCount() {
        Open(QStringLiteral("撒母耳记上"));
        QCOMPARE(P().ppmChapterSelect()->actions().size(), 31);
        QCOMPARE(P().tbtnLastChapter()->toolTip(), QStringLiteral("卷末章(31)"));
        const QList<QAction*> before = P().ppmChapterSelect()->actions();
        QCOMPARE(before[4]->text(), QStringLiteral("5"));

        // Proverbs has 31 chapters too: the same list, checked at its own chapter.
        const int proverbs = BookNamed(QStringLiteral("箴言"));
        nodes[size_t(proverbs)].ChapterIndex = BookTable[size_t(proverbs)].FirstChapter + 9;
        Open(QStringLiteral("箴言"));
        QCOMPARE(P().ppmChapterSelect()->actions(), before);
        QVERIFY(before[9]->isChecked());
        QVERIFY(!before[0]->isChecked());

        before[4]->trigger();
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("5"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 5);
        QVERIFY(before[4]->isChecked());
        before[4]->trigger(); // the chapter shown: nothing to do
        QVERIFY(!P().tmrTreeChanged()->isActive());

        Open(QStringLiteral("诗篇"));
        QCOMPARE(P().ppmChapterSelect()->actions().size(), 150);
        QCOMPARE(P().tbtnLastChapter()->toolTip(), QStringLiteral("卷末章(150)"));
        QCOMPARE(P().ppmChapterSelect()->actions().last()->text(), QStringLiteral("150"));

        QTest::mouseClick(P().sbtnChapterSelect(), Qt::LeftButton);
        QTRY_VERIFY(P().ppmChapterSelect()->isVisible());
        orvane::test::SaveShot(P().ppmChapterSelect(), QStringLiteral("nav-chapters"));
        P().ppmChapterSelect()->close();

        // A short list drops down from the button's bottom-left corner.
        Open(QStringLiteral("路得记"));
        QTest::mouseClick(P().sbtnChapterSelect(), Qt::LeftButton);
        QTRY_VERIFY(P().ppmChapterSelect()->isVisible());
        QCOMPARE(P().ppmChapterSelect()->pos(), P().sbtnChapterSelect()->mapToGlobal(
                                                    QPoint(0, P().sbtnChapterSelect()->height())));
        QTest::mouseClick(
            P().ppmChapterSelect(), Qt::LeftButton, {},
            P().ppmChapterSelect()->actionGeometry(P().ppmChapterSelect()->actions()[2]).center());
        QCOMPARE(P().edtChapterNum()->text(), QStringLiteral("3"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 3);
    }

    void chapterListNeverLeadsIntoAnotherBook() {
        Open(QStringLiteral("诗篇"));
        // Jude has one chapter; the list is still the Psalms' while its load is pending.
        const int jude = BookNamed(QStringLiteral("犹大书"));
        fm->FillBookTree(true);
        P().trvBook()->setCurrentItem(Node(jude));
        QAction stale(QStringLiteral("140"));
        P().ChapterMenuClick(&stale);
        QCOMPARE(nodes[size_t(jude)].ChapterIndex, BookTable[size_t(jude)].FirstChapter);
        QTest::mouseClick(P().sbtnChapterSelect(), Qt::LeftButton);
        QCOMPARE(P().ppmChapterSelect()->actions().size(), 1);
        P().ppmChapterSelect()->close();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);
    }

    void bookButtonsWalkTheTree() {
        fm->resize(900, 300); // a tree shorter than the testament
        fm->FillBookTree(false);
        P().sbtnNextVol()->click(); // nothing selected: nothing to move from
        QCOMPARE(P().trvBook()->currentItem(), nullptr);
        P().trvBook()->setCurrentItem(Node(5));
        P().sbtnPreVol()->click();
        QCOMPARE(P().trvBook()->currentItem(), Node(4));
        P().sbtnNextVol()->click();
        QCOMPARE(P().trvBook()->currentItem(), Node(5));
        P().sbtnFirstVol()->click();
        QCOMPARE(P().trvBook()->currentItem(), Node(0));
        P().sbtnPreVol()->click();
        QCOMPARE(P().trvBook()->currentItem(), Node(0));
        P().sbtnLastVol()->click();
        QCOMPARE(P().trvBook()->currentItem(), Node(38));
        P().sbtnNextVol()->click();
        QCOMPARE(P().trvBook()->currentItem(), Node(38));
        QVERIFY(!PaneFilled()); // nothing loaded while the reader walks
        WaitForLoad();
        QVERIFY(PaneFilled()); // the walk's last book only
        QCOMPARE(P().ChainPaneChapter(), BookTable[38].FirstChapter);

        // Walking down past the bottom of the tree brings the new book to the top.
        P().sbtnFirstVol()->click();
        QTreeWidget* tree = P().trvBook();
        bool scrolled = false;
        for (int i = 1; i < 39; ++i) {
            const bool shown = tree->viewport()->rect().contains(tree->visualItemRect(Node(i)));
            P().sbtnNextVol()->click();
            QCOMPARE(tree->currentItem(), Node(i));
            if (!shown) {
                QCOMPARE(tree->itemAt(QPoint(4, 2)), Node(i));
                scrolled = true;
                break;
            }
        }
        QVERIFY(scrolled);
    }

    void visiblePageFollowsTheVerse() {
        P().PageControl1()->setCurrentWidget(P().tshtLingXiu());
        Open(QStringLiteral("创世记"));
        QVERIFY(NoteShown());
        QVERIFY(!PaneFilled());
        QVERIFY(P().sgrdSeriP()->ReloadPending); // the hidden chain pane reloads when shown
        QCOMPARE(editorRows, QList<int>{1});

        QTabBar* tabs = P().PageControl1()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(P().PageControl1()->currentWidget(), P().tshtSeriP());
        QVERIFY(PaneFilled());
        QVERIFY(!P().sgrdSeriP()->ReloadPending);
        QVERIFY(PaneRowFor(1) >= 0);
        QCOMPARE(P().sgrdSeriP()->Row(), PaneRowFor(1));

        MarkPanes();
        P().ToolButton11()->trigger();
        QVERIFY(!PaneFilled()); // same chapter: the pane only moves
        QCOMPARE(P().sgrdSeriP()->Row(), PaneRowFor(2));
        QCOMPARE(editorRows.last(), 2);

        const int paneRow = P().sgrdSeriP()->Row();
        P().PageControl1()->setCurrentWidget(P().tshtSearchResult());
        MarkPanes();
        P().ToolButton11()->trigger();
        QCOMPARE(P().sgrdSeriP()->Row(), paneRow);
        QVERIFY(!NoteShown());
        QCOMPARE(editorRows.last(), 3);
    }

    void draggingTheActiveTabOntoTheFirstMakesItFirst() {
        QTabBar* tabs = P().PageControl1()->tabBar();
        const QPoint from = tabs->tabRect(2).center();
        const QPoint to = tabs->tabRect(0).center();
        QTest::mousePress(tabs, Qt::LeftButton, {}, from);
        QCOMPARE(P().PageControl1()->currentWidget(), P().tshtSearchResult());
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(tabs, from + (to - from) * i / 10);
        QTest::mouseRelease(tabs, Qt::LeftButton, {}, to);
        QTRY_COMPARE(P().PageControl1()->widget(0), P().tshtSearchResult());
        QCOMPARE(P().PageControl1()->tabText(0), QStringLiteral("搜索结果"));
        QCOMPARE(P().PageControl1()->currentWidget(), P().tshtSearchResult());
        QCOMPARE(P().PageControl1()->widget(1), P().tshtSeriP());
        QCOMPARE(P().PageControl1()->widget(2), P().tshtLingXiu());
    }

    void skinnedTabsAreFlatInTheFaceColour() {
        QTabBar* tabs = P().PageControl1()->tabBar();
        const QColor face(214, 226, 240);
        const QRect inactive = tabs->tabRect(1);
        const QPoint probe(inactive.right() - 2, inactive.bottom() - 2);
        QVERIFY(tabs->grab().toImage().pixelColor(probe) != face);
        SkinIndex = 1;
        LoadSkin(1);
        SkinFaceColor = face;
        const QImage skinned = tabs->grab().toImage();
        QCOMPARE(skinned.pixelColor(probe), face);
        QCOMPARE(skinned.pixelColor(tabs->tabRect(0).bottomRight() - QPoint(2, 2)), face);
        orvane::test::SaveShot(fm.get(), QStringLiteral("nav-window-skinned"));
        orvane::test::SaveShot(tabs->grab().scaled(tabs->size() * 3).toImage(),
                               QStringLiteral("nav-tabs-skinned"));
    }
};

QTEST_MAIN(NavigationTest)
#include "NavigationTest.moc"
