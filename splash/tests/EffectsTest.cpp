// The 171 transition routines, checked on small pictures: each ends on the new picture, shows
// only old and new pixels on the way (the fade and the unroll roll excepted), stays inside its
// frame and draws the same frame every time.

#include "Effects.h"
#include "ComplexRegion.h"

#include <QSet>
#include <QtTest>

#include <vector>

using namespace orvane;

namespace {

// Old and new pictures whose colours never coincide and differ from pixel to pixel: the old
// one has no blue and some red, the new one no red and some blue.
QImage OldPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(1 + x * 5 % 250, (y * 7 + x) % 256, 0));
    return image;
}
QImage NewPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(0, (x * 3 + y * 11) % 256, 1 + y * 5 % 250));
    return image;
}

QSet<QRgb> Colours(const QImage& image) {
    QSet<QRgb> set;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            set.insert(image.pixel(x, y));
    return set;
}

constexpr QRgb kGuard = 0xDEADBEEF;
constexpr int kPad = 6; // guard pixels right of each row, and guard rows above and below

// A frame holding the old picture in the middle of a larger buffer of guard pixels, so that
// any write outside the frame is caught afterwards.
struct GuardedFrame {
    std::vector<QRgb> buffer;
    int w, h, stride;
    QImage frame;

    GuardedFrame(const QImage& old) : w(old.width()), h(old.height()), stride(w + kPad) {
        buffer.assign(size_t(stride * (h + 2 * kPad)), kGuard);
        frame = QImage(reinterpret_cast<uchar*>(First()), w, h, stride * 4, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            std::memcpy(frame.scanLine(y), old.constScanLine(y), size_t(w) * 4);
    }
    QRgb* First() { return buffer.data() + stride * kPad; }
    bool GuardsIntact() const {
        for (size_t i = 0; i < buffer.size(); ++i) {
            const int row = int(i) / stride - kPad, col = int(i) % stride;
            const bool inside = row >= 0 && row < h && col < w;
            if (!inside && buffer[i] != kGuard) return false;
        }
        return true;
    }
    // The routine drew into our buffer rather than into an image of its own.
    bool StillOurs() const {
        return frame.constBits() == reinterpret_cast<const uchar*>(buffer.data() + stride * kPad);
    }
};

QImage Run(int style, const QImage& old, const QImage& fresh, int progress,
           bool* guarded = nullptr) {
    GuardedFrame g(old);
    int X = 0, Y = 0;
    const int W = old.width(), H = old.height();
    EffectExtent(W, H, progress, X, Y);
    EffectProc(style)(g.frame, fresh, W, progress, Y, X, H);
    if (guarded) *guarded = g.GuardsIntact() && g.StillOurs();
    return g.frame.copy();
}

// Columns (or rows) that hold a pixel of neither picture.
QSet<int> ForeignLines(const QImage& frame, const QSet<QRgb>& allowed, bool columns) {
    QSet<int> lines;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (!allowed.contains(frame.pixel(x, y))) lines.insert(columns ? x : y);
    return lines;
}

} // namespace

class EffectsTest : public QObject {
    Q_OBJECT
private slots:
    void nameTable();
    void extentKeepsProportions();
    void everyStyle_data();
    void everyStyle();
    void tinyPictures();
    void fadeBlendsEveryChannel();
    void unrollDarkensOnlyItsRoll();
    void dissolvesKeepWhatTheyShowed();
    void complexRegion();
};

void EffectsTest::nameTable() {
    QCOMPARE(EffectName(1), QStringLiteral("Expand from right"));
    QCOMPARE(EffectName(118), QStringLiteral("Fade"));
    QCOMPARE(EffectName(171), QStringLiteral("Random Bars Vertical"));
    QVERIFY(EffectName(0).isEmpty());
    QVERIFY(EffectName(172).isEmpty());
    for (int s = 1; s <= kEffectCount; ++s) {
        QVERIFY2(EffectProc(s) != nullptr, qPrintable(EffectName(s)));
        QVERIFY(!EffectName(s).isEmpty());
    }
    QVERIFY(EffectProc(0) == nullptr && EffectProc(172) == nullptr);
    // Names match without regard to case; the two names used twice find their first style.
    QCOMPARE(FindEffect(QStringLiteral("dissolve")), 169);
    QCOMPARE(FindEffect(QStringLiteral("EXPAND FROM BOTTOM")), 18);
    QCOMPARE(FindEffect(QStringLiteral("Expand in from top")), 25);
    QCOMPARE(FindEffect(QStringLiteral("Unven shred from bottom")), 76);
    QCOMPARE(FindEffect(QStringLiteral("no such effect")), 0);
}

void EffectsTest::extentKeepsProportions() {
    int X, Y;
    EffectExtent(389, 290, 50, X, Y);
    QCOMPARE(X, 194);
    QCOMPARE(Y, 194 * 290 / 389);
    EffectExtent(30, 40, 50, X, Y); // taller than wide: the height leads
    QCOMPARE(Y, 20);
    QCOMPARE(X, 15);
    EffectExtent(23, 31, 100, X, Y);
    QCOMPARE(X, 23);
    QCOMPARE(Y, 31);
}

void EffectsTest::everyStyle_data() {
    QTest::addColumn<int>("style");
    for (int s = 1; s <= kEffectCount; ++s)
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(s).arg(EffectName(s)))) << s;
}

void EffectsTest::everyStyle() {
    QFETCH(int, style);
    // A wide picture and a tall one with odd sides, where halves and quarters do not divide.
    for (const QSize size : {QSize(40, 30), QSize(23, 31)}) {
        const QImage old = OldPicture(size.width(), size.height());
        const QImage fresh = NewPicture(size.width(), size.height());
        QSet<QRgb> allowed = Colours(old);
        allowed.unite(Colours(fresh));

        bool guarded = false;
        QCOMPARE(Run(style, old, fresh, 100, &guarded), fresh);
        QVERIFY2(guarded, "wrote outside the frame");
        QCOMPARE(Run(style, old, fresh, 0, &guarded), old);
        QVERIFY2(guarded, "wrote outside the frame");

        for (int p : {1, 17, 50, 83, 99}) {
            const QImage frame = Run(style, old, fresh, p, &guarded);
            QVERIFY2(guarded, qPrintable(QStringLiteral("wrote outside the frame at %1").arg(p)));
            QCOMPARE(Run(style, old, fresh, p), frame); // deterministic
            if (EffectMixesColours(style)) continue;
            QVERIFY2(ForeignLines(frame, allowed, true).isEmpty(),
                     qPrintable(QStringLiteral("colour of neither picture at progress %1").arg(p)));
        }
    }
}

void EffectsTest::tinyPictures() {
    // One and two pixels: no division by zero, no stray write, still the new picture at 100.
    for (const QSize size : {QSize(1, 1), QSize(2, 1), QSize(1, 3)}) {
        const QImage old = OldPicture(size.width(), size.height());
        const QImage fresh = NewPicture(size.width(), size.height());
        for (int s = 1; s <= kEffectCount; ++s) {
            bool guarded = false;
            for (int p : {1, 50, 99})
                Run(s, old, fresh, p, &guarded);
            QVERIFY2(guarded, qPrintable(EffectName(s)));
            QVERIFY2(Run(s, old, fresh, 100) == fresh, qPrintable(EffectName(s)));
        }
    }
}

void EffectsTest::fadeBlendsEveryChannel() {
    const QImage old = OldPicture(40, 30), fresh = NewPicture(40, 30);
    const QImage half = Run(118, old, fresh, 50);
    for (const QPoint pt : {QPoint(0, 0), QPoint(17, 9), QPoint(39, 29)}) {
        const QRgb o = old.pixel(pt), n = fresh.pixel(pt), f = half.pixel(pt);
        QCOMPARE(qRed(f), qRed(o) + (qRed(n) - qRed(o)) * 128 / 256);
        QCOMPARE(qGreen(f), qGreen(o) + (qGreen(n) - qGreen(o)) * 128 / 256);
        QCOMPARE(qBlue(f), qBlue(o) + (qBlue(n) - qBlue(o)) * 128 / 256);
    }
}

void EffectsTest::unrollDarkensOnlyItsRoll() {
    // The roll is a twelfth of the side; nothing outside it may change colour (its middle line
    // is not darkened at all).
    const QImage old = OldPicture(48, 36), fresh = NewPicture(48, 36);
    QSet<QRgb> allowed = Colours(old);
    allowed.unite(Colours(fresh));
    for (int style : {14, 15, 31, 32}) {
        const bool across = style == 14 || style == 15;
        const QSet<int> lines = ForeignLines(Run(style, old, fresh, 40), allowed, across);
        QVERIFY2(!lines.isEmpty(), "the roll is shaded");
        const int span = *std::max_element(lines.begin(), lines.end()) -
                         *std::min_element(lines.begin(), lines.end()) + 1;
        QVERIFY2(span <= (across ? 48 : 36) / 12, qPrintable(EffectName(style)));
    }
}

void EffectsTest::dissolvesKeepWhatTheyShowed() {
    const QImage old = OldPicture(40, 30), fresh = NewPicture(40, 30);
    for (int style : {169, 170, 171}) {
        const QImage early = Run(style, old, fresh, 30), late = Run(style, old, fresh, 60);
        int shownEarly = 0, shownLate = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool e = early.pixel(x, y) == fresh.pixel(x, y);
                const bool l = late.pixel(x, y) == fresh.pixel(x, y);
                QVERIFY2(!e || l, qPrintable(EffectName(style)));
                shownEarly += e;
                shownLate += l;
            }
        QVERIFY(shownEarly > 0 && shownLate > shownEarly && shownLate < 40 * 30);
    }
}

void EffectsTest::complexRegion() {
    TComplexRegion region;
    QVERIFY(region.CreateRegion().isEmpty());
    QVERIFY(region.Bounds().isEmpty());
    region.AddRect(5, 5, 5, 9); // empty: ignored
    QCOMPARE(region.Count(), 0);
    region.AddRect(0, 0, 10, 10);
    region.AddRect(20, 5, 30, 15);
    QCOMPARE(region.Bounds(), QRect(0, 0, 30, 15));
    const QRegion r = region.CreateRegion();
    QVERIFY(r.contains(QPoint(9, 9)) && !r.contains(QPoint(10, 9)));
    QVERIFY(r.contains(QPoint(29, 14)) && !r.contains(QPoint(15, 5)));

    // Many scattered cells, beyond the first block of storage: all end up in one region.
    region.Clear();
    QVERIFY(region.Bounds().isEmpty());
    for (int i = 0; i < 1200; ++i)
        region.AddRect((i % 40) * 4, (i / 40) * 4, (i % 40) * 4 + 2, (i / 40) * 4 + 2);
    QCOMPARE(region.Count(), 1200);
    const QRegion cells = region.CreateRegion();
    QCOMPARE(cells.boundingRect(), QRect(0, 0, 158, 118));
    QVERIFY(cells.contains(QPoint(157, 117)) && !cells.contains(QPoint(2, 2)));
    qint64 area = 0;
    for (const QRect& rc : cells)
        area += qint64(rc.width()) * rc.height();
    QCOMPARE(area, qint64(1200 * 4));
}

QTEST_GUILESS_MAIN(EffectsTest)
#include "EffectsTest.moc"
