#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTabBar>
#include <QtTest>

#include "app/mainwindow.h"
#include "formprobe.h"
#include "pages/currentpump/currentpumppage.h"
#include "pages/examples/examplespage.h"
#include "pages/threephase/threephasepage.h"

using FormProbe::kAny;

// The current pump, three-phase and examples pages in the real window, off
// screen: their widgets as the user first sees them, their stored entries at
// start-up, and the design-file round trip of every entry.
class TestPumpMotorForms : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
    MainWindow *m_window = nullptr;

    QStackedWidget *stack() { return m_window->findChild<QStackedWidget *>(QStringLiteral("Page")); }
    QWidget *page(const QString &name) { return m_window->findChild<QWidget *>(name); }
    CurrentPumpPage *pump() { return m_window->findChild<CurrentPumpPage *>(QStringLiteral("page_3")); }
    ThreePhasePage *motor() { return m_window->findChild<ThreePhasePage *>(QStringLiteral("page_9")); }
    ExamplesPage *examples() { return m_window->findChild<ExamplesPage *>(QStringLiteral("page_10")); }

    void showPage(const QString &name)
    {
        stack()->setCurrentWidget(page(name));
        QApplication::processEvents();
    }

    static void addWidget(const char *page, const char *name, const char *kind, const QString &text,
                          int checked, bool visible)
    {
        QTest::newRow(name) << QString::fromLatin1(page) << QString::fromLatin1(name)
                            << QString::fromLatin1(kind) << text << checked << visible;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        StartOptions options;
        options.offline = true;
        m_window = new MainWindow(nullptr, options);
        m_window->show();
    }
    void cleanupTestCase()
    {
        delete m_window;
        QDir::setCurrent(m_oldCwd);
    }

    void pageClasses()
    {
        QVERIFY(pump());
        QVERIFY(motor());
        QVERIFY(examples());
        QCOMPARE(stack()->indexOf(pump()), 5);
        QCOMPARE(stack()->indexOf(motor()), 10);
        QCOMPARE(stack()->indexOf(examples()), 11);
    }

    void widgets_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("checked");
        QTest::addColumn<bool>("visible");

        addWidget("page_3", "IHCPampSelector", "QComboBox", QStringLiteral("QX370"), -1, true);
        addWidget("page_3", "IHCPInvButton", "QRadioButton", QStringLiteral("Inverting "), -1, true);
        addWidget("page_3", "IHCPNonButton", "QRadioButton", QStringLiteral("Non-Inverting"), -1, true);
        addWidget("page_3", "IHCPtrans", "QLineEdit", QStringLiteral("1"), -1, true);
        addWidget("page_3", "IHCPtol", "QLineEdit", QStringLiteral("5"), -1, true);
        addWidget("page_3", "IHCPmaxIout", "QLineEdit", QStringLiteral("2"), -1, true);
        addWidget("page_3", "IHCPminIout", "QLineEdit", QStringLiteral("-2"), -1, true);
        addWidget("page_3", "IHCPauto", "QPushButton", QStringLiteral("Auto-Solve R_F Values and Tolerances"), -1, true);
        addWidget("page_3", "IHCPsweepButton", "QPushButton", QStringLiteral("Sweep Load Impedance"), -1, true);
        addWidget("page_3", "IHCPimportSOA", "QPushButton", QStringLiteral("Import from SOA/Power"), -1, true);
        addWidget("page_3", "IHCPexportSOA", "QPushButton", QStringLiteral("Export to SOA/Power"), -1, true);
        addWidget("page_3", "IHCPnotes", "QTextBrowser", kAny, -1, true);
        addWidget("page_3", "IHCPbode", "QCustomPlot", kAny, -1, true);
        addWidget("page_3", "IHCPschematic", "QCustomPlot", kAny, -1, true);

        addWidget("page_9", "P3ampSelector", "QComboBox", QStringLiteral("TZ662"), -1, true);
        addWidget("page_9", "P3Vs", "QLineEdit", QStringLiteral("50"), -1, true);
        addWidget("page_9", "P3Vcc", "QLineEdit", QStringLiteral("5"), -1, true);
        addWidget("page_9", "P3Fsw", "QLineEdit", QStringLiteral("1"), -1, true);
        addWidget("page_9", "P3commType", "QComboBox", QStringLiteral("Sinusoidal"), -1, true);
        addWidget("page_9", "P3Tambient", "QLineEdit", QStringLiteral("25"), -1, true);
        addWidget("page_9", "P3heatsink", "QLineEdit", QStringLiteral("0"), -1, true);
        addWidget("page_9", "P3TIM", "QLineEdit", QStringLiteral("0"), -1, true);
        addWidget("page_9", "P3startTime", "QLineEdit", QStringLiteral("25m"), -1, true);
        addWidget("page_9", "P3endTime", "QLineEdit", QStringLiteral("75m"), -1, true);
        addWidget("page_9", "P3dispDC", "QCheckBox", QStringLiteral("Display PWM voltages as Duty Cycles"), 0, true);
        addWidget("page_9", "P3removeDiode", "QCheckBox", kAny, 0, false);
        addWidget("page_9", "P3removeSwitching", "QCheckBox", kAny, 0, false);
        addWidget("page_9", "P3useMaxVs", "QPushButton", QStringLiteral("Use Max"), -1, true);
        addWidget("page_9", "P3useTypVcc", "QPushButton", QStringLiteral("Use Typical"), -1, true);
        addWidget("page_9", "P3useMaxFsw", "QPushButton", QStringLiteral("Use Max"), -1, true);
        addWidget("page_9", "P3editMotor", "QPushButton", kAny, -1, true);
        addWidget("page_9", "P3editWaveform", "QPushButton", kAny, -1, true);
        addWidget("page_9", "P3downloadPWL", "QPushButton", QStringLiteral("Download PWL"), -1, true);
        // The results tab widget starts at its first tab, so the output list waits behind tab 3.
        addWidget("page_9", "P3outputTabs", "QTabWidget", QStringLiteral("0"), -1, true);
        addWidget("page_9", "P3TextBrowser", "QTextBrowser", kAny, -1, false);
        addWidget("page_9", "P3loadPower", "QLabel", kAny, -1, true);
        addWidget("page_9", "P3ampPower", "QLabel", kAny, -1, true);
        addWidget("page_9", "P3efficiency", "QLabel", kAny, -1, true);
        addWidget("page_9", "P3VccPower", "QLabel", kAny, -1, true);
        for (const char *name : {"P3conductionPower", "P3wirePower", "P3diodePower", "P3switchingPower",
                                 "P3Ipeak", "P3RMScurrent", "P3Tcase", "P3Tjunction"})
            addWidget("page_9", name, "QLabel", kAny, -1, false);
        addWidget("page_9", "P3schematic", "QCustomPlot", kAny, -1, true);
        for (const char *name : {"P3graph0", "P3graph1", "P3graph2", "P3graph3", "P3graph4", "P3graph5"})
            addWidget("page_9", name, "QCustomPlot", kAny, -1, true);

        addWidget("page_10", "ExampleSelection", "QComboBox", QStringLiteral("Non-Technical Introduction"), -1, true);
        addWidget("page_10", "ExDesc", "QTextBrowser", kAny, -1, true);
        addWidget("page_10", "startTutorial", "QPushButton", QStringLiteral("Start Tutorial"), -1, true);
    }
    void widgets()
    {
        QFETCH(QString, page);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(int, checked);
        QFETCH(bool, visible);

        showPage(page);
        QWidget *w = this->page(page)->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
        if (text != kAny)
            QCOMPARE(FormProbe::shownText(w), text);
        if (checked >= 0)
            QCOMPARE(FormProbe::checkedState(w), checked);
        QVERIFY(w->isEnabled());
        QCOMPARE(w->isVisible(), visible);
    }

    // The pump's direction is one choice of two.
    void pumpDirectionExclusive()
    {
        auto *inv = pump()->findChild<QRadioButton *>(QStringLiteral("IHCPInvButton"));
        auto *non = pump()->findChild<QRadioButton *>(QStringLiteral("IHCPNonButton"));
        QCOMPARE(inv->isChecked() + non->isChecked(), 1);
        inv->click();
        QVERIFY(inv->isChecked());
        QVERIFY(!non->isChecked());
        non->click();
        QVERIFY(!inv->isChecked());
    }

    void captionsAndUnits_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("unit");
        QTest::newRow("IHCPtrans") << "page_3" << "IHCPtrans" << "Desired Transconductance" << "A/V";
        QTest::newRow("IHCPtol") << "page_3" << "IHCPtol" << "Desired Tolerance of Transconductance" << "%";
        QTest::newRow("IHCPmaxIout") << "page_3" << "IHCPmaxIout" << "Max I_out" << "A";
        QTest::newRow("IHCPminIout") << "page_3" << "IHCPminIout" << "Min I_out" << "A";
        QTest::newRow("P3Vs") << "page_9" << "P3Vs" << kAny << "V";
        QTest::newRow("P3Vcc") << "page_9" << "P3Vcc" << kAny << "V";
        QTest::newRow("P3Fsw") << "page_9" << "P3Fsw" << kAny << "kHz";
        QTest::newRow("P3Tambient") << "page_9" << "P3Tambient" << kAny << "°C";
        QTest::newRow("P3heatsink") << "page_9" << "P3heatsink" << kAny << "°C/W";
        QTest::newRow("P3TIM") << "page_9" << "P3TIM" << kAny << "°C/W";
        QTest::newRow("P3startTime") << "page_9" << "P3startTime" << kAny << "s";
        QTest::newRow("P3endTime") << "page_9" << "P3endTime" << kAny << "s";
    }
    void captionsAndUnits()
    {
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, caption);
        QFETCH(QString, unit);
        const QStringList row = FormProbe::rowTexts(this->page(page)->findChild<QWidget *>(field));
        if (caption != kAny)
            QVERIFY2(row.contains(caption), qPrintable(row.join(QLatin1Char('|'))));
        else
            QVERIFY(row.size() >= 2);
        QVERIFY2(row.contains(unit), qPrintable(row.join(QLatin1Char('|'))));
    }

    void pageTexts_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("text");
        QTest::newRow("pump title") << "page_3" << "Improved Howland Current Pump";
        QTest::newRow("pump load hint")
            << "page_3" << "Errors tend to increase with load impedance. Enter highest load impedance.";
        QTest::newRow("example caption") << "page_10" << "Select Example: ";
    }
    void pageTexts()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        QVERIFY(FormProbe::hasLabel(this->page(page), text));
    }

    void tips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("status");
        QTest::addColumn<QString>("tip");
        QTest::newRow("IHCPampSelector")
            << "IHCPampSelector" << true << "Select Product for use in the Improved Howland Current Pump";
        QTest::newRow("IHCPauto") << "IHCPauto" << true
                                  << "Click to solve for R_F and minimum resistor tolerances for worst-case "
                                     "performance. NOTE: set R_S and R_IN first";
        QTest::newRow("IHCPschematic") << "IHCPschematic" << true
                                       << "IHCP Schematic. Click on labels to change values. Components in "
                                          "color are optional compensation techniques.";
        QTest::newRow("P3schematic") << "P3schematic" << false
                                     << "Click on circuit elements to graph/ungraph their values";
    }
    void tips()
    {
        QFETCH(QString, name);
        QFETCH(bool, status);
        QFETCH(QString, tip);
        QWidget *w = m_window->findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(status ? w->statusTip() : w->toolTip(), tip);
    }

    void comboItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("P3commType") << "P3commType"
                                    << QStringList{"Sinusoidal", "Trapezoidal", "Six-Step"};
        QTest::newRow("ExampleSelection")
            << "ExampleSelection"
            << QStringList{"Non-Technical Introduction", "QX490 - PZT", "QX580 / OP07 composite",
                           "QX325 - Audio", "QX370 - Coil", "QX370 - Capacitive Load",
                           "TZ649 - Inductive Load", "TZ636 - Don't Run Unloaded!", "TZM741 - Heater",
                           "TZ623 - Control Loop", "QX505 - IH Current Pump", "TZ675 - BLDC Motor"};
    }
    void comboItems()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, items);
        auto *box = m_window->findChild<QComboBox *>(name);
        QVERIFY(box);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        QCOMPARE(shown, items);
    }

    // The pump selector offers the linear catalog, the motor selector only
    // one- and three-output PWM parts.
    void amplifierSelectors()
    {
        auto *linear = m_window->findChild<QComboBox *>(QStringLiteral("IHCPampSelector"));
        QCOMPARE(linear->count(), m_window->catalogs().linear.size());
        auto *motorBox = m_window->findChild<QComboBox *>(QStringLiteral("P3ampSelector"));
        QVERIFY(motorBox->count() > 0);
        for (int i = 0; i < motorBox->count(); ++i) {
            const pwm p = findSwitching(m_window->catalogs().pwms, motorBox->itemText(i));
            QCOMPARE(p.ampName, motorBox->itemText(i));
            QVERIFY2(p.outputs == 1 || p.outputs == 3, qPrintable(p.ampName));
        }
    }

    // The output list sits on tab 3, the one that carries the warning icon.
    void outputTab()
    {
        auto *tabs = motor()->findChild<QTabWidget *>(QStringLiteral("P3outputTabs"));
        QVERIFY(tabs->count() >= 4);
        QVERIFY(tabs->widget(3)->isAncestorOf(motor()->findChild<QWidget *>(QStringLiteral("P3TextBrowser"))));
    }

    void startupEntries_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const char *pumpKeys[][2] = {
            {"CompOptionIHCP", "0"}, {"sweepIHCP", "0"},     {"IHCPRin", "10k"},      {"IHCPRinT", "0.1"},
            {"IHCPRfn", "10k"},      {"IHCPRfnT", "0.1"},    {"IHCPRfp", "10k"},      {"IHCPRfpT", "0.1"},
            {"IHCPRs", "1"},         {"IHCPRsT", "1"},       {"IHCPRd", "open"},      {"IHCPCd", "open"},
            {"IHCPRload", "10"},     {"IHCPCload", "short"}, {"IHCPLload", "short"},  {"IHCPFreq", "1k"},
        };
        for (const auto &row : pumpKeys)
            QTest::newRow(row[0]) << "page_3" << row[0] << row[1];
        const char *motorKeys[][2] = {
            {"ThreePhaseR", "10"},
            {"ThreePhaseL", "33m"},
            {"ThreePhaseVemf", "5m"},
            {"ThreePhaseCycleLength", "5m"},
            {"ThreePhasenPoles", "4"},
            {"ThreePhaseisDelta", "1"},
            {"ThreePhaseControlVariable", "1"},
            {"ThreePhaseControlType", "0"},
            {"ThreePhaseConstantVariable", "2"},
            {"ThreePhaseControlAmplitude", "600"},
            {"ThreePhaseConstantAmplitude", "75"},
            {"ThreePhaseisLinear", "0"},
            {"ThreePhaseTimeVector", "0 1 2 3 4 "},
            {"ThreePhaseAmplitudeVector", "0 600 600 0 0 "},
            {"P3graphables", "I1 null null null null null "},
        };
        for (const auto &row : motorKeys)
            QTest::newRow(row[0]) << "page_9" << row[0] << row[1];
    }
    void startupEntries()
    {
        QFETCH(QString, page);
        QFETCH(QString, key);
        QFETCH(QString, value);
        auto *p = qobject_cast<ToolPage *>(this->page(page));
        QVERIFY(p->entryKeys().contains(key));
        QCOMPARE(p->entry(key), value);
    }

    void unknownKeys()
    {
        for (ToolPage *p : {static_cast<ToolPage *>(pump()), static_cast<ToolPage *>(motor())}) {
            const QStringList keys = p->entryKeys();
            QStringList values;
            for (const QString &k : keys)
                values << p->entry(k);
            QVERIFY(!p->setEntry(QStringLiteral("SOAprevTab"), QStringLiteral("1")));
            QVERIFY(!p->setEntry(QStringLiteral("ihcprin"), QStringLiteral("1")));
            QVERIFY(p->entry(QStringLiteral("SOAprevTab")).isEmpty());
            for (int i = 0; i < keys.size(); ++i)
                QCOMPARE(p->entry(keys[i]), values[i]);
        }
    }

    // A profile point typed with a blank, or left empty, must not shift the
    // times against the amplitudes when the file splits the line at blanks.
    void motorListsKeepTheirPairing()
    {
        const ThreePhaseMotor saved = motor()->motor();
        ThreePhaseMotor m = saved;
        m.timeVector = QStringList{"0", "2 m", "", "4"};
        motor()->setMotor(m);
        const QString line = motor()->entry(QStringLiteral("ThreePhaseTimeVector"));
        QCOMPARE(line, QStringLiteral("0 2m 0 4 "));
        QVERIFY(motor()->setEntry(QStringLiteral("ThreePhaseTimeVector"), line));
        QCOMPARE(motor()->motor().timeVector.size(), 4);
        motor()->setMotor(saved);
    }

    // The chart switch is a stored entry: the button names the other view.
    void sweepButton()
    {
        auto *button = pump()->findChild<QPushButton *>(QStringLiteral("IHCPsweepButton"));
        m_window->setDesignChanged(false);
        button->click();
        QCOMPARE(pump()->entry(QStringLiteral("sweepIHCP")), QStringLiteral("1"));
        QCOMPARE(button->text(), QStringLiteral("Bode Plot"));
        QVERIFY(m_window->designChanged());
        button->click();
        QCOMPARE(pump()->entry(QStringLiteral("sweepIHCP")), QStringLiteral("0"));
        QCOMPARE(button->text(), QStringLiteral("Sweep Load Impedance"));
        QVERIFY(pump()->setEntry(QStringLiteral("sweepIHCP"), QStringLiteral("1")));
        QCOMPARE(button->text(), QStringLiteral("Bode Plot"));
        QVERIFY(pump()->setEntry(QStringLiteral("sweepIHCP"), QStringLiteral("0")));
        QCOMPARE(button->text(), QStringLiteral("Sweep Load Impedance"));
    }

    void soaExchangeButtons()
    {
        QSignalSpy exports(pump(), &CurrentPumpPage::exportToSoaRequested);
        QSignalSpy imports(pump(), &CurrentPumpPage::importFromSoaRequested);
        pump()->findChild<QPushButton *>(QStringLiteral("IHCPexportSOA"))->click();
        QCOMPARE(exports.count(), 1);
        QCOMPARE(imports.count(), 0);
        pump()->findChild<QPushButton *>(QStringLiteral("IHCPimportSOA"))->click();
        QCOMPARE(imports.count(), 1);
        QCOMPARE(exports.count(), 1);
    }

    void descriptionFiles_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("file");
        const int files[] = {61, 0, 10, 17, 23, 29, 35, 50, 54, 69, 78, 86};
        for (int i = 0; i < 12; ++i)
            QTest::newRow(qPrintable(QString::number(i))) << i << files[i];
        QTest::newRow("below") << -1 << 0;
        QTest::newRow("above") << 12 << 0;
    }
    void descriptionFiles()
    {
        QFETCH(int, index);
        QFETCH(int, file);
        QCOMPARE(ExamplesPage::descriptionFile(index), file);
    }

    void showExample()
    {
        auto *box = examples()->findChild<QComboBox *>(QStringLiteral("ExampleSelection"));
        examples()->showExample(6);
        QCOMPARE(box->currentIndex(), 6);
        examples()->showExample(1);
        QCOMPARE(box->currentIndex(), 1);
        examples()->showExample(40);
        QCOMPARE(box->currentIndex(), 1);
        examples()->showExample(0);
        QCOMPARE(box->currentIndex(), 0);
    }

    void homeButtonsReachPages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::newRow("IHCPbutton") << "IHCPbutton" << "page_3";
        QTest::newRow("ThreePhaseButton") << "ThreePhaseButton" << "page_9";
        QTest::newRow("Examples") << "Examples" << "page_10";
    }
    void homeButtonsReachPages()
    {
        QFETCH(QString, button);
        QFETCH(QString, page);
        stack()->setCurrentIndex(0);
        m_window->findChild<QAbstractButton *>(button)->click();
        QCOMPARE(stack()->currentWidget(), this->page(page));
    }

    // At the window's own size with the default font nothing needs scrolling.
    void fitsTheWindow_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("page_3") << "page_3";
        QTest::newRow("page_9") << "page_9";
        QTest::newRow("page_10") << "page_10";
    }
    void fitsTheWindow()
    {
        QFETCH(QString, page);
        m_window->resize(1230, 691);
        showPage(page);
        QCOMPARE(FormProbe::scrollNeeded(this->page(page)), QSize(0, 0));
    }

    void nothingSqueezed_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("points");
        for (const char *name : {"page_3", "page_9", "page_10"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 default").arg(QLatin1String(name)))) << name << 0;
            QTest::newRow(qPrintable(QStringLiteral("%1 24 pt").arg(QLatin1String(name)))) << name << 24;
        }
    }
    void nothingSqueezed()
    {
        QFETCH(QString, page);
        QFETCH(int, points);
        const QFont before = QApplication::font("QWidget");
        if (points > 0)
            QApplication::setFont(QFont(QStringLiteral("MS Shell Dlg 2"), points), "QWidget");
        m_window->resize(1230, 691);
        showPage(page);
        const QStringList names = FormProbe::squeezed(this->page(page));
        QApplication::setFont(before, "QWidget");
        QApplication::processEvents();
        QVERIFY2(names.isEmpty(), qPrintable(names.join(QLatin1Char(' '))));
    }

    void namesUnique()
    {
        for (QWidget *p : {page(QStringLiteral("page_3")), page(QStringLiteral("page_9")),
                           page(QStringLiteral("page_10"))}) {
            for (QObject *o : p->findChildren<QObject *>()) {
                if (o->objectName().isEmpty() || o->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                // A tab bar names its own scroll buttons.
                if (qobject_cast<QTabBar *>(o->parent()))
                    continue;
                QVERIFY2(m_window->findChildren<QObject *>(o->objectName()).size() == 1,
                         qPrintable(o->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestPumpMotorForms)
#include "test_pumpmotorforms.moc"
