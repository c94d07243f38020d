#pragma once
// The splash form: the start-up picture comes up over the desktop through a random transition,
// with the daily verse written near its lower edge. It stays while the main window is built.

#include <QImage>
#include <QWidget>

#include <memory>

namespace orvane {

class TPicShow;

class TfmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfmSplash(QWidget* parent = nullptr);
    ~TfmSplash() override;

    // The transition control covering the form; null until PrepareShow.
    TPicShow* PicShow() const { return picShow_; }
    // The built-in picture.
    const QImage& Image1() const { return image1_; }
    // The splash picture before it was laid over the desktop (verse included).
    const QImage& SplashPicture() const { return splash_; }

    // Creates the transition control, takes the desktop under the form as its background,
    // picks a random effect, loads the picture (the settings' file or the built-in one), writes
    // a randomly picked daily verse on it and lays it over the desktop copy.
    void PrepareShow();
    // Prepares the show unless that was done, shows the form and runs the transition to its
    // end (on the GUI thread, about half a second), processing events between frames.
    void RunShow();

private:
    QImage image1_;
    QImage splash_;
    TPicShow* picShow_ = nullptr;
};

// The whole start-up sequence: create, prepare and run the splash. The caller keeps the form
// while it builds the main window and then lets it go.
std::unique_ptr<TfmSplash> ShowSplash();

} // namespace orvane
