#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/MainWindow.h"
#include "files/CharacterSheetIO.h"
#include "files/CharacterWriter.h"
#include "files/RecoveryCopy.h"
#include "output/FontRegistry.h"
#include "program/ProgramPaths.h"
#include "program/ScratchFile.h"
#include "program/StartupChecks.h"
#include "rules/DataFile.h"
#include "window/TMainForm.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QProcess>
#include <QRawFont>
#include <QTemporaryDir>
#include <csignal>
#include <sys/syscall.h>

namespace {

// A program folder of its own with the built program and its files.
bool makeProgramFolder(const QTemporaryDir& dir)
{
    const QString built = QStringLiteral(TARNOCH_PROGRAM_DIR);
    for (const char* name :
         {"tarnoch", "Tarn1.dat", "Tarn2.dat", "Tarn3.dat", "Tarn4.dat", "Tarn5.dat"})
        if (!QFile::copy(built + name, dir.filePath(name)))
            return false;
    return QFile::setPermissions(dir.filePath("tarnoch"), QFile::permissions(built + "tarnoch"));
}

// Starts the program of the folder headless, its per-user data in the folder too, and waits
// for the file that shows it is up.
bool startProgram(QProcess& program, const QTemporaryDir& dir, const QString& upFile,
                  const QStringList& arguments = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    program.setProcessEnvironment(env);
    program.start(dir.filePath("tarnoch"), arguments);
    return QTest::qWaitFor([&] { return QFile::exists(dir.filePath(upFile)); }, 10000);
}

// The character as the sheet holds it, settled.
QStringList settledCharacter(TMainForm& form)
{
    idle();
    return CharacterWriter::lines(form.sheetIO().WriteCharacter(false));
}

// Whether the program waits in its event loop for input: its window is up, or its message
// box waits for an answer. The main thread then sleeps in poll().
bool waitsForInput(const QProcess& program)
{
    bool number = false;
    const int call = readFile(QStringLiteral("/proc/%1/syscall").arg(program.processId()))
                         .split(' ')
                         .value(0)
                         .toInt(&number); // "running" while it runs
    return number && (call == SYS_poll || call == SYS_ppoll);
}

// Sends the signal; the program must end as if it had been closed.
bool endsWith(QProcess& program, int signalNumber, int exitCode)
{
    ::kill(pid_t(program.processId()), signalNumber);
    return program.waitForFinished(10000) && program.exitStatus() == QProcess::NormalExit &&
           program.exitCode() == exitCode;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void scratchNumbering()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + '/';
        ScratchFile first, second;
        QVERIFY(first.create(folder) && second.create(folder));
        QCOMPARE(second.fileName(), QStringLiteral("Tarn1.tmp"));
        QCOMPARE(QFileInfo(first.path()).size(), 0);
        first.remove();
        first.remove(); // twice is harmless
        {
            // A leftover of a crashed run is skipped, never reused.
            QVERIFY(writeFile(folder + "Tarn0.tmp", {}));
            ScratchFile third;
            QVERIFY(third.create(folder));
            QCOMPARE(third.fileName(), QStringLiteral("Tarn2.tmp"));
        }
        QVERIFY(!QFile::exists(folder + "Tarn2.tmp")); // each goes with its owner
    }

    void parameters_data()
    {
        columns<QStringList, QString>({"parameters", "file"});
        dataRow("none", QStringList{}, QString());
        dataRow("one", QStringList{"/home/a/Ann.tnc"}, "/home/a/Ann.tnc");
        dataRow("unquoted blanks", QStringList{"/home/a/My", "Vampire.tnc"},
                "/home/a/My Vampire.tnc");
        dataRow("empty first", QStringList{"", "x"}, QString());
    }
    void parameters()
    {
        QTEST(StartupChecks::characterFileArgument(column<QStringList>("parameters")), "file");
    }

    void screenChecks()
    {
        QVERIFY(!StartupChecks::screenTooSmall({800, 600}));
        QVERIFY(StartupChecks::screenTooSmall({800, 599}));
        QVERIFY(StartupChecks::screenTooSmall({799, 600}));
        QVERIFY(StartupChecks::fewColours(8));
        QVERIFY(!StartupChecks::fewColours(16));
        QCOMPARE(StartupChecks::windowPosition(QRect(0, 0, 1024, 768)), QPoint(112, 98));
        // A panel at the top moves the window down by its height.
        QCOMPARE(StartupChecks::windowPosition(QRect(0, 30, 1024, 738)), QPoint(112, 113));
    }

    void programPaths()
    {
        QCOMPARE(ProgramPaths::folderOf("/opt/tarnoch/bin/tarnoch"),
                 QStringLiteral("/opt/tarnoch/bin/"));
        QCOMPARE(ProgramPaths::folderOf("tarnoch"), QStringLiteral("./"));

        QTemporaryDir root;
        for (const char* folder : {"bin", "share/tarnoch", "own"})
            QDir(root.path()).mkpath(folder);
        QVERIFY(writeFile(root.filePath("share/tarnoch/Tarn1.dat"), {}));
        QVERIFY(writeFile(root.filePath("own/Tarn1.dat"), {}));
        const QString bin = root.filePath("bin") + '/';
        const QString own = root.filePath("own") + '/';
        const QString fallback = root.filePath("user-data");

        // Installed: the shared files are read, and the user's own folder is written even
        // where the program's folder could be (as root).
        ProgramPaths installed = ProgramPaths::resolve(bin, fallback);
        QCOMPARE(installed.readFolder(), root.filePath("share/tarnoch") + '/');
        QCOMPARE(installed.writeFolder(), fallback + '/');
        QVERIFY(QFileInfo(fallback).isDir());

        ProgramPaths ownFolder = ProgramPaths::resolve(own, fallback);
        QCOMPARE(ownFolder.readFolder(), own);
        QCOMPARE(ownFolder.writeFolder(), own);

        QFile::setPermissions(own, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(own).isWritable())
            QSKIP("running as a user who may write anywhere");
        ProgramPaths readOnly = ProgramPaths::resolve(own, fallback);
        QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readOnly.readFolder(), own);
        QCOMPARE(readOnly.writeFolder(), fallback + '/');
    }

    // Each face name gets its own file's face, though the font database was in use before the
    // files were registered (as the splash uses it) and holds other styles of their families.
    void fontsResolveToTheProgramFiles_data()
    {
        columns<int, QString>({"face", "family"});
        dataRow("heading", 0, "Rusch");
        dataRow("handwriting", 1, "Kaushan Script");
        dataRow("body", 2, "Liberation Serif");
        dataRow("labels", 3, "Goudy Bookletter 1911");
    }
    void fontsResolveToTheProgramFiles()
    {
        const FontRegistry::Face face = FontRegistry::faces().at(column<int>("face"));
        QVERIFY(!QFontDatabase::families().isEmpty());
        FontRegistry fonts;
        fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
        QCOMPARE(fonts.registeredCount(), 4);
        const QFont font = FontRegistry::font(face.faceName);
        QTEST(QFontInfo(font).family(), "family");
        const QString file = QStringLiteral(TARNOCH_PROGRAM_DIR) + face.fileName;
        // The style registered for the face is the one the font engine reads from the file.
        QCOMPARE(font.styleName(), QRawFont(file, 12).styleName());
        QCOMPARE(QRawFont::fromFont(font).styleName(), QRawFont(file, 12).styleName());
        fonts.unregisterAll();
        QVERIFY(QFont::substitutes(face.faceName).isEmpty());

        QTemporaryDir empty;
        fonts.registerAll(empty.path() + '/');
        QCOMPARE(fonts.registeredCount(), 0);
    }

    void damagedDataFileIsReported_data()
    {
        columns<QByteArray, QString>({"content", "expected"});
        dataRow("missing", QByteArray(), "cannot be read");
        dataRow("empty", QByteArray(""), "is empty");
        dataRow("garbage", DataFile::scramble("not rules\r---\r\r"), "damaged");
    }
    void damagedDataFileIsReported()
    {
        const auto [content, expected] = fetch<QByteArray, QString>({"content", "expected"});
        QTemporaryDir dir;
        const QString folder = dir.path() + '/';
        QVERIFY(content.isNull() || writeFile(folder + "Tarn1.dat", content));
        RecordedMessages messages;
        TMainForm form(ProgramPaths(folder, folder), {}, messages);
        QVERIFY(form.startupFailed());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].first, QStringLiteral("Error"));
        QVERIFY(messages.shown[0].second.contains(folder + "Tarn1.dat"));
        QVERIFY2(messages.shown[0].second.contains(expected), qPrintable(messages.shown[0].second));
    }

    void windowOpensAndClosesItsScratchFile()
    {
        RecordedMessages messages;
        QTemporaryDir dir;
        TMainForm form(ProgramPaths(TARNOCH_PROGRAM_DIR, dir.path() + '/'), {}, messages);
        QVERIFY(!form.startupFailed() && messages.shown.isEmpty());
        QVERIFY(QFile::exists(dir.filePath("Tarn0.tmp")));
        form.close();
        QVERIFY(!QFile::exists(dir.filePath("Tarn0.tmp")));
    }

    // The real program in a folder of its own ends on a signal as if it had been closed: two
    // copies side by side, or one whose message box waits for an answer.
    void signalsEndTheProgram_data()
    {
        columns<int, bool, int>({"signalNumber", "messageBox", "exitCode"});
        dataRow("two copies", int(SIGTERM), false, 0);
        dataRow("SIGTERM in a message box", int(SIGTERM), true, 1);
        dataRow("SIGINT in a message box", int(SIGINT), true, 1);
        dataRow("SIGHUP in a message box", int(SIGHUP), true, 1);
    }
    void signalsEndTheProgram()
    {
        const auto [signalNumber, messageBox, exitCode] =
            fetch<int, bool, int>({"signalNumber", "messageBox", "exitCode"});
        QTemporaryDir dir;
        QVERIFY(makeProgramFolder(dir));
        if (messageBox) // a damaged data file is reported
            QVERIFY(writeFile(dir.filePath("Tarn1.dat"), QByteArray(100, 'x')));
        QProcess programs[2];
        const int copies = messageBox ? 1 : 2;
        for (int i = 0; i < copies; ++i)
            QVERIFY(startProgram(programs[i], dir, i ? "Tarn1.tmp" : "Tarn0.tmp"));
        for (int i = copies - 1; i >= 0; --i) {
            QVERIFY(QTest::qWaitFor([&] { return waitsForInput(programs[i]); }, 10000));
            QVERIFY(endsWith(programs[i], signalNumber, exitCode));
        }
        QVERIFY(!QFile::exists(dir.filePath("Tarn0.tmp")));
        QVERIFY(!QFile::exists(dir.filePath("Tarn1.tmp")));
    }

    // A program killed outright, or ended by a signal, leaves its unsaved character behind;
    // the next start offers it back whole, to be saved where it belonged.
    void unsavedCharacterOutlivesTheProgram_data()
    {
        columns<int, bool>({"signalNumber", "copyBeforeSignal"});
        dataRow("kill -9 after the copy was written", int(SIGKILL), true);
        dataRow("SIGTERM writes it", int(SIGTERM), false);
    }
    void unsavedCharacterOutlivesTheProgram()
    {
        const auto [signalNumber, copyBeforeSignal] =
            fetch<int, bool>({"signalNumber", "copyBeforeSignal"});
        QTemporaryDir dir;
        QVERIFY(makeProgramFolder(dir));
        const QString original = golden("full.tnc");
        const QString character = dir.filePath("ada.tnc");
        QVERIFY(QFile::copy(original, character));
        QProcess program;
        const QString recovery = dir.filePath("data/Tarnoch/recovery");
        QVERIFY(startProgram(program, dir, "data/Tarnoch/recovery/0.lock", {character}));
        QVERIFY(QFile::remove(character)); // the sheet no longer matches a file
        if (copyBeforeSignal)
            QVERIFY(QTest::qWaitFor([&] { return QFile::exists(recovery + "/0.tnc"); }, 10000));
        ::kill(pid_t(program.processId()), signalNumber);
        QVERIFY(program.waitForFinished(10000));
        QVERIFY(QFile::exists(recovery + "/0.tnc"));

        RecordedMessages messages;
        ScriptedAnswers answers;
        answers.answers = {1};
        const ProgramPaths paths(TARNOCH_PROGRAM_DIR, dir.path() + '/');
        TMainForm next(paths, {}, messages);
        auto* offer = next.createRecoveryCopy(recovery);
        offer->offerOrphans(answers);
        QVERIFY(
            answers.asked.value(0).startsWith(QStringLiteral("Restore the unsaved character ")));
        TMainForm lost(paths, {original}, messages);
        QCOMPARE(settledCharacter(next), settledCharacter(lost));
        QCOMPARE(next.files().CurrentFile(), character);
        QVERIFY(next.files().unsavedChanges());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
