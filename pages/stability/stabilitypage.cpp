#include "pages/stability/stabilitypage.h"

#include "ui_stabilitypage.h"

StabilityPage::StabilityPage(QWidget *parent) : QWidget(parent), ui(new Ui::StabilityPage)
{
    ui->setupUi(this);
}

StabilityPage::~StabilityPage()
{
    delete ui;
}
