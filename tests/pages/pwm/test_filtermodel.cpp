#include <QtTest>

#include <cmath>
#include <complex>

#include "pages/pwm/filtermodel.h"
#include "pages/pwm/filternetwork.h"

Q_DECLARE_METATYPE(FilterInput)
Q_DECLARE_METATYPE(FilterTopology)
Q_DECLARE_METATYPE(networkElement)

namespace {

constexpr double kTwoPi = 6.283185307179586;
using cplx = std::complex<double>;

FilterInput input(double Vs, double fsw, double fc, double Vrip, double RL, int order, FilterTopology t)
{
    FilterInput in;
    in.Vs = Vs;
    in.fsw = fsw;
    in.fc = fc;
    in.Vrip = Vrip;
    in.RL = RL;
    in.order = order;
    in.topology = t;
    return in;
}

bool finite(const FilterResult &r)
{
    for (double x : { r.L[0], r.L[1], r.L[2], r.C[0], r.C[1], r.C[2], r.drawnL[0], r.drawnC[0] })
        if (!std::isfinite(x))
            return false;
    return true;
}

// Voltage across R at the end of a series-L / shunt-C ladder driven by 1 V,
// worked backwards from the load: the test's own ladder, not the model's.
double ladderGain(
    const std::array<double, 3> &L, const std::array<double, 3> &C, int order, double R, double w)
{
    cplx v(1), i(1.0 / R);
    for (int k = order; k >= 1; --k) {
        const size_t stage = size_t((k - 1) / 2);
        if (k % 2 == 0)
            i += v * cplx(0, w * C[stage]);
        else
            v += i * cplx(0, w * L[stage]);
    }
    return 1.0 / std::abs(v);
}

} // namespace

class TestFilterModel : public QObject {
    Q_OBJECT
private slots:
    void design_data()
    {
        QTest::addColumn<FilterInput>("in");
        QTest::addColumn<int>("N");
        QTest::addColumn<double>("rippleV");
        QTest::addColumn<double>("L1");
        QTest::addColumn<double>("rippleI");
        QTest::addColumn<double>("Cleg");
        // N = ceil(log10(1.25*48*2*0.5/0.02) / log10(10)) = ceil(3.477) = 4; 60/10^2 = 0.6 V;
        // L1' = 1.4142*15/(2pi*2000) = 1.68809 mH; 2*48/(8*20000*1.68809m) = 0.35543 A;
        // C_LEG = 1/(145*2000*15) = 229.885 nF.
        QTest::newRow("defaults") << input(48, 20e3, 2e3, 0.02, 15, 2, FilterTopology::SplitInductor) << 4
                                  << 0.6 << 1.68809e-3 << 0.35543 << 229.885e-9;
        // One leg: 30 V peak; N = ceil(log10(1500)) = ceil(3.176) = 4; 30/100 = 0.3 V; half the current.
        QTest::newRow("single-ended") << input(48, 20e3, 2e3, 0.02, 15, 2, FilterTopology::SingleEnded) << 4
                                      << 0.3 << 1.68809e-3 << 0.177717 << 229.885e-9;
        // 100 V, 8 ohm, fsw/fc = 10: N = ceil(log10(125/0.5)) = ceil(2.398) = 3; 125/1000 = 0.125 V;
        // L1' = 1.5*8/(2pi*5000) = 381.972 uH; 2*100/(8*50000*381.972u) = 1.30900 A; 1/(145*5000*8) = 172.414
        // nF.
        QTest::newRow("order 3 dual-cap") << input(100, 50e3, 5e3, 0.5, 8, 3, FilterTopology::DualCapacitor)
                                          << 3 << 0.125 << 381.972e-6 << 1.30900 << 172.414e-9;
        // fsw/fc = 4: N = ceil(log10(3000)/log10(4)) = ceil(5.775) = 6; 60/4^6 = 0.0146484 V;
        // L1' = 1.5529*15/(2pi*5000) = 741.513 uH; 96/(8*20000*741.513u) = 0.809157 A.
        QTest::newRow("order 6 close") << input(48, 20e3, 5e3, 0.02, 15, 6, FilterTopology::SplitInductor)
                                       << 6 << 0.0146484 << 741.455e-6 << 0.809220 << 91.954e-9;
        // An allowance of 20 V is more than the 15 V the unfiltered output makes: no filter needed.
        // Order 1: 15/10 = 1.5 V; L1' = 15/(2pi*2000) = 1.19366 mH; 24/(8*20000*1.19366m) = 0.125664 A.
        QTest::newRow("no filter needed") << input(12, 20e3, 2e3, 20, 15, 1, FilterTopology::SplitInductor)
                                          << 0 << 1.5 << 1.19366e-3 << 0.125664 << 229.885e-9;
    }

    void design()
    {
        QFETCH(FilterInput, in);
        const FilterResult r = designFilter(in);
        QFETCH(int, N);
        QFETCH(double, rippleV);
        QFETCH(double, L1);
        QFETCH(double, rippleI);
        QFETCH(double, Cleg);
        QCOMPARE(r.recommendedOrder, N);
        QVERIFY(qAbs(r.rippleV / rippleV - 1) < 1e-4);
        QVERIFY(qAbs(r.L1full / L1 - 1) < 1e-4);
        QVERIFY(qAbs(r.rippleI / rippleI - 1) < 1e-4);
        QVERIFY(qAbs(r.Cleg / Cleg - 1) < 1e-4);
    }

    void butterworthResponse_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<FilterTopology>("topology");
        for (int n = 1; n <= 6; ++n)
            for (auto t :
                { FilterTopology::SingleEnded, FilterTopology::DualCapacitor, FilterTopology::SplitInductor })
                QTest::addRow("order %d topology %d", n, int(t)) << n << t;
    }

    // Every order's ladder is maximally flat: |H|^2 = 1/(1 + (f/fc)^2n) at any f,
    // the per-leg parts are L/2 in both two-leg topologies and 2C in Dual-Capacitor,
    // and parts above the order are zero.
    void butterworthResponse()
    {
        QFETCH(int, order);
        QFETCH(FilterTopology, topology);
        const double fc = 1234, R = 6.8;
        const FilterResult r = designFilter(input(48, 50e3, fc, 0.1, R, order, topology));
        QVERIFY(r.designable);
        for (double ratio : { 0.3, 1.0, 2.0, 5.0 }) {
            const double ideal = 1 / std::sqrt(1 + std::pow(ratio, 2 * order));
            const double got = ladderGain(r.L, r.C, order, R, kTwoPi * fc * ratio);
            QVERIFY2(qAbs(got / ideal - 1) < 2e-4, qPrintable(QString::number(ratio)));
        }
        const double lDiv = topology == FilterTopology::SingleEnded ? 1 : 2;
        const double cMul = topology == FilterTopology::DualCapacitor ? 2 : 1;
        for (size_t k = 0; k < 3; ++k) {
            QCOMPARE(r.L[k] != 0, int(2 * k + 1) <= order);
            QCOMPARE(r.C[k] != 0, int(2 * k + 2) <= order);
            QCOMPARE(r.drawnL[k], r.L[k] / lDiv);
            QCOMPARE(r.drawnC[k], r.C[k] * cMul);
        }
    }

    void badInput_data()
    {
        QTest::addColumn<FilterInput>("in");
        QTest::addColumn<bool>("designable");
        QTest::addColumn<int>("N"); // the order the ripple asks for does not depend on the load
        const auto SI = FilterTopology::SplitInductor;
        QTest::newRow("zero cut-off") << input(48, 20e3, 0, 0.02, 15, 3, SI) << false << -1;
        QTest::newRow("cut-off above fsw") << input(48, 20e3, 40e3, 0.02, 15, 3, SI) << true << -1;
        QTest::newRow("zero load") << input(48, 20e3, 2e3, 0.02, 0, 3, SI) << false << 4;
        QTest::newRow("negative load") << input(48, 20e3, 2e3, 0.02, -15, 3, SI) << false << 4;
        QTest::newRow("zero ripple") << input(48, 20e3, 2e3, 0, 15, 3, SI) << true << -1;
        QTest::newRow("zero fsw") << input(48, 0, 2e3, 0.02, 15, 3, SI) << true << -1;
    }

    // No recommended order where none exists, and the ladder is either finite
    // or not designed at all.
    void badInput()
    {
        QFETCH(FilterInput, in);
        const FilterResult r = designFilter(in);
        QFETCH(bool, designable);
        QCOMPARE(r.designable, designable);
        QFETCH(int, N);
        QCOMPARE(r.recommendedOrder, N);
        QVERIFY(finite(r));
        for (double g : idealAttenuation(in.fc, in.order).gainDb)
            QVERIFY(std::isfinite(g));
    }

    void attenuationCurve()
    {
        const AttenuationCurve c = idealAttenuation(1000, 2);
        QCOMPARE(c.f.size(), 400);
        QCOMPARE(c.f.first(), 1.0);
        QVERIFY(qAbs(c.f.last() / 966051.0 - 1) < 1e-5); // 10^(0.015*399)
        // Point 200 is 10^3 Hz = fc: -10 log10(2) dB, 100(1 - 1/sqrt2) %.
        QVERIFY(qAbs(c.gainDb[200] + 3.0103) < 1e-4);
        QVERIFY(qAbs(c.percent[200] - 29.2893) < 1e-4);
        // Point 300 is 10^4.5 Hz: (31.6)^4 = 10^6: -60 dB.
        QVERIFY(qAbs(c.gainDb[300] + 60.0) < 1e-4);
        // A cut-off so low that (f/fc)^12 overflows a double still gives a finite gain.
        const AttenuationCurve deep = idealAttenuation(1e-30, 6);
        QVERIFY(qAbs(deep.gainDb.first() - (-3600.0)) < 1e-6);
        QVERIFY(idealAttenuation(0, 2).f.isEmpty());
    }

    void matching_data()
    {
        QTest::addColumn<double>("R");
        QTest::addColumn<bool>("loadIsC");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("proposed");
        QTest::addColumn<double>("Lm");
        QTest::addColumn<double>("Cm");
        QTest::newRow("10 uF, 15 ohm") << 15.0 << true << "10" << true << 2.25e-3 << 0.0; // 15^2 * 10u
        QTest::newRow("1 mH, 15 ohm") << 15.0 << false << "1" << true << 0.0 << 4.44444e-6; // 1m / 225
        QTest::newRow("short C") << 15.0 << true << "short" << false << 0.0 << 0.0;
        QTest::newRow("open L") << 15.0 << false << "open" << false << 0.0 << 0.0;
        QTest::newRow("negative C") << 15.0 << true << "-3" << false << 0.0 << 0.0;
        QTest::newRow("bad text") << 15.0 << true << "10uF" << false << 0.0 << 0.0;
        QTest::newRow("zero R") << 0.0 << true << "10" << false << 0.0 << 0.0;
    }

    void matching()
    {
        MatchingInput in;
        QFETCH(double, R);
        QFETCH(bool, loadIsC);
        QFETCH(QString, text);
        QFETCH(bool, proposed);
        in.R = R;
        in.loadIsC = loadIsC;
        (loadIsC ? in.Cload : in.Lload) = text;
        const MatchingResult m = matchingNetwork(in);
        QCOMPARE(m.proposed, proposed);
        QFETCH(double, Lm);
        QFETCH(double, Cm);
        QVERIFY(qAbs(m.Lm - Lm) <= 1e-5 * Lm);
        QVERIFY(qAbs(m.Cm - Cm) <= 1e-5 * Cm);
        if (m.proposed)
            QCOMPARE(m.Rm, in.R);
    }

    void exportStrings_data()
    {
        QTest::addColumn<FilterTopology>("topology");
        QTest::addColumn<int>("order");
        QTest::addColumn<bool>("loadIsC");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("ladder"); // P1.L P2.C P3.L P4.C
        QTest::addColumn<networkElement>("mn");
        QTest::addColumn<networkElement>("l5");
        const networkElement open { "0", "0", "0" };
        const networkElement r15 { "0", "15", "short" };
        // 15 ohm, 2 kHz: Lu = 1.19366 mH, Cu = 5.30516 uF. Order 2: L = 1.68809 mH, C = 3.75128 uF.
        const auto SI = FilterTopology::SplitInductor, DC = FilterTopology::DualCapacitor,
                   SE = FilterTopology::SingleEnded;
        using L = QStringList;
        QTest::newRow("SI short L") << SI << 2 << false << "short" << L { "844u", "3.75u", "0", "0" } << open
                                    << r15;
        QTest::newRow("DC zero L") << DC << 2 << false << "0" << L { "844u", "7.5u", "0", "0" } << open
                                   << r15;
        QTest::newRow("SE short C") << SE << 2 << true << "short" << L { "1.69m", "3.75u", "0", "0" } << open
                                    << r15;
        // Order 4: L1 = 1.82714 mH, C1 = 8.36730 uF, L2 = 1.29202 mH, C2 = 2.03029 uF.
        QTest::newRow("SI 4, 1 mH") << SI << 4 << false << "1" << L { "914u", "8.37u", "646u", "2.03u" }
                                    << networkElement { "0", "15", "4.44u" }
                                    << networkElement { "1m", "15", "short" };
        QTest::newRow("SE 3, 10 uF") << SE << 3 << true << "10" << L { "1.79m", "7.07u", "597u", "0" }
                                     << networkElement { "2.25m", "15", "short" }
                                     << networkElement { "0", "15", "10u" };
        QTest::newRow("DC 1, open L") << DC << 1 << false << "open" << L { "597u", "0", "0", "0" } << open
                                      << networkElement { "open", "15", "short" };
        QTest::newRow("SI 2, open C") << SI << 2 << true << "open" << L { "844u", "3.75u", "0", "0" } << open
                                      << networkElement { "0", "15", "0" };
    }

    void exportStrings()
    {
        QFETCH(FilterTopology, topology);
        QFETCH(int, order);
        QFETCH(bool, loadIsC);
        QFETCH(QString, text);
        QFETCH(QStringList, ladder);
        QFETCH(networkElement, mn);
        QFETCH(networkElement, l5);
        FilterEntries e;
        e.design = input(48, 20e3, 2e3, 0.02, 15, order, topology);
        e.load.loadIsC = loadIsC;
        (loadIsC ? e.load.Cload : e.load.Lload) = text;
        e.Vs = "Exceeds"; // whatever the page hands over passes unchanged
        const FilterExport x = loadFilter(e);
        QCOMPARE((QStringList { x.filter[0].L, x.filter[1].C, x.filter[2].L, x.filter[3].C }), ladder);
        QCOMPARE(x.matching, mn);
        QCOMPARE(x.load[4], l5);
        QCOMPARE(x.load[0].C, QStringLiteral("short"));
        QCOMPARE(x.load[2].C, QStringLiteral("0"));
        QCOMPARE(x.filter[1].L, QStringLiteral("0"));
        QCOMPARE(x.Vs, e.Vs);
    }
};

QTEST_APPLESS_MAIN(TestFilterModel)
#include "test_filtermodel.moc"
