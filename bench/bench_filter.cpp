// Cost of the filter page's recomputation with the page on screen: the model,
// the schematic of the ladder, the 400-point attenuation chart and the replots,
// for the default design and for the largest drawing (order 6, Dual-Capacitor).
#include <QRadioButton>
#include <QSpinBox>

#include "bench/benchtiming.h"
#include "pages/pwm/filtermodel.h"
#include "pages/pwm/filterpage.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 21);
    const int runs = setup.runs;
    auto window = bench::offlineWindow();
    FilterPage *page = window->filterPage();
    bench::show(*window, page);

    const int batch = 1000;
    volatile double sink = 0;
    const bench::Figures model = bench::timeIt(runs, [&] {
        for (int i = 0; i < batch; ++i) {
            FilterInput in;
            in.order = 6;
            sink = sink + designFilter(in).rippleV + idealAttenuation(in.fc, in.order).gainDb.last();
        }
    });
    const bench::Figures refresh = bench::timeIt(runs, [&] { page->refreshFilter(); });
    window->findChild<QRadioButton *>(QStringLiteral("DCbutton"))->setChecked(true);
    window->findChild<QSpinBox *>(QStringLiteral("filterOrderActual"))->setValue(6);
    const bench::Figures refresh6 = bench::timeIt(runs, [&] { page->refreshFilter(); });

    std::printf("designFilter + idealAttenuation, order 6: median %.2f us wall, %.2f us CPU per run\n",
        model.wall * 1e3 / batch, model.cpu * 1e3 / batch);
    bench::print("refreshFilter, defaults, on screen:      ", refresh, runs);
    bench::print("refreshFilter, order 6 Dual-Capacitor:   ", refresh6, runs);
    return 0;
}
