#pragma once

// The straight-line Bode grid of the loop model: the 128 frequencies, break
// frequencies with their slopes and phases, the closure search and the
// phase-margin sum. Used by loopmodel.cpp only.

#include <QString>
#include <QVector>
#include <array>
#include <cmath>
#include <vector>

#include "pages/stability/loopmodel.h"

namespace BodeGrid {

using namespace StabGrid;

struct Grid {
    std::array<double, kPoints> f {};
    std::array<double, kPoints> lf {}; // log10 of f
    QVector<double> vector;
    Grid()
    {
        f[0] = 1;
        for (int i = 1; i < kPoints; ++i)
            f[i] = f[i - 1] * kRatio;
        for (int i = 0; i < kPoints; ++i)
            lf[i] = std::log10(f[i]);
        vector = QVector<double>(f.begin(), f.end());
    }
};

// Built once when the library loads, so the hot loops below read it without
// a guard check.
inline const Grid kGrid;

inline const Grid &grid()
{
    return kGrid;
}

using Curve = std::array<double, kPoints>;

// A break frequency with its logarithm taken once per model run. A break that
// is not a positive number (an empty host pole, a negative part typed) would
// make the straight lines infinite; it is read as no break at all.
struct Break {
    double f = kNoBreak;
    double lf = 13;
    Break() = default;
    explicit Break(double hz)
    {
        f = (hz > 0 && std::isfinite(hz)) ? hz : kNoBreak;
        lf = std::log10(f);
    }
    // 20 log10(freq / f) once the break is reached (f below freq), else 0.
    double slope(int i) const { return f < kGrid.f[i] ? 20.0 * (kGrid.lf[i] - lf) : 0.0; }
    // Straight-line phase of one pole or zero, without its sign: 0 up to a
    // tenth of the break, 90 beyond ten times it, 45 degrees a decade between.
    double phase(int i) const
    {
        const double r = kGrid.f[i] / f;
        if (r <= 0.1)
            return 0.0;
        if (r <= 10)
            return (kGrid.lf[i] - lf + 1.0) * 45.0;
        return 90.0;
    }
};

// The first grid point with the smallest difference, starting from `start`
// and replacing only on a strictly smaller value.
struct Pick {
    int index = 1;
    double freq = 1;
};

template <typename F> inline Pick firstMinimum(double start, F diff)
{
    const Grid &g = grid();
    Pick p;
    double best = start;
    for (int i = 0; i < kPoints; ++i) {
        const double d = diff(i);
        if (d < best) {
            best = d;
            p.index = i;
            p.freq = g.f[i];
        }
    }
    return p;
}

inline double rateOfClosure(const Curve &open, const Curve &invBeta, int i)
{
    int hi = i, lo = i - 1;
    if (i <= 0) {
        lo = 0;
        hi = 1;
    }
    if (hi >= kPoints) {
        hi = kPoints - 1;
        lo = hi - 1;
    }
    return 16.0 * ((open[lo] - invBeta[lo]) - (open[hi] - invBeta[hi]));
}

// One signed straight-line phase contribution of the loop gain.
struct PhaseTerm {
    const char *name;
    Break b;
    double sign; // -1 for a pole of the loop gain, +1 for a zero
    bool active; // some composite terms count only under a condition
    bool always; // drawn even when it stays zero
};

// Sums the terms into the loop phase up to `lastIndex`, and the phase margin
// over every grid point up to closure; with plot it also fills the curves.
inline double phaseMargin(const std::vector<PhaseTerm> &terms, double closure, bool plot, LoopResult &r)
{
    const Grid &g = grid();
    int last = -1;
    for (int i = 0; i < kPoints && g.f[i] <= closure; ++i)
        last = i;
    const int count = plot ? kPoints : last + 1;
    double minimum = 0;
    QVector<double> total(plot ? kPoints : 0, 0.0);
    QVector<LoopSeries> comps;
    if (plot) {
        for (const PhaseTerm &t : terms) {
            LoopSeries s;
            s.name = QString::fromLatin1(t.name);
            s.y = QVector<double>(kPoints, 0.0);
            s.present = false;
            comps.append(s);
        }
    }
    for (int i = 0; i < count; ++i) {
        double sum = 0;
        for (size_t n = 0; n < terms.size(); ++n) {
            const PhaseTerm &t = terms[n];
            if (!t.active)
                continue;
            const double p = t.sign * t.b.phase(i);
            sum += p;
            if (plot && p != 0) {
                comps[int(n)].y[i] = p;
                comps[int(n)].present = true;
            }
        }
        if (i <= last && sum < minimum)
            minimum = sum;
        if (plot)
            total[i] = sum;
    }
    if (plot) {
        for (size_t n = 0; n < terms.size(); ++n)
            comps[int(n)].shown = terms[n].always || comps[int(n)].present;
        r.phaseComponents = comps;
        r.openLoopPhase = total;
    }
    return minimum + 180.0;
}

inline QVector<double> toVector(const Curve &c)
{
    return QVector<double>(c.begin(), c.end());
}

} // namespace BodeGrid
