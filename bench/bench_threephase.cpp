// Cost of one three-phase page refresh (thermal loop around the simulation,
// results, notes, six plots and the schematic) at start-up values, and with
// the catalog's fastest part at its highest switching frequency over the
// default 75 ms window, with the page on screen. Then the worst a hostile
// entry can ask for: 500 kHz over the longest window the page accepts
// (100 ms, 5 million base steps), with the default motor and with a
// trapezoidal drive at zero duty, whose phases never switch, so that no step
// can be jumped; the step budget lets one refresh simulate one such run.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "app/mainwindow.h"
#include "bench/benchtiming.h"
#include "pages/threephase/threephasepage.h"

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 21;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    StartOptions options;
    options.offline = true;
    MainWindow window(nullptr, options);
    window.resize(1230, 691);
    auto *page = window.threePhasePage();
    window.findChild<QStackedWidget *>(QStringLiteral("Page"))->setCurrentWidget(page);
    window.show();
    QCoreApplication::processEvents();

    const bench::Figures startUp = bench::timeIt(runs, [&] { page->refreshP3(); });
    const int startSteps = page->result().pass.steps;

    window.findChild<QComboBox *>(QStringLiteral("P3ampSelector"))->setCurrentText(QStringLiteral("TZ605"));
    window.findChild<QLineEdit *>(QStringLiteral("P3Fsw"))->setText(QStringLiteral("500"));
    const bench::Figures fastest = bench::timeIt(qMax(1, runs / 4), [&] { page->refreshP3(); });
    const auto &r = page->result();

    const int fastSteps = r.pass.steps, fastPasses = r.iterations, fastKept = r.traces.time.size();

    window.findChild<QLineEdit *>(QStringLiteral("P3endTime"))->setText(QStringLiteral("100m"));
    const int worstRuns = qMax(1, runs / 7);
    const bench::Figures longest = bench::timeIt(worstRuns, [&] { page->refreshP3(); });
    const int longSteps = r.pass.steps, longPasses = r.iterations, longSimulated = r.simulatedPasses;

    window.findChild<QComboBox *>(QStringLiteral("P3commType"))->setCurrentIndex(1);
    ThreePhaseMotor still = page->motor();
    still.controlVariable = 2; // duty
    still.constantVariable = 0; // at a held speed
    still.controlAmplitude = QStringLiteral("0");
    page->setMotor(still);
    const bench::Figures frozen = bench::timeIt(worstRuns, [&] { page->refreshP3(); });

    std::printf(
        "refreshP3 at start-up values (TZ662, 1 kHz, 75 ms, %d steps, %d passes): median %.2f ms wall, "
        "%.2f ms CPU, worst %.2f ms wall, over %d runs\n",
        startSteps, page->result().iterations, startUp.wall, startUp.cpu, startUp.worstWall, runs);
    std::printf("refreshP3, TZ605 at 500 kHz over 75 ms (%d of 3.75 million plain steps, %d passes, %d "
                "samples kept): "
                "median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, over %d runs\n",
        fastSteps, fastPasses, fastKept, fastest.wall, fastest.cpu, fastest.worstWall, qMax(1, runs / 4));
    std::printf("refreshP3, TZ605 at 500 kHz over 100 ms (%d of 5 million plain steps a run, %d passes, %d "
                "simulated): median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, over %d runs\n",
        longSteps, longPasses, longSimulated, longest.wall, longest.cpu, longest.worstWall, worstRuns);
    std::printf("refreshP3, same at zero duty, trapezoidal (no edges: %d steps a run, %d passes, %d simulated): "
                "median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, over %d runs\n",
        r.pass.steps, r.iterations, r.simulatedPasses, frozen.wall, frozen.cpu, frozen.worstWall, worstRuns);
    return 0;
}
