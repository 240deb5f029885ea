#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "app/SourcebooksPanel.h"
#include "rules/DataFile.h"

#include <QDir>

namespace {

const QString Book = QStringLiteral("Homebrew: The Lamplighters");

bool offersLamplighters(const TMainForm& form)
{
    return form.tables().ClanNames.items().contains(QStringLiteral("Lamplighters"));
}

// A saved file's entries, line for line; only the dots after a name follow its row's face.
QStringList entries(const QString& path)
{
    QStringList lines = QString::fromLatin1(readFile(path)).split(QStringLiteral("\r\n"));
    for (QString& line : lines)
        line = TextRoutines::StripDots(line);
    return lines;
}

} // namespace

// Rules packs on the real window: a pack's bloodline in the lists, a broken pack left out with
// its message, and a character that outlives its pack.
class TestRulesPacks : public QObject
{
    Q_OBJECT
private:
    MainWindow m_window;
    QTemporaryDir m_folder; // a program folder with a packs folder of its own

    std::unique_ptr<TMainForm> start(const QStringList& parameters = {})
    {
        m_window.messages.shown.clear();
        return m_window.create(parameters, m_folder.path() + '/');
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

    void characterOutlivesItsPack()
    {
        installPack(sourceFile("data/examples/lamplighters.txt"));
        auto form = start();
        QVERIFY(m_window.messages.shown.isEmpty());
        SourcebooksPanel* books = form->books();
        const int row = int(books->BookTitles().find(Book));
        QVERIFY(row >= 0);
        QTest::mousePress(books->TitleLabels[row], Qt::LeftButton);
        books->applySelection();
        QVERIFY(offersLamplighters(*form));
        form->sheet()->Clan->setText(QStringLiteral("Lamplighters"));
        const QString path = m_window.dir.filePath("lamplighter.tnc");
        QVERIFY(form->files().saveTo(path));

        // Without the pack: the character keeps its clan, its disciplines and its book.
        form.reset();
        QFile::remove(m_folder.filePath("packs/lamplighters.txt"));
        form = start({path});
        QVERIFY(!offersLamplighters(*form));
        QCOMPARE(form->sheet()->Clan->text(), QStringLiteral("Lamplighters"));
        QVERIFY(form->books()->ChosenBooks().items().contains(Book));
        const QString again = m_window.dir.filePath("again.tnc");
        QVERIFY(form->files().saveTo(again));
        QCOMPARE(entries(again), entries(path));

        // With it again, its entries are offered once more.
        form.reset();
        installPack(sourceFile("data/examples/lamplighters.txt"));
        form = start({path});
        QVERIFY(offersLamplighters(*form));
    }

    void brokenPackIsLeftOut()
    {
        QByteArray broken = sourceFile("data/examples/lamplighters.txt");
        broken.replace("Lamplighters\nAuspex", "Lamplighters\n*12");
        installPack(broken);
        auto form = start();
        QVERIFY(!form->startupFailed());
        QCOMPARE(m_window.messages.shown.size(), 1);
        const QString message = m_window.messages.shown[0].second;
        QVERIFY(message.contains(QStringLiteral("lamplighters.txt")) && message.contains("line"));
        QVERIFY(form->books()->BookTitles().find(Book) < 0);
        QVERIFY(form->tables().ClanNames.items().contains(QStringLiteral("Brujah")));
    }
};

QTEST_MAIN(TestRulesPacks)
#include "tst_rulespacks.moc"
