#include "pages/selectors/linearselectorpage.h"

#include "ui_linearselectorpage.h"

LinearSelectorPage::LinearSelectorPage(QWidget *parent) : ToolPage(parent), ui(new Ui::LinearSelectorPage)
{
    ui->setupUi(this);
}

LinearSelectorPage::~LinearSelectorPage()
{
    delete ui;
}
