#include "PrinterJobs.h"

#include "output/SheetPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>

bool PrinterJobs::available()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString PrinterJobs::printSheet(const PrintedSheet& sheet)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(SheetPrinter::sheetJobTitle(sheet.Name));
    return SheetPrinter::printSheet(sheet, printer, SheetPrinter::Fit::Stretch);
}

QString PrinterJobs::printNotes(const QTextDocument& notes, const QString& name)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(SheetPrinter::notesJobTitle(name));
    return SheetPrinter::printNotes(notes, printer);
}

QString PrinterJobs::printLog(const QTextDocument& log, const QString& name)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(SheetPrinter::logJobTitle(name));
    return SheetPrinter::printNotes(log, printer);
}
