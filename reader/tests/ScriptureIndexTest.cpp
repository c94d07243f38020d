#include "ScriptureIndex.h"
#include "BibGlobe.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

// A corpus of its own for the run: the index follows whatever the program has loaded.
void LoadCorpus(StringList text) {
    TBibGlobe::CorpusFiles() = {StringList{}, std::move(text)};
}

} // namespace

TEST(ScriptureIndex, FollowsTheLoadedCorpusAndKeepsItsIndexWhileItStays) {
    LoadCorpus({"`1ab", "cd`23e"});
    const TSearchIndex& first = ScriptureIndex();
    EXPECT_EQ(first.LineCount(), 2);
    EXPECT_EQ(first.StrippedLine(0), "ab");
    EXPECT_EQ(first.StrippedLine(1), "cde");
    EXPECT_EQ(first.Search({"d"}, 0, 1), std::vector<int>{1});
    // The same corpus again: the same index, not a rebuilt one.
    EXPECT_EQ(&ScriptureIndex(), &first);
    EXPECT_EQ(ScriptureIndex().StrippedLine(1), "cde");

    // A corpus loaded anew with another length is indexed afresh.
    LoadCorpus({"x", "y", "`4zd"});
    EXPECT_EQ(ScriptureIndex().LineCount(), 3);
    EXPECT_EQ(ScriptureIndex().Search({"d"}, 0, 2), std::vector<int>{2});

    LoadCorpus({});
    EXPECT_EQ(ScriptureIndex().LineCount(), 0);
    EXPECT_TRUE(ScriptureIndex().Search({"d"}, 0, -1).empty());
    TBibGlobe::CorpusFiles().clear();
}
