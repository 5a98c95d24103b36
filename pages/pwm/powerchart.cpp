#include "pages/pwm/powerchart.h"

#include <qcustomplot.h>

#include <cmath>

namespace {

QColor curveColour(int index)
{
    static const QColor colours[] = { QColor(0, 0, 255), QColor(225, 0, 0), QColor(0, 160, 0),
        QColor(200, 120, 0), QColor(128, 0, 160) };
    return colours[index % 5];
}

void styleGrid(QCPAxis *axis)
{
    axis->grid()->setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
    axis->grid()->setSubGridPen(QPen(QColor(128, 128, 128, 90), 1, Qt::DotLine));
    axis->grid()->setSubGridVisible(true);
}

void setFrequencyAxis(QCPAxis *axis, const PowerSweep &sweep)
{
    if (sweep.logX) {
        axis->setScaleType(QCPAxis::stLogarithmic);
        QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
        const char *names[]
            = { "1m", "10m", "100m", "1", "10", "100", "1k", "10k", "100k", "1M", "10M", "100M", "1G" };
        for (int i = 0; i < 13; ++i)
            ticker->addTick(std::pow(10.0, i - 3), QString::fromLatin1(names[i]));
        ticker->setSubTickCount(8);
        axis->setTicker(ticker);
    } else {
        axis->setScaleType(QCPAxis::stLinear);
        axis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    }
    axis->setLabel(sweep.xLabel);
    axis->setRange(sweep.xLow, sweep.xHigh);
}

} // namespace

void setupPowerSweepChart(QCustomPlot *plot)
{
    plot->legend->setVisible(true);
    styleGrid(plot->xAxis);
    styleGrid(plot->yAxis);
}

void drawPowerSweep(QCustomPlot *plot, const PowerSweep &sweep, double fsig)
{
    plot->clearGraphs();
    setFrequencyAxis(plot->xAxis, sweep);
    plot->yAxis->setLabel(sweep.yLabel);
    for (int i = 0; i < sweep.curves.size(); ++i) {
        const SweepCurve &c = sweep.curves[i];
        QCPGraph *g = plot->addGraph();
        g->setName(c.name);
        g->setPen(QPen(curveColour(i), 3));
        g->setData(c.f, c.y);
    }
    if (sweep.rescaleY) {
        bool found = false;
        QCPRange all;
        for (int i = 0; i < plot->graphCount(); ++i) {
            bool ok = false;
            const QCPRange r = plot->graph(i)->getValueRange(ok);
            if (ok) {
                all = found ? QCPRange(qMin(all.lower, r.lower), qMax(all.upper, r.upper)) : r;
                found = true;
            }
        }
        if (!found || all.size() == 0)
            all = found ? QCPRange(all.lower - 1, all.upper + 1) : QCPRange(0, 1);
        plot->yAxis->setRange(all);
    } else {
        plot->yAxis->setRange(sweep.yLow, sweep.yHigh);
    }
    const QCPRange y = plot->yAxis->range();
    QCPGraph *marker = plot->addGraph();
    marker->setName(QStringLiteral("Signal Frequency"));
    marker->setPen(QPen(QColor(128, 128, 128), 3, Qt::DashLine));
    if (std::isfinite(fsig))
        marker->setData({ fsig, fsig }, { y.lower, y.upper });
}
