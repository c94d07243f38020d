// The window's side of the full-text search: showing and placing the find panel beside the
// tool bar, and the study-note pane's catching up with a row.
#include "wnBook.h"

#include "SearchPanel.h"
#include "StudyNotePane.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QTabWidget>
#include <QToolBar>

namespace orvane {

void TfmBook::CreateSearch() {
    panBottom->installEventFilter(this); // PlaceFindPanel on every resize
    connect(panFindOpt, &TSearchPanel::layoutWanted, this,
            [this](TStringGrid* grid) { LayoutRows(grid, 1, 0, nullptr, grid->RowCount() - 1); });
    connect(tbtnFind, &QAction::toggled, this, [this] { tbtnFindClick(); });
}

QStringList TfmBook::SearchKeys() const {
    return panFindOpt->SearchKeys();
}

bool TfmBook::SearchResultEmpty() const {
    return panFindOpt->SearchResultEmpty();
}

// --- the find panel -----------------------------------------------------------------------

void TfmBook::tbtnFindClick() {
    if (tbtnFind->isChecked()) {
        // The tool bar keeps all its buttons beside the panel, tbtnFind among them.
        ToolBar2->setMinimumWidth(ToolBar2->sizeHint().width());
        panFindOpt->show();
        panFindOpt->FocusKeyBox();
        if (PageControl1->currentWidget() != panFindOpt->ResultPage())
            PageControl1->setCurrentWidget(panFindOpt->ResultPage());
    } else {
        panFindOpt->hide();
        ToolBar2->setMinimumWidth(0);
    }
    PlaceFindPanel();
    if (!panFindOpt->SearchedText().empty()) sgrdMain->viewport()->update();
}

void TfmBook::ToggleFindPanel() {
    tbtnFind->setChecked(!tbtnFind->isChecked());
    tbtnFindClick();
}

void TfmBook::SearchFor(const QString& keys) {
    if (!tbtnFind->isChecked()) {
        tbtnFind->setChecked(true);
        tbtnFindClick();
    }
    panFindOpt->RunSearch(keys);
}

void TfmBook::PlaceFindPanel() {
    auto* grid = static_cast<QGridLayout*>(panBottom->layout());
    const int needed = ToolBar2->sizeHint().width() + grid->horizontalSpacing() +
                       panFindOpt->minimumSizeHint().width();
    const bool ownRow = !panFindOpt->isHidden() && needed > panBottom->width();
    int row = 0, col = 0, rows = 0, cols = 0;
    grid->getItemPosition(grid->indexOf(panFindOpt), &row, &col, &rows, &cols);
    if (ownRow == (row == 1)) return;
    grid->removeWidget(panFindOpt);
    if (ownRow)
        grid->addWidget(panFindOpt, 1, 0, 1, 2);
    else
        grid->addWidget(panFindOpt, 0, 1);
}

// --- the study-note pane ------------------------------------------------------------------

void TfmBook::ShowLingXiuNote(int row) {
    redtLingXiu->ShowNote(RowToVerseLine(row));
}

} // namespace orvane
