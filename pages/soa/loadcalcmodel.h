#pragma once

#include <QString>

// One entry of the load calculator: its value and whether it reads "open" or "short".
struct LoadCalcEntry {
    double value = 0;
    bool open = false;
    bool shorted = false;
};

// An impedance as the calculator shows it: magnitude and angle in degrees,
// six significant digits, or the words "open" and "0".
struct ImpedanceText {
    QString magnitude;
    QString angle;
};

// Series R-L-C at a frequency.
ImpedanceText seriesRLC(
    const LoadCalcEntry &r, const LoadCalcEntry &l, const LoadCalcEntry &c, const LoadCalcEntry &f);
// Parallel R-L-C at a frequency.
ImpedanceText parallelRLC(
    const LoadCalcEntry &r, const LoadCalcEntry &l, const LoadCalcEntry &c, const LoadCalcEntry &f);
// Two impedances given as magnitude and angle, in series or in parallel.
ImpedanceText combineImpedances(const LoadCalcEntry &z1, const LoadCalcEntry &a1, const LoadCalcEntry &z2,
    const LoadCalcEntry &a2, bool series);
