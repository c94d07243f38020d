#include "wnBook.h"

#include "ChainPane.h"
#include "CompactStyle.h"
#include "HistoryList.h"
#include "PageTabStyle.h"
#include "ReaderPictures.h"
#include "ReadingFont.h"
#include "ReadingSize.h"
#include "SearchPanel.h"
#include "Splitter.h"
#include "StudyNotePane.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvane {
namespace {

QIcon ToolIcon(int index) {
    return QIcon(QPixmap::fromImage(ToolImage(index)));
}

QToolButton* BookButton(QWidget* parent, const char* name, const QString& hint, int image) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setIcon(ToolIcon(image));
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(22, 22);
    return button;
}

QAction* MakeAction(QObject* parent, const char* name, const QString& caption, const QString& hint,
                    int image) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(QLatin1String(name));
    if (!hint.isEmpty()) action->setToolTip(hint);
    if (image >= 0) action->setIcon(ToolIcon(image));
    return action;
}

} // namespace

TfmBook::TfmBook(QWidget* parent) : TfmAnceDisp(parent) {
    FormCreate();
}

TfmBook::~TfmBook() {
    FormDestroy();
}

void TfmBook::FormCreate() {
    setObjectName(QStringLiteral("fmBook"));
    MarkerBall = QImage(16, 16, QImage::Format_RGB888);
    NoteIcon = QImage(16, 16, QImage::Format_ARGB32);

    acBackward = MakeAction(this, "acBackward", QStringLiteral("后退"), QStringLiteral("后退"), 43);
    acForward = MakeAction(this, "acForward", QStringLiteral("前进"), QStringLiteral("前进"), 44);
    acRemark = MakeAction(this, "acRemark", QStringLiteral("批注"), {}, 16);
    acCopyAll = MakeAction(this, "acCopyAll", QStringLiteral("复制(完整格式)"),
                           QStringLiteral("复制(完整格式)"), 14);
    acCopy4Write = MakeAction(this, "acCopy4Write", QStringLiteral("复制(写作格式)"),
                              QStringLiteral("复制(写作格式)"), 14);
    for (int i = 0; i < 10; ++i) {
        acBookmark[size_t(i)] =
            MakeAction(this, "acBookmark", QStringLiteral("书签%1").arg(i), {}, 22 + i);
        acBookmark[size_t(i)]->setObjectName(QStringLiteral("acBookmark%1").arg(i));
        acBookmark[size_t(i)]->setData(i);
    }
    acEditor = MakeAction(this, "acEditor", QStringLiteral("编辑栏(&F)"), {}, 36);
    acEditor->setCheckable(true);
    connect(acRemark, &QAction::triggered, this, &TfmBook::acRemarkExecute);
    connect(acEditor, &QAction::triggered, this, &TfmBook::editorToggled);

    tmrTreeChanged = new QTimer(this);
    tmrTreeChanged->setInterval(250);
    tmrTreeChanged->setSingleShot(true);
    connect(tmrTreeChanged, &QTimer::timeout, this, &TfmBook::tmrTreeChangedTimer);
    tmrDrawSelectFrame = new QTimer(this);
    tmrDrawSelectFrame->setInterval(250);
    connect(tmrDrawSelectFrame, &QTimer::timeout, this, &TfmBook::tmrDrawSelectFrameTimer);
    tmrHintBallBuffer = new QTimer(this);
    tmrHintBallBuffer->setInterval(200);
    tmrHintBallBuffer->setSingleShot(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    splV = new TSplitter(Qt::Horizontal, this);
    splV->setObjectName(QStringLiteral("splV"));
    layout->addWidget(splV);
    CreateLeftPanel();
    CreateRightPanel();
    splV->addWidget(panLeft);
    splV->addWidget(panRight);
    splV->setStretchFactor(1, 1);
    splV->setSizes({147, 621});
    CreatePopupMenu();
    CreateHistory();
    CreateChainPane();
    CreateBalloon();
    CreateBookmarks();
    CreateCopy();
    CreateSearch();
    CreateReadingSize();
    // Every hint the window's controls show, also those the controls raise themselves when the
    // pointer rests (the grids' balls and notes, the result count of the key box).
    for (QWidget* w : findChildren<QWidget*>())
        w->setToolTipDuration(HintHidePause);
    tmrDrawSelectFrame->start();
}

void TfmBook::CreateLeftPanel() {
    panLeft = new QWidget(this);
    panLeft->setObjectName(QStringLiteral("panLeft"));
    auto* box = new QVBoxLayout(panLeft);
    box->setContentsMargins(0, 0, 0, 0);
    Notebook1 = new QStackedWidget(panLeft);
    box->addWidget(Notebook1);
    auto* script = new QWidget(Notebook1);
    script->setObjectName(QStringLiteral("Script"));
    Notebook1->addWidget(script);
    auto* page = new QVBoxLayout(script);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(1);

    panScriptTop = new QWidget(script);
    auto* top = new QHBoxLayout(panScriptTop);
    top->setContentsMargins(1, 1, 1, 1);
    top->setSpacing(0);
    sbtnFirstVol = BookButton(panScriptTop, "sbtnFirstVol", QStringLiteral("首卷"), 2);
    sbtnPreVol = BookButton(panScriptTop, "sbtnPreVol", QStringLiteral("上一卷"), 3);
    sbtnNextVol = BookButton(panScriptTop, "sbtnNextVol", QStringLiteral("下一卷"), 4);
    sbtnLastVol = BookButton(panScriptTop, "sbtnLastVol", QStringLiteral("末卷"), 5);
    sbtnChapterSelect =
        BookButton(panScriptTop, "sbtnChapterSelect", QStringLiteral("选择章节"), -1);
    sbtnChapterSelect->setIcon(QIcon(QPixmap::fromImage(ReportTypeImage(0))));
    edtChapterNum = new QLineEdit(panScriptTop);
    edtChapterNum->setObjectName(QStringLiteral("edtChapterNum"));
    edtChapterNum->setMaxLength(3);
    edtChapterNum->setFixedWidth(36);
    edtChapterNum->setAlignment(Qt::AlignCenter);
    edtChapterNum->setToolTip(QStringLiteral("输入章号，按回车"));
    edtChapterNum->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(sbtnFirstVol), static_cast<QWidget*>(sbtnPreVol),
                       static_cast<QWidget*>(sbtnNextVol), static_cast<QWidget*>(sbtnLastVol),
                       static_cast<QWidget*>(sbtnChapterSelect)})
        top->addWidget(w);
    top->addStretch(1);
    top->addWidget(edtChapterNum);
    page->addWidget(panScriptTop);

    trvBook = new QTreeWidget(script);
    trvBook->setObjectName(QStringLiteral("trvBook"));
    trvBook->setHeaderHidden(true);
    trvBook->setIndentation(19);
    trvBook->setRootIsDecorated(false);
    trvBook->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvBook->setIconSize(QSize(16, 16));
    trvBook->setMouseTracking(true);
    page->addWidget(trvBook, 1);

    connect(trvBook, &QTreeWidget::currentItemChanged, this, [this] { trvBookChange(); });
    // Deselecting and reselecting the current book (a jump to it) is a change too.
    connect(trvBook, &QTreeWidget::itemSelectionChanged, this, &TfmBook::trvBookChange);
    connect(sbtnFirstVol, &QToolButton::clicked, this, &TfmBook::sbtnFirstVolClick);
    connect(sbtnPreVol, &QToolButton::clicked, this, &TfmBook::sbtnPreVolClick);
    connect(sbtnNextVol, &QToolButton::clicked, this, &TfmBook::sbtnNextVolClick);
    connect(sbtnLastVol, &QToolButton::clicked, this, &TfmBook::sbtnLastVolClick);
    connect(sbtnChapterSelect, &QToolButton::clicked, this, &TfmBook::sbtnChapterSelectClick);

    ppmChapterSelect = new QMenu(this);
    ppmChapterSelect->setObjectName(QStringLiteral("ppmChapterSelect"));
    connect(ppmChapterSelect, &QMenu::triggered, this, &TfmBook::ChapterMenuClick);
}

void TfmBook::CreateRightPanel() {
    panRight = new QWidget(this);
    panRight->setObjectName(QStringLiteral("panRight"));
    auto* box = new QVBoxLayout(panRight);
    box->setContentsMargins(0, 0, 0, 0);
    splH = new TSplitter(Qt::Vertical, panRight);
    splH->setObjectName(QStringLiteral("splH"));
    box->addWidget(splH);

    panReadArea = new QWidget(splH);
    panReadArea->setObjectName(QStringLiteral("panReadArea"));
    panReadArea->installEventFilter(this);
    auto* read = new QVBoxLayout(panReadArea);
    read->setContentsMargins(0, 0, 0, 0);
    read->setSpacing(0);
    sgrdMain = new TStringGrid(panReadArea);
    sgrdMain->setObjectName(QStringLiteral("sgrdMain"));
    sgrdMain->setFont(ReadingFont());
    sgrdMain->SetColCount(2);
    sgrdMain->SetRowCount(5);
    sgrdMain->SetFixedRows(1);
    sgrdMain->SetColWidth(0, kVerseColumnWidth);
    sgrdMain->SetColWidth(1, 266);
    sgrdMain->SetRowHeight(0, 20);
    sgrdMain->setContextMenuPolicy(Qt::CustomContextMenu);
    sgrdMain->OnDrawCell = [this](QPainter& p, int c, int r, const QRect& rect, TGridDrawState s) {
        sgrdMainDrawCell(sgrdMain, p, c, r, rect, s);
    };
    sgrdMain->OnSelectCell = [this](int c, int r, bool& can) { sgrdMainSelectCell(c, r, can); };
    read->addWidget(sgrdMain, 1);
    CreateToolBar();
    read->addWidget(panBottom);

    PageControl1 = new QTabWidget(splH);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->setDocumentMode(true);
    PageControl1->tabBar()->setMovable(true);
    TPageTabStyle::Install(PageControl1);
    auto page = [this](const char* name, const QString& caption, QWidget* content) {
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName(QLatin1String(name));
        auto* l = new QVBoxLayout(sheet);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(content);
        PageControl1->addTab(sheet, caption);
        return sheet;
    };
    tshtSeriP = new TChainPane(PageControl1);
    PageControl1->addTab(tshtSeriP, QStringLiteral("串珠内容"));
    redtLingXiu = new TStudyNotePane;
    tshtLingXiu = page("tshtLingXiu", QStringLiteral("灵修版注释"), redtLingXiu);
    PageControl1->addTab(panFindOpt->ResultPage(), QStringLiteral("搜索结果"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfmBook::PageControl1Change);

    splH->addWidget(panReadArea);
    splH->addWidget(PageControl1);
    splH->setStretchFactor(0, 1);
    splH->setSizes({267 - 131, 131});
}

void TfmBook::CreateToolBar() {
    panBottom = new QWidget(panReadArea);
    panBottom->setObjectName(QStringLiteral("panBottom"));
    // The tool bar on the left; the find panel beside it, or on a row of its own below it when
    // the two do not fit side by side (PlaceFindPanel).
    auto* bottom = new QGridLayout(panBottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setHorizontalSpacing(4);
    bottom->setVerticalSpacing(0);
    bottom->setColumnStretch(1, 1);
    ToolBar2 = new QToolBar(panBottom);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setIconSize(QSize(16, 16));
    ToolBar2->setMovable(false);
    ToolBar2->setFloatable(false);
    TCompactStyle::Install(ToolBar2);
    bottom->addWidget(ToolBar2, 0, 0, Qt::AlignLeft);
    panFindOpt = new TSearchPanel(*this, panBottom);
    bottom->addWidget(panFindOpt, 0, 1);

    ppmNaviBack = new QMenu(this);
    ppmNaviBack->setObjectName(QStringLiteral("ppmNaviBack"));
    ppmNaviForw = new QMenu(this);
    ppmNaviForw->setObjectName(QStringLiteral("ppmNaviForw"));
    auto dropDown = [this](const char* name, QAction* action, QMenu* menu) {
        auto* button = new QToolButton(ToolBar2);
        button->setObjectName(QLatin1String(name));
        button->setDefaultAction(action);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setAutoRaise(true);
        TCompactStyle::Install(button);
        ToolBar2->addWidget(button);
        return button;
    };
    ToolButton1 = dropDown("ToolButton1", acBackward, ppmNaviBack);
    ToolButton2 = dropDown("ToolButton2", acForward, ppmNaviForw);
    ToolBar2->addSeparator();
    auto add = [this](const char* name, const QString& hint, int image) {
        QAction* a = MakeAction(this, name, hint, hint, image);
        ToolBar2->addAction(a);
        return a;
    };
    tbtnFirstChapter = add("tbtnFirstChapter", QStringLiteral("卷首章"), 2);
    tbtnPrevChapter = add("tbtnPrevChapter", QStringLiteral("上一章"), 3);
    ToolButton8 = add("ToolButton8", QStringLiteral("上一行"), 37);
    ToolButton9 = add("ToolButton9", QStringLiteral("当前行置顶"), 20);
    ToolButton11 = add("ToolButton11", QStringLiteral("下一行"), 38);
    tbtnNexChapter = add("tbtnNexChapter", QStringLiteral("下一章"), 4);
    tbtnLastChapter = add("tbtnLastChapter", QStringLiteral("卷末章"), 5);
    ToolBar2->addSeparator();
    ToolBar2->addAction(acRemark);
    ToolButton3 = add("ToolButton3", QStringLiteral("复制"), 14);
    ToolBar2->addSeparator();
    tbtnFind = add("tbtnFind", QStringLiteral("查找"), 21);
    tbtnFind->setCheckable(true);
    // As small as the book buttons of the left panel: the style's own padding would push the
    // find panel past the window's edge at its first width.
    for (QAction* a : ToolBar2->actions())
        if (auto* button = qobject_cast<QToolButton*>(ToolBar2->widgetForAction(a));
            button && !button->menu())
            button->setFixedSize(22, 22);

    connect(tbtnFirstChapter, &QAction::triggered, this, &TfmBook::tbtnFirstChapterClick);
    connect(tbtnPrevChapter, &QAction::triggered, this, &TfmBook::tbtnPrevChapterClick);
    connect(ToolButton8, &QAction::triggered, this, &TfmBook::ToolButton8Click);
    connect(ToolButton9, &QAction::triggered, this, &TfmBook::ToolButton9Click);
    connect(ToolButton11, &QAction::triggered, this, &TfmBook::ToolButton11Click);
    connect(tbtnNexChapter, &QAction::triggered, this, &TfmBook::tbtnNexChapterClick);
    connect(tbtnLastChapter, &QAction::triggered, this, &TfmBook::tbtnLastChapterClick);
}

void TfmBook::CreatePopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Remark1 = acRemark;
    PopupMenu1->addAction(Remark1);
    miMenuEditor = acEditor;
    PopupMenu1->addAction(miMenuEditor);
    PopupMenu1->addSeparator();
    auto item = [this](const char* name, const QString& caption, int image) {
        QAction* a = MakeAction(this, name, caption, {}, image);
        PopupMenu1->addAction(a);
        return a;
    };
    miTextOnly = item("miTextOnly", QStringLiteral("复制(纯经文格式)"), 33);
    miCopy4Write = acCopy4Write;
    PopupMenu1->addAction(miCopy4Write);
    miCopy4MoreWrite = item("miCopy4MoreWrite", QStringLiteral("复制(多节写作格式)"), 35);
    miCopy4MoreTitle = item("miCopy4MoreTitle", QStringLiteral("复制(多节经卷名格式)"), 35);
    Copy1 = acCopyAll;
    PopupMenu1->addAction(Copy1);
    miCopySp = item("miCopySp", QStringLiteral("复制(串珠内容)"), -1);
    PopupMenu1->addSeparator();
    N3 = PopupMenu1->addMenu(QStringLiteral("书签"));
    N3->setObjectName(QStringLiteral("N3"));
    for (QAction* a : acBookmark)
        N3->addAction(a);
    connect(sgrdMain, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(sgrdMain->mapToGlobal(at)); });
}

void TfmBook::acRemarkExecute() {
    emit remarkRequested(sgrdMain->Row());
}

void TfmBook::RemarkCurrentVerse() {
    acRemark->trigger();
}

void TfmBook::showEvent(QShowEvent* event) {
    TfmAnceDisp::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfmBook::FormShow() {
    BookmarksLoad();
    panFindOpt->SearchKeysLoad();
}

void TfmBook::FormDestroy() {
    tmrTreeChanged->stop();
    tmrDrawSelectFrame->stop();
    // Slots never read must not be written: that would wipe the stored ones.
    if (shown_) BookmarksSave();
}

bool TfmBook::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panReadArea && event->type() == QEvent::Resize) {
        panReadAreaResize();
    } else if (watched == panBottom && event->type() == QEvent::Resize) {
        PlaceFindPanel();
    } else if (watched == edtChapterNum && event->type() == QEvent::KeyPress) {
        return edtChapterNumKeyPress(static_cast<QKeyEvent*>(event));
    }
    return TfmAnceDisp::eventFilter(watched, event);
}

} // namespace orvane
