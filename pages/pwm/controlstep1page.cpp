#include "pages/pwm/controlstep1page.h"

#include <QIcon>

#include "ui_controlstep1page.h"

namespace {

const char *const kVoltage1
    = "Voltage 1\n\nAdvantages: Lends itself very well to level-shifting the input signals with a single "
      "bias "
      "resistor. Easy to stay within the common mode input restrictions of the integrator op-amp.\n\n"
      "Disadvantages: Requires an additional op-amp. A difference amplifier - with internal precision "
      "resistors, "
      "excellent common mode rejection at the switching frequency, and unity-gain stability - is highly "
      "recommended.";

const char *const kVoltage2
    = "Voltage 2\n\nAdvantages: Simpler circuit design than Voltage 1. Does not require additional op-amps "
      "other "
      "than the integrator. \n\nDisadvantages: Level-shifting the input requires more attention. Both "
      "pull-up and "
      "pull-down resistors should be used to stay within the common mode input range of the integrator.";

const char *const kCurrent1
    = "Current 1\n\nAdvantages: Difference amplifier does not need high CMRR. High-voltage applications "
      "(greater "
      "than 200V) should use this topology.\n\nDisadvantages: Can ONLY be used with PWM amplifiers that have "
      "2 "
      "I_Sense pins (some models have only 1). In addition, the feedback signal is representative of all "
      "output "
      "current (including filter and matching network current), whereas Current 2 can measure load current "
      "independently.\n\nNot Recommended for Half-Bridges.";

const char *const kCurrent2
    = "Current 2\n\nAdvantages: Senses Load current independently of filter and matching network. Highly "
      "recommended for low-voltage applications and/or PWM amplifiers with one I_Sense "
      "pin.\n\nDisadvantages: "
      "Sensed current will have extremely high common mode voltages. A difference amplifier - with internal "
      "precision resistors, excellent common mode rejection at the switching frequency, and unity-gain "
      "stability - is highly recommended.\n\nNot Recommended for Half-Bridges.";

} // namespace

ControlStep1Page::ControlStep1Page(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::ControlStep1Page)
{
    ui->setupUi(this);
    SConIcons();
    SConDescription();
}

ControlStep1Page::~ControlStep1Page()
{
    delete ui;
}

void ControlStep1Page::SConIcons()
{
    ui->V1button->setIcon(QIcon(QStringLiteral(":/ZarnLinear/V1SI.png")));
    ui->V2button->setIcon(QIcon(QStringLiteral(":/ZarnLinear/V2SI.png")));
    ui->I1button->setIcon(QIcon(QStringLiteral(":/ZarnLinear/I1SI.png")));
    ui->I2button->setIcon(QIcon(QStringLiteral(":/ZarnLinear/I2SI.png")));
}

void ControlStep1Page::SConDescription()
{
    const char *text = kCurrent2;
    if (ui->V1button->isChecked())
        text = kVoltage1;
    else if (ui->V2button->isChecked())
        text = kVoltage2;
    else if (ui->I1button->isChecked())
        text = kCurrent1;
    ui->SConDesc->setPlainText(QString::fromUtf8(text));
}

ControlCircuit ControlStep1Page::circuit() const
{
    if (ui->V1button->isChecked())
        return ControlCircuit::Voltage1;
    if (ui->V2button->isChecked())
        return ControlCircuit::Voltage2;
    if (ui->I1button->isChecked())
        return ControlCircuit::Current1;
    return ControlCircuit::Current2;
}

void ControlStep1Page::on_V1button_clicked()
{
    SConDescription();
}
void ControlStep1Page::on_V2button_clicked()
{
    SConDescription();
}
void ControlStep1Page::on_I1button_clicked()
{
    SConDescription();
}
void ControlStep1Page::on_I2button_clicked()
{
    SConDescription();
}
