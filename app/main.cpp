#include "AppStart.h"
#include "BibGlobe.h"
#include "TApplication.h"
#include "wnMain.h"
#include "wnSplash.h"

int main(int argc, char** argv) {
    // Errors that escape an event handler are shown to the user and the reader goes on.
    orvane::TApplication app(argc, argv);
    orvane::PrepareApplication();          // fonts, embedded scripture, daily verses
    orvane::TBibGlobe::PreloadScripture(); // decompresses while the splash plays
    // The splash draws the day's verse and runs its transition before the main window exists;
    // it is freed once the main window has been created, whatever happens there.
    auto splash = orvane::ShowSplash();
    orvane::TfmMain main;
    splash.reset();
    main.show();
    return QApplication::exec();
}
