#include "pages/soa/loadcalc.h"

#include "ui_loadcalc.h"
#include "values/fieldvalues.h"

LoadCalc::LoadCalc(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::LoadCalc)
{
    ui->setupUi(this);
    computeSeries();
    computeParallel();
    computeCombination();
}

LoadCalc::~LoadCalc()
{
    delete ui;
}

void LoadCalc::setValues(const QStringList &values)
{
    QLineEdit *fields[] = { ui->Rseries, ui->Cseries, ui->Lseries, ui->Rparallel, ui->Cparallel,
        ui->Lparallel, ui->Z1, ui->Z2, ui->Angle1, ui->Angle2, ui->Fseries, ui->Fparallel };
    for (int i = 0; i < 12 && i < values.size(); ++i)
        fields[i]->setText(values.at(i));
    computeSeries();
    computeParallel();
    computeCombination();
}

QStringList LoadCalc::values() const
{
    return { ui->Rseries->text(), ui->Cseries->text(), ui->Lseries->text(), ui->Rparallel->text(),
        ui->Cparallel->text(), ui->Lparallel->text(), ui->Z1->text(), ui->Z2->text(), ui->Angle1->text(),
        ui->Angle2->text(), ui->Fseries->text(), ui->Fparallel->text() };
}

LoadCalcEntry LoadCalc::read(QLineEdit *field, const char *kind)
{
    const QString word = field->text().trimmed().toLower();
    LoadCalcEntry e;
    e.value = field2Number(field, QLatin1String(kind));
    e.open = word == QLatin1String("open");
    e.shorted = word == QLatin1String("short");
    return e;
}

void LoadCalc::computeSeries()
{
    const ImpedanceText z = seriesRLC(
        read(ui->Rseries, "R"), read(ui->Lseries, "R"), read(ui->Cseries, "C"), read(ui->Fseries, "R"));
    ui->loadCalcSeriesZ->setText(z.magnitude);
    ui->loadCalcSeriesAngle->setText(z.angle);
}

void LoadCalc::computeParallel()
{
    const ImpedanceText z = parallelRLC(read(ui->Rparallel, "R"), read(ui->Lparallel, "R"),
        read(ui->Cparallel, "C"), read(ui->Fparallel, "R"));
    ui->loadCalcParallelZ->setText(z.magnitude);
    ui->loadCalcParallelAngle->setText(z.angle);
}

void LoadCalc::computeCombination()
{
    const ImpedanceText z = combineImpedances(read(ui->Z1, "R"), read(ui->Angle1, "R"), read(ui->Z2, "R"),
        read(ui->Angle2, "R"), ui->SeriesButton->isChecked());
    ui->loadCalcResultZ->setText(z.magnitude);
    ui->loadCalcResultAngle->setText(z.angle);
}

void LoadCalc::on_Rseries_editingFinished()
{
    computeSeries();
}
void LoadCalc::on_Lseries_editingFinished()
{
    computeSeries();
}
void LoadCalc::on_Cseries_editingFinished()
{
    computeSeries();
}
void LoadCalc::on_Fseries_editingFinished()
{
    computeSeries();
}
void LoadCalc::on_Rparallel_editingFinished()
{
    computeParallel();
}
void LoadCalc::on_Lparallel_editingFinished()
{
    computeParallel();
}
void LoadCalc::on_Cparallel_editingFinished()
{
    computeParallel();
}
void LoadCalc::on_Fparallel_editingFinished()
{
    computeParallel();
}
void LoadCalc::on_Z1_editingFinished()
{
    computeCombination();
}
void LoadCalc::on_Angle1_editingFinished()
{
    computeCombination();
}
void LoadCalc::on_Z2_editingFinished()
{
    computeCombination();
}
void LoadCalc::on_Angle2_editingFinished()
{
    computeCombination();
}

void LoadCalc::on_SeriesButton_toggled(bool checked)
{
    Q_UNUSED(checked);
    computeCombination();
}

void LoadCalc::on_useSeries_clicked()
{
    computeSeries();
    ui->Z1->setText(ui->loadCalcSeriesZ->text());
    ui->Angle1->setText(ui->loadCalcSeriesAngle->text());
    computeCombination();
}

void LoadCalc::on_useParallel_clicked()
{
    computeParallel();
    ui->Z2->setText(ui->loadCalcParallelZ->text());
    ui->Angle2->setText(ui->loadCalcParallelAngle->text());
    computeCombination();
}

void LoadCalc::on_useValuesButton_clicked()
{
    computeCombination();
    emit sendLoadCalc(ui->loadCalcResultZ->text(), ui->loadCalcResultAngle->text(), ui->Fseries->text());
    const QStringList v = values();
    emit sendRLCValues(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
    accept();
}

void LoadCalc::on_cancelButton_clicked()
{
    reject();
}
