#include "values/fieldvalues.h"
#include "values/sivalues.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <qcustomplot.h>

bool textColourIs(const QLineEdit &field, const QColor &colour)
{
    const QPalette p = field.palette();
    return p.color(QPalette::Active, QPalette::Text) == colour
        && p.color(QPalette::Inactive, QPalette::Text) == colour
        && p.color(QPalette::Disabled, QPalette::Text) == colour;
}

class TestFieldValues : public QObject {
    Q_OBJECT

private slots:

    void field_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<double>("value");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("shown"); // the field's text afterwards; empty: unchanged
        const QColor black(0, 0, 0);
        const QColor gray(Qt::gray);
        const QColor red(255, 0, 0);
        QTest::newRow("2.2k") << "2.2k"
                              << "R" << true << 2200.0 << black << "";
        QTest::newRow("2.2k disabled") << "2.2k"
                                       << "R" << false << 2200.0 << gray << "";
        QTest::newRow("empty") << ""
                               << "R" << true << 0.0 << black << "";
        QTest::newRow("10kHz") << "10kHz"
                               << "R" << true << 0.0 << red << "";
        QTest::newRow("10kHz disabled") << "10kHz"
                                        << "R" << false << 0.0 << red << "";
        QTest::newRow("3F") << "3F"
                            << "C" << true << 3e-15 << black << "";
        QTest::newRow("OPEN") << "OPEN"
                              << "R" << true << kOpenValue << black << "";
        QTest::newRow("open C") << "open"
                                << "C" << true << 0.0 << black << "";
        QTest::newRow("short C") << "short"
                                 << "C" << true << kOpenValue << black << "";
        // "inf" and "nan" read as the open value and zero; the field then shows
        // the word for what was read, never "inf" or "nan".
        QTest::newRow("NaN") << "NaN"
                             << "R" << false << 0.0 << gray << "0";
        QTest::newRow("inf R") << "inf"
                               << "R" << true << kOpenValue << black << "open";
        QTest::newRow("Inf C") << "Inf"
                               << "C" << true << kOpenValue << black << "short";
        QTest::newRow("infinity") << "infinity"
                                  << "R" << true << 0.0 << red << "";
    }

    void field()
    {
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QFETCH(bool, enabled);
        QFETCH(double, value);
        QFETCH(QColor, colour);
        QFETCH(QString, shown);
        QLineEdit edit;
        edit.setEnabled(enabled);
        edit.setText(text);
        QCOMPARE(field2Number(&edit, kind), value);
        QVERIFY(textColourIs(edit, colour));
        QCOMPARE(edit.text(), shown.isEmpty() ? text : shown);
    }

    void redClearedByGoodEntry()
    {
        QLineEdit edit;
        edit.setText("10uF");
        QCOMPARE(field2Number(&edit, "C"), 0.0);
        QVERIFY(textColourIs(edit, QColor(255, 0, 0)));
        edit.setText("10u");
        QCOMPARE(field2Number(&edit, "C"), 10e-6);
        QVERIFY(textColourIs(edit, QColor(0, 0, 0)));
        QCOMPARE(field2Number(nullptr, "R"), 0.0);
    }

    void label_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("red");
        QTest::newRow("3F") << "3F" << 0.0 << true;
        QTest::newRow("3f") << "3f" << 3e-15 << false;
        QTest::newRow("open") << "open" << kOpenValue << false;
        QTest::newRow("OPEN") << "OPEN" << 0.0 << true;
        QTest::newRow("5mA") << "5mA" << 0.0 << true;
    }

    void label()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, red);
        QCustomPlot plot;
        auto *item = new QCPItemText(&plot);
        item->setColor(Qt::blue);
        QCOMPARE(label2Number(text, item), value);
        QCOMPARE(item->color(), red ? QColor(255, 0, 0) : QColor(0, 0, 0));
        QCOMPARE(label2Number(text, nullptr), value);
    }

    void writers()
    {
        QLabel label;
        setLabelSI(4700, &label, QStringLiteral("\u03A9"));
        QCOMPARE(label.text(), QStringLiteral("4.7 k\u03A9"));
        setLabelSI(2.2e-5, &label, "F");
        QCOMPARE(label.text(), QStringLiteral("22 \u00B5F"));

        QCustomPlot plot;
        auto *item = new QCPItemText(&plot);
        setItemSI(4.7e-7, item, "F");
        QCOMPARE(item->text(), QString("470 nF"));
        setItemSI(4700, item, QStringLiteral("\u03A9"));
        QCOMPARE(item->text(), QStringLiteral("4.7e+03 \u03A9"));

        QLineEdit edit;
        setFieldSI(0.00047, &edit, "");
        QCOMPARE(edit.text(), QString("470u"));
    }

    void fieldReadsBack_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("readable");
        QTest::newRow("470u") << 0.00047 << "" << true;
        QTest::newRow("470uF") << 0.00047 << "F" << false;
        QTest::newRow("-5") << -5.0 << "" << true;
        QTest::newRow("0") << 0.0 << "" << true;
    }

    void fieldReadsBack()
    {
        QFETCH(double, value);
        QFETCH(QString, unit);
        QFETCH(bool, readable);
        QLineEdit edit;
        setFieldSI(value, &edit, unit);
        const double back = field2Number(&edit, "C");
        if (readable) {
            QVERIFY(qAbs(back - value) <= 1e-12 * qAbs(value));
            QVERIFY(textColourIs(edit, QColor(0, 0, 0)));
        } else {
            QCOMPARE(back, 0.0);
            QVERIFY(textColourIs(edit, QColor(255, 0, 0)));
        }
    }
};

QTEST_MAIN(TestFieldValues)
#include "test_fieldvalues.moc"
