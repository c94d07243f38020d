// The chapter grid at another reading size and with the English rows: what is laid out again,
// where the current verse ends up, what the balls answer to and what is kept in the settings.
#include "ReadingWindowHarness.h"

#include "EnglishText.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "ReadingFont.h"
#include "ReadingSize.h"
#include "SettingsKeys.h"
#include "StringGrid.h"
#include "TestSupport.h"

#include <QWheelEvent>

using namespace orvane;

namespace {

constexpr int kGenesis1 = 0;
const int kPsalm119 = ChapterOfLine(VerseLineOf(18, 119, 1));
const int kJohn3 = ChapterOfLine(VerseLineOf(42, 3, 1));

int BookOfChapter(int chapter) {
    int book = 0;
    ChapterOfLine(ChapterTable[size_t(chapter)].FirstLine, &book);
    return book;
}

std::string Stored(const char* key) {
    return TInifileX().ReadString(settings::kMain, key);
}

} // namespace

class ReadingSizeWindowTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    TStringGrid* Main() { return P().sgrdMain(); }

    void OpenChapter(int chapter, int verseRow = 0) {
        const int book = BookOfChapter(chapter);
        nodes[size_t(book)].ChapterIndex = chapter;
        nodes[size_t(book)].VerseRow = verseRow;
        SyncToBook(&nodes[size_t(book)]);
        QTRY_VERIFY(!P().tmrTreeChanged()->isActive());
        QTRY_COMPARE(P().GridFirstLine(), ChapterTable[size_t(chapter)].FirstLine);
        Main()->viewport()->repaint();
    }

    QImage Grab() {
        P().SetSelectFramePhase(0);
        return Main()->viewport()->grab().toImage();
    }

    std::vector<int> RowHeights() {
        std::vector<int> heights;
        for (int r = 0; r < Main()->RowCount(); ++r)
            heights.push_back(Main()->RowHeight(r));
        return heights;
    }

    void Wheel(int delta, Qt::KeyboardModifiers mods) {
        const QPoint at = Main()->viewport()->rect().center();
        QWheelEvent event(at, Main()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Main()->viewport(), &event);
    }

private slots:
    void initTestCase() {
        PrepareRun();
        test::PrepareFonts();
    }

    void init() {
        TInifileX ini;
        ini.DeleteKey(settings::kMain, settings::kReadingFontSize);
        ini.DeleteKey(settings::kMain, settings::kShowEnglish);
        MakeWindow({900, 600});
        ShowWindow();
        P().tmrDrawSelectFrame()->stop();
    }

    void cleanup() {
        fm.reset();
        SetCurrentReadingSize(kDefaultReadingSize);
    }

    void aSizeChangeKeepsTheVerseCurrentAndAtTheTop() {
        OpenChapter(kPsalm119, 49);
        QCOMPARE(Main()->Row(), 50);
        const std::vector<int> before = RowHeights();
        const QImage at9 = Grab();

        QVERIFY(fm->SetReadingSize(16));
        QCOMPARE(fm->ReadingSize(), 16);
        QCOMPARE(Main()->Row(), 50);
        QCOMPARE(Main()->TopRow(), 50);
        QCOMPARE(Main()->ColWidth(0), 92);
        QCOMPARE(Main()->RowHeight(0), before[0]); // the header keeps its look's height
        for (int r = 1; r < Main()->RowCount(); ++r)
            QVERIFY2(Main()->RowHeight(r) > before[size_t(r)], qPrintable(QString::number(r)));
        // The text is broken again for the wider glyphs: the lines still fit the column.
        QCOMPARE(Main()->WrapWidth, Main()->ColWidth(1) - 2);
        QCOMPARE(Stored(settings::kReadingFontSize), std::string("16"));
        QCOMPARE(P().sgrdSeriP()->font().pointSize(), 16);
        test::SaveShot(Grab(), QStringLiteral("psalm119-16pt"));

        // Past either end: clamped, and the same size again changes and writes nothing.
        QVERIFY(fm->SetReadingSize(99));
        QCOMPARE(fm->ReadingSize(), kMaxReadingSize);
        QVERIFY(!fm->SetReadingSize(kMaxReadingSize + 1));
        QCOMPARE(Main()->TopRow(), 50);

        // Back at 9 points the grid is what it was, pixel for pixel.
        QVERIFY(fm->SetReadingSize(3));
        QCOMPARE(fm->ReadingSize(), kMinReadingSize);
        QCOMPARE(Stored(settings::kReadingFontSize), std::string("9"));
        QCOMPARE(RowHeights(), before);
        QCOMPARE(Main()->Row(), 50);
        QCOMPARE(Grab(), at9);
    }

    void ctrlWheelOverTheGridChangesTheSizeByNotches() {
        OpenChapter(kGenesis1);
        Wheel(120, Qt::ControlModifier);
        QCOMPARE(fm->ReadingSize(), 10);
        Wheel(60, Qt::ControlModifier); // half a notch: nothing yet
        QCOMPARE(fm->ReadingSize(), 10);
        Wheel(60, Qt::ControlModifier);
        QCOMPARE(fm->ReadingSize(), 11);
        Wheel(-240, Qt::ControlModifier);
        QCOMPARE(fm->ReadingSize(), 9);
        // Without Ctrl the wheel scrolls as before.
        Wheel(-120, Qt::NoModifier);
        QCOMPARE(fm->ReadingSize(), 9);
        QVERIFY(Main()->TopRow() > 1);
    }

    void theStoredSettingsAreReadClampedAndGarbageIsTheDefault() {
        struct Case {
            const char* stored;
            int points;
        };
        for (const Case& c : {Case{"14", 14}, Case{"40", 24}, Case{"5", 9}, Case{"large", 9}}) {
            TInifileX().WriteString(settings::kMain, settings::kReadingFontSize, c.stored);
            TInifileX().WriteString(settings::kMain, settings::kShowEnglish, "1");
            fm.reset();
            SetCurrentReadingSize(kDefaultReadingSize);
            MakeWindow({900, 600});
            fm->ReadingSettingsLoad();
            QCOMPARE(fm->ReadingSize(), c.points);
            QVERIFY(fm->ShowEnglish());
            // Reading the settings writes nothing back, not even the corrected size.
            QCOMPARE(Stored(settings::kReadingFontSize), std::string(c.stored));
        }
    }

    void englishRowsAreTallerAndTheBallsStayOnTheChinese() {
        OpenChapter(kJohn3, 15);
        const std::vector<int> before = RowHeights();
        const std::vector<std::vector<TMarkerSpot>> spots = Main()->MarkerSpots;
        const QImage chinese = Grab();

        QVERIFY(fm->SetShowEnglish(true));
        QCOMPARE(Stored(settings::kShowEnglish), std::string("1"));
        QCOMPARE(Main()->Row(), 16);
        QCOMPARE(Main()->TopRow(), 16);
        const int first = ChapterTable[size_t(kJohn3)].FirstLine;
        QCOMPARE(int(P().EnglishLines().size()), Main()->RowCount() - 1);
        const QString verse16 = P().EnglishLines()[15].join(QLatin1Char(' '));
        QVERIFY2(verse16.startsWith(QStringLiteral("For God so loved the world")),
                 qPrintable(verse16));
        QCOMPARE(verse16, FromGbk(EnglishVerse(first + 15)).simplified());
        for (int r = 1; r < Main()->RowCount(); ++r) {
            const int english = int(P().EnglishLines()[size_t(r - 1)].size());
            QVERIFY(english >= 1);
            QCOMPARE(Main()->RowHeight(r), before[size_t(r)] + P().EnglishRowsHeight(r - 1));
            // Each English line fits the text column it was wrapped for.
            for (const QString& line : P().EnglishLines()[size_t(r - 1)]) {
                const int width = QFontMetrics(EnglishFont()).horizontalAdvance(line);
                QVERIFY2(
                    width <= Main()->WrapWidth,
                    qPrintable(
                        QStringLiteral("%1 > %2: %3").arg(width).arg(Main()->WrapWidth).arg(line)));
            }
        }
        Main()->viewport()->repaint();
        // The verse now at the top carries its balls where its Chinese line puts them, as a
        // verse scrolled to the top did without English.
        Main()->SetTopRow(1);
        Main()->viewport()->repaint();
        const QRect cell = Main()->CellRect(1, 1);
        QVERIFY(!Main()->MarkerSpots[0].empty());
        for (const TMarkerSpot& s : Main()->MarkerSpots[0])
            QVERIFY(s.Y <
                    cell.top() + Main()->DefaultRowHeight() * int(Main()->LineBreaks[0].size()));
        test::SaveShot(Grab(), QStringLiteral("john3-english"));

        QVERIFY(fm->SetShowEnglish(false));
        QCOMPARE(Stored(settings::kShowEnglish), std::string("0"));
        QCOMPARE(RowHeights(), before);
        Main()->SetTopRow(16);
        Main()->viewport()->repaint();
        QCOMPARE(Grab(), chinese);
        QCOMPARE(Main()->MarkerSpots[15].size(), spots[15].size());
    }

    void ballsAtSixteenPointsAnswerOverTheirWholeScaledSquare() {
        OpenChapter(kGenesis1);
        QVERIFY(fm->SetReadingSize(16));
        Main()->SetTopRow(1);
        Main()->viewport()->repaint();
        QVERIFY(!Main()->MarkerSpots[0].empty());
        const TMarkerSpot ball = Main()->MarkerSpots[0].front(); // 创1:1, marker 1
        const int size = ScaledFor(16, 16);
        QCOMPARE(size, 28);
        const QImage grab = Grab();
        // The scaled picture itself: the ball's colour at its middle, no magenta anywhere.
        const QColor middle = grab.pixelColor(ball.X + size / 2, ball.Y + size / 2);
        QVERIFY(middle != QColor(Qt::white));
        for (int y = ball.Y; y < ball.Y + size; ++y)
            for (int x = ball.X; x < ball.X + size; ++x)
                QVERIFY(grab.pixel(x, y) != kMagenta);

        auto hand = [&](QPoint p) {
            QTest::mouseMove(Main()->viewport(), p);
            return Main()->viewport()->cursor().shape() == Qt::PointingHandCursor;
        };
        // Well inside the 28-px square but outside the 16-px one of nine points.
        QVERIFY(hand(QPoint(ball.X + size - 3, ball.Y + size - 3)));
        QVERIFY(!hand(QPoint(ball.X + size / 2, ball.Y + size + 6)));
        QVERIFY(hand(QPoint(ball.X + 2, ball.Y + 2)));
        test::SaveShot(grab, QStringLiteral("genesis1-16pt"));
    }
};

QTEST_MAIN(ReadingSizeWindowTest)
#include "ReadingSizeWindowTest.moc"
