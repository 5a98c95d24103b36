#include "pages/selectors/pwmselectorpage.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QtMath>

#include "pages/selectors/selectortable.h"
#include "ui_pwmselectorpage.h"
#include "values/fieldvalues.h"

using namespace SelectorModel;

namespace {

QStringList pwmHeaders()
{
    return { QStringLiteral("i"), QStringLiteral("Name"), QStringLiteral("Output Type"),
        QStringLiteral("Vs max (V)"), QStringLiteral("I_Continuous (A)"), QStringLiteral("I_Peak (A)"),
        QStringLiteral("Max Output Voltage (Vpeak)"), QStringLiteral("Max Switching Frequency (kHz)"),
        QStringLiteral("Max Output Bandwidth (kHz)"), QStringLiteral("Max Internal Power Diss. (W)"),
        QStringLiteral("Package Style"), QStringLiteral("Relative Price - 10/7/16 Digikey USD") };
}

} // namespace

PwmSelectorPage::PwmSelectorPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::PwmSelectorPage)
{
    ui->setupUi(this);
    m_table.attach(ui->pwmTable, new QStandardItemModel(0, 5, this),
        [this](const QModelIndex &current) { SPSselectionChange(current); });
}

PwmSelectorPage::~PwmSelectorPage()
{
    delete ui;
}

void PwmSelectorPage::initialise()
{
    m_selected = findSwitching(catalogs().pwms, QStringLiteral("TZ623"));
    FillInPwmTable();
}

void PwmSelectorPage::writeTable(const QVector<PwmRow> &rows)
{
    m_table.beginFill(pwmHeaders(), rows.size());
    for (const PwmRow &row : rows) {
        const QList<QStandardItem *> items
            = { SelectorTable::wholeItem(row.index), SelectorTable::textItem(row.name),
                  SelectorTable::textItem(row.outputType), SelectorTable::numberItem(row.vsMax),
                  SelectorTable::numberItem(row.current), SelectorTable::numberItem(row.peakCurrent),
                  SelectorTable::wholeItem(row.voltage), SelectorTable::numberItem(row.fswMax),
                  SelectorTable::numberItem(row.bandwidth), SelectorTable::numberItem(row.dissipation),
                  SelectorTable::textItem(row.package), SelectorTable::numberItem(row.price) };
        for (int column : row.marked)
            SelectorTable::markCloseMatch(items.value(column));
        m_table.appendRow(row.index, row.shown(), items);
    }
    m_table.endFill();
}

void PwmSelectorPage::FillInPwmTable()
{
    const QVector<pwm> &pwms = catalogs().pwms;
    QVector<PwmRow> rows;
    rows.reserve(pwms.size());
    for (int i = 0; i < pwms.size(); ++i)
        rows.append(pwmTableRow(pwms.at(i), i, catalogs().packages));
    writeTable(rows);
}

void PwmSelectorPage::EliminatePWM()
{
    PwmRequirements req;
    req.current = qAbs(field2Number(ui->SPScurrent, QStringLiteral("R")));
    req.voltage = qAbs(field2Number(ui->SPSvoltage, QStringLiteral("R")));
    req.frequency = qAbs(field2Number(ui->SPSfrequency, QStringLiteral("R")));
    req.relax = ui->SPSrelax->value();
    req.parallel = ui->SPSparallelCheckBox->isChecked();
    req.maxParallel = ui->SPSnumAmps->value();
    writeTable(eliminatePwmCatalog(catalogs().pwms, catalogs().packages, req));
}

void PwmSelectorPage::refreshSPS()
{
    markChanged();
    EliminatePWM();
    SPSselectionChange(m_table.firstShownNameCell());
}

void PwmSelectorPage::SPSselectionChange(const QModelIndex &index)
{
    m_table.select(index);
    const QString text = m_table.nameAt(index);
    const QString name = removeParallelSuffix(text);
    const QVector<pwm> &pwms = catalogs().pwms;
    for (const pwm &p : pwms) {
        if (!name.isEmpty() && p.ampName == name) {
            m_selected = p;
            SelectorTable::showPackagePicture(ui->SPSimage, m_selected.packageStyle);
            break;
        }
    }
    SelectorTable::showProductLink(ui->SPSname, m_selected.SiteLink, text);
}

void PwmSelectorPage::on_SPScurrent_editingFinished()
{
    refreshSPS();
}
void PwmSelectorPage::on_SPSvoltage_editingFinished()
{
    refreshSPS();
}
void PwmSelectorPage::on_SPSfrequency_editingFinished()
{
    refreshSPS();
}
void PwmSelectorPage::on_SPSparallelCheckBox_clicked()
{
    refreshSPS();
}

void PwmSelectorPage::on_SPSnumAmps_valueChanged(int value)
{
    Q_UNUSED(value);
    refreshSPS();
}

void PwmSelectorPage::on_SPSrelax_valueChanged(int value)
{
    Q_UNUSED(value);
    refreshSPS();
}

void PwmSelectorPage::on_SPSsortPrice_clicked()
{
    m_table.sortByPrice();
}

void PwmSelectorPage::on_SPSresetButton_clicked()
{
    for (QLineEdit *field : { ui->SPScurrent, ui->SPSvoltage, ui->SPSfrequency })
        field->setText(QStringLiteral("0"));
    ui->SPSparallelCheckBox->setChecked(false);
    {
        // One refresh at the end is enough.
        const QSignalBlocker amps(ui->SPSnumAmps);
        const QSignalBlocker relax(ui->SPSrelax);
        ui->SPSnumAmps->setValue(3);
        ui->SPSrelax->setValue(20);
    }
    refreshSPS();
}
