// Full-text search of the Chinese text: the find panel's controls, the search itself and the
// result list on the "搜索结果" page.
#include "SearchPanel.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "CompactStyle.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "MsgBox.h"
#include "ReadingFont.h"
#include "ReadingSize.h"
#include "ScriptureIndex.h"
#include "Search.h"
#include "SettingsKeys.h"
#include "SkinState.h"
#include "TxtFormat.h"
#include "wnBook.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace orvane {
namespace {

constexpr int kMaxRememberedKeys = 8;
constexpr int kReferenceWidth = 78;
constexpr int kKeyBoxWidth = 77;
const QColor kHitBackground(255, 255, 0);
const QColor kHitText(255, 0, 0);

// Hands one widget's events to a function: the key box's Enter and the result page's
// resizes, each kept beside the code it feeds.
class TEventHook final : public QObject {
public:
    using THandler = std::function<bool(QEvent*)>;
    TEventHook(QObject* watched, THandler handler)
        : QObject(watched), handler_(std::move(handler)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return watched == parent() && handler_(event);
    }

private:
    THandler handler_;
};

// A row's GBK text prepared for painting: its characters as UTF-16 and the advance of every
// byte from the width cache the line breaker measured with, so that a highlight lands exactly
// on the glyphs it covers. Positions are byte offsets.
class TPaintText {
public:
    explicit TPaintText(std::string_view gbk) : text_(gbk), unitAt_(gbk.size() + 1, 0) {
        ReadingWidths().ByteWidths(gbk, widths_);
        QString units;
        units.reserve(qsizetype(gbk.size()));
        size_t i = 0;
        while (i < gbk.size()) {
            const size_t n = CharLength(gbk, i);
            const QString one = FromGbk(gbk.substr(i, n));
            char16_t u = one.size() == 1 ? one.front().unicode() : u'\uFFFD';
            if (u < u' ') u = u' '; // tabs and line ends have no glyph; they keep their width
            for (size_t b = i; b < i + n; ++b)
                unitAt_[b] = int(units.size());
            units.append(QChar(u));
            i += n;
        }
        unitAt_[gbk.size()] = int(units.size());
        units_ = units;
    }

    size_t Size() const { return text_.size(); }

    // The first character boundary at or after byte `at`.
    size_t Boundary(size_t at) const {
        at = std::min(at, text_.size());
        while (at > 0 && at < text_.size() && unitAt_[at] == unitAt_[at - 1])
            ++at;
        return at;
    }

    QString Units(size_t from, size_t to) const {
        return units_.mid(unitAt_[from], unitAt_[to] - unitAt_[from]);
    }

    int Width(size_t from, size_t to) const {
        int sum = 0;
        for (size_t i = from; i < to && i < widths_.size(); ++i)
            sum += widths_[i];
        return sum;
    }

private:
    std::string_view text_;
    std::vector<int> unitAt_; // per byte: index of its character's UTF-16 unit
    std::vector<int> widths_;
    QString units_;
};

// The system look's cell: button face with a one-pixel raised edge.
void PaintPlainBackground(QPainter& canvas, const QRect& r) {
    const QPalette& pal = QApplication::palette();
    canvas.fillRect(r, pal.color(QPalette::Button));
    canvas.fillRect(r.left(), r.top(), r.width(), 1, pal.color(QPalette::Light));
    canvas.fillRect(r.left(), r.top(), 1, r.height(), pal.color(QPalette::Light));
    canvas.fillRect(r.left(), r.bottom(), r.width(), 1, pal.color(QPalette::Dark));
    canvas.fillRect(r.right(), r.top(), 1, r.height(), pal.color(QPalette::Dark));
}

// The run button's picture: a small green arrow pointing into the search.
QIcon RunIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(4, 3);
    arrow.lineTo(13, 8);
    arrow.lineTo(4, 13);
    arrow.closeSubpath();
    p.fillPath(arrow, QColor(0, 128, 0));
    p.setPen(QColor(0, 80, 0));
    p.drawPath(arrow);
    return QIcon(pixmap);
}

// Width column 1 needs to fill the grid beside the reference column, the scroll bar's room
// taken off while it shows. Measured from the grid's frame: its viewport lags behind while the
// page is being shown.
int ResultTextWidth(const TStringGrid* grid) {
    int width = grid->contentsRect().width() - grid->ColWidth(0) - 2;
    if (grid->ScrollBarShowing()) width -= grid->verticalScrollBar()->sizeHint().width();
    return std::max(0, width);
}

} // namespace

TSearchPanel::TSearchPanel(TfmBook& book, QWidget* parent) : QWidget(parent), book_(book) {
    setObjectName(QStringLiteral("panFindOpt"));
    hide(); // until tbtnFind is pressed
    // The key box takes what room the row has beyond the other controls, between its stated
    // width and about twice that; everything else keeps its natural size.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    auto* caption = new QLabel(QStringLiteral("查找"), this);
    row->addWidget(caption);
    cbxKeyText = new QComboBox(this);
    cbxKeyText->setObjectName(QStringLiteral("cbxKeyText"));
    cbxKeyText->setEditable(true);
    // The list is kept by the search itself: remembered keys are not moved when reused.
    cbxKeyText->setInsertPolicy(QComboBox::NoInsert);
    // Nothing completes a key: what is typed is what is searched and remembered. The list of
    // remembered keys stays behind the box's arrow.
    cbxKeyText->setCompleter(nullptr);
    cbxKeyText->setMaxVisibleItems(kMaxRememberedKeys);
    cbxKeyText->setMinimumWidth(kKeyBoxWidth);
    cbxKeyText->setMaximumWidth(2 * kKeyBoxWidth);
    cbxKeyText->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    row->addWidget(cbxKeyText, 10);
    sbtnExeSearch = new QToolButton(this);
    sbtnExeSearch->setObjectName(QStringLiteral("sbtnExeSearch"));
    sbtnExeSearch->setToolTip(QStringLiteral("执行"));
    sbtnExeSearch->setAutoRaise(true);
    sbtnExeSearch->setIcon(RunIcon());
    sbtnExeSearch->setIconSize(QSize(16, 16));
    sbtnExeSearch->setFixedSize(22, 22);
    row->addWidget(sbtnExeSearch);
    auto scope = [&](const char* name, const QString& text) {
        auto* button = new QRadioButton(text, this);
        button->setObjectName(QLatin1String(name));
        TCompactStyle::Install(button);
        row->addWidget(button);
        return button;
    };
    RadioButton1 = scope("RadioButton1", QStringLiteral("本段"));
    RadioButton2 = scope("RadioButton2", QStringLiteral("本章"));
    RadioButton3 = scope("RadioButton3", QStringLiteral("本篇"));
    RadioButton4 = scope("RadioButton4", QStringLiteral("全部"));
    RadioButton1->setChecked(true);
    row->addStretch(1);

    // The page is the window's to place among its bottom pages; the panel fills it.
    tshtSearchResult = new QWidget;
    tshtSearchResult->setObjectName(QStringLiteral("tshtSearchResult"));
    auto* page = new QVBoxLayout(tshtSearchResult);
    page->setContentsMargins(0, 0, 0, 0);
    sgrdSearchResult = new TStringGrid(tshtSearchResult);
    sgrdSearchResult->setObjectName(QStringLiteral("sgrdSearchResult"));
    sgrdSearchResult->setFont(ReadingFont());
    page->addWidget(sgrdSearchResult);
    sgrdSearchResult->SetColCount(2);
    sgrdSearchResult->SetFixedRows(0);
    sgrdSearchResult->SetColWidth(0, kReferenceWidth);
    sgrdSearchResult->SetColWidth(1, 266);
    sgrdSearchResult->OnDrawCell = [this](QPainter& p, int c, int r, const QRect& rect,
                                          TGridDrawState s) {
        sgrdSearchResultDrawCell(p, c, r, rect, s);
    };
    connect(sgrdSearchResult, &TStringGrid::MouseDoubleClicked, this,
            &TSearchPanel::sgrdSearchResultDblClick);
    connect(sbtnExeSearch, &QToolButton::clicked, this, [this] { sbtnExeSearchClick(); });
    // Enter (either key) runs the search instead of reaching the box, which would otherwise add
    // the text to the list by its own rules. Keys arrive at the combo box itself: its line edit
    // hands the focus on to it and is fed the keys directly, past any filter of its own.
    new TEventHook(cbxKeyText, [this](QEvent* event) {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        sbtnExeSearchClick();
        return true;
    });
    // A hidden page is resized with the others but only laid out when it shows: Qt delivers
    // the pending resize before the page counts as visible, so showing catches up.
    new TEventHook(tshtSearchResult, [this](QEvent* event) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            tshtSearchResultResize();
        return false;
    });
}

void TSearchPanel::RunSearch(const QString& keys) {
    cbxKeyText->setEditText(keys);
    sbtnExeSearch->click();
}

void TSearchPanel::FocusKeyBox() {
    cbxKeyText->setFocus();
}

// --- remembered keys ----------------------------------------------------------------------

QStringList TSearchPanel::SearchKeys() const {
    QStringList keys;
    for (int i = 0; i < cbxKeyText->count(); ++i)
        keys << cbxKeyText->itemText(i);
    return keys;
}

void TSearchPanel::SearchKeysLoad() {
    StringList keys;
    try {
        TInifileX().ReadList(settings::kSearchKeys, keys);
    } catch (const std::exception&) {
        keys.clear(); // an unreadable settings file: no remembered keys, as on a first run
    }
    cbxKeyText->clear();
    for (const std::string& key : keys)
        cbxKeyText->addItem(FromGbk(key));
    if (cbxKeyText->count() > 0) cbxKeyText->setCurrentIndex(0);
}

void TSearchPanel::sbtnExeSearchClick() {
    const QString typed = cbxKeyText->currentText();
    const std::string folded = FoldFullWidthSpaces(ToGbk(typed));
    if (TrimBlanks(folded).empty()) {
        TMsgBox::Info(&book_, QStringLiteral("请输入搜索内容！"));
        cbxKeyText->setFocus();
        return;
    }

    // A key typed again is found without regard to case and keeps its place in the list.
    const int known = cbxKeyText->findText(typed, Qt::MatchFixedString);
    if (known < 0) {
        cbxKeyText->insertItem(0, typed);
        while (cbxKeyText->count() > kMaxRememberedKeys)
            cbxKeyText->removeItem(kMaxRememberedKeys);
        cbxKeyText->setCurrentIndex(0);
    }
    // Inserting and dropping items can move the box's current item; the box keeps showing the
    // text as it was typed.
    cbxKeyText->setEditText(typed);
    searchedText_ = folded;

    int first = 0;
    int last = -1; // no current book: the chapter and book scopes hold nothing
    const TBooksNodeData* nodeData = book_.SelectedBookData();
    if (RadioButton1->isChecked() || RadioButton2->isChecked()) {
        if (nodeData && nodeData->ChapterIndex >= 0 && nodeData->ChapterIndex < kChapterCount) {
            first = ChapterTable[size_t(nodeData->ChapterIndex)].FirstLine;
            last = ChapterTable[size_t(nodeData->ChapterIndex)].LastLine;
        }
    } else if (RadioButton3->isChecked()) {
        if (nodeData) {
            first = BookTable[size_t(nodeData->BookIndex)].FirstLine;
            last = BookTable[size_t(nodeData->BookIndex)].LastLine;
        }
    } else {
        last = int(TBibGlobe::CorpusFile(kChineseTextFile).size()) - 1;
    }

    const TSearchIndex& index = ScriptureIndex();
    const std::vector<int> found = index.Search(SplitSearchKeys(folded, true), first, last);

    TStringGrid* grid = sgrdSearchResult;
    // The count is known before filling, so the list is sized once.
    grid->SetRowCount(std::max<int>(1, int(found.size())));
    grid->SetRow(0);
    grid->SetTopRow(0);
    for (int r = 0; r < int(found.size()); ++r) {
        const int line = found[size_t(r)];
        grid->SetCells(0, r, {});
        grid->SetCells(1, r, std::string(index.StrippedLine(line)));
        grid->SetObjects(0, r, line);
        grid->SetObjects(1, r, line);
    }

    if (found.empty()) {
        grid->SetCells(0, 0, {});
        grid->SetCells(1, 0, {});
        grid->SetObjects(0, 0, 0);
        grid->SetObjects(1, 0, 0);
        grid->SetRowHeight(0, grid->DefaultRowHeight());
        grid->LineBreaks.clear();
        grid->MarkerSpots.clear();
        grid->viewport()->update();
        cbxKeyText->setToolTip({});
        TMsgBox::Info(&book_, QStringLiteral("搜索结果为空！"));
        cbxKeyText->setFocus();
        return;
    }
    grid->SavedRow = -1;
    emit layoutWanted(grid);
    cbxKeyText->setToolTip(QStringLiteral("共找到 %1 项").arg(found.size()));
}

// --- the result list ----------------------------------------------------------------------

bool TSearchPanel::SearchResultEmpty() const {
    return sgrdSearchResult->RowCount() == 1 && TrimBlanks(sgrdSearchResult->Cells(1, 0)).empty();
}

void TSearchPanel::sgrdSearchResultDrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                                            TGridDrawState state) {
    TStringGrid* grid = sgrdSearchResult;
    const bool empty = SearchResultEmpty();
    canvas.setBrush(Qt::NoBrush);

    if (col == 0) {
        if (SkinIndex != kSkinSystem && !SkinCellFace.isNull())
            canvas.drawImage(rect, SkinCellFace);
        else
            PaintPlainBackground(canvas, rect);
        if (empty) return;
        const QFont& font = ReadingFont();
        canvas.setFont(font);
        canvas.setPen(Qt::black);
        const QString reference = FromGbk(ShortReference(int(grid->Objects(0, row))));
        canvas.drawText(QPoint(rect.left() + ReadingScaled(8),
                               rect.top() + ReadingScaled(8) + QFontMetrics(font).ascent()),
                        reference);
        return;
    }

    canvas.fillRect(rect, book_.ReadingBackground());
    if (empty || row < 0 || size_t(row) >= grid->LineBreaks.size()) return;
    const std::vector<uint16_t>& ends = grid->LineBreaks[size_t(row)];
    if (ends.empty()) return;

    QFont font = ReadingFont();
    font.setUnderline((state & gdSelected) != 0);
    canvas.setFont(font);
    const QFontMetrics metrics(font);
    const int ascent = metrics.ascent();
    const int lineHeight = grid->DefaultRowHeight();
    const std::string& text = grid->Cells(1, row);
    const TPaintText glyphs(text);
    const int left = rect.left() + ReadingScaled(4);
    auto lineStart = [&](size_t k) { return k == 0 ? size_t(0) : size_t(ends[k - 1]); };
    auto lineTop = [&](size_t k) { return rect.top() + ReadingScaled(4) + int(k) * lineHeight; };

    canvas.setPen(Qt::black);
    for (size_t k = 0; k < ends.size(); ++k) {
        const size_t from = std::min(lineStart(k), glyphs.Size());
        const size_t to = std::min<size_t>(ends[k], glyphs.Size());
        if (from < to) canvas.drawText(QPoint(left, lineTop(k) + ascent), glyphs.Units(from, to));
    }

    // The keys again over the text, each occurrence on the display lines it covers.
    canvas.setPen(kHitText);
    for (const std::string& key : SplitSearchKeys(searchedText_, false)) {
        for (size_t hit : FindAllOccurrences(text, key)) {
            // A key ending in half a character still covers that whole character.
            const size_t length = glyphs.Boundary(hit + key.size()) - hit;
            for (const TTxtFormat::TPiece& piece : TTxtFormat::SplitAtLines(ends, hit, length)) {
                const size_t begin = glyphs.Boundary(piece.Begin);
                const size_t end = glyphs.Boundary(piece.End);
                if (begin >= end) continue;
                const int x = left + glyphs.Width(lineStart(piece.Line), begin);
                const int y = lineTop(piece.Line);
                canvas.fillRect(QRect(x, y, glyphs.Width(begin, end), metrics.height()),
                                kHitBackground);
                canvas.drawText(QPoint(x, y + ascent), glyphs.Units(begin, end));
            }
        }
    }
}

void TSearchPanel::tshtSearchResultResize() {
    if (!tshtSearchResult->isVisible()) return;
    TStringGrid* grid = sgrdSearchResult;
    grid->SetColWidth(0, ReadingScaled(kReferenceWidth));
    grid->SetColWidth(1, ResultTextWidth(grid));
    if (!SearchResultEmpty()) emit layoutWanted(grid);
}

void TSearchPanel::sgrdSearchResultDblClick(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || SearchResultEmpty()) return;
    int col = -1, row = -1;
    sgrdSearchResult->MouseToCell(event->position().toPoint(), col, row);
    if (row < 0 || row >= sgrdSearchResult->RowCount()) return;
    book_.JumpToVerse(int(sgrdSearchResult->Objects(0, row)));
}

} // namespace orvane
