#include "QtFileDialogs.h"

#include "output/TConfirmForm.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QtFileDialogs::QtFileDialogs(TConfirmForm& question, QWidget* parent)
    : m_question(question), m_parent(parent)
{
}

FileDialogs::Answer QtFileDialogs::askSaveChanges()
{
    switch (m_question.ask()) {
    case TConfirmForm::Result::Yes: return Answer::Yes;
    case TConfirmForm::Result::No: return Answer::No;
    case TConfirmForm::Result::Cancel: break;
    }
    return Answer::Cancel;
}

QString QtFileDialogs::openFileName(const QString& folder)
{
    return QFileDialog::getOpenFileName(m_parent, QObject::tr("Load character"), folder, Filters);
}

QString QtFileDialogs::saveFileName(const QString& proposal)
{
    const QFileInfo proposed(proposal);
    QString folder = proposed.isDir() ? proposal : proposed.absolutePath();
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QFileDialog dialog(m_parent, QObject::tr("Save character"), folder, Filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("tnc"));
    if (!proposed.isDir())
        dialog.selectFile(proposed.fileName());
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
