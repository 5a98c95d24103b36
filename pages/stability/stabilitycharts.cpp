#include "pages/stability/stabilitycharts.h"

#include <QHash>
#include <QSharedPointer>

#include <qcustomplot.h>

namespace {

const QColor kGrey(128, 128, 128);

QCPGraph *addSeries(QCustomPlot *plot, const QString &name, const QVector<double> &y)
{
    QCPGraph *g = plot->addGraph();
    g->setName(name);
    g->setPen(stabSeriesPen(name));
    g->setData(StabGrid::frequencies(), y, true);
    return g;
}

void addClosureLine(QCustomPlot *plot, double closure)
{
    QCPGraph *g = plot->addGraph();
    g->setName(QStringLiteral("Closure Frequency"));
    g->setPen(stabSeriesPen(g->name()));
    // A marker from the bottom of the chart to its top, not data that runs past the view.
    const QCPRange span = plot->yAxis->range();
    g->setData({ closure, closure }, { span.lower, span.upper }, true);
}

void setYTickStep(QCustomPlot *plot, double step)
{
    if (auto fixed = plot->yAxis->ticker().dynamicCast<QCPAxisTickerFixed>())
        fixed->setTickStep(step);
}

} // namespace

QPen stabSeriesPen(const QString &name)
{
    static const QHash<QString, QColor> colours = {
        { "Open Loop Gain w/ C_LOAD", Qt::blue },
        { "Open Loop Gain", Qt::blue },
        { "Composite Open Loop Gain", Qt::blue },
        { "1/Beta", Qt::red },
        { "1/Beta Path 1", Qt::red },
        { "1/Beta Path 2", QColor(255, 120, 0) },
        { "Signal at C_LOAD", Qt::black },
        { "Signal at L_LOAD", Qt::black },
        { "Closure Frequency", kGrey },
        { "Closed Loop Phase", Qt::blue },
        { "Closed * 10", QColor(0, 200, 0) },
        { "Closed * 100", QColor(235, 235, 0) },
        { "Closed * 1000", Qt::red },
        { "V Out", Qt::blue },
        { "I Out", QColor(0, 200, 0) },
        { "Pole 1", QColor(255, 150, 150) },
        { "Pole 2", Qt::red },
        { "Pole 3", QColor(150, 0, 0) },
        { "Pole C_LOAD", QColor(235, 235, 0) },
        { "Zero R_ISO", QColor(255, 180, 0) },
        { "Pole Noise Gain", QColor(100, 180, 255) },
        { "Zero Noise Gain", Qt::blue },
        { "Pole C_FB", QColor(0, 200, 0) },
        { "Zero C_FB", QColor(0, 128, 0) },
        { "Pole 2 (PWR)", QColor(150, 0, 150) },
        { "Pole Fcl (PWR)", QColor(0, 160, 160) },
        { "Pole Cf (PWR)", QColor(140, 90, 40) },
        { "Zero R_LOAD / L_LOAD", QColor(255, 180, 0) },
        { "Zero Cross", QColor(0, 128, 0) },
        { "Open Loop Phase", Qt::black },
    };
    QPen pen(colours.value(name, Qt::black), 3);
    if (name.startsWith(QLatin1String("Signal at")))
        pen.setStyle(Qt::DotLine);
    else if (name == QLatin1String("Closure Frequency"))
        pen.setStyle(Qt::DashLine);
    return pen;
}

void setupBodeChart(QCustomPlot *plot, const QString &title, const QString &yLabel, double yLow, double yHigh,
    double yStep, Qt::Alignment legendCorner)
{
    plot->plotLayout()->insertRow(0);
    QFont titleFont = plot->font();
    titleFont.setBold(true);
    plot->plotLayout()->addElement(0, 0, new QCPTextElement(plot, title, titleFont));

    plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
    QSharedPointer<QCPAxisTickerText> ticks(new QCPAxisTickerText);
    const QStringList names = { "1", "10", "100", "1k", "10k", "100k", "1M", "10M", "100M" };
    double f = 1;
    for (const QString &n : names) {
        ticks->addTick(f, n);
        f *= 10;
    }
    // Eight sub-ticks between decades fall on 2, 3, ... 9 times the decade.
    ticks->setSubTickCount(8);
    plot->xAxis->setTicker(ticks);
    plot->xAxis->setRange(1, 1e8);
    plot->xAxis->setLabel(QStringLiteral("Frequency [Hz]"));

    QSharedPointer<QCPAxisTickerFixed> fixed(new QCPAxisTickerFixed);
    fixed->setTickStep(yStep);
    fixed->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    plot->yAxis->setTicker(fixed);
    plot->yAxis->setRange(yLow, yHigh);
    plot->yAxis->setLabel(yLabel);

    const QPen gridPen(kGrey, 1, Qt::DotLine);
    for (QCPAxis *axis : { plot->xAxis, plot->yAxis }) {
        axis->grid()->setPen(gridPen);
        axis->grid()->setSubGridPen(QPen(QColor(128, 128, 128, 110), 1, Qt::DotLine));
    }
    plot->xAxis->grid()->setSubGridVisible(true);

    plot->legend->setVisible(true);
    QFont legendFont = plot->font();
    legendFont.setPointSizeF(std::max(6.0, legendFont.pointSizeF() * 0.7));
    plot->legend->setFont(legendFont);
    plot->legend->setBrush(QColor(255, 255, 255, 200));
    plot->legend->setRowSpacing(0);
    plot->legend->setIconSize(20, 8);
    plot->axisRect()->insetLayout()->setInsetAlignment(0, legendCorner);
}

void drawBodeCharts(QCustomPlot *gain, QCustomPlot *phase, const LoopResult &r, bool components)
{
    gain->clearGraphs();
    phase->clearGraphs();

    for (const LoopSeries &s : r.gain)
        if (s.shown)
            addSeries(gain, s.name, s.y);
    addClosureLine(gain, r.closureFrequency);

    addClosureLine(phase, r.closureFrequency);
    if (components) {
        for (const LoopSeries &s : r.phaseComponents)
            if (s.shown)
                addSeries(phase, s.name, s.y);
        setYTickStep(phase, 135);
    } else {
        for (const LoopSeries &s : r.closedLoopPhase)
            addSeries(phase, s.name, s.y);
        setYTickStep(phase, r.closedLoopTickStep);
    }
    addSeries(phase, QStringLiteral("Open Loop Phase"), r.openLoopPhase);

    // Each legend entry is clipped to its own box; a little room below the
    // text keeps the underscores of names such as C_LOAD visible.
    for (QCustomPlot *plot : { gain, phase })
        for (int i = 0; i < plot->legend->itemCount(); ++i)
            plot->legend->item(i)->setMargins(QMargins(0, 0, 0, 2));
}
