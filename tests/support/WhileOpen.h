#pragma once

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs action in the dialog's modal loop once it is on screen and records whether the dialog
// stayed open; one left open is closed, so that a failing test reports instead of hanging.
inline void whileOpen(QDialog* dialog, bool& leftOpen, std::function<void()> action)
{
    QTimer::singleShot(0, dialog, [dialog, &leftOpen, action] {
        if (QTest::qWaitForWindowExposed(dialog))
            action();
        leftOpen = dialog->isVisible();
        if (leftOpen)
            dialog->reject();
    });
}
