#include "pages/soa/soapage.h"

#include "ui_soapage.h"

SoaPage::SoaPage(QWidget *parent) : ToolPage(parent), ui(new Ui::SoaPage)
{
    ui->setupUi(this);
}

SoaPage::~SoaPage()
{
    delete ui;
}
