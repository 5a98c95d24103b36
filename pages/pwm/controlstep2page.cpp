#include "pages/pwm/controlstep2page.h"

#include "ui_controlstep2page.h"

ControlStep2Page::ControlStep2Page(QWidget *parent) : ToolPage(parent), ui(new Ui::ControlStep2Page)
{
    ui->setupUi(this);
}

ControlStep2Page::~ControlStep2Page()
{
    delete ui;
}
