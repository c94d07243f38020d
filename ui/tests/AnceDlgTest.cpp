#include <QtTest>

class AnceDlgTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(AnceDlgTest)
#include "AnceDlgTest.moc"
