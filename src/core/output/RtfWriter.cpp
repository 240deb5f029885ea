#include "output/RtfWriter.h"

#include <QFont>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <utility>

namespace {

constexpr int MaxHalfPoints = 3276;
constexpr int MaxTwips = 31680;
constexpr qreal TwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch
constexpr qreal PointsPerPixel = 0.75;

// Windows-1252 bytes 0x80 to 0x9f; 0 marks the five bytes the code page leaves undefined.
constexpr char16_t Cp1252High[32] = {
    0x20ac, 0,      0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017d, 0,      0,      0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0,      0x017e, 0x0178};

// The Windows-1252 byte of a character above 7-bit ASCII, or -1.
int cp1252Byte(char16_t c)
{
    if (c >= 0xa0 && c <= 0xff)
        return c;
    const auto* found = std::find(std::begin(Cp1252High), std::end(Cp1252High), c);
    return found == std::end(Cp1252High) || c == 0 ? -1 : int(0x80 + (found - Cp1252High));
}

// Characters a document may hold that are no text: objects, stray controls, noncharacters.
bool isDropped(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n') || (c >= 0x7f && c < 0xa0) || c == 0x2029 ||
           c == 0xfffc || c == 0xfffe || c == 0xffff || (c >= 0xfdd0 && c <= 0xfdef);
}

struct RunProps
{
    int font = -1; // -1 and 0 sizes: not written yet, so the first run writes both
    int halfPoints = 0;
    int foreground = 0;
    int background = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
};

struct ParaProps
{
    enum Align { Left, Center, Right, Justify } align = Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int outlineLevel = -1;

    bool operator==(const ParaProps&) const = default;
};

int twips(qreal pixels, int low)
{
    return std::clamp(int(qRound(pixels * TwipsPerPixel)), low, MaxTwips);
}

class Writer
{
public:
    explicit Writer(const QTextDocument& document) : m_document(document) {}

    QByteArray write();

private:
    RunProps runProps(const QTextCharFormat& format);
    ParaProps paraProps(const QTextBlockFormat& format) const;
    void switchTo(const RunProps& props);
    void startParagraph(const ParaProps& props);

    void word(const char* name);
    void word(const char* name, int param);
    void toggle(const char* on, const char* off, bool value);
    void text(QStringView text, bool inFontTable = false);
    void unicode(char16_t unit);
    void delimit();

    const QTextDocument& m_document;
    QByteArray m_out;
    bool m_needsDelimiter = false;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QString m_defaultFamily;
    RunProps m_current;
};

RunProps Writer::runProps(const QTextCharFormat& format)
{
    // The document resolves its formats against its default font, so this is the font shown.
    const QFont font = format.font();
    QString family = font.families().value(0);
    if (family.isEmpty())
        family = font.family();
    if (family.isEmpty())
        family = m_defaultFamily;
    family.remove(QLatin1Char(';'));

    RunProps props;
    auto found = m_fontIndex.constFind(family);
    if (found == m_fontIndex.constEnd()) {
        found = m_fontIndex.insert(family, int(m_fonts.size()));
        m_fonts.append(family);
    }
    props.font = found.value();

    qreal points = font.pointSizeF();
    if (points <= 0)
        points = font.pixelSize() > 0 ? font.pixelSize() * PointsPerPixel : 12;
    props.halfPoints = std::clamp(int(qRound(points * 2)), 1, MaxHalfPoints);

    auto colorIndex = [this](const QBrush& brush) {
        if (brush.style() == Qt::NoBrush)
            return 0;
        const QRgb rgb = brush.color().rgb();
        auto at = m_colorIndex.constFind(rgb);
        if (at == m_colorIndex.constEnd()) {
            m_colors.append(rgb);
            at = m_colorIndex.insert(rgb, int(m_colors.size()));
        }
        return at.value();
    };
    props.foreground = colorIndex(format.foreground());
    props.background = colorIndex(format.background());
    props.bold = font.weight() >= QFont::DemiBold;
    props.italic = font.italic();
    props.underline = font.underline();
    props.strike = font.strikeOut();
    props.vertical = format.verticalAlignment();
    if (props.vertical != QTextCharFormat::AlignSuperScript &&
        props.vertical != QTextCharFormat::AlignSubScript)
        props.vertical = QTextCharFormat::AlignNormal;
    return props;
}

ParaProps Writer::paraProps(const QTextBlockFormat& format) const
{
    ParaProps props;
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignJustify)
        props.align = ParaProps::Justify;
    else if (horizontal & Qt::AlignHCenter)
        props.align = ParaProps::Center;
    else if (horizontal & Qt::AlignRight)
        props.align = ParaProps::Right;
    const qreal indent = format.indent() * m_document.indentWidth();
    props.leftIndent = twips(format.leftMargin() + indent, 0);
    props.rightIndent = twips(format.rightMargin(), 0);
    props.firstIndent = twips(format.textIndent(), -MaxTwips);
    props.spaceBefore = twips(format.topMargin(), 0);
    props.spaceAfter = twips(format.bottomMargin(), 0);
    if (format.headingLevel() >= 1 && format.headingLevel() <= 9)
        props.outlineLevel = format.headingLevel() - 1;
    return props;
}

void Writer::delimit()
{
    if (m_needsDelimiter)
        m_out += ' ';
    m_needsDelimiter = false;
}

void Writer::word(const char* name)
{
    m_out += '\\';
    m_out += name;
    m_needsDelimiter = true;
}

void Writer::word(const char* name, int param)
{
    word(name);
    m_out += QByteArray::number(param);
}

void Writer::toggle(const char* on, const char* off, bool value)
{
    word(value ? on : off);
}

void Writer::unicode(char16_t unit)
{
    word("u", int(qint16(unit)));
    m_out += '?'; // the fallback of \uc1; no delimiter needed before it
    m_needsDelimiter = false;
}

void Writer::text(QStringView text, bool inFontTable)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            m_out += '\\';
            m_out += char(c);
            m_needsDelimiter = false;
        } else if (c == u'\t') {
            if (!inFontTable)
                word("tab");
        } else if (c == QChar::LineSeparator || c == u'\n') {
            if (!inFontTable)
                word("line");
        } else if (c >= 0x20 && c < 0x7f) {
            delimit();
            m_out += char(c);
        } else if (isDropped(c)) {
            continue;
        } else if (const int byte = cp1252Byte(c); byte >= 0) {
            m_out += "\\'";
            m_out += QByteArray::number(byte, 16).rightJustified(2, '0');
            m_needsDelimiter = false;
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            unicode(c);
            unicode(text[++i].unicode());
        } else if (QChar::isSurrogate(c)) {
            unicode(QChar::ReplacementCharacter);
        } else {
            unicode(c);
        }
    }
}

void Writer::switchTo(const RunProps& props)
{
    if (props.font != m_current.font)
        word("f", props.font);
    if (props.halfPoints != m_current.halfPoints)
        word("fs", props.halfPoints);
    if (props.foreground != m_current.foreground)
        word("cf", props.foreground);
    if (props.background != m_current.background)
        word("highlight", props.background);
    if (props.bold != m_current.bold)
        toggle("b", "b0", props.bold);
    if (props.italic != m_current.italic)
        toggle("i", "i0", props.italic);
    if (props.underline != m_current.underline)
        toggle("ul", "ulnone", props.underline);
    if (props.strike != m_current.strike)
        toggle("strike", "strike0", props.strike);
    if (props.vertical != m_current.vertical) {
        word(props.vertical == QTextCharFormat::AlignSuperScript ? "super"
             : props.vertical == QTextCharFormat::AlignSubScript ? "sub"
                                                                 : "nosupersub");
    }
    m_current = props;
}

void Writer::startParagraph(const ParaProps& props)
{
    word("pard");
    static const char* const aligns[] = {nullptr, "qc", "qr", "qj"};
    if (props.align != ParaProps::Left)
        word(aligns[props.align]);
    if (props.leftIndent)
        word("li", props.leftIndent);
    if (props.rightIndent)
        word("ri", props.rightIndent);
    if (props.firstIndent)
        word("fi", props.firstIndent);
    if (props.spaceBefore)
        word("sb", props.spaceBefore);
    if (props.spaceAfter)
        word("sa", props.spaceAfter);
    if (props.outlineLevel >= 0)
        word("outlinelevel", props.outlineLevel);
}

QByteArray Writer::write()
{
    m_defaultFamily = m_document.defaultFont().family();

    // The body first, so that the tables list exactly the fonts and colours it uses.
    QByteArray header = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033";
    m_out = "\\viewkind4\\uc1";
    m_needsDelimiter = true;
    ParaProps paragraph;
    bool first = true;
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        const ParaProps props = paraProps(block.blockFormat());
        if (first || !(props == paragraph))
            startParagraph(props);
        paragraph = props;
        first = false;
        bool written = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            switchTo(runProps(fragment.charFormat()));
            text(fragment.text());
            written = true;
        }
        if (!written)
            switchTo(runProps(block.charFormat()));
        word("par");
        m_out += "\r\n";
        m_needsDelimiter = false;
    }
    m_out += "}\r\n";
    QByteArray body = std::exchange(m_out, {});

    if (m_fonts.isEmpty())
        m_fonts.append(m_defaultFamily);
    m_out += "{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0";
        m_needsDelimiter = true;
        text(m_fonts[i], true);
        m_out += ";}";
    }
    m_out += "}\r\n";
    if (!m_colors.isEmpty()) {
        m_out += "{\\colortbl ;";
        for (QRgb rgb : std::as_const(m_colors)) {
            m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                     QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
                     ';';
        }
        m_out += "}\r\n";
    }
    return header + m_out + body;
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document)
{
    return Writer(document).write();
}
