#pragma once

#include <QByteArray>

class QTextDocument;

// Writes a QTextDocument as compact rich text (RTF) of the classic form that the Windows
// rich-edit control saves: a font table, a colour table when colours are used, then every block
// as one paragraph ended by \par. Fonts, sizes (half points), bold, italic, underline,
// strike-out, colours, alignment, indents, spacing and heading levels are kept. The output is
// 7-bit ASCII: Windows-1252 characters as \'hh, all others as \uN with a "?" fallback. The same
// document always gives the same bytes.
class RtfWriter
{
public:
    static QByteArray write(const QTextDocument& document);
};
