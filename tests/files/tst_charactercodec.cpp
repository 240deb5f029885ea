#include "FullCharacter.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterWriter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(CharacterRecord)

namespace {

using Record = CharacterRecord;

const QString Corrupt = QStringLiteral("message: Load error | Data file is corrupt.\\nThe "
                                       "character will probably be loaded incorrect.");

QString show(const QString& text)
{
    return text;
}
QString show(int value)
{
    return QString::number(value);
}
QString show(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}
QString show(float value)
{
    return QString::number(value);
}
QString show(const Record::Trait& trait)
{
    return trait.name + QLatin1Char(' ') + show(trait.rating);
}
QString show(const Record::AbilityRow& row)
{
    return show(row.talent) + " / " + show(row.skill) + " / " + show(row.knowledge);
}
QString show(const Record::FixedAbilityRow& row)
{
    return QStringLiteral("%1 %2 %3").arg(row.talent).arg(row.skill).arg(row.knowledge);
}
QString show(const Record::PriorityBox& box)
{
    return QStringLiteral("%1 %2 %3 / %4 %5 %6")
        .arg(box.CategoryOne)
        .arg(box.CategoryTwo)
        .arg(box.CategoryThree)
        .arg(box.ValueFirst)
        .arg(box.ValueSecond)
        .arg(box.ValueThird);
}
QString show(const std::array<Record::FixedAbilityRow, 10>& rows)
{
    QStringList parts;
    for (const Record::FixedAbilityRow& row : rows)
        parts << show(row);
    return parts.join(QStringLiteral(", "));
}
template <typename Row> QString show(const QList<Row>& rows)
{
    QStringList parts;
    for (const Row& row : rows)
        parts << show(row);
    return parts.join(QStringLiteral("; "));
}

// "Key: value" for every value the read gave, sorted, as the .expect files name them.
QStringList describe(const Record& c, std::optional<int> StartingGeneration = {})
{
    QStringList values;
    const auto put = [&](const char* key, const auto& value) {
        if (value)
            values << QLatin1String(key) + QStringLiteral(": ") + show(*value);
    };
    put("Name", c.Name);
    put("Player", c.Player);
    put("Chronicle", c.Chronicle);
    put("Nature", c.Nature);
    put("Demeanor", c.Demeanor);
    put("Clan", c.Clan);
    put("Generation", c.Generation);
    put("Haven", c.Haven);
    put("Concept", c.Concept);
    put("FixedAbilities", c.FixedAbilities);
    put("FreeAbilities", c.FreeAbilities);
    put("SecondaryAbilities", c.SecondaryAbilities);
    put("Disciplines", c.Disciplines);
    put("Backgrounds", c.Backgrounds);
    put("Conscience", c.Conscience);
    put("SelfControl", c.SelfControl);
    put("Courage", c.Courage);
    put("Merits", c.Merits);
    put("Flaws", c.Flaws);
    put("Path", c.Path);
    put("BoughtHumanity", c.BoughtHumanity);
    put("BoughtWillpower", c.BoughtWillpower);
    if (c.Notes)
        values << QStringLiteral("Notes: ") + c.Notes->join(QStringLiteral(" | "));
    put("AttributePriorities", c.AttributePriorities);
    put("AbilityPriorities", c.AbilityPriorities);
    put("DisciplineEdit", c.DisciplineEdit);
    put("BackgroundEdit", c.BackgroundEdit);
    put("VirtueEdit", c.VirtueEdit);
    put("MaxPrimaryEdit", c.MaxPrimaryEdit);
    put("MaxSecondaryEdit", c.MaxSecondaryEdit);
    put("MaxHumanityEdit", c.MaxHumanityEdit);
    put("FreebiesEdit", c.FreebiesEdit);
    put("VirtueNamesEdit", c.VirtueNamesEdit);
    put("SecondaryCostFactor", c.SecondaryCostFactor);
    put("GolcondaOn", c.GolcondaOn);
    put("GolcondaChoice", c.GolcondaChoice);
    put("Strength", c.Strength);
    put("Dexterity", c.Dexterity);
    put("Stamina", c.Stamina);
    put("Charisma", c.Charisma);
    put("Manipulation", c.Manipulation);
    put("Appearance", c.Appearance);
    put("Perception", c.Perception);
    put("Intelligence", c.Intelligence);
    put("Wits", c.Wits);
    put("ChosenBooks", c.ChosenBooks);
    put("HumanityFromVirtues", c.HumanityFromVirtues);
    put("WillpowerFromVirtues", c.WillpowerFromVirtues);
    put("Humanity", c.Humanity);
    put("Willpower", c.Willpower);
    put("StartingGenerationEdit", c.StartingGenerationEdit);
    put("StartingGeneration", StartingGeneration);
    put("ElysiumRule", c.ElysiumRule);
    put("DirtySecretsRule", c.DirtySecretsRule);
    put("ElderRules", c.ElderRules);
    values.sort();
    return values;
}

QString outcome(const CharacterReadResult& result)
{
    if (result.bannerRejected)
        return QStringLiteral("rejected");
    return result.corrupt ? QStringLiteral("corrupt at line %1").arg(result.stopLine)
                          : QStringLiteral("complete");
}

// Checks a read against expectation lines in the form of the golden .expect files.
void check(const CharacterReadResult& result, const QStringList& expectations)
{
    static const QStringList allKeys = [] {
        QStringList keys;
        for (const QString& value : describe(fullCharacter(), 9))
            keys << value.section(QLatin1Char(':'), 0, 0);
        return keys;
    }();
    const QStringList values = describe(result.record, result.StartingGeneration);
    const auto valueOf = [&](const QString& key) {
        for (const QString& value : values) {
            if (value.startsWith(key + QLatin1Char(':')))
                return value;
        }
        return key + QStringLiteral(": (absent)");
    };
    QStringList expectedMessages;
    for (const QString& line : expectations) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString key = line.section(QLatin1Char(':'), 0, 0);
        const QString value = line.mid(key.size() + 2);
        if (key == u"outcome") {
            QCOMPARE(outcome(result), value);
        } else if (key == u"version") {
            QCOMPARE(result.version, value);
        } else if (key == u"message") {
            expectedMessages << QString(value).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        } else if (key == u"absent" && value == u"everything") {
            QCOMPARE(values, QStringList());
        } else if (key == u"absent") {
            for (const QString& absent : value.split(QLatin1Char(' '))) {
                QVERIFY2(allKeys.contains(absent), qPrintable(absent));
                QCOMPARE(valueOf(absent), absent + QStringLiteral(": (absent)"));
            }
        } else {
            QVERIFY2(allKeys.contains(key), qPrintable(key));
            QCOMPARE(valueOf(key), line);
        }
    }
    QStringList messages;
    for (const CharacterReadResult::Message& message : result.messages)
        messages << message.caption + QStringLiteral(" | ") + message.text;
    QCOMPARE(messages, expectedMessages);
}

QByteArray bytesOf(const Record& character)
{
    return CharacterFileText::encode(CharacterWriter::lines(character));
}

CharacterReadResult readBytes(const QByteArray& bytes)
{
    return CharacterReader::read(CharacterFileText::decode(bytes), QStringLiteral("x.tnc"));
}

QByteArray garbage(int size)
{
    QRandomGenerator random(1252);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    bytes[0] = '\x01';
    return bytes;
}

} // namespace

class TestCharacterCodec : public QObject
{
    Q_OBJECT

private slots:
    void goldenFiles_data()
    {
        QTest::addColumn<QString>("path");
        const QDir golden(QStringLiteral(TARNOCH_SOURCE_DIR "tests/files/golden"));
        const QStringList files = golden.entryList({QStringLiteral("*.tnc")});
        QVERIFY(files.size() >= 17);
        for (const QString& file : files)
            QTest::newRow(qPrintable(file)) << golden.filePath(file);
    }
    void goldenFiles()
    {
        QFETCH(QString, path);
        QFile file(path);
        QFile expectation(path.chopped(4) + QStringLiteral(".expect"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(expectation.open(QIODevice::ReadOnly));
        const CharacterReadResult result =
            CharacterReader::read(CharacterFileText::decode(file.readAll()), path);
        check(result, QString::fromUtf8(expectation.readAll()).split(QLatin1Char('\n')));
    }

    void roundTrip_data()
    {
        QTest::addColumn<Record>("written");
        QTest::addColumn<Record>("expected");
        const Record full = fullCharacter();
        QTest::newRow("every list full") << full << full;

        Record typed = full;
        typed.DisciplineEdit = QStringLiteral("x");
        typed.BackgroundEdit = QString();
        typed.MaxPrimaryEdit = QStringLiteral("Unlimited");
        typed.MaxHumanityEdit = QStringLiteral("Unlimited");
        typed.FreebiesEdit = QStringLiteral(" 20 ");
        Record numbers = typed;
        numbers.DisciplineEdit = QStringLiteral("3");
        numbers.BackgroundEdit = QStringLiteral("5");
        numbers.MaxPrimaryEdit = QStringLiteral("999");
        numbers.FreebiesEdit = QStringLiteral("20");
        QTest::newRow("boxes without a number") << typed << numbers;

        Record broken = full;
        broken.Name = QStringLiteral("Two\r\nlines");
        broken.Merits->last() = QStringLiteral("a\nb");
        Record mended = broken;
        mended.Name = QStringLiteral("Two  lines");
        mended.Merits->last() = QStringLiteral("a b");
        QTest::newRow("line breaks in texts") << broken << mended;
    }
    void roundTrip()
    {
        QFETCH(Record, written);
        QFETCH(Record, expected);
        const QByteArray bytes = bytesOf(written);
        QCOMPARE(bytesOf(written), bytes);
        const CharacterReadResult result = readBytes(bytes);
        QCOMPARE(outcome(result), QStringLiteral("complete"));
        QVERIFY(result.messages.isEmpty());
        QCOMPARE(describe(result.record), describe(expected));
        QVERIFY(result.record == expected);
        QCOMPARE(bytesOf(result.record), bytes);
    }

    void writtenLines_data()
    {
        QTest::addColumn<Record>("character");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        Record normalCost;
        normalCost.SecondaryCostFactor = 1.0f;
        Record limits;
        limits.MaxSecondaryEdit = QStringLiteral("Unlimited");
        Record elder;
        elder.ElderRules = true;
        QTest::newRow("banner") << Record() << 1 << QStringLiteral("Tarnoch98 v1.43");
        QTest::newRow("ten ability rows") << Record() << 41 << QStringLiteral("10");
        QTest::newRow("half cost") << Record() << 74 << QStringLiteral("0.5");
        QTest::newRow("normal cost") << normalCost << 74 << QStringLiteral("1");
        QTest::newRow("limit without a number") << limits << 70 << QStringLiteral("999");
        QTest::newRow("maximum Humanity as typed") << Record() << 71 << QStringLiteral("Unlimited");
        QTest::newRow("starting generation") << Record() << 91 << QStringLiteral("13");
        QTest::newRow("Elder rules last") << elder << 94 << QStringLiteral("1");
    }
    void writtenLines()
    {
        QFETCH(Record, character);
        QFETCH(int, line);
        QFETCH(QString, text);
        const QStringList lines = CharacterWriter::lines(character);
        QCOMPARE(lines.size(), 94); // the shortest file: every list empty
        QCOMPARE(lines[line - 1], text);
    }

    void versionOrder_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("other");
        QTest::addColumn<bool>("after");
        QTest::newRow("1.43 after 1.4") << "1.43"
                                        << "1.4" << true;
        QTest::newRow("1.4 after 1.36") << "1.4"
                                        << "1.36" << true;
        QTest::newRow("1.36 not after 1.4") << "1.36"
                                            << "1.4" << false;
        QTest::newRow("not after itself") << "1.4"
                                          << "1.4" << false;
        QTest::newRow("1.2 before 1.22") << "1.2"
                                         << "1.22" << false;
        QTest::newRow("1.0 after 0.9Alpha") << "1.0"
                                            << "0.9Alpha" << true;
    }
    void versionOrder()
    {
        QFETCH(QString, version);
        QFETCH(QString, other);
        QFETCH(bool, after);
        QCOMPARE(CharacterReader::isAfter(version, other), after);
    }

    // A new sheet's file (94 lines) with one line changed or the file cut short.
    void damagedFiles_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("keep");
        QTest::addColumn<QStringList>("expect");
        const auto row = [](const char* name, int line, const QString& text, int keep,
                            const QStringList& expect) {
            QTest::newRow(name) << line << text << keep << expect;
        };
        const QString Kept = QStringLiteral("Name: Mira");
        row("ability count 9", 41, "9", -1,
            {"outcome: corrupt at line 41", Corrupt,
             "FixedAbilities: 0 0 0, 0 0 0, 0 0 0, "
             "0 0 0, 0 0 0, 0 0 0, 0 0 0, 0 0 0, 0 0 0, 0 0 0",
             "absent: FreeAbilities"});
        row("ability count 21", 41, "21", -1, {"outcome: corrupt at line 41", Corrupt, Kept});
        row("negative discipline count", 43, "-1", -1,
            {"outcome: corrupt at line 43", Corrupt,
             "SecondaryAbilities: ", "absent: Disciplines"});
        row("21 merits", 48, "21", -1, {"outcome: corrupt at line 48", Corrupt, "Conscience: 3"});
        row("notes count beyond the file", 53, "2000000000", -1,
            {"outcome: corrupt at line 95", Corrupt, "BoughtWillpower: 0", "absent: Notes"});
        row("notes count beyond an integer", 53, "99999999999", -1,
            {"outcome: corrupt at line 53", Corrupt, "absent: Notes"});
        row("negative notes count", 53, "-3", -1, {"outcome: corrupt at line 53", Corrupt});
        row("book count beyond the file", 86, "2000000000", -1,
            {"outcome: corrupt at line 95", Corrupt, "Wits: 1", "absent: HumanityFromVirtues"});
        row("rating x", 45, "x", -1,
            {"outcome: corrupt at line 45", Corrupt, Kept, "absent: Conscience"});
        row("rating with a fraction", 77, "3.0", -1,
            {"outcome: corrupt at line 77", Corrupt, "GolcondaChoice: 2", "absent: Strength"});
        row("Golconda choice not a number", 76, "two", -1,
            {"outcome: corrupt at line 76", Corrupt, "GolcondaOn: 0", "absent: GolcondaChoice"});
        row("cut inside the ability priorities", 0, {}, 62,
            {"outcome: corrupt at line 63", Corrupt, "AttributePriorities: 7 5 3 / 7 5 3",
             "absent: AbilityPriorities"});
        row("banner only", 0, {}, 1, {"outcome: corrupt at line 2", Corrupt, "absent: Name"});
        row("last line missing", 0, {}, 93,
            {"outcome: corrupt at line 94", Corrupt, "DirtySecretsRule: 1", "absent: ElderRules"});
        row("header text x", 9, "x", -1, {"outcome: complete", "Haven: x"});
        row("flag other than 1", 94, "yes", -1, {"outcome: complete", "ElderRules: 0"});
        row("cost factor 0,5", 74, "0,5", -1, {"SecondaryCostFactor: 0.5"});
        row("cost factor 1", 74, "1", -1, {"SecondaryCostFactor: 1"});
        row("cost factor 1.0", 74, "1.0", -1, {"SecondaryCostFactor: 0.5"});
        row("starting generation with words", 91, "  12th gen", -1,
            {"StartingGenerationEdit:   12th gen", "StartingGeneration: 12"});
        row("starting generation without a number", 91, "Elder", -1, {"StartingGeneration: 0"});
        row("version 1.37 is a 1.4 without the preset", 1, "Tarnoch98 v1.37", -1,
            {"outcome: complete", "DirtySecretsRule: 1", "absent: ElderRules"});
        row("version 1.2 reads as far as 1.1 and the dependencies", 1, "Tarnoch98 v1.2", -1,
            {"outcome: complete", "WillpowerFromVirtues: 1", "absent: Humanity"});
        row("empty version reads the sheet only", 1, "Tarnoch98 v", -1,
            {"outcome: complete", "version: ", "AbilityPriorities: 13 9 5 / 13 9 5",
             "absent: DisciplineEdit"});
        row("warning names the file after a backslash", 1, "Tarnoch98 v1.1", -1,
            {"message: Warning: Legacy dataformat (1.1) | File \"Mira.tnc\" does not contain all "
             "rules.\\nResave file to update data format."});
        row("banner with a blank before", 1, " Tarnoch98 v1.43", -1,
            {"outcome: rejected", "message: Load error | Unknown data format"});
        row("first banner with a blank after", 1, "Tarnoch v0.9Alpha ", -1,
            {"outcome: rejected", "message: Load error | Old dataformat not supported"});
    }
    void damagedFiles()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(int, keep);
        QFETCH(QStringList, expect);
        Record character;
        character.Name = QStringLiteral("Mira");
        character.Conscience = 3;
        QStringList lines = CharacterWriter::lines(character);
        if (line > 0)
            lines[line - 1] = text;
        if (keep >= 0)
            lines = lines.first(keep);
        const CharacterReadResult result =
            CharacterReader::read(lines, QStringLiteral("C:\\Games\\Tarnoch/x\\Mira.tnc"));
        check(result, expect);
    }

    // Files that are no character files at all, up to 100 MB.
    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("fill");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<QStringList>("expect");
        const QStringList unknown = {"outcome: rejected",
                                     "message: Load error | Unknown data format"};
        const QByteArray notesCount =
            CharacterFileText::encode(CharacterWriter::lines(Record()).first(52)) +
            "2000000000\r\n";
        const QString endOfLines =
            QStringLiteral("outcome: corrupt at line %1").arg(CharacterFileText::MaxLines + 1);
        QTest::newRow("empty") << QByteArray() << QByteArray() << 0 << unknown;
        QTest::newRow("binary garbage") << garbage(65536) << QByteArray() << 0 << unknown;
        QTest::newRow("100 MB of garbage") << QByteArray() << garbage(65536) << 1600 << unknown;
        QTest::newRow("100 MB of line breaks")
            << QByteArray() << QByteArray("\n") << 100'000'000 << unknown;
        QTest::newRow("enormous notes count, 100 MB of lines")
            << notesCount << QByteArray("\r\n") << 50'000'000
            << QStringList{endOfLines, Corrupt, "absent: Notes"};
        QTest::newRow("banner, then one 100 MB line")
            << QByteArray("Tarnoch98 v1.43\r\n") << QByteArray("x") << 100'000'000
            << QStringList{"outcome: corrupt at line 2", Corrupt};
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, fill);
        QFETCH(int, repeat);
        QFETCH(QStringList, expect);
        const QStringList lines = CharacterFileText::decode(head + fill.repeated(repeat));
        QVERIFY(lines.size() <= CharacterFileText::MaxLines);
        check(CharacterReader::read(lines, QStringLiteral("x.tnc")), expect);
    }

    void fileText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("written");
        const QByteArray ab("a\r\nb\r\n");
        QTest::newRow("CR LF") << ab << QStringList{"a", "b"} << ab;
        QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"} << ab;
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"} << ab;
        QTest::newRow("no break at the end") << QByteArray("a\r\nb") << QStringList{"a", "b"} << ab;
        QTest::newRow("CR, then CR LF")
            << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"} << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("LF, then CR")
            << QByteArray("a\n\rb") << QStringList{"a", "", "b"} << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("empty") << QByteArray() << QStringList() << QByteArray();
        QTest::newRow("one empty line")
            << QByteArray("\r\n") << QStringList{""} << QByteArray("\r\n");
        QTest::newRow("Windows-1252")
            << QByteArray("\xe9\x80\x9f\x81\xff") << QStringList{u"é€Ÿ\u0081ÿ"_qs}
            << QByteArray("\xe9\x80\x9f\x81\xff\r\n");
        // Not decoded: what cannot be stored is written as "?".
        QTest::newRow("unstorable")
            << QByteArray() << QStringList{u"Zoë 李😀\u0080"_qs} << QByteArray("Zo\xeb ???\r\n");
    }
    void fileText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, written);
        if (!written.contains('?'))
            QCOMPARE(CharacterFileText::decode(bytes), lines);
        QCOMPARE(CharacterFileText::encode(lines), written);
    }

    void unstorableFields_data()
    {
        QTest::addColumn<Record>("character");
        QTest::addColumn<QStringList>("expected");
        Record storable = fullCharacter();
        storable.Concept = QStringLiteral("Ærlig € ‰ œ ÿ");
        QTest::newRow("all storable") << storable << QStringList();
        Record name;
        name.Name = QStringLiteral("Zoë 李");
        QTest::newRow("name") << name << QStringList{"Name: 李"};
        Record rows = fullCharacter();
        (*rows.Merits)[2] = QStringLiteral("Luck → (3)");
        (*rows.FreeAbilities)[1].knowledge.name = QStringLiteral("Łore");
        (*rows.SecondaryAbilities)[0].skill.name = QStringLiteral("Ōkami");
        QTest::newRow("rows by their number")
            << rows << QStringList{"Knowledge 12: Ł", "Secondary Skill 1: Ō", "Merit 3: →"};
        Record notes;
        notes.Notes = QStringList{QStringLiteral("😀 ok ąę"), QStringLiteral("ą 😀")};
        notes.VirtueNamesEdit = QStringLiteral("Ψ");
        QTest::newRow("each character once") << notes << QStringList{"Notes: 😀ąę", "Virtues: Ψ"};
    }
    void unstorableFields()
    {
        QFETCH(Record, character);
        QFETCH(QStringList, expected);
        QStringList found;
        for (const CharacterFileText::Unstorable& field :
             CharacterFileText::unstorableFields(character))
            found << field.field + QStringLiteral(": ") + field.characters;
        QCOMPARE(found, expected);
    }
};

QTEST_GUILESS_MAIN(TestCharacterCodec)
#include "tst_charactercodec.moc"
