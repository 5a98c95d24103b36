#include <QtTest>

#include "tests/rowtable.h"
#include <cmath>

#include "pages/soa/loadcalcmodel.h"
#include "values/sivalues.h"

namespace {

LoadCalcEntry value(double v)
{
    return LoadCalcEntry { v, false, false };
}
LoadCalcEntry openEntry()
{
    return LoadCalcEntry { kOpenValue, true, false };
}
LoadCalcEntry shortEntry(bool capacitor = false)
{
    return LoadCalcEntry { capacitor ? kOpenValue : 0, false, true };
}

} // namespace

Q_DECLARE_METATYPE(LoadCalcEntry)

struct RowCombination {
    const char *tag;
    double z1;
    double a1;
    double z2;
    double a2;
    bool series;
    QString magnitude;
    double angle;
} const kCombination[] = {
    { "series R and L", 10.0, 0.0, 10.0, 90.0, true, QStringLiteral("14.1421"), 45.0 },
    // With pi as 3.14159 the 90 degree branch keeps a real part of 1.3 uOhm.
    { "parallel R and L", 10.0, 0.0, 10.0, 90.0, false, QStringLiteral("7.07106"), 45.0 },
    { "series L and C", 10.0, 90.0, 4.0, -90.0, true, QStringLiteral("6"), 90.0 },
    { "parallel with a short", 0.0, 0.0, 10.0, 90.0, false, QStringLiteral("0"), 0.0 },
};

class TestLoadCalcModel : public QObject {
    Q_OBJECT

private slots:
    void series_data()
    {
        QTest::addColumn<LoadCalcEntry>("r");
        QTest::addColumn<LoadCalcEntry>("l");
        QTest::addColumn<LoadCalcEntry>("c");
        QTest::addColumn<double>("magnitude"); // -1: "open"
        QTest::addColumn<double>("angle");
        // 1 mH at 1 kHz: 6.28318 ohm, purely inductive.
        QTest::newRow("inductor") << value(0) << value(1e-3) << shortEntry(true) << 6.28318 << 90.0;
        // 10 ohm and 1 uF: X = -159.155, angle atan(-15.9155).
        QTest::newRow("R C") << value(10) << value(0) << value(1e-6) << 159.469 << -86.4049;
        QTest::newRow("capacitor only") << value(0) << shortEntry() << value(1e-6) << 159.155 << -90.0;
        QTest::newRow("all short") << shortEntry() << shortEntry() << shortEntry(true) << 0.0 << 0.0;
        QTest::newRow("open R") << openEntry() << value(1e-3) << value(1e-6) << -1.0 << 0.0;
        QTest::newRow("open C") << value(10) << value(1e-3) << openEntry() << -1.0 << 0.0;
    }
    void series()
    {
        QFETCH(LoadCalcEntry, r);
        QFETCH(LoadCalcEntry, l);
        QFETCH(LoadCalcEntry, c);
        QFETCH(double, magnitude);
        QFETCH(double, angle);
        const ImpedanceText z = seriesRLC(r, l, c, value(1000));
        if (magnitude < 0) {
            QCOMPARE(z.magnitude, QStringLiteral("open"));
            QCOMPARE(z.angle, QStringLiteral("0"));
            return;
        }
        QVERIFY2(
            qAbs(z.magnitude.toDouble() - magnitude) <= 1e-5 * qMax(1.0, magnitude), qPrintable(z.magnitude));
        QVERIFY2(qAbs(z.angle.toDouble() - angle) < 1e-3, qPrintable(z.angle));
    }

    void sixDigits()
    {
        // 10 + j(6.28318 - 159.155) = 153.199 ohm at -86.257 degrees, written with six digits.
        const ImpedanceText z = seriesRLC(value(10), value(1e-3), value(1e-6), value(1000));
        QCOMPARE(z.magnitude, QStringLiteral("153.199"));
        QCOMPARE(z.angle, QStringLiteral("-86.2574"));
    }

    void parallel_data()
    {
        QTest::addColumn<LoadCalcEntry>("r");
        QTest::addColumn<LoadCalcEntry>("l");
        QTest::addColumn<LoadCalcEntry>("c");
        QTest::addColumn<QString>("magnitude"); // a word, or empty to compare numbers
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("angle");
        QTest::newRow("R") << value(10) << openEntry() << openEntry() << QString() << 10.0 << 0.0;
        QTest::newRow("L") << openEntry() << value(1e-3) << openEntry() << QString() << 6.28318 << 90.0;
        QTest::newRow("C") << openEntry() << openEntry() << value(1e-6) << QString() << 159.155 << -90.0;
        // G = 0.1 S, B = -6.28318 mS: |Z| = 1 / |0.1 - j0.00628318|, degrees with pi as 3.14159.
        QTest::newRow("R C") << value(10) << openEntry() << value(1e-6) << QString() << 9.98032 << -3.59527;
        QTest::newRow("R short") << shortEntry() << value(1e-3) << value(1e-6) << QStringLiteral("0") << 0.0
                                 << 0.0;
        QTest::newRow("L zero") << value(10) << value(0) << openEntry() << QStringLiteral("0") << 0.0 << 0.0;
        QTest::newRow("nothing") << openEntry() << openEntry() << openEntry() << QStringLiteral("open") << 0.0
                                 << 0.0;
    }
    void parallel()
    {
        QFETCH(LoadCalcEntry, r);
        QFETCH(LoadCalcEntry, l);
        QFETCH(LoadCalcEntry, c);
        QFETCH(QString, magnitude);
        QFETCH(double, value);
        QFETCH(double, angle);
        const ImpedanceText z = parallelRLC(r, l, c, ::value(1000));
        if (!magnitude.isEmpty()) {
            QCOMPARE(z.magnitude, magnitude);
            QCOMPARE(z.angle, QStringLiteral("0"));
            return;
        }
        QVERIFY2(qAbs(z.magnitude.toDouble() - value) <= 1e-5 * value, qPrintable(z.magnitude));
        QVERIFY2(qAbs(z.angle.toDouble() - angle) < 1e-4, qPrintable(z.angle));
    }

    void combination_data() { addRows(kCombination); }
    void combination()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, z1, a1, z2, a2, series, magnitude, angle]
            = kCombination[rowNumber];
        const ImpedanceText z = combineImpedances(value(z1), value(a1), value(z2), value(a2), series);
        QCOMPARE(z.magnitude, magnitude);
        QVERIFY2(qAbs(z.angle.toDouble() - angle) < 1e-3, qPrintable(z.angle));
    }

    void combinationWithOpen()
    {
        const ImpedanceText parallel = combineImpedances(openEntry(), value(0), value(5), value(30), false);
        QCOMPARE(parallel.magnitude, QStringLiteral("5"));
        QCOMPARE(parallel.angle, QStringLiteral("30"));
        QCOMPARE(combineImpedances(openEntry(), value(0), value(5), value(30), true).magnitude,
            QStringLiteral("open"));
    }
};

QTEST_GUILESS_MAIN(TestLoadCalcModel)
#include "test_loadcalcmodel.moc"
