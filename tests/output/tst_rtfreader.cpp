#include "output/RtfReader.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTextBlock>
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

QStringList blockTexts(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

struct Run
{
    QString text;
    QTextCharFormat format;
};

QList<Run> runs(const QTextDocument& document)
{
    QList<Run> list;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            list.append({it.fragment().text(), it.fragment().charFormat()});
    }
    return list;
}

QString family(const QTextCharFormat& format)
{
    return format.font().families().value(0, format.font().family());
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void readsText_data();
    void readsText();
    void readsRichEditFormatting();
    void readsWordProcessorOutput();
    void groupsScopeFormatting();
    void cleansFontNames();
    void rejectsWhatIsNotRtf_data();
    void rejectsWhatIsNotRtf();
    void survivesHostileInput_data();
    void survivesHostileInput();
    void readsLargeInputInLinearTime_data();
    void readsLargeInputInLinearTime();
};

void TestRtfReader::readsText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("blocks");

    QTest::newRow("rich edit paragraphs")
        << richEdit("First line\\par\r\nSecond line") << QStringList{"First line", "Second line"};
    QTest::newRow("final par adds no block") << richEdit("Only") << QStringList{"Only"};
    QTest::newRow("empty paragraphs kept")
        << richEdit("a\\par\\par b\\par") << QStringList{"a", "", "b", ""};
    QTest::newRow("empty notes") << QByteArray(RichEditHead + "\\par\r\n}") << QStringList{""};
    QTest::newRow("accents in cp1252")
        << richEdit("Caf\\'e9, cr\\'e8me br\\'fbl\\'e9e, \\'80 5, \\'93quoted\\'94")
        << QStringList{u"Café, crème brûlée, € 5, “quoted”"_qs};
    QTest::newRow("unicode with fallback")
        << richEdit("\\u1055?\\u1088?\\u1080?\\u1074?\\u1077?\\u1090?")
        << QStringList{u"Привет"_qs};
    QTest::newRow("negative unicode, surrogate pair")
        << richEdit("smile \\u-10179?\\u-8704?!") << QStringList{u"smile 😀!"_qs};
    QTest::newRow("uc2 skips two fallback bytes")
        << richEdit("{\\uc2\\u12354\\'82\\'a0x}") << QStringList{u"あx"_qs};
    QTest::newRow("uc0 skips nothing") << richEdit("{\\uc0\\u233 x}") << QStringList{u"éx"_qs};
    QTest::newRow("fallback cut short by a group")
        << richEdit("{\\uc3\\u233 a}bc") << QStringList{u"ébc"_qs};
    QTest::newRow("tabs and line breaks") << richEdit("Name:\\tab Anna\\line Clan:\\tab Toreador")
                                          << QStringList{u"Name:\tAnna\u2028Clan:\tToreador"_qs};
    QTest::newRow("literal tab, ignored line ends")
        << richEdit("a\tb\r\nc\nd") << QStringList{"a\tbcd"};
    QTest::newRow("escaped symbols")
        << richEdit("\\\\ \\{x\\} a\\~b c\\_d") << QStringList{u"\\ {x} a\u00a0b c\u2011d"_qs};
    QTest::newRow("special characters")
        << richEdit("\\lquote a\\rquote  \\ldblquote b\\rdblquote  c\\emdash d\\endash e\\bullet")
        << QStringList{u"‘a’ “b” c—d–e•"_qs};
    QTest::newRow("backslash line end is a paragraph")
        << richEdit("one\\\r\ntwo") << QStringList{"one", "two"};
    QTest::newRow("unknown control words vanish")
        << richEdit("\\foo12 a\\barbaz-3 b\\qux c") << QStringList{"abc"};
    QTest::newRow("optional destinations skipped")
        << richEdit("{\\*\\unknown hidden}seen{\\*\\bkmkstart mark}{\\*\\bkmkend mark}")
        << QStringList{"seen"};
    QTest::newRow("known destinations skipped")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
                      "{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}{\\info{\\title Title}"
                      "{\\author Someone}}{\\header Page header}{\\footer Page footer}"
                      "{\\footnote a note}Body{\\pict\\wmetafile8\\picw10 0102abcdef}\\par}")
        << QStringList{"Body"};
    QTest::newRow("binary data skipped")
        << richEdit("a{\\pict\\bin6 }}{{\\ }b") << QStringList{"ab"};
    QTest::newRow("field result shown, instruction not")
        << richEdit("see {\\field{\\*\\fldinst{HYPERLINK \"http://x\"}}{\\fldrslt{\\ul here}}}")
        << QStringList{"see here"};
    QTest::newRow("unicode alternative")
        << richEdit("{\\upr{old text}{\\*\\ud{new text}}}") << QStringList{"new text"};
    QTest::newRow("list text kept as text")
        << richEdit("{\\pntext\\f0\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}item")
        << QStringList{u"·\titem"_qs};
    QTest::newRow("table cells become tabs")
        << richEdit("\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row after")
        << QStringList{"a\tb", "after"};
    QTest::newRow("cyrillic code page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}}"
                      "\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par}")
        << QStringList{u"Привет"_qs};
    QTest::newRow("double-byte code page")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}"
                      "\\f0 \\'82\\'a0\\'82\\'a2\\par}")
        << QStringList{u"あい"_qs};
    QTest::newRow("control characters dropped")
        << richEdit(QByteArray("a\x01\x7f", 3) + QByteArray(1, '\0') + "b\\u0?\\u8233?\\u65532?c")
        << QStringList{"abc"};
    QTest::newRow("lone surrogates replaced")
        << richEdit("\\u-10179?x\\u-8704?") << QStringList{u"\ufffdx\ufffd"_qs};
}

void TestRtfReader::readsText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, blocks);
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    QCOMPARE(blockTexts(document), blocks);
    QCOMPARE(reader.errorString(), QString());
}

void TestRtfReader::readsRichEditFormatting()
{
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Times New "
        "Roman;}{\\f1\\fswiss\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\qr\\cf1\\b\\i\\ul\\f1\\fs28 Red\\cf0\\b0\\i0\\ulnone\\f0\\fs20  "
        "plain\\strike  struck\\strike0\\par\r\n\\pard\\qc centred\\par\r\n\\pard\\qj justified"
        "\\par\r\n\\pard\\li720\\ri360\\fi-360\\sb120\\sa240 indented\\par\r\n\\pard left\\b\\f7 "
        "unknown font\\par\r\n}\r\n";
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    const QList<Run> list = runs(document);
    QCOMPARE(list.size(), 8);

    QCOMPARE(list[0].text, "Red");
    QCOMPARE(family(list[0].format), "Arial");
    QCOMPARE(list[0].format.fontPointSize(), 14.0);
    QCOMPARE(list[0].format.fontWeight(), int(QFont::Bold));
    QVERIFY(list[0].format.fontItalic());
    QVERIFY(list[0].format.fontUnderline());
    QCOMPARE(list[0].format.foreground().color(), QColor(255, 0, 0));

    QCOMPARE(list[1].text, " plain");
    QCOMPARE(family(list[1].format), "Times New Roman");
    QCOMPARE(list[1].format.fontPointSize(), 10.0);
    QCOMPARE(list[1].format.fontWeight(), int(QFont::Normal));
    QVERIFY(!list[1].format.fontItalic());
    QVERIFY(!list[1].format.fontUnderline());
    QCOMPARE(list[1].format.foreground().style(), Qt::NoBrush);
    QCOMPARE(list[2].text, " struck");
    QVERIFY(list[2].format.fontStrikeOut());

    // An unknown font number falls back to the default font.
    QCOMPARE(list[6].text, "left");
    QCOMPARE(list[7].text, "unknown font");
    QCOMPARE(family(list[7].format), "Times New Roman");

    QList<Qt::Alignment> alignments;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        alignments << (block.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
    QCOMPARE(alignments, (QList<Qt::Alignment>{Qt::AlignRight, Qt::AlignHCenter, Qt::AlignJustify,
                                               Qt::AlignLeft, Qt::AlignLeft}));
    const QTextBlockFormat indented = document.findBlockByNumber(3).blockFormat();
    QCOMPARE(indented.leftMargin(), 48.0);
    QCOMPARE(indented.rightMargin(), 24.0);
    QCOMPARE(indented.textIndent(), -24.0);
    QCOMPARE(indented.topMargin(), 8.0);
    QCOMPARE(indented.bottomMargin(), 16.0);
    QVERIFY(!document.isModified());
}

// Word processors write associated fonts for other scripts, styles, revision marks and more;
// only the text and its basic attributes matter.
void TestRtfReader::readsWordProcessorOutput()
{
    const QByteArray rtf =
        "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0\\deflang1033"
        "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times "
        "New Roman{\\*\\falt Liberation Serif};}{\\f1\\fbidi \\fswiss\\fcharset0\\fprq2 Arial;}"
        "{\\f31505\\fbidi \\froman\\fcharset0\\fprq2 Calibri;}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "{\\*\\defchp \\fs22\\loch\\af31506}{\\*\\defpap \\ql \\li0\\ri0\\sa160}"
        "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\rtlch\\fcs1 \\af0\\afs24 \\ltrch\\fcs0 "
        "\\fs24\\lang1033 \\snext0 Normal;}{\\s1\\ql\\outlinelevel0 \\b\\fs32 \\sbasedon0 "
        "\\snext0 heading 1;}{\\*\\cs10 \\additive Default Paragraph Font;}}\r\n"
        "{\\*\\rsidtbl \\rsid1317\\rsid9012}{\\mmathPr\\mmathFont34}{\\info{\\author Writer}"
        "{\\creatim\\yr2024\\mo3\\dy1}}{\\*\\xmlnstbl {\\xmlns1 http://schemas}}"
        "{\\*\\generator LibreOffice/7.4;}\\paperw11906\\paperh16838\\margl1134"
        "\\sectd \\ltrsect\\sbknone\\linex0\\endnhere\\sectdefaultcl\r\n"
        "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang {\\pntxta .}}"
        "\\pard\\plain \\ltrpar\\s1\\qc \\li0\\ri0\\outlinelevel0\\rtlch\\fcs1 \\ab\\af0\\afs32 "
        "\\ltrch\\fcs0 \\b\\fs32\\insrsid1317 \\hich\\af1\\dbch\\af31505\\loch\\f1 The "
        "Embrace\\par "
        "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\sa160\\rtlch\\fcs1 \\af0\\afs24 \\ltrch\\fcs0 "
        "\\fs24\\insrsid9012 \\hich\\af0\\dbch\\af31505\\loch\\f0 She was \\b\\i sired\\b0\\i0 "
        "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\cf2\\ul  in 1897}\\'85\\par "
        "{\\*\\themedata 504b030414000600080000002100e9de0fbfff0000001c020000130000}"
        "{\\*\\datastore 0105000002000000180000004d73786d6c322e534158584d4c5265616465722e362e30}"
        "}";
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    QCOMPARE(blockTexts(document), (QStringList{"The Embrace", u"She was sired in 1897…"_qs}));

    const QTextBlock heading = document.firstBlock();
    QCOMPARE(heading.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(heading.blockFormat().headingLevel(), 1);
    const QTextCharFormat title = heading.begin().fragment().charFormat();
    QCOMPARE(family(title), "Arial");
    QCOMPARE(title.fontPointSize(), 16.0);
    QCOMPARE(title.fontWeight(), int(QFont::Bold));

    const QList<Run> list = runs(document);
    QCOMPARE(list.size(), 5);
    QCOMPARE(list[1].text, "She was ");
    QCOMPARE(family(list[1].format), "Times New Roman");
    QCOMPARE(list[1].format.fontPointSize(), 12.0);
    QCOMPARE(list[2].text, "sired");
    QVERIFY(list[2].format.fontItalic());
    QCOMPARE(list[3].text, " in 1897");
    QVERIFY(list[3].format.fontUnderline());
    QCOMPARE(list[3].format.foreground().color(), QColor(0, 0, 255));
    QVERIFY(!list[4].format.fontUnderline());
    QCOMPARE(reader.errorString(), QString());
}

void TestRtfReader::groupsScopeFormatting()
{
    const QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f0 a{\\b\\f1\\fs40 "
                           "b{\\i c}d}e\\b\\i f\\plain g}";
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    const QList<Run> list = runs(document);
    QStringList texts;
    for (const Run& run : list)
        texts << run.text;
    QCOMPARE(texts, (QStringList{"a", "b", "c", "d", "e", "f", "g"}));

    QCOMPARE(family(list[0].format), "Arial");
    QCOMPARE(list[0].format.fontPointSize(), 12.0); // the format's default size
    QCOMPARE(family(list[1].format), "Courier New");
    QCOMPARE(list[1].format.fontPointSize(), 20.0);
    QCOMPARE(list[1].format.fontWeight(), int(QFont::Bold));
    QVERIFY(list[2].format.fontItalic());
    QCOMPARE(list[2].format.fontWeight(), int(QFont::Bold));
    QVERIFY(!list[3].format.fontItalic());
    QCOMPARE(list[3].format.fontWeight(), int(QFont::Bold));
    // Closing the group restores what was in force before it.
    QCOMPARE(family(list[4].format), "Arial");
    QCOMPARE(list[4].format.fontPointSize(), 12.0);
    QCOMPARE(list[4].format.fontWeight(), int(QFont::Normal));
    QVERIFY(list[5].format.fontItalic());
    QCOMPARE(list[5].format.fontWeight(), int(QFont::Bold));
    // \\plain resets the character formatting, not the paragraph.
    QCOMPARE(family(list[6].format), "Arial");
    QVERIFY(!list[6].format.fontItalic());
    QCOMPARE(list[6].format.fontWeight(), int(QFont::Normal));

    // Beyond the depth limit groups share one state, which is still undone as they close.
    const int depth = RtfReader::MaxDepth + 50;
    QByteArray deep = "{\\rtf1 a";
    deep += QByteArray(depth, '{') + "\\b\\fs60 deep" + QByteArray(depth, '}') + "after}";
    QVERIFY(reader.read(deep, &document));
    QVERIFY(!reader.errorString().isEmpty());
    const QList<Run> deepRuns = runs(document);
    QCOMPARE(deepRuns.size(), 3);
    QCOMPARE(deepRuns[1].text, "deep");
    QCOMPARE(deepRuns[1].format.fontWeight(), int(QFont::Bold));
    QCOMPARE(deepRuns[1].format.fontPointSize(), 30.0);
    QCOMPARE(deepRuns[2].text, "after");
    QCOMPARE(deepRuns[2].format.fontWeight(), int(QFont::Normal));
    QCOMPARE(deepRuns[2].format.fontPointSize(), 12.0);
}

// Names come from the file: what no font name holds, or what would end it, is left out.
void TestRtfReader::cleansFontNames()
{
    const QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0\\froman\\u0?Ari\\'01al\\'3b ;}{\\f1  Book   "
                           "Antiqua\\line{\\*\\falt x};}}\\f0 a\\f1 b}";
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    const QList<Run> list = runs(document);
    QCOMPARE(list.size(), 2);
    QCOMPARE(family(list[0].format), "Arial");
    QCOMPARE(family(list[1].format), "Book Antiqua");
}

void TestRtfReader::rejectsWhatIsNotRtf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("Just some notes\r\n");
    QTest::newRow("html") << QByteArray("<html><body>x</body></html>");
    QTest::newRow("brace only") << QByteArray("{\\rt");
    QTest::newRow("text before the header") << QByteArray("x{\\rtf1 y}");
}

void TestRtfReader::rejectsWhatIsNotRtf()
{
    QFETCH(QByteArray, bytes);
    QTextDocument document;
    document.setPlainText("earlier notes");
    RtfReader reader;
    QVERIFY(!RtfReader::isRtf(bytes));
    QVERIFY(!reader.read(bytes, &document));
    QVERIFY(!reader.errorString().isEmpty());
    QCOMPARE(document.toPlainText(), "earlier notes");

    // The same bytes behind a proper header are read, blanks and a UTF-8 mark allowed before it.
    QVERIFY(reader.read("\xef\xbb\xbf \r\n{\\rtf1 ok}", &document));
    QCOMPARE(document.toPlainText(), "ok");
}

void TestRtfReader::survivesHostileInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("blocks");
    QTest::addColumn<bool>("repaired");

    QTest::newRow("surplus closing brace")
        << QByteArray("{\\rtf1 a}} b\\par}") << QStringList{"a b"} << true;
    QTest::newRow("truncated in text")
        << QByteArray("{\\rtf1 {\\b hello wor") << QStringList{"hello wor"} << true;
    QTest::newRow("truncated in a hex escape")
        << QByteArray("{\\rtf1 x\\'e") << QStringList{"x"} << true;
    QTest::newRow("truncated after a backslash")
        << QByteArray("{\\rtf1 x\\") << QStringList{"x"} << true;
    QTest::newRow("truncated in a unicode escape")
        << QByteArray("{\\rtf1 x\\u-") << QStringList{"x"} << true;
    QTest::newRow("truncated font table")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << QStringList{""} << true;
    QTest::newRow("bad hex digits")
        << QByteArray("{\\rtf1 a\\'zzb\\'4") << QStringList{"azzb"} << true;
    QTest::newRow("binary longer than the file")
        << QByteArray("{\\rtf1 a\\bin999999999999 xyz}") << QStringList{"a"} << true;
    QTest::newRow("negative binary length")
        << QByteArray("{\\rtf1 a\\bin-5 xyz}") << QStringList{"axyz"} << false;

    QByteArray deep = "{\\rtf1 start ";
    deep += QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + " tail}";
    QTest::newRow("100000 levels") << deep << QStringList{"start deep tail"} << true;

    QByteArray open = "{\\rtf1 text";
    open += QByteArray(1000000, '{');
    QTest::newRow("a million open groups") << open << QStringList{"text"} << true;

    QByteArray closes = "{\\rtf1 text";
    closes += QByteArray(1000000, '}') + "more";
    QTest::newRow("a million closing braces") << closes << QStringList{"textmore"} << true;

    QByteArray huge = "{\\rtf1 \\fs99999999999999999999999 big\\par \\f99999999999 x\\par "
                      "\\u-99999999999?y\\par \\li-9999999999999\\fi999999999999 z\\par "
                      "\\cf4294967296\\cb-4294967296\\highlight99999999999 w\\par "
                      "{\\uc99999999 \\u233 " +
                      QByteArray(60, 's') + "}end\\par\\outlinelevel999999999 h}";
    QTest::newRow("huge numbers") << huge << QStringList{"big",      "x", u"\u8000y"_qs, "z", "w",
                                                         u"éend"_qs, "h"}
                                  << false;

    QByteArray word = "{\\rtf1 \\";
    word += QByteArray(200000, 'a') + " text}";
    QTest::newRow("endless control word") << word << QStringList{"text"} << false;

    QByteArray digits = "{\\rtf1 \\fs";
    digits += QByteArray(200000, '9') + " text}";
    QTest::newRow("endless parameter") << digits << QStringList{"text"} << false;

    QTest::newRow("destination out of place")
        << QByteArray("{\\rtf1 a\\fonttbl b;}c}") << QStringList{"a"} << true;
    QTest::newRow("colour table without entries")
        << QByteArray("{\\rtf1{\\colortbl}\\cf5 red?\\par}") << QStringList{"red?"} << false;
    QTest::newRow("stray ignorable mark")
        << QByteArray("{\\rtf1 a\\*\\b b}") << QStringList{"ab"} << false;
}

void TestRtfReader::survivesHostileInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, blocks);
    QFETCH(bool, repaired);
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    QCOMPARE(blockTexts(document), blocks);
    QCOMPARE(!reader.errorString().isEmpty(), repaired);

    // Whatever was clamped, the formats stay within what a document can show.
    for (const Run& run : runs(document)) {
        QVERIFY(run.format.fontPointSize() <= 1638);
        QVERIFY(run.format.fontPointSize() > 0);
    }
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QVERIFY(block.blockFormat().leftMargin() <= 31680 / 15.0);
        QVERIFY(qAbs(block.blockFormat().textIndent()) <= 31680 / 15.0);
        QVERIFY(block.blockFormat().headingLevel() <= 9);
    }
}

void TestRtfReader::readsLargeInputInLinearTime_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("characters");

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

// A reader quadratic in its input would need hours here.
void TestRtfReader::readsLargeInputInLinearTime()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, characters);
    QTextDocument document;
    RtfReader reader;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(reader.read(rtf, &document));
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(document.characterCount() - document.blockCount(), characters);
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
