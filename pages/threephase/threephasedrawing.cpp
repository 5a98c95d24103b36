#include "pages/threephase/threephasedrawing.h"

#include "app/schematic/primitives.h"
#include "qcustomplot.h"

using namespace ThreePhase;

namespace {

const QColor kSlotColours[6] = { QColor(0, 0, 220), QColor(200, 0, 0), QColor(0, 140, 0), QColor(170, 0, 170),
    QColor(230, 120, 0), QColor(0, 150, 150) };

// Draws the wye or delta drive on plot coordinates: the legs at x = 0, 600,
// 1200 between the rails, the phase wires at y = 2800, 1400, 0 running right
// to the motor at x >= 2000.
class P3Schematic {
public:
    P3Schematic(QCustomPlot *plot, const QStringList &graphables)
        : m_plot(plot)
        , m_graphables(graphables)
    {
    }

    void draw(bool delta, bool linear)
    {
        const double rails[2] = { 3800, -1000 };
        start(QString());
        plotWhor(m_plot, pen(), 0, rails[0], 1200);
        plotWhor(m_plot, pen(), 0, rails[1], 1200);
        text(-250, rails[0], QStringLiteral("Vs"), QString());
        text(-250, rails[1], QStringLiteral("0 V"), QString());
        static const char *phases = "ABC";
        for (int k = 0; k < 3; ++k) {
            const double x = 600 * k, y = kWireY[k];
            const QString p(QChar(phases[k]));
            switchBox(x, rails[0], y, p + QLatin1Char('t'));
            switchBox(x, y, rails[1], p + QLatin1Char('b'));
            start(QStringLiteral("I%1").arg(k + 1));
            double from = x;
            for (int leg = k + 1; leg < 3; ++leg) { // hop over the legs to the right
                plotWhor(m_plot, pen(), from, y, 600 * leg - 60 - from);
                plotJhor(m_plot, pen(), 600 * leg - 60, y, 60);
                from = 600 * leg + 60;
            }
            plotWhor(m_plot, pen(), from, y, 2000 - from);
            text(1700, y + 120, QStringLiteral("I%1").arg(k + 1), QStringLiteral("I%1").arg(k + 1));
            start(QStringLiteral("V%1").arg(k + 1));
            dot(x, y);
            text(x - 230, y, p + QStringLiteral("out"), QStringLiteral("V%1").arg(k + 1));
        }
        if (delta)
            drawDelta();
        else
            drawWye();
        text(700, -1700, QStringLiteral(" Frequency"), QStringLiteral("freq"));
        text(2700, -1700, QStringLiteral(" Duty Cycle Envelope"), QStringLiteral("DCenv"));
        text(700, -2200, linear ? QStringLiteral(" Position") : QStringLiteral(" Rotor Angle"),
            QStringLiteral("Angle"));
        text(2700, -2200, QStringLiteral(" Load Power"), QStringLiteral("loadPower"));
    }

private:
    static constexpr double kWireY[3] = { 2800, 1400, 0 };

    void start(const QString &signal)
    {
        m_signal = signal;
        m_first = m_plot->plottableCount();
    }
    QPen pen() const
    {
        const int slot = m_signal.isEmpty() ? -1 : m_graphables.indexOf(m_signal);
        return slot >= 0 ? p3SlotPen(slot, 2) : QPen(Qt::black, 1);
    }
    void tag()
    {
        for (int i = m_first; i < m_plot->plottableCount(); ++i) {
            m_plot->plottable(i)->setProperty(kP3SignalProperty, m_signal);
            m_plot->plottable(i)->setSelectable(m_signal.isEmpty() ? QCP::stNone : QCP::stWhole);
        }
        m_first = m_plot->plottableCount();
    }
    void text(double x, double y, const QString &s, const QString &signal)
    {
        auto *t = new QCPItemText(m_plot);
        t->position->setCoords(x, y);
        t->setText(s);
        t->setProperty(kP3SignalProperty, signal);
        t->setSelectable(!signal.isEmpty());
        const int slot = signal.isEmpty() ? -1 : m_graphables.indexOf(signal);
        t->setColor(slot >= 0 ? p3SlotPen(slot).color() : Qt::black);
        t->setSelectedColor(t->color());
        QFont f = m_plot->font();
        f.setPointSizeF(8);
        f.setBold(slot >= 0);
        t->setFont(f);
        t->setSelectedFont(f);
    }
    void dot(double x, double y)
    {
        auto *e = new QCPItemEllipse(m_plot);
        e->topLeft->setCoords(x - 40, y + 40);
        e->bottomRight->setCoords(x + 40, y - 40);
        e->setPen(pen());
        e->setBrush(pen().color());
        e->setSelectedPen(pen());
        e->setSelectedBrush(pen().color());
        e->setProperty(kP3SignalProperty, m_signal);
        e->setSelectable(!m_signal.isEmpty());
    }
    void source(double x, double yTop, const QString &signal, const QString &label)
    {
        start(signal);
        auto *e = new QCPItemEllipse(m_plot);
        e->topLeft->setCoords(x - 100, yTop);
        e->bottomRight->setCoords(x + 100, yTop - 200);
        e->setPen(pen());
        e->setSelectedPen(pen());
        e->setProperty(kP3SignalProperty, signal);
        text(x, yTop - 100, QStringLiteral("~"), signal);
        text(x + 330, yTop - 100, label, signal);
    }
    void switchBox(double x, double yTop, double yBottom, const QString &signal)
    {
        start(QString());
        const double mid = (yTop + yBottom) / 2;
        plotWver(m_plot, pen(), x, yTop, yTop - mid - 200);
        plotWver(m_plot, pen(), x, mid - 200, mid - 200 - yBottom);
        tag();
        start(signal);
        plotWver(m_plot, pen(), x, mid + 200, 60);
        plotWdia(m_plot, pen(), x, mid + 140, x + 110, mid - 100);
        plotWver(m_plot, pen(), x, mid - 140, 60);
        tag();
        text(x - 170, mid, signal, signal);
    }
    // A winding from (x, yTop) down by `length`: resistor, inductor, back-EMF.
    void winding(double x, double yTop, double length, const QString &emf, const QString &label)
    {
        start(QString());
        const double lead = (length - 1000) / 2;
        plotWver(m_plot, pen(), x, yTop, lead);
        plotRver(m_plot, pen(), x, yTop - lead);
        plotLver(m_plot, pen(), x, yTop - lead - 400);
        plotWver(m_plot, pen(), x, yTop - lead - 1000, length - lead - 1000);
        tag();
        source(x, yTop - lead - 800, emf, label);
    }
    void drawDelta()
    {
        start(QString());
        plotWhor(m_plot, pen(), 2000, kWireY[0], 1000);
        plotWhor(m_plot, pen(), 2000, kWireY[1], 200);
        plotWhor(m_plot, pen(), 2000, kWireY[2], 1000);
        tag();
        winding(2200, kWireY[0], 1400, QStringLiteral("VemfA"), QStringLiteral("A-B"));
        winding(2200, kWireY[1], 1400, QStringLiteral("VemfB"), QStringLiteral("B-C"));
        winding(3000, kWireY[0], 2800, QStringLiteral("VemfC"), QStringLiteral("C-A"));
        start(QString());
        dot(2200, kWireY[0]);
        dot(2200, kWireY[2]);
    }
    void drawWye()
    {
        // Each phase winding hangs from its wire to the neutral bar below.
        static const char *names[] = { "VemfA", "VemfB", "VemfC" };
        const double xs[3] = { 2300, 2900, 3500 };
        const double bar = -1000;
        for (int k = 0; k < 3; ++k) {
            start(QString());
            double from = 2000;
            for (int j = 0; j < k; ++j) { // hop over the windings to the left
                plotWhor(m_plot, pen(), from, kWireY[k], xs[j] - 60 - from);
                plotJhor(m_plot, pen(), xs[j] - 60, kWireY[k], 60);
                from = xs[j] + 60;
            }
            plotWhor(m_plot, pen(), from, kWireY[k], xs[k] - from);
            tag();
            winding(
                xs[k], kWireY[k], kWireY[k] - bar, QString::fromLatin1(names[k]), QString(QChar('A' + k)));
        }
        start(QStringLiteral("Vwye"));
        plotWhor(m_plot, pen(), xs[0], bar, xs[2] - xs[0]);
        tag();
        dot(xs[1], bar);
        text(xs[1], bar - 180, QStringLiteral("Vwye"), QStringLiteral("Vwye"));
    }

    QCustomPlot *m_plot;
    QStringList m_graphables;
    QString m_signal;
    int m_first = 0;
};

} // namespace

QPen p3SlotPen(int slot, double width)
{
    return QPen(kSlotColours[qBound(0, slot, 5)], width);
}

void setupP3graph(QCustomPlot *plot)
{
    for (QCPAxis *axis : { plot->xAxis, plot->yAxis }) {
        axis->grid()->setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
        axis->grid()->setSubGridPen(QPen(QColor(128, 128, 128, 90), 1, Qt::DotLine));
        axis->grid()->setSubGridVisible(true);
    }
    plot->xAxis->setLabel(QStringLiteral("time [s]"));
    plot->legend->setVisible(false);
    // Six plots share a narrow column: small fonts and few ticks keep them legible.
    QFont small = plot->font();
    small.setPointSizeF(7);
    for (QCPAxis *axis : { plot->xAxis, plot->yAxis }) {
        axis->setTickLabelFont(small);
        axis->setLabelFont(small);
        axis->ticker()->setTickCount(3);
    }
}

void drawP3graph(
    QCustomPlot *plot, int slot, const QString &name, const Traces &traces, const SignalView &view)
{
    plot->clearGraphs();
    const QVector<double> *y = signalVector(traces, name, view);
    plot->yAxis->setLabel(y ? signalTitle(name, view) : QString());
    QCPGraph *graph = plot->addGraph();
    graph->setPen(p3SlotPen(slot));
    graph->setName(name);
    if (!y || y->isEmpty())
        return;
    graph->setData(traces.time, *y, true);
    plot->rescaleAxes();
    // A flat signal still gets a visible band around it.
    const QCPRange r = plot->yAxis->range();
    if (r.size() < 1e-12)
        plot->yAxis->setRange(r.lower - 1, r.upper + 1);
    else
        plot->yAxis->scaleRange(1.1, r.center());
}

void setupP3schematic(QCustomPlot *plot)
{
    setupSchematicCanvas(plot);
    plot->setInteractions(QCP::iSelectItems | QCP::iSelectPlottables);
}

void drawP3schematic(QCustomPlot *plot, bool delta, bool linear, const QStringList &graphables)
{
    clearSchematic(plot);
    P3Schematic(plot, graphables).draw(delta, linear);
}

void fitP3schematic(QCustomPlot *plot)
{
    fitSchematicView(plot, 6);
}
