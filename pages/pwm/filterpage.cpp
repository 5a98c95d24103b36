#include "pages/pwm/filterpage.h"

#include "ui_filterpage.h"

FilterPage::FilterPage(QWidget *parent) : ToolPage(parent), ui(new Ui::FilterPage)
{
    ui->setupUi(this);
}

FilterPage::~FilterPage()
{
    delete ui;
}
