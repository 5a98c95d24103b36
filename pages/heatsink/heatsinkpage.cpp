#include "pages/heatsink/heatsinkpage.h"

#include "ui_heatsinkpage.h"

HeatsinkPage::HeatsinkPage(QWidget *parent) : ToolPage(parent), ui(new Ui::HeatsinkPage)
{
    ui->setupUi(this);
}

HeatsinkPage::~HeatsinkPage()
{
    delete ui;
}
