#include "pages/pwm/controlmodel.h"

#include <cmath>

#include "values/sivalues.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kGridPoints = 400;
constexpr double kGridStep = 1.035142166679344;

const char *const kPartKeys[kControlPartCount] = { "SConRint", "SConCint", "SConVref", "SConVbias",
    "SConRbias", "SConRin", "SConRf", "SConRnf", "SConCnf", "SConRdf", "SConCdf", "SConRdin", "SConRdif",
    "SConCdif", "SConRbh", "SConRbl", "SConRs", "SConRv", "SConCv" };
const char *const kPartDefaults[kControlPartCount] = { "1k", "4.7n", "2.5", "15", "83333", "10k", "14k", "0",
    "0", "6.2k", "1.2n", "90k", "9k", "1n", "open", "open", "0.2", "open", "open" };

// A conductance that stays finite: a 0 ohm part conducts like the open value.
double inv(double r)
{
    return r == 0 ? kOpenValue : 1.0 / r;
}

comp cinv(const comp &z)
{
    return comp(1, 0) / z;
}

// 1/(sC): a capacitor of 0 F is open, one of the open value is a short.
comp capImpedance(double w, double c)
{
    return cinv(comp(0, w * c));
}

struct Values {
    std::array<double, kControlPartCount> v;
    double operator[](int part) const { return v[part]; }
};

Values readValues(const ControlParts &parts)
{
    Values values;
    for (int i = 0; i < kControlPartCount; ++i)
        values.v[i] = controlPartValue(parts, i);
    return values;
}

// Summing-node conductance of the circuit's own branches besides Zint.
struct LoopPieces {
    comp Zint, Hnf, Hps, Hda, Zv;
};

LoopPieces loopPieces(
    const ControlInput &in, const Values &p, const PowerStage &stage, const FilterTransfer &filter, double f)
{
    const double w = kTwoPi * f;
    const comp s(0, w);
    LoopPieces k;
    k.Zint = capImpedance(w, p[Cint]) + p[Rint];
    k.Hnf = cinv(s * (p[Rnf] * p[Cnf]) + 1.0);
    k.Hps = stageGain(stage, filter);
    const comp Zda = s * (p[Rdin] * p[Rdif] * p[Cdif]) + (p[Rdin] + p[Rdif]);
    if (in.circuit == ControlCircuit::Current2) {
        k.Hda = comp(p[Rdf], 0) / Zda;
    } else {
        const comp Ydf = comp(0, w * p[Cdf]) + inv(p[Rdf]);
        k.Hda = cinv(Zda * Ydf);
    }
    k.Zv = capImpedance(w, p[Cv]) + p[Rv];
    return k;
}

// Current into the summing node per volt of integrator output with the node
// held at 0 V: what the integrator must balance against the input current.
comp nodeAdmittance(
    const ControlInput &in, const Values &p, const LoopPieces &k, const FilterTransfer &filter, double f)
{
    const comp drive = k.Hnf * k.Hps; // filter-input volts per integrator volt
    switch (in.circuit) {
    case ControlCircuit::Voltage1:
        return drive * k.Hda / p[Rf] + cinv(k.Zint);
    case ControlCircuit::Voltage2: {
        const comp Zx = cinv(comp(0, kTwoPi * f * p[Cdif]) + (inv(p[Rdif]) + inv(p[Rdin])));
        return cinv(k.Zint) + Zx * drive * (inv(p[Rdif]) * inv(p[Rdin]));
    }
    case ControlCircuit::Current1:
        return (k.Hda * (p[Rs] / p[Rf]) / filter.Ztot + filter.Tfil / (k.Zv * 2.0)) * drive + cinv(k.Zint);
    case ControlCircuit::Current2: {
        const comp Hv = drive * filter.Tfil;
        return Hv * (comp(p[Rs], 0) / filter.Zload) * k.Hda / p[Rf] + Hv / (k.Zv * 2.0) + cinv(k.Zint);
    }
    }
    return comp();
}

PowerStage rangeStage(const ControlInput &in)
{
    switch (in.circuit) {
    case ControlCircuit::Voltage1:
        return in.fullBridge ? powerStage(in, 2, 0) : powerStage(in, -1, 1);
    case ControlCircuit::Voltage2:
        return in.fullBridge ? powerStage(in, 2, 0) : powerStage(in, 1, -1);
    default:
        return powerStage(in, 2, 0);
    }
}

// The loop's DC state for one input voltage, with the summing node held at Vref.
struct DcState {
    bool valid = false;
    double vint = 0, vout = 0, vfb = 0, iout = 0, vload = 0, iload = 0;
};

DcState dcState(
    const ControlInput &in, const Values &p, const PowerStage &stage, const FilterGain &g, double vin)
{
    const double gdc = stageGainDC(stage, g);
    const double yint = p[Cint] >= kOpenValue ? inv(p[Rint]) : 0;
    const double yv = p[Cv] >= kOpenValue ? inv(p[Rv]) : 0;
    const double cdf = p[Cdf] >= kOpenValue ? kOpenValue : 0;
    const double g0 = in.circuit == ControlCircuit::Current2 ? p[Rdf] * inv(p[Rdin] + p[Rdif])
                                                             : inv((p[Rdin] + p[Rdif]) * (inv(p[Rdf]) + cdf));
    const double vref = p[Vref];
    auto solve = [&](double vint) {
        DcState st;
        st.vint = vint;
        st.vout = gdc * (vint - stage.Vm);
        st.iout = std::isinf(g.Rtot) ? 0 : st.vout * inv(g.Rtot);
        st.vload = g.Gfil * st.vout;
        st.iload = std::isinf(g.Rload) ? 0 : st.vload * inv(g.Rload);
        double i = (vin - vref) * inv(p[Rin]) + (vint - vref) * yint;
        switch (in.circuit) {
        case ControlCircuit::Voltage1:
            st.vfb = in.fullBridge ? stage.mid + g0 * st.vout : (1 + g0) * stage.mid - g0 * st.vout;
            i += (p[Vbias] - vref) * inv(p[Rbias]) + (st.vfb - vref) * inv(p[Rf]);
            break;
        case ControlCircuit::Voltage2: {
            const double gx = inv(p[Rdif]) + inv(p[Rdin]) + (p[Cdif] >= kOpenValue ? kOpenValue : 0);
            st.vfb = (st.vout * inv(p[Rdif]) + vref * inv(p[Rdin])) / gx;
            i += (p[Vbias] - vref) * inv(p[Rbh]) - vref * inv(p[Rbl]) + (st.vfb - vref) * inv(p[Rdin]);
            break;
        }
        case ControlCircuit::Current1:
        case ControlCircuit::Current2: {
            const double sensed = in.circuit == ControlCircuit::Current1 ? st.iout : st.iload;
            st.vfb = stage.mid + g0 * p[Rs] * sensed;
            i += (p[Vbias] - vref) * inv(p[Rbias]) + (st.vfb - vref) * inv(p[Rf])
                + (st.vload / 2 - vref) * yv;
            break;
        }
        }
        return qMakePair(st, i);
    };
    const auto at0 = solve(0);
    const auto at1 = solve(1);
    const double slope = at1.second - at0.second;
    if (slope == 0 || !std::isfinite(slope) || !std::isfinite(at0.second))
        return DcState();
    DcState st = solve(-at0.second / slope).first;
    st.valid = std::isfinite(st.vint) && std::isfinite(st.vout) && std::isfinite(st.vfb);
    return st;
}

void setRange(OperatingRange &r, double center, double amplitude, double dcA, double dcB)
{
    r.acLow = center - amplitude;
    r.acHigh = center + amplitude;
    r.dcLow = std::min(dcA, dcB);
    r.dcHigh = std::max(dcA, dcB);
    r.valid = std::isfinite(r.acLow) && std::isfinite(r.acHigh) && std::isfinite(r.dcLow)
        && std::isfinite(r.dcHigh);
}

void fillRanges(const ControlInput &in, const Values &p, ControlResult &res)
{
    const PowerStage stage = rangeStage(in);
    const FilterGain g = Gfilter(in.network);
    const double vinMid = (in.vinMax + in.vinMin) / 2;
    const double ain = std::abs(in.vinMax - in.vinMin) / 2;
    const DcState lo = dcState(in, p, stage, g, in.vinMin);
    const DcState hi = dcState(in, p, stage, g, in.vinMax);
    const DcState mid = dcState(in, p, stage, g, vinMid);

    // Amplitudes at fsig per volt of input: the sweep's stage has the same magnitude.
    const PowerStage ac = powerStage(in, controlBridgeN(in), stage.n == -1 ? 1 : 0);
    const FilterTransfer ft = Tfilter(in.network, in.fsig);
    const LoopPieces k = loopPieces(in, p, ac, ft, in.fsig);
    const comp vint = comp(-inv(p[Rin]), 0) / nodeAdmittance(in, p, k, ft, in.fsig) * ain;
    const comp vout = k.Hnf * k.Hps * vint;
    const comp iout = vout / ft.Ztot;
    const comp vload = vout * ft.Tfil;
    const comp iload = vload / ft.Zload;
    comp vfb = k.Hda * vout;
    if (in.circuit == ControlCircuit::Current1)
        vfb = k.Hda * iout * p[Rs];
    else if (in.circuit == ControlCircuit::Current2)
        vfb = k.Hda * iload * p[Rs];

    const bool current = in.circuit == ControlCircuit::Current1 || in.circuit == ControlCircuit::Current2;
    auto add = [&](int slot, const char *label, double c, double a, double dlo, double dhi, bool amps) {
        OperatingRange &r = res.ranges[slot];
        r.label = QString::fromUtf8(label);
        r.current = amps;
        setRange(r, c, a, dlo, dhi);
        r.valid = r.valid && lo.valid && hi.valid && mid.valid;
    };
    add(IntegratorOut, "Integrator Output:", mid.vint, vint.magnitude(), lo.vint, hi.vint, false);
    add(PwmOut, "PWM Output (Vs * Duty Cycle):", mid.vout, vout.magnitude(), lo.vout, hi.vout, false);
    if (in.circuit == ControlCircuit::Voltage2)
        add(CmInput, "Integrator CM Input:", p[Vref], 0, p[Vref], p[Vref], false);
    else
        add(DiffAmpOut, "Diff Amp Output: ", mid.vfb, vfb.magnitude(), lo.vfb, hi.vfb, false);
    if (in.circuit == ControlCircuit::Current1)
        add(AmpCurrent, "PWM Output Current (w/o ripple):", mid.iout, iout.magnitude(), lo.iout, hi.iout,
            true);
    if (in.circuit == ControlCircuit::Current2) {
        add(LoadCurrent, "I through Load:", mid.iload, iload.magnitude(), lo.iload, hi.iload, true);
        add(LoadVoltage, "V at Load:", mid.vload, vload.magnitude(), lo.vload, hi.vload, false);
    }
    OperatingRange &pwmOut = res.ranges[PwmOut];
    const double floor = (in.fullBridge || current) ? -in.vs : 0;
    pwmOut.outOfRange = pwmOut.valid
        && (std::min(pwmOut.acLow, pwmOut.dcLow) < floor || std::max(pwmOut.acHigh, pwmOut.dcHigh) > in.vs);
}

} // namespace

QString controlPartKey(int part)
{
    return part >= 0 && part < kControlPartCount ? QLatin1String(kPartKeys[part]) : QString();
}

bool isControlCapacitor(int part)
{
    return part == Cint || part == Cnf || part == Cdf || part == Cdif || part == Cv;
}

QString controlPartUnit(int part)
{
    if (isControlCapacitor(part))
        return QStringLiteral("F");
    if (part == Vref || part == Vbias)
        return QStringLiteral("V");
    return QStringLiteral("\u03A9");
}

double controlPartValue(const ControlParts &parts, int part)
{
    const QString &text = parts[part];
    if (isControlCapacitor(part)) {
        const QString t = text.trimmed();
        if (t == QLatin1String("open") || t == QLatin1String("none"))
            return 0;
        if (t == QLatin1String("short") || t == QLatin1String("inf") || t == QLatin1String("Inf"))
            return kOpenValue;
    }
    const double v = string2Number(text);
    return std::isfinite(v) ? v : 0;
}

ControlParts defaultControlParts()
{
    ControlParts parts;
    for (int i = 0; i < kControlPartCount; ++i)
        parts[i] = QLatin1String(kPartDefaults[i]);
    return parts;
}

QVector<int> userFixedParts(ControlCircuit circuit)
{
    switch (circuit) {
    case ControlCircuit::Voltage1:
        return { Rin, Rdf };
    case ControlCircuit::Voltage2:
        return { Rin };
    case ControlCircuit::Current1:
        return { Rin, Rdf, Rs };
    case ControlCircuit::Current2:
        return { Rin, Rdf, Rdin, Rs };
    }
    return {};
}

QVector<int> circuitParts(ControlCircuit circuit)
{
    switch (circuit) {
    case ControlCircuit::Voltage1:
        return { Rint, Cint, Vref, Vbias, Rbias, Rin, Rf, Rnf, Cnf, Rdf, Cdf, Rdin, Rdif, Cdif };
    case ControlCircuit::Voltage2:
        return { Rint, Cint, Vref, Vbias, Rin, Rnf, Cnf, Rdin, Rdif, Cdif, Rbh, Rbl };
    case ControlCircuit::Current1:
        return { Rint, Cint, Vref, Vbias, Rbias, Rin, Rf, Rnf, Cnf, Rdf, Cdf, Rdin, Rdif, Cdif, Rs, Rv, Cv };
    case ControlCircuit::Current2:
        return { Rint, Cint, Vref, Vbias, Rbias, Rin, Rf, Rnf, Cnf, Rdf, Rdin, Rdif, Cdif, Rs, Rv, Cv };
    }
    return {};
}

PowerPageState defaultPowerState()
{
    PowerPageState state;
    resetNetworkElements(state.network);
    state.network.order = 2;
    state.network.filter[0].L = QStringLiteral("33u");
    state.network.filter[1].C = QStringLiteral("1u");
    state.network.load[4].R = QStringLiteral("8");
    state.fullBridge = true;
    state.amplifier = QStringLiteral("TZ636");
    state.Vs = QStringLiteral("48");
    state.Fsw = QStringLiteral("20k");
    state.Fsig = QStringLiteral("2k");
    state.Vout = QStringLiteral("40");
    state.VoutMin = QStringLiteral("-40");
    return state;
}

PowerStage powerStage(const ControlInput &in, int n, int rampShift)
{
    PowerStage st;
    st.n = n;
    const bool vccDep = in.amp.Ramp == QLatin1String("VccDep");
    st.Vramp = vccDep ? (in.amp.Ramp_Vpp != 0 ? in.vcc / in.amp.Ramp_Vpp : 0) : in.amp.Ramp_Vpp;
    st.mid = vccDep ? (in.amp.Ramp_Mid != 0 ? in.vcc / in.amp.Ramp_Mid : 0) : in.amp.Ramp_Mid;
    st.Km = st.Vramp != 0 ? n * in.vs / st.Vramp : 0;
    const double rTop = in.amp.top_A * 625 + in.amp.top_B * 25 + in.amp.top_C;
    const double rBot = in.amp.bot_A * 625 + in.amp.bot_B * 25 + in.amp.bot_C;
    st.Rout = rTop + rBot + in.amp.top_wire + std::abs(n) * in.amp.bot_wire / 2;
    st.Vm = st.mid + rampShift * st.Vramp / 2;
    return st;
}

comp stageGain(const PowerStage &stage, const FilterTransfer &filter)
{
    // An open network draws no current: the whole modulator voltage reaches it.
    if (!std::isfinite(filter.Ztot.real()) || !std::isfinite(filter.Ztot.imag()))
        return comp(stage.Km, 0);
    return filter.Ztot / (filter.Ztot + stage.Rout) * stage.Km;
}

double stageGainDC(const PowerStage &stage, const FilterGain &filter)
{
    if (!std::isfinite(filter.Rtot))
        return stage.Km;
    const double sum = filter.Rtot + stage.Rout;
    return sum == 0 ? 0 : filter.Rtot / sum * stage.Km;
}

int controlBridgeN(const ControlInput &in)
{
    if (in.circuit == ControlCircuit::Current1 || in.circuit == ControlCircuit::Current2)
        return 2;
    return in.fullBridge ? 2 : 1;
}

namespace {

comp loopReturnOf(
    const ControlInput &in, const Values &p, const PowerStage &stage, const FilterTransfer &filter, double f)
{
    const LoopPieces k = loopPieces(in, p, stage, filter, f);
    const comp yint = cinv(k.Zint);
    if (in.circuit == ControlCircuit::Voltage2) {
        const comp Zx = cinv(comp(0, kTwoPi * f * p[Cdif]) + (inv(p[Rdif]) + inv(p[Rdin])));
        const comp Zp = cinv(yint + (inv(p[Rdin]) + inv(p[Rin]) + inv(p[Rbh]) + inv(p[Rbl])));
        const double rdin = p[Rdin], rdif = p[Rdif];
        const comp num = k.Hnf * k.Hps * k.Zint * Zx * Zp * rdin + Zp * (rdin * rdin * rdif);
        const comp den = k.Zint * (rdin * rdin * rdif) - k.Zint * Zx * Zp * rdif;
        return num / den;
    }
    comp y = yint + (inv(p[Rin]) + inv(p[Rf]) + inv(p[Rbias]));
    if (in.circuit != ControlCircuit::Voltage1)
        y = y + cinv(k.Zv);
    return nodeAdmittance(in, p, k, filter, f) * cinv(y);
}

} // namespace

comp loopReturn(const ControlInput &in, const ControlParts &parts, const PowerStage &stage,
    const FilterTransfer &filter, double f)
{
    return loopReturnOf(in, readValues(parts), stage, filter, f);
}

double phaseFromPeaking(double P)
{
    return 50 - 5.63 * P + 0.223 * P * P - 0.00305 * P * P * P;
}

ControlResult calcControl(const ControlInput &in, const ControlParts &parts)
{
    ControlResult res;
    const Values p = readValues(parts);
    const PowerStage stage = powerStage(in, controlBridgeN(in), 0);
    res.freq.reserve(kGridPoints + 1);
    res.gainDb.reserve(kGridPoints + 1);
    double f = 1;
    for (int i = 0; i <= kGridPoints; ++i) {
        const double fi = i < kGridPoints ? f : in.fsig;
        const comp T = loopReturnOf(in, p, stage, Tfilter(in.network, fi), fi);
        const double mag = T.magnitude();
        res.freq.append(fi);
        res.gainDb.append(mag > 0 && std::isfinite(mag) ? -20 * std::log10(mag) : qQNaN());
        f *= kGridStep;
    }
    int best = -1;
    for (int i = 0; i < res.gainDb.size(); ++i)
        if (std::isfinite(res.gainDb[i]) && (best < 0 || res.gainDb[i] > res.gainDb[best]))
            best = i;
    res.valid = best >= 0 && std::isfinite(res.gainDb[0]);
    if (res.valid) {
        const double largest = res.gainDb[best];
        res.peaking = res.gainDb[0] > 0 ? largest - res.gainDb[0] : std::abs(largest);
        res.phase = phaseFromPeaking(res.peaking);
        res.peakFreq = res.freq[best];
    }
    fillRanges(in, p, res);
    return res;
}

QString rangeText(const OperatingRange &r)
{
    const QString unit = r.current ? QStringLiteral(" A") : QStringLiteral(" V");
    if (!r.valid)
        return r.label + QLatin1Char('\n') + noValueText();
    return r.label + QLatin1Char('\n') + general3(r.acLow) + QStringLiteral(" to ") + general3(r.acHigh)
        + unit + QStringLiteral(" @ f_sig\n") + general3(r.dcLow) + QStringLiteral(" to ")
        + general3(r.dcHigh) + unit + QStringLiteral(" @ DC");
}

void applyWrites(ControlParts &parts, const ControlWrites &writes)
{
    for (const auto &w : writes)
        parts[w.first] = w.second;
}
