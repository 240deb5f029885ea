#pragma once

#include "engine/RuleCheck.h"

#include <QWidget>
#include <vector>

class ClickLabel;
class QLabel;
class QScrollArea;
class QVBoxLayout;

// What the rules check found, as the information area lists it when the user asks: one
// sentence a line, breaches in red and notes in the captions' green. A press on a sentence
// asks for its row; "Back" returns the area to the tally.
class ChecksPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ChecksPanel(QWidget* parent);

    // The list follows when it is seen.
    void setChecks(const std::vector<RuleCheck>& checks);
    const std::vector<RuleCheck>& checks() const { return m_checks; }
    // The sentence of each check, in the order shown; for tests.
    ClickLabel* entry(int index) const { return m_entries.value(index); }
    ClickLabel* backButton() const { return m_back; }

signals:
    void checkPressed(int index);
    void backPressed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fillList();

    bool m_stale = false;
    QLabel* m_caption = nullptr;
    std::vector<RuleCheck> m_checks;
    QList<ClickLabel*> m_entries;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_list = nullptr;
    QVBoxLayout* m_layout = nullptr;
    ClickLabel* m_back = nullptr;
};
