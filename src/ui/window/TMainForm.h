#pragma once

#include "controls/SelectionContext.h"
#include "program/ProgramPaths.h"
#include "program/ScratchFile.h"
#include "program/ScrollModel.h"

#include <QCursor>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

class CharacterSheetIO;
class CharacterView;
class ClickLabel;
class ExperienceEffects;
class ExperiencePanel;
class FileCommands;
class NotesPanel;
class PrintCommand;
class QLabel;
class QLineEdit;
class RecoveryCopy;
class RuleQuestions;
class RulesPanel;
class SheetHistory;
class ScrollColumn;
class SheetOpeners;
class SheetPanel;
class SourcebooksPanel;
class TechDock;
class TSelectionBox;
class UserMessages;

// The one window of the program: a composition of the panels that show the character, the
// view that runs the rules on them, and the file and print commands. It owns the chrome
// (title bar, navigation, the scroll bar) and moves between the panels.
class TMainForm : public QWidget
{
    Q_OBJECT
public:
    enum class Panel { Sheet, Books, Rules, Notes, About, Experience };

    TMainForm(const ProgramPaths& paths, const QStringList& parameters, UserMessages& messages,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // True when the window cannot work (its rules data is missing or damaged); the
    // user has been told why and the program should end with a failure status.
    bool startupFailed() const { return m_startupFailed; }

    UserMessages& messages() { return m_messages; }
    const QCursor& ankhCursor() const { return m_ankhCursor; }

    // The character as the panels show it, with the rules' state and collaborators.
    CharacterView& view() { return *m_view; }
    SheetPanel* sheet() const { return m_sheet; }
    TechDock& tech() const { return *m_tech; }
    // The Rules panel with its controls, which are built the first time they are needed.
    RulesPanel* rulesPanel() const;
    SourcebooksPanel* books() const { return m_books; }
    NotesPanel* notes() const { return m_notes; }
    // Built when first needed.
    ExperiencePanel* experience();
    CharacterSheetIO& sheetIO() { return *m_sheetIO; }
    FileCommands& files() { return *m_files; }
    SheetHistory& history() { return *m_history; }
    PrintCommand& printing() { return *m_printing; }
    // Who answers the rules' questions (the view's).
    void setQuestions(RuleQuestions* questions);
    RuleQuestions& questions();

    // Panels and navigation.
    void switchToPanel(Panel panel);
    Panel visiblePanel() const;
    QWidget* panel(Panel panel) const;
    const ScrollModel& scrollBar() const;
    bool ScrollDragging() const { return scrollBar().dragging(); }

    // Re-lays the sheet after a change of the row counts.
    void updateSheetLayout();
    // The sheet shows its top, now or when it is shown next.
    void scrollSheetToTop();
    // Shows the sheet scrolled so that rect (sheet coordinates) is in the middle of the dock.
    void showSheetRect(const QRect& rect);

    // The one popup list of the program, created after the window.
    void setSelectionBox(TSelectionBox* box);
    SelectionContext selectionContext();
    TSelectionBox* selectionBox() const { return m_selectionBox; }
    bool selectionOpen() const;

    // The copy of the unsaved character kept against a crash, owned by the window.
    RecoveryCopy* createRecoveryCopy(const QString& folder);

    // The window's own controls, which the tests press as the user would.
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

signals:
    // F1 or the "User Guide" button.
    void guideRequested();
    // The user closed the window, unsaved changes settled as they chose.
    void closedByUser();
    // The whole window has been painted once.
    void firstPainted();

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
    void readRulesData();
    void createSheet();
    void createFileCommands();
    void createExperience();
    void createAbout();
    void finishWindow();

    ClickLabel* createButton(int left, int top, const QString& caption, ClickLabel** label);
    // Every panel in the order of Panel; null while one is not built yet.
    std::array<QWidget*, 6> panels() const;
    void setNavigationColours(Panel shown);
    void slideDock();

    void TitleBarMouseDown(const QPoint& windowPoint);
    void TitleBarMouseMove(const QPoint& globalPoint);
    void FormClose();
    // The view's idle pass ended: the notes' scroll bar follows the caret, and a window
    // something maximised is put back to its fixed size.
    void afterPass();

    ProgramPaths m_paths;
    QStringList m_parameters;
    UserMessages& m_messages;
    ScratchFile m_scratch;
    QCursor m_ankhCursor;
    CharacterView* m_view = nullptr;
    SheetPanel* m_sheet = nullptr;
    TechDock* m_tech = nullptr;
    RulesPanel* m_rulesPanel = nullptr;
    SourcebooksPanel* m_books = nullptr;
    NotesPanel* m_notes = nullptr;
    QWidget* m_about = nullptr;
    ExperiencePanel* m_experience = nullptr; // until first shown
    ExperienceEffects* m_experienceEffects = nullptr;
    std::unique_ptr<CharacterSheetIO> m_sheetIO;
    FileCommands* m_files = nullptr;
    SheetHistory* m_history = nullptr;
    PrintCommand* m_printing = nullptr;
    TSelectionBox* m_selectionBox = nullptr;
    SheetOpeners* m_openers = nullptr;
    ScrollColumn* m_column = nullptr;
    QPoint m_dragStart;
    int m_slideDirection = 1;
    bool m_startupFailed = false;
    bool m_painted = false;
};
