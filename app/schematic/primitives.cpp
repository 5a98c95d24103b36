#include "app/schematic/primitives.h"

#include <qcustomplot.h>

#include <QVector>
#include <algorithm>
#include <cmath>

namespace {

const char *const kStrokeLayer = "schematic";
const char *const kCanvasProperty = "schematicCanvas";

// Points per half turn of an arc; 10 degree steps look round at schematic sizes.
constexpr int kHalfTurnSteps = 18;

using Points = QVector<QPointF>;

void addStroke(QCustomPlot *plot, const QPen &pen, const char *name, const Points &points)
{
    if (!plot || points.size() < 2)
        return;
    auto *curve = new QCPCurve(plot->xAxis, plot->yAxis);
    if (QCPLayer *layer = plot->layer(QString::fromLatin1(kStrokeLayer)))
        curve->setLayer(layer);
    curve->setName(QString::fromLatin1(name));
    curve->setPen(pen);
    curve->setBrush(Qt::NoBrush);
    curve->setLineStyle(QCPCurve::lsLine);
    curve->setScatterStyle(QCPScatterStyle::ssNone);
    curve->removeFromLegend();
    QVector<double> t(points.size()), x(points.size()), y(points.size());
    for (int i = 0; i < points.size(); ++i) {
        t[i] = i;
        x[i] = points[i].x();
        y[i] = points[i].y();
    }
    curve->setData(t, x, y, true);
}

// Half circle from angle `from` to `from + pi` (sweeping by `direction`, +1 or -1) about
// (cx, cy), appended to `points`; the end points are set exactly so strokes join.
void appendHalfTurn(Points &points, double cx, double cy, double r, double from, int direction,
    const QPointF &start, const QPointF &end)
{
    points.append(start);
    for (int i = 1; i < kHalfTurnSteps; ++i) {
        const double a = from + direction * M_PI * i / kHalfTurnSteps;
        points.append(QPointF(cx + r * std::cos(a), cy + r * std::sin(a)));
    }
    points.append(end);
}

// Turns along +x from (x, y), each 2r wide, bulging to +y.
Points horizontalCoil(double x, double y, double r, int turns)
{
    Points points;
    for (int k = 0; k < turns; ++k) {
        const double x0 = x + 2 * r * k;
        if (k > 0)
            points.removeLast();
        appendHalfTurn(points, x0 + r, y, r, M_PI, -1, QPointF(x0, y), QPointF(x0 + 2 * r, y));
    }
    return points;
}

// Turns along -y from (x, y), each 2r tall, bulging to +x.
Points verticalCoil(double x, double y, double r, int turns)
{
    Points points;
    for (int k = 0; k < turns; ++k) {
        const double y0 = y - 2 * r * k;
        if (k > 0)
            points.removeLast();
        appendHalfTurn(points, x, y0 - r, r, M_PI / 2, -1, QPointF(x, y0), QPointF(x, y0 - 2 * r));
    }
    return points;
}

void groundSymbol(QCustomPlot *plot, const QPen &pen, const char *name, double x, double y, double step,
    const double (&halfWidths)[3])
{
    addStroke(plot, pen, name, { QPointF(x, y), QPointF(x, y - step) });
    for (int i = 0; i < 3; ++i) {
        const double yBar = y - step * (i + 1);
        addStroke(plot, pen, name, { QPointF(x - halfWidths[i], yBar), QPointF(x + halfWidths[i], yBar) });
    }
}

// An amplifier triangle with base at x, tip `length` away in `direction` (+1 right, -1 left),
// inputs at y +- length/4 ("-" above, "+" below) with leads and an output lead.
void amplifier(QCustomPlot *plot, const QPen &pen, const char *name, double x, double y, double length,
    double lead, int direction)
{
    const double half = length / 2;
    const double tip = x + direction * length;
    addStroke(plot, pen, name,
        { QPointF(x, y - half), QPointF(x, y + half), QPointF(tip, y), QPointF(x, y - half) });
    const double inY[2] = { y + length / 4, y - length / 4 };
    for (double yIn : inY)
        addStroke(plot, pen, name, { QPointF(x - direction * lead, yIn), QPointF(x, yIn) });
    addStroke(plot, pen, name, { QPointF(tip, y), QPointF(tip + direction * lead, y) });

    // The signs sit just inside the base, sized to the symbol.
    const double sign = length * 0.04;
    const double signX = x + direction * length * 0.12;
    addStroke(plot, pen, name, { QPointF(signX - sign, inY[0]), QPointF(signX + sign, inY[0]) });
    addStroke(plot, pen, name, { QPointF(signX - sign, inY[1]), QPointF(signX + sign, inY[1]) });
    addStroke(plot, pen, name, { QPointF(signX, inY[1] - sign), QPointF(signX, inY[1] + sign) });
}

} // namespace

void setupSchematicCanvas(QCustomPlot *plot)
{
    if (!plot)
        return;
    markSchematicCanvas(plot);
    for (QCPAxis *axis : plot->axisRect()->axes()) {
        axis->setVisible(false);
        axis->grid()->setVisible(false);
        axis->grid()->setSubGridVisible(false);
    }
    plot->legend->setVisible(false);
    plot->setAutoAddPlottableToLegend(false);
    if (!plot->layer(QString::fromLatin1(kStrokeLayer)))
        plot->addLayer(
            QString::fromLatin1(kStrokeLayer), plot->layer(QStringLiteral("main")), QCustomPlot::limBelow);
}

void markSchematicCanvas(QCustomPlot *plot)
{
    if (plot)
        plot->setProperty(kCanvasProperty, true);
}

bool isSchematicCanvas(const QCustomPlot *plot)
{
    return plot && plot->property(kCanvasProperty).toBool();
}

void clearSchematic(QCustomPlot *plot)
{
    if (!plot)
        return;
    plot->clearPlottables();
    plot->clearItems();
}

QRectF schematicBounds(QCustomPlot *plot)
{
    if (!plot)
        return QRectF();
    bool any = false;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    auto include = [&](double x, double y) {
        if (!any) {
            x0 = x1 = x;
            y0 = y1 = y;
            any = true;
            return;
        }
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    };
    for (int i = 0; i < plot->plottableCount(); ++i) {
        if (const auto *curve = qobject_cast<const QCPCurve *>(plot->plottable(i))) {
            for (const QCPCurveData &d : *curve->data())
                include(d.key, d.value);
        }
    }
    for (int i = 0; i < plot->itemCount(); ++i) {
        if (const auto *text = qobject_cast<const QCPItemText *>(plot->item(i))) {
            const QPointF p = text->position->coords();
            include(p.x(), p.y());
        }
    }
    if (!any)
        return QRectF();
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

namespace {

// A point of the drawing: a fixed place in plot units plus an offset that is
// in pixels (the corners of a text box), so it grows with the scale.
struct FitPoint {
    double x, y; // plot units
    double dx, dy; // pixels, +dy up
};

// The pixel box of a text item relative to its anchor, +y up.
QRectF textBox(const QCPItemText *text)
{
    const QFontMetricsF metrics(text->font());
    const QRectF r = metrics.boundingRect(
        QRectF(0, 0, 1e6, 1e6), Qt::TextDontClip | int(text->textAlignment()), text->text());
    const QMargins pad = text->padding();
    const double w = r.width() + pad.left() + pad.right(), h = r.height() + pad.top() + pad.bottom();
    const Qt::Alignment a = text->positionAlignment();
    const double left = a & Qt::AlignLeft ? 0 : a & Qt::AlignRight ? -w : -w / 2;
    const double bottom = a & Qt::AlignBottom ? 0 : a & Qt::AlignTop ? -h : -h / 2;
    return QRectF(left, bottom, w, h);
}

} // namespace

void setSchematicTextSize(QCustomPlot *plot, double points)
{
    for (int i = 0; i < plot->itemCount(); ++i) {
        if (auto *text = qobject_cast<QCPItemText *>(plot->item(i))) {
            if (text->font().pointSizeF() != points) {
                QFont f = text->font();
                f.setPointSizeF(points);
                text->setFont(f);
            }
        }
    }
}

void fitSchematicView(QCustomPlot *plot, int marginPx)
{
    if (!plot)
        return;
    QVector<FitPoint> points;
    for (int i = 0; i < plot->plottableCount(); ++i)
        if (const auto *curve = qobject_cast<const QCPCurve *>(plot->plottable(i)))
            for (const QCPCurveData &d : *curve->data())
                points.append({ d.key, d.value, 0, 0 });
    for (int i = 0; i < plot->itemCount(); ++i) {
        if (const auto *text = qobject_cast<const QCPItemText *>(plot->item(i))) {
            const QPointF p = text->position->coords();
            const QRectF box = textBox(text);
            points.append({ p.x(), p.y(), box.left(), box.top() });
            points.append({ p.x(), p.y(), box.right(), box.bottom() });
        }
    }
    if (points.isEmpty())
        return;
    // The canvas area; the axis rect's own rectangle is one layout behind after a
    // resize, so a canvas holding only its axis rect is measured from the viewport.
    QRect area = plot->axisRect()->rect();
    if (plot->plotLayout()->elementCount() == 1 || area.width() < 10 || area.height() < 10) {
        const QMargins m = plot->axisRect()->margins();
        area = plot->viewport().marginsRemoved(m);
    }
    const double W = std::max(20, area.width() - 2 * marginPx),
                 H = std::max(20, area.height() - 2 * marginPx);
    struct Extent {
        double x0, x1, y0, y1;
    };
    const auto extent = [&](double s) {
        Extent e { 1e300, -1e300, 1e300, -1e300 };
        for (const FitPoint &p : points) {
            e.x0 = std::min(e.x0, p.x + s * p.dx);
            e.x1 = std::max(e.x1, p.x + s * p.dx);
            e.y0 = std::min(e.y0, p.y + s * p.dy);
            e.y1 = std::max(e.y1, p.y + s * p.dy);
        }
        return e;
    };
    const auto fits = [&](double s) {
        const Extent e = extent(s);
        return e.x1 - e.x0 <= s * W && e.y1 - e.y0 <= s * H;
    };
    // The strokes alone give the smallest scale (units per pixel); text only adds.
    const Extent bare = extent(0);
    double lo = std::max({ (bare.x1 - bare.x0) / W, (bare.y1 - bare.y0) / H, 1e-9 });
    double hi = lo;
    // Labels wider than the canvas itself cannot fit at any scale; past 16 times
    // the bare scale the drawing would only shrink to nothing.
    for (int i = 0; i < 4 && !fits(hi); ++i)
        hi *= 2;
    if (fits(lo))
        hi = lo;
    for (int i = 0; i < 40 && hi - lo > 1e-6 * hi; ++i) {
        const double mid = (lo + hi) / 2;
        (fits(mid) ? hi : lo) = mid;
    }
    const Extent e = extent(hi);
    const double cx = (e.x0 + e.x1) / 2, cy = (e.y0 + e.y1) / 2;
    const double halfW = hi * area.width() / 2, halfH = hi * area.height() / 2;
    plot->xAxis->setRange(cx - halfW, cx + halfW);
    plot->yAxis->setRange(cy - halfH, cy + halfH);
}

void plotWhor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double len)
{
    addStroke(plot, pen, "plotWhor", { QPointF(xLoc, yLoc), QPointF(xLoc + len, yLoc) });
}

void plotWver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double len)
{
    addStroke(plot, pen, "plotWver", { QPointF(xLoc, yLoc), QPointF(xLoc, yLoc - len) });
}

void plotWdia(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double xEnd, double yEnd)
{
    addStroke(plot, pen, "plotWdia", { QPointF(xLoc, yLoc), QPointF(xEnd, yEnd) });
}

void plotRhor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotRhor",
        { QPointF(xLoc, yLoc), QPointF(xLoc + 50, yLoc + 100), QPointF(xLoc + 150, yLoc - 100),
            QPointF(xLoc + 250, yLoc + 100), QPointF(xLoc + 350, yLoc - 100), QPointF(xLoc + 400, yLoc) });
}

void plotRver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotRver",
        { QPointF(xLoc, yLoc), QPointF(xLoc + 100, yLoc - 50), QPointF(xLoc - 100, yLoc - 150),
            QPointF(xLoc + 100, yLoc - 250), QPointF(xLoc - 100, yLoc - 350), QPointF(xLoc, yLoc - 400) });
}

void plotChor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotChor", { QPointF(xLoc, yLoc), QPointF(xLoc + 150, yLoc) });
    addStroke(plot, pen, "plotChor", { QPointF(xLoc + 150, yLoc - 100), QPointF(xLoc + 150, yLoc + 100) });
    addStroke(plot, pen, "plotChor", { QPointF(xLoc + 250, yLoc - 100), QPointF(xLoc + 250, yLoc + 100) });
    addStroke(plot, pen, "plotChor", { QPointF(xLoc + 250, yLoc), QPointF(xLoc + 400, yLoc) });
}

void plotCver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotCver", { QPointF(xLoc, yLoc), QPointF(xLoc, yLoc - 150) });
    addStroke(plot, pen, "plotCver", { QPointF(xLoc - 100, yLoc - 150), QPointF(xLoc + 100, yLoc - 150) });
    addStroke(plot, pen, "plotCver", { QPointF(xLoc - 100, yLoc - 250), QPointF(xLoc + 100, yLoc - 250) });
    addStroke(plot, pen, "plotCver", { QPointF(xLoc, yLoc - 250), QPointF(xLoc, yLoc - 400) });
}

void plotCLarge(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotCLarge", { QPointF(xLoc, yLoc), QPointF(xLoc, yLoc - 300) });
    addStroke(plot, pen, "plotCLarge", { QPointF(xLoc - 200, yLoc - 300), QPointF(xLoc + 200, yLoc - 300) });
    addStroke(plot, pen, "plotCLarge", { QPointF(xLoc - 200, yLoc - 500), QPointF(xLoc + 200, yLoc - 500) });
    addStroke(plot, pen, "plotCLarge", { QPointF(xLoc, yLoc - 500), QPointF(xLoc, yLoc - 800) });
}

void plotLhor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotLhor", horizontalCoil(xLoc, yLoc, 50, 4));
}

void plotLver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotLver", verticalCoil(xLoc, yLoc, 50, 4));
}

void plotLLarge(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotLLarge", horizontalCoil(xLoc, yLoc, 100, 4));
}

void plotG(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    groundSymbol(plot, pen, "plotG", xLoc, yLoc, 50, { 100, 60, 20 });
}

void plotGr(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    groundSymbol(plot, pen, "plotGr", xLoc, yLoc, 20, { 40, 24, 8 });
}

void plotLoad(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotLoad", { QPointF(xLoc, yLoc), QPointF(xLoc, yLoc - 100) });
    addStroke(plot, pen, "plotLoad",
        { QPointF(xLoc - 50, yLoc - 100), QPointF(xLoc + 50, yLoc - 100), QPointF(xLoc + 50, yLoc - 700),
            QPointF(xLoc - 50, yLoc - 700), QPointF(xLoc - 50, yLoc - 100) });
    addStroke(plot, pen, "plotLoad", { QPointF(xLoc, yLoc - 700), QPointF(xLoc, yLoc - 800) });
}

void plotRect(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double xSize, double ySize)
{
    const double top = yLoc + ySize / 2, bottom = yLoc - ySize / 2;
    addStroke(plot, pen, "plotRect",
        { QPointF(xLoc, bottom), QPointF(xLoc, top), QPointF(xLoc + xSize, top),
            QPointF(xLoc + xSize, bottom), QPointF(xLoc, bottom) });
}

void plotTri(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double xSize, double ySize)
{
    addStroke(plot, pen, "plotTri",
        { QPointF(xLoc, yLoc - ySize / 2), QPointF(xLoc, yLoc + ySize / 2), QPointF(xLoc + xSize, yLoc),
            QPointF(xLoc, yLoc - ySize / 2) });
}

void plotSum(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    const double r = 25;
    Points points;
    appendHalfTurn(points, xLoc, yLoc, r, 0, 1, QPointF(xLoc + r, yLoc), QPointF(xLoc - r, yLoc));
    points.removeLast();
    appendHalfTurn(points, xLoc, yLoc, r, M_PI, 1, QPointF(xLoc - r, yLoc), QPointF(xLoc + r, yLoc));
    addStroke(plot, pen, "plotSum", points);
}

void plotJhor(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double R)
{
    Points points;
    appendHalfTurn(points, xLoc + R, yLoc, R, M_PI, -1, QPointF(xLoc, yLoc), QPointF(xLoc + 2 * R, yLoc));
    addStroke(plot, pen, "plotJhor", points);
}

void plotJver(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc, double R)
{
    Points points;
    appendHalfTurn(points, xLoc, yLoc - R, R, M_PI / 2, -1, QPointF(xLoc, yLoc), QPointF(xLoc, yLoc - 2 * R));
    addStroke(plot, pen, "plotJver", points);
}

void plotPA(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    amplifier(plot, pen, "plotPA", xLoc, yLoc, 1000, 200, 1);
}

void plotPAR(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    amplifier(plot, pen, "plotPAR", xLoc, yLoc, 1000, 200, -1);
}

void plotOA(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    amplifier(plot, pen, "plotOA", xLoc, yLoc, 600, 100, 1);
}

void plotOAR(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    amplifier(plot, pen, "plotOAR", xLoc, yLoc, 600, 100, -1);
}

void plotUpTri(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotUpTri",
        { QPointF(xLoc - 200, yLoc), QPointF(xLoc + 200, yLoc), QPointF(xLoc, yLoc + 400),
            QPointF(xLoc - 200, yLoc) });
}

void plotPB(QCustomPlot *plot, const QPen &pen, double xLoc, double yLoc)
{
    addStroke(plot, pen, "plotPB",
        { QPointF(xLoc, yLoc - 500), QPointF(xLoc, yLoc + 500), QPointF(xLoc + 1000, yLoc),
            QPointF(xLoc, yLoc - 500) });
}
