#pragma once

#include <QVector>

#include "pages/pwm/controlmodel.h"

class QCustomPlot;
class QCPItemText;

// What the control schematic shows: the circuit, its components as typed,
// the operating ranges of the last computation and the amplifier's note.
struct ControlSchematicCase {
    ControlCircuit circuit = ControlCircuit::Voltage1;
    ControlParts parts;
    ControlResult result;
    bool hideBlocks = false;
    bool errorAmp = false;
};

// A clickable value on the schematic and the component it shows.
struct ControlLabel {
    QCPItemText *item = nullptr;
    int part = 0;
};

// Sets the canvas up once; the schematic fits itself to the canvas on every replot.
void setupSControlSch(QCustomPlot *plot);
// Sets the transfer-function chart up once.
void setupSConTcl(QCustomPlot *plot);
// Clears and draws the circuit of the case; returns its value labels. No replot.
QVector<ControlLabel> drawSConSchematic(QCustomPlot *plot, const ControlSchematicCase &c);
QVector<ControlLabel> drawV1(QCustomPlot *plot, const ControlSchematicCase &c);
QVector<ControlLabel> drawV2(QCustomPlot *plot, const ControlSchematicCase &c);
QVector<ControlLabel> drawI1(QCustomPlot *plot, const ControlSchematicCase &c);
QVector<ControlLabel> drawI2(QCustomPlot *plot, const ControlSchematicCase &c);
// Draws the closed-loop curve. No replot.
void drawSConTcl(QCustomPlot *plot, const ControlResult &result);
