#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Rules packs: plain UTF-8 files in the sectioned form of the rules source that add book
// blocks of their own to the rules data, and may replace lines of the experience chart. A pack with any fault is left out whole, so
// the data lines stay as sound as the shipped file. Only readFolders touches the disk.
namespace RulesPack {

inline constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

struct PackFile
{
    QString fileName; // as messages name it
    QByteArray bytes;
    QString readError; // not empty when the file could not be read
};

struct Problem
{
    QString fileName;
    int section = 0; // 1 to 18; 0 when the fault lies outside the sections
    int line = 0;    // 1-based line of the pack file; 0 when the file could not be read
    QString reason;

    QString text() const;
};

struct Result
{
    QStringList lines;       // the base lines with every sound pack merged in
    QStringList mergedFiles; // the packs that were merged, in order
    QList<Problem> problems; // the first fault of every pack left out
};

// Every fault of one pack as if it were merged into baseLines alone; empty when it is sound.
// In messages the base lines are "the rules data" and counted from 1.
QList<Problem> check(const QStringList& baseLines, const QString& fileName,
                     const QByteArray& bytes);

// Merges the packs in the order given, each checked against the base and the packs merged
// before it: the lines of its section k go just before the closing "---" of section k.
Result merge(const QStringList& baseLines, const QList<PackFile>& packs);

// Every "*.txt" file of the folders, in file-name order (ties in folder order).
QList<PackFile> readFolders(const QStringList& folders);

// The start-up message for the packs left out; empty when there are none.
QString message(const QList<Problem>& problems);

} // namespace RulesPack
