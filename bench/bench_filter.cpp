// Cost of the filter page's recomputation with the page on screen: the model,
// the schematic of the ladder, the 400-point attenuation chart and the replots,
// for the default design and for the largest drawing (order 6, Dual-Capacitor).
#include <QApplication>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "app/mainwindow.h"
#include "bench/benchtiming.h"
#include "pages/pwm/filtermodel.h"
#include "pages/pwm/filterpage.h"

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
    window.findChild<QStackedWidget *>(QStringLiteral("Page"))->setCurrentWidget(window.filterPage());
    window.show();
    QCoreApplication::processEvents();
    FilterPage *page = window.filterPage();

    const int batch = 1000;
    volatile double sink = 0;
    const bench::Figures model = bench::timeIt(runs, [&] {
        for (int i = 0; i < batch; ++i) {
            FilterInput in;
            in.order = 6;
            sink = sink + designFilter(in).rippleV + idealAttenuation(in.fc, in.order).gainDb.last();
        }
    });
    const bench::Figures refresh = bench::timeIt(runs, [&] { page->refreshFilter(); });
    window.findChild<QRadioButton *>(QStringLiteral("DCbutton"))->setChecked(true);
    window.findChild<QSpinBox *>(QStringLiteral("filterOrderActual"))->setValue(6);
    const bench::Figures refresh6 = bench::timeIt(runs, [&] { page->refreshFilter(); });

    std::printf("designFilter + idealAttenuation, order 6: median %.2f us wall, %.2f us CPU per run\n",
        model.wall * 1e3 / batch, model.cpu * 1e3 / batch);
    std::printf(
        "refreshFilter, defaults, on screen:       median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, "
        "over %d runs\n",
        refresh.wall, refresh.cpu, refresh.worstWall, runs);
    std::printf(
        "refreshFilter, order 6 Dual-Capacitor:    median %.2f ms wall, %.2f ms CPU, worst %.2f ms wall, "
        "over %d runs\n",
        refresh6.wall, refresh6.cpu, refresh6.worstWall, runs);
    return 0;
}
