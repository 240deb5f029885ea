#pragma once

#include "program/ProgramPaths.h"
#include "program/ScratchFile.h"
#include "program/ScrollModel.h"
#include "engine/SheetLayout.h"
#include "controls/SelectionContext.h"
#include "engine/CharacterCounters.h"
#include "engine/RulesSettings.h"
#include "rules/RuleTables.h"

#include <QCursor>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class ClickLabel;
class ClanEffects;
class MeritsAndFlaws;
class RuleQuestions;
class VirtueEffects;
class GenerationEffects;
class SheetOpeners;
class RulesPanel;
class SourcebooksPanel;
class CharacterSheetIO;
class FileCommands;
class PrintCommand;
class SheetHistory;
class NotesPanel;
class QLabel;
class QLineEdit;
class QTextEdit;
class Recalculation;
class TSelectionBox;
class TVampireDots;
class SheetPanel;
class TPriorityBox;
class UserMessages;

// The one window of the program: the character sheet and its panels.
class TMainForm : public QWidget
{
    Q_OBJECT
public:
    enum class Panel { Sheet, Books, Rules, Notes, About };

    TMainForm(const ProgramPaths& paths, const QStringList& parameters, UserMessages& messages,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // True when the window cannot work (its rules data is missing or damaged); the
    // user has been told why and the program should end with a failure status.
    bool startupFailed() const { return m_startupFailed; }

    // Ends the program as soon as the window has been painted completely once.
    void setQuitAfterFirstPaint(bool quit) { m_quitAfterFirstPaint = quit; }

    const ProgramPaths& paths() const { return m_paths; }
    const QString& scratchFileName() const { return m_scratch.fileName(); }
    const QString& scratchPath() const { return m_scratch.path(); }
    UserMessages& messages() { return m_messages; }
    const QString& CurrentFile() const { return m_currentFile; }
    const QStringList& DataLines() const { return m_dataLines; }
    const RuleTables& tables() const { return m_tables; }
    RuleTables& tables() { return m_tables; }
    const QCursor& ankhCursor() const { return m_ankhCursor; }

    // Panels and navigation.
    void switchToPanel(Panel panel);
    Panel visiblePanel() const;
    QWidget* panel(Panel panel) const;
    SheetPanel* sheet() const { return Sheet; }
    const ScrollModel& scrollBar() const { return m_scroll; }
    bool ScrollDragging() const { return m_scroll.dragging(); }

    // Shrinks the font of a header box until its text fits.
    static void EditBoxResizeToFit(QLineEdit* box);

    // Re-lays the sheet after a change of the row counts.
    void updateSheetLayout();
    // The sheet shows its top, now or when it is shown next.
    void scrollSheetToTop();
    RowCounts& rowCounts() { return m_rows; }
    RulesSettings& settings() { return m_settings; }
    CharacterCounters& counters() { return m_counters; }
    Recalculation& recalculation() { return *m_recalculation; }
    ClanEffects& clanEffects() { return *m_clanEffects; }
    GenerationEffects& generation() { return *m_generation; }
    VirtueEffects& virtues() { return *m_virtues; }
    MeritsAndFlaws& meritsAndFlaws() { return *m_meritsAndFlaws; }

    // Who answers the rules' questions; until one is set, every question is answered as
    // Escape would answer it.
    void setQuestions(RuleQuestions* questions);
    RuleQuestions& questions() { return *m_questions; }
    SheetOpeners* openers() const { return m_openers; }
    RulesPanel* rulesPanel() const { return m_rulesPanel; }
    SourcebooksPanel* books() const { return m_books; }
    CharacterSheetIO& sheetIO() { return *m_sheetIO; }
    FileCommands& files() { return *m_files; }
    PrintCommand& printing() { return *m_printing; }
    NotesPanel* notes() const { return m_notes; }
    SheetHistory& history() { return *m_history; }
    // The idle pass, while the notes are shown: the thumb follows the caret.
    void followNotesCaret();

    // The one popup list of the program, created after the window.
    void setSelectionBox(TSelectionBox* box);
    SelectionContext selectionContext();
    TSelectionBox* selectionBox() const { return m_selectionBox; }
    bool selectionOpen() const;

    // The window's controls, by the names the rest of the program uses.
    QLabel* BackgroundImage = nullptr;
    QLabel* TitleBar = nullptr;
    ClickLabel *CloseButton = nullptr, *MinimizeButton = nullptr, *AboutButton = nullptr;
    ClickLabel *SheetButton = nullptr, *NoteButton = nullptr, *RulesButton = nullptr,
               *BookButton = nullptr;
    ClickLabel *SheetButtonLabel = nullptr, *NoteButtonLabel = nullptr, *RulesButtonLabel = nullptr,
               *BookButtonLabel = nullptr;
    ClickLabel *NewButton = nullptr, *LoadButton = nullptr, *SaveButton = nullptr,
               *PrintButton = nullptr;
    ClickLabel *NewButtonLabel = nullptr, *LoadButtonLabel = nullptr, *SaveButtonLabel = nullptr,
               *PrintButtonLabel = nullptr;
    QWidget* Dock = nullptr;
    QLabel* ScrollButton = nullptr;
    QLabel* ScrollBarImage = nullptr;
    QWidget* TechDock = nullptr;
    QWidget* TechPanel = nullptr;
    QLabel* TechDockImage = nullptr;
    QLabel *Checked = nullptr, *UnChecked = nullptr;
    TPriorityBox *AttributePriorities = nullptr, *AbilityPriorities = nullptr;
    QLabel* FreebieTally = nullptr;
    QLabel* DerangementWarning = nullptr;
    QLabel* FlawWarning = nullptr;
    SheetPanel* Sheet = nullptr;
    QWidget *Books = nullptr, *Rules = nullptr, *Notes = nullptr, *About = nullptr;
    QTextEdit* Notepad = nullptr;
    ClickLabel *ManualButton = nullptr, *ManualButtonLabel = nullptr;
    QImage DockFadeImage;
    QImage DockInfoImage;

signals:
    // F1 or the "User Guide" button.
    void guideRequested();
    // The user closed the window, unsaved changes settled as they chose.
    void closedByUser();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkScreen();
    void placeWindow();
    void chooseScratchFile();
    void createPictures();
    void createPanels();
    void createTechPanel();
    void readRulesData();
    void createSheet();
    void createFileCommands();
    void finishWindow();

    ClickLabel* createButton(int left, int top, const QString& caption, ClickLabel** label);
    void setNavigationColours(Panel shown);
    void slideDock();

    void TitleBarMouseDown(const QPoint& windowPoint);
    void TitleBarMouseMove(const QPoint& globalPoint);
    void BackgroundImageMouseDown(const QPoint& point, Qt::MouseButton button);
    void ScrollBarMouseMove(const QPoint& point, Qt::MouseButtons buttons);
    void BackgroundImageMouseUp();
    // Shows the sheet (or the book rows) where the scroll bar now stands.
    void showSheetScroll(QWidget* content = nullptr);
    // The panel content the scroll bar moves like the sheet: the sheet or the book rows.
    QWidget* scrolledContent() const;
    void notesDragStep(int pointerY);
    void redrawScrollBar(bool withThumb);
    void FormClose();

    ProgramPaths m_paths;
    QStringList m_parameters;
    UserMessages& m_messages;
    ScratchFile m_scratch;
    QString m_currentFile;
    QStringList m_dataLines;
    RuleTables m_tables;
    RowCounts m_rows;
    RulesSettings m_settings;
    CharacterCounters m_counters;
    Recalculation* m_recalculation = nullptr;
    TSelectionBox* m_selectionBox = nullptr;
    SheetOpeners* m_openers = nullptr;
    RulesPanel* m_rulesPanel = nullptr;
    SourcebooksPanel* m_books = nullptr;
    std::unique_ptr<CharacterSheetIO> m_sheetIO;
    FileCommands* m_files = nullptr;
    PrintCommand* m_printing = nullptr;
    NotesPanel* m_notes = nullptr;
    SheetHistory* m_history = nullptr;
    ClanEffects* m_clanEffects = nullptr;
    GenerationEffects* m_generation = nullptr;
    VirtueEffects* m_virtues = nullptr;
    MeritsAndFlaws* m_meritsAndFlaws = nullptr;
    std::unique_ptr<RuleQuestions> m_escapeAnswers;
    RuleQuestions* m_questions = nullptr;
    ScrollModel m_scroll;
    QImage m_groove;
    QCursor m_ankhCursor;
    QPoint m_dragStart;
    int m_slideDirection = 1;
    bool m_startupFailed = false;
    bool m_quitAfterFirstPaint = false;
};
