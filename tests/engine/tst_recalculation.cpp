#include "../support/RecordedMessages.h"
#include "app/FontRegistry.h"
#include "app/SheetPanel.h"
#include "app/TMainForm.h"
#include "controls/TSelectionBox.h"
#include "controls/TVampireDots.h"
#include "engine/Recalculation.h"

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
