#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

#include "catalog/records.h"
#include "pages/resultnote.h"
#include "pages/soa/soasimulation.h"

// What a curve of the SOA chart stands for; the chart gives each kind its pen.
enum class SoaCurveKind { Steady, Case85, Case125, Pulse1, Pulse2, Pulse3, Swing, Custom };

// One curve of the SOA chart, x = differential voltage, y = current of one amplifier.
struct SoaCurve {
    QString name;
    SoaCurveKind kind = SoaCurveKind::Steady;
    QVector<double> x, y;
};

// Everything the SOA page computes from, as numbers (fields already parsed).
struct SoaInput {
    SoaSimInput sim; // period, load and configuration
    double sigFreq = 1000; // the sine frequency field, also read by the quiescent and thermal rules
    double sigMax = 40, sigMin = -40;
    double tempA = 25, thermalCompound = 0.1;
    double heatsink = 0; // value of the heatsink field
    bool heatsinkNone = false; // the field reads "none"
    bool heatsinkFoil = false; // the field reads "foil"
    double rangePercent = 20; // tolerance of the current limit
    double rcl = 0; // R_CL: "short" gives 0, "open" the open value
    bool rclSeeDatasheet = false; // R_CL reads "See datasheet for details."
    double rfo = 4294967295.0; // R_FO, the open value when "open"
    bool motorLoadType = false; // the load type shows "DC Motor" (the signal may still be another)
    bool hideSwing = true; // "Hide Voltage Swing" is checked
    bool customTemp = false;
    double customTempValue = 100;
};

struct SoaThermal {
    bool dc = true; // the DC thermal resistance and the peak power apply
    double rtheta = 0, pj = 0, ptot = 0, tcAllow = 0, tcFree = 0, tc = 0, tj = 0;
    bool heatsinkNeeded = false;
    double rmin = 0; // three digits, truncated; meaningful when needed
    QString minHeatsinkText;
};

// The result labels; a label over its limit is a warning.
struct SoaLabels {
    ResultNote pdLoad, pdAmpAvg, tempC, tempJ, suggTcMax, minHeatsink;
};

struct SoaBand {
    bool shown = false;
    QVector<double> x, upper, lower;
    bool activates = false; // the limit would act on the first displayed period
};

struct SoaResult {
    QVector<SoaCurve> boundary; // in drawing order
    SoaCurve swing; // no points while hidden or when the supplies leave no swing
    bool swingShown = false; // the swing graph is drawn, even with no points
    SoaCurve custom; // no points unless asked for
    bool customShown = false;
    SoaSimResult sim;
    bool loadLineShown = false;
    double quiescentPower = 0;
    QStringList powerDetails;
    SoaThermal thermal;
    SoaBand band;
    bool setRclSeeDatasheet = false; // the part has no band; R_CL shows the datasheet hint
    SoaLabels labels;
    NoteTone supplyTone = NoteTone::Normal; // of the supply labels on the schematic
    ResultNotes notes; // the whole notes box, "Notes: " first
};

// The voltage grid of the boundary curves: 1000 points from 1 V to Vss_max.
QVector<double> soaVoltageGrid(double vssMax);
// The boundary curves of the part, in drawing order, with names and kinds.
QVector<SoaCurve> plotSOAdataCurves(const amp &a);
// The worst-case swing box; empty while it is hidden.
SoaCurve plotVswingCurve(const amp &a, bool boost, int numParallel, double rcs, double vsPos, double vsNeg);
// The limit line at a chosen case temperature (raised to 25 degC).
SoaCurve customTempCurve(const amp &a, double temperature);

double quiescentPower(const amp &a, double sigFreq, double vsPos, double vsNeg, bool boost);

// "1 square inch foil", "foil - see datasheet", or empty for a package that is not a foil package.
QString foilPackageText(const QString &packageStyle);

SoaThermal thermalResult(const SoaInput &in, const amp &a, const SoaSimResult &sim, double pq);

// The current limit at an amplifier output voltage, none where the part has no
// limit to draw; `rcl` as in SoaInput, Tc the case temperature.
struct CurrentLimit {
    bool present = false;
    std::function<std::optional<double>(double)> at;
};
CurrentLimit currentLimit(const amp &a, double tc, double rcl, bool rclSeeDatasheet, double rfo);
SoaBand currentLimitBand(const SoaInput &in, const amp &a, const SoaSimResult &sim, double tc);

QStringList powerDetailLines(const SoaInput &in, const amp &a, const SoaSimResult &sim, double pq);
SoaLabels labelsFor(const SoaInput &in, const amp &a, const SoaSimResult &sim, const SoaThermal &t);
// The thermal warnings of the labels, in their order.
ResultNotes powerWarnings(const SoaLabels &labels);
// Supply and output-range warnings; `supplyTone` tells whether the supply labels are a warning.
ResultNotes SupplyWarnings(const SoaInput &in, const amp &a, const SoaSimResult &sim, NoteTone *supplyTone);

// The whole page computation: simulation, power, thermal result, band and notes.
SoaResult computeSoa(const SoaInput &in, const amp &a);

// What the signal tab says about the current signal, on one line.
struct SoaSignalInfo {
    int type = 0; // 0 sine, 1 trapezoid, 2 uploaded, 3 DC motor
    bool voltage = true;
    double maximum = 40, minimum = -40, frequency = 1000;
    double tRise = 25e-6, tHigh = 25e-6, tFall = 25e-6, tLow = 25e-6;
    double scale = 1;
    MotorMode motorMode = MotorMode::Normal;
    double motorVDC = 12, motorI = 1;
    double vsPos = 50, vsNeg = -50, iPeak = 0;
};
QString waveDescription(const SoaSignalInfo &info, const SoaPeriod &period);
