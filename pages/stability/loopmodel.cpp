#include "pages/stability/loopmodel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "pages/stability/bodegrid.h"
#include "values/sivalues.h"

using namespace StabGrid;
using namespace BodeGrid;

namespace {

// 20 log10 of a ratio. Every positive finite ratio gets its true level
// (a shorted part's 2e20 V/V is 406 dB); only a ratio with no level at all,
// not positive or not finite, is held at -400 or +400 dB so that no curve
// and no text becomes infinite.
double dB(double ratio)
{
    if (!(ratio > 0))
        return -400.0;
    if (!std::isfinite(ratio))
        return 400.0;
    return 20.0 * std::log10(ratio);
}

// A quotient whose denominator, if exactly zero, becomes 1e-13 as in every
// break formula, so that a shorted part gives a large finite number rather
// than an infinity or a NaN on the page.
double over(double num, double den)
{
    return num / (den != 0 ? den : kTiny);
}

double at(const QVector<double> &v, int k, double fallback)
{
    return (k >= 0 && k < v.size()) ? v[k] : fallback;
}

double num(const QString &text)
{
    return string2Number(text);
}

const QString kOpen = QStringLiteral("open");

void addClosedLoopCopies(LoopResult &r, const Curve &closed)
{
    Curve x10, x100, x1000;
    for (int i = 0; i < kPoints; ++i) {
        x10[i] = closed[i] * 10;
        x100[i] = closed[i] * 100;
        x1000[i] = closed[i] * 1000;
    }
    r.closedLoopPhase = { { QStringLiteral("Closed Loop Phase"), toVector(closed) },
        { QStringLiteral("Closed * 10"), toVector(x10) }, { QStringLiteral("Closed * 100"), toVector(x100) },
        { QStringLiteral("Closed * 1000"), toVector(x1000) } };
    r.closedLoopTickStep = 45;
}

void finishVerdict(LoopResult &r)
{
    r.verdict = stabVerdict(r.rateOfClosure, r.phaseMargin);
    r.verdictNote = { stabVerdictText(r.verdict),
        r.verdict == StabVerdict::Stable ? NoteTone::Normal : NoteTone::Warning };
}

QString ohm()
{
    return QStringLiteral("\u03A9");
}

QString ratioLine(const char *caption, double ratio)
{
    return QString::fromUtf8(caption) + formatSI(ratio, QStringLiteral("V/V (")) + number2String(dB(ratio))
        + QStringLiteral(" dB)");
}

QString hzLine(const char *caption, double hz)
{
    return QString::fromUtf8(caption) + formatSI(hz, QStringLiteral("Hz"));
}

// Values and breaks of the capacitive power stage, shared by the plain and
// the composite capacitive models.
struct CapStage {
    double Z = 0, Cload = 0, Riso = 0, Rin = 0, Rfb = 0, Cfb = 0, Rng = 0, Cng = 0;
    double dcB = 1, acB = 1, NG = 1;
    double P1 = kNoBreak, P2 = kNoBreak, P3 = kNoBreak;
    double PL = kNoBreak, ZISO = kNoBreak, PF = kNoBreak, ZF = kNoBreak, PNG = kNoBreak, ZNG = kNoBreak;
};

} // namespace

void specialCircuit(const amp &a, double rg, double &rin, double &rfb, double &cfb)
{
    if (a.CircuitType == QLatin1String("normal"))
        return;
    if (a.CircuitType == QLatin1String("BQ840")) {
        rin = a.Rin;
        rfb = a.Rfb + rg;
        cfb = a.Cfb;
    } else if (a.CircuitType == QLatin1String("BQ859")) {
        rin = rg;
        rfb = a.Rfb;
        cfb = a.Cfb;
    } else if (a.CircuitType == QLatin1String("VR554") || a.CircuitType == QLatin1String("VR622")) {
        rin = a.Rin;
        rfb = a.Rfb;
        cfb = a.Cfb;
    }
}

namespace {

CapStage capStage(const LoopInput &in)
{
    const amp &a = in.amplifier;
    const StabComponents &c = in.parts;
    const int k = in.option;
    CapStage s;
    double rcl = num(c.RclC);
    if (a.Vbe == 0 || a.CLint != 0)
        rcl = 0;
    s.Z = rcl + a.Zout;
    s.Cload = stabCapacitor(c.CLoadStab);
    s.Riso = num(c.RisoC);
    s.Rin = num(c.RinC);
    s.Rfb = num(c.RfbC);
    s.Cfb = stabCapacitor(c.CfbC);
    s.Rng = num(c.RngC);
    s.Cng = stabCapacitor(c.CngC);
    specialCircuit(a, num(c.stabRg), s.Rin, s.Rfb, s.Cfb);
    if (!in.inverting) {
        s.Rng = 0;
        s.Cng = 0;
    }
    s.dcB = s.Rfb / (s.Rin + kTiny) + 1;
    const bool ngActive = c.RngC != kOpen && c.CngC != kOpen && s.Cng != 0;
    s.acB = ngActive ? (s.Rin + s.Rng) * s.Rfb / (s.Rng * s.Rin + kTiny) + 1 : s.dcB;
    s.NG = over(s.acB, s.dcB);
    s.P1 = at(a.pole1, k, kNoBreak);
    s.P2 = at(a.pole2, k, kNoBreak);
    s.P3 = at(a.pole3, k, kNoBreak);
    s.PL = 1 / (s.Z * kTwoPi * s.Cload + kTiny);
    s.ZISO = 1 / (s.Cload * std::min(s.Riso, s.Z) * kTwoPi + kTiny);
    s.PF = 1 / (s.Cfb * s.Rfb * kTwoPi + kTiny);
    s.ZF = s.acB * s.PF;
    s.PNG = ngActive ? 1 / (s.Rng * kTwoPi * s.Cng + kTiny) : kNoBreak;
    s.ZNG = s.PNG / s.NG;
    return s;
}

// Values and breaks of the inductive power stage.
struct IndStage {
    double L = 0, Rload = 0, Rin = 0, Rfb = 0, Cfb = 0, Rd = 0, Rs = 0, RsTyped = 0, G = 0;
    double gain1 = 1; // the sense gain with 0 counted as 1
    double RL = 0, dcB = 1, acB = 1;
    double ZRL = kNoBreak, ZD = kNoBreak;
    double P1 = kNoBreak, P2 = kNoBreak, P3 = kNoBreak;
};

IndStage indStage(const LoopInput &in)
{
    const amp &a = in.amplifier;
    const StabComponents &c = in.parts;
    const int k = in.option;
    IndStage s;
    s.L = num(c.LLoadStab);
    s.Rload = num(c.RloadL);
    s.Rin = num(c.RinL);
    s.Rfb = num(c.RfbL);
    s.Cfb = stabCapacitor(c.CfbL);
    s.Rd = num(c.RdL);
    s.Rs = s.RsTyped = num(c.RsL);
    s.G = num(c.RsGainL);
    // Without a sense stage the feedback divider loads the sense resistor.
    if (s.G == 0)
        s.Rs = over(s.Rs * (s.Rin + s.Rfb), s.Rs + s.Rin + s.Rfb);
    // The inductive schematic shows and edits its own R_G, so that is the one
    // the booster's feedback network takes here.
    specialCircuit(a, num(c.stabLRg), s.Rin, s.Rfb, s.Cfb);
    s.gain1 = s.G != 0 ? s.G : 1;
    s.RL = s.Rload + s.Rs;
    const double beta = over(s.Rs, s.RL) * over(s.Rin, s.Rin + s.Rfb) * s.gain1;
    s.dcB = over(1, beta);
    s.acB = over((s.Rin + s.Rfb) * s.Rd, s.Rin * s.Rfb) + 1;
    s.ZRL = s.RL / (s.L * kTwoPi + kTiny);
    s.ZD = 1 / (s.Cfb * s.Rd * kTwoPi + kTiny);
    s.P1 = at(a.pole1, k, kNoBreak);
    s.P2 = at(a.pole2, k, kNoBreak);
    s.P3 = at(a.pole3, k, kNoBreak);
    return s;
}

void fillCommon(LoopResult &r, const LoopInput &in)
{
    r.slewRate = at(in.amplifier.slewRate, in.option, 0);
}

// The two 1/beta paths of the inductive loop and their visibility.
struct Paths {
    Curve p1, p2;
    bool visible1 = false, visible2 = false;
};

Paths inductivePaths(const IndStage &s)
{
    const Grid &g = grid();
    const Break zrl(s.ZRL);
    // Path 2 rises below Z_D only when there is such a zero.
    const bool hasZd = s.ZD > 0 && std::isfinite(s.ZD);
    const double zdLog = hasZd ? std::log10(s.ZD) : 0;
    Paths p;
    const double dc = dB(s.dcB), ac = dB(s.acB);
    for (int i = 0; i < kPoints; ++i) {
        p.p1[i] = dc + (g.f[i] > zrl.f ? 20.0 * (g.lf[i] - zrl.lf) : 0.0);
        p.p2[i] = ac + (hasZd && g.f[i] < s.ZD ? 20.0 * (zdLog - g.lf[i]) : 0.0);
        if (p.p1[i] > -20 && p.p1[i] < 140)
            p.visible1 = true;
        if (p.p2[i] > -20 && p.p2[i] < 140)
            p.visible2 = true;
    }
    return p;
}

// Closure, bandwidth and zero cross of an inductive loop whose open-loop
// gain is `open`.
void inductiveSearches(const Curve &open, const Paths &p, double startDiff, Curve &eff, LoopResult &r)
{
    for (int i = 0; i < kPoints; ++i)
        eff[i] = std::min(p.p1[i], p.p2[i]);
    const Pick cl = firstMinimum(startDiff, [&](int i) { return std::fabs(open[i] - eff[i]); });
    const Pick bw = firstMinimum(
        startDiff, [&](int i) { return std::fabs(std::min(open[i], p.p2[i]) - p.p1[i] - 10); });
    const Pick zc
        = firstMinimum(startDiff, [&](int i) { return std::fabs(p.p1[i] - std::min(open[i], p.p2[i])); });
    r.closureIndex = cl.index;
    r.closureFrequency = cl.freq;
    r.maxBandwidth = bw.freq;
    r.zeroCross = zc.freq;
    r.rateOfClosure = rateOfClosure(open, eff, cl.index);
}

void inductiveGainSeries(
    LoopResult &r, const char *openName, const Curve &open, const Paths &p, const Curve &eff)
{
    Curve signal;
    for (int i = 0; i < kPoints; ++i)
        signal[i] = std::min(open[i], eff[i]);
    LoopSeries path1 { QStringLiteral("1/Beta Path 1"), toVector(p.p1), p.visible1, p.visible1 };
    LoopSeries path2 { QStringLiteral("1/Beta Path 2"), toVector(p.p2), p.visible2, p.visible2 };
    r.gain = { { QString::fromLatin1(openName), toVector(open) }, path1, path2,
        { QStringLiteral("Signal at L_LOAD"), toVector(signal) } };
}

void inductiveClosedLoop(
    LoopResult &r, double zrl, double zc, double cl, double q2, double q3, double L, double RL)
{
    const Grid &g = grid();
    Curve v, cur;
    for (int i = 0; i < kPoints; ++i) {
        const double f = g.f[i];
        v[i] = (std::atan(f / zrl) - std::atan(f / zc) - std::atan(f / cl) - std::atan(f / q2)
                   - std::atan(f / q3))
            * kDegPerRad;
        cur[i] = v[i] - std::atan(over(6.283185307179586 * f * L, RL)) * 180 / 3.141592653589793;
    }
    r.closedLoopPhase
        = { { QStringLiteral("V Out"), toVector(v) }, { QStringLiteral("I Out"), toVector(cur) } };
    r.closedLoopTickStep = 90;
}

QString transconductanceLine(double rfb, double rin, double rs, double gain1)
{
    return QStringLiteral("Transconductance:\t")
        + formatSI(over(over(-rfb, rin), rs) / gain1, QStringLiteral("A/V inverting, "))
        + formatSI(over(over(rfb, rin) + 1, rs) / gain1, QStringLiteral("A/V non-inverting"));
}

} // namespace

const QVector<double> &StabGrid::frequencies()
{
    return grid().vector;
}

const QStringList &StabComponents::keys()
{
    static const QStringList k = { "RinC", "RfbC", "RngC", "CngC", "CfbC", "RclC", "RisoC", "CLoadStab",
        "stabRg", "RinL", "RfbL", "RdL", "RsL", "CfbL", "RsGainL", "RloadL", "LLoadStab", "stabLRg",
        "hostRin", "compRfb", "hostRng", "hostCng", "compCfb" };
    return k;
}

QString *StabComponents::field(const QString &key)
{
    QString *const all[] = { &RinC, &RfbC, &RngC, &CngC, &CfbC, &RclC, &RisoC, &CLoadStab, &stabRg, &RinL,
        &RfbL, &RdL, &RsL, &CfbL, &RsGainL, &RloadL, &LLoadStab, &stabLRg, &hostRin, &compRfb, &hostRng,
        &hostCng, &compCfb };
    const int i = keys().indexOf(key);
    return i >= 0 ? all[i] : nullptr;
}

const QString *StabComponents::field(const QString &key) const
{
    return const_cast<StabComponents *>(this)->field(key);
}

double stabCapacitor(const QString &text)
{
    return text == kOpen ? 0.0 : string2Number(text);
}

StabVerdict stabVerdict(double roc, double pm)
{
    if (roc < 21) {
        if (pm > 45)
            return StabVerdict::Stable;
        return pm > 10 ? StabVerdict::Marginal : StabVerdict::Unstable;
    }
    if (roc > 21)
        return pm > 45 ? StabVerdict::Marginal : StabVerdict::Unstable;
    return StabVerdict::Unstable; // exactly 21, or a rate that is not a number
}

QString stabVerdictText(StabVerdict verdict)
{
    switch (verdict) {
    case StabVerdict::Stable:
        return QStringLiteral("STABLE");
    case StabVerdict::Marginal:
        return QStringLiteral("MARGINALLY STABLE");
    case StabVerdict::Unstable:
        break;
    }
    return QStringLiteral("UNSTABLE");
}

namespace {

// The host op-amp's feedback network of a composite circuit.
struct HostNetwork {
    double rin = 0, rfb = 0, cfb = 0, dcB = 1, acB = 1, NG = 1;
    double PF = kNoBreak, ZF = kNoBreak, PNG = kNoBreak, ZNG = kNoBreak;
};

HostNetwork hostNetwork(const LoopInput &in)
{
    const StabComponents &c = in.parts;
    HostNetwork h;
    h.rin = num(c.hostRin);
    h.rfb = num(c.compRfb);
    h.cfb = stabCapacitor(c.compCfb);
    double rng = num(c.hostRng), cng = stabCapacitor(c.hostCng);
    if (!in.inverting) {
        rng = 0;
        cng = 0;
    }
    h.dcB = h.rfb / (h.rin + kTiny) + 1;
    const bool ngActive = c.hostRng != kOpen && c.hostCng != kOpen && cng != 0;
    h.acB = ngActive ? (h.rin + rng) * h.rfb / (rng * h.rin + kTiny) + 1 : h.dcB;
    h.NG = over(h.acB, h.dcB);
    h.PF = 1 / (h.rfb * kTwoPi * h.cfb + kTiny);
    h.ZF = h.acB * h.PF;
    h.PNG = ngActive ? 1 / (rng * kTwoPi * cng + kTiny) : kNoBreak;
    h.ZNG = h.PNG / h.NG;
    return h;
}

// One run of the model: the case, its stage, the host network of a composite
// circuit, the power loop's own closure, and the gain curves on the grid.
// The four cases (capacitive or inductive load, alone or behind a host)
// differ only in these curves, the phase terms, the closed-loop phase and
// the texts; everything else is shared.
struct Loop {
    const LoopInput &in;
    bool inductive = false, composite = false, plot = false;
    CapStage cap;
    IndStage ind;
    HostNetwork host;
    double fP = 0; // closure of the power loop alone (composite)
    Break h1, h2, h3;
    // Inductive: invBeta is the lower of the two paths; signal only with plot.
    Curve open, invBeta, signal, openP;
    Paths paths;

    Loop(const LoopInput &input, StabLoad load, bool withHost, bool withPlot)
        : in(input)
        , inductive(load == StabLoad::Inductive)
        , composite(withHost)
        , plot(withPlot)
    {
        if (composite) {
            fP = evaluateLoop(in, load, false, false).closureFrequency;
            host = hostNetwork(in);
            h1 = Break(in.host.pole1);
            h2 = Break(in.host.pole2);
            h3 = Break(in.host.pole3);
        }
        if (inductive) {
            ind = indStage(in);
            inductiveCurves();
        } else {
            cap = capStage(in);
            capacitiveCurves();
        }
    }

    double hostOpen(int i) const { return in.host.aol - h1.slope(i) - h2.slope(i) - h3.slope(i); }

    void capacitiveCurves()
    {
        const Grid &g = grid();
        const CapStage &s = cap;
        const Break p1(s.P1), p2(s.P2), p3(s.P3), pl(s.PL), ziso(s.ZISO), pfp(s.PF);
        // The 1/beta of the power stage alone, or of the host network.
        const double dcLevel = dB(composite ? host.dcB : s.dcB);
        const Break pf(composite ? host.PF : s.PF), zf(composite ? host.ZF : s.ZF),
            png(composite ? host.PNG : s.PNG), zng(composite ? host.ZNG : s.ZNG);
        const double powerLevel = dB(s.Rfb / (s.Rin + kTiny) + 1);
        const double ngLevel = dB(host.NG);
        const double ngSpan = std::log(png.f / zng.f);
        for (int i = 0; i < kPoints; ++i) {
            const double f = g.f[i];
            openP[i] = a().Aol_DC - p1.slope(i) - p2.slope(i) - p3.slope(i) - pl.slope(i) + ziso.slope(i);
            double b = dcLevel - pf.slope(i);
            if (!composite) {
                open[i] = openP[i];
                b = dcLevel - pf.slope(i) + zf.slope(i) - png.slope(i) + zng.slope(i);
            } else {
                // The host's loop closes around the power loop; its noise gain
                // rises along a straight line in log f between the two breaks.
                open[i] = hostOpen(i) + std::min(openP[i], powerLevel - pfp.slope(i));
                if (zng.f <= f && f <= png.f) {
                    if (ngSpan != 0)
                        b += std::log(f / zng.f) / ngSpan * ngLevel;
                } else if (f > png.f) {
                    b += ngLevel;
                }
            }
            invBeta[i] = b < 0 ? 0 : b;
            if (plot) {
                double sig = dcLevel - pf.slope(i);
                if (open[i] < sig)
                    sig = open[i];
                signal[i] = sig - ziso.slope(i);
            }
        }
    }

    void inductiveCurves()
    {
        const IndStage &s = ind;
        const Break p1(s.P1), p2(s.P2), p3(s.P3), pf(host.PF);
        const double dcLevel = dB(s.dcB);
        for (int i = 0; i < kPoints; ++i) {
            const double openPower = a().Aol_DC - p1.slope(i) - p2.slope(i) - p3.slope(i);
            open[i] = composite ? std::min(openPower, dcLevel - pf.slope(i)) + in.host.aol - h1.slope(i)
                    - h2.slope(i) - h3.slope(i)
                                : openPower;
        }
        paths = inductivePaths(s);
    }

    const amp &a() const { return in.amplifier; }
};

void capacitiveSearches(const Loop &l, LoopResult &r)
{
    const double start = l.a().Aol_DC;
    const Pick cl = firstMinimum(start, [&](int i) { return std::fabs(l.open[i] - l.invBeta[i]); });
    const Pick f20 = firstMinimum(start, [&](int i) { return std::fabs(l.open[i] - l.invBeta[i] - 20); });
    r.closureIndex = cl.index;
    r.closureFrequency = cl.freq;
    r.twentyDbFrequency = f20.freq;
    r.rateOfClosure = rateOfClosure(l.open, l.invBeta, cl.index);
}

std::vector<PhaseTerm> phaseTerms(const Loop &l, const LoopResult &r)
{
    if (l.inductive) {
        const IndStage &s = l.ind;
        const Break p1(s.P1), p2(s.P2), p3(s.P3), zrl(s.ZRL), zc(r.zeroCross), fp(l.fP);
        if (!l.composite)
            return { { "Pole 1", p1, -1, true, true }, { "Pole 2", p2, -1, true, true },
                { "Pole 3", p3, -1, true, true }, { "Zero R_LOAD / L_LOAD", zrl, -1, true, false },
                { "Zero Cross", zc, +1, true, false } };
        return { { "Pole 1", l.h1, -1, true, true }, { "Pole 2", l.h2, -1, true, true },
            { "Pole 3", l.h3, -1, true, true }, { "Pole Fcl (PWR)", fp, -1, true, false },
            { "Pole 2 (PWR)", p2, -1, true, false }, { "Zero R_LOAD / L_LOAD", zrl, -1, true, false },
            { "Zero Cross", zc, +1, true, false } };
    }
    const CapStage &s = l.cap;
    const Break p1(s.P1), p2(s.P2), p3(s.P3), pl(s.PL), ziso(s.ZISO), pfp(s.PF);
    if (!l.composite)
        return { { "Pole 1", p1, -1, true, true }, { "Pole 2", p2, -1, true, true },
            { "Pole 3", p3, -1, true, true }, { "Pole C_LOAD", pl, -1, true, false },
            { "Zero R_ISO", ziso, +1, true, false }, { "Pole Noise Gain", Break(s.PNG), +1, true, false },
            { "Zero Noise Gain", Break(s.ZNG), -1, true, false }, { "Pole C_FB", pfp, +1, true, false },
            { "Zero C_FB", Break(s.ZF), -1, true, false } };
    const HostNetwork &h = l.host;
    return { { "Pole 1", l.h1, -1, true, true }, { "Pole 2", l.h2, -1, true, true },
        { "Pole 3", l.h3, -1, true, true }, { "Pole 2 (PWR)", p2, -1, true, true },
        { "Pole Fcl (PWR)", Break(l.fP), -1, true, false }, { "Pole Cf (PWR)", pfp, -1, s.PF < l.fP, false },
        { "Pole Noise Gain", Break(h.PNG), +1, h.NG > 1, false },
        { "Zero Noise Gain", Break(h.ZNG), -1, h.NG > 1, false },
        { "Pole C_FB", Break(h.PF), +1, h.PF < r.closureFrequency, false },
        { "Zero C_FB", Break(h.ZF), -1, true, false } };
}

// The break frequencies and levels behind the read-outs.
void fillBreaks(const Loop &l, LoopResult &r)
{
    if (l.inductive) {
        const IndStage &s = l.ind;
        r.invBetaDC = s.dcB;
        r.invBetaAC = s.acB;
        r.pole1 = s.P1;
        r.pole2 = s.P2;
        r.pole3 = s.P3;
        r.loadZero = s.ZRL;
        r.dZero = s.ZD;
        r.senseResistance = s.Rs;
        if (l.composite) {
            r.fbPole = l.host.PF;
            r.powerClosure = l.fP;
        }
        return;
    }
    const CapStage &s = l.cap;
    r.outputImpedance = s.Z;
    r.pole1 = s.P1;
    r.pole2 = s.P2;
    r.pole3 = s.P3;
    r.loadPole = s.PL;
    r.isoZero = s.ZISO;
    if (!l.composite) {
        r.invBetaDC = s.dcB;
        r.invBetaAC = s.acB;
        r.noiseGain = s.NG;
        r.fbPole = s.PF;
        r.fbZero = s.ZF;
        r.ngPole = s.PNG;
        r.ngZero = s.ZNG;
        return;
    }
    const HostNetwork &h = l.host;
    r.invBetaDC = h.dcB;
    r.invBetaAC = h.acB;
    r.noiseGain = h.NG;
    r.fbPole = h.PF;
    r.fbZero = h.ZF;
    r.ngPole = h.PNG;
    r.ngZero = h.ZNG;
    r.powerFbPole = s.PF;
    r.powerClosure = l.fP;
}

void capacitiveClosedLoop(const Loop &l, LoopResult &r)
{
    const Grid &g = grid();
    const Break p2(l.cap.P2), p3(l.cap.P3), pf(l.composite ? l.host.PF : l.cap.PF);
    const double cl = r.closureFrequency;
    Curve closed;
    for (int i = 0; i < kPoints; ++i) {
        const double f = g.f[i];
        double v;
        if (!l.composite) {
            v = -(std::atan(f / cl) + std::atan(f / p2.f) + std::atan(f / p3.f)) * kDegPerRad;
            if (cl > pf.f)
                v -= std::atan(f / pf.f) * kDegPerRad;
        } else {
            v = -(std::atan(f / l.fP) + std::atan(f / cl) + std::atan(f / l.h2.f) + std::atan(f / l.h3.f))
                * kDegPerRad;
            if (pf.f < cl)
                v -= std::atan(f / pf.f) * kDegPerRad;
            if (l.openP[i] < l.invBeta[i])
                v -= std::atan(f / p2.f) * kDegPerRad;
        }
        closed[i] = v;
    }
    addClosedLoopCopies(r, closed);
}

QStringList capacitiveDetails(const Loop &l)
{
    const CapStage &s = l.cap;
    QStringList lines { QStringLiteral("Total Output Impedance:\t") + formatSI(s.Z, ohm()) };
    if (!l.composite)
        return lines << ratioLine("1/\u00DF (DC):\t\t", s.dcB) << ratioLine("1/\u00DF (AC):\t\t", s.acB)
                     << ratioLine("Noise Gain:\t\t", s.NG) << hzLine("\nAmplifier Pole 1:\t\t", s.P1)
                     << hzLine("Amplifier Pole 2:\t\t", s.P2) << hzLine("Amplifier Pole 3:\t\t", s.P3)
                     << hzLine("\nPole Z_OUT C_LOAD:\t", s.PL) << hzLine("Zero R_ISO C_LOAD:\t", s.ZISO)
                     << hzLine("Pole Noise Gain:\t\t", s.PNG) << hzLine("Zero Noise Gain:\t\t", s.ZNG)
                     << hzLine("Pole C_FB R_FB:\t", s.PF) << hzLine("Zero C_FB R_FB:\t", s.ZF);
    const HostNetwork &h = l.host;
    return lines << ratioLine("1/\u00DF (DC):\t\t", h.dcB) << ratioLine("1/\u00DF (AC):\t\t", h.acB)
                 << ratioLine("Noise Gain:\t\t", h.NG) << hzLine("\nPower Amplifier Pole 1:\t", s.P1)
                 << hzLine("Power Amplifier Pole 2:\t", s.P2) << hzLine("Power Amplifier Pole 3:\t", s.P3)
                 << hzLine("Power Pole C_FB R_FB:\t", s.PF) << hzLine("Power Closure Frequency:\t", l.fP)
                 << hzLine("\nPole Noise Gain:\t\t", h.PNG) << hzLine("Zero Noise Gain:\t\t", h.ZNG)
                 << hzLine("Pole Composite C_FB R_FB:\t", h.PF)
                 << hzLine("Zero Composite C_FB R_FB:\t", h.ZF);
}

QStringList inductiveDetails(const Loop &l, const LoopResult &r)
{
    const IndStage &s = l.ind;
    QStringList lines { l.composite ? transconductanceLine(l.host.rfb, l.host.rin, s.RsTyped, s.gain1)
                                    : transconductanceLine(s.Rfb, s.Rin, s.RsTyped, s.gain1),
        ratioLine("1/\u00DF (DC):\t\t", s.dcB), ratioLine("1/\u00DF (AC):\t\t", s.acB) };
    const char *const prefix = l.composite ? "Power Amplifier Pole %1:\t" : "Amplifier Pole %1:\t\t";
    lines << QStringLiteral("\n") + QString::fromUtf8(prefix).arg(1) + formatSI(s.P1, QStringLiteral("Hz"))
          << QString::fromUtf8(prefix).arg(2) + formatSI(s.P2, QStringLiteral("Hz"))
          << QString::fromUtf8(prefix).arg(3) + formatSI(s.P3, QStringLiteral("Hz"))
          << hzLine("\nZero R_LOAD L_LOAD:\t", s.ZRL) << hzLine("Zero C_FB R_D:\t\t", s.ZD);
    if (l.composite)
        lines << hzLine("Zero Power Fclosure:\t", l.fP) << hzLine("Pole C_FB R_FB (composite):\t", l.host.PF);
    return lines << hzLine("Zero Cross:\t\t", r.zeroCross);
}

// The closed-loop phase, the gain series and the texts of a run with plot.
void fillPlot(const Loop &l, LoopResult &r)
{
    if (l.inductive) {
        const IndStage &s = l.ind;
        const double q2 = l.composite ? l.h2.f : Break(s.P2).f, q3 = l.composite ? l.h3.f : Break(s.P3).f;
        inductiveClosedLoop(r, Break(s.ZRL).f, r.zeroCross, r.closureFrequency, q2, q3, s.L, s.RL);
        inductiveGainSeries(
            r, l.composite ? "Composite Open Loop Gain" : "Open Loop Gain", l.open, l.paths, l.invBeta);
        r.details = inductiveDetails(l, r);
        return;
    }
    capacitiveClosedLoop(l, r);
    r.gain = { { l.composite ? QStringLiteral("Composite Open Loop Gain")
                             : QStringLiteral("Open Loop Gain w/ C_LOAD"),
                   toVector(l.open) },
        { QStringLiteral("1/Beta"), toVector(l.invBeta) },
        { QStringLiteral("Signal at C_LOAD"), toVector(l.signal) } };
    r.details = capacitiveDetails(l);
}

} // namespace

LoopResult evaluateLoop(const LoopInput &in, StabLoad load, bool composite, bool plot)
{
    Loop l(in, load, composite, plot);
    LoopResult r;
    fillCommon(r, in);
    if (l.inductive)
        inductiveSearches(l.open, l.paths, in.amplifier.Aol_DC, l.invBeta, r);
    else
        capacitiveSearches(l, r);
    r.phaseMargin = phaseMargin(phaseTerms(l, r), r.closureFrequency, plot, r);
    if (!l.inductive)
        r.maxBandwidth = std::min({ l.cap.ZISO, composite ? l.host.PF : l.cap.PF, r.twentyDbFrequency });
    finishVerdict(r);
    fillBreaks(l, r);
    if (plot)
        fillPlot(l, r);
    return r;
}

LoopResult plotCBodeData(const LoopInput &in, bool plot)
{
    return evaluateLoop(in, StabLoad::Capacitive, false, plot);
}

LoopResult plotCBodeDataComposite(const LoopInput &in, bool plot)
{
    return evaluateLoop(in, StabLoad::Capacitive, true, plot);
}

LoopResult plotLBodeData(const LoopInput &in, bool plot)
{
    return evaluateLoop(in, StabLoad::Inductive, false, plot);
}

LoopResult plotLBodeDataComposite(const LoopInput &in, bool plot)
{
    return evaluateLoop(in, StabLoad::Inductive, true, plot);
}
