#pragma once

#include <QString>
#include <QVector>

#include "pages/stability/loopmodel.h"

class QCustomPlot;
class QCPItemText;

// One clickable value label of the stability schematic.
struct StabSchematicLabel {
    enum Kind { Value, Ccomp, Rcomp };
    QString name; // "R_IN", "HOST C_FB", ...
    QString unit;
    QString key; // the StabComponents member it edits (Value labels only)
    Kind kind = Value;
    QCPItemText *item = nullptr;
};
using StabSchematicLabels = QVector<StabSchematicLabel>;

// What the schematic shows: the case of the page after its limits were applied.
struct StabSchematicCase {
    amp record;
    StabLoad load = StabLoad::Capacitive;
    bool composite = false;
    bool inverting = true;
    int option = 0;
    StabComponents parts;
};

// Whether the record has an external current-limit resistor, compensation
// pins, and a series compensation resistor in any option.
bool stabHasExternalCurrentLimit(const amp &record);
bool stabHasCompensation(const amp &record);
bool stabHasRcomp(const amp &record);

// The C_COMP and R_COMP label texts of an option.
QString stabCcompText(const amp &record, int option);
QString stabRcompText(const amp &record, int option);

// Clears the canvas and draws the variant of the case; returns the labels it
// filled, in drawing order. Nothing is replotted.
StabSchematicLabels drawStabSchematic(QCustomPlot *plot, const StabSchematicCase &c);

// Sizes the label font to the canvas (7 to 10 pt) and fits the view around the
// drawing; run before every replot.
void fitStabSchematic(QCustomPlot *plot);
