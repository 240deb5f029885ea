#include "../support/DataRows.h"
#include "../support/Pixels.h"
#include "../support/ProgramFonts.h"
#include "controls/PaintedSection.h"
#include "controls/SheetFonts.h"
#include "controls/TPriorityBox.h"
#include "controls/TVampireDots.h"

#include <QLabel>
#include <QSignalSpy>

using L = QList<int>;

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

// The colours the widget shows at the points.
QList<QColor> colours(QWidget* widget, const QList<QPoint>& points)
{
    const QImage image = widget->grab().toImage();
    QList<QColor> result;
    for (const QPoint& point : points)
        result << image.pixelColor(point);
    return result;
}

const QColor White(Qt::white), Black(Qt::black), Red(255, 0, 0);

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

// The sheet's own controls: the row of dots, the priority box and the texts a section paints.
class TestRatingControls : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->setPalette(QPalette(Qt::white));
        m_window->resize(200, 120);
        m_dots = new TVampireDots(m_window);
        m_dots->move(10, 10);
        m_dots->setDiameter(8);
        m_dots->setSpacing(2);
        m_box = new TPriorityBox(m_window);
        m_box->setGeometry(10, 40, 70, 70);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { delete m_window; }

    void sizeFollowsEveryGeometryWrite()
    {
        TVampireDots fresh;
        QCOMPARE(fresh.size(), QSize(70, 10));
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
        QList<QPoint> centres;
        for (int rating = 1; rating <= 5; ++rating)
            centres << dotCentre(*m_dots, rating);
        QCOMPARE(colours(m_dots, centres), (QList<QColor>{Black, Black, Red, White, White}));
        // The outline runs along the cell's edge; the gap between dots is background.
        QVERIFY(m_dots->grab().toImage().pixelColor(44, 0).lightness() < 128);
        QCOMPARE(colours(m_dots, {{39, 4}, {0, 0}}), (QList<QColor>{White, White}));

        // On a row of one dot minimum, -1 freebies leave every dot empty.
        m_dots->setFilled(0);
        m_dots->setFreebies(0);
        QCOMPARE(m_dots->Freebies(), -1);
        QCOMPARE(colours(m_dots, {dotCentre(*m_dots, 1)}), QList<QColor>{White});
    }

    void paintsCrossOnlyWithZeroCell()
    {
        m_dots->setFilled(1);
        m_dots->setFreebies(0);
        const QList<QPoint> points{{0, 0}, {8, 0}, {4, 4}, {0, 4}, dotCentre(*m_dots, 1)};
        QCOMPARE(colours(m_dots, points), (QList<QColor>{Black, Black, Black, White, Black}));
        // Dot 1 fills the first cell instead of the cross.
        m_dots->setMinDots(1);
        m_dots->setFreebies(0);
        QCOMPARE(colours(m_dots, {{4, 4}, {0, 0}}), (QList<QColor>{Black, White}));
    }

    void backgroundFollowsParent()
    {
        m_dots->setMinDots(1);
        const QColor green(0, 64, 0), own(10, 20, 30);
        m_window->setPalette(QPalette(green));
        QCOMPARE(m_dots->Color(), green);
        QCOMPARE(colours(m_dots, {dotCentre(*m_dots, 5)}), QList<QColor>{green});
        m_dots->setColor(own);
        QVERIFY(!m_dots->ParentColor());
        QCOMPARE(colours(m_dots, {dotCentre(*m_dots, 5)}), QList<QColor>{own});
        m_dots->setParentColor(true);
        QCOMPARE(m_dots->Color(), green);
    }

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
        // Silver outline on top and left, black inside it and on the far sides; each grid line
        // silver with black one pixel right of or below it.
        QCOMPARE(colours(m_box, {{0, 0}, {1, 30}, {68, 30}, {69, 30}, {30, 69}, {23, 5}, {24, 5},
                                 {5, 46}, {5, 47}, {30, 30}}),
                 (QList<QColor>{silver, black, silver, black, black, silver, black, silver, black,
                                background}));
        const QImage image = m_box->grab().toImage();

        // Each column shows its number centred in the row of its rank, and only there.
        for (int column = 0; column < 3; ++column)
            for (int rank = 0; rank < 3; ++rank) {
                const QPoint centre = cell(column, rank);
                const QRect ink = inkBounds(image, QRect(centre - QPoint(8, 6), QSize(17, 13)),
                                            [&](QColor c) { return c != background; });
                QCOMPARE(!ink.isNull(), column == rank);
                if (column == rank)
                    QVERIFY((ink.center() - centre).manhattanLength() <= 1);
            }
    }

    // A section paints its fixed texts and frames pixel for pixel as labels would.
    void paintedSectionDrawsAsLabels_data()
    {
        columns<QString, QString, int, int, QColor, bool>(
            {"text", "face", "size", "alignment", "colour", "box"});
        const int leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
        dataRow("heading", u"Virtues"_qs, SheetFonts::Blackletter, 15, leftCentre,
                SheetFonts::SheetHeadingColour, false);
        dataRow("centred", u"Blood Pool"_qs, SheetFonts::Blackletter, 15, int(Qt::AlignCenter),
                SheetFonts::SheetHeadingColour, false);
        dataRow("right", u"Blood/Turn:"_qs, SheetFonts::Belwe, 13,
                int(Qt::AlignRight | Qt::AlignVCenter), Black, false);
        dataRow("cut at its place", u"Incapacitated and more"_qs, SheetFonts::Times, 13, leftCentre,
                Black, false);
        dataRow("frame", QString(), SheetFonts::Times, 13, leftCentre, Black, true);
    }
    void paintedSectionDrawsAsLabels()
    {
        const auto [text, face, size, alignment, colour, box] =
            fetch<QString, QString, int, int, QColor, bool>(
                {"text", "face", "size", "alignment", "colour", "box"});
        const QRect place(7, 5, 90, 17);
        const QFont font = SheetFonts::face(face, size);
        auto page = [](QWidget* content) {
            auto* paper = new QWidget;
            paper->setAutoFillBackground(true);
            paper->setPalette(QPalette(Qt::black, Qt::white));
            paper->resize(110, 30);
            content->setParent(paper);
            content->resize(paper->size());
            return paper;
        };
        auto* section = new PaintedSection;
        if (box)
            section->addBox(place);
        else
            section->addText(text, font, place, Qt::Alignment(alignment), colour);
        auto* holder = new QWidget;
        auto* label = new QLabel(text, holder);
        label->setFont(font);
        label->setGeometry(place);
        label->setAlignment(Qt::Alignment(alignment));
        SheetFonts::setTextColour(label, colour);
        if (box)
            label->setFrameShape(QFrame::Box);
        const std::unique_ptr<QWidget> painted(page(section)), labelled(page(holder));
        const QImage expected = labelled->grab().toImage();
        QVERIFY(countPixels(expected, expected.rect(), [](QColor c) { return c != Qt::white; }) > 0);
        QCOMPARE(painted->grab().toImage(), expected);
    }

private:
    ProgramFonts m_fonts;
    QWidget* m_window = nullptr;
    TVampireDots* m_dots = nullptr;
    TPriorityBox* m_box = nullptr;
};

QTEST_MAIN(TestRatingControls)
#include "tst_ratingcontrols.moc"
