#pragma once

#include "Files.h"
#include "rules/DataFile.h"
#include "rules/DataGrammar.h"
#include "rules/DataSource.h"
#include "rules/RulesDataLoader.h"

#include <QMap>
#include <QStringList>

// The lines of a readable rules source in tests/rules/.
inline QStringList sourceLines(const QString& name)
{
    return DataSource::parse(sourceFile(QStringLiteral("tests/rules/") + name)).lines;
}

// The rules data file the program reads for these lines; empty when one cannot be stored.
inline QByteArray scrambledFile(const QStringList& lines)
{
    QByteArray plain;
    return DataFile::joinLines(lines, plain) ? DataFile::scramble(plain) : QByteArray();
}

// Every section with a few records; sound as it stands.
inline QStringList smallRules()
{
    return sourceLines(QStringLiteral("small-rules.txt"));
}

// The rules data the program ships.
inline QStringList shippedRules()
{
    return RulesDataLoader::load(QStringLiteral(TARNOCH_PROGRAM_DIR "Tarn1.dat")).lines;
}

// A whole data line list from the sections given by number, the others empty, without the
// optional last section (as a pack has it).
inline QStringList withSections(const QMap<int, QStringList>& content)
{
    QStringList lines;
    for (int s = 1; s <= DataGrammar::RequiredSections; ++s)
        lines += content.value(s) + QStringList{QStringLiteral("---")};
    return lines;
}

// The lines of each section without its "---" (index 0 is section 1).
inline QList<QStringList> splitSections(const QStringList& lines)
{
    QList<QStringList> sections(1);
    for (const QString& line : lines) {
        if (DataFile::isSectionEnd(line))
            sections.append(QStringList());
        else
            sections.last().append(line);
    }
    sections.removeLast(); // nothing follows the last "---"
    return sections;
}
