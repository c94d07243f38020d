// bibtool: the scripture core on the command line, for scripting and for our own checks.
// Output is UTF-8 (raw GBK with --gbk, which also takes the arguments as GBK).
#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "Container.h"
#include "CopyFormats.h"
#include "EmbeddedResources.h"
#include "Search.h"
#include "TxtFormat.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace orvane;

namespace {

const char* const kUsage =
    "usage: bibtool [--gbk] COMMAND ...\n"
    "  pack OUT IN...                       write a container of the files IN\n"
    "  cat CONTAINER [INDEX]                the lines of file INDEX (default 0) of a container\n"
    "  ref LINE                             short reference of a verse line\n"
    "  line BOOK CHAPTER VERSE              verse line (BOOK is 0-based)\n"
    "  verse LINE                           marker-free text of a verse line\n"
    "  chain CHAPTER_INDEX MARKER           the verses a chain-reference marker points to\n"
    "  markers LINE                         its chain-reference markers, in text order\n"
    "  parse-group --shown BOOK:CHAPTER TEXT  verse lines of a chain-reference group\n"
    "  break --width W TEXT                 display-line ends (12 px per double-byte char, 6 per "
    "byte)\n"
    "  search [--chapter C | --book B] KEYTEXT  verse lines holding any of the keys\n"
    "  edges [--from W] [--to W]            display lines of all verses, at every width from W\n"
    "                                       (200) to W (700), that begin with a closing mark or\n"
    "                                       end with an opening one\n";

struct UsageError {};
struct Failure {
    std::string message;
};

bool rawGbk = false;

std::string In(const char* arg) {
    return rawGbk ? std::string(arg) : Utf8ToGbk(arg);
}
void Out(const std::string& gbk) {
    const std::string text = rawGbk ? gbk : GbkToUtf8(gbk);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

int Number(const char* arg, int min, int max) {
    const int value = StrToIntDef(arg, min - 1);
    if (value < min || value > max) throw UsageError{};
    return value;
}

void LoadCorpus() {
    RegisterEmbeddedResources();
    if (!TBibGlobe::LoadScripture()) throw Failure{"the embedded scripture could not be opened"};
}

using Args = std::vector<const char*>;

void Pack(const Args& a) {
    if (a.size() < 2) throw UsageError{};
    const long long ms = PackContainer(StringList(a.begin() + 1, a.end()), a[0]);
    if (ms < 0) throw Failure{std::string("could not write ") + a[0]};
    std::printf("OK! (TimeExpire: %lld)\n", ms);
}

void Cat(const Args& a) {
    if (a.empty() || a.size() > 2) throw UsageError{};
    const int index = a.size() == 2 ? Number(a[1], 0, 254) : 0;
    StringList names;
    std::vector<StringList> files;
    if (!ReadContainer(names, files, "", a[0]))
        throw Failure{std::string(a[0]) + " is not a scripture container"};
    if (size_t(index) >= files.size())
        throw Failure{"the container holds " + std::to_string(files.size()) + " files"};
    for (const std::string& line : files[size_t(index)])
        Out(line);
}

void Ref(const Args& a) {
    if (a.size() != 1) throw UsageError{};
    Out(ShortReference(Number(a[0], 0, kLastVerseLine)));
}

void Line(const Args& a) {
    if (a.size() != 3) throw UsageError{};
    const int line =
        VerseLineOf(Number(a[0], 0, kBookCount - 1), Number(a[1], 1, 150), Number(a[2], 1, 176));
    if (line < 0) throw Failure{"no such verse"};
    std::printf("%d\n", line);
}

void Verse(const Args& a) {
    if (a.size() != 1) throw UsageError{};
    const int line = Number(a[0], 0, kLastVerseLine);
    LoadCorpus();
    Out(TBibGlobe::StripMarkers(TBibGlobe::VerseText(line)));
}

void Chain(const Args& a) {
    if (a.size() != 2) throw UsageError{};
    const int chapter = Number(a[0], 0, kChapterCount - 1);
    const int marker = Number(a[1], 0, 1 << 30);
    LoadCorpus();
    int book = 0;
    ChapterOfLine(ChapterTable[chapter].FirstLine, &book);
    const std::string group =
        ChainGroupText(TBibGlobe::CorpusFile(kChainFile)[size_t(chapter)], marker);
    for (int line : ParseChainGroup(group, book, ChapterNumber(chapter))) {
        std::string text(1, '[');
        text.append(ShortReference(line)).append(1, ']');
        Out(text.append(TBibGlobe::StripMarkers(TBibGlobe::VerseText(line))));
    }
}

void Markers(const Args& a) {
    if (a.size() != 1) throw UsageError{};
    const int line = Number(a[0], 0, kLastVerseLine);
    LoadCorpus();
    for (int number : MarkerNumbers(TBibGlobe::VerseText(line)))
        std::printf("%d\n", number);
}

void ParseGroup(const Args& a) {
    if (a.size() != 3 || std::strcmp(a[0], "--shown") != 0) throw UsageError{};
    const char* colon = std::strchr(a[1], ':');
    if (!colon) throw UsageError{};
    const int book = Number(std::string(a[1], colon).c_str(), 0, kBookCount - 1);
    const int chapter = Number(colon + 1, 1, 150);
    for (int line : ParseChainGroup(In(a[2]), book, chapter))
        std::printf("%d\n", line);
}

void Break(const Args& a) {
    if (a.size() != 3 || std::strcmp(a[0], "--width") != 0) throw UsageError{};
    TFixedWidths widths;
    for (uint16_t end : TTxtFormat::BreakLines(In(a[2]), Number(a[1], 0, 1 << 20), widths))
        std::printf("%u\n", unsigned(end));
}

void SearchCommand(const Args& a) {
    int first = 0, last = kLastVerseLine;
    size_t k = 0;
    if (a.size() == 3 && std::strcmp(a[0], "--chapter") == 0) {
        const TChapterInfo& c = ChapterTable[size_t(Number(a[1], 0, kChapterCount - 1))];
        first = c.FirstLine;
        last = c.LastLine;
        k = 2;
    } else if (a.size() == 3 && std::strcmp(a[0], "--book") == 0) {
        const TBookInfo& b = BookTable[size_t(Number(a[1], 0, kBookCount - 1))];
        first = b.FirstLine;
        last = b.LastLine;
        k = 2;
    } else if (a.size() != 1) {
        throw UsageError{};
    }
    LoadCorpus();
    const auto lines = SearchText(TBibGlobe::CorpusFile(kChineseTextFile), In(a[k]), first, last);
    for (int line : lines)
        std::printf("%d\n", line);
    Out(Utf8ToGbk("共找到 " + std::to_string(lines.size()) + " 项"));
}

// Counts the display lines that begin with a closing mark or end with an opening one, over all
// verses as the chapter grid breaks them (markers included) at every width of a range.
void Edges(const Args& a) {
    int from = 200, to = 700;
    for (size_t k = 0; k < a.size(); k += 2) {
        if (k + 1 >= a.size()) throw UsageError{};
        if (std::strcmp(a[k], "--from") == 0)
            from = Number(a[k + 1], 1, 1 << 16);
        else if (std::strcmp(a[k], "--to") == 0)
            to = Number(a[k + 1], 1, 1 << 16);
        else
            throw UsageError{};
    }
    if (from > to) throw UsageError{};
    LoadCorpus();
    const StringList& text = TBibGlobe::CorpusFile(kChineseTextFile);
    TFixedWidths widths;
    long long lines = 0, closing = 0, opening = 0;
    for (int width = from; width <= to; ++width) {
        for (const std::string& verse : text) {
            const std::vector<uint16_t> ends = TTxtFormat::BreakLines(verse, width, widths);
            lines += static_cast<long long>(ends.size());
            size_t begin = 0;
            for (size_t k = 0; k < ends.size(); ++k) {
                size_t last = begin;
                for (size_t i = begin; i < ends[k]; i += CharLength(verse, i))
                    last = i;
                if (k > 0 && TTxtFormat::IsClosingMark(verse, begin)) ++closing;
                if (k + 1 < ends.size() && TTxtFormat::IsOpeningMark(verse, last)) ++opening;
                begin = ends[k];
            }
        }
    }
    std::printf("widths %d..%d, %zu verses: %lld display lines, %lld begin with a closing mark, "
                "%lld end with an opening mark\n",
                from, to, text.size(), lines, closing, opening);
}

} // namespace

int main(int argc, char** argv) {
    Args args(argv + 1, argv + argc);
    if (!args.empty() && std::strcmp(args[0], "--gbk") == 0) {
        rawGbk = true;
        args.erase(args.begin());
    }
    static const std::map<std::string, std::function<void(const Args&)>> commands = {
        {"pack", Pack},       {"cat", Cat},
        {"ref", Ref},         {"line", Line},
        {"verse", Verse},     {"chain", Chain},
        {"markers", Markers}, {"parse-group", ParseGroup},
        {"break", Break},     {"search", SearchCommand},
        {"edges", Edges},
    };
    try {
        const auto it = args.empty() ? commands.end() : commands.find(args[0]);
        if (it == commands.end()) throw UsageError{};
        it->second(Args(args.begin() + 1, args.end()));
    } catch (const UsageError&) {
        std::fputs(kUsage, stderr);
        return 2;
    } catch (const Failure& f) {
        std::fprintf(stderr, "bibtool: %s\n", f.message.c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bibtool: %s\n", e.what());
        return 1;
    }
    return 0;
}
