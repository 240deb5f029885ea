#include "../support/DataRows.h"
#include "../support/Pixels.h"
#include "../support/ProgramFonts.h"
#include "output/Pictures.h"

#include <QSet>
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

using Pixels = std::function<bool(QColor)>;

Pixels colour(QColor wanted)
{
    return [wanted](QColor c) { return c.rgb() == wanted.rgb(); };
}

Pixels darker(int gray)
{
    return [gray](QColor c) { return qGray(c.rgb()) < gray; };
}

const QColor Caption(96, 160, 128);
const QColor Red(255, 0, 0);

} // namespace

Q_DECLARE_METATYPE(Picture)
Q_DECLARE_METATYPE(Pixels)

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
        dataRow("printDialogBackground", Picture(Pictures::printDialogBackground), QSize(200, 165),
                true);
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

    void titleIsCentredInTheTitleBar()
    {
        const QImage image = Pictures::background();
        // Only the middle of the bar: the window glyphs at its right end share the colour.
        const QRect middle(300, 0, 200, 25);
        const auto caption = [](QColor c) { return near(c, Caption, 12); };
        QVERIFY(countPixels(image, middle, caption) >= 20);
        const QRect ink = inkBounds(image, middle, caption);
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
        const Picture button(Pictures::buttonFace), dialogButton(Pictures::dialogButton);
        const Picture preset(Pictures::presetFace), dialog(Pictures::dialogBackground);
        // The widest button label, "Character Sheet" in 13 px type, centred.
        const QRect label(11, 8, 85, 15), presetLabel(6, 5, 78, 15);
        dataRow("button caption", button, label, Caption, 4.5);
        dataRow("button red", button, label, Red, 3.5);
        dataRow("dialog button caption", dialogButton, label, Caption, 4.5);
        dataRow("dialog button red", dialogButton, label, Red, 3.5);
        // Preset labels are black, or red while their preset is in force.
        dataRow("preset black", preset, presetLabel, QColor(Qt::black), 12.0);
        dataRow("preset red", preset, presetLabel, Red, 3.0);
        // The preset face sits on white panels: its rim must stand out from them.
        dataRow("preset rim", preset, QRect(0, 0, 90, 1), QColor(Qt::white), 3.0);
        // The question texts and the caption of both dialogs.
        dataRow("dialog question", dialog, QRect(8, 8, 185, 81), Caption, 4.5);
        dataRow("dialog form text", dialog, QRect(9, 56, 77, 65), Caption, 4.5);
        dataRow("dialog caption", dialog, QRect(5, 6, 190, 27), Caption, 4.5);
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

    // How many pixels of an area pass a test, from least to most.
    void areas_data()
    {
        columns<Picture, QRect, Pixels, int, int>({"picture", "area", "pixels", "least", "most"});
        const Picture background(Pictures::background), divider(Pictures::divider);
        const Picture checked(Pictures::checked), unChecked(Pictures::unChecked);
        const Pixels white = colour(Qt::white), opaque = [](QColor c) { return c.alpha() == 255; };
        // The white dock and the black technical dock fill their places exactly: a ring one
        // pixel wide around each holds none of their colour.
        dataRow("dock", background, QRect(8, 59, 596, 504), white, 594 * 502, 594 * 502);
        dataRow("technical dock", background, QRect(637, 59, 155, 347), colour(Qt::black),
                153 * 345, 153 * 345);
        dataRow("divider's caption place", divider, QRect(222, 10, 150, 12), white, 1800, 1800);
        // The rule runs out nearly to both ends, in ink dark enough to print.
        for (const int x : {20, 150, 444, 574})
            QTest::addRow("divider's rule at %d", x)
                << divider << QRect(x, 0, 1, 31) << darker(40) << 1 << 31;
        // The groove line runs at x 9 and 10 of the column; the thumb hides it where it sits.
        dataRow("thumb over the groove", Picture(Pictures::scrollThumb), QRect(9, 0, 2, 20), opaque,
                40, 40);
        dataRow("tick", checked, QRect(3, 3, 6, 6), darker(60), 1, 36);
        dataRow("no tick", unChecked, QRect(3, 3, 6, 6), darker(181), 0, 0);
        // The rules panel shows only the top 12 rows of a box: the box ends there, and the
        // last row is the panel's white.
        for (const auto& [name, box] : {std::pair{"ticked", checked}, {"empty", unChecked}}) {
            QTest::addRow("%s box's last line", name)
                << box << QRect(0, 11, 12, 1) << darker(128) << 12 << 12;
            QTest::addRow("%s box's white row", name)
                << box << QRect(0, 12, 12, 1) << white << 12 << 12;
        }
    }
    void areas()
    {
        const auto [picture, area, pixels, least, most] =
            fetch<Picture, QRect, Pixels, int, int>({"picture", "area", "pixels", "least", "most"});
        const int count = countPixels(picture(), area, pixels);
        QVERIFY2(count >= least && count <= most, qPrintable(QString::number(count)));
    }

private:
    ProgramFonts m_fonts;
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
