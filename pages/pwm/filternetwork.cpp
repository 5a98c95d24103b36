#include "pages/pwm/filternetwork.h"

#include "values/sivalues.h"

#include <cmath>
#include <complex>
#include <initializer_list>
#include <limits>

namespace {

using cplx = std::complex<double>;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kTwoPi = 6.283185307179586;
constexpr double kDegPerRad = 57.29577951308232;

// An impedance that may be an open circuit.
struct Imp {
    cplx z;
    bool open = false;
};

Imp openImp()
{
    return { cplx(), true };
}

Imp scaled(Imp a, int factor)
{
    if (!a.open)
        a.z *= double(factor);
    return a;
}

Imp series(const Imp &a, const Imp &b)
{
    if (a.open || b.open)
        return openImp();
    return { a.z + b.z, false };
}

// A shorted branch shorts the node; a node whose admittances add up to
// exactly zero is open.
Imp parallel(std::initializer_list<Imp> branches)
{
    cplx y;
    for (const Imp &b : branches) {
        if (b.open)
            continue;
        if (b.z == cplx())
            return { cplx(), false };
        y += 1.0 / b.z;
    }
    if (y == cplx())
        return openImp();
    return { 1.0 / y, false };
}

bool isOpen(double value)
{
    return value == kOpenValue;
}

// A capacitance as the admittance factor w*C: infinite for a shorted (or
// infinitely large) capacitor, 0 for an open one or one of no value.
double omegaC(const QString &text, double w)
{
    if (text == QLatin1String("short"))
        return kInf;
    if (text == QLatin1String("open") || text == QLatin1String("none"))
        return 0;
    const double c = string2Number(text);
    if (isOpen(c))
        return kInf;
    return w * c;
}

// R + jwL + 1/(jwC) in series.
Imp seriesBranch(const networkElement &e, double w)
{
    const double r = string2Number(e.R);
    const double l = string2Number(e.L);
    const double wc = omegaC(e.C, w);
    if (isOpen(r) || isOpen(l) || wc == 0)
        return openImp();
    double x = w * l;
    if (!std::isinf(wc))
        x -= 1.0 / wc;
    return { cplx(r, x), false };
}

// A filter inductor: R + jwL with its self-capacitance across both.
Imp inductorElement(const networkElement &e, double w, int nL)
{
    const double r = string2Number(e.R);
    const double l = string2Number(e.L);
    const double wc = omegaC(e.C, w);
    if (std::isinf(wc))
        return { cplx(), false };
    cplx y(0, wc);
    if (!isOpen(r) && !isOpen(l)) {
        const cplx z(r, w * l);
        if (z == cplx())
            return { cplx(), false };
        y += 1.0 / z;
    }
    if (y == cplx())
        return openImp();
    return { double(nL) / y, false };
}

bool present(const FilterNetwork &net, int index)
{
    return index < net.order;
}

Imp filterInductor(const FilterNetwork &net, int stage, double w)
{
    const int index = 2 * stage;
    if (!present(net, index))
        return { cplx(), false };
    return inductorElement(net.filter[size_t(index)], w, net.nL);
}

Imp filterCapacitor(const FilterNetwork &net, int stage, double w)
{
    const int index = 2 * stage + 1;
    if (!present(net, index))
        return openImp();
    return scaled(seriesBranch(net.filter[size_t(index)], w), net.nC);
}

Imp loadImpedance(const FilterNetwork &net, double w)
{
    const Imp l5 = seriesBranch(net.load[4], w);
    if (!net.extendedLoad)
        return l5;
    const Imp shunt = parallel({ l5, seriesBranch(net.load[2], w), seriesBranch(net.load[3], w) });
    return series(shunt, parallel({ seriesBranch(net.load[0], w), seriesBranch(net.load[1], w) }));
}

// The ladder solved from the load back to the amplifier: the impedance at
// every node, and how much of each node's voltage reaches the next one.
struct Ladder {
    Imp load;
    Imp node[3]; // after inductor 1, 2, 3
    Imp series[3]; // inductor k with what it drives
    Imp inductor[3];
    Imp capacitor[3];
    Imp input;
};

Ladder solve(const FilterNetwork &net, double w)
{
    Ladder s;
    s.load = loadImpedance(net, w);
    for (int k = 0; k < 3; ++k) {
        s.inductor[k] = filterInductor(net, k, w);
        s.capacitor[k] = filterCapacitor(net, k, w);
    }
    s.node[2] = parallel({ s.load, seriesBranch(net.matching, w), s.capacitor[2] });
    s.series[2] = series(s.node[2], s.inductor[2]);
    s.node[1] = parallel({ s.series[2], s.capacitor[1] });
    s.series[1] = series(s.node[1], s.inductor[1]);
    s.node[0] = parallel({ s.series[1], s.capacitor[0] });
    s.series[0] = series(s.node[0], s.inductor[0]);
    s.input = s.series[0];
    return s;
}

// Voltage at a node over the voltage before its series inductor.
cplx divider(const Imp &inductor, const Imp &node, const Imp &both)
{
    if (inductor.open)
        return cplx(); // nothing passes an open inductor
    if (node.open)
        return cplx(1, 0); // no current, no drop
    if (both.z == cplx())
        return cplx();
    return node.z / both.z;
}

// Load voltage over amplifier voltage.
cplx transfer(const Ladder &s)
{
    cplx t(1, 0);
    for (int k = 0; k < 3; ++k)
        t *= divider(s.inductor[k], s.node[k], s.series[k]);
    return t;
}

// Load voltage over amplifier current: the first node's impedance carries the
// current, the later stages divide.
double currentDrivenGain(const Ladder &s)
{
    cplx t(1, 0);
    for (int k = 1; k < 3; ++k)
        t *= divider(s.inductor[k], s.node[k], s.series[k]);
    if (t == cplx())
        return 0;
    if (s.node[0].open)
        return kInf;
    return std::abs(s.node[0].z * t);
}

double magnitude(const Imp &z)
{
    return z.open ? kInf : std::abs(z.z);
}

double degrees(const Imp &z)
{
    return z.open ? 0.0 : std::arg(z.z) * kDegPerRad;
}

comp toComp(const Imp &z)
{
    return z.open ? comp(kInf, 0) : comp(z.z.real(), z.z.imag());
}

double drive(double gain, double amplitude)
{
    if (amplitude == 0 || gain == 0)
        return 0;
    return gain * std::fabs(amplitude);
}

// Real power in an impedance with an amplitude u across it.
double lossIn(const Imp &z, cplx u)
{
    if (z.open || z.z == cplx())
        return 0;
    return 0.5 * std::norm(u) * (1.0 / z.z).real();
}

QString valueText(double value)
{
    return fieldSIText(value, QString());
}

} // namespace

int inductorFactor(bool dualCapacitor, bool splitInductor)
{
    return (dualCapacitor || splitInductor) ? 2 : 1;
}

int capacitorFactor(bool dualCapacitor)
{
    return dualCapacitor ? 2 : 1;
}

void resetNetworkElements(FilterNetwork &network)
{
    const networkElement zero { QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0") };
    network.filter.fill(zero);
    network.matching = zero;
    network.load.fill(zero);
    for (int i : { 0, 1, 4 })
        network.load[size_t(i)].C = QStringLiteral("short");
}

NetworkAC loadACVoltage(const FilterNetwork &network, double F, double V, char VorI)
{
    const Ladder s = solve(network, kTwoPi * F);
    NetworkAC r;
    r.Zload = magnitude(s.load);
    r.Aload = degrees(s.load);
    r.Zout = magnitude(s.input);
    r.Aout = degrees(s.input);
    if (VorI == 'V')
        r.Vload = drive(std::abs(transfer(s)), V);
    else if (VorI == 'I')
        r.Vload = drive(currentDrivenGain(s), V);
    return r;
}

NetworkDC loadDCVoltage(const FilterNetwork &network, double VDC, char VorI)
{
    const Ladder s = solve(network, 0);
    NetworkDC r;
    r.Rtot = s.input.open ? kInf : s.input.z.real();
    r.Rload = s.load.open ? kInf : s.load.z.real();
    if (VorI == 'V')
        r.Vload = VDC == 0 ? 0 : VDC * transfer(s).real();
    else if (VorI == 'I')
        r.Vload = std::copysign(drive(currentDrivenGain(s), VDC), VDC);
    return r;
}

FilterTransfer Tfilter(const FilterNetwork &network, double F)
{
    const Ladder s = solve(network, kTwoPi * F);
    const cplx t = transfer(s);
    return { comp(t.real(), t.imag()), toComp(s.input), toComp(s.load) };
}

FilterGain Gfilter(const FilterNetwork &network)
{
    const NetworkDC dc = loadDCVoltage(network, 1.0, 'V');
    return { dc.Vload, dc.Rtot, dc.Rload };
}

double FilterPower(const FilterNetwork &network, double F, double V)
{
    const Ladder s = solve(network, kTwoPi * F);
    double power = 0;
    cplx before(V, 0);
    for (int k = 0; k < 3; ++k) {
        const cplx after = before * divider(s.inductor[k], s.node[k], s.series[k]);
        power += lossIn(s.inductor[k], before - after);
        power += lossIn(s.capacitor[k], after);
        before = after;
    }
    return power;
}

InductorParasitics inductorParasitics(double henries, ParasiticLine esr, ParasiticLine epc)
{
    const double mH = henries * 1e3;
    return { esr.slope * mH + esr.offset, (epc.slope * mH + epc.offset) * 1e-12 };
}

CapacitorParasitics capacitorParasitics(
    double farads, double decadeStart, ParasiticLine esr, ParasiticLine esl)
{
    const double decades = std::log10(std::max(1.0, farads / decadeStart));
    return { esr.slope * decades + esr.offset, (esl.slope * decades + esl.offset) * 1e-9 };
}

void useInductorParasitics(FilterNetwork &network, ParasiticLine esr, ParasiticLine epc)
{
    for (int index : { 0, 2, 4 }) {
        networkElement &e = network.filter[size_t(index)];
        const double l = string2Number(e.L);
        if (l == 0 || isOpen(l)) {
            e.R = QStringLiteral("0");
            e.C = QStringLiteral("open");
            continue;
        }
        const InductorParasitics p = inductorParasitics(l, esr, epc);
        e.R = valueText(p.R);
        e.C = valueText(p.C);
    }
}

void useCapacitorParasitics(FilterNetwork &network, double decadeStart, ParasiticLine esr, ParasiticLine esl)
{
    for (int index : { 1, 3, 5 }) {
        networkElement &e = network.filter[size_t(index)];
        const double c = string2Number(e.C);
        if (e.C == QLatin1String("short") || c == 0 || isOpen(c)) {
            e.R = QStringLiteral("0");
            e.L = QStringLiteral("0");
            continue;
        }
        const CapacitorParasitics p = capacitorParasitics(c, decadeStart, esr, esl);
        e.R = valueText(p.R);
        e.L = valueText(p.L);
    }
}

void zeroInductorParasitics(FilterNetwork &network)
{
    for (int index : { 0, 2, 4 }) {
        network.filter[size_t(index)].R = QStringLiteral("0");
        network.filter[size_t(index)].C = QStringLiteral("0");
    }
}

void zeroCapacitorParasitics(FilterNetwork &network)
{
    for (int index : { 1, 3, 5 }) {
        network.filter[size_t(index)].R = QStringLiteral("0");
        network.filter[size_t(index)].L = QStringLiteral("0");
    }
}

networkElement autoMatchingNetwork(const FilterNetwork &network)
{
    const networkElement none { QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0") };
    const networkElement &l5 = network.load[4];
    const QLatin1String open("open");
    if (l5.L == open || l5.R == open || l5.C == open || l5.C == QLatin1String("0"))
        return none;
    const double w = kTwoPi * 1000;
    const Imp load = loadImpedance(network, w);
    if (load.open)
        return none;
    const double phi = std::arg(load.z);
    const double rs = load.z.real(); // |ZL| cos(phi)
    const double x = std::fabs(load.z.imag()); // |ZL| |sin(phi)|
    // A lossless or negative load has no series resistance to match.
    if (std::fabs(phi) < 0.0001 || !(rs > 0))
        return none;
    if (phi > 0) {
        const double ls = x / w;
        return { QStringLiteral("0"), valueText(rs), valueText(ls / (rs * rs)) };
    }
    const double cs = 1.0 / (w * x);
    return { valueText(rs * rs * cs), valueText(rs), QStringLiteral("short") };
}
