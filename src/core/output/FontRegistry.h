#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QTextDocument;

// Makes the program's four font files available under the face names the sheet asks for,
// for as long as the program runs.
class FontRegistry
{
public:
    struct Face
    {
        QString fileName; // in the program folder
        QString faceName; // the name the sheet uses
    };

    static const QList<Face>& faces();

    // The face a name stands for, with the style of its registered file, so that no other
    // style of the file's family is taken for it.
    static QFont font(const QString& faceName);
    // Gives every regular piece of text in a face name the style of its registered file.
    static void useRegisteredStyles(QTextDocument& document);

    FontRegistry() = default;
    ~FontRegistry();
    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;

    // Registers every file in folder; a file that does not register is passed over.
    void registerAll(const QString& folder);
    // Removes the fonts that registered again.
    void unregisterAll();

    int registeredCount() const;

private:
    QList<int> m_ids; // one per face, -1 where registration failed
};
