#include "app/ControlsDemo.h"

#include "controls/TPriorityBox.h"
#include "controls/TVampireDots.h"

#include <QFont>
#include <QLabel>
#include <QWidget>

namespace {

QFont pixelFont(const QString& family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

QLabel* createLabel(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setFont(pixelFont(QStringLiteral("Times New Roman"), 13));
    label->move(x, y);
    return label;
}

// Rows follow the sheet's pitch: the name at 15 r + 17, the dots 4 pixels lower.
int rowTop(int row)
{
    return 15 * row + 17;
}

TVampireDots* createDots(QWidget* parent, int x, int y, int maxDots, int minDots, int filled,
                         int freebies = 0)
{
    auto* dots = new TVampireDots(parent);
    dots->setDiameter(8);
    dots->setSpacing(2);
    dots->setMaxDots(maxDots);
    dots->setMinDots(minDots);
    dots->setFreebieColor(QColor(255, 0, 0));
    dots->setFilled(filled);
    dots->setFreebies(freebies);
    dots->move(x, y);
    // On the sheet the recount writes Freebies back, which repaints; here nothing
    // recounts, so the row does it itself.
    QObject::connect(dots, &TVampireDots::OnChange, dots,
                     [dots] { dots->setFreebies(dots->Freebies()); });
    return dots;
}

TVampireDots* createTraitRow(QWidget* parent, const QString& name, int column, int row, int maxDots,
                             int minDots, int filled, int freebies = 0)
{
    const int left = 6 + 196 * column;
    createLabel(parent, name, left, rowTop(row));
    auto* dots = createDots(parent, left + 80, rowTop(row) + 4, maxDots, minDots, filled, freebies);
    dots->setObjectName(name);
    return dots;
}

void createAttributes(QWidget* panel)
{
    createLabel(panel, QStringLiteral("Physical"), 6, 0);
    createTraitRow(panel, QStringLiteral("Strength"), 0, 0, 5, 1, 3);
    createTraitRow(panel, QStringLiteral("Dexterity"), 0, 1, 5, 1, 2);
    createTraitRow(panel, QStringLiteral("Stamina"), 0, 2, 5, 1, 4, 1);
    createLabel(panel, QStringLiteral("Social"), 202, 0);
    createTraitRow(panel, QStringLiteral("Charisma"), 1, 0, 5, 1, 1);
    createTraitRow(panel, QStringLiteral("Manipulation"), 1, 1, 5, 1, 1);
    createTraitRow(panel, QStringLiteral("Appearance"), 1, 2, 5, 1, 2);
    createLabel(panel, QStringLiteral("Talents"), 398, 0);
    createTraitRow(panel, QStringLiteral("Alertness"), 2, 0, 5, 0, 2);
    createTraitRow(panel, QStringLiteral("Brawl"), 2, 1, 5, 0, 0);
}

void createHumanityAndWillpower(QWidget* panel)
{
    createLabel(panel, QStringLiteral("Humanity"), 6, rowTop(4));
    // The clip starts where dot 1 starts, so the zero cross stays out of sight.
    auto* clip = new QWidget(panel);
    clip->setGeometry(86, rowTop(4) + 4, 98, 8);
    createDots(clip, -10, 0, 10, 0, 2)->setObjectName(QStringLiteral("Humanity"));

    createLabel(panel, QStringLiteral("Willpower"), 6, rowTop(5));
    createDots(panel, 86, rowTop(5) + 4, 10, 1, 3)->setObjectName(QStringLiteral("Willpower"));
}

TPriorityBox* createPriorityBox(QWidget* panel, const QString& name, const QString& caption, int x,
                                int first, int second, int third)
{
    createLabel(panel, caption, x, rowTop(3));
    auto* box = new TPriorityBox(panel);
    box->setObjectName(name);
    box->setGeometry(x, rowTop(4) + 4, 70, 70);
    box->setColor(QColor(48, 64, 32));
    box->setFont(pixelFont(QStringLiteral("Lucida Handwriting"), 13));
    box->setFontColor(QColor(96, 144, 128));
    box->setValueFirst(first);
    box->setValueSecond(second);
    box->setValueThird(third);
    return box;
}

} // namespace

QWidget* createControlsDemo(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("ControlsDemo"));
    QPalette sheet = panel->palette();
    sheet.setColor(QPalette::Window, Qt::white);
    sheet.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(sheet);
    panel->setAutoFillBackground(true);
    panel->resize(594, rowTop(4) + 4 + 70 + 8);

    createAttributes(panel);
    createHumanityAndWillpower(panel);
    createPriorityBox(panel, QStringLiteral("AttributePriorities"), QStringLiteral("Attributes"),
                      398, 7, 5, 3);
    createPriorityBox(panel, QStringLiteral("AbilityPriorities"), QStringLiteral("Abilities"), 494,
                      13, 9, 5);
    return panel;
}
