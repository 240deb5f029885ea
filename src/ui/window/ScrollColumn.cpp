#include "ScrollColumn.h"

#include "output/Pictures.h"
#include "panels/NotesPanel.h"
#include "panels/SheetPanel.h"
#include "panels/SourcebooksPanel.h"

#include <QLabel>
#include <QPainter>
#include <QTextEdit>

ScrollColumn::ScrollColumn(QWidget& window) : QObject(&window)
{
    // The groove: the picture under the column with its two engraved lines.
    m_groove =
        Pictures::backgroundPart(QRect(Left, ScrollModel::DockTop, Width, ScrollModel::DockHeight));
    QPainter painter(&m_groove);
    painter.setPen(Qt::black);
    painter.drawLine(9, 5, 9, 496);
    painter.setPen(QColor(48, 96, 96));
    painter.drawLine(10, 5, 10, 496);
    painter.end();
    m_image = new QLabel(&window);
    m_image->setGeometry(Left, ScrollModel::DockTop, Width, ScrollModel::DockHeight);
    m_image->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ScrollColumn::setPanels(QWidget& dock, SheetPanel& sheet, SourcebooksPanel& books,
                             NotesPanel& notes)
{
    m_dock = &dock;
    m_sheet = &sheet;
    m_books = &books;
    m_notes = &notes;
}

void ScrollColumn::redraw(bool withThumb)
{
    QImage composed = m_groove;
    if (withThumb) {
        QPainter painter(&composed);
        painter.drawImage(0, m_scroll.thumbOffset(), Pictures::scrollThumb());
    }
    m_image->setPixmap(QPixmap::fromImage(composed));
}

QWidget* ScrollColumn::scrolledContent() const
{
    if (m_sheet->isVisibleTo(m_dock))
        return m_sheet;
    if (m_books->isVisibleTo(m_dock))
        return m_books->rows();
    return nullptr;
}

void ScrollColumn::showScrolled(QWidget* content)
{
    redraw(true);
    if (!content)
        content = scrolledContent();
    if (content)
        content->move(0, -m_scroll.contentOffset());
    m_dock->repaint();
}

void ScrollColumn::notesDragStep(int pointerY)
{
    QTextEdit* notepad = m_notes->notepad();
    const int length = notepad->document()->characterCount() - 1;
    QTextCursor cursor = notepad->textCursor();
    cursor.setPosition(m_scroll.dragNotes(pointerY, length));
    notepad->setTextCursor(cursor);
    notepad->ensureCursorVisible();
    redraw(true);
}

void ScrollColumn::press(const QPoint& point, Qt::MouseButton button)
{
    if (!m_dock || button != Qt::LeftButton || point.x() < Left || point.x() >= Left + Width)
        return;
    if (scrolledContent()) {
        const bool onThumb = m_scroll.onThumb(point.y());
        if (!m_scroll.pressSheet(point.y()))
            return;
        if (!onThumb) {
            m_scroll.dragSheet(point.y());
            showScrolled();
        }
    } else if (m_notes->isVisibleTo(m_dock) && m_scroll.pressNotes(point.y())) {
        notesDragStep(point.y());
    }
}

void ScrollColumn::drag(const QPoint& point, Qt::MouseButtons buttons)
{
    if (!m_dock || !(buttons & Qt::LeftButton) || !m_scroll.dragging())
        return;
    if (scrolledContent()) {
        m_scroll.dragSheet(point.y());
        showScrolled();
    } else if (m_notes->isVisibleTo(m_dock)) {
        notesDragStep(point.y());
    }
}

bool ScrollColumn::wheel(int angleDeltaY)
{
    if (!m_dock || !scrolledContent())
        return false;
    m_scroll.scrollBy(-angleDeltaY / 2);
    showScrolled();
    return true;
}

void ScrollColumn::followNotesCaret()
{
    const int before = m_scroll.thumbOffset();
    m_scroll.setNotesThumb(m_notes->notepad()->textCursor().position(),
                           m_notes->document()->characterCount() - 1);
    if (m_scroll.thumbOffset() != before)
        redraw(true);
}

void ScrollColumn::sheetLaidOut(int height)
{
    const bool sheetShown = m_sheet->isVisibleTo(m_dock);
    if (sheetShown)
        m_sheet->move(0, -m_scroll.setSheetHeight(height));
    redraw(sheetShown || m_notes->isVisibleTo(m_dock));
}

void ScrollColumn::scrollSheetToTop()
{
    m_scroll.saveSheetThumb();
    if (m_sheet->isVisibleTo(m_dock)) {
        m_scroll.dragSheetTo(0);
        showScrolled(m_sheet);
    } else {
        m_scroll.resetSavedSheetThumb();
    }
}

void ScrollColumn::centreSheetOn(const QRect& rect)
{
    m_scroll.scrollBy(rect.center().y() - ScrollModel::DockHeight / 2 - m_scroll.contentOffset());
    showScrolled(m_sheet);
}
