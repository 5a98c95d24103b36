#pragma once

#include <QString>
#include <QVector>

#include "pages/pwm/networkelement.h"

class QCustomPlot;
class QCPItemText;
class QWidget;

// What the network schematic of the power page shows: the twelve elements in
// design-file order (P1..P6, MN, L1..L5), the order, the topology and the load view.
struct PowerSchematicCase {
    QVector<networkElement> elements;
    int order = 0;
    enum class Topology { SingleEnded, DualCapacitor, SplitInductor } topology = Topology::SplitInductor;
    bool extendedLoad = false;
};

// A clickable value on the schematic: the element it belongs to and, for the
// load and matching values, which of its three strings it shows.
struct PowerSchematicLabel {
    QCPItemText *item = nullptr;
    enum class Kind { Inductor, Capacitor, Value } kind = Kind::Value;
    int element = 0; // index into PowerSchematicCase::elements
    char string = 'R'; // 'L', 'R' or 'C' for a value label
    QString unit;
};

// Clears the canvas and draws amplifier, filter, matching branch and load.
QVector<PowerSchematicLabel> drawPowerSchematic(QCustomPlot *plot, const PowerSchematicCase &c);

// The label texts of a filter inductor and a filter capacitor: the value and,
// on lines of their own, every parasitic that is neither zero nor open.
QString inductorLabelText(const QString &L, const QString &Rp, const QString &Cp);
QString capacitorLabelText(const QString &C, const QString &Rp, const QString &Lp);
void displayLParasitics(const QString &L, const QString &Rp, const QString &Cp, QCPItemText *item);
void displayCParasitics(const QString &C, const QString &Rp, const QString &Lp, QCPItemText *item);

// The element dialogs: OK writes the three texts back and relabels the item,
// Cancel changes nothing. True when OK was pressed.
bool changeInductor(QWidget *parent, QString *L, QString *R, QString *C, QCPItemText *P);
bool changeCapacitor(QWidget *parent, QString *C, QString *R, QString *L, QCPItemText *P);
