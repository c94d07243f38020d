// What the reading-window tests share: a run with the reader's fonts, its resources and
// scripture, and settings kept in a folder of its own; a window over its own book nodes, answered
// on a jump as the main window answers it; the book tree's nodes and load delay; and a look at
// the marker balls' pixels. Kept free of QObject so that a test can derive from it without moc.

#pragma once

#include "Addressing.h"
#include "AppPaths.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "BooksNodeData.h"
#include "EmbeddedResources.h"
#include "NotesStore.h"
#include "ReaderPictures.h"
#include "SkinState.h"
#include "TestSupport.h"
#include "TfmBookProbe.h"
#include "wnBook.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <array>
#include <filesystem>
#include <memory>

class ReadingWindowHarness {
protected:
    QTemporaryDir folder_;
    std::array<orvane::TBooksNodeData, 66> nodes{};
    std::unique_ptr<orvane::TfmBook> fm;
    int jumps = 0; // jumps answered since the window was made

    // Once a run, before the first window: the faces the reader's fonts stand for on this
    // machine (the line breaking is tuned for those), and a fresh folder for the settings file
    // and the notes, which would otherwise land beside the test executable.
    void PrepareRun() {
        orvane::test::PrepareFonts();
        QVERIFY(folder_.isValid());
        orvane::SetExecutablePath(std::filesystem::path(folder_.path().toStdString()) / "orvane");
        orvane::ResetNotes(); // the notes store opens lazily, in the folder current then
        orvane::RegisterEmbeddedResources();
        QVERIFY(orvane::TBibGlobe::LoadScripture());
    }

    // A window over book nodes that stand at each book's first chapter, not shown yet.
    void MakeWindow(QSize size = {900, 600}) {
        for (int b = 0; b < orvane::kBookCount; ++b)
            nodes[size_t(b)] = {b, orvane::BookTable[size_t(b)].FirstChapter, 0, 0};
        jumps = 0;
        fm = std::make_unique<orvane::TfmBook>();
        fm->SetBookNodes(&nodes);
        QObject::connect(fm.get(), &orvane::TfmBook::verseJumped,
                         [this](orvane::TBooksNodeData* data) { SyncToBook(data); });
        fm->resize(size);
    }

    // The window's controls and state, for looking and touching.
    orvane::TfmBookProbe P() const { return orvane::TfmBookProbe(*fm); }

    void ShowWindow() {
        fm->show();
        QVERIFY(QTest::qWaitForWindowExposed(fm.get()));
    }

    // The reader starts in Genesis, opened from the tree as the main window does.
    void OpenGenesisFromTree() {
        fm->FillBookTree(false);
        P().trvBook()->setCurrentItem(Node(0));
        WaitForLoad();
    }

    // Opens the chapter of a verse as a reader would: its book picked in the tree at that
    // chapter and verse row, the chapter loaded.
    void OpenVerseChapter(int verseLine) {
        const int book = orvane::BookOfLine(verseLine);
        nodes[size_t(book)].ChapterIndex = orvane::ChapterOfLine(verseLine);
        nodes[size_t(book)].VerseRow = orvane::VerseNumber(verseLine) - 1;
        fm->FillBookTree(orvane::IsNewTestament(book));
        P().trvBook()->setCurrentItem(Node(book));
        WaitForLoad();
    }

    QTreeWidgetItem* Node(int book) const {
        for (int i = 0; i < P().trvBook()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = P().trvBook()->topLevelItem(i);
            if (item->data(0, Qt::UserRole).value<void*>() == &nodes[size_t(book)]) return item;
        }
        return nullptr;
    }

    // Answers a jump as the main window does: the book's testament into the tree, then its node
    // selected afresh so the chapter is loaded even when the book is the selected one already.
    void SyncToBook(orvane::TBooksNodeData* data) {
        ++jumps;
        if (!Node(data->BookIndex)) fm->FillBookTree(orvane::IsNewTestament(data->BookIndex));
        QTreeWidgetItem* node = Node(data->BookIndex);
        QVERIFY(node);
        if (P().trvBook()->currentItem() == node) P().trvBook()->setCurrentItem(nullptr);
        P().trvBook()->setCurrentItem(node);
    }

    // A selection in the tree loads its chapter only once the reader stops moving.
    void WaitForLoad() {
        QVERIFY(P().tmrTreeChanged()->isActive());
        QTRY_VERIFY(!P().tmrTreeChanged()->isActive());
    }

    // Share of the ball picture's own pixels found unchanged in `grab` at `at`: the digits
    // cover a few, text none. Either ball counts, the full one or the narrow one-digit one.
    static double BallCoverage(const QImage& grab, QPoint at, int skin = orvane::kSkinSystem) {
        return std::max(Coverage(grab, at, orvane::BallImage(skin)),
                        Coverage(grab, at, orvane::NarrowBallImage(skin)));
    }
    static double Coverage(const QImage& grab, QPoint at, const QImage& ball) {
        int own = 0, same = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                if ((ball.pixel(x, y) & 0xFFFFFF) == (orvane::kMagenta & 0xFFFFFF)) continue;
                ++own;
                same += grab.pixel(at.x() + x, at.y() + y) == ball.pixel(x, y);
            }
        return own ? double(same) / own : 0;
    }

    // Verses in chapter `number` (from 1) of `book`.
    static int VerseCount(int book, int number) {
        using orvane::BookTable, orvane::ChapterTable;
        return ChapterTable[size_t(BookTable[size_t(book)].FirstChapter + number - 1)].VerseCount;
    }
};
