#include "pages/heatsink/heatsinkmodel.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

#include "values/sivalues.h"

namespace HeatsinkModel {

namespace {

double roundTenth(double x)
{
    return std::round(x * 10.0) / 10.0;
}

double toInternal(double value, bool metric, double factor)
{
    if (!metric || value == kOpenValue)
        return value;
    return value / factor;
}

} // namespace

QStringList packageItemTexts()
{
    return { QStringLiteral("8-pin TO-3"), QStringLiteral("12-pin Power DIP (MO-127)"),
        QStringLiteral("10-pin Power Dip"), QStringLiteral("18-pin DIP"), QStringLiteral("TO-220"),
        QStringLiteral("Open Frame"), QStringLiteral("Surface Mount"), QStringLiteral("Power SIP") };
}

QStringList packageItemCodes()
{
    return { QStringLiteral("TO3-8"), QStringLiteral("PD12"), QStringLiteral("PD10"), QStringLiteral("DIP18"),
        QStringLiteral("TO220"), QStringLiteral("OF"), QStringLiteral("SMT"), QStringLiteral("SIP") };
}

QString packageCodeForItem(int index)
{
    const QStringList codes = packageItemCodes();
    if (index < 1 || index > codes.size())
        return QString::fromLatin1(kAllPackages);
    return codes.at(index - 1);
}

QString packageCodeForPart(const QVector<amp> &linear, const QVector<pwm> &pwms, int index)
{
    if (index < 1)
        return QString::fromLatin1(kAllPackages);
    const int i = index - 1;
    if (i < linear.size())
        return linear.at(i).packageStyle;
    if (i - linear.size() < pwms.size())
        return pwms.at(i - linear.size()).packageStyle;
    return QString::fromLatin1(kAllPackages);
}

Limits makeLimits(bool constrained, double height, double length, double width, double weight, bool metric)
{
    Limits l;
    if (!constrained) {
        l.height = l.length = l.width = l.weight = kOpenValue;
        return l;
    }
    l.height = toInternal(height, metric, kMillimetresPerInch);
    const double len = toInternal(length, metric, kMillimetresPerInch);
    const double wid = toInternal(width, metric, kMillimetresPerInch);
    l.length = std::max(len, wid);
    l.width = std::min(len, wid);
    l.weight = toInternal(weight, metric, kGramsPerOunce);
    return l;
}

bool fitsPackage(const Heatsink &h, const QString &code)
{
    if (code == QLatin1String(kAllPackages))
        return true;
    const int n = std::min<int>(h.numPackages, h.packages.size());
    for (int i = 0; i < n; ++i) {
        if (h.packages.at(i) == code)
            return true;
    }
    return false;
}

double effectiveResistance(const Heatsink &h, bool flow)
{
    if (!flow)
        return h.FreeAirTheta;
    const double f = h.isWaterCooled() ? kWaterFlowJudged : kAirFlowJudged;
    return h.A * std::exp(h.B * f) + h.C;
}

MatchResult matchHeatsink(const Heatsink &h, const FilterInput &in)
{
    MatchResult result;
    result.rEffective = effectiveResistance(h, in.flow);
    if (!fitsPackage(h, in.packageCode))
        return result;

    const double k = 1.0 + in.relax;
    const Limits &lim = in.limits;
    const bool rOk = result.rEffective <= in.rRequired;
    const bool hOk = h.Height <= lim.height;
    const bool lOk = h.Length <= lim.length;
    const bool wOk = h.Width <= lim.width;
    const bool mOk = h.Weight <= lim.weight;
    if (rOk && hOk && lOk && wOk && mOk) {
        result.match = Match::Good;
        return result;
    }

    // With flow the curve already gives the best the heatsink can do, so resistance gets no slack.
    const bool rClose = in.flow ? rOk : result.rEffective <= k * in.rRequired;
    const bool close = rClose && h.Height <= k * lim.height && h.Length <= k * lim.length
        && h.Width <= k * lim.width && h.Weight <= k * lim.weight;
    if (!close)
        return result;

    result.match = Match::Close;
    if (!rOk)
        result.marked << ColNatural;
    if (!hOk)
        result.marked << ColHeight;
    if (!lOk)
        result.marked << ColLength;
    if (!wOk)
        result.marked << ColWidth;
    if (!mOk)
        result.marked << ColWeight;
    return result;
}

QVector<MatchResult> filterHeatsinks(const QVector<Heatsink> &catalog, const FilterInput &in)
{
    QVector<MatchResult> results;
    results.reserve(catalog.size());
    for (const Heatsink &h : catalog)
        results.append(matchHeatsink(h, in));
    return results;
}

TableRow tableRow(const QVector<Heatsink> &catalog, int index, bool metric)
{
    TableRow row;
    row.index = index;
    if (index < 0 || index >= catalog.size())
        return row;
    const Heatsink &h = catalog.at(index);
    row.name = h.name;
    row.natural = h.FreeAirTheta;
    row.price = h.relative_price;
    if (metric) {
        row.height = roundTenth(h.Height * kMillimetresPerInch);
        row.length = roundTenth(h.Length * kMillimetresPerInch);
        row.width = roundTenth(h.Width * kMillimetresPerInch);
        row.weight = roundTenth(h.Weight * kGramsPerOunce);
    } else {
        row.height = h.Height;
        row.length = h.Length;
        row.width = h.Width;
        row.weight = h.Weight;
    }
    return row;
}

QStringList tableHeaders(bool metric)
{
    const QString len = metric ? QStringLiteral("mm") : QStringLiteral("in");
    const QString mass = metric ? QStringLiteral("g") : QStringLiteral("oz");
    return { QStringLiteral("Index"), QStringLiteral("HeatSink"), QStringLiteral("Natural R_θ (°C/W)"),
        QStringLiteral("H (%1)").arg(len), QStringLiteral("L (%1)").arg(len),
        QStringLiteral("W (%1)").arg(len), QStringLiteral("Weight (%1)").arg(mass),
        QStringLiteral("Relative Price - 3/15/17 TTL USD") };
}

FlowCurve flowCurve(const Heatsink &h)
{
    FlowCurve c;
    c.water = h.isWaterCooled();
    c.flowEnglish.reserve(kCurvePoints);
    c.flowMetric.reserve(kCurvePoints);
    c.resistance.reserve(kCurvePoints);
    const int last = kCurvePoints - 1;
    for (int i = 0; i < kCurvePoints; ++i) {
        double f, fm;
        if (c.water) {
            f = 2.0 * i / last;
            fm = f * kLitresPerGallon;
        } else {
            f = 100 + (900 * i) / last;
            fm = f / 60.0 / kFeetPerMetre;
        }
        const double r = h.A * std::exp(h.B * f) + h.C;
        // Catalog coefficients near the end of the double range overflow here.
        if (!std::isfinite(r))
            continue;
        c.flowEnglish.append(f);
        c.flowMetric.append(fm);
        c.resistance.append(r);
        if (c.resistance.size() == 1 || r > c.rMax)
            c.rMax = r;
    }
    return c;
}

FlowAxis flowAxis(bool water, bool metric)
{
    if (water) {
        if (metric)
            return { QStringLiteral("Water Flow [Liters per Minute per channel]"), 0, 8.5, 1 };
        return { QStringLiteral("Water Flow [Gallons per Minute per channel]"), 0, 2.25, 0.25 };
    }
    if (metric)
        return { QStringLiteral("Air Flow [Meters per Second]"), 0, 5.5, 0.5 };
    return { QStringLiteral("Air Flow [Linear Feet per Minute]"), 0, 1100, 100 };
}

MinimumFlow minimumFlow(const Heatsink &h, double rRequired)
{
    MinimumFlow m;
    if (h.FreeAirTheta <= rRequired)
        return m;
    // R(F) never falls below its asymptote C, so a requirement at or below it has no flow.
    const double ratio = h.A != 0 ? (rRequired - h.C) / h.A : 0;
    if (!(ratio > 0) || h.B == 0) {
        m.reachable = false;
        return m;
    }
    double f = std::log(ratio) / h.B;
    if (!std::isfinite(f)) {
        m.reachable = false;
        return m;
    }
    const double floorFlow = h.isWaterCooled() ? 0.1 : 100;
    if (f < floorFlow)
        f = floorFlow;
    m.flow = f;
    return m;
}

FlowLabels flowLabels(const Heatsink &h, const FlowInput &in)
{
    FlowLabels out;
    const bool water = h.isWaterCooled();
    out.dimensionsEnabled = !water;
    if (!in.flowOn) {
        out.linear = normalNote(QStringLiteral("0 FPM air"));
        out.volume = normalNote(QStringLiteral("0 CFM air"));
        return out;
    }
    const MinimumFlow m = minimumFlow(h, in.rRequired);
    const QString none = QStringLiteral("no flow reaches this R_θ");
    const QString dashes = QStringLiteral("-----");
    if (!m.reachable) {
        out.linear = warningNote(water ? dashes : none);
        out.volume = warningNote(water ? none : dashes);
        return out;
    }
    if (water) {
        out.linear = normalNote(dashes);
        out.volume = normalNote(in.metric
                ? number2String(m.flow * kLitresPerGallon) + QStringLiteral(" L/min per channel water")
                : number2String(m.flow) + QStringLiteral(" GPM per channel water"));
        return out;
    }
    const double area = in.circular ? M_PI / 4.0 * in.diameter * in.diameter : in.x * in.y;
    if (in.metric) {
        out.linear = normalNote(number2String(m.flow / 60.0 / kFeetPerMetre) + QStringLiteral(" m/s air"));
        out.volume = normalNote(
            number2String(area / kSquareMillimetresPerSquareInch / 144.0 * m.flow * kLitresPerCubicFoot)
            + QStringLiteral(" L/min air"));
    } else {
        out.linear = normalNote(number2String(m.flow) + QStringLiteral(" FPM air"));
        out.volume = normalNote(number2String(area / 144.0 * m.flow) + QStringLiteral(" CFM air"));
    }
    return out;
}

QString convertFieldText(const QString &text, double factor)
{
    const ParsedValue v = parseEngineering(text, ParseRules::Field, QStringLiteral("R"));
    if (v.value == kOpenValue)
        return text;
    return QString::number(v.value * factor, 'g', 6);
}

} // namespace HeatsinkModel
