#include "SplashPicture.h"

#include "GbkBridge.h"
#include "IniFileX.h"
#include "SettingsKeys.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

static void InitSplashResources() {
    Q_INIT_RESOURCE(splash);
}

namespace orvane {

QImage BuiltInSplashPicture() {
    static const bool ready = (InitSplashResources(), true);
    Q_UNUSED(ready);
    QImage picture(QStringLiteral(":/splash/SPLASH"));
    if (picture.isNull()) {
        picture = QImage(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
        picture.fill(QColor(28, 42, 96));
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage FitSplashPicture(const QImage& picture) {
    const QSize size(kSplashWidth, kSplashHeight);
    if (picture.size() == size) return picture.convertToFormat(QImage::Format_RGB32);
    const QImage scaled =
        picture.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled
        .copy((scaled.width() - size.width()) / 2, (scaled.height() - size.height()) / 2,
              size.width(), size.height())
        .convertToFormat(QImage::Format_RGB32);
}

QImage LoadSplashPicture(const QImage& builtIn) {
    const std::string name = TInifileX().ReadString(settings::kMain, settings::kSplashPicture);
    if (name.empty()) return builtIn;
    const QString path = FromGbk(name);
    if (!QFileInfo(path).isFile()) return builtIn;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true); // a JPEG named "x.bmp" is still a JPEG
    const QImage picture = reader.read();
    if (picture.isNull()) return builtIn;
    return FitSplashPicture(picture);
}

namespace {

bool IsClosingMark(QChar c) {
    static const QString marks = QStringLiteral("，。、；：！？）》」』”’,.;:!?)");
    return marks.contains(c);
}

// Units that must stay together: one Chinese character, an ASCII word, or the whole
// parenthesised reference.
QStringList Units(const QString& text) {
    QStringList units;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i + 1;
        if (text[i] == u'(') {
            const qsizetype close = text.indexOf(u')', i);
            end = close < 0 ? text.size() : close + 1;
        } else if (text[i].unicode() < 0x80 && !text[i].isSpace()) {
            while (end < text.size() && text[end].unicode() < 0x80 && !text[end].isSpace() &&
                   text[end] != u'(')
                ++end;
        } else if (text[i].isHighSurrogate() && end < text.size()) {
            ++end;
        }
        units << text.mid(i, end - i);
        i = end;
    }
    return units;
}

} // namespace

QStringList BreakVerse(const QString& verse, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& unit : Units(verse)) {
        const bool hangs = unit.size() == 1 && IsClosingMark(unit[0]);
        if (line.isEmpty() || hangs || metrics.horizontalAdvance(line + unit) <= width) {
            line += unit;
        } else {
            lines << line;
            line = unit.trimmed();
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

void DrawDailyVerse(QImage& picture, const QString& verse) {
    if (verse.isEmpty() || picture.isNull()) return;
    constexpr int left = 28, lineStep = 14;
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias); // crisp yellow strokes, as on the old splash
    const QFontMetrics metrics(font);
    const QStringList lines = BreakVerse(verse, metrics, picture.width() - 2 * left);
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(kVerseColor));
    int top = picture.height() - 16 - lineStep * int(lines.size() - 1);
    for (const QString& line : lines) {
        painter.drawText(left, top + metrics.ascent(), line);
        top += lineStep;
    }
}

QImage GrabScreenArea(const QRect& area) {
    // Platforms without a desktop hand back black or stale pixels, not a picture of anything.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return {};
    QScreen* screen = QGuiApplication::screenAt(area.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QPoint at = area.topLeft() - screen->geometry().topLeft();
    const QPixmap shot = screen->grabWindow(0, at.x(), at.y(), area.width(), area.height());
    if (shot.isNull()) return {};
    QImage image = shot.toImage().convertToFormat(QImage::Format_RGB32);
    // Device pixels on a scaled screen: bring them back to the form's logical size.
    if (image.size() != area.size()) image = image.scaled(area.size());
    return image;
}

QImage ComposeOverDesktop(const QImage& desktop, const QColor& background, const QImage& picture) {
    QImage out;
    if (desktop.isNull()) {
        out = QImage(picture.size(), QImage::Format_RGB32);
        out.fill(background);
    } else {
        out = desktop.convertToFormat(QImage::Format_RGB32);
    }
    const QImage pic = picture.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(out.width(), pic.width()), h = std::min(out.height(), pic.height());
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(pic.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            if ((in[x] | 0xFF000000u) != kSplashTransparent) dst[x] = in[x];
    }
    return out;
}

} // namespace orvane
