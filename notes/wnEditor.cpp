#include "wnEditor.h"

#include "MsgBox.h"
#include "NotesIcons.h"
#include "NotesText.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace orvane {

namespace {

constexpr QSize kFormSize{329, 234};
constexpr int kSeparatorWidth = 8;
constexpr int kCountPanelWidth = 50;
constexpr int kRightInset = 30;
constexpr int kTopInset = 60;

QPointer<TfmEditor>& InstanceSlot() {
    static QPointer<TfmEditor> editor;
    return editor;
}

TfmEditor::UrlOpener& OpenerSlot() {
    static TfmEditor::UrlOpener opener;
    return opener;
}

int& TextPoints() {
    static int points = 9;
    return points;
}

// 12 px at the reader's 9 points, growing with its reading size.
QFont ReadingFont(int points = 9) {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize((12 * points + 4) / 9);
    return font;
}

} // namespace

TfmEditor::TfmEditor(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fmEditor"));
    setWindowTitle(QStringLiteral("简易编辑框"));
    setFont(ReadingFont());
    QPalette face = palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
    resize(kFormSize);

    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setMovable(false);
    ToolBar2->setFloatable(false);
    ToolBar2->setIconSize(QSize(16, 16));
    ToolBar2->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbtnSearch = AddButton(NotesToolIcon(NotesIcon::Find), QStringLiteral("在整本圣经中查找"));
    tbtnSearch->setObjectName(QStringLiteral("tbtnSearch"));
    ToolButton1 = AddButton(NotesToolIcon(NotesIcon::WebSearch),
                            QString::fromUtf8(kSearchEngineName) + QStringLiteral("搜索"));
    ToolButton1->setObjectName(QStringLiteral("ToolButton1"));
    tbtnCopy = AddButton(NotesToolIcon(NotesIcon::Copy), QStringLiteral("复制"));
    tbtnCopy->setObjectName(QStringLiteral("tbtnCopy"));
    connect(tbtnSearch, &QToolButton::clicked, this, &TfmEditor::tbtnSearchClick);
    connect(ToolButton1, &QToolButton::clicked, this, &TfmEditor::ToolButton1Click);
    connect(tbtnCopy, &QToolButton::clicked, this, &TfmEditor::tbtnCopyClick);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFont(ReadingFont(TextPoints()));
    Memo1->setReadOnly(true);
    // Read-only, but the selection can still be made with the keyboard.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Lines wrap at the box's width; a horizontal bar would have nothing to scroll.
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->installEventFilter(this);
    setFocusProxy(Memo1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    // Room for a five-digit count, so the panel does not jump while the user types.
    StatusPanel0->setMinimumWidth(std::max(
        kCountPanelWidth,
        StatusPanel0->fontMetrics().horizontalAdvance(QStringLiteral("总字数：00000")) + 8));
    StatusPanel0->setFrameShape(QFrame::Panel);
    StatusPanel0->setFrameShadow(QFrame::Sunken);
    StatusBar1->addWidget(StatusPanel0);
    StatusPanel0->setText(CountCaption(QString()));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar2);
    layout->addWidget(Memo1, 1);
    layout->addWidget(StatusBar1);

    InstanceSlot() = this;
}

TfmEditor::~TfmEditor() = default;

QToolButton* TfmEditor::AddButton(const QIcon& icon, const QString& hint) {
    if (!ToolBar2->actions().isEmpty()) {
        auto* gap = new QWidget(ToolBar2);
        gap->setFixedWidth(kSeparatorWidth);
        ToolBar2->addWidget(gap);
    }
    auto* button = new QToolButton(ToolBar2);
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    // The selection stays visible and in use while a button is pressed.
    button->setFocusPolicy(Qt::NoFocus);
    ToolBar2->addWidget(button);
    return button;
}

void TfmEditor::SetTextPoints(int points) {
    TextPoints() = points;
    if (TfmEditor* editor = Instance()) editor->Memo1->setFont(ReadingFont(points));
}

TfmEditor* TfmEditor::Instance() {
    return InstanceSlot();
}

TfmEditor* TfmEditor::Create(QWidget* owner) {
    if (!InstanceSlot()) new TfmEditor(owner);
    return InstanceSlot();
}

bool TfmEditor::Showing() {
    return InstanceSlot() && InstanceSlot()->isVisible();
}

void TfmEditor::FollowVerse(int verseLine, const QString& text) {
    verseLine_ = verseLine;
    Memo1->setPlainText(text);
    StatusPanel0->setText(CountCaption(Memo1->toPlainText()));
}

void TfmEditor::ShowBeside(QWidget* readingWindow) {
    if (readingWindow) {
        QPoint at = readingWindow->mapToGlobal(
            QPoint(readingWindow->width() - width() - kRightInset, kTopInset));
        if (QScreen* screen = readingWindow->screen()) {
            const QRect room = screen->availableGeometry();
            at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
            at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
        }
        move(at);
    }
    show();
    raise();
}

QString TfmEditor::SelectedText() const {
    return Memo1->textCursor().selection().toPlainText();
}

QString TfmEditor::SearchWords() const {
    // A search key is one line; line breaks within the selection separate words like blanks.
    return SelectedText().simplified();
}

void TfmEditor::tbtnCopyClick() {
    const QString text = Memo1->textCursor().hasSelection() ? SelectedText() : Memo1->toPlainText();
    QGuiApplication::clipboard()->setText(text);
}

void TfmEditor::tbtnSearchClick() {
    const QString words = SearchWords();
    if (words.isEmpty() || !OnScriptureSearch) return;
    OnScriptureSearch(words);
}

void TfmEditor::ToolButton1Click() {
    const QString words = SearchWords();
    if (words.isEmpty()) {
        TMsgBox::Info(this, QStringLiteral("请选中要查找的文字！"));
        return;
    }
    const QString address = QString::fromLatin1(SearchAddress(words));
    if (!ShellOpen(address)) TMsgBox::Error(this, QStringLiteral("无法打开网页：%1").arg(address));
}

QByteArray TfmEditor::SearchAddress(const QString& text) {
    QByteArray address(kSearchEngine);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QByteArray piece = QUrl::toPercentEncoding(text.mid(i, n));
        if (address.size() + piece.size() > kMaxAddressLength) break;
        address += piece;
        i += n;
    }
    return address;
}

bool TfmEditor::ShellOpen(const QString& address) {
    QString target = address;
    if (target.contains(QLatin1Char('@')) &&
        !target.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
        target.prepend(QStringLiteral("mailto:"));
    const QUrl url(target, QUrl::TolerantMode);
    const UrlOpener& opener = OpenerSlot();
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

void TfmEditor::SetUrlOpener(UrlOpener opener) {
    OpenerSlot() = std::move(opener);
}

bool TfmEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfmEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TfmEditor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit VisibilityChanged(true);
}

void TfmEditor::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit VisibilityChanged(false);
}

} // namespace orvane
