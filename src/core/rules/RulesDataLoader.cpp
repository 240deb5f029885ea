#include "RulesDataLoader.h"

#include "DataFile.h"
#include "DataGrammar.h"

#include <QDir>

RulesDataLoader::Result RulesDataLoader::load(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    DataFile::ReadResult read = DataFile::read(path);
    if (!read.error.isEmpty())
        return {{}, QStringLiteral("The rules data file \"%1\" cannot be read: %2.").arg(shown, read.error)};
    if (read.lines.isEmpty())
        return {{}, QStringLiteral("The rules data file \"%1\" is empty.").arg(shown)};
    if (const auto fault = DataGrammar::check(read.lines)) {
        return {{},
                QStringLiteral("The rules data file \"%1\" is damaged.\nSection %2 (%3), line %4: %5.")
                    .arg(shown)
                    .arg(fault->section)
                    .arg(DataGrammar::sectionName(fault->section))
                    .arg(fault->line + 1)
                    .arg(fault->rule)};
    }
    return {std::move(read.lines), {}};
}
