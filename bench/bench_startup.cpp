// Start-up cost: building the window to its first computed state in-process,
// and a whole `ampora --report` run as a script sees it.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/mainwindow.h"
#include "bench/benchtiming.h"

namespace {

using bench::median;

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 11;
    QTemporaryDir dir; // a working directory without preferences.txt
    QDir::setCurrent(dir.path());

    QVector<double> window;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        StartOptions options;
        options.offline = true;
        MainWindow w(nullptr, options);
        window << t.nsecsElapsed() / 1e6;
    }

    QVector<double> report;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(AMPORA_BINARY), { QStringLiteral("--report") });
        p.waitForFinished(60000);
        report << t.nsecsElapsed() / 1e6;
        if (p.exitCode() != 0)
            std::fprintf(stderr, "ampora --report failed: %s\n", p.readAllStandardError().constData());
    }

    std::printf(
        "window construction to first computed state: median %.1f ms over %d runs\n", median(window), runs);
    std::printf(
        "whole ampora --report process:               median %.1f ms over %d runs\n", median(report), runs);
    return 0;
}
