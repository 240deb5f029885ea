#include "RecoveryCopy.h"

#include "controls/UserMessages.h"
#include "engine/RuleQuestions.h"
#include "files/CharacterFileText.h"
#include "files/CharacterReader.h"
#include "files/FileCommands.h"
#include "files/SheetHistory.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// More slots than copies anyone runs at once; bounds the search.
constexpr int MaxSlots = 1000;

std::unique_ptr<QLockFile> lockIfFree(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Only a lock whose program has ended is free, however long that program ran.
    lock->setStaleLockTime(0);
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}

} // namespace

RecoveryCopy::RecoveryCopy(FileCommands& files, SheetHistory& history, QTextDocument& notes,
                           UserMessages& messages, const QString& folder)
    : QObject(&files), m_files(files), m_messages(messages), m_folder(folder)
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(SettleDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &RecoveryCopy::writeNow);
    claimSlots();
    auto changed = [this] { m_delay.start(); };
    connect(&history, &SheetHistory::characterChanged, this, changed);
    connect(&notes, &QTextDocument::contentsChanged, this, changed);
    connect(&files, &FileCommands::characterStored, this, &RecoveryCopy::discard);
}

RecoveryCopy::~RecoveryCopy() = default;

QString RecoveryCopy::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString RecoveryCopy::slotPath(int number, const char* suffix) const
{
    return m_folder + u'/' + QString::number(number) + QLatin1String(suffix);
}

void RecoveryCopy::claimSlots()
{
    if (!QDir().mkpath(m_folder))
        return;
    // Copies whose program is gone: their locks can be taken.
    // Names read by hand: a name filter or a pattern would load a pattern matcher at start-up.
    QList<int> taken;
    for (const QString& name : QDir(m_folder).entryList(QDir::Files)) {
        const QStringView digits = QStringView(name).chopped(std::min<qsizetype>(4, name.size()));
        if (!name.endsWith(u".tnc") || digits.isEmpty() ||
            !std::ranges::all_of(digits, [](QChar c) { return c >= u'0' && c <= u'9'; }))
            continue;
        bool fits = false;
        const int number = digits.toInt(&fits);
        if (!fits)
            continue;
        taken.append(number);
        if (auto lock = lockIfFree(slotPath(number, ".lock")))
            m_orphans.push_back({number, std::move(lock)});
    }
    std::sort(m_orphans.begin(), m_orphans.end(),
              [](const Slot& a, const Slot& b) { return a.number < b.number; });
    for (int number = 0; number < MaxSlots; ++number) {
        if (taken.contains(number))
            continue;
        if (auto lock = lockIfFree(slotPath(number, ".lock"))) {
            m_own = {number, std::move(lock)};
            m_path = slotPath(number, ".tnc");
            return;
        }
    }
}

bool RecoveryCopy::writeNow()
{
    m_delay.stop();
    if (m_path.isEmpty())
        return false;
    FileCommands& files = m_files;
    // Where the character belongs goes beside it, so that a restored one saves there; taken
    // first, since the comparison forgets a file that has gone.
    const QString origin = files.CurrentFile();
    if (!files.unsavedChanges()) {
        discard();
        return false;
    }
    return CharacterFileText::writeFile(slotPath(m_own.number, ".origin"), origin.toUtf8())
               .isEmpty() &&
           CharacterFileText::writeFile(m_path, CharacterFileText::encode(files.CharacterLines()))
               .isEmpty();
}

void RecoveryCopy::discard()
{
    m_delay.stop();
    if (m_path.isEmpty())
        return;
    QFile::remove(m_path);
    QFile::remove(slotPath(m_own.number, ".origin"));
}

void RecoveryCopy::removeSlot(Slot& slot)
{
    QFile::remove(slotPath(slot.number, ".tnc"));
    QFile::remove(slotPath(slot.number, ".origin"));
    slot.lock.reset();
}

void RecoveryCopy::setAside(const Slot& slot)
{
    const QString aside =
        m_folder +
        QStringLiteral("/damaged-%1-%2")
            .arg(slot.number)
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    QFile::rename(slotPath(slot.number, ".tnc"), aside + QStringLiteral(".tnc"));
    QFile::rename(slotPath(slot.number, ".origin"), aside + QStringLiteral(".origin"));
    m_messages.showMessage(QStringLiteral("Load error"),
                           tr("The recovery copy \"%1\" cannot be read. It is kept as \"%2\".")
                               .arg(QDir::toNativeSeparators(slotPath(slot.number, ".tnc")),
                                    QDir::toNativeSeparators(aside + QStringLiteral(".tnc"))));
}

void RecoveryCopy::offerOrphans(RuleQuestions& questions, const std::function<bool()>& abandoned)
{
    while (!m_orphans.empty()) {
        Slot slot = std::move(m_orphans.front());
        m_orphans.erase(m_orphans.begin());
        const QString copy = slotPath(slot.number, ".tnc");
        QString error;
        const QByteArray bytes = CharacterFileText::readFile(copy, &error).value_or(QByteArray());
        const CharacterReadResult read =
            CharacterReader::read(CharacterFileText::decode(bytes), copy);
        if (bytes.isEmpty() || !read.completed()) {
            setAside(slot);
            continue;
        }
        const QString name = read.record.Name.value_or(QString()).trimmed();
        const QString when =
            QLocale().toString(QFileInfo(copy).lastModified(), QLocale::ShortFormat);
        const int answer =
            questions.ask(tr("Restore the unsaved character %1 from %2?")
                              .arg(name.isEmpty() ? tr("without a name") : name, when),
                          tr("Restore"), tr("Discard"));
        if (abandoned && abandoned()) {
            m_orphans.clear(); // kept on disk for the next start
            return;
        }
        if (answer == 1) {
            QFile origin(slotPath(slot.number, ".origin"));
            const QString originPath =
                origin.open(QIODevice::ReadOnly) ? QString::fromUtf8(origin.readAll()) : QString();
            if (m_files.restore(copy, originPath))
                writeNow(); // this program's own copy first, then the old one goes
            removeSlot(slot);
            m_orphans.clear(); // the others wait for the next start
            return;
        }
        removeSlot(slot);
    }
}
