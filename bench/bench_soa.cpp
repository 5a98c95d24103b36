// Cost of one SOA page refresh (simulation, chart, schematic, viewers, notes and
// the replots) at start-up values and with 20 displayed periods of the
// 1000-point trapezoid, with the page and its SOA chart on screen.
#include <QApplication>
#include <QElapsedTimer>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <time.h>

#include "app/mainwindow.h"
#include "bench/benchtiming.h"
#include "pages/soa/soapage.h"

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 51;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    StartOptions options;
    options.offline = true;
    MainWindow window(nullptr, options);
    window.resize(1230, 691);
    window.findChild<QStackedWidget *>(QStringLiteral("Page"))->setCurrentIndex(2);
    window.findChild<QTabWidget *>(QStringLiteral("SOAdisplayTab"))->setCurrentIndex(1);
    window.show();
    QCoreApplication::processEvents();
    auto *page = window.soaPage();

    const bench::Figures startUp = bench::timeIt(runs, [&] { page->refreshSOA(); });

    page->setEntry(QStringLiteral("SignalType"), QStringLiteral("1"));
    window.findChild<QSpinBox *>(QStringLiteral("SOAdisplayCycles"))->setValue(20);
    const bench::Figures trapezoid = bench::timeIt(runs, [&] { page->refreshSOA(); });

    std::printf(
        "refreshSOA at start-up values (360-point sine, 2 periods): median %.2f ms wall, %.2f ms CPU, "
        "worst %.2f ms wall, over %d runs\n",
        startUp.wall, startUp.cpu, startUp.worstWall, runs);
    std::printf("refreshSOA, 20 periods of the 1000-point trapezoid:       median %.2f ms wall, %.2f ms CPU, "
                "worst %.2f ms wall, over %d runs\n",
        trapezoid.wall, trapezoid.cpu, trapezoid.worstWall, runs);
    return 0;
}
