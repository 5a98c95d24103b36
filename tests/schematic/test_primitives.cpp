#include "app/schematic/primitives.h"

#include <QtTest>
#include <qcustomplot.h>

#include <functional>

using Draw = std::function<void(QCustomPlot *, const QPen &)>;
using Points = QVector<QPointF>;

Q_DECLARE_METATYPE(Draw)
Q_DECLARE_METATYPE(Points)

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

QString show(const QPointF &p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

Draw wrap(void (*f)(QCustomPlot *, const QPen &, double, double))
{
    return [f](QCustomPlot *p, const QPen &pen) { f(p, pen, X, Y); };
}

} // namespace

class TestPrimitives : public QObject {
    Q_OBJECT

private slots:
    void arcs_data();
    void arcs();
    void noReplot();
    void strokesCarryPenAndName();
    void canvasSetup();
    void labelWinsClickOverWire_data();
    void labelWinsClickOverWire();
    void clearAndBounds();
};

void TestPrimitives::arcs_data()
{
    QTest::addColumn<Draw>("draw");
    QTest::addColumn<Points>("centres");
    QTest::addColumn<double>("radius");
    QTest::addColumn<bool>("closed");

    QTest::newRow("Lhor") << wrap(plotLhor)
                          << Points { { 1050, 2000 }, { 1150, 2000 }, { 1250, 2000 }, { 1350, 2000 } } << 50.0
                          << false;
    QTest::newRow("Lver") << wrap(plotLver)
                          << Points { { 1000, 1950 }, { 1000, 1850 }, { 1000, 1750 }, { 1000, 1650 } } << 50.0
                          << false;
    QTest::newRow("LLarge") << wrap(plotLLarge)
                            << Points { { 1100, 2000 }, { 1300, 2000 }, { 1500, 2000 }, { 1700, 2000 } }
                            << 100.0 << false;
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
        QVERIFY(std::hypot(points[i].x() - points[i - 1].x(), points[i].y() - points[i - 1].y())
            < M_PI * radius / 5);
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
    connect(&plot, &QCustomPlot::itemClick, this,
        [&clicked](QCPAbstractItem *item, QMouseEvent *) { clicked = item; });
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
    QCOMPARE(schematicBounds(&plot), QRectF(QPointF(100, 100), QPointF(500, 700)));

    clearSchematic(&plot);
    QCOMPARE(plot.plottableCount(), 0);
    QCOMPARE(plot.itemCount(), 0);
    QVERIFY(plot.layer(QStringLiteral("schematic")));
}

QTEST_MAIN(TestPrimitives)
#include "test_primitives.moc"
