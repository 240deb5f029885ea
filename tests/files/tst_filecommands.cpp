#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "../support/Processes.h"
#include "app/PrintCommand.h"
#include "files/CharacterSheetIO.h"
#include "engine/SheetBinding.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterReport.h"
#include "files/CharacterWriter.h"
#include "files/RecoveryCopy.h"
#include "files/SheetHistory.h"

#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using Answer = FileDialogs::Answer;

namespace {

QString golden(const QString& name)
{
    return QStringLiteral(TARNOCH_SOURCE_DIR "tests/files/golden/") + name;
}

// The fonts a PDF names, as pdffonts lists them.
QStringList pdfFonts(const QString& pdf)
{
    QStringList names;
    const QStringList lines = QString::fromUtf8(runProgram("pdffonts", {pdf}).output).split(u'\n');
    for (const QString& line : lines.mid(2))
        if (!line.isEmpty())
            names << line.section(u' ', 0, 0);
    names.sort();
    return names;
}

QStringList snapshot(TMainForm& form)
{
    return CharacterWriter::lines(form.sheetIO().WriteCharacter());
}

} // namespace

// New, Load and Save on the real window, the round trip of a full sheet, and the headless report.
class TestFileCommands : public QObject
{
    Q_OBJECT
private:
    MainWindow m_window;
    TMainForm& form() { return *m_window.form; }
    FileCommands& files() { return form().files(); }
    SheetPanel* sheet() { return form().sheet(); }
    QString inDir(const QString& name) const { return m_window.dir.filePath(name); }

private slots:
    void init() { m_window.open(); }
    void cleanup() { m_window.form.reset(); }

    void fullSheetRoundTrip()
    {
        SheetPanel* s = sheet();
        s->Name->setText(QStringLiteral("Renée Straßer"));
        s->Clan->setText(QStringLiteral("Toreador"));
        for (int r = 0; r < 12; ++r) {
            s->BackgroundRows[r].name->setText(QStringLiteral("Background %1").arg(r));
            s->SecondaryRows[r % 3][r].name->setText(QStringLiteral("Lore %1").arg(r));
            s->AbilityRows[r % 3][10 + r % 8].dots->setFilled(r % 4);
            idle();
        }
        s->FlawRows[0]->setText(QStringLiteral("Child (3)"));
        form().Notepad->setHtml(QStringLiteral("<p>A <b>bold</b> night.</p>"));
        form().Notepad->document()->setModified(true);
        idle();
        const QString path = inDir("full.tnc");
        QVERIFY(files().saveTo(path));

        auto second = m_window.create({path});
        idle();
        const QStringList written = snapshot(form());
        QCOMPARE(snapshot(*second), written);
        QCOMPARE(second->Notepad->toPlainText(), QStringLiteral("A bold night."));
        QTextCursor bold(second->Notepad->document());
        bold.setPosition(4);
        QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(second->rowCounts().BackgroundRows, 13);
    }

    void saveQuestionByContent()
    {
        // A fresh sheet from the template has nothing to save.
        files().NewButtonClick();
        QCOMPARE(m_window.dialogs.asked, 0);

        sheet()->Name->setText(QStringLiteral("Who: Me?"));
        m_window.dialogs.answers = {Answer::Cancel};
        files().NewButtonClick();
        QCOMPARE(m_window.dialogs.asked, 1);
        QCOMPARE(sheet()->Name->text(), QStringLiteral("Who: Me?"));

        // Yes saves, proposing the cleaned name in the start folder.
        m_window.dialogs.answers = {Answer::Yes};
        files().NewButtonClick();
        QCOMPARE(m_window.dialogs.proposals.value(0),
                 FileCommands::startFolder() + QStringLiteral("/Who Me.tnc"));
        QCOMPARE(sheet()->Name->text(), QStringLiteral("Who: Me?"));
        m_window.dialogs.answers = {Answer::No};
        files().NewButtonClick();
        QCOMPARE(sheet()->Name->text(), QString());

        // After a save nothing is asked until the sheet or the notes change.
        sheet()->Name->setText(QStringLiteral("Ada"));
        const QString path = inDir("ada.tnc");
        m_window.dialogs.files = {path};
        files().SaveButtonClick();
        QCOMPARE(files().CurrentFile(), path);
        // Load starts beside the character's file, a PDF of it is proposed beside it too.
        files().LoadButtonClick();
        QCOMPARE(m_window.dialogs.openedIn, QStringList({m_window.dir.path()}));
        QCOMPARE(files().pdfProposal(), inDir("ada.pdf"));
        m_window.dialogs.asked = 0;
        QVERIFY(files().FormCloseQuery());
        QCOMPARE(m_window.dialogs.asked, 0);
        form().Notepad->insertPlainText(QStringLiteral("a note"));
        m_window.dialogs.answers = {Answer::Cancel};
        QVERIFY(!files().FormCloseQuery());
        // A file whose rows pad their names with other full stops (another machine's fonts)
        // holds the same character.
        QVERIFY(writeFile(path, readFile(path).replace("..........\r\n", "...\r\n")));
        form().Notepad->undo();
        QVERIFY(files().loadFile(path));
        QCOMPARE(files().AskToSave(), FileCommands::Answer::None);
        form().Notepad->insertPlainText(QStringLiteral("a note"));
        // Taking the change back makes the sheet unchanged again.
        form().Notepad->undo();
        sheet()->Strength->setFilled(3);
        sheet()->Strength->setFilled(1);
        QCOMPARE(files().AskToSave(), FileCommands::Answer::None);
    }

    void failedSaveKeepsTheFile()
    {
        const QString before = files().CurrentFile();
        QVERIFY(!files().saveTo(m_window.dir.path())); // a folder
        QCOMPARE(files().CurrentFile(), before);
        QCOMPARE(m_window.messages.shown.value(0).first, QStringLiteral("Error"));
        QVERIFY(m_window.messages.shown.value(0).second.contains(
            QDir::toNativeSeparators(m_window.dir.path())));

        // Characters Windows-1252 cannot hold are named before anything is written.
        sheet()->Name->setText(QStringLiteral("Ωmega"));
        m_window.answers.answers = {2};
        QVERIFY(!files().saveTo(inDir("omega.tnc")));
        QVERIFY(m_window.answers.asked.value(0).contains(QStringLiteral("Name: Ω")));
        QVERIFY(!QFile::exists(inDir("omega.tnc")));

        // Once stored with "?" as agreed, the character matches its file.
        m_window.answers.answers = {1};
        QVERIFY(files().saveTo(inDir("omega.tnc")));
        QCOMPARE(files().AskToSave(), FileCommands::Answer::None);
    }

    // A copy of the unsaved character waits in the recovery folder until it is saved, replaced
    // or closed; a copy no running program owns is offered at the next start.
    void recoveryCopies()
    {
        const QString folder = inDir("recovery");
        auto* recovery = new RecoveryCopy(form(), folder); // the window owns it
        QVERIFY(!recovery->writeNow()); // nothing unsaved yet
        sheet()->Name->setText(QStringLiteral("Ada"));
        pressDot(sheet()->Strength, 3);
        form().Notepad->insertPlainText(QStringLiteral("a note"));
        const QStringList lost = snapshot(form());
        QVERIFY(recovery->writeNow());
        // A second program keeps a copy of its own.
        auto other = m_window.create();
        RecoveryCopy& otherRecovery = *new RecoveryCopy(*other, folder);
        QVERIFY(otherRecovery.path() != recovery->path() && !otherRecovery.orphans());
        other->sheet()->Name->setText(QStringLiteral("Bea"));
        QVERIFY(otherRecovery.writeNow());
        QVERIFY(QFile::exists(recovery->path()) && QFile::exists(otherRecovery.path()));
        // Saving and closing remove them.
        m_window.dialogs.files = {inDir("bea.tnc")};
        other->files().SaveButtonClick();
        QVERIFY(!QFile::exists(otherRecovery.path()));
        other->sheet()->Name->setText(QStringLiteral("Bea 2"));
        QVERIFY(otherRecovery.writeNow());
        m_window.dialogs.answers = {Answer::No};
        QVERIFY(other->close());
        QVERIFY(!QFile::exists(otherRecovery.path()));

        // The first program ends without a word; its copy is offered to the next.
        const QString copy = recovery->path();
        m_window.form.reset(); // the window goes, and with it its lock; the copy stays
        QVERIFY(QFile::exists(copy));
        m_window.open();
        RecoveryCopy& next = *new RecoveryCopy(form(), folder);
        QCOMPARE(next.orphans(), 1);
        m_window.answers.answers = {1};
        next.offerOrphans(m_window.answers);
        QVERIFY(m_window.answers.asked.value(0).startsWith(
            QStringLiteral("Restore the unsaved character Ada from ")));
        idle();
        QCOMPARE(snapshot(form()), lost);
        QCOMPARE(files().CurrentFile(), files().templatePath());
        QVERIFY(files().unsavedChanges());
        QVERIFY(!QFile::exists(copy) || copy == next.path());
        QVERIFY(QFile::exists(next.path()));

        // Discard deletes a copy; a damaged one is named and kept aside.
        for (const QByteArray& content : {readFile(golden("v1.43.tnc")), QByteArray("damaged")}) {
            const QString orphan = folder + QStringLiteral("/7.tnc");
            QVERIFY(writeFile(orphan, content));
            RecoveryCopy later(form(), folder);
            m_window.answers = {};
            m_window.messages.shown.clear();
            later.offerOrphans(m_window.answers);
            QVERIFY(!QFile::exists(orphan));
            const bool damaged = m_window.answers.asked.isEmpty();
            QCOMPARE(damaged, content == "damaged");
            QCOMPARE(m_window.messages.shown.value(0).first, damaged ? "Load error" : QString());
            QCOMPARE(QDir(folder).entryList({"damaged-7-*.tnc"}).size(), int(damaged));
        }
    }

    // Yes to "Save changes?" followed by a save that did not happen leaves everything as it
    // was: New loads nothing, Load opens no dialog, the window stays open.
    void unsavedWorkSurvivesASaveThatFailed_data()
    {
        columns<QString, QString>({"command", "failure"});
        for (const char* command : {"New", "Load", "Close"})
            for (const char* failure : {"dialog cancelled", "write failed", "characters refused"})
                QTest::addRow("%s, %s", command, failure) << QString(command) << QString(failure);
    }
    void unsavedWorkSurvivesASaveThatFailed()
    {
        const auto [command, failure] = fetch<QString, QString>({"command", "failure"});
        sheet()->Name->setText(failure == "characters refused" ? "Ωmega" : "Ada");
        pressDot(sheet()->Strength, 2);
        form().Notepad->insertPlainText(QStringLiteral("a note"));
        const QStringList before = snapshot(form());
        const QString file = files().CurrentFile();
        m_window.dialogs.answers = {Answer::Yes};
        if (failure == "write failed")
            m_window.dialogs.files = {m_window.dir.path()}; // a folder
        if (failure == "characters refused") {
            m_window.dialogs.files = {inDir("omega.tnc")};
            m_window.answers.answers = {2};
        }
        if (command == "New")
            files().NewButtonClick();
        else if (command == "Load")
            files().LoadButtonClick();
        else
            QVERIFY(!files().FormCloseQuery());
        QCOMPARE(snapshot(form()), before);
        QCOMPARE(files().CurrentFile(), file);
        QVERIFY(m_window.dialogs.openedIn.isEmpty());
        QVERIFY(form().Notepad->document()->isModified());
    }

    void damagedAndMissingFiles()
    {
        sheet()->Concept->setText(QStringLiteral("before"));
        QVERIFY(files().loadFile(golden("cut-off.tnc")));
        QCOMPARE(m_window.messages.shown.value(0).first, QStringLiteral("Load error"));
        QCOMPARE(sheet()->Name->text(), QStringLiteral("Renée Straßer"));
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("12th"));
        idle();
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("12th"));

        // A file named on the command line that cannot be opened: the template instead.
        m_window.messages.shown.clear();
        auto started = m_window.create({inDir("no such file.tnc")});
        QCOMPARE(m_window.messages.shown.value(0).first, QStringLiteral("Load error"));
        QVERIFY(m_window.messages.shown.value(0).second.contains("no such file.tnc"));
        QCOMPARE(started->files().CurrentFile(), started->files().templatePath());

        // Neither is a template that cannot be read written over.
        m_window.messages.shown.clear();
        const QString templateFile = m_window.dir.filePath(FileCommands::TemplateName);
        QVERIFY(QFile::remove(templateFile) && QDir(m_window.dir.path()).mkdir(FileCommands::TemplateName));
        auto blank = m_window.create();
        QCOMPARE(m_window.messages.shown.size(), 1);
        QCOMPARE(m_window.messages.shown.value(0).first, QStringLiteral("Load error"));
        QVERIFY(m_window.messages.shown.value(0).second.contains(FileCommands::TemplateName));
        QVERIFY(QFileInfo(templateFile).isDir());
        QVERIFY(QDir(m_window.dir.path()).rmdir(FileCommands::TemplateName));
    }

    void undoAndRedo()
    {
        SheetHistory& history = form().history();
        auto undoKey = [this](Qt::KeyboardModifiers shift = {}) {
            QTest::keyClick(sheet()->Concept, Qt::Key_Z, Qt::ControlModifier | shift);
            idle();
        };
        // The character after each step: a dot pressed, a clan changed as by the popup, a flaw
        // with its partner, a preset; then a name typed on in one box, which extends its step.
        QList<QStringList> states{snapshot(form())};
        pressDot(sheet()->Strength, 3);
        states << snapshot(form());
        sheet()->Clan->setText(QStringLiteral("Brujah"));
        click(sheet()->Clan);
        states << snapshot(form());
        sheet()->FlawRows[0]->setText(QStringLiteral("Child (3)"));
        click(sheet()->FlawRows[0]);
        states << snapshot(form());
        click(form().rulesPanel()->SabbatButtonLabel);
        states << snapshot(form());
        sheet()->Name->setFocus();
        for (const char* typed : {"Na", "dia"}) {
            QTest::keyClicks(sheet()->Name, QString::fromLatin1(typed));
            idle();
        }
        QCOMPARE(history.steps(), 6);
        const int taken = history.snapshotsTaken();
        idle();
        QCOMPARE(history.snapshotsTaken(), taken); // nothing done, nothing taken

        for (int step = 4; step >= 0; --step) {
            undoKey();
            QCOMPARE(snapshot(form()), states[step]);
        }
        QCOMPARE(files().AskToSave(), FileCommands::Answer::None); // as saved: nothing to ask
        undoKey();
        QCOMPARE(snapshot(form()), states[0]);
        for (int step = 1; step <= 3; ++step) {
            undoKey(Qt::ShiftModifier);
            QCOMPARE(snapshot(form()), states[step]);
        }
        // A new step ends the steps left to redo: undone, it gives back the step before it.
        pressDot(sheet()->Wits, 2);
        QVERIFY(!history.canRedo());
        undoKey();
        QCOMPARE(snapshot(form()), states[3]);

        // Ctrl+Z in the notes is the notes' own; New starts a fresh history.
        form().Notepad->setFocus();
        QTest::keyClicks(form().Notepad, QStringLiteral("x"));
        QTest::keyClick(form().Notepad, Qt::Key_Z, Qt::ControlModifier);
        idle();
        QCOMPARE(sheet()->Strength->Filled(), 3);
        QCOMPARE(form().Notepad->toPlainText(), QString());
        m_window.dialogs.answers = {Answer::No};
        files().NewButtonClick();
        idle();
        QCOMPARE(history.steps(), 1);
        QVERIFY(!history.canUndo());
    }

    // The report reads the file onto a model of the sheet, without a window: it must show
    // what the sheet shows once the same file is loaded onto it and settled. Every golden
    // file, and characters the sheet made with clans, generations and elder rules.
    void reportMatchesTheSheet_data()
    {
        // a file, or the full golden character under a clan with a merit and a flaw the
        // clan's rules change, and the elder rules; then the merits and flaws shown first
        columns<QString, QString, QString, bool, QString>({"file", "merit", "flaw", "elder", "shown"});
        for (const QString& name : QDir(golden({})).entryList({"*.tnc"}))
            QTest::newRow(qPrintable(name)) << golden(name) << QString() << QString() << false << QString();
        dataRow("Ventrue", "Ventrue", "Iron Will (3)", "Prey Exclusion (1)", false, "Iron Will (3)|");
        dataRow("Nosferatu", "Nosferatu", "Baby Face (2)", "Monstrous (3)", false, "|Monstrous (1)");
        dataRow("Tremere, elder", "Tremere", "Huge Size (4)", "Monstrous (1)", true,
                "Huge Size (4)|Monstrous (3)");
    }
    void reportMatchesTheSheet()
    {
        auto [file, merit, flaw, elder] = fetch<QString, QString, QString, bool>({"file", "merit", "flaw", "elder"});
        if (!file.endsWith(u".tnc")) {
            CharacterRecord made = CharacterReader::read(
                CharacterFileText::decode(readFile(golden("full.tnc"))), {}).record;
            made.Clan = file;
            made.ChosenBooks = QStringList{QStringLiteral("Vampire - The Masquerade")};
            made.Merits->first() = merit;
            made.Flaws->first() = flaw;
            made.ElderRules = elder;
            made.Backgrounds->first().name = QStringLiteral("Generation");
            const QString path = inDir(file + ".tnc");
            QVERIFY(writeFile(path, CharacterFileText::encode(CharacterWriter::lines(made))));
            file = path;
        }
        m_window.messages.shown.clear();
        files().loadFile(file);
        QList<QPair<QString, QString>> shown = m_window.messages.shown;
        QJsonObject sheetShows;
        for (int round = 0; round < 10; ++round) {
            idle();
            const QJsonObject now = CharacterReport::build(SheetBinding::readAll(form()),
                                                           files().lastVersion(), shown);
            if (now == sheetShows)
                break;
            sheetShows = now;
        }
        const Finished run = runProgram(TARNOCH_PROGRAM_DIR "tarnoch-cli", {"--report", file});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(run.output).object(), sheetShows);
        // The clan's rules acted on what the file holds: a merit kept or withdrawn, a flaw
        // withdrawn or revalued.
        if (!merit.isEmpty()) {
            const QStringList merits = sheetShows.value("merits").toVariant().toStringList();
            const QStringList flaws = sheetShows.value("flaws").toVariant().toStringList();
            QTEST(QStringLiteral("%1|%2").arg(merits.contains(merit) ? merit : QString(),
                                              flaws.filter(flaw.section(u' ', 0, 0)).value(0)),
                  "shown");
        }
    }

    // The program itself, headless, as scripts call it.
    void report_data()
    {
        // A key path into the report, "/" between keys, and its value as JSON text.
        columns<QString, QString, QString, QString, QString>(
            {"file", "version", "caption", "path", "value"});
        dataRow("1.1", "v1.1.tnc", "1.1", "Warning: Legacy dataformat (1.1)",
                "attributes/Appearance/rating", "4");
        dataRow("1.5", "v1.5.tnc", "1.5", "", "rules/ElderRules", "true");
        dataRow("cut off", "cut-off.tnc", "1.43", "Load error", "header/Name",
                "\"Renée Straßer\"");
        dataRow("bad banner", "unknown-banner.tnc", "", "Load error", "file_version", "\"\"");
        dataRow("lists of no rows", "zero-rows.tnc", "1.43", "", "tallies/disciplines", "\"(0/3)\"");
    }
    void report()
    {
        const auto [file, path] = fetch<QString, QString>({"file", "path"});
        const Finished run = runTarnoch({QStringLiteral("--report"), golden(file)});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject report = QJsonDocument::fromJson(run.output).object();
        QCOMPARE(report.keys().size(), 27);
        QTEST(report.value("file_version").toString(), "version");
        QTEST(report.value("messages").toArray().first().toObject().value("caption").toString(),
              "caption");
        QJsonValue value = report;
        for (const QString& key : path.split(u'/'))
            value = value.toObject().value(key);
        const QByteArray json = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        QTEST(QString::fromUtf8(json).mid(1).chopped(1), "value");
    }

    // The command line writes the sheet the window prints, in the same faces, although the
    // window has used the font database (for its splash) before it registers its fonts.
    void pdfFromTheCommandLine()
    {
        const QString pdf = inDir("sheet.pdf");
        QCOMPARE(runTarnoch({"--pdf", pdf, golden("v1.1.tnc")}).exitCode, 0);
        const QString words = QString::fromUtf8(runProgram("pdftotext", {pdf, "-"}).output);
        for (const char* expected : {"Renée Straßer", "Toreador", "Auspex", "Resources", "Strength"})
            QVERIFY2(words.contains(QString::fromUtf8(expected)), expected);
        QCOMPARE(words.count(u'\f'), 1); // one page

        FontRegistry& fonts = m_window.fonts.fonts;
        fonts.unregisterAll();
        QVERIFY(!QFontDatabase::families().isEmpty());
        fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
        m_window.open(TMainForm::Panel::Sheet, {golden("v1.1.tnc")});
        const QString printed = inDir("printed.pdf");
        QCOMPARE(form().printing().writePdf(printed, true, false), QString());
        const QStringList names = pdfFonts(pdf);
        QCOMPARE(names.size(), 3); // heading, label and handwriting faces
        QCOMPARE(pdfFonts(printed), names);
    }

    // Run without a display: what needs no window must not need one. Standard error stays
    // empty unless something went wrong, and then it names what.
    void commandLine_data()
    {
        columns<QString, QStringList, int, QString, QString>(
            {"program", "arguments", "exitCode", "output", "errors"});
        const QString pdf = inDir("sheet.pdf");
        dataRow("help", "tarnoch", QStringList{"--help"}, 0, "Usage: tarnoch", "");
        dataRow("version", "tarnoch", QStringList{"--version"}, 0, "tarnoch " TARNOCH_VERSION, "");
        dataRow("window", "tarnoch", QStringList{}, 1, "", "no display");
        dataRow("report", "tarnoch", QStringList{"--report", golden("v1.5.tnc")}, 0, "\"file_version\"", "");
        dataRow("notes after the file", "tarnoch", QStringList{"--pdf", pdf, golden("v1.1.tnc"), "--notes"},
                0, "", "");
        dataRow("notes first", "tarnoch", QStringList{"--notes", "--pdf", pdf, golden("v1.1.tnc")}, 0, "", "");
        dataRow("no file", "tarnoch", QStringList{"--report"}, 1, "", "no character file named");
        dataRow("PDF in a missing folder", "tarnoch",
                QStringList{"--pdf", inDir("no/such/folder/sheet.pdf"), golden("v1.1.tnc")}, 1, "",
                "sheet.pdf");
        dataRow("report of a missing file", "tarnoch", QStringList{"--report", inDir("missing.tnc")}, 2,
                "", "missing.tnc");
        dataRow("cli version", "tarnoch-cli", QStringList{"--version"}, 0, "tarnoch " TARNOCH_VERSION, "");
        dataRow("cli PDF", "tarnoch-cli", QStringList{"--pdf", pdf, golden("v1.5.tnc"), "--notes"}, 0, "", "");
        dataRow("cli has no window", "tarnoch-cli", QStringList{}, 1, "", "the window is tarnoch's");
    }
    void commandLine()
    {
        const auto [program, arguments, output, errors] =
            fetch<QString, QStringList, QString, QString>({"program", "arguments", "output", "errors"});
        const Finished run = runWithoutDisplay(program, arguments);
        QTEST(run.exitCode, "exitCode");
        QVERIFY(QString::fromUtf8(run.output).contains(output));
        if (errors.isEmpty())
            QCOMPARE(QString::fromUtf8(run.errors), QString());
        else
            QVERIFY2(QString::fromUtf8(run.errors).contains(errors), run.errors.constData());
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
