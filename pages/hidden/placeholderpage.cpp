#include "pages/hidden/placeholderpage.h"

#include "ui_placeholderpage.h"

PlaceholderPage::PlaceholderPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::PlaceholderPage)
{
    ui->setupUi(this);
}

PlaceholderPage::~PlaceholderPage()
{
    delete ui;
}
