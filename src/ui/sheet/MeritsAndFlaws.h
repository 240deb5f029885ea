#pragma once

#include "engine/MeritFlawEditing.h"

#include <QObject>

class TNameEdit;
class CharacterView;

// The merit and flaw rows of the sheet: each change runs the rule of the lists on the
// character they show, and the rows, counts and warnings then show what it made of them.
class MeritsAndFlaws : public QObject
{
    Q_OBJECT
public:
    explicit MeritsAndFlaws(CharacterView& view);

    void connectSheet();

    void RowChanged(TNameEdit* row);
    // After a character is read: the lists tidied and every total counted again, without
    // completing or questioning the entries the file holds.
    void recountAll();

    // While detached (the file reader filling the rows) a change only fits the text.
    void setAttached(bool attached) { m_attached = attached; }

private:
    TNameEdit* box(MeritFlawEditing::Row row) const;
    static void fit(TNameEdit* row, const QString& entry);
    Character lists() const;
    void show(const Character& character);

    CharacterView& m_view;
    bool m_attached = true;
    MeritFlawEditing::Lengths m_lengths;
};
