#include "MessageBoxMessages.h"

#include <QMessageBox>

void MessageBoxMessages::showMessage(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, m_parent);
    box.exec();
}
