#include "values/comp.h"

#include "values/sivalues.h"

#include <cfloat>
#include <cmath>

double comp::magnitude() const
{
    return std::sqrt(re * re + im * im);
}

comp comp::operator+(const comp &other) const
{
    return comp(re + other.re, im + other.im);
}

comp comp::operator-(const comp &other) const
{
    return comp(re - other.re, im - other.im);
}

comp comp::operator*(const comp &other) const
{
    return comp(re * other.re - im * other.im, re * other.im + im * other.re);
}

comp comp::operator/(const comp &other) const
{
    const double d = other.re * other.re + other.im * other.im;
    comp result((re * other.re + im * other.im) / d, (im * other.re - re * other.im) / d);
    if (std::fabs(other.re) > DBL_MAX || std::fabs(other.im) > DBL_MAX)
        result.set(0, 0);
    if (other.re == 0 && other.im == 0)
        result.set(kOpenValue, 0);
    return result;
}

comp comp::operator+(double x) const
{
    return comp(re + x, im);
}

comp comp::operator-(double x) const
{
    return comp(re - x, im);
}

comp comp::operator*(double x) const
{
    return comp(re * x, im * x);
}

comp comp::operator/(double x) const
{
    return comp(re / x, im / x);
}
