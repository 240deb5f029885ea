// libFuzzer target for the rich-text reader: no input may crash it, hang it or make it report a
// clean read of text that the writer cannot store and read back unchanged.
#include "output/RtfReader.h"
#include "output/RtfWriter.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Documents measure fonts, as in the program, so a GUI application must exist.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    RtfReader reader;
    if (!reader.read(bytes, &document))
        return 0;

    const QByteArray written = RtfWriter::write(document);
    QTextDocument again;
    if (!reader.read(written, &again) || !reader.errorString().isEmpty() ||
        again.toPlainText() != document.toPlainText() || RtfWriter::write(again) != written)
        std::abort();
    return 0;
}
