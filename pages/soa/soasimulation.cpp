#include "pages/soa/soasimulation.h"

#include <QStringList>
#include <cmath>

#include "values/sivalues.h"

namespace {

double listValue(const QVector<double> &list, int index)
{
    if (index >= 0 && index < list.size())
        return list.at(index);
    return list.isEmpty() ? 0 : list.first();
}

double finiteOrZero(double x)
{
    return std::isfinite(x) ? x : 0;
}

} // namespace

SoaPeriod SOAsine(double frequency, double maximum, double minimum)
{
    SoaPeriod p;
    if (!(frequency > 0) || !std::isfinite(frequency))
        return p;
    const double amplitude = (maximum - minimum) / 2;
    const double offset = (maximum + minimum) / 2;
    p.time.reserve(360);
    p.wave.reserve(360);
    for (int i = 1; i <= 360; ++i) {
        const double t = i / (360.0 * frequency);
        if (!std::isfinite(t))
            return SoaPeriod();
        p.time << t;
        p.wave << std::sin(2 * M_PI * frequency * t) * amplitude + offset;
    }
    return p;
}

SoaPeriod SOAtrap(double tRise, double tHigh, double tFall, double tLow, double maximum, double minimum)
{
    SoaPeriod p;
    const double period = tRise + tHigh + tFall + tLow;
    if (!(period > 0) || !std::isfinite(period))
        return p;
    p.time.reserve(1000);
    p.wave.reserve(1000);
    for (int i = 1; i <= 1000; ++i) {
        const double t = i * period / 1000;
        double v;
        if (t > tRise + tHigh + tFall)
            v = minimum;
        else if (t > tRise + tHigh)
            v = maximum + (t - tRise - tHigh) * (minimum - maximum) / tFall;
        else if (t > tRise)
            v = maximum;
        else
            v = minimum + (maximum - minimum) * t / tRise;
        p.time << t;
        p.wave << v;
    }
    return p;
}

SoaPeriod SOAmotor(double vsPos, double vsNeg, bool reversal, double iPeak)
{
    SoaPeriod p;
    const double start = reversal ? -iPeak : vsNeg;
    const double end = reversal ? 0 : vsPos;
    p.time.reserve(360);
    p.wave.reserve(360);
    for (int i = 1; i <= 360; ++i) {
        const double t = i / 360.0;
        p.time << t;
        p.wave << start + t * (end - start);
    }
    return p;
}

SoaPeriod increaseSOAResolution(const SoaPeriod &period, int n)
{
    SoaPeriod out;
    const int count = qMin(period.time.size(), period.wave.size());
    if (count < 2)
        return out;
    n = qMax(1, n);
    out.time.reserve((count - 1) * n);
    out.wave.reserve((count - 1) * n);
    for (int k = 0; k + 1 < count; ++k) {
        const double t0 = period.time.at(k), t1 = period.time.at(k + 1);
        const double w0 = period.wave.at(k), w1 = period.wave.at(k + 1);
        const double span = t1 - t0;
        const double dt = span / n;
        const double slope = span != 0 ? (w1 - w0) / span : 0;
        for (int j = 0; j < n; ++j) {
            double t = t0 + j * dt;
            double w = w0 + j * dt * slope;
            // Points far apart overflow the differences; weighted means never do.
            if (!std::isfinite(t) || !std::isfinite(w)) {
                const double f = double(j) / n;
                t = t0 * (1 - f) + t1 * f;
                w = w0 * (1 - f) + w1 * f;
            }
            // A point that rounding puts on the time before it adds nothing.
            if (span > 0 && !out.time.isEmpty() && !(t > out.time.last()))
                continue;
            out.time << t;
            out.wave << w;
        }
    }
    return out;
}

SoaCsvResult readSoaCsv(const QString &text)
{
    SoaCsvResult r;
    SoaPeriod raw;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int line = 0; line < lines.size(); ++line) {
        if (lines.at(line).isEmpty())
            continue;
        const QStringList fields = lines.at(line).split(QLatin1Char(','), Qt::SkipEmptyParts);
        bool okTime = false, okValue = false;
        const double t = fields.size() >= 2 ? fields.at(0).trimmed().toDouble(&okTime) : 0;
        const double v = fields.size() >= 2 ? fields.at(1).trimmed().toDouble(&okValue) : 0;
        if (!okTime || !okValue || !std::isfinite(t) || !std::isfinite(v)) {
            ++r.skipped;
            continue;
        }
        if (!raw.time.isEmpty() && !(t > raw.time.last())) {
            r.badLine = line + 1;
            r.message = QStringLiteral("Line %1 of the file: its time (%2 s) does not follow the time "
                                       "of the line before it. Times must increase from line to line.")
                            .arg(line + 1)
                            .arg(t);
            return r;
        }
        raw.time << t;
        raw.wave << v;
    }
    r.accepted = true;
    r.points = raw.time.size();
    if (r.points >= 1 && r.points < 500)
        r.period = increaseSOAResolution(raw, 1000 / r.points);
    else
        r.period = raw;
    return r;
}

SwingCoefficients swingCoefficients(const amp &a, bool boost, int numParallel, double rcs)
{
    const int index = boost ? 1 : 0;
    SwingCoefficients s;
    s.A = listValue(a.VswingA, index);
    s.B = listValue(a.VswingB, index);
    s.C = listValue(a.VswingC, index);
    if (numParallel > 1)
        s.B += rcs;
    return s;
}

namespace {

// The load the run drives: the R-L-C entries, or the motor as its ESR; a
// shorted capacitor in parallel shorts the whole load.
struct SimLoad {
    double R = 0, L = 0, C = 0;
    bool series = true, voltage = true, capShort = false;
    int after = 0, cycles = 1;
};

SimLoad simLoad(const SoaSimInput &in)
{
    SimLoad s { in.R, in.L, in.C, in.series, in.voltageSignal, false, qMax(0, in.displayAfter),
        qMax(1, in.displayCycles) };
    if (in.motor) {
        s.R = in.motorESR;
        s.L = 0;
        s.C = kOpenValue;
        s.series = true;
        s.cycles = 1;
        s.after = 0;
        s.voltage = in.motorMode != MotorMode::Reversal;
    } else if (!s.series && in.C == kOpenValue) {
        s.R = 0;
        s.L = 0;
    }
    s.capShort = s.C == kOpenValue;
    return s;
}

// Short and conduction are judged on the R-L-C entries, also for a motor.
void judgeLoad(const SoaSimInput &in, SoaSimResult &r)
{
    const bool cShort = in.C == kOpenValue;
    if (in.series) {
        r.shorted = in.R == 0 && in.L == 0 && cShort;
        r.conducts = !(in.R == kOpenValue || in.L == kOpenValue || in.C == 0);
    } else {
        r.shorted = in.R == 0 || in.L == 0 || cShort;
        r.conducts = !(in.R == kOpenValue && in.L == kOpenValue && in.C == 0);
    }
}

// The time step before each point of the period (the first from t = 0, or
// the next step when the period starts at 0); empty unless every step is a
// positive finite number.
QVector<double> timeSteps(const SoaPeriod &period, int n)
{
    QVector<double> dt(n);
    const double *t = period.time.constData();
    for (int k = 0; k < n; ++k) {
        if (k > 0)
            dt[k] = t[k] - t[k - 1];
        else if (t[0] > 0)
            dt[0] = t[0];
        else
            dt[0] = n > 1 ? t[1] - t[0] : 0;
        if (!(dt[k] > 0 && std::isfinite(dt[k])))
            return {};
    }
    return dt;
}

// One backward-Euler step per sample, per load type, with the state the
// load carries from one sample to the next.
class LoadStepper {
public:
    LoadStepper(const SoaSimInput &in, const SimLoad &load)
        : in(in)
        , s(load)
    {
    }

    void step(double x, double h, double &V, double &I)
    {
        if (in.motor)
            motor(x, V, I);
        else if (s.voltage && s.series)
            seriesVoltage(x, h, V, I);
        else if (s.voltage)
            parallelVoltage(x, h, V, I);
        else if (!s.series)
            parallelCurrent(x, h, V, I);
        else
            seriesCurrent(x, h, V, I);
        V = finiteOrZero(V);
        I = finiteOrZero(I);
        vc = finiteOrZero(vc);
        iL = finiteOrZero(iL);
        iPrev = I;
        vPrev = V;
    }

private:
    void motor(double x, double &V, double &I) const
    {
        switch (in.motorMode) {
        case MotorMode::Stall:
            V = x;
            I = V / s.R;
            break;
        case MotorMode::Reversal:
            I = x;
            V = (I - in.motorI) * s.R + in.motorEMF;
            break;
        case MotorMode::Normal:
            V = in.motorVDC;
            I = in.motorI;
            break;
        }
    }

    void seriesVoltage(double x, double h, double &V, double &I)
    {
        V = x;
        if (!s.capShort) {
            const double den = s.L / h + s.R + h / s.C;
            I = (s.C == 0 || den == 0) ? 0 : (s.L * iPrev / h + x - vc) / den;
            if (s.C != 0)
                vc += I * h / s.C;
        } else {
            const double den = s.L / h + s.R;
            I = den == 0 ? 0 : (s.L * iPrev / h + x) / den;
        }
    }

    void parallelVoltage(double x, double h, double &V, double &I)
    {
        V = x;
        I = x / s.R + iL + x * h / s.L + s.C * (x - vPrev) / h;
        iL += x * h / s.L;
    }

    void parallelCurrent(double x, double h, double &V, double &I)
    {
        I = x;
        if (s.R == 0 || s.L == 0) {
            V = 0;
        } else {
            const double den = h / s.L + 1 / s.R + s.C / h;
            V = den == 0 ? 0 : (s.C * vPrev / h + x - iL) / den;
            iL += V * h / s.L;
        }
    }

    void seriesCurrent(double x, double h, double &V, double &I)
    {
        I = x;
        V = x * s.R + s.L * (x - iPrev) / h;
        if (!s.capShort) {
            V += x * h / s.C + vc;
            vc += x * h / s.C;
        }
    }

    const SoaSimInput &in;
    const SimLoad s;
    double iPrev = 0, vc = 0, vPrev = 0, iL = 0;
};

// The amplifier side of each displayed sample, the running averages and
// extremes, and the checks against the part's limits.
class SampleRecorder {
public:
    SampleRecorder(const SoaSimInput &in, const amp &a, SoaSimResult &r, double tTotal)
        : in(in)
        , a(a)
        , r(r)
        , N(qMax(1, in.numParallel))
        , tTotal(tTotal)
        , sw(swingCoefficients(a, in.boost, N, in.rcs))
        , checkSlew(!a.slewRate.isEmpty())
        , slewLimit(checkSlew ? a.slewRate.first() : 0)
        , checkBreakdown(a.SB_V < a.Vss_max)
    {
    }

    void record(int j, double clock, double h, double V, double I)
    {
        const double ia = std::fabs(I) / N;
        double vo = V;
        if (in.bridge)
            vo = in.unipolar ? V / 2 : V / 2 + (in.vsPos + in.vsNeg) / 2;
        double vd = I < 0 ? vo - in.vsNeg : in.vsPos - vo;
        if (N > 1 && I != 0)
            vd -= in.rcs * ia;
        const double pl = V * I;
        const double pa = ia * vd;

        r.time[j] = clock;
        r.V[j] = V;
        r.I[j] = I;
        r.Ia[j] = ia;
        r.Vo[j] = vo;
        r.Vd[j] = vd;
        r.PL[j] = pl;
        r.PA[j] = pa;

        r.avgLoadPower += pl * h / tTotal;
        r.avgAmpPower += pa * h / tTotal;
        r.avgAmpCurrent += ia * h / tTotal;
        peak = qMax(peak, pa);
        iMax = qMax(iMax, I);
        iMin = qMin(iMin, I);
        vMax = qMax(vMax, V);
        vMin = qMin(vMin, V);
        if (I > 0)
            ++r.direction;
        else if (I < 0)
            --r.direction;
        check(j, h, V, ia, vo, vd);
    }

    void finish(int total)
    {
        r.peakAmpPower = total > 0 ? peak : 0;
        r.Imax = iMax;
        r.Imin = iMin;
        r.Vmax = vMax;
        r.Vmin = vMin;
    }

private:
    void check(int j, double h, double V, double ia, double vo, double vd)
    {
        const double drop = sw.A * ia * ia + sw.B * ia + sw.C;
        if (vo > in.vsPos - drop || vo < in.vsNeg + drop)
            r.clipping = true;
        if (j > 0 && checkSlew && std::fabs(V - r.V[j - 1]) / h / 1e6 > slewLimit)
            r.slew = true;
        if (ia > a.I_cont)
            r.contCurrent = true;
        if (ia > a.I_pk)
            r.peakCurrent = true;
        if (checkBreakdown) {
            const double limit = vd < a.SB_V ? a.I_cont : a.I_cont * std::pow(a.SB_V / vd, a.SB_slope);
            if (ia > limit)
                r.secondBreakdown = true;
        }
    }

    const SoaSimInput &in;
    const amp &a;
    SoaSimResult &r;
    const int N;
    const double tTotal;
    const SwingCoefficients sw;
    const bool checkSlew;
    const double slewLimit;
    const bool checkBreakdown;
    double peak = -HUGE_VAL;
    double iMax = -999999999, iMin = 999999999, vMax = -999999999, vMin = 999999999;
};

} // namespace

SoaSimResult simulateSoaLoad(const SoaSimInput &in, const amp &a)
{
    SoaSimResult r;
    judgeLoad(in, r);
    const SimLoad load = simLoad(in);

    const int n = qMin(in.period.time.size(), in.period.wave.size());
    r.pointsPerPeriod = n;
    r.cycles = load.cycles;
    const QVector<double> dt = n > 0 ? timeSteps(in.period, n) : QVector<double>();

    // Nothing is simulated where the answer would be infinite: a voltage into a
    // short, a current into a load that cannot carry it, a stalled motor of no
    // resistance, or a period without increasing times.
    bool simulate = !dt.isEmpty();
    if (!in.motor && load.voltage && r.shorted)
        simulate = false;
    if (!in.motor && !load.voltage && !r.conducts)
        simulate = false;
    if (in.motor && in.motorMode == MotorMode::Stall && load.R == 0)
        simulate = false;

    r.Imax = r.Imin = r.Vmax = r.Vmin = 0;
    if (!simulate)
        return r;

    LoadStepper stepper(in, load);
    const double *wave = in.period.wave.constData();
    double V = 0, I = 0;
    if (!in.motor)
        for (int j = 0; j < load.after * n; ++j)
            stepper.step(wave[j % n] * in.scale, dt[j % n], V, I);

    const int total = load.cycles * n;
    for (QVector<double> *v : { &r.time, &r.V, &r.I, &r.Ia, &r.Vo, &r.Vd, &r.PL, &r.PA })
        v->resize(total);

    double periodLength = in.period.time.at(n - 1);
    if (!(periodLength > 0)) {
        periodLength = 0;
        for (double h : dt)
            periodLength += h;
    }
    SampleRecorder recorder(in, a, r, periodLength * load.cycles);
    double clock = in.period.time.at(0);
    for (int j = 0; j < total; ++j) {
        const int k = j % n;
        const double h = dt[k];
        stepper.step(wave[k] * in.scale, h, V, I);
        if (j > 0)
            clock += h;
        recorder.record(j, clock, h, V, I);
    }
    recorder.finish(total);
    if (load.R == 0 || load.R == kOpenValue)
        r.avgLoadPower = 0;
    return r;
}
