// The character without a window: a full character (every list at 20 rows) read onto the
// model and settled, and one pass over it when nothing changed.
#include "engine/CharacterPass.h"
#include "engine/CreationBaseline.h"
#include "engine/ExperienceSpending.h"
#include "engine/RulesCheck.h"
#include "files/CharacterDocument.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "rules/RulesDataLoader.h"
#include "rules/SourcebookFilter.h"

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

// range(0): 1 with the rules check after the pass. The golden full character's rows name
// entries no book has, so that every row is a finding.
void BM_PassNothingChanged(benchmark::State& state)
{
    CharacterDocument document(shippedRules());
    document.open(fullCharacter());
    document.settle();
    Character character = document.character();
    for (auto _ : state) {
        CharacterPass::derive(character);
        if (state.range(0))
            RulesCheck::derive(character, document.tables(), document.entryBooks());
        benchmark::DoNotOptimize(character);
    }
    state.counters["checks"] = double(character.checks.size());
}
BENCHMARK(BM_PassNothingChanged)->ArgName("check")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A full character under the books in use: every list at 20 rows, each row naming an entry
// of the tables and rated 3, so that most of its dots are bought.
Character namedFullCharacter(const CharacterDocument& document)
{
    Character c = document.character();
    const RuleTables& t = document.tables();
    c.header[3] = c.header[4] = t.Archetypes.at(0);
    c.header[5] = QStringLiteral("Brujah");
    const std::array<const SortedTextList*, 3> free = {&t.TalentChoices, &t.SkillChoices,
                                                       &t.KnowledgeChoices};
    const std::array<const SortedTextList*, 3> secondary = {&t.SecondaryTalents, &t.SecondarySkills,
                                                            &t.SecondaryKnowledges};
    const auto fill = [](Character::Rows& rows, int from, const SortedTextList& names) {
        for (int r = from; r < SheetLayout::RowsPerGroup; ++r)
            rows[r] = {names.at((r - from) % names.size()), 3, 0, 0, 5};
    };
    for (int col = 0; col < 3; ++col) {
        fill(c.abilities[col], 10, *free[col]);
        fill(c.secondaries[col], 0, *secondary[col]);
    }
    fill(c.disciplines, 0, t.DisciplineNames);
    fill(c.backgrounds, 0, t.Backgrounds);
    for (int r = 0; r < SheetLayout::RowsPerGroup; ++r) {
        c.merits[r] = t.Merits.at(r);
        c.flaws[r] = t.Flaws.at(r);
    }
    c.rows = {20, 20, 20, 20, 20, 20};
    for (Character::Trait& attribute : c.attributes)
        attribute.rating = 3;
    return c;
}

// The pass over a full character with and without the rules check after it; the difference
// is what the check costs. range(0): 1 for over-spent freebies, where the check lists every
// row that bought dots.
void BM_PassOverNamedCharacter(benchmark::State& state)
{
    const bool check = state.range(0) > 0;
    CharacterDocument document(shippedRules());
    Character character = namedFullCharacter(document);
    character.settings.FreebiePoints = state.range(1) ? 0 : 5000;
    for (auto _ : state) {
        CharacterPass::derive(character);
        if (check)
            RulesCheck::derive(character, document.tables(), document.entryBooks());
        benchmark::DoNotOptimize(character);
    }
    state.counters["checks"] = double(character.checks.size());
}
BENCHMARK(BM_PassOverNamedCharacter)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"check", "overspent"})
    ->Unit(benchmark::kMicrosecond);

// Where the entries of the books out of use come from: the tables in use once per choice of
// books, the books out of use (index:1) when an entry is first missing from them. A fresh copy
// of the data's list each time, so the kept index is not found again.
void BM_EntryBooks(benchmark::State& state)
{
    const QStringList rules = shippedRules();
    const SourcebookFilter::BookList books = SourcebookFilter::buildBookList(rules);
    RuleTables inUse;
    inUse.build(
        SourcebookFilter::applySelection(rules, books.BookTitles, books.ChosenBooks).ActiveLines,
        false);
    for (auto _ : state) {
        const QStringList fresh(rules.begin(), rules.end());
        const EntryBooks entries(fresh, books.BookTitles, books.ChosenBooks, inUse, false);
        if (state.range(0))
            benchmark::DoNotOptimize(entries.bookOf(EntryBooks::Table::Merit, u"No such merit"));
    }
}
BENCHMARK(BM_EntryBooks)->ArgName("index")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
