#include "../support/DataRows.h"
#include "../support/Pixels.h"
#include "../support/ProgramFonts.h"
#include "../support/RulesLines.h"
#include "controls/SelectionLayout.h"
#include "controls/TSelectionBox.h"
#include "rules/RuleTables.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <memory>

namespace {

// A stand-in for the main window: the layout the popup works against.
class TestWindow : public QWidget
{
public:
    TestWindow()
    {
        setGeometry(100, 50, 800, 572);
        setAutoFillBackground(true);
        setPalette(QPalette(Qt::white));
        Target->parentWidget()->setGeometry(9, 60, 594, 502);
        TechDock->setGeometry(638, 60, 153, 345);
        TechDockImage->hide();
        DockFadeImage.fill(Qt::black);
        DockInfoImage = DockFadeImage;
    }

    QLineEdit* Target = new QLineEdit(new QWidget(this));
    QWidget* TechDock = new QWidget(this);
    QWidget* TechPanel = new QWidget(TechDock);
    QLabel* TechDockImage = new QLabel(TechDock);
    QImage DockFadeImage = QImage(153, 345, QImage::Format_RGB888), DockInfoImage;
};

QStringList numbered(int count, const QString& entry = QStringLiteral("Entry %1"))
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(entry.arg(i));
    return list;
}

bool anyNonBlack(const QImage& image, const QRect& area)
{
    return countPixels(image, area, [](QColor c) { return c.rgb() != qRgb(0, 0, 0); }) > 0;
}

} // namespace

class TestSelectionBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The offscreen platform can neither raise a popup nor grab the keyboard for it.
        static QtMessageHandler previous = nullptr;
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.startsWith(QLatin1String("This plugin does not support")))
                    previous(type, context, message);
            });
        m_tables.build(shippedRules(), false);
        QVERIFY(m_tables.ClanNames.size() > 10);
    }

    void init()
    {
        m_window = std::make_unique<TestWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        TestWindow* w = m_window.get();
        m_box = new TSelectionBox({w, w->TechDock, w->TechPanel, w->TechDockImage,
                                   &w->DockFadeImage, &w->DockInfoImage, &m_tables},
                                  w);
    }

    void cleanup() { m_window.reset(); }

    void opensOverTintedFramedPicture()
    {
        open(numbered(12), 3);
        QVERIFY(m_box->FadeTimer()->isActive());

        const QImage shot = m_box->grab().toImage().convertToFormat(QImage::Format_RGB888);
        const int w = shot.width(), h = shot.height();
        QCOMPARE(shot.pixelColor(0, 0), QColor(192, 192, 192));
        QCOMPARE(shot.pixelColor(w - 2, h - 2), QColor(192, 192, 192));
        QCOMPARE(shot.pixelColor(w - 1, h - 1), QColor(Qt::black));
        // The white window, three quarters of the way to dark green.
        QCOMPARE(shot.pixelColor(w - 6, 6), QColor(63, 111, 63));

        QVERIFY(m_window->TechDockImage->isVisible());
        QVERIFY(!m_window->TechPanel->isVisible());
    }

    void sizeAndPlace()
    {
        open(numbered(30), 3, QPoint(600, 300));
        const int dockLeft = m_window->TechDock->mapToGlobal(QPoint(0, 0)).x();
        QCOMPARE(m_box->geometry().right() + 1, dockLeft - 5);

        open(numbered(300, QStringLiteral("A rather long entry number %1")), 3);
        QCOMPARE(m_box->size(), QSize(1024, 753));
        // Entries beyond the clipped edge cannot be reached, not even from outside.
        moveTo(QPoint(1100, 100));
        QCOMPARE(m_box->HoverIndex(), -1);
    }

    // The longest lists the data allows or ships: sixty discipline names (with "<NONE>") and
    // the Thaumaturgy powers. Every entry lies inside the popup and can be pointed at.
    void longestListsReachable_data()
    {
        columns<QStringList, int>({"list", "kind"});
        dataRow("60 disciplines", numbered(60, QStringLiteral("Discipline %1")), 6);
        const qsizetype thaumaturgy = m_tables.disciplineIndex(QStringLiteral("Thaumaturgy"));
        QVERIFY(thaumaturgy >= 0);
        dataRow("Thaumaturgy powers", m_tables.DisciplinePowers[thaumaturgy].items(), 10);
    }
    void longestListsReachable()
    {
        const auto [list, kind] = fetch<QStringList, int>({"list", "kind"});
        open(list, kind);
        const int count = int(m_box->entries().size());
        QVERIFY(count >= 60);
        for (int i = 0; i < count; ++i) {
            QVERIFY(m_box->rect().contains(entryCentre(i)));
            moveTo(entryCentre(i));
            QCOMPARE(m_box->HoverIndex(), i);
        }
    }

    void hoverMarginsAndTrail()
    {
        const QColor red(255, 0, 0), opening(80, 120, 80);
        open(numbered(60), 3);
        QVERIFY(m_box->Rows() > 8);
        moveTo(entryCentre(1));
        moveTo(entryCentre(6));
        QCOMPARE(m_box->HoverIndex(), 6);
        QCOMPARE(m_box->EntryColour(3), red); // the trail down the column
        const int next = m_box->Rows() + 2;
        moveTo(entryCentre(next));
        QCOMPARE(m_box->EntryColour(next - 1), opening);

        // What is painted follows the colours.
        m_box->FadeStep();
        const QRect text(m_box->entryPosition(next), QSize(m_box->EntryWidth(), 14));
        QVERIFY(countPixels(m_box->grab().toImage(), text,
                            [](const QColor& c) { return c.red() > 150 && c.green() < 80; }));

        // The margins hold no entry; a click there neither chooses nor closes.
        const QPoint right(m_box->width() - 3, 30);
        for (const QPoint margin : {QPoint(20, 5), QPoint(20, m_box->height() - 5), right}) {
            moveTo(entryCentre(3));
            moveTo(margin);
            QCOMPARE(m_box->HoverIndex(), -1);
        }
        QTest::mouseClick(m_box, Qt::LeftButton, {}, right);
        QVERIFY(m_box->isVisible());
    }

    void choosingAndClosing_data()
    {
        columns<int, QString, QString>({"kind", "how", "text"});
        dataRow("left click", 1, "click", "Brujah");
        dataRow("<NONE>", 5, "click", "");
        dataRow("right press", 1, "right", "Before");
        dataRow("Escape", 1, "escape", "Before");
        dataRow("click elsewhere", 1, "elsewhere", "Before");
    }
    void choosingAndClosing()
    {
        const auto [kind, how, text] = fetch<int, QString, QString>({"kind", "how", "text"});
        m_window->Target->setText(QStringLiteral("Before"));
        QSignalSpy changed(m_window->Target, &QLineEdit::textChanged);
        // A question asked while the choice is applied runs the loop; meanwhile the dock's
        // picture finishes its fade instead of standing half-faded under the question.
        bool fadedUnderQuestion = false;
        connect(m_window->Target, &QLineEdit::textChanged, m_box, [this, &fadedUnderQuestion] {
            fadedUnderQuestion = QTest::qWaitFor(
                [this] { return m_window->DockFadeImage == m_window->DockInfoImage; }, 5000);
            fadedUnderQuestion &= m_window->TechDockImage->isVisible();
        });
        const QStringList clans = m_tables.ClanNames.items();
        open(clans, kind);
        const int entry = kind == 1 ? int(clans.indexOf(QStringLiteral("Brujah"))) : 0;
        moveTo(entryCentre(entry));
        QCOMPARE(m_box->HoverIndex(), entry);
        if (how == QLatin1String("click"))
            QTest::mouseClick(m_box, Qt::LeftButton, {}, entryCentre(entry));
        else if (how == QLatin1String("right"))
            QTest::mousePress(m_box, Qt::RightButton, {}, entryCentre(entry));
        else if (how == QLatin1String("escape"))
            QTest::keyClick(m_box, Qt::Key_Escape);
        else // through the window system, which hands presses elsewhere to the open popup
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(700, 500));

        QTRY_VERIFY(!m_box->isVisible());
        QVERIFY(!m_box->isOpen());
        QCOMPARE(m_window->Target->text(), text);
        QCOMPARE(changed.count(), text == QLatin1String("Before") ? 0 : 1);
        QCOMPARE(fadedUnderQuestion, changed.count() == 1);
        QCOMPARE(m_box->HoverIndex(), text == QLatin1String("Before") ? -1 : entry);
        QVERIFY(!m_box->FadeTimer()->isActive());
        QVERIFY(m_window->TechPanel->isVisible());
        QVERIFY(!m_window->TechDockImage->isVisible());
        QCOMPARE(m_tables.ClanNames.items(), clans); // "<NONE>" went into the popup's own copy
    }

    void noneOnlyForListsOfNames()
    {
        for (int kind = 1; kind <= SelectionLayout::SpecialtyKind; ++kind) {
            open({QStringLiteral("5"), QStringLiteral("Unlimited")}, kind);
            const bool specialty = kind == SelectionLayout::SpecialtyKind;
            const bool none = kind == 4 || kind == 5 || kind == 6 || kind == 8 || specialty;
            QCOMPARE(m_box->entries().first() == QLatin1String("<NONE>"), none);
            QCOMPARE(m_box->entries().size(), none ? 3 : 2);
            QCOMPARE(m_box->ownText() && m_box->ownText()->isVisible(), specialty);
        }
        open({}, 3);
        QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(15, 15));
        QVERIFY(m_box->isVisible());
    }

    // A specialty of one's own: typed into the box below the suggestions, Enter writes it.
    void ownSpecialty_data()
    {
        columns<QString, int, QString>({"typed", "key", "text"});
        dataRow("typed, then Enter", "  Knife   fighting ", int(Qt::Key_Return), "Knife fighting");
        dataRow("nothing typed: Enter keeps it open", "", int(Qt::Key_Return), "Before");
        dataRow("Escape while typing", "Knife", int(Qt::Key_Escape), "Before");
    }
    void ownSpecialty()
    {
        const auto [typed, key, text] = fetch<QString, int, QString>({"typed", "key", "text"});
        m_window->Target->setText(QStringLiteral("Before"));
        open({QStringLiteral("Grappling"), QStringLiteral("Throws")},
             SelectionLayout::SpecialtyKind);
        QLineEdit* own = m_box->ownText();
        QVERIFY(m_box->rect().contains(own->geometry()));
        QVERIFY(own->y() > m_box->entryPosition(2).y()); // below the last suggestion
        QVERIFY(own->width() >= 150);
        QTest::keyClicks(own, typed);
        QTest::keyClick(own, Qt::Key(key));
        QCOMPARE(m_box->isVisible(), text == u"Before" && key == Qt::Key_Return);
        QCOMPARE(m_window->Target->text(), text);
        // The next list starts with an empty box.
        open({QStringLiteral("Grappling")}, SelectionLayout::SpecialtyKind);
        QVERIFY(own->text().isEmpty());
    }

    void clanPanelInTheDock()
    {
        open(m_tables.ClanNames.items(), 1);
        const int clan = int(m_tables.ClanNames.indexOf(QStringLiteral("Toreador")));
        moveTo(entryCentre(clan));
        const QImage& info = m_window->DockInfoImage;
        // Drawn as composed: the title, text down to the disciplines, nothing below.
        QVERIFY(anyNonBlack(info, QRect(0, 0, 153, 16)));
        QVERIFY(anyNonBlack(info, QRect(0, 270, 153, 45)));
        QVERIFY(!anyNonBlack(info, QRect(0, 320, 153, 25)));

        // The dock starts black and reaches the information in steps of ten.
        QVERIFY(!anyNonBlack(m_window->DockFadeImage, m_window->DockFadeImage.rect()));
        for (int tick = 0; tick < 26; ++tick)
            m_box->FadeStep();
        QCOMPARE(m_window->DockFadeImage, info);
        QCOMPARE(m_window->TechDockImage->pixmap().toImage().convertToFormat(QImage::Format_RGB888),
                 info);
    }

private:
    // Puts the pointer on a point of the popup and tells the popup it moved there.
    void moveTo(QPoint pos)
    {
        QCursor::setPos(m_box->mapToGlobal(pos));
        QMouseEvent move(QEvent::MouseMove, pos, m_box->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_box, &move);
    }
    QPoint entryCentre(int index) const
    {
        return m_box->entryPosition(index) + QPoint(m_box->EntryWidth() / 2, 7);
    }
    void open(const QStringList& list, int kind, QPoint windowPoint = QPoint(300, 300))
    {
        QCursor::setPos(m_window->mapToGlobal(windowPoint));
        m_box->ShowSelection(list, m_window->Target, kind);
        QVERIFY(QTest::qWaitForWindowExposed(m_box));
    }

    ProgramFonts m_fonts;
    RuleTables m_tables;
    std::unique_ptr<TestWindow> m_window;
    TSelectionBox* m_box = nullptr;
};

QTEST_MAIN(TestSelectionBox)
#include "tst_selectionbox.moc"
