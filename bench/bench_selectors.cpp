// Cost of one selector refresh on the shipped catalogs, through the real pages.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/mainwindow.h"
#include "bench/benchtiming.h"
#include "pages/selectors/linearselectorpage.h"
#include "pages/selectors/pwmselectorpage.h"
#include "pages/selectors/selectormodel.h"

namespace {

using bench::median;

template <typename F> double timeMs(int runs, F f)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times << t.nsecsElapsed() / 1e6;
    }
    return median(times);
}

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
    w.resize(1230, 691);
    w.show();
    auto *linear = w.linearSelectorPage();
    auto *pwms = w.pwmSelectorPage();
    if (!linear || !pwms) {
        std::fprintf(stderr, "selector pages not found\n");
        return 1;
    }

    // A requirement that exercises close matches, bridges and parallel solutions.
    w.findChild<QLineEdit *>(QStringLiteral("LPScurrent"))->setText(QStringLiteral("6"));
    w.findChild<QLineEdit *>(QStringLiteral("LPSVpp"))->setText(QStringLiteral("80"));
    w.findChild<QLineEdit *>(QStringLiteral("LPSFreq"))->setText(QStringLiteral("10"));
    w.findChild<QLineEdit *>(QStringLiteral("SPScurrent"))->setText(QStringLiteral("12"));
    w.findChild<QLineEdit *>(QStringLiteral("SPSvoltage"))->setText(QStringLiteral("60"));
    w.findChild<QLineEdit *>(QStringLiteral("SPSfrequency"))->setText(QStringLiteral("8"));

    const double lps = timeMs(runs, [&] { linear->refreshLPS(); });
    const double sps = timeMs(runs, [&] { pwms->refreshSPS(); });

    SelectorModel::LinearRequirements req;
    req.current = 6;
    req.vpp = 80;
    req.slewRate = 2.5;
    req.bridge = req.parallel = true;
    const Catalogs &c = w.catalogs();
    const double model = timeMs(runs, [&] {
        volatile int n = SelectorModel::eliminateLinearCatalog(c.linear, c.packages, req).size();
        (void)n;
    });

    std::printf(
        "refreshLPS (%d parts):            median %.3f ms over %d runs\n", int(c.linear.size()), lps, runs);
    std::printf(
        "refreshSPS (%d parts):            median %.3f ms over %d runs\n", int(c.pwms.size()), sps, runs);
    std::printf("linear selection rules alone:      median %.4f ms over %d runs\n", model, runs);
    return 0;
}
