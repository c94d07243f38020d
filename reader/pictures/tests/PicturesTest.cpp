#include "ReaderPictures.h"
#include <algorithm>

#include <QGuiApplication>
#include <QTest>

using namespace orvane;

namespace {

constexpr QRgb Magenta = 0xFFFF00FF;

int OpaquePixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) == 255) ++n;
    return n;
}

bool AllTransparent(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 0) return false;
    return true;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void toolImagesHaveTheirSizeAndFormat() {
        for (int i = -1; i <= ToolImageCount; ++i) {
            const QImage img = ToolImage(i);
            QCOMPARE(img.size(), QSize(16, 16));
            QVERIFY(img.hasAlphaChannel());
        }
    }

    void usedToolImagesAreDrawn() {
        const int used[] = {2,  3,  4,  5,  13, 14, 16, 17, 18, 20, 21, 22, 23, 24,
                            25, 26, 27, 28, 29, 30, 31, 33, 35, 36, 37, 38, 43, 44};
        for (int i : used)
            QVERIFY2(OpaquePixels(ToolImage(i)) > 20, qPrintable(QString::number(i)));
    }

    void outOfRangeAndUnusedToolImagesAreBlank() {
        QVERIFY(AllTransparent(ToolImage(-1)));
        QVERIFY(AllTransparent(ToolImage(ToolImageCount)));
        QVERIFY(AllTransparent(ToolImage(0)));
        QVERIFY(AllTransparent(ToolImage(40)));
    }

    void directionalPairsAreMirrorImages() {
        QCOMPARE(ToolImage(4), ToolImage(3).mirrored(true, false));
        QCOMPARE(ToolImage(5), ToolImage(2).mirrored(true, false));
        QCOMPARE(ToolImage(44), ToolImage(43).mirrored(true, false));
        QCOMPARE(ToolImage(38), ToolImage(37).mirrored(false, true));
    }

    void everyBookmarkIconIsDistinct() {
        for (int a = 22; a <= 31; ++a)
            for (int b = a + 1; b <= 31; ++b)
                QVERIFY(ToolImage(a) != ToolImage(b));
    }

    void treeImages() {
        QCOMPARE(ReportTypeImage(0).size(), QSize(16, 16));
        QVERIFY(OpaquePixels(ReportTypeImage(0)) > 50);
        QVERIFY(OpaquePixels(ReportTypeImage(1)) > 50);
        QVERIFY(ReportTypeImage(0) != ReportTypeImage(1));
        QVERIFY(AllTransparent(ReportTypeImage(2)));
    }

    void ballsAreKeyedOnMagenta() {
        for (int s = 0; s < BallImageCount; ++s) {
            const QImage ball = BallImage(s);
            QCOMPARE(ball.size(), QSize(16, 16));
            QCOMPARE(ball.format(), QImage::Format_RGB888);
            QCOMPARE(ball.pixel(0, 0), Magenta);
            QCOMPARE(ball.pixel(15, 15), Magenta);
            // Pale enough under the number for the teal digits to read.
            const QColor body = QColor::fromRgb(ball.pixel(8, 6));
            QVERIFY(body.rgb() != Magenta);
            QVERIFY(body.lightness() > 180);
        }
        QVERIFY(BallImage(1) != BallImage(2));
        // The one-digit ball keeps to the 12 px its marker text advances.
        for (int s = 0; s < BallImageCount; ++s) {
            const QImage narrow = NarrowBallImage(s);
            QCOMPARE(narrow.size(), QSize(16, 16));
            int right = -1;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    if (narrow.pixel(x, y) != Magenta) right = std::max(right, x);
            QVERIFY(right >= 9 && right <= 11);
            QVERIFY(QColor::fromRgb(narrow.pixel(6, 6)).lightness() > 180);
        }
        QCOMPARE(NarrowBallImage(4).pixel(6, 8), Magenta);
        const QImage none = BallImage(4);
        QCOMPARE(none.size(), QSize(16, 16));
        QCOMPARE(none.pixel(8, 8), Magenta);
    }

    void checkFlag() {
        const QImage flag = CheckFlagImage();
        QCOMPARE(flag.size(), QSize(14, 11));
        QCOMPARE(flag.format(), QImage::Format_RGB888);
        QCOMPARE(flag.pixel(0, 0), Magenta);
        int drawn = 0;
        for (int y = 0; y < flag.height(); ++y)
            for (int x = 0; x < flag.width(); ++x)
                if (flag.pixel(x, y) != Magenta) ++drawn;
        QVERIFY(drawn > 15);
    }
};

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"
