// The printed sheet of a character whose every list is full: composing the page, drawing the
// page picture, and writing the PDF.
#include "BenchMain.h"
#include "output/FontRegistry.h"
#include "output/SheetComposer.h"
#include "output/SheetPage.h"
#include "output/SheetPrinter.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

QList<PrintedSheet::TraitRow> fullList(const QString& prefix)
{
    QList<PrintedSheet::TraitRow> rows;
    for (int r = 0; r < 19; ++r)
        rows.append({prefix + QString::number(r), 1 + r % 5, 5});
    return rows;
}

PrintedSheet fullSheet()
{
    PrintedSheet sheet;
    sheet.Name = QStringLiteral("Aurelianus Maximilian von Drachenfels-Ravenscroft");
    sheet.Clan = QStringLiteral("Tzimisce");
    sheet.Generation = QStringLiteral("4th");
    for (int c = 0; c < 3; ++c) {
        sheet.Abilities[c] = fullList(QStringLiteral("Ability "));
        sheet.Secondary[c] = fullList(QStringLiteral("Secondary ability "));
    }
    for (const PrintedSheet::TraitRow& row : fullList(QStringLiteral("Discipline ")))
        sheet.Disciplines.append({row, false});
    sheet.Backgrounds = fullList(QStringLiteral("Background "));
    for (int r = 0; r < 19; ++r) {
        sheet.Merits << QStringLiteral("Merit number %1 (3)").arg(r);
        sheet.Flaws << QStringLiteral("Flaw number %1 (2)").arg(r);
    }
    sheet.HugeSize = true;
    sheet.AppearanceStruckOut = true;
    return sheet;
}

void BM_ComposeSheet(benchmark::State& state)
{
    const PrintedSheet sheet = fullSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(SheetComposer::compose(sheet));
}

// What the page picture costs in all: composing, then drawing the monochrome picture.
void BM_SheetPageImage(benchmark::State& state)
{
    const PrintedSheet sheet = fullSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(SheetComposer::compose(sheet).image());
}

void BM_WritePdf(benchmark::State& state)
{
    const PrintedSheet sheet = fullSheet();
    QTextDocument notes;
    notes.setPlainText(QStringLiteral("Sire unknown.\nSleeps in a crypt below the cemetery."));
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
    for (auto _ : state) {
        const QString error =
            SheetPrinter::writePdf(file, sheet.Name, &sheet, state.range(0) ? &notes : nullptr);
        if (!error.isEmpty())
            state.SkipWithError(qPrintable(error));
    }
}

BENCHMARK(BM_ComposeSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetPageImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePdf)->Arg(0)->Arg(1)->ArgName("notes")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    return benchMain<QGuiApplication>(argc, argv);
}
