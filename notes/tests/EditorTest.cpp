#include <QtTest>

class EditorTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(EditorTest)
#include "EditorTest.moc"
