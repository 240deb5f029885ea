#pragma once

#include <QDialog>

class QLabel;

// The question put before unsaved changes are lost: Yes, No or Cancel.
class TConfirmForm : public QDialog
{
    Q_OBJECT
public:
    enum class Result { Yes, No, Cancel };

    explicit TConfirmForm(QWidget* parent = nullptr);

    // Shows the question modally and returns the answer; closing it any other way is Cancel.
    Result ask();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createBackground();
    void createTexts();
    QLabel* createButton(const QString& name, int top);
    QLabel* createButtonLabel(const QString& name, const QString& caption, QPoint position);
    void centreOnScreen();

    void YesButtonClick();
    void NoButtonClick();
    void CancelButtonClick();
    void FormKeyDown(QKeyEvent* event);
    void answer(Result result);

    QLabel* m_yesButton = nullptr;
    QLabel* m_yesButtonLabel = nullptr;
    QLabel* m_noButton = nullptr;
    QLabel* m_noButtonLabel = nullptr;
    QLabel* m_cancelButton = nullptr;
    QLabel* m_cancelButtonLabel = nullptr;
    Result m_result = Result::Cancel;
};
