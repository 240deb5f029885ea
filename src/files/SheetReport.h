#pragma once

#include <QJsonObject>
#include <QList>
#include <QPair>

class TMainForm;

// The character as the sheet shows it, as the JSON object of "tarnoch --report": the texts,
// ratings, red dots and limits of every control, the tallies, warnings and rules.
namespace SheetReport {

QJsonObject build(TMainForm& form, const QString& fileVersion,
                  const QList<QPair<QString, QString>>& messages);

} // namespace SheetReport
