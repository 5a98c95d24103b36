#include "pages/pwm/controlstep2page.h"

#include "ui_controlstep2page.h"

ControlStep2Page::ControlStep2Page(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::ControlStep2Page)
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
    const int index = ui->ampSelectorSCon->findText(QStringLiteral("TZM730"));
    if (index >= 0)
        ui->ampSelectorSCon->setCurrentIndex(index);
}
