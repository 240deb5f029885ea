#include "DataSource.h"

namespace DataSource {

Lines parse(const QByteArray& utf8)
{
    Lines result;
    const QString text = QString::fromUtf8(utf8);
    const QStringList rows = text.split(u'\n');
    for (int i = 0; i < rows.size(); ++i) {
        QString row = rows[i];
        if (row.endsWith(u'\r'))
            row.chop(1);
        if (row.trimmed().isEmpty() || row.startsWith(u'#'))
            continue;
        result.lines.append(row);
        result.sourceLine.append(i + 1);
    }
    return result;
}

} // namespace DataSource
