// Cost of the stability page's work: one plot-free model run, the inverting
// capacitive search on an amplifier with four compensation options, and one
// page refresh (model with curves, charts, details, schematic, replots) with
// the page on screen.
#include <QComboBox>
#include <QGroupBox>

#include "bench/benchtiming.h"
#include "pages/stability/autocompensate.h"
#include "pages/stability/loopmodel.h"
#include "pages/stability/stabilitypage.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 21);
    const int runs = setup.runs;
    auto window = bench::offlineWindow();
    auto *page = window->stabilityPage();
    bench::show(*window, page);

    // QX550 has four compensation options; 1 uF on its output needs compensation.
    const QString name = QStringLiteral("QX550");
    LoopInput in;
    in.amplifier = findLinear(window->catalogs().linear, name);
    in.parts.CLoadStab = QStringLiteral("1u");
    in.inverting = true;
    if (in.amplifier.SROptions != 4)
        std::printf("warning: %s has %d options\n", qPrintable(name), in.amplifier.SROptions);

    // One model run is a few microseconds: time batches of 1000.
    const int batch = 1000;
    volatile double sink = 0;
    const bench::Figures model = bench::timeIt(runs, [&] {
        for (int i = 0; i < batch; ++i)
            sink = sink + plotCBodeData(in, false).phaseMargin;
    });
    const bench::Figures modelPlot = bench::timeIt(runs, [&] {
        for (int i = 0; i < batch; ++i)
            sink = sink + plotCBodeData(in, true).phaseMargin;
    });

    int modelRuns = 0;
    const bench::Figures search = bench::timeIt(runs, [&] { modelRuns = autoC(in, 4).modelRuns; });

    auto *selector = window->findChild<QComboBox *>(QStringLiteral("AmpSelectorStab"));
    selector->setCurrentIndex(selector->findText(name));
    page->setEntry(QStringLiteral("CLoadStab"), QStringLiteral("1u"));
    page->refreshStab();
    const bench::Figures refresh = bench::timeIt(runs, [&] { page->refreshStab(); });
    // A larger drawing: the composite circuit with an inverting host (this
    // amplifier takes capacitive loads only).
    window->findChild<QGroupBox *>(QStringLiteral("compositeCheckBox"))->setChecked(true);
    page->refreshStab();
    const bench::Figures refreshComposite = bench::timeIt(runs, [&] { page->refreshStab(); });

    std::printf("plotCBodeData(false), %s with 1 uF:   median %.2f us wall, %.2f us CPU per run\n",
        qPrintable(name), model.wall * 1e3 / batch, model.cpu * 1e3 / batch);
    std::printf("plotCBodeData(true), curves and texts: median %.2f us wall, %.2f us CPU per run\n",
        modelPlot.wall * 1e3 / batch, modelPlot.cpu * 1e3 / batch);
    std::printf("autoC inverting, four options (%d model runs): median %.2f ms wall, %.2f ms CPU, "
                "worst %.2f ms wall, over %d runs\n",
        modelRuns, search.wall, search.cpu, search.worstWall, runs);
    bench::print("refreshStab, page on screen:         ", refresh, runs);
    bench::print("refreshStab, composite, inverting host:", refreshComposite, runs);
    return 0;
}
