// The reading size and the English rows of the chapter grid: what a size change lays out
// again, the Ctrl+wheel over the grid, the English lines' wrapping and painting, and the two
// settings behind them.
#include "wnBook.h"

#include "ChainPane.h"
#include "EnglishRows.h"
#include "EnglishText.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "ReadingFont.h"
#include "ReadingSize.h"
#include "SearchPanel.h"
#include "SettingsKeys.h"
#include "SkinState.h"
#include "StudyNotePane.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextEdit>
#include <QWheelEvent>

#include <limits>
#include <string>
#include <unordered_map>

namespace orvane {
namespace {

// Between the last Chinese line's glyphs and the English, and under the English.
constexpr int kEnglishLift = 4;
constexpr int kEnglishFoot = 4;

// Ctrl+wheel over a grid's viewport, one point per notch; other wheel turns scroll as before.
class TWheelZoom final : public QObject {
public:
    TWheelZoom(QWidget* watched, TfmBook* form) : QObject(watched), form_(form) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != parent() || event->type() != QEvent::Wheel) return false;
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
        // Fine-grained wheels send many small steps: a point only per whole notch.
        remainder_ += wheel->angleDelta().y();
        const int notches = remainder_ / 120;
        remainder_ -= notches * 120;
        if (notches != 0 && form_->SetReadingSize(form_->ReadingSize() + notches))
            emit form_->readingSizeChanged();
        return true;
    }

private:
    TfmBook* form_;
    int remainder_ = 0;
};

// Width of a word of the English text in the English face of the current size, in 64ths of a
// pixel: whole pixels per word would add up to a line wider than the one painted. The same
// words come back verse after verse, so each is measured once per size.
constexpr int kSubPixels = 64;
// Kerning across the blanks is not in the words' sum; this much room covers it.
constexpr int kKerningRoom = 2;

int EnglishWordWidth(std::string_view word) {
    static std::unordered_map<std::string, int> widths[kMaxReadingSize + 1];
    auto& cache = widths[CurrentReadingSize()];
    const std::string key(word);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    const int w =
        int(QFontMetricsF(EnglishFont()).horizontalAdvance(FromGbk(word)) * kSubPixels + 0.5);
    cache.emplace(key, w);
    return w;
}

int EnglishLineHeight() {
    return QFontMetrics(EnglishFont()).lineSpacing();
}

// Half way from the verse's ink to the reading face, drawn a little towards the look's frame
// colour: the English reads as the second voice, on the light faces of every look.
QColor MutedText(const QColor& face, const QColor& frame) {
    auto mix = [](int ink, int back, int tint) { return (ink * 50 + back * 35 + tint * 15) / 100; };
    return QColor(mix(0, face.red(), frame.red()), mix(0, face.green(), frame.green()),
                  mix(0, face.blue(), frame.blue()));
}

} // namespace

void TfmBook::CreateReadingSize() {
    new TWheelZoom(sgrdMain->viewport(), this);
}

int TfmBook::ReadingSize() const {
    return CurrentReadingSize();
}

bool TfmBook::SetReadingSize(int points) {
    const int wanted = ClampReadingSize(points);
    if (wanted == CurrentReadingSize()) return false;
    SetCurrentReadingSize(wanted);
    RelayoutForReading();
    try {
        TInifileX().WriteInteger(settings::kMain, settings::kReadingFontSize, wanted);
    } catch (const std::exception&) {
        // The size still applies to this run; the file keeps the one before.
    }
    return true;
}

bool TfmBook::SetShowEnglish(bool on) {
    if (on == englishShown_) return false;
    englishShown_ = on;
    RelayoutForReading();
    try {
        TInifileX().WriteBool(settings::kMain, settings::kShowEnglish, on);
    } catch (const std::exception&) {
    }
    return true;
}

void TfmBook::ReadingSettingsLoad() {
    int points = kDefaultReadingSize;
    bool english = false;
    try {
        const TInifileX ini;
        points = ReadingSizeFromText(ini.ReadString(settings::kMain, settings::kReadingFontSize));
        english = ini.ReadBool(settings::kMain, settings::kShowEnglish, false);
    } catch (const std::exception&) {
        // Unreadable settings: the window stays as it is.
    }
    if (points == CurrentReadingSize() && english == englishShown_) return;
    SetCurrentReadingSize(points);
    englishShown_ = english;
    RelayoutForReading();
}

void TfmBook::RelayoutForReading() {
    const QFont& font = ReadingFont();
    for (TStringGrid* grid : {sgrdMain, tshtSeriP->Grid(), panFindOpt->Grid()}) {
        // The header keeps the height its look gave it.
        std::vector<int> fixed;
        for (int r = 0; r < grid->FixedRows(); ++r)
            fixed.push_back(grid->RowHeight(r));
        grid->setFont(font);
        grid->SetDefaultRowHeight(ReadingScaled(kReadingLineHeight));
        for (int r = 0; r < int(fixed.size()); ++r)
            grid->SetRowHeight(r, fixed[size_t(r)]);
        grid->WrapWidth = -1; // the widths changed: every text is broken again
    }
    redtLingXiu->setFont(font);
    sgrdMain->SetColWidth(0, ReadingScaled(kVerseColumnWidth));
    tshtSeriP->Grid()->SetColWidth(0, ReadingScaled(kGroupColumnWidth));
    panReadAreaResize(); // keeps the current verse current and at the top
    tshtSeriP->ReloadChainPane();
    panFindOpt->tshtSearchResultResize();
    sgrdMain->viewport()->update();
    tshtSeriP->Grid()->viewport()->update();
    panFindOpt->Grid()->viewport()->update();
}

// --- the English rows ---------------------------------------------------------------------

void TfmBook::LayoutEnglish(int first, int count) {
    if (!englishShown_) {
        englishLines_.clear();
        return;
    }
    englishLines_.assign(size_t(std::max(0, count)), {});
    const int width = sgrdMain->WrapWidth > 0 ? (sgrdMain->WrapWidth - kKerningRoom) * kSubPixels
                                              : std::numeric_limits<int>::max() / 2;
    for (int i = 0; i < count; ++i) {
        QStringList& lines = englishLines_[size_t(i)];
        for (std::string_view line : WrapWords(EnglishVerse(first + i), width, EnglishWordWidth))
            lines << FromGbk(line);
    }
}

int TfmBook::EnglishRowsHeight(int entry) const {
    if (!englishShown_ || entry < 0 || size_t(entry) >= englishLines_.size()) return 0;
    const int lines = int(englishLines_[size_t(entry)].size());
    return lines > 0 ? lines * EnglishLineHeight() + ReadingScaled(kEnglishFoot) : 0;
}

void TfmBook::PaintEnglish(QPainter& canvas, int entry, const QRect& rect, int top) {
    if (!englishShown_ || entry < 0 || size_t(entry) >= englishLines_.size()) return;
    const QStringList& lines = englishLines_[size_t(entry)];
    if (lines.isEmpty()) return;
    const QFont& font = EnglishFont();
    const QFontMetrics metrics(font);
    canvas.save();
    canvas.setClipRect(rect, Qt::IntersectClip);
    canvas.setFont(font);
    canvas.setPen(MutedText(ReadingBackground(), FrameColour()));
    int y = top - ReadingScaled(kEnglishLift);
    for (const QString& line : lines) {
        canvas.drawText(QPoint(rect.left() + 2, y + metrics.ascent()), line);
        y += metrics.lineSpacing();
    }
    canvas.restore();
}

} // namespace orvane
