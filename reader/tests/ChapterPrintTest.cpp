// A chapter on paper: the verses a print takes from the window, and the PDF read back as text
// (pdftotext), as a reader searching or copying from it would get it.
#include "ReadingWindowHarness.h"
#include "TestSupport.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "ChapterPrint.h"
#include "CopyFormats.h"
#include "EnglishText.h"
#include "GbkBridge.h"
#include "PrintContent.h"
#include "wnBook.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using namespace orvane;

namespace {

const int John3_1 = VerseLineOf(42, 3, 1);
const int John3_16 = VerseLineOf(42, 3, 16);

// The PDF's text, page numbers (lines of digits alone) dropped and every blank and line end
// taken out: how a line wraps on paper is the layout's business, not the text's.
QString PdfText(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
        qWarning("pdftotext failed (poppler-utils installed?): %s",
                 tool.readAllStandardError().constData());
        return {};
    }
    QStringList kept;
    for (const QString& line : QString::fromUtf8(tool.readAllStandardOutput()).split('\n'))
        if (!QRegularExpression(QStringLiteral("^\\s*\\d+\\s*$")).match(line).hasMatch())
            kept << line;
    return kept.join(QString()).remove(QRegularExpression(QStringLiteral("\\s")));
}

QString Bare(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

QString Plain(int verseLine) {
    return FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(verseLine)));
}

int PdfPages(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdfinfo"), {pdf});
    tool.waitForFinished(30000);
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                          .match(QString::fromUtf8(tool.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// Page 1 as a picture into the shot folder, to look at; nothing without ORVANE_SHOT_DIR.
void ShootFirstPage(const QString& pdf, const QString& name) {
    if (!qEnvironmentVariableIsSet("ORVANE_SHOT_DIR")) return;
    const QString stem = pdf + QStringLiteral("-page");
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"),
                       QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                       QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, stem});
    test::SaveShot(QImage(stem + QStringLiteral(".png")), name);
}

} // namespace

class ChapterPrintTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    QTemporaryDir out_;

    void Open(int verseLine) { OpenVerseChapter(verseLine); }

    void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
        const QRect cell = P().sgrdMain()->CellRect(1, row);
        QVERIFY2(!cell.isEmpty(), "row not on screen");
        QTest::mouseClick(P().sgrdMain()->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    QString Export(const std::vector<int>& lines, const TPrintOptions& options,
                   const QString& name) {
        const QString path = out_.filePath(name + QStringLiteral(".pdf"));
        TChapterPrint print(BuildPrintContent(lines, options));
        if (!print.WritePdf(path)) return {};
        return path;
    }

    // The chain pane's references of group `number` of the shown chapter: the pane is the
    // window's own listing, so the paper and the screen must agree.
    QStringList PaneReferences(int number) const {
        QStringList refs;
        const std::string key = std::to_string(number);
        for (int r = 0; r < P().sgrdSeriP()->RowCount(); ++r) {
            if (P().sgrdSeriP()->Cells(0, r) != key) continue;
            const QString cell = FromGbk(P().sgrdSeriP()->Cells(1, r));
            refs << cell.mid(1, cell.indexOf(QLatin1Char(']')) - 1);
        }
        return refs;
    }

private slots:
    void initTestCase() {
        PrepareRun();
        QVERIFY(out_.isValid());
    }

    void init() {
        MakeWindow();
        ShowWindow();
        Open(John3_1);
    }

    void cleanup() { fm.reset(); }

    void theChosenVersesFollowMarksAndRanges() {
        const int verses = VerseCount(42, 3);
        QCOMPARE(verses, 36);
        // Standing on one verse chooses nothing: the whole chapter prints.
        Click(2);
        std::vector<int> chapter(static_cast<size_t>(verses));
        for (int i = 0; i < verses; ++i)
            chapter[size_t(i)] = John3_1 + i;
        QCOMPARE(fm->ChosenVerseLines(), chapter);

        // A range of rows.
        Click(3, Qt::ShiftModifier);
        QCOMPARE(fm->ChosenVerseLines(), (std::vector<int>{John3_1 + 1, John3_1 + 2}));

        // Marks, in the order they were made, win over the range.
        Click(5, Qt::ControlModifier);
        Click(1, Qt::ControlModifier);
        QCOMPARE(fm->ChosenVerseLines(), (std::vector<int>{John3_1 + 4, John3_1}));

        // A plain click drops the marks and the range: the chapter again.
        Click(4);
        QCOMPARE(fm->ChosenVerseLines(), chapter);
    }

    void theChapterReadsBackFromThePdf() {
        const std::vector<int> lines = fm->ChosenVerseLines();
        const QString pdf = Export(lines, {}, QStringLiteral("john3"));
        QVERIFY(!pdf.isEmpty());
        ShootFirstPage(pdf, QStringLiteral("ChapterPrint-john3"));
        QVERIFY2(PdfPages(pdf) > 1, "the chapter with its references takes several pages");
        const QString text = PdfText(pdf);
        QVERIFY2(!text.isEmpty(), "no text in the PDF: drawn as pictures, or pdftotext missing");

        // The title, then every verse with its number and its lists, in reading order. The
        // lists are checked against the chain pane of the window showing the chapter.
        P().FillChainPane();
        QString expected = QStringLiteral("约翰福音第3章");
        int lists = 0;
        for (const int line : lines) {
            expected += QString::number(VerseNumber(line)) + Bare(Plain(line));
            QList<int> seen;
            for (const int m : MarkerNumbers(TBibGlobe::VerseText(line))) {
                if (seen.contains(m)) continue;
                seen << m;
                const QStringList refs = PaneReferences(m);
                if (refs.isEmpty()) continue;
                expected += QStringLiteral("〔%1〕").arg(m) + refs.join(QStringLiteral("；"));
                ++lists;
            }
        }
        QVERIFY(lists > 10);
        QVERIFY2(!Plain(John3_16).isEmpty() && text.contains(Bare(Plain(John3_16))), "John 3:16");
        QCOMPARE(text, expected);
        QVERIFY(!text.contains(QLatin1Char('`'))); // no marker survives
        // Without English asked for, none is printed.
        QVERIFY(!text.contains(QStringLiteral("ForGodsolovedtheworld")));
    }

    void theEnglishLineStandsUnderItsVerseWhenAsked() {
        const std::vector<int> lines = {John3_16, John3_1 + 2};
        TPrintOptions options;
        options.English = true;
        options.Chains = false;
        const QString pdf = Export(lines, options, QStringLiteral("english"));
        ShootFirstPage(pdf, QStringLiteral("ChapterPrint-english"));
        const QString text = PdfText(pdf);
        QVERIFY(!text.isEmpty());
        const QString expected =
            QStringLiteral("约翰福音第3章") + QStringLiteral("16") + Bare(Plain(John3_16)) +
            Bare(QString::fromStdString(EnglishVerse(John3_16))) + QStringLiteral("3") +
            Bare(Plain(John3_1 + 2)) + Bare(QString::fromStdString(EnglishVerse(John3_1 + 2)));
        QVERIFY(expected.contains(QStringLiteral("ForGodsolovedtheworld")));
        QCOMPARE(text, expected);
        QVERIFY(!text.contains(QStringLiteral("〔"))); // the lists were left out
    }

    void titlesAndFailures() {
        QCOMPARE(FromGbk(ChapterTitle(ChapterOfLine(VerseLineOf(18, 23, 1)))),
                 QStringLiteral("诗篇 第23篇"));
        QCOMPARE(FromGbk(ChapterTitle(ChapterOfLine(kLastVerseLine))),
                 QStringLiteral("启示录 第22章"));
        QCOMPARE(ChapterTitle(-1), std::string());
        // Lines outside the text are left out; nothing is left, nothing but an empty title.
        const TPrintContent none = BuildPrintContent(std::vector<int>{-1, kVerseLineCount}, {});
        QVERIFY(none.Verses.empty());
        QVERIFY(none.Title.empty());

        // A file that cannot be made says so.
        TChapterPrint print(BuildPrintContent(std::vector<int>{John3_16}, {}));
        QVERIFY(!print.WritePdf(out_.filePath(QStringLiteral("no/such/folder/x.pdf"))));
        QVERIFY(print.Document().toPlainText().contains(Plain(John3_16)));
    }
};

QTEST_MAIN(ChapterPrintTest)
#include "ChapterPrintTest.moc"
