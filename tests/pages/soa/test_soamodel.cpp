#include <QtTest>
#include <cmath>

#include "pages/soa/soamodel.h"
#include "values/sivalues.h"

namespace {

amp testAmp()
{
    amp a;
    a.ampName = QStringLiteral("TEST1");
    a.Vss_max = 200;
    a.Vss_min = 10;
    a.I_cont = 10;
    a.I_pk = 15;
    a.Pd_max = { 125 };
    a.Iq_max = 10;
    a.Iq_vF = 0;
    a.packageStyle = QStringLiteral("TO3-8");
    a.Tc_max = 125;
    a.Tj_max = 150;
    a.Rtheta_DC = 1;
    a.Rtheta_AC = 0.7;
    a.Rtheta_JA = 30;
    a.SB_V = 10000;
    a.Tc_soa = 125;
    a.pulse1 = a.pulse2 = a.pulse3 = QStringLiteral("NA");
    a.VswingA = { 0 };
    a.VswingB = { 0 };
    a.VswingC = { 0 };
    a.slewRate = { 1000 };
    return a;
}

// A 40 V sine into 10 ohm from +-50 V.
SoaInput resistiveInput(double freq = 1000)
{
    SoaInput in;
    in.sigFreq = freq;
    in.sim.period = SOAsine(freq, 40, -40);
    in.sim.R = 10;
    return in;
}

QStringList texts(const ResultNotes &notes)
{
    QStringList out;
    for (const ResultNote &n : notes)
        out << n.text;
    return out;
}

const QString kNotes = QStringLiteral("Notes: ");

} // namespace

class TestSoaModel : public QObject {
    Q_OBJECT

private slots:
    void voltageGrid()
    {
        const QVector<double> x = soaVoltageGrid(100);
        QCOMPARE(x.size(), 1000);
        QCOMPARE(x.first(), 1.0);
        QCOMPARE(x.last(), 100.0);
        QVERIFY(qAbs(x[500] - 10) < 1e-9); // 100^0.5
        QVERIFY(qAbs(x[998] - std::pow(100, 0.998)) < 1e-9);
        QVERIFY(soaVoltageGrid(0).isEmpty());
    }

    void boundaryCurves_data()
    {
        QTest::addColumn<double>("tcSoa");
        QTest::addColumn<QString>("pulse2");
        QTest::addColumn<QStringList>("names");
        const QString steady = QStringLiteral("25°C Case Temp/\nSteady State Limit");
        QTest::newRow("85 only") << 85.0 << QStringLiteral("NA")
                                 << QStringList { steady, QStringLiteral("85°C Case Temp"),
                                        QStringLiteral("10ms") };
        QTest::newRow("below 85") << 84.0 << QStringLiteral("NA")
                                  << QStringList { steady, QStringLiteral("10ms") };
        QTest::newRow("125 and pulses")
            << 150.0 << QStringLiteral("1ms")
            << QStringList { steady, QStringLiteral("85°C Case Temp"), QStringLiteral("125°C Case Temp"),
                   QStringLiteral("10ms"), QStringLiteral("1ms") };
    }
    void boundaryCurves()
    {
        QFETCH(double, tcSoa);
        QFETCH(QString, pulse2);
        QFETCH(QStringList, names);
        amp a = testAmp();
        a.Tc_soa = tcSoa;
        a.pulse1 = QStringLiteral("10ms");
        a.pulse2 = pulse2;
        const QVector<SoaCurve> curves = plotSOAdataCurves(a);
        QStringList got;
        for (const SoaCurve &c : curves) {
            got << c.name;
            QCOMPARE(c.x.size(), 1000);
            QCOMPARE(c.y.last(), 0.0);
            QCOMPARE(c.x.last(), a.Vss_max);
        }
        QCOMPARE(got, names);
        QCOMPARE(curves.first().kind, SoaCurveKind::Steady);
        QCOMPARE(
            curves.last().kind, pulse2 == QLatin1String("NA") ? SoaCurveKind::Pulse1 : SoaCurveKind::Pulse2);
    }

    void boundaryValues()
    {
        amp a = testAmp();
        a.SB_V = 20;
        a.SB_slope = 2;
        a.pulse1 = QStringLiteral("1ms");
        a.pulse1_V = 50;
        a.pulse_slope = 1.5;
        const QVector<SoaCurve> curves = plotSOAdataCurves(a);
        const QVector<double> &x = curves[0].x;
        for (int i : { 0, 300, 600, 900 }) {
            const double v = x[i];
            const double sb = v < 20 ? 10 : 10 * (20 / v) * (20 / v);
            const double p25 = v < 12.5 ? 10 : 125 / v;
            const double p85 = v < 6.5 ? 10 : 65 / v; // 125 W - 60 K / (1 K/W)
            const double p125 = v < 2.5 ? 10 : 25 / v;
            const double pulse = v < 50 ? 15 : 15 * std::pow(50 / v, 1.5);
            QVERIFY(qAbs(curves[0].y[i] - qMin(sb, p25)) < 1e-9);
            QVERIFY(qAbs(curves[1].y[i] - qMin(sb, qMin(p25, p85))) < 1e-9);
            QVERIFY(qAbs(curves[2].y[i] - qMin(sb, qMin(p25, p125))) < 1e-9);
            QVERIFY(qAbs(curves[3].y[i] - pulse) < 1e-9);
        }
    }

    void noSecondBreakdownIsPureHyperbola()
    {
        const QVector<SoaCurve> curves = plotSOAdataCurves(testAmp());
        for (int i = 0; i < 999; ++i) {
            const double v = curves[0].x[i];
            QVERIFY(qAbs(curves[0].y[i] - (v < 12.5 ? 10 : 125 / v)) < 1e-9);
        }
    }

    void customTemperatureLine()
    {
        const amp a = testAmp();
        const SoaCurve cold = customTempCurve(a, 10);
        QCOMPARE(cold.name, QStringLiteral("Custom"));
        QCOMPARE(cold.y, customTempCurve(a, 25).y);
        QCOMPARE(cold.y, plotSOAdataCurves(a).first().y);
        const SoaCurve hot = customTempCurve(a, 100); // 125 W - 75 K / (1 K/W) = 50 W
        QVERIFY(qAbs(hot.y[900] - qMin(10.0, 50 / hot.x[900])) < 1e-9);
        QCOMPARE(hot.x.last(), 200.0);
        QCOMPARE(hot.y.last(), 0.0);
    }

    void swingBox_data()
    {
        QTest::addColumn<double>("B");
        QTest::addColumn<int>("parallel");
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("lastLow"); // supply-to-output voltage of the last lower point
        // C = 5 V, I_pk 15 A, supplies +-50 V.
        QTest::newRow("open box") << 0.0 << 1 << 360 << 5.0;
        // 5 + 10 I crosses 100 - (5 + 10 I) above 4.5 A: point 55 of 180 is the first cut.
        QTest::newRow("closing box") << 10.0 << 1 << 110 << 5 + 10 * 15 * 54 / 180.0;
        // R_CS of 1 ohm joins B for two amplifiers.
        QTest::newRow("shared") << 9.0 << 2 << 110 << 5 + 10 * 15 * 54 / 180.0;
    }
    void swingBox()
    {
        QFETCH(double, B);
        QFETCH(int, parallel);
        QFETCH(int, points);
        QFETCH(double, lastLow);
        amp a = testAmp();
        a.VswingB = { B };
        a.VswingC = { 5 };
        const SoaCurve box = plotVswingCurve(a, false, parallel, 1, 50, -50);
        QCOMPARE(box.name, QStringLiteral("Vswing"));
        QCOMPARE(box.x.size(), points);
        QCOMPARE(box.x.first(), 5.0);
        QVERIFY(qAbs(box.x[points / 2 - 1] - lastLow) < 1e-9);
        QVERIFY(qAbs(box.x[points / 2] - 95) < 1e-9);
        QCOMPARE(box.y[points / 2], 0.0);
    }

    void quiescent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("boost");
        QTest::addColumn<double>("expected");
        // 10 mA + 2 mA/kHz at 1 kHz = 12 mA from 100 V; boost adds 2 x 10 V.
        QTest::newRow("plain") << QStringLiteral("TEST1") << false << 1.2;
        QTest::newRow("boost") << QStringLiteral("TEST1") << true << 1.44;
        QTest::newRow("QX550") << QStringLiteral("QX550") << true << (12 + 2.5e-5) / 1000 * 100 + 0.63;
    }
    void quiescent()
    {
        QFETCH(QString, name);
        QFETCH(bool, boost);
        QFETCH(double, expected);
        amp a = testAmp();
        a.ampName = name;
        a.Iq_vF = 2;
        a.boost = { 10 };
        QVERIFY(qAbs(quiescentPower(a, 1000, 50, -50, boost) - expected) < 1e-12);
    }

    void thermalCase_data()
    {
        QTest::addColumn<double>("freq");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("R");
        QTest::addColumn<bool>("dc");
        QTest::newRow("50 Hz sine") << 50.0 << 40.0 << -40.0 << 10.0 << true;
        QTest::newRow("61 Hz sine") << 61.0 << 40.0 << -40.0 << 10.0 << false;
        QTest::newRow("DC output") << 1000.0 << 20.0 << 20.0 << 10.0 << true;
        QTest::newRow("open load") << 1000.0 << 40.0 << -40.0 << kOpenValue << true;
    }
    void thermalCase()
    {
        QFETCH(double, freq);
        QFETCH(double, maximum);
        QFETCH(double, minimum);
        QFETCH(double, R);
        QFETCH(bool, dc);
        SoaInput in;
        in.sigFreq = freq;
        in.sim.period = SOAsine(freq, maximum, minimum);
        in.sim.R = R;
        const amp a = testAmp();
        const SoaResult r = computeSoa(in, a);
        const double pq = 1.0; // 10 mA from 100 V
        QVERIFY(qAbs(r.quiescentPower - pq) < 1e-12);
        QCOMPARE(r.thermal.dc, dc);
        QCOMPARE(r.thermal.rtheta, dc ? 1.0 : 0.7);
        const double p = dc ? r.sim.peakAmpPower : r.sim.avgAmpPower;
        QVERIFY(qAbs(r.thermal.pj - (p + 0.1 * pq)) < 1e-12);
        QVERIFY(qAbs(r.thermal.ptot - (p + pq)) < 1e-12);
    }

    void freeAirAndHeatsink_data()
    {
        QTest::addColumn<QString>("package");
        QTest::addColumn<double>("power");
        QTest::addColumn<double>("ambient");
        QTest::addColumn<int>("heatsinkKind"); // 0 value, 1 "none", 2 "foil"
        QTest::addColumn<double>("heatsink");
        QTest::addColumn<QString>("minText");
        QTest::addColumn<double>("tc");
        QTest::addColumn<double>("tj");
        // R_JA 30, R_JC 2, Tj_max 150, Tc_max 85, interface 0.1 K/W.
        QTest::newRow("free air") << QStringLiteral("TO3-8") << 1.0 << 25.0 << 1 << 0.0
                                  << QStringLiteral("none") << 53.0 << 55.0;
        QTest::newRow("free air PSOP") << QStringLiteral("PSOP24") << 1.0 << 25.0 << 0 << 2.0
                                       << QStringLiteral("1 square inch foil") << 27.1 << 29.1;
        QTest::newRow("free air DDPAK") << QStringLiteral("DDPAK7") << 1.0 << 25.0 << 2 << 0.0
                                        << QStringLiteral("foil - see datasheet") << 53.0 << 55.0;
        // (85 - 25) / 5 - 0.1 = 11.9 K/W.
        QTest::newRow("heatsink") << QStringLiteral("TO3-8") << 5.0 << 25.0 << 0 << 2.0
                                  << QStringLiteral("11.9") << 35.5 << 45.5;
        QTest::newRow("none fitted") << QStringLiteral("TO3-8") << 5.0 << 25.0 << 1 << 0.0
                                     << QStringLiteral("11.9") << 165.0 << 175.0;
        // 60 / 7.3 - 0.1 = 8.119..., rounded to three digits.
        QTest::newRow("rounded") << QStringLiteral("TO3-8") << 7.3 << 25.0 << 0 << 1.0
                                 << QStringLiteral("8.12") << 25 + 1.1 * 7.3 << 25 + 1.1 * 7.3 + 2 * 7.3;
        QTest::newRow("unreasonable") << QStringLiteral("TO3-8") << 5.0 << 100.0 << 0 << 0.0
                                      << QStringLiteral("-3.1") << 100.5 << 110.5;
        // "foil" on a package without foil reads as the open value.
        QTest::newRow("foil on TO-3")
            << QStringLiteral("TO3-8") << 1.0 << 25.0 << 2 << kOpenValue << QStringLiteral("none")
            << 25 + (kOpenValue + 0.1) << 25 + (kOpenValue + 0.1) + 2;
    }
    void freeAirAndHeatsink()
    {
        QFETCH(QString, package);
        QFETCH(double, power);
        QFETCH(double, ambient);
        QFETCH(int, heatsinkKind);
        QFETCH(double, heatsink);
        QFETCH(QString, minText);
        QFETCH(double, tc);
        QFETCH(double, tj);
        amp a = testAmp();
        a.Rtheta_DC = 2;
        a.Tc_max = 85;
        a.packageStyle = package;
        SoaSimResult sim; // no samples: the DC case with the peak power
        sim.peakAmpPower = power;
        SoaInput in;
        in.tempA = ambient;
        in.heatsink = heatsink;
        in.heatsinkNone = heatsinkKind == 1;
        in.heatsinkFoil = heatsinkKind == 2;
        const SoaThermal t = thermalResult(in, a, sim, 0);
        QVERIFY(t.dc);
        QCOMPARE(t.tcAllow, 85.0);
        QCOMPARE(t.minHeatsinkText, minText);
        QVERIFY2(qAbs(t.tc - tc) <= 1e-9 * qMax(1.0, tc), qPrintable(QString::number(t.tc)));
        QVERIFY2(qAbs(t.tj - tj) <= 1e-9 * qMax(1.0, tj), qPrintable(QString::number(t.tj)));

        const SoaLabels l = labelsFor(in, a, sim, t);
        QCOMPARE(l.minHeatsink.isWarning(), minText.startsWith(QLatin1Char('-')));
        QCOMPARE(l.tempC.isWarning(), tc > 85);
        QCOMPARE(l.tempJ.isWarning(), qMax(tc, tj) > 150);
        QCOMPARE(l.suggTcMax.isWarning(), ambient > 85);
    }

    void powerWarningOrder()
    {
        SoaLabels l;
        for (ResultNote *n : { &l.pdAmpAvg, &l.minHeatsink, &l.tempC, &l.suggTcMax, &l.tempJ })
            n->tone = NoteTone::Warning;
        QCOMPARE(texts(powerWarnings(l)),
            (QStringList { QStringLiteral("!!! Heatsink Requirements Unreasonable !!! "),
                QStringLiteral("!!! Case Temperature too High !!! "),
                QStringLiteral("!!! Junction Temperature too High !!! "),
                QStringLiteral("!!! Power Dissipation too High !!! ") }));
        for (ResultNote *n : { &l.minHeatsink, &l.tempC, &l.tempJ })
            n->tone = NoteTone::Normal;
        QCOMPARE(
            texts(powerWarnings(l)), QStringList { QStringLiteral("!!! Power Dissipation too High !!! ") });
        for (const ResultNote &n : powerWarnings(l))
            QVERIFY(n.isWarning());
    }

    void labelsCompareWhatTheyShow()
    {
        // 125.4 degC shows as "125", which is not above a 125 degC limit.
        amp a = testAmp();
        SoaThermal t;
        t.tc = 125.4;
        t.tj = 125.4;
        t.tcAllow = 100;
        t.ptot = 125.4;
        const SoaLabels l = labelsFor(SoaInput(), a, SoaSimResult(), t);
        QCOMPARE(l.tempC.text, QStringLiteral("125"));
        QVERIFY(!l.tempC.isWarning());
        QVERIFY(!l.pdAmpAvg.isWarning());
    }

    void supplyWarnings_data()
    {
        QTest::addColumn<double>("vsPos");
        QTest::addColumn<double>("vsNeg");
        QTest::addColumn<int>("bridge"); // 0 none, 1 same supplies, 2 unipolar
        QTest::addColumn<double>("vmax");
        QTest::addColumn<double>("vmin");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QStringList>("expected");
        const QString high = QStringLiteral("!!! Total Supply Voltage too High !!!");
        const QString supply = QStringLiteral("!!! V_out May Not Exceed Supply !!!");
        // Vss_max 90 V, Vss_min 20 V.
        QTest::newRow("too high") << 50.0 << -50.0 << 0 << 40.0 << -40.0 << true << QStringList { high };
        QTest::newRow("too high, 60 V peak")
            << 50.0 << -50.0 << 0 << 60.0 << -60.0 << true << QStringList { high, supply, supply };
        QTest::newRow("reversed") << 10.0 << 20.0 << 0 << 15.0 << 15.0 << true
                                  << QStringList { QStringLiteral("!!! Vs_neg may not exceed Vs_pos !!!"),
                                         supply, supply };
        QTest::newRow("too low") << 5.0 << -5.0 << 0 << 1.0 << -1.0 << true
                                 << QStringList { QStringLiteral("!!! Total Supply Voltage too Low !!!") };
        QTest::newRow("fine") << 40.0 << -40.0 << 0 << 30.0 << -30.0 << false << QStringList {};
        QTest::newRow("bridge beyond span")
            << 40.0 << -40.0 << 1 << 90.0 << -30.0 << false
            << QStringList { QStringLiteral("!!! V_out May Not Exceed Vs_pos - Vs_neg !!!") };
        QTest::newRow("bridge within span") << 40.0 << -40.0 << 1 << 79.0 << -79.0 << false << QStringList {};
        QTest::newRow("unipolar beyond")
            << 40.0 << 0.0 << 2 << 81.0 << -81.0 << false
            << QStringList { QStringLiteral("!!! V_out May Not Exceed 2 * Supply !!!"),
                   QStringLiteral("!!! V_out May Not Exceed 2 * Supply !!!") };
    }
    void supplyWarnings()
    {
        QFETCH(double, vsPos);
        QFETCH(double, vsNeg);
        QFETCH(int, bridge);
        QFETCH(double, vmax);
        QFETCH(double, vmin);
        QFETCH(bool, red);
        QFETCH(QStringList, expected);
        amp a = testAmp();
        a.Vss_max = 90;
        a.Vss_min = 20;
        SoaInput in;
        in.sim.vsPos = vsPos;
        in.sim.vsNeg = vsNeg;
        in.sim.bridge = bridge > 0;
        in.sim.unipolar = bridge == 2;
        SoaSimResult sim;
        sim.Vmax = vmax;
        sim.Vmin = vmin;
        NoteTone supplyTone = red ? NoteTone::Normal : NoteTone::Warning;
        QCOMPARE(texts(SupplyWarnings(in, a, sim, &supplyTone)), expected);
        QCOMPARE(supplyTone == NoteTone::Warning, red);
    }

    void signalLimitsReversed()
    {
        SoaInput in;
        in.sigMax = -10;
        in.sigMin = 10;
        SoaSimResult sim;
        const QString note = QStringLiteral("!!! V_out min May Not Exceed V_out max !!!");
        QVERIFY(texts(SupplyWarnings(in, testAmp(), sim, nullptr)).contains(note));
        in.motorLoadType = true;
        QVERIFY(!texts(SupplyWarnings(in, testAmp(), sim, nullptr)).contains(note));
    }

    void currentLimitBand_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("vbe");
        QTest::addColumn<double>("clint");
        QTest::addColumn<double>("rb");
        QTest::addColumn<double>("rf");
        QTest::addColumn<double>("rcl");
        QTest::addColumn<double>("tc");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<double>("lowerFirst"); // at Vo = 0 V
        QTest::addColumn<double>("lowerLast"); // at Vo = 49.5 V
        // Supplies +50 / 0 V, 20 % tolerance, R_FO 1 kOhm.
        QTest::newRow("flat") << QStringLiteral("TEST1") << 0.65 << 0.0 << 0.0 << 0.0 << 1.0 << 25.0 << true
                              << 0.52 << 0.52;
        QTest::newRow("QX460 offset") << QStringLiteral("QX460") << 0.65 << 0.0 << 0.0 << 0.0 << 1.0 << 25.0
                                      << true << 0.8 * 0.672 << 0.8 * 0.672;
        QTest::newRow("QX565 offset") << QStringLiteral("QX565A") << 0.65 << 0.0 << 0.0 << 0.0 << 1.0 << 25.0
                                      << true << 0.8 * 1.19 << 0.8 * 1.19;
        QTest::newRow("QX520 offset") << QStringLiteral("QX520") << 0.65 << 0.0 << 0.0 << 0.0 << 1.0 << 25.0
                                      << true << 0.8 * 0.666 << 0.8 * 0.666;
        QTest::newRow("QX445 resistor") << QStringLiteral("QX445") << 0.65 << 0.0 << 0.0 << 0.0 << 1.0 << 25.0
                                        << true << 0.8 * 0.65 / 1.01 << 0.8 * 0.65 / 1.01;
        // Sense voltage falls 2.2 mV/K: 0.54 V at 75 degC.
        QTest::newRow("hot") << QStringLiteral("TEST1") << 0.65 << 0.0 << 0.0 << 0.0 << 1.0 << 75.0 << true
                             << 0.8 * 0.54 << 0.8 * 0.54;
        QTest::newRow("internal") << QStringLiteral("TEST1") << 0.65 << 2.0 << 0.0 << 0.0 << 0.0 << 75.0
                                  << true << 0.8 * 0.54 * 2 / 0.65 << 0.8 * 0.54 * 2 / 0.65;
        QTest::newRow("internal without sense")
            << QStringLiteral("TEST1") << 0.0 << 2.0 << 0.0 << 0.0 << 0.0 << 25.0 << false << 0.0 << 0.0;
        QTest::newRow("foldover Rb") << QStringLiteral("TEST1") << 0.65 << 0.0 << 1000.0 << 0.0 << 1.0 << 25.0
                                     << true << 0.52 << 0.8 * (49.5 * 0.5 + 0.65);
        QTest::newRow("foldover Rb Rf") << QStringLiteral("TEST1") << 0.65 << 0.0 << 1000.0 << 1000.0 << 1.0
                                        << 25.0 << true << 0.52 << 0.8 * (1000 * 49.5 / 2 / 2000 + 0.65);
        QTest::newRow("Rf only") << QStringLiteral("TEST1") << 0.65 << 0.0 << 0.0 << 1000.0 << 1.0 << 25.0
                                 << false << 0.0 << 0.0;
        QTest::newRow("R_CL short") << QStringLiteral("TEST1") << 0.65 << 0.0 << 0.0 << 0.0 << 0.0 << 25.0
                                    << false << 0.0 << 0.0;
        QTest::newRow("QX535") << QStringLiteral("QX535") << 0.65 << 0.0 << 0.0 << 0.0 << 1.0 << 25.0 << false
                               << 0.0 << 0.0;
    }
    void currentLimitBand()
    {
        QFETCH(QString, name);
        QFETCH(double, vbe);
        QFETCH(double, clint);
        QFETCH(double, rb);
        QFETCH(double, rf);
        QFETCH(double, rcl);
        QFETCH(double, tc);
        QFETCH(bool, shown);
        QFETCH(double, lowerFirst);
        QFETCH(double, lowerLast);
        amp a = testAmp();
        a.ampName = name;
        a.Vbe = vbe;
        a.CLint = clint;
        a.Rb = rb;
        a.Rfoldover = rf;
        SoaInput in;
        in.sim.vsPos = 50;
        in.sim.vsNeg = 0;
        in.rcl = rcl;
        in.rfo = 1000;
        const SoaBand band = ::currentLimitBand(in, a, SoaSimResult(), tc);
        QCOMPARE(band.shown, shown);
        if (!shown) {
            QVERIFY(band.x.isEmpty());
            return;
        }
        QCOMPARE(band.x.size(), 100);
        QCOMPARE(band.x.first(), 50.0);
        QVERIFY(qAbs(band.x.last() - 0.5) < 1e-12);
        QVERIFY(qAbs(band.lower.first() - lowerFirst) < 1e-9);
        QVERIFY(qAbs(band.lower.last() - lowerLast) < 1e-9);
        QVERIFY(qAbs(band.upper.last() - lowerLast * 1.2 / 0.8) < 1e-9);
    }

    void exampleBandAndActivation()
    {
        // The worked example: 0.52 A to 0.78 A; a 4 A load current trips it.
        amp a = testAmp();
        a.Vbe = 0.65;
        SoaInput in = resistiveInput();
        in.rcl = 1;
        in.tempA = 25;
        in.heatsink = 0;
        in.thermalCompound = 0;
        a.Iq_max = 0;
        SoaResult r = computeSoa(in, a);
        QVERIFY(r.band.shown);
        QVERIFY(r.band.activates);
        QVERIFY(texts(r.notes).contains(
            QStringLiteral("!!! Current Limit Should Not Activate During Normal Operation !!!")));
        in.rcl = 0.1; // 5.2 A at the least: stays off
        r = computeSoa(in, a);
        QVERIFY(r.band.shown);
        QVERIFY(!r.band.activates);
    }

    void simulationNoteOrder()
    {
        amp a = testAmp();
        a.ampName = QStringLiteral("QX550");
        a.VswingC = { 12 };
        a.slewRate = { 0.1 };
        a.I_cont = 2;
        a.I_pk = 3;
        a.SB_V = 20;
        a.SB_slope = 2;
        a.Vbe = 0.65;
        a.Pd_max = { 1000 };
        a.Tj_max = a.Tc_max = 1e6;
        SoaInput in = resistiveInput();
        in.sim.R = 10;
        in.rcl = 1;
        const SoaResult r = computeSoa(in, a);
        QCOMPARE(texts(r.notes).mid(0, 7),
            (QStringList { kNotes,
                QStringLiteral("Clipping Likely. Based on Worst-Case Voltage Swing Characteristics. See "
                               "Datasheet for Details."),
                QStringLiteral("Output exceeds maximum slew rate of chosen device. Real output will not "
                               "look like the displayed waveform."),
                QStringLiteral("!!! Peak Current Specification Exceeded !!!"),
                QStringLiteral("Second Breakdown Violation. Unsafe for Steady State Conditions."),
                QStringLiteral("Warning: QX550 Supply Current is highly dependent on signal frequency and "
                               "may rise to over 1 Ampere, even unloaded. This behavior is modeled in "
                               "Ampora"),
                QStringLiteral("!!! Current Limit Should Not Activate During Normal Operation !!!") }));
        QVERIFY(!r.notes[0].isWarning());
        QVERIFY(!r.notes[1].isWarning());
        QVERIFY(r.notes[3].isWarning());
        QVERIFY(r.notes[6].isWarning());
    }

    void continuousOnlyWithoutPeak()
    {
        amp a = testAmp();
        a.ampName = QStringLiteral("QX475");
        a.I_cont = 3;
        const QStringList t = texts(computeSoa(resistiveInput(), a).notes);
        QCOMPARE(t.mid(0, 3),
            (QStringList { kNotes,
                QStringLiteral("Continuous Current Specification Exceeded. Unsafe for Steady State "
                               "Conditions."),
                QStringLiteral("Warning: QX460/475 Supply Current is dependent on both signal frequency "
                               "and common mode voltage. The analysis above assumes a common mode input "
                               "voltage of 6 Vp-p.") }));
    }

    void shortedOutput()
    {
        SoaInput in = resistiveInput();
        in.sim.R = 0;
        in.sim.L = 0;
        in.sim.C = kOpenValue;
        const SoaResult r = computeSoa(in, testAmp());
        QCOMPARE(texts(r.notes), (QStringList { kNotes, QStringLiteral("!!! Do Not Short the Output !!!") }));
        QVERIFY(r.notes[1].isWarning());
        QCOMPARE(r.labels.pdLoad.text, QStringLiteral("0"));
        QVERIFY(!r.loadLineShown);
        for (const QString &line : r.powerDetails) {
            QVERIFY2(!line.contains(QLatin1String("inf")) && !line.contains(QLatin1String("nan")),
                qPrintable(line));
        }
    }

    void openLoadDrawsNoLine()
    {
        SoaInput in = resistiveInput();
        in.sim.C = 0; // an open capacitor in the chain
        const SoaResult r = computeSoa(in, testAmp());
        QVERIFY(!r.sim.conducts);
        QVERIFY(!r.loadLineShown);
        QVERIFY(r.thermal.dc);
    }

    void motorStallReplacesNotes()
    {
        SoaInput in;
        in.sim.motor = true;
        in.motorLoadType = true;
        in.sim.motorMode = MotorMode::Stall;
        in.sim.period = SOAmotor(50, -50, false, 15);
        in.sim.R = 0; // the R-L-C entries would short the output
        in.sim.L = 0;
        in.sim.C = kOpenValue;
        const SoaResult r = computeSoa(in, testAmp());
        QCOMPARE(texts(r.notes),
            (QStringList { QStringLiteral("Notes:"),
                QStringLiteral("Stall and Reversal load lines are displayed to help choose a current "
                               "limit resistor."),
                QStringLiteral("Power calculations during Stall and Reversal conditions are inaccurate.") }));
    }

    void powerDetails_data()
    {
        QTest::addColumn<int>("parallel");
        QTest::addColumn<bool>("bridge");
        QTest::addColumn<double>("rcl");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");
        // 80 W in the load, (400/pi - 80) W in the amplifier, 1 W quiescent.
        const QStringList single { QStringLiteral("\nLoad Power: \t\t80 W RMS"),
            QStringLiteral("Amplifier Power (w/o quiescent): \t47.3 W RMS"),
            QStringLiteral("Input Power (w/o quiescent): \t127 W"), QStringLiteral("Quiescent Power: \t1 W"),
            QStringLiteral("Total Power: \t\t128 W"),
            QStringLiteral("\nMost Efficient Supplies: \t40 V and -40 V") };
        QTest::newRow("single") << 1 << false << 0.0 << QString() << single;
        // 1.414 x 0.65^2 / 1 ohm.
        QTest::newRow("R_CL") << 1 << false << 1.0 << QString()
                              << single
                + QStringList { QStringLiteral("\nSuggested Power Rating for R_CL: \t>597 mW") };
        // This part's current limit is internal: the page replaces R_CL by a
        // pointer to the datasheet, so no resistor is rated even on that refresh.
        QTest::newRow("QX535 with R_CL") << 1 << false << 1.0 << QStringLiteral("QX535") << single;
    }
    void powerDetails()
    {
        QFETCH(int, parallel);
        QFETCH(bool, bridge);
        QFETCH(double, rcl);
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        amp a = testAmp();
        a.Vbe = 0.65;
        if (!name.isEmpty())
            a.ampName = name;
        SoaInput in = resistiveInput();
        in.sim.numParallel = parallel;
        in.sim.bridge = bridge;
        in.rcl = rcl;
        QCOMPARE(computeSoa(in, a).powerDetails, lines);
    }

    void powerDetailsForSeveralAmplifiers()
    {
        // Two in parallel with R_CS 1 ohm: each carries half; the supplies need
        // the R_CS drop at the 4 A crest: 40 + 4 V.
        SoaInput in = resistiveInput();
        in.sim.numParallel = 2;
        in.sim.rcs = 1;
        const SoaResult r = computeSoa(in, testAmp());
        const QStringList &d = r.powerDetails;
        QCOMPARE(d.size(), 7);
        QVERIFY(d[1].endsWith(QLatin1String(" per amplifier")));
        QVERIFY(d[2].endsWith(QLatin1String(" total")));
        QVERIFY(d[3].endsWith(QLatin1String(" per amplifier")));
        QVERIFY(d[4].endsWith(QLatin1String(" total")));
        QCOMPARE(d[5], QStringLiteral("\nMost Efficient Supplies: \t44 V and -44 V"));
        const double each = 4 / M_PI; // mean of |I| / 2
        QCOMPARE(
            d[6], QStringLiteral("\nSuggested Power Rating for R_CS: \t>") + formatSI(2 * each * each, "W"));
        // Bridged: four amplifiers share the input power.
        in.sim.bridge = true;
        const SoaResult b = computeSoa(in, testAmp());
        const double total = b.sim.avgAmpPower * 4 + b.sim.avgLoadPower;
        QCOMPARE(b.powerDetails[2],
            QStringLiteral("Input Power (w/o quiescent): \t") + formatSI(total, "W")
                + QStringLiteral(" total"));
    }

    void resultLabels()
    {
        const SoaResult r = computeSoa(resistiveInput(), testAmp());
        QCOMPARE(r.labels.pdLoad.text, QStringLiteral("80"));
        QCOMPARE(r.labels.pdAmpAvg.text, number2String(r.thermal.ptot));
        QVERIFY(!r.labels.pdAmpAvg.isWarning());
        QCOMPARE(r.notes.size(), 1);
        QVERIFY(r.loadLineShown);
        QVERIFY(r.swing.x.isEmpty());
        SoaInput shownBox = resistiveInput();
        shownBox.hideSwing = false;
        QCOMPARE(computeSoa(shownBox, testAmp()).swing.x.size(), 360);
    }

    void descriptions_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("voltage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sine") << 0 << true
                              << QStringLiteral("Sine wave, voltage output: max 40 V, min -40 V, 1 kHz");
        QTest::newRow("trapezoid current")
            << 1 << false
            << QStringLiteral(
                   "Trapezoid/pulse wave, current output: max 40 A, min -40 A; rise 25 us, high 25 us, "
                   "fall 25 us, low 25 us");
        QTest::newRow("motor") << 3 << true << QStringLiteral("DC motor, normal running: 12 V at 1 A");
    }
    void descriptions()
    {
        QFETCH(int, type);
        QFETCH(bool, voltage);
        QFETCH(QString, expected);
        SoaSignalInfo info;
        info.type = type;
        info.voltage = voltage;
        QCOMPARE(waveDescription(info, SoaPeriod()), expected);
    }

    void uploadedDescription()
    {
        SoaSignalInfo info;
        info.type = 2;
        info.scale = 2;
        SoaPeriod p;
        p.time = { 1e-3, 2e-3 };
        p.wave = { -1, 3 };
        QCOMPARE(waveDescription(info, p),
            QStringLiteral(
                "Uploaded waveform, voltage output: max 6 V, min -2 V (scale 2); 2 points over 2 ms"));
        QCOMPARE(waveDescription(info, SoaPeriod()),
            QStringLiteral("Uploaded waveform, voltage output: no points"));
    }
};

QTEST_GUILESS_MAIN(TestSoaModel)
#include "test_soamodel.moc"
