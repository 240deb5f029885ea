#include "../support/DataRows.h"
#include "../support/Pixels.h"
#include "controls/TPriorityBox.h"

#include <QSignalSpy>
#include <QtTest>

using L = QList<int>;

namespace {

// The centre of the cell of a column (0 to 2) and rank (0 to 2) in a 70 x 70 box.
QPoint cell(int column, int rank)
{
    return QPoint((2 * column + 1) * 70 / 6, (2 * rank + 1) * 70 / 6);
}

L categories(const TPriorityBox& box)
{
    return {box.CategoryOne(), box.CategoryTwo(), box.CategoryThree()};
}

} // namespace

class TestPriorityBox : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->resize(100, 100);
        m_box = new TPriorityBox(m_window);
        m_box->setGeometry(10, 10, 70, 70);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { delete m_window; }

    // Any button reassigns the rank; only a left press released over the box is a click.
    void presses_data()
    {
        columns<Qt::MouseButton, QPoint, QPoint, L, int>(
            {"button", "press", "release", "after", "clicks"});
        dataRow("left click", Qt::LeftButton, cell(1, 2), cell(1, 2), L{7, 3, 5}, 1);
        dataRow("released elsewhere", Qt::LeftButton, cell(0, 1), QPoint(90, 30), L{5, 7, 3}, 0);
        dataRow("right button", Qt::RightButton, cell(2, 0), cell(2, 0), L{3, 5, 7}, 0);
        dataRow("middle button", Qt::MiddleButton, cell(0, 1), cell(0, 1), L{5, 7, 3}, 0);
    }
    void presses()
    {
        const auto [button, press, release] =
            fetch<Qt::MouseButton, QPoint, QPoint>({"button", "press", "release"});
        QSignalSpy clicked(m_box, &TPriorityBox::OnClick);
        QTest::mousePress(m_box, button, Qt::NoModifier, press);
        QTest::mouseRelease(m_box, button, Qt::NoModifier, release);
        QTEST(categories(*m_box), "after");
        QTEST(int(clicked.count()), "clicks");
    }

    void propertiesReachTheGrid()
    {
        QCOMPARE(categories(*m_box), (L{7, 5, 3}));
        m_box->setValueFirst(13);
        m_box->setValueSecond(9);
        m_box->setValueThird(4);
        QCOMPARE(categories(*m_box), (L{13, 9, 4}));
        QCOMPARE((L{m_box->ValueFirst(), m_box->ValueSecond(), m_box->ValueThird()}),
                 (L{13, 9, 4}));
        m_box->setCategoryOne(4);
        m_box->setCategoryThree(13);
        QCOMPARE(categories(*m_box), (L{4, 9, 13}));
        m_box->setCategoryTwo(4);
        QCOMPARE(categories(*m_box), (L{4, 4, 13}));
    }

    void paintsEngravedGrid()
    {
        const QColor background(48, 64, 32), silver(192, 192, 192), black(Qt::black);
        m_box->setColor(background);
        QFont font = m_box->font();
        font.setPixelSize(13);
        m_box->setFont(font);
        m_box->setFontColor(QColor(96, 144, 128));
        const QImage image = m_box->grab().toImage();
        const auto at = [&](int x, int y) { return image.pixelColor(x, y); };

        // Silver outline on top and left, black inside it and on the far sides; each grid line
        // silver with black one pixel right of or below it.
        QCOMPARE(at(0, 0), silver);
        QCOMPARE(at(1, 30), black);
        QCOMPARE(at(68, 30), silver);
        QCOMPARE(at(69, 30), black);
        QCOMPARE(at(30, 69), black);
        QCOMPARE(at(23, 5), silver);
        QCOMPARE(at(24, 5), black);
        QCOMPARE(at(5, 46), silver);
        QCOMPARE(at(5, 47), black);
        QCOMPARE(at(30, 30), background);

        // Each column shows its number centred in the row of its rank, and only there.
        for (int column = 0; column < 3; ++column)
            for (int rank = 0; rank < 3; ++rank) {
                const QPoint centre = cell(column, rank);
                const QRect ink = inkBounds(image, QRect(centre - QPoint(8, 6), QSize(17, 13)),
                                            [&](QColor c) { return c != background; });
                QCOMPARE(!ink.isNull(), column == rank);
                if (column == rank)
                    QVERIFY2(
                        (ink.center() - centre).manhattanLength() <= 1,
                        qPrintable(
                            QStringLiteral("%1,%2").arg(ink.center().x()).arg(ink.center().y())));
            }
    }

private:
    QWidget* m_window = nullptr;
    TPriorityBox* m_box = nullptr;
};

QTEST_MAIN(TestPriorityBox)
#include "tst_prioritybox.moc"
