#include "pages/hidden/demobodechart.h"

#include <QFileInfo>

#include "qcustomplot.h"

void setupDemoPlot(QCustomPlot *plot)
{
    plot->plotLayout()->insertRow(0);
    QFont titleFont = plot->font();
    titleFont.setBold(true);
    plot->plotLayout()->addElement(
        0, 0, new QCPTextElement(plot, QStringLiteral("Bode Plot - Gain"), titleFont));

    QFont axisFont(QStringLiteral("MS Shell Dlg 2"));
    axisFont.setPixelSize(14);
    plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
    QSharedPointer<QCPAxisTickerText> decades(new QCPAxisTickerText);
    const char *const names[] = { "1", "10", "100", "1k", "10k", "100k", "1M", "10M", "100M" };
    double f = 1;
    for (const char *name : names) {
        decades->addTick(f, QLatin1String(name));
        f *= 10;
    }
    decades->setSubTickCount(8);
    plot->xAxis->setTicker(decades);
    plot->xAxis->setRange(1, 1e8);
    plot->xAxis->setLabel(QStringLiteral("Frequency [Hz]"));
    plot->xAxis2->setVisible(true);
    plot->xAxis2->setScaleType(QCPAxis::stLogarithmic);
    plot->xAxis2->setTicker(decades);
    plot->xAxis2->setTickLabels(false);
    plot->xAxis2->setRange(1, 1e8);

    QSharedPointer<QCPAxisTickerFixed> step(new QCPAxisTickerFixed);
    step->setTickStep(20);
    step->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    plot->yAxis->setTicker(step);
    plot->yAxis->setRange(-20, 140);
    plot->yAxis->setLabel(QStringLiteral("Gain [dB]"));

    for (QCPAxis *axis : { plot->xAxis, plot->yAxis, plot->xAxis2 }) {
        axis->setLabelFont(axisFont);
        axis->setTickLabelFont(axisFont);
        axis->grid()->setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
        axis->grid()->setSubGridPen(QPen(QColor(128, 128, 128, 110), 1, Qt::DotLine));
    }
    plot->xAxis->grid()->setSubGridVisible(true);
    plot->legend->setVisible(true);
}

void plotDemoBode(QCustomPlot *plot, const DemoBodeResult &result)
{
    plot->clearGraphs();
    const struct {
        const char *name;
        const QVector<double> &gain;
        QColor colour;
    } curves[] = { { "Open Loop Gain", result.openLoop, QColor(0, 0, 255) },
        { "Closed Loop Gain", result.closedLoop, QColor(255, 0, 0) } };
    for (const auto &curve : curves) {
        QCPGraph *graph = plot->addGraph();
        graph->setName(QLatin1String(curve.name));
        graph->setPen(QPen(curve.colour, 3));
        graph->setData(result.frequency, curve.gain, true);
    }
}

bool saveDemoPlot(QCustomPlot *plot, const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return plot->savePdf(path);
    if (suffix == QLatin1String("png"))
        return plot->savePng(path);
    return plot->saveJpg(path);
}
