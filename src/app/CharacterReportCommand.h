#pragma once

#include <QString>

// "--report FILE" without a window: the character read onto a model of the sheet under the
// rules the program reads, settled, and printed as the JSON the sheet would show. The exit
// status: 0 done, 2 the file or the program's data cannot be read (the reason on standard
// error).
namespace CharacterReportCommand {

int run(const QString& file);

} // namespace CharacterReportCommand
