#pragma once

#include <QPointer>
#include <QStringList>
#include <QVector>

#include "pages/soa/soadialogs.h"
#include "pages/soa/soamodel.h"
#include "pages/soa/soaschematic.h"
#include "pages/toolpage.h"

class QCPAbstractItem;
class QCustomPlot;
class QCPItemText;
class QMouseEvent;
class LoadCalc;

namespace Ui {
class SoaPage;
}

// The safe-operating-area, power and thermal page of a linear amplifier: it
// simulates the load driven by one period of the output signal, draws the load
// line on the part's safe operating area, works out the powers, temperatures and
// heatsink, and shows a clickable schematic of the amplifier and its load.
class SoaPage : public ToolPage {
    Q_OBJECT
public:
    explicit SoaPage(QWidget *parent = nullptr);
    ~SoaPage() override;

    // Start-up: the sine period, the charts, "QX415A", makeSOAplot, refreshSOA.
    void initialise() override;

    void fillSelectors() override;
    void refresh() override { refreshSOA(); }

    // Recomputes and redraws everything from the page's entries.
    void refreshSOA();
    // After a change of amplifier: resets the chart and the part-dependent entries.
    void makeSOAplot();

    // Reads an uploaded waveform; a refused file leaves the previous one and
    // says why in a message box. Returns whether the file was taken.
    bool loadSoaCsv(const QString &path);

    // The load calculator, modeless; reopening keeps the texts last used.
    void openLoadCalculator();

    // The largest load current over the displayed samples.
    double loadCurrentMax() const { return m_result.sim.Imax; }
    double loadCurrentMin() const { return m_result.sim.Imin; }
    const SoaPeriod &period() const { return m_period; }

    // The load, the amplifier and the signal as simulated last.
    SpiceNetlist spiceNetlist(const QString &design) const override;

public slots:
    // Keeps the twelve load-calculator texts between openings.
    void saveLoadCalc(const QString &resS, const QString &capS, const QString &indS, const QString &resP,
        const QString &capP, const QString &indP, const QString &z1, const QString &z2, const QString &a1,
        const QString &a2, const QString &freqS, const QString &freqP);

protected:
private slots:
    void on_AmpSelecterSOA_activated(int index);
    void on_loadTypeBox_currentIndexChanged(int index);
    void on_SOA_Rload_editingFinished();
    void on_SOA_Lload_editingFinished();
    void on_SOA_Cload_editingFinished();
    void on_SOA_series_toggled(bool checked);
    void on_SOA_parallel_toggled(bool checked);
    void on_MotorBox_currentIndexChanged(int index);
    void on_MotorESR_editingFinished();
    void on_MotorI_editingFinished();
    void on_MotorEMF_editingFinished();
    void on_MotorVDC_editingFinished();
    void on_ParallelCheckBox_toggled(bool checked);
    void on_NumParallel_valueChanged(int value);
    void on_BridgeCheckBox_toggled(bool checked);
    void on_BridgeSameSuppliesButton_toggled(bool checked);
    void on_BridgeUnipolarSuppliesButton_toggled(bool checked);
    void on_SOAdisplayAfter_valueChanged(int value);
    void on_SOAdisplayCycles_valueChanged(int value);
    void on_SOAeditSignalButton_clicked();
    void on_LogCheckBox_toggled(bool checked);
    void on_VswingCheckBox_toggled(bool checked);
    void on_custTempCheckBox_toggled(bool checked);
    void on_custTempLine_editingFinished();
    void on_R_CL_editingFinished();
    void on_FOcheckBox_toggled(bool checked);
    void on_R_FO_editingFinished();
    void on_RangeBox_valueChanged(int value);
    void on_tempA_editingFinished();
    void on_ThermalCompound_editingFinished();
    void on_heatsink_editingFinished();

    void onSOAschItemClicked(QCPAbstractItem *item, QMouseEvent *event);
    void ampSelectionChanged(int index);

private:
    void bindEntries();
    amp currentAmp() const;
    void rebuildPeriod(const amp &a);
    SoaInput gatherInput(const amp &a);
    void redraw();
    void switchLogPlot(bool log);
    SoaSchematicCase schematicCase(const amp &a) const;
    void changeSOASignal();
    void SOACSV();

    void writeResults();
    void waveDescription();
    SoaSignalInfo signalInfo() const;

    Ui::SoaPage *ui;

    // Stored entries, kept as typed.
    QString m_vsPos = QStringLiteral("50"), m_vsNeg = QStringLiteral("-50");
    QString m_vbPos = QStringLiteral("50"), m_vbNeg = QStringLiteral("-50");
    bool m_boost = false;
    QString m_rcs = QStringLiteral("1");
    SoaSignalSettings m_signal;
    QString m_csvPath;
    QStringList m_loadCalc;

    SoaPeriod m_period;
    SoaResult m_result;
    SoaSimInput m_simInput; // what the last refresh simulated
    bool m_ampChangeDone = false;

    // Clickable schematic labels of the last drawing, by SoaLabelSlot.
    QVector<QCPItemText *> m_labels;

    QPointer<LoadCalc> m_loadCalcDialog;
};
