#include "pages/pwm/pwmnetlist.h"

#include "values/sivalues.h"

#include <cmath>

namespace {

bool isOpen(double v)
{
    return v == kOpenValue;
}

// A capacitor text as the network reads it: 0 for none (an open branch),
// infinity for a short or an infinitely large part.
double capacitance(const QString &text)
{
    if (text == QLatin1String("short"))
        return INFINITY;
    if (text == QLatin1String("open") || text == QLatin1String("none"))
        return 0;
    const double c = string2Number(text);
    return isOpen(c) ? INFINITY : c;
}

QString times(int n)
{
    return n == 1 ? QStringLiteral("once")
        : n == 2  ? QStringLiteral("twice")
                  : QStringLiteral("%1 times").arg(n);
}

struct Netlister {
    SpiceWriter &w;
    bool floating = false; // an open part may cut nodes off

    // R, L and C in series from a to b, each scaled by `factor`; false when
    // the branch is open.
    bool seriesBranch(const QString &name, const QString &a, const QString &b, const networkElement &e,
        int factor, const QString &label, bool parasitic = false)
    {
        const double r = string2Number(e.R), l = string2Number(e.L), c = capacitance(e.C);
        if (isOpen(r) || isOpen(l) || c == 0) {
            w.comment(QStringLiteral("%1 is open: left out").arg(label));
            return false;
        }
        struct Part {
            QChar kind;
            double value;
            QString what;
        };
        QVector<Part> parts;
        if (r != 0)
            parts.append({ QLatin1Char('R'), r * factor,
                parasitic ? QStringLiteral("parasitic R") : QStringLiteral("R") });
        if (l != 0)
            parts.append({ QLatin1Char('L'), l * factor,
                parasitic ? QStringLiteral("parasitic L") : QStringLiteral("L") });
        if (std::isfinite(c))
            parts.append({ QLatin1Char('C'), c / factor, QStringLiteral("C") });
        if (parts.isEmpty()) {
            w.element(
                QStringLiteral("V") + name, a, b, QStringLiteral("0"), label + QStringLiteral(" (short)"));
            return true;
        }
        QString from = a;
        for (int k = 0; k < parts.size(); ++k) {
            const QString to
                = k + 1 == parts.size() ? b : QStringLiteral("%1_%2").arg(name.toLower()).arg(k + 1);
            w.element(QString(parts[k].kind) + name, from, to, spiceNumber(parts[k].value),
                QStringLiteral("%1: %2").arg(label, parts[k].what));
            from = to;
        }
        return true;
    }

    // A filter inductor: R and L in series with its self-capacitance across both.
    void inductor(int stage, const QString &a, const QString &b, const networkElement &e, int nL)
    {
        const QString name = QStringLiteral("P%1").arg(2 * stage + 1);
        const QString label = QStringLiteral("P%1 inductor").arg(2 * stage + 1);
        const double r = string2Number(e.R), l = string2Number(e.L), c = capacitance(e.C);
        if (std::isinf(c)) {
            w.element(
                QStringLiteral("V") + name, a, b, QStringLiteral("0"), label + QStringLiteral(" (shorted)"));
            return;
        }
        bool any = false;
        if (!isOpen(r) && !isOpen(l)) {
            any = true;
            if (r == 0 && l == 0) {
                w.element(QStringLiteral("V") + name, a, b, QStringLiteral("0"),
                    label + QStringLiteral(" (short)"));
                return;
            }
            const QString mid = r != 0 && l != 0 ? name.toLower() + QStringLiteral("_rl") : b;
            if (r != 0)
                w.element(QStringLiteral("R") + name, a, mid, spiceNumber(r * nL),
                    label + QStringLiteral(": parasitic R"));
            if (l != 0)
                w.element(QStringLiteral("L") + name, r != 0 ? mid : a, b, spiceNumber(l * nL),
                    label + QStringLiteral(": L"));
        }
        if (c != 0) {
            any = true;
            w.element(QStringLiteral("C") + name, a, b, spiceNumber(c / nL),
                label + QStringLiteral(": parasitic C"));
        }
        if (!any) {
            floating = true;
            w.comment(label + QStringLiteral(" is open: left out"));
        }
    }
};

} // namespace

SpiceNetlist pwmNetworkNetlist(
    const FilterNetwork &network, double fStart, double fStop, int pointsPerDecade, const QString &title)
{
    SpiceWriter w(title);
    Netlister n { w };
    w.comment(QStringLiteral("Filter of order %1; v(load) over the 1 V at node amp is its transfer.")
                  .arg(network.order));
    if (network.nL > 1 || network.nC > 1)
        w.comment(QStringLiteral(
            "Both legs folded into one ladder: each inductor (with its parasitics) counts %1,\n"
            "each capacitor branch %2.")
                      .arg(times(network.nL), times(network.nC)));
    w.comment(QStringLiteral("node_p2 and node_p4 are the nodes of capacitors P2 and P4."));
    w.blank();
    w.element(QStringLiteral("VAMP"), QStringLiteral("amp"), QStringLiteral("0"), QStringLiteral("AC 1"),
        QStringLiteral("amplifier output"));
    const QString nodes[] = { QStringLiteral("amp"), QStringLiteral("node_p2"), QStringLiteral("node_p4"),
        QStringLiteral("load") };
    for (int stage = 0; stage < 3; ++stage) {
        w.blank();
        const int li = 2 * stage, ci = 2 * stage + 1;
        if (li < network.order)
            n.inductor(stage, nodes[stage], nodes[stage + 1], network.filter[size_t(li)], network.nL);
        else
            w.element(QStringLiteral("VP%1").arg(li + 1), nodes[stage], nodes[stage + 1], QStringLiteral("0"),
                QStringLiteral("P%1 absent at this order: a wire").arg(li + 1));
        if (ci < network.order)
            n.seriesBranch(QStringLiteral("P%1").arg(ci + 1), nodes[stage + 1], QStringLiteral("0"),
                network.filter[size_t(ci)], network.nC, QStringLiteral("P%1 capacitor").arg(ci + 1), true);
    }
    w.blank();
    w.comment(QStringLiteral("Matching network across the load"));
    n.seriesBranch(QStringLiteral("MN"), QStringLiteral("load"), QStringLiteral("0"), network.matching, 1,
        QStringLiteral("MN"));
    w.blank();
    if (network.extendedLoad) {
        w.comment(QStringLiteral("Load: (L5 || L3 || L4) in series with (L1 || L2)"));
        n.seriesBranch(QStringLiteral("LD5"), QStringLiteral("load"), QStringLiteral("load_mid"),
            network.load[4], 1, QStringLiteral("L5"));
        n.seriesBranch(QStringLiteral("LD3"), QStringLiteral("load"), QStringLiteral("load_mid"),
            network.load[2], 1, QStringLiteral("L3"));
        n.seriesBranch(QStringLiteral("LD4"), QStringLiteral("load"), QStringLiteral("load_mid"),
            network.load[3], 1, QStringLiteral("L4"));
        n.seriesBranch(QStringLiteral("LD1"), QStringLiteral("load_mid"), QStringLiteral("0"),
            network.load[0], 1, QStringLiteral("L1"));
        n.seriesBranch(QStringLiteral("LD2"), QStringLiteral("load_mid"), QStringLiteral("0"),
            network.load[1], 1, QStringLiteral("L2"));
        n.floating = true;
    } else {
        w.comment(QStringLiteral("Load"));
        n.seriesBranch(QStringLiteral("LD5"), QStringLiteral("load"), QStringLiteral("0"), network.load[4], 1,
            QStringLiteral("L5"));
    }
    w.blank();
    if (n.floating) {
        w.comment(QStringLiteral("Keeps a node that an open part cuts off from floating"));
        w.line(QStringLiteral(".options rshunt=1e12"));
    }
    w.line(QStringLiteral(".ac dec %1 %2 %3")
               .arg(std::max(1, pointsPerDecade))
               .arg(spiceNumber(fStart), spiceNumber(fStop)));
    SpiceNetlist out;
    out.text = w.text();
    return out;
}
