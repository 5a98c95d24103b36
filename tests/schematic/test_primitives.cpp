#include "app/schematic/primitives.h"

#include <QtTest>
#include <qcustomplot.h>

class TestPrimitives : public QObject {
    Q_OBJECT

private slots:

    void noReplot()
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

    void labelWinsClickOverWire_data()
    {
        QTest::addColumn<bool>("setUp");
        QTest::addColumn<bool>("labelClicked");
        QTest::newRow("set-up canvas") << true << true;
        // Without the stroke layer the later wire lies on top: this row shows that the click
        // really lands where the label and the wire overlap.
        QTest::newRow("bare canvas") << false << false;
    }

    void labelWinsClickOverWire()
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

    void clearAndBounds()
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
};

QTEST_MAIN(TestPrimitives)
#include "test_primitives.moc"
