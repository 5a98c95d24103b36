#include "pages/pwm/powersweep.h"

#include "values/sivalues.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPoints = 100;
constexpr double kTwoPi = 6.283185307179586;

void addPoint(SweepCurve &curve, double f, double y)
{
    if (std::isfinite(f) && std::isfinite(y)) {
        curve.f << f;
        curve.y << y;
    }
}

QVector<double> linearFrequencies(const PowerInput &in)
{
    const SweepRange r = linearSweepRange(in);
    QVector<double> f;
    f.reserve(kPoints + 2);
    for (int i = 0; i < kPoints; ++i)
        f << r.low + i * (r.high - r.low) / kPoints;
    return f;
}

PowerSweep linearChart(const PowerInput &in, const QString &yLabel)
{
    PowerSweep s;
    const SweepRange r = linearSweepRange(in);
    s.xLabel = QStringLiteral("Frequency [Hz]");
    s.yLabel = yLabel;
    s.xLow = r.low;
    s.xHigh = r.high;
    return s;
}

// True power in the matching branch's resistor for a load voltage VLrms.
double matchingLoss(const networkElement &mn, double f, double VLrms)
{
    const double R = string2Number(mn.R);
    const double L = string2Number(mn.L);
    double C = string2Number(mn.C);
    if (mn.C == QLatin1String("short"))
        C = kOpenValue;
    else if (mn.C == QLatin1String("open"))
        C = 0;
    const double w = kTwoPi * f;
    const double X = w * L - 1 / (w * C);
    const double z2 = R * R + X * X;
    const double P = VLrms * VLrms * R / z2;
    return std::isfinite(P) ? P : 0;
}

// Amplifier power with both junctions at 25 degC.
double amplifierPower(const PowerInput &in, const OperatingPoint &op, double f, double Piq)
{
    const pwm &a = in.amp;
    ElementCurrents e = elementCurrents(op.Idc, op.Iac);
    if (f < 60) {
        e.top *= std::sqrt(2.0);
        e.bottom *= std::sqrt(2.0);
    }
    const double sw = in.Vs * 0.5 * in.fsw * (a.t_rise + a.t_fall) / 1e9;
    const double Ptop = a.top_V * e.top + topResistance(a, 25) * e.top * e.top + e.top * sw;
    const double Pbot = a.bot_V * e.bottom + bottomResistance(a, 25) * e.bottom * e.bottom + e.bottom * sw;
    const double Irms = op.Irms();
    double P = Irms * Irms * (a.top_wire + a.bot_wire) + Piq + Ptop + Pbot;
    if (in.fullBridge)
        P += Ptop + Pbot;
    return P;
}

} // namespace

// A negative frequency means nothing here: such a bound reads as 0 Hz.
SweepRange linearSweepRange(const PowerInput &in)
{
    return { in.FminAuto ? 0 : qMax(0.0, in.Fmin),
        in.FmaxAuto ? 3 * qMax(0.0, in.fsig) : qMax(0.0, in.Fmax) };
}

// A logarithmic range needs a positive start and an end above it; a range
// that has neither gets three decades from its start.
SweepRange attenuationSweepRange(const PowerInput &in)
{
    SweepRange r;
    r.low = (in.FminAuto || !(in.Fmin > 0)) ? 1 : in.Fmin;
    r.high = in.FmaxAuto ? std::pow(10, 2 * std::log10(in.fsig)) : in.Fmax;
    if (!(r.high > r.low) || !std::isfinite(r.high))
        r.high = r.low * 1000;
    return r;
}

PowerSweep ImpedanceVsFreq(const PowerInput &in, bool phase)
{
    PowerSweep s = linearChart(
        in, phase ? QStringLiteral("V-I Phase Shift [\u00b0]") : QStringLiteral("Impedance [\u03a9]"));
    SweepCurve total { QStringLiteral("Load and Filter"), {}, {} };
    SweepCurve load { QStringLiteral("Load Only"), {}, {} };
    double largest = 0;
    for (double f : linearFrequencies(in)) {
        const NetworkAC ac = loadACVoltage(in.network, f, 0, 'V');
        addPoint(total, f, phase ? ac.Aout : ac.Zout);
        addPoint(load, f, phase ? ac.Aload : ac.Zload);
        largest = std::max({ largest, ac.Zout, ac.Zload });
    }
    if (phase) {
        s.yLow = -90;
        s.yHigh = 90;
    } else {
        s.yLow = 0;
        s.yHigh = largest > 0 ? std::min(largest, 100.0) : 1;
    }
    s.curves = { total, load };
    return s;
}

PowerSweep AttnVsFreq(const PowerInput &in, bool percent)
{
    PowerSweep s;
    const SweepRange r = attenuationSweepRange(in);
    s.xLabel = QStringLiteral("Frequency [Hz]");
    s.yLabel = percent ? QStringLiteral("Filter Attenuation [%]") : QStringLiteral("Filter Attenuation [dB]");
    s.xLow = r.low;
    s.xHigh = r.high;
    s.logX = true;
    s.rescaleY = true;
    SweepCurve curve { QStringLiteral("Filter Attenuation"), {}, {} };
    const double step = std::pow(r.high / r.low, 1.0 / kPoints);
    double f = r.low;
    for (int i = 0; i < kPoints; ++i, f *= step) {
        const double Vload = loadACVoltage(in.network, f, 100, 'V').Vload;
        addPoint(curve, f, percent ? (1 - Vload / 100) * 100 : 20 * std::log10(Vload / 100));
    }
    s.curves = { curve };
    return s;
}

OutputSweep OutVsFreq(const PowerInput &in)
{
    OutputSweep out;
    out.current = linearChart(in, QStringLiteral("Current [A rms]"));
    out.voltage = linearChart(in, QStringLiteral("Voltage [V rms]"));
    out.power = linearChart(in, QStringLiteral("Power [W (or VA) rms]"));
    out.efficiency = linearChart(in, QStringLiteral("Overall Efficency [%]"));
    out.current.rescaleY = out.voltage.rescaleY = out.power.rescaleY = true;
    out.efficiency.yHigh = 100;
    auto curve = [](const char *name) { return SweepCurve { QString::fromUtf8(name), {}, {} }; };
    out.current.curves = { curve("Out of Amplifier"), curve("Into Load") };
    out.voltage.curves = { curve("At Amplifier Output"), curve("At Load") };
    out.power.curves = { curve("True Power Loss in Filter"), curve("Apparent Power in Load"),
        curve("True Power in Load"), curve("True Power in R_MATCH"),
        curve("Internal Amplifier Power\n(Assuming 25\u00b0C junctions)") };
    out.efficiency.curves = { curve("Apparent Load Power \nover Total True Power"),
        curve("True Load Power \nover Total True Power") };

    const double Piq = PiqPWM(in).total();
    QVector<double> freqs = linearFrequencies(in);
    freqs << 59.9 << 60.1;
    double hottest = -1;
    for (double f : freqs) {
        const OperatingPoint op = operatingPoint(in, f);
        const double Vrms = op.Vrms(), VLrms = op.VLrms(), ILrms = op.ILrms();
        const double S = ILrms * VLrms;
        const double P = S * std::cos(op.phiL * M_PI / 180);
        const double Pmn = matchingLoss(in.network.matching, f, VLrms);
        const double Pfilter = FilterPower(in.network, f, Vrms);
        const double Pamp = amplifierPower(in, op, f, Piq);
        const double total = Pamp + Pfilter + Pmn + P;
        addPoint(out.current.curves[0], f, op.Irms());
        addPoint(out.current.curves[1], f, ILrms);
        addPoint(out.voltage.curves[0], f, Vrms);
        addPoint(out.voltage.curves[1], f, VLrms);
        addPoint(out.power.curves[0], f, Pfilter);
        addPoint(out.power.curves[1], f, S);
        addPoint(out.power.curves[2], f, P);
        addPoint(out.power.curves[3], f, Pmn);
        addPoint(out.power.curves[4], f, Pamp);
        addPoint(out.efficiency.curves[0], f, S * 100 / total);
        addPoint(out.efficiency.curves[1], f, P * 100 / total);
        if (Pamp > hottest) {
            hottest = Pamp;
            out.Fhotspot = f;
        }
    }
    return out;
}

SweepChart powerSweep(const PowerInput &in, SweepView view)
{
    SweepChart chart;
    OutputSweep out = OutVsFreq(in);
    chart.Fhotspot = out.Fhotspot;
    switch (view) {
    case SweepView::Impedance:
        chart.sweep = ImpedanceVsFreq(in, false);
        break;
    case SweepView::PhaseShift:
        chart.sweep = ImpedanceVsFreq(in, true);
        break;
    case SweepView::Current:
        chart.sweep = out.current;
        break;
    case SweepView::Voltage:
        chart.sweep = out.voltage;
        break;
    case SweepView::Power:
        chart.sweep = out.power;
        break;
    case SweepView::Efficiency:
        chart.sweep = out.efficiency;
        break;
    case SweepView::AttenuationDb:
        chart.sweep = AttnVsFreq(in, false);
        break;
    case SweepView::AttenuationPercent:
        chart.sweep = AttnVsFreq(in, true);
        break;
    }
    return chart;
}
