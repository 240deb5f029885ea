// Timing of the file commands on the real window showing its sheet: loading a full character
// (every list at 20 rows, 200 lines of notes) with the idle passes and repaints that follow
// in the event loop, and the unsaved-changes check on the same character.
#include "BenchMain.h"
#include "SettledSheet.h"
#include "controls/UserMessages.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterWriter.h"
#include "files/FileCommands.h"
#include "files/RecoveryCopy.h"
#include "files/SheetHistory.h"
#include "output/FontRegistry.h"
#include "window/TMainForm.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class NoMessages : public UserMessages
{
public:
    void showMessage(const QString&, const QString&) override {}
};

// The golden character with every list full, given 200 lines of notes, written to path;
// a second character differs in every name.
void writeFullCharacter(const QString& path, const QString& suffix)
{
    QFile golden(QStringLiteral(TARNOCH_SOURCE_DIR "tests/files/golden/full.tnc"));
    golden.open(QIODevice::ReadOnly);
    CharacterRecord character =
        CharacterReader::read(CharacterFileText::decode(golden.readAll()), golden.fileName())
            .record;
    QStringList notes{QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}")};
    for (int i = 2; i < 200; ++i)
        notes << QStringLiteral(
                     "\\f0\\fs26 Line %1 of the notes, about as long as a line of RTF.\\par")
                     .arg(i);
    notes << QStringLiteral("}");
    character.Notes = notes;
    for (auto* list : {&*character.Disciplines, &*character.Backgrounds})
        for (auto& trait : *list)
            trait.name += suffix;
    for (auto& row : *character.SecondaryAbilities)
        for (auto* trait : {&row.talent, &row.skill, &row.knowledge})
            trait->name += suffix;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(CharacterFileText::encode(CharacterWriter::lines(character)));
}

struct Window
{
    QTemporaryDir dir;
    NoMessages messages;
    TMainForm form{
        ProgramPaths(QStringLiteral(TARNOCH_PROGRAM_DIR), dir.path() + '/'), {}, messages};
    SettledSheet shown{form};
    QString file = dir.filePath(QStringLiteral("full.tnc"));
    QString other = dir.filePath(QStringLiteral("other.tnc"));

    Window()
    {
        writeFullCharacter(file, {});
        writeFullCharacter(other, QStringLiteral("x"));
    }
    void settle() { shown.settle(); }
};

void BM_LoadFullCharacter(benchmark::State& state)
{
    Window window;
    bool first = true;
    const int paintsBefore = window.shown.paints();
    for (auto _ : state) {
        // Alternating between two characters, so that every row changes as in real use.
        window.form.files().loadFile(first ? window.file : window.other);
        first = !first;
        window.settle();
    }
    state.counters["dots painted"] = benchmark::Counter(window.shown.paints() - paintsBefore,
                                                        benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LoadFullCharacter)->Unit(benchmark::kMillisecond);

void BM_UnsavedChangesCheck(benchmark::State& state)
{
    Window window;
    window.form.files().loadFile(window.file);
    window.settle();
    window.form.files().saveTo(window.file);
    for (auto _ : state)
        benchmark::DoNotOptimize(window.form.files().AskToSave());
}
BENCHMARK(BM_UnsavedChangesCheck)->Unit(benchmark::kMillisecond);

// The recovery copy of the same character, the sheet differing from its file: the comparison
// and the write through a save file.
void BM_WriteRecoveryCopy(benchmark::State& state)
{
    Window window;
    window.form.files().loadFile(window.file);
    window.settle();
    window.form.files().saveTo(window.other);
    QFile::remove(window.other);
    RecoveryCopy& recovery =
        *window.form.createRecoveryCopy(window.dir.filePath(QStringLiteral("recovery")));
    for (auto _ : state)
        benchmark::DoNotOptimize(recovery.writeNow());
}
BENCHMARK(BM_WriteRecoveryCopy)->Unit(benchmark::kMillisecond);

void BM_UndoSnapshot(benchmark::State& state)
{
    Window window;
    window.form.files().loadFile(window.file);
    window.settle();
    for (auto _ : state)
        benchmark::DoNotOptimize(window.form.history().snapshot());
}
BENCHMARK(BM_UndoSnapshot)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    return benchMain<QApplication>(argc, argv);
}
