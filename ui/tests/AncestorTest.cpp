// The skinned window base: title buttons, dragging and maximising by the title, the minimum
// size, the switch between the system look and a skin, and the menu hosted as a tool bar.

#include "AncePanel.h"
#include "SkinState.h"
#include "TestSupport.h"
#include "wnAncestor.h"

#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>
#include <QtTest>

using namespace orvane;

namespace {

QImage Solid(QColor colour, QSize size = {16, 17}) {
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

QImage Shot(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Twelve title pictures that can be told apart: picture i is grey level 10 * (i + 1).
std::vector<QImage> NumberedPictures() {
    std::vector<QImage> pictures;
    for (int i = 0; i < 12; ++i)
        pictures.push_back(Solid(QColor(10 * (i + 1), 0, 0)));
    return pictures;
}

int PictureNumber(const TSpeedButton& button) {
    if (button.Glyph().isNull()) return -1;
    return QColor(button.Glyph().pixel(0, 0)).red() / 10 - 1;
}

QWidget* GripAt(QWidget& form, Qt::CursorShape shape, QPoint near) {
    for (QWidget* child : form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible() && child->cursor().shape() == shape &&
            child->geometry().contains(near))
            return child;
    return nullptr;
}

void HoverMenuBar(QMenuBar& menu, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, menu.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&menu, &move);
}

void ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

class AncestorTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvane::test::PrepareFonts(); }
    void init() { SkinIndex = 1; }
    void cleanup() { SkinIndex = kSkinSystem; }

    void titleButtonsSwapPicturesUnderThePointer() {
        TfmAncestor form;
        form.resize(400, 300);
        ShowActive(form);
        form.imglAnceSysBtn = NumberedPictures();
        for (TSpeedButton* b :
             {form.sbtnAnceTitleMin, form.sbtnAnceTitleMax, form.sbtnAnceTitleClose})
            b->ShowStatePicture();
        const QPoint away(100, 13);
        struct Case {
            TSpeedButton* button;
            int normal, hovered;
        };
        for (const Case& c : {Case{form.sbtnAnceTitleMin, 0, 6}, Case{form.sbtnAnceTitleMax, 1, 7},
                              Case{form.sbtnAnceTitleClose, 2, 8}}) {
            QCOMPARE(PictureNumber(*c.button), c.normal);
            QTest::mouseMove(c.button, QPoint(10, 10));
            QTRY_COMPARE(PictureNumber(*c.button), c.hovered);
            QVERIFY(c.button->Hovering);
            QTest::mouseMove(form.pnlAnceTitle, away);
            QTRY_COMPARE(PictureNumber(*c.button), c.normal);
            QVERIFY(!c.button->Hovering);
        }

        // Maximised, the same button offers to restore.
        form.showMaximized();
        QTRY_VERIFY(form.isMaximized());
        QCOMPARE(PictureNumber(*form.sbtnAnceTitleMax), 3);
        QCOMPARE(form.sbtnAnceTitleMax->toolTip(), QStringLiteral("恢复"));
        QTRY_VERIFY(form.width() > 400); // the title buttons have moved to the new right edge
        QTest::mouseMove(form.sbtnAnceTitleMax, QPoint(10, 10));
        QTRY_COMPARE(PictureNumber(*form.sbtnAnceTitleMax), 9);
        QTest::mouseMove(form.pnlAnceTitle, away);
        QTRY_COMPARE(PictureNumber(*form.sbtnAnceTitleMax), 3);
        form.showNormal();
        QTRY_VERIFY(!form.isMaximized());
        QCOMPARE(PictureNumber(*form.sbtnAnceTitleMax), 1);
        QCOMPARE(form.sbtnAnceTitleMax->toolTip(), QStringLiteral("最大化"));
    }

    void sizesBelowTheMinimumAreRefused() {
        TfmAncestor form;
        form.resize(100, 100);
        QVERIFY(form.width() >= 210 && form.height() >= 150);
        ShowActive(form);
        form.resize(400, 300);
        form.resize(50, 400);
        QCOMPARE(form.size(), QSize(210, 400));
        form.setGeometry(10, 10, 300, 20);
        QCOMPARE(form.size(), QSize(300, 150));

        // The corner handle of a skinned window resizes it, and stops at the minimum too.
        form.resize(400, 300);
        QWidget* corner = GripAt(form, Qt::SizeFDiagCursor, QPoint(398, 298));
        QVERIFY(corner);
        const QPoint at = corner->rect().center();
        QTest::mousePress(corner, Qt::LeftButton, {}, at);
        QTest::mouseMove(corner, at + QPoint(40, 30));
        QTRY_COMPARE(form.size(), QSize(440, 330));
        QTest::mouseMove(corner, at - QPoint(500, 500));
        QTRY_COMPARE(form.size(), QSize(210, 150));
        QTest::mouseRelease(corner, Qt::LeftButton, {}, at - QPoint(500, 500));
    }

    void dialogBorderKeepsOnlyCloseAndSlicesTheBackdrop() {
        TfmAncestor form(nullptr, TfmAncestor::Border::Dialog);
        form.resize(300, 200);
        ShowActive(form);
        QVERIFY(!form.sbtnAnceTitleMin->isVisible());
        QVERIFY(!form.sbtnAnceTitleMax->isVisible());
        QVERIFY(form.sbtnAnceTitleClose->isVisible());
        // Double-clicking the title of a dialog maximises nothing.
        QTest::mouseDClick(form.pnlAnceTitle, Qt::LeftButton, {}, QPoint(120, 12));
        QVERIFY(!form.isMaximized());
        // No resize handles on a dialog border.
        QVERIFY(!GripAt(form, Qt::SizeFDiagCursor, QPoint(298, 198)));

        // The two slices come from x 0..19 and 60..68 of the backdrop, one row down.
        QImage backdrop(68, 26, QImage::Format_RGB888);
        for (int x = 0; x < 68; ++x)
            for (int y = 0; y < 26; ++y)
                backdrop.setPixelColor(x, y, QColor(x, y, 200));
        form.pnlAnceTitle->SetButtonBackdrop(backdrop);
        form.sbtnAnceTitleClose->hide(); // keep the button off the pixels we look at
        const QImage shot = Shot(*form.pnlAnceTitle);
        const int w = form.pnlAnceTitle->width();
        QCOMPARE(QColor(shot.pixel(w - 38 + 4, 2 + 3)), QColor(4, 4, 200));
        QCOMPARE(QColor(shot.pixel(w - 20 + 5, 2 + 7)), QColor(65, 8, 200));
    }

    void doubleClickOnTheTitleMaximisesAndRestores() {
        TfmAncestor form;
        form.resize(400, 300);
        ShowActive(form);
        QTest::mouseDClick(form.pnlAnceTitle, Qt::LeftButton, {}, QPoint(150, 12));
        QTRY_VERIFY(form.isMaximized());
        QCOMPARE(form.sbtnAnceTitleMax->toolTip(), QStringLiteral("恢复"));
        QTest::mouseDClick(form.pnlAnceTitle, Qt::LeftButton, {}, QPoint(150, 12));
        QTRY_VERIFY(!form.isMaximized());
        QCOMPARE(form.sbtnAnceTitleMax->toolTip(), QStringLiteral("最大化"));
        QTRY_COMPARE(form.size(), QSize(400, 300));
    }

    void titleButtonsAndIconCommandTheWindow() {
        TfmAncestor form;
        form.resize(400, 300);
        ShowActive(form);
        QTest::mouseClick(form.sbtnAnceTitleMax, Qt::LeftButton);
        QTRY_VERIFY(form.isMaximized());
        QTest::mouseClick(form.sbtnAnceTitleMax, Qt::LeftButton);
        QTRY_VERIFY(!form.isMaximized());
        QTest::mouseClick(form.sbtnAnceTitleMin, Qt::LeftButton);
        QTRY_VERIFY(form.isMinimized());
        form.showNormal();
        QTest::mouseClick(form.sbtnAnceTitleClose, Qt::LeftButton);
        QTRY_VERIFY(!form.isVisible());

        ShowActive(form);
        QTest::mouseDClick(form.imgAnceIcon, Qt::LeftButton);
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(!form.isMaximized()); // the icon's double-click is not the title's
    }

    void draggingTheTitleMovesTheWindowUnlessMaximised() {
        TfmAncestor form;
        form.setGeometry(100, 100, 400, 300);
        ShowActive(form);
        const QPoint start = form.pos();
        const QPoint grab(150, 12);
        QTest::mousePress(form.pnlAnceTitle, Qt::LeftButton, {}, grab);
        QTest::mouseMove(form.pnlAnceTitle, grab + QPoint(30, 20));
        QTest::mouseRelease(form.pnlAnceTitle, Qt::LeftButton, {}, grab + QPoint(30, 20));
        QTRY_COMPARE(form.pos(), start + QPoint(30, 20));

        form.showMaximized();
        QTRY_VERIFY(form.isMaximized());
        const QPoint maxPos = form.pos();
        QTest::mousePress(form.pnlAnceTitle, Qt::LeftButton, {}, grab);
        QTest::mouseMove(form.pnlAnceTitle, grab + QPoint(30, 20));
        QTest::mouseRelease(form.pnlAnceTitle, Qt::LeftButton, {}, grab + QPoint(30, 20));
        QCOMPARE(form.pos(), maxPos);
    }

    void systemLookOnlyHidesTheTitle() {
        TfmAncestor form;
        form.resize(400, 300);
        ShowActive(form);
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        const QSize skinnedSize = form.size();
        const std::vector<QImage> pictures = form.imglAnceSysBtn;
        const QImage skinPicture = SkinImage;

        SkinIndex = kSkinSystem;
        form.ApplySkin();
        QVERIFY(!form.pnlAnceTitle->isVisible());
        QVERIFY(!(form.windowFlags() & Qt::FramelessWindowHint));
        QTRY_VERIFY(form.isVisible()); // the frame change does not leave it hidden
        QCOMPARE(form.size(), skinnedSize);
        QVERIFY(form.imglAnceSysBtn == pictures);
        QCOMPARE(SkinImage, skinPicture);
        QCOMPARE(form.ClientArea()->contentsMargins(), QMargins());
        // Painting fills the client area with the window colour: no texture, no frame.
        const QImage shot = Shot(form);
        const QRgb window = form.palette().color(QPalette::Window).rgb();
        QCOMPARE(shot.pixel(1, 1), window);
        QCOMPARE(shot.pixel(shot.width() - 2, shot.height() - 2), window);
        QVERIFY(!GripAt(form, Qt::SizeFDiagCursor, QPoint(398, 298)));
        orvane::test::SaveShot(shot, QStringLiteral("ancestor-system"));

        SkinIndex = 2;
        form.ApplySkin();
        QVERIFY(form.pnlAnceTitle->isVisible());
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QTRY_VERIFY(form.isVisible());
        QCOMPARE(form.size(), skinnedSize);
    }

    void clientAreaKeepsClearOfTheFrame() {
        TfmAncestor form;
        form.resize(400, 300);
        ShowActive(form);
        // Title and tool-bar panel above, frame one pixel below the title: the tool-bar panel
        // covers the frame's top, the other sides are 3 px.
        QCOMPARE(form.ClientArea()->contentsMargins(), QMargins(3, 0, 3, 3));
        form.panToolBar->hide();
        QTRY_COMPARE(form.ClientArea()->contentsMargins(), QMargins(3, 3, 3, 3));
        form.SetFrameLeft(20);
        form.SetFrameBottom(10);
        QCOMPARE(form.ClientArea()->contentsMargins(), QMargins(23, 3, 3, 13));

        // A child laid out in the client area does not cover the frame's right edge.
        auto* content = new QLabel(form.ClientArea());
        auto* layout = new QVBoxLayout(form.ClientArea());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(content);
        QTRY_COMPARE(content->mapTo(&form, QPoint(content->width(), 0)).x(), form.width() - 3);
    }

    // The side edges end where the bottom corners begin, above a band left free for a status
    // bar; below the corners only the texture shows. In every skin.
    void frameEdgesStopAtTheBottomCorners_data() {
        QTest::addColumn<int>("skin");
        QTest::newRow("绿如蓝") << 1;
        QTest::newRow("红胜火") << 2;
        QTest::newRow("灰色调") << 3;
    }
    void frameEdgesStopAtTheBottomCorners() {
        QFETCH(int, skin);
        SkinIndex = skin;
        TfmAncestor form;
        form.resize(300, 200);
        form.SetFrameBottom(19);
        form.ApplySkin();
        ShowActive(form);
        const QImage shot = Shot(form);
        const int cornerTop = form.height() - 19 - 8;
        // Left and right: the edge's picture above the corner, the texture below the frame.
        for (const auto& [x, frameX] : {std::pair(1, 1), std::pair(form.width() - 2, 28)}) {
            const QRgb edge = SkinFrame.pixel(frameX, 12);
            QCOMPARE(shot.pixel(x, cornerTop - 1), edge);
            for (int y = form.height() - 19; y < form.height(); ++y) {
                const QRgb texture = SkinFormTexture.pixel(x % 26, y % 26);
                QVERIFY2(shot.pixel(x, y) == texture,
                         qPrintable(QStringLiteral("edge at (%1,%2)").arg(x).arg(y)));
            }
        }
        // The corners themselves are the corner pictures, not crossed by an edge (the bottom
        // edge's band, from x = 5, joins their lowest three rows).
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 8; ++x) {
                const QRgb piece = SkinFrame.pixel(x, 28 + y);
                if ((piece & 0xFFFFFF) == (kMagenta & 0xFFFFFF)) continue;
                QCOMPARE(shot.pixel(x, cornerTop + y), piece);
            }
    }

    // Where a window goes when it would stick out of the screen's free area.
    void fittingInsideTheScreen_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("fitted");
        const QSize window(822, 434);
        QTest::newRow("inside") << QPoint(52, 202) << window << QPoint(52, 202);
        QTest::newRow("caption above the top") << QPoint(52, -20) << window << QPoint(52, 24);
        QTest::newRow("past the right and bottom")
            << QPoint(900, 700) << window << QPoint(1280 - 822, 800 - 434);
        QTest::newRow("left of the screen") << QPoint(-300, 100) << window << QPoint(0, 100);
        QTest::newRow("larger than the screen")
            << QPoint(52, 202) << QSize(2000, 1000) << QPoint(0, 24);
    }
    void fittingInsideTheScreen() {
        QFETCH(QPoint, at);
        QFETCH(QSize, size);
        QFETCH(QPoint, fitted);
        const QRect room(0, 24, 1280, 776); // a panel along the top
        QCOMPARE(TfmAncestor::FitInside(at, size, room), fitted);
    }

    void captionAndIconFollowTheWindow() {
        TfmAncestor form;
        form.setWindowTitle(QStringLiteral("澜晔圣经阅读器"));
        QCOMPARE(form.pnlAnceTitle->Caption(), QStringLiteral("澜晔圣经阅读器"));
        QVERIFY(!form.imgAnceIcon->pixmap().isNull());
        QCOMPARE(form.imgAnceIcon->pos(), QPoint(6, 4));
        QPixmap red(32, 32);
        red.fill(Qt::red);
        form.setWindowIcon(QIcon(red));
        QCOMPARE(form.imgAnceIcon->pixmap().toImage().pixelColor(8, 8), QColor(Qt::red));
    }

    void menuMovesIntoTheToolBarPanelAndBack() {
        TfmAncestor form;
        auto* menu = new QMenuBar;
        QAction* file = menu->addMenu(QStringLiteral("操作"))->menuAction();
        menu->addMenu(QStringLiteral("视图"));
        menu->addMenu(QStringLiteral("帮助"));
        form.SetMainMenu(menu);
        QCOMPARE(form.FormLayout()->menuBar(), menu);

        form.panToolBar->SetMenuBarMode(true);
        QCOMPARE(menu->parentWidget(), form.panToolBar);
        QVERIFY(!form.FormLayout()->menuBar());
        // The tool-bar picture: grip column, cool bar block at x 12, hot block at x 28.
        QImage bar(52, 20, QImage::Format_RGB888);
        bar.fill(QColor(10, 10, 10));
        QPainter(&bar).fillRect(12, 0, 16, 20, QColor(0, 200, 0));
        {
            QPainter p(&bar);
            p.fillRect(28, 0, 24, 18, QColor(0, 0, 220));
            p.fillRect(28, 0, 2, 2, QColor(255, 0, 255)); // keyed corner
        }
        form.panToolBar->SetBackground(bar);
        form.panToolBar->SetMenuTextColor(QColor(1, 2, 3));
        form.panToolBar->SetMenuHotTextColor(QColor(250, 250, 0));
        QCOMPARE(form.panToolBar->HotBitmap.size(), QSize(24, 18));
        QCOMPARE(SkinMenuHighlight, form.panToolBar->HotBitmap);

        form.setWindowTitle(QStringLiteral("澜晔圣经阅读器-串珠版（测试版0.1）"));
        form.resize(420, 260);
        ShowActive(form);
        QCOMPARE(menu->geometry(), QRect(12, 0, form.width() - 12, 20));

        const QRect item = menu->actionGeometry(file);
        QImage shot = Shot(*menu);
        QCOMPARE(QColor(shot.pixel(item.center().x(), 1)), QColor(0, 200, 0));
        QCOMPARE(QColor(shot.pixel(item.left(), 0)), QColor(0, 200, 0));
        // Qt's synthesised test moves do not reach a menu bar's hover tracking off screen, so
        // the pointer's move is delivered to the bar directly.
        HoverMenuBar(*menu, item.center());
        QCOMPARE(menu->activeAction(), file);
        QTRY_COMPARE(QColor(Shot(*menu).pixel(item.center().x(), 1)), QColor(0, 0, 220));
        shot = Shot(*menu);
        // The keyed corner lets the bar through; the caption is drawn in the hot colour.
        QCOMPARE(QColor(shot.pixel(item.left(), 0)), QColor(0, 200, 0));
        bool hotText = false;
        for (int x = item.left(); x < item.right(); ++x)
            for (int y = 4; y < 18; ++y) {
                const QColor c(shot.pixel(x, y));
                hotText |= c.red() > 160 && c.green() > 160 && c.blue() < 120;
            }
        orvane::test::SaveShot(shot, QStringLiteral("menubar-hot"));
        QVERIFY(hotText);
        orvane::test::SaveShot(Shot(form), QStringLiteral("ancestor-menubar-mode"));
        HoverMenuBar(*menu, QPoint(menu->width() - 5, 10));
        QVERIFY(!menu->activeAction());

        // Alt alone selects the first menu, the keyboard way into the bar.
        QTest::keyPress(orvane::test::FocusTarget(&form), Qt::Key_Alt);
        QTest::keyRelease(orvane::test::FocusTarget(&form), Qt::Key_Alt);
        QTRY_COMPARE(menu->activeAction(), file);
        orvane::test::KeyToFocused(menu, Qt::Key_Escape);

        // the skin's own pictures, for a look
        LoadSkin(1);
        QImage skinBar(52, 20, QImage::Format_RGB888);
        {
            QPainter p(&skinBar);
            p.drawImage(skinBar.rect(), SkinBarFace);
            DrawKeyed(p, QPoint(2, 3), SkinImage, QRect(136, 6, 6, 14));
            p.drawImage(QPoint(28, 0), SkinImage, QRect(111, 6, 24, 20));
        }
        form.panToolBar->SetBackground(skinBar);
        form.panToolBar->SetMenuTextColor(Qt::black);
        form.panToolBar->SetMenuHotTextColor(Qt::white);
        HoverMenuBar(*menu, menu->actionGeometry(menu->actions().at(1)).center());
        orvane::test::SaveShot(Shot(form), QStringLiteral("ancestor-skinned"));

        form.panToolBar->SetMenuBarMode(false);
        QCOMPARE(menu->parentWidget(), &form);
        QCOMPARE(form.FormLayout()->menuBar(), menu);
        QCOMPARE(menu->style(), QApplication::style()); // drawn as an ordinary menu bar again
        QTRY_VERIFY(menu->isVisible());
        SkinIndex = kSkinSystem;
        form.ApplySkin();
        QTRY_VERIFY(form.isVisible());
        QTRY_COMPARE(menu->mapTo(&form, QPoint()), QPoint(0, 0));
        // The tool-bar panel's skin pictures stay out of the system look.
        const QImage plain = Shot(*form.panToolBar);
        QCOMPARE(plain.pixel(40, 10), form.palette().color(QPalette::Window).rgb());
        orvane::test::SaveShot(Shot(form), QStringLiteral("ancestor-system-menu"));
    }
};

QTEST_MAIN(AncestorTest)
#include "AncestorTest.moc"
