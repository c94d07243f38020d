// The chapter grid of the reading window: row layout through the real grids, the marker balls
// and their recorded spots, note and bookmark icons, marked rows and the selection frame's
// march, checked on grabbed pixels of an offscreen window.

#include "ReadingWindowHarness.h"
#include "TestSupport.h"

#include "BibGlobe.h"
#include "BookTables.h"
#include "Gbk.h"
#include "GbkBridge.h"
#include "Markers.h"
#include "NotesStore.h"
#include "ReaderPictures.h"
#include "ReadingFont.h"
#include "SkinState.h"
#include "wnBook.h"

#include <QApplication>
#include <QPainter>
#include <QSplitter>
#include <QtTest>

using namespace orvane;

namespace {

constexpr int kGenesis1 = 0;
constexpr int kPsalm119 = 478 + 118;
constexpr int kJohn3 = 997 + 2;

std::string Gbk(const char* utf8) {
    return Utf8ToGbk(utf8);
}

void UseSkin(int index) {
    static const QColor face[] = {{}, {232, 238, 245}, {255, 240, 225}, {255, 255, 255}};
    if (index != kSkinSystem) LoadSkin(index);
    SkinIndex = index;
    SkinFaceColor =
        index == kSkinSystem ? QApplication::palette().color(QPalette::Button) : face[index];
}

// Records the regions the grid's viewport is asked to paint.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget* w) { w->installEventFilter(this); }
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

int CountColour(const QImage& image, const QRect& area, QColor colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour.rgb();
    return n;
}

// True when every opaque pixel of `icon` shows unchanged at `at`.
bool IconAt(const QImage& grab, QPoint at, const QImage& icon) {
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            if (qAlpha(p) == 255 &&
                (grab.pixel(at.x() + x, at.y() + y) & 0xFFFFFF) != (p & 0xFFFFFF))
                return false;
        }
    return true;
}

} // namespace

class ChapterGridTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    TStringGrid* Main() { return P().sgrdMain(); }
    TStringGrid* Pane() { return P().sgrdSeriP(); }

    void LoadChapter(int chapterIndex) {
        const TChapterInfo& c = ChapterTable[size_t(chapterIndex)];
        Main()->SavedRow = -1;
        P().LayoutRows(Main(), 1, c.FirstLine, &TBibGlobe::CorpusFile(kChineseTextFile),
                       c.LastLine);
    }

    // Gives the pane the given texts and a text column breaking at `wrap` pixels.
    void FillPane(const std::vector<std::string>& texts, int wrap) {
        Pane()->SetRowCount(int(texts.size()));
        for (size_t i = 0; i < texts.size(); ++i) {
            Pane()->SetCells(0, int(i), std::to_string(i + 1));
            Pane()->SetCells(1, int(i), texts[i]);
        }
        Pane()->SetColWidth(1, wrap + 2);
        Pane()->SavedRow = -1;
        P().LayoutRows(Pane(), 1, 0, nullptr, Pane()->RowCount() - 1);
    }

    void Resize(int width, int height = 560) {
        fm->resize(width, height);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QImage GrabMain() {
        return Main()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage GrabPane() {
        return Pane()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void initTestCase() { PrepareRun(); }

    void init() {
        UseSkin(kSkinSystem);
        MakeWindow({700, 560});
        ShowWindow();
        P().tmrDrawSelectFrame()->stop(); // phases are stepped by hand
        P().splH()->setSizes({340, 200});
        fm->ReapplySkin();
        P().BookMarks().fill(-1); // the previous test's slots come back from the settings file
        QCoreApplication::processEvents();
    }

    void cleanup() {
        fm.reset();
        ResetNotes();
        QFile::remove(folder_.filePath(QStringLiteral("Orvane.ti~")));
    }

    // Every run of text is drawn with one call, so the glyphs land where the breaker measured
    // them only if the font's shaped advance equals the sum of the cached character widths.
    void drawnTextAdvancesAsMeasured() {
        const QFontMetrics metrics(ReadingFont());
        const StringList& text = TBibGlobe::CorpusFile(kChineseTextFile);
        int checked = 0;
        for (size_t i = 0; i < text.size(); i += 7, ++checked) {
            const std::string plain = StripMarkers(text[i]);
            QCOMPARE(metrics.horizontalAdvance(FromGbk(plain)), ReadingTextWidth(plain));
        }
        QVERIFY(checked > 4000);
    }

    // The breaker's rules seen through a grid that breaks its own cells.
    void workedExamplesBreakAsDescribed() {
        const std::vector<std::string> texts = {
            Gbk("一二三四五六七八九十"),       Gbk("一二三四五。七八九十"),
            Gbk("一二三四`12五六七八"),        Gbk("一二三四five五六"),
            Gbk("abcdefghijklmnopqrstuvwxyz"), // a word wider than the column
        };
        FillPane(texts, 60);
        QCOMPARE(Pane()->WrapWidth, 60);
        using Ends = std::vector<uint16_t>;
        QCOMPARE(Pane()->LineBreaks[0], (Ends{10, 20}));
        QCOMPARE(Pane()->LineBreaks[1], (Ends{8, 18, 20})); // 五 goes down with 。
        QCOMPARE(Pane()->LineBreaks[2], (Ends{8, 17, 19})); // the marker keeps its digits
        QCOMPARE(Pane()->LineBreaks[3], (Ends{8, 16}));     // the word goes down whole
        const Ends& word = Pane()->LineBreaks[4];
        QVERIFY(word.size() >= 3);
        for (size_t k = 0; k < word.size(); ++k)
            QVERIFY(word[k] > (k ? word[k - 1] : 0)); // no empty line
        QCOMPARE(int(word.back()), 26);
        for (int r = 0; r < Pane()->RowCount(); ++r)
            QCOMPARE(Pane()->RowHeight(r), int(Pane()->LineBreaks[size_t(r)].size()) * 24);

        // The marker's ball stands at the head of the second line of its row.
        Pane()->SetTopRow(2);
        Pane()->SetRow(0);
        const QImage grab = GrabPane();
        const QRect cell = Pane()->CellRect(1, 2);
        const auto& spots = Pane()->MarkerSpots[2];
        QCOMPARE(int(spots.size()), 1);
        QCOMPARE(spots[0].Number, 12);
        QCOMPARE(QPoint(spots[0].X, spots[0].Y), QPoint(cell.left() + 2, cell.top() + 24 + 1));
        QVERIFY(BallCoverage(grab, QPoint(spots[0].X, spots[0].Y)) > 0.6);
    }

    void closingMarksNeverStartALineInAChapter() {
        const std::string marks[] = {Gbk("，"), Gbk("；"), Gbk("。"), Gbk("）"), Gbk("」"),
                                     Gbk("、"), Gbk("！"), Gbk("："), Gbk("？"), Gbk("』")};
        for (int width : {420, 700}) {
            Resize(width);
            for (int chapter : {kGenesis1, kPsalm119, kJohn3}) {
                LoadChapter(chapter);
                const int first = ChapterTable[size_t(chapter)].FirstLine;
                for (size_t r = 0; r < Main()->LineBreaks.size(); ++r) {
                    const std::string& text = TBibGlobe::VerseText(first + int(r));
                    const auto& ends = Main()->LineBreaks[r];
                    // Once a line has ended on a marker's digits before a Chinese character,
                    // the breaker's digit stop holds for the rest of the text and lets such
                    // marks through.
                    bool digitStop = false;
                    for (size_t k = 0; k + 1 < ends.size(); ++k) {
                        const std::string head = text.substr(ends[k], 2);
                        // Two marks together ("）。") still go down one character only.
                        const std::string after = text.substr(ends[k] + 2, 2);
                        const bool pair =
                            std::find(std::begin(marks), std::end(marks), after) != std::end(marks);
                        for (const std::string& m : marks)
                            QVERIFY2(digitStop || pair || head != m,
                                     GbkToUtf8(text.substr(0, ends[k])).c_str());
                        QVERIFY(text[ends[k] - 1] != '`'); // no marker torn from its digits
                        digitStop = digitStop || (isdigit((unsigned char)text[ends[k] - 1]) &&
                                                  IsLeadByte(text[ends[k]]));
                    }
                }
            }
        }
    }

    void chapterRowsFollowTheirLines() {
        LoadChapter(kGenesis1);
        QCoreApplication::processEvents(); // the scroll bar settles
        QCOMPARE(Main()->RowCount(), 32);
        QCOMPARE(Main()->Row(), 1);
        QCOMPARE(Main()->RowHeight(0), 24);
        for (int r = 1; r < 32; ++r)
            QCOMPARE(Main()->RowHeight(r), int(Main()->LineBreaks[size_t(r - 1)].size()) * 24);
        // The text column fills the grid beside the scroll bar.
        QCOMPARE(Main()->ColWidth(0) + Main()->ColWidth(1) + 2, Main()->viewport()->width());
        QCOMPARE(Main()->WrapWidth, Main()->ColWidth(1) - 2);
        QVERIFY(Main()->ScrollBarShowing());
    }

    void repaintAndHeightChangeKeepTheLines() {
        Resize(700);
        LoadChapter(kGenesis1);
        QCoreApplication::processEvents();
        Main()->LineBreaks[0] = {1, 2, 3}; // a stand-in that only a new break would replace
        GrabMain();
        QCOMPARE(Main()->LineBreaks[0], (std::vector<uint16_t>{1, 2, 3}));
        Resize(700, 500); // taller or shorter only
        QCOMPARE(Main()->LineBreaks[0], (std::vector<uint16_t>{1, 2, 3}));
        Resize(500, 500); // narrower
        QVERIFY(Main()->LineBreaks[0] != (std::vector<uint16_t>{1, 2, 3}));
        QCOMPARE(Main()->WrapWidth, Main()->ColWidth(1) - 2);
        QCOMPARE(Main()->ColWidth(0) + Main()->ColWidth(1) + 2, Main()->viewport()->width());
    }

    void resizingKeepsTheLastVerseCurrent() {
        Resize(700);
        LoadChapter(kJohn3);
        const int last = Main()->RowCount() - 1;
        Main()->setFocus();
        orvane::test::KeyToFocus(fm.get(), Qt::Key_End);
        QCOMPARE(Main()->Row(), last);
        const int wrap = Main()->WrapWidth;
        // Restoring the row is no new choice: a book waiting to be loaded keeps its verse.
        int selections = 0;
        Main()->OnSelectCell = [&](int, int, bool&) { ++selections; };
        Resize(430);
        QVERIFY(Main()->WrapWidth < wrap);
        QCOMPARE(Main()->Row(), last);
        QCOMPARE(Main()->RowCount(), last + 1);
        QVERIFY(!Main()->CellRect(1, last).isEmpty()); // still in view
        Resize(800);
        QCOMPARE(Main()->Row(), last);
        QCOMPARE(selections, 0);
    }

    void aShortChapterWidensTheColumnWhenTheScrollBarGoes() {
        Resize(700);
        LoadChapter(kPsalm119);
        QCoreApplication::processEvents();
        const int withBar = Main()->ColWidth(1);
        LoadChapter(478 + 116); // 诗篇 117: two verses
        QCoreApplication::processEvents();
        QVERIFY(!Main()->ScrollBarShowing());
        QVERIFY(Main()->ColWidth(1) > withBar);
        QCOMPARE(Main()->ColWidth(0) + Main()->ColWidth(1) + 2, Main()->viewport()->width());
    }

    void narrowColumnStillGetsOneRowPerVerse() {
        Main()->SetColWidth(1, 5);
        const TChapterInfo& c = ChapterTable[kJohn3];
        Main()->SavedRow = -1;
        P().LayoutRows(Main(), 1, c.FirstLine, &TBibGlobe::CorpusFile(kChineseTextFile),
                       c.LastLine);
        QCOMPARE(Main()->RowCount(), c.VerseCount + 1);
        QCOMPARE(int(Main()->LineBreaks.size()), c.VerseCount);
        GrabMain(); // painting a squeezed column must not fail
        Resize(650);
        QVERIFY(Main()->WrapWidth > 100); // broken properly once there is room
        QCOMPARE(Main()->RowCount(), c.VerseCount + 1);
    }

    void ballsAreRecordedWhereTheyArePainted() {
        Resize(700);
        LoadChapter(kGenesis1);
        QCoreApplication::processEvents();
        const QImage grab = GrabMain();
        const int first = ChapterTable[kGenesis1].FirstLine;
        int balls = 0;
        for (int r = 1; r < Main()->RowCount(); ++r) {
            const QRect cell = Main()->CellRect(1, r);
            if (cell.isEmpty() || cell.bottom() >= grab.height()) continue;
            const std::string& text = TBibGlobe::VerseText(first + r - 1);
            std::vector<int> numbers;
            for (size_t i = text.find('`'); i != std::string::npos; i = text.find('`', i + 1))
                numbers.push_back(std::atoi(text.c_str() + i + 1));
            const auto& spots = Main()->MarkerSpots[size_t(r - 1)];
            QCOMPARE(spots.size(), numbers.size());
            for (size_t i = 0; i < spots.size(); ++i) {
                QCOMPARE(spots[i].Number, numbers[i]);
                QVERIFY(cell.contains(QRect(spots[i].X, spots[i].Y, 16, 16)));
                QVERIFY2(BallCoverage(grab, QPoint(spots[i].X, spots[i].Y)) > 0.6,
                         qPrintable(QStringLiteral("row %1 ball %2").arg(r).arg(i)));
                ++balls;
            }
        }
        QVERIFY(balls >= 5);
    }

    void threeDigitBallsSitThreePixelsFurtherRight() {
        FillPane({Gbk("一`5二"), Gbk("一`45二"), Gbk("一`123二")}, 200);
        GrabPane();
        const int one = Pane()->MarkerSpots[0].at(0).X;
        QCOMPARE(Pane()->MarkerSpots[1].at(0).X, one);
        QCOMPARE(Pane()->MarkerSpots[2].at(0).X, one + 3);
        QCOMPARE(Pane()->MarkerSpots[2].at(0).Number, 123);
        QCOMPARE(Pane()->MarkerSpots[2].at(0).Y, Pane()->CellRect(1, 2).top() + 1);
    }

    // One, two and three digits: the ball stays within its marker's advance. Where nothing
    // follows, the next character's cell stays bare ground; where "二" follows, its glyph stands
    // in that very cell (so the cell is where the text puts it).
    void ballsNeverCoverTheNextCharacter() {
        for (int skin : {0, 1}) {
            UseSkin(skin);
            fm->ReapplySkin();
            const std::vector<std::string> markers = {"`5", "`45", "`123"};
            std::vector<std::string> texts;
            for (const std::string& m : markers) {
                texts.push_back(Gbk("一") + m);             // nothing after the ball
                texts.push_back(Gbk("一") + m + Gbk("二")); // a character after it
            }
            FillPane(texts, 200);
            const QImage grab = GrabPane();
            if (const QString dir = qEnvironmentVariable("ORVANE_SHOT_DIR"); !dir.isEmpty())
                grab.save(QStringLiteral("%1/balls-fit-s%2.png").arg(dir).arg(skin));
            const QRgb ground = fm->ReadingBackground().rgb();
            for (size_t i = 0; i < texts.size(); ++i) {
                const auto& spots = Pane()->MarkerSpots[i];
                QCOMPARE(spots.size(), size_t(1));
                QVERIFY(BallCoverage(grab, QPoint(spots[0].X, spots[0].Y), skin) > 0.6);
                const QRect cell = Pane()->CellRect(1, int(i));
                const int next = cell.left() + 2 + ReadingTextWidth(texts[i].substr(0, 2)) +
                                 ReadingTextWidth(markers[i / 2]);
                int ball = 0, ink = 0;
                for (int y = spots[0].Y; y < spots[0].Y + 16; ++y)
                    for (int x = next; x < next + ReadingTextWidth(Gbk("二")); ++x) {
                        ball += i % 2 == 0 && grab.pixel(x, y) != ground;
                        ink += grab.pixel(x, y) != ground;
                    }
                QVERIFY2(ball == 0, qPrintable(QStringLiteral("skin %1 text %2: %3 ball pixels")
                                                   .arg(skin)
                                                   .arg(i)
                                                   .arg(ball)));
                QVERIFY2((ink > 0) == (i % 2 == 1),
                         qPrintable(QStringLiteral("skin %1 text %2: %3 dark pixels at %4")
                                        .arg(skin)
                                        .arg(i)
                                        .arg(ink)
                                        .arg(next - cell.left())));
            }
        }
    }

    void aTrailByteLikeABackquoteIsNoMarker() {
        // 0x81 0x60 is one double-byte character whose second byte equals "`".
        FillPane({Gbk("一") + "\x81\x60" + "12" + Gbk("二")}, 200);
        GrabPane();
        QVERIFY(Pane()->MarkerSpots[0].empty());
    }

    void notesShowOnlyInTheChapterGrid() {
        const int line = ChapterTable[kGenesis1].FirstLine + 1; // 创 1:2, row 2
        QVERIFY(Notes().SetNote(line, Gbk("批注")));
        LoadChapter(kGenesis1);
        std::string listed = Gbk("[创1:2]");
        listed += TBibGlobe::VerseText(line);
        FillPane({listed}, 400);
        const QImage icon = ToolImage(18);
        const QRect cell = Main()->CellRect(1, 2);
        QVERIFY(IconAt(GrabMain(), QPoint(cell.right() - 15, cell.bottom() - 15), icon));
        const QRect other = Main()->CellRect(1, 3); // no note
        QVERIFY(!IconAt(GrabMain(), QPoint(other.right() - 15, other.bottom() - 15), icon));
        const QRect paneCell = Pane()->CellRect(1, 0);
        QVERIFY(!IconAt(GrabPane(), QPoint(paneCell.right() - 15, paneCell.bottom() - 15), icon));
    }

    void bookmarksShowInTheNumberCell() {
        const int line = ChapterTable[kGenesis1].FirstLine + 2; // row 3
        LoadChapter(kGenesis1);
        P().BookMarks()[3] = line;
        const QRect cell = Main()->CellRect(0, 3);
        const QPoint at(cell.right() - 15, cell.bottom() - 16);
        QVERIFY(IconAt(GrabMain(), at, ToolImage(22 + 3)));
        P().BookMarks()[7] = line; // the higher slot is drawn last
        QVERIFY(IconAt(GrabMain(), at, ToolImage(22 + 7)));
        QVERIFY(!IconAt(GrabMain(), QPoint(at.x(), at.y() + 24), ToolImage(22 + 7)));
    }

    void markedRowsAreFramedAndCarryTheCheckMark() {
        LoadChapter(kGenesis1);
        P().MarkedRows() = {QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("5")};
        Main()->viewport()->update();
        const QImage grab = GrabMain();
        const QColor frame = fm->FrameColour();
        const QImage flag = CheckFlagImage();
        for (int r = 1; r <= 5; ++r) {
            const bool marked = r == 2 || r == 4 || r == 5;
            const QRect text = Main()->CellRect(1, r);
            const QRect topEdge(text.left(), text.top(), text.width(), 1);
            QCOMPARE(CountColour(grab, topEdge, frame) > text.width() / 3, marked);
            const QRect number = Main()->CellRect(0, r);
            const QPoint flagAt(number.right() - flag.width(), number.bottom() - flag.height());
            bool flagShown = true;
            for (int y = 0; y < flag.height(); ++y)
                for (int x = 0; x < flag.width(); ++x)
                    if ((flag.pixel(x, y) & 0xFFFFFF) != (kMagenta & 0xFFFFFF) &&
                        grab.pixel(flagAt.x() + x, flagAt.y() + y) != flag.pixel(x, y))
                        flagShown = false;
            QCOMPARE(flagShown, marked);
        }
        QCOMPARE(Main()->Row(), 1); // the grid's own selection, unframed while rows are marked
    }

    void selectionFrameMarchesInOneCell() {
        LoadChapter(kGenesis1);
        QTest::mouseClick(Main()->viewport(), Qt::LeftButton, {}, Main()->CellRect(1, 2).center());
        QCOMPARE(Main()->Row(), 2);
        QCoreApplication::processEvents();
        const QRect cell = Main()->CellRect(1, 2);
        const QRgb frame = fm->FrameColour().rgb();
        auto topAt = [&](int dx) { return GrabMain().pixel(cell.left() + dx, cell.top()); };
        QCOMPARE(P().SelectFramePhase(), 0);
        QCOMPARE(topAt(0), frame);
        QVERIFY(topAt(4) != frame);
        QCOMPARE(topAt(6), frame);

        PaintSpy spy(Main()->viewport());
        Main()->MarkerSpots[0] = {{1, 2, 3}}; // row 1's spots: only a repaint of row 1 clears them
        P().tmrDrawSelectFrameTimer();
        QCoreApplication::processEvents();
        QCOMPARE(P().SelectFramePhase(), 1);
        QCOMPARE(spy.painted.boundingRect(), cell);
        QCOMPARE(int(Main()->MarkerSpots[0].size()), 1);
        QCOMPARE(Main()->MarkerSpots[0][0].Number, 3);
        QVERIFY(topAt(0) != frame);
        QCOMPARE(topAt(4), frame);
        P().tmrDrawSelectFrameTimer();
        QCOMPARE(P().SelectFramePhase(), 0);
        QCOMPARE(topAt(0), frame);
    }

    void lookFollowsTheSkin() {
        LoadChapter(kJohn3);
        const QRect name = Main()->CellRect(0, 0);
        QCOMPARE(fm->FrameColour(), QApplication::palette().color(QPalette::Dark));
        QVERIFY(CountColour(GrabMain(), name, Qt::black) > 5);
        QCOMPARE(GrabMain().pixel(name.right(), name.center().y()), fm->FrameColour().rgb());
        QCOMPARE(fm->ReadingBackground(), QApplication::palette().color(QPalette::Base));

        UseSkin(1);
        fm->ReapplySkin();
        QCOMPARE(fm->FrameColour(), SkinAccentColor());
        QCOMPARE(fm->ReadingBackground(), SkinFaceColor);
        QCOMPARE(Main()->RowHeight(0), SkinCellFace.height());
        const QImage grab = GrabMain();
        QCOMPARE(CountColour(grab, name, Qt::black), 0);
        QVERIFY(CountColour(grab, name, SkinAccentColor()) > 5);
        const QRect text = Main()->CellRect(1, 3);
        QCOMPARE(grab.pixel(text.right() - 3, text.center().y()), SkinFaceColor.rgb());
        QVERIFY(BallCoverage(grab,
                             QPoint(Main()->MarkerSpots[0].at(0).X, Main()->MarkerSpots[0].at(0).Y),
                             1) > 0.6);
    }

    // Saves the three sample chapters for a look by eye when ORVANE_SHOT_DIR names a folder.
    void samplePictures() {
        const QString dir = qEnvironmentVariable("ORVANE_SHOT_DIR");
        if (dir.isEmpty()) QSKIP("set ORVANE_SHOT_DIR to a folder to get the pictures");
        const struct {
            int chapter;
            const char* name;
        } chapters[] = {{kGenesis1, "gen1"}, {kPsalm119, "ps119"}, {kJohn3, "john3"}};
        for (int skin : {0, 1}) {
            UseSkin(skin);
            fm->ReapplySkin();
            for (int width : {700, 420}) {
                if (skin == 1 && width == 420) continue;
                Resize(width);
                for (const auto& c : chapters) {
                    LoadChapter(c.chapter);
                    Main()->SetRow(2);
                    QCoreApplication::processEvents();
                    fm->grab().save(QStringLiteral("%1/%2-w%3-s%4.png")
                                        .arg(dir)
                                        .arg(c.name)
                                        .arg(width)
                                        .arg(skin));
                }
            }
        }
        LoadChapter(kPsalm119);
        Main()->SetTopRow(98);
        QCoreApplication::processEvents();
        fm->grab().save(dir + QStringLiteral("/ps119-98.png"));
        LoadChapter(kJohn3);
        P().MarkedRows() = {QStringLiteral("2"), QStringLiteral("3")};
        const int verse2 = ChapterTable[kJohn3].FirstLine + 1;
        P().BookMarks()[0] = P().BookMarks()[1] = verse2;
        Notes().SetNote(verse2 + 1, Gbk("批注"));
        Main()->SetRow(1);
        Main()->SetTopRow(1);
        QCoreApplication::processEvents();
        fm->grab().save(dir + QStringLiteral("/john3-marks.png"));
    }
};

QTEST_MAIN(ChapterGridTest)
#include "ChapterGridTest.moc"
