// Cost of the current-pump page's work: a page refresh with the Bode chart,
// one with the load sweep (400 loads of 243 corners each), and the search for
// R_F and the tolerances, with the page on screen.
#include <QLineEdit>
#include <QPushButton>

#include "bench/benchtiming.h"
#include "pages/currentpump/currentpumppage.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 21);
    const int runs = setup.runs;
    auto window = bench::offlineWindow();
    window->show();
    window->findChild<QPushButton *>(QStringLiteral("IHCPbutton"))->click();
    QCoreApplication::processEvents();
    CurrentPumpPage *page = window->currentPumpPage();
    // An inductive load, so that the sweep and the paths have breaks to find.
    page->setEntry(QStringLiteral("IHCPLload"), QStringLiteral("10m"));
    page->refreshIHCP();

    const bench::Figures bode = bench::timeIt(runs, [&] { page->refreshIHCP(); });
    auto *sweep = window->findChild<QPushButton *>(QStringLiteral("IHCPsweepButton"));
    sweep->click();
    const bench::Figures swept = bench::timeIt(runs, [&] { page->refreshIHCP(); });
    sweep->click();
    // The tightest target makes the search walk the whole ladder (55 worst cases).
    window->findChild<QLineEdit *>(QStringLiteral("IHCPtol"))->setText(QStringLiteral("0"));
    const bench::Figures solve = bench::timeIt(runs, [&] { page->IHCPauto(); });

    bench::print("refreshIHCP, Bode chart:         ", bode, runs);
    bench::print("refreshIHCP, load sweep shown:   ", swept, runs);
    bench::print("IHCPauto, whole ladder (55 cases):", solve, runs);
    return 0;
}
