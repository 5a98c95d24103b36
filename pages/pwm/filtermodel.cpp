#include "pages/pwm/filtermodel.h"

#include <cmath>

#include "pages/pwm/filternetwork.h"
#include "values/sivalues.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

bool finitePositive(double x)
{
    return std::isfinite(x) && x > 0;
}

// Half the supply swings across the filter input of one leg; a two-leg
// output doubles it.
int legs(FilterTopology topology)
{
    return topology == FilterTopology::SingleEnded ? 1 : 2;
}

int recommendedOrder(const FilterInput &in, int m)
{
    if (!finitePositive(in.fc) || !finitePositive(in.fsw) || in.fsw <= in.fc || !finitePositive(in.Vrip))
        return -1;
    const double peak = 1.25 * in.Vs * m * 0.5;
    if (!finitePositive(peak))
        return -1;
    const double q = std::ceil(std::log10(peak / in.Vrip) / std::log10(in.fsw / in.fc));
    if (!std::isfinite(q) || q > 1e6)
        return -1;
    // A ripple already below the allowance needs no filter at all.
    return q < 0 ? 0 : int(q);
}

// 10*log10(1 + 10^x) without overflow for large x.
double log1pPow10(double x)
{
    if (x > 0)
        return x + std::log10(1 + std::pow(10.0, -x));
    return std::log10(1 + std::pow(10.0, x));
}

} // namespace

ButterworthRow butterworthRow(int order)
{
    switch (order) {
    case 1:
        return { { 1.0, 0, 0 }, { 0, 0, 0 } };
    case 2:
        return { { 1.4142, 0, 0 }, { 0.7071, 0, 0 } };
    case 3:
        return { { 1.5, 0.5, 0 }, { 4.0 / 3.0, 0, 0 } };
    case 4:
        return { { 1.5307, 1.0824, 0 }, { 1.5772, 0.3827, 0 } };
    case 5:
        return { { 1.5451, 1.382, 0.309 }, { 1.6944, 0.8944, 0 } };
    case 6:
        return { { 1.5529, 1.5529, 0.7579 }, { 1.7593, 1.2016, 0.2588 } };
    default:
        return {};
    }
}

int inductorDivisor(FilterTopology topology)
{
    return topology == FilterTopology::SingleEnded ? 1 : 2;
}

int capacitorMultiplier(FilterTopology topology)
{
    return topology == FilterTopology::DualCapacitor ? 2 : 1;
}

FilterResult designFilter(const FilterInput &in)
{
    FilterResult r;
    const int m = legs(in.topology);
    const int n = in.order;
    r.recommendedOrder = recommendedOrder(in, m);
    r.rippleV = 1.25 * in.Vs * m * 0.5 / std::pow(in.fsw / in.fc, n);

    const ButterworthRow row = butterworthRow(n);
    const double w = kTwoPi * in.fc;
    r.L1full = row.L[0] * in.RL / w;
    r.rippleI = m * in.Vs / (8 * in.fsw * r.L1full);
    r.Cleg = 6.8965517241379315 / (in.fc / 1000 * in.RL) / 1e6;
    // A zero that came out negative would read "-0".
    r.rippleV += 0.0;
    r.rippleI += 0.0;
    r.Cleg += 0.0;

    r.designable = finitePositive(in.fc) && finitePositive(in.RL);
    if (!r.designable)
        return r;
    const double Lu = in.RL / w;
    const double Cu = 1 / (w * in.RL);
    for (size_t k = 0; k < 3; ++k) {
        r.L[k] = row.L[k] * Lu;
        r.C[k] = row.C[k] * Cu;
        r.drawnL[k] = r.L[k] / inductorDivisor(in.topology);
        r.drawnC[k] = r.C[k] * capacitorMultiplier(in.topology);
    }
    return r;
}

AttenuationCurve idealAttenuation(double fc, int order)
{
    AttenuationCurve curve;
    if (!finitePositive(fc))
        return curve;
    curve.f.reserve(400);
    curve.gainDb.reserve(400);
    curve.percent.reserve(400);
    double f = 1;
    for (int i = 0; i < 400; ++i) {
        const double gain = -10 * log1pPow10(2 * order * std::log10(f / fc));
        curve.f.append(f);
        curve.gainDb.append(gain);
        curve.percent.append(100 * (1 - std::pow(10.0, gain / 20)));
        f *= 1.035142166679344;
    }
    return curve;
}

ReactivePart readReactivePart(const QString &text)
{
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("short"))
        return {};
    if (word == QLatin1String("open"))
        return { ReactiveKind::Open, 0 };
    const ParsedValue parsed = parseEngineering(text, ParseRules::Field, QStringLiteral("R"));
    if (!parsed.valid || !std::isfinite(parsed.value) || parsed.value <= 0)
        return {};
    if (parsed.value >= kOpenValue)
        return { ReactiveKind::Open, 0 };
    return { ReactiveKind::Value, parsed.value };
}

MatchingResult matchingNetwork(const MatchingInput &in)
{
    MatchingResult r;
    const ReactivePart part = readReactivePart(in.loadIsC ? in.Cload : in.Lload);
    if (part.kind != ReactiveKind::Value || !finitePositive(in.R) || in.R >= kOpenValue)
        return r;
    r.proposed = true;
    r.Rm = in.R;
    if (in.loadIsC)
        r.Lm = in.R * in.R * part.value / 1e6;
    else
        r.Cm = part.value / 1000 / (in.R * in.R);
    return r;
}

namespace {

// A ladder value as a field string; no finite positive value reads "0" (a
// shorted inductor, an open capacitor), so the network is then just the load.
QString elementText(double value)
{
    return finitePositive(value) ? fieldSIText(value, QString()) : QStringLiteral("0");
}

void exportLoad(FilterExport &out, double R, const MatchingInput &load)
{
    networkElement &l5 = out.load[4];
    l5.R = fieldSIText(R, QString());
    const ReactivePart part = readReactivePart(load.loadIsC ? load.Cload : load.Lload);
    // Without a positive load resistance there is no branch that matches it.
    const bool matchable = finitePositive(R) && R < kOpenValue;
    if (load.loadIsC) {
        if (part.kind == ReactiveKind::Open) {
            l5.C = fieldSIText(0, QString());
        } else if (part.kind == ReactiveKind::Value) {
            const double C = part.value / 1e6;
            l5.C = fieldSIText(C, QString());
            if (matchable)
                out.matching = { fieldSIText(R * R * C, QString()), l5.R, QStringLiteral("short") };
        }
        return;
    }
    if (part.kind == ReactiveKind::Open) {
        l5.L = QStringLiteral("open");
    } else if (part.kind == ReactiveKind::Value) {
        const double L = part.value / 1000;
        l5.L = fieldSIText(L, QString());
        if (matchable) {
            out.matching.R = l5.R;
            out.matching.C = fieldSIText(L / (R * R), QString());
        }
    }
}

} // namespace

FilterExport loadFilter(const FilterEntries &entries)
{
    FilterExport out;
    FilterNetwork reset;
    resetNetworkElements(reset);
    out.filter = reset.filter;
    out.matching = reset.matching;
    out.load = reset.load;

    const FilterInput &design = entries.design;
    out.halfBridge = entries.halfBridge;
    out.topology = design.topology;
    out.order = design.order;
    const FilterResult ladder = designFilter(design);
    for (int k = 1; k <= design.order && k <= 6; ++k) {
        const size_t stage = size_t((k - 1) / 2);
        networkElement &e = out.filter[size_t(k - 1)];
        if (k % 2 == 1)
            e.L = elementText(ladder.L[stage] / inductorDivisor(design.topology));
        else
            e.C = elementText(ladder.C[stage] * capacitorMultiplier(design.topology));
    }
    exportLoad(out, design.RL, entries.load);
    out.amplifier = entries.amplifier;
    out.Vs = entries.Vs;
    out.Fsw = entries.Fsw;
    return out;
}
