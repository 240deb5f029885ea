#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// The readable source of the rules data: UTF-8 text, one data line per text line.
// Blank lines and lines starting with "#" are the editor's own and are dropped.
namespace DataSource {

struct Lines
{
    QStringList lines;
    QList<int> sourceLine; // 1-based line in the source for every data line
};

Lines parse(const QByteArray& utf8);

} // namespace DataSource
