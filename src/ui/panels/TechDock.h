#pragma once

#include <QImage>
#include <QWidget>

class ChecksPanel;
class ClickLabel;
class QLabel;
class TPriorityBox;

// The black column right of the sheet: the two priority boxes, the freebie tally and the
// warnings. The popup list fades it out and draws its information here, over Image.
class TechDock : public QWidget
{
    Q_OBJECT
public:
    explicit TechDock(QWidget* parent);

    // What the column normally shows; hidden while the popup's information covers it.
    QWidget* Panel = nullptr;
    QLabel* Image = nullptr;
    TPriorityBox *AttributePriorities = nullptr, *AbilityPriorities = nullptr;
    QLabel* FreebieTally = nullptr;
    // Beside the freebie tally: "Finish creation", then experience spent, earned and left.
    ClickLabel* ExperienceTally = nullptr;
    QLabel* DerangementWarning = nullptr;
    QLabel* FlawWarning = nullptr;
    // How many checks the rules found ("3 checks"), under the tally; a press lists them in
    // Checks, which covers the column until the user goes back.
    ClickLabel* CheckCount = nullptr;
    ChecksPanel* Checks = nullptr;
    // The popup's pictures of the column: faded, and with its information drawn on.
    QImage FadeImage;
    QImage InfoImage;
};
