#include "pages/soa/soanetlist.h"

#include "values/sivalues.h"

namespace {

QString num(double v)
{
    return spiceNumber(v);
}

bool isOpen(double v)
{
    return v == kOpenValue;
}

// An uploaded period repeats after its last time; one that starts at 0
// takes one more step, as the page's samples do.
double uploadedPeriod(const SoaPeriod &p)
{
    if (p.time.first() > 0 || p.time.size() < 2)
        return p.time.last();
    return p.time.last() + p.time[1] - p.time[0];
}

// The source description of the signal (SIN, PULSE or PWL); empty when the period is empty.
QString signalSource(const SoaSimInput &in, const SoaSignalInfo &s, QString *description)
{
    const QString unit = s.voltage ? QStringLiteral("V") : QStringLiteral("A");
    switch (s.type) {
    case 0:
        *description = QStringLiteral("sine from %1 %3 to %2 %3 at %4 Hz")
                           .arg(num(s.minimum), num(s.maximum), unit, num(s.frequency));
        return QStringLiteral("SIN(%1 %2 %3)")
            .arg(num((s.maximum + s.minimum) / 2), num((s.maximum - s.minimum) / 2), num(s.frequency));
    case 1: {
        const double period = s.tRise + s.tHigh + s.tFall + s.tLow;
        *description
            = QStringLiteral("trapezoid from %1 %3 to %2 %3: rise %4 s, high %5 s, fall %6 s, low %7 s")
                  .arg(num(s.minimum), num(s.maximum), unit, num(s.tRise), num(s.tHigh), num(s.tFall),
                      num(s.tLow));
        return QStringLiteral("PULSE(%1 %2 0 %3 %4 %5 %6)")
            .arg(num(s.minimum), num(s.maximum), num(s.tRise), num(s.tFall), num(s.tHigh), num(period));
    }
    default: {
        const SoaPeriod &p = in.period;
        *description = QStringLiteral("uploaded waveform of %1 points, scaled by %2")
                           .arg(p.time.size())
                           .arg(num(in.scale));
        // The period runs from 0 to its last time and repeats; before its
        // first point it continues from its last value.
        QStringList points;
        if (p.time.first() > 0)
            points << QStringLiteral("0 %1").arg(num(p.wave.last() * in.scale));
        for (int k = 0; k < p.time.size(); ++k)
            points << QStringLiteral("%1 %2").arg(num(p.time[k]), num(p.wave[k] * in.scale));
        if (p.time.first() <= 0)
            points << QStringLiteral("%1 %2").arg(num(uploadedPeriod(p)), num(p.wave.first() * in.scale));
        return QStringLiteral("PWL(%1) r=0").arg(points.join(QLatin1Char(' ')));
    }
    }
}

struct LoadElement {
    QChar kind;
    double value;
    QString label;
};

} // namespace

SpiceNetlist soaNetlist(
    const SoaSimInput &in, const SoaSignalInfo &signal, const amp &a, const QString &title)
{
    SpiceNetlist out;
    if (in.motor || signal.type == 3) {
        out.unavailable = QStringLiteral(
            "A DC-motor load line is a sweep over the supply range, not a waveform in time.");
        return out;
    }
    if (in.period.time.isEmpty()) {
        out.unavailable = QStringLiteral("The signal has no period: check its frequency or times.");
        return out;
    }
    const double period = signal.type == 0 ? 1 / signal.frequency
        : signal.type == 1                 ? signal.tRise + signal.tHigh + signal.tFall + signal.tLow
                                           : uploadedPeriod(in.period);

    // The load: open elements are left out, shorted ones become wires.
    QVector<LoadElement> elements;
    bool loadOpen = false;
    bool loadShorted = false;
    const auto add = [&](QChar kind, double v, const QString &label, bool open, bool shorted) {
        if (in.series) {
            if (open)
                loadOpen = true;
            else if (!shorted)
                elements.append({ kind, v, label });
        } else if (shorted) {
            loadShorted = true;
        } else if (!open) {
            elements.append({ kind, v, label });
        }
    };
    add(QLatin1Char('R'), in.R, QStringLiteral("LOAD R"), isOpen(in.R), in.R == 0);
    add(QLatin1Char('L'), in.L, QStringLiteral("LOAD L"), isOpen(in.L), in.L == 0);
    add(QLatin1Char('C'), in.C, QStringLiteral("LOAD C"), in.C == 0, isOpen(in.C));
    if (in.series && !loadOpen && elements.isEmpty())
        loadShorted = true;
    if (in.voltageSignal && loadShorted && !loadOpen) {
        out.unavailable = QStringLiteral("The load shorts the output: no voltage can be driven across it.");
        return out;
    }
    if (!in.voltageSignal && (loadOpen || (!in.series && elements.isEmpty()))) {
        out.unavailable = QStringLiteral("The load is open: no current can be driven into it.");
        return out;
    }

    SpiceWriter w(title);
    QString description;
    const QString source = signalSource(in, signal, &description);
    const int N = std::max(1, in.numParallel);
    const SwingCoefficients sw = swingCoefficients(a, in.boost, N, in.rcs);
    w.comment(QStringLiteral("Amplifier %1%2%3, %4 signal: %5")
                  .arg(a.ampName, N > 1 ? QStringLiteral(", %1 in parallel").arg(N) : QString(),
                      in.bridge ? (in.unipolar ? QStringLiteral(", bridged (unipolar output)")
                                               : QStringLiteral(", bridged (same supplies)"))
                                : QString(),
                      in.voltageSignal ? QStringLiteral("voltage") : QStringLiteral("current"), description));
    w.comment(QStringLiteral("Read the load current as i(VILOAD) and the load voltage as v(%1).")
                  .arg(in.bridge ? QStringLiteral("out,out_n") : QStringLiteral("out")));
    w.blank();
    w.comment(QStringLiteral("Supplies"));
    w.element(QStringLiteral("VSP"), QStringLiteral("vs_pos"), QStringLiteral("0"), num(in.vsPos),
        QStringLiteral("+V_S"));
    w.element(QStringLiteral("VSN"), QStringLiteral("vs_neg"), QStringLiteral("0"), num(in.vsNeg),
        QStringLiteral("-V_S"));
    if (in.boost)
        w.comment(QStringLiteral("Boost supplies in use: the swing below is the one the boost rails allow."));
    w.blank();
    w.comment(QStringLiteral("Output signal the amplifier is asked for"));
    w.element(QStringLiteral("VSIG"), QStringLiteral("signal"), QStringLiteral("0"), source,
        QStringLiteral("output signal"));
    w.blank();

    // The swing limit: the output stays drop = A I^2 + B I + C inside its rails.
    const QString current
        = N > 1 ? QStringLiteral("abs(i(VILOAD))/%1").arg(N) : QStringLiteral("abs(i(VILOAD))");
    const QString drop
        = QStringLiteral("(%1*(%3)*(%3)+%2*(%3)+%4)").arg(num(sw.A), num(sw.B), current, num(sw.C));
    const auto limited = [&](const QString &target, const QString &pos, const QString &neg) {
        return QStringLiteral("V = min(max(%1, %3+%4), %2-%4)").arg(target, pos, neg, drop);
    };
    const double offset = in.bridge && !in.unipolar ? (in.vsPos + in.vsNeg) / 2 : 0;
    const QString loadReturn = in.bridge ? QStringLiteral("out_n") : QStringLiteral("0");
    if (in.voltageSignal) {
        const QString target
            = in.bridge ? QStringLiteral("v(signal)/2+%1").arg(num(offset)) : QStringLiteral("v(signal)");
        w.comment(QStringLiteral("Amplifier output, limited by its worst-case swing"));
        for (int k = 1; k <= N; ++k) {
            const QString node = N > 1 ? QStringLiteral("amp%1").arg(k) : QStringLiteral("amp");
            // Paralleled amplifiers share the current through their R_CS;
            // the master senses the load, so each drives the R_CS drop on top.
            const QString t
                = N > 1 ? QStringLiteral("%1+%2*i(VILOAD)/%3").arg(target, num(in.rcs)).arg(N) : target;
            w.element(QStringLiteral("BAMP%1").arg(N > 1 ? QString::number(k) : QString()), node,
                QStringLiteral("0"), limited(t, QStringLiteral("v(vs_pos)"), QStringLiteral("v(vs_neg)")),
                k > 1                    ? QStringLiteral("%1 (parallel)").arg(a.ampName)
                    : N > 1 || in.bridge ? QStringLiteral("%1 (master)").arg(a.ampName)
                                         : a.ampName);
            if (N > 1)
                w.element(QStringLiteral("RCS%1").arg(k), node, QStringLiteral("out_amp"), num(in.rcs),
                    QStringLiteral("R_CS"));
        }
        w.element(QStringLiteral("VILOAD"), N > 1 ? QStringLiteral("out_amp") : QStringLiteral("amp"),
            QStringLiteral("out"), QStringLiteral("0"), QStringLiteral("load current sense"));
        if (in.bridge) {
            const QString pos = in.unipolar ? QStringLiteral("(-v(vs_neg))") : QStringLiteral("v(vs_pos)");
            const QString neg = in.unipolar ? QStringLiteral("(-v(vs_pos))") : QStringLiteral("v(vs_neg)");
            w.element(QStringLiteral("BSLAVE"), QStringLiteral("out_n"), QStringLiteral("0"),
                limited(QStringLiteral("-v(signal)/2+%1").arg(num(offset)), pos, neg),
                QStringLiteral("%1 (bridge slave)").arg(a.ampName));
        }
    } else {
        w.comment(QStringLiteral("Amplifier output as a current source (current signal)"));
        w.element(QStringLiteral("BAMP"), QStringLiteral("0"), QStringLiteral("amp"),
            QStringLiteral("I = v(signal)"),
            in.bridge ? QStringLiteral("%1 (master)").arg(a.ampName) : a.ampName);
        w.element(QStringLiteral("VILOAD"), QStringLiteral("amp"), QStringLiteral("out"), QStringLiteral("0"),
            QStringLiteral("load current sense"));
        if (in.bridge)
            w.element(QStringLiteral("BSLAVE"), QStringLiteral("out_n"), QStringLiteral("0"),
                QStringLiteral("V = %1-v(out)").arg(num(2 * offset)),
                QStringLiteral("%1 (bridge slave)").arg(a.ampName));
    }
    w.blank();

    w.comment(in.series ? QStringLiteral("Load: R, L and C in series")
                        : QStringLiteral("Load: R, L and C in parallel"));
    if (loadOpen) {
        w.comment(QStringLiteral("An element of the series load is open: no load is connected."));
    } else if (loadShorted) {
        w.comment(QStringLiteral("The load shorts the output."));
        w.element(QStringLiteral("VSHORT"), QStringLiteral("out"), loadReturn, QStringLiteral("0"),
            QStringLiteral("shorted load"));
    } else if (in.series) {
        QString from = QStringLiteral("out");
        for (int k = 0; k < elements.size(); ++k) {
            const QString to = k + 1 == elements.size() ? loadReturn : QStringLiteral("load%1").arg(k + 1);
            w.element(QString(elements[k].kind) + QStringLiteral("LOAD"), from, to, num(elements[k].value),
                elements[k].label);
            from = to;
        }
    } else {
        for (const LoadElement &e : elements)
            w.element(QString(e.kind) + QStringLiteral("LOAD"), QStringLiteral("out"), loadReturn,
                num(e.value), e.label);
    }
    w.blank();

    const int n = std::max(1, int(in.period.time.size()));
    const int discarded = std::max(0, in.displayAfter);
    const int shown = std::max(1, in.displayCycles);
    const double step = period / n;
    w.comment(QStringLiteral("%1 periods to settle, then %2 shown, %3 samples a period, from rest")
                  .arg(discarded)
                  .arg(shown)
                  .arg(n));
    w.line(QStringLiteral(".tran %1 %2 %3 %4 uic")
               .arg(num(step), num((discarded + shown) * period), num(discarded * period), num(step)));
    out.text = w.text();
    return out;
}
