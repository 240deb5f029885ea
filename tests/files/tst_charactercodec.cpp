#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/RecordFields.h"
#include "files/CharacterDocument.h"
#include "files/CharacterExtensionBlock.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterSpecialties.h"
#include "files/CharacterWriter.h"

#include <QDir>
#include <QRandomGenerator>

Q_DECLARE_METATYPE(CharacterRecord)

namespace {

using Record = CharacterRecord;
using RecordFields::describe;

const QString Corrupt = QStringLiteral("message: Load error | Data file is corrupt.\\nThe "
                                       "character will probably be loaded incorrect.");

// The expectations of a read stopped as corrupt at the line.
QStringList corruptAt(int line, const QStringList& more = {})
{
    return QStringList{QStringLiteral("outcome: corrupt at line %1").arg(line), Corrupt} + more;
}

CharacterReadResult readBytes(const QByteArray& bytes, const QString& path = "x.tnc")
{
    return CharacterReader::read(CharacterFileText::decode(bytes), path);
}

// The golden character with every row list full.
Record fullCharacter()
{
    return readBytes(readFile(golden("full.tnc"))).record;
}

QString outcome(const CharacterReadResult& result)
{
    if (result.bannerRejected)
        return QStringLiteral("rejected");
    return result.corrupt ? QStringLiteral("corrupt at line %1").arg(result.stopLine)
                          : QStringLiteral("complete");
}

QStringList messages(const CharacterReadResult& result)
{
    QStringList out;
    for (const CharacterReadResult::Message& message : result.messages)
        out << message.caption + QStringLiteral(" | ") + message.text;
    return out;
}

// Checks a read against expectation lines in the form of the golden .expect files.
void check(const CharacterReadResult& result, const QStringList& expectations)
{
    static const QStringList allKeys = describe(fullCharacter(), 9).keys();
    QMap<QString, QString> values = describe(result.record, result.StartingGeneration);
    values.insert({{"outcome", outcome(result)}, {"version", result.version}});
    QStringList expectedMessages;
    for (const QString& line : expectations) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString key = line.section(u':', 0, 0);
        const QString value = line.mid(key.size() + 2);
        if (key == u"message") {
            expectedMessages << QString(value).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        } else if (key == u"absent") {
            const QStringList absent = value == u"everything" ? allKeys : value.split(u' ');
            for (const QString& name : absent) {
                QVERIFY2(allKeys.contains(name), qPrintable(name));
                QVERIFY2(!values.contains(name), qPrintable(name + ": " + values.value(name)));
            }
        } else {
            QVERIFY2(allKeys.contains(key) || values.contains(key), qPrintable(key));
            QCOMPARE(key + QStringLiteral(": ") + values.value(key, "(absent)"),
                     key + QStringLiteral(": ") + value);
        }
    }
    QCOMPARE(messages(result), expectedMessages);
}

QByteArray bytesOf(const Record& character)
{
    return CharacterFileText::encode(CharacterWriter::lines(character));
}

// Two entries this program does not know around the full text of a name, as a file holds them.
const QByteArray ForeignBlock =
    "Tarnoch98 extensions v1\r\nFuture/3 2\r\nfirst \xc3\xbc line\r\n\r\n"
    "Unicode/1 1\r\nName=\xce\xa9mega\r\nOther/1 0\r\n";

QStringList entries(const CharacterExtension& extension)
{
    QStringList out;
    for (const CharacterExtension::Entry& entry : extension.entries())
        out << entry.key + QStringLiteral(": ") + entry.text;
    return out;
}

// Every text of the record as the file's code page stores it.
Record storable(Record character)
{
    Record::forEachText(
        character, [](const QString&, QString& text) { text = CharacterFileText::storable(text); });
    return character;
}

QByteArray garbage(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(1252).fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
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
        QTest::addColumn<QString>("name");
        const QStringList files = QDir(golden({})).entryList({QStringLiteral("*.tnc")});
        QVERIFY(files.size() >= 18);
        for (const QString& file : files)
            dataRow(qPrintable(file), file);
    }
    void goldenFiles()
    {
        QFETCH(QString, name);
        const QByteArray expectation = readFile(golden(name.chopped(4) + ".expect"));
        QVERIFY(!expectation.isEmpty());
        check(readBytes(readFile(golden(name)), golden(name)),
              QString::fromUtf8(expectation).split(u'\n'));
    }

    // Written and read back. The body holds every text as the code page stores it ("?" for
    // what it lacks), so that older programs read the file as they always did; texts in any
    // script come back whole from the block after it. Line breaks inside a text become blanks.
    void roundTrip_data()
    {
        columns<Record, Record, bool>({"written", "expected", "block"});
        const Record full = fullCharacter();
        Record typed = full;
        Record numbers = full;
        typed.DisciplineEdit = QStringLiteral("x");
        numbers.DisciplineEdit = QStringLiteral("3");
        typed.BackgroundEdit = QString();
        numbers.BackgroundEdit = QStringLiteral("5");
        typed.MaxSecondaryEdit = QStringLiteral("Unlimited");
        numbers.MaxSecondaryEdit = QStringLiteral("999");
        typed.FreebiesEdit = QStringLiteral(" 20 ");
        numbers.FreebiesEdit = QStringLiteral("20");
        typed.MaxHumanityEdit = numbers.MaxHumanityEdit = QStringLiteral("Unlimited");
        dataRow("boxes without a number", typed, numbers, false);

        Record broken = full;
        Record mended = full;
        broken.Name = QStringLiteral("Two\r\nlines");
        mended.Name = QStringLiteral("Two  lines");
        broken.Merits->last() = QStringLiteral(" a\nb ");
        mended.Merits->last() = QStringLiteral(" a b ");
        dataRow("line breaks in texts", broken, mended, false);

        Record scripts = full;
        scripts.Name = QStringLiteral("Ωmega Жуков");
        scripts.Player = QStringLiteral("李小龍");
        (*scripts.FreeAbilities)[1].knowledge.name = QStringLiteral("Łore");
        (*scripts.Merits)[0] = QStringLiteral("Luck → (3)");
        scripts.Notes->append(QStringLiteral("{\\rtf1 😀}"));
        scripts.ChosenBooks->append(QStringLiteral("Книга"));
        scripts.VirtueNamesEdit = QStringLiteral("Ψ (Conscience, Self-Control & Courage)");
        dataRow("Greek, Cyrillic and CJK", scripts, scripts, true);
        mended = scripts;
        scripts.Haven = QStringLiteral("東京\nShinjuku");
        mended.Haven = QStringLiteral("東京 Shinjuku");
        dataRow("a line break in a full text", scripts, mended, true);
    }
    void roundTrip()
    {
        const auto [written, expected, block] =
            fetch<Record, Record, bool>({"written", "expected", "block"});
        const QStringList lines = CharacterFileText::decode(bytesOf(written));
        const QStringList body = CharacterWriter::lines(storable(written));
        QCOMPARE(lines.first(body.size()), body);
        QCOMPARE(lines.value(body.size()), block ? CharacterExtensionBlock::Banner : QString());
        const CharacterReadResult result = CharacterReader::read(lines, "x.tnc");
        QCOMPARE(outcome(result), QStringLiteral("complete"));
        QVERIFY(result.messages.isEmpty());
        QCOMPARE(describe(result.record), describe(expected));
        QVERIFY(result.record == expected);
    }

    // A block after the body of every version: the body reads as without it (so each version's
    // readers, which stop after their last value, are untouched), and the entries this program
    // does not know are written back line for line, in their order.
    void blockAfterEveryVersion_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& file : QDir(golden({})).entryList({QStringLiteral("*.tnc")}))
            if (readBytes(readFile(golden(file))).completed() &&
                !readFile(golden(file)).contains("\r\nTarnoch98 extensions"))
                dataRow(qPrintable(file), file);
    }
    void blockAfterEveryVersion()
    {
        QFETCH(QString, name);
        const CharacterReadResult plain = readBytes(readFile(golden(name)));
        const CharacterReadResult extended = readBytes(readFile(golden(name)) + ForeignBlock);
        QCOMPARE(messages(extended), messages(plain));
        // The name differs from what its full text became, so the body's name stays.
        Record body = extended.record;
        body.extension = {};
        QCOMPARE(describe(body), describe(plain.record));
        QCOMPARE(entries(extended.record.extension),
                 QStringList({u"Future/3: first ü line\n"_qs, u"Other/1: "_qs}));

        // The character keeps them from loading to saving.
        Character character;
        CharacterDocument::apply(extended, character);
        const QStringList written = CharacterWriter::lines(CharacterDocument::record(character));
        QCOMPARE(written.mid(written.indexOf(CharacterExtensionBlock::Banner)),
                 CharacterFileText::decode("Tarnoch98 extensions v1\r\nFuture/3 2\r\n"
                                           "first \xc3\xbc line\r\n\r\nOther/1 0\r\n"));
    }

    // The full text counts only while the body still holds what it became: a name changed by
    // an older program, which keeps the block it cannot read, wins.
    void olderProgramEditWins_data()
    {
        columns<QString, QString>({"body", "name"});
        dataRow("untouched", u"?mega ?????"_qs, u"Ωmega Жуков"_qs);
        dataRow("renamed", u"Omega Zhukov"_qs, u"Omega Zhukov"_qs);
        dataRow("shortened", u"?mega"_qs, u"?mega"_qs);
    }
    void olderProgramEditWins()
    {
        const auto [body, name] = fetch<QString, QString>({"body", "name"});
        QStringList lines = CharacterWriter::lines({.Name = u"Ωmega Жуков"_qs});
        lines[1] = body;
        const Record read = CharacterReader::read(lines, "x.tnc").record;
        QCOMPARE(*read.Name, name);
        QVERIFY(read.extension.isEmpty());
    }

    // Specialties through a file and back, on every kind of row that takes one.
    void specialties_data()
    {
        columns<QString, int, QString, QString>({"field", "rating", "specialty", "entry"});
        dataRow("attribute", "Strength", 4, "Iron grip", "Strength=Iron grip");
        dataRow("standard ability below 4, kept", "Talent 4", 2, "Grappling", "Talent 4=Grappling");
        dataRow("free row, any script", "Knowledge 11", 5, u"Ξυλουργική"_qs,
                u"Knowledge 11=Ξυλουργική"_qs);
        dataRow("secondary row", "Secondary Skill 1", 4, "Longbow", "Secondary Skill 1=Longbow");
        dataRow("a line break", "Wits", 4, "Am\nbushes", "Wits=Am bushes");
        dataRow("none", "Wits", 4, "", "");
    }
    void specialties()
    {
        const auto [field, rating, specialty, entry] =
            fetch<QString, int, QString, QString>({"field", "rating", "specialty", "entry"});
        Character character;
        character.rows.AbilityRows = 12;
        character.rows.SecondaryRows = 2;
        character.abilities[2][10].name = QStringLiteral("Crafts");
        character.secondaries[1][0].name = QStringLiteral("Archery");
        CharacterSpecialties::forEachTrait(
            character, [&](const QString& name, Character::Trait& trait) {
                if (name == field)
                    trait = {.name = trait.name, .rating = rating, .specialty = specialty};
            });
        const QStringList lines = CharacterWriter::lines(CharacterDocument::record(character));
        QCOMPARE(lines.contains(CharacterExtensionBlock::Banner), !entry.isEmpty());
        Character read;
        read.attributes[8].specialty = QStringLiteral("from the character before");
        CharacterDocument::apply(CharacterReader::read(lines, "x.tnc"), read);
        QCOMPARE(CharacterSpecialties::entry(read), entry);
        QVERIFY(read.extension.isEmpty());
    }

    // Blocks out of the ordinary after a new sheet's 94 lines.
    void unusualBlocks_data()
    {
        columns<QByteArray, QStringList, QString>({"block", "entries", "message"});
        const QString damaged = QStringLiteral("Load error | The additions at the end of the file "
                                               "are damaged at line %1.\nWhat follows that line "
                                               "was not loaded.");
        const QByteArray banner = "Tarnoch98 extensions v1\r\n";
        dataRow("count beyond the file", banner + "A/1 3\r\nx\r\ny\r\n", QStringList(),
                damaged.arg(96));
        dataRow("no count", banner + "A/1 1\r\nx\r\nbroken\r\nB/1 0\r\n", QStringList{"A/1: x"},
                damaged.arg(98));
        dataRow("stray lines before the banner", "\r\nstray\r\n" + banner + "A/1 1\r\nx\r\n",
                QStringList{"A/1: x"}, QString());
        dataRow("a later block version", QByteArray("Tarnoch98 extensions v2\r\nA/1 0\r\n"),
                QStringList{"A/1: "}, QString());
        dataRow("text edited in the code page", banner + "A/1 1\r\n\xe9t\xe9\r\n",
                QStringList{u"A/1: été"_qs}, QString());
        dataRow("an empty block", banner, QStringList(), QString());
    }
    void unusualBlocks()
    {
        const auto [block, expected, message] =
            fetch<QByteArray, QStringList, QString>({"block", "entries", "message"});
        const CharacterReadResult result = readBytes(bytesOf({}) + block);
        QVERIFY(result.completed());
        QCOMPARE(messages(result), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(entries(result.record.extension), expected);
    }

    // The writer against a file made without it.
    void fullFileWrittenUnchanged()
    {
        QCOMPARE(bytesOf(fullCharacter()), readFile(golden("full.tnc")));
    }

    // A new sheet's file (94 lines) with one line changed, or (line 0) cut to the lines kept.
    void damagedFiles_data()
    {
        columns<int, QString, QStringList, int>({"line", "text", "expect", "keep"});
        const auto row = [](const char* name, int line, const QString& text,
                            const QStringList& expect,
                            int keep = -1) { dataRow(name, line, text, expect, keep); };
        row("ability count 9", 41, "9", corruptAt(41, {"Name: Mira", "absent: FreeAbilities"}));
        row("negative discipline count", 43, "-1",
            corruptAt(43, {"SecondaryAbilities: ", "absent: Disciplines"}));
        row("21 merits", 48, "21", corruptAt(48, {"Conscience: 3"}));
        row("notes count beyond the file", 53, "2000000000",
            corruptAt(95, {"BoughtWillpower: 0", "absent: Notes"}));
        row("notes count beyond an integer", 53, "99999999999", corruptAt(53, {"absent: Notes"}));
        row("book count beyond the file", 86, "2000000000",
            corruptAt(95, {"Wits: 1", "absent: HumanityFromVirtues"}));
        row("rating with a fraction", 77, "3.0",
            corruptAt(77, {"GolcondaChoice: 2", "absent: Strength"}));
        row("Golconda choice not a number", 76, "two",
            corruptAt(76, {"GolcondaOn: 0", "absent: GolcondaChoice"}));
        row("cut inside the ability priorities", 0, {},
            corruptAt(63, {"AttributePriorities: 7 5 3 / 7 5 3", "absent: AbilityPriorities"}), 62);
        row("last line missing", 0, {},
            corruptAt(94, {"DirtySecretsRule: 1", "absent: ElderRules"}), 93);
        row("flag other than 1", 94, "yes", {"outcome: complete", "ElderRules: 0"});
        row("cost factor 0,5", 74, "0,5", {"SecondaryCostFactor: 0.5"});
        row("cost factor 1.0", 74, "1.0", {"SecondaryCostFactor: 0.5"});
        row("starting generation with words", 91, "  12th gen",
            {"StartingGenerationEdit:   12th gen", "StartingGeneration: 12"});
        row("starting generation without a number", 91, "Elder", {"StartingGeneration: 0"});
        row("version 1.37 is a 1.4 without the preset", 1, "Tarnoch98 v1.37",
            {"outcome: complete", "DirtySecretsRule: 1", "absent: ElderRules"});
        row("version 1.2 reads as far as 1.1 and the dependencies", 1, "Tarnoch98 v1.2",
            {"outcome: complete", "WillpowerFromVirtues: 1", "absent: Humanity"});
        row("warning names the file after a backslash", 1, "Tarnoch98 v1.1",
            {"message: Warning: Legacy dataformat (1.1) | File \"Mira.tnc\" does not contain all "
             "rules.\\nResave file to update data format."});
        row("first banner with a blank after", 1, "Tarnoch v0.9Alpha ",
            {"outcome: rejected", "message: Load error | Old dataformat not supported"});
    }
    void damagedFiles()
    {
        const auto [line, text, expect, keep] =
            fetch<int, QString, QStringList, int>({"line", "text", "expect", "keep"});
        QStringList lines = CharacterWriter::lines({.Name = u"Mira"_qs, .Conscience = 3});
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
        columns<QByteArray, QByteArray, int, QStringList>({"head", "fill", "repeat", "expect"});
        const QStringList unknown = {"outcome: rejected",
                                     "message: Load error | Unknown data format"};
        const QByteArray notesCount =
            CharacterFileText::encode(CharacterWriter::lines(Record()).first(52)) +
            "2000000000\r\n";
        dataRow("empty", QByteArray(), QByteArray(), 0, unknown);
        dataRow("100 MB of garbage", QByteArray(), garbage(65536), 1600, unknown);
        dataRow("100 MB of line breaks", QByteArray(), QByteArray("\n"), 100'000'000, unknown);
        dataRow("enormous notes count, 100 MB of lines", notesCount, QByteArray("\r\n"), 50'000'000,
                corruptAt(CharacterFileText::MaxLines + 1, {"absent: Notes"}));
        dataRow("banner, then one 100 MB line", QByteArray("Tarnoch98 v1.43\r\n"), QByteArray("x"),
                100'000'000, corruptAt(2));
    }
    void hostileFiles()
    {
        const auto [head, fill, repeat, expect] =
            fetch<QByteArray, QByteArray, int, QStringList>({"head", "fill", "repeat", "expect"});
        const QStringList lines = CharacterFileText::decode(head + fill.repeated(repeat));
        QVERIFY(lines.size() <= CharacterFileText::MaxLines);
        check(CharacterReader::read(lines, QStringLiteral("x.tnc")), expect);
    }

    void fileText_data()
    {
        columns<QByteArray, QStringList, QByteArray>({"bytes", "lines", "written"});
        const QByteArray ab("a\r\nb\r\n");
        dataRow("CR LF", ab, QStringList{"a", "b"}, ab);
        dataRow("LF", QByteArray("a\nb\n"), QStringList{"a", "b"}, ab);
        dataRow("no break at the end", QByteArray("a\r\nb"), QStringList{"a", "b"}, ab);
        dataRow("CR, then CR LF", QByteArray("a\r\r\nb"), QStringList{"a", "", "b"},
                QByteArray("a\r\n\r\nb\r\n"));
        dataRow("empty", QByteArray(), QStringList(), QByteArray());
        dataRow("one empty line", QByteArray("\r\n"), QStringList{""}, QByteArray("\r\n"));
        dataRow("Windows-1252", QByteArray("\xe9\x80\x9f\x81\xff"), QStringList{u"é€Ÿ\u0081ÿ"_qs},
                QByteArray("\xe9\x80\x9f\x81\xff\r\n"));
        // Not decoded: what cannot be stored is written as "?".
        dataRow("unstorable", QByteArray(), QStringList{u"Zoë 李😀\u0080"_qs},
                QByteArray("Zo\xeb ???\r\n"));
        dataRow("CJK alone", QByteArray(), QStringList{u"李小龍"_qs}, QByteArray("???\r\n"));
    }
    void fileText()
    {
        const auto [bytes, lines, written] =
            fetch<QByteArray, QStringList, QByteArray>({"bytes", "lines", "written"});
        if (!written.contains('?'))
            QCOMPARE(CharacterFileText::decode(bytes), lines);
        QCOMPARE(CharacterFileText::encode(lines), written);
    }
};

QTEST_GUILESS_MAIN(TestCharacterCodec)
#include "tst_charactercodec.moc"
