#include <QImage>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

#include "pages/charthelper.h"

// The chart helper on a chart of two graphs: one inside the ranges its page
// set, one running past them.
class TestChartHelper : public QObject {
    Q_OBJECT

    QCustomPlot *m_plot = nullptr;
    ChartHelper *m_helper = nullptr;

    QStringList allCellsOf(int row) const
    {
        return m_helper->csv().split(QLatin1Char('\n')).at(row).split(QLatin1Char(','));
    }

private slots:
    void init()
    {
        m_plot = new QCustomPlot;
        m_plot->resize(400, 300);
        m_plot->legend->setVisible(true);
        m_plot->xAxis->setLabel(QStringLiteral("t"));
        m_plot->yAxis->setLabel(QStringLiteral("v"));
        m_plot->addGraph()->setName(QStringLiteral("Inside"));
        m_plot->graph(0)->setData({ 1, 2, 3 }, { 1, 2, 0.1 + 0.2 });
        m_plot->addGraph()->setName(QStringLiteral("Outside"));
        m_plot->graph(1)->setData({ 0.5, 4 }, { -0.25, 20 });
        m_plot->xAxis->setRange(0, 3.5);
        m_plot->yAxis->setRange(0, 10);
        m_helper = ChartHelper::install(m_plot);
        m_plot->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_plot));
        m_plot->replot();
    }
    void cleanup() { delete m_plot; }

    void exportsEveryGraphAtFullPrecision()
    {
        QCOMPARE(allCellsOf(0), QStringList({ "Inside: t", "Inside: v", "Outside: t", "Outside: v" }));
        QCOMPARE(allCellsOf(1), QStringList({ "1", "1", "0.5", "-0.25" }));
        const QStringList last = allCellsOf(3);
        QCOMPARE(last.mid(2), QStringList({ "", "" }));
        QCOMPARE(last.at(1).toDouble(), 0.1 + 0.2);
        QCOMPARE(m_helper->csv().count(QLatin1Char('\n')), 4);
    }

    void savesAtTheChosenWidth()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("chart.png"));
        QVERIFY(m_helper->saveImage(png, 800));
        QCOMPARE(QImage(png).size(), QSize(800, 600));
        QVERIFY(m_helper->saveImage(dir.filePath(QStringLiteral("chart.jpg"))));
        QCOMPARE(QImage(dir.filePath(QStringLiteral("chart.jpg"))).size(), QSize(400, 300));
        const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
        QVERIFY(m_helper->saveImage(pdf));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(4) == "%PDF");
        QVERIFY(!m_helper->saveImage(dir.filePath(QStringLiteral("chart.txt"))));
    }

    void fitsResetsAndSaysWhatIsBeyondTheView()
    {
        QCOMPARE(beyondView(m_plot), QStringList { QStringLiteral("Outside") });
        m_helper->fitAllData();
        for (int g = 0; g < 2; ++g)
            for (auto it = m_plot->graph(g)->data()->constBegin(); it != m_plot->graph(g)->data()->constEnd();
                 ++it) {
                QVERIFY(m_plot->xAxis->range().contains(it->key));
                QVERIFY(m_plot->yAxis->range().contains(it->value));
            }
        QVERIFY(beyondView(m_plot).isEmpty());

        m_helper->resetView();
        QCOMPARE(m_plot->xAxis->range(), QCPRange(0, 3.5));
        QCOMPARE(m_plot->yAxis->range(), QCPRange(0, 10));
        QCOMPARE(beyondView(m_plot), QStringList { QStringLiteral("Outside") });

        // A wheel turn is the user's zoom: the view to go back to stays the page's,
        // until the page sets its ranges again.
        const QPointF centre = m_plot->axisRect()->rect().center();
        QWheelEvent wheel(centre, m_plot->mapToGlobal(centre.toPoint()), QPoint(), QPoint(0, 240),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_plot, &wheel);
        QVERIFY(m_plot->xAxis->range() != QCPRange(0, 3.5));
        m_helper->resetView();
        QCOMPARE(m_plot->xAxis->range(), QCPRange(0, 3.5));
        m_plot->xAxis->setRange(0, 5);
        m_helper->fitAllData();
        m_helper->resetView();
        QCOMPARE(m_plot->xAxis->range(), QCPRange(0, 5));
    }
};

QTEST_MAIN(TestChartHelper)
#include "test_charthelper.moc"
