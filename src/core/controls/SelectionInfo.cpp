#include "controls/SelectionInfo.h"

#include "controls/SelectionLayout.h"
#include "rules/RuleTables.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr qsizetype RestLimit = 1000;
constexpr qsizetype SecondLineLimit = 100;

QFont sized(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    return font;
}

// The longest prefix of text no wider than width, at least one character so that the
// caller always moves on; a surrogate pair is never cut.
qsizetype fittingPrefix(const QString& text, int width, const SelectionInfo::Measure& measure)
{
    qsizetype n = 1;
    while (n < text.size() && measure(text.left(n + 1)) <= width)
        ++n;
    if (n < text.size() && text.at(n - 1).isHighSurrogate())
        n = n > 1 ? n - 1 : n + 1;
    return n;
}

QString at(const QStringList& list, int index)
{
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

} // namespace

QStringList SelectionInfo::WrapText(const QString& text, int width, const Measure& measure)
{
    QStringList lines;
    QString rest = text;
    while (!rest.isEmpty()) {
        if (measure(rest) <= width) {
            lines.append(rest);
            break;
        }
        qsizetype cut = -1;
        for (qsizetype space = rest.indexOf(u' '); space >= 0;
             space = rest.indexOf(u' ', space + 1)) {
            if (measure(rest.left(space + 1)) > width)
                break;
            cut = space + 1;
        }
        if (cut < 0)
            cut = fittingPrefix(rest, width, measure);
        lines.append(rest.left(cut));
        rest = rest.mid(cut, RestLimit);
    }
    return lines;
}

SelectionInfo::SplitLines SelectionInfo::SplitTitle(const QString& title, int width,
                                                    const Measure& measure)
{
    if (measure(title) <= width)
        return {title, {}};
    // Position length div 3, counted from 1.
    const qsizetype start = std::max<qsizetype>(title.size() / 3 - 1, 0);
    qsizetype space = title.indexOf(u' ', start);
    if (space < 0 && start > 0)
        space = title.lastIndexOf(u' ', start - 1);
    if (space >= 0)
        return {title.left(space), title.mid(space + 1, SecondLineLimit)};
    const qsizetype n = fittingPrefix(title, width, measure);
    return {title.left(n), title.mid(n, SecondLineLimit)};
}

QString SelectionInfo::titleFor(int kind, const QString& entry, int index, const RuleTables& tables)
{
    switch (kind) {
    case 2:
        return at(tables.GenerationTitles, index);
    case 7: {
        static const QString pathOf = QStringLiteral("Path of");
        return entry.startsWith(pathOf) ? entry.mid(pathOf.size() + 1) : entry;
    }
    case 8:
        // The space and the cost in parentheses go; "<NONE>" has no cost.
        return entry == NoneEntry ? entry : entry.left(std::max<qsizetype>(entry.size() - 4, 0));
    case 9: {
        const qsizetype bracket = entry.indexOf(u'(');
        return bracket > 0 ? entry.left(bracket - 1) : entry;
    }
    case 10: {
        const qsizetype colon = entry.indexOf(QStringLiteral(": "));
        return colon >= 0 ? entry.mid(colon + 2) : entry;
    }
    default:
        return entry;
    }
}

SelectionInfo::SelectionInfo(int panelWidth, const QFont& titleFace)
    : m_panelWidth(panelWidth), m_titleFont(sized(titleFace, 13)),
      m_bodyFont(sized(QFont(QStringLiteral("Times New Roman")), 12))
{
}

void SelectionInfo::addTitle(QList<Item>& items, const QString& title, bool split) const
{
    const QFontMetrics metrics(m_titleFont);
    const Measure measure = [&metrics](const QString& s) { return metrics.horizontalAdvance(s); };
    const SplitLines lines =
        split ? SplitTitle(title, m_panelWidth, measure) : SplitLines{title, {}};
    const auto centred = [&](const QString& text, int top) {
        items.append({text, QPoint(m_panelWidth / 2 - measure(text) / 2, top), Style::Title});
    };
    centred(lines.first, 0);
    if (!lines.second.isEmpty())
        centred(lines.second, metrics.height());
}

int SelectionInfo::addWrapped(QList<Item>& items, const QString& text, int top) const
{
    const QFontMetrics metrics(m_bodyFont);
    const QStringList lines = WrapText(
        text, WrapWidth, [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    for (const QString& line : lines) {
        items.append({line, QPoint(TextLeft, top), Style::Body});
        top += metrics.height();
    }
    return top;
}

QList<SelectionInfo::Item> SelectionInfo::compose(int kind, const QStringList& list, int index,
                                                  const RuleTables& tables) const
{
    QList<Item> items;
    const QString entry = at(list, index);
    const QString title = titleFor(kind, entry, index, tables);
    const auto body = [&items](const QString& text, int top) {
        items.append({text, QPoint(TextLeft, top), Style::Body});
    };
    switch (kind) {
    case 1:
        addTitle(items, title, false);
        items.append({QStringLiteral("Weakness:"), QPoint(TextLeft, 130), Style::Title});
        items.append({QStringLiteral("Disciplines:"), QPoint(TextLeft, 250), Style::Title});
        addWrapped(items, at(tables.ClanDescriptions, index), 20);
        addWrapped(items, at(tables.ClanWeaknesses, index), 150);
        body(at(tables.ClanDiscipline1, index), 270);
        body(at(tables.ClanDiscipline2, index), 285);
        body(at(tables.ClanDiscipline3, index), 300);
        break;
    case 2:
        addTitle(items, title, false);
        body(QStringLiteral("Generation: ") + at(tables.GenerationNames, index), 30);
        body(QStringLiteral("Max Trait Rating: ") + at(tables.GenerationMaxTraits, index), 45);
        body(QStringLiteral("Blood Pool: ") + at(tables.GenerationBloodPools, index), 60);
        body(QStringLiteral("Blood/Turn: ") + at(tables.GenerationBloodPerTurn, index), 75);
        break;
    case 7:
        addTitle(items, title, false);
        addWrapped(items, at(tables.PathDescriptions, index), 20);
        break;
    case 8:
    case 10:
    case 12:
    case SelectionLayout::SpecialtyKind:
        addTitle(items, title, true);
        break;
    default:
        addTitle(items, title, false);
        break;
    }
    return items;
}

void SelectionInfo::draw(QImage& image, const QList<Item>& items) const
{
    image.fill(Qt::black);
    QPainter painter(&image);
    const QFontMetrics titleMetrics(m_titleFont);
    const QFontMetrics bodyMetrics(m_bodyFont);
    for (const Item& item : items) {
        const bool title = item.style == Style::Title;
        painter.setFont(title ? m_titleFont : m_bodyFont);
        painter.setPen(title ? TitleColour : BodyColour);
        const int ascent = title ? titleMetrics.ascent() : bodyMetrics.ascent();
        painter.drawText(item.topLeft + QPoint(0, ascent), item.text);
    }
}
