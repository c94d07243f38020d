#include <QtTest>

class BookmarksCopyTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(BookmarksCopyTest)
#include "BookmarksCopyTest.moc"
