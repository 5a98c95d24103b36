// The product selection guide tables on a small catalog built here.
#include <QTemporaryDir>
#include <QtTest>

#include "pages/hidden/productguide.h"

namespace {

pwm makePwm(const char *name, double current, double supply, double fsw, int status = 1)
{
    pwm p;
    p.ampName = QLatin1String(name);
    p.I_cont = current;
    p.Vs_max = supply;
    p.Fsw_max = fsw;
    p.Pd_max = 10;
    p.packageStyle = QStringLiteral("PD12");
    p.PSGstatus = status;
    return p;
}

amp makeAmp(const char *name, double current, double supply, double slew, int status = 1, int channels = 1)
{
    amp a;
    a.ampName = QLatin1String(name);
    a.I_cont = current;
    a.Vss_max = supply;
    a.slewRate = { slew };
    a.channels = channels;
    a.Pd_max = QVector<double>(channels, 25);
    a.Iq_max = 2;
    a.packageStyle = QStringLiteral("TO3");
    a.PSGstatus = status;
    return a;
}

Catalogs smallCatalog()
{
    Catalogs c;
    c.packages = { { QStringLiteral("TO3"), QStringLiteral("TO-3"), QStringLiteral("8-pin TO-3") },
        { QStringLiteral("PD12"), QStringLiteral("PD"), QStringLiteral("12-pin Power DIP") } };
    c.pwms = { makePwm("P-low", 0.99, 200, 100), makePwm("P-one", 1.0, 50, 100),
        makePwm("P-hidden", 20, 500, 100, 0), makePwm("P-variant", 20, 500, 100, 2),
        makePwm("P-slow", 10, 100, 50), makePwm("P-fast", 10, 100, 200), makePwm("P-big", 15, 79.9, 100),
        makePwm("P-hv", 5, 100, 500), makePwm("P-hv2", 5, 150, 20) };
    c.linear = { makeAmp("L-100sr", 0.5, 100, 100), makeAmp("L-fast", 2, 60, 400),
        makeAmp("L-dual", 3, 40, 150, 1, 2), makeAmp("L-off", 50, 500, 900, 0),
        makeAmp("L-duala", 3, 40, 150, 2, 2), makeAmp("L-99v", 1.0, 99, 10) };
    c.linear[1].MgradeAvailable = 1;
    c.linear[4].packageStyle = QStringLiteral("PD12");
    return c;
}

QStringList table(void (*writer)(QTextStream &, const Catalogs &), const Catalogs &c)
{
    QString text;
    QTextStream out(&text);
    writer(out, c);
    out.flush();
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// First cells of the body lines (an extra line gives an empty first cell).
QStringList models(const QStringList &lines)
{
    QStringList names;
    for (int i = 2; i < lines.size(); ++i)
        names << lines.at(i).section(QStringLiteral(", "), 0, 0);
    return names;
}

} // namespace

class TestProductGuide : public QObject {
    Q_OBJECT
private slots:
    void orders_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<QStringList>("expected");
        // Equal current and supply: falling switching frequency; equal current and
        // another supply: the newcomer goes first. 0.99 A is out, 1.0 A in.
        QTest::newRow("PWM current") << 3
                                     << QStringList { "P-big", "P-fast", "P-slow", "P-hv2", "P-hv", "P-one" };
        // 79.9 V is out; equal supply and current: falling switching frequency.
        QTest::newRow("PWM voltage") << 4 << QStringList { "P-low", "P-hv2", "P-fast", "P-slow", "P-hv" };
        // Exactly 1.0 A is in; the variant follows its model as an extra line.
        QTest::newRow("linear current") << 0 << QStringList { "L-dual", "", "L-fast (M)", "L-99v" };
        // Exactly 100 V/us is out.
        QTest::newRow("linear speed") << 1 << QStringList { "L-fast (M)", "L-dual", "" };
        // Exactly 100 V is in, 99 V is out.
        QTest::newRow("linear voltage") << 2 << QStringList { "L-100sr" };
    }
    void orders()
    {
        QFETCH(int, writer);
        QFETCH(QStringList, expected);
        void (*const writers[])(QTextStream &, const Catalogs &) = { HighCurrentOpAmpList, HighSpeedOpAmpList,
            HighVoltageOpAmpList, HighCurrentPWMList, HighVoltagePWMList };
        QCOMPARE(models(table(writers[writer], smallCatalog())), expected);
    }

    void rows()
    {
        const Catalogs c = smallCatalog();
        const QStringList pwmLines = table(HighCurrentPWMList, c);
        // Power delivery is supply times current.
        QCOMPARE(pwmLines.at(4), QStringLiteral("P-slow, 10, 100, 50, 1000, 10, 12-pin Power DIP (PD12)"));
        const QStringList linear = table(HighCurrentOpAmpList, c);
        QCOMPARE(linear.at(2),
            QStringLiteral("L-dual, 3 (x2 channels), 40, 150, 2, 25 per channel, 8-pin TO-3 (TO3)"));
        QCOMPARE(linear.at(3), QStringLiteral(", , , , , 25 per channel, 12-pin Power DIP (PD12)"));
    }

    void emptyCatalogWritesHeaders()
    {
        QTemporaryDir dir;
        const ProductGuideExport result = writeProductGuide(dir.path(), Catalogs());
        QVERIFY(result.failed.isEmpty());
        QCOMPARE(result.written.size(), 5);
        for (const QString &path : result.written) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll().count('\n'), 2);
        }
    }

    void unwritableFileStopsTheExport()
    {
        QTemporaryDir dir;
        // A folder in the way of the third file.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("HighVoltageOpAmps.csv")));
        const ProductGuideExport result = writeProductGuide(dir.path(), smallCatalog());
        QCOMPARE(result.failed, QDir(dir.path()).filePath(QStringLiteral("HighVoltageOpAmps.csv")));
        QCOMPARE(result.written.size(), 2);
        QVERIFY(QFile::exists(result.written.at(1)));
        QVERIFY(!QFile::exists(QDir(dir.path()).filePath(QStringLiteral("HighCurrentPWM.csv"))));
    }
};

QTEST_MAIN(TestProductGuide)
#include "test_productguide.moc"
