#include "pages/selectors/selectortable.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>
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

}  // namespace

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
    if (item)
        item->setBackground(QBrush(QColor(SelectorModel::kCloseRed, SelectorModel::kCloseGreen,
                                          SelectorModel::kCloseBlue)));
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

}  // namespace SelectorTable
