// Cost of one three-phase page refresh (thermal loop around the simulation,
// results, notes, six plots and the schematic) at start-up values, and with
// the catalog's fastest part at its highest switching frequency over the
// default 75 ms window, with the page on screen. Then the worst a hostile
// entry can ask for: 500 kHz over the longest window the page accepts
// (100 ms, 5 million base steps), with the default motor and with a
// trapezoidal drive at zero duty, whose phases never switch, so that no step
// can be jumped; the step budget lets one refresh simulate one such run.
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

    const int fastSteps = r.pass.steps, fastPasses = r.iterations, fastKept = r.traces.time.size();

    window->findChild<QLineEdit *>(QStringLiteral("P3endTime"))->setText(QStringLiteral("100m"));
    const int worstRuns = qMax(1, runs / 7);
    const bench::Figures longest = bench::timeIt(worstRuns, [&] { page->refreshP3(); });
    const int longSteps = r.pass.steps, longPasses = r.iterations, longSimulated = r.simulatedPasses;

    window->findChild<QComboBox *>(QStringLiteral("P3commType"))->setCurrentIndex(1);
    ThreePhaseMotor still = page->motor();
    still.controlVariable = 2; // duty
    still.constantVariable = 0; // at a held speed
    still.controlAmplitude = QStringLiteral("0");
    page->setMotor(still);
    const bench::Figures frozen = bench::timeIt(worstRuns, [&] { page->refreshP3(); });

    std::printf(
        "refreshP3 at start-up values (TZ662, 1 kHz, 75 ms, %d steps, %d passes):", startSteps, startPasses);
    bench::print("", startUp, runs);
    std::printf("refreshP3, TZ605 at 500 kHz over 75 ms (%d of 3.75 million plain steps, %d passes, %d "
                "samples kept):",
        fastSteps, fastPasses, fastKept);
    bench::print("", fastest, fewer);
    std::printf("refreshP3, TZ605 at 500 kHz over 100 ms (%d of 5 million plain steps a run, %d passes, %d "
                "simulated):",
        longSteps, longPasses, longSimulated);
    bench::print("", longest, worstRuns);
    std::printf(
        "refreshP3, same at zero duty, trapezoidal (no edges: %d steps a run, %d passes, %d simulated):",
        r.pass.steps, r.iterations, r.simulatedPasses);
    bench::print("", frozen, worstRuns);
    return 0;
}
