#pragma once

#include <QPen>
#include <QStringList>

#include "pages/threephase/threephasemodel.h"

class QCustomPlot;

// The pen of plot `slot` (0..5); the schematic marks a plotted element with it.
QPen p3SlotPen(int slot, double width = 3);

// One-time set-up of a signal plot.
void setupP3graph(QCustomPlot *plot);
// Plot k shows the signal of slot k against time; a "null" slot (or a
// signal without a vector) leaves it empty.
void drawP3graph(QCustomPlot *plot, int slot, const QString &name, const ThreePhase::Traces &traces,
    const ThreePhase::SignalView &view);

// The property that names the signal a schematic element stands for.
constexpr const char *kP3SignalProperty = "p3signal";

void setupP3schematic(QCustomPlot *plot);
// The bridge and the motor (wye or delta); every element carries the signal
// it stands for, and plotted elements are drawn in their plot's pen.
void drawP3schematic(QCustomPlot *plot, bool delta, bool linear, const QStringList &graphables);
void fitP3schematic(QCustomPlot *plot);
