#include "pages/selectors/pwmselectorpage.h"

#include "ui_pwmselectorpage.h"

PwmSelectorPage::PwmSelectorPage(QWidget *parent) : ToolPage(parent), ui(new Ui::PwmSelectorPage)
{
    ui->setupUi(this);
}

PwmSelectorPage::~PwmSelectorPage()
{
    delete ui;
}
