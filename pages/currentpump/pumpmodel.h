#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "catalog/records.h"
#include "pages/resultnote.h"
#include "values/comp.h"

// The Improved Howland current pump: transconductance from the five resistors,
// its worst case over their tolerances, the search for R_F and the loosest
// tolerances, the error against load impedance, and the straight-line
// stability model of its two feedback paths. QtCore only.

namespace PumpModel {
constexpr double kTwoPi = 6.283185307179586;
} // namespace PumpModel

// R_IN-, R_IN+, R_F-, R_F+ and R_S in ohms.
struct PumpResistors {
    double rinN = 0, rinP = 0, rfn = 0, rfp = 0, rs = 0;
};

// Tolerances in percent: both input resistors, R_F-, R_F+, R_S.
struct PumpTolerances {
    double in = 0, fn = 0, fp = 0, s = 0;
};

// Load current per volt of input (A/V): the real part of the current through
// Z_L, with the damping network Z_D across the load.
double IHCPtransconductance(const PumpResistors &r, comp zl, comp zd, bool inverting);
// The transconductance of the tolerance corner (3^5 of them) that lies
// furthest from the nominal one; the nominal one when every tolerance is 0.
double IHCPworstcase(const PumpResistors &r, const PumpTolerances &t, comp zl, comp zd, bool inverting);

// The tolerance texts offered for a resistor, loosest first.
const QStringList &pumpToleranceLadder();

struct PumpAutoInput {
    double transconductance = 1; // A/V as typed; the sign comes from `inverting`
    double tolerance = 5; // % of the transconductance
    bool inverting = false;
    double rin = 10e3, rs = 1;
    comp load;
};

struct PumpAutoResult {
    QString rfn, rfp; // "%g" with 6 digits
    QString tolIn, tolFn, tolFp, tolS; // entries of the ladder
    bool met = false; // false: every tolerance is the trim-pot entry
};

// R_F- = R_S |G| R_IN and R_F+ = R_F- - R_S, then the loosest rung of the
// ladder for R_IN and both R_F (with R_S no tighter than them) whose worst
// case stays within the tolerance.
PumpAutoResult IHCPauto(const PumpAutoInput &in);

struct PumpSweep {
    QVector<double> load; // ohms
    QVector<double> error; // % worst-case error against the ideal
};

// 400 resistive loads from |Z|/400 to |Z|.
PumpSweep IHCPsweepLoad(
    const PumpResistors &r, const PumpTolerances &t, double loadMagnitude, comp zd, bool inverting);

// What the stability model reads, numbers as string2Number gives them.
struct PumpBodeInput {
    amp amplifier;
    int option = 0;
    double rin = 10e3, rfn = 10e3, rfp = 10e3, rs = 1;
    double rload = 10, inductance = 0, capacitance = 0; // C: "open" already read as 0
    bool capacitive = false; // the capacitance text is not "short"
    double rd = 4294967295.0, cd = 0; // C_D: "open" as 0, "short" as the open value
    bool dampingDrawn = false; // R_D not "open", C_D neither "open" nor 0
    double frequency = 1e3;
    double iMax = 2, iMin = -2;
};

enum class PumpVerdict { Stable, Marginal, Unstable };

struct PumpBodeResult {
    QVector<double> aol, path1, path2, vAtLoad; // dB on StabGrid::frequencies()
    bool path2Drawn = false;
    double betaN = 0, betaDC = 0, betaAC = 0;
    double fZero = 0, fPole = 0, fDamping = 0; // Hz, possibly infinite
    double closure = 1, bandwidth = 1, crossing = 1; // Hz
    double rateOfClosure = 0, rateOfClosure1 = 0, crossingLevel = 0;
    PumpVerdict verdict = PumpVerdict::Unstable;
    bool suggestOpen = true;
    double suggestedRd = 0, suggestedCd = 0;
    double outputImpedance = 0, outputCapacitance = 0, senseRmsPower = 0;
    ResultNotes notes; // from "\nSTABILITY" to the last detail line
    int verdictLine = -1; // index in notes of the verdict
};

// The rate-of-closure rule: below 21 dB/decade stable; below 41 with the
// load zero or the first pole above a tenth of the closure frequency marginal.
PumpVerdict pumpVerdict(double rateOfClosure, double fZero, double pole1, double closure);

PumpBodeResult IHCPBode(const PumpBodeInput &in);

// The page's stored entries, as typed.
struct PumpEntries {
    QString rin = QStringLiteral("10k"), rinTol = QStringLiteral("0.1");
    QString rfn = QStringLiteral("10k"), rfnTol = QStringLiteral("0.1");
    QString rfp = QStringLiteral("10k"), rfpTol = QStringLiteral("0.1");
    QString rs = QStringLiteral("1"), rsTol = QStringLiteral("1");
    QString rd = QStringLiteral("open"), cd = QStringLiteral("open");
    QString rload = QStringLiteral("10"), cload = QStringLiteral("short"), lload = QStringLiteral("short");
    QString freq = QStringLiteral("1k");
};

struct PumpInput {
    PumpEntries e;
    int option = 0;
    bool inverting = false;
    bool sweep = false;
    double iMax = 2, iMin = -2; // A, from the page's fields
};

struct PumpResult {
    double ideal = 0, actual = 0, worst = 0; // A/V
    PumpBodeResult bode;
    PumpSweep sweep; // filled only when the sweep is shown
    ResultNotes notes;
    int verdictLine = -1;
    QString vInText;
    ResultNote vAtLoad;
    bool iMaxOver = false, iMinOver = false; // beyond the amplifier's peak current
    bool drawable = true; // the amplifier takes both inputs
};

// The numbers the model reads from the entries.
PumpResistors pumpResistors(const PumpEntries &e);
PumpTolerances pumpTolerances(const PumpEntries &e);
comp pumpLoad(const PumpEntries &e);
comp pumpDamping(const PumpEntries &e);

// The whole page: transconductances, stability, sweep, notes and labels.
PumpResult computePump(const PumpInput &in, const amp &amplifier);
