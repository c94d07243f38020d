// The OK/Cancel dialog base: Enter moving between fields, OK asking Validate, Cancel and Esc,
// the modal run and where the dialog appears.

#include "ColorButton.h"
#include "SkinState.h"
#include "TestSupport.h"
#include "ThemeAdapter.h"
#include "wnAnceDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace orvane;

namespace {

class TestDlg : public TfmAnceDlg {
public:
    explicit TestDlg(Border border = Border::Dialog) : TfmAnceDlg(nullptr, border) {
        setWindowTitle(QStringLiteral("批注"));
        QWidget* area = ClientArea();
        edit = new QLineEdit(area);
        next = new QLineEdit(area);
        memo = new QPlainTextEdit(area);
        combo = new QComboBox(area);
        combo->addItems(
            {QStringLiteral("创世记"), QStringLiteral("出埃及记"), QStringLiteral("利未记")});
        tagged = new QLineEdit(area);
        tagged->setProperty("Tag", -1);
        int y = 6;
        for (QWidget* w :
             {static_cast<QWidget*>(edit), static_cast<QWidget*>(next), static_cast<QWidget*>(memo),
              static_cast<QWidget*>(combo), static_cast<QWidget*>(tagged)}) {
            w->setGeometry(8, y, 230, w == memo ? 40 : 22);
            y += w->height() + 4;
        }
    }
    bool Validate() override {
        ++validations;
        return accepts;
    }
    void closeEvent(QCloseEvent* event) override {
        if (refusesClose)
            event->ignore();
        else
            TfmAnceDlg::closeEvent(event);
    }

    QLineEdit* edit;
    QLineEdit* next;
    QPlainTextEdit* memo;
    QComboBox* combo;
    QLineEdit* tagged;
    bool accepts = true;
    bool refusesClose = false;
    int validations = 0;
};

void ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// Runs `user` once the modal loop is up, then returns what ShowModal returned.
int RunModal(TfmAnceDlg& dlg, std::function<void()> user) {
    QTimer::singleShot(0, &dlg, [&dlg, user] {
        if (!QTest::qWaitForWindowActive(&dlg)) qWarning("dialog did not become active");
        user();
    });
    return dlg.ShowModal();
}

} // namespace

class AnceDlgTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvane::test::PrepareFonts(); }
    void init() { SkinIndex = 1; }
    void cleanup() {
        SkinIndex = kSkinSystem;
        TfmAncestor::SetMainForm(nullptr);
    }

    void creationGivesTheDialogItsButtonsAndLook() {
        TestDlg dlg;
        ShowActive(dlg);
        QCOMPARE(dlg.size(), QSize(341, 200));
        QVERIFY(!dlg.panToolBar->isVisible());
        QCOMPARE(dlg.FrameTop(), 1);
        QVERIFY(dlg.pnlAnceTitle->isVisible());
        QVERIFY(!dlg.sbtnAnceTitleMin->isVisible() && !dlg.sbtnAnceTitleMax->isVisible());
        QVERIFY(dlg.sbtnAnceTitleClose->isVisible());
        QCOMPARE(dlg.btnAnceOK->text(), QStringLiteral("确定"));
        QCOMPARE(dlg.btnAnceCancel->text(), QStringLiteral("取消"));
        QCOMPARE(dlg.btnAnceOK->mapTo(&dlg, QPoint()), QPoint(253, 31));
        QCOMPARE(dlg.btnAnceCancel->mapTo(&dlg, QPoint()), QPoint(253, 62));
        QCOMPARE(dlg.btnAnceOK->size(), QSize(66, 22));
        QCOMPARE(dlg.btnAnceOK->Color(), ThemeColors().Color(3));
        QCOMPARE(dlg.btnAnceCancel->Color(), QColor(245, 245, 245));
        // The buttons keep to the top right when the dialog grows.
        dlg.resize(441, 260);
        QTRY_COMPARE(dlg.btnAnceOK->mapTo(&dlg, QPoint()), QPoint(353, 31));
        dlg.resize(341, 200);
        QTRY_COMPARE(dlg.btnAnceOK->mapTo(&dlg, QPoint()), QPoint(253, 31));
        dlg.edit->setText(QStringLiteral("起初，神创造天地。"));
        orvane::test::SaveShot(&dlg, QStringLiteral("dialog-skinned"));
    }

    void systemLookDialog() {
        SkinIndex = kSkinSystem;
        TestDlg dlg;
        ShowActive(dlg);
        QVERIFY(!dlg.pnlAnceTitle->isVisible());
        QVERIFY(!(dlg.windowFlags() & Qt::FramelessWindowHint));
        // Without the drawn title the buttons sit 4 and 35 px from the top.
        QCOMPARE(dlg.btnAnceOK->mapTo(&dlg, QPoint()), QPoint(253, 4));
        QCOMPARE(dlg.btnAnceCancel->mapTo(&dlg, QPoint()), QPoint(253, 35));
        orvane::test::SaveShot(&dlg, QStringLiteral("dialog-system"));
    }

    void enterMovesToTheNextField() {
        TestDlg dlg;
        ShowActive(dlg);
        QSignalSpy returned(dlg.edit, &QLineEdit::returnPressed);
        dlg.edit->setFocus();
        QTRY_VERIFY(dlg.edit->hasFocus());
        orvane::test::KeyToFocused(dlg.edit, Qt::Key_Return);
        QTRY_VERIFY(dlg.next->hasFocus());
        QCOMPARE(returned.count(), 0); // swallowed, the field never sees it
        orvane::test::KeyToFocused(dlg.next, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_VERIFY(dlg.memo->hasFocus());

        // A closed combo box passes Enter on like any field.
        dlg.combo->setFocus();
        QTRY_VERIFY(dlg.combo->hasFocus());
        orvane::test::KeyToFocused(dlg.combo, Qt::Key_Return);
        QTRY_VERIFY(dlg.tagged->hasFocus());
    }

    void enterStaysWithMemoOpenListAndNegativeTag() {
        TestDlg dlg;
        ShowActive(dlg);

        dlg.memo->setFocus();
        QTRY_VERIFY(dlg.memo->hasFocus());
        orvane::test::TypeToFocused(dlg.memo, QStringLiteral("ab"));
        orvane::test::KeyToFocused(dlg.memo, Qt::Key_Return);
        orvane::test::TypeToFocused(dlg.memo, QStringLiteral("c"));
        QCOMPARE(dlg.memo->toPlainText(), QStringLiteral("ab\nc"));
        QVERIFY(dlg.memo->hasFocus());

        // Enter in an open list picks the item and closes the list; the focus stays.
        dlg.combo->setFocus();
        QTRY_VERIFY(dlg.combo->hasFocus());
        dlg.combo->showPopup();
        QTRY_VERIFY(dlg.combo->view()->isVisible());
        orvane::test::KeyToFocused(dlg.combo->view(), Qt::Key_Down);
        orvane::test::KeyToFocused(dlg.combo->view(), Qt::Key_Return);
        QTRY_VERIFY(!dlg.combo->view()->isVisible());
        QCOMPARE(dlg.combo->currentIndex(), 1);
        QTRY_VERIFY(dlg.combo->hasFocus());

        // The same with the key reaching the combo box itself while its list is open. The list
        // has the focus then, so this one key is sent past it on purpose: the dialog's Enter rule
        // must not depend on which of the two a platform hands the key to.
        dlg.combo->showPopup();
        QTRY_VERIFY(dlg.combo->view()->isVisible());
        QTest::keyClick(dlg.combo, Qt::Key_Return);
        QVERIFY(!dlg.tagged->hasFocus());
        dlg.combo->hidePopup();

        // A field tagged negative keeps its Enter.
        QSignalSpy returned(dlg.tagged, &QLineEdit::returnPressed);
        dlg.tagged->setFocus();
        QTRY_VERIFY(dlg.tagged->hasFocus());
        orvane::test::KeyToFocused(dlg.tagged, Qt::Key_Return);
        QCOMPARE(returned.count(), 1);
        QVERIFY(dlg.tagged->hasFocus());

        // Fields added after the dialog was built follow the rule too.
        auto* late = new QLineEdit(dlg.ClientArea());
        late->setGeometry(8, 150, 100, 20);
        late->show();
        late->setFocus();
        QTRY_VERIFY(late->hasFocus());
        orvane::test::KeyToFocused(late, Qt::Key_Return);
        QTRY_VERIFY(!late->hasFocus());
    }

    void okAsksValidateAndClosesOnlyWhenItAgrees() {
        TestDlg dlg;
        dlg.accepts = false;
        bool stayedOpen = false;
        const int result = RunModal(dlg, [&] {
            QTest::mouseClick(dlg.btnAnceOK, Qt::LeftButton);
            stayedOpen = dlg.isVisible();
            dlg.accepts = true;
            QTest::mouseClick(dlg.btnAnceOK, Qt::LeftButton);
        });
        QVERIFY(stayedOpen);
        QCOMPARE(dlg.validations, 2);
        QCOMPARE(result, int(TfmAnceDlg::mrOK));
        QVERIFY(!dlg.isVisible());

        // Enter on the focused OK button presses it.
        dlg.validations = 0;
        const int again = RunModal(dlg, [&] {
            dlg.btnAnceOK->setFocus();
            orvane::test::KeyToFocused(dlg.btnAnceOK, Qt::Key_Return);
        });
        QCOMPARE(again, int(TfmAnceDlg::mrOK));
        QCOMPARE(dlg.validations, 1);
    }

    void cancelEscapeAndCloseGiveCancel() {
        TestDlg dlg;
        QCOMPARE(RunModal(dlg, [&] { QTest::mouseClick(dlg.btnAnceCancel, Qt::LeftButton); }),
                 int(TfmAnceDlg::mrCancel));
        QCOMPARE(RunModal(dlg,
                          [&] {
                              dlg.edit->setFocus();
                              orvane::test::KeyToFocused(dlg.edit, Qt::Key_Escape);
                          }),
                 int(TfmAnceDlg::mrCancel));
        QCOMPARE(RunModal(dlg, [&] { QTest::mouseClick(dlg.sbtnAnceTitleClose, Qt::LeftButton); }),
                 int(TfmAnceDlg::mrCancel));
        // Esc in an open list only closes the list.
        bool stayedOpen = false;
        QCOMPARE(RunModal(dlg,
                          [&] {
                              dlg.combo->showPopup();
                              orvane::test::KeyToFocused(dlg.combo->view(), Qt::Key_Escape);
                              stayedOpen = dlg.isVisible();
                              dlg.close();
                          }),
                 int(TfmAnceDlg::mrCancel));
        QVERIFY(stayedOpen);
        QCOMPARE(dlg.validations, 0);
    }

    void refusedCloseKeepsTheDialogWithoutAResult() {
        TestDlg dlg;
        dlg.refusesClose = true;
        bool stayedOpen = false;
        int resultWhileOpen = -1;
        const int result = RunModal(dlg, [&] {
            QTest::mouseClick(dlg.btnAnceOK, Qt::LeftButton);
            stayedOpen = dlg.isVisible();
            resultWhileOpen = dlg.GetModalResult();
            dlg.refusesClose = false;
            QTest::mouseClick(dlg.sbtnAnceTitleClose, Qt::LeftButton);
        });
        QVERIFY(stayedOpen);
        QCOMPARE(resultWhileOpen, int(TfmAnceDlg::mrNone));
        QCOMPARE(result, int(TfmAnceDlg::mrCancel)); // not the OK that was refused
    }

    void toolWindowDialogCanBeResized() {
        TestDlg dlg(TfmAncestor::Border::SizeToolWin);
        dlg.resize(336, 216);
        ShowActive(dlg);
        QVERIFY(!dlg.sbtnAnceTitleMax->isVisible() && dlg.sbtnAnceTitleClose->isVisible());
        QVERIFY(dlg.pnlAnceTitle->SlicedBackdrop());
        QWidget* corner = nullptr;
        for (QWidget* w : dlg.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->cursor().shape() == Qt::SizeFDiagCursor &&
                w->geometry().contains(QPoint(334, 214)))
                corner = w;
        QVERIFY(corner);
        QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseMove(corner, QPoint(24, 14));
        QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(24, 14));
        QTRY_COMPARE(dlg.size(), QSize(356, 226));
        QTRY_COMPARE(dlg.btnAnceOK->mapTo(&dlg, QPoint()), QPoint(268, 31));
    }

    void modalRunSurvivesTheDialogBeingDestroyed() {
        auto* dlg = new TestDlg;
        QPointer<TestDlg> watch(dlg);
        const int result = RunModal(*dlg, [dlg] { dlg->deleteLater(); });
        QCOMPARE(result, int(TfmAnceDlg::mrCancel));
        QVERIFY(!watch);
    }

    void dialogIsCentredOnTheMainForm() {
        TfmAncestor mainForm;
        mainForm.setGeometry(40, 60, 600, 420);
        ShowActive(mainForm);
        TfmAncestor::SetMainForm(&mainForm);
        TestDlg dlg;
        QPoint centre;
        RunModal(dlg, [&] {
            centre = dlg.frameGeometry().center();
            dlg.close();
        });
        QVERIFY((centre - mainForm.frameGeometry().center()).manhattanLength() <= 2);

        // Without a main form, the screen's middle.
        TfmAncestor::SetMainForm(nullptr);
        RunModal(dlg, [&] {
            centre = dlg.frameGeometry().center();
            dlg.close();
        });
        const QPoint screenCentre = dlg.screen()->availableGeometry().center();
        QVERIFY((centre - screenCentre).manhattanLength() <= 2);
    }

    void mainFormIsForgottenWhenDestroyed() {
        auto* mainForm = new TfmAncestor;
        TfmAncestor::SetMainForm(mainForm);
        QCOMPARE(TfmAncestor::MainForm(), mainForm);
        delete mainForm;
        QVERIFY(!TfmAncestor::MainForm());
    }
};

QTEST_MAIN(AnceDlgTest)
#include "AnceDlgTest.moc"
