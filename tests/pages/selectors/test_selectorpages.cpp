#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>
#include <algorithm>

#include "app/mainwindow.h"
#include "pages/selectors/linearselectorpage.h"
#include "pages/selectors/pwmselectorpage.h"

namespace {

// Names of the rows a user sees, top to bottom.
QStringList shownNames(const QTableView *view)
{
    QStringList names;
    const QAbstractItemModel *model = view->model();
    for (int v = 0; v < model->rowCount(); ++v) {
        const int r = view->verticalHeader()->logicalIndex(v);
        if (!view->isRowHidden(r))
            names << model->index(r, 1).data().toString();
    }
    return names;
}

int modelRowOf(const QTableView *view, const QString &name)
{
    const QAbstractItemModel *model = view->model();
    for (int r = 0; r < model->rowCount(); ++r)
        if (model->index(r, 1).data().toString() == name)
            return r;
    return -1;
}

// Position of the current row among the rows shown, -1 when there is none.
int currentShownRow(const QTableView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return -1;
    int shown = 0;
    for (int v = 0; v < view->model()->rowCount(); ++v) {
        const int r = view->verticalHeader()->logicalIndex(v);
        if (r == current.row())
            return view->isRowHidden(r) ? -1 : shown;
        if (!view->isRowHidden(r))
            ++shown;
    }
    return -1;
}

QString linkText(const QLabel *label)
{
    QTextDocument doc;
    doc.setHtml(label->text());
    return doc.toPlainText();
}

QString linkHref(const QLabel *label)
{
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    return href.match(label->text()).captured(1);
}

template <typename Record>
QStringList byPrice(QVector<Record> records)
{
    std::stable_sort(records.begin(), records.end(),
                     [](const Record &a, const Record &b) { return a.relative_price < b.relative_price; });
    QStringList names;
    for (const Record &r : records)
        names << r.ampName;
    return names;
}

bool isRed(const QLineEdit *field)
{
    return field->palette().color(QPalette::Text) == QColor(Qt::red);
}

bool isCloseMarked(const QAbstractItemModel *model, int row, int column)
{
    const QVariant v = model->index(row, column).data(Qt::BackgroundRole);
    return v.isValid() && v.value<QBrush>().color() == QColor(255, 255, 160);
}

QVector<int> markedColumns(const QAbstractItemModel *model, int row)
{
    QVector<int> columns;
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->index(row, c).data(Qt::BackgroundRole).isValid()) {
            if (isCloseMarked(model, row, c))
                columns << c;
            else
                columns << -c;
        }
    return columns;
}

}  // namespace

// The two selectors driven through their widgets in the real window, on the
// shipped catalogs.
class TestSelectorPages : public QObject {
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_oldCwd;
    MainWindow *m_w = nullptr;

    template <typename T>
    T *get(const char *name)
    {
        T *w = m_w->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("missing widget %s", name);
        return w;
    }
    void edit(const char *field, const QString &text)
    {
        QLineEdit *f = get<QLineEdit>(field);
        f->setText(text);
        emit f->editingFinished();
    }
    QTableView *linearTable() { return get<QTableView>("selectorTable"); }
    QTableView *pwmTable() { return get<QTableView>("pwmTable"); }
    const Catalogs &cat() { return m_w->catalogs(); }
    const amp &linearPart(const QString &name)
    {
        return cat().linear.at(ampVectorIndex(cat().linear, name));
    }
    pwm pwmPart(const QString &name) { return findSwitching(cat().pwms, name); }

private slots:
    void init()
    {
        m_oldCwd = QDir::currentPath();
        m_dir = new QTemporaryDir;
        QDir::setCurrent(m_dir->path());
        StartOptions options;
        options.offline = true;
        m_w = new MainWindow(nullptr, options);
    }
    void cleanup()
    {
        delete m_w;
        m_w = nullptr;
        QDir::setCurrent(m_oldCwd);
        delete m_dir;
        m_dir = nullptr;
    }

    void linearForm()
    {
        QCOMPARE(get<QLineEdit>("LPScurrent")->text(), QStringLiteral("0"));
        QVERIFY(get<QRadioButton>("LPSFreqButton")->isChecked());
        QVERIFY(!get<QRadioButton>("LPSSRButton")->isChecked());
        QVERIFY(get<QLineEdit>("LPSFreq")->isEnabled());
        QVERIFY(!get<QLineEdit>("LPSSR")->isEnabled());
        QCOMPARE(get<QSpinBox>("LPSNumAmps")->minimum(), 1);
        QCOMPARE(get<QSpinBox>("LPSNumAmps")->maximum(), 10);
        QCOMPARE(get<QSpinBox>("LPSNumAmps")->value(), 3);
        QCOMPARE(get<QSpinBox>("LPSRelax")->singleStep(), 5);
        QCOMPARE(get<QSpinBox>("LPSRelax")->value(), 20);
        QCOMPARE(get<QLabel>("LPSLinearName")->text(), QStringLiteral("QX310"));
        QVERIFY(get<QLabel>("LPSLinearName")->openExternalLinks());
        QCOMPARE(get<QSpinBox>("SPSnumAmps")->minimum(), 0);
        QCOMPARE(get<QLabel>("SPSname")->text(), QStringLiteral("TZ623"));

        // Start-up fills the tables without choosing a row.
        const QTableView *view = linearTable();
        const QAbstractItemModel *model = view->model();
        QCOMPARE(model->columnCount(), 12);
        QCOMPARE(model->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Max Output Swing* (Vp-p)"));
        QCOMPARE(model->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Max Slew Rate (V/\u00b5s)"));
        QCOMPARE(model->headerData(11, Qt::Horizontal).toString(),
                 QStringLiteral("Relative Price - 10/3/16 Digikey USD"));
        QVERIFY(view->isColumnHidden(0));
        QVERIFY(view->isColumnHidden(11));
        QVERIFY(!view->verticalHeader()->isVisible());
        QCOMPARE(shownNames(view), byPrice(cat().linear));
        QCOMPARE(currentShownRow(view), -1);
        QCOMPARE(pwmTable()->model()->headerData(11, Qt::Horizontal).toString(),
                 QStringLiteral("Relative Price - 10/7/16 Digikey USD"));
        QCOMPARE(shownNames(pwmTable()), byPrice(cat().pwms));
    }

    void linearAllZero()
    {
        m_w->setDesignChanged(false);
        get<QPushButton>("LPSresetButton")->click();
        QVERIFY(m_w->designChanged());
        const QStringList expected = byPrice(cat().linear);
        QCOMPARE(expected.size(), cat().linear.size());
        QCOMPARE(shownNames(linearTable()), expected);
        QCOMPARE(currentShownRow(linearTable()), 0);
        const amp &cheapest = linearPart(expected.first());
        QCOMPARE(linkText(get<QLabel>("LPSLinearName")), cheapest.ampName);
        QCOMPARE(linkHref(get<QLabel>("LPSLinearName")), cheapest.SiteLink);
        QCOMPARE(get<QLabel>("LPSimage")->styleSheet(),
                 QStringLiteral("image: url(:/ZarnLinear/%1.JPG)").arg(cheapest.packageStyle));

        // Cells are numbers, centred, sorted on the edit role.
        auto *model = qobject_cast<QStandardItemModel *>(linearTable()->model());
        QCOMPARE(model->sortRole(), int(Qt::EditRole));
        const QModelIndex swing = model->index(0, 5);
        QCOMPARE(swing.data(Qt::EditRole).type(), QVariant::Int);
        QCOMPARE(model->index(0, 3).data(Qt::EditRole).type(), QVariant::Double);
        QCOMPARE(Qt::Alignment(swing.data(Qt::TextAlignmentRole).toInt()), Qt::Alignment(Qt::AlignCenter));
    }

    void linearParallel()
    {
        get<QCheckBox>("LPSParallelCheckBox")->click();
        edit("LPScurrent", QStringLiteral("10"));
        edit("LPSVpp", QStringLiteral("40"));
        edit("LPSFreq", QStringLiteral("5"));
        // 5 kHz at 40 Vp-p: 5 x 3.14159 x 40 / 1000 V/us.
        QCOMPARE(get<QLineEdit>("LPSSR")->text(), QStringLiteral("0.628318"));

        // QX300 (5 A, 80 V, 3 V/us, PBW 13 kHz, drop 4.5 + 0.6 I + 0.02 I^2): two share
        // 10 A, swing 80 - 2 (0.5 + 3 + 4.5) = 64, bandwidth 13 / 2 = 6, twice the price.
        const QTableView *view = linearTable();
        const int r = modelRowOf(view, QStringLiteral("QX300-PARALLEL (2)"));
        QVERIFY(r >= 0);
        QVERIFY(!view->isRowHidden(r));
        const QAbstractItemModel *model = view->model();
        QCOMPARE(model->index(r, 4).data().toDouble(), 10.0);
        QCOMPARE(model->index(r, 5).data().toInt(), 64);
        QCOMPARE(model->index(r, 6).data().toDouble(), 1.5);
        QCOMPARE(model->index(r, 7).data().toInt(), 6);
        QCOMPARE(model->index(r, 11).data().toDouble(), 2 * linearPart("QX300").relative_price);
        QVERIFY(markedColumns(model, r).isEmpty());

        // The page shows what the selection rules give, cheapest first.
        SelectorModel::LinearRequirements req;
        req.current = 10;
        req.vpp = 40;
        req.slewRate = 0.628318;
        req.parallel = true;
        const QVector<SelectorModel::LinearRow> rows =
            SelectorModel::eliminateLinearCatalog(cat().linear, cat().packages, req);
        QStringList expected;
        for (int i : SelectorModel::priceOrder(rows))
            expected << rows.at(i).name;
        QCOMPARE(shownNames(view), expected);
        QCOMPARE(currentShownRow(view), 0);
        QCOMPARE(linkText(get<QLabel>("LPSLinearName")), expected.first());

        // Choosing the parallel row shows the base part.
        linearTable()->setCurrentIndex(model->index(r, 1));
        QCOMPARE(linkText(get<QLabel>("LPSLinearName")), QStringLiteral("QX300-PARALLEL (2)"));
        QCOMPARE(linkHref(get<QLabel>("LPSLinearName")), linearPart("QX300").SiteLink);
        QCOMPARE(get<QLabel>("LPSimage")->styleSheet(), QStringLiteral("image: url(:/ZarnLinear/TO3-8.JPG)"));
        QCOMPARE(qobject_cast<LinearSelectorPage *>(get<QWidget>("page_2"))->selectedAmplifier().ampName,
                 QStringLiteral("QX300"));

        // One amplifier at most: no parallel QX300.
        get<QSpinBox>("LPSNumAmps")->setValue(1);
        QVERIFY(!shownNames(view).join(',').contains(QStringLiteral("QX300")));
    }

    void linearCloseMatchMarks()
    {
        // QX300 at 4.5 A swings 80 - 2 (4.5 + 2.7 + 0.405) = 64.79 -> 64 V of 70: close within 20 %.
        edit("LPScurrent", QStringLiteral("4.5"));
        edit("LPSVpp", QStringLiteral("70"));
        const QTableView *view = linearTable();
        const int r = modelRowOf(view, QStringLiteral("QX300"));
        QVERIFY(r >= 0);
        QVERIFY(!view->isRowHidden(r));
        QCOMPARE(view->model()->index(r, 5).data().toInt(), 64);
        QCOMPARE(markedColumns(view->model(), r), QVector<int>({1, 5}));

        get<QSpinBox>("LPSRelax")->setValue(5);
        QVERIFY(view->isRowHidden(modelRowOf(view, QStringLiteral("QX300"))));
    }

    void linearBridge()
    {
        // QX300 bridged at 1 A, 120 Vp-p: swing 2 x trunc(80 - 2 (4.5 + 0.6 + 0.02)) = 138,
        // slew 6 V/us, single channel so twice the price.
        get<QSpinBox>("LPSRelax")->setValue(0);
        get<QCheckBox>("LPSBridgeCheckBox")->click();
        edit("LPScurrent", QStringLiteral("1"));
        edit("LPSVpp", QStringLiteral("120"));
        const QTableView *view = linearTable();
        const int r = modelRowOf(view, QStringLiteral("QX300-BRIDGE"));
        QVERIFY(r >= 0);
        QVERIFY(!view->isRowHidden(r));
        QCOMPARE(view->model()->index(r, 5).data().toInt(), 138);
        QCOMPARE(view->model()->index(r, 6).data().toDouble(), 6.0);
        QCOMPARE(view->model()->index(r, 11).data().toDouble(), 2 * linearPart("QX300").relative_price);
    }

    void linearNothingQualifies()
    {
        get<QPushButton>("LPSresetButton")->click();
        const QString picture = get<QLabel>("LPSimage")->styleSheet();
        const QString href = linkHref(get<QLabel>("LPSLinearName"));
        QVERIFY(!picture.isEmpty());

        edit("LPScurrent", QStringLiteral("1000"));
        QVERIFY(shownNames(linearTable()).isEmpty());
        QCOMPARE(currentShownRow(linearTable()), -1);
        QVERIFY(!linearTable()->currentIndex().isValid());
        QCOMPARE(get<QLabel>("LPSimage")->styleSheet(), picture);
        QCOMPARE(linkText(get<QLabel>("LPSLinearName")), QString());
        QCOMPARE(linkHref(get<QLabel>("LPSLinearName")), href);
    }

    void hiddenPhrase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("lower") << "showmeqx7777?";
        QTest::newRow("mixed") << "ShowMeQX7777?";
        QTest::newRow("upper") << "SHOWMEQX7777?";
    }
    void hiddenPhrase()
    {
        QFETCH(QString, text);
        auto *page = qobject_cast<LinearSelectorPage *>(get<QWidget>("page_2"));
        QSignalSpy spy(page, &LinearSelectorPage::hiddenPageRequested);
        get<QPushButton>("LPSbutton")->click();
        edit("LPSVpp", QStringLiteral("10"));
        // A refresh would rewrite the slew rate from the frequency; the phrase stops before that.
        get<QLineEdit>("LPSSR")->setText(QStringLiteral("untouched"));
        edit("LPScurrent", text);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(get<QLineEdit>("LPScurrent")->text(), QStringLiteral("0"));
        QCOMPARE(get<QLineEdit>("LPSSR")->text(), QStringLiteral("untouched"));
        // The window answers the signal with the hidden page.
        QCOMPARE(get<QStackedWidget>("Page")->currentIndex(), 17);

        // Almost the phrase is just a bad number.
        edit("LPScurrent", QStringLiteral("showmeqx7777"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(get<QLineEdit>("LPScurrent")->palette().color(QPalette::Text), QColor(Qt::red));
    }

    void linearReset()
    {
        edit("LPScurrent", QStringLiteral("3"));
        edit("LPSVpp", QStringLiteral("30"));
        edit("LPSFreq", QStringLiteral("20"));
        get<QCheckBox>("LPSBridgeCheckBox")->click();
        get<QCheckBox>("LPSParallelCheckBox")->click();
        get<QSpinBox>("LPSNumAmps")->setValue(7);
        get<QSpinBox>("LPSRelax")->setValue(45);
        QVERIFY(shownNames(linearTable()).size() < cat().linear.size());

        get<QPushButton>("LPSresetButton")->click();
        for (const char *name : {"LPScurrent", "LPSVpp", "LPSFreq", "LPSSR"})
            QCOMPARE(get<QLineEdit>(name)->text(), QStringLiteral("0"));
        QVERIFY(!get<QCheckBox>("LPSBridgeCheckBox")->isChecked());
        QVERIFY(!get<QCheckBox>("LPSParallelCheckBox")->isChecked());
        QCOMPARE(get<QSpinBox>("LPSNumAmps")->value(), 3);
        QCOMPARE(get<QSpinBox>("LPSRelax")->value(), 20);
        QCOMPARE(shownNames(linearTable()), byPrice(cat().linear));
    }

    void slewRateFrequencyRewrite_data()
    {
        QTest::addColumn<QString>("vpp");
        QTest::addColumn<QString>("slewRate");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<bool>("red");
        QTest::newRow("10 Vp-p") << "10" << "6.28318" << "200" << false;
        QTest::newRow("1 Vp-p, 1 V/us") << "1" << "1" << "318.31" << false;
        QTest::newRow("no swing") << "0" << "5" << "\u2014" << true;
        QTest::newRow("no swing, no slew") << "0" << "0" << "\u2014" << true;
    }
    void slewRateFrequencyRewrite()
    {
        QFETCH(QString, vpp);
        QFETCH(QString, slewRate);
        QFETCH(QString, frequency);
        QFETCH(bool, red);
        edit("LPSVpp", QStringLiteral("10"));
        edit("LPSFreq", QStringLiteral("100"));
        QCOMPARE(get<QLineEdit>("LPSSR")->text(), QStringLiteral("3.14159"));

        get<QRadioButton>("LPSSRButton")->click();
        QVERIFY(!get<QLineEdit>("LPSFreq")->isEnabled());
        QVERIFY(get<QLineEdit>("LPSSR")->isEnabled());
        edit("LPSVpp", vpp);
        edit("LPSSR", slewRate);
        QCOMPARE(get<QLineEdit>("LPSFreq")->text(), frequency);
        QCOMPARE(isRed(get<QLineEdit>("LPSFreq")), red);

        get<QRadioButton>("LPSFreqButton")->click();
        QVERIFY(get<QLineEdit>("LPSFreq")->isEnabled());
        QVERIFY(!get<QLineEdit>("LPSSR")->isEnabled());
    }

    void frequencyToSlewRate_data()
    {
        QTest::addColumn<QString>("vpp");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("slewRate");
        QTest::addColumn<bool>("red");
        QTest::newRow("100 kHz, 10 Vp-p") << "10" << "100" << "3.14159" << false;
        QTest::newRow("huge frequency, no swing") << "0" << "1e308" << "\u2014" << true;
        QTest::newRow("huge frequency, huge swing") << "1e300" << "1e300" << "\u2014" << true;
    }
    void frequencyToSlewRate()
    {
        QFETCH(QString, vpp);
        QFETCH(QString, frequency);
        QFETCH(QString, slewRate);
        QFETCH(bool, red);
        edit("LPSVpp", vpp);
        edit("LPSFreq", frequency);
        QCOMPARE(get<QLineEdit>("LPSSR")->text(), slewRate);
        QCOMPARE(isRed(get<QLineEdit>("LPSSR")), red);
    }

    void linearSortButton()
    {
        edit("LPScurrent", QStringLiteral("5"));
        const QStringList expected = shownNames(linearTable());
        QVERIFY(!expected.isEmpty());
        linearTable()->model()->sort(0);
        get<QPushButton>("sortPrice")->click();
        QCOMPARE(shownNames(linearTable()), expected);
    }

    void pwmAllZero()
    {
        m_w->setDesignChanged(false);
        get<QPushButton>("SPSresetButton")->click();
        QVERIFY(m_w->designChanged());
        const QStringList expected = byPrice(cat().pwms);
        QCOMPARE(shownNames(pwmTable()), expected);
        QCOMPARE(currentShownRow(pwmTable()), 0);
        QCOMPARE(linkText(get<QLabel>("SPSname")), expected.first());
        QCOMPARE(get<QLabel>("SPSimage")->styleSheet(),
                 QStringLiteral("image: url(:/ZarnLinear/%1.JPG)").arg(pwmPart(expected.first()).packageStyle));
        const QAbstractItemModel *model = pwmTable()->model();
        const int r = modelRowOf(pwmTable(), QStringLiteral("TZ675"));
        QCOMPARE(model->index(r, 2).data().toString(), QStringLiteral("Three Phase"));
        QCOMPARE(model->index(r, 8).data().toDouble(), 10.0);
    }

    void pwmThreeInParallel()
    {
        // TZ605 (2 A, 0.12 ohm per element at 25 degC): three share 5 A, 40 - 0.24 x 5 / 3 = 39.6 -> 39 V,
        // the cheapest solution at three times the price.
        get<QCheckBox>("SPSparallelCheckBox")->click();
        edit("SPScurrent", QStringLiteral("5"));
        edit("SPSvoltage", QStringLiteral("10"));
        const QTableView *view = pwmTable();
        QCOMPARE(shownNames(view).value(0), QStringLiteral("TZ605-PARALLEL (3)"));
        const int r = modelRowOf(view, QStringLiteral("TZ605-PARALLEL (3)"));
        QCOMPARE(view->model()->index(r, 4).data().toDouble(), 6.0);
        QCOMPARE(view->model()->index(r, 5).data().toDouble(), 9.0);
        QCOMPARE(view->model()->index(r, 6).data().toInt(), 39);
        QCOMPARE(view->model()->index(r, 11).data().toDouble(), 3 * pwmPart("TZ605").relative_price);
        QCOMPARE(currentShownRow(view), 0);
        QCOMPARE(linkText(get<QLabel>("SPSname")), QStringLiteral("TZ605-PARALLEL (3)"));
        QCOMPARE(linkHref(get<QLabel>("SPSname")), pwmPart("TZ605").SiteLink);
        QCOMPARE(get<QLabel>("SPSimage")->styleSheet(), QStringLiteral("image: url(:/ZarnLinear/DDPAK7.JPG)"));

        SelectorModel::PwmRequirements req;
        req.current = 5;
        req.voltage = 10;
        req.parallel = true;
        const QVector<SelectorModel::PwmRow> rows = SelectorModel::eliminatePwmCatalog(cat().pwms, cat().packages, req);
        QStringList expected;
        for (int i : SelectorModel::priceOrder(rows))
            expected << rows.at(i).name;
        QCOMPARE(shownNames(view), expected);
    }

    void pwmDashedName()
    {
        // Only parts of 22 A or more remain; the cheapest is the dashed variant.
        get<QSpinBox>("SPSrelax")->setValue(0);
        edit("SPScurrent", QStringLiteral("22"));
        QCOMPARE(shownNames(pwmTable()).value(0), QStringLiteral("TZ636-2"));
        QCOMPARE(linkText(get<QLabel>("SPSname")), QStringLiteral("TZ636-2"));
        QCOMPARE(linkHref(get<QLabel>("SPSname")), pwmPart("TZ636-2").SiteLink);
        QCOMPARE(qobject_cast<PwmSelectorPage *>(get<QWidget>("page_7"))->selectedAmplifier().ampName,
                 QStringLiteral("TZ636-2"));
    }

    void pwmFrequencyClose_data()
    {
        QTest::addColumn<int>("relax");
        QTest::addColumn<bool>("shown");
        QTest::newRow("relax 30") << 30 << false;
        QTest::newRow("relax 35") << 35 << true;
    }
    void pwmFrequencyClose()
    {
        // TZ610 switches up to 200 kHz: 20 kHz after filtering, against 30 kHz.
        QFETCH(int, relax);
        QFETCH(bool, shown);
        get<QCheckBox>("SPSparallelCheckBox")->click();
        edit("SPSfrequency", QStringLiteral("30"));
        get<QSpinBox>("SPSrelax")->setValue(relax);
        const int r = modelRowOf(pwmTable(), QStringLiteral("TZ610"));
        QVERIFY(r >= 0);
        QCOMPARE(!pwmTable()->isRowHidden(r), shown);
        if (shown)
            QCOMPARE(markedColumns(pwmTable()->model(), r), QVector<int>({1, 7, 8}));
    }

    void pwmNothingQualifies()
    {
        get<QPushButton>("SPSresetButton")->click();
        const QString picture = get<QLabel>("SPSimage")->styleSheet();
        edit("SPScurrent", QStringLiteral("1000"));
        QVERIFY(shownNames(pwmTable()).isEmpty());
        QCOMPARE(currentShownRow(pwmTable()), -1);
        QCOMPARE(get<QLabel>("SPSimage")->styleSheet(), picture);
        QCOMPARE(linkText(get<QLabel>("SPSname")), QString());
    }

    void pwmReset()
    {
        edit("SPScurrent", QStringLiteral("8"));
        edit("SPSvoltage", QStringLiteral("50"));
        edit("SPSfrequency", QStringLiteral("15"));
        get<QCheckBox>("SPSparallelCheckBox")->click();
        get<QSpinBox>("SPSnumAmps")->setValue(0);
        get<QSpinBox>("SPSrelax")->setValue(55);
        get<QPushButton>("SPSresetButton")->click();
        for (const char *name : {"SPScurrent", "SPSvoltage", "SPSfrequency"})
            QCOMPARE(get<QLineEdit>(name)->text(), QStringLiteral("0"));
        QVERIFY(!get<QCheckBox>("SPSparallelCheckBox")->isChecked());
        QCOMPARE(get<QSpinBox>("SPSnumAmps")->value(), 3);
        QCOMPARE(get<QSpinBox>("SPSrelax")->value(), 20);
        QCOMPARE(shownNames(pwmTable()), byPrice(cat().pwms));

        edit("SPScurrent", QStringLiteral("12"));
        const QStringList expected = shownNames(pwmTable());
        pwmTable()->model()->sort(0);
        get<QPushButton>("SPSsortPrice")->click();
        QCOMPARE(shownNames(pwmTable()), expected);
    }
};

QTEST_MAIN(TestSelectorPages)
#include "test_selectorpages.moc"
