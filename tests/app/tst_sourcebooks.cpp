#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "../support/RulesLines.h"
#include "panels/SourcebooksPanel.h"

#include <QDir>

namespace {

const QString Book = QStringLiteral("Homebrew: The Lamplighters");

// A saved file's entries, line for line; only the dots after a name follow its row's face.
QStringList entries(const QString& path)
{
    QStringList lines = QString::fromLatin1(readFile(path)).split(QStringLiteral("\r\n"));
    for (QString& line : lines)
        line = TextRoutines::StripDots(line);
    return lines;
}

} // namespace

// What rules data the real window offers: the Sourcebooks panel's presets, when a choice is
// applied, more books than the panel holds; a rules pack's bloodline in the lists, a broken
// pack left out with its message, and a character that outlives its pack.
class TestSourcebooks : public QObject
{
    Q_OBJECT
private:
    MainWindow m_window;
    QTemporaryDir m_folder; // a program folder with a packs folder of its own

    bool hasClan(const char* clan) const
    {
        return m_window.form->view().tables().ClanNames.items().contains(QString::fromUtf8(clan));
    }
    void openWithPacks(const QStringList& parameters = {})
    {
        m_window.open(TMainForm::Panel::Sheet, parameters, m_folder.path() + '/');
    }
    void installPack(const QByteArray& content)
    {
        QDir(m_folder.path()).mkpath(QStringLiteral("packs"));
        QVERIFY(writeFile(m_folder.filePath("packs/lamplighters.txt"), content));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(TARNOCH_PROGRAM_DIR) + DataFile::FileName,
                            m_folder.filePath(DataFile::FileName)));
    }
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

    void characterOutlivesItsPack()
    {
        installPack(sourceFile("data/examples/lamplighters.txt"));
        openWithPacks();
        QVERIFY(m_window.messages.shown.isEmpty());
        SourcebooksPanel* books = m_window.form->books();
        const int row = int(books->BookTitles().find(Book));
        QVERIFY(row >= 0);
        QTest::mousePress(books->TitleLabels[row], Qt::LeftButton);
        books->applySelection();
        QVERIFY(hasClan("Lamplighters"));
        enter(m_window.form->sheet()->Clan, QStringLiteral("Lamplighters"));
        const QString path = m_window.dir.filePath("lamplighter.tnc");
        QVERIFY(m_window.form->files().saveTo(path));

        // Without the pack: the character keeps its clan, its disciplines and its book.
        QFile::remove(m_folder.filePath("packs/lamplighters.txt"));
        openWithPacks({path});
        QVERIFY(!hasClan("Lamplighters"));
        QCOMPARE(m_window.form->sheet()->Clan->text(), QStringLiteral("Lamplighters"));
        QVERIFY(m_window.form->books()->ChosenBooks().items().contains(Book));
        const QString again = m_window.dir.filePath("again.tnc");
        QVERIFY(m_window.form->files().saveTo(again));
        QCOMPARE(entries(again), entries(path));

        // With it again, its entries are offered once more.
        installPack(sourceFile("data/examples/lamplighters.txt"));
        openWithPacks({path});
        QVERIFY(hasClan("Lamplighters"));
    }

    void brokenPackIsLeftOut()
    {
        QByteArray broken = sourceFile("data/examples/lamplighters.txt");
        broken.replace("Lamplighters\nAuspex", "Lamplighters\n*12");
        installPack(broken);
        openWithPacks();
        QVERIFY(!m_window.form->startupFailed());
        QCOMPARE(m_window.messages.shown.size(), 1);
        const QString message = m_window.messages.shown[0].second;
        QVERIFY(message.contains(QStringLiteral("lamplighters.txt")) && message.contains("line"));
        QVERIFY(m_window.form->books()->BookTitles().find(Book) < 0);
        QVERIFY(hasClan("Brujah"));
    }
};

QTEST_MAIN(TestSourcebooks)
#include "tst_sourcebooks.moc"
