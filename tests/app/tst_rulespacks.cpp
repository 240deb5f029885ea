#include "../support/RecordedMessages.h"
#include "app/ClickLabel.h"
#include "app/FontRegistry.h"
#include "app/SheetPanel.h"
#include "app/SourcebooksPanel.h"
#include "app/TMainForm.h"
#include "files/FileCommands.h"
#include "rules/DataFile.h"
#include "rules/TextRoutines.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

// Rules packs on the real window: a pack's bloodline in the lists, a broken pack left out with
// its message, and a character that outlives its pack.
class TestRulesPacks : public QObject
{
    Q_OBJECT
private:
    FontRegistry m_fonts;
    RecordedMessages m_messages;
    QTemporaryDir m_folder; // a program folder with a packs folder of its own
    QTemporaryDir m_write;

    std::unique_ptr<TMainForm> start(const QStringList& parameters = {})
    {
        m_messages.shown.clear();
        return std::make_unique<TMainForm>(ProgramPaths(m_folder.path() + '/', m_write.path() + '/'),
                                           parameters, m_messages);
    }
    void installPack(const QByteArray& content)
    {
        QDir(m_folder.path()).mkpath(QStringLiteral("packs"));
        QFile pack(m_folder.filePath("packs/lamplighters.txt"));
        QVERIFY(pack.open(QIODevice::WriteOnly | QIODevice::Truncate));
        pack.write(content);
    }
    static QByteArray examplePack()
    {
        QFile example(QStringLiteral(TARNOCH_SOURCE_DIR "data/examples/lamplighters.txt"));
        return example.open(QIODevice::ReadOnly) ? example.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
        QVERIFY(QFile::copy(QStringLiteral(TARNOCH_PROGRAM_DIR) + DataFile::FileName,
                            m_folder.filePath(DataFile::FileName)));
    }

    void characterOutlivesItsPack()
    {
        installPack(examplePack());
        auto form = start();
        QVERIFY(m_messages.shown.isEmpty());
        SourcebooksPanel* books = form->books();
        const QString book = QStringLiteral("Homebrew: The Lamplighters");
        const int row = int(books->BookTitles().find(book));
        QVERIFY(row >= 0);
        QTest::mousePress(books->TitleLabels[row], Qt::LeftButton);
        books->applySelection();
        QVERIFY(form->tables().ClanNames.items().contains(QStringLiteral("Lamplighters")));
        form->sheet()->Clan->setText(QStringLiteral("Lamplighters"));
        const QString path = m_write.filePath("lamplighter.tnc");
        QVERIFY(form->files().saveTo(path));
        const QByteArray saved = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        form.reset();

        // Without the pack: the character keeps its clan, its disciplines and its book.
        QFile::remove(m_folder.filePath("packs/lamplighters.txt"));
        form = start({path});
        QVERIFY(!form->tables().ClanNames.items().contains(QStringLiteral("Lamplighters")));
        QCOMPARE(form->sheet()->Clan->text(), QStringLiteral("Lamplighters"));
        QVERIFY(form->books()->ChosenBooks().items().contains(book));
        const QString again = m_write.filePath("again.tnc");
        QVERIFY(form->files().saveTo(again));
        QFile second(again);
        QVERIFY(second.open(QIODevice::ReadOnly));
        // The same entries, line for line; only the dots after a name follow its row's face.
        auto entries = [](const QByteArray& file) {
            QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
            for (QString& line : lines)
                line = TextRoutines::StripDots(line);
            return lines;
        };
        QCOMPARE(entries(second.readAll()), entries(saved));
        form.reset();

        // With it again, its entries are offered once more.
        installPack(examplePack());
        form = start({path});
        QVERIFY(form->tables().ClanNames.items().contains(QStringLiteral("Lamplighters")));
    }

    void brokenPackIsLeftOut()
    {
        QByteArray broken = examplePack();
        broken.replace("Lamplighters\nAuspex", "Lamplighters\n*12");
        installPack(broken);
        auto form = start();
        QVERIFY(!form->startupFailed());
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(m_messages.shown[0].second.contains(QStringLiteral("lamplighters.txt")));
        QVERIFY(m_messages.shown[0].second.contains(QStringLiteral("line")));
        QVERIFY(form->books()->BookTitles().find(QStringLiteral("Homebrew: The Lamplighters")) < 0);
        QVERIFY(form->tables().ClanNames.items().contains(QStringLiteral("Brujah")));
    }
};

QTEST_MAIN(TestRulesPacks)
#include "tst_rulespacks.moc"
