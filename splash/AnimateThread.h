#pragma once
// The worker that runs a picture show's frame loop off the GUI thread. It moves the progress,
// lets the control build each frame, and sleeps between frames; when it leaves its loop it
// posts a notice to the control, which then lets the thread go and finishes the show.

#include <QSemaphore>
#include <QThread>

namespace orvane {

class TCustomPicShow;

class TAnimateThread : public QThread {
public:
    TAnimateThread(TCustomPicShow* owner, int generation);

    // Ends the pause between two frames early (after requestInterruption, to stop at once).
    void Wake() { wake_.release(); }

protected:
    void run() override;

private:
    TCustomPicShow* owner_;
    int generation_;
    QSemaphore wake_;
};

} // namespace orvane
