#include "SheetHistory.h"

#include "files/CharacterSheetIO.h"
#include "files/FileCommands.h"
#include "sheet/CharacterView.h"
#include "sheet/Recalculation.h"
#include "sheet/SheetBinding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>

SheetHistory::SheetHistory(CharacterView& view, CharacterSheetIO& io, FileCommands& files,
                           QWidget& window)
    : QObject(&window), m_io(io), m_window(window), m_view(view)
{
    connect(&view.recalculation(), &Recalculation::settled, this, &SheetHistory::settled);
    connect(&files, &FileCommands::characterReplaced, this, &SheetHistory::reset);
    qApp->installEventFilter(this);
    m_lastStep.start();
    reset();
}

Character SheetHistory::snapshot()
{
    ++m_taken;
    return SheetBinding::readAll(m_view);
}

void SheetHistory::reset()
{
    m_steps.clear();
    m_index = -1;
    m_touched = true; // the first settled pass takes the starting step
    m_restored = false;
    m_typingIn = nullptr;
    m_lastTypingIn = nullptr;
}

void SheetHistory::settled()
{
    if (!m_touched)
        return;
    m_touched = false;
    Character now = snapshot();
    if (m_index >= 0 && now == m_stepCharacter) {
        m_restored = false;
        return;
    }
    m_stepCharacter = now;
    // Typing on in the same box, within a second, extends the step it began.
    const bool typingOn = m_typingIn && m_typingIn == m_lastTypingIn &&
                          m_lastStep.elapsed() < TypingMergeMs && m_index > 0;
    if (m_restored || typingOn) {
        m_steps[m_index] = std::move(now);
    } else {
        m_steps.resize(m_index + 1); // a new step ends the redo steps
        m_steps.append(std::move(now));
        if (m_steps.size() > MaxSteps)
            m_steps.removeFirst();
        m_index = m_steps.size() - 1;
    }
    m_restored = false;
    m_lastTypingIn = m_typingIn;
    m_typingIn = nullptr;
    m_lastStep.restart();
    emit characterChanged();
}

void SheetHistory::restore(int index)
{
    m_index = index;
    m_stepCharacter = m_steps[index];
    m_io.showCharacter(m_stepCharacter);
    m_restored = true;
    m_touched = true;
    m_lastTypingIn = nullptr;
    emit characterChanged();
}

void SheetHistory::undo()
{
    if (canUndo())
        restore(int(m_index - 1));
}

void SheetHistory::redo()
{
    if (canRedo())
        restore(int(m_index + 1));
}

bool SheetHistory::isSheetShortcut(const QKeyEvent& key, bool& redo) const
{
    const auto modifiers =
        key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    redo = (key.key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) ||
           (key.key() == Qt::Key_Y && modifiers == Qt::ControlModifier);
    return redo || (key.key() == Qt::Key_Z && modifiers == Qt::ControlModifier);
}

bool SheetHistory::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only what happens in this window counts, its popup list included (a choice there is a
    // step of its own); dialogs and the notes keep to themselves.
    const QWidget* top = widget ? widget->window() : nullptr;
    const bool popupOfWindow = top && top->windowType() == Qt::Popup && top->parentWidget() &&
                               top->parentWidget()->window() == &m_window;
    if (!top || (top != &m_window && !popupOfWindow) || QApplication::activeModalWidget())
        return QObject::eventFilter(watched, event);
    const bool inNotes =
        qobject_cast<QTextEdit*>(watched) || qobject_cast<QTextEdit*>(widget->parentWidget());
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        bool redoKey = false;
        if (!inNotes && isSheetShortcut(*static_cast<QKeyEvent*>(event), redoKey)) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                redoKey ? redo() : undo();
            return true;
        }
        if (event->type() == QEvent::KeyPress && !inNotes) {
            m_touched = true;
            auto* box = qobject_cast<QLineEdit*>(watched);
            m_typingIn = box && (!m_typingIn || m_typingIn == box) ? box : nullptr;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (!inNotes) {
            m_touched = true;
            m_typingIn = nullptr;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
