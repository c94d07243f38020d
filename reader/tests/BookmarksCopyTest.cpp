#include "ReadingWindowHarness.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "CopyFormats.h"
#include "GbkBridge.h"
#include "HistoryList.h"
#include "ReaderPictures.h"
#include "wnBook.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace orvane;

namespace {

const int Gen1_1 = VerseLineOf(0, 1, 1);
const int Gen1_3 = VerseLineOf(0, 1, 3);
const int Exo3_14 = VerseLineOf(1, 3, 14);
const int John3_16 = VerseLineOf(42, 3, 16);

// The verse as the copies quote it: without its chain-reference markers.
QString Text(int verseLine) {
    return FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(verseLine)));
}

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

// Largest difference of one colour channel between two pictures of the same size.
int Difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 255;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

// Collects what a widget repaints.
class TPaintWatch : public QObject {
public:
    explicit TPaintWatch(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion Painted;
};

} // namespace

class BookmarksCopyTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    QString IniPath() const { return folder_.filePath(QStringLiteral("orvane.ini")); }

    void WriteIni(const QByteArray& text) {
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QByteArray ReadIni() const {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Opens a chapter as a reader would: the book picked in the tree, the chapter loaded.
    void Open(int verseLine) {
        OpenVerseChapter(verseLine);
        QCOMPARE(fm->RowToVerseLine(1), verseLine - VerseNumber(verseLine) + 1);
    }

    QPoint TextCell(int row) const { return P().sgrdMain()->CellRect(1, row).center(); }

    void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
        const QRect cell = P().sgrdMain()->CellRect(1, row);
        QVERIFY2(!cell.isEmpty(), "row not on screen");
        QTest::mouseClick(P().sgrdMain()->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    // Right-clicks a verse, opens a context-menu item (inside `submenu` when given) and clicks
    // it, all with the pointer.
    void ChooseFromContextMenu(int row, QAction* item, QMenu* submenu = nullptr) {
        QMenu* menu = P().PopupMenu1();
        // The press makes the verse current; the platform then asks for the context menu.
        QWidget* viewport = P().sgrdMain()->viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, TextCell(row));
        QContextMenuEvent request(QContextMenuEvent::Mouse, TextCell(row),
                                  viewport->mapToGlobal(TextCell(row)));
        QApplication::sendEvent(viewport, &request);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(P().sgrdMain()->Row(), row);
        if (submenu) {
            QTest::mouseClick(menu, Qt::LeftButton, {},
                              menu->actionGeometry(submenu->menuAction()).center());
            QTRY_VERIFY(submenu->isVisible());
            menu = submenu;
        }
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QTRY_VERIFY(!P().PopupMenu1()->isVisible());
    }

    void ToggleFromSubmenu(int row, int slot) {
        ChooseFromContextMenu(row, P().acBookmark()[size_t(slot)], P().N3());
    }

    // The 16 x 16 square where the bookmark icons of a row are drawn, as the screen shows it.
    QImage IconSquare(int row) const {
        const QRect cell = P().sgrdMain()->CellRect(0, row);
        const QPoint corner(cell.left() + cell.width() - 16, cell.top() + cell.height() - 17);
        return P().sgrdMain()->viewport()->grab().toImage().copy(QRect(corner, QSize(16, 16)));
    }

    // The square as it should look: the plain cell with the icons of these slots on top, in order.
    static QImage WithIcons(const QImage& plain, std::initializer_list<int> shown) {
        QImage expected = plain.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&expected);
        for (int slot : shown)
            painter.drawImage(0, 0, ToolImage(22 + slot));
        return expected;
    }

private slots:
    void initTestCase() { PrepareRun(); }

    void init() {
        QFile::remove(IniPath());
        MakeWindow();
        ShowWindow();
    }

    void cleanup() { fm.reset(); }

    // --- bookmarks ------------------------------------------------------------------------

    void submenuListsTheTenSlotsWithTheirIcons() {

        QCOMPARE(P().PopupMenu1()->actions().last(), P().N3()->menuAction());
        QCOMPARE(P().N3()->title(), QStringLiteral("书签"));
        const QList<QAction*> items = P().N3()->actions();
        QCOMPARE(items.size(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(items[i]->text(), QStringLiteral("书签%1").arg(i));
            QCOMPARE(
                items[i]->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
                ToolImage(22 + i).convertToFormat(QImage::Format_ARGB32));
        }
    }

    void submenuSetsAndClearsTheCurrentVerse() {
        Open(Gen1_1);
        const QImage plain = IconSquare(3);
        ToggleFromSubmenu(3, 3);
        QCOMPARE(P().BookMarks()[3], Gen1_3);
        for (int i : {0, 1, 2, 4, 5, 6, 7, 8, 9})
            QCOMPARE(P().BookMarks()[size_t(i)], -1);
        QVERIFY(Difference(IconSquare(3), WithIcons(plain, {3})) <= 2);
        QVERIFY(Difference(IconSquare(3), plain) > 30);

        ToggleFromSubmenu(3, 3);
        QCOMPARE(P().BookMarks()[3], -1);
        QVERIFY(Difference(IconSquare(3), plain) <= 2);
    }

    void aSlotMovesAndSlotsShareAVerse() {
        Open(Gen1_1);
        const QImage plain2 = IconSquare(2), plain5 = IconSquare(5);
        ToggleFromSubmenu(2, 3);
        // The shortcut's way, with nothing else touching the grid: the screen follows at
        // once, also on the row the slot leaves.
        Click(5);
        QTest::qWait(50);
        auto* watch = new TPaintWatch(P().sgrdMain()->viewport());
        fm->ToggleBookmark(3);
        QTRY_VERIFY(watch->Painted.contains(P().sgrdMain()->CellRect(0, 2)));
        QVERIFY(watch->Painted.contains(P().sgrdMain()->CellRect(0, 5)));
        QCOMPARE(P().BookMarks()[3], Gen1_1 + 4);
        QVERIFY(Difference(IconSquare(2), plain2) <= 2);
        QVERIFY(Difference(IconSquare(5), WithIcons(plain5, {3})) <= 2);

        // Two slots on one verse: both drawn on the same spot, the higher one on top.
        ToggleFromSubmenu(2, 4);
        ToggleFromSubmenu(2, 1);
        QCOMPARE(P().BookMarks()[1], Gen1_1 + 1);
        QCOMPARE(P().BookMarks()[4], Gen1_1 + 1);
        QVERIFY(Difference(IconSquare(2), WithIcons(plain2, {1, 4})) <= 2);
        QVERIFY(Difference(IconSquare(2), WithIcons(plain2, {1})) > 30);
        // Clearing the upper one uncovers the other.
        ToggleFromSubmenu(2, 4);
        QVERIFY(Difference(IconSquare(2), WithIcons(plain2, {1})) <= 2);
    }

    void nothingIsMarkedWithoutAVerse() {
        // No chapter shown yet.
        fm->ToggleBookmark(0);
        P().acBookmark()[1]->trigger();
        QCOMPARE(P().BookMarks(), (std::array<int, 10>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
        // Slots outside 0..9 are no slots.
        Open(Gen1_1);
        fm->ToggleBookmark(10);
        fm->ToggleBookmark(-1);
        fm->FollowBookmark(10);
        QCOMPARE(P().BookMarks(), (std::array<int, 10>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    }

    void theVerseOnScreenIsMarkedWhileAnotherBookLoads() {
        Open(Gen1_1);
        Click(3);
        // The next book is selected; for a quarter second the grid still shows Genesis.
        P().trvBook()->setCurrentItem(Node(1));
        QVERIFY(P().tmrTreeChanged()->isActive());
        fm->ToggleBookmark(6);
        QCOMPARE(P().BookMarks()[6], Gen1_3);
        QTRY_VERIFY(!P().tmrTreeChanged()->isActive());
    }

    void followingASlotJumpsToItsVerse() {
        Open(Gen1_1);
        Click(3);
        fm->ToggleBookmark(2);
        Open(Exo3_14);
        const int recorded = P().History()->Count();

        fm->FollowBookmark(2);
        WaitForLoad();
        QCOMPARE(jumps, 1);
        QCOMPARE(fm->SelectedBookData(), &nodes[0]);
        QCOMPARE(fm->ChapterNumber(), 1);
        QCOMPARE(P().sgrdMain()->Row(), 3);
        QCOMPARE(P().History()->Count(), recorded + 1);

        // Into the other testament.
        P().BookMarks()[0] = John3_16;
        fm->FollowBookmark(0);
        WaitForLoad();
        QCOMPARE(fm->SelectedBookData(), &nodes[42]);
        QCOMPARE(fm->ChapterNumber(), 3);
        QCOMPARE(P().sgrdMain()->Row(), 16);
        QCOMPARE(jumps, 2);
    }

    void emptyOrForeignSlotsLeadNowhere() {
        Open(Exo3_14);
        const int recorded = P().History()->Count();
        P().BookMarks()[7] = kVerseLineCount; // only a hand-edited file holds such values
        P().BookMarks()[8] = -5;
        for (int slot : {5, 7, 8})
            fm->FollowBookmark(slot);
        QVERIFY(!P().tmrTreeChanged()->isActive());
        QCOMPARE(jumps, 0);
        QCOMPARE(P().History()->Count(), recorded);
        QCOMPARE(fm->SelectedBookData(), &nodes[1]);
    }

    void slotsAreWrittenAtTheEndAndReadAtShow() {
        fm.reset();
        WriteIni("[MAIN]\r\nBOOK MARKS=5,-1,-1,-1,-1,-1,-1,-1,-1,31102\r\n");
        MakeWindow();
        QCOMPARE(P().BookMarks()[0], -1); // read when shown, not before
        fm->show();
        QVERIFY(QTest::qWaitForWindowExposed(fm.get()));
        QCOMPARE(P().BookMarks(), (std::array<int, 10>{5, -1, -1, -1, -1, -1, -1, -1, -1, 31102}));

        Open(Gen1_1);
        Click(3);
        fm->ToggleBookmark(9);
        fm->ToggleBookmark(4);
        fm.reset();
        QCOMPARE(ReadIni(), QByteArray("[MAIN]\r\nBOOK MARKS=5,-1,-1,-1,2,-1,-1,-1,-1,2\r\n"));

        // And back again as they were written.
        MakeWindow();
        ShowWindow();
        QCOMPARE(P().BookMarks(), (std::array<int, 10>{5, -1, -1, -1, 2, -1, -1, -1, -1, 2}));
    }

    void unreadableValuesGiveEmptySlots_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<int>>("marks");
        const QList<int> none(10, -1);
        QTest::newRow("no file") << QByteArray() << none;
        QTest::newRow("no key") << QByteArray("[MAIN]\r\nSKIN INDEX=2\r\n") << none;
        QTest::newRow("empty") << QByteArray("[MAIN]\r\nBOOK MARKS=\r\n") << none;
        QTest::newRow("garbage")
            << QByteArray("[MAIN]\r\nbook marks=x,,7, 9 ,1e3,0x10,99999999999,-1,3\r\n")
            << QList<int>{-1, -1, 7, 9, -1, -1, -1, -1, -1, 3};
        QTest::newRow("short") << QByteArray("[MAIN]\r\nBOOK MARKS=5,7\r\n")
                               << QList<int>{5, -1, -1, -1, -1, -1, -1, -1, -1, 7};
    }

    void unreadableValuesGiveEmptySlots() {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, marks);
        fm.reset();
        if (!file.isEmpty()) WriteIni(file);
        MakeWindow();
        ShowWindow();
        QCOMPARE(QList<int>(P().BookMarks().begin(), P().BookMarks().end()), marks);
    }

    void aWindowNeverShownLeavesTheStoredSlots() {
        fm.reset();
        const QByteArray stored("[MAIN]\r\nBOOK MARKS=1,2,3,4,5,6,7,8,9,10\r\n");
        WriteIni(stored);
        MakeWindow();
        fm.reset();
        QCOMPARE(ReadIni(), stored);
    }

    void aRefusedWriteDoesNotStopTheShutdown() {
        // The settings file's name taken by a folder: the write fails, the window still goes.
        QFile::remove(IniPath());
        QVERIFY(QDir(folder_.path()).mkdir(QStringLiteral("orvane.ini")));
        fm.reset();
        QVERIFY(QDir(folder_.path()).rmdir(QStringLiteral("orvane.ini")));
    }

    // --- copy -----------------------------------------------------------------------------

    void copiesOfASelectedRange() {
        Open(Gen1_1);
        Click(1);
        Click(3, Qt::ShiftModifier);
        QCOMPARE(P().sgrdMain()->Selection().Top, 1);
        QCOMPARE(P().sgrdMain()->Selection().Bottom, 3);
        const QString v1 = Text(Gen1_1), v2 = Text(Gen1_1 + 1), v3 = Text(Gen1_3);
        QCOMPARE(v1, QStringLiteral("起初神创造天地。"));

        QGuiApplication::clipboard()->clear();
        ChooseFromContextMenu(3, P().miTextOnly());
        // The right click on a selected row keeps the range.
        QCOMPARE(Clipboard(), v1 + "\r\n" + v2 + "\r\n" + v3 + "\r\n");

        P().miCopy4Write()->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("“起初神创造天地”(创 1:1)。\r\n“") + v2.chopped(1) +
                                  QStringLiteral("”(创 1:2)。\r\n“") + v3.chopped(1) +
                                  QStringLiteral("”(创 1:3)。\r\n"));
        P().miCopy4MoreWrite()->trigger();
        QCOMPARE(Clipboard(), "“" + v1 + v2 + v3 + QStringLiteral("”(创 1:1-3)\r\n"));
        P().miCopy4MoreTitle()->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("创 1:1-3\t") + v1 + v2 + v3 + "\r\n");
        P().Copy1()->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("《旧约》创世记:\r\n创 1:1\t") + v1 +
                                  QStringLiteral("\r\n创 1:2\t") + v2 +
                                  QStringLiteral("\r\n创 1:3\t") + v3 + "\r\n");
    }

    void copiesOfOneVerse() {
        Open(John3_16);
        Click(16);
        const QString v = Text(John3_16);
        P().miTextOnlyClick(); // Ctrl+C
        QCOMPARE(Clipboard(), v + "\r\n");
        P().miCopy4MoreWrite()->trigger();
        QCOMPARE(Clipboard(), "“" + v.chopped(1) + QStringLiteral("”(约 3:16)") + v.right(1));
        P().miCopy4MoreTitle()->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("约 3:16\t") + v);
        P().Copy1()->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("《新约》约翰福音:\r\n约 3:16\t") + v + "\r\n");
    }

    void markedRowsComeInTheOrderMarked() {
        Open(Gen1_1);
        Click(5, Qt::ControlModifier);
        Click(2, Qt::ControlModifier);
        QCOMPARE(P().MarkedRows(), (QStringList{"5", "2"}));
        const QString v2 = Text(Gen1_1 + 1), v5 = Text(Gen1_1 + 4);

        ChooseFromContextMenu(2, P().miTextOnly());
        QCOMPARE(Clipboard(), v5 + "\r\n" + v2 + "\r\n");
        P().miCopy4Write()->trigger();
        QCOMPARE(Clipboard(), "“" + v5.chopped(1) + QStringLiteral("”(创 1:5)") + v5.right(1) +
                                  "\r\n“" + v2.chopped(1) + QStringLiteral("”(创 1:2)") +
                                  v2.right(1) + "\r\n");
        P().Copy1()->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("《旧约》创世记:\r\n创 1:5\t") + v5 +
                                  QStringLiteral("\r\n创 1:2\t") + v2 + "\r\n");
        // The several-verse formats take the selected range, whatever is marked.
        Click(3, Qt::ControlModifier);
        Click(4, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(P().MarkedRows().size(), 4);
        P().miCopy4MoreTitle()->trigger();
        QCOMPARE(Clipboard(),
                 QStringLiteral("创 1:3-4\t") + Text(Gen1_3) + Text(Gen1_3 + 1) + "\r\n");
        P().miCopy4MoreWrite()->trigger();
        QVERIFY(Clipboard().endsWith(QStringLiteral("”(创 1:3-4)\r\n")));

        // A plain click drops the marks: the selection counts again.
        Click(6);
        QVERIFY(P().MarkedRows().isEmpty());
        P().miTextOnlyClick();
        QCOMPARE(Clipboard(), Text(Gen1_1 + 5) + "\r\n");
    }

    void anEmptyVerseKeepsItsQuotes() {
        const int empty = VerseLineOf(0, 24, 30);
        QVERIFY(TBibGlobe::VerseText(empty).empty());
        Open(empty);
        Click(30);
        P().miCopy4Write()->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("“”(创 24:30)\r\n"));
        P().miTextOnlyClick();
        QCOMPARE(Clipboard(), QStringLiteral("\r\n"));
    }

    void nothingToCopyLeavesTheClipboard() {
        QGuiApplication::clipboard()->setText(QStringLiteral("mine"));
        for (QAction* item : {P().miTextOnly(), P().miCopy4Write(), P().miCopy4MoreWrite(),
                              P().miCopy4MoreTitle(), P().Copy1(), P().miCopySp()})
            item->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("mine"));
    }

    void chainContentListsTheVersesReferences() {
        Open(Gen1_1);
        Click(3);
        ChooseFromContextMenu(3, P().miCopySp());
        const QString rule(42, QLatin1Char('-'));
        QString expected = QStringLiteral("[创 1:3]") + Text(Gen1_3) + "\r\n" + rule + "\r\n";
        const std::vector<int> numbers = MarkerNumbers(TBibGlobe::VerseText(Gen1_3));
        QCOMPARE(numbers.size(), size_t(1));
        const std::string group =
            ChainGroupText(TBibGlobe::CorpusFile(kChainFile)[0], numbers.front());
        const std::vector<int> verses = ParseChainGroup(group, 0, 1);
        QVERIFY(verses.size() >= 2);
        for (int v : verses)
            expected += "[" + FromGbk(ShortReference(v)) + "]" + Text(v) + "\r\n";
        QCOMPARE(Clipboard(), expected);
        QVERIFY(!Clipboard().contains(QLatin1Char('`')));

        // A verse without markers: its line and the rule.
        const int plain = VerseLineOf(0, 1, 8);
        QVERIFY(TBibGlobe::VerseText(plain).find('`') == std::string::npos);
        Click(8);
        P().miCopySp()->trigger();
        QCOMPARE(Clipboard(), QStringLiteral("[创 1:8]") + Text(plain) + "\r\n" + rule + "\r\n");
    }

    void chainContentFollowsTheChapterWhileThePaneIsHidden() {
        P().PageControl1()->setCurrentWidget(P().tshtLingXiu());
        Open(Gen1_1);
        Open(Exo3_14);
        Click(14);
        P().miCopySp()->trigger();
        const int chapter = ChapterOfLine(Exo3_14);
        const std::string line = TBibGlobe::CorpusFile(kChainFile)[size_t(chapter)];
        // Every marker of the verse in turn, a blank line after each but the last.
        const std::vector<int> numbers = MarkerNumbers(TBibGlobe::VerseText(Exo3_14));
        QVERIFY(numbers.size() >= 2);
        QString expected = QStringLiteral("[出 3:14]") + Text(Exo3_14) + "\r\n" +
                           QString(42, QLatin1Char('-')) + "\r\n";
        for (size_t i = 0; i < numbers.size(); ++i) {
            if (i > 0) expected += "\r\n";
            for (int v : ParseChainGroup(ChainGroupText(line, numbers[i]), 1, 3))
                expected += "[" + FromGbk(ShortReference(v)) + "]" + Text(v) + "\r\n";
        }
        QCOMPARE(Clipboard(), expected);
    }
};

QTEST_MAIN(BookmarksCopyTest)
#include "BookmarksCopyTest.moc"
