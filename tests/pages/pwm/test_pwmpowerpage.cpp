#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <cmath>
#include <complex>

#include "app/dialogresponder.h"
#include "pages/pwm/pwmpowerpage.h"
#include "tests/pages/pagewindow.h"

// The power page in the real window: the filter hand-off, the schematic's
// element dialogs and every sweep view. A typed value kept behind a warning and
// the extended load's button are golden designs (pwm_power_*).
class TestPwmPowerPage : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;
    PwmPowerPage *m_page = nullptr;

    // The first label starting with prefix, or the last one reading exactly text above the ladder.
    QCPItemText *label(const QString &prefix, bool above = false)
    {
        QCustomPlot *p = m_win->plot("FullFilter");
        QCPItemText *found = nullptr;
        for (int i = 0; i < p->itemCount() && !(found && !above); ++i)
            if (auto *t = qobject_cast<QCPItemText *>(p->item(i)))
                if (above ? t->text() == prefix && t->position->coords().y() > 0
                          : t->text().startsWith(prefix))
                    found = t;
        return found;
    }
    void click(QCPItemText *item) { emit m_win->plot("FullFilter")->itemClick(item, nullptr); }

private slots:
    void init()
    {
        m_win = new PageWindow;
        m_page = m_win->window->pwmPowerPage();
        m_win->w<QComboBox>("ampSelectorPower")->setCurrentText(QStringLiteral("TZ636"));
    }
    void cleanup() { delete m_win; }

    // Order 2, split inductor: 1 mH per leg (2 mH in the loop) and 10 uF into 8 ohm.
    void filterExport()
    {
        FilterExport x;
        x.topology = FilterExport::Topology::SplitInductor;
        x.order = 2;
        x.filter.fill({ "0", "0", "0" });
        x.filter[0].L = "1m";
        x.filter[1].C = "10u";
        x.matching = { "0", "0", "0" };
        x.load.fill({ "0", "0", "short" });
        x.load[4].R = "8";
        x.amplifier = "TZ636";
        x.Vs = "60";
        x.Fsw = "40k";
        m_win->w<QTabWidget>("PowerTabs")->setCurrentIndex(2);
        m_page->applyFilterExport(x);
        QCOMPARE(m_win->w<QSpinBox>("PWMfilterOrder")->value(), 2);
        QVERIFY(m_win->w<QRadioButton>("SIpower")->isChecked());
        QCOMPARE(m_win->w<QTabWidget>("PowerTabs")->currentIndex(), 0);
        // Ripple current 2 * 0.8 * 60 * 2 * 0.5 / |Zin(40 kHz)|, Zin = jw 2m + (8 || 1/(jw 10u)): 191 mA.
        const double wsw = 2 * M_PI * 40e3;
        const std::complex<double> zc(0, -1 / (wsw * 10e-6));
        const double ripple = 96 / std::abs(std::complex<double>(0, wsw * 2e-3) + 8.0 * zc / (8.0 + zc));
        QCOMPARE(m_win->label("IripplePower"), QStringLiteral("%1 mA peak").arg(ripple * 1e3, 0, 'g', 3));
        QCOMPARE(m_page->powerState().Vs, QStringLiteral("60"));
    }

    void clickInductorAndCapacitor()
    {
        m_win->w<QSpinBox>("PWMfilterOrder")->setValue(2);
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
        click(label("0", true));
        QCOMPARE(m_page->element("P1"), networkElement({ "2.2m", "open", "100p" }));
        // The open resistance adds no line; the 100 pF does.
        QVERIFY(label("2.2 mH\n    100 pF"));
        click(label("0"));
        QCOMPARE(m_page->element("P2").C, QStringLiteral("4.7u"));
        responder.setDialogHandler([](QDialog *d) { d->reject(); });
        click(label("2.2 mH"));
        QCOMPARE(m_page->element("P1").L, QStringLiteral("2.2m"));
        // A load value goes through the one-line editor.
        responder.setDialogHandler([](QDialog *d) {
            qobject_cast<QInputDialog *>(d)->setTextValue("12");
            d->accept();
        });
        click(label("open")); // L5's R at start-up
        QCOMPARE(m_page->element("L5").R, QStringLiteral("12"));
        QCOMPARE(
            titles, QStringList({ "Inductor (with parasitic R & C)", "Capacitor (with parasitic R & L)" }));
    }

    // Every view draws its curves and the marker at the signal frequency, with
    // nothing infinite in the data, even with an open load.
    void sweepViews()
    {
        m_page->setElement("L5", { "0", "8", "0" });
        QComboBox *box = m_win->w<QComboBox>("yVariable");
        QCustomPlot *chart = m_win->plot("FilterFreq");
        for (int view = 0; view < 8; ++view) {
            box->setCurrentIndex(view);
            emit box->activated(view);
            QVERIFY(chart->graphCount() >= 2);
            QCPGraph *marker = chart->graph(chart->graphCount() - 1);
            QCOMPARE(marker->dataCount(), 2);
            QCOMPARE(marker->data()->at(0)->key, 2000.0);
            for (int g = 0; g < chart->graphCount(); ++g)
                for (auto it = chart->graph(g)->data()->begin(); it != chart->graph(g)->data()->end(); ++it)
                    QVERIFY(std::isfinite(it->value));
        }
    }
};

QTEST_MAIN(TestPwmPowerPage)
#include "test_pwmpowerpage.moc"
