// The main window as the reader meets it: what it restores at start, what it leaves in the
// settings file, the skin menu, the keyboard shortcuts and the status bar.
#include "Addressing.h"
#include "AncePanel.h"
#include "AppPaths.h"
#include "AppStart.h"
#include "BibGlobe.h"
#include "DailyVerses.h"
#include "DrawMenus.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "SkinState.h"
#include "StringGrid.h"
#include "unTMiscTabs.h"
#include "wnBook.h"
#include "wnEditor.h"
#include "wnMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyleOptionMenuItem>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace orvane;

namespace {

const int Gen1_1 = VerseLineOf(0, 1, 1);
const int Gen1_3 = VerseLineOf(0, 1, 3);
const int Gen1_5 = VerseLineOf(0, 1, 5);
const int Gen2_1 = VerseLineOf(0, 2, 1);
const int Exo3_14 = VerseLineOf(1, 3, 14);
const int Mat1_1 = VerseLineOf(39, 1, 1);
const int John3_16 = VerseLineOf(42, 3, 16);

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

// Counts the key presses that reach a widget (after the application-wide shortcut filter).
class TKeyWatch : public QObject {
public:
    explicit TKeyWatch(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) Keys << static_cast<QKeyEvent*>(event)->key();
        return false;
    }
    QList<int> Keys;
};

// WCAG 2 relative luminance and contrast ratio.
double Luminance(QColor c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double Contrast(QColor a, QColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
// The same picture painted with the text in its own colour and in a marker colour: the pixels
// that differ are the text, those that agree inside the text's bounding box lie under it. The
// lowest contrast of the text colour against any of those, or 0 when no text was found.
double LeastContrastUnderText(const QImage& real, const QImage& marked, QColor text) {
    QRect box;
    for (int y = 0; y < real.height(); ++y)
        for (int x = 0; x < real.width(); ++x)
            if (real.pixel(x, y) != marked.pixel(x, y)) box |= QRect(x, y, 1, 1);
    if (box.isEmpty()) return 0;
    double least = 21;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (real.pixel(x, y) == marked.pixel(x, y))
                least = std::min(least, Contrast(text, QColor(real.pixel(x, y))));
    return least;
}
const QColor kMarker(255, 0, 255);

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<TfmMain> fm;

    QString IniPath() const { return folder_->filePath(QStringLiteral("orvane.ini")); }

    void Start() {
        fm = std::make_unique<TfmMain>();
        QVERIFY(fm->ScriptureLoaded());
        fm->show();
        QApplication::setActiveWindow(fm.get());
        fm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fm.get()));
    }
    // Destroying the window is how the program ends.
    void Stop() { fm.reset(); }

    TfmBook* Book() const { return fm->fmBook; }
    // The verse line of the grid's current row, once the chapter on screen is loaded.
    int Current() const { return Book()->ShownVerseLine(Book()->sgrdMain->Row()); }
    QString BookName() const {
        const QTreeWidgetItem* item = Book()->trvBook->currentItem();
        return item ? item->text(0) : QString();
    }
    QStringList Captions() const {
        QStringList captions;
        for (int i = 0; i < fm->Tabs->Tabs().Count(); ++i)
            captions << fm->Tabs->Tabs()[i];
        return captions;
    }
    // Keys go where the user's keyboard would send them: the focused widget.
    // The window's outer corner: its system frame's, or its own while a skin draws the frame.
    QPoint Corner() const {
        return SkinIndex != kSkinSystem ? fm->geometry().topLeft() : fm->frameGeometry().topLeft();
    }
    // The offscreen platform invents a 2 px frame and keeps reporting it after the frame has
    // gone, so the corner is compared to within that (a real display matches it exactly).
    bool NearCorner(QPoint corner) const { return (Corner() - corner).manhattanLength() <= 4; }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : fm.get(), key, mods);
    }
    void FocusGridRow(int row) {
        Book()->sgrdMain->setFocus();
        Book()->sgrdMain->SetRow(row);
        QCOMPARE(QApplication::focusWidget(), Book()->sgrdMain);
    }

private slots:
    void initTestCase() {
        PrepareApplication();
        QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"));
        QVERIFY(!DailyVerses().empty());
        DailyVerseIndex() = int(DailyVerses().size() / 2);
    }
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        SetExecutablePath(std::filesystem::path(folder_->path().toStdString()) / "orvane");
    }
    void cleanup() {
        fm.reset();
        SetExecutablePath({});
        folder_.reset();
    }

    // A first run: both testaments, the system look, Genesis 1:1; the place the reader stops
    // at is where the next run opens.
    void firstStartAndRestart() {
        QVERIFY(!QFile::exists(IniPath()));
        Start();
        QCOMPARE(Captions(), (QStringList{QStringLiteral("旧约"), QStringLiteral("新约　")}));
        QCOMPARE(fm->Tabs->TabIndex(), 0);
        QCOMPARE(SkinIndex, 0);
        QVERIFY(!fm->pnlAnceTitle->isVisible());
        QVERIFY(fm->MainMenu1->isVisible());
        QCOMPARE(fm->StatusPanels[1]->text(), QStringLiteral("每日金句："));
        QCOMPARE(BookName(), QStringLiteral("创世记"));
        QTRY_COMPARE(Current(), Gen1_1);
        QCOMPARE(Book()->ChapterNumber(), 1);
        fm->grab().save(QStringLiteral("/tmp/mainwindow-first.png"));

        Book()->JumpToVerse(Exo3_14);
        QTRY_COMPARE(Current(), Exo3_14);
        Stop();
        QCOMPARE(TInifileX().ReadInteger("MAIN", "BIB CHAPT INFO", -1), Exo3_14);

        Start();
        QCOMPARE(BookName(), QStringLiteral("出埃及记"));
        QTRY_COMPARE(Current(), Exo3_14);
    }

    void savedPosition_data() {
        QTest::addColumn<int>("saved");
        QTest::addColumn<int>("verse");
        QTest::addColumn<QString>("book");
        QTest::addColumn<int>("tab");
        QTest::newRow("Matthew 1:1") << Mat1_1 << Mat1_1 << QStringLiteral("马太福音") << 1;
        QTest::newRow("John 3:16") << John3_16 << John3_16 << QStringLiteral("约翰福音") << 1;
        QTest::newRow("past the end") << 99999 << Gen1_1 << QStringLiteral("创世记") << 0;
        QTest::newRow("negative") << -5 << Gen1_1 << QStringLiteral("创世记") << 0;
    }
    void savedPosition() {
        QFETCH(int, saved);
        QFETCH(int, verse);
        QFETCH(QString, book);
        QFETCH(int, tab);
        TInifileX().WriteInteger("MAIN", "BIB CHAPT INFO", saved);
        Start();
        QCOMPARE(fm->Tabs->TabIndex(), tab);
        QCOMPARE(fm->CurrentTestament, tab);
        QCOMPARE(BookName(), book);
        QTRY_COMPARE(Current(), verse);
    }

    // The tabs follow the order of the settings; each still stands for its own testament, and
    // the saved place opens under whichever tab holds its testament.
    void tabsInStoredOrder_data() {
        QTest::addColumn<int>("saved");
        QTest::addColumn<QString>("book");
        QTest::addColumn<int>("tab");
        QTest::newRow("Exodus 3:14") << Exo3_14 << QStringLiteral("出埃及记") << 1;
        QTest::newRow("Matthew 1:1") << Mat1_1 << QStringLiteral("马太福音") << 0;
    }
    void tabsInStoredOrder() {
        QFETCH(int, saved);
        QFETCH(QString, book);
        QFETCH(int, tab);
        {
            TInifileX ini;
            ini.WriteString("TABS", ToGbk(QStringLiteral("新约")), "1");
            ini.WriteString("TABS", ToGbk(QStringLiteral("旧约")), "1");
            ini.WriteInteger("MAIN", "BIB CHAPT INFO", saved);
        }
        Start();
        QCOMPARE(Captions(), (QStringList{QStringLiteral("新约"), QStringLiteral("旧约　")}));
        QCOMPARE(fm->TabTestament(0), 1);
        QCOMPARE(fm->TabTestament(1), 0);
        QCOMPARE(fm->Tabs->TabIndex(), tab);
        QCOMPARE(BookName(), book);
        QTRY_COMPARE(Current(), saved);

        // Clicking the other tab shows the other testament's books.
        const TTabSpan other = fm->Tabs->TabPositions().at(1 - tab);
        QTest::mouseClick(fm->Tabs, Qt::LeftButton, {},
                          QPoint(fm->Tabs->width() / 2, other.top + other.length / 2));
        QCOMPARE(fm->Tabs->TabIndex(), 1 - tab);
        QCOMPARE(fm->CurrentTestament, 1 - fm->TabTestament(tab));
    }

    void tabsWithoutAnyShown() {
        TInifileX().WriteString("TABS", "Topic", "0");
        Start();
        QCOMPARE(fm->Tabs->Tabs().Count(), 0);
        QCOMPARE(BookName(), QStringLiteral("创世记"));
        QTRY_COMPARE(Current(), Gen1_1);
        QTest::mouseClick(fm->Tabs, Qt::LeftButton, {}, QPoint(10, 10));
        QTRY_COMPARE(Current(), Gen1_1);
    }

    // The stored skin is put on before the window shows and is not written back; the reader's
    // own choice of look is.
    void storedSkinAndSwitchToSystemLook() {
        TInifileX().WriteInteger("MAIN", "SKIN INDEX", 2);
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        Start();
        QCOMPARE(SkinIndex, 2);
        QVERIFY(fm->SkinItems[2]->isChecked());
        QVERIFY(fm->pnlAnceTitle->isVisible());
        QCOMPARE(fm->StatusPanels[1]->text(), QStringLiteral("> 每日金句："));
        QTRY_COMPARE(Current(), Gen1_1);
        fm->grab().save(QStringLiteral("/tmp/mainwindow-red.png"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();

        fm->SkinItems[0]->trigger();
        QCOMPARE(SkinIndex, 0);
        QVERIFY(fm->SkinItems[0]->isChecked());
        QCOMPARE(TInifileX().ReadInteger("MAIN", "SKIN INDEX", -1), 0);
        QCOMPARE(fm->StatusPanels[1]->text(), QStringLiteral("每日金句："));
        QTRY_VERIFY(!fm->pnlAnceTitle->isVisible());
        QTRY_VERIFY(fm->MainMenu1->isVisible());
        fm->grab().save(QStringLiteral("/tmp/mainwindow-system.png"));
    }

    void chapterKeysAndFunctionKeys() {
        Start();
        QTRY_COMPARE(Current(), Gen1_1);
        FocusGridRow(1);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QTRY_COMPARE(Current(), Gen2_1);
        QCOMPARE(Book()->ChapterNumber(), 2);
        Key(Qt::Key_Left, Qt::ControlModifier);
        QTRY_COMPARE(Current(), Gen1_1);

        // F4 alone reaches no control; Alt+F4 is left to the window system.
        auto* watch = new TKeyWatch(Book()->sgrdMain);
        Key(Qt::Key_F4);
        QVERIFY(!watch->Keys.contains(Qt::Key_F4));
        Key(Qt::Key_F4, Qt::AltModifier);
        QVERIFY(watch->Keys.contains(Qt::Key_F4));

        // F3 opens the find panel with the caret in the search box, and closes it again.
        QVERIFY(!Book()->panFindOpt->isVisible());
        Key(Qt::Key_F3);
        QVERIFY(Book()->tbtnFind->isChecked());
        QVERIFY(Book()->panFindOpt->isVisible());
        QTRY_VERIFY(Book()->cbxKeyText->hasFocus());
        Key(Qt::Key_F3);
        QVERIFY(!Book()->tbtnFind->isChecked());
        QVERIFY(!Book()->panFindOpt->isVisible());
    }

    void bookmarkKeys_data() {
        QTest::addColumn<int>("key");
        // What a test sends and what a US keyboard sends for Ctrl+Shift+5.
        QTest::newRow("digit") << int(Qt::Key_5);
        QTest::newRow("symbol") << int(Qt::Key_Percent);
    }
    void bookmarkKeys() {
        QFETCH(int, key);
        Start();
        QTRY_COMPARE(Current(), Gen1_1);
        FocusGridRow(5);
        QCOMPARE(Current(), Gen1_5);
        Key(Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Book()->BookMarks[5], Gen1_5);
        Key(Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Book()->BookMarks[5], -1);
        Key(Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Book()->BookMarks[5], Gen1_5);

        FocusGridRow(1);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QTRY_COMPARE(Current(), Gen2_1);
        Key(Qt::Key_5, Qt::ControlModifier);
        QTRY_COMPARE(Current(), Gen1_5);

        // The keypad's digits are the same slots, across testaments too.
        Book()->BookMarks[3] = John3_16;
        Key(Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier);
        QTRY_COMPARE(Current(), John3_16);
        QCOMPARE(fm->CurrentTestament, 1);
        QCOMPARE(fm->Tabs->TabIndex(), 1);
        QCOMPARE(BookName(), QStringLiteral("约翰福音"));
        Key(Qt::Key_5, Qt::ControlModifier);
        QTRY_COMPARE(Current(), Gen1_5);
        QCOMPARE(fm->Tabs->TabIndex(), 0);
        Key(Qt::Key_3, Qt::ControlModifier);
        QTRY_COMPARE(Current(), John3_16);

        // An empty slot goes nowhere.
        Key(Qt::Key_7, Qt::ControlModifier);
        QTest::qWait(300);
        QCOMPARE(Current(), John3_16);
    }

    void copyKeys() {
        Start();
        QTRY_COMPARE(Current(), Gen1_1);

        // In the grid Ctrl+C copies the verse.
        FocusGridRow(3);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        Key(Qt::Key_C, Qt::ControlModifier);
        const QString verse = FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(Gen1_3)));
        QVERIFY2(Clipboard().contains(verse), qPrintable(Clipboard()));

        // In the search box it is the box's own copy of the selected text.
        Key(Qt::Key_F3);
        QLineEdit* box = Book()->cbxKeyText->lineEdit();
        QTRY_VERIFY(box->hasFocus());
        // Chinese text arrives from the input method, committed in one piece.
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("光暗"));
        QApplication::sendEvent(box, &commit);
        box->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("光暗"));
        QCOMPARE(box->text(), QStringLiteral("光暗"));
    }

    // The window opens with its outer corner at (52, 202), inside the screen's free area, and a
    // change of look keeps it there and on screen, even when Qt still believes it minimised.
    void placementAndLookSwitches() {
        Start();
        const QRect room = fm->screen()->availableGeometry();
        const QPoint corner = fm->frameGeometry().topLeft();
        QCOMPARE(corner, TfmAncestor::FitInside(QPoint(52, 202), fm->frameGeometry().size(), room));
        if (room.width() >= 900 && room.height() >= 700) QCOMPARE(corner, QPoint(52, 202));
        QVERIFY(room.contains(corner));
        for (int skin : {3, 0, 2, 1, 0}) {
            fm->showMinimized();
            QTRY_VERIFY(fm->isMinimized());
            fm->showNormal();
            QTRY_VERIFY(!fm->isMinimized());
            fm->SkinItems[size_t(skin)]->trigger();
            QTRY_VERIFY(fm->isVisible());
            QVERIFY(!fm->isMinimized());
            QVERIFY2(NearCorner(corner),
                     qPrintable(QStringLiteral("%1,%2").arg(Corner().x()).arg(Corner().y())));
        }
        // A restore the window manager did behind Qt's back leaves the state stale.
        fm->setWindowState(fm->windowState() | Qt::WindowMinimized);
        fm->SkinItems[3]->trigger();
        QTRY_VERIFY(fm->isVisible());
        QVERIFY(!fm->isMinimized());
        QVERIFY2(NearCorner(corner),
                 qPrintable(QStringLiteral("%1,%2").arg(Corner().x()).arg(Corner().y())));

        // Maximised it stays maximised through a switch.
        fm->showMaximized();
        QTRY_VERIFY(fm->isMaximized());
        fm->SkinItems[0]->trigger();
        QTRY_VERIFY(fm->isVisible());
        QVERIFY(fm->isMaximized());
    }

    // The writing editor is a window of its own; while it is the active one the reader's keys
    // still work, and Ctrl+C copies the editor's selection. With the main window active again
    // Ctrl+C copies the verse, though the editor is still on screen.
    void shortcutsInTheWritingEditor() {
        Start();
        QTRY_COMPARE(Current(), Gen1_1);
        FocusGridRow(3);
        Book()->acEditor->trigger();
        TfmEditor* editor = TfmEditor::Instance();
        QVERIFY(editor && editor->isVisible());
        QApplication::setActiveWindow(fm.get());
        FocusGridRow(3);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        Key(Qt::Key_C, Qt::ControlModifier);
        const QString verse = FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(Gen1_3)));
        QVERIFY2(Clipboard().contains(verse), qPrintable(Clipboard()));

        QApplication::setActiveWindow(editor);
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        editor->Memo1->setFocus();
        QCOMPARE(QApplication::focusWidget(), editor->Memo1);
        Key(Qt::Key_Right, Qt::ControlModifier);
        QTRY_COMPARE(Book()->ChapterNumber(), 2);
        Key(Qt::Key_Left, Qt::ControlModifier);
        QTRY_COMPARE(Book()->ChapterNumber(), 1);

        QTRY_VERIFY(!editor->Memo1->toPlainText().isEmpty());
        QTextCursor cursor = editor->Memo1->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        editor->Memo1->setTextCursor(cursor);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        Key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), editor->Memo1->toPlainText().left(2));

        // F5: the note editor of the current verse.
        QString title;
        QTimer::singleShot(0, [&title] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                title = dialog->windowTitle();
                dialog->close();
            }
        });
        Key(Qt::Key_F5);
        QVERIFY2(title.startsWith(QStringLiteral("批注")), qPrintable(title));
    }

    // 灰色调: the selected testament tab and a hot menu item keep their teal text readable, at
    // least 3:1 against every pixel of the picture under it.
    void darkSkinHotTextIsReadable() {
        TInifileX().WriteInteger("MAIN", "SKIN INDEX", 3);
        Start();
        QCOMPARE(SkinIndex, 3);
        const QColor hot = SkinMenuHotTextColor;
        const QImage tabs = fm->Tabs->grab().toImage().convertToFormat(QImage::Format_RGB32);
        fm->Tabs->SetColor(TMiscTabs::SelectedText, kMarker);
        const QImage marked = fm->Tabs->grab().toImage().convertToFormat(QImage::Format_RGB32);
        fm->Tabs->SetColor(TMiscTabs::SelectedText, hot);
        const double tab = LeastContrastUnderText(tabs, marked, hot);
        QVERIFY2(tab >= 3, qPrintable(QString::number(tab)));

        QStyleOptionMenuItem item;
        item.rect = QRect(0, 0, 160, 22);
        item.state = QStyle::State_Enabled | QStyle::State_Selected;
        item.text = QStringLiteral("系统皮肤");
        item.menuItemType = QStyleOptionMenuItem::Normal;
        item.font = fm->font();
        const auto paint = [&item] {
            QImage image(item.rect.size(), QImage::Format_RGB32);
            QPainter p(&image);
            TDrawMenus::DrawItem(p, item);
            return image;
        };
        const QImage menu = paint();
        SkinMenuHotTextColor = kMarker;
        const QImage menuMarked = paint();
        SkinMenuHotTextColor = hot;
        const double hotItem = LeastContrastUnderText(menu, menuMarked, hot);
        QVERIFY2(hotItem >= 3, qPrintable(QString::number(hotItem)));
        fm->Tabs->grab().save(QStringLiteral("/tmp/mainwindow-gray-tabs.png"));
        menu.save(QStringLiteral("/tmp/mainwindow-gray-hot-item.png"));
    }

    // The status bar hands over the whole daily verse with its reference, wherever it is
    // double-clicked.
    void statusBarDoubleClick() {
        Start();
        const QString line = FromGbk(DailyVerses()[size_t(DailyVerseIndex())]);
        QCOMPARE(fm->StatusPanels[2]->text(), line);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        QTest::mouseDClick(fm->StatusPanels[2], Qt::LeftButton);
        QCOMPARE(Clipboard(), line);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        QTest::mouseDClick(fm->StatusPanels[0], Qt::LeftButton);
        QCOMPARE(Clipboard(), line);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
