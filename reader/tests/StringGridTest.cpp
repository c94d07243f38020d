#include "StringGrid.h"

#include <QScrollBar>
#include <QtTest>

using namespace orvane;

class StringGridTest : public QObject {
    Q_OBJECT

    // A grid of 20 data rows under one fixed header, 100 px of rows visible below the header.
    static void Fill(TStringGrid& grid) {
        grid.resize(300, 120 + 2 * grid.frameWidth());
        grid.SetColCount(2);
        grid.SetColWidth(0, 50);
        grid.SetColWidth(1, 200);
        grid.SetRowCount(21);
        grid.SetFixedRows(1);
        grid.SetRowHeight(0, 20);
        for (int r = 1; r < 21; ++r)
            grid.SetRowHeight(r, r == 5 ? 48 : 24);
    }

private slots:
    void geometryAndHitTestingAgree() {
        TStringGrid grid;
        Fill(grid);
        grid.show();
        QCOMPARE(grid.CellRect(1, 0), QRect(50, 0, 200, 20));
        QCOMPARE(grid.CellRect(0, 1), QRect(0, 20, 50, 24));
        QCOMPARE(grid.CellRect(1, 5), QRect(50, 20 + 4 * 24, 200, 48));
        int col, row;
        grid.MouseToCell(QPoint(60, 20 + 4 * 24 + 47), col, row);
        QCOMPARE(QPoint(col, row), QPoint(1, 5));
        grid.MouseToCell(QPoint(260, 30), col, row);
        QCOMPARE(row, -1); // right of the last column
        QVERIFY(grid.ScrollBarShowing());
        QVERIFY(grid.CellRect(1, 20).isEmpty()); // not on screen
    }

    void scrollingKeepsTheHeaderAndStopsAtTheLastRow() {
        TStringGrid grid;
        Fill(grid);
        grid.show();
        grid.SetTopRow(17);
        QCOMPARE(grid.TopRow(), 17); // rows 17..20 fill 96 of 100 px, 16 would not fit
        grid.SetTopRow(19);
        QCOMPARE(grid.TopRow(), 17); // never past the highest top row that fills the view
        QCOMPARE(grid.CellRect(1, 0).top(), 0); // fixed row stays
        QCOMPARE(grid.CellRect(1, 17).top(), 20);
        grid.verticalScrollBar()->setValue(3);
        QCOMPARE(grid.TopRow(), 4);
        int changes = 0;
        grid.OnTopLeftChanged = [&] { ++changes; };
        grid.SetTopRow(1);
        QCOMPARE(changes, 1);
        grid.SetRowCount(3);
        QVERIFY(!grid.ScrollBarShowing());
        QCOMPARE(grid.TopRow(), 1);
    }

    void selectionByMouseKeysAndVeto() {
        TStringGrid grid;
        Fill(grid);
        grid.show();
        std::vector<int> asked;
        grid.OnSelectCell = [&](int, int row, bool& can) {
            asked.push_back(row);
            can = row != 7;
        };
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(1, 3).center());
        QCOMPARE(grid.Row(), 3);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          grid.CellRect(1, 5).center());
        QCOMPARE(grid.Selection(), (TGridRect{0, 3, 1, 5}));
        QVERIFY(grid.IsRowSelected(4));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(1, 0).center());
        QCOMPARE(grid.Row(), 5); // the header cannot be selected
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.Row(), 6);
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.Row(), 6); // row 7 vetoed
        grid.SetRow(20);
        QCOMPARE(grid.Row(), 20);
        QVERIFY(!grid.CellRect(1, 20).isEmpty()); // scrolled into view
        QCOMPARE(asked.back(), 20);
        QTest::keyClick(&grid, Qt::Key_Home);
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.TopRow(), 1);
    }

    void cellsAndObjectsSurviveColumnChanges() {
        TStringGrid grid;
        grid.SetColCount(2);
        grid.SetRowCount(3);
        grid.SetCells(1, 2, "text");
        grid.SetObjects(1, 2, 31102);
        grid.SetColCount(3);
        QCOMPARE(QString::fromStdString(grid.Cells(1, 2)), QStringLiteral("text"));
        QCOMPARE(grid.Objects(1, 2), intptr_t(31102));
        QVERIFY(grid.Cells(5, 5).empty()); // out of range reads are harmless
        grid.SetCells(9, 9, "ignored");
        grid.ClearCells();
        QVERIFY(grid.Cells(1, 2).empty());
    }
};

QTEST_MAIN(StringGridTest)
#include "StringGridTest.moc"
