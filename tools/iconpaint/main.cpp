// orvane-iconpaint OUTDIR [--preview FILE]
//
// Paints the reading window's pictures into OUTDIR: TOOLS.png (the tool strip, image i at
// x = 16 i), REPORTTYPE.png (the two tree images), BALL.png (one marker ball per skin, magenta
// keyed), NARROWBALL.png (the same balls for one-digit numbers) and CHECKFLAG.png (the marked-row
// check, magenta keyed). With --preview it also writes an enlarged sheet of all of them for
// inspection.
#include "IconKit.h"
#include "Icons.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

namespace {

// Lays images side by side on a transparent strip, each in its own 16-px slot.
QImage Strip(int count, QImage (*paint)(int), QImage::Format format, const QColor& ground) {
    QImage strip(16 * count, 16, format);
    strip.fill(ground);
    QPainter p(&strip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < count; ++i)
        p.drawImage(16 * i, 0, paint(i));
    return strip;
}

bool Save(const QImage& img, const QString& dir, const char* name) {
    const QString path = dir + "/" + name;
    if (img.save(path, "PNG")) return true;
    std::fprintf(stderr, "orvane-iconpaint: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvane-iconpaint OUTDIR [--preview FILE]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "orvane-iconpaint: cannot create %s\n", argv[1]);
        return 1;
    }
    using namespace iconpaint;
    // Straight (non-premultiplied) alpha is what PNG stores, so the strips are built in it.
    const QImage tools = Strip(ToolCount, ToolIcon, QImage::Format_ARGB32, Qt::transparent);
    const QImage report = Strip(2, ReportTypeIcon, QImage::Format_ARGB32, Qt::transparent);
    const QImage balls = Strip(4, MarkerBall, QImage::Format_RGB888, Magenta);
    const QImage narrowBalls = Strip(4, NarrowMarkerBall, QImage::Format_RGB888, Magenta);
    bool ok = Save(tools, out, "TOOLS.png");
    ok = Save(report, out, "REPORTTYPE.png") && ok;
    ok = Save(balls, out, "BALL.png") && ok;
    ok = Save(narrowBalls, out, "NARROWBALL.png") && ok;
    ok = Save(CheckFlag(), out, "CHECKFLAG.png") && ok;
    if (argc >= 4 && QString::fromLatin1(argv[2]) == "--preview")
        ok = WritePreview(QString::fromLocal8Bit(argv[3])) && ok;
    return ok ? 0 : 1;
}
