#include "ReadingFont.h"

#include "ReadingSize.h"

#include <QFontMetrics>

#include <array>
#include <memory>

namespace orvane {
namespace {

constexpr size_t kSizes = size_t(kMaxReadingSize) + 1;

size_t SizeSlot() {
    return size_t(CurrentReadingSize());
}

// One font of `family` per reading size, made when first asked for: a QFont is kept by address
// in the width caches, so it must outlive every size change.
const QFont& FaceAtSize(std::array<std::unique_ptr<QFont>, kSizes>& fonts, const QString& family) {
    std::unique_ptr<QFont>& font = fonts[SizeSlot()];
    if (!font) {
        font = std::make_unique<QFont>(family);
        font->setPointSize(int(SizeSlot()));
        font->setStyleStrategy(QFont::PreferAntialias);
    }
    return *font;
}

} // namespace

const QFont& ReadingFont() {
    static std::array<std::unique_ptr<QFont>, kSizes> fonts;
    return FaceAtSize(fonts, QStringLiteral("宋体"));
}

TCharWidth& ReadingWidths() {
    struct TSlot {
        TCharWidth widths;
        std::unique_ptr<QFontMetrics> metrics;
    };
    static std::array<TSlot, kSizes> bySize;
    TSlot& slot = bySize[SizeSlot()];
    if (!slot.metrics) slot.metrics = std::make_unique<QFontMetrics>(ReadingFont());
    const QFontMetrics* metrics = slot.metrics.get();
    slot.widths.Bind(&ReadingFont(), metrics->height(),
                     [metrics](char16_t c) { return metrics->horizontalAdvance(QChar(c)); });
    return slot.widths;
}

int ReadingTextWidth(std::string_view gbk) {
    std::vector<int> widths;
    ReadingWidths().ByteWidths(gbk, widths);
    int sum = 0;
    for (int w : widths)
        sum += w;
    return sum;
}

const QFont& EnglishFont() {
    static std::array<std::unique_ptr<QFont>, kSizes> fonts;
    return FaceAtSize(fonts, QStringLiteral("Arial"));
}

} // namespace orvane
