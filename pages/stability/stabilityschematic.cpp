#include "pages/stability/stabilityschematic.h"

#include <qcustomplot.h>

#include "app/schematic/primitives.h"
#include "app/schematic/valuelabels.h"
#include "values/sivalues.h"

bool stabHasExternalCurrentLimit(const amp &record)
{
    return record.Vbe != 0 && record.CLint == 0;
}

bool stabHasCompensation(const amp &record)
{
    return record.SROptions >= 2 || record.Ccomp.value(0) != 0;
}

bool stabHasRcomp(const amp &record)
{
    for (double r : record.Rcomp)
        if (r != 0)
            return true;
    return false;
}

QString stabCcompText(const amp &record, int option)
{
    return QStringLiteral("C_COMP\n") + QString::number(record.Ccomp.value(option), 'g', 6)
        + QStringLiteral(" pF");
}

QString stabRcompText(const amp &record, int option)
{
    return QStringLiteral("R_COMP\n") + formatSI(record.Rcomp.value(option), QStringLiteral("\u03A9"));
}

namespace {

const QColor kBlue(0, 0, 150), kGreen(0, 130, 0), kOrange(255, 120, 0), kDarkRed(150, 0, 0);
constexpr double kPenWidth = 3;

// Where things sit. The power amplifier (or booster) is at the origin: its
// inputs at y = +-250 from x = -200, its tip at 1000 and output lead to 1200.
// The node the feedback leaves from is at x = 1800 on the output line; the
// feedback paths run at y = 1000 and 1600, the host's at 2200 and 2800.
constexpr double kInY = 250; // "-" input (or the gain pin) above, "+" below
constexpr double kNodeX = 1800; // output node, past R_CL
constexpr double kFbNodeX = -400; // where the feedback meets the "-" input
constexpr double kFbLow = 1000, kFbHigh = 1600;
constexpr double kHostFbLow = 2200, kHostFbHigh = 2800;
constexpr double kSenseX = 3500, kSenseTop = 700; // sense resistor and gain triangle
constexpr double kSenseFbX = 2200; // the sensed feedback's resistor, over the load
constexpr double kHostX = -2200, kHostY = -250; // host op-amp base and axis
constexpr double kHostNodeX = -2500; // host "-" node
constexpr double kLabelGap = 120;

const Qt::Alignment kAbove = Qt::AlignBottom | Qt::AlignHCenter;
const Qt::Alignment kBelow = Qt::AlignTop | Qt::AlignHCenter;
const Qt::Alignment kLeftOf = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kRightOf = Qt::AlignLeft | Qt::AlignVCenter;

class Drawer {
public:
    Drawer(QCustomPlot *plot, const StabSchematicCase &c)
        : p(plot)
        , c(c)
    {
    }

    QCustomPlot *p;
    const StabSchematicCase &c;
    StabSchematicLabels labels;

    static QPen pen(const QColor &colour = Qt::black) { return QPen(colour, kPenWidth); }
    bool isType(const char *type) const { return c.record.CircuitType == QLatin1String(type); }
    bool booster() const { return isType("BQ840") || isType("BQ859"); }
    bool fixedGain() const { return isType("VR554") || isType("VR622"); }

    void text(double x, double y, const QString &t, Qt::Alignment a = Qt::AlignCenter)
    {
        addSchematicText(p, x, y, t, a);
    }

    // A clickable value label showing the field `key`.
    void value(double x, double y, Qt::Alignment a, const QString &name, const QString &unit, const char *key)
    {
        const QString *field = c.parts.field(QLatin1String(key));
        StabSchematicLabel l;
        l.name = name;
        l.unit = unit;
        l.key = QLatin1String(key);
        l.item = displayStabText(p, x, y, field ? *field : QString(), name, unit, a);
        labels.append(l);
    }
    void special(double x, double y, Qt::Alignment a, StabSchematicLabel::Kind kind, const QString &name,
        const QString &t)
    {
        StabSchematicLabel l;
        l.name = name;
        l.kind = kind;
        l.item = addSchematicText(p, x, y, t, a);
        labels.append(l);
    }

    // The power stage symbol with its name; boosters get an output lead.
    void stage()
    {
        if (booster() || fixedGain()) {
            plotPB(p, pen(), 0, 0);
            plotWhor(p, pen(), 1000, 0, 200);
        } else {
            plotPA(p, pen(), 0, 0);
        }
        text(380, 0, c.record.ampName);
    }

    // Output lead to the feedback node, through R_CL with its "CL" pin when the
    // amplifier limits current with an external resistor.
    void currentLimit()
    {
        if (!stabHasExternalCurrentLimit(c.record)) {
            plotWhor(p, pen(), 1200, 0, kNodeX - 1200);
            return;
        }
        plotRhor(p, pen(), 1200, 0);
        value(1350, kLabelGap, kAbove, QStringLiteral("R_CL"), QStringLiteral("\u03A9"), "RclC");
        // The pin sits on the lower edge near the tip and senses the far side of R_CL.
        plotWhor(p, pen(), 1600, 0, kNodeX - 1600);
        plotWver(p, pen(), 900, -50, 200);
        plotWhor(p, pen(), 900, -250, 700);
        plotWver(p, pen(), 1600, 0, 250);
        text(960, -130, QStringLiteral("CL"), kRightOf);
    }

    // The compensation pins on the lower edge: C_COMP down from the first, back
    // up to the second through R_COMP when the amplifier has one.
    void compensation()
    {
        if (!stabHasCompensation(c.record))
            return;
        const QPen comp = pen(kDarkRed);
        plotWver(p, comp, 200, -400, 50);
        plotCver(p, comp, 200, -450);
        plotWver(p, comp, 200, -850, 100);
        plotWhor(p, comp, 200, -950, 500);
        if (stabHasRcomp(c.record)) {
            plotWver(p, comp, 700, -150, 250);
            plotRver(p, comp, 700, -400);
            plotWver(p, comp, 700, -800, 150);
            special(850, -680, kRightOf, StabSchematicLabel::Rcomp, QStringLiteral("R_COMP"),
                stabRcompText(c.record, c.option));
        } else {
            plotWver(p, comp, 700, -150, 800);
        }
        special(200, -1000, kBelow, StabSchematicLabel::Ccomp, QStringLiteral("C_COMP"),
            stabCcompText(c.record, c.option));
        text(450, -550, QStringLiteral("CC"));
    }

    // A path from (fromX, fromY) up to height y, across through a resistor or
    // capacitor that starts at partX, and down to (toX, toY).
    void feedback(double y, double fromX, double fromY, double toX, double toY, const QPen &pen,
        bool capacitor, double partX)
    {
        plotWver(p, pen, fromX, y, y - fromY);
        plotWhor(p, pen, fromX, y, partX - fromX);
        if (capacitor)
            plotChor(p, pen, partX, y);
        else
            plotRhor(p, pen, partX, y);
        plotWhor(p, pen, partX + 400, y, toX - partX - 400);
        plotWver(p, pen, toX, y, y - toY);
    }

    // The capacitive load: R_ISO in series to C_LOAD.
    void capacitiveLoad()
    {
        plotWhor(p, pen(), kNodeX, 0, 200);
        plotRhor(p, pen(kOrange), kNodeX + 200, 0);
        value(kNodeX + 400, kLabelGap, kAbove, QStringLiteral("R_ISO"), QStringLiteral("\u03A9"), "RisoC");
        plotWhor(p, pen(), kNodeX + 600, 0, 300);
        plotCver(p, pen(), kNodeX + 900, 0);
        plotG(p, pen(), kNodeX + 900, -400);
        value(kNodeX + 1050, -200, kRightOf, QStringLiteral("C_LOAD"), QStringLiteral("F"), "CLoadStab");
    }

    // The inductive load: R_LOAD and L_LOAD to the sense resistor, and the sense
    // gain triangle above it whose tip the feedback leaves from.
    void inductiveLoad()
    {
        plotWhor(p, pen(), kNodeX, 0, 300);
        plotRhor(p, pen(), kNodeX + 300, 0);
        value(kNodeX + 500, kLabelGap, kAbove, QStringLiteral("R_LOAD"), QStringLiteral("\u03A9"), "RloadL");
        plotWhor(p, pen(), kNodeX + 700, 0, 300);
        plotLhor(p, pen(), kNodeX + 1000, 0);
        value(kNodeX + 1200, -kLabelGap, kBelow, QStringLiteral("L_LOAD"), QStringLiteral("H"), "LLoadStab");
        plotWhor(p, pen(), kNodeX + 1400, 0, kSenseX - kNodeX - 1400);
        plotRver(p, pen(), kSenseX, 0);
        plotG(p, pen(), kSenseX, -400);
        value(kSenseX + 150, -250, kRightOf, QStringLiteral("R_S"), QStringLiteral("\u03A9"), "RsL");
        plotWver(p, pen(), kSenseX, 300, 300);
        plotUpTri(p, pen(), kSenseX, 300);
        text(kSenseX + 250, 400, QStringLiteral("GAIN"), kRightOf);
        value(kSenseX + 250, 1100, kRightOf, QStringLiteral("R_S GAIN"), QString(), "RsGainL");
    }

    // The power stage's input side. `driven` means the host drives the
    // non-inverting input, so no V_IN is drawn there.
    void stageInputs(bool inverting, bool driven, bool noiseGain, const char *rin)
    {
        plotWhor(p, pen(), -600, kInY, 200);
        plotRhor(p, pen(), -1000, kInY);
        value(-800, kInY + kLabelGap, kAbove, QStringLiteral("R_IN"), QStringLiteral("\u03A9"), rin);
        if (inverting) {
            text(-1050, kInY, QStringLiteral("V_IN"), kLeftOf);
            plotG(p, pen(), -200, -kInY);
        } else {
            plotWver(p, pen(), -1000, kInY, 100);
            plotG(p, pen(), -1000, kInY - 100);
            if (!driven) {
                plotWhor(p, pen(), -600, -kInY, 400);
                text(-650, -kInY, QStringLiteral("V_IN"), kLeftOf);
            }
        }
        if (inverting && noiseGain) {
            const QPen ng = pen(kBlue);
            plotWver(p, ng, -500, kInY, 150);
            plotRver(p, ng, -500, kInY - 150);
            plotCver(p, ng, -500, kInY - 550);
            plotG(p, ng, -500, kInY - 950);
            value(-650, kInY - 350, kLeftOf, QStringLiteral("R_NG"), QStringLiteral("\u03A9"), "RngC");
            value(-650, kInY - 750, kLeftOf, QStringLiteral("C_NG"), QStringLiteral("F"), "CngC");
        }
    }

    // A booster's input and gain pins: the signal enters the lower pin; R_G sets
    // the gain from the upper pin, to the output (BQ840) or to ground (BQ859).
    void boosterInputs(bool driven, const char *rg, double feedbackTo, double feedbackY)
    {
        if (!driven) {
            plotWhor(p, pen(), -600, -kInY, 600);
            text(-650, -kInY, QStringLiteral("V_IN"), kLeftOf);
        }
        if (isType("BQ840")) {
            plotWhor(p, pen(), kFbNodeX, kInY, -kFbNodeX);
            const bool sensed = feedbackY != kFbLow;
            const double partX = sensed ? kSenseFbX : 400;
            feedback(feedbackY, kFbNodeX, kInY, feedbackTo, sensed ? kSenseTop : 0, pen(), false, partX);
            value(partX + 200, feedbackY + kLabelGap, kAbove, QStringLiteral("R_G"), QStringLiteral("\u03A9"),
                rg);
        } else {
            plotWhor(p, pen(), -600, kInY, 600);
            plotRhor(p, pen(), -1000, kInY);
            plotWver(p, pen(), -1000, kInY, 100);
            plotG(p, pen(), -1000, kInY - 100);
            value(-800, kInY + kLabelGap, kAbove, QStringLiteral("R_G"), QStringLiteral("\u03A9"), rg);
        }
        // Beside the pin, clear of the part's name: left of the feedback node
        // for the BQ840, under the pin lead where R_G sits on the left.
        if (isType("BQ840"))
            text(kFbNodeX - 50, kInY, QStringLiteral("GAIN"), kLeftOf);
        else
            text(-40, kInY - 60, QStringLiteral("GAIN"), Qt::AlignTop | Qt::AlignRight);
    }

    // A fixed-gain part: the signal pin and the pin that is tied to ground.
    void fixedGainInputs(bool inverting, bool driven)
    {
        const double inY = inverting ? kInY : -kInY;
        if (!driven) {
            plotWhor(p, pen(), -600, inY, 600);
            text(-650, inY, QStringLiteral("V_IN"), kLeftOf);
        }
        // Pin names stay left of the symbol, clear of the part's name inside it.
        text(-330, inY + 80, inverting ? QStringLiteral("-IN") : QStringLiteral("+IN"), kAbove);
        plotWhor(p, pen(), -300, -inY, 300);
        plotG(p, pen(), -300, -inY);
        text(-420, -inY + 120, isType("VR554") ? QStringLiteral("GAIN") : QStringLiteral("GND"), kLeftOf);
    }

    // The host op-amp driving the stage's non-inverting input, with its
    // network closing the outer loop from (fromX, fromY).
    void host(double fromX, double fromY)
    {
        plotOA(p, pen(), kHostX, kHostY);
        text(kHostX + 300, kHostY - 330, QStringLiteral("HOST"), kBelow);
        const double out = kHostX + 700, target = booster() || fixedGain() ? 0 : -200;
        plotWhor(p, pen(), out, kHostY, target - out);
        const double minusY = kHostY + 150, plusY = kHostY - 150;
        plotWhor(p, pen(), kHostNodeX, minusY, kHostX - 100 - kHostNodeX);
        feedback(kHostFbLow, kHostNodeX, minusY, fromX, fromY, pen(), false, -650);
        value(-450, kHostFbLow + kLabelGap, kAbove, QStringLiteral("HOST R_FB"), QStringLiteral("\u03A9"),
            "compRfb");
        feedback(kHostFbHigh, kHostNodeX, kHostFbLow, fromX, kHostFbLow, pen(kGreen), true, 1200);
        value(1400, kHostFbHigh + kLabelGap, kAbove, QStringLiteral("HOST C_FB"), QStringLiteral("F"),
            "compCfb");
        // HOST R_IN sits on a long lead, clear of the node's vertical.
        plotRhor(p, pen(), -3500, minusY);
        plotWhor(p, pen(), -3100, minusY, kHostNodeX - -3100);
        value(-3300, minusY + 2.5 * kLabelGap, kAbove, QStringLiteral("HOST R_IN"), QStringLiteral("\u03A9"),
            "hostRin");
        if (c.inverting) {
            plotWhor(p, pen(), -3900, minusY, 400);
            text(-3950, minusY, QStringLiteral("V_IN"), kLeftOf);
            plotG(p, pen(), kHostX - 100, plusY);
            const QPen ng = pen(kBlue);
            const double x = -2800;
            plotWver(p, ng, x, minusY, 400);
            plotRver(p, ng, x, minusY - 400);
            plotWver(p, ng, x, minusY - 800, 400);
            plotCver(p, ng, x, minusY - 1200);
            plotG(p, ng, x, minusY - 1600);
            value(x - 150, minusY - 600, kLeftOf, QStringLiteral("HOST R_NG"), QStringLiteral("\u03A9"),
                "hostRng");
            value(
                x - 150, minusY - 1400, kLeftOf, QStringLiteral("HOST C_NG"), QStringLiteral("F"), "hostCng");
        } else {
            plotWver(p, pen(), -3500, minusY, 100);
            plotG(p, pen(), -3500, minusY - 100);
            // The signal comes in below HOST R_IN's ground.
            plotWhor(p, pen(), -2400, plusY, 100);
            plotWver(p, pen(), -2400, plusY, 300);
            plotWhor(p, pen(), -2900, plusY - 300, 500);
            text(-2950, plusY - 300, QStringLiteral("V_IN"), kLeftOf);
        }
    }

    void capacitive()
    {
        if (c.composite && isType("VR554")) {
            text(0, 0, QStringLiteral("No schematic for a composite\ncircuit with this amplifier."));
            return;
        }
        // In a composite circuit the power stage is non-inverting; the
        // configuration buttons then describe the host.
        const bool inverting = c.composite ? false : c.inverting;
        stage();
        currentLimit();
        compensation();
        capacitiveLoad();
        if (booster()) {
            boosterInputs(c.composite, "stabRg", kNodeX, kFbLow);
        } else if (fixedGain()) {
            fixedGainInputs(inverting, c.composite);
        } else {
            plotWhor(p, pen(), kFbNodeX, kInY, 200);
            feedback(kFbLow, kFbNodeX, kInY, kNodeX, 0, pen(), false, 400);
            value(600, kFbLow + kLabelGap, kAbove, QStringLiteral("R_FB"), QStringLiteral("\u03A9"), "RfbC");
            feedback(kFbHigh, kFbNodeX, kFbLow, kNodeX, kFbLow, pen(kGreen), true, 400);
            value(600, kFbHigh + kLabelGap, kAbove, QStringLiteral("C_FB"), QStringLiteral("F"), "CfbC");
            stageInputs(inverting, c.composite, !c.composite, "RinC");
        }
        if (c.composite) {
            // The host's loop joins the output node at the top of what is there.
            const double top = booster() ? (isType("BQ840") ? kFbLow : 0) : fixedGain() ? 0 : kFbHigh;
            host(kNodeX, top);
        }
    }

    void inductive()
    {
        const bool inverting = c.composite ? false : c.inverting;
        stage();
        currentLimit();
        compensation();
        inductiveLoad();
        // R_D with C_FB feeds the output voltage back at high frequency.
        const QPen green = pen(kGreen);
        plotWhor(p, green, kFbNodeX, kFbLow, 400);
        plotRhor(p, green, 0, kFbLow);
        plotWhor(p, green, 400, kFbLow, 600);
        plotChor(p, green, 1000, kFbLow);
        plotWhor(p, green, 1400, kFbLow, kNodeX - 1400);
        plotWver(p, green, kNodeX, kFbLow, kFbLow);
        value(200, kFbLow + kLabelGap, kAbove, QStringLiteral("R_D"), QStringLiteral("\u03A9"), "RdL");
        value(1200, kFbLow + kLabelGap, kAbove, QStringLiteral("C_FB"), QStringLiteral("F"), "CfbL");
        // The sensed current comes back over the top through R_FB (or R_G).
        if (booster()) {
            boosterInputs(c.composite, "stabLRg", kSenseX, kFbHigh);
        } else {
            plotWhor(p, pen(), kFbNodeX, kInY, 200);
            feedback(kFbHigh, kFbNodeX, kInY, kSenseX, kSenseTop, pen(), false, kSenseFbX);
            value(kSenseFbX + 200, kFbHigh + kLabelGap, kAbove, QStringLiteral("R_FB"),
                QStringLiteral("\u03A9"), "RfbL");
            stageInputs(inverting, c.composite, false, "RinL");
        }
        if (c.composite)
            host(kSenseX, kFbHigh);
    }
};

} // namespace

StabSchematicLabels drawStabSchematic(QCustomPlot *plot, const StabSchematicCase &c)
{
    clearSchematic(plot);
    Drawer d(plot, c);
    if (c.load == StabLoad::Inductive)
        d.inductive();
    else
        d.capacitive();
    return d.labels;
}

void fitStabSchematic(QCustomPlot *plot)
{
    // About twenty labels share the canvas: their size follows the canvas so
    // that the parts stay readable beside them on a small window.
    const double points = qBound(7.0, std::min(plot->width() / 48.0, plot->height() / 50.0), 10.0);
    setSchematicTextSize(plot, points);
    fitSchematicView(plot, 6);
}
