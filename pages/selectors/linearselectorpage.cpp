#include "pages/selectors/linearselectorpage.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QtMath>

#include "pages/selectors/selectortable.h"
#include "ui_linearselectorpage.h"
#include "values/fieldvalues.h"

using namespace SelectorModel;

namespace {

const char *const kHiddenPhrase = "showmeqx7777?";

QStringList linearHeaders()
{
    return { QStringLiteral("i"), QStringLiteral("Name"), QStringLiteral("Channels"),
        QStringLiteral("Vss max (V)"), QStringLiteral("I_Continuous (A)"),
        QStringLiteral("Max Output Swing* (Vp-p)"), QStringLiteral("Max Slew Rate (V/\u00b5s)"),
        QStringLiteral("Bandwidth @ V_out (kHz)"), QStringLiteral("Max I_Quiescent (mA)"),
        QStringLiteral("Max Internal Power Diss. (W)"), QStringLiteral("Package Style"),
        QStringLiteral("Relative Price - 10/3/16 Digikey USD") };
}

} // namespace

LinearSelectorPage::LinearSelectorPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::LinearSelectorPage)
{
    ui->setupUi(this);
    m_table.attach(ui->selectorTable, new QStandardItemModel(0, 5, this),
        [this](const QModelIndex &current) { LPSselectionChange(current); });
}

LinearSelectorPage::~LinearSelectorPage()
{
    delete ui;
}

void LinearSelectorPage::initialise()
{
    m_selected = findLinear(catalogs().linear, QStringLiteral("QX310"));
    FillInTable();
}

void LinearSelectorPage::writeTable(const QVector<LinearRow> &rows)
{
    m_table.beginFill(linearHeaders(), rows.size());
    for (const LinearRow &row : rows) {
        const QList<QStandardItem *> items
            = { SelectorTable::wholeItem(row.index), SelectorTable::textItem(row.name),
                  SelectorTable::wholeItem(row.channels), SelectorTable::numberItem(row.vssMax),
                  SelectorTable::numberItem(row.current), SelectorTable::wholeItem(row.swing),
                  SelectorTable::numberItem(row.slewRate), SelectorTable::wholeItem(row.bandwidth),
                  SelectorTable::numberItem(row.quiescent), SelectorTable::numberItem(row.dissipation),
                  SelectorTable::textItem(row.package), SelectorTable::numberItem(row.price) };
        for (int column : row.marked)
            SelectorTable::markCloseMatch(items.value(column));
        m_table.appendRow(row.index, row.shown(), items);
    }
    m_table.endFill();
}

void LinearSelectorPage::FillInTable()
{
    const QVector<amp> &linear = catalogs().linear;
    QVector<LinearRow> rows;
    rows.reserve(linear.size());
    for (int i = 0; i < linear.size(); ++i)
        rows.append(linearTableRow(linear.at(i), i, catalogs().packages));
    writeTable(rows);
}

void LinearSelectorPage::Eliminate()
{
    LinearRequirements req;
    req.current = qAbs(field2Number(ui->LPScurrent, QStringLiteral("R")));
    req.vpp = qAbs(field2Number(ui->LPSVpp, QStringLiteral("R")));
    req.relax = ui->LPSRelax->value();
    req.bridge = ui->LPSBridgeCheckBox->isChecked();
    req.parallel = ui->LPSParallelCheckBox->isChecked();
    req.maxParallel = ui->LPSNumAmps->value();

    // The entry that is not selected shows what the selected one implies.
    if (!ui->LPSSRButton->isChecked() && ui->LPSFreqButton->isChecked()) {
        req.slewRate = slewRateFromFrequency(qAbs(field2Number(ui->LPSFreq, QStringLiteral("R"))), req.vpp);
        ui->LPSSR->setText(sixDigits(req.slewRate));
        field2Number(ui->LPSSR, QStringLiteral("R"));
    } else if (ui->LPSSRButton->isChecked()) {
        req.slewRate = qAbs(field2Number(ui->LPSSR, QStringLiteral("R")));
        ui->LPSFreq->setText(sixDigits(frequencyFromSlewRate(req.slewRate, req.vpp)));
        field2Number(ui->LPSFreq, QStringLiteral("R"));
    }

    writeTable(eliminateLinearCatalog(catalogs().linear, catalogs().packages, req));
}

void LinearSelectorPage::refreshLPS()
{
    markChanged();
    if (ui->LPScurrent->text().toLower() == QLatin1String(kHiddenPhrase)) {
        ui->LPScurrent->setText(QStringLiteral("0"));
        emit hiddenPageRequested();
        return;
    }
    Eliminate();
    LPSselectionChange(m_table.firstShownNameCell());
}

void LinearSelectorPage::LPSselectionChange(const QModelIndex &index)
{
    m_table.select(index);
    const QString text = m_table.nameAt(index);
    const QString name = removeLinearSuffix(text);
    const QVector<amp> &linear = catalogs().linear;
    const int position = ampVectorIndex(linear, name);
    if (!name.isEmpty() && position < linear.size()) {
        m_selected = linear.at(position);
        SelectorTable::showPackagePicture(ui->LPSimage, m_selected.packageStyle);
    }
    SelectorTable::showProductLink(ui->LPSLinearName, m_selected.SiteLink, text);
}

void LinearSelectorPage::on_LPScurrent_editingFinished()
{
    refreshLPS();
}
void LinearSelectorPage::on_LPSVpp_editingFinished()
{
    refreshLPS();
}
void LinearSelectorPage::on_LPSFreq_editingFinished()
{
    refreshLPS();
}
void LinearSelectorPage::on_LPSSR_editingFinished()
{
    refreshLPS();
}
void LinearSelectorPage::on_LPSBridgeCheckBox_clicked()
{
    refreshLPS();
}
void LinearSelectorPage::on_LPSParallelCheckBox_clicked()
{
    refreshLPS();
}

void LinearSelectorPage::on_LPSNumAmps_valueChanged(int value)
{
    Q_UNUSED(value);
    refreshLPS();
}

void LinearSelectorPage::on_LPSRelax_valueChanged(int value)
{
    Q_UNUSED(value);
    refreshLPS();
}

void LinearSelectorPage::on_LPSFreqButton_toggled(bool checked)
{
    if (!checked) {
        ui->LPSFreq->setEnabled(false);
        ui->LPSSR->setEnabled(true);
    }
    refreshLPS();
}

void LinearSelectorPage::on_LPSSRButton_toggled(bool checked)
{
    if (!checked) {
        ui->LPSSR->setEnabled(false);
        ui->LPSFreq->setEnabled(true);
    }
}

void LinearSelectorPage::on_sortPrice_clicked()
{
    m_table.sortByPrice();
}

void LinearSelectorPage::on_LPSresetButton_clicked()
{
    for (QLineEdit *field : { ui->LPScurrent, ui->LPSVpp, ui->LPSFreq, ui->LPSSR })
        field->setText(QStringLiteral("0"));
    ui->LPSBridgeCheckBox->setChecked(false);
    ui->LPSParallelCheckBox->setChecked(false);
    {
        // One refresh at the end is enough.
        const QSignalBlocker amps(ui->LPSNumAmps);
        const QSignalBlocker relax(ui->LPSRelax);
        ui->LPSNumAmps->setValue(3);
        ui->LPSRelax->setValue(20);
    }
    refreshLPS();
}
