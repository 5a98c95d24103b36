#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include <cmath>

#include "app/dialogresponder.h"
#include "app/mainwindow.h"
#include "pages/stability/stabilitypage.h"
#include "qcustomplot.h"
#include "tests/pages/pagewindow.h"

namespace {

QStringList graphNames(QCustomPlot *plot)
{
    QStringList names;
    for (int i = 0; i < plot->graphCount(); ++i)
        names << plot->graph(i)->name();
    return names;
}

QCPGraph *graphNamed(QCustomPlot *plot, const QString &name)
{
    for (int i = 0; i < plot->graphCount(); ++i)
        if (plot->graph(i)->name() == name)
            return plot->graph(i);
    return nullptr;
}

QStringList detailLines(QTextEdit *edit)
{
    QStringList out;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

} // namespace

// The stability page inside the real window, driven by its widgets off screen.
// The start-up amplifier QX385 has Aol 112 dB, option 0 poles at 30.14 Hz, 3 MHz
// and 25 MHz, Zout 10 ohm and 60 V/us; the default network is R_IN 1k, R_FB 20k.
class TestStabilityPage : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;
    MainWindow *m_window = nullptr;
    StabilityPage *m_page = nullptr;

    template <typename T> T *w(const char *name) { return m_win->w<T>(name); }
    QCustomPlot *plot(const char *name) { return m_win->plot(name); }
    void edit(const char *name, const QString &text) { m_win->edit(name, text); }
    QString label(const char *name) { return m_win->label(name); }
    // The schematic's text item whose text starts with `prefix`.
    QCPItemText *schematicText(const QString &prefix)
    {
        QCustomPlot *p = plot("StabSch");
        for (int i = 0; i < p->itemCount(); ++i)
            if (auto *t = qobject_cast<QCPItemText *>(p->item(i)))
                if (t->text().startsWith(prefix))
                    return t;
        return nullptr;
    }
    // A real mouse click on the shown schematic at plot point (x, y).
    void clickSchematicAt(const QPointF &pixel)
    {
        QTest::mouseClick(plot("StabSch"), Qt::LeftButton, {}, pixel.toPoint());
    }
    void showPage()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        w<QPushButton>("LstabButton")->click();
        plot("StabSch")->replot();
    }
    void chooseAmplifier(const QString &name)
    {
        QComboBox *box = w<QComboBox>("AmpSelectorStab");
        box->setCurrentText(name);
        QCOMPARE(box->currentText(), name);
        emit box->activated(box->currentIndex());
    }
    void setPart(const char *key, const QString &text)
    {
        QVERIFY(m_page->setEntry(QLatin1String(key), text));
    }

private slots:
    void init()
    {
        m_win = new PageWindow;
        m_window = m_win->window;
        m_page = m_window->findChild<StabilityPage *>(QStringLiteral("page_4"));
        QVERIFY(m_page);
    }
    void cleanup()
    {
        delete m_win;
        m_win = nullptr;
        m_window = nullptr;
    }

    // 1/beta 21 (26.44 dB) meets 112 - 20 log(f / 30.14) at 573 kHz, nearest grid
    // point 10^5.75 = 562 kHz; the margin is 180 - 90 - (log10(562k / 3M) + 1) 45.
    void startUpReadOuts()
    {
        QCOMPARE(w<QComboBox>("AmpSelectorStab")->currentText(), QStringLiteral("QX385"));
        QCOMPARE(label("Stability"), QStringLiteral("STABLE"));
        QCOMPARE(w<QLabel>("Stability")->styleSheet(), QStringLiteral("QLabel { color : green; }"));
        QCOMPARE(w<QLabel>("Stability")->font().family(), QStringLiteral("Agency FB"));
        QCOMPARE(w<QLabel>("Stability")->font().pointSize(), 20);
        QCOMPARE(label("RateClosure"), QStringLiteral("20 dB/dec"));
        QCOMPARE(label("Fclosure"), QStringLiteral("562 kHz"));
        const double pm = 90 - (std::log10(std::pow(10, 5.75) / 3e6) + 1) * 45;
        QCOMPARE(label("PhaseMargin"), QString::number(pm, 'g', 3) + QStringLiteral("\u00B0"));
        QCOMPARE(label("SlewRateStab"), QStringLiteral("60 V/\u00B5s"));
        // No noise gain, no C_FB, no R_ISO: only the 20 dB point limits the
        // bandwidth, a decade below closure on the one-pole slope.
        QCOMPARE(label("MaxBW"), QStringLiteral("56.2 kHz"));
        QVERIFY(std::fabs(m_page->stabPhaseMargin() - pm) < 0.01);
        const QStringList details = detailLines(w<QTextEdit>("StabilityDetails"));
        QCOMPARE(details.value(0), QStringLiteral("Total Output Impedance:\t10 \u03A9"));
        QCOMPARE(details.value(1), QStringLiteral("1/\u00DF (DC):\t\t21 V/V (26.4 dB)"));
        QVERIFY(details.contains(QStringLiteral("Amplifier Pole 1:\t\t30.1 Hz")));
        QVERIFY(!m_window->designChanged());
    }

    void chartSeries()
    {
        QCOMPARE(graphNames(plot("GainPlot")),
            QStringList({ "Open Loop Gain w/ C_LOAD", "1/Beta", "Signal at C_LOAD", "Closure Frequency" }));
        QCOMPARE(graphNames(plot("PhasePlot")),
            QStringList({ "Closure Frequency", "Closed Loop Phase", "Closed * 10", "Closed * 100",
                "Closed * 1000", "Open Loop Phase" }));
        QCustomPlot *gain = plot("GainPlot");
        QCOMPARE(graphNamed(gain, "Open Loop Gain w/ C_LOAD")->pen().color(), QColor(Qt::blue));
        QCOMPARE(graphNamed(gain, "Open Loop Gain w/ C_LOAD")->pen().width(), 3);
        QCOMPARE(graphNamed(gain, "1/Beta")->pen().color(), QColor(Qt::red));
        QCOMPARE(graphNamed(gain, "Signal at C_LOAD")->pen().style(), Qt::DotLine);
        QCOMPARE(graphNamed(gain, "Signal at C_LOAD")->pen().color(), QColor(Qt::black));
        QCPGraph *line = graphNamed(gain, "Closure Frequency");
        QCOMPARE(line->pen().color(), QColor(128, 128, 128));
        QCOMPARE(line->pen().style(), Qt::DashLine);
        QCOMPARE(line->dataCount(), 2);
        QVERIFY(std::fabs(line->data()->at(0)->key - std::pow(10, 5.75)) < 1);
        QCOMPARE(line->data()->at(0)->value, -180.0);
        QCOMPARE(line->data()->at(1)->value, 180.0);
        QCOMPARE(graphNamed(gain, "1/Beta")->dataCount(), 128);
        QVERIFY(std::fabs(graphNamed(gain, "1/Beta")->data()->at(0)->value - 20 * std::log10(21.0)) < 1e-9);
        QCustomPlot *phase = plot("PhasePlot");
        QCOMPARE(graphNamed(phase, "Closed * 10")->pen().color(), QColor(0, 200, 0));
        QCOMPARE(graphNamed(phase, "Closed * 100")->pen().color(), QColor(235, 235, 0));
        QCOMPARE(graphNamed(phase, "Closed * 1000")->pen().color(), QColor(Qt::red));
        QCOMPARE(graphNamed(phase, "Open Loop Phase")->pen().color(), QColor(Qt::black));
        QCOMPARE(gain->xAxis->scaleType(), QCPAxis::stLogarithmic);
        QCOMPARE(gain->xAxis->range().lower, 1.0);
        QCOMPARE(gain->xAxis->range().upper, 1e8);
        QCOMPARE(gain->yAxis->range().lower, -20.0);
        QCOMPARE(gain->yAxis->range().upper, 140.0);
        QCOMPARE(phase->yAxis->range().lower, -180.0);
        QCOMPARE(gain->xAxis->label(), QStringLiteral("Frequency [Hz]"));
        QCOMPARE(phase->yAxis->label(), QStringLiteral("Phase Shift [\u00B0]"));
    }

    void phaseViewSwitch()
    {
        QPushButton *button = w<QPushButton>("phaseButton");
        QCOMPARE(button->text(), QStringLiteral("View Phase Components"));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(m_page->phaseShiftComponents());
        QCOMPARE(button->text(), QStringLiteral("View Phase Shift"));
        // C_LOAD "0" and no compensation parts: only the amplifier's poles.
        QCOMPARE(graphNames(plot("PhasePlot")),
            QStringList({ "Closure Frequency", "Pole 1", "Pole 2", "Pole 3", "Open Loop Phase" }));
        QCOMPARE(graphNamed(plot("PhasePlot"), "Pole 1")->pen().color(), QColor(255, 150, 150));
        QCOMPARE(graphNamed(plot("PhasePlot"), "Pole 3")->pen().color(), QColor(150, 0, 0));
        auto ticker = plot("PhasePlot")->yAxis->ticker().dynamicCast<QCPAxisTickerFixed>();
        QVERIFY(ticker);
        QCOMPARE(ticker->tickStep(), 135.0);
        // A load and an isolation resistor add their components.
        setPart("CLoadStab", "1u");
        setPart("RisoC", "1");
        m_page->refreshStab();
        QStringList names = graphNames(plot("PhasePlot"));
        QVERIFY(names.contains("Pole C_LOAD") && names.contains("Zero R_ISO"));
        QCOMPARE(graphNamed(plot("PhasePlot"), "Pole C_LOAD")->pen().color(), QColor(235, 235, 0));
        QCOMPARE(graphNamed(plot("PhasePlot"), "Zero R_ISO")->pen().color(), QColor(255, 180, 0));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!m_page->phaseShiftComponents());
        QCOMPARE(button->text(), QStringLiteral("View Phase Components"));
        QCOMPARE(ticker->tickStep(), 45.0);
        QCOMPARE(graphNames(plot("PhasePlot")).value(1), QStringLiteral("Closed Loop Phase"));
    }

    void hideLegends()
    {
        QCheckBox *box = w<QCheckBox>("HidePhaseLegend");
        QVERIFY(plot("GainPlot")->legend->visible());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!plot("GainPlot")->legend->visible());
        QVERIFY(!plot("PhasePlot")->legend->visible());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(plot("PhasePlot")->legend->visible());
    }

    void everyHandlerRefreshes_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *n :
            { "hostAOL", "hostPole1", "hostPole2", "hostPole3", "CloadButton", "LloadButton", "StabNon",
                "HidePhaseLegend", "phaseButton", "compositeCheckBox", "hostSelector", "AmpSelectorStab" })
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void everyHandlerRefreshes()
    {
        QFETCH(QString, name);
        QWidget *widget = m_window->findChild<QWidget *>(name);
        QVERIFY(widget);
        m_window->setDesignChanged(false);
        if (auto *field = qobject_cast<QLineEdit *>(widget)) {
            emit field->editingFinished();
        } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
            QTest::mouseClick(group, Qt::LeftButton, {}, QPoint(12, 8));
            QVERIFY(group->isChecked());
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (auto *box = qobject_cast<QComboBox *>(widget)) {
            emit box->activated(box->currentIndex());
        }
        QVERIFY(m_window->designChanged());
    }

    // The calculators only help the user: they neither change the design nor
    // the analysis.
    void calculators()
    {
        m_window->setDesignChanged(false);
        const QString verdict = label("Stability");
        // 1 / (2 pi 1k 1k) = 159.15 nF; 1 / (2 pi 1k 1u) = 159.15 Hz; 1 / (2 pi 1M 1n) = 159.15 ohm.
        edit("RCPCR1", "1k");
        edit("RCPCF1", "1k");
        QCOMPARE(label("RCPCC1"), QStringLiteral("159 nF"));
        edit("RCPCR2", "1k");
        edit("RCPCC2", "1u");
        QCOMPARE(label("RCPCF2"), QStringLiteral("159 Hz"));
        edit("RCPCF3", "1meg");
        edit("RCPCC3", "1n");
        QCOMPARE(label("RCPCR3"), QStringLiteral("159 \u03A9"));
        // An open capacitor has no capacitance: no finite resistor makes the pole.
        edit("RCPCC3", "open");
        QCOMPARE(label("RCPCR3"), QStringLiteral("- \u03A9"));
        edit("RCPCF1", "0");
        QCOMPARE(label("RCPCC1"), QStringLiteral("- F"));
        QCOMPARE(label("R_ISO_P"), QStringLiteral("Minimum R_ISO Power Rating: 0 W"));
        edit("R_ISO_R", "2.2");
        edit("R_ISO_I", "3");
        QCOMPARE(label("R_ISO_P"), QStringLiteral("Minimum R_ISO Power Rating: 19.8 W"));
        edit("R_ISO_I", "5mA");
        QCOMPARE(w<QLineEdit>("R_ISO_I")->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(label("R_ISO_P"), QStringLiteral("Minimum R_ISO Power Rating: 0 W"));
        QVERIFY(!m_window->designChanged());
        QCOMPARE(label("Stability"), verdict);
    }

    void hostSelector()
    {
        QComboBox *box = w<QComboBox>("hostSelector");
        QCOMPARE(box->itemText(0), QString());
        QVERIFY(box->count() > 1);
        const int op07 = box->findText(QStringLiteral("OP07"));
        QVERIFY(op07 > 0);
        box->setCurrentIndex(op07);
        emit box->activated(op07);
        // The catalog host: 112 dB, poles 1.507 Hz, 2 MHz, 9 MHz, written in %g form.
        QCOMPARE(w<QLineEdit>("hostAOL")->text(), QStringLiteral("112"));
        QCOMPARE(w<QLineEdit>("hostPole1")->text(), QStringLiteral("1.507"));
        QCOMPARE(w<QLineEdit>("hostPole2")->text(), QStringLiteral("2e+06"));
        QCOMPARE(w<QLineEdit>("hostPole3")->text(), QStringLiteral("9e+06"));
        box->setCurrentIndex(0);
        emit box->activated(0);
        for (const char *n : { "hostAOL", "hostPole1", "hostPole2", "hostPole3" })
            QVERIFY(w<QLineEdit>(n)->text().isEmpty());
    }

    // Host of 20 dB with its poles far above the grid, HOST C_FB "open": the
    // composite open loop is 20 dB plus the power stage's closed loop, 1/beta is
    // flat at 20 log 31 = 29.83 dB. Above 3 MHz the open loop falls at 40 dB/dec:
    // 132 + 20 log 30.14 + 20 log 3e6 - 40 lf = 29.83 at lf = 6.532, nearest grid
    // point 10^6.5625 = 3.65 MHz, rate 40. The power closure (10^5.75) and the
    // power stage's second pole give 180 - 1.8125 * 45 - (6.5625 - log 3e6 + 1) * 45.
    void compositeFromHostFields()
    {
        QGroupBox *composite = w<QGroupBox>("compositeCheckBox");
        QVERIFY(composite->isEnabled());
        QTest::mouseClick(composite, Qt::LeftButton, {}, QPoint(12, 8));
        QVERIFY(composite->isChecked());
        edit("hostAOL", "20");
        edit("hostPole1", "1e12");
        edit("hostPole2", "1e12");
        m_window->setDesignChanged(false);
        edit("hostPole3", "1e12");
        QVERIFY(m_window->designChanged());
        QCOMPARE(label("Fclosure"), QStringLiteral("3.65 MHz"));
        QCOMPARE(label("RateClosure"), QStringLiteral("40 dB/dec"));
        const double pm = 180 - 1.8125 * 45 - (6.5625 - std::log10(3e6) + 1) * 45;
        QCOMPARE(label("PhaseMargin"), QString::number(pm, 'g', 3) + QStringLiteral("\u00B0"));
        QCOMPARE(label("Stability"), QStringLiteral("MARGINALLY STABLE"));
        QCOMPARE(w<QLabel>("Stability")->styleSheet(), QStringLiteral("QLabel { color : red; }"));
        QCOMPARE(graphNames(plot("GainPlot")),
            QStringList({ "Composite Open Loop Gain", "1/Beta", "Signal at C_LOAD", "Closure Frequency" }));
        const QStringList details = detailLines(w<QTextEdit>("StabilityDetails"));
        QCOMPARE(details.value(1), QStringLiteral("1/\u00DF (DC):\t\t31 V/V (29.8 dB)"));
        QVERIFY(details.contains(QStringLiteral("Power Closure Frequency:\t562 kHz")));
        // Unchecking returns to the power stage alone, host values kept.
        QTest::mouseClick(composite, Qt::LeftButton, {}, QPoint(12, 8));
        QVERIFY(!composite->isChecked());
        QCOMPARE(label("Fclosure"), QStringLiteral("562 kHz"));
        QCOMPARE(w<QLineEdit>("hostAOL")->text(), QStringLiteral("20"));
    }

    void inductiveLoad()
    {
        QTest::mouseClick(w<QRadioButton>("LloadButton"), Qt::LeftButton);
        QVERIFY(w<QRadioButton>("LloadButton")->isChecked());
        // L_LOAD "0" and R_D "open": Path 2 lies far above the chart and is left out.
        QCOMPARE(graphNames(plot("GainPlot")),
            QStringList({ "Open Loop Gain", "1/Beta Path 1", "Signal at L_LOAD", "Closure Frequency" }));
        QCOMPARE(graphNames(plot("PhasePlot")),
            QStringList({ "Closure Frequency", "V Out", "I Out", "Open Loop Phase" }));
        auto ticker = plot("PhasePlot")->yAxis->ticker().dynamicCast<QCPAxisTickerFixed>();
        QCOMPARE(ticker->tickStep(), 90.0);
        // R_S 2 typed, R_IN 10k, R_FB 1k: -1k / 10k / 2 = -50 mA/V, 1.1 / 2 = 550 mA/V.
        QCOMPARE(detailLines(w<QTextEdit>("StabilityDetails")).value(0),
            QStringLiteral("Transconductance:\t-50 mA/V inverting, 550 mA/V non-inverting"));
        // A shorted sense resistor leaves no infinity on the page.
        setPart("RsL", "short");
        m_page->refreshStab();
        for (const char *n : { "Fclosure", "MaxBW", "PhaseMargin", "RateClosure" }) {
            QVERIFY2(!label(n).contains("inf") && !label(n).contains("nan"), n);
        }
        for (const QString &line : detailLines(w<QTextEdit>("StabilityDetails")))
            QVERIFY2(!line.contains("inf") && !line.contains("nan"), qPrintable(line));
    }

    // 1 uF on the 10 ohm output puts a pole at 15.9 kHz, far below closure: the
    // loop closes at 40 dB/dec. The search finds compensation that is stable.
    void autoCompensate()
    {
        setPart("CLoadStab", "1u");
        m_page->refreshStab();
        QCOMPARE(label("Stability"), QStringLiteral("UNSTABLE"));
        m_window->setDesignChanged(false);
        QTest::mouseClick(w<QPushButton>("StabAuto"), Qt::LeftButton);
        QVERIFY(m_window->designChanged());
        QCOMPARE(label("Stability"), QStringLiteral("STABLE"));
        QCOMPARE(w<QLabel>("Stability")->styleSheet(), QStringLiteral("QLabel { color : green; }"));
        const double target = 75 - 10 * w<QSlider>("StabSlider")->value();
        QVERIFY(m_page->stabPhaseMargin() > target);
        // Some compensation part left its neutral text, written readable.
        const QStringList neutral { "open", "short", "open", "short" };
        const QStringList keys { "CngC", "RngC", "CfbC", "RisoC" };
        bool moved = false;
        for (int i = 0; i < keys.size(); ++i)
            moved = moved || m_page->entry(keys[i]) != neutral[i];
        QVERIFY(moved);
        QCOMPARE(m_page->entry("CLoadStab"), QStringLiteral("1u"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // A host of 160 dB with three poles below 50 Hz leaves no margin that the
    // host network could restore: the composite search relaxes the slider all
    // the way to 35 degrees, writes the neutral host texts, and the slider stays
    // there for the next click.
    void compositeSearchRelaxesAndStays()
    {
        QGroupBox *composite = w<QGroupBox>("compositeCheckBox");
        QTest::mouseClick(composite, Qt::LeftButton, {}, QPoint(12, 8));
        QVERIFY(composite->isChecked());
        edit("hostAOL", "160");
        edit("hostPole1", "10");
        edit("hostPole2", "20");
        edit("hostPole3", "40");
        setPart("compCfb", "100p");
        QSlider *slider = w<QSlider>("StabSlider");
        slider->setValue(1);
        QTest::mouseClick(w<QPushButton>("StabAuto"), Qt::LeftButton);
        QCOMPARE(slider->value(), 4);
        QCOMPARE(m_page->entry("hostCng"), QStringLiteral("open"));
        QCOMPARE(m_page->entry("hostRng"), QStringLiteral("short"));
        QCOMPARE(m_page->entry("compCfb"), QStringLiteral("open"));
        QVERIFY(label("Stability") != QStringLiteral("STABLE"));
        QVERIFY(composite->isChecked());
        QVERIFY(w<QRadioButton>("StabInv")->isChecked());
        QTest::mouseClick(w<QPushButton>("StabAuto"), Qt::LeftButton);
        QCOMPARE(slider->value(), 4);
    }

    void ccompDialog()
    {
        amp record;
        record.SROptions = 4;
        record.SRboost = true;
        record.Ccomp = { 0, 33, 0, 33 };
        QStringList offered;
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Change Compensation Capacitor"));
            auto *choice = d->findChild<QComboBox *>(QStringLiteral("stabCcompChoice"));
            QVERIFY(choice);
            offered.clear();
            for (int i = 0; i < choice->count(); ++i)
                offered << choice->itemText(i);
            QCOMPARE(choice->currentIndex(), 1);
            choice->setCurrentIndex(3);
            d->accept();
        });
        // The plot owns the item.
        QCPItemText &label = *new QCPItemText(plot("StabSch"));
        QCOMPARE(StabilityPage::changeCcomp(m_page, &label, record, 1), 3);
        QCOMPARE(offered, QStringList({ "0 (open)", "33", "0 + Boost Supplies", "33 + Boost Supplies" }));
        QCOMPARE(label.text(), QStringLiteral("C_COMP\n33 pF"));
        responder.setDialogHandler([](QDialog *d) { d->reject(); });
        QCOMPARE(StabilityPage::changeCcomp(m_page, &label, record, 1), 1);
        QCOMPARE(label.text(), QStringLiteral("C_COMP\n33 pF"));
    }

    void rcompDialog()
    {
        DialogResponder responder;
        StabilityPage::changeRcomp(m_page);
        QCOMPARE(responder.messages().size(), 1);
        QCOMPARE(responder.messages().first().title, QStringLiteral("Change Compensation Resistor"));
        QCOMPARE(responder.messages().first().text,
            QStringLiteral("R_COMP is paired with C_COMP. See Product Datasheet for details. Select "
                           "C_COMP to alter compensation."));
    }

    // Every catalog amplifier, in every case and option, at the default values
    // and with a heavy load, gives finite read-outs and texts without inf or nan.
    void everyCatalogAmplifierStaysFinite()
    {
        const Catalogs &c = m_window->catalogs();
        QVERIFY(!c.linear.isEmpty() && !c.host.isEmpty());
        const amp &host = c.host.first();
        int runs = 0;
        for (const amp &a : c.linear) {
            for (const QString &cload : { QStringLiteral("0"), QStringLiteral("10u") }) {
                LoopInput in;
                in.amplifier = a;
                in.parts.CLoadStab = cload;
                in.parts.LLoadStab
                    = cload == QLatin1String("0") ? QStringLiteral("0") : QStringLiteral("10m");
                in.host = { host.Aol_DC, host.pole1.value(0), host.pole2.value(0), host.pole3.value(0) };
                for (int option = 0; option < std::max(1, a.SROptions); ++option) {
                    in.option = option;
                    for (StabLoad load : { StabLoad::Capacitive, StabLoad::Inductive })
                        for (bool composite : { false, true })
                            for (bool inverting : { true, false }) {
                                in.inverting = inverting;
                                const LoopResult r = evaluateLoop(in, load, composite, true);
                                ++runs;
                                const QString what
                                    = a.ampName + QStringLiteral(" option ") + QString::number(option);
                                for (double v : { r.closureFrequency, r.rateOfClosure, r.phaseMargin,
                                         r.maxBandwidth, r.slewRate })
                                    QVERIFY2(std::isfinite(v), qPrintable(what));
                                for (const QString &line : r.details)
                                    QVERIFY2(!line.contains("inf") && !line.contains("nan"),
                                        qPrintable(what + QStringLiteral(": ") + line));
                            }
                }
            }
        }
        QVERIFY(runs > 100);
    }

    void amplifierChangeResetsOption()
    {
        QVERIFY(m_page->setEntry("CompOption", "1"));
        m_page->refreshStab();
        QCOMPARE(m_page->compOption(), 1);
        // Option 1 of QX385: 12.17 V/us.
        QCOMPARE(label("SlewRateStab"), QStringLiteral("12.2 V/\u00B5s"));
        QComboBox *box = w<QComboBox>("AmpSelectorStab");
        emit box->activated(box->currentIndex());
        QCOMPARE(m_page->compOption(), 0);
        QCOMPARE(label("SlewRateStab"), QStringLiteral("60 V/\u00B5s"));
    }

    // A click on a value label asks for the value, writes the field and redraws
    // the label and the analysis; a cancel or a blank entry keeps the value.
    void schematicValueClicks_data()
    {
        QTest::addColumn<QString>("labelName");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("R_FB 2.2k") << "R_FB\n"
                                   << "RfbC" << true << "2.2k"
                                   << "2.2k"
                                   << "R_FB\n2.2 k\u03A9";
        QTest::newRow("C_LOAD 10n") << "C_LOAD\n"
                                    << "CLoadStab" << true << "10n"
                                    << "10n"
                                    << "C_LOAD\n10 nF";
        QTest::newRow("R_ISO short") << "R_ISO\n"
                                     << "RisoC" << true << "2"
                                     << "2"
                                     << "R_ISO\n2 \u03A9";
        QTest::newRow("cancelled") << "R_IN\n"
                                   << "RinC" << false << "5k"
                                   << "1k"
                                   << "R_IN\n1 k\u03A9";
        QTest::newRow("blank") << "R_IN\n"
                               << "RinC" << true << "  "
                               << "1k"
                               << "R_IN\n1 k\u03A9";
    }
    void schematicValueClicks()
    {
        QFETCH(QString, labelName);
        QFETCH(QString, key);
        QFETCH(bool, accept);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        showPage();
        const QString closureBefore = label("Fclosure");
        QCPItemText *item = schematicText(labelName);
        QVERIFY(item);
        QString title;
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            title = d->windowTitle();
            if (auto *input = qobject_cast<QInputDialog *>(d))
                input->setTextValue(typed);
            accept ? d->accept() : d->reject();
        });
        clickSchematicAt(item->position->pixelPosition());
        QCOMPARE(title, QStringLiteral("New Value"));
        QCOMPARE(*m_page->components().field(key), field);
        QVERIFY(schematicText(shown));
        // R_FB sets the noise gain, so closure moves; a kept value leaves it.
        QCOMPARE(label("Fclosure") != closureBefore, key == QLatin1String("RfbC"));
    }

    // C_COMP opens the option dialog and R_COMP the information message; a
    // click on a wire opens nothing and changes nothing.
    void schematicCompensationClicks()
    {
        showPage();
        DialogResponder responder;
        responder.setDialogHandler([](QDialog *d) {
            auto *choice = d->findChild<QComboBox *>(QStringLiteral("stabCcompChoice"));
            QVERIFY(choice);
            choice->setCurrentIndex(1);
            d->accept();
        });
        QCPItemText *ccomp = schematicText("C_COMP\n");
        QVERIFY(ccomp);
        QCOMPARE(ccomp->text(), QStringLiteral("C_COMP\n4.7 pF"));
        clickSchematicAt(ccomp->position->pixelPosition());
        QCOMPARE(m_page->compOption(), 1);
        QCOMPARE(label("SlewRateStab"), QStringLiteral("12.2 V/\u00B5s"));
        QVERIFY(schematicText("C_COMP\n")
            && schematicText("C_COMP\n")->text() != QStringLiteral("C_COMP\n4.7 pF"));

        QCPItemText *rcomp = schematicText("R_COMP\n");
        QVERIFY(rcomp);
        clickSchematicAt(rcomp->position->pixelPosition());
        // The responder lists every dialog: the option dialog, then the message.
        QCOMPARE(responder.messages().size(), 2);
        QCOMPARE(responder.messages().last().title, QStringLiteral("Change Compensation Resistor"));

        // The wire from R_IN to the inverting input: a stroke, not a label.
        const StabComponents before = m_page->components();
        QCustomPlot *p = plot("StabSch");
        const QPointF wire(p->xAxis->coordToPixel(-450), p->yAxis->coordToPixel(250));
        clickSchematicAt(wire);
        QCOMPARE(responder.messages().size(), 2);
        QCOMPARE(m_page->components().RinC, before.RinC);
        QCOMPARE(m_page->compOption(), 1);
    }

    // The amplifier decides which loads and configurations the page offers.
    void schematicCaseLimits()
    {
        QTest::mouseClick(w<QRadioButton>("LloadButton"), Qt::LeftButton);
        QVERIFY(w<QRadioButton>("LloadButton")->isChecked());
        QVERIFY(schematicText("R_S\n"));
        chooseAmplifier("QX400"); // voltage loads only
        QVERIFY(w<QRadioButton>("CloadButton")->isChecked());
        QVERIFY(!w<QRadioButton>("LloadButton")->isEnabled());
        QVERIFY(schematicText("R_ISO\n") && !schematicText("R_S\n"));

        chooseAmplifier("VR525"); // non-inverting only
        QVERIFY(w<QRadioButton>("StabNon")->isChecked());
        QVERIFY(!w<QRadioButton>("StabInv")->isEnabled());
        QVERIFY(!schematicText("R_NG\n"));

        QTest::mouseClick(w<QGroupBox>("compositeCheckBox"), Qt::LeftButton, {}, QPoint(12, 8));
        QVERIFY(w<QGroupBox>("compositeCheckBox")->isChecked());
        chooseAmplifier("VR537"); // inverting only: no composite
        QVERIFY(w<QRadioButton>("StabInv")->isChecked());
        QVERIFY(!w<QRadioButton>("StabNon")->isEnabled());
        QVERIFY(!w<QGroupBox>("compositeCheckBox")->isChecked());
        QVERIFY(!w<QGroupBox>("compositeCheckBox")->isEnabled());
        QVERIFY(schematicText("R_NG\n") && !schematicText("HOST"));

        // External current limit: R_CL and its pin only where the part has one.
        QVERIFY(schematicText("R_CL\n") && schematicText("CL"));
        chooseAmplifier("VR570"); // Vbe 0: no external current limit
        QVERIFY(!schematicText("R_CL\n"));
        QVERIFY(!schematicText("CL"));
    }

    // On the smallest window every tab of the page fits without scrolling.
    void fitsTheWindow_data()
    {
        QTest::addColumn<int>("middleTab");
        QTest::addColumn<int>("rightTab");
        QTest::newRow("schematic, Bode plots") << 0 << 0;
        QTest::newRow("composite, calculators") << 1 << 1;
        QTest::newRow("composite, Bode plots") << 1 << 0;
    }
    void fitsTheWindow()
    {
        QFETCH(int, middleTab);
        QFETCH(int, rightTab);
        showPage();
        w<QTabWidget>("StabilityTab")->setCurrentIndex(middleTab);
        w<QTabWidget>("StabilityTabOutput")->setCurrentIndex(rightTab);
        QCoreApplication::processEvents();
        auto *scroll = w<QScrollArea>("stabScrollArea");
        QVERIFY(!scroll->verticalScrollBar()->isVisible());
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        QVERIFY2(scroll->widget()->height() <= scroll->viewport()->height(),
            qPrintable(
                QStringLiteral("%1 > %2").arg(scroll->widget()->height()).arg(scroll->viewport()->height())));
    }
};

QTEST_MAIN(TestStabilityPage)
#include "test_stabilitypage.moc"
