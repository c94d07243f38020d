#include "PicShow.h"

#include "AnimateThread.h"
#include "Effects.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace orvane {

TCustomPicShow::TCustomPicShow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
    // The active window border of the usual desktop look.
    frameColor_ = QColor(180, 180, 180);
}

TCustomPicShow::~TCustomPicShow() {
    destroying_ = true;
    Stop();
    StopThread();
    WakeWait();
}

// ---- properties -------------------------------------------------------------------------------

void TCustomPicShow::SetPicture(const QImage& picture) {
    picture_ = picture;
    emit changed();
}

void TCustomPicShow::SetBgPicture(const QImage& picture) {
    bgPicture_ = picture;
    if (busy_ && oldFromBackground_) {
        const QImage old = RenderOldFromBackground(displayRect_, picRect_.size());
        QMutexLocker locker(&lock_);
        oldPic_ = old;
        BuildFrame();
    }
    update();
}

void TCustomPicShow::SetBgMode(TBgMode mode) {
    if (mode == bgMode_) return;
    bgMode_ = mode;
    SetBgPicture(bgPicture_);
}

int TCustomPicShow::Style() const {
    QMutexLocker locker(&lock_);
    return style_;
}

void TCustomPicShow::SetStyle(int style) {
    if (style < 0 || style > kEffectCount) return;
    {
        QMutexLocker locker(&lock_);
        if (style == style_) return;
        style_ = style;
        // A manual show keeps its progress: show the same moment through the new effect.
        if (!busy_ || !manual_ || stopping_) return;
        BuildFrame();
    }
    RedrawFrame();
}

QString TCustomPicShow::StyleName() const {
    const int style = Style();
    return style == 0 ? QStringLiteral("Custom") : EffectName(style);
}

void TCustomPicShow::SetStyleName(const QString& name) {
    if (name.compare(QLatin1String("Custom"), Qt::CaseInsensitive) == 0) {
        SetStyle(0);
        return;
    }
    if (const int style = FindEffect(name)) SetStyle(style);
}

void TCustomPicShow::SetStep(int step) {
    step_ = std::clamp(step, 1, 100);
}

void TCustomPicShow::SetThreadPriority(QThread::Priority priority) {
    priority_ = priority;
    if (thread_) thread_->setPriority(priority);
}

void TCustomPicShow::SetManual(bool manual) {
    if (manual == manual_) return;
    manual_ = manual;
    StopThread();
    WakeWait();
    if (!busy_)
        progress_ = reverse_ ? 100 : 0;
    else if (!manual && !stopping_)
        Animate();
}

void TCustomPicShow::SetCenter(bool on) {
    center_ = on;
    UpdateDisplayRect();
}

void TCustomPicShow::SetStretch(bool on) {
    stretch_ = on;
    UpdateDisplayRect();
}

void TCustomPicShow::SetProportional(bool on) {
    proportional_ = on;
    UpdateDisplayRect();
}

void TCustomPicShow::SetFrameColor(const QColor& color) {
    frameColor_ = color;
    update();
}

void TCustomPicShow::SetFrameWidth(int width) {
    frameWidth_ = std::max(width, 0);
    UpdateDisplayRect();
}

QImage TCustomPicShow::Frame() const {
    QMutexLocker locker(&lock_);
    return frame_.copy();
}

// ---- running ----------------------------------------------------------------------------------

void TCustomPicShow::Execute() {
    if (picture_.isNull() || busy_) return;
    busy_ = true;
    try {
        Prepare();
    } catch (...) {
        {
            QMutexLocker locker(&lock_);
            oldPic_ = QImage();
            newPic_ = QImage();
        }
        busy_ = false;
        throw;
    }
    if (!manual_ && !stopping_) Animate();
}

void TCustomPicShow::Prepare() {
    const QSize size = picture_.size();
    const QRect display = ComputeDisplayRect(size);
    QImage old;
    {
        QMutexLocker locker(&lock_);
        if (overDraw_ && !frame_.isNull() && frame_.size() == size) old = frame_;
    }
    const bool fromBackground = old.isNull();
    if (fromBackground) old = RenderOldFromBackground(display, size);

    QImage fresh(size, QImage::Format_RGB32);
    fresh.fill(BackColor());
    {
        QPainter painter(&fresh);
        painter.drawImage(0, 0, picture_);
    }

    {
        QMutexLocker locker(&lock_);
        oldPic_ = old.convertToFormat(QImage::Format_RGB32);
        newPic_ = fresh;
        oldFromBackground_ = fromBackground;
        picRect_ = QRect(QPoint(0, 0), size);
        displayRect_ = display;
        progress_ = reverse_ ? 100 : 0;
        // The first frame is the one the run starts from: the new picture when running
        // backwards, so that it does not flash the old picture before its first step.
        BuildFrame();
    }
    repaint();
    emit started(newPic_, oldPic_);
}

void TCustomPicShow::Animate() {
    if (threaded_) {
        thread_ = new TAnimateThread(this, ++threadGeneration_);
        thread_->start(priority_);
    } else {
        RunOnGuiThread();
    }
}

void TCustomPicShow::RunOnGuiThread() {
    const int generation = ++loopGeneration_;
    const QPointer<TCustomPicShow> self(this);
    int step = step_;
    for (;;) {
        qint64 ms = 0;
        const bool more = OneStep(step, ms);
        // A progress handler may have stopped, restarted or even deleted the control.
        if (!self) return;
        if (generation != loopGeneration_ || !busy_) return;
        if (!more || manual_ || stopping_) break;
        if (delay_ >= ms) {
            // Keep the application alive while the frame stands; a timer ends the pause, Stop
            // or SetManual end it early. Anything may happen meanwhile, even our destruction.
            QEventLoop pause;
            QEventLoop* outer = wait_;
            wait_ = &pause;
            QTimer::singleShot(int(delay_ - ms), Qt::PreciseTimer, &pause, &QEventLoop::quit);
            pause.exec();
            if (!self) return;
            wait_ = outer;
            if (generation != loopGeneration_ || !busy_) return; // stopped, or run elsewhere
            if (manual_ || stopping_) break;
            step = step_;
        } else {
            step = NextStep(ms);
        }
    }
    if (!(manual_ && !stopping_)) Finish();
}

bool TCustomPicShow::OneStep(int step, qint64& ms) {
    QElapsedTimer timer;
    timer.start();
    const int p = std::clamp(progress_ + (reverse_ ? -step : step), 0, 100);
    const bool more = reverse_ ? p > 0 : p < 100;
    SetProgress(p); // touches nothing after its signal, which may delete us
    ms = timer.elapsed();
    return more;
}

int TCustomPicShow::NextStep(qint64 ms) const {
    const int delay = delay_;
    if (exactTiming_ && delay > 0 && ms > delay)
        return int(std::clamp<qint64>(step_ * ms / delay, 1, 100));
    return step_;
}

void TCustomPicShow::SetProgress(int progress) {
    if (!busy_) return;
    progress = std::clamp(progress, 0, 100);
    {
        QMutexLocker locker(&lock_);
        if (progress == progress_) return;
        progress_ = progress;
        BuildFrame();
    }
    RedrawFrame();
    emit progressChanged(progress);
}

void TCustomPicShow::BuildFrame() {
    if (oldPic_.isNull() || newPic_.isNull()) return;
    frame_ = oldPic_.copy();
    if (OnBeforeNewFrame) OnBeforeNewFrame(newPic_, frame_);
    const int p = progress_;
    if (p >= 100) {
        frame_ = newPic_.copy();
    } else if (p > 0) {
        if (style_ > 0) {
            const int W = newPic_.width(), H = newPic_.height();
            int X = 0, Y = 0;
            EffectExtent(W, H, p, X, Y);
            EffectProc(style_)(frame_, newPic_, W, p, Y, X, H);
        } else if (OnCustomDraw) {
            OnCustomDraw(newPic_, frame_);
        }
    }
    if (OnAfterNewFrame) OnAfterNewFrame(newPic_, frame_);
}

void TCustomPicShow::RedrawFrame() {
    if (QThread::currentThread() == thread()) {
        repaint(displayRect_);
    } else {
        QMetaObject::invokeMethod(
            this, [this] { repaint(displayRect_); }, Qt::QueuedConnection);
    }
}

void TCustomPicShow::Stop() {
    if (!busy_ || stopping_) return;
    stopping_ = true;
    WakeWait();
    StopThread();
    Finish();
    stopping_ = false;
}

void TCustomPicShow::StopThread() {
    if (!thread_) return;
    thread_->requestInterruption();
    thread_->Wake();
    thread_->wait();
    // Do what the thread's notice would do; the notice itself then finds nothing left to do.
    ThreadDone(threadGeneration_);
}

void TCustomPicShow::ThreadDone(int generation) {
    if (!thread_ || generation != threadGeneration_) return;
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    if (!(manual_ && !stopping_)) Finish();
}

void TCustomPicShow::WakeWait() {
    if (wait_) wait_->quit();
}

void TCustomPicShow::Finish() {
    if (!busy_) return;
    busy_ = false;
    {
        QMutexLocker locker(&lock_);
        oldPic_ = QImage();
        newPic_ = QImage();
    }
    if (destroying_) return;
    if (!stopping_) emit completed();
    emit stopped();
}

void TCustomPicShow::Clear() {
    if (busy_) return;
    {
        QMutexLocker locker(&lock_);
        if (frame_.isNull()) return;
        frame_ = QImage();
    }
    picRect_ = QRect();
    displayRect_ = QRect();
    update();
}

// ---- geometry and painting --------------------------------------------------------------------

QRect TCustomPicShow::ComputeDisplayRect(const QSize& picture) const {
    const int fw = frameWidth_;
    const int aw = std::max(0, width() - 2 * fw), ah = std::max(0, height() - 2 * fw);
    QSize size = picture;
    if (proportional_ && !picture.isEmpty() &&
        (stretch_ || picture.width() > aw || picture.height() > ah))
        size = picture.scaled(aw, ah, Qt::KeepAspectRatio);
    else if (stretch_)
        size = QSize(aw, ah);
    int x = fw, y = fw;
    if (center_) {
        x += (aw - size.width()) / 2;
        y += (ah - size.height()) / 2;
    }
    return QRect(QPoint(x, y), size);
}

void TCustomPicShow::UpdateDisplayRect() {
    if (picRect_.isEmpty()) return;
    displayRect_ = ComputeDisplayRect(picRect_.size());
    update();
}

void TCustomPicShow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdateDisplayRect();
}

QColor TCustomPicShow::BackColor() const {
    return palette().color(backgroundRole());
}

QImage TCustomPicShow::RenderOldFromBackground(const QRect& display, const QSize& picture) const {
    QImage old(picture, QImage::Format_RGB32);
    old.fill(BackColor());
    if (display.isEmpty() || picture.isEmpty()) return old;
    // The background as it lies under the display rectangle, brought to the picture's size.
    QImage under(display.size(), QImage::Format_RGB32);
    under.fill(BackColor());
    {
        QPainter painter(&under);
        painter.translate(-display.topLeft());
        PaintBackground(painter, rect());
    }
    return under.size() == picture ? under : under.scaled(picture);
}

void TCustomPicShow::PaintBackground(QPainter& painter, const QRect& area) const {
    if (bgPicture_.isNull() || bgMode_ == TBgMode::bmNone) {
        painter.fillRect(area, BackColor());
        return;
    }
    switch (bgMode_) {
    case TBgMode::bmTiled: {
        const QRect visible = painter.hasClipping()
                                  ? painter.clipBoundingRect().toAlignedRect().intersected(area)
                                  : area;
        const int tw = bgPicture_.width(), th = bgPicture_.height();
        for (int y = area.top(); y <= area.bottom(); y += th)
            for (int x = area.left(); x <= area.right(); x += tw)
                if (QRect(x, y, tw, th).intersects(visible)) painter.drawImage(x, y, bgPicture_);
        break;
    }
    case TBgMode::bmStretched:
        painter.drawImage(area, bgPicture_);
        break;
    default: { // centred
        const QRect at(area.x() + (area.width() - bgPicture_.width()) / 2,
                       area.y() + (area.height() - bgPicture_.height()) / 2, bgPicture_.width(),
                       bgPicture_.height());
        painter.fillRect(area, BackColor());
        painter.drawImage(at.topLeft(), bgPicture_);
        break;
    }
    }
}

void TCustomPicShow::paintEvent(QPaintEvent* event) {
    if (painting_) return; // a request from inside our own painting
    painting_ = true;
    QPainter painter(this);
    QRegion rest(rect());
    {
        QMutexLocker locker(&lock_);
        if (!frame_.isNull()) {
            painter.drawImage(displayRect_, frame_);
            // The usual request while a show runs: just the frame.
            if (displayRect_.contains(event->rect())) {
                painting_ = false;
                return;
            }
            QRect covered = displayRect_;
            if (frameWidth_ > 0) {
                covered.adjust(-frameWidth_, -frameWidth_, frameWidth_, frameWidth_);
                painter.setClipRegion(QRegion(covered).subtracted(displayRect_));
                painter.fillRect(covered, frameColor_);
            }
            rest = rest.subtracted(covered);
        }
    }
    painter.setClipRegion(rest.intersected(event->region()));
    PaintBackground(painter, rect());
    painting_ = false;
}

void TCustomPicShow::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    emit mouseEntered();
}

void TCustomPicShow::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit mouseLeft();
}

} // namespace orvane
