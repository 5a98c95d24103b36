// Cost of one heatsink-page refresh (filter, table rebuild, selection, plot)
// through the real window, and of the filter model alone over the shipped catalog.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/mainwindow.h"
#include "bench/benchtiming.h"
#include "pages/heatsink/heatsinkmodel.h"
#include "pages/heatsink/heatsinkpage.h"

namespace {

using bench::median;

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 101;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    StartOptions options;
    options.offline = true;
    MainWindow w(nullptr, options);
    auto *page = w.heatsinkPage();
    if (!page) {
        std::fprintf(stderr, "no heatsink page\n");
        return 1;
    }

    struct Case {
        const char *name;
        bool metric, flow, sized;
    };
    const Case cases[]
        = { { "English, free air", false, false, false }, { "metric, flow, size limits", true, true, true } };
    for (const Case &c : cases) {
        w.findChild<QRadioButton *>(QStringLiteral("HSmetric"))->setChecked(c.metric);
        w.findChild<QRadioButton *>(QStringLiteral("HSenglish"))->setChecked(!c.metric);
        w.findChild<QGroupBox *>(QStringLiteral("HSfluidCheckBox"))->setChecked(c.flow);
        w.findChild<QGroupBox *>(QStringLiteral("HSconstCheckBox"))->setChecked(c.sized);
        w.findChild<QLineEdit *>(QStringLiteral("HSH"))
            ->setText(c.sized ? QStringLiteral("40") : QStringLiteral("all"));
        QVector<double> times;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            page->refreshHeatsinks();
            times << t.nsecsElapsed() / 1e6;
        }
        std::printf("refreshHeatsinks (%s): median %.3f ms over %d runs\n", c.name, median(times), runs);
    }

    HeatsinkModel::FilterInput in;
    in.rRequired = 5;
    in.limits = HeatsinkModel::makeLimits(true, 2, 5, 4, 20, false);
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const auto results = HeatsinkModel::filterHeatsinks(w.catalogs().heatsinks, in);
        times << t.nsecsElapsed() / 1e3;
        if (results.size() != w.catalogs().heatsinks.size())
            std::fprintf(stderr, "filter lost rows\n");
    }
    std::printf("filterHeatsinks over %d heatsinks: median %.2f us\n", int(w.catalogs().heatsinks.size()),
        median(times));
    return 0;
}
