// Cost of one three-phase page refresh (thermal loop around the simulation,
// results, notes, six plots and the schematic) at start-up values, and with
// the catalog's fastest part at its highest switching frequency over the
// default 75 ms window, with the page on screen.
#include <QComboBox>
#include <QLineEdit>

#include "bench/benchtiming.h"
#include "pages/threephase/threephasepage.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 21);
    const int runs = setup.runs, fewer = qMax(1, runs / 4);
    auto window = bench::offlineWindow();
    auto *page = window->threePhasePage();
    bench::show(*window, page);

    const bench::Figures startUp = bench::timeIt(runs, [&] { page->refreshP3(); });
    const int startSteps = page->result().pass.steps, startPasses = page->result().iterations;
    window->findChild<QComboBox *>(QStringLiteral("P3ampSelector"))->setCurrentText(QStringLiteral("TZ605"));
    window->findChild<QLineEdit *>(QStringLiteral("P3Fsw"))->setText(QStringLiteral("500"));
    const bench::Figures fastest = bench::timeIt(fewer, [&] { page->refreshP3(); });
    const auto &r = page->result();

    std::printf("refreshP3 at start-up values (TZ662, 1 kHz, 75 ms, %d steps, %d passes):", startSteps, startPasses);
    bench::print("", startUp, runs);
    std::printf("refreshP3, TZ605 at 500 kHz over 75 ms (%d of 3.75 million plain steps, %d passes, %d samples kept):",
        r.pass.steps, r.iterations, int(r.traces.time.size()));
    bench::print("", fastest, fewer);
    return 0;
}
