// Cost of the PWM control design's step 3: one refreshSCon (loop on the
// 401-point grid, ranges, chart and schematic, replots) and one "Auto" for
// each circuit, the current circuits' double run included, with the page on screen.
#include <QAbstractButton>

#include "bench/benchtiming.h"
#include "pages/pwm/controlstep3page.h"

int main(int argc, char *argv[])
{
    bench::Setup setup(argc, argv, 21);
    const int runs = setup.runs;
    auto window = bench::offlineWindow();
    bench::show(*window);
    auto click
        = [&](const char *name) { window->findChild<QAbstractButton *>(QLatin1String(name))->click(); };
    ControlStep3Page *page = window->controlStep3Page();
    for (const char *circuit : { "V1button", "V2button", "I1button", "I2button" }) {
        click("PWMControlButton");
        click(circuit);
        click("NexttoStep2");
        click("NexttoStep3");
        const ControlParts start = page->components();
        const bench::Figures refresh = bench::timeIt(runs, [&] { page->refreshSCon(); });
        const bench::Figures autoRun = bench::timeIt(runs, [&] { click("SConAutoButton"); });
        for (int i = 0; i < kControlPartCount; ++i)
            page->setEntry(controlPartKey(i), start[i]);
        std::printf(
            "%s: refreshSCon median %.2f ms wall, %.2f ms CPU (worst %.2f); Auto median %.2f ms wall, "
            "%.2f ms CPU (worst %.2f), over %d runs\n",
            circuit, refresh.wall, refresh.cpu, refresh.worstWall, autoRun.wall, autoRun.cpu,
            autoRun.worstWall, runs);
    }
    return 0;
}
