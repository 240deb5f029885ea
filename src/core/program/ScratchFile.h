#pragma once

#include <QString>

// The per-run scratch file "Tarn<n>.tmp" that carries the notes between the notes editor
// and the character file. Its number is the lowest free one, so copies running side by
// side never share a file; it is created empty at once to claim the number.
class ScratchFile
{
public:
    ScratchFile() = default;
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Picks the lowest free number in folder and creates the empty file.
    // Returns false if the file could not be created.
    bool create(const QString& folder);

    // Deletes the file; safe to call more than once.
    void remove();

    const QString& fileName() const { return m_fileName; }
    const QString& path() const { return m_path; }

    // The bare name of the lowest free scratch file in folder.
    static QString freeName(const QString& folder);

private:
    QString m_fileName;
    QString m_path;
};
