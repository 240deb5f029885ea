#include "FontRegistry.h"

#include "output/TextFormats.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QRawFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QtEndian>

namespace {

// The family and style of each registered face name; process-wide, as the font database and
// its substitutions are.
struct Registered
{
    QString family;
    QString style;
};
QHash<QString, Registered>& registered()
{
    static QHash<QString, Registered> faces;
    return faces;
}

// The style a font file gives itself in its name table, as the font engine reads it: the
// typographic subfamily, else the subfamily, in the Windows English names. Reading the
// table is much cheaper than loading the face; an empty result says the table is not one
// this reads (a collection, names for other systems only).
QString styleInNameTable(const uchar* data, qint64 size)
{
    const auto u16 = [&](qint64 at) -> quint32 {
        return at >= 0 && at + 2 <= size ? qFromBigEndian<quint16>(data + at) : 0;
    };
    const auto u32 = [&](qint64 at) -> quint32 {
        return at >= 0 && at + 4 <= size ? qFromBigEndian<quint32>(data + at) : 0;
    };
    constexpr quint32 NameTag = 0x6e616d65; // "name"
    const quint32 tables = u16(4);
    for (quint32 i = 0; i < tables; ++i) {
        const qint64 entry = 12 + 16 * qint64(i);
        if (u32(entry) != NameTag)
            continue;
        const qint64 table = u32(entry + 8);
        const qint64 strings = table + u16(table + 4);
        QString subfamily, typographic;
        for (quint32 r = 0, count = u16(table + 2); r < count; ++r) {
            const qint64 record = table + 6 + 12 * qint64(r);
            const quint32 id = u16(record + 6), length = u16(record + 8);
            const qint64 at = strings + u16(record + 10);
            const bool windowsEnglish =
                u16(record) == 3 && u16(record + 2) == 1 && u16(record + 4) == 0x409;
            if (!windowsEnglish || (id != 2 && id != 17) || at + length > size)
                continue;
            QString name;
            for (quint32 k = 0; k + 1 < length; k += 2)
                name.append(QChar(char16_t(u16(at + k))));
            (id == 17 ? typographic : subfamily) = name;
        }
        return typographic.isEmpty() ? subfamily : typographic;
    }
    return {};
}

QString styleOfFile(const QString& file)
{
    QFile font(file);
    if (font.open(QIODevice::ReadOnly)) {
        // Mapped, so that only the pages of the tables are read.
        if (const uchar* data = font.map(0, font.size())) {
            const QString style = styleInNameTable(data, font.size());
            if (!style.isEmpty())
                return style;
        }
    }
    return QRawFont(file, 12).styleName();
}

} // namespace

const QList<FontRegistry::Face>& FontRegistry::faces()
{
    static const QList<Face> list = {
        {QStringLiteral("Tarn2.dat"), QStringLiteral("Lucida Blackletter")},
        {QStringLiteral("Tarn3.dat"), QStringLiteral("Lucida Handwriting")},
        {QStringLiteral("Tarn4.dat"), QStringLiteral("Times New Roman")},
        {QStringLiteral("Tarn5.dat"), QStringLiteral("Belwe Lt BT")},
    };
    return list;
}

QFont FontRegistry::font(const QString& faceName)
{
    const auto found = registered().constFind(faceName);
    if (found == registered().constEnd())
        return QFont(faceName);
    // Named by the file's own family: a face name the system lacks would first be looked for
    // among every installed face, which costs the first paint several milliseconds a face.
    QFont face(found->family);
    face.setStyleName(found->style);
    return face;
}

void FontRegistry::useRegisteredStyles(QTextDocument& document)
{
    if (registered().isEmpty())
        return;
    QTextCursor whole(&document);
    whole.select(QTextCursor::Document);
    TextFormats::reformat(whole, [](QTextCharFormat& format) {
        const auto found = registered().constFind(format.fontFamilies().toStringList().value(0));
        // Bold and italic pieces are left to find their own style.
        if (found == registered().constEnd() || format.fontStyleName() == found->style ||
            format.fontWeight() > QFont::Normal || format.fontItalic())
            return false;
        format.setFontStyleName(found->style);
        return true;
    });
}

FontRegistry::~FontRegistry()
{
    unregisterAll();
}

void FontRegistry::registerAll(const QString& folder)
{
    unregisterAll();
    for (const Face& face : faces()) {
        const QString file = folder + face.fileName;
        const int id = QFontDatabase::addApplicationFont(file);
        m_ids.append(id);
        if (id < 0)
            continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty())
            continue;
        // A family may hold more styles than the file's own (the system may have them all),
        // and which of them a family name alone gets depends on the order the database
        // learnt them in.
        registered().insert(face.faceName, {families.first(), styleOfFile(file)});
        if (families.first() != face.faceName)
            QFont::insertSubstitution(face.faceName, families.first());
    }
}

void FontRegistry::unregisterAll()
{
    for (qsizetype i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] < 0)
            continue;
        QFontDatabase::removeApplicationFont(m_ids[i]);
        QFont::removeSubstitutions(faces()[i].faceName);
        registered().remove(faces()[i].faceName);
    }
    m_ids.clear();
}

int FontRegistry::registeredCount() const
{
    return int(std::count_if(m_ids.begin(), m_ids.end(), [](int id) { return id >= 0; }));
}
