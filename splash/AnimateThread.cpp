#include "AnimateThread.h"

#include "PicShow.h"

namespace orvane {

TAnimateThread::TAnimateThread(TCustomPicShow* owner, int generation)
    : owner_(owner), generation_(generation) {}

void TAnimateThread::run() {
    int step = owner_->step_;
    while (!isInterruptionRequested()) {
        qint64 ms = 0;
        const bool more = owner_->OneStep(step, ms);
        if (!more || owner_->manual_ || owner_->stopping_) break;
        const int delay = owner_->delay_;
        if (delay >= ms) {
            wake_.tryAcquire(1, int(delay - ms));
            step = owner_->step_;
        } else {
            step = owner_->NextStep(ms);
        }
    }
    // The owner waits for this thread before it goes away, so it is alive here; the notice is
    // dropped if it has gone by the time the GUI thread gets to it.
    TCustomPicShow* owner = owner_;
    const int generation = generation_;
    QMetaObject::invokeMethod(
        owner, [owner, generation] { owner->ThreadDone(generation); }, Qt::QueuedConnection);
}

} // namespace orvane
