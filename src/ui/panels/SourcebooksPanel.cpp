#include "SourcebooksPanel.h"

#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "engine/RulesSettings.h"
#include "output/Pictures.h"
#include "rules/RuleTables.h"

using namespace SheetFonts;
using SourcebookFilter::Preset;

namespace {

constexpr int RowsWidth = 470;
constexpr int FirstRowTop = 30;
constexpr int RowPitch = 15;

} // namespace

SourcebooksPanel::SourcebooksPanel(RuleTables& tables, const RulesSettings& settings,
                                   QWidget* parent)
    : QWidget(parent), m_tables(tables), m_settings(settings)
{
    setGeometry(0, 0, 594, 502);
    setAutoFillBackground(true);
    auto* viewport = new QWidget(this);
    viewport->setGeometry(0, 0, RowsWidth, 502);
    m_rows = new QWidget(viewport);
    m_rows->setGeometry(0, 0, RowsWidth, 502);

    auto* heading = new QLabel(QStringLiteral("Presets"), this);
    heading->setFont(face(Blackletter, 18));
    heading->setGeometry(RowsWidth, 4, 124, 24);
    heading->setAlignment(Qt::AlignCenter);
    setTextColour(heading, SheetHeadingColour);
    NoneButtonLabel = createPreset(34, QStringLiteral("None"), Preset::None);
    ClassicButtonLabel = createPreset(64, QStringLiteral("Classic"), Preset::Classic);
    VampireButtonLabel = createPreset(94, QStringLiteral("Vampire"), Preset::Vampire);
    AllButtonLabel = createPreset(124, QStringLiteral("All"), Preset::All);
    AllClanBookButtonLabel =
        createPreset(154, QStringLiteral("All clanbooks"), Preset::AllClanbooks);
    NoClanBookButtonLabel = createPreset(184, QStringLiteral("No clanbooks"), Preset::NoClanbooks);
    hide();
}

ClickLabel* SourcebooksPanel::createPreset(int top, const QString& caption, Preset preset)
{
    return ClickLabel::presetButton(this, {RowsWidth + 17, top}, caption,
                                    [this, preset] { choosePreset(preset); });
}

void SourcebooksPanel::buildBookList(const QStringList& dataLines)
{
    m_dataLines = dataLines;
    m_books = SourcebookFilter::buildBookList(dataLines);
    m_chosen = m_books.ChosenBooks;
    const qsizetype count = m_books.BookTitles.size();
    m_inUse = QList<bool>(count, true);
    m_rows->resize(RowsWidth, rowsHeight());
    for (qsizetype i = 0; i < count; ++i) {
        const int top = FirstRowTop + RowPitch * int(i);
        auto* tick = new ClickLabel(m_rows);
        tick->setGeometry(10, top + 1, 12, 13);
        auto* title = new ClickLabel(m_books.BookTitles.at(i), m_rows);
        title->setFont(face(Times, 13));
        title->setGeometry(25, top, RowsWidth - 30, 15);
        for (ClickLabel* part : {tick, title}) {
            part->setCursor(Qt::PointingHandCursor);
            connect(part, &ClickLabel::pressed, this, [this, i] { toggleBook(int(i)); });
        }
        TickBoxes.append(tick);
        TitleLabels.append(title);
    }
    drawTickBoxes();
}

int SourcebooksPanel::rowsHeight() const
{
    return std::max(502, FirstRowTop + RowPitch * int(m_books.BookTitles.size()) + RowPitch);
}

void SourcebooksPanel::applySelection()
{
    const auto selection =
        SourcebookFilter::applySelection(m_dataLines, m_books.BookTitles, m_chosen);
    m_inUse = selection.BookInUse;
    drawTickBoxes();
    m_tables.build(selection.ActiveLines, m_settings.ElderRules);
    emit tablesRebuilt();
}

void SourcebooksPanel::setChosenBooks(const QStringList& titles)
{
    m_chosen = SortedTextList();
    for (const QString& title : titles)
        m_chosen.add(title);
    emit choiceChanged();
}

void SourcebooksPanel::toggleBook(int index)
{
    const auto choice = SourcebookFilter::toggleBook(m_books.BookTitles, m_inUse, index);
    m_inUse = choice.BookInUse;
    m_chosen = choice.ChosenBooks;
    drawTickBoxes();
    emit choiceChanged();
}

void SourcebooksPanel::choosePreset(Preset preset)
{
    const auto choice =
        SourcebookFilter::applyPreset(preset, m_books.BookTitles, m_inUse, m_books.VampireBooks);
    m_inUse = choice.BookInUse;
    m_chosen = choice.ChosenBooks;
    drawTickBoxes();
    emit choiceChanged();
    if (choice.applyNow)
        applySelection();
}

void SourcebooksPanel::drawTickBoxes()
{
    static const QPixmap ticked = QPixmap::fromImage(Pictures::checked());
    static const QPixmap unticked = QPixmap::fromImage(Pictures::unChecked());
    for (qsizetype i = 0; i < TickBoxes.size(); ++i)
        TickBoxes[i]->setPixmap(m_inUse.value(i) ? ticked : unticked);
}

void SourcebooksPanel::paintPresetLabels()
{
    using SourcebookFilter::LabelColour;
    const auto colours = SourcebookFilter::presetLabelColours(m_books.BookTitles, m_inUse, m_chosen,
                                                              m_books.VampireBooks);
    const std::pair<ClickLabel*, LabelColour> labels[] = {
        {NoneButtonLabel, colours.NoneButtonLabel},
        {ClassicButtonLabel, colours.ClassicButtonLabel},
        {VampireButtonLabel, colours.VampireButtonLabel},
        {AllButtonLabel, colours.AllButtonLabel},
        {AllClanBookButtonLabel, colours.AllClanBookButtonLabel},
        {NoClanBookButtonLabel, colours.NoClanBookButtonLabel}};
    for (const auto& [label, colour] : labels) {
        const QColor shown = colour == LabelColour::Red       ? ActiveColour
                             : colour == LabelColour::Caption ? CaptionColour
                                                              : QColor(Qt::black);
        if (label->palette().color(QPalette::WindowText) != shown)
            setTextColour(label, shown);
    }
}
