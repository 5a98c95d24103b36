#include "pages/pwm/pwmpowerpage.h"

#include "ui_pwmpowerpage.h"

PwmPowerPage::PwmPowerPage(QWidget *parent) : ToolPage(parent), ui(new Ui::PwmPowerPage)
{
    ui->setupUi(this);
}

PwmPowerPage::~PwmPowerPage()
{
    delete ui;
}
