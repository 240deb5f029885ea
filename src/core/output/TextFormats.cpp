#include "output/TextFormats.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace TextFormats {

void reformat(const QTextCursor& selection, const std::function<bool(QTextCharFormat&)>& change)
{
    QTextDocument* document = selection.document();
    if (!document)
        return;
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();
    QTextCursor edit(document);
    edit.beginEditBlock();
    for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFragment fragment = piece.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            QTextCharFormat format = fragment.charFormat();
            if (from >= to || !change(format))
                continue;
            edit.setPosition(from);
            edit.setPosition(to, QTextCursor::KeepAnchor);
            edit.setCharFormat(format);
        }
    }
    edit.endEditBlock();
}

} // namespace TextFormats
