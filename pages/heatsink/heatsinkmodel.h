#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "catalog/records.h"
#include "pages/resultnote.h"

// The engineering of the heatsink selector: package codes, limits, matching,
// the forced-flow curve and the minimum flow. No widgets.
namespace HeatsinkModel {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kGramsPerOunce = 28.3495;
constexpr double kFeetPerMetre = 3.28084;
constexpr double kLitresPerGallon = 3.78541;
constexpr double kLitresPerCubicFoot = 28.31685;
constexpr double kSquareMillimetresPerSquareInch = 645.16;
// Air heatsinks are judged at the top of their curve, water-cooled ones at 4 GPM per channel.
constexpr double kAirFlowJudged = 1000;
constexpr double kWaterFlowJudged = 4;
constexpr int kCurvePoints = 128;

// Stands for "no package restriction".
inline const char *const kAllPackages = "ALL";

// The package-list items after "All Packages", with the package-style codes they stand for.
QStringList packageItemTexts();
QStringList packageItemCodes();
// Item 0 ("All Packages") and anything out of range give "ALL".
QString packageCodeForItem(int index);
// Part list index: 0 is "All Parts", then the linear amplifiers, then the PWM amplifiers.
QString packageCodeForPart(const QVector<amp> &linear, const QVector<pwm> &pwms, int index);

// Size and weight limits in inches and ounces; kOpenValue means no limit.
struct Limits {
    double height = 0, length = 0, width = 0, weight = 0;
};

// Values as read from the fields (in the units shown); the length limit is the
// larger of length and width so that a heatsink may be turned.
Limits makeLimits(bool constrained, double height, double length, double width, double weight, bool metric);

bool fitsPackage(const Heatsink &h, const QString &code);
// Free-air resistance, or the curve's value at the judged flow when flow is on.
double effectiveResistance(const Heatsink &h, bool flow);

struct FilterInput {
    QString packageCode = QString::fromLatin1(kAllPackages);
    double rRequired = 30;
    Limits limits;
    double relax = 0.1; // fraction, not percent
    bool flow = false;
};

enum class Match { None, Good, Close };

// Table columns of the heatsink list.
enum Column {
    ColIndex = 0,
    ColName = 1,
    ColNatural = 2,
    ColHeight = 3,
    ColLength = 4,
    ColWidth = 5,
    ColWeight = 6,
    ColPrice = 7,
    ColumnCount = 8
};

struct MatchResult {
    Match match = Match::None;
    double rEffective = 0;
    QVector<int> marked; // columns whose strict limit a close match breaks
};

MatchResult matchHeatsink(const Heatsink &h, const FilterInput &in);
QVector<MatchResult> filterHeatsinks(const QVector<Heatsink> &catalog, const FilterInput &in);

// A table row in the chosen units; metric values are rounded to one decimal.
struct TableRow {
    int index = 0;
    QString name;
    double natural = 0, height = 0, length = 0, width = 0, weight = 0, price = 0;
};
TableRow tableRow(const QVector<Heatsink> &catalog, int index, bool metric);
QStringList tableHeaders(bool metric);

// R against flow for the plot: English flow is linear feet per minute (air) or
// US gallons per minute per channel (water); metric is m/s or L/min.
struct FlowCurve {
    bool water = false;
    QVector<double> flowEnglish, flowMetric, resistance;
    double rMax = 0;
};
FlowCurve flowCurve(const Heatsink &h);

struct FlowAxis {
    QString label;
    double lower = 0, upper = 0, tickStep = 0;
};
FlowAxis flowAxis(bool water, bool metric);

// Minimum flow in English units (LFM or GPM per channel) that reaches rRequired.
struct MinimumFlow {
    bool reachable = true;
    double flow = 0;
};
MinimumFlow minimumFlow(const Heatsink &h, double rRequired);

struct FlowInput {
    bool flowOn = false;
    bool metric = false;
    double rRequired = 30;
    bool circular = true;
    double diameter = 4, x = 4, y = 4; // fan outlet, inches or millimetres
};

// The two flow labels; both are warnings when no flow reaches the resistance.
struct FlowLabels {
    ResultNote linear, volume;
    bool dimensionsEnabled = true;
};
FlowLabels flowLabels(const Heatsink &h, const FlowInput &in);

// Text of a length or weight field converted by factor; words that read as no
// limit stay as typed, numbers get six significant digits.
QString convertFieldText(const QString &text, double factor);

} // namespace HeatsinkModel
