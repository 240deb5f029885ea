#pragma once

#include "engine/Character.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPair>

// The character as the sheet shows it, as the JSON object of "--report": the texts, ratings,
// red dots and limits of every row, the tallies, warnings and rules.
namespace CharacterReport {

QJsonObject build(const Character& character, const QString& fileVersion,
                  const QList<QPair<QString, QString>>& messages);

// The rules check's findings as the report lists them.
QJsonArray checks(const std::vector<RuleCheck>& checks);

} // namespace CharacterReport
