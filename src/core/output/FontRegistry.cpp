#include "FontRegistry.h"

#include "output/TextFormats.h"

#include <QFontDatabase>
#include <QHash>
#include <QRawFont>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The style of each registered face name; process-wide, as the font database and its
// substitutions are.
QHash<QString, QString>& registered()
{
    static QHash<QString, QString> styles;
    return styles;
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
    // Named as the sheet names it, which the substitution turns into the file's family.
    QFont face(faceName);
    if (const auto found = registered().constFind(faceName); found != registered().constEnd())
        face.setStyleName(*found);
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
        if (found == registered().constEnd() || format.fontStyleName() == *found ||
            format.fontWeight() > QFont::Normal || format.fontItalic())
            return false;
        format.setFontStyleName(*found);
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
        registered().insert(face.faceName, QRawFont(file, 12).styleName());
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
