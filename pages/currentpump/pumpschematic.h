#pragma once

#include <QString>
#include <QVector>

#include "pages/currentpump/pumpmodel.h"

class QCustomPlot;
class QCPItemText;

// The clickable labels of the pump schematic, by what they edit.
enum PumpLabelSlot {
    PumpRinN,
    PumpRinP,
    PumpRfn,
    PumpRfp,
    PumpRs,
    PumpLoad,
    PumpRd,
    PumpCd,
    PumpCcomp,
    PumpLabelCount
};

// What the schematic shows: the part, the configuration, the entries as typed
// and the two voltage read-outs of the last computation.
struct PumpSchematicCase {
    amp record;
    bool inverting = false;
    int option = 0;
    PumpEntries e;
    QString vIn;
    ResultNote vAtLoad;
};

// A resistor label: its name, its value as the stability labels write it, and
// its tolerance in percent on the next line.
QString displayTolText(const QString &name, const QString &value, const QString &tolerance);
// The load label: resistance, "+" the reactive element, "@" the frequency.
QString displayLoadText(const PumpEntries &e);

// Clears the canvas and draws the pump (or, for an amplifier that does not
// take both inputs, the text that says so). Returns the labels by
// PumpLabelSlot, nullptr where a label is not drawn. Nothing is replotted.
QVector<QCPItemText *> drawIHCP(QCustomPlot *plot, const PumpSchematicCase &c);

// Label size to the canvas and the view fitted around the drawing; run before
// every replot.
void fitIHCPschematic(QCustomPlot *plot);
