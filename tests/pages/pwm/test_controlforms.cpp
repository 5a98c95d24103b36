#include <QAbstractButton>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "app/mainwindow.h"
#include "formcheck.h"
#include "pages/toolpage.h"

using FormCheck::addRow;

// The three steps of the PWM control design (page_15, page_16, page_17) as
// the window builds them, and the circuit components stored in step 3.
class TestControlForms : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
    MainWindow *m_window = nullptr;

    QWidget *step(int n)
    {
        static const char *const names[] = {"page_15", "page_16", "page_17"};
        return m_window->findChild<QWidget *>(QLatin1String(names[n - 1]));
    }
    ToolPage *step3() { return m_window->findChild<ToolPage *>(QStringLiteral("page_17")); }

    static QStringList labelTexts(QWidget *page)
    {
        QStringList texts;
        for (QLabel *l : page->findChildren<QLabel *>())
            texts << l->text();
        return texts;
    }

private slots:
    void initTestCase()
    {
        m_oldCwd = QDir::currentPath();
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        m_window = new MainWindow;
    }
    void cleanupTestCase()
    {
        delete m_window;
        QDir::setCurrent(m_oldCwd);
    }

    void titles_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("title");
        QTest::newRow("1") << 1 << "PWM Control Design Step 1: Choose a Circuit Type";
        QTest::newRow("2") << 2 << "PWM Control Design Step 2: Define Inputs and Outputs";
        QTest::newRow("3") << 3 << "PWM Control Design Step 3: Adjust the Circuit";
    }
    void titles()
    {
        QFETCH(int, n);
        QFETCH(QString, title);
        QVERIFY(labelTexts(step(n)).contains(title));
    }

    void step1Form_data()
    {
        FormCheck::addColumns();
        const char *const buttons[][2] = {
            {"V1button", "Voltage 1"}, {"V2button", "Voltage 2"}, {"I1button", "Current 1"}, {"I2button", "Current 2"}};
        for (const auto &b : buttons) {
            addRow(b[0], "QAbstractButton", "text", b[1]);
            addRow(b[0], "QAbstractButton", "statusTip", "Click for description");
            addRow(b[0], "QAbstractButton", "checkable", true);
        }
        addRow("SConDesc", "QTextEdit", "readOnly", true);
        addRow("toFilterDesign", "QPushButton", "text", "To Filter Design");
        addRow("toPWMPower", "QPushButton", "text", "To PWM Power");
        addRow("NexttoStep2", "QPushButton", "text", "Next");
    }
    void step1Form() { FormCheck::checkRow(step(1)); }

    // The circuit buttons work as one choice, each showing its picture.
    void circuitButtons()
    {
        int checked = 0;
        for (const char *name : {"V1button", "V2button", "I1button", "I2button"}) {
            auto *b = step(1)->findChild<QAbstractButton *>(QLatin1String(name));
            checked += b->isChecked() ? 1 : 0;
            QVERIFY2(!b->icon().isNull(), name);
            QVERIFY(b->autoExclusive());
        }
        QCOMPARE(checked, 1);
    }

    void descriptions_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("V1")
            << "V1button"
            << "Voltage 1\n\nAdvantages: Lends itself very well to level-shifting the input signals with a single bias "
               "resistor. Easy to stay within the common mode input restrictions of the integrator op-amp.\n\n"
               "Disadvantages: Requires an additional op-amp. A difference amplifier - with internal precision "
               "resistors, excellent common mode rejection at the switching frequency, and unity-gain stability - is "
               "highly recommended.";
        QTest::newRow("V2")
            << "V2button"
            << "Voltage 2\n\nAdvantages: Simpler circuit design than Voltage 1. Does not require additional op-amps "
               "other than the integrator. \n\nDisadvantages: Level-shifting the input requires more attention. Both "
               "pull-up and pull-down resistors should be used to stay within the common mode input range of the "
               "integrator.";
        QTest::newRow("I1")
            << "I1button"
            << "Current 1\n\nAdvantages: Difference amplifier does not need high CMRR. High-voltage applications "
               "(greater than 200V) should use this topology.\n\nDisadvantages: Can ONLY be used with PWM amplifiers "
               "that have 2 I_Sense pins (some models have only 1). In addition, the feedback signal is representative "
               "of all output current (including filter and matching network current), whereas Current 2 can measure "
               "load current independently.\n\nNot Recommended for Half-Bridges.";
        QTest::newRow("I2")
            << "I2button"
            << "Current 2\n\nAdvantages: Senses Load current independently of filter and matching network. Highly "
               "recommended for low-voltage applications and/or PWM amplifiers with one I_Sense pin.\n\n"
               "Disadvantages: Sensed current will have extremely high common mode voltages. A difference amplifier - "
               "with internal precision resistors, excellent common mode rejection at the switching frequency, and "
               "unity-gain stability - is highly recommended.\n\nNot Recommended for Half-Bridges.";
    }
    void descriptions()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        MainWindow w;
        auto *b = w.findChild<QAbstractButton *>(button);
        b->click();
        QVERIFY(b->isChecked());
        QCOMPARE(w.findChild<QTextEdit *>(QStringLiteral("SConDesc"))->toPlainText(), text);
    }

    void step2Form_data()
    {
        FormCheck::addColumns();
        addRow("ampSelectorSCon", "QComboBox", "currentText", "TZM730");
        addRow("SConVinMax", "QLineEdit", "text", "3.2");
        addRow("SConVinMin", "QLineEdit", "text", "-1.2");
        addRow("SConFreq", "QLineEdit", "text", "100");
        addRow("SConVs", "QLineEdit", "text", "72");
        addRow("SConMaxVs", "QPushButton", "text", "Use Max");
        addRow("SConVcc", "QLineEdit", "text", "15");
        addRow("SConTypVcc", "QPushButton", "text", "Use Typical");
        addRow("SConFsw", "QLineEdit", "text", "20k");
        addRow("SConMaxFsw", "QPushButton", "text", "Use Max");
        addRow("SConVoutMax", "QLineEdit", "text", "30");
        addRow("SConVoutMin", "QLineEdit", "text", "-30");
        addRow("ImportFromPWMPower", "QPushButton", "statusTip",
               "Import All White Fields (and Amplifier Selection) from PWM Power Module");
        addRow("SConNotes", "QTextEdit", "readOnly", true);
        addRow("PrevtoStep1", "QPushButton", "enabled", true);
        addRow("NexttoStep3", "QPushButton", "enabled", true);
        addRow("toPWMPower_2", "QPushButton", "text", "To PWM Power");
    }
    void step2Form() { FormCheck::checkRow(step(2)); }

    void step2Captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("beside");
        QTest::newRow("amp") << "ampSelectorSCon" << QStringList{"Select Amplifier:"};
        QTest::newRow("Vin max") << "SConVinMax" << QStringList{"V_in Max", "V"};
        QTest::newRow("Vin min") << "SConVinMin" << QStringList{"V_in Min", "V"};
        QTest::newRow("fsig") << "SConFreq" << QStringList{"F_signal", "Hz"};
        QTest::newRow("Vs") << "SConVs" << QStringList{"Vs", "V", "Use Max", "High-Voltage Supply for Output Stage"};
        QTest::newRow("Vcc") << "SConVcc"
                             << QStringList{"Vcc", "V", "Use Typical", "Low-Voltage Supply for Front-End Drivers"};
        QTest::newRow("fsw") << "SConFsw" << QStringList{"F_switch", "Hz", "Use Max"};
        // Voltage 1 is the circuit chosen at start.
        QTest::newRow("Vout max") << "SConVoutMax" << QStringList{"V_out Max", "V"};
        QTest::newRow("Vout min") << "SConVoutMin" << QStringList{"V_out Min", "V"};
    }
    void step2Captions()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, beside);
        auto *w = step(2)->findChild<QWidget *>(name);
        QVERIFY(w);
        const QStringList row = FormCheck::rowTexts(w);
        for (const QString &text : beside)
            QVERIFY2(row.contains(text), qPrintable(text + QStringLiteral(" not in ") + row.join(QLatin1Char('|'))));
    }

    void step2Notes()
    {
        const QStringList texts = labelTexts(step(2));
        QVERIFY(texts.contains(QStringLiteral("V_out = Vs * Duty Cycle")));
        QVERIFY(texts.contains(QStringLiteral("V_out is differential across the filter input")));
    }

    void step3Form_data()
    {
        FormCheck::addColumns();
        addRow("SConTab", "QTabWidget", "currentIndex", 0);
        addRow("SConTab", "QTabWidget", "count", 2);
        addRow("SControlSch", "QCustomPlot", "statusTip",
               "Click on circuit values to change them. Amplifier output voltages are given for reference. Blue "
               "components will not change when \"Auto\" is pressed.");
        addRow("SConTcl", "QCustomPlot", "enabled", true);
        addRow("SConPhase", "QLabel", "enabled", true);
        addRow("SConPeaking", "QLabel", "enabled", true);
        addRow("SConFreqPeak", "QLabel", "enabled", true);
        addRow("SConAutoButton", "QPushButton", "text", "Auto");
        addRow("SConHideBlocks", "QCheckBox", "text", "Hide Circuit Blocks");
        addRow("SConHideBlocks", "QCheckBox", "checked", false);
        addRow("SConHideBlocks", "QCheckBox", "statusTip", "Check to hide the colored boxes in the schematic");
        addRow("PrevtoStep2", "QPushButton", "enabled", true);
    }
    void step3Form() { FormCheck::checkRow(step(3)); }

    void step3Layout()
    {
        auto *tabs = step(3)->findChild<QTabWidget *>(QStringLiteral("SConTab"));
        QVERIFY(tabs->widget(0)->isAncestorOf(step(3)->findChild<QWidget *>(QStringLiteral("SControlSch"))));
        QVERIFY(tabs->widget(1)->isAncestorOf(step(3)->findChild<QWidget *>(QStringLiteral("SConTcl"))));
        QVERIFY(FormCheck::rowTexts(step(3)->findChild<QWidget *>(QStringLiteral("SConPhase"))).contains("Phase Margin:"));
        QVERIFY(FormCheck::rowTexts(step(3)->findChild<QWidget *>(QStringLiteral("SConPeaking"))).contains("Peaking:"));
        QVERIFY(FormCheck::rowTexts(step(3)->findChild<QWidget *>(QStringLiteral("SConFreqPeak")))
                    .contains("Frequency of Peaking:"));
    }

    void components_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const char *const table[][2] = {
            {"SConRint", "1k"},   {"SConCint", "4.7n"},  {"SConVref", "2.5"}, {"SConVbias", "15"},
            {"SConRbias", "83333"}, {"SConRin", "10k"},  {"SConRf", "14k"},   {"SConRnf", "0"},
            {"SConCnf", "0"},     {"SConRdf", "6.2k"},   {"SConCdf", "1.2n"}, {"SConRdin", "90k"},
            {"SConRdif", "9k"},   {"SConCdif", "1n"},    {"SConRbh", "open"}, {"SConRbl", "open"},
            {"SConRs", "0.2"},    {"SConRv", "open"},    {"SConCv", "open"}};
        for (const auto &row : table)
            QTest::newRow(row[0]) << row[0] << row[1];
    }
    void components()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(step3()->entry(key), value);
    }

    void componentOrder()
    {
        QCOMPARE(step3()->entryKeys(),
                 (QStringList{"SConRint", "SConCint", "SConVref", "SConVbias", "SConRbias", "SConRin", "SConRf",
                              "SConRnf", "SConCnf", "SConRdf", "SConCdf", "SConRdin", "SConRdif", "SConCdif",
                              "SConRbh", "SConRbl", "SConRs", "SConRv", "SConCv"}));
    }

    // Component strings are kept exactly as typed, words included.
    void componentRoundTrip_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("value") << "SConRint" << "2.2k";
        QTest::newRow("open") << "SConCint" << "open";
        QTest::newRow("inf") << "SConCnf" << "Inf";
        QTest::newRow("none") << "SConCv" << "none";
        QTest::newRow("blank") << "SConRs" << "0.1 m";
        QTest::newRow("bad") << "SConRv" << "abc";
    }
    void componentRoundTrip()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        MainWindow w;
        auto *page = w.findChild<ToolPage *>(QStringLiteral("page_17"));
        QVERIFY(page->setEntry(key, value));
        QCOMPARE(page->entry(key), value);
        QCOMPARE(page->entry(QStringLiteral("SConRin")), QStringLiteral("10k"));
    }

    void unknownComponent()
    {
        QVERIFY(!step3()->setEntry(QStringLiteral("SConRx"), QStringLiteral("1")));
        QVERIFY(!step3()->entryKeys().contains(QStringLiteral("SConRx")));
        QVERIFY(step3()->entry(QStringLiteral("SConRx")).isEmpty());
    }

    void uniqueNames()
    {
        for (int n = 1; n <= 3; ++n)
            FormCheck::checkUniqueNames(m_window, step(n));
    }

    void fitAtWindowSize_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("step 1") << "page_15";
        QTest::newRow("step 2") << "page_16";
        QTest::newRow("step 3") << "page_17";
    }
    void fitAtWindowSize()
    {
        QFETCH(QString, page);
        MainWindow w;
        FormCheck::checkFitsWithoutScrolling(&w, w.findChild<QStackedWidget *>(QStringLiteral("Page")),
                                             w.findChild<QWidget *>(page));
    }
};

QTEST_MAIN(TestControlForms)
#include "test_controlforms.moc"
