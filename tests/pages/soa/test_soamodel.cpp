#include <QtTest>
#include <cmath>

#include "pages/soa/soamodel.h"
#include "tests/rowtable.h"
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

// C = 5 V, I_pk 15 A, supplies +-50 V. 5 + 10 I crosses 100 - (5 + 10 I) above
// 4.5 A: point 55 of 180 is the first cut. R_CS of 1 ohm joins B for two amplifiers.
struct SwingRow {
    const char *tag;
    double B;
    int parallel, points;
    double lastLow; // supply-to-output voltage of the last lower point
} const kSwing[] = { { "open box", 0, 1, 360, 5 }, { "closing box", 10, 1, 110, 5 + 10 * 15 * 54 / 180.0 },
    { "shared", 9, 2, 110, 5 + 10 * 15 * 54 / 180.0 } };

// 10 mA + 2 mA/kHz at 1 kHz = 12 mA from 100 V; boost adds 2 x 10 V.
struct QuiescentRow {
    const char *tag, *name;
    bool boost;
    double expected;
} const kQuiescent[] = { { "plain", "TEST1", false, 1.2 }, { "boost", "TEST1", true, 1.44 },
    { "QX550", "QX550", true, (12 + 2.5e-5) / 1000 * 100 + 0.63 } };

struct ThermalRow {
    const char *tag;
    double freq, maximum, minimum, R;
    bool dc;
} const kThermal[] = { { "50 Hz sine", 50, 40, -40, 10, true }, { "61 Hz sine", 61, 40, -40, 10, false },
    { "DC output", 1000, 20, 20, 10, true }, { "open load", 1000, 40, -40, kOpenValue, true } };

// R_JA 30, R_JC 2, Tj_max 150, Tc_max 85, interface 0.1 K/W. Heatsink kind: 0 a
// value, 1 "none", 2 "foil"; (85 - 25) / 5 - 0.1 = 11.9 K/W; 60 / 7.3 - 0.1 =
// 8.119 shows 8.12; "foil" on a package without foil reads as the open value.
struct HeatsinkRow {
    const char *tag, *package;
    double power, ambient;
    int kind;
    double heatsink;
    const char *minText;
    double tc, tj;
} const kHeatsink[] = {
    { "free air", "TO3-8", 1, 25, 1, 0, "none", 53, 55 },
    { "free air PSOP", "PSOP24", 1, 25, 0, 2, "1 square inch foil", 27.1, 29.1 },
    { "free air DDPAK", "DDPAK7", 1, 25, 2, 0, "foil - see datasheet", 53, 55 },
    { "heatsink", "TO3-8", 5, 25, 0, 2, "11.9", 35.5, 45.5 },
    { "none fitted", "TO3-8", 5, 25, 1, 0, "11.9", 165, 175 },
    { "unreasonable", "TO3-8", 5, 100, 0, 0, "-3.1", 100.5, 110.5 },
    { "foil on TO-3", "TO3-8", 1, 25, 2, kOpenValue, "none", 25 + (kOpenValue + 0.1),
        25 + (kOpenValue + 0.1) + 2 },
};

// Vss_max 90 V, Vss_min 20 V. Bridge: 0 none, 1 same supplies, 2 unipolar.
// Too high and reversed supplies are golden designs.
const char *const kTwice = "!!! V_out May Not Exceed 2 * Supply !!!";
struct SupplyRow {
    const char *tag;
    double vsPos, vsNeg;
    int bridge;
    double vmax, vmin;
    bool red;
    QStringList expected;
} const kSupply[] = {
    { "too low", 5, -5, 0, 1, -1, true, { "!!! Total Supply Voltage too Low !!!" } },
    { "fine", 40, -40, 0, 30, -30, false, {} },
    { "bridge beyond span", 40, -40, 1, 90, -30, false, { "!!! V_out May Not Exceed Vs_pos - Vs_neg !!!" } },
    { "bridge within span", 40, -40, 1, 79, -79, false, {} },
    { "unipolar beyond", 40, 0, 2, 81, -81, false, { kTwice, kTwice } },
};

// Supplies +50 / 0 V, 20 % tolerance, R_FO 1 kOhm; the lower edge at Vo = 0 V
// and 49.5 V. The sense voltage falls 2.2 mV/K: 0.54 V at 75 degC.
struct BandRow {
    const char *tag, *name;
    double vbe, clint, rb, rf, rcl, tc;
    bool shown;
    double lowerFirst, lowerLast;
} const kBand[] = {
    { "flat", "TEST1", 0.65, 0, 0, 0, 1, 25, true, 0.52, 0.52 },
    { "QX460 offset", "QX460", 0.65, 0, 0, 0, 1, 25, true, 0.8 * 0.672, 0.8 * 0.672 },
    { "QX445 resistor", "QX445", 0.65, 0, 0, 0, 1, 25, true, 0.8 * 0.65 / 1.01, 0.8 * 0.65 / 1.01 },
    { "internal", "TEST1", 0.65, 2, 0, 0, 0, 75, true, 0.8 * 0.54 * 2 / 0.65, 0.8 * 0.54 * 2 / 0.65 },
    { "internal without sense", "TEST1", 0, 2, 0, 0, 0, 25, false, 0, 0 },
    { "foldover Rb", "TEST1", 0.65, 0, 1000, 0, 1, 25, true, 0.52, 0.8 * (49.5 * 0.5 + 0.65) },
    { "foldover Rb Rf", "TEST1", 0.65, 0, 1000, 1000, 1, 25, true, 0.52,
        0.8 * (1000 * 49.5 / 2 / 2000 + 0.65) },
    { "Rf only", "TEST1", 0.65, 0, 0, 1000, 1, 25, false, 0, 0 },
    { "R_CL short", "TEST1", 0.65, 0, 0, 0, 0, 25, false, 0, 0 },
    { "QX535", "QX535", 0.65, 0, 0, 0, 1, 25, false, 0, 0 },
};

// The 10 ohm sine peaks at 4 A; the notes after "Notes: ", in order.
struct NotesRow {
    const char *tag, *name;
    double iCont, iPk;
    QStringList contains;
} const kNotes[] = { { "continuous only", "QX475", 3, 15, { "Continuous Current", "QX460/475" } },
    { "within", "TEST1", 10, 15, {} } };

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
        QTest::addColumn<int>("count"); // steady, 85 degC, 125 degC, pulses
        QTest::newRow("85 only") << 85.0 << QStringLiteral("NA") << 3;
        QTest::newRow("below 85") << 84.0 << QStringLiteral("NA") << 2;
        QTest::newRow("125 and pulses") << 150.0 << QStringLiteral("1ms") << 5;
    }
    void boundaryCurves()
    {
        QFETCH(double, tcSoa);
        QFETCH(QString, pulse2);
        QFETCH(int, count);
        amp a = testAmp();
        a.Tc_soa = tcSoa;
        a.pulse1 = QStringLiteral("10ms");
        a.pulse2 = pulse2;
        const QVector<SoaCurve> curves = plotSOAdataCurves(a);
        QCOMPARE(curves.size(), count);
        for (const SoaCurve &c : curves) {
            QCOMPARE(c.x.size(), 1000);
            QCOMPARE(c.y.last(), 0.0);
            QCOMPARE(c.x.last(), a.Vss_max);
        }
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

    void swingBox_data() { addRows(kSwing); }
    void swingBox()
    {
        FETCH_ROW(kSwing);
        amp a = testAmp();
        a.VswingB = { r.B };
        a.VswingC = { 5 };
        const SoaCurve box = plotVswingCurve(a, false, r.parallel, 1, 50, -50);
        QCOMPARE(box.x.size(), r.points);
        QCOMPARE(box.x.first(), 5.0);
        QVERIFY(qAbs(box.x[r.points / 2 - 1] - r.lastLow) < 1e-9);
        QVERIFY(qAbs(box.x[r.points / 2] - 95) < 1e-9);
        QCOMPARE(box.y[r.points / 2], 0.0);
    }

    void quiescent_data() { addRows(kQuiescent); }
    void quiescent()
    {
        FETCH_ROW(kQuiescent);
        amp a = testAmp();
        a.ampName = r.name;
        a.Iq_vF = 2;
        a.boost = { 10 };
        QVERIFY(qAbs(quiescentPower(a, 1000, 50, -50, r.boost) - r.expected) < 1e-12);
    }

    void thermalCase_data() { addRows(kThermal); }
    void thermalCase()
    {
        FETCH_ROW(kThermal);
        SoaInput in;
        in.sigFreq = r.freq;
        in.sim.period = SOAsine(r.freq, r.maximum, r.minimum);
        in.sim.R = r.R;
        const SoaResult res = computeSoa(in, testAmp());
        const double pq = 1.0; // 10 mA from 100 V
        QVERIFY(qAbs(res.quiescentPower - pq) < 1e-12);
        QCOMPARE(res.thermal.dc, r.dc);
        QCOMPARE(res.thermal.rtheta, r.dc ? 1.0 : 0.7);
        const double p = r.dc ? res.sim.peakAmpPower : res.sim.avgAmpPower;
        QVERIFY(qAbs(res.thermal.pj - (p + 0.1 * pq)) < 1e-12);
        QVERIFY(qAbs(res.thermal.ptot - (p + pq)) < 1e-12);
    }

    void freeAirAndHeatsink_data() { addRows(kHeatsink); }
    void freeAirAndHeatsink()
    {
        FETCH_ROW(kHeatsink);
        amp a = testAmp();
        a.Rtheta_DC = 2;
        a.Tc_max = 85;
        a.packageStyle = r.package;
        SoaSimResult sim; // no samples: the DC case with the peak power
        sim.peakAmpPower = r.power;
        SoaInput in;
        in.tempA = r.ambient;
        in.heatsink = r.heatsink;
        in.heatsinkNone = r.kind == 1;
        in.heatsinkFoil = r.kind == 2;
        const SoaThermal t = thermalResult(in, a, sim, 0);
        QVERIFY(t.dc);
        QCOMPARE(t.tcAllow, 85.0);
        QCOMPARE(t.minHeatsinkText, QString(r.minText));
        QVERIFY(qAbs(t.tc - r.tc) <= 1e-9 * qMax(1.0, r.tc) && qAbs(t.tj - r.tj) <= 1e-9 * qMax(1.0, r.tj));
        const SoaLabels l = labelsFor(in, a, sim, t);
        QCOMPARE(l.minHeatsink.isWarning(), r.minText[0] == '-');
        QCOMPARE(l.tempC.isWarning(), r.tc > 85);
        QCOMPARE(l.tempJ.isWarning(), qMax(r.tc, r.tj) > 150);
        QCOMPARE(l.suggTcMax.isWarning(), r.ambient > 85);
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

    void supplyWarnings_data() { addRows(kSupply); }
    void supplyWarnings()
    {
        FETCH_ROW(kSupply);
        amp a = testAmp();
        a.Vss_max = 90;
        a.Vss_min = 20;
        SoaInput in;
        in.sim.vsPos = r.vsPos;
        in.sim.vsNeg = r.vsNeg;
        in.sim.bridge = r.bridge > 0;
        in.sim.unipolar = r.bridge == 2;
        SoaSimResult sim;
        sim.Vmax = r.vmax;
        sim.Vmin = r.vmin;
        NoteTone supplyTone = r.red ? NoteTone::Normal : NoteTone::Warning;
        QCOMPARE(texts(SupplyWarnings(in, a, sim, &supplyTone)), r.expected);
        QCOMPARE(supplyTone == NoteTone::Warning, r.red);
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

    void currentLimitBand_data() { addRows(kBand); }
    void currentLimitBand()
    {
        FETCH_ROW(kBand);
        amp a = testAmp();
        a.ampName = r.name;
        a.Vbe = r.vbe;
        a.CLint = r.clint;
        a.Rb = r.rb;
        a.Rfoldover = r.rf;
        SoaInput in;
        in.sim.vsPos = 50;
        in.sim.vsNeg = 0;
        in.rcl = r.rcl;
        in.rfo = 1000;
        const SoaBand band = ::currentLimitBand(in, a, SoaSimResult(), r.tc);
        QCOMPARE(band.shown, r.shown);
        QCOMPARE(band.x.size(), r.shown ? 100 : 0);
        if (!r.shown)
            return;
        QCOMPARE(band.x.first(), 50.0);
        QVERIFY(qAbs(band.x.last() - 0.5) < 1e-12);
        QVERIFY(qAbs(band.lower.first() - r.lowerFirst) < 1e-9);
        QVERIFY(qAbs(band.lower.last() - r.lowerLast) < 1e-9);
        QVERIFY(qAbs(band.upper.last() - r.lowerLast * 1.2 / 0.8) < 1e-9);
    }

    // The worked example: 0.52 A to 0.78 A, so a 4 A load current trips it; R_CL 0.1
    // (5.2 A at the least) stays off. The note itself is a golden design.
    void exampleBandAndActivation()
    {
        amp a = testAmp();
        a.Vbe = 0.65;
        SoaInput in = resistiveInput();
        in.rcl = 1;
        QVERIFY(computeSoa(in, a).band.activates);
        in.rcl = 0.1;
        QVERIFY(!computeSoa(in, a).band.activates);
    }

    void partNotes_data() { addRows(kNotes); }
    void partNotes()
    {
        FETCH_ROW(kNotes);
        amp a = testAmp();
        a.ampName = r.name;
        a.I_cont = r.iCont;
        a.I_pk = r.iPk;
        const QStringList t = texts(computeSoa(resistiveInput(), a).notes);
        QCOMPARE(t.size(), r.contains.size() + 1);
        for (int i = 0; i < r.contains.size(); ++i)
            QVERIFY2(t[i + 1].contains(r.contains[i]), qPrintable(t[i + 1]));
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

    // R_CL 1 ohm is rated 1.414 x 0.65^2 / 1 ohm, except on a part whose current limit
    // is internal (the page points to the datasheet instead). The other power lines
    // are golden designs; their numbers are the resistive load of the simulation test.
    void powerDetails()
    {
        amp a = testAmp();
        a.Vbe = 0.65;
        SoaInput in = resistiveInput();
        in.rcl = 1;
        QCOMPARE(computeSoa(in, a).powerDetails.last(), "\nSuggested Power Rating for R_CL: \t>597 mW");
        a.ampName = QStringLiteral("QX535");
        QVERIFY(!computeSoa(in, a).powerDetails.last().contains("R_CL"));
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
