// Timings of the sourcebook filter: applying a choice (cutting the book blocks and rebuilding
// every rule table) on the shipped rules data, and merging the example rules pack. Both run
// while the user waits: on leaving the Books panel and at start-up.
#include "rules/RuleTables.h"
#include "rules/RulesDataLoader.h"
#include "rules/RulesPack.h"
#include "rules/SourcebookFilter.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

const QStringList& dataLines()
{
    static const QStringList lines =
        RulesDataLoader::load(QStringLiteral(TARNOCH_PROGRAM_DIR "Tarn1.dat")).lines;
    return lines;
}

// Argument 0: the starting choice (the two core books); 1: every book.
void BM_ApplyChoice(benchmark::State& state)
{
    const QStringList& lines = dataLines();
    if (lines.isEmpty()) {
        state.SkipWithError("Tarn1.dat is missing or damaged; build the tarnoch_data target");
        return;
    }
    const SourcebookFilter::BookList books = SourcebookFilter::buildBookList(lines);
    const SortedTextList chosen =
        state.range(0) == 0
            ? books.ChosenBooks
            : SourcebookFilter::applyPreset(SourcebookFilter::Preset::All, books.BookTitles, {},
                                            books.VampireBooks)
                  .ChosenBooks;
    RuleTables tables;
    for (auto _ : state) {
        const SourcebookFilter::Selection selection =
            SourcebookFilter::applySelection(lines, books.BookTitles, chosen);
        tables.build(selection.ActiveLines, false);
        benchmark::DoNotOptimize(tables.Merits.size());
    }
    state.counters["active lines"] = double(
        SourcebookFilter::applySelection(lines, books.BookTitles, chosen).ActiveLines.size());
}
BENCHMARK(BM_ApplyChoice)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_MergeExamplePack(benchmark::State& state)
{
    QFile file(QStringLiteral(TARNOCH_SOURCE_DIR "data/examples/lamplighters.txt"));
    if (dataLines().isEmpty() || !file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the rules data or the example pack cannot be read");
        return;
    }
    const QList<RulesPack::PackFile> packs{{file.fileName(), file.readAll(), {}}};
    for (auto _ : state) {
        const RulesPack::Result result = RulesPack::merge(dataLines(), packs);
        benchmark::DoNotOptimize(result.lines.size());
    }
}
BENCHMARK(BM_MergeExamplePack)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
