#include "FileCommands.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "controls/TNameEdit.h"
#include "controls/UserMessages.h"
#include "engine/RuleQuestions.h"
#include "files/CharacterCompare.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterSheetIO.h"
#include "files/CharacterWriter.h"
#include "files/FileDialogs.h"
#include "panels/NotesPanel.h"
#include "panels/SheetPanel.h"
#include "program/ProgramPaths.h"
#include "sheet/CharacterView.h"
#include "sheet/GenerationEffects.h"
#include "sheet/Recalculation.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextEdit>
#include <functional>

FileCommands::FileCommands(CharacterView& view, CharacterSheetIO& io, const ProgramPaths& paths,
                           const Labels& labels, QObject* parent)
    : QObject(parent), m_view(view), m_paths(paths), m_labels(labels), m_io(io)
{
}

QString FileCommands::templatePath() const
{
    return m_paths.writePath(TemplateName);
}

QString FileCommands::cleanedName(const QString& name)
{
    QString cleaned = name;
    cleaned.remove(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|])")));
    return cleaned;
}

void FileCommands::runCommand(ClickLabel* label, const std::function<void()>& command)
{
    SheetFonts::setTextColour(label, SheetFonts::ActiveColour);
    label->repaint();
    command();
    SheetFonts::setTextColour(label, SheetFonts::CaptionColour);
}

bool FileCommands::loadFile(const QString& path)
{
    QString error;
    const std::optional<QByteArray> bytes = CharacterFileText::readFile(path, &error);
    if (!bytes) {
        m_view.messages().showMessage(QStringLiteral("Load error"),
                                      tr("The character file \"%1\" cannot be opened: %2")
                                          .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_lines = CharacterFileText::decode(*bytes);
    m_currentFile = path;
    const CharacterReadResult result = CharacterReader::read(m_lines, path);
    m_lastVersion = result.version;
    m_io.ReadCharacter(result);
    m_view.notes()->document()->setModified(false);
    emit characterReplaced();
    m_restored = false;
    emit characterStored();
    return true;
}

bool FileCommands::restore(const QString& copy, const QString& origin)
{
    if (!loadFile(copy))
        return false;
    m_currentFile = origin.isEmpty() ? templatePath() : origin;
    m_restored = true;
    return true;
}

bool FileCommands::unsavedChanges()
{
    // The lines of the sheet as it stands, for whoever writes them next.
    m_lines = CharacterWriter::lines(m_io.WriteCharacter());
    if (m_restored)
        return true;
    if (!m_currentFile.isEmpty() && !QFileInfo::exists(m_currentFile))
        m_currentFile.clear();
    if (m_currentFile.isEmpty())
        return true;
    QString error;
    const std::optional<QByteArray> onDisk = CharacterFileText::readFile(m_currentFile, &error);
    if (!onDisk)
        return true;
    const CharacterReadResult saved =
        CharacterReader::read(CharacterFileText::decode(*onDisk), m_currentFile);
    // The sheet as the file would hold it: a text Windows-1252 lacks is stored with "?", so
    // a character saved that way matches its file.
    const CharacterRecord stored =
        CharacterReader::read(CharacterFileText::decode(CharacterFileText::encode(m_lines)),
                              m_currentFile)
            .record;
    // A file of an older version or a damaged one is saved anew in any case.
    return saved.version != CharacterWriter::Banner.mid(11) || !saved.completed() ||
           !sameCharacter(saved.record, stored);
}

FileCommands::Answer FileCommands::AskToSave()
{
    if (!unsavedChanges())
        return Answer::None;
    const FileDialogs::Answer answer =
        m_dialogs ? m_dialogs->askSaveChanges() : FileDialogs::Answer::No;
    // A save that did not happen (a cancelled dialog, a failed write, a "Cancel" to the
    // characters Windows-1252 lacks) stops the command, so nothing unsaved is lost.
    if (answer == FileDialogs::Answer::Yes && !saveCommand())
        return Answer::Cancel;
    return answer == FileDialogs::Answer::Yes  ? Answer::Yes
           : answer == FileDialogs::Answer::No ? Answer::No
                                               : Answer::Cancel;
}

bool FileCommands::FormCloseQuery()
{
    return AskToSave() != Answer::Cancel;
}

void FileCommands::NewButtonClick()
{
    runCommand(m_labels.newLabel, [this] {
        if (AskToSave() == Answer::Cancel)
            return;
        if (!QFileInfo::exists(templatePath())) {
            m_view.messages().showMessage(
                QStringLiteral("Error"),
                QStringLiteral(
                    "Could not find Template.tnc. Please restart Tarnoch to rebuild the file."));
            return;
        }
        loadFile(templatePath());
        emit newCharacterShown();
    });
}

void FileCommands::LoadButtonClick()
{
    runCommand(m_labels.loadLabel, [this] {
        if (AskToSave() == Answer::Cancel || !m_dialogs)
            return;
        const QString folder =
            savedCharacter() ? QFileInfo(m_currentFile).absolutePath() : startFolder();
        const QString path = m_dialogs->openFileName(folder);
        if (!path.isEmpty())
            loadFile(path);
    });
}

bool FileCommands::saveTo(const QString& path)
{
    m_lines = CharacterWriter::lines(m_io.WriteCharacter());
    if (const QString error =
            CharacterFileText::writeFile(path, CharacterFileText::encode(m_lines));
        !error.isEmpty()) {
        m_view.messages().showMessage(QStringLiteral("Error"),
                                      tr("The character could not be saved as \"%1\": %2")
                                          .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_io.notesSaved();
    m_currentFile = path;
    m_restored = false;
    emit characterStored();
    return true;
}

void FileCommands::SaveButtonClick()
{
    saveCommand();
}

bool FileCommands::saveCommand()
{
    bool saved = false;
    runCommand(m_labels.saveLabel, [this, &saved] {
        if (!m_dialogs)
            return;
        // A character never saved starts in the documents folder under its own name.
        QString proposal = m_currentFile;
        if (!savedCharacter()) {
            const QString name = cleanedName(m_view.sheet()->Name->text());
            proposal = startFolder();
            if (!name.isEmpty())
                proposal += u'/' + name + QStringLiteral(".tnc");
        }
        const QString path = m_dialogs->saveFileName(proposal);
        saved = !path.isEmpty() && saveTo(path);
    });
    return saved;
}

bool FileCommands::savedCharacter() const
{
    return !m_currentFile.isEmpty() &&
           m_currentFile.compare(templatePath(), Qt::CaseInsensitive) != 0;
}

QString FileCommands::startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString FileCommands::pdfProposal() const
{
    if (savedCharacter()) {
        const QFileInfo file(m_currentFile);
        return file.absolutePath() + u'/' + file.completeBaseName() + QStringLiteral(".pdf");
    }
    const QString name = cleanedName(m_view.sheet()->Name->text());
    return startFolder() + u'/' + (name.isEmpty() ? QStringLiteral("Character") : name) +
           QStringLiteral(".pdf");
}

QString FileCommands::foundryProposal() const
{
    const QString folder =
        savedCharacter() ? QFileInfo(m_currentFile).absolutePath() : startFolder();
    const QString name = cleanedName(m_view.sheet()->Name->text()).trimmed();
    return folder + u'/' + (name.isEmpty() ? QStringLiteral("Character") : name) +
           QStringLiteral(".json");
}

void FileCommands::openAtStartup(const QStringList& parameters)
{
    const QString named = parameters.join(u' ');
    if (!named.isEmpty() && loadFile(named))
        return;
    m_currentFile = templatePath();
    // A template that is there but cannot be read is named, and never written over.
    const bool firstTime = !QFileInfo::exists(m_currentFile);
    if (!firstTime && loadFile(m_currentFile))
        return;
    if (firstTime)
        writeTemplate();
    Recalculation& pass = m_view.recalculation();
    pass.TalentsDirty = pass.SkillsDirty = pass.KnowledgesDirty = pass.RowsDirty = true;
    pass.DisciplinesDirty = pass.BackgroundsDirty = pass.RulesChanged = pass.BooksDirty = true;
    m_view.updateSheetLayout();
    m_view.generation().GenerationChange();
    m_view.updateSheetLayout();
    if (firstTime)
        emit firstRun();
}

// The first run: the sheet as it stands becomes the template.
void FileCommands::writeTemplate()
{
    m_view.notes()->document()->setModified(true);
    m_lines = CharacterWriter::lines(m_io.WriteCharacter());
    if (const QString error =
            CharacterFileText::writeFile(m_currentFile, CharacterFileText::encode(m_lines));
        !error.isEmpty())
        m_view.messages().showMessage(QStringLiteral("Error"),
                                      tr("The template \"%1\" could not be written: %2")
                                          .arg(QDir::toNativeSeparators(m_currentFile), error));
    m_io.notesSaved();
}
