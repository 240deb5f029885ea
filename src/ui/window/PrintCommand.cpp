#include "PrintCommand.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "controls/TNameEdit.h"
#include "controls/TVampireDots.h"
#include "controls/UserMessages.h"
#include "files/CharacterFileText.h"
#include "files/FileCommands.h"
#include "files/FileDialogs.h"
#include "output/ExperienceLogDocument.h"
#include "output/FoundryExport.h"
#include "output/PrinterJobs.h"
#include "output/RtfWriter.h"
#include "output/SheetPrinter.h"
#include "output/TPrintForm.h"
#include "panels/NotesPanel.h"
#include "panels/SheetPanel.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/SheetBinding.h"
#include "window/TMainForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <optional>

PrintCommand::PrintCommand(TMainForm& form) : QObject(&form), m_form(form) {}

TPrintForm* PrintCommand::dialog()
{
    // Made on first use: asking the print service for its printers costs start-up time, and
    // printers come and go while the program runs.
    if (!m_dialog) {
        m_dialog = new TPrintForm(&m_form);
        m_dialog->setJobs(jobs());
    }
    m_dialog->setPrinterAvailable(PrinterJobs::available());
    return m_dialog;
}

TPrintForm::Jobs PrintCommand::jobs()
{
    TPrintForm::Jobs jobs;
    jobs.PrintSheet = [this] { return PrinterJobs::printSheet(printedSheet()); };
    jobs.PrintNotes = [this] {
        return PrinterJobs::printNotes(*m_form.notes()->document(), m_form.sheet()->Name->text());
    };
    jobs.PrintLog = [this] {
        QTextDocument log;
        log.setHtml(ExperienceLogDocument::html(SheetBinding::readAll(m_form.view())));
        return PrinterJobs::printLog(log, m_form.sheet()->Name->text());
    };
    jobs.ChoosePdfFile = [this] {
        FileDialogs* dialogs = m_form.files().dialogs();
        return dialogs ? dialogs->pdfFileName(m_form.files().pdfProposal()) : QString();
    };
    jobs.WritePdf = [this](const QString& file, bool sheet, bool notes, bool log) {
        return writePdf(file, sheet, notes, log);
    };
    jobs.ChooseFoundryFile = [this] {
        FileDialogs* dialogs = m_form.files().dialogs();
        return dialogs ? dialogs->foundryFileName(m_form.files().foundryProposal()) : QString();
    };
    jobs.WriteFoundry = [this](const QString& file) { return writeFoundry(file); };
    return jobs;
}

PrintedSheet PrintCommand::printedSheet() const
{
    return PrintedSheet::of(SheetBinding::readAll(m_form.view()));
}

QString PrintCommand::writePdf(const QString& fileName, bool sheet, bool notes, bool log) const
{
    const std::optional<PrintedSheet> printed =
        sheet ? std::optional(printedSheet()) : std::nullopt;
    QTextDocument logDocument;
    if (log)
        logDocument.setHtml(ExperienceLogDocument::html(SheetBinding::readAll(m_form.view())));
    return SheetPrinter::writePdf(
        fileName, m_form.sheet()->Name->text(), printed ? &*printed : nullptr,
        notes ? m_form.notes()->document() : nullptr, log ? &logDocument : nullptr);
}

QString PrintCommand::writeFoundry(const QString& fileName) const
{
    Character character = SheetBinding::readAll(m_form.view());
    character.notes = CharacterFileText::decode(RtfWriter::write(*m_form.notes()->document()));
    return FoundryExport::writeFile(fileName, character);
}

void PrintCommand::PrintButtonClick()
{
    SheetFonts::setTextColour(m_form.PrintButtonLabel, SheetFonts::ActiveColour);
    m_form.PrintButtonLabel->repaint();
    TPrintForm* form = dialog();
    if (form->ShowModal() != QDialog::Accepted && !form->lastError().isEmpty())
        m_form.messages().showMessage(QStringLiteral("Error"), form->lastError());
    SheetFonts::setTextColour(m_form.PrintButtonLabel, SheetFonts::CaptionColour);
}
