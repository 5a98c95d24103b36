#include "pages/schematic/communicationpage.h"

#include "ui_communicationpage.h"

CommunicationPage::CommunicationPage(QWidget *parent) : QWidget(parent), ui(new Ui::CommunicationPage)
{
    ui->setupUi(this);
}

CommunicationPage::~CommunicationPage()
{
    delete ui;
}
