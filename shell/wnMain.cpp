#include "wnMain.h"

#include "Addressing.h"
#include "AppStart.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "DailyVerses.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "MsgBox.h"
#include "NotesStore.h"
#include "SettingsKeys.h"
#include "SkinState.h"
#include "unTMiscTabs.h"
#include "wnBook.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orvane {
namespace {

// The tab-strip colour slots per skin; an invalid colour stands for a system colour.
struct TabColours {
    QColor slot[8];
};

QColor Sys(QPalette::ColorRole role) {
    return QGuiApplication::palette().color(role);
}

} // namespace

TfmMain::TfmMain(QWidget* parent) : TfmAnceMain(parent) {
    FormCreate();
}

TfmMain::~TfmMain() {
    FormDestroy();
}

void TfmMain::CreateMenu() {
    MainMenu1 = new QMenuBar;
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    miDo = MainMenu1->addMenu(QStringLiteral("操作"));
    QMenu* skins = miDo->addMenu(QStringLiteral("皮肤"));
    auto* group = new QActionGroup(this);
    const struct {
        const char* name;
        const char* caption;
        int tag;
    } items[] = {{"miSkinDefault", "系统皮肤", 0},
                 {nullptr, nullptr, -1},
                 {"miSkinRed", "红胜火", 2},
                 {"miSkinBlue", "绿如蓝", 1},
                 {"miSkinGray", "灰色调", 3}};
    for (const auto& it : items) {
        if (!it.name) {
            skins->addSeparator();
            continue;
        }
        QAction* a = skins->addAction(QString::fromUtf8(it.caption));
        a->setObjectName(QLatin1String(it.name));
        a->setCheckable(true);
        a->setActionGroup(group);
        SkinItems[size_t(it.tag)] = a;
        const int tag = it.tag;
        connect(a, &QAction::triggered, this, [this, tag] { miSkinDefaultClick(tag); });
    }
    AddPrintItems();
    miDo->addSeparator();
    N6 = miDo->addAction(QStringLiteral("退出"));
    connect(N6, &QAction::triggered, this, &QWidget::close);

    miView = MainMenu1->addMenu(QStringLiteral("视图"));
    miView->setObjectName(QStringLiteral("miView"));
    QMenu* help = MainMenu1->addMenu(QStringLiteral("帮助"));
    help->addAction(QStringLiteral("更新手记"));
    help->addAction(QStringLiteral("帮助主题"));
    help->addAction(QStringLiteral("书目对照表"));
    help->addSeparator();
    help->addAction(QStringLiteral("关于"));
    CreateExportAndHelp(help);
    SetMainMenu(MainMenu1);
}

void TfmMain::FormCreate() {
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QString::fromUtf8(kAppTitle));
    TfmAncestor::SetMainForm(this);
    CreateMenu();
    resize(820, 409);
    // The window opens with its outer corner (the window manager's frame, or the drawn title
    // while a skin is on) at (52, 202), moved in where the screen is smaller.
    PlaceOnScreen(QPoint(52, 202));

    SetFrameTop(panToolBar->height() + 1);
    Tabs = new TMiscTabs(this);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    // Aligned left: the strip keeps its width and takes the full height.
    Tabs->setFixedWidth(Tabs->width());
    BodyLayout()->insertWidget(0, Tabs);
    SetFrameLeft(Tabs->width());

    Notebook1 = new QWidget(ClientArea());
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    auto* clientLayout = new QVBoxLayout(ClientArea());
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->addWidget(Notebook1);
    auto* notebookLayout = new QVBoxLayout(Notebook1);
    notebookLayout->setContentsMargins(0, 0, 0, 0);

    fmBook = new TfmBook(Notebook1);
    connect(fmBook, &TfmBook::verseJumped, this, &TfmMain::SyncToBook);
    for (int b = 0; b < kBookCount; ++b)
        BookNodes[size_t(b)] = {b, BookTable[size_t(b)].FirstChapter, 0, 0};
    fmBook->SetBookNodes(&BookNodes);
    ConnectNotes();
    CreateReadingView();
    connect(Tabs, &TMiscTabs::Clicked, this, [this] {
        if (tabsChangeAttached_) TabsChange();
    });

    int saved = 0;
    int skin = 0;
    QStringList tabLines;
    try {
        TInifileX ini;
        saved = ini.ReadInteger(settings::kMain, settings::kChapterInfo, 0);
        for (const std::string& line : ini.ReadSectionValues(settings::kTabs))
            tabLines << FromGbk(line);
        skin = ini.ReadInteger(settings::kMain, settings::kSkinIndex, 0);
    } catch (const std::exception&) {
        // Unreadable settings: the defaults below apply.
    }
    if (tabLines.isEmpty()) tabLines = {QStringLiteral("旧约=1"), QStringLiteral("新约=1")};
    LoadTabs(tabLines);
    if (skin >= 0 && skin < kSkinCount) miSkinDefaultClick(skin);
    RestorePlacement();

    // A position outside the text (a hand-edited file) starts at the first verse.
    if (saved < 0 || saved > kLastVerseLine) saved = 0;
    int book = 0;
    const int chapter = ChapterOfLine(saved, &book);
    const int verseRow = saved - ChapterTable[size_t(chapter)].FirstLine;

    try {
        loaded_ = TBibGlobe::LoadScripture();
    } catch (const std::exception&) {
        loaded_ = false;
    }
    if (!loaded_) {
        TMsgBox::Error(this, QStringLiteral("打开《圣经》文件失败！"));
        fmBook->hide();
        return;
    }

    NotebookPage = book < kFirstNewTestamentBook ? 0 : 1;
    tabsChangeAttached_ = false;
    // The settings may list the tabs in any order: the saved place opens under the tab of its
    // own testament, else it would be sought among the other testament's books and lost.
    SelectTestamentTab(NotebookPage);
    const int tab = Tabs->TabIndex();
    if ((tab < 0 || TabTestament(tab) != NotebookPage) && NotebookPage < Tabs->Tabs().Count())
        Tabs->SetTabIndex(NotebookPage);
    Tabs->SetFirstIndex(0);
    tabsChangeAttached_ = true;

    notebookLayout->addWidget(fmBook);
    ShowTestament(NotebookPage);

    fmBook->OpenPlace(book, chapter, verseRow);
    qApp->installEventFilter(this);
    StatusBar1->installEventFilter(this);
    for (QLabel* panel : StatusPanels)
        panel->installEventFilter(this);
}

void TfmMain::LoadTabs(const QStringList& lines) {
    tabsChangeAttached_ = false;
    QStringList captions;
    for (const QString& line : lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || line.mid(eq + 1) != QLatin1String("1")) continue;
        const QString name = line.left(eq);
        captions << (captions.isEmpty() ? name : name + QStringLiteral("　"));
    }
    Tabs->SetTabs(captions);
    if (!captions.isEmpty()) Tabs->SetTabIndex(0);
    tabsChangeAttached_ = true;
}

int TfmMain::TabTestament(int tabIndex) const {
    if (tabIndex < 0 || tabIndex >= Tabs->Tabs().Count()) return 1;
    return Tabs->Tabs()[tabIndex].startsWith(QStringLiteral("旧约")) ? 0 : 1;
}

void TfmMain::SelectTestamentTab(int testament) {
    const QString key = testament == 0 ? QStringLiteral("旧约") : QStringLiteral("新约");
    for (int i = 0; i < Tabs->Tabs().Count(); ++i)
        if (Tabs->Tabs()[i].startsWith(key)) {
            Tabs->SetTabIndex(i);
            return;
        }
}

void TfmMain::ShowTestament(int testament) {
    setUpdatesEnabled(false);
    NotebookPage = testament;
    fmBook->FillBookTree(testament == 1);
    fmBook->ShowBookPanel();
    fmBook->show();
    fmBook->raise();
    CurrentTestament = testament;
    setUpdatesEnabled(true);
}

void TfmMain::TabsChange() {
    if (!loaded_ || Tabs->TabIndex() < 0) return;
    ShowTestament(TabTestament(Tabs->TabIndex()));
    fmBook->EnsureBookSelected();
    fmBook->ShowRowDetails(fmBook->CurrentRow());
}

void TfmMain::SyncToBook(TBooksNodeData* nodeData) {
    if (!nodeData || !loaded_) return;
    const int testament =
        BookTable[size_t(nodeData->BookIndex)].LastLine > kFirstNewTestamentLine ? 1 : 0;
    if (testament != CurrentTestament) {
        SelectTestamentTab(testament);
        if (testament != CurrentTestament) ShowTestament(testament); // no tab for it
    }
    fmBook->SelectBook(nodeData);
}

void TfmMain::SkinChanged() {
    const bool skinned = SkinIndex != kSkinSystem;
    if (!skinned) SkinFaceColor = Sys(QPalette::Button);
    const QColor hot = panToolBar->MenuHotTextColor;
    const TabColours tables[4] = {
        {{Sys(QPalette::Base),
          Sys(QPalette::Highlight),
          Sys(QPalette::Base),
          {255, 251, 240},
          Sys(QPalette::Button),
          {0, 0, 0},
          Sys(QPalette::Dark),
          {255, 0, 0}}},
        {{hot,
          {0, 150, 255},
          {201, 213, 228},
          hot,
          {200, 235, 255},
          {0, 0, 0},
          {0, 150, 255},
          {255, 0, 0}}},
        {{hot,
          {255, 150, 0},
          {255, 255, 255},
          {132, 46, 0},
          {255, 220, 185},
          {0, 0, 0},
          {255, 150, 0},
          {255, 0, 0}}},
        {{hot,
          {204, 0, 0},
          {90, 99, 124},
          hot,
          {0, 0, 0},
          {255, 251, 240},
          {0, 0, 0},
          {255, 0, 0}}},
    };
    for (int slot = 0; slot < 8; ++slot)
        Tabs->SetColor(slot, tables[SkinIndex].slot[slot]);
    Tabs->SetBorderLines(skinned ? 15 : 0);
    Tabs->SetUseSkinPicture(skinned);
    if (skinned) {
        Notebook1->setContentsMargins(5, 5, 5, 5);
        Tabs->SetFacePicture(SkinBarFace);
        Tabs->SetSelectedPicture(SkinMenuHighlight);
    } else {
        Notebook1->setContentsMargins(0, 0, 0, 0);
    }
    Tabs->update();
    QPalette pal = Notebook1->palette();
    pal.setColor(QPalette::Window, SkinFaceColor);
    Notebook1->setPalette(pal);
    if (fmBook) fmBook->ReapplySkin();
}

void TfmMain::showEvent(QShowEvent* event) {
    TfmAnceMain::showEvent(event);
    if (!shown_ && !Reframing()) {
        shown_ = true;
        FormShow();
    }
}

void TfmMain::FormShow() {
    // Laid out by now: a splitter's sizes before the first layout are only proportions.
    if (loaded_) RestoreSplits();
    bool editor = false;
    try {
        editor = TInifileX().ReadBool(settings::kMain, settings::kEditorVisible, false);
    } catch (const std::exception&) {
    }
    if (editor && loaded_) OpenEditor();
    const StringList& verses = DailyVerses();
    if (!verses.empty() && DailyVerseIndex() >= 0 && size_t(DailyVerseIndex()) < verses.size())
        StatusPanels[2]->setText(FromGbk(verses[size_t(DailyVerseIndex())]));
}

void TfmMain::closeEvent(QCloseEvent* event) {
    FormClose();
    TfmAnceMain::closeEvent(event);
}

void TfmMain::FormClose() {
    try {
        SaveOnClose();
    } catch (const std::exception& e) {
        TMsgBox::Error(this, QString::fromUtf8(e.what()));
    }
}

void TfmMain::FormDestroy() {
    if (fmBook && loaded_ && fmBook->SelectedBookData()) {
        try {
            TInifileX().WriteInteger(settings::kMain, settings::kChapterInfo,
                                     fmBook->CurrentVerseLine());
        } catch (const std::exception&) {
            // No window is left to report to; the stored position stays as it was.
        }
    }
    Notes().FlushNotes();
    // The reading window writes its own settings as it goes; delete it while the book nodes it
    // points at still exist.
    delete fmBook;
    fmBook = nullptr;
}

void TfmMain::StatusBar1DblClick() {
    const StringList& verses = DailyVerses();
    if (verses.empty() || size_t(DailyVerseIndex()) >= verses.size()) return;
    QGuiApplication::clipboard()->setText(FromGbk(verses[size_t(DailyVerseIndex())]));
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
    if (ShortcutFilter(watched, event)) return true;
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == StatusBar1 ||
         std::find(StatusPanels.begin(), StatusPanels.end(), watched) != StatusPanels.end())) {
        StatusBar1DblClick();
        return true;
    }
    return TfmAnceMain::eventFilter(watched, event);
}

} // namespace orvane
