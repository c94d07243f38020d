#include "GbkBridge.h"

#include "Gbk.h"

namespace orvane {

QString FromGbk(std::string_view gbk) {
    const std::u16string units = GbkToUtf16(gbk);
    return QString::fromUtf16(units.data(), qsizetype(units.size()));
}

std::string ToGbk(const QString& text) {
    return Utf8ToGbk(text.toStdString());
}

} // namespace orvane
