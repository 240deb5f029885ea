// libFuzzer target for the character file reader: no input may crash it, hang it or read past
// its end, and whatever it reads must be written and read back unchanged.
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterWriter.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray written(const CharacterReadResult& result)
{
    return CharacterFileText::encode(CharacterWriter::lines(result.record));
}

CharacterReadResult read(const QByteArray& bytes)
{
    return CharacterReader::read(CharacterFileText::decode(bytes), QStringLiteral("fuzz.tnc"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CharacterReadResult first =
        read(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    // A failed read always says so.
    if (!first.completed() && first.messages.isEmpty())
        std::abort();

    const QByteArray bytes = written(first);
    const CharacterReadResult again = read(bytes);
    if (!again.completed() || !again.messages.isEmpty() || written(again) != bytes)
        std::abort();
    return 0;
}
