#pragma once

#include <QString>

// The value that stands for infinity: an open circuit, no heatsink, a shorted
// capacitor. Pages test for it by equality.
constexpr double kOpenValue = 4294967295.0;

// What every formatter shows for a value that is not a finite number; a page
// whose quantity is infinite for a physical reason shows its own word instead.
inline QString noValueText()
{
    return QStringLiteral("\u2014");
}

// How a text read as a number: the value, and whether the text was valid.
// Special words are always valid; a number too large for a double is not.
struct ParsedValue {
    double value = 0;
    bool valid = true;
};

// Which special-word rules apply.
enum class ParseRules {
    String, // case-sensitive words of string2Number
    Field, // case-insensitive words of field2Number (kind decides open/short of capacitors)
    Label // as String, but F (femto) is only accepted in lower case
};

ParsedValue parseEngineering(const QString &text, ParseRules rules, const QString &kind = QString());

double string2Number(const QString &text);

// Number to text without prefix, rounded to the table's significant digits.
QString number2String(double x);
// Number, prefix with a leading space, unit; boundaries moved so rounding never shows 1000.
QString formatSI(double value, const QString &unit);
// The texts that setLabelSI, setFieldSI and setItemSI write.
QString labelSIText(double value, const QString &unit);
QString fieldSIText(double value, const QString &unit);
QString itemSIText(double value, const QString &unit);
// Three significant digits, truncated toward zero; below 0.001 gives 0.
double truncate3(double value);
// General notation with three significant digits ("4.7", "470", "1e+03").
QString general3(double value);
