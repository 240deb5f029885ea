#include "../support/DataRows.h"
#include "../support/MainWindow.h"
#include "../support/WhileOpen.h"
#include "output/FontRegistry.h"
#include "output/TConfirmDlg.h"
#include "sheet/Recalculation.h"

#include <QAbstractEventDispatcher>

// The rules behind the sheet on the real window: each kind of row, each effect and each
// question once, through the idle pass; the rules themselves have their data rows elsewhere.
class TestRecalculation : public QObject
{
    Q_OBJECT
private:
    MainWindow m_window;
    TMainForm& form() { return *m_window.form; }
    SheetPanel* sheet() { return m_window.form->sheet(); }
    RulesPanel* rules() { return m_window.form->rulesPanel(); }
    static bool red(const QWidget* label) { return textColour(label) == QColor(Qt::red); }

    TVampireDots* dots(const QString& row)
    {
        SheetPanel* s = sheet();
        if (row.startsWith(u"Discipline "))
            return s->DisciplineRows[row.mid(11).toInt() - 1].dots;
        return QMap<QString, TVampireDots*>{{"Strength", s->Strength},
                                            {"Dexterity", s->Dexterity},
                                            {"Stamina", s->Stamina},
                                            {"Conscience", s->Conscience},
                                            {"Self-Control", s->SelfControl},
                                            {"Courage", s->Courage},
                                            {"Humanity", s->Humanity},
                                            {"Willpower", s->Willpower},
                                            {"Talent 2", s->AbilityRows[0][1].dots},
                                            {"Background 1", s->BackgroundRows[0].dots}}
            .value(row);
    }

private slots:
    void init() { m_window.open(); }
    void cleanup() { m_window.form.reset(); }

    // A bought dot is drawn red where it was pressed.
    void pressesReachTheTallies_data()
    {
        // Each press a row and its rating, or a rules option to click; a tally ("" for none)
        // and its text; the last pressed row's bought dots; the freebie tally.
        columns<QString, QString, QString, int, QString>(
            {"presses", "tally", "tallyText", "bought", "freebies"});
        dataRow("attributes over the allowance", "Strength 5, Dexterity 4, Stamina 2", "Physical",
                "(8/7)", 1, "5/15");
        dataRow("ability above the limit of 3", "Talent 2 4", "Talents", "(3/13)", 1, "2/15");
        dataRow("discipline outside the clan's", "Discipline 4 2", "Disciplines", "(0/3)", 2,
                "14/15");
        // Both elder discipline rules start ticked; each row unticks the other one.
        dataRow(
            "Dirty Secrets: non-clan above the lowest clan discipline is bought",
            "Elder, Elysium box, Discipline 1 2, Discipline 2 2, Discipline 3 2, Discipline 4 3",
            "Disciplines", "(8/10)", 1, "7/20");
        dataRow("Elysium: non-clan beyond half of the allowance is bought",
                "Elder, Dirty Secrets box, Discipline 1 1, Discipline 2 1, Discipline 3 1, "
                "Discipline 4 4, Discipline 5 3",
                "Disciplines", "(8/10)", 2, "14/20");
        dataRow("background", "Background 1 2", "Backgrounds", "(2/5)", 0, "0/15");
        dataRow("virtues over the allowance", "Conscience 5, Self-Control 5", "Virtues", "(8/7)", 1,
                "2/15");
        dataRow("Humanity bought", "Humanity 4", "", "", 2, "2/15");
        dataRow("freebies over-spent", "Willpower 10", "", "", 9, "18/15");
    }
    void pressesReachTheTallies()
    {
        const auto [presses, tally, tallyText, bought, freebies] =
            fetch<QString, QString, QString, int, QString>(
                {"presses", "tally", "tallyText", "bought", "freebies"});
        const QMap<QString, ClickLabel*> options{
            {"Elder", rules()->ElderButtonLabel},
            {"Elysium box", rules()->ElysiumDiscCheckBox},
            {"Dirty Secrets box", rules()->DirtySecretsDiscCheckBox}};
        QString pressed;
        for (const QString& press : presses.split(QStringLiteral(", "))) {
            if (options.contains(press)) {
                click(options[press]);
                continue;
            }
            pressed = press.section(u' ', 0, -2);
            pressDot(dots(pressed), press.section(u' ', -1).toInt());
        }
        const SheetPanel* s = sheet();
        const QMap<QString, QLabel*> tallies{{"Physical", s->PhysLabel},
                                             {"Talents", s->TalentTallyLabel},
                                             {"Disciplines", s->DisciplineTallyLabel},
                                             {"Backgrounds", s->BackgroundTallyLabel},
                                             {"Virtues", s->VirtueTallyLabel}};
        if (!tally.isEmpty())
            QCOMPARE(tallies.value(tally)->text(), tallyText);
        TVampireDots* last = dots(pressed);
        QCOMPARE(last->Freebies(), bought);
        QCOMPARE(form().tech().FreebieTally->text(), freebies);
        const QStringList spent = freebies.split(u'/');
        QCOMPARE(red(form().tech().FreebieTally), spent[0].toInt() > spent[1].toInt());
        const QImage picture = last->grab().toImage();
        QCOMPARE(picture.pixelColor(dotCentre(last, last->Filled())) == Qt::red, bought > 0);
    }

    void rowsGrowAndShrink()
    {
        RowCounts& rows = form().view().rowCounts();
        auto& backgrounds = sheet()->BackgroundRows;
        pressDot(backgrounds[0].dots, 2);
        QCOMPARE(rows.BackgroundRows, 2);
        QVERIFY(backgrounds[1].name->isVisible());
        enter(backgrounds[1].name, QStringLiteral("Resources"));
        QCOMPARE(rows.BackgroundRows, 3);
        // Clearing the first row moves the others up, one row per pass.
        backgrounds[0].dots->setFilled(0);
        idle();
        QCOMPARE(rows.BackgroundRows, 2);
        QCOMPARE(stripped(backgrounds[0].name), QStringLiteral("Resources"));

        // A named placeholder opens a free ability row; names are padded with stops.
        auto* talent = sheet()->AbilityRows[0][10].name;
        talent->setText(QStringLiteral("Carousing"));
        QVERIFY(talent->text().startsWith(QStringLiteral("Carousing.")));
        idle();
        QCOMPARE(rows.AbilityRows, 12);
        QCOMPARE(sheet()->Abilities->height(), 12 * 15 + 17);
    }

    void nothingIsRecountedWhileAListIsOpen()
    {
        QVERIFY(m_window.rightPress(sheet()->Clan));
        QCOMPARE(m_window.popup()->kind(), 1);
        const int passes = form().view().recalculation().passes();
        QTest::mouseClick(sheet()->Strength, Qt::LeftButton, {}, dotCentre(sheet()->Strength, 4));
        // The loop runs dry and would start a pass, which the open list holds back.
        QEventLoop loop;
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(form().view().recalculation().passes(), passes);
        QCOMPARE(sheet()->Strength->Filled(), 4);
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(0/7)"));
        QTest::keyClick(m_window.popup(), Qt::Key_Escape);
        idle();
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(3/7)"));
        QCOMPARE(sheet()->Clan->text(), QString());
    }

    void listsLeaveOutNamesInUse()
    {
        enter(sheet()->BackgroundRows[0].name, QStringLiteral("Resources"));
        QVERIFY(m_window.rightPress(sheet()->BackgroundRows[1].name));
        const QStringList entries = m_window.popup()->entries();
        QCOMPARE(entries.first(), QStringLiteral("<NONE>"));
        QVERIFY(!entries.contains(QStringLiteral("Resources")) && entries.contains("Allies"));
        QTest::keyClick(m_window.popup(), Qt::Key_Escape);

        // The discipline powers open from the dots of a row that names a discipline, and the
        // ankh over those dots says so.
        TVampireDots* discipline = sheet()->DisciplineRows[0].dots;
        QCOMPARE(discipline->cursor().shape(), Qt::ArrowCursor);
        enter(sheet()->DisciplineRows[0].name, QStringLiteral("Celerity"));
        QCOMPARE(discipline->cursor().shape(), Qt::BitmapCursor);
        QVERIFY(m_window.rightPress(sheet()->DisciplineRows[0].dots, QPoint(20, 4)));
        QCOMPARE(m_window.popup()->kind(), 10);
        QVERIFY(m_window.popup()->entries().first().startsWith(QStringLiteral("1: ")));
        QTest::keyClick(m_window.popup(), Qt::Key_Escape);
        enter(sheet()->DisciplineRows[0].name, QStringLiteral("Knitting"));
        QCOMPARE(discipline->cursor().shape(), Qt::ArrowCursor);
    }

    void clanFixesItsDisciplines()
    {
        auto& rows = sheet()->DisciplineRows;
        rows[0].name->setText(QStringLiteral("Auspex"));
        rows[0].dots->setFilled(2);
        rows[1].name->setText(QStringLiteral("Potence"));
        rows[1].dots->setFilled(1);
        enter(sheet()->Clan, QStringLiteral("Lasombra"));
        QCOMPARE(stripped(rows[0].name), QStringLiteral("Dominate"));
        QVERIFY(rows[0].name->isReadOnly());
        QCOMPARE(rows[0].name->font().family(),
                 FontRegistry::font(QStringLiteral("Times New Roman")).family());
        QCOMPARE(form().tech().FreebieTally->text(), QStringLiteral("14/15"));

        // Caitiff, and a clan nobody knows, leave the rows as they are and free to choose.
        for (const char* clan : {"Caitiff", "Nobody's Clan"}) {
            enter(sheet()->Clan, QString::fromLatin1(clan));
            QCOMPARE(stripped(rows[0].name), QStringLiteral("Dominate"));
            QVERIFY(!rows[0].name->isReadOnly());
        }

        // Appearance 0: held at one dot and crossed out.
        sheet()->Appearance->setFilled(3);
        enter(sheet()->Clan, QStringLiteral("Nosferatu"));
        QCOMPARE(sheet()->Appearance->Filled(), 1);
        QVERIFY(sheet()->AppCrossOut->isVisible());
        enter(sheet()->Clan, QStringLiteral("Brujah"));
        QVERIFY(!sheet()->AppCrossOut->isVisible());
    }

    void generationFollowsTheBackground()
    {
        auto& rows = sheet()->BackgroundRows;
        enter(sheet()->Generation, QStringLiteral("11th"));
        QCOMPARE(stripped(rows[0].name), QStringLiteral("Generation"));
        QCOMPARE(rows[0].dots->Filled(), 2);
        rows[0].dots->setFilled(5);
        idle();
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("8th"));

        // The 7th generation lifts the ratings to 6 and fills two rows of blood pool boxes.
        enter(sheet()->Generation, QStringLiteral("7th"));
        QCOMPARE(sheet()->Strength->MaxDots(), 6);
        QCOMPARE(sheet()->AbilityRows[1][3].dots->MaxDots(), 6);
        QCOMPARE(shownBloodPool(sheet()), 20);
        QCOMPARE(sheet()->BloodTurn->text(), form().view().tables().GenerationBloodPerTurn[4]);

        // A new starting generation restarts the count from it, even below the one shown.
        enter(sheet()->Generation, QStringLiteral("14th"));
        enter(rules()->StartingGenerationEdit, QStringLiteral("10"));
        QCOMPARE(sheet()->Generation->text(), QStringLiteral("10th"));

        // "Age" keeps its five dots and brings its freebies.
        rows[0].name->setText(QStringLiteral("Age"));
        rows[0].dots->setFilled(3);
        idle();
        QCOMPARE(rows[0].dots->MaxDots(), 5);
        QVERIFY(form().tech().FreebieTally->text().endsWith(QStringLiteral("/90")));
    }

    // Lowering a derived rating below the virtues asks on the program's own question, while
    // the idle pass keeps the derived rating: "No" leaves it, "Yes" detaches the rating and
    // writes the chosen one back.
    void detachingFromTheVirtues_data()
    {
        columns<QString, QString, QString, int>({"trait", "question", "press", "rating"});
        for (const char* trait : {"Humanity", "Willpower"}) {
            const QString question = trait == QByteArray("Humanity")
                                         ? "Detach Humanity or Path from Virtues?"
                                         : "Detach Willpower from Virtues?";
            dataRow(qPrintable(QString(trait) + ", No"), QString(trait), question, "Button2", 3);
            dataRow(qPrintable(QString(trait) + ", Yes"), QString(trait), question, "Button1", 2);
        }
    }
    void detachingFromTheVirtues()
    {
        const auto [trait, question, press] =
            fetch<QString, QString, QString>({"trait", "question", "press"});
        TConfirmDlg dialog;
        form().setQuestions(&dialog);
        pressDot(sheet()->Conscience, 2);
        pressDot(sheet()->Courage, 3);
        TVampireDots* rating = dots(trait);
        QCOMPARE(rating->Filled(), 3);

        QString asked;
        int whileAsked = 0;
        bool leftOpen = false;
        whileOpen(&dialog, leftOpen, [&] {
            idle();
            asked = dialog.findChild<QLabel*>(QStringLiteral("MessageLabel"))->text();
            whileAsked = rating->Filled();
            QTest::mousePress(dialog.findChild<QLabel*>(press), Qt::LeftButton);
        });
        pressDot(rating, 2);
        QCOMPARE(asked, question);
        QCOMPARE(whileAsked, 3);
        QTEST(rating->Filled(), "rating");
        ClickLabel* dependency =
            trait == "Humanity" ? rules()->HumanityDependent : rules()->WillpowerDependent;
        QCOMPARE(dependency->property("ticked").toBool(), press == "Button2");
    }

    void humanityCapAndVirtueNames()
    {
        // The Sabbat cap holds Humanity, not a path.
        pressDot(sheet()->Conscience, 2);
        enter(rules()->MaxHumanityEdit, QStringLiteral("2"));
        QCOMPARE(sheet()->Humanity->Filled(), 2);
        enter(sheet()->Path, QStringLiteral("Path of Caine"));
        QCOMPARE(sheet()->Humanity->Filled(), 3);

        enter(rules()->VirtueNamesEdit, QStringLiteral("Sabbat (Callousness, Instincts & Morale)"));
        QVERIFY(sheet()->Virtue1->text().startsWith(QStringLiteral("Callousness.")));
        QVERIFY(sheet()->Virtue3->text().startsWith(QStringLiteral("Morale.")));
    }

    // The lists' rule has its rows beside the accounting; here what the sheet shows of it.
    void meritsAndFlaws()
    {
        auto flaw = [this](int r) { return stripped(sheet()->FlawRows[r]); };
        const RowCounts& rows = form().view().rowCounts();
        // A child is short too: one choice, four points, two rows and a new open row.
        enter(sheet()->FlawRows[0], QStringLiteral("Child (3)"));
        QCOMPARE(flaw(1), QStringLiteral("Short (1)"));
        QCOMPARE(rows.FlawRows, 3);
        QCOMPARE(form().tech().FreebieTally->text(), QStringLiteral("0/19"));

        // Typing a whole name completes it with its cost, the caret after the typed name;
        // its penalty reaches the tallies.
        auto* open = sheet()->FlawRows[2];
        open->setFocus();
        QTest::keyClicks(open, QStringLiteral("Inept"));
        QCOMPARE(flaw(2), QStringLiteral("Inept (5)"));
        QCOMPARE(open->cursorPosition(), 5);
        idle();
        QCOMPARE(sheet()->TalentTallyLabel->text(), QStringLiteral("(0/8)"));
        QVERIFY(form().tech().FlawWarning->isVisible());

        // Huge Size beside the short child asks about both; "Cancel" leaves its row empty, the
        // health as it was.
        m_window.answers.answers = {2, 2};
        enter(sheet()->MeritRows[0], QStringLiteral("Huge Size (4)"));
        QCOMPARE(m_window.answers.asked,
                 QStringList({"Huge Size and Short is mutually exclusive.\nRemove Short (1)?",
                              "Huge Size and Child is mutually exclusive.\nRemove Child (3)?"}));
        QCOMPARE(stripped(sheet()->MeritRows[0]), QString());
        QCOMPARE(sheet()->HealthPanel->y(), 32);

        // A Ventrue cannot keep a feeding restriction, even when it is taken again.
        sheet()->Clan->setText(QStringLiteral("Ventrue"));
        for (int round = 0; round < 2; ++round) {
            enter(sheet()->FlawRows[rows.FlawRows - 1], QStringLiteral("Prey Exclusion (1)"));
            for (int r = 0; r < rows.FlawRows; ++r)
                QVERIFY(flaw(r) != QStringLiteral("Prey Exclusion (1)"));
        }
    }

    void rulesPanelAndPresets()
    {
        // Until its controls are built the panel keeps what is written to it, and a change
        // reaches the sheet as a typed one does; built, it shows the preset that matches.
        RulesPanel* unbuilt = form().view().rulesPanel();
        QVERIFY(!unbuilt->isBuilt());
        for (const char* freebies : {"19", "15"}) {
            unbuilt->setBoxText(&RulesBoxTexts::FreebiesEdit, QString::fromLatin1(freebies));
            idle();
            QCOMPARE(form().tech().FreebieTally->text(), "0/" + QString::fromLatin1(freebies));
        }
        QVERIFY(red(rules()->CamarillaButtonLabel));
        click(rules()->SabbatButtonLabel);
        QVERIFY(red(rules()->SabbatButtonLabel) && !red(rules()->CamarillaButtonLabel));
        QCOMPARE(rules()->BackgroundEdit->text(), QStringLiteral("0"));
        QVERIFY(sheet()->Virtue2->text().startsWith(QStringLiteral("Instincts.")));
        click(rules()->ElderButtonLabel);
        QVERIFY(rules()->ElderDiscPanel->isVisibleTo(rules()));
        QCOMPARE(form().tech().FreebieTally->text(), QStringLiteral("0/20"));

        // A typed allowance turns the preset black and reaches the sheet.
        enter(rules()->AttPriEdit, QStringLiteral("8"));
        QVERIFY(!red(rules()->ElderButtonLabel));
        QCOMPARE(sheet()->PhysLabel->text(), QStringLiteral("(0/8)"));

        // The cost boxes are a pair of radio buttons, and the cost reaches the freebies.
        pressDot(sheet()->SecondaryRows[0][0].dots, 4); // a fourth dot is always bought
        const double halfCost = form().tech().FreebieTally->text().section(u'/', 0, 0).toDouble();
        for (int press = 0; press < 2; ++press)
            click(rules()->NormalCostCheckBox);
        QCOMPARE(form().view().settings().SecondaryCostFactor, 1.0f);
        QVERIFY(form().tech().FreebieTally->text().section(u'/', 0, 0).toDouble() > halfCost);
        QVERIFY(rules()->NormalCostCheckBox->property("ticked").toBool());
        QVERIFY(!rules()->HalfCostCheckBox->property("ticked").toBool());

        // A Golconda choice waits for Golconda itself.
        QTest::mouseClick(rules()->GolcondaChoice1, Qt::LeftButton);
        QCOMPARE(sheet()->DisciplineRows[0].dots->MaxDots(), 5);
        click(rules()->GolcondaCheckBox);
        QCOMPARE(sheet()->DisciplineRows[0].dots->MaxDots(), 10);
        QCOMPARE(sheet()->Wits->MaxDots(), 5);
        QVERIFY(rules()->GolcondaPanel->isVisibleTo(rules()));
    }

    void elderRulesRenameAndWarn()
    {
        auto& rows = sheet()->BackgroundRows;
        enter(sheet()->Generation, QStringLiteral("12th"));
        click(rules()->ElderCheckBox);
        QCOMPARE(stripped(rows[0].name), QStringLiteral("Elder Generation"));
        QVERIFY(form().view().tables().Backgrounds.items().contains(
            QStringLiteral("Elder Generation")));
        QVERIFY(!form().tech().DerangementWarning->isVisible());
        // Golconda's "Any trait" lets the traits pass 5, each asking for a derangement.
        QTest::mouseClick(rules()->GolcondaCheckBox, Qt::LeftButton);
        pressDot(sheet()->Strength, 6);
        pressDot(sheet()->Wits, 7);
        QVERIFY(form().tech().DerangementWarning->isVisible());
        QCOMPARE(form().tech().DerangementWarning->text(),
                 QStringLiteral("Elder character should have 2 derangements"));
        click(rules()->ElderCheckBox);
        QCOMPARE(stripped(rows[0].name), QStringLiteral("Generation"));
        QVERIFY(!form().tech().DerangementWarning->isVisible());
    }

    // A settled window sleeps until something happens: over a stretch of nothing happening
    // at most the odd stray pass runs, not one per turn of the loop.
    void settlesWhenNothingChanges()
    {
        pressDot(sheet()->Strength, 4);
        const int passes = form().view().recalculation().passes();
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY2(form().view().recalculation().passes() - passes <= 2,
                 qPrintable(QString::number(form().view().recalculation().passes() - passes)));
    }
};

QTEST_MAIN(TestRecalculation)
#include "tst_recalculation.moc"
