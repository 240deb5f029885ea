#include "app/FontRegistry.h"
#include "app/Pictures.h"

#include <QDir>
#include <QSet>
#include <QtTest>
#include <cmath>
#include <functional>

namespace {

using Picture = std::function<QImage()>;

// Relative luminance and contrast ratio as the usual readability guidelines define them.
double luminance(QColor colour)
{
    auto linear = [](double channel) {
        channel /= 255.0;
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast text of this colour would have anywhere in area.
double worstContrast(const QImage& image, const QRect& area, QColor text)
{
    double worst = 100;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            worst = std::min(worst, contrast(image.pixelColor(x, y), text));
    return worst;
}

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

const QColor kCaption(96, 160, 128);
const QColor kRed(255, 0, 0);

} // namespace

Q_DECLARE_METATYPE(Picture)

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void eachPictureHasItsSizeAndContent_data();
    void eachPictureHasItsSizeAndContent();

    void dockIsWhiteToItsEdges();
    void techDockIsBlackToItsEdges();
    void titleIsCentredInTheTitleBar();
    void scrollColumnStaysQuiet();

    void buttonLabelsRead_data();
    void buttonLabelsRead();
    void presetLabelsRead();
    void dialogTextAreasRead();
    void dividerLeavesItsCaptionPlaceWhite();
    void thumbCoversTheGrooveLine();
    void tickBoxesShowTheirState();

private:
    FontRegistry m_fonts;
};

void TestPictures::initTestCase()
{
    // The pictures ask for the program's own faces; without them the title would be drawn in
    // whatever the system offers.
    m_fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
    QCOMPARE(m_fonts.registeredCount(), 4);
}

void TestPictures::eachPictureHasItsSizeAndContent_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("opaque");

    QTest::newRow("background") << Picture(Pictures::background) << QSize(800, 572) << true;
    QTest::newRow("buttonFace") << Picture(Pictures::buttonFace) << QSize(107, 31) << true;
    QTest::newRow("presetFace") << Picture(Pictures::presetFace) << QSize(90, 25) << true;
    QTest::newRow("divider") << Picture(Pictures::divider) << QSize(594, 31) << true;
    QTest::newRow("scrollThumb") << Picture(Pictures::scrollThumb) << QSize(20, 20) << false;
    QTest::newRow("checked") << Picture(Pictures::checked) << QSize(12, 13) << true;
    QTest::newRow("unChecked") << Picture(Pictures::unChecked) << QSize(12, 13) << true;
    QTest::newRow("aboutPicture") << Picture(Pictures::aboutPicture) << QSize(240, 240) << true;
    QTest::newRow("dialogBackground")
        << Picture(Pictures::dialogBackground) << QSize(200, 143) << true;
    QTest::newRow("dialogButton") << Picture(Pictures::dialogButton) << QSize(107, 31) << true;
}

void TestPictures::eachPictureHasItsSizeAndContent()
{
    QFETCH(Picture, picture);
    QFETCH(QSize, size);
    QFETCH(bool, opaque);

    const QImage first = picture();
    QCOMPARE(first.size(), size);
    QCOMPARE(first.hasAlphaChannel(), !opaque);

    QSet<QRgb> colours;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x)
            colours.insert(first.pixel(x, y));
    QVERIFY2(colours.size() >= 6, qPrintable(QString::number(colours.size())));

    // Drawn once: a second call hands out the same picture.
    QCOMPARE(picture().cacheKey(), first.cacheKey());

    const QString folder = qEnvironmentVariable("TARNOCH_PICTURES_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        QVERIFY(first.save(QDir(folder).filePath(QString::fromLatin1(QTest::currentDataTag()) +
                                                 QStringLiteral(".png"))));
    }
}

void TestPictures::dockIsWhiteToItsEdges()
{
    const QImage image = Pictures::background();
    const QRect dock(9, 60, 594, 502);
    for (int y = dock.top(); y <= dock.bottom(); ++y)
        for (int x = dock.left(); x <= dock.right(); ++x)
            QVERIFY2(image.pixel(x, y) == qRgb(255, 255, 255),
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));

    // The recess frames the dock closely: no white bleeds out beyond it.
    const QRect ring = dock.adjusted(-1, -1, 1, 1);
    for (int x = ring.left(); x <= ring.right(); ++x) {
        QVERIFY(image.pixel(x, ring.top()) != qRgb(255, 255, 255));
        QVERIFY(image.pixel(x, ring.bottom()) != qRgb(255, 255, 255));
    }
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        QVERIFY(image.pixel(ring.left(), y) != qRgb(255, 255, 255));
        QVERIFY(image.pixel(ring.right(), y) != qRgb(255, 255, 255));
    }
}

void TestPictures::techDockIsBlackToItsEdges()
{
    const QImage image = Pictures::background();
    const QRect techDock(638, 60, 153, 345);
    for (int y = techDock.top(); y <= techDock.bottom(); ++y)
        for (int x = techDock.left(); x <= techDock.right(); ++x)
            QVERIFY2(image.pixel(x, y) == qRgb(0, 0, 0),
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));

    // Framed closely: the black ends exactly at its edges.
    const QRect ring = techDock.adjusted(-1, -1, 1, 1);
    for (int x = ring.left(); x <= ring.right(); ++x) {
        QVERIFY(image.pixel(x, ring.top()) != qRgb(0, 0, 0));
        QVERIFY(image.pixel(x, ring.bottom()) != qRgb(0, 0, 0));
    }
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        QVERIFY(image.pixel(ring.left(), y) != qRgb(0, 0, 0));
        QVERIFY(image.pixel(ring.right(), y) != qRgb(0, 0, 0));
    }
}

void TestPictures::titleIsCentredInTheTitleBar()
{
    const QImage image = Pictures::background();
    // Only the middle of the bar: the window glyphs at its right end share the colour.
    const QRect middle(300, 0, 200, 25);
    QRect ink;
    int count = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x)
            if (near(image.pixelColor(x, y), kCaption, 12)) {
                ink |= QRect(x, y, 1, 1);
                ++count;
            }
    QVERIFY2(count >= 20, qPrintable(QString::number(count)));
    QVERIFY2(std::abs(ink.center().x() - 400) <= 4, qPrintable(QString::number(ink.center().x())));
    QVERIFY2(ink.height() >= 9 && ink.bottom() < 24,
             qPrintable(QStringLiteral("%1..%2").arg(ink.top()).arg(ink.bottom())));
}

void TestPictures::scrollColumnStaysQuiet()
{
    // The window draws the groove line at x 619/620 over this column; anything that changes
    // sharply from one row to the next would cut across it.
    const QImage image = Pictures::background();
    for (int x = 612; x <= 627; ++x)
        for (int y = 60; y < 561; ++y) {
            const QColor here = image.pixelColor(x, y);
            QVERIFY2(near(here, image.pixelColor(x, y + 1), 8),
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            QVERIFY2(contrast(here, kCaption) > 3.0,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
}

void TestPictures::buttonLabelsRead_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::newRow("buttonFace") << Picture(Pictures::buttonFace);
    QTest::newRow("dialogButton") << Picture(Pictures::dialogButton);
}

void TestPictures::buttonLabelsRead()
{
    QFETCH(Picture, picture);
    const QImage image = picture();
    // The widest label, "Character Sheet" in 13 px type, centred.
    const QRect label(11, 8, 85, 15);
    const double caption = worstContrast(image, label, kCaption);
    const double red = worstContrast(image, label, kRed);
    QVERIFY2(caption >= 4.5, qPrintable(QString::number(caption)));
    QVERIFY2(red >= 3.5, qPrintable(QString::number(red)));
}

void TestPictures::presetLabelsRead()
{
    // Preset labels are black, or red while their preset is in force.
    const QImage image = Pictures::presetFace();
    const QRect label(6, 5, 78, 15);
    const double black = worstContrast(image, label, Qt::black);
    const double red = worstContrast(image, label, kRed);
    QVERIFY2(black >= 12, qPrintable(QString::number(black)));
    QVERIFY2(red >= 3.0, qPrintable(QString::number(red)));

    // It sits on white panels: its rim must stand out from them.
    for (int x = 0; x < image.width(); ++x)
        QVERIFY(contrast(image.pixelColor(x, 0), Qt::white) > 3.0);
}

void TestPictures::dialogTextAreasRead()
{
    const QImage image = Pictures::dialogBackground();
    // The question texts and the caption of both dialogs.
    for (const QRect& area : {QRect(8, 8, 185, 81), QRect(9, 56, 77, 65), QRect(0, 6, 200, 27)}) {
        const QRect inside = area & QRect(5, 5, 190, 133);
        const double worst = worstContrast(image, inside, kCaption);
        QVERIFY2(worst >= 4.5, qPrintable(QString::number(worst)));
    }
}

void TestPictures::dividerLeavesItsCaptionPlaceWhite()
{
    const QImage image = Pictures::divider();
    const QRect caption(297 - 75, 10, 150, 12);
    for (int y = caption.top(); y <= caption.bottom(); ++y)
        for (int x = caption.left(); x <= caption.right(); ++x)
            QVERIFY2(image.pixel(x, y) == qRgb(255, 255, 255),
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));

    // The rule itself runs out nearly to both ends, in ink dark enough to print.
    for (const int x : {20, 150, 444, 574}) {
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
        QVERIFY2(darkest < 40, qPrintable(QStringLiteral("%1: %2").arg(x).arg(darkest)));
    }
}

void TestPictures::thumbCoversTheGrooveLine()
{
    // The groove line runs at x 9 and 10 of the column; the thumb must hide it where it sits.
    const QImage image = Pictures::scrollThumb();
    for (int y = 0; y < image.height(); ++y)
        for (const int x : {9, 10})
            QVERIFY2(qAlpha(image.pixel(x, y)) == 255,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void TestPictures::tickBoxesShowTheirState()
{
    const QImage ticked = Pictures::checked();
    const QImage empty = Pictures::unChecked();
    auto darkestInside = [](const QImage& image) {
        int darkest = 255;
        for (int y = 3; y <= 8; ++y)
            for (int x = 3; x <= 8; ++x)
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        return darkest;
    };
    QVERIFY2(darkestInside(ticked) < 60, qPrintable(QString::number(darkestInside(ticked))));
    QVERIFY2(darkestInside(empty) > 180, qPrintable(QString::number(darkestInside(empty))));

    // The option boxes of the rules panel show only the top 12 rows, so the box ends there and
    // the last row is the panel's white.
    for (const QImage& image : {ticked, empty})
        for (int x = 0; x < image.width(); ++x) {
            QCOMPARE(image.pixel(x, 12), qRgb(255, 255, 255));
            QVERIFY(qGray(image.pixel(x, 11)) < 128);
        }
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
