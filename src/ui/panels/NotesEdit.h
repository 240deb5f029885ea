#pragma once

#include <QTextEdit>

// The notes' text area. Rich text pasted from a program that offers it only as RTF (WordPad,
// some word processors) keeps its styles: it is read by the notes' own reader.
class NotesEdit : public QTextEdit
{
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

    // The clipboard formats that carry RTF.
    static const QStringList& rtfFormats();

    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
