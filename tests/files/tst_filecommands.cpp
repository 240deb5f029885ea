#include "../support/RecordedMessages.h"
#include "../support/ScriptedAnswers.h"
#include "../support/ScriptedDialogs.h"
#include "app/ClickLabel.h"
#include "app/FontRegistry.h"
#include "app/RulesPanel.h"
#include "app/SheetPanel.h"
#include "app/TMainForm.h"
#include "controls/TVampireDots.h"
#include "files/CharacterFileText.h"
#include "files/CharacterSheetIO.h"
#include "files/CharacterWriter.h"
#include "files/FileCommands.h"
#include "files/SheetHistory.h"
#include "rules/TextRoutines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

using Answer = FileDialogs::Answer;

namespace {

void idle()
{
    QEventLoop loop;
    QTimer::singleShot(40, &loop, &QEventLoop::quit);
    loop.exec();
}

QString golden(const char* name)
{
    return QStringLiteral(TARNOCH_SOURCE_DIR "tests/files/golden/") + QString::fromLatin1(name);
}

} // namespace

// New, Load and Save on the real window, the round trip of a full sheet, and the headless report.
class TestFileCommands : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    FontRegistry m_fonts;
    RecordedMessages m_messages;
    ScriptedAnswers m_answers;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<TMainForm> m_form;

    std::unique_ptr<TMainForm> newForm(const QStringList& parameters = {})
    {
        auto form = std::make_unique<TMainForm>(
            ProgramPaths(QStringLiteral(TARNOCH_PROGRAM_DIR), m_dir.path() + '/'), parameters, m_messages);
        form->files().setDialogs(&m_dialogs);
        form->setQuestions(&m_answers);
        return form;
    }
    FileCommands& files() { return m_form->files(); }
    SheetPanel* sheet() { return m_form->sheet(); }
    QStringList snapshot(TMainForm& form) { return CharacterWriter::lines(form.sheetIO().WriteCharacter()); }

private slots:
    void initTestCase() { m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR)); }
    void init()
    {
        m_messages.shown.clear();
        m_dialogs = {};
        m_answers = {};
        m_form = newForm();
        idle();
    }
    void cleanup() { m_form.reset(); }

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
        m_form->rulesPanel()->MaxPrimaryEdit->setText(QStringLiteral("none"));
        m_form->Notepad->setHtml(QStringLiteral("<p>A <b>bold</b> night.</p>"));
        m_form->Notepad->document()->setModified(true);
        idle();
        const QString path = m_dir.filePath("full.tnc");
        QVERIFY(files().saveTo(path));

        auto second = newForm({path});
        idle();
        const QStringList written = snapshot(*m_form);
        QCOMPARE(snapshot(*second), written);
        QCOMPARE(second->Notepad->toPlainText(), QStringLiteral("A bold night."));
        QTextCursor bold(second->Notepad->document());
        bold.setPosition(4);
        QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
        // A limit that was no number comes back as the number in force.
        QCOMPARE(second->rulesPanel()->MaxPrimaryEdit->text(), QStringLiteral("999"));
        QCOMPARE(second->rowCounts().BackgroundRows, 13);
    }

    void saveQuestionByContent()
    {
        // A fresh sheet from the template has nothing to save.
        files().NewButtonClick();
        QCOMPARE(m_dialogs.asked, 0);

        sheet()->Name->setText(QStringLiteral("Who: Me?"));
        m_dialogs.answers = {Answer::Cancel};
        files().NewButtonClick();
        QCOMPARE(m_dialogs.asked, 1);
        QCOMPARE(sheet()->Name->text(), QStringLiteral("Who: Me?"));

        // Yes saves, proposing the cleaned name; a cancelled save lets New go on all the same.
        m_dialogs.answers = {Answer::Yes};
        files().NewButtonClick();
        QVERIFY(m_dialogs.proposals.value(0).endsWith(QStringLiteral("/Who Me.tnc")));
        QCOMPARE(sheet()->Name->text(), QString());

        // After a save nothing is asked until the sheet or the notes change.
        sheet()->Name->setText(QStringLiteral("Ada"));
        const QString path = m_dir.filePath("ada.tnc");
        m_dialogs.files = {path};
        files().SaveButtonClick();
        QCOMPARE(files().CurrentFile(), path);
        m_dialogs.asked = 0;
        QVERIFY(files().FormCloseQuery());
        QCOMPARE(m_dialogs.asked, 0);
        m_form->Notepad->insertPlainText(QStringLiteral("a note"));
        m_dialogs.answers = {Answer::Cancel};
        QVERIFY(!files().FormCloseQuery());
        // A file whose rows pad their names with other full stops (another machine's fonts)
        // holds the same character.
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll().replace("..........\r\n", "...\r\n");
            file.resize(0);
            file.write(bytes);
        }
        m_form->Notepad->undo();
        QVERIFY(files().loadFile(path));
        QCOMPARE(files().AskToSave(), FileCommands::Answer::None);
        m_form->Notepad->insertPlainText(QStringLiteral("a note"));
        // Taking the change back makes the sheet unchanged again.
        m_form->Notepad->undo();
        sheet()->Strength->setFilled(3);
        sheet()->Strength->setFilled(1);
        QCOMPARE(files().AskToSave(), FileCommands::Answer::None);
    }

    void failedSaveKeepsTheFile()
    {
        const QString before = files().CurrentFile();
        QVERIFY(!files().saveTo(m_dir.path())); // a folder
        QCOMPARE(files().CurrentFile(), before);
        QCOMPARE(m_messages.shown.value(0).first, QStringLiteral("Error"));
        QVERIFY(m_messages.shown.value(0).second.contains(QDir::toNativeSeparators(m_dir.path())));

        // Characters Windows-1252 cannot hold are named before anything is written.
        sheet()->Name->setText(QStringLiteral("Ωmega"));
        m_answers.answers = {2};
        QVERIFY(!files().saveTo(m_dir.filePath("omega.tnc")));
        QVERIFY(m_answers.asked.value(0).contains(QStringLiteral("Name: Ω")));
        QVERIFY(!QFile::exists(m_dir.filePath("omega.tnc")));
    }

    void damagedAndMissingFiles()
    {
        sheet()->Concept->setText(QStringLiteral("before"));
        QVERIFY(files().loadFile(golden("cut-off.tnc")));
        QCOMPARE(m_messages.shown.value(0).first, QStringLiteral("Load error"));
        QCOMPARE(sheet()->Name->text(), QStringLiteral("Renée Straßer"));
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("12th"));
        idle();
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("12th"));

        // A file named on the command line that cannot be opened: the template instead.
        m_messages.shown.clear();
        auto form = newForm({m_dir.filePath("no such file.tnc")});
        QCOMPARE(m_messages.shown.value(0).first, QStringLiteral("Load error"));
        QVERIFY(m_messages.shown.value(0).second.contains(QStringLiteral("no such file.tnc")));
        QCOMPARE(form->files().CurrentFile(), form->files().templatePath());
    }

    void undoAndRedo()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        idle();
        SheetHistory& history = m_form->history();
        auto undoKey = [this] { QTest::keyClick(m_form->sheet()->Concept, Qt::Key_Z, Qt::ControlModifier); idle(); };
        auto redoKey = [this] {
            QTest::keyClick(m_form->sheet()->Concept, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            idle();
        };
        const QStringList start = snapshot(*m_form);

        // One press of a dot, one popup-sized change of a clan, one flaw with its partner, one
        // preset: each one step.
        QTest::mouseClick(sheet()->Strength, Qt::LeftButton, {}, QPoint(24, 4));
        idle();
        sheet()->Clan->setText(QStringLiteral("Brujah"));
        QTest::mouseClick(sheet()->Clan, Qt::LeftButton);
        idle();
        sheet()->FlawRows[0]->setText(QStringLiteral("Child (3)"));
        QTest::mouseClick(sheet()->FlawRows[0], Qt::LeftButton);
        idle();
        QTest::mouseClick(m_form->rulesPanel()->SabbatButtonLabel, Qt::LeftButton);
        idle();
        sheet()->Name->setFocus();
        QTest::keyClicks(sheet()->Name, QStringLiteral("Nadia"));
        idle();
        QCOMPARE(history.steps(), 6);
        const int taken = history.snapshotsTaken();
        idle();
        QCOMPARE(history.snapshotsTaken(), taken); // nothing done, nothing taken

        undoKey(); // the name, typed in one go
        QCOMPARE(sheet()->Name->text(), QString());
        undoKey(); // the preset
        QCOMPARE(m_form->rulesPanel()->BackgroundEdit->text(), QStringLiteral("5"));
        undoKey(); // the child and her shortness
        QCOMPARE(m_form->rowCounts().FlawRows, 1);
        undoKey(); // the clan and its disciplines
        QCOMPARE(sheet()->Clan->text(), QString());
        QCOMPARE(TextRoutines::StripDots(sheet()->DisciplineRows[0].name->text()), QString());
        undoKey(); // the dot
        QCOMPARE(snapshot(*m_form), start);
        QCOMPARE(files().AskToSave(), FileCommands::Answer::None); // as saved: nothing to ask
        undoKey();
        QCOMPARE(snapshot(*m_form), start);

        redoKey();
        QCOMPARE(sheet()->Strength->Filled(), 3);
        redoKey();
        QCOMPARE(TextRoutines::StripDots(sheet()->DisciplineRows[0].name->text()), QStringLiteral("Celerity"));
        redoKey();
        QCOMPARE(TextRoutines::StripDots(sheet()->FlawRows[1]->text()), QStringLiteral("Short (1)"));

        // Ctrl+Z in the notes is the notes' own; New starts a fresh history.
        m_form->Notepad->setFocus();
        QTest::keyClicks(m_form->Notepad, QStringLiteral("x"));
        QTest::keyClick(m_form->Notepad, Qt::Key_Z, Qt::ControlModifier);
        idle();
        QCOMPARE(sheet()->Strength->Filled(), 3);
        QCOMPARE(m_form->Notepad->toPlainText(), QString());
        m_dialogs.answers = {Answer::No};
        files().NewButtonClick();
        idle();
        QCOMPARE(history.steps(), 1);
        QVERIFY(!history.canUndo());
    }

    // The program itself, headless, as scripts call it.
    void reportOfGoldenFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("path");  // a key path into the report, "/" between keys
        QTest::addColumn<QString>("value"); // its value as JSON text
        QTest::newRow("1.1") << "v1.1.tnc" << "1.1" << "Warning: Legacy dataformat (1.1)"
                             << "attributes/Appearance/rating" << "4";
        QTest::newRow("1.4 elder") << "v1.4-elder.tnc" << "1.4" << "Warning: Legacy dataformat (1.4)"
                                   << "rules/ElderRules" << "true";
        QTest::newRow("1.5") << "v1.5.tnc" << "1.5" << "" << "rules/ElderRules" << "true";
        QTest::newRow("cut off") << "cut-off.tnc" << "1.43" << "Load error" << "header/Name"
                                 << "\"Renée Straßer\"";
        QTest::newRow("bad banner") << "unknown-banner.tnc" << "" << "Load error" << "file_version" << "\"\"";
    }
    void reportOfGoldenFiles()
    {
        QFETCH(QString, file);
        QProcess program;
        program.start(QStringLiteral(TARNOCH_PROGRAM_DIR "tarnoch"), {QStringLiteral("--report"), golden(qPrintable(file))});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        const QJsonObject report = QJsonDocument::fromJson(program.readAllStandardOutput()).object();
        QTEST(report.value("file_version").toString(), "version");
        QTEST(report.value("messages").toArray().first().toObject().value("caption").toString(), "caption");
        QJsonValue value = report;
        QFETCH(QString, path);
        for (const QString& key : path.split(u'/'))
            value = value.toObject().value(key);
        QTEST(QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)).mid(1).chopped(1),
              "value");
        QCOMPARE(report.keys().size(), 27);
    }

    void pdfFromTheCommandLine()
    {
        const QString pdf = m_dir.filePath("sheet.pdf");
        QProcess program;
        program.start(QStringLiteral(TARNOCH_PROGRAM_DIR "tarnoch"), {"--pdf", pdf, golden("v1.1.tnc")});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(20000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* expected : {"Renée Straßer", "Toreador", "Auspex", "Resources", "Strength"})
            QVERIFY2(words.contains(QString::fromUtf8(expected)), expected);
        QCOMPARE(words.count(u'\f'), 1); // one page

        program.start(QStringLiteral(TARNOCH_PROGRAM_DIR "tarnoch"),
                      {"--pdf", m_dir.filePath("no/such/folder/sheet.pdf"), golden("v1.1.tnc")});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(program.readAllStandardError().contains("sheet.pdf"));
    }

    void reportOfAMissingFile()
    {
        QProcess program;
        program.start(QStringLiteral(TARNOCH_PROGRAM_DIR "tarnoch"),
                      {QStringLiteral("--report"), m_dir.filePath("missing.tnc")});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(program.readAllStandardError().contains("missing.tnc"));
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
