// The splash form and its picture: the built-in picture and its transparent white, the
// settings' picture file and its fallback, the daily verse and the whole start-up sequence.

#include "AppPaths.h"
#include "DailyVerses.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "PicShow.h"
#include "SettingsKeys.h"
#include "SplashPicture.h"
#include "TestSupport.h"
#include "wnSplash.h"

#include <QFont>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvane;

namespace {

const QString kShortVerse = QStringLiteral("起初神创造天地。(创 1:1)");
const QString kLongVerse = QStringLiteral(
    "神爱世人，甚至将他的独生子赐给他们，叫一切信他的，不至灭亡，反得永生。(约 3:16)");

QRect YellowBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kVerseColor) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage Dark() {
    QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
    image.fill(QColor(8, 10, 28));
    return image;
}

} // namespace

class SplashTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void builtInPicture();
    void pictureFileFromSettings();
    void verseInYellowAtItsPlace();
    void longVerseWrapsUpwards();
    void composeKeepsTheDesktopWhereWhite();
    void splashSequence();
    void unreadablePictureShowsBuiltInOne();

private:
    QTemporaryDir dir_;
    void SetPictureSetting(const QString& path) {
        TInifileX().WriteString(settings::kMain, settings::kSplashPicture, ToGbk(path));
    }
};

void SplashTest::initTestCase() {
    orvane::test::PrepareFonts();
    QVERIFY(dir_.isValid());
    // The settings file lies beside the "executable": here, in the temporary folder.
    SetExecutablePath(dir_.filePath(QStringLiteral("orvane")).toStdString());
    DailyVerses() = {ToGbk(kShortVerse)};
}

void SplashTest::init() {
    QFile::remove(QString::fromStdString(TInifileX().FileName()));
}

void SplashTest::builtInPicture() {
    const QImage picture = BuiltInSplashPicture();
    QCOMPARE(picture.size(), QSize(kSplashWidth, kSplashHeight));
    // White shows the desktop outside the rounded card; the card itself holds no pure white.
    QCOMPARE(picture.pixel(0, 0), kSplashTransparent);
    QCOMPARE(picture.pixel(kSplashWidth - 1, kSplashHeight - 1), kSplashTransparent);
    QCOMPARE(picture.pixel(30, 5), kSplashTransparent);
    int white = 0;
    for (int y = 40; y < kSplashHeight - 20; ++y)
        for (int x = 20; x < kSplashWidth - 20; ++x)
            white += picture.pixel(x, y) == kSplashTransparent;
    QCOMPARE(white, 0);
    // The verse band near the bottom is dark, so yellow reads well on it.
    const QColor band = picture.pixelColor(kSplashWidth / 2, kSplashHeight - 10);
    QVERIFY(band.lightness() < 60);
}

void SplashTest::pictureFileFromSettings() {
    const QImage builtIn = BuiltInSplashPicture();
    QCOMPARE(LoadSplashPicture(builtIn), builtIn); // no setting

    SetPictureSetting(dir_.filePath(QStringLiteral("missing.jpg")));
    QCOMPARE(LoadSplashPicture(builtIn), builtIn);

    // A JPEG of another size is used, brought to the splash size.
    QImage photo(800, 500, QImage::Format_RGB32);
    photo.fill(QColor(200, 60, 40));
    const QString jpeg = dir_.filePath(QStringLiteral("照片.jpg")); // a Chinese file name
    QVERIFY(photo.save(jpeg, "JPEG"));
    SetPictureSetting(jpeg);
    const QImage loaded = LoadSplashPicture(builtIn);
    QCOMPARE(loaded.size(), QSize(kSplashWidth, kSplashHeight));
    const QColor middle = loaded.pixelColor(kSplashWidth / 2, kSplashHeight / 2);
    QVERIFY(qAbs(middle.red() - 200) < 8 && qAbs(middle.green() - 60) < 8);
}

void SplashTest::verseInYellowAtItsPlace() {
    QImage picture = Dark();
    DrawDailyVerse(picture, kShortVerse);
    const QRect text = YellowBounds(picture);
    const int top = kSplashHeight - 16;
    QVERIFY2(text.left() >= 28 && text.left() <= 30, qPrintable(QString::number(text.left())));
    QVERIFY2(text.top() >= top && text.bottom() < top + 13,
             qPrintable(QStringLiteral("%1..%2").arg(text.top()).arg(text.bottom())));
    const int width = QFontMetrics([] {
                          QFont f(QStringLiteral("宋体"));
                          f.setPixelSize(12);
                          return f;
                      }())
                          .horizontalAdvance(kShortVerse);
    QVERIFY(text.right() < 28 + width);
    QVERIFY(text.right() > 28 + width - 20);
}

void SplashTest::longVerseWrapsUpwards() {
    QImage picture = Dark();
    DrawDailyVerse(picture, kLongVerse);
    const QRect text = YellowBounds(picture);
    // Two lines, the last one at the usual place, none running off the card.
    QVERIFY(text.top() >= kSplashHeight - 16 - 14 && text.top() < kSplashHeight - 16);
    QVERIFY(text.bottom() < kSplashHeight - 16 + 13);
    QVERIFY2(text.right() < kSplashWidth - 16, qPrintable(QString::number(text.right())));

    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    const QStringList lines = BreakVerse(kLongVerse, QFontMetrics(font), kSplashWidth - 56);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.join(QString()), kLongVerse);
    QVERIFY(lines.last().endsWith(QStringLiteral("(约 3:16)"))); // the reference stays whole
    // A line never starts with a closing mark.
    const QStringList narrow = BreakVerse(kLongVerse, QFontMetrics(font), 5 * 12);
    for (const QString& line : narrow)
        QVERIFY2(!line.startsWith(u'，') && !line.startsWith(u'。'), qPrintable(line));
    QCOMPARE(narrow.join(QString()), kLongVerse);
}

void SplashTest::composeKeepsTheDesktopWhereWhite() {
    QImage desktop(4, 1, QImage::Format_RGB32);
    desktop.fill(Qt::blue);
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, kSplashTransparent);
    picture.setPixel(1, 0, qRgb(254, 255, 255)); // nearly white is a colour of its own
    picture.setPixel(2, 0, qRgb(1, 2, 3));
    picture.setPixel(3, 0, kSplashTransparent);
    const QImage out = ComposeOverDesktop(desktop, Qt::gray, picture);
    QCOMPARE(out.pixel(0, 0), QColor(Qt::blue).rgb());
    QCOMPARE(out.pixel(1, 0), qRgb(254, 255, 255));
    QCOMPARE(out.pixel(2, 0), qRgb(1, 2, 3));
    // Without a desktop copy the given colour shows instead.
    QCOMPARE(ComposeOverDesktop(QImage(), Qt::gray, picture).pixel(3, 0), QColor(Qt::gray).rgb());
}

void SplashTest::splashSequence() {
    DailyVerseIndex() = -1;
    const std::unique_ptr<TfmSplash> splash = ShowSplash();
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->size(), QSize(kSplashWidth, kSplashHeight));
    QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);

    TPicShow* show = splash->PicShow();
    QVERIFY(show);
    QCOMPARE(show->geometry(), splash->rect());
    QVERIFY(show->Style() >= 1 && show->Style() <= 171);
    QCOMPARE(show->Step(), 6);
    QCOMPARE(show->Delay(), 30);
    QVERIFY(!show->Threaded());
    QVERIFY(show->BgMode() == TBgMode::bmCentered);
    QVERIFY(!show->Busy()); // ran to its end before ShowSplash returned
    QCOMPARE(show->Frame(), show->Picture());
    QCOMPARE(DailyVerseIndex(), 0);

    // Where the desktop cannot be copied (as here), the form's colour fills the white corners;
    // the verse is on the picture.
    const QImage shown = splash->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor formColour = splash->palette().color(QPalette::Window);
    QCOMPARE(shown.pixelColor(0, 0), formColour);
    QCOMPARE(shown.pixel(200, 150), splash->SplashPicture().pixel(200, 150));
    QVERIFY(YellowBounds(shown).left() >= 28);
    QCOMPARE(YellowBounds(shown).bottom() / 4, (kSplashHeight - 16 + 10) / 4);
}

void SplashTest::unreadablePictureShowsBuiltInOne() {
    const QString broken = dir_.filePath(QStringLiteral("broken.jpg"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is no picture at all");
    file.close();
    SetPictureSetting(broken);

    TfmSplash splash;
    splash.RunShow();
    // Above the verse band the picture is the built-in one, pixel for pixel.
    const QImage built = splash.Image1();
    const QImage used = splash.SplashPicture();
    QCOMPARE(used.copy(0, 0, kSplashWidth, 200), built.copy(0, 0, kSplashWidth, 200));
    QCOMPARE(splash.PicShow()->Frame().pixel(194, 150), built.pixel(194, 150));
}

QTEST_MAIN(SplashTest)
#include "SplashTest.moc"
