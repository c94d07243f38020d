// Writes the built-in splash picture (389 x 290, 24-bit PNG, pure white where transparent):
//
//   orvane-splashpaint OUT.png [--preview PREVIEW.png]
//
// Everything is drawn from fixed numbers, so the output is the same on every run.

#include "SplashArt.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: orvane-splashpaint OUT.png [--preview PREVIEW.png]\n");
        return 2;
    }
    const QImage splash = splashpaint::PaintSplash();
    if (!splash.save(args[1], "PNG")) {
        std::fprintf(stderr, "orvane-splashpaint: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    const int preview = args.indexOf(QStringLiteral("--preview"));
    if (preview > 0 && preview + 1 < args.size())
        splashpaint::PreviewOverDesktop(splash).save(args[preview + 1], "PNG");
    return 0;
}
