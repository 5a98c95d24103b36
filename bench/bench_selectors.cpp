// Cost of one selector refresh on the shipped catalogs, through the real pages.
#include <QLineEdit>

#include "bench/benchtiming.h"
#include "pages/selectors/linearselectorpage.h"
#include "pages/selectors/pwmselectorpage.h"
#include "pages/selectors/selectormodel.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 101);
    const int runs = setup.runs;
    auto w = bench::offlineWindow();
    w->show();
    auto *linear = w->linearSelectorPage();
    auto *pwms = w->pwmSelectorPage();
    // A requirement that exercises close matches, bridges and parallel solutions.
    for (const auto &field : { std::make_pair("LPScurrent", "6"), std::make_pair("LPSVpp", "80"),
             std::make_pair("LPSFreq", "10"), std::make_pair("SPScurrent", "12"),
             std::make_pair("SPSvoltage", "60"), std::make_pair("SPSfrequency", "8") })
        w->findChild<QLineEdit *>(QLatin1String(field.first))->setText(QLatin1String(field.second));

    const double lps = bench::timeIt(runs, [&] { linear->refreshLPS(); }).wall;
    const double sps = bench::timeIt(runs, [&] { pwms->refreshSPS(); }).wall;
    SelectorModel::LinearRequirements req;
    req.current = 6;
    req.vpp = 80;
    req.slewRate = 2.5;
    req.bridge = req.parallel = true;
    const Catalogs &c = w->catalogs();
    const double model = bench::timeIt(runs, [&] {
        volatile int n = SelectorModel::eliminateLinearCatalog(c.linear, c.packages, req).size();
        (void)n;
    }).wall;

    std::printf(
        "refreshLPS (%d parts):            median %.3f ms over %d runs\n", int(c.linear.size()), lps, runs);
    std::printf(
        "refreshSPS (%d parts):            median %.3f ms over %d runs\n", int(c.pwms.size()), sps, runs);
    std::printf("linear selection rules alone:      median %.4f ms over %d runs\n", model, runs);
    return 0;
}
