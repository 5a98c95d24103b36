#include "pages/pwm/filterpage.h"

#include "ui_filterpage.h"

namespace {
enum Sheet { DesignSheet = 0, MatchSheet = 1 };
}

FilterPage::FilterPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::FilterPage)
{
    ui->setupUi(this);
    bindSelector(QStringLiteral("ampSelectorFilter"), ui->ampSelectorFilter, SelectorLists::Catalog::Pwm);
}

FilterPage::~FilterPage()
{
    delete ui;
}

void FilterPage::fillSelectors()
{
    fillSelector(ui->ampSelectorFilter, SelectorLists::allPwm(catalogs()));
}

void FilterPage::initialise()
{
    const int index = ui->ampSelectorFilter->findText(QStringLiteral("TZ636"));
    if (index >= 0)
        ui->ampSelectorFilter->setCurrentIndex(index);
}

void FilterPage::on_MNbutton_clicked()
{
    ui->filterStack->setCurrentIndex(MatchSheet);
    markChanged();
}

void FilterPage::on_orderButton_clicked()
{
    ui->filterStack->setCurrentIndex(DesignSheet);
    markChanged();
}

void FilterPage::on_useMNvalues_clicked()
{
    ui->filterR_L->setText(ui->filterRload->text());
    ui->filterStack->setCurrentIndex(DesignSheet);
    markChanged();
}
