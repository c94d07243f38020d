#include "ReadingFont.h"

#include <QFontMetrics>

namespace orvane {

const QFont& ReadingFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("宋体"));
        f.setPointSize(9);
        f.setStyleStrategy(QFont::PreferAntialias);
        return f;
    }();
    return font;
}

TCharWidth& ReadingWidths() {
    static TCharWidth widths;
    static const QFontMetrics metrics(ReadingFont());
    widths.Bind(&ReadingFont(), metrics.height(),
                [](char16_t c) { return metrics.horizontalAdvance(QChar(c)); });
    return widths;
}

int ReadingTextWidth(std::string_view gbk) {
    std::vector<int> widths;
    ReadingWidths().ByteWidths(gbk, widths);
    int sum = 0;
    for (int w : widths)
        sum += w;
    return sum;
}

} // namespace orvane
