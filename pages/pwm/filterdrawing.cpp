#include "pages/pwm/filterdrawing.h"

#include <qcustomplot.h>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "values/sivalues.h"

namespace {

const QColor kGrey(128, 128, 128);
constexpr double kTop = 100; // leg A
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

QPen wirePen()
{
    return QPen(Qt::black, 3);
}

void addTitle(QCustomPlot *plot, const QString &title)
{
    plot->plotLayout()->insertRow(0);
    QFont font = plot->font();
    font.setBold(true);
    plot->plotLayout()->addElement(0, 0, new QCPTextElement(plot, title, font));
}

QString valueText(double value, bool designable, const QString &unit)
{
    return designable ? itemSIText(value, unit) : noValueText();
}

// A ground drawn upward from (x, y), for a capacitor that hangs from ground
// down to the lower leg.
void groundUp(QCustomPlot *plot, double x, double y)
{
    const QPen pen = wirePen();
    plotWver(plot, pen, x, y + 50, 50);
    const double half[] = { 100, 60, 20 };
    for (int i = 0; i < 3; ++i)
        plotWhor(plot, pen, x - half[i], y + 50 + 50 * i, 2 * half[i]);
}

struct Legs {
    double b = 0; // y of leg B
    bool two = false;
};

Legs legsOf(FilterTopology topology)
{
    switch (topology) {
    case FilterTopology::SingleEnded:
        return { 0, false };
    case FilterTopology::SplitInductor:
        return { -900, true };
    case FilterTopology::DualCapacitor:
        break;
    }
    return { -1300, true };
}

void drawInductorStage(QCustomPlot *plot, double x, const Legs &legs, const QString &label)
{
    plotLhor(plot, wirePen(), x, kTop);
    addSchematicText(plot, x + 200, kTop + 130, label);
    if (!legs.two)
        return;
    plotLhor(plot, wirePen(), x, legs.b);
    addSchematicText(plot, x + 200, legs.b - 110, label);
}

void drawCapacitorStage(
    QCustomPlot *plot, double x, FilterTopology topology, const Legs &legs, const QString &label)
{
    const QPen pen = wirePen();
    // Labels go left of the capacitor: the load block may follow at x + 400.
    const double xc = x + 200;
    plotWhor(plot, pen, x, kTop, 400);
    if (legs.two)
        plotWhor(plot, pen, x, legs.b, 400);
    switch (topology) {
    case FilterTopology::SingleEnded:
        plotCver(plot, pen, xc, kTop);
        plotG(plot, pen, xc, kTop - 400);
        addSchematicText(plot, xc - 130, kTop - 200, label, kRight);
        break;
    case FilterTopology::SplitInductor:
        plotWver(plot, pen, xc, kTop, 300);
        plotCver(plot, pen, xc, kTop - 300);
        plotWver(plot, pen, xc, kTop - 700, (kTop - 700) - legs.b);
        addSchematicText(plot, xc - 130, kTop - 500, label, kRight);
        break;
    case FilterTopology::DualCapacitor:
        plotCver(plot, pen, xc, kTop);
        plotG(plot, pen, xc, kTop - 400);
        addSchematicText(plot, xc - 130, kTop - 200, label, kRight);
        plotCver(plot, pen, xc, legs.b + 400);
        groundUp(plot, xc, legs.b + 400);
        addSchematicText(plot, xc - 130, legs.b + 200, label, kRight);
        break;
    }
}

} // namespace

void setupFilterPlot(QCustomPlot *attenuation, QCustomPlot *schematic)
{
    QCustomPlot *plot = attenuation;
    addTitle(plot, QStringLiteral("Ideal Component Attenuation"));
    plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
    QSharedPointer<QCPAxisTickerText> ticks(new QCPAxisTickerText);
    double f = 1;
    for (const char *name : { "1", "10", "100", "1k", "10k", "100k", "1M" }) {
        ticks->addTick(f, QLatin1String(name));
        f *= 10;
    }
    ticks->setSubTickCount(8);
    plot->xAxis->setTicker(ticks);
    plot->xAxis->setRange(1, 1e6);
    plot->xAxis->setLabel(QStringLiteral("Frequency [Hz]"));
    QSharedPointer<QCPAxisTickerFixed> fixed(new QCPAxisTickerFixed);
    fixed->setTickStep(20);
    fixed->setScaleStrategy(QCPAxisTickerFixed::ssNone);
    plot->yAxis->setTicker(fixed);
    plot->yAxis->setLabel(QStringLiteral("Gain [dB]"));
    plot->yAxis->setRange(-120, 0);
    for (QCPAxis *axis : { plot->xAxis, plot->yAxis }) {
        axis->grid()->setPen(QPen(kGrey, 1, Qt::DotLine));
        axis->grid()->setSubGridPen(QPen(QColor(128, 128, 128, 110), 1, Qt::DotLine));
        axis->grid()->setSubGridVisible(true);
    }
    plot->legend->setVisible(true);
    QFont legendFont = plot->font();
    legendFont.setPointSizeF(std::max(6.0, legendFont.pointSizeF() * 0.8));
    plot->legend->setFont(legendFont);
    plot->legend->setBrush(QColor(255, 255, 255, 200));
    plot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignLeft | Qt::AlignBottom);

    setupSchematicCanvas(schematic);
    addTitle(schematic, QStringLiteral("Filter Schematic"));
}

void plotAttenuation(QCustomPlot *plot, const AttenuationCurve &curve, double fc, double fsw, bool percent)
{
    plot->clearGraphs();
    const double bottom = percent ? 0 : -120;
    const double top = percent ? 100 : 0;
    const auto add = [plot](const QString &name, const QColor &colour, Qt::PenStyle style) {
        QCPGraph *g = plot->addGraph();
        g->setName(name);
        g->setPen(QPen(colour, 3, style));
        return g;
    };
    add(QStringLiteral("Filter Response"), QColor(0, 0, 200), Qt::SolidLine)
        ->setData(curve.f, percent ? curve.percent : curve.gainDb, true);
    // A marker at a frequency the log axis cannot show is left without points.
    const auto marker = [&](const QString &name, const QColor &colour, double f) {
        QCPGraph *g = add(name, colour, Qt::DashLine);
        if (std::isfinite(f) && f > 0)
            g->setData({ f, f }, { top == 0 ? 0.0 : bottom, top == 0 ? bottom : top }, true);
    };
    marker(QStringLiteral("Cutoff Frequency"), QColor(0, 160, 0), fc);
    marker(QStringLiteral("Switching Frequency"), QColor(255, 0, 0), fsw);
    plot->yAxis->setLabel(percent ? QStringLiteral("Attenuation [%]") : QStringLiteral("Gain [dB]"));
    plot->yAxis->setRange(bottom, top);
    // The legend sits where the curve is not: low frequencies pass unattenuated.
    plot->axisRect()->insetLayout()->setInsetAlignment(
        0, Qt::AlignLeft | (percent ? Qt::AlignTop : Qt::AlignBottom));
}

void drawFilterSchematic(QCustomPlot *plot, const FilterResult &design, int order, FilterTopology topology)
{
    clearSchematic(plot);
    const QPen pen = wirePen();
    const Legs legs = legsOf(topology);
    // Two lines, so that the name fits left of an order-6 ladder.
    addSchematicText(plot, -30, kTop, QStringLiteral("PWM\nOut A"), kRight);
    if (legs.two)
        addSchematicText(plot, -30, legs.b, QStringLiteral("PWM\nOut B"), kRight);
    for (int k = 1; k <= order && k <= 6; ++k) {
        const double x = 400.0 * (k - 1);
        const size_t stage = size_t((k - 1) / 2);
        if (k % 2 == 1)
            drawInductorStage(
                plot, x, legs, valueText(design.drawnL[stage], design.designable, QStringLiteral("H")));
        else
            drawCapacitorStage(plot, x, topology, legs,
                valueText(design.drawnC[stage], design.designable, QStringLiteral("F")));
    }
    const double xLoad = 400.0 * order;
    plotLoad(plot, pen, xLoad, kTop);
    if (legs.two)
        plotWver(plot, pen, xLoad, kTop - 800, (kTop - 800) - legs.b);
    else
        plotG(plot, pen, xLoad, kTop - 800);
    addSchematicText(plot, xLoad + 90, kTop - 400, QStringLiteral("LOAD AND\nMATCHING\nNETWORK"), kLeft);

    plot->xAxis->setRange(200.0 * order - 1600, 200.0 * order + 1900);
    plot->yAxis->setRange(topology == FilterTopology::SingleEnded
            ? -900
            : (topology == FilterTopology::SplitInductor ? -1300 : -1700),
        300);
}

void loadSchematic(QCustomPlot *plot, bool loadIsC)
{
    clearSchematic(plot);
    const QPen pen = wirePen();
    const double bottom = -1100, xMatch = 600, xLoad = 1500;
    addSchematicText(plot, -30, kTop, QStringLiteral("FILTER"), kRight);
    addSchematicText(plot, -30, bottom, QStringLiteral("FILTER"), kRight);
    plotWhor(plot, pen, 0, kTop, xLoad);
    plotWhor(plot, pen, 0, bottom, xLoad);
    // The matching branch holds the reactance opposite to the load's.
    for (double x : { xMatch, xLoad }) {
        const bool capacitor = (x == xLoad) == loadIsC;
        plotRver(plot, pen, x, kTop);
        if (capacitor)
            plotCver(plot, pen, x, kTop - 400);
        else
            plotLver(plot, pen, x, kTop - 400);
        plotWver(plot, pen, x, kTop - 800, (kTop - 800) - bottom);
    }
    addSchematicText(plot, xMatch + 150, kTop - 400, QStringLiteral("MATCHING\nNETWORK"), kLeft);
    addSchematicText(plot, xLoad + 150, kTop - 400, QStringLiteral("LOAD"), kLeft);
    plot->xAxis->setRange(-1200, 2600);
    plot->yAxis->setRange(-1400, 400);
}
