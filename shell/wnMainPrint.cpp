// The print items of the "操作" menu: the chapter on screen, or the verses chosen in it, to a
// printer or into a PDF file.
#include "wnMain.h"

#include "ChapterPrint.h"
#include "GbkBridge.h"
#include "MsgBox.h"
#include "PrintContent.h"
#include "wnBook.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace orvane {
namespace {

// "约翰福音第3章.pdf" in the documents folder: a name that says what the file holds.
QString SuggestedPdfPath(const TPrintContent& content) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    QString name = FromGbk(content.Title);
    name.remove(QLatin1Char(' '));
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

} // namespace

void TfmMain::AddPrintItems() {
    miDo->addSeparator();
    miPrint = miDo->addAction(QStringLiteral("打印…"));
    miPrint->setObjectName(QStringLiteral("miPrint"));
    miExportPdf = miDo->addAction(QStringLiteral("导出PDF…"));
    miExportPdf->setObjectName(QStringLiteral("miExportPdf"));
    // For this run only: whoever turns the lists off for one print rarely wants that next time.
    miPrintChains = miDo->addAction(QStringLiteral("打印串珠"));
    miPrintChains->setObjectName(QStringLiteral("miPrintChains"));
    miPrintChains->setCheckable(true);
    miPrintChains->setChecked(true);
    // Queued: the dialogs run their own event loop, which should start once the menu has closed
    // and whoever chose the item (an accessibility client too) has had its answer.
    connect(miPrint, &QAction::triggered, this, &TfmMain::PrintChosenVerses, Qt::QueuedConnection);
    connect(miExportPdf, &QAction::triggered, this, &TfmMain::ExportChosenVerses,
            Qt::QueuedConnection);
}

TPrintContent TfmMain::ChosenPrintContent() const {
    if (!fmBook) return {};
    TPrintOptions options;
    options.Chains = miPrintChains->isChecked();
    options.English = fmBook->ShowEnglish(); // the English line while 中英对照 is on
    return BuildPrintContent(fmBook->ChosenVerseLines(), options);
}

void TfmMain::PrintChosenVerses() {
    const TPrintContent content = ChosenPrintContent();
    if (content.Verses.empty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(FromGbk(content.Title));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印"));
    if (dialog.exec() != QDialog::Accepted) return;
    TChapterPrint(content).PrintTo(printer);
}

void TfmMain::ExportChosenVerses() {
    const TPrintContent content = ChosenPrintContent();
    if (content.Verses.empty()) return;
    QFileDialog dialog(this, QStringLiteral("导出PDF"), SuggestedPdfPath(content),
                       QStringLiteral("PDF 文件 (*.pdf)"));
    dialog.setObjectName(QStringLiteral("dlgExportPdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    if (!TChapterPrint(content).WritePdf(path))
        TMsgBox::Error(this,
                       QStringLiteral("无法写入文件“%1”。").arg(QDir::toNativeSeparators(path)));
}

} // namespace orvane
