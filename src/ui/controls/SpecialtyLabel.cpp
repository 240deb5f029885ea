#include "controls/SpecialtyLabel.h"

#include "controls/SheetFonts.h"
#include "controls/TVampireDots.h"
#include "engine/Character.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int Gap = 4; // between the last dot and the text
// The face shrinks this far before the text is shortened; smaller would not read at 100 %.
constexpr int LargestSize = 12;
constexpr int SmallestSize = 10;

QFont sized(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

SpecialtyLabel::SpecialtyLabel(TVampireDots* dots, int right, QWidget* parent)
    : QWidget(parent), m_dots(dots), m_right(right)
{
    QFont font = SheetFonts::face(SheetFonts::Times, LargestSize);
    font.setItalic(true);
    setFont(font);
    dots->installEventFilter(this);
    connect(dots, &TVampireDots::OnChange, this, &SpecialtyLabel::refresh);
    place();
    hide();
}

void SpecialtyLabel::setSpecialty(const QString& specialty)
{
    if (specialty == m_specialty)
        return;
    m_specialty = specialty;
    setVisible(!specialty.isEmpty() && m_dots->isVisibleTo(parentWidget()));
    refresh();
}

bool SpecialtyLabel::rated() const
{
    return m_dots->Filled() >= Character::Trait::SpecialtyRating;
}

QFont SpecialtyLabel::shownFont() const
{
    for (int size = LargestSize; size > SmallestSize; --size)
        if (QFontMetrics(sized(font(), size)).horizontalAdvance(m_specialty) <= width())
            return sized(font(), size);
    return sized(font(), SmallestSize);
}

QString SpecialtyLabel::shownText() const
{
    return QFontMetrics(shownFont()).elidedText(m_specialty, Qt::ElideRight, width());
}

void SpecialtyLabel::refresh()
{
    QString tip;
    if (!m_specialty.isEmpty())
        tip = counts() ? tr("Specialty: %1").arg(m_specialty)
                       : tr("Specialty: %1 (counts from the fourth dot)").arg(m_specialty);
    setToolTip(tip);
    update();
}

void SpecialtyLabel::place()
{
    const QRect dots = m_dots->geometry();
    const int left = dots.right() + 1 + Gap;
    setGeometry(left, dots.top() - 4, std::max(0, m_right - left), 15);
}

bool SpecialtyLabel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dots) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
            place();
        else if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            setVisible(!m_specialty.isEmpty() && event->type() == QEvent::ShowToParent);
    }
    return QWidget::eventFilter(watched, event);
}

void SpecialtyLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor colour = palette().color(QPalette::WindowText);
    if (!counts())
        colour.setAlpha(90);
    painter.setPen(colour);
    painter.setFont(shownFont());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, shownText());
}
