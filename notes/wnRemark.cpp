#include "wnRemark.h"

#include "Addressing.h"
#include "BookTables.h"
#include "ColorButton.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "MsgBox.h"
#include "NotesStore.h"
#include "NotesText.h"
#include "SettingsKeys.h"
#include "SkinState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace orvane {

namespace {

constexpr int kDefaultWidth = 336;
constexpr int kDefaultHeight = 216;
constexpr int kSeparatorWidth = 8;
constexpr int kCountPanelWidth = 50;

QString DiscardQuestion() {
    return QStringLiteral("确认要放弃当前修改吗？");
}

QString ErrorText(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

// The tool bar: the skin's bar face stretched behind the buttons, the platform's panel otherwise.
class TCoolBar : public QToolBar {
public:
    using QToolBar::QToolBar;

protected:
    void paintEvent(QPaintEvent* event) override {
        if (SkinIndex == kSkinSystem || SkinBarFace.isNull()) {
            QToolBar::paintEvent(event);
            return;
        }
        QPainter p(this);
        p.drawImage(rect(), SkinBarFace);
    }
};

} // namespace

TfmRemark::TfmRemark(QWidget* parent) : TfmAnceDlg(parent, Border::SizeToolWin) {
    setObjectName(QStringLiteral("fmRemark"));
    setWindowTitle(QStringLiteral("批注"));
    CreateControls();
    ApplySkin();
}

void TfmRemark::CreateControls() {
    // The tool bar does the base's OK and Cancel; its buttons would only sit on the text.
    btnAnceOK->hide();
    btnAnceCancel->hide();

    ToolBar1 = new TCoolBar(ClientArea());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbtnSave = AddButton(NotesIcon::Save, QStringLiteral("确定"));
    tbtnSave->setObjectName(QStringLiteral("tbtnSave"));
    tbtnCancel = AddButton(NotesIcon::Cancel, QStringLiteral("放弃"));
    tbtnCancel->setObjectName(QStringLiteral("tbtnCancel"));
    auto* gap = new QWidget(ToolBar1);
    gap->setFixedWidth(kSeparatorWidth);
    ToolBar1->addWidget(gap);
    tbtnDelete = AddButton(NotesIcon::Delete, QStringLiteral("删除当前批注"));
    tbtnDelete->setObjectName(QStringLiteral("tbtnDelete"));
    connect(tbtnSave, &QToolButton::clicked, this, &TfmRemark::tbtnSaveClick);
    connect(tbtnCancel, &QToolButton::clicked, this, &TfmRemark::tbtnCancelClick);
    connect(tbtnDelete, &QToolButton::clicked, this, &TfmRemark::tbtnDeleteClick);

    Memo1 = new QPlainTextEdit(ClientArea());
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Lines wrap at the box's width; a horizontal bar would have nothing to scroll.
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab leaves the box: a TAB inside a note is what the notes file uses for a line break.
    Memo1->setTabChangesFocus(true);
    Memo1->installEventFilter(this);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TfmRemark::Memo1Change);

    StatusBar1 = new QStatusBar(ClientArea());
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    // Room for a five-digit count, so the panel does not jump while the user types.
    StatusPanel0->setMinimumWidth(std::max(
        kCountPanelWidth,
        StatusPanel0->fontMetrics().horizontalAdvance(QStringLiteral("总字数：00000")) + 8));
    StatusBar1->addWidget(StatusPanel0);

    auto* layout = new QVBoxLayout(ClientArea());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(Memo1, 1);
    layout->addWidget(StatusBar1);

    setFocusProxy(Memo1);
    Memo1Change();
}

QToolButton* TfmRemark::AddButton(NotesIcon image, const QString& hint) {
    auto* button = new QToolButton(ToolBar1);
    button->setIcon(NotesToolIcon(image));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    // The caret stays in the text while the buttons are used.
    button->setFocusPolicy(Qt::NoFocus);
    ToolBar1->addWidget(button);
    return button;
}

void TfmRemark::ApplySkin() {
    TfmAnceDlg::ApplySkin();
    if (!Memo1) return; // the base's own call, before the controls exist
    const bool skinned = SkinIndex != kSkinSystem;
    StatusPanel0->setFrameShape(skinned ? QFrame::NoFrame : QFrame::Panel);
    StatusPanel0->setFrameShadow(QFrame::Sunken);
    // The frame's own grips resize a skinned window.
    StatusBar1->setSizeGripEnabled(!skinned);
    QPalette palette = Memo1->palette();
    const QColor base = skinned && SkinFaceColor.isValid()
                            ? SkinFaceColor
                            : QApplication::palette().color(QPalette::Base);
    palette.setColor(QPalette::Base, base);
    Memo1->setPalette(palette);
    ToolBar1->update();
}

QString TfmRemark::ToBoxText(const QString& stored) {
    QString box = stored;
    box.replace(QLatin1Char('\t'), QLatin1Char('\n'));
    return TrimBlankEnds(box);
}

QString TfmRemark::ToStoredText(const QString& box) {
    QString stored = box;
    stored.replace(QLatin1Char('\t'), QLatin1Char(' '));
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\t"));
    for (QChar lineBreak : {QChar(u'\n'), QChar(u'\r'), QChar(QChar::LineSeparator),
                            QChar(QChar::ParagraphSeparator)})
        stored.replace(lineBreak, QLatin1Char('\t'));
    return TrimBlankEnds(stored);
}

void TfmRemark::SetNoteText(const QString& stored) {
    Memo1->setPlainText(ToBoxText(stored));
    opening_ = Memo1->toPlainText();
    Memo1->moveCursor(QTextCursor::End);
}

QString TfmRemark::NoteText() const {
    return ToStoredText(Memo1->toPlainText());
}

bool TfmRemark::Changed() const {
    return Memo1->toPlainText() != opening_;
}

bool TfmRemark::Validate() {
    QString lost;
    if (FitsGbk(Memo1->toPlainText(), &lost)) return true;
    TMsgBox::Info(this,
                  QStringLiteral("批注中的字符“%1”无法保存，请删除或换用其他字符。").arg(lost));
    return false;
}

bool TfmRemark::Accept(const QString& boxText) {
    const QString stored = ToStoredText(boxText);
    if (Store) {
        try {
            Store(stored);
        } catch (const std::exception& e) {
            TMsgBox::Error(this, QStringLiteral("批注未能保存：%1").arg(ErrorText(e)));
            return false;
        }
    }
    accepted_ = stored;
    opening_ = boxText;
    return true;
}

void TfmRemark::tbtnSaveClick() {
    if (!Validate()) return;
    if (Accept(Memo1->toPlainText())) SetModalResult(mrOK);
}

void TfmRemark::tbtnCancelClick() {
    if (Changed() && !TMsgBox::Confirm(this, DiscardQuestion())) return;
    opening_ = Memo1->toPlainText();
    SetModalResult(mrCancel);
}

void TfmRemark::tbtnDeleteClick() {
    if (!TMsgBox::Confirm(this, QStringLiteral("确认要删除吗？"))) return;
    if (!Accept(QString())) return;
    Memo1->clear();
    SetModalResult(mrOK);
}

void TfmRemark::Memo1Change() {
    StatusPanel0->setText(CountCaption(Memo1->toPlainText()));
}

bool TfmRemark::Memo1KeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F5:
        tbtnCancelClick();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!(event->modifiers() & Qt::ControlModifier)) return false;
        tbtnSaveClick();
        return true;
    default:
        return false;
    }
}

bool TfmRemark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo1 && event->type() == QEvent::KeyPress &&
        Memo1KeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return TfmAnceDlg::eventFilter(watched, event);
}

void TfmRemark::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        tbtnCancelClick();
        return;
    }
    TfmAnceDlg::keyPressEvent(event);
}

void TfmRemark::closeEvent(QCloseEvent* event) {
    // Closing by the title bar or the system; OK, Cancel and Delete have decided already.
    if (GetModalResult() == mrNone && isVisible() && Changed() &&
        !TMsgBox::Confirm(this, DiscardQuestion())) {
        event->ignore();
        return;
    }
    TfmAnceDlg::closeEvent(event);
}

void TfmRemark::showEvent(QShowEvent* event) {
    TfmAnceDlg::showEvent(event);
    Memo1->setFocus();
}

bool TfmRemark::Execute(QWidget* owner, QString& note, const QString& reference,
                        StoreHandler store) {
    QPointer<TfmRemark> form = new TfmRemark(owner);
    if (!reference.isEmpty()) form->setWindowTitle(QStringLiteral("批注 - %1").arg(reference));
    form->Store = std::move(store);

    const int readWidth =
        TInifileX().ReadInteger(settings::kMain, settings::kNoteWidth, kDefaultWidth);
    const int readHeight =
        TInifileX().ReadInteger(settings::kMain, settings::kNoteHeight, kDefaultHeight);
    // A hand-edited or stale size must not make the window vanish or outgrow the screen.
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1 << 14, 1 << 14);
    const QSize least = form->minimumSize();
    form->resize(std::clamp(readWidth, least.width(), std::max(least.width(), room.width())),
                 std::clamp(readHeight, least.height(), std::max(least.height(), room.height())));

    form->SetNoteText(note);
    const bool accepted = form->ShowModal() == mrOK && form;
    if (!form) return false;
    if (accepted) note = form->AcceptedText();

    const QSize size = form->size();
    delete form.data();
    try {
        TInifileX ini;
        if (size.width() != readWidth)
            ini.WriteInteger(settings::kMain, settings::kNoteWidth, size.width());
        if (size.height() != readHeight)
            ini.WriteInteger(settings::kMain, settings::kNoteHeight, size.height());
    } catch (const std::exception& e) {
        TMsgBox::Error(owner, ErrorText(e));
    }
    return accepted;
}

bool ShowNoteEditor(QWidget* owner, int verseLine, const QString& reference) {
    if (verseLine < 0 || verseLine > kLastVerseLine) return false;
    std::string old;
    try {
        old = Notes().GetNote(verseLine);
    } catch (const std::exception& e) {
        TMsgBox::Error(owner, ErrorText(e));
        return false;
    }
    const QString caption = reference.isEmpty() ? FromGbk(ShortReference(verseLine)) : reference;
    QString note = FromGbk(old);
    bool changed = false;
    TfmRemark::Execute(owner, note, caption, [&](const QString& text) {
        const std::string gbk = ToGbk(text);
        if (gbk == old) return; // an unchanged note is not written again
        Notes().SetNote(verseLine, gbk);
        changed = true;
    });
    return changed;
}

} // namespace orvane
