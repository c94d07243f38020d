// The application's barrier for errors nobody expected: what escapes an event handler reaches
// the user as the error box and the reader goes on; a skin switch whose setting cannot be
// written still leaves the whole window in the chosen look and the settings as they were.
#include "AncePanel.h"
#include "AppPaths.h"
#include "AppStart.h"
#include "IniFileX.h"
#include "SkinState.h"
#include "TApplication.h"
#include "wnMain.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace orvane;

namespace {

// A control whose click handler meets a settings file that refuses the write.
class TRefusingButton : public QWidget {
public:
    int Clicks = 0;

protected:
    void mousePressEvent(QMouseEvent*) override {
        ++Clicks;
        throw EIniFileException("Unable to write to /nowhere/orvane.ini");
    }
};

} // namespace

class ErrorBarrierTest : public QObject {
    Q_OBJECT

    QStringList reported_;

private slots:
    void initTestCase() { PrepareApplication(); }
    void init() {
        reported_.clear();
        TApplication::SetReporter([this](const QString& message) { reported_ << message; });
    }
    void cleanup() {
        TApplication::SetReporter({});
        SkinIndex = kSkinSystem;
    }

    void escapingErrorIsReportedAndTheReaderGoesOn() {
        TRefusingButton button;
        button.resize(40, 20);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(reported_, QStringList{QStringLiteral("Unable to write to /nowhere/orvane.ini")});
        // The next event is handled as usual, and fails the same way.
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(button.Clicks, 2);
        QCOMPARE(reported_.size(), 2);

        // Untouched, the report is the standard error box with the message.
        TApplication::SetReporter({});
        QString title, text;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("错误"));
        QCOMPARE(text, QStringLiteral("Unable to write to /nowhere/orvane.ini"));
    }

    // A folder where the settings file should be: choosing a look cannot be remembered. The
    // window still changes to it completely, and nothing is left in the folder.
    void refusedSkinWriteLeavesAConsistentWindow() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        SetExecutablePath(std::filesystem::path(folder.path().toStdString()) / "orvane");
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("orvane.ini")));
        {
            TfmMain fm;
            fm.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fm));
            // As a menu click does: the handler runs from the event loop.
            QMetaObject::invokeMethod(fm.SkinItems[3], &QAction::trigger, Qt::QueuedConnection);
            QTRY_COMPARE(reported_.size(), 1);
            QVERIFY2(reported_[0].startsWith(QStringLiteral("Unable to write to ")),
                     qPrintable(reported_[0]));
            QVERIFY(reported_[0].endsWith(QStringLiteral("orvane.ini")));
            QCOMPARE(SkinIndex, 3);
            QVERIFY(fm.SkinItems[3]->isChecked());
            QTRY_VERIFY(fm.isVisible());
            QVERIFY(fm.windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(fm.pnlAnceTitle->isVisible());
            QVERIFY(fm.panToolBar->isVisible());
            QVERIFY(fm.panToolBar->MenuBarMode);
            QCOMPARE(fm.StatusPanels[1]->text(), QStringLiteral("> 每日金句："));

            QMetaObject::invokeMethod(fm.SkinItems[0], &QAction::trigger, Qt::QueuedConnection);
            QTRY_COMPARE(reported_.size(), 2);
            QCOMPARE(SkinIndex, 0);
            QTRY_VERIFY(fm.isVisible());
            QVERIFY(!(fm.windowFlags() & Qt::FramelessWindowHint));
            QVERIFY(!fm.panToolBar->isVisible());
            QCOMPARE(fm.StatusPanels[1]->text(), QStringLiteral("每日金句："));
            reported_.clear();
        }
        // Closing could not write either; every refusal was reported, none ended the program.
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("orvane.ini"))).isDir());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
        SetExecutablePath({});
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    ErrorBarrierTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorBarrierTest.moc"
