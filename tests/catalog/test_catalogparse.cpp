#include "catalog/catalogs.h"

#include <QLocale>
#include <QtTest>

#include "tests/rowtable.h"

using Doubles = QVector<double>;

namespace {

// Rows are written with spaces for readability; every space is one TAB, so two
// spaces make an empty field.
QString tabs(const QString &spaced)
{
    QString s = spaced;
    return s.replace(QLatin1Char(' '), QLatin1Char('\t'));
}

QString lines(const QStringList &spacedLines, const QString &eol = QStringLiteral("\n"))
{
    QStringList out;
    for (const QString &l : spacedLines)
        out << tabs(l);
    return out.join(eol);
}

QStringList captured;

void capture(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    captured << msg;
}

// Collects every log line written while it lives.
struct LogCapture {
    QtMessageHandler previous;
    LogCapture()
    {
        captured.clear();
        previous = qInstallMessageHandler(capture);
    }
    ~LogCapture() { qInstallMessageHandler(previous); }
};

template <typename R> QStringList names(const QVector<R> &records)
{
    QStringList out;
    for (const R &r : records)
        out << r.ampName;
    return out;
}

const QString kListHeader
    = QStringLiteral("ampName channels Pd_max Iq_max boostOptions SROptions boost Ccomp Rcomp slewRate pole1 "
                     "pole2 pole3 VswingC VswingB VswingA UGS");

} // namespace

struct RowListColumns {
    const char *tag;
    QString row;
    Doubles pdMax;
    double iqMax;
    Doubles boost;
    Doubles ccomp;
    Doubles pole3;
    Doubles vswingC;
    Doubles vswingA;
    QString ugs;
} const kListColumns[] = {
    { "two channels", "A 2 40 45 3.5 0 1 NA 0 0 2.5 10 1e6 2e6 1.5 0.1 0.01 Y", Doubles { 40, 45 }, 3.5,
        Doubles {}, Doubles { 0 }, Doubles { 2e6 }, Doubles { 1.5 }, Doubles { 0.01 }, "Y" },
    { "no channels", "B 0 3.5 0 1 NA 0 0 2.5 10 1e6 2e6 1.5 0.1 0.01 N", Doubles {}, 3.5, Doubles {},
        Doubles { 0 }, Doubles { 2e6 }, Doubles { 1.5 }, Doubles { 0.01 }, "N" },
    { "three compensations",
        "C 1 60 2 0 3 NA 0 33 100 0 10 10 10 20 30 2 3 4 1e4 2e4 3e4 1e5 2e5 3e5 1 0.2 0.02 w/Cc",
        Doubles { 60 }, 2.0, Doubles {}, Doubles { 0, 33, 100 }, Doubles { 1e5, 2e5, 3e5 }, Doubles { 1 },
        Doubles { 0.02 }, "w/Cc" },
    { "boost supply", "D 1 125 5 1 2 15 0 10 0 100 5 8 10 10 1e5 1e5 1e6 1e6 2.2 1.1 0.3 0.2 0.05 0.04 Y",
        Doubles { 125 }, 5.0, Doubles { 15 }, Doubles { 0, 10 }, Doubles { 1e6, 1e6 }, Doubles { 2.2, 1.1 },
        Doubles { 0.05, 0.04 }, "Y" },
};

struct RowNumberCells {
    const char *tag;
    QString cell;
    QString locale;
    double value;
} const kNumberCells[] = {
    { "decimal", "12.5", "C", 12.5 },
    { "exponent", "4.7e-12", "C", 4.7e-12 },
    { "NA", "NA", "C", 0.0 },
    { "text", "N", "C", 0.0 },
    { "point under German locale", "12.5", "de_DE", 12.5 },
};

class TestCatalogParse : public QObject {
    Q_OBJECT
private slots:

    void listColumns_data() { addRows(kListColumns); }

    void listColumns()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, row, pdMax, iqMax, boost, ccomp, pole3, vswingC, vswingA, ugs]
            = kListColumns[rowNumber];
        const QVector<amp> r = parseLinearCatalog(lines({ kListHeader, row }), false);
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].Pd_max, pdMax);
        QCOMPARE(r[0].Iq_max, iqMax);
        QCOMPARE(r[0].boost, boost);
        QCOMPARE(r[0].Ccomp, ccomp);
        QCOMPARE(r[0].Rcomp.size(), ccomp.size());
        QCOMPARE(r[0].slewRate.size(), ccomp.size());
        QCOMPARE(r[0].pole3, pole3);
        QCOMPARE(r[0].VswingC, vswingC);
        QCOMPARE(r[0].VswingB.size(), vswingC.size());
        QCOMPARE(r[0].VswingA, vswingA);
        QCOMPARE(r[0].UGS, ugs);
    }

    void rowsStartFromDefaults()
    {
        const QVector<amp> r
            = parseLinearCatalog(lines({ "ampName channels Pd_max boostOptions boost VswingC",
                                     "A 2 40 45 1 15 1.5 2.5", "B 1 20 0 NA 1.2" }),
                false);
        QCOMPARE(r.size(), 2);
        QCOMPARE(r[1].Pd_max, Doubles { 20 }); // a reused record would keep A's values
        QCOMPARE(r[1].boost, Doubles {});
        QCOMPARE(r[1].VswingC, Doubles { 1.2 });
        QCOMPARE(r[1].Ccomp, Doubles {});
        QCOMPARE(r[1].PreV6Index, 0);
    }

    void hostReadsOnePdMax()
    {
        const QVector<amp> r = parseHostCatalog(lines({ "ampName Pd_max channels Iq_max", "H1 1.5 2 0.8" }));
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].Pd_max, Doubles { 1.5 });
        QCOMPARE(r[0].channels, 2);
        QCOMPARE(r[0].Iq_max, 0.8);
        QCOMPARE(r[0].Inputs, QString());
        QCOMPARE(r[0].SiteLink, QString::fromLatin1(kZarnHomePage));
    }

    void groupLayoutWithEmptyFields()
    {
        // Spare group columns, a leading TAB and trailing TABs all vanish.
        const QVector<amp> r = parseLinearCatalog(
            lines({ " ampName  channels Pd_max    Iq_max  ", " A  2 40 45    0.5   " }), false);
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].ampName, QStringLiteral("A"));
        QCOMPARE(r[0].Pd_max, (Doubles { 40, 45 }));
        QCOMPARE(r[0].Iq_max, 0.5);
    }

    void unknownColumns()
    {
        const QVector<amp> a
            = parseLinearCatalog(lines({ "ampName Remarks Vss_max", "A see-note 48" }), false);
        QCOMPARE(a.size(), 1);
        QCOMPARE(a[0].Vss_max, 48.0);

        const QVector<pwm> p = parsePwmCatalog(lines({ "ampName Remarks Vs_max", "P1 see-note 400" }), false);
        QCOMPARE(p.size(), 1);
        QCOMPARE(p[0].Vs_max, 400.0);

        // In the heatsink file an unknown name consumes nothing, but AAVID takes one cell.
        const QVector<Heatsink> h
            = parseHeatsinks(lines({ "Name Remarks FreeAirTheta AAVID Length", "KH1 3.2 530002B 4.5" }));
        QCOMPARE(h.size(), 1);
        QCOMPARE(h[0].FreeAirTheta, 3.2);
        QCOMPARE(h[0].Length, 4.5);
    }

    void numberCells_data() { addRows(kNumberCells); }

    void numberCells()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, cell, locale, value] = kNumberCells[rowNumber];
        const QLocale saved;
        QLocale::setDefault(QLocale(locale));
        const QVector<amp> r
            = parseLinearCatalog(lines({ "ampName Vss_max CLint", "A " + cell + " " + cell }), false);
        QLocale::setDefault(saved);
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].Vss_max, value);
        QCOMPARE(r[0].CLint, value);
    }

    void integerAndFlagCells_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("whole");
        QTest::addColumn<bool>("srBoost");
        QTest::addColumn<bool>("errorAmp");

        QTest::newRow("Y") << "Y" << 0 << true << false;
        QTest::newRow("N") << "N" << 0 << false << false;
        QTest::newRow("one") << "1" << 1 << false << true;
        QTest::newRow("minus one") << "-1" << -1 << false << true;
    }

    void integerAndFlagCells()
    {
        QFETCH(QString, cell);
        QFETCH(int, whole);
        QFETCH(bool, srBoost);
        QFETCH(bool, errorAmp);
        const QString c = " " + cell;
        const QVector<amp> a
            = parseLinearCatalog(lines({ "ampName PreV6Index SRboost PSGstatus", "A" + c + c + c }), false);
        const QVector<pwm> p
            = parsePwmCatalog(lines({ "ampName outputs ErrorAmp I_sense_pins", "P" + c + c + c }), false);
        QCOMPARE(a.size(), 1);
        QCOMPARE(p.size(), 1);
        QCOMPARE(a[0].PreV6Index, whole);
        QCOMPARE(a[0].PSGstatus, whole);
        QCOMPARE(a[0].SRboost, srBoost);
        QCOMPARE(p[0].outputs, whole);
        QCOMPARE(p[0].I_sense_pins, whole);
        QCOMPARE(p[0].ErrorAmp, errorAmp);
    }

    void preRelease_data()
    {
        QTest::addColumn<bool>("include");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("released only") << false << QStringList { "A", "C", "D" };
        QTest::newRow("with pre-release") << true << QStringList { "A", "B", "C", "D" };
    }

    void preRelease()
    {
        QFETCH(bool, include);
        QFETCH(QStringList, expected);
        const QStringList rows { "A Y 1", "B N 2", "C x 3", "D n 4" };
        QStringList linear { "ampName released? Vss_max" };
        QStringList switching { "ampName released? Vs_max" };
        linear << rows;
        switching << rows;
        QCOMPARE(names(parseLinearCatalog(lines(linear), include)), expected);
        QCOMPARE(names(parsePwmCatalog(lines(switching), include)), expected);
        // Host parts are never filtered.
        QCOMPARE(names(parseHostCatalog(lines(linear))), (QStringList { "A", "B", "C", "D" }));
    }

    void crlfLineEnds()
    {
        const QStringList text { "ampName Vss_max UGS", "", "A 48 Y", "B 100 N", "" };
        const QVector<amp> r = parseLinearCatalog(lines(text, "\r\n"), false);
        QCOMPARE(names(r), (QStringList { "A", "B" }));
        QCOMPARE(r[1].Vss_max, 100.0);
        QCOMPARE(r[1].UGS, QStringLiteral("N"));
    }

    // Short lines and damaged cells skip their row with one log line instead of
    // reading a made-up 0 or moving every later column by one. The expected names
    // are blank-separated, the log lines "|"-separated without "<catalog>: " and ", skipped".
    void shortLines_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("log");
        const QString amps = "ampName channels Pd_max Iq_max";
        const QString few = "line 3 has too few cells", few2 = "line 2 has too few cells";
        QTest::newRow("complete rows") << "linear" << lines({ amps, "A 1 10 0.5", "B 2 10 12 0.7" }) << "A B"
                                       << "";
        QTest::newRow("list runs out")
            << "linear" << lines({ amps, "A 1 10 0.5", "B 2 10 0.6", "C 1 12 0.7" }) << "A C" << few;
        QTest::newRow("blank lines still count")
            << "linear" << lines({ amps, "", "A 1", "", "C 1 12 0.7" }) << "C" << few;
        QTest::newRow("unknown column needs its cell")
            << "host" << lines({ amps + " Remarks", "A 1 10 0.5", "B 1 10 0.5 ok" }) << "B" << few2;
        QTest::newRow("pwm last scalar")
            << "pwm" << lines({ "ampName Vs_max MgradeAvailable", "P1 400", "P2 200 1" }) << "P2" << few2;
        QTest::newRow("heatsink packages")
            << "heatsink" << lines({ "Name numPackages packages A", "KH1 3 TO3 DIP8", "KH2 1 TO3 12.5" })
            << "KH2" << few2;
        QTest::newRow("heatsink trailing unknown")
            << "heatsink" << lines({ "Name A Remarks", "KH1 12.5" }) << "KH1"
            << "";
        QTest::newRow("package style")
            << "package" << lines({ "Code shortDesc fullDesc", "TO3 TO-204", "DIP8 MS-001 8-pin" }) << "DIP8"
            << few2;

        const QString lin = "ampName Vss_max channels Pd_max boostOptions boost VswingC",
                      b = "B 40 1 25 0 NA 5";
        // These rows hold a cell of one blank between tabs, so they are written out.
        QTest::newRow("cell of blanks is empty")
            << "linear" << lines({ lin, "A 40 1 25 0 NA 5" }) + "\nB\t40\t1\t25\t \t0\tNA\t5"
            << "A B"
            << "";
        QTest::newRow("blank cell no longer fills a column")
            << "linear" << lines({ lin }) + "\nA\t40\t1\t  \t0\tNA\t5"
            << "" << few2;
        QTest::newRow("number that does not parse")
            << "linear" << lines({ lin, "A 4O 1 25 0 NA 5", b }) << "B"
            << "line 2, column Vss_max: \"4O\" is not a number";
        QTest::newRow("overflowing number") << "linear" << lines({ lin, "A 1e999 1 25 0 NA 5" }) << ""
                                            << "line 2, column Vss_max: \"1e999\" is not a number";
        QTest::newRow("nan cell") << "linear" << lines({ lin, "A nan 1 25 0 NA 5" }) << ""
                                  << "line 2, column Vss_max: \"nan\" is not a number";
        QTest::newRow("comma decimal")
            << "heatsink" << lines({ "Name A B", "KH1 12,5 1", "KH2 12.5 1" }) << "KH2"
            << "line 2, column A: \"12,5\" is not a number";
        QTest::newRow("part called inf") << "linear" << lines({ lin, "inf 40 1 25 0 NA 5", b }) << "B"
                                         << "line 2, column ampName: \"inf\" is not a value";
        QTest::newRow("package called nan")
            << "heatsink" << lines({ "Name numPackages packages A", "KH1 2 TO3 nan 1" }) << ""
            << "line 2, column packages: \"nan\" is not a value";
        QTest::newRow("fraction in a count") << "linear" << lines({ lin, "A 40 2.5 25 0 NA 5" }) << ""
                                             << "line 2, column channels: \"2.5\" is not a whole number";
        QTest::newRow("count past int") << "linear" << lines({ lin, "A 40 99999999999 25 0 NA 5" }) << ""
                                        << "line 2, column channels: \"99999999999\" is not a whole number";
        QTest::newRow("absurd boost count")
            << "linear" << lines({ lin, "A 40 1 25 2147483647 1 2 3", b }) << "B"
            << "line 2, column boostOptions: count 2147483647 is outside 0 to 64";
        QTest::newRow("65 heatsink packages")
            << "heatsink" << lines({ "Name numPackages packages A", "KH1 65 TO3 1", "KH2 64 TO3 1" }) << ""
            << "line 2, column numPackages: count 65 is outside 0 to 64|line 3 has too few cells";
        QTest::newRow("count without its list")
            << "heatsink" << lines({ "Name numPackages A", "KH1 214 1", "KH2 2 1" }) << "KH2"
            << "line 2, column numPackages: count 214 is outside 0 to 64";
        QTest::newRow("pwm flag cell")
            << "pwm" << lines({ "ampName ErrorAmp Vs_max", "P1 1x 40", "P2 1 40" }) << "P2"
            << "line 2, column ErrorAmp: \"1x\" is not a whole number";
    }

    void shortLines()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(QString, log);
        const QHash<QString, QString> catalog { { "linear", "Linear Amp" }, { "host", "Host Amp" },
            { "pwm", "PWM Amp" }, { "heatsink", "Heatsink" }, { "package", "Package Style" } };
        QStringList got;
        {
            LogCapture capture;
            if (kind == "linear")
                got = names(parseLinearCatalog(text, true));
            else if (kind == "host")
                got = names(parseHostCatalog(text));
            else if (kind == "pwm")
                got = names(parsePwmCatalog(text, true));
            else if (kind == "heatsink")
                for (const Heatsink &h : parseHeatsinks(text))
                    got << h.name;
            else
                for (const PackageStyle &s : parsePackageStyles(text))
                    got << s.Code;
        }
        QCOMPARE(got, expected.split(' ', Qt::SkipEmptyParts));
        QStringList logLines;
        for (const QString &l : log.split('|', Qt::SkipEmptyParts))
            logLines << catalog.value(kind) + " catalog: " + l + ", skipped";
        QCOMPARE(captured, logLines);
    }

    void heatsinkPackages_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("packages");

        QTest::newRow("three of ten") << "KH1 2.1 3 1.5 0.9 1.2 530002B 3 TO3 DIP8 SIP12        "
                                         "12.5 -0.004 0.8 1.4 https://d.example/kh1.pdf"
                                      << QStringList { "TO3", "DIP8", "SIP12" };
        QTest::newRow("none") << "KH2 2.1 3 1.5 0.9 1.2 530003B 0          "
                                 "12.5 -0.004 0.8 1.4 https://d.example/kh1.pdf"
                              << QStringList {};
    }

    void heatsinkPackages()
    {
        const QString header = "Name FreeAirTheta Length Width Height Weight AAVID numPackages "
                               "packages          A B C relative_price drawingLink";
        QFETCH(QString, row);
        QFETCH(QStringList, packages);
        const QVector<Heatsink> h = parseHeatsinks(lines({ header, row }));
        QCOMPARE(h.size(), 1);
        QCOMPARE(h[0].packages, packages);
        QCOMPARE(h[0].numPackages, packages.size());
        QCOMPARE(h[0].A, 12.5);
        QCOMPARE(h[0].drawingLink, QStringLiteral("https://d.example/kh1.pdf"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogParse)
#include "test_catalogparse.moc"
