#include "pages/currentpump/pumpchart.h"

#include <QSharedPointer>

#include <cmath>

#include <qcustomplot.h>

#include "pages/stability/loopmodel.h"
#include "pages/stability/stabilitycharts.h"

namespace {

// A level that cannot be drawn (a path of a missing part is infinite) is
// held just outside the chart, so the line leaves the view instead of
// vanishing or putting an infinity into the chart's data.
double drawable(double dB)
{
    if (std::isnan(dB))
        return -1000;
    return std::max(-1000.0, std::min(1000.0, dB));
}

void addCurve(QCustomPlot *plot, const QString &name, const QVector<double> &y, const QPen &pen)
{
    QVector<double> clipped(y.size());
    for (int i = 0; i < y.size(); ++i)
        clipped[i] = drawable(y[i]);
    QCPGraph *g = plot->addGraph();
    g->setName(name);
    g->setPen(pen);
    g->setData(StabGrid::frequencies(), clipped, true);
}

void removeTitle(QCustomPlot *plot)
{
    QCPLayoutGrid *layout = plot->plotLayout();
    if (layout->rowCount() > 1 && qobject_cast<QCPTextElement *>(layout->element(0, 0))) {
        layout->remove(layout->element(0, 0));
        layout->simplify();
    }
}

} // namespace

void setupIHCPplots(QCustomPlot *plot, bool sweep)
{
    removeTitle(plot);
    plot->clearGraphs();
    if (!sweep) {
        setupBodeChart(plot, QStringLiteral("Bode Plot - Gain"), QStringLiteral("Gain [dB]"), -20, 140, 20,
            Qt::AlignTop | Qt::AlignRight);
        return;
    }
    plot->plotLayout()->insertRow(0);
    QFont titleFont = plot->font();
    titleFont.setBold(true);
    plot->plotLayout()->addElement(
        0, 0, new QCPTextElement(plot, QStringLiteral("Load Impedance vs. Worst Case Error"), titleFont));
    plot->xAxis->setScaleType(QCPAxis::stLinear);
    plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    plot->yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    plot->xAxis->grid()->setSubGridVisible(false);
    plot->xAxis->setLabel(QStringLiteral("Load Impedance [\u03A9]"));
    plot->yAxis->setLabel(QStringLiteral("Worst Case Error [%]"));
    plot->legend->setVisible(false);
}

void drawIHCPbode(QCustomPlot *plot, const PumpBodeResult &r)
{
    plot->clearGraphs();
    addCurve(plot, QStringLiteral("Open Loop Gain"), r.aol, QPen(Qt::blue, 3));
    addCurve(plot, QStringLiteral("1/\u00DF"), r.path1, QPen(Qt::red, 3));
    if (r.path2Drawn)
        addCurve(plot, QStringLiteral("1/\u00DF Path 2"), r.path2, QPen(QColor(255, 128, 0), 3));
    addCurve(plot, QStringLiteral("V at Load"), r.vAtLoad, QPen(Qt::black, 3, Qt::DotLine));
}

void drawIHCPsweep(QCustomPlot *plot, const PumpSweep &s)
{
    plot->clearGraphs();
    QVector<double> x, y;
    for (int i = 0; i < s.load.size(); ++i) {
        if (std::isfinite(s.load[i]) && std::isfinite(s.error[i])) {
            x.append(s.load[i]);
            y.append(s.error[i]);
        }
    }
    QCPGraph *g = plot->addGraph();
    g->setName(QStringLiteral("Worst Case Error"));
    g->setPen(QPen(Qt::blue, 3));
    g->setData(x, y, true);
    plot->rescaleAxes();
}
