#include "pages/currentpump/pumpschematic.h"

#include <qcustomplot.h>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "pages/notes.h"
#include "pages/stability/stabilityschematic.h"

namespace {

const QColor kDamping(255, 120, 0), kCompensation(150, 0, 0);
const QString kOhm = QStringLiteral("\u03A9");

// The amplifier sits at the origin, inputs at y = +-250 from x = -200. The
// inverting feedback runs above at kTop, the positive feedback below at
// kBottom, clear of the compensation pins; R_S leaves the output to the load
// node, with the load and the damping network down to ground beside it.
constexpr double kIn = 250, kTop = 1000, kBottom = -1500;
constexpr double kRinX = -1300, kNodeX = -500, kLoadNodeX = 1900, kLoadX = 2300, kDampX = 3000;

const Qt::Alignment kAbove = Qt::AlignBottom | Qt::AlignHCenter;
const Qt::Alignment kBelow = Qt::AlignTop | Qt::AlignHCenter;
const Qt::Alignment kLeftOf = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kRightOf = Qt::AlignLeft | Qt::AlignVCenter;

// A typed "nan" or "inf" is shown as the word for what it reads, as a field
// shows it, so that neither stands on the schematic.
QString shown(const QString &typed)
{
    const QString word = typed.trimmed().toLower();
    if (word == QLatin1String("nan"))
        return QStringLiteral("0");
    if (word == QLatin1String("inf"))
        return QStringLiteral("open");
    return typed;
}

QPen pen(const QColor &colour = Qt::black)
{
    return QPen(colour, 3);
}

// One input resistor from its far end to the amplifier pin at height y; the
// far end goes to the source or to ground.
void inputBranch(QCustomPlot *p, double y, bool source, const QString &vIn)
{
    plotRhor(p, pen(), kRinX, y);
    plotWhor(p, pen(), kRinX + 400, y, -200 - kRinX - 400);
    plotWhor(p, pen(), kRinX - 300, y, 300);
    if (source) {
        addSchematicText(p, kRinX - 350, y, vIn, kLeftOf);
    } else {
        plotG(p, pen(), kRinX - 300, y);
    }
}

void compensation(QCustomPlot *p, const PumpSchematicCase &c, QVector<QCPItemText *> &labels)
{
    if (!stabHasCompensation(c.record))
        return;
    const QPen comp = pen(kCompensation);
    plotWver(p, comp, 200, -400, 50);
    plotCver(p, comp, 200, -450);
    plotWver(p, comp, 200, -850, 100);
    plotWhor(p, comp, 200, -950, 500);
    plotWver(p, comp, 700, -150, 800);
    labels[PumpCcomp] = addSchematicText(p, 250, -1000, stabCcompText(c.record, c.option), kBelow);
}

void loadAndDamping(QCustomPlot *p, const PumpSchematicCase &c, QVector<QCPItemText *> &labels)
{
    plotWhor(p, pen(), kLoadNodeX, 0, kLoadX - kLoadNodeX);
    plotLoad(p, pen(), kLoadX, 0);
    plotG(p, pen(), kLoadX, -800);
    labels[PumpLoad] = addSchematicText(p, kLoadX, -1000, displayLoadText(c.e), kBelow);
    labels[PumpLoad]->setColor(Qt::black);
    addSchematicText(p, kLoadNodeX + 150, 450, c.vAtLoad.text, Qt::AlignBottom | Qt::AlignLeft,
        noteColour(c.vAtLoad.tone));
    // The optional damping network in colour, across the load.
    const QPen damp = pen(kDamping);
    plotWhor(p, damp, kLoadX, 0, kDampX - kLoadX);
    plotRver(p, damp, kDampX, 0);
    plotCver(p, damp, kDampX, -400);
    plotG(p, damp, kDampX, -800);
    labels[PumpRd]
        = displayStabText(p, kDampX + 150, -200, shown(c.e.rd), QStringLiteral("R_D"), kOhm, kRightOf);
    labels[PumpCd] = displayStabText(
        p, kDampX + 150, -600, shown(c.e.cd), QStringLiteral("C_D"), QStringLiteral("F"), kRightOf);
}

} // namespace

QString displayTolText(const QString &name, const QString &value, const QString &tolerance)
{
    return name + QLatin1Char('\n') + stabValueText(shown(value), kOhm) + QLatin1Char('\n') + shown(tolerance)
        + QLatin1Char('%');
}

QString displayLoadText(const PumpEntries &e)
{
    const bool capacitor = e.cload != QLatin1String("short");
    return QStringLiteral("LOAD\n") + stabValueText(shown(e.rload), kOhm) + QStringLiteral("\n+ ")
        + (capacitor ? stabValueText(shown(e.cload), QStringLiteral("F"))
                     : stabValueText(shown(e.lload), QStringLiteral("H")))
        + QStringLiteral("\n@ ") + stabValueText(shown(e.freq), QStringLiteral("Hz"));
}

QVector<QCPItemText *> drawIHCP(QCustomPlot *p, const PumpSchematicCase &c)
{
    clearSchematic(p);
    QVector<QCPItemText *> labels(PumpLabelCount, nullptr);
    if (c.record.Inputs != QLatin1String("both")) {
        addSchematicText(p, 0, 0,
            QStringLiteral("This product is not recommended for IHCP operation. \nPlease select a different "
                           "amplifier."));
        return labels;
    }
    const PumpEntries &e = c.e;
    plotPA(p, pen(), 0, 0);
    addSchematicText(p, 380, 0, c.record.ampName);
    inputBranch(p, kIn, c.inverting, c.vIn);
    inputBranch(p, -kIn, !c.inverting, c.vIn);
    labels[PumpRinN]
        = addSchematicText(p, kRinX + 200, kIn + 150, displayTolText("R_IN-", e.rin, e.rinTol), kAbove);
    labels[PumpRinP]
        = addSchematicText(p, kRinX + 200, -kIn - 150, displayTolText("R_IN+", e.rin, e.rinTol), kBelow);

    // Negative feedback: output back to the "-" node over the top.
    plotWver(p, pen(), kNodeX, kTop, kTop - kIn);
    plotWhor(p, pen(), kNodeX, kTop, 200 - kNodeX);
    plotRhor(p, pen(), 200, kTop);
    plotWhor(p, pen(), 600, kTop, 800);
    plotWver(p, pen(), 1400, kTop, kTop);
    labels[PumpRfn] = addSchematicText(p, 400, kTop + 150, displayTolText("R_F-", e.rfn, e.rfnTol), kAbove);

    // R_S from the output to the load node.
    plotWhor(p, pen(), 1200, 0, 200);
    plotRhor(p, pen(), 1400, 0);
    plotWhor(p, pen(), 1800, 0, kLoadNodeX - 1800);
    labels[PumpRs] = addSchematicText(p, 1600, 150, displayTolText("R_S", e.rs, e.rsTol), kAbove);

    // Positive feedback: the load node back to the "+" node under the bottom.
    plotWver(p, pen(), kNodeX, -kIn, -kIn - kBottom);
    plotWhor(p, pen(), kNodeX, kBottom, 1100 - kNodeX);
    plotRhor(p, pen(), 1100, kBottom);
    plotWhor(p, pen(), 1500, kBottom, kLoadNodeX - 1500);
    plotWver(p, pen(), kLoadNodeX, 0, -kBottom);
    labels[PumpRfp]
        = addSchematicText(p, 1300, kBottom - 150, displayTolText("R_F+", e.rfp, e.rfpTol), kBelow);

    compensation(p, c, labels);
    loadAndDamping(p, c, labels);
    return labels;
}

void fitIHCPschematic(QCustomPlot *plot)
{
    const double points = qBound(7.0, std::min(plot->width() / 60.0, plot->height() / 40.0), 10.0);
    setSchematicTextSize(plot, points);
    fitSchematicView(plot, 6);
}
