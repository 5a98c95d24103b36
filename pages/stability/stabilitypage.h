#pragma once

#include <QVector>

#include "pages/stability/loopmodel.h"
#include "pages/stability/stabilityschematic.h"
#include "pages/toolpage.h"

class QCPAbstractItem;
class QMouseEvent;

namespace Ui {
class StabilityPage;
}

// The loop-stability page of a linear amplifier: straight-line Bode plots of
// the open loop and 1/beta, the verdict, automatic compensation, the composite
// amplifier and the clickable schematic.
class StabilityPage : public ToolPage {
    Q_OBJECT
public:
    explicit StabilityPage(QWidget *parent = nullptr);
    ~StabilityPage() override;

    // setupBodePlot, setupStabSch, "QX385" in AmpSelectorStab, refreshStab.
    void initialise() override;

    void fillSelectors() override;
    // refreshStab, then the two small calculators.
    void refresh() override;

    // The case on the page, with the loop broken so its gain can be read.
    SpiceNetlist spiceNetlist(const QString &design) const override;

    // Recomputes the model of the page's case, its read-outs, charts and schematic.
    void refreshStab();
    // The two small calculators.
    void RCPC();
    // "Auto - Compensate": the search of the page's case, then refreshStab.
    void autoStabilize();
    void setupBodePlot();
    void setupStabSch();
    // Draws the schematic of the case the page's buttons show.
    void decideStabSch();

    int compOption() const { return m_compOption; }
    bool phaseShiftComponents() const { return m_phaseShiftComponents; }
    const StabComponents &components() const { return m_parts; }
    // Phase margin (degrees) of the last computation.
    double stabPhaseMargin() const { return m_stabPhaseMargin; }

    // The C_COMP option dialog: returns the chosen option (the current one on Cancel)
    // and relabels `label` on OK.
    static int changeCcomp(QWidget *parent, QCPItemText *label, const amp &record, int option);
    // The R_COMP information dialog.
    static void changeRcomp(QWidget *parent);

protected:
private slots:
    void on_AmpSelectorStab_activated(int index);
    void on_CloadButton_clicked();
    void on_LloadButton_clicked();
    void on_StabInv_toggled(bool checked);
    void on_HidePhaseLegend_clicked();
    void on_phaseButton_clicked();
    void on_compositeCheckBox_clicked();
    void on_hostSelector_activated(int index);
    void on_hostAOL_editingFinished();
    void on_hostPole1_editingFinished();
    void on_hostPole2_editingFinished();
    void on_hostPole3_editingFinished();
    void on_RCPCR1_editingFinished();
    void on_RCPCF1_editingFinished();
    void on_RCPCR2_editingFinished();
    void on_RCPCC2_editingFinished();
    void on_RCPCF3_editingFinished();
    void on_RCPCC3_editingFinished();
    void on_R_ISO_R_editingFinished();
    void on_R_ISO_I_editingFinished();
    void on_StabAuto_clicked();
    void onStabSchItemClicked(QCPAbstractItem *item, QMouseEvent *event);
    void fitStabSch();

private:
    void bindEntries();
    amp currentAmplifier() const;
    LoopInput gatherInput() const;
    StabLoad currentLoad() const;
    bool applyCaseLimits(const amp &record);
    void determineCase();
    void showResult(const LoopResult &result);

    Ui::StabilityPage *ui;
    StabComponents m_parts;
    int m_compOption = 0;
    bool m_phaseShiftComponents = false;
    double m_stabPhaseMargin = 0;
    StabSchematicLabels m_labels;
};
