#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "../support/RulesLines.h"
#include "app/SourcebooksPanel.h"

// The Sourcebooks panel on the real window: presets, when a choice is applied, and a data set
// with more books than the panel holds.
class TestSourcebooks : public QObject
{
    Q_OBJECT
private:
    MainWindow m_window;
    bool hasClan(const char* clan) const
    {
        return m_window.form->tables().ClanNames.items().contains(QString::fromUtf8(clan));
    }

private slots:
    void cleanup() { m_window.form.reset(); }

    void presetsApplyWhenThePanelIsLeft()
    {
        m_window.open(TMainForm::Panel::Books);
        TMainForm& form = *m_window.form;
        SourcebooksPanel* books = form.books();
        QTest::mousePress(books->AllButtonLabel, Qt::LeftButton);
        QVERIFY(!hasClan("Old Clan Tzimisce")); // not before the panel is left
        form.switchToPanel(TMainForm::Panel::Rules);
        QVERIFY(hasClan("Old Clan Tzimisce"));

        form.switchToPanel(TMainForm::Panel::Books);
        QTest::mousePress(books->NoClanBookButtonLabel, Qt::LeftButton);
        form.switchToPanel(TMainForm::Panel::Sheet);
        QVERIFY(!hasClan("Old Clan Tzimisce"));
        QVERIFY(hasClan("Tzimisce"));

        // Vampire applies at once; its label turns red in the idle pass.
        form.switchToPanel(TMainForm::Panel::Books);
        QTest::mousePress(books->VampireButtonLabel, Qt::LeftButton);
        QVERIFY(hasClan("True Brujah")); // a Dirty Secrets bloodline
        idle();
        QCOMPARE(textColour(books->VampireButtonLabel), QColor(Qt::red));

        // A click on a title ticks its book.
        const int row = int(books->BookTitles().find(QStringLiteral("Clanbook: Brujah")));
        QVERIFY(row >= 0);
        const bool before = books->BookInUse()[row];
        QTest::mousePress(books->TitleLabels[row], Qt::LeftButton);
        QCOMPARE(books->BookInUse()[row], !before);
    }

    void manyBooksScroll()
    {
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath(DataFile::FileName),
                          scrambledFile(sourceLines("sixty-books.txt"))));
        m_window.open(TMainForm::Panel::Books, {}, folder.path() + '/');
        QVERIFY(m_window.messages.shown.isEmpty());

        TMainForm& form = *m_window.form;
        SourcebooksPanel* books = form.books();
        QCOMPARE(books->TitleLabels.size(), 60);
        QWidget* last = books->TitleLabels.last();
        QVERIFY(last->mapTo(&form, QPoint(0, 0)).y() > 60 + 502); // below the dock

        QWheelEvent wheel(QPointF(100, 100), form.Dock->mapToGlobal(QPointF(100, 100)), {},
                          QPoint(0, -2400), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form.Dock, &wheel);
        const int bottom = last->mapTo(&form, QPoint(0, last->height())).y();
        QVERIFY2(bottom <= 60 + 502 && bottom > 60 + 400, qPrintable(QString::number(bottom)));
        QVERIFY(form.scrollBar().thumbOffset() > 0);

        // The scroll bar's top brings the first rows back.
        QTest::mousePress(form.BackgroundImage, Qt::LeftButton, {}, QPoint(620, 61));
        QTest::mouseRelease(form.BackgroundImage, Qt::LeftButton, {}, QPoint(620, 61));
        QCOMPARE(books->rows()->y(), 0);
    }
};

QTEST_MAIN(TestSourcebooks)
#include "tst_sourcebooks.moc"
