#include "pages/soa/soapage.h"

#include "ui_soapage.h"

SoaPage::SoaPage(QWidget *parent) : QWidget(parent), ui(new Ui::SoaPage)
{
    ui->setupUi(this);
}

SoaPage::~SoaPage()
{
    delete ui;
}
