#include "app/FontRegistry.h"
#include "controls/SelectionLayout.h"
#include "controls/TSelectionBox.h"
#include "rules/RuleTables.h"
#include "rules/RulesDataLoader.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

// A stand-in for the main window: the layout the popup works against.
class TestWindow : public QWidget
{
public:
    TestWindow()
    {
        setWindowFlag(Qt::FramelessWindowHint);
        setGeometry(100, 50, 800, 572);
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, Qt::white);
        setPalette(colours);
        Dock = new QWidget(this);
        Dock->setGeometry(9, 60, 594, 502);
        Target = new QLineEdit(Dock);
        Target->setGeometry(10, 10, 200, 20);
        TechDock = new QWidget(this);
        TechDock->setGeometry(638, 60, 153, 345);
        TechPanel = new QWidget(TechDock);
        TechPanel->setGeometry(0, 0, 153, 345);
        TechDockImage = new QLabel(TechDock);
        TechDockImage->setGeometry(0, 0, 153, 345);
        TechDockImage->hide();
        DockFadeImage = QImage(153, 345, QImage::Format_RGB888);
        DockFadeImage.fill(Qt::black);
        DockInfoImage = DockFadeImage;
    }

    SelectionContext context(const RuleTables& tables)
    {
        return {this, TechDock, TechPanel, TechDockImage, &DockFadeImage, &DockInfoImage, &tables};
    }

    QWidget* Dock = nullptr;
    QLineEdit* Target = nullptr;
    QWidget* TechDock = nullptr;
    QWidget* TechPanel = nullptr;
    QLabel* TechDockImage = nullptr;
    QImage DockFadeImage;
    QImage DockInfoImage;
};

QStringList numbered(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QStringLiteral("Entry %1").arg(i));
    return list;
}

bool anyNonBlack(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::black))
                return true;
    return false;
}

} // namespace

class TestSelectionBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void columns_data();
    void columns();
    void longListIsCapped();
    void neverCoversTheDock();
    void opensOverTintedFramedPicture();

    void hoverInTheMarginsClears();
    void strokeDownAColumnLeavesATrail();
    void fadeToWhiteAndBack();

    void leftClickWritesTheEntry();
    void noneWritesTheEmptyText();
    void noneOnlyForListsOfNames_data();
    void noneOnlyForListsOfNames();
    void closingWithoutAChoice_data();
    void closingWithoutAChoice();
    void reopensCleanly();

    void clanPanelInTheDock();

private:
    // Puts the pointer on a point of the popup and tells the popup it moved there.
    void moveTo(QPoint pos);
    QPoint entryCentre(int index) const;
    void open(const QStringList& list, int kind, QPoint windowPoint = QPoint(300, 300));

    FontRegistry m_fonts;
    RuleTables m_tables;
    std::unique_ptr<TestWindow> m_window;
    TSelectionBox* m_box = nullptr;
};

void TestSelectionBox::initTestCase()
{
    // The offscreen platform can neither raise a popup nor grab the keyboard for it.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
    m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
    const auto data = RulesDataLoader::load(QStringLiteral(TARNOCH_PROGRAM_DIR "Tarn1.dat"));
    QVERIFY2(data.problem.isEmpty(), qPrintable(data.problem));
    m_tables.build(data.lines, false);
}

void TestSelectionBox::init()
{
    m_window = std::make_unique<TestWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_box = new TSelectionBox(m_window->context(m_tables), m_window.get());
}

void TestSelectionBox::cleanup()
{
    m_window.reset();
    m_box = nullptr;
}

void TestSelectionBox::moveTo(QPoint pos)
{
    QCursor::setPos(m_box->mapToGlobal(pos));
    QMouseEvent move(QEvent::MouseMove, pos, m_box->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(m_box, &move);
}

QPoint TestSelectionBox::entryCentre(int index) const
{
    return m_box->entryPosition(index) + QPoint(m_box->EntryWidth() / 2, 7);
}

void TestSelectionBox::open(const QStringList& list, int kind, QPoint windowPoint)
{
    QCursor::setPos(m_window->mapToGlobal(windowPoint));
    m_box->ShowSelection(list, m_window->Target, kind);
    QVERIFY(QTest::qWaitForWindowExposed(m_box));
}

void TestSelectionBox::columns_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("oneColumn");
    QTest::newRow("nine archetypes") << 9 << 3 << true;
    QTest::newRow("ten archetypes") << 10 << 3 << false;
    QTest::newRow("forty powers") << 40 << 10 << true;
    QTest::newRow("twelve font sizes") << 12 << 11 << true;
    QTest::newRow("forty font names") << 40 << 12 << false;
}

void TestSelectionBox::columns()
{
    QFETCH(int, count);
    QFETCH(int, kind);
    QFETCH(bool, oneColumn);
    open(numbered(count), kind);
    QCOMPARE(m_box->Columns() == 1, oneColumn);
    QCOMPARE(m_box->Rows(), (count + m_box->Columns() - 1) / m_box->Columns());
    QCOMPARE(m_box->size(),
             QSize(m_box->Columns() * (15 + m_box->EntryWidth()) + 15, m_box->Rows() * 15 + 30));
}

void TestSelectionBox::longListIsCapped()
{
    QStringList list;
    for (int i = 0; i < 300; ++i)
        list.append(QStringLiteral("A rather long entry number %1").arg(i));
    open(list, 3);
    QVERIFY(m_box->Columns() > 1);
    QCOMPARE(m_box->size(), QSize(1024, 753));

    // Entries beyond the clipped edge cannot be reached, not even from outside.
    moveTo(QPoint(1100, 100));
    QCOMPARE(m_box->HoverIndex(), -1);
}

void TestSelectionBox::neverCoversTheDock()
{
    open(numbered(30), 3, QPoint(600, 300));
    const int dockLeft = m_window->TechDock->mapToGlobal(QPoint(0, 0)).x();
    QCOMPARE(m_box->geometry().right() + 1, dockLeft - 5);

    // Centred on the pointer where there is room.
    m_box->hide();
    open(numbered(5), 3, QPoint(300, 300));
    const QPoint pointer = m_window->mapToGlobal(QPoint(300, 300));
    QCOMPARE(m_box->geometry().left(), pointer.x() - m_box->width() / 2 + 1);
    QCOMPARE(m_box->geometry().top(), pointer.y() - m_box->height() / 2 + 1);
}

void TestSelectionBox::opensOverTintedFramedPicture()
{
    open(numbered(5), 3);
    QVERIFY(m_box->FadeTimer()->isActive());
    QCOMPARE(m_box->FadeTimer()->interval(), 40);
    const QImage shot = m_box->grab().toImage().convertToFormat(QImage::Format_RGB888);
    const int w = shot.width();
    const int h = shot.height();
    QCOMPARE(shot.pixelColor(0, 0), QColor(192, 192, 192));
    QCOMPARE(shot.pixelColor(w - 2, h - 2), QColor(192, 192, 192));
    QCOMPARE(shot.pixelColor(w - 1, h - 1), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(1, h - 1), QColor(Qt::black));
    // White window under the popup, blended three quarters towards dark green.
    QCOMPARE(shot.pixelColor(w - 6, 6), QColor(63, 111, 63));

    // The dock shows the fading picture instead of its panel.
    QVERIFY(m_window->TechDockImage->isVisible());
    QVERIFY(!m_window->TechPanel->isVisible());
}

void TestSelectionBox::hoverInTheMarginsClears()
{
    open(numbered(25), 3);
    const int count = 25;
    QVERIFY(m_box->Columns() > 1);
    moveTo(entryCentre(3));
    QCOMPARE(m_box->HoverIndex(), 3);
    moveTo(QPoint(entryCentre(0).x(), 5));
    QCOMPARE(m_box->HoverIndex(), -1);
    moveTo(entryCentre(3));
    moveTo(QPoint(entryCentre(0).x(), m_box->height() - 5));
    QCOMPARE(m_box->HoverIndex(), -1);
    moveTo(entryCentre(count - 1));
    QCOMPARE(m_box->HoverIndex(), count - 1);
    moveTo(QPoint(m_box->width() - 3, entryCentre(0).y()));
    QCOMPARE(m_box->HoverIndex(), -1);

    // A click in the margin neither chooses nor closes.
    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(m_box->width() - 3, 30));
    QVERIFY(m_box->isVisible());
    QVERIFY(m_window->Target->text().isEmpty());
}

void TestSelectionBox::strokeDownAColumnLeavesATrail()
{
    open(numbered(60), 3);
    QVERIFY(m_box->Rows() > 8);
    const QColor red(255, 0, 0);
    const QColor opening(80, 120, 80);
    moveTo(entryCentre(1));
    moveTo(entryCentre(6));
    for (int i = 1; i <= 6; ++i)
        QCOMPARE(m_box->EntryColour(i), red);
    QCOMPARE(m_box->EntryColour(7), opening);

    // Into the next column: only the entry reached turns red.
    const int next = m_box->Rows() + 2;
    moveTo(entryCentre(next));
    QCOMPARE(m_box->HoverIndex(), next);
    QCOMPARE(m_box->EntryColour(next), red);
    for (int i = 7; i < next; ++i)
        QCOMPARE(m_box->EntryColour(i), opening);
}

void TestSelectionBox::fadeToWhiteAndBack()
{
    open(numbered(12), 3);
    m_box->ShowSelection(numbered(12), m_window->Target, 3);
    for (int tick = 0; tick < 17; ++tick)
        m_box->FadeStep();
    QVERIFY(m_box->EntryColour(4) != QColor(Qt::white));
    m_box->FadeStep();
    for (int i = 0; i < 12; ++i)
        QCOMPARE(m_box->EntryColour(i), QColor(Qt::white));

    // Held red while the pointer rests on it, white 26 ticks after it left.
    moveTo(entryCentre(4));
    for (int tick = 0; tick < 30; ++tick)
        m_box->FadeStep();
    QCOMPARE(m_box->EntryColour(4), QColor(255, 0, 0));
    QCursor::setPos(m_window->mapToGlobal(QPoint(700, 500)));
    for (int tick = 0; tick < 25; ++tick)
        m_box->FadeStep();
    QVERIFY(m_box->EntryColour(4) != QColor(Qt::white));
    m_box->FadeStep();
    QCOMPARE(m_box->EntryColour(4), QColor(Qt::white));

    // What is painted follows the colours.
    moveTo(entryCentre(2));
    m_box->FadeStep();
    const QImage shot = m_box->grab().toImage();
    const QRect text(m_box->entryPosition(2), QSize(m_box->EntryWidth(), 14));
    bool red = false;
    for (int y = text.top(); y <= text.bottom() && !red; ++y)
        for (int x = text.left(); x <= text.right() && !red; ++x)
            red = shot.pixelColor(x, y).red() > 150 && shot.pixelColor(x, y).green() < 80;
    QVERIFY(red);
}

void TestSelectionBox::leftClickWritesTheEntry()
{
    QSignalSpy changed(m_window->Target, &QLineEdit::textChanged);
    open(m_tables.ClanNames.items(), 1);
    QVERIFY(m_box->isOpen());
    moveTo(entryCentre(3));
    QTest::mouseClick(m_box, Qt::LeftButton, {}, entryCentre(3));
    QCOMPARE(m_window->Target->text(), m_tables.ClanNames.at(3));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!m_box->isVisible());
    QVERIFY(!m_box->isOpen());
    QVERIFY(!m_box->FadeTimer()->isActive());
    QVERIFY(m_box->SelectionMade());
    QVERIFY(!m_window->TechDockImage->isVisible());
    QVERIFY(m_window->TechPanel->isVisible());
}

void TestSelectionBox::noneWritesTheEmptyText()
{
    m_window->Target->setText(QStringLiteral("Resources"));
    const QStringList backgrounds = m_tables.Backgrounds.items();
    open(backgrounds, 5);
    QCOMPARE(m_box->entries().first(), QStringLiteral("<NONE>"));
    moveTo(entryCentre(0));
    QCOMPARE(m_box->infoItems().first().text, QStringLiteral("<NONE>"));
    QTest::mouseClick(m_box, Qt::LeftButton, {}, entryCentre(0));
    QCOMPARE(m_window->Target->text(), QString());
    // The caller's list is left as it was.
    QCOMPARE(backgrounds, m_tables.Backgrounds.items());
}

void TestSelectionBox::noneOnlyForListsOfNames_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("none");
    for (int kind = 1; kind <= 13; ++kind)
        QTest::addRow("kind %d", kind)
            << kind << (kind == 4 || kind == 5 || kind == 6 || kind == 8);
}

void TestSelectionBox::noneOnlyForListsOfNames()
{
    QFETCH(int, kind);
    QFETCH(bool, none);
    open({QStringLiteral("5"), QStringLiteral("Unlimited")}, kind);
    QCOMPARE(m_box->entries().size(), none ? 3 : 2);
    QCOMPARE(m_box->entries().first() == QLatin1String("<NONE>"), none);
}

void TestSelectionBox::closingWithoutAChoice_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("right press") << "right";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("click on the window") << "elsewhere";
}

void TestSelectionBox::closingWithoutAChoice()
{
    QFETCH(QString, how);
    QSignalSpy changed(m_window->Target, &QLineEdit::textChanged);
    open(m_tables.ClanNames.items(), 1);
    moveTo(entryCentre(2));
    QCOMPARE(m_box->HoverIndex(), 2);
    if (how == QLatin1String("right"))
        QTest::mousePress(m_box, Qt::RightButton, {}, entryCentre(2));
    else if (how == QLatin1String("escape"))
        QTest::keyClick(m_box, Qt::Key_Escape);
    else
        // Through the window system, which hands presses elsewhere to the open popup.
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(700, 500));
    QTRY_VERIFY(!m_box->isVisible());
    QVERIFY(!m_box->isOpen());
    QCOMPARE(m_box->HoverIndex(), -1);
    QVERIFY(!m_box->SelectionMade());
    QCOMPARE(changed.count(), 0);
    QVERIFY(!m_box->FadeTimer()->isActive());
    QVERIFY(m_window->TechPanel->isVisible());
    QVERIFY(!m_window->TechDockImage->isVisible());
}

void TestSelectionBox::reopensCleanly()
{
    open(numbered(20), 3);
    moveTo(entryCentre(5));
    QTest::keyClick(m_box, Qt::Key_Escape);
    open(numbered(3), 3);
    QCOMPARE(m_box->HoverIndex(), -1);
    QCOMPARE(m_box->Columns(), 1);
    QCOMPARE(m_box->EntryColour(2), QColor(80, 120, 80));
    moveTo(entryCentre(1));
    QTest::mouseClick(m_box, Qt::LeftButton, {}, entryCentre(1));
    QCOMPARE(m_window->Target->text(), QStringLiteral("Entry 1"));
}

void TestSelectionBox::clanPanelInTheDock()
{
    open(m_tables.ClanNames.items(), 1);
    const int clan = int(m_tables.ClanNames.indexOf(QStringLiteral("Toreador")));
    moveTo(entryCentre(clan));
    QCOMPARE(m_box->HoverIndex(), clan);

    const QImage& info = m_window->DockInfoImage;
    QVERIFY(anyNonBlack(info, QRect(0, 0, 153, 16)));    // title
    QVERIFY(anyNonBlack(info, QRect(0, 20, 153, 100)));  // description
    QVERIFY(anyNonBlack(info, QRect(0, 150, 153, 90)));  // weakness
    QVERIFY(anyNonBlack(info, QRect(0, 270, 153, 45)));  // disciplines
    QVERIFY(!anyNonBlack(info, QRect(0, 320, 153, 25))); // nothing below

    QStringList weakness;
    for (const auto& item : m_box->infoItems())
        if (item.topLeft.y() >= 150 && item.topLeft.y() < 250)
            weakness.append(item.text);
    QCOMPARE(weakness.join(QString()), m_tables.ClanWeaknesses.at(clan));

    // The dock fades towards the information, ten steps a tick.
    QVERIFY(!anyNonBlack(m_window->DockFadeImage, m_window->DockFadeImage.rect()));
    for (int tick = 0; tick < 26; ++tick)
        m_box->FadeStep();
    QCOMPARE(m_window->DockFadeImage, info);
    QCOMPARE(m_window->TechDockImage->pixmap().toImage().convertToFormat(QImage::Format_RGB888),
             info);
}

QTEST_MAIN(TestSelectionBox)
#include "tst_selectionbox.moc"
