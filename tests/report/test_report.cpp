#include "app/report.h"

#include <QtTest>
#include <QtWidgets>
#include <qcustomplot.h>

#include <cmath>
#include <limits>

namespace {

// Every check reads the report as a script would: serialised, then parsed again.
QJsonObject reported(const QWidget *root, bool plots = false)
{
    const QJsonObject r { { "x", plots ? reportPlots(root) : reportWidgets(root) } };
    return QJsonDocument::fromJson(QJsonDocument(r).toJson()).object().value("x").toObject();
}

// Checks only the listed fields, so entries may grow without breaking the check.
bool hasFields(const QJsonObject &actual, const QJsonObject &expected)
{
    for (auto it = expected.begin(); it != expected.end(); ++it)
        if (actual.value(it.key()) != it.value()) {
            qWarning("%s: got %s", qPrintable(it.key()),
                QJsonDocument(QJsonArray { actual.value(it.key()) })
                    .toJson(QJsonDocument::Compact)
                    .constData());
            return false;
        }
    return true;
}

void setTextColour(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}

template <typename W> W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

template <typename W> W *named(W *w, const QString &name, QLayout *layout)
{
    layout->addWidget(named(w, name));
    return w;
}

// The window a page of the tool resembles: two stacked pages, a tab widget, a menu.
struct Window {
    QMainWindow window;
    QStackedWidget *pages = named(new QStackedWidget, "Page");
    QVBoxLayout *layoutA = new QVBoxLayout(named(new QWidget, "pageA"));

    Window()
    {
        window.setObjectName("mainWindow");
        window.menuBar()->setObjectName("menubar");
        QMenu *menu = named(window.menuBar()->addMenu("&File"), "menuFile");
        auto *grid = named(new QAction("Grid", &window), "actionGrid");
        grid->setCheckable(true);
        grid->setChecked(true);
        auto *open = named(new QAction("&Open...", &window), "actionOpen");
        open->setEnabled(false);
        menu->addActions({ grid, open });
        window.setCentralWidget(pages);

        named(new QLabel("first"), "dup", layoutA);
        named(new QLabel("internal"), "qt_internal", layoutA);
        named(new QLineEdit("x"), "fieldHidden", layoutA)->hide();
        auto *tabs = named(new QTabWidget, "tabs", layoutA);
        tabs->addTab(named(new QLineEdit("t0"), "tabField0"), "Gain");
        tabs->addTab(named(new QLineEdit("t1"), "tabField1"), "Phase");
        tabs->setCurrentIndex(1);
        auto *layoutB = new QVBoxLayout(named(new QWidget, "pageB"));
        named(new QLineEdit("second"), "dup", layoutB);
        named(new QLineEdit("b"), "fieldB", layoutB);
        pages->addWidget(layoutA->parentWidget());
        pages->addWidget(layoutB->parentWidget());
    }
    template <typename W> W *add(W *w, const QString &name) { return named(w, name, layoutA); }
    QJsonObject entry(const QString &name) const { return reported(&window).value(name).toObject(); }
};

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void visibility_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("visible");
        QTest::newRow("window") << 0 << "mainWindow" << true;
        QTest::newRow("other page") << 0 << "pageB" << false;
        QTest::newRow("field on other page") << 0 << "fieldB" << false;
        QTest::newRow("hidden field") << 0 << "fieldHidden" << false;
        QTest::newRow("current tab") << 0 << "tabField1" << true;
        QTest::newRow("other tab") << 0 << "tabField0" << false;
        QTest::newRow("page switched: tab on first page") << 1 << "tabField1" << false;
        QTest::newRow("page switched: field") << 1 << "fieldB" << true;
        QTest::newRow("menu") << 0 << "menuFile" << true;
    }
    void visibility()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        QFETCH(bool, visible);
        Window w;
        w.pages->setCurrentIndex(page);
        const QJsonObject widgets = reported(&w.window);
        QVERIFY2(widgets.contains(name), qPrintable(name));
        QCOMPARE(widgets.value(name).toObject().value("visible").toBool(), visible);
    }

    void namesAndActions()
    {
        Window w;
        w.pages->setCurrentIndex(1);
        const QJsonObject widgets = reported(&w.window);
        QVERIFY(!widgets.contains("qt_internal") && !widgets.contains(""));
        // The label on the first page comes first in the walk, whichever page is current.
        QVERIFY(hasFields(widgets.value("dup").toObject(), { { "type", "QLabel" }, { "value", "first" } }));
        QCOMPARE(widgets.value("Page").toObject().value("value").toInt(), 1);
        QCOMPARE(widgets.value("tabs").toObject().value("value").toInt(), 1);
        // A sub-tree reports only what lies under it, judged against its window.
        const QJsonObject pageB = reported(w.pages->widget(1));
        QVERIFY(!pageB.contains("tabs"));
        QCOMPARE(pageB.value("dup").toObject().value("type").toString(), QString("QLineEdit"));

        QVERIFY(hasFields(widgets.value("actionGrid").toObject(),
            { { "type", "QAction" }, { "value", true }, { "enabled", true }, { "visible", true } }));
        QVERIFY(hasFields(
            widgets.value("actionOpen").toObject(), { { "value", "&Open..." }, { "enabled", false } }));
        w.window.findChild<QAction *>("actionGrid")->setChecked(false);
        QCOMPARE(w.entry("actionGrid").value("value"), QJsonValue(false));
    }

    // The label's palette text is dark grey, the line edit's blue.
    void textColour_data()
    {
        QTest::addColumn<bool>("label");
        QTest::addColumn<QString>("styleSheet");
        QTest::addColumn<QString>("colour");
        QTest::newRow("edit palette") << false << ""
                                      << "#0000ff";
        QTest::newRow("edit sheet rgb") << false << "QLineEdit { color : rgb(0, 128, 0); }"
                                        << "#008000";
        QTest::newRow("edit background only") << false << "QLineEdit { background-color: yellow; }"
                                              << "#0000ff";
        QTest::newRow("background before colour") << false << "background-color: yellow; color: #ff0000"
                                                  << "#ff0000";
        QTest::newRow("named colour") << false << "color: navy"
                                      << "#000080";
        QTest::newRow("colour that does not parse") << false << "color: notacolour"
                                                    << "#0000ff";
        QTest::newRow("label palette") << true << ""
                                       << "#404040";
        QTest::newRow("label rgb percent") << true << "color: rgb(100%, 0%, 50%)"
                                           << "#ff0080";
        QTest::newRow("commented out") << true << "/* color: red */ QLabel { color: blue; }"
                                       << "#0000ff";
        QTest::newRow("alternate-background") << true << "alternate-background-color: red"
                                              << "#404040";
    }
    void textColour()
    {
        QFETCH(bool, label);
        QFETCH(QString, styleSheet);
        QFETCH(QString, colour);
        Window w;
        QWidget *widget = label ? static_cast<QWidget *>(w.add(new QLabel("<b>12 W</b>"), "field"))
                                : w.add(new QLineEdit("10k"), "field");
        setTextColour(widget, label ? QPalette::WindowText : QPalette::Text,
            label ? QColor(0x404040) : QColor(Qt::blue));
        widget->setStyleSheet(styleSheet);
        QVERIFY(hasFields(w.entry("field"),
            { { "type", label ? "QLabel" : "QLineEdit" }, { "value", label ? "<b>12 W</b>" : "10k" },
                { "color", colour } }));
    }

    void controls()
    {
        Window w;
        auto *combo = w.add(new QComboBox, "combo");
        combo->addItems({ "TO-3", "TO-220", "SIP" });
        combo->setCurrentIndex(1);
        w.add(new QCheckBox("Fan"), "check")->setChecked(true);
        w.add(new QPushButton("Go"), "button")->setEnabled(false);
        auto *groupCheck = w.add(new QGroupBox("Limit"), "groupCheck");
        groupCheck->setCheckable(true);
        groupCheck->setChecked(false);
        w.add(new QGroupBox("Supply"), "groupPlain");
        w.add(new QDoubleSpinBox, "dspin")->setValue(2.34);
        w.add(new QSlider(Qt::Horizontal), "slider")->setValue(42);
        auto *disabled = w.add(new QLineEdit("off"), "fieldDisabled");
        QPalette p = disabled->palette();
        p.setColor(QPalette::Active, QPalette::Text, Qt::red);
        p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
        disabled->setPalette(p);
        disabled->setEnabled(false);
        named(new QLineEdit("in", groupCheck), "inner");

        const QJsonObject widgets = reported(&w.window);
        const auto entry = [&widgets](const char *name) { return widgets.value(name).toObject(); };
        QVERIFY(hasFields(entry("combo"),
            { { "value", "TO-220" }, { "index", 1 }, { "items", QJsonArray { "TO-3", "TO-220", "SIP" } } }));
        QVERIFY(hasFields(entry("check"), { { "type", "QCheckBox" }, { "value", true } }));
        QVERIFY(hasFields(entry("button"), { { "value", "Go" }, { "enabled", false } }));
        QVERIFY(hasFields(entry("groupCheck"), { { "value", false } }));
        QVERIFY(hasFields(entry("groupPlain"), { { "value", "Supply" } }));
        QVERIFY(hasFields(entry("dspin"), { { "value", 2.34 } }));
        QVERIFY(hasFields(entry("slider"), { { "value", 42 } }));
        QVERIFY(hasFields(entry("fieldDisabled"), { { "enabled", false }, { "color", "#808080" } }));
        // A disabled group disables its children too.
        QVERIFY(hasFields(entry("inner"), { { "enabled", false } }));
    }

    // Source rows: PA10 40, PA02 20 (hidden), PA85 450, PA04 100, PA50 60; hidden columns
    // "id" and "note". Yellow: PA85's Vs, PA04's Part and PA50's hidden id.
    void table_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<bool>("moveColumn");
        QTest::addColumn<int>("currentPart"); // the row of the source table made current, -1 none
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("highlighted");
        QTest::addColumn<int>("current");
        const QString model = "PA10 40|PA85 450|PA04 100|PA50 60",
                      byPart = "PA04 100|PA10 40|PA50 60|PA85 450";
        QTest::newRow("model order") << false << false << 2 << model << "1 1|2 0" << 1;
        QTest::newRow("sorted by part") << true << false << 4 << byPart << "0 0|3 1" << 2;
        QTest::newRow("sorted, columns swapped") << true << true << 0 << "100 PA04|40 PA10|60 PA50|450 PA85"
                                                 << "0 1|3 0" << 1;
        QTest::newRow("no current row") << false << false << -1 << model << "1 1|2 0" << -1;
        QTest::newRow("current row hidden") << true << false << 1 << byPart << "0 0|3 1" << -1;
    }
    void table()
    {
        QFETCH(bool, sorted);
        QFETCH(bool, moveColumn);
        QFETCH(int, currentPart);
        QFETCH(QString, rows);
        QFETCH(QString, highlighted);
        QFETCH(int, current);
        Window w;
        auto *model = new QStandardItemModel(0, 4, &w.window);
        model->setHorizontalHeaderLabels({ "id", "Part", "Vs", "note" });
        for (const QString &line :
            QStringList { "1 PA10 40 a", "2 PA02 20 b", "3 PA85 450 c", "4 PA04 100 d", "5 PA50 60 e" }) {
            QList<QStandardItem *> row;
            for (const QString &text : line.split(' '))
                row.append(new QStandardItem(text));
            model->appendRow(row);
        }
        model->item(2, 2)->setBackground(QColor(Qt::yellow));
        model->item(3, 1)->setData(QColor(Qt::yellow), Qt::BackgroundRole);
        model->item(4, 0)->setBackground(QColor(Qt::yellow));
        model->item(0, 2)->setBackground(QBrush(Qt::NoBrush));
        auto *table = w.add(new QTableView, "table");
        table->setModel(model);
        table->setColumnHidden(0, true);
        table->setColumnHidden(3, true);
        table->setRowHidden(1, true);
        if (currentPart >= 0)
            table->setCurrentIndex(model->index(currentPart, 1));
        table->setSortingEnabled(sorted);
        if (sorted)
            table->sortByColumn(1, Qt::AscendingOrder);
        if (moveColumn)
            table->horizontalHeader()->moveSection(2, 1);

        const auto grid = [](const QString &text, bool numbers) {
            QJsonArray out;
            for (const QString &row : text.split('|')) {
                QJsonArray cells;
                for (const QString &cell : row.split(' '))
                    cells.append(numbers ? QJsonValue(cell.toInt()) : QJsonValue(cell));
                out.append(cells);
            }
            return out;
        };
        const QJsonObject entry = w.entry("table");
        QCOMPARE(entry.value("headers").toArray(),
            (moveColumn ? QJsonArray { "Vs", "Part" } : QJsonArray { "Part", "Vs" }));
        QCOMPARE(entry.value("rows").toArray(), grid(rows, false));
        QCOMPARE(entry.value("highlighted").toArray(), grid(highlighted, true));
        QCOMPARE(entry.value("current").toInt(), current);
        QCOMPARE(entry.value("value").toInt(), 4);
    }

    void plot()
    {
        Window w;
        auto *plot = w.add(new QCustomPlot, "plotSOA");
        plot->plotLayout()->insertRow(0);
        plot->plotLayout()->addElement(0, 0, new QCPTextElement(plot, "Safe Operating Area"));
        plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
        plot->xAxis->setLabel("Vce (V)");
        plot->xAxis->setRange(1, 1000);
        plot->yAxis->setRange(0.01, 20);
        auto *dc = plot->addGraph();
        dc->setName("DC");
        dc->setPen(QPen(QColor(0, 0, 255)));
        dc->setData({ 1, 10, 100 }, { 10, 4, 0.5 });
        plot->addGraph()->setVisible(false);
        auto *load = new QCPCurve(plot->xAxis, plot->yAxis);
        load->setName("load line");
        load->setData({ 0, 1, 2 }, { 30, 20, 10 }, { 5, 2.5, 0 });
        auto *tj = new QCPItemText(plot);
        tj->setText("Tj 150 C");
        tj->position->setCoords(10, 3);
        tj->setColor(QColor(255, 0, 0));
        auto *loss = w.add(new QCustomPlot, "plotLoss");
        const double nan = std::numeric_limits<double>::quiet_NaN(),
                     inf = std::numeric_limits<double>::infinity();
        loss->addGraph()->setData({ 1, 2, 3 }, { 0.1, nan, inf }, true);
        (new QCPItemText(loss))->position->setCoords(nan, 1.5);

        // JSON has no NaN or infinity: those read as null.
        const QByteArray json = QJsonDocument(reportPlots(&w.window)).toJson();
        QVERIFY(!json.contains("nan") && !json.contains("inf"));
        const QJsonObject plots = reported(&w.window, true), p = plots.value("plotSOA").toObject();
        QVERIFY(hasFields(p,
            { { "title", "Safe Operating Area" }, { "xLabel", "Vce (V)" },
                { "xRange", QJsonArray { 1, 1000 } }, { "yRange", QJsonArray { 0.01, 20 } }, { "xLog", true },
                { "yLog", false } }));
        const QJsonArray graphs = p.value("graphs").toArray();
        QCOMPARE(graphs.size(), 2);
        QVERIFY(hasFields(graphs.at(0).toObject(),
            { { "name", "DC" }, { "x", QJsonArray { 1, 10, 100 } }, { "y", QJsonArray { 10, 4, 0.5 } },
                { "color", "#0000ff" }, { "visible", true } }));
        QVERIFY(hasFields(graphs.at(1).toObject(), { { "visible", false } }));
        // A curve keeps its own point order (t), so its keys need not rise.
        QVERIFY(hasFields(p.value("curves").toArray().at(0).toObject(),
            { { "name", "load line" }, { "x", QJsonArray { 30, 20, 10 } },
                { "y", QJsonArray { 5, 2.5, 0 } } }));
        QCOMPARE(p.value("texts").toArray().size(), 1);
        QVERIFY(hasFields(p.value("texts").toArray().at(0).toObject(),
            { { "text", "Tj 150 C" }, { "x", 10 }, { "y", 3 }, { "color", "#ff0000" } }));
        const QJsonObject l = plots.value("plotLoss").toObject();
        QCOMPARE(l.value("graphs").toArray().at(0).toObject().value("y").toArray(),
            (QJsonArray { 0.1, QJsonValue(), QJsonValue() }));
        QVERIFY(
            hasFields(l.value("texts").toArray().at(0).toObject(), { { "x", QJsonValue() }, { "y", 1.5 } }));
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
