#include "../support/RecordedMessages.h"
#include "../support/ScriptedAnswers.h"
#include "app/FontRegistry.h"
#include "app/ClickLabel.h"
#include "app/RulesPanel.h"
#include "app/SheetPanel.h"
#include "app/TMainForm.h"
#include "controls/TSelectionBox.h"
#include "controls/TVampireDots.h"
#include "engine/GenerationEffects.h"
#include "engine/Recalculation.h"
#include "engine/RulesPresets.h"
#include "rules/TextRoutines.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The centre of dot k of a row of 8-pixel dots with 2-pixel gaps.
QPoint dot(const TVampireDots* dots, int k)
{
    return QPoint((k - dots->MinDots()) * 10 + 4, 4);
}

void press(TVampireDots* dots, int k)
{
    QTest::mouseClick(dots, Qt::LeftButton, {}, dot(dots, k));
}

// Lets a real event loop run dry, as the program's does, so that the idle pass serves what
// the presses raised (QTest::qWait polls and never lets the loop wait).
void idle(int milliseconds = 40)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class TestRecalculation : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    FontRegistry m_fonts;
    RecordedMessages m_messages;
    ScriptedAnswers m_answers;
    std::unique_ptr<TMainForm> m_form;
    TSelectionBox* m_popup = nullptr;
    SheetPanel* sheet() { return m_form->sheet(); }

    void rightPress(QWidget* widget)
    {
        QTest::mousePress(widget, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(m_popup->isOpen());
    }

private slots:
    void initTestCase() { m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR)); }
    void init()
    {
        m_form = std::make_unique<TMainForm>(
            ProgramPaths(QStringLiteral(TARNOCH_PROGRAM_DIR), m_dir.path() + '/'), QStringList{},
            m_messages);
        m_popup = new TSelectionBox(m_form->selectionContext(), m_form.get());
        m_form->setSelectionBox(m_popup);
        m_answers = {};
        m_form->setQuestions(&m_answers);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        idle();
    }
    void cleanup() { m_form.reset(); }

    void newSheetTallies()
    {
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(0/7)"));
        QCOMPARE(sheet()->TalentTallyLabel->text(), QStringLiteral("(0/13)"));
        QCOMPARE(sheet()->DisciplineTallyLabel->text(), QStringLiteral("(0/3)"));
        QCOMPARE(sheet()->VirtueTallyLabel->text(), QStringLiteral("(0/7)"));
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("0/15"));
    }

    void attributesFollowThePresses()
    {
        press(sheet()->Strength, 3);
        idle();
        QCOMPARE(sheet()->Strength->Filled(), 3);
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(2/7)"));
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("0/15"));

        press(sheet()->Strength, 5);
        press(sheet()->Dexterity, 4);
        idle();
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(7/7)"));
        QCOMPARE(sheet()->Stamina->Freebies(), 0);

        // One dot over the allowance is bought, drawn red and costs 5.
        press(sheet()->Stamina, 2);
        idle();
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(8/7)"));
        QCOMPARE(sheet()->Stamina->Freebies(), 1);
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("5/15"));
        const QImage picture = sheet()->Stamina->grab().toImage();
        QCOMPARE(picture.pixelColor(dot(sheet()->Stamina, 2)), QColor(255, 0, 0));

        // Pressing the current rating lowers it, and the red dot goes.
        press(sheet()->Stamina, 2);
        idle();
        QCOMPARE(sheet()->Stamina->Freebies(), 0);
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("0/15"));
    }

    void abilitiesAndDisciplines()
    {
        // A fourth dot is always bought while the ability limit is 3.
        press(sheet()->AbilityRows[0][1].dots, 4);
        idle();
        QCOMPARE(sheet()->AbilityRows[0][1].dots->Freebies(), 1);
        QCOMPARE(sheet()->TalentTallyLabel->text(), QStringLiteral("(3/13)"));
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("2/15"));

        // A discipline outside the three clan rows is bought dot for dot.
        press(sheet()->DisciplineRows[3].dots, 2);
        idle();
        QCOMPARE(sheet()->DisciplineRows[3].dots->Freebies(), 2);
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("16/15"));
    }

    void rowsGrowAndShrink()
    {
        RowCounts& rows = m_form->rowCounts();
        QCOMPARE(rows.BackgroundRows, 1);
        press(sheet()->BackgroundRows[0].dots, 2);
        idle();
        QCOMPARE(rows.BackgroundRows, 2);
        QVERIFY(sheet()->BackgroundRows[1].name->isVisible());
        sheet()->BackgroundRows[1].name->setText(QStringLiteral("Resources"));
        idle();
        QCOMPARE(rows.BackgroundRows, 3);
        QCOMPARE(sheet()->BackgroundTallyLabel->text(), QStringLiteral("(2/5)"));

        // Clearing the first row moves the others up, one row per pass.
        sheet()->BackgroundRows[0].dots->setFilled(0);
        idle();
        QCOMPARE(rows.BackgroundRows, 2);
        QCOMPARE(sheet()->BackgroundRows[0].name->text().left(9), QStringLiteral("Resources"));

        // A free ability row opens when the placeholder row gets a rating, in every column.
        QCOMPARE(rows.AbilityRows, 11);
        press(sheet()->AbilityRows[2][10].dots, 1);
        idle();
        QCOMPARE(rows.AbilityRows, 12);
        QCOMPARE(sheet()->Abilities->height(), 12 * 15 + 17);
        press(sheet()->AbilityRows[2][10].dots, 1); // back to 0
        idle();
        QCOMPARE(rows.AbilityRows, 11);
    }

    void nothingIsRecountedWhileAListIsOpen()
    {
        rightPress(sheet()->Clan);
        QCOMPARE(m_popup->kind(), 1);
        QVERIFY(m_popup->entries().contains(QStringLiteral("Lasombra")));
        press(sheet()->Strength, 4);
        idle();
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(0/7)"));
        QTest::keyClick(m_popup, Qt::Key_Escape);
        idle();
        QVERIFY(!m_popup->isOpen());
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(3/7)"));
        QCOMPARE(sheet()->Clan->text(), QString());
    }

    void listsLeaveOutNamesInUse()
    {
        sheet()->BackgroundRows[0].name->setText(QStringLiteral("Resources"));
        idle();
        rightPress(sheet()->BackgroundRows[1].name);
        QCOMPARE(m_popup->kind(), 5);
        QCOMPARE(m_popup->entries().first(), QStringLiteral("<NONE>"));
        QVERIFY(!m_popup->entries().contains(QStringLiteral("Resources")));
        QVERIFY(m_popup->entries().contains(QStringLiteral("Allies")));
        QTest::keyClick(m_popup, Qt::Key_Escape);

        // The discipline powers open from the dots of a row that names a discipline.
        sheet()->DisciplineRows[0].name->setText(QStringLiteral("Celerity"));
        idle();
        QTest::mousePress(sheet()->DisciplineRows[0].dots, Qt::RightButton, {}, QPoint(20, 4));
        QVERIFY(m_popup->isOpen());
        QCOMPARE(m_popup->kind(), 10);
        QVERIFY(m_popup->entries().first().startsWith(QStringLiteral("1: ")));
        QTest::keyClick(m_popup, Qt::Key_Escape);
    }

    void rowNamesAreFittedAndPadded()
    {
        QLineEdit* row = sheet()->AbilityRows[0][10].name;
        row->setText(QStringLiteral("Carousing"));
        QVERIFY(row->text().startsWith(QStringLiteral("Carousing.")));
        QCOMPARE(row->font().pixelSize(), 11);
        row->setText(QStringLiteral("An Extremely Long Talent Name"));
        QVERIFY(row->font().pixelSize() < 11);
        idle();
        QCOMPARE(m_form->rowCounts().AbilityRows, 12);
    }

    void clanFixesItsDisciplines()
    {
        auto& rows = sheet()->DisciplineRows;
        rows[0].name->setText(QStringLiteral("Auspex"));
        rows[0].dots->setFilled(2);
        rows[1].name->setText(QStringLiteral("Potence"));
        rows[1].dots->setFilled(1);
        sheet()->Clan->setText(QStringLiteral("Lasombra"));
        idle();
        QCOMPARE(TextRoutines::StripDots(rows[0].name->text()), QStringLiteral("Dominate"));
        QVERIFY(rows[0].name->isReadOnly());
        QCOMPARE(rows[0].name->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(rows[2].dots->Filled(), 1); // Potence kept its rating in its clan row
        QCOMPARE(TextRoutines::StripDots(rows[3].name->text()), QStringLiteral("Auspex"));
        QCOMPARE(rows[3].dots->Freebies(), 2);
        QCOMPARE(m_form->rowCounts().DisciplineRows, 5);
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("14/15"));

        // Caitiff, and a clan nobody knows, leave the rows as they are and free to choose.
        for (const char* clan : {"Caitiff", "Nobody's Clan"}) {
            sheet()->Clan->setText(QString::fromLatin1(clan));
            idle();
            QCOMPARE(TextRoutines::StripDots(rows[0].name->text()), QStringLiteral("Dominate"));
            QVERIFY(!rows[0].name->isReadOnly());
            QCOMPARE(rows[0].name->font().pixelSize(), 11);
        }

        // Appearance 0: held at one dot and crossed out.
        sheet()->Appearance->setFilled(3);
        sheet()->Clan->setText(QStringLiteral("Nosferatu"));
        idle();
        QCOMPARE(sheet()->Appearance->Filled(), 1);
        QVERIFY(sheet()->AppCrossOut->isVisible());
        sheet()->Clan->setText(QStringLiteral("Brujah"));
        idle();
        QVERIFY(!sheet()->AppCrossOut->isVisible());
    }

    void generationFollowsTheBackground()
    {
        auto& rows = sheet()->BackgroundRows;
        sheet()->Generation->setText(QStringLiteral("11th"));
        idle();
        QCOMPARE(TextRoutines::StripDots(rows[0].name->text()), QStringLiteral("Generation"));
        QCOMPARE(rows[0].dots->Filled(), 2);
        QCOMPARE(sheet()->Strength->MaxDots(), 5);

        rows[0].dots->setFilled(5);
        idle();
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("8th"));
        sheet()->Generation->setText(QStringLiteral("7th"));
        idle();
        QCOMPARE(rows[0].dots->Filled(), 6);
        QCOMPARE(sheet()->Strength->MaxDots(), 6);
        QCOMPARE(sheet()->AbilityRows[1][3].dots->MaxDots(), 6);
        int shown = 0;
        for (QWidget* box : sheet()->BloodPool)
            shown += box->isVisibleTo(sheet());
        QCOMPARE(shown, 20);
        QCOMPARE(sheet()->BloodTurn->text(), m_form->tables().GenerationBloodPerTurn[4]);

        sheet()->Generation->setText(QStringLiteral("14th"));
        idle();
        idle();
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("14th"));
        QCOMPARE(m_form->rowCounts().BackgroundRows, 1);

        // A new starting generation restarts the count from it.
        m_form->rulesPanel()->StartingGenerationEdit->setText(QStringLiteral("10"));
        idle();
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("10th"));

        // "Age" keeps its five dots and brings its freebies.
        rows[0].name->setText(QStringLiteral("Age"));
        rows[0].dots->setFilled(3);
        idle();
        QCOMPARE(rows[0].dots->MaxDots(), 5);
        QVERIFY(m_form->FreebieTally->text().endsWith(QStringLiteral("/90")));

        // Golconda's "Disciplines only" lifts the discipline rows alone.
        m_form->settings().GolcondaOn = true;
        m_form->settings().GolcondaChoice = 1;
        m_form->generation().GenerationChange();
        QCOMPARE(sheet()->DisciplineRows[0].dots->MaxDots(), 10);
        QCOMPARE(sheet()->Wits->MaxDots(), 5);
    }

    void virtuesLeadHumanityAndWillpower()
    {
        QCOMPARE(sheet()->Humanity->Filled(), 2);
        QCOMPARE(sheet()->Willpower->Filled(), 1);
        // Bought Humanity stays bought when a virtue rises.
        press(sheet()->Humanity, 4);
        idle();
        QCOMPARE(sheet()->Humanity->Freebies(), 2);
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("2/15"));
        press(sheet()->Conscience, 2);
        idle();
        QCOMPARE(sheet()->Humanity->Filled(), 5);
        QCOMPARE(sheet()->Humanity->Freebies(), 2);

        // Lowering Willpower below Courage asks; "No" puts it back, "Yes" detaches it.
        press(sheet()->Courage, 3);
        idle();
        QCOMPARE(sheet()->Willpower->Filled(), 3);
        m_answers.answers = {2};
        press(sheet()->Willpower, 2);
        idle();
        QCOMPARE(m_answers.asked.value(0), QStringLiteral("Detach Willpower from Virtues?"));
        QCOMPARE(sheet()->Willpower->Filled(), 3);
        m_answers.answers = {1};
        press(sheet()->Willpower, 2);
        idle();
        QCOMPARE(sheet()->Willpower->Filled(), 2);
        QVERIFY(!m_form->settings().WillpowerFromVirtues);

        // The Sabbat cap holds Humanity, not a path.
        m_form->rulesPanel()->MaxHumanityEdit->setText(QStringLiteral("5"));
        idle();
        QCOMPARE(sheet()->Humanity->Filled(), 5);
        press(sheet()->SelfControl, 4);
        idle();
        QCOMPARE(sheet()->Humanity->Filled(), 5);
        sheet()->Path->setText(QStringLiteral("Path of Caine"));
        idle();
        QVERIFY(sheet()->Humanity->Filled() > 5);

        m_form->rulesPanel()->VirtueNamesEdit->setText(QStringLiteral("Sabbat (Callousness, Instincts & Morale)"));
        idle();
        QVERIFY(sheet()->Virtue1->text().startsWith(QStringLiteral("Callousness.")));
        QVERIFY(sheet()->Virtue3->text().startsWith(QStringLiteral("Morale.")));
    }

    void meritsAndFlaws()
    {
        auto flaw = [this](int r) { return TextRoutines::StripDots(sheet()->FlawRows[r]->text()); };
        const RowCounts& rows = m_form->rowCounts();
        // A child is short too: one choice, four points, two rows and a new open row.
        rightPress(sheet()->FlawRows[0]);
        QCOMPARE(m_popup->entries().first(), QStringLiteral("<NONE>"));
        QTest::keyClick(m_popup, Qt::Key_Escape);
        sheet()->FlawRows[0]->setText(QStringLiteral("Child (3)"));
        idle();
        QCOMPARE(flaw(1), QStringLiteral("Short (1)"));
        QCOMPARE(rows.FlawRows, 3);
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("0/19"));

        // Typing a whole name completes it with its cost; an unknown entry stays as typed.
        QLineEdit* open = sheet()->FlawRows[2];
        open->setFocus();
        QTest::keyClicks(open, QStringLiteral("Inept"));
        QCOMPARE(flaw(2), QStringLiteral("Inept (5)"));
        idle();
        QCOMPARE(sheet()->TalentTallyLabel->text(), QStringLiteral("(0/8)"));
        QVERIFY(m_form->FlawWarning->isVisible());
        sheet()->FlawRows[3]->setText(QStringLiteral("Sworn to my sire (2)"));
        idle();
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("0/26"));

        // Emptying a middle row closes the gap.
        sheet()->FlawRows[1]->setText(QString());
        idle();
        QCOMPARE(flaw(1), QStringLiteral("Inept (5)"));
        QCOMPARE(rows.FlawRows, 4);

        // A merit that excludes a flaw on the sheet asks: "Cancel" withdraws it, "Remove"
        // clears the flaw.
        const QString merit = QStringLiteral("Iron Will (3)");
        sheet()->FlawRows[3]->setText(QStringLiteral("Weak-Willed (3)"));
        m_answers.answers = {2, 1};
        sheet()->MeritRows[0]->setText(merit);
        QCOMPARE(TextRoutines::StripDots(sheet()->MeritRows[0]->text()), QString());
        QCOMPARE(m_answers.asked.value(0),
                 QStringLiteral("Iron Will and Weak-Willed is mutually exclusive.\nRemove Weak-Willed (3)?"));
        sheet()->MeritRows[0]->setText(merit);
        QCOMPARE(TextRoutines::StripDots(sheet()->MeritRows[0]->text()), merit);
        QCOMPARE(flaw(3), QString());

        // A Ventrue cannot keep a feeding restriction, even when it is taken again.
        sheet()->Clan->setText(QStringLiteral("Ventrue"));
        for (int round = 0; round < 2; ++round) {
            sheet()->FlawRows[rows.FlawRows - 1]->setText(QStringLiteral("Prey Exclusion (1)"));
            idle();
            for (int r = 0; r < rows.FlawRows; ++r)
                QVERIFY(flaw(r) != QStringLiteral("Prey Exclusion (1)"));
        }
    }

    void rulesPanelAndPresets()
    {
        RulesPanel* rules = m_form->rulesPanel();
        auto red = [](QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0); };
        idle();
        QVERIFY(red(rules->CamarillaButtonLabel));
        QTest::mouseClick(rules->SabbatButtonLabel, Qt::LeftButton);
        idle();
        QCOMPARE(rules->MaxHumanityEdit->text(), QStringLiteral("5"));
        QCOMPARE(rules->BackgroundEdit->text(), QStringLiteral("0"));
        QVERIFY(red(rules->SabbatButtonLabel) && !red(rules->CamarillaButtonLabel));
        QVERIFY(sheet()->Virtue2->text().startsWith(QStringLiteral("Instincts.")));

        QTest::mouseClick(rules->ElderButtonLabel, Qt::LeftButton);
        idle();
        QCOMPARE(rules->VirtueNamesEdit->text(), RulesPresets::Camarilla().VirtueNamesEdit);
        QVERIFY(rules->ElderDiscPanel->isVisibleTo(rules));
        QVERIFY(red(rules->ElderButtonLabel));
        QCOMPARE(m_form->FreebieTally->text(), QStringLiteral("0/20"));

        // A typed allowance turns the preset black and reaches the sheet; a word uses the default.
        rules->AttPriEdit->setText(QStringLiteral("8"));
        idle();
        QVERIFY(!red(rules->ElderButtonLabel));
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(0/8)"));
        rules->AttPriEdit->setText(QStringLiteral("many"));
        idle();
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(0/7)"));
        QVERIFY(m_messages.shown.isEmpty());

        // The cost boxes are a pair of radio buttons.
        for (int press = 0; press < 2; ++press)
            QTest::mouseClick(rules->NormalCostCheckBox, Qt::LeftButton);
        idle();
        QCOMPARE(m_form->settings().SecondaryCostFactor, 1.0f);
        QCOMPARE(rules->NormalCostCheckBox->property("ticked").toBool(), true);
        QCOMPARE(rules->HalfCostCheckBox->property("ticked").toBool(), false);

        // A Golconda choice waits for Golconda itself.
        QTest::mouseClick(rules->GolcondaChoice1, Qt::LeftButton);
        QCOMPARE(sheet()->DisciplineRows[0].dots->MaxDots(), 5);
        QTest::mouseClick(rules->GolcondaCheckBox, Qt::LeftButton);
        idle();
        QCOMPARE(sheet()->DisciplineRows[0].dots->MaxDots(), 10);
        QVERIFY(rules->GolcondaPanel->isVisibleTo(rules));
    }

    void elderRulesRenameAndWarn()
    {
        auto& rows = sheet()->BackgroundRows;
        sheet()->Generation->setText(QStringLiteral("12th"));
        idle();
        QCOMPARE(TextRoutines::StripDots(rows[0].name->text()), QStringLiteral("Generation"));
        QTest::mouseClick(m_form->rulesPanel()->ElderCheckBox, Qt::LeftButton);
        idle();
        QCOMPARE(TextRoutines::StripDots(rows[0].name->text()), QStringLiteral("Elder Generation"));
        QVERIFY(m_form->tables().Backgrounds.items().contains(QStringLiteral("Elder Generation")));
        QVERIFY(!m_form->DerangementWarning->isVisible());
        // Golconda's "Any trait" lets the traits pass 5, each asking for a derangement.
        QTest::mouseClick(m_form->rulesPanel()->GolcondaCheckBox, Qt::LeftButton);
        press(sheet()->Strength, 6);
        idle();
        QCOMPARE(m_form->DerangementWarning->text(), QStringLiteral("Elder character should have 1 derangement"));
        press(sheet()->Wits, 7);
        idle();
        QCOMPARE(m_form->DerangementWarning->text(), QStringLiteral("Elder character should have 2 derangements"));
        QTest::mouseClick(m_form->rulesPanel()->ElderCheckBox, Qt::LeftButton);
        idle();
        QCOMPARE(TextRoutines::StripDots(rows[0].name->text()), QStringLiteral("Generation"));
        QVERIFY(!m_form->DerangementWarning->isVisible());
    }

    void settlesWhenNothingChanges()
    {
        press(sheet()->Strength, 4);
        idle();
        const int passes = m_form->recalculation().passes();
        idle(300);
        // An idle window wakes for nothing: at most the odd stray pass, not one per tick.
        QVERIFY2(m_form->recalculation().passes() - passes <= 2,
                 qPrintable(QString::number(m_form->recalculation().passes() - passes)));
    }
};

QTEST_MAIN(TestRecalculation)
#include "tst_recalculation.moc"
