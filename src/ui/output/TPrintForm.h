#pragma once

#include <QDialog>
#include <QImage>
#include <functional>

class ClickLabel;
class QLabel;

// The print dialog: tick the sheet, the notes, the experience log, then Print. It knows nothing of
// the main window; the caller hands it the jobs to run.
//
// Where no printer is installed Print writes a PDF file instead; where printers exist the
// user may tick "To a PDF file" to do the same. "To a Foundry VTT file" turns Print into
// Export: the character goes into a file for the virtual tabletop instead.
class TPrintForm : public QDialog
{
    Q_OBJECT
public:
    // Each job returns an error text, or an empty text when it went well.
    struct Jobs
    {
        std::function<QString()> PrintSheet;
        std::function<QString()> PrintNotes;
        std::function<QString()> PrintLog;
        // Asks where the PDF goes, proposing a name; an empty text when the user gives up.
        std::function<QString()> ChoosePdfFile;
        std::function<QString(const QString& fileName, bool sheet, bool notes, bool log)> WritePdf;
        // The same for the Foundry VTT file.
        std::function<QString()> ChooseFoundryFile;
        std::function<QString(const QString& fileName)> WriteFoundry;
    };

    explicit TPrintForm(QWidget* parent = nullptr);

    void setJobs(Jobs jobs) { m_jobs = std::move(jobs); }
    void setPrinterAvailable(bool available);
    bool printerAvailable() const { return m_printerAvailable; }

    // Ticks the sheet and the notes, clears the log, the PDF and the Foundry choices and shows
    // the dialog modally. Returns Accepted when Print ran without an error (or found nothing
    // ticked), Rejected after Cancel, Escape or a failed job, whose error lastError() then holds.
    int ShowModal();

    bool PrintSheetFlag() const { return m_printSheet; }
    bool PrintNotesFlag() const { return m_printNotes; }
    bool PrintLogFlag() const { return m_printLog; }
    // Whether Print writes a PDF file rather than printing.
    bool PdfFlag() const { return m_toPdf || !m_printerAvailable; }
    // Whether Print exports the character to a Foundry VTT file instead.
    bool FoundryFlag() const { return m_toFoundry; }
    const QString& lastError() const { return m_lastError; }

    static QImage greenChecked();
    static QImage greenUnchecked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createBackground();
    void createTicks();
    void createButtons();
    void createWaitLabels();
    ClickLabel* createTick(const QString& name, QPoint position);
    ClickLabel* createLabel(const QString& name, const QString& text, QPoint position);
    ClickLabel* createButton(const QString& name, int left, const QString& caption,
                             ClickLabel** label);
    void showTicks();
    void showWaiting(bool waiting);
    // The ticked jobs; file is where a PDF or the Foundry VTT file goes, empty for a printer.
    QString runJobs(const QString& file);

    void SheetMouseDown();
    void NotesMouseDown();
    void LogMouseDown();
    void PdfMouseDown();
    void FoundryMouseDown();
    void PrintButtonClick();
    void CancelButtonClick();
    void FormKeyDown(QKeyEvent* event);

    ClickLabel *Sheet = nullptr, *SheetLabel = nullptr;
    ClickLabel *Notes = nullptr, *NotesLabel = nullptr;
    ClickLabel *Log = nullptr, *LogLabel = nullptr;
    ClickLabel *Pdf = nullptr, *PdfLabel = nullptr;
    ClickLabel *Foundry = nullptr, *FoundryLabel = nullptr;
    ClickLabel *PrintButton = nullptr, *PrintButtonLabel = nullptr;
    ClickLabel *CancelButton = nullptr, *CancelButtonLabel = nullptr;
    QLabel *Wait1 = nullptr, *Wait2 = nullptr;

    Jobs m_jobs;
    bool m_printerAvailable = true;
    bool m_printSheet = true;
    bool m_printNotes = true;
    bool m_printLog = false;
    bool m_toPdf = false;
    bool m_toFoundry = false;
    QString m_lastError;
};
