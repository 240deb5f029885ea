#include "app/ControlsDemo.h"
#include "controls/TPriorityBox.h"
#include "controls/TVampireDots.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

namespace {

// The program registers its faces at start; this test does it for itself.
bool registerFace(const QString& file, const QString& substituted)
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(TARNOCH_PROGRAM_DIR) + file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        return false;
    QFont::insertSubstitution(substituted, families.first());
    return true;
}

QColor pixelOf(const QImage& image, const QWidget* panel, const QWidget* child, QPoint pos)
{
    return QColor(image.pixel(child->mapTo(panel, pos)));
}

} // namespace

class TestControlsDemo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void showsControlsAsTheSheetUsesThem();

private:
    bool m_faces = false;
};

void TestControlsDemo::initTestCase()
{
    m_faces = registerFace(QStringLiteral("Tarn3.dat"), QStringLiteral("Lucida Handwriting")) &&
              registerFace(QStringLiteral("Tarn4.dat"), QStringLiteral("Times New Roman"));
}

void TestControlsDemo::showsControlsAsTheSheetUsesThem()
{
    QWidget window;
    QWidget* panel = createControlsDemo(&window);
    QCOMPARE(panel->parent(), &window);
    window.resize(panel->size());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage image = panel->grab().toImage();
    // Set TARNOCH_DEMO_PNG to keep a picture of the panel.
    if (const QString path = qEnvironmentVariable("TARNOCH_DEMO_PNG"); !path.isEmpty())
        QVERIFY(image.save(path));

    auto* stamina = panel->findChild<TVampireDots*>(QStringLiteral("Stamina"));
    QVERIFY(stamina);
    QCOMPARE(stamina->size(), QSize(48, 8));
    QCOMPARE(pixelOf(image, panel, stamina, QPoint(34, 4)), QColor(255, 0, 0));
    QCOMPARE(pixelOf(image, panel, stamina, QPoint(24, 4)), QColor(Qt::black));
    QCOMPARE(pixelOf(image, panel, stamina, QPoint(44, 4)), QColor(Qt::white));

    // Humanity's zero cell lies outside its clip, dot 1 at the clip's edge.
    auto* humanity = panel->findChild<TVampireDots*>(QStringLiteral("Humanity"));
    QVERIFY(humanity);
    QCOMPARE(humanity->size(), QSize(108, 8));
    QCOMPARE(humanity->mapTo(humanity->parentWidget(), QPoint(10, 0)), QPoint(0, 0));
    QCOMPARE(pixelOf(image, panel, humanity, QPoint(4, 4)), QColor(Qt::white));
    QCOMPARE(pixelOf(image, panel, humanity, QPoint(14, 4)), QColor(Qt::black));
    QCOMPARE(pixelOf(image, panel, humanity, QPoint(34, 4)), QColor(Qt::white));

    auto* alertness = panel->findChild<TVampireDots*>(QStringLiteral("Alertness"));
    QVERIFY(alertness);
    QCOMPARE(pixelOf(image, panel, alertness, QPoint(4, 4)), QColor(Qt::black));
    QCOMPARE(alertness->MinDots(), 0);

    auto* abilities = panel->findChild<TPriorityBox*>(QStringLiteral("AbilityPriorities"));
    QVERIFY(abilities);
    QCOMPARE(abilities->size(), QSize(70, 70));
    QCOMPARE((QList<int>{abilities->CategoryOne(), abilities->CategoryTwo(),
                         abilities->CategoryThree()}),
             (QList<int>{13, 9, 5}));
    QCOMPARE(pixelOf(image, panel, abilities, QPoint(30, 30)), QColor(48, 64, 32));

    if (!m_faces)
        QSKIP("the program's font files are not in the program folder");
    QCOMPARE(QFontInfo(abilities->Font()).family(), QStringLiteral("Dancing Script"));
}

QTEST_MAIN(TestControlsDemo)
#include "tst_controlsdemo.moc"
