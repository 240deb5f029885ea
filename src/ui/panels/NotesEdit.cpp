#include "NotesEdit.h"

#include "output/RtfReader.h"

#include <QMimeData>
#include <QTextDocument>
#include <QTextDocumentFragment>

const QStringList& NotesEdit::rtfFormats()
{
    static const QStringList formats = {QStringLiteral("text/rtf"),
                                        QStringLiteral("application/rtf"),
                                        QStringLiteral("text/richtext")};
    return formats;
}

bool NotesEdit::canInsertFromMimeData(const QMimeData* source) const
{
    for (const QString& format : rtfFormats())
        if (source->hasFormat(format))
            return true;
    return QTextEdit::canInsertFromMimeData(source);
}

void NotesEdit::insertFromMimeData(const QMimeData* source)
{
    // Qt's own HTML comes first where a program offers it; RTF where that is all there is.
    if (!source->hasHtml()) {
        for (const QString& format : rtfFormats()) {
            if (!source->hasFormat(format))
                continue;
            QTextDocument pasted;
            if (RtfReader().read(source->data(format), &pasted)) {
                textCursor().insertFragment(QTextDocumentFragment(&pasted));
                ensureCursorVisible();
                return;
            }
        }
    }
    QTextEdit::insertFromMimeData(source);
}
