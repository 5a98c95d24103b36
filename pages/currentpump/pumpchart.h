#pragma once

#include "pages/currentpump/pumpmodel.h"

class QCustomPlot;

// The chart of the current-pump page, in one of its two views.

// Sets the chart up for the Bode view (the stability page's gain axes) or
// for the load sweep (linear axes rescaled to the data); the title of the
// other view is removed first.
void setupIHCPplots(QCustomPlot *plot, bool sweep);

// Clears the chart and draws the open-loop gain, the paths of 1/beta and the
// signal at the load; nothing is replotted.
void drawIHCPbode(QCustomPlot *plot, const PumpBodeResult &result);

// Clears the chart and draws the worst-case error against the load, rescaling
// the axes to it; nothing is replotted.
void drawIHCPsweep(QCustomPlot *plot, const PumpSweep &sweep);
