// The note editor as the user meets it: typing, the tool-bar buttons and keys, the questions
// before anything is lost, what reaches the notes store, and the remembered window size.

#include "AppPaths.h"
#include "ColorButton.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "NotesStore.h"
#include "SettingsKeys.h"
#include "SkinState.h"
#include "TestSupport.h"
#include "wnRemark.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

using namespace orvane;

namespace {

// Answers the next message box that comes up with `answer` and remembers its text.
class BoxAnswer : public QObject {
public:
    static inline int Live = 0; // boxes are expected while one of these exists

    explicit BoxAnswer(QMessageBox::StandardButton answer) : answer_(answer) {
        ++Live;
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->button(answer_)) return;
            timer_.stop();
            text = box->text();
            box->button(answer_)->click();
        });
        timer_.start();
    }
    ~BoxAnswer() override { --Live; }
    bool Answered() const { return !timer_.isActive(); }
    QString text;

private:
    QMessageBox::StandardButton answer_;
    QTimer timer_;
};

TfmRemark* OpenEditor() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TfmRemark*>(w); form && form->isVisible()) return form;
    return nullptr;
}

// Runs `user` on the editor once its modal run has started.
void WhenOpen(std::function<void(TfmRemark&)> user) {
    QTimer::singleShot(0, [user] {
        TfmRemark* form = OpenEditor();
        if (!form || !QTest::qWaitForWindowActive(form)) {
            qWarning("the note editor did not come up");
            if (form) form->close();
            return;
        }
        user(*form);
    });
}

QString Note(int line) {
    return FromGbk(Notes().GetNote(line));
}

void Type(QPlainTextEdit* memo, const QString& text) {
    const QString wrong = orvane::test::FocusMismatch(memo);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    for (QChar c : text) {
        if (c == u'\n')
            orvane::test::KeyToFocused(memo, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::KeyAction::Click, memo, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
}

void CtrlEnter(TfmRemark& form) {
    orvane::test::KeyToFocused(form.Memo1, Qt::Key_Return, Qt::ControlModifier);
}

} // namespace

class RemarkTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        orvane::test::PrepareFonts();
        QVERIFY(dir_.isValid());
        SetExecutablePath(std::filesystem::path(dir_.path().toStdString()) / "orvane");
        // A box nobody expected fails the test and is answered "no"; after any failure an
        // editor still open is closed, so a broken check cannot leave the test waiting.
        watch_.setInterval(50);
        connect(&watch_, &QTimer::timeout, this, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && BoxAnswer::Live == 0) {
                QTest::qFail(qPrintable(QStringLiteral("unexpected message: ") + box->text()),
                             __FILE__, __LINE__);
                QAbstractButton* escape = box->escapeButton();
                (escape ? escape : box->buttons().value(0))->click();
            }
            if (QTest::currentTestFailed())
                if (TfmRemark* form = OpenEditor()) form->SetModalResult(TfmAnceDlg::mrCancel);
        });
        watch_.start();
    }
    void init() {
        SkinIndex = kSkinSystem;
        for (const char* name : {"orvane.ini", "Orvane.tip", "Orvane.ti~"})
            std::filesystem::remove(ExecutableFolder() / name);
        ResetNotes();
    }
    void cleanupTestCase() { SetExecutablePath({}); }

    void typedNoteIsStoredAsOneLine() {
        QString caption;
        WhenOpen([&](TfmRemark& form) {
            caption = form.windowTitle();
            QVERIFY(form.Memo1->hasFocus());
            Type(form.Memo1, QStringLiteral("起初\n神创造天地"));
            // Plain Enter made a line break; Ctrl+Enter accepts.
            QCOMPARE(form.Memo1->blockCount(), 2);
            CtrlEnter(form);
        });
        QVERIFY(ShowNoteEditor(nullptr, 42));
        QCOMPARE(caption, QStringLiteral("批注 - 创2:12"));
        QCOMPARE(Note(42), QStringLiteral("起初\t神创造天地"));

        // Opened again, the stored tab shows as a line break, the caret after the text.
        WhenOpen([&](TfmRemark& form) {
            QCOMPARE(form.Memo1->toPlainText(), QStringLiteral("起初\n神创造天地"));
            QVERIFY(form.Memo1->textCursor().atEnd());
            QVERIFY(!form.Changed());
            // OK on the unchanged text writes nothing.
            QTest::mouseClick(form.tbtnSave, Qt::LeftButton);
        });
        QVERIFY(!ShowNoteEditor(nullptr, 42, QStringLiteral("创2:12")));
        QVERIFY(!OpenEditor());
    }

    void blankEndsAreTrimmed() {
        Notes().SetNote(7, ToGbk(QStringLiteral("\t \t起初\t\t神创造天地 \t")));
        WhenOpen([&](TfmRemark& form) {
            QCOMPARE(form.Memo1->toPlainText(), QStringLiteral("起初\n\n神创造天地"));
            form.Memo1->moveCursor(QTextCursor::Start);
            Type(form.Memo1, QStringLiteral("\n\n  "));
            form.Memo1->moveCursor(QTextCursor::End);
            Type(form.Memo1, QStringLiteral(" \n\n"));
            CtrlEnter(form);
        });
        QVERIFY(ShowNoteEditor(nullptr, 7));
        // Inner blank lines stay; so does the ideographic space that indents Chinese text.
        QCOMPARE(Note(7), QStringLiteral("起初\t\t神创造天地"));

        WhenOpen([&](TfmRemark& form) {
            form.Memo1->selectAll();
            Type(form.Memo1, QStringLiteral("\u3000\u3000起初"));
            CtrlEnter(form);
        });
        QVERIFY(ShowNoteEditor(nullptr, 7));
        QCOMPARE(Note(7), QStringLiteral("\u3000\u3000起初"));
    }

    void storedFormConversion_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("stored");
        QTest::newRow("line breaks")
            << QStringLiteral("甲\n乙\r\n丙") << QStringLiteral("甲\t乙\t丙");
        // Stored as it is, a pasted tab would come back as a line break.
        QTest::newRow("pasted tab") << QStringLiteral("甲\t乙") << QStringLiteral("甲 乙");
        QTest::newRow("blank only") << QStringLiteral(" \n\n ") << QString();
    }
    void storedFormConversion() {
        QFETCH(QString, box);
        QFETCH(QString, stored);
        QCOMPARE(TfmRemark::ToStoredText(box), stored);
    }

    void countIsInGbkBytes() {
        WhenOpen([&](TfmRemark& form) {
            QCOMPARE(form.StatusPanel0->text(), QStringLiteral("总字数：0"));
            Type(form.Memo1, QStringLiteral("神爱世人"));
            QCOMPARE(form.StatusPanel0->text(), QStringLiteral("总字数：8"));
            // A line break counts as the two bytes of CR LF.
            Type(form.Memo1, QStringLiteral("\nJohn 3:16"));
            QCOMPARE(form.StatusPanel0->text(), QStringLiteral("总字数：19"));
            // 繸 is C0 5A: two bytes, although its second reads as the letter "Z".
            Type(form.Memo1, QStringLiteral("繸Z"));
            QCOMPARE(form.StatusPanel0->text(), QStringLiteral("总字数：22"));
            form.SetModalResult(TfmAnceDlg::mrCancel);
        });
        QVERIFY(!ShowNoteEditor(nullptr, 5));
    }

    void cancelAsksOnlyWhenChanged() {
        Notes().SetNote(3, ToGbk(QStringLiteral("甲")));
        // Unchanged: Esc closes at once.
        WhenOpen([&](TfmRemark& form) { orvane::test::KeyToFocused(form.Memo1, Qt::Key_Escape); });
        QVERIFY(!ShowNoteEditor(nullptr, 3));

        QString firstQuestion;
        bool stayed = false;
        QString textAfterNo;
        WhenOpen([&](TfmRemark& form) {
            Type(form.Memo1, QStringLiteral("乙"));
            {
                BoxAnswer no(QMessageBox::No);
                orvane::test::KeyToFocused(form.Memo1, Qt::Key_Escape);
                QVERIFY(no.Answered());
                firstQuestion = no.text;
            }
            stayed = form.isVisible();
            textAfterNo = form.Memo1->toPlainText();
            {
                // F5 asks the same, and the title bar's close as well.
                BoxAnswer no(QMessageBox::No);
                orvane::test::KeyToFocused(form.Memo1, Qt::Key_F5);
                QVERIFY(no.Answered());
            }
            {
                BoxAnswer no(QMessageBox::No);
                form.close();
                QVERIFY(no.Answered());
                QVERIFY(form.isVisible());
            }
            BoxAnswer yes(QMessageBox::Yes);
            QTest::mouseClick(form.tbtnCancel, Qt::LeftButton);
            QVERIFY(yes.Answered());
        });
        QVERIFY(!ShowNoteEditor(nullptr, 3));
        QCOMPARE(firstQuestion, QStringLiteral("确认要放弃当前修改吗？"));
        QVERIFY(stayed);
        QCOMPARE(textAfterNo, QStringLiteral("甲乙"));
        QCOMPARE(Note(3), QStringLiteral("甲"));
    }

    void deleteAsksThenClears() {
        const auto journal = ExecutableFolder() / TNotesStore::kJournalFileName;
        // Nothing to delete: nothing is written.
        WhenOpen([&](TfmRemark& form) {
            BoxAnswer yes(QMessageBox::Yes);
            QTest::mouseClick(form.tbtnDelete, Qt::LeftButton);
        });
        QVERIFY(!ShowNoteEditor(nullptr, 100));
        QVERIFY(!std::filesystem::exists(journal));

        Notes().SetNote(100, ToGbk(QStringLiteral("甲\t乙")));
        QString question;
        WhenOpen([&](TfmRemark& form) {
            {
                BoxAnswer no(QMessageBox::No);
                QTest::mouseClick(form.tbtnDelete, Qt::LeftButton);
                QVERIFY(no.Answered());
                question = no.text;
            }
            QVERIFY(form.isVisible());
            QCOMPARE(form.Memo1->toPlainText(), QStringLiteral("甲\n乙"));
            BoxAnswer yes(QMessageBox::Yes);
            QTest::mouseClick(form.tbtnDelete, Qt::LeftButton);
        });
        QVERIFY(ShowNoteEditor(nullptr, 100));
        QCOMPARE(question, QStringLiteral("确认要删除吗？"));
        QCOMPARE(Note(100), QString());
        std::ifstream in(journal);
        std::string line;
        std::getline(in, line);
        QCOMPARE(QString::fromStdString(line).trimmed(), QStringLiteral("00100"));
    }

    void textGbkCannotHoldIsRefused() {
        QString message;
        bool stayed = false;
        WhenOpen([&](TfmRemark& form) {
            Type(form.Memo1, QStringLiteral("平安"));
            form.Memo1->insertPlainText(QStringLiteral("😀"));
            {
                BoxAnswer ok(QMessageBox::Ok);
                CtrlEnter(form);
                QVERIFY(ok.Answered());
                message = ok.text;
            }
            stayed = form.isVisible();
            orvane::test::KeyToFocused(form.Memo1, Qt::Key_Backspace);
            CtrlEnter(form);
        });
        QVERIFY(ShowNoteEditor(nullptr, 9));
        QVERIFY(stayed);
        QVERIFY(message.contains(QStringLiteral("😀")));
        QCOMPARE(Note(9), QStringLiteral("平安"));
    }

    void failedStoreKeepsTheText() {
        QString error;
        bool stayed = false;
        QString note = QStringLiteral("甲");
        WhenOpen([&](TfmRemark& form) {
            Type(form.Memo1, QStringLiteral("乙"));
            {
                BoxAnswer ok(QMessageBox::Ok);
                QTest::mouseClick(form.tbtnSave, Qt::LeftButton);
                QVERIFY(ok.Answered());
                error = ok.text;
            }
            stayed = form.isVisible() && form.Memo1->toPlainText() == QStringLiteral("甲乙");
            BoxAnswer yes(QMessageBox::Yes);
            orvane::test::KeyToFocused(form.Memo1, Qt::Key_Escape);
        });
        const bool accepted = TfmRemark::Execute(nullptr, note, {}, [](const QString&) {
            throw std::runtime_error("Unable to write to Orvane.ti~");
        });
        QVERIFY(!accepted);
        QVERIFY(stayed);
        QVERIFY(error.contains(QStringLiteral("Unable to write to Orvane.ti~")));
        QCOMPARE(note, QStringLiteral("甲"));
    }

    void sizeIsRemembered() {
        const auto ini = [] { return TInifileX(); };
        QSize opened;
        // Defaults, and nothing written while the size stays.
        WhenOpen([&](TfmRemark& form) {
            opened = form.size();
            orvane::test::KeyToFocused(form.Memo1, Qt::Key_Escape);
        });
        ShowNoteEditor(nullptr, 1);
        QCOMPARE(opened, QSize(336, 216));
        QVERIFY(!ini().ValueExists(settings::kMain, settings::kNoteWidth));
        QVERIFY(!ini().ValueExists(settings::kMain, settings::kNoteHeight));

        // Resized and closed with Cancel: the new size is kept, each value only when it changed.
        WhenOpen([&](TfmRemark& form) {
            form.resize(420, 216);
            orvane::test::KeyToFocused(form.Memo1, Qt::Key_Escape);
        });
        ShowNoteEditor(nullptr, 1);
        QCOMPARE(ini().ReadInteger(settings::kMain, settings::kNoteWidth, 0), 420);
        QVERIFY(!ini().ValueExists(settings::kMain, settings::kNoteHeight));
        WhenOpen([&](TfmRemark& form) {
            opened = form.size();
            orvane::test::KeyToFocused(form.Memo1, Qt::Key_Escape);
        });
        ShowNoteEditor(nullptr, 1);
        QCOMPARE(opened, QSize(420, 216));

        // A size no window can have is brought back to one it can.
        TInifileX().WriteInteger(settings::kMain, settings::kNoteHeight, 3);
        WhenOpen([&](TfmRemark& form) {
            opened = form.size();
            orvane::test::KeyToFocused(form.Memo1, Qt::Key_Escape);
        });
        ShowNoteEditor(nullptr, 1);
        QVERIFY(opened.height() >= 150);
        QCOMPARE(ini().ReadInteger(settings::kMain, settings::kNoteHeight, 0), opened.height());
    }

    void looks_data() {
        QTest::addColumn<int>("skin");
        QTest::newRow("system") << int(kSkinSystem);
        QTest::newRow("skin 1") << 1;
    }
    void looks() {
        QFETCH(int, skin);
        if (skin != kSkinSystem) LoadSkin(skin);
        SkinIndex = skin;
        SkinFaceColor = skin ? QColor(232, 238, 245) : QColor();
        Notes().SetNote(0,
                        ToGbk(QStringLiteral("起初神创造天地。\t这是第一句话，也是全书的总纲。")));
        WhenOpen([&](TfmRemark& form) {
            QCOMPARE(form.Memo1->palette().color(QPalette::Base),
                     skin ? QColor(232, 238, 245) : QApplication::palette().color(QPalette::Base));
            QCOMPARE(form.StatusPanel0->frameShape(), skin ? QFrame::NoFrame : QFrame::Panel);
            QVERIFY(!form.btnAnceOK->isVisible());
            orvane::test::SaveShot(&form, QStringLiteral("remark-skin%1").arg(skin));
            orvane::test::KeyToFocused(form.Memo1, Qt::Key_Escape);
        });
        ShowNoteEditor(nullptr, 0);
        SkinIndex = kSkinSystem;
    }

private:
    QTemporaryDir dir_;
    QTimer watch_;
};

QTEST_MAIN(RemarkTest)
#include "RemarkTest.moc"
