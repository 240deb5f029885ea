#include "PrintCommand.h"

#include "app/ClickLabel.h"
#include "app/SheetFonts.h"
#include "app/SheetPanel.h"
#include "app/TMainForm.h"
#include "app/UserMessages.h"
#include "controls/TVampireDots.h"
#include "files/FileCommands.h"
#include "files/FileDialogs.h"
#include "output/PrinterJobs.h"
#include "output/SheetPrinter.h"
#include "output/TPrintForm.h"
#include "rules/TextRoutines.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include <optional>

namespace {

PrintedSheet::Rating rating(const TVampireDots* dots)
{
    return {dots->Filled(), dots->MaxDots()};
}

PrintedSheet::TraitRow trait(const SheetPanel::TraitRow& row)
{
    return {row.name->text(), row.dots->Filled(), row.dots->MaxDots()};
}

bool emptyRow(const SheetPanel::TraitRow& row)
{
    return row.dots->Filled() == 0 && TextRoutines::StripDots(row.name->text()).isEmpty();
}

// The rows in use without the open empty row that ends a list that is not full.
template <typename Rows, typename IsEmpty>
int printedRows(const Rows& rows, int count, IsEmpty isEmpty)
{
    return count > 0 && isEmpty(rows, count - 1) ? count - 1 : count;
}
int printedRows(const SheetPanel::TraitRows& rows, int count)
{
    return printedRows(rows, count, [](const auto& list, int r) { return emptyRow(list[r]); });
}
int printedRows(const SheetPanel::NameRows& rows, int count)
{
    return printedRows(rows, count, [](const auto& list, int r) {
        return TextRoutines::StripDots(list[r]->text()).isEmpty();
    });
}

} // namespace

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
        return PrinterJobs::printNotes(*m_form.Notepad->document(), m_form.sheet()->Name->text());
    };
    jobs.ChoosePdfFile = [this] {
        FileDialogs* dialogs = m_form.files().dialogs();
        return dialogs ? dialogs->pdfFileName(m_form.files().pdfProposal()) : QString();
    };
    jobs.WritePdf = [this](const QString& file, bool sheet, bool notes) { return writePdf(file, sheet, notes); };
    return jobs;
}

PrintedSheet PrintCommand::printedSheet() const
{
    const SheetPanel* s = m_form.sheet();
    const RowCounts& rows = m_form.rowCounts();
    PrintedSheet p;
    p.Name = s->Name->text();
    p.Player = s->Player->text();
    p.Chronicle = s->Chronicle->text();
    p.Nature = s->Nature->text();
    p.Demeanor = s->Demeanor->text();
    p.Clan = s->Clan->text();
    p.Generation = s->Generation->text();
    p.Haven = s->Haven->text();
    p.Concept = s->Concept->text();
    p.Strength = rating(s->Strength);
    p.Dexterity = rating(s->Dexterity);
    p.Stamina = rating(s->Stamina);
    p.Charisma = rating(s->Charisma);
    p.Manipulation = rating(s->Manipulation);
    p.Appearance = rating(s->Appearance);
    p.Perception = rating(s->Perception);
    p.Intelligence = rating(s->Intelligence);
    p.Wits = rating(s->Wits);
    // The ability columns share their rows: the open row is empty in all three.
    auto shared = [](const std::array<SheetPanel::TraitRows, 3>& columns, int count) {
        return printedRows(columns, count, [](const auto& list, int r) {
            return emptyRow(list[0][r]) && emptyRow(list[1][r]) && emptyRow(list[2][r]);
        });
    };
    const int abilities = shared(s->AbilityRows, rows.AbilityRows);
    const int secondary = shared(s->SecondaryRows, rows.SecondaryRows);
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < abilities; ++r)
            p.Abilities[c].append(trait(s->AbilityRows[c][r]));
        for (int r = 0; r < secondary; ++r)
            p.Secondary[c].append(trait(s->SecondaryRows[c][r]));
    }
    for (int r = 0; r < printedRows(s->DisciplineRows, rows.DisciplineRows); ++r) {
        PrintedSheet::DisciplineRow row;
        static_cast<PrintedSheet::TraitRow&>(row) = trait(s->DisciplineRows[r]);
        row.clanFont = s->DisciplineRows[r].name->font().family() == SheetFonts::Times;
        p.Disciplines.append(row);
    }
    for (int r = 0; r < printedRows(s->BackgroundRows, rows.BackgroundRows); ++r)
        p.Backgrounds.append(trait(s->BackgroundRows[r]));
    const std::array<std::pair<const QLabel*, const TVampireDots*>, 3> virtues = {
        {{s->Virtue1, s->Conscience}, {s->Virtue2, s->SelfControl}, {s->Virtue3, s->Courage}}};
    for (int i = 0; i < 3; ++i)
        p.Virtues[i] = {virtues[i].first->text(), virtues[i].second->Filled(), virtues[i].second->MaxDots()};
    p.Path = s->Path->text();
    p.Humanity = s->Humanity->Filled();
    p.Willpower = s->Willpower->Filled();
    p.BloodTurn = s->BloodTurn->text();
    for (int r = 0; r < printedRows(s->MeritRows, rows.MeritRows); ++r)
        p.Merits.append(TextRoutines::StripDots(s->MeritRows[r]->text()));
    for (int r = 0; r < printedRows(s->FlawRows, rows.FlawRows); ++r)
        p.Flaws.append(TextRoutines::StripDots(s->FlawRows[r]->text()));
    const CharacterCounters& counters = m_form.counters();
    p.AppearanceStruckOut = counters.ZeroAppearanceClan || counters.ZeroAppearanceFlaw;
    p.HugeSize = counters.HugeSize;
    return p;
}

QString PrintCommand::writePdf(const QString& fileName, bool sheet, bool notes) const
{
    const std::optional<PrintedSheet> printed = sheet ? std::optional(printedSheet()) : std::nullopt;
    return SheetPrinter::writePdf(fileName, m_form.sheet()->Name->text(), printed ? &*printed : nullptr,
                                  notes ? m_form.Notepad->document() : nullptr);
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
