// The step-2 notes and the suggested components of the four loop circuits.
#include <cmath>

#include "pages/pwm/controlmodel.h"
#include "values/sivalues.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kBiasLimit = 1e9; // a bias or pull resistor above this is left open
constexpr double kFactor = 1.1; // the difference amplifier's split of its resistance

comp cinv(const comp &z)
{
    return comp(1, 0) / z;
}

double inv(double r)
{
    return r == 0 ? kOpenValue : 1.0 / r;
}

// A computed value as a field shows it; what has no finite value is a word.
QString valueText(double x, int part)
{
    if (std::isnan(x))
        return QStringLiteral("0");
    if (std::isinf(x) || std::abs(x) >= kOpenValue)
        return isControlCapacitor(part) ? QStringLiteral("short") : QStringLiteral("open");
    return fieldSIText(x, QString());
}

QString pullText(double r, int part)
{
    return (r > kBiasLimit || !std::isfinite(r)) ? QStringLiteral("open") : valueText(r, part);
}

struct Request {
    double vinMid, ain, outMid, aout, fd;
};

// Input and output as midpoint and amplitude; the design frequency is fsw/10.
Request request(const ControlInput &in, double zeroAmplitude)
{
    Request r;
    r.vinMid = (in.vinMax + in.vinMin) / 2;
    r.ain = (in.vinMax - in.vinMin) / 2;
    if (r.ain == 0)
        r.ain = 0.001;
    r.outMid = (in.outMax + in.outMin) / 2;
    r.aout = (in.outMax - in.outMin) / 2;
    if (r.aout == 0)
        r.aout = zeroAmplitude;
    r.fd = in.fsw / 10;
    return r;
}

double capFor(double fd, double r)
{
    return 1 / (kTwoPi * fd * r);
}

void writeZeroFilter(ControlWrites &w)
{
    w.append({ Rnf, QStringLiteral("0") });
    w.append({ Cnf, QStringLiteral("0") });
    w.append({ Rint, QStringLiteral("0") });
}

// Bias into the summing node held at vref so that it receives the current i.
void biasFor(const comp &i, double vref, double vcc, double &vbias, double &rbias)
{
    vbias = vcc;
    rbias = (comp(vcc - vref, 0) / i).real();
    if (rbias < 0) {
        vbias = 0;
        rbias = (comp(-vref, 0) / i).real();
    }
}

// What the current circuits share after their difference amplifier is set:
// integrator capacitor, summing resistor, bias and the series R-C branch.
void currentLoop(const ControlInput &in, const ControlParts &parts, double previousPeak, double g,
    const comp &hda, const comp &vamp, ControlWrites &w, const ControlWrites &amplifierWrites)
{
    const Request r = request(in, 0.001);
    const PowerStage stage = powerStage(in, 2, 0);
    const FilterTransfer ft = Tfilter(in.network, in.fsig);
    const FilterGain fg = Gfilter(in.network);
    const double gdc = stageGainDC(stage, fg);
    const double rtot = fg.Rtot;
    const double rin = controlPartValue(parts, Rin), rs = controlPartValue(parts, Rs);
    const comp s(0, kTwoPi * in.fsig), s0(0, kTwoPi * 0.01);
    const comp vint = vamp / stageGain(stage, ft);
    const double cint = 1 / (kTwoPi * 0.4 * r.fd * (vint.magnitude() * rin / r.ain));
    const comp vfb = hda * (rs * r.aout);
    const double rf = (vfb / (vint * s * cint + r.ain / rin)).magnitude();
    const double M = stage.mid;
    const double vint0 = r.outMid * rtot / gdc + M;
    const double vfb0 = g * rs * r.outMid + M;
    const comp i = comp((M - r.vinMid) * inv(rin) + (M - vfb0) * inv(rf), 0) + s0 * (cint * (M - vint0));
    double vbias = 0, rbias = 0;
    biasFor(i, M, in.vcc, vbias, rbias);
    const QString rbiasText = pullText(rbias, Rbias);
    const double rbiasUsed = rbiasText == QLatin1String("open") ? kOpenValue : rbias;
    const comp zint0 = cinv(s0 * cint);
    const double rp3 = 1 / (inv(rin) + inv(rf) + inv(rbiasUsed));
    double rv
        = ((comp(1, 0) + comp(rp3, 0) / zint0) * (3.3 * gdc / 2) / (cinv(zint0) + rs * gdc * g / (rtot * rf)))
              .magnitude();
    double cv = 7 / (kTwoPi * previousPeak * rv);
    if (previousPeak == 1)
        rv = cv = 0;
    w.append({ Rbias, rbiasText });
    w.append({ Cint, valueText(cint, Cint) });
    w += amplifierWrites;
    w.append({ Rf, valueText(rf, Rf) });
    w.append({ Cv, valueText(cv, Cv) });
    w.append({ Rv, valueText(rv, Rv) });
    w.append({ Vbias, valueText(vbias, Vbias) });
    w.append({ Vref, valueText(M, Vref) });
}

} // namespace

ValidationResult SConValidate(const ControlInput &in)
{
    ValidationResult v;
    const pwm &a = in.amp;
    ResultNotes &n = v.notes;
    n.append(normalNote(QStringLiteral("Notes:")));
    v.vccFixed = a.Vcc_max == a.Vcc_min;
    v.fswFixed = a.Fsw_max == a.Fsw_min;
    v.vcc = v.vccFixed ? a.Vcc_nom : in.vcc;
    v.fsw = v.fswFixed ? a.Fsw_max * 1000 : in.fsw;
    if (v.fsw / 1000 + 0.001 < 50 * in.fsig / 1000)
        n.append(adviceNote(
            QStringLiteral("Warning: Switching Frequency should be at least 50 times Signal Frequency "
                           "for reasonable circuit suggestions.")));
    if (in.vs > a.Vs_max)
        n.append(warningNote(QStringLiteral("!!! Vs exceeds ABS MAX !!!")));
    else if (in.vs < a.Vs_min)
        n.append(warningNote(QStringLiteral("!!! Vs too low !!!")));
    if (!v.vccFixed) {
        if (in.vcc > a.Vcc_max)
            n.append(warningNote(QStringLiteral("!!! Vcc exceeds ABS MAX !!!")));
        else if (in.vcc < a.Vcc_min)
            n.append(warningNote(QStringLiteral("!!! Vcc too low !!!")));
    }
    if (!v.fswFixed) {
        if (in.fsw / 1000 > a.Fsw_max)
            n.append(warningNote(QStringLiteral("!!! Fsw exceeds ABS MAX !!!")));
        else if (in.fsw / 1000 < a.Fsw_min)
            n.append(warningNote(QStringLiteral("!!! Fsw too low !!!")));
    }
    if (in.outMin > in.outMax)
        n.append(warningNote(QStringLiteral("!!! Vout_Min must not exceed Vout_Max !!!")));
    const bool current = in.circuit == ControlCircuit::Current1 || in.circuit == ControlCircuit::Current2;
    const QString aboveVs = QStringLiteral("!!! Vout must not exceed Vs !!!");
    if (!current) {
        if (in.outMax > in.vs)
            n.append(warningNote(aboveVs));
        if (!in.fullBridge && in.outMin < 0)
            n.append(warningNote(QStringLiteral("!!! Vout cannot go negative in a half bridge !!!")));
        else if (in.fullBridge && in.outMin < -in.vs)
            n.append(warningNote(aboveVs));
        return v;
    }
    // A current needs the voltage that drives it through the network: out of
    // the amplifier (Current 1) or through the load (Current 2).
    const double imax = std::max(std::abs(in.outMax), std::abs(in.outMin));
    const FilterTransfer ft = Tfilter(in.network, in.fsig);
    const FilterGain fg = Gfilter(in.network);
    double vac = 0, vdc = 0;
    if (in.circuit == ControlCircuit::Current1) {
        vac = imax * ft.Ztot.magnitude();
        vdc = imax * fg.Rtot;
    } else {
        vac = imax * (ft.Zload / ft.Tfil).magnitude();
        vdc = fg.Gfil == 0 ? qInf() : imax * fg.Rload / fg.Gfil;
    }
    if (imax > 0 && (!(vac <= in.vs) || !(vdc <= in.vs)))
        n.append(warningNote(aboveVs));
    if (imax > a.I_pk)
        n.append(warningNote(QStringLiteral("!!! Iout exceeds ABS MAX !!!")));
    else if (imax > a.I_cont)
        n.append(adviceNote(
            QStringLiteral("Iout exceeds continuous rating. Unsafe for steady-state conditions.")));
    if (!in.fullBridge)
        n.append(adviceNote(QStringLiteral("Current Feedback Configurations are not recommended for Half "
                                           "Bridges. A Full Bridge will be assumed.")));
    return v;
}

ControlWrites suggestV1(const ControlInput &in, const ControlParts &parts)
{
    const Request r = request(in, 0.01);
    const PowerStage stage = in.fullBridge ? powerStage(in, 2, 0) : powerStage(in, -1, 1);
    const double M = stage.mid, vs = in.vs, vcc = in.vcc;
    const double g = in.fullBridge ? std::min((M - 1) / (vs - r.outMid), (vcc - 1 - M) / (r.outMid + vs))
                                   : std::min((1 - M) / (M - vs), (vcc - 1) / M - 1);
    const double rin = controlPartValue(parts, Rin), rdf = controlPartValue(parts, Rdf);
    const double rdin = rdf / (kFactor * g);
    const double rdif = rdf / g - rdin;
    const double cdif = capFor(r.fd, rdif), cdf = capFor(r.fd, rdf);
    const FilterTransfer ft = Tfilter(in.network, in.fsig);
    const comp hps = stageGain(stage, ft);
    const double K = (comp(r.aout, 0) / hps).magnitude() / r.ain;
    const double cint = 1 / (kTwoPi * r.fd * 0.4 * K * rin);
    const comp s(0, kTwoPi * in.fsig), s0(0, kTwoPi * 0.01);
    const comp vint = comp(r.aout, 0) / hps;
    const comp hda = cinv((s * (rdin * rdif * cdif) + (rdin + rdif)) * (s * cdf + inv(rdf)));
    const comp vfb = hda * r.aout;
    const double rf = (vfb / (vint * s * cint + r.ain / rin)).magnitude();
    const double gdc = stageGainDC(stage, Gfilter(in.network));
    const double vint0 = stage.Vm + r.outMid / gdc;
    const double vfb0 = in.fullBridge ? M + g * r.outMid : (1 + g) * M - g * r.outMid;
    const comp i = comp((M - r.vinMid) * inv(rin) + (M - vfb0) * inv(rf), 0) + s0 * (cint * (M - vint0));
    double vbias = 0, rbias = 0;
    biasFor(i, M, vcc, vbias, rbias);
    ControlWrites w;
    writeZeroFilter(w);
    w.append({ Cint, valueText(cint, Cint) });
    w.append({ Vref, valueText(M, Vref) });
    w.append({ Vbias, valueText(vbias, Vbias) });
    w.append({ Rbias, pullText(rbias, Rbias) });
    w.append({ Rf, valueText(rf, Rf) });
    w.append({ Cdf, valueText(cdf, Cdf) });
    w.append({ Rdin, valueText(rdin, Rdin) });
    w.append({ Rdif, valueText(rdif, Rdif) });
    w.append({ Cdif, valueText(cdif, Cdif) });
    return w;
}

ControlWrites suggestV2(const ControlInput &in, const ControlParts &parts)
{
    const Request r = request(in, 0.01);
    const PowerStage stage = in.fullBridge ? powerStage(in, 2, 0) : powerStage(in, 1, -1);
    const double vcc = in.vcc, rin = controlPartValue(parts, Rin);
    const FilterTransfer ft = Tfilter(in.network, in.fsig);
    const comp hps = stageGain(stage, ft);
    const double gdc = stageGainDC(stage, Gfilter(in.network));
    const double rfb = rin * r.aout / r.ain;
    const double rdin = rfb / kFactor, rdif = rfb - rfb / kFactor;
    const double cdif = capFor(r.fd, rdif);
    const double cint = 1 / (kTwoPi * 0.4 * r.fd * ((comp(r.aout, 0) / hps).magnitude() * rin / r.ain));
    double rbh = kOpenValue, rbl = kOpenValue, vref = 0;
    if (in.fullBridge) {
        const double rp = 1 / (inv(rin) + inv(rfb));
        const double v0 = (r.vinMid * inv(rin) + r.outMid * inv(rfb)) * rp;
        if (v0 < vcc / 3)
            rbh = (2 * vcc / 3) * rp / (vcc / 3 - v0);
        if (rbh > kBiasLimit)
            rbh = kOpenValue;
        const double rp2 = 1 / (inv(rfb) + inv(rin) + inv(rbh));
        const double v1
            = (in.vs * inv(rfb) + r.vinMid * inv(rin) + r.outMid * inv(rfb) + vcc * inv(rbh)) * rp2;
        if (v1 > 2 * vcc / 3)
            rbl = (2 * vcc / 3) * rp2 / (v1 - 2 * vcc / 3);
        if (rbl > kBiasLimit)
            rbl = kOpenValue;
        // The reference that puts the output midpoint at the input midpoint,
        // from the node balance with the pull resistors chosen: the inverting
        // gain -Rfb/Rin then spans the requested output range.
        vref = (r.vinMid * inv(rin) + r.outMid * inv(rfb) + vcc * inv(rbh))
            / (inv(rin) + inv(rfb) + inv(rbh) + inv(rbl));
    } else {
        vref = vcc / 2;
        const double vint = stage.Vm + r.outMid / gdc;
        const comp s0(0, kTwoPi * 0.01);
        const comp i = comp((vref - r.vinMid) * inv(rin) + (vref - r.outMid) * inv(rfb), 0)
            + s0 * (cint * (vref - vint));
        rbh = (comp(vcc - vref, 0) / i).real();
        if (rbh < 0) {
            rbh = kOpenValue;
            rbl = (comp(-vref, 0) / i).real();
        }
    }
    ControlWrites w;
    writeZeroFilter(w);
    w.append({ Rbh, pullText(rbh, Rbh) });
    w.append({ Rbl, pullText(rbl, Rbl) });
    w.append({ Cint, valueText(cint, Cint) });
    w.append({ Rdif, valueText(rdif, Rdif) });
    w.append({ Cdif, valueText(cdif, Cdif) });
    w.append({ Rdin, valueText(rdin, Rdin) });
    w.append({ Vbias, valueText(vcc, Vbias) });
    w.append({ Vref, valueText(vref, Vref) });
    return w;
}

ControlWrites suggestI1(const ControlInput &in, const ControlParts &parts, double previousPeak)
{
    const Request r = request(in, 0.001);
    const PowerStage stage = powerStage(in, 2, 0);
    const FilterGain fg = Gfilter(in.network);
    const double M = stage.mid, rs = controlPartValue(parts, Rs), rdf = controlPartValue(parts, Rdf);
    const double g = std::min(M - 1, in.vcc - 1 - M) / (in.vs * rs / fg.Rtot);
    const double cdf = capFor(r.fd, rdf);
    const double rdin = rdf / g / kFactor;
    const double rdif = rdf / g - rdin;
    const double cdif = capFor(r.fd, rdif);
    const comp s(0, kTwoPi * in.fsig);
    const comp hda = cinv((s * (rdin * rdif * cdif) + (rdin + rdif)) * (s * cdf + inv(rdf)));
    const comp vamp = Tfilter(in.network, in.fsig).Ztot * r.aout;
    const ControlWrites amplifier = { { Rdif, valueText(rdif, Rdif) }, { Cdif, valueText(cdif, Cdif) },
        { Rdin, valueText(rdin, Rdin) }, { Cdf, valueText(cdf, Cdf) } };
    ControlWrites w;
    writeZeroFilter(w);
    currentLoop(in, parts, previousPeak, g, hda, vamp, w, amplifier);
    return w;
}

ControlWrites suggestI2(const ControlInput &in, const ControlParts &parts, double previousPeak)
{
    const Request r = request(in, 0.001);
    const double rdf = controlPartValue(parts, Rdf), rdin = controlPartValue(parts, Rdin);
    const double rdif = 0.1 * rdin;
    const double cdif = capFor(r.fd, rdif);
    const comp s(0, kTwoPi * in.fsig);
    const comp hda = comp(rdf, 0) / (s * (rdin * rdif * cdif) + (rdin + rdif));
    const double g = rdf * inv(rdin + rdif);
    const FilterTransfer ft = Tfilter(in.network, in.fsig);
    const comp vamp = ft.Zload / ft.Tfil * r.aout;
    const ControlWrites amplifier
        = { { Rdif, valueText(rdif, Rdif) }, { Cdif, valueText(cdif, Cdif) }, { Rdin, parts[Rdin] } };
    ControlWrites w;
    writeZeroFilter(w);
    currentLoop(in, parts, previousPeak, g, hda, vamp, w, amplifier);
    return w;
}

ControlWrites suggestControl(const ControlInput &in, const ControlParts &parts, double previousPeak)
{
    switch (in.circuit) {
    case ControlCircuit::Voltage1:
        return suggestV1(in, parts);
    case ControlCircuit::Voltage2:
        return suggestV2(in, parts);
    case ControlCircuit::Current1:
        return suggestI1(in, parts, previousPeak);
    case ControlCircuit::Current2:
        return suggestI2(in, parts, previousPeak);
    }
    return {};
}
