#include <QtTest>

#include <cmath>

#include "pages/pwm/powermodel.h"
#include "pages/pwm/powersweep.h"
#include "values/sivalues.h"

namespace {

// An amplifier whose losses are easy to work by hand: a fixed 0.1 ohm per
// element, no saturation voltage, no switching or quiescent loss, no wiring.
pwm plainAmplifier()
{
    pwm a;
    a.top_C = a.bot_C = 0.1;
    a.Rtheta_DC = 2, a.Rtheta_JA = 20;
    a.Tc_max = 100.05, a.Tj_max = 150;
    a.outputs = 2, a.MaxDutyCycle = 0.9;
    a.I_pk = a.I_cont = a.Pd_max = 1000;
    return a;
}

// No filter (order 0) and a resistive load of r ohms.
PowerInput resistorDrive(double r)
{
    PowerInput in;
    in.amp = plainAmplifier();
    resetNetworkElements(in.network);
    in.network.load[4] = { QStringLiteral("0"), QString::number(r), QStringLiteral("short") };
    in.fullBridge = false, in.singleEnded = true;
    in.Vs = 48, in.fsw = 20e3, in.fsig = 2e3;
    in.heatsink = 10, in.compound = 0.1;
    return in;
}

} // namespace

class TestPowerModel : public QObject {
    Q_OBJECT
private slots:
    void elementCurrents_data()
    {
        QTest::addColumn<double>("Idc");
        QTest::addColumn<double>("Iac");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("bottom");
        // No DC: each element carries half of the amplitude, sqrt(0.5/2) = 0.5.
        QTest::newRow("M = 0") << 0.0 << 4.0 << 2.0 << 2.0;
        // d = 6/8: sqrt(0.375)*4 with 2 A DC added in quadrature = sqrt(10); d' = 2/8: sqrt(0.125)*4 =
        // sqrt(2).
        QTest::newRow("some DC") << 2.0 << 4.0 << std::sqrt(10.0) << std::sqrt(2.0);
        QTest::newRow("negative DC") << -2.0 << 4.0 << std::sqrt(2.0) << std::sqrt(10.0);
        // DC beyond the amplitude: top takes sqrt(0.5)*Iac and all of the DC, bottom nothing.
        QTest::newRow("DC above AC") << 5.0 << 2.0 << std::sqrt(2.0 + 25.0) << 0.0;
        QTest::newRow("DC only") << -3.0 << 0.0 << 0.0 << 3.0;
        QTest::newRow("nothing") << 0.0 << 0.0 << 0.0 << 0.0;
    }
    void elementCurrents()
    {
        QFETCH(double, Idc);
        QFETCH(double, Iac);
        QFETCH(double, top);
        QFETCH(double, bottom);
        const ElementCurrents e = ::elementCurrents(Idc, Iac);
        QVERIFY(qAbs(e.top - top) < 1e-12);
        QVERIFY(qAbs(e.bottom - bottom) < 1e-12);
    }

    void quiescent_data()
    {
        QTest::addColumn<double>("fsw");
        QTest::addColumn<double>("Vs");
        QTest::addColumn<double>("PVs");
        QTest::addColumn<double>("PVcc");
        // Iq = 50 + (40 - 20)*0.5 + (60 - 48)*0.2 = 62.4 mA at 60 V; Vcc: 20 + 20*0.25 = 25 mA at 12 V.
        QTest::newRow("above nominal") << 40e3 << 60.0 << 3.744 << 0.3;
        // Far below nominal both currents would be negative: they stop at 0.
        QTest::newRow("clipped at zero") << 0.0 << -400.0 << 0.0 << 0.18;
    }
    void quiescent()
    {
        QFETCH(double, fsw);
        QFETCH(double, Vs);
        QFETCH(double, PVs);
        QFETCH(double, PVcc);
        PowerInput in = resistorDrive(8);
        in.amp.Iq_Vs = 50, in.amp.Iq_Vs_vsF = 0.5, in.amp.Iq_Vs_vsS = 0.2;
        in.amp.Fsw_nom = 20, in.amp.Vs_nom = 48;
        in.amp.Iq_Vcc = 20, in.amp.Iq_Vcc_vsF = 0.25, in.amp.Vcc_nom = 12;
        in.fsw = fsw, in.Vs = Vs;
        const QuiescentPower q = PiqPWM(in);
        QVERIFY(qAbs(q.PVs - PVs) < 1e-9);
        QVERIFY(qAbs(q.PVcc - PVcc) < 1e-9);
    }

    // Order 0 into a resistor: the load sees the amplifier's voltage.
    void operatingPoint_data()
    {
        QTest::addColumn<double>("outMax");
        QTest::addColumn<double>("outMin");
        QTest::addColumn<int>("signal");
        QTest::addColumn<double>("Pout");
        QTest::addColumn<double>("Irms");
        // 40 V amplitude into 8 ohms: 5 A peak, 100 W.
        QTest::newRow("sine") << 40.0 << -40.0 << 0 << 100.0 << 5 / std::sqrt(2.0);
        // 10 V DC + 20 V amplitude: Vrms^2 = 100 + 200, P = 300/8.
        QTest::newRow("offset") << 30.0 << -10.0 << 0 << 37.5 << std::sqrt(1.5625 + 3.125);
        // 2 A amplitude around 1 A DC: I^2 = 1 + 2 = 3 A^2, P = 24 W.
        QTest::newRow("current") << 3.0 << -1.0 << 1 << 24.0 << std::sqrt(3.0);
        QTest::newRow("no signal type") << 40.0 << -40.0 << 2 << 0.0 << 0.0;
    }
    void operatingPoint()
    {
        QFETCH(double, outMax);
        QFETCH(double, outMin);
        QFETCH(int, signal);
        QFETCH(double, Pout);
        QFETCH(double, Irms);
        PowerInput in = resistorDrive(8);
        in.outMax = outMax;
        in.outMin = outMin;
        in.signalType = signal;
        const PowerResult r = computePower(in);
        QVERIFY(qAbs(r.Pout - Pout) < 1e-9);
        QVERIFY(qAbs(r.op.Irms() - Irms) < 1e-9);
    }

    void ripple_data()
    {
        QTest::addColumn<int>("outputs");
        QTest::addColumn<bool>("singleEnded");
        QTest::addColumn<double>("Vrip");
        QTest::addColumn<double>("Irip");
        // No filter: the whole 1.25*Vs*k reaches the load; Irip = 0.8*48*m*0.5/8.
        QTest::newRow("two outputs") << 2 << true << 60.0 << 2.4;
        QTest::newRow("four outputs, bridge") << 4 << false << 120.0 << 4.8;
        QTest::newRow("one output") << 1 << true << 0.0 << 2.4;
    }
    void ripple()
    {
        QFETCH(int, outputs);
        QFETCH(bool, singleEnded);
        QFETCH(double, Vrip);
        QFETCH(double, Irip);
        PowerInput in = resistorDrive(8);
        in.amp.outputs = outputs;
        in.singleEnded = singleEnded;
        QVERIFY(qAbs(Vripple(in) - Vrip) < 1e-9);
        QVERIFY(qAbs(Iripple(in) - Irip) < 1e-9);
    }

    // 5 A peak into 8 ohms: 2.5 A per element, 0.625 W each, 1.25 W in all,
    // case 2.5 degC below the junction.
    void thermal_data()
    {
        QTest::addColumn<double>("heatsink");
        QTest::addColumn<double>("topA");
        QTest::addColumn<double>("Tj");
        QTest::addColumn<bool>("runaway");
        QTest::addColumn<bool>("needed");
        // Tj = 25 + 1.25*(2 + 0.1 + 10) = 40.125, reached at the next 0.1 step.
        QTest::newRow("heatsink") << 10.0 << 0.0 << 40.2 << false << false;
        // "none": case to ambient is 20 - 2 = 18: 25 + 1.25*20.1 = 50.125. At 1.25 W the
        // amplifier alone suffices in both (59.9 + 0.1 is above 18).
        QTest::newRow("none") << kOpenValue << 0.0 << 50.2 << false << false;
        // 0.01*T^2 ohm: 1.25*0.01*T^2*12.1 + 25 = T has no root: no balance below 500 degC.
        QTest::newRow("runaway") << 10.0 << 0.01 << 500.1 << true << true;
    }
    void thermal()
    {
        QFETCH(double, heatsink);
        QFETCH(double, topA);
        QFETCH(double, Tj);
        QFETCH(bool, runaway);
        QFETCH(bool, needed);
        PowerInput in = resistorDrive(8);
        in.heatsink = heatsink;
        in.amp.top_A = in.amp.bot_A = topA;
        const PowerResult r = computePower(in);
        QVERIFY2(qAbs(r.Tj - Tj) < 1e-9, qPrintable(QString::number(r.Tj, 'g', 12)));
        QCOMPARE(r.runaway, runaway);
        QCOMPARE(!r.heatsinkNotNeeded, needed);
        if (!runaway)
            QVERIFY(qAbs(r.Tc - (Tj - 2.5)) < 1e-9);
    }

    // Case limit 100.05 degC: the last passing step is Tj = 102.5, Tc = 100,
    // and the heatsink that holds it there is 75/1.25 - 0.1 = 59.9 degC/W.
    void designLimit()
    {
        const PowerResult r = computePower(resistorDrive(8));
        QVERIFY(r.limitFound);
        QVERIFY(qAbs(r.TcSugg - 100) < 1e-9);
        QVERIFY(qAbs(r.RsaMin - 59.9) < 1e-9);
        // Nothing to dissipate: the loops settle at once and no heatsink is needed.
        PowerInput idle = resistorDrive(8);
        idle.outMax = idle.outMin = 0;
        const PowerResult q = computePower(idle);
        QCOMPARE(q.Tj, 25.0);
        QVERIFY(q.heatsinkNotNeeded);
        QVERIFY(!q.runaway);
    }

    // Warnings, in order and with their tones.
    void notes()
    {
        PowerInput in = resistorDrive(8);
        in.amp.I_cont = 4; // 1.25 A DC + 6.25 A peak + 2.4 A of ripple
        in.amp.Pd_max = 0.1;
        in.outMax = 60; // above the 48 V supply: clipped
        in.outMin = -40;
        const PowerResult r = computePower(in);
        QCOMPARE(r.notes.size(), 4);
        QCOMPARE(r.notes[0].tone, NoteTone::Normal);
        QVERIFY(r.notes[1].text.startsWith(QLatin1String("Clipping Likely.")));
        QCOMPARE(r.notes[1].tone, NoteTone::Advice);
        QVERIFY(r.notes[2].text.startsWith(QLatin1String("Continuous Current")));
        QCOMPARE(r.notes[3].tone, NoteTone::Warning);
        QCOMPARE(r.powerTone, NoteTone::Warning);
        QCOMPARE(r.tempJTone, NoteTone::Normal);
    }

    void sweepRanges_data()
    {
        QTest::addColumn<double>("fsig");
        QTest::addColumn<double>("Fmin");
        QTest::addColumn<double>("Fmax");
        QTest::addColumn<double>("linLow");
        QTest::addColumn<double>("linHigh");
        QTest::addColumn<double>("logLow");
        QTest::addColumn<double>("logHigh");
        const double a = -1; // "auto"
        QTest::newRow("auto at 2 kHz") << 2e3 << a << a << 0.0 << 6e3 << 1.0 << 4e6;
        QTest::newRow("typed") << 2e3 << 10.0 << 1e5 << 10.0 << 1e5 << 10.0 << 1e5;
        // A zero start is 1 Hz on a log axis; an end at or below the start gets three decades.
        QTest::newRow("zero and low") << 0.5 << 0.0 << 0.5 << 0.0 << 0.5 << 1.0 << 1000.0;
        // A negative bound reads as 0 Hz (1 Hz on the log axis).
        QTest::newRow("negative") << 2e3 << -5.0 << -1e3 << 0.0 << 0.0 << 1.0 << 1000.0;
    }
    void sweepRanges()
    {
        QFETCH(double, fsig);
        QFETCH(double, Fmin);
        QFETCH(double, Fmax);
        PowerInput in = resistorDrive(8);
        in.fsig = fsig;
        in.FminAuto = Fmin == -1;
        in.FmaxAuto = Fmax == -1;
        in.Fmin = Fmin;
        in.Fmax = Fmax;
        const SweepRange lin = linearSweepRange(in);
        const SweepRange log = attenuationSweepRange(in);
        QFETCH(double, linLow);
        QFETCH(double, linHigh);
        QFETCH(double, logLow);
        QFETCH(double, logHigh);
        QCOMPARE(lin.low, linLow);
        QVERIFY(qAbs(lin.high - linHigh) <= 1e-9 * linHigh);
        QCOMPARE(log.low, logLow);
        QVERIFY(qAbs(log.high - logHigh) < 1e-9 * logHigh);
    }

    // Into a resistor the amplifier power only changes below 60 Hz (root 2 on
    // each element current): the first such point is the hot spot.
    void hotspot_data()
    {
        QTest::addColumn<bool>("FminAuto");
        QTest::addColumn<double>("Fhot");
        QTest::newRow("0 Hz ties with 59.9 Hz") << true << 0.0;
        QTest::newRow("range above 60 Hz") << false << 59.9;
    }
    void hotspot()
    {
        QFETCH(bool, FminAuto);
        QFETCH(double, Fhot);
        PowerInput in = resistorDrive(8);
        in.FminAuto = FminAuto;
        in.Fmin = 100;
        const OutputSweep s = OutVsFreq(in);
        QCOMPARE(s.Fhotspot, Fhot);
        QCOMPARE(s.power.curves[4].f.size(), 102);
    }

    // Impedance axis: the largest value, capped at 100 ohms; an open load is
    // left out of the curve and caps the axis.
    void impedanceAxis_data()
    {
        QTest::addColumn<QString>("C");
        QTest::addColumn<double>("R");
        QTest::addColumn<double>("yHigh");
        QTest::addColumn<int>("loadPoints");
        QTest::newRow("8 ohm") << "short" << 8.0 << 8.0 << 100;
        QTest::newRow("1 kohm") << "short" << 1000.0 << 100.0 << 100;
        QTest::newRow("open") << "0" << 8.0 << 100.0 << 0;
    }
    void impedanceAxis()
    {
        QFETCH(QString, C);
        QFETCH(double, R);
        QFETCH(double, yHigh);
        QFETCH(int, loadPoints);
        PowerInput in = resistorDrive(R);
        in.network.load[4].C = C;
        const PowerSweep s = ImpedanceVsFreq(in, false);
        QVERIFY(qAbs(s.yHigh - yHigh) < 1e-9);
        QCOMPARE(s.curves[1].y.size(), loadPoints);
        // An open load draws nothing: every power figure stays finite.
        const PowerResult r = computePower(in);
        QVERIFY(std::isfinite(r.Pout) && std::isfinite(r.Ptot) && std::isfinite(r.Tj));
    }

    // With no filter the load gets the whole drive: 0 dB and 0 % everywhere.
    void attenuationWithoutFilter()
    {
        const PowerInput in = resistorDrive(8);
        for (bool percent : { false, true }) {
            const PowerSweep s = AttnVsFreq(in, percent);
            QCOMPARE(s.curves[0].y.size(), 100);
            for (double y : s.curves[0].y)
                QVERIFY(qAbs(y) < 1e-9);
        }
    }
};

QTEST_APPLESS_MAIN(TestPowerModel)
#include "test_powermodel.moc"
