#include "ReadingWindowHarness.h"

#include "BookTables.h"
#include "GbkBridge.h"
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

    // What ShowRowDetails handed to the panes.
    int chainFills = 0;
    QList<int> paneRows, noteRows, editorRows;

    // Selects a book as the reader does and lets the load delay pass.
    void Open(const QString& name) {
        const int book = BookNamed(name);
        QVERIFY2(book >= 0, qPrintable(name));
        fm->FillBookTree(book >= kFirstNewTestamentBook);
        QTreeWidgetItem* item = Node(book);
        QVERIFY(item);
        fm->trvBook->setCurrentItem(item);
        WaitForLoad();
    }

    void TypeIntoChapterBox(const QString& keys, Qt::Key finish) {
        fm->edtChapterNum->selectAll();
        QTest::keyClick(fm->edtChapterNum, Qt::Key_Backspace);
        QTest::keyClicks(fm->edtChapterNum, keys);
        QTest::keyClick(fm->edtChapterNum, finish);
    }

private slots:
    void initTestCase() {
        PrepareRun();
        QDir().mkpath(QStringLiteral("/tmp/nav"));
    }

    void init() {
        MakeWindow();
        chainFills = 0;
        paneRows.clear();
        noteRows.clear();
        editorRows.clear();
        fm->FillChainPane = [this] { ++chainFills; };
        fm->SelectPaneForRow = [this](int row) { paneRows << row; };
        fm->ShowStudyNote = [this](int row) { noteRows << row; };
        fm->EditorFollow = [this](int row) { editorRows << row; };
        ShowWindow();
    }

    void cleanup() {
        fm.reset();
        SkinIndex = kSkinSystem;
    }

    void bookTreeListsOneTestamentWithoutSelecting() {
        fm->trvBook->setCurrentItem(nullptr);
        fm->FillBookTree(false);
        QCOMPARE(fm->trvBook->topLevelItemCount(), 39);
        QCOMPARE(fm->trvBook->topLevelItem(0)->text(0), QStringLiteral("创世记"));
        QCOMPARE(fm->trvBook->topLevelItem(38)->text(0), QStringLiteral("玛拉基书"));
        fm->trvBook->setCurrentItem(fm->trvBook->topLevelItem(3));
        fm->FillBookTree(true);
        QCOMPARE(fm->trvBook->topLevelItemCount(), 27);
        QCOMPARE(fm->trvBook->topLevelItem(0)->text(0), QStringLiteral("马太福音"));
        QCOMPARE(fm->trvBook->topLevelItem(0)->data(0, Qt::UserRole).value<void*>(),
                 static_cast<void*>(&nodes[39]));
        QCOMPARE(fm->trvBook->currentItem(), nullptr);
        QVERIFY(fm->SelectedBookData() == nullptr);
        QCOMPARE(fm->ChapterNumber(), 0);
        QCOMPARE(fm->Notebook1->currentIndex(), 0);
    }

    void quickRunOfSelectionsLoadsOnlyTheLast() {
        fm->FillBookTree(false);
        const int leviticus = BookNamed(QStringLiteral("利未记"));
        fm->trvBook->setCurrentItem(Node(0));
        QTest::qWait(50);
        fm->trvBook->setCurrentItem(Node(1));
        QTest::qWait(50);
        fm->trvBook->setCurrentItem(Node(leviticus));
        QCOMPARE(chainFills, 0); // nothing loaded while the reader keeps moving
        WaitForLoad();
        QCOMPARE(chainFills, 1);
        QCOMPARE(fm->SelectedBookData(), &nodes[size_t(leviticus)]);
        QCOMPARE(fm->sgrdMain->RowCount(), VerseCount(leviticus, 1) + 1);
        QCOMPARE(fm->sgrdMain->Row(), 1);
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("1"));
        QCOMPARE(fm->RowToVerseLine(1), BookTable[size_t(leviticus)].FirstLine);
        QVERIFY(fm->tmrDrawSelectFrame->isActive());
        QCOMPARE(fm->sgrdMain->ColWidth(0), 52);
        fm->grab().save(QStringLiteral("/tmp/nav/window.png"));
    }

    void aChapterOutsideItsBookFallsBackToTheFirst() {
        nodes[1].ChapterIndex = BookTable[0].FirstChapter + 3; // Genesis 4, stored under Exodus
        fm->FillBookTree(false);
        fm->trvBook->setCurrentItem(Node(1));
        WaitForLoad();
        QCOMPARE(nodes[1].ChapterIndex, BookTable[1].FirstChapter);
        QCOMPARE(fm->sgrdMain->RowCount(), VerseCount(1, 1) + 1);
    }

    void chapterButtonsStayInsideTheBook() {
        Open(QStringLiteral("创世记"));
        fm->tbtnPrevChapter->trigger(); // already the first chapter
        QVERIFY(!fm->tmrTreeChanged->isActive());
        fm->tbtnLastChapter->trigger();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 50);
        for (int i = 0; i < 4; ++i)
            fm->ToolButton11->trigger();
        QCOMPARE(fm->sgrdMain->Row(), 5);
        QCOMPARE(nodes[0].VerseRow, 4);
        fm->tbtnNexChapter->trigger();
        QVERIFY(!fm->tmrTreeChanged->isActive());
        QCOMPARE(fm->ChapterNumber(), 50);
        QCOMPARE(fm->sgrdMain->Row(), 1);
        QCOMPARE(nodes[0].VerseRow, 0);
        QCOMPARE(fm->trvBook->currentItem(), Node(0));
        fm->ToolButton8->trigger(); // no row above the first
        QCOMPARE(fm->sgrdMain->Row(), 1);
        fm->tbtnFirstChapter->trigger();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);
        fm->tbtnNexChapter->trigger();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 2);
        fm->tbtnPrevChapter->trigger();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);

        // A jump into the book shown stores the place, then deselects and reselects the node.
        nodes[0].ChapterIndex = BookTable[0].FirstChapter + 4;
        fm->trvBook->clearSelection();
        fm->trvBook->setCurrentItem(Node(0));
        WaitForLoad();
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("5"));
        QCOMPARE(fm->sgrdMain->RowCount(), VerseCount(0, 5) + 1);
    }

    void verseRowFollowsTheReaderAcrossChaptersAndBooks() {
        Open(QStringLiteral("创世记"));
        // Verse 2 by mouse, then away to Exodus and back.
        QTRY_VERIFY(!fm->sgrdMain->CellRect(1, 2).isEmpty());
        QTest::mouseClick(fm->sgrdMain->viewport(), Qt::LeftButton, {},
                          fm->sgrdMain->CellRect(1, 2).center());
        QCOMPARE(nodes[0].VerseRow, 1);
        fm->trvBook->setCurrentItem(Node(1));
        WaitForLoad();
        QCOMPARE(fm->sgrdMain->Row(), 1);
        fm->trvBook->setCurrentItem(Node(0));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);
        QCOMPARE(fm->sgrdMain->Row(), 2);
        // A click on the verse number selects the verse too.
        QTest::mouseClick(fm->sgrdMain->viewport(), Qt::LeftButton, {},
                          fm->sgrdMain->CellRect(0, 3).center());
        QCOMPARE(nodes[0].VerseRow, 2);

        // Verse 30 of Genesis 1; Genesis 2 has 25 verses.
        QCOMPARE(VerseCount(0, 2), 25);
        fm->sgrdMain->SetRow(30);
        QCOMPARE(nodes[0].VerseRow, 29);
        fm->tbtnNexChapter->trigger();
        WaitForLoad();
        QCOMPARE(fm->sgrdMain->Row(), 1);
        QCOMPARE(nodes[0].VerseRow, 29); // kept until the reader picks a row
        fm->tbtnPrevChapter->trigger();
        WaitForLoad();
        QCOMPARE(fm->sgrdMain->Row(), 30);
        QVERIFY(!fm->sgrdMain->CellRect(1, 30).isEmpty());
    }

    void chapterBoxTakesDigitsAndKeepsInsideTheBook() {
        Open(QStringLiteral("诗篇"));
        const int psalms = BookNamed(QStringLiteral("诗篇"));
        TypeIntoChapterBox(QStringLiteral("200"), Qt::Key_Return);
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("150"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 150);
        QCOMPARE(fm->sgrdMain->RowCount(), VerseCount(psalms, 150) + 1);

        TypeIntoChapterBox(QStringLiteral("a2b3c"), Qt::Key_Enter);
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("23"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 23);

        TypeIntoChapterBox(QStringLiteral("0"), Qt::Key_Return);
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("1"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);

        // The box holds three digits; Enter on the chapter shown reloads nothing.
        TypeIntoChapterBox(QStringLiteral("1"), Qt::Key_Return);
        QVERIFY(!fm->tmrTreeChanged->isActive());
        fm->edtChapterNum->clear();
        QTest::keyClicks(fm->edtChapterNum, QStringLiteral("1234"));
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("123"));

        Open(QStringLiteral("希伯来书"));
        TypeIntoChapterBox(QStringLiteral("13"), Qt::Key_Return);
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 13);
        QTest::keyClick(fm->edtChapterNum, Qt::Key_Escape);
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("1"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);
    }

    void chapterListFollowsTheChapterCount() {
        Open(QStringLiteral("撒母耳记上"));
        QCOMPARE(fm->ppmChapterSelect->actions().size(), 31);
        QCOMPARE(fm->tbtnLastChapter->toolTip(), QStringLiteral("卷末章(31)"));
        const QList<QAction*> before = fm->ppmChapterSelect->actions();
        QCOMPARE(before[4]->text(), QStringLiteral("5"));

        // Proverbs has 31 chapters too: the same list, checked at its own chapter.
        const int proverbs = BookNamed(QStringLiteral("箴言"));
        nodes[size_t(proverbs)].ChapterIndex = BookTable[size_t(proverbs)].FirstChapter + 9;
        Open(QStringLiteral("箴言"));
        QCOMPARE(fm->ppmChapterSelect->actions(), before);
        QVERIFY(before[9]->isChecked());
        QVERIFY(!before[0]->isChecked());

        before[4]->trigger();
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("5"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 5);
        QVERIFY(before[4]->isChecked());
        before[4]->trigger(); // the chapter shown: nothing to do
        QVERIFY(!fm->tmrTreeChanged->isActive());

        Open(QStringLiteral("诗篇"));
        QCOMPARE(fm->ppmChapterSelect->actions().size(), 150);
        QCOMPARE(fm->tbtnLastChapter->toolTip(), QStringLiteral("卷末章(150)"));
        QCOMPARE(fm->ppmChapterSelect->actions().last()->text(), QStringLiteral("150"));

        QTest::mouseClick(fm->sbtnChapterSelect, Qt::LeftButton);
        QTRY_VERIFY(fm->ppmChapterSelect->isVisible());
        fm->ppmChapterSelect->grab().save(QStringLiteral("/tmp/nav/chapters.png"));
        fm->ppmChapterSelect->close();

        // A short list drops down from the button's bottom-left corner.
        Open(QStringLiteral("路得记"));
        QTest::mouseClick(fm->sbtnChapterSelect, Qt::LeftButton);
        QTRY_VERIFY(fm->ppmChapterSelect->isVisible());
        QCOMPARE(fm->ppmChapterSelect->pos(),
                 fm->sbtnChapterSelect->mapToGlobal(QPoint(0, fm->sbtnChapterSelect->height())));
        QTest::mouseClick(
            fm->ppmChapterSelect, Qt::LeftButton, {},
            fm->ppmChapterSelect->actionGeometry(fm->ppmChapterSelect->actions()[2]).center());
        QCOMPARE(fm->edtChapterNum->text(), QStringLiteral("3"));
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 3);
    }

    void chapterListNeverLeadsIntoAnotherBook() {
        Open(QStringLiteral("诗篇"));
        // Jude has one chapter; the list is still the Psalms' while its load is pending.
        const int jude = BookNamed(QStringLiteral("犹大书"));
        fm->FillBookTree(true);
        fm->trvBook->setCurrentItem(Node(jude));
        QAction stale(QStringLiteral("140"));
        fm->ChapterMenuClick(&stale);
        QCOMPARE(nodes[size_t(jude)].ChapterIndex, BookTable[size_t(jude)].FirstChapter);
        QTest::mouseClick(fm->sbtnChapterSelect, Qt::LeftButton);
        QCOMPARE(fm->ppmChapterSelect->actions().size(), 1);
        fm->ppmChapterSelect->close();
        WaitForLoad();
        QCOMPARE(fm->ChapterNumber(), 1);
    }

    void bookButtonsWalkTheTree() {
        fm->resize(900, 300); // a tree shorter than the testament
        fm->FillBookTree(false);
        fm->sbtnNextVol->click(); // nothing selected: nothing to move from
        QCOMPARE(fm->trvBook->currentItem(), nullptr);
        fm->trvBook->setCurrentItem(Node(5));
        fm->sbtnPreVol->click();
        QCOMPARE(fm->trvBook->currentItem(), Node(4));
        fm->sbtnNextVol->click();
        QCOMPARE(fm->trvBook->currentItem(), Node(5));
        fm->sbtnFirstVol->click();
        QCOMPARE(fm->trvBook->currentItem(), Node(0));
        fm->sbtnPreVol->click();
        QCOMPARE(fm->trvBook->currentItem(), Node(0));
        fm->sbtnLastVol->click();
        QCOMPARE(fm->trvBook->currentItem(), Node(38));
        fm->sbtnNextVol->click();
        QCOMPARE(fm->trvBook->currentItem(), Node(38));
        WaitForLoad();
        QCOMPARE(chainFills, 1); // the whole walk loaded one chapter

        // Walking down past the bottom of the tree brings the new book to the top.
        fm->sbtnFirstVol->click();
        QTreeWidget* tree = fm->trvBook;
        bool scrolled = false;
        for (int i = 1; i < 39; ++i) {
            const bool shown = tree->viewport()->rect().contains(tree->visualItemRect(Node(i)));
            fm->sbtnNextVol->click();
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
        fm->PageControl1->setCurrentWidget(fm->tshtLingXiu);
        Open(QStringLiteral("创世记"));
        QCOMPARE(noteRows, QList<int>{1});
        QCOMPARE(chainFills, 0);
        QVERIFY(fm->sgrdSeriP->ReloadPending); // the hidden chain pane reloads when shown
        QCOMPARE(editorRows, QList<int>{1});

        QTabBar* tabs = fm->PageControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(fm->PageControl1->currentWidget(), fm->tshtSeriP);
        QCOMPARE(chainFills, 1);
        QVERIFY(!fm->sgrdSeriP->ReloadPending);
        QCOMPARE(paneRows, QList<int>{1});

        fm->ToolButton11->trigger();
        QCOMPARE(chainFills, 1); // same chapter: the pane only moves
        QCOMPARE(paneRows, (QList<int>{1, 2}));
        QCOMPARE(editorRows.last(), 2);

        fm->PageControl1->setCurrentWidget(fm->tshtSearchResult);
        fm->ToolButton11->trigger();
        QCOMPARE(paneRows.size(), 2);
        QCOMPARE(noteRows.size(), 1);
        QCOMPARE(editorRows.last(), 3);
    }

    void draggingTheActiveTabOntoTheFirstMakesItFirst() {
        QTabBar* tabs = fm->PageControl1->tabBar();
        const QPoint from = tabs->tabRect(2).center();
        const QPoint to = tabs->tabRect(0).center();
        QTest::mousePress(tabs, Qt::LeftButton, {}, from);
        QCOMPARE(fm->PageControl1->currentWidget(), fm->tshtSearchResult);
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(tabs, from + (to - from) * i / 10);
        QTest::mouseRelease(tabs, Qt::LeftButton, {}, to);
        QTRY_COMPARE(fm->PageControl1->widget(0), fm->tshtSearchResult);
        QCOMPARE(fm->PageControl1->tabText(0), QStringLiteral("搜索结果"));
        QCOMPARE(fm->PageControl1->currentWidget(), fm->tshtSearchResult);
        QCOMPARE(fm->PageControl1->widget(1), fm->tshtSeriP);
        QCOMPARE(fm->PageControl1->widget(2), fm->tshtLingXiu);
    }

    void skinnedTabsAreFlatInTheFaceColour() {
        QTabBar* tabs = fm->PageControl1->tabBar();
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
        fm->grab().save(QStringLiteral("/tmp/nav/window-skinned.png"));
        tabs->grab().scaled(tabs->size() * 3).save(QStringLiteral("/tmp/nav/tabs-skinned.png"));
    }
};

QTEST_MAIN(NavigationTest)
#include "NavigationTest.moc"
