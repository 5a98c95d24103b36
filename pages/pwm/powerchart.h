#pragma once

#include "pages/pwm/powersweep.h"

class QCustomPlot;

// The power page's frequency-sweep chart: legend shown, grey dotted grids.
void setupPowerSweepChart(QCustomPlot *plot);
// Clears the chart and draws the sweep with its axes, then the "Signal
// Frequency" marker at fsig over the y range in view. No replot.
void drawPowerSweep(QCustomPlot *plot, const PowerSweep &sweep, double fsig);
