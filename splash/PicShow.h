#pragma once
// The picture show: a control that blends from a background (or the picture it shows now) to a
// new picture frame by frame, through one of 171 transition effects.
//
// Execute prepares the old and the new picture and runs the animation, either on the GUI thread
// (processing events between frames, so the window stays alive) or on a worker thread that
// builds the frames and asks the GUI thread to paint them. In manual mode the caller sets the
// progress itself. The frame, the style and the progress are guarded by a mutex because the
// worker thread builds frames while the GUI thread paints them and may change the style.
// Everything but the frame hooks and progressChanged happens on the GUI thread: call Execute,
// Stop, SetManual and the setters from there.

#include <QColor>
#include <QImage>
#include <QMutex>
#include <QThread>
#include <QWidget>

#include <atomic>
#include <functional>

class QEventLoop;

namespace orvane {

enum class TBgMode { bmNone, bmTiled, bmStretched, bmCentered };

class TAnimateThread;

class TCustomPicShow : public QWidget {
    Q_OBJECT
public:
    // Frame hooks, called on the thread that builds the frame (the worker thread when
    // Threaded) while the frame lock is held: draw into `frame`, but do not call back into the
    // control. OnCustomDraw draws the frames of style 0.
    using TFrameHook = std::function<void(const QImage& newPic, QImage& frame)>;
    TFrameHook OnBeforeNewFrame;
    TFrameHook OnAfterNewFrame;
    TFrameHook OnCustomDraw;

    explicit TCustomPicShow(QWidget* parent = nullptr);
    ~TCustomPicShow() override;

    // Does nothing without a picture or while busy. A preparation that throws leaves the
    // control idle and passes the error on.
    virtual void Execute();
    virtual void Stop();
    // Drops the shown frame (when idle).
    virtual void Clear();

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    const QImage& BgPicture() const { return bgPicture_; }
    void SetBgPicture(const QImage& picture);
    TBgMode BgMode() const { return bgMode_; }
    void SetBgMode(TBgMode mode);

    // 0 = custom drawing through OnCustomDraw, 1..171 the effects.
    int Style() const;
    void SetStyle(int style);
    QString StyleName() const;
    void SetStyleName(const QString& name);

    int Step() const { return step_; }
    void SetStep(int step);
    int Delay() const { return delay_; }
    void SetDelay(int ms) { delay_ = std::max(ms, 0); }
    bool ExactTiming() const { return exactTiming_; }
    void SetExactTiming(bool on) { exactTiming_ = on; }
    bool Threaded() const { return threaded_; }
    void SetThreaded(bool on) { threaded_ = on; }
    QThread::Priority ThreadPriority() const { return priority_; }
    void SetThreadPriority(QThread::Priority priority);
    bool Manual() const { return manual_; }
    void SetManual(bool manual);
    bool Reverse() const { return reverse_; }
    void SetReverse(bool reverse) { reverse_ = reverse; }
    bool OverDraw() const { return overDraw_; }
    void SetOverDraw(bool on) { overDraw_ = on; }
    bool Center() const { return center_; }
    void SetCenter(bool on);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool on);
    // Older settings called Proportional "StretchFine".
    void ReadStretchFine(bool on) { SetProportional(on); }
    QColor FrameColor() const { return frameColor_; }
    void SetFrameColor(const QColor& color);
    int FrameWidth() const { return frameWidth_; }
    void SetFrameWidth(int width);

    bool Busy() const { return busy_; }
    bool Stopping() const { return stopping_; }
    int Progress() const { return progress_; }
    // 0..100 (larger values count as 100); only while busy, and only when it changes.
    void SetProgress(int progress);

    // A copy of the shown frame (null when there is none).
    QImage Frame() const;
    QRect PicRect() const { return picRect_; }
    QRect DisplayRect() const { return displayRect_; }

signals:
    void started(const QImage& newPic, const QImage& oldPic);
    void stopped();
    void completed();
    // Emitted on the thread that moved the progress.
    void progressChanged(int progress);
    void changed();
    void mouseEntered();
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    friend class TAnimateThread;

    void Prepare();
    void Animate();
    void RunOnGuiThread();
    // One step of `step` percent; false once the end is reached. `ms` gets the time it took.
    bool OneStep(int step, qint64& ms);
    // The next step after a frame that took `ms` milliseconds.
    int NextStep(qint64 ms) const;
    void BuildFrame(); // with lock_ held
    void RedrawFrame();
    void Finish();
    void StopThread();
    void ThreadDone(int generation);
    void WakeWait();
    QRect ComputeDisplayRect(const QSize& picture) const;
    void UpdateDisplayRect();
    QImage RenderOldFromBackground(const QRect& display, const QSize& picture) const;
    void PaintBackground(QPainter& painter, const QRect& area) const;
    QColor BackColor() const;

    QImage picture_;
    QImage bgPicture_;
    TBgMode bgMode_ = TBgMode::bmTiled;
    int style_ = 51;
    std::atomic<int> step_{4};
    std::atomic<int> delay_{40};
    std::atomic<bool> exactTiming_{false};
    bool threaded_ = true;
    QThread::Priority priority_ = QThread::NormalPriority;
    std::atomic<bool> manual_{false};
    std::atomic<bool> reverse_{false};
    bool overDraw_ = true;
    bool center_ = false;
    bool stretch_ = false;
    bool proportional_ = false;
    QColor frameColor_;
    int frameWidth_ = 0;

    std::atomic<bool> busy_{false};
    std::atomic<bool> stopping_{false};
    std::atomic<int> progress_{0};
    bool destroying_ = false;
    bool painting_ = false;

    mutable QMutex lock_; // style_, progress_ changes, frame_, oldPic_, newPic_
    QImage frame_;
    QImage oldPic_;
    QImage newPic_;
    bool oldFromBackground_ = false;
    QRect picRect_;
    QRect displayRect_;

    TAnimateThread* thread_ = nullptr;
    int threadGeneration_ = 0;
    int loopGeneration_ = 0;
    QEventLoop* wait_ = nullptr;
};

// The control as placed on forms; adds the properties for Qt's property system.
class TPicShow : public TCustomPicShow {
    Q_OBJECT
    Q_PROPERTY(QImage Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(QImage BgPicture READ BgPicture WRITE SetBgPicture)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(QString StyleName READ StyleName WRITE SetStyleName)
    Q_PROPERTY(int Step READ Step WRITE SetStep)
    Q_PROPERTY(int Delay READ Delay WRITE SetDelay)
    Q_PROPERTY(bool ExactTiming READ ExactTiming WRITE SetExactTiming)
    Q_PROPERTY(bool Threaded READ Threaded WRITE SetThreaded)
    Q_PROPERTY(bool Manual READ Manual WRITE SetManual)
    Q_PROPERTY(bool Reverse READ Reverse WRITE SetReverse)
    Q_PROPERTY(bool OverDraw READ OverDraw WRITE SetOverDraw)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
    Q_PROPERTY(bool StretchFine WRITE ReadStretchFine READ Proportional STORED false)
    Q_PROPERTY(QColor FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(int FrameWidth READ FrameWidth WRITE SetFrameWidth)
    Q_PROPERTY(int Progress READ Progress WRITE SetProgress)
public:
    using TCustomPicShow::TCustomPicShow;
};

} // namespace orvane
