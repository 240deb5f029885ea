#pragma once

#include <QString>
#include <QStringList>

// Reads the rules data file and checks it before any table is built from it, so a damaged
// file is reported by name and place instead of leaving the tables unusable.
class RulesDataLoader
{
public:
    struct Result
    {
        QStringList lines; // the data lines, empty when the file cannot be used
        QString problem;   // a message for the user; empty when the file is sound
    };

    static Result load(const QString& path);
};
