#include "output/RtfReader.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace {

QString family(const QTextBlock& block)
{
    const QFont font = block.begin().fragment().charFormat().font();
    return font.families().value(0, font.family());
}

} // namespace

// The guide "Tarnoch.rtf" as the build writes it into the program folder.
class TestUserGuide : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QFile file(QStringLiteral(TARNOCH_PROGRAM_DIR "Tarnoch.rtf"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        RtfReader reader;
        QVERIFY(reader.read(file.readAll(), &m_guide));
        QCOMPARE(reader.errorString(), QString());
    }

    void hasItsChapters()
    {
        QStringList chapters;
        for (QTextBlock block = m_guide.begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() > 0)
                QCOMPARE(family(block), "Lucida Blackletter");
            else if (!block.text().isEmpty())
                QCOMPARE(family(block), "Times New Roman");
            if (block.blockFormat().headingLevel() == 1)
                chapters << block.text();
        }
        const QStringList expected{"Tarnoch",
                                   "The window",
                                   "Mouse and keys",
                                   "Building a character",
                                   "Generation",
                                   "The Rules page",
                                   "The Sourcebooks page",
                                   "Files",
                                   "Notes",
                                   "Printing",
                                   "Keys at a glance",
                                   "Tips",
                                   "Writing a rules pack"};
        QCOMPARE(chapters, expected);
    }

    void isSeveralPagesLong()
    {
        m_guide.setPageSize(QSizeF(794, 1123)); // A4 at 96 pixels per inch
        QVERIFY2(m_guide.pageCount() >= 6, qPrintable(QString::number(m_guide.pageCount())));
        const qsizetype words =
            m_guide.toPlainText().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size();
        QVERIFY2(words > 3000, qPrintable(QString::number(words)));
    }

    void namesTheControlsAsTheProgramDoes()
    {
        const QStringList captions =
            QStringLiteral(
                "Character Sheet|Notes|Rules|Sourcebooks|New|Load|Save|Print|User Guide|"
                "Camarilla|Sabbat|Elder|None|Classic|Vampire|All|All clanbooks|"
                "No clanbooks|Save changes?|Half cost, normal difficulty|"
                "Normal cost, -2 difficulty|Calculate Humanity or Path rating from Virtues|"
                "Calculate Willpower from Virtues|Golconda|Elder rules|"
                "Detach Humanity or Path from Virtues?|Detach Willpower from Virtues?|"
                "Flaws exceed 7 pts|Template.tnc|<NONE>")
                .split(u'|');
        const QString text = m_guide.toPlainText();
        QStringList missing;
        for (const QString& caption : captions)
            if (!text.contains(u'“' + caption + u'”'))
                missing << caption;
        QCOMPARE(missing, QStringList());
    }

private:
    QTextDocument m_guide;
};

QTEST_MAIN(TestUserGuide)
#include "tst_userguide.moc"
