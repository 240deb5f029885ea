#include "TConfirmForm.h"

#include "controls/SheetFonts.h"
#include "output/Pictures.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace {

using namespace SheetFonts;

QLabel* textLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    setTextColour(label, CaptionColour);
    return label;
}

} // namespace

TConfirmForm::TConfirmForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setFixedSize(200, 143);
    createBackground();
    createTexts();
    m_yesButton = createButton(QStringLiteral("YesButton"), 40);
    m_noButton = createButton(QStringLiteral("NoButton"), 71);
    m_cancelButton = createButton(QStringLiteral("CancelButton"), 102);
    m_yesButtonLabel = createButtonLabel(QStringLiteral("YesButtonLabel"), tr("Yes"), {132, 48});
    m_noButtonLabel = createButtonLabel(QStringLiteral("NoButtonLabel"), tr("No"), {134, 79});
    m_cancelButtonLabel =
        createButtonLabel(QStringLiteral("CancelButtonLabel"), tr("Cancel"), {124, 110});
    centreOnScreen();
}

void TConfirmForm::createBackground()
{
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(0, 0, 200, 143);
    image->setPixmap(QPixmap::fromImage(Pictures::dialogBackground()));
}

void TConfirmForm::createTexts()
{
    QLabel* caption =
        textLabel(this, QStringLiteral("Label2"), tr("Save changes?"), face(Blackletter, 21));
    caption->setGeometry(0, 6, 200, 27);
    caption->setAlignment(Qt::AlignCenter);

    QLabel* text = textLabel(this, QStringLiteral("Text"), tr("Save changes before continuing?"),
                             face(Times, 13));
    text->setGeometry(9, 56, 77, 65);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setWordWrap(true);
}

QLabel* TConfirmForm::createButton(const QString& name, int top)
{
    auto* button = new QLabel(this);
    button->setObjectName(name);
    button->setGeometry(89, top, 107, 31);
    button->setPixmap(QPixmap::fromImage(Pictures::dialogButton()));
    button->installEventFilter(this);
    return button;
}

QLabel* TConfirmForm::createButtonLabel(const QString& name, const QString& caption,
                                        QPoint position)
{
    QLabel* label = textLabel(this, name, caption, face(Times, 13));
    label->adjustSize();
    label->move(position);
    label->installEventFilter(this);
    return label;
}

void TConfirmForm::centreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

TConfirmForm::Result TConfirmForm::ask()
{
    m_result = Result::Cancel;
    centreOnScreen();
    exec();
    return m_result;
}

void TConfirmForm::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event);
}

// A click is a left press and a release over the same image or label.
bool TConfirmForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (event->type() != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);

    const auto* release = static_cast<QMouseEvent*>(event);
    const auto* widget = static_cast<QWidget*>(watched);
    if (release->button() != Qt::LeftButton ||
        !widget->rect().contains(release->position().toPoint()))
        return true;
    if (watched == m_yesButton || watched == m_yesButtonLabel)
        YesButtonClick();
    else if (watched == m_noButton || watched == m_noButtonLabel)
        NoButtonClick();
    else if (watched == m_cancelButton || watched == m_cancelButtonLabel)
        CancelButtonClick();
    return true;
}

void TConfirmForm::YesButtonClick()
{
    answer(Result::Yes);
}

void TConfirmForm::NoButtonClick()
{
    answer(Result::No);
}

void TConfirmForm::CancelButtonClick()
{
    answer(Result::Cancel);
}

void TConfirmForm::FormKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        CancelButtonClick();
    else
        QDialog::keyPressEvent(event);
}

void TConfirmForm::answer(Result result)
{
    m_result = result;
    accept();
}
