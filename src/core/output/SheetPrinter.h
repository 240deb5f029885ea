#pragma once

#include "output/PrintedSheet.h"

#include <QCoreApplication>
#include <QRect>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QTextDocument;
class SheetPage;

// Puts the sheet and the notes on paper: a printer the caller has set up, or a PDF file.
class SheetPrinter
{
    Q_DECLARE_TR_FUNCTIONS(SheetPrinter)

public:
    enum class Fit {
        // Fills the printable area, giving up the aspect ratio: the whole sheet on one page,
        // however long its lists.
        Stretch,
        // As large as the printable area allows with the aspect ratio kept, centred across and
        // from the top: no squeezed type on a screen that zooms.
        KeepAspect,
    };

    static QString sheetJobTitle(const QString& name);
    static QString notesJobTitle(const QString& name);
    static QString logJobTitle(const QString& name);

    // Where the notes are set on a printable area of this size (device pixels).
    static QRect notesRectangle(const QSize& printable);

    // Draws the page into area (device coordinates) of the painter's current page.
    static void drawSheet(QPainter& painter, const SheetPage& page, const QRect& area, Fit fit);
    // Draws the notes from the current page on, opening further pages of device as needed.
    static void drawNotes(QPainter& painter, QPagedPaintDevice& device, const QTextDocument& notes);

    // One job each on a device the caller has prepared (a printer with its job title set).
    // Return an error text, or an empty text when the job went out.
    static QString printSheet(const PrintedSheet& sheet, QPagedPaintDevice& device,
                              Fit fit = Fit::Stretch);
    static QString printNotes(const QTextDocument& notes, QPagedPaintDevice& device);

    // One PDF file for the character called name: the sheet's page when sheet is given, then
    // the pages of the notes when notes is given, then those of the experience log; A4, or Letter
    // where the locale measures in inches. The file is replaced only once it is complete. Returns
    // an error text naming the file and the reason, or an empty text.
    static QString writePdf(const QString& fileName, const QString& name, const PrintedSheet* sheet,
                            const QTextDocument* notes, const QTextDocument* log = nullptr);

    // What one character puts into a PDF of several: its sheet and, when given, its notes and
    // its experience log.
    struct Pages
    {
        const PrintedSheet* sheet = nullptr;
        const QTextDocument* notes = nullptr;
        const QTextDocument* log = nullptr;
    };
    // One PDF file titled title with the pages of each character in turn, each starting on a
    // page of its own; as writePdf above otherwise.
    static QString writePdf(const QString& fileName, const QString& title,
                            const std::vector<Pages>& characters);
};
