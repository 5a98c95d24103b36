#include "app/report.h"

#include <QtTest>
#include <QtWidgets>
#include <qcustomplot.h>

#include <cmath>
#include <limits>

namespace {

// Every check reads the report as a script would: serialised, then parsed again.
QJsonObject roundTrip(const QJsonObject &report)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QJsonDocument(report).toJson(), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("report is not valid JSON: %s", qPrintable(error.errorString()));
    return doc.object();
}

QJsonObject widgetsOf(const QWidget *root)
{
    return roundTrip(QJsonObject { { "widgets", reportWidgets(root) } }).value("widgets").toObject();
}

QJsonObject plotsOf(const QWidget *root)
{
    return roundTrip(QJsonObject { { "plots", reportPlots(root) } }).value("plots").toObject();
}

QJsonArray pairs(std::initializer_list<std::pair<int, int>> list)
{
    QJsonArray out;
    for (const auto &p : list)
        out.append(QJsonArray { p.first, p.second });
    return out;
}

// Checks only the listed fields, so entries may grow without breaking the check.
bool hasFields(const QJsonObject &actual, const QJsonObject &expected)
{
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (actual.value(it.key()) != it.value()) {
            qWarning("%s: got %s, expected %s", qPrintable(it.key()),
                QJsonDocument(QJsonObject { { "v", actual.value(it.key()) } })
                    .toJson(QJsonDocument::Compact)
                    .constData(),
                QJsonDocument(QJsonObject { { "v", it.value() } })
                    .toJson(QJsonDocument::Compact)
                    .constData());
            return false;
        }
    }
    return true;
}

QJsonArray strings(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

void setTextColour(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}

// The window a page of the tool resembles: two stacked pages, a tab widget, a menu.
struct Window {
    QMainWindow window;
    QStackedWidget *pages = nullptr;
    QTabWidget *tabs = nullptr;

    Window()
    {
        window.setObjectName("mainWindow");
        auto *menu = window.menuBar()->addMenu("&File");
        window.menuBar()->setObjectName("menubar");
        menu->setObjectName("menuFile");
        auto *grid = new QAction("Grid", &window);
        grid->setObjectName("actionGrid");
        grid->setCheckable(true);
        grid->setChecked(true);
        auto *open = new QAction("&Open...", &window);
        open->setObjectName("actionOpen");
        open->setEnabled(false);
        menu->addAction(grid);
        menu->addAction(open);

        pages = new QStackedWidget;
        pages->setObjectName("Page");
        window.setCentralWidget(pages);

        auto *pageA = new QWidget;
        pageA->setObjectName("pageA");
        auto *layoutA = new QVBoxLayout(pageA);
        auto *first = new QLabel("first");
        first->setObjectName("dup");
        layoutA->addWidget(first);
        auto *internal = new QLabel("internal");
        internal->setObjectName("qt_internal");
        layoutA->addWidget(internal);
        auto *hidden = new QLineEdit("x");
        hidden->setObjectName("fieldHidden");
        layoutA->addWidget(hidden);
        hidden->hide();
        tabs = new QTabWidget;
        tabs->setObjectName("tabs");
        auto *tab0 = new QLineEdit("t0");
        tab0->setObjectName("tabField0");
        auto *tab1 = new QLineEdit("t1");
        tab1->setObjectName("tabField1");
        tabs->addTab(tab0, "Gain");
        tabs->addTab(tab1, "Phase");
        tabs->setCurrentIndex(1);
        layoutA->addWidget(tabs);

        auto *pageB = new QWidget;
        pageB->setObjectName("pageB");
        auto *layoutB = new QVBoxLayout(pageB);
        auto *second = new QLineEdit("second");
        second->setObjectName("dup");
        layoutB->addWidget(second);
        auto *fieldB = new QLineEdit("b");
        fieldB->setObjectName("fieldB");
        layoutB->addWidget(fieldB);

        pages->addWidget(pageA);
        pages->addWidget(pageB);
        pages->setCurrentIndex(0);
    }

    QVBoxLayout *layoutA() { return static_cast<QVBoxLayout *>(pages->widget(0)->layout()); }

    template <typename W> W *add(W *w, const QString &name)
    {
        w->setObjectName(name);
        layoutA()->addWidget(w);
        return w;
    }
};

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void visibility_data();
    void visibility();
    void names();
    void actions();
    void lineEditColour_data();
    void lineEditColour();
    void labelColour_data();
    void labelColour();
    void controls();
    void textBrowser();
    void table_data();
    void table();
    void plot();
    void plotNaN();
};

void TestReport::visibility_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");

    QTest::newRow("window") << 0 << "mainWindow" << true;
    QTest::newRow("current page") << 0 << "pageA" << true;
    QTest::newRow("other page") << 0 << "pageB" << false;
    QTest::newRow("field on other page") << 0 << "fieldB" << false;
    QTest::newRow("hidden field") << 0 << "fieldHidden" << false;
    QTest::newRow("current tab") << 0 << "tabField1" << true;
    QTest::newRow("other tab") << 0 << "tabField0" << false;
    QTest::newRow("page switched: first page") << 1 << "pageA" << false;
    QTest::newRow("page switched: tab on first page") << 1 << "tabField1" << false;
    QTest::newRow("page switched: field") << 1 << "fieldB" << true;
    QTest::newRow("menu bar") << 0 << "menubar" << true;
    QTest::newRow("menu") << 0 << "menuFile" << true;
}

void TestReport::visibility()
{
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(bool, visible);

    Window w;
    w.pages->setCurrentIndex(page);
    const QJsonObject widgets = widgetsOf(&w.window);
    QVERIFY(!w.window.isVisible());
    QVERIFY2(widgets.contains(name), qPrintable(name));
    QCOMPARE(widgets.value(name).toObject().value("visible").toBool(), visible);
}

void TestReport::names()
{
    Window w;
    const QJsonObject widgets = widgetsOf(&w.window);
    QVERIFY(!widgets.contains("qt_internal"));
    QVERIFY(!widgets.contains(""));
    // The label on the first page comes first in the walk, whichever page is current; the
    // line edit of the same name on the second page loses.
    const QJsonObject dup = widgets.value("dup").toObject();
    QCOMPARE(dup.value("type").toString(), QString("QLabel"));
    QCOMPARE(dup.value("value").toString(), QString("first"));
    w.pages->setCurrentIndex(1);
    QCOMPARE(widgetsOf(&w.window).value("dup").toObject().value("type").toString(), QString("QLabel"));
    w.pages->setCurrentIndex(0);
    QCOMPARE(widgets.value("Page").toObject().value("type").toString(), QString("QStackedWidget"));
    QCOMPARE(widgets.value("Page").toObject().value("value").toInt(), 0);
    QCOMPARE(widgets.value("tabs").toObject().value("value").toInt(), 1);
    // Widgets inside Qt's own unnamed or qt_ containers (the tab pages) are still found.
    QVERIFY(widgets.contains("tabField0"));
    for (const QString &key : { QString("type"), QString("value"), QString("enabled"), QString("visible") })
        QVERIFY2(widgets.value("fieldB").toObject().contains(key), qPrintable(key));
    QVERIFY(widgets.value("pageA").toObject().value("value").isNull());

    // A sub-tree reports only what lies under it, judged against its window.
    const QJsonObject pageB = widgetsOf(w.pages->widget(1));
    QVERIFY(pageB.contains("fieldB"));
    QVERIFY(!pageB.contains("tabs"));
    QCOMPARE(pageB.value("dup").toObject().value("type").toString(), QString("QLineEdit"));
    QCOMPARE(pageB.value("fieldB").toObject().value("visible").toBool(), false);
}

void TestReport::actions()
{
    Window w;
    const QJsonObject widgets = widgetsOf(&w.window);
    QVERIFY(hasFields(widgets.value("actionGrid").toObject(),
        { { "type", "QAction" }, { "value", true }, { "enabled", true }, { "visible", true } }));
    QVERIFY(
        hasFields(widgets.value("actionOpen").toObject(), { { "value", "&Open..." }, { "enabled", false } }));

    w.window.findChild<QAction *>("actionGrid")->setChecked(false);
    QCOMPARE(widgetsOf(&w.window).value("actionGrid").toObject().value("value"), QJsonValue(false));
}

void TestReport::lineEditColour_data()
{
    QTest::addColumn<QColor>("paletteText");
    QTest::addColumn<QString>("styleSheet");
    QTest::addColumn<QString>("colour");

    QTest::newRow("red palette") << QColor(Qt::red) << ""
                                 << "#ff0000";
    QTest::newRow("sheet rgb beats palette") << QColor(Qt::red) << "QLineEdit { color : rgb(0, 128, 0); }"
                                             << "#008000";
    QTest::newRow("background colour is not the text colour")
        << QColor(Qt::blue) << "QLineEdit { background-color: yellow; }"
        << "#0000ff";
    QTest::newRow("background before colour")
        << QColor(Qt::blue) << "background-color: yellow; color: #ff0000"
        << "#ff0000";
    QTest::newRow("named colour, no selector") << QColor(Qt::blue) << "color: navy"
                                               << "#000080";
    QTest::newRow("sheet colour that does not parse falls back") << QColor(Qt::blue) << "color: notacolour"
                                                                 << "#0000ff";
}

void TestReport::lineEditColour()
{
    QFETCH(QColor, paletteText);
    QFETCH(QString, styleSheet);
    QFETCH(QString, colour);

    Window w;
    auto *field = w.add(new QLineEdit("10k"), "field");
    setTextColour(field, QPalette::Text, paletteText);
    field->setStyleSheet(styleSheet);
    const QJsonObject entry = widgetsOf(&w.window).value("field").toObject();
    QCOMPARE(entry.value("type").toString(), QString("QLineEdit"));
    QCOMPARE(entry.value("value").toString(), QString("10k"));
    QCOMPARE(entry.value("color").toString(), colour);
}

void TestReport::labelColour_data()
{
    QTest::addColumn<QString>("styleSheet");
    QTest::addColumn<QString>("colour");

    // The label's palette text is dark grey, so any row that reads it shows #404040.
    QTest::newRow("palette") << ""
                             << "#404040";
    QTest::newRow("page sheet") << "QLabel { color : red; }"
                                << "#ff0000";
    QTest::newRow("hex") << "QLabel{color:#00ff00}"
                         << "#00ff00";
    QTest::newRow("rgb percent") << "color: rgb(100%, 0%, 50%)"
                                 << "#ff0080";
    QTest::newRow("commented out") << "/* color: red */ QLabel { color: blue; }"
                                   << "#0000ff";
    QTest::newRow("only background") << "QLabel { background-color : red; }"
                                     << "#404040";
    QTest::newRow("alternate-background") << "alternate-background-color: red"
                                          << "#404040";
}

void TestReport::labelColour()
{
    QFETCH(QString, styleSheet);
    QFETCH(QString, colour);

    Window w;
    auto *label = w.add(new QLabel("<b>12 W</b>"), "label");
    setTextColour(label, QPalette::WindowText, QColor(0x40, 0x40, 0x40));
    label->setStyleSheet(styleSheet);
    const QJsonObject entry = widgetsOf(&w.window).value("label").toObject();
    QCOMPARE(entry.value("type").toString(), QString("QLabel"));
    QCOMPARE(entry.value("value").toString(), QString("<b>12 W</b>"));
    QCOMPARE(entry.value("color").toString(), colour);
}

void TestReport::controls()
{
    Window w;
    auto *combo = w.add(new QComboBox, "combo");
    combo->addItems({ "TO-3", "TO-220", "SIP" });
    combo->setCurrentIndex(1);
    w.add(new QCheckBox("Fan"), "check")->setChecked(true);
    auto *radio = w.add(new QRadioButton("Bridge"), "radio");
    radio->setChecked(false);
    w.add(new QPushButton("Go"), "button")->setEnabled(false);
    auto *groupCheck = w.add(new QGroupBox("Limit"), "groupCheck");
    groupCheck->setCheckable(true);
    groupCheck->setChecked(false);
    w.add(new QGroupBox("Supply"), "groupPlain");
    w.add(new QSpinBox, "spin")->setValue(7);
    auto *dspin = w.add(new QDoubleSpinBox, "dspin");
    dspin->setDecimals(3);
    dspin->setValue(2.345);
    auto *slider = w.add(new QSlider(Qt::Horizontal), "slider");
    slider->setRange(0, 100);
    slider->setValue(42);
    auto *disabled = w.add(new QLineEdit("off"), "fieldDisabled");
    QPalette p = disabled->palette();
    p.setColor(QPalette::Active, QPalette::Text, Qt::red);
    p.setColor(QPalette::Inactive, QPalette::Text, Qt::red);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    disabled->setPalette(p);
    disabled->setEnabled(false);

    const QJsonObject widgets = widgetsOf(&w.window);
    const auto entry = [&widgets](const char *name) { return widgets.value(name).toObject(); };
    QVERIFY(hasFields(entry("combo"),
        { { "type", "QComboBox" }, { "value", "TO-220" }, { "index", 1 },
            { "items", strings({ "TO-3", "TO-220", "SIP" }) } }));
    QVERIFY(hasFields(entry("check"), { { "type", "QCheckBox" }, { "value", true } }));
    QVERIFY(hasFields(entry("radio"), { { "type", "QRadioButton" }, { "value", false } }));
    QVERIFY(hasFields(entry("button"), { { "value", "Go" }, { "enabled", false } }));
    QVERIFY(hasFields(entry("groupCheck"), { { "value", false } }));
    QVERIFY(hasFields(entry("groupPlain"), { { "value", "Supply" } }));
    QVERIFY(hasFields(entry("spin"), { { "type", "QSpinBox" }, { "value", 7 } }));
    QVERIFY(hasFields(entry("dspin"), { { "type", "QDoubleSpinBox" }, { "value", 2.345 } }));
    QVERIFY(hasFields(entry("slider"), { { "value", 42 } }));
    QVERIFY(hasFields(entry("fieldDisabled"), { { "enabled", false }, { "color", "#808080" } }));
    // A disabled group disables its children too.
    auto *inner = new QLineEdit("in", groupCheck);
    inner->setObjectName("inner");
    QCOMPARE(widgetsOf(&w.window).value("inner").toObject().value("enabled"), QJsonValue(false));
}

void TestReport::textBrowser()
{
    Window w;
    auto *notes = w.add(new QTextBrowser, "notes");
    setTextColour(notes, QPalette::Text, Qt::black);
    notes->setHtml("<p style=\"color:#ff0000\">Too hot</p><p>Fine</p>");
    auto *log = w.add(new QPlainTextEdit, "log");
    setTextColour(log, QPalette::Text, Qt::blue);
    log->setPlainText("one\ntwo");

    const QJsonObject widgets = widgetsOf(&w.window);
    const QJsonObject n = widgets.value("notes").toObject();
    QCOMPARE(n.value("type").toString(), QString("QTextBrowser"));
    QCOMPARE(n.value("value").toString(), QString("Too hot\nFine"));
    const QJsonArray lines = n.value("lines").toArray();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).toObject(), (QJsonObject { { "text", "Too hot" }, { "color", "#ff0000" } }));
    QCOMPARE(lines.at(1).toObject(), (QJsonObject { { "text", "Fine" }, { "color", "#000000" } }));

    const QJsonObject l = widgets.value("log").toObject();
    QCOMPARE(l.value("value").toString(), QString("one\ntwo"));
    const QJsonArray logLines = l.value("lines").toArray();
    QCOMPARE(logLines.size(), 2);
    QCOMPARE(logLines.at(1).toObject(), (QJsonObject { { "text", "two" }, { "color", "#0000ff" } }));
}

void TestReport::table_data()
{
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<bool>("moveColumn");
    QTest::addColumn<int>("currentPart"); // the row of the source table made current, -1 none
    QTest::addColumn<QJsonArray>("headers");
    QTest::addColumn<QJsonArray>("rows");
    QTest::addColumn<QJsonArray>("highlighted");
    QTest::addColumn<int>("current");

    // Source rows: PA10 40, PA02 20 (hidden), PA85 450, PA04 100, PA50 60; hidden columns
    // "id" and "note". Yellow: PA85's Vs, PA04's Part and PA50's hidden id.
    const QJsonArray headers = strings({ "Part", "Vs" });
    const QJsonArray modelOrder { strings({ "PA10", "40" }), strings({ "PA85", "450" }),
        strings({ "PA04", "100" }), strings({ "PA50", "60" }) };
    const QJsonArray byPart { strings({ "PA04", "100" }), strings({ "PA10", "40" }),
        strings({ "PA50", "60" }), strings({ "PA85", "450" }) };
    const QJsonArray byPartSwapped { strings({ "100", "PA04" }), strings({ "40", "PA10" }),
        strings({ "60", "PA50" }), strings({ "450", "PA85" }) };
    QTest::newRow("model order") << false << false << 2 << headers << modelOrder
                                 << pairs({ { 1, 1 }, { 2, 0 } }) << 1;
    QTest::newRow("sorted by part") << true << false << 4 << headers << byPart
                                    << pairs({ { 0, 0 }, { 3, 1 } }) << 2;
    QTest::newRow("sorted, columns swapped") << true << true << 0 << strings({ "Vs", "Part" })
                                             << byPartSwapped << pairs({ { 0, 1 }, { 3, 0 } }) << 1;
    QTest::newRow("no current row") << false << false << -1 << headers << modelOrder
                                    << pairs({ { 1, 1 }, { 2, 0 } }) << -1;
    QTest::newRow("current row hidden")
        << true << false << 1 << headers << byPart << pairs({ { 0, 0 }, { 3, 1 } }) << -1;
}

void TestReport::table()
{
    QFETCH(bool, sorted);
    QFETCH(bool, moveColumn);
    QFETCH(int, currentPart);
    QFETCH(QJsonArray, headers);
    QFETCH(QJsonArray, rows);
    QFETCH(QJsonArray, highlighted);
    QFETCH(int, current);

    Window w;
    auto *model = new QStandardItemModel(0, 4, &w.window);
    model->setHorizontalHeaderLabels({ "id", "Part", "Vs", "note" });
    const QList<QStringList> source = { { "1", "PA10", "40", "a" }, { "2", "PA02", "20", "b" },
        { "3", "PA85", "450", "c" }, { "4", "PA04", "100", "d" }, { "5", "PA50", "60", "e" } };
    QList<QList<QStandardItem *>> items;
    for (const QStringList &cells : source) {
        QList<QStandardItem *> row;
        for (const QString &text : cells)
            row.append(new QStandardItem(text));
        items.append(row);
        model->appendRow(row);
    }
    items[2][2]->setBackground(QColor(Qt::yellow));
    items[3][1]->setData(QColor(Qt::yellow), Qt::BackgroundRole);
    items[4][0]->setBackground(QColor(Qt::yellow));
    items[0][2]->setBackground(QBrush(Qt::NoBrush));

    auto *table = w.add(new QTableView, "table");
    table->setModel(model);
    table->setColumnHidden(0, true);
    table->setColumnHidden(3, true);
    table->setRowHidden(1, true);
    if (currentPart >= 0)
        table->setCurrentIndex(items[currentPart][1]->index());
    if (sorted) {
        table->setSortingEnabled(true);
        table->sortByColumn(1, Qt::AscendingOrder);
    }
    if (moveColumn)
        table->horizontalHeader()->moveSection(2, 1);

    const QJsonObject entry = widgetsOf(&w.window).value("table").toObject();
    QCOMPARE(entry.value("type").toString(), QString("QTableView"));
    QCOMPARE(entry.value("headers").toArray(), headers);
    QCOMPARE(entry.value("rows").toArray(), rows);
    QCOMPARE(entry.value("highlighted").toArray(), highlighted);
    QCOMPARE(entry.value("current").toInt(), current);
    QCOMPARE(entry.value("value").toInt(), rows.size());
}

void TestReport::plot()
{
    Window w;
    auto *plot = w.add(new QCustomPlot, "plotSOA");
    plot->plotLayout()->insertRow(0);
    plot->plotLayout()->addElement(0, 0, new QCPTextElement(plot, "Safe Operating Area"));
    plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
    plot->xAxis->setLabel("Vce (V)");
    plot->yAxis->setLabel("Ic (A)");
    plot->xAxis->setRange(1, 1000);
    plot->yAxis->setRange(0.01, 20);
    auto *dc = plot->addGraph();
    dc->setName("DC");
    dc->setPen(QPen(QColor(0, 0, 255)));
    dc->setData({ 1, 10, 100 }, { 10, 4, 0.5 });
    auto *pulse = plot->addGraph();
    pulse->setName("1 ms");
    pulse->setVisible(false);
    pulse->setData({ 2, 20 }, { 15, 1.25 });
    auto *load = new QCPCurve(plot->xAxis, plot->yAxis);
    load->setName("load line");
    load->setData({ 0, 1, 2 }, { 30, 20, 10 }, { 5, 2.5, 0 });
    auto *tj = new QCPItemText(plot);
    tj->setText("Tj 150 C");
    tj->position->setCoords(10, 3);
    tj->setColor(QColor(255, 0, 0));
    w.add(new QCustomPlot, "plotEmpty");

    QVERIFY(hasFields(widgetsOf(&w.window).value("plotSOA").toObject(),
        { { "type", "QCustomPlot" }, { "visible", true }, { "enabled", true } }));

    const QJsonObject plots = plotsOf(&w.window);
    const QJsonObject p = plots.value("plotSOA").toObject();
    QVERIFY(hasFields(p,
        { { "title", "Safe Operating Area" }, { "xLabel", "Vce (V)" }, { "yLabel", "Ic (A)" },
            { "xRange", QJsonArray { 1, 1000 } }, { "yRange", QJsonArray { 0.01, 20 } }, { "xLog", true },
            { "yLog", false } }));
    const QJsonArray graphs = p.value("graphs").toArray();
    QCOMPARE(graphs.size(), 2);
    QVERIFY(hasFields(graphs.at(0).toObject(),
        { { "name", "DC" }, { "x", QJsonArray { 1, 10, 100 } }, { "y", QJsonArray { 10, 4, 0.5 } },
            { "color", "#0000ff" }, { "visible", true } }));
    QVERIFY(hasFields(graphs.at(1).toObject(),
        { { "name", "1 ms" }, { "x", QJsonArray { 2, 20 } }, { "y", QJsonArray { 15, 1.25 } },
            { "visible", false } }));
    // A curve keeps its own point order (t), so its keys need not rise.
    const QJsonArray curves = p.value("curves").toArray();
    QCOMPARE(curves.size(), 1);
    QVERIFY(hasFields(curves.at(0).toObject(),
        { { "name", "load line" }, { "x", QJsonArray { 30, 20, 10 } }, { "y", QJsonArray { 5, 2.5, 0 } } }));
    const QJsonArray texts = p.value("texts").toArray();
    QCOMPARE(texts.size(), 1);
    QVERIFY(hasFields(
        texts.at(0).toObject(), { { "text", "Tj 150 C" }, { "x", 10 }, { "y", 3 }, { "color", "#ff0000" } }));

    QVERIFY(hasFields(plots.value("plotEmpty").toObject(),
        { { "title", "" }, { "graphs", QJsonArray() }, { "curves", QJsonArray() },
            { "texts", QJsonArray() } }));
}

void TestReport::plotNaN()
{
    Window w;
    auto *plot = w.add(new QCustomPlot, "plotLoss");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    plot->addGraph()->setData({ 1, 2, 3 }, { 0.1, nan, inf }, true);
    auto *label = new QCPItemText(plot);
    label->position->setCoords(nan, 1.5);

    const QByteArray json = QJsonDocument(QJsonObject { { "plots", reportPlots(&w.window) } }).toJson();
    QVERIFY(!json.contains("nan") && !json.contains("inf"));
    const QJsonObject p = plotsOf(&w.window).value("plotLoss").toObject();
    const QJsonArray y = p.value("graphs").toArray().at(0).toObject().value("y").toArray();
    QCOMPARE(y.size(), 3);
    QCOMPARE(y.at(0).toDouble(), 0.1);
    QVERIFY(y.at(1).isNull());
    QVERIFY(y.at(2).isNull());
    const QJsonObject t = p.value("texts").toArray().at(0).toObject();
    QVERIFY(t.value("x").isNull());
    QCOMPARE(t.value("y").toDouble(), 1.5);
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
