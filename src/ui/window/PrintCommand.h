#pragma once

#include "output/PrintedSheet.h"
#include "output/TPrintForm.h"

#include <QObject>

class TMainForm;

// The Print command: the print dialog, the sheet read off the window for the printout, the
// PDF file written where no printer is (or where the user asks for one), and the export to
// Foundry VTT.
class PrintCommand : public QObject
{
    Q_OBJECT
public:
    explicit PrintCommand(TMainForm& form);

    void PrintButtonClick();
    // What the printed sheet shows, read off the sheet as it stands.
    PrintedSheet printedSheet() const;
    // Writes the sheet (and the notes, and the experience log) as a PDF; an error text, or an
    // empty text.
    QString writePdf(const QString& fileName, bool sheet, bool notes, bool log = false) const;
    // Writes the character as the sheet shows it, notes included, for Foundry VTT.
    QString writeFoundry(const QString& fileName) const;

    // The print dialog, made on first use, with the printers as they are now.
    TPrintForm* dialog();

private:
    TPrintForm::Jobs jobs();

    TMainForm& m_form;
    TPrintForm* m_dialog = nullptr;
};
