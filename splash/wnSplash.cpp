#include "wnSplash.h"

#include "DailyVerses.h"
#include "Effects.h"
#include "GbkBridge.h"
#include "PicShow.h"
#include "SplashPicture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScreen>

namespace orvane {

TfmSplash::TfmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      image1_(BuiltInSplashPicture()) {
    setObjectName(QStringLiteral("fmSplash"));
    setFixedSize(kSplashWidth, kSplashHeight);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);
    // Where the form was designed to stand, on the screen the program starts on.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    move(origin + QPoint(109, 169));
}

TfmSplash::~TfmSplash() {
    delete picShow_;
}

void TfmSplash::PrepareShow() {
    if (picShow_) return;
    picShow_ = new TPicShow(this);
    picShow_->setGeometry(rect());
    picShow_->SetBgMode(TBgMode::bmCentered);
    picShow_->SetDelay(30);
    picShow_->SetThreaded(false);
    picShow_->SetStep(6);

    // The desktop under the form, taken before the form covers it. Where the platform cannot
    // grab the screen the form's own colour stands in for it.
    const QImage desktop = GrabScreenArea(QRect(pos(), size()));
    if (!desktop.isNull()) {
        picShow_->SetBgPicture(desktop);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, desktop.pixelColor(0, 0));
        setPalette(pal);
    }

    picShow_->SetStyle(QRandomGenerator::global()->bounded(1, kEffectCount + 1));

    splash_ = LoadSplashPicture(image1_);
    if (!DailyVerses().empty()) DrawDailyVerse(splash_, FromGbk(PickDailyVerse()));

    picShow_->SetPicture(ComposeOverDesktop(desktop, palette().color(QPalette::Window), splash_));
}

void TfmSplash::RunShow() {
    PrepareShow();
    show();
    QCoreApplication::processEvents(); // let it paint before the first frame
    picShow_->Execute();
}

std::unique_ptr<TfmSplash> ShowSplash() {
    auto splash = std::make_unique<TfmSplash>();
    splash->RunShow();
    return splash;
}

} // namespace orvane
