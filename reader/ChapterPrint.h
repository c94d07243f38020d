#pragma once
// A chapter (or some of its verses) laid out for paper: a rich-text document built from the
// print content and printed by Qt's text layout, so that a PDF keeps the text as text (it can be
// searched and copied) and a printer gets outlines, never a screen picture.

#include "PrintContent.h"

#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace orvane {

class TChapterPrint {
public:
    explicit TChapterPrint(TPrintContent content);
    ~TChapterPrint();
    TChapterPrint(const TChapterPrint&) = delete;
    TChapterPrint& operator=(const TChapterPrint&) = delete;

    // The document as a screen would lay it out (96 dpi).
    QTextDocument& Document() const { return *document_; }

    // Lays the document out afresh for the device's pages (a QPrinter or a QPdfWriter, already
    // set up) and paints them, with page numbers.
    void PrintTo(QPagedPaintDevice& device);

    // An A4 PDF at `path`, titled after the chapter. False when the file cannot be written.
    bool WritePdf(const QString& path);

private:
    void Build(qreal unit);

    TPrintContent content_;
    std::unique_ptr<QTextDocument> document_;
    QString title_;
};

} // namespace orvane
