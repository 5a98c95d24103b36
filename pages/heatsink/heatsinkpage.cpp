#include "pages/heatsink/heatsinkpage.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <cmath>

#include "pages/notes.h"
#include "qcustomplot.h"
#include "ui_heatsinkpage.h"
#include "values/fieldvalues.h"

using namespace HeatsinkModel;

namespace {

const QColor kCloseMatch(255, 255, 160);

void setupAxisGrid(QCPAxis *axis)
{
    axis->grid()->setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
    axis->grid()->setSubGridPen(QPen(QColor(128, 128, 128, 90), 1, Qt::DotLine));
    axis->grid()->setSubGridVisible(true);
}

} // namespace

HeatsinkPage::HeatsinkPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::HeatsinkPage)
{
    ui->setupUi(this);
    ui->HStable->verticalHeader()->hide();
    ui->HStable->horizontalHeader()->setStretchLastSection(false);
    ui->HStable->viewport()->installEventFilter(this);
    m_model = new QStandardItemModel(0, 5, this);
    ui->HStable->setModel(m_model);
    connect(ui->HStable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &HeatsinkPage::HStableRowChange);
    // The part and package lists of files older than version 7 held other
    // items: such a file selects the first.
    for (QComboBox *box : { ui->HSpart, ui->HSpackage }) {
        entries().bind(box->objectName(),
            EntryBinding { [box] { return box->currentText(); },
                [box](const QString &value, bool version7) {
                    if (version7)
                        selectText(box, value);
                    else if (box->count() > 0)
                        box->setCurrentIndex(0);
                } });
    }
}

HeatsinkPage::~HeatsinkPage()
{
    delete ui;
}

void HeatsinkPage::fillSelectors()
{
    fillSelector(ui->HSpart, SelectorLists::heatsinkParts(catalogs()));
}

void HeatsinkPage::initialise()
{
    FillInHSTable();
    SetupHeatsink();
    refreshHeatsinks();
}

void HeatsinkPage::SetupHeatsink()
{
    {
        const QSignalBlocker blocker(ui->HSpackage);
        ui->HSpackage->clear();
        ui->HSpackage->addItem(QStringLiteral("All Packages"), QString::fromLatin1(kAllPackages));
        const QStringList texts = packageItemTexts();
        const QStringList codes = packageItemCodes();
        for (int i = 0; i < texts.size(); ++i)
            ui->HSpackage->addItem(texts.at(i), codes.at(i));
        ui->HSpackage->setCurrentIndex(0);
    }

    QCustomPlot *plot = ui->HSplot;
    plot->clearGraphs();
    plot->legend->setVisible(false);
    QCPTextElement *title = nullptr;
    for (QCPLayoutElement *element : plot->plotLayout()->elements(true)) {
        if ((title = qobject_cast<QCPTextElement *>(element)))
            break;
    }
    if (!title) {
        plot->plotLayout()->insertRow(0);
        QFont font = plot->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() + 1);
        title = new QCPTextElement(plot, QString(), font);
        plot->plotLayout()->addElement(0, 0, title);
    }
    title->setText(QStringLiteral("Thermal Resistance"));

    QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
    ticker->setTickStep(100);
    plot->xAxis->setTicker(ticker);
    plot->xAxis->setLabel(QStringLiteral("Air Flow [Linear Feet per Minute]"));
    plot->yAxis->setLabel(QStringLiteral("R_θ [°C/W]"));
    setupAxisGrid(plot->xAxis);
    setupAxisGrid(plot->yAxis);
    QCPGraph *graph = plot->addGraph();
    graph->setPen(QPen(QColor(200, 0, 0), 3));
    plot->replot();
}

bool HeatsinkPage::isMetric() const
{
    return ui->HSmetric->isChecked();
}

QString HeatsinkPage::packageCode() const
{
    if (ui->HSchoosePart->isChecked())
        return packageCodeForPart(catalogs().linear, catalogs().pwms, ui->HSpart->currentIndex());
    return packageCodeForItem(ui->HSpackage->currentIndex());
}

void HeatsinkPage::refreshHeatsinks()
{
    markChanged();
    const bool byPart = ui->HSchoosePart->isChecked();
    ui->HSpackage->setEnabled(!byPart);
    ui->HSpart->setEnabled(byPart);
    FilterHeatsinks();

    int first = -1;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        if (!ui->HStable->isRowHidden(r)) {
            first = r;
            break;
        }
    }
    if (first < 0) {
        // Nothing matches: the selected heatsink stays, its flow follows the new requirement.
        plotRtheta();
        return;
    }
    const QModelIndex target = m_model->index(first, ColName);
    if (ui->HStable->currentIndex() == target)
        HSselectionChange(target, target);
    else
        ui->HStable->setCurrentIndex(target);
}

void HeatsinkPage::FilterHeatsinks()
{
    FilterInput in;
    in.packageCode = packageCode();
    in.rRequired = field2Number(ui->HSrtheta, QStringLiteral("R"));
    const bool constrained = ui->HSconstCheckBox->isChecked();
    if (constrained) {
        in.limits = makeLimits(true, field2Number(ui->HSH, QStringLiteral("R")),
            field2Number(ui->HSL, QStringLiteral("R")), field2Number(ui->HSW, QStringLiteral("R")),
            field2Number(ui->HSWeight, QStringLiteral("R")), isMetric());
    } else {
        in.limits = makeLimits(false, 0, 0, 0, 0, false);
    }
    in.relax = ui->HSrelax->value() / 100.0;
    in.flow = ui->HSfluidCheckBox->isChecked();

    if (isMetric())
        FillInHSTableMetric();
    else
        FillInHSTable();
    for (int r = 0; r < m_model->rowCount(); ++r)
        ui->HStable->setRowHidden(r, false);
    m_model->sort(ColIndex, Qt::AscendingOrder);

    const QVector<MatchResult> results = filterHeatsinks(catalogs().heatsinks, in);
    for (int r = 0; r < m_model->rowCount() && r < results.size(); ++r) {
        const MatchResult &m = results.at(r);
        if (m.match != Match::Close)
            continue;
        for (int column : m.marked) {
            if (QStandardItem *item = m_model->item(r, column)) {
                item->setBackground(kCloseMatch);
                item->setTextAlignment(Qt::AlignCenter);
            }
        }
    }

    m_model->sort(ColPrice, Qt::AscendingOrder);
    // Rows are hidden after sorting, by the catalog position each row carries.
    for (int r = 0; r < m_model->rowCount(); ++r) {
        const int index = m_model->index(r, ColIndex).data().toInt();
        const bool shown = index >= 0 && index < results.size() && results.at(index).match != Match::None;
        ui->HStable->setRowHidden(r, !shown);
    }
    fitTableToContents();
}

void HeatsinkPage::fitTableToContents()
{
    QTableView *table = ui->HStable;
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    // Spare width is shared out over the shown columns rather than given to the last one.
    QVector<int> shown;
    int used = 0;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        if (!table->isColumnHidden(c)) {
            shown << c;
            used += table->columnWidth(c);
        }
    }
    const int spare = table->viewport()->width() - used;
    if (shown.isEmpty() || spare <= 0)
        return;
    for (int i = 0; i < shown.size(); ++i) {
        const int extra = spare / shown.size() + (i < spare % shown.size() ? 1 : 0);
        table->setColumnWidth(shown.at(i), table->columnWidth(shown.at(i)) + extra);
    }
}

bool HeatsinkPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->HStable->viewport() && event->type() == QEvent::Resize)
        fitTableToContents();
    return ToolPage::eventFilter(watched, event);
}

void HeatsinkPage::changeEvent(QEvent *event)
{
    // A new font size would otherwise leave the cells sized for the old one.
    if (event->type() == QEvent::FontChange)
        fitTableToContents();
    ToolPage::changeEvent(event);
}

void HeatsinkPage::FillInHSTable()
{
    fillTable(false);
}

void HeatsinkPage::FillInHSTableMetric()
{
    fillTable(true);
}

void HeatsinkPage::fillTable(bool metric)
{
    const QVector<Heatsink> &catalog = catalogs().heatsinks;
    m_model->setRowCount(0);
    m_model->setColumnCount(ColumnCount);
    m_model->setHorizontalHeaderLabels(tableHeaders(metric));
    auto number = [](double value) {
        auto *item = new QStandardItem;
        item->setData(value, Qt::DisplayRole);
        return item;
    };
    for (int i = 0; i < catalog.size(); ++i) {
        const TableRow row = tableRow(catalog, i, metric);
        QList<QStandardItem *> items;
        auto *index = new QStandardItem;
        index->setData(row.index, Qt::DisplayRole);
        items << index << new QStandardItem(row.name) << number(row.natural) << number(row.height)
              << number(row.length) << number(row.width) << number(row.weight) << number(row.price);
        m_model->appendRow(items);
    }
    ui->HStable->setColumnHidden(ColIndex, true);
    ui->HStable->setColumnHidden(ColPrice, true);
    for (int c = ColName; c < ColPrice; ++c)
        ui->HStable->setColumnHidden(c, false);
}

void HeatsinkPage::HStableRowChange(const QModelIndex &current, const QModelIndex &previous)
{
    HSselectionChange(current, previous);
}

void HeatsinkPage::HSselectionChange(const QModelIndex &current, const QModelIndex &previous)
{
    Q_UNUSED(previous);
    if (!current.isValid() || current.model() != m_model)
        return;
    const int index = m_model->index(current.row(), ColIndex).data().toInt();
    const QVector<Heatsink> &catalog = catalogs().heatsinks;
    if (index < 0 || index >= catalog.size())
        return;
    m_selected = catalog.at(index);
    ui->HSimage->setStyleSheet(
        QStringLiteral("image: url(:/ZarnLinear/") + m_selected.name + QStringLiteral(".jpg)"));
    ui->HSName->setText(QStringLiteral("<a href=\"%1\"><span style=\" text-decoration: underline; "
                                       "color:#0000ff;\">%2</span></a>")
                            .arg(m_selected.drawingLink.toHtmlEscaped(), m_selected.name.toHtmlEscaped()));
    plotRtheta();
}

void HeatsinkPage::plotRtheta()
{
    markChanged();
    const bool metric = isMetric();
    const FlowCurve curve = flowCurve(m_selected);
    const FlowAxis axis = flowAxis(curve.water, metric);

    QCustomPlot *plot = ui->HSplot;
    if (plot->graphCount() == 0)
        SetupHeatsink();
    plot->graph(0)->setData(metric ? curve.flowMetric : curve.flowEnglish, curve.resistance, true);
    for (QCPLayoutElement *element : plot->plotLayout()->elements(true)) {
        if (auto *title = qobject_cast<QCPTextElement *>(element)) {
            title->setText(QStringLiteral("Thermal Resistance - ") + m_selected.name);
            break;
        }
    }
    plot->xAxis->setLabel(axis.label);
    plot->xAxis->setRange(axis.lower, axis.upper);
    if (auto ticker = qSharedPointerDynamicCast<QCPAxisTickerFixed>(plot->xAxis->ticker()))
        ticker->setTickStep(axis.tickStep);
    plot->yAxis->setLabel(QStringLiteral("R_θ [°C/W]"));
    const double top = 1.1 * curve.rMax;
    plot->yAxis->setRange(0, std::isfinite(top) && top > 0 ? top : 1);

    FlowInput in;
    in.flowOn = ui->HSfluidCheckBox->isChecked();
    in.metric = metric;
    in.rRequired = field2Number(ui->HSrtheta, QStringLiteral("R"));
    in.circular = ui->HSfanCirc->isChecked();
    in.diameter = field2Number(ui->HSfanDia, QStringLiteral("R"));
    in.x = field2Number(ui->HSfanX, QStringLiteral("R"));
    in.y = field2Number(ui->HSfanY, QStringLiteral("R"));
    const FlowLabels labels = flowLabels(m_selected, in);
    ui->HSflowDimensions->setEnabled(labels.dimensionsEnabled && in.flowOn);
    showNote(ui->HSlinearFlow, labels.linear);
    showNote(ui->HSvolumeFlow, labels.volume);
    plot->replot();
}

void HeatsinkPage::updateUnitLabels(bool metric)
{
    const QString len = metric ? QStringLiteral("mm") : QStringLiteral("in");
    ui->hsUnitH->setText(len + QStringLiteral(" (Normal to PCB)"));
    ui->hsUnitL->setText(len);
    ui->hsUnitW->setText(len);
    ui->hsUnitWeight->setText(metric ? QStringLiteral("g") : QStringLiteral("oz"));
    ui->HSfanCirc->setText(QStringLiteral("Diameter (%1): ").arg(len));
    ui->HSfanRect->setText(QStringLiteral("Rectangular (%1): ").arg(len));
}

void HeatsinkPage::on_HSchoosePackage_clicked()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSchoosePart_clicked()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSpart_activated(int)
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSpackage_activated(int)
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSrtheta_editingFinished()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSconstCheckBox_clicked()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSH_editingFinished()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSL_editingFinished()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSW_editingFinished()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSWeight_editingFinished()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSrelax_valueChanged(int)
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSfluidCheckBox_clicked()
{
    refreshHeatsinks();
}
void HeatsinkPage::on_HSfanCirc_toggled(bool)
{
    plotRtheta();
}
void HeatsinkPage::on_HSfanDia_editingFinished()
{
    plotRtheta();
}
void HeatsinkPage::on_HSfanX_editingFinished()
{
    plotRtheta();
}
void HeatsinkPage::on_HSfanY_editingFinished()
{
    plotRtheta();
}

void HeatsinkPage::on_HSsortPrice_clicked()
{
    QVector<int> hidden;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        if (ui->HStable->isRowHidden(r))
            hidden << m_model->index(r, ColIndex).data().toInt();
    }
    m_model->sort(ColPrice, Qt::AscendingOrder);
    for (int r = 0; r < m_model->rowCount(); ++r)
        ui->HStable->setRowHidden(r, hidden.contains(m_model->index(r, ColIndex).data().toInt()));
}

void HeatsinkPage::on_HSreset_clicked()
{
    ui->HSpackage->setCurrentIndex(0);
    ui->HSpart->setCurrentIndex(0);
    ui->HSrtheta->setText(QStringLiteral("30"));
    for (QLineEdit *field : { ui->HSH, ui->HSL, ui->HSW, ui->HSWeight })
        field->setText(QStringLiteral("all"));
    {
        const QSignalBlocker blocker(ui->HSrelax);
        ui->HSrelax->setValue(10);
    }
    refreshHeatsinks();
}

void HeatsinkPage::on_HSenglish_toggled(bool english)
{
    const double length = english ? 1.0 / kMillimetresPerInch : kMillimetresPerInch;
    const double weight = english ? 1.0 / kGramsPerOunce : kGramsPerOunce;
    for (QLineEdit *field : { ui->HSH, ui->HSL, ui->HSW, ui->HSfanDia, ui->HSfanX, ui->HSfanY })
        field->setText(convertFieldText(field->text(), length));
    ui->HSWeight->setText(convertFieldText(ui->HSWeight->text(), weight));
    updateUnitLabels(!english);
    refreshHeatsinks();
}
