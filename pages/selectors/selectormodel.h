#pragma once

#include <QString>
#include <QVector>

#include "catalog/records.h"

// The decisions of the linear and PWM amplifier selectors, one row per
// catalog record, free of widgets so that the rules can be checked on small
// hand-made catalogs.

namespace SelectorModel {

// The selectors' value of pi, kept as the tool has always rounded it so that
// bandwidths and slew rates agree with earlier releases.
constexpr double kPi = 3.14159;

// Table columns shared by both selectors (the model's column numbers).
enum Column { ColIndex = 0, ColName = 1, ColPrice = 11, ColumnCount = 12 };

enum class Match { Full, Close, Bridge, Parallel, Hidden };

// Truncation toward zero to a whole number; values that are not finite or do
// not fit an int saturate instead of overflowing.
int wholeNumber(double x);

// Slew rate (V/us) that a full-swing sine of `frequencyKHz` and `vpp` needs, and back.
double slewRateFromFrequency(double frequencyKHz, double vpp);
double frequencyFromSlewRate(double slewRate, double vpp);
// General notation with six significant digits; a value that is not finite
// (a zero swing) shows the no-value dash, which reads back as bad input.
QString sixDigits(double x);

// The part name behind a table name: "-BRIDGE" or "-PARALLEL (n)" removed
// from the end; any other dash belongs to the name.
QString removeLinearSuffix(const QString &text);
QString removeParallelSuffix(const QString &text);
QString parallelSuffix(int count);
inline const char *const kBridgeSuffix = "-BRIDGE";

struct LinearRequirements {
    double current = 0; // A, magnitude
    double vpp = 0; // V peak to peak, magnitude
    double slewRate = 0; // V/us
    int relax = 20; // percent accepted for a close match
    bool bridge = false;
    bool parallel = false;
    int maxParallel = 3;
};

struct LinearRow {
    int index = 0; // column 0: catalog position
    QString name; // column 1: ampName + suffix
    QString suffix;
    int channels = 1; // column 2
    double vssMax = 0; // column 3
    double current = 0; // column 4
    int swing = 0; // column 5, Vp-p
    double slewRate = 0; // column 6, V/us
    int bandwidth = 0; // column 7, kHz
    double quiescent = 0; // column 8, mA
    double dissipation = 0; // column 9, W
    QString package; // column 10
    double price = 0; // column 11
    Match match = Match::Full;
    QVector<int> marked; // columns with the close-match background
    bool shown() const { return match != Match::Hidden; }
};

// The row as the table is first filled, before any requirement applies.
LinearRow linearTableRow(const amp &a, int index, const QVector<PackageStyle> &packages);
// The row after the requirements: kept, marked, turned into a bridge or
// parallel solution, or hidden.
LinearRow eliminateLinear(
    const amp &a, int index, const QVector<PackageStyle> &packages, const LinearRequirements &req);
QVector<LinearRow> eliminateLinearCatalog(
    const QVector<amp> &linear, const QVector<PackageStyle> &packages, const LinearRequirements &req);

struct PwmRequirements {
    double current = 0; // A, magnitude
    double voltage = 0; // V peak, magnitude
    double frequency = 0; // kHz after the output filter
    int relax = 20;
    bool parallel = false;
    int maxParallel = 3;
};

struct PwmRow {
    int index = 0; // column 0
    QString name; // column 1
    QString suffix;
    QString outputType; // column 2
    double vsMax = 0; // column 3
    double current = 0; // column 4
    double peakCurrent = 0; // column 5
    int voltage = 0; // column 6, Vpeak
    double fswMax = 0; // column 7, kHz
    double bandwidth = 0; // column 8, kHz
    double dissipation = 0; // column 9
    QString package; // column 10
    double price = 0; // column 11
    Match match = Match::Full;
    QVector<int> marked;
    bool shown() const { return match != Match::Hidden; }
};

QString outputTypeText(int outputs);
// On-resistance of an output element at a 25 degC junction, ohm.
double onResistanceAt25(double a, double b, double c);

PwmRow pwmTableRow(const pwm &p, int index, const QVector<PackageStyle> &packages);
PwmRow eliminatePwm(
    const pwm &p, int index, const QVector<PackageStyle> &packages, const PwmRequirements &req);
QVector<PwmRow> eliminatePwmCatalog(
    const QVector<pwm> &pwms, const QVector<PackageStyle> &packages, const PwmRequirements &req);

// Catalog positions of the shown rows in table order: cheapest first, equal
// prices in catalog order.
QVector<int> priceOrder(const QVector<LinearRow> &rows);
QVector<int> priceOrder(const QVector<PwmRow> &rows);

} // namespace SelectorModel
