#pragma once

#include "catalog/records.h"
#include "pages/soa/soamodel.h"

class QCustomPlot;

// The SOA chart and the two waveform viewers of the SOA page, drawn from the
// model's result. Nothing here replots; the page replots what is in view.

// One-time set-up of the chart: title, axis labels, full axes box, log scales,
// dotted grids, the legend bottom left, dragging and zooming.
void setupSOAplot(QCustomPlot *plot);
// One-time set-up of the voltage and current viewers.
void setupWavePlots(QCustomPlot *voltage, QCustomPlot *current);
// Log or linear scales with the part's default ranges and legend corner.
void setSOAscale(QCustomPlot *plot, const amp &a, bool log);

// Clears the chart and draws the result: the boundary curves, the swing box,
// the load line, the current-limit band and the custom limit.
void drawSOAchart(QCustomPlot *plot, const SoaResult &result);
// The load voltage and current over the displayed periods.
void drawViewers(QCustomPlot *voltage, QCustomPlot *current, const SoaSimResult &sim);
