#include "SkinState.h"

#include <QPainter>
#include <QtTest>

using namespace orvane;

class SkinStateTest : public QObject {
    Q_OBJECT
private slots:
    void picturesAreFoundWithoutRegardToCase() {
        for (const char* name : {"light", "Red", "BLACK"}) {
            const QImage image = LoadBitmapResource(QString::fromLatin1(name));
            QCOMPARE(image.size(), QSize(kSkinWidth, kSkinHeight));
        }
        QVERIFY(LoadBitmapResource(QStringLiteral("nothing")).isNull());
    }
    void piecesAreCutWithTheirSizes() {
        for (int skin = 1; skin <= 3; ++skin) {
            LoadSkin(skin);
            QCOMPARE(SkinFormTexture.size(), QSize(26, 26));
            QCOMPARE(SkinFrame.size(), QSize(30, 36));
            QCOMPARE(SkinBarFace.size(), QSize(8, 20));
            QCOMPARE(SkinCellFace.size(), QSize(8, 24));
            QCOMPARE(SkinCellFaceSmall.size(), QSize(8, 16));
            QCOMPARE(SkinSplitterH.size(), QSize(25, 7));
            QCOMPARE(SkinSplitterV.size(), QSize(7, 25));
            QCOMPARE(SkinMenuHighlight.size(), QSize(24, 18));
            QCOMPARE(SkinFrame.pixel(0, 0), kMagenta); // rounded corner: its outside is keyed
            QVERIFY(SkinAccentColor() != QColor(Qt::black) || skin == 3);
        }
        // Skins differ in their accent.
        LoadSkin(1);
        const QColor light = SkinAccentColor();
        LoadSkin(2);
        QVERIFY(SkinAccentColor() != light);
    }
    void keyedDrawingLeavesMagentaOut() {
        QImage picture(4, 1, QImage::Format_RGB888);
        picture.setPixel(0, 0, kMagenta);
        picture.setPixel(1, 0, qRgb(1, 2, 3));
        picture.setPixel(2, 0, kMagenta);
        picture.setPixel(3, 0, qRgb(4, 5, 6));
        QImage canvas(4, 1, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter p(&canvas);
        DrawKeyed(p, QPoint(0, 0), picture);
        p.end();
        QCOMPARE(canvas.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(canvas.pixel(1, 0), qRgb(1, 2, 3));
        QCOMPARE(canvas.pixel(2, 0), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(SkinStateTest)
#include "SkinStateTest.moc"
