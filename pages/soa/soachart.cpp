// The SOA chart and the two waveform viewers of the SOA page.
#include "pages/soa/soachart.h"

#include "qcustomplot.h"

#include <algorithm>

namespace {

const QColor kGrid(128, 128, 128);

QColor colourOf(SoaCurveKind kind)
{
    switch (kind) {
    case SoaCurveKind::Steady:
        return QColor(255, 215, 0);
    case SoaCurveKind::Case85:
        return QColor(255, 140, 0);
    case SoaCurveKind::Case125:
        return QColor(255, 0, 0);
    case SoaCurveKind::Pulse1:
        return QColor(153, 50, 204);
    case SoaCurveKind::Pulse2:
        return QColor(0, 0, 255);
    case SoaCurveKind::Pulse3:
        return QColor(0, 255, 0);
    case SoaCurveKind::Swing:
        return QColor(190, 190, 190);
    case SoaCurveKind::Custom:
        break;
    }
    return QColor(0, 255, 255);
}

void gridPens(QCPAxis *axis)
{
    axis->grid()->setPen(QPen(kGrid, 1, Qt::DotLine));
    axis->grid()->setSubGridPen(QPen(kGrid, 1, Qt::DotLine));
    axis->grid()->setSubGridVisible(true);
}

void setScale(QCPAxis *axis, bool log)
{
    if (log) {
        axis->setScaleType(QCPAxis::stLogarithmic);
        QSharedPointer<QCPAxisTickerLog> ticker(new QCPAxisTickerLog);
        ticker->setLogBase(10);
        axis->setTicker(ticker);
    } else {
        axis->setScaleType(QCPAxis::stLinear);
        axis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    }
}

QCPGraph *addGraph(QCustomPlot *plot, const QString &name, const QVector<double> &x, const QVector<double> &y,
    const QPen &pen)
{
    QCPGraph *g = plot->addGraph();
    g->setName(name);
    g->setPen(pen);
    g->setData(x, y);
    return g;
}

} // namespace

void setupSOAplot(QCustomPlot *p)
{
    if (p->plotLayout()->rowCount() < 2) {
        p->plotLayout()->insertRow(0);
        auto *title = new QCPTextElement(
            p, QStringLiteral("Safe Operating Area"), QFont(p->font().family(), 11, QFont::Bold));
        p->plotLayout()->addElement(0, 0, title);
    }
    p->xAxis->setLabel(QStringLiteral("Differential Voltage (Vs-Vo) [V]"));
    p->yAxis->setLabel(QStringLiteral("Output Current [A]"));
    p->axisRect()->setupFullAxesBox(true);
    for (QCPAxis *axis : { p->xAxis, p->yAxis, p->xAxis2, p->yAxis2 })
        setScale(axis, true);
    p->xAxis2->setTickLabels(false);
    p->yAxis2->setTickLabels(false);
    gridPens(p->xAxis);
    gridPens(p->yAxis);
    p->legend->setVisible(true);
    // A compact legend hides less of the chart at the smallest window.
    QFont legendFont = p->font();
    legendFont.setPointSizeF(std::max(6.0, legendFont.pointSizeF() * 0.8));
    p->legend->setFont(legendFont);
    p->legend->setRowSpacing(0);
    p->legend->setIconSize(24, 10);
    p->legend->setBrush(QColor(255, 255, 255, 220));
    p->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignLeft | Qt::AlignBottom);
    p->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
}

void setupWavePlots(QCustomPlot *voltage, QCustomPlot *current)
{
    voltage->xAxis->setLabel(QStringLiteral("time (s)"));
    voltage->yAxis->setLabel(QStringLiteral("Voltage (V)"));
    current->xAxis->setLabel(QStringLiteral("time (s)"));
    current->yAxis->setLabel(QStringLiteral("Current (A)"));
    for (QCustomPlot *p : { voltage, current }) {
        gridPens(p->xAxis);
        gridPens(p->yAxis);
        p->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    }
}

void setSOAscale(QCustomPlot *p, const amp &a, bool log)
{
    for (QCPAxis *axis : { p->xAxis, p->yAxis, p->xAxis2, p->yAxis2 })
        setScale(axis, log);
    if (log) {
        p->xAxis->setRange(1, qMax(1.5 * a.Vss_max, 10.0));
        const double low = a.I_cont > 0 ? a.I_cont / 100 : 0.01;
        p->yAxis->setRange(low, qMax(1.5 * a.I_pk, 10 * low));
        p->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignLeft | Qt::AlignBottom);
        gridPens(p->xAxis);
        gridPens(p->yAxis);
    } else {
        p->xAxis->setRange(0, qMax(1.2 * a.Vss_max, 1.0));
        p->yAxis->setRange(0, qMax(1.2 * a.I_pk, 0.1));
        p->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignRight | Qt::AlignTop);
    }
}

void drawSOAchart(QCustomPlot *p, const SoaResult &r)
{
    p->clearPlottables();
    for (const SoaCurve &c : r.boundary)
        addGraph(p, c.name, c.x, c.y, QPen(colourOf(c.kind), 3));

    // Drawn whenever it is asked for, even when the supplies leave no swing.
    if (r.swingShown)
        addGraph(p, r.swing.name, r.swing.x, r.swing.y, QPen(colourOf(SoaCurveKind::Swing), 3, Qt::DashLine));

    if (r.loadLineShown) {
        auto *line = new QCPCurve(p->xAxis, p->yAxis);
        line->setName(QStringLiteral("Load Line"));
        line->setPen(QPen(Qt::black, 3));
        line->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 6));
        line->setData(r.sim.Vd, r.sim.Ia);
        // Displayed periods repeat one another, so about a thousand dots show every sample's place.
        line->setScatterSkip(qMax(0, r.sim.Vd.size() / 1000 - 1));
    }

    if (r.band.shown) {
        const QColor brown(102, 51, 0);
        QCPGraph *upper
            = addGraph(p, QStringLiteral("Current Limit"), r.band.x, r.band.upper, QPen(brown, 3));
        QCPGraph *lower
            = addGraph(p, QStringLiteral("Current Limit (lower)"), r.band.x, r.band.lower, QPen(brown, 3));
        lower->removeFromLegend();
        lower->setBrush(QColor(102, 51, 0, 50));
        lower->setChannelFillGraph(upper);
    }

    if (r.customShown)
        addGraph(p, r.custom.name, r.custom.x, r.custom.y, QPen(colourOf(SoaCurveKind::Custom), 3));
}

void drawViewers(QCustomPlot *voltage, QCustomPlot *current, const SoaSimResult &s)
{
    struct Viewer {
        QCustomPlot *plot;
        const QVector<double> *values;
        QColor colour;
    };
    for (const Viewer &v : { Viewer { voltage, &s.V, Qt::blue }, Viewer { current, &s.I, Qt::red } }) {
        v.plot->clearGraphs();
        QCPGraph *g = v.plot->addGraph();
        g->setPen(QPen(v.colour, 3));
        g->setData(s.time, *v.values, true);
        if (!s.time.isEmpty() && s.time.last() > s.time.first())
            v.plot->xAxis->setRange(s.time.first(), s.time.last());
        v.plot->yAxis->rescale();
        const QCPRange range = v.plot->yAxis->range();
        if (range.size() <= 0)
            v.plot->yAxis->setRange(range.lower - 1, range.upper + 1);
    }
}
