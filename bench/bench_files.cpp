// Timing of the character file codec: reading a full character from its bytes, writing it,
// and decoding a file as large as the reader takes.
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterWriter.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

// The golden character with every row list full, with 200 lines of notes.
QByteArray fullCharacterBytes()
{
    QFile file(QStringLiteral(TARNOCH_SOURCE_DIR "tests/files/golden/full.tnc"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    CharacterRecord character =
        CharacterReader::read(CharacterFileText::decode(file.readAll()), file.fileName()).record;
    QStringList notes{QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}")};
    for (int i = 2; i < 200; ++i)
        notes << QStringLiteral("\\f0 Line %1 of the notes, about as long as a line of RTF.\\par")
                     .arg(i);
    notes << QStringLiteral("}");
    character.Notes = notes;
    return CharacterFileText::encode(CharacterWriter::lines(character));
}

void BM_ReadFullCharacter(benchmark::State& state)
{
    const QByteArray bytes = fullCharacterBytes();
    for (auto _ : state) {
        const CharacterReadResult result =
            CharacterReader::read(CharacterFileText::decode(bytes), QStringLiteral("full.tnc"));
        benchmark::DoNotOptimize(result.record.Notes);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadFullCharacter);

void BM_WriteFullCharacter(benchmark::State& state)
{
    const CharacterRecord character =
        CharacterReader::read(CharacterFileText::decode(fullCharacterBytes()), {}).record;
    for (auto _ : state) {
        const QByteArray bytes = CharacterFileText::encode(CharacterWriter::lines(character));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_WriteFullCharacter);

// The worst a file can cost: as many bytes as decode takes, in short lines.
void BM_DecodeLargestFile(benchmark::State& state)
{
    const QByteArray bytes =
        QByteArray("\\f0 Some notes\\par\r\n").repeated(CharacterFileText::MaxBytes / 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(CharacterFileText::decode(bytes).size());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeLargestFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
