#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

// Reads rich text (RTF) into a QTextDocument: the part of the format that notes use (fonts,
// sizes, bold, italic, underline, strike-out, colours, alignment, indents, spacing), from the
// files of the Windows rich-edit control as well as from word processors. Destinations and
// control words it does not know are skipped, and so is hidden text; list bullets and numbers
// stay as text, symbol-font characters become their Unicode equals. Damaged input never stops
// the read: it yields the text that can be recovered, in time linear in the input.
class RtfReader
{
public:
    // Groups nested deeper than this share the formatting of the deepest kept level.
    static constexpr int MaxDepth = 256;

    // Replaces the content of document (its undo history is cleared and it is left unmodified).
    // Returns false, leaving the document as it was, when the bytes do not begin as rich text.
    bool read(QByteArrayView rtf, QTextDocument* document);

    // Why the last read failed, or what it had to repair; empty after a clean read.
    QString errorString() const { return m_error; }

    // Whether the bytes begin as rich text ("{\rtf", after blanks or a UTF-8 mark).
    static bool isRtf(QByteArrayView bytes);

private:
    QString m_error;
};
