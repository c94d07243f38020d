#include <QtTest>

class AncestorTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(AncestorTest)
#include "AncestorTest.moc"
