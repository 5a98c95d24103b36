#pragma once

#include <QPen>
#include <QString>

#include "pages/stability/loopmodel.h"

class QCustomPlot;

// The gain and phase charts of the stability page.

// One-time set-up of a Bode chart: decade-labelled log frequency axis from 1 Hz
// to 100 MHz with a sub-grid, the title, the y axis, grey dotted grids, and
// the legend in the corner the curves leave free.
void setupBodeChart(QCustomPlot *plot, const QString &title, const QString &yLabel, double yLow, double yHigh,
    double yStep, Qt::Alignment legendCorner);

// Clears both charts and draws the result's series: the gain curves and the
// closure line on `gain`; the closure line, the closed-loop phases or (with
// `components`) the phase components, and the open-loop phase on `phase`.
// Nothing is replotted.
void drawBodeCharts(QCustomPlot *gain, QCustomPlot *phase, const LoopResult &result, bool components);

// The pen of a named series (width 3).
QPen stabSeriesPen(const QString &name);
