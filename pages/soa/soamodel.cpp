#include "pages/soa/soamodel.h"

#include <algorithm>
#include <cmath>

#include "values/sivalues.h"

namespace {

double first(const QVector<double> &list)
{
    return list.isEmpty() ? 0 : list.first();
}

// What a result label reads back as once written with number2String.
double shown(double x)
{
    return string2Number(number2String(x));
}

// A power curve below a derated dissipation P, combined with the second-breakdown line.
QVector<double> limitLine(const amp &a, const QVector<double> &grid, double power)
{
    QVector<double> y(grid.size(), 0);
    for (int i = 0; i + 1 < grid.size(); ++i) {
        const double x = grid.at(i);
        const double sb = x < a.SB_V ? a.I_cont : a.I_cont * std::pow(a.SB_V / x, a.SB_slope);
        const double pw = x < power / a.I_cont ? a.I_cont : power / x;
        y[i] = std::isfinite(pw) ? qMin(sb, pw) : sb;
    }
    return y;
}

double derating(const amp &a, double kelvinAbove25)
{
    return a.Rtheta_DC > 0 ? kelvinAbove25 / a.Rtheta_DC : 0;
}

} // namespace

QVector<double> soaVoltageGrid(double vssMax)
{
    QVector<double> x;
    if (!(vssMax > 0) || !std::isfinite(vssMax))
        return x;
    x.resize(1000);
    const double factor = std::pow(vssMax, 0.001);
    x[0] = 1;
    for (int i = 1; i <= 998; ++i)
        x[i] = x[i - 1] * factor;
    x[999] = vssMax;
    return x;
}

QVector<SoaCurve> plotSOAdataCurves(const amp &a)
{
    QVector<SoaCurve> curves;
    const QVector<double> grid = soaVoltageGrid(a.Vss_max);
    if (grid.isEmpty())
        return curves;
    const double pd = first(a.Pd_max);

    QVector<double> steady = limitLine(a, grid, pd);
    curves << SoaCurve { QStringLiteral("25°C Case Temp/\nSteady State Limit"), SoaCurveKind::Steady, grid,
        steady };
    if (a.Tc_soa >= 85) {
        const QVector<double> hot = limitLine(a, grid, pd - derating(a, 60));
        curves << SoaCurve { QStringLiteral("85°C Case Temp"), SoaCurveKind::Case85, grid, hot };
    }
    if (a.Tc_soa >= 125) {
        const QVector<double> hotter = limitLine(a, grid, pd - derating(a, 100));
        curves << SoaCurve { QStringLiteral("125°C Case Temp"), SoaCurveKind::Case125, grid, hotter };
    }

    const QString names[3] = { a.pulse1, a.pulse2, a.pulse3 };
    const double corners[3] = { a.pulse1_V, a.pulse2_V, a.pulse3_V };
    const SoaCurveKind kinds[3] = { SoaCurveKind::Pulse1, SoaCurveKind::Pulse2, SoaCurveKind::Pulse3 };
    for (int k = 0; k < 3; ++k) {
        if (names[k] == QLatin1String("NA"))
            continue;
        QVector<double> y(grid.size(), 0);
        for (int i = 0; i + 1 < grid.size(); ++i) {
            const double x = grid.at(i);
            y[i] = x < corners[k] ? a.I_pk : a.I_pk * std::pow(corners[k] / x, a.pulse_slope);
        }
        curves << SoaCurve { names[k], kinds[k], grid, y };
    }
    return curves;
}

namespace {
bool allFinite(const QVector<double> &v)
{
    return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
}
} // namespace

SoaCurve plotVswingCurve(const amp &a, bool boost, int numParallel, double rcs, double vsPos, double vsNeg)
{
    SoaCurve c;
    c.name = QStringLiteral("Vswing");
    c.kind = SoaCurveKind::Swing;
    const SwingCoefficients sw = swingCoefficients(a, boost, numParallel, rcs);
    QVector<double> lowV(180), current(180);
    for (int i = 0; i < 180; ++i) {
        current[i] = i / 180.0 * a.I_pk;
        lowV[i] = sw.A * current[i] * current[i] + sw.B * current[i] + sw.C;
    }
    // The upper half mirrors the lower one from the total supply; where the two
    // cross the box closes and both are cut there.
    int keep = 180;
    for (int i = 0; i < 180; ++i) {
        if ((vsPos - vsNeg) - lowV[i] < lowV[i]) {
            keep = i;
            break;
        }
    }
    for (int i = 0; i < keep; ++i) {
        c.x << lowV[i];
        c.y << current[i];
    }
    for (int i = 0; i < keep; ++i) {
        c.x << (vsPos - vsNeg) - lowV[i];
        c.y << current[i];
    }
    // Supplies too far apart for a double leave no box to draw.
    if (!allFinite(c.x) || !allFinite(c.y))
        c.x.clear(), c.y.clear();
    return c;
}

SoaCurve customTempCurve(const amp &a, double temperature)
{
    SoaCurve c;
    c.name = QStringLiteral("Custom");
    c.kind = SoaCurveKind::Custom;
    const double t = qMax(25.0, temperature);
    c.x = soaVoltageGrid(a.Vss_max);
    if (c.x.isEmpty())
        return c;
    c.y = limitLine(a, c.x, first(a.Pd_max) - derating(a, t - 25));
    return c;
}

double quiescentPower(const amp &a, double sigFreq, double vsPos, double vsNeg, bool boost)
{
    const double fk = sigFreq / 1000;
    const double iq = a.Iq_max + a.Iq_vF * fk;
    if (a.ampName == QLatin1String("QX550"))
        return (iq + 2.5e-05 * fk * fk) / 1000 * (vsPos - vsNeg) + 0.63;
    double span = vsPos - vsNeg;
    if (boost)
        span += 2 * first(a.boost);
    return iq / 1000 * span;
}

QString foilPackageText(const QString &packageStyle)
{
    if (packageStyle == QLatin1String("PSOP20") || packageStyle == QLatin1String("PSOP24"))
        return QStringLiteral("1 square inch foil");
    if (packageStyle == QLatin1String("DDPAK7"))
        return QStringLiteral("foil - see datasheet");
    return QString();
}

SoaThermal thermalResult(const SoaInput &in, const amp &a, const SoaSimResult &sim, double pq)
{
    SoaThermal t;
    const int samples = sim.cycles * sim.pointsPerPeriod;
    const bool oneWay = samples == 0 || std::fabs(double(sim.direction) / samples) >= 0.9;
    t.dc = in.sigFreq / 1000 <= 0.06 || oneWay || !sim.conducts;
    t.rtheta = t.dc ? a.Rtheta_DC : a.Rtheta_AC;
    t.pj = (t.dc ? sim.peakAmpPower : sim.avgAmpPower) + 0.1 * pq;
    t.ptot = t.pj + 0.9 * pq;
    t.tcAllow = qMin(a.Tj_max - t.rtheta * t.pj, a.Tc_max);

    const double ta = in.tempA, rc = in.thermalCompound;
    t.tcFree = ta + (a.Rtheta_JA - t.rtheta) * t.ptot;
    const QString foil = foilPackageText(a.packageStyle);
    // Without power the heatsink changes nothing, so none is asked for.
    t.heatsinkNeeded = t.tcFree > t.tcAllow && t.ptot > 0;
    if (t.heatsinkNeeded) {
        const double r = (t.tcAllow - ta) / t.ptot - rc;
        // Three significant digits by magnitude; below 0.001 ohm-per-watt is 0.
        const double m = std::fabs(r);
        const double rounded = m < 0.001 ? 0 : QString::number(m, 'g', 3).toDouble();
        t.rmin = r > 0 ? rounded : -rounded;
        t.minHeatsinkText = number2String(t.rmin);
    } else {
        t.minHeatsinkText = foil.isEmpty() ? QStringLiteral("none") : foil;
    }

    if (in.heatsinkNone || (in.heatsinkFoil && !foil.isEmpty())) {
        t.tc = t.tcFree;
        t.tj = ta + a.Rtheta_JA * t.pj;
    } else {
        t.tc = ta + (in.heatsink + rc) * t.ptot;
        t.tj = t.tc + t.rtheta * t.pj;
    }
    return t;
}

CurrentLimit currentLimit(const amp &a, double tc, double rcl, bool rclSeeDatasheet, double rfo)
{
    CurrentLimit limit;
    const auto present = [](double x) { return std::fabs(x) > 1e-4; };
    if (rclSeeDatasheet)
        rcl = 0;
    if (rcl == 0 && a.CLint == 0)
        return limit;
    if (!present(a.Vbe))
        return limit;

    const QString &name = a.ampName;
    double offset = 0;
    if (name == QLatin1String("QX460") || name == QLatin1String("QX475") || name == QLatin1String("VR639"))
        offset = 0.022;
    else if (name == QLatin1String("QX565") || name == QLatin1String("QX565A"))
        offset = 0.54;
    else if (name == QLatin1String("QX490") || name == QLatin1String("QX490A")
        || name == QLatin1String("QX520") || name == QLatin1String("QX520A"))
        offset = 0.016;
    else if (name == QLatin1String("QX445") || name == QLatin1String("QX445A"))
        rcl += 0.01;

    const double vbeT = a.Vbe - (tc - 25) * 0.0022;
    const double vbe = a.Vbe, clint = a.CLint, rb = a.Rb, rf = a.Rfoldover;
    if (clint != 0) {
        limit.present = true;
        limit.at = [=](double) -> std::optional<double> { return vbeT * clint / vbe + offset; };
        return limit;
    }
    if (present(rb) && present(rf)) {
        limit.present = true;
        limit.at = [=](double vo) -> std::optional<double> {
            return (rb * vo / 2 / ((rb + rf) / 2 + rfo) + vbeT) / rcl + offset;
        };
    } else if (present(rb)) {
        limit.present = true;
        limit.at = [=](double vo) -> std::optional<double> {
            return (vo * rb / (rb + rfo) + vbeT) / rcl + offset;
        };
    } else if (!present(rf)) {
        limit.present = true;
        limit.at = [=](double) -> std::optional<double> { return vbeT / rcl + offset; };
    }
    return limit;
}

SoaBand currentLimitBand(const SoaInput &in, const amp &a, const SoaSimResult &sim, double tc)
{
    SoaBand band;
    if (a.ampName == QLatin1String("QX535") || a.ampName == QLatin1String("QX535A"))
        return band;
    const CurrentLimit limit = currentLimit(a, tc, in.rcl, in.rclSeeDatasheet, in.rfo);
    if (!limit.present)
        return band;
    const double tol = in.rangePercent / 100;
    const double vp = in.sim.vsPos, vn = in.sim.vsNeg;
    for (int i = 0; i < 100; ++i) {
        const double vo = vn + i * (vp - vn) / 100;
        const std::optional<double> lim = limit.at(vo);
        if (!lim || !std::isfinite(*lim))
            return SoaBand();
        // Supplies near the end of the double range overflow the voltage axis.
        const double x = vp - vo, upper = (1 + tol) * *lim, lower = (1 - tol) * *lim;
        if (!std::isfinite(x) || !std::isfinite(upper) || !std::isfinite(lower))
            return SoaBand();
        band.x << x;
        band.upper << upper;
        band.lower << lower;
    }
    band.shown = true;
    const int firstPeriod = qMin(sim.pointsPerPeriod, sim.I.size());
    for (int k = 0; k < firstPeriod; ++k) {
        if (sim.I.at(k) < 0)
            continue;
        const std::optional<double> lim = limit.at(sim.Vo.at(k));
        if (lim && (1 - tol) * *lim < sim.Ia.at(k)) {
            band.activates = true;
            break;
        }
    }
    return band;
}

QStringList powerDetailLines(const SoaInput &in, const amp &a, const SoaSimResult &sim, double pq)
{
    const SoaSimInput &s = in.sim;
    const int n = qMax(1, s.numParallel);
    const bool several = s.bridge || n > 1;
    const int m = s.bridge ? 2 * n : n;
    const double pa = sim.avgAmpPower, pl = sim.avgLoadPower;
    const QString per = several ? QStringLiteral(" per amplifier") : QString();
    const QString total = several ? QStringLiteral(" total") : QString();

    QStringList lines;
    lines << QStringLiteral("\nLoad Power: \t\t") + formatSI(pl, QStringLiteral("W RMS"));
    lines << QStringLiteral("Amplifier Power (w/o quiescent): \t") + formatSI(pa, QStringLiteral("W RMS"))
            + per;
    lines << QStringLiteral("Input Power (w/o quiescent): \t") + formatSI(pa * m + pl, QStringLiteral("W"))
            + total;
    lines << QStringLiteral("Quiescent Power: \t") + formatSI(pq, QStringLiteral("W")) + per;
    lines << QStringLiteral("Total Power: \t\t") + formatSI((pa + pq) * m + pl, QStringLiteral("W")) + total;

    const SwingCoefficients sw = swingCoefficients(a, s.boost, n, s.rcs);
    double vp, vn;
    if (s.bridge && !s.unipolar) {
        const double peak = qMax(std::fabs(sim.Vmax), std::fabs(sim.Vmin));
        vp = sw.A * sim.Imax * sim.Imax + peak / 2 + sw.C + sw.B * sim.Imax;
        vn = sw.B * sim.Imin - peak / 2 - sw.C - sw.A * sim.Imin * sim.Imin;
    } else {
        const double vmax = s.bridge ? sim.Vmax / 2 : sim.Vmax;
        const double vmin = s.bridge ? sim.Vmin / 2 : sim.Vmin;
        vp = sw.A * sim.Imax * sim.Imax + sw.B * sim.Imax + vmax + sw.C;
        vn = sw.B * sim.Imin + vmin - sw.C - sw.A * sim.Imin * sim.Imin;
    }
    lines << QStringLiteral("\nMost Efficient Supplies: \t") + formatSI(vp, QStringLiteral("V"))
            + QStringLiteral(" and ") + formatSI(vn, QStringLiteral("V"));
    // A denormal R_CL is as good as none: no rating to suggest.
    const double rclRating = in.rcl != 0 ? 1.414 * a.Vbe * a.Vbe / in.rcl : 0.0;
    if (!in.rclSeeDatasheet && in.rcl != 0 && std::isfinite(rclRating))
        lines << QStringLiteral("\nSuggested Power Rating for R_CL: \t>")
                + formatSI(rclRating, QStringLiteral("W"));
    if (n > 1)
        lines << QStringLiteral("\nSuggested Power Rating for R_CS: \t>")
                + formatSI(2 * sim.avgAmpCurrent * sim.avgAmpCurrent * s.rcs, QStringLiteral("W"));
    return lines;
}

SoaLabels labelsFor(const SoaInput &in, const amp &a, const SoaSimResult &sim, const SoaThermal &t)
{
    const auto label = [](const QString &text, bool over) {
        return ResultNote { text, over ? NoteTone::Warning : NoteTone::Normal };
    };
    const double pdMax = first(a.Pd_max);
    SoaLabels l;
    l.pdLoad = normalNote(number2String(sim.avgLoadPower));
    l.pdAmpAvg = label(number2String(t.ptot), shown(t.ptot) > pdMax);
    l.tempC = label(number2String(t.tc), shown(t.tc) > a.Tc_max);
    l.tempJ = label(number2String(qMax(t.tc, t.tj)), shown(qMax(t.tc, t.tj)) > a.Tj_max);
    l.suggTcMax = label(number2String(t.tcAllow), shown(t.tcAllow) < in.tempA);
    l.minHeatsink = label(t.minHeatsinkText, t.heatsinkNeeded && shown(t.rmin) < 0);
    return l;
}

ResultNotes powerWarnings(const SoaLabels &labels)
{
    ResultNotes notes;
    if (labels.minHeatsink.isWarning())
        notes << warningNote(QStringLiteral("!!! Heatsink Requirements Unreasonable !!! "));
    if (labels.tempC.isWarning())
        notes << warningNote(QStringLiteral("!!! Case Temperature too High !!! "));
    if (labels.tempJ.isWarning())
        notes << warningNote(QStringLiteral("!!! Junction Temperature too High !!! "));
    if (labels.pdAmpAvg.isWarning())
        notes << warningNote(QStringLiteral("!!! Power Dissipation too High !!! "));
    return notes;
}

ResultNotes SupplyWarnings(const SoaInput &in, const amp &a, const SoaSimResult &sim, NoteTone *supplyTone)
{
    ResultNotes notes;
    const double vp = in.sim.vsPos, vn = in.sim.vsNeg, span = vp - vn;
    if (span > a.Vss_max)
        notes << warningNote(QStringLiteral("!!! Total Supply Voltage too High !!!"));
    else if (vp < vn)
        notes << warningNote(QStringLiteral("!!! Vs_neg may not exceed Vs_pos !!!"));
    else if (span < a.Vss_min)
        notes << warningNote(QStringLiteral("!!! Total Supply Voltage too Low !!!"));
    if (supplyTone)
        *supplyTone = notes.isEmpty() ? NoteTone::Normal : NoteTone::Warning;

    for (double v : { sim.Vmax, sim.Vmin }) {
        if (in.sim.bridge && !in.sim.unipolar) {
            if (v < -span || v > span)
                notes << warningNote(QStringLiteral("!!! V_out May Not Exceed Vs_pos - Vs_neg !!!"));
        } else if (!in.sim.bridge) {
            if (v < vn || v > vp)
                notes << warningNote(QStringLiteral("!!! V_out May Not Exceed Supply !!!"));
        } else if (v < 2 * vn || v > 2 * vp) {
            notes << warningNote(QStringLiteral("!!! V_out May Not Exceed 2 * Supply !!!"));
        }
    }
    if (!in.motorLoadType && in.sigMax < in.sigMin)
        notes << warningNote(QStringLiteral("!!! V_out min May Not Exceed V_out max !!!"));
    return notes;
}

namespace {

// Entries near the ends of the double range can overflow the waveform; then
// there is no waveform to show rather than one of non-finite points.
void dropNonFiniteWaveform(SoaSimResult &sim)
{
    for (const QVector<double> *series : { &sim.time, &sim.V, &sim.I, &sim.Ia, &sim.Vo, &sim.Vd })
        if (!allFinite(*series)) {
            for (QVector<double> *s :
                { &sim.time, &sim.V, &sim.I, &sim.Ia, &sim.Vo, &sim.Vd, &sim.PL, &sim.PA })
                s->clear();
            return;
        }
}

// The notes of the simulated waveform, in the order the page lists them.
ResultNotes simulationNotes(const SoaSimResult &sim, const amp &a, bool displayed)
{
    ResultNotes notes;
    if (sim.shorted)
        notes << warningNote(QStringLiteral("!!! Do Not Short the Output !!!"));
    if (displayed) {
        if (sim.clipping)
            notes << adviceNote(
                QStringLiteral("Clipping Likely. Based on Worst-Case Voltage Swing Characteristics. "
                               "See Datasheet for Details."));
        if (sim.slew)
            notes << adviceNote(
                QStringLiteral("Output exceeds maximum slew rate of chosen device. Real output "
                               "will not look like the displayed waveform."));
        if (sim.peakCurrent)
            notes << warningNote(QStringLiteral("!!! Peak Current Specification Exceeded !!!"));
        else if (sim.contCurrent)
            notes << adviceNote(QStringLiteral("Continuous Current Specification Exceeded. Unsafe for Steady "
                                               "State Conditions."));
        if (sim.secondBreakdown)
            notes << adviceNote(
                QStringLiteral("Second Breakdown Violation. Unsafe for Steady State Conditions."));
        if (a.ampName == QLatin1String("QX550"))
            notes << adviceNote(QStringLiteral("Warning: QX550 Supply Current is highly dependent on signal "
                                               "frequency and may rise to over 1 Ampere, even unloaded. This "
                                               "behavior is modeled in Ampora"));
        if (a.ampName == QLatin1String("QX460") || a.ampName == QLatin1String("QX475"))
            notes << adviceNote(
                QStringLiteral("Warning: QX460/475 Supply Current is dependent on both signal "
                               "frequency and common mode voltage. The analysis above assumes a "
                               "common mode input voltage of 6 Vp-p."));
    }
    return notes;
}

} // namespace

SoaResult computeSoa(const SoaInput &input, const amp &a)
{
    SoaResult r;
    // These parts limit current internally and the page shows "See datasheet"
    // in R_CL: the power details must not rate a resistor the field no longer
    // names, on the refresh that replaces it either.
    r.setRclSeeDatasheet = a.ampName == QLatin1String("QX535") || a.ampName == QLatin1String("QX535A");
    SoaInput in = input;
    if (r.setRclSeeDatasheet) {
        in.rclSeeDatasheet = true;
        in.rcl = 0;
    }
    r.boundary = plotSOAdataCurves(a);
    r.sim = simulateSoaLoad(in.sim, a);
    dropNonFiniteWaveform(r.sim);
    const SoaSimResult &sim = r.sim;
    const bool displayed = !sim.I.isEmpty();
    // Entries near the end of the double range can overflow the simulation.
    r.loadLineShown = sim.conducts && displayed && allFinite(sim.Vd) && allFinite(sim.Ia);

    r.notes << normalNote(QStringLiteral("Notes: "));
    r.notes << simulationNotes(sim, a, displayed);

    r.quiescentPower = quiescentPower(a, in.sigFreq, in.sim.vsPos, in.sim.vsNeg, in.sim.boost);
    r.powerDetails = powerDetailLines(in, a, sim, r.quiescentPower);
    r.thermal = thermalResult(in, a, sim, r.quiescentPower);

    r.band = currentLimitBand(in, a, sim, r.thermal.tc);
    if (displayed && r.band.shown && r.band.activates)
        r.notes << warningNote(
            QStringLiteral("!!! Current Limit Should Not Activate During Normal Operation !!!"));

    r.labels = labelsFor(in, a, sim, r.thermal);
    r.notes << powerWarnings(r.labels);
    r.notes << SupplyWarnings(in, a, sim, &r.supplyTone);

    r.swingShown = !in.hideSwing;
    if (r.swingShown)
        r.swing
            = plotVswingCurve(a, in.sim.boost, in.sim.numParallel, in.sim.rcs, in.sim.vsPos, in.sim.vsNeg);
    r.customShown = in.customTemp;
    if (r.customShown)
        r.custom = customTempCurve(a, in.customTempValue);

    if (in.motorLoadType && in.sim.motorMode != MotorMode::Normal) {
        r.notes.clear();
        r.notes << normalNote(QStringLiteral("Notes:"));
        r.notes << adviceNote(
            QStringLiteral("Stall and Reversal load lines are displayed to help choose a current "
                           "limit resistor."));
        r.notes << adviceNote(
            QStringLiteral("Power calculations during Stall and Reversal conditions are inaccurate."));
    }
    return r;
}

QString waveDescription(const SoaSignalInfo &info, const SoaPeriod &period)
{
    const QString unit = info.voltage ? QStringLiteral("V") : QStringLiteral("A");
    const QString kind = info.voltage ? QStringLiteral("voltage output") : QStringLiteral("current output");
    const auto span = [&](double maximum, double minimum) {
        return QStringLiteral("max %1, min %2").arg(formatSI(maximum, unit), formatSI(minimum, unit));
    };
    switch (info.type) {
    case 0:
        return QStringLiteral("Sine wave, %1: %2, %3")
            .arg(kind, span(info.maximum, info.minimum), formatSI(info.frequency, QStringLiteral("Hz")));
    case 1:
        return QStringLiteral("Trapezoid/pulse wave, %1: %2; rise %3, high %4, fall %5, low %6")
            .arg(kind, span(info.maximum, info.minimum), formatSI(info.tRise, QStringLiteral("s")),
                formatSI(info.tHigh, QStringLiteral("s")), formatSI(info.tFall, QStringLiteral("s")),
                formatSI(info.tLow, QStringLiteral("s")));
    case 2: {
        if (period.wave.isEmpty())
            return QStringLiteral("Uploaded waveform, %1: no points").arg(kind);
        double hi = period.wave.first() * info.scale, lo = hi;
        for (double v : period.wave) {
            hi = qMax(hi, v * info.scale);
            lo = qMin(lo, v * info.scale);
        }
        return QStringLiteral("Uploaded waveform, %1: %2 (scale %3); %4 points over %5")
            .arg(kind, span(hi, lo), formatSI(info.scale, QString()).trimmed(),
                QString::number(period.wave.size()), formatSI(period.time.last(), QStringLiteral("s")));
    }
    default:
        switch (info.motorMode) {
        case MotorMode::Stall:
            return QStringLiteral("DC motor, stall: voltage swept from %1 to %2")
                .arg(formatSI(info.vsNeg, QStringLiteral("V")), formatSI(info.vsPos, QStringLiteral("V")));
        case MotorMode::Reversal:
            return QStringLiteral("DC motor, reversal: current swept from %1 to 0 A")
                .arg(formatSI(-info.iPeak, QStringLiteral("A")));
        case MotorMode::Normal:
            break;
        }
        return QStringLiteral("DC motor, normal running: %1 at %2")
            .arg(formatSI(info.motorVDC, QStringLiteral("V")), formatSI(info.motorI, QStringLiteral("A")));
    }
}
