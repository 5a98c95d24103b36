#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QtTest>

#include <cmath>

#include "app/dialogresponder.h"
#include "pages/currentpump/currentpumppage.h"
#include "pages/soa/soapage.h"
#include "tests/pages/pagewindow.h"

// The pump page inside the real window: its exchange with the SOA page and a
// label edit through its dialog. The sweep button is a golden design (pump_sweep).
class TestCurrentPumpPage : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;
    CurrentPumpPage *m_pump = nullptr;
    SoaPage *m_soa = nullptr;

    template <typename T> T *w(const char *name) { return m_win->w<T>(name); }
    QString notesLine(const QString &prefix)
    {
        for (const QString &line : w<QTextEdit>("IHCPnotes")->toPlainText().split('\n'))
            if (line.startsWith(prefix))
                return line;
        return QString();
    }
    QCPItemText *schematicText(const QString &prefix)
    {
        QCustomPlot *p = m_win->plot("IHCPschematic");
        for (int i = 0; i < p->itemCount(); ++i)
            if (auto *t = qobject_cast<QCPItemText *>(p->item(i)))
                if (t->text().startsWith(prefix))
                    return t;
        return nullptr;
    }

private slots:
    void init()
    {
        m_win = new PageWindow;
        m_pump = m_win->window->currentPumpPage();
        m_soa = m_win->window->soaPage();
    }
    void cleanup() { delete m_win; }

    // R_S 1 + R_LOAD 10 in series is 11 ohm; the 2 mH stays an inductance;
    // the SOA page then drives a 3 A to -1 A current sine and shows up.
    void exportToSoa()
    {
        m_pump->setEntry("IHCPLload", "2m");
        m_pump->setEntry("IHCPFreq", "500");
        m_win->edit("IHCPmaxIout", "3");
        m_win->edit("IHCPminIout", "-1");
        w<QGroupBox>("BridgeCheckBox")->setChecked(true);
        w<QComboBox>("AmpSelecterSOA")->setCurrentIndex(0);
        w<QPushButton>("IHCPexportSOA")->click();
        QCOMPARE(w<QLineEdit>("SOA_Rload")->text().trimmed(), QStringLiteral("11"));
        QCOMPARE(w<QLineEdit>("SOA_Lload")->text(), QStringLiteral("2m"));
        QCOMPARE(w<QLineEdit>("SOA_Cload")->text(), QStringLiteral("short"));
        QCOMPARE(m_soa->entry("SOAfreq"), QStringLiteral("500"));
        QCOMPARE(m_soa->entry("SOAVout"), QStringLiteral("0"));
        QCOMPARE(
            w<QComboBox>("AmpSelecterSOA")->currentText(), w<QComboBox>("IHCPampSelector")->currentText());
        QVERIFY(!w<QGroupBox>("BridgeCheckBox")->isChecked());
        QVERIFY(std::fabs(m_soa->loadCurrentMax() - 3) < 0.05);
        QVERIFY(std::fabs(m_soa->loadCurrentMin() + 1) < 0.05);
        QCOMPARE(w<QStackedWidget>("Page")->currentWidget(), static_cast<QWidget *>(m_soa));
    }

    // A 4 A current sine into 8 ohm and 10 uF at 2 kHz comes across as typed,
    // with the SOA page's amplifier.
    void importFromSoa()
    {
        m_win->edit("SOA_Rload", "8");
        m_win->edit("SOA_Cload", "10u");
        m_win->edit("SOA_Lload", "short");
        m_soa->setEntry("SOAVout", "0");
        m_soa->setEntry("SOAmaxOut", "4");
        m_soa->setEntry("SOAminOut", "-4");
        m_soa->setEntry("SOAfreq", "2k");
        QComboBox *soaAmp = w<QComboBox>("AmpSelecterSOA");
        soaAmp->setCurrentIndex(2);
        m_soa->refreshSOA();
        w<QPushButton>("IHCPimportSOA")->click();
        QCOMPARE(m_pump->entry("IHCPRload"), QStringLiteral("8"));
        QCOMPARE(m_pump->entry("IHCPCload"), QStringLiteral("10u"));
        QCOMPARE(m_pump->entry("IHCPLload"), QStringLiteral("short"));
        QCOMPARE(m_pump->entry("IHCPFreq"), QStringLiteral("2k"));
        QCOMPARE(w<QComboBox>("IHCPampSelector")->currentIndex(), 2);
        QVERIFY(std::fabs(w<QLineEdit>("IHCPmaxIout")->text().toDouble() - 4) < 0.05);
        QVERIFY2(std::fabs(w<QLineEdit>("IHCPminIout")->text().toDouble() + 4) < 0.05,
            qPrintable(w<QLineEdit>("IHCPminIout")->text()));
    }

    // R_F- 20k at 1 %: ideal 20k / (10k x 1) = 2 A/V.
    void toleranceEdit()
    {
        m_win->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_win->window));
        w<QPushButton>("IHCPbutton")->click();
        m_win->plot("IHCPschematic")->replot();
        QCPItemText *label = schematicText(QStringLiteral("R_F-"));
        QVERIFY(label);
        QString title;
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            title = d->windowTitle();
            d->findChild<QLineEdit *>(QStringLiteral("ihcpResistance"))->setText(QStringLiteral("20k"));
            QComboBox *tol = d->findChild<QComboBox *>(QStringLiteral("ihcpTolerance"));
            tol->setCurrentIndex(tol->findText(QStringLiteral("1")));
            d->accept();
        });
        QTest::mouseClick(
            m_win->plot("IHCPschematic"), Qt::LeftButton, {}, label->position->pixelPosition().toPoint());
        QCOMPARE(title, QStringLiteral("Resistance and Tolerance"));
        QCOMPARE(m_pump->entry("IHCPRfn"), QStringLiteral("20k"));
        QCOMPARE(m_pump->entry("IHCPRfnT"), QStringLiteral("1"));
        QCOMPARE(notesLine("\tIdeal: "), QStringLiteral("\tIdeal: 2 A/V"));
        QVERIFY(schematicText(QStringLiteral("R_F-\n20 k")));
    }
};

QTEST_MAIN(TestCurrentPumpPage)
#include "test_currentpumppage.moc"
