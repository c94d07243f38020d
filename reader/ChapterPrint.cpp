#include "ChapterPrint.h"

#include "Addressing.h"
#include "GbkBridge.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace orvane {
namespace {

// Point sizes on paper: the verse as a book sets it, what hangs under it smaller.
constexpr qreal kTitleSize = 16;
constexpr qreal kVerseSize = 11;
constexpr qreal kNumberSize = 8.5;
constexpr qreal kEnglishSize = 9.5;
constexpr qreal kChainSize = 8;
// The English line and the reference lists stand in under the verse's text.
constexpr qreal kIndent = 18;
constexpr qreal kPointsPerInch = 72;
constexpr qreal kScreenDpi = 96; // what Document() is laid out for

QFont Face(const QStringList& families, qreal points, bool bold = false) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QStringList Chinese() {
    return {QStringLiteral("宋体")};
}

// Latin letters from a book face, anything else (full-width punctuation) from the Chinese one.
QStringList Latin() {
    return {QStringLiteral("Liberation Serif"), QStringLiteral("宋体")};
}

QTextCharFormat Characters(const QFont& font, const QColor& colour = Qt::black) {
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(colour);
    return format;
}

// Points throughout. The layout scales a block's vertical margins to the device it lays out
// for but takes the horizontal ones in that device's units: `unit` is one point in those.
QTextBlockFormat Paragraph(qreal unit, qreal indent, qreal above) {
    QTextBlockFormat format;
    format.setLeftMargin(indent * unit);
    format.setTopMargin(above);
    format.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    return format;
}

} // namespace

TChapterPrint::TChapterPrint(TPrintContent content)
    : content_(std::move(content)), title_(FromGbk(content_.Title)) {
    Build(kScreenDpi / kPointsPerInch);
}

TChapterPrint::~TChapterPrint() = default;

void TChapterPrint::Build(qreal unit) {
    const TPrintContent& content = content_;
    document_ = std::make_unique<QTextDocument>();
    QTextDocument& doc = *document_;
    doc.setDefaultFont(Face(Chinese(), kVerseSize));
    doc.setMetaInformation(QTextDocument::DocumentTitle, title_);
    QTextCursor cursor(&doc);

    QTextBlockFormat title = Paragraph(unit, 0, 0);
    title.setAlignment(Qt::AlignHCenter);
    title.setBottomMargin(10);
    cursor.setBlockFormat(title);
    cursor.insertText(title_, Characters(Face(Chinese(), kTitleSize, true)));

    const QTextCharFormat number =
        Characters(Face(Chinese(), kNumberSize, true), QColor(139, 0, 0));
    const QTextCharFormat text = Characters(Face(Chinese(), kVerseSize));
    const QTextCharFormat english = Characters(Face(Latin(), kEnglishSize), QColor(51, 51, 51));
    const QTextCharFormat marker =
        Characters(Face(Chinese(), kChainSize, true), QColor(0, 128, 128));
    const QTextCharFormat reference = Characters(Face(Chinese(), kChainSize), QColor(85, 85, 85));
    for (const TPrintVerse& verse : content.Verses) {
        cursor.insertBlock(Paragraph(unit, 0, 5));
        cursor.insertText(QString::number(verse.Number), number);
        cursor.insertText(QStringLiteral(" "), text);
        cursor.insertText(FromGbk(verse.Text), text);
        if (!verse.English.empty()) {
            cursor.insertBlock(Paragraph(unit, kIndent, 1));
            cursor.insertText(FromGbk(verse.English), english);
        }
        for (const TPrintChain& chain : verse.Chains) {
            cursor.insertBlock(Paragraph(unit, kIndent, 0));
            cursor.insertText(QStringLiteral("〔%1〕").arg(chain.Marker), marker);
            cursor.insertText(FromGbk(ChainReferenceLine(chain)), reference);
        }
    }
}

void TChapterPrint::PrintTo(QPagedPaintDevice& device) {
    Build(device.logicalDpiY() / kPointsPerInch);
    // The text layout adds its own margins of 2 cm to the device's; the page numbers sit in them.
    document_->print(&device);
}

bool TChapterPrint::WritePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(title_);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        PrintTo(writer);
    }
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace orvane
