// The skinned menu painter and the canvas routines, checked pixel by pixel on offscreen images.

#include "DrawCanvas.h"
#include "DrawMenus.h"
#include "SkinState.h"
#include "TestSupport.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QtTest>

using namespace orvane;

namespace {

// The per-skin colours the main window sets alongside LoadSkin.
void UseSkin(int index) {
    static const QColor face[] = {{}, {232, 238, 245}, {255, 240, 225}, {255, 255, 255}};
    static const QColor hot[] = {{}, {255, 255, 255}, {255, 255, 0}, {0, 128, 128}};
    LoadSkin(index);
    SkinIndex = index;
    SkinFaceColor = face[index];
    SkinMenuHotTextColor = hot[index];
}

QFont MenuFont() {
    QFont font(QStringLiteral("宋体"), 9);
    font.setStyleStrategy(QFont::NoAntialias); // text in exact colours
    return font;
}

QStyleOptionMenuItem Item(const QString& text, QRect rect = QRect(0, 0, 200, 24)) {
    QStyleOptionMenuItem o;
    o.rect = rect;
    o.state = QStyle::State_Enabled;
    o.text = text;
    o.menuItemType = QStyleOptionMenuItem::Normal;
    o.checkType = QStyleOptionMenuItem::NotCheckable;
    o.font = MenuFont();
    return o;
}

QImage Render(const QStyleOptionMenuItem& o, QSize size = {200, 24}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(0xFF102030); // a colour nothing paints
    QPainter p(&image);
    TDrawMenus::DrawItem(p, o);
    return image;
}

// Bounding box and number of the pixels of exactly `color` inside `area`.
QRect InkBox(const QImage& image, QColor color, QRect area = {}) {
    QRect box;
    area = area.isNull() ? image.rect() : area;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == color.rgb()) box |= QRect(x, y, 1, 1);
    return box;
}
int Count(const QImage& image, QColor color, QRect area = {}) {
    int n = 0;
    area = area.isNull() ? image.rect() : area;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color.rgb();
    return n;
}

QIcon FilledIcon(QColor color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvane::test::PrepareFonts(); }
    void init() { UseSkin(1); }

    void plainItemHasFaceStripAndCaption() {
        QImage image = Render(Item(QStringLiteral("打开")));
        for (int y : {0, 23}) {
            QCOMPARE(image.pixel(24, y), SkinFaceColor.rgb());
            QCOMPARE(image.pixel(25, y), TDrawMenus::FaceColor().rgb());
            QCOMPARE(image.pixel(199, y), TDrawMenus::FaceColor().rgb());
        }
        QRect caption = InkBox(image, Qt::black);
        QVERIFY(caption.left() >= 35 && caption.left() <= 37);
        QVERIFY(qAbs(caption.top() - (23 - caption.bottom())) <= 2); // vertically centred

        // An item starting a little in (inside a menu frame) keeps the strip's fixed end and
        // its own caption inset.
        image = Render(Item(QStringLiteral("打开"), QRect(2, 3, 150, 20)));
        QCOMPARE(image.pixel(2, 10), SkinFaceColor.rgb());
        QCOMPARE(image.pixel(25, 10), TDrawMenus::FaceColor().rgb());
        QVERIFY(InkBox(image, Qt::black).left() >= 37);
    }

    void separatorIsEtchedAtMidHeight() {
        QStyleOptionMenuItem o = Item(QStringLiteral("-"), QRect(0, 10, 200, 9));
        o.menuItemType = QStyleOptionMenuItem::Separator;
        const QImage image = Render(o, {200, 30});
        const int m = 10 + 9 / 2;
        QCOMPARE(InkBox(image, TDrawMenus::SeparatorColor()), QRect(30, m - 1, 170, 1));
        QCOMPARE(InkBox(image, Qt::white), QRect(30, m, 170, 1));
        QCOMPARE(image.pixel(10, m), SkinFaceColor.rgb());
        QCOMPARE(Count(image, Qt::black), 0); // no caption
    }

    void checkMarkMovesUnderTheIcon() {
        QStyleOptionMenuItem o = Item(QStringLiteral("工具栏"));
        o.checkType = QStyleOptionMenuItem::NonExclusive;
        o.checked = true;
        const QColor accent = SkinAccentColor();
        const QRect plain = InkBox(Render(o), accent, QRect(0, 0, 35, 24));
        QVERIFY(plain.left() >= 12 && plain.left() <= 16 && plain.top() >= 4);

        // A see-through icon lets the whole mark show: the same glyph 10 left and 2 up.
        o.icon = FilledIcon(Qt::transparent);
        QCOMPARE(InkBox(Render(o), accent, QRect(0, 0, 35, 24)), plain.translated(-10, -2));
        o.checked = false;
        QCOMPARE(Count(Render(o), accent, QRect(0, 0, 35, 24)), 0);
    }

    void iconSitsInTheStripAndRisesWhenSelected() {
        const QColor green(0, 200, 0);
        QStyleOptionMenuItem o = Item(QStringLiteral("书签"));
        o.icon = FilledIcon(green);
        QCOMPARE(InkBox(Render(o), green), QRect(4, 4, 16, 16));
        // Selected, lower in the menu: drawn at (2, T+2) and again at (1, T+1).
        o.state |= QStyle::State_Selected;
        o.rect = QRect(0, 24, 200, 24);
        QCOMPARE(InkBox(Render(o, {200, 48}), green), QRect(1, 25, 17, 17));
    }

    void selectedItemIsHighlighted() {
        UseSkin(2); // hot text yellow
        const QColor blue(10, 20, 200);
        QImage hl(24, 18, QImage::Format_RGB888);
        hl.fill(blue);
        hl.setPixel(0, 0, kMagenta);
        hl.setPixel(23, 0, kMagenta);
        SkinMenuHighlight = hl;

        QStyleOptionMenuItem o = Item(QStringLiteral("红胜火"));
        o.state |= QStyle::State_Selected;
        o.checkType = QStyleOptionMenuItem::Exclusive;
        o.checked = true;
        const QImage image = Render(o);
        QCOMPARE(image.pixel(0, 0), SkinFaceColor.rgb());             // keyed: the strip below
        QCOMPARE(image.pixel(199, 0), TDrawMenus::FaceColor().rgb()); // keyed: the face below
        QCOMPARE(image.pixel(1, 0), blue.rgb());                      // over the strip
        QCOMPARE(image.pixel(100, 23), blue.rgb());                   // stretched to the height
        QVERIFY(Count(image, SkinMenuHotTextColor, QRect(35, 0, 165, 24)) > 10);
        QCOMPARE(Count(image, Qt::black), 0);
        // The accent is the highlight's own colour; on it the check mark takes the hot colour
        // so it does not vanish under the pointer.
        QVERIFY(Count(image, SkinMenuHotTextColor, QRect(12, 4, 20, 20)) > 3);
    }

    void disabledDefaultShortcutAndSubmenuCaptions() {
        QStyleOptionMenuItem o = Item(QStringLiteral("粘贴"));
        o.state = QStyle::State_Selected; // disabled wins over selected
        QVERIFY(Count(Render(o), TDrawMenus::DisabledTextColor()) > 10);
        QCOMPARE(Count(Render(o), SkinMenuHotTextColor, QRect(35, 0, 165, 24)), 0);

        o = Item(QStringLiteral("复制"));
        const int normal = Count(Render(o), Qt::black);
        o.menuItemType = QStyleOptionMenuItem::DefaultItem;
        QVERIFY(Count(Render(o), Qt::black) > normal); // bold

        o = Item(QStringLiteral("复制\tCtrl+C"));
        const QRect shortcut = InkBox(Render(o), Qt::black, QRect(100, 0, 100, 24));
        QVERIFY(shortcut.right() < 190 && shortcut.right() > 170);

        o = Item(QStringLiteral("皮肤"));
        QCOMPARE(Count(Render(o), Qt::black, QRect(170, 0, 30, 24)), 0);
        o.menuItemType = QStyleOptionMenuItem::SubMenu;
        QVERIFY(Count(Render(o), Qt::black, QRect(170, 0, 30, 24)) >= 16); // the arrow
    }

    void measuringLeavesRoomForTheInset() {
        QStyleOptionMenuItem o = Item(QStringLiteral("复制(纯经文格式)\tCtrl+C"));
        const QSize size = TDrawMenus::MeasureItem(o, QSize(20, 30));
        QFont bold = o.font;
        bold.setBold(true);
        const int caption =
            QFontMetrics(bold).horizontalAdvance(QStringLiteral("复制(纯经文格式)"));
        QVERIFY(size.width() >= 35 + caption + 20);
        QCOMPARE(size.height(), 30);
        QCOMPARE(TDrawMenus::MeasureItem(o, QSize(900, 30)), QSize(900, 30));
    }

    void installReachesEverySubmenuAndUninstallRestores() {
        QMenuBar bar;
        QMenu* view = bar.addMenu(QStringLiteral("视图"));
        QMenu* skins = view->addMenu(QStringLiteral("皮肤"));
        QMenu popup;
        popup.addMenu(view); // reachable twice: the walk must not trouble

        TDrawMenus::Install(&bar);
        QMenu* later = bar.addMenu(QStringLiteral("帮助"));
        QMenu* deeper = skins->addMenu(QStringLiteral("更多"));
        for (QMenu* m : {view, skins, later, deeper})
            QVERIFY(TDrawMenus::IsInstalled(m));
        QVERIFY(!TDrawMenus::IsInstalled(&popup));
        QVERIFY(bar.style() != TDrawMenus::Style());

        TDrawMenus::Uninstall(&bar);
        for (QMenu* m : {view, skins, later, deeper})
            QCOMPARE(m->style(), QApplication::style());
        QVERIFY(!TDrawMenus::IsInstalled(view->addMenu(QStringLiteral("之后"))));

        // Under the system look, installing hands the menus back.
        TDrawMenus::Install(&popup);
        QVERIFY(TDrawMenus::IsInstalled(skins));
        SkinIndex = kSkinSystem;
        TDrawMenus::Install(&popup);
        QVERIFY(!TDrawMenus::IsInstalled(&popup) && !TDrawMenus::IsInstalled(skins));
    }

    void skinnedMenuPaintsPanelAndItems() {
        QMenu menu;
        menu.setFont(MenuFont());
        QAction* copy = menu.addAction(QStringLiteral("复制"));
        menu.addSeparator();
        QAction* paste = menu.addAction(QStringLiteral("粘贴"));
        TDrawMenus::Install(&menu);
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.setActiveAction(paste);
        const auto shot = [&menu] {
            return menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        QImage image = shot();
        const QRect copyRect = menu.actionGeometry(copy);
        const QRect pasteRect = menu.actionGeometry(paste);
        QVERIFY(copyRect.height() >= 22);
        QCOMPARE(image.pixel(10, copyRect.top() - 1), SkinFaceColor.rgb()); // the margin too
        QCOMPARE(image.pixel(copyRect.right() - 2, copyRect.top() + 2),
                 TDrawMenus::FaceColor().rgb());
        QVERIFY(image.pixel(100, pasteRect.top() + 2) != TDrawMenus::FaceColor().rgb());

        // The menu's default action is drawn bold.
        const QRect captionArea(35, copyRect.top(), copyRect.width() - 35, copyRect.height());
        const int plain = Count(image, Qt::black, captionArea);
        menu.setDefaultAction(copy);
        QVERIFY(Count(shot(), Qt::black, captionArea) > plain);
    }

    void menuPictures() {
        // Pictures for a person to look at, written only when asked for.
        if (!qEnvironmentVariableIsSet("ORVANE_SHOT_DIR"))
            QSKIP("set ORVANE_SHOT_DIR to write the pictures");
        const QIcon icon = FilledIcon(QColor(40, 120, 200));
        for (int skin = 1; skin <= 3; ++skin) {
            UseSkin(skin);
            QMenu menu;
            menu.setFont(QFont(QStringLiteral("宋体"), 9));
            QAction* editor = menu.addAction(QStringLiteral("写作编辑器(&E)"));
            menu.addAction(icon, QStringLiteral("书签(&B)"))->setShortcut(Qt::CTRL | Qt::Key_B);
            QAction* find = menu.addAction(icon, QStringLiteral("查找(&F)"));
            menu.addSeparator();
            menu.addAction(QStringLiteral("粘贴(&P)"))->setEnabled(false);
            QAction* copy = menu.addAction(QStringLiteral("复制(纯经文格式)"));
            copy->setShortcut(Qt::CTRL | Qt::Key_C);
            menu.setDefaultAction(copy);
            menu.addMenu(QStringLiteral("皮肤"))->addAction(QStringLiteral("绿如蓝"));
            QAction* hovered = menu.addAction(QStringLiteral("上一章"));
            for (QAction* a : {editor, find, hovered}) {
                a->setCheckable(true);
                a->setChecked(true);
            }
            TDrawMenus::Install(&menu);
            menu.popup(QPoint(0, 0));
            QVERIFY(QTest::qWaitForWindowExposed(&menu));
            menu.setActiveAction(hovered);
            orvane::test::SaveShot(&menu, QStringLiteral("menu-skin%1").arg(skin));
        }
    }

    void dashedLines() {
        QImage image(32, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(QPen(Qt::blue, 5)); // the caller's pen plays no part
        TDrawCanvas::DrawDashedHLine(p, 2, Qt::red, 20, 5);
        TDrawCanvas::DrawDashedVLine(p, 7, Qt::green, 19, 10);
        // An end before the start still gives one three-pixel dash.
        TDrawCanvas::DrawDashedHLine(p, 25, Qt::magenta, 3, 30);
        TDrawCanvas::DrawDashedVLine(p, 30, Qt::cyan, -50, 20);
        p.end();
        QString h, v;
        for (int i = 0; i < 32; ++i) {
            h += image.pixel(i, 5) == qRgb(255, 0, 0) ? '#' : '.';
            v += image.pixel(7, i) == qRgb(0, 255, 0) ? '#' : '.';
        }
        QCOMPARE(h, QStringLiteral("..###...###...###...###........."));
        QCOMPARE(v, QStringLiteral("..........###...###............."));
        QCOMPARE(Count(image, Qt::red) + Count(image, Qt::green), 12 + 6);
        QCOMPARE(InkBox(image, Qt::magenta), QRect(25, 30, 3, 1));
        QCOMPARE(InkBox(image, Qt::cyan), QRect(30, 20, 1, 3));
    }

    void tilingCoversTheWidthFromX0() {
        QImage tile(7, 4, QImage::Format_RGB32);
        for (int x = 0; x < 7; ++x)
            for (int y = 0; y < 4; ++y)
                tile.setPixel(x, y, qRgb(x * 30, y * 50, 99));
        QImage image(50, 6, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        TDrawCanvas::TileHorizontally(p, tile, 30, 3);
        TDrawCanvas::TileHorizontally(p, QImage(), 30, 0); // nothing to tile: no endless loop
        p.end();
        // Tiles start at 3, 10, 17, 24 and 31; the last runs past the width to 37.
        for (int x = 3; x < 38; ++x)
            for (int y = 0; y < 4; ++y)
                QCOMPARE(image.pixel(x, y), tile.pixel((x - 3) % 7, y));
        QCOMPARE(image.pixel(2, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(38, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(10, 4), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(DrawingTest)
#include "DrawingTest.moc"
