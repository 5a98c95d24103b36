// Cost of one SOA page refresh (simulation, chart, schematic, viewers, notes and
// the replots) at start-up values and with 20 displayed periods of the
// 1000-point trapezoid, with the page and its SOA chart on screen.
#include <QSpinBox>
#include <QTabWidget>

#include "bench/benchtiming.h"
#include "pages/soa/soapage.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 51);
    const int runs = setup.runs;
    auto window = bench::offlineWindow();
    auto *page = window->soaPage();
    window->findChild<QTabWidget *>(QStringLiteral("SOAdisplayTab"))->setCurrentIndex(1);
    bench::show(*window, page);

    const bench::Figures startUp = bench::timeIt(runs, [&] { page->refreshSOA(); });
    page->setEntry(QStringLiteral("SignalType"), QStringLiteral("1"));
    window->findChild<QSpinBox *>(QStringLiteral("SOAdisplayCycles"))->setValue(20);
    const bench::Figures trapezoid = bench::timeIt(runs, [&] { page->refreshSOA(); });

    bench::print("refreshSOA at start-up values (360-point sine, 2 periods):", startUp, runs);
    bench::print("refreshSOA, 20 periods of the 1000-point trapezoid:      ", trapezoid, runs);
    return 0;
}
