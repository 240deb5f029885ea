// The character without a window: a full character (every list at 20 rows) read onto the
// model and settled, and one pass over it when nothing changed.
#include "engine/CharacterPass.h"
#include "engine/CreationBaseline.h"
#include "engine/ExperienceSpending.h"
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

// After creation, with a log of 200 entries: the ratings checked against it and the baseline
// laid over them.
void BM_PassAfterCreation(benchmark::State& state)
{
    CharacterDocument document(shippedRules());
    document.open(fullCharacter());
    document.settle();
    Character character = document.character();
    ExperienceSpending::finishCreation(character);
    ExperienceSpending::earn(character, 100000, QStringLiteral("a long chronicle"), {});
    QList<std::pair<TraitRef, int>> raises;
    CreationBaseline::forEachTrait(character, [&](TraitRef ref, const Character::Trait& trait) {
        for (int to = trait.rating + 1; to <= trait.maxDots; ++to)
            raises.append({ref, to});
    });
    for (const auto& [ref, to] : raises)
        if (character.experience.log.size() < 200)
            ExperienceSpending::setRating(character, document.tables().XpChart, ref, to, {});
    // What the window's pass does after creation: the ratings checked against the log, then
    // the derivation.
    for (auto _ : state) {
        ExperienceSpending::reconcile(character, document.tables().XpChart, {});
        CharacterPass::derive(character);
        benchmark::DoNotOptimize(character);
    }
    state.counters["log"] = double(character.experience.log.size());
}
BENCHMARK(BM_PassAfterCreation)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
