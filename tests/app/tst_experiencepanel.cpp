#include "../support/MainWindow.h"
#include "panels/ExperiencePanel.h"

#include <QTableWidget>

// Experience in the window, pressed as the user presses it: the line beside the freebie tally
// finishes creation, the panel takes points earned and takes raises back, the dots spend.
class TestExperiencePanel : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_window.open(); }
    void cleanup() { m_window.form.reset(); }

    void finishEarnRaiseTakeBack()
    {
        TMainForm& form = *m_window.form;
        SheetPanel* sheet = form.sheet();
        ClickLabel* dock = form.tech().ExperienceTally;
        ExperiencePanel* panel = form.experience();
        TVampireDots* brawl = sheet->AbilityRows[0][3].dots;
        enter(sheet->Clan, QStringLiteral("Brujah"));
        pressDot(brawl, 2);
        QCOMPARE(dock->text(), QStringLiteral("Finish creation"));

        // Cancelled, then finished: the panel shows.
        click(dock);
        QVERIFY(!form.view().experience().creationFinished);
        m_window.answers.answers = {1};
        click(dock);
        QCOMPARE(m_window.answers.asked.size(), 2);
        QVERIFY(form.view().experience().creationFinished);
        QCOMPARE(form.visiblePanel(), TMainForm::Panel::Experience);

        panel->EarnedEdit->setText(QStringLiteral("10"));
        panel->NoteEdit->setText(QStringLiteral("session 3"));
        click(panel->AddButtonLabel);
        QCOMPARE(dock->text(), QStringLiteral("XP 0/10, 10 left"));
        QCOMPARE(panel->Log->item(0, 4)->text(), QStringLiteral("session 3"));

        form.switchToPanel(TMainForm::Panel::Sheet);
        const QString talents = sheet->TalentTallyLabel->text();
        pressDot(brawl, 3);
        QCOMPARE(brawl->Filled(), 3);
        QCOMPARE(brawl->Freebies(), 0);
        QCOMPARE(sheet->TalentTallyLabel->text(), talents);
        QCOMPARE(dock->text(), QStringLiteral("XP 4/10, 6 left"));
        pressDot(brawl, 5);
        idle();
        QCOMPARE(brawl->Filled(), 3);
        QCOMPARE(m_window.messages.shown.size(), 1);
        QVERIFY(m_window.messages.shown[0].second.contains("needs 14 points"));

        // Reopening is refused while the raise stands; taken back, it is allowed.
        click(panel->FinishButtonLabel);
        QCOMPARE(m_window.messages.shown.size(), 2);
        panel->Log->selectRow(1);
        click(panel->TakeBackButtonLabel);
        QCOMPARE(brawl->Filled(), 2);
        QCOMPARE(dock->text(), QStringLiteral("XP 0/10, 10 left"));
        m_window.answers.answers = {1};
        click(panel->FinishButtonLabel);
        QVERIFY(!form.view().experience().creationFinished);
        QCOMPARE(dock->text(), QStringLiteral("Finish creation"));
        QCOMPARE(form.view().experience().earned(), 10);
    }

private:
    MainWindow m_window;
};

QTEST_MAIN(TestExperiencePanel)
#include "tst_experiencepanel.moc"
