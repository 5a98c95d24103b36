#include "pages/pwm/controlstep1page.h"

#include "ui_controlstep1page.h"

ControlStep1Page::ControlStep1Page(QWidget *parent) : ToolPage(parent), ui(new Ui::ControlStep1Page)
{
    ui->setupUi(this);
}

ControlStep1Page::~ControlStep1Page()
{
    delete ui;
}
