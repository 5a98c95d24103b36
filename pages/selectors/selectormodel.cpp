#include "pages/selectors/selectormodel.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

#include "catalog/catalogs.h"
#include "values/sivalues.h"

namespace SelectorModel {

int wholeNumber(double x)
{
    if (std::isnan(x))
        return 0;
    const double t = std::trunc(x);
    if (t >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (t <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(t);
}

double slewRateFromFrequency(double frequencyKHz, double vpp)
{
    return frequencyKHz * kPi * vpp / 1000;
}

double frequencyFromSlewRate(double slewRate, double vpp)
{
    return slewRate * 1000 / kPi / vpp;
}

QString sixDigits(double x)
{
    // A zero swing leaves the other of frequency and slew rate undefined.
    if (!std::isfinite(x))
        return noValueText();
    return QString::number(x, 'g', 6);
}

QString parallelSuffix(int count)
{
    return QStringLiteral("-PARALLEL (") + QString::number(count) + QLatin1Char(')');
}

QString removeParallelSuffix(const QString &text)
{
    static const QRegularExpression suffix(QStringLiteral("-PARALLEL \\(\\d+\\)$"));
    const QRegularExpressionMatch m = suffix.match(text);
    return m.hasMatch() ? text.left(m.capturedStart()) : text;
}

QString removeLinearSuffix(const QString &text)
{
    const QString bridge = QLatin1String(kBridgeSuffix);
    if (text.endsWith(bridge))
        return text.left(text.size() - bridge.size());
    return removeParallelSuffix(text);
}

namespace {

bool isVr537(const amp &a)
{
    return a.ampName == QLatin1String("VR537") || a.ampName == QLatin1String("VR537A");
}

// Amplifiers that share the current: ceil(I / Ic), or 0 when more than the
// allowed count would be needed (including a part rated for no current).
int shareCount(double current, double rating, int maxParallel)
{
    const double n = std::ceil(current / rating);
    if (!(n <= double(maxParallel)))
        return 0;
    return int(n);
}

// Drop of the output from the rails, A*I^2 + B*I + C, on each side.
double swingDrop(const amp &a, double current)
{
    const int b = a.boostOptions;
    return a.VswingC.value(b) + a.VswingB.value(b) * current + a.VswingA.value(b) * current * current;
}

} // namespace

LinearRow linearTableRow(const amp &a, int index, const QVector<PackageStyle> &packages)
{
    LinearRow row;
    row.index = index;
    row.name = a.ampName;
    row.channels = a.channels;
    row.vssMax = a.Vss_max;
    row.current = a.I_cont;
    row.swing = wholeNumber(isVr537(a) ? a.Vss_max - 20 : a.Vss_max - 2 * a.VswingC.value(a.boostOptions));
    row.slewRate = a.slewRate.value(0);
    row.bandwidth = wholeNumber(a.PBW);
    row.quiescent = a.Iq_max;
    row.dissipation = a.Pd_max.value(0);
    row.package = interpretPackage(packages, a.packageStyle);
    row.price = a.relative_price;
    return row;
}

LinearRow eliminateLinear(
    const amp &a, int index, const QVector<PackageStyle> &packages, const LinearRequirements &req)
{
    LinearRow row = linearTableRow(a, index, packages);
    const double I = req.current;
    const double V = req.vpp;
    const double SR = req.slewRate;
    const double S = a.slewRate.value(0);
    const double Ic = a.I_cont;

    int n = shareCount(I, Ic, req.maxParallel);

    const int W = wholeNumber(isVr537(a) ? a.Vss_max - 20 : a.Vss_max - 2 * swingDrop(a, I));
    row.swing = W;

    int bw;
    if (V == 0) {
        bw = wholeNumber(a.PBW);
    } else {
        bw = wholeNumber(S * 1000 / kPi / V);
        if (a.PBW < bw)
            bw = wholeNumber(a.PBW);
    }
    row.bandwidth = bw;

    const bool full = W >= V && Ic >= I && S >= SR;
    const bool bridge = W >= V / 2 && Ic >= I && S >= SR / 2;

    int Wp = 0;
    if (n > 0) {
        Wp = wholeNumber(isVr537(a) ? a.Vss_max - 20 : a.Vss_max - 2 * swingDrop(a, I / n));
        if (Wp < V || S < 2 * SR)
            n = 0;
    }

    const double k = 1 - req.relax / 100.0;
    const bool close = !full && S >= k * SR && Ic >= k * I && W >= k * V;

    if (full) {
        row.match = Match::Full;
    } else if (close) {
        row.match = Match::Close;
        row.marked << ColName;
        if (Ic < I)
            row.marked << 4;
        if (W < V)
            row.marked << 5;
        if (S < SR)
            row.marked << 6 << 7;
    } else if (req.bridge && bridge) {
        row.match = Match::Bridge;
        row.bandwidth = 2 * bw;
        row.swing = 2 * W;
        row.slewRate = 2 * S;
        row.suffix = QLatin1String(kBridgeSuffix);
        row.price = a.channels < 2 ? 2 * a.relative_price : a.relative_price;
    } else if (req.parallel && n > 0) {
        row.match = Match::Parallel;
        row.current = Ic * n;
        row.swing = Wp;
        row.bandwidth = bw / 2;
        row.slewRate = S * 0.5;
        row.suffix = parallelSuffix(n);
        const int channels = std::max(1, a.channels);
        row.price = a.relative_price * std::ceil(double(n) / channels);
    } else {
        row.match = Match::Hidden;
    }
    row.name = a.ampName + row.suffix;
    return row;
}

QVector<LinearRow> eliminateLinearCatalog(
    const QVector<amp> &linear, const QVector<PackageStyle> &packages, const LinearRequirements &req)
{
    QVector<LinearRow> rows;
    rows.reserve(linear.size());
    for (int i = 0; i < linear.size(); ++i)
        rows.append(eliminateLinear(linear.at(i), i, packages, req));
    return rows;
}

QString outputTypeText(int outputs)
{
    switch (outputs) {
    case 1:
        return QStringLiteral("Half Bridge");
    case 2:
        return QStringLiteral("Full Bridge");
    case 3:
        return QStringLiteral("Three Phase");
    default:
        return QString();
    }
}

double onResistanceAt25(double a, double b, double c)
{
    return a * 25 * 25 + b * 25 + c;
}

PwmRow pwmTableRow(const pwm &p, int index, const QVector<PackageStyle> &packages)
{
    PwmRow row;
    row.index = index;
    row.name = p.ampName;
    row.outputType = outputTypeText(p.outputs);
    row.vsMax = p.Vs_max;
    row.current = p.I_cont;
    row.peakCurrent = p.I_pk;
    row.voltage = wholeNumber(p.Vs_max - p.top_V - p.bot_V);
    row.fswMax = p.Fsw_max;
    row.bandwidth = p.Fsw_max / 10;
    row.dissipation = p.Pd_max;
    row.package = interpretPackage(packages, p.packageStyle);
    row.price = p.relative_price;
    return row;
}

PwmRow eliminatePwm(
    const pwm &p, int index, const QVector<PackageStyle> &packages, const PwmRequirements &req)
{
    PwmRow row = pwmTableRow(p, index, packages);
    const double I = req.current;
    const double V = req.voltage;
    const double f = req.frequency;
    const double limit = p.Fsw_max / 10;
    const double Rt = onResistanceAt25(p.top_A, p.top_B, p.top_C);
    const double Rb = onResistanceAt25(p.bot_A, p.bot_B, p.bot_C);
    const double headroom = p.Vs_max - p.top_V - p.bot_V;

    int n = shareCount(I, p.I_cont, req.maxParallel);

    const int Vmax = wholeNumber(headroom - (Rt + Rb) * I);
    row.voltage = Vmax;

    const bool full = Vmax >= V && p.I_cont >= I && f <= limit;
    const double k = 1 - req.relax / 100.0;

    int Vp = 0;
    if (n > 0) {
        Vp = wholeNumber(headroom - (Rt + Rb) * I / n);
        if (Vp < V || limit < k * f)
            n = 0;
    }

    const bool close = !full && limit >= k * f && p.I_cont >= k * I && Vmax >= k * V;

    if (full) {
        row.match = Match::Full;
    } else if (close) {
        row.match = Match::Close;
        row.marked << ColName;
        if (p.I_cont < I)
            row.marked << 4;
        if (Vmax < V)
            row.marked << 6;
        if (limit < f)
            row.marked << 7 << 8;
    } else if (req.parallel && n > 0) {
        row.match = Match::Parallel;
        row.voltage = Vp;
        row.current = p.I_cont * n;
        row.peakCurrent = p.I_pk * n;
        row.suffix = parallelSuffix(n);
        row.price = n * p.relative_price;
    } else {
        row.match = Match::Hidden;
    }
    row.name = p.ampName + row.suffix;
    return row;
}

QVector<PwmRow> eliminatePwmCatalog(
    const QVector<pwm> &pwms, const QVector<PackageStyle> &packages, const PwmRequirements &req)
{
    QVector<PwmRow> rows;
    rows.reserve(pwms.size());
    for (int i = 0; i < pwms.size(); ++i)
        rows.append(eliminatePwm(pwms.at(i), i, packages, req));
    return rows;
}

namespace {

template <typename Row> QVector<int> shownByPrice(const QVector<Row> &rows)
{
    QVector<Row> shown;
    for (const Row &r : rows)
        if (r.shown())
            shown.append(r);
    std::stable_sort(shown.begin(), shown.end(), [](const Row &a, const Row &b) {
        if (a.price != b.price)
            return a.price < b.price;
        return a.index < b.index;
    });
    QVector<int> order;
    for (const Row &r : shown)
        order.append(r.index);
    return order;
}

} // namespace

QVector<int> priceOrder(const QVector<LinearRow> &rows)
{
    return shownByPrice(rows);
}

QVector<int> priceOrder(const QVector<PwmRow> &rows)
{
    return shownByPrice(rows);
}

} // namespace SelectorModel
