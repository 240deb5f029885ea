#include "ExperienceRecord.h"

#include <QJsonArray>
#include <array>

namespace ExperienceRecord {

namespace {

constexpr std::array<const char*, TraitRef::None + 1> GroupNames = {
    "attribute", "ability",  "secondary", "discipline", "background",
    "virtue",    "humanity", "willpower", "earned"};

// A field holds no tab and no line break; a backslash introduces them.
QString escaped(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\t', QStringLiteral("\\t"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\r', QStringLiteral("\\r"));
    return text;
}

QString unescaped(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            plain.append(text[i]);
            continue;
        }
        const QChar next = text[++i];
        plain.append(next == u't'   ? QChar(u'\t')
                     : next == u'n' ? QChar(u'\n')
                     : next == u'r' ? QChar(u'\r')
                                    : next);
    }
    return plain;
}

QString group(TraitRef::Group g)
{
    return QString::fromLatin1(GroupNames[g]);
}

std::optional<TraitRef::Group> groupNamed(const QString& name)
{
    for (int g = 0; g <= TraitRef::None; ++g)
        if (name == QLatin1String(GroupNames[g]))
            return TraitRef::Group(g);
    return std::nullopt;
}

QString line(std::initializer_list<QString> fields)
{
    QStringList escapedFields;
    for (const QString& field : fields)
        escapedFields.append(escaped(field));
    return escapedFields.join(u'\t');
}

QString number(int n)
{
    return QString::number(n);
}

// Reads one line's fields; false when any is out of its range.
class Fields
{
public:
    explicit Fields(const QString& line)
    {
        for (const QString& field : line.split(u'\t'))
            m_fields.append(unescaped(field));
    }
    qsizetype size() const { return m_fields.size(); }
    const QString& text(qsizetype i) const { return m_fields[i]; }
    bool number(qsizetype i, int low, int high, int& value) const
    {
        bool ok = false;
        value = m_fields[i].toInt(&ok);
        return ok && value >= low && value <= high;
    }
    bool ref(qsizetype i, TraitRef& ref) const
    {
        const auto g = groupNamed(m_fields[i]);
        if (!g)
            return false;
        ref.group = *g;
        return number(i + 1, 0, 2, ref.column) && number(i + 2, 0, 19, ref.row);
    }

private:
    QStringList m_fields;
};

constexpr int MaxRating = 10;
constexpr int MaxPoints = 1000000;

bool readLine(const Fields& f, CharacterExperience& xp)
{
    const QString& kind = f.text(0);
    int value = 0;
    if (kind == u"finished" && f.size() == 2 && f.number(1, 0, 1, value)) {
        xp.creationFinished = value == 1;
    } else if (kind == u"starting" && f.size() == 2 && f.number(1, 0, MaxPoints, value)) {
        xp.startingPoints = value;
    } else if (kind == u"options" && f.size() == 4 && f.number(2, 0, 1, value)) {
        xp.options = {f.text(1), value == 1, f.text(3)};
    } else if (kind == u"tallies" && f.size() == 12 && f.number(11, 0, 1, value)) {
        CreationTallies& t = xp.tallies;
        t = {{f.text(1), f.text(2), f.text(3)},
             {f.text(4), f.text(5), f.text(6)},
             f.text(7),
             f.text(8),
             f.text(9),
             f.text(10),
             value == 1};
    } else if (kind == u"trait" && f.size() == 7) {
        BaselineSlot slot;
        if (!f.ref(1, slot.ref) || slot.ref.group == TraitRef::None ||
            !f.number(4, 0, MaxRating, slot.rating) || !f.number(5, -1, MaxRating, slot.freebies))
            return false;
        slot.name = f.text(6);
        xp.baseline.append(slot);
    } else if (kind == u"entry" && f.size() == 10) {
        ExperienceEntry e;
        if (!f.ref(1, e.ref) || !f.number(4, 0, MaxRating, e.from) ||
            !f.number(5, 0, MaxRating, e.to) || !f.number(6, -MaxPoints, MaxPoints, e.cost))
            return false;
        // An earning gives points; a raise goes up and costs them.
        if (e.earning() ? e.cost >= 0 : e.cost < 0 || e.to <= e.from)
            return false;
        e.date = QDate::fromString(f.text(7), Qt::ISODate);
        e.trait = f.text(8);
        e.note = f.text(9);
        xp.log.append(e);
    } else {
        return false;
    }
    return true;
}

} // namespace

QString text(const CharacterExperience& xp)
{
    if (xp == CharacterExperience())
        return {};
    QStringList lines;
    lines << line({"finished", number(xp.creationFinished)})
          << line({"starting", number(xp.startingPoints)})
          << line({"options", xp.options.StartingXpEdit, number(xp.options.XpBackgroundsRule),
                   xp.options.XpBackgroundEdit});
    if (xp.creationFinished) {
        const CreationTallies& t = xp.tallies;
        lines << line({"tallies", t.attributes[0], t.attributes[1], t.attributes[2], t.abilities[0],
                       t.abilities[1], t.abilities[2], t.disciplines, t.backgrounds, t.virtues,
                       t.freebies, number(t.overspent)});
        for (const BaselineSlot& s : xp.baseline)
            lines << line({"trait", group(s.ref.group), number(s.ref.column), number(s.ref.row),
                           number(s.rating), number(s.freebies), s.name});
    }
    for (const ExperienceEntry& e : xp.log)
        lines << line({"entry", group(e.ref.group), number(e.ref.column), number(e.ref.row),
                       number(e.from), number(e.to), number(e.cost), e.date.toString(Qt::ISODate),
                       e.trait, e.note});
    return lines.join(u'\n');
}

Read read(const QString& text)
{
    Read result;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (!readLine(Fields(lines[i]), result.experience) && result.damagedLine == 0)
            result.damagedLine = int(i + 1);
    return result;
}

QJsonObject report(const CharacterExperience& xp)
{
    QJsonArray log;
    for (const ExperienceEntry& e : xp.log)
        log.append(QJsonObject{{"trait", e.trait},
                               {"from", e.from},
                               {"to", e.to},
                               {"cost", e.cost},
                               {"note", e.note}});
    return {{"earned", xp.earned()}, {"spent", xp.spent()}, {"left", xp.left()}, {"log", log}};
}

void addRules(const ExperienceOptions& options, QJsonObject& rules)
{
    rules.insert("StartingXpEdit", options.StartingXpEdit);
    rules.insert("XpBackgroundsRule", options.XpBackgroundsRule);
    rules.insert("XpBackgroundEdit", options.XpBackgroundEdit);
}

} // namespace ExperienceRecord
