#include "../support/DataRows.h"
#include "../support/ProgramFonts.h"
#include "../support/WhileOpen.h"
#include "output/TPrintForm.h"

#include <QLabel>
#include <QtTest>

namespace {

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

class TestPrintForm : public QObject
{
    Q_OBJECT

private slots:
    void print_data()
    {
        // The job that reports an error; leftOpen: the file choice given up.
        columns<bool, QString, QString, QString, int, bool>(
            {"printer", "presses", "failing", "calls", "result", "leftOpen"});
        const int ok = QDialog::Accepted, cancel = QDialog::Rejected;

        dataRow("both, to the printer", true, "PrintButton", "", "sheet,notes", ok, false);
        dataRow("sheet only, by the labels", true, "NotesLabel,PrintButtonLabel", "", "sheet", ok,
                false);
        dataRow("both unticked: closes without a job", true, "Sheet,Notes,PrintButton", "", "", ok,
                false);
        dataRow("Cancel", true, "CancelButton", "", "", cancel, false);
        dataRow("Escape", true, "Escape", "", "", cancel, false);
        dataRow("a failed sheet stops the notes", true, "PrintButton", "sheet", "sheet", cancel,
                false);
        dataRow("PDF chosen", true, "PdfLabel,PrintButton", "", "choose,pdf x.pdf sheet notes", ok,
                false);
        dataRow("no printer: notes to a PDF", false, "Sheet,PrintButton", "",
                "choose,pdf x.pdf notes", ok, false);
        dataRow("no printer: no PDF tick to take away", false, "Pdf,PdfLabel,PrintButton", "",
                "choose,pdf x.pdf sheet notes", ok, false);
        dataRow("giving up the file name keeps the dialog", false, "PrintButton", "", "choose",
                cancel, true);
    }
    void print()
    {
        const auto [printer, presses, failing, leftOpen] =
            fetch<bool, QString, QString, bool>({"printer", "presses", "failing", "leftOpen"});

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
        jobs.WritePdf = [&](const QString& file, bool sheet, bool notes) {
            return job(QStringLiteral("pdf ") + file + (sheet ? " sheet" : "") +
                       (notes ? " notes" : ""));
        };
        form.setJobs(jobs);
        form.setPrinterAvailable(printer);

        // An earlier opening changes every tick and is cancelled; each opening starts afresh.
        bool stayed = false;
        openAndPress(form, {"Sheet", "Notes", "PdfLabel", "CancelButton"}, stayed);
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

QTEST_MAIN(TestPrintForm)
#include "tst_printform.moc"
