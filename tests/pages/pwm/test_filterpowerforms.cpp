#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/mainwindow.h"
#include "formcheck.h"
#include "pages/pwm/pwmpowerpage.h"

using FormCheck::addRow;

// The filter page (page_11) and the PWM power page (page_8) as the window
// builds them: every named widget with its default, and the power page's
// stored network and parasitic entries.
class TestFilterPowerForms : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
    MainWindow *m_window = nullptr;

    QWidget *filterPage() { return m_window->findChild<QWidget *>(QStringLiteral("page_11")); }
    PwmPowerPage *powerPage() { return m_window->findChild<PwmPowerPage *>(QStringLiteral("page_8")); }
    template <class T>
    T *widget(MainWindow &w, const char *name)
    {
        return w.findChild<T *>(QLatin1String(name));
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

    void filterForm_data()
    {
        FormCheck::addColumns();
        addRow("ampSelectorFilter", "QComboBox", "statusTip", "Select Pulse Width Modulation Amplifier");
        addRow("ampSelectorFilter", "QComboBox", "currentText", "TZ636");
        addRow("filterVs", "QLineEdit", "text", "48");
        addRow("filterVs", "QLineEdit", "statusTip", "High-Current Supply Voltage");
        addRow("useMaxVs", "QPushButton", "text", "Use Maximum");
        addRow("filterFsw", "QLineEdit", "text", "20k");
        addRow("filterFsw", "QLineEdit", "statusTip", "Frequency of Output Switching (typically half the clock frequency)");
        addRow("useMaxFsw", "QPushButton", "text", "Use Maximum");
        addRow("filterFcut", "QLineEdit", "text", "2k");
        addRow("filterFcut", "QLineEdit", "statusTip", "Frequency of -3dB attenuation for Low Pass Filter");
        addRow("useFswOver10", "QPushButton", "text", "Use Fsw / 10");
        addRow("useFswOver10", "QPushButton", "statusTip",
               "Use One Decade Below Switching Frequency. Typically requires a filter order of 2 or 3");
        addRow("filterVrip", "QLineEdit", "text", "0.02");
        addRow("filterR_L", "QLineEdit", "text", "15");
        addRow("filterR_L", "QLineEdit", "statusTip",
               "Load Resistance. If load has any reactive component, a matching network must be used to counteract it.");
        addRow("filterOrder", "QLabel", "text", "2");
        addRow("useRecN", "QPushButton", "text", "Use Recommended");
        addRow("filterOrderActual", "QSpinBox", "minimum", 1);
        addRow("filterOrderActual", "QSpinBox", "maximum", 6);
        addRow("filterOrderActual", "QSpinBox", "value", 2);
        addRow("HBbutton", "QRadioButton", "text", "Half-Bridge");
        addRow("HBbutton", "QRadioButton", "checked", false);
        addRow("HBbutton", "QRadioButton", "statusTip", "Uses one output of a PWM amp. Allows for uni-directional modulation.");
        addRow("FBbutton", "QRadioButton", "text", "Full-Bridge");
        addRow("FBbutton", "QRadioButton", "checked", true);
        addRow("FBbutton", "QRadioButton", "statusTip",
               "Uses two outputs of a PWM amp to form an H-bridge. Allows for bi-directional modulation.");
        addRow("SEbutton", "QRadioButton", "text", "Single-Ended");
        addRow("SEbutton", "QRadioButton", "checked", false);
        addRow("SEbutton", "QRadioButton", "statusTip",
               "Only choice for half bridges. For full bridges, this type of filter can suffer from terrible EMI problems.");
        addRow("DCbutton", "QRadioButton", "text", "Dual-Capacitor");
        addRow("DCbutton", "QRadioButton", "checked", false);
        addRow("DCbutton", "QRadioButton", "statusTip",
               "Works well for low frequencies. Very sensitive to parasitics of the capacitors.");
        addRow("SIbutton", "QRadioButton", "text", "Split-Inductor");
        addRow("SIbutton", "QRadioButton", "checked", true);
        addRow("SIbutton", "QRadioButton", "statusTip",
               "Usually the best bet for full-bridges. Requires large bipolar capacitors.");
        addRow("dbAttenuation", "QRadioButton", "text", "Decibels");
        addRow("dbAttenuation", "QRadioButton", "checked", true);
        addRow("percentAttenuation", "QRadioButton", "text", "Percent");
        addRow("percentAttenuation", "QRadioButton", "checked", false);
        addRow("filterVripActual", "QLabel", "statusTip", "Amplitude of voltage peaks \"riding\" on voltage waveform at load");
        addRow("FilterIrip", "QLabel", "statusTip", "Amplitude of current peaks flowing out of amplifier due to PWM modulation");
        addRow("ClegLabel", "QLabel", "text", "Recommended C_LEG = ");
        addRow("ClegLabel", "QLabel", "hidden", false);
        addRow("Cleg", "QLabel", "hidden", false);
        addRow("Cleg", "QLabel", "statusTip",
               "Optional components in the Split-Inductor topology. Attach a capacitor of this value from either "
               "side of C1 to ground. These two capacitors work well to reduce common mode voltages at the output");
        addRow("loadFilterToPower", "QPushButton", "text", "Load Filter to Power Sheet");
        addRow("PWMTutFilter", "QPushButton", "text", "Tutorial");
        addRow("MNbutton", "QPushButton", "enabled", true);
        addRow("filterStack", "QStackedWidget", "currentIndex", 0);
        addRow("filterStack", "QStackedWidget", "count", 2);
        addRow("filterRload", "QLineEdit", "text", "15");
        addRow("filterLoadIsC", "QRadioButton", "text", "C_LOAD");
        addRow("filterLoadIsC", "QRadioButton", "checked", false);
        addRow("filterLoadIsL", "QRadioButton", "text", "L_LOAD");
        addRow("filterLoadIsL", "QRadioButton", "checked", true);
        addRow("filterCload", "QLineEdit", "text", "short");
        addRow("filterLload", "QLineEdit", "text", "short");
        addRow("filterRm", "QLabel", "text", "none");
        addRow("filterRm", "QLabel", "statusTip", "Recommended Matching Resistor");
        addRow("filterCm", "QLabel", "text", "none");
        addRow("filterCm", "QLabel", "statusTip", "Recommended Matching Capacitor");
        addRow("filterLm", "QLabel", "text", "none");
        addRow("filterLm", "QLabel", "statusTip", "Recommended Matching Inductor");
        addRow("orderButton", "QPushButton", "text", "Back");
        addRow("useMNvalues", "QPushButton", "text", "Use Values");
        addRow("useMNvalues", "QPushButton", "statusTip", "Copy load resistance to previous sheet");
        addRow("filterPlot", "QCustomPlot", "enabled", true);
        addRow("attenuationPlot", "QCustomPlot", "enabled", true);
    }
    void filterForm() { FormCheck::checkRow(filterPage()); }

    // Captions and units read beside their field, as the user sees them.
    void filterCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("beside");
        QTest::newRow("Vs") << "filterVs" << QStringList{"Supply Voltage Vs", "V", "Use Maximum"};
        QTest::newRow("fsw") << "filterFsw" << QStringList{"Switching Frequency", "Hz", "Use Maximum"};
        QTest::newRow("fc") << "filterFcut" << QStringList{"Cutoff Frequency", "Hz", "Use Fsw / 10"};
        QTest::newRow("ripple") << "filterVrip" << QStringList{"Allowable Ripple", "Vpeak"};
        QTest::newRow("R_L") << "filterR_L" << QStringList{"R_LOAD", "Ω"};
        QTest::newRow("order") << "filterOrder" << QStringList{"Recommended Filter Order N = ", "Use Recommended"};
        QTest::newRow("actual order") << "filterOrderActual" << QStringList{"Actual Filter Order", "[1 to 6]"};
        QTest::newRow("ripple V") << "filterVripActual" << QStringList{"Ripple Voltage = "};
        QTest::newRow("ripple I") << "FilterIrip" << QStringList{"Ripple Current = "};
        QTest::newRow("C_LEG") << "Cleg" << QStringList{"Recommended C_LEG = "};
        QTest::newRow("C load") << "filterCload" << QStringList{"C_LOAD", "µF"};
        QTest::newRow("L load") << "filterLload" << QStringList{"L_LOAD", "mH"};
        QTest::newRow("R_M") << "filterRm" << QStringList{"R_M = "};
        QTest::newRow("C_M") << "filterCm" << QStringList{"C_M = "};
        QTest::newRow("L_M") << "filterLm" << QStringList{"L_M = "};
    }
    void filterCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, beside);
        auto *w = filterPage()->findChild<QWidget *>(name);
        QVERIFY(w);
        const QStringList row = FormCheck::rowTexts(w);
        for (const QString &text : beside)
            QVERIFY2(row.contains(text), qPrintable(text + QStringLiteral(" not in ") + row.join(QLatin1Char('|'))));
    }

    void filterGroups_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("HB") << "HBbutton" << "First: Choose Output Type";
        QTest::newRow("FB") << "FBbutton" << "First: Choose Output Type";
        QTest::newRow("SE") << "SEbutton" << "Second: Choose Filter Type";
        QTest::newRow("DC") << "DCbutton" << "Second: Choose Filter Type";
        QTest::newRow("SI") << "SIbutton" << "Second: Choose Filter Type";
        QTest::newRow("dB") << "dbAttenuation" << "Display Attenuation In:";
        QTest::newRow("%") << "percentAttenuation" << "Display Attenuation In:";
    }
    void filterGroups()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QCOMPARE(FormCheck::groupTitle(filterPage()->findChild<QWidget *>(name)), title);
    }

    // Sheet 1 holds the matching network; both sheets share the schematic canvas.
    void filterSheets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("sheet");
        for (const char *n : {"ampSelectorFilter", "filterVs", "filterFsw", "filterFcut", "filterVrip", "filterR_L",
                              "filterOrderActual", "HBbutton", "SIbutton", "Cleg"})
            QTest::newRow(n) << n << 0;
        for (const char *n : {"filterRload", "filterLoadIsC", "filterLoadIsL", "filterCload", "filterLload",
                              "filterRm", "filterCm", "filterLm", "orderButton", "useMNvalues"})
            QTest::newRow(n) << n << 1;
        QTest::newRow("filterPlot") << "filterPlot" << -1;
    }
    void filterSheets()
    {
        QFETCH(QString, name);
        QFETCH(int, sheet);
        auto *stack = filterPage()->findChild<QStackedWidget *>(QStringLiteral("filterStack"));
        auto *w = filterPage()->findChild<QWidget *>(name);
        QVERIFY(stack && w);
        if (sheet < 0)
            QVERIFY(!stack->isAncestorOf(w));
        else
            QVERIFY(stack->widget(sheet)->isAncestorOf(w));
    }

    void filterSheetButtons()
    {
        MainWindow w;
        auto *stack = widget<QStackedWidget>(w, "filterStack");
        widget<QPushButton>(w, "MNbutton")->click();
        QCOMPARE(stack->currentIndex(), 1);
        QVERIFY(w.designChanged());
        widget<QPushButton>(w, "orderButton")->click();
        QCOMPARE(stack->currentIndex(), 0);

        widget<QPushButton>(w, "MNbutton")->click();
        widget<QLineEdit>(w, "filterRload")->setText(QStringLiteral("22"));
        widget<QPushButton>(w, "useMNvalues")->click();
        QCOMPARE(widget<QLineEdit>(w, "filterR_L")->text(), QStringLiteral("22"));
        QCOMPARE(stack->currentIndex(), 0);
    }

    void powerForm_data()
    {
        FormCheck::addColumns();
        addRow("ampSelectorPower", "QComboBox", "currentText", "TZ636");
        addRow("VsPWM", "QLineEdit", "text", "48");
        addRow("VsPWM", "QLineEdit", "statusTip", "High-Current Supply Voltage");
        addRow("UseMaxVsPower", "QPushButton", "text", "Use Maximum");
        addRow("FsPWM", "QLineEdit", "text", "20k");
        addRow("FsPWM", "QLineEdit", "statusTip", "Frequency of Output Switching (typically half the clock frequency)");
        addRow("UseMaxFswPower", "QPushButton", "text", "Use Maximum");
        addRow("SigTypePWM", "QComboBox", "currentIndex", 0);
        addRow("SigTypePWM", "QComboBox", "count", 2);
        addRow("SigTypePWM", "QComboBox", "statusTip", "Select Output Signal Type (V or I)");
        addRow("PWMOut", "QLineEdit", "text", "40");
        addRow("PWMOutMin", "QLineEdit", "text", "-40");
        addRow("SigTypePWMMin", "QLabel", "text", "Min V_out = ");
        addRow("VorILabelMax", "QLabel", "text", "V");
        addRow("VorILabelMin", "QLabel", "text", "V");
        addRow("FsigPWM", "QLineEdit", "text", "2k");
        addRow("FsigPWM", "QLineEdit", "statusTip",
               "Desired Frequency Applied to Load (this positions the frequency marker in the graph below)");
        addRow("HBPower", "QRadioButton", "text", "Half-Bridge");
        addRow("HBPower", "QRadioButton", "statusTip", "Uses one output of a PWM amp. Allows for uni-directional modulation.");
        addRow("FBPower", "QRadioButton", "text", "Full-Bridge");
        addRow("FBPower", "QRadioButton", "statusTip",
               "Uses two outputs of a PWM amp to form an H-bridge. Allows for bi-directional modulation.");
        addRow("SEpower", "QRadioButton", "text", "Single-Ended");
        addRow("DCpower", "QRadioButton", "text", "Dual-Capacitor");
        addRow("SIpower", "QRadioButton", "text", "Split-Inductor");
        addRow("SIpower", "QRadioButton", "statusTip", "Usually the best bet for full-bridges. Requires large bipolar capacitors.");
        addRow("PWMfilterOrder", "QSpinBox", "minimum", 0);
        addRow("PWMfilterOrder", "QSpinBox", "maximum", 6);
        addRow("tempAPower", "QLineEdit", "text", "25");
        addRow("heatsinkPower", "QLineEdit", "text", "0");
        addRow("heatsinkPower", "QLineEdit", "statusTip", "Enter thermal resistance of heatsink. Enter \"none\" for no heatsink");
        addRow("ThermalCompoundPower", "QLineEdit", "text", "0.1");
        addRow("ThermalCompoundPower", "QLineEdit", "statusTip", "Thermal resistance of amp-heatsink interface.");
        addRow("PowerNotes", "QTextEdit", "statusTip", "Warnings will appear here.");
        addRow("Fhotspot", "QLabel", "statusTip",
               "For applications where operation frequency changes, enter this number in 'Signal Frequency' for "
               "worst-case power dissipation");
        addRow("PowerTabs", "QTabWidget", "currentIndex", 0);
        addRow("PowerTabs", "QTabWidget", "count", 4);
        addRow("FullFilter", "QCustomPlot", "statusTip", "Filter and Load Schematic, including parasitic elements of filter.");
        addRow("FilterFreq", "QCustomPlot", "statusTip", "Frequency Sweep");
        addRow("yVariable", "QComboBox", "currentIndex", 6);
        addRow("yVariable", "QComboBox", "statusTip", "Choose the type of Frequency sweep to view below");
        addRow("Fmin", "QLineEdit", "text", "auto");
        addRow("Fmin", "QLineEdit", "statusTip", "Minimum Frequency Bound. Enter \"auto\" to automatically scale this range.");
        addRow("Fmax", "QLineEdit", "text", "auto");
        addRow("Fmax", "QLineEdit", "statusTip", "Maximum Frequency Bound. Enter \"auto\" to automatically scale this range.");
        addRow("ExtendedLoad", "QPushButton", "text", "Extended Load");
        addRow("ExtendedLoad", "QPushButton", "statusTip", "Add more load elements to model a more intricate load");
        addRow("AutoMN", "QPushButton", "text", "Auto Matching Network");
        addRow("AutoMN", "QPushButton", "statusTip",
               "Automatically tunes Matching Network for a simple R-L or R-C load. Makes the load appear resistive "
               "at all frequencies");
        addRow("ToPWMControl", "QPushButton", "text", "To PWM Control Design");
        addRow("PWMTut", "QPushButton", "text", "Tutorial");
        addRow("ImportFilter", "QPushButton", "enabled", true);
        addRow("LESRB", "QLineEdit", "text", "0.3");
        addRow("LESRC", "QLineEdit", "text", "0.01");
        addRow("LEPCB", "QLineEdit", "text", "25");
        addRow("LEPCC", "QLineEdit", "text", "20");
        addRow("PESRB", "QLineEdit", "text", "0.05");
        addRow("PESRC", "QLineEdit", "text", "0.05");
        addRow("PESLB", "QLineEdit", "text", "13");
        addRow("PESLC", "QLineEdit", "text", "10");
        addRow("EESRB", "QLineEdit", "text", "0.7");
        addRow("EESRC", "QLineEdit", "text", "0.15");
        addRow("EESLB", "QLineEdit", "text", "70");
        addRow("EESLC", "QLineEdit", "text", "30");
        addRow("UseLParasitics", "QPushButton", "statusTip", "Use the entered parasitic equations for all filter inductors");
        addRow("UsePParasitcs", "QPushButton", "statusTip",
               "Use the entered Plastic/Ceramic parasitic equations for all filter capacitors");
        addRow("UseEParasitics", "QPushButton", "statusTip",
               "Use the entered Electrolytic parasitic equations for all filter capacitors");
        addRow("ZeroLParasitics", "QPushButton", "statusTip", "Zero the parasitic R's and C's for all filter inductors");
        addRow("ZeroPParasitics", "QPushButton", "statusTip", "Zero the parasitic R's and L's for all filter capacitors");
        addRow("ZeroEParasitics", "QPushButton", "statusTip", "Zero the parasitic R's and L's for all filter capacitors");
    }
    void powerForm() { FormCheck::checkRow(powerPage()); }

    void powerCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("beside");
        QTest::newRow("order") << "PWMfilterOrder" << QStringList{"Filter Order"};
        QTest::newRow("Fmin") << "Fmin" << QStringList{"Display Frequency Range: ", "Hz"};
        QTest::newRow("Pamp") << "PampPower" << QStringList{"INTERNAL AMPLIFIER POWER (using current Junction Temp)"};
        QTest::newRow("Ptop") << "PtopPower" << QStringList{"Current Sourcing Element Power"};
        QTest::newRow("Pbot") << "PbotPower" << QStringList{"Current Sinking Element Power"};
        QTest::newRow("PiqVs") << "PiqVs" << QStringList{"Quiescent Power Vs"};
        QTest::newRow("PiqVcc") << "PiqVcc" << QStringList{"Quiescent Power Vcc"};
        QTest::newRow("Pwire") << "Pwire" << QStringList{"Power Lost in Wires"};
        QTest::newRow("Ptotal") << "Ptotal" << QStringList{"Total"};
        QTest::newRow("Pout") << "PoutPower" << QStringList{"Approximate True Load Power"};
        QTest::newRow("Vripple") << "VripplePower" << QStringList{"Ripple Voltage"};
        QTest::newRow("Iripple") << "IripplePower" << QStringList{"Ripple Current"};
        QTest::newRow("Vrange") << "VrangePower" << QStringList{"Maximum Output Range"};
        QTest::newRow("Fhotspot") << "Fhotspot"
                                  << QStringList{"Frequency of Highest Power Dissipation (Within Display Range)"};
        QTest::newRow("Tj") << "tempJPower" << QStringList{"Junction Temperature"};
        QTest::newRow("Tc") << "tempCPower" << QStringList{"Case Temperature"};
        QTest::newRow("min heatsink") << "minHeatsinkPower" << QStringList{"Minimum Heatsink"};
        QTest::newRow("Tc max") << "TcMaxPower" << QStringList{"Suggested Tc Max"};
        QTest::newRow("PWMOut") << "PWMOut" << QStringList{"V"};
        QTest::newRow("PWMOutMin") << "PWMOutMin" << QStringList{"Min V_out = ", "V"};
    }
    void powerCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, beside);
        auto *w = powerPage()->findChild<QWidget *>(name);
        QVERIFY(w);
        const QStringList row = FormCheck::rowTexts(w);
        for (const QString &text : beside)
            QVERIFY2(row.contains(text), qPrintable(text + QStringLiteral(" not in ") + row.join(QLatin1Char('|'))));
    }

    void powerCombos()
    {
        auto *y = powerPage()->findChild<QComboBox *>(QStringLiteral("yVariable"));
        QStringList items;
        for (int i = 0; i < y->count(); ++i)
            items << y->itemText(i);
        QCOMPARE(items, (QStringList{"Impedance", "Current", "Voltage", "Phase Shift", "Power", "Overall Efficiency",
                                     "Attenuation (dB)", "Attenuation (%)"}));
        auto *sig = powerPage()->findChild<QComboBox *>(QStringLiteral("SigTypePWM"));
        QCOMPARE(sig->itemText(0), QStringLiteral("Max V_out = "));
        QCOMPARE(sig->itemText(1), QStringLiteral("Max I_out = "));
    }

    // One bridge type and one topology are chosen at any time.
    void powerExclusiveChoices()
    {
        auto checkedCount = [this](std::initializer_list<const char *> names) {
            int n = 0;
            for (const char *name : names)
                n += powerPage()->findChild<QAbstractButton *>(QLatin1String(name))->isChecked() ? 1 : 0;
            return n;
        };
        QCOMPARE(checkedCount({"HBPower", "FBPower"}), 1);
        QCOMPARE(checkedCount({"SEpower", "DCpower", "SIpower"}), 1);
    }

    void powerTabs()
    {
        auto *tabs = powerPage()->findChild<QTabWidget *>(QStringLiteral("PowerTabs"));
        QVERIFY(tabs->widget(0)->isAncestorOf(powerPage()->findChild<QWidget *>(QStringLiteral("FullFilter"))));
        int parasitics = -1;
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QLatin1String("Filter Parasitics"))
                parasitics = i;
        QVERIFY(parasitics >= 0);
        for (const char *name : {"LESRB", "EESLC", "UseLParasitics", "ZeroEParasitics"})
            QVERIFY2(tabs->widget(parasitics)->isAncestorOf(powerPage()->findChild<QWidget *>(QLatin1String(name))), name);
        QVERIFY(!tabs->isAncestorOf(powerPage()->findChild<QWidget *>(QStringLiteral("FilterFreq"))));
        QCOMPARE(FormCheck::groupTitle(powerPage()->findChild<QWidget *>(QStringLiteral("LESRB"))), QStringLiteral("Inductors"));
        QCOMPARE(FormCheck::groupTitle(powerPage()->findChild<QWidget *>(QStringLiteral("PESLC"))),
                 QStringLiteral("Plastic/Ceramic Capacitors"));
        QCOMPARE(FormCheck::groupTitle(powerPage()->findChild<QWidget *>(QStringLiteral("EESRB"))),
                 QStringLiteral("Electrolytic Capacitors"));
        QStringList labels;
        for (QLabel *l : tabs->widget(parasitics)->findChildren<QLabel *>())
            labels << l->text();
        QVERIFY(labels.contains(QStringLiteral("Common Parasitics Equations:")));
        QVERIFY(labels.contains(QStringLiteral("Negative Logs Ignored")));
    }

    // Start-up values of the stored entries, as the design file writes them.
    void powerEntries_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("ACbidirectional") << "ACbidirectional" << "0";
        QTest::newRow("extendedLoad") << "extendedLoad" << "0";
        for (const char *k : {"P1", "P2", "P3", "P4", "P5", "P6", "MN", "L3", "L4"})
            QTest::newRow(k) << k << "0 0 0";
        QTest::newRow("L1") << "L1" << "0 0 short";
        QTest::newRow("L2") << "L2" << "0 0 short";
        QTest::newRow("L5") << "L5" << "0 open short";
        QTest::newRow("Lparasitics") << "Lparasitics" << "0.3 0.01 25 20";
        QTest::newRow("Pparasitics") << "Pparasitics" << "0.05 0.05 13 10";
        QTest::newRow("Eparasitics") << "Eparasitics" << "0.7 0.15 70 30";
    }
    void powerEntries()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QVERIFY(powerPage()->entryKeys().contains(key));
        QCOMPARE(powerPage()->entry(key), value);
    }

    void powerEntryOrder()
    {
        QStringList keys = powerPage()->entryKeys();
        const QStringList network{"P1", "P2", "P3", "P4", "P5", "P6", "MN", "L1", "L2", "L3", "L4", "L5"};
        QCOMPARE(keys.mid(keys.indexOf(QStringLiteral("P1")), network.size()), network);
        QCOMPARE(keys.size(), 18);
        QCOMPARE(keys.removeDuplicates(), 0);
    }

    void powerEntryRoundTrip_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("inductor") << "P1" << "1.2m 0.36 50p" << "1.2m 0.36 50p";
        QTest::newRow("capacitor") << "P2" << "0 0.05 4.7u" << "0 0.05 4.7u";
        QTest::newRow("load words") << "L5" << "open short 10" << "open short 10";
        QTest::newRow("matching") << "MN" << "2.25m 15 short" << "2.25m 15 short";
        QTest::newRow("extra blanks") << "L3" << "1m  2   3n" << "1m 2 3n";
        QTest::newRow("extended") << "extendedLoad" << "1" << "1";
        QTest::newRow("extended off") << "extendedLoad" << "0" << "0";
        QTest::newRow("bidirectional") << "ACbidirectional" << "1" << "1";
        QTest::newRow("bad int") << "ACbidirectional" << "x" << "0";
        QTest::newRow("inductor eq") << "Lparasitics" << "0.5 0.02 30 10" << "0.5 0.02 30 10";
        QTest::newRow("plastic eq") << "Pparasitics" << "0.1 0.2 15 12" << "0.1 0.2 15 12";
        QTest::newRow("electrolytic eq") << "Eparasitics" << "0.9 0.3 80 40" << "0.9 0.3 80 40";
    }
    void powerEntryRoundTrip()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        MainWindow w;
        auto *page = w.findChild<PwmPowerPage *>(QStringLiteral("page_8"));
        QVERIFY(page->setEntry(key, value));
        QCOMPARE(page->entry(key), readBack);
    }

    void powerEntryEdges()
    {
        MainWindow w;
        auto *page = w.findChild<PwmPowerPage *>(QStringLiteral("page_8"));
        QVERIFY(!page->setEntry(QStringLiteral("P7"), QStringLiteral("1 2 3")));
        QVERIFY(!page->setEntry(QStringLiteral("SConRint"), QStringLiteral("1k")));

        // A short line fills what it has and never reads past its end.
        QVERIFY(page->setEntry(QStringLiteral("L5"), QStringLiteral("1m")));
        QCOMPARE(page->entry(QStringLiteral("L5")), QStringLiteral("1m open short"));
        QVERIFY(page->setEntry(QStringLiteral("P4"), QString()));
        QCOMPARE(page->entry(QStringLiteral("P4")), QStringLiteral("0 0 0"));
        QVERIFY(page->setEntry(QStringLiteral("Eparasitics"), QStringLiteral("1 2 3")));
        QCOMPARE(page->entry(QStringLiteral("Eparasitics")), QStringLiteral("1 2 3 30"));
        QCOMPARE(w.findChild<QLineEdit *>(QStringLiteral("EESRB"))->text(), QStringLiteral("1"));

        // A value typed with a blank before its suffix is written without it.
        page->setElement(QStringLiteral("P3"), {QStringLiteral("4.7 u"), QStringLiteral("0.1"), QStringLiteral("open")});
        QCOMPARE(page->entry(QStringLiteral("P3")), QStringLiteral("4.7u 0.1 open"));
        QCOMPARE(page->element(QStringLiteral("P3")).L, QStringLiteral("4.7 u"));
        w.findChild<QLineEdit *>(QStringLiteral("LESRB"))->setText(QStringLiteral("0.3 m"));
        QCOMPARE(page->entry(QStringLiteral("Lparasitics")), QStringLiteral("0.3m 0.01 25 20"));
        page->removeSpaces();
        QCOMPARE(page->element(QStringLiteral("P3")).L, QStringLiteral("4.7u"));
        QCOMPARE(w.findChild<QLineEdit *>(QStringLiteral("LESRB"))->text(), QStringLiteral("0.3m"));

        // The filter export starts from a network whose load is a plain resistor.
        page->resetNetwork();
        QCOMPARE(page->entry(QStringLiteral("L5")), QStringLiteral("0 0 short"));
        QCOMPARE(page->entry(QStringLiteral("L1")), QStringLiteral("0 0 short"));
        QCOMPARE(page->entry(QStringLiteral("P3")), QStringLiteral("0 0 0"));
    }

    void extendedLoadButton()
    {
        MainWindow w;
        auto *page = w.findChild<PwmPowerPage *>(QStringLiteral("page_8"));
        auto *button = w.findChild<QPushButton *>(QStringLiteral("ExtendedLoad"));
        button->click();
        QCOMPARE(button->text(), QStringLiteral("Condensed Load"));
        QCOMPARE(page->entry(QStringLiteral("extendedLoad")), QStringLiteral("1"));
        QVERIFY(w.designChanged());
        button->click();
        QCOMPARE(button->text(), QStringLiteral("Extended Load"));
        QCOMPARE(page->entry(QStringLiteral("extendedLoad")), QStringLiteral("0"));
        page->setEntry(QStringLiteral("extendedLoad"), QStringLiteral("1"));
        QCOMPARE(button->text(), QStringLiteral("Condensed Load"));
    }

    void uniqueNames()
    {
        FormCheck::checkUniqueNames(m_window, filterPage());
        FormCheck::checkUniqueNames(m_window, powerPage());
    }

    void fitAtWindowSize_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("filter") << "page_11";
        QTest::newRow("power") << "page_8";
    }
    void fitAtWindowSize()
    {
        QFETCH(QString, page);
        MainWindow w;
        FormCheck::checkFitsWithoutScrolling(&w, w.findChild<QStackedWidget *>(QStringLiteral("Page")),
                                             w.findChild<QWidget *>(page));
    }
};

QTEST_MAIN(TestFilterPowerForms)
#include "test_filterpowerforms.moc"
