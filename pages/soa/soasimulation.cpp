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

}  // namespace

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

SoaSimResult simulateSoaLoad(const SoaSimInput &in, const amp &a)
{
    SoaSimResult r;

    // Short and conduction are judged on the R-L-C entries, also for a motor.
    const bool cShort = in.C == kOpenValue;
    if (in.series) {
        r.shorted = in.R == 0 && in.L == 0 && cShort;
        r.conducts = !(in.R == kOpenValue || in.L == kOpenValue || in.C == 0);
    } else {
        r.shorted = in.R == 0 || in.L == 0 || cShort;
        r.conducts = !(in.R == kOpenValue && in.L == kOpenValue && in.C == 0);
    }

    double R = in.R, L = in.L, C = in.C;
    bool series = in.series;
    bool voltage = in.voltageSignal;
    int after = qMax(0, in.displayAfter);
    int cycles = qMax(1, in.displayCycles);
    if (in.motor) {
        R = in.motorESR;
        L = 0;
        C = kOpenValue;
        series = true;
        cycles = 1;
        after = 0;
        voltage = in.motorMode != MotorMode::Reversal;
    } else if (!series && cShort) {
        R = 0;
        L = 0;
    }
    const bool capShort = C == kOpenValue;
    const int N = qMax(1, in.numParallel);

    const int n = qMin(in.period.time.size(), in.period.wave.size());
    r.pointsPerPeriod = n;
    r.cycles = cycles;

    QVector<double> dt(n);
    bool stepsValid = n > 0;
    for (int k = 0; k < n && stepsValid; ++k) {
        const double *t = in.period.time.constData();
        if (k > 0)
            dt[k] = t[k] - t[k - 1];
        else if (t[0] > 0)
            dt[0] = t[0];
        else
            dt[0] = n > 1 ? t[1] - t[0] : 0;
        stepsValid = dt[k] > 0 && std::isfinite(dt[k]);
    }

    // Nothing is simulated where the answer would be infinite: a voltage into a
    // short, a current into a load that cannot carry it, a stalled motor of no
    // resistance, or a period without increasing times.
    bool simulate = stepsValid;
    if (!in.motor && voltage && r.shorted)
        simulate = false;
    if (!in.motor && !voltage && !r.conducts)
        simulate = false;
    if (in.motor && in.motorMode == MotorMode::Stall && R == 0)
        simulate = false;

    r.Imax = r.Imin = r.Vmax = r.Vmin = 0;
    if (!simulate)
        return r;

    double iPrev = 0, vc = 0, vPrev = 0, iL = 0;
    auto step = [&](double x, double h, double &V, double &I) {
        if (in.motor) {
            switch (in.motorMode) {
            case MotorMode::Stall:
                V = x;
                I = V / R;
                break;
            case MotorMode::Reversal:
                I = x;
                V = (I - in.motorI) * R + in.motorEMF;
                break;
            case MotorMode::Normal:
                V = in.motorVDC;
                I = in.motorI;
                break;
            }
        } else if (voltage && series) {
            V = x;
            if (!capShort) {
                const double den = L / h + R + h / C;
                I = (C == 0 || den == 0) ? 0 : (L * iPrev / h + x - vc) / den;
                if (C != 0)
                    vc += I * h / C;
            } else {
                const double den = L / h + R;
                I = den == 0 ? 0 : (L * iPrev / h + x) / den;
            }
        } else if (voltage) {
            V = x;
            I = x / R + iL + x * h / L + C * (x - vPrev) / h;
            iL += x * h / L;
        } else if (!series) {
            I = x;
            if (R == 0 || L == 0) {
                V = 0;
            } else {
                const double den = h / L + 1 / R + C / h;
                V = den == 0 ? 0 : (C * vPrev / h + x - iL) / den;
                iL += V * h / L;
            }
        } else {
            I = x;
            V = x * R + L * (x - iPrev) / h;
            if (!capShort) {
                V += x * h / C + vc;
                vc += x * h / C;
            }
        }
        V = finiteOrZero(V);
        I = finiteOrZero(I);
        vc = finiteOrZero(vc);
        iL = finiteOrZero(iL);
        iPrev = I;
        vPrev = V;
    };

    const double *wave = in.period.wave.constData();
    double V = 0, I = 0;
    if (!in.motor)
        for (int j = 0; j < after * n; ++j)
            step(wave[j % n] * in.scale, dt[j % n], V, I);

    const int total = cycles * n;
    for (QVector<double> *v : {&r.time, &r.V, &r.I, &r.Ia, &r.Vo, &r.Vd, &r.PL, &r.PA})
        v->resize(total);

    double periodLength = in.period.time.at(n - 1);
    if (!(periodLength > 0)) {
        periodLength = 0;
        for (double h : dt)
            periodLength += h;
    }
    const double tTotal = periodLength * cycles;

    const SwingCoefficients sw = swingCoefficients(a, in.boost, N, in.rcs);
    const bool checkSlew = !a.slewRate.isEmpty();
    const double slewLimit = checkSlew ? a.slewRate.first() : 0;
    const bool checkBreakdown = a.SB_V < a.Vss_max;

    double clock = in.period.time.at(0);
    double peak = -HUGE_VAL;
    double iMax = -999999999, iMin = 999999999, vMax = -999999999, vMin = 999999999;
    for (int j = 0; j < total; ++j) {
        const int k = j % n;
        const double h = dt[k];
        step(wave[k] * in.scale, h, V, I);
        if (j > 0)
            clock += h;

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
    r.peakAmpPower = total > 0 ? peak : 0;
    r.Imax = iMax;
    r.Imin = iMin;
    r.Vmax = vMax;
    r.Vmin = vMin;
    if (R == 0 || R == kOpenValue)
        r.avgLoadPower = 0;
    return r;
}
