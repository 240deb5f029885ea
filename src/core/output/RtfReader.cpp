#include "output/RtfReader.h"

#include "rules/TextRoutines.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <climits>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// Parameters are clamped here while they are read, so no arithmetic on them can overflow.
constexpr qint64 ParamLimit = 1'000'000'000;
constexpr int MaxKeywordLength = 32;
constexpr int MaxHalfPoints = 3276; // 1638 points, the largest size word processors offer
constexpr int MaxTwips = 31680;     // 22 inches
constexpr int MaxUnicodeSkip = 64;
constexpr qreal TwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch
constexpr int DefaultCodePage = 1252;
// Fonts of character set 2 draw symbols in place of letters; their bytes are read through these
// pseudo code pages: 42 is Windows' own number for symbol fonts, the others no code page uses.
constexpr int SymbolCodePage = 42;
constexpr int WingdingsCodePage = 100042;
constexpr int OtherSymbolsCodePage = 100043;
constexpr int SymbolCharset = 2;

enum class Dest : quint8 { Text, FontTable, ColorTable, Skip };

enum class Kw : quint8 {
    Unknown,
    Char,
    Par,
    Cell,
    Plain,
    Pard,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Hidden,
    Strike,
    Foreground,
    Background,
    Super,
    Sub,
    NoSuperSub,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    OutlineLevel,
    DefaultFont,
    CodePage,
    AnsiCodePage,
    FontCharset,
    FontCodePage,
    UnicodeSkip,
    Unicode,
    Red,
    Green,
    Blue,
    FontTable,
    ColorTable,
    SkipDestination,
    UnicodeAlternative,
    UnicodeDestination,
    ListText,
};

struct Keyword
{
    Kw kind = Kw::Unknown;
    int value = 0; // the character of Kw::Char, the code page of Kw::CodePage
};

using KeywordTable = std::unordered_map<std::string_view, Keyword>;

const KeywordTable& keywords()
{
    static const KeywordTable table = [] {
        KeywordTable t;
        auto add = [&t](std::initializer_list<std::string_view> names, Kw kind, int value = 0) {
            for (std::string_view name : names)
                t[name] = Keyword{kind, value};
        };
        // Destinations whose content is never text of the document.
        add({"stylesheet",   "info",
             "header",       "headerl",
             "headerr",      "headerf",
             "footer",       "footerl",
             "footerr",      "footerf",
             "footnote",     "annotation",
             "pict",         "object",
             "objdata",      "fldinst",
             "datafield",    "xe",
             "tc",           "tcn",
             "txe",          "rxe",
             "template",     "revtbl",
             "listtable",    "listoverridetable",
             "rsidtbl",      "pgdsctbl",
             "xmlnstbl",     "filetbl",
             "pn",           "pntxta",
             "pntxtb",       "shp",
             "shprslt",      "shppict",
             "nonshppict",   "do",
             "ftnsep",       "ftnsepc",
             "ftncn",        "aftnsep",
             "aftnsepc",     "aftncn",
             "bkmkstart",    "bkmkend",
             "atnid",        "atnauthor",
             "atntime",      "atnref",
             "atnicn",       "atrfstart",
             "atrfend",      "comment",
             "userprops",    "docvar",
             "private",      "generator",
             "themedata",    "colorschememapping",
             "latentstyles", "datastore",
             "defchp",       "defpap",
             "mmathPr",      "nonesttables",
             "author",       "operator",
             "title",        "subject",
             "keywords",     "doccomm",
             "company",      "creatim",
             "revtim",       "printim",
             "buptim",       "formfield",
             "fldtype",      "passwordhash",
             "protusertbl",  "htmltag",
             "mhtmltag",     "oldcprops",
             "oldpprops",    "oldsprops",
             "oldtprops",    "wgrffmtfilter",
             "panose",       "falt",
             "fontemb",      "fontfile",
             "background",   "pnseclvl",
             "listpicture",  "picprop",
             "blipuid",      "sp",
             "sn",           "sv",
             "xmlopen",      "xmlclose",
             "xmlattrname",  "xmlattrvalue",
             "ebcstart",     "ebcend",
             "hlinkbase",    "keycode"},
            Kw::SkipDestination);
        add({"fonttbl"}, Kw::FontTable);
        add({"colortbl"}, Kw::ColorTable);
        add({"upr"}, Kw::UnicodeAlternative);
        add({"listtext", "pntext"}, Kw::ListText);
        add({"ud"}, Kw::UnicodeDestination);

        add({"par", "sect", "page", "row", "nestrow"}, Kw::Par);
        add({"cell", "nestcell"}, Kw::Cell);
        add({"tab"}, Kw::Char, u'\t');
        add({"line", "lbr"}, Kw::Char, 0x2028);
        add({"emdash"}, Kw::Char, 0x2014);
        add({"endash"}, Kw::Char, 0x2013);
        add({"bullet"}, Kw::Char, 0x2022);
        add({"lquote"}, Kw::Char, 0x2018);
        add({"rquote"}, Kw::Char, 0x2019);
        add({"ldblquote"}, Kw::Char, 0x201c);
        add({"rdblquote"}, Kw::Char, 0x201d);
        add({"emspace"}, Kw::Char, 0x2003);
        add({"enspace"}, Kw::Char, 0x2002);
        add({"qmspace"}, Kw::Char, 0x2005);
        add({"zwj"}, Kw::Char, 0x200d);
        add({"zwnj"}, Kw::Char, 0x200c);
        add({"zwbo"}, Kw::Char, 0x200b);
        add({"ltrmark"}, Kw::Char, 0x200e);
        add({"rtlmark"}, Kw::Char, 0x200f);

        add({"plain"}, Kw::Plain);
        add({"pard"}, Kw::Pard);
        add({"f"}, Kw::Font);
        add({"fs"}, Kw::FontSize);
        add({"b"}, Kw::Bold);
        add({"i"}, Kw::Italic);
        add({"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
             "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
             "ulwave"},
            Kw::Underline);
        add({"ulnone"}, Kw::UnderlineNone);
        add({"v", "deleted"}, Kw::Hidden);
        add({"strike", "striked"}, Kw::Strike);
        add({"cf"}, Kw::Foreground);
        add({"cb", "highlight", "chcbpat"}, Kw::Background);
        add({"super"}, Kw::Super);
        add({"sub"}, Kw::Sub);
        add({"nosupersub"}, Kw::NoSuperSub);
        add({"ql"}, Kw::AlignLeft);
        add({"qc"}, Kw::AlignCenter);
        add({"qr"}, Kw::AlignRight);
        add({"qj", "qd"}, Kw::AlignJustify);
        add({"li", "lin"}, Kw::LeftIndent);
        add({"ri", "rin"}, Kw::RightIndent);
        add({"fi"}, Kw::FirstIndent);
        add({"sb"}, Kw::SpaceBefore);
        add({"sa"}, Kw::SpaceAfter);
        add({"outlinelevel"}, Kw::OutlineLevel);

        add({"deff"}, Kw::DefaultFont);
        add({"ansi"}, Kw::CodePage, 1252);
        add({"mac"}, Kw::CodePage, 10000);
        add({"pc"}, Kw::CodePage, 437);
        add({"pca"}, Kw::CodePage, 850);
        add({"ansicpg"}, Kw::AnsiCodePage);
        add({"fcharset"}, Kw::FontCharset);
        add({"cpg"}, Kw::FontCodePage);
        add({"uc"}, Kw::UnicodeSkip);
        add({"u"}, Kw::Unicode);
        add({"red"}, Kw::Red);
        add({"green"}, Kw::Green);
        add({"blue"}, Kw::Blue);
        return t;
    }();
    return table;
}

// The Windows code page of a font's character set.
int charsetCodePage(int charset, int fallback)
{
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return fallback;
    }
}

QStringDecoder makeDecoder(int codePage)
{
    if (codePage == 65001)
        return QStringDecoder(QStringConverter::Utf8);
    QByteArray name;
    switch (codePage) {
    case 932:
        name = "Shift_JIS";
        break;
    case 936:
        name = "GBK";
        break;
    case 949:
        name = "windows-949";
        break;
    case 950:
        name = "Big5";
        break;
    case 10000:
        name = "macintosh";
        break;
    case 437:
    case 850:
        name = "IBM" + QByteArray::number(codePage);
        break;
    default:
        name = "windows-" + QByteArray::number(codePage);
        break;
    }
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(("cp" + QByteArray::number(codePage)).constData());
    return decoder;
}

// The Symbol font's bytes 0x20 to 0x7e and 0xa0 to 0xfe as Unicode.
constexpr char16_t SymbolLow[] = u" !∀#∃%&∋()∗+,−./0123456789:;<=>?"
                                 u"≅ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ[∴]⊥_"
                                 u"\uf8e5αβχδεφγηιϕκλμνοπθρστυϖωξψζ{|}∼";
constexpr char16_t SymbolHigh[] = u"€ϒ′≤⁄∞ƒ♣♦♥♠↔←↑→↓°±″≥×∝∂•÷≠≡≈…⏐⎯↵"
                                  u"ℵℑℜ℘⊗⊕∅∩∪⊃⊇⊄⊂⊆∈∉∠∇®©™∏√⋅¬∧∨⇔⇐⇑⇒⇓"
                                  u"◊〈®©™∑⎛⎜⎝⎡⎢⎣⎧⎨⎩⎪\uf0f0〉∫⌠⎮⌡⎞⎟⎠⎤⎥⎦⎫⎬⎭";
static_assert(std::size(SymbolLow) == 96 && std::size(SymbolHigh) == 96);

// The character a symbol font draws for a byte. Where Unicode has none, or the font is not known,
// the byte goes to the private area at U+F000 where Windows puts the glyphs of symbol fonts.
char16_t symbolChar(int codePage, uchar byte)
{
    if (byte < 0x20)
        return byte;
    if (codePage == SymbolCodePage) {
        if (byte < 0x7f)
            return SymbolLow[byte - 0x20];
        if (byte >= 0xa0 && byte < 0xff)
            return SymbolHigh[byte - 0xa0];
    } else if (codePage == WingdingsCodePage) {
        // The list bullets word processors offer.
        switch (byte) {
        case 0x6c:
            return 0x25cf;
        case 0x6e:
            return 0x25a0;
        case 0x6f:
            return 0x25a1;
        case 0x71:
            return 0x2751;
        case 0x75:
            return 0x25c6;
        case 0x76:
            return 0x2756;
        case 0x9f:
            return 0x2022;
        case 0xa7:
            return 0x25aa;
        case 0xd8:
            return 0x27a2;
        case 0xfc:
            return 0x2713;
        default:
            break;
        }
    }
    return char16_t(0xf000 + byte);
}

bool isSymbolCodePage(int codePage)
{
    return codePage == SymbolCodePage || codePage == WingdingsCodePage ||
           codePage == OtherSymbolsCodePage;
}

// The text of a \u parameter: negative values stand for units above 32767, and some writers give
// a character beyond U+FFFF in one \u instead of a surrogate pair.
QString unicodeText(int param)
{
    if (param < -32768 || param > 0x10ffff)
        return QString(QChar::ReplacementCharacter);
    const char32_t code = char32_t(param < 0 ? param + 65536 : param);
    return QString::fromUcs4(&code, 1);
}

// A font name holds printable characters only; an escaped ";" would end it when written again.
QString cleanFontName(const QString& name)
{
    QString clean;
    clean.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            clean += c;
            clean += name[++i];
        } else if (c.isPrint() && !c.isSurrogate() && c != QLatin1Char(';') &&
                   c != QChar::LineSeparator && c != QChar::ParagraphSeparator &&
                   c != QChar::ObjectReplacementCharacter) {
            clean += c;
        }
    }
    return clean.simplified();
}

struct CharProps
{
    int font = -1; // font table number; -1 is the default font
    int halfPoints = 24;
    int foreground = 0; // colour table index; 0 and unknown indices are the automatic colour
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;

    bool operator==(const CharProps&) const = default;
};

struct ParaProps
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0; // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int outlineLevel = -1;
};

struct Group
{
    CharProps chars;
    ParaProps para;
    Dest dest = Dest::Text;
    Dest resume = Dest::Skip; // what an alternative's \ud group turns back to
    int unicodeSkip = 1;
};

struct FontEntry
{
    QString name;
    int codePage = -1; // -1: the document's code page
};

class Parser
{
public:
    Parser(QByteArrayView data, qsizetype start, QTextDocument* document)
        : m_data(data), m_pos(start), m_cursor(document)
    {
        m_stack.reserve(RtfReader::MaxDepth);
        m_stack.emplace_back();
    }

    void run();
    QString report() const;

private:
    Group& top() { return m_stack.back(); }

    void openGroup();
    void closeGroup();
    void control();
    void controlWord(std::string_view name, bool hasParam, int param);
    void textWord(const Keyword& keyword, bool hasParam, int param);
    void symbol(const Keyword& keyword);
    void literalByte(uchar byte);
    void textByte(uchar byte);
    void noteContent();
    bool skipping();

    int codePageOf(int font);
    QStringDecoder& decoder(int codePage);
    QString decode(int codePage, const QByteArray& bytes);

    void appendByte(uchar byte);
    void appendUnit(char16_t unit);
    bool dropped(char16_t unit);
    void addUnit(char16_t unit, const CharProps& props);
    void flushBytes();
    void flushRun();
    void ensureBlock();
    void finishBlock();
    void endParagraph();

    void commitFont();
    void commitColor();
    const FontEntry* fontEntry(int font) const;
    QColor color(int index) const;
    const QTextCharFormat& charFormat(const CharProps& props);
    QTextBlockFormat blockFormat(const ParaProps& props) const;

    QByteArrayView m_data;
    qsizetype m_pos;
    QTextCursor m_cursor;
    std::vector<Group> m_stack;
    Group m_overflowSaved;
    int m_overflow = 0;

    bool m_ignorable = false;    // a \* waits for its control word
    bool m_listTextLead = false; // blanks before a list's bullet or number are dropped
    int m_skipChars = 0;         // fallback characters of a \u still to skip
    bool m_rootClosed = false;
    bool m_truncated = false;
    bool m_unbalanced = false;
    bool m_tooDeep = false;

    int m_codePage = DefaultCodePage;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontNumber = -1; // the font table entry being read
    int m_fontCodePage = -1;
    bool m_fontSymbols = false;
    QString m_fontName;
    QByteArray m_fontBytes;
    QList<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    std::map<int, QStringDecoder> m_decoders;
    int m_cachedFont = INT_MIN;
    int m_cachedCodePage = DefaultCodePage;

    QByteArray m_bytes; // text bytes not yet decoded, all of one code page and one format
    int m_bytesCodePage = DefaultCodePage;
    CharProps m_bytesProps;
    QString m_run; // decoded text not yet inserted, all of one format
    CharProps m_runProps;
    bool m_highPending = false;
    bool m_pendingCellTab = false;
    bool m_pendingParagraph = false; // a \par ended the block; the next one opens on content
    bool m_blockHasText = false;

    CharProps m_formatProps;
    QTextCharFormat m_format;
    bool m_formatValid = false;
};

bool isLetter(uchar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(uchar c)
{
    return c >= '0' && c <= '9';
}

int hexValue(uchar c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void Parser::run()
{
    m_cursor.beginEditBlock();
    const qsizetype size = m_data.size();
    while (m_pos < size) {
        const uchar c = uchar(m_data[m_pos++]);
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            control();
            break;
        case '\t':
            noteContent();
            symbol(Keyword{Kw::Char, u'\t'});
            break;
        default:
            if (c >= 0x20)
                textByte(c);
            break; // line ends and other control characters carry no text
        }
    }
    m_truncated = !m_rootClosed;
    flushBytes();
    flushRun();
    if (!m_pendingParagraph)
        finishBlock();
    m_cursor.endEditBlock();
}

QString Parser::report() const
{
    QStringList notes;
    if (m_truncated)
        notes << QCoreApplication::translate(
            "RtfReader", "The rich text ends before its groups are closed; the text read so far "
                         "is kept.");
    if (m_unbalanced)
        notes << QCoreApplication::translate(
            "RtfReader", "The rich text closes more groups than it opens; the text after the "
                         "surplus brace is kept.");
    if (m_tooDeep)
        notes << QCoreApplication::translate("RtfReader",
                                             "The rich text nests groups deeper than %1 levels; "
                                             "the deepest ones lose their own formatting.")
                     .arg(RtfReader::MaxDepth);
    return notes.join(QLatin1Char('\n'));
}

void Parser::noteContent()
{
    if (m_rootClosed)
        m_unbalanced = true;
}

void Parser::openGroup()
{
    noteContent();
    m_skipChars = 0;
    m_ignorable = false;
    if (int(m_stack.size()) < RtfReader::MaxDepth) {
        m_stack.push_back(m_stack.back());
        return;
    }
    if (m_overflow++ == 0)
        m_overflowSaved = m_stack.back();
    m_tooDeep = true;
}

void Parser::closeGroup()
{
    m_skipChars = 0;
    m_ignorable = false;
    m_listTextLead = false;
    if (m_overflow > 0) {
        if (--m_overflow == 0)
            m_stack.back() = m_overflowSaved;
        return;
    }
    if (top().dest == Dest::FontTable)
        commitFont();
    if (m_stack.size() > 1) {
        m_stack.pop_back();
        return;
    }
    // The root group stays: whatever follows a surplus brace is read in its state.
    if (m_rootClosed)
        m_unbalanced = true;
    m_rootClosed = true;
}

bool Parser::skipping()
{
    if (m_skipChars <= 0)
        return false;
    --m_skipChars;
    return true;
}

void Parser::control()
{
    const qsizetype size = m_data.size();
    if (m_pos >= size)
        return;
    noteContent();
    const uchar c = uchar(m_data[m_pos]);
    if (isLetter(c)) {
        const qsizetype start = m_pos;
        while (m_pos < size && isLetter(uchar(m_data[m_pos])))
            ++m_pos;
        const qsizetype length = m_pos - start;
        bool hasParam = false;
        qint64 value = 0;
        bool negative = false;
        if (m_pos < size) {
            qsizetype digits = m_pos;
            if (m_data[digits] == '-') {
                negative = true;
                ++digits;
            }
            if (digits < size && isDigit(uchar(m_data[digits]))) {
                hasParam = true;
                m_pos = digits;
                while (m_pos < size && isDigit(uchar(m_data[m_pos]))) {
                    if (value < ParamLimit)
                        value = value * 10 + (m_data[m_pos] - '0');
                    ++m_pos;
                }
                value = std::min(value, ParamLimit);
            }
        }
        if (m_pos < size && m_data[m_pos] == ' ')
            ++m_pos;
        const int param = int(negative ? -value : value);
        const std::string_view name(m_data.data() + start,
                                    size_t(std::min<qsizetype>(length, MaxKeywordLength + 1)));
        if (name == "bin") {
            // Raw bytes follow; they are never text, and may hold any byte, braces included.
            if (hasParam && param > 0)
                m_pos += std::min<qsizetype>(param, size - m_pos);
            skipping();
            return;
        }
        controlWord(name, hasParam, param);
        return;
    }

    ++m_pos;
    switch (c) {
    case '\'': {
        const int high = m_pos < size ? hexValue(uchar(m_data[m_pos])) : -1;
        const int low = m_pos + 1 < size ? hexValue(uchar(m_data[m_pos + 1])) : -1;
        if (high < 0)
            break;
        ++m_pos;
        if (low < 0)
            break;
        ++m_pos;
        literalByte(uchar(high * 16 + low));
        break;
    }
    case '\\':
    case '{':
    case '}':
        literalByte(c);
        break;
    case '~':
        symbol(Keyword{Kw::Char, 0x00a0});
        break;
    case '-':
        symbol(Keyword{Kw::Char, 0x00ad});
        break;
    case '_':
        symbol(Keyword{Kw::Char, 0x2011});
        break;
    case '*':
        if (!skipping())
            m_ignorable = true;
        break;
    case '\r':
    case '\n':
        symbol(Keyword{Kw::Par});
        break;
    default:
        skipping();
        break;
    }
}

void Parser::controlWord(std::string_view name, bool hasParam, int param)
{
    if (skipping())
        return;
    const bool ignorable = std::exchange(m_ignorable, false);
    Keyword keyword;
    if (name.size() <= size_t(MaxKeywordLength)) {
        const auto found = keywords().find(name);
        if (found != keywords().end())
            keyword = found->second;
    }
    Group& group = top();

    switch (keyword.kind) {
    case Kw::SkipDestination:
        group.dest = Dest::Skip;
        return;
    case Kw::UnicodeAlternative:
        // {\upr{8-bit text}{\*\ud{Unicode text}}}: only the Unicode version is read.
        if (group.dest != Dest::Skip)
            group.resume = group.dest;
        group.dest = Dest::Skip;
        return;
    case Kw::UnicodeDestination:
        if (group.dest == Dest::Skip && group.resume != Dest::Skip)
            group.dest = group.resume;
        return;
    default:
        break;
    }
    if (group.dest == Dest::Skip)
        return;
    if (ignorable && keyword.kind == Kw::Unknown) {
        // An optional destination this reader does not know.
        group.dest = Dest::Skip;
        return;
    }

    switch (keyword.kind) {
    case Kw::FontTable:
        group.dest = Dest::FontTable;
        m_fontNumber = -1;
        return;
    case Kw::ColorTable:
        group.dest = Dest::ColorTable;
        m_colors.clear();
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
        return;
    case Kw::DefaultFont:
        m_defaultFont = param;
        m_cachedFont = INT_MIN;
        m_formatValid = false;
        return;
    case Kw::CodePage:
        m_codePage = keyword.value;
        m_cachedFont = INT_MIN;
        return;
    case Kw::AnsiCodePage:
        if (param > 0)
            m_codePage = param;
        m_cachedFont = INT_MIN;
        return;
    case Kw::UnicodeSkip:
        group.unicodeSkip = std::clamp(param, 0, MaxUnicodeSkip);
        return;
    default:
        break;
    }

    switch (group.dest) {
    case Dest::FontTable:
        switch (keyword.kind) {
        case Kw::Font:
            commitFont();
            m_fontNumber = param;
            m_fontCodePage = -1;
            m_fontSymbols = false;
            break;
        case Kw::FontCharset:
            m_fontCodePage = charsetCodePage(param, -1);
            m_fontSymbols = param == SymbolCharset;
            break;
        case Kw::FontCodePage:
            if (param > 0)
                m_fontCodePage = param;
            break;
        case Kw::Unicode:
            if (m_fontNumber >= 0) {
                m_fontName += decode(m_fontCodePage < 0 ? m_codePage : m_fontCodePage,
                                     std::exchange(m_fontBytes, {}));
                m_fontName += unicodeText(param);
            }
            m_skipChars = group.unicodeSkip;
            break;
        default:
            break;
        }
        return;
    case Dest::ColorTable:
        switch (keyword.kind) {
        case Kw::Red:
            m_red = std::clamp(param, 0, 255);
            m_colorSet = true;
            break;
        case Kw::Green:
            m_green = std::clamp(param, 0, 255);
            m_colorSet = true;
            break;
        case Kw::Blue:
            m_blue = std::clamp(param, 0, 255);
            m_colorSet = true;
            break;
        default:
            break;
        }
        return;
    case Dest::Text:
        textWord(keyword, hasParam, param);
        return;
    case Dest::Skip:
        return;
    }
}

void Parser::textWord(const Keyword& keyword, bool hasParam, int param)
{
    Group& group = top();
    if (group.dest != Dest::Text)
        return;
    CharProps& chars = group.chars;
    ParaProps& para = group.para;
    const bool on = !hasParam || param != 0;
    switch (keyword.kind) {
    case Kw::Char:
        appendUnit(char16_t(keyword.value));
        break;
    case Kw::Unicode:
        for (QChar unit : unicodeText(param))
            appendUnit(unit.unicode());
        m_skipChars = group.unicodeSkip;
        break;
    case Kw::ListText:
        m_listTextLead = true;
        break;
    case Kw::Par:
        endParagraph();
        break;
    case Kw::Cell:
        flushBytes();
        m_pendingCellTab = true;
        break;
    case Kw::Plain:
        chars = CharProps{};
        break;
    case Kw::Pard:
        para = ParaProps{};
        break;
    case Kw::Font:
        chars.font = hasParam ? param : 0;
        break;
    case Kw::FontSize:
        chars.halfPoints = hasParam && param > 0 ? std::min(param, MaxHalfPoints) : 24;
        break;
    case Kw::Bold:
        chars.bold = on;
        break;
    case Kw::Italic:
        chars.italic = on;
        break;
    case Kw::Underline:
        chars.underline = on;
        break;
    case Kw::UnderlineNone:
        chars.underline = false;
        break;
    case Kw::Hidden:
        chars.hidden = on;
        break;
    case Kw::Strike:
        chars.strike = on;
        break;
    case Kw::Foreground:
        chars.foreground = std::max(param, 0);
        break;
    case Kw::Background:
        chars.background = std::max(param, 0);
        break;
    case Kw::Super:
        chars.vertical = on ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
        break;
    case Kw::Sub:
        chars.vertical = on ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
        break;
    case Kw::NoSuperSub:
        chars.vertical = QTextCharFormat::AlignNormal;
        break;
    case Kw::AlignLeft:
        para.alignment = Qt::AlignLeft;
        break;
    case Kw::AlignCenter:
        para.alignment = Qt::AlignHCenter;
        break;
    case Kw::AlignRight:
        para.alignment = Qt::AlignRight;
        break;
    case Kw::AlignJustify:
        para.alignment = Qt::AlignJustify;
        break;
    case Kw::LeftIndent:
        para.leftIndent = std::clamp(param, 0, MaxTwips);
        break;
    case Kw::RightIndent:
        para.rightIndent = std::clamp(param, 0, MaxTwips);
        break;
    case Kw::FirstIndent:
        para.firstIndent = std::clamp(param, -MaxTwips, MaxTwips);
        break;
    case Kw::SpaceBefore:
        para.spaceBefore = std::clamp(param, 0, MaxTwips);
        break;
    case Kw::SpaceAfter:
        para.spaceAfter = std::clamp(param, 0, MaxTwips);
        break;
    case Kw::OutlineLevel:
        para.outlineLevel = std::clamp(param, 0, 8);
        break;
    default:
        break;
    }
}

// A control symbol or a literal tab: one character, also for the fallback count of \u.
void Parser::symbol(const Keyword& keyword)
{
    if (!skipping())
        textWord(keyword, false, 0);
}

void Parser::textByte(uchar byte)
{
    noteContent();
    if (skipping())
        return;
    switch (top().dest) {
    case Dest::Text:
        appendByte(byte);
        break;
    case Dest::FontTable:
        if (byte == ';')
            commitFont();
        else if (m_fontNumber >= 0)
            m_fontBytes.append(char(byte));
        break;
    case Dest::ColorTable:
        if (byte == ';')
            commitColor();
        break;
    case Dest::Skip:
        break;
    }
}

// An escaped byte (\'hh, \\, \{, \}): text even where a plain one would end an entry.
void Parser::literalByte(uchar byte)
{
    if (skipping())
        return;
    switch (top().dest) {
    case Dest::Text:
        appendByte(byte);
        break;
    case Dest::FontTable:
        if (m_fontNumber >= 0)
            m_fontBytes.append(char(byte));
        break;
    default:
        break;
    }
}

const FontEntry* Parser::fontEntry(int font) const
{
    auto found = m_fonts.constFind(font < 0 ? m_defaultFont : font);
    if (found == m_fonts.constEnd())
        found = m_fonts.constFind(m_defaultFont);
    return found == m_fonts.constEnd() ? nullptr : &found.value();
}

int Parser::codePageOf(int font)
{
    if (font != m_cachedFont) {
        const FontEntry* entry = fontEntry(font);
        m_cachedFont = font;
        m_cachedCodePage = entry && entry->codePage > 0 ? entry->codePage : m_codePage;
    }
    return m_cachedCodePage;
}

QStringDecoder& Parser::decoder(int codePage)
{
    auto found = m_decoders.find(codePage);
    if (found == m_decoders.end()) {
        QStringDecoder made = makeDecoder(codePage);
        if (!made.isValid())
            made = makeDecoder(DefaultCodePage);
        if (!made.isValid())
            made = QStringDecoder(QStringConverter::Latin1);
        found = m_decoders.emplace(codePage, std::move(made)).first;
    }
    return found->second;
}

QString Parser::decode(int codePage, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    if (isSymbolCodePage(codePage)) {
        QString text(bytes.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            text[i] = QChar(symbolChar(codePage, uchar(bytes[i])));
        return text;
    }
    // The usual code page by hand: a converter would load the ICU tables.
    if (codePage == 1252)
        return TextRoutines::fromWindows1252(bytes);
    QStringDecoder& d = decoder(codePage);
    QString text = d(bytes);
    d.resetState();
    return text;
}

// Whether a character is dropped: hidden text, or a blank before a list's bullet or number.
bool Parser::dropped(char16_t unit)
{
    if (top().chars.hidden)
        return true;
    if (m_listTextLead && (unit == u' ' || unit == u'\t'))
        return true;
    m_listTextLead = false;
    return false;
}

void Parser::appendByte(uchar byte)
{
    if (dropped(byte))
        return;
    if (m_pendingCellTab)
        appendUnit(u'\t');
    const CharProps& props = top().chars;
    const int codePage = codePageOf(props.font);
    if (!m_bytes.isEmpty() && (codePage != m_bytesCodePage || !(props == m_bytesProps)))
        flushBytes();
    if (m_bytes.isEmpty()) {
        m_bytesCodePage = codePage;
        m_bytesProps = props;
    }
    m_bytes.append(char(byte));
}

void Parser::appendUnit(char16_t unit)
{
    if (dropped(unit))
        return;
    flushBytes();
    if (m_pendingCellTab && unit != u'\t') {
        m_pendingCellTab = false;
        addUnit(u'\t', top().chars);
    }
    m_pendingCellTab = false;
    addUnit(unit, top().chars);
}

void Parser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString text = decode(m_bytesCodePage, m_bytes);
    m_bytes.clear();
    for (QChar c : text)
        addUnit(c.unicode(), m_bytesProps);
}

// Characters that a document cannot hold as text are dropped here, so whatever the reader
// builds, the writer can store again.
void Parser::addUnit(char16_t unit, const CharProps& props)
{
    if ((unit < 0x20 && unit != u'\t') || (unit >= 0x7f && unit < 0xa0) || unit == 0x2029 ||
        unit == 0xfffc || unit == 0xfffe || unit == 0xffff || (unit >= 0xfdd0 && unit <= 0xfdef))
        return;
    if (!m_run.isEmpty() && !(props == m_runProps))
        flushRun();
    if (m_run.isEmpty())
        m_runProps = props;
    if (QChar::isHighSurrogate(unit)) {
        if (m_highPending)
            m_run.back() = QChar(QChar::ReplacementCharacter);
        m_highPending = true;
        m_run.append(QChar(unit));
        return;
    }
    if (QChar::isLowSurrogate(unit)) {
        m_run.append(m_highPending ? QChar(unit) : QChar(QChar::ReplacementCharacter));
        m_highPending = false;
        return;
    }
    if (m_highPending) {
        m_run.back() = QChar(QChar::ReplacementCharacter);
        m_highPending = false;
    }
    m_run.append(QChar(unit));
}

void Parser::flushRun()
{
    if (m_run.isEmpty())
        return;
    if (m_highPending) {
        m_run.back() = QChar(QChar::ReplacementCharacter);
        m_highPending = false;
    }
    ensureBlock();
    m_cursor.insertText(m_run, charFormat(m_runProps));
    m_run.clear();
    m_blockHasText = true;
}

void Parser::ensureBlock()
{
    if (!m_pendingParagraph)
        return;
    m_cursor.insertBlock();
    m_pendingParagraph = false;
    m_blockHasText = false;
}

void Parser::finishBlock()
{
    m_cursor.setBlockFormat(blockFormat(top().para));
    if (!m_blockHasText)
        m_cursor.setBlockCharFormat(charFormat(top().chars));
}

// A paragraph's properties are those in force at its end. The block after it is opened only
// when content follows, so the \par that ends a rich-edit file adds no empty block.
void Parser::endParagraph()
{
    flushBytes();
    flushRun();
    m_pendingCellTab = false;
    ensureBlock();
    finishBlock();
    m_pendingParagraph = true;
}

void Parser::commitFont()
{
    if (m_fontNumber < 0)
        return;
    m_fontName += decode(m_fontCodePage < 0 ? m_codePage : m_fontCodePage, m_fontBytes);
    FontEntry entry;
    entry.name = cleanFontName(m_fontName);
    entry.codePage = m_fontCodePage;
    if (m_fontSymbols) {
        if (entry.name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
            entry.codePage = SymbolCodePage;
        else if (entry.name.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0)
            entry.codePage = WingdingsCodePage;
        else
            entry.codePage = OtherSymbolsCodePage;
    }
    m_fonts.insert(m_fontNumber, entry);
    m_fontName.clear();
    m_fontBytes.clear();
    m_fontNumber = -1;
    m_cachedFont = INT_MIN;
    m_formatValid = false;
}

void Parser::commitColor()
{
    m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
    m_formatValid = false;
}

QColor Parser::color(int index) const
{
    return index >= 0 && index < m_colors.size() ? m_colors[index] : QColor();
}

const QTextCharFormat& Parser::charFormat(const CharProps& props)
{
    if (m_formatValid && props == m_formatProps)
        return m_format;
    QTextCharFormat format;
    if (const FontEntry* entry = fontEntry(props.font); entry && !entry->name.isEmpty())
        format.setFontFamilies(QStringList{entry->name});
    format.setFontPointSize(props.halfPoints / 2.0);
    format.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(props.italic);
    format.setFontUnderline(props.underline);
    format.setFontStrikeOut(props.strike);
    if (const QColor fg = color(props.foreground); fg.isValid())
        format.setForeground(fg);
    if (const QColor bg = color(props.background); bg.isValid())
        format.setBackground(bg);
    if (props.vertical != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(props.vertical);
    m_format = format;
    m_formatProps = props;
    m_formatValid = true;
    return m_format;
}

QTextBlockFormat Parser::blockFormat(const ParaProps& props) const
{
    QTextBlockFormat format;
    format.setAlignment(props.alignment);
    if (props.leftIndent)
        format.setLeftMargin(props.leftIndent / TwipsPerPixel);
    if (props.rightIndent)
        format.setRightMargin(props.rightIndent / TwipsPerPixel);
    if (props.firstIndent)
        format.setTextIndent(props.firstIndent / TwipsPerPixel);
    if (props.spaceBefore)
        format.setTopMargin(props.spaceBefore / TwipsPerPixel);
    if (props.spaceAfter)
        format.setBottomMargin(props.spaceAfter / TwipsPerPixel);
    if (props.outlineLevel >= 0)
        format.setHeadingLevel(props.outlineLevel + 1);
    return format;
}

// The offset just after the opening brace of "{\rtf", or -1.
qsizetype bodyStart(QByteArrayView bytes)
{
    qsizetype i = 0;
    if (bytes.startsWith("\xef\xbb\xbf"))
        i = 3;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf") ? i + 1 : -1;
}

} // namespace

bool RtfReader::isRtf(QByteArrayView bytes)
{
    return bodyStart(bytes) >= 0;
}

bool RtfReader::read(QByteArrayView rtf, QTextDocument* document)
{
    m_error.clear();
    const qsizetype start = bodyStart(rtf);
    if (start < 0 || !document) {
        m_error = QCoreApplication::translate("RtfReader", "The text is not in rich text format.");
        return false;
    }
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    Parser parser(rtf, start, document);
    parser.run();
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
    m_error = parser.report();
    return true;
}
