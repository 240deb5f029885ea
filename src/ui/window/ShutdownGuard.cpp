#include "ShutdownGuard.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

ShutdownGuard::ShutdownGuard(QObject* parent) : QObject(parent) {}

void ShutdownGuard::requestShutdown()
{
    if (!m_requested) {
        m_requested = true;
        qApp->installEventFilter(this);
    }
    rejectOpenDialogs();
    // Leaves app.exec() and any loop nested in it; before exec() the caller checks requested().
    QCoreApplication::exit(0);
}

void ShutdownGuard::rejectOpenDialogs()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
            dialog->done(QDialog::Rejected);
}

bool ShutdownGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched))
            QTimer::singleShot(0, dialog, [dialog] { dialog->done(QDialog::Rejected); });
    return QObject::eventFilter(watched, event);
}
