#pragma once

#include "app/ProgramPaths.h"
#include "app/ScratchFile.h"

#include <QCursor>
#include <QStringList>
#include <QWidget>

class UserMessages;

// The one window of the program: the character sheet and its panels.
class TMainForm : public QWidget
{
    Q_OBJECT
public:
    TMainForm(const ProgramPaths& paths, const QStringList& parameters, UserMessages& messages,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // True when the window cannot work (its rules data is missing or damaged); the
    // user has been told why and the program should end with a failure status.
    bool startupFailed() const { return m_startupFailed; }

    const ProgramPaths& paths() const { return m_paths; }
    const QString& scratchFileName() const { return m_scratch.fileName(); }
    const QString& CurrentFile() const { return m_currentFile; }
    const QStringList& DataLines() const { return m_dataLines; }
    const QCursor& ankhCursor() const { return m_ankhCursor; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void checkScreen();
    void placeWindow();
    void chooseScratchFile();
    void readRulesData();
    void FormClose();

    ProgramPaths m_paths;
    QStringList m_parameters;
    UserMessages& m_messages;
    ScratchFile m_scratch;
    QString m_currentFile;
    QStringList m_dataLines;
    QCursor m_ankhCursor;
    bool m_startupFailed = false;
};
