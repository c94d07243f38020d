#include "CommandLine.h"

#include "Addressing.h"
#include "BookTables.h"
#include "ChainDataBuilder.h"
#include "CrossRefs.h"
#include "DailyVerses.h"
#include "DataError.h"
#include "GbkEncoder.h"
#include "TargetSelector.h"
#include "TextFile.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <limits>
#include <ostream>

namespace orvane::datagen {
namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  orvane-datagen chain CUV CROSSREFS OUT_CHAIN OUT_TEXT [--min-votes N] [--cap N]\n"
    "                 [--min-targets N] [--no-99] [--stats]\n"
    "  orvane-datagen gbk IN OUT\n"
    "  orvane-datagen daily CUV LIST OUT\n"
    "Inputs are UTF-8, outputs GBK with LF line ends.\n";

struct UsageError {};

// Positional arguments and the options that follow the subcommand, in any order.
struct Arguments {
    std::vector<std::string> Files;
    SelectionRules Rules;
    bool ShownAsNinetyNine = true;
    bool Stats = false;
};

int ReadCount(const std::vector<std::string>& args, size_t& i, int minimum) {
    if (i + 1 >= args.size()) throw UsageError{};
    const std::string& text = args[++i];
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < minimum)
        throw UsageError{};
    return value;
}

Arguments ParseArguments(const std::vector<std::string>& args, bool chainOptions) {
    Arguments parsed;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("--")) {
            parsed.Files.push_back(arg);
        } else if (!chainOptions) {
            throw UsageError{};
        } else if (arg == "--min-votes") {
            parsed.Rules.MinVotes = ReadCount(args, i, std::numeric_limits<int>::min());
        } else if (arg == "--cap") {
            parsed.Rules.MaxTargets = ReadCount(args, i, 1);
        } else if (arg == "--min-targets") {
            parsed.Rules.MinTargets = ReadCount(args, i, 1);
        } else if (arg == "--no-99") {
            parsed.ShownAsNinetyNine = false;
        } else if (arg == "--stats") {
            parsed.Stats = true;
        } else {
            throw UsageError{};
        }
    }
    return parsed;
}

StringList ReadVerses(const std::string& path) {
    StringList verses = GbkEncoder().EncodeLines(ReadTextFile(path), path);
    if (verses.size() != static_cast<size_t>(kVerseLineCount))
        throw DataError(path + ": " + std::to_string(verses.size()) + " lines, expected " +
                        std::to_string(kVerseLineCount));
    return verses;
}

std::string Share(long long part, long long whole) {
    char text[32];
    std::snprintf(text, sizeof text, " (%.1f%%)",
                  whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
}

void PrintStats(const ChainStats& s, std::ostream& out) {
    out << "marked verses: " << s.MarkedVerses << "\n";
    if (s.MarkedVerses == 0) return;
    const double marked = s.MarkedVerses;
    char averages[96];
    std::snprintf(averages, sizeof averages, "%.2f verse lines, %.2f references",
                  static_cast<double>(s.TargetLines) / s.Markers,
                  static_cast<double>(s.References) / s.Markers);
    out << "markers: " << s.Markers << ", " << s.Markers / marked << " per marked verse\n"
        << "verses with two or more markers: " << s.VersesWithSeveralMarkers
        << Share(s.VersesWithSeveralMarkers, s.MarkedVerses) << "\n"
        << "references listed: " << s.ReferencesListed << ", under a marker before a word they "
        << "share: " << s.ReferencesBeforeSharedWord
        << Share(s.ReferencesBeforeSharedWord, s.ReferencesListed) << "\n"
        << "targets moved off an empty verse line: " << s.RedirectedTargets << "\n"
        << "per marker: " << averages << "\n"
        << "largest group: " << s.LargestGroupTargets << " verse lines, at "
        << GbkToUtf8(ShortReference(s.LargestGroupVerse)) << "\n"
        << "most markers in a chapter: " << s.MostMarkersInChapter << ", in "
        << GbkToUtf8(ShortReference(ChapterTable[s.MostMarkersChapter].FirstLine)) << "\n"
        << "longest chain line: " << s.LongestChainLine << " bytes\n";
}

void RunChain(const Arguments& a, std::ostream& out) {
    if (a.Files.size() != 4) throw UsageError{};
    const StringList verses = ReadVerses(a.Files[0]);
    const std::vector<CrossRef> rows = ParseCrossRefs(ReadTextFile(a.Files[1]));
    const ChainData data =
        BuildChainData(verses, SelectReferences(rows, a.Rules), a.ShownAsNinetyNine);
    WriteLinesFile(a.Files[2], data.ChainLines);
    WriteLinesFile(a.Files[3], data.TextLines);
    if (a.Stats) PrintStats(data.Stats, out);
}

void RunGbk(const Arguments& a) {
    if (a.Files.size() != 2) throw UsageError{};
    WriteLinesFile(a.Files[1], GbkEncoder().EncodeLines(ReadTextFile(a.Files[0]), a.Files[0]));
}

void RunDaily(const Arguments& a) {
    if (a.Files.size() != 3) throw UsageError{};
    const StringList verses = ReadVerses(a.Files[0]);
    WriteLinesFile(a.Files[2], BuildDailyVerses(verses, ReadTextFile(a.Files[1])));
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const std::string command = args.empty() ? "" : args[0];
        if (command == "chain") {
            RunChain(ParseArguments(args, true), out);
        } else if (command == "gbk") {
            RunGbk(ParseArguments(args, false));
        } else if (command == "daily") {
            RunDaily(ParseArguments(args, false));
        } else {
            throw UsageError{};
        }
        return 0;
    } catch (const UsageError&) {
        err << kUsage;
        return 2;
    } catch (const std::exception& e) {
        err << "orvane-datagen: " << e.what() << "\n";
        return 1;
    }
}

} // namespace orvane::datagen
