#include <QtTest>

#include <cmath>

#include "pages/stability/autocompensate.h"
#include "values/sivalues.h"

namespace {

// An amplifier with `options` compensation options; option i has its first
// pole lowered by 4^i (more compensation, more margin, less bandwidth).
amp amplifier(double aol, double p1, double p2, double p3, double zout, int options = 1)
{
    amp a;
    a.ampName = QStringLiteral("TEST");
    a.CircuitType = QStringLiteral("normal");
    a.Aol_DC = aol;
    a.Zout = zout;
    a.SROptions = options;
    for (int i = 0; i < options; ++i) {
        a.pole1.append(p1 / std::pow(4.0, i));
        a.pole2.append(p2);
        a.pole3.append(p3);
        a.slewRate.append(10);
        a.Ccomp.append(10 * (i + 1));
        a.Rcomp.append(0);
    }
    return a;
}

// A part much like a mid-range power op-amp with two options.
amp powerAmp()
{
    amp a = amplifier(112, 30.14, 3e6, 2.5e7, 10, 2);
    a.pole1[1] = 6.113;
    return a;
}

LoopInput input(const amp &a, const QString &cload, bool inverting = true)
{
    LoopInput in;
    in.amplifier = a;
    in.parts.CLoadStab = cload;
    in.inverting = inverting;
    return in;
}

LoopResult evaluate(const LoopInput &in, const StabSearchResult &r, StabLoad load, bool composite)
{
    LoopInput applied = in;
    applied.parts = r.parts;
    applied.option = r.option;
    return evaluateLoop(applied, load, composite, false);
}

// Whether the text is one the sweep writes: formatSI of start * step^j, j < count.
bool isSweepValue(const QString &text, double start, double step, int count)
{
    for (int j = 0; j < count; ++j)
        if (text == formatSI(start * std::pow(step, j), QString()))
            return true;
    return false;
}

} // namespace

class TestAutoCompensate : public QObject {
    Q_OBJECT
private slots:

    void targets_data()
    {
        QTest::addColumn<int>("slider");
        QTest::addColumn<double>("target");
        QTest::newRow("0") << 0 << 75.0;
        QTest::newRow("4") << 4 << 35.0;
    }

    void targets()
    {
        QFETCH(int, slider);
        QFETCH(double, target);
        QCOMPARE(stabTargetMargin(slider), target);
    }

    // With the slider at 4 nothing relaxes, so the count of model runs is one
    // evaluation of the neutral texts plus, for every option, the neutral trial, 86
    // C_FB values, in the inverting case 18 x 18 + 12 x 12 x 10 noise-gain trials,
    // and 49 R_ISO values from Zout/100 up to Zout.
    void optionsTried_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<bool>("inverting");
        QTest::addColumn<int>("runs");
        QTest::newRow("one option, non-inverting") << 1 << false << 1 + 136;
        QTest::newRow("one option, inverting") << 1 << true << 1 + 1900;
        QTest::newRow("four options, inverting") << 4 << true << 1 + 4 * 1900;
    }

    void optionsTried()
    {
        QFETCH(int, options);
        QFETCH(bool, inverting);
        QFETCH(int, runs);
        LoopInput in = input(amplifier(110, 20, 3e6, 2e7, 10, options), "1u", inverting);
        in.option = options - 1;
        const StabSearchResult r = autoC(in, 4);
        QCOMPARE(r.modelRuns, runs);
        QVERIFY(r.option >= 0 && r.option < options);
        if (options == 1)
            QCOMPARE(r.option, 0);
    }

    void unstableLoadComesOutStable()
    {
        const LoopInput in = input(powerAmp(), "1u");
        QCOMPARE(plotCBodeData(in, false).verdictNote.text, QStringLiteral("UNSTABLE"));
        const StabSearchResult r = autoC(in, 2);
        QVERIFY(r.accepted);
        QCOMPARE(r.slider, 2);
        const LoopResult after = evaluate(in, r, StabLoad::Capacitive, false);
        QVERIFY(after.phaseMargin > 55);
        QCOMPARE(after.verdictNote.text, QStringLiteral("STABLE"));
        // The result is exactly the trial the search scored.
        QCOMPARE(after.phaseMargin, r.bestPM);
        QCOMPARE(after.maxBandwidth, r.bestBW);
        // Every varied text is neutral, zero, or a value of its sweep.
        QVERIFY(r.parts.RisoC == "short" || isSweepValue(r.parts.RisoC, 0.1, 1.1, 49));
        QVERIFY(r.parts.CfbC == "open" || r.parts.CfbC == formatSI(0, QString())
            || isSweepValue(r.parts.CfbC, 3e-12, 1.1, 86) || isSweepValue(r.parts.CfbC, 3e-12, 2, 12));
        // Parts the search does not vary are left alone.
        QCOMPARE(r.parts.CLoadStab, QStringLiteral("1u"));
        QCOMPARE(r.parts.RfbC, QStringLiteral("20k"));
    }

    // An independent walk over the single-part sweeps with every option: none of
    // them may beat the chosen bandwidth while meeting the target.
    void noWiderTrialMeetsTarget()
    {
        LoopInput in = input(powerAmp(), "100n", false);
        const StabSearchResult r = autoC(in, 2);
        QVERIFY(r.accepted);
        QVERIFY(r.bestPM > 55);
        for (int option = 0; option < 2; ++option) {
            LoopInput trial = in;
            trial.option = option;
            trial.parts.CngC = "open";
            trial.parts.RngC = "short";
            trial.parts.RisoC = "short";
            for (int j = 0; j <= 85; ++j) {
                trial.parts.CfbC = formatSI(3e-12 * std::pow(1.1, j), QString());
                const LoopResult t = plotCBodeData(trial, false);
                if (t.phaseMargin > 55)
                    QVERIFY2(t.maxBandwidth <= r.bestBW, qPrintable(trial.parts.CfbC));
            }
            trial.parts.CfbC = trial.parts.CngC = trial.parts.RngC = "0";
            for (double riso = 0.1; riso < 10; riso *= 1.1) {
                trial.parts.RisoC = formatSI(riso, QString());
                const LoopResult t = plotCBodeData(trial, false);
                if (t.phaseMargin > 55)
                    QVERIFY2(t.maxBandwidth <= r.bestBW, qPrintable(trial.parts.RisoC));
            }
        }
    }

    // Aol 100 dB with poles at 10 Hz, 100 Hz and 10 kHz: inverting, the noise-gain
    // sweep wins; non-inverting, R_NG and C_NG keep their neutral texts and only C_FB
    // moves.
    void nonInvertingKeepsNoiseGainNeutral()
    {
        const amp a = amplifier(100, 10, 100, 1e4, 0);
        const StabSearchResult inv = autoC(input(a, "0", true), 4);
        QVERIFY(inv.accepted);
        QVERIFY(isSweepValue(inv.parts.RngC, 10, 1.3, 18) || isSweepValue(inv.parts.RngC, 10, 1.5, 12));
        const StabSearchResult non = autoC(input(a, "0", false), 4);
        QVERIFY(non.accepted);
        QCOMPARE(non.parts.RngC, QStringLiteral("short"));
        QCOMPARE(non.parts.CngC, QStringLiteral("open"));
        QVERIFY(isSweepValue(non.parts.CfbC, 3e-12, 1.1, 86));
        QCOMPARE(non.modelRuns, 1 + 1 + 86); // no noise-gain trials, and Zout 0 gives no R_ISO trial
    }

    // Poles at 10 Hz and 100 Hz: no trial reaches 75, 65 or 55 degrees, one reaches
    // 45. The search relaxes from slider 0 to 3, and what the relaxed run found is
    // the answer (not the untouched texts of the first run).
    void relaxedResultStands()
    {
        const LoopInput in = input(amplifier(100, 10, 100, 1e12, 0), "0", false);
        const StabSearchResult r = autoC(in, 0);
        QCOMPARE(r.slider, 3);
        QVERIFY(r.accepted);
        QVERIFY(r.bestPM > 45 && r.bestPM <= 55);
        QVERIFY(r.parts.CfbC != "open");
        const LoopResult after = evaluate(in, r, StabLoad::Capacitive, false);
        QCOMPARE(after.phaseMargin, r.bestPM);
        // A search started at 3 finds the same; the relaxed runs added their model runs.
        const StabSearchResult direct = autoC(in, 3);
        QCOMPARE(direct.parts.CfbC, r.parts.CfbC);
        QCOMPARE(direct.option, r.option);
        QCOMPARE(r.modelRuns, 4 * direct.modelRuns);
    }

    // Three poles below 50 Hz with 160 dB of gain: nothing reaches even 35 degrees.
    // The slider ends at 4 and the neutral texts with option 0 are written back.
    void failureAt35Degrees()
    {
        amp a = amplifier(160, 10, 20, 40, 0, 2);
        LoopInput in = input(a, "0");
        in.option = 1;
        in.parts.CfbC = "100p";
        in.parts.RngC = "1k";
        const StabSearchResult r = autoC(in, 0);
        QCOMPARE(r.slider, 4);
        QVERIFY(!r.accepted);
        QCOMPARE(r.option, 0);
        QCOMPARE(r.parts.CngC, QStringLiteral("open"));
        QCOMPARE(r.parts.RngC, QStringLiteral("short"));
        QCOMPARE(r.parts.CfbC, QStringLiteral("open"));
        QCOMPARE(r.parts.RisoC, QStringLiteral("short"));
        QCOMPARE(r.modelRuns, 5 * (1 + 2 * (1 + 86 + 324 + 1440)));
    }

    void inductiveSearch()
    {
        LoopInput in = input(powerAmp(), "0");
        in.parts.LLoadStab = "10m";
        QCOMPARE(plotLBodeData(in, false).verdictNote.text, QStringLiteral("UNSTABLE"));
        const StabSearchResult r = autoL(in, 2);
        QVERIFY(r.accepted);
        QCOMPARE(r.modelRuns, 1 + 2 * (1 + 27 * 27));
        const LoopResult after = evaluate(in, r, StabLoad::Inductive, false);
        QVERIFY(after.phaseMargin > 55);
        QCOMPARE(after.maxBandwidth, r.bestBW);
        QVERIFY(r.parts.RdL == "short" || isSweepValue(r.parts.RdL, 100, 1.3, 27));
        QVERIFY(r.parts.CfbL == "open" || isSweepValue(r.parts.CfbL, 1e-9, 1.3, 27));
        // The capacitive parts are not touched.
        QCOMPARE(r.parts.CfbC, in.parts.CfbC);
    }

    // The composite searches keep the option and try only it: one neutral
    // evaluation, the neutral trial and 86 HOST C_FB values, plus, inverting and
    // capacitive, 18 x 18 and 12 x 12 x 18 host noise-gain trials.
    void compositeSearches_data()
    {
        QTest::addColumn<bool>("capacitive");
        QTest::addColumn<bool>("inverting");
        QTest::addColumn<int>("runs");
        QTest::newRow("capacitive, non-inverting") << true << false << 88;
        QTest::newRow("capacitive, inverting") << true << true << 88 + 324 + 2592;
        QTest::newRow("inductive") << false << true << 88;
    }

    void compositeSearches()
    {
        QFETCH(bool, capacitive);
        QFETCH(bool, inverting);
        QFETCH(int, runs);
        LoopInput in = input(amplifier(110, 20, 3e6, 2e7, 5, 3), "0", inverting);
        in.option = 2;
        in.host = { 110, 10, 1e6, 1e7 };
        const StabSearchResult r = capacitive ? autoCcomposite(in, 4) : autoLcomposite(in, 4);
        QCOMPARE(r.option, 2);
        QCOMPARE(r.modelRuns, runs);
        if (!inverting) {
            QCOMPARE(r.parts.hostRng, QStringLiteral("short"));
            QCOMPARE(r.parts.hostCng, QStringLiteral("open"));
        }
        if (r.accepted)
            QCOMPARE(
                evaluate(in, r, capacitive ? StabLoad::Capacitive : StabLoad::Inductive, true).maxBandwidth,
                r.bestBW);
    }

    void compositeCapacitiveTunesPowerStageNonInverting()
    {
        LoopInput in = input(powerAmp(), "1u", true);
        in.host = { 110, 10, 1e6, 1e7 };
        const StabSearchResult r = autoStabilize(in, StabLoad::Capacitive, true, 2);
        // The power stage search ran non-inverting: no noise-gain value on the power stage.
        QVERIFY(r.parts.RngC == "short" || r.parts.RngC == formatSI(0, QString()));
        QVERIFY(r.parts.CngC == "open" || r.parts.CngC == formatSI(0, QString()));
        // Power-stage search (non-inverting, two options) plus the inverting composite one.
        QCOMPARE(r.modelRuns, (1 + 2 * 136) + (88 + 324 + 2592));
        // The power stage alone, as the search left it, meets the target.
        LoopInput power = in;
        power.parts = r.parts;
        power.option = r.option;
        power.inverting = false;
        QVERIFY(plotCBodeData(power, false).phaseMargin > 55);
    }
};

QTEST_GUILESS_MAIN(TestAutoCompensate)
#include "test_autocompensate.moc"
