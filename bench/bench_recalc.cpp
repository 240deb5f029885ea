// One full recalculation pass, every flag raised, on a shown sheet whose row lists are all full.
#include "BenchMain.h"
#include "SettledSheet.h"
#include "controls/TNameEdit.h"
#include "controls/TVampireDots.h"
#include "controls/UserMessages.h"
#include "output/FontRegistry.h"
#include "panels/RulesPanel.h"
#include "panels/SheetPanel.h"
#include "sheet/Recalculation.h"
#include "window/TMainForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class NoMessages : public UserMessages
{
public:
    void showMessage(const QString&, const QString&) override {}
};

// Names of the rules' tables where given (the rules check then finds nothing to say about
// them), else names no table has, every one a finding of the check.
void fill(SheetPanel::TraitRows& rows, int count, const QString& prefix,
          const SortedTextList* names = nullptr)
{
    for (int r = 0; r < count; ++r) {
        if (!rows[r].name->isReadOnly())
            rows[r].name->setText(names ? names->at(r % names->size())
                                        : prefix + QString::number(r));
        rows[r].dots->setFilled(1 + r % 5);
    }
}

// One pass with every flag raised, as a load raises them, on the shown sheet, settled through
// the event loop with the repaints it asks for. worstCase: every pass swings the allowances,
// so every rated row changes its red dots and repaints (those scrolled out of the dock are
// clipped, as in the program); otherwise the pass recounts everything and finds nothing to write.
void fullPass(benchmark::State& state, bool worstCase, bool tableNames = false)
{
    QTemporaryDir dir;
    NoMessages messages;
    TMainForm form(ProgramPaths(QStringLiteral(TARNOCH_PROGRAM_DIR), dir.path() + '/'), {},
                   messages);
    SheetPanel* sheet = form.sheet();
    RowCounts& rows = form.view().rowCounts();
    rows = {20, 20, 20, 20, 20, 20};
    const RuleTables& t = form.view().tables();
    const std::array<const SortedTextList*, 3> free = {&t.TalentChoices, &t.SkillChoices,
                                                       &t.KnowledgeChoices};
    const std::array<const SortedTextList*, 3> secondary = {&t.SecondaryTalents, &t.SecondarySkills,
                                                            &t.SecondaryKnowledges};
    for (int c = 0; c < 3; ++c) {
        fill(sheet->AbilityRows[c], 20, QStringLiteral("Ability "), tableNames ? free[c] : nullptr);
        fill(sheet->SecondaryRows[c], 20, QStringLiteral("Secondary "),
             tableNames ? secondary[c] : nullptr);
    }
    fill(sheet->DisciplineRows, 20, QStringLiteral("Discipline "),
         tableNames ? &t.DisciplineNames : nullptr);
    fill(sheet->BackgroundRows, 20, QStringLiteral("Background "),
         tableNames ? &t.Backgrounds : nullptr);
    form.updateSheetLayout();
    SettledSheet shown(form);

    Recalculation& pass = form.view().recalculation();
    bool generous = true;
    const int paintsBefore = shown.paints();
    for (auto _ : state) {
        if (worstCase) {
            generous = !generous;
            const QString points = generous ? QStringLiteral("60") : QStringLiteral("0");
            RulesPanel* rules = form.rulesPanel();
            for (QLineEdit* box :
                 {rules->AttPriEdit, rules->AttSecEdit, rules->AttTerEdit, rules->AbPriEdit,
                  rules->AbSecEdit, rules->AbTerEdit, rules->DisciplineEdit, rules->BackgroundEdit})
                box->setText(points);
        }
        pass.RulesChanged = pass.TalentsDirty = pass.SkillsDirty = pass.KnowledgesDirty = true;
        pass.RowsDirty = pass.DisciplinesDirty = pass.BackgroundsDirty = true;
        pass.ClanRulesDirty = pass.MeritFlawRulesDirty = pass.BooksDirty = true;
        shown.settle();
    }
    state.counters["dots painted"] =
        benchmark::Counter(shown.paints() - paintsBefore, benchmark::Counter::kAvgIterations);
}
void BM_FullPassNothingToWrite(benchmark::State& state)
{
    fullPass(state, false);
}
void BM_FullPassEveryRowRepaints(benchmark::State& state)
{
    fullPass(state, true);
}
void BM_FullPassTableNames(benchmark::State& state)
{
    fullPass(state, false, true);
}
BENCHMARK(BM_FullPassNothingToWrite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullPassTableNames)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullPassEveryRowRepaints)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    return benchMain<QApplication>(argc, argv);
}
