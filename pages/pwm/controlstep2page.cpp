#include "pages/pwm/controlstep2page.h"

#include "catalog/catalogs.h"
#include "pages/notes.h"
#include "ui_controlstep2page.h"
#include "values/fieldvalues.h"
#include "values/sivalues.h"

ControlStep2Page::ControlStep2Page(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::ControlStep2Page)
    , m_power(defaultPowerState)
    , m_circuit([] { return ControlCircuit::Voltage1; })
{
    ui->setupUi(this);
    bindSelector(QStringLiteral("ampSelectorSCon"), ui->ampSelectorSCon, SelectorLists::Catalog::Pwm);
}

ControlStep2Page::~ControlStep2Page()
{
    delete ui;
}

void ControlStep2Page::fillSelectors()
{
    fillSelector(ui->ampSelectorSCon, SelectorLists::pwmControl(catalogs()));
}

void ControlStep2Page::initialise()
{
    selectText(ui->ampSelectorSCon, QStringLiteral("TZM730"));
    SConValidate();
}

void ControlStep2Page::refresh()
{
    SConValidate();
}

void ControlStep2Page::setPowerSource(std::function<PowerPageState()> source)
{
    m_power = source ? std::move(source) : std::function<PowerPageState()>(defaultPowerState);
}

void ControlStep2Page::setCircuitSource(std::function<ControlCircuit()> source)
{
    if (source)
        m_circuit = std::move(source);
}

pwm ControlStep2Page::currentAmplifier() const
{
    return findSwitching(catalogs().pwms, ui->ampSelectorSCon->currentText());
}

ControlInput ControlStep2Page::readFields()
{
    ControlInput in;
    in.circuit = m_circuit();
    const PowerPageState power = m_power();
    in.fullBridge = power.fullBridge;
    in.network = power.network;
    in.amp = currentAmplifier();
    in.vinMax = field2Number(ui->SConVinMax, QString());
    in.vinMin = field2Number(ui->SConVinMin, QString());
    in.fsig = field2Number(ui->SConFreq, QString());
    in.vs = field2Number(ui->SConVs, QString());
    in.vcc = field2Number(ui->SConVcc, QString());
    in.fsw = field2Number(ui->SConFsw, QString());
    in.outMax = field2Number(ui->SConVoutMax, QString());
    in.outMin = field2Number(ui->SConVoutMin, QString());
    return in;
}

void ControlStep2Page::setOutputCaptions(ControlCircuit circuit)
{
    QString max = QStringLiteral("V_out Max"), min = QStringLiteral("V_out Min"), unit = QStringLiteral("V");
    QString note1 = QStringLiteral("V_out = Vs * Duty Cycle");
    QString note2 = QStringLiteral("V_out is differential across the filter input");
    if (circuit == ControlCircuit::Current1) {
        max = QStringLiteral("I_out Max");
        min = QStringLiteral("I_out Min");
        unit = QStringLiteral("A");
        note1 = QStringLiteral("I_out ignores ripple");
        note2 = QStringLiteral("I_out is current immediately out of amplifier");
    } else if (circuit == ControlCircuit::Current2) {
        max = QStringLiteral("I_load Max");
        min = QStringLiteral("I_load Min");
        unit = QStringLiteral("A");
        note1 = QStringLiteral("I_load ignores ripple");
        note2 = QStringLiteral("I_load is current through load");
    }
    ui->SConVoutMaxLabel->setText(max);
    ui->SConVoutMinLabel->setText(min);
    ui->SConVoutMaxUnit->setText(unit);
    ui->SConVoutMinUnit->setText(unit);
    ui->SConVoutNote1->setText(note1);
    ui->SConVoutNote2->setText(note2);
}

// A field the amplifier fixes shows that value, greyed; the others are free.
static void fixField(QLineEdit *field, bool fixed, double value)
{
    field->setEnabled(!fixed);
    if (fixed) {
        field->setText(fieldSIText(value, QString()));
        field->setStyleSheet(QStringLiteral("QLineEdit { background-color: rgb(200, 200, 200); }"));
    } else if (field->styleSheet().contains(QLatin1String("200, 200, 200"))) {
        field->setStyleSheet(QString());
    }
}

ControlInput ControlStep2Page::controlInput()
{
    ControlInput in = readFields();
    setOutputCaptions(in.circuit);
    const ValidationResult v = ::SConValidate(in);
    fixField(ui->SConVcc, v.vccFixed, v.vcc);
    fixField(ui->SConFsw, v.fswFixed, v.fsw);
    in.vcc = v.vcc;
    in.fsw = v.fsw;
    showNotes(ui->SConNotes, v.notes);
    return in;
}

void ControlStep2Page::SConValidate()
{
    controlInput();
}

void ControlStep2Page::on_ampSelectorSCon_activated(int)
{
    markChanged();
    SConValidate();
}

#define SCON_FIELD_SLOT(name)                                                                                \
    void ControlStep2Page::on_##name##_editingFinished()                                                     \
    {                                                                                                        \
        markChanged();                                                                                       \
        SConValidate();                                                                                      \
    }
SCON_FIELD_SLOT(SConVinMax)
SCON_FIELD_SLOT(SConVinMin)
SCON_FIELD_SLOT(SConFreq)
SCON_FIELD_SLOT(SConVs)
SCON_FIELD_SLOT(SConVcc)
SCON_FIELD_SLOT(SConFsw)
SCON_FIELD_SLOT(SConVoutMax)
SCON_FIELD_SLOT(SConVoutMin)
#undef SCON_FIELD_SLOT

void ControlStep2Page::on_SConMaxVs_clicked()
{
    ui->SConVs->setText(fieldSIText(currentAmplifier().Vs_max, QString()));
    markChanged();
    SConValidate();
}

void ControlStep2Page::on_SConTypVcc_clicked()
{
    ui->SConVcc->setText(fieldSIText(currentAmplifier().Vcc_nom, QString()));
    markChanged();
    SConValidate();
}

void ControlStep2Page::on_SConMaxFsw_clicked()
{
    ui->SConFsw->setText(fieldSIText(currentAmplifier().Fsw_max * 1000, QString()));
    markChanged();
    SConValidate();
}

void ControlStep2Page::on_ImportFromPWMPower_clicked()
{
    const PowerPageState power = m_power();
    ui->SConFreq->setText(power.Fsig);
    ui->SConVs->setText(power.Vs);
    ui->SConVoutMax->setText(power.Vout);
    ui->SConVoutMin->setText(power.VoutMin);
    ui->SConFsw->setText(power.Fsw);
    // A part this page does not offer (digital ramp, one output) falls back to the first.
    const pwm part = findSwitching(catalogs().pwms, power.amplifier);
    const int index = ui->ampSelectorSCon->findText(power.amplifier);
    ui->ampSelectorSCon->setCurrentIndex(part.Ramp == QLatin1String("Digital") || index < 0 ? 0 : index);
    markChanged();
    SConValidate();
}
