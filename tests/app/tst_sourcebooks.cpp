#include "../support/RecordedMessages.h"
#include "app/ClickLabel.h"
#include "app/FontRegistry.h"
#include "app/SourcebooksPanel.h"
#include "app/TMainForm.h"
#include "rules/DataFile.h"
#include "rules/DataSource.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The Sourcebooks panel on the real window: presets, when a choice is applied, and a data set
// with more books than the panel holds.
class TestSourcebooks : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    FontRegistry m_fonts;
    RecordedMessages m_messages;
    std::unique_ptr<TMainForm> m_form;

    void open(const QString& dataFolder)
    {
        m_form = std::make_unique<TMainForm>(ProgramPaths(dataFolder, m_dir.path() + '/'),
                                             QStringList{}, m_messages);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    bool hasClan(const char* clan) const
    {
        return m_form->tables().ClanNames.items().contains(QString::fromUtf8(clan));
    }

private slots:
    void initTestCase() { m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR)); }
    void cleanup() { m_form.reset(); }

    void presetsApplyWhenThePanelIsLeft()
    {
        open(QStringLiteral(TARNOCH_PROGRAM_DIR));
        SourcebooksPanel* books = m_form->books();
        QVERIFY(!hasClan("Old Clan Tzimisce"));
        m_form->switchToPanel(TMainForm::Panel::Books);
        QTest::mousePress(books->AllButtonLabel, Qt::LeftButton);
        QVERIFY(!hasClan("Old Clan Tzimisce")); // not before the panel is left
        m_form->switchToPanel(TMainForm::Panel::Rules);
        QVERIFY(hasClan("Old Clan Tzimisce"));

        m_form->switchToPanel(TMainForm::Panel::Books);
        QTest::mousePress(books->NoClanBookButtonLabel, Qt::LeftButton);
        m_form->switchToPanel(TMainForm::Panel::Sheet);
        QVERIFY(!hasClan("Old Clan Tzimisce"));
        QVERIFY(hasClan("Tzimisce"));

        // Vampire applies at once; its label turns red in the idle pass.
        m_form->switchToPanel(TMainForm::Panel::Books);
        QTest::mousePress(books->VampireButtonLabel, Qt::LeftButton);
        QVERIFY(hasClan("True Brujah")); // a Dirty Secrets bloodline
        QEventLoop idle;
        QTimer::singleShot(40, &idle, &QEventLoop::quit);
        idle.exec();
        QCOMPARE(books->VampireButtonLabel->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        // A click on a title ticks its book.
        const int row = int(books->BookTitles().find(QStringLiteral("Clanbook: Brujah")));
        QVERIFY(row >= 0);
        const bool before = books->BookInUse()[row];
        QTest::mousePress(books->TitleLabels[row], Qt::LeftButton);
        QCOMPARE(books->BookInUse()[row], !before);
    }

    void manyBooksScroll()
    {
        QFile source(QStringLiteral(TARNOCH_SOURCE_DIR "tests/rules/sixty-books.txt"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QByteArray plain;
        QVERIFY(DataFile::joinLines(DataSource::parse(source.readAll()).lines, plain));
        QTemporaryDir folder;
        QFile data(folder.filePath(DataFile::FileName));
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write(DataFile::scramble(plain));
        data.close();
        open(folder.path() + '/');
        QVERIFY(m_messages.shown.isEmpty());

        SourcebooksPanel* books = m_form->books();
        QCOMPARE(books->TitleLabels.size(), 60);
        m_form->switchToPanel(TMainForm::Panel::Books);
        QWidget* last = books->TitleLabels.last();
        QVERIFY(last->mapTo(m_form.get(), QPoint(0, 0)).y() > 60 + 502); // below the dock

        QWheelEvent wheel(QPointF(100, 100), m_form->Dock->mapToGlobal(QPointF(100, 100)), {},
                          QPoint(0, -2400), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_form->Dock, &wheel);
        const int bottom = last->mapTo(m_form.get(), QPoint(0, last->height())).y();
        QVERIFY2(bottom <= 60 + 502 && bottom > 60 + 400, qPrintable(QString::number(bottom)));
        QVERIFY(m_form->scrollBar().thumbOffset() > 0);

        // The scroll bar's top brings the first rows back.
        QTest::mousePress(m_form->BackgroundImage, Qt::LeftButton, {}, QPoint(620, 61));
        QTest::mouseRelease(m_form->BackgroundImage, Qt::LeftButton, {}, QPoint(620, 61));
        QCOMPARE(books->rows()->y(), 0);
    }
};

QTEST_MAIN(TestSourcebooks)
#include "tst_sourcebooks.moc"
