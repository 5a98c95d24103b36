#pragma once

#include <QString>
#include <QStringList>

// A circuit written out for a SPICE simulator: the whole text of a .cir file,
// or none, with the reason a page has nothing to write.
struct SpiceNetlist {
    QString text;
    QString unavailable; // why there is no netlist; shown as the action's tip
    bool isEmpty() const { return text.isEmpty(); }
};

// A number in SPICE's own suffix form: 1e6 is "1meg" (a SPICE "M" is milli),
// 4.7e-6 is "4.7u", 0 is "0"; seven significant digits.
QString spiceNumber(double value);

// Builds a netlist line by line. The first line of a SPICE file is always
// its title; every element line carries, after a semicolon, the name the
// page gives the part.
class SpiceWriter {
public:
    explicit SpiceWriter(const QString &title);

    void comment(const QString &text);
    void blank();
    void line(const QString &text);
    // NAME N1 N2 VALUE ; LABEL
    void element(const QString &name, const QString &n1, const QString &n2, const QString &value,
        const QString &label = QString());
    // Elements of more than two nodes or with a source description (SIN, PULSE, PWL).
    void element(const QString &name, const QStringList &nodes, const QString &value,
        const QString &label = QString());

    // The text, closed by ".end".
    QString text() const;

private:
    QStringList m_lines;
};

// The title line: "Ampora <page> - <design>", the design "untitled" when none.
QString spiceTitle(const QString &page, const QString &design);

// Two-terminal parts as a page reads them: a resistor or inductor of 0
// ("short") is a 0 V source named after it, one at the open value is left
// out; a capacitor of 0 ("open") is left out and one at the open value
// ("short") is a 0 V source. Each leaves a comment when it is left out.
void spiceResistor(SpiceWriter &w, const QString &name, const QString &n1, const QString &n2, double ohms,
    const QString &label);
void spiceInductor(SpiceWriter &w, const QString &name, const QString &n1, const QString &n2, double henries,
    const QString &label);
void spiceCapacitor(SpiceWriter &w, const QString &name, const QString &n1, const QString &n2, double farads,
    const QString &label);
