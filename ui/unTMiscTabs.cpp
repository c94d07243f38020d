#include "unTMiscTabs.h"

#include "Scroller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTransform>

#include <algorithm>

namespace orvane {

namespace {

constexpr int kCorner = 19; // corner zone before each tab, and the corner pictures' grid
constexpr QRgb kMaskColor = 0xFF808000;

// Bytes of `text` in the GBK code page: ASCII one, everything else two.
int GbkLength(const QString& text) {
    int bytes = 0;
    for (const char32_t c : text.toUcs4())
        bytes += c < 0x80 ? 1 : 2;
    return bytes;
}

// The caption as shown: "&&" is a literal ampersand, "&x" marks x as the accelerator.
QString ShownCaption(const QString& caption, int* mnemonic = nullptr) {
    QString shown;
    if (mnemonic) *mnemonic = -1;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&' && mnemonic && *mnemonic < 0) *mnemonic = int(shown.size());
        }
        shown += caption[i];
    }
    return shown;
}

// One line per double-byte character; a run of ASCII letters stays together on its line, as
// word breaking would keep it.
struct CaptionLine {
    QString text;
    int start = 0; // offset of the line's first character in the shown caption
};

QList<CaptionLine> SplitCaption(const QString& shown) {
    QList<CaptionLine> lines;
    QString word;
    int wordStart = 0;
    auto flush = [&] {
        if (!word.isEmpty()) lines.append({word, wordStart});
        word.clear();
    };
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown[i];
        if (c.unicode() < 0x80) {
            if (c.isSpace()) {
                flush();
                continue;
            }
            if (word.isEmpty()) wordStart = int(i);
            word += c;
            continue;
        }
        flush();
        const qsizetype n = c.isHighSurrogate() && i + 1 < shown.size() ? 2 : 1;
        lines.append({shown.mid(i, n), int(i)});
        i += n - 1;
    }
    flush();
    return lines;
}

// Which colour slot the corner picture `index` has at (x, y) of its 19-pixel grid, -1 for the
// keyed-out parts. Diagonals end one pixel short, as a drawn line does.
int CornerSlot(int index, int x, int y) {
    switch (index) {
    case 0:
        if (x + y == 18 && x < 18) return TMiscTabs::Edge;
        return x + y >= 18 ? TMiscTabs::SelectedFill : -1;
    case 1:
        if (x + y == 18 && x >= 1 && x <= 9) return TMiscTabs::Edge;
        return y >= 9 && x + y >= 19 ? TMiscTabs::TabFill : -1;
    case 2:
        if (x == y && x < 18) return TMiscTabs::Edge;
        return x >= y ? TMiscTabs::SelectedFill : -1;
    default:
        if (x == y && x < 18) return TMiscTabs::Edge;
        return x > y ? TMiscTabs::TabFill : -1;
    }
}

} // namespace

TMiscTabs::TMiscTabs(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);

    const QPalette system = QApplication::palette();
    colors_ = {system.color(QPalette::Base),   system.color(QPalette::Highlight),
               system.color(QPalette::Base),   QColor(255, 251, 240),
               system.color(QPalette::Button), QColor(0, 0, 0),
               system.color(QPalette::Dark),   QColor(255, 0, 0)};

    scroller_ = new TScroller(this);
    scroller_->hide();
    scroller_->SetColor(colors_[Background]);
    connect(scroller_, &TScroller::Clicked, this, [this] { SetFirstIndex(scroller_->Position()); });
    // The application's default face, plain, whatever the parent uses.
    QFont face = QApplication::font();
    face.setBold(false);
    face.setItalic(false);
    face.setUnderline(false);
    face.setStrikeOut(false);
    setFont(face);

    resize(19, 440);
    thickness_ = width();
    BuildCorners();
}

TMiscTabs::~TMiscTabs() = default;

void TMiscTabs::SetTabs(const QStringList& captions) {
    tabs_.Clear();
    tabs_.AddStrings(captions);
    if (tabs_.Count() > 0) SetTabIndex(0);
}

void TMiscTabs::SetTabIndex(int index) {
    if (index == tabIndex_) return;
    if (index < -1 || index >= tabs_.Count()) throw EListError("Tab index out of bounds");
    bool allow = true;
    emit Change(index, allow);
    // The handler may have vetoed, or changed the captions under us.
    if (!allow || index >= tabs_.Count()) return;
    tabIndex_ = index;
    BringIntoView();
    Repaint();
    emit Clicked();
}

void TMiscTabs::SetFirstIndex(int index) {
    if (index < 0 || index >= tabs_.Count() || index == firstIndex_) return;
    firstIndex_ = index;
    hotIndex_ = -1;
    Repaint();
}

void TMiscTabs::SetStartMargin(int value) {
    startMargin_ = value;
    Repaint();
}

void TMiscTabs::SetEndMargin(int value) {
    endMargin_ = value;
    Repaint();
}

void TMiscTabs::SetAutoScroll(bool value) {
    if (value == autoScroll_) return;
    autoScroll_ = value;
    scroller_->hide();
    Repaint();
}

void TMiscTabs::SetTabWidth(int value) {
    tabWidth_ = value;
    BuildCorners();
    Repaint();
}

void TMiscTabs::SetSoftTop(bool value) {
    softTop_ = value;
    BuildCorners();
    Repaint();
}

void TMiscTabs::SetColor(int slot, const QColor& color) {
    if (slot < 0 || slot >= ColorCount) return;
    colors_[slot] = color;
    if (slot == Background) scroller_->SetColor(color);
    BuildCorners();
    Repaint();
}

QColor TMiscTabs::GetColor(int slot) const {
    return slot >= 0 && slot < ColorCount ? colors_[slot] : QColor();
}

void TMiscTabs::SetBorderLines(int mask) {
    borderLines_ = mask & AllLines;
    update();
}

void TMiscTabs::SetUseSkinPicture(bool value) {
    if (value == useSkinPicture_) return;
    useSkinPicture_ = value;
    // The corners carry the picture only while it is in use.
    BuildCorners();
    Repaint();
}

void TMiscTabs::SetSelectedPicture(const QImage& picture) {
    selectedPicture_ = QImage();
    if (picture.width() > 4 && picture.height() > 4) {
        // Tall enough for the 19-pixel corners, and as wide as the strip once turned.
        const int across = std::max(width(), kCorner);
        const int thick = std::max(picture.height() - 4, width());
        selectedPicture_ =
            picture.copy(2, 2, picture.width() - 4, picture.height() - 4)
                .scaled(across, thick, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .transformed(QTransform().rotate(90))
                .convertToFormat(QImage::Format_RGB32);
    }
    BuildCorners();
    Repaint();
}

int TMiscTabs::TabLength(int index) const {
    return GbkLength(tabs_[index]) / 2 * fontMetrics().height() + 16;
}

// -- captions changing --------------------------------------------------------------------------

void TMiscTabs::ListChanged() {
    Repaint();
}

void TMiscTabs::ListInserted(int index) {
    if (tabIndex_ >= 0 && index <= tabIndex_) ++tabIndex_;
    if (index < firstIndex_) ++firstIndex_;
    Repaint();
}

void TMiscTabs::ListDeleted(int index) {
    const bool wasSelected = index == tabIndex_;
    const int count = tabs_.Count();
    // A tab before the selection moves it up one, so the same caption stays selected.
    if (tabIndex_ > index)
        --tabIndex_;
    else if (tabIndex_ >= count)
        tabIndex_ = count - 1;
    if (index < firstIndex_) --firstIndex_;
    firstIndex_ = std::clamp(firstIndex_, 0, std::max(0, count - 1));
    hotIndex_ = -1;
    BringIntoView();
    PullBack();
    Repaint();
    if (wasSelected) emit Clicked();
}

void TMiscTabs::ListCleared() {
    tabIndex_ = -1;
    firstIndex_ = 0;
    hotIndex_ = -1;
    Repaint();
}

// -- layout ---------------------------------------------------------------------------------------

int TMiscTabs::LayOut(int first, int limit, QList<TTabSpan>& spans) const {
    spans.clear();
    int p = startMargin_ + kCorner;
    for (int i = first; i < tabs_.Count() && p < limit; ++i) {
        const int length = TabLength(i);
        const int next = p + length + kCorner;
        if (next > limit) break;
        spans.append({p, length});
        p = next;
    }
    return int(spans.size());
}

bool TMiscTabs::Measure(int first, QList<TTabSpan>& spans) const {
    const int limit = height() - endMargin_;
    if (LayOut(first, limit, spans) >= tabs_.Count() || !autoScroll_) return false;
    LayOut(first, limit + 4 - scroller_->width(), spans);
    return true;
}

bool TMiscTabs::Shows(int first, int index) const {
    QList<TTabSpan> spans;
    Measure(first, spans);
    return index >= first && index < first + spans.size();
}

void TMiscTabs::BringIntoView() {
    if (tabIndex_ < 0) return;
    if (tabIndex_ < firstIndex_) firstIndex_ = tabIndex_;
    while (firstIndex_ < tabIndex_ && !Shows(firstIndex_, tabIndex_))
        ++firstIndex_;
}

void TMiscTabs::PullBack() {
    int anchor = tabIndex_;
    if (anchor < 0) {
        QList<TTabSpan> spans;
        Measure(firstIndex_, spans);
        anchor = firstIndex_ + std::max<int>(0, int(spans.size()) - 1);
    }
    while (firstIndex_ > 0 && Shows(firstIndex_ - 1, anchor))
        --firstIndex_;
}

void TMiscTabs::Relayout() {
    if (resized_) {
        resized_ = false;
        BringIntoView();
        PullBack();
    }
    const bool scroll = Measure(firstIndex_, positions_);
    visibleTabs_ = int(positions_.size());
    if (hotIndex_ >= visibleTabs_) hotIndex_ = -1;
    if (scroll) {
        scroller_->setEnabled(true);
        scroller_->SetMax(tabs_.Count() - visibleTabs_);
        scroller_->SetMin(0);
        scroller_->SetPosition(firstIndex_);
        scroller_->show();
    } else {
        scroller_->hide();
    }
}

void TMiscTabs::Repaint() {
    Relayout();
    update();
}

// -- painting -------------------------------------------------------------------------------------

void TMiscTabs::BuildCorners() {
    thickness_ = width();
    const bool picture = useSkinPicture_ && !selectedPicture_.isNull();
    for (int i = 0; i < 4; ++i) {
        QImage corner(std::max(1, thickness_), kCorner, QImage::Format_ARGB32);
        for (int y = 0; y < kCorner; ++y) {
            for (int x = 0; x < corner.width(); ++x) {
                // Columns past the grid repeat its last one, so a wider strip still joins up.
                const int slot = CornerSlot(i, std::min(x, kCorner - 1), y);
                QRgb rgb = slot < 0 ? kMaskColor : colors_[slot].rgb();
                if (picture && (i == 0 || i == 2) && rgb == colors_[SelectedFill].rgb() &&
                    selectedPicture_.valid(x, y))
                    rgb = selectedPicture_.pixel(x, y);
                corner.setPixel(x, y, (rgb & 0xFFFFFF) == (kMaskColor & 0xFFFFFF) ? 0 : rgb);
            }
        }
        corners_[i] = corner;
    }
}

void TMiscTabs::DrawCorner(QPainter& painter, int kind, int y) const {
    const QRect square(0, y, thickness_, kCorner);
    switch (kind) {
    case 1:
        painter.fillRect(square, colors_[SelectedFill]);
        if (useSkinPicture_ && !selectedPicture_.isNull())
            painter.drawImage(QPoint(0, y), selectedPicture_, QRect(0, 0, thickness_, kCorner));
        break;
    case 2:
        painter.fillRect(square, colors_[TabFill]);
        break;
    case 3:
        painter.drawImage(0, y, corners_[2]);
        break;
    case 4:
        painter.drawImage(0, y, corners_[3]);
        break;
    case 5:
        painter.drawImage(0, y, corners_[3]);
        painter.drawImage(0, y, corners_[0]);
        break;
    case 6:
        painter.drawImage(0, y, corners_[1]);
        painter.drawImage(0, y, corners_[2]);
        break;
    case 7:
        painter.drawImage(0, y, corners_[1]);
        painter.drawImage(0, y, corners_[3]);
        break;
    default:
        break;
    }
}

QRect TMiscTabs::CaptionRect(int shown) const {
    const TTabSpan& span = positions_[shown];
    // The first tab has the top square above it, so its caption starts right at the tab.
    const int top = shown == 0 ? span.top : span.top + 16;
    return QRect(3, top, thickness_ - 4, span.length - 16);
}

void TMiscTabs::DrawCaption(QPainter& painter, int index, const QRect& rect,
                            const QColor& color) const {
    int mnemonic = -1;
    const QString shown = ShownCaption(tabs_[index], &mnemonic);
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.height();
    painter.save();
    painter.setClipRect(rect);
    painter.setPen(color);
    int y = rect.top();
    for (const CaptionLine& line : SplitCaption(shown)) {
        const QRect lineRect(rect.left(), y, rect.width(), lineHeight);
        painter.drawText(lineRect, Qt::AlignHCenter | Qt::AlignTop, line.text);
        const int offset = mnemonic - line.start;
        if (offset >= 0 && offset < line.text.size()) {
            const int textLeft =
                lineRect.left() + (lineRect.width() - metrics.horizontalAdvance(line.text)) / 2;
            const int x0 = textLeft + metrics.horizontalAdvance(line.text.left(offset));
            const int x1 = x0 + metrics.horizontalAdvance(line.text.mid(offset, 1)) - 1;
            const int base = y + metrics.ascent() + 1;
            painter.drawLine(x0, base, x1, base);
        }
        y += lineHeight;
    }
    painter.restore();
}

void TMiscTabs::paintEvent(QPaintEvent*) {
    if (buffer_.size() != size()) buffer_ = QImage(size(), QImage::Format_RGB32);
    buffer_.fill(colors_[Background]);
    QPainter p(&buffer_);
    p.setFont(font());
    for (int k = 0; k < positions_.size(); ++k) {
        const TTabSpan& span = positions_[k];
        const int index = firstIndex_ + k;
        const bool selected = index == tabIndex_;
        int kind = selected ? 5 : 7;
        if (k == 0)
            kind = selected ? 1 : 2;
        else if (index - 1 == tabIndex_)
            kind = 6;
        DrawCorner(p, kind, span.top - kCorner);

        const QRect body(0, span.top, thickness_, span.length);
        p.fillRect(body, colors_[selected ? SelectedFill : TabFill]);
        if (selected && useSkinPicture_ && !selectedPicture_.isNull())
            p.drawImage(body, selectedPicture_);

        QColor text = colors_[TabText];
        if (selected)
            text = colors_[SelectedText];
        else if (k == hotIndex_ && hotRect_.contains(pointer_))
            text = colors_[HotText];
        DrawCaption(p, index, CaptionRect(k), text);

        if (k == positions_.size() - 1) DrawCorner(p, selected ? 3 : 4, span.top + span.length);
    }
    p.setPen(colors_[Edge]);
    const int right = width() - 1;
    const int bottom = height() - 1;
    if (borderLines_ & LeftLine) p.drawLine(0, 0, 0, bottom);
    if (borderLines_ & TopLine) p.drawLine(0, 0, right, 0);
    if (borderLines_ & RightLine) p.drawLine(right, 0, right, bottom);
    if (borderLines_ & BottomLine) p.drawLine(0, bottom, right, bottom);
    p.end();

    QPainter screen(this);
    screen.drawImage(0, 0, buffer_);
}

// -- events ---------------------------------------------------------------------------------------

void TMiscTabs::resizeEvent(QResizeEvent*) {
    if (width() != thickness_) BuildCorners();
    scroller_->move(2, scroller_->y());
    if (tabs_.Count() >= 2) resized_ = true;
    Repaint();
}

void TMiscTabs::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && scroller_) Repaint();
    QWidget::changeEvent(event);
}

int TMiscTabs::HitTab(const QPoint& at) const {
    if (at.x() < 0 || at.x() > thickness_) return -1;
    const int tolerance = at.x() < thickness_ / 2 ? 6 : 9;
    for (int k = 0; k < positions_.size(); ++k) {
        const TTabSpan& span = positions_[k];
        if (span.top - tolerance <= at.y() && at.y() <= span.top + span.length + tolerance)
            return k;
    }
    return -1;
}

void TMiscTabs::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const int hit = HitTab(event->position().toPoint());
    if (hit >= 0) SetTabIndex(firstIndex_ + hit);
}

void TMiscTabs::mouseMoveEvent(QMouseEvent* event) {
    if (testAttribute(Qt::WA_SetCursor)) unsetCursor();
    pointer_ = event->position().toPoint();
    const int oldHot = hotIndex_;
    const bool wasLit = oldHot >= 0 && hotRect_.contains(pointer_);
    const int hit = HitTab(pointer_);
    hotIndex_ = hit;
    if (hit >= 0) {
        // The caption lights up while the pointer is over its lines.
        const QRect caption = CaptionRect(hit);
        const int shownLines = int(SplitCaption(ShownCaption(tabs_[firstIndex_ + hit])).size());
        hotRect_ = QRect(4, caption.top(), width() - 8,
                         std::min(caption.height(), shownLines * fontMetrics().height()));
    } else {
        hotRect_ = QRect();
    }
    const bool lit = hit >= 0 && hotRect_.contains(pointer_);
    if (hit != oldHot || lit != wasLit)
        update(QRect(0, startMargin_ + 16, width(), height() - startMargin_ - 16));
}

void TMiscTabs::leaveEvent(QEvent* event) {
    pointer_ = QPoint(-1, -1);
    if (hotIndex_ >= 0) {
        hotIndex_ = -1;
        update();
    }
    QWidget::leaveEvent(event);
}

int TMiscTabs::MnemonicTab(const QString& text) const {
    if (text.size() != 1 || !text[0].isPrint()) return -1;
    for (int i = 0; i < tabs_.Count(); ++i) {
        int mnemonic = -1;
        const QString shown = ShownCaption(tabs_[i], &mnemonic);
        if (mnemonic >= 0 && shown.mid(mnemonic, 1).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TMiscTabs::keyPressEvent(QKeyEvent* event) {
    const int tab = MnemonicTab(event->text());
    if (tab < 0) return QWidget::keyPressEvent(event);
    SetTabIndex(tab);
    event->accept();
}

void TMiscTabs::showEvent(QShowEvent* event) {
    WatchWindow();
    QWidget::showEvent(event);
}

// Alt with a tab's accelerator selects that tab from anywhere in the window.
void TMiscTabs::WatchWindow() {
    QWidget* top = window();
    if (top == this || top == watchedWindow_) return;
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top;
    top->installEventFilter(this);
}

bool TMiscTabs::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && event->type() == QEvent::KeyPress && isVisible() &&
        isEnabled()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)) {
            QString text = key->text();
            if (text.isEmpty() && key->key() > 0x20 && key->key() < 0x7F) text = QChar(key->key());
            const int tab = MnemonicTab(text);
            if (tab >= 0) {
                SetTabIndex(tab);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orvane
