// Start-up cost: building the window to its first computed state in-process,
// and a whole `ampora --report` run as a script sees it.
#include <QProcess>

#include "bench/benchtiming.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 11);
    const int runs = setup.runs;
    QVector<double> window; // the construction alone, not the teardown
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const auto w = bench::offlineWindow();
        window << t.nsecsElapsed() / 1e6;
    }
    const bench::Figures report = bench::timeIt(runs, [] {
        QProcess p;
        p.start(QStringLiteral(AMPORA_BINARY), { QStringLiteral("--report") });
        p.waitForFinished(60000);
        if (p.exitCode() != 0)
            std::fprintf(stderr, "ampora --report failed: %s\n", p.readAllStandardError().constData());
    });
    std::printf("window construction to first computed state: median %.1f ms over %d runs\n",
        bench::median(window), runs);
    std::printf(
        "whole ampora --report process:               median %.1f ms over %d runs\n", report.wall, runs);
    return 0;
}
