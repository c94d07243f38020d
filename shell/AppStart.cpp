#include "AppStart.h"

#include "DailyVerses.h"
#include "EmbeddedResources.h"
#include "Faces.h"

#include <QFont>
#include <QGuiApplication>

namespace orvane {

void PrepareApplication() {
    SubstituteFaces();
    // Lets desktops match the running reader to its installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvane"));
    RegisterEmbeddedResources();
    LoadDailyVerses();
}

} // namespace orvane
