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

// The whole file; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file kept in the source tree, named from its top.
inline QByteArray sourceFile(const QString& path)
{
    return readFile(QStringLiteral(TARNOCH_SOURCE_DIR) + path);
}

// A character file of the golden set in the source tree, by its name.
inline QString golden(const QString& name)
{
    return QStringLiteral(TARNOCH_SOURCE_DIR "tests/files/golden/") + name;
}
