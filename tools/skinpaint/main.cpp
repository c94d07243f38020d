// Paints the skin pictures and the window icon into the folder given on the command line:
// LIGHT.png, RED.png, BLACK.png (142 x 60, 24-bit, magenta where transparent) and
// ICON16/32/48/256.png (32-bit with alpha). Everything is drawn from fixed numbers, so the output
// is the same on every run.
//
//   orvane-skinpaint OUTDIR [--preview PREFIX]
//
// With --preview it also writes enlarged contact sheets and mock windows under PREFIX.

#include "IconArt.h"
#include "Preview.h"
#include "SkinArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: orvane-skinpaint OUTDIR [--preview PREFIX]\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "orvane-skinpaint: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    using namespace skinpaint;
    const QImage skins[3] = {PaintSkin(LightPalette()), PaintSkin(RedPalette()),
                             PaintSkin(BlackPalette())};
    const char* const skinNames[3] = {"LIGHT.png", "RED.png", "BLACK.png"};
    const int iconSizes[4] = {16, 32, 48, 256};
    QImage icons[4];
    for (int i = 0; i < 4; ++i)
        icons[i] = PaintIcon(iconSizes[i]);

    bool ok = true;
    for (int i = 0; i < 3; ++i)
        ok = skins[i].save(out.filePath(skinNames[i]), "PNG") && ok;
    for (int i = 0; i < 4; ++i)
        ok = icons[i].save(out.filePath(QStringLiteral("ICON%1.png").arg(iconSizes[i])), "PNG") &&
             ok;
    if (!ok) {
        std::fprintf(stderr, "orvane-skinpaint: cannot write into %s\n", qPrintable(out.path()));
        return 1;
    }

    const int preview = args.indexOf(QStringLiteral("--preview"));
    if (preview > 0 && preview + 1 < args.size()) WritePreviews(args[preview + 1], skins, icons);
    return 0;
}
