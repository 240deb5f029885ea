#pragma once

#include <QTextCharFormat>

#include <functional>

class QTextCursor;

namespace TextFormats {

// Rewrites the format of every piece of text the cursor selects, one piece at a time, so
// that each keeps what change leaves alone; change returns false to leave a piece as it is.
// One undo step.
void reformat(const QTextCursor& selection, const std::function<bool(QTextCharFormat&)>& change);

} // namespace TextFormats
