#include "wnMain.h"

#include "Addressing.h"
#include "AppStart.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "DailyVerses.h"
#include "IniFileX.h"

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace orvane {

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromUtf8(kAppTitle));
    resize(760, 560);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setFont(QFont(QStringLiteral("宋体"), 9));
    setCentralWidget(text_);
    dailyVerse_ = new QLabel(this);
    statusBar()->addWidget(new QLabel(QStringLiteral("> 每日金句："), this));
    statusBar()->addWidget(dailyVerse_, 1);
    const StringList& verses = DailyVerses();
    if (!verses.empty()) dailyVerse_->setText(FromGbk(verses[size_t(DailyVerseIndex())]));

    try {
        loaded_ = TBibGlobe::LoadScripture();
    } catch (const std::exception&) {
        loaded_ = false;
    }
    if (!loaded_) {
        QMessageBox::critical(this, QStringLiteral("错误"), QStringLiteral("打开《圣经》文件失败！"));
        return;
    }
    int saved = 0;
    try {
        saved = TInifileX().ReadInteger("MAIN", "BIB CHAPT INFO", 0);
    } catch (const std::exception&) {
    }
    // A position outside the text starts at the first verse.
    ShowChapterOf(saved >= 0 && saved <= kLastVerseLine ? saved : 0);
}

void TfmMain::ShowChapterOf(int verseLine) {
    int book = 0;
    const TChapterInfo& chapter = ChapterTable[ChapterOfLine(verseLine, &book)];
    QString page;
    for (int line = chapter.FirstLine; line <= chapter.LastLine; ++line)
        page += FromGbk(ShortReference(line)) + QLatin1Char(' ') +
                FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(line))) + QLatin1Char('\n');
    text_->setPlainText(page);
}

} // namespace orvane
