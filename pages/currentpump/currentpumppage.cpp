#include "pages/currentpump/currentpumppage.h"

#include "ui_currentpumppage.h"

CurrentPumpPage::CurrentPumpPage(QWidget *parent) : ToolPage(parent), ui(new Ui::CurrentPumpPage)
{
    ui->setupUi(this);
}

CurrentPumpPage::~CurrentPumpPage()
{
    delete ui;
}
