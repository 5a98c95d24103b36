#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "pages/currentpump/pumpmodel.h"
#include "pages/soa/soanetlist.h"
#include "pages/soa/soasimulation.h"
#include "pages/spice/spicenetlist.h"
#include "pages/stability/stabnetlist.h"
#include "tests/pages/spice/ngspicerun.h"
#include "values/sivalues.h"

#include <complex>

using cplx = std::complex<double>;

namespace {

// The fundamental of the last displayed period, as a phasor: both the page's
// samples and the simulator's waveform are read at the same instants.
cplx fundamental(const QVector<double> &t, const std::function<double(int)> &value, double period)
{
    cplx sum;
    const int n = t.size();
    for (int k = 0; k < n; ++k)
        sum += value(k) * std::exp(cplx(0, -2 * M_PI * t[k] / period));
    return sum * (2.0 / n);
}

void requireNgspice()
{
    if (!haveNgspice())
        QSKIP("ngspice is not installed (the test command installs it)");
}

struct Run {
    int status = -1;
    QByteArray out, err;
};

Run ampora(const QStringList &arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(AMPORA_BINARY), arguments);
    Run r;
    if (p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit)
        r.status = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// The "key: value" lines of a design file.
QHash<QString, QString> designEntries(const QString &path)
{
    QHash<QString, QString> e;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
            e.insert(line.section(QStringLiteral(": "), 0, 0), line.section(QStringLiteral(": "), 1));
    return e;
}

// A load on the SOA page: signal type (0 sine, 1 trapezoid, 2 uploaded), a
// voltage signal, R, L, C, series, how many in parallel, bridged.
struct SoaRow {
    int type;
    bool voltage;
    double R, L, C;
    bool series;
    int parallel;
    bool bridge;
};

} // namespace

Q_DECLARE_METATYPE(SoaRow)

class TestSpiceNetlists : public QObject {
    Q_OBJECT
private slots:
    void suffixes_data();
    void suffixes();
    void soaSteadyState_data();
    void soaSteadyState();
    void stabilityCrossover_data();
    void stabilityCrossover();
    void commandLine_data();
    void commandLine();
};

void TestSpiceNetlists::suffixes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("mega is meg, never M") << 1e6 << "1meg";
    QTest::newRow("micro") << 4.7e-6 << "4.7u";
    QTest::newRow("rounding carries to the next suffix") << 999.99996 << "1k";
    QTest::newRow("negative") << -0.5 << "-500m";
    QTest::newRow("pico") << 33e-12 << "33p";
    QTest::newRow("giga") << 4.294967295e9 << "4.294967g";
    QTest::newRow("zero") << 0.0 << "0";
}

void TestSpiceNetlists::suffixes()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(spiceNumber(value), text);
}

void TestSpiceNetlists::soaSteadyState_data()
{
    QTest::addColumn<SoaRow>("row");
    const double open = kOpenValue; // as C: a short
    QTest::newRow("sine, series R-L") << SoaRow { 0, true, 8, 1e-3, open, true, 1, false };
    QTest::newRow("sine, series R-L-C") << SoaRow { 0, true, 4, 0.5e-3, 100e-6, true, 1, false };
    QTest::newRow("sine, parallel R-C") << SoaRow { 0, true, 20, open, 4.7e-6, false, 1, false };
    QTest::newRow("sine, two in parallel") << SoaRow { 0, true, 8, 1e-3, open, true, 2, false };
    QTest::newRow("sine, bridged") << SoaRow { 0, true, 8, 2e-3, open, true, 1, true };
    QTest::newRow("trapezoid, series R-L") << SoaRow { 1, true, 5, 0.2e-3, open, true, 1, false };
    QTest::newRow("uploaded waveform, series R-L") << SoaRow { 2, true, 6, 0.5e-3, open, true, 1, false };
    QTest::newRow("current sine, parallel R-C") << SoaRow { 0, false, 10, open, 10e-6, false, 1, false };
}

// Amplitude and phase of the load current's fundamental in steady state, as
// the page's simulation gives it and as ngspice gives it, within 1 % (the
// phase within 1 % of a period). A current signal drives the load, so there
// the load voltage is compared.
void TestSpiceNetlists::soaSteadyState()
{
    QFETCH(SoaRow, row);
    const int type = row.type;
    const bool voltage = row.voltage;
    requireNgspice();

    amp a;
    a.ampName = QStringLiteral("TEST");
    a.VswingA = { 0 };
    a.VswingB = { 0.2 };
    a.VswingC = { 5 };
    SoaSignalInfo s;
    s.type = type;
    s.voltage = voltage;
    s.maximum = voltage ? 20 : 2;
    s.minimum = -s.maximum;
    s.frequency = 1000;
    s.tRise = 100e-6;
    s.tHigh = 300e-6;
    s.tFall = 100e-6;
    s.tLow = 500e-6;
    SoaSimInput in;
    if (type == 0) {
        in.period = SOAsine(s.frequency, s.maximum, s.minimum);
    } else if (type == 1) {
        in.period = SOAtrap(s.tRise, s.tHigh, s.tFall, s.tLow, s.maximum, s.minimum);
    } else {
        // A 1 ms sawtooth of 20 uploaded lines, densified as an upload is, played at half scale.
        QString csv;
        for (int k = 0; k < 20; ++k)
            csv += QStringLiteral("%1,%2\n").arg(k * 1e-3 / 19).arg(k == 19 ? -40.0 : -40 + 80.0 * k / 18);
        in.period = readSoaCsv(csv).period;
        in.scale = 0.5;
    }
    std::tie(in.voltageSignal, in.R, in.L, in.C, in.series, in.numParallel, in.bridge)
        = std::tie(row.voltage, row.R, row.L, row.C, row.series, row.parallel, row.bridge);
    in.rcs = 0.5;
    in.displayAfter = 8;
    in.displayCycles = 2;
    const SoaSimResult page = simulateSoaLoad(in, a);
    const SpiceNetlist net = soaNetlist(in, s, a, QStringLiteral("test"));
    QVERIFY(!net.isEmpty());
    const QString probe = voltage ? QStringLiteral("i(VILOAD)") : QStringLiteral("v(out)");
    const SpiceRun run = runNgspice(net.text, { probe });
    QVERIFY2(run.ok, qPrintable(run.error));

    // The last displayed period: sample k lies at (a + c - 1) T + t_k.
    const double T = 1e-3;
    const int n = in.period.time.size();
    QVector<double> t(n);
    for (int k = 0; k < n; ++k)
        t[k] = (in.displayAfter + in.displayCycles - 1) * T + in.period.time[k];
    const QVector<double> &pageValue = voltage ? page.I : page.V;
    const cplx expected = fundamental(
        t, [&](int k) { return pageValue[pageValue.size() - n + k]; }, T);
    const cplx simulated = fundamental(
        t, [&](int k) { return interpolate(run.columns[0], run.columns[1], t[k]); }, T);
    QVERIFY2(std::abs(std::abs(simulated) / std::abs(expected) - 1) < 0.01,
        qPrintable(
            QStringLiteral("amplitude %1 against %2").arg(std::abs(simulated)).arg(std::abs(expected))));
    const double phaseError = std::abs(std::arg(simulated / expected)) / (2 * M_PI);
    QVERIFY2(phaseError < 0.01, qPrintable(QStringLiteral("phase off by %1 of a period").arg(phaseError)));
}

void TestSpiceNetlists::stabilityCrossover_data()
{
    // Part entries as key=value, the rest at their defaults; "inductive" and
    // "noninv" pick the load and the configuration; aol (dB), p1, p2, zout
    // set the amplifier (default 100 dB, 10 Hz, 5 MHz, 5 ohm or 0.5 ohm
    // inductive), hostAol and hostP1 a host amplifier.
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("one pole, flat 1/beta") << QStringList { "RinC=1k", "RfbC=20k" };
    QTest::newRow("load pole a decade above closure") << QStringList { "RfbC=20k", "CLoadStab=10n" };
    QTest::newRow("load pole below closure, R_ISO zero")
        << QStringList { "aol=110", "p1=5", "p2=20e6", "zout=10", "RfbC=100k", "RisoC=1", "CLoadStab=1u" };
    QTest::newRow("C_FB lowers 1/beta") << QStringList { "p2=50e6", "RfbC=100k", "CfbC=100p" };
    QTest::newRow("noise-gain network")
        << QStringList { "p2=20e6", "RinC=10k", "RfbC=10k", "RngC=100", "CngC=10n" };
    QTest::newRow("non-inverting, noise gain ignored")
        << QStringList { "noninv", "RfbC=9k", "RngC=100", "CngC=10n" };
    // Inductive load: path 1 rises from the R_LOAD / L_LOAD zero, path 2
    // (R_D, C_FB) is flat above its zero; the page ignores Z_OUT, which only
    // matters below the load zero.
    QTest::newRow("inductive, sense gain a short, path 1")
        << QStringList { "inductive", "RinL=10k", "RfbL=1k", "RsL=2", "RloadL=10", "LLoadStab=1m" };
    QTest::newRow("inductive, sense gain 10, R_D and C_FB") << QStringList { "inductive", "RinL=10k",
        "RfbL=10k", "RsL=100m", "RsGainL=10", "RloadL=10", "LLoadStab=10m", "RdL=50k", "CfbL=1n" };
    QTest::newRow("inductive, non-inverting, L_LOAD a short") << QStringList { "inductive", "noninv",
        "p1=100", "RinL=1k", "RfbL=9k", "RsL=1", "RloadL=4", "LLoadStab=short" };
    // Composite: the host closes the outer loop around the power stage's
    // closed-loop gain. The page's inductive composite takes the power
    // stage's own divider for the host's and its voltage gain as flat, so
    // here the host network has the same ratio and the loop closes above the
    // power stage's own closure, where both hold.
    QTest::newRow("composite, capacitive") << QStringList { "noninv", "hostAol=120", "hostP1=5", "RinC=1k",
        "RfbC=9k", "hostRin=1k", "compRfb=99k" };
    QTest::newRow("composite, capacitive, inverting host with C_FB") << QStringList { "hostAol=110",
        "hostP1=10", "RinC=1k", "RfbC=9k", "CLoadStab=100n", "hostRin=1k", "compRfb=99k", "compCfb=100p" };
    QTest::newRow("composite, inductive") << QStringList { "inductive", "noninv", "hostAol=100", "hostP1=10",
        "RinL=1k", "RfbL=9k", "RsL=1", "RsGainL=1", "RloadL=9", "LLoadStab=1m", "hostRin=1k", "compRfb=9k" };
}

// The loop gain ngspice computes crosses 0 dB where the page's straight
// lines close. A straight line is off by at most 3 dB at a break; where the
// curves close at 20 dB/decade that moves the crossing by 10^(3/20) = 1.41
// times, and the page reads the closure on a grid of sixteen points a
// decade, half a step (10^(1/32) = 1.075 times) away at most: 1.52 times.
void TestSpiceNetlists::stabilityCrossover()
{
    QFETCH(QStringList, parts);
    requireNgspice();
    const bool inductive = parts.contains(QStringLiteral("inductive"));
    QHash<QString, double> a { { "aol", 100 }, { "p1", 10 }, { "p2", 5e6 }, { "zout", inductive ? 0.5 : 5 },
        { "hostAol", 0 }, { "hostP1", 0 } };
    LoopInput in;
    in.inverting = !parts.contains(QStringLiteral("noninv"));
    for (const QString &p : parts) {
        const QString key = p.section(QLatin1Char('='), 0, 0), value = p.section(QLatin1Char('='), 1);
        if (a.contains(key))
            a[key] = value.toDouble();
        else if (p.contains(QLatin1Char('=')))
            *in.parts.field(key) = value;
    }
    in.amplifier.ampName = QStringLiteral("TEST");
    in.amplifier.CircuitType = QStringLiteral("normal");
    in.amplifier.Aol_DC = a["aol"];
    in.amplifier.pole1 = { a["p1"] };
    in.amplifier.pole2 = { a["p2"] };
    in.amplifier.pole3 = { 1e13 };
    in.amplifier.Zout = a["zout"];
    const bool composite = a["hostAol"] > 0;
    in.host.aol = a["hostAol"];
    in.host.pole1 = a["hostP1"];
    const StabLoad load = inductive ? StabLoad::Inductive : StabLoad::Capacitive;
    const LoopResult page = evaluateLoop(in, load, composite, false);
    const SpiceNetlist net = stabilityNetlist(in, load, composite, QStringLiteral("test"));
    const SpiceRun run = runNgspice(net.text, { QStringLiteral("mag(v(loop))") });
    QVERIFY2(run.ok, qPrintable(run.error));
    const QVector<double> &f = run.columns[0], &g = run.columns[1];
    // The last fall through 0 dB: R_D's path and the sensed current can
    // cancel in a notch below it.
    double crossing = 0;
    for (int k = 1; k < f.size(); ++k)
        if (g[k - 1] >= 1 && g[k] < 1) {
            const double t = std::log(g[k - 1]) / (std::log(g[k - 1]) - std::log(g[k]));
            crossing = f[k - 1] * std::pow(f[k] / f[k - 1], t);
        }
    QVERIFY(crossing > 0);
    const double ratio = crossing / page.closureFrequency;
    qInfo("ngspice %g Hz, page %g Hz", crossing, page.closureFrequency);
    QVERIFY2(ratio < 1.52 && ratio > 1 / 1.52,
        qPrintable(QStringLiteral("ngspice %1 Hz, page %2 Hz").arg(crossing).arg(page.closureFrequency)));
}

void TestSpiceNetlists::commandLine_data()
{
    QTest::addColumn<QString>("design"); // in the test data folder
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QVector<double>>("frequencies"); // attenuation at the cut-off and switching frequencies
    const QVector<double> pump;
    QTest::newRow("filter design handed to the power page")
        << "golden/pwm_filter_to_power_dualcap.zam"
        << "9" << QStringList { "loadFilterToPower" } << QVector<double> { 5e3, 50e3 };
    QTest::newRow("power page, fourth order with parasitics, extended load")
        << "spice/pwm_power_parasitics.zam"
        << "9" << QStringList() << QVector<double> { 27.7e3, 100e3 };
    QTest::newRow("power page, second order with parasitics")
        << "spice/pwm_power_second_order.zam"
        << "9" << QStringList() << QVector<double> { 12.8e3, 200e3 };
    QTest::newRow("power page, sixth order, extended load")
        << "spice/pwm_power_sixth_order.zam"
        << "9" << QStringList() << QVector<double> { 30e3, 400e3 };
    QTest::newRow("power page, open inductor self-capacitance")
        << "spice/pwm_power_open_inductor.zam"
        << "9" << QStringList() << QVector<double> { 5e3, 100e3 };
    QTest::newRow("pump, inverting, R-L load, damping") << "spice/pump_rl_damping.zam"
                                                        << "5" << QStringList() << pump;
    QTest::newRow("pump, non-inverting, R-C load, damping") << "golden/pump_noninverting_capacitive.zam"
                                                            << "5" << QStringList() << pump;
    QTest::newRow("pump without a netlist: single-input amplifier") << "golden/pump_inverting_inductive.zam"
                                                                    << "5" << QStringList() << pump;
}

// `ampora --spice` on a design, then ngspice on the file written, against
// the page: the attenuation chart's points nearest the cut-off and the
// switching frequency within 0.1 dB; the pump's "Actual" transconductance
// (the real part of the load current per volt at the signal frequency)
// within 0.1 %. A page without a netlist exits 2 with one line.
void TestSpiceNetlists::commandLine()
{
    QFETCH(QString, design);
    QFETCH(QString, page);
    QFETCH(QStringList, clicks);
    QFETCH(QVector<double>, frequencies);
    requireNgspice();

    QTemporaryDir dir;
    QString path = QStringLiteral(TEST_FILES_DIR "/") + design;
    const bool noNetlist = QByteArray(QTest::currentDataTag()).contains("without");
    if (noNetlist) {
        // The same design on an amplifier that takes one input only.
        QFile in(path);
        QVERIFY(in.open(QIODevice::ReadOnly));
        path = dir.filePath(QStringLiteral("single.zam"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(in.readAll().replace("IHCPampSelector: QX370", "IHCPampSelector: BQ820"));
    }
    QStringList options { QStringLiteral("--page"), page };
    for (const QString &c : clicks)
        options << QStringLiteral("--click") << c;
    options << path;
    const QString cir = dir.filePath(QStringLiteral("out.cir"));
    const Run spice = ampora(QStringList { QStringLiteral("--spice"), cir } + options);
    if (noNetlist) {
        QCOMPARE(spice.status, 2);
        QCOMPARE(spice.err.trimmed().count('\n'), 0);
        QVERIFY(spice.err.startsWith("ampora: ") && !QFile::exists(cir));
        return;
    }
    QCOMPARE(spice.status, 0);
    QFile file(cir);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString netlist = QString::fromUtf8(file.readAll());

    if (frequencies.isEmpty()) {
        const QHash<QString, QString> e = designEntries(path);
        PumpEntries p;
        p.rin = e.value("IHCPRin");
        p.rfn = e.value("IHCPRfn");
        p.rfp = e.value("IHCPRfp");
        p.rs = e.value("IHCPRs");
        p.rd = e.value("IHCPRd");
        p.cd = e.value("IHCPCd");
        p.rload = e.value("IHCPRload");
        p.cload = e.value("IHCPCload");
        p.lload = e.value("IHCPLload");
        p.freq = e.value("IHCPFreq");
        const double actual = IHCPtransconductance(
            pumpResistors(p), pumpLoad(p), pumpDamping(p), e.value("IHCPInvButton") == QLatin1String("1"));
        netlist.replace(QStringLiteral("\n.op\n"), QStringLiteral("\n"));
        const SpiceRun ac = runNgspice(netlist, { QStringLiteral("real(i(VILOAD))") });
        QVERIFY2(ac.ok, qPrintable(ac.error));
        const double sim = interpolate(ac.columns[0], ac.columns[1], string2Number(p.freq));
        qInfo("ngspice %.6g A/V, page %.6g A/V", sim, actual);
        QVERIFY2(std::fabs(sim / actual - 1) < 1e-3,
            qPrintable(QStringLiteral("%1 against %2").arg(sim).arg(actual)));
        return;
    }
    const Run report = ampora(QStringList { QStringLiteral("--report") } + options);
    QCOMPARE(report.status, 0);
    QJsonArray x, y;
    const QJsonArray graphs = QJsonDocument::fromJson(report.out)["plots"]["FilterFreq"]["graphs"].toArray();
    for (const QJsonValue &g : graphs)
        if (g["name"].toString() == QLatin1String("Filter Attenuation")) {
            x = g["x"].toArray();
            y = g["y"].toArray();
        }
    QVERIFY(!x.isEmpty() && x.size() == y.size());
    const SpiceRun run = runNgspice(netlist, { QStringLiteral("vdb(load)") });
    QVERIFY2(run.ok, qPrintable(run.error));
    QVector<double> logF;
    for (double f : run.columns[0])
        logF << std::log10(f);
    for (double target : frequencies) {
        int k = 0;
        for (int i = 1; i < x.size(); ++i)
            if (std::fabs(std::log(x[i].toDouble() / target)) < std::fabs(std::log(x[k].toDouble() / target)))
                k = i;
        const double f = x[k].toDouble();
        const double sim = interpolate(logF, run.columns[1], std::log10(f));
        qInfo("%g Hz: ngspice %.4f dB, page %.4f dB", f, sim, y[k].toDouble());
        QVERIFY2(std::fabs(sim - y[k].toDouble()) < 0.1,
            qPrintable(
                QStringLiteral("%1 Hz: ngspice %2 dB, page %3 dB").arg(f).arg(sim).arg(y[k].toDouble())));
    }
}

QTEST_GUILESS_MAIN(TestSpiceNetlists)
#include "test_spicenetlists.moc"
