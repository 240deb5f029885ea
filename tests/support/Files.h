#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes the file whole, replacing what it held; false when that failed.
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}
