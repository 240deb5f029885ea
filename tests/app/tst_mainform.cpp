#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "controls/RowFlash.h"
#include "controls/TNameEdit.h"
#include "panels/AboutPanel.h"
#include "panels/ChecksPanel.h"
#include "program/ScrollModel.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

// the row counts; the advantages' height, the flaws' top, the touches' height
using LayoutRow = std::tuple<RowCounts, int, int, int>;
Q_DECLARE_METATYPE(LayoutRow)

namespace {

const QColor Red(255, 0, 0);
const QColor Caption(96, 160, 128);
constexpr int Column = 620; // inside the scroll bar column

void drag(QWidget* widget, int y)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(Column, y), widget->mapToGlobal(QPointF(Column, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private:
    MainWindow m_window;
    TMainForm& form() { return *m_window.form; }
    QWidget* background() { return form().BackgroundImage; }

private slots:
    void init() { m_window.open(); }
    void cleanup() { m_window.form.reset(); }

    void layoutFollowsRowCounts_data()
    {
        const auto row = rowColumn<LayoutRow>();
        row("new sheet", {{}, 92, 36, 175});
        row("many backgrounds", {{.BackgroundRows = 8}, 137, 36, 175});
        row("long merit list", {{20, 1, 20, 1, 9, 6}, 317, 156, 267});
    }
    void layoutFollowsRowCounts()
    {
        QFETCH(LayoutRow, row);
        const auto& [rows, advantages, flawTop, touches] = row;
        form().view().rowCounts() = rows;
        form().updateSheetLayout();
        SheetPanel* sheet = form().sheet();
        const int abilities = rows.AbilityRows * 15 + 17;
        QCOMPARE((QList<int>{sheet->Abilities->height(), sheet->Advantages->height(),
                             sheet->FlawPanel->y(), sheet->FlawPanel->height(),
                             sheet->Touches->height(), sheet->height()}),
                 (QList<int>{abilities, advantages, flawTop, rows.FlawRows * 15 + 21, touches,
                             88 + 76 + abilities + 32 + advantages + touches + 124}));
        // Rows out of use are not seen; the open last row is.
        QVERIFY(sheet->BackgroundRows[rows.BackgroundRows - 1].name->isVisible());
        QVERIFY(!sheet->BackgroundRows[rows.BackgroundRows].name->isVisible());
        QVERIFY(rows.DisciplineRows == 20 ||
                !sheet->DisciplineRows[rows.DisciplineRows].dots->isVisible());
        // Free ability rows in use are tab stops, the others are not.
        QCOMPARE(sheet->AbilityRows[1][10].name->focusPolicy() == Qt::StrongFocus,
                 rows.AbilityRows > 10);
        QCOMPARE(sheet->AbilityRows[2][19].name->focusPolicy() == Qt::StrongFocus,
                 rows.AbilityRows == 20);
    }

    void newSheetShowsItsStartingTexts()
    {
        SheetPanel* sheet = form().sheet();
        const QStringList texts{sheet->PhysLabel->text(),
                                sheet->SocLabel->text(),
                                sheet->MenLabel->text(),
                                sheet->TalentTallyLabel->text(),
                                form().tech().FreebieTally->text(),
                                sheet->Generation->text(),
                                sheet->Path->text(),
                                stripped(sheet->AbilityRows[0][0].name),
                                stripped(sheet->AbilityRows[2][9].name)};
        QCOMPARE(texts, QStringList({"(0/7)", "(0/5)", "(0/3)", "(0/13)", "0/15", "13th",
                                     "Humanity", "Acting", "Science"}));
        // Empty rows show full stops across their box, the same on every row.
        QCOMPARE(sheet->AbilityRows[0][10].name->text(), sheet->DisciplineRows[3].name->text());
        QVERIFY(stripped(sheet->AbilityRows[0][10].name).isEmpty());
        QVERIFY(sheet->AbilityRows[0][0].name->isReadOnly());
        QCOMPARE(sheet->Humanity->Filled(), 2);
        QCOMPARE(sheet->Strength->Filled(), 1);
        // The ten blood pool boxes of the 13th generation.
        QCOMPARE(shownBloodPool(sheet), 10);
    }

    void navigation()
    {
        QCOMPARE(form().visiblePanel(), TMainForm::Panel::Sheet);
        QCOMPARE(textColour(form().SheetButtonLabel), Red);

        QTest::mousePress(form().NoteButton, Qt::LeftButton);
        QCOMPARE(form().visiblePanel(), TMainForm::Panel::Notes);
        QCOMPARE(textColour(form().NoteButtonLabel), Red);
        QCOMPARE(textColour(form().SheetButtonLabel), Caption);
        QCOMPARE(form().notes()->pos(), QPoint(0, 0));

        QTest::mousePress(form().BookButtonLabel, Qt::LeftButton);
        QCOMPARE(form().visiblePanel(), TMainForm::Panel::Books);
        QCOMPARE(textColour(form().BookButtonLabel), Red);

        QTest::mousePress(form().AboutButton, Qt::LeftButton);
        QCOMPARE(form().visiblePanel(), TMainForm::Panel::About);
        for (QWidget* label : {form().SheetButtonLabel, form().NoteButtonLabel,
                               form().RulesButtonLabel, form().BookButtonLabel})
            QCOMPARE(textColour(label), Caption);
        QVERIFY(!form().ScrollDragging());
    }

    void scrollBarJumpsAndDrags()
    {
        const ScrollModel& bar = form().scrollBar();
        const int contentHeight = form().sheet()->height();
        QVERIFY(contentHeight > ScrollModel::DockHeight);
        QCOMPARE(bar.thumbOffset(), 0);

        // A press below the thumb puts the point 10 pixels under its top at the pointer.
        QTest::mousePress(background(), Qt::LeftButton, {}, QPoint(Column, 300));
        QVERIFY(form().ScrollDragging());
        QCOMPARE(bar.thumbOffset(), 300 - 60 - 10);
        const int expected = (contentHeight - 502) * 230 / 482;
        QCOMPARE(bar.contentOffset(), expected);
        QCOMPARE(form().sheet()->y(), -expected);

        drag(background(), 200);
        QCOMPARE(bar.thumbOffset(), 130);
        QCOMPARE(form().sheet()->y(), -((contentHeight - 502) * 130 / 482));
        drag(background(), 5000); // held at the end of the track
        QCOMPARE(bar.thumbOffset(), 482);
        QCOMPARE(form().sheet()->y(), -(contentHeight - 502));

        QTest::mouseRelease(background(), Qt::LeftButton, {}, QPoint(Column, 5000));
        QVERIFY(!form().ScrollDragging());
        drag(background(), 100); // no drag without a press
        QCOMPARE(bar.thumbOffset(), 482);

        // A press on the thumb grabs it where it was pressed.
        QTest::mousePress(background(), Qt::LeftButton, {}, QPoint(Column, 60 + 482 + 5));
        drag(background(), 60 + 400 + 5);
        QCOMPARE(bar.thumbOffset(), 400);
        QTest::mouseRelease(background(), Qt::LeftButton, {}, QPoint(Column, 465));
    }

    // The sheet keeps its place while another panel is shown, a thumb near the top exactly
    // too; the button of the panel already shown changes nothing.
    void sheetPositionSurvivesOtherPanels_data()
    {
        // A press in the scroll bar column, dragged on; the panel shown meanwhile.
        columns<int, int, QString>({"pressed", "dragged", "away"});
        dataRow("the sheet's own button", 400, 400, "Sheet");
        dataRow("rules and back", 350, 350, "Rules");
        dataRow("thumb near the top", 65, 70, "Notes");
    }
    void sheetPositionSurvivesOtherPanels()
    {
        const auto [pressed, dragged, away] =
            fetch<int, int, QString>({"pressed", "dragged", "away"});
        QTest::mousePress(background(), Qt::LeftButton, {}, QPoint(Column, pressed));
        drag(background(), dragged);
        QTest::mouseRelease(background(), Qt::LeftButton, {}, QPoint(Column, dragged));
        const int thumb = form().scrollBar().thumbOffset();
        const int top = form().sheet()->y();
        QVERIFY(thumb > 0 && top < 0);
        const QMap<QString, QWidget*> buttons{{"Sheet", form().SheetButton},
                                              {"Rules", form().RulesButton},
                                              {"Notes", form().NoteButton}};
        QTest::mousePress(buttons.value(away), Qt::LeftButton);
        QCOMPARE(form().scrollBar().thumbOffset(), away == "Sheet" ? thumb : 0);
        QTest::mousePress(form().SheetButtonLabel, Qt::LeftButton);
        QCOMPARE(form().visiblePanel(), TMainForm::Panel::Sheet);
        QCOMPARE(form().scrollBar().thumbOffset(), thumb);
        QCOMPARE(form().sheet()->y(), top);
    }

    void shrinkingSheetScrollsBack()
    {
        RowCounts& rows = form().view().rowCounts();
        rows.AbilityRows = 20;
        rows.SecondaryRows = 20;
        form().updateSheetLayout();
        QTest::mousePress(background(), Qt::LeftButton, {}, QPoint(Column, 560));
        QTest::mouseRelease(background(), Qt::LeftButton, {}, QPoint(Column, 560));
        QCOMPARE(form().sheet()->y() + form().sheet()->height(), 502);

        rows.SecondaryRows = 1;
        form().updateSheetLayout();
        // No empty space below the sheet, and the thumb at the end of its track.
        QCOMPARE(form().sheet()->y() + form().sheet()->height(), 502);
        QCOMPARE(form().scrollBar().thumbOffset(), 482);
    }

    void notesThumbFollowsTheCaret()
    {
        form().notes()->notepad()->setPlainText(QString(1000, u'x'));
        QTextCursor cursor = form().notes()->notepad()->textCursor();
        cursor.setPosition(500);
        form().notes()->notepad()->setTextCursor(cursor);
        QTest::mousePress(form().NoteButton, Qt::LeftButton);
        QCOMPARE(form().scrollBar().thumbOffset(), 482 * 500 / 1000);
        // A press in the column moves the caret to the matching place in the text.
        QTest::mousePress(background(), Qt::LeftButton, {}, QPoint(Column, 60 + 10 + 241));
        QTest::mouseRelease(background(), Qt::LeftButton, {}, QPoint(Column, 311));
        QCOMPARE(form().notes()->notepad()->textCursor().position(), 500);
    }

    // Names are set as large as they fit, never below the smallest type that reads; a longer
    // one shows its start and an ellipsis, and the whole name as its tooltip. Clearing a box
    // gives back the full size.
    void namesStayReadable_data()
    {
        columns<QString, QString, bool, bool>({"box", "text", "shrinks", "cut"});
        dataRow("short name", "Name", "Bob", false, false);
        dataRow("long name", "Name", "Bob the Unforgiving Lord", true, false);
        dataRow("name beyond the smallest type", "Name",
                "Bob the Eternally Unforgiving Wanderer of Nights", true, true);
        dataRow("background", "background", "Allies", false, false);
        dataRow("long background", "background", "Elder Generation", true, false);
        dataRow("merit", "merit", "Eidetic Memory (2)", false, false);
        dataRow("merit of 39 letters", "merit", "Inconvenient Supernatural Ability (2)", true,
                false);
        dataRow("flaw", "flaw", "Nightmares (1)", false, false);
        dataRow("free talent beyond the smallest type", "talent", "An Extremely Long Talent Name",
                true, true);
        dataRow("secondary skill", "secondary", "Carpentry", false, false);
    }
    void namesStayReadable()
    {
        const auto [box, text, shrinks, cut] =
            fetch<QString, QString, bool, bool>({"box", "text", "shrinks", "cut"});
        SheetPanel* s = form().sheet();
        const QHash<QString, TNameEdit*> boxes = {{"Name", s->Name},
                                                  {"background", s->BackgroundRows[0].name},
                                                  {"merit", s->MeritRows[0]},
                                                  {"flaw", s->FlawRows[0]},
                                                  {"talent", s->AbilityRows[0][10].name},
                                                  {"secondary", s->SecondaryRows[1][0].name}};
        TNameEdit* edit = boxes.value(box);
        edit->setFocus();
        enter(edit, text);
        const int size = edit->font().pixelSize();
        QCOMPARE(size < 13, shrinks);
        QVERIFY(size >= TNameEdit::SmallestPixelSize);
        QCOMPARE(edit->toolTip(), cut ? text : QString());
        QCOMPARE(stripped(edit), text);

        // Left, the box shows the start of its text wherever the caret was.
        s->Player->setFocus();
        edit->setCursorPosition(0);
        const QImage atStart = edit->grab().toImage();
        edit->setCursorPosition(int(edit->text().size()));
        QCOMPARE(edit->grab().toImage(), atStart);

        enter(edit, QString());
        QCOMPARE(edit->font().pixelSize(), 13);
        QCOMPARE(edit->toolTip(), QString());
    }

    // A name box is edited in a line edit made when first needed; a right press still opens
    // the box's list where it has one, and the line edit's editing menu only where it has none,
    // before and after the box was edited.
    void rightPressOpensListOrMenu_data()
    {
        columns<QString, bool>({"box", "list"});
        dataRow("clan", u"clan"_qs, true);
        dataRow("merit", u"merit"_qs, true);
        dataRow("name", u"name"_qs, false);
    }
    void rightPressOpensListOrMenu()
    {
        const auto [which, list] = fetch<QString, bool>({"box", "list"});
        SheetPanel* s = form().sheet();
        TNameEdit* box = which == u"clan" ? s->Clan : which == u"merit" ? s->MeritRows[0] : s->Name;
        for (const bool edited : {false, true}) {
            if (edited) {
                QTest::keyClick(box, Qt::Key_End);
                QVERIFY(box->editor());
            }
            QCOMPARE(m_window.rightPress(box), list);
            // What the window system sends after a right press.
            QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5),
                                      box->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(box, &request);
            const auto menus = [] {
                int shown = 0;
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (top->inherits("QMenu") && top->isVisible()) {
                        ++shown;
                        top->close();
                    }
                return shown;
            };
            QCOMPARE(menus(), list ? 0 : 1);
            if (list)
                QTest::keyClick(m_window.popup(), Qt::Key_Escape);
            idle();
        }
    }

    // Before it has a line edit, a name box still tells a screen reader what it holds.
    void nameBoxIsAccessibleBeforeEditing()
    {
        TNameEdit* box = form().sheet()->DisciplineRows[0].name;
        enter(box, QStringLiteral("Auspex"));
        QVERIFY(!box->editor());
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
        QVERIFY(reader);
        QCOMPARE(reader->role(), QAccessible::EditableText);
        QCOMPARE(reader->text(QAccessible::Value), QStringLiteral("Auspex"));
        QVERIFY(reader->state().editable);
    }

    void textRoutines_data()
    {
        columns<QString, QString>({"text", "bare"});
        dataRow("padded", "Age......", "Age");
        dataRow("plain", "Age", "Age");
        dataRow("placeholder", "...................", "");
        dataRow("inner stops", "St. Louis.", "St. Louis");
        dataRow("empty", "", "");
    }
    void textRoutines()
    {
        const auto [text, bare] = fetch<QString, QString>({"text", "bare"});
        QCOMPARE(TextRoutines::StripDots(text), bare);
        QFont handwriting(QStringLiteral("Lucida Handwriting"));
        handwriting.setPixelSize(11);
        const QFontMetrics metrics(handwriting);
        for (int width : {0, 30, 80, 200}) {
            const QString padded = TextRoutines::PadWithDots(bare, width, handwriting);
            QVERIFY(padded.startsWith(bare));
            QVERIFY(metrics.horizontalAdvance(padded) < width || padded == bare);
            QVERIFY(metrics.horizontalAdvance(padded + u'.') >= width);
        }
    }

    // The checks of a loaded character wait under the tally until the count is pressed; a
    // press on one brings its row into the dock and makes it glow, or, for the freebies, goes
    // back to the tally and makes that glow.
    void checksTakeTheUserToTheRow_data()
    {
        columns<QString, bool>({"check", "onSheet"});
        dataRow("exclusive pair", "Baby Face and Monstrous exclude each other.", true);
        dataRow("an attribute's freebie dots", "Intelligence 3: 2 freebie dots, 10 points", true);
        dataRow("over-spent", "Freebies over-spent by 6: 24 spent of 18.", false);
    }
    void checksTakeTheUserToTheRow()
    {
        const auto [check, onSheet] = fetch<QString, bool>({"check", "onSheet"});
        m_window.open(TMainForm::Panel::Sheet, {golden("overspent-pair.tnc")});
        TechDock& tech = form().tech();
        QCOMPARE(tech.CheckCount->text(), QStringLiteral("6 checks"));
        QVERIFY(!tech.Checks->isVisible());
        click(tech.CheckCount);
        QVERIFY(tech.Checks->isVisible());
        QLabel* entry = nullptr;
        for (int i = 0; tech.Checks->entry(i); ++i)
            if (tech.Checks->entry(i)->text() == check)
                entry = tech.Checks->entry(i);
        QVERIFY2(entry, qPrintable(check));
        click(entry);
        auto* sheetFlash = form().sheet()->findChild<RowFlash*>();
        auto* tallyFlash = tech.Panel->findChild<RowFlash*>();
        QCOMPARE(sheetFlash->isVisible(), onSheet);
        QCOMPARE(tallyFlash->isVisible(), !onSheet);
        QCOMPARE(tech.Checks->isVisible(), onSheet);
        if (onSheet) {
            // The glowing row lies wholly inside the dock.
            const QRect shown(sheetFlash->mapTo(form().Dock, QPoint(0, 0)), sheetFlash->size());
            QVERIFY2(QRect(0, 0, 594, 502).contains(shown), qPrintable(QString::number(shown.y())));
        } else {
            QVERIFY(tallyFlash->geometry().intersects(tech.FreebieTally->geometry()));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!sheetFlash->isVisible() && !tallyFlash->isVisible(),
                                 RowFlash::DurationMs + 1000);
    }

    void f1AsksForTheGuide()
    {
        QSignalSpy guide(&form(), &TMainForm::guideRequested);
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        QTest::keyClick(form().sheet()->Player, Qt::Key_F1);
        QCOMPARE(guide.count(), 1);
        QTest::mousePress(form().AboutButton, Qt::LeftButton);
        const auto* about = static_cast<AboutPanel*>(form().panel(TMainForm::Panel::About));
        QTest::mousePress(about->ManualButtonLabel, Qt::LeftButton);
        QCOMPARE(guide.count(), 2);
        QCOMPARE(textColour(about->ManualButtonLabel), QColor(Qt::black));
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
