#pragma once

#include <QString>

class QTextDocument;
struct PrintedSheet;

// The printouts on the system's default printer, one job each, for the print dialog.
class PrinterJobs
{
public:
    static bool available();
    // Return an error text, or an empty text when the job went out.
    static QString printSheet(const PrintedSheet& sheet);
    static QString printNotes(const QTextDocument& notes, const QString& name);
    static QString printLog(const QTextDocument& log, const QString& name);
};
