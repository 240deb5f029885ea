#pragma once

#include <QString>

// The dialogs of the file commands. The window shows the program's own question and the
// desktop's file dialogs; tests answer from a script.
class FileDialogs
{
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~FileDialogs() = default;

    // "Save changes?": Yes, No or Cancel (Escape).
    virtual Answer askSaveChanges() = 0;
    // The file to open, or an empty text when the user gives up.
    virtual QString openFileName(const QString& folder) = 0;
    // Where to save, starting from proposal; an empty text when the user gives up.
    virtual QString saveFileName(const QString& proposal) = 0;
    // Where a PDF of the character goes; an empty text when the user gives up.
    virtual QString pdfFileName(const QString& proposal) = 0;
    // Where the character's Foundry VTT file goes; an empty text when the user gives up.
    virtual QString foundryFileName(const QString& proposal) = 0;
};
