// The find panel inside the main window as the reader first meets it (820 x 409) and wider: all
// four scopes, the key box and the run button must be on screen in every look, none clipped by
// the panel, the reading window or the window's frame.
#include "AppPaths.h"
#include "AppStart.h"
#include "SkinState.h"
#include "TfmBookProbe.h"
#include "wnBook.h"
#include "wnMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace orvane;

namespace {

using Probe = orvane::TfmBookProbe;

// Where `w` is cut off on its way up to the window: the first ancestor (or the window) that
// does not hold all of it, described; empty when the whole widget can be seen.
QString Clipping(const QWidget* w) {
    const QRect own = w->rect();
    for (const QWidget* up = w->parentWidget(); up; up = up->parentWidget()) {
        const QRect inUp(w->mapTo(up, own.topLeft()), own.size());
        if (!up->rect().contains(inUp))
            return QStringLiteral("%1 at %2,%3 %4x%5 runs past %6 (%7x%8)")
                .arg(w->objectName())
                .arg(inUp.x())
                .arg(inUp.y())
                .arg(inUp.width())
                .arg(inUp.height())
                .arg(up->objectName())
                .arg(up->width())
                .arg(up->height());
        if (up->isWindow()) break;
    }
    return {};
}

} // namespace

class FindPanelFitTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<TfmMain> fm;

    void CheckPanelFits(const char* where) {
        TfmBook* book = fm->fmBook;
        QVERIFY2(Probe(book).panFindOpt()->isVisible(), where);
        const QList<QWidget*> parts = {Probe(book).cbxKeyText(),   Probe(book).sbtnExeSearch(),
                                       Probe(book).RadioButton1(), Probe(book).RadioButton2(),
                                       Probe(book).RadioButton3(), Probe(book).RadioButton4()};
        for (QWidget* w : parts) {
            QVERIFY2(w->isVisible(), qPrintable(w->objectName() + QLatin1String(" hidden")));
            const QString clipped = Clipping(w);
            QVERIFY2(clipped.isEmpty(),
                     qPrintable(QLatin1String(where) + QLatin1String(": ") + clipped));
            // Not squeezed either: each scope shows its whole caption.
            if (qobject_cast<QRadioButton*>(w))
                QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
        }
        // The tool bar keeps every button, the find button among them, outside its overflow.
        auto* find = qobject_cast<QToolButton*>(
            Probe(book).ToolBar2()->widgetForAction(Probe(book).tbtnFind()));
        QVERIFY(find && find->isVisible());
        QVERIFY2(Clipping(find).isEmpty(), qPrintable(Clipping(find)));
        QVERIFY(Probe(book).panFindOpt()->x() >= Probe(book).ToolBar2()->geometry().right());
    }

private slots:
    void initTestCase() {
        PrepareApplication();
        QVERIFY(folder_.isValid());
        SetExecutablePath(std::filesystem::path(folder_.path().toStdString()) / "orvane");
    }

    void cleanup() { fm.reset(); }

    void allScopesVisible_data() {
        QTest::addColumn<int>("skin");
        QTest::newRow("system look") << kSkinSystem;
        QTest::newRow("绿如蓝") << 1;
        QTest::newRow("红胜火") << 2;
        QTest::newRow("灰色调") << 3;
    }
    void allScopesVisible() {
        QFETCH(int, skin);
        fm = std::make_unique<TfmMain>();
        QVERIFY(fm->ScriptureLoaded());
        fm->SkinItems[size_t(skin)]->trigger();
        QCOMPARE(SkinIndex, skin);
        fm->show();
        QApplication::setActiveWindow(fm.get());
        QVERIFY(QTest::qWaitForWindowActive(fm.get()));
        QCOMPARE(fm->size(), QSize(820, 409));

        // F3, typed where the keyboard sends it, opens the panel.
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : fm.get(), Qt::Key_F3);
        QTRY_VERIFY(Probe(fm->fmBook).panFindOpt()->isVisible());
        QTest::qWait(20); // the layout settles on the next pass
        if (qEnvironmentVariableIsSet("ORVANE_SHOT_DIR"))
            fm->grab().save(qEnvironmentVariable("ORVANE_SHOT_DIR") +
                            QStringLiteral("/findpanel-%1.png").arg(skin));
        CheckPanelFits("820 x 409");
        if (QTest::currentTestFailed()) return;

        for (const QSize size : {QSize(900, 500), QSize(1280, 760)}) {
            fm->resize(size);
            QTRY_COMPARE(fm->size(), size);
            QTest::qWait(20);
            CheckPanelFits(
                qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
            if (QTest::currentTestFailed()) return;
        }
    }
};

QTEST_MAIN(FindPanelFitTest)
#include "FindPanelFitTest.moc"
