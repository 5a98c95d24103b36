#include "pages/hidden/productguide.h"

#include <QDir>
#include <QSaveFile>
#include <QVector>

#include <functional>

namespace {

// Two figures closer than this are the same figure.
constexpr double kSame = 0.0001;

bool same(double a, double b)
{
    return qAbs(a - b) < kSame;
}
bool above(double a, double b)
{
    return a - b >= kSame;
}

// The text stream's own default formatting of a double.
QString num(double v)
{
    return QString::number(v, 'g', 6);
}

QString mark(const QString &name, int mgrade)
{
    return mgrade ? name + QStringLiteral(" (M)") : name;
}

QString package(const Catalogs &c, const QString &code)
{
    return interpretPackageFullDesc(c.packages, code) + QStringLiteral(" (") + code + QLatin1Char(')');
}

void line(QTextStream &out, const QStringList &items)
{
    out << items.join(QStringLiteral(", ")) << '\n';
}

bool listed(int status)
{
    return status != 0 && status != 2;
}

// The figures a linear table shows.
double slew(const amp &a)
{
    double best = 0;
    for (double s : a.slewRate)
        best = qMax(best, s);
    return best;
}

enum class LinearColumn { Current, Supply, Slew };

QString linearFigure(const amp &a, LinearColumn column)
{
    switch (column) {
    case LinearColumn::Current:
        return a.channels > 1 ? num(a.I_cont) + QStringLiteral(" (x%1 channels)").arg(a.channels)
                              : num(a.I_cont);
    case LinearColumn::Supply:
        return num(a.Vss_max);
    case LinearColumn::Slew:
        return num(slew(a));
    }
    return QString();
}

QString dissipation(const amp &a)
{
    const QString pd = num(a.Pd_max.value(0));
    return a.channels > 1 ? pd + QStringLiteral(" per channel") : pd;
}

// The listed model a status-2 variant belongs to: the longest listed name its
// own name starts with ("QX415A" belongs to "QX415").
bool belongsTo(const amp &variant, const amp &model, const QVector<amp> &linear)
{
    if (!variant.ampName.startsWith(model.ampName) || variant.ampName == model.ampName)
        return false;
    for (const amp &other : linear)
        if (listed(other.PSGstatus) && other.ampName.size() > model.ampName.size()
            && variant.ampName.startsWith(other.ampName))
            return false;
    return true;
}

void linearTable(QTextStream &out, const Catalogs &c, const QString &titles, const QString &units,
    const std::function<double(const amp &)> &key, const std::function<bool(double)> &passes,
    const QVector<LinearColumn> &columns)
{
    out << titles << '\n' << units << '\n';
    // Falling key figure; equal figures keep their catalog order.
    QVector<const amp *> rows;
    for (const amp &a : c.linear) {
        if (!listed(a.PSGstatus) || !passes(key(a)))
            continue;
        int at = 0;
        while (at < rows.size() && !above(key(a), key(*rows.at(at))))
            ++at;
        rows.insert(at, &a);
    }
    for (const amp *a : rows) {
        QStringList items { mark(a->ampName, a->MgradeAvailable) };
        for (LinearColumn column : columns)
            items << linearFigure(*a, column);
        items << num(a->Iq_max) << dissipation(*a) << package(c, a->packageStyle);
        line(out, items);
        for (const amp &v : c.linear)
            if (v.PSGstatus == 2 && belongsTo(v, *a, c.linear))
                out << ", , , , , " << dissipation(v) << ", " << package(c, v.packageStyle) << '\n';
    }
}

void pwmRow(QTextStream &out, const Catalogs &c, const pwm &p, double first, double second)
{
    line(out,
        { mark(p.ampName, p.MgradeAvailable), num(first), num(second), num(p.Fsw_max),
            num(p.Vs_max * p.I_cont), num(p.Pd_max), package(c, p.packageStyle) });
}

// Where a PWM amplifier goes in a table ordered by `first` falling. Among
// equal first keys the high-current table (`secondIsOrder` false) goes before
// the first entry whose `second` differs or whose switching frequency is not
// above the new one's; the high-voltage table orders by `second` falling, then
// by switching frequency falling.
int pwmPosition(const QVector<const pwm *> &rows, const pwm &p, double pwm::*first, double pwm::*second,
    bool secondIsOrder)
{
    int i = 0;
    while (i < rows.size() && above(rows.at(i)->*first, p.*first))
        ++i;
    if (i == rows.size() || !same(rows.at(i)->*first, p.*first))
        return i;
    if (!secondIsOrder) {
        for (; i < rows.size() && same(rows.at(i)->*first, p.*first); ++i)
            if (!same(rows.at(i)->*second, p.*second) || !above(rows.at(i)->Fsw_max, p.Fsw_max))
                return i;
        return i;
    }
    for (; i < rows.size() && same(rows.at(i)->*first, p.*first); ++i) {
        if (above(rows.at(i)->*second, p.*second))
            continue;
        if (!same(rows.at(i)->*second, p.*second))
            return i;
        for (; i < rows.size() && same(rows.at(i)->*first, p.*first) && same(rows.at(i)->*second, p.*second);
             ++i)
            if (!above(rows.at(i)->Fsw_max, p.Fsw_max))
                return i;
        return i;
    }
    return i;
}

} // namespace

void HighCurrentOpAmpList(QTextStream &out, const Catalogs &catalogs)
{
    linearTable(
        out, catalogs,
        QStringLiteral(
            "Model, Output Current, Supply Voltage, Slew Rate, Standby Current, Power Dissipation, Package"),
        QStringLiteral(" , CONTINUOUS (A), MAX (V), TYP (V/µs), MAX (mA), MAX (W), "),
        [](const amp &a) { return a.I_cont; }, [](double k) { return k >= 1.0; },
        { LinearColumn::Current, LinearColumn::Supply, LinearColumn::Slew });
}

void HighSpeedOpAmpList(QTextStream &out, const Catalogs &catalogs)
{
    linearTable(
        out, catalogs,
        QStringLiteral(
            "Model, Slew Rate, Supply Voltage, Output Current, Standby Current, Power Dissipation, Package"),
        QStringLiteral(" , TYP (V/µs), MAX (V), CONTINUOUS (A), MAX (mA), MAX (W), "),
        [](const amp &a) { return slew(a); }, [](double k) { return k > 100.0; },
        { LinearColumn::Slew, LinearColumn::Supply, LinearColumn::Current });
}

void HighVoltageOpAmpList(QTextStream &out, const Catalogs &catalogs)
{
    linearTable(
        out, catalogs,
        QStringLiteral(
            "Model, Supply Voltage, Output Current, Slew Rate, Standby Current, Power Dissipation, Package"),
        QStringLiteral(" , MAX (V), CONTINUOUS (A), TYP (V/µs), MAX (mA), MAX (W), "),
        [](const amp &a) { return a.Vss_max; }, [](double k) { return k >= 100.0; },
        { LinearColumn::Supply, LinearColumn::Current, LinearColumn::Slew });
}

void HighCurrentPWMList(QTextStream &out, const Catalogs &catalogs)
{
    out << "Model, Output Current, Supply Voltage, Switching Frequency, Power Delivery, Internal Power "
           "Dissipation, Package\n"
        << " , CONTINUOUS (A), MAX (V), MAX (kHz), MAX (W), MAX (W), \n";
    QVector<const pwm *> rows;
    for (const pwm &p : catalogs.pwms)
        if (listed(p.PSGstatus) && p.I_cont >= 1.0)
            rows.insert(pwmPosition(rows, p, &pwm::I_cont, &pwm::Vs_max, false), &p);
    for (const pwm *p : rows)
        pwmRow(out, catalogs, *p, p->I_cont, p->Vs_max);
}

void HighVoltagePWMList(QTextStream &out, const Catalogs &catalogs)
{
    out << "Model, Supply Voltage, Output Current, Switching Frequency, Power Delivery, Internal Power "
           "Dissipation, Package\n"
        << " , MAX (V), CONTINUOUS (A), MAX (kHz), MAX (W), MAX (W), \n";
    QVector<const pwm *> rows;
    for (const pwm &p : catalogs.pwms)
        if (listed(p.PSGstatus) && p.Vs_max >= 80.0)
            rows.insert(pwmPosition(rows, p, &pwm::Vs_max, &pwm::I_cont, true), &p);
    for (const pwm *p : rows)
        pwmRow(out, catalogs, *p, p->Vs_max, p->I_cont);
}

QStringList productGuideFiles()
{
    return { QStringLiteral("HighCurrentOpAmps.csv"), QStringLiteral("HighSpeedOpAmps.csv"),
        QStringLiteral("HighVoltageOpAmps.csv"), QStringLiteral("HighCurrentPWM.csv"),
        QStringLiteral("HighVoltagePWM.csv") };
}

ProductGuideExport writeProductGuide(const QString &folder, const Catalogs &catalogs)
{
    using Writer = void (*)(QTextStream &, const Catalogs &);
    const Writer writers[] = { HighCurrentOpAmpList, HighSpeedOpAmpList, HighVoltageOpAmpList,
        HighCurrentPWMList, HighVoltagePWMList };
    const QStringList names = productGuideFiles();
    ProductGuideExport result;
    for (int i = 0; i < names.size(); ++i) {
        const QString path = QDir(folder).filePath(names.at(i));
        QSaveFile file(path);
        bool ok = file.open(QIODevice::WriteOnly);
        if (ok) {
            QTextStream out(&file);
            out.setCodec("UTF-8");
            writers[i](out, catalogs);
            out.flush();
            ok = out.status() == QTextStream::Ok && file.commit();
        }
        if (!ok) {
            result.failed = path;
            return result;
        }
        result.written << path;
    }
    return result;
}
