#include "values/sivalues.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>
#include <string>

namespace {

// Blanks as a C text stream sees them in the classic locale.
bool isBlank(QChar c)
{
    const ushort u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\v' || u == '\f' || u == '\r';
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// The characters between Z and a are not letters, and neither are digits or
// punctuation; a letter anywhere in Unicode is.
bool startsWithLetter(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    const ushort u = first.unicode();
    if (u < 128)
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
    if (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate())
        return QChar::isLetter(QChar::surrogateToUcs4(first, text.at(1)));
    return first.isLetter();
}

struct StreamNumber {
    double value = 0;
    bool read = false; // false leaves the stream failed, so nothing after it is read
    bool overflow = false; // the digits were well formed but too large for a double
    int end = 0; // index just past the characters the read consumed
};

// Reads a number the way a classic-locale text stream does: the longest run that
// looks like sign, digits, point, digits, exponent is consumed, and the read fails
// unless all of that run converts ("1e" and "-" fail, "1." and ".5" do not).
StreamNumber readStreamNumber(const QString &text)
{
    StreamNumber result;
    const int n = text.size();
    int i = 0;
    while (i < n && isBlank(text.at(i)))
        ++i;

    std::string run;
    if (i < n && (text.at(i) == '+' || text.at(i) == '-'))
        run += char(text.at(i++).unicode());
    bool mantissaDigits = false;
    bool point = false;
    while (i < n) {
        const QChar c = text.at(i);
        if (isDigit(c)) {
            mantissaDigits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        run += char(c.unicode());
        ++i;
    }
    bool exponentDigits = true;
    if (mantissaDigits && i < n && (text.at(i) == 'e' || text.at(i) == 'E')) {
        run += 'e';
        ++i;
        if (i < n && (text.at(i) == '+' || text.at(i) == '-'))
            run += char(text.at(i++).unicode());
        exponentDigits = false;
        while (i < n && isDigit(text.at(i))) {
            exponentDigits = true;
            run += char(text.at(i++).unicode());
        }
    }
    result.end = i;
    if (!mantissaDigits || !exponentDigits)
        return result;

    std::istringstream stream(run);
    stream.imbue(std::locale::classic());
    double value = 0;
    stream >> value;
    if (stream.fail()) {
        // The run is well formed, so the conversion only fails on overflow: a
        // number that does not fit a double is no number at all.
        result.overflow = true;
        return result;
    }
    result.value = value;
    result.read = true;
    return result;
}

bool specialWord(const QString &text, ParseRules rules, const QString &kind, double *value)
{
    if (rules == ParseRules::Field) {
        const QString word = text.toLower();
        const bool capacitor = kind == QLatin1String("C");
        if (word == QLatin1String("open") || word == QLatin1String("none")) {
            *value = capacitor ? 0.0 : kOpenValue;
            return true;
        }
        if (word == QLatin1String("short")) {
            *value = capacitor ? kOpenValue : 0.0;
            return true;
        }
        if (word == QLatin1String("all") || word == QLatin1String("foil") || word == QLatin1String("inf")) {
            *value = kOpenValue;
            return true;
        }
        if (word == QLatin1String("nan")) {
            *value = 0.0;
            return true;
        }
        return false;
    }
    if (text == QLatin1String("open") || text == QLatin1String("none") || text == QLatin1String("all")
        || text == QLatin1String("foil") || text == QLatin1String("Inf") || text == QLatin1String("inf")) {
        *value = kOpenValue;
        return true;
    }
    if (text == QLatin1String("short") || text == QLatin1String("Nan") || text == QLatin1String("nan")) {
        *value = 0.0;
        return true;
    }
    return false;
}

// The multiplier of a suffix letter with an empty tail; 0 marks an invalid suffix.
double suffixMultiplier(QChar suffix, ParseRules rules)
{
    switch (suffix.unicode()) {
    case 'k':
    case 'K':
        return 1e3;
    case 'M':
        return 1e6;
    case 'g':
    case 'G':
        return 1e9;
    case 't':
    case 'T':
        return 1e12;
    case 'm':
        return 1e-3;
    case 'u':
    case 'U':
        return 1e-6;
    case 'n':
    case 'N':
        return 1e-9;
    case 'p':
    case 'P':
        return 1e-12;
    case 'f':
        return 1e-15;
    case 'F':
        return rules == ParseRules::Label ? 0.0 : 1e-15;
    default:
        return 0.0;
    }
}

QString general(double value, int digits)
{
    // The C library's %g in the C locale: exact halfway values round to the
    // even digit (124.5 gives 124), as any other tool printing the number would.
    if (!std::isfinite(value))
        return noValueText();
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    return QString::fromLatin1(text, int(end.ptr - text));
}

double roundToMultiple(double a, double step)
{
    return a - std::remainder(a, step);
}

double powerOfTen(int exponent)
{
    double p = 1;
    for (int i = 0; i < exponent; ++i)
        p *= 10;
    return p;
}

struct Prefix {
    double below;
    double scale;
    const char *letter;
};

// Picks the prefix row of a table whose rows rise in `below`; the last row holds
// for everything from its predecessor's bound on.
template <int N> const Prefix &pickPrefix(const Prefix (&table)[N], double a)
{
    for (int i = 0; i < N - 1; ++i) {
        if (a < table[i].below)
            return table[i];
    }
    return table[N - 1];
}

QString scaledText(double value, const Prefix &prefix, const QString &separator, const QString &unit)
{
    return general3(value * prefix.scale) + separator + QString::fromUtf8(prefix.letter) + unit;
}

const Prefix kFieldDecades[] = {
    { 1e-12, 1e15, "f" },
    { 1e-9, 1e12, "p" },
    { 1e-6, 1e9, "n" },
    { 1e-3, 1e6, "u" },
    { 1, 1e3, "m" },
    { 1e3, 1, "" },
    { 1e6, 1e-3, "k" },
    { 1e9, 1e-6, "M" },
    { 1e12, 1e-9, "G" },
    { 1e15, 1e-12, "T" },
    { 0, 1, "" },
};

// Labels are read by people only, so they get the real micro sign.
const Prefix kLabelDecades[] = {
    { 1e-12, 1e15, "f" },
    { 1e-9, 1e12, "p" },
    { 1e-6, 1e9, "n" },
    { 1e-3, 1e6, u8"\u00B5" },
    { 1, 1e3, "m" },
    { 1e3, 1, "" },
    { 1e6, 1e-3, "k" },
    { 1e9, 1e-6, "M" },
    { 1e12, 1e-9, "G" },
    { 1e15, 1e-12, "T" },
    { 0, 1, "" },
};

} // namespace

ParsedValue parseEngineering(const QString &text, ParseRules rules, const QString &kind)
{
    ParsedValue parsed;
    if (specialWord(text, rules, kind, &parsed.value))
        return parsed;

    const ParsedValue invalid { 0.0, false };
    // A field that shows the dash of a value that could not be computed is red.
    if (startsWithLetter(text) || text == noValueText())
        return invalid;

    const StreamNumber number = readStreamNumber(text);
    if (number.overflow)
        return invalid;
    parsed.value = number.value;
    if (!number.read)
        return parsed;

    const int n = text.size();
    int i = number.end;
    while (i < n && isBlank(text.at(i)))
        ++i;
    if (i >= n)
        return parsed;
    const QChar suffix = text.at(i++);
    while (i < n && isBlank(text.at(i)))
        ++i;
    const int tailStart = i;
    while (i < n && !isBlank(text.at(i)))
        ++i;
    const QString tail = text.mid(tailStart, i - tailStart);

    if ((suffix == 'M' && (tail == QLatin1String("EG") || tail == QLatin1String("eg")))
        || (suffix == 'm' && tail == QLatin1String("eg"))) {
        parsed.value *= 1e6;
        return std::isfinite(parsed.value) ? parsed : invalid;
    }
    if (!tail.isEmpty())
        return invalid;
    const double multiplier = suffixMultiplier(suffix, rules);
    if (multiplier == 0.0)
        return invalid;
    parsed.value *= multiplier;
    // "1e300G" overflows only once the prefix is applied.
    if (!std::isfinite(parsed.value))
        return invalid;
    return parsed;
}

double string2Number(const QString &text)
{
    return parseEngineering(text, ParseRules::String).value;
}

QString general3(double value)
{
    return general(value, 3);
}

QString number2String(double x)
{
    const double a = std::fabs(x);
    const QString sign = x < 0 ? QStringLiteral("-") : QString();
    if (!std::isfinite(a))
        return noValueText();
    if (a >= 1e6)
        return sign + general(roundToMultiple(a, 1e4), 7);
    if (a >= 1e5)
        return sign + general(roundToMultiple(a, 1e3), 6);
    if (a >= 1e4)
        return sign + general(roundToMultiple(a, 1e2), 5);
    if (a >= 1e3)
        return sign + general(roundToMultiple(a, 10), 4);
    if (a >= 0.001)
        return sign + general(a, 3);
    return sign + QStringLiteral("0");
}

QString formatSI(double value, const QString &unit)
{
    // The bounds sit at 9.995 of each decade so that a number which rounds up to
    // 1000 of one prefix is shown as 1 of the next.
    static const Prefix table[] = {
        { 9.995e-13, 1e15, "f" },
        { 9.995e-10, 1e12, "p" },
        { 9.995e-7, 1e9, "n" },
        { 9.995e-4, 1e6, "u" },
        { 0.9995, 1e3, "m" },
        { 999.5, 1, "" },
        { 999500, 1e-3, "k" },
        { 9.995e8, 1e-6, "M" },
        { 9.995e11, 1e-9, "G" },
        { 9.995e14, 1e-12, "T" },
        { 0, 1, "" },
    };
    if (!std::isfinite(value))
        return noValueText();
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const double a = std::fabs(value);
    if (a == 0)
        return sign + general3(a) + QStringLiteral(" ") + unit;
    return sign + scaledText(a, pickPrefix(table, a), QStringLiteral(" "), unit);
}

QString labelSIText(double value, const QString &unit)
{
    if (!std::isfinite(value))
        return noValueText();
    if (value == 0)
        return general3(value) + QStringLiteral(" ") + unit;
    return scaledText(value, pickPrefix(kLabelDecades, value), QStringLiteral(" "), unit);
}

QString fieldSIText(double value, const QString &unit)
{
    if (!std::isfinite(value))
        return noValueText();
    if (value == 0)
        return general3(value) + unit;
    return scaledText(value, pickPrefix(kFieldDecades, value), QString(), unit);
}

QString itemSIText(double value, const QString &unit)
{
    if (!std::isfinite(value))
        return noValueText();
    static const Prefix table[] = {
        { 1e-9, 1e12, "p" },
        { 1e-6, 1e9, "n" },
        { 1e-3, 1e6, u8"\u00B5" },
        { 1, 1e3, "m" },
        { 0, 1, "" },
    };
    return scaledText(value, pickPrefix(table, value), QStringLiteral(" "), unit);
}

double truncate3(double value)
{
    if (!(value >= 0.001))
        return 0;
    if (!std::isfinite(value))
        return value;
    // Scaling by one exact power of ten keeps values such as 0.0123 from drifting
    // below their own digits, as repeated multiplication by 10 can.
    int exponent = int(std::floor(std::log10(value))) - 2;
    double scaled = exponent >= 0 ? value / powerOfTen(exponent) : value * powerOfTen(-exponent);
    while (scaled >= 1000) {
        ++exponent;
        scaled = value / powerOfTen(exponent);
    }
    while (scaled < 100) {
        --exponent;
        scaled = value * powerOfTen(-exponent);
    }
    const double whole = std::trunc(scaled);
    return exponent >= 0 ? whole * powerOfTen(exponent) : whole / powerOfTen(-exponent);
}
