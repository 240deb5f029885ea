#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QLineEdit;
class SpecialtyLabel;
class TMainForm;
class TSelectionBox;
class TVampireDots;

// The right-press openers of the sheet: a press on a box or its caption opens the popup
// list for that box, a press on a discipline's dots lists its powers, and a press on the
// name of an attribute or ability rated 4 or more offers specialties for it.
class SheetOpeners : public QObject
{
    Q_OBJECT
public:
    SheetOpeners(TMainForm& form, TSelectionBox& popup);

    // Opens the list of a further box, e.g. a box on the Rules panel.
    // target: a box with the "text" and "readOnly" of a line edit.
    void add(QObject* pressed, QWidget* target, std::function<QStringList()> list, int kind);

    // After every build of the tables: the discipline rows' dots get the ankh where their
    // name is a discipline with powers to list.
    void markDisciplineRows();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addSheetOpeners();
    bool openListFor(QObject* watched);
    void markDisciplineRow(int row);
    void DiscDotMouseDown(TVampireDots* dots, Qt::MouseButton button);
    void DiscReturnChange();
    // The name of a trait that takes a specialty; a free row rated below 4 (with no
    // specialty to change) lists names instead.
    void addSpecialty(QObject* pressed, SpecialtyLabel* label, std::function<QString()> trait,
                      bool freeRow);
    bool openSpecialtiesFor(QObject* watched);

    struct Opener
    {
        QWidget* target;
        std::function<QStringList()> list;
        int kind;
    };
    TMainForm& m_form;
    TSelectionBox& m_popup;
    QHash<QObject*, Opener> m_openers;
    QLineEdit* DiscReturn = nullptr;

    struct SpecialtyOpener
    {
        SpecialtyLabel* label;
        std::function<QString()> trait;
        bool freeRow;
    };
    QHash<QObject*, SpecialtyOpener> m_specialtyOpeners;
    // Receives the popup's choice for the specialty of m_specialtyRow.
    QLineEdit* SpecReturn = nullptr;
    QPointer<SpecialtyLabel> m_specialtyRow;
};
