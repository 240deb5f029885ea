#include "FontRegistry.h"

#include <QFont>
#include <QFontDatabase>

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

FontRegistry::~FontRegistry()
{
    unregisterAll();
}

void FontRegistry::registerAll(const QString& folder)
{
    unregisterAll();
    for (const Face& face : faces()) {
        const int id = QFontDatabase::addApplicationFont(folder + face.fileName);
        m_ids.append(id);
        if (id < 0)
            continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty() && families.first() != face.faceName)
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
    }
    m_ids.clear();
}

int FontRegistry::registeredCount() const
{
    return int(std::count_if(m_ids.begin(), m_ids.end(), [](int id) { return id >= 0; }));
}
