#include <QtTest>
#include <cmath>

#include "pages/threephase/threephasemodel.h"

using namespace ThreePhase;

namespace {

// A part whose switches are 0.1 ohm and whose diodes are the same 0.1 ohm
// with no knee, no fixed drops and no switching time: the only losses are
// i^2 * 0.1, so the bridge's energy can be balanced exactly.
pwm idealPart()
{
    pwm p;
    p.Vs_max = 1000;
    p.Vs_min = 5;
    p.Vcc_max = 100;
    p.Fsw_max = 1000;
    p.Fsw_nom = 1;
    p.I_cont = p.I_pk = 1000;
    p.Pd_max = 1000;
    p.outputs = 3;
    p.MaxDutyCycle = 1;
    p.Rdiode = 100;
    p.top_C = p.bot_C = 0.1;
    p.Tc_max = p.Tj_max = 1000;
    p.Rtheta_DC = 1;
    return p;
}

Input rpmInput(int commutation, bool delta, double rpm, double dutyPercent)
{
    Input in;
    in.commutation = commutation;
    in.motor.isDelta = delta;
    in.motor.controlVariable = 1;
    in.motor.constantVariable = 2;
    in.motor.controlAmplitude = rpm;
    in.motor.constantAmplitude = dutyPercent;
    return in;
}

bool allFinite(const Result &r)
{
    const Pass &p = r.pass;
    for (double x : { p.loadPower, p.conduction, p.wire, p.diode, p.switching, p.quiescent, p.peakCurrent,
             p.rmsCurrent, r.ampPower, r.efficiency, r.Ron, r.Tcase, r.Tjunction }) {
        if (!std::isfinite(x))
            return false;
    }
    for (const auto &v : r.traces.current)
        for (double x : v)
            if (!std::isfinite(x))
                return false;
    return true;
}

using Edit = std::function<void(Input &)>;

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestThreePhaseModel : public QObject {
    Q_OBJECT
private slots:
    void speedFromCurrentAndDuty_data();
    void speedFromCurrentAndDuty();
    void linterpWalk_data();
    void linterpWalk();
    void sectorTable_data();
    void sectorTable();
    void energyBalance_data();
    void energyBalance();
    void stepBudget_data();
    void stepBudget();
    void diodeJunction_data();
    void diodeJunction();
    void badInput_data();
    void badInput();
};

// Motor of the rows below: R 4 ohm, L 10 mH, 4 cycles per turn, 5 mV/RPM,
// Vs 50 V, 2 A at 600 RPM. X = 2 pi 600 * 4 * 0.01 / 60 = 2.513274 ohm,
// |Z| = sqrt(16 + 6.316547) = 4.724039, E = 3 V. The duty cycle is worked
// out from the speed, and the speed back from the duty cycle.
void TestThreePhaseModel::speedFromCurrentAndDuty_data()
{
    QTest::addColumn<int>("commutation");
    QTest::addColumn<double>("Ipk");
    QTest::addColumn<double>("duty");
    QTest::addColumn<double>("Vemf");
    QTest::addColumn<double>("rpm");
    QTest::addColumn<int>("warnings");
    QTest::newRow("sinusoidal") << 0 << 2.0 << 2 * (2 * 4.724039 + 3) / 50 << 5e-3 << 600.0 << 0;
    QTest::newRow("trapezoidal") << 1 << 2.0 << 0.44 << 5e-3 << 600.0 << 0; // 2 (8 + 3) / 50
    QTest::newRow("six-step") << 2 << 2.0 << 0.30 << 5e-3 << 600.0 << 0; // (12 + 3) / 50
    // 100 A through 4 ohm needs 400 V; 25 V cannot drive it at any speed.
    QTest::newRow("negative discriminant") << 0 << 100.0 << 0.5 << 5e-3 << 0.0 << int(NoRpmSolution);
    QTest::newRow("trapezoidal without EMF") << 1 << 2.0 << 0.5 << 0.0 << 0.0 << int(ZeroEmf);
}

void TestThreePhaseModel::speedFromCurrentAndDuty()
{
    QFETCH(int, commutation);
    QFETCH(double, Ipk);
    QFETCH(double, duty);
    QFETCH(double, Vemf);
    QFETCH(double, rpm);
    QFETCH(int, warnings);
    const MotorConstants m { 4, 10e-3, Vemf, 4 };
    if (!warnings)
        QVERIFY(std::abs(P3DCfromIandRPM(Ipk, rpm, 50, m, commutation) - duty) < 1e-6);
    QVERIFY(P3DCfromIandRPM(Ipk, rpm, 0, m, commutation) == -1);
    quint16 w = 0;
    QVERIFY(std::abs(P3RPMfromIandDC(Ipk, duty, 50, m, commutation, w) - rpm) < 1e-3);
    QCOMPARE(int(w), warnings);
}

void TestThreePhaseModel::linterpWalk_data()
{
    QTest::addColumn<QVector<double>>("search");
    QTest::addColumn<int>("start");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("warnings");
    const QVector<double> t { 0, 1, 2, 3 };
    // Returns 0, 10, 30, 40 at those times.
    QTest::newRow("walks forward") << t << 0 << 2.5 << 35.0 << 2 << 0;
    QTest::newRow("at the first point") << t << 0 << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("on a point") << t << 1 << 2.0 << 30.0 << 1 << 0;
    QTest::newRow("past the end: last segment") << t << 0 << 5.0 << 60.0 << 2 << 0;
    QTest::newRow("behind the start index") << t << 2 << 1.5 << 0.0 << 2 << int(BadTimescale);
    QTest::newRow("one point") << QVector<double> { 0 } << 0 << 7.0 << 0.0 << 0 << 0;
}

void TestThreePhaseModel::linterpWalk()
{
    QFETCH(QVector<double>, search);
    QFETCH(int, start);
    QFETCH(double, x);
    QFETCH(double, value);
    QFETCH(int, index);
    QFETCH(int, warnings);
    const QVector<double> values = QVector<double> { 0, 10, 30, 40 }.mid(0, search.size());
    quint16 w = 0;
    QCOMPARE(linterp(search, values, x, start, w), value);
    QCOMPARE(start, index);
    QCOMPARE(int(w), warnings);
}

// At 600 RPM and 4 cycles per turn the angle turns at 40 Hz; in each sector,
// while the envelope is above the carrier, the outputs take the pattern
// (in Vs) and the back-EMFs the signs of the trapezoid.
void TestThreePhaseModel::sectorTable_data()
{
    QTest::addColumn<int>("commutation");
    QTest::addColumn<int>("sector");
    QTest::addColumn<QVector<double>>("pattern");
    QTest::addColumn<QVector<double>>("emfMid"); // back-EMF / amplitude at mid-sector
    const QVector<QVector<double>> trap { { 0.5, 0, 1 }, { 1, 0, 0.5 }, { 1, 0.5, 0 }, { 0.5, 1, 0 },
        { 0, 1, 0.5 }, { 0, 0.5, 1 } };
    const QVector<QVector<double>> six { { 0, 0, 1 }, { 1, 0, 1 }, { 1, 0, 0 }, { 1, 1, 0 }, { 0, 1, 0 },
        { 0, 1, 1 } };
    const QVector<QVector<double>> emf { { 0, -1, 1 }, { 1, -1, 0 }, { 1, 0, -1 }, { 0, 1, -1 }, { -1, 1, 0 },
        { -1, 0, 1 } };
    for (int s = 0; s < 6; ++s) {
        QTest::addRow("trapezoidal sector %d", s) << 1 << s << trap[s] << emf[s];
        QTest::addRow("six-step sector %d", s) << 2 << s << six[s] << emf[s];
    }
}

void TestThreePhaseModel::sectorTable()
{
    QFETCH(int, commutation);
    QFETCH(int, sector);
    QFETCH(QVector<double>, pattern);
    QFETCH(QVector<double>, emfMid);
    Input in = rpmInput(commutation, false, 600, 90);
    in.startTime = 0;
    in.endTime = 30e-3;
    in.plainStepping = true;
    const pwm part = idealPart();
    Traces tr;
    analyzeThreePhase(in, part, 0.1, &tr);
    const double Ep = 600 * 5e-3;
    int checked = 0;
    for (int j = 0; j < tr.time.size(); ++j) {
        const double angle = std::fmod(tr.angle[j], 2 * M_PI);
        const double within = angle - sector * M_PI / 3;
        if (within < 0.02 || within > M_PI / 3 - 0.02)
            continue;
        if (tr.envelope[j] > tr.carrier[j]) {
            for (int k = 0; k < 3; ++k)
                QCOMPARE(tr.commanded[k][j], pattern[k] * in.Vs);
            ++checked;
        } else {
            for (int k = 0; k < 3; ++k)
                QCOMPARE(tr.commanded[k][j], in.Vs / 2);
        }
        if (std::abs(within - M_PI / 6) < 0.01) {
            for (int k = 0; k < 3; ++k)
                QVERIFY(std::abs(tr.emf[k][j] - emfMid[k] * Ep) < 0.05 * Ep);
        }
    }
    QVERIFY(checked > 100);
}

// Power delivered by the three bridge outputs (sum of V_k i_k over the
// window, from the recorded steps) equals the load power plus the device
// losses: the windings' stored energy comes back over whole periods. Within
// 1 % at plain steps (every 1/100 of a switching period); the long predicted
// steps let the backward-Euler step damp part of the ripple current's stored
// energy, so 5 % there. The predicted steps land on the plain steps' currents.
void TestThreePhaseModel::energyBalance_data()
{
    QTest::addColumn<int>("commutation");
    QTest::addColumn<bool>("delta");
    QTest::addColumn<double>("rpm");
    QTest::addColumn<double>("duty");
    QTest::addColumn<double>("fswKHz");
    QTest::addColumn<bool>("predicted"); // also the predicted steps
    QTest::newRow("sinusoidal, delta") << 0 << true << 600.0 << 75.0 << 1.0 << true;
    QTest::newRow("sinusoidal, wye, 20 kHz") << 0 << false << 600.0 << 75.0 << 20.0 << true;
    QTest::newRow("wye, generating (EMF above the drive)") << 0 << false << 3000.0 << 20.0 << 20.0 << false;
    QTest::newRow("trapezoidal, delta") << 1 << true << 600.0 << 75.0 << 1.0 << true;
    QTest::newRow("six-step, delta, 5 kHz") << 2 << true << 600.0 << 75.0 << 5.0 << true;
}

void TestThreePhaseModel::energyBalance()
{
    QFETCH(int, commutation);
    QFETCH(bool, delta);
    QFETCH(double, rpm);
    QFETCH(double, duty);
    QFETCH(double, fswKHz);
    QFETCH(bool, predicted);
    Input in = rpmInput(commutation, delta, rpm, duty);
    in.FswKHz = fswKHz;
    in.startTime = 50e-3; // whole periods of 40 Hz (or 200 Hz)
    in.endTime = 100e-3;
    Traces tr[2];
    Pass p[2];
    for (int plain = 1; plain >= !predicted; --plain) {
        in.plainStepping = plain;
        p[plain] = analyzeThreePhase(in, idealPart(), 0.1, &tr[plain]);
        QCOMPARE(tr[plain].stride, 1);
        double supplied = 0;
        for (int j = 1; j < tr[plain].time.size(); ++j) {
            const double dt = tr[plain].time[j] - tr[plain].time[j - 1];
            for (int k = 0; k < 3 && tr[plain].time[j] >= in.startTime; ++k)
                supplied
                    += tr[plain].commanded[k][j] * tr[plain].current[k][j] * dt / (in.endTime - in.startTime);
        }
        const double losses = p[plain].conduction + p[plain].wire + p[plain].diode + p[plain].switching;
        QVERIFY(std::abs(p[plain].loadPower) > 0.1);
        QVERIFY2(std::abs(supplied - (p[plain].loadPower + losses))
                < (plain ? 0.01 : 0.05) * std::abs(p[plain].loadPower) + 0.01,
            qPrintable(QStringLiteral("supplied %1, load %2, losses %3")
                           .arg(supplied)
                           .arg(p[plain].loadPower)
                           .arg(losses)));
    }
    if (!predicted)
        return;
    QVERIFY(p[0].steps < p[1].steps);
    QVERIFY(std::abs(p[0].rmsCurrent - p[1].rmsCurrent) < 0.02 * p[1].rmsCurrent);
    const double h = 1e-3 / (100 * fswKHz);
    double worst = 0;
    for (int j = 0; j < tr[0].time.size(); ++j) {
        const int q = qMin(int(std::lround(tr[0].time[j] / h)), tr[1].time.size() - 1);
        for (int k = 0; k < 3; ++k)
            worst = qMax(worst, std::abs(tr[0].current[k][j] - tr[1].current[k][q]));
    }
    QVERIFY2(worst < 0.05 * p[1].peakCurrent, qPrintable(QString::number(worst / p[1].peakCurrent)));
}

// Ron = 0.1 + B T + A T^2. The linear rise settles; with the square the
// losses fall as 1/T^2 above the fixed point (slope -2), so the passes swing
// about it and never meet the 1 % rule: runaway after the most passes.
// Passes are simulated while their steps fit the budget; the rest keep the
// last run's currents and re-evaluate the switch losses. From the first
// guess (85 degC, 0.27 ohm) to the settled junction (about 47 degC, 0.19 ohm)
// the switch moves the 3.6 ohm loop by 2 %, the currents' squares by 4 %, so
// the junction's rise over ambient lands within 5 % of the fully simulated
// loop's; a swinging loop is still declared runaway.
void TestThreePhaseModel::stepBudget_data()
{
    QTest::addColumn<double>("A");
    QTest::addColumn<double>("B");
    QTest::addColumn<double>("heatsink");
    QTest::addColumn<double>("runs"); // the budget in runs' worth of steps
    QTest::addColumn<int>("simulated"); // passes simulated; 0 for all of them
    QTest::newRow("ample budget") << 0.0 << 0.002 << 5.0 << 100.0 << 0;
    QTest::newRow("two runs fit") << 0.0 << 0.002 << 5.0 << 2.5 << 2;
    QTest::newRow("less than one run") << 0.0 << 0.002 << 5.0 << 0.5 << 1;
    QTest::newRow("swings: runaway on one run") << 0.001 << 0.0 << 20.0 << 1.0 << 1;
}

void TestThreePhaseModel::stepBudget()
{
    QFETCH(double, A);
    QFETCH(double, B);
    QFETCH(double, heatsink);
    QFETCH(double, runs);
    QFETCH(int, simulated);
    Input in = rpmInput(Sinusoidal, true, 600, 75);
    in.heatsink = heatsink;
    pwm part = idealPart();
    part.top_A = part.bot_A = A;
    part.top_B = part.bot_B = B;
    const Result full = computeThreePhase(in, part);
    QCOMPARE(full.simulatedPasses, full.iterations);
    QCOMPARE(full.iterations == kMaxPasses, bool(full.warnings & ThermalRunaway));
    QCOMPARE(bool(full.warnings & ThermalRunaway), A > 0);
    QVERIFY(allFinite(full));
    const int steps = full.pass.steps;
    in.stepBudget = runs * steps;
    const Result r = computeThreePhase(in, part);
    QCOMPARE(r.simulatedPasses, simulated ? simulated : r.iterations);
    QVERIFY(r.simulatedPasses < r.iterations || !simulated);
    // One advice line more says that passes were cut.
    const auto advice = [](const Result &x) {
        return std::count_if(
            x.notes.begin(), x.notes.end(), [](const ResultNote &n) { return n.tone == NoteTone::Advice; });
    };
    QCOMPARE(advice(r), advice(full) + (simulated ? 1 : 0));
    QCOMPARE(bool(r.warnings & ThermalRunaway), bool(full.warnings & ThermalRunaway));
    if (!(full.warnings & ThermalRunaway)) {
        QVERIFY2(std::abs(r.Tjunction - full.Tjunction) < 0.05 * (full.Tjunction - 25),
            qPrintable(QStringLiteral("%1 against %2").arg(r.Tjunction).arg(full.Tjunction)));
        QVERIFY(allFinite(r));
    }
}

// With the case held at ambient (no heatsink resistance), the junction is
// ambient plus the package's share of the losses times its resistance.
void TestThreePhaseModel::diodeJunction_data()
{
    QTest::addColumn<double>("diodeTheta");
    QTest::addColumn<int>("outputs");
    QTest::newRow("one junction, one package") << 0.0 << 3;
    QTest::newRow("one junction, three packages") << 0.0 << 1;
    QTest::newRow("separate diode junction") << 30.0 << 3;
}

void TestThreePhaseModel::diodeJunction()
{
    QFETCH(double, diodeTheta);
    QFETCH(int, outputs);
    Input in = rpmInput(Sinusoidal, true, 600, 75);
    pwm part = idealPart();
    part.Rdiode = 2000; // diodes lose much more than switches
    part.Rtheta_DC = 2;
    part.Rtheta_JC_diode = diodeTheta;
    part.outputs = outputs;
    const Result r = computeThreePhase(in, part);
    const double S = r.pass.conduction, D = r.pass.diode;
    QVERIFY(D > S);
    QCOMPARE(r.Tcase, 25.0);
    const double packages = 3 / outputs;
    const double expected
        = diodeTheta > 0 ? 25 + qMax(S * 2, D * diodeTheta) / packages : 25 + (S + D) * 2 / packages;
    QCOMPARE(r.separateDiodeJunction, diodeTheta > 0);
    QVERIFY(std::abs(r.Tjunction - expected) < 1e-9);
}

void TestThreePhaseModel::badInput_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<bool>("simulated");
    QTest::addColumn<int>("warning");
    QTest::newRow("Fsw negative") << Edit([](Input &in) { in.FswKHz = -3; }) << false << 0;
    QTest::newRow("R negative") << Edit([](Input &in) { in.motor.R = -1; }) << false << 0;
    QTest::newRow("poles 0") << Edit([](Input &in) { in.motor.nPoles = 0; }) << false << 0;
    QTest::newRow("linear stroke 0") << Edit([](Input &in) {
        in.motor.isLinear = true, in.motor.cycleLength = 0;
    }) << false << 0;
    QTest::newRow("too many steps") << Edit([](Input &in) { in.FswKHz = 10000; }) << false << 0;
    // The end moves to a start after it, so an open start is too long a run.
    QTest::newRow("start open, after the end")
        << Edit([](Input &in) { in.startTime = 4294967295.0; }) << false << 0;
    QTest::newRow("supply near the largest number") << Edit([](Input &in) { in.Vs = -1e308; }) << false << 0;
    QTest::newRow("back-EMF near the largest number")
        << Edit([](Input &in) { in.motor.Vemf = -1e308; }) << false << 0;
    QTest::newRow("ambient beyond any junction") << Edit([](Input &in) { in.ambient = 1e300; }) << false << 0;
    QTest::newRow("end before start")
        << Edit([](Input &in) { in.endTime = 10e-3; }) << true << int(BadTimescale);
    QTest::newRow("Vs 0") << Edit([](Input &in) { in.Vs = 0; }) << true << int(VsTooLow);
    QTest::newRow("repeated times") << Edit([](Input &in) {
        in.motor.controlType = 1, in.motor.times = { 0, 1, 1, 2 }, in.motor.amplitudes = { 0, 600, 300, 0 };
    }) << true << int(BadTimescale);
    QTest::newRow("ratio 0") << Edit([](Input &in) {
        in.motor.controlVariable = 2, in.motor.constantVariable = 1, in.motor.constantAmplitude = 0;
    }) << true << 0;
    QTest::newRow("R and L 0") << Edit([](Input &in) { in.motor.R = 0, in.motor.L = 0; }) << true << 0;
}

void TestThreePhaseModel::badInput()
{
    QFETCH(Edit, edit);
    QFETCH(bool, simulated);
    QFETCH(int, warning);
    Input in = rpmInput(Sinusoidal, true, 600, 75);
    edit(in);
    QElapsedTimer timer;
    timer.start();
    const Result r = computeThreePhase(in, idealPart());
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(r.simulated, simulated);
    QVERIFY(!r.notes.isEmpty());
    if (warning)
        QVERIFY(r.warnings & warning);
    QVERIFY(allFinite(r));
}

QTEST_GUILESS_MAIN(TestThreePhaseModel)
#include "test_threephasemodel.moc"
