#pragma once

#include <QModelIndex>

#include "catalog/records.h"
#include "pages/heatsink/heatsinkmodel.h"
#include "pages/toolpage.h"

class QStandardItemModel;

namespace Ui {
class HeatsinkPage;
}

// The heatsink selector: filters the heatsink catalog by package, thermal
// resistance, size and weight, lists the matches by price and plots the
// selected heatsink's resistance against flow.
class HeatsinkPage : public ToolPage {
    Q_OBJECT
public:
    explicit HeatsinkPage(QWidget *parent = nullptr);
    ~HeatsinkPage() override;

    void fillSelectors() override;
    void initialise() override;
    void refresh() override { refreshHeatsinks(); }

    // The whole page from scratch; also run by the home page's heatsink button
    // and after a design is opened.
    void refreshHeatsinks();

    void SetupHeatsink();
    void FilterHeatsinks();
    void FillInHSTable();
    void FillInHSTableMetric();
    void plotRtheta();

    const Heatsink &selectedHeatsink() const { return m_selected; }

public slots:
    void HSselectionChange(const QModelIndex &current, const QModelIndex &previous);
    void HStableRowChange(const QModelIndex &current, const QModelIndex &previous);

private slots:
    void on_HSchoosePackage_clicked();
    void on_HSchoosePart_clicked();
    void on_HSpart_activated(int index);
    void on_HSpackage_activated(int index);
    void on_HSrtheta_editingFinished();
    void on_HSconstCheckBox_clicked();
    void on_HSH_editingFinished();
    void on_HSL_editingFinished();
    void on_HSW_editingFinished();
    void on_HSWeight_editingFinished();
    void on_HSrelax_valueChanged(int value);
    void on_HSfluidCheckBox_clicked();
    void on_HSsortPrice_clicked();
    void on_HSfanCirc_toggled(bool checked);
    void on_HSfanDia_editingFinished();
    void on_HSfanX_editingFinished();
    void on_HSfanY_editingFinished();
    void on_HSreset_clicked();
    void on_HSenglish_toggled(bool english);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitTableToContents();
    bool isMetric() const;
    void fillTable(bool metric);
    void updateUnitLabels(bool metric);
    QString packageCode() const;

    Ui::HeatsinkPage *ui;
    QStandardItemModel *m_model = nullptr;
    Heatsink m_selected;
};
