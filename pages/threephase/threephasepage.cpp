#include "pages/threephase/threephasepage.h"

#include "ui_threephasepage.h"

ThreePhasePage::ThreePhasePage(QWidget *parent) : ToolPage(parent), ui(new Ui::ThreePhasePage)
{
    ui->setupUi(this);
}

ThreePhasePage::~ThreePhasePage()
{
    delete ui;
}
