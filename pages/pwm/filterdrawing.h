#pragma once

#include "pages/pwm/filtermodel.h"

class QCustomPlot;

// The filter page's two canvases: the attenuation chart and the schematic
// canvas that shows either the ladder (design sheet) or the load with its
// matching branch (matching sheet). Nothing here replots.

// Once: the chart's log frequency axis, grid, legend and title; the
// schematic canvas's hidden axes and title.
void setupFilterPlot(QCustomPlot *attenuation, QCustomPlot *schematic);

// The ideal response and the cut-off and switching-frequency markers, in
// decibels or in percent attenuation.
void plotAttenuation(QCustomPlot *plot, const AttenuationCurve &curve, double fc, double fsw, bool percent);

// The ladder of `order` in its topology, every drawn part labelled with its
// value (per leg where the topology splits it).
void drawFilterSchematic(QCustomPlot *plot, const FilterResult &design, int order, FilterTopology topology);

// The matching sheet's block diagram: the filter's two outputs, the matching
// branch and the series R-C or R-L load.
void loadSchematic(QCustomPlot *plot, bool loadIsC);
