#include "pages/pwm/controlstep3page.h"

#include "ui_controlstep3page.h"

ControlStep3Page::ControlStep3Page(QWidget *parent) : ToolPage(parent), ui(new Ui::ControlStep3Page)
{
    ui->setupUi(this);
}

ControlStep3Page::~ControlStep3Page()
{
    delete ui;
}
