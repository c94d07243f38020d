// The remembered window rectangle as the settings file holds it, and how it is brought back onto
// the screen there is now.
#include "WindowPlacement.h"

#include <QtTest>

using namespace orvane;

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void writtenRectReadsBack() {
        const QRect rect(-8, 30, 1024, 700);
        QCOMPARE(FormatWindowRect(rect), std::string("-8,30,1024,700"));
        QCOMPARE(ParseWindowRect(FormatWindowRect(rect)), std::optional<QRect>(rect));
        QCOMPARE(ParseWindowRect(" 52 , 202,820,409\r"),
                 std::optional<QRect>(QRect(52, 202, 820, 409)));
    }

    // A hand-edited or damaged value is no rectangle: the window opens where it first would.
    void damagedTextIsNoRect() {
        for (const char* text : {"", "52,202,820", "52,202,820,409,1", "a,b,c,d", "52;202;820;409",
                                 "52,202,0,409", "52,202,820,-1", "1e3,0,10,10", "52,,820,409",
                                 "0,0,99999999999,10", "0,0,100001,10", "0,0,10,10x"})
            QVERIFY2(!ParseWindowRect(text), text);
    }

    void rectIsShrunkThenMovedIntoTheRoom() {
        const QRect room(0, 0, 1280, 1000); // a panel at the bottom takes the rest
        // Fits: unchanged.
        QCOMPARE(FitRectInto(QRect(52, 202, 820, 409), room), QRect(52, 202, 820, 409));
        // Saved on a second screen to the right, since removed: moved in, size kept.
        QCOMPARE(FitRectInto(QRect(2000, 100, 820, 409), room), QRect(460, 100, 820, 409));
        // Above and left of the room: the title comes back.
        QCOMPARE(FitRectInto(QRect(-500, -40, 820, 409), room), QRect(0, 0, 820, 409));
        // Larger than the room: shrunk to it, corner at the room's.
        QCOMPARE(FitRectInto(QRect(100, 100, 3000, 2000), room), QRect(0, 0, 1280, 1000));
        // A room that does not start at 0 (a panel on the left and at the top).
        QCOMPARE(FitRectInto(QRect(0, 0, 400, 300), QRect(64, 28, 1216, 972)),
                 QRect(64, 28, 400, 300));
        // Too small to use is made usable; no room known leaves the rectangle alone.
        QCOMPARE(FitRectInto(QRect(10, 10, 5, 5), room), QRect(10, 10, 200, 150));
        QCOMPARE(FitRectInto(QRect(10, 10, 5, 5), QRect()), QRect(10, 10, 5, 5));
    }

    void splitSizeWithinItsLimit() {
        QCOMPARE(ParseSplitSize("177", 2000), std::optional<int>(177));
        QCOMPARE(ParseSplitSize("0", 2000), std::optional<int>(0));
        QVERIFY(!ParseSplitSize("-1", 2000));
        QVERIFY(!ParseSplitSize("2001", 2000));
        QVERIFY(!ParseSplitSize("wide", 2000));
        QVERIFY(!ParseSplitSize("", 2000));
    }
};

QTEST_GUILESS_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
