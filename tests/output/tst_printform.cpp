#include "app/FontRegistry.h"
#include "output/TPrintForm.h"

#include <QLabel>
#include <QtTest>

namespace {

// Opens the dialog and presses the named parts (or the Escape key) while it is open; closes
// it should it stay open. Returns the dialog's result.
int openAndPress(TPrintForm& form, const QStringList& presses, bool* leftOpen = nullptr)
{
    QTimer::singleShot(0, &form, [&form, presses, leftOpen] {
        for (const QString& press : presses) {
            auto* part = form.findChild<QLabel*>(press);
            if (press == QLatin1String("Escape"))
                QTest::keyClick(&form, Qt::Key_Escape);
            else if (part && part->isVisible())
                QTest::mouseClick(part, Qt::LeftButton);
        }
        if (leftOpen)
            *leftOpen = form.isVisible();
        if (form.isVisible())
            form.reject();
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
    void initTestCase();
    void print_data();
    void print();

private:
    FontRegistry m_fonts;
};

void TestPrintForm::initTestCase()
{
    m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
}

void TestPrintForm::print_data()
{
    QTest::addColumn<bool>("printer");
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QString>("failing"); // the job that reports an error
    QTest::addColumn<QString>("pdfFile"); // what the file choice answers
    QTest::addColumn<QString>("calls");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("leftOpen");
    const int ok = QDialog::Accepted;
    const int cancel = QDialog::Rejected;

    QTest::newRow("both, to the printer") << true << "PrintButton"
                                          << ""
                                          << "x.pdf"
                                          << "sheet,notes" << ok << false;
    QTest::newRow("sheet only, by the labels") << true << "NotesLabel,PrintButtonLabel"
                                               << ""
                                               << "x.pdf"
                                               << "sheet" << ok << false;
    QTest::newRow("both unticked: closes without a job") << true << "Sheet,Notes,PrintButton"
                                                         << ""
                                                         << "x.pdf"
                                                         << "" << ok << false;
    QTest::newRow("Cancel") << true << "CancelButton"
                            << ""
                            << "x.pdf"
                            << "" << cancel << false;
    QTest::newRow("Escape") << true << "Escape"
                            << ""
                            << "x.pdf"
                            << "" << cancel << false;
    QTest::newRow("a failed sheet stops the notes") << true << "PrintButton"
                                                    << "sheet"
                                                    << "x.pdf"
                                                    << "sheet" << cancel << false;
    QTest::newRow("PDF chosen") << true << "PdfLabel,PrintButton"
                                << ""
                                << "x.pdf"
                                << "choose,pdf x.pdf sheet notes" << ok << false;
    QTest::newRow("no printer: notes to a PDF") << false << "Sheet,PrintButton"
                                                << ""
                                                << "x.pdf"
                                                << "choose,pdf x.pdf notes" << ok << false;
    QTest::newRow("no printer: no PDF tick to take away")
        << false << "Pdf,PdfLabel,PrintButton"
        << ""
        << "x.pdf"
        << "choose,pdf x.pdf sheet notes" << ok << false;
    QTest::newRow("giving up the file name keeps the dialog") << false << "PrintButton"
                                                              << ""
                                                              << ""
                                                              << "choose" << cancel << true;
}

void TestPrintForm::print()
{
    QFETCH(bool, printer);
    QFETCH(QString, presses);
    QFETCH(QString, failing);
    QFETCH(QString, pdfFile);
    QFETCH(QString, calls);
    QFETCH(int, result);
    QFETCH(bool, leftOpen);

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
        return pdfFile;
    };
    jobs.WritePdf = [&](const QString& file, bool sheet, bool notes) {
        return job(QStringLiteral("pdf ") + file + (sheet ? " sheet" : "") +
                   (notes ? " notes" : ""));
    };
    form.setJobs(jobs);
    form.setPrinterAvailable(printer);

    // An earlier opening changes every tick and is cancelled; each opening starts afresh.
    openAndPress(form, {"Sheet", "Notes", "PdfLabel", "CancelButton"});
    called.clear();
    bool stayed = false;
    QCOMPARE(openAndPress(form, presses.split(u',', Qt::SkipEmptyParts), &stayed), result);
    QCOMPARE(called.join(u','), calls);
    QCOMPARE(stayed, leftOpen);
    QVERIFY(waitedEveryTime);
    QCOMPARE(form.lastError().isEmpty(), failing.isEmpty());
    // The buttons are back for the next opening.
    QVERIFY(!form.findChild<QLabel*>(QStringLiteral("PrintButton"))->isHidden());
    QVERIFY(form.findChild<QLabel*>(QStringLiteral("Wait1"))->isHidden());
    QVERIFY(!QGuiApplication::overrideCursor());

    // For looking at: TARNOCH_KEEP_PRINTOUTS=1 leaves a picture of the dialog beside the test.
    if (qEnvironmentVariableIsSet("TARNOCH_KEEP_PRINTOUTS")) {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.grab().save(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/printform-%1.png").arg(QTest::currentDataTag()));
    }
}

QTEST_MAIN(TestPrintForm)
#include "tst_printform.moc"
