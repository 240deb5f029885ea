#pragma once

#include "rules/SortedTextList.h"
#include "rules/SourcebookFilter.h"

#include <QList>
#include <QWidget>

class ClickLabel;
class QLabel;
class RuleTables;
struct RulesSettings;

// The Sourcebooks panel: one tick box per book of the rules data and six presets. A click
// records the choice; the choice is applied (the rule tables rebuilt from the books in use)
// when the panel is left, at once by the Vampire preset, and after a character is read.
class SourcebooksPanel : public QWidget
{
    Q_OBJECT
public:
    // The panel builds the rule tables from the books in use, under the settings' elder rule.
    SourcebooksPanel(RuleTables& tables, const RulesSettings& settings, QWidget* parent);

    // Start-up: the books named by the header lines of the data, the two core books in use.
    void buildBookList(const QStringList& dataLines);
    void applySelection();

    const SortedTextList& BookTitles() const { return m_books.BookTitles; }
    const SortedTextList& ChosenBooks() const { return m_chosen; }
    const QList<bool>& BookInUse() const { return m_inUse; }
    // The reader restores a character's books; the caller applies them.
    void setChosenBooks(const QStringList& titles);

    void toggleBook(int index);
    void choosePreset(SourcebookFilter::Preset preset);
    // The idle pass, while BooksDirty is set.
    void paintPresetLabels();

    // The rows scroll inside the panel when there are more books than fit.
    QWidget* rows() const { return m_rows; }
    int rowsHeight() const;

signals:
    // The rule tables were built anew from the books in use.
    void tablesRebuilt();
    // The books chosen changed: the idle pass repaints the preset captions.
    void choiceChanged();

public:
    QList<ClickLabel*> TickBoxes;
    QList<ClickLabel*> TitleLabels;
    ClickLabel *NoneButtonLabel, *ClassicButtonLabel, *VampireButtonLabel, *AllButtonLabel,
        *AllClanBookButtonLabel, *NoClanBookButtonLabel;

private:
    ClickLabel* createPreset(int top, const QString& caption, SourcebookFilter::Preset preset);
    void drawTickBoxes();

    RuleTables& m_tables;
    const RulesSettings& m_settings;
    QStringList m_dataLines;
    SourcebookFilter::BookList m_books;
    SortedTextList m_chosen;
    QList<bool> m_inUse;
    QWidget* m_rows = nullptr;
};
