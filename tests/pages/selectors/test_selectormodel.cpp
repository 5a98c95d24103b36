#include <QtTest>
#include <cmath>
#include <limits>

#include "pages/selectors/selectormodel.h"
#include "tests/rowtable.h"

using namespace SelectorModel;

Q_DECLARE_METATYPE(SelectorModel::Match)

namespace {

// A single-boost-option linear part: swing drop A*I^2 + B*I + C per rail.
amp linearPart(const QString &name, double vss, double iCont, int channels, double slew, double pbw, double c,
    double b, double a, double price)
{
    amp p;
    p.ampName = name;
    p.Vss_max = vss;
    p.I_cont = iCont;
    p.channels = channels;
    p.Pd_max = QVector<double>(channels, 40);
    p.Iq_max = 25;
    p.slewRate = { slew };
    p.PBW = pbw;
    p.boostOptions = 0;
    p.VswingC = { c };
    p.VswingB = { b };
    p.VswingA = { a };
    p.relative_price = price;
    p.packageStyle = QStringLiteral("TO3-8");
    return p;
}

pwm pwmPart(const QString &name, double vs, double iCont, double iPeak, double fswMax, double price)
{
    pwm p;
    p.ampName = name;
    p.Vs_max = vs;
    p.I_cont = iCont;
    p.I_pk = iPeak;
    p.Fsw_max = fswMax;
    p.relative_price = price;
    return p;
}

const QVector<PackageStyle> kPackages
    = { { QStringLiteral("TO3-8"), QStringLiteral("TO-3"), QStringLiteral("8-pin TO-3") } };

LinearRequirements linearReq(
    double I, double V, double SR, int relax, bool bridge, bool parallel, int maxParallel)
{
    LinearRequirements r;
    r.current = I;
    r.vpp = V;
    r.slewRate = SR;
    r.relax = relax;
    r.bridge = bridge;
    r.parallel = parallel;
    r.maxParallel = maxParallel;
    return r;
}

PwmRequirements pwmReq(double I, double V, double f, int relax, bool parallel, int maxParallel)
{
    PwmRequirements r;
    r.current = I;
    r.voltage = V;
    r.frequency = f;
    r.relax = relax;
    r.parallel = parallel;
    r.maxParallel = maxParallel;
    return r;
}

// 5 A parts, drop 3 + 0.2 I + 0.01 I^2 per rail, 10 V/us, 10 A at 40 Vp-p and 2 V/us.
// Two share the current: swing 100 - 2 (3 + 1 + 0.25) = 91.5 -> 91, bandwidth
// min(10e3 / 3.14159 / 40 = 79, PBW 50) / 2 = 25, slew 5, current 10. Three of a
// dual part need two packages: 12 A, swing 100 - 2 (3 + 0.8 + 0.16) = 92.08.
// Paralleling halves the slew rate: 10 V/us parts cannot share 6 V/us.
const amp kPA1 = linearPart("PA1", 100, 5, 1, 10, 50, 3, 0.2, 0.01, 20);
const amp kPA2 = linearPart("PA2", 100, 5, 2, 10, 51, 3, 0.2, 0.01, 30);
// Swing 49 - 2 * 2 = 45 V against 50 Vp-p: 90 % of the requirement; bandwidth
// 10e3 / 3.14159 / 50 = 63.66 -> 63. A bridge doubles swing, slew rate and
// bandwidth, a single-channel bridge costs two parts, and needs half the swing.
const amp kSW1 = linearPart("SW1", 49, 3, 1, 10, 100, 2, 0, 0, 12.5);
const amp kSW2 = linearPart("SW2", 49, 3, 2, 10, 100, 2, 0, 0, 18);
// 4.5 A against 5 A marks the current; 9 V/us against 10 marks slew rate and
// bandwidth (9e3 / 3.14159 / 50 = 57.3). The tool's pi: 3.1415915708 V/us at
// 1 Vp-p gives 1000.0005 kHz with 3.14159 (999.9997 with the exact pi). The
// VR537 keeps Vss - 20 at any current, also in parallel.
const amp kCU1 = linearPart("CU1", 100, 4.5, 1, 10, 100, 2, 0, 0, 10);
const amp kSL1 = linearPart("SL1", 100, 5, 1, 9, 100, 2, 0, 0, 10);
const amp kPI1 = linearPart("PI1", 100, 5, 1, 3.14159 * 1.0000005, 2000, 0, 0, 0, 10);
const amp kVR = linearPart("VR537", 1000, 0.06, 1, 30, 50, 30, 100, 100, 52);

struct LinearCase {
    const char *tag;
    amp part;
    LinearRequirements req;
    Match match;
    const char *name;
    double current;
    int swing;
    double slew;
    int bandwidth;
    double price;
    QVector<int> marked;
} const kLinear[] = {
    { "10 A on 5 A, parallel up to 3", kPA1, linearReq(10, 40, 2, 20, false, true, 3), Match::Parallel,
        "PA1-PARALLEL (2)", 10, 91, 5, 25, 40, {} },
    { "10 A on dual 5 A, parallel up to 3", kPA2, linearReq(10, 40, 2, 20, false, true, 3), Match::Parallel,
        "PA2-PARALLEL (2)", 10, 91, 5, 25, 30, {} },
    { "12 A on dual 5 A, three in parallel", kPA2, linearReq(12, 40, 2, 20, false, true, 3), Match::Parallel,
        "PA2-PARALLEL (3)", 15, 92, 5, 25, 60, {} },
    { "10 A on 5 A, parallel up to 1", kPA1, linearReq(10, 40, 2, 20, false, true, 1), Match::Hidden, "PA1",
        5, 88, 10, 50, 20, {} },
    { "10 A on 5 A, parallel not shown", kPA1, linearReq(10, 40, 2, 20, false, false, 3), Match::Hidden,
        "PA1", 5, 88, 10, 50, 20, {} },
    { "parallel needs twice the slew rate", kPA1, linearReq(10, 40, 6, 20, false, true, 3), Match::Hidden,
        "PA1", 5, 88, 10, 50, 20, {} },
    { "90 % swing, relax 20", kSW1, linearReq(1, 50, 0, 20, false, false, 3), Match::Close, "SW1", 3, 45, 10,
        63, 12.5, { 1, 5 } },
    { "90 % swing, relax 5", kSW1, linearReq(1, 50, 0, 5, false, false, 3), Match::Hidden, "SW1", 3, 45, 10,
        63, 12.5, {} },
    { "bridge, single channel", kSW1, linearReq(1, 50, 0, 5, true, true, 3), Match::Bridge, "SW1-BRIDGE", 3,
        90, 20, 126, 25, {} },
    { "bridge, dual channel", kSW2, linearReq(1, 50, 0, 5, true, false, 3), Match::Bridge, "SW2-BRIDGE", 3,
        90, 20, 126, 18, {} },
    { "bridge swing too small", kSW1, linearReq(1, 100, 0, 5, true, false, 3), Match::Hidden, "SW1", 3, 45,
        10, 31, 12.5, {} },
    { "current close", kCU1, linearReq(5, 50, 0, 20, false, false, 3), Match::Close, "CU1", 4.5, 96, 10, 63,
        10, { 1, 4 } },
    { "slew close", kSL1, linearReq(1, 50, 10, 20, false, false, 3), Match::Close, "SL1", 5, 96, 9, 57, 10,
        { 1, 6, 7 } },
    { "pi as 3.14159", kPI1, linearReq(0, 1, 0, 20, false, false, 3), Match::Full, "PI1", 5, 100,
        3.14159 * 1.0000005, 1000, 10, {} },
    { "VR537 swing", kVR, linearReq(0.05, 900, 0, 0, false, false, 3), Match::Full, "VR537", 0.06, 980, 30,
        10, 52, {} },
    { "VR537 parallel", kVR, linearReq(0.1, 900, 0, 0, false, true, 3), Match::Parallel, "VR537-PARALLEL (2)",
        0.12, 980, 15, 5, 104, {} },
};

// 30 kHz against a 200 kHz part (limit 20 kHz): 30 x 0.7 = 21 misses, 30 x 0.65 =
// 19.5 passes. Elements of 0.1 ohm each at 25 degC and 1.5 V drops give 97 - 0.2 I:
// 10 A on 4 A parts takes three in parallel, 97 - 0.2 x 10 / 3 = 96.33 -> 96 at three
// times the price; paralleled parts need the frequency only within the relax
// (12 x 0.8 = 9.6 of 10 kHz) but still the voltage (96 < 97); 4 A parts at 4.5 A
// reach 97 - 0.9 = 96 V of 100 V: close, marks current and voltage.
const pwm kFast = pwmPart("TZF", 100, 10, 15, 200, 24);
pwm sharedPart()
{
    pwm p = pwmPart("TZP", 100, 4, 6, 100, 7.25);
    p.top_B = p.bot_B = 0.001;
    p.top_C = p.bot_C = 0.075;
    p.top_V = p.bot_V = 1.5;
    p.outputs = 2;
    return p;
}
const pwm kShared = sharedPart();

struct PwmCase {
    const char *tag;
    pwm part;
    PwmRequirements req;
    Match match;
    const char *name;
    int voltage;
    double current, peak, price;
    QVector<int> marked;
} const kPwm[] = {
    { "all zero", kFast, pwmReq(0, 0, 0, 20, false, 3), Match::Full, "TZF", 100, 10, 15, 24, {} },
    { "30 kHz, relax 30", kFast, pwmReq(5, 50, 30, 30, true, 3), Match::Hidden, "TZF", 100, 10, 15, 24, {} },
    { "30 kHz, relax 35", kFast, pwmReq(5, 50, 30, 35, true, 3), Match::Close, "TZF", 100, 10, 15, 24,
        { 1, 7, 8 } },
    { "20 kHz is the limit", kFast, pwmReq(5, 50, 20, 0, false, 3), Match::Full, "TZF", 100, 10, 15, 24, {} },
    { "three in parallel", kShared, pwmReq(10, 60, 5, 20, true, 3), Match::Parallel, "TZP-PARALLEL (3)", 96,
        12, 18, 21.75, {} },
    { "parallel, relaxed frequency", kShared, pwmReq(10, 60, 12, 20, true, 3), Match::Parallel,
        "TZP-PARALLEL (3)", 96, 12, 18, 21.75, {} },
    { "parallel up to 2", kShared, pwmReq(10, 60, 5, 20, true, 2), Match::Hidden, "TZP", 95, 4, 6, 7.25, {} },
    { "parallel count 0", kShared, pwmReq(10, 60, 5, 20, true, 0), Match::Hidden, "TZP", 95, 4, 6, 7.25, {} },
    { "parallel voltage short", kShared, pwmReq(10, 97, 5, 0, true, 3), Match::Hidden, "TZP", 95, 4, 6, 7.25,
        {} },
    { "current and voltage close", kShared, pwmReq(4.5, 100, 5, 20, false, 3), Match::Close, "TZP", 96, 4, 6,
        7.25, { 1, 4, 6 } },
};

QVector<int> sorted(QVector<int> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

struct RowSuffixes {
    const char *tag;
    QString text;
    QString linear;
    QString parallelOnly;
} const kSuffixes[] = {
    { "plain", "QX300", "QX300", "QX300" },
    { "bridge", "QX300-BRIDGE", "QX300", "QX300-BRIDGE" },
    { "parallel", "QX300-PARALLEL (2)", "QX300", "QX300" },
    { "parallel ten", "QX300-PARALLEL (10)", "QX300", "QX300" },
    { "dash in name", "TZ636-2", "TZ636-2", "TZ636-2" },
    { "dash and parallel", "TZ636-2-PARALLEL (3)", "TZ636-2", "TZ636-2" },
    { "no count", "QX300-PARALLEL ()", "QX300-PARALLEL ()", "QX300-PARALLEL ()" },
    { "empty", "", "", "" },
};

class TestSelectorModel : public QObject {
    Q_OBJECT

private slots:
    void wholeNumbers_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("positive") << 94.8 << 94;
        QTest::newRow("negative toward zero") << -0.6 << 0;
        QTest::newRow("negative") << -2.9 << -2;
        QTest::newRow("nan") << std::nan("") << 0;
        QTest::newRow("huge") << 1e30 << std::numeric_limits<int>::max();
        QTest::newRow("huge negative") << -1e30 << std::numeric_limits<int>::min();
    }
    void wholeNumbers()
    {
        QFETCH(double, x);
        QFETCH(int, expected);
        QCOMPARE(wholeNumber(x), expected);
    }

    void slewRateAndFrequency()
    {
        // 100 kHz at 10 Vp-p: pi * 100e3 * 10 V/s = 3.14159 V/us with the tool's pi.
        QCOMPARE(slewRateFromFrequency(100, 10), 3.14159);
        QCOMPARE(frequencyFromSlewRate(6.28318, 10), 200.0);
        QCOMPARE(sixDigits(slewRateFromFrequency(100, 10)), QStringLiteral("3.14159"));
        QCOMPARE(sixDigits(1234567), QStringLiteral("1.23457e+06"));
        // A zero swing leaves the frequency undefined: a dash, never "inf" or "nan".
        QCOMPARE(sixDigits(frequencyFromSlewRate(5, 0)), QStringLiteral("\u2014"));
        QCOMPARE(sixDigits(slewRateFromFrequency(1e308, 0)), QStringLiteral("\u2014"));
    }

    void suffixes_data() { addRows(kSuffixes); }
    void suffixes()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, text, linear, parallelOnly] = kSuffixes[rowNumber];
        QCOMPARE(removeLinearSuffix(text), linear);
        QCOMPARE(removeParallelSuffix(text), parallelOnly);
    }

    void linearTableFill()
    {
        // Swing at zero current: 100 - 2 * 2.6 = 94.8 -> 94; bandwidth PBW 40.7 -> 40.
        const amp a = linearPart("QX1", 100, 5, 1, 10, 40.7, 2.6, 0.5, 0.1, 12);
        const LinearRow row = linearTableRow(a, 3, kPackages);
        QCOMPARE(row.swing, 94);
        QCOMPARE(row.bandwidth, 40);
        QCOMPARE(row.package, QStringLiteral("TO-3"));
        QCOMPARE(row.dissipation, 40.0);
        // The VR537 drops 20 V whatever its swing coefficients.
        QCOMPARE(
            linearTableRow(linearPart("VR537A", 1200, 0.06, 1, 30, 50, 40, 0, 0, 52), 0, kPackages).swing,
            1180);
        // A part with no swing or slew-rate entries reads them as 0 instead of past the end.
        amp bare;
        bare.Vss_max = 30;
        const LinearRow b = linearTableRow(bare, 0, kPackages);
        QCOMPARE(b.swing, 30);
        QCOMPARE(b.slewRate, 0.0);
        QCOMPARE(b.package, QStringLiteral("-"));
    }

    void allZero()
    {
        const QVector<amp> parts = {
            linearPart("QX1", 100, 5, 1, 10, 40.7, 2.6, 0.5, 0.1, 12),
            linearPart("QX2", 10, 1, 1, 1, 5, 5.3, 0, 0, 3), // swing -0.6 truncates to 0
            linearPart("VR537", 1000, 0.06, 1, 30, 50, 30, 1, 1, 52),
        };
        const QVector<LinearRow> rows
            = eliminateLinearCatalog(parts, kPackages, linearReq(0, 0, 0, 20, false, false, 3));
        QCOMPARE(rows.size(), 3);
        for (const LinearRow &r : rows) {
            QCOMPARE(r.match, Match::Full);
            QVERIFY(r.marked.isEmpty());
            QVERIFY(r.suffix.isEmpty());
        }
        QCOMPARE(rows[1].swing, 0);
        QCOMPARE(rows[2].swing, 980);
        QCOMPARE(priceOrder(rows), QVector<int>({ 1, 0, 2 }));
    }

    void linearDecisions_data() { addRows(kLinear); }
    void linearDecisions()
    {
        FETCH_ROW(kLinear);
        const LinearRow row = eliminateLinear(r.part, 7, kPackages, r.req);
        QCOMPARE(row.match, r.match);
        QCOMPARE(row.name, QString(r.name));
        QCOMPARE(row.current, r.current);
        QCOMPARE(row.swing, r.swing);
        QCOMPARE(row.slewRate, r.slew);
        QCOMPARE(row.bandwidth, r.bandwidth);
        QCOMPARE(row.price, r.price);
        QCOMPARE(sorted(row.marked), r.marked);
    }

    void unratedPart()
    {
        // A part rated for no current never shares one, and a huge current does not overflow.
        const amp none = linearPart("NO1", 100, 0, 1, 10, 100, 2, 0, 0, 10);
        QCOMPARE(eliminateLinear(none, 0, kPackages, linearReq(1, 0, 0, 20, false, true, 10)).match,
            Match::Hidden);
        QCOMPARE(
            eliminateLinear(none, 0, kPackages, linearReq(0, 0, 0, 20, false, true, 10)).match, Match::Full);
        const amp big = linearPart("BIG", 100, 5, 1, 10, 100, 2, 1, 1, 10);
        QCOMPARE(eliminateLinear(big, 0, kPackages, linearReq(4294967295.0, 0, 0, 20, true, true, 10)).match,
            Match::Hidden);
    }

    void bridgeReordersByPrice()
    {
        // A bridged single-channel part at 2 x 12.5 moves behind a 20 full match; equal
        // prices stay in catalog order.
        const QVector<amp> parts = {
            linearPart("SW1", 49, 3, 1, 10, 100, 2, 0, 0, 12.5), // bridge, 25
            linearPart("FULL1", 100, 3, 1, 10, 100, 2, 0, 0, 20), // full, 20
            linearPart("FULL2", 100, 3, 1, 10, 100, 2, 0, 0, 25), // full, 25
            linearPart("FULL3", 100, 3, 1, 10, 100, 2, 0, 0, 20), // full, 20
            linearPart("LOW", 20, 3, 1, 10, 100, 2, 0, 0, 1), // hidden
        };
        const QVector<LinearRow> rows
            = eliminateLinearCatalog(parts, kPackages, linearReq(1, 50, 0, 5, true, false, 3));
        QCOMPARE(rows[0].match, Match::Bridge);
        QCOMPARE(rows[4].match, Match::Hidden);
        QCOMPARE(priceOrder(rows), QVector<int>({ 1, 3, 0, 2 }));
    }

    void pwmTableFill()
    {
        pwm p = pwmPart("TZ1", 100, 10, 15, 200, 24);
        p.top_V = 1.5;
        p.bot_V = 1.2;
        p.outputs = 3;
        p.Pd_max = 80;
        const PwmRow row = pwmTableRow(p, 2, kPackages);
        QCOMPARE(row.voltage, 97); // 100 - 1.5 - 1.2 = 97.3
        QCOMPARE(row.bandwidth, 20.0);
        QCOMPARE(row.dissipation, 80.0);
        QCOMPARE(onResistanceAt25(0.0001, 0.001, 0.05), 0.0625 + 0.025 + 0.05);
    }

    void pwmDecisions_data() { addRows(kPwm); }
    void pwmDecisions()
    {
        FETCH_ROW(kPwm);
        const PwmRow row = eliminatePwm(r.part, 4, kPackages, r.req);
        QCOMPARE(row.match, r.match);
        QCOMPARE(row.name, QString(r.name));
        QCOMPARE(row.voltage, r.voltage);
        QCOMPARE(row.current, r.current);
        QCOMPARE(row.peakCurrent, r.peak);
        QCOMPARE(row.price, r.price);
        QCOMPARE(row.fswMax, r.part.Fsw_max);
        QCOMPARE(row.bandwidth, r.part.Fsw_max / 10);
        QCOMPARE(sorted(row.marked), r.marked);
    }

    void pwmPriceOrder()
    {
        const QVector<pwm> parts = { pwmPart("A", 100, 10, 15, 200, 24), pwmPart("B", 100, 2, 3, 200, 5),
            pwmPart("C", 100, 10, 15, 200, 12), pwmPart("D", 100, 10, 15, 200, 24) };
        // 5 A: B needs three (15), C and A and D are full matches.
        const QVector<PwmRow> rows = eliminatePwmCatalog(parts, kPackages, pwmReq(5, 10, 1, 0, true, 3));
        QCOMPARE(rows[1].name, QStringLiteral("B-PARALLEL (3)"));
        QCOMPARE(priceOrder(rows), QVector<int>({ 2, 1, 0, 3 }));
    }
};

QTEST_GUILESS_MAIN(TestSelectorModel)
#include "test_selectormodel.moc"
