#include "pages/pwm/controlschematic.h"

#include <cmath>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "pages/notes.h"
#include "qcustomplot.h"

namespace {

const QColor kGrey(128, 128, 128);
const QColor kFixed(0, 0, 200); // components the suggestion keeps

// The drawing of one circuit: symbols at fixed places on a grid of 100 units,
// the component labels collected as they are placed.
class ControlDrawing {
public:
    ControlDrawing(QCustomPlot *plot, const ControlSchematicCase &c)
        : p(plot)
        , k(c)
        , pen(Qt::black, 2)
        , fixed(userFixedParts(c.circuit))
    {
    }

    // A component's name over its value, anchored at (x, y): above a
    // horizontal part by default, beside a vertical one.
    void label(int part, const QString &name, double x, double y,
        Qt::Alignment anchor = Qt::AlignHCenter | Qt::AlignBottom)
    {
        const QColor colour = fixed.contains(part) ? kFixed : QColor(Qt::black);
        QCPItemText *v = addSchematicText(p, x, y, QString(), anchor, colour);
        v->setText(name + QLatin1Char('\n') + itemValueText(k.parts[part], controlPartUnit(part)));
        QFont small = p->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        v->setFont(small);
        labels.append({ v, part });
    }
    void text(
        double x, double y, const QString &t, Qt::Alignment a = Qt::AlignCenter, const QColor &c = Qt::black)
    {
        addSchematicText(p, x, y, t, a, c);
    }
    // Operating ranges go into one column right of the load, in the order asked.
    void range(int slot) { rangeSlots.append(slot); }
    void drawRanges()
    {
        QFont small = p->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        double y = 1800;
        for (int slot : rangeSlots) {
            const OperatingRange &r = k.result.ranges[slot];
            if (r.label.isEmpty())
                continue;
            const QColor c = r.outOfRange ? noteColour(NoteTone::Warning) : QColor(kGrey.darker(150));
            addSchematicText(p, rangeX, y, rangeText(r), Qt::AlignLeft | Qt::AlignTop, c)->setFont(small);
            y -= 750;
        }
    }
    void block(double x0, double y0, double x1, double y1, const QString &caption, const QColor &fill,
        bool captionBelow = false)
    {
        if (k.hideBlocks)
            return;
        auto *rect = new QCPItemRect(p);
        rect->setLayer(QStringLiteral("background"));
        rect->setSelectable(false);
        rect->topLeft->setCoords(x0, y1);
        rect->bottomRight->setCoords(x1, y0);
        QColor edge = fill.darker(140);
        rect->setPen(QPen(edge, 1, Qt::DashLine));
        QColor f = fill;
        f.setAlpha(60);
        rect->setBrush(f);
        QCPItemText *t = captionBelow
            ? addSchematicText(p, (x0 + x1) / 2, y0 + 20, caption, Qt::AlignHCenter | Qt::AlignBottom, edge)
            : addSchematicText(p, (x0 + x1) / 2, y1 - 20, caption, Qt::AlignHCenter | Qt::AlignTop, edge);
        QFont bold = p->font();
        bold.setBold(true);
        t->setFont(bold);
        t->setLayer(QStringLiteral("background"));
    }

    // Input, summing node, integrator and noise filter, PWM amplifier, FILTER
    // and LOAD: the part every circuit shares. `bias` draws Rbias to Vbias.
    void forwardPath(bool bias, bool senseInOutput)
    {
        text(-150, 0, QStringLiteral("V_IN"), Qt::AlignRight | Qt::AlignVCenter);
        plotWhor(p, pen, -100, 0, 300);
        plotRhor(p, pen, 200, 0);
        label(Rin, QStringLiteral("R_in"), 400, 110);
        plotWhor(p, pen, 600, 0, 700);
        plotSum(p, pen, 900, 0);
        if (bias) {
            plotWver(p, pen, 700, 500, 500);
            plotRver(p, pen, 700, 900);
            label(Rbias, QStringLiteral("R_bias"), 580, 700, Qt::AlignRight | Qt::AlignVCenter);
            biasLabel(700, 920);
        }
        // Integrator: Rint and Cint from the summing node to its output.
        plotWver(p, pen, 1100, 600, 600);
        plotWhor(p, pen, 1100, 600, 100);
        plotRhor(p, pen, 1200, 600);
        label(Rint, QStringLiteral("R_int"), 1400, 710);
        plotChor(p, pen, 1600, 600);
        label(Cint, QStringLiteral("C_int"), 1800, 710);
        plotWhor(p, pen, 2000, 600, 300);
        plotWver(p, pen, 2300, 600, 750);
        plotOA(p, pen, 1400, -150);
        plotWhor(p, pen, 2100, -150, 200);
        plotWver(p, pen, 1300, -300, 250);
        label(Vref, QStringLiteral("V_ref"), 1300, -570, Qt::AlignHCenter | Qt::AlignTop);
        block(1000, -700, 2250, 1300, QStringLiteral("INTEGRATOR"), QColor(80, 160, 80));
        range(IntegratorOut);
        // Noise filter.
        plotRhor(p, pen, 2300, -150 + 0);
        label(Rnf, QStringLiteral("R_nf"), 2500, -40);
        plotWhor(p, pen, 2700, -150, 500);
        plotCver(p, pen, 2900, -150);
        plotGr(p, pen, 2900, -550);
        label(Cnf, QStringLiteral("C_nf"), 3000, -350, Qt::AlignLeft | Qt::AlignVCenter);
        block(2280, -650, 3150, 500, QStringLiteral("NOISE FILTER"), QColor(200, 150, 60));
        // PWM amplifier, its output and the network.
        plotPA(p, pen, 3400, -400);
        plotGr(p, pen, 3200, -650);
        text(3750, -400, QStringLiteral("PWM"));
        const double xOut = 4600;
        range(PwmOut);
        double x = xOut;
        if (senseInOutput) {
            plotRhor(p, pen, x, -400);
            label(Rs, QStringLiteral("R_s"), x + 200, -290);
            x += 400;
        }
        plotWhor(p, pen, x, -400, 100);
        plotRect(p, pen, x + 100, -400, 800, 500);
        text(x + 500, -400, QStringLiteral("FILTER"));
        filterRight = x + 900;
        block(x + 60, -700, x + 940, 0, QStringLiteral("FILTER"), QColor(120, 120, 220));
    }
    void biasLabel(double x, double y) { label(Vbias, QStringLiteral("V_bias"), x, y); }
    // The load after the filter, optionally with the sense resistor in series.
    double load(bool senseInLoad)
    {
        double x = filterRight;
        if (senseInLoad) {
            plotWhor(p, pen, x, -400, 100);
            plotRhor(p, pen, x + 100, -400);
            label(Rs, QStringLiteral("R_s"), x + 300, -290);
            x += 500;
        }
        plotWhor(p, pen, x, -400, 300);
        plotLoad(p, pen, x + 300, -400);
        plotGr(p, pen, x + 300, -1200);
        text(x + 420, -800, QStringLiteral("LOAD"), Qt::AlignLeft | Qt::AlignVCenter);
        block(x + 180, -1280, x + 420 + 420, -100, QStringLiteral("LOAD"), QColor(200, 90, 90));
        rangeX = x + 1000;
        return x + 300;
    }
    // Difference amplifier on the bottom row, input at xIn (from y = -400),
    // output fed back through Rf into the summing node.
    void differenceAmplifier(double xIn, bool withCdf)
    {
        const double y = -2000;
        plotWver(p, pen, xIn, -400, 1600);
        plotWhor(p, pen, xIn - 300, y, 300);
        plotRhor(p, pen, xIn - 700, y);
        label(Rdin, QStringLiteral("R_din"), xIn - 500, y + 110);
        plotCver(p, pen, xIn - 800, y);
        plotGr(p, pen, xIn - 800, y - 400);
        label(Cdif, QStringLiteral("C_dif"), xIn - 700, y - 200, Qt::AlignLeft | Qt::AlignVCenter);
        plotWhor(p, pen, xIn - 800, y, 100);
        plotRhor(p, pen, xIn - 1200, y);
        label(Rdif, QStringLiteral("R_dif"), xIn - 1000, y + 110);
        const double xOa = xIn - 1400;
        plotWhor(p, pen, xOa + 100, y, 100);
        plotOAR(p, pen, xOa, y - 150);
        plotWver(p, pen, xOa + 100, y - 300, 100);
        plotGr(p, pen, xOa + 100, y - 400);
        // Rdf (and Cdf) from the inverting input to the output.
        const double xFbR = xOa + 200, xFbL = xOa - 700;
        plotWver(p, pen, xFbR, y + 500, 500);
        plotWver(p, pen, xFbL, y + 500, 650);
        plotWhor(p, pen, xFbL, y + 500, 100);
        plotRhor(p, pen, xFbL + 100, y + 500);
        plotWhor(p, pen, xFbL + 500, y + 500, xFbR - xFbL - 500);
        label(Rdf, QStringLiteral("R_df"), xFbL + 300, y + 390, Qt::AlignHCenter | Qt::AlignTop);
        if (withCdf) {
            plotWver(p, pen, xFbR, y + 900, 400);
            plotWver(p, pen, xFbL, y + 900, 400);
            plotWhor(p, pen, xFbL, y + 900, 100);
            plotChor(p, pen, xFbL + 100, y + 900);
            plotWhor(p, pen, xFbL + 500, y + 900, xFbR - xFbL - 500);
            label(Cdf, QStringLiteral("C_df"), xFbL + 300, y + 1010);
        }
        block(xFbL - 150, y - 650, xIn + 100, y + (withCdf ? 1200 : 850),
            QStringLiteral("DIFFERENCE AMPLIFIER"), QColor(150, 90, 180), true);
        range(DiffAmpOut);
        // Back to the summing node through Rf.
        plotWhor(p, pen, 1300, y - 150, xFbL - 1300);
        plotRhor(p, pen, 900, y - 150);
        label(Rf, QStringLiteral("R_f"), 1100, y - 40);
        plotWver(p, pen, 900, 0, 150 - y);
    }
    // Rv and Cv from half the load voltage into the summing node, along the top.
    void seriesBranch(double xLoad)
    {
        const double y = 1500;
        plotWver(p, pen, 1000, y, y);
        plotWhor(p, pen, 1000, y, 500);
        plotRhor(p, pen, 1500, y);
        label(Rv, QStringLiteral("R_v"), 1700, y + 110);
        plotWhor(p, pen, 1900, y, 200);
        plotChor(p, pen, 2100, y);
        label(Cv, QStringLiteral("C_v"), 2300, y + 110);
        plotWhor(p, pen, 2500, y, xLoad - 2500);
        plotWver(p, pen, xLoad, y, y + 400);
        text(xLoad + 50, 600, QStringLiteral("V_load / 2"), Qt::AlignLeft | Qt::AlignVCenter);
    }
    void finish()
    {
        drawRanges();
        if (k.errorAmp)
            text(-200, -3000,
                QStringLiteral(
                    "* This product includes an internal error amplifier for use as an integrator"),
                Qt::AlignLeft | Qt::AlignTop);
    }

    QCustomPlot *p;
    const ControlSchematicCase &k;
    QPen pen;
    QVector<int> fixed;
    QVector<ControlLabel> labels;
    double filterRight = 0;
    double rangeX = 0;
    QVector<int> rangeSlots;
};

} // namespace

void setupSControlSch(QCustomPlot *plot)
{
    setupSchematicCanvas(plot);
    QObject::connect(plot, &QCustomPlot::beforeReplot, plot, [plot] { fitSchematicView(plot, 8); });
}

void setupSConTcl(QCustomPlot *plot)
{
    plot->plotLayout()->insertRow(0);
    QFont titleFont = plot->font();
    titleFont.setBold(true);
    plot->plotLayout()->addElement(0, 0,
        new QCPTextElement(plot, QStringLiteral("Integrator Transfer Function - Closed Loop"), titleFont));
    plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
    QSharedPointer<QCPAxisTickerText> ticks(new QCPAxisTickerText);
    double f = 1;
    for (const char *name : { "1", "10", "100", "1k", "10k", "100k", "1M", "10M", "100M" }) {
        ticks->addTick(f, QLatin1String(name));
        f *= 10;
    }
    ticks->setSubTickCount(8);
    plot->xAxis->setTicker(ticks);
    plot->xAxis->setLabel(QStringLiteral("Frequency [Hz]"));
    plot->yAxis->setLabel(QStringLiteral("Gain [dB]"));
    for (QCPAxis *axis : { plot->xAxis, plot->yAxis }) {
        axis->grid()->setPen(QPen(kGrey, 1, Qt::DotLine));
        axis->grid()->setSubGridPen(QPen(QColor(128, 128, 128, 110), 1, Qt::DotLine));
        axis->grid()->setSubGridVisible(true);
    }
}

void drawSConTcl(QCustomPlot *plot, const ControlResult &result)
{
    plot->clearGraphs();
    QCPGraph *g = plot->addGraph();
    g->setName(QStringLiteral("Closed Loop"));
    g->setPen(QPen(QColor(0, 0, 200), 3));
    QVector<double> x, y;
    for (int i = 0; i < result.freq.size(); ++i)
        if (std::isfinite(result.gainDb[i])) {
            x.append(result.freq[i]);
            y.append(result.gainDb[i]);
        }
    g->setData(x, y);
    plot->xAxis->setRange(1, result.freq.size() > 1 ? result.freq[result.freq.size() - 2] : 1e6);
    bool found = false;
    const QCPRange r = g->getValueRange(found);
    if (found)
        plot->yAxis->setRange(std::floor(r.lower / 10) * 10 - 10, std::ceil(r.upper / 10) * 10 + 10);
    else
        plot->yAxis->setRange(-20, 20);
}

QVector<ControlLabel> drawV1(QCustomPlot *plot, const ControlSchematicCase &c)
{
    ControlDrawing d(plot, c);
    d.forwardPath(true, false);
    d.load(false);
    d.differenceAmplifier(4500, true);
    d.finish();
    return d.labels;
}

QVector<ControlLabel> drawV2(QCustomPlot *plot, const ControlSchematicCase &c)
{
    ControlDrawing d(plot, c);
    d.forwardPath(false, false);
    d.load(false);
    // Pull-up to Vbias and pull-down to ground at the summing node.
    plotWver(plot, d.pen, 700, 500, 500);
    plotRver(plot, d.pen, 700, 900);
    d.label(Rbh, QStringLiteral("R_bh"), 580, 700, Qt::AlignRight | Qt::AlignVCenter);
    d.biasLabel(700, 920);
    plotWver(plot, d.pen, 750, 0, 100);
    plotRver(plot, d.pen, 750, -100);
    plotGr(plot, d.pen, 750, -500);
    d.label(Rbl, QStringLiteral("R_bl"), 630, -300, Qt::AlignRight | Qt::AlignVCenter);
    // Feedback T-network from the PWM output.
    const double y = -1500;
    plotWver(plot, d.pen, 4500, -400, 1100);
    plotWhor(plot, d.pen, 3700, y, 800);
    plotRhor(plot, d.pen, 3300, y);
    d.label(Rdif, QStringLiteral("R_dif"), 3500, y + 110);
    plotCver(plot, d.pen, 3100, y);
    plotGr(plot, d.pen, 3100, y - 400);
    d.label(Cdif, QStringLiteral("C_dif"), 3200, y - 200, Qt::AlignLeft | Qt::AlignVCenter);
    plotWhor(plot, d.pen, 2500, y, 800);
    plotRhor(plot, d.pen, 2100, y);
    d.label(Rdin, QStringLiteral("R_din"), 2300, y + 110);
    plotWhor(plot, d.pen, 900, y, 1200);
    plotWver(plot, d.pen, 900, 0, 1500);
    d.block(2000, y - 550, 4600, y + 450, QStringLiteral("DIFFERENCE AMPLIFIER"), QColor(150, 90, 180), true);
    d.range(CmInput);
    d.finish();
    return d.labels;
}

QVector<ControlLabel> drawI1(QCustomPlot *plot, const ControlSchematicCase &c)
{
    ControlDrawing d(plot, c);
    d.forwardPath(true, true);
    const double xLoad = d.load(false);
    d.differenceAmplifier(4600, true);
    // The other end of the sense resistor, the amplifier's second input.
    plotWver(plot, d.pen, 5000, -400, 800);
    d.text(5000, -1250, QStringLiteral("to diff amp +"), Qt::AlignHCenter | Qt::AlignTop);
    d.range(AmpCurrent);
    d.seriesBranch(xLoad);
    d.finish();
    return d.labels;
}

QVector<ControlLabel> drawI2(QCustomPlot *plot, const ControlSchematicCase &c)
{
    ControlDrawing d(plot, c);
    d.forwardPath(true, false);
    const double xLoad = d.load(true);
    d.differenceAmplifier(d.filterRight + 100, false);
    d.range(LoadCurrent);
    d.range(LoadVoltage);
    d.seriesBranch(xLoad);
    d.finish();
    return d.labels;
}

QVector<ControlLabel> drawSConSchematic(QCustomPlot *plot, const ControlSchematicCase &c)
{
    clearSchematic(plot);
    switch (c.circuit) {
    case ControlCircuit::Voltage1:
        return drawV1(plot, c);
    case ControlCircuit::Voltage2:
        return drawV2(plot, c);
    case ControlCircuit::Current1:
        return drawI1(plot, c);
    case ControlCircuit::Current2:
        return drawI2(plot, c);
    }
    return {};
}
