#include "values/sivalues.h"

#include <QtTest>

#include "tests/rowtable.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

void addParseColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("valid");
}

bool sameValue(double a, double b)
{
    return a == b || std::fabs(a - b) <= 1e-12 * std::fabs(b);
}

} // namespace

struct RowFormatSI {
    const char *tag;
    double value;
    QString unit;
    QString text;
} const kFormatSI[] = {
    { "0 V", 0.0, "V", "0 V" },
    { "-0.0047 A", -0.0047, "A", "-4.7 mA" },
    { "124.5 V", 124.5, "V", "124 V" },
    { "1.125 kV", 1125.0, "V", "1.12 kV" },
    { "4700 ohm", 4700.0, QStringLiteral("\u03A9"), QStringLiteral("4.7 k\u03A9") },
    { "1e-18", 1e-18, "V", "0.001 fV" },
    { "-1e-18", -1e-18, "V", "-0.001 fV" },
    { "9.994e-13", 9.994e-13, "V", "999 fV" },
    { "0.9994", 0.9994, "V", "999 mV" },
    { "0.9996", 0.9996, "V", "1 V" },
    { "-999.6", -999.6, "V", "-1 kV" },
    { "9.994e14", 9.994e14, "V", "999 TV" },
    { "9.996e14", 9.996e14, "V", "1e+15 V" },
    { "open value", kOpenValue, "R", "4.29 GR" },
};

struct RowFieldText {
    const char *tag;
    double value;
    QString unit;
    QString text;
} const kFieldText[] = {
    { "0", 0.0, "", "0" },
    { "4.7e-11", 4.7e-11, "", "47p" },
    { "470uF", 0.00047, "F", "470uF" },
    { "0.5", 0.5, "", "500m" },
    { "0.9996", 0.9996, "", "1e+03m" },
    { "47", 47.0, "", "47" },
    { "2200", 2200.0, "", "2.2k" },
    { "1e12", 1e12, "", "1T" },
    { "1e15", 1e15, "", "1e+15" },
    { "-5", -5.0, "", "-5e+15f" },
};

class TestSiValues : public QObject {
    Q_OBJECT

private slots:

    void parseString_data()
    {
        addParseColumns();
        QTest::newRow("2.2k") << "2.2k" << 2200.0 << true;
        QTest::newRow("1.5meg") << "1.5meg" << 1.5e6 << true;
        QTest::newRow("1mEG") << "1mEG" << 0.0 << false;
        QTest::newRow("blank before suffix") << "4.7 k" << 4700.0 << true;
        QTest::newRow("blank before number") << " 4.7k" << 4700.0 << true;
        QTest::newRow("10kHz") << "10kHz" << 0.0 << false;
        QTest::newRow("k10") << "k10" << 0.0 << false;
        QTest::newRow("1k5") << "1k5" << 0.0 << false;
        QTest::newRow("-5m") << "-5m" << -0.005 << true;
        QTest::newRow("1.5e3k") << "1.5e3k" << 1.5e6 << true;
        QTest::newRow("empty") << "" << 0.0 << true;
        QTest::newRow("1e unreadable") << "1e" << 0.0 << true;
        QTest::newRow("bracket unreadable") << "[5" << 0.0 << true;
        // A number that does not fit a double is bad input, however it overflows.
        QTest::newRow("1e999") << "1e999" << 0.0 << false;
        QTest::newRow("1e300G overflows by its prefix") << "1e300G" << 0.0 << false;
        QTest::newRow("1e308 fits") << "1e308" << 1e308 << true;
        QTest::newRow("denormal fits") << "4.9e-324" << 4.9e-324 << true;
        QTest::newRow("hex") << "0x10" << 0.0 << false;
        QTest::newRow("3F") << "3F" << 3e-15 << true;
        QTest::newRow("non-ASCII letter") << QStringLiteral("\u00C91") << 0.0 << false;
        QTest::newRow("leading micro") << QStringLiteral("\u00B55") << 0.0 << false;
        QTest::newRow("open") << "open" << kOpenValue << true;
        QTest::newRow("all") << "all" << kOpenValue << true;
        QTest::newRow("Inf") << "Inf" << kOpenValue << true;
        QTest::newRow("short") << "short" << 0.0 << true;
        QTest::newRow("nan") << "nan" << 0.0 << true;
        QTest::newRow("OPEN") << "OPEN" << 0.0 << false;
        QTest::newRow("INF") << "INF" << 0.0 << false;
        QTest::newRow("word with trailing blank") << "open " << 0.0 << false;
    }

    void parseString()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, valid);
        const ParsedValue parsed = parseEngineering(text, ParseRules::String);
        QVERIFY(sameValue(parsed.value, value));
        QCOMPARE(parsed.valid, valid);
        QVERIFY(sameValue(string2Number(text), value));
    }

    void parseField_data()
    {
        addParseColumns();
        QTest::addColumn<QString>("kind");
        QTest::newRow("open R") << "open" << kOpenValue << true << "R";
        QTest::newRow("open C") << "open" << 0.0 << true << "C";
        QTest::newRow("short R") << "short" << 0.0 << true << "R";
        QTest::newRow("short C") << "short" << kOpenValue << true << "C";
        QTest::newRow("open c is not a capacitor") << "open" << kOpenValue << true << "c";
        QTest::newRow("INF") << "INF" << kOpenValue << true << "C";
        QTest::newRow("NaN") << "NaN" << 0.0 << true << "R";
        QTest::newRow("10kHz") << "10kHz" << 0.0 << false << "R";
        QTest::newRow("opens") << "opens" << 0.0 << false << "R";
    }

    void parseField()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, valid);
        QFETCH(QString, kind);
        const ParsedValue parsed = parseEngineering(text, ParseRules::Field, kind);
        QVERIFY(sameValue(parsed.value, value));
        QCOMPARE(parsed.valid, valid);
    }

    void parseLabel_data()
    {
        addParseColumns();
        QTest::newRow("3F") << "3F" << 0.0 << false;
        QTest::newRow("3f") << "3f" << 3e-15 << true;
        QTest::newRow("open") << "open" << kOpenValue << true;
        QTest::newRow("OPEN") << "OPEN" << 0.0 << false;
        QTest::newRow("Nan") << "Nan" << 0.0 << true;
        QTest::newRow("4.7 k") << "4.7 k" << 4700.0 << true;
        QTest::newRow("5mA") << "5mA" << 0.0 << false;
    }

    void parseLabel()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, valid);
        const ParsedValue parsed = parseEngineering(text, ParseRules::Label);
        QVERIFY(sameValue(parsed.value, value));
        QCOMPARE(parsed.valid, valid);
    }

    void number2String_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << "0";
        QTest::newRow("-0.0") << -0.0 << "0";
        QTest::newRow("below 0.001") << 0.00099 << "0";
        QTest::newRow("negative below 0.001") << -0.0004 << "-0";
        QTest::newRow("0.001") << 0.001 << "0.001";
        // Exact halves go to the even digit, as printf's %g does.
        QTest::newRow("124.5") << 124.5 << "124";
        QTest::newRow("-11.25") << -11.25 << "-11.2";
        QTest::newRow("999.96") << 999.96 << "1e+03";
        QTest::newRow("1234") << 1234.0 << "1230";
        QTest::newRow("1005 half to even down") << 1005.0 << "1000";
        QTest::newRow("1015 half to even up") << 1015.0 << "1020";
        QTest::newRow("999999") << 999999.0 << "1e+06";
        QTest::newRow("1000000") << 1e6 << "1000000";
        QTest::newRow("1235000 half to even") << 1235000.0 << "1240000";
        QTest::newRow("12345678") << 12345678.0 << "1.235e+07";
        QTest::newRow("open value") << kOpenValue << "4.29497e+09";
    }

    void number2String()
    {
        QFETCH(double, x);
        QFETCH(QString, text);
        QCOMPARE(::number2String(x), text);
    }

    void formatSI_data() { addRows(kFormatSI); }

    void formatSI()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, value, unit, text] = kFormatSI[rowNumber];
        QCOMPARE(::formatSI(value, unit), text);
    }

    void formatSIAtBound_data()
    {
        // Exactly at each moved bound the next prefix applies; whether the digits
        // then round to 1 or stay 0.999 depends on the binary value.
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("9.995e-13") << 9.995e-13 << " p";
        QTest::newRow("9.995e-10") << 9.995e-10 << " n";
        QTest::newRow("9.995e-7") << 9.995e-7 << " u";
        QTest::newRow("9.995e-4") << 9.995e-4 << " m";
        QTest::newRow("0.9995") << 0.9995 << " ";
        QTest::newRow("999.5") << 999.5 << " k";
        QTest::newRow("999500") << 999500.0 << " M";
        QTest::newRow("9.995e8") << 9.995e8 << " G";
        QTest::newRow("9.995e11") << 9.995e11 << " T";
    }

    void formatSIAtBound()
    {
        QFETCH(double, value);
        QFETCH(QString, prefix);
        const QString text = ::formatSI(value, "V");
        QVERIFY2(text.endsWith(prefix + "V"), qPrintable(text));
        QVERIFY2(!text.contains("e+"), qPrintable(text));
        QVERIFY(std::fabs(string2Number(text.chopped(1)) - value) <= 1e-3 * value);
    }

    void labelText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << "0 V";
        QTest::newRow("1e-13") << 1e-13 << "100 fV";
        QTest::newRow("1e-6") << 1e-6 << QStringLiteral("1 \u00B5V");
        QTest::newRow("0.9996 shows 1e+03") << 0.9996 << "1e+03 mV";
        QTest::newRow("999.9") << 999.9 << "1e+03 V";
        QTest::newRow("1000") << 1000.0 << "1 kV";
        QTest::newRow("1e15") << 1e15 << "1e+15 V";
        QTest::newRow("-5") << -5.0 << "-5e+15 fV";
        QTest::newRow("-0.0047") << -0.0047 << "-4.7e+12 fV";
    }

    void labelText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(labelSIText(value, "V"), text);
    }

    void fieldText_data() { addRows(kFieldText); }

    void fieldText()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, value, unit, text] = kFieldText[rowNumber];
        QCOMPARE(fieldSIText(value, unit), text);
    }

    void itemText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << "0 pF";
        QTest::newRow("-1") << -1.0 << "-1e+12 pF";
        QTest::newRow("4.7e-7") << 4.7e-7 << "470 nF";
        QTest::newRow("1e-6") << 1e-6 << QStringLiteral("1 \u00B5F");
        QTest::newRow("0.5") << 0.5 << "500 mF";
        QTest::newRow("4700 has no k") << 4700.0 << "4.7e+03 F";
    }

    void itemText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(itemSIText(value, "F"), text);
    }

    void truncate3_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("truncated");
        QTest::newRow("1234.5") << 1234.5 << 1230.0;
        QTest::newRow("0.012345") << 0.012345 << 0.0123;
        QTest::newRow("999.99") << 999.99 << 999.0;
        QTest::newRow("0.0009") << 0.0009 << 0.0;
        QTest::newRow("-5") << -5.0 << 0.0;
        QTest::newRow("open value") << kOpenValue << 4290000000.0;
    }

    void truncate3()
    {
        QFETCH(double, value);
        QFETCH(double, truncated);
        QCOMPARE(::truncate3(value), truncated);
    }

    void general3_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("4.7") << 4.7 << "4.7";
        QTest::newRow("1000") << 1000.0 << "1e+03";
        QTest::newRow("12345") << 12345.0 << "1.23e+04";
        QTest::newRow("1.23456e-5") << 1.23456e-5 << "1.23e-05";
        QTest::newRow("-2.345") << -2.345 << "-2.35";
    }

    void general3()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(::general3(value), text);
    }

    void roundTrip()
    {
        // Three significant digits are within half a unit of the third digit.
        const double mantissas[] = { 1.0, 1.234, 2.2, 4.7, 5.555, 9.99, 9.996 };
        for (int e = -17; e <= 17; ++e) {
            for (double m : mantissas) {
                for (double sign : { 1.0, -1.0 }) {
                    const double v = sign * m * std::pow(10.0, e);
                    for (const QString &text : { fieldSIText(v, QString()), ::formatSI(v, QString()) }) {
                        const ParsedValue parsed = parseEngineering(text, ParseRules::Field, "R");
                        QVERIFY2(parsed.valid, qPrintable(text));
                        QVERIFY2(std::fabs(parsed.value - v) <= 5e-3 * std::fabs(v), qPrintable(text));
                    }
                }
            }
        }
    }

    void nonFinite_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("inf") << std::numeric_limits<double>::infinity();
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
    }

    // No formatter prints "inf" or "nan": a value that is no number shows a dash.
    void nonFinite()
    {
        QFETCH(double, value);
        const QString dash = QStringLiteral("\u2014");
        QCOMPARE(::number2String(value), dash);
        QCOMPARE(::formatSI(value, "W"), dash);
        QCOMPARE(labelSIText(value, "W"), dash);
        QCOMPARE(fieldSIText(value, "W"), dash);
        QCOMPARE(itemSIText(value, "W"), dash);
        QCOMPARE(::general3(value), dash);
    }
};

QTEST_GUILESS_MAIN(TestSiValues)
#include "test_sivalues.moc"
