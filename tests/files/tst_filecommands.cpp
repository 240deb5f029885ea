#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "../support/Processes.h"
#include "../support/RecordFields.h"
#include "../support/WhileOpen.h"
#include "controls/SelectionLayout.h"
#include "controls/SpecialtyLabel.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/CharacterReport.h"
#include "files/CharacterSheetIO.h"
#include "files/CharacterSpecialties.h"
#include "files/CharacterWriter.h"
#include "files/QtFileDialogs.h"
#include "files/RecoveryCopy.h"
#include "files/SheetHistory.h"
#include "output/TConfirmForm.h"
#include "panels/SourcebooksPanel.h"
#include "sheet/SheetBinding.h"
#include "window/PrintCommand.h"

#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using Answer = FileDialogs::Answer;

namespace {

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

// A record's values as the sheet shows them: row names without the full stops that pad them
// (their number follows the fonts), the books in any order.
QMap<QString, QString> asShown(const CharacterRecord& record)
{
    QMap<QString, QString> values = RecordFields::describe(record);
    static const QRegularExpression padding(QStringLiteral(R"(\.+(?=( -?\d+)?( / |; |$)))"));
    for (const char* rows :
         {"FreeAbilities", "SecondaryAbilities", "Disciplines", "Backgrounds", "Merits", "Flaws"})
        if (values.contains(rows))
            values[rows].remove(padding);
    if (values.contains("ChosenBooks")) {
        QStringList books = values["ChosenBooks"].split(QStringLiteral("; "));
        books.sort();
        values["ChosenBooks"] = books.join(QStringLiteral("; "));
    }
    return values;
}

// The lines of a character file without the full stops that end them: the padding of the
// names follows the fonts of the machine that wrote the file.
QStringList withoutPadding(const QByteArray& file)
{
    QStringList lines = CharacterFileText::decode(file);
    for (QString& line : lines)
        line = TextRoutines::StripDots(line);
    return lines;
}

CharacterReadResult readFileAt(const QString& path)
{
    return CharacterReader::read(CharacterFileText::decode(readFile(path)), path);
}

// The file dialogs from a script, the question "Save changes?" on the program's own form,
// answered by pressing one of its parts, or Escape.
class SaveQuestionForm : public ScriptedDialogs
{
public:
    explicit SaveQuestionForm(const QString& press) : m_press(press) {}

    Answer askSaveChanges() override
    {
        ++asked;
        bool leftOpen = false;
        whileOpen(&m_form, leftOpen, [this] {
            if (m_press == u"Escape")
                QTest::keyClick(&m_form, Qt::Key_Escape);
            else
                QTest::mouseClick(m_form.findChild<QLabel*>(m_press), Qt::LeftButton);
        });
        return QtFileDialogs([this]() -> TConfirmForm& { return m_form; }, nullptr).askSaveChanges();
    }

private:
    TConfirmForm m_form;
    QString m_press;
};

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

    // What Save writes for the sheet as it stands, read back; the Save command proposed where.
    CharacterRecord saved(QString* proposal = nullptr)
    {
        const QString path = inDir("saved.tnc");
        m_window.dialogs.files = {path};
        m_window.dialogs.proposals.clear();
        QTest::mouseClick(form().SaveButtonLabel, Qt::LeftButton);
        if (proposal)
            *proposal = m_window.dialogs.proposals.value(0);
        return readFileAt(path).record;
    }

    // Loads through the Load command, discarding the sheet.
    void load(const QString& path)
    {
        m_window.dialogs.answers = {Answer::No};
        m_window.dialogs.files = {path};
        QTest::mouseClick(form().LoadButtonLabel, Qt::LeftButton);
    }

    // Every rules option and a few values away from a new sheet's; the Elder rules on or off.
    void changeEverything(bool elder)
    {
        RulesPanel* rules = form().rulesPanel();
        click(elder ? rules->ElderButtonLabel : rules->SabbatButtonLabel);
        for (ClickLabel* option :
             {rules->NormalCostCheckBox, rules->GolcondaCheckBox, rules->GolcondaChoice1,
              rules->HumanityDependent, rules->WillpowerDependent, rules->ElysiumDiscCheckBox,
              rules->DirtySecretsDiscCheckBox})
            click(option);
        const std::pair<QLineEdit*, const char*> boxes[] = {
            {rules->VirtueEdit, "6"},
            {rules->MaxPrimaryEdit, "4"},
            {rules->MaxSecondaryEdit, "2"},
            {rules->MaxHumanityEdit, "5"},
            {rules->VirtueNamesEdit, "Sabbat (Callousness, Instincts & Morale)"},
            {rules->StartingGenerationEdit, "11"}};
        for (const auto& [box, text] : boxes)
            enter(box, QString::fromLatin1(text));
        form().switchToPanel(TMainForm::Panel::Books);
        QTest::mousePress(form().books()->AllButtonLabel, Qt::LeftButton);
        form().switchToPanel(TMainForm::Panel::Sheet);
        for (TVampireDots* dots : sheet()->findChildren<TVampireDots*>())
            if (dots->MaxDots() >= 4 && dots->isVisible())
                pressDot(dots, 4);
        sheet()->Name->setText(QStringLiteral("Before"));
        idle();
    }

private slots:
    // Older and damaged files onto a sheet whose rules and values are all changed: what the
    // file holds replaces the sheet's, everything else stays. Only a complete read goes on to
    // offer the lists of the file's books (the Camarilla guide without the core book: no Brujah).
    void olderVersionsLeaveTheRest_data()
    {
        columns<QString, int, bool, bool>({"file", "linesCut", "elder", "brujahOffered"});
        for (const char* file :
             {"v1.1.tnc", "v1.22.tnc", "v1.33.tnc", "v1.36.tnc", "v1.4.tnc", "v1.43.tnc"})
            dataRow(file, QString(file), 0, true, false);
        dataRow("v0.9alpha.tnc, no books", QString("v0.9alpha.tnc"), 0, true, true);
        dataRow("v1.0.tnc, no books", QString("v1.0.tnc"), 0, true, true);
        // Its Elder preset turns the Elder rules on.
        dataRow("v1.4-elder.tnc", QString("v1.4-elder.tnc"), 0, false, false);
        dataRow("cut off in the disciplines", QString("cut-off.tnc"), 0, true, true);
        dataRow("v1.43.tnc without its last line", QString("v1.43.tnc"), 1, true, true);
    }
    void olderVersionsLeaveTheRest()
    {
        const auto [file, linesCut, elder] =
            fetch<QString, int, bool>({"file", "linesCut", "elder"});
        QString path = golden(file);
        if (linesCut > 0) {
            QByteArrayList lines = readFile(path).split('\n');
            path = inDir(file);
            QVERIFY(writeFile(path, lines.first(lines.size() - 1 - linesCut).join('\n') + '\n'));
        }
        changeEverything(elder);
        const QMap<QString, QString> before = asShown(saved());
        const CharacterReadResult read = readFileAt(path);
        QCOMPARE(read.completed(), linesCut == 0 && file != "cut-off.tnc");
        m_window.messages.shown.clear();
        load(path);
        QList<CharacterReadResult::Message> shown;
        for (const auto& [caption, text] : std::as_const(m_window.messages.shown))
            shown.append({caption, text});
        QCOMPARE(shown, read.messages);

        // The sheet as the reader left it, before the rules engine derives anything from it.
        // The clan and the generation of the file rewrite the clan's discipline rows and the
        // Generation background at once; their own tests check how.
        const QMap<QString, QString> after = asShown(saved());
        const QMap<QString, QString> inFile = asShown(read.record);
        for (const QString& key : before.keys()) {
            if (inFile.contains(key) && (key == "Disciplines" || key == "Backgrounds"))
                continue;
            const QString expected = inFile.contains(key) ? inFile[key] : before[key];
            QCOMPARE(key + ": " + after.value(key), key + ": " + expected);
        }

        // The generation the file gives holds once the rules have run.
        idle();
        QCOMPARE(sheet()->Generation->text(), read.record.Generation.value_or(QString()));
        QVERIFY(m_window.rightPress(sheet()->Clan));
        const bool brujahOffered = m_window.popup()->entries().contains(QStringLiteral("Brujah"));
        QTest::keyClick(m_window.popup(), Qt::Key_Escape);
        QTEST(brujahOffered, "brujahOffered");
    }

private slots:
    void init() { m_window.open(); }
    void cleanup() { m_window.form.reset(); }

    // The Rules panel builds its controls the first time they are needed. A file opened
    // before then brings its rules to the sheet all the same: they rule the sheet, the file
    // saved again is unchanged, and the panel, once built, shows them and opens its lists.
    void rulesOfAFileBeforeTheRulesPanelIsBuilt()
    {
        changeEverything(false);
        const QMap<QString, QString> written = asShown(saved());
        m_window.open(TMainForm::Panel::Sheet, {inDir("saved.tnc")});
        const RulesPanel* unbuilt = form().view().rulesPanel();
        QVERIFY(!unbuilt->isBuilt());
        QVERIFY(sheet()->Virtue1->text().startsWith(QStringLiteral("Callousness")));
        QCOMPARE(asShown(saved()), written);
        QVERIFY(!unbuilt->isBuilt());

        RulesPanel* rules = form().rulesPanel();
        QCOMPARE(rules->VirtueNamesEdit->text(),
                 QStringLiteral("Sabbat (Callousness, Instincts & Morale)"));
        QCOMPARE(rules->MaxPrimaryEdit->text(), QStringLiteral("4"));
        QVERIFY(rules->NormalCostCheckBox->property("ticked").toBool());
        QVERIFY(rules->GolcondaPanel->isVisibleTo(rules));
        QVERIFY(m_window.rightPress(rules->VirtueNamesEdit));
        QTest::keyClick(m_window.popup(), Qt::Key_Escape);
    }

    // A file through the sheet: Save proposes its own file and writes it again byte for byte
    // but for the full stops that pad the names (they follow the fonts). Of a file with an
    // extension block, whose body the sheet settles, the block comes back byte for byte, the
    // full texts and an entry of a newer program included.
    void savedAsRead_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* file : {"full.tnc", "extensions.tnc"})
            dataRow(file, golden(file));
    }
    void savedAsRead()
    {
        QFETCH(QString, file);
        load(file);
        QString proposal;
        saved(&proposal);
        QCOMPARE(proposal, file);
        const QByteArray original = readFile(file), written = readFile(inDir("saved.tnc"));
        const qsizetype block = original.indexOf("Tarnoch98 extensions");
        if (block < 0)
            QCOMPARE(withoutPadding(written), withoutPadding(original));
        else
            QCOMPARE(written.mid(written.indexOf("Tarnoch98 extensions")), original.mid(block));
    }

    // A specialty picked on the sheet: a right press on the name of a trait rated 4 or more
    // offers suggestions, "<NONE>" and a box for one's own; the choice shows right of the dots
    // without moving them, is saved and loaded, printed, kept faded below 4, and moves with
    // its row.
    void specialtiesOnTheSheet_data()
    {
        columns<QString, QString, QString>({"row", "pick", "specialty"});
        dataRow("attribute, a suggestion", "Strength", "Iron grip", "Iron grip");
        dataRow("standard ability, a suggestion", "Brawl", "Grappling", "Grappling");
        dataRow("secondary row, one's own", "Archery", "own", "Long  bow ");
    }
    void specialtiesOnTheSheet()
    {
        const auto [row, pick, specialty] =
            fetch<QString, QString, QString>({"row", "pick", "specialty"});
        SheetPanel& s = *sheet();
        const bool attribute = row == u"Strength";
        const bool free = row == u"Archery";
        SheetPanel::TraitRow& rowControls = free ? s.SecondaryRows[1][0] : s.AbilityRows[0][3];
        TVampireDots* dots = attribute ? s.Strength : rowControls.dots;
        QWidget* name =
            attribute ? static_cast<QWidget*>(s.AttributeCaptions[0]) : rowControls.name;
        SpecialtyLabel* label = attribute ? s.AttributeSpecialties[0] : rowControls.specialty;
        if (free)
            enter(rowControls.name, row);
        pressDot(dots, 3);
        // Below the fourth dot a fixed name offers nothing, a free row its names.
        QCOMPARE(m_window.rightPress(name) &&
                     m_window.popup()->kind() == SelectionLayout::SpecialtyKind,
                 false);
        QTest::keyClick(m_window.popup(), Qt::Key_Escape);
        const int dotsLeft = dots->x();
        pressDot(dots, 4);
        QVERIFY(m_window.rightPress(name));
        TSelectionBox* popup = m_window.popup();
        QCOMPARE(popup->entries().first(), u"<NONE>"_qs);
        if (pick == u"own") {
            popup->ownText()->insert(specialty); // as typed or pasted
            QTest::keyClick(popup->ownText(), Qt::Key_Return);
        } else {
            const qsizetype entry = popup->entries().indexOf(pick);
            QVERIFY(entry > 0);
            QTest::mouseClick(popup, Qt::LeftButton, {},
                              popup->entryPosition(int(entry)) + QPoint(5, 7));
        }
        idle();
        const QString expected = specialty.simplified();
        QCOMPARE(label->specialty(), expected);
        QVERIFY(label->isVisible() && label->counts());
        QCOMPARE(dots->x(), dotsLeft);
        QVERIFY(label->x() > dots->geometry().right());
        QCOMPARE(label->toolTip(), u"Specialty: "_qs + expected);
        // A step of its own: undone, the rating stays; redone, the specialty is back.
        QTest::keyClick(sheet()->Concept, Qt::Key_Z, Qt::ControlModifier);
        idle();
        QVERIFY(label->specialty().isEmpty());
        QCOMPARE(dots->Filled(), 4);
        QTest::keyClick(sheet()->Concept, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        idle();
        QCOMPARE(label->specialty(), expected);

        const CharacterRecord record = saved();
        QVERIFY(record.extension.text(CharacterSpecialties::Key)->contains(expected));
        load(golden("v1.43.tnc"));
        idle();
        QVERIFY(label->specialty().isEmpty() && !label->isVisible());
        load(inDir("saved.tnc"));
        idle();
        QCOMPARE(label->specialty(), expected);
        if (row == u"Brawl" && pick != u"own") {
            const QString pdf = inDir("sheet.pdf");
            QCOMPARE(form().printing().writePdf(pdf, true, false), QString());
            QVERIFY(QString::fromUtf8(runProgram("pdftotext", {pdf, "-"}).output)
                        .contains(u"Brawl (Grappling)"_qs));
        }

        pressDot(dots, 3);
        QCOMPARE(label->specialty(), expected);
        QVERIFY(!label->counts() && label->isVisible());
        if (free) {
            // The row below, with a specialty of its own, moves up when this one empties.
            enter(s.SecondaryRows[1][1].name, QStringLiteral("Crafts"));
            s.SecondaryRows[1][1].dots->setFilled(4);
            s.SecondaryRows[1][1].specialty->setSpecialty(QStringLiteral("Pottery"));
            enter(rowControls.name, QString());
            dots->setFilled(0);
            idle();
            QCOMPARE(stripped(rowControls.name), u"Crafts"_qs);
            QCOMPARE(label->specialty(), u"Pottery"_qs);
            QVERIFY(s.SecondaryRows[1][1].specialty->specialty().isEmpty());
        } else {
            // A kept specialty is taken off with "<NONE>".
            QVERIFY(m_window.rightPress(name));
            QTest::mouseClick(popup, Qt::LeftButton, {}, popup->entryPosition(0) + QPoint(5, 7));
            idle();
            QVERIFY(label->specialty().isEmpty() && !label->isVisible());
        }
    }

    // Lists of no rows at all each open one empty row.
    void listsOfNoRowsOpenOne()
    {
        load(golden("zero-rows.tnc"));
        idle();
        const CharacterRecord rows = saved();
        QCOMPARE((QList<qsizetype>{rows.Disciplines->size(), rows.Backgrounds->size(),
                                   rows.Merits->size(), rows.Flaws->size()}),
                 (QList<qsizetype>{1, 1, 1, 1}));
        for (const SheetPanel::TraitRow* list :
             {&sheet()->DisciplineRows[0], &sheet()->BackgroundRows[0]})
            QVERIFY(list[0].name->isVisible() && list[0].dots->isVisible() &&
                    !list[1].name->isVisible());
        QVERIFY(sheet()->MeritRows[0]->isVisible() && !sheet()->MeritRows[1]->isVisible());
        QVERIFY(sheet()->FlawRows[0]->isVisible() && !sheet()->FlawRows[1]->isVisible());
    }

    // The question before New, Load and Close, on the program's own form, answered as a user
    // answers it. Yes saves through the Save command; a save that did not happen stops the
    // command with nothing lost.
    void saveQuestion_data()
    {
        // The character's origin and what happened to it since; the command, the part of the
        // question pressed (none: nothing may be asked); after Yes, the save (given up, or into
        // a folder) and what Save proposes.
        columns<QString, QString, QString, QString, QString, QString>(
            {"origin", "change", "command", "press", "save", "proposal"});
        dataRow("template, New", "template", "", "New", "", "", "");
        dataRow("saved, Close", "saved", "", "Close", "", "", "");
        dataRow("other full stops on disk, Close", "saved", "padding", "Close", "", "", "");
        dataRow("change taken back, Close", "saved", "taken back", "Close", "", "", "");
        dataRow("Strength, Close, Yes", "saved", "Strength", "Close", "YesButton", "", "{file}");
        for (const char* press : {"NoButton", "CancelButton", "Escape"})
            dataRow(qPrintable(QStringLiteral("Strength, Close, ") + press), "saved", "Strength",
                    "Close", press, "", "");
        dataRow("notes, Load, Cancel", "saved", "notes", "Load", "CancelButton", "", "");
        dataRow("notes, Load, No", "saved", "notes", "Load", "NoButton", "", "");
        dataRow("named Who: Me?, New, Yes", "template", "Who: Me?", "New", "YesButton", "",
                "{start}/Who Me.tnc");
        dataRow("named Who: Me?, New, Cancel", "template", "Who: Me?", "New", "CancelButton", "",
                "");
        dataRow("file deleted, Close, Yes", "saved", "deleted", "Close", "YesButton", "",
                "{start}/Ada.tnc");
        dataRow("file deleted, Load, Escape", "saved", "deleted", "Load", "Escape", "", "");
        dataRow("older version, New, No", "older", "", "New", "NoButton", "", "");
        dataRow("older version, Close, Yes", "older", "", "Close", "YesButton", "", "{file}");
        dataRow("notes, New, Yes, save given up", "saved", "notes", "New", "YesButton", "given up",
                "{file}");
        dataRow("notes, Load, Yes, save into a folder", "saved", "notes", "Load", "YesButton",
                "folder", "{file}");
        // Names in any script are saved whole, without a question.
        dataRow("named Ωmega Жуков, Close, Yes", "saved", "Ωmega Жуков", "Close", "YesButton", "",
                "{file}");
        dataRow("saved as Ωmega Жуков, Close", "saved", "Ωmega Жуков saved", "Close", "", "", "");
    }
    void saveQuestion()
    {
        const auto [origin, change, command, press, save, proposal] =
            fetch<QString, QString, QString, QString, QString, QString>(
                {"origin", "change", "command", "press", "save", "proposal"});
        QString file = files().CurrentFile();
        if (origin == "saved") {
            enter(sheet()->Name, QStringLiteral("Ada"));
            file = inDir("ada.tnc");
            m_window.dialogs.files = {file};
            click(form().SaveButtonLabel);
        } else if (origin == "older") {
            file = inDir("old.tnc");
            QVERIFY(writeFile(file, readFile(golden("v1.22.tnc"))));
            load(file);
            idle();
        }
        if (change == "Strength" || change == "taken back")
            pressDot(sheet()->Strength, 3);
        if (change == "taken back")
            pressDot(sheet()->Strength, 1);
        if (change == "notes") {
            form().notes()->notepad()->setFocus();
            QTest::keyClicks(form().notes()->notepad(), QStringLiteral("a note"));
        }
        if (change.startsWith("Who") || change.startsWith("Ωmega"))
            enter(sheet()->Name, QString(change).remove(" saved"));
        if (change == "Ωmega Жуков saved") {
            m_window.dialogs.files = {file};
            click(form().SaveButtonLabel);
        }
        if (change == "padding")
            QVERIFY(writeFile(file, readFile(file).replace("..........\r\n", "...\r\n")));
        if (change == "deleted")
            QVERIFY(QFile::remove(file));

        const QStringList before = snapshot(form());
        const bool notesEdited = form().notes()->document()->isModified();
        SaveQuestionForm question(press);
        files().setDialogs(&question);
        const QString answer = save == "given up" ? QString()
                               : save == "folder" ? m_window.dir.path()
                                                  : inDir("answer.tnc");
        question.files = {answer};
        QFile::remove(answer);
        m_window.messages.shown.clear();
        m_window.answers = {};
        if (command == "Close")
            form().close();
        else
            click(command == "New" ? form().NewButtonLabel : form().LoadButtonLabel);

        QCOMPARE(question.asked, press.isEmpty() ? 0 : 1);
        const bool proceeds = press != "CancelButton" && press != "Escape" && save.isEmpty();
        const QMap<QString, bool> proceeded{
            {"Close", !form().isVisible()},
            {"New",
             sheet()->Name->text().isEmpty() && files().CurrentFile() == files().templatePath()},
            {"Load", !question.openedIn.isEmpty()}};
        QCOMPARE(proceeded.value(command), proceeds);
        QCOMPARE(question.proposals.value(0), QString(proposal)
                                                  .replace("{file}", file)
                                                  .replace("{start}", FileCommands::startFolder()));
        if (!proposal.isEmpty() && save.isEmpty())
            QCOMPARE(readFile(answer), CharacterFileText::encode(before));
        if (!proceeds) {
            QCOMPARE(snapshot(form()), before);
            QCOMPARE(files().CurrentFile(), change == "deleted" ? QString() : file);
            QCOMPARE(form().notes()->document()->isModified(), notesEdited);
        }
        // A failed save says why.
        if (save == "folder")
            QVERIFY(m_window.messages.shown.value(0).second.contains(
                QDir::toNativeSeparators(m_window.dir.path())));
        if (change.startsWith("Ωmega")) {
            QVERIFY(m_window.answers.asked.isEmpty());
            QCOMPARE(*readFileAt(press.isEmpty() ? file : answer).record.Name, u"Ωmega Жуков"_qs);
        }
        // Load opens beside the character's own file.
        if (command == "Load" && proceeds)
            QCOMPARE(question.openedIn, QStringList({m_window.dir.path()}));
    }

    // A copy of the unsaved character waits in the recovery folder until it is saved, replaced
    // or closed; a copy no running program owns is offered at the next start.
    void recoveryCopies()
    {
        const QString folder = inDir("recovery");
        auto* recovery = form().createRecoveryCopy(folder); // the window owns it
        QVERIFY(!recovery->writeNow());                     // nothing unsaved yet
        sheet()->Name->setText(QStringLiteral("Ada"));
        pressDot(sheet()->Strength, 3);
        form().notes()->notepad()->insertPlainText(QStringLiteral("a note"));
        const QStringList lost = snapshot(form());
        QVERIFY(recovery->writeNow());
        // A second program keeps a copy of its own.
        auto other = m_window.create();
        RecoveryCopy& otherRecovery = *other->createRecoveryCopy(folder);
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
        RecoveryCopy& next = *form().createRecoveryCopy(folder);
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
            std::unique_ptr<RecoveryCopy> owned(form().createRecoveryCopy(folder));
            RecoveryCopy& later = *owned;
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

    void damagedAndMissingFiles()
    {
        // A file named on the command line that cannot be opened: the template instead.
        m_window.messages.shown.clear();
        auto started = m_window.create({inDir("no such file.tnc")});
        QCOMPARE(m_window.messages.shown.value(0).first, QStringLiteral("Load error"));
        QVERIFY(m_window.messages.shown.value(0).second.contains("no such file.tnc"));
        QCOMPARE(started->files().CurrentFile(), started->files().templatePath());

        // Neither is a template that cannot be read written over.
        m_window.messages.shown.clear();
        const QString templateFile = m_window.dir.filePath(FileCommands::TemplateName);
        QVERIFY(QFile::remove(templateFile) &&
                QDir(m_window.dir.path()).mkdir(FileCommands::TemplateName));
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
        form().notes()->notepad()->setFocus();
        QTest::keyClicks(form().notes()->notepad(), QStringLiteral("x"));
        QTest::keyClick(form().notes()->notepad(), Qt::Key_Z, Qt::ControlModifier);
        idle();
        QCOMPARE(sheet()->Strength->Filled(), 3);
        QCOMPARE(form().notes()->notepad()->toPlainText(), QString());
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
        columns<QString, QString, QString, bool, QString>(
            {"file", "merit", "flaw", "elder", "shown"});
        for (const QString& name : QDir(golden({})).entryList({"*.tnc"}))
            QTest::newRow(qPrintable(name))
                << golden(name) << QString() << QString() << false << QString();
        dataRow("Ventrue", "Ventrue", "Iron Will (3)", "Prey Exclusion (1)", false,
                "Iron Will (3)|");
        dataRow("Nosferatu", "Nosferatu", "Baby Face (2)", "Monstrous (3)", false,
                "|Monstrous (1)");
        dataRow("Tremere, elder", "Tremere", "Huge Size (4)", "Monstrous (1)", true,
                "Huge Size (4)|Monstrous (3)");
    }
    void reportMatchesTheSheet()
    {
        auto [file, merit, flaw, elder] =
            fetch<QString, QString, QString, bool>({"file", "merit", "flaw", "elder"});
        if (!file.endsWith(u".tnc")) {
            CharacterRecord made = readFileAt(golden("full.tnc")).record;
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
            const QJsonObject now = CharacterReport::build(SheetBinding::readAll(form().view()),
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

    // The program itself, headless, as scripts call it: its report of a golden file, value
    // for value as the .report.json of the file's name holds it.
    void report_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* file : {"v1.1", "v1.5", "v1.43", "cut-off", "unknown-banner", "zero-rows",
                                 "extensions", "overspent-pair"})
            dataRow(file, QString(file));
    }
    void report()
    {
        QFETCH(QString, file);
        const Finished run = runWithoutDisplay("tarnoch", {"--report", golden(file + ".tnc")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errors, QByteArray());
        const QJsonObject report = QJsonDocument::fromJson(run.output).object();
        const QJsonObject expected =
            QJsonDocument::fromJson(readFile(golden(file + ".report.json"))).object();
        QCOMPARE(report.keys(), expected.keys());
        const auto json = [](const QJsonValue& value) {
            return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        };
        for (const QString& key : expected.keys())
            QCOMPARE(key + ": " + json(report[key]), key + ": " + json(expected[key]));
    }

    // The command line writes the sheet the window prints, in the same faces, although the
    // window has used the font database (for its splash) before it registers its fonts.
    void pdfFromTheCommandLine()
    {
        const QString pdf = inDir("sheet.pdf");
        QCOMPARE(runWithoutDisplay("tarnoch", {"--pdf", pdf, golden("v1.1.tnc")}).exitCode, 0);
        const QString words = QString::fromUtf8(runProgram("pdftotext", {pdf, "-"}).output);
        for (const char* expected :
             {"Renée Straßer", "Toreador", "Auspex", "Resources", "Strength"})
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

    // The window exports what the command line exports from the file it shows, and proposes
    // the character's name beside that file.
    void foundryFromTheWindow()
    {
        m_window.open(TMainForm::Panel::Sheet, {golden("v1.43.tnc")});
        QCOMPARE(files().foundryProposal(), QFileInfo(golden("v1.43.tnc")).absolutePath() +
                                                QString::fromUtf8("/Renée Straßer.json"));
        const QString window = inDir("window.json"), cli = inDir("cli.json");
        QCOMPARE(form().printing().writeFoundry(window), QString());
        QCOMPARE(runWithoutDisplay("tarnoch", {"--export", "foundry", cli, golden("v1.43.tnc")})
                     .exitCode,
                 0);
        QCOMPARE(QJsonDocument::fromJson(readFile(window)), QJsonDocument::fromJson(readFile(cli)));
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
        dataRow("notes after the file", "tarnoch",
                QStringList{"--pdf", pdf, golden("v1.1.tnc"), "--notes"}, 0, "", "");
        dataRow("notes first", "tarnoch", QStringList{"--notes", "--pdf", pdf, golden("v1.1.tnc")},
                0, "", "");
        dataRow("no file", "tarnoch", QStringList{"--report"}, 1, "", "no character file named");
        dataRow("PDF in a missing folder", "tarnoch",
                QStringList{"--pdf", inDir("no/such/folder/sheet.pdf"), golden("v1.1.tnc")}, 1, "",
                "sheet.pdf");
        dataRow("report of a missing file", "tarnoch",
                QStringList{"--report", inDir("missing.tnc")}, 2, "", "missing.tnc");
        dataRow("cli version", "tarnoch-cli", QStringList{"--version"}, 0,
                "tarnoch " TARNOCH_VERSION, "");
        dataRow("log without a PDF", "tarnoch-cli",
                QStringList{"--report", golden("v1.5.tnc"), "--log"}, 1, "",
                "--log goes with --pdf");
        dataRow("cli has no window", "tarnoch-cli", QStringList{}, 1, "",
                "the window is tarnoch's");
        // The check of a coterie: 1 when any file breaks the rules, 2 when one cannot be read,
        // every other file checked all the same.
        dataRow("check, nothing found", "tarnoch-cli", QStringList{"--check", golden("v1.0.tnc")},
                0, "v1.0.tnc: nothing to report\n", "");
        dataRow("check, a breach", "tarnoch-cli",
                QStringList{"--check", golden("v1.0.tnc"), golden("overspent-pair.tnc")}, 1,
                "overspent-pair.tnc: breach: Freebies over-spent by 6: 24 spent of 18. "
                "(freebies-overspent)",
                "");
        dataRow("check, a file missing", "tarnoch",
                QStringList{"--check", inDir("missing.tnc"), golden("overspent-pair.tnc")}, 2,
                "overspent-pair.tnc: breach: Baby Face and Monstrous exclude each other.",
                "missing.tnc");
        dataRow("check with a report", "tarnoch-cli",
                QStringList{"--check", "--report", golden("v1.0.tnc")}, 1, "",
                "cannot be used together");
    }
    void commandLine()
    {
        const auto [program, arguments, output, errors] =
            fetch<QString, QStringList, QString, QString>(
                {"program", "arguments", "output", "errors"});
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
