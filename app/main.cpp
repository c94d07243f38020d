#include "AppStart.h"
#include "DailyVerses.h"
#include "wnMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::PrepareApplication();
    orvane::PickDailyVerse(); // the splash screen draws it once it exists
    orvane::TfmMain main;
    main.show();
    return QApplication::exec();
}
