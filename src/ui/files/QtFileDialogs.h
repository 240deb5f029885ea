#pragma once

#include "files/FileDialogs.h"

#include <functional>

class QWidget;
class TConfirmForm;

// The file dialogs of the desktop, with the program's own three-button question.
class QtFileDialogs : public FileDialogs
{
public:
    // question gives the save question's form, made when first asked for.
    QtFileDialogs(std::function<TConfirmForm&()> question, QWidget* parent);

    Answer askSaveChanges() override;
    QString openFileName(const QString& folder) override;
    QString saveFileName(const QString& proposal) override;
    QString pdfFileName(const QString& proposal) override;
    QString foundryFileName(const QString& proposal) override;

    static inline const QString Filters = QStringLiteral("Tarnoch files (*.tnc);;All files (*)");

private:
    QString askSavePath(const QString& title, const QString& proposal, const QString& filters,
                        const QString& suffix);
    std::function<TConfirmForm&()> m_question;
    QWidget* m_parent;
};
