#include "catalog/catalogs.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const QString kSite = QStringLiteral("https://www.zarn-power.example/");

// A built-in catalog as written: the header and every data line split at TAB
// with empty cells kept, so the file's column groups can be checked by position.
struct RawFile {
    QStringList header;
    QVector<QStringList> rows;
};

RawFile readRaw(const QString &path)
{
    RawFile raw;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return raw;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList cells = QString::fromLatin1(line).split(QLatin1Char('\t'));
        if (raw.header.isEmpty())
            raw.header = cells;
        else
            raw.rows.append(cells);
    }
    return raw;
}

QString rawCell(const RawFile &raw, const QStringList &row, const QString &column)
{
    const int i = raw.header.indexOf(column);
    return i >= 0 && i < row.size() ? row.at(i) : QString();
}

double resistanceAt(double a, double b, double c, double t)
{
    return a * t * t + b * t + c;
}

bool near(double actual, double expected, double relative)
{
    return std::abs(actual - expected) <= relative * std::abs(expected);
}

const amp *linearPart(const Catalogs &c, const QString &name)
{
    for (const amp &a : c.linear)
        if (a.ampName == name)
            return &a;
    return nullptr;
}

const pwm *pwmPart(const Catalogs &c, const QString &name)
{
    for (const pwm &p : c.pwms)
        if (p.ampName == name)
            return &p;
    return nullptr;
}

bool anyLinear(const Catalogs &c, const std::function<bool(const amp &)> &f)
{
    return std::any_of(c.linear.begin(), c.linear.end(), f);
}

bool anyPwm(const Catalogs &c, const std::function<bool(const pwm &)> &f)
{
    return std::any_of(c.pwms.begin(), c.pwms.end(), f);
}

bool usesPackageNamed(const Catalogs &c, const QString &fullDesc)
{
    return anyLinear(
        c, [&](const amp &a) { return interpretPackageFullDesc(c.packages, a.packageStyle) == fullDesc; });
}

struct Case {
    const char *what;
    std::function<bool(const Catalogs &)> holds;
};

// Every case below is one that some page of the tool exercises; the released
// line-up must offer a part for each.
const QVector<Case> &coverageCases()
{
    static const QVector<Case> cases = {
        { "one channel",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.channels == 1; }); } },
        { "two channels",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.channels == 2; }); } },
        { "no boost",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.boostOptions == 0; });
            } },
        { "boost",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.boostOptions == 1; });
            } },
        { "1 option",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.SROptions == 1; }); } },
        { "2 options",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.SROptions == 2; }); } },
        { "3 options",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.SROptions == 3; }); } },
        { "4 options with SRboost",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.SROptions == 4 && a.SRboost; });
            } },
        { "series compensation resistor",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return !a.Rcomp.isEmpty() && a.Rcomp.at(0) > 0; });
            } },
        { "internal current limit",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.CLint != 0 && a.Vbe != 0; });
            } },
        { "external current limit",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.Vbe != 0 && a.CLint == 0 && a.Rb == 0; });
            } },
        { "foldover network",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.Rb != 0 && a.Rfoldover != 0; });
            } },
        { "no second breakdown",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.SB_V == 10000; }); } },
        { "second breakdown",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.SB_V < a.Vss_max; }); } },
        { "Tc_soa 25",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.Tc_soa == 25; }); } },
        { "Tc_soa 85",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.Tc_soa == 85; }); } },
        { "Tc_soa 125",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.Tc_soa == 125; }); } },
        { "three pulse lines",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.pulse3 != QLatin1String("NA"); });
            } },
        { "no pulse lines",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.pulse1 == QLatin1String("NA"); });
            } },
        { "20-pin PSOP", [](const Catalogs &c) { return usesPackageNamed(c, "20-pin PSOP (MO-166)"); } },
        { "24-pin PSOP", [](const Catalogs &c) { return usesPackageNamed(c, "24-pin PSOP (MO-166)"); } },
        { "7-pin DDPAK", [](const Catalogs &c) { return usesPackageNamed(c, "7-pin TO-263 DDPAK"); } },
        { "Inputs non",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.Inputs == "non"; }); } },
        { "Inputs inv",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.Inputs == "inv"; }); } },
        { "Inputs both",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.Inputs == "both"; }); } },
        { "Loads all",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.Loads == "all"; }); } },
        { "Loads voltage",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.Loads == "voltage"; });
            } },
        { "Loads Printhead",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.Loads == "Printhead"; });
            } },
        { "Loads PrintheadFixedGain",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.Loads == "PrintheadFixedGain"; });
            } },
        { "CircuitType normal",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.CircuitType == "normal"; });
            } },
        { "PSGstatus 0",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.PSGstatus == 0; }); } },
        { "PSGstatus 1",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.PSGstatus == 1; }); } },
        { "PSGstatus 2",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.PSGstatus == 2; }); } },
        { "military grade",
            [](const Catalogs &c) {
                return anyLinear(c, [](const amp &a) { return a.MgradeAvailable == 1; });
            } },
        { "linear part newer than version 6",
            [](const Catalogs &c) { return anyLinear(c, [](const amp &a) { return a.PreV6Index == -1; }); } },
        { "QX490 on +/-200 V with an external limit",
            [](const Catalogs &c) {
                const amp *a = linearPart(c, "QX490");
                return a && a->Vss_max >= 400 && a->Vss_min <= 400 && a->Vbe != 0 && a->CLint == 0;
            } },
        { "QX370 takes both inputs and all loads",
            [](const Catalogs &c) {
                const amp *a = linearPart(c, "QX370");
                return a && a->Inputs == "both" && a->Loads == "all";
            } },
        { "QX505 takes both inputs and all loads",
            [](const Catalogs &c) {
                const amp *a = linearPart(c, "QX505");
                return a && a->Inputs == "both" && a->Loads == "all";
            } },
        { "QX580 can be a composite power stage",
            [](const Catalogs &c) {
                const amp *a = linearPart(c, "QX580");
                return a && a->Inputs != "inv" && a->Loads == "all";
            } },
        { "QX550 quiescent current rises with frequency",
            [](const Catalogs &c) {
                const amp *a = linearPart(c, "QX550");
                return a && a->Iq_vF > 0 && a->slewRate.value(0) > 1000;
            } },
        { "QX460 and QX475 quiescent current rises with frequency",
            [](const Catalogs &c) {
                const amp *a = linearPart(c, "QX460");
                const amp *b = linearPart(c, "QX475");
                return a && b && a->Iq_vF > 0 && b->Iq_vF > 0;
            } },
        { "status-2 variants sit under a listed base model",
            [](const Catalogs &c) {
                for (const amp &a : c.linear) {
                    if (a.PSGstatus != 2)
                        continue;
                    const amp *base = linearPart(c, a.ampName.left(a.ampName.size() - 1));
                    if (!a.ampName.endsWith('A') || !base || base->PSGstatus != 1)
                        return false;
                }
                return true;
            } },
        { "outputs 1",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.outputs == 1; }); } },
        { "outputs 2",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.outputs == 2; }); } },
        { "outputs 3",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.outputs == 3; }); } },
        { "Ramp Fixed",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.Ramp == "Fixed"; }); } },
        { "Ramp Digital",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.Ramp == "Digital"; }); } },
        { "Ramp VccDep",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.Ramp == "VccDep"; }); } },
        { "fixed frequency",
            [](const Catalogs &c) {
                return anyPwm(c, [](const pwm &p) { return p.Fsw_min == p.Fsw_max; });
            } },
        { "fixed Vcc",
            [](const Catalogs &c) {
                return anyPwm(c, [](const pwm &p) { return p.Vcc_min == p.Vcc_max; });
            } },
        { "one sense pin",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.I_sense_pins == 1; }); } },
        { "two sense pins",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.I_sense_pins == 2; }); } },
        { "error amplifier",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return p.ErrorAmp; }); } },
        { "no error amplifier",
            [](const Catalogs &c) { return anyPwm(c, [](const pwm &p) { return !p.ErrorAmp; }); } },
        { "nFET",
            [](const Catalogs &c) {
                return anyPwm(c, [](const pwm &p) { return p.OutputTech == "nFET"; });
            } },
        { "IGBT",
            [](const Catalogs &c) {
                return anyPwm(c, [](const pwm &p) { return p.OutputTech == "IGBT"; });
            } },
        { "SiCnFET",
            [](const Catalogs &c) {
                return anyPwm(c, [](const pwm &p) { return p.OutputTech == "SiCnFET"; });
            } },
        { "cFET",
            [](const Catalogs &c) {
                return anyPwm(c, [](const pwm &p) { return p.OutputTech == "cFET"; });
            } },
        { "separate diode junction",
            [](const Catalogs &c) {
                return anyPwm(c, [](const pwm &p) { return p.Rtheta_JC_diode > 1e-6; });
            } },
        { "no separate diode junction",
            [](const Catalogs &c) {
                return anyPwm(c, [](const pwm &p) { return p.Rtheta_JC_diode == 0; });
            } },
        { "variant name with a dash and a digit",
            [](const Catalogs &c) {
                const QRegularExpression dashDigit(QStringLiteral("-\\d"));
                return anyPwm(c, [&](const pwm &p) { return dashDigit.match(p.ampName).hasMatch(); });
            } },
        { "TZ675 three-phase",
            [](const Catalogs &c) {
                const pwm *p = pwmPart(c, "TZ675");
                return p && p->outputs == 3;
            } },
        { "TZ662 on the three-phase page",
            [](const Catalogs &c) {
                const pwm *p = pwmPart(c, "TZ662");
                return p && (p->outputs == 1 || p->outputs == 3);
            } },
        { "TZM730 full bridge with an analog ramp",
            [](const Catalogs &c) {
                const pwm *p = pwmPart(c, "TZM730");
                return p && p->outputs == 2 && p->Ramp != "Digital";
            } },
        { "TZ623 on the control page",
            [](const Catalogs &c) {
                const pwm *p = pwmPart(c, "TZ623");
                return p && p->outputs == 2 && p->Ramp != "Digital";
            } },
        { "TZ636 takes the filter page's 48 V and 20 kHz",
            [](const Catalogs &c) {
                const pwm *p = pwmPart(c, "TZ636");
                return p && p->Vs_min <= 48 && p->Vs_max >= 48 && p->Fsw_min <= 20 && p->Fsw_max >= 20;
            } },
        { "OP07 host",
            [](const Catalogs &c) {
                return std::any_of(
                    c.host.begin(), c.host.end(), [](const amp &a) { return a.ampName == "OP07"; });
            } },
    };
    return cases;
}

} // namespace

class TestShippedCatalogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rowCounts_data();
    void rowCounts();
    void fileLayout_data();
    void fileLayout();
    void preRelease_data();
    void preRelease();
    void namedParts_data();
    void namedParts();
    void linearInvariants_data();
    void linearInvariants();
    void hostInvariants_data();
    void hostInvariants();
    void pwmInvariants_data();
    void pwmInvariants();
    void heatsinkInvariants_data();
    void heatsinkInvariants();
    void heatsinkRange();
    void packageStyles();
    void packageItems_data();
    void packageItems();
    void everyAmplifierPackageHasAHeatsink();
    void preV6Indexes();
    void coverage_data();
    void coverage();

private:
    Catalogs all; // pre-release rows included
    Catalogs released; // as at start-up
};

void TestShippedCatalogs::initTestCase()
{
    loadAllCatalogs(all, true);
    loadAllCatalogs(released, false);
    QVERIFY(!all.linear.isEmpty());
}

void TestShippedCatalogs::rowCounts_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("linear") << released.linear.size() << 45 << 1000;
    QTest::newRow("host") << released.host.size() << 8 << 1000;
    QTest::newRow("PWM") << released.pwms.size() << 20 << 1000;
    QTest::newRow("heatsinks") << released.heatsinks.size() << 30 << 30;
    const int water = std::count_if(released.heatsinks.begin(), released.heatsinks.end(),
        [](const Heatsink &h) { return h.name.contains("H2O"); });
    QTest::newRow("water-cooled heatsinks") << water << 1 << 1;
    QTest::newRow("package styles") << released.packages.size() << 11 << 1000;
}

void TestShippedCatalogs::rowCounts()
{
    QFETCH(int, count);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QVERIFY2(count >= minimum && count <= maximum, qPrintable(QString::number(count)));
}

void TestShippedCatalogs::fileLayout_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("loaded");
    QTest::newRow("linear") << CatalogFiles::linearFile() << all.linear.size();
    QTest::newRow("host") << CatalogFiles::hostFile() << all.host.size();
    QTest::newRow("PWM") << CatalogFiles::pwmFile() << all.pwms.size();
    QTest::newRow("package styles") << CatalogFiles::packageFile() << all.packages.size();
    QTest::newRow("heatsinks") << CatalogFiles::heatsinkFile() << all.heatsinks.size();
}

// Read by position, independently of the loader: every named column holds a
// value, every group (a named column and its empty-header spares) is filled
// from its first cell on by exactly as many cells as its count column says,
// and no line was dropped as short.
void TestShippedCatalogs::fileLayout()
{
    QFETCH(QString, path);
    QFETCH(int, loaded);
    const RawFile raw = readRaw(path);
    QVERIFY(!raw.header.isEmpty());
    QCOMPARE(loaded, raw.rows.size());

    const QHash<QString, std::function<int(const RawFile &, const QStringList &)>> counts = {
        { "Pd_max",
            [](const RawFile &f, const QStringList &r) {
                // A file without a channel count before Pd_max holds one value.
                const int at = f.header.indexOf("channels");
                return at < 0 || at > f.header.indexOf("Pd_max") ? 1 : rawCell(f, r, "channels").toInt();
            } },
        { "Ccomp",
            [](const RawFile &f, const QStringList &r) { return rawCell(f, r, "SROptions").toInt(); } },
        { "VswingC",
            [](const RawFile &f, const QStringList &r) {
                return rawCell(f, r, "boostOptions").toInt() + 1;
            } },
        { "packages",
            [](const RawFile &f, const QStringList &r) { return rawCell(f, r, "numPackages").toInt(); } },
    };
    for (const QStringList &row : raw.rows) {
        const QString name = row.value(0);
        QVERIFY2(row.size() <= raw.header.size(), qPrintable(name));
        for (int i = 0; i < raw.header.size(); ++i) {
            if (raw.header.at(i).isEmpty())
                continue;
            QVERIFY2(!row.value(i).trimmed().isEmpty(), qPrintable(name + " " + raw.header.at(i)));
            int width = 1;
            while (i + width < raw.header.size() && raw.header.at(i + width).isEmpty())
                ++width;
            int filled = 0;
            while (filled < width && !row.value(i + filled).trimmed().isEmpty())
                ++filled;
            for (int k = filled; k < width; ++k)
                QVERIFY2(row.value(i + k).trimmed().isEmpty(), qPrintable(name + " " + raw.header.at(i)));
            QString group = raw.header.at(i);
            if (QStringList { "Rcomp", "slewRate", "pole1", "pole2", "pole3" }.contains(group))
                group = "Ccomp";
            if (group == "VswingB" || group == "VswingA")
                group = "VswingC";
            if (counts.contains(group))
                QVERIFY2(filled == counts.value(group)(raw, row), qPrintable(name + " " + raw.header.at(i)));
            else
                QVERIFY2(filled == 1, qPrintable(name + " " + raw.header.at(i)));
        }
    }
}

void TestShippedCatalogs::preRelease_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("allNames");
    QTest::addColumn<QStringList>("releasedNames");
    QTest::addColumn<int>("minimum");
    auto names = [](const auto &list) {
        QStringList out;
        for (const auto &r : list)
            out << r.ampName;
        return out;
    };
    QTest::newRow("linear") << CatalogFiles::linearFile() << names(all.linear) << names(released.linear) << 2;
    QTest::newRow("PWM") << CatalogFiles::pwmFile() << names(all.pwms) << names(released.pwms) << 1;
}

void TestShippedCatalogs::preRelease()
{
    QFETCH(QString, path);
    QFETCH(QStringList, allNames);
    QFETCH(QStringList, releasedNames);
    QFETCH(int, minimum);
    const RawFile raw = readRaw(path);
    QStringList marked;
    for (const QStringList &row : raw.rows)
        if (rawCell(raw, row, "released?") == "N")
            marked << row.value(0);
    QVERIFY(marked.size() >= minimum);
    QCOMPARE(releasedNames.size() + marked.size(), allNames.size());
    for (const QString &n : marked) {
        QVERIFY2(allNames.contains(n), qPrintable(n));
        QVERIFY2(!releasedNames.contains(n), qPrintable(n));
    }
}

void TestShippedCatalogs::namedParts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("linear");
    for (const char *n : { "QX295", "QX310", "QX325", "QX370", "QX385", "QX415A", "QX445", "QX445A", "QX460",
             "QX475", "QX490", "QX490A", "QX505", "QX520", "QX520A", "QX535", "QX535A", "QX550", "QX565",
             "QX565A", "QX580", "VR537", "VR537A", "VR554", "VR622", "VR639", "BQ840", "BQ859" })
        QTest::newRow(n) << QString(n) << true;
    for (const char *n : { "TZ610", "TZ623", "TZ636", "TZ649", "TZ662", "TZ675", "TZM730", "TZM741" })
        QTest::newRow(n) << QString(n) << false;
}

void TestShippedCatalogs::namedParts()
{
    QFETCH(QString, name);
    QFETCH(bool, linear);
    if (linear) {
        QVERIFY(ampVectorIndex(released.linear, name) < released.linear.size());
        QCOMPARE(findLinear(released.linear, name).ampName, name);
    } else {
        QCOMPARE(findSwitching(released.pwms, name).ampName, name);
    }
    if (name == "BQ840" || name == "BQ859" || name == "VR554" || name == "VR622")
        QCOMPARE(findLinear(released.linear, name).CircuitType, name);
}

void TestShippedCatalogs::linearInvariants_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < all.linear.size(); ++i)
        QTest::newRow(qPrintable(all.linear.at(i).ampName)) << i;
}

void TestShippedCatalogs::linearInvariants()
{
    QFETCH(int, index);
    const amp &a = all.linear.at(index);
    const int n = a.SROptions;
    QVERIFY(a.I_cont > 0 && a.I_cont <= a.I_pk);
    QVERIFY(a.Vss_min > 0 && a.Vss_min < a.Vss_max);
    QVERIFY(a.Tc_max <= a.Tj_max);
    QVERIFY(a.channels == 1 || a.channels == 2);
    QCOMPARE(a.Pd_max.size(), a.channels);
    QVERIFY(a.boostOptions == 0 || a.boostOptions == 1);
    QCOMPARE(a.boost.size(), a.boostOptions);
    QVERIFY(n >= 1 && n <= 4);
    for (const QVector<double> *l : { &a.Ccomp, &a.Rcomp, &a.slewRate, &a.pole1, &a.pole2, &a.pole3 })
        QCOMPARE(l->size(), n);
    for (const QVector<double> *l : { &a.VswingC, &a.VswingB, &a.VswingA })
        QCOMPARE(l->size(), a.boostOptions + 1);
    QVERIFY(interpretPackage(all.packages, a.packageStyle) != "-");
    QVERIFY(a.relative_price > 0);
    QVERIFY(a.SiteLink.startsWith(kSite));

    // Power rating at 25 degC case follows from the junction limit and Rtheta.
    for (double pd : a.Pd_max)
        QVERIFY2(near(pd, (a.Tj_max - 25) / a.Rtheta_DC, 0.05), qPrintable(QString::number(pd)));
    QVERIFY(a.Rtheta_AC > 0 && a.Rtheta_AC <= a.Rtheta_DC && a.Rtheta_DC < a.Rtheta_JA);

    // The stability model: Aol in dB, poles in Hz, GBWP in kHz at option 0.
    QVERIFY(a.Aol_DC >= 80 && a.Aol_DC <= 140);
    QVERIFY(near(a.GBWP, std::pow(10, a.Aol_DC / 20) * a.pole1.at(0) / 1000, 0.01));
    for (int k = 0; k < n; ++k) {
        QVERIFY(a.pole1.at(k) > 0 && a.pole1.at(k) < a.pole2.at(k) && a.pole2.at(k) < a.pole3.at(k));
        QVERIFY(a.pole3.at(k) < 1e9 && a.slewRate.at(k) > 0 && a.Ccomp.at(k) >= 0 && a.Rcomp.at(k) >= 0);
    }
    // More compensation capacitance means a lower first pole and a lower slew
    // rate, within each half when the upper half is the boost-supply copy.
    const int half = a.SRboost ? n / 2 : n;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i / half == j / half && a.Ccomp.at(i) < a.Ccomp.at(j)) {
                QVERIFY(a.slewRate.at(i) > a.slewRate.at(j));
                QVERIFY(a.pole1.at(i) > a.pole1.at(j));
            }
    if (a.SRboost) {
        QCOMPARE(n % 2, 0);
        for (int i = 0; i < half; ++i)
            QCOMPARE(a.Ccomp.at(i + half), a.Ccomp.at(i));
    }
    if (a.UGS == "Y")
        QVERIFY(a.pole2.at(0) > 1000 * a.GBWP);
    QVERIFY(a.PBW > 0 && a.Zout > 0);

    // Safe operating area.
    QVERIFY(a.SB_slope > 0);
    QVERIFY(a.SB_V == 10000 || (a.SB_V > 0 && a.SB_V < a.Vss_max));
    QVERIFY(a.Tc_soa == 25 || a.Tc_soa == 85 || a.Tc_soa == 125);
    const QString pulses[] = { a.pulse1, a.pulse2, a.pulse3 };
    const double pulseV[] = { a.pulse1_V, a.pulse2_V, a.pulse3_V };
    for (int k = 0; k < 3; ++k) {
        if (pulses[k] == "NA") {
            QCOMPARE(pulseV[k], 0.0);
            continue;
        }
        QVERIFY2(
            QRegularExpression("^\\d+(ms|us|\u00b5s)$").match(pulses[k]).hasMatch(), qPrintable(pulses[k]));
        QVERIFY(pulseV[k] > 0 && pulseV[k] < a.Vss_max);
        QVERIFY(k == 0 || pulses[k - 1] != "NA");
        // A pulse line never falls below the steady-state line at full voltage.
        const double x = a.Vss_max * 0.999;
        const double pulseI = a.I_pk * std::pow(pulseV[k] / x, a.pulse_slope);
        const double sb = x < a.SB_V ? a.I_cont : a.I_cont * std::pow(a.SB_V / x, a.SB_slope);
        QVERIFY(pulseI >= std::min(a.Pd_max.at(0) / x, sb) * 0.999);
    }
    QVERIFY(a.pulse_slope > 0);

    // Swing drops from each rail stay inside half the supply at peak current.
    for (int b = 0; b <= a.boostOptions; ++b)
        QVERIFY(
            a.VswingC.at(b) + a.VswingB.at(b) * a.I_pk + a.VswingA.at(b) * a.I_pk * a.I_pk < a.Vss_max / 2);
    if (a.boostOptions == 1) {
        QVERIFY(a.boost.at(0) > 0);
        QVERIFY(a.VswingC.at(1) < a.VswingC.at(0));
    }

    // Current limit: the internal limit scales by Vbe, so it needs one.
    QVERIFY(a.CLint == 0 || a.Vbe != 0);
    QVERIFY(a.Rfoldover == 0 || a.Rb != 0);
    QVERIFY(a.Vbe == 0 || (a.Vbe > 0.3 && a.Vbe < 1));

    const QStringList circuits { "normal", "BQ840", "BQ859", "VR554", "VR622" };
    QVERIFY(circuits.contains(a.CircuitType));
    QCOMPARE(a.CircuitType != "normal", a.Rfb > 0);
    if (a.CircuitType != "normal")
        QCOMPARE(a.CircuitType, a.ampName);
    QVERIFY(QStringList({ "non", "inv", "both" }).contains(a.Inputs));
    QVERIFY(QStringList({ "all", "voltage", "Printhead", "PrintheadFixedGain" }).contains(a.Loads));
    QVERIFY(QStringList({ "Y", "N", "w/Cc" }).contains(a.UGS));
    QVERIFY(QStringList({ "AB", "C", "AB or C", "?" }).contains(a.classBias));
    QVERIFY(a.PSGstatus >= 0 && a.PSGstatus <= 2);
    QVERIFY(a.MgradeAvailable == 0 || a.MgradeAvailable == 1);
    QVERIFY(a.PreV6Index >= -1);
    // The quiescent power at full supply is a small part of the rating.
    QVERIFY(a.Iq_max > 0 && a.Iq_max / 1000 * a.Vss_max < 0.3 * a.Pd_max.at(0));
    QVERIFY(a.Iq_vF >= 0);
}

void TestShippedCatalogs::hostInvariants_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < all.host.size(); ++i)
        QTest::newRow(qPrintable(all.host.at(i).ampName)) << i;
}

void TestShippedCatalogs::hostInvariants()
{
    QFETCH(int, index);
    const amp &h = all.host.at(index);
    QVERIFY(h.I_cont > 0 && h.I_cont <= h.I_pk);
    QVERIFY(h.Vss_min > 0 && h.Vss_min < h.Vss_max);
    QVERIFY(h.Tc_max <= h.Tj_max);
    QCOMPARE(h.Pd_max.size(), 1);
    QCOMPARE(h.boostOptions, 0);
    QVERIFY(h.boost.isEmpty());
    QCOMPARE(h.SROptions, 1);
    QCOMPARE(h.pole1.size(), 1);
    QCOMPARE(h.pole3.size(), 1);
    QCOMPARE(h.VswingC.size(), 1);
    QVERIFY(interpretPackage(all.packages, h.packageStyle) != "-");
    QVERIFY(h.relative_price > 0);
    QVERIFY(h.Aol_DC >= 80 && h.Aol_DC <= 150);
    QVERIFY(h.pole1.at(0) > 0 && h.pole1.at(0) < h.pole2.at(0) && h.pole2.at(0) < h.pole3.at(0));
    QVERIFY(near(h.GBWP, std::pow(10, h.Aol_DC / 20) * h.pole1.at(0) / 1000, 0.01));
    // Hosts close the outer loop at low gain, so they are unity-gain stable.
    QVERIFY(h.pole2.at(0) > 1000 * h.GBWP);
    QCOMPARE(h.CircuitType, QString("normal"));
}

void TestShippedCatalogs::pwmInvariants_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < all.pwms.size(); ++i)
        QTest::newRow(qPrintable(all.pwms.at(i).ampName)) << i;
}

void TestShippedCatalogs::pwmInvariants()
{
    QFETCH(int, index);
    const pwm &p = all.pwms.at(index);
    QVERIFY(p.I_cont > 0 && p.I_cont <= p.I_pk);
    QVERIFY(p.Vs_min > 0 && p.Vs_min <= p.Vs_nom && p.Vs_nom <= p.Vs_max && p.Vs_min < p.Vs_max);
    QVERIFY(p.Vcc_min > 0 && p.Vcc_min <= p.Vcc_nom && p.Vcc_nom <= p.Vcc_max);
    QVERIFY(p.Fsw_min > 0 && p.Fsw_min <= p.Fsw_nom && p.Fsw_nom <= p.Fsw_max);
    QVERIFY(p.Tc_max <= p.Tj_max);
    QVERIFY(near(p.Pd_max, (p.Tj_max - 25) / p.Rtheta_DC, 0.05));
    QVERIFY(p.Rtheta_DC < p.Rtheta_JA && p.Rtheta_JC_diode >= 0);
    QVERIFY(p.outputs >= 1 && p.outputs <= 3);
    QVERIFY(interpretPackage(all.packages, p.packageStyle) != "-");
    QVERIFY(p.relative_price > 0);
    QVERIFY(p.SiteLink.startsWith(kSite));
    QVERIFY(p.I_sense_pins >= 0 && p.I_sense_pins <= 2);
    QVERIFY(p.PSGstatus >= 0 && p.PSGstatus <= 2);
    QVERIFY(p.MaxDutyCycle > 0.5 && p.MaxDutyCycle <= 1);
    QVERIFY(p.t_rise > 0 && p.t_fall > 0 && p.Rdiode > 0 && p.Vdiode > 0);
    QVERIFY(p.Iq_Vs > 0 && p.Iq_Vcc > 0 && p.Iq_Vs_vsF >= 0 && p.Iq_Vcc_vsF >= 0);
    QVERIFY(QStringList({ "A", "B", "NA" }).contains(p.PositiveDC));

    // On-resistance in ohms: positive at 25 degC and rising towards 150 degC,
    // no more than about threefold.
    const double rt25 = resistanceAt(p.top_A, p.top_B, p.top_C, 25);
    const double rt150 = resistanceAt(p.top_A, p.top_B, p.top_C, 150);
    const double rb25 = resistanceAt(p.bot_A, p.bot_B, p.bot_C, 25);
    const double rb150 = resistanceAt(p.bot_A, p.bot_B, p.bot_C, 150);
    QVERIFY(rt25 > 0.001 && rt25 < 1 && rt150 > rt25 && rt150 < 3 * rt25);
    QVERIFY(rb25 > 0.001 && rb25 < 1 && rb150 > rb25 && rb150 < 3 * rb25);
    QVERIFY(p.top_wire >= 0 && p.bot_wire >= 0);
    // The selector's output swing at zero current must be positive.
    QVERIFY(p.Vs_max - p.top_V - p.bot_V > 0);

    QVERIFY(QStringList({ "nFET", "IGBT", "SiCnFET", "cFET" }).contains(p.OutputTech));
    if (p.OutputTech == "IGBT")
        QVERIFY(p.top_V > 0 && p.bot_V > 0);
    else
        QVERIFY(p.top_V == 0 && p.bot_V == 0);

    QVERIFY(QStringList({ "Fixed", "Digital", "VccDep" }).contains(p.Ramp));
    if (p.Ramp == "Fixed") {
        // The ramp sits inside the front-end supply.
        QVERIFY(p.Ramp_Mid - p.Ramp_Vpp / 2 >= 0);
        QVERIFY(p.Ramp_Mid + p.Ramp_Vpp / 2 < p.Vcc_min);
    } else if (p.Ramp == "VccDep") {
        QVERIFY(p.Ramp_Vpp > 1 && p.Ramp_Mid > 1);
    }
}

void TestShippedCatalogs::heatsinkInvariants_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < all.heatsinks.size(); ++i)
        QTest::newRow(qPrintable(all.heatsinks.at(i).name)) << i;
}

void TestShippedCatalogs::heatsinkInvariants()
{
    QFETCH(int, index);
    const Heatsink &h = all.heatsinks.at(index);
    QVERIFY(QRegularExpression("^[A-Za-z0-9_-]+$").match(h.name).hasMatch());
    QVERIFY(h.numPackages >= 1 && h.numPackages <= 10);
    QCOMPARE(h.packages.size(), h.numPackages);
    for (const QString &code : h.packages)
        QVERIFY2(interpretPackage(all.packages, code) != "-", qPrintable(code));
    QVERIFY(h.Length > 0 && h.Width > 0 && h.Height > 0 && h.Weight > 0);
    QVERIFY(h.relative_price > 0);
    QVERIFY(h.drawingLink.startsWith(kSite));
    QVERIFY(h.A > 0 && h.B < 0 && h.C > 0 && h.C < h.FreeAirTheta);
    // Forced flow never does worse than natural convection at the low end of
    // the plotted range: 100 feet per minute of air, no water flow at all.
    const double lowFlow = h.isWaterCooled() ? 0 : 100;
    QVERIFY(h.A * std::exp(h.B * lowFlow) + h.C <= h.FreeAirTheta);
}

void TestShippedCatalogs::heatsinkRange()
{
    double lo = 1e9, hi = 0;
    for (const Heatsink &h : all.heatsinks) {
        lo = std::min(lo, h.FreeAirTheta);
        hi = std::max(hi, h.FreeAirTheta);
    }
    QVERIFY(lo >= 0.3 && lo <= 0.7);
    QVERIFY(hi >= 25 && hi <= 40);
}

void TestShippedCatalogs::packageStyles()
{
    QSet<QString> codes;
    for (const PackageStyle &s : all.packages) {
        QVERIFY2(QRegularExpression("^[A-Za-z0-9_-]+$").match(s.Code).hasMatch(), qPrintable(s.Code));
        QVERIFY(!s.shortDesc.isEmpty() && !s.fullDesc.isEmpty());
        QVERIFY2(!codes.contains(s.Code), qPrintable(s.Code));
        codes.insert(s.Code);
    }
}

void TestShippedCatalogs::packageItems_data()
{
    QTest::addColumn<QString>("fullDesc");
    QTest::addColumn<bool>("heatsinkItem");
    for (const char *item : { "8-pin TO-3", "12-pin Power DIP (MO-127)", "10-pin Power Dip", "18-pin DIP",
             "TO-220", "Open Frame", "Surface Mount", "Power SIP" })
        QTest::newRow(item) << QString(item) << true;
    for (const char *foil : { "20-pin PSOP (MO-166)", "24-pin PSOP (MO-166)", "7-pin TO-263 DDPAK" })
        QTest::newRow(foil) << QString(foil) << false;
}

// The heatsink page's package items and the three foil packages each name one
// package style, found by its full description.
void TestShippedCatalogs::packageItems()
{
    QFETCH(QString, fullDesc);
    QFETCH(bool, heatsinkItem);
    QStringList codes;
    for (const PackageStyle &s : all.packages)
        if (s.fullDesc == fullDesc)
            codes << s.Code;
    QCOMPARE(codes.size(), 1);
    const bool fitted = std::any_of(all.heatsinks.begin(), all.heatsinks.end(),
        [&](const Heatsink &h) { return h.packages.contains(codes.at(0)); });
    if (heatsinkItem)
        QVERIFY(fitted);
}

void TestShippedCatalogs::everyAmplifierPackageHasAHeatsink()
{
    QStringList codes;
    for (const amp &a : all.linear)
        codes << a.packageStyle;
    for (const pwm &p : all.pwms)
        codes << p.packageStyle;
    for (const QString &code : codes) {
        const bool fitted = std::any_of(all.heatsinks.begin(), all.heatsinks.end(),
            [&](const Heatsink &h) { return h.packages.contains(code); });
        QVERIFY2(fitted, qPrintable(code));
    }
}

// Old design files name parts by position, so each position names one part.
void TestShippedCatalogs::preV6Indexes()
{
    auto check = [](const auto &list, auto nameAt) {
        QSet<int> seen;
        for (const auto &r : list) {
            if (r.PreV6Index < 0)
                continue;
            QVERIFY2(!seen.contains(r.PreV6Index), qPrintable(r.ampName));
            seen.insert(r.PreV6Index);
            QCOMPARE(nameAt(list, r.PreV6Index), r.ampName);
        }
        QVERIFY(seen.contains(0));
    };
    check(all.linear, beforeV7IndextoAmpName);
    check(all.host, beforeV7IndextoHostName);
    check(all.pwms, beforeV7IndextoPwmName);
}

void TestShippedCatalogs::coverage_data()
{
    QTest::addColumn<int>("index");
    const QVector<Case> &cases = coverageCases();
    for (int i = 0; i < cases.size(); ++i)
        QTest::newRow(cases.at(i).what) << i;
}

void TestShippedCatalogs::coverage()
{
    QFETCH(int, index);
    QVERIFY(coverageCases().at(index).holds(released));
}

QTEST_GUILESS_MAIN(TestShippedCatalogs)
#include "test_shippedcatalogs.moc"
