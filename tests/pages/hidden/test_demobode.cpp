// The demonstration Bode plot's points.
#include <QtTest>

#include "pages/hidden/demobode.h"

class TestDemoBode : public QObject {
    Q_OBJECT
private slots:
    void points_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("gain");
        QTest::addColumn<bool>("bad");
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("whole") << "120" << 120.0 << false;
        QTest::newRow("negative fraction") << " -12.5 " << -12.5 << false;
        QTest::newRow("exponent") << "1e2" << 100.0 << false;
        QTest::newRow("no SI suffix") << "1k" << 0.0 << true;
        QTest::newRow("words") << "abc" << 0.0 << true;
        QTest::newRow("infinity") << "inf" << 0.0 << true;
        QTest::newRow("not a number") << "nan" << 0.0 << true;
        QTest::newRow("huge") << "1e999" << 0.0 << true;
    }
    void points()
    {
        QFETCH(QString, text);
        QFETCH(double, gain);
        QFETCH(bool, bad);
        // The text at 1 kHz open loop and at 100 MHz closed loop; 20 dB a decade elsewhere.
        DemoBodeInput input;
        for (int i = 0; i < kDemoDecades; ++i) {
            input.openLoop << QString::number(140 - 20 * i);
            input.closedLoop << QStringLiteral("20");
        }
        input.openLoop[3] = text;
        input.closedLoop[8] = text;
        const DemoBodeResult r = demoBodePoints(input);
        QCOMPARE(r.frequency, (QVector<double> { 1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8 }));
        QCOMPARE(r.openLoop, (QVector<double> { 140, 120, 100, gain, 60, 40, 20, 0, -20 }));
        QCOMPARE(r.closedLoop, (QVector<double> { 20, 20, 20, 20, 20, 20, 20, 20, gain }));
        QCOMPARE(r.openLoopBad.at(3), bad);
        QCOMPARE(r.closedLoopBad.at(8), bad);
        QCOMPARE(r.openLoopBad.count(true), bad ? 1 : 0);
    }

    void missingFieldsAreZero()
    {
        const DemoBodeResult r = demoBodePoints(DemoBodeInput());
        QCOMPARE(r.openLoop, QVector<double>(9, 0.0));
        QCOMPARE(r.closedLoop, QVector<double>(9, 0.0));
    }
};

QTEST_MAIN(TestDemoBode)
#include "test_demobode.moc"
