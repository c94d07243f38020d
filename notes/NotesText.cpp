#include "NotesText.h"

#include "GbkBridge.h"

namespace orvane {

int GbkByteCount(const QString& text) {
    const std::string gbk = ToGbk(text);
    qsizetype lineBreaks = text.count(QLatin1Char('\n'));
    // A CR LF already in the text is counted once, as the two bytes it is.
    lineBreaks -= text.count(QStringLiteral("\r\n"));
    return int(gbk.size() + size_t(lineBreaks));
}

QString CountCaption(const QString& text) {
    return QStringLiteral("总字数：%1").arg(GbkByteCount(text));
}

bool FitsGbk(const QString& text, QString* firstLost) {
    if (FromGbk(ToGbk(text)) == text) return true;
    if (firstLost) {
        firstLost->clear();
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString one = text.mid(i, n);
            if (FromGbk(ToGbk(one)) != one) {
                *firstLost = one;
                break;
            }
            i += n;
        }
    }
    return false;
}

QString TrimBlankEnds(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace orvane
