#include <QtTest>

#include <cmath>

#include "pages/stability/loopmodel.h"
#include "tests/rowtable.h"

namespace {

// An amplifier with only the given poles; a pole of 1e12 Hz lies far above the grid.
amp amplifier(double aol, double p1, double p2 = 1e12, double p3 = 1e12, double zout = 0)
{
    amp a;
    a.ampName = QStringLiteral("TEST");
    a.CircuitType = QStringLiteral("normal");
    a.Aol_DC = aol;
    a.SROptions = 1;
    a.pole1 = { p1 };
    a.pole2 = { p2 };
    a.pole3 = { p3 };
    a.slewRate = { 12.5 };
    a.Ccomp = { 0 };
    a.Rcomp = { 0 };
    a.Zout = zout;
    return a;
}

LoopInput input(const amp &a)
{
    LoopInput in;
    in.amplifier = a;
    return in;
}

const LoopSeries *series(const QVector<LoopSeries> &list, const QString &name)
{
    for (const LoopSeries &s : list)
        if (s.name == name)
            return &s;
    return nullptr;
}

bool near(double a, double b, double rel = 1e-9)
{
    return std::fabs(a - b) <= rel * std::max(std::fabs(a), std::fabs(b)) + 1e-9;
}

// Aol 100 dB, first pole 10 Hz, 1/beta flat at 40 dB (R_FB/R_IN = 99): the open
// loop falls to 40 dB at 10 kHz (grid point 64). A pole at 10^x Hz adds
// (log10(f/10^x) + 1) * 45 degrees below ten times its frequency. A second pole
// at 10^3.5 Hz bends the open loop to -40 dB/dec: it meets 40 dB where
// 20 log(f/10) + 20 log(f/10^3.5) = 60, at f = 10^3.75.
struct PoleRow {
    const char *tag;
    double p2, p3, closure, roc, pm;
    const char *verdict;
} const kPoles[] = {
    { "one pole", 1e12, 1e12, 1e4, 20, 90, "STABLE" },
    { "two poles near closure", std::pow(10, 4.25), std::pow(10, 4.25), 1e4, 20, 22.5, "MARGINALLY STABLE" },
    { "two poles at closure", std::pow(10, 4.05), std::pow(10, 4.05), 1e4, 20, 4.5, "UNSTABLE" },
    { "second pole below closure", std::pow(10, 3.5), 1e12, std::pow(10, 3.75), 40, 33.75, "UNSTABLE" },
};

struct VerdictRow {
    const char *tag;
    double roc, pm;
    const char *verdict;
} const kVerdicts[] = {
    { "slow, wide margin", 20, 46, "STABLE" },
    { "slow, margin 45", 20, 45, "MARGINALLY STABLE" },
    { "slow, margin just above 10", 20, 10.01, "MARGINALLY STABLE" },
    { "slow, margin 10", 20, 10, "UNSTABLE" },
    { "exactly 21, wide margin", 21, 90, "UNSTABLE" },
    { "fast, wide margin", 21.5, 46, "MARGINALLY STABLE" },
    { "fast, margin 45", 21.5, 45, "UNSTABLE" },
    { "not a number", std::nan(""), 90, "UNSTABLE" },
};

// Shorting a resistor of the current-sense loop leaves a division by zero in
// 1/beta or the transconductance; it is taken over 1e-13 like every break, so
// the page shows large finite numbers: 1/beta(DC) 1e13 (260 dB). R_IN short:
// beta(DC) = 2/12 * 0; both feedback resistors short with no sense stage: R_S
// in parallel with 0 is 0.
struct ShortedRow {
    const char *tag, *rin, *rfb, *rs, *rload, *gain;
} const kShorted[] = {
    { "R_S short, gain 1", "10k", "1k", "short", "10", "1" },
    { "R_IN short", "short", "1k", "2", "10", "1" },
    { "divider short", "short", "short", "2", "10", "short" },
};

} // namespace

class TestLoopModel : public QObject {
    Q_OBJECT
private slots:

    void singlePole_data() { addRows(kPoles); }
    void singlePole()
    {
        FETCH_ROW(kPoles);
        LoopInput in = input(amplifier(100, 10, r.p2, r.p3));
        in.parts.RinC = "1k";
        in.parts.RfbC = "99k";
        const LoopResult res = plotCBodeData(in, true);
        QVERIFY(near(res.closureFrequency, r.closure, 1e-9));
        QVERIFY(std::fabs(res.rateOfClosure - r.roc) < 1e-6);
        QVERIFY(std::fabs(res.phaseMargin - r.pm) < 1e-6);
        QCOMPARE(res.verdictNote.text, QString(r.verdict));
        QCOMPARE(res.verdictNote.isWarning(), QString(r.verdict) != "STABLE");
        QCOMPARE(res.slewRate, 12.5);
        // Nothing limits the bandwidth but the 20 dB point: 60 dB above 1/beta at
        // 1 kHz on the one-pole slope.
        if (r.p2 > 1e4 && r.p3 > 1e4)
            QVERIFY(near(res.maxBandwidth, 1e3, 1e-9));
    }

    void verdictTable_data() { addRows(kVerdicts); }
    void verdictTable()
    {
        FETCH_ROW(kVerdicts);
        QCOMPARE(stabVerdictText(stabVerdict(r.roc, r.pm)), QString(r.verdict));
    }

    // C_LOAD "0" and R_ISO "short": the load pole and the isolation zero both lie
    // at 1 / 1e-13 Hz, so the open loop is the amplifier alone.
    void unloadedOutput()
    {
        LoopInput in = input(amplifier(100, 10, 1e6, 1e7, 10));
        const LoopResult r = plotCBodeData(in, true);
        QVERIFY(near(r.loadPole, 1e13, 1e-12));
        QVERIFY(near(r.isoZero, 1e13, 1e-12));
        const LoopSeries *open = series(r.gain, "Open Loop Gain w/ C_LOAD");
        QVERIFY(open);
        const QVector<double> &f = StabGrid::frequencies();
        for (int i = 0; i < 128; ++i) {
            double expected = 100;
            for (double p : { 10.0, 1e6, 1e7 })
                if (f[i] > p)
                    expected -= 20 * std::log10(f[i] / p);
            QVERIFY2(std::fabs(open->y[i] - expected) < 1e-9, qPrintable(QString::number(i)));
        }
        QVERIFY(!series(r.phaseComponents, "Pole C_LOAD")->shown);
        QVERIFY(!series(r.phaseComponents, "Zero R_ISO")->shown);
        QVERIFY(series(r.phaseComponents, "Pole 3")->shown);
    }

    // Z = 10 ohm, C_LOAD 1 uF: load pole 1 / (10 * 6.28318 * 1e-6) = 15915.5 Hz; the
    // isolation zero takes the smaller of R_ISO and Z.
    void loadPoleAndIsolationZero_data()
    {
        QTest::addColumn<QString>("riso");
        QTest::addColumn<double>("zero");
        QTest::newRow("short") << "short" << 1e13;
        QTest::newRow("5 ohm") << "5" << 1 / (1e-6 * 5 * 6.28318 + 1e-13);
        QTest::newRow("50 ohm, limited by Z") << "50" << 1 / (1e-6 * 10 * 6.28318 + 1e-13);
    }

    void loadPoleAndIsolationZero()
    {
        QFETCH(QString, riso);
        QFETCH(double, zero);
        LoopInput in = input(amplifier(100, 10, 1e12, 1e12, 10));
        in.parts.CLoadStab = "1u";
        in.parts.RisoC = riso;
        const LoopResult r = plotCBodeData(in, true);
        QVERIFY(near(r.loadPole, 1 / (10 * 6.28318 * 1e-6 + 1e-13), 1e-12));
        QVERIFY(near(r.isoZero, zero, 1e-12));
        // At 100 kHz: 100 - 20 log(1e5/10) - 20 log(1e5/15915.5) (+ the zero when reached).
        const double f80 = StabGrid::frequencies()[80];
        double expected
            = 100 - 20 * std::log10(f80 / 10) - 20 * std::log10(f80 * (10 * 6.28318 * 1e-6 + 1e-13));
        if (zero < f80)
            expected += 20 * std::log10(f80 / zero);
        QVERIFY(std::fabs(series(r.gain, "Open Loop Gain w/ C_LOAD")->y[80] - expected) < 1e-9);
        QVERIFY(series(r.phaseComponents, "Pole C_LOAD")->shown);
        QCOMPARE(series(r.phaseComponents, "Zero R_ISO")->shown, zero < 1e13);
    }

    void currentLimitResistor_data()
    {
        QTest::addColumn<double>("vbe");
        QTest::addColumn<double>("clint");
        QTest::addColumn<double>("z");
        QTest::newRow("external limit") << 0.65 << 0.0 << 12.2;
        QTest::newRow("no sense voltage") << 0.0 << 0.0 << 10.0;
        QTest::newRow("internal limit") << 0.65 << 2.5 << 10.0;
    }

    void currentLimitResistor()
    {
        QFETCH(double, vbe);
        QFETCH(double, clint);
        QFETCH(double, z);
        amp a = amplifier(100, 10, 1e12, 1e12, 10);
        a.Vbe = vbe;
        a.CLint = clint;
        LoopInput in = input(a);
        in.parts.RclC = "2.2";
        in.parts.CLoadStab = "1u";
        const LoopResult r = plotCBodeData(in, true);
        QVERIFY(near(r.outputImpedance, z, 1e-12));
        QVERIFY(near(r.loadPole, 1 / (z * 6.28318 * 1e-6 + 1e-13), 1e-12));
        QCOMPARE(r.details.value(0),
            QStringLiteral("Total Output Impedance:\t%1 \u03A9").arg(z == 10 ? "10" : "12.2"));
    }

    // Non-inverting, the noise-gain network (the host's, for the composite loop)
    // changes nothing; inverting, the same values act.
    void nonInvertingIgnoresNoiseGain()
    {
        for (bool composite : { false, true }) {
            LoopInput plain = input(amplifier(110, 20, 3e6, 2e7, 5));
            plain.parts.CLoadStab = "100n";
            plain.host = { 120, 10, 1e6, 1e7 };
            plain.inverting = false;
            LoopInput typed = plain;
            (composite ? typed.parts.hostRng : typed.parts.RngC) = composite ? "100" : "1k";
            (composite ? typed.parts.hostCng : typed.parts.CngC) = composite ? "100n" : "10n";
            const LoopResult a = evaluateLoop(plain, StabLoad::Capacitive, composite, true);
            const LoopResult b = evaluateLoop(typed, StabLoad::Capacitive, composite, true);
            QCOMPARE(b.gain[1].y, a.gain[1].y);
            QCOMPARE(b.openLoopPhase, a.openLoopPhase);
            QCOMPARE(b.phaseMargin, a.phaseMargin);
            typed.inverting = true;
            const LoopResult c = evaluateLoop(typed, StabLoad::Capacitive, composite, true);
            QVERIFY(c.gain[1].y != a.gain[1].y);
            if (composite)
                QVERIFY(near(c.invBetaAC, 1100.0 * 30000 / 100000 + 1));
            else
                QCOMPARE(b.noiseGain, 1.0);
        }
    }

    // R_IN 1k, R_FB 20k, R_NG 1k, C_NG 10n: 1/beta(DC) 21, 1/beta(AC) = 2k * 20k / 1M + 1
    // = 41, noise-gain pole 1 / (1k * 6.28318 * 10n) = 15915.5 Hz, its zero at the pole / (41/21).
    void noiseGainNetwork()
    {
        LoopInput in = input(amplifier(110, 20, 3e6, 2e7, 5));
        in.parts.RngC = "1k";
        in.parts.CngC = "10n";
        const LoopResult r = plotCBodeData(in, true);
        QVERIFY(near(r.invBetaDC, 21));
        QVERIFY(near(r.invBetaAC, 41));
        QVERIFY(near(r.noiseGain, 41.0 / 21));
        const double pole = 1 / (1000 * 6.28318 * 1e-8 + 1e-13);
        QVERIFY(near(r.ngPole, pole, 1e-12));
        QVERIFY(near(r.ngZero, pole * 21 / 41, 1e-12));
        // Far above the pole 1/beta sits at 20 log 41.
        QVERIFY(std::fabs(r.gain[1].y[100] - 20 * std::log10(41.0)) < 1e-9);
        QCOMPARE(r.details.value(3), QStringLiteral("Noise Gain:\t\t1.95 V/V (5.81 dB)"));
        // With "open" in either text the network is off.
        in.parts.CngC = "open";
        QCOMPARE(plotCBodeData(in, false).noiseGain, 1.0);
    }

    void specialCircuits_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("dcB");
        QTest::addColumn<double>("fbPole");
        // Internal network: R_IN 4990, R_FB 1000, C_FB 10 pF; R_G typed 20k.
        const double internalPole = 1 / (1e-11 * 1000 * 6.28318 + 1e-13);
        QTest::newRow("BQ840") << "BQ840" << 21000 / 4990.0 + 1 << 1 / (1e-11 * 21000 * 6.28318 + 1e-13);
        QTest::newRow("BQ859") << "BQ859" << 1000 / 20000.0 + 1 << internalPole;
        QTest::newRow("VR554") << "VR554" << 1000 / 4990.0 + 1 << internalPole;
        QTest::newRow("normal uses the fields") << "normal" << 21.0 << 1 / (1e-9 * 20000 * 6.28318 + 1e-13);
    }

    void specialCircuits()
    {
        QFETCH(QString, type);
        QFETCH(double, dcB);
        QFETCH(double, fbPole);
        amp a = amplifier(100, 25, 3e6, 1.5e7, 1.2);
        a.CircuitType = type;
        a.Rin = 4990;
        a.Rfb = 1000;
        a.Cfb = 1e-11;
        LoopInput in = input(a);
        in.parts.RinC = "1k";
        in.parts.RfbC = "20k";
        in.parts.CfbC = "1n";
        in.parts.stabRg = "20k";
        const LoopResult r = plotCBodeData(in, false);
        QVERIFY(near(r.invBetaDC, dcB, 1e-12) && near(r.fbPole, fbPole, 1e-9));
    }

    void capacitiveDetailsAndSeries()
    {
        LoopInput in = input(amplifier(100, 10, 1e6, 1e7, 10));
        in.parts.CLoadStab = "1u";
        in.parts.RisoC = "5";
        const LoopResult r = plotCBodeData(in, true);
        QCOMPARE(r.closedLoopPhase[3].y[40], r.closedLoopPhase[0].y[40] * 1000);
        // Closed-loop phase at the closure frequency: -(45 + atan(fcl/1M) + atan(fcl/10M)) degrees.
        const double fcl = r.closureFrequency;
        const double expectedPhase
            = -(45 + std::atan(fcl / 1e6) * 180 / M_PI + std::atan(fcl / 1e7) * 180 / M_PI);
        QVERIFY(std::fabs(r.closedLoopPhase[0].y[r.closureIndex] - expectedPhase) < 1e-6);
        // The signal at the load follows the open loop above closure and falls past the zero.
        const double f100 = StabGrid::frequencies()[100];
        const double sig = r.gain[0].y[100] - 20 * std::log10(f100 / r.isoZero);
        QVERIFY(std::fabs(r.gain[2].y[100] - sig) < 1e-9);
    }

    void plotFreeRunMatches()
    {
        LoopInput in = input(amplifier(112, 30.14, 3e6, 2.5e7, 10));
        in.parts.CLoadStab = "4.7u";
        in.parts.RisoC = "0.5";
        in.parts.CfbC = "47p";
        const LoopResult full = plotCBodeData(in, true);
        const LoopResult quick = plotCBodeData(in, false);
        QCOMPARE(quick.phaseMargin, full.phaseMargin);
        QCOMPARE(quick.maxBandwidth, full.maxBandwidth);
        QCOMPARE(quick.closureFrequency, full.closureFrequency);
        QVERIFY(quick.gain.isEmpty() && quick.details.isEmpty() && quick.openLoopPhase.isEmpty());
        // The margin is the lowest loop phase up to closure, plus 180.
        double minimum = 0;
        for (int i = 0; i <= full.closureIndex; ++i)
            minimum = std::min(minimum, full.openLoopPhase[i]);
        QCOMPARE(full.phaseMargin, minimum + 180);
    }

    // R_S 2 with R_IN 10k and R_FB 1k: without a sense stage (gain "short") the loop
    // sees 2 || 11k = 1.999636 ohm; 1/beta(DC) = (R_L / R_S) (R_IN + R_FB) / R_IN / G.
    void senseResistor_data()
    {
        QTest::addColumn<QString>("gain");
        QTest::addColumn<double>("rs");
        QTest::addColumn<double>("dcB");
        const double par = 2.0 * 11000 / 11002;
        QTest::newRow("short") << "short" << par << (10 + par) / par * 1.1;
        QTest::newRow("gain 1") << "1" << 2.0 << 6.6;
        QTest::newRow("gain 10") << "10" << 2.0 << 0.66;
    }

    void senseResistor()
    {
        QFETCH(QString, gain);
        QFETCH(double, rs);
        QFETCH(double, dcB);
        LoopInput in = input(amplifier(100, 10));
        in.parts.RsGainL = gain;
        const LoopResult r = plotLBodeData(in, true);
        QVERIFY(near(r.senseResistance, rs, 1e-12));
        QVERIFY(near(r.invBetaDC, dcB, 1e-12));
        // L_LOAD "0": Path 1 is flat at 1/beta(DC) and the load zero lies at R_L / 1e-13.
        QVERIFY(near(r.loadZero, (10 + rs) / 1e-13, 1e-12));
        const LoopSeries *path1 = series(r.gain, "1/Beta Path 1");
        QVERIFY(path1);
        QCOMPARE(path1->y.first(), path1->y.last());
        QVERIFY(std::fabs(path1->y[0] - 20 * std::log10(dcB)) < 1e-9);
    }

    // R_IN 1k, R_FB 1k, R_S 10: the loop sees 10 || 2k = 9.95 ohm, the line shows
    // -1k/1k/10 = -100 mA/V and (1 + 1)/10 = 200 mA/V.
    void transconductanceUsesTypedSense()
    {
        LoopInput in = input(amplifier(100, 10));
        in.parts.RinL = "1k";
        in.parts.RfbL = "1k";
        in.parts.RsL = "10";
        const LoopResult r = plotLBodeData(in, true);
        QVERIFY(near(r.senseResistance, 10.0 * 2000 / 2010));
        QCOMPARE(r.details.value(0),
            QStringLiteral("Transconductance:\t-100 mA/V inverting, 200 mA/V non-inverting"));
    }

    // Aol 100 dB, pole 10 Hz; R_IN = R_FB = 1k, R_S 2 with gain 1, R_LOAD 8: 1/beta(DC) = 10
    // (20 dB). L_LOAD puts the load zero at 10^3.5 Hz, so Path 1 rises at 20 dB/dec from
    // there: 120 - 20 lf = 20 lf - 50 gives closure at 10^4.25 with a closure rate of 40.
    // Loop phase from 10^3.25 to 10^4.25: -90 - (lf - 2.5) 45 + (lf - 3.25) 45 = -123.75.
    void inductiveLoop()
    {
        LoopInput in = input(amplifier(100, 10));
        in.parts.RinL = "1k";
        in.parts.RfbL = "1k";
        in.parts.RsL = "2";
        in.parts.RsGainL = "1";
        in.parts.RloadL = "8";
        in.parts.LLoadStab = QString::number(10 / (6.28318 * std::pow(10, 3.5)), 'g', 17);
        const LoopResult r = plotLBodeData(in, true);
        QVERIFY(near(r.invBetaDC, 10, 1e-12));
        QVERIFY(near(r.loadZero, std::pow(10, 3.5), 1e-9));
        QVERIFY(near(r.closureFrequency, std::pow(10, 4.25), 1e-9));
        QVERIFY(std::fabs(r.rateOfClosure - 40) < 1e-6);
        QVERIFY(near(r.zeroCross, std::pow(10, 4.25), 1e-9));
        // Bandwidth where the open loop is 10 dB above Path 1: 120 - 20 lf = 20 lf - 40.
        QVERIFY(near(r.maxBandwidth, 1e4, 1e-9));
        QVERIFY(std::fabs(r.phaseMargin - 56.25) < 1e-6);
        QCOMPARE(r.verdictNote.text, QStringLiteral("MARGINALLY STABLE"));
        QVERIFY(series(r.gain, "1/Beta Path 1")->shown);
        QVERIFY(!series(r.gain, "1/Beta Path 2")->shown); // R_D "open" puts it far above the chart
        // I Out lags V Out by the load's own phase, atan(2 pi f L / R_L); the load zero
        // was placed with 6.28318, the lag uses the exact 2 pi, hence the tolerance.
        const double f = StabGrid::frequencies()[64];
        const double lag = std::atan(f / std::pow(10, 3.5)) * 180 / M_PI;
        QVERIFY(std::fabs(r.closedLoopPhase[0].y[64] - r.closedLoopPhase[1].y[64] - lag) < 1e-3);
        QVERIFY(series(r.phaseComponents, "Zero R_LOAD / L_LOAD")->shown
            && series(r.phaseComponents, "Zero Cross")->shown);
    }

    // The booster's inductive model takes R_G from the inductive schematic's own field.
    void boosterInductiveReadsItsOwnGainResistor()
    {
        amp a = amplifier(100, 25, 3e6, 1.5e7, 1.2);
        a.CircuitType = "BQ840";
        a.Rin = 4990;
        a.Rfb = 1000;
        a.Cfb = 1e-11;
        LoopInput in = input(a);
        in.parts.stabRg = "20k";
        in.parts.stabLRg = "1k";
        in.parts.RsGainL = "1";
        const LoopResult r = plotLBodeData(in, false);
        // R_IN 4990, R_FB 1000 + 1k; R_S 2, R_LOAD 10.
        QVERIFY(near(r.invBetaDC, 12.0 / 2 * (4990 + 2000) / 4990, 1e-12));
        in.parts.stabRg = "47k";
        QCOMPARE(plotLBodeData(in, false).invBetaDC, r.invBetaDC);
    }

    // HOST C_FB "open": the composite feedback pole is 1e13 Hz and the composite
    // 1/beta is flat at 20 log(30k/1k + 1).
    void compositeOpenFeedback()
    {
        LoopInput in = input(amplifier(110, 20, 3e6, 2e7, 5));
        in.host = { 120, 10, 1e6, 1e7 };
        const LoopResult r = plotCBodeDataComposite(in, true);
        QVERIFY(near(r.fbPole, 1e13, 1e-12));
        const LoopSeries *beta = series(r.gain, "1/Beta");
        for (double v : beta->y)
            QVERIFY(std::fabs(v - 20 * std::log10(31.0)) < 1e-9);
        // Past the pole of a large HOST C_FB the composite 1/beta would fall below 0 dB:
        // it is held there.
        in.parts.compRfb = "1";
        in.parts.compCfb = "1u";
        const QVector<double> low = series(plotCBodeDataComposite(in, true).gain, "1/Beta")->y;
        for (double v : low)
            QVERIFY(v >= 0);
        QCOMPARE(low.last(), 0.0);
    }

    // A power stage with no poles on the grid stays at its 1/beta (21, 26.4 dB) everywhere,
    // so the composite open loop is the host's open loop plus 20 log 21.
    void compositePowerStageBelowOpenLoop()
    {
        LoopInput in = input(amplifier(100, 1e12, 1e12, 1e12));
        in.host = { 100, 10, 1e12, 1e12 };
        const LoopResult r = plotCBodeDataComposite(in, true);
        const QVector<double> &f = StabGrid::frequencies();
        const QVector<double> &open = series(r.gain, "Composite Open Loop Gain")->y;
        for (int i = 0; i < 128; ++i) {
            const double host = 100 - (f[i] > 10 ? 20 * std::log10(f[i] / 10) : 0);
            QVERIFY(std::fabs(open[i] - (host + 20 * std::log10(21.0))) < 1e-9);
        }
    }

    // Power stage: Aol 100, pole 10 Hz, 1/beta 10 (20 dB) closes at 100 kHz. Host: 100 dB,
    // pole 10 Hz. Composite 1/beta 316.2278 (50 dB): below 100 kHz the composite open loop
    // is 140 - 20 lf, so it closes at 10^4.5 with rate 20. The power closure acts as a
    // pole: at 10^4.5 it adds (-0.5 + 1) 45 = 22.5 degrees to the host's 90.
    void compositeClosure()
    {
        LoopInput in = input(amplifier(100, 10));
        in.parts.RinC = "1k";
        in.parts.RfbC = "9k";
        in.parts.hostRin = "1k";
        in.parts.compRfb = QString::number(std::pow(10, 2.5) - 1, 'g', 17) + "k";
        in.host = { 100, 10, 0, 0 };
        const LoopResult r = plotCBodeDataComposite(in, true);
        QVERIFY(near(r.powerClosure, 1e5, 1e-9));
        QVERIFY(near(r.closureFrequency, std::pow(10, 4.5), 1e-9));
        QVERIFY(std::fabs(r.rateOfClosure - 20) < 1e-6);
        QVERIFY(std::fabs(r.phaseMargin - 67.5) < 1e-6);
        QCOMPARE(r.verdictNote.text, QStringLiteral("STABLE"));
        QVERIFY(!r.verdictNote.isWarning());
        // 20 dB above 1/beta: 140 - 20 lf = 70 at 10^3.5.
        QVERIFY(near(r.twentyDbFrequency, std::pow(10, 3.5), 1e-9));
        QVERIFY(near(r.maxBandwidth, std::pow(10, 3.5), 1e-9));
    }

    // Inductive composite: the power stage's closed-loop gain is the smaller of its open
    // loop and its 1/beta(DC) level, and the host's gain adds on top.
    void inductiveComposite()
    {
        LoopInput in = input(amplifier(100, 10));
        in.parts.RinL = "1k";
        in.parts.RfbL = "1k";
        in.parts.RsGainL = "1";
        in.parts.RloadL = "8";
        in.host = { 100, 100, 0, 0 };
        const LoopResult r = plotLBodeDataComposite(in, true);
        const QVector<double> &f = StabGrid::frequencies();
        const QVector<double> &open = series(r.gain, "Composite Open Loop Gain")->y;
        for (int i : { 0, 40, 80, 120 }) {
            const double power = std::min(100 - (f[i] > 10 ? 20 * std::log10(f[i] / 10) : 0), 20.0);
            const double host = 100 - (f[i] > 100 ? 20 * std::log10(f[i] / 100) : 0);
            QVERIFY(std::fabs(open[i] - (power + host)) < 1e-9);
        }
        // The power stage closes where 100 - 20 log(f/10) = 20: 100 kHz.
        QVERIFY(near(r.powerClosure, 1e5, 1e-9));
        // Host R_FB 30k, R_IN 1k, typed R_S 2, gain 1.
        QCOMPARE(r.details.value(0),
            QStringLiteral("Transconductance:\t-15 A/V inverting, 15.5 A/V non-inverting"));
    }

    void shortedInductivePartsStayFinite_data() { addRows(kShorted); }
    void shortedInductivePartsStayFinite()
    {
        FETCH_ROW(kShorted);
        LoopInput in = input(amplifier(100, 10, 1e6, 1e7));
        in.parts.RinL = r.rin;
        in.parts.RfbL = r.rfb;
        in.parts.RsL = r.rs;
        in.parts.RloadL = r.rload;
        in.parts.RsGainL = r.gain;
        in.parts.LLoadStab = "1m";
        in.host = { 100, 10, 1e6, 1e7 };
        for (bool composite : { false, true }) {
            const LoopResult res = evaluateLoop(in, StabLoad::Inductive, composite, true);
            QVERIFY(near(res.invBetaDC, 1e13, 1e-9));
            for (double v : { res.invBetaAC, res.maxBandwidth, res.phaseMargin, res.rateOfClosure })
                QVERIFY(std::isfinite(v));
            for (const QString &line : res.details)
                QVERIFY2(!line.contains("inf") && !line.contains("nan"), qPrintable(line));
            for (const QVector<LoopSeries> *list : { &res.gain, &res.closedLoopPhase, &res.phaseComponents })
                for (const LoopSeries &s : *list)
                    for (double v : s.y)
                        QVERIFY2(std::isfinite(v), qPrintable(s.name));
        }
    }

    void capacitorReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("open") << "open" << 0.0;
        QTest::newRow("Open is not the word") << "Open" << 0.0;
        QTest::newRow("4.7n") << "4.7n" << 4.7e-9;
        QTest::newRow("formatted") << "3.3 p" << 3.3e-12;
    }

    void capacitorReading()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QVERIFY(near(stabCapacitor(text), value, 1e-12));
    }
};

QTEST_GUILESS_MAIN(TestLoopModel)
#include "test_loopmodel.moc"
