#include "controls/TSelectionBox.h"

#include "controls/SelectionLayout.h"
#include "rules/RuleTables.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace {

const QColor FormColour(0, 64, 0);
const QColor FrameOuter(192, 192, 192);
// Wide enough to type a specialty of a few words.
constexpr int OwnTextWidth = 170;

// Pixel outline from (left, top) to (right, bottom), both corners included.
void outline(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour)
{
    painter.fillRect(QRect(QPoint(left, top), QPoint(right, top)), colour);
    painter.fillRect(QRect(QPoint(left, bottom), QPoint(right, bottom)), colour);
    painter.fillRect(QRect(QPoint(left, top), QPoint(left, bottom)), colour);
    painter.fillRect(QRect(QPoint(right, top), QPoint(right, bottom)), colour);
}

// Three quarters of the way to dark green.
void tint(QImage& image)
{
    static constexpr int target[3] = {0, 64, 0};
    const int bytes = image.width() * 3;
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < bytes; ++x)
            line[x] = uchar((line[x] + 3 * target[x % 3]) / 4);
    }
}

const RuleTables& emptyTables()
{
    static const RuleTables tables;
    return tables;
}

} // namespace

TSelectionBox::TSelectionBox(const SelectionContext& context, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_context(context),
      m_info(context.dockInfoImage ? context.dockInfoImage->width() : 153,
             context.titleFace.value_or(QFont(QStringLiteral("Lucida Blackletter"))))
{
    setObjectName(QStringLiteral("SelectionBox"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, FormColour);
    setPalette(colours);

    m_listFont = QFont(QStringLiteral("Times New Roman"));
    m_listFont.setPixelSize(13);

    m_fadeTimer = new QTimer(this);
    m_fadeTimer->setInterval(FadeInterval);
    connect(m_fadeTimer, &QTimer::timeout, this, &TSelectionBox::FadeStep);
}

void TSelectionBox::ShowSelection(const QStringList& list, QWidget* target, int kind)
{
    if (m_open) {
        m_selectionMade = false;
        FormDeactivate();
    }
    m_list = list;
    const bool own = kind == SelectionLayout::SpecialtyKind;
    if (kind == 4 || kind == 5 || kind == 6 || kind == 8 || own)
        m_list.prepend(SelectionInfo::NoneEntry);
    m_ownChoice.reset();
    m_kind = kind;
    m_selectionMade = false;
    m_hoverIndex = -1;
    m_leftPressed = false;
    m_target = target;
    m_infoItems.clear();

    const QFontMetrics metrics(m_listFont);
    m_entryWidth = 0;
    for (const QString& entry : std::as_const(m_list))
        m_entryWidth = std::max(m_entryWidth, metrics.horizontalAdvance(entry));
    if (own)
        m_entryWidth = std::max(m_entryWidth, OwnTextWidth);
    // The box for one's own text takes the place of one more entry.
    const int places = int(m_list.size()) + (own ? 1 : 0);
    const auto grid = SelectionLayout::grid(m_entryWidth, places, kind, QSize(MaxWidth, MaxHeight));
    m_columns = grid.columns;
    m_rows = grid.rows;

    const QPoint pointer = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen && m_context.mainWindow)
        screen = m_context.mainWindow->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, INT_MAX / 2, INT_MAX / 2);
    const int dockLeft =
        m_context.techDock ? m_context.techDock->mapToGlobal(QPoint(0, 0)).x() : INT_MAX / 2;
    const QPoint topLeft = SelectionLayout::placement(pointer, grid.size, screenRect, dockLeft);
    setGeometry(QRect(topLeft, grid.size));
    createBackground(topLeft);

    m_fade.reset(int(m_list.size()));
    m_open = true;
    m_fadeTimer->start();
    openDock();
    if (own) {
        QLineEdit* box = ownTextBox();
        box->clear();
        box->setGeometry(entryRect(places - 1).adjusted(-2, -1, 2, 2));
        box->show();
    } else if (m_ownText) {
        m_ownText->hide();
    }
    show();
    if (own)
        m_ownText->setFocus();
}

QLineEdit* TSelectionBox::ownTextBox()
{
    // Made on the first specialty list: its type is looked up only when a list needs it.
    if (m_ownText)
        return m_ownText;
    m_ownText = new QLineEdit(this);
    m_ownText->setFont(m_listFont);
    m_ownText->setPlaceholderText(tr("Type your own, then Enter"));
    m_ownText->setMaxLength(60);
    QPalette own = m_ownText->palette();
    own.setColor(QPalette::Base, QColor(0, 40, 0));
    own.setColor(QPalette::Text, FrameOuter);
    own.setColor(QPalette::PlaceholderText, QColor(120, 160, 120));
    m_ownText->setPalette(own);
    connect(m_ownText, &QLineEdit::returnPressed, this, &TSelectionBox::OwnTextEntered);
    return m_ownText;
}

void TSelectionBox::OwnTextEntered()
{
    const QString text = m_ownText->text().simplified();
    if (text.isEmpty())
        return;
    m_ownChoice = text;
    m_selectionMade = true;
    FormDeactivate();
}

void TSelectionBox::createBackground(QPoint topLeft)
{
    const QSize size = this->size();
    m_background = QImage(size, QImage::Format_RGB888);
    m_background.fill(FormColour);
    QPainter painter(&m_background);
    if (QWidget* window = m_context.mainWindow) {
        const QRect area(topLeft - window->mapToGlobal(QPoint(0, 0)), size);
        const QRect inside = area & window->rect();
        if (!inside.isEmpty())
            painter.drawPixmap(inside.topLeft() - area.topLeft(), window->grab(inside));
    }
    painter.end();
    tint(m_background);

    painter.begin(&m_background);
    const int w = size.width();
    const int h = size.height();
    outline(painter, 1, 1, w - 1, h - 1, Qt::black);
    outline(painter, 0, 0, w - 2, h - 2, FrameOuter);
}

void TSelectionBox::openDock()
{
    if (m_context.dockFadeImage) {
        m_context.dockFadeImage->fill(Qt::black);
        if (m_context.techDockImage)
            m_context.techDockImage->setPixmap(QPixmap::fromImage(*m_context.dockFadeImage));
    }
    if (m_context.techDockImage)
        m_context.techDockImage->show();
    if (m_context.techPanel)
        m_context.techPanel->hide();
}

QPoint TSelectionBox::entryPosition(int index) const
{
    return SelectionLayout::entryTopLeft(index, m_rows, m_entryWidth);
}

QRect TSelectionBox::entryRect(int index) const
{
    // A pixel of slack each side for glyphs that overhang their advance.
    const QFontMetrics metrics(m_listFont);
    const QPoint topLeft = entryPosition(index);
    return QRect(topLeft.x() - 1, topLeft.y(), m_entryWidth + 3,
                 std::max(metrics.height(), SelectionLayout::RowHeight) + 1);
}

void TSelectionBox::updateEntries(const QList<int>& indexes)
{
    if (indexes.isEmpty())
        return;
    QRegion region;
    for (int index : indexes)
        region += entryRect(index);
    update(region);
}

void TSelectionBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.drawImage(exposed, m_background, exposed);
    painter.setFont(m_listFont);
    const int ascent = QFontMetrics(m_listFont).ascent();
    for (int i = 0; i < m_fade.count(); ++i) {
        if (!event->region().intersects(entryRect(i)))
            continue;
        painter.setPen(m_fade.EntryColour(i));
        painter.drawText(entryPosition(i) + QPoint(0, ascent), m_list.at(i));
    }
}

void TSelectionBox::FadeStep()
{
    const bool inside = geometry().contains(QCursor::pos(), true);
    updateEntries(m_fade.tick(m_hoverIndex, inside));
    if (m_context.dockFadeImage && m_context.dockInfoImage) {
        SelectionFade::fadeToward(*m_context.dockFadeImage, *m_context.dockInfoImage);
        if (m_context.techDockImage)
            m_context.techDockImage->setPixmap(QPixmap::fromImage(*m_context.dockFadeImage));
    }
}

void TSelectionBox::SelectionBGMouseMove(QPoint pos)
{
    const auto hit =
        SelectionLayout::hitTest(pos, size(), m_entryWidth, m_rows, int(m_list.size()));
    if (hit.index < 0) {
        m_hoverIndex = -1;
        return;
    }
    if (hit.index == m_hoverIndex)
        return;
    m_hoverIndex = hit.index;
    updateEntries(m_fade.hover(hit.index, hit.column));
    drawDockInfo();
}

void TSelectionBox::drawDockInfo()
{
    const RuleTables& tables = m_context.tables ? *m_context.tables : emptyTables();
    m_infoItems = m_info.compose(m_kind, m_list, m_hoverIndex, tables);
    if (m_context.dockInfoImage)
        m_info.draw(*m_context.dockInfoImage, m_infoItems);
}

void TSelectionBox::mouseMoveEvent(QMouseEvent* event)
{
    // The popup holds the mouse; moves outside it reach no entry, not even the ones
    // beyond a clipped edge.
    const QPoint pos = event->position().toPoint();
    if (rect().contains(pos))
        SelectionBGMouseMove(pos);
}

void TSelectionBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    event->accept();
    if (event->button() == Qt::RightButton || !rect().contains(pos)) {
        // Right button on the popup, or any press elsewhere: no choice.
        m_selectionMade = false;
        FormDeactivate();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        // The popup may have opened under a pointer that has not moved since.
        SelectionBGMouseMove(pos);
        m_leftPressed = true;
    }
}

void TSelectionBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_leftPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_leftPressed = false;
    if (click)
        SelectionBGClick();
}

void TSelectionBox::SelectionBGClick()
{
    if (m_hoverIndex <= -1)
        return;
    m_selectionMade = true;
    FormDeactivate();
}

void TSelectionBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_selectionMade = false;
        FormDeactivate();
    }
    event->accept();
}

void TSelectionBox::closeEvent(QCloseEvent* event)
{
    // A click elsewhere closes a popup; it is only ever hidden.
    FormDeactivate();
    event->accept();
}

void TSelectionBox::hideEvent(QHideEvent* event)
{
    FormDeactivate();
    QWidget::hideEvent(event);
}

void TSelectionBox::FormDeactivate()
{
    // Hiding comes back here through hideEvent.
    if (!m_open || m_closing)
        return;
    m_closing = true;
    if (!m_selectionMade)
        m_hoverIndex = -1;
    // Hidden first, so that the mouse is free again if the target's change handler asks
    // the user something; the dock's picture goes on fading under the question meanwhile.
    if (isVisible())
        hide();
    if (m_ownChoice && m_target) {
        m_target->setProperty("text", *m_ownChoice);
    } else if (m_hoverIndex > -1 && m_hoverIndex < m_list.size() && m_target) {
        const QString& entry = m_list.at(m_hoverIndex);
        m_target->setProperty("text", entry == SelectionInfo::NoneEntry ? QString() : entry);
    }
    m_ownChoice.reset();
    m_fadeTimer->stop();
    if (m_context.techDockImage)
        m_context.techDockImage->hide();
    if (m_context.techPanel)
        m_context.techPanel->show();
    m_closing = false;
    m_open = false;
}
