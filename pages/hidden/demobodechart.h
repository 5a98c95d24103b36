#pragma once

#include <QString>

#include "pages/hidden/demobode.h"

class QCustomPlot;

// Title, decade axis from 1 Hz to 100 MHz and gain axis from -20 to 140 dB.
void setupDemoPlot(QCustomPlot *plot);
// The two gain curves of `result`; the caller replots.
void plotDemoBode(QCustomPlot *plot, const DemoBodeResult &result);
// Saves the chart at its own size as PDF, PNG or JPEG by the file's extension
// (JPEG for any other); false when the file could not be written.
bool saveDemoPlot(QCustomPlot *plot, const QString &path);
