#pragma once

#include <QPen>
#include <QRectF>

class QCustomPlot;

// Schematic symbols drawn in plot coordinates on a canvas whose axes are hidden.
// A two-terminal part is 400 units long (the large variants 800). A horizontal part
// starts at its anchor (xLoc, yLoc) and extends to +x; a vertical part starts at its
// anchor and extends to -y. Every stroke is one QCPCurve polyline named after the
// primitive that drew it; nothing here replots, the page replots once when done.

// Hides axes, grid and legend, stops plottables joining the legend, and adds a stroke
// layer below the item layer so that text labels always win a click over a wire.
// It also marks the canvas as a schematic, so the window's chart helper leaves it alone.
void setupSchematicCanvas(QCustomPlot *plot);
// Only the mark, for a canvas that sets itself up (the schematic editor's).
void markSchematicCanvas(QCustomPlot *plot);
bool isSchematicCanvas(const QCustomPlot *plot);
// Removes every graph, curve and item, ready for a redraw.
void clearSchematic(QCustomPlot *plot);
// The box around every curve point and text-item position (empty when nothing is drawn).
QRectF schematicBounds(QCustomPlot *plot);
// Sets equal x and y scales so that every stroke and every text item, at its
// size on screen, fits the canvas with `marginPx` to spare, and centres the
// drawing. Text keeps its pixel size, so the scale is searched for. Nothing is
// replotted; call it from the canvas's beforeReplot.
void fitSchematicView(QCustomPlot *plot, int marginPx);
// Gives every text item of the canvas the same point size.
void setSchematicTextSize(QCustomPlot *plot, double points);

// Wire from (xLoc, yLoc) to (xLoc + len, yLoc).
void plotWhor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double len);
// Wire from (xLoc, yLoc) to (xLoc, yLoc - len).
void plotWver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double len);
// Wire from (xLoc, yLoc) to (xEnd, yEnd).
void plotWdia(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double xEnd, double yEnd);

// Zig-zag resistor 400 long: corners at 50, 150, 250, 350, first at +100 then -100 across the axis.
void plotRhor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Vertical resistor 400 down: corners at 50, 150, 250, 350 below, first at x + 100 then x - 100.
void plotRver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);

// Capacitor 400 long: leads 0-150 and 250-400, plates 200 long (+-100) at 150 and 250.
void plotChor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Vertical capacitor 400 down: leads 0-150 and 250-400 below, plates +-100 wide at 150 and 250.
void plotCver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Vertical (shunt) capacitor 800 down: leads 0-300 and 500-800 below, plates +-200 wide at 300 and 500.
void plotCLarge(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);

// Inductor 400 long: four semicircular turns of radius 50 bulging to +y.
void plotLhor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Vertical inductor 400 down: four semicircular turns of radius 50 bulging to +x.
void plotLver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Horizontal (series) inductor 800 long: four semicircular turns of radius 100 bulging to +y.
void plotLLarge(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);

// Ground: stem from yLoc to yLoc - 50, bars of half-width 100, 60, 20 at yLoc - 50, -100, -150.
void plotG(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Small ground: stem from yLoc to yLoc - 20, bars of half-width 40, 24, 8 at yLoc - 20, -40, -60.
void plotGr(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Load block: lead yLoc to yLoc - 100, rectangle xLoc +-50 from yLoc - 100 to yLoc - 700, lead to yLoc - 800.
void plotLoad(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);

// Block: rectangle from xLoc to xLoc + xSize, yLoc - ySize/2 to yLoc + ySize/2 (anchor mid left side).
void plotRect(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double xSize, double ySize);
// Gain block: base at xLoc from yLoc - ySize/2 to yLoc + ySize/2, tip at (xLoc + xSize, yLoc).
void plotTri(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double xSize, double ySize);
// Summing junction: circle of radius 25 centred on the anchor.
void plotSum(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Hop in a horizontal wire: half circle of radius R from (xLoc, yLoc) to (xLoc + 2R, yLoc) bulging to +y.
void plotJhor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double R);
// Hop in a vertical wire: half circle of radius R from (xLoc, yLoc) to (xLoc, yLoc - 2R) bulging to +x.
void plotJver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double R);

// Power amplifier: base at xLoc from yLoc - 500 to yLoc + 500, tip at (xLoc + 1000, yLoc); inputs
// "-" at yLoc + 250 and "+" at yLoc - 250 with leads from xLoc - 200; output lead to xLoc + 1200.
void plotPA(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Mirror image of plotPA about x = xLoc: tip at xLoc - 1000, input leads from xLoc + 200, output to xLoc -
// 1200.
void plotPAR(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Small op-amp: base at xLoc from yLoc - 300 to yLoc + 300, tip at (xLoc + 600, yLoc); inputs
// "-" at yLoc + 150 and "+" at yLoc - 150 with leads from xLoc - 100; output lead to xLoc + 700.
void plotOA(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Mirror image of plotOA about x = xLoc: tip at xLoc - 600, input leads from xLoc + 100, output to xLoc -
// 700.
void plotOAR(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Sense-gain triangle: base from xLoc - 200 to xLoc + 200 at yLoc, tip at (xLoc, yLoc + 400).
void plotUpTri(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
// Booster: base at xLoc from yLoc - 500 to yLoc + 500, tip at (xLoc + 1000, yLoc); no leads.
void plotPB(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc);
