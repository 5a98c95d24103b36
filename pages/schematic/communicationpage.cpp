#include "pages/schematic/communicationpage.h"

#include "ui_communicationpage.h"

CommunicationPage::CommunicationPage(QWidget *parent) : ToolPage(parent), ui(new Ui::CommunicationPage)
{
    ui->setupUi(this);
}

CommunicationPage::~CommunicationPage()
{
    delete ui;
}
