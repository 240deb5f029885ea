#pragma once

#include "engine/Character.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QLineEdit;
class CharacterSheetIO;
class CharacterView;
class FileCommands;

// Undo and redo for the whole sheet. A step is a copy of the character the sheet shows (the
// notes left out: they keep their own undo), taken when the idle pass has settled after the
// user did something and the character differs from the last step's. Undo puts the step
// before back, quietly. Typing into one box is one step until the box loses the
// focus or a second passes.
class SheetHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxSteps = 200;
    static constexpr int TypingMergeMs = 1000;

    // Steps are taken of what happens in window, after the view's idle pass settles.
    SheetHistory(CharacterView& view, CharacterSheetIO& io, FileCommands& files, QWidget& window);

    void undo();
    void redo();
    // New and Load start afresh from the character now on the sheet.
    void reset();

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index + 1 < m_steps.size(); }
    int steps() const { return int(m_steps.size()); }
    // How many snapshots were taken; for the benchmark and the tests.
    int snapshotsTaken() const { return m_taken; }

    Character snapshot();

signals:
    // The character on the sheet is another than before: a new step, or one read back.
    void characterChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void settled();
    void restore(int index);
    bool isSheetShortcut(const class QKeyEvent& key, bool& redo) const;

    CharacterSheetIO& m_io;
    QWidget& m_window;
    CharacterView& m_view;
    QList<Character> m_steps;
    qsizetype m_index = -1;
    // The character of the step at m_index as the sheet showed it: what a new snapshot is
    // compared with.
    Character m_stepCharacter;
    // The user did something since the last snapshot.
    bool m_touched = false;
    // A step was read back: the next snapshot replaces it instead of making a new step.
    bool m_restored = false;
    // The box typed into since the last snapshot, when typing was all the user did.
    QPointer<QLineEdit> m_typingIn;
    QPointer<QLineEdit> m_lastTypingIn;
    QElapsedTimer m_lastStep;
    int m_taken = 0;
};
