#pragma once

#include "program/ScrollModel.h"

#include <QImage>
#include <QObject>
#include <QPoint>

class NotesPanel;
class QLabel;
class QRect;
class QWidget;
class SheetPanel;
class SourcebooksPanel;

// The scroll bar between the dock and the black column: its groove and thumb, and what it
// moves: the sheet or the book rows, or the caret of the notes.
class ScrollColumn : public QObject
{
public:
    static constexpr int Left = 610;
    static constexpr int Width = 20;

    explicit ScrollColumn(QWidget& window);

    void setPanels(QWidget& dock, SheetPanel& sheet, SourcebooksPanel& books, NotesPanel& notes);

    ScrollModel& model() { return m_scroll; }
    const ScrollModel& model() const { return m_scroll; }
    QLabel* image() const { return m_image; }

    void redraw(bool withThumb);
    // The panel content the bar moves like the sheet: the sheet or the book rows.
    QWidget* scrolledContent() const;
    // Shows the content (the one shown when none is given) where the bar now stands.
    void showScrolled(QWidget* content = nullptr);

    // A press, a move and a release of the mouse on the window's picture, at window points.
    void press(const QPoint& point, Qt::MouseButton button);
    void drag(const QPoint& point, Qt::MouseButtons buttons);
    void release() { m_scroll.release(); }
    // False when nothing shown scrolls.
    bool wheel(int angleDeltaY);

    // The idle pass, while the notes are shown: the thumb follows the caret.
    void followNotesCaret();
    // The sheet was laid out anew at this height.
    void sheetLaidOut(int height);
    // The sheet shows its top, now or when it is shown next.
    void scrollSheetToTop();
    // The sheet, already shown, moved so that the rectangle is in the middle of the dock.
    void centreSheetOn(const QRect& rect);

private:
    void notesDragStep(int pointerY);

    ScrollModel m_scroll;
    QImage m_groove;
    QLabel* m_image = nullptr;
    QWidget* m_dock = nullptr;
    SheetPanel* m_sheet = nullptr;
    SourcebooksPanel* m_books = nullptr;
    NotesPanel* m_notes = nullptr;
};
