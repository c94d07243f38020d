#include <QtTest>

class HistoryTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(HistoryTest)
#include "HistoryTest.moc"
