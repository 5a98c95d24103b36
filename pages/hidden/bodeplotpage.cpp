#include "pages/hidden/bodeplotpage.h"

#include "ui_bodeplotpage.h"

BodePlotPage::BodePlotPage(QWidget *parent) : ToolPage(parent), ui(new Ui::BodePlotPage)
{
    ui->setupUi(this);
}

BodePlotPage::~BodePlotPage()
{
    delete ui;
}
