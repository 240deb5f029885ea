#include "../support/DataRows.h"
#include "../support/Files.h"
#include "output/RtfReader.h"
#include "output/RtfWriter.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

namespace {

// The header the Windows rich-edit control writes, with its usual body opening.
const QByteArray RichEditHead =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Times New "
    "Roman;}}\r\n{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";

QByteArray richEdit(const QByteArray& body)
{
    return RichEditHead + body + "\\par\r\n}\r\n";
}

const QString Samples = QStringLiteral(TARNOCH_SOURCE_DIR "tests/output/rtf-samples/");

// The blocks' texts, one line each; a position in it is a position in the document.
QString text(const QTextDocument& document)
{
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks << block.text();
    return blocks.join(u'\n');
}

// What the user sees of the character at a position and of its paragraph.
QString look(QTextDocument& document, int position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    const QTextCharFormat chars = cursor.charFormat();
    QStringList parts = chars.fontFamilies().toStringList().mid(0, 1);
    parts << QString::number(chars.fontPointSize());
    for (const auto& [on, style] : {std::pair{chars.fontWeight() >= QFont::Bold, "bold"},
                                    {chars.fontItalic(), "italic"},
                                    {chars.fontUnderline(), "underline"},
                                    {chars.fontStrikeOut(), "strike"}})
        if (on)
            parts << style;
    if (chars.foreground().style() != Qt::NoBrush)
        parts << chars.foreground().color().name();
    const QTextBlockFormat block = cursor.blockFormat();
    const Qt::Alignment align = block.alignment();
    if (align & Qt::AlignJustify)
        parts << "justify";
    else if (align & Qt::AlignHCenter)
        parts << "centre";
    else if (align & Qt::AlignRight)
        parts << "right";
    const QList<qreal> margins{block.leftMargin(), block.rightMargin(), block.textIndent(),
                               block.topMargin(), block.bottomMargin()};
    if (std::any_of(margins.begin(), margins.end(), [](qreal m) { return m != 0; })) {
        parts << "indent";
        for (qreal margin : margins)
            parts << QString::number(margin, 'g', 4);
    }
    if (block.headingLevel())
        parts << "heading" << QString::number(block.headingLevel());
    return parts.join(u' ');
}

QString family(const QTextBlock& block)
{
    const QFont font = block.begin().fragment().charFormat().font();
    return font.families().value(0, font.family());
}

// What a reader of the notes sees of a run of text, as one comparable line.
QString look(const QTextCharFormat& format)
{
    const QFont font = format.font();
    QString line = font.families().value(0, font.family());
    // Half points, as the format stores sizes; a pixel size counts at 96 pixels per inch.
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    line += QLatin1Char(' ') + QString::number(qRound(points * 2));
    const QTextCharFormat::VerticalAlignment raised = format.verticalAlignment();
    for (const auto& [on, style] : {std::pair{font.weight() >= QFont::DemiBold, " bold"},
                                    {font.italic(), " italic"},
                                    {font.underline(), " underline"},
                                    {font.strikeOut(), " strike"},
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

// The rich-text codec: documents read from other programs' files and read back from our own,
// and the user guide the build writes.
class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    // The guide "Tarnoch.rtf" as the build writes it into the program folder.
    void initTestCase()
    {
        QFile file(QStringLiteral(TARNOCH_PROGRAM_DIR "Tarnoch.rtf"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        RtfReader reader;
        QVERIFY(reader.read(file.readAll(), &m_guide));
        QCOMPARE(reader.errorString(), QString());
    }

    void guideHasItsChapters()
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
        QCOMPARE(chapters,
                 QStringList({"Tarnoch", "The window", "Mouse and keys", "Building a character",
                              "Generation", "Checks", "The Rules page", "The Sourcebooks page",
                              "After creation: experience", "Files", "Notes", "Printing",
                              "Taking a character to the table", "Keys at a glance", "Tips",
                              "Installing", "Writing a rules pack"}));
    }

    void guideNamesTheControlsAsTheProgramDoes()
    {
        const QStringList captions =
            QStringLiteral(
                "Character Sheet|Notes|Rules|Sourcebooks|New|Load|Save|Print|User Guide|"
                "Camarilla|Sabbat|Elder|None|Classic|Vampire|All|All clanbooks|"
                "No clanbooks|Save changes?|Half cost, normal difficulty|"
                "Normal cost, -2 difficulty|Calculate Humanity or Path rating from Virtues|"
                "Calculate Willpower from Virtues|Golconda|Elder rules|"
                "Detach Humanity or Path from Virtues?|Detach Willpower from Virtues?|"
                "Flaws exceed 7 pts|Template.tnc|To a Foundry VTT file|Export|<NONE>|Back")
                .split(u'|');
        const QString text = m_guide.toPlainText();
        QStringList missing;
        for (const QString& caption : captions)
            if (!text.contains(u'“' + caption + u'”'))
                missing << caption;
        QCOMPARE(missing, QStringList());
    }

    // Each row: the rich text, the text it shows, "text|look" checks of formats, and whether the
    // read was clean (nothing repaired).
    void reads_data()
    {
        columns<QByteArray, QString, QStringList, bool>({"rtf", "plain", "formats", "clean"});
        const auto row = [](const char* name, const QByteArray& rtf, const QString& plain,
                            const QStringList& formats = {},
                            bool clean = true) { dataRow(name, rtf, plain, formats, clean); };

        // Files other programs wrote, each with what it reads as in its .expect file: the text
        // (no empty lines), "---", the checks of formats, and "repaired" for a read that mended
        // the file.
        for (const QString& name : QDir(Samples).entryList({QStringLiteral("*.rtf")})) {
            QStringList expect = QString::fromUtf8(readFile(Samples + name.chopped(3) + "expect"))
                                     .split(u'\n', Qt::SkipEmptyParts);
            const qsizetype end = expect.indexOf(QStringLiteral("---"));
            const bool clean = !expect.removeOne(QStringLiteral("repaired"));
            row(qPrintable(name), readFile(Samples + name), expect.mid(0, end).join(u'\n'),
                expect.mid(end + 1), clean);
        }

        row("rich edit formatting",
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Times New Roman;}{\\f1 Arial;}}{\\colortbl "
            ";\\red255\\green0\\blue0;}\\pard\\qr\\cf1\\b\\i\\ul\\f1\\fs28 Red\\cf0\\b0\\i0\\ulnone"
            "\\f0\\fs20  plain\\strike  struck\\strike0\\par\r\n\\pard\\qj justified\\par\\pard"
            "\\li720\\ri360\\fi-360\\sb120\\sa240 indented\\par\\pard\\b\\f7 unknown font\\par}",
            "Red plain struck\njustified\nindented\nunknown font",
            {"Red|Arial 14 bold italic underline #ff0000 right", "plain|Times New Roman 10 right",
             "struck|Times New Roman 10 strike right", "justified|Times New Roman 10 justify",
             "indented|Times New Roman 10 indent 48 24 -24 8 16",
             "unknown|Times New Roman 10 bold"});
        row("groups scope formatting",
            "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f0 a{\\b\\f1\\fs40 b{\\i c}d}e"
            "\\b\\i f\\plain g}",
            "abcdefg",
            {"a|Arial 12", "b|Courier New 20 bold", "c|Courier New 20 bold italic",
             "d|Courier New 20 bold", "e|Arial 12", "f|Arial 12 bold italic", "g|Arial 12"});
        const QByteArray braces(RtfReader::MaxDepth + 50, '{');
        row("beyond the depth limit groups share one state",
            "{\\rtf1 a" + braces + "\\b\\fs60 deep" + QByteArray(braces.size(), '}') + "after}",
            "adeepafter", {"deep|30 bold", "after|12"}, false);
        row("font names cleaned",
            "{\\rtf1{\\fonttbl{\\f0\\froman\\u0?Ari\\'01al\\'3b ;}{\\f1  Book   Antiqua\\line"
            "{\\*\\falt x};}}\\f0 a\\f1 b}",
            "ab", {"a|Arial 12", "b|Book Antiqua 12"});
        row("symbol fonts",
            "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}{\\f2\\fcharset2 Wingdings;}"
            "{\\f3\\fcharset2 Marlett;}}\\f1 \\'61\\'e5\\'b7\\f2 \\'fc\\'21\\f3 a\\f0 a}",
            u"α∑•✓\uf021\uf061a"_qs, {"α|Symbol 12", "✓|Wingdings 12"});

        row("empty paragraphs kept", richEdit("a\\par\\par b\\par"), "a\n\nb\n");
        row("empty notes", RichEditHead + "\\par\r\n}", "");
        row("fallback cut short by a group", richEdit("{\\uc3\\u233 a}bc"), u"ébc"_qs);
        row("literal tab, ignored line ends", richEdit("a\tb\r\nc\nd"), "a\tbcd");
        row("escaped symbols",
            richEdit("\\\\ \\{x\\} a\\~b \\lquote a\\rquote  \\ldblquote b\\rdblquote  c\\emdash "
                     "d\\endash e\\bullet"),
            u"\\ {x} a\u00a0b ‘a’ “b” c—d–e•"_qs);
        row("unknown control words vanish", richEdit("\\foo12 a\\barbaz-3 b\\qux c\\*\\b d"),
            "abcd");
        row("control characters dropped",
            richEdit(QByteArray("a\x01\x7f", 3) + QByteArray(1, '\0') + "b\\u0?\\u8233?\\u65532?c"),
            "abc");
        row("lone surrogates replaced", richEdit("\\u-10179?x\\u-8704?"), u"\ufffdx\ufffd"_qs);

        row("surplus closing brace", "{\\rtf1 a}} b\\par}", "a b", {}, false);
        row("truncated in text", "{\\rtf1 {\\b hello wor", "hello wor", {"hello|12 bold"}, false);
        row("truncated in escapes", "{\\rtf1 x\\'zzb\\'4\\u-", "xzzb", {}, false);
        row("truncated font table", "{\\rtf1{\\fonttbl{\\f0 Ari", "", {}, false);
        row("binary longer than the file", "{\\rtf1 a\\bin999999999999 xyz}", "a", {}, false);
        row("negative binary length", "{\\rtf1 a\\bin-5 xyz}", "axyz");
        row("a million open groups", "{\\rtf1 text" + QByteArray(1000000, '{'), "text", {}, false);
        row("a million closing braces", "{\\rtf1 text" + QByteArray(1000000, '}') + "more",
            "textmore", {}, false);
        row("huge numbers",
            "{\\rtf1 \\fs99999999999999999999999 big\\par \\f99999999999 x\\par \\u-99999999999?y"
            "\\par \\li-9999999999999\\fi999999999999 z\\par \\cf4294967296\\cb-4294967296"
            "\\highlight99999999999 w\\par {\\uc99999999 \\u233 " +
                QByteArray(60, 's') + "}end\\par\\outlinelevel999999999 h}",
            u"big\nx\n\ufffdy\nz\nw\néend\nh"_qs,
            {"big|1638", "z|1638 indent 0 0 2112 0 0", "h|1638 indent 0 0 2112 0 0 heading 9"});
        row("endless control word", "{\\rtf1 \\" + QByteArray(200000, 'a') + " text}", "text");
        row("endless parameter", "{\\rtf1 \\fs" + QByteArray(200000, '9') + " text}", "text");
        row("destination out of place", "{\\rtf1 a\\fonttbl b;}c}", "a", {}, false);
        row("colour table without entries", "{\\rtf1{\\colortbl}\\cf5 red?\\par}", "red?",
            {"red|12"});
    }

    void reads()
    {
        const auto [rtf, plain, formats, clean] =
            fetch<QByteArray, QString, QStringList, bool>({"rtf", "plain", "formats", "clean"});
        QTextDocument document;
        RtfReader reader;
        QVERIFY(reader.read(rtf, &document));
        QCOMPARE(text(document), plain);
        QCOMPARE(reader.errorString().isEmpty(), clean);
        QVERIFY(!document.isModified());
        for (const QString& check : std::as_const(formats)) {
            const QString needle = check.section(u'|', 0, 0);
            const qsizetype at = plain.indexOf(needle);
            QVERIFY2(at >= 0, qPrintable(needle));
            QCOMPARE(needle + u'|' + look(document, int(at)), check);
        }

        roundTrip(document);
    }

    void rejectsWhatIsNotRtf_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain text") << QByteArray("Just some notes\r\n");
        QTest::newRow("html") << QByteArray("<html><body>x</body></html>");
        QTest::newRow("brace only") << QByteArray("{\\rt");
        QTest::newRow("text before the header") << QByteArray("x{\\rtf1 y}");
    }

    void rejectsWhatIsNotRtf()
    {
        QFETCH(QByteArray, bytes);
        QTextDocument document;
        document.setPlainText("earlier notes");
        RtfReader reader;
        QVERIFY(!RtfReader::isRtf(bytes));
        QVERIFY(!reader.read(bytes, &document));
        QVERIFY(!reader.errorString().isEmpty());
        QCOMPARE(document.toPlainText(), "earlier notes");

        // The same bytes behind a proper header are read, blanks and a UTF-8 mark before it.
        QVERIFY(reader.read("\xef\xbb\xbf \r\n{\\rtf1 ok}", &document));
        QCOMPARE(document.toPlainText(), "ok");
    }

    void readsLargeInputInLinearTime_data()
    {
        columns<QByteArray, int>({"rtf", "characters"});

        const int count = 200000;
        QByteArray runs = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}";
        QByteArray paragraphs = runs;
        QByteArray nested = runs;
        QByteArray fonts = "{\\rtf1{\\fonttbl";
        QByteArray escapes = runs;
        for (int i = 0; i < count; ++i) {
            runs += (i % 2 ? "\\b\\f1 x" : "\\b0\\f0 y");
            paragraphs += "p\\par ";
            nested += "{\\i z";
            fonts += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
            escapes += "\\'e9\\u8364?";
        }
        nested += QByteArray(count, '}');
        fonts += "}\\f7 a}";
        QTest::newRow("a format change per character") << runs + "}" << count;
        QTest::newRow("a paragraph per character") << paragraphs + "}" << count;
        QTest::newRow("a group per character") << nested + "}" << count;
        QTest::newRow("a large font table") << fonts << 1;
        QTest::newRow("escapes") << escapes + "}" << 2 * count;
    }

    // A reader quadratic in its input would need hours here, and Qt Test's watchdog ends a
    // test function after five minutes.
    void readsLargeInputInLinearTime()
    {
        const auto [rtf, characters] = fetch<QByteArray, int>({"rtf", "characters"});
        QTextDocument document;
        QVERIFY(RtfReader().read(rtf, &document));
        QCOMPARE(document.characterCount() - document.blockCount(), characters);
    }

    void roundTripsDocuments_data()
    {
        QTest::addColumn<QString>("html");
        QTest::newRow("line breaks and empty paragraphs")
            << "<p>one<br />two</p><p><br /></p><p style=\"font-size:20pt\"></p><p>three</p>";
        QTest::newRow("every format, text beyond Windows-1252")
            << QString::fromUtf8(sourceFile(QStringLiteral("tests/output/every-format.html")));
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

private:
    QTextDocument m_guide;
};

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
