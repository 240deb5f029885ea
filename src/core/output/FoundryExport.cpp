#include "FoundryExport.h"

#include "engine/GenerationRules.h"
#include "files/CharacterFileText.h"
#include "output/RtfReader.h"
#include "output/SheetComposer.h"
#include "rules/TextRoutines.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTextDocument>
#include <array>
#include <set>

using TextRoutines::StripDots;
using Trait = Character::Trait;

namespace {

const std::array<const char*, 3> ColumnTypes = {"talent", "skill", "knowledge"};

// The abilities the system keeps on every actor, with the column each belongs to.
const std::vector<std::pair<const char*, int>> SystemAbilities = {
    {"alertness", 0},    {"art", 0},        {"athletics", 0},     {"awareness", 0},
    {"brawl", 0},        {"dodge", 0},      {"empathy", 0},       {"expression", 0},
    {"intimidation", 0}, {"intuition", 0},  {"kenning", 0},       {"leadership", 0},
    {"persuasion", 0},   {"primalurge", 0}, {"streetwise", 0},    {"subterfuge", 0},
    {"animalken", 1},    {"craft", 1},      {"demolitions", 1},   {"drive", 1},
    {"etiquette", 1},    {"firearms", 1},   {"larceny", 1},       {"martialarts", 1},
    {"meditation", 1},   {"melee", 1},      {"performance", 1},   {"security", 1},
    {"stealth", 1},      {"survival", 1},   {"academics", 2},     {"bureaucracy", 2},
    {"computer", 2},     {"cosmology", 2},  {"enigmas", 2},       {"esoterica", 2},
    {"finance", 2},      {"gremayre", 2},   {"investigation", 2}, {"law", 2},
    {"linguistics", 2},  {"medicine", 2},   {"occult", 2},        {"politics", 2},
    {"religion", 2},     {"research", 2},   {"rituals", 2},       {"science", 2},
    {"technology", 2}};

// Strength ... Wits in the character's order, then the two the system keeps hidden.
const std::array<std::pair<const char*, const char*>, 11> Attributes = {{{"strength", "physical"},
                                                                         {"dexterity", "physical"},
                                                                         {"stamina", "physical"},
                                                                         {"charisma", "social"},
                                                                         {"manipulation", "social"},
                                                                         {"appearance", "social"},
                                                                         {"perception", "mental"},
                                                                         {"intelligence", "mental"},
                                                                         {"wits", "mental"},
                                                                         {"composure", "social"},
                                                                         {"resolve", "mental"}}};

// The system's keys for the clans and paths it lists; any other goes in as "custom".
const std::vector<std::pair<const char*, const char*>> Clans = {
    {"Caitiff", "caitiff"},      {"Assamite", "assamite"},   {"Brujah", "brujah"},
    {"Followers of Set", "set"}, {"Gangrel", "gangrel"},     {"Giovanni", "giovanni"},
    {"Lasombra", "lasombra"},    {"Malkavian", "malkavian"}, {"Nosferatu", "nosferatu"},
    {"Ravnos", "ravnos"},        {"Toreador", "toreador"},   {"Tremere", "tremere"},
    {"Tzimisce", "tzimisce"},    {"Ventrue", "ventrue"}};
const std::vector<std::pair<const char*, const char*>> Paths = {
    {"Humanity", "humanity"},
    {"Path of Blood", "blood"},
    {"Path of Caine", "caine"},
    {"Path of Cathari", "cathari"},
    {"Path of the Feral Heart", "feralheart"},
    {"Path of Honorable Accord", "accord"},
    {"Path of Lilith", "lilith"},
    {"Path of Metamorphosis", "metamorphosis"},
    {"Path of Night", "night"},
    {"Path of Paradox", "paradox"},
    {"Path of Power and the Inner Voice", "innervoice"},
    {"Path of Typhon", "typhon"}};

// Traits of other games that a vampire's sheet still carries, at their starting values.
const std::array<const char*, 9> OtherAdvantages = {"rage",         "gnosis",   "glamour",
                                                    "banality",     "vitality", "spite",
                                                    "quintessence", "faith",    "nightmare"};
const std::array<const char*, 8> EasternAdvantages = {"yinchi", "yin", "yang", "yangchi",
                                                      "dharma", "hun", "po",   "demonchi"};

QString key(const char* text)
{
    return QString::fromLatin1(text);
}

// "Animal Ken" and "animalken" name the same ability.
QString simplified(const QString& name)
{
    QString letters;
    for (const QChar c : name)
        if (c.isLetter())
            letters += c.toLower();
    return letters;
}

template <typename Table> QString lookup(const Table& table, const QString& name)
{
    for (const auto& [text, id] : table)
        if (name == QLatin1String(text))
            return key(id);
    return {};
}

QString systemAbilityKey(const QString& name)
{
    const QString letters = simplified(name);
    if (letters == u"crafts")
        return QStringLiteral("craft");
    for (const auto& [id, column] : SystemAbilities)
        if (letters == QLatin1String(id))
            return key(id);
    return {};
}

// A rated value of the system: permanent, temporary and the dice it rolls.
QJsonObject pool(int rating, int max, const QString& label)
{
    return {{"permanent", rating},
            {"temporary", rating},
            {"max", max},
            {"roll", rating},
            {"label", label}};
}

// The fields every item of the system carries, whatever its type.
QJsonObject itemSystem(const QString& type, int value, int max, const QString& level)
{
    return {{"iscreated", true},
            {"isactive", false},
            {"isvisible", true},
            {"isremovable", true},
            {"order", 0},
            {"version", FoundryExport::SystemVersion},
            {"parentid", ""},
            {"itemuuid", ""},
            {"worldanvil", ""},
            {"reference", ""},
            {"description", ""},
            {"details", ""},
            {"property", QJsonArray()},
            {"bonuslist", QJsonArray()},
            {"type", type},
            {"level", level},
            {"value", value},
            {"max", max}};
}

// Foundry keys embedded documents by a 16-letter id; the same character gives the same ids.
QString itemId(int index, const QString& name)
{
    static const QLatin1String alphabet(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    const QByteArray hash = QCryptographicHash::hash(
        QStringLiteral("%1:%2").arg(index).arg(name).toUtf8(), QCryptographicHash::Sha1);
    QString id;
    for (int i = 0; i < 16; ++i)
        id += alphabet[uchar(hash[i]) % alphabet.size()];
    return id;
}

class ActorBuilder
{
public:
    explicit ActorBuilder(const Character& c) : m_c(c)
    {
        const int generation = SheetComposer::generationNumber(c.header[6]);
        m_traitMax = GenerationRules::maxTraitRating(generation, c.settings.GolcondaOn,
                                                     c.settings.GolcondaChoice);
        m_powerMax = GenerationRules::disciplineMaxDots(m_traitMax, c.settings.GolcondaOn,
                                                        c.settings.GolcondaChoice);
    }

    QJsonObject build()
    {
        QJsonObject system = base();
        system.insert("settings", settings());
        system.insert("abilities", abilities());
        system.insert("attributes", attributes());
        system.insert("advantages", advantages());
        system.insert("health", health());
        insertVampire(system);
        addItems();

        // Foundry takes no actor without a name.
        const QString name = m_c.header[0].trimmed();
        return {{"name", name.isEmpty()
                             ? QCoreApplication::translate("FoundryExport", "Unnamed vampire")
                             : name},
                {"type", "Vampire"},
                {"img", "icons/svg/mystery-man.svg"},
                {"system", system},
                {"items", m_items},
                {"effects", QJsonArray()},
                {"flags", QJsonObject{{"tarnoch", QJsonObject{{"systemVersion",
                                                               FoundryExport::SystemVersion}}}}},
                {"_stats", QJsonObject{{"systemId", FoundryExport::SystemId},
                                       {"systemVersion", FoundryExport::SystemVersion}}}};
    }

private:
    // What the system's own creation sets for a vampire, marked done, so that it leaves the
    // actor as it comes.
    QJsonObject settings() const
    {
        const QJsonObject soakRoll = {{"bonus", 0}, {"isrollable", true}};
        QJsonObject settings = {
            {"iscreated", true},
            {"isupdated", true},
            {"isshapecreated", false},
            {"version", FoundryExport::SystemVersion},
            {"soak", QJsonObject{{"bashing", soakRoll},
                                 {"lethal", soakRoll},
                                 {"aggravated", QJsonObject{{"bonus", 0}, {"isrollable", false}}}}},
            {"abilities", QJsonObject{{"defaultmaxvalue", m_traitMax}}},
            {"era", "wod.era.modern"},
            {"variant", ""},
            {"variantsheet", ""},
            {"dicesetting", ""}};
        for (const char* flag :
             {"hasrage", "hasgnosis", "hasglamour", "hasbanality", "hasnightmare", "hasconviction",
              "hasfaith", "hastorment", "hasessence", "hascorpus", "haspathos", "hasangst",
              "hasvitality", "hasspite", "hasbalance", "hassekhem", "hasquintessence"})
            settings.insert(flag, false);
        for (const char* flag :
             {"haswillpower", "haspath", "hasbloodpool", "hasvirtue", "usesplatfont"})
            settings.insert(flag, true);
        QJsonObject powers = {{"defaultmaxvalue", m_powerMax}, {"hasdisciplines", true}};
        for (const char* flag :
             {"hasgifts", "hasarts", "hasedges", "haslores", "hasarcanois", "hascharms",
              "haspowers", "hashorrors", "hasstains", "hashekau", "hasnumina"})
            powers.insert(flag, false);
        settings.insert("powers", powers);
        return settings;
    }

    // The clan and generation; the system's other fields for vampires and the other games at
    // their starting values.
    void insertVampire(QJsonObject& system) const
    {
        for (const char* field : {"affiliation", "affinity", "essence", "sect", "bloodline",
                                  "weakness", "sire", "balance", "ponature", "direction", "wu"})
            system.insert(field, "");
        system.insert(
            "conditions",
            QJsonObject{{"isignoringpain", false}, {"isstunned", false}, {"isfrenzy", false}});
        const QString clan = m_c.header[5].trimmed();
        QString clanKey = lookup(Clans, clan);
        if (clanKey.isEmpty() && clan.endsWith(u')')) // "Malkavian (Revised)" is the clan itself
            clanKey = lookup(Clans, clan.left(clan.lastIndexOf(u" (")));
        system.insert("clan", clanKey.isEmpty()
                                  ? (clan.isEmpty() ? QString() : QStringLiteral("custom"))
                                  : QStringLiteral("wod.bio.vampire.") + clanKey);
        system.insert("custom",
                      QJsonObject{{"sect", ""}, {"clan", clanKey.isEmpty() ? clan : QString()}});
        system.insert("generation", SheetComposer::generationNumber(m_c.header[6]));
        system.insert("generationmod", 0);
    }

    QJsonObject base() const
    {
        const QJsonObject zeroSoak = {{"bashing", 0}, {"lethal", 0}, {"aggravated", 0}};
        return {{"traits",
                 QJsonObject{{"health", QJsonObject{{"totalhealthlevels",
                                                     QJsonObject{{"value", 7}, {"max", 7}}}}}}},
                {"worldanvil", ""},
                {"name", m_c.header[0]},
                {"player", m_c.header[1]},
                {"nature", m_c.header[3]},
                {"demeanor", m_c.header[4]},
                {"concept", m_c.header[8]},
                {"appearance", ""},
                {"background", ""},
                {"roleplaytip", ""},
                {"derangement", ""},
                {"notes", notes()},
                {"gear", ""},
                {"money", QJsonObject{{"carried", 0}, {"bank", 0}}},
                {"soak", zeroSoak},
                {"initiative", QJsonObject{{"base", 0}, {"bonus", 0}, {"total", 0}}},
                {"movement",
                 QJsonObject{
                     {"walk", 0}, {"jog", 0}, {"run", 0}, {"fly", 0}, {"vjump", 0}, {"hjump", 0}}},
                {"variant", QJsonObject{{"shade", ""}, {"lament", ""}, {"role", ""}}}};
    }

    // The notes as paragraphs of plain text: the system's editor takes HTML.
    QString notes() const
    {
        if (m_c.notes.isEmpty())
            return {};
        QTextDocument document;
        if (!RtfReader().read(CharacterFileText::encode(m_c.notes), &document))
            document.setPlainText(m_c.notes.join(u'\n'));
        QString html;
        for (const QString& line : document.toPlainText().split(u'\n'))
            if (!line.trimmed().isEmpty())
                html += QStringLiteral("<p>") + line.toHtmlEscaped() + QStringLiteral("</p>");
        return html;
    }

    QJsonObject attributes() const
    {
        QJsonObject list;
        for (int i = 0; i < int(Attributes.size()); ++i) {
            const bool shown = i < 9;
            const int value = shown ? m_c.attributes[i].rating : 1;
            list.insert(
                key(Attributes[i].first),
                QJsonObject{
                    {"value", value},
                    {"bonus", 0},
                    {"total", value},
                    {"max", m_traitMax},
                    {"type", Attributes[i].second},
                    {"label", QStringLiteral("wod.attributes.") + key(Attributes[i].first)},
                    {"speciality", shown ? FoundryExport::specialty(m_c.attributes[i]) : QString()},
                    {"isvisible", shown},
                    {"isfavorited", false}});
        }
        return list;
    }

    // The sheet's ability rows go to the system's ability of the same name; a name the system
    // does not keep, or a second row of one name, becomes a secondary ability of its column.
    QJsonObject abilities()
    {
        QJsonObject list;
        for (const auto& [id, column] : SystemAbilities)
            list.insert(key(id), ability(column, key(id), Trait{}, false));
        std::set<QString> filled;
        for (int column = 0; column < 3; ++column) {
            for (int r = 0; r < m_c.rows.AbilityRows; ++r) {
                const Trait& row = m_c.abilities[column][r];
                const QString name = StripDots(row.name).trimmed();
                if (name.isEmpty())
                    continue;
                const QString id = systemAbilityKey(name);
                if (!id.isEmpty() && filled.insert(id).second)
                    list.insert(id, ability(column, id, row, true));
                else
                    addSecondary(column, name, row);
            }
        }
        for (int column = 0; column < 3; ++column)
            for (int r = 0; r < m_c.rows.SecondaryRows; ++r)
                if (const QString name = StripDots(m_c.secondaries[column][r].name).trimmed();
                    !name.isEmpty())
                    addSecondary(column, name, m_c.secondaries[column][r]);
        return list;
    }

    QJsonObject ability(int column, const QString& id, const Trait& row, bool shown) const
    {
        return {{"type", ColumnTypes[column]},
                {"value", row.rating},
                {"max", m_traitMax},
                {"label", QStringLiteral("wod.abilities.") + id},
                {"altlabel", ""},
                {"speciality", FoundryExport::specialty(row)},
                {"isvisible", shown},
                {"isfavorited", false}};
    }

    void addSecondary(int column, const QString& name, const Trait& row)
    {
        static const std::array<const char*, 3> types = {"wod.types.talentsecondability",
                                                         "wod.types.skillsecondability",
                                                         "wod.types.knowledgesecondability"};
        QJsonObject system =
            itemSystem(key(types[column]), row.rating, m_traitMax, QStringLiteral("0"));
        for (auto [field, value] : {std::pair{"ismeleeweapon", false},
                                    {"israngedeweapon", false},
                                    {"ispower", false},
                                    {"isrollable", false},
                                    {"isfavorited", false}})
            system.insert(field, value);
        system.insert("label", name);
        system.insert("speciality", FoundryExport::specialty(row));
        system.insert("dice1", "");
        system.insert("dice2", "");
        system.insert("bonus", 0);
        system.insert("difficulty", 6);
        system.insert("icon", "");
        addItem(name, QStringLiteral("Trait"), system);
    }

    // Disciplines as powers with their rating; backgrounds with their rating, merits and
    // flaws with their points, as features.
    void addItems()
    {
        for (int r = 0; r < m_c.rows.DisciplineRows; ++r) {
            const QString name = StripDots(m_c.disciplines[r].name).trimmed();
            if (name.isEmpty())
                continue;
            QJsonObject system =
                itemSystem(QStringLiteral("wod.types.discipline"), m_c.disciplines[r].rating,
                           m_powerMax, QStringLiteral("0"));
            for (auto [field, text] : {std::pair{"category", ""},
                                       {"dice1", ""},
                                       {"dice2", ""},
                                       {"secondaryabilityid", ""},
                                       {"game", ""},
                                       {"arttype", ""},
                                       {"charmtype", ""}})
                system.insert(field, text);
            system.insert("bonus", 0);
            system.insert("difficulty", 0);
            for (const char* flag : {"isrollable", "spendwillpower", "spendrage", "spendgnosis",
                                     "spendblood", "spendglamour"})
                system.insert(flag, false);
            addItem(name, QStringLiteral("Power"), system);
        }
        for (int r = 0; r < m_c.rows.BackgroundRows; ++r) {
            const Trait& row = m_c.backgrounds[r];
            if (const QString name = StripDots(row.name).trimmed(); !name.isEmpty())
                addFeature(name, QStringLiteral("wod.types.background"), row.rating);
        }
        addEntries(m_c.merits, m_c.rows.MeritRows, QStringLiteral("wod.types.merit"));
        addEntries(m_c.flaws, m_c.rows.FlawRows, QStringLiteral("wod.types.flaw"));
    }

    // "Eat Food (1)": the name, and the points in the parentheses.
    void addEntries(const std::array<QString, SheetLayout::RowsPerGroup>& rows, int count,
                    const QString& type)
    {
        for (int r = 0; r < count; ++r) {
            QString name = StripDots(rows[r]).trimmed();
            if (name.isEmpty())
                continue;
            int points = 0;
            const qsizetype open = name.lastIndexOf(u'(');
            if (open > 0 && name.endsWith(u')')) {
                bool number = false;
                points = name.mid(open + 1, name.size() - open - 2).trimmed().toInt(&number);
                if (number)
                    name = name.left(open).trimmed();
                else
                    points = 0;
            }
            addFeature(name, type, points);
        }
    }

    void addFeature(const QString& name, const QString& type, int value)
    {
        QJsonObject system = itemSystem(type, value, std::max(5, value), QString::number(value));
        system.insert("isrollable", false);
        addItem(name, QStringLiteral("Feature"), system);
    }

    void addItem(const QString& name, const QString& type, const QJsonObject& system)
    {
        m_items.append(QJsonObject{{"_id", itemId(int(m_items.size()), name)},
                                   {"name", name},
                                   {"type", type},
                                   {"system", system},
                                   {"effects", QJsonArray()},
                                   {"flags", QJsonObject()}});
    }

    QJsonObject advantages() const
    {
        QJsonObject list;
        for (const char* name : OtherAdvantages)
            list.insert(name, pool(0, 10, QStringLiteral("wod.advantages.") + key(name)));
        for (const char* name : EasternAdvantages)
            list.insert(name, pool(0, 10, QStringLiteral("wod.advantages.") + key(name)));
        list.insert("willpower",
                    pool(m_c.willpower.rating, 10, QStringLiteral("wod.advantages.willpower")));

        // The system names the first two virtues after the path's when they are Conviction
        // and Instinct.
        static const std::array<std::pair<const char*, const char*>, 3> virtues = {
            {{"conscience", "conviction"}, {"selfcontrol", "instinct"}, {"courage", ""}}};
        QJsonObject virtueList;
        for (int i = 0; i < 3; ++i) {
            const auto [id, other] = virtues[i];
            // The Sabbat's older set calls Instinct "Instincts".
            const QString shown = simplified(StripDots(m_c.virtueNames[i]));
            const bool renamed =
                *other && (shown == QLatin1String(other) || shown == QLatin1String(other) + u's');
            virtueList.insert(
                id, pool(m_c.virtues[i].rating, 5,
                         QStringLiteral("wod.advantages.virtue.") + key(renamed ? other : id)));
        }
        list.insert("virtues", virtueList);

        const QString pathKey = lookup(Paths, m_c.path.trimmed());
        QJsonObject path =
            pool(m_c.humanity.rating, 10,
                 pathKey.isEmpty() ? QStringLiteral("custom")
                                   : QStringLiteral("wod.advantages.path.") + pathKey);
        path.insert("value", m_c.humanity.rating);
        path.insert("bearing", 0);
        path.insert("bearingtext", "");
        path.insert("custom", pathKey.isEmpty() ? m_c.path.trimmed() : QString());
        path.remove("temporary");
        list.insert("path", path);

        const int bloodMax = m_c.bloodPoolBoxes;
        list.insert("bloodpool", QJsonObject{{"temporary", bloodMax},
                                             {"max", bloodMax},
                                             {"perturn", m_c.bloodPerTurn.toInt()}});
        return list;
    }

    static QJsonObject health()
    {
        QJsonObject levels{{"damage", QJsonObject{{"bashing", 0},
                                                  {"lethal", 0},
                                                  {"aggravated", 0},
                                                  {"woundlevel", ""},
                                                  {"woundpenalty", 0}}}};
        static const std::array<std::pair<const char*, int>, 7> penalties = {
            {{"bruised", 0},
             {"hurt", -1},
             {"injured", -1},
             {"wounded", -2},
             {"mauled", -2},
             {"crippled", -5},
             {"incapacitated", -99}}};
        for (const auto& [level, penalty] : penalties)
            levels.insert(level,
                          QJsonObject{{"value", 1},
                                      {"total", 1},
                                      {"penalty", penalty},
                                      {"label", QStringLiteral("wod.health.") + key(level)}});
        return levels;
    }

    const Character& m_c;
    int m_traitMax = 5;
    int m_powerMax = 5;
    QJsonArray m_items;
};

} // namespace

QJsonObject FoundryExport::actor(const Character& character)
{
    return ActorBuilder(character).build();
}

// The text as the player wrote it, counting or not: the table judges the fourth dot.
QString FoundryExport::specialty(const Character::Trait& trait)
{
    return trait.specialty;
}

QString FoundryExport::writeFile(const QString& fileName, const Character& character)
{
    QSaveFile file(fileName);
    const QByteArray json = QJsonDocument(actor(character)).toJson(QJsonDocument::Indented);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        return QCoreApplication::translate("FoundryExport",
                                           "The file \"%1\" could not be written: %2")
            .arg(QDir::toNativeSeparators(fileName), file.errorString());
    return {};
}
