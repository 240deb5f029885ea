#include "Program.h"

#include "controls/TSelectionBox.h"
#include "files/FileCommands.h"
#include "files/QtFileDialogs.h"
#include "files/RecoveryCopy.h"
#include "output/FontRegistry.h"
#include "output/TConfirmDlg.h"
#include "output/TConfirmForm.h"
#include "output/TRTFView.h"
#include "output/TSplash.h"
#include "program/CharacterCommands.h"
#include "program/CommandLine.h"
#include "program/ProgramPaths.h"
#include "program/TerminationSignals.h"
#include "window/MessageBoxMessages.h"
#include "window/ShutdownGuard.h"
#include "window/TMainForm.h"

#include <QApplication>
#include <QMessageBox>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <thread>

#include <fontconfig/fontconfig.h>

namespace Program {

namespace {

QtMessageHandler qtOutput = nullptr;
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldBack;

// Until the window's platform is up, Qt's complaints are held back: without a display the
// user gets one plain sentence instead of a plugin report and an abort.
void startingUp(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        heldBack.append({type, QByteArray(context.category), message});
        return;
    }
    std::fputs("tarnoch: no display to open the window on. Start it on a desktop, or use "
               "--report, --pdf or --export, which need no window (see tarnoch --help).\n",
               stderr);
    std::_Exit(1);
}

// Unsaved work outlives a signal or the end of the desktop session as a recovery copy.
void keepWorkSafe(QApplication& app, TMainForm& mainForm, RecoveryCopy& recovery,
                  TerminationSignals& termination)
{
    QObject::connect(&termination, &TerminationSignals::received, &recovery,
                     [&recovery] { recovery.writeNow(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &recovery,
                     [&](QSessionManager& manager) {
                         if (!manager.allowsInteraction()) {
                             recovery.writeNow();
                             return;
                         }
                         const auto answer = mainForm.files().AskToSave();
                         manager.release();
                         if (answer == FileCommands::Answer::Cancel)
                             manager.cancel();
                         else if (answer == FileCommands::Answer::No)
                             recovery.discard();
                     });
}

// The rules' questions, asked in a dialog that is made for the first of them.
class LaterQuestions : public RuleQuestions
{
public:
    explicit LaterQuestions(QWidget& parent) : m_parent(parent) {}

    int ask(const QString& message, const QString& first, const QString& second) override
    {
        if (!m_dialog)
            m_dialog = std::make_unique<TConfirmDlg>(&m_parent);
        return m_dialog->ask(message, first, second);
    }

private:
    QWidget& m_parent;
    std::unique_ptr<TConfirmDlg> m_dialog;
};

int runWindows(QApplication& app, const CommandLine::Invocation& call)
{
    TSplash splash;
    splash.show();
    splash.repaint();

    const ProgramPaths paths =
        ProgramPaths::resolve(ProgramPaths::folderOf(QCoreApplication::applicationFilePath()));
    FontRegistry fonts;
    fonts.registerAll(paths.readFolder());

    TerminationSignals termination;
    ShutdownGuard shutdown;
    QObject::connect(&termination, &TerminationSignals::received, &shutdown,
                     &ShutdownGuard::requestShutdown);

    MessageBoxMessages messages;
    int status = 0;
    {
        const QStringList parameters = call.file.isEmpty() ? QStringList() : QStringList{call.file};
        TMainForm mainForm(paths, parameters, messages);
        if (call.quitAfterPaint)
            // Queued: the paint is on its way to the screen first. Not quit(), which would close
            // the window and ask about unsaved changes.
            QObject::connect(
                &mainForm, &TMainForm::firstPainted, &app,
                [] {
                    std::fputs("painted\n", stdout);
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        messages.setParent(&mainForm);
        TSelectionBox selectionBox(mainForm.selectionContext(), &mainForm);
        mainForm.setSelectionBox(&selectionBox);
        // The print dialog takes its place here, before the questions.
        // The dialogs are made when first needed: their pictures cost start-up time.
        std::unique_ptr<TConfirmForm> confirmForm;
        LaterQuestions questions(mainForm);
        mainForm.setQuestions(&questions);
        QtFileDialogs fileDialogs(
            [&]() -> TConfirmForm& {
                if (!confirmForm)
                    confirmForm = std::make_unique<TConfirmForm>(&mainForm);
                return *confirmForm;
            },
            &mainForm);
        if (!mainForm.startupFailed())
            mainForm.files().setDialogs(&fileDialogs);
        TRTFView guideView(mainForm.geometry(), messages, &mainForm);
        QObject::connect(&mainForm, &TMainForm::guideRequested, &guideView, [&] {
            guideView.openGuide(paths.readPath(QStringLiteral("Tarnoch.rtf")));
        });
        splash.close();
        if (mainForm.startupFailed()) {
            status = 1;
        } else if (!shutdown.requested()) {
            RecoveryCopy& recovery = *mainForm.createRecoveryCopy(RecoveryCopy::defaultFolder());
            keepWorkSafe(app, mainForm, recovery, termination);
            mainForm.show();
            QTimer::singleShot(0, &mainForm, [&] {
                recovery.offerOrphans(mainForm.questions(), [&] { return shutdown.requested(); });
            });
            status = app.exec();
        }
    }
    fonts.unregisterAll();
    return status;
}

} // namespace

int run(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Invocation call = CommandLine::parse(arguments);
    if (const std::optional<int> status =
            CharacterCommands::runWithoutWindow(argc, argv, call, "tarnoch"))
        return *status;
    // The font configuration is read while the application and its display are set up: every
    // text of the window waits for it, and the two need nothing of each other.
    std::thread fontConfiguration([] { FcInit(); });
    qtOutput = qInstallMessageHandler(startingUp);
    QApplication app(argc, argv);
    fontConfiguration.join();
    qInstallMessageHandler(qtOutput);
    for (const HeldMessage& held : std::as_const(heldBack))
        qtOutput(held.type, QMessageLogContext(nullptr, 0, nullptr, held.category.constData()),
                 held.text);
    heldBack.clear();
    // Before any folder is looked up, so that per-user files go to the program's own folder.
    QApplication::setApplicationName(QStringLiteral("Tarnoch"));
    try {
        return runWindows(app, call);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"),
                              QString::fromLocal8Bit(error.what()));
        return 0;
    }
}

} // namespace Program
