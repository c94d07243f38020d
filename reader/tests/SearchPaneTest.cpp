#include <QtTest>

class SearchPaneTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(SearchPaneTest)
#include "SearchPaneTest.moc"
