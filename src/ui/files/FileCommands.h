#pragma once

#include <QObject>
#include <QStringList>

class CharacterSheetIO;
class FileDialogs;
class CharacterView;
class ClickLabel;
class ProgramPaths;

// New, Load and Save, the question before unsaved changes are lost (decided by content: a
// fresh snapshot against the file on disk), and the character opened at start-up.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    static inline const QString TemplateName = QStringLiteral("Template.tnc");

    // The captions lit while their command runs.
    struct Labels
    {
        ClickLabel *newLabel, *loadLabel, *saveLabel;
    };

    FileCommands(CharacterView& view, CharacterSheetIO& io, const ProgramPaths& paths,
                 const Labels& labels, QObject* parent);

    void setDialogs(FileDialogs* dialogs) { m_dialogs = dialogs; }
    FileDialogs* dialogs() const { return m_dialogs; }

    void NewButtonClick();
    void LoadButtonClick();
    void SaveButtonClick();
    // Yes, No or Cancel as asked, or nothing when nothing is unsaved.
    enum class Answer { None, Yes, No, Cancel };
    Answer AskToSave();
    // False keeps the window open.
    bool FormCloseQuery();

    // Start-up: the file named on the command line, else the template, else a new template.
    void openAtStartup(const QStringList& parameters);

    // Reads a file as Load does; false, with a "Load error" message, when it cannot be read.
    bool loadFile(const QString& path);
    // Reads a recovery copy as Load does, as the unsaved character of the file at origin
    // (the template's when it had none).
    bool restore(const QString& copy, const QString& origin);
    // Whether the sheet differs from its file (the question before New, Load and Close).
    bool unsavedChanges();
    // Writes the sheet to path through a save file; false, with an "Error" message, when it
    // fails, leaving CurrentFile as it was.
    bool saveTo(const QString& path);

    const QString& CurrentFile() const { return m_currentFile; }
    // Where the file dialogs start for a character not yet saved: the documents folder, or
    // the home folder where there is none.
    static QString startFolder();
    // "To a PDF file": beside the character's file under its name, else in the start folder.
    QString pdfProposal() const;
    // "To a Foundry VTT file": the character's name, beside its file or in the start folder.
    QString foundryProposal() const;
    // The version of the file read last; empty when its banner was rejected.
    const QString& lastVersion() const { return m_lastVersion; }
    const QStringList& CharacterLines() const { return m_lines; }
    QString templatePath() const;
    // The proposed file name: the character's name without \ / : * ? " < > |.
    static QString cleanedName(const QString& name);

signals:
    // The sheet now matches a file: it was loaded or saved.
    void characterStored();
    // New or Load put another character on the sheet: the undo steps start afresh.
    void characterReplaced();
    // New showed the template: the window shows the sheet's top, ready for a name.
    void newCharacterShown();
    // No template was there: this is the program's first run on this account.
    void firstRun();

private:
    // Save as the user chose it; false when nothing was written.
    bool saveCommand();
    // A file of the character's own, not the template.
    bool savedCharacter() const;
    void writeTemplate();
    void runCommand(ClickLabel* label, const std::function<void()>& command);

    CharacterView& m_view;
    const ProgramPaths& m_paths;
    Labels m_labels;
    CharacterSheetIO& m_io;
    FileDialogs* m_dialogs = nullptr;
    QString m_currentFile;
    QString m_lastVersion;
    // A restored character counts as unsaved until it is saved or replaced.
    bool m_restored = false;
    QStringList m_lines;
};
