#pragma once

#include "controls/UserMessages.h"

class QWidget;

class MessageBoxMessages : public UserMessages
{
public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void showMessage(const QString& caption, const QString& text) override;

private:
    QWidget* m_parent;
};
