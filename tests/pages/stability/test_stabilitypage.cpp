#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

#include "tests/rowtable.h"

#include <cmath>

#include "app/dialogresponder.h"
#include "app/mainwindow.h"
#include "pages/stability/stabilitypage.h"
#include "qcustomplot.h"
#include "tests/pages/pagewindow.h"

// The stability page inside the real window, driven by its widgets off screen.
// The start-up amplifier QX385 has Aol 112 dB, option 0 poles at 30.14 Hz, 3 MHz
// and 25 MHz, Zout 10 ohm and 60 V/us; the default network is R_IN 1k, R_FB 20k.
struct RowSchematicValueClicks {
    const char *tag;
    QString labelName;
    QString key;
    bool accept;
    QString typed;
    QString field;
    QString shown;
} const kSchematicValueClicks[] = {
    { "R_FB 2.2k", "R_FB\n", "RfbC", true, "2.2k", "2.2k", "R_FB\n2.2 k\u03A9" },
    { "cancelled", "R_IN\n", "RinC", false, "5k", "1k", "R_IN\n1 k\u03A9" },
    { "blank", "R_IN\n", "RinC", true, "  ", "1k", "R_IN\n1 k\u03A9" },
};

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

    void hostSelector()
    {
        QComboBox *box = w<QComboBox>("hostSelector");
        const int op07 = box->findText(QStringLiteral("OP07"));
        QVERIFY(op07 > 0);
        box->setCurrentIndex(op07);
        emit box->activated(op07);
        QVERIFY(!w<QLineEdit>("hostAOL")->text().isEmpty());
        box->setCurrentIndex(0);
        emit box->activated(0);
        for (const char *n : { "hostAOL", "hostPole1", "hostPole2", "hostPole3" })
            QVERIFY(w<QLineEdit>(n)->text().isEmpty());
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
        const double target = 75 - 10 * w<QSlider>("StabSlider")->value();
        QVERIFY(m_page->stabPhaseMargin() > target);
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
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            auto *choice = d->findChild<QComboBox *>(QStringLiteral("stabCcompChoice"));
            QVERIFY(choice && choice->count() == 4);
            QCOMPARE(choice->currentIndex(), 1);
            choice->setCurrentIndex(3);
            d->reject();
        });
        QCPItemText &label = *new QCPItemText(plot("StabSch")); // owned by the plot
        QCOMPARE(StabilityPage::changeCcomp(m_page, &label, record, 1), 1);
    }

    // Every catalog amplifier, in every case and option, at the default values
    // and with a heavy load, gives finite read-outs, curves and texts.
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
                // The heavy load runs with the empty host entry (fields read as 0).
                in.host = cload == QLatin1String("0")
                    ? HostModel { host.Aol_DC, host.pole1.value(0), host.pole2.value(0), host.pole3.value(0) }
                    : HostModel {};
                for (int option = 0; option < std::max(1, a.SROptions); ++option) {
                    in.option = option;
                    for (StabLoad load : { StabLoad::Capacitive, StabLoad::Inductive })
                        for (bool composite : { false, true })
                            for (bool inverting : { true, false }) {
                                in.inverting = inverting;
                                const LoopResult r = evaluateLoop(in, load, composite, true);
                                ++runs;
                                for (double v : { r.closureFrequency, r.rateOfClosure, r.phaseMargin,
                                         r.maxBandwidth, r.slewRate })
                                    QVERIFY2(std::isfinite(v), qPrintable(a.ampName));
                                for (const QString &line : r.details)
                                    QVERIFY2(
                                        !line.contains("inf") && !line.contains("nan"), qPrintable(line));
                                for (const LoopSeries &s : r.gain)
                                    for (double v : s.y)
                                        QVERIFY(std::isfinite(v));
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
    void schematicValueClicks_data() { addRows(kSchematicValueClicks); }
    void schematicValueClicks()
    {
        QFETCH(int, rowNumber);
        [[maybe_unused]] const auto &[tag, labelName, key, accept, typed, field, shown]
            = kSchematicValueClicks[rowNumber];
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
        QVERIFY(!title.isEmpty());
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
        const QString ccompBefore = ccomp->text();
        clickSchematicAt(ccomp->position->pixelPosition());
        QCOMPARE(m_page->compOption(), 1);
        QCOMPARE(label("SlewRateStab"), QStringLiteral("12.2 V/\u00B5s"));
        QVERIFY(schematicText("C_COMP\n") && schematicText("C_COMP\n")->text() != ccompBefore);

        QCPItemText *rcomp = schematicText("R_COMP\n");
        QVERIFY(rcomp);
        clickSchematicAt(rcomp->position->pixelPosition());
        // The responder lists every dialog: the option dialog, then the message.
        QCOMPARE(responder.messages().size(), 2);

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
};

QTEST_MAIN(TestStabilityPage)
#include "test_stabilitypage.moc"
