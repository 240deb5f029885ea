#pragma once

#include <QObject>

struct Character;
class TNameEdit;
class CharacterView;

// Keeps the generation text and the generation background in step, and applies what the
// generation decides: the rating limits, the blood pool and the blood per turn.
class GenerationEffects : public QObject
{
    Q_OBJECT
public:
    explicit GenerationEffects(CharacterView& view);

    void connectSheet();

    // The change handler of the Generation box; also run when Golconda changes the limits.
    void GenerationChange();
    // The change handler of the starting generation box on the Rules panel.
    void StartingGenerationChanged();
    // A background row's name decides its dot limit.
    void BackgroundNameChanged(TNameEdit* name);
    // The idle pass's generation step: the text and the age effects from the backgrounds.
    void deriveFromBackgrounds();

    // Before a character is read: every limit at its highest, the rows left alone.
    void raiseLimitsForLoading();
    // The file reader sets the Generation text without running the handler.
    void setAttached(bool attached) { m_attached = attached; }

private:
    // The limits the rule gave every row, on the rows.
    void showLimits(const Character& character);

    CharacterView& m_view;
    bool m_attached = true;
};
