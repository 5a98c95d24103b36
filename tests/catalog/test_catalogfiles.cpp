#include "catalog/catalogs.h"

#include <QTemporaryDir>
#include <QtTest>

#include "tests/rowtable.h"

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

amp linearPart(const QString &name, int preV6Index, double vssMax = 0)
{
    amp a;
    a.ampName = name;
    a.PreV6Index = preV6Index;
    a.Vss_max = vssMax;
    return a;
}

pwm pwmPart(const QString &name, int preV6Index, double vsMax = 0)
{
    pwm p;
    p.ampName = name;
    p.PreV6Index = preV6Index;
    p.Vs_max = vsMax;
    return p;
}

} // namespace

struct RowPackageLookups {
    const char *tag;
    QString code;
    QString shortDesc;
    QString fullDesc;
} const kPackageLookups[] = {
    { "known", "TO3", "TO-204", "8-pin TO-3" },
    { "duplicate gives first", "DIP8", "MS-001", "8-pin DIP" },
    { "case differs", "to3", "-", "-" },
    { "unknown", "SIP99", "-", "-" },
};

class TestCatalogFiles : public QObject {
    Q_OBJECT
private slots:

    void missingFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("linear") << "linear"
                                << "Could not open Linear Amp File";
        QTest::newRow("host") << "host"
                              << "Could not open Host Amp File";
        QTest::newRow("pwm") << "pwm"
                             << "Could not open PWM Amp File";
        QTest::newRow("package") << "package"
                                 << "Could not open Package Style File";
        QTest::newRow("heatsink") << "heatsink"
                                  << "Could not open Heatsink File";
    }

    void missingFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("absent.txt");
        // Targets start non-empty: a failed load must still clear them.
        QVector<amp> amps(2);
        QVector<pwm> pwms(2);
        QVector<PackageStyle> styles(2);
        QVector<Heatsink> sinks(2);
        QTest::ignoreMessage(QtDebugMsg, qPrintable(message));
        int size = -1;
        if (kind == "linear") {
            loadLinearCatalog(amps, true, path);
            size = amps.size();
        } else if (kind == "host") {
            loadHostCatalog(amps, path);
            size = amps.size();
        } else if (kind == "pwm") {
            loadPwmCatalog(pwms, true, path);
            size = pwms.size();
        } else if (kind == "package") {
            loadPackageStyles(styles, path);
            size = styles.size();
        } else {
            loadHeatsinks(sinks, path);
            size = sinks.size();
        }
        QCOMPARE(size, 0);
    }

    void loadAllFromFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(writeFile(CatalogFiles::linearFile(dir.path()),
            "ampName\treleased?\tchannels\tPd_max\t\r\nL1\tY\t2\t50\t60\r\nL2\tN\t1\t20\r\n"));
        QVERIFY(writeFile(CatalogFiles::hostFile(dir.path()),
            "ampName\tPd_max\tchannels\nH1\t0.5\t2\nH2\t0.7\t1\nH3\t1\t1\n"));
        QVERIFY(writeFile(
            CatalogFiles::pwmFile(dir.path()), "ampName\treleased?\toutputs\nP1\tN\t3\nP2\tY\t1\n"));
        QVERIFY(writeFile(
            CatalogFiles::packageFile(dir.path()), "Code\tshortDesc\tfullDesc\nTO3\tTO-204\t8-pin TO-3\n"));
        QVERIFY(writeFile(CatalogFiles::heatsinkFile(dir.path()),
            "Name\tnumPackages\tpackages\t\t\tA\nKH1\t1\tTO3\t\t\t9.5\n"));

        Catalogs c;
        c.linear.resize(5);
        loadAllCatalogs(c, false, dir.path());
        QCOMPARE(c.linear.size(), 1);
        QCOMPARE(c.linear[0].Pd_max, (QVector<double> { 50, 60 }));
        QCOMPARE(c.host.size(), 3);
        QCOMPARE(c.host[0].Pd_max, QVector<double> { 0.5 });
        QCOMPARE(c.pwms.size(), 1);
        QCOMPARE(c.pwms[0].outputs, 1);
        QCOMPARE(c.packages.size(), 1);
        QCOMPARE(c.packages[0].fullDesc, QStringLiteral("8-pin TO-3"));
        QCOMPARE(c.heatsinks.size(), 1);
        QCOMPARE(c.heatsinks[0].A, 9.5);

        loadAllCatalogs(c, true, dir.path());
        QCOMPARE(c.linear.size(), 2);
        QCOMPARE(c.linear[1].Pd_max, QVector<double> { 20 });
        QCOMPARE(c.pwms.size(), 2);
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("pulse");
        QTest::newRow("Latin-1 micro sign") << QByteArray("10\xb5s");
        QTest::newRow("UTF-8 micro sign") << QByteArray("10\xc2\xb5s");
        QTest::newRow("UTF-8 with byte-order mark") << QByteArray("10\xc2\xb5s");
    }

    void decoding()
    {
        QFETCH(QByteArray, pulse);
        const bool bom = QTest::currentDataTag() == QLatin1String("UTF-8 with byte-order mark");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("lin.txt");
        QVERIFY(writeFile(path,
            (bom ? QByteArray("\xef\xbb\xbf") : QByteArray()) + "ampName\tpulse1\tpulse1_V\nQ1\t" + pulse
                + "\t30\n"));
        QVector<amp> amps;
        loadLinearCatalog(amps, false, path);
        QCOMPARE(amps.size(), 1);
        QCOMPARE(amps[0].pulse1, QString(QStringLiteral("10") + QChar(0xb5) + QStringLiteral("s")));
        QCOMPARE(amps[0].pulse1_V, 30.0);
    }

    void ampVectorIndex_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("first") << "QA10" << 0;
        QTest::newRow("duplicate gives first") << "QB20" << 1;
        QTest::newRow("last") << "qb20" << 3;
        QTest::newRow("case differs") << "qa10" << 4;
        QTest::newRow("unknown") << "QZ99" << 4;
        QTest::newRow("empty name") << "" << 4;
    }

    void ampVectorIndex()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        const QVector<amp> linear { linearPart("QA10", 0), linearPart("QB20", 1), linearPart("QB20", 2),
            linearPart("qb20", 3) };
        QCOMPARE(::ampVectorIndex(linear, name), index);
    }

    void packageLookups_data() { addRows(kPackageLookups); }

    void packageLookups()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, code, shortDesc, fullDesc] = kPackageLookups[rowNumber];
        const QVector<PackageStyle> styles { { "TO3", "TO-204", "8-pin TO-3" },
            { "DIP8", "MS-001", "8-pin DIP" }, { "DIP8", "other", "other" } };
        QCOMPARE(interpretPackage(styles, code), shortDesc);
        QCOMPARE(interpretPackageFullDesc(styles, code), fullDesc);
    }

    void preV7Names_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("first match of two") << 3 << "B";
        QTest::newRow("zero") << 0 << "C";
        QTest::newRow("absent then") << -1 << "A";
        QTest::newRow("no record carries it") << 7 << "D";
    }

    void preV7Names()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        const QVector<amp> amps { linearPart("A", -1), linearPart("B", 3), linearPart("C", 0),
            linearPart("D", 3) };
        const QVector<pwm> pwms { pwmPart("A", -1), pwmPart("B", 3), pwmPart("C", 0), pwmPart("D", 3) };
        QCOMPARE(beforeV7IndextoAmpName(amps, index), name);
        QCOMPARE(beforeV7IndextoHostName(amps, index), name);
        QCOMPARE(beforeV7IndextoPwmName(pwms, index), name);
    }

    void emptyCatalogFallbacks()
    {
        const QVector<amp> noAmps;
        const QVector<pwm> noPwms;
        const QVector<PackageStyle> noStyles;
        QCOMPARE(::ampVectorIndex(noAmps, "QA10"), 0);
        QCOMPARE(interpretPackage(noStyles, "TO3"), QStringLiteral("-"));
        QCOMPARE(interpretPackageFullDesc(noStyles, "TO3"), QStringLiteral("-"));
        QCOMPARE(beforeV7IndextoAmpName(noAmps, 0), QStringLiteral("QX295"));
        QCOMPARE(beforeV7IndextoHostName(noAmps, 0), QStringLiteral("QX295"));
        QCOMPARE(beforeV7IndextoPwmName(noPwms, 0), QStringLiteral("TZ610"));

        const amp a = findLinear(noAmps, "QA10");
        QCOMPARE(a.ampName, QStringLiteral("QX295"));
        QCOMPARE(a.channels, 1);
        const pwm p = findSwitching(noPwms, "P1");
        QCOMPARE(p.ampName, QStringLiteral("TZ610"));
        QCOMPARE(p.outputs, 2);
    }

    void findByName()
    {
        const QVector<amp> amps { linearPart("A", 0, 40), linearPart("B", 1, 100), linearPart("B", 2, 200) };
        QCOMPARE(findLinear(amps, "B").Vss_max, 100.0);
        QCOMPARE(findLinear(amps, "A").Vss_max, 40.0);
        QCOMPARE(findLinear(amps, "b").ampName, QStringLiteral("A"));
        QCOMPARE(findLinear(amps, "Z").Vss_max, 40.0);

        const QVector<pwm> pwms { pwmPart("P1", 0, 60), pwmPart("P2", 1, 500), pwmPart("P2", 2, 900) };
        QCOMPARE(findSwitching(pwms, "P2").Vs_max, 500.0);
        QCOMPARE(findSwitching(pwms, "P9").ampName, QStringLiteral("P1"));
        QCOMPARE(findSwitching(pwms, "P9").Vs_max, 60.0);
    }
};

QTEST_GUILESS_MAIN(TestCatalogFiles)
#include "test_catalogfiles.moc"
