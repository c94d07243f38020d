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
    m_colors = {system.color(QPalette::Base),   system.color(QPalette::Highlight),
                system.color(QPalette::Base),   QColor(255, 251, 240),
                system.color(QPalette::Button), QColor(0, 0, 0),
                system.color(QPalette::Dark),   QColor(255, 0, 0)};

    m_scroller = new TScroller(this);
    m_scroller->hide();
    m_scroller->SetColor(m_colors[Background]);
    connect(m_scroller, &TScroller::Clicked, this,
            [this] { SetFirstIndex(m_scroller->Position()); });
    // The application's default face, plain, whatever the parent uses.
    QFont face = QApplication::font();
    face.setBold(false);
    face.setItalic(false);
    face.setUnderline(false);
    face.setStrikeOut(false);
    setFont(face);

    resize(19, 440);
    m_thickness = width();
    BuildCorners();
}

TMiscTabs::~TMiscTabs() = default;

void TMiscTabs::SetTabs(const QStringList& captions) {
    m_tabs.Clear();
    m_tabs.AddStrings(captions);
    if (m_tabs.Count() > 0) SetTabIndex(0);
}

void TMiscTabs::SetTabIndex(int index) {
    if (index == m_tabIndex) return;
    if (index < -1 || index >= m_tabs.Count()) throw EListError("Tab index out of bounds");
    bool allow = true;
    emit Change(index, allow);
    // The handler may have vetoed, or changed the captions under us.
    if (!allow || index >= m_tabs.Count()) return;
    m_tabIndex = index;
    BringIntoView();
    Repaint();
    emit Clicked();
}

void TMiscTabs::SetFirstIndex(int index) {
    if (index < 0 || index >= m_tabs.Count() || index == m_firstIndex) return;
    m_firstIndex = index;
    m_hotIndex = -1;
    Repaint();
}

void TMiscTabs::SetStartMargin(int value) {
    m_startMargin = value;
    Repaint();
}

void TMiscTabs::SetEndMargin(int value) {
    m_endMargin = value;
    Repaint();
}

void TMiscTabs::SetAutoScroll(bool value) {
    if (value == m_autoScroll) return;
    m_autoScroll = value;
    m_scroller->hide();
    Repaint();
}

void TMiscTabs::SetTabWidth(int value) {
    m_tabWidth = value;
    BuildCorners();
    Repaint();
}

void TMiscTabs::SetSoftTop(bool value) {
    m_softTop = value;
    BuildCorners();
    Repaint();
}

void TMiscTabs::SetColor(int slot, const QColor& color) {
    if (slot < 0 || slot >= ColorCount) return;
    m_colors[slot] = color;
    if (slot == Background) m_scroller->SetColor(color);
    BuildCorners();
    Repaint();
}

QColor TMiscTabs::GetColor(int slot) const {
    return slot >= 0 && slot < ColorCount ? m_colors[slot] : QColor();
}

void TMiscTabs::SetBorderLines(int mask) {
    m_borderLines = mask & AllLines;
    update();
}

void TMiscTabs::SetUseSkinPicture(bool value) {
    if (value == m_useSkinPicture) return;
    m_useSkinPicture = value;
    // The corners carry the picture only while it is in use.
    BuildCorners();
    Repaint();
}

void TMiscTabs::SetSelectedPicture(const QImage& picture) {
    m_selectedPicture = QImage();
    if (picture.width() > 4 && picture.height() > 4) {
        // Tall enough for the 19-pixel corners, and as wide as the strip once turned.
        const int across = std::max(width(), kCorner);
        const int thick = std::max(picture.height() - 4, width());
        m_selectedPicture =
            picture.copy(2, 2, picture.width() - 4, picture.height() - 4)
                .scaled(across, thick, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .transformed(QTransform().rotate(90))
                .convertToFormat(QImage::Format_RGB32);
    }
    BuildCorners();
    Repaint();
}

int TMiscTabs::TabLength(int index) const {
    return GbkLength(m_tabs[index]) / 2 * fontMetrics().height() + 16;
}

// -- captions changing --------------------------------------------------------------------------

void TMiscTabs::ListChanged() {
    Repaint();
}

void TMiscTabs::ListInserted(int index) {
    if (m_tabIndex >= 0 && index <= m_tabIndex) ++m_tabIndex;
    if (index < m_firstIndex) ++m_firstIndex;
    Repaint();
}

void TMiscTabs::ListDeleted(int index) {
    const bool wasSelected = index == m_tabIndex;
    const int count = m_tabs.Count();
    // A tab before the selection moves it up one, so the same caption stays selected.
    if (m_tabIndex > index)
        --m_tabIndex;
    else if (m_tabIndex >= count)
        m_tabIndex = count - 1;
    if (index < m_firstIndex) --m_firstIndex;
    m_firstIndex = std::clamp(m_firstIndex, 0, std::max(0, count - 1));
    m_hotIndex = -1;
    BringIntoView();
    PullBack();
    Repaint();
    if (wasSelected) emit Clicked();
}

void TMiscTabs::ListCleared() {
    m_tabIndex = -1;
    m_firstIndex = 0;
    m_hotIndex = -1;
    Repaint();
}

// -- layout ---------------------------------------------------------------------------------------

int TMiscTabs::LayOut(int first, int limit, QList<TTabSpan>& spans) const {
    spans.clear();
    int p = m_startMargin + kCorner;
    for (int i = first; i < m_tabs.Count() && p < limit; ++i) {
        const int length = TabLength(i);
        const int next = p + length + kCorner;
        if (next > limit) break;
        spans.append({p, length});
        p = next;
    }
    return int(spans.size());
}

bool TMiscTabs::Measure(int first, QList<TTabSpan>& spans) const {
    const int limit = height() - m_endMargin;
    if (LayOut(first, limit, spans) >= m_tabs.Count() || !m_autoScroll) return false;
    LayOut(first, limit + 4 - m_scroller->width(), spans);
    return true;
}

bool TMiscTabs::Shows(int first, int index) const {
    QList<TTabSpan> spans;
    Measure(first, spans);
    return index >= first && index < first + spans.size();
}

void TMiscTabs::BringIntoView() {
    if (m_tabIndex < 0) return;
    if (m_tabIndex < m_firstIndex) m_firstIndex = m_tabIndex;
    while (m_firstIndex < m_tabIndex && !Shows(m_firstIndex, m_tabIndex))
        ++m_firstIndex;
}

void TMiscTabs::PullBack() {
    int anchor = m_tabIndex;
    if (anchor < 0) {
        QList<TTabSpan> spans;
        Measure(m_firstIndex, spans);
        anchor = m_firstIndex + std::max<int>(0, int(spans.size()) - 1);
    }
    while (m_firstIndex > 0 && Shows(m_firstIndex - 1, anchor))
        --m_firstIndex;
}

void TMiscTabs::Relayout() {
    if (m_resized) {
        m_resized = false;
        BringIntoView();
        PullBack();
    }
    const bool scroll = Measure(m_firstIndex, m_positions);
    m_visibleTabs = int(m_positions.size());
    if (m_hotIndex >= m_visibleTabs) m_hotIndex = -1;
    if (scroll) {
        m_scroller->setEnabled(true);
        m_scroller->SetMax(m_tabs.Count() - m_visibleTabs);
        m_scroller->SetMin(0);
        m_scroller->SetPosition(m_firstIndex);
        m_scroller->show();
    } else {
        m_scroller->hide();
    }
}

void TMiscTabs::Repaint() {
    Relayout();
    update();
}

// -- painting -------------------------------------------------------------------------------------

void TMiscTabs::BuildCorners() {
    m_thickness = width();
    const bool picture = m_useSkinPicture && !m_selectedPicture.isNull();
    for (int i = 0; i < 4; ++i) {
        QImage corner(std::max(1, m_thickness), kCorner, QImage::Format_ARGB32);
        for (int y = 0; y < kCorner; ++y) {
            for (int x = 0; x < corner.width(); ++x) {
                // Columns past the grid repeat its last one, so a wider strip still joins up.
                const int slot = CornerSlot(i, std::min(x, kCorner - 1), y);
                QRgb rgb = slot < 0 ? kMaskColor : m_colors[slot].rgb();
                if (picture && (i == 0 || i == 2) && rgb == m_colors[SelectedFill].rgb() &&
                    m_selectedPicture.valid(x, y))
                    rgb = m_selectedPicture.pixel(x, y);
                corner.setPixel(x, y, (rgb & 0xFFFFFF) == (kMaskColor & 0xFFFFFF) ? 0 : rgb);
            }
        }
        m_corners[i] = corner;
    }
}

void TMiscTabs::DrawCorner(QPainter& painter, int kind, int y) const {
    const QRect square(0, y, m_thickness, kCorner);
    switch (kind) {
    case 1:
        painter.fillRect(square, m_colors[SelectedFill]);
        if (m_useSkinPicture && !m_selectedPicture.isNull())
            painter.drawImage(QPoint(0, y), m_selectedPicture, QRect(0, 0, m_thickness, kCorner));
        break;
    case 2:
        painter.fillRect(square, m_colors[TabFill]);
        break;
    case 3:
        painter.drawImage(0, y, m_corners[2]);
        break;
    case 4:
        painter.drawImage(0, y, m_corners[3]);
        break;
    case 5:
        painter.drawImage(0, y, m_corners[3]);
        painter.drawImage(0, y, m_corners[0]);
        break;
    case 6:
        painter.drawImage(0, y, m_corners[1]);
        painter.drawImage(0, y, m_corners[2]);
        break;
    case 7:
        painter.drawImage(0, y, m_corners[1]);
        painter.drawImage(0, y, m_corners[3]);
        break;
    default:
        break;
    }
}

QRect TMiscTabs::CaptionRect(int shown) const {
    const TTabSpan& span = m_positions[shown];
    // The first tab has the top square above it, so its caption starts right at the tab.
    const int top = shown == 0 ? span.top : span.top + 16;
    return QRect(3, top, m_thickness - 4, span.length - 16);
}

void TMiscTabs::DrawCaption(QPainter& painter, int index, const QRect& rect,
                            const QColor& color) const {
    int mnemonic = -1;
    const QString shown = ShownCaption(m_tabs[index], &mnemonic);
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
    if (m_buffer.size() != size()) m_buffer = QImage(size(), QImage::Format_RGB32);
    m_buffer.fill(m_colors[Background]);
    QPainter p(&m_buffer);
    p.setFont(font());
    for (int k = 0; k < m_positions.size(); ++k) {
        const TTabSpan& span = m_positions[k];
        const int index = m_firstIndex + k;
        const bool selected = index == m_tabIndex;
        int kind = selected ? 5 : 7;
        if (k == 0)
            kind = selected ? 1 : 2;
        else if (index - 1 == m_tabIndex)
            kind = 6;
        DrawCorner(p, kind, span.top - kCorner);

        const QRect body(0, span.top, m_thickness, span.length);
        p.fillRect(body, m_colors[selected ? SelectedFill : TabFill]);
        if (selected && m_useSkinPicture && !m_selectedPicture.isNull())
            p.drawImage(body, m_selectedPicture);

        QColor text = m_colors[TabText];
        if (selected)
            text = m_colors[SelectedText];
        else if (k == m_hotIndex && m_hotRect.contains(m_pointer))
            text = m_colors[HotText];
        DrawCaption(p, index, CaptionRect(k), text);

        if (k == m_positions.size() - 1) DrawCorner(p, selected ? 3 : 4, span.top + span.length);
    }
    p.setPen(m_colors[Edge]);
    const int right = width() - 1;
    const int bottom = height() - 1;
    if (m_borderLines & LeftLine) p.drawLine(0, 0, 0, bottom);
    if (m_borderLines & TopLine) p.drawLine(0, 0, right, 0);
    if (m_borderLines & RightLine) p.drawLine(right, 0, right, bottom);
    if (m_borderLines & BottomLine) p.drawLine(0, bottom, right, bottom);
    p.end();

    QPainter screen(this);
    screen.drawImage(0, 0, m_buffer);
}

// -- events ---------------------------------------------------------------------------------------

void TMiscTabs::resizeEvent(QResizeEvent*) {
    if (width() != m_thickness) BuildCorners();
    m_scroller->move(2, m_scroller->y());
    if (m_tabs.Count() >= 2) m_resized = true;
    Repaint();
}

void TMiscTabs::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && m_scroller) Repaint();
    QWidget::changeEvent(event);
}

int TMiscTabs::HitTab(const QPoint& at) const {
    if (at.x() < 0 || at.x() > m_thickness) return -1;
    const int tolerance = at.x() < m_thickness / 2 ? 6 : 9;
    for (int k = 0; k < m_positions.size(); ++k) {
        const TTabSpan& span = m_positions[k];
        if (span.top - tolerance <= at.y() && at.y() <= span.top + span.length + tolerance)
            return k;
    }
    return -1;
}

void TMiscTabs::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const int hit = HitTab(event->position().toPoint());
    if (hit >= 0) SetTabIndex(m_firstIndex + hit);
}

void TMiscTabs::mouseMoveEvent(QMouseEvent* event) {
    if (testAttribute(Qt::WA_SetCursor)) unsetCursor();
    m_pointer = event->position().toPoint();
    const int oldHot = m_hotIndex;
    const bool wasLit = oldHot >= 0 && m_hotRect.contains(m_pointer);
    const int hit = HitTab(m_pointer);
    m_hotIndex = hit;
    if (hit >= 0) {
        // The caption lights up while the pointer is over its lines.
        const QRect caption = CaptionRect(hit);
        const int shownLines = int(SplitCaption(ShownCaption(m_tabs[m_firstIndex + hit])).size());
        m_hotRect = QRect(4, caption.top(), width() - 8,
                          std::min(caption.height(), shownLines * fontMetrics().height()));
    } else {
        m_hotRect = QRect();
    }
    const bool lit = hit >= 0 && m_hotRect.contains(m_pointer);
    if (hit != oldHot || lit != wasLit)
        update(QRect(0, m_startMargin + 16, width(), height() - m_startMargin - 16));
}

void TMiscTabs::leaveEvent(QEvent* event) {
    m_pointer = QPoint(-1, -1);
    if (m_hotIndex >= 0) {
        m_hotIndex = -1;
        update();
    }
    QWidget::leaveEvent(event);
}

int TMiscTabs::MnemonicTab(const QString& text) const {
    if (text.size() != 1 || !text[0].isPrint()) return -1;
    for (int i = 0; i < m_tabs.Count(); ++i) {
        int mnemonic = -1;
        const QString shown = ShownCaption(m_tabs[i], &mnemonic);
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
    if (top == this || top == m_watchedWindow) return;
    if (m_watchedWindow) m_watchedWindow->removeEventFilter(this);
    m_watchedWindow = top;
    top->installEventFilter(this);
}

bool TMiscTabs::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_watchedWindow && event->type() == QEvent::KeyPress && isVisible() &&
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
