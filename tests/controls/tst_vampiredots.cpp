#include "../support/DataRows.h"
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
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// A move with the given buttons held; QTest::mouseMove carries no button state for widgets.
void moveTo(QWidget* widget, QPoint pos, Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

QPoint dotCentre(const TVampireDots& dots, int rating)
{
    const int left = (rating - dots.MinDots()) * (dots.Diameter() + dots.Spacing());
    return QPoint(left + dots.Diameter() / 2, dots.Diameter() / 2);
}

QColor pixel(TVampireDots* dots, QPoint pos)
{
    return dots->grab().toImage().pixelColor(pos);
}

const QColor White(Qt::white), Black(Qt::black), Red(255, 0, 0);

} // namespace

class TestVampireDots : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->setPalette(QPalette(Qt::white));
        m_window->resize(200, 40);
        m_dots = new TVampireDots(m_window);
        m_dots->move(10, 10);
        m_dots->setDiameter(8);
        m_dots->setSpacing(2);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { delete m_window; }

    void sizeFollowsEveryGeometryWrite()
    {
        TVampireDots fresh;
        QCOMPARE(fresh.size(), QSize(70, 10));
        QCOMPARE(fresh.FreebieColor(), Red);
        // A size set by hand lasts only until the next geometry write.
        m_dots->resize(300, 30);
        m_dots->setMaxDots(10);
        QCOMPARE(m_dots->size(), QSize(108, 8));
        m_dots->setMinDots(1);
        QCOMPARE(m_dots->size(), QSize(98, 8));
        QCOMPARE(m_dots->sizeHint(), QSize(98, 8));
        m_dots->setDiameter(10);
        QCOMPARE(m_dots->size(), QSize(118, 10));
    }

    // Only the left button sets the rating; every press is passed on once the control has
    // handled it.
    void pressSetsRating_data()
    {
        // The rating whose dot is pressed, and the rating after it.
        columns<Qt::MouseButton, int, int, int, int>(
            {"button", "minDots", "filled", "pressed", "result"});
        dataRow("higher dot", Qt::LeftButton, 1, 1, 4, 4);
        dataRow("lower dot", Qt::LeftButton, 1, 4, 2, 2);
        dataRow("current rating drops by one", Qt::LeftButton, 1, 4, 4, 3);
        dataRow("held at minimum 1", Qt::LeftButton, 1, 1, 1, 1);
        dataRow("rating 1 drops to 0", Qt::LeftButton, 0, 1, 1, 0);
        dataRow("cross", Qt::LeftButton, 0, 3, 0, 0);
        dataRow("cross on an empty row", Qt::LeftButton, 0, 0, 0, 0);
        dataRow("right button", Qt::RightButton, 0, 2, 4, 2);
    }
    void pressSetsRating()
    {
        const auto [button, minDots, filled, pressed, result] =
            fetch<Qt::MouseButton, int, int, int, int>(
                {"button", "minDots", "filled", "pressed", "result"});
        m_dots->setMinDots(minDots);
        m_dots->setFilled(filled);
        QSignalSpy changes(m_dots, &TVampireDots::OnChange);
        QSignalSpy downs(m_dots, &TVampireDots::OnMouseDown);
        const QPoint pos = dotCentre(*m_dots, pressed);
        QTest::mouseClick(m_dots, button, Qt::ShiftModifier, pos);
        QCOMPARE(m_dots->Filled(), result);
        QCOMPARE(m_dots->Selected(), result);
        QCOMPARE(changes.count(), result != filled ? 1 : 0);
        QCOMPARE(downs.count(), 1);
        QCOMPARE(downs[0][1].value<Qt::MouseButton>(), button);
        QCOMPARE(downs[0][2].value<Qt::KeyboardModifiers>(),
                 Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(QPoint(downs[0][3].toInt(), downs[0][4].toInt()), pos);
    }

    void dragReturnsToDotUnderPointer()
    {
        m_dots->setMinDots(1);
        m_dots->setFilled(3);
        QSignalSpy changes(m_dots, &TVampireDots::OnChange);
        const QPoint three = dotCentre(*m_dots, 3);
        QTest::mousePress(m_dots, Qt::LeftButton, Qt::NoModifier, three);
        QCOMPARE(m_dots->Filled(), 2);
        // Still inside dot 3: the press lowered the rating, the move puts it back.
        moveTo(m_dots, three + QPoint(1, 0));
        QCOMPARE(m_dots->Filled(), 3);
        moveTo(m_dots, dotCentre(*m_dots, 5));
        QCOMPARE(m_dots->Filled(), 5);
        QTest::mouseRelease(m_dots, Qt::LeftButton, Qt::NoModifier, dotCentre(*m_dots, 5));
        QCOMPARE(changes.count(), 3);
        moveTo(m_dots, QPoint(4, 4), Qt::NoButton); // no button held: no drag
        QCOMPARE(m_dots->Filled(), 5);
    }

    // A new rating is reported at once but drawn only by the owner's Freebies write, which
    // paints before it returns, changed or not.
    void onlyTheFreebiesWritePaints()
    {
        m_dots->setFilled(3);
        QCoreApplication::processEvents();
        PaintCounter paints;
        m_dots->installEventFilter(&paints);
        QSignalSpy changes(m_dots, &TVampireDots::OnChange);
        m_dots->setFilled(3);
        m_dots->setFilled(4);
        QCoreApplication::processEvents();
        QCOMPARE(changes.count(), 1);
        QCOMPARE(paints.count, 0);
        m_dots->setFreebies(0);
        QCOMPARE(paints.count, 1);
        m_dots->setFreebies(0);
        QCOMPARE(paints.count, 2);
    }

    void paintsDotsInTheirColours()
    {
        m_dots->setMinDots(1);
        m_dots->setFilled(3);
        m_dots->setFreebies(1);
        const QImage image = m_dots->grab().toImage();
        QList<QColor> centres;
        for (int rating = 1; rating <= 5; ++rating)
            centres << image.pixelColor(dotCentre(*m_dots, rating));
        QCOMPARE(centres, (QList<QColor>{Black, Black, Red, White, White}));
        // The outline runs along the cell's edge; the gap between dots is background.
        QVERIFY(image.pixelColor(44, 0).lightness() < 128);
        QCOMPARE(image.pixelColor(39, 4), White);
        QCOMPARE(image.pixelColor(0, 0), White);

        // On a row of one dot minimum, -1 freebies leave every dot empty.
        m_dots->setFilled(0);
        m_dots->setFreebies(0);
        QCOMPARE(m_dots->Freebies(), -1);
        QCOMPARE(pixel(m_dots, dotCentre(*m_dots, 1)), White);
    }

    void paintsCrossOnlyWithZeroCell()
    {
        m_dots->setFilled(1);
        m_dots->setFreebies(0);
        const QImage image = m_dots->grab().toImage();
        for (const QPoint corner : {QPoint(0, 0), QPoint(8, 0), QPoint(4, 4)})
            QCOMPARE(image.pixelColor(corner), Black);
        QCOMPARE(image.pixelColor(0, 4), White);
        QCOMPARE(image.pixelColor(dotCentre(*m_dots, 1)), Black);
        // Dot 1 fills the first cell instead of the cross.
        m_dots->setMinDots(1);
        m_dots->setFreebies(0);
        QCOMPARE(pixel(m_dots, QPoint(4, 4)), Black);
        QCOMPARE(pixel(m_dots, QPoint(0, 0)), White);
    }

    void backgroundFollowsParent()
    {
        m_dots->setMinDots(1);
        const QColor green(0, 64, 0), own(10, 20, 30);
        m_window->setPalette(QPalette(green));
        QCOMPARE(m_dots->Color(), green);
        QCOMPARE(pixel(m_dots, dotCentre(*m_dots, 5)), green);
        m_dots->setColor(own);
        QVERIFY(!m_dots->ParentColor());
        QCOMPARE(pixel(m_dots, dotCentre(*m_dots, 5)), own);
        m_dots->setParentColor(true);
        QCOMPARE(m_dots->Color(), green);
    }

private:
    QWidget* m_window = nullptr;
    TVampireDots* m_dots = nullptr;
};

QTEST_MAIN(TestVampireDots)
#include "tst_vampiredots.moc"
