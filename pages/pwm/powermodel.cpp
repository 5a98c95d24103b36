#include "pages/pwm/powermodel.h"

#include "values/sivalues.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kStep = 0.1; // degC per step of the junction-temperature loops
constexpr double kRunawayTj = 500;
// The loops stop here at the latest, whatever the inputs (10,000 degC of steps).
constexpr int kMaxSteps = 100000;

// a / b, with 0 for a zero numerator, so that nothing driven by nothing draws current.
double ratio(double a, double b)
{
    return a == 0 ? 0 : a / b;
}

char drive(int signalType)
{
    return signalType == 0 ? 'V' : signalType == 1 ? 'I' : 'N';
}

bool noHeatsink(double value)
{
    return value == kOpenValue || std::isinf(value);
}

// Switching plus saturation-voltage loss of one element, fsw in kHz.
double fixedLoss(const pwm &amp, double I, double Vs, double fswKHz, double Vsat)
{
    return (amp.t_rise + amp.t_fall) * I * Vs * 0.5 * fswKHz / 1e6 + Vsat * I;
}

} // namespace

double OperatingPoint::Irms() const
{
    return std::sqrt(Idc * Idc + Iac * Iac / 2);
}

double OperatingPoint::Vrms() const
{
    return std::sqrt(Vdc * Vdc + Vac * Vac / 2);
}

double OperatingPoint::VLrms() const
{
    return std::sqrt(VLdc * VLdc + VLac * VLac / 2);
}

double OperatingPoint::ILrms() const
{
    return std::sqrt(ILdc * ILdc + ILac * ILac / 2);
}

QuiescentPower PiqPWM(const PowerInput &in)
{
    const pwm &a = in.amp;
    const double fk = in.fsw / 1000;
    const double IqVs
        = std::max(0.0, a.Iq_Vs + (fk - a.Fsw_nom) * a.Iq_Vs_vsF + (in.Vs - a.Vs_nom) * a.Iq_Vs_vsS);
    const double IqVcc = std::max(0.0, a.Iq_Vcc + (fk - a.Fsw_nom) * a.Iq_Vcc_vsF);
    return { IqVs * in.Vs / 1000, IqVcc * a.Vcc_nom / 1000 };
}

double Iripple(const PowerInput &in)
{
    const double m = in.singleEnded ? 1 : 2;
    const NetworkAC ac = loadACVoltage(in.network, in.fsw, 0, 'V');
    return 0.8 * in.Vs * m * 0.5 / ac.Zout;
}

// The ripple follows from the network's transfer at fsw; the amplitude of
// the output cancels out, so it is evaluated for a unit drive (a zero or
// negative maximum output then gives the same ripple as any other).
double Vripple(const PowerInput &in)
{
    const double k = in.amp.outputs / 2;
    if (in.signalType == 0)
        return 1.25 * in.Vs * k * loadACVoltage(in.network, in.fsw, 1, 'V').Vload;
    if (in.signalType == 1) {
        const NetworkAC ac = loadACVoltage(in.network, in.fsw, 1, 'I');
        const double v = 1.25 * in.Vs * k * ac.Vload / ac.Zout;
        return std::isfinite(v) ? v : 0;
    }
    return 0;
}

OperatingPoint operatingPoint(const PowerInput &in, double f)
{
    OperatingPoint op;
    const char vi = drive(in.signalType);
    if (vi == 'N')
        return op;
    const double A = (in.outMax - in.outMin) / 2;
    const double M = (in.outMax + in.outMin) / 2;
    const NetworkDC dc = loadDCVoltage(in.network, M, vi);
    op.VLdc = dc.Vload;
    op.ILdc = ratio(dc.Vload, dc.Rload);
    if (vi == 'V') {
        op.Vdc = M;
        op.Idc = ratio(M, dc.Rtot);
        op.Vac = A;
    } else {
        op.Idc = M;
        op.Vdc = M == 0 ? 0 : dc.Rtot * M;
        op.Iac = A;
    }
    const NetworkAC ac = loadACVoltage(in.network, f, vi == 'V' ? op.Vac : op.Iac, vi);
    op.VLac = ac.Vload;
    op.Zin = ac.Zout;
    op.ZL = ac.Zload;
    op.phiL = ac.Aload;
    op.ILac = ratio(ac.Vload, ac.Zload);
    if (vi == 'V')
        op.Iac = ratio(op.Vac, ac.Zout);
    else
        op.Vac = op.Iac == 0 ? 0 : op.Iac * ac.Zout;
    return op;
}

// With no alternating current the element that conducts the direct current
// carries all of it and the other none.
ElementCurrents elementCurrents(double Idc, double Iac)
{
    ElementCurrents e;
    if (Iac == 0) {
        e.top = Idc > 0 ? Idc : 0;
        e.bottom = Idc < 0 ? -Idc : 0;
        return e;
    }
    auto share = [](double d) { return d > 1 ? std::sqrt(0.5) : d < 0 ? 0.0 : std::sqrt(d / 2); };
    e.top = share((Idc + Iac) / (2 * Iac)) * Iac;
    if (Idc > 0)
        e.top = std::sqrt(e.top * e.top + Idc * Idc);
    e.bottom = share((Iac - Idc) / (2 * Iac)) * Iac;
    if (Idc < 0)
        e.bottom = std::sqrt(e.bottom * e.bottom + Idc * Idc);
    return e;
}

double topResistance(const pwm &amp, double Tj)
{
    return amp.top_A * Tj * Tj + amp.top_B * Tj + amp.top_C;
}

double bottomResistance(const pwm &amp, double Tj)
{
    return amp.bot_A * Tj * Tj + amp.bot_B * Tj + amp.bot_C;
}

namespace {

struct ThermalPath {
    double Ta, Rjc, Rja, Rcs, Rsa;
    double Ptop0, Pbot0, n;
    double PVs, Piq, Pwire;
};

// Power of both element kinds at a junction temperature.
void elementPower(
    const pwm &amp, const ElementCurrents &e, const ThermalPath &t, double Tj, double &Ptop, double &Pbot)
{
    Ptop = (topResistance(amp, Tj) * e.top * e.top + t.Ptop0) * t.n;
    Pbot = (bottomResistance(amp, Tj) * e.bottom * e.bottom + t.Pbot0) * t.n;
}

// The hottest junction that keeps both the case and the junction within their
// limits, with the case temperature and the heatsink that it takes.
void designLimit(const pwm &amp, const ElementCurrents &e, const ThermalPath &t, PowerResult &r)
{
    for (int i = 0; i < kMaxSteps; ++i) {
        const double Tj = t.Ta + kStep * i;
        double Ptop, Pbot;
        elementPower(amp, e, t, Tj, Ptop, Pbot);
        const double Psw = Ptop + Pbot;
        const double Tc = Tj - (t.PVs + Psw) * t.Rjc;
        if (!(Tc <= amp.Tc_max) || !(Tj <= amp.Tj_max))
            break;
        const double P = Psw + t.Piq + t.Pwire;
        r.limitFound = true;
        r.TcSugg = Tc;
        // With nothing to dissipate no heatsink is needed at all.
        r.RsaMin = P > 0 ? (Tc - t.Ta) / P - t.Rcs : std::numeric_limits<double>::infinity();
    }
}

// The junction temperature at which the heatsink carries the heat away.
void operatingTemperature(const pwm &amp, const ElementCurrents &e, const ThermalPath &t, PowerResult &r)
{
    for (int i = 0; i < kMaxSteps; ++i) {
        const double Tj = t.Ta + kStep * i;
        elementPower(amp, e, t, Tj, r.Ptop, r.Pbot);
        r.Tj = Tj;
        r.Tc = Tj - (t.PVs + r.Ptop + r.Pbot) * t.Rjc;
        const double P = r.Pbot + r.Ptop + t.Piq + t.Pwire;
        if (P <= 0 || t.Rsa < (r.Tc - t.Ta) / P - t.Rcs || Tj > kRunawayTj)
            break;
    }
    r.runaway = r.Tj > kRunawayTj;
    r.Ptot = t.Piq + t.Pwire + r.Ptop + r.Pbot;
}

void outputRange(const PowerInput &in, PowerResult &r)
{
    const pwm &a = in.amp;
    const double drop = topResistance(a, r.Tj) * r.elements.top + a.top_V;
    const double lift = bottomResistance(a, r.Tj) * r.elements.bottom + a.bot_V;
    const double D = a.MaxDutyCycle;
    r.linearHigh = D * in.Vs - drop;
    r.saturationHigh = in.Vs - drop;
    if (in.singleEnded) {
        r.linearLow = (1 - D) * in.Vs + lift;
        r.saturationLow = lift;
    } else {
        r.linearLow = -in.Vs * D + lift;
        r.saturationLow = lift - in.Vs;
    }
}

void addWarnings(const PowerInput &in, PowerResult &r)
{
    const pwm &a = in.amp;
    const OperatingPoint &op = r.op;
    r.notes << normalNote(QStringLiteral("Notes:"));
    const double top = op.Vdc + op.Vac, bottom = op.Vdc - op.Vac;
    if (r.saturationHigh < top || bottom < r.saturationLow)
        r.notes << adviceNote(
            QStringLiteral("Clipping Likely. Based on saturation voltage of output elements. "
                           "Consider increasing headroom voltage between maximum output and supply."));
    else if (r.linearHigh < top || bottom < r.linearLow)
        r.notes << adviceNote(
            QStringLiteral("Duty Cycle in non-linear region. Consider increasing headroom voltage "
                           "between maximum output and supply."));
    const double Ipeak = std::abs(op.Idc) + op.Iac + r.Irip;
    if (Ipeak > a.I_pk)
        r.notes << warningNote(QStringLiteral("!!! Peak Current Specification Exceeded !!!"));
    else if (Ipeak > a.I_cont)
        r.notes << adviceNote(
            QStringLiteral("Continuous Current Specification Exceeded. Unsafe for Steady State Conditions."));
    auto check = [&r](bool broken, const char *text, NoteTone &tone) {
        tone = broken ? NoteTone::Warning : NoteTone::Normal;
        if (broken)
            r.notes << warningNote(QLatin1String(text));
    };
    check(r.RsaMin < 0, "!!! Heatsink Requirements Unreasonable !!!", r.minHeatsinkTone);
    check(r.Tc > a.Tc_max, "!!! Case Temperature too High !!!", r.tempCTone);
    check(r.Tj > a.Tj_max, "!!! Junction Temperature too High !!!", r.tempJTone);
    check(r.Ptot > a.Pd_max, "!!! Power Dissipation too High !!!", r.powerTone);
    if (in.outMax < in.outMin)
        r.notes << warningNote(QStringLiteral("!!! Minimum Output cannot exceed Maximum Output !!!"));
    r.tcMaxTone = in.Ta > r.TcSugg ? NoteTone::Warning : NoteTone::Normal;
}

} // namespace

PowerResult computePower(const PowerInput &in)
{
    PowerResult r;
    const pwm &a = in.amp;
    r.piq = PiqPWM(in);
    r.Irip = Iripple(in);
    r.Vrip = Vripple(in);
    r.op = operatingPoint(in, in.fsig);
    r.elements = elementCurrents(r.op.Idc, r.op.Iac);
    const double Irms = r.op.Irms();
    r.Pwire = (a.top_wire + a.bot_wire) * Irms * Irms;

    ThermalPath t;
    t.Ta = in.Ta;
    t.Rjc = a.Rtheta_DC;
    t.Rja = a.Rtheta_JA;
    t.Rcs = in.compound;
    t.Rsa = noHeatsink(in.heatsink) ? t.Rja - t.Rjc : in.heatsink;
    const double fk = in.fsw / 1000;
    t.Ptop0 = fixedLoss(a, r.elements.top, in.Vs, fk, a.top_V);
    t.Pbot0 = fixedLoss(a, r.elements.bottom, in.Vs, fk, a.bot_V);
    t.n = in.fullBridge ? 2 : 1;
    t.PVs = r.piq.PVs;
    t.Piq = r.piq.total();
    t.Pwire = r.Pwire;

    designLimit(a, r.elements, t, r);
    r.heatsinkNotNeeded = !(t.Rcs + r.RsaMin < t.Rja - t.Rjc);
    operatingTemperature(a, r.elements, t, r);
    outputRange(in, r);
    r.Pout = r.op.VLrms() * r.op.ILrms() * std::cos(r.op.phiL * M_PI / 180);
    addWarnings(in, r);
    return r;
}
