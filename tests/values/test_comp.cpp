#include "values/comp.h"
#include "values/sivalues.h"

#include <QtTest>

#include <limits>

class TestComp : public QObject {
    Q_OBJECT

private slots:
    void construction();
    void arithmetic_data();
    void arithmetic();
    void withDouble_data();
    void withDouble();
    void divisionSpecialCases_data();
    void divisionSpecialCases();
    void divisionUndoesMultiplication();
    void magnitude_data();
    void magnitude();
};

void TestComp::construction()
{
    const comp zero;
    QCOMPARE(zero.real(), 0.0);
    QCOMPARE(zero.imag(), 0.0);
    comp z(1.5, -2.5);
    const comp copy(z);
    QCOMPARE(copy.real(), 1.5);
    QCOMPARE(copy.imag(), -2.5);
    z.set(7, -8);
    QCOMPARE(z.real(), 7.0);
    QCOMPARE(z.imag(), -8.0);
    QCOMPARE(copy.real(), 1.5);
}

void TestComp::arithmetic_data()
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
}

void TestComp::arithmetic()
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
    comp r;
    switch (op) {
    case '+':
        r = a + b;
        break;
    case '-':
        r = a - b;
        break;
    case '*':
        r = a * b;
        break;
    default:
        r = a / b;
        break;
    }
    QVERIFY(qAbs(r.real() - re) < 1e-12);
    QVERIFY(qAbs(r.imag() - im) < 1e-12);
}

void TestComp::withDouble_data()
{
    QTest::addColumn<char>("op");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("im");
    QTest::newRow("+1.5") << '+' << 1.5 << 3.5 << 3.0;
    QTest::newRow("-1.5") << '-' << 1.5 << 0.5 << 3.0;
    QTest::newRow("*2") << '*' << 2.0 << 4.0 << 6.0;
    QTest::newRow("*-1") << '*' << -1.0 << -2.0 << -3.0;
    QTest::newRow("/2") << '/' << 2.0 << 1.0 << 1.5;
}

void TestComp::withDouble()
{
    QFETCH(char, op);
    QFETCH(double, x);
    QFETCH(double, re);
    QFETCH(double, im);
    const comp a(2, 3);
    comp r;
    switch (op) {
    case '+':
        r = a + x;
        break;
    case '-':
        r = a - x;
        break;
    case '*':
        r = a * x;
        break;
    default:
        r = a / x;
        break;
    }
    QCOMPARE(r.real(), re);
    QCOMPARE(r.imag(), im);
}

void TestComp::divisionSpecialCases_data()
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

void TestComp::divisionSpecialCases()
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

void TestComp::divisionUndoesMultiplication()
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

void TestComp::magnitude_data()
{
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("im");
    QTest::addColumn<double>("magnitude");
    QTest::newRow("zero") << 0.0 << 0.0 << 0.0;
    QTest::newRow("3+4j") << 3.0 << 4.0 << 5.0;
    QTest::newRow("-5-12j") << -5.0 << -12.0 << 13.0;
    QTest::newRow("pure imaginary") << 0.0 << -2.5 << 2.5;
}

void TestComp::magnitude()
{
    QFETCH(double, re);
    QFETCH(double, im);
    QFETCH(double, magnitude);
    QCOMPARE(comp(re, im).magnitude(), magnitude);
}

QTEST_GUILESS_MAIN(TestComp)
#include "test_comp.moc"
