// The clickable schematic of the SOA page: amplifier(s), supplies and load.
#include "pages/soa/soaschematic.h"

#include <cmath>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "pages/notes.h"
#include "qcustomplot.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

namespace {

// Rails leave the amplifier triangle where its edges are this high.
constexpr double kSupplyX = 700, kSupplyEdge = 150;
constexpr double kBoostX = 100, kBoostEdge = 450;
constexpr double kRailTop = 700, kLabelGap = 120;
constexpr double kAmpPitch = 1400;

QString negated(const QString &text)
{
    return QString::number(-string2Number(text), 'g', 10);
}

void motorSymbol(QCustomPlot *plot, const QPen &pen, double cx, double cy, double r)
{
    const int steps = 36;
    for (int i = 0; i < steps; ++i) {
        const double a0 = 2 * M_PI * i / steps, a1 = 2 * M_PI * (i + 1) / steps;
        plotWdia(plot, pen, cx + r * std::cos(a0), cy + r * std::sin(a0), cx + r * std::cos(a1),
            cy + r * std::sin(a1));
    }
    addSchematicText(plot, cx, cy, QStringLiteral("M"));
}

// The supplies of one side, as its labels read.
struct SideSupplies {
    QString pos, neg, bPos, bNeg;
};

class SoaSchematic {
public:
    SoaSchematic(QCustomPlot *plot, const SoaSchematicCase &c)
        : p(plot)
        , c(c)
        , n(c.parallel)
        , bottom(-kAmpPitch * (n - 1))
    {
        labels.fill(nullptr, SoaLabelCount);
    }

    QVector<QCPItemText *> draw();

private:
    void side(double base, double mirror, const SideSupplies &s, int slot);
    void rails(double x, double edge, const QString &pos, const QString &neg, const QString &name, int slot,
        Qt::Alignment across);
    void motorLoad();
    void seriesLoad();
    void parallelLoad();

    QCustomPlot *p;
    const SoaSchematicCase &c;
    const QPen pen { Qt::black, 3 };
    const int n;
    const double bottom;
    QVector<QCPItemText *> labels;
    // The load runs from the output node to `x`, where the slave's output
    // joins; `groundX` is where it goes to ground (none when negative).
    double x = 0, groundX = -1, groundY = 0;
};

// One side: n amplifiers (mirrored about `base` for the slave), their sharing
// resistors and bus, and the supply rails with their labels.
void SoaSchematic::side(double base, double mirror, const SideSupplies &s, int slot)
{
    for (int k = 0; k < n; ++k) {
        const double y = -kAmpPitch * k;
        if (mirror > 0)
            plotPA(p, pen, base, y);
        else
            plotPAR(p, pen, base, y);
        if (n >= 2) {
            plotRhor(p, pen, mirror > 0 ? base + 1200 : base - 1600, y);
            plotWhor(p, pen, mirror > 0 ? base + 1600 : base - 1800, y, 200);
        }
    }
    if (n >= 2)
        plotWver(p, pen, base + mirror * 1800, 0, kAmpPitch * (n - 1));
    addSchematicText(p, base + mirror * 380, 0, c.record.ampName);
    // With boost rails beside the supply rails, each pair of labels reads away
    // from the other, so they do not run together on a small canvas.
    const bool boost = c.record.boostOptions > 0;
    const Qt::Alignment outward = mirror > 0 ? Qt::AlignLeft : Qt::AlignRight;
    const Qt::Alignment inward = mirror > 0 ? Qt::AlignRight : Qt::AlignLeft;
    rails(base + mirror * kSupplyX, kSupplyEdge, s.pos, s.neg, QStringLiteral("V_S ="), slot,
        boost ? outward : Qt::AlignHCenter);
    if (boost)
        rails(base + mirror * kBoostX, kBoostEdge, s.bPos, s.bNeg, QStringLiteral("V_B ="), slot + 4, inward);
}

void SoaSchematic::rails(double xs, double edge, const QString &pos, const QString &neg, const QString &name,
    int slot, Qt::Alignment across)
{
    plotWver(p, pen, xs, kRailTop, kRailTop - edge);
    plotWver(p, pen, xs, bottom - edge, kRailTop - edge);
    labels[slot] = displayStabText(p, xs, kRailTop + kLabelGap, pos, QStringLiteral("+") + name,
        QStringLiteral("V"), Qt::AlignBottom | across);
    labels[slot + 1] = displayStabText(p, xs, bottom - kRailTop - kLabelGap, neg, QStringLiteral("-") + name,
        QStringLiteral("V"), Qt::AlignTop | across);
    for (QCPItemText *label : { labels[slot], labels[slot + 1] })
        label->setTextAlignment(across);
}

void SoaSchematic::motorLoad()
{
    plotWhor(p, pen, x, 0, 200);
    motorSymbol(p, pen, x + 400, 0, 200);
    plotWhor(p, pen, x + 600, 0, 200);
    addSchematicText(p, x + 400, 260, QStringLiteral("LOAD"), Qt::AlignBottom | Qt::AlignHCenter);
    x += 800;
    groundX = x;
}

// An open element leaves a gap in the chain; a shorted one is left out.
void SoaSchematic::seriesLoad()
{
    const double first = x;
    plotWhor(p, pen, x, 0, 200);
    x += 200;
    if (c.R == kOpenValue)
        x += 400;
    else if (c.R != 0) {
        plotRhor(p, pen, x, 0);
        x += 400;
    }
    if (c.L == kOpenValue)
        x += 400;
    else if (c.L != 0) {
        plotLhor(p, pen, x, 0);
        x += 400;
    }
    if (c.C == 0)
        x += 400;
    else if (c.C != kOpenValue) {
        plotChor(p, pen, x, 0);
        x += 400;
    }
    plotWhor(p, pen, x, 0, 200);
    x += 200;
    addSchematicText(p, (first + x) / 2, 260, QStringLiteral("LOAD"), Qt::AlignBottom | Qt::AlignHCenter);
    groundX = x;
}

// Open branches are left out, shorted ones drawn as wires.
void SoaSchematic::parallelLoad()
{
    enum Branch { Resistor, Inductor, Capacitor, Wire };
    QVector<Branch> branches;
    if (c.R != kOpenValue)
        branches << (c.R == 0 ? Wire : Resistor);
    if (c.L != kOpenValue)
        branches << (c.L == 0 ? Wire : Inductor);
    if (c.C != 0)
        branches << (c.C == kOpenValue ? Wire : Capacitor);
    plotWhor(p, pen, x, 0, 200);
    x += 200;
    const double xa = x;
    const int k = branches.size();
    for (int i = 0; i < k; ++i) {
        const double bx = xa + 400 * i;
        switch (branches[i]) {
        case Resistor:
            plotRver(p, pen, bx, 0);
            break;
        case Inductor:
            plotLver(p, pen, bx, 0);
            break;
        case Capacitor:
            plotCver(p, pen, bx, 0);
            break;
        case Wire:
            plotWver(p, pen, bx, 0, 400);
            break;
        }
    }
    if (k > 1) {
        plotWhor(p, pen, xa, 0, 400 * (k - 1));
        plotWhor(p, pen, xa, -400, 400 * (k - 1));
    }
    if (k == 0)
        return;
    addSchematicText(p, xa + 200 * (k - 1), 260, QStringLiteral("LOAD"), Qt::AlignBottom | Qt::AlignHCenter);
    if (c.bridge) {
        plotWhor(p, pen, xa + 400 * (k - 1), -400, 400);
        plotWver(p, pen, xa + 400 * k, 0, 400);
        x = xa + 400 * k;
    } else {
        groundX = xa;
        groundY = -400;
    }
}

QVector<QCPItemText *> SoaSchematic::draw()
{
    side(0, 1, { c.vsPos, c.vsNeg, c.vbPos, c.vbNeg }, VsPosMaster);
    if (n >= 2)
        labels[RcsLabel] = displayStabText(p, 1400, 170, c.rcs, QStringLiteral("R_CS"), QStringLiteral("Ω"),
            Qt::AlignBottom | Qt::AlignHCenter);

    x = n >= 2 ? 1800 : 1200; // output node, past the sharing resistors
    switch (c.load) {
    case SoaSchematicCase::Load::Motor:
        motorLoad();
        break;
    case SoaSchematicCase::Load::Series:
        seriesLoad();
        break;
    case SoaSchematicCase::Load::Parallel:
        parallelLoad();
        break;
    case SoaSchematicCase::Load::None:
        break;
    }

    if (c.bridge) {
        const double base = x + (n >= 2 ? 1800 : 1200);
        if (c.unipolar)
            side(base, -1, { negated(c.vsNeg), negated(c.vsPos), negated(c.vbNeg), negated(c.vbPos) },
                VsPosSlave);
        else
            side(base, -1, { c.vsPos, c.vsNeg, c.vbPos, c.vbNeg }, VsPosSlave);
    } else if (groundX >= 0) {
        plotWver(p, pen, groundX, groundY, 400);
        plotG(p, pen, groundX, groundY - 400);
    }

    const QColor supplyColour = noteColour(c.supplyTone);
    for (int slot : { VsPosMaster, VsNegMaster, VsPosSlave, VsNegSlave })
        if (labels[slot])
            labels[slot]->setColor(supplyColour);
    return labels;
}

} // namespace

void setupSOAschematic(QCustomPlot *p)
{
    setupSchematicCanvas(p);
    p->plotLayout()->insertRow(0);
    p->plotLayout()->addElement(0, 0,
        new QCPTextElement(p, QStringLiteral("Simplified Schematic - Click Supplies to Adjust"),
            QFont(p->font().family(), 10, QFont::Bold)));
    p->setInteractions(QCP::iSelectItems);
}

void fitSOAschematic(QCustomPlot *p)
{
    // Texts keep their size on screen, so the fit counts them too: no label is cut at the edge.
    fitSchematicView(p, 6);
}

QVector<QCPItemText *> drawSOAschematic(QCustomPlot *plot, const SoaSchematicCase &c)
{
    clearSchematic(plot);
    return SoaSchematic(plot, c).draw();
}
