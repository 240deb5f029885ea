#include "TechDock.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "panels/ChecksPanel.h"
#include "controls/TPriorityBox.h"

#include <QLabel>

using namespace SheetFonts;

TechDock::TechDock(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, Qt::black);
    dark.setColor(QPalette::WindowText, CaptionColour);
    setPalette(dark);

    Panel = new QWidget(this);
    Panel->setGeometry(0, 0, 153, 345);
    auto caption = [this](const QString& text, int top) {
        auto* label = new QLabel(text, Panel);
        label->setFont(face(Blackletter, 15));
        label->setGeometry(0, top, 153, 20);
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    auto priorities = [this](int top) {
        auto* box = new TPriorityBox(Panel);
        box->setGeometry(41, top, 70, 70);
        box->setColor(QColor(48, 64, 32));
        box->setFont(face(Handwriting, 13));
        box->setFontColor(QColor(96, 144, 128));
        box->setCursor(Qt::PointingHandCursor);
        return box;
    };
    caption(tr("Attributes"), 8);
    AttributePriorities = priorities(30);
    caption(tr("Abilities"), 110);
    AbilityPriorities = priorities(132);
    AbilityPriorities->setValueFirst(13);
    AbilityPriorities->setValueSecond(9);
    AbilityPriorities->setValueThird(5);
    caption(tr("Freebies"), 214);
    FreebieTally = new QLabel(QStringLiteral("0/15"), Panel);
    FreebieTally->setFont(face(Belwe, 22));
    FreebieTally->setGeometry(0, 236, 153, 28);
    FreebieTally->setAlignment(Qt::AlignCenter);
    ExperienceTally = new ClickLabel(QStringLiteral("Finish creation"), Panel);
    ExperienceTally->setFont(face(Times, 13));
    ExperienceTally->setGeometry(0, 266, 153, 18);
    ExperienceTally->setAlignment(Qt::AlignCenter);
    ExperienceTally->setCursor(Qt::PointingHandCursor);
    CheckCount = new ClickLabel(Panel);
    CheckCount->setFont(face(Times, 12));
    CheckCount->setGeometry(0, 284, 153, 14);
    CheckCount->setAlignment(Qt::AlignCenter);
    CheckCount->setCursor(Qt::PointingHandCursor);

    DerangementWarning = new QLabel(Panel);
    DerangementWarning->setFont(face(Times, 13));
    DerangementWarning->setWordWrap(true);
    DerangementWarning->setAlignment(Qt::AlignCenter);
    DerangementWarning->setGeometry(4, 299, 145, 30);
    setTextColour(DerangementWarning, ActiveColour);
    DerangementWarning->hide();
    FlawWarning = new QLabel(QStringLiteral("Flaws exceed 7 pts"), Panel);
    FlawWarning->setFont(face(Times, 13));
    FlawWarning->setAlignment(Qt::AlignCenter);
    FlawWarning->setGeometry(4, 328, 145, 17);
    setTextColour(FlawWarning, ActiveColour);
    FlawWarning->hide();

    // Below the popup's picture, which covers whatever the column shows.
    Checks = new ChecksPanel(this);
    Checks->setGeometry(0, 0, 153, 345);
    Checks->hide();

    Image = new QLabel(this);
    Image->setGeometry(0, 0, 153, 345);
    Image->hide();

    FadeImage = QImage(153, 345, QImage::Format_RGB888);
    FadeImage.fill(Qt::black);
    InfoImage = FadeImage;
}
