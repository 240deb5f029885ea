#pragma once

#include "controls/UserMessages.h"

#include <QList>
#include <QPair>

// Stands in for the program's message boxes: records what would have been shown.
class RecordedMessages : public UserMessages
{
public:
    void showMessage(const QString& caption, const QString& text) override
    {
        shown.append({caption, text});
    }
    QList<QPair<QString, QString>> shown;
};
