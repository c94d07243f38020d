#include "ReadingWindowHarness.h"
#include "TestSupport.h"

#include "Addressing.h"
#include "BookTables.h"
#include "DrawMenus.h"
#include "GbkBridge.h"
#include "HistoryList.h"
#include "SkinState.h"
#include "wnBook.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

using namespace orvane;

namespace {

struct MenuItem {
    QString caption;
    bool checked;
    int entry;
    bool operator==(const MenuItem&) const = default;
};

QString Ref(int verseLine) {
    return FromGbk(ShortReference(verseLine));
}

// Verses in both testaments, in different books and in one book twice.
const int Gen1_3 = VerseLineOf(0, 1, 3);
const int Ps23_4 = VerseLineOf(18, 23, 4);
const int John3_16 = VerseLineOf(42, 3, 16);
const int John1_1 = VerseLineOf(42, 1, 1);
const int Rev22_21 = kLastVerseLine;

} // namespace

class HistoryTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    // The reading window shows the verse's book and chapter with the verse current.
    void ExpectAt(int verseLine) {
        const TBooksNodeData* data = fm->SelectedBookData();
        QVERIFY(data);
        QCOMPARE(data->BookIndex, BookOfLine(verseLine));
        QCOMPARE(fm->ChapterNumber(), ChapterNumber(ChapterOfLine(verseLine)));
        QCOMPARE(fm->RowToVerseLine(P().sgrdMain()->Row()), verseLine);
        QCOMPARE(P().sgrdMain()->Row(), VerseNumber(verseLine));
    }

    void Jump(int verseLine) {
        fm->JumpToVerse(verseLine);
        WaitForLoad();
        ExpectAt(verseLine);
    }

    // Presses the main part of a drop-down tool button.
    void Press(QToolButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void Back() { Press(P().ToolButton1()); }
    void Forward() { Press(P().ToolButton2()); }

    // Opens a button's drop-down menu with its arrow, hands the open menu to `act` (which
    // must close it) and returns what the menu showed.
    QList<MenuItem> OpenMenu(QToolButton* button, const std::function<void(QMenu*)>& act) {
        QList<MenuItem> shown;
        QMenu* menu = button->menu();
        bool seen = false;
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [&, poll] {
            if (QApplication::activePopupWidget() != menu) return;
            poll->stop();
            seen = true;
            for (QAction* a : menu->actions())
                if (a->isVisible()) shown.append({a->text(), a->isChecked(), a->data().toInt()});
            act(menu);
        });
        poll->start(10);
        // The arrow part sits at the button's right edge; the menu runs its own loop.
        QTest::mouseClick(button, Qt::LeftButton, {},
                          QPoint(button->width() - 4, button->height() / 2));
        delete poll;
        if (!seen) QTest::qFail("the drop-down menu did not open", __FILE__, __LINE__);
        return shown;
    }

    static void Close(QMenu* menu) { QTest::keyClick(menu, Qt::Key_Escape); }
    static std::function<void(QMenu*)> ClickItem(int index) {
        return [index](QMenu* menu) {
            QAction* item = menu->actions().at(index);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        };
    }

    QList<int> HistoryVerses() const {
        QList<int> verses;
        for (int i = 0; i < P().History()->Count(); ++i)
            verses << P().History()->VerseLine(i);
        return verses;
    }

private slots:
    void initTestCase() { PrepareRun(); }

    void init() {
        MakeWindow();
        ShowWindow();
        OpenGenesisFromTree();
    }

    void cleanup() {
        fm.reset();
        SkinIndex = kSkinSystem;
    }

    void jumpsOpenTheVersesBookChapterAndRow() {
        QCOMPARE(P().History()->Count(), 0); // opening a book from the tree is no jump
        Jump(John3_16);                      // into the other testament
        QCOMPARE(P().trvBook()->topLevelItemCount(), 27);
        const TBooksNodeData& john = nodes[42];
        QCOMPARE(john.ChapterIndex, ChapterOfLine(John3_16));
        QCOMPARE(john.VerseRow, 15);

        Jump(John1_1); // within the book that is open: reloaded all the same
        Jump(Ps23_4);
        QCOMPARE(P().trvBook()->topLevelItemCount(), 39);

        // The address form carries the chain-reference row into the book's data.
        // (the pane's own selection takes the field over once the chapter is shown).
        fm->JumpToVerse(Gen1_3 << 16 | ChapterOfLine(Gen1_3), 4);
        QCOMPARE(nodes[0].ChainRow, 4);
        WaitForLoad();
        ExpectAt(Gen1_3);
        QCOMPARE(P().History()->ChainRow(P().History()->Position()), 4);
        QCOMPARE(HistoryVerses(), (QList<int>{John3_16, John1_1, Ps23_4, Gen1_3}));
        QCOMPARE(jumps, 4);
    }

    void aStaleChapterInTheAddressCannotMisplaceTheVerse() {
        // Psalm 23:4 sent with Genesis 1's chapter index still lands on Psalm 23:4.
        fm->JumpToVerse(Ps23_4 << 16 | 0, 0);
        WaitForLoad();
        ExpectAt(Ps23_4);
        QCOMPARE(nodes[18].VerseRow, 3);
    }

    void versesOutsideTheBibleDoNothing() {
        fm->JumpToVerse(kVerseLineCount << 16 | ChapterOfLine(kLastVerseLine), 0);
        fm->JumpToVerse(0xFFFF << 16, 0);
        fm->JumpToVerse(-1, 0); // would be verse line -1 read signed
        fm->JumpToVerse(-1);
        fm->JumpToVerse(kVerseLineCount);
        fm->RecordLocation(-1, 0); // a chain reference followed without a current verse
        QCOMPARE(jumps, 0);
        QCOMPARE(P().History()->Count(), 0);
        QCOMPARE(P().History()->Position(), -1);
        QVERIFY(!P().tmrTreeChanged()->isActive());
        ExpectAt(VerseLineOf(0, 1, 1)); // still where the reader was
        Jump(Rev22_21);                 // the very last verse is inside
    }

    void backAndForwardWalkTheHistory() {
        Jump(Gen1_3);
        Jump(Ps23_4);
        Jump(John3_16);
        Back();
        WaitForLoad();
        ExpectAt(Ps23_4);
        Back();
        WaitForLoad();
        ExpectAt(Gen1_3);

        // Nowhere further back: nothing happens and the button stays usable.
        const int before = jumps;
        Back();
        QCOMPARE(jumps, before);
        QVERIFY(!P().tmrTreeChanged()->isActive());
        QVERIFY(P().acBackward()->isEnabled() && P().ToolButton1()->isEnabled());

        Forward();
        WaitForLoad();
        ExpectAt(Ps23_4);
        Forward();
        WaitForLoad();
        ExpectAt(John3_16);
        Forward();
        QCOMPARE(jumps, before + 2);
        QVERIFY(P().acForward()->isEnabled() && P().ToolButton2()->isEnabled());

        // Back to the middle and off somewhere new: John 3:16 is forgotten.
        Back();
        WaitForLoad();
        Jump(Rev22_21);
        QCOMPARE(HistoryVerses(), (QList<int>{Gen1_3, Ps23_4, Rev22_21}));
        Back();
        WaitForLoad();
        ExpectAt(Ps23_4);

        // A listed verse reached again just becomes current; Forward goes on from there.
        Jump(Gen1_3);
        QCOMPARE(HistoryVerses(), (QList<int>{Gen1_3, Ps23_4, Rev22_21}));
        Forward();
        WaitForLoad();
        ExpectAt(Ps23_4);
    }

    void backReturnsToWhereAChainReferenceWasFollowed() {
        Jump(Gen1_3);
        // The reader browses to John 1 by the tree and clicks verse 3: neither is recorded.
        fm->FillBookTree(true);
        P().trvBook()->setCurrentItem(Node(42));
        WaitForLoad();
        const QRect verse3 = P().sgrdMain()->CellRect(1, 3);
        QTest::mouseClick(P().sgrdMain()->viewport(), Qt::LeftButton, {}, verse3.center());
        QCOMPARE(P().sgrdMain()->Row(), 3);
        QCOMPARE(P().History()->Count(), 1);

        // Following a reference records the verse it was followed from, then jumps.
        const int from = fm->RowToVerseLine(P().sgrdMain()->Row());
        fm->RecordLocation(from, 2);
        fm->JumpToVerse(Ps23_4 << 16 | ChapterOfLine(Ps23_4), 2);
        WaitForLoad();
        ExpectAt(Ps23_4);
        Back();
        QCOMPARE(nodes[42].ChainRow, 2);
        WaitForLoad();
        ExpectAt(VerseLineOf(42, 1, 3));
        QCOMPARE(HistoryVerses(), (QList<int>{Gen1_3, from, Ps23_4}));
    }

    void menusListTheHistoryAroundTheCurrentEntry() {
        const QList<MenuItem> none = OpenMenu(P().ToolButton1(), Close);
        QVERIFY(none.isEmpty());

        Jump(Gen1_3);
        Jump(Ps23_4);
        Jump(John3_16);
        QList<MenuItem> back = OpenMenu(P().ToolButton1(), Close);
        QCOMPARE(back, (QList<MenuItem>{{QStringLiteral("创1:3"), false, 0},
                                        {QStringLiteral("诗23:4"), false, 1},
                                        {QStringLiteral("约3:16"), true, 2}}));
        QList<MenuItem> forward = OpenMenu(P().ToolButton2(), Close);
        QCOMPARE(forward, (QList<MenuItem>{{QStringLiteral("约3:16"), true, 2}}));

        Back();
        WaitForLoad();
        back = OpenMenu(P().ToolButton1(), Close);
        QCOMPARE(back, (QList<MenuItem>{{Ref(Gen1_3), false, 0}, {Ref(Ps23_4), true, 1}}));
        forward = OpenMenu(P().ToolButton2(), Close);
        QCOMPARE(forward, (QList<MenuItem>{{Ref(Ps23_4), true, 1}, {Ref(John3_16), false, 2}}));

        // Choosing an entry jumps to it, far back or ahead.
        OpenMenu(P().ToolButton1(), ClickItem(0));
        WaitForLoad();
        ExpectAt(Gen1_3);
        QCOMPARE(P().History()->Position(), 0);
        OpenMenu(P().ToolButton2(), ClickItem(2));
        WaitForLoad();
        ExpectAt(John3_16);
        QCOMPARE(HistoryVerses(), (QList<int>{Gen1_3, Ps23_4, John3_16}));

        // A shorter history later shows fewer items, not stale ones.
        OpenMenu(P().ToolButton1(), ClickItem(0));
        WaitForLoad();
        Jump(Rev22_21);
        back = OpenMenu(P().ToolButton1(), Close);
        QCOMPARE(back, (QList<MenuItem>{{Ref(Gen1_3), false, 0}, {Ref(Rev22_21), true, 1}}));
        forward = OpenMenu(P().ToolButton2(), Close);
        QCOMPARE(forward, (QList<MenuItem>{{Ref(Rev22_21), true, 1}}));
    }

    void menusFollowTheSkin() {
        Jump(Gen1_3);
        Jump(John3_16);
        LoadSkin(2);
        SkinIndex = 2;
        OpenMenu(P().ToolButton1(), [](QMenu* menu) {
            QVERIFY(TDrawMenus::IsInstalled(menu));
            orvane::test::SaveShot(menu, QStringLiteral("history-menu-skin"));
            Close(menu);
        });
        SkinIndex = kSkinSystem;
        OpenMenu(P().ToolButton2(), [this](QMenu* menu) {
            QVERIFY(!TDrawMenus::IsInstalled(menu));
            orvane::test::SaveShot(menu, QStringLiteral("history-menu-plain"));
            orvane::test::SaveShot(fm.get(), QStringLiteral("history-window"));
            Close(menu);
        });
    }
};

QTEST_MAIN(HistoryTest)
#include "HistoryTest.moc"
