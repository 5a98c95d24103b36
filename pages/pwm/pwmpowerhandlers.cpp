#include "pages/pwm/pwmpowerpage.h"

#include "ui_pwmpowerpage.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

// The handlers of the power page; each ends in the recomputation it needs.

void PwmPowerPage::on_ExtendedLoad_clicked()
{
    setExtendedLoad(!m_extendedLoad);
    plotFullFilter();
    refreshPower();
}

void PwmPowerPage::on_Fmin_editingFinished()
{
    refreshPower();
}
void PwmPowerPage::on_Fmax_editingFinished()
{
    refreshPower();
}
void PwmPowerPage::on_yVariable_activated(int)
{
    refreshPower();
}
void PwmPowerPage::on_VsPWM_editingFinished()
{
    refreshPower();
}
void PwmPowerPage::on_FsPWM_editingFinished()
{
    refreshPower();
}
void PwmPowerPage::on_PWMOut_editingFinished()
{
    refreshPower();
}
void PwmPowerPage::on_SigTypePWM_activated(int)
{
    refreshPower();
}
void PwmPowerPage::on_FsigPWM_editingFinished()
{
    refreshPower();
}
void PwmPowerPage::on_PWMOutMin_editingFinished()
{
    refreshPower();
}

void PwmPowerPage::on_UseMaxVsPower_clicked()
{
    ui->VsPWM->setText(QString::number(currentAmplifier().Vs_max, 'g', 6));
    refreshPower();
}

void PwmPowerPage::on_UseMaxFswPower_clicked()
{
    setFieldSI(currentAmplifier().Fsw_max * 1000, ui->FsPWM, QString());
    refreshPower();
}

void PwmPowerPage::on_ampSelectorPower_activated(int)
{
    networkEdited();
}
void PwmPowerPage::on_PWMfilterOrder_valueChanged(int)
{
    networkEdited();
}
void PwmPowerPage::on_SEpower_clicked()
{
    networkEdited();
}
void PwmPowerPage::on_DCpower_clicked()
{
    networkEdited();
}
void PwmPowerPage::on_SIpower_clicked()
{
    networkEdited();
}
void PwmPowerPage::on_HBPower_clicked()
{
    networkEdited();
}
void PwmPowerPage::on_FBPower_clicked()
{
    networkEdited();
}
void PwmPowerPage::on_tempAPower_editingFinished()
{
    PWMpowerDetails();
}
void PwmPowerPage::on_heatsinkPower_editingFinished()
{
    PWMpowerDetails();
}
void PwmPowerPage::on_ThermalCompoundPower_editingFinished()
{
    PWMpowerDetails();
}

void PwmPowerPage::on_UseLParasitics_clicked()
{
    FilterNetwork n = network();
    useInductorParasitics(n, { field2Number(ui->LESRB, QString()), field2Number(ui->LESRC, QString()) },
        { field2Number(ui->LEPCB, QString()), field2Number(ui->LEPCC, QString()) });
    setNetwork(n);
    networkEdited();
}

void PwmPowerPage::on_UsePParasitcs_clicked()
{
    FilterNetwork n = network();
    useCapacitorParasitics(n, kPlasticDecadeStart,
        { field2Number(ui->PESRB, QString()), field2Number(ui->PESRC, QString()) },
        { field2Number(ui->PESLB, QString()), field2Number(ui->PESLC, QString()) });
    setNetwork(n);
    networkEdited();
}

void PwmPowerPage::on_UseEParasitics_clicked()
{
    FilterNetwork n = network();
    useCapacitorParasitics(n, kElectrolyticDecadeStart,
        { field2Number(ui->EESRB, QString()), field2Number(ui->EESRC, QString()) },
        { field2Number(ui->EESLB, QString()), field2Number(ui->EESLC, QString()) });
    setNetwork(n);
    networkEdited();
}

void PwmPowerPage::on_ZeroLParasitics_clicked()
{
    FilterNetwork n = network();
    zeroInductorParasitics(n);
    setNetwork(n);
    networkEdited();
}

void PwmPowerPage::on_ZeroPParasitics_clicked()
{
    FilterNetwork n = network();
    zeroCapacitorParasitics(n);
    setNetwork(n);
    networkEdited();
}

void PwmPowerPage::on_ZeroEParasitics_clicked()
{
    on_ZeroPParasitics_clicked();
}

void PwmPowerPage::on_AutoMN_clicked()
{
    FilterNetwork n = network();
    n.matching = autoMatchingNetwork(n);
    setNetwork(n);
    networkEdited();
}

void PwmPowerPage::on_ImportFilter_clicked()
{
    emit importFilterRequested();
}
void PwmPowerPage::on_ToPWMControl_clicked()
{
    emit controlRequested();
}
