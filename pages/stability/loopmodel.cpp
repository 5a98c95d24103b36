#include "pages/stability/loopmodel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "values/sivalues.h"

using namespace StabGrid;

namespace {

struct Grid {
    std::array<double, kPoints> f{};
    std::array<double, kPoints> lf{};  // log10 of f
    QVector<double> vector;
    Grid()
    {
        f[0] = 1;
        for (int i = 1; i < kPoints; ++i)
            f[i] = f[i - 1] * kRatio;
        for (int i = 0; i < kPoints; ++i)
            lf[i] = std::log10(f[i]);
        vector = QVector<double>(f.begin(), f.end());
    }
};

// Built once when the library loads, so the hot loops below read it without
// a guard check.
const Grid kGrid;

inline const Grid &grid()
{
    return kGrid;
}

using Curve = std::array<double, kPoints>;

// A break frequency with its logarithm taken once per model run. A break that
// is not a positive number (an empty host pole, a negative part typed) would
// make the straight lines infinite; it is read as no break at all.
struct Break {
    double f = kNoBreak;
    double lf = 13;
    Break() = default;
    explicit Break(double hz)
    {
        f = (hz > 0 && std::isfinite(hz)) ? hz : kNoBreak;
        lf = std::log10(f);
    }
    // 20 log10(freq / f) once the break is reached (f below freq), else 0.
    double slope(int i) const { return f < kGrid.f[i] ? 20.0 * (kGrid.lf[i] - lf) : 0.0; }
    // Straight-line phase of one pole or zero, without its sign: 0 up to a
    // tenth of the break, 90 beyond ten times it, 45 degrees a decade between.
    double phase(int i) const
    {
        const double r = kGrid.f[i] / f;
        if (r <= 0.1)
            return 0.0;
        if (r <= 10)
            return (kGrid.lf[i] - lf + 1.0) * 45.0;
        return 90.0;
    }
};

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

// The first grid point with the smallest difference, starting from `start`
// and replacing only on a strictly smaller value.
struct Pick {
    int index = 1;
    double freq = 1;
};

template <typename F>
Pick firstMinimum(double start, F diff)
{
    const Grid &g = grid();
    Pick p;
    double best = start;
    for (int i = 0; i < kPoints; ++i) {
        const double d = diff(i);
        if (d < best) {
            best = d;
            p.index = i;
            p.freq = g.f[i];
        }
    }
    return p;
}

double rateOfClosure(const Curve &open, const Curve &invBeta, int i)
{
    int hi = i, lo = i - 1;
    if (i <= 0) {
        lo = 0;
        hi = 1;
    }
    if (hi >= kPoints) {
        hi = kPoints - 1;
        lo = hi - 1;
    }
    return 16.0 * ((open[lo] - invBeta[lo]) - (open[hi] - invBeta[hi]));
}

// One signed straight-line phase contribution of the loop gain.
struct PhaseTerm {
    const char *name;
    Break b;
    double sign;   // -1 for a pole of the loop gain, +1 for a zero
    bool active;   // some composite terms count only under a condition
    bool always;   // drawn even when it stays zero
};

// Sums the terms into the loop phase up to `lastIndex`, and the phase margin
// over every grid point up to closure; with plot it also fills the curves.
double phaseMargin(const std::vector<PhaseTerm> &terms, double closure, bool plot, LoopResult &r)
{
    const Grid &g = grid();
    int last = -1;
    for (int i = 0; i < kPoints && g.f[i] <= closure; ++i)
        last = i;
    const int count = plot ? kPoints : last + 1;
    double minimum = 0;
    QVector<double> total(plot ? kPoints : 0, 0.0);
    QVector<LoopSeries> comps;
    if (plot) {
        for (const PhaseTerm &t : terms) {
            LoopSeries s;
            s.name = QString::fromLatin1(t.name);
            s.y = QVector<double>(kPoints, 0.0);
            s.present = false;
            comps.append(s);
        }
    }
    for (int i = 0; i < count; ++i) {
        double sum = 0;
        for (size_t n = 0; n < terms.size(); ++n) {
            const PhaseTerm &t = terms[n];
            if (!t.active)
                continue;
            const double p = t.sign * t.b.phase(i);
            sum += p;
            if (plot && p != 0) {
                comps[int(n)].y[i] = p;
                comps[int(n)].present = true;
            }
        }
        if (i <= last && sum < minimum)
            minimum = sum;
        if (plot)
            total[i] = sum;
    }
    if (plot) {
        for (size_t n = 0; n < terms.size(); ++n)
            comps[int(n)].shown = terms[n].always || comps[int(n)].present;
        r.phaseComponents = comps;
        r.openLoopPhase = total;
    }
    return minimum + 180.0;
}

QVector<double> toVector(const Curve &c)
{
    return QVector<double>(c.begin(), c.end());
}

void addClosedLoopCopies(LoopResult &r, const Curve &closed)
{
    Curve x10, x100, x1000;
    for (int i = 0; i < kPoints; ++i) {
        x10[i] = closed[i] * 10;
        x100[i] = closed[i] * 100;
        x1000[i] = closed[i] * 1000;
    }
    r.closedLoopPhase = {{QStringLiteral("Closed Loop Phase"), toVector(closed)},
                         {QStringLiteral("Closed * 10"), toVector(x10)},
                         {QStringLiteral("Closed * 100"), toVector(x100)},
                         {QStringLiteral("Closed * 1000"), toVector(x1000)}};
    r.closedLoopTickStep = 45;
}

void finishVerdict(LoopResult &r)
{
    r.verdict = stabVerdict(r.rateOfClosure, r.phaseMargin);
    r.verdictNote = {stabVerdictText(r.verdict),
                     r.verdict == StabVerdict::Stable ? NoteTone::Normal : NoteTone::Warning};
}

QString ohm()
{
    return QStringLiteral("\u03A9");
}

QString ratioLine(const char *caption, double ratio)
{
    return QString::fromUtf8(caption) + formatSI(ratio, QStringLiteral("V/V (")) +
           number2String(dB(ratio)) + QStringLiteral(" dB)");
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
    double PL = kNoBreak, ZISO = kNoBreak, PF = kNoBreak, ZF = kNoBreak, PNG = kNoBreak,
           ZNG = kNoBreak;
};

// Booster and fixed-gain parts bring their own feedback network.
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
    double gain1 = 1;  // the sense gain with 0 counted as 1
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
    Curve p1{}, p2{};
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
void inductiveSearches(const Curve &open, const Paths &p, double startDiff, Curve &eff,
                       LoopResult &r)
{
    for (int i = 0; i < kPoints; ++i)
        eff[i] = std::min(p.p1[i], p.p2[i]);
    const Pick cl = firstMinimum(startDiff, [&](int i) { return std::fabs(open[i] - eff[i]); });
    const Pick bw = firstMinimum(startDiff, [&](int i) {
        return std::fabs(std::min(open[i], p.p2[i]) - p.p1[i] - 10);
    });
    const Pick zc = firstMinimum(startDiff, [&](int i) {
        return std::fabs(p.p1[i] - std::min(open[i], p.p2[i]));
    });
    r.closureIndex = cl.index;
    r.closureFrequency = cl.freq;
    r.maxBandwidth = bw.freq;
    r.zeroCross = zc.freq;
    r.rateOfClosure = rateOfClosure(open, eff, cl.index);
}

void inductiveGainSeries(LoopResult &r, const char *openName, const Curve &open, const Paths &p,
                         const Curve &eff)
{
    Curve signal;
    for (int i = 0; i < kPoints; ++i)
        signal[i] = std::min(open[i], eff[i]);
    LoopSeries path1{QStringLiteral("1/Beta Path 1"), toVector(p.p1), p.visible1, p.visible1};
    LoopSeries path2{QStringLiteral("1/Beta Path 2"), toVector(p.p2), p.visible2, p.visible2};
    r.gain = {{QString::fromLatin1(openName), toVector(open)},
              path1,
              path2,
              {QStringLiteral("Signal at L_LOAD"), toVector(signal)}};
}

void inductiveClosedLoop(LoopResult &r, double zrl, double zc, double cl, double q2, double q3,
                         double L, double RL)
{
    const Grid &g = grid();
    Curve v, cur;
    for (int i = 0; i < kPoints; ++i) {
        const double f = g.f[i];
        v[i] = (std::atan(f / zrl) - std::atan(f / zc) - std::atan(f / cl) - std::atan(f / q2) -
                std::atan(f / q3)) *
               kDegPerRad;
        cur[i] = v[i] - std::atan(over(6.283185307179586 * f * L, RL)) * 180 / 3.141592653589793;
    }
    r.closedLoopPhase = {{QStringLiteral("V Out"), toVector(v)},
                         {QStringLiteral("I Out"), toVector(cur)}};
    r.closedLoopTickStep = 90;
}

QString transconductanceLine(double rfb, double rin, double rs, double gain1)
{
    return QStringLiteral("Transconductance:\t") +
           formatSI(over(over(-rfb, rin), rs) / gain1, QStringLiteral("A/V inverting, ")) +
           formatSI(over(over(rfb, rin) + 1, rs) / gain1, QStringLiteral("A/V non-inverting"));
}

}  // namespace

const QVector<double> &StabGrid::frequencies()
{
    return grid().vector;
}

const QStringList &StabComponents::keys()
{
    static const QStringList k = {
        "RinC", "RfbC", "RngC", "CngC", "CfbC", "RclC", "RisoC", "CLoadStab",
        "stabRg", "RinL", "RfbL", "RdL", "RsL", "CfbL", "RsGainL", "RloadL",
        "LLoadStab", "stabLRg", "hostRin", "compRfb", "hostRng", "hostCng", "compCfb"};
    return k;
}

QString *StabComponents::field(const QString &key)
{
    QString *const all[] = {&RinC, &RfbC, &RngC, &CngC, &CfbC, &RclC, &RisoC, &CLoadStab,
                            &stabRg, &RinL, &RfbL, &RdL, &RsL, &CfbL, &RsGainL, &RloadL,
                            &LLoadStab, &stabLRg, &hostRin, &compRfb, &hostRng, &hostCng,
                            &compCfb};
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
    return StabVerdict::Unstable;  // exactly 21, or a rate that is not a number
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

LoopResult plotCBodeData(const LoopInput &in, bool plot)
{
    const Grid &g = grid();
    const amp &a = in.amplifier;
    const CapStage s = capStage(in);
    LoopResult r;
    fillCommon(r, in);

    const Break p1(s.P1), p2(s.P2), p3(s.P3), pl(s.PL), ziso(s.ZISO), pf(s.PF), zf(s.ZF),
        png(s.PNG), zng(s.ZNG);
    const double dcLevel = dB(s.dcB);
    Curve open, invBeta, signal;
    for (int i = 0; i < kPoints; ++i) {
        open[i] = a.Aol_DC - p1.slope(i) - p2.slope(i) - p3.slope(i) - pl.slope(i) +
                  ziso.slope(i);
        double b = dcLevel - pf.slope(i) + zf.slope(i) - png.slope(i) + zng.slope(i);
        invBeta[i] = b < 0 ? 0 : b;
        if (plot) {
            double sig = dcLevel - pf.slope(i);
            if (open[i] < sig)
                sig = open[i];
            signal[i] = sig - ziso.slope(i);
        }
    }

    const Pick cl = firstMinimum(a.Aol_DC, [&](int i) { return std::fabs(open[i] - invBeta[i]); });
    const Pick f20 =
        firstMinimum(a.Aol_DC, [&](int i) { return std::fabs(open[i] - invBeta[i] - 20); });
    r.closureIndex = cl.index;
    r.closureFrequency = cl.freq;
    r.twentyDbFrequency = f20.freq;
    r.rateOfClosure = rateOfClosure(open, invBeta, cl.index);

    const std::vector<PhaseTerm> terms = {
        {"Pole 1", p1, -1, true, true},           {"Pole 2", p2, -1, true, true},
        {"Pole 3", p3, -1, true, true},           {"Pole C_LOAD", pl, -1, true, false},
        {"Zero R_ISO", ziso, +1, true, false},    {"Pole Noise Gain", png, +1, true, false},
        {"Zero Noise Gain", zng, -1, true, false}, {"Pole C_FB", pf, +1, true, false},
        {"Zero C_FB", zf, -1, true, false}};
    r.phaseMargin = phaseMargin(terms, r.closureFrequency, plot, r);
    r.maxBandwidth = std::min({s.ZISO, s.PF, r.twentyDbFrequency});
    finishVerdict(r);

    r.outputImpedance = s.Z;
    r.invBetaDC = s.dcB;
    r.invBetaAC = s.acB;
    r.noiseGain = s.NG;
    r.pole1 = s.P1;
    r.pole2 = s.P2;
    r.pole3 = s.P3;
    r.loadPole = s.PL;
    r.isoZero = s.ZISO;
    r.fbPole = s.PF;
    r.fbZero = s.ZF;
    r.ngPole = s.PNG;
    r.ngZero = s.ZNG;
    if (!plot)
        return r;

    Curve closed;
    for (int i = 0; i < kPoints; ++i) {
        const double f = g.f[i];
        double c = -(std::atan(f / r.closureFrequency) + std::atan(f / p2.f) + std::atan(f / p3.f)) *
                   kDegPerRad;
        if (r.closureFrequency > pf.f)
            c -= std::atan(f / pf.f) * kDegPerRad;
        closed[i] = c;
    }
    addClosedLoopCopies(r, closed);
    r.gain = {{QStringLiteral("Open Loop Gain w/ C_LOAD"), toVector(open)},
              {QStringLiteral("1/Beta"), toVector(invBeta)},
              {QStringLiteral("Signal at C_LOAD"), toVector(signal)}};
    r.details = QStringList{QStringLiteral("Total Output Impedance:\t") + formatSI(s.Z, ohm()),
                 ratioLine("1/\u00DF (DC):\t\t", s.dcB),
                 ratioLine("1/\u00DF (AC):\t\t", s.acB),
                 ratioLine("Noise Gain:\t\t", s.NG),
                 hzLine("\nAmplifier Pole 1:\t\t", s.P1),
                 hzLine("Amplifier Pole 2:\t\t", s.P2),
                 hzLine("Amplifier Pole 3:\t\t", s.P3),
                 hzLine("\nPole Z_OUT C_LOAD:\t", s.PL),
                 hzLine("Zero R_ISO C_LOAD:\t", s.ZISO),
                 hzLine("Pole Noise Gain:\t\t", s.PNG),
                 hzLine("Zero Noise Gain:\t\t", s.ZNG),
                 hzLine("Pole C_FB R_FB:\t", s.PF),
                 hzLine("Zero C_FB R_FB:\t", s.ZF)};
    return r;
}

LoopResult plotCBodeDataComposite(const LoopInput &in, bool plot)
{
    const Grid &g = grid();
    const amp &a = in.amplifier;
    const StabComponents &c = in.parts;
    const double fP = plotCBodeData(in, false).closureFrequency;
    const CapStage s = capStage(in);
    LoopResult r;
    fillCommon(r, in);

    const Break h1(in.host.pole1), h2(in.host.pole2), h3(in.host.pole3);
    const double rinH = num(c.hostRin), rfbH = num(c.compRfb), cfbH = stabCapacitor(c.compCfb);
    double rngH = num(c.hostRng), cngH = stabCapacitor(c.hostCng);
    if (!in.inverting) {
        rngH = 0;
        cngH = 0;
    }
    const double dcB = rfbH / (rinH + kTiny) + 1;
    const bool ngActive = c.hostRng != kOpen && c.hostCng != kOpen && cngH != 0;
    const double acB = ngActive ? (rinH + rngH) * rfbH / (rngH * rinH + kTiny) + 1 : dcB;
    const double NG = over(acB, dcB);
    const double PF = 1 / (rfbH * kTwoPi * cfbH + kTiny);
    const double ZF = acB * PF;
    const double PNG = ngActive ? 1 / (rngH * kTwoPi * cngH + kTiny) : kNoBreak;
    const double ZNG = PNG / NG;

    const Break p1(s.P1), p2(s.P2), p3(s.P3), pl(s.PL), ziso(s.ZISO), pfp(s.PF), pf(PF), zf(ZF),
        png(PNG), zng(ZNG), fp(fP);
    const double powerLevel = dB(s.Rfb / (s.Rin + kTiny) + 1);
    const double dcLevel = dB(dcB);
    const double ngLevel = dB(NG);
    const double ngSpan = std::log(png.f / zng.f);
    Curve openP, betaP, open, invBeta, signal;
    for (int i = 0; i < kPoints; ++i) {
        const double f = g.f[i];
        openP[i] = a.Aol_DC - p1.slope(i) - p2.slope(i) - p3.slope(i) - pl.slope(i) + ziso.slope(i);
        betaP[i] = powerLevel - pfp.slope(i);
        const double hostOpen = in.host.aol - h1.slope(i) - h2.slope(i) - h3.slope(i);
        open[i] = hostOpen + std::min(openP[i], betaP[i]);
        double b = dcLevel - pf.slope(i);
        if (zng.f <= f && f <= png.f) {
            if (ngSpan != 0)
                b += std::log(f / zng.f) / ngSpan * ngLevel;
        } else if (f > png.f) {
            b += ngLevel;
        }
        invBeta[i] = b < 0 ? 0 : b;
        if (plot) {
            double sig = dcLevel - pf.slope(i);
            if (open[i] < sig)
                sig = open[i];
            signal[i] = sig - ziso.slope(i);
        }
    }

    const Pick cl = firstMinimum(a.Aol_DC, [&](int i) { return std::fabs(open[i] - invBeta[i]); });
    const Pick f20 =
        firstMinimum(a.Aol_DC, [&](int i) { return std::fabs(open[i] - invBeta[i] - 20); });
    r.closureIndex = cl.index;
    r.closureFrequency = cl.freq;
    r.twentyDbFrequency = f20.freq;
    r.rateOfClosure = rateOfClosure(open, invBeta, cl.index);

    const std::vector<PhaseTerm> terms = {
        {"Pole 1", h1, -1, true, true},
        {"Pole 2", h2, -1, true, true},
        {"Pole 3", h3, -1, true, true},
        {"Pole 2 (PWR)", p2, -1, true, true},
        {"Pole Fcl (PWR)", fp, -1, true, false},
        {"Pole Cf (PWR)", pfp, -1, s.PF < fP, false},
        {"Pole Noise Gain", png, +1, NG > 1, false},
        {"Zero Noise Gain", zng, -1, NG > 1, false},
        {"Pole C_FB", pf, +1, PF < r.closureFrequency, false},
        {"Zero C_FB", zf, -1, true, false}};
    r.phaseMargin = phaseMargin(terms, r.closureFrequency, plot, r);
    r.maxBandwidth = std::min({s.ZISO, PF, r.twentyDbFrequency});
    finishVerdict(r);

    r.outputImpedance = s.Z;
    r.invBetaDC = dcB;
    r.invBetaAC = acB;
    r.noiseGain = NG;
    r.pole1 = s.P1;
    r.pole2 = s.P2;
    r.pole3 = s.P3;
    r.loadPole = s.PL;
    r.isoZero = s.ZISO;
    r.fbPole = PF;
    r.fbZero = ZF;
    r.ngPole = PNG;
    r.ngZero = ZNG;
    r.powerFbPole = s.PF;
    r.powerClosure = fP;
    if (!plot)
        return r;

    Curve closed;
    for (int i = 0; i < kPoints; ++i) {
        const double f = g.f[i];
        double v = -(std::atan(f / fP) + std::atan(f / r.closureFrequency) + std::atan(f / h2.f) +
                     std::atan(f / h3.f)) *
                   kDegPerRad;
        if (pf.f < r.closureFrequency)
            v -= std::atan(f / pf.f) * kDegPerRad;
        if (openP[i] < invBeta[i])
            v -= std::atan(f / p2.f) * kDegPerRad;
        closed[i] = v;
    }
    addClosedLoopCopies(r, closed);
    r.gain = {{QStringLiteral("Composite Open Loop Gain"), toVector(open)},
              {QStringLiteral("1/Beta"), toVector(invBeta)},
              {QStringLiteral("Signal at C_LOAD"), toVector(signal)}};
    r.details = QStringList{QStringLiteral("Total Output Impedance:\t") + formatSI(s.Z, ohm()),
                 ratioLine("1/\u00DF (DC):\t\t", dcB),
                 ratioLine("1/\u00DF (AC):\t\t", acB),
                 ratioLine("Noise Gain:\t\t", NG),
                 hzLine("\nPower Amplifier Pole 1:\t", s.P1),
                 hzLine("Power Amplifier Pole 2:\t", s.P2),
                 hzLine("Power Amplifier Pole 3:\t", s.P3),
                 hzLine("Power Pole C_FB R_FB:\t", s.PF),
                 hzLine("Power Closure Frequency:\t", fP),
                 hzLine("\nPole Noise Gain:\t\t", PNG),
                 hzLine("Zero Noise Gain:\t\t", ZNG),
                 hzLine("Pole Composite C_FB R_FB:\t", PF),
                 hzLine("Zero Composite C_FB R_FB:\t", ZF)};
    return r;
}

LoopResult plotLBodeData(const LoopInput &in, bool plot)
{
    const amp &a = in.amplifier;
    const IndStage s = indStage(in);
    LoopResult r;
    fillCommon(r, in);

    const Break p1(s.P1), p2(s.P2), p3(s.P3), zrl(s.ZRL);
    Curve open;
    for (int i = 0; i < kPoints; ++i)
        open[i] = a.Aol_DC - p1.slope(i) - p2.slope(i) - p3.slope(i);
    const Paths paths = inductivePaths(s);
    Curve eff;
    inductiveSearches(open, paths, a.Aol_DC, eff, r);

    const std::vector<PhaseTerm> terms = {{"Pole 1", p1, -1, true, true},
                                          {"Pole 2", p2, -1, true, true},
                                          {"Pole 3", p3, -1, true, true},
                                          {"Zero R_LOAD / L_LOAD", zrl, -1, true, false},
                                          {"Zero Cross", Break(r.zeroCross), +1, true, false}};
    r.phaseMargin = phaseMargin(terms, r.closureFrequency, plot, r);
    finishVerdict(r);

    r.invBetaDC = s.dcB;
    r.invBetaAC = s.acB;
    r.pole1 = s.P1;
    r.pole2 = s.P2;
    r.pole3 = s.P3;
    r.loadZero = s.ZRL;
    r.dZero = s.ZD;
    r.senseResistance = s.Rs;
    if (!plot)
        return r;

    inductiveClosedLoop(r, zrl.f, r.zeroCross, r.closureFrequency, p2.f, p3.f, s.L, s.RL);
    inductiveGainSeries(r, "Open Loop Gain", open, paths, eff);
    r.details = QStringList{transconductanceLine(s.Rfb, s.Rin, s.RsTyped, s.gain1),
                 ratioLine("1/\u00DF (DC):\t\t", s.dcB),
                 ratioLine("1/\u00DF (AC):\t\t", s.acB),
                 hzLine("\nAmplifier Pole 1:\t\t", s.P1),
                 hzLine("Amplifier Pole 2:\t\t", s.P2),
                 hzLine("Amplifier Pole 3:\t\t", s.P3),
                 hzLine("\nZero R_LOAD L_LOAD:\t", s.ZRL),
                 hzLine("Zero C_FB R_D:\t\t", s.ZD),
                 hzLine("Zero Cross:\t\t", r.zeroCross)};
    return r;
}

LoopResult plotLBodeDataComposite(const LoopInput &in, bool plot)
{
    const amp &a = in.amplifier;
    const StabComponents &c = in.parts;
    const double fP = plotLBodeData(in, false).closureFrequency;
    const IndStage s = indStage(in);
    LoopResult r;
    fillCommon(r, in);

    const Break h1(in.host.pole1), h2(in.host.pole2), h3(in.host.pole3);
    const double rinH = num(c.hostRin), rfbH = num(c.compRfb), cfbH = stabCapacitor(c.compCfb);
    const double PF = 1 / (rfbH * kTwoPi * cfbH + kTiny);

    const Break p1(s.P1), p2(s.P2), p3(s.P3), zrl(s.ZRL), pf(PF), fp(fP);
    const double dcLevel = dB(s.dcB);
    Curve open;
    for (int i = 0; i < kPoints; ++i) {
        const double openP = a.Aol_DC - p1.slope(i) - p2.slope(i) - p3.slope(i);
        const double betaP = dcLevel - pf.slope(i);
        open[i] = std::min(openP, betaP) + in.host.aol - h1.slope(i) - h2.slope(i) - h3.slope(i);
    }
    const Paths paths = inductivePaths(s);
    Curve eff;
    inductiveSearches(open, paths, a.Aol_DC, eff, r);

    const std::vector<PhaseTerm> terms = {{"Pole 1", h1, -1, true, true},
                                          {"Pole 2", h2, -1, true, true},
                                          {"Pole 3", h3, -1, true, true},
                                          {"Pole Fcl (PWR)", fp, -1, true, false},
                                          {"Pole 2 (PWR)", p2, -1, true, false},
                                          {"Zero R_LOAD / L_LOAD", zrl, -1, true, false},
                                          {"Zero Cross", Break(r.zeroCross), +1, true, false}};
    r.phaseMargin = phaseMargin(terms, r.closureFrequency, plot, r);
    finishVerdict(r);

    r.invBetaDC = s.dcB;
    r.invBetaAC = s.acB;
    r.pole1 = s.P1;
    r.pole2 = s.P2;
    r.pole3 = s.P3;
    r.loadZero = s.ZRL;
    r.dZero = s.ZD;
    r.fbPole = PF;
    r.powerClosure = fP;
    r.senseResistance = s.Rs;
    if (!plot)
        return r;

    inductiveClosedLoop(r, zrl.f, r.zeroCross, r.closureFrequency, h2.f, h3.f, s.L, s.RL);
    inductiveGainSeries(r, "Composite Open Loop Gain", open, paths, eff);
    r.details = QStringList{transconductanceLine(rfbH, rinH, s.RsTyped, s.gain1),
                 ratioLine("1/\u00DF (DC):\t\t", s.dcB),
                 ratioLine("1/\u00DF (AC):\t\t", s.acB),
                 hzLine("\nPower Amplifier Pole 1:\t", s.P1),
                 hzLine("Power Amplifier Pole 2:\t", s.P2),
                 hzLine("Power Amplifier Pole 3:\t", s.P3),
                 hzLine("\nZero R_LOAD L_LOAD:\t", s.ZRL),
                 hzLine("Zero C_FB R_D:\t\t", s.ZD),
                 hzLine("Zero Power Fclosure:\t", fP),
                 hzLine("Pole C_FB R_FB (composite):\t", PF),
                 hzLine("Zero Cross:\t\t", r.zeroCross)};
    return r;
}

LoopResult evaluateLoop(const LoopInput &in, StabLoad load, bool composite, bool plot)
{
    if (load == StabLoad::Capacitive)
        return composite ? plotCBodeDataComposite(in, plot) : plotCBodeData(in, plot);
    return composite ? plotLBodeDataComposite(in, plot) : plotLBodeData(in, plot);
}
