// Cost of the current-pump page's work: a page refresh with the Bode chart,
// one with the load sweep (400 loads of 243 corners each), and the search for
// R_F and the tolerances, with the page on screen.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <cstdio>

#include "app/mainwindow.h"
#include "bench/benchtiming.h"
#include "pages/currentpump/currentpumppage.h"

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
    window.show();
    window.findChild<QPushButton *>(QStringLiteral("IHCPbutton"))->click();
    QCoreApplication::processEvents();
    CurrentPumpPage *page = window.currentPumpPage();
    // An inductive load, so that the sweep and the paths have breaks to find.
    page->setEntry(QStringLiteral("IHCPLload"), QStringLiteral("10m"));
    page->refreshIHCP();

    const bench::Figures bode = bench::timeIt(runs, [&] { page->refreshIHCP(); });
    auto *sweep = window.findChild<QPushButton *>(QStringLiteral("IHCPsweepButton"));
    sweep->click();
    const bench::Figures swept = bench::timeIt(runs, [&] { page->refreshIHCP(); });
    sweep->click();
    // The tightest target makes the search walk the whole ladder (55 worst cases).
    window.findChild<QLineEdit *>(QStringLiteral("IHCPtol"))->setText(QStringLiteral("0"));
    const bench::Figures solve = bench::timeIt(runs, [&] { page->IHCPauto(); });

    std::printf("refreshIHCP, Bode chart:          median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, "
                "over %d runs\n",
        bode.wall, bode.cpu, bode.worstWall, runs);
    std::printf("refreshIHCP, load sweep shown:    median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, "
                "over %d runs\n",
        swept.wall, swept.cpu, swept.worstWall, runs);
    std::printf("IHCPauto, whole ladder (55 cases): median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, "
                "over %d runs\n",
        solve.wall, solve.cpu, solve.worstWall, runs);
    return 0;
}
