#include "catalog/catalogs.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

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

// Whether one raw row meets a condition "column op value"; op is one of = != < > ~
// (a regular expression), and a value "$column" names another cell of the row.
bool meets(const RawFile &raw, const QStringList &row, const QString &condition)
{
    static const QRegularExpression form(QStringLiteral("^(\\w+)\\s*(!=|=|<|>|~)\\s*(.*)$"));
    const QRegularExpressionMatch m = form.match(condition.trimmed());
    if (!m.hasMatch())
        return false;
    const QString cell = rawCell(raw, row, m.captured(1));
    const QString op = m.captured(2);
    QString value = m.captured(3);
    if (value.startsWith(QLatin1Char('$')))
        value = rawCell(raw, row, value.mid(1));
    if (op == QLatin1String("~"))
        return QRegularExpression(value).match(cell).hasMatch();
    bool n1 = false, n2 = false;
    const double a = cell.toDouble(&n1), b = value.toDouble(&n2);
    if (!n1 || !n2)
        return op == QLatin1String("=") ? cell == value : op == QLatin1String("!=") && cell != value;
    if (op == QLatin1String("="))
        return a == b;
    if (op == QLatin1String("!="))
        return a != b;
    return op == QLatin1String("<") ? a < b : a > b;
}

} // namespace

class TestShippedCatalogs : public QObject {
    Q_OBJECT
    Catalogs all; // pre-release rows included
    Catalogs released; // as at start-up

    // Whether some heatsink takes the package style `code`.
    bool fitted(const QString &code) const
    {
        return std::any_of(all.heatsinks.begin(), all.heatsinks.end(),
            [&](const Heatsink &h) { return h.packages.contains(code); });
    }

private slots:

    void initTestCase()
    {
        loadAllCatalogs(all, true);
        loadAllCatalogs(released, false);
        QVERIFY(!all.linear.isEmpty());
    }

    void fileLayout_data()
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
    void fileLayout()
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
                    QVERIFY2(
                        filled == counts.value(group)(raw, row), qPrintable(name + " " + raw.header.at(i)));
                else
                    QVERIFY2(filled == 1, qPrintable(name + " " + raw.header.at(i)));
            }
        }
    }

    void preRelease_data()
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
        QTest::newRow("linear") << CatalogFiles::linearFile() << names(all.linear) << names(released.linear)
                                << 2;
        QTest::newRow("PWM") << CatalogFiles::pwmFile() << names(all.pwms) << names(released.pwms) << 1;
    }

    void preRelease()
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

    void linearInvariants_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < all.linear.size(); ++i)
            QTest::newRow(qPrintable(all.linear.at(i).ampName)) << i;
    }

    void linearInvariants()
    {
        QFETCH(int, index);
        const amp &a = all.linear.at(index);
        const int n = a.SROptions;
        QVERIFY(a.I_cont > 0 && a.I_cont <= a.I_pk && a.Vss_min > 0 && a.Vss_min < a.Vss_max);
        QVERIFY(a.Tc_max <= a.Tj_max && (a.channels == 1 || a.channels == 2));
        QVERIFY((a.boostOptions == 0 || a.boostOptions == 1) && n >= 1 && n <= 4);
        QVERIFY(interpretPackage(all.packages, a.packageStyle) != "-" && fitted(a.packageStyle));

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
            QVERIFY2(QRegularExpression("^\\d+(ms|us|\u00b5s)$").match(pulses[k]).hasMatch(),
                qPrintable(pulses[k]));
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
            QVERIFY(a.VswingC.at(b) + a.VswingB.at(b) * a.I_pk + a.VswingA.at(b) * a.I_pk * a.I_pk
                < a.Vss_max / 2);
        if (a.boostOptions == 1) {
            QVERIFY(a.boost.at(0) > 0);
            QVERIFY(a.VswingC.at(1) < a.VswingC.at(0));
        }

        // Current limit: the internal limit scales by Vbe, so it needs one.
        QVERIFY((a.CLint == 0 || a.Vbe != 0) && (a.Rfoldover == 0 || a.Rb != 0));
        QVERIFY(a.Vbe == 0 || (a.Vbe > 0.3 && a.Vbe < 1));

        QCOMPARE(a.CircuitType != "normal", a.Rfb > 0);
        if (a.CircuitType != "normal")
            QCOMPARE(a.CircuitType, a.ampName);
        // The quiescent power at full supply is a small part of the rating.
        QVERIFY(a.Iq_max > 0 && a.Iq_max / 1000 * a.Vss_max < 0.3 * a.Pd_max.at(0) && a.Iq_vF >= 0);
    }

    void hostInvariants_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < all.host.size(); ++i)
            QTest::newRow(qPrintable(all.host.at(i).ampName)) << i;
    }

    void hostInvariants()
    {
        QFETCH(int, index);
        const amp &h = all.host.at(index);
        QVERIFY(h.Aol_DC >= 80 && h.Aol_DC <= 150);
        QVERIFY(h.pole1.at(0) > 0 && h.pole1.at(0) < h.pole2.at(0) && h.pole2.at(0) < h.pole3.at(0));
        QVERIFY(near(h.GBWP, std::pow(10, h.Aol_DC / 20) * h.pole1.at(0) / 1000, 0.01));
        // Hosts close the outer loop at low gain, so they are unity-gain stable.
        QVERIFY(h.pole2.at(0) > 1000 * h.GBWP);
        QCOMPARE(h.CircuitType, QString("normal"));
    }

    void pwmInvariants_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < all.pwms.size(); ++i)
            QTest::newRow(qPrintable(all.pwms.at(i).ampName)) << i;
    }

    void pwmInvariants()
    {
        QFETCH(int, index);
        const pwm &p = all.pwms.at(index);
        QVERIFY(p.I_cont > 0 && p.I_cont <= p.I_pk);
        QVERIFY(p.Vs_min > 0 && p.Vs_min <= p.Vs_nom && p.Vs_nom <= p.Vs_max && p.Vs_min < p.Vs_max);
        QVERIFY(p.Vcc_min > 0 && p.Vcc_min <= p.Vcc_nom && p.Vcc_nom <= p.Vcc_max);
        QVERIFY(p.Fsw_min > 0 && p.Fsw_min <= p.Fsw_nom && p.Fsw_nom <= p.Fsw_max);
        QVERIFY(p.Tc_max <= p.Tj_max && near(p.Pd_max, (p.Tj_max - 25) / p.Rtheta_DC, 0.05));
        QVERIFY(p.Rtheta_DC < p.Rtheta_JA && p.Rtheta_JC_diode >= 0);
        QVERIFY(p.outputs >= 1 && p.outputs <= 3 && interpretPackage(all.packages, p.packageStyle) != "-");
        QVERIFY(fitted(p.packageStyle));
        QVERIFY(p.MaxDutyCycle > 0.5 && p.MaxDutyCycle <= 1);
        QVERIFY(p.t_rise > 0 && p.t_fall > 0 && p.Rdiode > 0 && p.Vdiode > 0);
        QVERIFY(p.Iq_Vs > 0 && p.Iq_Vcc > 0 && p.Iq_Vs_vsF >= 0 && p.Iq_Vcc_vsF >= 0);

        // On-resistance in ohms: positive at 25 degC and rising towards 150 degC,
        // no more than about threefold.
        const double rt25 = resistanceAt(p.top_A, p.top_B, p.top_C, 25);
        const double rt150 = resistanceAt(p.top_A, p.top_B, p.top_C, 150);
        const double rb25 = resistanceAt(p.bot_A, p.bot_B, p.bot_C, 25);
        const double rb150 = resistanceAt(p.bot_A, p.bot_B, p.bot_C, 150);
        QVERIFY(rt25 > 0.001 && rt25 < 1 && rt150 > rt25 && rt150 < 3 * rt25);
        QVERIFY(rb25 > 0.001 && rb25 < 1 && rb150 > rb25 && rb150 < 3 * rb25);
        // The selector's output swing at zero current must be positive.
        QVERIFY(p.top_wire >= 0 && p.bot_wire >= 0 && p.Vs_max - p.top_V - p.bot_V > 0);

        if (p.OutputTech == "IGBT")
            QVERIFY(p.top_V > 0 && p.bot_V > 0);
        else
            QVERIFY(p.top_V == 0 && p.bot_V == 0);

        if (p.Ramp == "Fixed") {
            // The ramp sits inside the front-end supply.
            QVERIFY(p.Ramp_Mid - p.Ramp_Vpp / 2 >= 0 && p.Ramp_Mid + p.Ramp_Vpp / 2 < p.Vcc_min);
        } else if (p.Ramp == "VccDep") {
            QVERIFY(p.Ramp_Vpp > 1 && p.Ramp_Mid > 1);
        }
    }

    void heatsinkInvariants_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < all.heatsinks.size(); ++i)
            QTest::newRow(qPrintable(all.heatsinks.at(i).name)) << i;
    }

    void heatsinkInvariants()
    {
        QFETCH(int, index);
        const Heatsink &h = all.heatsinks.at(index);
        QVERIFY(h.numPackages >= 1 && h.numPackages <= 10);
        QCOMPARE(h.packages.size(), h.numPackages);
        for (const QString &code : h.packages)
            QVERIFY2(interpretPackage(all.packages, code) != "-", qPrintable(code));
        QVERIFY(h.Length > 0 && h.Width > 0 && h.Height > 0 && h.Weight > 0);
        QVERIFY(h.A > 0 && h.B < 0 && h.C > 0 && h.C < h.FreeAirTheta);
        // Forced flow never does worse than natural convection at the low end of
        // the plotted range: 100 feet per minute of air, no water flow at all.
        const double lowFlow = h.isWaterCooled() ? 0 : 100;
        QVERIFY(h.A * std::exp(h.B * lowFlow) + h.C <= h.FreeAirTheta);
    }

    void packageItems_data()
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
    void packageItems()
    {
        QFETCH(QString, fullDesc);
        QFETCH(bool, heatsinkItem);
        QStringList codes;
        for (const PackageStyle &s : all.packages)
            if (s.fullDesc == fullDesc)
                codes << s.Code;
        QCOMPARE(codes.size(), 1);
        QVERIFY(!heatsinkItem || fitted(codes.at(0)));
    }

    // Old design files name parts by position, so each position names one part.
    void preV6Indexes()
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

    // Every case below is one that some page of the tool exercises; the released
    // line-up must offer a part for each: a row of the file meeting every condition.
    void coverage_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("conditions");
        // Every value a page tells apart occurs in some released row.
        const QStringList linearValues { "channels=1 2", "boostOptions=0 1", "SROptions=1 2 3",
            "Tc_soa=25 85 125", "packageStyle=PSOP20 PSOP24 DDPAK7", "Inputs=non inv both",
            "Loads=all voltage Printhead PrintheadFixedGain", "PSGstatus=0 1 2" };
        const QStringList pwmValues { "outputs=1 2 3", "Ramp=Fixed Digital VccDep", "I_sense_pins=1 2",
            "OutputTech=nFET IGBT SiCnFET cFET" };
        for (const auto &[file, list] : { std::make_pair(CatalogFiles::linearFile(), linearValues),
                 std::make_pair(CatalogFiles::pwmFile(), pwmValues) })
            for (const QString &column : list)
                for (const QString &v : column.section('=', 1).split(' '))
                    QTest::newRow(qPrintable(column.section('=', 0, 0) + '=' + v))
                        << file << column.section('=', 0, 0) + '=' + v;
        QTest::newRow("4 options with SRboost") << CatalogFiles::linearFile() << "SROptions=4;SRboost=Y";
        QTest::newRow("series compensation resistor") << CatalogFiles::linearFile() << "Rcomp>0";
        QTest::newRow("internal current limit") << CatalogFiles::linearFile() << "CLint~^(?!0$|N$).+;Vbe!=0";
        QTest::newRow("external current limit") << CatalogFiles::linearFile() << "Vbe!=0;CLint~^(0|N)$;Rb=0";
        QTest::newRow("foldover network") << CatalogFiles::linearFile() << "Rb!=0;Rfoldover!=0";
        QTest::newRow("no second breakdown") << CatalogFiles::linearFile() << "SB_V=10000";
        QTest::newRow("second breakdown") << CatalogFiles::linearFile() << "SB_V<$Vss_max";
        QTest::newRow("three pulse lines") << CatalogFiles::linearFile() << "pulse3!=NA";
        QTest::newRow("no pulse lines") << CatalogFiles::linearFile() << "pulse1=NA";
        QTest::newRow("military grade") << CatalogFiles::linearFile() << "MgradeAvailable=1";
        QTest::newRow("linear part newer than version 6") << CatalogFiles::linearFile() << "PreV6Index=-1";
        QTest::newRow("fixed frequency") << CatalogFiles::pwmFile() << "Fsw_min=$Fsw_max";
        QTest::newRow("fixed Vcc") << CatalogFiles::pwmFile() << "Vcc_min=$Vcc_max";
        QTest::newRow("error amplifier") << CatalogFiles::pwmFile() << "ErrorAmp~^(1|Y)$";
        QTest::newRow("no error amplifier") << CatalogFiles::pwmFile() << "ErrorAmp~^(0|N)$";
        QTest::newRow("separate diode junction") << CatalogFiles::pwmFile() << "Rtheta_JC_diode>0.000001";
        QTest::newRow("no separate diode junction") << CatalogFiles::pwmFile() << "Rtheta_JC_diode=0";
        QTest::newRow("variant name with a dash and a digit") << CatalogFiles::pwmFile() << "ampName~-\\d";
    }

    void coverage()
    {
        QFETCH(QString, path);
        QFETCH(QString, conditions);
        const RawFile raw = readRaw(path);
        const bool holds = std::any_of(raw.rows.begin(), raw.rows.end(), [&](const QStringList &row) {
            if (raw.header.contains(QStringLiteral("released?"))
                && rawCell(raw, row, QStringLiteral("released?")) != QLatin1String("Y"))
                return false;
            for (const QString &c : conditions.split(QLatin1Char(';')))
                if (!meets(raw, row, c))
                    return false;
            return true;
        });
        QVERIFY(holds);
    }

    // A status-2 part is a variant named after a listed status-1 base model plus "A".
    void variantsSitUnderTheirBase()
    {
        for (const amp &a : released.linear) {
            if (a.PSGstatus != 2)
                continue;
            QVERIFY2(a.ampName.endsWith(QLatin1Char('A')), qPrintable(a.ampName));
            const QString base = a.ampName.left(a.ampName.size() - 1);
            QVERIFY2(std::any_of(released.linear.begin(), released.linear.end(),
                         [&](const amp &b) { return b.ampName == base && b.PSGstatus == 1; }),
                qPrintable(a.ampName));
        }
    }
};

QTEST_GUILESS_MAIN(TestShippedCatalogs)
#include "test_shippedcatalogs.moc"
