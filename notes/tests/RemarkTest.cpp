#include <QtTest>

class RemarkTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(RemarkTest)
#include "RemarkTest.moc"
