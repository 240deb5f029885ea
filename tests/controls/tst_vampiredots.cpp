#include "controls/TVampireDots.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// QTest::mouseMove carries no button state for widgets, so a drag step is sent by hand.
void dragTo(QWidget* widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

QPoint dotCentre(const TVampireDots& dots, int rating)
{
    const int left = (rating - dots.MinDots()) * (dots.Diameter() + dots.Spacing());
    return QPoint(left + dots.Diameter() / 2, dots.Diameter() / 2);
}

} // namespace

class TestVampireDots : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newControl();
    void geometryFollowsEveryWrite_data();
    void geometryFollowsEveryWrite();

    void pressSetsRating_data();
    void pressSetsRating();
    void pressRightOfLastDotInWiderControl();
    void dragReturnsToDotUnderPointer();
    void rightPressOnlyReportsMouseDown();

    void maxDotsBelowRating();
    void equalWriteIsSilent();

    void paintsDotsInTheirColours();
    void paintsCrossOnlyWithZeroCell();
    void backgroundFollowsParent();

private:
    QWidget* m_window = nullptr;
    TVampireDots* m_dots = nullptr;
};

void TestVampireDots::init()
{
    m_window = new QWidget;
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_window->setPalette(palette);
    m_window->resize(200, 40);
    m_dots = new TVampireDots(m_window);
    m_dots->move(10, 10);
    m_dots->setDiameter(8);
    m_dots->setSpacing(2);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestVampireDots::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestVampireDots::newControl()
{
    TVampireDots dots;
    QCOMPARE(dots.size(), QSize(70, 10));
    QCOMPARE(dots.sizeHint(), QSize(70, 10));
    QCOMPARE(dots.MaxDots(), 5);
    QCOMPARE(dots.MinDots(), 0);
    QCOMPARE(dots.Filled(), 0);
    QCOMPARE(dots.FreebieColor(), QColor(255, 0, 0));
    QCOMPARE(dots.FilledColor(), QColor(Qt::black));
    QVERIFY(dots.ParentColor());
    QVERIFY(dots.testAttribute(Qt::WA_OpaquePaintEvent));
}

void TestVampireDots::geometryFollowsEveryWrite_data()
{
    QTest::addColumn<int>("maxDots");
    QTest::addColumn<int>("minDots");
    QTest::addColumn<QSize>("size");
    QTest::newRow("attribute") << 5 << 1 << QSize(48, 8);
    QTest::newRow("humanity") << 10 << 0 << QSize(108, 8);
    QTest::newRow("willpower") << 10 << 1 << QSize(98, 8);
}

void TestVampireDots::geometryFollowsEveryWrite()
{
    // A size set by hand lasts only until the next geometry write.
    m_dots->resize(300, 30);
    QFETCH(int, maxDots);
    m_dots->setMaxDots(maxDots);
    QFETCH(int, minDots);
    m_dots->setMinDots(minDots);
    QFETCH(QSize, size);
    QCOMPARE(m_dots->size(), size);
    QCOMPARE(m_dots->sizeHint(), size);
    m_dots->setDiameter(10);
    QCOMPARE(m_dots->height(), 10);
    QCOMPARE(m_dots->width(), size.width() + (m_dots->MaxDots() + 1 - m_dots->MinDots()) * 2);
}

void TestVampireDots::pressSetsRating_data()
{
    QTest::addColumn<int>("minDots");
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("result");
    QTest::newRow("higher dot") << 1 << 1 << 4 << 4;
    QTest::newRow("current rating drops") << 1 << 4 << 4 << 3;
    QTest::newRow("held at minimum 1") << 1 << 1 << 1 << 1;
    QTest::newRow("rating 1 drops to 0") << 0 << 1 << 1 << 0;
    QTest::newRow("cross") << 0 << 3 << 0 << 0;
}

void TestVampireDots::pressSetsRating()
{
    QFETCH(int, filled);
    QFETCH(int, result);
    QFETCH(int, minDots);
    m_dots->setMinDots(minDots);
    m_dots->setFilled(filled);
    QSignalSpy changes(m_dots, &TVampireDots::OnChange);
    QSignalSpy downs(m_dots, &TVampireDots::OnMouseDown);
    QFETCH(int, pressed);
    const QPoint pos = dotCentre(*m_dots, pressed);
    QTest::mousePress(m_dots, Qt::LeftButton, Qt::NoModifier, pos);
    QTest::mouseRelease(m_dots, Qt::LeftButton, Qt::NoModifier, pos);
    QCOMPARE(m_dots->Filled(), result);
    QCOMPARE(m_dots->Selected(), result);
    QCOMPARE(changes.count(), result != filled ? 1 : 0);
    if (!changes.isEmpty())
        QCOMPARE(changes.first().first().value<TVampireDots*>(), m_dots);
    // The press is re-raised after the control has handled it.
    QCOMPARE(downs.count(), 1);
    const QList<QVariant> down = downs.first();
    QCOMPARE(down.at(1).value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(down.at(3).toInt(), pos.x());
    QCOMPARE(down.at(4).toInt(), pos.y());
}

void TestVampireDots::pressRightOfLastDotInWiderControl()
{
    m_dots->setMinDots(1);
    m_dots->setFilled(1);
    m_dots->resize(80, 8);
    QTest::mousePress(m_dots, Qt::LeftButton, Qt::NoModifier, QPoint(75, 4));
    QCOMPARE(m_dots->Filled(), 5);
    // Dragging on beyond the last dot keeps the maximum.
    dragTo(m_dots, QPoint(78, 4));
    QCOMPARE(m_dots->Filled(), 5);
    QTest::mouseRelease(m_dots, Qt::LeftButton, Qt::NoModifier, QPoint(78, 4));
}

void TestVampireDots::dragReturnsToDotUnderPointer()
{
    m_dots->setMinDots(1);
    m_dots->setFilled(3);
    QSignalSpy changes(m_dots, &TVampireDots::OnChange);
    const QPoint three = dotCentre(*m_dots, 3);
    QTest::mousePress(m_dots, Qt::LeftButton, Qt::NoModifier, three);
    QCOMPARE(m_dots->Filled(), 2);
    dragTo(m_dots, three + QPoint(1, 0));
    QCOMPARE(m_dots->Filled(), 3);
    dragTo(m_dots, dotCentre(*m_dots, 5));
    QCOMPARE(m_dots->Filled(), 5);
    // Outside the row the pointer changes nothing.
    dragTo(m_dots, QPoint(20, 12));
    QCOMPARE(m_dots->Filled(), 5);
    QTest::mouseRelease(m_dots, Qt::LeftButton, Qt::NoModifier, dotCentre(*m_dots, 5));
    QCOMPARE(changes.count(), 3);

    // Without the button held a move is no drag.
    QMouseEvent hover(QEvent::MouseMove, QPointF(4, 4), m_dots->mapToGlobal(QPointF(4, 4)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_dots, &hover);
    QCOMPARE(m_dots->Filled(), 5);
}

void TestVampireDots::rightPressOnlyReportsMouseDown()
{
    m_dots->setFilled(2);
    QSignalSpy changes(m_dots, &TVampireDots::OnChange);
    QSignalSpy downs(m_dots, &TVampireDots::OnMouseDown);
    QTest::mousePress(m_dots, Qt::RightButton, Qt::ShiftModifier, dotCentre(*m_dots, 4));
    QTest::mouseRelease(m_dots, Qt::RightButton, Qt::ShiftModifier, dotCentre(*m_dots, 4));
    QCOMPARE(m_dots->Filled(), 2);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(downs.first().at(1).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(downs.first().at(2).value<Qt::KeyboardModifiers>(),
             Qt::KeyboardModifiers(Qt::ShiftModifier));
}

void TestVampireDots::maxDotsBelowRating()
{
    m_dots->setMinDots(1);
    m_dots->setFilled(5);
    m_dots->setFreebies(2);
    QSignalSpy changes(m_dots, &TVampireDots::OnChange);
    m_dots->setMaxDots(3);
    QCOMPARE(m_dots->Filled(), 3);
    QCOMPARE(m_dots->Freebies(), 0);
    QCOMPARE(m_dots->width(), 28);
    QCOMPARE(changes.count(), 0);
}

void TestVampireDots::equalWriteIsSilent()
{
    m_dots->setFilled(3);
    QCoreApplication::processEvents();
    PaintCounter paints;
    m_dots->installEventFilter(&paints);
    QSignalSpy changes(m_dots, &TVampireDots::OnChange);

    m_dots->setFilled(3);
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), 0);
    QCOMPARE(paints.count, 0);

    // A new rating is reported but still waits for the Freebies write to be drawn.
    m_dots->setFilled(4);
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), 1);
    QCOMPARE(paints.count, 0);

    // That write paints before it returns, even when nothing changed.
    m_dots->setFreebies(0);
    QCOMPARE(paints.count, 1);
    m_dots->setFreebies(0);
    QCOMPARE(paints.count, 2);
}

void TestVampireDots::paintsDotsInTheirColours()
{
    m_dots->setMinDots(1);
    m_dots->setMaxDots(5);
    m_dots->setFilledColor(Qt::black);
    m_dots->setFreebieColor(QColor(255, 0, 0));
    m_dots->setFilled(3);
    m_dots->setFreebies(1);
    const QImage image = m_dots->grab().toImage();
    const auto at = [&](int rating) {
        return QColor(image.pixel(dotCentre(*m_dots, rating))).rgb();
    };
    QCOMPARE(at(1), QColor(Qt::black).rgb());
    QCOMPARE(at(2), QColor(Qt::black).rgb());
    QCOMPARE(at(3), QColor(255, 0, 0).rgb());
    QCOMPARE(at(4), QColor(Qt::white).rgb());
    QCOMPARE(at(5), QColor(Qt::white).rgb());
    // The outline runs along the cell's edge; the gap between dots is background.
    QVERIFY(QColor(image.pixel(44, 0)).lightness() < 128);
    QCOMPARE(QColor(image.pixel(39, 4)).rgb(), QColor(Qt::white).rgb());
    QCOMPARE(QColor(image.pixel(0, 0)).rgb(), QColor(Qt::white).rgb());

    // On a row of one dot minimum, -1 freebies leave every dot empty.
    m_dots->setFilled(0);
    m_dots->setFreebies(0);
    QCOMPARE(m_dots->Freebies(), -1);
    const QImage empty = m_dots->grab().toImage();
    QCOMPARE(QColor(empty.pixel(dotCentre(*m_dots, 1))).rgb(), QColor(Qt::white).rgb());
}

void TestVampireDots::paintsCrossOnlyWithZeroCell()
{
    m_dots->setMinDots(0);
    m_dots->setFilled(1);
    m_dots->setFreebies(0);
    QImage image = m_dots->grab().toImage();
    QCOMPARE(QColor(image.pixel(4, 4)).rgb(), QColor(Qt::black).rgb());
    QCOMPARE(QColor(image.pixel(0, 0)).rgb(), QColor(Qt::black).rgb());
    QCOMPARE(QColor(image.pixel(8, 0)).rgb(), QColor(Qt::black).rgb());
    QCOMPARE(QColor(image.pixel(0, 4)).rgb(), QColor(Qt::white).rgb());
    QCOMPARE(QColor(image.pixel(dotCentre(*m_dots, 1))).rgb(), QColor(Qt::black).rgb());

    m_dots->setMinDots(1);
    m_dots->setFilled(1);
    m_dots->setFreebies(0);
    image = m_dots->grab().toImage();
    // Dot 1 now fills the first cell instead of the cross.
    QCOMPARE(QColor(image.pixel(4, 4)).rgb(), QColor(Qt::black).rgb());
    QCOMPARE(QColor(image.pixel(0, 0)).rgb(), QColor(Qt::white).rgb());
}

void TestVampireDots::backgroundFollowsParent()
{
    m_dots->setMinDots(1);
    QCOMPARE(m_dots->Color(), QColor(Qt::white));
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Window, QColor(0, 64, 0));
    m_window->setPalette(palette);
    QCOMPARE(m_dots->Color(), QColor(0, 64, 0));
    QCOMPARE(QColor(m_dots->grab().toImage().pixel(dotCentre(*m_dots, 5))), QColor(0, 64, 0));

    m_dots->setColor(QColor(10, 20, 30));
    QVERIFY(!m_dots->ParentColor());
    QCOMPARE(m_dots->Color(), QColor(10, 20, 30));
    QCOMPARE(QColor(m_dots->grab().toImage().pixel(dotCentre(*m_dots, 5))), QColor(10, 20, 30));
    m_dots->setParentColor(true);
    QCOMPARE(m_dots->Color(), QColor(0, 64, 0));
}

QTEST_MAIN(TestVampireDots)
#include "tst_vampiredots.moc"
