#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QLockFile;
class RuleQuestions;
class FileCommands;
class SheetHistory;
class QTextDocument;
class UserMessages;

// A copy of the character with its notes, kept in the per-user data folder while the sheet
// differs from its file, so that a crash, a signal or a logout loses nothing. Each running
// copy of the program owns one numbered slot there, held by a lock file; a copy whose owner
// is gone is offered back at the next start.
class RecoveryCopy : public QObject
{
    Q_OBJECT
public:
    // The copy is written this long after the sheet last changed, so typing never waits on it.
    static constexpr int SettleDelayMs = 2000;

    // Written when the history takes a step or the notes change; dropped when the files
    // store the character.
    RecoveryCopy(FileCommands& files, SheetHistory& history, QTextDocument& notes,
                 UserMessages& messages, const QString& folder = defaultFolder());
    ~RecoveryCopy() override;

    static QString defaultFolder();

    // This program's own copy; empty when the folder cannot be written.
    const QString& path() const { return m_path; }

    // Writes the copy when the sheet differs from its file, else removes it; true if written.
    bool writeNow();
    // The sheet is saved, replaced or closed as the user wanted: no copy is needed.
    void discard();

    // Start-up: offers each copy that no running program owns, one at a time, until one is
    // restored. A damaged copy is named in a "Load error" and kept aside under another name.
    // abandoned() says the program is being ended, which keeps the copies for the next start.
    void offerOrphans(RuleQuestions& questions, const std::function<bool()>& abandoned = {});
    int orphans() const { return int(m_orphans.size()); }

private:
    struct Slot
    {
        int number = -1;
        std::unique_ptr<QLockFile> lock;
    };
    void claimSlots();
    QString slotPath(int number, const char* suffix) const;
    void removeSlot(Slot& slot);
    void setAside(const Slot& slot);

    FileCommands& m_files;
    UserMessages& m_messages;
    QString m_folder;
    QString m_path;
    Slot m_own;
    std::vector<Slot> m_orphans; // in slot order
    QTimer m_delay;
};
