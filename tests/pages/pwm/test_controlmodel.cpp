#include <QtTest>

#include <cmath>

#include "pages/pwm/controlmodel.h"
#include "tests/pages/pwm/complexsolve.h"
#include "values/sivalues.h"

Q_DECLARE_METATYPE(ControlCircuit)

namespace {

// A made-up amplifier: 5 Vpp ramp around 2.5 V, 40 mOhm switches at 25 C.
pwm testAmp()
{
    pwm a;
    a.Ramp = QStringLiteral("Fixed");
    a.Ramp_Vpp = 5, a.Ramp_Mid = 2.5;
    a.top_A = 1e-6, a.top_B = 2e-4, a.top_C = 0.03; // 0.030625 + 0.005 ohm at 25 C
    a.bot_A = 0, a.bot_B = 1e-4, a.bot_C = 0.04; // 0.0425 ohm
    a.top_wire = 0.01, a.bot_wire = 0.02;
    a.Vs_max = 100, a.Vs_min = 10;
    a.Vcc_max = 16, a.Vcc_min = 10, a.Vcc_nom = 15;
    a.Fsw_max = 500, a.Fsw_min = 10;
    a.I_pk = 20, a.I_cont = 10;
    return a;
}

ControlInput baseInput(ControlCircuit circuit, bool fullBridge)
{
    ControlInput in;
    in.circuit = circuit;
    in.fullBridge = fullBridge;
    in.amp = testAmp();
    in.network = defaultPowerState().network;
    if (circuit == ControlCircuit::Current1 || circuit == ControlCircuit::Current2) {
        in.outMax = 3;
        in.outMin = -3;
    }
    if (!fullBridge && (circuit == ControlCircuit::Voltage1 || circuit == ControlCircuit::Voltage2)) {
        in.outMax = 60;
        in.outMin = 10;
    }
    return in;
}

// A 0 ohm part conducts as 4294967295 S, the tool's stand-in for a short. A
// capacitor of 0 F is open; where the tool forms a branch as R + 1/(sC) (the
// integrator and the R-C branch), 1/(s 0) is its open value, 4294967295 ohm.
struct ControlNodal : Nodal {
    using Nodal::Nodal;
    void r(int p, int q, double ohms) { y(p, q, ohms == 0 ? 4294967295.0 : 1.0 / ohms); }
    void c(int p, int q, double farads, double w, bool series = false)
    {
        y(p, q, farads == 0 && series ? cplx(1.0 / 4294967295.0, 0) : cplx(0, w * farads));
    }
};

cplx toC(const comp &z)
{
    return cplx(z.real(), z.imag());
}

// The voltage returned to the integrator's inverting input for 1 V at its
// output, from the node equations of the circuit with the input grounded.
cplx nodalReturn(const ControlInput &in, const ControlParts &parts, double f)
{
    auto v = [&](int part) { return controlPartValue(parts, part); };
    const double w = kTwoPi * f;
    const bool current = in.circuit == ControlCircuit::Current1 || in.circuit == ControlCircuit::Current2;
    const int n = (current || in.fullBridge) ? 2 : 1;
    // Switches at 25 C: 625 A + 25 B + C for each, plus wiring.
    const pwm a = in.amp;
    const double rout = a.top_A * 625 + a.top_B * 25 + a.top_C + a.bot_A * 625 + a.bot_B * 25 + a.bot_C
        + a.top_wire + n * a.bot_wire / 2;
    const double km = n * in.vs / a.Ramp_Vpp;
    const FilterTransfer ft = Tfilter(in.network, f);
    const cplx ztot = toC(ft.Ztot), tfil = toC(ft.Tfil), zload = toC(ft.Zload);
    // Nodes: 0 Vint, 1 summing node, 2 Rint-Cint, 3 noise filter out, 4 PWM output,
    // 5 feedback T node, 6 feedback amplifier output, 7 sensed voltage, 8 half the
    // load voltage, 9 Rv-Cv.
    ControlNodal m(10);
    m.source(0, {}, 1);
    m.source(4, { { 3, km * ztot / (ztot + rout) } }, 0);
    m.source(8, { { 4, tfil / 2.0 } }, 0);
    m.r(0, 3, v(Rnf));
    m.c(3, -1, v(Cnf), w);
    m.r(1, 2, v(Rint));
    m.c(2, 0, v(Cint), w, true);
    m.r(1, -1, v(Rin));
    if (in.circuit == ControlCircuit::Voltage2) {
        m.r(1, -1, v(Rbh));
        m.r(1, -1, v(Rbl));
        m.r(1, 5, v(Rdin));
        m.r(4, 5, v(Rdif));
        m.c(5, -1, v(Cdif), w);
        m.source(6, {}, 0);
        m.source(7, {}, 0);
        m.source(9, {}, 0);
    } else {
        m.r(1, 6, v(Rf));
        m.r(1, -1, v(Rbias));
        // Difference amplifier: its input drives Rdin into a node with Cdif to
        // ground and Rdif into a virtual ground; the output is that current
        // times the feedback impedance (Rdf, with Cdf across it except in Current 2).
        int input = 4;
        if (current) {
            const cplx sense = in.circuit == ControlCircuit::Current1 ? v(Rs) / ztot : v(Rs) * tfil / zload;
            m.source(7, { { 4, sense } }, 0);
            input = 7;
            m.r(1, 9, v(Rv));
            m.c(9, 8, v(Cv), w, true);
        } else {
            m.source(7, {}, 0);
            m.source(9, {}, 0);
        }
        m.r(input, 5, v(Rdin));
        m.c(5, -1, v(Cdif), w);
        m.r(5, -1, v(Rdif));
        cplx zdf = v(Rdf);
        if (in.circuit != ControlCircuit::Current2)
            zdf = 1.0 / (1.0 / v(Rdf) + cplx(0, w * v(Cdf)));
        m.source(6, { { 5, zdf / v(Rdif) } }, 0);
    }
    if (!current)
        m.source(8, {}, 0);
    return m.solve()[1];
}

ControlParts partsFrom(const QStringList &values)
{
    ControlParts p = defaultControlParts();
    for (int i = 0; i < values.size() && i < kControlPartCount; ++i)
        if (!values[i].isEmpty())
            p[i] = values[i];
    return p;
}

bool hasNote(const ResultNotes &notes, const QString &text)
{
    for (const ResultNote &n : notes)
        if (n.text == text)
            return true;
    return false;
}

} // namespace

class TestControlModel : public QObject {
    Q_OBJECT
private slots:
    void transfer_data()
    {
        QTest::addColumn<ControlCircuit>("circuit");
        QTest::addColumn<bool>("fullBridge");
        QTest::addColumn<QStringList>("values");
        // Rint Cint Vref Vbias Rbias Rin Rf Rnf Cnf Rdf Cdf Rdin Rdif Cdif Rbh Rbl Rs Rv Cv
        const QStringList plain; // the start-up values
        const QStringList full = { "2.2k", "3.3n", "2.5", "15", "47k", "10k", "22k", "1k", "1n", "10k",
            "680p", "47k", "4.7k", "2.2n", "33k", "68k", "0.1", "4.7k", "10n" };
        const QStringList opens = { "", "", "", "", "open", "", "", "open", "none", "", "open", "", "",
            "open", "open", "short", "", "1k", "" };
        const ControlCircuit circuits[] = { ControlCircuit::Voltage1, ControlCircuit::Voltage2,
            ControlCircuit::Current1, ControlCircuit::Current2 };
        const char *names[] = { "V1", "V2", "I1", "I2" };
        for (int c = 0; c < 4; ++c)
            for (bool fb : { true, false }) {
                const QByteArray tag = QByteArray(names[c]) + (fb ? " full" : " half");
                QTest::newRow(tag + " start-up") << circuits[c] << fb << plain;
                QTest::newRow(tag + " all parts") << circuits[c] << fb << full;
                QTest::newRow(tag + " open and short") << circuits[c] << fb << opens;
            }
    }

    void transfer()
    {
        QFETCH(ControlCircuit, circuit);
        QFETCH(bool, fullBridge);
        QFETCH(QStringList, values);
        const ControlInput in = baseInput(circuit, fullBridge);
        const ControlParts parts = partsFrom(values);
        const ControlResult res = calcControl(in, parts);
        QCOMPARE(res.freq.size(), 401);
        QCOMPARE(res.freq.last(), in.fsig);
        for (int i : { 0, 57, 133, 200, 288, 350, 399, 400 }) {
            const double f = res.freq[i];
            const cplx expected = nodalReturn(in, parts, f);
            const double db = -20 * std::log10(std::abs(expected));
            QVERIFY2(std::abs(res.gainDb[i] - db) < 1e-6 * std::max(1.0, std::abs(db)),
                qPrintable(QStringLiteral("f %1: %2 dB, nodal %3 dB").arg(f).arg(res.gainDb[i]).arg(db)));
        }
        // The grid: 400 points, each 1.035142166679344 times the one before, from 1 Hz.
        QVERIFY(std::abs(res.freq[399] / std::pow(1.035142166679344, 399) - 1) < 1e-9);
    }

    void suggestion_data()
    {
        QTest::addColumn<ControlCircuit>("circuit");
        QTest::addColumn<bool>("fullBridge");
        QTest::newRow("V1 full") << ControlCircuit::Voltage1 << true;
        QTest::newRow("V1 half") << ControlCircuit::Voltage1 << false;
        QTest::newRow("V2 full") << ControlCircuit::Voltage2 << true;
        QTest::newRow("V2 half") << ControlCircuit::Voltage2 << false;
        QTest::newRow("I1") << ControlCircuit::Current1 << true;
        QTest::newRow("I2") << ControlCircuit::Current2 << true;
    }

    // The suggestion for the defaults closes a loop whose peaking is finite, whose
    // phase estimate follows from it, and whose DC output spans the requested range.
    void suggestion()
    {
        QFETCH(ControlCircuit, circuit);
        QFETCH(bool, fullBridge);
        const ControlInput in = baseInput(circuit, fullBridge);
        ControlParts parts = defaultControlParts();
        ControlResult res = calcControl(in, parts);
        for (int run = 0; run < 2; ++run) { // the current circuits' R-C branch rests on the last peak
            applyWrites(parts, suggestControl(in, parts, res.peakFreq));
            res = calcControl(in, parts);
        }
        QVERIFY(res.valid);
        QVERIFY(std::isfinite(res.peaking) && res.peaking >= 0);
        const double P = res.peaking;
        QCOMPARE(res.phase, 50 - 5.63 * P + 0.223 * P * P - 0.00305 * P * P * P);
        int slot = PwmOut;
        if (circuit == ControlCircuit::Current1)
            slot = AmpCurrent;
        else if (circuit == ControlCircuit::Current2)
            slot = LoadCurrent;
        const OperatingRange &r = res.ranges[slot];
        QVERIFY(r.valid);
        const double span = in.outMax - in.outMin;
        QVERIFY2(std::abs(r.dcLow - in.outMin) < 0.02 * span && std::abs(r.dcHigh - in.outMax) < 0.02 * span,
            qPrintable(QStringLiteral("%1 to %2").arg(r.dcLow).arg(r.dcHigh)));
        // At the signal frequency the voltage loops meet the request within a few
        // percent; the current loops' R-C branch takes some of their gain there.
        if (circuit == ControlCircuit::Voltage1 || circuit == ControlCircuit::Voltage2)
            QVERIFY2(std::abs((r.acHigh - r.acLow) / span - 1) < 0.05,
                qPrintable(QStringLiteral("%1 to %2").arg(r.acLow).arg(r.acHigh)));
    }

    void notes_data()
    {
        QTest::addColumn<ControlCircuit>("circuit");
        QTest::addColumn<bool>("fullBridge");
        QTest::addColumn<double>("fsw");
        QTest::addColumn<double>("outMin");
        QTest::addColumn<double>("outMax");
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("present");
        const QString ratio
            = QStringLiteral("Warning: Switching Frequency should be at least 50 times Signal "
                             "Frequency for reasonable circuit suggestions.");
        const QString aboveVs = QStringLiteral("!!! Vout must not exceed Vs !!!");
        const auto V1 = ControlCircuit::Voltage1, I1 = ControlCircuit::Current1,
                   I2 = ControlCircuit::Current2;
        // fsig 100 Hz: 50 times is 5 kHz. Below it, and Vout beyond the supply either
        // way, are golden design control_notes_v1.
        QTest::newRow("exactly 50 times") << V1 << true << 5e3 << -30.0 << 30.0 << ratio << false;
        QTest::newRow("half bridge negative")
            << V1 << false << 20e3 << -1.0 << 30.0
            << QStringLiteral("!!! Vout cannot go negative in a half bridge !!!") << true;
        QTest::newRow("full bridge negative fine") << V1 << true << 20e3 << -72.0 << 30.0 << aboveVs << false;
        QTest::newRow("min above max") << V1 << true << 20e3 << 5.0 << 4.0
                                       << QStringLiteral("!!! Vout_Min must not exceed Vout_Max !!!") << true;
        // 8 ohm load behind 33 uH and 1 uF: 9 A needs 72 V at DC, 8 A only 64 V.
        QTest::newRow("load current needs 72 V") << I2 << true << 20e3 << -9.01 << 2.0 << aboveVs << true;
        QTest::newRow("load current needs 64 V") << I2 << true << 20e3 << -8.0 << 2.0 << aboveVs << false;
        QTest::newRow("above peak") << I1 << true << 20e3 << -21.0 << 2.0
                                    << QStringLiteral("!!! Iout exceeds ABS MAX !!!") << true;
        QTest::newRow("above continuous")
            << I1 << true << 20e3 << -2.0 << 10.5
            << QStringLiteral("Iout exceeds continuous rating. Unsafe for steady-state conditions.") << true;
        QTest::newRow("current in half bridge")
            << I1 << false << 20e3 << -2.0 << 2.0
            << QStringLiteral("Current Feedback Configurations are not recommended for Half Bridges. A Full "
                              "Bridge will be assumed.")
            << true;
    }

    void notes()
    {
        QFETCH(ControlCircuit, circuit);
        QFETCH(bool, fullBridge);
        QFETCH(double, fsw);
        QFETCH(double, outMin);
        QFETCH(double, outMax);
        QFETCH(QString, note);
        QFETCH(bool, present);
        ControlInput in = baseInput(circuit, fullBridge);
        in.fsw = fsw;
        in.outMin = outMin;
        in.outMax = outMax;
        QCOMPARE(hasNote(SConValidate(in).notes, note), present);
    }

    // An amplifier with one switching frequency uses it whatever the field says.
    void fixedFrequency()
    {
        ControlInput in = baseInput(ControlCircuit::Voltage1, true);
        in.amp.Fsw_min = in.amp.Fsw_max = 40;
        in.fsw = 1;
        const ValidationResult v = SConValidate(in);
        QVERIFY(v.fswFixed);
        QCOMPARE(v.fsw, 40000.0);
        QVERIFY(!hasNote(v.notes, QStringLiteral("!!! Fsw too low !!!")));
        in.amp.Fsw_min = 10;
        QVERIFY(hasNote(SConValidate(in).notes, QStringLiteral("!!! Fsw too low !!!")));
    }

    // Every word and bad number in every position gives finite read-outs and
    // suggestions that never read as not-a-number or infinite.
    void badComponents()
    {
        const QStringList bad = { "open", "short", "0", "-5", "abc", "none", "inf" };
        for (ControlCircuit c : { ControlCircuit::Voltage1, ControlCircuit::Voltage2,
                 ControlCircuit::Current1, ControlCircuit::Current2 })
            for (bool fb : { true, false })
                for (int part = 0; part < kControlPartCount; ++part)
                    for (const QString &word : bad) {
                        ControlInput in = baseInput(c, fb);
                        ControlParts parts = defaultControlParts();
                        parts[part] = word;
                        const ControlResult res = calcControl(in, parts);
                        if (res.valid)
                            QVERIFY(std::isfinite(res.peaking) && std::isfinite(res.phase));
                        for (const OperatingRange &r : res.ranges)
                            QVERIFY(!rangeText(r).contains(QLatin1String("nan"))
                                && !rangeText(r).contains(QLatin1String("inf")));
                        for (const auto &w : suggestControl(in, parts, 1000))
                            if (w.second != parts[w.first]) // a kept text stays as typed
                                QVERIFY2(!w.second.contains(QLatin1String("nan"))
                                        && !w.second.contains(QLatin1String("inf")),
                                    qPrintable(w.second));
                    }
    }
};

QTEST_APPLESS_MAIN(TestControlModel)
#include "test_controlmodel.moc"
