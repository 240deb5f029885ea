#include "Program.h"

#include "app/FontRegistry.h"
#include "app/MessageBoxMessages.h"
#include "app/ProgramPaths.h"
#include "app/TMainForm.h"
#include "app/TerminationSignals.h"
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
    QApplication::setApplicationName(QStringLiteral("Tarnoch"));

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &app, &QCoreApplication::quit);

    MessageBoxMessages messages;
    int status = 0;
    {
        TMainForm mainForm(paths, QCoreApplication::arguments().mid(1), messages);
        messages.setParent(&mainForm);
        // The popup list, the print dialog, the two questions and the guide viewer are
        // created here, in this order, once they exist.
        splash.close();
        if (mainForm.startupFailed()) {
            status = 1;
        } else {
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
    QApplication app(argc, argv);
    try {
        return runWindows(app);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromLocal8Bit(error.what()));
        return 0;
    }
}

} // namespace Program
