#include "pages/soa/loadcalcmodel.h"

#include <cmath>

#include "values/comp.h"
#include "values/sivalues.h"

namespace {

// The calculator's own constants, so that its results match its hand rules.
constexpr double kTwoPi = 6.28318;
constexpr double kPi = 3.14159;

QString six(double x)
{
    return QString::number(x, 'g', 6);
}

ImpedanceText openResult()
{
    return { QStringLiteral("open"), QStringLiteral("0") };
}

ImpedanceText zeroResult()
{
    return { QStringLiteral("0"), QStringLiteral("0") };
}

double degrees(double re, double im)
{
    if (re == 0)
        return im == 0 ? 0 : (im > 0 ? 90 : -90);
    return std::atan(im / re) * 180 / kPi;
}

} // namespace

ImpedanceText seriesRLC(
    const LoadCalcEntry &r, const LoadCalcEntry &l, const LoadCalcEntry &c, const LoadCalcEntry &f)
{
    if (r.open || l.open || c.open || f.open)
        return openResult();
    const double R = r.shorted ? 0 : r.value;
    const double L = l.shorted ? 0 : l.value;
    const double xl = kTwoPi * f.value * L;
    double xc = 0;
    if (!c.shorted) {
        // A capacitor of no value, or at DC, blocks the chain.
        if (c.value == 0 || f.value == 0)
            return openResult();
        xc = 1 / (kTwoPi * f.value * c.value);
    }
    const double x = xl - xc;
    if (R == 0)
        return { six(std::fabs(x)), six(xl > xc ? 90 : (xl == xc ? 0 : -90)) };
    return { six(std::sqrt(R * R + x * x)), six(std::atan(x / R) * 180 / kPi) };
}

ImpedanceText parallelRLC(
    const LoadCalcEntry &r, const LoadCalcEntry &l, const LoadCalcEntry &c, const LoadCalcEntry &f)
{
    const bool rOpen = r.open || r.value == kOpenValue;
    const bool lOpen = l.open || l.value == kOpenValue;
    if (c.shorted || (!rOpen && (r.shorted || r.value == 0)) || (!lOpen && (l.shorted || l.value == 0)))
        return zeroResult();
    if (!lOpen && f.value == 0)
        return zeroResult(); // the inductor shorts the load at DC
    const double bc = (c.open || c.value == 0) ? 0 : kTwoPi * f.value * c.value;
    const double bl = lOpen ? 0 : 1 / (kTwoPi * f.value * l.value);
    const double b = bl - bc;
    if (rOpen) {
        if (b == 0)
            return openResult();
        return { six(1 / std::fabs(b)), six(bl > bc ? 90 : -90) };
    }
    const double g = 1 / r.value;
    return { six(1 / std::sqrt(b * b + g * g)), six(std::atan(b / g) * 180 / kPi) };
}

ImpedanceText combineImpedances(const LoadCalcEntry &z1, const LoadCalcEntry &a1, const LoadCalcEntry &z2,
    const LoadCalcEntry &a2, bool series)
{
    const bool open1 = z1.open || z1.value == kOpenValue;
    const bool open2 = z2.open || z2.value == kOpenValue;
    const comp p(z1.shorted ? 0 : z1.value * std::cos(a1.value * kPi / 180),
        z1.shorted ? 0 : z1.value * std::sin(a1.value * kPi / 180));
    const comp q(z2.shorted ? 0 : z2.value * std::cos(a2.value * kPi / 180),
        z2.shorted ? 0 : z2.value * std::sin(a2.value * kPi / 180));
    comp z;
    if (series) {
        if (open1 || open2)
            return openResult();
        z = p + q;
    } else {
        if (open1 && open2)
            return openResult();
        if (open1)
            z = q;
        else if (open2)
            z = p;
        else if (p.magnitude() == 0 || q.magnitude() == 0)
            return zeroResult();
        else if ((p + q).magnitude() == 0)
            return openResult(); // an ideal resonance between the two
        else
            z = (p * q) / (p + q);
    }
    return { six(z.magnitude()), six(degrees(z.real(), z.imag())) };
}
