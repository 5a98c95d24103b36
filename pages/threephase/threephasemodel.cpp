#include "pages/threephase/threephasemodel.h"

#include <QStringList>
#include <cmath>

#include "values/sivalues.h"

namespace ThreePhase {

namespace {

constexpr double kPi = 3.14159265358979323846;

double onResistance(const pwm &p, double T, bool top)
{
    return top ? (p.top_A * T * T + p.top_B * T + p.top_C) : (p.bot_A * T * T + p.bot_B * T + p.bot_C);
}

bool finite(double x)
{
    return std::isfinite(x);
}

} // namespace

QString warningText(quint16 bit)
{
    switch (bit) {
    case LowCarrierRatio:
        return QStringLiteral(
            "\nWarning: Switching Frequency is less than 20 times Cycle Frequency. Ampora's "
            "time-stepping function may give unexpected results.");
    case NoRpmSolution:
        return QStringLiteral("\nWarning: Could not solve for RPM with the desired inputs, setting to 0 RPM. "
                              "(Try increasing Vs)");
    case ZeroEmf:
        return QStringLiteral(
            "\nWarning: Back EMF must be non-zero to solve for RPM in trapezoidal or six-step "
            "commutation, setting to 0 RPM.");
    case BadTimescale:
        return QStringLiteral("\nWarning: Invalid timescale range.");
    case PowerTooHigh:
        return QStringLiteral("\n!!! Amplifier Power Dissipation too high !!!");
    case VsTooHigh:
        return QStringLiteral("\n!!! Vs voltage too high !!!");
    case VccTooHigh:
        return QStringLiteral("\n!!! Vcc voltage too high !!!");
    case FswTooHigh:
        return QStringLiteral("\n!!! Switching frequency too high !!!");
    case PeakTooHigh:
        return QStringLiteral("\n!!! Peak current too high !!!");
    case RmsTooHigh:
        return QStringLiteral("\n!!! Continuous (RMS) current too high !!!");
    case ThermalRunaway:
        return QStringLiteral(
            "\n!!! Thermal Runaway !!! Consider increasing heatsink size and/or upgrading to a "
            "more robust amplifier. ");
    case CaseTooHot:
        return QStringLiteral("\n!!! Case temperature too high !!!");
    case JunctionTooHot:
        return QStringLiteral("\n!!! Junction temperature too high !!!");
    case VsTooLow:
        return QStringLiteral("\n!!! Vs voltage too low !!!");
    case VccTooLow:
        return QStringLiteral("\n!!! Vcc voltage too low !!!");
    case DutyClipped:
        return QStringLiteral("\nWarning: Duty Cycle exceeds the device capability; expect clipping");
    default:
        return QString();
    }
}

MotorConstants motorConstants(const Motor &motor)
{
    MotorConstants m { motor.R, motor.L, motor.Vemf, double(motor.nPoles) };
    if (motor.isLinear) {
        m.Vemf = motor.Vemf * motor.cycleLength / 60;
        m.n = 1;
    }
    if (motor.isDelta) {
        m.R /= 3;
        m.L /= 3;
        m.Vemf /= 1.732;
    }
    return m;
}

double P3DCfromIandRPM(double Ipk, double RPM, double Vs, const MotorConstants &m, int commutation)
{
    if (Vs == 0)
        return -1;
    const double X = 2 * kPi * RPM * m.n * m.L / 60;
    const double E = RPM * m.Vemf;
    switch (commutation) {
    case Sinusoidal:
        return 2 * (Ipk * std::sqrt(m.R * m.R + X * X) + E) / Vs;
    case Trapezoidal:
        return 2 * (Ipk * m.R + E) / Vs;
    default:
        return (1.5 * Ipk * m.R + E) / Vs;
    }
}

double P3RPMfromIandDC(
    double Ipk, double DCenv, double Vs, const MotorConstants &m, int commutation, quint16 &warnings)
{
    if (commutation == Sinusoidal) {
        const double k = 2 * kPi * Ipk * m.L * m.n / 60;
        const double a = k * k - m.Vemf * m.Vemf;
        const double b = m.Vemf * DCenv * Vs;
        const double c = Ipk * Ipk * m.R * m.R - Vs * Vs * DCenv * DCenv / 4;
        const double disc = b * b - 4 * a * c;
        if (disc < 0 || (a == 0 && b == 0)) {
            warnings |= NoRpmSolution;
            return 0;
        }
        // With a = 0 the equation is linear (the limit of the root below).
        const double rpm = a == 0 ? -c / b : (std::sqrt(disc) - b) / (2 * a);
        if (!finite(rpm)) {
            warnings |= NoRpmSolution;
            return 0;
        }
        return rpm;
    }
    if (m.Vemf == 0) {
        warnings |= ZeroEmf;
        return 0;
    }
    if (commutation == Trapezoidal)
        return (Vs * DCenv - 2 * Ipk * m.R) / (2 * m.Vemf);
    return (Vs * DCenv - 1.5 * Ipk * m.R) / m.Vemf;
}

double linterp(const QVector<double> &searchVector, const QVector<double> &returnVector, double searchNum,
    int &startIndex, quint16 &warnings)
{
    const int n = qMin(searchVector.size(), returnVector.size());
    if (n == 0)
        return 0;
    startIndex = qBound(0, startIndex, n - 1);
    if (searchVector.at(startIndex) > searchNum) {
        warnings |= BadTimescale;
        return 0;
    }
    int i = startIndex;
    while (i < n && searchNum > searchVector.at(i))
        ++i;
    if (i == 0)
        return returnVector.at(0);
    if (i == n) {
        if (n == 1)
            return returnVector.at(0);
        i = n - 1;
    }
    startIndex = i - 1;
    const double x0 = searchVector.at(i - 1), x1 = searchVector.at(i);
    if (x1 == x0)
        return returnVector.at(i);
    return returnVector.at(i - 1)
        + (returnVector.at(i) - returnVector.at(i - 1)) * (searchNum - x0) / (x1 - x0);
}

ControlProfile generateControlVector(const Input &in, const pwm &part, double endTime, quint16 &warnings)
{
    const Motor &motor = in.motor;
    MotorConstants m = motorConstants(motor);
    m.R += (onResistance(part, 25, true) + onResistance(part, 25, false) + part.top_wire + part.bot_wire) / 2;
    const double Vs = in.Vs;
    QVector<double> times = motor.times, amplitudes = motor.amplitudes;
    if (motor.controlType == 0) {
        times = { 0, endTime };
        amplitudes = { motor.controlAmplitude, motor.controlAmplitude };
    }
    for (int i = 1; i < times.size(); ++i) {
        if (!(times.at(i) > times.at(i - 1)))
            warnings |= BadTimescale; // times must increase
    }
    const double K = motor.constantAmplitude;
    const int held = motor.constantVariable;
    ControlProfile profile;
    for (int i = 0; i < qMin(times.size(), amplitudes.size()); ++i) {
        const double A = amplitudes.at(i);
        double f = 0, duty = 0;
        bool valid = true;
        if (motor.controlVariable == 0) {
            if (held == 0) {
                f = m.n * K / 60;
                duty = P3DCfromIandRPM(A, K, Vs, m, in.commutation);
            } else if (held == 2) {
                duty = K / 100;
                f = m.n * P3RPMfromIandDC(A, K / 100, Vs, m, in.commutation, warnings) / 60;
            } else {
                valid = false;
            }
        } else if (motor.controlVariable == 1) {
            f = m.n * A / 60;
            if (held == 1)
                duty = Vs != 0 ? std::abs(A) * K / Vs : 0;
            else if (held == 2)
                duty = K / 100;
            else
                valid = false;
        } else {
            duty = A / 100;
            if (held == 0)
                f = m.n * K / 60;
            else if (held == 1)
                f = K != 0 ? m.n * duty * Vs / (K * 60) : 0;
            else
                valid = false;
        }
        if (!valid)
            continue; // the held quantity cannot go with the controlled one
        if (!finite(f))
            f = 0;
        if (!finite(duty))
            duty = 0;
        if (20 * std::abs(f) > 1000 * in.FswKHz)
            warnings |= LowCarrierRatio;
        if (duty > part.MaxDutyCycle)
            warnings |= DutyClipped;
        profile.time << times.at(i);
        profile.frequency << f;
        profile.duty << duty;
    }
    return profile;
}

QString inputProblem(const Input &in, const pwm &part)
{
    const Motor &m = in.motor;
    if (!(in.FswKHz > 0))
        return QStringLiteral("The switching frequency must be above 0: nothing was simulated.");
    // A negative supply has no meaning for the bridge, and one near the
    // largest number overflows the sum of the three phase voltages.
    if (!(in.Vs >= 0 && in.Vs <= 1e12))
        return QStringLiteral("The supply voltage Vs must be from 0 to 1e12 V: nothing was simulated.");
    // Far beyond any drive, products of these overflow into the currents.
    QVector<double> values { in.Vcc, in.heatsink, in.tim, m.R, m.L, m.Vemf, m.controlAmplitude,
        m.constantAmplitude, m.cycleLength };
    values << m.times << m.amplitudes;
    for (double v : values) {
        if (!(std::abs(v) <= 1e12))
            return QStringLiteral("An entry of %1 cannot be simulated (entries are limited to 1e12 in size): "
                                  "nothing was simulated.")
                .arg(general3(v));
    }
    if (!(in.ambient >= -273.15 && in.ambient <= 1000))
        return QStringLiteral(
            "The ambient temperature must be from -273.15 to 1000 °C: nothing was simulated.");
    if (m.R < 0 || m.L < 0)
        return QStringLiteral(
            "The winding resistance and inductance must not be negative: nothing was simulated.");
    if (m.nPoles <= 0 && !m.isLinear)
        return QStringLiteral(
            "The electrical cycles per rotation must be at least 1: nothing was simulated.");
    if (m.isLinear && !(m.cycleLength > 0))
        return QStringLiteral(
            "The stroke length per electrical cycle must be above 0: nothing was simulated.");
    const double Rs
        = (onResistance(part, 25, true) + onResistance(part, 25, false) + part.top_wire + part.bot_wire) / 2;
    if (m.R + Rs <= 0 && m.L <= 0)
        return QStringLiteral("The windings need a resistance or an inductance: nothing was simulated.");
    // A start after the end moves the end to the start, so the later of the two is the run's length.
    const double steps = qMax(0.0, qMax(in.startTime, in.endTime)) * 100 * in.FswKHz * 1000;
    if (!(steps <= kMaxSteps))
        return QStringLiteral("The run would take %1 million time steps (1/100 of a switching period each); "
                              "at most %2 million are simulated. Shorten the end time or lower the switching "
                              "frequency: nothing was simulated.")
            .arg(general3(steps / 1e6), general3(kMaxSteps / 1e6));
    return QString();
}

namespace {

QString watts(double value)
{
    return number2String(value) + QStringLiteral(" W");
}

void addDeviceNotes(Result &r)
{
    static const char *names[] = { "Upper Switch A", "Upper Switch B", "Upper Switch C", "Lower Switch A",
        "Lower Switch B", "Lower Switch C" };
    for (int k = 0; k < 6; ++k)
        r.notes << normalNote(
            QString::fromLatin1(names[k]) + QStringLiteral(" Power: ") + watts(r.pass.switches[k]));
    for (int k = 0; k < 6; ++k) {
        QString name
            = QString::fromLatin1(names[k]).replace(QStringLiteral("Switch"), QStringLiteral("Diode"));
        r.notes << normalNote(name + QStringLiteral(" Power: ") + watts(r.pass.diodes[k]));
    }
}

// The thermal loop: the switch resistance follows the junction temperature
// until it changes by at most 1 % between passes. Every pass takes the same
// steps (they follow the duty, not the currents), so a pass is simulated
// while the steps taken so far plus one more run fit the budget; after that
// the passes keep the last run's currents, whose change with the on-resistance
// is small beside the winding's, and re-evaluate only the switch losses.
void thermalLoop(const Input &in, const pwm &part, Result &r)
{
    const int packages = qMax(1, 3 / qMax(1, part.outputs));
    const double sink = in.heatsinkNone ? part.Rtheta_JA - part.Rtheta_DC : in.heatsink;
    r.separateDiodeJunction = part.Rtheta_JC_diode > 1e-6;
    double T = 85, taken = 0;
    Pass run;
    for (int pass = 1;; ++pass) {
        const double Ron = (onResistance(part, T, true) + onResistance(part, T, false)) / 2;
        // A junction far enough beyond any rating overflows the resistance: runaway.
        if (!finite(Ron)) {
            r.pass.warnings |= ThermalRunaway;
            break;
        }
        r.Ron = Ron;
        if (pass == 1 || taken + run.steps <= in.stepBudget) {
            run = analyzeThreePhase(in, part, r.Ron, &r.traces);
            taken += run.steps;
            r.simulatedPasses = pass;
            r.pass = run;
        } else {
            r.pass = atOnResistance(run, part, r.Ron);
        }
        r.iterations = pass;
        const Pass &p = r.pass;
        const double S = (in.removeSwitching ? 0 : p.switching) + p.conduction;
        const double Dp = in.removeDiode ? 0 : p.diode;
        r.Tcase = (p.quiescent + S + Dp + p.wire) * (sink + in.tim) + in.ambient;
        double Tj = 0;
        if (r.separateDiodeJunction) {
            Tj = r.Tcase + S * part.Rtheta_DC / packages;
            r.Tjunction = qMax(Tj, r.Tcase + Dp * part.Rtheta_JC_diode / packages);
        } else {
            Tj = r.Tcase + (S + Dp) * part.Rtheta_DC / packages;
            r.Tjunction = Tj;
        }
        // The size of the change decides: a junction cooler than the first
        // guess is iterated too.
        if (finite(Tj) && std::abs(Tj - T) <= 0.01 * std::abs(Tj))
            break;
        // A junction that overflowed has run away as surely as one still moving.
        if (pass >= kMaxPasses || !finite(Tj)) {
            r.pass.warnings |= ThermalRunaway;
            break;
        }
        T = Tj;
    }
}

} // namespace

Result computeThreePhase(const Input &in, const pwm &part)
{
    Result r;
    const QString problem = inputProblem(in, part);
    if (!problem.isEmpty()) {
        r.notes << warningNote(problem);
        return r;
    }
    r.simulated = true;
    thermalLoop(in, part, r);
    Pass &p = r.pass;
    r.ampPower = p.wire + p.quiescent + p.conduction + (in.removeSwitching ? 0 : p.switching)
        + (in.removeDiode ? 0 : p.diode);
    r.efficiency = r.ampPower + p.loadPower != 0 ? 100 * p.loadPower / (r.ampPower + p.loadPower) : 0;
    quint16 w = p.warnings;
    if (p.hasWindow) {
        if (r.ampPower > qMax(1, 3 / qMax(1, part.outputs)) * part.Pd_max)
            w |= PowerTooHigh;
        if (p.peakCurrent > part.I_pk)
            w |= PeakTooHigh;
        if (p.rmsCurrent > part.I_cont)
            w |= RmsTooHigh;
        if (r.Tcase > part.Tc_max)
            w |= CaseTooHot;
        if (r.Tjunction > part.Tj_max)
            w |= JunctionTooHot;
    }
    r.warnings = w;
    addDeviceNotes(r);
    r.notes << normalNote(QString());
    r.notes << normalNote(QStringLiteral("Average Rds(ON) for a single switch: ") + number2String(r.Ron)
        + QStringLiteral(" Ω"));
    r.notes << normalNote(
        QStringLiteral("Iterations to achieve thermal equilibrium: ") + QString::number(r.iterations));
    if (!p.hasWindow)
        r.notes << adviceNote(
            QStringLiteral("The averaging window is empty (the start time is not before the end "
                           "time): no averages, losses or temperatures are shown."));
    if (r.simulatedPasses < r.iterations) {
        const int first = r.simulatedPasses + 1;
        r.notes << adviceNote(
            QStringLiteral("A run takes %1 steps and a refresh at most %2 million, so the thermal loop "
                           "simulated %3 of its %4 passes; %5 kept the currents of pass %6 and re-evaluated "
                           "the switch losses at %7 own on-resistance.")
                .arg(p.steps)
                .arg(general3(in.stepBudget / 1e6))
                .arg(r.simulatedPasses)
                .arg(r.iterations)
                .arg(first == r.iterations ? QStringLiteral("pass %1").arg(first)
                                           : QStringLiteral("passes %1 to %2").arg(first).arg(r.iterations))
                .arg(r.simulatedPasses)
                .arg(first == r.iterations ? QStringLiteral("its") : QStringLiteral("their")));
    }
    if (r.traces.stride > 1)
        r.notes << adviceNote(
            QStringLiteral("The run took %1 steps; the plots and the export keep every %2th.")
                .arg(p.steps)
                .arg(r.traces.stride));
    for (int bit = 0; bit < 16; ++bit) {
        if (w & (1u << bit))
            r.notes << warningNote(warningText(quint16(1u << bit)).mid(1));
    }
    return r;
}

} // namespace ThreePhase
