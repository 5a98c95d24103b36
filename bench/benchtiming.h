#pragma once
// What the benchmarks share: the set-up (the offscreen platform unless one is
// chosen, the number of runs from the first argument, a temporary working folder
// without preferences.txt, the offline window at 1230 x 691) and the timing, in
// wall time and, because the machine is shared, the steadier CPU time of this thread.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QVector>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <time.h>

#include "app/mainwindow.h"

namespace bench {

struct Figures {
    double wall, cpu, worstWall; // ms: medians, and the slowest wall time
};

inline double threadCpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

inline double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

// Runs `work` `runs` times, letting queued events through between runs.
template <typename F> Figures timeIt(int runs, F work)
{
    QVector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double c0 = threadCpuMs();
        t.start();
        work();
        wall << t.nsecsElapsed() / 1e6;
        cpu << threadCpuMs() - c0;
        QCoreApplication::processEvents();
    }
    const double worst = wall.isEmpty() ? 0 : *std::max_element(wall.begin(), wall.end());
    return { median(wall), median(cpu), worst };
}

// "<what> median 1.23 ms wall, 1.00 ms CPU, worst 2.34 ms wall, over 21 runs"
inline void print(const char *what, const Figures &f, int runs)
{
    std::printf("%s median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, over %d runs\n", what, f.wall,
        f.cpu, f.worstWall, runs);
}

inline bool offscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}

struct Setup {
    bool platform = offscreen(); // before the application is built
    QApplication app;
    int runs;
    QTemporaryDir dir;
    Setup(int &argc, char **argv, int defaultRuns)
        : app(argc, argv)
        , runs(argc > 1 ? qMax(1, atoi(argv[1])) : defaultRuns)
    {
        QDir::setCurrent(dir.path());
    }
};

inline std::unique_ptr<MainWindow> offlineWindow()
{
    StartOptions options;
    options.offline = true;
    auto window = std::make_unique<MainWindow>(nullptr, options);
    window->resize(1230, 691);
    return window;
}

// The window on screen at a page (or where it is), with its first paint done.
inline void show(MainWindow &window, QWidget *page = nullptr)
{
    if (page)
        window.findChild<QStackedWidget *>(QStringLiteral("Page"))->setCurrentWidget(page);
    window.show();
    QCoreApplication::processEvents();
}

} // namespace bench
