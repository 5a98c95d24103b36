#pragma once

#include <QColor>
#include <QString>
#include <QVector>
#include <Qt>

class QCustomPlot;
class QCPAbstractItem;
class QCPItemText;

// Value labels of the schematic pages: a text item beside a symbol shows a component's
// value; clicking it opens a one-line entry dialog. Fields keep the text as typed, so
// "open" and "short" survive; the label only reformats it for display.

// Adds a text item at (x, y) in plot coordinates, lines centred, anchored by `anchor`.
QCPItemText *addSchematicText(QCustomPlot *plot, double x, double y, const QString &text,
    Qt::Alignment anchor = Qt::AlignCenter, const QColor &colour = Qt::black);

// The value line of a stability-style label: "2.2k" with "Ω" gives "2.2 kΩ" (number "%g"
// with 6 digits, a space, the typed suffix word, the unit); texts that read as 0 or
// open, or not at all, come back as typed.
QString stabValueText(const QString &value, const QString &unit);
// Writes "name\n" + stabValueText into the item; the item turns black, or red for a bad text.
void displayStabText(const QString &value, QCPItemText *item, const QString &name, const QString &unit);
// Adds a label item at (x, y) and writes it with displayStabText; returns the item.
QCPItemText *displayStabText(QCustomPlot *plot, double x, double y, const QString &value, const QString &name,
    const QString &unit, Qt::Alignment anchor = Qt::AlignCenter);
// Asks for a new value ("New Value", empty entry); a confirmed non-empty text relabels the item
// and is returned, a cancel or an empty entry returns oldValue unchanged. No replot.
QString changeStabValue(QCPItemText *item, const QString &name, const QString &unit, const QString &oldValue);

// The text of a control-style label: formatSI of the value with the unit, or the text as typed
// when it reads as 0 or open ("open", "short", "0", or a bad text).
QString itemValueText(const QString &value, const QString &unit);
// Writes itemValueText into the item; the item's colour is left as the page set it.
void displayItemText(const QString &value, QCPItemText *item, const QString &unit);
// Asks for a new value ("New Value", pre-filled with current); OK with a non-empty text returns it
// as typed, otherwise current is returned; the item is relabelled and its canvas replotted.
QString changeSConValue(QCPItemText *item, const QString &current, const QString &unit);

// Equal within a relative 1e-12, or within 1e-12 absolute when either is exactly 0.
bool sameLabelCoordinate(double a, double b);
// True when both items are text items whose positions agree in both plot coordinates.
bool sameLabelPosition(const QCPAbstractItem *a, const QCPAbstractItem *b);
// Index of the first filled slot whose label sits where the clicked item sits; -1 for none.
int matchLabelSlot(const QCPAbstractItem *clicked, const QVector<QCPItemText *> &labels);
