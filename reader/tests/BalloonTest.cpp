#include <QtTest>

class BalloonTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(BalloonTest)
#include "BalloonTest.moc"
