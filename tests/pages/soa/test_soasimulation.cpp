#include <QtTest>
#include <cmath>

#include "pages/soa/soasimulation.h"
#include "tests/rowtable.h"
#include "values/sivalues.h"

namespace {

// A plain part with no swing drop and generous limits, so that each case
// switches on only what it is about.
amp plainAmp()
{
    amp a;
    a.ampName = QStringLiteral("TEST1");
    a.Vss_max = 200;
    a.Vss_min = 10;
    a.I_cont = 10;
    a.I_pk = 15;
    a.Pd_max = { 125 };
    a.SB_V = 10000;
    a.VswingA = { 0 };
    a.VswingB = { 0 };
    a.VswingC = { 0 };
    a.slewRate = { 1000 };
    return a;
}

SoaSimInput sineInput(double freq, double peak)
{
    SoaSimInput in;
    in.period = SOAsine(freq, peak, -peak);
    return in;
}

// Fundamental of a sampled signal over whole periods: amplitude and phase
// (degrees) against sin(w t).
void fundamental(
    const QVector<double> &t, const QVector<double> &y, double w, double *amplitude, double *phase)
{
    double a = 0, b = 0;
    for (int k = 0; k < y.size(); ++k) {
        a += y[k] * std::cos(w * t[k]);
        b += y[k] * std::sin(w * t[k]);
    }
    a *= 2.0 / y.size();
    b *= 2.0 / y.size();
    *amplitude = std::hypot(a, b);
    *phase = std::atan2(a, b) * 180 / M_PI;
}

double halfSwing(const QVector<double> &y)
{
    return (*std::max_element(y.begin(), y.end()) - *std::min_element(y.begin(), y.end())) / 2;
}

const double kW = 2 * M_PI * 1000, kOpen = kOpenValue;

// A voltage signal of 40 V peak or a current signal of 2 A peak at 1 kHz; the
// half peak-to-peak of the result (I or V) and the load power (-1: not checked).
struct LoadRow {
    const char *tag;
    bool voltage, series;
    double R, L, C, swing, power;
} const kLoads[] = {
    { "V parallel C", true, false, kOpen, kOpen, 10e-6, 40 * kW * 10e-6, 0 },
    { "V parallel R L", true, false, 10, 1e-3, 0, std::hypot(4.0, 40 / (kW * 1e-3)), -1 },
    { "I parallel R", false, false, 10, kOpen, 0, 20, 20 },
    { "I parallel R C", false, false, 10, kOpen, 10e-6, 2 * 10 / std::hypot(1.0, kW * 10 * 10e-6), -1 },
    { "I series R L", false, true, 10, 1e-3, kOpen, 2 * std::hypot(10.0, kW * 1e-3), 20 },
    { "V series R C", true, true, 10, 0, 10e-6, 40 / std::hypot(10.0, 1 / (kW * 10e-6)), -1 },
};

struct ShortRow {
    const char *tag;
    bool series;
    double R, L, C;
    bool shorted, conducts;
} const kShorts[] = {
    { "series all short", true, 0, 0, kOpen, true, true },
    { "series C only", true, 0, 0, 1e-6, false, true },
    { "series R open", true, kOpen, 0, kOpen, false, false },
    { "series C open", true, 10, 0, 0, false, false },
    { "parallel R short", false, 0, kOpen, 0, true, true },
    { "parallel C short", false, 10, kOpen, kOpen, true, true },
    { "parallel all open", false, kOpen, kOpen, 0, false, false },
};

// 10 ohm load, supplies +-50 V (+-200 V above 50 V peak), I_cont 10 A, I_pk 15 A.
// 40 V at 10 kHz rises at 2.51 V/us; 4 A at 10 V drop is above I_cont (2/10)^1 = 2 A.
struct CheckRow {
    const char *tag;
    double peak, freq, swingC, slew, sbV;
    const char *flags; // clip, slew, cont, peak, sb
} const kChecks[] = {
    { "quiet", 40, 1000, 5, 10, 10000, "" },
    { "clips", 46, 1000, 5, 10, 10000, "clip" },
    { "slews", 40, 10000, 0, 2, 10000, "slew" },
    { "continuous", 120, 1000, 0, 100, 10000, "cont" },
    { "peak", 160, 1000, 0, 100, 10000, "cont peak" },
    { "breakdown", 40, 1000, 0, 100, 2, "sb" },
};

} // namespace

class TestSoaSimulation : public QObject {
    Q_OBJECT

private slots:
    void sinePeriod()
    {
        // Point count and times: the resistive load test reads them off two periods.
        const SoaPeriod p = SOAsine(1000, 40, -40);
        QVERIFY(qAbs(p.wave[89] - 40) < 1e-9); // a quarter period
        QVERIFY(qAbs(p.wave[269] + 40) < 1e-9); // three quarters
        const SoaPeriod offset = SOAsine(50, 30, 10);
        QVERIFY(qAbs(offset.wave[89] - 30) < 1e-9);
        QVERIFY(qAbs(offset.wave[179] - 20) < 1e-9);
        QVERIFY(SOAsine(0, 40, -40).time.isEmpty() && SOAsine(-5, 40, -40).time.isEmpty());
    }

    void trapezoidPoints_data()
    {
        QTest::addColumn<int>("index"); // 1-based point number
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("value");
        // 25 us segments from -40 to 40 V: 100 us, one point every 0.1 us.
        QTest::newRow("first") << 1 << 0.1e-6 << -40 + 80 * 0.1 / 25;
        QTest::newRow("high") << 400 << 40e-6 << 40.0;
        QTest::newRow("falling") << 600 << 60e-6 << 8.0;
        QTest::newRow("last") << 1000 << 100e-6 << -40.0;
    }
    void trapezoidPoints()
    {
        QFETCH(int, index);
        QFETCH(double, time);
        QFETCH(double, value);
        const SoaPeriod p = SOAtrap(25e-6, 25e-6, 25e-6, 25e-6, 40, -40);
        QCOMPARE(p.time.size(), 1000);
        QVERIFY(qAbs(p.time[index - 1] - time) < 1e-15);
        QVERIFY(qAbs(p.wave[index - 1] - value) < 1e-9);
    }

    void motorSweeps()
    {
        const SoaPeriod stall = SOAmotor(50, -50, false, 15);
        QCOMPARE(stall.time.size(), 360);
        QVERIFY(qAbs(stall.wave.first() - (-50 + 100.0 / 360)) < 1e-12);
        QVERIFY(qAbs(stall.wave.last() - 50) < 1e-12);
        const SoaPeriod reversal = SOAmotor(50, -50, true, 15);
        QVERIFY(qAbs(reversal.wave.first() - (-15 + 15.0 / 360)) < 1e-12);
        QVERIFY(qAbs(reversal.wave.last()) < 1e-12);
        QCOMPARE(reversal.time.last(), 1.0);
    }

    void densifying()
    {
        SoaPeriod p;
        p.time = { 0, 1, 3 };
        p.wave = { 0, 10, 30 };
        const SoaPeriod d = increaseSOAResolution(p, 2);
        QCOMPARE(d.time, (QVector<double> { 0, 0.5, 1, 2 }));
        QCOMPARE(d.wave, (QVector<double> { 0, 5, 10, 20 }));
        SoaPeriod one;
        one.time = { 1 };
        one.wave = { 1 };
        QVERIFY(increaseSOAResolution(one, 10).time.isEmpty());
    }

    void uploadedFileCounts_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("points");
        QTest::newRow("100 lines") << 100 << 990;
        QTest::newRow("499 lines") << 499 << 498 * 2;
        QTest::newRow("600 lines") << 600 << 600;
        QTest::newRow("one line") << 1 << 0;
        QTest::newRow("empty") << 0 << 0;
    }
    void uploadedFileCounts()
    {
        QFETCH(int, lines);
        QFETCH(int, points);
        QString text;
        for (int i = 0; i < lines; ++i)
            text += QStringLiteral("%1,%2\n").arg((i + 1) * 1e-5).arg(i % 7);
        const SoaCsvResult r = readSoaCsv(text);
        QVERIFY(r.accepted);
        QCOMPARE(r.points, lines);
        QCOMPARE(r.period.time.size(), points);
        QCOMPARE(r.period.wave.size(), points);
    }

    void uploadedFileSkipsAndRefuses()
    {
        const SoaCsvResult skipped
            = readSoaCsv(QStringLiteral("time,volts\n\n0.001,5\n0.002\n0.003,7,9\r\n,\n"));
        QVERIFY(skipped.accepted);
        QCOMPARE(skipped.points, 2);
        QCOMPARE(skipped.skipped, 3);
        // Two points are densified 500 times: the first segment only.
        QCOMPARE(skipped.period.time.size(), 500);
        QVERIFY(qAbs(skipped.period.wave[250] - 6) < 1e-9);

        const SoaCsvResult refused = readSoaCsv(QStringLiteral("1,1\n2,2\n\n2,3\n4,4\n"));
        QVERIFY(!refused.accepted);
        QCOMPARE(refused.badLine, 4);
        QVERIFY(refused.message.contains(QStringLiteral("Line 4")));
    }

    // Uploads whose points lie too far apart or too close for plain differences:
    // every kept point is finite and later than the one before.
    void uploadedExtremes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("points");
        QTest::newRow("wave from 1e308 to -1e308") << "0,1e308\n1,-1e308\n" << 500;
        QTest::newRow("times 2e308 apart") << "-1e308,1\n1e308,2\n" << 500;
        QTest::newRow("overflowing and nan cells skipped") << "nan,1\n1e999,2\n0,inf\n1,5\n2,6\n" << 500;
        QTest::newRow("denormal step") << "0,1\n5e-324,2\n" << 2;
    }
    void uploadedExtremes()
    {
        QFETCH(QString, text);
        QFETCH(int, points);
        const SoaCsvResult r = readSoaCsv(text);
        QVERIFY(r.accepted);
        QCOMPARE(r.period.time.size(), points);
        for (int i = 0; i < r.period.time.size(); ++i) {
            QVERIFY(std::isfinite(r.period.time[i]) && std::isfinite(r.period.wave[i]));
            QVERIFY(i == 0 || r.period.time[i] > r.period.time[i - 1]);
        }
    }

    void resistiveLoadPower()
    {
        // 40 V peak into 10 ohm: V^2 / 2R = 80 W; the amplifier carries
        // |I| (Vs - |V|), whose mean is 4 * 50 * 2/pi - 4 * 40 / 2.
        SoaSimInput in = sineInput(1000, 40);
        in.R = 10;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QCOMPARE(r.I.size(), 720);
        QVERIFY(qAbs(r.avgLoadPower - 80) < 1e-6);
        QVERIFY(qAbs(r.avgAmpPower - (400 / M_PI - 80)) < 1e-2);
        QVERIFY(qAbs(r.avgAmpCurrent - 8 / M_PI) < 1e-4);
        QVERIFY(qAbs(r.peakAmpPower - 62.5) < 0.01); // 2.5 A at 25 V
        QVERIFY(qAbs(r.Imax - 4) < 1e-9 && qAbs(r.Imin + 4) < 1e-9 && qAbs(r.Vmax - 40) < 1e-9);
        QVERIFY(qAbs(r.time.first() - 1e-3 / 360) < 1e-15);
        QVERIFY(qAbs(r.time.last() - 2e-3) < 1e-12);
        QVERIFY(!r.shorted && r.conducts);
    }

    void seriesRLSteadyState()
    {
        // R = 10, L = 1 mH at 1 kHz: |Z| = |10 + j6.283|, the current lags by atan(0.6283).
        SoaSimInput in = sineInput(1000, 40);
        in.R = 10;
        in.L = 1e-3;
        in.displayAfter = 10;
        in.displayCycles = 1;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        const double w = 2 * M_PI * 1000;
        double amplitude, phase;
        fundamental(r.time, r.I, w, &amplitude, &phase);
        const double z = std::hypot(10.0, w * 1e-3);
        QVERIFY(qAbs(amplitude - 40 / z) / (40 / z) < 0.01);
        QVERIFY(qAbs(phase + std::atan(w * 1e-3 / 10) * 180 / M_PI) < 1.0);
        // Real power is I_rms^2 R.
        QVERIFY(qAbs(r.avgLoadPower - amplitude * amplitude * 10 / 2) / r.avgLoadPower < 0.01);
    }

    void loadRows_data() { addRows(kLoads); }
    void loadRows()
    {
        FETCH_ROW(kLoads);
        SoaSimInput in = sineInput(1000, r.voltage ? 40 : 2);
        in.voltageSignal = r.voltage;
        in.series = r.series;
        in.R = r.R;
        in.L = r.L;
        in.C = r.C;
        in.displayAfter = 20;
        in.displayCycles = 1;
        const SoaSimResult res = simulateSoaLoad(in, plainAmp());
        QVERIFY(!res.I.isEmpty());
        const double got = halfSwing(r.voltage ? res.I : res.V);
        QVERIFY(qAbs(got - r.swing) / r.swing < 0.01);
        QVERIFY(r.power < 0 || qAbs(res.avgLoadPower - r.power) <= 0.01 * qMax(1.0, r.power));
    }

    void shortsAndOpens_data() { addRows(kShorts); }
    void shortsAndOpens()
    {
        FETCH_ROW(kShorts);
        SoaSimInput in = sineInput(1000, 40);
        in.series = r.series;
        in.R = r.R;
        in.L = r.L;
        in.C = r.C;
        const SoaSimResult res = simulateSoaLoad(in, plainAmp());
        QCOMPARE(res.shorted, r.shorted);
        QCOMPARE(res.conducts, r.conducts);
        // A voltage into a short is not simulated: nothing infinite reaches the page.
        QCOMPARE(res.I.isEmpty(), r.shorted);
        for (double x : { res.avgLoadPower, res.avgAmpPower, res.peakAmpPower, res.Imax, res.Vmax })
            QVERIFY(std::isfinite(x));
        if (r.shorted)
            QCOMPARE(res.avgLoadPower, 0.0);
    }

    void currentIntoShortIsZeroVolts()
    {
        SoaSimInput in = sineInput(1000, 2);
        in.voltageSignal = false;
        in.R = 0;
        in.L = 0;
        in.C = kOpenValue;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QVERIFY(r.shorted);
        QCOMPARE(r.I.size(), 720);
        QCOMPARE(r.Vmax, 0.0);
        QVERIFY(qAbs(r.Imax - 2) < 1e-9);
    }

    void paralleledAmplifiers()
    {
        // N = 3: each carries a third; Vd drops by R_CS times that third.
        SoaSimInput in = sineInput(1000, 40);
        in.R = 10;
        in.numParallel = 3;
        in.rcs = 1;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QVERIFY(qAbs(r.Ia[89] - 4.0 / 3) < 1e-9);
        QVERIFY(qAbs(r.Vd[89] - (50 - 40 - 4.0 / 3)) < 1e-9);
        QVERIFY(qAbs(r.Vd[269] - (-40 - -50 - 4.0 / 3)) < 1e-9);
    }

    // The master output and its supply drop at the 40 V crest.
    void bridgeOutputs()
    {
        SoaSimInput in = sineInput(1000, 40);
        in.R = 10;
        in.bridge = true;
        in.vsPos = 165;
        in.vsNeg = -15;
        SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QVERIFY(qAbs(r.Vo[89] - 95) < 1e-9 && qAbs(r.Vd[89] - 70) < 1e-9);
        in.unipolar = true;
        in.vsPos = 50;
        in.vsNeg = 0;
        r = simulateSoaLoad(in, plainAmp());
        QVERIFY(qAbs(r.Vo[89] - 20) < 1e-9 && qAbs(r.Vd[89] - 30) < 1e-9);
    }

    void checks_data() { addRows(kChecks); }
    void checks()
    {
        FETCH_ROW(kChecks);
        amp a = plainAmp();
        a.VswingC = { r.swingC };
        a.slewRate = { r.slew };
        a.SB_V = r.sbV;
        a.SB_slope = 1;
        SoaSimInput in = sineInput(r.freq, r.peak);
        in.R = 10;
        in.vsPos = r.peak > 50 ? 200 : 50;
        in.vsNeg = -in.vsPos;
        const SoaSimResult res = simulateSoaLoad(in, a);
        const QString flags = QString::fromLatin1(r.flags);
        QCOMPARE(res.clipping, flags.contains("clip"));
        QCOMPARE(res.slew, flags.contains("slew"));
        QCOMPARE(res.contCurrent, flags.contains("cont"));
        QCOMPARE(res.peakCurrent, flags.contains("peak"));
        QCOMPARE(res.secondBreakdown, flags.contains("sb"));
    }

    void swingDropUsesBoostColumnAndSharing()
    {
        amp a = plainAmp();
        a.VswingA = { 0.1, 0.2 };
        a.VswingB = { 0.5, 0.7 };
        a.VswingC = { 5, 2 };
        const SwingCoefficients plain = swingCoefficients(a, false, 1, 1);
        QCOMPARE(plain.C, 5.0);
        const SwingCoefficients boosted = swingCoefficients(a, true, 2, 0.3);
        QCOMPARE(boosted.A, 0.2);
        QVERIFY(qAbs(boosted.B - 1.0) < 1e-12);
        QCOMPARE(boosted.C, 2.0);
    }

    void directionCount()
    {
        SoaSimInput in;
        in.period = SOAsine(1000, 30, 10); // a DC output: every sample positive
        in.R = 10;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QCOMPARE(r.direction, 720);
        SoaSimInput ac = sineInput(1000, 40);
        ac.R = 10;
        QVERIFY(qAbs(simulateSoaLoad(ac, plainAmp()).direction) <= 2);
    }

    void motorModes()
    {
        SoaSimInput in;
        in.motor = true;
        in.motorESR = 3;
        in.motorI = 1;
        in.motorEMF = 50;
        in.motorVDC = 12;
        in.period = SOAmotor(50, -50, false, 15);
        in.motorMode = MotorMode::Normal;
        SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QCOMPARE(r.I.size(), 360); // one period, none discarded
        QCOMPARE(r.V.first(), 12.0);
        QCOMPARE(r.I.last(), 1.0);
        in.motorMode = MotorMode::Stall;
        r = simulateSoaLoad(in, plainAmp());
        QVERIFY(qAbs(r.Imax - 50.0 / 3) < 1e-9);
        in.motorMode = MotorMode::Reversal;
        in.period = SOAmotor(50, -50, true, 15);
        r = simulateSoaLoad(in, plainAmp());
        // I = -15 A almost at the start: V = (-15 - 1) 3 + 50.
        QVERIFY(qAbs(r.V.first() - ((-15 + 15.0 / 360 - 1) * 3 + 50)) < 1e-9);
        in.motorMode = MotorMode::Stall;
        in.motorESR = 0;
        in.period = SOAmotor(50, -50, false, 15);
        QVERIFY(simulateSoaLoad(in, plainAmp()).I.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSoaSimulation)
#include "test_soasimulation.moc"
