#pragma once

#include <QString>

// The messages and questions the program puts to the user. The window answers them with
// its own dialogs; a test answers them from a script.
class UserMessages
{
public:
    virtual ~UserMessages() = default;

    // An OK box with the caption ("Error", "Suggestion", "Load error", ...) and no icon.
    virtual void showMessage(const QString& caption, const QString& text) = 0;
};
