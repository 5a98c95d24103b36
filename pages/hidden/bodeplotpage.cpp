#include "pages/hidden/bodeplotpage.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "pages/hidden/demobodechart.h"
#include "ui_bodeplotpage.h"

BodePlotPage::BodePlotPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::BodePlotPage)
{
    ui->setupUi(this);
}

BodePlotPage::~BodePlotPage()
{
    delete ui;
}

void BodePlotPage::initialise()
{
    setupDemoPlot(ui->demoPlot);
    ui->demoPlot->replot();
}

QVector<QLineEdit *> BodePlotPage::openLoopFields() const
{
    return { ui->demoAol1, ui->demoAol10, ui->demoAol100, ui->demoAol1k, ui->demoAol10k, ui->demoAol100k,
        ui->demoAol1M, ui->demoAol10M, ui->demoAol100M };
}

QVector<QLineEdit *> BodePlotPage::closedLoopFields() const
{
    return { ui->demoAcl1, ui->demoAcl10, ui->demoAcl100, ui->demoAcl1k, ui->demoAcl10k, ui->demoAcl100k,
        ui->demoAcl1M, ui->demoAcl10M, ui->demoAcl100M };
}

void BodePlotPage::refreshDemoPlot()
{
    DemoBodeInput input;
    for (QLineEdit *field : openLoopFields())
        input.openLoop << field->text();
    for (QLineEdit *field : closedLoopFields())
        input.closedLoop << field->text();
    const DemoBodeResult result = demoBodePoints(input);
    const auto mark = [](const QVector<QLineEdit *> &fields, const QVector<bool> &bad) {
        for (int i = 0; i < fields.size(); ++i)
            fields.at(i)->setStyleSheet(
                bad.value(i) ? QStringLiteral("QLineEdit { color : red; }") : QString());
    };
    mark(openLoopFields(), result.openLoopBad);
    mark(closedLoopFields(), result.closedLoopBad);
    plotDemoBode(ui->demoPlot, result);
    ui->demoPlot->replot();
}

void BodePlotPage::on_refreshDemoButton_clicked()
{
    refreshDemoPlot();
}

void BodePlotPage::on_demoSaveButton_clicked()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Plot"),
        QStringLiteral("temp.jpg"), QStringLiteral("Images (*.jpg *.png *.pdf)"));
    if (path.isEmpty())
        return;
    if (!saveDemoPlot(ui->demoPlot, path))
        QMessageBox::warning(this, QStringLiteral("Save Plot"),
            QStringLiteral("%1 could not be written.").arg(QDir::toNativeSeparators(path)));
}
