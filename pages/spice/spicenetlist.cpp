#include "pages/spice/spicenetlist.h"

#include <cmath>

QString spiceNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    struct Suffix {
        double scale;
        const char *text;
    };
    static const Suffix suffixes[] = { { 1e12, "t" }, { 1e9, "g" }, { 1e6, "meg" }, { 1e3, "k" }, { 1, "" },
        { 1e-3, "m" }, { 1e-6, "u" }, { 1e-9, "n" }, { 1e-12, "p" }, { 1e-15, "f" } };
    const double magnitude = std::fabs(value);
    for (const Suffix &s : suffixes) {
        // Round first, so 999.99996 is written as 1k rather than 1000.
        const double mantissa = QString::number(magnitude / s.scale, 'g', 7).toDouble();
        if (mantissa >= 1 || s.scale == 1e-15) {
            if (mantissa >= 1000 && s.scale < 1e12)
                continue; // rounding carried into the next suffix
            return (value < 0 ? QStringLiteral("-") : QString()) + QString::number(mantissa, 'g', 7)
                + QLatin1String(s.text);
        }
    }
    return QString::number(value, 'g', 7);
}

SpiceWriter::SpiceWriter(const QString &title)
{
    // A title that runs over lines would turn its second line into a card.
    QString t = title;
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_lines << t;
}

void SpiceWriter::comment(const QString &text)
{
    for (const QString &l : text.split(QLatin1Char('\n')))
        m_lines << QStringLiteral("* ") + l;
}

void SpiceWriter::blank()
{
    m_lines << QString();
}

void SpiceWriter::line(const QString &text)
{
    m_lines << text;
}

void SpiceWriter::element(
    const QString &name, const QString &n1, const QString &n2, const QString &value, const QString &label)
{
    element(name, QStringList { n1, n2 }, value, label);
}

void SpiceWriter::element(
    const QString &name, const QStringList &nodes, const QString &value, const QString &label)
{
    QString l = name + QLatin1Char(' ') + nodes.join(QLatin1Char(' ')) + QLatin1Char(' ') + value;
    if (!label.isEmpty())
        l += QStringLiteral(" ; ") + label;
    m_lines << l;
}

QString SpiceWriter::text() const
{
    return m_lines.join(QLatin1Char('\n')) + QStringLiteral("\n.end\n");
}

QString spiceTitle(const QString &page, const QString &design)
{
    return QStringLiteral("Ampora %1 - %2").arg(page, design.isEmpty() ? QStringLiteral("untitled") : design);
}

namespace {

constexpr double kOpen = 4294967295.0;

void twoTerminal(SpiceWriter &w, const QString &name, const QString &n1, const QString &n2, double value,
    const QString &label, bool shorted, bool open, const char *openWords = "is open")
{
    if (open) {
        w.comment(QStringLiteral("%1 (%2) %3: left out").arg(name, label, QLatin1String(openWords)));
    } else if (shorted) {
        w.element(
            QStringLiteral("V") + name, n1, n2, QStringLiteral("0"), label + QStringLiteral(" (short)"));
    } else {
        w.element(name, n1, n2, spiceNumber(value), label);
    }
}

} // namespace

void spiceResistor(SpiceWriter &w, const QString &name, const QString &n1, const QString &n2, double ohms,
    const QString &label)
{
    twoTerminal(w, name, n1, n2, ohms, label, ohms == 0, ohms >= kOpen || !std::isfinite(ohms));
}

void spiceInductor(SpiceWriter &w, const QString &name, const QString &n1, const QString &n2, double henries,
    const QString &label)
{
    twoTerminal(w, name, n1, n2, henries, label, henries == 0, henries >= kOpen || !std::isfinite(henries));
}

void spiceCapacitor(SpiceWriter &w, const QString &name, const QString &n1, const QString &n2, double farads,
    const QString &label)
{
    twoTerminal(w, name, n1, n2, farads, label, farads >= kOpen || std::isinf(farads), farads == 0,
        "is open (no capacitance)");
}
