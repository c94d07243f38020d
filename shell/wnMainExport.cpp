// The notes export of the "操作" menu and the help menu's items. The document is built by the
// Qt-free core (NotesMarkdown), the same that bibtool prints, so the two agree byte for byte.
#include "wnMain.h"

#include "BibGlobe.h"
#include "Gbk.h"
#include "MsgBox.h"
#include "NotesMarkdown.h"
#include "NotesStore.h"
#include "ReaderPictures.h"
#include "wnAbout.h"
#include "wnBook.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSaveFile>

namespace orvane {
namespace {

// The help menu's pictures, by caption: release notes, the help question mark, the "i".
struct THelpPicture {
    const char* Caption;
    int Image;
};
constexpr THelpPicture kHelpPictures[] = {{"更新手记", 17}, {"帮助主题", 12}, {"关于", 13}};

} // namespace

void TfmMain::CreateExportAndHelp(QMenu* help) {
    miExportNotes = new QAction(QStringLiteral("导出批注…"), this);
    miExportNotes->setObjectName(QStringLiteral("miExportNotes"));
    connect(miExportNotes, &QAction::triggered, this, &TfmMain::ExportNotes);
    // Above the separator that sets "退出" apart.
    const QList<QAction*> items = miDo->actions();
    const qsizetype quit = items.indexOf(N6);
    miDo->insertAction(quit > 0 ? items[quit - 1] : N6, miExportNotes);

    for (QAction* item : help->actions()) {
        for (const THelpPicture& picture : kHelpPictures)
            if (item->text() == QString::fromUtf8(picture.Caption))
                item->setIcon(QIcon(QPixmap::fromImage(ToolImage(picture.Image))));
        if (item->text() == QStringLiteral("关于")) {
            About1 = item;
            connect(item, &QAction::triggered, this, [this] { ShowAbout(this); });
        }
    }
}

QByteArray TfmMain::NotesDocument() {
    const std::array<int, 10> none{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // The bookmarks of this run: the settings file only gets them when the window closes.
    const std::array<int, 10>& marks = fmBook ? fmBook->BookMarks() : none;
    const std::string doc = NotesMarkdown(CollectNotes(Notes()), marks, [this](int line) {
        return loaded_ ? TBibGlobe::VerseText(line) : std::string();
    });
    const std::string utf8 = GbkToUtf8(doc);
    return QByteArray(utf8.data(), qsizetype(utf8.size()));
}

void TfmMain::ExportNotes() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("导出批注"), QDir::home().filePath(QStringLiteral("批注.md")),
        QStringLiteral("Markdown (*.md);;所有文件 (*)"), nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    try {
        const QByteArray bytes = NotesDocument();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            TMsgBox::Error(this, QStringLiteral("无法写入 %1：%2").arg(path, file.errorString()));
            return;
        }
    } catch (const std::exception& e) {
        // An unreadable notes file: nothing is written rather than a document without its notes.
        TMsgBox::Error(this,
                       QStringLiteral("批注未能导出：%1").arg(QString::fromLocal8Bit(e.what())));
    }
}

} // namespace orvane
