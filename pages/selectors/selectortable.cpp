#include "pages/selectors/selectortable.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTableView>

#include <cmath>

#include "pages/selectors/selectormodel.h"
#include "values/sivalues.h"

namespace SelectorTable {

namespace {

QStandardItem *centred(QStandardItem *item)
{
    item->setTextAlignment(Qt::AlignCenter);
    item->setEditable(false);
    return item;
}

} // namespace

QStandardItem *numberItem(double value)
{
    auto *item = new QStandardItem;
    // A damaged catalog row can make a derived column overflow.
    if (std::isfinite(value))
        item->setData(value, Qt::EditRole);
    else
        item->setData(noValueText(), Qt::EditRole);
    return centred(item);
}

QStandardItem *wholeItem(int value)
{
    auto *item = new QStandardItem;
    item->setData(value, Qt::EditRole);
    return centred(item);
}

QStandardItem *textItem(const QString &text)
{
    return centred(new QStandardItem(text));
}

void markCloseMatch(QStandardItem *item)
{
    // Light yellow marks a close match's name cell and its unmet requirements.
    if (item)
        item->setBackground(QBrush(QColor(255, 255, 160)));
}

void prepareModel(QStandardItemModel *model, const QStringList &headers)
{
    model->setRowCount(0);
    model->setColumnCount(SelectorModel::ColumnCount);
    model->setHorizontalHeaderLabels(headers);
    model->setSortRole(Qt::EditRole);
}

void applyLayout(QTableView *view, const QStandardItemModel *model, const QVector<bool> &shown)
{
    view->setColumnHidden(SelectorModel::ColIndex, true);
    view->setColumnHidden(SelectorModel::ColPrice, true);
    for (int r = 0; r < model->rowCount(); ++r) {
        const QStandardItem *item = model->item(r, SelectorModel::ColIndex);
        const int index = item ? item->data(Qt::EditRole).toInt() : -1;
        view->setRowHidden(r, !shown.value(index, false));
    }
    view->resizeColumnsToContents();
}

void sortByPrice(QTableView *view, QStandardItemModel *model, const QVector<bool> &shown)
{
    model->sort(SelectorModel::ColPrice, Qt::AscendingOrder);
    applyLayout(view, model, shown);
}

QModelIndex firstShownNameCell(const QTableView *view, const QStandardItemModel *model)
{
    for (int r = 0; r < model->rowCount(); ++r)
        if (!view->isRowHidden(r))
            return model->index(r, SelectorModel::ColName);
    return QModelIndex();
}

QString productLinkHtml(const QString &url, const QString &text)
{
    return QStringLiteral("<p><a href=\"") + url.toHtmlEscaped()
        + QStringLiteral("\"><span style=\" text-decoration: underline; color:#0000ff;\">")
        + text.toHtmlEscaped() + QStringLiteral("</span></a></p>");
}

void showProductLink(QLabel *label, const QString &url, const QString &text)
{
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    label->setText(productLinkHtml(url, text));
}

void showPackagePicture(QLabel *label, const QString &packageCode)
{
    const QString style = QStringLiteral("image: url(:/ZarnLinear/") + packageCode + QStringLiteral(".JPG)");
    if (label->styleSheet() != style)
        label->setStyleSheet(style);
}

void Table::attach(QTableView *view, QStandardItemModel *model, RowHandler onRow)
{
    m_view = view;
    m_model = model;
    view->setModel(model);
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, view,
        [this, onRow](const QModelIndex &current) {
            if (!m_quiet && onRow)
                onRow(current);
        });
    view->verticalHeader()->hide();
}

void Table::beginFill(const QStringList &headers, int catalogSize)
{
    m_quiet = true;
    prepareModel(m_model, headers);
    m_shown.fill(false, catalogSize);
}

void Table::appendRow(int position, bool shown, const QList<QStandardItem *> &items)
{
    m_shown[position] = shown;
    m_model->appendRow(items);
}

void Table::endFill()
{
    SelectorTable::sortByPrice(m_view, m_model, m_shown);
    m_quiet = false;
}

void Table::sortByPrice()
{
    m_quiet = true;
    SelectorTable::sortByPrice(m_view, m_model, m_shown);
    m_quiet = false;
}

void Table::select(const QModelIndex &index)
{
    m_quiet = true;
    m_view->setCurrentIndex(index);
    m_quiet = false;
}

QModelIndex Table::firstShownNameCell() const
{
    return SelectorTable::firstShownNameCell(m_view, m_model);
}

QString Table::nameAt(const QModelIndex &index) const
{
    return index.isValid() ? m_model->index(index.row(), SelectorModel::ColName).data().toString()
                           : QString();
}

} // namespace SelectorTable
