#pragma once

#include <QStringList>
#include <QVector>
#include <utility>

#include "pages/pwm/filterexport.h"
#include "pages/pwm/networkelement.h"
#include "pages/pwm/powermodel.h"
#include "pages/pwm/powerschematic.h"
#include "pages/pwm/powerstate.h"
#include "pages/toolpage.h"

class QLineEdit;
class QCPAbstractItem;
class QMouseEvent;

namespace Ui {
class PwmPowerPage;
}

// The PWM power page: operating point, losses and temperatures of a PWM
// amplifier driving the filter and load network that this page owns.
class PwmPowerPage : public ToolPage {
    Q_OBJECT
public:
    explicit PwmPowerPage(QWidget *parent = nullptr);
    ~PwmPowerPage() override;

    void initialise() override;
    void refresh() override;
    void fillSelectors() override;

    // The filter elements P1 to P6, the matching branch MN and the load
    // elements L1 to L5, in design-file order.
    static QStringList elementNames();
    networkElement element(const QString &name) const;
    void setElement(const QString &name, const networkElement &value);
    // Every string "0", except the C strings of L1, L2 and L5 ("short"): a
    // resistive load of R = 0 with no filter, matching branch or extra branch.
    void resetNetwork();
    // Removes the blanks typed into the element strings ("4.7 u" becomes "4.7u").
    void removeSpaces() override;

    bool extendedLoad() const { return m_extendedLoad; }
    void setExtendedLoad(bool extended);
    int acBidirectional() const { return m_acBidirectional; }

    // The network as the page's elements, order and topology make it.
    FilterNetwork network() const;
    // Takes a design from the filter page: network, output type, topology,
    // order, amplifier, supply and switching frequency; shows the first tab.
    void applyFilterExport(const FilterExport &design);
    // What the control design takes from this page.
    PowerPageState powerState() const;
    // The network with its parasitics over the attenuation sweep's range.
    SpiceNetlist spiceNetlist(const QString &design) const override;

    void refreshPower();
    void PWMpowerDetails();
    void plotFullFilter();

signals:
    void importFilterRequested();
    void controlRequested();

private slots:
    void on_ExtendedLoad_clicked();
    void on_Fmin_editingFinished();
    void on_Fmax_editingFinished();
    void on_yVariable_activated(int index);
    void on_VsPWM_editingFinished();
    void on_FsPWM_editingFinished();
    void on_PWMOut_editingFinished();
    void on_SigTypePWM_activated(int index);
    void on_FsigPWM_editingFinished();
    void on_PWMOutMin_editingFinished();
    void on_UseMaxVsPower_clicked();
    void on_UseMaxFswPower_clicked();
    void on_ampSelectorPower_activated(int index);
    void on_PWMfilterOrder_valueChanged(int value);
    void on_SEpower_clicked();
    void on_DCpower_clicked();
    void on_SIpower_clicked();
    void on_HBPower_clicked();
    void on_FBPower_clicked();
    void on_tempAPower_editingFinished();
    void on_heatsinkPower_editingFinished();
    void on_ThermalCompoundPower_editingFinished();
    void on_UseLParasitics_clicked();
    void on_UsePParasitcs_clicked();
    void on_UseEParasitics_clicked();
    void on_ZeroLParasitics_clicked();
    void on_ZeroPParasitics_clicked();
    void on_ZeroEParasitics_clicked();
    void on_AutoMN_clicked();
    void on_ImportFilter_clicked();
    void on_ToPWMControl_clicked();
    void onSPowerItemClicked(QCPAbstractItem *item, QMouseEvent *event);

private:
    void setupSPower();
    void extendLoad();
    void bindEntries();
    // The design-file key of each parasitic equation line, with its fields.
    QVector<std::pair<QString, QVector<QLineEdit *>>> parasiticGroups() const;
    pwm currentAmplifier() const;
    void applyOutputRules();
    void checkSupplyAndFrequency(const pwm &amp);
    PowerInput readInput();
    void setNetwork(const FilterNetwork &network);
    void networkEdited();
    void showPowerResult(const PowerResult &r);

    static constexpr int kElementCount = 12;
    Ui::PwmPowerPage *ui;
    networkElement m_elements[kElementCount];
    bool m_extendedLoad = false;
    int m_acBidirectional = 0;
    // The supply and switching frequency as last typed: a warning shown in
    // the field never replaces the value that is computed with and saved.
    QString m_typedVs = QStringLiteral("48");
    QString m_typedFsw = QStringLiteral("20k");
    QVector<PowerSchematicLabel> m_labels;
    PowerInput m_sweepInput; // what the sweep chart last showed
};
