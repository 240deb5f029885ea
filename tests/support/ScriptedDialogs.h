#pragma once

#include "files/FileDialogs.h"

#include <QList>
#include <QStringList>

// Answers the file commands' dialogs from a script and records what they proposed.
class ScriptedDialogs : public FileDialogs
{
public:
    Answer askSaveChanges() override
    {
        ++asked;
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    QString openFileName(const QString& folder) override
    {
        openedIn.append(folder);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString saveFileName(const QString& proposal) override
    {
        proposals.append(proposal);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString pdfFileName(const QString& proposal) override { return saveFileName(proposal); }
    QString foundryFileName(const QString& proposal) override { return saveFileName(proposal); }
    QList<Answer> answers;
    QStringList files;
    QStringList proposals;
    QStringList openedIn;
    int asked = 0;
};
