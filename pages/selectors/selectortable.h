#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QLabel;
class QModelIndex;
class QStandardItem;
class QStandardItemModel;
class QTableView;

// What the two selector pages share about their tables: items stored as
// numbers under the edit role (so sorting is numeric), centred, with the
// close-match background; rows hidden by catalog position; product links.
namespace SelectorTable {

QStandardItem *numberItem(double value);
QStandardItem *wholeItem(int value);
QStandardItem *textItem(const QString &text);
void markCloseMatch(QStandardItem *item);

// Empties the model and gives it the selectors' twelve columns, headed by
// `headers`; rows are then appended whole, which is far cheaper for an
// attached view than setting cells one by one.
void prepareModel(QStandardItemModel *model, const QStringList &headers);

// After every fill or sort: hides the catalog-position and price columns,
// shows the rows whose column 0 names a shown catalog position, resizes.
void applyLayout(QTableView *view, const QStandardItemModel *model, const QVector<bool> &shown);

// Sorts by price, cheapest first; equal prices keep their order.
void sortByPrice(QTableView *view, QStandardItemModel *model, const QVector<bool> &shown);

// The name cell of the first row, in model order, that the view shows; invalid when none.
QModelIndex firstShownNameCell(const QTableView *view, const QStandardItemModel *model);

// One paragraph with an underlined blue link to `url` reading `text`.
QString productLinkHtml(const QString &url, const QString &text);
void showProductLink(QLabel *label, const QString &url, const QString &text);
// Shows the package picture; an unchanged picture is not restyled.
void showPackagePicture(QLabel *label, const QString &packageCode);

// The table of a selector page: its view, the model the view shows, the
// catalog positions shown, and the page's row handler, which hears the
// user's row changes only, not the page's own filling, sorting or selecting.
class Table {
public:
    using RowHandler = std::function<void(const QModelIndex &)>;

    // Shows `model` in `view` (the header of row numbers hidden) and calls
    // `onRow` when the user moves to another row.
    void attach(QTableView *view, QStandardItemModel *model, RowHandler onRow);
    QStandardItemModel *model() const { return m_model; }

    // Replaces the rows: begin, one append per catalog row (its position in
    // the catalog and whether it qualifies), end, which sorts by price.
    void beginFill(const QStringList &headers, int catalogSize);
    void appendRow(int position, bool shown, const QList<QStandardItem *> &items);
    void endFill();

    void sortByPrice();
    // Makes `index` current without calling the row handler.
    void select(const QModelIndex &index);
    QModelIndex firstShownNameCell() const;
    // The text of the name cell in the row of `index`; empty when invalid.
    QString nameAt(const QModelIndex &index) const;

private:
    QTableView *m_view = nullptr;
    QStandardItemModel *m_model = nullptr;
    QVector<bool> m_shown; // by catalog position
    bool m_quiet = false; // the page itself is changing the table
};

} // namespace SelectorTable
