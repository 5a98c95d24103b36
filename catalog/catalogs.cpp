#include "catalog/catalogs.h"

#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QTextCodec>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace {

// The non-empty cells of one record line and the walk's running position.
struct Row {
    QStringList cells;
    int pos = 0;
    bool preRelease = false;
    QString bad; // why a cell of the current column was refused; the row is skipped

    bool take(QString &out)
    {
        if (pos >= cells.size())
            return false;
        out = cells.at(pos++);
        return true;
    }
    bool skip()
    {
        QString ignored;
        return take(ignored);
    }
};

// A cell without a digit is a word that stands for "not given" ("NA", "N", "?")
// and reads as 0. A cell with digits that does not read whole, or reads as
// no finite number, is damaged: made-up numbers would show as real data.
bool placeholder(const QString &cell)
{
    for (const QChar c : cell)
        if (c.isDigit())
            return false;
    return true;
}

// A text cell that spells a number with no value ("nan", "inf") is as damaged
// as a number cell that does: no part, package or pulse is called that.
QString text(const QString &cell, Row &row)
{
    bool ok = false;
    const double v = cell.toDouble(&ok);
    if (ok && !std::isfinite(v))
        row.bad = QStringLiteral("\"%1\" is not a value").arg(cell.left(40));
    return cell;
}

// Catalog numbers are written with a decimal point whatever the user's locale.
double number(const QString &cell, Row &row)
{
    bool ok = false;
    const double v = cell.toDouble(&ok);
    if (ok && std::isfinite(v))
        return v;
    if (!ok && placeholder(cell))
        return 0.0;
    row.bad = QStringLiteral("\"%1\" is not a number").arg(cell.left(40));
    return 0.0;
}

int whole(const QString &cell, Row &row)
{
    bool ok = false;
    const int v = cell.toInt(&ok, 10);
    if (ok)
        return v;
    if (placeholder(cell))
        return 0;
    row.bad = QStringLiteral("\"%1\" is not a whole number").arg(cell.left(40));
    return 0;
}

// No catalog record has more list items than this; a larger count is a damaged line.
constexpr int kMaxListCount = 64;

template <typename M> struct MemberTraits;
template <typename C, typename T> struct MemberTraits<T C::*> {
    using Class = C;
    using Type = T;
};
template <auto M> using ClassOf = typename MemberTraits<decltype(M)>::Class;
template <auto M> using TypeOf = typename MemberTraits<decltype(M)>::Type;

// A reader returns false when the line has run out of cells or, with row.bad
// set, when a cell cannot be read.
template <typename R> using Reader = bool (*)(R &, Row &);

template <typename R> struct Column {
    const char *name;
    Reader<R> read;
};

// One scalar cell, converted by the field's type.
template <auto F> bool cell(ClassOf<F> &r, Row &row)
{
    QString s;
    if (!row.take(s))
        return false;
    if constexpr (std::is_same_v<TypeOf<F>, QString>)
        r.*F = text(s, row);
    else if constexpr (std::is_same_v<TypeOf<F>, double>)
        r.*F = number(s, row);
    else
        r.*F = whole(s, row);
    return row.bad.isEmpty();
}

// A count of list items; a count outside 0 to kMaxListCount is a damaged line,
// whether or not its list column follows.
template <auto F> bool count(ClassOf<F> &r, Row &row)
{
    if (!cell<F>(r, row))
        return false;
    if (r.*F < 0 || r.*F > kMaxListCount) {
        row.bad = QStringLiteral("count %1 is outside 0 to %2").arg(r.*F).arg(kMaxListCount);
        return false;
    }
    return true;
}

// As many cells as the count field (plus Extra) says at this point of the walk;
// a count column that comes later or is absent contributes its default.
template <auto List, auto Count, int Extra = 0> bool list(ClassOf<List> &r, Row &row)
{
    auto &out = r.*List;
    out.clear();
    const int count = r.*Count;
    if (count < 0 || count > kMaxListCount) {
        row.bad = QStringLiteral("list count %1 is outside 0 to %2").arg(count).arg(kMaxListCount);
        return false;
    }
    const int n = count + Extra;
    for (int i = 0; i < n; ++i) {
        QString s;
        if (!row.take(s))
            return false;
        if constexpr (std::is_same_v<TypeOf<List>, QStringList>)
            out.append(text(s, row));
        else
            out.append(number(s, row));
    }
    return row.bad.isEmpty();
}

template <typename R> bool released(R &, Row &row)
{
    QString s;
    if (!row.take(s))
        return false;
    row.preRelease = s == QLatin1String("N");
    return true;
}

template <typename R> bool skipOne(R &, Row &row)
{
    return row.skip();
}

const Column<amp> kAmpColumns[] = {
    { "ampName", cell<&amp::ampName> },
    { "released?", released<amp> },
    { "Vss_max", cell<&amp::Vss_max> },
    { "Vss_min", cell<&amp::Vss_min> },
    { "I_cont", cell<&amp::I_cont> },
    { "I_pk", cell<&amp::I_pk> },
    { "channels", count<&amp::channels> },
    { "Pd_max", list<&amp::Pd_max, &amp::channels> },
    { "Iq_max", cell<&amp::Iq_max> },
    { "Iq_vF", cell<&amp::Iq_vF> },
    { "V_cm", cell<&amp::V_cm> },
    { "V_os", cell<&amp::V_os> },
    { "I_os", cell<&amp::I_os> },
    { "I_bias", cell<&amp::I_bias> },
    { "packageStyle", cell<&amp::packageStyle> },
    { "boostOptions", count<&amp::boostOptions> },
    { "SRboost",
        [](amp &r, Row &row) {
            QString s;
            if (!row.take(s))
                return false;
            r.SRboost = s == QLatin1String("Y");
            return true;
        } },
    { "SROptions", count<&amp::SROptions> },
    // Without boost supplies the file still carries one placeholder cell.
    { "boost",
        [](amp &r, Row &row) {
            return r.boostOptions == 0 ? row.skip() : list<&amp::boost, &amp::boostOptions>(r, row);
        } },
    { "Ccomp", list<&amp::Ccomp, &amp::SROptions> },
    { "Rcomp", list<&amp::Rcomp, &amp::SROptions> },
    { "slewRate", list<&amp::slewRate, &amp::SROptions> },
    { "pole1", list<&amp::pole1, &amp::SROptions> },
    { "pole2", list<&amp::pole2, &amp::SROptions> },
    { "pole3", list<&amp::pole3, &amp::SROptions> },
    { "PBW", cell<&amp::PBW> },
    { "GBWP", cell<&amp::GBWP> },
    { "Aol_DC", cell<&amp::Aol_DC> },
    { "Zout", cell<&amp::Zout> },
    { "Cfb", cell<&amp::Cfb> },
    { "Rfb", cell<&amp::Rfb> },
    { "Rin", cell<&amp::Rin> },
    { "CircuitType", cell<&amp::CircuitType> },
    { "Vbe", cell<&amp::Vbe> },
    { "CLint", cell<&amp::CLint> },
    { "Rb", cell<&amp::Rb> },
    { "Rfoldover", cell<&amp::Rfoldover> },
    { "Tc_max", cell<&amp::Tc_max> },
    { "Tj_max", cell<&amp::Tj_max> },
    { "Rtheta_DC", cell<&amp::Rtheta_DC> },
    { "Rtheta_AC", cell<&amp::Rtheta_AC> },
    { "SB_slope", cell<&amp::SB_slope> },
    { "SB_V", cell<&amp::SB_V> },
    { "pulse1", cell<&amp::pulse1> },
    { "pulse2", cell<&amp::pulse2> },
    { "pulse3", cell<&amp::pulse3> },
    { "pulse1_V", cell<&amp::pulse1_V> },
    { "pulse2_V", cell<&amp::pulse2_V> },
    { "pulse3_V", cell<&amp::pulse3_V> },
    { "Tc_soa", cell<&amp::Tc_soa> },
    { "pulse_slope", cell<&amp::pulse_slope> },
    { "Rtheta_JA", cell<&amp::Rtheta_JA> },
    { "VswingC", list<&amp::VswingC, &amp::boostOptions, 1> },
    { "VswingB", list<&amp::VswingB, &amp::boostOptions, 1> },
    { "VswingA", list<&amp::VswingA, &amp::boostOptions, 1> },
    { "UGS", cell<&amp::UGS> },
    { "Inputs", cell<&amp::Inputs> },
    { "Loads", cell<&amp::Loads> },
    { "classBias", cell<&amp::classBias> },
    { "relative_price", cell<&amp::relative_price> },
    { "SiteLink", cell<&amp::SiteLink> },
    { "PreV6Index", cell<&amp::PreV6Index> },
    { "PSGstatus", cell<&amp::PSGstatus> },
    { "MgradeAvailable", cell<&amp::MgradeAvailable> },
};

const Column<pwm> kPwmColumns[] = {
    { "ampName", cell<&pwm::ampName> },
    { "released?", released<pwm> },
    { "Vs_max", cell<&pwm::Vs_max> },
    { "Vs_nom", cell<&pwm::Vs_nom> },
    { "Vs_min", cell<&pwm::Vs_min> },
    { "Vcc_max", cell<&pwm::Vcc_max> },
    { "Vcc_nom", cell<&pwm::Vcc_nom> },
    { "Vcc_min", cell<&pwm::Vcc_min> },
    { "I_cont", cell<&pwm::I_cont> },
    { "I_pk", cell<&pwm::I_pk> },
    { "Pd_max", cell<&pwm::Pd_max> },
    { "Iq_Vs", cell<&pwm::Iq_Vs> },
    { "Iq_Vs_vsF", cell<&pwm::Iq_Vs_vsF> },
    { "Iq_Vs_vsS", cell<&pwm::Iq_Vs_vsS> },
    { "t_rise", cell<&pwm::t_rise> },
    { "t_fall", cell<&pwm::t_fall> },
    { "Iq_Vcc", cell<&pwm::Iq_Vcc> },
    { "Iq_Vcc_vsF", cell<&pwm::Iq_Vcc_vsF> },
    { "V_cm_min", cell<&pwm::V_cm_min> },
    { "V_cm_max", cell<&pwm::V_cm_max> },
    { "V_os", cell<&pwm::V_os> },
    { "I_os", cell<&pwm::I_os> },
    { "I_bias", cell<&pwm::I_bias> },
    { "outputs", cell<&pwm::outputs> },
    { "packageStyle", cell<&pwm::packageStyle> },
    { "Fsw_min", cell<&pwm::Fsw_min> },
    { "Fsw_nom", cell<&pwm::Fsw_nom> },
    { "Fsw_max", cell<&pwm::Fsw_max> },
    { "Ramp", cell<&pwm::Ramp> },
    { "Ramp_Vpp", cell<&pwm::Ramp_Vpp> },
    { "Ramp_Mid", cell<&pwm::Ramp_Mid> },
    { "PositiveDC", cell<&pwm::PositiveDC> },
    { "OutputTech", cell<&pwm::OutputTech> },
    { "Rdiode", cell<&pwm::Rdiode> },
    { "Vdiode", cell<&pwm::Vdiode> },
    { "MaxDutyCycle", cell<&pwm::MaxDutyCycle> },
    { "Tc_max", cell<&pwm::Tc_max> },
    { "Tj_max", cell<&pwm::Tj_max> },
    { "Rtheta_DC", cell<&pwm::Rtheta_DC> },
    { "Rtheta_JA", cell<&pwm::Rtheta_JA> },
    { "Rtheta_JC_diode", cell<&pwm::Rtheta_JC_diode> },
    { "relative_price", cell<&pwm::relative_price> },
    { "top_A", cell<&pwm::top_A> },
    { "top_B", cell<&pwm::top_B> },
    { "top_C", cell<&pwm::top_C> },
    { "top_V", cell<&pwm::top_V> },
    { "top_wire", cell<&pwm::top_wire> },
    { "bot_A", cell<&pwm::bot_A> },
    { "bot_B", cell<&pwm::bot_B> },
    { "bot_C", cell<&pwm::bot_C> },
    { "bot_V", cell<&pwm::bot_V> },
    { "bot_wire", cell<&pwm::bot_wire> },
    { "SiteLink", cell<&pwm::SiteLink> },
    { "I_sense_pins", cell<&pwm::I_sense_pins> },
    { "ErrorAmp",
        [](pwm &r, Row &row) {
            QString s;
            if (!row.take(s))
                return false;
            r.ErrorAmp = whole(s, row) != 0;
            return row.bad.isEmpty();
        } },
    { "PreV6Index", cell<&pwm::PreV6Index> },
    { "PSGstatus", cell<&pwm::PSGstatus> },
    { "MgradeAvailable", cell<&pwm::MgradeAvailable> },
};

const Column<PackageStyle> kPackageColumns[] = {
    { "Code", cell<&PackageStyle::Code> },
    { "shortDesc", cell<&PackageStyle::shortDesc> },
    { "fullDesc", cell<&PackageStyle::fullDesc> },
};

const Column<Heatsink> kHeatsinkColumns[] = {
    { "Name", cell<&Heatsink::name> },
    { "FreeAirTheta", cell<&Heatsink::FreeAirTheta> },
    { "Length", cell<&Heatsink::Length> },
    { "Width", cell<&Heatsink::Width> },
    { "Height", cell<&Heatsink::Height> },
    { "Weight", cell<&Heatsink::Weight> },
    { "AAVID", skipOne<Heatsink> },
    { "numPackages", count<&Heatsink::numPackages> },
    { "packages", list<&Heatsink::packages, &Heatsink::numPackages> },
    { "A", cell<&Heatsink::A> },
    { "B", cell<&Heatsink::B> },
    { "C", cell<&Heatsink::C> },
    { "relative_price", cell<&Heatsink::relative_price> },
    { "drawingLink", cell<&Heatsink::drawingLink> },
};

struct Layout {
    bool unknownTakesCell; // the amplifier files' extra columns hold one cell each
    bool includePreReleased;
};

template <typename R, std::size_t N>
QVector<R> parseRows(const QString &text, const Column<R> (&columns)[N], Layout layout, const QString &source)
{
    QString clean = text;
    clean.remove(QLatin1Char('\r'));
    const QStringList lines = clean.split(QLatin1Char('\n'));

    QVector<Reader<R>> walk;
    QStringList header;
    bool haveHeader = false;
    QVector<R> out;
    for (int i = 0; i < lines.size(); ++i) {
        // Columns are separated by one or more tabs; a cell of blanks is as
        // empty as no cell, so it never takes a column's place.
        QStringList cells = lines.at(i).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        cells.erase(std::remove_if(
                        cells.begin(), cells.end(), [](const QString &c) { return c.trimmed().isEmpty(); }),
            cells.end());
        if (cells.isEmpty())
            continue;
        if (!haveHeader) {
            haveHeader = true;
            header = cells;
            for (const QString &name : cells) {
                Reader<R> reader = nullptr;
                for (const Column<R> &c : columns) {
                    if (name == QLatin1String(c.name)) {
                        reader = c.read;
                        break;
                    }
                }
                walk.append(reader);
            }
            continue;
        }
        R record;
        Row row;
        row.cells = cells;
        bool complete = true;
        int column = 0;
        for (; column < walk.size(); ++column) {
            const Reader<R> reader = walk.at(column);
            if (reader)
                complete = reader(record, row);
            else if (layout.unknownTakesCell)
                complete = row.skip();
            if (!complete)
                break;
        }
        if (!row.bad.isEmpty()) {
            qWarning().noquote() << QStringLiteral("%1 catalog: line %2, column %3: %4, skipped")
                                        .arg(source)
                                        .arg(i + 1)
                                        .arg(header.at(column), row.bad);
            continue;
        }
        if (!complete) {
            qWarning().noquote()
                << QStringLiteral("%1 catalog: line %2 has too few cells, skipped").arg(source).arg(i + 1);
            continue;
        }
        if (row.preRelease && !layout.includePreReleased)
            continue;
        out.append(record);
    }
    return out;
}

// The shipped files are 8-bit text, but an edited copy may have been saved as
// UTF-8 (the micro sign in pulse durations is the usual non-ASCII character).
QString decode(const QByteArray &bytes)
{
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString asUtf8 = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return asUtf8;
    return QString::fromLatin1(bytes);
}

template <typename R, typename Parse>
void load(QVector<R> &target, const QString &path, const char *failure, Parse parse)
{
    target.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug("%s", failure);
        return;
    }
    target = parse(decode(file.readAll()));
}

template <typename R> QString nameAtPreV6Index(const QVector<R> &records, int index)
{
    for (const R &r : records)
        if (r.PreV6Index == index)
            return r.ampName;
    return records.isEmpty() ? R().ampName : records.last().ampName;
}

template <typename R> R findByName(const QVector<R> &records, const QString &name)
{
    for (const R &r : records)
        if (r.ampName == name)
            return r;
    return records.isEmpty() ? R() : records.first();
}

const PackageStyle *findPackage(const QVector<PackageStyle> &styles, const QString &code)
{
    for (const PackageStyle &s : styles)
        if (s.Code == code)
            return &s;
    return nullptr;
}

QString catalogPath(const QString &dir, const char *fileName)
{
    const QString name = QString::fromLatin1(fileName);
    return dir.isEmpty() ? QStringLiteral(":/ZarnLinear/") + name : dir + QLatin1Char('/') + name;
}

} // namespace

namespace CatalogFiles {
QString linearFile(const QString &dir)
{
    return catalogPath(dir, "LinearAmpData.txt");
}
QString hostFile(const QString &dir)
{
    return catalogPath(dir, "HostAmpData.txt");
}
QString pwmFile(const QString &dir)
{
    return catalogPath(dir, "PWMAmpData.txt");
}
QString packageFile(const QString &dir)
{
    return catalogPath(dir, "PackageStyles.txt");
}
QString heatsinkFile(const QString &dir)
{
    return catalogPath(dir, "Heatsinks.txt");
}
} // namespace CatalogFiles

QVector<amp> parseLinearCatalog(const QString &text, bool includePreReleased, const QString &source)
{
    return parseRows(text, kAmpColumns, { true, includePreReleased }, source);
}

QVector<amp> parseHostCatalog(const QString &text, const QString &source)
{
    return parseRows(text, kAmpColumns, { true, true }, source);
}

QVector<pwm> parsePwmCatalog(const QString &text, bool includePreReleased, const QString &source)
{
    return parseRows(text, kPwmColumns, { true, includePreReleased }, source);
}

QVector<PackageStyle> parsePackageStyles(const QString &text, const QString &source)
{
    return parseRows(text, kPackageColumns, { true, true }, source);
}

QVector<Heatsink> parseHeatsinks(const QString &text, const QString &source)
{
    return parseRows(text, kHeatsinkColumns, { false, true }, source);
}

void loadLinearCatalog(QVector<amp> &target, bool includePreReleased, const QString &path)
{
    load(target, path, "Could not open Linear Amp File",
        [&](const QString &text) { return parseLinearCatalog(text, includePreReleased); });
}

void loadHostCatalog(QVector<amp> &target, const QString &path)
{
    load(target, path, "Could not open Host Amp File",
        [](const QString &text) { return parseHostCatalog(text); });
}

void loadPwmCatalog(QVector<pwm> &target, bool includePreReleased, const QString &path)
{
    load(target, path, "Could not open PWM Amp File",
        [&](const QString &text) { return parsePwmCatalog(text, includePreReleased); });
}

void loadPackageStyles(QVector<PackageStyle> &target, const QString &path)
{
    load(target, path, "Could not open Package Style File",
        [](const QString &text) { return parsePackageStyles(text); });
}

void loadHeatsinks(QVector<Heatsink> &target, const QString &path)
{
    load(target, path, "Could not open Heatsink File",
        [](const QString &text) { return parseHeatsinks(text); });
}

void loadAllCatalogs(Catalogs &c, bool includePreReleased, const QString &dir)
{
    loadLinearCatalog(c.linear, includePreReleased, CatalogFiles::linearFile(dir));
    loadHostCatalog(c.host, CatalogFiles::hostFile(dir));
    loadPwmCatalog(c.pwms, includePreReleased, CatalogFiles::pwmFile(dir));
    loadPackageStyles(c.packages, CatalogFiles::packageFile(dir));
    loadHeatsinks(c.heatsinks, CatalogFiles::heatsinkFile(dir));
}

int ampVectorIndex(const QVector<amp> &linear, const QString &name)
{
    for (int i = 0; i < linear.size(); ++i)
        if (linear.at(i).ampName == name)
            return i;
    return linear.size();
}

QString interpretPackage(const QVector<PackageStyle> &styles, const QString &code)
{
    const PackageStyle *s = findPackage(styles, code);
    return s ? s->shortDesc : QStringLiteral("-");
}

QString interpretPackageFullDesc(const QVector<PackageStyle> &styles, const QString &code)
{
    const PackageStyle *s = findPackage(styles, code);
    return s ? s->fullDesc : QStringLiteral("-");
}

QString beforeV7IndextoAmpName(const QVector<amp> &linear, int index)
{
    return nameAtPreV6Index(linear, index);
}

QString beforeV7IndextoHostName(const QVector<amp> &host, int index)
{
    return nameAtPreV6Index(host, index);
}

QString beforeV7IndextoPwmName(const QVector<pwm> &pwms, int index)
{
    return nameAtPreV6Index(pwms, index);
}

amp findLinear(const QVector<amp> &linear, const QString &name)
{
    return findByName(linear, name);
}

pwm findSwitching(const QVector<pwm> &pwms, const QString &name)
{
    return findByName(pwms, name);
}
