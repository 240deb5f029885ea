// Taking characters to the table: the export for Foundry VTT and a coterie in one PDF.

#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/JsonSchema.h"
#include "../support/Processes.h"
#include "../support/RulesLines.h"
#include "files/CharacterDocument.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "output/FoundryExport.h"

#include <QDir>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The value at a JSON pointer such as "/system/abilities/drive/value".
QJsonValue at(const QJsonValue& root, const QString& pointer)
{
    QJsonValue value = root;
    for (const QString& step : pointer.split(u'/', Qt::SkipEmptyParts))
        value = value.isArray() ? value.toArray().at(step.toInt()) : value.toObject().value(step);
    return value;
}

// root with the value at pointer replaced, or removed when value is undefined.
QJsonValue changed(const QJsonValue& root, QStringList steps, const QJsonValue& value)
{
    if (steps.isEmpty())
        return value;
    QJsonObject object = root.toObject();
    const QString step = steps.takeFirst();
    const QJsonValue inner = changed(object.value(step), steps, value);
    if (inner.isUndefined())
        object.remove(step);
    else
        object.insert(step, inner);
    return object;
}

QString json(const QJsonValue& value)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
}

} // namespace

class TestTabletop : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_rules;

    QString inDir(const QString& name) const { return m_dir.filePath(name); }

    // A golden file's character, or one of the made-up characters below, read and settled.
    QJsonObject exported(const QString& name)
    {
        const QString path = QFile::exists(inDir(name)) ? inDir(name) : golden(name);
        CharacterDocument document(m_rules);
        document.open(CharacterReader::read(CharacterFileText::decode(readFile(path)), path));
        document.settle();
        return FoundryExport::actor(document.character());
    }

    // The Toreador of the golden files under another name, clan and path.
    void writeCharacter(const QString& file, const QString& name, const QString& clan,
                        const QString& path)
    {
        QStringList lines = CharacterFileText::decode(readFile(golden("v1.43.tnc")));
        lines[1] = name;
        lines[6] = clan;
        lines[82] = path;
        QVERIFY(writeFile(inDir(file), CharacterFileText::encode(lines)));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_rules = shippedRules();
        QVERIFY(!m_rules.isEmpty());
        writeCharacter("novak.tnc", "Jakub Novák", "Toreador Antitribu", "Path of Harmony");
        writeCharacter("vogt.tnc", "Ilse Vogt", "Malkavian (Revised)", "Path of Caine");
        QVERIFY(writeFile(inDir("letter.tnc"), "Dear Anna,\r\nthe coterie meets at nine.\r\n"));
    }

    // Every golden character's export holds the keys, types and fixed values of the system's
    // template.
    void meetsTheSchema_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString& file : QDir(golden("")).entryList({"*.tnc"}, QDir::Files))
            QTest::newRow(qPrintable(file)) << file;
    }
    void meetsTheSchema()
    {
        QFETCH(QString, file);
        const JsonSchema schema(
            QJsonDocument::fromJson(sourceFile("tests/output/foundry-vampire-actor.schema.json"))
                .object());
        const QStringList problems = schema.problems(exported(file));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // The schema check fails where the export would not be taken.
    void schemaCatchesFaults_data()
    {
        columns<QString, QJsonValue, QString>({"pointer", "value", "problem"});
        dataRow("ability missing", "/system/abilities/alertness", QJsonValue(QJsonValue::Undefined),
                "/system/abilities: lacks \"alertness\"");
        dataRow("generation as text", "/system/generation", QJsonValue("12th"),
                "/system/generation: is not of type integer");
        dataRow("nameless", "/name", QJsonValue(""), "/name: is too short");
        dataRow("rebuilt on import", "/system/settings/iscreated", QJsonValue(false),
                "/system/settings/iscreated: is not the value required");
        dataRow("unknown clan", "/system/clan", QJsonValue("Toreador"),
                "does not match the pattern");
    }
    void schemaCatchesFaults()
    {
        const auto [pointer, value, problem] =
            fetch<QString, QJsonValue, QString>({"pointer", "value", "problem"});
        const JsonSchema schema(
            QJsonDocument::fromJson(sourceFile("tests/output/foundry-vampire-actor.schema.json"))
                .object());
        const QJsonValue broken =
            changed(exported("v1.43.tnc"), pointer.split(u'/', Qt::SkipEmptyParts), value);
        const QStringList problems = schema.problems(broken);
        QVERIFY2(problems.join(u'\n').contains(problem), qPrintable(problems.join(u'\n')));
    }

    // Field by field, as the files and the system's keys say.
    void fields_data()
    {
        columns<QString, QString, QString>({"file", "pointer", "expected"});
        const std::vector<std::array<const char*, 3>> rows = {
            {"v1.43.tnc", "/name", "\"Renée Straßer\""},
            {"v1.43.tnc", "/_stats/systemVersion", "\"6.0.0\""},
            {"v1.43.tnc", "/system/settings/version", "\"6.0.0\""},
            {"v1.43.tnc", "/system/player", "\"Anna\""},
            {"v1.43.tnc", "/system/nature", "\"Architect\""},
            {"v1.43.tnc", "/system/demeanor", "\"Bon Vivant\""},
            {"v1.43.tnc", "/system/concept", "\"Art restorer\""},
            {"v1.43.tnc", "/system/clan", "\"wod.bio.vampire.toreador\""},
            {"v1.43.tnc", "/system/custom/clan", "\"\""},
            {"v1.43.tnc", "/system/generation", "12"},
            {"v1.43.tnc", "/system/attributes/strength/value", "2"},
            {"v1.43.tnc", "/system/attributes/charisma/value", "3"},
            {"v1.43.tnc", "/system/attributes/appearance/value", "4"},
            {"v1.43.tnc", "/system/attributes/perception/value", "3"},
            {"v1.43.tnc", "/system/attributes/composure/isvisible", "false"},
            {"v1.43.tnc", "/system/abilities/athletics/value", "1"},
            {"v1.43.tnc", "/system/abilities/subterfuge/value", "1"},
            {"v1.43.tnc", "/system/abilities/animalken/value", "1"},
            {"v1.43.tnc", "/system/abilities/drive/value", "3"},
            {"v1.43.tnc", "/system/abilities/finance/value", "2"},
            {"v1.43.tnc", "/system/abilities/occult/value", "0"},
            {"v1.43.tnc", "/system/abilities/occult/isvisible", "true"},
            {"v1.43.tnc", "/system/abilities/awareness/isvisible", "false"},
            {"v1.43.tnc", "/system/abilities/drive/type", "\"skill\""},
            {"v1.43.tnc", "/system/advantages/virtues/conscience/permanent", "3"},
            {"v1.43.tnc", "/system/advantages/virtues/conscience/label",
             "\"wod.advantages.virtue.conscience\""},
            {"v1.43.tnc", "/system/advantages/virtues/selfcontrol/permanent", "2"},
            {"v1.43.tnc", "/system/advantages/virtues/courage/permanent", "2"},
            {"v1.43.tnc", "/system/advantages/path/label", "\"wod.advantages.path.humanity\""},
            {"v1.43.tnc", "/system/advantages/path/permanent", "6"},
            {"v1.43.tnc", "/system/advantages/willpower/permanent", "2"},
            {"v1.43.tnc", "/system/advantages/willpower/temporary", "2"},
            {"v1.43.tnc", "/system/advantages/bloodpool/max", "11"},
            {"v1.43.tnc", "/system/advantages/bloodpool/perturn", "1"},
            {"v1.43.tnc", "/system/notes", "\"<p>Keeps a sketchbook.</p>\""},
            {"full.tnc", "/system/generation", "13"},
            {"full.tnc", "/system/advantages/bloodpool/max", "10"},
            {"full.tnc", "/system/advantages/path/label", "\"wod.advantages.path.night\""},
            {"full.tnc", "/system/advantages/path/permanent", "6"},
            {"full.tnc", "/system/advantages/willpower/permanent", "7"},
            {"full.tnc", "/system/advantages/virtues/conscience/label",
             "\"wod.advantages.virtue.conscience\""},
            {"full.tnc", "/system/advantages/virtues/selfcontrol/label",
             "\"wod.advantages.virtue.instinct\""},
            {"full.tnc", "/system/attributes/wits/value", "5"},
            {"full.tnc", "/system/abilities/firearms/value", "4"},
            {"full.tnc", "/system/abilities/bureaucracy/value", "2"},
            {"novak.tnc", "/system/clan", "\"custom\""},
            {"novak.tnc", "/system/custom/clan", "\"Toreador Antitribu\""},
            {"novak.tnc", "/system/advantages/path/label", "\"custom\""},
            {"novak.tnc", "/system/advantages/path/custom", "\"Path of Harmony\""},
            {"vogt.tnc", "/system/clan", "\"wod.bio.vampire.malkavian\""},
            {"vogt.tnc", "/system/advantages/path/label", "\"wod.advantages.path.caine\""},
            {"extensions.tnc", "/name", "\"Ωmega Жуков\""},
            {"extensions.tnc", "/system/attributes/charisma/speciality", "\"Storyteller\""},
            {"extensions.tnc", "/system/attributes/appearance/speciality", "\"Striking eyes\""},
            {"extensions.tnc", "/system/attributes/strength/speciality", "\"\""},
            {"extensions.tnc", "/items/1/system/value", "1"},
            {"extensions.tnc", "/items/1/system/speciality", "\"Improvisation\""},
            {"empty.tnc", "/name", "\"Unnamed vampire\""},
            {"empty.tnc", "/system/clan", "\"\""},
        };
        for (const auto& [file, pointer, expected] : rows)
            dataRow(qPrintable(QStringLiteral("%1 %2").arg(file, pointer)), QString(file),
                    QString(pointer), QString::fromUtf8(expected));
    }
    void fields()
    {
        const auto [file, pointer, expected] =
            fetch<QString, QString, QString>({"file", "pointer", "expected"});
        QCOMPARE(json(at(exported(file), pointer)), QStringLiteral("[%1]").arg(expected));
    }

    // Disciplines, backgrounds, merits and flaws as items, with the abilities the system has no
    // key of its own for; type, name, kind and value each.
    void items_data()
    {
        columns<QString, QStringList>({"file", "items"});
        dataRow("v1.43", "v1.43.tnc",
                QStringList{"Trait Acting wod.types.talentsecondability 2",
                            "Trait Acting wod.types.talentsecondability 1",
                            "Trait Music wod.types.skillsecondability 0",
                            "Trait Repair wod.types.skillsecondability 0",
                            "Trait Music wod.types.skillsecondability 2",
                            "Trait Occult wod.types.knowledgesecondability 1",
                            "Power Auspex wod.types.discipline 1",
                            "Power Celerity wod.types.discipline 1",
                            "Power Presence wod.types.discipline 2",
                            "Feature Resources wod.types.background 3",
                            "Feature Elder Generation wod.types.background 1",
                            "Feature Eat Food wod.types.merit 1"});
        // The standard rows stay whatever the file holds; no other row is in use.
        dataRow("no rows", "zero-rows.tnc",
                QStringList{"Trait Acting wod.types.talentsecondability 0",
                            "Trait Music wod.types.skillsecondability 0",
                            "Trait Repair wod.types.skillsecondability 0"});
    }
    void items()
    {
        const auto [file, expected] = fetch<QString, QStringList>({"file", "items"});
        QStringList items;
        for (const QJsonValue& item : exported(file)["items"].toArray()) {
            const QJsonObject system = item["system"].toObject();
            items.append(QStringLiteral("%1 %2 %3 %4")
                             .arg(item["type"].toString(), item["name"].toString(),
                                  system["type"].toString())
                             .arg(system["value"].toInt()));
        }
        QCOMPARE(items, expected);
    }

    // The command writes the document; what goes wrong is named and leaves no file behind.
    void exportCommand_data()
    {
        columns<QString, QStringList, int, QString>({"program", "arguments", "exitCode", "errors"});
        const QString out = inDir("out/renee.json");
        dataRow("cli", "tarnoch-cli", QStringList{"--export", "foundry", out, golden("v1.43.tnc")},
                0, "");
        dataRow("unknown target", "tarnoch-cli",
                QStringList{"--export", "roll20", out, golden("v1.43.tnc")}, 1,
                "cannot export to \"roll20\"");
        dataRow("missing file", "tarnoch-cli",
                QStringList{"--export", "foundry", out, inDir("gone.tnc")}, 2, "gone.tnc");
        dataRow(
            "missing folder", "tarnoch-cli",
            QStringList{"--export", "foundry", inDir("no/such/folder/x.json"), golden("v1.43.tnc")},
            1, "x.json");
        dataRow("two files", "tarnoch-cli",
                QStringList{"--export", "foundry", out, golden("v1.43.tnc"), golden("v1.5.tnc")}, 1,
                "one character file at a time");
    }
    void exportCommand()
    {
        const auto [program, arguments, errors] =
            fetch<QString, QStringList, QString>({"program", "arguments", "errors"});
        QDir(inDir("out")).removeRecursively();
        QVERIFY(QDir().mkpath(inDir("out")));
        const Finished run = runWithoutDisplay(program, arguments);
        QTEST(run.exitCode, "exitCode");
        QVERIFY2(QString::fromUtf8(run.errors).contains(errors), run.errors.constData());
        if (run.exitCode == 0)
            QCOMPARE(QJsonDocument::fromJson(readFile(inDir("out/renee.json"))).object(),
                     exported("v1.43.tnc"));
        else
            QCOMPARE(QDir(inDir("out")).entryList(QDir::Files), QStringList());
    }

    // Three characters a page each; what cannot be read is named, left out, and the exit
    // status says so. With the notes and the log, each character's notes and then its log
    // follow its own sheet.
    void coterie_data()
    {
        columns<QStringList, int, int, QStringList, QString>(
            {"arguments", "exitCode", "pages", "order", "errors"});
        const QStringList three = {golden("v1.43.tnc"), inDir("novak.tnc"), inDir("vogt.tnc")};
        dataRow("three", three, 0, 3, QStringList{"Renée Straßer", "Jakub Novák", "Ilse Vogt"}, "");
        dataRow("an unreadable one among them",
                QStringList{golden("v1.43.tnc"), inDir("gone.tnc"), inDir("novak.tnc"),
                            inDir("letter.tnc"), inDir("vogt.tnc")},
                1, 3, QStringList{"Renée Straßer", "Jakub Novák", "Ilse Vogt"}, "gone.tnc");
        dataRow("with notes", three + QStringList{"--notes"}, 0, 6,
                QStringList{"Renée Straßer", "sketchbook", "Jakub Novák", "sketchbook", "Ilse Vogt",
                            "sketchbook"},
                "");
        dataRow("with notes and the log", three + QStringList{"--log", "--notes"}, 0, 9,
                QStringList{"Renée Straßer", "sketchbook", "Experience log: Renée Straßer",
                            "Jakub Novák", "sketchbook", "Experience log: Jakub Novák", "Ilse Vogt",
                            "sketchbook", "Experience log: Ilse Vogt"},
                "");
        dataRow("a damaged one as far as it was read", QStringList{golden("cut-off.tnc")}, 0, 1,
                QStringList{"Renée Straßer"}, "cut-off.tnc\" is damaged");
        dataRow("none readable", QStringList{inDir("gone.tnc")}, 2, 0, QStringList{}, "gone.tnc");
    }
    void coterie()
    {
        const auto [arguments, exitCode, pages, order, errors] =
            fetch<QStringList, int, int, QStringList, QString>(
                {"arguments", "exitCode", "pages", "order", "errors"});
        const QString pdf = inDir("coterie.pdf");
        QFile::remove(pdf);
        const Finished run =
            runWithoutDisplay("tarnoch-cli", QStringList{"--pdf", pdf} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        const QString said = QString::fromUtf8(run.errors);
        QVERIFY2(said.contains(errors) && said.isEmpty() == errors.isEmpty(), qPrintable(said));
        if (arguments.contains(inDir("letter.tnc")))
            QVERIFY2(said.contains("letter.tnc"), qPrintable(said));
        if (pages == 0) {
            QVERIFY(!QFile::exists(pdf));
            return;
        }
        const QString info = QString::fromUtf8(runProgram("pdfinfo", {pdf}).output);
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))),
                 qPrintable(info));
        const QString text = QString::fromUtf8(runProgram("pdftotext", {pdf, "-"}).output);
        qsizetype from = 0;
        for (const QString& word : order) {
            from = text.indexOf(word, from);
            QVERIFY2(from >= 0, qPrintable(word));
            from += word.size();
        }
    }
};

QTEST_MAIN(TestTabletop)
#include "tst_tabletop.moc"
