#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "../support/Processes.h"
#include "app/PrintCommand.h"
#include "files/CharacterSheetIO.h"
#include "files/CharacterWriter.h"
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

        // Yes saves, proposing the cleaned name; a cancelled save lets New go on all the same.
        m_window.dialogs.answers = {Answer::Yes};
        files().NewButtonClick();
        QVERIFY(m_window.dialogs.proposals.value(0).endsWith(QStringLiteral("/Who Me.tnc")));
        QCOMPARE(sheet()->Name->text(), QString());

        // After a save nothing is asked until the sheet or the notes change.
        sheet()->Name->setText(QStringLiteral("Ada"));
        const QString path = inDir("ada.tnc");
        m_window.dialogs.files = {path};
        files().SaveButtonClick();
        QCOMPARE(files().CurrentFile(), path);
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

    void commandLineErrorsNameTheFile_data()
    {
        columns<QStringList, int, QString>({"arguments", "exitCode", "named"});
        dataRow("PDF in a missing folder",
                QStringList{"--pdf", inDir("no/such/folder/sheet.pdf"), golden("v1.1.tnc")}, 1,
                "sheet.pdf");
        dataRow("report of a missing file", QStringList{"--report", inDir("missing.tnc")}, 2,
                "missing.tnc");
    }
    void commandLineErrorsNameTheFile()
    {
        const auto [arguments, named] = fetch<QStringList, QString>({"arguments", "named"});
        const Finished run = runTarnoch(arguments);
        QTEST(run.exitCode, "exitCode");
        QVERIFY(QString::fromUtf8(run.errors).contains(named));
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
