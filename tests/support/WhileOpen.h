#pragma once

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs action inside the dialog's modal loop once the dialog is on screen, and records whether
// the dialog was still open after it. A dialog left open is closed, so that a failing test
// reports instead of hanging.
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
