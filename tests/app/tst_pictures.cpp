#include "../support/DataRows.h"
#include "../support/Pixels.h"
#include "../support/ProgramFonts.h"
#include "app/Pictures.h"

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

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

const QColor Caption(96, 160, 128);
const QColor Red(255, 0, 0);

} // namespace

Q_DECLARE_METATYPE(Picture)

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void eachPictureHasItsSizeAndContent_data()
    {
        columns<Picture, QSize, bool>({"picture", "size", "opaque"});
        dataRow("background", Picture(Pictures::background), QSize(800, 572), true);
        dataRow("buttonFace", Picture(Pictures::buttonFace), QSize(107, 31), true);
        dataRow("presetFace", Picture(Pictures::presetFace), QSize(90, 25), true);
        dataRow("divider", Picture(Pictures::divider), QSize(594, 31), true);
        dataRow("scrollThumb", Picture(Pictures::scrollThumb), QSize(20, 20), false);
        dataRow("checked", Picture(Pictures::checked), QSize(12, 13), true);
        dataRow("unChecked", Picture(Pictures::unChecked), QSize(12, 13), true);
        dataRow("aboutPicture", Picture(Pictures::aboutPicture), QSize(240, 240), true);
        dataRow("dialogBackground", Picture(Pictures::dialogBackground), QSize(200, 143), true);
        dataRow("dialogButton", Picture(Pictures::dialogButton), QSize(107, 31), true);
    }
    void eachPictureHasItsSizeAndContent()
    {
        const auto [picture, size, opaque] =
            fetch<Picture, QSize, bool>({"picture", "size", "opaque"});
        const QImage first = picture();
        QCOMPARE(first.size(), size);
        QCOMPARE(first.hasAlphaChannel(), !opaque);
        QSet<QRgb> colours;
        forEachPixel(first, first.rect(), [&](const QColor& c) { colours.insert(c.rgba()); });
        QVERIFY2(colours.size() >= 6, qPrintable(QString::number(colours.size())));
        // Drawn once: a second call hands out the same picture.
        QCOMPARE(picture().cacheKey(), first.cacheKey());
    }

    // The white dock and the black technical dock fill their places exactly: framed closely,
    // with nothing of their colour bleeding out.
    void docksFillTheirPlaces_data()
    {
        columns<QRect, QColor>({"dock", "colour"});
        dataRow("dock", QRect(9, 60, 594, 502), QColor(Qt::white));
        dataRow("technical dock", QRect(638, 60, 153, 345), QColor(Qt::black));
    }
    void docksFillTheirPlaces()
    {
        const auto [dock, colour] = fetch<QRect, QColor>({"dock", "colour"});
        const QImage image = Pictures::background();
        QCOMPARE(countColour(image, dock, colour), dock.width() * dock.height());
        const QRect ring = dock.adjusted(-1, -1, 1, 1);
        for (const QRect& edge : {QRect(ring.topLeft(), QSize(ring.width(), 1)),
                                  QRect(ring.bottomLeft(), QSize(ring.width(), 1)),
                                  QRect(ring.topLeft(), QSize(1, ring.height())),
                                  QRect(ring.topRight(), QSize(1, ring.height()))})
            QCOMPARE(countColour(image, edge, colour), 0);
    }

    void titleIsCentredInTheTitleBar()
    {
        const QImage image = Pictures::background();
        // Only the middle of the bar: the window glyphs at its right end share the colour.
        const QRect middle(300, 0, 200, 25);
        QRect ink;
        int count = 0;
        for (int y = middle.top(); y <= middle.bottom(); ++y)
            for (int x = middle.left(); x <= middle.right(); ++x)
                if (near(image.pixelColor(x, y), Caption, 12)) {
                    ink |= QRect(x, y, 1, 1);
                    ++count;
                }
        QVERIFY2(count >= 20, qPrintable(QString::number(count)));
        QVERIFY2(std::abs(ink.center().x() - 400) <= 4,
                 qPrintable(QString::number(ink.center().x())));
        QVERIFY2(ink.height() >= 9 && ink.bottom() < 24,
                 qPrintable(QStringLiteral("%1..%2").arg(ink.top()).arg(ink.bottom())));
    }

    void scrollColumnStaysQuiet()
    {
        // The window draws the groove line at x 619/620 over this column; anything that
        // changes sharply from one row to the next would cut across it.
        const QImage image = Pictures::background();
        for (int x = 612; x <= 627; ++x)
            for (int y = 60; y < 561; ++y) {
                const QColor here = image.pixelColor(x, y);
                QVERIFY2(near(here, image.pixelColor(x, y + 1), 8) && contrast(here, Caption) > 3.0,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
    }

    // Text of the given colour reads everywhere in the area it is drawn in.
    void textReads_data()
    {
        columns<Picture, QRect, QColor, double>({"picture", "area", "text", "least"});
        // The widest button label, "Character Sheet" in 13 px type, centred.
        const QRect label(11, 8, 85, 15);
        dataRow("button caption", Picture(Pictures::buttonFace), label, Caption, 4.5);
        dataRow("button red", Picture(Pictures::buttonFace), label, Red, 3.5);
        dataRow("dialog button caption", Picture(Pictures::dialogButton), label, Caption, 4.5);
        dataRow("dialog button red", Picture(Pictures::dialogButton), label, Red, 3.5);
        // Preset labels are black, or red while their preset is in force.
        dataRow("preset black", Picture(Pictures::presetFace), QRect(6, 5, 78, 15),
                QColor(Qt::black), 12.0);
        dataRow("preset red", Picture(Pictures::presetFace), QRect(6, 5, 78, 15), Red, 3.0);
        // The preset face sits on white panels: its rim must stand out from them.
        dataRow("preset rim", Picture(Pictures::presetFace), QRect(0, 0, 90, 1), QColor(Qt::white),
                3.0);
        // The question texts and the caption of both dialogs.
        dataRow("dialog question", Picture(Pictures::dialogBackground), QRect(8, 8, 185, 81),
                Caption, 4.5);
        dataRow("dialog form text", Picture(Pictures::dialogBackground), QRect(9, 56, 77, 65),
                Caption, 4.5);
        dataRow("dialog caption", Picture(Pictures::dialogBackground), QRect(5, 6, 190, 27),
                Caption, 4.5);
    }
    void textReads()
    {
        const auto [picture, area, text, least] =
            fetch<Picture, QRect, QColor, double>({"picture", "area", "text", "least"});
        double worst = 100;
        forEachPixel(picture(), area,
                     [&](const QColor& c) { worst = std::min(worst, contrast(c, text)); });
        QVERIFY2(worst >= least, qPrintable(QString::number(worst)));
    }

    void dividerLeavesItsCaptionPlaceWhite()
    {
        const QImage image = Pictures::divider();
        const QRect caption(297 - 75, 10, 150, 12);
        QCOMPARE(countColour(image, caption, Qt::white), caption.width() * caption.height());
        // The rule itself runs out nearly to both ends, in ink dark enough to print.
        for (const int x : {20, 150, 444, 574})
            QVERIFY2(countPixels(image, QRect(x, 0, 1, image.height()),
                                 [](const QColor& c) { return qGray(c.rgb()) < 40; }),
                     qPrintable(QString::number(x)));
    }

    void thumbCoversTheGrooveLine()
    {
        // The groove line runs at x 9 and 10 of the column; the thumb must hide it where it sits.
        const QImage image = Pictures::scrollThumb();
        const QRect groove(9, 0, 2, image.height());
        QCOMPARE(countPixels(image, groove, [](const QColor& c) { return c.alpha() == 255; }),
                 2 * image.height());
    }

    void tickBoxesShowTheirState()
    {
        const auto darkest = [](const QImage& image) {
            int darkest = 255;
            forEachPixel(image, QRect(3, 3, 6, 6),
                         [&](const QColor& c) { darkest = std::min(darkest, qGray(c.rgb())); });
            return darkest;
        };
        QVERIFY(darkest(Pictures::checked()) < 60);
        QVERIFY(darkest(Pictures::unChecked()) > 180);
        // The option boxes of the rules panel show only the top 12 rows, so the box ends
        // there and the last row is the panel's white.
        for (const QImage& image : {Pictures::checked(), Pictures::unChecked()}) {
            QCOMPARE(countColour(image, QRect(0, 12, 12, 1), Qt::white), 12);
            QCOMPARE(countPixels(image, QRect(0, 11, 12, 1),
                                 [](const QColor& c) { return qGray(c.rgb()) < 128; }),
                     12);
        }
    }

private:
    ProgramFonts m_fonts;
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
