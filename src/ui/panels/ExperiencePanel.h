#pragma once

#include "engine/CharacterExperience.h"

#include <QWidget>

class ClickLabel;
class ExperienceChart;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// After creation: the control that finishes creation, the points earned, spent and left, the
// experience log with its entries to take back, the costs of the chart and the rules options
// of experience. It shows the account and reports what the user asks for; the sheet's dots
// spend the points.
class ExperiencePanel : public QWidget
{
    Q_OBJECT
signals:
    void finishPressed();
    void reopenPressed();
    void earnedAdded(const QString& points, const QString& note);
    // An index into the log.
    void takeBackPressed(qsizetype entry);
    void optionsEdited(const ExperienceOptions& options);

public:
    explicit ExperiencePanel(QWidget* parent);

    void showExperience(const CharacterExperience& experience, const ExperienceChart& chart);
    // The Earned boxes emptied once their entry is in the log.
    void clearEarned();

    // The one line beside the freebie tally: the control that finishes creation, then the
    // points spent, earned and left.
    static QString dockText(const CharacterExperience& experience);

    QLabel* StatusLabel = nullptr;
    ClickLabel* FinishButtonLabel = nullptr;
    QLabel* TotalsLabel = nullptr;
    QLineEdit* EarnedEdit = nullptr;
    QLineEdit* NoteEdit = nullptr;
    ClickLabel* AddButtonLabel = nullptr;
    QTableWidget* Log = nullptr;
    ClickLabel* TakeBackButtonLabel = nullptr;
    QLabel* ChartLabel = nullptr;
    QLineEdit* StartingXpEdit = nullptr;
    QCheckBox* XpBackgroundsRule = nullptr;
    QLineEdit* XpBackgroundEdit = nullptr;

private:
    void createAccount();
    void createLog();
    void createRules();

    bool m_finished = false;
    bool m_starting = false; // the log's first row shows the starting experience
};
