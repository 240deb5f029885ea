#pragma once

#include "engine/CharacterExperience.h"

#include <QObject>
#include <functional>

class CharacterView;
class ExperiencePanel;
struct Character;

// The experience panel's requests as operations on the character the view shows, and the
// account shown on the panel and beside the freebie tally whenever it changes.
class ExperienceEffects : public QObject
{
    Q_OBJECT
public:
    ExperienceEffects(CharacterView& view, QObject* parent);
    // The panel, once it is built (when first shown): its requests come here and it shows
    // the account from then on.
    void attach(ExperiencePanel& panel);

    // Each asks first; true when creation was finished (or taken back) now.
    bool finishCreation();
    bool reopenCreation();
    void addEarned(const QString& points, const QString& note);
    void takeBack(qsizetype entry);
    void setOptions(const ExperienceOptions& options);

private:
    void refresh();
    // The character as the sheet shows it, changed, back on the sheet with its experience.
    void apply(const std::function<void(Character&)>& change);
    void refuse(const QString& message);

    CharacterView& m_view;
    ExperiencePanel* m_panel = nullptr;
};
