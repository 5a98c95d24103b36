#pragma once
// Timing helpers shared by the benchmarks: wall time and, because the machine
// is shared, the steadier CPU time of this thread.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QVector>
#include <algorithm>
#include <time.h>

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

} // namespace bench
