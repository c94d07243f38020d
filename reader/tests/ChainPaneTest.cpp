#include <QtTest>

class ChainPaneTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(ChainPaneTest)
#include "ChainPaneTest.moc"
