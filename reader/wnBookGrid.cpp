// The chapter grid: line breaking into rows, and the painting of every cell of the chapter grid
// and of the chain-reference pane (marker balls, note icons, bookmarks, the selection frame).
#include "wnBook.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainPane.h"
#include "DrawCanvas.h"
#include "DrawMenus.h"
#include "GbkBridge.h"
#include "Markers.h"
#include "NotesStore.h"
#include "ReaderPictures.h"
#include "ReadingFont.h"
#include "ReadingSize.h"
#include "ScaledPictures.h"
#include "SearchPanel.h"
#include "SkinState.h"
#include "StudyNotePane.h"
#include "TxtFormat.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <limits>

namespace orvane {
namespace {

constexpr int kBallSize = 16;
// Narrower columns are not broken at all: every character would get a line of its own.
constexpr int kMinBreakWidth = 8;
// The header's height in the system look, where no skin cell face is loaded.
constexpr int kHeaderHeight = 24;
constexpr int kNoteIcon = 18;
constexpr int kFirstBookmarkIcon = 22;
const QColor kSeparatorGrey(128, 128, 128);
const QColor kMarkerNumberColour(0, 128, 128);

QColor SystemColour(QPalette::ColorRole role) {
    return QApplication::palette().color(role);
}

const QFont& HeaderNameFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("幼圆"));
        f.setPointSize(10);
        f.setBold(true);
        return f;
    }();
    return font;
}

// The digits on a marker ball, in the pixel height a Windows font of `points` has on a
// 96-dpi screen: the ball is a fixed 16 x 16 picture, so its numbers must not grow with the
// screen's resolution. Unsmoothed, so no blended pixel lands on the ball's magenta key.
const QFont& MarkerFont(int points) {
    static std::array<QFont, 12> fonts;
    static std::array<bool, 12> made{};
    const size_t i = size_t(std::clamp(points, 1, 11));
    if (!made[i]) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(std::max(1, (int(i) * 96 + 36) / 72));
        f.setStyleStrategy(QFont::NoAntialias);
        fonts[i] = f;
        made[i] = true;
    }
    return fonts[i];
}

// Pictures cut from the strips once; the strips never change while the program runs.
const QImage& ToolPicture(int index) {
    static std::array<QImage, ToolImageCount> cache;
    QImage& image = cache[size_t(index)];
    if (image.isNull()) image = ToolImage(index);
    return image;
}

const QImage& BallPicture(int skin, bool narrow) {
    static std::array<std::array<QImage, BallImageCount>, 2> cache;
    QImage& image = cache[narrow][size_t(std::clamp(skin, 0, BallImageCount - 1))];
    if (image.isNull()) image = narrow ? NarrowBallImage(skin) : BallImage(skin);
    return image;
}

const QImage& CheckFlagPicture() {
    static const QImage image = CheckFlagImage();
    return image;
}

// The system look's cell: button face with a one-pixel raised edge.
void PaintPlainBackground(QPainter& canvas, const QRect& r) {
    canvas.fillRect(r, SystemColour(QPalette::Button));
    const QColor light = SystemColour(QPalette::Light);
    const QColor dark = SystemColour(QPalette::Dark);
    canvas.fillRect(r.left(), r.top(), r.width(), 1, light);
    canvas.fillRect(r.left(), r.top(), 1, r.height(), light);
    canvas.fillRect(r.left(), r.bottom(), r.width(), 1, dark);
    canvas.fillRect(r.right(), r.top(), 1, r.height(), dark);
}

// A grey line of single dots from x1 up to (not including) x2. The pattern is anchored to the
// canvas, so the dots of neighbouring rows line up.
void DottedLine(QPainter& canvas, int x1, int x2, int y) {
    if (x2 > x1) canvas.fillRect(x1, y, x2 - x1, 1, QBrush(kSeparatorGrey, Qt::Dense4Pattern));
}

// One row's GBK text prepared for painting: its characters as UTF-16 and the advance of each
// byte, taken from the same width cache the line breaker measured with. Positions are byte
// offsets; only character boundaries are ever passed in.
class TRowText {
public:
    explicit TRowText(std::string_view gbk) : text_(gbk), unitAt_(gbk.size() + 1, 0) {
        ReadingWidths().ByteWidths(gbk, widths_);
        size_t chars = 0;
        for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i))
            ++chars;
        QString units = FromGbk(gbk);
        if (size_t(units.size()) != chars) { // a damaged character: convert one at a time
            units.clear();
            for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i)) {
                const QString one = FromGbk(gbk.substr(i, CharLength(gbk, i)));
                units.append(one.isEmpty() ? QChar(u'\uFFFD') : one.front());
            }
        }
        size_t k = 0;
        for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i), ++k) {
            unitAt_[i] = int(k);
            if (CharLength(gbk, i) == 2) unitAt_[i + 1] = int(k);
        }
        unitAt_[gbk.size()] = int(k);
        // Line ends and tabs have no glyph to show; they keep their measured width.
        for (QChar& u : units)
            if (u < u' ') u = u' ';
        units_ = units;
    }

    size_t Size() const { return text_.size(); }
    char At(size_t i) const { return text_[i]; }

    QString Units(size_t from, size_t to) const {
        return units_.mid(unitAt_[from], unitAt_[to] - unitAt_[from]);
    }

    int Width(size_t from, size_t to) const {
        int sum = 0;
        for (size_t i = from; i < to; ++i)
            sum += widths_[i];
        return sum;
    }

    // The first backquote in [from, to) that is a character of its own; a trail byte of a
    // double-byte character may have the same value.
    size_t FindMarker(size_t from, size_t to) const {
        const size_t at = orvane::FindMarker(text_, from).Begin;
        return at < to ? at : std::string_view::npos;
    }

private:
    std::string_view text_;
    std::vector<int> unitAt_; // per byte: index of its character's UTF-16 unit
    std::vector<int> widths_;
    QString units_;
};

// Draws the characters of [from, to) with their tops at y, left edge at x.
void WriteRun(QPainter& canvas, const TRowText& row, size_t from, size_t to, int x, int y,
              int ascent) {
    if (from < to) canvas.drawText(QPoint(x, y + ascent), row.Units(from, to));
}

// Width column `col` must have to fill the grid's client area beside the other columns, with
// the scroll bar's room taken off when the rows laid out now need it. Computed from the grid's
// own frame rather than its viewport, which lags behind while the window is being shown.
int FillingWidth(const TStringGrid* grid, int col) {
    int width = grid->contentsRect().width() - 2;
    for (int c = 0; c < grid->ColCount(); ++c)
        if (c != col) width -= grid->ColWidth(c);
    if (grid->ScrollBarShowing()) width -= grid->verticalScrollBar()->sizeHint().width();
    return width;
}

bool HasNote(int verseLine) {
    try {
        return !Notes().GetNote(verseLine).empty();
    } catch (const std::exception&) {
        return false; // an unreadable notes file shows no icons; the editor reports it
    }
}

} // namespace

// --- colours ------------------------------------------------------------------------------

QColor TfmBook::ReadingBackground() const {
    if (SkinIndex != kSkinSystem && SkinFaceColor.isValid()) return SkinFaceColor;
    return SystemColour(QPalette::Base);
}

QColor TfmBook::FrameColour() const {
    return SkinIndex != kSkinSystem ? SkinAccentColor() : SystemColour(QPalette::Dark);
}

void TfmBook::ReapplySkin() {
    const QColor face = SkinFaceColor.isValid() && SkinIndex != kSkinSystem
                            ? SkinFaceColor
                            : SystemColour(QPalette::Button);
    QPalette form = palette();
    form.setColor(QPalette::Window, face);
    setPalette(form);
    setAutoFillBackground(true);

    const QColor reading = ReadingBackground();
    for (QWidget* w : {static_cast<QWidget*>(redtLingXiu), static_cast<QWidget*>(sgrdMain),
                       static_cast<QWidget*>(tshtSeriP->Grid()),
                       static_cast<QWidget*>(panFindOpt->Grid()), static_cast<QWidget*>(trvBook)}) {
        if (!w) continue;
        QPalette p = w->palette();
        p.setColor(QPalette::Base, reading);
        p.setColor(QPalette::Window, reading);
        w->setPalette(p);
    }
    tshtSeriP->Grid()->setFont(sgrdMain->font());
    const bool skinned = SkinIndex != kSkinSystem && !SkinCellFace.isNull();
    sgrdMain->SetRowHeight(0, skinned ? SkinCellFace.height() : kHeaderHeight);
    TDrawMenus::Install(ppmChapterSelect);
    sgrdMain->viewport()->update();
    tshtSeriP->Grid()->viewport()->update();
    panFindOpt->Grid()->viewport()->update();
}

// --- layout -------------------------------------------------------------------------------

void TfmBook::LayoutRows(TStringGrid* grid, int col, int first, const StringList* source,
                         int last) {
    if (!grid || col < 0 || col >= grid->ColCount()) return;
    const int count = std::max(0, last - first + 1);
    auto textOf = [&](int i) -> std::string_view {
        if (!source) return grid->Cells(col, i);
        if (i < 0 || size_t(i) >= source->size()) return {};
        return (*source)[size_t(i)];
    };
    // A column that filled the client area keeps filling it when this layout shows or hides
    // the scroll bar.
    const bool filling = grid->ColWidth(col) == FillingWidth(grid, col);

    auto breakLines = [&](bool force) {
        const int width = grid->ColWidth(col);
        bool broken = true;
        if (width >= kMinBreakWidth &&
            (force || grid->SavedRow < 0 || width - 2 != grid->WrapWidth)) {
            TCharWidth& widths = ReadingWidths();
            grid->WrapWidth = width - 2;
            grid->LineBreaks.assign(size_t(count), {});
            for (int i = 0; i < count; ++i)
                grid->LineBreaks[size_t(i)] =
                    TTxtFormat::BreakLines(textOf(first + i), grid->WrapWidth, widths);
        } else if (width < kMinBreakWidth && grid->SavedRow < 0) {
            // New content in a column too narrow to break for: one line per text, so the rows
            // match the texts; the impossible width makes the next wider layout break them.
            grid->WrapWidth = -1;
            grid->LineBreaks.assign(size_t(count), {});
            for (int i = 0; i < count; ++i)
                grid->LineBreaks[size_t(i)] = TTxtFormat::BreakLines(
                    textOf(first + i), std::numeric_limits<int>::max() / 2, ReadingWidths());
        } else {
            broken = false;
        }
        grid->MarkerSpots.resize(grid->LineBreaks.size());
        // The English lines are broken whenever the Chinese ones are, for the same width.
        if (grid == sgrdMain && (broken || englishLines_.size() != grid->LineBreaks.size()))
            LayoutEnglish(first, int(grid->LineBreaks.size()));
    };
    auto setHeights = [&] {
        const int fixed = grid->FixedRows();
        for (int r = fixed; r < grid->RowCount(); ++r) {
            const size_t entry = size_t(r - fixed);
            if (entry >= grid->LineBreaks.size()) break;
            // An empty text keeps one line, so its row (and verse number) stays visible.
            const int lines = std::max<int>(1, int(grid->LineBreaks[entry].size()));
            const int english = grid == sgrdMain ? EnglishRowsHeight(int(entry)) : 0;
            grid->SetRowHeight(r, lines * grid->DefaultRowHeight() + english);
        }
    };

    breakLines(false);
    if (source) {
        // Emptying the grid is no choice of the reader's: no select-cell event.
        auto onSelect = std::move(grid->OnSelectCell);
        grid->OnSelectCell = nullptr;
        const int fixed = grid->FixedRows();
        grid->SetRowCount(fixed + 1);
        for (int r = 0; r <= fixed; ++r)
            for (int c = 0; c < grid->ColCount(); ++c)
                grid->SetCells(c, r, {});
        // A grid needs a data row below its fixed ones even when there are no texts.
        grid->SetRowCount(fixed + std::max<int>(1, int(grid->LineBreaks.size())));
        grid->OnSelectCell = std::move(onSelect);
        if (grid == sgrdMain) {
            gridFirstLine_ = first;
            gridLastLine_ = first + int(grid->LineBreaks.size()) - 1;
            tshtSeriP->SetShownChapter(ChapterOfLine(first));
        }
    }
    setHeights();
    if (filling) {
        const int width = FillingWidth(grid, col);
        if (width != grid->ColWidth(col) && width >= kMinBreakWidth) {
            grid->SetColWidth(col, width);
            breakLines(true);
            setHeights();
        }
    }
    if (grid->SavedRow >= grid->FixedRows() && grid->SavedRow < grid->RowCount()) {
        // Restoring the row that was current is no new selection either.
        auto onSelect = std::move(grid->OnSelectCell);
        grid->OnSelectCell = nullptr;
        grid->SetRow(grid->SavedRow);
        grid->OnSelectCell = std::move(onSelect);
    }
    if (grid->ScrollBarShowing()) grid->SetTopRow(grid->Row());
    grid->viewport()->update();
}

void TfmBook::panReadAreaResize() {
    sgrdMain->SavedRow = sgrdMain->Row();
    sgrdMain->SetColWidth(1, std::max(0, FillingWidth(sgrdMain, 1)));
    if (gridFirstLine_ < 0) return; // no chapter yet: its load lays out for this width
    LayoutRows(sgrdMain, 1, gridFirstLine_, &TBibGlobe::CorpusFile(kChineseTextFile),
               gridLastLine_);
}

// --- marker balls -------------------------------------------------------------------------

void TfmBook::PrepareMarkerBall(int numberSize, bool narrow) {
    if (MarkerBall.size() != QSize(kBallSize, kBallSize))
        MarkerBall = QImage(kBallSize, kBallSize, QImage::Format_RGB888);
    MarkerBall.fill(QColor::fromRgb(kMagenta));
    QPainter p(&MarkerBall);
    p.drawImage(QPoint(0, 0), BallPicture(SkinIndex, narrow));
    markerNumberSize_ = numberSize;
}

void TfmBook::WriteMarkerDigits(const QString& digits, int x, int y) {
    if (CurrentReadingSize() != kDefaultReadingSize) {
        // Written on the scaled ball when it is drawn, in a face of the scaled height.
        ballDigits_ = digits;
        ballDigitsAt_ = QPoint(x, y);
        return;
    }
    if (digits.isEmpty()) return;
    QPainter p(&MarkerBall);
    const QFont& font = MarkerFont(markerNumberSize_);
    p.setFont(font);
    p.setPen(kMarkerNumberColour);
    p.drawText(QPoint(x, y + QFontMetrics(font).ascent()), digits);
}

void TfmBook::DrawMarkerBall(TStringGrid* grid, QPainter& canvas, const QString& digits, int x,
                             int y, int row) {
    if (CurrentReadingSize() == kDefaultReadingSize) {
        DrawKeyed(canvas, QPoint(x, y), MarkerBall);
    } else {
        const int pixels = MarkerFont(markerNumberSize_).pixelSize();
        canvas.drawImage(QPoint(x, y), ScaledMarkerBall(MarkerBall, ReadingScaled(kBallSize),
                                                        ballDigits_, ReadingScaled(pixels),
                                                        QPoint(ReadingScaled(ballDigitsAt_.x()),
                                                               ReadingScaled(ballDigitsAt_.y()))));
        ballDigits_.clear();
    }
    if (!grid) return;
    bool ok = false;
    int number = digits.toInt(&ok);
    if (!ok) number = 1;
    const int entry = row - grid->FixedRows();
    if (entry >= 0 && size_t(entry) < grid->MarkerSpots.size())
        grid->MarkerSpots[size_t(entry)].push_back({x, y, number});
}

// --- painting -----------------------------------------------------------------------------

void TfmBook::PaintLines(TStringGrid* grid, QPainter& canvas, int row, const QRect& rect,
                         std::string_view text, const std::vector<uint16_t>& ends) {
    const TRowText glyphs(text);
    const int ascent = QFontMetrics(canvas.font()).ascent();
    size_t begin = 0;
    for (size_t k = 0; k < ends.size(); ++k) {
        const size_t end = std::min<size_t>(ends[k], glyphs.Size());
        const int y = rect.top() + ReadingScaled(4) + int(k) * grid->DefaultRowHeight();
        int x = rect.left() + 2;
        size_t pos = begin;
        while (pos < end) {
            const size_t mark = glyphs.FindMarker(pos, end);
            if (mark == std::string_view::npos) break;
            WriteRun(canvas, glyphs, pos, mark, x, y, ascent);
            int ballX = x + glyphs.Width(pos, mark);
            size_t digitsEnd = mark + 1;
            while (digitsEnd < end && glyphs.At(digitsEnd) >= '0' && glyphs.At(digitsEnd) <= '9')
                ++digitsEnd;
            const int advance = glyphs.Width(mark, digitsEnd);
            const QRect room(ballX, y - ReadingScaled(3), advance, ReadingScaled(kBallSize));
            x = ballX + advance;
            const QString digits = glyphs.Units(mark + 1, digitsEnd);
            if (digits.size() >= 3) {
                PrepareMarkerBall(6);
                WriteMarkerDigits(digits, 2, 2);
                ballX += ReadingScaled(3);
            } else if (digits.size() == 2) {
                PrepareMarkerBall(8);
                WriteMarkerDigits(digits, 2, 0);
            } else {
                // "`1" advances 12 px: the full ball would cover the next character's edge.
                PrepareMarkerBall(8, true);
                WriteMarkerDigits(digits, 3, 0);
            }
            // Whatever the font's widths, a ball never reaches into the next character.
            canvas.save();
            canvas.setClipRect(room, Qt::IntersectClip);
            DrawMarkerBall(grid, canvas, digits, ballX, y - ReadingScaled(3), row);
            canvas.restore();
            pos = digitsEnd;
        }
        WriteRun(canvas, glyphs, pos, end, x, y, ascent);
        begin = std::max(begin, end);
    }
}

void TfmBook::sgrdMainDrawCell(TStringGrid* grid, QPainter& canvas, int col, int row,
                               const QRect& rect, TGridDrawState state) {
    (void)state; // selection is read from the grid: marked rows override it
    if (!grid) return;
    canvas.setPen(Qt::black);
    canvas.setBrush(Qt::NoBrush);
    canvas.setFont(grid->font());
    const bool chapterGrid = grid == sgrdMain;
    const int fixed = grid->FixedRows();
    const int verseLine = chapterGrid && gridFirstLine_ >= 0 && row >= fixed &&
                                  gridFirstLine_ + row - fixed <= gridLastLine_
                              ? gridFirstLine_ + row - fixed
                              : -1;
    if (chapterGrid && row < fixed)
        PaintHeaderCell(grid, canvas, col, rect);
    else if (col == 0)
        PaintNumberCell(grid, canvas, row, rect, verseLine);
    else
        PaintTextCell(grid, canvas, col, row, rect, verseLine);
}

// The chapter grid's header: the book's short name over the number column, "dadev" over the text.
void TfmBook::PaintHeaderCell(TStringGrid* grid, QPainter& canvas, int col, const QRect& rect) {
    const bool skinned = SkinIndex != kSkinSystem;
    // Right and bottom as the first pixel outside the cell.
    const int left = rect.left(), top = rect.top();
    const int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
    if (skinned)
        TDrawCanvas::TileHorizontally(canvas, SkinCellFace, grid->ColWidth(col), left);
    else
        PaintPlainBackground(canvas, rect);
    const QRect textRect = rect.adjusted(0, 4, 0, 0);
    if (col != 0) {
        // The header keeps its height at every reading size, and so its caption's size.
        QFont caption = canvas.font();
        caption.setPointSize(kDefaultReadingSize);
        canvas.setFont(caption);
        canvas.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("dadev"));
        return;
    }
    const QColor frame = FrameColour();
    canvas.fillRect(right - 1, top, 1, rect.height(), frame);
    canvas.fillRect(left, bottom - 1, rect.width(), 1, frame);
    const int book = gridFirstLine_ >= 0 ? BookOfLine(gridFirstLine_) : -1;
    if (book >= 0) {
        canvas.setFont(HeaderNameFont());
        canvas.setPen(skinned ? SkinAccentColor() : QColor(Qt::black));
        canvas.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop,
                        FromGbk(BookTable[size_t(book)].ShortName));
    }
    return;
}

// A verse's number with its bookmark and mark flags, or a chain group's number in the pane.
void TfmBook::PaintNumberCell(TStringGrid* grid, QPainter& canvas, int row, const QRect& rect,
                              int verseLine) {
    const bool chapterGrid = grid == sgrdMain;
    const int fixed = grid->FixedRows();
    const bool skinned = SkinIndex != kSkinSystem;
    // Right and bottom as the first pixel outside the cell.
    const int left = rect.left(), top = rect.top();
    const int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
    if (skinned)
        canvas.drawImage(rect, SkinCellFaceSmall);
    else
        PaintPlainBackground(canvas, rect);
    const int ascent = QFontMetrics(canvas.font()).ascent();
    if (chapterGrid) {
        if (verseLine < 0) return;
        const QString number = QStringLiteral("%1:%2")
                                   .arg(::orvane::ChapterNumber(ChapterOfLine(verseLine)))
                                   .arg(row - fixed + 1);
        const bool scaled = CurrentReadingSize() != kDefaultReadingSize;
        canvas.drawText(QPoint(left + ReadingScaled(4), top + ReadingScaled(4) + ascent), number);
        for (int i = 0; i < int(bookMarks_.size()); ++i) {
            if (bookMarks_[size_t(i)] != verseLine) continue;
            const QImage& mark = ToolPicture(kFirstBookmarkIcon + i);
            const int size = ReadingScaled(16);
            canvas.drawImage(QPoint(right - size, bottom - size - 1),
                             scaled ? ScaledPicture(mark, size) : mark);
        }
        if (MarkedRows.contains(QString::number(row))) {
            const QImage& flag = CheckFlagPicture();
            if (scaled) {
                const QImage& big = ScaledKeyedPicture(flag, ReadingScaled(flag.width()));
                canvas.drawImage(QPoint(right - big.width() - 1, bottom - big.height() - 1), big);
            } else {
                DrawKeyed(canvas, QPoint(right - flag.width() - 1, bottom - flag.height() - 1),
                          flag);
            }
        }
        return;
    }
    // A group's number stands on its first row, and on the top row when that first row
    // has scrolled away.
    const std::string& text = grid->Cells(0, row);
    if (text.empty()) return;
    if (row > 0 && row != grid->TopRow() && text == grid->Cells(0, row - 1)) return;
    const QString digits = FromGbk(text);
    if (digits.size() >= 3) {
        PrepareMarkerBall(7);
        WriteMarkerDigits(digits, 1, 1);
    } else {
        PrepareMarkerBall(8);
        WriteMarkerDigits(digits, digits.size() == 1 ? 5 : 2, 0);
    }
    DrawMarkerBall(nullptr, canvas, digits, left + ReadingScaled(4), top + ReadingScaled(4), row);
    return;
}

// A text cell: its note icon, the selection frame or the dotted separators, the lines with their
// marker balls, and in the chapter grid the English under them.
void TfmBook::PaintTextCell(TStringGrid* grid, QPainter& canvas, int col, int row,
                            const QRect& rect, int verseLine) {
    const bool chapterGrid = grid == sgrdMain;
    const int fixed = grid->FixedRows();
    // Right and bottom as the first pixel outside the cell.
    const int left = rect.left(), top = rect.top();
    const int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
    // The text column.
    canvas.fillRect(rect, ReadingBackground());
    if (chapterGrid && verseLine >= 0 && HasNote(verseLine)) {
        NoteIcon = QImage(16, 16, QImage::Format_ARGB32_Premultiplied);
        NoteIcon.fill(ReadingBackground());
        {
            QPainter icon(&NoteIcon);
            icon.drawImage(QPoint(0, 0), ToolPicture(kNoteIcon));
        }
        const int size = ReadingScaled(16);
        canvas.drawImage(QPoint(right - size, bottom - size),
                         size == 16 ? NoteIcon : ScaledPicture(NoteIcon, size));
    }

    const bool lastRow = row == grid->RowCount() - 1;
    const bool framed =
        MarkedRows.isEmpty() ? grid->IsRowSelected(row) : MarkedRows.contains(QString::number(row));
    if (framed && chapterGrid) {
        const int shift = selectFramePhase_ == 1 ? 3 : 0;
        const QColor frame = FrameColour();
        TDrawCanvas::DrawDashedHLine(canvas, left + shift, frame, right, top);
        TDrawCanvas::DrawDashedVLine(canvas, left + 1, frame, bottom - 1, top + shift);
        TDrawCanvas::DrawDashedVLine(canvas, right - 1, frame, bottom - 1, top + shift);
        if (lastRow) DottedLine(canvas, left, right, bottom - 2);
        TDrawCanvas::DrawDashedHLine(canvas, left + shift, frame, right, bottom - 1);
    } else {
        DottedLine(canvas, left, right, top);
        if (!framed && lastRow) DottedLine(canvas, left, right, bottom - 1);
    }

    QFont font = ReadingFont(); // the font the lines were broken with
    if (!chapterGrid) font.setUnderline(grid->IsRowSelected(row));
    canvas.setFont(font);
    canvas.setPen(Qt::black);
    const int entry = row - fixed;
    if (entry < 0 || size_t(entry) >= grid->MarkerSpots.size()) return;
    grid->MarkerSpots[size_t(entry)].clear();
    if (size_t(entry) >= grid->LineBreaks.size() || grid->LineBreaks[size_t(entry)].empty()) return;
    const std::string_view text = !chapterGrid ? std::string_view(grid->Cells(col, row))
                                  : verseLine >= 0
                                      ? std::string_view(TBibGlobe::VerseText(verseLine))
                                      : std::string_view();
    PaintLines(grid, canvas, row, rect, text, grid->LineBreaks[size_t(entry)]);
    if (chapterGrid)
        PaintEnglish(canvas, entry, rect,
                     top + int(grid->LineBreaks[size_t(entry)].size()) * grid->DefaultRowHeight());
}

// --- the selection frame's march ----------------------------------------------------------

void TfmBook::tmrDrawSelectFrameTimer() {
    if (sgrdMain->Row() <= 0) return;
    selectFramePhase_ = selectFramePhase_ != 1 ? 1 : 0;
    sgrdMain->InvalidateCell(1, sgrdMain->Row());
}

} // namespace orvane
