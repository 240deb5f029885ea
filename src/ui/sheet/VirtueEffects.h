#pragma once

#include <QObject>
#include <QString>
#include <array>

class CharacterView;

// The virtue labels of the chosen virtue set, Humanity (or a path) and Willpower derived
// from the virtues, the dots bought above them, and the question to detach them.
class VirtueEffects : public QObject
{
    Q_OBJECT
public:
    explicit VirtueEffects(CharacterView& view);

    void connectSheet();

    void HumanityChanged();
    void WillpowerChanged();
    void PathChange();

    // The idle pass, when the rules change: the labels of the virtue set.
    void applyVirtueNames();

    // The file reader sets the two ratings without the handlers asking anything.
    void setAttached(bool attached) { m_attached = attached; }

private:
    CharacterView& m_view;
    bool m_attached = true;
    std::array<QString, 3> m_shownNames;
};
