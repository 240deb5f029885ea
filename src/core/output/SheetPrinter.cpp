#include "SheetPrinter.h"

#include "output/SheetComposer.h"
#include "output/SheetPage.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <algorithm>
#include <memory>

namespace {

// The notes are laid out as the editor shows them, at the screen's 96 dots per inch, and
// then scaled to the device, so that sizes given in pixels print as they look.
constexpr qreal ScreenDpi = 96;

QString jobTitle(const QString& name, const QString& what)
{
    QString title = QStringLiteral("Tarnoch - ") + name;
    if (!what.isEmpty())
        title += QStringLiteral(" (") + what + u')';
    return title;
}

} // namespace

QString SheetPrinter::sheetJobTitle(const QString& name)
{
    return jobTitle(name, QStringLiteral("Sheet"));
}

QString SheetPrinter::notesJobTitle(const QString& name)
{
    return jobTitle(name, QStringLiteral("Notes"));
}

QString SheetPrinter::logJobTitle(const QString& name)
{
    return jobTitle(name, QStringLiteral("Experience"));
}

QRect SheetPrinter::notesRectangle(const QSize& printable)
{
    const int left = int(0.1 * printable.width());
    const int top = int(0.07 * printable.height());
    const int right = int(0.9 * printable.width());
    const int bottom = int(0.93 * printable.height());
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void SheetPrinter::drawSheet(QPainter& painter, const SheetPage& page, const QRect& area, Fit fit)
{
    if (page.width() <= 0 || page.height() <= 0 || area.isEmpty())
        return;
    qreal scaleX = area.width() / qreal(page.width());
    qreal scaleY = area.height() / qreal(page.height());
    QPointF origin = area.topLeft();
    if (fit == Fit::KeepAspect) {
        scaleX = scaleY = std::min(scaleX, scaleY);
        origin.rx() += (area.width() - page.width() * scaleX) / 2;
    }
    painter.save();
    painter.translate(origin);
    painter.scale(scaleX, scaleY);
    page.paint(painter);
    painter.restore();
}

void SheetPrinter::drawNotes(QPainter& painter, QPagedPaintDevice& device,
                             const QTextDocument& notes)
{
    const QRect area = notesRectangle(QSize(device.width(), device.height()));
    const qreal scale = device.logicalDpiY() / ScreenDpi;
    if (area.isEmpty() || scale <= 0)
        return;

    QImage screen(1, 1, QImage::Format_RGB32);
    screen.setDotsPerMeterX(qRound(ScreenDpi / 0.0254));
    screen.setDotsPerMeterY(qRound(ScreenDpi / 0.0254));
    const std::unique_ptr<QTextDocument> document(notes.clone());
    document->documentLayout()->setPaintDevice(&screen);
    const QSizeF pageSize(area.width() / scale, area.height() / scale);
    document->setPageSize(pageSize);

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    const int pages = std::max(1, document->pageCount());
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            device.newPage();
        const QRectF view(0, p * pageSize.height(), pageSize.width(), pageSize.height());
        painter.save();
        painter.translate(area.topLeft());
        painter.scale(scale, scale);
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        context.clip = view;
        document->documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

QString SheetPrinter::printSheet(const PrintedSheet& sheet, QPagedPaintDevice& device, Fit fit)
{
    const SheetPage page = SheetComposer::compose(sheet);
    QPainter painter;
    if (!painter.begin(&device))
        return tr("The printer could not start the sheet.");
    drawSheet(painter, page, QRect(0, 0, device.width(), device.height()), fit);
    if (!painter.end())
        return tr("The printer could not finish the sheet.");
    return {};
}

QString SheetPrinter::printNotes(const QTextDocument& notes, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return tr("The printer could not start the notes.");
    drawNotes(painter, device, notes);
    if (!painter.end())
        return tr("The printer could not finish the notes.");
    return {};
}

QString SheetPrinter::writePdf(const QString& fileName, const QString& name,
                               const PrintedSheet* sheet, const QTextDocument* notes,
                               const QTextDocument* log)
{
    const int parts = int(sheet != nullptr) + int(notes != nullptr) + int(log != nullptr);
    const QString title = parts > 1 ? jobTitle(name, {})
                          : sheet   ? sheetJobTitle(name)
                          : notes   ? notesJobTitle(name)
                                    : logJobTitle(name);
    return writePdf(fileName, title, std::vector<Pages>{{sheet, notes, log}});
}

QString SheetPrinter::writePdf(const QString& fileName, const QString& title,
                               const std::vector<Pages>& characters)
{
    const QString shownName = QDir::toNativeSeparators(fileName);
    auto failure = [&](const QString& reason) {
        return tr("The PDF file \"%1\" could not be written: %2").arg(shownName, reason);
    };
    if (std::none_of(characters.begin(), characters.end(),
                     [](const Pages& pages) { return pages.sheet || pages.notes || pages.log; }))
        return failure(tr("there is nothing to print."));

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tarnoch"));
        // Letter where the user's locale measures in inches, A4 elsewhere.
        writer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                         ? QPageSize::Letter
                                         : QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        QPainter painter;
        if (!painter.begin(&writer))
            return failure(tr("the PDF could not be started."));
        bool pageInUse = false;
        for (const Pages& pages : characters) {
            if (pages.sheet) {
                if (pageInUse)
                    writer.newPage();
                drawSheet(painter, SheetComposer::compose(*pages.sheet),
                          QRect(0, 0, writer.width(), writer.height()), Fit::KeepAspect);
                pageInUse = true;
            }
            for (const QTextDocument* text : {pages.notes, pages.log}) {
                if (!text)
                    continue;
                if (pageInUse)
                    writer.newPage();
                drawNotes(painter, writer, *text);
                pageInUse = true;
            }
        }
        if (!painter.end())
            return failure(tr("the PDF could not be finished."));
    }
    if (!file.commit())
        return failure(file.errorString());
    return {};
}
