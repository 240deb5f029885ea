#include "ExperiencePanel.h"

#include "controls/ClickLabel.h"
#include "controls/PlacedLabel.h"
#include "controls/SheetFonts.h"
#include "rules/ExperienceChart.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

using namespace SheetFonts;

namespace {

constexpr int Width = 594;
constexpr int LogWidth = 390;
constexpr int RightColumn = 425;

QLabel* heading(QWidget* parent, const QString& value, const QRect& place, int size = 15)
{
    QLabel* label = placedLabel(parent, value, face(Blackletter, size), place, Qt::AlignCenter);
    setTextColour(label, SheetHeadingColour);
    return label;
}

QLineEdit* box(QWidget* parent, const QRect& place)
{
    auto* edit = new QLineEdit(parent);
    edit->setFont(face(Handwriting, 13));
    edit->setGeometry(place);
    return edit;
}

} // namespace

ExperiencePanel::ExperiencePanel(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, Width, 502);
    setAutoFillBackground(true);
    hide();
    heading(this, QStringLiteral("Experience"), QRect(0, 8, Width, 28), 21);
    createAccount();
    createLog();
    createRules();
    showExperience({}, ExperienceChart());
}

void ExperiencePanel::createAccount()
{
    StatusLabel = placedLabel(this, {}, face(Times, 13), QRect(20, 42, 380, 34));
    StatusLabel->setWordWrap(true);
    FinishButtonLabel = ClickLabel::presetButton(this, {RightColumn + 35, 46}, {}, [this] {
        if (m_finished)
            emit reopenPressed();
        else
            emit finishPressed();
    });
    TotalsLabel = placedLabel(this, {}, face(Belwe, 15), QRect(20, 80, Width - 40, 22));

    placedLabel(this, QStringLiteral("Earned:"), face(Times, 13), QRect(20, 110, 50, 22));
    EarnedEdit = box(this, QRect(72, 110, 44, 22));
    EarnedEdit->setPlaceholderText(QStringLiteral("5"));
    placedLabel(this, QStringLiteral("Note:"), face(Times, 13), QRect(126, 110, 36, 22));
    NoteEdit = box(this, QRect(162, 110, 150, 22));
    NoteEdit->setPlaceholderText(QStringLiteral("session 3"));
    const auto add = [this] { emit earnedAdded(EarnedEdit->text(), NoteEdit->text()); };
    AddButtonLabel = ClickLabel::presetButton(this, {318, 108}, QStringLiteral("Add"), add);
    for (QLineEdit* edit : {EarnedEdit, NoteEdit})
        connect(edit, &QLineEdit::returnPressed, this, add);
}

void ExperiencePanel::createLog()
{
    Log = new QTableWidget(0, 5, this);
    Log->setGeometry(20, 142, LogWidth, 300);
    Log->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Trait"),
                                    QStringLiteral("Rating"), QStringLiteral("Points"),
                                    QStringLiteral("Note")});
    Log->setFont(face(Times, 13));
    Log->horizontalHeader()->setFont(face(Belwe, 13));
    Log->verticalHeader()->hide();
    Log->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Log->setSelectionBehavior(QAbstractItemView::SelectRows);
    Log->setSelectionMode(QAbstractItemView::SingleSelection);
    Log->setShowGrid(false);
    Log->setWordWrap(false);
    Log->verticalHeader()->setDefaultSectionSize(18);
    const int widths[] = {76, 100, 58, 50};
    for (int c = 0; c < 4; ++c)
        Log->setColumnWidth(c, widths[c]);
    Log->horizontalHeader()->setStretchLastSection(true);
    TakeBackButtonLabel = ClickLabel::presetButton(
        this, {20 + LogWidth - 90, 452}, QStringLiteral("Take back"),
        [this] { emit takeBackPressed(Log->currentRow() - (m_starting ? 1 : 0)); });
}

void ExperiencePanel::createRules()
{
    heading(this, QStringLiteral("Costs"), QRect(RightColumn, 80, 150, 20));
    ChartLabel = placedLabel(this, {}, face(Times, 12), QRect(RightColumn, 102, 160, 190),
                             Qt::AlignLeft | Qt::AlignTop);
    ChartLabel->setWordWrap(true);

    heading(this, QStringLiteral("Rules"), QRect(RightColumn, 300, 150, 20));
    placedLabel(this, QStringLiteral("Starting experience:"), face(Times, 13),
                QRect(RightColumn, 324, 120, 22));
    StartingXpEdit = box(this, QRect(RightColumn + 122, 324, 36, 22));
    XpBackgroundsRule = new QCheckBox(this);
    XpBackgroundsRule->setGeometry(RightColumn, 354, 18, 18);
    auto* leave = placedLabel(this, QStringLiteral("Backgrounds with the Storyteller's leave,"),
                              face(Times, 13), QRect(RightColumn + 20, 350, 145, 36),
                              Qt::AlignLeft | Qt::AlignTop);
    leave->setWordWrap(true);
    placedLabel(this, QStringLiteral("at current rating x"), face(Times, 13),
                QRect(RightColumn + 20, 386, 110, 22));
    XpBackgroundEdit = box(this, QRect(RightColumn + 130, 386, 28, 22));
    auto* note = placedLabel(this,
                             QStringLiteral("Starting experience is credited when creation is "
                                            "finished, for ancillae and elders."),
                             face(Times, 11), QRect(RightColumn, 418, 160, 44),
                             Qt::AlignLeft | Qt::AlignTop);
    note->setWordWrap(true);
    const auto edited = [this] {
        emit optionsEdited(
            {StartingXpEdit->text(), XpBackgroundsRule->isChecked(), XpBackgroundEdit->text()});
    };
    for (QLineEdit* edit : {StartingXpEdit, XpBackgroundEdit})
        connect(edit, &QLineEdit::textEdited, this, edited);
    connect(XpBackgroundsRule, &QCheckBox::clicked, this, edited);
}

QString ExperiencePanel::dockText(const CharacterExperience& xp)
{
    if (!xp.creationFinished)
        return QStringLiteral("Finish creation");
    return QStringLiteral("XP %1/%2, %3 left").arg(xp.spent()).arg(xp.earned()).arg(xp.left());
}

void ExperiencePanel::clearEarned()
{
    EarnedEdit->clear();
    NoteEdit->clear();
}

void ExperiencePanel::showExperience(const CharacterExperience& xp, const ExperienceChart& chart)
{
    m_finished = xp.creationFinished;
    m_starting = xp.startingPoints > 0;
    StatusLabel->setText(
        xp.creationFinished
            ? QStringLiteral("Creation is finished: its ratings and freebies stay as they were. "
                             "Raise a trait with its dots; lower it to take its raise back.")
            : QStringLiteral("The character is still in creation. Finish creation to spend "
                             "experience on it."));
    FinishButtonLabel->setText(xp.creationFinished ? QStringLiteral("Reopen")
                                                   : QStringLiteral("Finish creation"));
    TotalsLabel->setText(QStringLiteral("Earned %1   \u00b7   Spent %2   \u00b7   Left %3")
                             .arg(xp.earned())
                             .arg(xp.spent())
                             .arg(xp.left()));

    const int starting = m_starting ? 1 : 0;
    // No row stays chosen: a second press of Take back takes nothing by mistake.
    Log->setCurrentCell(-1, -1);
    Log->clearSelection();
    Log->setRowCount(int(xp.log.size()) + starting);
    const auto setRow = [this](int row, const QStringList& cells) {
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 2 || c == 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Log->setItem(row, c, item);
        }
    };
    if (starting)
        setRow(
            0,
            {{}, QStringLiteral("Starting"), {}, QStringLiteral("+%1").arg(xp.startingPoints), {}});
    for (qsizetype i = 0; i < xp.log.size(); ++i) {
        const ExperienceEntry& e = xp.log[i];
        const QString date = e.date.isValid() ? e.date.toString(Qt::ISODate) : QString();
        if (e.earning())
            setRow(
                int(i) + starting,
                {date, QStringLiteral("Earned"), {}, QStringLiteral("+%1").arg(-e.cost), e.note});
        else
            setRow(int(i) + starting,
                   {date, e.trait, QStringLiteral("%1 to %2").arg(e.from).arg(e.to),
                    QStringLiteral("-%1").arg(e.cost), e.note});
    }

    QStringList lines;
    for (int k = 0; k < ExperienceChart::KindCount; ++k)
        lines << chart.describe(ExperienceChart::Kind(k));
    lines << (xp.options.XpBackgroundsRule
                  ? QStringLiteral("Background: current x %1").arg(xp.options.XpBackgroundEdit)
                  : QStringLiteral("Background: only with leave"));
    ChartLabel->setText(lines.join(u'\n'));
    if (StartingXpEdit->text() != xp.options.StartingXpEdit)
        StartingXpEdit->setText(xp.options.StartingXpEdit);
    XpBackgroundsRule->setChecked(xp.options.XpBackgroundsRule);
    if (XpBackgroundEdit->text() != xp.options.XpBackgroundEdit)
        XpBackgroundEdit->setText(xp.options.XpBackgroundEdit);
}
