#include <QtTest>

class DialogPiecesTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(DialogPiecesTest)
#include "DialogPiecesTest.moc"
