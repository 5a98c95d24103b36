#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include "app/dialogresponder.h"
#include "pages/soa/loadcalc.h"
#include "pages/soa/soapage.h"
#include "tests/pages/pagewindow.h"

namespace {

QStringList itemTexts(QCustomPlot *plot)
{
    QStringList texts;
    for (int i = 0; i < plot->itemCount(); ++i)
        if (auto *t = qobject_cast<QCPItemText *>(plot->item(i)))
            texts << t->text();
    return texts;
}

QCPItemText *itemWithText(QCustomPlot *plot, const QString &text)
{
    for (int i = 0; i < plot->itemCount(); ++i)
        if (auto *t = qobject_cast<QCPItemText *>(plot->item(i)))
            if (t->text() == text)
                return t;
    return nullptr;
}

} // namespace

// The SOA page inside the real window, driven by its widgets off screen.
class TestSoaPage : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;
    MainWindow *m_window = nullptr;
    SoaPage *m_page = nullptr;

    template <typename T> T *w(const char *name) { return m_win->w<T>(name); }
    QCustomPlot *plot(const char *name) { return m_win->plot(name); }
    void edit(const char *name, const QString &text) { m_win->edit(name, text); }
    QString label(const char *name) { return m_win->label(name); }

private slots:
    void init()
    {
        m_win = new PageWindow;
        m_window = m_win->window;
        m_page = m_window->findChild<SoaPage *>(QStringLiteral("SOApage"));
        QVERIFY(m_page);
    }
    void cleanup()
    {
        delete m_win;
        m_win = nullptr;
        m_window = nullptr;
    }

    void everyHandlerRefreshes_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *n : { "SOA_Rload", "SOA_Lload", "SOA_Cload", "MotorESR", "MotorI", "MotorEMF",
                 "MotorVDC", "custTempLine", "R_CL", "R_FO", "tempA", "ThermalCompound", "heatsink" })
            QTest::newRow(n) << QString::fromLatin1(n);
        for (const char *n : { "ParallelCheckBox", "BridgeCheckBox", "LogCheckBox", "VswingCheckBox",
                 "custTempCheckBox", "FOcheckBox", "SOA_parallel", "BridgeUnipolarSuppliesButton" })
            QTest::newRow(n) << QString::fromLatin1(n);
        for (const char *n :
            { "NumParallel", "SOAdisplayAfter", "SOAdisplayCycles", "RangeBox", "loadTypeBox", "MotorBox" })
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
            group->setEnabled(true);
            group->setChecked(!group->isChecked());
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            button->setChecked(!button->isChecked());
        } else if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
            spin->setValue(spin->value() + 1);
        } else if (auto *box = qobject_cast<QComboBox *>(widget)) {
            box->setCurrentIndex(1);
        }
        QVERIFY(m_window->designChanged());
    }

    void clickingASupplyOpensItsDialog()
    {
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            if (auto *pos = d->findChild<QLineEdit *>(QStringLiteral("soaSupplyPos")))
                pos->setText(QStringLiteral("40"));
            d->accept();
        });
        QCPItemText *label = itemWithText(plot("SOAsch"), QStringLiteral("+V_S =\n50 V"));
        QVERIFY(label);
        m_window->setDesignChanged(false);
        emit plot("SOAsch")->itemClick(label, nullptr);
        QCOMPARE(m_page->entry(QStringLiteral("SOAVs_pos")), QStringLiteral("40"));
        QCOMPARE(m_page->entry(QStringLiteral("SOAVs_neg")), QStringLiteral("-50"));
        QVERIFY(itemTexts(plot("SOAsch")).contains(QStringLiteral("+V_S =\n40 V")));
        // QX415A offers boost: without it the boost supplies follow.
        QCOMPARE(m_page->entry(QStringLiteral("SOAVb_pos")), QStringLiteral("40"));
        QVERIFY(m_window->designChanged());
    }

    void boostDialog()
    {
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            if (auto *choice = d->findChild<QComboBox *>(QStringLiteral("soaBoostChoice")))
                choice->setCurrentIndex(1);
            d->accept();
        });
        QCPItemText *label = itemWithText(plot("SOAsch"), QStringLiteral("+V_B =\n50 V"));
        QVERIFY(label);
        emit plot("SOAsch")->itemClick(label, nullptr);
        QCOMPARE(m_page->entry(QStringLiteral("boostSup")), QStringLiteral("1"));
        const double boost = m_window->catalogs()
                                 .linear.at(ampVectorIndex(m_window->catalogs().linear, "QX415A"))
                                 .boost.last();
        QCOMPARE(m_page->entry(QStringLiteral("SOAVb_pos")), QString::number(50 + boost));
        QCOMPARE(m_page->entry(QStringLiteral("SOAVb_neg")), QString::number(-50 - boost));
    }

    void sharingResistorClick()
    {
        w<QGroupBox>("ParallelCheckBox")->setChecked(true);
        w<QSpinBox>("NumParallel")->setValue(2);
        DialogResponder responder;
        responder.setDialogHandler([](QDialog *d) {
            if (auto *input = qobject_cast<QInputDialog *>(d))
                input->setTextValue(QStringLiteral("0.5"));
            d->accept();
        });
        emit plot("SOAsch")->itemClick(itemWithText(plot("SOAsch"), QStringLiteral("R_CS\n1 Ω")), nullptr);
        QCOMPARE(m_page->entry(QStringLiteral("SOAR_CS")), QStringLiteral("0.5"));
        QVERIFY(itemTexts(plot("SOAsch")).contains(QStringLiteral("R_CS\n0.5 Ω")));
    }

    void signalDialog()
    {
        DialogResponder responder;
        int kind = 1;
        responder.setDialogHandler([&](QDialog *d) {
            d->findChild<QComboBox *>(QStringLiteral("soaSignalKind"))->setCurrentIndex(kind);
            if (kind == 1) {
                d->findChild<QLineEdit *>(QStringLiteral("soaTrapMax"))->setText(QStringLiteral("20"));
                d->findChild<QComboBox *>(QStringLiteral("soaTrapOutputKind"))->setCurrentIndex(1);
            }
            d->accept();
        });
        w<QPushButton>("SOAeditSignalButton")->click();
        QCOMPARE(m_page->entry(QStringLiteral("SignalType")), QStringLiteral("1"));
        QCOMPARE(m_page->entry(QStringLiteral("SOAmaxOut")), QStringLiteral("20"));
        QCOMPARE(m_page->entry(QStringLiteral("SOAVout")), QStringLiteral("0"));
        QCOMPARE(w<QTabWidget>("SOAdisplayTab")->currentIndex(), 2);
        QCOMPARE(m_page->period().time.size(), 1000);
        QVERIFY(label("SOAwaveDescription")
                    .replace(QLatin1Char('\n'), QLatin1Char(' '))
                    .startsWith(QStringLiteral("Trapezoid/pulse wave, current output")));

        kind = 3;
        w<QPushButton>("SOAeditSignalButton")->click();
        QCOMPARE(w<QTabWidget>("SOAtabWidget")->currentIndex(), 1);
        QCOMPARE(w<QComboBox>("loadTypeBox")->currentText(), QStringLiteral("DC Motor"));
        QCOMPARE(m_page->period().time.size(), 360);
    }

    void uploadedWaveform()
    {
        QString text;
        for (int i = 1; i <= 100; ++i)
            text += QStringLiteral("%1,%2\n").arg(i * 1e-5).arg(i % 2 ? 10 : -10);
        const QString good = QDir(m_win->folder()).filePath(QStringLiteral("good.csv"));
        QFile f(good);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        f.close();
        QVERIFY(m_page->loadSoaCsv(good));
        m_page->setEntry(QStringLiteral("SignalType"), QStringLiteral("2"));
        m_page->refreshSOA();
        QCOMPARE(m_page->period().time.size(), 990);
        QCOMPARE(plot("voltageViewer")->graph(0)->dataCount(), 2 * 990);

        const QString bad = QDir(m_win->folder()).filePath(QStringLiteral("bad.csv"));
        QFile b(bad);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write("0.1,1\n0.3,2\n0.2,3\n");
        b.close();
        DialogResponder responder;
        QVERIFY(!m_page->loadSoaCsv(bad));
        QCOMPARE(responder.messages().size(), 1);
        QVERIFY(responder.messages().first().text.contains(QStringLiteral("Line 3")));
        QCOMPARE(m_page->period().time.size(), 990);
    }

    void loadCalculator()
    {
        m_page->openLoadCalculator();
        LoadCalc *calc = m_window->findChild<LoadCalc *>();
        QVERIFY(calc);
        QVERIFY(calc->isVisible() && !calc->isModal());
        const auto set = [&](const char *name, const QString &text) {
            QLineEdit *field = calc->findChild<QLineEdit *>(QLatin1String(name));
            field->setText(text);
            emit field->editingFinished();
        };
        const auto shown
            = [&](const char *name) { return calc->findChild<QLabel *>(QLatin1String(name))->text(); };
        set("Rseries", QStringLiteral("10"));
        set("Lseries", QStringLiteral("0"));
        set("Cseries", QStringLiteral("1u"));
        calc->findChild<QPushButton *>(QStringLiteral("useSeries"))->click();
        QCOMPARE(calc->findChild<QLineEdit *>(QStringLiteral("Z1"))->text(), shown("loadCalcSeriesZ"));
        calc->findChild<QPushButton *>(QStringLiteral("useValuesButton"))->click();
        QCOMPARE(m_page->entry(QStringLiteral("ResS")), QStringLiteral("10"));
        QCOMPARE(m_page->entry(QStringLiteral("CapS")), QStringLiteral("1u"));
        QCOMPARE(m_page->entry(QStringLiteral("IndS")), QStringLiteral("0"));
        QCOMPARE(m_page->entry(QStringLiteral("Z1")), shown("loadCalcSeriesZ"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        m_page->openLoadCalculator();
        calc = m_window->findChild<LoadCalc *>();
        QVERIFY(calc);
        QCOMPARE(calc->findChild<QLineEdit *>(QStringLiteral("Rseries"))->text(), QStringLiteral("10"));
        QCOMPARE(calc->findChild<QLineEdit *>(QStringLiteral("Cseries"))->text(), QStringLiteral("1u"));
        // Cancel keeps nothing.
        calc->findChild<QLineEdit *>(QStringLiteral("Rseries"))->setText(QStringLiteral("99"));
        calc->findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
        QCOMPARE(m_page->entry(QStringLiteral("ResS")), QStringLiteral("10"));
    }
};

QTEST_MAIN(TestSoaPage)
#include "test_soapage.moc"
