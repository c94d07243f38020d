#include <QtTest>

class MiscTabsTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(MiscTabsTest)
#include "MiscTabsTest.moc"
