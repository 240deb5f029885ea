#include "Program.h"

#include "app/FontRegistry.h"
#include "app/HeadlessRun.h"
#include "app/MessageBoxMessages.h"
#include "app/ProgramPaths.h"
#include "app/ShutdownGuard.h"
#include "app/TMainForm.h"
#include "app/TerminationSignals.h"
#include "controls/TSelectionBox.h"
#include "files/FileCommands.h"
#include "files/QtFileDialogs.h"
#include "output/TConfirmDlg.h"
#include "output/TConfirmForm.h"
#include "output/TRTFView.h"
#include "output/TSplash.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

namespace Program {

namespace {

int runWindows(QApplication& app)
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
        QStringList parameters = QCoreApplication::arguments().mid(1);
        // Recognised only on its own, so that no character file name is ever taken for it.
        const bool quitAfterPaint = parameters == QStringList{QStringLiteral("--quit-after-paint")};
        if (quitAfterPaint)
            parameters.clear();
        TMainForm mainForm(paths, parameters, messages);
        mainForm.setQuitAfterFirstPaint(quitAfterPaint);
        messages.setParent(&mainForm);
        TSelectionBox selectionBox(mainForm.selectionContext(), &mainForm);
        mainForm.setSelectionBox(&selectionBox);
        // The print dialog takes its place here, before the questions.
        TConfirmForm confirmForm(&mainForm);
        TConfirmDlg confirmDlg(&mainForm);
        mainForm.setQuestions(&confirmDlg);
        QtFileDialogs fileDialogs(confirmForm, &mainForm);
        if (!mainForm.startupFailed())
            mainForm.files().setDialogs(&fileDialogs);
        TRTFView guideView(mainForm.geometry(), messages, &mainForm);
        QObject::connect(&mainForm, &TMainForm::guideRequested, &guideView,
                         [&] { guideView.openGuide(paths.readPath(QStringLiteral("Tarnoch.rtf"))); });
        splash.close();
        if (mainForm.startupFailed()) {
            status = 1;
        } else if (!shutdown.requested()) {
            mainForm.show();
            status = app.exec();
        }
    }
    fonts.unregisterAll();
    return status;
}

} // namespace

int run(int argc, char* argv[])
{
    const bool headless = HeadlessRun::wanted(argc, argv);
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Before any folder is looked up, so that per-user files go to the program's own folder.
    QApplication::setApplicationName(QStringLiteral("Tarnoch"));
    if (headless)
        return HeadlessRun::run(QCoreApplication::arguments().mid(1));
    try {
        return runWindows(app);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromLocal8Bit(error.what()));
        return 0;
    }
}

} // namespace Program
