#include "AboutPanel.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "output/Pictures.h"

using namespace SheetFonts;

AboutPanel::AboutPanel(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 594, 502);
    setAutoFillBackground(true);
    m_picture = new QLabel(this);
    m_picture->setGeometry(20, 40, 240, 240);

    auto* title = new QLabel(QStringLiteral("Tarnoch"), this);
    title->setFont(face(Blackletter, 40));
    title->setGeometry(280, 40, 300, 52);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(title, SheetHeadingColour);
    auto* version = new QLabel(QStringLiteral("v" TARNOCH_VERSION), this);
    version->setFont(face(Belwe, 16));
    version->setGeometry(280, 94, 300, 22);
    version->setAlignment(Qt::AlignHCenter);
    auto* subtitle = new QLabel(tr("A character generator for Vampire - The Masquerade"), this);
    subtitle->setFont(face(Times, 14));
    subtitle->setGeometry(280, 118, 300, 40);
    subtitle->setWordWrap(true);
    subtitle->setAlignment(Qt::AlignHCenter);

    auto* hints = new QLabel(this);
    hints->setFont(face(Times, 13));
    hints->setWordWrap(true);
    hints->setGeometry(280, 160, 300, 226);
    hints->setText(
        tr("<p>Click the dots to set a rating; click the current rating again to lower it.</p>"
           "<p><b>Right-click</b> a field or its caption to choose from a list; the panel at the "
           "right tells you about the entry under the pointer.</p>"
           "<p>Right-click the dots of a discipline to list its powers.</p>"
           "<p>Red dots are bought with freebie points. <b>Ctrl+Z</b> takes a change back.</p>"
           "<p>Delete \"Template.tnc\" to have a fresh one made at the next start.</p>"
           "<p>Press <b>F1</b> for the user guide.</p>"));

    ManualButtonLabel = ClickLabel::presetButton(
        this, {390 - 45, 390}, QStringLiteral("User Guide"), [this] { ManualButtonMouseDown(); },
        &ManualButton);

    auto* finePrint = new QLabel(this);
    finePrint->setFont(face(Times, 11));
    finePrint->setWordWrap(true);
    finePrint->setGeometry(20, 430, 554, 60);
    finePrint->setAlignment(Qt::AlignHCenter);
    setTextColour(finePrint, QColor(96, 96, 96));
    finePrint->setText(
        tr("Vampire - The Masquerade is a game of its publishers; the names of its clans, "
           "disciplines and books are theirs. Tarnoch is a free helper for players and is not "
           "made or endorsed by them. The descriptions in this program are its own."));
    hide();
}

void AboutPanel::showEvent(QShowEvent* event)
{
    // Painted on the first visit, not at start-up, where the page is usually never shown.
    if (m_picture->pixmap().isNull())
        m_picture->setPixmap(QPixmap::fromImage(Pictures::aboutPicture()));
    QWidget::showEvent(event);
}

void AboutPanel::ManualButtonMouseDown()
{
    // Red while the guide is being opened, which may take a moment the first time.
    setTextColour(ManualButtonLabel, ActiveColour);
    ManualButtonLabel->repaint();
    emit guideRequested();
    setTextColour(ManualButtonLabel, Qt::black);
}
