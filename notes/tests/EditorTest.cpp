// The writing editor: following the verse, copying, the two searches of the selection, the
// web address it hands to the system, and hiding with Esc.

#include "TestSupport.h"
#include "wnEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <vector>

using namespace orvane;

namespace {

const QString kJohn =
    QStringLiteral("神爱世人，甚至将他的独生子赐给他们，叫一切信他的，不至灭亡，反得永生。");

// Selects `count` characters from `from` the way a user does: click, then Shift+Right.
void SelectByKeys(TfmEditor& editor, int from, int count) {
    QPlainTextEdit* memo = editor.Memo1;
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(from);
    memo->setTextCursor(cursor);
    for (int i = 0; i < count; ++i)
        orvane::test::KeyToFocused(memo, Qt::Key_Right, Qt::ShiftModifier);
}

// Answers the next message box with its only button and remembers its text.
QString AnswerNextBox(std::function<void()> trigger) {
    QString text;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        timer.stop();
        text = box->text();
        box->buttons().value(0)->click();
    });
    timer.start();
    trigger();
    return text;
}

QString QueryOf(const QUrl& url) {
    return QUrl::fromPercentEncoding(url.query(QUrl::FullyEncoded).mid(2).toLatin1());
}

} // namespace

class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        orvane::test::PrepareFonts();
        TfmEditor::SetUrlOpener([this](const QUrl& url) {
            opened_.push_back(url);
            return true;
        });
    }
    void init() {
        opened_.clear();
        editor_ = std::make_unique<TfmEditor>();
        editor_->show();
        editor_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor_.get()));
        editor_->FollowVerse(26136, kJohn);
    }
    void cleanup() { editor_.reset(); }
    void cleanupTestCase() { TfmEditor::SetUrlOpener({}); }

    void followsTheVerse() {
        QCOMPARE(editor_->Memo1->toPlainText(), kJohn);
        QCOMPARE(editor_->VerseLine(), 26136);
        QCOMPARE(editor_->StatusPanel0->text(), QStringLiteral("总字数：70"));
        editor_->FollowVerse(0, QStringLiteral("起初，神创造天地。"));
        QCOMPARE(editor_->StatusPanel0->text(), QStringLiteral("总字数：18"));
        QVERIFY(editor_->Memo1->isReadOnly());
        // The window came up under the offscreen pointer; take the hover off its first button.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(editor_->tbtnSearch, &leave);
        orvane::test::SaveShot(editor_.get(), QStringLiteral("editor"));
    }

    void copiesSelectionOrAll() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        QTest::mouseClick(editor_->tbtnCopy, Qt::LeftButton);
        QCOMPARE(clipboard->text(), kJohn);
        SelectByKeys(*editor_, 0, 4);
        QTest::mouseClick(editor_->tbtnCopy, Qt::LeftButton);
        QCOMPARE(clipboard->text(), QStringLiteral("神爱世人"));
        // The buttons take no focus, so the selection survives the click.
        QVERIFY(editor_->Memo1->textCursor().hasSelection());
    }

    void scriptureSearchTakesTheSelection() {
        QStringList searched;
        editor_->OnScriptureSearch = [&](const QString& words) { searched << words; };
        QTest::mouseClick(editor_->tbtnSearch, Qt::LeftButton);
        QVERIFY(searched.isEmpty()); // nothing selected: nothing happens
        SelectByKeys(*editor_, 5, 2);
        QTest::mouseClick(editor_->tbtnSearch, Qt::LeftButton);
        QCOMPARE(searched, QStringList{QStringLiteral("甚至")});

        // A selection across lines is one search line.
        editor_->FollowVerse(1, QStringLiteral("起初\n神创造天地"));
        editor_->Memo1->selectAll();
        QTest::mouseClick(editor_->tbtnSearch, Qt::LeftButton);
        QCOMPARE(searched.last(), QStringLiteral("起初 神创造天地"));
    }

    void webSearchWithoutSelectionTellsTheUser() {
        const QString message =
            AnswerNextBox([&] { QTest::mouseClick(editor_->ToolButton1, Qt::LeftButton); });
        QCOMPARE(message, QStringLiteral("请选中要查找的文字！"));
        QVERIFY(opened_.empty());
    }

    void webSearchEncodesTheSelection() {
        SelectByKeys(*editor_, 0, 4);
        QTest::mouseClick(editor_->ToolButton1, Qt::LeftButton);
        QCOMPARE(opened_.size(), size_t(1));
        QCOMPARE(opened_[0].toEncoded(),
                 QByteArray("https://cn.bing.com/search?q=%E7%A5%9E%E7%88%B1%E4%B8%96%E4%BA%BA"));

        // Characters that mean something in an address stay words of the query, and an "@"
        // in the words does not turn the search into a mail.
        editor_->FollowVerse(2, QStringLiteral("a b&c=d#e?f/g+h someone@example.com"));
        editor_->Memo1->selectAll();
        QTest::mouseClick(editor_->ToolButton1, Qt::LeftButton);
        const QUrl url = opened_.back();
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.host(), QStringLiteral("cn.bing.com"));
        QCOMPARE(url.path(), QStringLiteral("/search"));
        QVERIFY(!url.hasFragment());
        QCOMPARE(QueryOf(url), QStringLiteral("a b&c=d#e?f/g+h someone@example.com"));
    }

    void longSelectionIsCutAtACharacter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kept");
        const QString chinese = kJohn.repeated(3);
        // 29 bytes of address, then 9 per Chinese character: 25 fit in 255, 24 after "ab".
        QTest::newRow("chinese") << chinese << 25;
        QTest::newRow("exactly full") << QStringLiteral("a") + chinese << 26;
        QTest::newRow("one byte over") << QStringLiteral("ab") + chinese << 26;
        // Four UTF-8 bytes each, 12 escaped: 18 fit, never half of one.
        QTest::newRow("surrogate pairs") << QStringLiteral("😀").repeated(40) << 36;
    }
    void longSelectionIsCutAtACharacter() {
        QFETCH(QString, text);
        QFETCH(int, kept);
        const QByteArray address = TfmEditor::SearchAddress(text);
        QVERIFY(address.size() <= 255);
        QVERIFY(address.startsWith("https://cn.bing.com/search?q="));
        const QString query = QUrl::fromPercentEncoding(address.mid(29));
        QCOMPARE(query, text.left(kept));
        QVERIFY(!address.endsWith('%') && address.at(address.size() - 2) != '%');
    }

    void shellOpenMailAddresses() {
        TfmEditor::ShellOpen(QStringLiteral("someone@example.com"));
        TfmEditor::ShellOpen(QStringLiteral("mailto:someone@example.com"));
        TfmEditor::ShellOpen(QStringLiteral("https://cn.bing.com/"));
        QCOMPARE(opened_.size(), size_t(3));
        QCOMPARE(opened_[0].toString(), QStringLiteral("mailto:someone@example.com"));
        QCOMPARE(opened_[1].toString(), QStringLiteral("mailto:someone@example.com"));
        QCOMPARE(opened_[2].toString(), QStringLiteral("https://cn.bing.com/"));
    }

    void escHides() {
        QSignalSpy visibility(editor_.get(), &TfmEditor::VisibilityChanged);
        editor_->Memo1->setFocus();
        orvane::test::KeyToFocused(editor_->Memo1, Qt::Key_Escape);
        QVERIFY(!editor_->isVisible());
        QCOMPARE(visibility.count(), 1);
        QCOMPARE(visibility.at(0).at(0).toBool(), false);
        QVERIFY(!TfmEditor::Showing());
    }

    void oneEditorForTheProgram() {
        editor_.reset();
        QVERIFY(!TfmEditor::Instance());
        QVERIFY(!TfmEditor::Showing());
        auto reading = std::make_unique<QWidget>();
        reading->setGeometry(20, 30, 700, 500);
        reading->show();
        QVERIFY(QTest::qWaitForWindowExposed(reading.get()));
        TfmEditor* editor = TfmEditor::Create(reading.get());
        QCOMPARE(TfmEditor::Create(reading.get()), editor);
        QVERIFY(!TfmEditor::Showing()); // made hidden
        QVERIFY(editor->windowFlags() & Qt::WindowStaysOnTopHint);
        editor->ShowBeside(reading.get());
        QVERIFY(TfmEditor::Showing());
        QCOMPARE(editor->pos(), reading->mapToGlobal(QPoint(700 - editor->width() - 30, 60)));
        editor->hide();
        QVERIFY(!TfmEditor::Showing());
        // Owned by the reading window: gone with it.
        QPointer<TfmEditor> watched(editor);
        reading.reset();
        QVERIFY(!watched);
        QVERIFY(!TfmEditor::Instance());
    }

private:
    std::unique_ptr<TfmEditor> editor_;
    std::vector<QUrl> opened_;
};

QTEST_MAIN(EditorTest)
#include "EditorTest.moc"
