#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "catalog/records.h"
#include "pages/resultnote.h"

// Straight-line Bode model of a power op-amp loop driving a capacitive or an
// inductive load, alone or behind a host op-amp. Plain C++ on QtCore: the
// stability page and the compensation searches both call it.
namespace StabGrid {
constexpr int kPoints = 128;
constexpr double kRatio = 1.1547819846894583; // sixteen points per decade
constexpr double kTwoPi = 6.28318; // as every break formula writes it
constexpr double kTiny = 1e-13; // keeps denominators off zero
constexpr double kNoBreak = 1e13; // a break that does not exist, far above the grid
constexpr double kDegPerRad = 57.29577951308232;

// The 128 frequencies, 1 Hz to about 86.6 MHz.
const QVector<double> &frequencies();
} // namespace StabGrid

// Every component of the stability schematics, kept as typed so that "open"
// and "short" survive; the member names are the design-file keys.
struct StabComponents {
    QString RinC = QStringLiteral("1k");
    QString RfbC = QStringLiteral("20k");
    QString RngC = QStringLiteral("open");
    QString CngC = QStringLiteral("open");
    QString CfbC = QStringLiteral("open");
    QString RclC = QStringLiteral("short");
    QString RisoC = QStringLiteral("short");
    QString CLoadStab = QStringLiteral("0");
    QString stabRg = QStringLiteral("20k");
    QString RinL = QStringLiteral("10k");
    QString RfbL = QStringLiteral("1k");
    QString RdL = QStringLiteral("open");
    QString RsL = QStringLiteral("2");
    QString CfbL = QStringLiteral("open");
    QString RsGainL = QStringLiteral("short");
    QString RloadL = QStringLiteral("10");
    QString LLoadStab = QStringLiteral("0");
    QString stabLRg = QStringLiteral("1k");
    QString hostRin = QStringLiteral("1k");
    QString compRfb = QStringLiteral("30k");
    QString hostRng = QStringLiteral("open");
    QString hostCng = QStringLiteral("open");
    QString compCfb = QStringLiteral("open");

    // Every member name above, in declaration order.
    static const QStringList &keys();
    // The member of that name, or nullptr.
    QString *field(const QString &key);
    const QString *field(const QString &key) const;
};

// The host op-amp of a composite circuit, as the page's host fields give it.
struct HostModel {
    double aol = 0; // dB
    double pole1 = 0, pole2 = 0, pole3 = 0; // Hz; 0 or less means no pole
};

enum class StabLoad { Capacitive, Inductive };

struct LoopInput {
    amp amplifier;
    StabComponents parts;
    bool inverting = true;
    int option = 0; // compensation option of the amplifier
    HostModel host;
};

enum class StabVerdict { Stable, Marginal, Unstable };

struct LoopSeries {
    QString name;
    QVector<double> y; // on StabGrid::frequencies()
    bool present = true; // ever non-zero (phase components) or inside the chart (1/beta paths)
    bool shown = true; // drawn on the chart
};

struct LoopResult {
    double closureFrequency = 1; // Hz
    int closureIndex = 1;
    double rateOfClosure = 0; // dB/decade
    double phaseMargin = 0; // degrees
    double maxBandwidth = 0; // Hz
    double slewRate = 0; // V/us of the option
    double twentyDbFrequency = 1; // capacitive models
    double zeroCross = 1; // inductive models
    StabVerdict verdict = StabVerdict::Unstable;
    ResultNote verdictNote; // "STABLE" is a normal note, the others warnings

    // Break frequencies and levels, for the read-outs and for checking.
    double outputImpedance = 0;
    double invBetaDC = 0, invBetaAC = 0, noiseGain = 1;
    double pole1 = 0, pole2 = 0, pole3 = 0;
    double loadPole = 0, isoZero = 0; // capacitive
    double fbPole = 0, fbZero = 0; // C_FB R_FB (composite: of the host network)
    double ngPole = 0, ngZero = 0;
    double powerFbPole = 0, powerClosure = 0; // composite
    double loadZero = 0, dZero = 0; // inductive: R_LOAD L_LOAD, C_FB R_D
    double senseResistance = 0; // inductive: R_S as the loop sees it

    // Filled only by a run with plot true.
    QStringList details;
    QVector<LoopSeries> gain; // GainPlot series, without the closure line
    QVector<LoopSeries> closedLoopPhase; // PhasePlot closed-loop view
    QVector<LoopSeries> phaseComponents; // PhasePlot components view
    QVector<double> openLoopPhase;
    double closedLoopTickStep = 45;
};

LoopResult plotCBodeData(const LoopInput &in, bool plot);
LoopResult plotLBodeData(const LoopInput &in, bool plot);
LoopResult plotCBodeDataComposite(const LoopInput &in, bool plot);
LoopResult plotLBodeDataComposite(const LoopInput &in, bool plot);
// The model of the page's case.
LoopResult evaluateLoop(const LoopInput &in, StabLoad load, bool composite, bool plot);

// Booster and fixed-gain parts bring their own feedback network: their
// R_IN, R_FB and C_FB replace the typed ones (`rg` is the page's R_G).
void specialCircuit(const amp &a, double rg, double &rin, double &rfb, double &cfb);

StabVerdict stabVerdict(double rateOfClosure, double phaseMargin);
QString stabVerdictText(StabVerdict verdict);

// Capacitor texts read "open" (exactly) as no capacitance; everything else
// goes through string2Number.
double stabCapacitor(const QString &text);
