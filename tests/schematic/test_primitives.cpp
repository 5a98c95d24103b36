#include "app/schematic/primitives.h"

#include <QtTest>
#include <qcustomplot.h>

#include <functional>

using Draw = std::function<void(QCustomPlot *, const QPen &)>;
using Points = QVector<QPointF>;
using Segment = QPair<QPointF, QPointF>;
using Segments = QVector<Segment>;

Q_DECLARE_METATYPE(Draw)
Q_DECLARE_METATYPE(Points)
Q_DECLARE_METATYPE(Segments)

namespace {

// Every symbol is drawn at this anchor, away from the origin so that a part drawn at
// (0, 0) by mistake cannot pass.
constexpr double X = 1000, Y = 2000;

bool near(const QPointF &a, const QPointF &b)
{
    return std::abs(a.x() - b.x()) < 1e-9 && std::abs(a.y() - b.y()) < 1e-9;
}

QVector<QCPCurve *> curves(QCustomPlot *plot)
{
    QVector<QCPCurve *> list;
    for (int i = 0; i < plot->plottableCount(); ++i)
        if (auto *c = qobject_cast<QCPCurve *>(plot->plottable(i)))
            list.append(c);
    return list;
}

Points curvePoints(const QCPCurve *curve)
{
    Points points;
    for (const QCPCurveData &d : *curve->data())
        points.append(QPointF(d.key, d.value));
    return points;
}

Points allPoints(QCustomPlot *plot)
{
    Points points;
    for (QCPCurve *c : curves(plot))
        points += curvePoints(c);
    return points;
}

QRectF box(const Points &points)
{
    double x0 = points.first().x(), x1 = x0, y0 = points.first().y(), y1 = y0;
    for (const QPointF &p : points) {
        x0 = std::min(x0, p.x());
        x1 = std::max(x1, p.x());
        y0 = std::min(y0, p.y());
        y1 = std::max(y1, p.y());
    }
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

QRectF rect(double x0, double x1, double y0, double y1)
{
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

QString show(const QPointF &p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

QString show(const QRectF &r)
{
    return QStringLiteral("x %1..%2 y %3..%4").arg(r.left()).arg(r.right()).arg(r.top()).arg(r.bottom());
}

Draw wrap(void (*f)(QCustomPlot *, const QPen &, double, double))
{
    return [f](QCustomPlot *p, const QPen &pen) { f(p, pen, X, Y); };
}

} // namespace

class TestPrimitives : public QObject {
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void arcs_data();
    void arcs();
    void noReplot();
    void strokesCarryPenAndName();
    void canvasSetup();
    void labelWinsClickOverWire_data();
    void labelWinsClickOverWire();
    void clearAndBounds();
};

void TestPrimitives::geometry_data()
{
    QTest::addColumn<Draw>("draw");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("extent");
    QTest::addColumn<Points>("points");
    QTest::addColumn<Segments>("segments");

    auto seg = [](double x0, double y0, double x1, double y1) { return Segment(QPointF(x0, y0), QPointF(x1, y1)); };

    QTest::newRow("Whor") << Draw([](QCustomPlot *p, const QPen &pen) { plotWhor(p, pen, X, Y, 300); })
                          << "plotWhor" << rect(1000, 1300, 2000, 2000) << Points {}
                          << Segments { seg(1000, 2000, 1300, 2000) };
    QTest::newRow("Wver") << Draw([](QCustomPlot *p, const QPen &pen) { plotWver(p, pen, X, Y, 300); })
                          << "plotWver" << rect(1000, 1000, 1700, 2000) << Points {}
                          << Segments { seg(1000, 2000, 1000, 1700) };
    QTest::newRow("Wdia") << Draw([](QCustomPlot *p, const QPen &pen) { plotWdia(p, pen, X, Y, 1500, 1200); })
                          << "plotWdia" << rect(1000, 1500, 1200, 2000) << Points {}
                          << Segments { seg(1000, 2000, 1500, 1200) };
    QTest::newRow("Rhor") << wrap(plotRhor) << "plotRhor" << rect(1000, 1400, 1900, 2100)
                          << Points { { 1000, 2000 }, { 1050, 2100 }, { 1150, 1900 }, { 1250, 2100 },
                                      { 1350, 1900 }, { 1400, 2000 } }
                          << Segments {};
    QTest::newRow("Rver") << wrap(plotRver) << "plotRver" << rect(900, 1100, 1600, 2000)
                          << Points { { 1000, 2000 }, { 1100, 1950 }, { 900, 1850 }, { 1100, 1750 },
                                      { 900, 1650 }, { 1000, 1600 } }
                          << Segments {};
    QTest::newRow("Chor") << wrap(plotChor) << "plotChor" << rect(1000, 1400, 1900, 2100) << Points {}
                          << Segments { seg(1000, 2000, 1150, 2000), seg(1150, 1900, 1150, 2100),
                                        seg(1250, 1900, 1250, 2100), seg(1250, 2000, 1400, 2000) };
    QTest::newRow("Cver") << wrap(plotCver) << "plotCver" << rect(900, 1100, 1600, 2000) << Points {}
                          << Segments { seg(1000, 2000, 1000, 1850), seg(900, 1850, 1100, 1850),
                                        seg(900, 1750, 1100, 1750), seg(1000, 1750, 1000, 1600) };
    QTest::newRow("CLarge") << wrap(plotCLarge) << "plotCLarge" << rect(800, 1200, 1200, 2000) << Points {}
                            << Segments { seg(1000, 2000, 1000, 1700), seg(800, 1700, 1200, 1700),
                                          seg(800, 1500, 1200, 1500), seg(1000, 1500, 1000, 1200) };
    QTest::newRow("Lhor") << wrap(plotLhor) << "plotLhor" << rect(1000, 1400, 2000, 2050)
                          << Points { { 1000, 2000 }, { 1050, 2050 }, { 1100, 2000 }, { 1350, 2050 }, { 1400, 2000 } }
                          << Segments {};
    QTest::newRow("Lver") << wrap(plotLver) << "plotLver" << rect(1000, 1050, 1600, 2000)
                          << Points { { 1000, 2000 }, { 1050, 1950 }, { 1000, 1900 }, { 1050, 1650 }, { 1000, 1600 } }
                          << Segments {};
    QTest::newRow("LLarge") << wrap(plotLLarge) << "plotLLarge" << rect(1000, 1800, 2000, 2100)
                            << Points { { 1000, 2000 }, { 1100, 2100 }, { 1200, 2000 }, { 1800, 2000 } }
                            << Segments {};
    QTest::newRow("G") << wrap(plotG) << "plotG" << rect(900, 1100, 1850, 2000) << Points {}
                       << Segments { seg(1000, 2000, 1000, 1950), seg(900, 1950, 1100, 1950),
                                     seg(940, 1900, 1060, 1900), seg(980, 1850, 1020, 1850) };
    QTest::newRow("Gr") << wrap(plotGr) << "plotGr" << rect(960, 1040, 1940, 2000) << Points {}
                        << Segments { seg(1000, 2000, 1000, 1980), seg(960, 1980, 1040, 1980),
                                      seg(976, 1960, 1024, 1960), seg(992, 1940, 1008, 1940) };
    QTest::newRow("Load") << wrap(plotLoad) << "plotLoad" << rect(950, 1050, 1200, 2000)
                          << Points { { 950, 1900 }, { 1050, 1900 }, { 1050, 1300 }, { 950, 1300 } }
                          << Segments { seg(1000, 2000, 1000, 1900), seg(1000, 1300, 1000, 1200) };
    QTest::newRow("Rect") << Draw([](QCustomPlot *p, const QPen &pen) { plotRect(p, pen, X, Y, 300, 200); })
                          << "plotRect" << rect(1000, 1300, 1900, 2100)
                          << Points { { 1000, 1900 }, { 1000, 2100 }, { 1300, 2100 }, { 1300, 1900 } } << Segments {};
    QTest::newRow("Tri") << Draw([](QCustomPlot *p, const QPen &pen) { plotTri(p, pen, X, Y, 300, 200); })
                         << "plotTri" << rect(1000, 1300, 1900, 2100)
                         << Points { { 1000, 1900 }, { 1000, 2100 }, { 1300, 2000 } } << Segments {};
    QTest::newRow("Sum") << wrap(plotSum) << "plotSum" << rect(975, 1025, 1975, 2025)
                         << Points { { 1025, 2000 }, { 975, 2000 } } << Segments {};
    QTest::newRow("Jhor") << Draw([](QCustomPlot *p, const QPen &pen) { plotJhor(p, pen, X, Y, 30); })
                          << "plotJhor" << rect(1000, 1060, 2000, 2030)
                          << Points { { 1000, 2000 }, { 1060, 2000 } } << Segments {};
    QTest::newRow("Jver") << Draw([](QCustomPlot *p, const QPen &pen) { plotJver(p, pen, X, Y, 30); })
                          << "plotJver" << rect(1000, 1030, 1940, 2000)
                          << Points { { 1000, 2000 }, { 1000, 1940 } } << Segments {};
    QTest::newRow("PA") << wrap(plotPA) << "plotPA" << rect(800, 2200, 1500, 2500)
                        << Points { { 1000, 1500 }, { 1000, 2500 }, { 2000, 2000 } }
                        << Segments { seg(800, 2250, 1000, 2250), seg(800, 1750, 1000, 1750),
                                      seg(2000, 2000, 2200, 2000) };
    QTest::newRow("PAR") << wrap(plotPAR) << "plotPAR" << rect(-200, 1200, 1500, 2500)
                         << Points { { 1000, 1500 }, { 1000, 2500 }, { 0, 2000 } }
                         << Segments { seg(1200, 2250, 1000, 2250), seg(1200, 1750, 1000, 1750),
                                       seg(0, 2000, -200, 2000) };
    QTest::newRow("OA") << wrap(plotOA) << "plotOA" << rect(900, 1700, 1700, 2300)
                        << Points { { 1000, 1700 }, { 1000, 2300 }, { 1600, 2000 } }
                        << Segments { seg(900, 2150, 1000, 2150), seg(900, 1850, 1000, 1850),
                                      seg(1600, 2000, 1700, 2000) };
    QTest::newRow("OAR") << wrap(plotOAR) << "plotOAR" << rect(300, 1100, 1700, 2300)
                         << Points { { 1000, 1700 }, { 1000, 2300 }, { 400, 2000 } }
                         << Segments { seg(1100, 2150, 1000, 2150), seg(1100, 1850, 1000, 1850),
                                       seg(400, 2000, 300, 2000) };
    QTest::newRow("UpTri") << wrap(plotUpTri) << "plotUpTri" << rect(800, 1200, 2000, 2400)
                           << Points { { 800, 2000 }, { 1200, 2000 }, { 1000, 2400 } } << Segments {};
    QTest::newRow("PB") << wrap(plotPB) << "plotPB" << rect(1000, 2000, 1500, 2500)
                        << Points { { 1000, 1500 }, { 1000, 2500 }, { 2000, 2000 } } << Segments {};
}

void TestPrimitives::geometry()
{
    QFETCH(Draw, draw);
    QFETCH(QString, name);
    QFETCH(QRectF, extent);
    QFETCH(Points, points);
    QFETCH(Segments, segments);

    QCustomPlot plot;
    draw(&plot, QPen(Qt::black, 3));
    const Points drawn = allPoints(&plot);
    QVERIFY(!drawn.isEmpty());

    const QRectF got = box(drawn);
    QVERIFY2(std::abs(got.left() - extent.left()) < 1e-9 && std::abs(got.right() - extent.right()) < 1e-9
                 && std::abs(got.top() - extent.top()) < 1e-9 && std::abs(got.bottom() - extent.bottom()) < 1e-9,
             qPrintable(QStringLiteral("extent %1, expected %2").arg(show(got), show(extent))));

    for (const QPointF &p : points) {
        const bool found = std::any_of(drawn.begin(), drawn.end(), [&](const QPointF &d) { return near(d, p); });
        QVERIFY2(found, qPrintable(QStringLiteral("no stroke passes %1").arg(show(p))));
    }
    // A straight stroke of the symbol is one curve with exactly these two end points.
    for (const Segment &s : segments) {
        bool found = false;
        for (QCPCurve *c : curves(&plot)) {
            const Points cp = curvePoints(c);
            if (cp.size() == 2
                && ((near(cp[0], s.first) && near(cp[1], s.second)) || (near(cp[0], s.second) && near(cp[1], s.first))))
                found = true;
        }
        QVERIFY2(found, qPrintable(QStringLiteral("no stroke %1 to %2").arg(show(s.first), show(s.second))));
    }
    for (QCPCurve *c : curves(&plot))
        QCOMPARE(c->name(), name);
}

void TestPrimitives::arcs_data()
{
    QTest::addColumn<Draw>("draw");
    QTest::addColumn<Points>("centres");
    QTest::addColumn<double>("radius");
    QTest::addColumn<bool>("closed");

    QTest::newRow("Lhor") << wrap(plotLhor) << Points { { 1050, 2000 }, { 1150, 2000 }, { 1250, 2000 }, { 1350, 2000 } }
                          << 50.0 << false;
    QTest::newRow("Lver") << wrap(plotLver) << Points { { 1000, 1950 }, { 1000, 1850 }, { 1000, 1750 }, { 1000, 1650 } }
                          << 50.0 << false;
    QTest::newRow("LLarge") << wrap(plotLLarge)
                            << Points { { 1100, 2000 }, { 1300, 2000 }, { 1500, 2000 }, { 1700, 2000 } } << 100.0 << false;
    QTest::newRow("Sum") << wrap(plotSum) << Points { { 1000, 2000 } } << 25.0 << true;
    QTest::newRow("Jhor") << Draw([](QCustomPlot *p, const QPen &pen) { plotJhor(p, pen, X, Y, 40); })
                          << Points { { 1040, 2000 } } << 40.0 << false;
    QTest::newRow("Jver") << Draw([](QCustomPlot *p, const QPen &pen) { plotJver(p, pen, X, Y, 40); })
                          << Points { { 1000, 1960 } } << 40.0 << false;
}

void TestPrimitives::arcs()
{
    QFETCH(Draw, draw);
    QFETCH(Points, centres);
    QFETCH(double, radius);
    QFETCH(bool, closed);

    QCustomPlot plot;
    draw(&plot, QPen(Qt::black, 3));
    const QVector<QCPCurve *> list = curves(&plot);
    QCOMPARE(list.size(), 1);
    const Points points = curvePoints(list.first());
    // Each turn is a polyline of short steps, not a single chord.
    QVERIFY(points.size() >= 8 * centres.size());
    for (const QPointF &p : points) {
        bool onTurn = false;
        for (const QPointF &c : centres)
            onTurn = onTurn || std::abs(std::hypot(p.x() - c.x(), p.y() - c.y()) - radius) < 1e-9;
        QVERIFY2(onTurn, qPrintable(QStringLiteral("%1 lies on no turn").arg(show(p))));
    }
    // Consecutive points stay within a tenth of the turn's half circumference of each other.
    for (int i = 1; i < points.size(); ++i)
        QVERIFY(std::hypot(points[i].x() - points[i - 1].x(), points[i].y() - points[i - 1].y()) < M_PI * radius / 5);
    QCOMPARE(near(points.first(), points.last()), closed);
}

void TestPrimitives::noReplot()
{
    QCustomPlot plot;
    plot.resize(400, 300);
    setupSchematicCanvas(&plot);
    // The canvas replots once on its own when the resize is delivered; that one is not counted.
    QCoreApplication::processEvents();
    int replots = 0;
    connect(&plot, &QCustomPlot::afterReplot, this, [&replots] { ++replots; });
    const QPen pen(Qt::black, 3);
    plotWhor(&plot, pen, 0, 0, 400);
    plotWver(&plot, pen, 0, 0, 400);
    plotWdia(&plot, pen, 0, 0, 100, 100);
    plotRhor(&plot, pen, 0, 0);
    plotRver(&plot, pen, 0, 0);
    plotChor(&plot, pen, 0, 0);
    plotCver(&plot, pen, 0, 0);
    plotCLarge(&plot, pen, 0, 0);
    plotLhor(&plot, pen, 0, 0);
    plotLver(&plot, pen, 0, 0);
    plotLLarge(&plot, pen, 0, 0);
    plotG(&plot, pen, 0, 0);
    plotGr(&plot, pen, 0, 0);
    plotLoad(&plot, pen, 0, 0);
    plotRect(&plot, pen, 0, 0, 100, 100);
    plotTri(&plot, pen, 0, 0, 100, 100);
    plotSum(&plot, pen, 0, 0);
    plotJhor(&plot, pen, 0, 0, 20);
    plotJver(&plot, pen, 0, 0, 20);
    plotPA(&plot, pen, 0, 0);
    plotPAR(&plot, pen, 0, 0);
    plotOA(&plot, pen, 0, 0);
    plotOAR(&plot, pen, 0, 0);
    plotUpTri(&plot, pen, 0, 0);
    plotPB(&plot, pen, 0, 0);
    QCoreApplication::processEvents();
    QCOMPARE(replots, 0);
    QVERIFY(plot.plottableCount() > 25);
    // The counter does see a replot, so the zero above means something.
    plot.replot();
    QCOMPARE(replots, 1);
}

void TestPrimitives::strokesCarryPenAndName()
{
    QCustomPlot plot;
    const QPen pen(QColor(0, 130, 0), 3);
    plotCver(&plot, pen, 0, 0);
    QCOMPARE(plot.plottableCount(), 4);
    for (QCPCurve *c : curves(&plot)) {
        QCOMPARE(c->pen(), pen);
        QCOMPARE(c->brush().style(), Qt::NoBrush);
        QCOMPARE(c->name(), QStringLiteral("plotCver"));
    }
    // Strokes never fill the (hidden) legend, whether or not the canvas was set up.
    QCOMPARE(plot.legend->itemCount(), 0);
    QCOMPARE(plot.graphCount(), 0);
}

void TestPrimitives::canvasSetup()
{
    QCustomPlot plot;
    setupSchematicCanvas(&plot);
    setupSchematicCanvas(&plot); // a second call must not add a second layer
    for (QCPAxis *axis : plot.axisRect()->axes()) {
        QVERIFY(!axis->visible());
        QVERIFY(!axis->grid()->visible());
    }
    QVERIFY(!plot.legend->visible());
    QVERIFY(!plot.autoAddPlottableToLegend());
    QCPLayer *strokes = plot.layer(QStringLiteral("schematic"));
    QVERIFY(strokes);
    QCOMPARE(plot.layerCount(), 7);
    QVERIFY(strokes->index() < plot.layer(QStringLiteral("main"))->index());
    plotWhor(&plot, QPen(), 0, 0, 100);
    QCOMPARE(plot.plottable(0)->layer(), strokes);
}

void TestPrimitives::labelWinsClickOverWire_data()
{
    QTest::addColumn<bool>("setUp");
    QTest::addColumn<bool>("labelClicked");
    QTest::newRow("set-up canvas") << true << true;
    // Without the stroke layer the later wire lies on top: this row shows that the click
    // really lands where the label and the wire overlap.
    QTest::newRow("bare canvas") << false << false;
}

void TestPrimitives::labelWinsClickOverWire()
{
    QFETCH(bool, setUp);
    QFETCH(bool, labelClicked);

    QCustomPlot plot;
    plot.resize(400, 400);
    if (setUp)
        setupSchematicCanvas(&plot);
    plot.xAxis->setRange(-1000, 1000);
    plot.yAxis->setRange(-1000, 1000);
    auto *label = new QCPItemText(&plot);
    label->position->setCoords(0, 0);
    label->setText(QStringLiteral("R_FB\n2.2 k"));
    plotWhor(&plot, QPen(Qt::black, 3), -800, 0, 1600);
    plot.replot();

    QCPAbstractItem *clicked = nullptr;
    connect(&plot, &QCustomPlot::itemClick, this, [&clicked](QCPAbstractItem *item, QMouseEvent *) { clicked = item; });
    const QPoint pixel(int(plot.xAxis->coordToPixel(0)), int(plot.yAxis->coordToPixel(0)));
    QTest::mouseClick(&plot, Qt::LeftButton, Qt::NoModifier, pixel);
    QCOMPARE(clicked == label, labelClicked);
}

void TestPrimitives::clearAndBounds()
{
    QCustomPlot plot;
    setupSchematicCanvas(&plot);
    QCOMPARE(schematicBounds(&plot), QRectF());
    plotRhor(&plot, QPen(), 100, 200);
    plot.addGraph();
    auto *text = new QCPItemText(&plot);
    text->position->setCoords(300, 700);
    // Resistor x 100..500, y 100..300; the text position stretches y to 700.
    QCOMPARE(schematicBounds(&plot), rect(100, 500, 100, 700));

    clearSchematic(&plot);
    QCOMPARE(plot.plottableCount(), 0);
    QCOMPARE(plot.itemCount(), 0);
    QVERIFY(plot.layer(QStringLiteral("schematic")));
}

QTEST_MAIN(TestPrimitives)
#include "test_primitives.moc"
