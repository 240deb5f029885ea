#include "../support/DataRows.h"
#include "../support/Files.h"
#include "output/RtfReader.h"
#include "output/RtfWriter.h"

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

namespace {

// What a reader of the notes sees of a run of text, as one comparable line.
QString look(const QTextCharFormat& format)
{
    const QFont font = format.font();
    QString line = font.families().value(0, font.family());
    // Half points, as the format stores sizes; a pixel size counts at 96 pixels per inch.
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    line += QLatin1Char(' ') + QString::number(qRound(points * 2));
    const QTextCharFormat::VerticalAlignment raised = format.verticalAlignment();
    for (const auto& [on, style] :
         {std::pair{font.weight() >= QFont::DemiBold, " bold"}, {font.italic(), " italic"},
          {font.underline(), " underline"}, {font.strikeOut(), " strike"},
          {raised == QTextCharFormat::AlignSuperScript, " super"},
          {raised == QTextCharFormat::AlignSubScript, " sub"}})
        if (on)
            line += style;
    if (format.foreground().style() != Qt::NoBrush)
        line += " fg" + format.foreground().color().name();
    if (format.background().style() != Qt::NoBrush)
        line += " bg" + format.background().color().name();
    return line;
}

// One line per paragraph and per run of equal look, so a failed comparison shows the change.
QStringList describe(const QTextDocument& document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        lines << QStringLiteral("paragraph align %1 heading %2 margins %3 %4 %5 %6 %7")
                     .arg(int(format.alignment() & Qt::AlignHorizontal_Mask) & ~Qt::AlignAbsolute)
                     .arg(format.headingLevel())
                     .arg(format.leftMargin() + format.indent() * document.indentWidth())
                     .arg(format.rightMargin())
                     .arg(format.textIndent())
                     .arg(format.topMargin())
                     .arg(format.bottomMargin());
        QString text;
        QString current;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString next = look(it.fragment().charFormat());
            if (!text.isEmpty() && next != current) {
                lines << "  [" + text + "] " + current;
                text.clear();
            }
            text += it.fragment().text();
            current = next;
        }
        if (!text.isEmpty())
            lines << "  [" + text + "] " + current;
        else
            lines << "  (empty) " + look(block.charFormat());
    }
    return lines;
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

void roundTrip(const QTextDocument& original)
{
    const QByteArray rtf = RtfWriter::write(original);
    QVERIFY(isAscii(rtf));
    QTextDocument copy;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &copy));
    QCOMPARE(reader.errorString(), QString());
    QCOMPARE(describe(copy), describe(original));
    // Reading and writing again changes nothing, so unchanged notes save to the same bytes.
    QCOMPARE(RtfWriter::write(copy), rtf);
}

} // namespace

class TestRtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsDocuments_data()
    {
        QTest::addColumn<QString>("html");
        QTest::newRow("line breaks and empty paragraphs")
            << "<p>one<br />two</p><p><br /></p><p style=\"font-size:20pt\"></p><p>three</p>";
        QTest::newRow("every format, text beyond Windows-1252")
            << QString::fromUtf8(sourceFile(QStringLiteral("tests/output/every-format.html")));
        QTest::newRow("empty") << "";
    }

    void roundTripsDocuments()
    {
        QFETCH(QString, html);
        QTextDocument document;
        document.setDefaultFont(QFont("Times New Roman", 12));
        document.setHtml(html);
        roundTrip(document);
    }

    void roundTripsRandomDocuments()
    {
        QRandomGenerator random(1945);
        const QStringList families{"Times New Roman", "Arial", "Lucida Blackletter", u"Ménard"_qs};
        const QList<uint> alphabet = u"abc XYZ 019 \\{}éü€„Жж😀\t\u2028\u00a0-;?'"_qs.toUcs4();
        const QColor colours[] = {QColor(), QColor(200, 0, 0), QColor(0, 0, 255)};
        const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                            Qt::AlignJustify};
        for (int round = 0; round < 200; ++round) {
            QTextDocument document;
            document.setDefaultFont(QFont("Times New Roman", 12));
            QTextCursor cursor(&document);
            const int blocks = random.bounded(1, 6);
            for (int b = 0; b < blocks; ++b) {
                QTextBlockFormat paragraph;
                paragraph.setAlignment(alignments[random.bounded(4)]);
                paragraph.setLeftMargin(random.bounded(3) * 20);
                if (b == 0)
                    cursor.setBlockFormat(paragraph);
                else
                    cursor.insertBlock(paragraph);
                const int runCount = random.bounded(0, 6);
                for (int r = 0; r < runCount; ++r) {
                    QTextCharFormat format;
                    format.setFontFamilies({families[random.bounded(families.size())]});
                    format.setFontPointSize(random.bounded(8, 80) / 2.0);
                    format.setFontWeight(random.bounded(2) ? QFont::Bold : QFont::Normal);
                    format.setFontItalic(random.bounded(2));
                    format.setFontUnderline(random.bounded(2));
                    format.setFontStrikeOut(random.bounded(4) == 0);
                    if (const QColor colour = colours[random.bounded(3)]; colour.isValid())
                        format.setForeground(colour);
                    QList<uint> text(random.bounded(1, 12));
                    for (uint& c : text)
                        c = alphabet[random.bounded(alphabet.size())];
                    cursor.insertText(QString::fromUcs4(text.data(), text.size()), format);
                }
            }
            roundTrip(document);
            if (QTest::currentTestFailed()) {
                qWarning("round %d", round);
                return;
            }
        }
    }

    void writesTheRichEditForm()
    {
        QTextDocument document;
        QFont base("Times New Roman");
        base.setPixelSize(13);
        document.setDefaultFont(base);
        document.setPlainText("Hello");
        const QByteArray rtf = RtfWriter::write(document);
        QCOMPARE(rtf, "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil"
                      "\\fcharset0 Times New Roman;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 Hello"
                      "\\par\r\n}\r\n");

        // Colours bring a colour table with the automatic colour first; a new font a new entry.
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        QTextCharFormat red;
        red.setForeground(QColor(255, 0, 0));
        red.setFontFamilies({"Arial"});
        cursor.insertText(" world", red);
        const QByteArray coloured = RtfWriter::write(document);
        QVERIFY(coloured.contains("{\\f1\\fnil\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0"
                                  "\\blue0;}\r\n"));
        QVERIFY(coloured.contains("Hello\\f1\\cf1  world\\par"));

        QTextDocument empty;
        empty.setDefaultFont(base);
        QVERIFY(RtfWriter::write(empty).endsWith("\\viewkind4\\uc1\\pard\\f0\\fs20\\par\r\n}\r\n"));
    }

    void escapesText_data()
    {
        columns<QString, QByteArray>({"text", "written"});
        QTest::newRow("rtf syntax") << "a\\b{c}" << QByteArray("a\\\\b\\{c\\}");
        QTest::newRow("latin accent") << u"é"_qs << QByteArray("\\'e9");
        QTest::newRow("cp1252 euro") << u"€"_qs << QByteArray("\\'80");
        QTest::newRow("cp1252 quote") << u"„"_qs << QByteArray("\\'84");
        QTest::newRow("cyrillic") << u"Ж"_qs << QByteArray("\\u1046?");
        QTest::newRow("above 32767") << u"\ufffd"_qs << QByteArray("\\u-3?");
        QTest::newRow("surrogate pair") << u"😀"_qs << QByteArray("\\u-10179?\\u-8704?");
        QTest::newRow("tab") << "a\tb" << QByteArray("a\\tab b");
        QTest::newRow("line separator") << u"a\u2028b"_qs << QByteArray("a\\line b");
        QTest::newRow("control word letters") << "\tb9" << QByteArray("\\tab b9");
        QTest::newRow("no space needed") << u"\té"_qs << QByteArray("\\tab\\'e9");
    }

    void escapesText()
    {
        const auto [text, written] = fetch<QString, QByteArray>({"text", "written"});
        QTextDocument document;
        document.setDefaultFont(QFont("Times New Roman", 12));
        QTextCursor(&document).insertText(text);
        QVERIFY2(RtfWriter::write(document).contains(written), qPrintable(text));
        roundTrip(document);
    }
};

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
