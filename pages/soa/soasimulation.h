#pragma once

#include <QString>
#include <QVector>

#include "catalog/records.h"

// One period of the output signal: time points (s, or arbitrary units for the
// motor sweep) and values (V or A). Both vectors always have the same length.
struct SoaPeriod {
    QVector<double> time;
    QVector<double> wave;
};

// Period builders. Index i counts from 1, so no point lies at t = 0. A sine of no
// (or no finite) frequency and a trapezoid of no length give an empty period
// rather than infinite times.
SoaPeriod SOAsine(double frequency, double maximum, double minimum);
SoaPeriod SOAtrap(double tRise, double tHigh, double tFall, double tLow, double maximum, double minimum);
// The DC-motor sweep from the negative to the positive supply, or, for a
// reversal, from minus the peak current up to 0.
SoaPeriod SOAmotor(double vsPos, double vsNeg, bool reversal, double iPeak);

// N points per segment between consecutive points; the last point is not
// emitted, so the result has (points - 1) N points, none for fewer than two.
SoaPeriod increaseSOAResolution(const SoaPeriod &period, int n);

// What an uploaded file gave.
struct SoaCsvResult {
    bool accepted = false; // false: the previous waveform stays
    SoaPeriod period;
    int points = 0; // usable lines of the file
    int skipped = 0; // lines with fewer than two numbers
    int badLine = 0; // 1-based line of the first time that does not increase
    QString message; // why the file was refused
};

// Reads "time,value" lines. Lines with fewer than two numbers are skipped; times
// must increase from line to line; 1 to 499 usable lines are densified to about
// 1000 points, 500 or more are kept as they are, none give an empty waveform.
SoaCsvResult readSoaCsv(const QString &text);

enum class MotorMode { Normal, Stall, Reversal };

// What the load simulation needs: the period, the load, the configuration.
struct SoaSimInput {
    SoaPeriod period;
    bool voltageSignal = true;
    double scale = 1; // the CSV scale for an uploaded signal, else 1
    double R = 1000, L = 0, C = 4294967295.0; // C at the open value means "short"
    bool series = true;
    bool motor = false;
    MotorMode motorMode = MotorMode::Normal;
    double motorESR = 3, motorI = 1, motorEMF = 50, motorVDC = 12;
    double vsPos = 50, vsNeg = -50;
    bool boost = false;
    double rcs = 1;
    int numParallel = 1;
    bool bridge = false;
    bool unipolar = false; // bridged with "Unipolar Output" rather than "Same Supplies"
    int displayAfter = 2;
    int displayCycles = 2;
};

// Every kept sample and what was derived from them.
struct SoaSimResult {
    bool shorted = false; // the load shorts the output
    bool conducts = true; // the load can carry a current at all
    QVector<double> time, V, I, Ia, Vo, Vd, PL, PA;
    double avgLoadPower = 0, avgAmpPower = 0, avgAmpCurrent = 0, peakAmpPower = 0;
    double Imax = 0, Imin = 0, Vmax = 0, Vmin = 0; // 0 when nothing was displayed
    int direction = 0; // +1 per positive-current sample, -1 per negative one
    int pointsPerPeriod = 0;
    int cycles = 0; // periods displayed
    bool clipping = false, slew = false, peakCurrent = false, contCurrent = false, secondBreakdown = false;
};

// The worst-case swing drop coefficients A, B, C (B with R_CS for paralleled
// amplifiers), from the boost column when boost supplies are in use.
struct SwingCoefficients {
    double A = 0, B = 0, C = 0;
};
SwingCoefficients swingCoefficients(const amp &a, bool boost, int numParallel, double rcs);

// Backward-Euler run of the load over the discarded and the displayed periods,
// with the per-sample quantities, running averages, extremes and checks.
SoaSimResult simulateSoaLoad(const SoaSimInput &in, const amp &a);
