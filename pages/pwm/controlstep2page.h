#pragma once

#include <functional>

#include "pages/pwm/controlmodel.h"
#include "pages/pwm/powerstate.h"
#include "pages/toolpage.h"

namespace Ui {
class ControlStep2Page;
}

// Step 2 of the PWM control design: amplifier, supplies, signal and output range.
class ControlStep2Page : public ToolPage {
    Q_OBJECT
public:
    explicit ControlStep2Page(QWidget *parent = nullptr);
    ~ControlStep2Page() override;

    void fillSelectors() override;
    void initialise() override;
    void refresh() override;

    // Where the power page's state comes from (read on every use); until the
    // window sets one, the power page's start-up state.
    void setPowerSource(std::function<PowerPageState()> source);
    // Where the circuit type comes from (step 1).
    void setCircuitSource(std::function<ControlCircuit()> source);

    // The notes of this step, the output captions of the circuit type and the
    // fixed-value rules of the amplifier.
    void SConValidate();
    // Everything the loop needs from this step and the power page, parsed
    // (bad fields turn red); runs SConValidate first.
    ControlInput controlInput();
    pwm currentAmplifier() const;

private slots:
    void on_ampSelectorSCon_activated(int index);
    void on_SConVinMax_editingFinished();
    void on_SConVinMin_editingFinished();
    void on_SConFreq_editingFinished();
    void on_SConVs_editingFinished();
    void on_SConVcc_editingFinished();
    void on_SConFsw_editingFinished();
    void on_SConVoutMax_editingFinished();
    void on_SConVoutMin_editingFinished();
    void on_SConMaxVs_clicked();
    void on_SConTypVcc_clicked();
    void on_SConMaxFsw_clicked();
    void on_ImportFromPWMPower_clicked();

private:
    ControlInput readFields();
    void setOutputCaptions(ControlCircuit circuit);

    Ui::ControlStep2Page *ui;
    std::function<PowerPageState()> m_power;
    std::function<ControlCircuit()> m_circuit;
};
