// Mouse events go through the window, so they reach whichever part lies on top under the
// pointer, and a release goes to the part that took the press.
#define QTEST_QPA_MOUSE_HANDLING

#include "../support/DataRows.h"
#include "../support/Files.h"
#include "../support/Pixels.h"
#include "../support/ProgramFonts.h"
#include "../support/RecordedMessages.h"
#include "../support/WhileOpen.h"
#include "output/TConfirmDlg.h"
#include "output/TConfirmForm.h"
#include "output/TPrintForm.h"
#include "output/TRTFView.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTextEdit>

namespace {

QLabel* part(const QWidget* dialog, const QString& name)
{
    auto* label = dialog->findChild<QLabel*>(name);
    if (!label)
        qFatal("no part %s", qPrintable(name));
    return label;
}

// Whether text in the caption colour was drawn in area: a few of its pixels near full strength.
bool hasCaptionInk(const QImage& image, const QRect& area)
{
    return countPixels(image, area, [](const QColor& c) {
               return qAbs(c.red() - 96) + qAbs(c.green() - 160) + qAbs(c.blue() - 128) < 60;
           }) >= 5;
}

const QString Question = QStringLiteral("Vulnerability to Sunlight and Sun Resistance is mutually "
                                        "exclusive.\nRemove Sun Resistance (3)?");
const QByteArray GuideA = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0 "
                          "Welcome to {\\b Tarnoch}.\\par Right-click a field.}";
const QString GuideText = QStringLiteral("Welcome to Tarnoch.\nRight-click a field.");

// Opens the dialog and presses the named parts (or the Escape key) while it is open.
// Returns the dialog's result.
int openAndPress(TPrintForm& form, const QStringList& presses, bool& leftOpen)
{
    whileOpen(&form, leftOpen, [&form, presses] {
        for (const QString& press : presses) {
            auto* part = form.findChild<QLabel*>(press);
            if (press == QLatin1String("Escape"))
                QTest::keyClick(&form, Qt::Key_Escape);
            else if (part && part->isVisible())
                QTest::mouseClick(part, Qt::LeftButton);
        }
    });
    return form.ShowModal();
}

bool waiting(const TPrintForm& form)
{
    return form.findChild<QLabel*>(QStringLiteral("Wait1"))->isVisible() &&
           !form.findChild<QLabel*>(QStringLiteral("PrintButton"))->isVisible() &&
           QGuiApplication::overrideCursor() &&
           QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    // Image and label of a button answer alike. The two-button question answers on the press;
    // the Yes/No/Cancel form answers Yes 0, No 1, Cancel 2.
    void answers_data()
    {
        // The part pressed; none: Escape.
        columns<bool, QString, int>({"twoButtons", "target", "expected"});
        const std::tuple<bool, QString, int> buttons[] = {{true, "Button1", 1},
                                                          {true, "Button2", 2},
                                                          {false, "YesButton", 0},
                                                          {false, "NoButton", 1},
                                                          {false, "CancelButton", 2}};
        for (const auto& [twoButtons, button, answer] : buttons)
            for (const QString& name : {button, button + "Label"})
                dataRow(qPrintable(name), twoButtons, name, answer);
        dataRow("right press on first", true, "Button1:right", 1);
        dataRow("Escape on the question", true, "", 2);
        dataRow("Escape on the form", false, "", 2);
    }
    void answers()
    {
        const auto [twoButtons, target] = fetch<bool, QString>({"twoButtons", "target"});
        TConfirmDlg question;
        TConfirmForm form;
        QDialog* dialog = twoButtons ? static_cast<QDialog*>(&question) : &form;
        bool leftOpen = true;
        whileOpen(dialog, leftOpen, [&] {
            const QStringList name = target.split(u':');
            if (target.isEmpty())
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (twoButtons)
                QTest::mousePress(part(dialog, name[0]),
                                  name.size() > 1 ? Qt::RightButton : Qt::LeftButton);
            else
                QTest::mouseClick(part(dialog, target), Qt::LeftButton);
        });
        const int result =
            twoButtons ? question.AskChoice(Question, "Remove", "Cancel") : int(form.ask());
        QVERIFY2(!leftOpen, "the question stayed open");
        QTEST(result, "expected");
    }

    void equalCaptionsShowOneCentredButton()
    {
        TConfirmDlg dialog;
        const QString nothing = QStringLiteral("Nothing to choose.");
        dialog.setQuestion(nothing, "OK", "OK");
        for (const char* name : {"Button1", "Button1Label", "Button2", "Button2Label"})
            QCOMPARE(part(&dialog, name)->x(), 55);
        // The one button answers as the first; Escape still answers 2.
        bool leftOpen = true;
        whileOpen(&dialog, leftOpen, [&] {
            QTest::mousePress(&dialog, Qt::LeftButton, {}, {100, 106});
        });
        QCOMPARE(dialog.AskChoice(nothing, "OK", "OK"), 1);
        whileOpen(&dialog, leftOpen, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        QCOMPARE(dialog.AskChoice(nothing, "OK", "OK"), 2);
        // The reused dialog splits the buttons again for different captions.
        whileOpen(&dialog, leftOpen, [&] {
            QTest::mousePress(&dialog, Qt::LeftButton, {}, {150, 106});
        });
        QCOMPARE(dialog.AskChoice("Detach Willpower from Virtues?", "Yes", "No"), 2);
        QCOMPARE(part(&dialog, "Button1Label")->x(), 8);
        QCOMPARE(part(&dialog, "Button2")->x(), 104);
        QVERIFY(!leftOpen);
    }

    void confirmFormClickNeedsLeftReleaseOverButton()
    {
        TConfirmForm form;
        bool openAfterSlide = false, openAfterRightClick = false, leftOpen = true;
        whileOpen(&form, leftOpen, [&] {
            QTest::mousePress(part(&form, "YesButton"), Qt::LeftButton);
            QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(20, 20));
            openAfterSlide = form.isVisible();
            QTest::mouseClick(part(&form, "YesButtonLabel"), Qt::RightButton);
            openAfterRightClick = form.isVisible();
            QTest::mouseClick(part(&form, "NoButton"), Qt::LeftButton);
        });
        QCOMPARE(form.ask(), TConfirmForm::Result::No);
        QVERIFY(openAfterSlide);
        QVERIFY(openAfterRightClick);
        // A reused form starts without an answer again.
        whileOpen(&form, leftOpen, [&] { QTest::keyClick(&form, Qt::Key_Escape); });
        QCOMPARE(form.ask(), TConfirmForm::Result::Cancel);
    }

    // The guide opens read-only and not modal; Escape closes it, which only hides it, and it
    // is read once. An unusable guide is reported, and the next opening tries again.
    void guide_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        dataRow("usable", GuideA);
        dataRow("missing", QByteArray());
        dataRow("empty", QByteArray(""));
        dataRow("not rich text", QByteArray("Tarnoch user guide\r\n"));
    }
    void guide()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tarnoch.rtf"));
        QVERIFY(content.isNull() || writeFile(path, content));
        RecordedMessages messages;
        QWidget mainWindow;
        mainWindow.setGeometry(112, 47, 800, 572);
        auto* viewer = new TRTFView(mainWindow.geometry(), messages, &mainWindow);
        QCOMPARE(viewer->geometry(), QRect(137, 72, 750, 522));
        QCOMPARE(viewer->minimumSize(), viewer->maximumSize());
        auto* richEdit = viewer->findChild<QTextEdit*>(QStringLiteral("RichEdit"));
        QVERIFY(richEdit);
        const int reported = content == GuideA ? 0 : 1;
        if (reported) {
            QVERIFY(!viewer->openGuide(path));
            QVERIFY(!viewer->isVisible() && !viewer->holdsText());
            QCOMPARE(messages.shown.value(0).first, QStringLiteral("Error"));
            const QString shown = messages.shown.value(0).second;
            QVERIFY2(shown.contains(path), qPrintable(shown));
            QVERIFY(writeFile(path, GuideA));
        }

        QVERIFY(viewer->openGuide(path));
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QVERIFY(viewer->isWindow() && !viewer->isModal());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Tarnoch User Guide"));
        QCOMPARE(richEdit->toPlainText(), GuideText);
        richEdit->setFocus();
        QTest::keyClicks(richEdit, QStringLiteral("Torpor"));
        QTest::keyClick(richEdit, Qt::Key_Backspace);
        QCOMPARE(richEdit->toPlainText(), GuideText);
        QTest::keyClick(richEdit, Qt::Key_Escape);
        QVERIFY(!viewer->isVisible());
        QVERIFY(QFile::remove(path));
        QVERIFY(viewer->openGuide(path));
        QVERIFY(viewer->isVisible());
        QCOMPARE(richEdit->toPlainText(), GuideText);
        QCOMPARE(messages.shown.size(), reported);
    }

    // Beside the main window on the side with room, narrower where the room is short but the
    // guide still reads, over the main window where no side has such room; on the screen.
    void guidePlace_data()
    {
        columns<QRect, QRect, QRect>({"screen", "mainWindow", "expected"});
        const QRect wide(0, 0, 1920, 1080), small(0, 0, 1280, 800);
        dataRow("room on the right", wide, QRect(100, 100, 800, 572), QRect(908, 100, 750, 522));
        dataRow("room on the left", wide, QRect(1100, 100, 800, 572), QRect(342, 100, 750, 522));
        dataRow("low on the screen", wide, QRect(100, 700, 800, 572), QRect(908, 558, 750, 522));
        dataRow("short room", small, QRect(0, 114, 800, 572), QRect(808, 114, 472, 522));
        dataRow("no room", small, QRect(240, 114, 800, 572), QRect(265, 139, 750, 522));
    }
    void guidePlace()
    {
        const auto [screen, mainWindow] = fetch<QRect, QRect>({"screen", "mainWindow"});
        QTEST(TRTFView::placeBeside(mainWindow, QSize(750, 522), screen), "expected");
    }

    // Every text of both dialogs is drawn in the caption colour over their backgrounds.
    void captionsAreDrawn()
    {
        TConfirmForm form;
        const QImage formImage = form.grab().toImage();
        QCOMPARE(formImage.size(), QSize(200, 143));
        for (const char* name :
             {"Label2", "Text", "YesButtonLabel", "NoButtonLabel", "CancelButtonLabel"})
            QVERIFY2(hasCaptionInk(formImage, part(&form, name)->geometry()), name);

        TConfirmDlg dialog;
        dialog.setQuestion(Question, "Remove", "Cancel");
        const QImage dialogImage = dialog.grab().toImage();
        QCOMPARE(dialogImage.size(), QSize(200, 143));
        for (const char* name : {"MessageLabel", "Button1Label", "Button2Label"})
            QVERIFY2(hasCaptionInk(dialogImage, part(&dialog, name)->geometry()), name);
        dialog.setQuestion(QStringLiteral("Nothing to choose."), "OK", "OK");
        QVERIFY(hasCaptionInk(dialog.grab().toImage(), QRect(55, 100, 90, 14)));
    }

    void print_data()
    {
        // The job that reports an error; the calls made, "choose" alone when the file choice
        // is given up.
        columns<bool, QString, QString, QString, int>(
            {"printer", "presses", "failing", "calls", "result"});
        const int ok = QDialog::Accepted, cancel = QDialog::Rejected;
        const QString pdf = QStringLiteral("choose,pdf x.pdf");
        dataRow("both, to the printer", true, "PrintButton", "", "sheet,notes", ok);
        dataRow("sheet only, by the labels", true, "NotesLabel,PrintButtonLabel", "", "sheet", ok);
        dataRow("both unticked: closes without a job", true, "Sheet,Notes,PrintButton", "", "", ok);
        dataRow("Cancel", true, "CancelButton", "", "", cancel);
        dataRow("the log as its own job", true, "Sheet,LogLabel,PrintButton", "", "notes,log", ok);
        dataRow("log only, to a PDF", true, "Sheet,Notes,Log,PdfLabel,PrintButton", "",
                pdf + " log", ok);
        dataRow("Escape", true, "Escape", "", "", cancel);
        dataRow("a failed sheet stops the notes", true, "PrintButton", "sheet", "sheet", cancel);
        dataRow("PDF chosen", true, "PdfLabel,PrintButton", "", pdf + " sheet notes", ok);
        dataRow("no printer: notes to a PDF", false, "Sheet,PrintButton", "", pdf + " notes", ok);
        dataRow("no printer: no PDF tick to take away", false, "Pdf,PdfLabel,PrintButton", "",
                pdf + " sheet notes", ok);
        dataRow("giving up the file name keeps the dialog", false, "PrintButton", "", "choose",
                cancel);
        // Foundry VTT and PDF are two places to go, one at a time; the ticks of what to print
        // do not matter to the export.
        const QString foundry = QStringLiteral("choose,foundry x.json");
        dataRow("to Foundry VTT", true, "FoundryLabel,PrintButton", "", foundry, ok);
        dataRow("Foundry VTT after PDF", true, "Pdf,Foundry,PrintButtonLabel", "", foundry, ok);
        dataRow("PDF after Foundry VTT", true, "Foundry,Pdf,PrintButton", "", pdf + " sheet notes",
                ok);
        dataRow("no printer, nothing ticked: to Foundry VTT", false,
                "Sheet,Notes,Foundry,PrintButton", "", foundry, ok);
        dataRow("the log ticked: to Foundry VTT all the same", true, "LogLabel,Foundry,PrintButton",
                "", foundry, ok);
        dataRow("a failed export", true, "Foundry,PrintButton", "foundry", foundry, cancel);
    }
    void print()
    {
        const auto [printer, presses, failing] =
            fetch<bool, QString, QString>({"printer", "presses", "failing"});
        const bool leftOpen = column<QString>("calls") == u"choose";
        TPrintForm form;
        QStringList called;
        bool waitedEveryTime = true;
        auto job = [&](const QString& name) {
            called << name;
            waitedEveryTime = waitedEveryTime && waiting(form);
            return name.startsWith(failing) && !failing.isEmpty() ? name + " failed" : QString();
        };
        TPrintForm::Jobs jobs;
        jobs.PrintSheet = [&] { return job(QStringLiteral("sheet")); };
        jobs.PrintNotes = [&] { return job(QStringLiteral("notes")); };
        jobs.ChoosePdfFile = [&] {
            called << QStringLiteral("choose");
            return leftOpen ? QString() : QStringLiteral("x.pdf");
        };
        jobs.PrintLog = [&] { return job(QStringLiteral("log")); };
        jobs.WritePdf = [&](const QString& file, bool sheet, bool notes, bool log) {
            return job(QStringLiteral("pdf ") + file + (sheet ? " sheet" : "") +
                       (notes ? " notes" : "") + (log ? " log" : ""));
        };
        jobs.ChooseFoundryFile = [&] {
            called << QStringLiteral("choose");
            return QStringLiteral("x.json");
        };
        jobs.WriteFoundry = [&](const QString& file) {
            return job(QStringLiteral("foundry ") + file);
        };
        form.setJobs(jobs);
        form.setPrinterAvailable(printer);

        // An earlier opening changes every tick and is cancelled; each opening starts afresh.
        bool stayed = false;
        openAndPress(form, {"Sheet", "Notes", "Log", "PdfLabel", "FoundryLabel", "CancelButton"},
                     stayed);
        called.clear();
        QTEST(openAndPress(form, presses.split(u',', Qt::SkipEmptyParts), stayed), "result");
        QTEST(called.join(u','), "calls");
        QCOMPARE(stayed, leftOpen);
        QVERIFY(waitedEveryTime);
        QCOMPARE(form.lastError().isEmpty(), failing.isEmpty());
        // The buttons are back for the next opening.
        QVERIFY(!form.findChild<QLabel*>(QStringLiteral("PrintButton"))->isHidden());
        QVERIFY(form.findChild<QLabel*>(QStringLiteral("Wait1"))->isHidden());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

private:
    ProgramFonts m_fonts;
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
