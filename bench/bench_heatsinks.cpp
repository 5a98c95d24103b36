// Cost of one heatsink-page refresh (filter, table rebuild, selection, plot)
// through the real window, and of the filter model alone over the shipped catalog.
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "bench/benchtiming.h"
#include "pages/heatsink/heatsinkmodel.h"
#include "pages/heatsink/heatsinkpage.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 101);
    const int runs = setup.runs;
    auto w = bench::offlineWindow();
    auto *page = w->heatsinkPage();
    struct Case {
        const char *name;
        bool metric, flow, sized;
    };
    for (const Case &c : { Case { "English, free air", false, false, false },
             Case { "metric, flow, size limits", true, true, true } }) {
        w->findChild<QRadioButton *>(QStringLiteral("HSmetric"))->setChecked(c.metric);
        w->findChild<QRadioButton *>(QStringLiteral("HSenglish"))->setChecked(!c.metric);
        w->findChild<QGroupBox *>(QStringLiteral("HSfluidCheckBox"))->setChecked(c.flow);
        w->findChild<QGroupBox *>(QStringLiteral("HSconstCheckBox"))->setChecked(c.sized);
        w->findChild<QLineEdit *>(QStringLiteral("HSH"))
            ->setText(c.sized ? QStringLiteral("40") : QStringLiteral("all"));
        const bench::Figures refresh = bench::timeIt(runs, [&] { page->refreshHeatsinks(); });
        std::printf("refreshHeatsinks (%s): median %.3f ms over %d runs\n", c.name, refresh.wall, runs);
    }

    HeatsinkModel::FilterInput in;
    in.rRequired = 5;
    in.limits = HeatsinkModel::makeLimits(true, 2, 5, 4, 20, false);
    const auto &heatsinks = w->catalogs().heatsinks;
    const bench::Figures filter = bench::timeIt(runs, [&] {
        if (HeatsinkModel::filterHeatsinks(heatsinks, in).size() != heatsinks.size())
            std::fprintf(stderr, "filter lost rows\n");
    });
    std::printf(
        "filterHeatsinks over %d heatsinks: median %.2f us\n", int(heatsinks.size()), filter.wall * 1e3);
    return 0;
}
