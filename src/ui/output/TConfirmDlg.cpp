#include "TConfirmDlg.h"

#include "controls/SheetFonts.h"
#include "output/Pictures.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace {

using namespace SheetFonts;
constexpr int ButtonTop = 91;
constexpr int LabelTop = 100;
constexpr int ButtonWidth = 90;
constexpr int Left1 = 8;
constexpr int Left2 = 104;
constexpr int CentredLeft = 55;

QLabel* textLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(face(Times, 13));
    setTextColour(label, CaptionColour);
    return label;
}

} // namespace

TConfirmDlg::TConfirmDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setFixedSize(200, 143);
    createBackground();
    createMessage();
    m_button1 = createButton(QStringLiteral("Button1"), Left1);
    m_button1Label = createButtonLabel(QStringLiteral("Button1Label"), Left1);
    m_button2 = createButton(QStringLiteral("Button2"), Left2);
    m_button2Label = createButtonLabel(QStringLiteral("Button2Label"), Left2);
    centreOnScreen();
}

void TConfirmDlg::createBackground()
{
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("BGImage"));
    image->setGeometry(0, 0, 200, 143);
    image->setPixmap(QPixmap::fromImage(Pictures::dialogBackground()));
}

void TConfirmDlg::createMessage()
{
    m_messageLabel = textLabel(this, QStringLiteral("MessageLabel"));
    m_messageLabel->setGeometry(8, 8, 185, 81);
    m_messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_messageLabel->setWordWrap(true);
}

QLabel* TConfirmDlg::createButton(const QString& name, int left)
{
    auto* button = new QLabel(this);
    button->setObjectName(name);
    button->setGeometry(left, ButtonTop, ButtonWidth, 31);
    button->setPixmap(QPixmap::fromImage(Pictures::dialogButton()));
    button->setScaledContents(true);
    button->installEventFilter(this);
    return button;
}

QLabel* TConfirmDlg::createButtonLabel(const QString& name, int left)
{
    QLabel* label = textLabel(this, name);
    label->setGeometry(left, LabelTop, ButtonWidth, label->fontMetrics().height());
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->installEventFilter(this);
    return label;
}

void TConfirmDlg::centreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TConfirmDlg::setQuestion(const QString& message, const QString& caption1,
                              const QString& caption2)
{
    m_messageLabel->setText(message);
    m_button1Label->setText(caption1);
    m_button2Label->setText(caption2);
    if (caption1 == caption2) {
        placeButtons(CentredLeft, CentredLeft);
        // The first button lies on top, so the single button answers as the first.
        m_button1->raise();
        m_button1Label->raise();
    } else {
        placeButtons(Left1, Left2);
    }
}

void TConfirmDlg::placeButtons(int left1, int left2)
{
    m_button1->move(left1, ButtonTop);
    m_button1Label->move(left1, LabelTop);
    m_button2->move(left2, ButtonTop);
    m_button2Label->move(left2, LabelTop);
}

int TConfirmDlg::AskChoice(const QString& message, const QString& caption1, const QString& caption2)
{
    setQuestion(message, caption1, caption2);
    m_result = 2;
    centreOnScreen();
    exec();
    return m_result;
}

void TConfirmDlg::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event);
}

bool TConfirmDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return QDialog::eventFilter(watched, event);
    if (watched == m_button1 || watched == m_button1Label) {
        Button1MouseDown();
        return true;
    }
    if (watched == m_button2 || watched == m_button2Label) {
        Button2MouseDown();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TConfirmDlg::Button1MouseDown()
{
    m_result = 1;
    accept();
}

void TConfirmDlg::Button2MouseDown()
{
    m_result = 2;
    accept();
}

void TConfirmDlg::FormKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        Button2MouseDown();
    else
        QDialog::keyPressEvent(event);
}
