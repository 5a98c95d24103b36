#include "pages/hidden/hiddenpage.h"

#include "ui_hiddenpage.h"

HiddenPage::HiddenPage(QWidget *parent) : ToolPage(parent), ui(new Ui::HiddenPage)
{
    ui->setupUi(this);
}

HiddenPage::~HiddenPage()
{
    delete ui;
}
