#include <QtTest>

#include "tests/rowtable.h"

#include "pages/heatsink/heatsinkmodel.h"
#include "values/sivalues.h"

using namespace HeatsinkModel;

namespace {

Heatsink sink(const QString &name, double rFree, double length, double width, double height, double weight,
    const QStringList &packages, double A = 1, double B = -0.005, double C = 0.1)
{
    Heatsink h;
    h.name = name;
    h.FreeAirTheta = rFree;
    h.Length = length;
    h.Width = width;
    h.Height = height;
    h.Weight = weight;
    h.packages = packages;
    h.numPackages = packages.size();
    h.A = A;
    h.B = B;
    h.C = C;
    return h;
}

FilterInput noLimits(const QString &code, double rReq, double relax = 0.1, bool flow = false)
{
    FilterInput in;
    in.packageCode = code;
    in.rRequired = rReq;
    in.limits = makeLimits(false, 0, 0, 0, 0, false);
    in.relax = relax;
    in.flow = flow;
    return in;
}

// The catalog of the shipped file's first row: 12 degC/W free air, 11.4 e^(-0.0055 F) + 2.64.
Heatsink smallTo3()
{
    return sink(
        QStringLiteral("KH02"), 12, 1.75, 1.75, 0.5, 0.35, { QStringLiteral("TO3-8") }, 11.4, -0.0055, 2.64);
}

Heatsink waterSink()
{
    return sink(QStringLiteral("KH62-H2O"), 1.2, 4, 3, 0.6, 9.5,
        { QStringLiteral("TO3-8"), QStringLiteral("OF") }, 0.3, -1.8, 0.075);
}

} // namespace

Q_DECLARE_METATYPE(HeatsinkModel::Match)

struct RowSizeMatch {
    const char *tag;
    double length;
    double width;
    double height;
    double weight;
    HeatsinkModel::Match match;
    QVector<int> marked;
} const kSizeMatch[] = {
    { "4 by 1.5 fits turned", 4.0, 1.5, 0.9, 1.0, Match::Good, QVector<int>() },
    { "length 5.4 close", 5.4, 1.5, 0.9, 1.0, Match::Close, QVector<int> { ColLength } },
    { "width 2.2 close", 4.0, 2.2, 0.9, 1.0, Match::Close, QVector<int> { ColWidth } },
    { "width 2.3 out", 4.0, 2.3, 0.9, 1.0, Match::None, QVector<int>() },
    { "height and weight close", 4.0, 1.5, 1.0, 1.05, Match::Close, QVector<int> { ColHeight, ColWeight } },
    { "weight 1.2 out", 4.0, 1.5, 0.9, 1.2, Match::None, QVector<int>() },
};

class TestHeatsinkModel : public QObject {
    Q_OBJECT

private slots:
    void packageCodes_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("code");
        QTest::newRow("all packages") << 0 << "ALL";
        QTest::newRow("8-pin TO-3") << 1 << "TO3-8";
        QTest::newRow("Power SIP, the last") << 8 << "SIP";
        QTest::newRow("past the end") << 9 << "ALL";
        QTest::newRow("no item") << -1 << "ALL";
    }
    void packageCodes()
    {
        QFETCH(int, item);
        QFETCH(QString, code);
        QCOMPARE(packageCodeForItem(item), code);
        QCOMPARE(packageItemTexts().size(), packageItemCodes().size());
    }

    void partCodes_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("code");
        QTest::newRow("all parts") << 0 << "ALL";
        QTest::newRow("first linear") << 1 << "TO3-8";
        QTest::newRow("second linear") << 2 << "SIP";
        QTest::newRow("first PWM follows the linear parts") << 3 << "PD12";
        QTest::newRow("past the end") << 4 << "ALL";
    }
    void partCodes()
    {
        QFETCH(int, index);
        QFETCH(QString, code);
        QVector<amp> linear(2);
        linear[0].packageStyle = QStringLiteral("TO3-8");
        linear[1].packageStyle = QStringLiteral("SIP");
        QVector<pwm> pwms(1);
        pwms[0].packageStyle = QStringLiteral("PD12");
        QCOMPARE(packageCodeForPart(linear, pwms, index), code);
    }

    // R_req 30, no limits, no flow, 10 % relaxation.
    void resistanceMatch_data()
    {
        QTest::addColumn<double>("rFree");
        QTest::addColumn<QString>("code");
        QTest::addColumn<HeatsinkModel::Match>("match");
        QTest::addColumn<bool>("resistanceMarked");
        QTest::newRow("below the requirement") << 25.0 << "TO3-8" << Match::Good << false;
        QTest::newRow("exactly 30") << 30.0 << "TO3-8" << Match::Good << false;
        QTest::newRow("33 is still close") << 33.0 << "TO3-8" << Match::Close << true;
        QTest::newRow("33.1 is out") << 33.1 << "TO3-8" << Match::None << false;
        QTest::newRow("other package") << 20.0 << "PD12" << Match::None << false;
        QTest::newRow("any package") << 20.0 << "ALL" << Match::Good << false;
    }
    void resistanceMatch()
    {
        QFETCH(double, rFree);
        QFETCH(QString, code);
        QFETCH(HeatsinkModel::Match, match);
        QFETCH(bool, resistanceMarked);
        const Heatsink h = sink(
            QStringLiteral("T"), rFree, 1, 1, 1, 1, { QStringLiteral("TO220"), QStringLiteral("TO3-8") });
        const MatchResult m = matchHeatsink(h, noLimits(code, 30));
        QCOMPARE(m.match, match);
        QCOMPARE(m.marked.contains(ColNatural), resistanceMarked);
        QCOMPARE(m.marked.size(), resistanceMarked ? 1 : 0);
    }

    void limits()
    {
        const Limits none = makeLimits(false, 1, 1, 1, 1, false);
        QVERIFY(none.height == kOpenValue && none.length == kOpenValue && none.width == kOpenValue
            && none.weight == kOpenValue);

        const Limits swapped = makeLimits(true, kOpenValue, 2, 5, kOpenValue, false);
        QCOMPARE(swapped.length, 5.0);
        QCOMPARE(swapped.width, 2.0);
        QCOMPARE(swapped.height, kOpenValue);

        // 50.8 mm = 2 in, 127 mm = 5 in, 28.3495 g = 1 oz; "all" stays no limit.
        const Limits metric = makeLimits(true, 50.8, 25.4, 127, 28.3495, true);
        QCOMPARE(metric.height, 2.0);
        QCOMPARE(metric.length, 5.0);
        QCOMPARE(metric.width, 1.0);
        QCOMPARE(metric.weight, 1.0);
        QCOMPARE(makeLimits(true, kOpenValue, 1, 1, kOpenValue, true).height, kOpenValue);
    }

    // Limits H 0.95, L 2 by W 5 (turned to 5 by 2), weight 1; 10 % relaxation.
    void sizeMatch_data() { addRows(kSizeMatch); }
    void sizeMatch()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, length, width, height, weight, match, marked]
            = kSizeMatch[rowNumber];
        FilterInput in = noLimits(QStringLiteral("ALL"), 30);
        in.limits = makeLimits(true, 0.95, 2, 5, 1, false);
        const MatchResult m
            = matchHeatsink(sink(QStringLiteral("T"), 10, length, width, height, weight, {}), in);
        QCOMPARE(m.match, match);
        if (match == Match::Close)
            QCOMPARE(m.marked, marked);
    }

    // With flow the air heatsink is judged at 1000 LFM: 10 e^(-2) + 1 = 2.35335.
    void flowMatch_data()
    {
        QTest::addColumn<bool>("flow");
        QTest::addColumn<double>("rReq");
        QTest::addColumn<HeatsinkModel::Match>("match");
        QTest::newRow("free air 40 fails 30") << false << 30.0 << Match::None;
        QTest::newRow("flow reaches 2.4") << true << 2.4 << Match::Good;
        QTest::newRow("no relaxation with flow") << true << 2.2 << Match::None;
        QTest::newRow("2.35 just short") << true << 2.35 << Match::None;
    }
    void flowMatch()
    {
        QFETCH(bool, flow);
        QFETCH(double, rReq);
        QFETCH(HeatsinkModel::Match, match);
        const Heatsink h = sink(QStringLiteral("T"), 40, 1, 1, 1, 1, {}, 10, -0.002, 1);
        QCOMPARE(matchHeatsink(h, noLimits(QStringLiteral("ALL"), rReq, 0.1, flow)).match, match);
        // Water is judged at 4 GPM: 0.3 e^(-7.2) + 0.075 = 0.075224.
        QCOMPARE(matchHeatsink(waterSink(), noLimits("ALL", 0.07523, 0.1, flow)).match,
            flow ? Match::Good : Match::None);
        QCOMPARE(matchHeatsink(waterSink(), noLimits("ALL", 0.07522, 0.1, true)).match, Match::None);
    }

    void filterKeepsCatalogOrder()
    {
        const QVector<Heatsink> catalog { sink(QStringLiteral("a"), 35, 1, 1, 1, 1, {}),
            sink(QStringLiteral("b"), 31, 1, 1, 1, 1, {}), sink(QStringLiteral("c"), 5, 1, 1, 1, 1, {}) };
        const QVector<MatchResult> r = filterHeatsinks(catalog, noLimits(QStringLiteral("ALL"), 30));
        QCOMPARE(r.size(), 3);
        QCOMPARE(r.at(0).match, Match::None);
        QCOMPARE(r.at(1).match, Match::Close);
        QCOMPARE(r.at(2).match, Match::Good);
    }

    void metricRow()
    {
        const QVector<Heatsink> catalog { sink(QStringLiteral("m"), 3, 1.5, 1, 2, 1, {}) };
        const TableRow english = tableRow(catalog, 0, false);
        QCOMPARE(english.height, 2.0);
        QCOMPARE(english.weight, 1.0);
        const TableRow metric = tableRow(catalog, 0, true);
        QCOMPARE(metric.height, 50.8);
        QCOMPARE(metric.length, 38.1);
        QCOMPARE(metric.width, 25.4);
        QCOMPARE(metric.weight, 28.3);
        QCOMPARE(metric.natural, 3.0);
        QCOMPARE(tableRow(catalog, 5, true).name, QString());
    }

    void fieldConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("result");
        QTest::newRow("height 2 in") << "2" << kMillimetresPerInch << "50.8";
        QTest::newRow("weight 1 oz") << "1" << kGramsPerOunce << "28.3495";
        QTest::newRow("back to inches") << "50.8" << 1 / kMillimetresPerInch << "2";
        QTest::newRow("six digits") << "1.23456" << kMillimetresPerInch << "31.3578";
        QTest::newRow("all stays") << "all" << kMillimetresPerInch << "all";
        QTest::newRow("bad text reads 0") << "abc" << kMillimetresPerInch << "0";
    }
    void fieldConversion()
    {
        QFETCH(QString, text);
        QFETCH(double, factor);
        QFETCH(QString, result);
        QCOMPARE(convertFieldText(text, factor), result);
    }

    void airCurve()
    {
        const Heatsink h = smallTo3();
        const FlowCurve c = flowCurve(h);
        QVERIFY(!c.water);
        QCOMPARE(c.flowEnglish.size(), 128);
        QCOMPARE(c.flowEnglish.at(0), 100.0);
        QCOMPARE(c.flowEnglish.at(1), 107.0); // 100 + floor(900/127)
        QCOMPARE(c.flowEnglish.at(64), 553.0); // 100 + floor(57600/127)
        QCOMPARE(c.flowEnglish.at(127), 1000.0);
        QVERIFY(qAbs(c.flowMetric.at(127) - 5.0799998) < 1e-6); // 1000 ft/min in m/s
        QVERIFY(qAbs(c.flowMetric.at(0) - 0.508) < 1e-6);
        // The largest resistance is at the lowest flow: 11.4 e^(-0.55) + 2.64.
        QVERIFY(qAbs(c.rMax - (11.4 * std::exp(-0.55) + 2.64)) < 1e-9);
        QCOMPARE(c.resistance.at(0), c.rMax);
    }

    void waterCurve()
    {
        const FlowCurve c = flowCurve(waterSink());
        QVERIFY(c.water);
        QCOMPARE(c.flowEnglish.size(), 128);
        QCOMPARE(c.flowEnglish.at(0), 0.0);
        QCOMPARE(c.flowEnglish.at(127), 2.0);
        QVERIFY(qAbs(c.flowEnglish.at(1) - 2.0 / 127) < 1e-12);
        QVERIFY(qAbs(c.flowMetric.at(127) - 7.57082) < 1e-9);
        QVERIFY(qAbs(c.rMax - 0.375) < 1e-12); // A + C at no flow
        QVERIFY(c.flowEnglish.last() <= flowAxis(true, false).upper
            && c.flowMetric.last() <= flowAxis(true, true).upper);
    }

    void minimumFlowValues_data()
    {
        QTest::addColumn<bool>("water");
        QTest::addColumn<double>("rReq");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<double>("flow");
        QTest::newRow("free air suffices") << false << 12.0 << true << 0.0;
        QTest::newRow("air 5 degC/W") << false << 5.0 << true << 286.35486;
        QTest::newRow("air 79.6 LFM raised to 100") << false << 10.0 << true << 100.0;
        QTest::newRow("air at the asymptote") << false << 2.64 << false << 0.0;
        QTest::newRow("air below the asymptote") << false << 2.0 << false << 0.0;
        QTest::newRow("water 0.1") << true << 0.1 << true << 1.3805037;
        QTest::newRow("water 0.069 GPM raised to 0.1") << true << 0.34 << true << 0.1;
        QTest::newRow("water at the asymptote") << true << 0.075 << false << 0.0;
    }
    void minimumFlowValues()
    {
        QFETCH(bool, water);
        QFETCH(double, rReq);
        QFETCH(bool, reachable);
        QFETCH(double, flow);
        const MinimumFlow m = minimumFlow(water ? waterSink() : smallTo3(), rReq);
        QCOMPARE(m.reachable, reachable);
        QVERIFY2(qAbs(m.flow - flow) < 1e-5, qPrintable(QString::number(m.flow, 'g', 10)));
    }

    void labels_data()
    {
        QTest::addColumn<bool>("water");
        QTest::addColumn<bool>("flowOn");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<bool>("circular");
        QTest::addColumn<double>("rReq");
        QTest::addColumn<double>("size"); // diameter, or both sides of the rectangle
        QTest::addColumn<QString>("linear");
        QTest::addColumn<QString>("volume");
        QTest::addColumn<bool>("unreachable");
        // 286.35 LFM through pi/4 x 16 sq in: 24.99 CFM.
        // 3 by 3 in: 9/144 x 286.35 = 17.9 CFM.
        // 1.4547 m/s; 101.6 mm outlet: 12.566 sq in -> 707.6 L/min.
        // 100 LFM x 12.566/144 sq ft = 8.73 CFM.
        QTest::newRow("at least 100 FPM") << false << true << false << true << 10.0 << 4.0 << "100 FPM air"
                                          << "8.73 CFM air" << false;
        QTest::newRow("air asymptote")
            << false << true << false << true << 2.5 << 4.0 << "no flow reaches this R_θ"
            << "-----" << true;
        QTest::newRow("water at least 0.1") << true << true << false << true << 0.34 << 4.0 << "-----"
                                            << "0.1 GPM per channel water" << false;
        QTest::newRow("water asymptote") << true << true << false << true << 0.05 << 4.0 << "-----"
                                         << "no flow reaches this R_θ" << true;
    }
    void labels()
    {
        QFETCH(bool, water);
        QFETCH(bool, flowOn);
        QFETCH(bool, metric);
        QFETCH(bool, circular);
        QFETCH(double, rReq);
        QFETCH(double, size);
        QFETCH(QString, linear);
        QFETCH(QString, volume);
        QFETCH(bool, unreachable);
        FlowInput in;
        in.flowOn = flowOn;
        in.metric = metric;
        in.circular = circular;
        in.rRequired = rReq;
        in.diameter = in.x = in.y = size;
        const FlowLabels l = flowLabels(water ? waterSink() : smallTo3(), in);
        QCOMPARE(l.linear.text, linear);
        QCOMPARE(l.volume.text, volume);
        QCOMPARE(l.linear.isWarning(), unreachable);
        QCOMPARE(l.volume.isWarning(), unreachable);
        QCOMPARE(l.dimensionsEnabled, !water);
    }
};

QTEST_GUILESS_MAIN(TestHeatsinkModel)
#include "test_heatsinkmodel.moc"
