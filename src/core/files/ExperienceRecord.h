#pragma once

#include "engine/CharacterExperience.h"

#include <QJsonObject>
#include <QString>

// Experience in the forms it leaves the program in: the text of the file's extension entry
// (the baseline, the log and the options, one item a line, fields split by tabs) and the keys
// of the report.
namespace ExperienceRecord {

// The key of the extension entry, with the version of its layout.
inline const QString Key = QStringLiteral("Experience/1");

// Nothing when the character has neither finished creation nor logged or set anything.
QString text(const CharacterExperience& experience);

struct Read
{
    CharacterExperience experience;
    int damagedLine = 0; // 1-based line of the text that could not be read, or 0
};
// Every line that can be read; one that cannot is passed over and the first such noted.
Read read(const QString& text);

// {"earned", "spent", "left", "log": [{"trait", "from", "to", "cost", "note"}]}.
QJsonObject report(const CharacterExperience& experience);
// The options by the names of their boxes on the Rules panel.
void addRules(const ExperienceOptions& options, QJsonObject& rules);

} // namespace ExperienceRecord
