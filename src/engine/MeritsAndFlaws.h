#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>

class QLineEdit;
class TMainForm;

// The one change handler of the merit and flaw rows: it tidies and completes the entry,
// asks about mutually exclusive pairs, gives a child its "Short (1)", keeps both lists
// without gaps and with one open row, and recounts the points and the entries' effects.
class MeritsAndFlaws : public QObject
{
    Q_OBJECT
public:
    explicit MeritsAndFlaws(TMainForm& form);

    void connectSheet();

    void RowChanged(QLineEdit* row);
    // After a character is read: the lists tidied and every total counted again, without
    // completing or questioning the entries the file holds.
    void recountAll();

    // While detached (the file reader filling the rows) a change only fits the text.
    void setAttached(bool attached) { m_attached = attached; }

private:
    QString tidy(QLineEdit* row);
    void write(QLineEdit* row, const QString& entry);
    bool excludedBy(QLineEdit* row, const QString& entry);
    void addShortToChild(const QString& entry);
    void keepList(bool merits);
    void recount();

    TMainForm& m_form;
    bool m_attached = true;
    // The rows whose change is being handled right now.
    QSet<QLineEdit*> m_handling;
    // Entry lengths at the previous change of any row and at this one: a longer entry means
    // the user typed, which is when a name is completed.
    int m_previousLength = 0;
    int m_length = 0;
};
