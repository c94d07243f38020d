// The crossing between the core's GBK bytes and Qt's strings, read character by character the
// way the core walks the same bytes: damaged text must neither swallow a neighbour nor split
// one, and the whole shipped text must come back byte for byte.
#include "GbkBridge.h"
#include "BibGlobe.h"
#include "EmbeddedResources.h"
#include "Gbk.h"

#include <QtTest>

using namespace orvane;

namespace {

size_t CharacterCount(std::string_view gbk) {
    size_t count = 0;
    for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i))
        ++count;
    return count;
}

QString Units(std::u16string_view units) {
    return QString::fromUtf16(units.data(), qsizetype(units.size()));
}

} // namespace

class GbkBridgeTest : public QObject {
    Q_OBJECT
private slots:
    void everyLineOfTheEmbeddedCorpusRoundTrips() {
        RegisterEmbeddedResources();
        std::vector<StringList> corpus;
        QVERIFY(TBibGlobe::LoadScripture(corpus));
        size_t lines = 0;
        for (const StringList& file : corpus) {
            for (const std::string& line : file) {
                const QString text = FromGbk(line);
                QVERIFY2(!text.contains(QChar::ReplacementCharacter), line.c_str());
                QCOMPARE(size_t(text.size()), CharacterCount(line));
                if (ToGbk(text) != line) QFAIL(qPrintable(text));
                ++lines;
            }
        }
        QVERIFY(lines > 31000);
    }

    void damagedBytesReadOneReplacementPerCharacterOfTheCoreRule() {
        QCOMPARE(FromGbk("\x81\x20\xFF"), Units(u"\uFFFD \uFFFD"));
        QCOMPARE(FromGbk("a\x81"), Units(u"a\uFFFD"));       // a lead at the end
        QCOMPARE(FromGbk("\x81\x7F"), Units(u"\uFFFD\x7F")); // 0x7F is no trail
        QCOMPARE(FromGbk("\x80\xFF"), Units(u"\uFFFD\uFFFD"));
        QCOMPARE(FromGbk("\xA1\x40x"), Units(u"\uFFFDx")); // a pair GBK leaves undefined
        QCOMPARE(FromGbk(std::string_view("\0a", 2)), Units(std::u16string_view(u"\0a", 2)));
        // A trail byte that looks like ASCII belongs to its lead.
        QCOMPARE(FromGbk("\xC0\x5A"), QStringLiteral("繸"));
        QCOMPARE(FromGbk("\x81\x60").size(), 1);
    }

    void everyTwoBytesGiveOneCharacterPerStepOfTheCoreWalk() {
        for (int first = 0; first < 256; ++first) {
            for (int second = 0; second < 256; ++second) {
                const char bytes[] = {char(first), char(second), ' '}; // a blank never trails
                const std::string_view gbk(bytes, 3);
                const QString text = FromGbk(gbk);
                if (size_t(text.size()) != CharacterCount(gbk) || !text.endsWith(u' '))
                    QFAIL(qPrintable(QStringLiteral("%1 %2").arg(first, 2, 16).arg(second, 2, 16)));
                // What reads back without a replacement writes back to the same bytes.
                if (!text.contains(QChar::ReplacementCharacter) && ToGbk(text) != gbk)
                    QFAIL(qPrintable(QStringLiteral("%1 %2").arg(first, 2, 16).arg(second, 2, 16)));
            }
        }
    }

    void charactersGbkCannotHoldWriteAsOneQuestionMarkEach() {
        QCOMPARE(ToGbk(QStringLiteral("起初abc")), Utf8ToGbk("起初abc"));
        QCOMPARE(ToGbk(QStringLiteral("€")), std::string("?"));
        QCOMPARE(ToGbk(QStringLiteral("a😀b")), std::string("a?b"));        // a surrogate pair
        QCOMPARE(ToGbk(QString(QChar(0xD800)) + u'b'), std::string("?b")); // a lone surrogate
        QCOMPARE(ToGbk(QString(QChar::ReplacementCharacter)), std::string("?"));
        QCOMPARE(ToGbk(QString()), std::string());
    }
};

QTEST_MAIN(GbkBridgeTest)
#include "GbkBridgeTest.moc"
