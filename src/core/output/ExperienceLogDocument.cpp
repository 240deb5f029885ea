#include "ExperienceLogDocument.h"

namespace ExperienceLogDocument {

namespace {

QString cell(const QString& text, bool right = false)
{
    return QStringLiteral("<td%1>%2</td>")
        .arg(right ? QStringLiteral(" align=\"right\"") : QString(), text.toHtmlEscaped());
}

QString row(const QStringList& cells)
{
    QString html = QStringLiteral("<tr>");
    for (int i = 0; i < cells.size(); ++i)
        html += cell(cells[i], i == 2 || i == 3);
    return html + QStringLiteral("</tr>");
}

} // namespace

QString html(const Character& c)
{
    const CharacterExperience& xp = c.experience;
    const QString name = c.header[0].trimmed();
    QString html = QStringLiteral("<html><body style=\"font-family: 'Times New Roman', serif;\">");
    html +=
        QStringLiteral("<h2>%1</h2>")
            .arg(name.isEmpty() ? QStringLiteral("Experience log")
                                : QStringLiteral("Experience log: %1").arg(name.toHtmlEscaped()));
    html += QStringLiteral("<p><b>Earned %1, spent %2, left %3.</b> %4</p>")
                .arg(xp.earned())
                .arg(xp.spent())
                .arg(xp.left())
                .arg(xp.creationFinished ? QStringLiteral("Creation is finished.")
                                         : QStringLiteral("Creation is not finished yet."));
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\" "
                           "width=\"100%\">");
    html += QStringLiteral("<tr><th align=\"left\">Date</th><th align=\"left\">Trait</th>"
                           "<th align=\"right\">Rating</th><th align=\"right\">Points</th>"
                           "<th align=\"left\">Note</th></tr>");
    if (xp.startingPoints > 0)
        html += row({{},
                     QStringLiteral("Starting experience"),
                     {},
                     QStringLiteral("+%1").arg(xp.startingPoints),
                     {}});
    for (const ExperienceEntry& e : xp.log) {
        const QString date = e.date.isValid() ? e.date.toString(Qt::ISODate) : QString();
        if (e.earning())
            html += row(
                {date, QStringLiteral("Earned"), {}, QStringLiteral("+%1").arg(-e.cost), e.note});
        else
            html += row({date, e.trait, QStringLiteral("%1 to %2").arg(e.from).arg(e.to),
                         QStringLiteral("-%1").arg(e.cost), e.note});
    }
    if (xp.startingPoints == 0 && xp.log.isEmpty())
        html += QStringLiteral("<tr><td colspan=\"5\">No entries yet.</td></tr>");
    html += QStringLiteral("</table></body></html>");
    return html;
}

} // namespace ExperienceLogDocument
