// The character without a window: a full character (every list at 20 rows) read onto the
// model and settled, and one pass over it when nothing changed.
#include "files/CharacterDocument.h"
#include "engine/CharacterPass.h"
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
