#include <QtTest>

class DrawingTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(DrawingTest)
#include "DrawingTest.moc"
