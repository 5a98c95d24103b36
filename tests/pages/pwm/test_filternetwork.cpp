#include <QtTest>

#include <cmath>
#include <random>

#include "pages/pwm/filternetwork.h"
#include "tests/pages/pwm/complexsolve.h"
#include "values/sivalues.h"

Q_DECLARE_METATYPE(networkElement)

namespace {

QString num(double x)
{
    return QString::number(x, 'g', 17);
}

networkElement element(double l, double r, double c)
{
    return { num(l), num(r), num(c) };
}

FilterNetwork network(int order, int nL, int nC)
{
    FilterNetwork n;
    resetNetworkElements(n);
    n.order = order;
    n.nL = nL;
    n.nC = nC;
    return n;
}

// Series R + jwL + 1/(jwC), and an inductor's R + jwL with C across it.
cplx seriesZ(double r, double l, double c, double w)
{
    return cplx(r, w * l - 1.0 / (w * c));
}

cplx inductorZ(double r, double l, double c, double w)
{
    return 1.0 / (1.0 / cplx(r, w * l) + cplx(0, w * c));
}

// A random network with every value finite and nonzero.
struct RandomNetwork {
    FilterNetwork net;
    double v[12][3]; // L, R, C of P1..P6, MN, L1..L5
};

RandomNetwork randomNetwork(unsigned seed, int order, bool extended, int nL, int nC)
{
    std::mt19937 gen(seed);
    auto logUniform = [&gen](double lo, double hi) {
        return lo * std::pow(hi / lo, std::uniform_real_distribution<double>(0, 1)(gen));
    };
    RandomNetwork rn;
    rn.net = network(order, nL, nC);
    rn.net.extendedLoad = extended;
    for (int i = 0; i < 12; ++i) {
        const bool inductor = i < 6 && i % 2 == 0;
        rn.v[i][0] = inductor ? logUniform(10e-6, 5e-3) : logUniform(1e-9, 1e-5);
        rn.v[i][1] = logUniform(0.01, inductor || i < 6 ? 1 : 50);
        rn.v[i][2] = inductor ? logUniform(1e-12, 1e-9) : logUniform(0.1e-6, 100e-6);
        const networkElement e = element(rn.v[i][0], rn.v[i][1], rn.v[i][2]);
        if (i < 6)
            rn.net.filter[size_t(i)] = e;
        else if (i == 6)
            rn.net.matching = e;
        else
            rn.net.load[size_t(i - 7)] = e;
    }
    return rn;
}

// Nodal analysis of the same circuit, driven by 1 A: node 0 at the amplifier,
// nodes 1..3 after each inductor (an absent inductor merges its two nodes),
// node 4 between the two halves of an extended load.
void nodal(const RandomNetwork &rn, double f, cplx *t, cplx *zin)
{
    const double w = kTwoPi * f;
    auto z = [&](int i) { return seriesZ(rn.v[i][1], rn.v[i][0], rn.v[i][2], w); };
    int node[5] = { 0, 1, 2, 3, 4 };
    for (int k = 0; k < 3; ++k)
        if (2 * k >= rn.net.order)
            node[k + 1] = node[k];
    Nodal m(5);
    auto link = [&](int p, int q, cplx adm) { m.y(node[p], q < 0 ? -1 : node[q], adm); };
    for (int k = 0; k < 3; ++k) {
        const int li = 2 * k, ci = 2 * k + 1;
        if (li < rn.net.order)
            link(k, k + 1, 1.0 / (double(rn.net.nL) * inductorZ(rn.v[li][1], rn.v[li][0], rn.v[li][2], w)));
        if (ci < rn.net.order)
            link(k + 1, -1, 1.0 / (double(rn.net.nC) * z(ci)));
    }
    link(3, -1, 1.0 / z(6));
    if (rn.net.extendedLoad) {
        link(3, 4, 1.0 / z(11) + 1.0 / z(9) + 1.0 / z(10));
        link(4, -1, 1.0 / z(7) + 1.0 / z(8));
    } else {
        link(3, -1, 1.0 / z(11));
    }
    for (int i = 0; i < 5; ++i)
        if (m.a[i][i] == cplx())
            m.a[i][i] = 1; // a merged or unused node
    m.b[0] = 1;
    const QVector<cplx> v = m.solve();
    *zin = v[0];
    *t = v[node[3]] / v[0];
}

double relError(cplx a, cplx b)
{
    return std::abs(a - b) / std::max(std::abs(b), 1e-12);
}

} // namespace

class TestFilterNetwork : public QObject {
    Q_OBJECT
private slots:
    // The ideal ladder of every order and topology, as the filter page exports it,
    // follows the Butterworth magnitude into its resistive load.
    void butterworthLadder_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("topology"); // 0 single-ended, 1 dual-capacitor, 2 split-inductor
        QTest::addColumn<double>("ratio"); // f / fc
        for (int n = 1; n <= 6; ++n)
            for (int t = 0; t < 3; ++t)
                for (double ratio : { 0.5, 1.0, 2.0, 10.0 })
                    QTest::addRow("N%d-t%d-%g", n, t, ratio) << n << t << ratio;
    }

    void butterworthLadder()
    {
        QFETCH(int, order);
        QFETCH(int, topology);
        QFETCH(double, ratio);
        // The normalised Butterworth ladder driven from a voltage source (textbook tables).
        static const double table[6][6] = { { 1 }, { 1.4142, 0.7071 }, { 1.5, 4.0 / 3.0, 0.5 },
            { 1.5307, 1.5772, 1.0824, 0.3827 }, { 1.5451, 1.6944, 1.382, 0.8944, 0.309 },
            { 1.5529, 1.7593, 1.5529, 1.2016, 0.7579, 0.2588 } };
        const auto g = [order](int k) { return table[order - 1][k]; };
        const double rl = 15, fc = 2000;
        const bool dual = topology == 1, split = topology == 2;
        FilterNetwork n = network(order, inductorFactor(dual, split), capacitorFactor(dual));
        for (int k = 0; k < order; ++k) {
            if (k % 2 == 0)
                n.filter[size_t(k)].L = num(g(k) * rl / (kTwoPi * fc) / n.nL);
            else
                n.filter[size_t(k)].C = num(g(k) / (kTwoPi * fc * rl) * n.nC);
        }
        n.load[4].R = num(rl);
        const double expected = -10 * std::log10(1 + std::pow(ratio, 2 * order));
        const NetworkAC ac = loadACVoltage(n, ratio * fc, 2.0, 'V');
        QVERIFY(std::fabs(20 * std::log10(ac.Vload / 2.0) - expected) < 0.01);
        const FilterTransfer tf = Tfilter(n, ratio * fc);
        QVERIFY(std::fabs(std::hypot(tf.Tfil.real(), tf.Tfil.imag()) - ac.Vload / 2.0) < 1e-12);
        // A lossless ladder loses nothing; its input power reaches the load.
        QVERIFY(FilterPower(n, ratio * fc, 2.0) < 1e-12);
        QCOMPARE(ac.Zload, rl);
    }

    void againstNodalAnalysis_data()
    {
        QTest::addColumn<unsigned>("seed"); // order, extended load and topology follow from it
        for (unsigned seed = 1; seed <= 42; ++seed)
            QTest::addRow("N%u-%s-t%u", (seed - 1) / 6, (seed - 1) / 3 % 2 ? "ext" : "cond", (seed - 1) % 3)
                << seed;
    }

    // Every element with parasitics, against a nodal solution written here; the
    // loss adds up to the input power less the power in the load and matching branch.
    void againstNodalAnalysis()
    {
        QFETCH(unsigned, seed);
        const unsigned t = (seed - 1) % 3;
        const RandomNetwork rn
            = randomNetwork(seed, int(seed - 1) / 6, (seed - 1) / 3 % 2, t == 0 ? 1 : 2, t == 1 ? 2 : 1);
        for (double f : { 37.0, 1000.0, 23e3, 410e3 }) {
            cplx t, zin;
            nodal(rn, f, &t, &zin);
            const FilterTransfer tf = Tfilter(rn.net, f);
            QVERIFY2(
                relError(cplx(tf.Tfil.real(), tf.Tfil.imag()), t) < 1e-5, qPrintable(QString::number(f)));
            QVERIFY2(
                relError(cplx(tf.Ztot.real(), tf.Ztot.imag()), zin) < 1e-5, qPrintable(QString::number(f)));
            const NetworkAC ac = loadACVoltage(rn.net, f, 3.0, 'V');
            QVERIFY(std::fabs(ac.Vload - 3.0 * std::abs(t)) <= 1e-5 * ac.Vload);
            QVERIFY(std::fabs(ac.Zout - std::abs(zin)) <= 1e-5 * ac.Zout);
            QVERIFY(std::fabs(ac.Aout - std::arg(zin) * 180 / M_PI) < 1e-3);
            const NetworkAC ai = loadACVoltage(rn.net, f, 0.5, 'I');
            QVERIFY(std::fabs(ai.Vload - 0.5 * std::abs(t * zin)) <= 1e-5 * ai.Vload);

            const double w = kTwoPi * f;
            const cplx zmn = seriesZ(rn.v[6][1], rn.v[6][0], rn.v[6][2], w);
            const cplx zl(tf.Zload.real(), tf.Zload.imag());
            const cplx vl = 3.0 * t;
            const double pin = 0.5 * 9.0 * (1.0 / zin).real();
            const double pout = 0.5 * std::norm(vl) * ((1.0 / zl).real() + (1.0 / zmn).real());
            QVERIFY(std::fabs(FilterPower(rn.net, f, 3.0) - (pin - pout)) <= 1e-5 * pin);
        }
    }

    void dcSolution_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("nL");
        QTest::addColumn<QString>("c1");
        QTest::addColumn<double>("rtot");
        QTest::addColumn<double>("gain");
        // Inductor resistances 0.1, 0.2, 0.3 ohm; C1 branch 50 ohm; load 10 ohm.
        QTest::newRow("capacitors block DC") << 6 << 2 << "1u" << 2 * 0.6 + 10 << 10 / 11.2;
        QTest::newRow("single leg") << 6 << 1 << "1u" << 10.6 << 10 / 10.6;
        QTest::newRow("order 2 drops L2, L3") << 2 << 1 << "1u" << 10.1 << 10 / 10.1;
        // C1 shorted: its 50 ohm resistor loads node 1.
        const double r1 = 1.0 / (1.0 / 50 + 1.0 / 10.5);
        QTest::newRow("shorted C1") << 6 << 1 << "short" << 0.1 + r1 << (r1 / (0.1 + r1)) * 10 / 10.5;
        QTest::newRow("no filter") << 0 << 1 << "short" << 10.0 << 1.0;
    }

    void dcSolution()
    {
        QFETCH(int, order);
        QFETCH(int, nL);
        QFETCH(QString, c1);
        QFETCH(double, rtot);
        QFETCH(double, gain);
        FilterNetwork n = network(order, nL, 1);
        n.filter[0] = element(1e-3, 0.1, 20e-12);
        n.filter[2] = element(1e-3, 0.2, 0);
        n.filter[4] = element(1e-3, 0.3, 0);
        for (int i : { 1, 3, 5 })
            n.filter[size_t(i)] = element(10e-9, 50, 4.7e-6);
        n.filter[1].C = c1;
        n.load[4] = { QStringLiteral("2m"), QStringLiteral("10"), QStringLiteral("short") };
        const FilterGain g = Gfilter(n);
        QVERIFY(std::fabs(g.Rtot - rtot) < 1e-9);
        QVERIFY(std::fabs(g.Gfil - gain) < 1e-9);
        QCOMPARE(g.Rload, 10.0);
        const NetworkDC v = loadDCVoltage(n, -12, 'V');
        QVERIFY(std::fabs(v.Vload + 12 * gain) < 1e-9);
        const NetworkDC i = loadDCVoltage(n, 2, 'I');
        QVERIFY(std::fabs(i.Vload - 2 * rtot * gain) < 1e-9);
    }

    // Open loads, shorted parts and nodes with no admittance give defined,
    // finite-or-infinite results; never a huge stand-in number or a NaN.
    void openAndShort()
    {
        FilterNetwork n = network(4, 2, 1);
        n.filter[0].L = QStringLiteral("1m");
        n.filter[1].C = QStringLiteral("10u");
        n.filter[2].L = QStringLiteral("1m");
        n.filter[3].C = QStringLiteral("1u");
        n.load[4].C = QStringLiteral("0"); // an open load
        const FilterGain g = Gfilter(n);
        QVERIFY(std::isinf(g.Rload) && std::isinf(g.Rtot));
        QCOMPARE(g.Gfil, 1.0); // no current, no drop
        const NetworkAC ac = loadACVoltage(n, 1000, 1, 'V');
        QVERIFY(std::isinf(ac.Zload));
        QVERIFY(std::isfinite(ac.Zout) && std::isfinite(ac.Vload));
        QCOMPARE(ac.Aload, 0.0);

        // Nothing at all: the amplifier sees an open circuit, a current into it has no finite voltage.
        FilterNetwork none = network(0, 1, 1);
        none.load[4].R = QStringLiteral("open");
        const NetworkAC open = loadACVoltage(none, 50, 1, 'I');
        QVERIFY(std::isinf(open.Zout) && std::isinf(open.Vload));
        QCOMPARE(loadACVoltage(none, 50, 1, 'V').Vload, 1.0);
        QCOMPARE(loadACVoltage(none, 50, 1, 'x').Vload, 0.0);
        QCOMPARE(FilterPower(none, 50, 1), 0.0);

        // Admittances that cancel exactly leave the node open.
        FilterNetwork cancel = network(0, 1, 1);
        cancel.load[4].R = QStringLiteral("10");
        cancel.matching = { "0", "-10", "short" };
        QVERIFY(std::isinf(Tfilter(cancel, 100).Ztot.real()));

        // An inductor of no value is a wire; its self-capacitance "short" shorts it too.
        FilterNetwork wire = network(1, 1, 1);
        wire.load[4].R = QStringLiteral("8");
        wire.filter[0] = { QStringLiteral("5m"), QStringLiteral("1"), QStringLiteral("short") };
        QCOMPARE(loadACVoltage(wire, 1e3, 1, 'V').Zout, 8.0);
        wire.filter[0] = { QStringLiteral("open"), QStringLiteral("1"), QStringLiteral("0") };
        QCOMPARE(loadACVoltage(wire, 1e3, 1, 'V').Vload, 0.0);

        // With the reset strings an extended load is the condensed one.
        FilterNetwork ext = network(3, 2, 1);
        ext.filter[0].L = QStringLiteral("1m");
        ext.filter[1].C = QStringLiteral("2u");
        ext.filter[2].L = QStringLiteral("500u");
        ext.load[4] = { QStringLiteral("1m"), QStringLiteral("6"), QStringLiteral("short") };
        FilterNetwork cond = ext;
        ext.extendedLoad = true;
        for (double f : { 10.0, 3e3, 90e3 }) {
            const NetworkAC a = loadACVoltage(ext, f, 1, 'V'), b = loadACVoltage(cond, f, 1, 'V');
            QCOMPARE(a.Vload, b.Vload);
            QCOMPARE(a.Zout, b.Zout);
        }
        QCOMPARE(Gfilter(ext).Gfil, Gfilter(cond).Gfil);
    }

    void parasitics_data()
    {
        QTest::addColumn<int>("kind"); // 0 inductor, 1 plastic, 2 electrolytic
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("r");
        QTest::addColumn<double>("x"); // parallel C or series L
        QTest::newRow("1 mH") << 0 << "1m"
                              << "310m" << 45e-12;
        QTest::newRow("no inductance") << 0 << "0"
                                       << "0" << -1.0;
        QTest::newRow("plastic below 1 uF: constants only") << 1 << "470n"
                                                            << "50m" << 10e-9;
        QTest::newRow("plastic 100 uF") << 1 << "100u"
                                        << "150m" << 36e-9;
        QTest::newRow("electrolytic 1000 uF") << 2 << "1000u"
                                              << "1.55" << 170e-9;
        QTest::newRow("shorted capacitor") << 1 << "short"
                                           << "0" << 0.0;
    }

    // The parasitics buttons with the page's default equations.
    void parasitics()
    {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(QString, r);
        QFETCH(double, x);
        FilterNetwork n = network(6, 1, 1);
        const networkElement e = { value, QStringLiteral("9"), value };
        n.filter.fill(e);
        if (kind == 0) {
            useInductorParasitics(n, { 0.3, 0.01 }, { 25, 20 });
            QCOMPARE(n.filter[4].R, r);
            if (x < 0)
                QCOMPARE(n.filter[4].C, QStringLiteral("open"));
            else
                QVERIFY(std::fabs(string2Number(n.filter[4].C) - x) < 0.01 * x);
            QCOMPARE(n.filter[3], e); // capacitors untouched
            zeroInductorParasitics(n);
            QCOMPARE(n.filter[2].R + n.filter[2].C, QStringLiteral("00"));
        } else {
            if (kind == 1)
                useCapacitorParasitics(n, kPlasticDecadeStart, { 0.05, 0.05 }, { 13, 10 });
            else
                useCapacitorParasitics(n, kElectrolyticDecadeStart, { 0.7, 0.15 }, { 70, 30 });
            QCOMPARE(n.filter[5].R, r);
            QVERIFY(std::fabs(string2Number(n.filter[5].L) - x) <= 0.01 * x);
            QCOMPARE(n.filter[0], e);
            zeroCapacitorParasitics(n);
            QCOMPARE(n.filter[1].R + n.filter[1].L, QStringLiteral("00"));
        }
    }

    void matchingNetwork_data()
    {
        QTest::addColumn<networkElement>("load");
        QTest::addColumn<bool>("matched");
        QTest::newRow("15 ohm + 1 mH") << networkElement { "1m", "15", "short" } << true;
        QTest::newRow("15 ohm + 10 uF") << networkElement { "0", "15", "10u" } << true;
        QTest::newRow("resistor") << networkElement { "0", "15", "short" } << false;
        QTest::newRow("open capacitor") << networkElement { "0", "15", "0" } << false;
        QTest::newRow("lossless") << networkElement { "1m", "0", "short" } << false;
    }

    // A matched load looks like its resistance at every frequency.
    void matchingNetwork()
    {
        QFETCH(networkElement, load);
        QFETCH(bool, matched);
        FilterNetwork n = network(0, 1, 1);
        n.load[4] = load;
        n.matching = autoMatchingNetwork(n);
        if (!matched) {
            QCOMPARE(n.matching, (networkElement { "0", "0", "0" }));
            return;
        }
        const double r = string2Number(load.R);
        QCOMPARE(string2Number(n.matching.R), r);
        for (double f : { 10.0, 1e3, 100e3 }) {
            const NetworkAC ac = loadACVoltage(n, f, 1, 'V');
            QVERIFY2(std::fabs(ac.Zout - r) < 0.005 * r, qPrintable(QString::number(ac.Zout)));
            QVERIFY(std::fabs(ac.Aout) < 0.3);
        }
    }
};

QTEST_APPLESS_MAIN(TestFilterNetwork)
#include "test_filternetwork.moc"
