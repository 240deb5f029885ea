#include "app/FontRegistry.h"
#include "output/TPrintForm.h"

#include <QLabel>
#include <QtTest>

namespace {

// Presses the named parts of the dialog once it is open, then notes how it ended.
struct Session
{
    QStringList calls;
    QStringList waitingShown; // per job: whether "Printing..." stood in for the buttons
    bool leftOpen = false;
    int result = -1;
};

TPrintForm::Jobs recordingJobs(Session& session, TPrintForm& form, const QString& failing,
                               const QString& pdfFile)
{
    auto job = [&session, &form, failing](const QString& name) {
        session.calls << name;
        const bool waiting = form.findChild<QLabel*>(QStringLiteral("Wait1"))->isVisible() &&
                             !form.findChild<QLabel*>(QStringLiteral("PrintButton"))->isVisible() &&
                             QGuiApplication::overrideCursor() &&
                             QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        session.waitingShown << (waiting ? "waiting" : "not waiting");
        return name == failing ? QStringLiteral("%1 failed").arg(name) : QString();
    };
    TPrintForm::Jobs jobs;
    jobs.PrintSheet = [job] { return job(QStringLiteral("sheet")); };
    jobs.PrintNotes = [job] { return job(QStringLiteral("notes")); };
    jobs.ChoosePdfFile = [&session, pdfFile] {
        session.calls << QStringLiteral("choose");
        return pdfFile;
    };
    jobs.WritePdf = [job](const QString& file, bool sheet, bool notes) {
        return job(
            QStringLiteral("pdf %1%2%3").arg(file, sheet ? " sheet" : "", notes ? " notes" : ""));
    };
    return jobs;
}

} // namespace

class TestPrintForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void print_data();
    void print();
    void ticksResetOnOpening();

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
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("pdfFile");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("leftOpen");
    const int ok = QDialog::Accepted;
    const int cancel = QDialog::Rejected;
    const QString pdf = QStringLiteral("/tmp/x.pdf");

    QTest::newRow("both, to the printer") << true << QStringList{"PrintButton"} << "" << pdf
                                          << QStringList{"sheet", "notes"} << ok << false;
    QTest::newRow("sheet only, by its label")
        << true << QStringList{"NotesLabel", "PrintButtonLabel"} << "" << pdf
        << QStringList{"sheet"} << ok << false;
    QTest::newRow("both unticked: closes without a job")
        << true << QStringList{"Sheet", "Notes", "PrintButton"} << "" << pdf << QStringList{} << ok
        << false;
    QTest::newRow("Cancel") << true << QStringList{"CancelButton"} << "" << pdf << QStringList{}
                            << cancel << false;
    QTest::newRow("Escape") << true << QStringList{"Escape"} << "" << pdf << QStringList{} << cancel
                            << false;
    QTest::newRow("a failed sheet stops the notes")
        << true << QStringList{"PrintButton"} << "sheet" << pdf << QStringList{"sheet"} << cancel
        << false;
    QTest::newRow("PDF chosen") << true << QStringList{"PdfLabel", "PrintButton"} << "" << pdf
                                << QStringList{"choose", "pdf /tmp/x.pdf sheet notes"} << ok
                                << false;
    QTest::newRow("no printer: notes to a PDF")
        << false << QStringList{"Sheet", "PrintButton"} << "" << pdf
        << QStringList{"choose", "pdf /tmp/x.pdf notes"} << ok << false;
    QTest::newRow("no printer: the PDF tick is not offered")
        << false << QStringList{"Pdf", "PdfLabel", "PrintButton"} << "" << pdf
        << QStringList{"choose", "pdf /tmp/x.pdf sheet notes"} << ok << false;
    QTest::newRow("giving up the file name keeps the dialog")
        << false << QStringList{"PrintButton"} << ""
        << "" << QStringList{"choose"} << cancel << true;
}

void TestPrintForm::print()
{
    QFETCH(bool, printer);
    QFETCH(QStringList, presses);
    QFETCH(QString, failing);
    QFETCH(QString, pdfFile);
    QFETCH(QStringList, calls);
    QFETCH(int, result);
    QFETCH(bool, leftOpen);

    TPrintForm form;
    Session session;
    form.setJobs(recordingJobs(session, form, failing, pdfFile));
    form.setPrinterAvailable(printer);
    QTimer::singleShot(0, &form, [&] {
        if (!QTest::qWaitForWindowExposed(&form))
            return;
        for (const QString& press : presses) {
            if (press == QLatin1String("Escape")) {
                QTest::keyClick(&form, Qt::Key_Escape);
                continue;
            }
            auto* part = form.findChild<QLabel*>(press);
            QVERIFY2(part, qPrintable(press));
            if (part->isVisible())
                QTest::mouseClick(part, Qt::LeftButton);
        }
        session.leftOpen = form.isVisible();
        if (session.leftOpen)
            form.reject();
    });
    session.result = form.ShowModal();

    QCOMPARE(session.calls, calls);
    QCOMPARE(session.result, result);
    QCOMPARE(session.leftOpen, leftOpen);
    QVERIFY(!session.waitingShown.contains(QStringLiteral("not waiting")));
    QCOMPARE(form.lastError().isEmpty(), failing.isEmpty());
    // The buttons are back for the next opening.
    QVERIFY(!form.findChild<QLabel*>(QStringLiteral("PrintButton"))->isHidden());
    QVERIFY(form.findChild<QLabel*>(QStringLiteral("Wait1"))->isHidden());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestPrintForm::ticksResetOnOpening()
{
    TPrintForm form;
    QStringList printed;
    TPrintForm::Jobs jobs;
    jobs.PrintSheet = [&] {
        printed << QStringLiteral("sheet");
        return QString();
    };
    jobs.PrintNotes = [&] {
        printed << QStringLiteral("notes");
        return QString();
    };
    form.setJobs(jobs);
    for (const QStringList& presses :
         {QStringList{"Sheet", "Notes", "CancelButton"}, QStringList{"PrintButton"}}) {
        QTimer::singleShot(0, &form, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            for (const QString& press : presses)
                QTest::mouseClick(form.findChild<QLabel*>(press), Qt::LeftButton);
        });
        form.ShowModal();
    }
    QCOMPARE(printed, (QStringList{"sheet", "notes"}));
    QVERIFY(form.PrintSheetFlag() && form.PrintNotesFlag() && !form.PdfFlag());

    // For looking at: TARNOCH_KEEP_PRINTOUTS=1 leaves pictures of the dialog beside the test.
    if (qEnvironmentVariableIsSet("TARNOCH_KEEP_PRINTOUTS")) {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (const bool printer : {true, false}) {
            form.setPrinterAvailable(printer);
            form.grab().save(QCoreApplication::applicationDirPath() +
                             QStringLiteral("/printform-%1.png").arg(printer ? "printer" : "pdf"));
        }
    }
}

QTEST_MAIN(TestPrintForm)
#include "tst_printform.moc"
