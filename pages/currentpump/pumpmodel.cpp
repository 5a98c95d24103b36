#include "pages/currentpump/pumpmodel.h"

#include <algorithm>
#include <cmath>

#include "pages/stability/bodegrid.h"
#include "values/sivalues.h"

using namespace BodeGrid;
// This page writes 2 pi in full, unlike the stability page.
constexpr double kPumpTwoPi = PumpModel::kTwoPi;

namespace {

const comp kOpenImpedance(kOpenValue, kOpenValue);

QString g6(double v)
{
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-infinite") : QStringLiteral("infinite");
    return std::isnan(v) ? noValueText() : QString::number(v, 'g', 6);
}

// formatSI, except that a quantity that is infinite for a physical reason
// (a break frequency of a missing part) is written as a word.
QString siText(double v, const QString &unit)
{
    if (std::isinf(v))
        return (v < 0 ? QStringLiteral("-infinite ") : QStringLiteral("infinite ")) + unit;
    return formatSI(v, unit);
}

double poleOf(const QVector<double> &poles, int k)
{
    return (k >= 0 && k < poles.size()) ? poles[k] : kNoBreak;
}

// The amplifier's straight-line open-loop gain at any frequency.
double openLoopAt(const amp &a, int k, double f)
{
    double g = a.Aol_DC;
    for (const QVector<double> *poles : { &a.pole1, &a.pole2, &a.pole3 }) {
        const Break b(poleOf(*poles, k));
        if (b.f < f)
            g -= 20.0 * (std::log10(f) - b.lf);
    }
    return g;
}

} // namespace

double IHCPtransconductance(const PumpResistors &r, comp zl, comp zd, bool inverting)
{
    const comp one(1, 0);
    const double betaP = r.rinP / (r.rfp + r.rinP);
    const double k = r.rfn / r.rinN + 1;
    const comp y = one / zd + one / zl + one / comp(r.rs, 0) + one / comp(r.rfp, 0);
    comp h;
    if (inverting) {
        h = comp(-r.rfn / r.rinN, 0) / ((y - betaP / r.rfp) * r.rs - k * betaP);
    } else {
        const comp z = one / y;
        h = comp(-r.rfp / r.rinP, 0) / (one - one / (z * (betaP * (k / r.rs + 1 / r.rfp))));
    }
    return (h / zl).real();
}

double IHCPworstcase(const PumpResistors &r, const PumpTolerances &t, comp zl, comp zd, bool inverting)
{
    const double g0 = IHCPtransconductance(r, zl, zd, inverting);
    double worst = g0, largest = 0;
    const double tol[5] = { t.in, t.in, t.fn, t.fp, t.s };
    const double nominal[5] = { r.rinN, r.rinP, r.rfn, r.rfp, r.rs };
    for (int c = 0; c < 243; ++c) {
        double v[5];
        int rest = c;
        for (int n = 0; n < 5; ++n) {
            const int d = rest % 3 - 1;
            rest /= 3;
            v[n] = nominal[n] + d * tol[n] * nominal[n] / 100;
        }
        const double g = IHCPtransconductance({ v[0], v[1], v[2], v[3], v[4] }, zl, zd, inverting);
        if (std::fabs(g0 - g) > largest) {
            largest = std::fabs(g0 - g);
            worst = g;
        }
    }
    return worst;
}

const QStringList &pumpToleranceLadder()
{
    static const QStringList ladder
        = { "5", "2", "1", "0.5", "0.25", "0.1", "0.05", "0.01", "0.005", "0 (trim pot)" };
    return ladder;
}

PumpAutoResult IHCPauto(const PumpAutoInput &in)
{
    const double target = in.inverting ? -std::fabs(in.transconductance) : std::fabs(in.transconductance);
    const double tolerance = std::fabs(in.tolerance);
    const double rf = in.rs * std::fabs(target) * in.rin;
    PumpAutoResult out;
    out.rfn = g6(rf);
    out.rfp = g6(rf - in.rs);
    // The resistors as the page will read them back.
    const PumpResistors r { in.rin, in.rin, string2Number(out.rfn), string2Number(out.rfp), in.rs };
    const QStringList &ladder = pumpToleranceLadder();
    for (int i = 0; i < ladder.size(); ++i) {
        const double ti = string2Number(ladder[i]);
        for (int j = 0; j <= i; ++j) {
            const PumpTolerances t { ti, ti, ti, string2Number(ladder[j]) };
            const double wc = IHCPworstcase(r, t, in.load, kOpenImpedance, in.inverting);
            if (std::fabs((wc - target) / target) * 100 < tolerance) {
                out.tolIn = out.tolFn = out.tolFp = ladder[i];
                out.tolS = ladder[j];
                out.met = true;
                return out;
            }
        }
    }
    out.tolIn = out.tolFn = out.tolFp = out.tolS = ladder.last();
    return out;
}

PumpSweep IHCPsweepLoad(
    const PumpResistors &r, const PumpTolerances &t, double loadMagnitude, comp zd, bool inverting)
{
    PumpSweep s;
    // An infinite load has no range to sweep.
    if (!std::isfinite(loadMagnitude))
        return s;
    const double ideal = inverting ? -r.rfn / (r.rinN * r.rs) : r.rfp / (r.rs * r.rinP);
    s.load.reserve(400);
    s.error.reserve(400);
    for (int i = 0; i < 400; ++i) {
        const double load = (i + 1) * loadMagnitude / 400;
        const double wc = IHCPworstcase(r, t, comp(load, 0), zd, inverting);
        s.load.append(load);
        s.error.append(std::fabs((wc - ideal) / ideal) * 100);
    }
    return s;
}

namespace {

// The levels and breaks of the two feedback paths.
struct PumpPaths {
    double betaN = 0, betaDC = 0, betaAC = 0, betaD = 0;
    double fZero = 0, fPole = 0, fD = 0;
};

PumpPaths pumpPaths(const PumpBodeInput &in)
{
    PumpPaths p;
    const double s = in.rfp + in.rin + in.rs;
    p.betaN = in.rin / (in.rfn + in.rin);
    const double noLoad = in.rin / s;
    const double withLoad = in.rin * in.rload / (s * in.rload + (in.rfp + in.rin) * in.rs);
    p.betaDC = in.capacitive ? noLoad : withLoad;
    p.betaAC = in.capacitive ? withLoad : noLoad;
    p.fZero = in.capacitive ? 1 / ((in.rload + in.rs) * in.capacitance * kPumpTwoPi)
                            : (in.rload + in.rs) / (kPumpTwoPi * in.inductance);
    p.fPole = (p.betaN - p.betaDC) * p.fZero / (p.betaN - p.betaAC);
    p.fD = 1 / (in.cd * in.rd * kPumpTwoPi);
    p.betaD = in.rin * in.rd / (s * in.rd + (in.rfp + in.rin) * in.rs);
    return p;
}

// 20 log10(f / corner) where the grid point lies on the named side of the
// corner, else 0. A corner at a negative frequency (the pole of a pump whose
// feedback paths change sign) is no break at all; a corner at 0 or at an
// infinite frequency makes the line infinite, and the drawing clips it.
bool isBreak(double corner)
{
    return corner >= 0;
}

double above(int i, double corner)
{
    return isBreak(corner) && grid().f[i] > corner ? 20.0 * (grid().lf[i] - std::log10(corner)) : 0.0;
}

double below(int i, double corner)
{
    return isBreak(corner) && grid().f[i] < corner ? 20.0 * (grid().lf[i] - std::log10(corner)) : 0.0;
}

void fillCurves(const PumpBodeInput &in, const PumpPaths &p, Curve &aol, Curve &path1, Curve &path2)
{
    const amp &a = in.amplifier;
    const Break p1(poleOf(a.pole1, in.option)), p2(poleOf(a.pole2, in.option)),
        p3(poleOf(a.pole3, in.option));
    const double level1 = 20.0 * std::log10(1 / (p.betaN - (in.capacitive ? p.betaAC : p.betaDC)));
    const double level2 = 20.0 * std::log10(1 / (p.betaN - p.betaD));
    for (int i = 0; i < kPoints; ++i) {
        aol[i] = a.Aol_DC - p1.slope(i) - p2.slope(i) - p3.slope(i);
        if (in.capacitive)
            path1[i] = level1 - below(i, p.fZero) + below(i, p.fPole);
        else
            path1[i] = level1 + above(i, p.fZero) - above(i, p.fPole);
        path2[i] = level2 - below(i, p.fD);
    }
}

} // namespace

PumpVerdict pumpVerdict(double roc, double fZero, double pole1, double closure)
{
    if (roc < 21)
        return PumpVerdict::Stable;
    if (roc < 41 && std::max(fZero, pole1) > closure / 10)
        return PumpVerdict::Marginal;
    return PumpVerdict::Unstable;
}

namespace {

void suggestDamping(const PumpBodeInput &in, const PumpPaths &p, PumpBodeResult &r)
{
    r.suggestOpen = in.capacitive || r.rateOfClosure1 < 21;
    if (r.suggestOpen)
        return;
    const double x = std::pow(10.0, -(r.crossingLevel + 20.0 * std::log10(1 / (p.betaN - p.betaDC))) / 40.0);
    const double s = in.rfp + in.rin + in.rs;
    r.suggestedRd = in.rs * (p.betaN - x) * (in.rfp + in.rin) / (in.rin - (p.betaN - x) * s);
    r.suggestedCd = 5 / (r.suggestedRd * p.fZero * kPumpTwoPi);
}

void miscellaneous(const PumpBodeInput &in, PumpBodeResult &r)
{
    const double gain = std::pow(10.0, openLoopAt(in.amplifier, in.option, in.frequency) / 20.0);
    r.outputImpedance = in.rs / (1 - (gain / (r.betaN * gain + 1)) * (in.rin / (in.rfp + in.rin)));
    r.outputCapacitance = (in.rfn + in.rin) / (in.amplifier.GBWP * kPumpTwoPi * 1000 * in.rin * in.rs);
    const double mid = (in.iMax + in.iMin) / 2, amplitude = (in.iMax - in.iMin) / 2;
    r.senseRmsPower = (mid * mid + amplitude * amplitude / 2) * in.rs;
}

ResultNotes bodeNotes(PumpBodeResult &r)
{
    const QString ohm = QStringLiteral("\u03A9");
    ResultNotes n;
    n << normalNote(QStringLiteral("\nSTABILITY"));
    r.verdictLine = n.size();
    if (r.verdict == PumpVerdict::Stable)
        n << normalNote(QStringLiteral("\tSTABLE"));
    else
        n << warningNote(r.verdict == PumpVerdict::Marginal ? QStringLiteral("\tMARGINALLY STABLE")
                                                            : QStringLiteral("\tUNSTABLE"));
    n << normalNote(QStringLiteral("\t(Based only on Rate of Closure)"))
      << normalNote(QStringLiteral("\tRate of Closure: ") + number2String(r.rateOfClosure) + " dB/dec");
    n << normalNote(QStringLiteral("\tSuggested R_D: ")
        + (r.suggestOpen ? QStringLiteral("open") : siText(r.suggestedRd, ohm)));
    n << normalNote(QStringLiteral("\tSuggested C_D: ")
        + (r.suggestOpen ? QStringLiteral("open") : siText(r.suggestedCd, QStringLiteral("F"))));
    n << normalNote(QStringLiteral("\nMISCELLANEOUS DETAILS"))
      << normalNote(QStringLiteral("\tOutput Impedance: ") + siText(r.outputImpedance, ohm))
      << normalNote(QStringLiteral("\tEquiv. Output Capacitance: ") + siText(r.outputCapacitance, "F"))
      << normalNote(QStringLiteral("\tRMS Power in R_sense: ") + siText(r.senseRmsPower, "W"))
      << normalNote(QStringLiteral("\t\u00DF-: ") + g6(r.betaN))
      << normalNote(QStringLiteral("\t\u00DF+(DC): ") + g6(r.betaDC))
      << normalNote(QStringLiteral("\t\u00DF+(AC): ") + g6(r.betaAC))
      << normalNote(QStringLiteral("\t1/\u00DF F_zero: ") + siText(r.fZero, "Hz"))
      << normalNote(QStringLiteral("\t1/\u00DF F_pole: ") + siText(r.fPole, "Hz"))
      << normalNote(QStringLiteral("\t1/\u00DF #2 F_zero: ") + siText(r.fDamping, "Hz"));
    return n;
}

} // namespace

PumpBodeResult IHCPBode(const PumpBodeInput &in)
{
    const PumpPaths p = pumpPaths(in);
    Curve aol, path1, path2, eff, atLoad;
    fillCurves(in, p, aol, path1, path2);
    for (int i = 0; i < kPoints; ++i) {
        eff[i] = std::min(path1[i], path2[i]);
        atLoad[i] = std::min(aol[i], eff[i]);
    }
    const double start = in.amplifier.Aol_DC;
    const Pick cl = firstMinimum(start, [&](int i) { return std::fabs(aol[i] - eff[i]); });
    const Pick bw = firstMinimum(start, [&](int i) { return std::fabs(aol[i] - eff[i] - 20); });
    const Pick cross = firstMinimum(start, [&](int i) { return std::fabs(aol[i] - path1[i]); });

    PumpBodeResult r;
    r.aol = toVector(aol);
    r.path1 = toVector(path1);
    r.path2 = toVector(path2);
    r.vAtLoad = toVector(atLoad);
    r.path2Drawn = in.dampingDrawn;
    r.betaN = p.betaN;
    r.betaDC = p.betaDC;
    r.betaAC = p.betaAC;
    r.fZero = p.fZero;
    r.fPole = p.fPole;
    r.fDamping = p.fD;
    r.closure = cl.freq;
    r.bandwidth = bw.freq;
    r.crossing = cross.freq;
    r.crossingLevel = path1[cross.index];
    r.rateOfClosure = rateOfClosure(aol, eff, cl.index);
    r.rateOfClosure1 = rateOfClosure(aol, path1, cross.index);
    r.verdict = pumpVerdict(r.rateOfClosure, p.fZero, poleOf(in.amplifier.pole1, in.option), r.closure);
    suggestDamping(in, p, r);
    miscellaneous(in, r);
    r.notes = bodeNotes(r);
    return r;
}

PumpResistors pumpResistors(const PumpEntries &e)
{
    const double rin = string2Number(e.rin);
    return { rin, rin, string2Number(e.rfn), string2Number(e.rfp), string2Number(e.rs) };
}

PumpTolerances pumpTolerances(const PumpEntries &e)
{
    return { string2Number(e.rinTol), string2Number(e.rfnTol), string2Number(e.rfpTol),
        string2Number(e.rsTol) };
}

namespace {

bool isShort(const QString &text)
{
    return text == QLatin1String("short");
}

// A load capacitance or damping capacitor typed "open" has no capacitance.
double capacitance(const QString &text)
{
    return text == QLatin1String("open") ? 0.0 : string2Number(text);
}

// A capacitor's reactance is negative: with a coil and a damping capacitor
// on the same node, a positive one would add where the currents cancel.
double reactance(const PumpEntries &e)
{
    const double f = string2Number(e.freq);
    if (isShort(e.cload))
        return kPumpTwoPi * f * string2Number(e.lload);
    return -1 / (kPumpTwoPi * f * capacitance(e.cload));
}

PumpBodeInput bodeInput(const PumpInput &in, const amp &amplifier)
{
    const PumpEntries &e = in.e;
    PumpBodeInput b;
    b.amplifier = amplifier;
    b.option = in.option;
    b.rin = string2Number(e.rin);
    b.rfn = string2Number(e.rfn);
    b.rfp = string2Number(e.rfp);
    b.rs = string2Number(e.rs);
    b.rload = string2Number(e.rload);
    b.inductance = string2Number(e.lload);
    b.capacitance = capacitance(e.cload);
    b.capacitive = !isShort(e.cload);
    b.rd = string2Number(e.rd);
    b.cd = capacitance(e.cd);
    b.dampingDrawn = e.rd != QLatin1String("open") && e.cd != QLatin1String("open") && b.cd != 0;
    b.frequency = string2Number(e.freq);
    b.iMax = in.iMax;
    b.iMin = in.iMin;
    return b;
}

} // namespace

comp pumpLoad(const PumpEntries &e)
{
    return comp(string2Number(e.rload), reactance(e));
}

comp pumpDamping(const PumpEntries &e)
{
    const double f = string2Number(e.freq);
    const double cd = isShort(e.cd) ? kOpenValue : capacitance(e.cd);
    return comp(string2Number(e.rd), -1 / (kPumpTwoPi * f * cd));
}

PumpResult computePump(const PumpInput &in, const amp &amplifier)
{
    PumpResult r;
    const PumpResistors res = pumpResistors(in.e);
    const PumpTolerances tol = pumpTolerances(in.e);
    const comp zl = pumpLoad(in.e), zd = pumpDamping(in.e);
    r.drawable = amplifier.Inputs == QLatin1String("both");
    r.ideal = (in.inverting ? -1 : 1) * res.rfn / (res.rinN * res.rs);
    r.actual = IHCPtransconductance(res, zl, zd, in.inverting);
    r.worst = IHCPworstcase(res, tol, zl, zd, in.inverting);
    const QString av = QStringLiteral("A/V");
    r.notes << normalNote(QStringLiteral("Notes:\n")) << normalNote(QStringLiteral("TRANSCONDUCTANCE"))
            << normalNote(QStringLiteral("\tIdeal: ") + siText(r.ideal, av))
            << normalNote(QStringLiteral("\tActual: ") + siText(r.actual, av))
            << normalNote(QStringLiteral("\tWorst Case: ") + siText(r.worst, av))
            << normalNote(QStringLiteral("\tSee below for maximum bandwidth"));
    r.bode = IHCPBode(bodeInput(in, amplifier));
    r.verdictLine = r.notes.size() + r.bode.verdictLine;
    r.notes << r.bode.notes;
    if (in.sweep)
        r.sweep = IHCPsweepLoad(res, tol, zl.magnitude(), zd, in.inverting);
    r.notes << normalNote(QStringLiteral("\nMAXIMUM BANDWIDTH\n\t") + siText(r.bode.bandwidth, "Hz")
        + QStringLiteral("\n\t(Where Loop Gain falls to 20dB)"));

    const QString volt = QStringLiteral("V");
    r.vInText = QStringLiteral("V_IN = \n") + siText(in.iMin / r.ideal, volt) + QStringLiteral(" to ")
        + siText(in.iMax / r.ideal, volt);
    const double zMag = zl.magnitude();
    const QString atLoad = QStringLiteral("V at Load = \n") + siText(zMag * in.iMin, volt)
        + QStringLiteral(" to ") + siText(zMag * in.iMax, volt);
    r.vAtLoad
        = std::fabs(in.iMax - in.iMin) * zMag <= amplifier.Vss_max ? normalNote(atLoad) : warningNote(atLoad);
    r.iMaxOver = !(std::fabs(in.iMax) <= amplifier.I_pk);
    r.iMinOver = !(std::fabs(in.iMin) <= amplifier.I_pk);
    return r;
}
