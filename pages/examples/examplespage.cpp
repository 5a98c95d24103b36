#include "pages/examples/examplespage.h"

#include "ui_examplespage.h"

ExamplesPage::ExamplesPage(QWidget *parent) : ToolPage(parent), ui(new Ui::ExamplesPage)
{
    ui->setupUi(this);
}

ExamplesPage::~ExamplesPage()
{
    delete ui;
}
