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
    return {QStringLiteral("i"),
            QStringLiteral("Name"),
            QStringLiteral("Channels"),
            QStringLiteral("Vss max (V)"),
            QStringLiteral("I_Continuous (A)"),
            QStringLiteral("Max Output Swing* (Vp-p)"),
            QStringLiteral("Max Slew Rate (V/\u00b5s)"),
            QStringLiteral("Bandwidth @ V_out (kHz)"),
            QStringLiteral("Max I_Quiescent (mA)"),
            QStringLiteral("Max Internal Power Diss. (W)"),
            QStringLiteral("Package Style"),
            QStringLiteral("Relative Price - 10/3/16 Digikey USD")};
}

}  // namespace

LinearSelectorPage::LinearSelectorPage(QWidget *parent) : ToolPage(parent), ui(new Ui::LinearSelectorPage)
{
    ui->setupUi(this);
    m_model = new QStandardItemModel(0, 5, this);
    attachModel();
}

LinearSelectorPage::~LinearSelectorPage()
{
    delete ui;
}

void LinearSelectorPage::setTableModel(QStandardItemModel *model)
{
    if (!model || model == m_model)
        return;
    m_model = model;
    attachModel();
}

void LinearSelectorPage::attachModel()
{
    ui->selectorTable->setModel(m_model);
    connect(ui->selectorTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &LinearSelectorPage::selectorTableRowChange, Qt::UniqueConnection);
    ui->selectorTable->verticalHeader()->hide();
}

void LinearSelectorPage::initialise()
{
    m_selected = findLinear(catalogs().linear, QStringLiteral("QX310"));
    FillInTable();
}

void LinearSelectorPage::writeTable(const QVector<LinearRow> &rows)
{
    m_quiet = true;
    SelectorTable::prepareModel(m_model, linearHeaders(), rows.size());
    m_shown.fill(false, rows.size());
    for (const LinearRow &row : rows) {
        const int r = row.index;
        m_shown[r] = row.shown();
        m_model->setItem(r, 0, SelectorTable::wholeItem(row.index));
        m_model->setItem(r, 1, SelectorTable::textItem(row.name));
        m_model->setItem(r, 2, SelectorTable::wholeItem(row.channels));
        m_model->setItem(r, 3, SelectorTable::numberItem(row.vssMax));
        m_model->setItem(r, 4, SelectorTable::numberItem(row.current));
        m_model->setItem(r, 5, SelectorTable::wholeItem(row.swing));
        m_model->setItem(r, 6, SelectorTable::numberItem(row.slewRate));
        m_model->setItem(r, 7, SelectorTable::wholeItem(row.bandwidth));
        m_model->setItem(r, 8, SelectorTable::numberItem(row.quiescent));
        m_model->setItem(r, 9, SelectorTable::numberItem(row.dissipation));
        m_model->setItem(r, 10, SelectorTable::textItem(row.package));
        m_model->setItem(r, 11, SelectorTable::numberItem(row.price));
        for (int column : row.marked)
            SelectorTable::markCloseMatch(m_model->item(r, column));
    }
    SelectorTable::sortByPrice(ui->selectorTable, m_model, m_shown);
    m_quiet = false;
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
    LPSselectionChange(SelectorTable::firstShownNameCell(ui->selectorTable, m_model));
}

void LinearSelectorPage::LPSselectionChange(const QModelIndex &index)
{
    m_quiet = true;
    ui->selectorTable->setCurrentIndex(index);
    m_quiet = false;

    const QString text = index.isValid() ? m_model->index(index.row(), ColName).data().toString() : QString();
    const QString name = removeLinearSuffix(text);
    const QVector<amp> &linear = catalogs().linear;
    const int position = ampVectorIndex(linear, name);
    if (!name.isEmpty() && position < linear.size()) {
        m_selected = linear.at(position);
        ui->LPSimage->setStyleSheet(SelectorTable::packagePictureStyle(m_selected.packageStyle));
    }
    SelectorTable::showProductLink(ui->LPSLinearName, m_selected.SiteLink, text);
}

void LinearSelectorPage::selectorTableRowChange(const QModelIndex &current, const QModelIndex &previous)
{
    Q_UNUSED(previous);
    if (!m_quiet)
        LPSselectionChange(current);
}

void LinearSelectorPage::on_LPScurrent_editingFinished() { refreshLPS(); }
void LinearSelectorPage::on_LPSVpp_editingFinished() { refreshLPS(); }
void LinearSelectorPage::on_LPSFreq_editingFinished() { refreshLPS(); }
void LinearSelectorPage::on_LPSSR_editingFinished() { refreshLPS(); }
void LinearSelectorPage::on_LPSBridgeCheckBox_clicked() { refreshLPS(); }
void LinearSelectorPage::on_LPSParallelCheckBox_clicked() { refreshLPS(); }

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
    m_quiet = true;
    SelectorTable::sortByPrice(ui->selectorTable, m_model, m_shown);
    m_quiet = false;
}

void LinearSelectorPage::on_LPSresetButton_clicked()
{
    for (QLineEdit *field : {ui->LPScurrent, ui->LPSVpp, ui->LPSFreq, ui->LPSSR})
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
