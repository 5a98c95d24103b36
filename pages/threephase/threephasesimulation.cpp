// The time loop of the three-phase drive: carrier, commutation, back-EMF,
// neutral, backward-Euler phase currents, device accounting and the step
// prediction that jumps over stretches in which no switch changes state.
#include <cmath>

#include "pages/threephase/threephasemodel.h"

namespace ThreePhase {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

const double kTrapPattern[6][3]
    = { { 0.5, 0, 1 }, { 1, 0, 0.5 }, { 1, 0.5, 0 }, { 0.5, 1, 0 }, { 0, 1, 0.5 }, { 0, 0.5, 1 } };
const double kSixStepPattern[6][3]
    = { { 0, 0, 1 }, { 1, 0, 1 }, { 1, 0, 0 }, { 1, 1, 0 }, { 0, 1, 0 }, { 0, 1, 1 } };

// Trapezoidal back-EMF of phase k in sector s, r running from -1 to 1 across it.
double trapezoidEmf(int s, int k, double r, double E)
{
    const double table[6][3] = { { r * E, -E, E }, { E, -E, -r * E }, { E, r * E, -E }, { -r * E, E, -E },
        { -E, E, r * E }, { -E, -r * E, E } };
    return table[s][k];
}

struct Device {
    double Vs, Vd, Rd, Rs, Vsw;
};

// One step's values, before they are recorded and accumulated.
struct Step {
    double t = 0, dt = 0, D = 0, f = 0, carrier = 0, theta = 0, neutral = 0, load = 0;
    double duty[3] {}, V[3] {}, e[3] {}, i[3] {}, out[3] {}, up[3] {}, low[3] {};
};

struct Accumulator {
    double load = 0, switches[6] {}, diodes[6] {}, switchingEnergy = 0, meanSquareA = 0, peak = 0;
    double switchMean[6] {}, switchMeanSquare[6] {};
};

// Which device of phase k conducts, its loss and the output after the drops.
void conduct(const Device &dev, Step &s, int k, Accumulator *acc, double weight)
{
    const double V = s.V[k], i = s.i[k];
    s.out[k] = V;
    s.up[k] = s.low[k] = 0;
    if (V > 0.99 * dev.Vs) {
        s.up[k] = 1;
        if (i > 0) {
            if (acc) {
                acc->switches[k] += i * (dev.Vsw + dev.Rs * i) * weight;
                acc->switchMean[k] += i * weight;
                acc->switchMeanSquare[k] += i * i * weight;
            }
            s.out[k] = V - dev.Rs * i - dev.Vsw;
        }
    }
    if (V < 0.01 * dev.Vs) {
        s.low[k] = 1;
        if (i < 0) {
            if (acc) {
                acc->switches[3 + k] += (std::abs(i) * dev.Vsw + dev.Rs * i * i) * weight;
                acc->switchMean[3 + k] += std::abs(i) * weight;
                acc->switchMeanSquare[3 + k] += i * i * weight;
            }
            s.out[k] = V - dev.Rs * i + dev.Vsw;
        }
    }
    if (V > 0.01 * dev.Vs && i < 0) {
        if (acc)
            acc->diodes[k] += (dev.Rd * i * i - dev.Vd * i) * weight;
        s.out[k] = dev.Vs + dev.Vd - dev.Rd * i;
    }
    if (V < 0.99 * dev.Vs && i > 0) {
        if (acc)
            acc->diodes[3 + k] += (dev.Rd * i * i + dev.Vd * i) * weight;
        s.out[k] = -dev.Vd - dev.Rd * i;
    }
}

void record(Traces &tr, const Step &s, bool delta, bool linear, double cycleLength)
{
    tr.time << s.t;
    tr.carrier << s.carrier;
    tr.envelope << s.D;
    tr.frequency << s.f;
    tr.angle << (linear ? cycleLength * s.theta / kTwoPi : s.theta);
    tr.neutral << s.neutral;
    tr.loadPower << s.load;
    for (int k = 0; k < 3; ++k) {
        tr.duty[k] << s.duty[k];
        tr.commanded[k] << s.V[k];
        tr.emf[k] << s.e[k];
        if (delta)
            tr.lineEmf[k] << s.e[k] - s.e[(k + 1) % 3];
        tr.current[k] << s.i[k];
        tr.output[k] << s.out[k];
        tr.upper[k] << s.up[k];
        tr.lower[k] << s.low[k];
    }
}

// The commanded phase voltages, duties and back-EMFs of one step.
void commutate(int commutation, double Vs, double Ep, double phase, Step &s)
{
    const double angle = std::fmod(s.theta, kTwoPi);
    const double wrapped = angle < 0 ? angle + kTwoPi : angle;
    const int sector = qBound(0, int(std::floor(wrapped / (kPi / 3))), 5);
    const double within = wrapped - sector * (kPi / 3);
    // The three phases are the first one turned by 120 and 240 degrees.
    const double c120 = -0.5, s120 = 0.86602540378443865;
    const double sinP = std::sin(kTwoPi * phase), cosP = std::cos(kTwoPi * phase);
    const double sinPhase[3] = { sinP, sinP * c120 + cosP * s120, sinP * c120 - cosP * s120 };
    for (int k = 0; k < 3; ++k)
        s.duty[k] = 0.5 * s.D * sinPhase[k] + 0.5;
    if (commutation == Sinusoidal) {
        const double sinT = std::sin(s.theta), cosT = std::cos(s.theta);
        const double sinTheta[3] = { sinT, sinT * c120 + cosT * s120, sinT * c120 - cosT * s120 };
        for (int k = 0; k < 3; ++k) {
            s.V[k] = s.duty[k] > s.carrier ? Vs : 0;
            s.e[k] = Ep * sinTheta[k];
        }
        return;
    }
    const double(*pattern)[3] = commutation == Trapezoidal ? kTrapPattern : kSixStepPattern;
    const double r = 6 * within / kPi - 1;
    for (int k = 0; k < 3; ++k) {
        s.V[k] = s.D > s.carrier ? pattern[sector][k] * Vs : Vs / 2;
        s.e[k] = trapezoidEmf(sector, k, r, Ep);
    }
}

// Time from t to the next meeting of the carrier with a level d held
// constant. The edge-history prediction alone lands late when the duty moves
// quickly against the carrier, so the jump also stops short of this.
double nextCrossing(double t, double Fsw, double d)
{
    if (!(d > 0 && d < 1))
        return HUGE_VAL;
    const double T = 1 / Fsw;
    const double u = t - std::floor(t / T) * T;
    const double u1 = (1 - d) * T / 2, u2 = (1 + d) * T / 2;
    for (double c : { u1, u2, u1 + T }) {
        if (c > u)
            return c - u;
    }
    return u2 + T - u;
}

// The step to 2 steps before the earliest predicted edge: by the time since
// each phase's last edge, by the carrier meeting a present duty, and for the
// block patterns by the next sector boundary.
double predictedStep(
    const Step &s, int commutation, double Fsw, double h, const double lastEdge[3], const bool rose[3])
{
    double next = HUGE_VAL;
    for (int k = 0; k < 3; ++k) {
        const double since = s.t - lastEdge[k];
        next = qMin(next, std::abs((rose[k] ? s.duty[k] : 1 - s.duty[k]) / Fsw - since));
        next = qMin(next, nextCrossing(s.t, Fsw, s.duty[k]));
        if (commutation != Sinusoidal)
            next = qMin(next, std::abs((rose[k] ? s.D : 1 - s.D) / Fsw - since));
    }
    if (commutation != Sinusoidal)
        next = qMin(next, nextCrossing(s.t, Fsw, s.D));
    if (commutation != Sinusoidal && s.f != 0) {
        const double angle = std::fmod(s.theta, kTwoPi);
        const double wrapped = angle < 0 ? angle + kTwoPi : angle;
        const int sector = qBound(0, int(std::floor(wrapped / (kPi / 3))), 5);
        const double boundary = kTwoPi * std::floor(s.theta / kTwoPi) + (sector + 1) * kPi / 3;
        next = qMin(next, std::abs((boundary - s.theta) / (kTwoPi * s.f)));
    }
    return std::isfinite(next) ? qMax(h, next - 2 * h) : h;
}

// The pass's results from the window's accumulators.
void finishPass(Pass &pass, const Accumulator &acc, double Ron, double Rs, double W, double Vcc, double Fsw,
    const pwm &part)
{
    double switchSum = 0;
    for (int k = 0; k < 6; ++k) {
        switchSum += acc.switches[k];
        pass.switches[k] = Rs != 0 ? acc.switches[k] * Ron / Rs : acc.switches[k];
        pass.diodes[k] = acc.diodes[k];
        pass.diode += acc.diodes[k];
        pass.switchMean[k] = acc.switchMean[k];
        pass.switchMeanSquare[k] = acc.switchMeanSquare[k];
    }
    // Without any series resistance the switches lose only their fixed drop.
    pass.conduction = Rs != 0 ? switchSum * Ron / Rs : switchSum;
    pass.wire = Rs != 0 ? switchSum * (Rs - Ron) / Rs : 0;
    pass.loadPower = acc.load;
    pass.switching = pass.hasWindow ? acc.switchingEnergy / W : 0;
    pass.quiescent = Vcc * (part.Iq_Vcc_vsF * (Fsw / 1000 - part.Fsw_nom) + part.Iq_Vcc) / 1000;
    pass.peakCurrent = acc.peak;
    pass.rmsCurrent = std::sqrt(qMax(0.0, acc.meanSquareA));
}

} // namespace

void Traces::clear()
{
    *this = Traces();
}

Pass analyzeThreePhase(const Input &in, const pwm &part, double Ron, Traces *traces)
{
    Pass pass;
    quint16 &w = pass.warnings;
    const double Vs = in.Vs, Vcc = in.Vcc, Fsw = in.FswKHz * 1000;
    if (Vs > part.Vs_max)
        w |= VsTooHigh;
    if (Vcc > part.Vcc_max)
        w |= VccTooHigh;
    if (Fsw > 1000 * part.Fsw_max)
        w |= FswTooHigh;
    if (Vs < part.Vs_min)
        w |= VsTooLow;
    if (Vcc < part.Vcc_min)
        w |= VccTooLow;
    const double ts = qMax(0.0, in.startTime);
    double te = qMax(0.0, in.endTime);
    if (ts > te) {
        w |= BadTimescale;
        te = ts;
    }
    const double W = te - ts;
    pass.hasWindow = W > 0;
    const ControlProfile profile = generateControlVector(in, part, te, w);
    const MotorConstants m = motorConstants(in.motor);
    const Device dev { Vs, part.Vdiode, part.Rdiode / 1000, Ron + (part.top_wire + part.bot_wire) / 2,
        (part.top_V + part.bot_V) / 2 };
    const double tr = part.t_rise * 1e-9, tf = part.t_fall * 1e-9;
    const double h = 1 / (100 * Fsw);
    if (traces) {
        traces->clear();
        traces->stride = qMax(1, int(std::ceil(te / h / kMaxSamples)));
    }

    Accumulator acc;
    Step s;
    double prevT = -h, phase = 0, iPrev[3] {}, Vprev[3] {}, lastEdge[3] {};
    bool rose[3] {};
    int fIndex = 0, dIndex = 0, counter = 0, steps = 0;
    const double weight0 = pass.hasWindow ? 1 / W : 0;
    while (s.t < te) {
        s.dt = s.t - prevT;
        s.D = qBound(0.0, linterp(profile.time, profile.duty, s.t, dIndex, w), 1.0);
        s.f = linterp(profile.time, profile.frequency, s.t, fIndex, w);
        s.carrier = 1 - 2 * std::abs(std::remainder(s.t, 1 / Fsw) * Fsw);
        const double Ep = std::abs(s.f) * m.Vemf * 60 / m.n;
        if (steps > 0) {
            s.theta += kTwoPi * s.f * s.dt;
            phase += s.f * s.dt;
        }
        commutate(in.commutation, Vs, Ep, phase, s);
        s.neutral = (s.V[0] + s.V[1] + s.V[2] - s.e[0] - s.e[1] - s.e[2]) / 3;
        const double Ldt = m.L / s.dt;
        for (int k = 0; k < 3; ++k)
            s.i[k] = (s.V[k] - s.neutral - s.e[k] - dev.Vsw + Ldt * iPrev[k]) / (m.R + dev.Rs + Ldt);
        const bool inWindow = s.t >= ts && pass.hasWindow;
        const double weight = s.dt * weight0;
        s.load = 0;
        for (int k = 0; k < 3; ++k) {
            conduct(dev, s, k, inWindow ? &acc : nullptr, weight);
            s.load += (m.R * s.i[k] + s.e[k]) * s.i[k];
        }
        if (inWindow) {
            acc.load += s.load * weight;
            acc.meanSquareA += s.i[0] * s.i[0] * weight;
            for (int k = 0; k < 3; ++k)
                acc.peak = qMax(acc.peak, std::abs(s.i[k]));
        }
        for (int k = 0; k < 3; ++k) {
            if (steps > 0 && s.V[k] != Vprev[k]) {
                const bool up = s.V[k] > Vprev[k];
                if (inWindow)
                    acc.switchingEnergy
                        += std::abs(s.V[k] - Vprev[k]) * 0.5 * std::abs(s.i[k]) * (up ? tr : tf);
                lastEdge[k] = s.t;
                rose[k] = up;
            }
            Vprev[k] = s.V[k];
            iPrev[k] = s.i[k];
        }
        if (traces && steps % traces->stride == 0)
            record(*traces, s, in.motor.isDelta, in.motor.isLinear, in.motor.cycleLength);
        ++steps;

        double step = h;
        const bool allEdged = lastEdge[0] > 1e-9 && lastEdge[1] > 1e-9 && lastEdge[2] > 1e-9;
        if (!in.plainStepping && allEdged) {
            if (counter == 0) {
                step = predictedStep(s, in.commutation, Fsw, h, lastEdge, rose);
                counter = 1;
            } else if (++counter > 7) {
                counter = 0;
            }
        }
        prevT = s.t;
        s.t += step;
    }

    pass.steps = steps;
    finishPass(pass, acc, Ron, dev.Rs, W, Vcc, Fsw, part);
    return pass;
}

Pass atOnResistance(const Pass &run, const pwm &part, double Ron)
{
    Pass pass = run;
    const double Rs = Ron + (part.top_wire + part.bot_wire) / 2, Vsw = (part.top_V + part.bot_V) / 2;
    double switchSum = 0;
    for (int k = 0; k < 6; ++k) {
        const double loss = Vsw * run.switchMean[k] + Rs * run.switchMeanSquare[k];
        switchSum += loss;
        pass.switches[k] = Rs != 0 ? loss * Ron / Rs : loss;
    }
    pass.conduction = Rs != 0 ? switchSum * Ron / Rs : switchSum;
    pass.wire = Rs != 0 ? switchSum * (Rs - Ron) / Rs : 0;
    return pass;
}

} // namespace ThreePhase
