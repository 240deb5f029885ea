#include "ChecksPanel.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace SheetFonts;

ChecksPanel::ChecksPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    m_caption = new QLabel(tr("Checks"), this);
    m_caption->setFont(face(Blackletter, 15));
    m_caption->setAlignment(Qt::AlignCenter);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // A press in the list must not take the focus, which would land in a sheet box on hiding.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(true);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_scroll->verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: black; width: 6px; margin: 0; }"
        "QScrollBar::handle:vertical { background: rgb(48, 96, 96); min-height: 20px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }"));
    m_list = new QWidget;
    m_list->setAutoFillBackground(false);
    m_layout = new QVBoxLayout(m_list);
    m_layout->setContentsMargins(6, 0, 4, 0);
    m_layout->setSpacing(6);
    m_layout->addStretch();
    m_scroll->setWidget(m_list);

    m_back = new ClickLabel(tr("Back"), this);
    m_back->setFont(face(Times, 13));
    m_back->setAlignment(Qt::AlignCenter);
    m_back->setCursor(Qt::PointingHandCursor);
    connect(m_back, &ClickLabel::pressed, this, [this] { emit backPressed(); });
}

void ChecksPanel::resizeEvent(QResizeEvent*)
{
    m_caption->setGeometry(0, 8, width(), 20);
    m_scroll->setGeometry(0, 32, width(), height() - 60);
    m_back->setGeometry(0, height() - 24, width(), 18);
}

void ChecksPanel::setChecks(const std::vector<RuleCheck>& checks)
{
    if (checks == m_checks)
        return;
    m_checks = checks;
    // Every dot the user sets may change the list; it is laid out only when seen.
    m_stale = true;
    if (isVisible())
        fillList();
}

void ChecksPanel::showEvent(QShowEvent*)
{
    if (m_stale)
        fillList();
}

void ChecksPanel::fillList()
{
    m_stale = false;
    const int count = int(m_checks.size());
    while (m_entries.size() > count)
        delete m_entries.takeLast();
    while (m_entries.size() < count) {
        auto* entry = new ClickLabel(m_list);
        entry->setFont(face(Times, 12));
        entry->setWordWrap(true);
        entry->setCursor(Qt::PointingHandCursor);
        const int index = int(m_entries.size());
        connect(entry, &ClickLabel::pressed, this, [this, index] { emit checkPressed(index); });
        m_layout->insertWidget(index, entry);
        m_entries.append(entry);
    }
    for (int i = 0; i < count; ++i) {
        const RuleCheck& check = m_checks[i];
        if (m_entries[i]->text() != check.text)
            m_entries[i]->setText(check.text);
        setTextColour(m_entries[i],
                      check.severity == RuleCheck::Severity::Breach ? ActiveColour : CaptionColour);
    }
}
