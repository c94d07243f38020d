#include "Scroller.h"
#include "SkinState.h"
#include "TestSupport.h"
#include "unTMiscTabs.h"

#include <QPainter>
#include <QtTest>

#include <memory>

using namespace orvane;

namespace {

const QString kOld = QStringLiteral("旧约");
const QString kNew = QStringLiteral("新约");

QStringList LongList() {
    return {kOld,
            kNew,
            QStringLiteral("律法书"),
            QStringLiteral("历史书"),
            QStringLiteral("诗歌"),
            QStringLiteral("大先知书"),
            QStringLiteral("小先知书"),
            QStringLiteral("福音书"),
            QStringLiteral("书信"),
            QStringLiteral("启示")};
}

// Colour slots 0..7 of skins 1..3 as the main window sets them.
constexpr QRgb kSkinSlots[3][8] = {
    {0xFFFFFF, 0x0096FF, 0xC9D5E4, 0xFFFFFF, 0xC8EBFF, 0x000000, 0x0096FF, 0xFF0000},
    {0xFFFF00, 0xFF9600, 0xFFFFFF, 0x842E00, 0xFFDCB9, 0x000000, 0xFF9600, 0xFF0000},
    {0x008080, 0xCC0000, 0x5A637C, 0x008080, 0x000000, 0xFFFBF0, 0x000000, 0xFF0000}};

// The strip coloured the way the main window does for look `skin` (0 the system look).
void ApplyLook(TMiscTabs& tabs, int skin) {
    if (skin == 0) {
        const QPalette system = QApplication::palette();
        const QColor colors[8] = {system.color(QPalette::Base),   system.color(QPalette::Highlight),
                                  system.color(QPalette::Base),   QColor(255, 251, 240),
                                  system.color(QPalette::Button), QColor(0, 0, 0),
                                  system.color(QPalette::Dark),   QColor(255, 0, 0)};
        for (int i = 0; i < 8; ++i)
            tabs.SetColor(i, colors[i]);
    } else {
        LoadSkin(skin);
        for (int i = 0; i < 8; ++i)
            tabs.SetColor(i, QColor::fromRgb(kSkinSlots[skin - 1][i]));
    }
    tabs.SetBorderLines(skin == 0 ? 0 : TMiscTabs::AllLines);
    tabs.SetUseSkinPicture(skin != 0);
    tabs.SetFacePicture(SkinBarFace);
    tabs.SetSelectedPicture(SkinMenuHighlight);
}

QPoint SpanMiddle(const TMiscTabs& tabs, int shown) {
    const TTabSpan span = tabs.TabPositions().at(shown);
    return QPoint(tabs.Thickness() / 2 - 2, span.top + span.length / 2);
}

bool Shown(const TMiscTabs& tabs, int index) {
    return index >= tabs.FirstIndex() && index < tabs.FirstIndex() + tabs.VisibleTabs();
}

// Pixels of `area` within `tolerance` (sum over red, green, blue) of `color`; a tolerance allows
// for the smoothed edges of glyphs.
int CountNear(const QImage& image, const QRect& area, const QColor& color, int tolerance = 0) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                     std::abs(c.blue() - color.blue()) <=
                 tolerance;
        }
    return n;
}

} // namespace

class MiscTabsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMiscTabs> Strip(const QStringList& captions, int height = 440) {
        auto tabs = std::make_unique<TMiscTabs>();
        tabs->resize(19, height);
        tabs->SetTabs(captions);
        // Hidden widgets hear of a resize only when shown.
        tabs->show();
        return tabs;
    }

private slots:
    void initTestCase() { orvane::test::PrepareFonts(); }

    void tabLengthCountsDoubleByteCharacters() {
        auto tabs = Strip(
            {kOld, QStringLiteral("旧约　"), QStringLiteral("第1卷"), QStringLiteral("Topic")});
        const int h = tabs->fontMetrics().height();
        QCOMPARE(tabs->TabLength(0), 2 * h + 16);
        QCOMPARE(tabs->TabLength(1), 3 * h + 16); // the ideographic space is a character too
        QCOMPARE(tabs->TabLength(2), 2 * h + 16); // 5 GBK bytes
        QCOMPARE(tabs->TabLength(3), 2 * h + 16);
        // Laid out one after the other, each behind a 19-pixel corner zone.
        const auto& spans = tabs->TabPositions();
        QCOMPARE(spans.size(), 4);
        QCOMPARE(spans[0], (TTabSpan{19, 2 * h + 16}));
        QCOMPARE(spans[1].top, spans[0].top + spans[0].length + 19);
    }

    void clickingSelectsWithinTolerance() {
        auto tabs = Strip({kOld, kNew});
        QCOMPARE(tabs->TabIndex(), 0);
        int clicks = 0;
        QList<int> asked;
        connect(tabs.get(), &TMiscTabs::Clicked, [&] { ++clicks; });
        connect(tabs.get(), &TMiscTabs::Change, [&](int tab, bool&) { asked << tab; });
        const TTabSpan second = tabs->TabPositions().at(1);

        // Left half: 6 pixels of slack; one more misses.
        QTest::mouseClick(tabs.get(), Qt::LeftButton, {}, QPoint(3, second.top - 7));
        QCOMPARE(tabs->TabIndex(), 0);
        QTest::mouseClick(tabs.get(), Qt::LeftButton, {}, QPoint(3, second.top - 6));
        QCOMPARE(tabs->TabIndex(), 1);
        QCOMPARE(asked, QList<int>{1});
        QCOMPARE(clicks, 1);

        // Right half: 9 pixels below the first tab still select it.
        const TTabSpan first = tabs->TabPositions().at(0);
        QTest::mouseClick(tabs.get(), Qt::LeftButton, {}, QPoint(15, first.top + first.length + 9));
        QCOMPARE(tabs->TabIndex(), 0);
        // The right button selects nothing; clicking the selected tab changes nothing.
        QTest::mouseClick(tabs.get(), Qt::RightButton, {}, SpanMiddle(*tabs, 1));
        QTest::mouseClick(tabs.get(), Qt::LeftButton, {}, SpanMiddle(*tabs, 0));
        QCOMPARE(tabs->TabIndex(), 0);
        QCOMPARE(clicks, 2);
    }

    void changeHandlerCanVeto() {
        auto tabs = Strip({kOld, kNew});
        int clicks = 0;
        connect(tabs.get(), &TMiscTabs::Change, [](int, bool& allow) { allow = false; });
        connect(tabs.get(), &TMiscTabs::Clicked, [&] { ++clicks; });
        QTest::mouseClick(tabs.get(), Qt::LeftButton, {}, SpanMiddle(*tabs, 1));
        tabs->SetTabIndex(1);
        QCOMPARE(tabs->TabIndex(), 0);
        QCOMPARE(clicks, 0);
    }

    void badIndexIsRefused() {
        auto tabs = Strip({kOld, kNew});
        tabs->SetTabIndex(1);
        for (int bad : {2, -2}) {
            try {
                tabs->SetTabIndex(bad);
                QFAIL("no error");
            } catch (const EListError& e) {
                QCOMPARE(QString::fromLatin1(e.what()), QStringLiteral("Tab index out of bounds"));
            }
            QCOMPARE(tabs->TabIndex(), 1);
        }
        tabs->SetTabIndex(-1);
        QCOMPARE(tabs->TabIndex(), -1);
        QVERIFY_THROWS_EXCEPTION(EListError, tabs->Tabs()[2]);
    }

    void emptyStripShowsOnlyBackgroundAndLines() {
        auto tabs = Strip({kOld, kNew});
        tabs->Tabs().Clear();
        QCOMPARE(tabs->TabIndex(), -1);
        QCOMPARE(tabs->VisibleTabs(), 0);
        QVERIFY(tabs->Scroller()->isHidden());
        const QImage image = tabs->grab().toImage();
        const QColor background = tabs->GetColor(TMiscTabs::Background);
        const QColor edge = tabs->GetColor(TMiscTabs::Edge);
        const QRect inside = image.rect().adjusted(1, 1, -1, -1);
        QCOMPARE(CountNear(image, inside, background), inside.width() * inside.height());
        QCOMPARE(CountNear(image, image.rect(), edge), 2 * 19 + 2 * 438);
        // Clicking an empty strip selects nothing.
        QTest::mouseClick(tabs.get(), Qt::LeftButton, {}, QPoint(5, 40));
        QCOMPARE(tabs->TabIndex(), -1);
    }

    void listChangesKeepTheSelectedCaption() {
        auto tabs = Strip({kOld, kNew, QStringLiteral("福音书")});
        int clicks = 0;
        connect(tabs.get(), &TMiscTabs::Clicked, [&] { ++clicks; });
        tabs->SetTabIndex(1);
        clicks = 0;

        tabs->Tabs().Insert(0, QStringLiteral("书信"));
        QCOMPARE(tabs->TabIndex(), 2);
        QCOMPARE(tabs->Tabs()[tabs->TabIndex()], kNew);
        tabs->Tabs().Insert(2, QStringLiteral("诗歌")); // right at the selection
        QCOMPARE(tabs->Tabs()[tabs->TabIndex()], kNew);
        tabs->Tabs().Delete(2);
        tabs->Tabs().Insert(3, QStringLiteral("启示"));
        QCOMPARE(tabs->TabIndex(), 2);
        tabs->Tabs().Delete(0); // before the selection
        QCOMPARE(tabs->Tabs()[tabs->TabIndex()], kNew);
        QCOMPARE(clicks, 0);

        // Now: 旧约 新约 启示 福音书. Deleting the selected last tab selects the new last.
        tabs->SetTabIndex(3);
        clicks = 0;
        tabs->Tabs().Delete(3);
        QCOMPARE(tabs->TabIndex(), 2);
        QCOMPARE(clicks, 1);
        // Deleting the selected middle tab keeps the index: its successor is selected.
        tabs->SetTabIndex(1);
        clicks = 0;
        tabs->Tabs().Delete(1);
        QCOMPARE(tabs->TabIndex(), 1);
        QCOMPARE(tabs->Tabs()[1], QStringLiteral("启示"));
        QCOMPARE(clicks, 1);
        tabs->Tabs().Delete(0);
        tabs->Tabs().Delete(0);
        QCOMPARE(tabs->TabIndex(), -1);
    }

    void scrollerAppearsOnlyWhenTabsDoNotFit() {
        auto tabs = Strip({kOld, kNew});
        QVERIFY(tabs->Scroller()->isHidden());
        QCOMPARE(tabs->VisibleTabs(), 2);

        tabs->SetTabs(LongList());
        QVERIFY(!tabs->Scroller()->isHidden());
        QVERIFY(tabs->VisibleTabs() < tabs->Tabs().Count());
        QCOMPARE(tabs->Scroller()->Max(), tabs->Tabs().Count() - tabs->VisibleTabs());
        QCOMPARE(tabs->Scroller()->geometry(), QRect(2, 3, 16, 13));
        // Nothing shown may run past the bottom.
        const TTabSpan last = tabs->TabPositions().last();
        QVERIFY(last.top + last.length + 19 <= tabs->height());

        tabs->SetAutoScroll(false);
        QVERIFY(tabs->Scroller()->isHidden());
        tabs->SetAutoScroll(true);
        tabs->resize(19, 2000);
        QVERIFY(tabs->Scroller()->isHidden());
    }

    void scrollerArrowsScroll() {
        auto tabs = Strip(LongList());
        TScroller* scroller = tabs->Scroller();
        const QPoint firstArrow(2, 3), secondArrow(11, 9);

        QTest::mouseClick(scroller, Qt::LeftButton, {}, firstArrow); // cannot scroll back
        QCOMPARE(tabs->FirstIndex(), 0);
        QTest::mouseClick(scroller, Qt::LeftButton, {}, secondArrow);
        QCOMPARE(tabs->FirstIndex(), 1);
        QCOMPARE(scroller->Position(), 1);
        QTest::mouseClick(scroller, Qt::LeftButton, {}, secondArrow);
        QCOMPARE(tabs->FirstIndex(), 2);
        QTest::mouseClick(scroller, Qt::LeftButton, {}, firstArrow);
        QCOMPARE(tabs->FirstIndex(), 1);

        // Sliding off the arrow before letting go cancels the step.
        QTest::mousePress(scroller, Qt::LeftButton, {}, secondArrow);
        QVERIFY(scroller->Down());
        QMouseEvent away(QEvent::MouseMove, QPointF(2, 3), scroller->mapToGlobal(QPointF(2, 3)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(scroller, &away);
        QVERIFY(!scroller->Down());
        QTest::mouseRelease(scroller, Qt::LeftButton, {}, QPoint(2, 3));
        QCOMPARE(tabs->FirstIndex(), 1);

        // Scrolling stops at the last position.
        for (int i = 0; i < 20; ++i)
            QTest::mouseClick(scroller, Qt::LeftButton, {}, secondArrow);
        QCOMPARE(scroller->Position(), scroller->Max());
        QVERIFY(!scroller->CanScrollRight());
        QCOMPARE(tabs->FirstIndex() + tabs->VisibleTabs(), tabs->Tabs().Count());

        // A disabled scroller ignores the mouse.
        scroller->SetDisable(true);
        QTest::mouseClick(scroller, Qt::LeftButton, {}, firstArrow);
        QCOMPARE(scroller->Position(), scroller->Max());
    }

    void selectedTabIsKeptInView() {
        auto tabs = Strip(LongList(), 260);
        const int last = tabs->Tabs().Count() - 1;
        tabs->SetTabIndex(last);
        QVERIFY(Shown(*tabs, last));
        QVERIFY(tabs->FirstIndex() > 0);
        // Scrolled no further than needed: one tab earlier, the selection would not fit.
        const int scrolled = tabs->FirstIndex();
        tabs->SetFirstIndex(scrolled - 1);
        QVERIFY(!Shown(*tabs, last));

        tabs->SetTabIndex(0);
        QCOMPARE(tabs->FirstIndex(), 0);
        tabs->SetTabIndex(6);
        QVERIFY(Shown(*tabs, 6));

        // A shorter strip scrolls on to keep the selection; a taller one pulls earlier tabs back.
        tabs->resize(19, 160);
        QVERIFY(Shown(*tabs, 6));
        const int whenShort = tabs->FirstIndex();
        tabs->resize(19, 300);
        QVERIFY(Shown(*tabs, 6));
        QVERIFY(tabs->FirstIndex() < whenShort);
        tabs->resize(19, 2000);
        QCOMPARE(tabs->FirstIndex(), 0);
        QVERIFY(tabs->Scroller()->isHidden());

        // Pulled back as far as possible: one tab further would push the selection out.
        tabs->resize(19, 300);
        const int pulled = tabs->FirstIndex();
        QVERIFY(pulled > 0);
        tabs->SetFirstIndex(pulled - 1);
        QVERIFY(!Shown(*tabs, 6));
    }

    void paintsSelectionAndPointerColours() {
        auto tabs = Strip({kOld, kNew});
        ApplyLook(*tabs, 0);
        tabs->SetColor(TMiscTabs::TabText, QColor(1, 2, 3));
        tabs->SetColor(TMiscTabs::SelectedText, QColor(4, 5, 6));
        QVERIFY(QTest::qWaitForWindowExposed(tabs.get()));
        QTest::mouseMove(tabs.get(), QPoint(5, 430)); // wherever earlier tests left the pointer
        const auto spans = tabs->TabPositions();
        QImage image = tabs->grab().toImage();
        QCOMPARE(image.pixel(1, spans[0].top + 2), tabs->GetColor(TMiscTabs::SelectedFill).rgb());
        QCOMPARE(image.pixel(1, spans[1].top + 20), tabs->GetColor(TMiscTabs::TabFill).rgb());
        QCOMPARE(image.pixel(5, 430), tabs->GetColor(TMiscTabs::Background).rgb());
        const QRect firstCaption(3, spans[0].top, 15, spans[0].length - 16);
        const QRect secondCaption(3, spans[1].top + 16, 15, spans[1].length - 16);
        QVERIFY(CountNear(image, firstCaption, QColor(4, 5, 6), 200) > 10);
        QVERIFY(CountNear(image, secondCaption, QColor(1, 2, 3), 200) > 10);

        // The pointer over an unselected caption lights it up, and leaving puts it out.
        QTest::mouseMove(tabs.get(), secondCaption.center());
        QCOMPARE(tabs->HotIndex(), 1);
        image = tabs->grab().toImage();
        QVERIFY(CountNear(image, secondCaption, tabs->GetColor(TMiscTabs::HotText), 200) > 10);
        QTest::mouseMove(tabs.get(), QPoint(5, 430));
        QCOMPARE(tabs->HotIndex(), -1);
        image = tabs->grab().toImage();
        QCOMPARE(CountNear(image, secondCaption, tabs->GetColor(TMiscTabs::HotText), 200), 0);
    }

    void selectedPictureIsTurnedClockwise() {
        // Inside a 2-pixel frame: a red top row over blue; turned clockwise, red ends up right.
        QImage picture(24, 18, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QPainter(&picture).fillRect(2, 2, 20, 14, Qt::blue);
        QPainter(&picture).fillRect(2, 2, 20, 2, Qt::red);
        TMiscTabs tabs;
        tabs.SetSelectedPicture(picture);
        const QImage& turned = tabs.SelectedPicture();
        QVERIFY(turned.width() >= tabs.Thickness());
        QVERIFY(turned.height() >= 19);
        QCOMPARE(turned.pixelColor(turned.width() - 1, 9), QColor(Qt::red));
        QCOMPARE(turned.pixelColor(0, 9), QColor(Qt::blue));

        // The selected tab's slanted ends take the picture only while it is in use.
        const QRgb fill = tabs.GetColor(TMiscTabs::SelectedFill).rgb();
        QCOMPARE(tabs.CornerImage(2).pixel(18, 0), fill);
        tabs.SetUseSkinPicture(true);
        QCOMPARE(tabs.CornerImage(2).pixel(18, 0), turned.pixel(18, 0));
        QCOMPARE(tabs.CornerImage(0).pixel(18, 18), turned.pixel(18, 18));
        // Keyed-out parts stay clear.
        QCOMPARE(qAlpha(tabs.CornerImage(2).pixel(0, 18)), 0);
        QCOMPARE(qAlpha(tabs.CornerImage(1).pixel(5, 3)), 0);
    }

    void acceleratorSelectsTab() {
        QWidget window;
        auto* tabs = new TMiscTabs(&window);
        tabs->SetTabs({QStringLiteral("&Old"), QStringLiteral("&New")});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        orvane::test::KeyToFocus(&window, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(tabs->TabIndex(), 1);
        orvane::test::KeyToFocus(&window, Qt::Key_X, Qt::AltModifier);
        QCOMPARE(tabs->TabIndex(), 1);
    }

    // Pictures of the strip in the four looks, written when ORVANE_SHOT_DIR names a folder.
    void grabsEachLook() {
        if (!qEnvironmentVariableIsSet("ORVANE_SHOT_DIR"))
            QSKIP("set ORVANE_SHOT_DIR to write the pictures");
        // The system look last: it must not pick up the previous skin's picture.
        for (int skin : {1, 2, 3, 0}) {
            QWidget sheet;
            sheet.resize(4 * 40, 460);
            sheet.setAutoFillBackground(true);
            auto* two = new TMiscTabs(&sheet);
            two->setGeometry(10, 10, 19, 440);
            auto* many = new TMiscTabs(&sheet);
            many->setGeometry(50, 10, 19, 300);
            auto* scrolled = new TMiscTabs(&sheet);
            scrolled->setGeometry(90, 10, 19, 300);
            auto* hover = new TMiscTabs(&sheet);
            hover->setGeometry(130, 10, 19, 440);
            for (TMiscTabs* tabs : {two, many, scrolled, hover})
                ApplyLook(*tabs, skin);
            two->SetTabs({kOld, kNew});
            many->SetTabs(LongList());
            many->SetTabIndex(2);
            scrolled->SetTabs(LongList());
            scrolled->SetTabIndex(7);
            hover->SetTabs(LongList().mid(0, 5));
            hover->SetTabIndex(1);
            sheet.show();
            QVERIFY(QTest::qWaitForWindowExposed(&sheet));
            // The pointer resting on the fourth tab's caption.
            const QPointF over(8, hover->TabPositions().at(3).top + 22);
            QMouseEvent move(QEvent::MouseMove, over, hover->mapToGlobal(over), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(hover, &move);
            orvane::test::SaveShot(&sheet, QStringLiteral("tabs-look%1").arg(skin));
        }
    }
};

QTEST_MAIN(MiscTabsTest)
#include "MiscTabsTest.moc"
