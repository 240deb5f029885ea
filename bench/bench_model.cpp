// The character without a window: a full character (every list at 20 rows) read onto the
// model and settled, and one pass over it when nothing changed.
#include "engine/CharacterPass.h"
#include "engine/RulesCheck.h"
#include "files/CharacterDocument.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "rules/RulesDataLoader.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QStringList shippedRules()
{
    return RulesDataLoader::load(QStringLiteral(TARNOCH_PROGRAM_DIR "Tarn1.dat")).lines;
}

CharacterReadResult fullCharacter()
{
    QFile file(QStringLiteral(TARNOCH_SOURCE_DIR "tests/files/golden/full.tnc"));
    file.open(QIODevice::ReadOnly);
    return CharacterReader::read(CharacterFileText::decode(file.readAll()), file.fileName());
}

void BM_LoadAndSettle(benchmark::State& state)
{
    const QStringList rules = shippedRules();
    const CharacterReadResult read = fullCharacter();
    CharacterDocument document(rules);
    for (auto _ : state) {
        document.open(read);
        document.settle();
    }
}
BENCHMARK(BM_LoadAndSettle)->Unit(benchmark::kMicrosecond);

void BM_PassNothingChanged(benchmark::State& state)
{
    CharacterDocument document(shippedRules());
    document.open(fullCharacter());
    document.settle();
    Character character = document.character();
    for (auto _ : state) {
        CharacterPass::derive(character);
        benchmark::DoNotOptimize(character);
    }
}
BENCHMARK(BM_PassNothingChanged)->Unit(benchmark::kMicrosecond);

// The same pass with the rules check after it; the difference is what the check costs.
// range(0): 1 for a character whose freebies are over-spent, which lists what bought what.
void BM_PassWithChecks(benchmark::State& state)
{
    CharacterDocument document(shippedRules());
    document.open(fullCharacter());
    document.settle();
    Character character = document.character();
    if (state.range(0))
        character.settings.FreebiePoints = 0;
    for (auto _ : state) {
        CharacterPass::derive(character);
        RulesCheck::derive(character, document.tables(), document.entryBooks());
        benchmark::DoNotOptimize(character);
    }
    state.counters["checks"] = double(character.checks.size());
}
BENCHMARK(BM_PassWithChecks)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Where the entries of the books out of use come from: read once per choice of books.
void BM_EntryBooks(benchmark::State& state)
{
    const QStringList rules = shippedRules();
    const SourcebookFilter::BookList books = SourcebookFilter::buildBookList(rules);
    for (auto _ : state)
        benchmark::DoNotOptimize(EntryBooks(rules, books.BookTitles, books.ChosenBooks, false));
}
BENCHMARK(BM_EntryBooks)->Unit(benchmark::kMillisecond);

// Every step of the recalculation, the rows and the clan's rules included, finding nothing to
// change: one pass and the comparison that ends the settling.
void BM_SettleWhenSettled(benchmark::State& state)
{
    CharacterDocument document(shippedRules());
    document.open(fullCharacter());
    document.settle();
    for (auto _ : state)
        document.settle();
}
BENCHMARK(BM_SettleWhenSettled)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
