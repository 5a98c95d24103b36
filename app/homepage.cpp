#include "app/homepage.h"

#include <QMessageBox>

#include "amporaversion.h"
#include "app/updatecheck.h"
#include "ui_homepage.h"

HomePage::HomePage(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::HomePage)
{
    ui->setupUi(this);
    ui->VersionLabel->setText(QStringLiteral("Version ") + QLatin1String(kAmporaVersion));
    ui->SupportLink->setTextFormat(Qt::RichText);
    ui->SupportLink->setOpenExternalLinks(true);
    ui->SupportLink->setText(QStringLiteral("<a href=\"%1\"><span style=\"text-decoration: underline; "
                                            "color:#0000ff;\">Tap into a Wealth of Power Analog Design "
                                            "Expertise</span></a>")
                                 .arg(supportPageUrl()));
}

HomePage::~HomePage()
{
    delete ui;
}

void showSupportMessage(QWidget *parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("Free Applications Support"));
    box.setTextFormat(Qt::RichText);
    box.setText(
        QStringLiteral("Tap into a Wealth of Power Analog Design Expertise with Zarn's Applications "
                       "Engineering Team. Product Selection, Technical Support, Schematic Review, Bench "
                       "Testing/Analysis, and More is available from our experienced staff. Click "
                       "<a href=\"%1\"><span style=\"text-decoration: underline; color:#0563c1;\">Here"
                       "</span></a> to contact the Apps Team today!")
            .arg(supportPageUrl()));
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
}
