#include "HeadlessRun.h"

#include "app/FontRegistry.h"
#include "app/PrintCommand.h"
#include "app/ProgramPaths.h"
#include "app/TMainForm.h"
#include "app/UserMessages.h"
#include "engine/Recalculation.h"
#include "files/CharacterWriter.h"
#include "files/CharacterSheetIO.h"
#include "files/FileCommands.h"
#include "engine/SheetBinding.h"
#include "files/CharacterReport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonDocument>
#include <QTimer>

#include <cstdio>

namespace {

class CollectedMessages : public UserMessages
{
public:
    void showMessage(const QString& caption, const QString& text) override
    {
        shown.append({caption, text});
    }
    QList<QPair<QString, QString>> shown;
};

void printError(const QString& text)
{
    std::fprintf(stderr, "tarnoch: %s\n", qPrintable(text));
}

// Lets the idle passes run until the sheet stops changing.
void settle(TMainForm& form)
{
    QStringList before;
    for (int round = 0; round < 100; ++round) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
        form.recalculation().Recalculate();
        QStringList now = CharacterWriter::lines(form.sheetIO().WriteCharacter());
        now << QJsonDocument(CharacterReport::build(SheetBinding::readAll(form), {}, {})).toJson(QJsonDocument::Compact);
        if (now == before)
            return;
        before = std::move(now);
    }
}

int pdf(TMainForm& form, CollectedMessages& messages, const QString& out, const QString& file, bool notes)
{
    messages.shown.clear();
    if (!form.files().loadFile(file)) {
        printError(messages.shown.value(0).second);
        return 2;
    }
    settle(form);
    if (const QString error = form.printing().writePdf(out, true, notes); !error.isEmpty()) {
        printError(error);
        return 1;
    }
    return 0;
}

} // namespace

int HeadlessRun::run(const CommandLine::Invocation& call)
{
    const ProgramPaths paths =
        ProgramPaths::resolve(ProgramPaths::folderOf(QCoreApplication::applicationFilePath()));
    FontRegistry fonts;
    fonts.registerAll(paths.readFolder());
    CollectedMessages messages;
    TMainForm form(paths, {}, messages);
    if (form.startupFailed()) {
        printError(messages.shown.value(0).second);
        return 2;
    }
    return pdf(form, messages, call.out, call.file, call.notes);
}
