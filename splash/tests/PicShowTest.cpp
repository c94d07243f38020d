// The picture show control: its properties, the manual, GUI-thread and worker-thread runs,
// stopping and switching modes mid-run, and what it paints.

#include "PicShow.h"
#include "Effects.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace orvane;

namespace {

QImage Filled(int w, int h, QColor c) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// A picture whose pixels all differ, so that a misplaced pixel shows.
QImage Pattern(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 6 % 256, y * 8 % 256, 200));
    return image;
}

// A control of the picture's size on a plain background colour: the old picture is that colour.
struct Show {
    TPicShow show;
    QImage picture = Pattern(40, 30);
    QColor back = QColor(10, 20, 30);
    Show() {
        show.resize(40, 30);
        QPalette pal = show.palette();
        pal.setColor(QPalette::Window, back);
        show.setPalette(pal);
        show.SetBgMode(TBgMode::bmNone);
        show.SetPicture(picture);
    }
    QImage Old() const { return Filled(40, 30, back); }
};

QList<int> Values(const QSignalSpy& spy) {
    QList<int> values;
    for (const QList<QVariant>& args : spy)
        values << args.at(0).toInt();
    return values;
}

QImage Expected(int style, const QImage& old, const QImage& fresh, int p) {
    QImage frame = old.copy();
    int X, Y;
    EffectExtent(fresh.width(), fresh.height(), p, X, Y);
    EffectProc(style)(frame, fresh, fresh.width(), p, Y, X, fresh.height());
    return frame;
}

} // namespace

class PicShowTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsAndSetters();
    void executeNeedsPictureAndIdleControl();
    void manualProgress();
    void everyStyleStartsOldAndEndsNew();
    void customDrawingAndHooks();
    void guiThreadRunKeepsEventsFlowing();
    void reverseRunsDownToZero();
    void exactTimingEnlargesSlowSteps();
    void threadedRunFinishesThroughTheEventLoop();
    void stopEndsAThreadedRun();
    void manualSwitchPausesAndResumes();
    void destroyedWhileRunning();
    void progressHandlerStopsOrDeletes();
    void overDrawStartsFromTheShownFrame();
    void displayRect();
    void paintsFrameBorderAndBackground();
    void backgroundModes();
    void clearDropsTheFrame();
};

void PicShowTest::defaultsAndSetters() {
    TPicShow show;
    QCOMPARE(show.size(), QSize(100, 100));
    QCOMPARE(show.Style(), 51);
    QCOMPARE(show.Step(), 4);
    QCOMPARE(show.Delay(), 40);
    QVERIFY(show.Threaded() && show.OverDraw() && !show.Manual() && !show.Reverse());
    QVERIFY(show.BgMode() == TBgMode::bmTiled);

    show.SetStyle(172);
    QCOMPARE(show.Style(), 51);
    show.SetStyle(-1);
    QCOMPARE(show.Style(), 51);
    show.SetStyleName(QStringLiteral("custom"));
    QCOMPARE(show.Style(), 0);
    QCOMPARE(show.StyleName(), QStringLiteral("Custom"));
    show.SetStyleName(QStringLiteral("rEVEAL V FROM TOP"));
    QCOMPARE(show.Style(), 155);
    QCOMPARE(show.StyleName(), QStringLiteral("Reveal V from top"));
    show.SetStyleName(QStringLiteral("Wipe"));
    QCOMPARE(show.Style(), 155);

    show.SetStep(0);
    QCOMPARE(show.Step(), 1);
    show.SetStep(250);
    QCOMPARE(show.Step(), 100);

    // Older settings files name Proportional "StretchFine".
    QVERIFY(show.setProperty("StretchFine", true));
    QVERIFY(show.Proportional());
}

void PicShowTest::executeNeedsPictureAndIdleControl() {
    TPicShow show;
    QSignalSpy started(&show, &TCustomPicShow::started);
    show.Execute();
    QVERIFY(!show.Busy());
    QCOMPARE(started.count(), 0);

    show.SetPicture(Pattern(20, 10));
    show.SetManual(true);
    show.Execute();
    QVERIFY(show.Busy());
    QCOMPARE(started.count(), 1);
    show.SetProgress(40);
    show.Execute(); // busy: nothing happens, the run goes on where it was
    QCOMPARE(started.count(), 1);
    QCOMPARE(show.Progress(), 40);
}

void PicShowTest::manualProgress() {
    Show s;
    s.show.SetManual(true);
    s.show.SetStyle(5);
    QSignalSpy progress(&s.show, &TCustomPicShow::progressChanged);
    QSignalSpy completed(&s.show, &TCustomPicShow::completed);
    QSignalSpy stopped(&s.show, &TCustomPicShow::stopped);

    s.show.SetProgress(30); // not busy: ignored
    QCOMPARE(progress.count(), 0);
    s.show.Execute();
    QCOMPARE(s.show.Progress(), 0);
    QCOMPARE(s.show.Frame(), s.Old());

    s.show.SetProgress(50);
    s.show.SetProgress(50); // unchanged: no new frame, no signal
    QCOMPARE(Values(progress), QList<int>{50});
    QCOMPARE(s.show.Frame(), Expected(5, s.Old(), s.picture, 50));

    // Another style in manual mode shows the same moment through the new effect.
    s.show.SetStyle(22);
    QCOMPARE(s.show.Frame(), Expected(22, s.Old(), s.picture, 50));

    s.show.SetProgress(250);
    QCOMPARE(s.show.Progress(), 100);
    QCOMPARE(s.show.Frame(), s.picture);
    QVERIFY(s.show.Busy()); // manual runs end when the caller stops them

    s.show.Stop();
    QVERIFY(!s.show.Busy());
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(completed.count(), 0); // stopped, not completed
    QCOMPARE(s.show.Frame(), s.picture);
}

void PicShowTest::everyStyleStartsOldAndEndsNew() {
    Show s;
    s.show.SetManual(true);
    s.show.Execute();
    for (int style = 1; style <= kEffectCount; ++style) {
        s.show.SetStyle(style);
        s.show.SetProgress(100);
        QVERIFY2(s.show.Frame() == s.picture, qPrintable(EffectName(style)));
        s.show.SetProgress(0);
        QVERIFY2(s.show.Frame() == s.Old(), qPrintable(EffectName(style)));
    }
}

void PicShowTest::customDrawingAndHooks() {
    Show s;
    s.show.SetManual(true);
    s.show.SetStyle(0);
    QStringList calls;
    s.show.OnBeforeNewFrame = [&](const QImage&, QImage&) { calls << QStringLiteral("before"); };
    s.show.OnCustomDraw = [&](const QImage& fresh, QImage& frame) {
        calls << QStringLiteral("draw");
        QPainter(&frame).drawImage(0, 0, fresh.copy(0, 0, 10, 30));
    };
    s.show.OnAfterNewFrame = [&](const QImage&, QImage&) { calls << QStringLiteral("after"); };
    s.show.Execute();
    calls.clear();
    s.show.SetProgress(60);
    QCOMPARE(calls, (QStringList{"before", "draw", "after"}));
    const QImage frame = s.show.Frame();
    QCOMPARE(frame.pixel(5, 5), s.picture.pixel(5, 5));
    QCOMPARE(frame.pixel(20, 5), s.back.rgb());
}

void PicShowTest::guiThreadRunKeepsEventsFlowing() {
    // The splash's settings: 17 frames about 30 ms apart, before Execute returns.
    Show s;
    s.show.SetThreaded(false);
    s.show.SetStep(6);
    s.show.SetDelay(30);
    s.show.SetStyle(169);
    QSignalSpy progress(&s.show, &TCustomPicShow::progressChanged);
    QSignalSpy completed(&s.show, &TCustomPicShow::completed);
    int ticks = 0;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();

    QElapsedTimer clock;
    clock.start();
    s.show.Execute();
    const qint64 took = clock.elapsed();

    QList<int> expected;
    for (int p = 6; p < 100; p += 6)
        expected << p;
    expected << 100;
    QCOMPARE(Values(progress), expected);
    QVERIFY(!s.show.Busy());
    QCOMPARE(completed.count(), 1);
    QCOMPARE(s.show.Frame(), s.picture);
    QVERIFY2(took >= 16 * 30 - 20, qPrintable(QString::number(took)));
    QVERIFY2(ticks >= 20, "events are processed between frames");
}

void PicShowTest::reverseRunsDownToZero() {
    Show s;
    s.show.SetThreaded(false);
    s.show.SetReverse(true);
    s.show.SetStep(25);
    s.show.SetDelay(0);
    QImage first;
    QObject::connect(&s.show, &TCustomPicShow::started, [&] { first = s.show.Frame(); });
    QSignalSpy progress(&s.show, &TCustomPicShow::progressChanged);
    s.show.Execute();
    QCOMPARE(Values(progress), (QList<int>{75, 50, 25, 0}));
    QCOMPARE(first, s.picture); // starts from the new picture, no flash of the old one
    QCOMPARE(s.show.Frame(), s.Old());
    QVERIFY(!s.show.Busy());

    // Idle, switching to manual puts the progress at the reverse start.
    s.show.SetManual(true);
    QCOMPARE(s.show.Progress(), 100);
}

void PicShowTest::exactTimingEnlargesSlowSteps() {
    // Frames that take about 20 ms against a delay of 5 ms: the steps grow to catch up.
    Show s;
    s.show.SetThreaded(false);
    s.show.SetStep(2);
    s.show.SetDelay(5);
    s.show.SetExactTiming(true);
    s.show.OnAfterNewFrame = [](const QImage&, QImage&) { QThread::msleep(20); }; // a slow frame
    QSignalSpy progress(&s.show, &TCustomPicShow::progressChanged);
    s.show.Execute();
    const QList<int> values = Values(progress);
    QCOMPARE(values.last(), 100);
    QVERIFY2(values.size() < 20, qPrintable(QString::number(values.size())));
    QVERIFY(values.at(1) - values.at(0) >= 6);
}

void PicShowTest::threadedRunFinishesThroughTheEventLoop() {
    Show s;
    s.show.SetStep(10);
    s.show.SetDelay(5);
    s.show.SetStyle(118);
    QSignalSpy progress(&s.show, &TCustomPicShow::progressChanged);
    QSignalSpy completed(&s.show, &TCustomPicShow::completed);
    QSemaphore lastFrame;
    QObject::connect(
        &s.show, &TCustomPicShow::progressChanged, &s.show,
        [&](int p) {
            QCOMPARE_NE(QThread::currentThread(), qApp->thread());
            if (p == 100) lastFrame.release();
        },
        Qt::DirectConnection);
    s.show.Execute();
    QVERIFY(s.show.Busy()); // Execute returns at once

    // The worker builds every frame on its own, while this thread processes no events; the
    // run ends only once this thread takes the worker's notice from its event queue.
    QVERIFY(lastFrame.tryAcquire(1, 5000));
    QThread::msleep(50);
    QVERIFY(s.show.Busy());
    QCOMPARE(completed.count(), 0);
    QTRY_VERIFY(!s.show.Busy());
    QCOMPARE(completed.count(), 1);
    QCOMPARE(Values(progress).last(), 100);
    QCOMPARE(s.show.Frame(), s.picture);
}

void PicShowTest::stopEndsAThreadedRun() {
    Show s;
    s.show.SetStep(1);
    s.show.SetDelay(10);
    QSignalSpy progress(&s.show, &TCustomPicShow::progressChanged);
    QSignalSpy completed(&s.show, &TCustomPicShow::completed);
    QSignalSpy stopped(&s.show, &TCustomPicShow::stopped);
    s.show.Execute();
    QTRY_VERIFY(s.show.Progress() >= 3);
    s.show.Stop();
    QVERIFY(!s.show.Busy());
    QCOMPARE(stopped.count(), 1);
    QCOMPARE(completed.count(), 0);
    const int frames = progress.count();
    QTest::qWait(50); // the worker's notice arrives and finds nothing to do
    QCOMPARE(progress.count(), frames);
    QCOMPARE(stopped.count(), 1);
    QVERIFY(s.show.Progress() < 100);

    // The control can run again afterwards.
    s.show.SetThreaded(false);
    s.show.SetStep(50);
    s.show.SetDelay(0);
    s.show.Execute();
    QVERIFY(!s.show.Busy());
    QCOMPARE(completed.count(), 1);
}

void PicShowTest::manualSwitchPausesAndResumes() {
    for (const bool threaded : {false, true}) {
        Show s;
        s.show.SetThreaded(threaded);
        s.show.SetStep(threaded ? 2 : 10);
        s.show.SetDelay(threaded ? 10 : 5);
        QSignalSpy completed(&s.show, &TCustomPicShow::completed);
        // Switch to manual on the GUI thread once the run passed 30: at once on the GUI loop,
        // through the event queue when the worker moved the progress.
        bool switched = false;
        QObject::connect(
            &s.show, &TCustomPicShow::progressChanged, &s.show,
            [&](int p) {
                if (p < 30 || switched) return;
                switched = true;
                s.show.SetManual(true);
            },
            threaded ? Qt::QueuedConnection : Qt::DirectConnection);
        s.show.Execute();
        QTRY_VERIFY(s.show.Manual());
        QTest::qWait(30);
        const int paused = s.show.Progress();
        QVERIFY2(paused >= 30 && paused < 100, qPrintable(QString::number(paused)));
        if (!threaded) QCOMPARE(paused, 30);
        QVERIFY(s.show.Busy());
        QCOMPARE(completed.count(), 0);

        s.show.SetManual(false); // resume
        QTRY_VERIFY(!s.show.Busy());
        QCOMPARE(completed.count(), 1);
        QCOMPARE(s.show.Progress(), 100);
    }
}

void PicShowTest::destroyedWhileRunning() {
    {
        auto* show = new TPicShow;
        show->SetPicture(Pattern(40, 30));
        show->SetStep(1);
        show->SetDelay(5);
        show->Execute();
        QTRY_VERIFY(show->Progress() > 2);
        delete show; // waits for the worker; its late notices are dropped
        QTest::qWait(20);
    }
    {
        // Deleted by an event handler during one of the GUI loop's pauses.
        auto* show = new TPicShow;
        show->SetPicture(Pattern(40, 30));
        show->SetThreaded(false);
        show->SetStep(1);
        show->SetDelay(10);
        QPointer<TPicShow> alive(show);
        QTimer::singleShot(50, [show] { delete show; });
        show->Execute();
        QVERIFY(!alive);
    }
}

void PicShowTest::progressHandlerStopsOrDeletes() {
    // On the GUI loop the progress signal comes from inside the run; what its handler does to
    // the control must end the run cleanly, even without a pause to notice it in.
    Show s;
    s.show.SetThreaded(false);
    s.show.SetStep(10);
    s.show.SetDelay(0);
    QSignalSpy stopped(&s.show, &TCustomPicShow::stopped);
    QSignalSpy progress(&s.show, &TCustomPicShow::progressChanged);
    const auto stopAt30 = QObject::connect(&s.show, &TCustomPicShow::progressChanged, [&](int p) {
        if (p == 30) s.show.Stop();
    });
    s.show.Execute();
    QVERIFY(!s.show.Busy());
    QCOMPARE(Values(progress), (QList<int>{10, 20, 30}));
    QCOMPARE(stopped.count(), 1);
    QObject::disconnect(stopAt30);

    auto* doomed = new TPicShow;
    doomed->SetPicture(Pattern(40, 30));
    doomed->SetThreaded(false);
    doomed->SetDelay(0);
    QPointer<TPicShow> alive(doomed);
    QObject::connect(doomed, &TCustomPicShow::progressChanged, [doomed](int p) {
        if (p == 20) delete doomed;
    });
    doomed->Execute();
    QVERIFY(!alive);
}

void PicShowTest::overDrawStartsFromTheShownFrame() {
    Show s;
    s.show.SetThreaded(false);
    s.show.SetStep(100);
    s.show.SetDelay(0);
    s.show.Execute(); // shows the pattern
    QImage oldPic;
    QObject::connect(&s.show, &TCustomPicShow::started,
                     [&](const QImage&, const QImage& old) { oldPic = old; });
    s.show.SetPicture(Filled(40, 30, Qt::red));
    s.show.Execute();
    QCOMPARE(oldPic, s.picture);
    s.show.SetOverDraw(false);
    s.show.Execute();
    QCOMPARE(oldPic, s.Old()); // from the background again
}

void PicShowTest::displayRect() {
    TPicShow show;
    show.resize(100, 80);
    show.SetPicture(Pattern(40, 30));
    show.SetManual(true);
    show.Execute();
    QCOMPARE(show.PicRect(), QRect(0, 0, 40, 30));
    QCOMPARE(show.DisplayRect(), QRect(0, 0, 40, 30));
    show.SetCenter(true);
    QCOMPARE(show.DisplayRect(), QRect(30, 25, 40, 30));
    show.SetFrameWidth(5); // area 90 x 70 inside the border
    QCOMPARE(show.DisplayRect(), QRect(30, 25, 40, 30));
    show.SetStretch(true);
    QCOMPARE(show.DisplayRect(), QRect(5, 5, 90, 70));
    show.SetProportional(true);
    QCOMPARE(show.DisplayRect(), QRect(5, 6, 90, 67));
    show.SetStretch(false); // proportional alone only shrinks pictures that do not fit
    QCOMPARE(show.DisplayRect(), QRect(30, 25, 40, 30));
    show.show(); // a hidden control gets its resize event when it is shown
    show.resize(30, 30);
    QCOMPARE(show.DisplayRect(), QRect(5, 7, 20, 15));
}

void PicShowTest::paintsFrameBorderAndBackground() {
    TPicShow show;
    show.resize(60, 50);
    QPalette pal = show.palette();
    pal.setColor(QPalette::Window, Qt::green);
    show.setPalette(pal);
    show.SetBgMode(TBgMode::bmNone);
    show.SetPicture(Filled(20, 10, Qt::blue));
    show.SetFrameWidth(2);
    show.SetFrameColor(Qt::red);
    show.SetCenter(true);
    show.SetManual(true);
    show.Execute();
    show.SetProgress(100);
    const QImage shot = show.grab().toImage();
    const QRect d = show.DisplayRect();
    QCOMPARE(d, QRect(20, 20, 20, 10));
    QCOMPARE(shot.pixelColor(d.center()), QColor(Qt::blue));
    QCOMPARE(shot.pixelColor(d.left() - 1, d.top()), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(d.left() - 2, d.bottom() + 2), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(d.left() - 3, d.top()), QColor(Qt::green));
    QCOMPARE(shot.pixelColor(0, 0), QColor(Qt::green));
}

void PicShowTest::backgroundModes() {
    // A 10 x 10 background: left half black, right half white.
    QImage bg = Filled(10, 10, Qt::black);
    QPainter(&bg).fillRect(5, 0, 5, 10, Qt::white);
    TPicShow show;
    show.resize(30, 20);
    QPalette pal = show.palette();
    pal.setColor(QPalette::Window, Qt::green);
    show.setPalette(pal);
    show.SetBgPicture(bg);

    show.SetBgMode(TBgMode::bmTiled);
    QImage shot = show.grab().toImage();
    QCOMPARE(shot.pixelColor(12, 12), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(27, 3), QColor(Qt::white));

    show.SetBgMode(TBgMode::bmStretched);
    shot = show.grab().toImage();
    QCOMPARE(shot.pixelColor(2, 2), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(27, 17), QColor(Qt::white));

    show.SetBgMode(TBgMode::bmCentered);
    shot = show.grab().toImage();
    QCOMPARE(shot.pixelColor(1, 1), QColor(Qt::green));
    QCOMPARE(shot.pixelColor(11, 6), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(18, 13), QColor(Qt::white));

    show.SetBgMode(TBgMode::bmNone);
    shot = show.grab().toImage();
    QCOMPARE(shot.pixelColor(12, 12), QColor(Qt::green));

    // The old picture of a show is the background under the display rectangle.
    show.SetBgMode(TBgMode::bmTiled);
    show.SetPicture(Filled(10, 10, Qt::red));
    show.SetCenter(true);
    show.SetManual(true);
    show.Execute();
    QCOMPARE(show.Frame(), bg.copy(0, 0, 10, 10).convertToFormat(QImage::Format_RGB32));
}

void PicShowTest::clearDropsTheFrame() {
    Show s;
    s.show.Clear(); // nothing to clear
    s.show.SetManual(true);
    s.show.Execute();
    s.show.Clear(); // busy: kept
    QVERIFY(!s.show.Frame().isNull());
    s.show.Stop();
    s.show.Clear();
    QVERIFY(s.show.Frame().isNull());
    QVERIFY(s.show.DisplayRect().isEmpty());
}

QTEST_MAIN(PicShowTest)
#include "PicShowTest.moc"
