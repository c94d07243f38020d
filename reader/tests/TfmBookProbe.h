#pragma once
// The tests' one way into the reading window's controls and state: what a person sees and
// touches there, without making it part of the window's face.

#include "ChainPane.h"
#include "HistoryList.h"
#include "SearchPanel.h"
#include "StudyNotePane.h"
#include "wnBook.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace orvane {

class TfmBookProbe {
public:
    explicit TfmBookProbe(TfmBook& book) : b_(book) {}
    explicit TfmBookProbe(TfmBook* book) : b_(*book) {}

    QSplitter* splV() const { return b_.splV; }
    QSplitter* splH() const { return b_.splH; }
    QWidget* panLeft() const { return b_.panLeft; }
    QStackedWidget* Notebook1() const { return b_.Notebook1; }
    QWidget* panScriptTop() const { return b_.panScriptTop; }
    QToolButton* sbtnFirstVol() const { return b_.sbtnFirstVol; }
    QToolButton* sbtnPreVol() const { return b_.sbtnPreVol; }
    QToolButton* sbtnNextVol() const { return b_.sbtnNextVol; }
    QToolButton* sbtnLastVol() const { return b_.sbtnLastVol; }
    QToolButton* sbtnChapterSelect() const { return b_.sbtnChapterSelect; }
    QLineEdit* edtChapterNum() const { return b_.edtChapterNum; }
    QTreeWidget* trvBook() const { return b_.trvBook; }
    QWidget* panRight() const { return b_.panRight; }
    QTabWidget* PageControl1() const { return b_.PageControl1; }
    QWidget* tshtSeriP() const { return b_.tshtSeriP; }
    TStringGrid* sgrdSeriP() const { return b_.tshtSeriP->Grid(); }
    QWidget* tshtLingXiu() const { return b_.tshtLingXiu; }
    QTextEdit* redtLingXiu() const { return b_.redtLingXiu; }
    QWidget* tshtSearchResult() const { return b_.panFindOpt->ResultPage(); }
    TStringGrid* sgrdSearchResult() const { return b_.panFindOpt->Grid(); }
    QWidget* panReadArea() const { return b_.panReadArea; }
    TStringGrid* sgrdMain() const { return b_.sgrdMain; }
    QWidget* panBottom() const { return b_.panBottom; }
    QToolBar* ToolBar2() const { return b_.ToolBar2; }
    QWidget* panFindOpt() const { return b_.panFindOpt; }
    QToolButton* ToolButton1() const { return b_.ToolButton1; }
    QToolButton* ToolButton2() const { return b_.ToolButton2; }
    QAction* tbtnFirstChapter() const { return b_.tbtnFirstChapter; }
    QAction* tbtnPrevChapter() const { return b_.tbtnPrevChapter; }
    QAction* ToolButton8() const { return b_.ToolButton8; }
    QAction* ToolButton9() const { return b_.ToolButton9; }
    QAction* ToolButton11() const { return b_.ToolButton11; }
    QAction* tbtnNexChapter() const { return b_.tbtnNexChapter; }
    QAction* tbtnLastChapter() const { return b_.tbtnLastChapter; }
    QAction* ToolButton3() const { return b_.ToolButton3; }
    QAction* tbtnFind() const { return b_.tbtnFind; }
    QMenu* PopupMenu1() const { return b_.PopupMenu1; }
    QMenu* ppmChapterSelect() const { return b_.ppmChapterSelect; }
    QMenu* ppmNaviBack() const { return b_.ppmNaviBack; }
    QMenu* ppmNaviForw() const { return b_.ppmNaviForw; }
    QAction* Remark1() const { return b_.Remark1; }
    QAction* miMenuEditor() const { return b_.miMenuEditor; }
    QAction* miTextOnly() const { return b_.miTextOnly; }
    QAction* miCopy4Write() const { return b_.miCopy4Write; }
    QAction* miCopy4MoreWrite() const { return b_.miCopy4MoreWrite; }
    QAction* miCopy4MoreTitle() const { return b_.miCopy4MoreTitle; }
    QAction* Copy1() const { return b_.Copy1; }
    QAction* miCopySp() const { return b_.miCopySp; }
    QMenu* N3() const { return b_.N3; }
    QAction* acBackward() const { return b_.acBackward; }
    QAction* acForward() const { return b_.acForward; }
    QAction* acRemark() const { return b_.acRemark; }
    QAction* acCopyAll() const { return b_.acCopyAll; }
    QAction* acCopy4Write() const { return b_.acCopy4Write; }
    QAction* acEditor() const { return b_.acEditor; }
    QTimer* tmrTreeChanged() const { return b_.tmrTreeChanged; }
    QTimer* tmrDrawSelectFrame() const { return b_.tmrDrawSelectFrame; }
    QTimer* tmrHintBallBuffer() const { return b_.tmrHintBallBuffer; }
    QObject* balloonHover_() const { return b_.balloonHover_; }
    QComboBox* cbxKeyText() const { return b_.panFindOpt->cbxKeyText; }
    QToolButton* sbtnExeSearch() const { return b_.panFindOpt->sbtnExeSearch; }
    QRadioButton* RadioButton1() const { return b_.panFindOpt->RadioButton1; }
    QRadioButton* RadioButton2() const { return b_.panFindOpt->RadioButton2; }
    QRadioButton* RadioButton3() const { return b_.panFindOpt->RadioButton3; }
    QRadioButton* RadioButton4() const { return b_.panFindOpt->RadioButton4; }
    std::array<QAction*, 10>& acBookmark() const { return b_.acBookmark; }

    std::array<int, 10>& BookMarks() const { return b_.bookMarks_; }
    QStringList& MarkedRows() const { return b_.MarkedRows; }
    int GridFirstLine() const { return b_.gridFirstLine_; }
    int SelectFramePhase() const { return b_.selectFramePhase_; }
    void SetSelectFramePhase(int phase) const { b_.selectFramePhase_ = phase; }
    int ChainPaneChapter() const { return b_.tshtSeriP->ListedChapter(); }
    THistoryList* History() const { return b_.history_.get(); }
    const std::string& SearchedText() const { return b_.panFindOpt->SearchedText(); }

    void tbtnNexChapterClick() const { b_.tbtnNexChapterClick(); }
    void tbtnFindClick() const { b_.tbtnFindClick(); }
    void FillChainPane() const { b_.tshtSeriP->FillChainPane(); }
    const std::vector<QStringList>& EnglishLines() const { return b_.englishLines_; }
    int EnglishRowsHeight(int entry) const { return b_.EnglishRowsHeight(entry); }
    void tmrDrawSelectFrameTimer() const { b_.tmrDrawSelectFrameTimer(); }
    void ChapterMenuClick(QAction* item) const { b_.ChapterMenuClick(item); }
    void miTextOnlyClick() const { b_.miTextOnlyClick(); }
    int ShownVerseLine(int row) const { return b_.ShownVerseLine(row); }
    void LayoutRows(TStringGrid* grid, int col, int first, const StringList* source,
                    int last) const {
        b_.LayoutRows(grid, col, first, source, last);
    }

private:
    TfmBook& b_;
};

} // namespace orvane
