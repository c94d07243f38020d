// Where the main window and its splitters stood at the last close, brought back at the start.
// Nothing kept, or nothing readable, leaves the first placement: 820 x 409 at (52, 202).
#include "wnMain.h"

#include "IniFileX.h"
#include "SettingsKeys.h"
#include "WindowPlacement.h"
#include "wnBook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace orvane {
namespace {

QRect AvailableRoom(const QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// How long a window manager takes to frame a new window, generously.
constexpr int kFrameSettleMs = 400;

} // namespace

void TfmMain::FitFrameIntoScreen() {
    if (isMaximized() || isMinimized() || isFullScreen() || !isVisible()) return;
    const QRect room = AvailableRoom(this);
    if (!room.isValid()) return;
    const QRect outer = frameGeometry();
    const QSize over(std::max(0, outer.width() - room.width()),
                     std::max(0, outer.height() - room.height()));
    if (over.width() > 0 || over.height() > 0) resize(size() - over);
    KeepOnScreen();
}

void TfmMain::RestorePlacement() {
    std::string rectText;
    bool maximized = false;
    try {
        TInifileX ini;
        rectText = ini.ReadString(settings::kMain, settings::kWindowRect, "");
        maximized = ini.ReadBool(settings::kMain, settings::kWindowMaximized, false);
    } catch (const std::exception&) {
        return; // unreadable settings: the first placement stands
    }
    if (const auto rect = ParseWindowRect(rectText)) {
        // On a smaller screen than the one it was closed on, the whole window still shows.
        const QRect fit = FitRectInto(*rect, AvailableRoom(this));
        resize(fit.size());
        PlaceOnScreen(fit.topLeft());
        // The window manager's frame comes on top of that size; once it is there, a window
        // that filled the screen is made as much smaller again.
        QTimer::singleShot(kFrameSettleMs, this, &TfmMain::FitFrameIntoScreen);
    }
    if (maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfmMain::RestoreSplits() {
    std::string left, bottom;
    try {
        TInifileX ini;
        left = ini.ReadString(settings::kMain, settings::kSplitLeft, "");
        bottom = ini.ReadString(settings::kMain, settings::kSplitBottom, "");
    } catch (const std::exception&) {
        return;
    }
    // Sizes beyond any screen are a damaged file, not a wish.
    constexpr int kLimit = 100000;
    if (const auto width = ParseSplitSize(left, kLimit)) fmBook->SetTreeWidth(*width);
    if (const auto height = ParseSplitSize(bottom, kLimit)) fmBook->SetBottomPaneHeight(*height);
}

void TfmMain::SavePlacement(TInifileX& ini) {
    const bool maximized = isMaximized();
    ini.WriteBool(settings::kMain, settings::kWindowMaximized, maximized);
    // A maximised or minimised window's rectangle is the screen's or nothing: the one kept is
    // from the last time it stood on its own.
    if (!maximized && !isMinimized() && !isFullScreen())
        ini.WriteString(settings::kMain, settings::kWindowRect,
                        FormatWindowRect(QRect(frameGeometry().topLeft(), size())));
    if (fmBook && fmBook->isVisible()) {
        ini.WriteInteger(settings::kMain, settings::kSplitLeft, fmBook->TreeWidth());
        ini.WriteInteger(settings::kMain, settings::kSplitBottom, fmBook->BottomPaneHeight());
    }
}

} // namespace orvane
