#include "controls/TPriorityBox.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// The centre of the cell of a column (0 to 2) and rank (0 to 2) in a 70 x 70 box.
QPoint cell(int column, int rank)
{
    return QPoint(column * 23 + 11, rank * 23 + 11);
}

QList<int> categories(const TPriorityBox& box)
{
    return {box.CategoryOne(), box.CategoryTwo(), box.CategoryThree()};
}

} // namespace

class TestPriorityBox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newBox();
    void pressSwaps_data();
    void pressSwaps();
    void valueFollowsRank();
    void categoryWritesArePlain();
    void equalValues();
    void rightPressReassignsWithoutClick();
    void clickNeedsReleaseOverBox();
    void paintsEngravedGrid();

private:
    QWidget* m_window = nullptr;
    TPriorityBox* m_box = nullptr;
};

void TestPriorityBox::init()
{
    m_window = new QWidget;
    m_window->resize(100, 100);
    m_box = new TPriorityBox(m_window);
    m_box->setGeometry(10, 10, 70, 70);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestPriorityBox::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestPriorityBox::newBox()
{
    TPriorityBox box;
    QCOMPARE(box.size(), QSize(50, 50));
    QCOMPARE(box.ValueFirst(), 7);
    QCOMPARE(box.ValueSecond(), 5);
    QCOMPARE(box.ValueThird(), 3);
    QCOMPARE(categories(box), (QList<int>{7, 5, 3}));
    QVERIFY(box.testAttribute(Qt::WA_OpaquePaintEvent));
}

void TestPriorityBox::pressSwaps_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QList<int>>("after");
    QTest::newRow("column one, middle row") << cell(0, 1) << QList<int>{5, 7, 3};
    QTest::newRow("column two, bottom row") << cell(1, 2) << QList<int>{7, 3, 5};
    QTest::newRow("cell already held") << cell(2, 2) << QList<int>{7, 5, 3};
}

void TestPriorityBox::pressSwaps()
{
    QSignalSpy clicks(m_box, &TPriorityBox::OnClick);
    QFETCH(QPoint, pos);
    QTest::mouseClick(m_box, Qt::LeftButton, Qt::NoModifier, pos);
    QFETCH(QList<int>, after);
    QCOMPARE(categories(*m_box), after);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.first().first().value<TPriorityBox*>(), m_box);
}

void TestPriorityBox::valueFollowsRank()
{
    QTest::mouseClick(m_box, Qt::LeftButton, Qt::NoModifier, cell(1, 0));
    QCOMPARE(categories(*m_box), (QList<int>{5, 7, 3}));
    m_box->setValueFirst(8);
    QCOMPARE(m_box->ValueFirst(), 8);
    QCOMPARE(categories(*m_box), (QList<int>{5, 8, 3}));

    // The ability allowances are written the same way.
    m_box->setValueFirst(13);
    m_box->setValueSecond(9);
    m_box->setValueThird(5);
    QCOMPARE(categories(*m_box), (QList<int>{9, 13, 5}));
}

void TestPriorityBox::categoryWritesArePlain()
{
    m_box->setCategoryOne(3);
    m_box->setCategoryThree(7);
    QCOMPARE(categories(*m_box), (QList<int>{3, 5, 7}));
    m_box->setCategoryTwo(3);
    QCOMPARE(categories(*m_box), (QList<int>{3, 3, 7}));
}

void TestPriorityBox::equalValues()
{
    m_box->setValueThird(5); // category three follows: 7 / 5 / 5
    QCOMPARE(categories(*m_box), (QList<int>{7, 5, 5}));
    QTest::mouseClick(m_box, Qt::LeftButton, Qt::NoModifier, cell(0, 2));
    // Swapped with category two, the first other holding 5; three keeps its 5.
    QCOMPARE(categories(*m_box), (QList<int>{5, 7, 5}));
}

void TestPriorityBox::rightPressReassignsWithoutClick()
{
    QSignalSpy clicks(m_box, &TPriorityBox::OnClick);
    QTest::mouseClick(m_box, Qt::RightButton, Qt::NoModifier, cell(2, 0));
    QCOMPARE(categories(*m_box), (QList<int>{3, 5, 7}));
    QTest::mouseClick(m_box, Qt::MiddleButton, Qt::NoModifier, cell(0, 0));
    QCOMPARE(categories(*m_box), (QList<int>{7, 5, 3}));
    QCOMPARE(clicks.count(), 0);
}

void TestPriorityBox::clickNeedsReleaseOverBox()
{
    QSignalSpy clicks(m_box, &TPriorityBox::OnClick);
    QTest::mousePress(m_box, Qt::LeftButton, Qt::NoModifier, cell(0, 1));
    QTest::mouseRelease(m_box, Qt::LeftButton, Qt::NoModifier, QPoint(90, 30));
    QCOMPARE(categories(*m_box), (QList<int>{5, 7, 3}));
    QCOMPARE(clicks.count(), 0);
}

void TestPriorityBox::paintsEngravedGrid()
{
    const QColor background(48, 64, 32);
    const QColor silver(192, 192, 192);
    m_box->setColor(background);
    QFont font = m_box->font();
    font.setPixelSize(13);
    m_box->setFont(font);
    m_box->setFontColor(QColor(96, 144, 128));
    const QImage image = m_box->grab().toImage();
    const auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };

    // Silver outline on top and left, black frame inside it and on the far sides.
    QCOMPARE(at(0, 0), silver);
    QCOMPARE(at(1, 30), QColor(Qt::black));
    QCOMPARE(at(30, 1), QColor(Qt::black));
    QCOMPARE(at(68, 30), silver);
    QCOMPARE(at(69, 30), QColor(Qt::black));
    QCOMPARE(at(30, 69), QColor(Qt::black));
    // Each grid line is silver with black one pixel right of or below it.
    QCOMPARE(at(23, 5), silver);
    QCOMPARE(at(24, 5), QColor(Qt::black));
    QCOMPARE(at(5, 46), silver);
    QCOMPARE(at(5, 47), QColor(Qt::black));
    QCOMPARE(at(30, 30), background);

    // Each column shows its number in the row of its rank, and only there.
    const auto inked = [&](int column, int rank) {
        const QPoint centre = cell(column, rank);
        for (int y = centre.y() - 6; y <= centre.y() + 6; ++y) {
            for (int x = centre.x() - 8; x <= centre.x() + 8; ++x) {
                if (at(x, y) != background)
                    return true;
            }
        }
        return false;
    };
    for (int column = 0; column < 3; ++column) {
        for (int rank = 0; rank < 3; ++rank)
            QCOMPARE(inked(column, rank), column == rank);
    }
}

QTEST_MAIN(TestPriorityBox)
#include "tst_prioritybox.moc"
