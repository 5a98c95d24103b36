// Cost of the PWM power page's refresh: the 102-point output sweep, the chosen
// view's sweep, both junction-temperature loops, the notes and the replots, with
// the page on screen; then the same with the network schematic redrawn. The
// design is a sixth-order filter with parasitics into an extended load, and the
// heatsink is poor enough that the operating loop runs to thermal runaway.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "bench/benchtiming.h"
#include "pages/pwm/powersweep.h"
#include "pages/pwm/pwmpowerpage.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 21);
    const int runs = setup.runs;
    auto window = bench::offlineWindow();
    auto *page = window->pwmPowerPage();
    bench::show(*window, page);

    const QStringList values
        = { "220u 0.05 100p", "0 0.02 10u", "100u 0.03 50p", "0 0.02 4.7u", "47u 0.01 20p", "0 0.01 1u",
              "1m 8 short", "0 0.2 short", "0 0.3 short", "1m 20 short", "0 50 10u", "100u 8 short" };
    const QStringList names = PwmPowerPage::elementNames();
    for (int i = 0; i < names.size(); ++i)
        page->setEntry(names[i], values[i]);
    page->setExtendedLoad(true);
    window->findChild<QSpinBox *>(QStringLiteral("PWMfilterOrder"))->setValue(6);
    for (const auto &field : { std::make_pair("heatsinkPower", "50"), std::make_pair("PWMOut", "90"),
             std::make_pair("PWMOutMin", "-90"), std::make_pair("VsPWM", "100") })
        window->findChild<QLineEdit *>(QLatin1String(field.first))->setText(QLatin1String(field.second));
    auto *view = window->findChild<QComboBox *>(QStringLiteral("yVariable"));
    view->setCurrentIndex(4);
    page->refreshPower();

    // The model alone: the same design as a plain input.
    PowerInput in;
    in.amp = findSwitching(window->catalogs().pwms, QStringLiteral("TZ636"));
    in.network = page->network();
    in.Vs = 100;
    in.outMax = 90;
    in.outMin = -90;
    in.heatsink = 50;
    volatile double sink = 0;
    const bench::Figures model = bench::timeIt(
        runs, [&] { sink = sink + computePower(in).Tj + powerSweep(in, SweepView::Power).Fhotspot; });
    const bench::Figures refresh = bench::timeIt(runs, [&] { page->refreshPower(); });
    const bench::Figures withSchematic = bench::timeIt(runs, [&] {
        page->refreshPower();
        page->plotFullFilter();
    });
    view->setCurrentIndex(6);
    const bench::Figures attenuation = bench::timeIt(runs, [&] { page->refreshPower(); });
    const QString tj = window->findChild<QLabel *>(QStringLiteral("tempJPower"))->text();

    std::printf(
        "model: computePower + power sweep:   median %.2f ms wall, %.2f ms CPU\n", model.wall, model.cpu);
    bench::print(qPrintable(QStringLiteral("refreshPower, power view (Tj: %1):").arg(tj)), refresh, runs);
    bench::print("refreshPower + plotFullFilter:      ", withSchematic, runs);
    bench::print("refreshPower, attenuation view:     ", attenuation, runs);
    return 0;
}
