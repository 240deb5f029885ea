// Mouse events go through the window, so they reach whichever part lies on top under the
// pointer, and a release goes to the part that took the press.
#define QTEST_QPA_MOUSE_HANDLING

#include "../support/RecordedMessages.h"
#include "app/FontRegistry.h"
#include "output/TConfirmDlg.h"
#include "output/TConfirmForm.h"
#include "output/TRTFView.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <functional>

Q_DECLARE_METATYPE(TConfirmForm::Result)

namespace {

// What happened while a modal dialog was open.
struct ModalRun
{
    bool acted = false;
    bool leftOpen = false;
};

// Runs action inside the dialog's modal loop once the dialog is on screen. A dialog the action
// leaves open is closed, so that a failing test reports instead of hanging.
void whileOpen(QDialog* dialog, ModalRun& run, std::function<void()> action)
{
    QTimer::singleShot(0, dialog, [dialog, &run, action] {
        run.acted = QTest::qWaitForWindowExposed(dialog);
        if (run.acted)
            action();
        run.leftOpen = dialog->isVisible();
        if (run.leftOpen)
            dialog->reject();
    });
}

QLabel* part(const QWidget* dialog, const QString& name)
{
    auto* label = dialog->findChild<QLabel*>(name);
    if (!label)
        qFatal("no part %s", qPrintable(name));
    return label;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Whether text in the caption colour was drawn in area: a few of its pixels near full strength.
bool hasCaptionInk(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAbs(qRed(pixel) - 96) + qAbs(qGreen(pixel) - 160) + qAbs(qBlue(pixel) - 128) < 60)
                ++count;
        }
    return count >= 5;
}

QString pngPath(const QString& name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/dialogs-%1.png").arg(name);
}

const QByteArray GuideA = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0 "
                          "Welcome to {\\b Tarnoch}.\\par Right-click a field.}";
const QByteArray GuideB = "{\\rtf1\\ansi Another guide.}";

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void askChoiceAnswers_data();
    void askChoiceAnswers();
    void equalCaptionsShowOneCentredButton();

    void confirmFormAnswers_data();
    void confirmFormAnswers();
    void confirmFormClickNeedsLeftReleaseOverButton();

    void viewerGeometry_data();
    void viewerGeometry();
    void openGuideLoadsOnceAndShows();
    void openGuideReportsUnusableGuide_data();
    void openGuideReportsUnusableGuide();
    void viewerIsReadOnly();

    void renderDialogs();

private:
    FontRegistry m_fonts;
};

void TestDialogs::initTestCase()
{
    m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
    QCOMPARE(m_fonts.registeredCount(), 4);
}

void TestDialogs::askChoiceAnswers_data()
{
    QTest::addColumn<QString>("target"); // empty: Escape
    QTest::addColumn<int>("expected");
    QTest::newRow("first image") << "Button1" << 1;
    QTest::newRow("first label") << "Button1Label" << 1;
    QTest::newRow("second image") << "Button2" << 2;
    QTest::newRow("second label") << "Button2Label" << 2;
    QTest::newRow("right press on first") << "Button1:right" << 1;
    QTest::newRow("Escape") << "" << 2;
}

void TestDialogs::askChoiceAnswers()
{
    QFETCH(QString, target);
    QFETCH(int, expected);
    TConfirmDlg dialog;
    QSignalSpy fade(&dialog, &TConfirmDlg::fadeWanted);
    const QString message = QStringLiteral("Vulnerability to Sunlight and Sun Resistance is "
                                           "mutually exclusive.\nRemove Sun Resistance (3)?");
    bool fadeWhileOpen = false;
    ModalRun run;
    whileOpen(&dialog, run, [&] {
        fadeWhileOpen = fade.count() == 1 && fade.at(0).at(0).toBool();
        if (target.isEmpty()) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            const QStringList name = target.split(':');
            QTest::mousePress(part(&dialog, name.first()),
                              name.size() > 1 ? Qt::RightButton : Qt::LeftButton);
        }
    });
    const int result =
        dialog.AskChoice(message, QStringLiteral("Remove"), QStringLiteral("Cancel"));

    QVERIFY(run.acted);
    QVERIFY2(!run.leftOpen, "the question stayed open");
    QCOMPARE(result, expected);
    QVERIFY(fadeWhileOpen);
    QCOMPARE(fade.count(), 2);
    QCOMPARE(fade.at(1).at(0).toBool(), false);
}

void TestDialogs::equalCaptionsShowOneCentredButton()
{
    TConfirmDlg dialog;
    dialog.setQuestion(QStringLiteral("Nothing to choose."), QStringLiteral("OK"),
                       QStringLiteral("OK"));
    for (const char* name : {"Button1", "Button1Label", "Button2", "Button2Label"})
        QCOMPARE(part(&dialog, name)->x(), 55);
    QCOMPARE(part(&dialog, "Button1")->y(), part(&dialog, "Button2")->y());

    // The one button answers as the first; Escape still answers 2.
    ModalRun run;
    whileOpen(&dialog, run,
              [&] { QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(100, 106)); });
    QCOMPARE(dialog.AskChoice(QStringLiteral("Nothing to choose."), QStringLiteral("OK"),
                              QStringLiteral("OK")),
             1);
    QVERIFY(!run.leftOpen);
    whileOpen(&dialog, run, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(dialog.AskChoice(QStringLiteral("Nothing to choose."), QStringLiteral("OK"),
                              QStringLiteral("OK")),
             2);
    QVERIFY(!run.leftOpen);

    // The reused dialog splits the buttons again for different captions.
    whileOpen(&dialog, run,
              [&] { QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(150, 106)); });
    QCOMPARE(dialog.AskChoice(QStringLiteral("Detach Humanity or Path from Virtues?"),
                              QStringLiteral("Yes"), QStringLiteral("No")),
             2);
    QCOMPARE(part(&dialog, "Button1")->x(), 8);
    QCOMPARE(part(&dialog, "Button1Label")->x(), 8);
    QCOMPARE(part(&dialog, "Button2")->x(), 104);
    QCOMPARE(part(&dialog, "Button2Label")->x(), 104);
}

void TestDialogs::confirmFormAnswers_data()
{
    QTest::addColumn<QString>("target"); // empty: Escape
    QTest::addColumn<TConfirmForm::Result>("expected");
    QTest::newRow("Yes image") << "YesButton" << TConfirmForm::Result::Yes;
    QTest::newRow("Yes label") << "YesButtonLabel" << TConfirmForm::Result::Yes;
    QTest::newRow("No image") << "NoButton" << TConfirmForm::Result::No;
    QTest::newRow("No label") << "NoButtonLabel" << TConfirmForm::Result::No;
    QTest::newRow("Cancel image") << "CancelButton" << TConfirmForm::Result::Cancel;
    QTest::newRow("Cancel label") << "CancelButtonLabel" << TConfirmForm::Result::Cancel;
    QTest::newRow("Escape") << "" << TConfirmForm::Result::Cancel;
}

void TestDialogs::confirmFormAnswers()
{
    QFETCH(QString, target);
    QFETCH(TConfirmForm::Result, expected);
    TConfirmForm form;
    ModalRun run;
    whileOpen(&form, run, [&] {
        if (target.isEmpty())
            QTest::keyClick(&form, Qt::Key_Escape);
        else
            QTest::mouseClick(part(&form, target), Qt::LeftButton);
    });
    const TConfirmForm::Result result = form.ask();
    QVERIFY(run.acted);
    QVERIFY2(!run.leftOpen, "the question stayed open");
    QCOMPARE(result, expected);
}

void TestDialogs::confirmFormClickNeedsLeftReleaseOverButton()
{
    TConfirmForm form;
    bool openAfterSlide = false, openAfterRightClick = false;
    ModalRun run;
    whileOpen(&form, run, [&] {
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
    whileOpen(&form, run, [&] { QTest::keyClick(&form, Qt::Key_Escape); });
    QCOMPARE(form.ask(), TConfirmForm::Result::Cancel);
}

void TestDialogs::viewerGeometry_data()
{
    QTest::addColumn<QRect>("mainWindow");
    QTest::newRow("at the origin") << QRect(0, 0, 800, 572);
    QTest::newRow("moved") << QRect(112, 47, 800, 572);
}

void TestDialogs::viewerGeometry()
{
    QFETCH(QRect, mainWindow);
    RecordedMessages messages;
    TRTFView viewer(mainWindow, messages);
    QCOMPARE(viewer.pos(), mainWindow.topLeft() + QPoint(25, 25));
    QCOMPARE(viewer.size(), QSize(750, 522));
    QCOMPARE(viewer.minimumSize(), viewer.maximumSize());
    QCOMPARE(viewer.windowTitle(), QStringLiteral(" "));
    QVERIFY(viewer.isWindow());

    const auto* richEdit = viewer.findChild<QTextEdit*>(QStringLiteral("RichEdit"));
    QVERIFY(richEdit);
    QCOMPARE(richEdit->geometry(), viewer.rect());
    QCOMPARE(richEdit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void TestDialogs::openGuideLoadsOnceAndShows()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnoch.rtf"));
    QVERIFY(writeFile(path, GuideA));
    RecordedMessages messages;
    QWidget mainWindow;
    auto* viewer = new TRTFView(QRect(0, 0, 800, 572), messages, &mainWindow);
    const auto* richEdit = viewer->findChild<QTextEdit*>(QStringLiteral("RichEdit"));

    QVERIFY(viewer->openGuide(path));
    QVERIFY(viewer->isVisible());
    QVERIFY(viewer->isWindow());
    QVERIFY(!viewer->isModal());
    const QString guideText = QStringLiteral("Welcome to Tarnoch.\nRight-click a field.");
    QCOMPARE(richEdit->toPlainText(), guideText);

    // Closing only hides; the second opening shows the text read the first time.
    viewer->close();
    QVERIFY(!viewer->isVisible());
    QVERIFY(writeFile(path, GuideB));
    QVERIFY(viewer->openGuide(path));
    QVERIFY(viewer->isVisible());
    QCOMPARE(richEdit->toPlainText(), guideText);

    QVERIFY(QFile::remove(path));
    QVERIFY(viewer->openGuide(path));
    QVERIFY(messages.shown.isEmpty());
}

void TestDialogs::openGuideReportsUnusableGuide_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("not rich text") << QByteArray("Tarnoch user guide\r\n") << true;
}

void TestDialogs::openGuideReportsUnusableGuide()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnoch.rtf"));
    if (exists)
        QVERIFY(writeFile(path, content));
    RecordedMessages messages;
    TRTFView viewer(QRect(0, 0, 800, 572), messages);

    QVERIFY(!viewer.openGuide(path));
    QVERIFY(!viewer.isVisible());
    QVERIFY(!viewer.holdsText());
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.first().first, QStringLiteral("Error"));
    QVERIFY2(messages.shown.first().second.contains(path),
             qPrintable(messages.shown.first().second));

    // Once a usable guide is in place, the next opening reads it.
    QVERIFY(writeFile(path, GuideA));
    QVERIFY(viewer.openGuide(path));
    QVERIFY(viewer.isVisible());
    QCOMPARE(messages.shown.size(), 1);
}

void TestDialogs::viewerIsReadOnly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnoch.rtf"));
    QVERIFY(writeFile(path, GuideA));
    RecordedMessages messages;
    TRTFView viewer(QRect(0, 0, 800, 572), messages);
    QVERIFY(viewer.openGuide(path));
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    auto* richEdit = viewer.findChild<QTextEdit*>(QStringLiteral("RichEdit"));
    const QString before = richEdit->toPlainText();

    richEdit->setFocus();
    QTest::keyClicks(richEdit, QStringLiteral("Torpor"));
    QTest::keyClick(richEdit, Qt::Key_Backspace);
    QCOMPARE(richEdit->toPlainText(), before);
    QVERIFY(richEdit->isReadOnly());
}

void TestDialogs::renderDialogs()
{
    TConfirmForm form;
    const QImage formImage = form.grab().toImage();
    QCOMPARE(formImage.size(), QSize(200, 143));
    QVERIFY(formImage.save(pngPath(QStringLiteral("confirmform"))));
    for (const char* name :
         {"Label2", "Text", "YesButtonLabel", "NoButtonLabel", "CancelButtonLabel"})
        QVERIFY2(hasCaptionInk(formImage, part(&form, name)->geometry()), name);

    TConfirmDlg dialog;
    dialog.setQuestion(QStringLiteral("Vulnerability to Sunlight and Sun Resistance is mutually "
                                      "exclusive.\nRemove Sun Resistance (3)?"),
                       QStringLiteral("Remove"), QStringLiteral("Cancel"));
    const QImage dialogImage = dialog.grab().toImage();
    QCOMPARE(dialogImage.size(), QSize(200, 143));
    QVERIFY(dialogImage.save(pngPath(QStringLiteral("confirmdlg"))));
    for (const char* name : {"MessageLabel", "Button1Label", "Button2Label"})
        QVERIFY2(hasCaptionInk(dialogImage, part(&dialog, name)->geometry()), name);

    dialog.setQuestion(QStringLiteral("Nothing to choose."), QStringLiteral("OK"),
                       QStringLiteral("OK"));
    const QImage singleImage = dialog.grab().toImage();
    QVERIFY(singleImage.save(pngPath(QStringLiteral("confirmdlg-single"))));
    QVERIFY(hasCaptionInk(singleImage, QRect(55, 100, 90, 14)));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tarnoch.rtf"));
    QVERIFY(writeFile(path, GuideA));
    RecordedMessages messages;
    TRTFView viewer(QRect(0, 0, 800, 572), messages);
    QVERIFY(viewer.loadGuide(path));
    const QImage viewerImage = viewer.grab().toImage();
    QCOMPARE(viewerImage.size(), QSize(750, 522));
    QVERIFY(viewerImage.save(pngPath(QStringLiteral("viewer"))));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
