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
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "app/dialogresponder.h"
#include "app/mainwindow.h"
#include "tests/pages/pagewindow.h"
#include "pages/soa/loadcalc.h"
#include "pages/soa/soapage.h"
#include "qcustomplot.h"

namespace {

struct Line {
    QString text;
    QColor colour;
};

QVector<Line> lines(QTextEdit *edit)
{
    QVector<Line> out;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next()) {
        QColor c = Qt::black;
        const QTextBlock::iterator it = b.begin();
        if (!it.atEnd())
            c = it.fragment().charFormat().foreground().color();
        out << Line{b.text(), c};
    }
    return out;
}

QStringList graphNames(QCustomPlot *plot)
{
    QStringList names;
    for (int i = 0; i < plot->plottableCount(); ++i)
        names << plot->plottable(i)->name();
    return names;
}

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

}  // namespace

// The SOA page inside the real window, driven by its widgets off screen.
class TestSoaPage : public QObject {
    Q_OBJECT

    PageWindow *m_win = nullptr;
    MainWindow *m_window = nullptr;
    SoaPage *m_page = nullptr;

    template <typename T>
    T *w(const char *name)
    {
        return m_win->w<T>(name);
    }
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

    void startUpEntries()
    {
        const QStringList expected{"short", "short", "short", "open", "open", "open", "0",  "0",   "0",   "0",
                                   "1k",    "1k",    "50",    "-50",  "50",   "-50",  "0",  "1",   "0",   "40",
                                   "-40",   "1",     "1k",    "25u",  "25u",  "25u",  "25u", "1",   "QX415A"};
        const QStringList keys = m_page->entryKeys();
        QCOMPARE(keys.first(), QStringLiteral("ResS"));
        QCOMPARE(keys.size(), expected.size());
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(m_page->entry(keys[i]), expected[i]);
        QVERIFY(m_page->setEntry(QStringLiteral("SignalType"), QStringLiteral("9")));
        QCOMPARE(m_page->entry(QStringLiteral("SignalType")), QStringLiteral("0"));
        QVERIFY(!m_page->setEntry(QStringLiteral("SOAprevTab"), QStringLiteral("1")));
    }

    void startUpPage()
    {
        QCOMPARE(w<QComboBox>("AmpSelecterSOA")->currentText(), QStringLiteral("QX415A"));
        QVERIFY(!m_window->designChanged());
        // 40 V peak into the 1 kOhm default: 40^2 / 2000.
        QCOMPARE(label("PdLoad"), QStringLiteral("0.8"));
        const QVector<Line> notes = lines(w<QTextEdit>("notes"));
        QCOMPARE(notes.first().text, QStringLiteral("Notes: "));
        const QStringList names = graphNames(plot("SOA"));
        QCOMPARE(names.first(), QStringLiteral("25°C Case Temp/\nSteady State Limit"));
        QVERIFY(names.contains(QStringLiteral("Load Line")));
        QVERIFY(!names.contains(QStringLiteral("Vswing")));
        QCOMPARE(plot("SOA")->xAxis->scaleType(), QCPAxis::stLogarithmic);
        QCOMPARE(plot("voltageViewer")->graph(0)->dataCount(), 720);
        QCOMPARE(label("SOAwaveDescription").replace(QLatin1Char('\n'), QLatin1Char(' ')), QStringLiteral("Sine wave, voltage output: max 40 V, min -40 V, 1 kHz"));
        QVERIFY(lines(w<QTextEdit>("PowerDetails"))[1].text.startsWith(QStringLiteral("Load Power:")));
    }

    void everyHandlerRefreshes_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *n : {"SOA_Rload", "SOA_Lload", "SOA_Cload", "MotorESR", "MotorI", "MotorEMF", "MotorVDC",
                              "custTempLine", "R_CL", "R_FO", "tempA", "ThermalCompound", "heatsink"})
            QTest::newRow(n) << QString::fromLatin1(n);
        for (const char *n : {"ParallelCheckBox", "BridgeCheckBox", "LogCheckBox", "VswingCheckBox", "custTempCheckBox",
                              "FOcheckBox", "SOA_parallel", "BridgeUnipolarSuppliesButton"})
            QTest::newRow(n) << QString::fromLatin1(n);
        for (const char *n : {"NumParallel", "SOAdisplayAfter", "SOAdisplayCycles", "RangeBox", "loadTypeBox", "MotorBox"})
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

    void editingTheLoadRefreshes()
    {
        edit("SOA_Rload", QStringLiteral("10"));
        QCOMPARE(label("PdLoad"), QStringLiteral("80"));
        // 10 ohm and 1 mH in series at 1 kHz take |Z| = 11.81 ohm: 4.7 A peak.
        edit("SOA_Lload", QStringLiteral("1m"));
        QVERIFY(qAbs(m_page->loadCurrentMax() - 40 / std::hypot(10.0, 6.2832)) < 0.1);
        edit("SOA_Rload", QStringLiteral("10kHz"));
        QCOMPARE(w<QLineEdit>("SOA_Rload")->palette().color(QPalette::Text), QColor(Qt::red));
    }

    void shortedOutputNote()
    {
        edit("SOA_Rload", QStringLiteral("short"));
        const QVector<Line> notes = lines(w<QTextEdit>("notes"));
        QCOMPARE(notes.size(), 2);
        QCOMPARE(notes[1].text, QStringLiteral("!!! Do Not Short the Output !!!"));
        QCOMPARE(notes[1].colour, QColor(Qt::red));
        QCOMPARE(notes[0].colour, QColor(Qt::black));
        QCOMPARE(label("PdLoad"), QStringLiteral("0"));
        QVERIFY(!graphNames(plot("SOA")).contains(QStringLiteral("Load Line")));
        for (const Line &l : lines(w<QTextEdit>("PowerDetails")))
            QVERIFY2(!l.text.contains(QLatin1String("inf")) && !l.text.contains(QLatin1String("nan")), qPrintable(l.text));
    }

    void supplyTooHighTurnsLabelsRed()
    {
        // QX415A takes 200 V in total.
        m_page->setEntry(QStringLiteral("SOAVs_pos"), QStringLiteral("150"));
        m_page->setEntry(QStringLiteral("SOAVs_neg"), QStringLiteral("-150"));
        m_page->refreshSOA();
        bool found = false;
        for (const Line &l : lines(w<QTextEdit>("notes")))
            if (l.text == QLatin1String("!!! Total Supply Voltage too High !!!")) {
                found = true;
                QCOMPARE(l.colour, QColor(Qt::red));
            }
        QVERIFY(found);
        QCPItemText *pos = itemWithText(plot("SOAsch"), QStringLiteral("+V_S =\n150 V"));
        QVERIFY(pos);
        QCOMPARE(pos->color(), QColor(Qt::red));
    }

    void logAndLinearAxes()
    {
        QCustomPlot *soa = plot("SOA");
        w<QCheckBox>("LogCheckBox")->setChecked(false);
        QCOMPARE(soa->xAxis->scaleType(), QCPAxis::stLinear);
        QCOMPARE(soa->xAxis->range().lower, 0.0);
        QCOMPARE(soa->xAxis->range().upper, 1.2 * 200);
        QCOMPARE(soa->yAxis->range().lower, 0.0);
        QCOMPARE(soa->axisRect()->insetLayout()->insetAlignment(0), Qt::AlignRight | Qt::AlignTop);
        w<QCheckBox>("LogCheckBox")->setChecked(true);
        QCOMPARE(soa->yAxis->scaleType(), QCPAxis::stLogarithmic);
        QCOMPARE(soa->xAxis->range().lower, 1.0);
        QCOMPARE(soa->xAxis->range().upper, 1.5 * 200);
    }

    void voltageSwingBox()
    {
        w<QCheckBox>("VswingCheckBox")->setChecked(false);
        QVERIFY(graphNames(plot("SOA")).contains(QStringLiteral("Vswing")));
        w<QCheckBox>("VswingCheckBox")->setChecked(true);
        QVERIFY(!graphNames(plot("SOA")).contains(QStringLiteral("Vswing")));
        w<QCheckBox>("custTempCheckBox")->setChecked(true);
        QVERIFY(w<QLineEdit>("custTempLine")->isEnabled());
        QCOMPARE(graphNames(plot("SOA")).last(), QStringLiteral("Custom"));
    }

    void schematicLabels()
    {
        QStringList texts = itemTexts(plot("SOAsch"));
        QVERIFY(texts.contains(QStringLiteral("+V_S =\n50 V")));
        QVERIFY(texts.contains(QStringLiteral("-V_S =\n-50 V")));
        QVERIFY(texts.contains(QStringLiteral("LOAD")));
        QVERIFY(!texts.contains(QStringLiteral("R_CS\n1 Ω")));
        w<QGroupBox>("ParallelCheckBox")->setChecked(true);
        w<QSpinBox>("NumParallel")->setValue(2);
        QVERIFY(itemTexts(plot("SOAsch")).contains(QStringLiteral("R_CS\n1 Ω")));

        m_page->setEntry(QStringLiteral("SOAVs_pos"), QStringLiteral("165"));
        m_page->setEntry(QStringLiteral("SOAVs_neg"), QStringLiteral("-15"));
        w<QGroupBox>("BridgeCheckBox")->setChecked(true);
        w<QRadioButton>("BridgeUnipolarSuppliesButton")->setChecked(true);
        texts = itemTexts(plot("SOAsch"));
        QCOMPARE(texts.count(QStringLiteral("+V_S =\n165 V")), 1);
        QCOMPARE(texts.count(QStringLiteral("+V_S =\n15 V")), 1);
        QCOMPARE(texts.count(QStringLiteral("-V_S =\n-165 V")), 1);
        w<QRadioButton>("BridgeSameSuppliesButton")->setChecked(true);
        QCOMPARE(itemTexts(plot("SOAsch")).count(QStringLiteral("+V_S =\n165 V")), 2);
    }

    void clickingASupplyOpensItsDialog()
    {
        DialogResponder responder;
        QString title;
        responder.setDialogHandler([&](QDialog *d) {
            title = d->windowTitle();
            if (auto *pos = d->findChild<QLineEdit *>(QStringLiteral("soaSupplyPos")))
                pos->setText(QStringLiteral("40"));
            d->accept();
        });
        QCPItemText *label = itemWithText(plot("SOAsch"), QStringLiteral("+V_S =\n50 V"));
        QVERIFY(label);
        m_window->setDesignChanged(false);
        emit plot("SOAsch")->itemClick(label, nullptr);
        QCOMPARE(title, QStringLiteral("Change Supply Voltage"));
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
        const double boost = m_window->catalogs().linear.at(ampVectorIndex(m_window->catalogs().linear, "QX415A")).boost.last();
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
            QCOMPARE(d->windowTitle(), QStringLiteral("Change Output Signal Waveform"));
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
        QVERIFY(label("SOAwaveDescription").replace(QLatin1Char('\n'), QLatin1Char(' ')).startsWith(QStringLiteral("Trapezoid/pulse wave, current output")));

        kind = 3;
        w<QPushButton>("SOAeditSignalButton")->click();
        QCOMPARE(w<QTabWidget>("SOAtabWidget")->currentIndex(), 1);
        QCOMPARE(w<QComboBox>("loadTypeBox")->currentText(), QStringLiteral("DC Motor"));
        QCOMPARE(m_page->period().time.size(), 360);
    }

    void motorStallNotes()
    {
        w<QComboBox>("loadTypeBox")->setCurrentIndex(1);
        w<QComboBox>("MotorBox")->setCurrentIndex(1);
        const QVector<Line> notes = lines(w<QTextEdit>("notes"));
        QCOMPARE(notes.size(), 3);
        QCOMPARE(notes[0].text, QStringLiteral("Notes:"));
        QCOMPARE(notes[1].text, QStringLiteral("Stall and Reversal load lines are displayed to help choose a current "
                                               "limit resistor."));
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
        QVERIFY(calc->isVisible());
        QVERIFY(!calc->isModal());
        const auto set = [&](const char *name, const QString &text) {
            QLineEdit *field = calc->findChild<QLineEdit *>(QLatin1String(name));
            field->setText(text);
            emit field->editingFinished();
        };
        const auto shown = [&](const char *name) { return calc->findChild<QLabel *>(QLatin1String(name))->text(); };
        set("Rseries", QStringLiteral("0"));
        set("Lseries", QStringLiteral("1m"));
        QCOMPARE(shown("loadCalcSeriesZ"), QStringLiteral("6.28318"));
        QCOMPARE(shown("loadCalcSeriesAngle"), QStringLiteral("90"));
        set("Rseries", QStringLiteral("10"));
        set("Lseries", QStringLiteral("0"));
        set("Cseries", QStringLiteral("1u"));
        QVERIFY(qAbs(shown("loadCalcSeriesAngle").toDouble() + 86.405) < 0.01);
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

    void designFileKeysRoundTrip()
    {
        QStringList keys = m_page->entryKeys();
        keys.removeOne(QStringLiteral("AmpSelecterSOA"));
        for (const QString &key : keys)
            QVERIFY(m_page->setEntry(key, key == QLatin1String("SignalType") ? QStringLiteral("1")
                                          : key == QLatin1String("boostSup") || key == QLatin1String("SOAVout")
                                              ? QStringLiteral("0")
                                              : key + QStringLiteral("x")));
        for (const QString &key : keys)
            QCOMPARE(m_page->entry(key), key == QLatin1String("SignalType") ? QStringLiteral("1")
                                         : key == QLatin1String("boostSup") || key == QLatin1String("SOAVout")
                                             ? QStringLiteral("0")
                                             : key + QStringLiteral("x"));
    }

    void fitsTheWindow()
    {
        m_window->findChild<QStackedWidget *>(QStringLiteral("Page"))->setCurrentIndex(2);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        auto *scroll = w<QScrollArea>("soaScrollArea");
        QVERIFY2(scroll->widget()->minimumSizeHint().height() <= scroll->viewport()->height(),
                 qPrintable(QStringLiteral("%1 > %2").arg(scroll->widget()->minimumSizeHint().height())
                                .arg(scroll->viewport()->height())));
        QVERIFY(scroll->widget()->minimumSizeHint().width() <= scroll->viewport()->width());
    }
};

QTEST_MAIN(TestSoaPage)
#include "test_soapage.moc"
