#include "ScratchFile.h"

#include <QFile>

ScratchFile::~ScratchFile()
{
    remove();
}

QString ScratchFile::freeName(const QString& folder)
{
    for (int n = 0;; ++n) {
        const QString name = QStringLiteral("Tarn%1.tmp").arg(n);
        if (!QFile::exists(folder + name))
            return name;
    }
}

bool ScratchFile::create(const QString& folder)
{
    remove();
    m_fileName = freeName(folder);
    m_path = folder + m_fileName;
    QFile file(m_path);
    // NewOnly: a second copy starting at the same moment must not take the same number.
    while (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (!QFile::exists(m_path)) {
            m_path.clear();
            return false;
        }
        m_fileName = freeName(folder);
        m_path = folder + m_fileName;
        file.setFileName(m_path);
    }
    return true;
}

void ScratchFile::remove()
{
    if (!m_path.isEmpty()) {
        QFile::remove(m_path);
        m_path.clear();
    }
}
