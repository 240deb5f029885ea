#pragma once

#include "engine/RuleQuestions.h"

#include <QDialog>

class QLabel;

// The program's two-button question.
class TConfirmDlg : public QDialog, public RuleQuestions
{
    Q_OBJECT
public:
    explicit TConfirmDlg(QWidget* parent = nullptr);

    // Shows the question modally; 1 for the first button, 2 for the second button or Escape.
    int AskChoice(const QString& message, const QString& caption1, const QString& caption2);
    int ask(const QString& message, const QString& first, const QString& second) override
    {
        return AskChoice(message, first, second);
    }

    // Puts the texts in and places the buttons; equal captions show one centred button,
    // which answers 1.
    void setQuestion(const QString& message, const QString& caption1, const QString& caption2);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createBackground();
    void createMessage();
    QLabel* createButton(const QString& name, int left);
    QLabel* createButtonLabel(const QString& name, int left);
    void placeButtons(int left1, int left2);
    void centreOnScreen();

    void Button1MouseDown();
    void Button2MouseDown();
    void FormKeyDown(QKeyEvent* event);

    QLabel* m_messageLabel = nullptr;
    QLabel* m_button1 = nullptr;
    QLabel* m_button1Label = nullptr;
    QLabel* m_button2 = nullptr;
    QLabel* m_button2Label = nullptr;
    int m_result = 2;
};
