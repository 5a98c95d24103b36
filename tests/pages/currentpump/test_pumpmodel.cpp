#include <QtTest>

#include <cmath>
#include <complex>

#include "pages/currentpump/pumpmodel.h"
#include "pages/stability/loopmodel.h"

namespace {

using cx = std::complex<double>;
const comp kOpenZ(4294967295.0, 4294967295.0);

// Load current per input volt of the pump with an ideal op-amp, by nodal
// analysis: the op-amp holds V- = V+, and the currents at the load node sum
// to zero. Written from the circuit, not from the tool's formula.
double nodalTransconductance(const PumpResistors &r, cx zl, cx zd, bool inverting)
{
    const double b = r.rinP / (r.rinP + r.rfp); // V+ per volt at the load node
    const double k = 1 + r.rfn / r.rinN; // V_out per volt at V-
    const cx y = 1.0 / zl + 1.0 / zd + 1.0 / r.rfp;
    const cx den = k * b / r.rs - 1.0 / r.rs - y + b / r.rfp;
    cx vl;
    if (inverting) {
        vl = (r.rfn / (r.rinN * r.rs)) / den;
    } else {
        const double a = r.rfp / (r.rinP + r.rfp); // V+ per input volt
        vl = -a * (k / r.rs + 1.0 / r.rfp) / den;
    }
    return (vl / zl).real();
}

cx toCx(comp c)
{
    return cx(c.real(), c.imag());
}

// Every corner of the five resistors, enumerated as nested signs.
double bruteWorst(const PumpResistors &r, const PumpTolerances &t, cx zl, bool inverting)
{
    const cx open(4294967295.0, 4294967295.0);
    const double g0 = nodalTransconductance(r, zl, open, inverting);
    double worst = g0;
    const int s[3] = { -1, 0, 1 };
    for (int a : s)
        for (int b : s)
            for (int c : s)
                for (int d : s)
                    for (int e : s) {
                        const PumpResistors x { r.rinN * (1 + a * t.in / 100), r.rinP * (1 + b * t.in / 100),
                            r.rfn * (1 + c * t.fn / 100), r.rfp * (1 + d * t.fp / 100),
                            r.rs * (1 + e * t.s / 100) };
                        const double g = nodalTransconductance(x, zl, open, inverting);
                        if (std::fabs(g - g0) > std::fabs(worst - g0))
                            worst = g;
                    }
    return worst;
}

bool near(double a, double b, double rel)
{
    return std::fabs(a - b) <= rel * std::max(std::fabs(a), std::fabs(b)) + 1e-15;
}

amp pumpAmp()
{
    amp a;
    a.Aol_DC = 110;
    a.SROptions = 1;
    a.pole1 = { 10 };
    a.pole2 = { 1e12 };
    a.pole3 = { 1e12 };
    a.GBWP = 3000;
    a.I_pk = 5;
    a.Vss_max = 100;
    a.Inputs = QStringLiteral("both");
    return a;
}

} // namespace

Q_DECLARE_METATYPE(PumpResistors)
Q_DECLARE_METATYPE(PumpTolerances)
Q_DECLARE_METATYPE(cx)

class TestPumpModel : public QObject {
    Q_OBJECT
private slots:
    void transconductance_data()
    {
        QTest::addColumn<PumpResistors>("r");
        QTest::addColumn<cx>("zl");
        QTest::addColumn<cx>("zd");
        QTest::addColumn<bool>("inverting");
        const PumpResistors mismatched { 10e3, 10.1e3, 9.9e3, 10e3, 1 }, damped { 1e3, 2e3, 5e3, 3e3, 2 };
        const cx open(4294967295.0, 4294967295.0);
        QTest::newRow("non, mismatched, inductive") << mismatched << cx(10, 5) << open << false;
        QTest::newRow("inv, mismatched, inductive") << mismatched << cx(10, 5) << open << true;
        QTest::newRow("non, damped, capacitive") << damped << cx(5, -3) << cx(50, -100) << false;
        QTest::newRow("inv, damped, capacitive") << damped << cx(5, -3) << cx(50, -100) << true;
    }
    void transconductance()
    {
        QFETCH(PumpResistors, r);
        QFETCH(cx, zl);
        QFETCH(cx, zd);
        QFETCH(bool, inverting);
        const double g
            = IHCPtransconductance(r, comp(zl.real(), zl.imag()), comp(zd.real(), zd.imag()), inverting);
        QVERIFY(near(g, nodalTransconductance(r, zl, zd, inverting), 1e-9));
    }

    // R_F+ = R_F- - R_S balances the bridge: the current no longer depends on the
    // load and is R_F- / (R_IN R_S) per volt.
    void matchedRatiosGiveIdeal_data()
    {
        QTest::addColumn<double>("rin");
        QTest::addColumn<double>("rf");
        QTest::addColumn<double>("rs");
        QTest::addColumn<cx>("zl");
        QTest::addColumn<bool>("inverting");
        QTest::newRow("1 A/V into 10 ohm") << 10e3 << 10e3 << 1.0 << cx(10, 0) << false;
        QTest::newRow("0.5 A/V into an inductive load") << 20e3 << 20e3 << 2.0 << cx(30, 62.8) << false;
        QTest::newRow("inverting, capacitive load") << 5e3 << 50e3 << 0.5 << cx(4, -15.9) << true;
    }
    void matchedRatiosGiveIdeal()
    {
        QFETCH(double, rin);
        QFETCH(double, rf);
        QFETCH(double, rs);
        QFETCH(cx, zl);
        QFETCH(bool, inverting);
        const PumpResistors r { rin, rin, rf, rf - rs, rs };
        const double ideal = (inverting ? -1 : 1) * rf / (rin * rs);
        const comp load(zl.real(), zl.imag());
        QVERIFY(near(IHCPtransconductance(r, load, kOpenZ, inverting), ideal, 1e-6));
        QVERIFY(near(IHCPworstcase(r, {}, load, kOpenZ, inverting), ideal, 1e-6));
    }

    void worstCase_data()
    {
        QTest::addColumn<PumpTolerances>("t");
        QTest::addColumn<bool>("inverting");
        QTest::newRow("zero tolerances") << PumpTolerances {} << false;
        QTest::newRow("defaults") << PumpTolerances { 0.1, 0.1, 0.1, 1 } << false;
        QTest::newRow("uneven, inverting") << PumpTolerances { 0.5, 1, 0.25, 2 } << true;
        QTest::newRow("loose") << PumpTolerances { 5, 2, 1, 5 } << false;
    }

    void worstCase()
    {
        QFETCH(PumpTolerances, t);
        QFETCH(bool, inverting);
        const PumpResistors r { 10e3, 10e3, 10e3, 9999, 1 };
        const comp zl(10, 6.283);
        const double wc = IHCPworstcase(r, t, zl, kOpenZ, inverting);
        QVERIFY(near(wc, bruteWorst(r, t, toCx(zl), inverting), 1e-9));
        if (t.in == 0 && t.s == 0)
            QCOMPARE(wc, IHCPtransconductance(r, zl, kOpenZ, inverting));
    }

    // The first (R tolerance, R_S tolerance) pair of the ladder, loosest first and
    // R_S never tighter, whose brute-force worst case is inside the target.
    void autoSolve_data()
    {
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("tolerance");
        QTest::addColumn<bool>("inverting");
        QTest::newRow("1 A/V, 5 %") << 1.0 << 5.0 << false;
        QTest::newRow("1 A/V, 1 %") << 1.0 << 1.0 << false;
        QTest::newRow("inverting 2 A/V, 0.3 %") << 2.0 << 0.3 << true;
        QTest::newRow("0 % cannot be met") << 1.0 << 0.0 << false;
    }

    void autoSolve()
    {
        QFETCH(double, gain);
        QFETCH(double, tolerance);
        QFETCH(bool, inverting);
        PumpAutoInput in;
        in.transconductance = gain;
        in.tolerance = tolerance;
        in.inverting = inverting;
        in.rin = 10e3;
        in.rs = 1;
        in.load = comp(10, 0);
        const PumpAutoResult got = IHCPauto(in);
        const double rf = gain * 1e4;
        QCOMPARE(got.rfn.toDouble(), rf);
        QCOMPARE(got.rfp.toDouble(), rf - 1);
        const double ladder[] = { 5, 2, 1, 0.5, 0.25, 0.1, 0.05, 0.01, 0.005, 0 };
        const double target = inverting ? -gain : gain;
        QString tolR = QStringLiteral("0 (trim pot)"), tolS = tolR;
        bool found = false;
        for (int i = 0; i < 10 && !found; ++i)
            for (int j = 0; j <= i && !found; ++j) {
                const double wc = bruteWorst({ 1e4, 1e4, rf, rf - 1, 1 },
                    { ladder[i], ladder[i], ladder[i], ladder[j] }, cx(10, 0), inverting);
                if (std::fabs((wc - target) / target) * 100 < tolerance) {
                    found = true;
                    tolR = QString::number(ladder[i]);
                    tolS = QString::number(ladder[j]);
                }
            }
        QCOMPARE(got.met, found);
        QCOMPARE(got.tolIn.section(' ', 0, 0), tolR.section(' ', 0, 0));
        QCOMPARE(got.tolFn, got.tolIn);
        QCOMPARE(got.tolFp, got.tolIn);
        QCOMPARE(got.tolS.section(' ', 0, 0), tolS.section(' ', 0, 0));
        if (!found)
            QCOMPARE(got.tolS, QStringLiteral("0 (trim pot)"));
    }

    // Defaults with a 10 ohm resistive load: beta- = 0.5, beta+ with the load =
    // 10k*10 / (20001*10 + 20000*1) = 0.4545248, so 1/(beta- - beta+) = 21.99005,
    // 26.845 dB at every frequency.
    void resistiveLoadFlatPath()
    {
        PumpBodeInput in;
        in.amplifier = pumpAmp();
        in.rload = 10;
        in.inductance = 0;
        const PumpBodeResult r = IHCPBode(in);
        QCOMPARE(r.path1.size(), 128);
        for (double level : r.path1)
            QVERIFY(std::fabs(level - 26.8448) < 1e-3);
        QVERIFY(std::isinf(r.fZero));
    }

    void verdictRule_data()
    {
        QTest::addColumn<double>("roc");
        QTest::addColumn<double>("fZero");
        QTest::addColumn<int>("verdict");
        QTest::newRow("20.99") << 20.99 << 1e6 << int(PumpVerdict::Stable);
        QTest::newRow("exactly 21") << 21.0 << 1e6 << int(PumpVerdict::Marginal);
        QTest::newRow("21 with low breaks") << 21.0 << 10.0 << int(PumpVerdict::Unstable);
        QTest::newRow("41") << 41.0 << 1e6 << int(PumpVerdict::Unstable);
    }

    void verdictRule()
    {
        QFETCH(double, roc);
        QFETCH(double, fZero);
        QFETCH(int, verdict);
        // Closure at 100 kHz: marginal needs a break above 10 kHz.
        QCOMPARE(int(pumpVerdict(roc, fZero, 100, 1e5)), verdict);
    }

    void badInput_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const char *keys[] = { "rin", "rfn", "rfp", "rs", "rd", "cd", "rload", "cload", "lload", "freq" };
        for (const char *key : keys)
            for (const char *value : { "0", "open", "short" })
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(key, value))) << key << value;
    }

    void badInput()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        PumpInput in;
        in.sweep = true;
        QString *fields[] = { &in.e.rin, &in.e.rfn, &in.e.rfp, &in.e.rs, &in.e.rd, &in.e.cd, &in.e.rload,
            &in.e.cload, &in.e.lload, &in.e.freq };
        const QStringList keys = { "rin", "rfn", "rfp", "rs", "rd", "cd", "rload", "cload", "lload", "freq" };
        *fields[keys.indexOf(key)] = value;
        const PumpResult r = computePump(in, pumpAmp());
        const QRegularExpression bad(
            QStringLiteral("\\b(nan|inf)\\b"), QRegularExpression::CaseInsensitiveOption);
        for (const ResultNote &n : r.notes)
            QVERIFY2(!bad.match(n.text).hasMatch(), qPrintable(n.text));
        QVERIFY(!bad.match(r.vInText).hasMatch());
        QVERIFY(!bad.match(r.vAtLoad.text).hasMatch());
        QVERIFY(r.verdictLine >= 0 && r.notes[r.verdictLine].text.contains(QStringLiteral("STABLE")));
    }
};

QTEST_APPLESS_MAIN(TestPumpModel)
#include "test_pumpmodel.moc"
