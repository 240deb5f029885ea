#pragma once

#include "files/CharacterReadResult.h"
#include "files/CharacterRecord.h"

#include <QByteArray>

struct Character;
#include <optional>

class CharacterView;

// Moves a character between the sheet and a CharacterRecord: the writer reads the sheet and
// changes nothing on it; the reader applies a read result in the order of the file, with the
// handlers that would ask questions or start the generation logic held back meanwhile.
class CharacterSheetIO
{
public:
    // The notes go to the scratch file at scratchPath as well, for the notes viewer.
    CharacterSheetIO(CharacterView& view, const QString& scratchPath);

    // withNotes false leaves the notes out (the undo steps of the sheet: the notes keep theirs).
    CharacterRecord WriteCharacter(bool withNotes = true);
    // Applies what was read; shows the messages unless quiet (the undo steps read quietly).
    void ReadCharacter(const CharacterReadResult& result, bool quiet = false);
    // Puts a whole character back on the sheet as a quiet read would (an undo step); the
    // notes stay as they are.
    void showCharacter(const Character& character);

    // The notes as the file read or saved last carries them. The writer takes the notes from
    // the editor only while they are edited, so unedited notes are written back byte for byte.
    const QByteArray& notes() const { return m_notes; }
    // A save made what the editor holds the notes of the file.
    void notesSaved();

private:
    QStringList notesLines();
    void applyNotes(const QStringList& lines);
    // Around a read: the handlers that would ask or start the generation logic held back,
    // then the sheet recounted and the clan's rows applied.
    void beginRead();
    void endRead(bool completed);

    CharacterView& m_view;
    QString m_scratchPath;
    QByteArray m_notes;
    QByteArray m_edited; // the editor's notes as the writer took them last
    // What the scratch file holds: rewriting a file makes the file system flush it to disk,
    // which the window need not wait for when nothing changed.
    std::optional<QByteArray> m_inScratch;
};
