#pragma once

#include "catalog/records.h"
#include "pages/pwm/filterexport.h"
#include "pages/pwm/filtermodel.h"
#include "pages/toolpage.h"

namespace Ui {
class FilterPage;
}

// The PWM output filter design page: sheet 0 of filterStack designs the
// Butterworth ladder, sheet 1 the matching network of a reactive load.
class FilterPage : public ToolPage {
    Q_OBJECT
public:
    explicit FilterPage(QWidget *parent = nullptr);
    ~FilterPage() override;

    void fillSelectors() override;
    void initialise() override;
    void refresh() override;

    // The design as "Load Filter to Power Sheet" hands it to the power page:
    // the supply and switching frequency as last typed, never a warning.
    FilterExport filterExport() const;

signals:
    // The user asked to load this design into the power page.
    void loadFilterRequested();

public slots:
    void refreshFilter();
    void matchingNetwork();

private slots:
    void on_SEbutton_clicked();
    void on_DCbutton_clicked();
    void on_SIbutton_clicked();
    void on_HBbutton_clicked();
    void on_FBbutton_clicked();
    void on_filterOrderActual_valueChanged(int value);
    void on_filterVs_editingFinished();
    void on_filterFsw_editingFinished();
    void on_filterFcut_editingFinished();
    void on_filterVrip_editingFinished();
    void on_filterR_L_editingFinished();
    void on_dbAttenuation_toggled(bool checked);
    void on_ampSelectorFilter_activated(int index);
    void on_useMaxVs_clicked();
    void on_useMaxFsw_clicked();
    void on_useFswOver10_clicked();
    void on_useRecN_clicked();
    void on_MNbutton_clicked();
    void on_orderButton_clicked();
    void on_useMNvalues_clicked();
    void on_filterRload_editingFinished();
    void on_filterCload_editingFinished();
    void on_filterLload_editingFinished();
    void on_filterLoadIsC_clicked();
    void on_filterLoadIsL_clicked();
    void on_loadFilterToPower_clicked();

private:
    pwm currentAmplifier() const;
    FilterTopology topology() const;
    FilterInput gatherInput();
    void applyAmplifierRules(const pwm &amp);
    void takeTypedValues();
    void checkSupplyAndFrequency(const pwm &amp);
    void showMatching();
    void bindEntries();

    Ui::FilterPage *ui;
    // The supply and switching frequency as last typed: a field that shows a
    // warning still computes and saves with these.
    QString m_typedVs = QStringLiteral("48");
    QString m_typedFsw = QStringLiteral("20k");
};
