// Laying out and painting 诗篇 119 (176 verses) in the reading window's chapter grid, against
// painting the same grid, same size, holding no chapter.
#include "AppPaths.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "Faces.h"
#include "ReadingSize.h"
#include "TfmBookProbe.h"
#include "wnBook.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "orvane_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        orvane::SubstituteFaces();
        return a;
    }();
    return *app;
}

// A shown reading window of the usual size; its chapter grid is what gets painted.
std::unique_ptr<orvane::TfmBook> Window() {
    App();
    if (orvane::TBibGlobe::CorpusFile(orvane::kChineseTextFile).empty())
        orvane::TBibGlobe::LoadScripture(); // what the window shows; the baseline paints it too
    auto form = std::make_unique<orvane::TfmBook>();
    form->resize(760, 560);
    form->show();
    orvane::TfmBookProbe(*form).tmrDrawSelectFrame()->stop();
    form->ReapplySkin();
    QApplication::processEvents();
    return form;
}

void Paint(orvane::TfmBook& form, QImage& image) {
    orvane::TfmBookProbe(form).sgrdMain()->viewport()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void BM_LayoutPaintPsalm119(benchmark::State& state) {
    auto form = Window();
    const orvane::TChapterInfo& psalm = orvane::ChapterTable[478 + 118];
    const orvane::StringList& text = orvane::TBibGlobe::CorpusFile(orvane::kChineseTextFile);
    if (int(text.size()) <= psalm.LastLine) {
        state.SkipWithError("scripture not loaded");
        return;
    }
    orvane::TStringGrid* grid = orvane::TfmBookProbe(*form).sgrdMain();
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    auto layoutAndPaint = [&] {
        grid->SavedRow = -1; // new content: the lines are broken again
        orvane::TfmBookProbe(*form).LayoutRows(grid, 1, psalm.FirstLine, &text, psalm.LastLine);
        Paint(*form, image);
    };
    layoutAndPaint(); // fonts, glyphs and character widths are cached once per run
    for (auto _ : state)
        layoutAndPaint();
}
BENCHMARK(BM_LayoutPaintPsalm119)->Unit(benchmark::kMicrosecond);

// The same chapter at 16 points with the English under every verse: more lines to break, the
// English wrapped, balls and icons scaled. The settings it writes go to a folder of its own.
void BM_LayoutPaintPsalm119LargeEnglish(benchmark::State& state) {
    App();
    QTemporaryDir folder;
    orvane::SetExecutablePath(std::filesystem::path(folder.path().toStdString()) / "orvane");
    auto form = Window();
    form->SetReadingSize(16);
    form->SetShowEnglish(true);
    const orvane::TChapterInfo& psalm = orvane::ChapterTable[478 + 118];
    const orvane::StringList& text = orvane::TBibGlobe::CorpusFile(orvane::kChineseTextFile);
    orvane::TStringGrid* grid = orvane::TfmBookProbe(*form).sgrdMain();
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    auto layoutAndPaint = [&] {
        grid->SavedRow = -1;
        orvane::TfmBookProbe(*form).LayoutRows(grid, 1, psalm.FirstLine, &text, psalm.LastLine);
        Paint(*form, image);
    };
    layoutAndPaint(); // and the English text decompressed, once per run
    for (auto _ : state)
        layoutAndPaint();
    form.reset();
    orvane::SetCurrentReadingSize(orvane::kDefaultReadingSize);
}
BENCHMARK(BM_LayoutPaintPsalm119LargeEnglish)->Unit(benchmark::kMicrosecond);

void BM_PaintEmptyGrid(benchmark::State& state) {
    auto form = Window();
    QImage image(orvane::TfmBookProbe(*form).sgrdMain()->viewport()->size(), QImage::Format_RGB32);
    Paint(*form, image);
    for (auto _ : state)
        Paint(*form, image);
}
BENCHMARK(BM_PaintEmptyGrid)->Unit(benchmark::kMicrosecond);

} // namespace
