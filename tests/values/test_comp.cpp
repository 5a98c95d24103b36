#include "values/comp.h"
#include "values/sivalues.h"

#include <QtTest>

#include <limits>

class TestComp : public QObject {
    Q_OBJECT

private slots:

    void construction()
    {
        const comp zero;
        QCOMPARE(zero.real(), 0.0);
        QCOMPARE(zero.imag(), 0.0);
        comp z(1.5, -2.5);
        const comp copy(z);
        z.set(7, -8);
        QVERIFY(z.real() == 7 && z.imag() == -8 && copy.real() == 1.5 && copy.imag() == -2.5);
    }

    void arithmetic_data()
    {
        QTest::addColumn<char>("op");
        QTest::addColumn<double>("ar");
        QTest::addColumn<double>("ai");
        QTest::addColumn<double>("br");
        QTest::addColumn<double>("bi");
        QTest::addColumn<double>("re");
        QTest::addColumn<double>("im");
        QTest::newRow("(1+2j)+(3-5j)") << '+' << 1.0 << 2.0 << 3.0 << -5.0 << 4.0 << -3.0;
        QTest::newRow("(1+2j)-(3-5j)") << '-' << 1.0 << 2.0 << 3.0 << -5.0 << -2.0 << 7.0;
        QTest::newRow("(1+2j)*(3-5j)") << '*' << 1.0 << 2.0 << 3.0 << -5.0 << 13.0 << 1.0;
        QTest::newRow("j*j") << '*' << 0.0 << 1.0 << 0.0 << 1.0 << -1.0 << 0.0;
        QTest::newRow("(1+2j)/(3+4j)") << '/' << 1.0 << 2.0 << 3.0 << 4.0 << 0.44 << 0.08;
        QTest::newRow("1/j") << '/' << 1.0 << 0.0 << 0.0 << 1.0 << 0.0 << -1.0;
        // The impedance of 100 uF at 1000 rad/s: 1 / (j * 0.1) = -10j.
        QTest::newRow("capacitor") << '/' << 1.0 << 0.0 << 0.0 << 0.1 << 0.0 << -10.0;
        QTest::newRow("(10-10j)/(1-1j)") << '/' << 10.0 << -10.0 << 1.0 << -1.0 << 10.0 << 0.0;
        // A real right operand is also taken as a double.
        QTest::newRow("+1.5") << '+' << 2.0 << 3.0 << 1.5 << 0.0 << 3.5 << 3.0;
        QTest::newRow("-1.5") << '-' << 2.0 << 3.0 << 1.5 << 0.0 << 0.5 << 3.0;
        QTest::newRow("*-1") << '*' << 2.0 << 3.0 << -1.0 << 0.0 << -2.0 << -3.0;
        QTest::newRow("/2") << '/' << 2.0 << 3.0 << 2.0 << 0.0 << 1.0 << 1.5;
    }

    void arithmetic()
    {
        QFETCH(char, op);
        QFETCH(double, ar);
        QFETCH(double, ai);
        QFETCH(double, br);
        QFETCH(double, bi);
        QFETCH(double, re);
        QFETCH(double, im);
        const comp a(ar, ai);
        const comp b(br, bi);
        const comp r = op == '+' ? a + b : op == '-' ? a - b : op == '*' ? a * b : a / b;
        QVERIFY(qAbs(r.real() - re) < 1e-12);
        QVERIFY(qAbs(r.imag() - im) < 1e-12);
        if (bi == 0) {
            const comp d = op == '+' ? a + br : op == '-' ? a - br : op == '*' ? a * br : a / br;
            QVERIFY(qAbs(d.real() - re) < 1e-12 && qAbs(d.imag() - im) < 1e-12);
        }
    }

    void divisionSpecialCases_data()
    {
        const double inf = std::numeric_limits<double>::infinity();
        QTest::addColumn<double>("ar");
        QTest::addColumn<double>("ai");
        QTest::addColumn<double>("br");
        QTest::addColumn<double>("bi");
        QTest::addColumn<double>("re");
        QTest::addColumn<double>("im");
        QTest::newRow("by zero") << 5.0 << -2.0 << 0.0 << 0.0 << kOpenValue << 0.0;
        QTest::newRow("zero by zero") << 0.0 << 0.0 << 0.0 << 0.0 << kOpenValue << 0.0;
        QTest::newRow("by negative zero") << 1.0 << 1.0 << -0.0 << -0.0 << kOpenValue << 0.0;
        QTest::newRow("by infinite real") << 5.0 << 2.0 << inf << 0.0 << 0.0 << 0.0;
        QTest::newRow("by infinite imaginary") << 5.0 << 2.0 << 1.0 << -inf << 0.0 << 0.0;
        QTest::newRow("infinite by infinite") << inf << 0.0 << inf << inf << 0.0 << 0.0;
    }

    void divisionSpecialCases()
    {
        QFETCH(double, ar);
        QFETCH(double, ai);
        QFETCH(double, br);
        QFETCH(double, bi);
        QFETCH(double, re);
        QFETCH(double, im);
        const comp r = comp(ar, ai) / comp(br, bi);
        QCOMPARE(r.real(), re);
        QCOMPARE(r.imag(), im);
    }

    void divisionUndoesMultiplication()
    {
        const double parts[] = { -3.5, -1.0, 0.25, 2.0, 1e3 };
        for (double ar : parts) {
            for (double ai : parts) {
                for (double br : parts) {
                    for (double bi : parts) {
                        const comp a(ar, ai);
                        const comp b(br, bi);
                        const comp back = (a * b) / b;
                        QVERIFY(qAbs(back.real() - ar) <= 1e-9 * a.magnitude());
                        QVERIFY(qAbs(back.imag() - ai) <= 1e-9 * a.magnitude());
                    }
                }
            }
        }
    }

    void magnitude_data()
    {
        QTest::addColumn<double>("re");
        QTest::addColumn<double>("im");
        QTest::addColumn<double>("magnitude");
        QTest::newRow("zero") << 0.0 << 0.0 << 0.0;
        QTest::newRow("3+4j") << 3.0 << 4.0 << 5.0;
        QTest::newRow("-5-12j") << -5.0 << -12.0 << 13.0;
    }

    void magnitude()
    {
        QFETCH(double, re);
        QFETCH(double, im);
        QFETCH(double, magnitude);
        QCOMPARE(comp(re, im).magnitude(), magnitude);
    }
};

QTEST_GUILESS_MAIN(TestComp)
#include "test_comp.moc"
