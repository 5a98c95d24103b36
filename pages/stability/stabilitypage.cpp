#include "pages/stability/stabilitypage.h"

#include "ui_stabilitypage.h"

StabilityPage::StabilityPage(QWidget *parent) : ToolPage(parent), ui(new Ui::StabilityPage)
{
    ui->setupUi(this);
}

StabilityPage::~StabilityPage()
{
    delete ui;
}
