#include <QComboBox>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <cmath>
#include <complex>

#include "app/dialogresponder.h"
#include "app/mainwindow.h"
#include "pages/pwm/pwmpowerpage.h"
#include "qcustomplot.h"
#include "tests/pages/pagewindow.h"

// The power page in the real window. TZ636: Vs 16..100 V (nominal 48),
// Iq_Vs 25 mA + 0.1 mA/V, fsw 10..100 kHz.
class TestPwmPowerPage : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;
    PwmPowerPage *m_page = nullptr;

    template <typename T> T *w(const char *name) { return m_win->w<T>(name); }
    QCPItemText *itemStarting(const QString &prefix)
    {
        QCustomPlot *p = m_win->plot("FullFilter");
        for (int i = 0; i < p->itemCount(); ++i)
            if (auto *t = qobject_cast<QCPItemText *>(p->item(i)))
                if (t->text().startsWith(prefix))
                    return t;
        return nullptr;
    }
    // A label's number in its SI unit: "5.28 W" gives 5.28, "480 mW" 0.48.
    static double labelValue(const QString &text)
    {
        const QStringList parts = text.split(QLatin1Char(' '));
        double v = parts.value(0).toDouble();
        const QString unit = parts.value(1);
        if (unit.size() > 1 && QStringLiteral("munkM").contains(unit[0]))
            v *= unit[0] == 'm'  ? 1e-3
                : unit[0] == 'u' ? 1e-6
                : unit[0] == 'n' ? 1e-9
                : unit[0] == 'k' ? 1e3
                                 : 1e6;
        return v;
    }

private slots:
    void init()
    {
        m_win = new PageWindow;
        m_page = m_win->window->pwmPowerPage();
        w<QComboBox>("ampSelectorPower")->setCurrentText(QStringLiteral("TZ636"));
    }
    void cleanup() { delete m_win; }

    // Order 2, split inductor: 1 mH per leg (2 mH in the loop) and 10 uF into 8 ohm.
    void filterExport()
    {
        FilterExport x;
        x.topology = FilterExport::Topology::SplitInductor;
        x.order = 2;
        x.filter[0] = { "1m", "0", "0" };
        x.filter[1] = { "0", "0", "10u" };
        for (int i = 2; i < 6; ++i)
            x.filter[i] = { "0", "0", "0" };
        x.matching = { "0", "0", "0" };
        for (auto &e : x.load)
            e = { "0", "0", "short" };
        x.load[4].R = "8";
        x.amplifier = "TZ636";
        x.Vs = "60";
        x.Fsw = "40k";
        w<QTabWidget>("PowerTabs")->setCurrentIndex(2);
        m_page->applyFilterExport(x);
        QCOMPARE(w<QSpinBox>("PWMfilterOrder")->value(), 2);
        QVERIFY(w<QRadioButton>("SIpower")->isChecked());
        QCOMPARE(w<QTabWidget>("PowerTabs")->currentIndex(), 0);
        // Ripple current 2 * 0.8 * 60 * 2 * 0.5 / |Zin(40 kHz)|, Zin = jw 2m + (8 || 1/(jw 10u)).
        const double wsw = 2 * M_PI * 40e3;
        const std::complex<double> zc(0, -1 / (wsw * 10e-6));
        const std::complex<double> zin = std::complex<double>(0, wsw * 2e-3) + 8.0 * zc / (8.0 + zc);
        const double ripple = 2 * 0.8 * 60 * 2 * 0.5 / std::abs(zin);
        const double shown = labelValue(m_win->label("IripplePower"));
        QVERIFY2(qAbs(shown - ripple) < 0.01 * ripple, qPrintable(m_win->label("IripplePower")));
        QCOMPARE(m_page->powerState().network.order, 2);
        QCOMPARE(m_page->powerState().Vs, QStringLiteral("60"));
    }

    // 150 V is over the 100 V limit: the field warns, the power stays that of
    // 150 V (25 + 102 * 0.1 = 35.2 mA, 5.28 W) through later refreshes and a save.
    void warningKeepsTypedValue()
    {
        m_win->edit("VsPWM", "150");
        QCOMPARE(w<QLineEdit>("VsPWM")->text(), QStringLiteral("Exceeds Abs Max"));
        QVERIFY(qAbs(labelValue(m_win->label("PiqVs")) - 5.28) < 1e-3);
        m_win->edit("PWMOut", "30");
        m_win->edit("FsigPWM", "1k");
        QCOMPARE(w<QLineEdit>("VsPWM")->text(), QStringLiteral("Exceeds Abs Max"));
        QVERIFY(qAbs(labelValue(m_win->label("PiqVs")) - 5.28) < 1e-3);
        QCOMPARE(m_page->entry("VsPWM"), QStringLiteral("150"));
        QCOMPARE(m_page->powerState().Vs, QStringLiteral("150"));
        m_win->edit("VsPWM", "50");
        QCOMPARE(w<QLineEdit>("VsPWM")->text(), QStringLiteral("50"));
    }

    void clickInductorAndCapacitor()
    {
        w<QSpinBox>("PWMfilterOrder")->setValue(2);
        DialogResponder responder;
        QStringList titles;
        responder.setDialogHandler([&](QDialog *d) {
            titles << d->windowTitle();
            d->findChild<QLineEdit *>("elementValue0")->setText(titles.size() == 1 ? "2.2m" : "4.7u");
            d->findChild<QLineEdit *>("elementValue1")->setText("open");
            d->findChild<QLineEdit *>("elementValue2")->setText(titles.size() == 1 ? "100p" : "0");
            d->accept();
        });
        // Both start at "0"; the inductor label is the one above the ladder.
        QCPItemText *inductor = nullptr;
        QCustomPlot *p = m_win->plot("FullFilter");
        for (int i = 0; i < p->itemCount(); ++i)
            if (auto *t = qobject_cast<QCPItemText *>(p->item(i)))
                if (t->text() == "0" && t->position->coords().y() > 0)
                    inductor = t;
        QVERIFY(inductor);
        emit p->itemClick(inductor, nullptr);
        QCOMPARE(m_page->element("P1"), networkElement({ "2.2m", "open", "100p" }));
        // The open resistance adds no line; the 100 pF does.
        QVERIFY(itemStarting("2.2 mH\n    100 pF"));
        emit p->itemClick(itemStarting("0"), nullptr);
        QCOMPARE(m_page->element("P2").C, QStringLiteral("4.7u"));
        responder.setDialogHandler([](QDialog *d) { d->reject(); });
        emit p->itemClick(itemStarting("2.2 mH"), nullptr);
        QCOMPARE(m_page->element("P1").L, QStringLiteral("2.2m"));
        // A load value goes through the one-line editor.
        responder.setDialogHandler([](QDialog *d) {
            qobject_cast<QInputDialog *>(d)->setTextValue("12");
            d->accept();
        });
        emit p->itemClick(itemStarting("open"), nullptr); // L5's R at start-up
        QCOMPARE(m_page->element("L5").R, QStringLiteral("12"));
        QCOMPARE(
            titles, QStringList({ "Inductor (with parasitic R & C)", "Capacitor (with parasitic R & L)" }));
    }

    // The default extra branches change nothing; a 8 ohm branch in parallel
    // with a 8 ohm load halves the load resistance and doubles the load power.
    void extendedLoad()
    {
        m_page->setElement("L5", { "0", "8", "short" });
        m_page->refreshPower();
        const double condensed = labelValue(m_win->label("PoutPower"));
        QTest::mouseClick(w<QPushButton>("ExtendedLoad"), Qt::LeftButton);
        QVERIFY(m_page->extendedLoad());
        QCOMPARE(labelValue(m_win->label("PoutPower")), condensed);
        m_page->setElement("L3", { "0", "8", "short" });
        m_page->refreshPower();
        QVERIFY(qAbs(labelValue(m_win->label("PoutPower")) - 2 * condensed) < 1e-3 * condensed);
    }

    // Every view draws its curves and the marker at the signal frequency,
    // with nothing infinite in the data.
    void sweepViews()
    {
        m_page->setElement("L5", { "0", "8", "0" }); // open: impedance curves have gaps
        QComboBox *box = w<QComboBox>("yVariable");
        QCustomPlot *chart = m_win->plot("FilterFreq");
        for (int view = 0; view < 8; ++view) {
            box->setCurrentIndex(view);
            emit box->activated(view);
            QVERIFY(chart->graphCount() >= 2);
            QCPGraph *marker = chart->graph(chart->graphCount() - 1);
            QCOMPARE(marker->dataCount(), 2);
            QCOMPARE(marker->data()->at(0)->key, 2000.0);
            QVERIFY(!chart->yAxis->label().isEmpty());
            QCOMPARE(chart->xAxis->scaleType() == QCPAxis::stLogarithmic, view >= 6);
            for (int g = 0; g < chart->graphCount(); ++g)
                for (auto it = chart->graph(g)->data()->begin(); it != chart->graph(g)->data()->end(); ++it)
                    QVERIFY(std::isfinite(it->value));
        }
    }
};

QTEST_MAIN(TestPwmPowerPage)
#include "test_pwmpowerpage.moc"
