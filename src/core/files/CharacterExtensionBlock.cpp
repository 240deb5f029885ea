#include "files/CharacterExtensionBlock.h"

#include "files/CharacterFileText.h"

#include <limits>

namespace {

// "Tarnoch98 extensions v" and any version: a later layout of the block reads as this one.
QString bannerPrefix()
{
    return CharacterExtensionBlock::Banner.chopped(1);
}

QString storedKey(QString key)
{
    for (QChar& c : key)
        if (c.isSpace())
            c = u'_';
    return key.isEmpty() ? QStringLiteral("_") : key;
}

} // namespace

QStringList CharacterExtensionBlock::lines(const CharacterExtension& extension)
{
    if (extension.isEmpty())
        return {};
    QStringList out{Banner};
    for (const CharacterExtension::Entry& entry : extension.entries()) {
        QString text = entry.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
        const QStringList textLines = text.isEmpty() ? QStringList() : text.split(u'\n');
        out.append(CharacterFileText::utf8Line(storedKey(entry.key)) + QLatin1Char(' ') +
                   QString::number(textLines.size()));
        for (const QString& line : textLines)
            out.append(CharacterFileText::utf8Line(line));
    }
    return out;
}

std::optional<CharacterExtensionBlock::Read> CharacterExtensionBlock::read(const QStringList& lines,
                                                                           qsizetype first)
{
    qsizetype next = first;
    while (next < lines.size() && !lines[next].startsWith(bannerPrefix()))
        ++next;
    if (next >= lines.size())
        return std::nullopt;
    Read result;
    for (++next; next < lines.size();) {
        const QString head = CharacterFileText::fromUtf8Line(lines[next]);
        const qsizetype blank = head.lastIndexOf(u' ');
        bool ok = false;
        const qsizetype count = head.mid(blank + 1).toLongLong(&ok);
        const QString key = head.left(blank);
        if (blank <= 0 || !ok || count < 0 || count >= lines.size() - next) {
            result.damagedLine =
                int(std::min<qsizetype>(next + 1, std::numeric_limits<int>::max()));
            break;
        }
        QStringList text;
        for (qsizetype i = 1; i <= count; ++i)
            text.append(CharacterFileText::fromUtf8Line(lines[next + i]));
        result.extension.setText(key, text.join(u'\n'));
        next += count + 1;
    }
    return result;
}
