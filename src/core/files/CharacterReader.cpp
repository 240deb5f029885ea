#include "files/CharacterReader.h"

#include "engine/RulesBoxTexts.h"
#include "engine/RulesPresets.h"
#include "files/CharacterExtensionBlock.h"
#include "files/CharacterFileText.h"
#include "rules/DataFile.h"

#include <limits>

namespace {

const QString LoadError = QStringLiteral("Load error");
const QString CurrentPrefix = QStringLiteral("Tarnoch98 v");

// The versions that get a warning, with the text after the file name and the caption.
struct LegacyVersion
{
    QString version;
    QString text;
    QString caption;
};

const QList<LegacyVersion>& legacyVersions()
{
    static const QList<LegacyVersion> versions = {
        {QStringLiteral("0.9Alpha"),
         QStringLiteral("\" does not contain rules data or attributes.\n"
                        "Resave file to update data format."),
         QStringLiteral("Warning: Legacy dataformat (0.9 alpha)")},
        {QStringLiteral("1.0"),
         QStringLiteral("\" does not contain all rules and attributes.\n"
                        "Resave file to update data format."),
         QStringLiteral("Warning: Legacy dataformat (1.0)")},
        {QStringLiteral("1.1"),
         QStringLiteral("\" does not contain all rules.\nResave file to update data format."),
         QStringLiteral("Warning: Legacy dataformat (1.1)")},
        {QStringLiteral("1.22"),
         QStringLiteral("\" does not include starting generation and detached Humanity or "
                        "Willpower.\nResave file to update data format."),
         QStringLiteral("Warning: Legacy dataformat (1.22)")},
        {QStringLiteral("1.33"),
         QStringLiteral("\" does not include starting generation.\n"
                        "Resave file to update data format."),
         QStringLiteral("Warning: Legacy dataformat (1.33)")},
        {QStringLiteral("1.36"),
         QStringLiteral("\" is from an internal test version.\n"
                        "Resave file to update data format."),
         QStringLiteral("Internal dataformat (1.36Beta)")},
        {QStringLiteral("1.4"),
         QStringLiteral("\" does not include Elder status.\nResave file to update data format."),
         QStringLiteral("Warning: Legacy dataformat (1.4)")},
    };
    return versions;
}

QString fileName(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1).left(1000);
}

// Walks the values of the file from line 2 on; the first fault ends the walk.
class LineCursor
{
public:
    explicit LineCursor(const QStringList& lines) : m_lines(lines) {}

    bool text(QString& value)
    {
        if (m_next >= m_lines.size())
            return false;
        value = m_lines[m_next++];
        return true;
    }
    bool text(std::optional<QString>& value)
    {
        QString line;
        if (!text(line))
            return false;
        value = line;
        return true;
    }

    // Only "1" is set; any other text is clear.
    bool flag(std::optional<bool>& value)
    {
        QString line;
        if (!text(line))
            return false;
        value = line == u"1";
        return true;
    }

    bool integer(int& value)
    {
        if (m_next >= m_lines.size())
            return false;
        bool ok = false;
        value = m_lines[m_next].toInt(&ok, 10);
        if (!ok)
            return false;
        ++m_next;
        return true;
    }
    bool integer(std::optional<int>& value)
    {
        int number = 0;
        if (!integer(number))
            return false;
        value = number;
        return true;
    }

    // A count outside lowest to highest is a damaged file, stopped at the count's line.
    bool count(int& value, int lowest, int highest)
    {
        if (!integer(value))
            return false;
        if (value >= lowest && value <= highest)
            return true;
        --m_next;
        return false;
    }

    qsizetype remaining() const { return m_lines.size() - m_next; }
    // The index of the next line to read.
    qsizetype position() const { return m_next; }

    // Stops at the end of the file, for a count of more lines than are left.
    bool failAtEnd()
    {
        m_next = m_lines.size();
        return false;
    }

    // 1-based line of the fault.
    int stopLine() const
    {
        return int(std::min<qsizetype>(m_next + 1, std::numeric_limits<int>::max()));
    }

private:
    const QStringList& m_lines;
    qsizetype m_next = 1; // line 1 is the banner
};

bool readTrait(LineCursor& in, CharacterRecord::Trait& trait)
{
    return in.text(trait.name) && in.integer(trait.rating);
}

bool readAbilityRows(LineCursor& in, std::optional<QList<CharacterRecord::AbilityRow>>& rows,
                     int count)
{
    rows.emplace();
    for (int i = 0; i < count; ++i) {
        CharacterRecord::AbilityRow row;
        if (!readTrait(in, row.talent) || !readTrait(in, row.skill) ||
            !readTrait(in, row.knowledge))
            return false;
        rows->append(row);
    }
    return true;
}

bool readTraits(LineCursor& in, std::optional<QList<CharacterRecord::Trait>>& rows)
{
    int count = 0;
    if (!in.count(count, 0, 20))
        return false;
    rows.emplace();
    for (int i = 0; i < count; ++i) {
        CharacterRecord::Trait row;
        if (!readTrait(in, row))
            return false;
        rows->append(row);
    }
    return true;
}

bool readTexts(LineCursor& in, std::optional<QStringList>& texts, int highest)
{
    int count = 0;
    if (!in.count(count, 0, highest))
        return false;
    texts.emplace();
    for (int i = 0; i < count; ++i) {
        QString line;
        if (!in.text(line))
            return false;
        texts->append(line);
    }
    return true;
}

bool readPriorities(LineCursor& in, std::optional<CharacterRecord::PriorityBox>& box)
{
    CharacterRecord::PriorityBox values;
    for (int* value : {&values.CategoryOne, &values.CategoryTwo, &values.CategoryThree,
                       &values.ValueFirst, &values.ValueSecond, &values.ValueThird}) {
        if (!in.integer(*value))
            return false;
    }
    box = values;
    return true;
}

// Rows 1 to 33 of the format, which every version has.
bool readSheet(LineCursor& in, CharacterRecord& c)
{
    for (std::optional<QString>* header : {&c.Name, &c.Player, &c.Chronicle, &c.Nature, &c.Demeanor,
                                           &c.Clan, &c.Generation, &c.Haven, &c.Concept}) {
        if (!in.text(*header))
            return false;
    }
    std::array<CharacterRecord::FixedAbilityRow, 10> fixed;
    for (CharacterRecord::FixedAbilityRow& row : fixed) {
        if (!in.integer(row.talent) || !in.integer(row.skill) || !in.integer(row.knowledge))
            return false;
    }
    c.FixedAbilities = fixed;

    int count = 0;
    if (!in.count(count, 10, 20) || !readAbilityRows(in, c.FreeAbilities, count - 10))
        return false;
    if (!in.count(count, 0, 20) || !readAbilityRows(in, c.SecondaryAbilities, count))
        return false;
    if (!readTraits(in, c.Disciplines) || !readTraits(in, c.Backgrounds))
        return false;
    if (!in.integer(c.Conscience) || !in.integer(c.SelfControl) || !in.integer(c.Courage))
        return false;
    if (!readTexts(in, c.Merits, 20) || !readTexts(in, c.Flaws, 20))
        return false;
    if (!in.text(c.Path) || !in.integer(c.BoughtHumanity) || !in.integer(c.BoughtWillpower))
        return false;

    // Notes are rich text: a part of them is no use, so they are taken only whole.
    if (!in.count(count, 0, std::numeric_limits<int>::max()))
        return false;
    // Checked first, so that a huge count costs nothing.
    if (count > in.remaining())
        return in.failAtEnd();
    QStringList notes;
    notes.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (!in.text(notes.emplace_back()))
            return false;
    }
    c.Notes = notes;

    return readPriorities(in, c.AttributePriorities) && readPriorities(in, c.AbilityPriorities);
}

// What a version 1.4 file held when the Elder preset was chosen, since it has no Elder line.
bool holdsElderPreset(const CharacterRecord& c)
{
    RulesBoxTexts boxes;
    const CharacterRecord::PriorityBox attributes = *c.AttributePriorities;
    const CharacterRecord::PriorityBox abilities = *c.AbilityPriorities;
    boxes.AttPriEdit = QString::number(attributes.ValueFirst);
    boxes.AttSecEdit = QString::number(attributes.ValueSecond);
    boxes.AttTerEdit = QString::number(attributes.ValueThird);
    boxes.AbPriEdit = QString::number(abilities.ValueFirst);
    boxes.AbSecEdit = QString::number(abilities.ValueSecond);
    boxes.AbTerEdit = QString::number(abilities.ValueThird);
    boxes.DisciplineEdit = *c.DisciplineEdit;
    boxes.BackgroundEdit = *c.BackgroundEdit;
    boxes.VirtueEdit = *c.VirtueEdit;
    boxes.MaxPrimaryEdit = *c.MaxPrimaryEdit;
    boxes.MaxSecondaryEdit = *c.MaxSecondaryEdit;
    boxes.MaxHumanityEdit = *c.MaxHumanityEdit;
    boxes.FreebiesEdit = *c.FreebiesEdit;
    boxes.VirtueNamesEdit = *c.VirtueNamesEdit;
    boxes.StartingGenerationEdit = *c.StartingGenerationEdit;
    return RulesPresets::matchingPresets(boxes, true).Elder;
}

// The sections that came after version 0.9 alpha, each read only by the versions that have it.
bool readRules(LineCursor& in, const QString& version, CharacterReadResult& result)
{
    using R = CharacterReader;
    CharacterRecord& c = result.record;
    if (!R::isAfter(version, QStringLiteral("0.9Alpha")))
        return true;
    for (std::optional<QString>* box :
         {&c.DisciplineEdit, &c.BackgroundEdit, &c.VirtueEdit, &c.MaxPrimaryEdit,
          &c.MaxSecondaryEdit, &c.MaxHumanityEdit, &c.FreebiesEdit, &c.VirtueNamesEdit}) {
        if (!in.text(*box))
            return false;
    }
    // "0.5" or, from a system with a decimal comma, "0,5": anything but "1" is half cost.
    QString factor;
    if (!in.text(factor))
        return false;
    c.SecondaryCostFactor = factor == u"1" ? 1.0f : 0.5f;
    if (!in.flag(c.GolcondaOn) || !in.integer(c.GolcondaChoice))
        return false;

    if (!R::isAfter(version, QStringLiteral("1.0")))
        return true;
    for (std::optional<int>* attribute :
         {&c.Strength, &c.Dexterity, &c.Stamina, &c.Charisma, &c.Manipulation, &c.Appearance,
          &c.Perception, &c.Intelligence, &c.Wits}) {
        if (!in.integer(*attribute))
            return false;
    }
    if (!readTexts(in, c.ChosenBooks, std::numeric_limits<int>::max()))
        return false;

    if (!R::isAfter(version, QStringLiteral("1.1")))
        return true;
    if (!in.flag(c.HumanityFromVirtues) || !in.flag(c.WillpowerFromVirtues))
        return false;
    if (!R::isAfter(version, QStringLiteral("1.22")))
        return true;
    if (!in.integer(c.Humanity) || !in.integer(c.Willpower))
        return false;
    if (!R::isAfter(version, QStringLiteral("1.33")))
        return true;
    if (!in.text(c.StartingGenerationEdit))
        return false;
    result.StartingGeneration = DataFile::leadingNumber(*c.StartingGenerationEdit);
    if (!R::isAfter(version, QStringLiteral("1.36")))
        return true;
    if (!in.flag(c.ElysiumRule) || !in.flag(c.DirtySecretsRule))
        return false;

    if (R::isAfter(version, QStringLiteral("1.4")))
        return in.flag(c.ElderRules);
    if (holdsElderPreset(c))
        c.ElderRules = true;
    return true;
}

// The block after the body: the full texts go back into the body's values, the other entries
// into the record as they stand.
void readExtension(const QStringList& lines, qsizetype first, CharacterReadResult& result)
{
    std::optional<CharacterExtensionBlock::Read> block =
        CharacterExtensionBlock::read(lines, first);
    if (!block)
        return;
    if (block->damagedLine > 0)
        result.messages.append(
            {LoadError, QStringLiteral("The additions at the end of the file are damaged at line "
                                       "%1.\nWhat follows that line was not loaded.")
                            .arg(block->damagedLine)});
    if (const std::optional<QString> texts = block->extension.take(CharacterReader::FullTextsKey))
        CharacterFileText::restoreFullTexts(result.record, *texts);
    result.record.extension = block->extension;
}

} // namespace

bool CharacterReader::isAfter(const QString& version, const QString& other)
{
    return QString::compare(version, other, Qt::CaseSensitive) > 0;
}

CharacterReadResult CharacterReader::read(const QStringList& lines, const QString& path)
{
    CharacterReadResult result;
    QString banner = lines.value(0);
    if (banner == u"Tarnoch v0.9Alpha")
        banner = CurrentPrefix + QStringLiteral("0.9Alpha");
    if (!banner.startsWith(CurrentPrefix)) {
        result.bannerRejected = true;
        result.messages.append({LoadError, banner.startsWith(u"Tarnoch v")
                                               ? QStringLiteral("Old dataformat not supported")
                                               : QStringLiteral("Unknown data format")});
        return result;
    }

    result.version = banner.mid(CurrentPrefix.size(), 100);
    for (const LegacyVersion& legacy : legacyVersions()) {
        if (legacy.version == result.version)
            result.messages.append(
                {legacy.caption, QStringLiteral("File \"") + fileName(path) + legacy.text});
    }

    LineCursor in(lines);
    if (!readSheet(in, result.record) || !readRules(in, result.version, result)) {
        result.corrupt = true;
        result.stopLine = in.stopLine();
        result.messages.append(
            {LoadError, QStringLiteral("Data file is corrupt.\n"
                                       "The character will probably be loaded incorrect.")});
        return result;
    }
    readExtension(lines, in.position(), result);
    return result;
}
