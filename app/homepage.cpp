#include "app/homepage.h"

#include "amporaversion.h"
#include "ui_homepage.h"

HomePage::HomePage(QWidget *parent) : QWidget(parent), ui(new Ui::HomePage)
{
    ui->setupUi(this);
    ui->VersionLabel->setText(QStringLiteral("Version ") + QLatin1String(kAmporaVersion));
    ui->SupportLink->setTextFormat(Qt::RichText);
    ui->SupportLink->setOpenExternalLinks(true);
    ui->SupportLink->setText(QStringLiteral("<a href=\"%1\"><span style=\"text-decoration: underline; "
                                            "color:#0000ff;\">Tap into a Wealth of Power Analog Design "
                                            "Expertise</span></a>")
                                 .arg(QLatin1String(kSupportPage)));
}

HomePage::~HomePage()
{
    delete ui;
}
