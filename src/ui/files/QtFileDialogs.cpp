#include "QtFileDialogs.h"

#include "output/TConfirmForm.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QtFileDialogs::QtFileDialogs(std::function<TConfirmForm&()> question, QWidget* parent)
    : m_question(std::move(question)), m_parent(parent)
{
}

FileDialogs::Answer QtFileDialogs::askSaveChanges()
{
    switch (m_question().ask()) {
    case TConfirmForm::Result::Yes:
        return Answer::Yes;
    case TConfirmForm::Result::No:
        return Answer::No;
    case TConfirmForm::Result::Cancel:
        break;
    }
    return Answer::Cancel;
}

QString QtFileDialogs::openFileName(const QString& folder)
{
    return QFileDialog::getOpenFileName(m_parent, QObject::tr("Load character"), folder, Filters);
}

QString QtFileDialogs::saveFileName(const QString& proposal)
{
    return askSavePath(QObject::tr("Save character"), proposal, Filters, QStringLiteral("tnc"));
}

QString QtFileDialogs::pdfFileName(const QString& proposal)
{
    return askSavePath(QObject::tr("Save as PDF"), proposal,
                       QStringLiteral("PDF files (*.pdf);;All files (*)"), QStringLiteral("pdf"));
}

QString QtFileDialogs::foundryFileName(const QString& proposal)
{
    return askSavePath(QObject::tr("Export to Foundry VTT"), proposal,
                       QStringLiteral("Foundry VTT actors (*.json);;All files (*)"),
                       QStringLiteral("json"));
}

QString QtFileDialogs::askSavePath(const QString& title, const QString& proposal,
                                   const QString& filters, const QString& suffix)
{
    const QFileInfo proposed(proposal);
    QString folder = proposed.isDir() ? proposal : proposed.absolutePath();
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QFileDialog dialog(m_parent, title, folder, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (!proposed.isDir())
        dialog.selectFile(proposed.fileName());
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
