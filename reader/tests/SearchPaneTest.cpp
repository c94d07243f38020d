#include "ReadingWindowHarness.h"
#include "TestSupport.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "GbkBridge.h"
#include "HistoryList.h"
#include "IniFileX.h"
#include "ReadingFont.h"
#include "SkinState.h"
#include "wnBook.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <memory>

using namespace orvane;

namespace {

const int John = 42;
const int Gen1_1 = VerseLineOf(0, 1, 1);
const int John11_35 = VerseLineOf(John, 11, 35); // "耶稣哭了。"
// The one verse given Latin capitals for the case test (the translation itself has none).
const int Planted = VerseLineOf(65, 22, 21);

bool IsYellow(QRgb c) {
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 0;
}

} // namespace

class SearchPaneTest : public QObject, ReadingWindowHarness {
    Q_OBJECT

    QStringList messages; // the texts of the message boxes answered

    // Answers every message box with its OK button, as the reader would, and keeps its text.
    void AnswerMessages() {
        auto* poll = new QTimer(fm.get());
        poll->setInterval(20);
        connect(poll, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            messages << box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        poll->start();
    }

    // Keys go where the display sends them: to the widget that has the focus.
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, key, mods);
    }
    // Chinese comes in through the input method, committed as a whole, to the focused widget.
    static void Commit(const QString& text) {
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(QApplication::focusWidget(), &typed);
    }

    // Clicks into the key box and replaces its text by `keys`, as the reader does.
    void TypeKeys(const QString& keys) {
        // A click into a window that lost the activation to a message box gives it back, as
        // the window manager does.
        if (!fm->isActiveWindow()) {
            fm->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(fm.get()));
        }
        QLineEdit* edit = P().cbxKeyText()->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(P().cbxKeyText()));
        Key(Qt::Key_A, Qt::ControlModifier);
        Key(Qt::Key_Backspace);
        Commit(keys);
    }

    // Types a key text into the box and presses Enter.
    void TypeAndRun(const QString& keys, QRadioButton* scope = nullptr) {
        if (scope) QTest::mouseClick(scope, Qt::LeftButton, {}, QPoint(4, scope->height() / 2));
        TypeKeys(keys);
        Key(Qt::Key_Return);
    }

    QList<int> ResultLines() const {
        QList<int> lines;
        if (fm->SearchResultEmpty()) return lines;
        for (int r = 0; r < P().sgrdSearchResult()->RowCount(); ++r)
            lines << int(P().sgrdSearchResult()->Objects(0, r));
        return lines;
    }

    QStringList RememberedKeys() const { return fm->SearchKeys(); }

    QToolButton* FindButton() const {
        return qobject_cast<QToolButton*>(P().ToolBar2()->widgetForAction(P().tbtnFind()));
    }

    void OpenFindPanel() {
        QTest::mouseClick(FindButton(), Qt::LeftButton);
        QVERIFY(P().panFindOpt()->isVisible());
    }

private slots:
    void initTestCase() {
        PrepareRun();
        // Before the first search, which indexes the text once for the whole run.
        TBibGlobe::CorpusFiles()[kChineseTextFile][size_t(Planted)] += "GOD";
    }

    void init() {
        messages.clear();
        MakeWindow();
        AnswerMessages();
        ShowWindow();
        fm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fm.get()));
        OpenGenesisFromTree();
        OpenFindPanel();
    }

    void cleanup() {
        QToolTip::hideText();
        fm.reset();
        SkinIndex = kSkinSystem;
        SkinMenuHighlight = QImage();
        TInifileX().EraseSection("SEARCH KEYS");
    }

    void findButtonOpensThePanelOnTheResultPage() {
        QCOMPARE(P().PageControl1()->currentWidget(), P().tshtSearchResult());
        QTRY_VERIFY(P().cbxKeyText()->hasFocus() || P().cbxKeyText()->lineEdit()->hasFocus());
        QVERIFY(P().RadioButton1()->isChecked());
        QCOMPARE(P().sbtnExeSearch()->toolTip(), QStringLiteral("执行"));
        // The panel sits after the tool bar and leaves room to type.
        QVERIFY(P().panFindOpt()->x() >= P().ToolBar2()->geometry().right());
        QVERIFY(P().cbxKeyText()->width() >= 120);
        // Opening it squeezes no tool button into the bar's overflow menu, and it fits.
        QVERIFY(FindButton()->isVisible());
        QVERIFY(P().panFindOpt()->geometry().right() < P().panBottom()->width());
        // The reference column is fixed; the text column fills the rest.
        QCOMPARE(P().sgrdSearchResult()->ColWidth(0), 78);
        QCOMPARE(P().sgrdSearchResult()->ColWidth(1),
                 P().sgrdSearchResult()->contentsRect().width() - 78 - 2);

        // Another page shown, then the button pressed again: the panel goes away and the
        // page stays; flipping the check state twice leaves the panel as the button says.
        P().PageControl1()->setCurrentWidget(P().tshtSeriP());
        QTest::mouseClick(FindButton(), Qt::LeftButton);
        QVERIFY(!P().panFindOpt()->isVisible());
        QCOMPARE(P().PageControl1()->currentWidget(), P().tshtSeriP());
        P().tbtnFind()->setChecked(true);
        P().tbtnFindClick();
        QVERIFY(P().panFindOpt()->isVisible());
        QCOMPARE(P().PageControl1()->currentWidget(), P().tshtSearchResult());
    }

    void scopesChapterBookAndBible() {
        TypeAndRun(QStringLiteral("光"), P().RadioButton1());
        const QList<int> paragraph = ResultLines();
        TypeAndRun(QStringLiteral("光"), P().RadioButton2());
        const QList<int> chapter = ResultLines();
        QCOMPARE(paragraph, chapter);
        // Genesis 1:3-1:5 and 1:14-1:17.
        QCOMPARE(chapter, (QList<int>{2, 3, 4, 13, 14, 15, 16}));
        QCOMPARE(P().cbxKeyText()->toolTip(), QStringLiteral("共找到 7 项"));

        TypeAndRun(QStringLiteral("光"), P().RadioButton3());
        const QList<int> book = ResultLines();
        QVERIFY(book.size() > chapter.size());
        QVERIFY(book.last() <= BookTable[0].LastLine);

        TypeAndRun(QStringLiteral("光"), P().RadioButton4());
        const QList<int> bible = ResultLines();
        QVERIFY(bible.size() > 200);
        QVERIFY(bible.last() > BookTable[kFirstNewTestamentBook].FirstLine);
        QVERIFY(std::is_sorted(bible.begin(), bible.end()));
        QTest::qWait(50); // the scroll bar shows on the next layout pass
        orvane::test::SaveShot(fm.get(), QStringLiteral("search-light-bible"));
        QCOMPARE(P().cbxKeyText()->toolTip(), QStringLiteral("共找到 %1 项").arg(bible.size()));
        // The first row shows the verse without markers, and its reference.
        QCOMPARE(P().sgrdSearchResult()->Row(), 0);
        QCOMPARE(FromGbk(P().sgrdSearchResult()->Cells(1, 0)),
                 QStringLiteral("神说，要有光，就有了光。"));
        QVERIFY(messages.isEmpty());
    }

    void keysAreAlternativesJoinedByAFullWidthSpace() {
        TypeAndRun(QStringLiteral("耶稣"), P().RadioButton4());
        const QList<int> jesus = ResultLines();
        TypeAndRun(QStringLiteral("拉撒路"));
        const QList<int> lazarus = ResultLines();
        TypeAndRun(QStringLiteral("耶稣　拉撒路"));
        const QList<int> either = ResultLines();
        QSet<int> expected(jesus.begin(), jesus.end());
        for (int line : lazarus)
            expected.insert(line);
        QCOMPARE(QSet<int>(either.begin(), either.end()), expected);
        QCOMPARE(either.size(), expected.size()); // a verse holding both is listed once
        QVERIFY(either.contains(VerseLineOf(John, 11, 5)));
        // The box keeps the text as typed; the list remembers it that way too.
        QCOMPARE(P().cbxKeyText()->currentText(), QStringLiteral("耶稣　拉撒路"));
        QCOMPARE(RememberedKeys().first(), QStringLiteral("耶稣　拉撒路"));
    }

    void quotedKeyKeepsItsSpaceAndCaseMatters() {
        // Genesis 17:11 holds "14 ，23": quoted, the space is part of the one key.
        TypeAndRun(QStringLiteral("\"14 ，\""), P().RadioButton4());
        QCOMPARE(ResultLines(), QList<int>{VerseLineOf(0, 17, 11)});
        // Unquoted it is two keys, and the comma alone is in thousands of verses.
        TypeAndRun(QStringLiteral("14 ，"));
        QVERIFY(ResultLines().size() > 1000);

        TypeAndRun(QStringLiteral("GOD"));
        QCOMPARE(ResultLines(), QList<int>{Planted});
        TypeAndRun(QStringLiteral("god"));
        QCOMPARE(messages, QStringList{QStringLiteral("搜索结果为空！")});
        // The box's list found "god" as the remembered "GOD" and added nothing.
        QCOMPARE(RememberedKeys().first(), QStringLiteral("GOD"));
        QCOMPARE(RememberedKeys().filter(QStringLiteral("god"), Qt::CaseInsensitive).size(), 1);
    }

    void keyNeverMatchesAcrossTwoCharacters() {
        // The trail byte of "初" and the lead byte of "神" in Genesis 1:1 spell "跎", a
        // character the text never holds.
        const std::string key = Utf8ToGbk("跎");
        QVERIFY(TBibGlobe::StripMarkers(TBibGlobe::VerseText(Gen1_1)).find(key) !=
                std::string::npos);
        TypeAndRun(QStringLiteral("跎"), P().RadioButton4());
        QCOMPARE(messages, QStringList{QStringLiteral("搜索结果为空！")});
    }

    void noResultsLeavesOneBlankRow() {
        TypeAndRun(QStringLiteral("光"), P().RadioButton2());
        QCOMPARE(ResultLines().size(), 7);
        TypeAndRun(QStringLiteral("耶稣"));
        QCOMPARE(messages, QStringList{QStringLiteral("搜索结果为空！")});
        QVERIFY(fm->SearchResultEmpty());
        QCOMPARE(P().sgrdSearchResult()->RowCount(), 1);
        QCOMPARE(P().sgrdSearchResult()->RowHeight(0), 24);
        QVERIFY(P().cbxKeyText()->toolTip().isEmpty());
        QTRY_VERIFY(fm->focusWidget() == P().cbxKeyText()->lineEdit() ||
                    fm->focusWidget() == P().cbxKeyText());
        // The blank row answers no double-click.
        const int entries = P().History()->Count();
        QTest::mouseDClick(P().sgrdSearchResult()->viewport(), Qt::LeftButton, {},
                           P().sgrdSearchResult()->CellRect(1, 0).center());
        QCOMPARE(jumps, 0);
        QCOMPARE(P().History()->Count(), entries);

        // A text of separators only passes as a key text but holds no key.
        TypeAndRun(QStringLiteral(","));
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.last(), QStringLiteral("搜索结果为空！"));
    }

    void blankKeyTextIsRefused() {
        TypeAndRun(QStringLiteral("光"), P().RadioButton2());
        const QStringList keys = RememberedKeys();
        TypeAndRun(QStringLiteral("　 　"));
        QCOMPARE(messages, QStringList{QStringLiteral("请输入搜索内容！")});
        QCOMPARE(RememberedKeys(), keys);
        QCOMPARE(P().SearchedText(), Utf8ToGbk("光"));
        QCOMPARE(ResultLines().size(), 7); // the last results stay
        // The run button does the same as Enter.
        QTest::mouseClick(P().sbtnExeSearch(), Qt::LeftButton);
        QCOMPARE(messages.size(), 2);
    }

    // The display hands keys to the combo box, not to its line edit: Enter and the keypad's
    // Enter both run the search there, once, and the key is remembered.
    void enterInTheKeyBoxRunsTheSearchOnce() {
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(P().cbxKeyText()));
        QTest::mouseClick(P().RadioButton2(), Qt::LeftButton, {}, QPoint(4, 8));
        TypeKeys(QStringLiteral("光"));
        Key(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(ResultLines().size(), 7);
        QCOMPARE(RememberedKeys(), QStringList{QStringLiteral("光")});
        TypeKeys(QStringLiteral("水"));
        Key(Qt::Key_Return);
        QCOMPARE(P().SearchedText(), Utf8ToGbk("水"));
        QCOMPARE(RememberedKeys(), (QStringList{QStringLiteral("水"), QStringLiteral("光")}));

        // A blank key: one message, so the search ran once.
        TypeKeys(QStringLiteral("　"));
        Key(Qt::Key_Return);
        QTest::qWait(100); // time for a second box, were there one
        QCOMPARE(messages, QStringList{QStringLiteral("请输入搜索内容！")});
        QCOMPARE(RememberedKeys().size(), 2);
    }

    // What is typed is searched and remembered, however a remembered key begins; the list of
    // remembered keys is still there to pick from.
    void typedKeyIsNeverCompleted() {
        TypeAndRun(QStringLiteral("耶稣里的"), P().RadioButton4());
        const int within = int(ResultLines().size());
        TypeAndRun(QStringLiteral("GOD"));
        QCOMPARE(ResultLines(), QList<int>{Planted});

        // An input method's commit.
        TypeKeys(QStringLiteral("耶稣"));
        QCOMPARE(P().cbxKeyText()->currentText(), QStringLiteral("耶稣"));
        Key(Qt::Key_Return);
        QVERIFY(ResultLines().size() > 10 * within);
        QCOMPARE(P().SearchedText(), Utf8ToGbk("耶稣"));
        QCOMPARE(RememberedKeys(), (QStringList{QStringLiteral("耶稣"), QStringLiteral("GOD"),
                                                QStringLiteral("耶稣里的")}));

        // Latin letters typed one by one.
        TypeKeys({});
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("G"));
        QCOMPARE(P().cbxKeyText()->currentText(), QStringLiteral("G"));
        QVERIFY(!P().cbxKeyText()->lineEdit()->hasSelectedText());
        QCOMPARE(P().cbxKeyText()->count(), 3);
        QVERIFY(messages.isEmpty());
    }

    // The result count stays up while the pointer rests on the key box, past the ten seconds
    // Qt gives a short tip.
    void resultCountHintStays() {
        TypeAndRun(QStringLiteral("光"), P().RadioButton2());
        const QString count = QStringLiteral("共找到 7 项");
        QCOMPARE(P().cbxKeyText()->toolTip(), count);
        QLineEdit* edit = P().cbxKeyText()->lineEdit();
        QTest::mouseMove(edit, QPoint(10, edit->height() / 2));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), count);
        QTest::qWait(11500);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), count);
    }

    void eightKeysAreRememberedAndReuseDoesNotMoveThem() {
        const QStringList words = {
            QStringLiteral("神"), QStringLiteral("光"), QStringLiteral("水"),
            QStringLiteral("天"), QStringLiteral("地"), QStringLiteral("日"),
            QStringLiteral("夜"), QStringLiteral("鱼"), QStringLiteral("鸟")};
        for (const QString& w : words)
            TypeAndRun(w, P().RadioButton2());
        QStringList expected = words.mid(1);
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(RememberedKeys(), expected); // the ninth pushed out the first
        TypeAndRun(QStringLiteral("天"));
        QCOMPARE(RememberedKeys(), expected);
        QCOMPARE(P().cbxKeyText()->currentText(), QStringLiteral("天"));
        QVERIFY(messages.isEmpty());

        // Picking an older key from the list and typing a new one over it.
        P().cbxKeyText()->setCurrentIndex(7);
        TypeAndRun(QStringLiteral("树"));
        QCOMPARE(P().cbxKeyText()->currentText(), QStringLiteral("树"));
        QCOMPARE(RememberedKeys().size(), 8);
        QCOMPARE(RememberedKeys().first(), QStringLiteral("树"));
        QVERIFY(!ResultLines().isEmpty());
    }

    void rememberedKeysAreReadAtShow() {
        TInifileX().WriteList("SEARCH KEYS",
                              {Utf8ToGbk("恩典"), Utf8ToGbk("平安"), Utf8ToGbk("喜乐")});
        fm.reset();
        fm = std::make_unique<TfmBook>();
        QCOMPARE(P().cbxKeyText()->count(), 0); // read when shown, not when made
        fm->show();
        QVERIFY(QTest::qWaitForWindowExposed(fm.get()));
        QCOMPARE(RememberedKeys(), (QStringList{QStringLiteral("恩典"), QStringLiteral("平安"),
                                                QStringLiteral("喜乐")}));
        QCOMPARE(P().cbxKeyText()->currentIndex(), 0);
        QCOMPARE(P().cbxKeyText()->currentText(), QStringLiteral("恩典"));
    }

    void doubleClickJumpsToTheVerse() {
        TypeAndRun(QStringLiteral("耶稣哭了"), P().RadioButton4());
        QCOMPARE(ResultLines(), QList<int>{John11_35});
        orvane::test::SaveShot(fm.get(), QStringLiteral("search-jesus-wept"));
        const int entries = P().History()->Count();
        QTest::mouseDClick(P().sgrdSearchResult()->viewport(), Qt::LeftButton, {},
                           P().sgrdSearchResult()->CellRect(1, 0).center());
        QCOMPARE(jumps, 1);
        WaitForLoad();
        QCOMPARE(fm->SelectedBookData(), &nodes[John]);
        QCOMPARE(fm->ChapterNumber(), 11);
        QCOMPARE(fm->RowToVerseLine(P().sgrdMain()->Row()), John11_35);
        QCOMPARE(P().History()->Count(), entries + 1);
        // The results stay after the jump.
        QCOMPARE(ResultLines(), QList<int>{John11_35});
    }

    void hiddenResultPageIgnoresResizes() {
        TypeAndRun(QStringLiteral("光"), P().RadioButton3());
        TStringGrid* grid = P().sgrdSearchResult();
        const int width = grid->ColWidth(1);
        const auto breaks = grid->LineBreaks;
        QList<int> heights;
        for (int r = 0; r < grid->RowCount(); ++r)
            heights << grid->RowHeight(r);

        P().PageControl1()->setCurrentWidget(P().tshtSeriP());
        fm->resize(700, 600);
        // Qt holds a hidden widget's resize back until it shows; deliver it now, as a page
        // resized together with the visible one would get it.
        const QSize old = P().tshtSearchResult()->size();
        P().tshtSearchResult()->resize(400, old.height());
        QResizeEvent resized(P().tshtSearchResult()->size(), old);
        QApplication::sendEvent(P().tshtSearchResult(), &resized);
        QCOMPARE(grid->width(), 400); // the grid inside did follow
        QCOMPARE(grid->ColWidth(0), 78);
        QCOMPARE(grid->ColWidth(1), width);
        QCOMPARE(grid->LineBreaks, breaks);
        QList<int> after;
        for (int r = 0; r < grid->RowCount(); ++r)
            after << grid->RowHeight(r);
        QCOMPARE(after, heights);

        // Shown again, the page catches up with its new size.
        P().PageControl1()->setCurrentWidget(P().tshtSearchResult());
        QTRY_VERIFY(grid->ColWidth(1) < width);
        QCOMPARE(grid->ColWidth(1), grid->contentsRect().width() - 78 - 2 -
                                        grid->verticalScrollBar()->sizeHint().width());
        QVERIFY(grid->LineBreaks != breaks);
    }

    void highlightsCoverExactlyTheMatchedCharacters() {
        TypeAndRun(QStringLiteral("光"), P().RadioButton2());
        TStringGrid* grid = P().sgrdSearchResult();
        const QFontMetrics metrics(ReadingFont());
        // Yellow columns of display line k of a row, as x ranges [from, to).
        auto yellowRuns = [&](const QImage& shot, int row, int k) {
            const QRect cell = grid->CellRect(1, row);
            const int top = cell.top() + 4 + 24 * k;
            QList<QPair<int, int>> runs;
            int start = -1;
            for (int x = cell.left(); x <= cell.right() + 1; ++x) {
                bool yellow = false;
                for (int y = top; y < top + metrics.height() && x <= cell.right(); ++y)
                    yellow = yellow || IsYellow(shot.pixel(x, y));
                if (yellow && start < 0) start = x;
                if (!yellow && start >= 0) {
                    runs << qMakePair(start, x);
                    start = -1;
                }
            }
            return runs;
        };
        auto xOf = [&](int row, size_t lineStart, size_t byte) {
            return grid->CellRect(1, row).left() + 4 +
                   ReadingTextWidth(
                       std::string_view(grid->Cells(1, row)).substr(lineStart, byte - lineStart));
        };

        // Genesis 1:3 "神说，要有光，就有了光。": two hits on its first line.
        QImage shot = grid->viewport()->grab().toImage();
        orvane::test::SaveShot(shot, QStringLiteral("search-light-chapter"));
        const std::string& verse = grid->Cells(1, 0);
        const size_t hit1 = verse.find(Utf8ToGbk("光"));
        const size_t hit2 = verse.find(Utf8ToGbk("光"), hit1 + 2);
        const int w = ReadingTextWidth(Utf8ToGbk("光"));
        QCOMPARE(yellowRuns(shot, 0, 0),
                 (QList<QPair<int, int>>{{xOf(0, 0, hit1), xOf(0, 0, hit1) + w},
                                         {xOf(0, 0, hit2), xOf(0, 0, hit2) + w}}));
        // Red text on the yellow.
        const QRect first(xOf(0, 0, hit1), grid->CellRect(1, 0).top() + 4, w, metrics.height());
        bool red = false;
        for (int x = first.left(); x <= first.right(); ++x)
            for (int y = first.top(); y <= first.bottom(); ++y) {
                const QRgb c = shot.pixel(x, y);
                red = red || (qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80);
            }
        QVERIFY(red);

        // A key across a display-line break is drawn in two pieces, tail and head.
        int row = -1;
        size_t split = 0;
        std::string key;
        TypeAndRun(QStringLiteral("神"), P().RadioButton3());
        for (int r = 0; r < grid->RowCount() && row < 0; ++r) {
            const auto& ends = grid->LineBreaks[size_t(r)];
            const std::string& text = grid->Cells(1, r);
            if (ends.size() < 2 || ends[0] < 4 || size_t(ends[0]) + 4 > text.size()) continue;
            bool wide = true;
            for (size_t i = ends[0] - 4; i < size_t(ends[0]) + 4; i += 2)
                wide =
                    wide && IsLeadByte(text[i]) && text[i] != char(0xA3) && text[i] != char(0xA1);
            if (!wide) continue;
            row = r;
            split = ends[0];
            key = text.substr(split - 4, 8);
        }
        QVERIFY(row >= 0);
        const int verseLine = int(grid->Objects(0, row));
        // Searched alone, the verse keeps its line breaks: the layout does not depend on keys.
        TypeAndRun(FromGbk(key));
        row = int(ResultLines().indexOf(verseLine));
        QVERIFY(row >= 0);
        QCOMPARE(size_t(grid->LineBreaks[size_t(row)][0]), split);
        grid->SetTopRow(row);
        shot = grid->viewport()->grab().toImage();
        orvane::test::SaveShot(shot, QStringLiteral("search-split-hit"));
        QVERIFY(yellowRuns(shot, row, 0)
                    .contains(qMakePair(xOf(row, 0, split - 4), xOf(row, 0, split))));
        QCOMPARE(yellowRuns(shot, row, 1).first(),
                 qMakePair(xOf(row, split, split), xOf(row, split, split + 4)));
    }

    void studyNoteEmphasisesItsFirstParagraph() {
        P().PageControl1()->setCurrentWidget(P().tshtLingXiu());
        QTextDocument* doc = P().redtLingXiu()->document();
        StringList notes;
        QVERIFY(TBibGlobe::LoadResourceText("bibLX", notes));
        QStringList fields = FromGbk(notes[size_t(Gen1_1)]).split(u'\t');
        QVERIFY(fields.size() >= 3);
        // The first paragraph, an empty line, then every other field in its order.
        QCOMPARE(doc->blockCount(), fields.size() + 1);
        QCOMPARE(doc->begin().text(), fields[0]);
        QVERIFY(doc->begin().next().text().isEmpty());
        for (int i = 1; i < fields.size(); ++i)
            QCOMPARE(doc->findBlockByNumber(i + 1).text(), fields[i]);
        auto weightAt = [&](int block) {
            QTextCursor c(doc->findBlockByNumber(block));
            c.movePosition(QTextCursor::NextCharacter);
            return c.charFormat().fontWeight();
        };
        auto colourAt = [&](int block) {
            QTextCursor c(doc->findBlockByNumber(block));
            c.movePosition(QTextCursor::EndOfBlock);
            return c.charFormat().foreground().color();
        };
        QCOMPARE(weightAt(0), int(QFont::Bold));
        QCOMPARE(colourAt(0), QColor(Qt::black));
        QCOMPARE(weightAt(2), int(QFont::Normal));
        QCOMPARE(P().redtLingXiu()->textCursor().position(), 0);
        orvane::test::SaveShot(fm.get(), QStringLiteral("search-study-note"));

        // Genesis 1:4 has no note of its own: the one at 1:3 covers it.
        const QRect row4 = P().sgrdMain()->CellRect(1, 4);
        QTest::mouseClick(P().sgrdMain()->viewport(), Qt::LeftButton, {}, row4.center());
        QCOMPARE(P().sgrdMain()->Row(), 4);
        QVERIFY(P().redtLingXiu()->toPlainText().isEmpty());
        QTest::mouseClick(P().sgrdMain()->viewport(), Qt::LeftButton, {},
                          P().sgrdMain()->CellRect(1, 3).center());
        QVERIFY(!P().redtLingXiu()->toPlainText().isEmpty());

        // With a skin the first paragraph takes the skin's accent colour.
        SkinIndex = 1;
        SkinMenuHighlight = QImage(24, 18, QImage::Format_RGB32);
        SkinMenuHighlight.fill(QColor(160, 40, 40));
        QTest::mouseClick(P().sgrdMain()->viewport(), Qt::LeftButton, {},
                          P().sgrdMain()->CellRect(1, 1).center());
        QCOMPARE(colourAt(0), QColor(160, 40, 40));
        QCOMPARE(colourAt(2), QColor(Qt::black));
    }
};

QTEST_MAIN(SearchPaneTest)
#include "SearchPaneTest.moc"
