#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "app/mainwindow.h"
#include "pages/heatsink/heatsinkpage.h"
#include "qcustomplot.h"

namespace {

const double kNone = 4294967295.0;

// What the list should show, worked out from the catalog without the page's code.
struct Expected {
    QStringList names; // in price order
    QStringList resistanceMarked;
};

Expected expectedRows(const QVector<Heatsink> &catalog, const QString &code, double rReq, double relax,
    bool flow, double h = kNone, double l = kNone, double w = kNone, double m = kNone)
{
    QVector<int> order;
    for (int i = 0; i < catalog.size(); ++i)
        order << i;
    std::stable_sort(order.begin(), order.end(),
        [&catalog](int a, int b) { return catalog.at(a).relative_price < catalog.at(b).relative_price; });
    Expected e;
    for (int i : order) {
        const Heatsink &s = catalog.at(i);
        if (code != QLatin1String("ALL") && !s.packages.contains(code))
            continue;
        double r = s.FreeAirTheta;
        if (flow)
            r = s.A * std::exp(s.B * (s.name.contains(QLatin1String("H2O")) ? 4.0 : 1000.0)) + s.C;
        const double k = 1 + relax;
        const bool good = r <= rReq && s.Height <= h && s.Length <= l && s.Width <= w && s.Weight <= m;
        const bool close = (flow ? r <= rReq : r <= k * rReq) && s.Height <= k * h && s.Length <= k * l
            && s.Width <= k * w && s.Weight <= k * m;
        if (good || close)
            e.names << s.name;
        if (!good && close && r > rReq)
            e.resistanceMarked << s.name;
    }
    return e;
}

} // namespace

class TestHeatsinkPage : public QObject {
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_oldCwd;
    MainWindow *m_window = nullptr;

    template <class T> T *get(const char *name)
    {
        T *w = m_window->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    QTableView *table() { return get<QTableView>("HStable"); }
    QAbstractItemModel *model() { return table()->model(); }
    const QVector<Heatsink> &catalog() { return m_window->catalogs().heatsinks; }

    QStringList visibleNames()
    {
        QStringList names;
        for (int r = 0; r < model()->rowCount(); ++r) {
            if (!table()->isRowHidden(r))
                names << model()->index(r, 1).data().toString();
        }
        return names;
    }
    // Visible rows whose cell in that column has the close-match background.
    QStringList markedNames(int column)
    {
        QStringList names;
        for (int r = 0; r < model()->rowCount(); ++r) {
            if (table()->isRowHidden(r))
                continue;
            const QVariant bg = model()->index(r, column).data(Qt::BackgroundRole);
            if (bg.isValid() && bg.value<QBrush>().color() == QColor(255, 255, 160))
                names << model()->index(r, 1).data().toString();
        }
        return names;
    }
    QString currentName() { return model()->index(table()->currentIndex().row(), 1).data().toString(); }
    void selectName(const QString &name)
    {
        for (int r = 0; r < model()->rowCount(); ++r) {
            if (model()->index(r, 1).data().toString() == name) {
                table()->setCurrentIndex(model()->index(r, 1));
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no row ") + name));
    }
    void enter(const char *field, const QString &text)
    {
        auto *edit = get<QLineEdit>(field);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void choosePackage(const QString &text)
    {
        auto *box = get<QComboBox>("HSpackage");
        const int i = box->findText(text);
        QVERIFY(i >= 0);
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    void checkGroup(const char *name, bool on)
    {
        auto *box = get<QGroupBox>(name);
        box->setChecked(on);
        emit box->clicked(on);
    }
    QString labelText(const char *name) { return get<QLabel>(name)->text(); }

private slots:
    void init()
    {
        m_oldCwd = QDir::currentPath();
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        QDir::setCurrent(m_dir->path());
        StartOptions options;
        options.offline = true;
        m_window = new MainWindow(nullptr, options);
    }
    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
        QDir::setCurrent(m_oldCwd);
        delete m_dir;
        m_dir = nullptr;
    }

    void startState()
    {
        QVERIFY(get<QRadioButton>("HSchoosePackage")->isChecked());
        QVERIFY(!get<QRadioButton>("HSchoosePart")->isChecked());
        QVERIFY(get<QComboBox>("HSpackage")->isEnabled());
        QVERIFY(!get<QComboBox>("HSpart")->isEnabled());
        auto *relax = get<QSpinBox>("HSrelax");
        QCOMPARE(relax->minimum(), 1);
        QCOMPARE(relax->maximum(), 100);
        QCOMPARE(relax->singleStep(), 5);
        QCOMPARE(relax->value(), 10);
        QCOMPARE(get<QLineEdit>("HSrtheta")->text(), QStringLiteral("30"));
        for (const char *name : { "HSH", "HSL", "HSW", "HSWeight" })
            QCOMPARE(get<QLineEdit>(name)->text(), QStringLiteral("all"));
        for (const char *name : { "HSfanDia", "HSfanX", "HSfanY" })
            QCOMPARE(get<QLineEdit>(name)->text(), QStringLiteral("4"));
        QVERIFY(!get<QGroupBox>("HSconstCheckBox")->isChecked());
        QVERIFY(!get<QGroupBox>("HSfluidCheckBox")->isChecked());
        QVERIFY(get<QRadioButton>("HSenglish")->isChecked());
        QVERIFY(get<QRadioButton>("HSfanCirc")->isChecked());
        QCOMPARE(get<QGroupBox>("HSconstCheckBox")->title(), QStringLiteral(" Size Contraints"));
        QCOMPARE(get<QPushButton>("HSsortPrice")->text(),
            QStringLiteral("Sort by Relative Price Low-to-High (Default)"));
        QCOMPARE(labelText("HSlinearFlow"), QStringLiteral("0 FPM air"));
        QCOMPARE(labelText("HSvolumeFlow"), QStringLiteral("0 CFM air"));

        auto *part = get<QComboBox>("HSpart");
        QCOMPARE(part->count(), 1 + m_window->catalogs().linear.size() + m_window->catalogs().pwms.size());
        QCOMPARE(part->itemText(0), QStringLiteral("All Parts"));

        // At 30 degC/W with 10 % slack every shipped heatsink is listed, cheapest first.
        const Expected e = expectedRows(catalog(), QStringLiteral("ALL"), 30, 0.1, false);
        QCOMPARE(e.names.size(), 30);
        QCOMPARE(visibleNames(), e.names);
        QCOMPARE(currentName(), e.names.first());
        QVERIFY(markedNames(2).isEmpty());
        QVERIFY(table()->isColumnHidden(0));
        QVERIFY(table()->isColumnHidden(7));
        QCOMPARE(model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("HeatSink"));
        QCOMPARE(model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Natural R_θ (°C/W)"));
        QCOMPARE(model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("H (in)"));
        QCOMPARE(model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Weight (oz)"));
        QCOMPARE(model()->headerData(7, Qt::Horizontal).toString(),
            QStringLiteral("Relative Price - 3/15/17 TTL USD"));
        QVERIFY(!m_window->designChanged());
    }

    // Every package item stands for a package-style code whose description is the item.
    void packageItems()
    {
        auto *box = get<QComboBox>("HSpackage");
        QCOMPARE(box->count(), 9);
        QCOMPARE(box->itemText(0), QStringLiteral("All Packages"));
        QCOMPARE(box->itemData(0).toString(), QStringLiteral("ALL"));
        const QStringList texts { "8-pin TO-3", "12-pin Power DIP (MO-127)", "10-pin Power Dip", "18-pin DIP",
            "TO-220", "Open Frame", "Surface Mount", "Power SIP" };
        for (int i = 1; i < box->count(); ++i) {
            QCOMPARE(box->itemText(i), texts.at(i - 1));
            const QString code = box->itemData(i).toString();
            QCOMPARE(interpretPackageFullDesc(m_window->catalogs().packages, code), texts.at(i - 1));
            bool used = false;
            for (const Heatsink &h : catalog())
                used = used || h.packages.contains(code);
            QVERIFY2(used, qPrintable(code));
        }
    }

    void rowsAndMarks_data()
    {
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("rtheta");
        QTest::addColumn<int>("relax");
        QTest::newRow("all at 5") << "All Packages"
                                  << "ALL"
                                  << "5" << 10;
        QTest::newRow("TO-220 at 10") << "TO-220"
                                      << "TO220"
                                      << "10" << 10;
        QTest::newRow("TO-3 at 1 with 50 %") << "8-pin TO-3"
                                             << "TO3-8"
                                             << "1" << 50;
        QTest::newRow("SIP at 10 with 1 %") << "Power SIP"
                                            << "SIP"
                                            << "10" << 1;
        QTest::newRow("nothing below 0.1") << "Surface Mount"
                                           << "SMT"
                                           << "0.1" << 10;
    }
    void rowsAndMarks()
    {
        QFETCH(QString, package);
        QFETCH(QString, code);
        QFETCH(QString, rtheta);
        QFETCH(int, relax);
        choosePackage(package);
        get<QSpinBox>("HSrelax")->setValue(relax);
        enter("HSrtheta", rtheta);
        const Expected e = expectedRows(catalog(), code, rtheta.toDouble(), relax / 100.0, false);
        QCOMPARE(visibleNames(), e.names);
        QCOMPARE(markedNames(2), e.resistanceMarked);
        for (int c = 3; c <= 6; ++c)
            QVERIFY(markedNames(c).isEmpty());
        if (!e.names.isEmpty())
            QCOMPARE(currentName(), e.names.first());
    }

    void byPart()
    {
        const QVector<amp> &linear = m_window->catalogs().linear;
        int index = -1;
        for (int i = 0; i < linear.size() && index < 0; ++i) {
            for (const Heatsink &h : catalog()) {
                if (h.packages.contains(linear.at(i).packageStyle)) {
                    index = i + 1;
                    break;
                }
            }
        }
        QVERIFY(index > 0);
        get<QRadioButton>("HSchoosePart")->click();
        QVERIFY(get<QComboBox>("HSpart")->isEnabled());
        QVERIFY(!get<QComboBox>("HSpackage")->isEnabled());
        auto *part = get<QComboBox>("HSpart");
        part->setCurrentIndex(index);
        emit part->activated(index);
        const QString code = linear.at(index - 1).packageStyle;
        const Expected e = expectedRows(catalog(), code, 30, 0.1, false);
        QVERIFY(!e.names.isEmpty());
        QCOMPARE(visibleNames(), e.names);

        // A PWM part comes after all linear parts.
        const int pwmIndex = 1 + linear.size();
        part->setCurrentIndex(pwmIndex);
        emit part->activated(pwmIndex);
        QCOMPARE(visibleNames(),
            expectedRows(catalog(), m_window->catalogs().pwms.first().packageStyle, 30, 0.1, false).names);

        get<QRadioButton>("HSchoosePackage")->click();
        QVERIFY(!part->isEnabled());
        QCOMPARE(visibleNames().size(), 30);
    }

    void sizeLimitsInMetric()
    {
        get<QRadioButton>("HSmetric")->click();
        checkGroup("HSconstCheckBox", true);
        enter("HSH", "33.02"); // 1.3 in
        enter("HSL", "83.82"); // 3.3 in
        enter("HSW", "127"); // 5 in, so the heatsink is taken as 5 in by 3.3 in
        const Expected e = expectedRows(catalog(), QStringLiteral("ALL"), 30, 0.1, false, 1.3, 5, 3.3);
        QCOMPARE(visibleNames(), e.names);
        QStringList tall, wide;
        for (const QString &name : e.names) {
            for (const Heatsink &h : catalog()) {
                if (h.name != name)
                    continue;
                if (h.Height > 1.3)
                    tall << name;
                if (h.Width > 3.3)
                    wide << name;
            }
        }
        QVERIFY(!tall.isEmpty() && !wide.isEmpty());
        QCOMPARE(markedNames(3), tall);
        QCOMPARE(markedNames(5), wide);
        QCOMPARE(model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("H (mm)"));
        QCOMPARE(model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Weight (g)"));
        // The cells show millimetres and grams rounded to one decimal.
        for (int r = 0; r < model()->rowCount(); ++r) {
            if (model()->index(r, 1).data().toString() != QLatin1String("KH02"))
                continue;
            QCOMPARE(model()->index(r, 3).data().toDouble(), 12.7); // 0.5 in
            QCOMPARE(model()->index(r, 6).data().toDouble(), 9.9); // 0.35 oz = 9.922 g
        }

        // The same limits typed in inches give the same list.
        get<QRadioButton>("HSenglish")->click();
        QCOMPARE(get<QLineEdit>("HSH")->text(), QStringLiteral("1.3"));
        QCOMPARE(get<QLineEdit>("HSL")->text(), QStringLiteral("3.3"));
        QCOMPARE(get<QLineEdit>("HSW")->text(), QStringLiteral("5"));
        QCOMPARE(visibleNames(), e.names);
    }

    void unitConversion()
    {
        checkGroup("HSconstCheckBox", true);
        enter("HSH", "2");
        enter("HSWeight", "1");
        get<QRadioButton>("HSmetric")->click();
        QCOMPARE(get<QLineEdit>("HSH")->text(), QStringLiteral("50.8"));
        QCOMPARE(get<QLineEdit>("HSWeight")->text(), QStringLiteral("28.3495"));
        QCOMPARE(get<QLineEdit>("HSL")->text(), QStringLiteral("all"));
        QCOMPARE(get<QLineEdit>("HSfanDia")->text(), QStringLiteral("101.6"));
        QCOMPARE(get<QLineEdit>("HSfanX")->text(), QStringLiteral("101.6"));
        QCOMPARE(get<QLabel>("hsUnitH")->text(), QStringLiteral("mm (Normal to PCB)"));
        QCOMPARE(get<QRadioButton>("HSfanCirc")->text(), QStringLiteral("Diameter (mm): "));
        QCOMPARE(get<QRadioButton>("HSfanRect")->text(), QStringLiteral("Rectangular (mm): "));
        get<QRadioButton>("HSenglish")->click();
        QCOMPARE(get<QLineEdit>("HSH")->text(), QStringLiteral("2"));
        QCOMPARE(get<QLineEdit>("HSWeight")->text(), QStringLiteral("1"));
        QCOMPARE(get<QLineEdit>("HSfanY")->text(), QStringLiteral("4"));
        QCOMPARE(get<QLabel>("hsUnitH")->text(), QStringLiteral("in (Normal to PCB)"));
        QCOMPARE(get<QRadioButton>("HSfanCirc")->text(), QStringLiteral("Diameter (in): "));
    }

    void selection()
    {
        auto *page = m_window->findChild<HeatsinkPage *>(QStringLiteral("page_6"));
        QVERIFY(page);
        for (const QString &name : { QStringLiteral("KH13"), QStringLiteral("KH62-H2O") }) {
            selectName(name);
            QCOMPARE(page->selectedHeatsink().name, name);
            QCOMPARE(get<QLabel>("HSimage")->styleSheet(),
                QStringLiteral("image: url(:/ZarnLinear/") + name + QStringLiteral(".jpg)"));
            QVERIFY(QFile::exists(QStringLiteral(":/ZarnLinear/") + name + QStringLiteral(".jpg")));
            auto *link = get<QLabel>("HSName");
            QCOMPARE(link->textFormat(), Qt::RichText);
            QVERIFY(link->openExternalLinks());
            QVERIFY(link->text().contains(
                QStringLiteral("href=\"") + page->selectedHeatsink().drawingLink + '"'));
            QVERIFY(link->text().contains(QStringLiteral("#0000ff")));
            QVERIFY(link->text().contains(QStringLiteral("underline")));
            QVERIFY(link->text().contains(QStringLiteral(">") + name + QStringLiteral("<")));
            const auto *plot = get<QCustomPlot>("HSplot");
            QCOMPARE(plot->graph(0)->data()->size(), 128);
        }
    }

    void plotAxes_data()
    {
        QTest::addColumn<QString>("heatsink");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("xLabel");
        QTest::addColumn<double>("xUpper");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("lastFlow");
        QTest::newRow("air English") << "KH13" << false << "Air Flow [Linear Feet per Minute]" << 1100.0
                                     << 100.0 << 1000.0;
        QTest::newRow("air metric") << "KH13" << true << "Air Flow [Meters per Second]" << 5.5 << 0.5
                                    << 1000.0 / 60 / 3.28084;
        QTest::newRow("water English")
            << "KH62-H2O" << false << "Water Flow [Gallons per Minute per channel]" << 2.25 << 0.25 << 2.0;
        QTest::newRow("water metric") << "KH62-H2O" << true << "Water Flow [Liters per Minute per channel]"
                                      << 8.5 << 1.0 << 2 * 3.78541;
    }
    void plotAxes()
    {
        QFETCH(QString, heatsink);
        QFETCH(bool, metric);
        QFETCH(QString, xLabel);
        QFETCH(double, xUpper);
        QFETCH(double, step);
        QFETCH(double, lastFlow);
        if (metric)
            get<QRadioButton>("HSmetric")->click();
        selectName(heatsink);
        auto *plot = get<QCustomPlot>("HSplot");
        QCOMPARE(plot->xAxis->label(), xLabel);
        QCOMPARE(plot->xAxis->range().lower, 0.0);
        QCOMPARE(plot->xAxis->range().upper, xUpper);
        auto ticker = qSharedPointerDynamicCast<QCPAxisTickerFixed>(plot->xAxis->ticker());
        QVERIFY(ticker);
        QCOMPARE(ticker->tickStep(), step);
        QCOMPARE(plot->yAxis->label(), QStringLiteral("R_θ [°C/W]"));

        Heatsink h;
        for (const Heatsink &s : catalog()) {
            if (s.name == heatsink)
                h = s;
        }
        const QCPGraph *graph = plot->graph(0);
        QCOMPARE(graph->data()->size(), 128);
        QVERIFY(qAbs((graph->data()->end() - 1)->key - lastFlow) < 1e-6);
        // The curve is highest at the lowest flow of the plot.
        const double first = h.name.contains(QLatin1String("H2O")) ? 0.0 : 100.0;
        const double rMax = h.A * std::exp(h.B * first) + h.C;
        QVERIFY(qAbs(graph->data()->begin()->value - rMax) < 1e-9);
        QCOMPARE(plot->yAxis->range().lower, 0.0);
        QVERIFY(qAbs(plot->yAxis->range().upper - 1.1 * rMax) < 1e-9);
        QCOMPARE(graph->pen().width(), 3);
        QCOMPARE(graph->pen().color(), QColor(200, 0, 0));
        QVERIFY(!plot->legend->visible());
        QString title;
        for (QCPLayoutElement *e : plot->plotLayout()->elements(true)) {
            if (auto *t = qobject_cast<QCPTextElement *>(e)) {
                title = t->text();
                break;
            }
        }
        QCOMPARE(title, QStringLiteral("Thermal Resistance - ") + heatsink);
    }

    void airFlowLabels()
    {
        checkGroup("HSfluidCheckBox", true);
        choosePackage(QStringLiteral("TO-220"));
        enter("HSrtheta", "10");
        const Expected e = expectedRows(catalog(), QStringLiteral("TO220"), 10, 0.1, true);
        QCOMPARE(visibleNames(), e.names);
        QCOMPARE(currentName(), QStringLiteral("KH40"));
        // 30 degC/W free air; ln((10 - 7.8)/26.4)/-0.0062 = 400.8 LFM through pi/4 x 16 sq in.
        QCOMPARE(labelText("HSlinearFlow"), QStringLiteral("401 FPM air"));
        QCOMPARE(labelText("HSvolumeFlow"), QStringLiteral("35 CFM air"));
        QVERIFY(get<QWidget>("HSflowDimensions")->isEnabled());

        get<QRadioButton>("HSfanRect")->click();
        enter("HSfanX", "3");
        enter("HSfanY", "5");
        QCOMPARE(labelText("HSvolumeFlow"), QStringLiteral("41.7 CFM air")); // 15/144 x 400.8
        get<QRadioButton>("HSfanCirc")->click();
        enter("HSfanDia", "2");
        QCOMPARE(labelText("HSvolumeFlow"), QStringLiteral("8.74 CFM air")); // pi/144 x 400.8

        get<QRadioButton>("HSmetric")->click();
        QCOMPARE(labelText("HSlinearFlow"), QStringLiteral("2.04 m/s air")); // 400.8/196.85

        // No TO-220 heatsink reaches 0.1 degC/W even at 1000 LFM; the selection stays, and
        // its curve never falls below 7.8 degC/W.
        enter("HSrtheta", "0.1");
        QVERIFY(visibleNames().isEmpty());
        QCOMPARE(labelText("HSlinearFlow"), QStringLiteral("no flow reaches this R_θ"));
        QCOMPARE(labelText("HSvolumeFlow"), QStringLiteral("-----"));
        QVERIFY(get<QLabel>("HSlinearFlow")->styleSheet().contains(QStringLiteral("red")));

        checkGroup("HSfluidCheckBox", false);
        QCOMPARE(labelText("HSlinearFlow"), QStringLiteral("0 FPM air"));
        QCOMPARE(labelText("HSvolumeFlow"), QStringLiteral("0 CFM air"));
        QVERIFY(!get<QLabel>("HSlinearFlow")->styleSheet().contains(QStringLiteral("red")));
    }

    void waterFlowLabels()
    {
        checkGroup("HSfluidCheckBox", true);
        choosePackage(QStringLiteral("Open Frame"));
        enter("HSrtheta", "0.1");
        QCOMPARE(visibleNames(), QStringList { QStringLiteral("KH62-H2O") });
        QCOMPARE(labelText("HSlinearFlow"), QStringLiteral("-----"));
        // ln((0.1 - 0.075)/0.3)/-1.8 = 1.3805 GPM.
        QCOMPARE(labelText("HSvolumeFlow"), QStringLiteral("1.38 GPM per channel water"));
        QVERIFY(!get<QWidget>("HSflowDimensions")->isEnabled());
        get<QRadioButton>("HSmetric")->click();
        QCOMPARE(labelText("HSvolumeFlow"), QStringLiteral("5.23 L/min per channel water"));
    }

    void sortKeepsRows()
    {
        enter("HSrtheta", "3");
        const QStringList before = visibleNames();
        QVERIFY(!before.isEmpty());
        get<QPushButton>("HSsortPrice")->click();
        QCOMPARE(visibleNames(), before);
    }

    void reset()
    {
        choosePackage(QStringLiteral("TO-220"));
        checkGroup("HSconstCheckBox", true);
        enter("HSrtheta", "2");
        enter("HSH", "1");
        enter("HSL", "1");
        enter("HSW", "1");
        enter("HSWeight", "1");
        get<QSpinBox>("HSrelax")->setValue(40);
        get<QPushButton>("HSreset")->click();
        QCOMPARE(get<QComboBox>("HSpackage")->currentIndex(), 0);
        QCOMPARE(get<QComboBox>("HSpart")->currentIndex(), 0);
        QCOMPARE(get<QLineEdit>("HSrtheta")->text(), QStringLiteral("30"));
        for (const char *name : { "HSH", "HSL", "HSW", "HSWeight" })
            QCOMPARE(get<QLineEdit>(name)->text(), QStringLiteral("all"));
        QCOMPARE(get<QSpinBox>("HSrelax")->value(), 10);
        QCOMPARE(visibleNames(), expectedRows(catalog(), QStringLiteral("ALL"), 30, 0.1, false).names);
    }

    void badEntry()
    {
        enter("HSrtheta", "5mA");
        QCOMPARE(get<QLineEdit>("HSrtheta")->palette().color(QPalette::Text), QColor(Qt::red));
        QVERIFY(visibleNames().isEmpty()); // reads as 0 degC/W
    }

    void changesDesign()
    {
        m_window->setDesignChanged(false);
        get<QSpinBox>("HSrelax")->setValue(20);
        QVERIFY(m_window->designChanged());
        checkGroup("HSfluidCheckBox", true);
        m_window->setDesignChanged(false);
        enter("HSfanDia", "3");
        QVERIFY(m_window->designChanged());
    }
};

QTEST_MAIN(TestHeatsinkPage)
#include "test_heatsinkpage.moc"
