#include <QtTest>
#include <cmath>

#include "pages/soa/soasimulation.h"
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

} // namespace

class TestSoaSimulation : public QObject {
    Q_OBJECT

private slots:
    void sinePeriod()
    {
        const SoaPeriod p = SOAsine(1000, 40, -40);
        QCOMPARE(p.time.size(), 360);
        QCOMPARE(p.wave.size(), 360);
        QVERIFY(qAbs(p.time.first() - 1e-3 / 360) < 1e-15);
        QVERIFY(qAbs(p.time.last() - 1e-3) < 1e-15);
        QVERIFY(qAbs(p.wave[89] - 40) < 1e-9); // a quarter period
        QVERIFY(qAbs(p.wave[269] + 40) < 1e-9); // three quarters
        const SoaPeriod offset = SOAsine(50, 30, 10);
        QVERIFY(qAbs(offset.wave[89] - 30) < 1e-9);
        QVERIFY(qAbs(offset.wave[179] - 20) < 1e-9);
    }

    void sineWithoutFrequencyIsEmpty()
    {
        QVERIFY(SOAsine(0, 40, -40).time.isEmpty());
        QVERIFY(SOAsine(-5, 40, -40).time.isEmpty());
    }

    void trapezoidPoints_data()
    {
        QTest::addColumn<int>("index"); // 1-based point number
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("value");
        // 25 us segments from -40 to 40 V: 100 us, one point every 0.1 us.
        QTest::newRow("first") << 1 << 0.1e-6 << -40 + 80 * 0.1 / 25;
        QTest::newRow("rising") << 100 << 10e-6 << -8.0;
        QTest::newRow("high") << 400 << 40e-6 << 40.0;
        QTest::newRow("falling") << 600 << 60e-6 << 8.0;
        QTest::newRow("low") << 900 << 90e-6 << -40.0;
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
        QVERIFY(qAbs(r.Imax - 4) < 1e-9);
        QVERIFY(qAbs(r.Imin + 4) < 1e-9);
        QVERIFY(qAbs(r.Vmax - 40) < 1e-9);
        QVERIFY(qAbs(r.time.first() - 1e-3 / 360) < 1e-15);
        QVERIFY(qAbs(r.time.last() - 2e-3) < 1e-12);
        QVERIFY(!r.shorted);
        QVERIFY(r.conducts);
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
        QVERIFY2(qAbs(amplitude - 40 / z) / (40 / z) < 0.01, qPrintable(QString::number(amplitude)));
        QVERIFY2(
            qAbs(phase + std::atan(w * 1e-3 / 10) * 180 / M_PI) < 1.0, qPrintable(QString::number(phase)));
        // Real power is I_rms^2 R.
        QVERIFY(qAbs(r.avgLoadPower - amplitude * amplitude * 10 / 2) / r.avgLoadPower < 0.01);
    }

    void pureCapacitorTakesNoPower()
    {
        SoaSimInput in = sineInput(1000, 40);
        in.R = 0;
        in.L = 0;
        in.C = 1e-6;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QCOMPARE(r.avgLoadPower, 0.0);
        QVERIFY(!r.shorted);
        const double expected = 40 * 2 * M_PI * 1000 * 1e-6;
        QVERIFY(qAbs(halfSwing(r.I) - expected) / expected < 0.002);
    }

    void loadRows_data()
    {
        QTest::addColumn<bool>("voltage");
        QTest::addColumn<bool>("series");
        QTest::addColumn<double>("R");
        QTest::addColumn<double>("L");
        QTest::addColumn<double>("C");
        QTest::addColumn<double>("swing"); // half peak-to-peak of the result (I or V)
        QTest::addColumn<double>("power"); // -1: not checked
        const double w = 2 * M_PI * 1000;
        const double open = kOpenValue;
        // Voltage signal of 40 V peak, current signal of 2 A peak, 1 kHz.
        QTest::newRow("V parallel R") << true << false << 10.0 << open << 0.0 << 4.0 << 80.0;
        QTest::newRow("V parallel C") << true << false << open << open << 10e-6 << 40 * w * 10e-6 << 0.0;
        QTest::newRow("V parallel R L")
            << true << false << 10.0 << 1e-3 << 0.0 << std::hypot(4.0, 40 / (w * 1e-3)) << -1.0;
        QTest::newRow("I parallel R") << false << false << 10.0 << open << 0.0 << 20.0 << 20.0;
        QTest::newRow("I parallel R C")
            << false << false << 10.0 << open << 10e-6 << 2 * 10 / std::hypot(1.0, w * 10 * 10e-6) << -1.0;
        QTest::newRow("I series R L")
            << false << true << 10.0 << 1e-3 << open << 2 * std::hypot(10.0, w * 1e-3) << 20.0;
        QTest::newRow("I series R C")
            << false << true << 10.0 << 0.0 << 10e-6 << 2 * std::hypot(10.0, 1 / (w * 10e-6)) << -1.0;
        QTest::newRow("V series R C")
            << true << true << 10.0 << 0.0 << 10e-6 << 40 / std::hypot(10.0, 1 / (w * 10e-6)) << -1.0;
    }
    void loadRows()
    {
        QFETCH(bool, voltage);
        QFETCH(bool, series);
        QFETCH(double, R);
        QFETCH(double, L);
        QFETCH(double, C);
        QFETCH(double, swing);
        QFETCH(double, power);
        SoaSimInput in = sineInput(1000, voltage ? 40 : 2);
        in.voltageSignal = voltage;
        in.series = series;
        in.R = R;
        in.L = L;
        in.C = C;
        in.displayAfter = 20;
        in.displayCycles = 1;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QVERIFY(!r.I.isEmpty());
        const double got = halfSwing(voltage ? r.I : r.V);
        QVERIFY2(
            qAbs(got - swing) / swing < 0.01, qPrintable(QStringLiteral("%1 vs %2").arg(got).arg(swing)));
        if (power >= 0)
            QVERIFY2(qAbs(r.avgLoadPower - power) <= 0.01 * qMax(1.0, power),
                qPrintable(QString::number(r.avgLoadPower)));
    }

    void shortsAndOpens_data()
    {
        QTest::addColumn<bool>("series");
        QTest::addColumn<double>("R");
        QTest::addColumn<double>("L");
        QTest::addColumn<double>("C");
        QTest::addColumn<bool>("shorted");
        QTest::addColumn<bool>("conducts");
        const double open = kOpenValue;
        QTest::newRow("series all short") << true << 0.0 << 0.0 << open << true << true;
        QTest::newRow("series C only") << true << 0.0 << 0.0 << 1e-6 << false << true;
        QTest::newRow("series R open") << true << open << 0.0 << open << false << false;
        QTest::newRow("series C open") << true << 10.0 << 0.0 << 0.0 << false << false;
        QTest::newRow("parallel R short") << false << 0.0 << open << 0.0 << true << true;
        QTest::newRow("parallel C short") << false << 10.0 << open << open << true << true;
        QTest::newRow("parallel all open") << false << open << open << 0.0 << false << false;
        QTest::newRow("parallel R") << false << 10.0 << open << 0.0 << false << true;
    }
    void shortsAndOpens()
    {
        QFETCH(bool, series);
        QFETCH(double, R);
        QFETCH(double, L);
        QFETCH(double, C);
        QFETCH(bool, shorted);
        QFETCH(bool, conducts);
        SoaSimInput in = sineInput(1000, 40);
        in.series = series;
        in.R = R;
        in.L = L;
        in.C = C;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QCOMPARE(r.shorted, shorted);
        QCOMPARE(r.conducts, conducts);
        // A voltage into a short is not simulated: nothing infinite reaches the page.
        QCOMPARE(r.I.isEmpty(), shorted);
        for (double x : { r.avgLoadPower, r.avgAmpPower, r.peakAmpPower, r.Imax, r.Vmax })
            QVERIFY(std::isfinite(x));
        if (shorted)
            QCOMPARE(r.avgLoadPower, 0.0);
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

    void bridgeOutputs_data()
    {
        QTest::addColumn<bool>("unipolar");
        QTest::addColumn<double>("vsPos");
        QTest::addColumn<double>("vsNeg");
        QTest::addColumn<double>("vo"); // master output at the 40 V crest
        QTest::addColumn<double>("vd");
        QTest::newRow("same supplies") << false << 165.0 << -15.0 << 75 + 20.0 << 165 - 95.0;
        QTest::newRow("unipolar") << true << 50.0 << 0.0 << 20.0 << 30.0;
    }
    void bridgeOutputs()
    {
        QFETCH(bool, unipolar);
        QFETCH(double, vsPos);
        QFETCH(double, vsNeg);
        QFETCH(double, vo);
        QFETCH(double, vd);
        SoaSimInput in = sineInput(1000, 40);
        in.R = 10;
        in.bridge = true;
        in.unipolar = unipolar;
        in.vsPos = vsPos;
        in.vsNeg = vsNeg;
        const SoaSimResult r = simulateSoaLoad(in, plainAmp());
        QVERIFY(qAbs(r.Vo[89] - vo) < 1e-9);
        QVERIFY(qAbs(r.Vd[89] - vd) < 1e-9);
    }

    void checks_data()
    {
        QTest::addColumn<double>("peak");
        QTest::addColumn<double>("freq");
        QTest::addColumn<double>("swingC");
        QTest::addColumn<double>("slew");
        QTest::addColumn<double>("sbV");
        QTest::addColumn<bool>("clipping");
        QTest::addColumn<bool>("slewing");
        QTest::addColumn<bool>("cont");
        QTest::addColumn<bool>("pk");
        QTest::addColumn<bool>("breakdown");
        // 10 ohm load, supplies +-50 V, I_cont 10 A, I_pk 15 A.
        QTest::newRow("quiet") << 40.0 << 1000.0 << 5.0 << 10.0 << 10000.0 << false << false << false << false
                               << false;
        QTest::newRow("clips") << 46.0 << 1000.0 << 5.0 << 10.0 << 10000.0 << true << false << false << false
                               << false;
        // 40 V at 10 kHz rises at 2.51 V/us.
        QTest::newRow("slews") << 40.0 << 10000.0 << 0.0 << 2.0 << 10000.0 << false << true << false << false
                               << false;
        QTest::newRow("continuous") << 120.0 << 1000.0 << 0.0 << 100.0 << 10000.0 << false << false << true
                                    << false << false;
        QTest::newRow("peak") << 160.0 << 1000.0 << 0.0 << 100.0 << 10000.0 << false << false << true << true
                              << false;
        // 4 A at 10 V drop: above I_cont (2/10)^1 = 2 A.
        QTest::newRow("breakdown") << 40.0 << 1000.0 << 0.0 << 100.0 << 2.0 << false << false << false
                                   << false << true;
    }
    void checks()
    {
        QFETCH(double, peak);
        QFETCH(double, freq);
        QFETCH(double, swingC);
        QFETCH(double, slew);
        QFETCH(double, sbV);
        QFETCH(bool, clipping);
        QFETCH(bool, slewing);
        QFETCH(bool, cont);
        QFETCH(bool, pk);
        QFETCH(bool, breakdown);
        amp a = plainAmp();
        a.VswingC = { swingC };
        a.slewRate = { slew };
        a.SB_V = sbV;
        a.SB_slope = 1;
        SoaSimInput in = sineInput(freq, peak);
        in.R = 10;
        in.vsPos = peak > 50 ? 200 : 50;
        in.vsNeg = -in.vsPos;
        const SoaSimResult r = simulateSoaLoad(in, a);
        QCOMPARE(r.clipping, clipping);
        QCOMPARE(r.slew, slewing);
        QCOMPARE(r.contCurrent, cont);
        QCOMPARE(r.peakCurrent, pk);
        QCOMPARE(r.secondBreakdown, breakdown);
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
