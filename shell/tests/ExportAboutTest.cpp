// The notes export of the "操作" menu and the "关于" dialog of the help menu, in the running
// reader: what the export holds before anything has been saved at the end of the run, and what
// the dialog tells.
#include "Addressing.h"
#include "AppPaths.h"
#include "AppStart.h"
#include "BibGlobe.h"
#include "ColorButton.h"
#include "GbkBridge.h"
#include "NotesStore.h"
#include "SkinState.h"
#include "TestSupport.h"
#include "TfmBookProbe.h"
#include "wnAbout.h"
#include "wnBook.h"
#include "wnMain.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace orvane;

namespace {

const int Gen1_3 = VerseLineOf(0, 1, 3);
const int John3_16 = VerseLineOf(42, 3, 16);

QString Verse(int line) {
    return FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(line)));
}

} // namespace

class ExportAboutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<TfmMain> fm;

    void Start() {
        fm = std::make_unique<TfmMain>();
        QVERIFY(fm->ScriptureLoaded());
        fm->show();
        QVERIFY(QTest::qWaitForWindowExposed(fm.get()));
    }

    // Opens the dialog from the menu item and hands it to `look` while it runs modally.
    void WithAbout(const std::function<void(TfmAbout*)>& look) {
        bool seen = false;
        QTimer::singleShot(0, fm.get(), [&] {
            TfmAbout* about = nullptr;
            QTRY_VERIFY((about = qobject_cast<TfmAbout*>(QApplication::activeModalWidget())));
            look(about);
            seen = true;
            about->btnAnceOK->click();
        });
        fm->About1->trigger();
        QVERIFY(seen);
        QVERIFY(!QApplication::activeModalWidget());
    }

private slots:
    void initTestCase() {
        PrepareApplication();
        test::PrepareFonts();
    }
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        SetExecutablePath(std::filesystem::path(folder_->path().toStdString()) / "orvane");
        ResetNotes();
    }
    void cleanup() {
        fm.reset();
        ResetNotes();
        SetExecutablePath({});
        folder_.reset();
    }

    // The export sits above "退出", and it holds the notes and bookmarks of this very run,
    // which reach the files (notes file, settings) only when the window closes.
    void exportHoldsWhatThisRunChanged() {
        Start();
        const QList<QAction*> items = fm->miDo->actions();
        const qsizetype at = items.indexOf(fm->miExportNotes);
        QVERIFY(at > 0);
        QVERIFY(items[at + 1]->isSeparator());
        QCOMPARE(items[at + 2], fm->N6);

        QVERIFY(fm->NotesDocument().contains(QStringLiteral("没有批注。").toUtf8()));
        Notes().SetNote(Gen1_3, ToGbk(QStringLiteral("光\t暗")));
        TfmBookProbe(fm->fmBook).BookMarks()[4] = John3_16;
        const QString doc = QString::fromUtf8(fm->NotesDocument());
        QVERIFY2(doc.contains(QStringLiteral("### 创世记 1:3\n\n> ") + Verse(Gen1_3) +
                              QStringLiteral("\n\n光\\\n暗\n")),
                 qPrintable(doc));
        QVERIFY2(doc.endsWith(QStringLiteral("## 书签\n\n### 书签 4：约翰福音 3:16\n\n> ") +
                              Verse(John3_16) + QStringLiteral("\n")),
                 qPrintable(doc));
    }

    // Name, version and every source with its terms, in both looks; the help items carry
    // their pictures.
    void aboutTellsVersionAndCredits() {
        Start();
        for (QAction* item : fm->MainMenu1->actions().last()->menu()->actions())
            if (!item->isSeparator() && item->text() != QStringLiteral("书目对照表"))
                QVERIFY2(!item->icon().isNull(), qPrintable(item->text()));

        for (int skin : {kSkinSystem, 1}) {
            fm->SkinItems[size_t(skin)]->trigger();
            WithAbout([&](TfmAbout* about) {
                QVERIFY(about->lblName->text().contains(QString::fromUtf8(kAppTitle)));
                QVERIFY(about->lblName->text().contains(QStringLiteral("版本 " ORVANE_VERSION)));
                const QString credits = about->lblCredits->text();
                for (const char* source :
                     {"和合本（1919 年），公有领域", "King James Version", "Matthew Henry",
                      "OpenBible.info，CC-BY", "https://www.openbible.info/labs/cross-references/",
                      "AR PL UMing", "WenQuanYi Micro Hei", "Liberation"})
                    QVERIFY2(credits.contains(QString::fromUtf8(source)), source);
                // Every line fits: nothing of the credits is cut off at the dialog's edge.
                QVERIFY(about->lblCredits->width() >= about->lblCredits->sizeHint().width());
                QVERIFY(about->lblName->width() >= about->lblName->sizeHint().width());
                QVERIFY(!about->lblName->geometry().intersects(about->btnAnceOK->geometry()));
                test::SaveShot(about, QStringLiteral("about-skin%1").arg(skin));
            });
        }
    }
};

QTEST_MAIN(ExportAboutTest)
#include "ExportAboutTest.moc"
