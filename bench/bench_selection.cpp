// Timings of the selection popup: opening a 300-entry list and one fade tick.
#include "output/FontRegistry.h"
#include "controls/TSelectionBox.h"
#include "rules/RuleTables.h"
#include "rules/RulesDataLoader.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

struct Fixture
{
    Fixture()
    {
        fonts.registerAll(QStringLiteral(TARNOCH_PROGRAM_DIR));
        tables.build(RulesDataLoader::load(QStringLiteral(TARNOCH_PROGRAM_DIR "Tarn1.dat")).lines,
                     false);
        window.setGeometry(100, 50, 800, 572);
        auto* dock = new QWidget(&window);
        dock->setGeometry(9, 60, 594, 502);
        target = new QLineEdit(dock);
        // Some children, so that the snapshot has something to paint.
        for (int row = 0; row < 30; ++row)
            (new QLineEdit(QStringLiteral("Row %1").arg(row), dock))
                ->setGeometry(6 + (row % 3) * 196, 40 + (row / 3) * 15, 80, 15);
        techDock = new QWidget(&window);
        techDock->setGeometry(638, 60, 153, 345);
        techPanel = new QWidget(techDock);
        techPanel->setGeometry(0, 0, 153, 345);
        techDockImage = new QLabel(techDock);
        techDockImage->setGeometry(0, 0, 153, 345);
        fadeImage = QImage(153, 345, QImage::Format_RGB888);
        fadeImage.fill(Qt::black);
        infoImage = fadeImage;
        window.show();
        box = new TSelectionBox(SelectionContext{&window, techDock, techPanel, techDockImage,
                                                 &fadeImage, &infoImage, &tables},
                                &window);
        const QStringList merits = tables.Merits.items() + tables.Flaws.items();
        while (entries.size() < 300)
            entries.append(merits.at(entries.size() % merits.size()));
        QCursor::setPos(window.mapToGlobal(QPoint(300, 300)));
        QApplication::processEvents();
    }

    void open()
    {
        box->ShowSelection(entries, target, 3);
        box->repaint();
    }

    FontRegistry fonts;
    RuleTables tables;
    QWidget window;
    QLineEdit* target = nullptr;
    QWidget* techDock = nullptr;
    QWidget* techPanel = nullptr;
    QLabel* techDockImage = nullptr;
    QImage fadeImage, infoImage;
    TSelectionBox* box = nullptr;
    QStringList entries;
};

Fixture* fixture = nullptr;

void BM_Open300(benchmark::State& state)
{
    for (auto _ : state) {
        fixture->open();
        state.PauseTiming();
        fixture->box->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Open300)->Unit(benchmark::kMillisecond);

// Every entry still fading and the dock still changing: the busiest tick there is.
void BM_FadeTick(benchmark::State& state)
{
    fixture->open();
    fixture->infoImage.fill(Qt::white);
    int ticks = 0;
    for (auto _ : state) {
        fixture->box->FadeStep();
        fixture->box->repaint();
        if (++ticks == 17) {
            state.PauseTiming();
            fixture->open();
            ticks = 0;
            state.ResumeTiming();
        }
    }
    fixture->box->hide();
}
BENCHMARK(BM_FadeTick)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform can neither raise a popup nor grab the keyboard for it.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
    QApplication app(argc, argv);
    Fixture instance;
    fixture = &instance;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture = nullptr;
    return 0;
}
