#include "DataFile.h"

#include "TextRoutines.h"

#include <QFile>
#include <QStringEncoder>

#include <array>

namespace DataFile {

namespace {

// Any fixed value will do; the program and the data tool share this one.
constexpr std::array<unsigned char, KeyLength> Key = {
    0x5a, 0x17, 0xc3, 0x8e, 0x21, 0x74, 0xb9, 0x0d, 0xe6, 0x42, 0x9f, 0x33, 0x58, 0xaa, 0x11, 0xd7,
    0x6c, 0x84, 0x2b, 0xf0, 0x3e, 0x95, 0x07, 0xc9, 0x71, 0x1a, 0xbd, 0x64, 0x08, 0xe3, 0x4f, 0x96,
    0x2d, 0xc1, 0x7b, 0x50, 0xa8, 0x1f, 0xd2, 0x69, 0x37, 0x8c, 0xf5, 0x03, 0xbe, 0x46, 0x9a, 0x25,
    0xdb, 0x72, 0x0e, 0xe9, 0x5d, 0x81, 0x34, 0xcc, 0x18, 0xa3, 0x67, 0xfa, 0x2e, 0x90, 0x45, 0xb6,
    0x0b, 0xd8, 0x7e, 0x13, 0xa5, 0x3a, 0xee, 0x59};

} // namespace

QByteArray scramble(QByteArray bytes)
{
    char* data = bytes.data();
    for (qsizetype i = 0, k = 0; i < bytes.size(); ++i) {
        data[i] = char(static_cast<unsigned char>(data[i]) ^ Key[k]);
        if (++k == KeyLength)
            k = 0;
    }
    return bytes;
}

QStringList splitLines(QByteArrayView plain)
{
    // Decoded whole, at once: a decoder call per line costs more than the lines.
    QStringList lines = TextRoutines::fromWindows1252(plain).split(u'\r');
    // What follows the last line end is no line.
    lines.removeLast();
    return lines;
}

bool joinLines(const QStringList& lines, QByteArray& plain, qsizetype* badLine)
{
    plain.clear();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringEncoder encode("windows-1252");
        const QByteArray bytes = encode(lines[i]);
        if (encode.hasError() || bytes.contains('\r')) {
            if (badLine)
                *badLine = i;
            return false;
        }
        plain += bytes;
        plain += '\r';
    }
    return true;
}

ReadResult read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    return {splitLines(scramble(bytes)), {}};
}

bool isHeader(const QString& line)
{
    return !line.isEmpty() && line[0] == u'*';
}

QString headerTitle(const QString& line)
{
    return line.mid(5, 1000);
}

bool isSectionEnd(const QString& line)
{
    return line == u"---";
}

int leadingNumber(const QString& line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] == u' ')
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == u'+' || line[i] == u'-')) {
        negative = line[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < line.size() && line[i] >= u'0' && line[i] <= u'9'; ++i) {
        value = value * 10 + (line[i].unicode() - u'0');
        if (value > 1'000'000'000) {
            value = 1'000'000'000; // large enough to be "not zero"; never overflow
            break;
        }
    }
    return int(negative ? -value : value);
}

} // namespace DataFile
